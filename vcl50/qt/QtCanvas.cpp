#include "vcl50/qt/QtCanvas.h"

#include <QFontMetrics>
#include <QPainter>

#include "vcl50/qt/QtColors.h"
#include "vcl50/qt/QtFonts.h"

QtCanvas::~QtCanvas() = default;

void QtCanvas::TextOut(int x, int y, const AnsiString& text)
{
    const QFont font = QtFonts::ToQFont(*Font());
    FPainter.setFont(font);
    FPainter.setPen(QtColors::ToQColor(Font()->Color()));
    // The model places text by its top; Qt by its base line.
    FPainter.drawText(x, y + QFontMetrics(font).ascent(), QString::fromStdString(text));
}

int QtCanvas::TextWidth(const AnsiString& text)
{
    return QFontMetrics(QtFonts::ToQFont(*Font())).horizontalAdvance(QString::fromStdString(text));
}

int QtCanvas::TextHeight(const AnsiString&)
{
    return QFontMetrics(QtFonts::ToQFont(*Font())).height();
}

void QtCanvas::FillRect(const TRect& rect, TColor color)
{
    FPainter.fillRect(rect.Left, rect.Top, rect.Width(), rect.Height(), QtColors::ToQColor(color));
}
