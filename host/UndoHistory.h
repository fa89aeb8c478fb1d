#pragma once
// The undo history of one designed form: each step holds the whole form as form text after one
// designer action, and before it only where that is not the step before's after (the oldest step,
// or a form changed between two actions), so each text is held once. Text, not pointers: a step
// outlives the components it describes, which undo rebuilds, and a package's writes are covered
// without the package knowing. The history is bounded by bytes, not steps: a form with a caption
// of megabytes must not keep gigabytes alive.

#include <deque>
#include <optional>
#include <vector>

#include "vcl50/Sysutils.h"

struct TUndoStep {
    AnsiString Label;                  // what the person did, for menus and the history view ("Move W")
    std::optional<AnsiString> Before;  // the form text before the action; none: the step before's After
    AnsiString After;                  // and after it
};

class TUndoHistory {
public:
    // The oldest steps go beyond this many bytes; a form file keeps what is older.
    static constexpr size_t MaxBytes = size_t{64} << 20;

    // A new action that took the form from `before` to `after`: the redo list goes, then the
    // oldest steps while the history holds more than MaxBytes. A step larger than that on its own
    // is not kept and clears the history: false then.
    bool Push(AnsiString label, AnsiString before, AnsiString after);
    bool CanUndo() const { return FDone > 0; }
    bool CanRedo() const { return FDone < FSteps.size(); }
    // The step to undo or redo next; only when there is one.
    const TUndoStep& NextUndo() const { return FSteps[FDone - 1]; }
    const TUndoStep& NextRedo() const { return FSteps[FDone]; }
    // The form text that undoing, or redoing, the next step puts back; only when there is one.
    const AnsiString& UndoText() const;
    const AnsiString& RedoText() const { return NextRedo().After; }
    // Moves the next step across, once the form has been put back.
    void Undone() { --FDone; }
    void Redone() { ++FDone; }
    // Oldest first; the first `DoneCount()` are done, the rest undone (nearest the done ones first).
    std::vector<const TUndoStep*> Steps() const;
    size_t DoneCount() const { return FDone; }
    // What the steps hold: their texts and labels, and each step's own keeping.
    size_t Bytes() const { return FBytes; }

private:
    static size_t BytesOf(const TUndoStep& step);
    void DropOldest();

    std::deque<TUndoStep> FSteps;  // oldest first
    size_t FDone = 0;              // the first this many are done
    size_t FBytes = 0;
};
