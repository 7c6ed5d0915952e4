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

bool equalsFolded(std::string_view text, std::string_view upper)
{
    return text.size() == upper.size() &&
           std::equal(text.begin(), text.end(), upper.begin(),
                      [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; });
}

// The truth a value stands for; none, with the error in failure, for an error or another text.
std::optional<bool> truthOf(const Value& v, Value& failure)
{
    if (v.isNumber() || v.isBool())
        return v.number != 0;
    if (v.isEmpty())
        return false;
    if (v.isText() && (equalsFolded(v.text, "TRUE") || equalsFolded(v.text, "FALSE")))
        return equalsFolded(v.text, "TRUE");
    failure = v.isError() ? v : Value::ofError(ErrorCode::Value);
    return std::nullopt;
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
        double x;
        Value failure;
        return numeric(n.children()[0], x, failure) ? Value::ofNumber(-x) : failure;
    }
    case NodeKind::Plus: {
        Value v = eval(n.children()[0]);
        return v.isEmpty() ? Value::ofNumber(0) : v;
    }
    case NodeKind::Percent: {
        double x;
        Value failure;
        return numeric(n.children()[0], x, failure) ? Value::ofNumber(x / 100) : failure;
    }
    case NodeKind::Binary: return binary(n);
    case NodeKind::Call: return callFunction(*this, n);
    }
    return Value::ofError(ErrorCode::Value);
}

const Value& Evaluator::computedOperand(const Node& n, Value& scratch) const
{
    switch (n.kind) {
    case NodeKind::Paren: return operand(n.children()[0], scratch);
    // Literals are set field by field: a whole value moved in costs more than the test.
    case NodeKind::Number:
        scratch.type = ValueType::Number;
        scratch.number = n.number;
        return scratch;
    case NodeKind::Text:
        scratch.type = ValueType::Text;
        if (n.text)
            scratch.text = texts[n.text];
        return scratch;
    default: scratch = eval(n); return scratch;
    }
}

Value Evaluator::number(const Node& n) const
{
    Value scratch;
    return toNumberValue(operand(n, scratch));
}

bool Evaluator::numeric(const Node& n, double& out, Value& failure) const
{
    // Sums and quotients nested in sums pass their numbers straight up.
    switch (n.kind) {
    case NodeKind::Number: out = n.number; return true;
    case NodeKind::Paren: return numeric(n.children()[0], out, failure);
    case NodeKind::Binary:
        if (n.op < BinaryOp::Concat)
            return arithmetic(n, out, failure);
        break;
    default: break;
    }
    Value scratch;
    const Value& v = operand(n, scratch);
    if (v.isNumber()) {
        out = v.number;
        return true;
    }
    Value converted = toNumberValue(v);
    if (converted.isError()) {
        failure = std::move(converted);
        return false;
    }
    out = converted.number;
    return true;
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
    Value failure;
    if (n.op == BinaryOp::Concat) {
        Value lhsScratch, rhsScratch;
        const Value& lhs = operand(n.children()[0], lhsScratch);
        if (lhs.isError())
            return lhs;
        const Value& rhs = operand(n.children()[1], rhsScratch);
        if (rhs.isError())
            return rhs;
        return Value::ofText(textOf(lhs) + textOf(rhs));
    }
    if (n.op >= BinaryOp::Eq) {
        auto holds = comparison(n, failure);
        return holds ? Value::ofBool(*holds) : failure;
    }
    double r;
    return arithmetic(n, r, failure) ? Value::ofNumber(r) : failure;
}

namespace {
int compareNumbers(double a, double b)
{
    return a < b ? -1 : a > b ? 1 : 0;
}
}

std::optional<bool> Evaluator::comparison(const Node& n, Value& failure) const
{
    const Node& left = n.children()[0];
    const Node& right = n.children()[1];
    int c;
    // A cell against a number written in the formula, the commonest test, needs no scratch values.
    const Value* cell = left.kind == NodeKind::Cell && right.kind == NodeKind::Number
                            ? &cells.valueAt(left.sheet < 0 ? sheet : left.sheet, left.a.row, left.a.col)
                            : nullptr;
    if (cell && (cell->isNumber() || cell->isEmpty())) {
        c = compareNumbers(cell->isNumber() ? cell->number : 0, right.number);
    } else {
        Value lhsScratch, rhsScratch;
        const Value& lhs = cell ? *cell : operand(left, lhsScratch);
        if (lhs.isError()) {
            failure = lhs;
            return std::nullopt;
        }
        const Value& rhs = operand(right, rhsScratch);
        if (rhs.isError()) {
            failure = rhs;
            return std::nullopt;
        }
        c = compareValues(lhs, rhs);
    }
    switch (n.op) {
    case BinaryOp::Eq: return c == 0;
    case BinaryOp::Ne: return c != 0;
    case BinaryOp::Lt: return c < 0;
    case BinaryOp::Le: return c <= 0;
    case BinaryOp::Gt: return c > 0;
    default: return c >= 0;
    }
}

bool Evaluator::arithmetic(const Node& n, double& r, Value& failure) const
{
    double a, b;
    if (!numeric(n.children()[0], a, failure) || !numeric(n.children()[1], b, failure))
        return false;
    switch (n.op) {
    case BinaryOp::Add: r = a + b; break;
    case BinaryOp::Sub: r = a - b; break;
    case BinaryOp::Mul: r = a * b; break;
    case BinaryOp::Div:
        if (b == 0) {
            failure = Value::ofError(ErrorCode::Div0);
            return false;
        }
        r = a / b;
        break;
    default:
        if (a == 0 && b <= 0) {
            failure = Value::ofError(b == 0 ? ErrorCode::Num : ErrorCode::Div0);
            return false;
        }
        r = std::pow(a, b);
    }
    if (std::isfinite(r))
        return true;
    failure = Value::ofError(ErrorCode::Num);
    return false;
}

std::optional<bool> Evaluator::condition(const Node& n, Value& failure) const
{
    if (n.kind == NodeKind::Binary && n.op >= BinaryOp::Eq)
        return comparison(n, failure);
    Value scratch;
    return truthOf(operand(n, scratch), failure);
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
