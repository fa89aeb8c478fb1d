#include "vcl50/Widgetset.h"

#include <algorithm>

#include "vcl50/Forms.h"
#include "vcl50/Headless.h"

TControlPeer::~TControlPeer() = default;
void TControlPeer::BoundsChanged() {}
void TControlPeer::VisibleChanged() {}
void TControlPeer::EnabledChanged() {}
void TControlPeer::CaptionChanged() {}
void TControlPeer::ColorChanged() {}
void TControlPeer::FontChanged() {}
void TControlPeer::CursorChanged() {}
void TControlPeer::HintChanged() {}
void TControlPeer::FocusChanged() {}
void TControlPeer::TabOrderChanged() {}
void TControlPeer::AppearanceChanged() {}
void TControlPeer::ItemsChanged() {}
void TControlPeer::SelectionChanged() {}
void TControlPeer::ItemIndexChanged() {}

TWidgetSet::~TWidgetSet() = default;

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

namespace {

std::unique_ptr<TWidgetSet>& Current()
{
    static std::unique_ptr<TWidgetSet> current = std::make_unique<THeadlessWidgetSet>();
    return current;
}

}  // namespace

void SetWidgetSet(std::unique_ptr<TWidgetSet> widgetSet)
{
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (Screen->Forms(i)->HandleAllocated())
            throw EInvalidOperation("Cannot change the widget set while a form is shown");
    Current() = widgetSet ? std::move(widgetSet) : std::make_unique<THeadlessWidgetSet>();
}

TWidgetSet& WidgetSet()
{
    return *Current();
}
