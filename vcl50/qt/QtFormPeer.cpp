#include "vcl50/qt/QtFormPeer.h"

#include <QCloseEvent>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include "vcl50/Forms.h"
#include "vcl50/Input.h"
#include "vcl50/qt/QtBridge.h"
#include "vcl50/qt/QtCanvas.h"
#include "vcl50/qt/QtKeys.h"

class QtFormWindow : public QDialog, public QtPeerLink {
public:
    QtFormWindow() : QDialog(nullptr) { installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            // Every key is the model's: no Qt shortcut may take one first.
            event->accept();
            return true;
        }
        if (event->type() != QEvent::KeyPress)
            return QDialog::eventFilter(watched, event);
        auto* peer = static_cast<QtFormPeer*>(Peer());
        // Only a widget that types text sees the key itself, after the model.
        return !(peer && KeyToModel(peer->Form(), watched, *static_cast<QKeyEvent*>(event)));
    }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        // The window manager's close box: the model decides (a modal form closes with Cancel).
        event->ignore();
        auto* peer = static_cast<QtFormPeer*>(Peer());
        if (!peer)
            return;
        TCustomForm* form = peer->Form();
        if (form->BorderStyle() == bsNone || !form->BorderIcons().Contains(biSystemMenu))
            return;
        QtBridge::Deliver(form, [form] { Input::CloseBox(form); });
    }

    // The form's own content, beneath its controls' widgets.
    void paintEvent(QPaintEvent*) override
    {
        auto* peer = static_cast<QtFormPeer*>(Peer());
        auto* painted = peer ? dynamic_cast<IPaintedForm*>(peer->Form()) : nullptr;
        if (!painted)
            return;
        QPainter painter(this);
        QtCanvas canvas(painter);
        QtBridge::Deliver(peer->Form(), [painted, &canvas] { painted->Paint(canvas); });
    }

    // QDialog's own Enter, Escape and result handling are the model's dialog manager's.
    void keyPressEvent(QKeyEvent* event) override { event->accept(); }
    void reject() override {}
    void accept() override {}
    void done(int) override {}

private:
    // The key goes to the windowed control whose widget Qt gave it (the widget with the focus,
    // which follows the model's), else to the model's focused control, else to the form. True
    // when the widget should have the key as well: it types text, and the key neither closed the
    // form nor moved the focus.
    static bool KeyToModel(TCustomForm* form, QObject* watched, const QKeyEvent& event)
    {
        WORD key;
        TShiftState shift;
        QtKeys::FromEvent(event, key, shift);
        QtPeer* at = watched->isWidgetType() ? QtPeer::AtWidget(static_cast<QWidget*>(watched)) : nullptr;
        auto* target = at ? dynamic_cast<TWinControl*>(at->Control()) : nullptr;
        if (!target || target == form)
            target = form->ActiveControl();
        if (!target)
            target = form;
        if (key)
            QtBridge::Deliver(target, [target, key, shift] { Input::KeyDown(target, key, shift); });
        if (QtFormPeer::ModelKeysOnly() || !Input::IsAlive(target) || form->ModalResult() != mrNone || !form->Visible())
            return false;
        QtPeer* peer = QtPeer::Of(target);
        if (!peer)
            return false;
        if (peer->TakesTyping())
            return peer == at && target->Focused() && key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE;
        // What the native control does with the key.
        if (key)
            peer->KeyPressed(key, shift);
        return false;
    }
};

namespace {
int ModelKeysOnlyDepth = 0;
}

QtFormPeer::TModelKeysOnly::TModelKeysOnly()
{
    ++ModelKeysOnlyDepth;
}

QtFormPeer::TModelKeysOnly::~TModelKeysOnly()
{
    --ModelKeysOnlyDepth;
}

bool QtFormPeer::ModelKeysOnly()
{
    return ModelKeysOnlyDepth > 0;
}

QtFormPeer::QtFormPeer(TCustomForm* form) : QtPeer(form, new QtFormWindow), FForm(form)
{
    FWindow = static_cast<QtFormWindow*>(Widget());
    FWindow->setAttribute(Qt::WA_DeleteOnClose, false);
}

QtFormPeer::~QtFormPeer()
{
    if (Widget())
        Widget()->hide();
}

QtFormPeer* QtFormPeer::Of(const TCustomForm* form)
{
    return dynamic_cast<QtFormPeer*>(QtPeer::Of(form));
}

void QtFormPeer::Synchronize()
{
    CaptionChanged();
    AppearanceChanged();
    ColorChanged();
    FontChanged();
    CursorChanged();
    HintChanged();
    EnabledChanged();
}

void QtFormPeer::WatchKeys(QWidget* widget)
{
    widget->installEventFilter(FWindow);
}

void QtFormPeer::BoundsChanged()
{
    // The client area is exact; the frame is the window manager's. Forms do not resize by hand:
    // the model lays out their controls.
    FWindow->setFixedSize(FForm->ClientWidth(), FForm->ClientHeight());
}

void QtFormPeer::Place()
{
    if (FForm->Position() == poScreenCenter || FForm->Position() == poDesktopCenter) {
        QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen)
            return;
        QRect area = screen->availableGeometry();
        QSize size = FWindow->frameGeometry().size().expandedTo(FWindow->size());
        FWindow->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
    } else if (FForm->Position() == poDesigned) {
        FWindow->move(FForm->Left(), FForm->Top());
    }
}

void QtFormPeer::VisibleChanged()
{
    if (!FForm->Visible()) {
        FWindow->hide();
        return;
    }
    BoundsChanged();
    FWindow->setWindowModality(FForm->Modal() ? Qt::ApplicationModal : Qt::NonModal);
    Place();
    FWindow->show();
    if (QGuiApplication::platformName() != "offscreen") {  // which has no stacking to change
        FWindow->raise();
        FWindow->activateWindow();
    } else {
        FWindow->activateWindow();
    }
}

void QtFormPeer::CaptionChanged()
{
    FWindow->setWindowTitle(QString::fromStdString(FForm->Caption()));
}

void QtFormPeer::AppearanceChanged()
{
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
    TBorderIcons icons = FForm->BorderIcons();
    switch (FForm->BorderStyle()) {
    case bsNone: flags |= Qt::FramelessWindowHint; break;
    case bsDialog:
    case bsToolWindow:
    case bsSizeToolWin:
        flags |= Qt::WindowTitleHint;
        if (icons.Contains(biSystemMenu))
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (icons.Contains(biHelp))
            flags |= Qt::WindowContextHelpButtonHint;
        break;
    default:
        flags |= Qt::WindowTitleHint;
        if (icons.Contains(biSystemMenu)) {
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
            if (icons.Contains(biMinimize))
                flags |= Qt::WindowMinimizeButtonHint;
            if (icons.Contains(biMaximize) && FForm->BorderStyle() == bsSizeable)
                flags |= Qt::WindowMaximizeButtonHint;
        }
        break;
    }
    bool visible = FWindow->isVisible();
    FWindow->setWindowFlags(flags);  // hides the window: Qt re-creates it
    BoundsChanged();
    if (visible)
        FWindow->show();
}

void QtFormPeer::FocusChanged()
{
    // The form itself has the focus when none of its controls has.
    if (FForm->Active() && !FForm->ActiveControl())
        FWindow->setFocus(Qt::OtherFocusReason);
}

// Input has the loop check the form itself; a result set by code (a timer, a handler) has it
// checked here.
void QtFormPeer::ModalResultChanged()
{
    if (FForm->ModalResult() != mrNone)
        QtBridge::CheckSoon();
}
