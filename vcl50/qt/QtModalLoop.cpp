#include "vcl50/qt/QtModalLoop.h"

#include <algorithm>
#include <vector>

#include "vcl50/Forms.h"
#include "vcl50/Input.h"

namespace {

std::vector<QtModalLoop*>& Loops()
{
    static std::vector<QtModalLoop*> loops;
    return loops;
}

}  // namespace

QtModalLoop::QtModalLoop(TCustomForm* form) : FForm(form)
{
    Loops().push_back(this);
}

QtModalLoop::~QtModalLoop()
{
    std::erase(Loops(), this);
}

void QtModalLoop::CheckInnermost(bool inputFailed)
{
    // Only the innermost form can close now: an outer one asks its close handlers once its own
    // loop runs again, as the platform's nested modal loops do.
    if (Loops().empty())
        return;
    QtModalLoop* loop = Loops().back();
    bool end = inputFailed || !Input::IsAlive(loop->FForm);
    if (!end && loop->FForm->ModalResult() != mrNone)
        end = loop->FForm->CloseModal();
    if (end)
        loop->FLoop.quit();
}

QtModalLoop* QtModalLoop::Innermost()
{
    return Loops().empty() ? nullptr : Loops().back();
}
