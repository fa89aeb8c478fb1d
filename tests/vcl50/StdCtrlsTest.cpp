#include "VisualSupport.h"

#include <functional>
#include <iterator>
#include <vector>

#include "vcl50/Input.h"
#include "vcl50/StdCtrls.h"

namespace {

class ListTest : public VisualTest {
protected:
    void SetUp() override
    {
        VisualTest::SetUp();
        Form = NewForm();
        List = Add<TListBox>(Form.get(), "List");
        List->OnClick = [this](TObject*) { ++Clicks; };
    }

    std::string Entries() const
    {
        std::string text;
        for (int i = 0; i < List->Items()->Count(); ++i)
            text += (i ? "," : "") + std::string(List->Selected(i) ? "*" : "") + List->Items()->Get(i);
        return text;
    }

    std::unique_ptr<TForm> Form;
    TListBox* List = nullptr;
    int Clicks = 0;
};

TEST_F(ListTest, ASortedListStaysSortedWhateverAddsTheEntries)
{
    TObject tagB, tagD;
    List->SetSorted(true);
    List->Items()->Add("delta");
    List->Items()->AddObject("Bravo", &tagB);
    List->Items()->Insert(0, "echo");
    List->Items()->InsertObject(2, "alpha", &tagD);
    TStringList more;
    more.SetCommaText("charlie,Alpha,foxtrot");
    List->Items()->AddStrings(&more);
    EXPECT_EQ(List->Items()->CommaText(), "alpha,Alpha,Bravo,charlie,delta,echo,foxtrot");
    EXPECT_EQ(List->Items()->Objects(2), &tagB);
    EXPECT_EQ(List->Items()->Objects(0), &tagD);

    List->Items()->Assign(&more);
    EXPECT_EQ(List->Items()->CommaText(), "Alpha,charlie,foxtrot");
    List->Items()->Add("charlie");
    EXPECT_EQ(List->Items()->CommaText(), "Alpha,charlie,charlie,foxtrot") << "duplicates stay";
    List->Items()->Put(0, "zulu");
    EXPECT_EQ(List->Items()->CommaText(), "charlie,charlie,foxtrot,zulu");
}

TEST_F(ListTest, ManyAddedAtOnceLandWhereOneByOneWouldPutThem)
{
    // Names equal but for case, repeated, arriving in no order, each carrying its own object.
    const char* stems[] = {"b", "B", "a", "ab", "Ab", "a_b", "b", "AB", "", "a"};
    std::vector<TObject> tags(60);
    TStringList incoming;
    for (size_t i = 0; i < tags.size(); ++i)
        incoming.AddObject(stems[(i * 7) % std::size(stems)], &tags[i]);

    TListBox* oneByOne = Add<TListBox>(Form.get(), "OneByOne");
    for (TListBox* list : {List, oneByOne}) {
        list->SetSorted(true);
        list->Items()->SetCommaText("ab,AB,zz");
        list->SetItemIndex(1);
    }
    List->Items()->AddStrings(&incoming);
    for (int i = 0; i < incoming.Count(); ++i)
        oneByOne->Items()->AddObject(incoming[i], incoming.Objects(i));

    ASSERT_EQ(List->Items()->Count(), oneByOne->Items()->Count());
    for (int i = 0; i < List->Items()->Count(); ++i) {
        EXPECT_EQ(List->Items()->Get(i), oneByOne->Items()->Get(i)) << i;
        EXPECT_EQ(List->Items()->Objects(i), oneByOne->Items()->Objects(i)) << i;
    }
    EXPECT_EQ(List->ItemIndex(), oneByOne->ItemIndex()) << "the current entry is followed";
    EXPECT_EQ(List->Items()->Get(List->ItemIndex()), "AB");
}

TEST_F(ListTest, SortingLaterKeepsSelectionAndObjectsWithTheirEntries)
{
    TObject tag;
    List->SetMultiSelect(true);
    List->Items()->SetCommaText("c,a,b");
    List->Items()->PutObject(0, &tag);
    List->SetSelected(0, true);
    List->SetSorted(true);
    EXPECT_EQ(Entries(), "a,b,*c");
    EXPECT_EQ(List->Items()->Objects(2), &tag);
}

TEST_F(ListTest, PlainCtrlAndShiftClicksSelectAsAPersonExpects)
{
    List->SetMultiSelect(true);
    List->Items()->SetCommaText("A,B,C,D,E");
    Form->Show();
    Input::SelectItem(List, 1);
    Input::SelectItem(List, 3, {ssCtrl});
    EXPECT_EQ(Entries(), "A,*B,C,*D,E");
    EXPECT_EQ(List->SelCount(), 2);
    EXPECT_EQ(List->ItemIndex(), 3);
    Input::SelectItem(List, 1, {ssCtrl});
    EXPECT_EQ(Entries(), "A,B,C,*D,E");
    Input::SelectItem(List, 4, {ssShift});
    EXPECT_EQ(Entries(), "A,*B,*C,*D,*E") << "the range runs from the last click without Shift";
    Input::SelectItem(List, 0);
    EXPECT_EQ(Entries(), "*A,B,C,D,E");
    EXPECT_EQ(Clicks, 5);
    Input::SelectItem(List, 0);
    EXPECT_EQ(Clicks, 5) << "a click that changes nothing raises no OnClick";
    EXPECT_THROW(Input::SelectItem(List, 5), EInteractionError);
}

TEST_F(ListTest, ASingleSelectionListSelectsItsItemIndex)
{
    List->Items()->SetCommaText("A,B,C");
    List->SetItemIndex(1);
    EXPECT_EQ(Entries(), "A,*B,C");
    List->SetSelected(2, true);
    EXPECT_EQ(Entries(), "A,B,*C");
    List->SetSelected(0, false);
    EXPECT_EQ(List->ItemIndex(), 2) << "deselecting another entry leaves the selection alone";
    List->Items()->Insert(0, "first");
    EXPECT_EQ(List->ItemIndex(), 3);
    List->Items()->Delete(3);
    EXPECT_EQ(List->ItemIndex(), -1);
    EXPECT_EQ(List->SelCount(), 0);
    EXPECT_THROW(List->SetItemIndex(3), EStringListError);
    EXPECT_THROW(List->Selected(-1), EStringListError);
}

TEST_F(ListTest, UpdateBracketsTellTheWidgetOnce)
{
    Form->Show();
    List->Items()->BeginUpdate();
    for (const char* s : {"x", "y", "z"})
        List->Items()->Add(s);
    List->Items()->Delete(0);
    EXPECT_EQ(Notices(List, TPeerNotice::Items), 0);
    List->Items()->EndUpdate();
    EXPECT_EQ(Notices(List, TPeerNotice::Items), 1);
    List->Items()->Add("w");
    List->Clear();
    EXPECT_EQ(Notices(List, TPeerNotice::Items), 3);
}

class ComboTest : public VisualTest {
protected:
    void SetUp() override
    {
        VisualTest::SetUp();
        Form = NewForm();
        Combo = Add<TComboBox>(Form.get(), "Combo");
        Combo->SetStyle(csDropDownList);
        Combo->Items()->SetCommaText("Custom,Classic,Gray");
        Combo->OnChange = [this](TObject*) { ++Changes; };
    }

    std::unique_ptr<TForm> Form;
    TComboBox* Combo = nullptr;
    int Changes = 0;
};

TEST_F(ComboTest, OnChangeFollowsAPersonsChoiceNeverCode)
{
    Combo->SetItemIndex(2);
    Combo->SetText("Classic");
    EXPECT_EQ(Combo->ItemIndex(), 1);
    EXPECT_EQ(Changes, 0);
    Form->Show();
    Input::ChooseItem(Combo, 0);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Combo->Text(), "Custom");
    Input::ChooseItem(Combo, 0);
    EXPECT_EQ(Changes, 2) << "choosing the shown entry again is still a choice";
    EXPECT_THROW(Input::ChooseItem(Combo, 3), EInteractionError);
    Combo->SetEnabled(false);
    Input::ChooseItem(Combo, 1);
    EXPECT_EQ(Changes, 2);
}

TEST_F(ComboTest, ADropDownListTakesNoTypedText)
{
    Combo->SetItemIndex(1);
    Combo->SetText("Something else");
    EXPECT_EQ(Combo->Text(), "Classic");
    EXPECT_EQ(Combo->ItemIndex(), 1);

    Combo->SetStyle(csDropDown);
    Combo->SetText("Something else");
    EXPECT_EQ(Combo->Text(), "Something else");
    EXPECT_EQ(Combo->ItemIndex(), -1);
    Combo->SetItemIndex(2);
    EXPECT_EQ(Combo->Text(), "Gray");
}

TEST_F(ComboTest, ALabelsAcceleratorFocusesItsControl)
{
    auto* caption = Add<TLabel>(Form.get(), "Caption");
    caption->SetCaption("&Template");
    caption->SetFocusControl(Combo);
    auto* button = Add<TButton>(Form.get(), "Button");
    int clicks = 0;
    button->SetCaption("&Load");
    button->OnClick = [&](TObject*) { ++clicks; };
    Form->Show();
    button->SetFocus();

    Input::KeyDown(button, 'T', {ssAlt});
    EXPECT_TRUE(Combo->Focused());
    Input::KeyDown(Combo, 'L', {ssAlt});
    EXPECT_EQ(clicks, 1);
    Input::KeyDown(Combo, 'T');
    EXPECT_EQ(clicks, 1) << "without Alt a letter is no accelerator";

    delete Combo;
    EXPECT_EQ(caption->FocusControl(), nullptr);
    Input::KeyDown(button, 'T', {ssAlt});
}

}  // namespace

namespace {

class EditAndCheckListTest : public VisualTest {};

// An edit box and a check list box, and what each step by code or by a person runs: OnChange for
// every change of the text, from code as from typing; OnClickCheck for a person's toggle only.
TEST_F(EditAndCheckListTest, EventsRunForWhatAPersonAndCodeChange)
{
    std::unique_ptr<TForm> form = NewForm();
    auto* edit = Add<TEdit>(form.get(), "Edit");
    auto* checks = Add<TCheckListBox>(form.get(), "Checks", 0, 30);
    checks->Items()->SetCommaText("a,b,c");
    int changes = 0, clickChecks = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    checks->OnClickCheck = [&](TObject*) { ++clickChecks; };
    form->Show();

    auto marks = [&] {
        std::string text;
        for (int i = 0; i < checks->Items()->Count(); ++i)
            text += checks->Checked(i) ? '+' : '-';
        return text;
    };
    struct TStep {
        const char* What;
        std::function<void()> Do;
        const char* Text;
        const char* Marks;
        int Changes;
        int ClickChecks;
    };
    const TStep steps[] = {
        {"code sets the text", [&] { edit->SetText("x"); }, "x", "---", 1, 0},
        {"the same text again is no change", [&] { edit->SetText("x"); }, "x", "---", 1, 0},
        {"typing over it", [&] { Input::TypeText(edit, "orders.csv"); }, "orders.csv", "---", 2, 0},
        {"typing what it holds", [&] { Input::TypeText(edit, "orders.csv"); }, "orders.csv", "---", 2, 0},
        {"a disabled edit takes no typing",
         [&] {
             edit->SetEnabled(false);
             Input::TypeText(edit, "gone");
             edit->SetEnabled(true);
         },
         "orders.csv", "---", 2, 0},
        {"code checks b", [&] { checks->SetChecked(1, true); }, "orders.csv", "-+-", 2, 0},
        {"Space toggles the current entry",
         [&] {
             Input::SelectItem(checks, 0);
             Input::KeyDown(checks, 0x20);
         },
         "orders.csv", "++-", 2, 1},
        {"Shift+Space is no toggle", [&] { Input::KeyDown(checks, 0x20, {ssShift}); }, "orders.csv", "++-", 2, 1},
        {"a click on c's box", [&] { Input::ClickCheck(checks, 2); }, "orders.csv", "+++", 2, 2},
        {"and again", [&] { Input::ClickCheck(checks, 2); }, "orders.csv", "++-", 2, 3},
        {"a mark travels with its entry", [&] { checks->Items()->Insert(0, "z"); }, "orders.csv", "-++-", 2, 3},
        {"a new entry comes unchecked", [&] { checks->Items()->Add("d"); }, "orders.csv", "-++--", 2, 3},
    };
    for (const TStep& step : steps) {
        SCOPED_TRACE(step.What);
        step.Do();
        EXPECT_EQ(edit->Text(), step.Text);
        EXPECT_EQ(marks(), step.Marks);
        EXPECT_EQ(changes, step.Changes);
        EXPECT_EQ(clickChecks, step.ClickChecks);
    }
    EXPECT_EQ(checks->ItemIndex(), 3) << "the click selected c, which the insertion moved down";
    EXPECT_EQ(Notices(checks, TPeerNotice::Checked), 6) << "code's check, Space, two clicks, two new entries";
}

}  // namespace
