#pragma once
// One policy for who answers what the model asks of a person, whichever widget set runs: what a
// test or script queued (Interaction) comes first; with nothing queued, a widget set that has a
// person at it asks the person, and one that has none raises EInteractionError, so nothing waits
// for nobody. Both widget sets defer to it; the model only asks its widget set.

#include <functional>
#include <optional>

#include "vcl50/Interaction.h"

class TCustomForm;

namespace Answering {

// The handler for a modal form just shown: the next queued one; empty when none is queued and a
// person answers.
Interaction::TModalHandler ModalHandler(TCustomForm* form, bool personAnswers);
// Runs a handler on its form; raises EInteractionError when the handler leaves the form open
// (no result, or its close handlers refused).
void RunModalHandler(const Interaction::TModalHandler& handler, TCustomForm* form);

// A person at a common dialog of the widget set's own: what they chose, empty when they
// cancelled. Null when the widget set has no person at it.
template <class T>
using TPerson = std::function<std::optional<T>()>;

// The outcome of a colour or file dialog, empty when cancelled: the queued answer, else the
// person's. A queued Raise answer raises its message; an answer queued for the other kind of
// dialog raises EInteractionError.
std::optional<TColor> ColorDialog(const TPerson<TColor>& person);
std::optional<AnsiString> FileDialog(bool save, const TPerson<AnsiString>& person);

}  // namespace Answering
