#include "platform/workbook/engine/cell_address.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace ks::workbook {

Block Block::normalised() const
{
    return {std::min(row1, row2), std::min(col1, col2), std::max(row1, row2), std::max(col1, col2)};
}

std::string columnLetters(int col)
{
    char buf[8];
    int n = 0;
    while (col > 0 && n < 8) {
        buf[7 - n++] = char('A' + (col - 1) % 26);
        col = (col - 1) / 26;
    }
    return std::string(buf + 8 - n, static_cast<std::size_t>(n));
}

void appendCellName(std::string& out, int row, int col, bool rowAbs, bool colAbs)
{
    if (colAbs)
        out += '$';
    out += columnLetters(col);
    if (rowAbs)
        out += '$';
    char buf[16];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, row);
    out.append(buf, end);
}

std::string cellName(int row, int col, bool rowAbs, bool colAbs)
{
    std::string out;
    appendCellName(out, row, col, rowAbs, colAbs);
    return out;
}

namespace {
// ASCII is decided here, other bytes by the locale, as std::isalpha and std::toupper would.
bool isLetter(unsigned char u)
{
    return u < 0x80 ? (u | 0x20) >= 'a' && (u | 0x20) <= 'z' : std::isalpha(u) != 0;
}

int upperLetter(unsigned char u)
{
    return u < 0x80 ? u & ~0x20 : std::toupper(u);
}
}

std::optional<ParsedCell> parseCellName(std::string_view text)
{
    std::size_t i = 0;
    ParsedCell cell{0, 0, false, false};
    if (i < text.size() && text[i] == '$') {
        cell.colAbs = true;
        ++i;
    }
    std::size_t letters = 0;
    while (i < text.size() && isLetter(static_cast<unsigned char>(text[i]))) {
        if (++letters > 3)
            return std::nullopt;
        cell.col = cell.col * 26 + (upperLetter(static_cast<unsigned char>(text[i])) - 'A' + 1);
        ++i;
    }
    if (letters == 0)
        return std::nullopt;
    if (i < text.size() && text[i] == '$') {
        cell.rowAbs = true;
        ++i;
    }
    std::size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (++digits > 7)
            return std::nullopt;
        cell.row = cell.row * 10 + (text[i] - '0');
        ++i;
    }
    if (digits == 0 || i != text.size() || !validCell(cell.row, cell.col))
        return std::nullopt;
    return cell;
}

std::string quoteSheetName(const std::string& name)
{
    bool plain = !name.empty() && !std::isdigit(static_cast<unsigned char>(name[0]));
    for (char ch : name)
        plain = plain && (std::isalnum(static_cast<unsigned char>(ch)) || ch == '_');
    if (plain && !parseCellName(name))
        return name;
    std::string out = "'";
    for (char ch : name) {
        out += ch;
        if (ch == '\'')
            out += '\'';
    }
    return out + "'";
}

}
