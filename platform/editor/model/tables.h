#pragma once
// Tables as the API builds them: cells with ids, grouped into rows, rows into
// tables; a table nests through the cell that encloses it. Text refers to its
// innermost cell by id (see ParaMeta).
#include "platform/editor/vek32_codes.h"

#include <array>
#include <cstdint>
#include <vector>

namespace ks::editor {

struct Cell {
    int row = 0;
    int alignment = 0;
    int height = 0;                   // twips
    int width = 0;                    // twips; negative: percent; 0: auto
    std::array<int, 4> borders{};     // twips: left, top, right, bottom as given
    int rowSpan = 1;                  // 0: filler
    int colSpan = 1;
    int flags = kCellData;
    std::uint32_t colour = kNoColour;
    int padding = -1;                 // twips, -1 none
};

struct Row {
    int table = 0;
    std::vector<int> cells;
};

struct Table {
    int enclosingCell = 0;   // 0: outermost
    int indent = 0;          // twips
    int alignment = 0;
    int width = 0;           // twips, negative percent, 0 auto
    int columns = 0;
    bool ended = false;
    std::vector<int> rows;
};

class TableStore {
public:
    void reset() { cells_.assign(1, {}); rows_.assign(1, {}); tables_.assign(1, {}); }
    TableStore() { reset(); }

    // A new cell after previous (0: in a new table); 0 when previous is unknown.
    int createCell(bool newRow, int previous, const Cell& cell, int tableIndent, int tableAlign);
    Cell* cell(int id) { return validCell(id) ? &cells_[id] : nullptr; }
    const Cell* cell(int id) const { return validCell(id) ? &cells_[id] : nullptr; }
    Row* row(int id) { return id > 0 && id < static_cast<int>(rows_.size()) ? &rows_[id] : nullptr; }
    Table* table(int id) { return id > 0 && id < static_cast<int>(tables_.size()) ? &tables_[id] : nullptr; }
    Table* tableOfCell(int id);
    int tableIdOfCell(int id) const;
    // Nests the cell's table in enclosing; refused when that would make a loop.
    bool setEnclosing(int cellId, int enclosing);
    // 1 for a cell of an outermost table, 0 for no cell.
    int depth(int cellId) const;
    // The cell at the given nesting depth that holds cellId (itself at its own depth).
    int cellAtDepth(int cellId, int depth) const;
    bool rowStartsTable(int rowId) const;
    // A row of copies of the given cells at index of the table's rows; its cell ids.
    std::vector<int> insertRow(int tableId, std::size_t index, const std::vector<Cell>& cells);
    void removeRow(int rowId);
    // A copy of cell at index of the row's cells; its id, 0 for no such row.
    int insertCell(int rowId, std::size_t index, const Cell& cell);
    void removeCell(int rowId, int cellId);
    int rowIndex(int rowId) const;
    // Tables nested in from move to to.
    void moveNested(int from, int to);
    int cellCount() const { return static_cast<int>(cells_.size()) - 1; }

private:
    bool validCell(int id) const { return id > 0 && id < static_cast<int>(cells_.size()); }
    std::vector<Cell> cells_;
    std::vector<Row> rows_;
    std::vector<Table> tables_;
};

}
