#include "vcl50/Answering.h"

#include "vcl50/Forms.h"

namespace Answering {
namespace {

// The queued outcome of the next common dialog, when one is queued; EInteractionError when none
// is and nobody else can answer.
std::optional<TDialogAnswer> Queued(bool forColor, const char* dialog, bool personAnswers)
{
    if (!Interaction::HasAnswer()) {
        if (!personAnswers)
            throw EInteractionError(Format("No answer for the %s", {dialog}));
        return std::nullopt;
    }
    TDialogAnswer answer = Interaction::TakeAnswer();
    if (answer.Kind == TDialogAnswer::Raise)
        throw Exception(answer.Text);
    // A colour answer has no text, a file answer always has one.
    if (answer.Kind == TDialogAnswer::Value && answer.Text.empty() != forColor)
        throw EInteractionError(Format(forColor ? "The answer queued for the %s is a file name"
                                                : "The answer queued for the %s is no file name",
                                       {dialog}));
    return answer;
}

}  // namespace

Interaction::TModalHandler ModalHandler(TCustomForm* form, bool personAnswers)
{
    Interaction::TModalHandler handler = Interaction::TakeModalHandler();
    if (!handler && !personAnswers)
        throw EInteractionError(Format("No handler for the modal form %s", {form->ClassName()}));
    return handler;
}

void RunModalHandler(const Interaction::TModalHandler& handler, TCustomForm* form)
{
    handler(form);
    // A result the handler set itself, not through input, still asks the form.
    if (form->ModalResult() == mrNone || !form->CloseModal())
        throw EInteractionError(Format("The handler left %s open", {form->ClassName()}));
}

std::optional<TColor> ColorDialog(const TPerson<TColor>& person)
{
    std::optional<TDialogAnswer> answer = Queued(true, "colour dialog", person != nullptr);
    if (!answer)
        return person();
    return answer->Kind == TDialogAnswer::Value ? std::optional<TColor>(answer->Color) : std::nullopt;
}

std::optional<AnsiString> FileDialog(bool save, const TPerson<AnsiString>& person)
{
    std::optional<TDialogAnswer> answer = Queued(false, save ? "save dialog" : "open dialog", person != nullptr);
    if (!answer)
        return person();
    return answer->Kind == TDialogAnswer::Value ? std::optional<AnsiString>(answer->Text) : std::nullopt;
}

}  // namespace Answering
