#pragma once
// What the commands of one script run share: the host and its command layer, the hands that act
// for the script, the trace, the innermost modal form of a dialog block, and the lookups that make
// a script error of what is not there.

#include <exception>
#include <functional>
#include <optional>
#include <ostream>
#include <utility>
#include <vector>

#include "host/DesignHost.h"
#include "host/PropertyGrid.h"
#include "host/ScriptHands.h"
#include "host/ScriptParser.h"
#include "host/ScriptTrace.h"
#include "vcl50/Inputdriver.h"

class TCustomForm;

// Writes a PNG of a shown form's client area, exactly ClientWidth by ClientHeight pixels.
using TScriptScreenshot = std::function<void(TCustomForm* form, const AnsiString& path)>;

// Numbers are decimal or 0x hexadecimal; eight hex digits wrap to 32 bits as colours need.
std::optional<int64_t> ParseScriptNumber(std::string_view text);

class TScriptSession {
public:
    TScriptSession(TDesignHost& host, std::ostream& out, TInputDriver& input, TScriptScreenshot screenshot,
                   TScriptHands& hands);

    TDesignHost& Host;
    TDesignerCommands& Commands;
    std::ostream& Out;
    TInputDriver& Input;
    TScriptScreenshot Screenshot;
    TScriptHands& Hands;
    TScriptTrace Trace;
    // The innermost modal form a dialog block acts in.
    TCustomForm* Dialog = nullptr;
    // The first script error of a command: it is raised out of modal forms, through code that
    // may report or swallow exceptions on its way, and still ends the script with its own line.
    std::optional<std::pair<int, AnsiString>> ScriptError;

    // The lines of the blocks and answers queued, in queue order; the queue is used from its front.
    std::vector<int> QueuedBlocks;
    std::vector<int> QueuedAnswers;
    // What a command left unused of the blocks and answers queued for it: the first such, as a
    // script error's line and text (at `line`, or at its own line once the script has ended).
    // Forgets what was queued.
    std::optional<std::pair<int, AnsiString>> TakeUnused(std::optional<int> line);

    [[noreturn]] void Error(const TScriptCommand& command, const AnsiString& what);
    // What the command layer reported of the running command, raised again here, so the script
    // reports it as it reports what a command raises itself.
    void Report(std::exception_ptr failure);
    void RethrowFailure();

    TDesigner& CurrentForm(const TScriptCommand& c);
    TComponent* FormComponent(const TScriptCommand& c, const AnsiString& name);
    TPropertyGrid Inspect(const TScriptCommand& c);
    TPropertyGridRow& Row(const TScriptCommand& c, TPropertyGrid& inspector, const AnsiString& path);
    void PrintPath(const TScriptCommand& c, TObject* start, const AnsiString& nameDotPath, const AnsiString& path);
    int Number(const TScriptCommand& c, const AnsiString& text);

private:
    std::exception_ptr FFailure;
};
