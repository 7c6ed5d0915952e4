#include "platform/workbook/engine/formula_shapes.h"

#include "platform/workbook/engine/formula_tree.h"

#include <cstdint>

namespace ks::workbook {

namespace {
// Marks a reference in a key; a text holding it is not keyed.
constexpr char kRefMark = '\x01';

bool isSpace(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}

// Past a text literal or a quoted sheet name opened at pos; a doubled quote stays inside.
std::size_t skipQuoted(std::string_view text, std::size_t pos)
{
    char quote = text[pos++];
    while (pos < text.size()) {
        if (text[pos++] != quote)
            continue;
        if (pos >= text.size() || text[pos] != quote)
            return pos;
        ++pos;
    }
    return pos;
}

// A call's name or an unquoted sheet name: the parser takes those words as they are spelt.
bool wordIsName(std::string_view text, std::size_t end)
{
    if (end < text.size() && text[end] == '!')
        return true;
    while (end < text.size() && isSpace(text[end]))
        ++end;
    return end < text.size() && text[end] == '(';
}

// A part's value in binary: a key is compared, never read.
void appendPart(std::string& key, bool absolute, int value, int origin)
{
    std::int32_t v = absolute ? value : value - origin;
    key += absolute ? 'A' : 'R';
    key.append(reinterpret_cast<const char*>(&v), sizeof v);
}

// Only a word ending in a digit can name a cell.
std::optional<ParsedCell> cellOf(std::string_view word)
{
    return word.back() >= '0' && word.back() <= '9' ? parseCellName(word) : std::nullopt;
}
}

bool formulaShapeKey(std::string_view text, int row, int col, std::string& key)
{
    key.clear();
    if (text.find(kRefMark) != std::string_view::npos)
        return false;
    std::size_t pos = 0, copied = 0;  // text before copied is in the key
    while (pos < text.size()) {
        char ch = text[pos];
        if (ch == '"' || ch == '\'') {
            pos = skipQuoted(text, pos);
            continue;
        }
        if (!isFormulaNameChar(ch)) {
            ++pos;
            continue;
        }
        std::size_t end = pos;
        while (end < text.size() && isFormulaNameChar(text[end]))
            ++end;
        if (auto cell = wordIsName(text, end) ? std::nullopt : cellOf(text.substr(pos, end - pos))) {
            key.append(text.substr(copied, pos - copied));
            key += kRefMark;
            appendPart(key, cell->colAbs, cell->col, col);
            appendPart(key, cell->rowAbs, cell->row, row);
            copied = end;
        }
        pos = end;
    }
    key.append(text.substr(copied));
    return true;
}

FormulaPtr FormulaShapes::read(std::string_view text, int row, int col)
{
    // Texts the parser would refuse or store differently go to it directly.
    if (text.empty() || text[0] == '=' || text.size() > kMaxFormulaLength || !formulaShapeKey(text, row, col, key_))
        return parseFormula(std::string(text), sheets_, true);
    auto found = shapes_.find(key_);
    if (found == shapes_.end()) {
        FormulaPtr formula = parseFormula(std::string(text), sheets_, true);
        shapes_.emplace(key_, Parsed{formula, row, col});
        return formula;
    }
    const Parsed& first = found->second;
    return shiftFormula(*first.formula, row - first.row, col - first.col, std::string(text));
}

}
