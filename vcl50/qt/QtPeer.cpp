#include "vcl50/qt/QtPeer.h"

#include <QPalette>
#include <QWidget>

#include "vcl50/Controls.h"
#include "vcl50/Input.h"
#include "vcl50/qt/QtBridge.h"
#include "vcl50/qt/QtColors.h"
#include "vcl50/qt/QtCursors.h"
#include "vcl50/qt/QtFonts.h"

QtPeerLink::~QtPeerLink() = default;

QtPeer::QtPeer(TControl* control, QWidget* widget) : FControl(control), FWidget(widget)
{
    if (auto* link = dynamic_cast<QtPeerLink*>(widget))
        link->FPeer = this;
    // Qt never moves the focus on its own: the model's focus is the truth and the widget follows.
    widget->setFocusPolicy(Qt::NoFocus);
    widget->setObjectName(QString::fromStdString(control->Name()));
    QObject::connect(widget, &QObject::destroyed, [this] { FWidget = nullptr; });
}

QtPeer::~QtPeer()
{
    QWidget* widget = FWidget;
    if (!widget)
        return;
    if (auto* link = dynamic_cast<QtPeerLink*>(widget))
        link->FPeer = nullptr;
    QObject::disconnect(widget, &QObject::destroyed, nullptr, nullptr);
    FWidget = nullptr;
    // The widget may be inside one of its own event handlers (a click that closes the form): hide
    // it at once, free it once no handler of it can still be running.
    widget->hide();
    widget->deleteLater();
}

QtPeer* QtPeer::Of(const TControl* control)
{
    return control ? dynamic_cast<QtPeer*>(control->Peer()) : nullptr;
}

QWidget* QtPeer::WidgetOf(const TControl* control)
{
    QtPeer* peer = Of(control);
    return peer ? peer->Widget() : nullptr;
}

QtPeer* QtPeer::AtWidget(QWidget* widget)
{
    for (; widget; widget = widget->parentWidget())
        if (auto* link = dynamic_cast<QtPeerLink*>(widget); link && link->Peer())
            return link->Peer();
    return nullptr;
}

void QtPeer::Synchronize()
{
    BoundsChanged();
    ColorChanged();
    FontChanged();
    CursorChanged();
    HintChanged();
    EnabledChanged();
    RestackSiblings();
    VisibleChanged();
}

void QtPeer::BoundsChanged()
{
    FWidget->setGeometry(FControl->Left(), FControl->Top(), FControl->Width(), FControl->Height());
}

void QtPeer::VisibleChanged()
{
    FWidget->setVisible(FControl->Visible());
}

void QtPeer::EnabledChanged()
{
    FWidget->setEnabled(FControl->Enabled());
}

void QtPeer::ColorChanged()
{
    ApplyPalette();
    FWidget->update();
}

void QtPeer::FontChanged()
{
    FWidget->setFont(QtFonts::ToQFont(*FControl->Font()));
    ApplyPalette();  // the font colour is a palette colour in Qt
    FWidget->update();
}

void QtPeer::CursorChanged()
{
    if (FControl->Cursor() == crDefault)
        FWidget->unsetCursor();
    else
        FWidget->setCursor(static_cast<Qt::CursorShape>(QtCursors::ToQtCursorShape(FControl->Cursor())));
}

void QtPeer::HintChanged()
{
    // "short|long": the tooltip shows the short part.
    const AnsiString& hint = FControl->Hint();
    AnsiString shown = FControl->ShowHint() ? hint.substr(0, hint.find('|')) : AnsiString();
    FWidget->setToolTip(QString::fromStdString(shown));
}

void QtPeer::FocusChanged()
{
    auto* win = dynamic_cast<TWinControl*>(FControl);
    if (win && win->Focused())
        FWidget->setFocus(Qt::OtherFocusReason);
    else if (FWidget->hasFocus())
        FWidget->clearFocus();
}

void QtPeer::TabOrderChanged()
{
    auto* win = dynamic_cast<TWinControl*>(FControl);
    if (!win)
        return;
    QWidget* previous = nullptr;
    for (TWinControl* child : win->TabOrderList()) {
        QWidget* widget = WidgetOf(child);
        if (!widget)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void QtPeer::RestackSiblings()
{
    if (!dynamic_cast<TGraphicControl*>(FControl) || !FControl->Parent())
        return;
    TWinControl* parent = FControl->Parent();
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* sibling = parent->Controls(i);
        if (dynamic_cast<TWinControl*>(sibling)) {
            if (QWidget* above = WidgetOf(sibling)) {
                FWidget->stackUnder(above);
                return;
            }
        }
    }
}

void QtPeer::ApplyPalette()
{
    QPalette palette = FWidget->palette();
    QColor back = QtColors::ToQColor(FControl->Color());
    QColor text = QtColors::ToQColor(FControl->Font()->Color());
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, back);
        palette.setColor(group, QPalette::Base, back);
        palette.setColor(group, QPalette::Button, back);
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::ButtonText, text);
    }
    palette.setColor(QPalette::Disabled, QPalette::Window, back);
    palette.setColor(QPalette::Disabled, QPalette::Base, back);
    FWidget->setPalette(palette);
}

void QtPeer::Clicked()
{
    TControl* control = FControl;
    QtBridge::Deliver(control, [control] { Input::Click(control); });
}

void QtPeer::DoubleClicked()
{
    TControl* control = FControl;
    QtBridge::Deliver(control, [control] { Input::DblClick(control); });
}

void QtPeer::Paint(QPainter&) {}

void QtPeer::KeyPressed(WORD, TShiftState) {}
