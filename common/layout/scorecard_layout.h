#pragma once
// Where everything lives in a scorecard workbook (the template "newxx2.tem" and every
// file made from it). Rows and columns count from 1; KPIs k from 1 to kKpiCount.
// History months j count from 0 at the history start.
#include <string>

namespace ks::scorecard::layout {

inline constexpr int kKpiCount = 20;
// Six years: the range the bulk view shows (rows 12..299) and the import copies (rows 12..300).
inline constexpr int kHistoryMonths = 72;

enum Sheet : int {
    kMonthView = 1, kSetup = 2, kCalc = 3, kRatings = 4, kLists = 5,  // 3 to 5: the template's own helpers
    kKpiComments = 6, kSectionTexts = 7, kHistory = 8,
};

// Sheet 1: the month view.
namespace month {
inline constexpr int kCompanyRow = 1, kCompanyCol = 1;
inline constexpr int kYearTextRow = 3, kMonthTextRow = 6, kSelectedTextCol = 24;
inline constexpr int kFirstKpiRow = 4, kLastKpiRow = 23;
inline constexpr int kNameCol = 1, kActualCol = 2, kTargetCol = 3, kCommentCol = 5, kRatioCol = 7;
inline constexpr int kSectionNameCol = 2;  // KPI name chosen for the section below
inline constexpr int kSuccessHeaderRow = 24, kPlanHeaderRow = 29, kInnovationHeaderRow = 38;
inline constexpr int kLeftTextCol = 5, kRightTextCol = 6;
inline constexpr int kSuccessFirstRow = 25, kSuccessLastRow = 26;      // successes | obstacles
inline constexpr int kPlanFirstRow = 30, kPlanLastRow = 36;            // marketing | financial
inline constexpr int kInnovationFirstRow = 39, kInnovationLastRow = 45; // innovation | systems
inline constexpr int kYearNoteFirstRow = 46, kYearNoteLastRow = 47, kYearNoteCol = 1;
inline constexpr int kMonthRatingCol = 22, kYtdRatingCol = 19;
inline constexpr int kPrintLastRow = 68, kPrintLastCol = 6;

constexpr int kpiRow(int k) { return k + 3; }
constexpr int ratingRow(int k) { return kpiRow(k) + 45; }

// Embedded drop-downs by object id.
inline constexpr int kMonthListId = 1, kSuccessListId = 2, kYearListId = 4, kPlanListId = 5,
                     kInnovationListId = 6;
inline constexpr const char* kMonthListName = "monthcombo";
}

// Sheet 2: KPI set-up and options.
namespace setup {
constexpr int kpiRow(int k) { return k + 2; }
inline constexpr int kFirstKpiRow = 3, kLastKpiRow = 22, kFirstCol = 2, kLastCol = 8;
inline constexpr int kNameCol = 2, kFormatSampleCol = 4, kFormatTypeCol = 6, kDecimalsCol = 7;
inline constexpr int kFirstYearRow = 4, kHistoryYearRow = 6, kHistoryMonthRow = 8, kHistoryCol = 24;
inline constexpr int kGraphTypeRow = 4, kGraphTypeCol = 36;
// Welcome-video inputs: late flag, date of the last month with actuals, months late,
// and the guard (0: no actuals at all).
inline constexpr int kLateRow = 18, kLastDataRow = 19, kMonthsLateRow = 20, kGuardRow = 21, kWelcomeCol = 29;
inline constexpr int kHistoryMonthsRow = 23, kHistoryMonthsCol = 22;
inline constexpr int kFyMonthRow = 39, kFyMonthCol = 8, kFyYearRow = 42, kFyYearCol = 7;
inline constexpr int kVarianceRow = 47, kVarianceCol = 8;
inline constexpr int kKindCol = 22;
constexpr int kindRow(int k) { return k + 53; }
inline constexpr int kExpenseKind = 2;
}

// Sheets 6 and 7: one text line per month.
namespace texts {
inline constexpr int kMonthNumberRow = 6, kMonthNumberCol = 2;
inline constexpr int kSelectedRow = 9;
constexpr int lineRow(int j) { return j + 15; }
constexpr int commentCol(int k) { return k + 6; }  // sheet 6
// Sheet 7 columns of the section lines, in sheet-1 order.
inline constexpr int kSuccessCol = 7, kObstacleCol = 9, kMarketingCol = 11, kFinancialCol = 18,
                     kInnovationCol = 25, kSystemsCol = 32, kLastSectionCol = 38;
// The sheet-7 column of a sheet-1 section line, 0 for a cell that is none.
constexpr int sectionColumn(int row, int col)
{
    if (col != month::kLeftTextCol && col != month::kRightTextCol)
        return 0;
    bool left = col == month::kLeftTextCol;
    if (row >= month::kSuccessFirstRow && row <= month::kSuccessLastRow)
        return left ? row - 18 : row - 16;
    if (row >= month::kPlanFirstRow && row <= month::kPlanLastRow)
        return left ? row - 19 : row - 12;
    if (row >= month::kInnovationFirstRow && row <= month::kInnovationLastRow)
        return left ? row - 14 : row - 7;
    return 0;
}
}

// Sheet 8: the data history, four rows per month from row 12.
namespace history {
inline constexpr int kSelectedDateRow = 3, kSelectedDateCol = 4;
inline constexpr int kMonthLineRow = 4, kMonthLineCol = 5;
inline constexpr int kSelectedActualRow = 6, kSelectedTargetRow = 7;
inline constexpr int kFirstRow = 12, kDateCol = 4, kFirstPercentCol = 5, kLastCol = 25;
inline constexpr int kBulkLastRow = 299;
constexpr int kpiCol(int k) { return k + 5; }
constexpr int actualRow(int j) { return kFirstRow + 4 * j; }
constexpr int targetRow(int j) { return actualRow(j) + 1; }
constexpr int percentRow(int j) { return actualRow(j) + 2; }  // % of target
constexpr int varianceRow(int j) { return actualRow(j) + 3; }
inline constexpr int kLastRow = varianceRow(kHistoryMonths - 1);
}

// Defined names: "KPI_<n>" the month-view cells of KPI n, "KPI_<n>_bulk" its history column.
std::string kpiName(int n);
std::string kpiBulkName(int n);

}
