// Sheets 6 to 8: the text histories (a line per month) and the data history (four rows
// per month), with the selected month's lines picked out at the top.
#include "tools/scorecard_files/template_build.h"
#include "tools/scorecard_files/template_cells.h"

namespace ks::scorecard::files {

using namespace layout;
using workbook::Book;

namespace {
const std::string kPercentFormat = "0%;(0%)";

std::string kpiNameEcho(int k)
{
    std::string name = absCell(kSetup, setup::kpiRow(k), setup::kNameCol);
    return "IF(" + name + "=\"\",\"\"," + name + ")";
}

// One text history: the month number, its line texts in row 9 ("0" for none), month dates in column 5.
void buildTextSheet(Book& book, int sheet, int firstCol, int lastCol)
{
    using namespace texts;
    book.setCurrentSheet(sheet);
    book.setSheetText(kMonthNumberRow, 1, "Month");
    book.setSheetFormula(kMonthNumberRow, kMonthNumberCol, absCell(kCalc, calc::kSelectedIndex, calc::kCol));
    book.setSheetText(kSelectedRow, 1, "Selected month");
    std::string month = workbook::cellName(kMonthNumberRow, kMonthNumberCol, true, true);
    for (int col = firstCol; col <= lastCol; ++col) {
        std::string c = column(col);
        std::string line = "INDEX(" + c + "$" + std::to_string(lineRow(0)) + ":" + c + "$" +
                           std::to_string(lineRow(kHistoryMonths - 1)) + "," + month + "+1)";
        book.setSheetFormula(kSelectedRow, col, "IF(" + line + "=\"\",\"0\"," + line + ")");
    }
    heading(book, lineRow(0) - 1, 5, "Month");
    for (int j = 0; j < kHistoryMonths; ++j)
        book.setSheetFormula(lineRow(j), 5, absCell(kHistory, history::actualRow(j), history::kDateCol));
    styleBlock(book, lineRow(0), 5, lineRow(kHistoryMonths - 1), 5, "mmm-yy");
}

void buildKpiComments(Book& book)
{
    buildTextSheet(book, kKpiComments, texts::commentCol(1), texts::commentCol(kKpiCount));
    heading(book, 1, 1, "KPI comments by month");
    for (int k = 1; k <= kKpiCount; ++k)
        book.setSheetFormula(texts::lineRow(0) - 1, texts::commentCol(k), kpiNameEcho(k));
}

void buildSectionTexts(Book& book)
{
    using namespace texts;
    buildTextSheet(book, kSectionTexts, kSuccessCol, kLastSectionCol);
    heading(book, 1, 1, "Successes, obstacles and plans by month");
    const std::pair<int, const char*> sections[] = {
        {kSuccessCol, "Success"}, {kObstacleCol, "Obstacle"}, {kMarketingCol, "Marketing"},
        {kFinancialCol, "Financial"}, {kInnovationCol, "Innovation"}, {kSystemsCol, "Systems"}};
    for (std::size_t s = 0; s < std::size(sections); ++s) {
        int end = s + 1 < std::size(sections) ? sections[s + 1].first : kLastSectionCol + 1;
        for (int col = sections[s].first; col < end; ++col)
            book.setSheetText(lineRow(0) - 1, col,
                              std::string(sections[s].second) + " " + std::to_string(col - sections[s].first + 1));
    }
}

// "% of target" as the reports compute it, and the variance; blank without an actual.
std::string percentFormula(const std::string& a, const std::string& t)
{
    return "IF(" + a + "=\"\",\"\",IF(AND(" + t + "=0," + a + ">0),1,IF(" + t + "=0,0,IF(" + t + "<0,((" + t +
           "-" + a + ")/" + t + ")+1," + a + "/" + t + "))))";
}

std::string varianceFormula(const std::string& a, const std::string& t)
{
    return "IF(" + a + "=\"\",\"\",IF(AND(" + t + "=0," + a + ">0),1,IF(" + t + "<0,(" + t + "-" + a + ")/" + t +
           ",IF(" + t + "=0,0," + a + "/" + t + "-1))))";
}

void buildMonthLines(Book& book, int j)
{
    using namespace history;
    int actual = actualRow(j), target = targetRow(j);
    std::string first = workbook::cellName(kFirstRow, kDateCol, true, true);
    book.setSheetFormula(actual, kDateCol, j == 0 ? absCell(kCalc, calc::kStartDate, calc::kCol)
                                                  : "DATE(YEAR(" + first + "),MONTH(" + first + ")+" +
                                                        std::to_string(j) + ",1)");
    const std::pair<int, const char*> labels[] = {
        {actual, "Actual"}, {target, "Target"}, {percentRow(j), "% of target"}, {varianceRow(j), "Variance"}};
    for (auto [row, label] : labels)
        book.setSheetText(row, 3, label);
    for (int col = kpiCol(1); col <= kLastCol; ++col) {
        std::string a = cell(actual, col), t = cell(target, col);
        book.setSheetFormula(percentRow(j), col, percentFormula(a, t));
        book.setSheetFormula(varianceRow(j), col, varianceFormula(a, t));
    }
    for (int row : {percentRow(j), varianceRow(j)}) {
        std::string kpis = cell(row, kpiCol(1)) + ":" + cell(row, kLastCol);
        book.setSheetFormula(row, kFirstPercentCol, "IF(COUNT(" + kpis + ")=0,\"\",AVERAGE(" + kpis + "))");
    }
}

void buildDataHistory(Book& book)
{
    using namespace history;
    book.setCurrentSheet(kHistory);
    heading(book, 1, 1, "Data history");
    book.setSheetText(kSelectedDateRow, kSelectedDateCol - 1, "Selected month");
    book.setSheetFormula(kSelectedDateRow, kSelectedDateCol, absCell(kCalc, calc::kSelectedDate, calc::kCol));
    book.setSheetText(kMonthLineRow, kMonthLineCol - 1, "Actual line");
    book.setSheetFormula(kMonthLineRow, kMonthLineCol,
                         std::to_string(kFirstRow) + "+4*" + absCell(kCalc, calc::kSelectedIndex, calc::kCol));
    book.setSheetText(kSelectedActualRow, kFirstPercentCol, "Actual");
    book.setSheetText(kSelectedTargetRow, kFirstPercentCol, "Target");
    std::string line = workbook::cellName(kMonthLineRow, kMonthLineCol, true, true);
    for (int k = 1; k <= kKpiCount; ++k) {
        std::string c = column(kpiCol(k));
        std::string all = c + "$" + std::to_string(kFirstRow) + ":" + c + "$" + std::to_string(kLastRow);
        book.setSheetFormula(kSelectedActualRow, kpiCol(k), "INDEX(" + all + "," + line + "-" + std::to_string(kFirstRow - 1) + ")");
        book.setSheetFormula(kSelectedTargetRow, kpiCol(k), "INDEX(" + all + "," + line + "-" + std::to_string(kFirstRow - 2) + ")");
        book.setSheetFormula(kFirstRow - 1, kpiCol(k), kpiNameEcho(k));
    }
    heading(book, kFirstRow - 1, kDateCol, "Month");
    for (int j = 0; j < kHistoryMonths; ++j)
        buildMonthLines(book, j);
    styleBlock(book, kSelectedDateRow, kSelectedDateCol, kSelectedDateRow, kSelectedDateCol, "mmm-yy");
    styleBlock(book, kFirstRow, kDateCol, kLastRow, kDateCol, "mmm-yy");
    // Each KPI's own format is laid over its whole column by name; the percentage rows come after.
    styleBlock(book, kSelectedActualRow, kpiCol(1), kLastRow, kLastCol, "#,##0;(#,##0)");
    for (int j = 0; j < kHistoryMonths; ++j)
        styleBlock(book, percentRow(j), kFirstPercentCol, varianceRow(j), kLastCol, kPercentFormat);
    book.setColumnWidth(3, 12);
}
}

void buildHistorySheets(Book& book)
{
    buildKpiComments(book);
    buildSectionTexts(book);
    buildDataHistory(book);
}

}
