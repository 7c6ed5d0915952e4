// Filled histories: every KPI named, actuals and targets for the first months.
#include "tools/scorecard_files/scorecard_files.h"

#include "common/layout/scorecard_layout.h"

#include <algorithm>
#include <cmath>

namespace ks::scorecard::files {

using namespace layout;

void fillHistory(workbook::Book& book, int months)
{
    months = std::clamp(months, 0, kHistoryMonths);
    for (int k = 1; k <= kKpiCount; ++k) {
        book.setBookText(kSetup, setup::kpiRow(k), setup::kNameCol, "KPI " + std::to_string(k));
        for (int j = 0; j < months; ++j) {
            double target = 1000.0 * k + 10.0 * j;
            double actual = target * (0.85 + 0.3 * std::fmod(0.618 * (j * kKpiCount + k), 1.0));
            book.setBookNumber(kHistory, history::actualRow(j), history::kpiCol(k), std::round(actual));
            book.setBookNumber(kHistory, history::targetRow(j), history::kpiCol(k), target);
        }
    }
}

}
