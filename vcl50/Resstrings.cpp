#include "vcl50/Resstrings.h"

#include "vcl50/Modules.h"
#include "vcl50/Resources.h"
#include "vcl50/Sysutils.h"

namespace {

std::map<AnsiString, AnsiString>& Registered()
{
    static std::map<AnsiString, AnsiString> texts;
    return texts;
}

AnsiString Unescape(std::string_view text, int line)
{
    AnsiString result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            result += text[i];
            continue;
        }
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (next != 'n' && next != '\\')
            throw EResourceError(Format("String table line %d: only \\n and \\\\ may be escaped", {line}));
        result += next == 'n' ? '\n' : '\\';
        ++i;
    }
    return result;
}

std::optional<AnsiString> FromModule(HINSTANCE instance, const AnsiString& name)
{
    const auto bytes = ReadResource(instance, StringTableName, RT_STRING);
    if (!bytes)
        return std::nullopt;
    const auto table = ParseStringTable(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    const auto it = table.find(name);
    return it == table.end() ? std::nullopt : std::optional(it->second);
}

}  // namespace

std::map<AnsiString, AnsiString> ParseStringTable(std::string_view text)
{
    std::map<AnsiString, AnsiString> table;
    int number = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        const size_t equals = line.find('=');
        if (equals == 0 || equals == std::string_view::npos)
            throw EResourceError(Format("String table line %d: expected NAME=TEXT", {number}));
        table[AnsiString(line.substr(0, equals))] = Unescape(line.substr(equals + 1), number);
    }
    return table;
}

AnsiString LoadResString(const TResStringRec& rec)
{
    const AnsiString name = rec.Name;
    if (const auto it = Registered().find(name); it != Registered().end())
        return it->second;
    // A module that registered no record (a program) is asked directly.
    HINSTANCE module = FindHInstance(&rec);
    if (!module)
        module = InstanceOfAddress(&rec);
    const HINSTANCE language = module ? FindResourceHInstance(module) : nullptr;
    std::optional<AnsiString> text = language ? FromModule(language, name) : std::nullopt;
    if (!text && module && language != module)
        text = FromModule(module, name);
    return text ? *text : name;
}

void RegisterStringTable(std::string_view text)
{
    for (auto& [name, value] : ParseStringTable(text))
        Registered()[name] = std::move(value);
}

void UnregisterStringTables()
{
    Registered().clear();
}
