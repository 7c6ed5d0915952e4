#include "platform/workbook/engine/formula_eval.h"

#include "platform/workbook/engine/formula_evaluator.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string_view>

namespace ks::workbook {

namespace {
// What an operand compares as. An empty operand takes the other side's kind: 0, "" or FALSE.
// Read in place: comparisons run in most formulas and must not copy texts.
struct Operand {
    int rank;  // numbers before texts before truth values
    double number;
    std::string_view text;
};

Operand operandOf(const Value& v, const Value& other)
{
    if (v.isNumber())
        return {0, v.number, {}};
    if (v.isText())
        return {1, 0, v.text};
    if (!v.isEmpty())
        return {2, v.number, {}};
    return {other.isText() ? 1 : other.isBool() ? 2 : 0, 0, {}};
}

// Texts compare without regard to case, byte by byte as unsigned characters.
int compareFolded(std::string_view a, std::string_view b)
{
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        int x = std::tolower(static_cast<unsigned char>(a[i])), y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y)
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}
}

int compareValues(const Value& lhsIn, const Value& rhsIn)
{
    Operand lhs = operandOf(lhsIn, rhsIn), rhs = operandOf(rhsIn, lhsIn);
    if (lhs.rank != rhs.rank)
        return lhs.rank < rhs.rank ? -1 : 1;
    if (lhs.rank == 1)
        return compareFolded(lhs.text, rhs.text);
    return lhs.number < rhs.number ? -1 : lhs.number > rhs.number ? 1 : 0;
}

Value toNumberValue(const Value& v)
{
    switch (v.type) {
    case ValueType::Number: return v;
    case ValueType::Boolean: return Value::ofNumber(v.number);
    case ValueType::Empty: return Value::ofNumber(0);
    case ValueType::Error: return v;
    case ValueType::Text:
        if (auto n = parseNumberText(v.text))
            return Value::ofNumber(*n);
        return Value::ofError(ErrorCode::Value);
    }
    return Value::ofError(ErrorCode::Value);
}

Value Evaluator::eval(const Node& n) const
{
    switch (n.kind) {
    case NodeKind::Number: return Value::ofNumber(n.number);
    // Most text literals are "": index 0, which needs no look into the formula's texts.
    case NodeKind::Text: return Value::ofText(n.text ? texts[n.text] : std::string());
    case NodeKind::Bool: return Value::ofBool(n.number != 0);
    case NodeKind::Error: return Value::ofError(n.error);
    case NodeKind::Missing: return Value{};
    case NodeKind::Paren: return eval(n.children()[0]);
    case NodeKind::Cell: return cells.valueAt(n.sheet < 0 ? sheet : n.sheet, n.a.row, n.a.col);
    case NodeKind::Range: return Value::ofError(ErrorCode::Value);
    case NodeKind::Name: {
        auto area = cells.nameArea(texts[n.text]);
        if (!area)
            return Value::ofError(ErrorCode::Name);
        if (area->block.rows() != 1 || area->block.cols() != 1)
            return Value::ofError(ErrorCode::Value);
        return cells.valueAt(area->sheet, area->block.row1, area->block.col1);
    }
    case NodeKind::Negate: {
        Value v = number(n.children()[0]);
        return v.isError() ? v : Value::ofNumber(-v.number);
    }
    case NodeKind::Plus: {
        Value v = eval(n.children()[0]);
        return v.isEmpty() ? Value::ofNumber(0) : v;
    }
    case NodeKind::Percent: {
        Value v = number(n.children()[0]);
        return v.isError() ? v : Value::ofNumber(v.number / 100);
    }
    case NodeKind::Binary: return binary(n);
    case NodeKind::Call: return callFunction(*this, n);
    }
    return Value::ofError(ErrorCode::Value);
}

Value Evaluator::number(const Node& n) const
{
    return toNumberValue(eval(n));
}

std::optional<Area> Evaluator::areaOf(const Node& n) const
{
    switch (n.kind) {
    case NodeKind::Paren: return areaOf(n.children()[0]);
    case NodeKind::Cell: return Area{n.sheet < 0 ? sheet : n.sheet, {n.a.row, n.a.col, n.a.row, n.a.col}};
    case NodeKind::Range:
        return Area{n.sheet < 0 ? sheet : n.sheet, Block{n.a.row, n.a.col, n.b.row, n.b.col}.normalised()};
    case NodeKind::Name: return cells.nameArea(texts[n.text]);
    default: return std::nullopt;
    }
}

Value Evaluator::binary(const Node& n) const
{
    if (n.op == BinaryOp::Concat || n.op >= BinaryOp::Eq) {
        Value lhs = eval(n.children()[0]);
        if (lhs.isError())
            return lhs;
        Value rhs = eval(n.children()[1]);
        if (rhs.isError())
            return rhs;
        if (n.op == BinaryOp::Concat)
            return Value::ofText(textOf(lhs) + textOf(rhs));
        int c = compareValues(lhs, rhs);
        switch (n.op) {
        case BinaryOp::Eq: return Value::ofBool(c == 0);
        case BinaryOp::Ne: return Value::ofBool(c != 0);
        case BinaryOp::Lt: return Value::ofBool(c < 0);
        case BinaryOp::Le: return Value::ofBool(c <= 0);
        case BinaryOp::Gt: return Value::ofBool(c > 0);
        default: return Value::ofBool(c >= 0);
        }
    }
    Value lhs = number(n.children()[0]);
    if (lhs.isError())
        return lhs;
    Value rhs = number(n.children()[1]);
    if (rhs.isError())
        return rhs;
    double a = lhs.number, b = rhs.number, r = 0;
    switch (n.op) {
    case BinaryOp::Add: r = a + b; break;
    case BinaryOp::Sub: r = a - b; break;
    case BinaryOp::Mul: r = a * b; break;
    case BinaryOp::Div:
        if (b == 0)
            return Value::ofError(ErrorCode::Div0);
        r = a / b;
        break;
    default:
        if (a == 0 && b <= 0)
            return Value::ofError(b == 0 ? ErrorCode::Num : ErrorCode::Div0);
        r = std::pow(a, b);
    }
    return std::isfinite(r) ? Value::ofNumber(r) : Value::ofError(ErrorCode::Num);
}

Value evaluateCode(const Node& root, const std::vector<std::string>& texts, int sheet, const CellSource& cells)
{
    Evaluator evaluator{cells, sheet, texts};
    Value v = root.kind == NodeKind::Range ? Value::ofError(ErrorCode::Value) : evaluator.eval(root);
    return v.isEmpty() ? Value::ofNumber(0) : v;
}

Value evaluateFormula(const Formula& formula, int sheet, const CellSource& cells)
{
    return evaluateCode(formula.nodes.front(), formula.texts, sheet, cells);
}

}
