// Exports: tables, cells and the table commands.
#include "platform/editor/model/api_support.h"

using namespace ks::editor;

namespace {

constexpr int kMaxSpan = 300;

int caretCell(Editor& e)
{
    const Line* l = e.doc.line(e.caret.line);
    return l ? e.doc.paragraphs()[l->para].meta.cell : 0;
}

// The paragraphs of a row, nested tables included: [first, end).
bool rowParagraphs(Editor& e, int rowId, std::size_t& first, std::size_t& end)
{
    const Row* r = e.tables.row(rowId);
    if (!r || r->cells.empty())
        return false;
    int depth = e.tables.depth(r->cells.front());
    const auto& ps = e.doc.paragraphs();
    first = end = ps.size();
    for (std::size_t p = 0; p < ps.size(); ++p) {
        const Cell* c = e.tables.cell(e.tables.cellAtDepth(ps[p].meta.cell, depth));
        if (c && c->row == rowId) {
            if (first == ps.size())
                first = p;
            end = p + 1;
        }
    }
    return first < end;
}

Paragraph markParagraph(char mark, int font, int format, int cell)
{
    return Paragraph{std::string(1, mark), {static_cast<std::uint16_t>(font)}, {format, cell}};
}

// Paragraphs of an empty row: one cell end per cell, then the row end in the last cell.
std::vector<Paragraph> emptyRow(Editor& e, const std::vector<int>& cells)
{
    std::vector<Paragraph> out;
    for (int c : cells)
        out.push_back(markParagraph(kCellEnd, 0, e.defaultFormat, c));
    out.push_back(markParagraph(kRowEnd, 0, e.defaultFormat, cells.back()));
    return out;
}

int insertTable(Editor& e, int rows)
{
    if (rows < 1 || rows > kMaxSpan)
        return 0;
    int enclosing = caretCell(e);
    const Line* l = e.doc.line(e.caret.line);
    std::size_t at = l ? l->para + 1 : e.doc.paragraphs().size();
    // An open last paragraph is ended first, or it would join the table's first cell.
    const auto& existing = e.doc.paragraphs();
    if (at >= existing.size() && !existing.empty() && !existing.back().terminated())
        e.doc.appendRun(std::string(1, kParaMark), existing.back().fonts.back(), existing.back().meta);
    std::vector<Paragraph> paras;
    int previous = 0;
    for (int r = 0; r < rows; ++r) {
        std::vector<int> cells;
        for (int c = 0; c < 2; ++c) {
            previous = e.tables.createCell(c == 0, previous, Cell{}, 0, 0);
            cells.push_back(previous);
        }
        auto row = emptyRow(e, cells);
        paras.insert(paras.end(), row.begin(), row.end());
    }
    e.tables.setEnclosing(previous, enclosing);
    e.tables.tableOfCell(previous)->columns = 2;
    e.tables.tableOfCell(previous)->ended = true;
    e.doc.insertParagraphs(at, std::move(paras));
    e.setCaret(e.doc.paraPos(at));
    e.touch();
    return 1;
}

int insertRow(Editor& e, bool after)
{
    const Cell* c = e.tables.cell(caretCell(e));
    std::size_t first, end;
    if (!c || !rowParagraphs(e, c->row, first, end))
        return 0;
    int rowId = c->row;
    std::vector<Cell> copies;
    for (int id : e.tables.row(rowId)->cells)
        copies.push_back(*e.tables.cell(id));
    for (Cell& copy : copies)
        copy.rowSpan = copy.rowSpan == 0 ? 1 : copy.rowSpan;
    int tableId = e.tables.tableIdOfCell(caretCell(e));
    std::size_t index = e.tables.rowIndex(rowId) + (after ? 1 : 0);
    auto ids = e.tables.insertRow(tableId, index, copies);
    std::size_t at = after ? end : first;
    e.doc.insertParagraphs(at, emptyRow(e, ids));
    e.setCaret(e.doc.paraPos(at));
    e.touch();
    return 1;
}

int deleteRow(Editor& e)
{
    const Cell* c = e.tables.cell(caretCell(e));
    std::size_t first, end;
    if (!c || !rowParagraphs(e, c->row, first, end))
        return 0;
    e.tables.removeRow(c->row);
    e.doc.eraseParagraphs(first, end - first);
    e.setCaret(e.doc.paraPos(first));
    e.touch();
    return 1;
}

}

extern "C" {

int EditorCreateCell(HWND hWnd, int newRow, int previous, int alignment, int tableIndent, int height,
                     int width, int, int border1, int border2, int border3, int border4, int rowSpan,
                     int colSpan, int flags)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        if (rowSpan < 0 || colSpan < 0 || rowSpan > kMaxSpan || colSpan > kMaxSpan || height < 0 ||
            width < -100 || border1 < 0 || border2 < 0 || border3 < 0 || border4 < 0)
            return 0;
        Cell c;
        c.alignment = alignment;
        c.height = height;
        c.width = width;
        c.borders = {border1, border2, border3, border4};
        c.rowSpan = rowSpan;
        c.colSpan = colSpan;
        c.flags = flags & (kCellHeader | kCellData | kCellMiddle | kCellBottom);
        if (!(c.flags & (kCellHeader | kCellData)))
            c.flags |= kCellData;   // every cell is td or th, so its flags are never 0
        return e.tables.createCell(newRow != 0, previous, c, tableIndent, alignment);
    });
}

int EditorSetCellProps(HWND hWnd, int cell, unsigned colour, int padding, int enclosingCell)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        Cell* c = e.tables.cell(cell);
        if (!c)
            return 0;
        c->colour = colour & 0xFFFFFF;
        c->padding = padding < 0 ? -1 : padding;
        return e.tables.setEnclosing(cell, enclosingCell) ? 1 : 0;
    });
}

int EditorSetTableWidth(HWND hWnd, int cell, int width)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        Table* t = e.tables.tableOfCell(cell == -1 ? caretCell(e) : cell);
        if (!t || width < -100)
            return 0;
        t->width = width;
        e.touch();
        return 1;
    });
}

int EditorEndTable(HWND hWnd, int lastCell, int columns)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        Table* t = e.tables.tableOfCell(lastCell);
        if (!t || columns < 0)
            return 0;
        t->columns = columns;
        t->ended = true;
        return 1;
    });
}

int EditorSetCellColor(HWND hWnd, int cell, unsigned colour, int)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        Cell* c = e.tables.cell(cell);
        return c ? (c->colour = colour & 0xFFFFFF, 1) : 0;
    });
}

int EditorUpdateTables(HWND hWnd)
{
    return withEditor(hWnd, 0, [](Editor& e) { return e.doc.relayout(), ++e.relayouts, 1; });
}

int EditorGetCellInfo(HWND hWnd, int cell)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        const Cell* c = e.tables.cell(cell);
        return c ? c->row : 0;
    });
}

int EditorGetCellProps(HWND hWnd, int cell, VekCellProps* props)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        const Cell* c = e.tables.cell(cell);
        Table* t = e.tables.tableOfCell(cell);
        if (!c || !t)
            return 0;
        int flags = c->flags;
        if (c->rowSpan == 0)
            flags |= kCellCoveredRows;
        if (c->colSpan == 0)
            flags |= kCellCoveredCols;
        if (c->width > 0)
            flags |= kCellWidthPixels;
        else if (c->width < 0)
            flags |= kCellWidthPercent;
        if (e.tables.rowStartsTable(c->row))
            flags |= kRowStartsTable;
        if (props)
            *props = {flags, c->width, c->height, {c->borders[0], c->borders[1], c->borders[2], c->borders[3]},
                      c->padding, c->colour, c->rowSpan, c->colSpan, t->indent, t->alignment, t->width,
                      t->columns, e.tables.depth(cell), t->enclosingCell};
        return flags;
    });
}

int EditorIsNewTable(HWND hWnd, int row)
{
    return withEditor(hWnd, 0, [&](Editor& e) { return e.tables.rowStartsTable(row) ? 1 : 0; });
}

int EditorTableCmdA(HWND hWnd, int rows)
{
    return withEditor(hWnd, 0, [&](Editor& e) { return insertTable(e, rows); });
}

int EditorTableCmdB(HWND hWnd, int after, int)
{
    return withEditor(hWnd, 0, [&](Editor& e) { return insertRow(e, after != 0); });
}

int EditorTableCmdC(HWND hWnd, int what, int)
{
    return withEditor(hWnd, 0, [&](Editor& e) { return what == 3 ? deleteRow(e) : 0; });
}

int EditorTableCmdD(HWND, int, int, int) { return 0; }
int EditorTableCmdE(HWND, int, int, int) { return 0; }
int EditorTableCmdF(HWND, int, int, int) { return 0; }

}
