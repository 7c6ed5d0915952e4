#include "platform/workbook/engine/sheet.h"

#include <algorithm>

namespace ks::workbook {

Cell* Sheet::findMutable(int row, int col)
{
    return const_cast<Cell*>(find(row, col));
}

Cell& Sheet::at(int row, int col)
{
    if (row > lastRow())
        rows_.resize(static_cast<std::size_t>(row));
    auto& cells = rows_[static_cast<std::size_t>(row) - 1];
    if (col > static_cast<int>(cells.size()))
        cells.resize(static_cast<std::size_t>(col));
    return cells[static_cast<std::size_t>(col) - 1];
}

void Sheet::erase(int row, int col)
{
    if (Cell* cell = findMutable(row, col))
        *cell = Cell{};
}

int Sheet::lastColumn() const
{
    std::size_t widest = 0;
    for (const auto& cells : rows_)
        widest = std::max(widest, cells.size());
    return static_cast<int>(widest);
}

}
