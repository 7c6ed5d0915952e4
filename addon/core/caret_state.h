#pragma once
// What the menu commands' availability and check marks look at: the window's read-only
// state, its information record, the caret line and paragraph, and the font at the caret.
#include "addon/core/editor_ops.h"

#include <cstdint>

namespace ks::addon {

struct CaretState {
    bool readOnly = false;
    EditorInfo info;
    bool paraRead = false;       // para and word hold the caret paragraph's values
    ParaProps para;
    std::uint32_t word = 0;      // the paragraph-type word
    unsigned lineFlags = 0;
    int cell = 0;                // the caret line's innermost cell, 0 outside tables
    unsigned fontStyle = 0;      // of the font at the caret
    int fontUserId = -1;

    bool textSelected() const { return info.selectionKind == 2; }
    bool inTable() const { return cell > 0; }
    bool onRule() const { return (lineFlags & kLineIsRule) != 0; }
};

// False when the information record cannot be read; a paragraph that cannot be read
// leaves paraRead false.
bool readCaretState(HWND hWnd, CaretState& state);

}
