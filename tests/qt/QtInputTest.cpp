// A person's input through real Qt events: mouse clicks, keys, combo-box choices, list-box
// selection and drags reach the model through the input path, and only there. And with no input
// at all, a modal result that code sets still closes its form.

#include <QAbstractItemView>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListView>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTimer>

#include "tests/qt/QtFormFixture.h"
#include "vcl50/Buttons.h"
#include "vcl50/ExtCtrls.h"
#include "vcl50/Input.h"
#include "vcl50/StdCtrls.h"
#include "vcl50/qt/QtModalLoop.h"

namespace {

// Mouse input through the form's window, so Qt routes it as it routes a real mouse: the widget
// under the point gets the press and keeps the mouse until the release.
class Mouse {
public:
    explicit Mouse(TCustomForm* form) : FWindow(QtPeer::WidgetOf(form)->windowHandle()), FForm(form) {}

    QPoint At(const TControl* control, QPoint local) const
    {
        return QtPeer::WidgetOf(control)->mapTo(QtPeer::WidgetOf(FForm), local);
    }
    void Click(const TControl* control, QPoint local, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseClick(FWindow, Qt::LeftButton, mods, At(control, local));
    }
    void Press(const TControl* control, QPoint local) { QTest::mousePress(FWindow, Qt::LeftButton, {}, At(control, local)); }
    void Move(const TControl* control, QPoint local) { QTest::mouseMove(FWindow, At(control, local)); }
    void Release(const TControl* control, QPoint local) { QTest::mouseRelease(FWindow, Qt::LeftButton, {}, At(control, local)); }

private:
    QWindow* FWindow;
    TCustomForm* FForm;
};

class QtInputTest : public QtFormTest {
protected:
    TButton* AddButton(TWinControl* parent, const char* name, int left, int result)
    {
        auto* button = Add<TButton>(parent, name, left, 90, 75, 25);
        button->SetCaption(name);
        button->SetModalResult(result);
        return button;
    }

    static std::vector<AnsiString> Entries(const TCustomListBox* list)
    {
        std::vector<AnsiString> entries;
        for (int i = 0; i < list->Items()->Count(); ++i)
            entries.push_back(list->Items()->Get(i));
        return entries;
    }

    static std::vector<int> Selection(const TCustomListBox* list)
    {
        std::vector<int> selected;
        for (int i = 0; i < list->Items()->Count(); ++i)
            if (list->Selected(i))
                selected.push_back(i);
        return selected;
    }

    // What the view shows once the event loop has turned (notices gather until then).
    static std::vector<int> ViewSelection(const TCustomListBox* list)
    {
        QApplication::sendPostedEvents();
        auto* view = static_cast<QListView*>(QtPeer::WidgetOf(list));
        std::vector<int> selected;
        for (const QModelIndex& index : view->selectionModel()->selectedIndexes())
            selected.push_back(index.row());
        std::sort(selected.begin(), selected.end());
        return selected;
    }

    // The point of entry `row` in a list box's client area.
    static QPoint EntryPoint(const TCustomListBox* list, int row)
    {
        auto* view = static_cast<QListView*>(QtPeer::WidgetOf(list));
        QRect rect = view->visualRect(view->model()->index(row, 0));
        return view->viewport()->mapTo(view, rect.center());
    }
};

TEST_F(QtInputTest, MouseClicksRunTheHandlersOfTheControlUnderTheMouse)
{
    TForm* form = NewForm(200, 120);
    auto* cell = Add<TPanel>(form, "Cell", 10, 10, 100, 40);
    auto* label = Add<TLabel>(cell, "Head", 20, 4, 40, 16);
    label->SetCaption("Name");
    int cellClicks = 0, labelClicks = 0, cellDouble = 0;
    cell->OnClick = [&](TObject* sender) { cellClicks += sender == cell; };
    cell->OnDblClick = [&](TObject*) { ++cellDouble; };
    label->OnClick = [&](TObject* sender) { labelClicks += sender == label; };
    form->Show();
    Mouse mouse(form);

    mouse.Click(label, {5, 5});
    EXPECT_EQ(labelClicks, 1);
    EXPECT_EQ(cellClicks, 0) << "the label and the rest of its cell are separate targets";
    mouse.Click(cell, {90, 30});
    EXPECT_EQ(cellClicks, 1);

    QTest::mouseDClick(QtPeer::WidgetOf(form)->windowHandle(), Qt::LeftButton, {}, mouse.At(cell, {90, 30}));
    EXPECT_EQ(cellClicks, 2) << "a double click's first click counts on its own";
    EXPECT_EQ(cellDouble, 1);

    // Pressed on the cell, released outside it: no click.
    mouse.Press(cell, {90, 30});
    mouse.Release(cell, {150, 30});
    EXPECT_EQ(cellClicks, 2);

    cell->SetEnabled(false);
    mouse.Click(label, {5, 5});
    mouse.Click(cell, {90, 30});
    EXPECT_EQ(cellClicks + labelClicks, 3) << "a disabled panel and what it holds take no clicks";
}

TEST_F(QtInputTest, EnterEscapeCloseBoxAndButtonsCloseModalFormsWithTheirResults)
{
    TForm* form = NewForm(240, 120);
    auto* ok = AddButton(form, "OK", 80, mrOk);
    ok->SetDefault(true);
    auto* cancel = AddButton(form, "Cancel", 160, mrCancel);
    cancel->SetCancel(true);
    auto* list = Add<TListBox>(form, "List", 10, 10, 100, 60);
    list->Items()->Add("one");

    auto key = [&](Qt::Key k) {
        Interaction::QueueModalHandler([k](TCustomForm* f) { QTest::keyClick(QtPeer::WidgetOf(f), k); });
        return form->ShowModal();
    };
    EXPECT_EQ(key(Qt::Key_Return), mrOk) << "Enter presses the default button";
    EXPECT_EQ(key(Qt::Key_Escape), mrCancel) << "Escape presses the cancel button";
    EXPECT_EQ(QtPeer::WidgetOf(form), nullptr) << "a closed form has no window";

    Interaction::QueueModalHandler([](TCustomForm* f) { QtPeer::WidgetOf(f)->close(); });
    EXPECT_EQ(form->ShowModal(), mrCancel) << "the close box";

    Interaction::QueueModalHandler([&](TCustomForm* f) {
        QTest::mouseClick(QtPeer::WidgetOf(f)->windowHandle(), Qt::LeftButton, {},
                          QtPeer::WidgetOf(ok)->geometry().center());
    });
    EXPECT_EQ(form->ShowModal(), mrOk);

    // Enter on a focused button presses that button, not the default one.
    Interaction::QueueModalHandler([&](TCustomForm* f) {
        cancel->SetFocus();
        EXPECT_EQ(QtPeer::WidgetOf(f)->focusWidget(), QtPeer::WidgetOf(cancel));
        QTest::keyClick(QtPeer::WidgetOf(f), Qt::Key_Return);
    });
    EXPECT_EQ(form->ShowModal(), mrCancel);
}

TEST_F(QtInputTest, ModalLoopReportsWhatHeadlessReports)
{
    TForm* form = NewForm(100, 60);
    EXPECT_THROW(form->ShowModal(), EInteractionError) << "no handler queued in scripted mode";
    EXPECT_FALSE(form->Visible());

    Interaction::QueueModalHandler([](TCustomForm*) {});
    try {
        form->ShowModal();
        ADD_FAILURE() << "a handler that leaves its form open is an error";
    } catch (const EInteractionError& e) {
        EXPECT_EQ(e.Message(), "The handler left TForm open");
    }

    // A result that the handler sets from code ends the loop as well; OnCloseQuery may refuse.
    int asked = 0;
    form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++asked > 1; };
    Interaction::QueueModalHandler([](TCustomForm* f) { f->SetModalResult(mrOk); });
    EXPECT_THROW(form->ShowModal(), EInteractionError);
    Interaction::QueueModalHandler([](TCustomForm* f) { f->SetModalResult(mrYes); });
    EXPECT_EQ(form->ShowModal(), mrYes);
}

namespace {

// No person and no handler: only timers act. A loop that misses a result is ended by the watchdog.
class QtModalLoopTest : public QtFormTest {
protected:
    TQtWidgetSet::TMode Mode() const override { return TQtWidgetSet::TMode::Interactive; }
};

}  // namespace

TEST_F(QtModalLoopTest, AResultSetByCodeClosesItsFormWithNoInput)
{
    TForm* outer = NewForm(200, 100);
    TForm* inner = NewForm(100, 60);
    bool stuck = false;
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        stuck = true;
        QtModalLoop::CheckInnermost(true);
    });
    watchdog.start(3000);

    QTimer::singleShot(0, [&] { outer->SetModalResult(mrOk); });
    EXPECT_EQ(outer->ShowModal(), mrOk);
    EXPECT_FALSE(stuck);

    // The outer form's result, set while an inner one runs, is seen once the inner one closes.
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [&] {
            outer->SetModalResult(mrYes);
            inner->SetModalResult(mrOk);
        });
        EXPECT_EQ(inner->ShowModal(), mrOk);
    });
    EXPECT_EQ(outer->ShowModal(), mrYes);
    EXPECT_FALSE(stuck);
}

TEST_F(QtInputTest, TabAndAcceleratorsMoveTheModelsFocusAndTheWidgetFollows)
{
    TForm* form = NewForm(240, 120);
    auto* first = AddButton(form, "First", 10, mrNone);
    auto* combo = Add<TComboBox>(form, "cbxTemplate", 100, 30, 120, 21);
    combo->SetStyle(csDropDownList);
    auto* caption = Add<TLabel>(form, "lbTemplate", 100, 10, 60, 16);
    caption->SetCaption("&Template");
    caption->SetFocusControl(combo);
    form->Show();
    QWidget* window = WidgetOf(form);
    first->SetFocus();
    ASSERT_EQ(window->focusWidget(), WidgetOf(first));

    QTest::keyClick(window, Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(form->ActiveControl(), combo) << "Alt+T: the label's accelerator";
    EXPECT_EQ(window->focusWidget(), WidgetOf(combo));

    QTest::keyClick(window, Qt::Key_Tab);
    EXPECT_EQ(form->ActiveControl(), first);
    EXPECT_EQ(window->focusWidget(), WidgetOf(first));
    QTest::keyClick(window, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(form->ActiveControl(), combo);
}

TEST_F(QtInputTest, ComboChoiceRaisesOnChangeOnceAndCodeNever)
{
    TForm* form = NewForm(200, 100);
    auto* combo = Add<TComboBox>(form, "cbx", 10, 10, 120, 21);
    combo->SetStyle(csDropDownList);
    for (const char* entry : {"Custom", "Black and white", "Classic"})
        combo->Items()->Add(entry);
    int changes = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    form->Show();
    auto* qt = static_cast<QComboBox*>(WidgetOf(combo));
    ASSERT_EQ(qt->count(), 3);

    combo->SetItemIndex(1);
    EXPECT_EQ(qt->currentIndex(), 1) << "the widget follows the model";
    EXPECT_EQ(changes, 0);

    qt->showPopup();
    QAbstractItemView* popup = qt->view();
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(popup->model()->index(2, 0)).center());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(combo->ItemIndex(), 2);

    // Choosing the entry already chosen is a choice too; the arrow keys choose as well.
    combo->SetFocus();
    QTest::keyClick(WidgetOf(form), Qt::Key_Up);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(qt->currentIndex(), 1);

    combo->Items()->Add("Colorful");
    EXPECT_EQ(qt->count(), 4);
    EXPECT_EQ(changes, 2);
}

TEST_F(QtInputTest, ListSelectionWithCtrlAndShiftAsTheModelHasIt)
{
    TForm* form = NewForm(300, 200);
    auto* list = Add<TListBox>(form, "List", 10, 10, 120, 150);
    auto* twin = Add<TListBox>(form, "Twin", 150, 10, 120, 150);
    for (TListBox* l : {list, twin}) {
        l->SetMultiSelect(true);
        for (const char* entry : {"A", "B", "C", "D", "E", "F"})
            l->Items()->Add(entry);
    }
    int clicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    Mouse mouse(form);

    struct Step {
        int Row;
        Qt::KeyboardModifiers Qt;
        TShiftState Model;
    };
    for (Step step : {Step{1, {}, {}}, Step{3, Qt::ControlModifier, {ssCtrl}}, Step{5, Qt::ShiftModifier, {ssShift}},
                      Step{4, Qt::ControlModifier, {ssCtrl}}, Step{0, {}, {}}}) {
        mouse.Click(list, EntryPoint(list, step.Row), step.Qt);
        Input::SelectItem(twin, step.Row, step.Model);
        EXPECT_EQ(Selection(list), Selection(twin)) << "after a click on row " << step.Row;
        EXPECT_EQ(ViewSelection(list), Selection(list));
    }
    EXPECT_EQ(clicks, 5);
    mouse.Click(list, EntryPoint(list, 0));  // the twin took the focus last
    EXPECT_EQ(clicks, 5) << "a click that changes no selection is no list click";
    EXPECT_EQ(form->ActiveControl(), list) << "a click focuses the list";

    // Keys move the current entry; the model's changes show in the view.
    QTest::keyClick(WidgetOf(form), Qt::Key_Down);
    EXPECT_EQ(Selection(list), std::vector<int>{1});
    list->SetSelected(4, true);
    EXPECT_EQ(ViewSelection(list), (std::vector<int>{1, 4}));
    list->Items()->Delete(0);
    EXPECT_EQ(ViewSelection(list), (std::vector<int>{0, 3}));
    EXPECT_EQ(static_cast<QListView*>(WidgetOf(list))->model()->rowCount(), 5);

    // Entries added one by one without an update bracket are shown all at once.
    for (int i = 0; i < 1000; ++i)
        list->Items()->Add("X" + std::to_string(i));
    EXPECT_EQ(ViewSelection(list), (std::vector<int>{0, 3}));
    auto* view = static_cast<QListView*>(WidgetOf(list));
    EXPECT_EQ(view->model()->rowCount(), 1005);
    EXPECT_EQ(view->model()->index(1004, 0).data().toString(), "X999");
}

TEST_F(QtInputTest, DragBetweenListsAsksOnDragOverAndShowsARefusal)
{
    TForm* form = NewForm(300, 200);
    auto* src = Add<TListBox>(form, "SrcList", 10, 10, 120, 150);
    auto* dst = Add<TListBox>(form, "DstList", 150, 10, 120, 150);
    for (TListBox* l : {src, dst}) {
        l->SetMultiSelect(true);
        l->SetDragMode(dmAutomatic);
    }
    for (const char* entry : {"A", "B", "C", "D", "E"})
        src->Items()->Add(entry);
    // Each list takes drops from the other one only, and then moves the other's selection over.
    auto accept = [](TListBox* from) {
        return [from](TObject*, TObject* source, int, int, TDragState, bool& ok) { ok = source == from; };
    };
    auto drop = [](TListBox* from, TListBox* to) {
        return [from, to](TObject*, TObject*, int, int) {
            for (int i = from->Items()->Count() - 1; i >= 0; --i)
                if (from->Selected(i)) {
                    to->Items()->Add(from->Items()->Get(i));
                    from->Items()->Delete(i);
                }
        };
    };
    dst->OnDragOver = accept(src);
    dst->OnDragDrop = drop(src, dst);
    src->OnDragOver = accept(dst);
    src->OnDragDrop = drop(dst, src);
    form->Show();
    src->SetSelected(1, true);
    src->SetSelected(3, true);
    Mouse mouse(form);

    // Pressing on a selected entry keeps the whole selection for the drag.
    mouse.Press(src, EntryPoint(src, 1));
    mouse.Move(src, EntryPoint(src, 2));
    mouse.Move(src, {60, 120});
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr) << "the drag is under way";
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::ForbiddenCursor) << "a list refuses its own drag";
    mouse.Move(dst, {60, 60});
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::DragMoveCursor);
    mouse.Release(dst, {60, 60});
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Entries(src), (std::vector<AnsiString>{"A", "C", "E"}));
    EXPECT_EQ(Entries(dst), (std::vector<AnsiString>{"D", "B"}));

    // Dropped back on the list it came from: refused, nothing moves.
    mouse.Press(dst, EntryPoint(dst, 0));
    mouse.Move(dst, {60, 80});
    mouse.Move(dst, {60, 100});
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
    mouse.Release(dst, {60, 100});
    EXPECT_EQ(Entries(src), (std::vector<AnsiString>{"A", "C", "E"}));
    EXPECT_EQ(Entries(dst), (std::vector<AnsiString>{"D", "B"}));

    // A list that drags by hand only does not start one.
    dst->SetDragMode(dmManual);
    mouse.Press(dst, EntryPoint(dst, 0));
    mouse.Move(src, {60, 60});
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    mouse.Release(src, {60, 60});
    EXPECT_EQ(Entries(src).size(), 3u);
}

// Keys typed into an edit box reach the model's OnKeyDown, then the line, whose edits reach
// OnChange; a click on a check box toggles its entry. The widgets show what the model holds.
TEST_F(QtInputTest, TypingAndCheckBoxesReachTheModelAndShowWhatItHolds)
{
    TForm* form = NewForm(240, 160);
    auto* edit = Add<TEdit>(form, "Edit", 10, 10, 120, 21);
    auto* checks = Add<TCheckListBox>(form, "Checks", 10, 40, 120, 80);
    checks->Items()->SetCommaText("a,b,c");
    std::vector<WORD> keys;
    int changes = 0, clickChecks = 0;
    edit->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { keys.push_back(key); };
    edit->OnChange = [&](TObject*) { ++changes; };
    checks->OnClickCheck = [&](TObject*) { ++clickChecks; };
    form->Show();
    edit->SetFocus();

    auto* line = static_cast<QLineEdit*>(QtPeer::WidgetOf(edit));
    QTest::keyClicks(line, "ab.c");
    EXPECT_EQ(edit->Text(), "ab.c");
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(keys, (std::vector<WORD>{'A', 'B', 'C'})) << "'.' has no virtual key; it still types";
    edit->SetText("by code");
    EXPECT_EQ(line->text(), "by code");

    auto* view = static_cast<QListView*>(QtPeer::WidgetOf(checks));
    const QModelIndex entry = view->model()->index(1, 0);
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.rect = view->visualRect(entry);
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box = view->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view);
    Mouse(form).Click(checks, view->viewport()->mapTo(view, box.center()));
    EXPECT_TRUE(checks->Checked(1));
    EXPECT_EQ(checks->ItemIndex(), 1);
    EXPECT_EQ(clickChecks, 1);
    Mouse(form).Click(checks, EntryPoint(checks, 2));
    EXPECT_FALSE(checks->Checked(2)) << "a click beside the box only selects";
    EXPECT_EQ(clickChecks, 1);
    checks->SetChecked(0, true);
    QApplication::sendPostedEvents();
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(view->model()->index(row, 0).data(Qt::CheckStateRole).toInt(),
                  checks->Checked(row) ? Qt::Checked : Qt::Unchecked) << row;
    form->Hide();
}

TEST_F(QtInputTest, AControlFreedWhileShownTakesNoMoreInput)
{
    TForm* form = NewForm(200, 100);
    auto* cell = Add<TPanel>(form, "Cell", 10, 10, 100, 40);
    int clicks = 0;
    // The handler frees its own control, as a person's click may make code do.
    cell->OnClick = [&](TObject*) {
        ++clicks;
        delete cell;
    };
    form->Show();
    QWidget* widget = WidgetOf(cell);
    QPoint at = widget->geometry().center();
    QTest::mouseClick(WidgetOf(form)->windowHandle(), Qt::LeftButton, {}, at);
    EXPECT_EQ(clicks, 1);
    QTest::mouseClick(WidgetOf(form)->windowHandle(), Qt::LeftButton, {}, at);
    EXPECT_EQ(clicks, 1);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
