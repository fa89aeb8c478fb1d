// The HTML template editor as a person uses it: the form its resource builds, the template list,
// colour edits from every element of the preview, the keyboard, and what the setters repaint.

#include <map>

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

TEST_F(TemplateDialogTest, TheFormResourceBuildsTheLayout)
{
    auto d = NewDialog();
    EXPECT_EQ(d->Caption(), "Editing HTML Template");
    EXPECT_EQ(d->ClientWidth(), 448);
    EXPECT_EQ(d->ClientHeight(), 253);
    EXPECT_EQ(d->BorderStyle(), bsSingle);
    EXPECT_EQ(d->BorderIcons(), TBorderIcons{biSystemMenu});
    EXPECT_EQ(d->Position(), poScreenCenter);
    EXPECT_EQ(d->Font()->Name(), "MS Sans Serif");
    EXPECT_EQ(d->Font()->Size(), 8);

    struct Box {
        const char* Name;
        int Left, Top, Width, Height;
    };
    const Box boxes[] = {
        {"Panel1", 0, 221, 448, 32},       {"btStart", 289, 5, 75, 24},        {"btCancel", 370, 5, 75, 24},
        {"HTMLPanel", 2, 1, 444, 221},     {"BackPanel", 5, 6, 310, 210},      {"Panel2", 6, 23, 298, 140},
        {"lbHTMLDefaultText", 15, 7, -1, -1}, {"lbHTMLLink", 10, 174, -1, -1}, {"lbHTMLVLink", 125, 174, -1, -1},
        {"lbHTMLALink", 220, 174, -1, -1}, {"lbTemplate", 320, 15, -1, -1},   {"cbxTemplate", 320, 32, 120, -1},
        {"btSaveTemplate", 320, 58, 120, 24}, {"btLoadTemplate", 320, 86, 120, 24},
        {"Head1", 21, 4, -1, -1},          {"Head2", 32, 4, -1, -1},           {"Head3", 38, 3, -1, -1},
    };
    for (const Box& b : boxes) {
        auto* c = As<TControl>(d->FindComponent(b.Name));
        ASSERT_NE(c, nullptr) << b.Name;
        EXPECT_EQ(c->Left(), b.Left) << b.Name;
        EXPECT_EQ(c->Top(), b.Top) << b.Name;
        if (b.Width >= 0) {
            EXPECT_EQ(c->Width(), b.Width) << b.Name;
        }
        if (b.Height >= 0) {
            EXPECT_EQ(c->Height(), b.Height) << b.Name;
        }
    }
    EXPECT_EQ(d->Panel1->Align(), alBottom);
    EXPECT_EQ(d->Panel1->BevelOuter(), bvNone);
    EXPECT_EQ(d->HTMLPanel->BevelOuter(), bvLowered);
    EXPECT_TRUE(d->HTMLPanel->ShowHint());
    EXPECT_EQ(d->BackPanel->BevelOuter(), bvLowered);
    EXPECT_EQ(d->BackPanel->Cursor(), crHandPoint);
    EXPECT_EQ(d->BackPanel->Color(), clWhite);
    EXPECT_EQ(d->BackPanel->Hint(), "Click here for select background color");
    EXPECT_EQ(d->Panel2->BevelOuter(), bvNone);
    EXPECT_TRUE(d->Panel2->ParentColor());
    EXPECT_EQ(d->btStart->Kind(), bkOK);
    EXPECT_TRUE(d->btStart->Default());
    EXPECT_EQ(d->btStart->ModalResult(), mrOk);
    EXPECT_EQ(d->btCancel->Kind(), bkCancel);
    EXPECT_TRUE(d->btCancel->Cancel());
    EXPECT_EQ(d->btCancel->ModalResult(), mrCancel);
    EXPECT_EQ(d->lbTemplate->Caption(), "&Template");
    EXPECT_EQ(d->lbTemplate->FocusControl(), d->cbxTemplate);
    EXPECT_EQ(d->cbxTemplate->Style(), csDropDownList);
    EXPECT_EQ(d->btSaveTemplate->Caption(), "S&ave as template ... ");
    EXPECT_EQ(d->btLoadTemplate->Caption(), "&Load template...");
    EXPECT_EQ(d->sdTemplate->Title(), "Save as HTML template");
    EXPECT_EQ(d->odTemplate->Title(), "Load HTML template");
    for (TOpenDialog* fileDialog : {static_cast<TOpenDialog*>(d->sdTemplate), d->odTemplate}) {
        EXPECT_EQ(fileDialog->Filter(), "HTML template file (*.htf)|*.htf");
        EXPECT_EQ(fileDialog->DefaultExt(), "htf");
        EXPECT_EQ(fileDialog->Options(), TOpenOptions{ofHideReadOnly});  // the platform's defaults
    }

    // The four text labels: caption, hint, tag; bold Arial 13 on the page's colour.
    struct Text {
        TLabel* Label;
        const char* Caption;
        const char* Hint;
        int Tag;
    };
    for (const Text& t : {Text{d->lbHTMLDefaultText, "Default text", "Click here for default font color select", 1},
                          Text{d->lbHTMLLink, "Non-visited link", "Click here for non-visited link color select", 11},
                          Text{d->lbHTMLVLink, "Visited link", "Click here for visited link color select", 12},
                          Text{d->lbHTMLALink, "Active link", "Click here for active link color select", 13}}) {
        EXPECT_EQ(t.Label->Parent(), d->BackPanel) << t.Caption;
        EXPECT_EQ(t.Label->Caption(), t.Caption);
        EXPECT_EQ(t.Label->Hint(), t.Hint);
        EXPECT_EQ(t.Label->Tag(), t.Tag);
        EXPECT_EQ(t.Label->Font()->Name(), "Arial");
        EXPECT_EQ(t.Label->Font()->Height(), -13);
        EXPECT_EQ(t.Label->Font()->Style(), TFontStyles{fsBold});
        EXPECT_TRUE(t.Label->ParentColor());
    }
}

TEST_F(TemplateDialogTest, TheGridIsNumberedAsTheSettersFindIt)
{
    auto d = NewDialog();
    const int columnX[] = {7, 84, 189}, columnWidth[] = {77, 105, 105};
    // Row by row: the cell and its label of each column, and the label's caption.
    struct Cell {
        const char* Panel;
        const char* Label;
        const char* Caption;
    };
    const Cell grid[5][3] = {
        {{"ColHead1", "Head1", "Num"}, {"ColHead2", "Head2", "Name"}, {"ColHead3", "Head3", "Age"}},
        {{"Row1", "Data1", " 1"}, {"Row2", "Data5", " John"}, {"Row3", "Data9", " 34"}},
        {{"OddRow1", "Data2", " 2"}, {"OddRow2", "Data6", " Marcella"}, {"OddRow3", "Data10", " 27"}},
        {{"Row4", "Data3", " 3"}, {"Row5", "Data7", " Alex"}, {"Row6", "Data11", " 25"}},
        {{"OddRow4", "Data4", " 4"}, {"OddRow5", "Data8", " Julia"}, {"OddRow6", "Data12", " 48"}},
    };
    const TColor rowColor[] = {static_cast<TColor>(0x00FF8080), static_cast<TColor>(0x0080FFFF),
                               static_cast<TColor>(0x008080FF), static_cast<TColor>(0x0080FFFF),
                               static_cast<TColor>(0x008080FF)};
    const char* panelHint[] = {nullptr, "Click for odd row color change", "Click for even row color change",
                               "Click for odd row color change", "Click for even row color change"};
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 3; ++column) {
            const Cell& cell = grid[row][column];
            TPanel* panel = PreviewPanel(*d, cell.Panel);
            TLabel* label = PreviewLabel(*d, cell.Label);
            ASSERT_NE(panel, nullptr) << cell.Panel;
            ASSERT_NE(label, nullptr) << cell.Label;
            EXPECT_EQ(panel->Parent(), d->Panel2) << cell.Panel;
            EXPECT_EQ(label->Parent(), panel) << cell.Label;
            EXPECT_EQ(panel->BoundsRect(), (TRect{columnX[column], 8 + 25 * row, columnX[column] + columnWidth[column],
                                                  8 + 25 * row + 25}))
                << cell.Panel;
            EXPECT_EQ(panel->Color(), rowColor[row]) << cell.Panel;
            EXPECT_EQ(panel->BevelOuter(), bvLowered) << cell.Panel;
            EXPECT_EQ(panel->Cursor(), crHandPoint) << cell.Panel;
            EXPECT_EQ(panel->Caption(), "") << cell.Panel;
            EXPECT_EQ(label->Caption(), cell.Caption);
            EXPECT_EQ(label->Cursor(), crHandPoint) << cell.Label;
            EXPECT_EQ(label->Color(), panel->Color()) << cell.Label;  // the cell's colour behind the text
            EXPECT_EQ(label->Font()->Name(), "Arial");
            EXPECT_EQ(label->Font()->Height(), -15);
            EXPECT_EQ(label->Font()->Color(), clWindowText);
            EXPECT_EQ(label->Font()->Style(), row == 0 ? TFontStyles{fsBold} : TFontStyles{}) << cell.Label;
            if (row == 0) {
                EXPECT_EQ(panel->Hint(), column == 0 ? "Click here for header row color select"
                                                     : "Click for header row color select");
                EXPECT_EQ(label->Hint(), "Click here to header font change");
            } else {
                EXPECT_EQ(panel->Hint(), panelHint[row]) << cell.Panel;
                EXPECT_EQ(label->Hint(), "Click here to table font change");
                EXPECT_EQ(label->Align(), alLeft);
                EXPECT_EQ(label->Layout(), tlCenter);
                EXPECT_EQ(label->Height(), panel->ClientHeight() - 2);  // full height inside the bevel
            }
        }
}

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

TEST_F(TemplateDialogTest, ADataLabelStartsOnTheFirstDataLabelsColour)
{
    auto d = NewDialog();
    Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) {
        PreviewLabel(dlg, "Data1")->Font()->SetColor(static_cast<TColor>(0x00000011));
        PreviewLabel(dlg, "Data12")->Font()->SetColor(static_cast<TColor>(0x00000022));
        Interaction::QueueAnswer(TDialogAnswer::Cancelled());
        Input::Click(PreviewLabel(dlg, "Data12"));
    });
    EXPECT_EQ(Observer.Events, (std::vector<std::string>{"color 0x00000011 -> cancel"}));
}

TEST_F(TemplateDialogTest, ALabelAndTheRestOfItsCellAreSeparateTargets)
{
    auto d = NewDialog();
    Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) {
        const TColor headerBg = dlg.HeadersRowBgColor(), tableFont = dlg.TableFontColor();
        Answer(clRed);
        Input::Click(PreviewLabel(dlg, "Head2"));  // the text "Name"
        EXPECT_EQ(dlg.HeadersRowFontColor(), clRed);
        EXPECT_EQ(dlg.HeadersRowBgColor(), headerBg);
        Answer(clLime);
        Input::Click(PreviewPanel(dlg, "ColHead2"));  // beside it in the same cell
        EXPECT_EQ(dlg.HeadersRowBgColor(), clLime);
        EXPECT_EQ(dlg.HeadersRowFontColor(), clRed);
        Answer(clBlue);
        Input::Click(PreviewPanel(dlg, "OddRow2"));
        EXPECT_EQ(dlg.OddRowBgColor(), clBlue);
        EXPECT_EQ(dlg.TableFontColor(), tableFont);
        // The table's frame around the grid is no target.
        Input::Click(dlg.Panel2);
    });
    EXPECT_EQ(Observer.Events.size(), 3u);
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
