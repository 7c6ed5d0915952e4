#pragma once
// Draws a block of the current sheet: fills, grid lines, shown texts with their fonts and
// alignment, borders and picture objects. The painter works in sheet pixels
// (SheetGeometry); the grid and the printer set up their own transform.
#include "platform/workbook/engine/book.h"
#include "platform/workbook/view/sheet_geometry.h"

#include <QColor>
#include <QPainter>

namespace ks::workbook::view {

struct PaintOptions {
    bool gridLines = true;
    bool listObjects = false;  // draw drop-downs as boxes (the grid shows real ones)
    int runOnRight = 0;        // pixels past the block that texts may run on into
};

// Where a cell's shown text is drawn: its cell, or more when a left-aligned text runs on
// over the empty cells to its right.
QRect textArea(const Book& book, const SheetGeometry& geometry, int row, int col);

void paintBlock(QPainter& painter, const Book& book, const SheetGeometry& geometry, const Block& block,
                const PaintOptions& options);

QColor colorOf(std::int32_t rgb);
QFont fontOf(const Font& font);

}
