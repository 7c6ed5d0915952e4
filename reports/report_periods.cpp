#include "reports/report_periods.h"

#include "common/layout/scorecard_layout.h"
#include "platform/workbook/engine/number_format.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace ks::reports {

namespace history = scorecard::layout::history;

int periodRow(int period) { return history::actualRow(period); }

std::string periodLabel(const std::string& dateText)
{
    if (dateText.empty())
        return {};
    char* end = nullptr;
    errno = 0;
    const double serial = std::strtod(dateText.c_str(), &end);
    if (errno != 0 || end != dateText.c_str() + dateText.size() || !std::isfinite(serial))
        return dateText;
    return workbook::formatNumber(serial, kPeriodDateFormat);
}

int finishPeriodIndex(double selectedLine, int entryCount)
{
    // Both roundings go to the nearest whole number, halves to even.
    const double line = std::nearbyint(selectedLine);
    const double n = std::nearbyint((line - history::kFirstRow) / 4.0);
    if (n >= 1 && n < entryCount)
        return static_cast<int>(n);
    return entryCount - 1;
}

}
