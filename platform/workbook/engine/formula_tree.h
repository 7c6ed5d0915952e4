#pragma once
// The parser's formula tree, laid out into a Formula's flat nodes once complete.
#include "platform/workbook/engine/formula.h"

namespace ks::workbook {

struct TreeNode {
    NodeKind kind = NodeKind::Missing;
    BinaryOp op = BinaryOp::Add;
    Function function = Function::Unknown;
    ErrorCode error = ErrorCode::Value;
    double number = 0;
    std::string text;  // text literal, defined name, or the name of an unknown function
    int sheet = -1;    // referenced sheet (0-based); -1 is the formula's own sheet
    RefPart a, b;      // a cell, or the corners of a block
    std::vector<TreeNode> children;
};

void layOut(const TreeNode& root, Formula& formula);

}
