#pragma once
// The template's own cells, which the program never addresses: the helpers on sheets 3
// to 5 and the drop-downs' linked cells and year items on sheet 1 (a drop-down keeps
// both on its own sheet).
#include "common/layout/scorecard_layout.h"

#include <array>
#include <string>

namespace ks::scorecard::files {

inline constexpr std::array<const char*, 8> kSheetNames = {
    "Scorecard", "Setup", "Calc", "Ratings", "Lists", "Comments", "Plans", "Data"};

// Sheet 1, drop-down support.
namespace links {
inline constexpr int kCol = 25;  // linked cells
inline constexpr int kMonthRow = 2, kYearRow = 3, kSuccessRow = 4, kPlanRow = 5, kInnovationRow = 6;
inline constexpr int kYearItemCol = 26, kFirstYearItemRow = 2;  // ten year items
}

// Sheet 3, column 2: the month arithmetic.
namespace calc {
inline constexpr int kCol = 2;
enum Row : int {
    kStartMonth = 3, kStartYear, kStartDate, kMonthItem, kYearItem, kSelectedYear, kSelectedDate,
    kSelectedIndexRaw, kSelectedIndex, kFyMonth, kYtdEarlier, kToday, kTodayIndex, kLastData,
    kMonthsLate, kMonthsToToday,
};
inline constexpr int kFirstMonthFlagRow = 21;  // per month: its number + 1 when it has actuals
}

// Sheet 4: thresholds in column 2, one column per KPI as on sheet 8.
namespace ratings {
inline constexpr int kThresholdCol = 2;
// Ratio below: 1; below: 2; up to: 3; up to: 4; above: 5.
inline constexpr int kWellBelowRow = 3, kBelowRow = 4, kMetRow = 5, kAboveRow = 6;
inline constexpr int kActualRow = 10, kTargetRow = 11, kHasRow = 12, kRatioRow = 13, kRatingRow = 14;
inline constexpr int kYtdActualRow = 16, kYtdTargetRow = 28, kYtdHasRow = 40;  // 12 slots each
inline constexpr int kYtdActualSum = 53, kYtdTargetSum = 54, kYtdHasSum = 55, kYtdRatio = 56, kYtdRating = 57;
}

// Sheet 5: month names, full (rows 1-12) and short (rows 13-24).
namespace lists {
inline constexpr int kMonthCol = 1;
}

// A1 names: "B4", and "Sheet!$B$4" absolute on a numbered sheet.
std::string cell(int row, int col);
std::string absCell(int sheet, int row, int col);
std::string column(int col);
const char* monthName(int month);  // 1..12

}
