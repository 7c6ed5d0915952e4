#pragma once
// The editor's speed keys: key combinations bound to command numbers. A host
// switches single keys off with VekEnableSpeedKey; a key that is off does nothing.
#include <QKeySequence>

namespace ks::editor::view {

struct SpeedKey {
    int command;
    QKeyCombination key;
};

// The command of a key combination, 0 for none.
int speedKeyCommand(QKeyCombination key);

// Command numbers of the speed keys that are not also editor commands.
constexpr int kKeyBold = 633, kKeyItalic = 634, kKeyUnderline = 635, kKeyCentre = 637, kKeyLeft = 638,
              kKeyRight = 640, kKeyJustify = 641;

}
