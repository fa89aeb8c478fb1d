#pragma once
// The one way a Qt event reaches the model: a control that has been freed hears nothing, and an
// exception that the input path lets through (an interaction error of a script or test) is kept
// for the modal loop to raise, since it must not cross Qt's event dispatch.

#include <exception>
#include <functional>

class TControl;

namespace QtBridge {

// Runs `input` (a call of the Input unit) when `control` is still alive.
void Deliver(const TControl* control, const std::function<void()>& input);

// Keeps an exception that must not cross Qt's event dispatch for the modal loop to raise (the
// first one kept wins).
void Keep(std::exception_ptr error);

// The exception kept from an event, taken once; null when there is none.
std::exception_ptr TakePending();
bool HasPending();

// Asks the innermost modal loop to check its form once the running event is handled, as input
// does: for a modal result that code set, not in the middle of the code that set it.
void CheckSoon();

}  // namespace QtBridge
