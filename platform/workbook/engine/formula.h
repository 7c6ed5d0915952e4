#pragma once
// A parsed formula: its expression tree, spelled back out, shifted for a paste,
// and the cells and blocks it reads (for the dependency graph).
#include "platform/workbook/engine/cell_address.h"
#include "platform/workbook/engine/value.h"

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace ks::workbook {

enum class NodeKind : std::uint8_t {
    Number, Text, Bool, Error, Cell, Range, Name, Negate, Plus, Percent, Binary, Call, Paren, Missing
};
enum class BinaryOp : std::uint8_t { Add, Sub, Mul, Div, Pow, Concat, Eq, Ne, Lt, Le, Gt, Ge };
enum class Function : std::uint8_t {
    Unknown, If, And, Or, Not, Sum, Average, Max, Min, Count, Index, Match, Date, Year, Month,
    Today, Mod, Int, Abs, Round, Value, Choose, Text
};

struct RefPart {
    int row = 1, col = 1;
    bool rowAbs = false, colAbs = false;
};


// One node of a parsed formula. A formula's nodes lie in one block, each node's operands side
// by side, so evaluating reads memory in order instead of chasing separate allocations.
struct Node {
    NodeKind kind = NodeKind::Missing;
    BinaryOp op = BinaryOp::Add;
    Function function = Function::Unknown;
    ErrorCode error = ErrorCode::Value;
    int sheet = -1;           // referenced sheet (0-based); -1 is the formula's own sheet
    std::uint32_t text = 0;   // index into Formula::texts: text literal, defined name or unknown function
    std::uint32_t count = 0;  // operands
    std::int32_t offset = 0;  // from this node to its first operand
    double number = 0;
    RefPart a, b;             // a cell, or the corners of a block
    std::span<const Node> children() const { return {this + offset, count}; }
};

struct Formula {
    std::vector<Node> nodes;         // the first is the root
    std::vector<std::string> texts;  // texts[0] is empty: a node without text
    bool isVolatile = false;  // reads the clock
    // The printed text, kept once made: saving a book prints every formula.
    // Emptied when a sheet is renamed.
    mutable std::string text;
};
using FormulaPtr = std::shared_ptr<const Formula>;

// What the parser and printer need to know of the book: sheet names.
struct SheetNames {
    std::function<int(const std::string&)> find;   // 0-based index, -1 when unknown
    std::function<std::string(int)> name;
};

// Parses a formula with or without its leading "="; raises kErrBadFormula.
// keepText: the text is already in printed form (read from our own file).
FormulaPtr parseFormula(const std::string& text, const SheetNames& sheets, bool keepText = false);
// The formula's text without "=", names of functions in capitals.
const std::string& printFormula(const Formula& formula, const SheetNames& sheets);
// The formula as copied by (dRow, dCol): relative parts move, absolute ones stay;
// a reference moved off the sheet becomes #REF!. text: the copy's printed form, when known.
FormulaPtr shiftFormula(const Formula& formula, int dRow, int dCol, std::string text = {});

// One area read by a formula, on a given sheet (resolved), or through a defined name.
struct FormulaRef {
    int sheet;        // 0-based, -1 own sheet
    Block block;
    std::string name; // non-empty: a defined name, block unused
};
void collectRefs(const Formula& formula, std::vector<FormulaRef>& out);

Function functionByName(const std::string& upperName);
const char* functionName(Function f);

}
