#pragma once
// Evaluates a parsed formula against the book's cells.
#include "platform/workbook/engine/formula.h"

#include <functional>
#include <optional>

namespace ks::workbook {

struct Area {
    int sheet;  // 0-based
    Block block;
};

// What the evaluator reads: cells, defined names and the clock.
class CellSource {
public:
    virtual ~CellSource() = default;
    // The value held (constant or last computed); an empty value for no cell.
    virtual const Value& valueAt(int sheet, int row, int col) const = 0;
    // Calls visit for every non-empty cell of the block, in row order.
    virtual void forEachValue(const Area& area, const std::function<void(const Value&)>& visit) const = 0;
    virtual std::optional<Area> nameArea(const std::string& name) const = 0;
    virtual double today() const = 0;
};

// The formula's value in the cell's sheet; a formula ending on an empty cell gives 0.
Value evaluateFormula(const Formula& formula, int sheet, const CellSource& cells);
// The same from a copy of the formula's code (root: its first node).
Value evaluateCode(const Node& root, const std::vector<std::string>& texts, int sheet, const CellSource& cells);

}
