#pragma once
// Which Qt peer a control gets: a table of {class, factory}, searched from the control's class up
// through its parents, so a new family of controls adds one row.

#include <memory>

class QWidget;
class QtPeer;
class TControl;

namespace QtControlPeers {

// The peer of the nearest class in the table; a control of a class no row claims gets a plain
// painted place in its colour.
std::unique_ptr<QtPeer> Create(TControl* control, QWidget* parent);

}  // namespace QtControlPeers
