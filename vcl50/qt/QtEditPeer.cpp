#include "vcl50/qt/QtEditPeer.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>

#include "vcl50/Input.h"
#include "vcl50/StdCtrls.h"
#include "vcl50/qt/QtBridge.h"

namespace {

class QtEditWidget : public QLineEdit, public QtPeerLink {
public:
    using QLineEdit::QLineEdit;

protected:
    // A press gives the model's edit the focus (the widget follows it), then places the cursor.
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && Peer())
            Peer()->Clicked();
        if (Peer())
            QLineEdit::mousePressEvent(event);
    }
};

}  // namespace

QtEditPeer::QtEditPeer(TEdit* edit, QWidget* parent) : QtPeer(edit, new QtEditWidget(parent)), FEdit(edit)
{
    auto* widget = static_cast<QtEditWidget*>(Widget());
    widget->setFrame(true);
    QObject::connect(widget, &QLineEdit::textEdited, widget, [widget](const QString& text) {
        QtPeer* peer = widget->Peer();
        if (!peer)
            return;
        auto* model = static_cast<TEdit*>(peer->Control());
        const AnsiString typed = text.toStdString();
        QtBridge::Deliver(model, [model, typed] { Input::TypeText(model, typed); });
        // What the model's handlers made of it is what shows.
        if (QtPeer* still = widget->Peer())
            still->CaptionChanged();
    });
}

void QtEditPeer::Synchronize()
{
    QtPeer::Synchronize();
    CaptionChanged();
}

void QtEditPeer::CaptionChanged()
{
    auto* line = static_cast<QLineEdit*>(Widget());
    const QString text = QString::fromStdString(FEdit->Text());
    if (line->text() == text)
        return;  // the cursor stays where the person typed
    QSignalBlocker block(line);
    line->setText(text);
}
