#pragma once
// Dragging between controls, as the platform does it inside one application: a press on a
// control that drags automatically, a move past the threshold, the cursor telling over each
// control whether it takes the drop, and the drop on release. No Qt drag-and-drop (that is for
// data between programs): the model is asked directly, through the input path.

class QPoint;
class QtPeer;

namespace QtDrag {

// A left press on the widget of `source`; only controls with DragMode dmAutomatic drag.
void Press(QtPeer* source, const QPoint& globalPos);
// A move with the button held: true once the press has become a drag.
bool Move(const QPoint& globalPos);
// The release: true when it ended a drag (the release is then no click).
bool Release(const QPoint& globalPos);
// Whether the last drag ended in a drop the target took.
bool Dropped();
// Whether a drag is under way; and whether its current target takes the drop.
bool Dragging();
bool Accepted();

}  // namespace QtDrag
