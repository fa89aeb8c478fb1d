#include "vcl50/qt/QtBridge.h"

#include "vcl50/Input.h"
#include "vcl50/qt/QtModalLoop.h"

namespace QtBridge {
namespace {

std::exception_ptr& Pending()
{
    static std::exception_ptr pending;
    return pending;
}

}  // namespace

void Deliver(const TControl* control, const std::function<void()>& input)
{
    // After an error nothing more is delivered until the modal loop has raised it.
    if (Pending() || !Input::IsAlive(control))
        return;
    try {
        input();
    } catch (...) {
        Pending() = std::current_exception();
    }
    QtModalLoop::CheckInnermost(HasPending());
}

void Keep(std::exception_ptr error)
{
    if (!Pending())
        Pending() = std::move(error);
    QtModalLoop::CheckInnermost(true);
}

std::exception_ptr TakePending()
{
    return std::exchange(Pending(), nullptr);
}

bool HasPending()
{
    return static_cast<bool>(Pending());
}

void CheckSoon()
{
    if (QtModalLoop* loop = QtModalLoop::Innermost())
        QMetaObject::invokeMethod(
            loop->Context(), [] { QtModalLoop::CheckInnermost(HasPending()); }, Qt::QueuedConnection);
}

}  // namespace QtBridge
