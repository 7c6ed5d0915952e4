#pragma once
// The reader's tables: RTF gives a row's cell definitions before its text (outer
// tables) or after it (nested ones), so rows are collected whole and placed into
// the document when they end.
#include "platform/editor/model/editor.h"

#include <memory>
#include <vector>

namespace ks::editor::rtf {

struct RowData;

// A paragraph piece (ending in its mark) or a nested row.
struct Item {
    std::string chars;
    std::vector<std::uint16_t> fonts;
    int format = 0;
    std::unique_ptr<RowData> row;
};

struct CellData {
    std::vector<Item> items;
};

struct RowDef {
    std::vector<Cell> cells;
    int indent = 0, alignment = 0, width = 0, columns = 0, height = 0;
};

struct RowData {
    std::vector<CellData> cells;
    RowDef def;
    int endFormat = 0;   // the paragraph format in force at \row, which the row end keeps
};

// Places a finished row: its cells after previousCell (0: a new table), nested in enclosing.
// previousCell becomes the row's last cell.
void placeRow(Editor& e, RowData& row, int enclosing, int& previousCell);

}
