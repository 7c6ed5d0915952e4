#include "platform/workbook/engine/formula.h"

#include <array>
#include <charconv>
#include <cmath>

namespace ks::workbook {

namespace {
constexpr std::array<const char*, 12> kOperators = {"+", "-", "*", "/", "^", "&", "=", "<>", "<", "<=", ">", ">="};

std::string numberLiteral(double n)
{
    char buf[32];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, n);
    return std::string(buf, end);
}

void appendRef(std::string& out, const RefPart& p)
{
    appendCellName(out, p.row, p.col, p.rowAbs, p.colAbs);
}

class Printer {
public:
    Printer(const SheetNames& sheets, const std::vector<std::string>& texts) : sheets_(sheets), texts_(texts) {}

    void print(const Node& n)
    {
        switch (n.kind) {
        case NodeKind::Number: out_ += numberLiteral(n.number); break;
        case NodeKind::Text: printText(texts_[n.text]); break;
        case NodeKind::Bool: out_ += n.number != 0 ? "TRUE" : "FALSE"; break;
        case NodeKind::Error: out_ += errorText(n.error); break;
        case NodeKind::Cell: sheetPrefix(n.sheet); appendRef(out_, n.a); break;
        case NodeKind::Range:
            sheetPrefix(n.sheet);
            appendRef(out_, n.a);
            out_ += ':';
            appendRef(out_, n.b);
            break;
        case NodeKind::Name: out_ += texts_[n.text]; break;
        case NodeKind::Negate: out_ += "-"; print(n.children()[0]); break;
        case NodeKind::Plus: out_ += "+"; print(n.children()[0]); break;
        case NodeKind::Percent: print(n.children()[0]); out_ += "%"; break;
        case NodeKind::Binary:
            print(n.children()[0]);
            out_ += kOperators[static_cast<std::size_t>(n.op)];
            print(n.children()[1]);
            break;
        case NodeKind::Call: printCall(n); break;
        case NodeKind::Paren: out_ += "("; print(n.children()[0]); out_ += ")"; break;
        case NodeKind::Missing: break;
        }
    }
    std::string take() { return std::move(out_); }

private:
    void printText(const std::string& text)
    {
        out_ += '"';
        for (char ch : text) {
            out_ += ch;
            if (ch == '"')
                out_ += '"';
        }
        out_ += '"';
    }
    void sheetPrefix(int sheet)
    {
        if (sheet < 0)
            return;
        if (static_cast<std::size_t>(sheet) >= quoted_.size())
            quoted_.resize(static_cast<std::size_t>(sheet) + 1);
        std::string& q = quoted_[static_cast<std::size_t>(sheet)];
        if (q.empty())
            q = quoteSheetName(sheets_.name(sheet)) + "!";
        out_ += q;
    }
    void printCall(const Node& n)
    {
        out_ += n.function == Function::Unknown ? texts_[n.text] : functionName(n.function);
        out_ += "(";
        for (std::size_t i = 0; i < n.children().size(); ++i) {
            if (i)
                out_ += ",";
            print(n.children()[i]);
        }
        out_ += ")";
    }

    const SheetNames& sheets_;
    const std::vector<std::string>& texts_;
    std::vector<std::string> quoted_;
    std::string out_;
};

bool movePart(RefPart& p, int dRow, int dCol)
{
    if (!p.rowAbs)
        p.row += dRow;
    if (!p.colAbs)
        p.col += dCol;
    return validCell(p.row, p.col);
}

void shiftNode(Node& n, int dRow, int dCol)
{
    if (n.kind != NodeKind::Cell && n.kind != NodeKind::Range)
        return;
    bool ok = movePart(n.a, dRow, dCol);
    if (n.kind == NodeKind::Range)
        ok = movePart(n.b, dRow, dCol) && ok;
    if (!ok) {
        n = Node{};
        n.kind = NodeKind::Error;
        n.error = ErrorCode::Ref;
    }
}

void collectFrom(const Formula& f, const Node& n, std::vector<FormulaRef>& out)
{
    switch (n.kind) {
    case NodeKind::Cell: out.push_back({n.sheet, {n.a.row, n.a.col, n.a.row, n.a.col}, {}}); return;
    case NodeKind::Range:
        out.push_back({n.sheet, Block{n.a.row, n.a.col, n.b.row, n.b.col}.normalised(), {}});
        return;
    case NodeKind::Name: out.push_back({-1, {}, f.texts[n.text]}); return;
    default:
        for (const Node& child : n.children())
            collectFrom(f, child, out);
    }
}
}

const std::string& printFormula(const Formula& formula, const SheetNames& sheets)
{
    if (formula.text.empty()) {
        Printer printer(sheets, formula.texts);
        printer.print(formula.nodes.front());
        formula.text = printer.take();
    }
    return formula.text;
}

FormulaPtr shiftFormula(const Formula& formula, int dRow, int dCol, std::string text)
{
    auto copy = std::make_shared<Formula>();
    copy->nodes = formula.nodes;
    copy->texts = formula.texts;
    copy->isVolatile = formula.isVolatile;
    copy->text = std::move(text);
    // References are leaves, so each one changes in place.
    for (Node& n : copy->nodes)
        shiftNode(n, dRow, dCol);
    return copy;
}

void collectRefs(const Formula& formula, std::vector<FormulaRef>& out)
{
    collectFrom(formula, formula.nodes.front(), out);
}

}
