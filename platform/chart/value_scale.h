#pragma once
// The value axis' range and tick step: round numbers (1, 2 or 5 times a power of ten)
// that hold every value, with about five steps.
#include <vector>

namespace ks::chart {

struct ValueScale {
    double low = 0, high = 1, step = 0.2;
    std::vector<double> ticks() const;
    // Where v sits between low (0) and high (1).
    double fraction(double v) const { return (v - low) / (high - low); }
};

// fromZero: the scale reaches 0 (bars and areas stand on it); otherwise it does only
// when the values lie close enough to 0 for the gap not to flatten them.
ValueScale valueScaleFor(double minimum, double maximum, bool fromZero, int steps = 5);

}
