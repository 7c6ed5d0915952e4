// Cell formats of the selection, rows and columns, protection and the print setup.
#include "platform/workbook/engine/book.h"
#include "platform/workbook/engine/errors.h"

namespace ks::workbook {

void Book::restyleBlock(int sheet, const Block& block, const std::function<void(CellFormat&, int, int)>& change)
{
    Sheet& s = sheetAt(sheet);
    for (int r = block.row1; r <= block.row2; ++r) {
        for (int c = block.col1; c <= block.col2; ++c) {
            Cell& cell = s.at(r, c);
            CellFormat format = data_.styles.at(cell.style);
            change(format, r, c);
            cell.style = data_.styles.intern(format);
        }
    }
    notify(BookChange::Formats, sheet - 1, block);
}

template <class Change>
void Book::restyleSelection(Change&& change)
{
    restyleBlock(CurrentSheet(), current().selection,
                 [&](CellFormat& format, int, int) { change(format); });
}

std::string Book::SelectionNumberFormat() const
{
    CellPos p = current().cursor;
    return CellFormatAt(CurrentSheet(), p.row, p.col).numberFormat;
}

void Book::setSelectionNumberFormat(const std::string& format)
{
    restyleSelection([&](CellFormat& f) { f.numberFormat = format.empty() ? "General" : format; });
}

// The control's numbering: horizontal 1 general, 2 left, 3 centre, 4 right, 5 fill,
// 6 justify; vertical 1 top, 2 centre, 3 bottom.
void Book::SetSelectionAlignment(int horizontal, bool wrap, int vertical, int orientation)
{
    if (horizontal < 1 || horizontal > 6 || vertical < 1 || vertical > 3)
        raise(kErrBadArgument, "Invalid alignment");
    restyleSelection([&](CellFormat& f) {
        f.hAlign = static_cast<HAlign>(horizontal - 1);
        f.wrap = wrap;
        f.vAlign = static_cast<VAlign>(vertical - 1);
        f.orientation = orientation;
    });
}

Pattern Book::GetSelectionPattern() const
{
    CellPos p = current().cursor;
    return CellFormatAt(CurrentSheet(), p.row, p.col).pattern;
}

void Book::SetSelectionPattern(int pattern, std::int32_t foreground, std::int32_t background)
{
    restyleSelection([&](CellFormat& f) { f.pattern = {pattern, foreground, background}; });
}

BorderState Book::GetSelectionBorder() const
{
    CellPos p = current().cursor;
    const Borders& b = CellFormatAt(CurrentSheet(), p.row, p.col).borders;
    return {b.left, b.right, b.top, b.bottom, b.shade, b.leftColor, b.rightColor, b.topColor, b.bottomColor};
}

void Book::SetSelectionBorder(int outline, int left, int right, int top, int bottom, int shade,
                              std::int32_t outlineColor, std::int32_t leftColor, std::int32_t rightColor,
                              std::int32_t topColor, std::int32_t bottomColor)
{
    auto set = [](auto& field, auto value) {
        if (value != -1)
            field = value;
    };
    Block sel = current().selection;
    restyleBlock(CurrentSheet(), sel, [&](CellFormat& f, int r, int c) {
        Borders& b = f.borders;
        set(b.left, left), set(b.right, right), set(b.top, top), set(b.bottom, bottom), set(b.shade, shade);
        set(b.leftColor, leftColor), set(b.rightColor, rightColor);
        set(b.topColor, topColor), set(b.bottomColor, bottomColor);
        if (c == sel.col1) set(b.left, outline), set(b.leftColor, outlineColor);
        if (c == sel.col2) set(b.right, outline), set(b.rightColor, outlineColor);
        if (r == sel.row1) set(b.top, outline), set(b.topColor, outlineColor);
        if (r == sel.row2) set(b.bottom, outline), set(b.bottomColor, outlineColor);
    });
}

void Book::SetSelectionProtection(bool locked, bool hidden)
{
    restyleSelection([&](CellFormat& f) {
        f.locked = locked;
        f.hidden = hidden;
    });
}

Font Book::GetSelectionFont() const
{
    CellPos p = current().cursor;
    return CellFormatAt(CurrentSheet(), p.row, p.col).font;
}

void Book::SetSelectionFont(const Font& font)
{
    restyleSelection([&](CellFormat& f) { f.font = font; });
}

bool Book::RowHiddenFlag(int row) const
{
    return current().hiddenRows.count(row) > 0;
}

void Book::setRowHiddenFlag(int row, bool hidden)
{
    checkCell(row, 1);
    if (hidden)
        current().hiddenRows.insert(row);
    else
        current().hiddenRows.erase(row);
    notify(BookChange::Layout, data_.currentSheet);
}

double Book::RowHeight(int row) const
{
    auto it = current().rowHeights.find(row);
    return it == current().rowHeights.end() ? 0 : it->second;
}

void Book::setRowHeight(int row, double points)
{
    checkCell(row, 1);
    if (points < 0 || points > 409)
        raise(kErrBadArgument, "Invalid row height");
    if (points == 0)
        current().rowHeights.erase(row);
    else
        current().rowHeights[row] = points;
    notify(BookChange::Layout, data_.currentSheet);
}

double Book::ColumnWidth(int col) const
{
    auto it = current().columnWidths.find(col);
    return it == current().columnWidths.end() ? 0 : it->second;
}

void Book::setColumnWidth(int col, double characters)
{
    checkCell(1, col);
    if (characters < 0 || characters > 255)
        raise(kErrBadArgument, "Invalid column width");
    if (characters == 0)
        current().columnWidths.erase(col);
    else
        current().columnWidths[col] = characters;
    notify(BookChange::Layout, data_.currentSheet);
}

bool Book::SheetProtected() const
{
    return current().isProtected;
}

void Book::setSheetProtected(bool on)
{
    current().isProtected = on;
    notify(BookChange::Layout, data_.currentSheet);
}

void Book::PrintRangeFromSelection()
{
    current().print.range = current().selection;
    notify(BookChange::Layout, data_.currentSheet);
}

const PrintSetup& Book::Print() const
{
    return current().print;
}

void Book::setPrintHeaderText(const std::string& text)
{
    current().print.header = text;
}

void Book::setPrintFooterText(const std::string& text)
{
    current().print.footer = text;
}

void Book::SetPrintScale(int percent, bool fitToPages, int pagesTall, int pagesWide)
{
    if (percent < 10 || percent > 400 || pagesTall < 0 || pagesWide < 0 || pagesTall > 32767 || pagesWide > 32767)
        raise(kErrBadArgument, "Invalid print scale");
    current().print.scale = percent;
    current().print.fitToPages = fitToPages;
    current().print.pagesTall = pagesTall;
    current().print.pagesWide = pagesWide;
}

void Book::SetPrintTitles(int rows, int columns)
{
    if (rows < 0 || columns < 0 || rows > kMaxRows || columns > kMaxColumns)
        raise(kErrBadArgument, "Invalid print titles");
    current().print.titleRows = rows;
    current().print.titleColumns = columns;
}

void Book::setPrintLandscape(bool landscape)
{
    current().print.landscape = landscape;
}

void Book::AddPageBreak()
{
    CellPos p = current().cursor;
    if (p.row > 1)
        current().rowBreaks.insert(p.row);
    if (p.col > 1)
        current().columnBreaks.insert(p.col);
    notify(BookChange::Layout, data_.currentSheet);
}

void Book::SetRowPageBreak(int row)
{
    checkCell(row, 1);
    if (row > 1)
        current().rowBreaks.insert(row);
    notify(BookChange::Layout, data_.currentSheet);
}

std::vector<int> Book::RowPageBreaks() const
{
    return {current().rowBreaks.begin(), current().rowBreaks.end()};
}

std::vector<int> Book::ColumnPageBreaks() const
{
    return {current().columnBreaks.begin(), current().columnBreaks.end()};
}

void Book::ClearBlock(int row1, int col1, int row2, int col2, int kind)
{
    checkCell(row1, col1);
    checkCell(row2, col2);
    if (kind < kClearAll || kind > kClearContents)
        raise(kErrBadArgument, "Invalid clear kind " + std::to_string(kind));
    Block b = Block{row1, col1, row2, col2}.normalised();
    Sheet& s = current();
    bool formulas = false;
    s.forEachInBlock(b, [&](int r, int c, const Cell& cell) { formulas = formulas || cell.formula; });
    for (int r = b.row1; r <= std::min(b.row2, s.lastRow()); ++r) {
        for (int c = b.col1; c <= b.col2; ++c) {
            Cell* cell = s.findMutable(r, c);
            if (!cell)
                continue;
            if (kind != kClearFormats) {
                if (!formulas && cell->hasContent())
                    recalc_.valueChanged(data_.currentSheet, r, c);
                cell->value = Value{};
                cell->formula.reset();
            }
            if (kind != kClearContents)
                cell->style = 0;
        }
    }
    if (formulas)
        recalc_.invalidate();
    notify(BookChange::Cells, data_.currentSheet, b);
}

}
