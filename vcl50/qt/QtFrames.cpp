#include "vcl50/qt/QtFrames.h"

#include <QColor>
#include <QPainter>
#include <QRect>
#include <algorithm>

namespace QtFrames {

void Frame3D(QPainter& painter, QRect& rect, const QColor& top, const QColor& bottom, int width)
{
    for (int i = 0; i < width && rect.width() > 0 && rect.height() > 0; ++i) {
        int left = rect.left(), topY = rect.top(), right = rect.right(), bottomY = rect.bottom();
        painter.fillRect(left, topY, right - left, 1, top);           // top row, not the last pixel
        painter.fillRect(left, topY + 1, 1, bottomY - topY, top);     // left column, below the top
        painter.fillRect(right, topY, 1, bottomY - topY, bottom);     // right column
        painter.fillRect(left, bottomY, right - left + 1, 1, bottom); // bottom row
        rect.adjust(1, 1, -1, -1);
    }
}

void Line(QPainter& painter, const QColor& color, int x1, int y1, int x2, int y2)
{
    if (y1 == y2)
        painter.fillRect(std::min(x1, x2), y1, std::abs(x2 - x1), 1, color);
    else
        painter.fillRect(x1, std::min(y1, y2), 1, std::abs(y2 - y1), color);
}

}  // namespace QtFrames
