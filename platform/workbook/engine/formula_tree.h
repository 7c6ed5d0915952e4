#pragma once
// The parser's formula tree, laid out into a Formula's flat nodes once complete.
#include "platform/workbook/engine/formula.h"

#include <array>
#include <cctype>

namespace ks::workbook {

constexpr std::size_t kMaxFormulaLength = 8192;

// A character of a name, a cell reference or an unquoted sheet name. Plain ASCII is decided
// by a table; the locale has its say only on other bytes.
inline bool isFormulaNameChar(char ch)
{
    static constexpr auto kAscii = [] {
        std::array<bool, 128> table{};
        for (int u = 0; u < 128; ++u)
            table[u] = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' ||
                       u == '.' || u == '$';
        return table;
    }();
    auto u = static_cast<unsigned char>(ch);
    return u < 0x80 ? kAscii[u] : std::isalnum(u) != 0;
}

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
