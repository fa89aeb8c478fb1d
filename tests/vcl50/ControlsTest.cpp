#include "VisualSupport.h"

#include "vcl50/ExtCtrls.h"
#include "vcl50/Input.h"
#include "vcl50/StdCtrls.h"

namespace {

using ControlsTest = VisualTest;

TEST_F(ControlsTest, BottomAlignedPanelsTakeTheFullWidthAndFollowTheParent)
{
    auto form = NewForm(448, 253);
    form->SetBorderStyle(bsSingle);
    auto* bar = Add<TPanel>(form.get(), "Bar", 10, 10);
    bar->SetHeight(32);
    bar->SetAlign(alBottom);
    EXPECT_EQ(bar->BoundsRect(), (TRect{0, 221, 448, 253}));

    // A second bottom panel stacks above the first; a client panel takes what is left.
    auto* status = Add<TPanel>(form.get(), "Status");
    status->SetHeight(20);
    status->SetAlign(alBottom);
    auto* body = Add<TPanel>(form.get(), "Body");
    body->SetAlign(alClient);
    EXPECT_EQ(status->BoundsRect(), (TRect{0, 201, 448, 221}));
    EXPECT_EQ(body->BoundsRect(), (TRect{0, 0, 448, 201}));

    form->SetClientHeight(300);
    EXPECT_EQ(bar->Top(), 268);
    EXPECT_EQ(body->Height(), 248);

    // A hidden panel gives up its place; a taller one pushes the others.
    status->SetVisible(false);
    EXPECT_EQ(body->Height(), 268);
    bar->SetHeight(50);
    EXPECT_EQ(bar->BoundsRect(), (TRect{0, 250, 448, 300}));
    EXPECT_EQ(body->Height(), 250);

    // Children share only what lies inside a panel's bevels and border.
    bar->SetBevelOuter(bvLowered);
    bar->SetBevelInner(bvRaised);
    bar->SetBorderWidth(2);
    auto* inner = Add<TPanel>(bar, "Inner");
    inner->SetAlign(alClient);
    EXPECT_EQ(inner->BoundsRect(), (TRect{4, 4, 444, 46}));
}

TEST_F(ControlsTest, FormClientSizeStaysExactWhatEverTheBorder)
{
    auto form = NewForm(452, 300);
    for (TFormBorderStyle style : {bsDialog, bsNone, bsSizeable, bsToolWindow, bsSingle}) {
        form->SetBorderStyle(style);
        EXPECT_EQ(form->ClientWidth(), 452);
        EXPECT_EQ(form->ClientHeight(), 300);
    }
    form->SetBorderStyle(bsNone);
    EXPECT_EQ(form->Width(), 452);
    form->SetBorderStyle(bsDialog);
    EXPECT_GT(form->Height(), 300);
}

TEST_F(ControlsTest, ParentColorFollowsDownTheChainUntilAColourIsSet)
{
    auto form = NewForm();
    auto* page = Add<TPanel>(form.get(), "Page");
    page->SetColor(clWhite);
    auto* table = Add<TPanel>(page, "Table");
    table->SetParentColor(true);
    auto* text = Add<TLabel>(table, "Text");
    ASSERT_TRUE(text->ParentColor());
    EXPECT_EQ(table->Color(), clWhite);
    EXPECT_EQ(text->Color(), clWhite);

    page->SetColor(clYellow);
    EXPECT_EQ(table->Color(), clYellow);
    EXPECT_EQ(text->Color(), clYellow);

    // An own colour, even the one it already shows, ends the following.
    table->SetColor(clYellow);
    EXPECT_FALSE(table->ParentColor());
    page->SetColor(clAqua);
    EXPECT_EQ(table->Color(), clYellow);
    table->SetParentColor(true);
    EXPECT_EQ(text->Color(), clAqua);

    // A control that joins takes its new parent's colour.
    auto* late = new TLabel(form.get());
    late->SetParent(page);
    EXPECT_EQ(late->Color(), clAqua);
}

TEST_F(ControlsTest, ParentFontAndShowHintFollowLikewise)
{
    auto form = NewForm();
    auto* panel = Add<TPanel>(form.get(), "Panel");
    auto* label = Add<TLabel>(panel, "Label");
    auto* own = Add<TLabel>(panel, "Own");
    own->Font()->SetName("Arial");
    EXPECT_FALSE(own->ParentFont());

    form->Font()->SetName("Courier New");
    form->Font()->SetHeight(-13);
    EXPECT_EQ(label->Font()->Name(), "Courier New");
    EXPECT_EQ(label->Font()->Height(), -13);
    EXPECT_TRUE(label->ParentFont());
    EXPECT_EQ(own->Font()->Name(), "Arial");
    EXPECT_EQ(own->Font()->Height(), -11);

    panel->SetShowHint(true);
    EXPECT_TRUE(label->ShowHint());
    own->SetShowHint(false);
    panel->SetShowHint(false);
    panel->SetShowHint(true);
    EXPECT_FALSE(own->ShowHint());
    EXPECT_TRUE(label->ShowHint());
}

TEST_F(ControlsTest, ASetterWithTheStoredValueRepaintsNothing)
{
    auto form = NewForm();
    auto* page = Add<TPanel>(form.get(), "Page");
    auto* cell = Add<TPanel>(page, "Cell");
    cell->SetParentColor(true);
    auto* label = Add<TLabel>(cell, "Label");
    EXPECT_EQ(Notices(label, TPeerNotice::Color), -1) << "no widgets before the form is shown";
    form->Show();
    ASSERT_NE(THeadlessPeer::Of(label), nullptr);

    page->SetColor(page->Color());
    label->SetCaption(label->Caption());
    label->SetBounds(label->Left(), label->Top(), label->Width(), label->Height());
    label->Font()->SetColor(label->Font()->Color());
    label->SetHint(label->Hint());
    EXPECT_EQ(THeadlessPeer::Of(page)->Total(), 0);
    EXPECT_EQ(THeadlessPeer::Of(label)->Total(), 0);

    page->SetColor(clRed);
    EXPECT_EQ(Notices(page, TPeerNotice::Color), 1);
    EXPECT_EQ(Notices(cell, TPeerNotice::Color), 1);
    EXPECT_EQ(Notices(label, TPeerNotice::Color), 1);
    label->Font()->SetColor(clBlue);
    EXPECT_EQ(Notices(label, TPeerNotice::Font), 1);
    EXPECT_EQ(Notices(cell, TPeerNotice::Font), 0);
}

TEST_F(ControlsTest, WidgetsExistWhileTheFormIsShownAndFollowControlsThatMove)
{
    auto form = NewForm();
    auto* panel = Add<TPanel>(form.get(), "Panel");
    form->Show();
    EXPECT_TRUE(panel->Peer());
    auto* late = Add<TButton>(panel, "Late");
    EXPECT_TRUE(late->Peer()) << "a control joining a shown form gets a widget";
    late->SetParent(nullptr);
    EXPECT_FALSE(late->Peer());
    late->SetParent(form.get());
    form->Hide();
    EXPECT_FALSE(panel->Peer());
    EXPECT_FALSE(late->Peer());
}

TEST_F(ControlsTest, AParentFreesItsChildrenAndAFreedChildLeavesItsParent)
{
    auto form = NewForm();
    auto* panel = Add<TPanel>(form.get(), "Panel");
    auto* inner = Add<TPanel>(panel, "Inner");
    auto* label = Add<TLabel>(inner, "Label");
    auto* button = Add<TButton>(panel, "Button");
    delete button;
    EXPECT_EQ(panel->ControlCount(), 1);
    EXPECT_EQ(form->FindComponent("Button"), nullptr);

    delete panel;
    EXPECT_FALSE(Input::IsAlive(inner));
    EXPECT_FALSE(Input::IsAlive(label));
    EXPECT_EQ(form->ControlCount(), 0);
    EXPECT_EQ(form->ComponentCount(), 0);
    EXPECT_THROW(Input::Click(label), EInteractionError);
}

TEST_F(ControlsTest, AControlCannotHoldItselfOrItsAncestors)
{
    auto form = NewForm();
    auto* outer = Add<TPanel>(form.get(), "Outer");
    auto* inner = Add<TPanel>(outer, "Inner");
    EXPECT_THROW(outer->SetParent(outer), EInvalidOperation);
    EXPECT_THROW(outer->SetParent(inner), EInvalidOperation);
    EXPECT_EQ(outer->Parent(), form.get());
    auto* label = Add<TLabel>(form.get(), "Label");
    EXPECT_THROW(inner->SetParentComponent(label), EInvalidOperation);
}

TEST_F(ControlsTest, ANewControlsCaptionFollowsItsNameUntilChanged)
{
    auto form = NewForm();
    auto* button = new TButton(form.get());
    button->SetName("Button1");
    EXPECT_EQ(button->Caption(), "Button1");
    button->SetName("btOK");
    EXPECT_EQ(button->Caption(), "btOK");
    button->SetCaption("OK");
    button->SetName("btStart");
    EXPECT_EQ(button->Caption(), "OK");
}

TEST_F(ControlsTest, AFormListsItsControlsInParentOrderThenItsOtherComponents)
{
    auto form = NewForm();
    auto* dialog = new TComponent(form.get());
    dialog->SetName("Dialog");
    auto* panel = Add<TPanel>(form.get(), "Panel");
    Add<TLabel>(panel, "Inside");
    Add<TButton>(form.get(), "Button");
    std::vector<std::string> names;
    form->GetChildren([&](TComponent* c) { names.push_back(c->Name()); }, form.get());
    EXPECT_EQ(names, (std::vector<std::string>{"Panel", "Button", "Dialog"}));
    names.clear();
    panel->GetChildren([&](TComponent* c) { names.push_back(c->Name()); }, form.get());
    EXPECT_EQ(names, (std::vector<std::string>{"Inside"}));
}

}  // namespace
