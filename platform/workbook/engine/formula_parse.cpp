#include "platform/workbook/engine/errors.h"
#include "platform/workbook/engine/formula_tree.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <utility>

namespace ks::workbook {

namespace {
constexpr int kMaxDepth = 100;

struct FunctionEntry {
    const char* name;
    Function function;
};
constexpr std::array<FunctionEntry, 22> kFunctions = {{
    {"IF", Function::If}, {"AND", Function::And}, {"OR", Function::Or}, {"NOT", Function::Not},
    {"SUM", Function::Sum}, {"AVERAGE", Function::Average}, {"MAX", Function::Max},
    {"MIN", Function::Min}, {"COUNT", Function::Count}, {"INDEX", Function::Index},
    {"MATCH", Function::Match}, {"DATE", Function::Date}, {"YEAR", Function::Year},
    {"MONTH", Function::Month}, {"TODAY", Function::Today}, {"MOD", Function::Mod},
    {"INT", Function::Int}, {"ABS", Function::Abs}, {"ROUND", Function::Round},
    {"VALUE", Function::Value}, {"CHOOSE", Function::Choose}, {"TEXT", Function::Text},
}};

std::string upper(std::string s)
{
    for (char& ch : s)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return s;
}

class Parser {
public:
    Parser(const std::string& text, const SheetNames& sheets) : s_(text), sheets_(sheets) {}

    Formula run()
    {
        Formula f;
        skipSpace();
        if (pos_ < s_.size() && s_[pos_] == '=')
            ++pos_;
        TreeNode root = comparison();
        skipSpace();
        if (pos_ != s_.size())
            fail("unexpected text");
        layOut(root, f);
        f.isVolatile = volatile_;
        return f;
    }

private:
    [[noreturn]] void fail(const std::string& what)
    {
        raise(kErrBadFormula, "Invalid formula (" + what + " at position " + std::to_string(pos_ + 1) + "): " + s_);
    }
    void skipSpace()
    {
        while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\r' || s_[pos_] == '\n'))
            ++pos_;
    }
    bool accept(std::string_view token)
    {
        skipSpace();
        if (pos_ < s_.size() && s_[pos_] == token[0] && s_.compare(pos_, token.size(), token) == 0) {
            pos_ += token.size();
            return true;
        }
        return false;
    }
    void expect(char ch)
    {
        if (!accept(std::string_view(&ch, 1)))
            fail(std::string("expected '") + ch + "'");
    }

    struct Depth {
        explicit Depth(Parser& p) : p_(p) { if (++p_.depth_ > kMaxDepth) p_.fail("nested too deeply"); }
        ~Depth() { --p_.depth_; }
        Parser& p_;
    };

    static TreeNode binary(BinaryOp op, TreeNode lhs, TreeNode rhs)
    {
        TreeNode n;
        n.kind = NodeKind::Binary;
        n.op = op;
        n.children.reserve(2);
        n.children.push_back(std::move(lhs));
        n.children.push_back(std::move(rhs));
        return n;
    }
    static TreeNode unary(NodeKind kind, TreeNode operand)
    {
        TreeNode n;
        n.kind = kind;
        n.children.push_back(std::move(operand));
        return n;
    }

    TreeNode comparison()
    {
        Depth depth(*this);
        TreeNode lhs = concat();
        for (;;) {
            skipSpace();
            if (pos_ >= s_.size() || (s_[pos_] != '<' && s_[pos_] != '>' && s_[pos_] != '='))
                return lhs;
            BinaryOp op;
            if (accept("<>")) op = BinaryOp::Ne;
            else if (accept("<=")) op = BinaryOp::Le;
            else if (accept(">=")) op = BinaryOp::Ge;
            else if (accept("=")) op = BinaryOp::Eq;
            else if (accept("<")) op = BinaryOp::Lt;
            else if (accept(">")) op = BinaryOp::Gt;
            else return lhs;
            lhs = binary(op, std::move(lhs), concat());
        }
    }
    TreeNode concat()
    {
        TreeNode lhs = additive();
        while (accept("&"))
            lhs = binary(BinaryOp::Concat, std::move(lhs), additive());
        return lhs;
    }
    TreeNode additive()
    {
        TreeNode lhs = multiplicative();
        for (;;) {
            if (accept("+")) lhs = binary(BinaryOp::Add, std::move(lhs), multiplicative());
            else if (accept("-")) lhs = binary(BinaryOp::Sub, std::move(lhs), multiplicative());
            else return lhs;
        }
    }
    TreeNode multiplicative()
    {
        TreeNode lhs = power();
        for (;;) {
            if (accept("*")) lhs = binary(BinaryOp::Mul, std::move(lhs), power());
            else if (accept("/")) lhs = binary(BinaryOp::Div, std::move(lhs), power());
            else return lhs;
        }
    }
    TreeNode power()
    {
        TreeNode lhs = percent();
        while (accept("^"))
            lhs = binary(BinaryOp::Pow, std::move(lhs), percent());
        return lhs;
    }
    // Negation binds tighter than "%" and "^": -2^2 is 4, as in spreadsheets.
    TreeNode percent()
    {
        TreeNode n = sign();
        while (accept("%"))
            n = unary(NodeKind::Percent, std::move(n));
        return n;
    }
    TreeNode sign()
    {
        Depth depth(*this);
        if (accept("-"))
            return unary(NodeKind::Negate, sign());
        if (accept("+"))
            return unary(NodeKind::Plus, sign());
        return primary();
    }

    TreeNode primary()
    {
        skipSpace();
        if (pos_ >= s_.size())
            fail("missing operand");
        char ch = s_[pos_];
        if (ch == '(') {
            ++pos_;
            TreeNode inner = unary(NodeKind::Paren, comparison());
            expect(')');
            return inner;
        }
        if (ch == '"')
            return textLiteral();
        if (std::isdigit(static_cast<unsigned char>(ch)) || ch == '.')
            return numberLiteral();
        if (ch == '#')
            return errorLiteral();
        if (ch == '\'')
            return sheetReference(quotedSheetName());
        if (isFormulaNameChar(ch))
            return word();
        fail("unexpected character");
    }

    TreeNode textLiteral()
    {
        TreeNode n;
        n.kind = NodeKind::Text;
        ++pos_;
        for (;;) {
            if (pos_ >= s_.size())
                fail("unterminated text");
            char ch = s_[pos_++];
            if (ch == '"') {
                if (pos_ < s_.size() && s_[pos_] == '"') {
                    n.text += '"';
                    ++pos_;
                    continue;
                }
                return n;
            }
            n.text += ch;
        }
    }
    TreeNode numberLiteral()
    {
        TreeNode n;
        n.kind = NodeKind::Number;
        const char* begin = s_.data() + pos_;
        auto [end, ec] = std::from_chars(begin, s_.data() + s_.size(), n.number);
        if (ec != std::errc() || !std::isfinite(n.number))
            fail("bad number");
        pos_ += static_cast<std::size_t>(end - begin);
        return n;
    }
    TreeNode errorLiteral()
    {
        for (std::size_t len = 7; len >= 4; --len) {
            if (auto code = parseErrorText(std::string_view(s_).substr(pos_, len))) {
                pos_ += len;
                TreeNode n;
                n.kind = NodeKind::Error;
                n.error = *code;
                return n;
            }
        }
        fail("unknown error value");
    }
    std::string quotedSheetName()
    {
        std::string name;
        ++pos_;
        for (;;) {
            if (pos_ >= s_.size())
                fail("unterminated sheet name");
            char ch = s_[pos_++];
            if (ch == '\'') {
                if (pos_ < s_.size() && s_[pos_] == '\'') {
                    name += '\'';
                    ++pos_;
                    continue;
                }
                break;
            }
            name += ch;
        }
        if (pos_ >= s_.size() || s_[pos_] != '!')
            fail("expected '!'");
        return name;
    }

    TreeNode word()
    {
        std::size_t start = pos_;
        while (pos_ < s_.size() && isFormulaNameChar(s_[pos_]))
            ++pos_;
        std::string w = s_.substr(start, pos_ - start);
        std::size_t after = pos_;
        skipSpace();
        if (pos_ < s_.size() && s_[pos_] == '(')
            return call(w);
        pos_ = after;
        if (pos_ < s_.size() && s_[pos_] == '!')
            return sheetReference(w);
        std::string up = upper(w);
        if (up == "TRUE" || up == "FALSE") {
            TreeNode n;
            n.kind = NodeKind::Bool;
            n.number = up == "TRUE";
            return n;
        }
        if (auto cell = parseCellName(w))
            return reference(-1, *cell);
        if (w.find('$') != std::string::npos || std::isdigit(static_cast<unsigned char>(w[0])))
            fail("bad reference");
        TreeNode n;
        n.kind = NodeKind::Name;
        n.text = w;
        return n;
    }

    TreeNode sheetReference(const std::string& sheetName)
    {
        ++pos_;  // '!'
        int sheet = sheets_.find(sheetName);
        if (sheet < 0)
            fail("unknown sheet '" + sheetName + "'");
        std::size_t start = pos_;
        while (pos_ < s_.size() && isFormulaNameChar(s_[pos_]))
            ++pos_;
        auto cell = parseCellName(std::string_view(s_).substr(start, pos_ - start));
        if (!cell)
            fail("bad reference");
        return reference(sheet, *cell);
    }

    // A cell, or a block when a ":" and a second cell follow.
    TreeNode reference(int sheet, const ParsedCell& first)
    {
        TreeNode n;
        n.kind = NodeKind::Cell;
        n.sheet = sheet;
        n.a = {first.row, first.col, first.rowAbs, first.colAbs};
        std::size_t save = pos_;
        skipSpace();
        if (pos_ < s_.size() && s_[pos_] == ':') {
            ++pos_;
            skipSpace();
            std::size_t start = pos_;
            while (pos_ < s_.size() && isFormulaNameChar(s_[pos_]))
                ++pos_;
            auto second = parseCellName(std::string_view(s_).substr(start, pos_ - start));
            if (!second)
                fail("bad block");
            n.kind = NodeKind::Range;
            n.b = {second->row, second->col, second->rowAbs, second->colAbs};
            return n;
        }
        pos_ = save;
        return n;
    }

    TreeNode call(const std::string& name)
    {
        TreeNode n;
        n.kind = NodeKind::Call;
        n.function = functionByName(upper(name));
        if (n.function == Function::Unknown)
            n.text = name;
        if (n.function == Function::Today)
            volatile_ = true;
        expect('(');
        if (accept(")"))
            return n;
        for (;;) {
            skipSpace();
            if (pos_ < s_.size() && (s_[pos_] == ',' || s_[pos_] == ')'))
                n.children.push_back(TreeNode{});  // an omitted argument
            else
                n.children.push_back(comparison());
            if (accept(")"))
                return n;
            expect(',');
        }
    }

    const std::string& s_;
    const SheetNames& sheets_;
    std::size_t pos_ = 0;
    int depth_ = 0;
    bool volatile_ = false;
};
}

Function functionByName(const std::string& upperName)
{
    for (const auto& entry : kFunctions)
        if (upperName == entry.name)
            return entry.function;
    return Function::Unknown;
}

const char* functionName(Function f)
{
    for (const auto& entry : kFunctions)
        if (entry.function == f)
            return entry.name;
    return "";
}

FormulaPtr parseFormula(const std::string& text, const SheetNames& sheets, bool keepText)
{
    if (text.size() > kMaxFormulaLength)
        raise(kErrBadFormula, "Formula too long");
    Parser parser(text, sheets);
    auto formula = std::make_shared<Formula>(parser.run());
    if (keepText && !text.empty() && text[0] != '=')
        formula->text = text;
    return formula;
}

}
