#include "platform/editor/view/speed_keys.h"
#include "platform/editor/model/commands.h"

#include <array>

namespace ks::editor::view {

int speedKeyCommand(QKeyCombination key)
{
    static const std::array<SpeedKey, 11> keys = {{
        {kCmdSelectAll, Qt::ControlModifier | Qt::Key_A},
        {kCmdPageBreak, Qt::ControlModifier | Qt::Key_Return},
        {kCmdLineBreak, Qt::ShiftModifier | Qt::Key_Return},
        {kCmdParagraphMarks, Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_8},
        {kKeyBold, Qt::ControlModifier | Qt::Key_B},
        {kKeyItalic, Qt::ControlModifier | Qt::Key_I},
        {kKeyUnderline, Qt::ControlModifier | Qt::Key_U},
        {kKeyCentre, Qt::ControlModifier | Qt::Key_E},
        {kKeyLeft, Qt::ControlModifier | Qt::Key_L},
        {kKeyRight, Qt::ControlModifier | Qt::Key_R},
        {kKeyJustify, Qt::ControlModifier | Qt::Key_J},
    }};
    // The keypad's Enter is Return; Shift+8 may arrive as "*".
    if (key.key() == Qt::Key_Enter)
        key = QKeyCombination(key.keyboardModifiers(), Qt::Key_Return);
    if (key.key() == Qt::Key_Asterisk && (key.keyboardModifiers() & Qt::ControlModifier))
        key = QKeyCombination(key.keyboardModifiers() | Qt::ShiftModifier, Qt::Key_8);
    QKeyCombination plain(key.keyboardModifiers() & ~Qt::KeypadModifier, key.key());
    for (const SpeedKey& k : keys)
        if (k.key == plain)
            return k.command;
    return 0;
}

}
