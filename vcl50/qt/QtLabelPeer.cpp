#include "vcl50/qt/QtLabelPeer.h"

#include <QFontMetrics>
#include <QPainter>

#include "vcl50/StdCtrls.h"
#include "vcl50/qt/QtColors.h"
#include "vcl50/qt/QtFonts.h"
#include "vcl50/qt/QtPaintedWidget.h"

namespace {

int TextFlags(const TLabel* label)
{
    int flags = Qt::TextSingleLine | Qt::TextExpandTabs;
    if (label->ShowAccelChar())
        flags |= Qt::TextShowMnemonic;
    switch (label->Alignment()) {
    case taLeftJustify: flags |= Qt::AlignLeft; break;
    case taRightJustify: flags |= Qt::AlignRight; break;
    case taCenter: flags |= Qt::AlignHCenter; break;
    }
    switch (label->Layout()) {
    case tlTop: flags |= Qt::AlignTop; break;
    case tlCenter: flags |= Qt::AlignVCenter; break;
    case tlBottom: flags |= Qt::AlignBottom; break;
    }
    return flags;
}

}  // namespace

QtLabelPeer::QtLabelPeer(TLabel* label, QWidget* parent)
    : QtPeer(label, new QtPaintedWidget(parent)), FLabel(label)
{
}

void QtLabelPeer::Paint(QPainter& painter)
{
    QRect rect(0, 0, Widget()->width(), Widget()->height());
    if (!FLabel->Transparent())
        painter.fillRect(rect, QtColors::ToQColor(FLabel->Color()));
    painter.setFont(QtFonts::ToQFont(*FLabel->Font()));
    painter.setPen(QtColors::ToQColor(FLabel->Enabled() ? FLabel->Font()->Color() : clGrayText));
    painter.drawText(rect, TextFlags(FLabel), QString::fromStdString(FLabel->Caption()));
}

void QtLabelPeer::BoundsChanged()
{
    // The model keeps the bounds it was given; an auto-sized label's text that the substituted
    // family draws a little wider than the designed one still shows whole.
    int width = FLabel->Width();
    if (FLabel->AutoSize() && FLabel->Alignment() == taLeftJustify) {
        QFontMetrics metrics(QtFonts::ToQFont(*FLabel->Font()));
        QRect needed = metrics.boundingRect(QRect(0, 0, 10000, FLabel->Height()), TextFlags(FLabel),
                                            QString::fromStdString(FLabel->Caption()));
        width = std::max(width, needed.width());
    }
    Widget()->setGeometry(FLabel->Left(), FLabel->Top(), width, FLabel->Height());
}

void QtLabelPeer::CaptionChanged()
{
    BoundsChanged();
    Widget()->update();
}

void QtLabelPeer::FontChanged()
{
    QtPeer::FontChanged();
    BoundsChanged();
}

void QtLabelPeer::AppearanceChanged()
{
    BoundsChanged();
    Widget()->update();
}
