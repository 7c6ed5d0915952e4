// Exports: tables, cells and the table commands.
#include "platform/editor/model/api_support.h"
#include "platform/editor/model/table_commands.h"

using namespace ks::editor;

namespace {
constexpr int kMaxSpan = 300;
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
    return withEditor(hWnd, 0, [](Editor& e) { return e.doc.relayout(), e.requestRepaint(), 1; });
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
    return withEditor(hWnd, 0, [&](Editor& e) { return what == 3 ? deleteRow(e) : what == 2 ? deleteColumn(e) : 0; });
}

int EditorTableCmdD(HWND hWnd, int after, int, int)
{
    return withEditor(hWnd, 0, [&](Editor& e) { return insertColumn(e, after != 0); });
}

int EditorTableCmdE(HWND hWnd, int, int, int)
{
    return withEditor(hWnd, 0, [](Editor& e) { return mergeCells(e); });
}

int EditorTableCmdF(HWND hWnd, int, int, int)
{
    return withEditor(hWnd, 0, [](Editor& e) { return splitCell(e); });
}

}
