#include "vcl50/Headless.h"

#include <numeric>

#include "vcl50/Answering.h"
#include "vcl50/Dialogs.h"
#include "vcl50/Forms.h"

namespace {

// The headless widget set serves until another is installed.
const bool registeredAsDefault = [] {
    SetDefaultWidgetSet([]() -> std::unique_ptr<TWidgetSet> {
        return std::make_unique<THeadlessWidgetSet>();
    });
    return true;
}();

struct TMemoryClipboard {
    AnsiString Text;
    AnsiString Html;
};

TMemoryClipboard& MemoryClipboard()
{
    static TMemoryClipboard clipboard;
    return clipboard;
}

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

// No person is at a headless widget set: only what was queued answers.

void THeadlessWidgetSet::RunModal(TCustomForm* form)
{
    Answering::RunModalHandler(Answering::ModalHandler(form, false), form);
}

std::optional<TColor> THeadlessWidgetSet::ExecuteColorDialog(TColorDialog*)
{
    return Answering::ColorDialog(nullptr);
}

std::optional<AnsiString> THeadlessWidgetSet::ExecuteFileDialog(TOpenDialog* dialog)
{
    return Answering::FileDialog(Is<TSaveDialog>(dialog), nullptr);
}

int THeadlessWidgetSet::MessageBox(const AnsiString&, const AnsiString&, int flags)
{
    return MessageBoxDefaultButton(flags);
}

AnsiString THeadlessWidgetSet::ClipboardText() const
{
    return MemoryClipboard().Text;
}

AnsiString THeadlessWidgetSet::ClipboardHtml() const
{
    return MemoryClipboard().Html;
}

void THeadlessWidgetSet::SetClipboard(const AnsiString& text, const AnsiString& html)
{
    MemoryClipboard() = {text, html};
}
