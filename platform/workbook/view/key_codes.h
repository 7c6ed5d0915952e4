#pragma once
// The key codes the control's key events carry: the classic virtual-key numbers
// (13 Enter, 46 Delete, 48..57 digits, 65..90 letters, ...), 0 for keys without one.
#include <QKeyEvent>

namespace ks::workbook::view {

enum KeyCode : int {
    kKeyBack = 8, kKeyTab = 9, kKeyReturn = 13, kKeyEscape = 27, kKeyLeft = 37, kKeyUp = 38,
    kKeyRight = 39, kKeyDown = 40, kKeyDelete = 46, kKeyF2 = 113,
};

int keyCodeOf(const QKeyEvent& event);
// The shift state word: 1 Shift, 2 Ctrl, 4 Alt.
int shiftStateOf(const QKeyEvent& event);

}
