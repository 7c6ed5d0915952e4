#include "platform/editor/model/table_commands.h"

#include <algorithm>

namespace ks::editor {
namespace {

constexpr int kMaxRows = 300;

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
std::vector<Paragraph> emptyRow(const std::vector<int>& cells)
{
    std::vector<Paragraph> out;
    for (int c : cells)
        out.push_back(markParagraph(kCellEnd, 0, kPlainFormat, c));
    out.push_back(markParagraph(kRowEnd, 0, kPlainFormat, cells.back()));
    return out;
}

// The paragraphs of one cell, nested tables included and its row end left out: [first, end).
bool cellParagraphs(Editor& e, int cellId, std::size_t& first, std::size_t& end)
{
    int depth = e.tables.depth(cellId);
    const auto& ps = e.doc.paragraphs();
    first = end = ps.size();
    for (std::size_t p = 0; p < ps.size(); ++p) {
        bool rowEnd = ps[p].meta.cell == cellId && ps[p].chars.back() == kRowEnd;
        if (!rowEnd && e.tables.cellAtDepth(ps[p].meta.cell, depth) == cellId) {
            if (first == ps.size())
                first = p;
            end = p + 1;
        }
    }
    return first < end;
}

// The paragraph that ends the row whose last cell is lastCell.
std::size_t rowEndParagraph(Editor& e, int lastCell)
{
    const auto& ps = e.doc.paragraphs();
    for (std::size_t p = 0; p < ps.size(); ++p)
        if (ps[p].meta.cell == lastCell && ps[p].chars.back() == kRowEnd)
            return p;
    return ps.size();
}

int columnOf(Editor& e, int cellId)
{
    const Row* r = e.tables.row(e.tables.cell(cellId)->row);
    return static_cast<int>(std::find(r->cells.begin(), r->cells.end(), cellId) - r->cells.begin());
}

}

int caretCell(Editor& e)
{
    const Line* l = e.doc.line(e.caret.line);
    return l ? e.doc.paragraphs()[l->para].meta.cell : 0;
}

int insertTable(Editor& e, int rows)
{
    if (rows < 1 || rows > kMaxRows)
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
        auto row = emptyRow(cells);
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
    e.doc.insertParagraphs(at, emptyRow(ids));
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


int insertColumn(Editor& e, bool after)
{
    int current = caretCell(e);
    Table* t = e.tables.tableOfCell(current);
    if (!t)
        return 0;
    std::size_t at = columnOf(e, current) + (after ? 1 : 0);
    std::vector<int> rows = t->rows;
    for (int rowId : rows) {
        const Row* r = e.tables.row(rowId);
        std::size_t i = std::min(at, r->cells.size());
        Cell fresh = *e.tables.cell(r->cells[std::min(i, r->cells.size() - 1)]);
        fresh.rowSpan = fresh.colSpan = 1;
        fresh.width = 0;
        int oldLast = r->cells.back();
        bool atEnd = i == r->cells.size();
        std::size_t first, end;
        std::size_t place = atEnd ? rowEndParagraph(e, oldLast)
                                  : (cellParagraphs(e, r->cells[i], first, end) ? first : rowEndParagraph(e, oldLast));
        int id = e.tables.insertCell(rowId, i, fresh);
        e.doc.insertParagraphs(place, {markParagraph(kCellEnd, 0, kPlainFormat, id)});
        if (atEnd)
            e.doc.setMeta(place + 1, {e.doc.paragraphs()[place + 1].meta.format, id});
    }
    if (t->columns > 0)
        ++t->columns;
    e.touch();
    return 1;
}

int deleteColumn(Editor& e)
{
    int current = caretCell(e);
    Table* t = e.tables.tableOfCell(current);
    if (!t)
        return 0;
    std::size_t column = columnOf(e, current);
    std::vector<int> rows = t->rows;
    std::size_t caretPara = e.doc.paragraphs().size();
    for (int rowId : rows) {
        const Row* r = e.tables.row(rowId);
        if (column >= r->cells.size())
            continue;
        std::size_t first, end;
        if (r->cells.size() == 1) {
            if (rowParagraphs(e, rowId, first, end)) {
                e.doc.eraseParagraphs(first, end - first);
                caretPara = std::min(caretPara, first);
            }
            e.tables.removeRow(rowId);
            continue;
        }
        int gone = r->cells[column];
        bool last = column + 1 == r->cells.size();
        if (last) {
            std::size_t rowEnd = rowEndParagraph(e, gone);
            if (rowEnd < e.doc.paragraphs().size())
                e.doc.setMeta(rowEnd, {e.doc.paragraphs()[rowEnd].meta.format, r->cells[column - 1]});
        }
        if (cellParagraphs(e, gone, first, end)) {
            e.doc.eraseParagraphs(first, end - first);
            caretPara = std::min(caretPara, first);
        }
        e.tables.removeCell(rowId, gone);
    }
    if (t->columns > 0)
        --t->columns;
    e.setCaret(e.doc.paraPos(std::min(caretPara, e.doc.paragraphs().size())));
    e.touch();
    return 1;
}

int mergeCells(Editor& e)
{
    int current = caretCell(e);
    Cell* c = e.tables.cell(current);
    if (!c)
        return 0;
    const Row* r = e.tables.row(c->row);
    std::size_t column = columnOf(e, current);
    if (column + 1 >= r->cells.size())
        return 0;
    int next = r->cells[column + 1];
    bool nextIsLast = column + 2 == r->cells.size();
    std::size_t first, end, nextFirst, nextEnd;
    if (!cellParagraphs(e, current, first, end) || !cellParagraphs(e, next, nextFirst, nextEnd))
        return 0;
    // The cell's end becomes a paragraph mark; the next cell's text and nested tables join it.
    e.doc.replaceEnd(end - 1, kParaMark);
    for (std::size_t p = nextFirst; p < nextEnd; ++p)
        if (e.doc.paragraphs()[p].meta.cell == next)
            e.doc.setMeta(p, {e.doc.paragraphs()[p].meta.format, current});
    if (nextIsLast) {
        std::size_t rowEnd = rowEndParagraph(e, next);
        if (rowEnd < e.doc.paragraphs().size())
            e.doc.setMeta(rowEnd, {e.doc.paragraphs()[rowEnd].meta.format, current});
    }
    e.tables.moveNested(next, current);
    c->colSpan = std::max(1, c->colSpan) + std::max(1, e.tables.cell(next)->colSpan);
    e.tables.removeCell(c->row, next);
    e.touch();
    return 1;
}

int splitCell(Editor& e)
{
    int current = caretCell(e);
    Cell* c = e.tables.cell(current);
    if (!c || c->colSpan < 2)
        return 0;
    --c->colSpan;
    const Row* r = e.tables.row(c->row);
    std::size_t column = columnOf(e, current);
    bool last = column + 1 == r->cells.size();
    std::size_t first, end;
    std::size_t place = last ? rowEndParagraph(e, current) : (cellParagraphs(e, r->cells[column + 1], first, end) ? first : 0);
    Cell fresh = *c;
    fresh.colSpan = 1;
    fresh.width = 0;
    int id = e.tables.insertCell(c->row, column + 1, fresh);
    e.doc.insertParagraphs(place, {markParagraph(kCellEnd, 0, kPlainFormat, id)});
    if (last)
        e.doc.setMeta(place + 1, {e.doc.paragraphs()[place + 1].meta.format, id});
    e.touch();
    return 1;
}

}
