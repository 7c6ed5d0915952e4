#pragma once
// Tables of the document: a run of paragraphs in cells laid out as a grid of
// rows and columns, nested tables inside their cells.
#include "platform/editor/model/editor.h"

#include <QColor>
#include <QRect>

#include <functional>
#include <utility>
#include <vector>

namespace ks::editor::view {

struct CellGeometry {
    QRect rect;          // relative to the outermost table's top; x from the text's left
    QColor background;   // invalid: none
    int border = 0;      // pixels
};

struct TableGeometry {
    int y = 0;           // document top, set when the table is placed
    int height = 0;
    std::vector<CellGeometry> cells;
};

// Where one paragraph of a table goes.
struct CellSlot {
    int x = 0, width = 1, relY = 0;
};

class TableLayouter {
public:
    // Lays out a paragraph at a width and gives its height.
    using LayoutPara = std::function<int(std::size_t para, int width)>;
    // The narrowest and widest a paragraph can be laid out (pixels).
    using MeasurePara = std::function<std::pair<int, int>(std::size_t para)>;
    TableLayouter(Editor& e, LayoutPara layoutPara, MeasurePara measurePara, std::vector<CellSlot>& places,
                  std::size_t firstPara)
        : e_(e), layoutPara_(std::move(layoutPara)), measurePara_(std::move(measurePara)), places_(places),
          first_(firstPara) {}

    // The outermost table holding paragraphs [a, b); returns its geometry.
    TableGeometry layout(std::size_t a, std::size_t b, int width);

private:
    int table(int tableId, std::size_t a, std::size_t b, int x, int width, int y, int depth, TableGeometry& g);
    int flow(int cell, std::size_t a, std::size_t b, int x, int width, int y, int depth, TableGeometry& g);
    std::vector<int> columnWidths(const Table& t, int width, bool fitContent, std::size_t a, std::size_t b, int depth);
    void fitToContent(const Table& t, std::vector<int>& w, int room, std::size_t a, std::size_t b, int depth);
    int cellAt(std::size_t para, int depth) const;

    Editor& e_;
    LayoutPara layoutPara_;
    MeasurePara measurePara_;
    std::vector<CellSlot>& places_;   // by paragraph - firstPara
    std::size_t first_;
};

// The outermost table id of a paragraph's cell, 0 outside tables.
int outerTable(Editor& e, int cell);

}
