#pragma once
// Internal to the formula evaluator and its functions.
#include "platform/workbook/engine/formula_eval.h"

namespace ks::workbook {

struct Evaluator {
    const CellSource& cells;
    int sheet;
    const std::vector<std::string>& texts;

    Value eval(const Node& n) const;
    // The operand's value, read in place when it is a cell (else evaluated into scratch):
    // comparisons, tests and arithmetic look at most operands without copying them.
    const Value& operand(const Node& n, Value& scratch) const
    {
        if (n.kind == NodeKind::Cell)
            return cells.valueAt(n.sheet < 0 ? sheet : n.sheet, n.a.row, n.a.col);
        return computedOperand(n, scratch);
    }
    const Value& computedOperand(const Node& n, Value& scratch) const;
    // The operand as a number, or the error it gives.
    Value number(const Node& n) const;
    // The same without building a value: false, with the error in failure, when it gives one.
    bool numeric(const Node& n, double& out, Value& failure) const;
    // The cell or block an operand names, if it names one.
    std::optional<Area> areaOf(const Node& n) const;
    Value binary(const Node& n) const;
    // A comparison's or a condition's truth, and a sum's or product's number, without building
    // a value for them; none or false, with the error in failure, when they give an error.
    std::optional<bool> comparison(const Node& n, Value& failure) const;
    std::optional<bool> condition(const Node& n, Value& failure) const;
    bool arithmetic(const Node& n, double& out, Value& failure) const;
};

// Spreadsheet ordering: numbers < texts < truth values; texts without regard to case.
int compareValues(const Value& lhs, const Value& rhs);
Value toNumberValue(const Value& v);
Value callFunction(const Evaluator& ev, const Node& call);

}
