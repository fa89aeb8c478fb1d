#pragma once
// Designer scripts as text: lines of blank-separated words, quoted words, comments, and dialog
// blocks. Parsing checks every command's name and word count for where it stands (host commands
// at the top, dialog commands inside a block), so a script runs only once it is well formed.

#include <string_view>
#include <vector>

#include "host/ScriptCommands.h"
#include "vcl50/Interaction.h"

// A script that is wrong: what, and on which line. It is an interaction error, so it passes the
// error report of event handlers on its way out of a dialog to whoever runs the script.
class EScriptError : public EInteractionError {
public:
    EScriptError(int line, AnsiString message);
    const char* ClassName() const override;
    int Line() const { return FLine; }

private:
    int FLine;
};

struct TScriptCommand {
    int Line = 0;
    AnsiString Name;                     // the first word
    std::vector<AnsiString> Args;        // the others, unquoted
    std::vector<TScriptCommand> Block;   // `dialog`: the commands of its block
    int EndLine = 0;                     // `dialog`: the line of its `end`
    const TScriptCommandRow* Row = nullptr;  // what the command is, for where it stands
};

// How deep dialog blocks may nest.
constexpr size_t MaxDialogNesting = 64;

// Raises EScriptError for an unclosed quote, an unknown command, a wrong number of words, an
// `end` without its `dialog`, a `dialog` without its `end` or blocks nested too deep.
std::vector<TScriptCommand> ParseScript(std::string_view text);

// Splits one line into words: blanks separate, double quotes group ("\"" and "\\" inside),
// `#` outside quotes ends the line. Raises EScriptError for an unclosed quote.
std::vector<AnsiString> SplitScriptLine(std::string_view line, int lineNumber);
