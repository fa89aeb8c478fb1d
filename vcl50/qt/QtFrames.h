#pragma once
// The platform's 3-D frames, pixel for pixel: top and left edges in one colour, bottom and right
// in the other, the top-right and bottom-left corners belonging to the bottom colour.

class QColor;
class QPainter;
class QRect;

namespace QtFrames {

// Draws `width` nested frames inside `rect` and shrinks it by as much.
void Frame3D(QPainter& painter, QRect& rect, const QColor& top, const QColor& bottom, int width);
// One-pixel lines, as the platform's bevel control draws them; `x2`/`y2` excluded.
void Line(QPainter& painter, const QColor& color, int x1, int y1, int x2, int y2);

}  // namespace QtFrames
