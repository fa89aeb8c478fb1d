// The HTML template editor's form as its resource builds it: every control where it belongs, looking
// and reacting as it should, and the page's cells and labels named as the setters find them.

#include "DialogTesting.h"

namespace {

struct TPlace {
    const char* Name;
    const char* Class;
    const char* Parent;
    int Left, Top, Width, Height;
};

// Everything the preview and its surroundings are made of, relative to the parent.
const TPlace Places[] = {
    {"Panel1", "TPanel", "fmKHTMLTemplateEditDlg", 0, 221, 448, 32},
    {"btStart", "TBitBtn", "Panel1", 289, 5, 75, 24},
    {"btCancel", "TBitBtn", "Panel1", 370, 5, 75, 24},
    {"HTMLPanel", "TPanel", "fmKHTMLTemplateEditDlg", 2, 1, 444, 221},
    {"BackPanel", "TPanel", "HTMLPanel", 5, 6, 310, 210},
    {"lbHTMLDefaultText", "TLabel", "BackPanel", 15, 7, -1, -1},
    {"Panel2", "TPanel", "BackPanel", 6, 23, 298, 140},
    {"lbHTMLLink", "TLabel", "BackPanel", 10, 174, -1, -1},
    {"lbHTMLVLink", "TLabel", "BackPanel", 125, 174, -1, -1},
    {"lbHTMLALink", "TLabel", "BackPanel", 220, 174, -1, -1},
    {"cbxTemplate", "TComboBox", "HTMLPanel", 320, 32, 120, -1},
    {"btSaveTemplate", "TButton", "HTMLPanel", 320, 58, 120, 24},
    {"btLoadTemplate", "TButton", "HTMLPanel", 320, 86, 120, 24},
    {"Head1", "TLabel", "ColHead1", 21, 4, -1, -1},
    {"Head2", "TLabel", "ColHead2", 32, 4, -1, -1},
    {"Head3", "TLabel", "ColHead3", 38, 3, -1, -1},
};

// The grid: row by row, each cell's panel, label, caption and the design colour of its row.
struct TCell {
    const char* Panel;
    const char* Label;
    const char* Caption;
};
const TCell Grid[5][3] = {
    {{"ColHead1", "Head1", "Num"}, {"ColHead2", "Head2", "Name"}, {"ColHead3", "Head3", "Age"}},
    {{"Row1", "Data1", " 1"}, {"Row2", "Data5", " John"}, {"Row3", "Data9", " 34"}},
    {{"OddRow1", "Data2", " 2"}, {"OddRow2", "Data6", " Marcella"}, {"OddRow3", "Data10", " 27"}},
    {{"Row4", "Data3", " 3"}, {"Row5", "Data7", " Alex"}, {"Row6", "Data11", " 25"}},
    {{"OddRow4", "Data4", " 4"}, {"OddRow5", "Data8", " Julia"}, {"OddRow6", "Data12", " 48"}},
};
const TColor RowColors[5] = {static_cast<TColor>(16744576), static_cast<TColor>(8454143),
                             static_cast<TColor>(8421631), static_cast<TColor>(8454143),
                             static_cast<TColor>(8421631)};
const int ColumnLeft[3] = {7, 84, 189}, ColumnWidth[3] = {77, 105, 105};

TControl* Control(const TfmKHTMLTemplateEditDlg& d, const char* name)
{
    return As<TControl>(d.FindComponent(name));
}

std::string Handler(const TNotifyEvent& event)
{
    return event.MethodName();
}

}  // namespace

using TemplateLayoutTest = TemplateDialogTest;

TEST_F(TemplateLayoutTest, TheFormItself)
{
    auto d = NewDialog();
    EXPECT_EQ(d->Name(), "fmKHTMLTemplateEditDlg");
    EXPECT_EQ(d->Caption(), "Editing HTML Template");
    EXPECT_EQ(d->ClientWidth(), 448);
    EXPECT_EQ(d->ClientHeight(), 253);
    EXPECT_EQ(d->BorderStyle(), bsSingle);
    EXPECT_TRUE(d->BorderIcons() == TBorderIcons{biSystemMenu});
    EXPECT_EQ(d->Position(), poScreenCenter);
    EXPECT_EQ(d->Font()->Name(), "MS Sans Serif");
    EXPECT_EQ(d->Font()->Size(), 8);
    EXPECT_EQ(Handler(d->OnCreate), "FormCreate");
    EXPECT_EQ(Handler(d->OnShow), "FormShow");
}

TEST_F(TemplateLayoutTest, EveryControlInItsPlace)
{
    auto d = NewDialog();
    for (const TPlace& p : Places) {
        SCOPED_TRACE(p.Name);
        TControl* c = Control(*d, p.Name);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->ClassName(), p.Class);
        ASSERT_NE(c->Parent(), nullptr);
        EXPECT_EQ(c->Parent()->Name(), p.Parent);
        EXPECT_EQ(c->Left(), p.Left);
        EXPECT_EQ(c->Top(), p.Top);
        if (p.Width >= 0) {
            EXPECT_EQ(c->Width(), p.Width);
        }
        if (p.Height >= 0) {
            EXPECT_EQ(c->Height(), p.Height);
        }
    }
    EXPECT_EQ(d->Panel1->Align(), alBottom);
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 3; ++column) {
            const TCell& cell = Grid[row][column];
            SCOPED_TRACE(cell.Panel);
            TPanel* panel = PreviewPanel(*d, cell.Panel);
            EXPECT_EQ(panel->Parent(), d->Panel2);
            EXPECT_EQ(panel->Left(), ColumnLeft[column]);
            EXPECT_EQ(panel->Top(), 8 + 25 * row);
            EXPECT_EQ(panel->Width(), ColumnWidth[column]);
            EXPECT_EQ(panel->Height(), 25);
            EXPECT_EQ(panel->Color(), RowColors[row]);
            EXPECT_EQ(panel->BevelOuter(), bvLowered);
            EXPECT_EQ(panel->Cursor(), crHandPoint);
            TLabel* label = PreviewLabel(*d, cell.Label);
            EXPECT_EQ(label->Parent(), panel);
            EXPECT_EQ(label->Caption(), cell.Caption);
            EXPECT_EQ(label->Cursor(), crHandPoint);
            EXPECT_TRUE(label->ParentColor()) << "a label shows its cell's colour";
            EXPECT_EQ(label->Color(), panel->Color());
            EXPECT_EQ(label->Font()->Name(), "Arial");
            EXPECT_EQ(label->Font()->Height(), -15);
            EXPECT_TRUE(label->Font()->Style() == (row == 0 ? TFontStyles{fsBold} : TFontStyles{}));
            EXPECT_EQ(label->Font()->Color(), clWindowText);
            if (row > 0) {
                // A data label fills its cell's left edge, its text centred from top to bottom.
                EXPECT_EQ(label->Align(), alLeft);
                EXPECT_EQ(label->Layout(), tlCenter);
            }
        }
}

TEST_F(TemplateLayoutTest, ThePageAndItsTexts)
{
    auto d = NewDialog();
    EXPECT_EQ(d->HTMLPanel->BevelOuter(), bvLowered);
    EXPECT_TRUE(d->HTMLPanel->ShowHint());
    EXPECT_EQ(d->Panel1->BevelOuter(), bvNone);
    EXPECT_EQ(d->BackPanel->BevelOuter(), bvLowered);
    EXPECT_EQ(d->BackPanel->Cursor(), crHandPoint);
    EXPECT_EQ(d->BackPanel->Color(), clWhite);
    EXPECT_EQ(d->BackPanel->Hint(), "Click here for select background color");
    EXPECT_EQ(d->Panel2->BevelOuter(), bvNone);
    EXPECT_TRUE(d->Panel2->ParentColor());

    struct TText {
        TLabel* Label;
        const char* Caption;
        int Tag;
        const char* Hint;
    };
    const TText texts[] = {
        {d->lbHTMLDefaultText, "Default text", 1, "Click here for default font color select"},
        {d->lbHTMLLink, "Non-visited link", 11, "Click here for non-visited link color select"},
        {d->lbHTMLVLink, "Visited link", 12, "Click here for visited link color select"},
        {d->lbHTMLALink, "Active link", 13, "Click here for active link color select"},
    };
    for (const TText& t : texts) {
        SCOPED_TRACE(t.Caption);
        EXPECT_EQ(t.Label->Caption(), t.Caption);
        EXPECT_EQ(t.Label->Tag(), t.Tag);
        EXPECT_EQ(t.Label->Hint(), t.Hint);
        EXPECT_TRUE(t.Label->ShowHint());
        EXPECT_EQ(t.Label->Font()->Name(), "Arial");
        EXPECT_EQ(t.Label->Font()->Height(), -13);
        EXPECT_TRUE(t.Label->Font()->Style() == TFontStyles{fsBold});
        EXPECT_TRUE(t.Label->ParentColor());
        EXPECT_EQ(t.Label->Color(), d->BackPanel->Color());
        EXPECT_EQ(Handler(t.Label->OnClick), "lbHTMLDefaultTextClick");
    }
}

TEST_F(TemplateLayoutTest, TheHintsOfTheGrid)
{
    auto d = NewDialog();
    EXPECT_EQ(PreviewPanel(*d, "ColHead1")->Hint(), "Click here for header row color select");
    for (const char* name : {"ColHead2", "ColHead3"})
        EXPECT_EQ(PreviewPanel(*d, name)->Hint(), "Click for header row color select") << name;
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(PreviewLabel(*d, ("Head" + IntToStr(i)).c_str())->Hint(), "Click here to header font change") << i;
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(PreviewPanel(*d, ("Row" + IntToStr(i)).c_str())->Hint(), "Click for odd row color change") << i;
        EXPECT_EQ(PreviewPanel(*d, ("OddRow" + IntToStr(i)).c_str())->Hint(), "Click for even row color change") << i;
    }
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(PreviewLabel(*d, ("Data" + IntToStr(i)).c_str())->Hint(), "Click here to table font change") << i;
}

TEST_F(TemplateLayoutTest, EachElementIsBoundToItsHandler)
{
    auto d = NewDialog();
    EXPECT_EQ(Handler(d->BackPanel->OnClick), "BackPanelClick");
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(Handler(Control(*d, ("ColHead" + IntToStr(i)).c_str())->OnClick), "ColHead1Click") << i;
        EXPECT_EQ(Handler(Control(*d, ("Head" + IntToStr(i)).c_str())->OnClick), "Head3Click") << i;
    }
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(Handler(Control(*d, ("Row" + IntToStr(i)).c_str())->OnClick), "Row1Click") << i;
        EXPECT_EQ(Handler(Control(*d, ("OddRow" + IntToStr(i)).c_str())->OnClick), "OddRow1Click") << i;
    }
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(Handler(Control(*d, ("Data" + IntToStr(i)).c_str())->OnClick), "Data1Click") << i;
    // A click on the margins around the page and the grid does nothing.
    for (TControl* c : {static_cast<TControl*>(d->Panel1), static_cast<TControl*>(d->HTMLPanel),
                        static_cast<TControl*>(d->Panel2)})
        EXPECT_FALSE(c->OnClick) << c->Name();
    EXPECT_EQ(Handler(d->cbxTemplate->OnChange), "cbxTemplateChange");
    EXPECT_EQ(d->btCancel->OnKeyDown.MethodName(), "btCancelKeyDown");
    EXPECT_EQ(Handler(d->btSaveTemplate->OnClick), "btSaveTemplateClick");
    EXPECT_EQ(Handler(d->btLoadTemplate->OnClick), "btLoadTemplateClick");
}

TEST_F(TemplateLayoutTest, TheButtonsTheListAndTheCommonDialogs)
{
    auto d = NewDialog();
    EXPECT_EQ(d->btStart->Kind(), bkOK);
    EXPECT_TRUE(d->btStart->Default());
    EXPECT_EQ(d->btStart->ModalResult(), mrOk);
    EXPECT_EQ(d->btCancel->Kind(), bkCancel);
    EXPECT_TRUE(d->btCancel->Cancel());
    EXPECT_EQ(d->btCancel->ModalResult(), mrCancel);
    EXPECT_EQ(d->btSaveTemplate->Caption(), "S&ave as template ... ");
    EXPECT_EQ(d->btLoadTemplate->Caption(), "&Load template...");
    EXPECT_EQ(d->cbxTemplate->Style(), csDropDownList);
    EXPECT_FALSE(d->cbxTemplate->Sorted());
    EXPECT_EQ(d->lbTemplate->Caption(), "&Template");
    EXPECT_EQ(d->lbTemplate->Left(), 320);
    EXPECT_EQ(d->lbTemplate->Top(), 15);
    EXPECT_EQ(d->lbTemplate->FocusControl(), d->cbxTemplate);

    const TOpenOptions defaults = TOpenDialog(nullptr).Options();
    EXPECT_EQ(d->sdTemplate->ClassName(), "TSaveDialog");
    EXPECT_EQ(d->sdTemplate->Title(), "Save as HTML template");
    EXPECT_EQ(d->odTemplate->ClassName(), "TOpenDialog");
    EXPECT_EQ(d->odTemplate->Title(), "Load HTML template");
    for (TOpenDialog* file : {static_cast<TOpenDialog*>(d->sdTemplate), d->odTemplate}) {
        EXPECT_EQ(file->Filter(), "HTML template file (*.htf)|*.htf");
        EXPECT_EQ(file->DefaultExt(), "htf");
        EXPECT_TRUE(file->Options() == defaults) << "no confirmation on overwrite, no must-exist";
    }
    EXPECT_EQ(d->ColorDialog->ClassName(), "TColorDialog");
}
