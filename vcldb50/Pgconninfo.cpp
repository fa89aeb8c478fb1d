#include "vcldb50/Pgconninfo.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

// Where one password stands in the text: its whole setting, and its value within that.
struct TPasswordSpan {
    size_t Begin, End;            // the setting ("password='x'", ":secret", "password=x")
    size_t ValueBegin, ValueEnd;  // the value as written
    AnsiString Value;             // as libpq reads it
    char Separator;               // the character that ties the setting to its neighbours
};

bool IsSpace(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// The keyword/value grammar of libpq's conninfo_parse.
std::vector<TPasswordSpan> KeywordPasswords(std::string_view text)
{
    std::vector<TPasswordSpan> found;
    size_t i = 0;
    while (true) {
        while (i < text.size() && IsSpace(text[i]))
            ++i;
        if (i >= text.size())
            break;
        const size_t keyBegin = i;
        while (i < text.size() && text[i] != '=' && !IsSpace(text[i]))
            ++i;
        const std::string_view key = text.substr(keyBegin, i - keyBegin);
        while (i < text.size() && IsSpace(text[i]))
            ++i;
        if (i >= text.size() || text[i] != '=')
            break;  // libpq refuses the text from here; nothing after it is read as a setting
        ++i;
        while (i < text.size() && IsSpace(text[i]))
            ++i;
        const size_t valueBegin = i;
        AnsiString value;
        if (i < text.size() && text[i] == '\'') {
            ++i;
            while (i < text.size() && text[i] != '\'') {
                if (text[i] == '\\' && i + 1 < text.size())
                    ++i;
                value += text[i++];
            }
            if (i < text.size())
                ++i;  // the closing quote; an unclosed one runs to the end
        } else {
            while (i < text.size() && !IsSpace(text[i])) {
                if (text[i] == '\\' && i + 1 < text.size())
                    ++i;
                value += text[i++];
            }
        }
        if (key == "password")
            found.push_back({keyBegin, i, valueBegin, i, value, ' '});
    }
    return found;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

AnsiString PercentDecoded(std::string_view text)
{
    AnsiString decoded;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
            decoded += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

size_t UriPrefixLength(std::string_view text)
{
    for (std::string_view prefix : {"postgresql://", "postgres://"})
        if (text.starts_with(prefix))
            return prefix.size();
    return 0;
}

// The URI grammar of libpq's conninfo_uri_parse_options: "user:password@" before the first '/',
// and "password=" among the parameters after the first '?'.
std::vector<TPasswordSpan> UriPasswords(std::string_view text, size_t start)
{
    std::vector<TPasswordSpan> found;
    size_t at = start;
    while (at < text.size() && text[at] != '@' && text[at] != '/')
        ++at;
    size_t rest = start;
    if (at < text.size() && text[at] == '@') {
        const size_t colon = text.find(':', start);
        if (colon < at)
            found.push_back({colon, at, colon + 1, at, PercentDecoded(text.substr(colon + 1, at - colon - 1)), ':'});
        rest = at + 1;
    }
    const size_t query = text.find('?', rest);
    if (query == std::string_view::npos)
        return found;
    size_t begin = query + 1;
    while (begin <= text.size()) {
        size_t end = text.find('&', begin);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view parameter = text.substr(begin, end - begin);
        const size_t equals = parameter.find('=');
        if (equals != std::string_view::npos && PercentDecoded(parameter.substr(0, equals)) == "password")
            found.push_back({begin, end, begin + equals + 1, end, PercentDecoded(parameter.substr(equals + 1)), '&'});
        begin = end + 1;
    }
    return found;
}

// The text without the settings: each goes with the separator after it, or the one before it
// when it is the last.
AnsiString Without(std::string_view text, const std::vector<TPasswordSpan>& spans)
{
    AnsiString kept;
    size_t from = 0;
    for (const TPasswordSpan& span : spans) {
        size_t begin = span.Begin, end = span.End;
        if (span.Separator == ':') {
            // "user:secret@": the user stays, with its '@'
        } else if (span.Separator == ' ') {
            while (end < text.size() && IsSpace(text[end]))
                ++end;
            if (end == text.size())
                while (begin > from && IsSpace(text[begin - 1]))
                    --begin;
        } else if (end < text.size()) {
            ++end;  // its '&'
        } else {
            --begin;  // the '&' or '?' before the last parameter
        }
        begin = std::max(begin, from);
        kept.append(text.substr(from, begin - from));
        from = end;
    }
    kept.append(text.substr(from));
    return kept;
}

AnsiString Masked(std::string_view text, const std::vector<TPasswordSpan>& spans)
{
    AnsiString shown;
    size_t from = 0;
    for (const TPasswordSpan& span : spans) {
        shown.append(text.substr(from, span.ValueBegin - from));
        shown += PasswordMask;
        from = span.ValueEnd;
    }
    shown.append(text.substr(from));
    return shown;
}

}  // namespace

TConnectionText SplitPassword(std::string_view text)
{
    const size_t prefix = UriPrefixLength(text);
    const std::vector<TPasswordSpan> spans = prefix ? UriPasswords(text, prefix) : KeywordPasswords(text);
    TConnectionText parts{Without(text, spans), Masked(text, spans), std::nullopt};
    if (!spans.empty())
        parts.Password = spans.back().Value;
    return parts;
}
