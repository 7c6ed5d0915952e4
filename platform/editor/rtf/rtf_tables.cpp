#include "platform/editor/rtf/rtf_tables.h"

namespace ks::editor::rtf {
namespace {

void placeItems(Editor& e, std::vector<Item>& items, int cell)
{
    int nestedPrevious = 0;
    bool ended = false;
    for (Item& item : items) {
        if (item.row) {
            placeRow(e, *item.row, cell, nestedPrevious);
            continue;
        }
        nestedPrevious = 0;   // text between rows ends the nested table
        e.doc.append(item.chars, item.fonts.data(), {item.format, cell});
        ended = !item.chars.empty() && item.chars.back() == kCellEnd;
    }
    if (!ended)
        e.doc.appendRun(std::string(1, kCellEnd), 0, {kPlainFormat, cell});
}

}

void placeRow(Editor& e, RowData& row, int enclosing, int& previousCell)
{
    if (row.cells.empty())
        return;
    int last = 0;
    for (std::size_t i = 0; i < row.cells.size(); ++i) {
        Cell def = i < row.def.cells.size() ? row.def.cells[i] : Cell{};
        if (def.height == 0)
            def.height = row.def.height;
        bool firstOfTable = i == 0 && previousCell == 0;
        int id = e.tables.createCell(i == 0, i == 0 ? previousCell : last, def, row.def.indent, row.def.alignment);
        if (id == 0)
            return;
        if (firstOfTable) {
            e.tables.setEnclosing(id, enclosing);
            Table* t = e.tables.tableOfCell(id);
            t->width = row.def.width;
            t->columns = row.def.columns;
            t->ended = true;
        }
        placeItems(e, row.cells[i].items, id);
        last = id;
    }
    e.doc.appendRun(std::string(1, kRowEnd), 0, {row.endFormat, last});
    previousCell = last;
}

}
