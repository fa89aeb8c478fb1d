// The fields editor as a person uses it: its form as the resource builds it, and every way of
// moving names between the lists, through the headless widget set.

#include <functional>
#include <string>
#include <vector>

#include "DialogTesting.h"
#include "vcl50/Formresources.h"
#include "dialogs/Kfieldseditdlg.h"
#include "vcl50/Input.h"

namespace {

using TSession = std::function<void(TfmKFieldsEditDlg&)>;

class FieldsDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        RegisterFormResource("TFMKFIELDSEDITDLG", ReadText(FIELDSEDIT_DFM));
        Interaction::ClearQueues();
    }
    void TearDown() override { Interaction::ClearQueues(); }
};

void Fill(TListBox* list, const std::vector<std::string>& names)
{
    for (const std::string& name : names)
        list->Items()->Add(name);
}

// Shows the dialog filled as the fields verb fills it and runs `session` in it; the dialog is
// still open when `after` looks at it.
void Show(const std::vector<std::string>& available, const std::vector<std::string>& exported,
          const TSession& session, const TSession& after)
{
    auto d = ConstructUnique<TfmKFieldsEditDlg>(nullptr);
    Fill(d->SrcList, available);
    Fill(d->DstList, exported);
    Interaction::QueueModalHandler([&](TCustomForm*) {
        session(*d);
        after(*d);
        Input::Click(d->CancelBtn);
    });
    d->ShowModal();
}

// A click on the first name, Ctrl-clicks on the rest: what `pick` does in a designer script.
void Pick(TListBox* list, const std::vector<std::string>& names)
{
    for (size_t i = 0; i < names.size(); ++i)
        Input::SelectItem(list, list->Items()->IndexOf(names[i]), i ? TShiftState{ssCtrl} : TShiftState{});
}

std::string Entries(const TListBox* list)
{
    std::string text;
    for (int i = 0; i < list->Items()->Count(); ++i)
        text += (i ? "," : "") + std::string(list->Selected(i) ? "*" : "") + list->Items()->Get(i);
    return text;
}

// "available | exported | focused control | enabled > >> < <<", selected entries starred.
std::string State(const TfmKFieldsEditDlg& d)
{
    const TWinControl* focused = d.ActiveControl();
    std::string buttons;
    for (const TSpeedButton* b : {d.IncludeBtn, d.IncAllBtn, d.ExcludeBtn, d.ExAllBtn})
        buttons += b->Enabled() ? '1' : '0';
    return Entries(d.SrcList) + " | " + Entries(d.DstList) + " | " + (focused ? focused->Name() : "-") + " | " + buttons;
}

struct TMoveCase {
    const char* What;
    std::vector<std::string> Available, Exported;
    TSession Session;
    const char* Expected;
};

const std::vector<std::string> AtoE = {"E", "c", "A", "D", "b"};  // shown sorted: A b c D E

}  // namespace

TEST_F(FieldsDialogTest, TheFormAsItsResourceBuildsIt)
{
    struct TPlace {
        const char* Name;
        int Left, Top, Width, Height;
        const char* Caption;
        bool Enabled;
        const char* Click;
    };
    const TPlace places[] = {
        {"SrcLabel", 8, 8, 145, 16, "Available fields:", true, ""},
        {"DstLabel", 192, 8, 145, 16, "Exported fields:", true, ""},
        {"IncludeBtn", 160, 32, 24, 24, ">", true, "IncludeBtnClick"},
        {"IncAllBtn", 160, 64, 24, 24, ">>", true, "IncAllBtnClick"},
        {"ExcludeBtn", 160, 96, 24, 24, "<", false, "ExcludeBtnClick"},
        {"ExAllBtn", 160, 128, 24, 24, "<<", false, "ExcAllBtnClick"},
        {"Bevel1", 9, 218, 328, 2, "", true, ""},
        {"OKBtn", 182, 226, 75, 25, "OK", true, ""},
        {"CancelBtn", 262, 226, 75, 25, "Cancel", true, ""},
        {"SrcList", 8, 25, 144, 185, "", true, ""},
        {"DstList", 192, 24, 144, 185, "", true, ""},
    };
    auto d = ConstructUnique<TfmKFieldsEditDlg>(nullptr);
    EXPECT_EQ(d->Caption(), "Fields Editor");
    EXPECT_EQ(d->ClientWidth(), 345);
    EXPECT_EQ(d->ClientHeight(), 255);
    EXPECT_EQ(d->BorderStyle(), bsDialog);
    EXPECT_EQ(d->Position(), poScreenCenter);
    EXPECT_EQ(d->OnShow.MethodName(), "FormShow");
    for (const TPlace& p : places) {
        SCOPED_TRACE(p.Name);
        auto* c = As<TControl>(d->FindComponent(p.Name));
        EXPECT_EQ(c->BoundsRect(), (TRect{p.Left, p.Top, p.Left + p.Width, p.Top + p.Height}));
        if (!Is<TCustomListBox>(c) && !Is<TBevel>(c)) {
            EXPECT_EQ(c->Caption(), p.Caption);
        }
        EXPECT_EQ(c->Enabled(), p.Enabled);
        EXPECT_EQ(c->OnClick.MethodName(), p.Click);
    }
    EXPECT_FALSE(d->SrcLabel->AutoSize());
    EXPECT_EQ(d->Bevel1->Shape(), bsTopLine);
    EXPECT_TRUE(d->OKBtn->Default());
    EXPECT_TRUE(d->CancelBtn->Cancel());
    std::vector<AnsiString> tabs;
    for (TWinControl* c : d->TabOrderList())
        tabs.push_back(c->Name());
    EXPECT_EQ(tabs, (std::vector<AnsiString>{"SrcList", "DstList", "OKBtn", "CancelBtn"}));
    struct TListSetup {
        TListBox* List;
        bool Sorted;
        const char *DblClick, *DragDrop, *DragOver;
    };
    for (const TListSetup& l : {TListSetup{d->SrcList, true, "IncludeBtnClick", "SrcListDragDrop", "SrcListDragOver"},
                                TListSetup{d->DstList, false, "ExcludeBtnClick", "DstListDragDrop", "DstListDragOver"}}) {
        SCOPED_TRACE(l.List->Name());
        EXPECT_EQ(l.List->Sorted(), l.Sorted);
        EXPECT_TRUE(l.List->MultiSelect());
        EXPECT_EQ(l.List->DragMode(), dmAutomatic);
        EXPECT_EQ(l.List->ItemHeight(), 13);
        EXPECT_EQ(l.List->OnDblClick.MethodName(), l.DblClick);
        EXPECT_EQ(l.List->OnDragDrop.MethodName(), l.DragDrop);
        EXPECT_EQ(l.List->OnDragOver.MethodName(), l.DragOver);
    }
}

TEST_F(FieldsDialogTest, MovesSelectionFocusAndButtons)
{
    const TMoveCase cases[] = {
        {"shown", AtoE, {"X"}, [](auto&) {}, "*A,b,c,D,E | X | SrcList | 1111"},
        {"shown, nothing available", {}, {"Y", "X"}, [](auto&) {}, " | *Y,X | DstList | 0011"},
        {"shown, both empty", {}, {}, [](auto&) {}, " |  | DstList | 0000"},
        {"> moves the last selected first, the one after the first moved is selected", AtoE, {"X"},
         [](auto& d) { Pick(d.SrcList, {"b", "D"}); Input::Click(d.IncludeBtn); }, "A,*c,E | X,D,b | SrcList | 1111"},
        {"> of the last entries selects the new last one", AtoE, {},
         [](auto& d) { Pick(d.SrcList, {"D", "E"}); Input::Click(d.IncludeBtn); }, "A,b,*c | E,D | SrcList | 1111"},
        {"> with nothing selected moves nothing and selects the first", AtoE, {},
         [](auto& d) { Input::SelectItem(d.SrcList, 0, {ssCtrl}); Input::Click(d.IncludeBtn); },
         "*A,b,c,D,E |  | SrcList | 1100"},
        {"double-click moves as > does", AtoE, {},
         [](auto& d) { Input::SelectItem(d.SrcList, 2); Input::DblClick(d.SrcList); }, "A,b,*D,E | c | SrcList | 1111"},
        {">> appends all in alphabetical order", AtoE, {"X"}, [](auto& d) { Input::Click(d.IncAllBtn); },
         " | X,A,b,c,D,E | SrcList | 0011"},
        {"< sorts names back in", {"b", "D"}, {"E", "A", "c"},
         [](auto& d) { Pick(d.DstList, {"E", "c"}); Input::Click(d.ExcludeBtn); }, "*b,c,D,E | *A | DstList | 1111"},
        {"<< returns all, each to its place; the available selection stays", {"b", "D"}, {"E", "A", "c"},
         [](auto& d) { Input::Click(d.ExAllBtn); }, "A,*b,c,D,E |  | DstList | 1100"},
        {"<< puts a name after the available one it equals but for case", {"b", "c"}, {"B", "a"},
         [](auto& d) { Input::Click(d.ExAllBtn); }, "a,*b,B,c |  | DstList | 1100"},
        {"double-click in the exported list moves as < does", {}, {"Y", "X"},
         [](auto& d) { Input::SelectItem(d.DstList, 0); Input::DblClick(d.DstList); }, "Y | *X | DstList | 1111"},
        {"a drop appends in reverse, selects nothing, keeps the focus", AtoE, {"X"},
         [](auto& d) {
             Pick(d.DstList, {"X"});
             Pick(d.SrcList, {"A", "c"});
             EXPECT_TRUE(Input::DragDrop(d.SrcList, d.DstList, 5, 170));
         },
         "b,D,E | *X,c,A | SrcList | 1111"},
        {"a drop back sorts in and leaves the buttons right", {}, {"Y", "X"},
         [](auto& d) { Pick(d.DstList, {"Y", "X"}); EXPECT_TRUE(Input::DragDrop(d.DstList, d.SrcList, 1, 1)); },
         "X,Y |  | DstList | 1100"},
        {"a list refuses a drag from itself", AtoE, {"X"},
         [](auto& d) {
             Pick(d.SrcList, {"b"});
             EXPECT_FALSE(Input::DragDrop(d.SrcList, d.SrcList, 1, 1));
             EXPECT_FALSE(Input::DragDrop(d.DstList, d.DstList, 1, 1));
         },
         "A,*b,c,D,E | X | SrcList | 1111"},
    };
    for (const TMoveCase& c : cases)
        Show(c.Available, c.Exported, c.Session, [&](auto& d) { EXPECT_EQ(State(d), c.Expected) << c.What; });
}

TEST_F(FieldsDialogTest, ListsAcceptDragsFromTheOtherListOnly)
{
    auto d = ConstructUnique<TfmKFieldsEditDlg>(nullptr);
    for (TObject* source : std::initializer_list<TObject*>{d->SrcList, d->DstList, d->OKBtn, d->IncludeBtn, nullptr}) {
        bool toDst = true, toSrc = true;
        d->DstListDragOver(d->DstList, source, 0, 0, dsDragMove, toDst);
        d->SrcListDragOver(d->SrcList, source, 0, 0, dsDragEnter, toSrc);
        EXPECT_EQ(toDst, source == d->SrcList);
        EXPECT_EQ(toSrc, source == d->DstList);
    }
}

// Each entry's object goes along with a button move and stays behind with a drop; a drop tells
// the receiving list of its new entries once.
TEST_F(FieldsDialogTest, ButtonsCarryObjectsDropsLeaveThemAndNotifyOnce)
{
    TObject first, second;
    auto d = ConstructUnique<TfmKFieldsEditDlg>(nullptr);
    d->SrcList->Items()->AddObject("A", &first);
    d->SrcList->Items()->AddObject("B", &second);
    Interaction::QueueModalHandler([&](TCustomForm*) {
        Input::Click(d->IncAllBtn);
        EXPECT_EQ(d->DstList->Items()->GetObject(0), &first);
        EXPECT_EQ(d->DstList->Items()->GetObject(1), &second);
        Pick(d->DstList, {"B"});
        Input::Click(d->ExcludeBtn);
        EXPECT_EQ(d->SrcList->Items()->GetObject(0), &second);
        THeadlessPeer::Of(d->DstList)->Reset();
        Pick(d->DstList, {"A"});
        Pick(d->SrcList, {"B"});
        Input::DragDrop(d->SrcList, d->DstList, 0, 0);
        EXPECT_EQ(d->DstList->Items()->CommaText(), "A,B");
        EXPECT_EQ(d->DstList->Items()->GetObject(1), nullptr);
        EXPECT_EQ(THeadlessPeer::Of(d->DstList)->Count(TPeerNotice::Items), 1);
        EXPECT_EQ(d->DstList->Items()->UpdateCount(), 0);
        Input::Click(d->OKBtn);
    });
    EXPECT_EQ(d->ShowModal(), mrOk);
}
