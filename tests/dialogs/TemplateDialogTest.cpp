// The HTML template editor as a person uses it: the template list, colour edits from every
// element of the preview, the keyboard, and what the setters repaint.

#include "DialogTesting.h"
#include "rowcastb5/Templates.h"
#include "vcl50/Headless.h"
#include "vcl50/Input.h"

namespace {

std::vector<TColor> ColorsOf(const RHTMLTemplate& t)
{
    return {t.BackGroundColor,   t.DefaultFontColor,    t.LinkColor,      t.VLinkColor,
            t.ALinkColor,        t.HeadersRowBgColor,   t.HeadersRowFontColor,
            t.TableFontColor,    t.TableBgColor,        t.OddRowBgColor};
}

// What the preview shows, in the order of Colors(): every cell and label of each group.
std::vector<TColor> PreviewColors(const TfmKHTMLTemplateEditDlg& d)
{
    auto same = [&](const char* prefix, int count, bool font) {
        TColor first = clNone;
        for (int i = 1; i <= count; ++i) {
            AnsiString name = prefix + IntToStr(i);
            TColor c = font ? PreviewLabel(d, name.c_str())->Font()->Color()
                            : PreviewPanel(d, name.c_str())->Color();
            if (i == 1)
                first = c;
            else if (c != first)
                return clNone;  // a group out of step shows as no colour at all
        }
        return first;
    };
    return {d.BackPanel->Color(),          d.lbHTMLDefaultText->Font()->Color(),
            d.lbHTMLLink->Font()->Color(), d.lbHTMLVLink->Font()->Color(),
            d.lbHTMLALink->Font()->Color(), same("ColHead", 3, false),
            same("Head", 3, true),         same("Data", 12, true),
            same("Row", 6, false),         same("OddRow", 6, false)};
}

void Answer(TColor color)
{
    Interaction::QueueAnswer(TDialogAnswer::ColorValue(color));
}

}  // namespace

TEST_F(TemplateDialogTest, TabVisitsTheButtonsAndTheListOnly)
{
    auto d = NewDialog();
    std::vector<AnsiString> visited;
    Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) {
        for (int i = 0; i < 6; ++i) {
            visited.push_back(dlg.ActiveControl() ? dlg.ActiveControl()->Name() : AnsiString("(none)"));
            Input::KeyDown(dlg.ActiveControl(), VK_TAB);
        }
    });
    EXPECT_EQ(visited, (std::vector<AnsiString>{"btStart", "btCancel", "cbxTemplate", "btSaveTemplate",
                                                "btLoadTemplate", "btStart"}));
}

TEST_F(TemplateDialogTest, TheListHoldsTheTenTemplatesAndFollowsTheCallersTemplate)
{
    auto d = NewDialog();
    ASSERT_EQ(d->cbxTemplate->Items()->Count(), 10);
    for (int v = 0; v < 10; ++v)
        EXPECT_EQ(d->cbxTemplate->Items()->Get(v), TemplateToStr(static_cast<THTMLTemplate>(v)));

    d->SetTemplate(htGray);
    EXPECT_EQ(Colors(*d), ColorsOf(RhtGray));
    EXPECT_EQ(d->TextFontName(), "");  // the record's face is not taken
    EXPECT_EQ(d->cbxTemplate->ItemIndex(), -1) << "the list follows only once the dialog is shown";
    d->SetOddRowBgColor(clRed);
    int shownIndex = -1;
    Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) { shownIndex = dlg.cbxTemplate->ItemIndex(); });
    EXPECT_EQ(shownIndex, htGray);
    EXPECT_EQ(d->Template(), htGray);
    EXPECT_EQ(d->OddRowBgColor(), clRed) << "showing applies the template no second time";
}

TEST_F(TemplateDialogTest, ChoosingFromTheList)
{
    auto d = NewDialog();
    d->SetTemplate(htCustom);
    d->SetTextFontName("Verdana");
    Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) {
        Answer(static_cast<TColor>(0x00123456));
        Input::Click(PreviewPanel(dlg, "Row2"));

        Input::ChooseItem(dlg.cbxTemplate, htColorFul);
        EXPECT_EQ(dlg.Template(), htColorFul);
        EXPECT_EQ(Colors(dlg), ColorsOf(RhtColorFul)) << "all ten colours replaced, the edit included";
        EXPECT_EQ(PreviewColors(dlg), ColorsOf(RhtColorFul));
        EXPECT_EQ(dlg.TextFontName(), "Verdana");

        dlg.SetLinkColor(clRed);
        ResetRepaints(dlg);
        Input::ChooseItem(dlg.cbxTemplate, htColorFul);
        EXPECT_EQ(Repaints(dlg), 0) << "the current template again applies nothing";
        EXPECT_EQ(dlg.LinkColor(), clRed);
        dlg.SetLinkColor(RhtColorFul.LinkColor);

        Input::ChooseItem(dlg.cbxTemplate, htCustom);
        EXPECT_EQ(dlg.Template(), htCustom);
        EXPECT_EQ(Colors(dlg), ColorsOf(RhtColorFul)) << "the custom entry keeps what is shown";
        EXPECT_EQ(PreviewColors(dlg), ColorsOf(RhtColorFul));
        Input::Click(dlg.btStart);
    });
    EXPECT_EQ(d->ModalResult(), mrOk);
    EXPECT_EQ(Observer.Events, (std::vector<std::string>{"color 0x0080FFFF -> 0x00123456"}));
}

TEST_F(TemplateDialogTest, EveryElementEditsItsOwnColourStartingFromTheColourNamed)
{
    using TMember = TColor (TfmKHTMLTemplateEditDlg::*)() const;
    struct Case {
        const char* Clicked;
        TMember Member;     // the one colour the edit changes
        const char* Start;  // the control whose colour the dialog starts on; null: the member
    };
    const Case cases[] = {
        {"BackPanel", &TfmKHTMLTemplateEditDlg::BackGroundColor, nullptr},
        {"lbHTMLDefaultText", &TfmKHTMLTemplateEditDlg::DefaultTextColor, "lbHTMLDefaultText"},
        {"lbHTMLLink", &TfmKHTMLTemplateEditDlg::LinkColor, "lbHTMLLink"},
        {"lbHTMLVLink", &TfmKHTMLTemplateEditDlg::VLinkColor, "lbHTMLVLink"},
        {"lbHTMLALink", &TfmKHTMLTemplateEditDlg::ALinkColor, "lbHTMLALink"},
        {"ColHead2", &TfmKHTMLTemplateEditDlg::HeadersRowBgColor, "ColHead2"},
        {"Head3", &TfmKHTMLTemplateEditDlg::HeadersRowFontColor, "Head3"},
        {"Row5", &TfmKHTMLTemplateEditDlg::TableBgColor, "Row5"},
        {"OddRow6", &TfmKHTMLTemplateEditDlg::OddRowBgColor, "OddRow6"},
        {"Data7", &TfmKHTMLTemplateEditDlg::TableFontColor, "Data1"},
    };
    const TColor marker = static_cast<TColor>(0x00ABCDEF), decoy = static_cast<TColor>(0x00FEDCBA),
                 chosen = static_cast<TColor>(0x00010203);
    // The colour of a cell, the font colour of a label.
    auto paint = [](TControl* control, TColor color) {
        if (Is<TPanel>(control))
            control->SetColor(color);
        else
            control->Font()->SetColor(color);
    };
    for (const Case& c : cases) {
        auto d = NewDialog();
        d->SetTemplate(htOlive);
        TColor start = clNone;
        Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) {
            auto* clicked = As<TControl>(dlg.FindComponent(c.Clicked));
            // The clicked control shows one colour and the start control another, so the
            // dialog's starting colour tells which one it was taken from.
            paint(clicked, decoy);
            if (c.Start)
                paint(As<TControl>(dlg.FindComponent(c.Start)), marker);
            start = c.Start ? marker : (dlg.*c.Member)();
            const std::vector<TColor> before = Colors(dlg);
            Answer(chosen);
            Input::Click(clicked);
            EXPECT_EQ((dlg.*c.Member)(), chosen) << c.Clicked;
            EXPECT_EQ(dlg.Template(), htCustom) << c.Clicked;
            EXPECT_EQ(dlg.cbxTemplate->ItemIndex(), htCustom) << c.Clicked;
            const std::vector<TColor> after = Colors(dlg);
            int changed = 0;
            for (size_t i = 0; i < after.size(); ++i)
                changed += after[i] != before[i];
            EXPECT_EQ(changed, 1) << c.Clicked;
        });
        EXPECT_EQ(Observer.Events,
                  (std::vector<std::string>{Format("color 0x%.8x -> 0x00010203", {static_cast<int>(start)})}))
            << c.Clicked;
        Observer.Events.clear();
    }
}

TEST_F(TemplateDialogTest, AConfirmedColourMakesTheTemplateCustomACancelledOneChangesNothing)
{
    auto d = NewDialog();
    d->SetTemplate(htMurky);
    Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) {
        Interaction::QueueAnswer(TDialogAnswer::Cancelled());
        Input::Click(PreviewPanel(dlg, "Row1"));
        EXPECT_EQ(dlg.Template(), htMurky);
        EXPECT_EQ(dlg.cbxTemplate->ItemIndex(), htMurky);
        EXPECT_EQ(Colors(dlg), ColorsOf(RhtMurky));

        Answer(RhtMurky.TableBgColor);  // the very colour it had
        Input::Click(PreviewPanel(dlg, "Row1"));
        EXPECT_EQ(dlg.Template(), htCustom);
        EXPECT_EQ(dlg.cbxTemplate->ItemIndex(), htCustom);
        EXPECT_EQ(Colors(dlg), ColorsOf(RhtMurky));
    });
}

TEST_F(TemplateDialogTest, EscapeOnTheCancelButtonCancelsOtherKeysDoNot)
{
    auto d = NewDialog();
    bool openAfterOtherKey = false;
    int result = Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) {
        Input::KeyDown(dlg.btCancel, 'A');
        openAfterOtherKey = dlg.ModalResult() == mrNone;
        Input::KeyDown(dlg.btCancel, VK_ESCAPE);
        EXPECT_EQ(dlg.ModalResult(), mrCancel);
    });
    EXPECT_TRUE(openAfterOtherKey);
    EXPECT_EQ(result, mrCancel);

    auto closed = NewDialog();
    EXPECT_EQ(Run(*closed, [](TfmKHTMLTemplateEditDlg& dlg) { Input::CloseBox(&dlg); }), mrCancel);
}

TEST_F(TemplateDialogTest, SettersRepaintOnlyWhatChanged)
{
    auto d = NewDialog();
    Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) {
        ResetRepaints(dlg);
        dlg.SetBackGroundColor(dlg.BackGroundColor());
        dlg.SetDefaultTextColor(dlg.DefaultTextColor());
        dlg.SetLinkColor(dlg.LinkColor());
        dlg.SetVLinkColor(dlg.VLinkColor());
        dlg.SetALinkColor(dlg.ALinkColor());
        dlg.SetHeadersRowBgColor(dlg.HeadersRowBgColor());
        dlg.SetHeadersRowFontColor(dlg.HeadersRowFontColor());
        dlg.SetTableBgColor(dlg.TableBgColor());
        dlg.SetTableFontColor(dlg.TableFontColor());
        dlg.SetOddRowBgColor(dlg.OddRowBgColor());
        dlg.SetTextFontName(dlg.TextFontName());
        EXPECT_EQ(Repaints(dlg), 0);

        dlg.SetTableBgColor(clYellow);
        for (int i = 1; i <= 6; ++i) {
            EXPECT_EQ(THeadlessPeer::Of(PreviewPanel(dlg, ("Row" + IntToStr(i)).c_str()))->Count(TPeerNotice::Color), 1);
            EXPECT_EQ(THeadlessPeer::Of(PreviewPanel(dlg, ("OddRow" + IntToStr(i)).c_str()))->Total(), 0);
        }
        ResetRepaints(dlg);
        dlg.SetTextFontName("Georgia");  // carried, shown nowhere
        EXPECT_EQ(Repaints(dlg), 0);
        EXPECT_EQ(dlg.TextFontName(), "Georgia");
    });
}

// A new dialog's members start as its preview shows them, so whatever a caller hands over shows,
// black included, and the colour dialog starts on the colour in view.
TEST_F(TemplateDialogTest, ANewDialogsMembersAreWhatItsPreviewShows)
{
    auto d = NewDialog();
    EXPECT_EQ(d->Template(), htCustom);
    EXPECT_EQ(d->TextFontName(), "");
    EXPECT_EQ(Colors(*d), PreviewColors(*d));
    EXPECT_EQ(d->BackGroundColor(), clWhite);

    d->SetBackGroundColor(clBlack);
    d->SetTableFontColor(clBlack);
    EXPECT_EQ(d->BackPanel->Color(), clBlack);
    EXPECT_EQ(d->Panel2->Color(), clBlack);  // the table follows its page
    EXPECT_EQ(PreviewLabel(*d, "Data9")->Font()->Color(), clBlack);

    auto fresh = NewDialog();
    Run(*fresh, [&](TfmKHTMLTemplateEditDlg& dlg) {
        Interaction::QueueAnswer(TDialogAnswer::Cancelled());
        Input::Click(dlg.BackPanel);
    });
    EXPECT_EQ(Observer.Events, (std::vector<std::string>{"color 0x00FFFFFF -> cancel"}));
}

// A predefined template paints page, links, default text, header font, header cells, the two kinds
// of data row and the table text, in that order, each group in rising number.
TEST_F(TemplateDialogTest, APredefinedTemplatePaintsItsColoursInTheirOrder)
{
    auto widgets = std::make_unique<TLoggingWidgetSet>();
    TLoggingWidgetSet* logging = widgets.get();
    SetWidgetSet(std::move(widgets));
    std::vector<std::string> expected = {"BackPanel color", "lbHTMLLink font", "lbHTMLVLink font",
                                         "lbHTMLALink font", "lbHTMLDefaultText font"};
    for (auto group : {Numbered("Head", 3, "font"), Numbered("ColHead", 3, "color"), Numbered("Row", 6, "color"),
                       Numbered("OddRow", 6, "color"), Numbered("Data", 12, "font")})
        expected.insert(expected.end(), group.begin(), group.end());
    auto d = NewDialog();
    Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) {
        logging->Log.clear();
        // Every colour of this set differs from the design colours the dialog starts with.
        Input::ChooseItem(dlg.cbxTemplate, htColorFul);
        EXPECT_EQ(OnlyThese(logging->Log, expected), expected);
    });
    SetWidgetSet(nullptr);
    EXPECT_EQ(Colors(*d), ColorsOf(RhtColorFul));
}

// From every predefined template to every other (and to itself), each control of the dialog is
// told of a colour or font change exactly once when that colour changed and never when it did not.
TEST_F(TemplateDialogTest, APredefinedTemplateRepaintsExactlyTheCellsWhoseColourChanged)
{
    auto d = NewDialog();
    Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) {
        std::vector<TControl*> controls;
        for (int i = 0; i < dlg.ComponentCount(); ++i)
            if (auto* control = dynamic_cast<TControl*>(dlg.Components(i)))
                controls.push_back(control);
        for (int from = htBW; from <= htSimple; ++from)
            for (int to = htBW; to <= htSimple; ++to) {
                Input::ChooseItem(dlg.cbxTemplate, from);
                std::vector<std::pair<TColor, TColor>> before;
                for (TControl* c : controls)
                    before.emplace_back(c->Color(), c->Font()->Color());
                ResetRepaints(dlg);
                Input::ChooseItem(dlg.cbxTemplate, to);
                for (size_t i = 0; i < controls.size(); ++i) {
                    const THeadlessPeer* peer = THeadlessPeer::Of(controls[i]);
                    SCOPED_TRACE(controls[i]->Name() + " from " + IntToStr(from) + " to " + IntToStr(to));
                    EXPECT_EQ(peer->Count(TPeerNotice::Color), controls[i]->Color() != before[i].first ? 1 : 0);
                    EXPECT_EQ(peer->Count(TPeerNotice::Font), controls[i]->Font()->Color() != before[i].second ? 1 : 0);
                }
            }
    });
}

// Selecting the custom entry from code is no choice of the person's: the list's change event
// stays silent, after a colour edit as after any other switch to the custom template.
TEST_F(TemplateDialogTest, SwitchingToCustomFromCodeRaisesNoChangeEvent)
{
    auto d = NewDialog();
    d->SetTemplate(htGray);
    int changes = 0;
    Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) {
        TNotifyEvent bound = dlg.cbxTemplate->OnChange;
        dlg.cbxTemplate->OnChange = [&changes, bound](TObject* sender) {
            ++changes;
            bound(sender);
        };
        Answer(static_cast<TColor>(0x00123456));
        Input::Click(PreviewLabel(dlg, "Data4"));
        EXPECT_EQ(changes, 0);
        EXPECT_EQ(dlg.cbxTemplate->ItemIndex(), htCustom);
        EXPECT_EQ(dlg.Template(), htCustom);

        dlg.SetTemplate(htPlain);
        dlg.SetCustomTemplate();
        EXPECT_EQ(changes, 0);
        EXPECT_EQ(dlg.Template(), htCustom);
        EXPECT_EQ(Colors(dlg), ColorsOf(RhtPlain)) << "the switch keeps the colours shown";

        Input::ChooseItem(dlg.cbxTemplate, htOlive);  // a person's choice is heard
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(dlg.Template(), htOlive);
    });
}

TEST_F(TemplateDialogTest, TheTemplateCaptionsAcceleratorFocusesTheList)
{
    auto d = NewDialog();
    Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) {
        ASSERT_EQ(dlg.ActiveControl(), dlg.btStart);
        Input::KeyDown(dlg.btStart, 'T', TShiftState{ssAlt});
        EXPECT_EQ(dlg.ActiveControl(), dlg.cbxTemplate);
        EXPECT_EQ(dlg.ModalResult(), mrNone);
    });
}
