#include "host/ScriptParser.h"

#include <limits>

#include "vcl50/Sysutils.h"

EScriptError::EScriptError(int line, AnsiString message) : EInteractionError(std::move(message)), FLine(line) {}

const char* EScriptError::ClassName() const
{
    return "EScriptError";
}

std::vector<AnsiString> SplitScriptLine(std::string_view line, int lineNumber)
{
    std::vector<AnsiString> words;
    size_t i = 0;
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; };
    while (true) {
        while (i < line.size() && blank(line[i]))
            ++i;
        if (i == line.size() || line[i] == '#')
            return words;
        AnsiString word;
        if (line[i] == '"') {
            ++i;
            while (true) {
                if (i == line.size())
                    throw EScriptError(lineNumber, "unclosed quote");
                char c = line[i++];
                if (c == '"')
                    break;
                // Only \" and \\ are escapes; any other backslash is kept, as in a path.
                if (c == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\'))
                    c = line[i++];
                word += c;
            }
            if (i < line.size() && !blank(line[i]) && line[i] != '#')
                throw EScriptError(lineNumber, "a quoted word must be followed by a blank");
        } else {
            while (i < line.size() && !blank(line[i]) && line[i] != '"')
                word += line[i++];
            if (i < line.size() && line[i] == '"')
                throw EScriptError(lineNumber, "a quote inside a word");
        }
        words.push_back(std::move(word));
    }
}

namespace {

constexpr int Many = std::numeric_limits<int>::max();

struct TCommandShape {
    const char* Name;
    int MinArgs;
    int MaxArgs;
    const char* Usage;
};

constexpr TCommandShape HostCommands[] = {
    {"form", 1, 1, "form NAME"},
    {"add", 2, 2, "add CLASS NAME"},
    {"delete", 1, 1, "delete NAME"},
    {"select", 1, Many, "select NAME..."},
    {"set", 2, 2, "set PROP VALUE"},
    {"value", 1, 1, "value PROP"},
    {"values", 1, 1, "values PROP"},
    {"attrs", 1, 1, "attrs PROP"},
    {"edit", 1, 1, "edit PROP"},
    {"get", 1, 1, "get NAME.PROP"},
    {"verbs", 1, 1, "verbs NAME"},
    {"verb", 2, 2, "verb NAME INDEX"},
    {"dblclick", 1, 1, "dblclick NAME"},
    {"modified", 0, 0, "modified"},
    {"forms", 0, 0, "forms"},
    {"regional", 2, 2, "regional NAME VALUE"},
    {"palette", 0, 0, "palette"},
    {"save", 1, 1, "save PATH"},
    {"open", 1, 1, "open PATH"},
    {"answer", 2, 2, "answer KIND VALUE"},
    {"dialog", 0, 0, "dialog"},
};

constexpr TCommandShape DialogCommands[] = {
    {"click", 1, 1, "click NAME"},
    {"dblclick", 1, 1, "dblclick NAME"},
    {"key", 2, 2, "key NAME CODE"},
    {"choose", 2, 2, "choose NAME INDEX"},
    {"pick", 2, Many, "pick NAME TEXT..."},
    {"drag", 2, 2, "drag FROM TO"},
    {"get", 1, 1, "get NAME.PROP"},
    {"list", 1, 1, "list NAME"},
    {"enabled", 1, Many, "enabled NAME..."},
    {"focus", 0, 0, "focus"},
    {"answer", 2, 2, "answer KIND VALUE"},
    {"dialog", 0, 0, "dialog"},
    {"ok", 0, 0, "ok"},
    {"cancel", 0, 0, "cancel"},
    {"close", 0, 0, "close"},
    {"screenshot", 1, 1, "screenshot PATH"},
};

template <size_t N>
const TCommandShape* FindShape(const TCommandShape (&table)[N], std::string_view name)
{
    for (const TCommandShape& shape : table)
        if (name == shape.Name)
            return &shape;
    return nullptr;
}

void Check(const TScriptCommand& command, bool inDialog)
{
    const TCommandShape* shape =
        inDialog ? FindShape(DialogCommands, command.Name) : FindShape(HostCommands, command.Name);
    if (!shape) {
        bool elsewhere = inDialog ? FindShape(HostCommands, command.Name) : FindShape(DialogCommands, command.Name);
        if (elsewhere)
            throw EScriptError(command.Line, Format(inDialog ? "%s is not a command inside a dialog block"
                                                             : "%s is a command for inside a dialog block",
                                                    {command.Name}));
        throw EScriptError(command.Line, Format("unknown command %s", {command.Name}));
    }
    int count = static_cast<int>(command.Args.size());
    if (count < shape->MinArgs || count > shape->MaxArgs)
        throw EScriptError(command.Line, Format("usage: %s", {shape->Usage}));
}

}  // namespace

std::vector<TScriptCommand> ParseScript(std::string_view text)
{
    std::vector<TScriptCommand> top;
    // The open dialog blocks, innermost last; each points into its parent's list.
    std::vector<TScriptCommand*> open;
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);  // a byte order mark some editors write
    int lineNumber = 0;
    while (!text.empty() || lineNumber == 0) {
        ++lineNumber;
        size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
        std::vector<AnsiString> words = SplitScriptLine(line, lineNumber);
        if (words.empty())
            continue;
        TScriptCommand command;
        command.Line = lineNumber;
        command.Name = words.front();
        command.Args.assign(words.begin() + 1, words.end());
        if (command.Name == "end") {
            if (open.empty())
                throw EScriptError(lineNumber, "end without dialog");
            if (!command.Args.empty())
                throw EScriptError(lineNumber, "usage: end");
            open.back()->EndLine = lineNumber;
            open.pop_back();
            continue;
        }
        Check(command, !open.empty());
        std::vector<TScriptCommand>& list = open.empty() ? top : open.back()->Block;
        list.push_back(std::move(command));
        if (list.back().Name == "dialog")
            open.push_back(&list.back());
    }
    if (!open.empty())
        throw EScriptError(open.back()->Line, "dialog without end");
    return top;
}
