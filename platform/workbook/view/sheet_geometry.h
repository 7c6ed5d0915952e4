#pragma once
// Where rows and columns of one sheet lie, in pixels at 96 dpi from the top-left of
// row 1, column 1; hidden rows take no space. Shared by the grid and the printer.
#include "platform/workbook/engine/cell_format.h"
#include "platform/workbook/engine/sheet.h"

#include <QRectF>
#include <vector>

namespace ks::workbook::view {

class SheetGeometry {
public:
    // Rows without a height of their own grow to their largest font.
    void rebuild(const Sheet& sheet, const StyleTable& styles);

    int rowTop(int row) const { return rowTops_[static_cast<std::size_t>(row) - 1]; }
    int rowHeight(int row) const { return rowTop(row + 1) - rowTop(row); }
    int colLeft(int col) const { return colLefts_[static_cast<std::size_t>(col) - 1]; }
    int colWidth(int col) const { return colLeft(col + 1) - colLeft(col); }
    // The row or column under a position; the last one for positions beyond the sheet.
    int rowAt(int y) const;
    int colAt(int x) const;
    // An object's anchor in cell units (column 1.5 is the middle of column 1).
    QRectF anchorRect(const Anchor& anchor) const;

    static int pixelsOfWidth(double characters);
    static int pixelsOfHeight(double points);

private:
    double xOf(double colUnits) const;
    double yOf(double rowUnits) const;

    std::vector<int> rowTops_;  // kMaxRows + 1 entries: the last is the sheet's bottom
    std::vector<int> colLefts_;
};

}
