#include "DialogTesting.h"

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "vcl50/Formresources.h"
#include "vcl50/Headless.h"
#include "vcl50/Input.h"
#include "vcl50/Resstrings.h"

namespace {

std::string Hex(TColor color)
{
    return Format("0x%.8x", {static_cast<int>(color)});
}

// The editors' and dialogs' texts: the package's string table, from the source tree too.
const bool stringsRegistered = (RegisterStringTable(ReadText(PACKAGE_STRINGS)), true);

}  // namespace

void TRecordingObserver::ColorDialogRan(TColor start, const std::optional<TColor>& chosen)
{
    Events.push_back("color " + Hex(start) + " -> " + (chosen ? Hex(*chosen) : std::string("cancel")));
}

void TRecordingObserver::FileDialogRan(const TFileDialogRequest& request, const std::optional<AnsiString>& chosen)
{
    Events.push_back(std::string(request.Save ? "save" : "open") + " \"" + request.Title + "\" \"" +
                     request.Filter + "\" \"" + request.DefaultExt + "\" -> " +
                     (chosen ? *chosen : AnsiString("cancel")));
}

void TRecordingObserver::MessageShown(const AnsiString& text)
{
    Events.push_back("message " + text);
}

void TRecordingObserver::ErrorShown(const AnsiString& text)
{
    Events.push_back("error " + text);
}

void TemplateDialogTest::SetUp()
{
    // The test executable carries the dialog's code but is no package: its form resource comes
    // from the source tree.
    RegisterFormResource("TFMKHTMLTEMPLATEEDITDLG", ReadText(HTMLTEMPLATE_DFM));
    Interaction::ClearQueues();
    Interaction::SetObserver(&Observer);
    std::string pattern = (std::filesystem::temp_directory_path() / "htmltemplate-XXXXXX").string();
    Folder = mkdtemp(pattern.data());
}

void TemplateDialogTest::TearDown()
{
    Interaction::SetObserver(nullptr);
    Interaction::ClearQueues();
    std::filesystem::remove_all(Folder);
}

std::unique_ptr<TfmKHTMLTemplateEditDlg> TemplateDialogTest::NewDialog() const
{
    return ConstructUnique<TfmKHTMLTemplateEditDlg>(nullptr);
}

int TemplateDialogTest::Run(TfmKHTMLTemplateEditDlg& dialog,
                            const std::function<void(TfmKHTMLTemplateEditDlg&)>& session)
{
    Interaction::QueueModalHandler([&](TCustomForm*) {
        session(dialog);
        if (dialog.ModalResult() == mrNone)
            Input::Click(dialog.btCancel);
    });
    return dialog.ShowModal();
}

std::vector<TColor> Colors(const TfmKHTMLTemplateEditDlg& d)
{
    return {d.BackGroundColor(),   d.DefaultTextColor(),    d.LinkColor(),      d.VLinkColor(),
            d.ALinkColor(),        d.HeadersRowBgColor(),   d.HeadersRowFontColor(),
            d.TableFontColor(),    d.TableBgColor(),        d.OddRowBgColor()};
}

void SetColors(TfmKHTMLTemplateEditDlg& d, const std::vector<TColor>& c)
{
    d.SetBackGroundColor(c.at(0));
    d.SetDefaultTextColor(c.at(1));
    d.SetLinkColor(c.at(2));
    d.SetVLinkColor(c.at(3));
    d.SetALinkColor(c.at(4));
    d.SetHeadersRowBgColor(c.at(5));
    d.SetHeadersRowFontColor(c.at(6));
    d.SetTableFontColor(c.at(7));
    d.SetTableBgColor(c.at(8));
    d.SetOddRowBgColor(c.at(9));
}

void ResetRepaints(const TfmKHTMLTemplateEditDlg& dialog)
{
    for (int i = 0; i < dialog.ComponentCount(); ++i)
        if (auto* control = dynamic_cast<TControl*>(dialog.Components(i)))
            if (THeadlessPeer* peer = THeadlessPeer::Of(control))
                peer->Reset();
}

int Repaints(const TfmKHTMLTemplateEditDlg& dialog)
{
    int total = 0;
    for (int i = 0; i < dialog.ComponentCount(); ++i)
        if (auto* control = dynamic_cast<TControl*>(dialog.Components(i)))
            if (THeadlessPeer* peer = THeadlessPeer::Of(control))
                total += peer->Count(TPeerNotice::Color) + peer->Count(TPeerNotice::Font);
    return total;
}

TPanel* PreviewPanel(const TfmKHTMLTemplateEditDlg& dialog, const char* name)
{
    return As<TPanel>(dialog.FindComponent(name));
}

TLabel* PreviewLabel(const TfmKHTMLTemplateEditDlg& dialog, const char* name)
{
    return As<TLabel>(dialog.FindComponent(name));
}

namespace {

struct TLoggingPeer : THeadlessPeer {
    TLoggingPeer(std::vector<std::string>& log, AnsiString name) : Log(log), Name(std::move(name)) {}
    void ColorChanged() override
    {
        THeadlessPeer::ColorChanged();
        Log.push_back(Name + " color");
    }
    void FontChanged() override
    {
        THeadlessPeer::FontChanged();
        Log.push_back(Name + " font");
    }
    std::vector<std::string>& Log;
    AnsiString Name;
};

}  // namespace

std::unique_ptr<TControlPeer> TLoggingWidgetSet::CreatePeer(TControl* control)
{
    return std::make_unique<TLoggingPeer>(Log, control->Name());
}

std::vector<std::string> OnlyThese(const std::vector<std::string>& log, const std::vector<std::string>& wanted)
{
    std::vector<std::string> kept;
    for (const std::string& entry : log)
        if (std::find(wanted.begin(), wanted.end(), entry) != wanted.end())
            kept.push_back(entry);
    return kept;
}

std::vector<std::string> Numbered(const char* prefix, int count, const char* kind)
{
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i)
        names.push_back(prefix + IntToStr(i) + " " + kind);
    return names;
}

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}
