#include "vcl50/qt/QtPanelPeer.h"

#include <QPainter>

#include "vcl50/ExtCtrls.h"
#include "vcl50/qt/QtColors.h"
#include "vcl50/qt/QtFonts.h"
#include "vcl50/qt/QtFrames.h"
#include "vcl50/qt/QtPaintedWidget.h"

namespace {

QColor Shadow()
{
    return QtColors::ToQColor(clBtnShadow);
}

QColor Highlight()
{
    return QtColors::ToQColor(clBtnHighlight);
}

void Bevel(QPainter& painter, QRect& rect, TBevelCut cut, int width)
{
    if (cut == bvNone)
        return;
    if (cut == bvSpace) {
        rect.adjust(width, width, -width, -width);
        return;
    }
    bool lowered = cut == bvLowered;
    QtFrames::Frame3D(painter, rect, lowered ? Shadow() : Highlight(), lowered ? Highlight() : Shadow(), width);
}

int QtAlignment(TAlignment alignment)
{
    switch (alignment) {
    case taLeftJustify: return Qt::AlignLeft;
    case taRightJustify: return Qt::AlignRight;
    default: return Qt::AlignHCenter;
    }
}

}  // namespace

QtPanelPeer::QtPanelPeer(TPanel* panel, QWidget* parent)
    : QtPeer(panel, new QtPaintedWidget(parent)), FPanel(panel)
{
}

void QtPanelPeer::Paint(QPainter& painter)
{
    QRect rect(0, 0, FPanel->Width(), FPanel->Height());
    QColor color = QtColors::ToQColor(FPanel->Color());
    painter.fillRect(rect, color);
    Bevel(painter, rect, FPanel->BevelOuter(), FPanel->BevelWidth());
    rect.adjust(FPanel->BorderWidth(), FPanel->BorderWidth(), -FPanel->BorderWidth(), -FPanel->BorderWidth());
    Bevel(painter, rect, FPanel->BevelInner(), FPanel->BevelWidth());
    if (FPanel->Caption().empty())
        return;
    painter.setFont(QtFonts::ToQFont(*FPanel->Font()));
    painter.setPen(QtColors::ToQColor(FPanel->Font()->Color()));
    painter.drawText(rect, QtAlignment(FPanel->Alignment()) | Qt::AlignVCenter | Qt::TextSingleLine,
                     QString::fromStdString(FPanel->Caption()));
}

void QtPanelPeer::CaptionChanged()
{
    Widget()->update();
}

void QtPanelPeer::AppearanceChanged()
{
    Widget()->update();
}

QtBevelPeer::QtBevelPeer(TBevel* bevel, QWidget* parent)
    : QtPeer(bevel, new QtPaintedWidget(parent)), FBevel(bevel)
{
    // A bevel is a line on its parent: clicks fall through to what lies beneath.
    Widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void QtBevelPeer::Paint(QPainter& painter)
{
    bool lowered = FBevel->Style() == bsLowered;
    QColor first = lowered ? Shadow() : Highlight();
    QColor second = lowered ? Highlight() : Shadow();
    int w = FBevel->Width(), h = FBevel->Height();
    auto box = [&](int left, int top, int width, int height, const QColor& a, const QColor& b) {
        // Top and left in `a`, bottom and right in `b`, as Frame3D draws one pixel.
        QRect rect(left, top, width, height);
        QtFrames::Frame3D(painter, rect, a, b, 1);
    };
    switch (FBevel->Shape()) {
    case bsBox: box(0, 0, w, h, first, second); break;
    case bsFrame:
        // Two boxes, one pixel apart, give the etched look.
        box(0, 0, w - 1, h - 1, first, first);
        box(1, 1, w - 1, h - 1, second, second);
        break;
    case bsTopLine:
        QtFrames::Line(painter, first, 0, 0, w, 0);
        QtFrames::Line(painter, second, 0, 1, w, 1);
        break;
    case bsBottomLine:
        QtFrames::Line(painter, first, 0, h - 2, w, h - 2);
        QtFrames::Line(painter, second, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        QtFrames::Line(painter, first, 0, 0, 0, h);
        QtFrames::Line(painter, second, 1, 0, 1, h);
        break;
    case bsRightLine:
        QtFrames::Line(painter, first, w - 2, 0, w - 2, h);
        QtFrames::Line(painter, second, w - 1, 0, w - 1, h);
        break;
    case bsSpacer: break;
    }
}

void QtBevelPeer::AppearanceChanged()
{
    Widget()->update();
}
