#pragma once
// The report periods: entry i of both period lists stands for history month i of the
// scorecard, labelled with its date as "mmm-yy".
#include <string>

namespace ks::reports {

inline constexpr int kPeriodCount = 36;
inline constexpr const char* kPeriodDateFormat = "mmm-yy";

// The history row of period i's date and actual line; its target line is the row below.
int periodRow(int period);

// The label of a period from its date cell read as text: a day number shown as
// "mmm-yy"; any other text as it stands, and an empty cell as an empty label.
std::string periodLabel(const std::string& dateText);

// The finish period offered for the month selected on the scorecard, given as the row of
// its actual line: that month when it is a later one of the list, else the last entry.
int finishPeriodIndex(double selectedLine, int entryCount);

}
