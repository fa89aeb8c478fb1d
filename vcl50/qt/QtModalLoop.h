#pragma once
// A running modal loop of the Qt widget set. The loops stack up as modal forms open modal forms;
// the bridge and the widget set ask the innermost one to end after each input, and after code has
// set a modal result (QtBridge::CheckSoon).

#include <QEventLoop>

class TCustomForm;

class QtModalLoop {
public:
    // Pushes the loop as the innermost one; the destructor takes it off again.
    explicit QtModalLoop(TCustomForm* form);
    ~QtModalLoop();
    QtModalLoop(const QtModalLoop&) = delete;
    QtModalLoop& operator=(const QtModalLoop&) = delete;

    // Runs until CheckInnermost ends it.
    void Exec() { FLoop.exec(); }
    // Context object for timers that must not outlive the loop.
    QObject* Context() { return &FLoop; }

    // Ends the innermost loop when an input failed (the loop then raises the kept error), its
    // form was freed, or its form has a modal result and lets itself close.
    static void CheckInnermost(bool inputFailed);
    // The innermost loop; null when none runs.
    static QtModalLoop* Innermost();

private:
    TCustomForm* FForm;
    QEventLoop FLoop;
};
