#include "vcl50/qt/QtKeys.h"

#include <QKeyEvent>

namespace QtKeys {

WORD ToVirtualKey(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return static_cast<WORD>('A' + (qtKey - Qt::Key_A));
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return static_cast<WORD>('0' + (qtKey - Qt::Key_0));
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return static_cast<WORD>(0x70 + (qtKey - Qt::Key_F1));
    switch (qtKey) {
    case Qt::Key_Backspace: return 0x08;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return 0x10;
    case Qt::Key_Control: return 0x11;
    case Qt::Key_Alt: return 0x12;
    case Qt::Key_Pause: return 0x13;
    case Qt::Key_CapsLock: return 0x14;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return 0x20;
    case Qt::Key_PageUp: return 0x21;
    case Qt::Key_PageDown: return 0x22;
    case Qt::Key_End: return 0x23;
    case Qt::Key_Home: return 0x24;
    case Qt::Key_Left: return 0x25;
    case Qt::Key_Up: return 0x26;
    case Qt::Key_Right: return 0x27;
    case Qt::Key_Down: return 0x28;
    case Qt::Key_Insert: return 0x2D;
    case Qt::Key_Delete: return 0x2E;
    default: return 0;
    }
}

int ToQtKey(WORD virtualKey)
{
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return Qt::Key_A + (virtualKey - 'A');
    if (virtualKey >= '0' && virtualKey <= '9')
        return Qt::Key_0 + (virtualKey - '0');
    if (virtualKey >= 0x70 && virtualKey <= 0x87)
        return Qt::Key_F1 + (virtualKey - 0x70);
    static constexpr int Others[] = {
        Qt::Key_Backspace, Qt::Key_Tab, Qt::Key_Return, Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt,
        Qt::Key_Pause, Qt::Key_CapsLock, Qt::Key_Escape, Qt::Key_Space, Qt::Key_PageUp, Qt::Key_PageDown,
        Qt::Key_End, Qt::Key_Home, Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Insert,
        Qt::Key_Delete};
    for (int qtKey : Others)
        if (ToVirtualKey(qtKey) == virtualKey)
            return qtKey;
    return 0;
}

TShiftState ToShiftState(int qtModifiers)
{
    TShiftState shift;
    if (qtModifiers & Qt::ShiftModifier)
        shift << ssShift;
    if (qtModifiers & Qt::ControlModifier)
        shift << ssCtrl;
    if (qtModifiers & Qt::AltModifier)
        shift << ssAlt;
    return shift;
}

void FromEvent(const QKeyEvent& event, WORD& key, TShiftState& shift)
{
    key = ToVirtualKey(event.key());
    shift = ToShiftState(static_cast<int>(event.modifiers()));
    if (event.key() == Qt::Key_Backtab)
        shift << ssShift;
}

}  // namespace QtKeys
