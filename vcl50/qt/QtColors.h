#pragma once
// Model colours on screen: system colours resolve through ColorToRGB for display only, the model
// keeps the value it holds.

#include "vcl50/Graphics.h"

class QColor;

namespace QtColors {

QColor ToQColor(TColor color);
// A plain RGB colour (top byte 0) from what a Qt widget shows.
TColor FromQColor(const QColor& color);

}  // namespace QtColors
