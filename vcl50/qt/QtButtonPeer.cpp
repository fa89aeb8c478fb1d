#include "vcl50/qt/QtButtonPeer.h"

#include <QKeySequence>
#include <QPushButton>

#include "vcl50/Buttons.h"
#include "vcl50/Input.h"
#include "vcl50/qt/QtBridge.h"
#include "vcl50/qt/QtColors.h"

namespace {

class QtButtonWidget : public QPushButton, public QtPeerLink {
public:
    using QPushButton::QPushButton;
};

}  // namespace

QtButtonPeer::QtButtonPeer(TControl* button, QWidget* parent) : QtPeer(button, new QtButtonWidget(parent))
{
    auto* widget = static_cast<QtButtonWidget*>(Widget());
    widget->setAutoDefault(false);
    QObject::connect(widget, &QPushButton::clicked, widget, [widget] {
        if (QtPeer* peer = widget->Peer())
            peer->Clicked();
    });
}

void QtButtonPeer::Synchronize()
{
    QtPeer::Synchronize();
    CaptionChanged();
    AppearanceChanged();
}

void QtButtonPeer::CaptionChanged()
{
    auto* button = static_cast<QPushButton*>(Widget());
    button->setText(QString::fromStdString(Control()->Caption()));
    // The underline stays; the accelerator itself is the dialog manager's, not a Qt shortcut.
    button->setShortcut(QKeySequence());
}

void QtButtonPeer::AppearanceChanged()
{
    auto* button = static_cast<QPushButton*>(Widget());
    if (auto* push = dynamic_cast<TButton*>(Control()))
        button->setDefault(push->Default());
    if (auto* speed = dynamic_cast<TSpeedButton*>(Control()))
        button->setFlat(speed->Flat());
}

void QtButtonPeer::KeyPressed(WORD key, TShiftState shift)
{
    TControl* control = Control();
    if (key == ' ' && shift.Empty() && dynamic_cast<TButton*>(control))
        QtBridge::Deliver(control, [control] { Input::Click(control); });
}
