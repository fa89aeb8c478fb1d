#include "rowcastb5/Columnnames.h"

#include <unordered_set>

AnsiString CutUtf8(std::string_view text, size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return AnsiString(text);
    size_t end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return AnsiString(text.substr(0, end));
}

namespace {

AnsiString Folded(std::string_view name)
{
    AnsiString folded(name);
    for (char& c : folded)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return folded;
}

}  // namespace

std::vector<AnsiString> UniqueColumnNames(const std::vector<AnsiString>& names, size_t maxBytes)
{
    std::vector<AnsiString> unique;
    std::unordered_set<AnsiString> taken;  // folded
    unique.reserve(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        AnsiString base = names[i].empty() ? "FIELD" + IntToStr(static_cast<int64_t>(i + 1)) : names[i];
        for (char& c : base)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                c = '_';
        AnsiString name = CutUtf8(base, maxBytes);
        for (int64_t n = 2; taken.count(Folded(name)); ++n) {
            const AnsiString suffix = "_" + IntToStr(n);
            name = CutUtf8(base, maxBytes > suffix.size() ? maxBytes - suffix.size() : 0) + suffix;
        }
        taken.insert(Folded(name));
        unique.push_back(std::move(name));
    }
    return unique;
}
