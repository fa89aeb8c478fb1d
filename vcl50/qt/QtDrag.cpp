#include "vcl50/qt/QtDrag.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QPoint>
#include <QWidget>

#include "vcl50/Input.h"
#include "vcl50/qt/QtBridge.h"
#include "vcl50/qt/QtPeer.h"

namespace QtDrag {
namespace {

struct State {
    TControl* Source = nullptr;
    QPoint Start;
    bool Dragging = false;
    TControl* Target = nullptr;
    bool Accepted = false;
};

State& Current()
{
    static State state;
    return state;
}

bool LastDropped = false;

// The control under the cursor on the source's window, and the cursor in its client area.
TControl* ControlAt(const QPoint& globalPos, QPoint& local)
{
    QWidget* source = QtPeer::WidgetOf(Current().Source);
    if (!source)
        return nullptr;
    QWidget* window = source->window();
    QPoint inWindow = window->mapFromGlobal(globalPos);
    if (!window->rect().contains(inWindow))
        return nullptr;
    QWidget* under = window->childAt(inWindow);
    QtPeer* peer = QtPeer::AtWidget(under ? under : window);
    if (!peer)
        return nullptr;
    local = peer->Widget()->mapFromGlobal(globalPos);
    return peer->Control();
}

void ShowCursor(bool accepted)
{
    QGuiApplication::changeOverrideCursor(QCursor(accepted ? Qt::DragMoveCursor : Qt::ForbiddenCursor));
}

void End()
{
    if (Current().Dragging)
        QGuiApplication::restoreOverrideCursor();
    Current() = State{};
}

}  // namespace

void Press(QtPeer* source, const QPoint& globalPos)
{
    End();
    if (!source || source->Control()->DragMode() != dmAutomatic)
        return;
    Current().Source = source->Control();
    Current().Start = globalPos;
}

bool Move(const QPoint& globalPos)
{
    State& s = Current();
    if (!s.Source)
        return false;
    if (!Input::IsAlive(s.Source)) {
        End();
        return false;
    }
    if (!s.Dragging) {
        if ((globalPos - s.Start).manhattanLength() < QApplication::startDragDistance())
            return false;
        s.Dragging = true;
        QGuiApplication::setOverrideCursor(QCursor(Qt::ForbiddenCursor));
    }
    QPoint local;
    TControl* target = ControlAt(globalPos, local);
    TControl* source = s.Source;
    if (s.Target != target && s.Target && Input::IsAlive(s.Target)) {
        TControl* left = s.Target;
        QtBridge::Deliver(left, [&] { Input::DragOver(source, left, local.x(), local.y(), dsDragLeave); });
    }
    bool accepted = false;
    if (target) {
        TDragState state = target == s.Target ? dsDragMove : dsDragEnter;
        QtBridge::Deliver(target, [&] { accepted = Input::DragOver(source, target, local.x(), local.y(), state); });
    }
    s.Target = target;
    s.Accepted = accepted;
    ShowCursor(accepted);
    return true;
}

bool Release(const QPoint& globalPos)
{
    State& s = Current();
    if (!s.Dragging) {
        End();
        return false;
    }
    QPoint local;
    TControl* target = ControlAt(globalPos, local);
    TControl* source = s.Source;
    End();
    // A refused drop drops nothing; the model asks the target once more as it drops.
    LastDropped = false;
    if (target && Input::IsAlive(source))
        QtBridge::Deliver(target, [&] { LastDropped = Input::DragDrop(source, target, local.x(), local.y()); });
    return true;
}

bool Dropped()
{
    return LastDropped;
}

bool Dragging()
{
    return Current().Dragging;
}

bool Accepted()
{
    return Current().Dragging && Current().Accepted;
}

}  // namespace QtDrag
