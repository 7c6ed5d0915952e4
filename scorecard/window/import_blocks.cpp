#include "scorecard/window/import_blocks.h"

#include "common/layout/scorecard_layout.h"

namespace ks::scorecard {

using namespace layout;
using workbook::Book;

const std::array<ImportBlock, 4>& importBlocks()
{
    // The text histories are taken to their last column, so no comment or plan line is left behind.
    static const std::array<ImportBlock, 4> blocks{{
        {"transferring the budgets", kHistory, 12, 300, 6, 25},
        {"transferring the Comments", kSectionTexts, 15, 300, 6, texts::kLastSectionCol},
        {"transferring the Plans", kKpiComments, 15, 300, 6, texts::commentCol(kKpiCount)},
        {"transferring the KPI Names", kSetup, setup::kFirstKpiRow, setup::kLastKpiRow, setup::kFirstCol,
         setup::kLastCol},
    }};
    return blocks;
}

namespace {
void selectImportBlock(Book& book, const ImportBlock& block)
{
    book.setCurrentSheet(block.sheet);
    book.SelectBlock(block.firstRow, block.firstCol, block.lastRow, block.lastCol);
}
}

void copyImportBlock(Book& from, const ImportBlock& block)
{
    selectImportBlock(from, block);
    from.CopyBlock();
}

void pasteImportBlock(Book& to, const ImportBlock& block)
{
    to.setCurrentSheet(block.sheet);
    to.setSheetProtected(false);
    to.SelectBlock(block.firstRow, block.firstCol, block.lastRow, block.lastCol);
    to.PasteBlock();
    to.setSheetProtected(true);
}

ImportUndo::ImportUndo(Book& book)
    : book_(book), userClipboard_(workbook::sharedClipboard()), shownSheet_(book.CurrentSheet())
{
    for (const ImportBlock& block : importBlocks()) {
        book_.setCurrentSheet(block.sheet);
        sheets_.push_back({block.sheet, book_.SheetProtected(), book_.GetSelectedBlock()});
    }
    for (const ImportBlock& block : importBlocks()) {
        copyImportBlock(book_, block);
        cells_.push_back(workbook::sharedClipboard());
    }
    for (const SheetState& s : sheets_) {
        book_.setCurrentSheet(s.sheet);
        book_.SelectBlock(s.selection.row1, s.selection.col1, s.selection.row2, s.selection.col2);
    }
    book_.setCurrentSheet(shownSheet_);
}

ImportUndo::~ImportUndo() { workbook::sharedClipboard() = std::move(userClipboard_); }

void ImportUndo::restore()
{
    const auto& blocks = importBlocks();
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        workbook::sharedClipboard() = cells_[i];
        pasteImportBlock(book_, blocks[i]);
    }
    for (const SheetState& s : sheets_) {
        book_.setCurrentSheet(s.sheet);
        book_.setSheetProtected(s.protectedOn);
        book_.SelectBlock(s.selection.row1, s.selection.col1, s.selection.row2, s.selection.col2);
    }
    book_.setCurrentSheet(shownSheet_);
}

}
