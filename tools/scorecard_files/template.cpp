// The scorecard template: eight sheets whose formulas turn the month selection, the
// options and the history into every computed cell of the layout.
#include "tools/scorecard_files/scorecard_files.h"
#include "tools/scorecard_files/template_build.h"
#include "tools/scorecard_files/template_cells.h"

namespace ks::scorecard::files {

using namespace layout;
using workbook::Book;

void styleBlock(Book& book, int row1, int col1, int row2, int col2, const std::string& format)
{
    book.SelectBlock(row1, col1, row2, col2);
    book.setSelectionNumberFormat(format);
}

void heading(Book& book, int row, int col, const std::string& text)
{
    book.setSheetText(row, col, text);
    book.SelectBlock(row, col, row, col);
    workbook::Font font = book.GetSelectionFont();
    font.bold = true;
    book.SetSelectionFont(font);
}

void buildTemplate(Book& book, int year)
{
    book.setSheetCount(static_cast<int>(kSheetNames.size()));
    for (std::size_t s = 0; s < kSheetNames.size(); ++s)
        book.setSheetName(static_cast<int>(s) + 1, kSheetNames[s]);
    buildHelperSheets(book);
    buildSetupSheet(book, year);
    buildHistorySheets(book);
    buildMonthView(book, year);
    for (int n = 1; n <= kKpiCount; ++n) {
        book.DefineName(kpiName(n), absCell(kMonthView, month::kpiRow(n), month::kActualCol) + ":" +
                                        cell(month::kpiRow(n), month::kTargetCol));
        // The bulk view's cells of the KPI: the selected month's actual and target, and the history.
        book.DefineName(kpiBulkName(n), absCell(kHistory, history::kSelectedActualRow, history::kpiCol(n)) + ":" +
                                            cell(history::kLastRow, history::kpiCol(n)));
    }
    protectTemplate(book);
    book.setCurrentSheet(kMonthView);
    book.SelectBlock(1, 1, 1, 1);
    book.RecalculateBook();
}

namespace {
void unlock(Book& book, int row1, int col1, int row2, int col2)
{
    book.SelectBlock(row1, col1, row2, col2);
    book.SetSelectionProtection(false, false);
}
}

// Exactly the cells the user types into are unlocked; the program's own writes pass protection.
void protectTemplate(Book& book)
{
    book.setCurrentSheet(kMonthView);
    for (int col : {month::kActualCol, month::kTargetCol, month::kCommentCol})
        unlock(book, month::kFirstKpiRow, col, month::kLastKpiRow, col);
    for (auto [first, last] : {std::pair{month::kSuccessFirstRow, month::kSuccessLastRow},
                               std::pair{month::kPlanFirstRow, month::kPlanLastRow},
                               std::pair{month::kInnovationFirstRow, month::kInnovationLastRow}})
        unlock(book, first, month::kLeftTextCol, last, month::kRightTextCol);

    book.setCurrentSheet(kSetup);
    unlock(book, setup::kFirstKpiRow, setup::kFirstCol, setup::kLastKpiRow, setup::kLastCol);
    unlock(book, setup::kindRow(1), setup::kKindCol, setup::kindRow(kKpiCount), setup::kKindCol);

    book.setCurrentSheet(kHistory);  // the bulk view takes typed actuals and targets
    for (int j = 0; j < kHistoryMonths; ++j)
        unlock(book, history::actualRow(j), history::kpiCol(1), history::targetRow(j), history::kpiCol(kKpiCount));

    for (int s = 1; s <= book.SheetCount(); ++s) {
        book.setCurrentSheet(s);
        book.SelectBlock(1, 1, 1, 1);
        book.setSheetProtected(true);
    }
}

}
