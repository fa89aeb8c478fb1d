#include "vcl50/Headless.h"

#include <numeric>

#include "vcl50/Dialogs.h"
#include "vcl50/Forms.h"
#include "vcl50/Interaction.h"

namespace {

// The headless widget set serves until another is installed.
const bool registeredAsDefault = [] {
    SetDefaultWidgetSet([]() -> std::unique_ptr<TWidgetSet> {
        return std::make_unique<THeadlessWidgetSet>();
    });
    return true;
}();

}  // namespace

THeadlessPeer* THeadlessPeer::Of(const TControl* control)
{
    return dynamic_cast<THeadlessPeer*>(control->Peer());
}

int THeadlessPeer::Total() const
{
    return std::accumulate(FCounts.begin(), FCounts.end(), 0);
}

std::unique_ptr<TControlPeer> THeadlessWidgetSet::CreatePeer(TControl*)
{
    return std::make_unique<THeadlessPeer>();
}

void THeadlessWidgetSet::RunModal(TCustomForm* form)
{
    Interaction::TModalHandler handler = Interaction::TakeModalHandler();
    if (!handler)
        throw EInteractionError(Format("No handler for the modal form %s", {form->ClassName()}));
    handler(form);
    // A result the handler set itself, not through input, still asks the form.
    if (form->ModalResult() == mrNone || !form->CloseModal())
        throw EInteractionError(Format("The handler left %s open", {form->ClassName()}));
}

std::optional<TColor> THeadlessWidgetSet::ExecuteColorDialog(TColorDialog*)
{
    throw EInteractionError("No answer for the colour dialog");
}

std::optional<AnsiString> THeadlessWidgetSet::ExecuteFileDialog(TOpenDialog* dialog)
{
    throw EInteractionError(Is<TSaveDialog>(dialog) ? "No answer for the save dialog"
                                                    : "No answer for the open dialog");
}

int THeadlessWidgetSet::MessageBox(const AnsiString&, const AnsiString&, int flags)
{
    return MessageBoxDefaultButton(flags);
}
