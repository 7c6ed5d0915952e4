#pragma once
// The sample scorecard grown to the most KPIs its layout holds: KPIs 13 to 20 take the
// set-up and history of KPIs 1 to 8 under names of their own. For the tests and the
// benchmark that need the largest report.
#include "common/layout/scorecard_layout.h"
#include "platform/workbook/engine/book.h"

#include <string>

namespace ks::test {

inline constexpr int kSampleKpis = 12;

// Copies a block of a sheet, formulas following, so that its top-left lands at (row, col).
inline void copySheetBlock(workbook::Book& book, int sheet, workbook::Block from, int row, int col)
{
    book.setCurrentSheet(sheet);
    const bool locked = book.SheetProtected();
    book.setSheetProtected(false);
    book.SelectBlock(from.row1, from.col1, from.row2, from.col2);
    book.CopyBlock();
    book.SelectBlock(row, col, row + from.row2 - from.row1, col + from.col2 - from.col1);
    book.PasteBlock();
    book.setSheetProtected(locked);
}

inline void growToLargestScorecard(workbook::Book& book)
{
    using namespace scorecard::layout;
    const int sheet = book.CurrentSheet();
    for (int k = kSampleKpis + 1; k <= kKpiCount; ++k) {
        const int from = k - kSampleKpis;
        const int setupRow = setup::kpiRow(from), historyCol = history::kpiCol(from);
        copySheetBlock(book, kSetup, {setupRow, setup::kFirstCol, setupRow, setup::kLastCol}, setup::kpiRow(k),
                       setup::kFirstCol);
        book.setBookText(kSetup, setup::kpiRow(k), setup::kNameCol,
                         book.BookText(kSetup, setupRow, setup::kNameCol) + " (East)");
        copySheetBlock(book, kSetup, {setup::kindRow(from), setup::kKindCol, setup::kindRow(from), setup::kKindCol},
                       setup::kindRow(k), setup::kKindCol);
        copySheetBlock(book, kHistory, {history::kFirstRow, historyCol, history::kLastRow, historyCol},
                       history::kFirstRow, history::kpiCol(k));
    }
    book.setCurrentSheet(sheet);
    book.RecalculateBook();
}

}
