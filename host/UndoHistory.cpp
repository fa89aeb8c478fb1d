#include "host/UndoHistory.h"

void TUndoHistory::Push(TUndoStep step)
{
    FUndone.clear();
    FDone.push_back(std::move(step));
    if (FDone.size() > MaxSteps)
        FDone.erase(FDone.begin());
}

void TUndoHistory::Undone()
{
    FUndone.push_back(std::move(FDone.back()));
    FDone.pop_back();
}

void TUndoHistory::Redone()
{
    FDone.push_back(std::move(FUndone.back()));
    FUndone.pop_back();
}

std::vector<const TUndoStep*> TUndoHistory::Steps() const
{
    std::vector<const TUndoStep*> steps;
    for (const TUndoStep& step : FDone)
        steps.push_back(&step);
    for (auto it = FUndone.rbegin(); it != FUndone.rend(); ++it)
        steps.push_back(&*it);
    return steps;
}
