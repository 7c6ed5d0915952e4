#pragma once
// Reads the formulas of one file. A book holds many formulas filled down or across, the same
// but for relative references moved with the cell: each such shape is parsed once, and every
// further cell of it gets its own copy of that parse, shifted to the cell.
#include "platform/workbook/engine/formula.h"

#include <string>
#include <string_view>
#include <unordered_map>

namespace ks::workbook {

class FormulaShapes {
public:
    explicit FormulaShapes(SheetNames sheets) : sheets_(std::move(sheets)) {}
    // As parseFormula(text, sheets, true) for the formula of the cell at (row, col).
    FormulaPtr read(std::string_view text, int row, int col);

private:
    struct Parsed {
        FormulaPtr formula;
        int row, col;
    };
    SheetNames sheets_;
    std::unordered_map<std::string, Parsed> shapes_;
    std::string key_;
};

// The text with each relative reference spelled as its offset from (row, col): two formulas with
// equal keys parse to the same tree but for those offsets. False when the text cannot be keyed.
bool formulaShapeKey(std::string_view text, int row, int col, std::string& key);

}
