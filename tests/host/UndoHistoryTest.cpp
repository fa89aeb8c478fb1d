// The undo history on forms of many megabytes: bounded by bytes, each form text held once, the
// oldest steps dropped, a step too large to keep clearing it, and undo and redo still exact.

#include <gtest/gtest.h>

#include <functional>

#include "host/DesignHost.h"
#include "tests/host/TestComponents.h"
#include "vcl50/Controls.h"
#include "vcl50/Formresources.h"

namespace {

constexpr size_t MiB = size_t{1} << 20;

// A form with a widget W whose caption can be made megabytes long; counts the host's notices.
struct TBigForm {
    TBigForm() : Form(Host.NewForm("F"))
    {
        RegisterTestComponents();
        Host.SetOnUndoHistoryCleared([this](TDesigner&) { ++Cleared; });
        Widget = Form.AddComponent(TTestWidget::StaticClass(), "W");
    }
    // Its text's hash: enough to tell the states apart without keeping them.
    size_t State() const { return std::hash<AnsiString>()(WriteComponentResourceText(Form.GetRoot())); }
    void SetCaption(size_t bytes)
    {
        Form.Perform("Caption", [&] {
            As<TControl>(Form.GetRoot())->SetCaption(AnsiString(bytes, 'c'));
            Form.Modified();
        });
    }

    TDesignHost Host;
    TDesigner& Form;
    TComponent* Widget = nullptr;  // until an undo rebuilds it
    int Cleared = 0;
};

}  // namespace

TEST(UndoHistory, FormTextsAreHeldOnceWithinTheByteBoundAndUndoStaysExact)
{
    TBigForm form;
    const TUndoHistory& history = form.Form.History();
    form.SetCaption(12 * MiB);
    // Each step's states, as undo and redo must bring them back. A change between two actions
    // (the Tag, set outside any) is in the next one's Before.
    std::vector<size_t> before, after;
    for (int i = 1; i <= 8; ++i) {
        if (i == 7)
            form.Widget->SetTag(7);
        before.push_back(form.State());
        ASSERT_TRUE(form.Host.Commands().MoveTo(form.Widget, 8 * i, 8));
        after.push_back(form.State());
    }
    // Texts of 12 MiB: held once, four or five fit in 64 MiB; held twice, two steps would.
    EXPECT_LE(history.Bytes(), TUndoHistory::MaxBytes);
    EXPECT_GT(history.Bytes() + 12 * MiB, TUndoHistory::MaxBytes) << "dropped more than it had to";
    ASSERT_GE(history.DoneCount(), 3u);
    EXPECT_EQ(history.Steps().front()->Label, "Move W") << "the caption's step, the oldest, went first";
    const size_t kept = history.DoneCount();
    for (size_t i = 0; i < kept; ++i) {
        ASSERT_TRUE(form.Form.Undo());
        EXPECT_EQ(form.State(), before[before.size() - 1 - i]) << i;
    }
    EXPECT_FALSE(form.Form.Undo());
    for (size_t i = kept; i > 0; --i) {
        ASSERT_TRUE(form.Form.Redo());
        EXPECT_EQ(form.State(), after[after.size() - i]) << i;
    }
    EXPECT_EQ(form.Cleared, 0);
}

TEST(UndoHistory, AStepTooLargeToKeepClearsItAndTheHostSaysSo)
{
    TBigForm form;
    const TUndoHistory& history = form.Form.History();
    form.SetCaption(33 * MiB);  // small before, 33 MiB after: kept
    ASSERT_EQ(history.DoneCount(), 2u);
    EXPECT_EQ(form.Cleared, 0);
    ASSERT_TRUE(form.Host.Commands().MoveTo(form.Widget, 16, 16));
    const size_t moved = form.State();
    // 33 MiB before and after: more than the history may hold.
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.Bytes(), 0u);
    EXPECT_EQ(form.Cleared, 1);
    EXPECT_TRUE(form.Form.IsModified());
    EXPECT_FALSE(form.Form.Undo());
    EXPECT_EQ(form.State(), moved);
}
