#include "vcl50/qt/QtColors.h"

#include <QColor>

namespace QtColors {

QColor ToQColor(TColor color)
{
    auto rgb = static_cast<uint32_t>(ColorToRGB(color));
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

TColor FromQColor(const QColor& color)
{
    QColor c = color.toRgb();
    return static_cast<TColor>(c.red() | (c.green() << 8) | (c.blue() << 16));
}

}  // namespace QtColors
