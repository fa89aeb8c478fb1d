#pragma once
// The commands of the script language, one row each, for where they stand: at the top of a
// script (host and designer commands) or inside a dialog block. The parser checks every command
// against its row and hands the row on with the command; the runner runs a command by its row.
// So a command is one row and one function, and no command parses that nothing would run.

#include <limits>
#include <span>

struct TScriptCommand;
class TScriptSession;

using TScriptHandler = void (*)(TScriptSession& session, const TScriptCommand& command);

struct TScriptCommandRow {
    const char* Name;
    int MinArgs;
    int MaxArgs;
    const char* Usage;  // what "usage: ..." quotes for a wrong number of words
    TScriptHandler Run;
};

constexpr int ManyArgs = std::numeric_limits<int>::max();

std::span<const TScriptCommandRow> HostCommandRows();
std::span<const TScriptCommandRow> DialogCommandRows();
