#pragma once
// Plays a designer script against a design host: each command of the parsed script runs by its
// row (ScriptCommands.h) in one session, host commands acting through the session's hands and the
// designer's command layer, dialog blocks in modal forms through an input driver, as a person
// would. Free of any widget set, so every designer runs scripts alike.

#include <ostream>
#include <string_view>

#include "host/ScriptSession.h"

class TScriptRunner {
public:
    // Without a driver, a person's actions go straight to the input path; without a screenshot
    // function, `screenshot` is a script error; without hands, host commands act through the
    // command layer directly.
    TScriptRunner(TDesignHost& host, std::ostream& out, std::ostream& err, TInputDriver* input = nullptr,
                  TScriptScreenshot screenshot = nullptr, TScriptHands* hands = nullptr);

    // Plays the script: 0, or 1 after a script error, which is reported on `err`.
    int Run(std::string_view text);

private:
    int Fail(int line, const AnsiString& what);
    // Runs one command; what it raised, or the command layer reported for it, is traced, or made
    // the script error it is.
    void RunCommand(const TScriptCommand& command);

    std::ostream& FOut;
    std::ostream& FErr;
    TInputDriver FDirectInput;
    TScriptHands FCoreHands;
    TScriptSession FSession;
};
