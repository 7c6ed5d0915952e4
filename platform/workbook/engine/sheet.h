#pragma once
// One numbered sheet: its cells, row and column layout, print setup, protection,
// selection and embedded objects.
#include "platform/workbook/engine/cell_address.h"
#include "platform/workbook/engine/formula.h"
#include "platform/workbook/engine/value.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace ks::workbook {

struct Cell {
    Value value;          // the constant, or the formula's last result
    FormulaPtr formula;   // null for a constant
    std::uint32_t style = 0;
    bool hasContent() const { return formula || !value.isEmpty(); }
};

struct PrintSetup {
    std::optional<Block> range;
    std::string header, footer;
    int scale = 100;       // percent
    bool fitToPages = false;
    int pagesTall = 1, pagesWide = 1;  // 0: as many as the other direction's fit leaves
    bool landscape = false;
    // Print titles: rows 1..titleRows and columns 1..titleColumns print again at the top
    // and left of every page that does not hold them already; 0 for none.
    int titleRows = 0, titleColumns = 0;
    bool operator==(const PrintSetup&) const = default;
};

// Position of an object in cell units: column 1.5 is the middle of column 1.
struct Anchor {
    double left = 1, top = 1, right = 2, bottom = 2;
    bool operator==(const Anchor&) const = default;
};

// An embedded drop-down list; it records its choice (item number from 0, -1 for none)
// in its linked cell so that formulas can read it.
struct ListObject {
    int id = 0;
    std::string name;
    Anchor anchor;
    std::vector<std::string> items;  // the given items, when no source block
    std::optional<Block> source;     // items taken from these cells of the sheet
    int selection = -1;
    std::optional<CellPos> linkedCell;
    bool operator==(const ListObject&) const = default;
};

struct PictureObject {
    int id = 0;
    Anchor anchor;
    std::string data;  // the picture file's bytes
    int mappingMode = 0;
    double width = 0, height = 0;
    bool operator==(const PictureObject&) const = default;
};

class Sheet {
public:
    explicit Sheet(std::string name) : name(std::move(name)) {}

    std::string name;
    bool isProtected = false;
    PrintSetup print;
    std::set<int> rowBreaks, columnBreaks;  // a break before the row or column
    std::map<int, double> rowHeights;       // points
    std::set<int> hiddenRows;
    std::map<int, double> columnWidths;     // characters
    CellPos cursor;
    Block selection;
    std::vector<ListObject> lists;
    std::vector<PictureObject> pictures;

    // Inline: formulas read cells through it thousands of times a recalculation.
    const Cell* find(int row, int col) const
    {
        // Unsigned: a row or column below 1 wraps past every size.
        std::size_t r = static_cast<std::size_t>(row) - 1, c = static_cast<std::size_t>(col) - 1;
        if (r >= rows_.size())
            return nullptr;
        const auto& cells = rows_[r];
        return c < cells.size() ? &cells[c] : nullptr;
    }
    Cell* findMutable(int row, int col);
    // The cell, created when missing; row and column must be valid.
    Cell& at(int row, int col);
    void erase(int row, int col);
    int lastRow() const { return static_cast<int>(rows_.size()); }
    int lastColumn() const;

    template <class Visit>
    void forEachCell(Visit&& visit) const
    {
        for (std::size_t r = 0; r < rows_.size(); ++r)
            for (std::size_t c = 0; c < rows_[r].size(); ++c)
                if (rows_[r][c].hasContent() || rows_[r][c].style)
                    visit(static_cast<int>(r) + 1, static_cast<int>(c) + 1, rows_[r][c]);
    }
    template <class Visit>
    void forEachInBlock(const Block& b, Visit&& visit) const
    {
        int lastR = std::min(b.row2, lastRow());
        for (int r = std::max(b.row1, 1); r <= lastR; ++r) {
            const auto& row = rows_[static_cast<std::size_t>(r) - 1];
            int lastC = std::min(b.col2, static_cast<int>(row.size()));
            for (int c = std::max(b.col1, 1); c <= lastC; ++c)
                visit(r, c, row[static_cast<std::size_t>(c) - 1]);
        }
    }

private:
    std::vector<std::vector<Cell>> rows_;  // rows_[row - 1][column - 1]
};

}
