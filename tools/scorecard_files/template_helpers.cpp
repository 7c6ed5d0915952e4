// Sheets 3 to 5: the month arithmetic, the ratings and the month names. The program never
// reads these; the contract cells on the other sheets refer to them.
#include "tools/scorecard_files/template_build.h"
#include "tools/scorecard_files/template_cells.h"

namespace ks::scorecard::files {

using namespace layout;
using workbook::Book;

namespace {
std::string calcCell(int row)
{
    return absCell(kCalc, row, calc::kCol);
}

void buildLists(Book& book)
{
    static constexpr std::array<const char*, 12> shortNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    book.setCurrentSheet(kLists);
    for (int m = 1; m <= 12; ++m) {
        book.setSheetText(m, lists::kMonthCol, monthName(m));
        book.setSheetText(m + 12, lists::kMonthCol, shortNames[static_cast<std::size_t>(m) - 1]);
    }
}

// A month text ("March" or "Mar", any case) as its number 1 to 12.
std::string monthNumberOf(const std::string& textCell)
{
    return "MOD(MATCH(" + textCell + "," + absCell(kLists, 1, lists::kMonthCol) + ":" + cell(24, lists::kMonthCol) +
           ",0)-1,12)+1";
}

void buildCalc(Book& book)
{
    using namespace calc;
    book.setCurrentSheet(kCalc);
    heading(book, 1, 1, "Month arithmetic");
    auto put = [&](int row, const std::string& label, const std::string& formula) {
        book.setSheetText(row, 1, label);
        book.setSheetFormula(row, kCol, formula);
    };
    auto b = [](int row) { return cell(row, kCol); };
    std::string monthLink = absCell(kMonthView, links::kMonthRow, links::kCol);
    std::string yearLink = absCell(kMonthView, links::kYearRow, links::kCol);
    put(kStartMonth, "History start month",
        monthNumberOf(absCell(kSetup, setup::kHistoryMonthRow, setup::kHistoryCol)));
    put(kStartYear, "History start year", "VALUE(" + absCell(kSetup, setup::kHistoryYearRow, setup::kHistoryCol) + ")");
    put(kStartDate, "History start", "DATE(" + b(kStartYear) + "," + b(kStartMonth) + ",1)");
    put(kMonthItem, "Month list item", "MAX(0," + monthLink + ")");
    put(kYearItem, "Year list item", "MAX(0," + yearLink + ")");
    // Item n of the year list is the year ending in n within the history's ten years.
    put(kSelectedYear, "Selected year",
        b(kStartYear) + "+MOD(" + b(kYearItem) + "-MOD(" + b(kStartYear) + ",10),10)");
    put(kSelectedDate, "Selected month", "DATE(" + b(kSelectedYear) + "," + b(kMonthItem) + "+1,1)");
    put(kSelectedIndexRaw, "Months from the history start",
        "(" + b(kSelectedYear) + "-" + b(kStartYear) + ")*12+" + b(kMonthItem) + "+1-" + b(kStartMonth));
    // Kept inside the history so that no write can land outside its lines.
    put(kSelectedIndex, "History month", "MAX(0,MIN(" + std::to_string(layout::kHistoryMonths - 1) + "," + b(kSelectedIndexRaw) + "))");
    put(kFyMonth, "Financial year start month", monthNumberOf(absCell(kSetup, setup::kFyMonthRow, setup::kFyMonthCol)));
    put(kYtdEarlier, "Earlier months of the year to date",
        "MIN(" + b(kSelectedIndex) + ",MOD(" + b(kMonthItem) + "+1-" + b(kFyMonth) + ",12))");
    put(kToday, "Today", "TODAY()");
    put(kTodayIndex, "Months from the history start to today",
        "(YEAR(" + b(kToday) + ")-" + b(kStartYear) + ")*12+MONTH(" + b(kToday) + ")-" + b(kStartMonth));
    int lastFlag = kFirstMonthFlagRow + layout::kHistoryMonths - 1;
    put(kLastData, "Last month with actuals (number + 1)", "MAX(" + b(kFirstMonthFlagRow) + ":" + b(lastFlag) + ")");
    // Data is due for every month before today's.
    put(kMonthsLate, "Months late", "IF(" + b(kLastData) + "=0,0,MAX(0," + b(kTodayIndex) + "-" + b(kLastData) + "))");
    put(kMonthsToToday, "History months to today",
        "MAX(0,MIN(" + std::to_string(layout::kHistoryMonths) + "," + b(kTodayIndex) + "+1))");
    styleBlock(book, kStartDate, kCol, kStartDate, kCol, "mmm-yy");
    styleBlock(book, kSelectedDate, kCol, kSelectedDate, kCol, "mmm-yy");
    styleBlock(book, kToday, kCol, kToday, kCol, "mmm-yy");

    for (int j = 0; j < layout::kHistoryMonths; ++j) {
        int row = kFirstMonthFlagRow + j, line = history::actualRow(j);
        book.setSheetNumber(row, 1, j);
        book.setSheetFormula(row, kCol, "IF(COUNT(" + absCell(kHistory, line, history::kpiCol(1)) + ":" +
                                            cell(line, history::kpiCol(kKpiCount)) + ")>0," +
                                            std::to_string(j + 1) + ",0)");
    }
}

// The ratio of an actual to its target: 0 no data, 1 met, above 1 above, below 1 below.
// A negative target is met from above; a zero target is met by zero only.
std::string ratioFormula(const std::string& a, const std::string& t, const std::string& has)
{
    return "IF(" + has + "=0,0,IF(" + t + "=0,IF(" + a + "=0,1,IF(" + a + ">0,2,-1)),IF(" + t + "<0,2-" + a +
           "/" + t + "," + a + "/" + t + ")))";
}

std::string ratingFormula(const std::string& ratio, const std::string& has)
{
    using namespace ratings;
    auto th = [](int row) { return workbook::cellName(row, kThresholdCol, true, true); };
    return "IF(" + has + "=0,0,IF(" + ratio + "<" + th(kWellBelowRow) + ",1,IF(" + ratio + "<" + th(kBelowRow) +
           ",2,IF(" + ratio + "<=" + th(kMetRow) + ",3,IF(" + ratio + "<=" + th(kAboveRow) + ",4,5)))))";
}

void buildRatings(Book& book)
{
    using namespace ratings;
    book.setCurrentSheet(kRatings);
    heading(book, 1, 1, "Ratings 1 to 5 from the ratio of actual to target");
    const std::pair<int, const char*> thresholds[] = {
        {kWellBelowRow, "Rating 1 below this ratio"}, {kBelowRow, "Rating 2 below this ratio"},
        {kMetRow, "Rating 3 up to this ratio"}, {kAboveRow, "Rating 4 up to this ratio, 5 above"}};
    const double values[] = {0.9, 1, 1, 1.1};
    for (int i = 0; i < 4; ++i) {
        book.setSheetText(thresholds[i].first, 1, thresholds[i].second);
        book.setSheetNumber(thresholds[i].first, kThresholdCol, values[i]);
    }
    book.setSheetText(kActualRow, 1, "Month actual");
    book.setSheetText(kRatingRow, 1, "Month rating");
    book.setSheetText(kYtdRating, 1, "Year-to-date rating");

    std::string index = calcCell(calc::kSelectedIndex), earlier = calcCell(calc::kYtdEarlier);
    for (int k = 1; k <= kKpiCount; ++k) {
        int col = history::kpiCol(k);
        std::string c = column(col);
        std::string line = "Data!" + c + "$" + std::to_string(history::kFirstRow) + ":" + c + "$" +
                           std::to_string(history::kLastRow);
        auto at = [&](const std::string& month, int offset) {
            return "INDEX(" + line + ",(" + month + ")*4+" + std::to_string(offset) + ")";
        };
        auto here = [&](int row) { return cell(row, col); };
        book.setSheetFormula(kActualRow, col, absCell(kHistory, history::kSelectedActualRow, col));
        book.setSheetFormula(kTargetRow, col, absCell(kHistory, history::kSelectedTargetRow, col));
        book.setSheetFormula(kHasRow, col, "IF(" + at(index, 1) + "=\"\",0,1)");
        book.setSheetFormula(kRatioRow, col, ratioFormula(here(kActualRow), here(kTargetRow), here(kHasRow)));
        book.setSheetFormula(kRatingRow, col, ratingFormula(here(kRatioRow), here(kHasRow)));
        // Year to date: the selected month and up to eleven before it, back to the financial-year start.
        for (int t = 0; t < 12; ++t) {
            std::string month = index + "-" + std::to_string(t), inYtd = std::to_string(t) + "<=" + earlier;
            book.setSheetFormula(kYtdHasRow + t, col, "IF(" + inYtd + ",IF(" + at(month, 1) + "=\"\",0,1),0)");
            book.setSheetFormula(kYtdActualRow + t, col, "IF(" + inYtd + "," + at(month, 1) + ",0)");
            // Targets only of months with actuals, so the comparison is like for like.
            book.setSheetFormula(kYtdTargetRow + t, col, "IF(" + here(kYtdHasRow + t) + "=1," + at(month, 2) + ",0)");
        }
        auto sum = [&](int first) { return "SUM(" + here(first) + ":" + here(first + 11) + ")"; };
        book.setSheetFormula(kYtdActualSum, col, sum(kYtdActualRow));
        book.setSheetFormula(kYtdTargetSum, col, sum(kYtdTargetRow));
        book.setSheetFormula(kYtdHasSum, col, sum(kYtdHasRow));
        book.setSheetFormula(kYtdRatio, col, ratioFormula(here(kYtdActualSum), here(kYtdTargetSum), here(kYtdHasSum)));
        book.setSheetFormula(kYtdRating, col, ratingFormula(here(kYtdRatio), here(kYtdHasSum)));
    }
}

}

void buildHelperSheets(Book& book)
{
    buildLists(book);
    buildCalc(book);
    buildRatings(book);
}

}
