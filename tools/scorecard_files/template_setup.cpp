// Sheet 2: the KPI set-up rows, the KPI kinds and the option cells with their defaults.
#include "tools/scorecard_files/template_build.h"
#include "tools/scorecard_files/template_cells.h"

namespace ks::scorecard::files {

using namespace layout;
using workbook::Book;

namespace {
void buildKpiRows(Book& book)
{
    using namespace setup;
    const std::pair<int, const char*> titles[] = {{kNameCol, "KPI name"}, {3, "Description"},
                                                  {kFormatSampleCol, "Format"}, {5, "Measured by"},
                                                  {kFormatTypeCol, "Format type"}, {kDecimalsCol, "Decimals"},
                                                  {8, "Notes"}};
    heading(book, 1, 1, "KPI Setup");
    for (auto [col, title] : titles)
        heading(book, 2, col, title);
    for (int k = 1; k <= kKpiCount; ++k) {
        int row = kpiRow(k);
        book.setSheetNumber(row, 1, k);
        book.setSheetNumber(row, kFormatSampleCol, 0);
        book.setSheetText(row, kFormatTypeCol, "number");
        book.setSheetText(row, kDecimalsCol, "0");
    }
    styleBlock(book, kFirstKpiRow, kFormatSampleCol, kLastKpiRow, kFormatSampleCol, "#,##0;(#,##0)");
    book.setColumnWidth(kNameCol, 30);
    book.setColumnWidth(3, 30);
    // Wide enough for the bold headings.
    book.setColumnWidth(5, 14);
    book.setColumnWidth(kFormatTypeCol, 13);
    book.setColumnWidth(kDecimalsCol, 11);
}

void buildKinds(Book& book)
{
    using namespace setup;
    heading(book, kindRow(1) - 1, kKindCol - 1, "KPI");
    heading(book, kindRow(1) - 1, kKindCol, "Kind (1 ordinary, 2 expense)");
    book.setColumnWidth(kKindCol - 1, 30);   // the KPI names, as wide as on their set-up lines
    for (int k = 1; k <= kKpiCount; ++k) {
        std::string name = cell(kpiRow(k), kNameCol);
        book.setSheetFormula(kindRow(k), kKindCol - 1, "IF(" + name + "=\"\",\"\"," + name + ")");
        book.setSheetNumber(kindRow(k), kKindCol, 1);
    }
}

void buildOptions(Book& book, int year)
{
    using namespace setup;
    const std::string yearText = std::to_string(year);
    // Labels stand as many columns left of their value as their text needs: a text runs on
    // over the empty cells to its right.
    constexpr int kKpiOptionLabelCol = kFormatSampleCol, kHistoryLabelCol = kHistoryCol - 3;
    auto option = [&](int row, int labelCol, int col, const std::string& label, const std::string& value) {
        book.setSheetText(row, labelCol, label);
        book.setSheetText(row, col, value);
    };
    option(kHistoryYearRow, kHistoryLabelCol, kHistoryCol, "History start year", yearText);
    option(kHistoryMonthRow, kHistoryLabelCol, kHistoryCol, "History start month", "January");
    option(kFyYearRow, kKpiOptionLabelCol, kFyYearCol, "Financial year start year", yearText);
    option(kFyMonthRow, kKpiOptionLabelCol, kFyMonthCol, "Financial year start month", "January");
    book.setSheetText(kVarianceRow, kKpiOptionLabelCol, "Reports show (0 % of target, 1 variance)");
    book.setSheetNumber(kVarianceRow, kVarianceCol, 0);
    book.setSheetText(kGraphTypeRow, kGraphTypeCol - 2, "Graph type");
    book.setSheetNumber(kGraphTypeRow, kGraphTypeCol, 1);

    book.setSheetText(kFirstYearRow, kHistoryLabelCol, "First history year");
    book.setSheetFormula(kFirstYearRow, kHistoryCol, absCell(kCalc, calc::kStartYear, calc::kCol));
    book.setSheetText(kHistoryMonthsRow, kHistoryMonthsCol - 3, "History months to today");
    book.setSheetFormula(kHistoryMonthsRow, kHistoryMonthsCol, absCell(kCalc, calc::kMonthsToToday, calc::kCol));

    std::string guard = cell(kGuardRow, kWelcomeCol);
    std::string last = absCell(kCalc, calc::kLastData, calc::kCol), late = absCell(kCalc, calc::kMonthsLate, calc::kCol);
    auto input = [&](int row, const std::string& label, const std::string& formula) {
        book.setSheetText(row, kWelcomeCol - 3, label);
        book.setSheetFormula(row, kWelcomeCol, formula);
    };
    input(kLateRow, "Late (1) or on time (0)", "IF(AND(" + guard + "=1," + late + ">0),1,0)");
    input(kLastDataRow, "Last month with actuals",
          "IF(" + last + "=0,\"\",DATE(" + absCell(kCalc, calc::kStartYear, calc::kCol) + "," +
              absCell(kCalc, calc::kStartMonth, calc::kCol) + "+" + last + "-1,1))");
    input(kMonthsLateRow, "Months late", "IF(" + guard + "=1," + late + ",0)");
    input(kGuardRow, "Any actuals entered", "IF(" + last + ">0,1,0)");
    styleBlock(book, kLastDataRow, kWelcomeCol, kLastDataRow, kWelcomeCol, "mmm-yy");
}
}

void buildSetupSheet(Book& book, int year)
{
    book.setCurrentSheet(kSetup);
    buildKpiRows(book);
    buildKinds(book);
    buildOptions(book, year);
}

}
