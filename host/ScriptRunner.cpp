#include "host/ScriptRunner.h"

namespace {

// Restores what a run changes in the process once it ends, however it ends: a designer window
// that runs a script keeps its own observer, listener and report.
struct TRunScope {
    TDesignHost& Host;
    TInteractionObserver* Observer = &Interaction::Observer();
    std::function<void(TDesigner&)> OnModified = Host.OnModified();
    TDesignerCommands::TReport Report = Host.Commands().Report();
    ~TRunScope()
    {
        Interaction::SetObserver(Observer);
        Interaction::ClearQueues();
        Host.SetOnModified(OnModified);
        Host.Commands().SetReport(Report);
    }
};

}  // namespace

TScriptRunner::TScriptRunner(TDesignHost& host, std::ostream& out, std::ostream& err, TInputDriver* input,
                             TScriptScreenshot screenshot, TScriptHands* hands)
    : FOut(out), FErr(err), FCoreHands(host.Commands()),
      FSession(host, out, input ? *input : FDirectInput, std::move(screenshot), hands ? *hands : FCoreHands)
{
}

int TScriptRunner::Fail(int line, const AnsiString& what)
{
    FOut.flush();
    FErr << "script error: line " << line << ": " << PrintableTraceText(what) << '\n';
    FErr.flush();
    return 1;
}

void TScriptRunner::RunCommand(const TScriptCommand& command)
{
    try {
        try {
            command.Row->Run(FSession, command);
        } catch (...) {
            // What the command layer caught first is the cause of what followed.
            FSession.RethrowFailure();
            throw;
        }
        FSession.RethrowFailure();
    } catch (const EInteractionError& e) {
        // The machinery's own complaints (a dialog nobody answers) are the script's fault.
        if (!FSession.ScriptError)
            FSession.ScriptError.emplace(command.Line, e.Message());
    } catch (...) {
        if (!FSession.ScriptError)
            FSession.Trace.ExceptionReached(CaughtFailure());
    }
}

int TScriptRunner::Run(std::string_view text)
{
    std::vector<TScriptCommand> commands;
    try {
        commands = ParseScript(text);
    } catch (const EScriptError& e) {
        return Fail(e.Line(), e.Message());
    }
    TDesignHost& host = FSession.Host;
    TRunScope scope{host};
    Interaction::ClearQueues();
    Interaction::SetObserver(&FSession.Trace);
    host.SetOnModified([this, &scope](TDesigner& designer) {
        FSession.Trace.Modified();
        if (scope.OnModified)
            scope.OnModified(designer);
    });
    host.Commands().SetReport([this](std::exception_ptr failure) { FSession.Report(std::move(failure)); });
    for (const TScriptCommand& command : commands) {
        FSession.ScriptError.reset();
        RunCommand(command);
        if (FSession.ScriptError)
            return Fail(FSession.ScriptError->first, FSession.ScriptError->second);
        if (command.Name == "dialog" || command.Name == "answer")
            continue;
        if (auto unused = FSession.TakeUnused(command.Line))
            return Fail(unused->first, unused->second);
    }
    if (auto unused = FSession.TakeUnused(std::nullopt))
        return Fail(unused->first, unused->second);
    FOut.flush();
    return 0;
}
