#pragma once
// Qt key events as the platform's virtual keys and shift states.

#include "vcl50/Controls.h"

class QKeyEvent;

namespace QtKeys {

// Virtual key code of a Qt::Key and keyboard modifiers; 0 for keys the platform has no code for.
WORD ToVirtualKey(int qtKey);
TShiftState ToShiftState(int qtModifiers);
// The Qt::Key of a virtual key, 0 for none: the inverse of ToVirtualKey.
int ToQtKey(WORD virtualKey);
// Shift+Tab arrives as Qt::Key_Backtab: it is Tab with Shift.
void FromEvent(const QKeyEvent& event, WORD& key, TShiftState& shift);

}  // namespace QtKeys
