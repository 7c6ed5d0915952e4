// Sheet 1: the month view with its five drop-downs, the selected month's texts, the
// ratios and the ratings.
#include "tools/scorecard_files/template_build.h"
#include "tools/scorecard_files/template_cells.h"

#include "platform/workbook/engine/errors.h"

namespace ks::scorecard::files {

using namespace layout;
using workbook::Book;

namespace {
void buildHeadings(Book& book)
{
    using namespace month;
    book.setSheetText(kCompanyRow, kCompanyCol, "Company Name");
    book.SelectBlock(kCompanyRow, kCompanyCol, kCompanyRow, kCompanyCol);
    book.SetSelectionFont({.name = "Arial", .size = 14, .bold = true});
    book.setSheetText(2, kNameCol, "Month and year:");
    const std::pair<int, const char*> columns[] = {{kNameCol, "KPI"}, {kActualCol, "Actual"}, {kTargetCol, "Target"},
                                                   {kCommentCol, "Comments"}, {kRatioCol, "% of target"}};
    for (auto [col, title] : columns)
        heading(book, kFirstKpiRow - 1, col, title);
    const std::tuple<int, const char*, const char*> sections[] = {
        {kSuccessHeaderRow, "Major Successes", "Major Obstacles"},
        {kPlanHeaderRow, "Marketing Plan", "Financial Plan"},
        {kInnovationHeaderRow, "Innovation Plan", "Systems and Processes Plan"}};
    for (auto [row, left, right] : sections) {
        book.setSheetText(row, kNameCol, "KPI:");
        heading(book, row, kLeftTextCol, left);
        heading(book, row, kRightTextCol, right);
    }
    std::string fyMonth = absCell(kSetup, setup::kFyMonthRow, setup::kFyMonthCol);
    std::string fyYear = absCell(kSetup, setup::kFyYearRow, setup::kFyYearCol);
    book.setSheetFormula(kYearNoteFirstRow, kYearNoteCol, "\"Financial year starts in \"&" + fyMonth + "&\" \"&" + fyYear);
    book.setSheetText(kYearNoteLastRow, kYearNoteCol, "Year-to-date figures restart in that month.");
    heading(book, ratingRow(1) - 1, kYtdRatingCol, "Year-to-date rating");
    heading(book, ratingRow(1) - 1, kMonthRatingCol, "Month rating");
    book.setSheetText(kYearTextRow - 1, kSelectedTextCol, "Selected year");
    book.setSheetText(kMonthTextRow - 1, kSelectedTextCol, "Selected month");
    const std::pair<int, double> widths[] = {{kNameCol, 30}, {kActualCol, 13}, {kTargetCol, 13}, {4, 2},
                                             {kLeftTextCol, 45}, {kRightTextCol, 45}, {kRatioCol, 11}};
    for (auto [col, width] : widths)
        book.setColumnWidth(col, width);
}

void buildKpiRows(Book& book)
{
    using namespace month;
    for (int k = 1; k <= kKpiCount; ++k) {
        std::string name = absCell(kSetup, setup::kpiRow(k), setup::kNameCol);
        std::string ratings = std::string(kSheetNames[kRatings - 1]) + "!" + column(history::kpiCol(k)) + "$";
        book.setSheetFormula(kpiRow(k), kNameCol, "IF(" + name + "=\"\",\"\"," + name + ")");
        book.setSheetFormula(kpiRow(k), kRatioCol, ratings + std::to_string(ratings::kRatioRow));
        book.setSheetFormula(ratingRow(k), kMonthRatingCol, ratings + std::to_string(ratings::kRatingRow));
        book.setSheetFormula(ratingRow(k), kYtdRatingCol, ratings + std::to_string(ratings::kYtdRating));
    }
    styleBlock(book, kFirstKpiRow, kActualCol, kLastKpiRow, kTargetCol, "#,##0;(#,##0)");
    styleBlock(book, kFirstKpiRow, kRatioCol, kLastKpiRow, kRatioCol, "0%");
}

void buildSelectedTexts(Book& book)
{
    using namespace month;
    std::string selected = absCell(kHistory, history::kSelectedDateRow, history::kSelectedDateCol);
    book.setSheetFormula(kMonthTextRow, kSelectedTextCol,
                         "INDEX(" + absCell(kLists, 1, lists::kMonthCol) + ":" + cell(12, lists::kMonthCol) + ",MONTH(" +
                             selected + "))");
    book.setSheetFormula(kYearTextRow, kSelectedTextCol, "TEXT(YEAR(" + selected + "),\"0\")");
    std::string start = absCell(kCalc, calc::kStartYear, calc::kCol);
    for (int n = 0; n < 10; ++n)
        book.setSheetFormula(links::kFirstYearItemRow + n, links::kYearItemCol,
                             start + "+MOD(" + std::to_string(n) + "-MOD(" + start + ",10),10)");
    heading(book, links::kFirstYearItemRow - 1, links::kCol, "Choices");
    heading(book, links::kFirstYearItemRow - 1, links::kYearItemCol, "Years");
}

int addList(Book& book, int expectedId, double left, double top, double width, const char* name, int linkRow)
{
    int id = book.AddListObject(left, top, left + width, top + 1, name);
    if (id != expectedId)
        workbook::raise(workbook::kErrBadArgument, "The template needs a fresh book for its drop-downs");
    book.setListLinkedCell(id, linkRow, links::kCol);
    return id;
}

// Created in id order; the placeholder on sheet 5 takes id 3.
void buildObjects(Book& book, int year)
{
    using namespace month;
    int monthList = addList(book, kMonthListId, kActualCol, 2, 1, kMonthListName, links::kMonthRow);
    for (int m = 1; m <= 12; ++m)
        book.AppendListItem(monthList, monthName(m));
    addList(book, kSuccessListId, 3, kSuccessHeaderRow, 2, "successcombo", links::kSuccessRow);
    book.setCurrentSheet(kLists);
    book.AddListObject(3, 1, 4, 2, "spare");
    book.setCurrentSheet(kMonthView);
    int yearList = addList(book, kYearListId, kTargetCol, 2, 1, "yearcombo", links::kYearRow);
    book.setListSource(yearList, cell(links::kFirstYearItemRow, links::kYearItemCol) + ":" +
                                     cell(links::kFirstYearItemRow + 9, links::kYearItemCol));
    addList(book, kPlanListId, 3, kPlanHeaderRow, 2, "plancombo", links::kPlanRow);
    addList(book, kInnovationListId, 3, kInnovationHeaderRow, 2, "innovationcombo", links::kInnovationRow);
    // The history's first month: January of the year.
    book.setListSelection(monthList, 0);
    book.setListSelection(yearList, year % 10);
}
}

void buildMonthView(Book& book, int year)
{
    book.setCurrentSheet(kMonthView);
    buildHeadings(book);
    buildKpiRows(book);
    buildSelectedTexts(book);
    buildObjects(book, year);
}

}
