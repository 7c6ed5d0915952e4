#pragma once
// Internal to the formula evaluator and its functions.
#include "platform/workbook/engine/formula_eval.h"

namespace ks::workbook {

struct Evaluator {
    const CellSource& cells;
    int sheet;
    const std::vector<std::string>& texts;

    Value eval(const Node& n) const;
    // The operand as a number, or the error it gives.
    Value number(const Node& n) const;
    // The cell or block an operand names, if it names one.
    std::optional<Area> areaOf(const Node& n) const;
    Value binary(const Node& n) const;
};

// Spreadsheet ordering: numbers < texts < truth values; texts without regard to case.
int compareValues(const Value& lhs, const Value& rhs);
Value toNumberValue(const Value& v);
Value callFunction(const Evaluator& ev, const Node& call);

}
