#include "host/designer/ShownText.h"

QString ShownText(std::string_view utf8, int most)
{
    // A character takes at most four bytes; cut on the first byte of one, not inside it.
    size_t end = std::min(utf8.size(), static_cast<size_t>(most) * 4);
    while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
        --end;
    QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(end));
    text.truncate(most);
    return text;
}
