#include "platform/workbook/view/key_codes.h"

namespace ks::workbook::view {

int keyCodeOf(const QKeyEvent& event)
{
    int key = event.key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return '0' + (key - Qt::Key_0);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 'A' + (key - Qt::Key_A);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace: return kKeyBack;
    case Qt::Key_Tab: case Qt::Key_Backtab: return kKeyTab;
    case Qt::Key_Return: case Qt::Key_Enter: return kKeyReturn;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Escape: return kKeyEscape;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return kKeyLeft;
    case Qt::Key_Up: return kKeyUp;
    case Qt::Key_Right: return kKeyRight;
    case Qt::Key_Down: return kKeyDown;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return kKeyDelete;
    case Qt::Key_Minus: return 189;
    case Qt::Key_Period: return 190;
    case Qt::Key_Comma: return 188;
    case Qt::Key_Equal: return 187;
    default: return 0;
    }
}

int shiftStateOf(const QKeyEvent& event)
{
    Qt::KeyboardModifiers m = event.modifiers();
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

}
