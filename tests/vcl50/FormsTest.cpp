#include "VisualSupport.h"

#include "vcl50/Buttons.h"
#include "vcl50/Input.h"
#include "vcl50/StdCtrls.h"

namespace {

// A dialog with the usual OK and Cancel buttons and a combo box, built in code.
class ModalTest : public VisualTest {
protected:
    void SetUp() override
    {
        VisualTest::SetUp();
        Form = NewForm();
        Form->SetBorderIcons({biSystemMenu});
        Combo = Add<TComboBox>(Form.get(), "Combo");
        Ok = Add<TButton>(Form.get(), "Ok");
        Ok->SetDefault(true);
        Ok->SetModalResult(mrOk);
        Cancel = Add<TButton>(Form.get(), "Cancel");
        Cancel->SetCancel(true);
        Cancel->SetModalResult(mrCancel);
        Ok->OnClick = [this](TObject*) { ++OkClicks; };
        Cancel->OnClick = [this](TObject*) { ++CancelClicks; };
    }

    int Run(std::function<void(TCustomForm*)> handler)
    {
        Interaction::QueueModalHandler(std::move(handler));
        return Form->ShowModal();
    }

    std::unique_ptr<TForm> Form;
    TComboBox* Combo = nullptr;
    TButton* Ok = nullptr;
    TButton* Cancel = nullptr;
    int OkClicks = 0;
    int CancelClicks = 0;
};

TEST_F(ModalTest, AButtonWithAModalResultClosesTheForm)
{
    bool shownWhenHandled = false;
    Form->OnShow = [&](TObject*) { Observer.Events.push_back("OnShow"); };
    int result = Run([&](TCustomForm* form) {
        shownWhenHandled = form->Visible() && Ok->Peer() != nullptr;
        Input::Click(Ok);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(shownWhenHandled);
    EXPECT_EQ(OkClicks, 1);
    EXPECT_FALSE(Form->Visible());
    EXPECT_EQ(Ok->Peer(), nullptr);
    EXPECT_EQ(Observer.Events, (std::vector<std::string>{"shown TForm", "OnShow", "closed TForm 1"}));
}

TEST_F(ModalTest, EnterClicksTheDefaultOrTheFocusedButtonAndEscapeTheCancelButton)
{
    EXPECT_EQ(Run([&](TCustomForm*) { Input::KeyDown(Combo, VK_RETURN); }), mrOk);
    EXPECT_EQ(Run([&](TCustomForm*) { Input::KeyDown(Cancel, VK_RETURN); }), mrCancel);
    EXPECT_EQ(Run([&](TCustomForm*) { Input::KeyDown(Combo, VK_ESCAPE); }), mrCancel);
    EXPECT_EQ(OkClicks, 1);
    EXPECT_EQ(CancelClicks, 2);
    // A key the control's handler takes never reaches the dialog manager.
    Combo->OnKeyDown = [](TObject*, WORD& key, TShiftState) { key = 0; };
    EXPECT_THROW(Run([&](TCustomForm*) { Input::KeyDown(Combo, VK_RETURN); }), EInteractionError);
    EXPECT_EQ(OkClicks, 1);
}

TEST_F(ModalTest, EscapeOnACancelButtonThatClicksItselfClosesOnce)
{
    Cancel->OnKeyDown = [this](TObject*, WORD& key, TShiftState) {
        if (key == VK_ESCAPE)
            Cancel->Click();
    };
    EXPECT_EQ(Run([&](TCustomForm*) { Input::KeyDown(Cancel, VK_ESCAPE); }), mrCancel);
    EXPECT_EQ(CancelClicks, 1);
}

TEST_F(ModalTest, TheCloseBoxCancelsUnlessOnCloseQueryRefuses)
{
    EXPECT_EQ(Run([&](TCustomForm* form) { Input::CloseBox(form); }), mrCancel);

    bool allow = false;
    Form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
    int result = Run([&](TCustomForm* form) {
        Input::CloseBox(form);
        EXPECT_EQ(form->ModalResult(), mrNone) << "refused, the form stays open";
        Input::Click(Ok);
        EXPECT_EQ(form->ModalResult(), mrNone);
        allow = true;
        Input::Click(Ok);
    });
    EXPECT_EQ(result, mrOk);

    Form->SetBorderIcons({});
    EXPECT_THROW(Run([&](TCustomForm* form) { Input::CloseBox(form); }), EInteractionError);
}

TEST_F(ModalTest, AModalFormWithoutAHandlerOrLeftOpenIsAClearError)
{
    try {
        Form->ShowModal();
        FAIL();
    } catch (const EInteractionError& e) {
        EXPECT_EQ(e.Message(), "No handler for the modal form TForm");
    }
    EXPECT_FALSE(Form->Visible());
    EXPECT_FALSE(Form->Modal());
    try {
        Run([](TCustomForm*) {});
        FAIL();
    } catch (const EInteractionError& e) {
        EXPECT_EQ(e.Message(), "The handler left TForm open");
    }
    EXPECT_FALSE(Form->Visible());
    // A result the handler sets without input still closes the form.
    EXPECT_EQ(Run([](TCustomForm* form) { form->SetModalResult(mrAbort); }), mrAbort);
}

TEST_F(ModalTest, AVisibleFormCannotBeMadeModal)
{
    Form->Show();
    try {
        Form->ShowModal();
        FAIL();
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "Cannot make a visible window modal");
    }
}

TEST_F(ModalTest, AnExceptionInAHandlerReachesTheErrorBoxAndTheDialogStaysOpen)
{
    Combo->OnClick = [](TObject*) { throw EConvertError("'x' is not a valid integer value"); };
    int result = Run([&](TCustomForm* form) {
        Input::Click(Combo);
        EXPECT_TRUE(form->Visible());
        Input::Click(Ok);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(Observer.Events[1], "error 'x' is not a valid integer value");

    // Errors of the interaction itself pass the error box to whoever drives the session.
    Combo->OnClick = [](TObject*) { throw EInteractionError("No answer for the colour dialog"); };
    EXPECT_THROW(Run([&](TCustomForm*) { Input::Click(Combo); }), EInteractionError);
    EXPECT_FALSE(Form->Visible());
}

TEST_F(ModalTest, InputForDisabledControlsDoesNothingAndForHiddenOnesIsAnError)
{
    Ok->SetEnabled(false);
    Form->Show();
    Input::Click(Ok);
    Input::KeyDown(Combo, VK_RETURN);
    EXPECT_EQ(OkClicks, 0);
    Cancel->SetVisible(false);
    EXPECT_THROW(Input::Click(Cancel), EInteractionError);
    Form->Hide();
    EXPECT_THROW(Input::Click(Combo), EInteractionError);
}

TEST_F(ModalTest, NestedModalFormsCloseInnermostFirst)
{
    auto inner = NewForm();
    auto* innerOk = Add<TBitBtn>(inner.get(), "InnerOk");
    innerOk->SetKind(bkOK);
    int innerResult = -1;
    Combo->OnClick = [&](TObject*) { innerResult = inner->ShowModal(); };
    Interaction::QueueModalHandler([&](TCustomForm*) {
        Input::Click(Combo);
        EXPECT_EQ(Screen->ActiveForm(), Form.get());
        Input::Click(Cancel);
    });
    Interaction::QueueModalHandler([&](TCustomForm* form) {
        EXPECT_EQ(form, inner.get());
        Input::KeyDown(innerOk, VK_RETURN);
    });
    EXPECT_EQ(Form->ShowModal(), mrCancel);
    EXPECT_EQ(innerResult, mrOk);
}

TEST(BitBtnTest, StandardKindsBringCaptionResultAndRole)
{
    TBitBtn ok(nullptr), cancel(nullptr), custom(nullptr);
    ok.SetKind(bkOK);
    cancel.SetKind(bkCancel);
    EXPECT_EQ(ok.Caption(), "OK");
    EXPECT_EQ(ok.ModalResult(), mrOk);
    EXPECT_TRUE(ok.Default());
    EXPECT_FALSE(ok.Cancel());
    EXPECT_EQ(cancel.Caption(), "Cancel");
    EXPECT_EQ(cancel.ModalResult(), mrCancel);
    EXPECT_TRUE(cancel.Cancel());
    EXPECT_FALSE(cancel.Default());
    custom.SetCaption("Go");
    custom.SetKind(bkCustom);
    EXPECT_EQ(custom.Caption(), "Go");
    EXPECT_EQ(custom.ModalResult(), mrNone);
}

class FormLifeTest : public VisualTest {};

class TfmNoResource : public TDerived<TfmNoResource, TForm> {
public:
    using TDerived::TDerived;
    static TClass StaticClass()
    {
        static const TMetaClass meta = TClassBuilder<TfmNoResource, TForm>("TfmNoResource").Build();
        return &meta;
    }
};

TEST_F(FormLifeTest, ADerivedFormWithoutResourceIsNotFoundAndLeavesNothing)
{
    int forms = Screen->FormCount();
    try {
        ConstructUnique<TfmNoResource>(nullptr);
        FAIL();
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource TfmNoResource not found");
    }
    EXPECT_EQ(Screen->FormCount(), forms);
    auto made = ConstructUnique<TfmNoResource>(nullptr, 0);
    EXPECT_EQ(Screen->FormCount(), forms + 1);
    EXPECT_EQ(Screen->Forms(forms), made.get());
}

TEST_F(FormLifeTest, AnExceptionInOnCreateReachesTheErrorBox)
{
    class TFailingForm : public TForm {
    public:
        explicit TFailingForm(TComponent* owner) : TForm(owner, 0)
        {
            OnCreate = [](TObject*) { throw EListError("List index out of bounds (3)"); };
        }
    };
    auto form = ConstructUnique<TFailingForm>(nullptr);
    EXPECT_EQ(Observer.Events, (std::vector<std::string>{"error List index out of bounds (3)"}));
}

class DragTest : public VisualTest {
protected:
    void SetUp() override
    {
        VisualTest::SetUp();
        Form = NewForm();
        Source = Add<TListBox>(Form.get(), "Source");
        Target = Add<TListBox>(Form.get(), "Target");
        Source->SetDragMode(dmAutomatic);
        Target->OnDragOver = [this](TObject*, TObject* source, int, int, TDragState state, bool& accept) {
            States.push_back(state);
            accept = source == Source;
        };
        Target->OnDragDrop = [this](TObject* sender, TObject* source, int x, int y) {
            Drops.push_back({sender, source, x, y});
        };
        Form->Show();
    }

    struct TDrop {
        TObject* Sender;
        TObject* Source;
        int X, Y;
    };
    std::unique_ptr<TForm> Form;
    TListBox* Source = nullptr;
    TListBox* Target = nullptr;
    std::vector<TDragState> States;
    std::vector<TDrop> Drops;
};

TEST_F(DragTest, AnAcceptedDragDrops)
{
    EXPECT_TRUE(Input::DragDrop(Source, Target, 12, 34));
    ASSERT_EQ(Drops.size(), 1u);
    EXPECT_EQ(Drops[0].Sender, Target);
    EXPECT_EQ(Drops[0].Source, Source);
    EXPECT_EQ(Drops[0].X, 12);
    EXPECT_EQ(Drops[0].Y, 34);
    EXPECT_EQ(States, (std::vector<TDragState>{dsDragEnter, dsDragMove}));
}

TEST_F(DragTest, RefusedDragsDropNothing)
{
    Target->SetDragMode(dmAutomatic);
    EXPECT_FALSE(Input::DragDrop(Target, Target, 1, 1)) << "the handler refuses";
    Source->SetDragMode(dmManual);
    EXPECT_FALSE(Input::DragDrop(Source, Target, 1, 1)) << "a manual source starts no drag";
    Source->SetDragMode(dmAutomatic);
    EXPECT_FALSE(Input::DragDrop(Target, Source, 1, 1)) << "no OnDragOver refuses";
    Target->OnDragOver = [](TObject*, TObject*, int, int, TDragState, bool&) { throw EConvertError("bad"); };
    EXPECT_FALSE(Input::DragDrop(Source, Target, 1, 1));
    EXPECT_TRUE(Drops.empty());
    EXPECT_EQ(Observer.Events, (std::vector<std::string>{"error bad"}));
}

}  // namespace
