// The script commands of the package report and of the autosave and its recovery.

#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "host/ScriptRunner.h"

void TScriptRunner::Install(const TScriptCommand& c)
{
    // A package that fails is no fault of the script: its exception is traced, the report keeps
    // the reason, and the script goes on as the designer does.
    FActions.Install(FHost, c.Args[0]);
}

void TScriptRunner::Packages(const TScriptCommand&)
{
    for (const TPackageRecord& record : FHost.PackageReport()) {
        FOut << "package: " << std::filesystem::path(record.Path).filename().string();
        if (record.Failure.empty())
            FOut << " state=loaded\n";
        else
            FOut << " state=failed reason=" << QuoteTraceText(record.Failure) << '\n';
    }
}

void TScriptRunner::Autosave(const TScriptCommand&)
{
    FHost.Autosave().Write(FHost.Forms());
}

void TScriptRunner::Crash(const TScriptCommand&)
{
    // The trace so far is seen; nothing else of a clean end happens.
    FOut.flush();
    std::cout.flush();
    std::cerr.flush();
    kill(getpid(), SIGKILL);
}

void TScriptRunner::Recover(const TScriptCommand&)
{
    FHost.Autosave().RecoverOrphans([this](const std::filesystem::path& file) {
        try {
            TDesigner& designer = FHost.RecoverForm(file.string());
            FOut << "recovered: " << designer.GetRoot()->Name() << '\n';
            return true;
        } catch (...) {
            // One unreadable form does not keep the others back.
            FTrace.ExceptionReached(CaughtFailure());
            return false;
        }
    });
}
