#include "platform/chart/value_scale.h"

#include <algorithm>
#include <cmath>

namespace ks::chart {

namespace {

double niceStep(double span, int steps)
{
    const double raw = span / steps;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 2.5, 5.0})
        if (raw <= m * power * (1 + 1e-9))
            return m * power;
    return 10 * power;
}

}

std::vector<double> ValueScale::ticks() const
{
    std::vector<double> out;
    const int count = static_cast<int>(std::lround((high - low) / step));
    for (int i = 0; i <= count; ++i) {
        double t = low + i * step;
        out.push_back(std::abs(t) < step * 1e-9 ? 0.0 : t);  // no "-0" labels
    }
    return out;
}

ValueScale valueScaleFor(double minimum, double maximum, bool fromZero, int steps)
{
    if (!(std::isfinite(minimum) && std::isfinite(maximum)) || minimum > maximum)
        return {};
    const bool nearZero = minimum > 0 ? minimum < maximum / 2 : maximum < 0 ? maximum > minimum / 2 : true;
    if (fromZero || nearZero) {
        minimum = std::min(minimum, 0.0);
        maximum = std::max(maximum, 0.0);
    }
    if (maximum == minimum) {
        const double pad = minimum == 0 ? 0.5 : std::abs(minimum) / 10;
        minimum = minimum == 0 ? 0 : minimum - pad;
        maximum += pad;
    }
    ValueScale s;
    s.step = niceStep(maximum - minimum, steps);
    s.low = std::floor(minimum / s.step + 1e-9) * s.step;
    s.high = std::ceil(maximum / s.step - 1e-9) * s.step;
    if (s.high <= s.low)
        s.high = s.low + s.step;
    return s;
}

}
