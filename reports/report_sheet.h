#pragma once
// The report sheet: one block of five rows per reported KPI below a two-line head,
// one column per month from column 3, then a total (or average) column.
#include <string>

namespace ks::reports {

inline constexpr int kTitleRow = 1, kTotalColumnRow = 2, kLabelCol = 1;
inline constexpr int kFirstBlockRow = 4, kBlockRows = 5, kFirstMonthCol = 3;
// The first block's variance cell holds the formula every variance cell is copied from.
inline constexpr int kVarianceSourceRow = 7, kVarianceSourceCol = 3;
// The last month column the total's formula can name (column letters "A" to "AZ").
inline constexpr int kMaxLastMonthCol = 52;

inline constexpr const char* kReportTitle = "Report";
inline constexpr const char* kActualLabel = "  Actual";
inline constexpr const char* kBudgetLabel = "  Budget";
inline constexpr const char* kVarianceLabel = "  Variance";

enum ReportKind : int { kActualAndBudget = 0, kActualsOnly = 1, kBudgetOnly = 2 };

// The header row of the k-th reported KPI (k from 1).
constexpr int blockHeaderRow(int k) { return kFirstBlockRow + kBlockRows * (k - 1); }
// The last month column of a report from period `first` to period `last`.
constexpr int lastMonthColumn(int first, int last) { return kFirstMonthCol + (last - first); }

// The letters of a column from 1 to 52 ("A" .. "Z", "AA" .. "AZ").
std::string columnLetters(int col);

// Percent formats (they end with "%)") are averaged over the months; the others totalled.
bool isAveragedFormat(const std::string& kpiFormat);
std::string totalCaption(const std::string& kpiFormat);   // "Average" or "Total"
// The total of row `row` over the month columns up to lastMonthCol, e.g. "sum(c5:N5)".
std::string totalFormula(int row, int lastMonthCol, const std::string& kpiFormat);

// The variance formula of the first block by the scorecard's variance choice:
// 0 the percentage of target, any other value the variance from target.
std::string varianceFormula(int varianceChoice);

struct PrintArea {
    int lastRow, lastCol, pagesTall, pagesWide;  // 0 pages: as many as needed
};
// What the finished report prints: the blocks and two rows more, one column past the total.
PrintArea reportPrintArea(int endRow, int totalCol);
// What a report with its charts below prints.
PrintArea chartedPrintArea(int endRow, int lastMonthCol);

// The page footer: centred, small, with the time it was printed and the page number.
std::string reportFooter(const std::string& printedAt);

}
