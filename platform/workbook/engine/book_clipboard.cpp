// Copy, cut and paste through the shared clipboard, and tab-separated text for other programs.
#include "platform/workbook/engine/book.h"
#include "platform/workbook/engine/clipboard.h"
#include "platform/workbook/engine/errors.h"
#include "platform/workbook/engine/number_format.h"

namespace ks::workbook {

namespace {
constexpr long long kMaxClipCells = 1'000'000;

std::vector<std::string> splitText(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string current;
    for (char ch : text) {
        if (ch == separator) {
            parts.push_back(current);
            current.clear();
        } else if (ch != '\r') {
            current += ch;
        }
    }
    parts.push_back(current);
    return parts;
}
}

ClipBlock& sharedClipboard()
{
    static ClipBlock clipboard;
    return clipboard;
}

void Book::CopyBlock()
{
    Block b = current().selection;
    if (static_cast<long long>(b.rows()) * b.cols() > kMaxClipCells)
        raise(kErrCopyRefused, "The selection is too large to copy");
    ensureCurrent();
    ClipBlock clip;
    clip.rows = b.rows();
    clip.cols = b.cols();
    clip.sourceRow = b.row1;
    clip.sourceCol = b.col1;
    clip.cells.resize(static_cast<std::size_t>(clip.rows) * static_cast<std::size_t>(clip.cols));
    SheetNames names = data_.sheetNames();
    const Sheet& s = current();
    for (auto& cell : clip.cells)
        cell.format = data_.styles.at(0);
    s.forEachInBlock(b, [&](int r, int c, const Cell& cell) {
        ClipCell& out = clip.cells[static_cast<std::size_t>(r - b.row1) * static_cast<std::size_t>(clip.cols) +
                                   static_cast<std::size_t>(c - b.col1)];
        out.value = cell.value;
        out.formula = cell.formula ? printFormula(*cell.formula, names) : "";
        out.format = data_.styles.at(cell.style);
    });
    sharedClipboard() = std::move(clip);
}

void Book::CutBlock()
{
    requireUnlocked(current().selection);
    CopyBlock();
    Block b = current().selection;
    ClearBlock(b.row1, b.col1, b.row2, b.col2, kClearAll);
}

void Book::PasteBlock(PasteWhat what)
{
    const ClipBlock& clip = sharedClipboard();
    if (clip.empty())
        return;
    Block at = current().selection;
    Block target{at.row1, at.col1, at.row1 + clip.rows - 1, at.col1 + clip.cols - 1};
    if (!validCell(target.row2, target.col2))
        raise(kErrBadArgument, "The clipboard block does not fit on the sheet here");
    requireUnlocked(target);
    ClipBlock copy = clip;  // the clipboard may be this book's own next copy
    SheetNames names = data_.sheetNames();
    int sheet = CurrentSheet();
    for (int r = 0; r < copy.rows; ++r) {
        for (int c = 0; c < copy.cols; ++c) {
            const ClipCell& in = copy.cells[static_cast<std::size_t>(r) * static_cast<std::size_t>(copy.cols) +
                                            static_cast<std::size_t>(c)];
            int row = target.row1 + r, col = target.col1 + c;
            if (what == PasteWhat::All || what == PasteWhat::Formats)
                sheetAt(sheet).at(row, col).style = data_.styles.intern(in.format);
            if (what == PasteWhat::Formats)
                continue;
            FormulaPtr formula;
            if (!in.formula.empty() && what != PasteWhat::Values) {
                try {
                    formula = shiftFormula(*parseFormula(in.formula, names), target.row1 - copy.sourceRow,
                                           target.col1 - copy.sourceCol);
                } catch (const RuntimeError&) {
                    formula.reset();  // a sheet this book lacks: the value is pasted instead
                }
            }
            if (formula)
                putFormula(sheet, row, col, formula);
            else
                putValue(sheet, row, col, in.value);
        }
    }
    SelectBlock(target.row1, target.col1, target.row2, target.col2);
    notify(BookChange::Formats, data_.currentSheet, target);
}

std::string Book::SelectionAsText() const
{
    Block b = current().selection;
    if (static_cast<long long>(b.rows()) * b.cols() > kMaxClipCells)
        raise(kErrCopyRefused, "The selection is too large to copy");
    std::string text;
    for (int r = b.row1; r <= b.row2; ++r) {
        for (int c = b.col1; c <= b.col2; ++c) {
            if (c > b.col1)
                text += '\t';
            text += SheetShownText(r, c);
        }
        text += "\r\n";
    }
    return text;
}

void Book::PasteText(const std::string& tabSeparated)
{
    std::vector<std::string> lines = splitText(tabSeparated, '\n');
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    if (lines.empty())
        return;
    std::vector<std::vector<std::string>> table;
    std::size_t width = 0;
    for (const std::string& line : lines) {
        table.push_back(splitText(line, '\t'));
        width = std::max(width, table.back().size());
    }
    Block at = current().selection;
    Block target{at.row1, at.col1, at.row1 + static_cast<int>(table.size()) - 1,
                 at.col1 + static_cast<int>(width) - 1};
    if (!validCell(target.row2, target.col2))
        raise(kErrBadArgument, "The pasted text does not fit on the sheet here");
    requireUnlocked(target);
    for (std::size_t r = 0; r < table.size(); ++r)
        for (std::size_t c = 0; c < table[r].size(); ++c) {
            int row = target.row1 + static_cast<int>(r), col = target.col1 + static_cast<int>(c);
            try {
                EnterCellText(row, col, table[r][c]);
            } catch (const RuntimeError& e) {
                if (e.number() != kErrBadFormula)
                    throw;
                setSheetText(row, col, table[r][c]);  // other programs' text that only looks like a formula
            }
        }
    SelectBlock(target.row1, target.col1, target.row2, target.col2);
}

}
