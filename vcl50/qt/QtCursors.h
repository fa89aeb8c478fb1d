#pragma once
// The platform's stock cursors as Qt cursor shapes.

#include "vcl50/Controls.h"

namespace QtCursors {

// Qt::CursorShape as an int, so this header needs no Qt; crDefault and unknown values give
// Qt::ArrowCursor.
int ToQtCursorShape(TCursor cursor);

}  // namespace QtCursors
