#include "reports/report_periods.h"

#include "common/layout/scorecard_layout.h"
#include "platform/workbook/engine/number_format.h"

#include <charconv>
#include <cmath>

namespace ks::reports {

namespace history = scorecard::layout::history;

int periodRow(int period) { return history::actualRow(period); }

std::string periodLabel(const std::string& dateText)
{
    if (dateText.empty())
        return {};
    // The cell's text is written with a point in every locale; from_chars reads it so.
    double serial = 0;
    const char* last = dateText.data() + dateText.size();
    auto [end, ec] = std::from_chars(dateText.data(), last, serial);
    if (ec != std::errc() || end != last || !std::isfinite(serial))
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
