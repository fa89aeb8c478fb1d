#include "vcl50/Messagebox.h"

#include <algorithm>

std::vector<int> MessageBoxButtons(int flags)
{
    switch (flags & 0xF) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
    }
}

int MessageBoxDefaultButton(int flags)
{
    std::vector<int> buttons = MessageBoxButtons(flags);
    size_t index = static_cast<size_t>((flags >> 8) & 0xF);
    return buttons[std::min(index, buttons.size() - 1)];
}
