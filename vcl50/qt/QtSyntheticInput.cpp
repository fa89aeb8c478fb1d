#include "vcl50/qt/QtSyntheticInput.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>

#include "vcl50/Forms.h"
#include "vcl50/Input.h"
#include "vcl50/StdCtrls.h"
#include "vcl50/qt/QtBridge.h"
#include "vcl50/qt/QtDrag.h"
#include "vcl50/qt/QtFormPeer.h"
#include "vcl50/qt/QtKeys.h"
#include "vcl50/qt/QtListBoxPeer.h"
#include "vcl50/qt/QtPaintedWidget.h"

namespace {

// The widget of a control a person could reach now: alive, shown, enabled up to its window.
QWidget* Reachable(const TControl* control)
{
    if (!Input::IsAlive(control))
        return nullptr;
    QWidget* widget = QtPeer::WidgetOf(control);
    if (!widget || !widget->isVisible() || !widget->isEnabled())
        return nullptr;
    return widget;
}

// An error the input path raised inside Qt's dispatch reaches the caller as it would without Qt.
void RaisePending()
{
    if (std::exception_ptr error = QtBridge::TakePending())
        std::rethrow_exception(error);
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint local, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers = {})
{
    QMouseEvent event(type, QPointF(local), QPointF(widget->mapToGlobal(local)), Qt::LeftButton, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}

void ClickAt(QWidget* widget, QPoint local, Qt::KeyboardModifiers modifiers = {})
{
    SendMouse(widget, QEvent::MouseButtonPress, local, Qt::LeftButton, modifiers);
    SendMouse(widget, QEvent::MouseButtonRelease, local, Qt::NoButton, modifiers);
}

Qt::KeyboardModifiers Modifiers(TShiftState shift)
{
    Qt::KeyboardModifiers modifiers;
    if (shift.Contains(ssShift))
        modifiers |= Qt::ShiftModifier;
    if (shift.Contains(ssCtrl))
        modifiers |= Qt::ControlModifier;
    if (shift.Contains(ssAlt))
        modifiers |= Qt::AltModifier;
    return modifiers;
}

// Where entry `index` of a list box lies in its view's viewport, scrolled into sight.
QPoint EntryPoint(QListView* view, const TCustomListBox* list, int index)
{
    if (auto* peer = dynamic_cast<QtListBoxPeer*>(QtPeer::Of(list)))
        peer->Refresh();
    QModelIndex entry = view->model()->index(index, 0);
    view->scrollTo(entry);
    return view->visualRect(entry).center();
}

// Widgets that report clicks themselves; a form, a list or a combo box clicked as a whole has
// no one place a person would press.
bool ReportsClicks(QWidget* widget)
{
    return dynamic_cast<QtPaintedWidget*>(widget) || qobject_cast<QAbstractButton*>(widget);
}

}  // namespace

void TQtSyntheticInput::Click(TControl* control)
{
    QWidget* widget = Reachable(control);
    if (!widget || !ReportsClicks(widget))
        return TInputDriver::Click(control);
    ClickAt(widget, widget->rect().center());
    RaisePending();
}

void TQtSyntheticInput::DblClick(TControl* control)
{
    QWidget* widget = Reachable(control);
    auto* list = dynamic_cast<TCustomListBox*>(control);
    auto* view = qobject_cast<QListView*>(widget);
    QPoint at;
    if (view && list) {
        int entry = list->ItemIndex() >= 0 ? list->ItemIndex() : 0;
        if (entry >= list->Items()->Count())
            return TInputDriver::DblClick(control);
        at = EntryPoint(view, list, entry);
        widget = view->viewport();
    } else if (widget && dynamic_cast<QtPaintedWidget*>(widget)) {
        at = widget->rect().center();
    } else {
        return TInputDriver::DblClick(control);  // a button takes a double click as two clicks
    }
    SendMouse(widget, QEvent::MouseButtonDblClick, at, Qt::LeftButton);
    SendMouse(widget, QEvent::MouseButtonRelease, at, Qt::NoButton);
    RaisePending();
}

void TQtSyntheticInput::KeyDown(TWinControl* control, WORD key, TShiftState shift)
{
    QWidget* widget = Reachable(control);
    int qtKey = QtKeys::ToQtKey(key);
    if (!widget || !qtKey || dynamic_cast<TCustomForm*>(control))
        return TInputDriver::KeyDown(control, key, shift);
    QtFormPeer::TModelKeysOnly modelOnly;
    QKeyEvent event(QEvent::KeyPress, qtKey, Modifiers(shift));
    QApplication::sendEvent(widget, &event);
    RaisePending();
}

void TQtSyntheticInput::ChooseItem(TComboBox* combo, int index)
{
    auto* widget = qobject_cast<QComboBox*>(Reachable(combo));
    if (!widget || index < 0 || index >= widget->count())
        return TInputDriver::ChooseItem(combo, index);
    widget->showPopup();
    QAbstractItemView* popup = widget->view();
    QModelIndex entry = popup->model()->index(index, 0);
    popup->scrollTo(entry);
    ClickAt(popup->viewport(), popup->visualRect(entry).center());
    if (widget->view()->isVisible())
        widget->hidePopup();
    RaisePending();
}

void TQtSyntheticInput::SelectItem(TCustomListBox* list, int index, TShiftState shift)
{
    auto* view = qobject_cast<QListView*>(Reachable(list));
    if (!view || index < 0 || index >= list->Items()->Count())
        return TInputDriver::SelectItem(list, index, shift);
    ClickAt(view->viewport(), EntryPoint(view, list, index), Modifiers(shift));
    RaisePending();
}

void TQtSyntheticInput::TypeText(TEdit* edit, const AnsiString& text)
{
    auto* line = qobject_cast<QLineEdit*>(Reachable(edit));
    const QString typed = QString::fromStdString(text);
    // Typing what the line shows already edits nothing the line would report.
    if (!line || line->text() == typed)
        return TInputDriver::TypeText(edit, text);
    // All of it selected, the new text typed over it: the line reports the edit.
    line->selectAll();
    line->insert(typed);
    RaisePending();
}

bool TQtSyntheticInput::DragDrop(TControl* source, TControl* target, int x, int y)
{
    QWidget* from = Reachable(source);
    QWidget* to = Reachable(target);
    if (!from || !to || source->DragMode() != dmAutomatic)
        return TInputDriver::DragDrop(source, target, x, y);
    // The press that starts a drag; what a press selects is the script's to say beforehand.
    if (auto* view = qobject_cast<QListView*>(from))
        from = view->viewport();
    QPoint start = from->rect().center();
    QtDrag::Press(QtPeer::Of(source), from->mapToGlobal(start));
    // The mouse stays with the widget it was pressed on, wherever it goes.
    QPoint onTarget = from->mapFromGlobal(to->mapToGlobal(QPoint(x, y)));
    SendMouse(from, QEvent::MouseMove, start + QPoint(QApplication::startDragDistance() + 1, 0), Qt::LeftButton);
    SendMouse(from, QEvent::MouseMove, onTarget, Qt::LeftButton);
    SendMouse(from, QEvent::MouseButtonRelease, onTarget, Qt::NoButton);
    RaisePending();
    return QtDrag::Dropped();
}

void TQtSyntheticInput::CloseBox(TCustomForm* form)
{
    QWidget* window = Reachable(form);
    if (!window || form->BorderStyle() == bsNone || !form->BorderIcons().Contains(biSystemMenu))
        return TInputDriver::CloseBox(form);
    window->close();
    RaisePending();
}
