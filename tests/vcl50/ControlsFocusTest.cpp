#include "VisualSupport.h"

#include "vcl50/Buttons.h"
#include "vcl50/ExtCtrls.h"
#include "vcl50/Input.h"
#include "vcl50/StdCtrls.h"

namespace {

class FocusTest : public VisualTest {
protected:
    void SetUp() override
    {
        VisualTest::SetUp();
        Form = NewForm();
        First = Add<TButton>(Form.get(), "First");
        Second = Add<TButton>(Form.get(), "Second");
        Third = Add<TButton>(Form.get(), "Third");
    }

    std::vector<std::string> TabNames() const
    {
        std::vector<std::string> names;
        for (TWinControl* c : Form->TabOrderList())
            names.push_back(c->Name());
        return names;
    }

    std::string Focus() const
    {
        TWinControl* c = Screen->ActiveControl();
        return c ? std::string(c->Name()) : "";
    }

    std::unique_ptr<TForm> Form;
    TButton* First = nullptr;
    TButton* Second = nullptr;
    TButton* Third = nullptr;
};

TEST_F(FocusTest, TabOrderRenumbersTheOthers)
{
    EXPECT_EQ(Third->TabOrder(), 2);
    Third->SetTabOrder(0);
    EXPECT_EQ(TabNames(), (std::vector<std::string>{"Third", "First", "Second"}));
    EXPECT_EQ(First->TabOrder(), 1);
    Third->SetTabOrder(99);
    EXPECT_EQ(Third->TabOrder(), 2);
    Second->SetTabOrder(-5);
    EXPECT_EQ(TabNames(), (std::vector<std::string>{"Second", "First", "Third"}));
    delete First;
    EXPECT_EQ(Third->TabOrder(), 1);
}

TEST_F(FocusTest, TabVisitsFocusableStopsAndWraps)
{
    auto* panel = Add<TPanel>(Form.get(), "Panel");
    auto* list = Add<TListBox>(panel, "List");
    Add<TSpeedButton>(panel, "Speed");
    Second->SetEnabled(false);
    Form->Show();
    EXPECT_EQ(Focus(), "First") << "showing focuses the first tab stop";

    std::vector<std::string> visited;
    for (int i = 0; i < 4; ++i) {
        Input::KeyDown(As<TWinControl>(Screen->ActiveControl()), VK_TAB);
        visited.push_back(Focus());
    }
    // The panel is no tab stop but its list is; the disabled button is skipped.
    EXPECT_EQ(visited, (std::vector<std::string>{"Third", "List", "First", "Third"}));
    Input::KeyDown(Third, VK_TAB, {ssShift});
    EXPECT_EQ(Focus(), "First");
    EXPECT_TRUE(First->Focused());
    EXPECT_FALSE(list->Focused());
}

TEST_F(FocusTest, SetFocusRefusesWhatCannotTakeIt)
{
    try {
        Second->SetFocus();
        FAIL() << "a hidden form takes no focus";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "Cannot focus a disabled or invisible window");
    }
    Form->Show();
    Third->SetEnabled(false);
    EXPECT_THROW(Third->SetFocus(), EInvalidOperation);
    Second->SetVisible(false);
    EXPECT_FALSE(Second->CanFocus());
    EXPECT_THROW(Form->SetActiveControl(Second), EInvalidOperation);

    auto other = NewForm();
    auto* stranger = Add<TButton>(other.get(), "Stranger");
    EXPECT_THROW(Form->SetActiveControl(stranger), EInvalidOperation);
    TButton orphan(nullptr);
    EXPECT_THROW(orphan.SetFocus(), EInvalidOperation);
}

TEST_F(FocusTest, ActiveControlLetsGoOfControlsThatCanNoLongerHoldTheFocus)
{
    auto* panel = Add<TPanel>(Form.get(), "Panel");
    auto* list = Add<TListBox>(panel, "List");
    Form->Show();
    list->SetFocus();
    EXPECT_EQ(Form->ActiveControl(), list);
    EXPECT_EQ(Notices(list, TPeerNotice::Focus), 1);

    panel->SetEnabled(false);
    EXPECT_EQ(Form->ActiveControl(), nullptr);
    panel->SetEnabled(true);
    Second->SetFocus();
    delete Second;
    EXPECT_EQ(Form->ActiveControl(), nullptr);
    Third->SetFocus();
    Third->SetVisible(false);
    EXPECT_EQ(Screen->ActiveControl(), nullptr);
}

TEST_F(FocusTest, AClickFocusesButtonsAndListsButNotSpeedButtons)
{
    auto* speed = Add<TSpeedButton>(Form.get(), "Speed");
    auto* list = Add<TListBox>(Form.get(), "List");
    Form->Show();
    Input::Click(Third);
    EXPECT_EQ(Focus(), "Third");
    Input::Click(speed);
    EXPECT_EQ(Focus(), "Third");
    list->Items()->Add("a");
    Input::SelectItem(list, 0);
    EXPECT_EQ(Focus(), "List");
}

TEST_F(FocusTest, ShowingARememberedActiveControlFocusesIt)
{
    Form->SetActiveControl(Third);
    EXPECT_FALSE(Third->Focused()) << "the form is not active yet";
    Form->Show();
    EXPECT_TRUE(Third->Focused());

    auto second = NewForm();
    auto* other = Add<TButton>(second.get(), "Other");
    second->Show();
    EXPECT_EQ(Screen->ActiveForm(), second.get());
    EXPECT_TRUE(other->Focused());
    EXPECT_FALSE(Third->Focused());
    second->Hide();
    EXPECT_TRUE(Third->Focused());
}

}  // namespace
