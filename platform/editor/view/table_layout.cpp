#include "platform/editor/view/table_layout.h"
#include "platform/editor/view/font_cache.h"

#include <algorithm>
#include <numeric>

namespace ks::editor::view {
namespace {

constexpr int kDefaultPadding = 2;
constexpr int kMaxNesting = 16;   // deeper tables are drawn flat inside their cell
constexpr int kMinColumn = 4;

}

int outerTable(Editor& e, int cell) { return cell ? e.tables.tableIdOfCell(e.tables.cellAtDepth(cell, 1)) : 0; }

int TableLayouter::cellAt(std::size_t para, int depth) const
{
    return e_.tables.cellAtDepth(e_.doc.paragraphs()[para].meta.cell, depth);
}

TableGeometry TableLayouter::layout(std::size_t a, std::size_t b, int width)
{
    TableGeometry g;
    int id = outerTable(e_, e_.doc.paragraphs()[a].meta.cell);
    g.height = table(id, a, b, 0, width, 0, 1, g);
    return g;
}

// Columns: given widths (twips or percent of the table) first; the others share the rest, or,
// in a table without a width, take what their content needs up to the rest (as browsers do);
// scaled down to fit.
std::vector<int> TableLayouter::columnWidths(const Table& t, int width, bool fitContent, std::size_t a, std::size_t b,
                                             int depth)
{
    int columns = std::max(t.columns, 1);
    for (int rowId : t.rows)
        if (const Row* r = e_.tables.row(rowId)) {
            int n = 0;
            for (int c : r->cells)
                if (const Cell* cell = e_.tables.cell(c))
                    n += std::max(cell->colSpan, cell->rowSpan == 0 ? 1 : 0);
            columns = std::max(columns, n);
        }
    columns = std::min(columns, std::max(1, width));   // never more columns than pixels
    std::vector<int> w(static_cast<std::size_t>(columns), 0);
    if (!t.rows.empty())
        if (const Row* r = e_.tables.row(t.rows.front())) {
            std::size_t col = 0;
            for (int c : r->cells) {
                const Cell* cell = e_.tables.cell(c);
                if (!cell || col >= w.size())
                    break;
                if (cell->colSpan == 1)
                    w[col] = cell->width > 0 ? twipsToPixels(cell->width) : cell->width < 0 ? width * std::min(-cell->width, 100) / 100 : 0;
                col += std::max(cell->colSpan, 1);
            }
        }
    int given = std::accumulate(w.begin(), w.end(), 0);
    int open = static_cast<int>(std::count(w.begin(), w.end(), 0));
    if (fitContent && open)
        fitToContent(t, w, std::max(0, width - given), a, b, depth);
    int share = open ? std::max(kMinColumn, (width - given) / open) : 0;
    for (int& c : w)
        if (c == 0)
            c = share;
    int total = std::accumulate(w.begin(), w.end(), 0);
    if (total > width && total > 0)
        for (int& c : w)
            c = std::max(1, c * width / total);
    return w;
}

// Open columns (width 0) of w get their content's width: the widest when all fit in room,
// else between the narrowest and the widest in proportion. Cells over several columns count
// for none of them.
void TableLayouter::fitToContent(const Table& t, std::vector<int>& w, int room, std::size_t a, std::size_t b, int depth)
{
    std::vector<int> narrow(w.size(), kMinColumn), wide(w.size(), kMinColumn);
    std::size_t p = a;
    for (int rowId : t.rows) {
        const Row* row = e_.tables.row(rowId);
        std::size_t col = 0;
        for (int cellId : row ? row->cells : std::vector<int>{}) {
            const Cell* cell = e_.tables.cell(cellId);
            if (!cell)
                continue;
            int span = cell->rowSpan == 0 ? 1 : cell->colSpan;
            int pad = cell->padding >= 0 ? twipsToPixels(cell->padding) : kDefaultPadding;
            int inner = 2 * (pad + (*std::max_element(cell->borders.begin(), cell->borders.end()) > 0 ? 1 : 0));
            for (; p < b && cellAt(p, depth) == cellId; ++p)
                if (span == 1 && col < w.size()) {
                    auto [n, x] = measurePara_(p);
                    narrow[col] = std::max(narrow[col], n + inner);
                    wide[col] = std::max(wide[col], x + inner);
                }
            col += std::max(span, 0);
        }
    }
    int sumNarrow = 0, sumWide = 0;
    for (std::size_t c = 0; c < w.size(); ++c)
        if (w[c] == 0)
            sumNarrow += narrow[c], sumWide += wide[c];
    for (std::size_t c = 0; c < w.size(); ++c) {
        if (w[c] != 0)
            continue;
        if (sumWide <= room)
            w[c] = wide[c];
        else if (sumNarrow >= room)
            w[c] = narrow[c];
        else
            w[c] = narrow[c] + static_cast<int>(static_cast<long long>(wide[c] - narrow[c]) * (room - sumNarrow) /
                                                std::max(1, sumWide - sumNarrow));
    }
}

int TableLayouter::table(int tableId, std::size_t a, std::size_t b, int x, int width, int y, int depth, TableGeometry& g)
{
    Table* t = e_.tables.table(tableId);
    if (!t || depth > kMaxNesting)
        return flow(0, a, b, x, width, y, depth, g) - y;   // no table to lay out: its text one paragraph under another
    x += std::max(0, twipsToPixels(t->indent));
    int tableWidth = t->width > 0 ? twipsToPixels(t->width) : t->width < 0 ? width * std::min(-t->width, 100) / 100 : width;
    tableWidth = std::clamp(tableWidth, 1, std::max(1, width));
    std::vector<int> cols = columnWidths(*t, tableWidth, t->width == 0, a, b, depth);
    if (t->width == 0)
        tableWidth = std::min(tableWidth, std::accumulate(cols.begin(), cols.end(), 0));
    if (t->alignment & kAlignCentre)
        x += (width - tableWidth) / 2;
    else if (t->alignment & kAlignRight)
        x += width - tableWidth;
    struct Spanning {
        std::size_t cellIndex;
        int rowsLeft, top, contentHeight;
    };
    std::vector<Spanning> spans;
    std::size_t p = a;
    int top = y;
    for (int rowId : t->rows) {
        const Row* row = e_.tables.row(rowId);
        if (!row)
            continue;
        int rowHeight = 0, col = 0;
        std::size_t firstCell = g.cells.size();
        for (int cellId : row->cells) {
            const Cell* cell = e_.tables.cell(cellId);
            if (!cell)
                continue;
            int span = cell->rowSpan == 0 ? 1 : cell->colSpan;
            int cx = x + std::accumulate(cols.begin(), cols.begin() + std::min<std::size_t>(col, cols.size()), 0);
            int cw = std::accumulate(cols.begin() + std::min<std::size_t>(col, cols.size()),
                                     cols.begin() + std::min<std::size_t>(col + span, cols.size()), 0);
            col += span;
            std::size_t end = p;
            while (end < b && cellAt(end, depth) == cellId)
                ++end;
            if (span == 0 || cell->rowSpan == 0) {
                flow(cellId, p, end, cx, std::max(cw, 1), top, depth, g);   // covered: its (empty) text stays reachable
                p = end;
                continue;
            }
            int pad = cell->padding >= 0 ? twipsToPixels(cell->padding) : kDefaultPadding;
            int border = *std::max_element(cell->borders.begin(), cell->borders.end()) > 0 ? 1 : 0;
            int inner = pad + border;
            int content = flow(cellId, p, end, cx + inner, std::max(1, cw - 2 * inner), top + inner, depth, g) - (top + inner);
            p = end;
            int h = std::max(content + 2 * inner, twipsToPixels(cell->height));
            CellGeometry cg{QRect(cx, top, cw, h), cell->colour != 0xFFFFFF ? colourOf(cell->colour) : QColor(), border};
            g.cells.push_back(cg);
            if (cell->rowSpan > 1)
                spans.push_back({g.cells.size() - 1, cell->rowSpan, top, h});
            else
                rowHeight = std::max(rowHeight, h);
        }
        // Cells of the row stretch to its height; row spans grow as their rows pass.
        rowHeight = std::max(rowHeight, 1);
        for (std::size_t i = firstCell; i < g.cells.size(); ++i)
            if (g.cells[i].rect.top() == top)
                g.cells[i].rect.setHeight(std::max(g.cells[i].rect.height(), rowHeight));
        top += rowHeight;
        for (auto it = spans.begin(); it != spans.end();) {
            QRect& r = g.cells[it->cellIndex].rect;
            r.setHeight(std::max(top - it->top, it->contentHeight));
            if (--it->rowsLeft == 0) {
                top = std::max(top, it->top + it->contentHeight);
                it = spans.erase(it);
            } else {
                ++it;
            }
        }
    }
    // Paragraphs the rows did not claim (a damaged table) follow under it.
    return flow(0, p, b, x, tableWidth, top, depth, g) - y;
}

// Paragraphs [a, b) of one cell (0: no cell) one under another from y; nested tables inside.
int TableLayouter::flow(int cell, std::size_t a, std::size_t b, int x, int width, int y, int depth, TableGeometry& g)
{
    for (std::size_t p = a; p < b;) {
        int inner = cellAt(p, depth + 1);
        if (inner && depth < kMaxNesting) {
            int nested = e_.tables.tableIdOfCell(inner);
            std::size_t end = p;
            while (end < b && e_.tables.tableIdOfCell(cellAt(end, depth + 1)) == nested)
                ++end;
            y += table(nested, p, end, x, width, y, depth + 1, g);
            p = end;
            continue;
        }
        CellSlot& s = places_[p - first_];
        s.x = x;
        s.width = width;
        s.relY = y;
        const auto& chars = e_.doc.paragraphs()[p].chars;
        // A row end is a paragraph of its own that takes no room.
        int h = layoutPara_(p, width);
        if (!(chars.size() == 1 && chars[0] == kRowEnd))
            y += h;
        ++p;
    }
    return y;
}

}
