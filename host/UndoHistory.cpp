#include "host/UndoHistory.h"

bool TUndoHistory::Push(AnsiString label, AnsiString before, AnsiString after)
{
    while (FSteps.size() > FDone) {
        FBytes -= BytesOf(FSteps.back());
        FSteps.pop_back();
    }
    // A text written by appending holds up to twice its size; kept for long, it holds its size.
    const bool chained = !FSteps.empty() && FSteps.back().After == before;
    if (!chained)
        before.shrink_to_fit();
    after.shrink_to_fit();
    // Alone, a step keeps both its texts.
    const size_t beforeBytes = chained ? FSteps.back().After.capacity() : before.capacity();
    if (sizeof(TUndoStep) + label.capacity() + beforeBytes + after.capacity() > MaxBytes) {
        FSteps.clear();
        FDone = 0;
        FBytes = 0;
        return false;
    }
    TUndoStep step{std::move(label), std::nullopt, std::move(after)};
    if (!chained)
        step.Before = std::move(before);
    FBytes += BytesOf(step);
    FSteps.push_back(std::move(step));
    ++FDone;
    while (FBytes > MaxBytes)
        DropOldest();
    return true;
}

void TUndoHistory::DropOldest()
{
    TUndoStep& oldest = FSteps.front();
    FBytes -= BytesOf(oldest);
    // The next step's form before it was the oldest's after: now it keeps that text itself.
    if (FSteps.size() > 1 && !FSteps[1].Before) {
        FSteps[1].Before = std::move(oldest.After);
        FBytes += FSteps[1].Before->capacity();
    }
    FSteps.pop_front();
    --FDone;
}

const AnsiString& TUndoHistory::UndoText() const
{
    const TUndoStep& step = NextUndo();
    return step.Before ? *step.Before : FSteps[FDone - 2].After;
}

size_t TUndoHistory::BytesOf(const TUndoStep& step)
{
    return sizeof(TUndoStep) + step.Label.capacity() + (step.Before ? step.Before->capacity() : 0) +
           step.After.capacity();
}

std::vector<const TUndoStep*> TUndoHistory::Steps() const
{
    std::vector<const TUndoStep*> steps;
    steps.reserve(FSteps.size());
    for (const TUndoStep& step : FSteps)
        steps.push_back(&step);
    return steps;
}
