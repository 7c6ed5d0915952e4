// Selection, cursor, defined names and references of the book.
#include "platform/workbook/engine/book.h"
#include "platform/workbook/engine/errors.h"

#include <cctype>

namespace ks::workbook {

namespace {
std::string areaText(const BookData& data, const Area& area)
{
    const Block& b = area.block;
    std::string text = quoteSheetName(data.sheets[static_cast<std::size_t>(area.sheet)].name) + "!" +
                       cellName(b.row1, b.col1, true, true);
    if (b.rows() > 1 || b.cols() > 1)
        text += ":" + cellName(b.row2, b.col2, true, true);
    return text;
}

std::vector<std::string> splitAreas(const std::string& reference)
{
    std::vector<std::string> parts;
    std::string current;
    bool quoted = false;
    for (char ch : reference) {
        if (ch == '\'')
            quoted = !quoted;
        if (ch == ',' && !quoted) {
            parts.push_back(current);
            current.clear();
        } else {
            current += ch;
        }
    }
    parts.push_back(current);
    return parts;
}

bool validName(const std::string& name)
{
    if (name.empty() || name.size() > 255 || parseCellName(name))
        return false;
    if (!std::isalpha(static_cast<unsigned char>(name[0])) && name[0] != '_')
        return false;
    for (char ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch)) && ch != '_' && ch != '.')
            return false;
    return true;
}
}

CellPos Book::GetCursorCell() const
{
    return current().cursor;
}

void Book::PlaceCursor(int row, int col)
{
    checkCell(row, col);
    current().cursor = {row, col};
    current().selection = {row, col, row, col};
    notify(BookChange::Selection, data_.currentSheet);
}

void Book::SelectBlock(int row1, int col1, int row2, int col2)
{
    checkCell(row1, col1);
    checkCell(row2, col2);
    Block b = Block{row1, col1, row2, col2}.normalised();
    current().selection = b;
    current().cursor = {b.row1, b.col1};
    notify(BookChange::Selection, data_.currentSheet);
}

Block Book::GetSelectedBlock() const
{
    return current().selection;
}

std::string Book::SelectionReference() const
{
    return areaText(data_, Area{data_.currentSheet, current().selection});
}

void Book::setSelectionReference(const std::string& reference)
{
    Area area = parseArea(reference);
    data_.currentSheet = area.sheet;
    SelectBlock(area.block.row1, area.block.col1, area.block.row2, area.block.col2);
}

// One area: "B4", "$B$4:$C$9", "Sheet!B4:C9", "'My sheet'!B4", or a defined name's first area.
Area Book::parseArea(const std::string& reference) const
{
    std::string text = reference;
    if (!text.empty() && text[0] == '=')
        text.erase(0, 1);
    if (auto it = data_.names.find(upperName(text)); it != data_.names.end() && !it->second.areas.empty())
        return it->second.areas.front();
    int sheet = data_.currentSheet;
    auto bang = text.rfind('!');
    if (bang != std::string::npos) {
        std::string name = text.substr(0, bang);
        if (name.size() >= 2 && name.front() == '\'' && name.back() == '\'') {
            name = name.substr(1, name.size() - 2);
            for (std::size_t p = name.find("''"); p != std::string::npos; p = name.find("''", p + 1))
                name.erase(p, 1);
        }
        sheet = data_.sheetNames().find(name);
        if (sheet < 0)
            raise(kErrBadArgument, "Invalid reference \"" + reference + "\"");
        text = text.substr(bang + 1);
    }
    auto colon = text.find(':');
    auto first = parseCellName(text.substr(0, colon));
    auto second = colon == std::string::npos ? first : parseCellName(text.substr(colon + 1));
    if (!first || !second)
        raise(kErrBadArgument, "Invalid reference \"" + reference + "\"");
    return Area{sheet, Block{first->row, first->col, second->row, second->col}.normalised()};
}

void Book::DefineName(const std::string& name, const std::string& reference)
{
    if (!validName(name))
        raise(kErrBadArgument, "Invalid name \"" + name + "\"");
    DefinedName defined{name, {}};
    for (const std::string& part : splitAreas(reference))
        defined.areas.push_back(parseArea(part));
    data_.names[upperName(name)] = std::move(defined);
    recalc_.invalidate();
    notify(BookChange::Values, -1);
}

void Book::DeleteName(const std::string& name)
{
    data_.names.erase(upperName(name));
    recalc_.invalidate();
}

std::string Book::NameReference(const std::string& name) const
{
    auto it = data_.names.find(upperName(name));
    if (it == data_.names.end())
        return "";
    std::string text;
    for (const Area& area : it->second.areas)
        text += (text.empty() ? "" : ",") + areaText(data_, area);
    return text;
}

std::vector<std::string> Book::NameList() const
{
    std::vector<std::string> names;
    for (const auto& [key, defined] : data_.names)
        names.push_back(defined.name);
    return names;
}

}
