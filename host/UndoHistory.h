#pragma once
// The undo history of one designed form: each step holds the whole form as form text before and
// after one designer action. Text, not pointers: a step outlives the components it describes,
// which undo rebuilds, and a package's writes are covered without the package knowing.

#include <vector>

#include "vcl50/Sysutils.h"

struct TUndoStep {
    AnsiString Label;   // what the person did, for menus and the history view ("Move W")
    AnsiString Before;  // the form text before the action
    AnsiString After;   // and after it
};

class TUndoHistory {
public:
    // The oldest steps go beyond this many; a form file keeps what is older.
    static constexpr size_t MaxSteps = 100;

    // A new action: the redo list goes.
    void Push(TUndoStep step);
    bool CanUndo() const { return !FDone.empty(); }
    bool CanRedo() const { return !FUndone.empty(); }
    // The step to undo or redo next; only when there is one.
    const TUndoStep& NextUndo() const { return FDone.back(); }
    const TUndoStep& NextRedo() const { return FUndone.back(); }
    // Moves the next step across, once the form has been put back.
    void Undone();
    void Redone();
    // Oldest first; the first `DoneCount()` are done, the rest undone (nearest the done ones first).
    std::vector<const TUndoStep*> Steps() const;
    size_t DoneCount() const { return FDone.size(); }

private:
    std::vector<TUndoStep> FDone;
    std::vector<TUndoStep> FUndone;  // the next to redo last
};
