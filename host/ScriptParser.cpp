#include "host/ScriptParser.h"


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

const TScriptCommandRow* FindRow(std::span<const TScriptCommandRow> rows, std::string_view name)
{
    for (const TScriptCommandRow& row : rows)
        if (name == row.Name)
            return &row;
    return nullptr;
}

// Finds the command's row for where it stands, and checks its word count against it.
void Check(TScriptCommand& command, bool inDialog)
{
    std::span<const TScriptCommandRow> here = inDialog ? DialogCommandRows() : HostCommandRows();
    std::span<const TScriptCommandRow> there = inDialog ? HostCommandRows() : DialogCommandRows();
    const TScriptCommandRow* row = FindRow(here, command.Name);
    if (!row) {
        if (FindRow(there, command.Name))
            throw EScriptError(command.Line, Format(inDialog ? "%s is not a command inside a dialog block"
                                                             : "%s is a command for inside a dialog block",
                                                    {command.Name}));
        throw EScriptError(command.Line, Format("unknown command %s", {command.Name}));
    }
    int count = static_cast<int>(command.Args.size());
    if (count < row->MinArgs || count > row->MaxArgs)
        throw EScriptError(command.Line, Format("usage: %s", {row->Usage}));
    command.Row = row;
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
        if (list.back().Name == "dialog") {
            // Modal forms opened from modal forms are a handful deep; the bound also keeps
            // running and freeing the blocks, which recurse, off the end of the stack.
            if (open.size() == MaxDialogNesting)
                throw EScriptError(lineNumber, Format("dialog blocks nest more than %d deep",
                                                      {static_cast<int>(MaxDialogNesting)}));
            open.push_back(&list.back());
        }
    }
    if (!open.empty())
        throw EScriptError(open.back()->Line, "dialog without end");
    return top;
}
