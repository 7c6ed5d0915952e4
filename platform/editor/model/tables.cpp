#include "platform/editor/model/tables.h"

#include <algorithm>

namespace ks::editor {

namespace {
// Deeper nesting than this is refused: it bounds every walk up the tree.
constexpr int kMaxDepth = 64;
}

int TableStore::createCell(bool newRow, int previous, const Cell& cell, int tableIndent, int tableAlign)
{
    int rowId = 0;
    if (previous == 0) {
        Table t;
        t.indent = tableIndent;
        t.alignment = tableAlign;
        tables_.push_back(t);
        newRow = true;
    } else if (!validCell(previous)) {
        return 0;
    }
    int tableId = previous ? rows_[cells_[previous].row].table : static_cast<int>(tables_.size()) - 1;
    if (newRow) {
        rows_.push_back({tableId, {}});
        rowId = static_cast<int>(rows_.size()) - 1;
        tables_[tableId].rows.push_back(rowId);
    } else {
        rowId = cells_[previous].row;
    }
    Cell c = cell;
    c.row = rowId;
    cells_.push_back(c);
    int id = static_cast<int>(cells_.size()) - 1;
    rows_[rowId].cells.push_back(id);
    return id;
}

Table* TableStore::tableOfCell(int id) { return validCell(id) ? table(rows_[cells_[id].row].table) : nullptr; }

int TableStore::tableIdOfCell(int id) const { return validCell(id) ? rows_[cells_[id].row].table : 0; }

bool TableStore::setEnclosing(int cellId, int enclosing)
{
    Table* t = tableOfCell(cellId);
    if (!t || (enclosing != 0 && !validCell(enclosing)))
        return false;
    int own = tableIdOfCell(cellId);
    for (int c = enclosing, steps = 0; c != 0; c = tables_[tableIdOfCell(c)].enclosingCell, ++steps)
        if (tableIdOfCell(c) == own || steps > kMaxDepth)
            return false;
    t->enclosingCell = enclosing;
    return true;
}

int TableStore::depth(int cellId) const
{
    int d = 0;
    for (int c = cellId; validCell(c) && d <= kMaxDepth; c = tables_[tableIdOfCell(c)].enclosingCell)
        ++d;
    return d;
}

int TableStore::cellAtDepth(int cellId, int wanted) const
{
    int d = depth(cellId);
    int c = cellId;
    while (c && d > wanted) {
        c = tables_[tableIdOfCell(c)].enclosingCell;
        --d;
    }
    return d == wanted ? c : 0;
}

std::vector<int> TableStore::insertRow(int tableId, std::size_t index, const std::vector<Cell>& cells)
{
    std::vector<int> ids;
    Table* t = table(tableId);
    if (!t)
        return ids;
    rows_.push_back({tableId, {}});
    int rowId = static_cast<int>(rows_.size()) - 1;
    t->rows.insert(t->rows.begin() + std::min(index, t->rows.size()), rowId);
    for (Cell c : cells) {
        c.row = rowId;
        cells_.push_back(c);
        ids.push_back(static_cast<int>(cells_.size()) - 1);
        rows_[rowId].cells.push_back(ids.back());
    }
    return ids;
}

void TableStore::removeRow(int rowId)
{
    Row* r = row(rowId);
    if (!r)
        return;
    auto& rows = tables_[r->table].rows;
    rows.erase(std::remove(rows.begin(), rows.end(), rowId), rows.end());
}

int TableStore::insertCell(int rowId, std::size_t index, const Cell& cell)
{
    Row* r = row(rowId);
    if (!r)
        return 0;
    Cell c = cell;
    c.row = rowId;
    cells_.push_back(c);
    int id = static_cast<int>(cells_.size()) - 1;
    r->cells.insert(r->cells.begin() + std::min(index, r->cells.size()), id);
    return id;
}

void TableStore::removeCell(int rowId, int cellId)
{
    if (Row* r = row(rowId))
        r->cells.erase(std::remove(r->cells.begin(), r->cells.end(), cellId), r->cells.end());
}

void TableStore::moveNested(int from, int to)
{
    for (Table& t : tables_)
        if (t.enclosingCell == from)
            t.enclosingCell = to;
}

int TableStore::rowIndex(int rowId) const
{
    if (rowId <= 0 || rowId >= static_cast<int>(rows_.size()))
        return -1;
    const auto& rows = tables_[rows_[rowId].table].rows;
    auto it = std::find(rows.begin(), rows.end(), rowId);
    return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
}

bool TableStore::rowStartsTable(int rowId) const
{
    if (rowId <= 0 || rowId >= static_cast<int>(rows_.size()))
        return false;
    const Table& t = tables_[rows_[rowId].table];
    return !t.rows.empty() && t.rows.front() == rowId;
}

}
