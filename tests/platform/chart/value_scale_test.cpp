#include "platform/chart/value_scale.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace ks::chart;

TEST(ValueScale, RoundStepsHoldEveryValue)
{
    struct Case {
        double lo, hi;
        bool fromZero;
    };
    for (Case c : {Case{0, 1000, true}, Case{120, 980, true}, Case{-250, 730, true}, Case{-0.07, 0.19, true},
                   Case{950, 1010, false}, Case{-5, -3, false}, Case{0.0001, 0.0009, true}, Case{3e9, 7e9, true}}) {
        ValueScale s = valueScaleFor(c.lo, c.hi, c.fromZero);
        EXPECT_LE(s.low, c.lo) << c.lo << ".." << c.hi;
        EXPECT_GE(s.high, c.hi) << c.lo << ".." << c.hi;
        const std::vector<double> ticks = s.ticks();
        EXPECT_GE(ticks.size(), 3u) << c.lo << ".." << c.hi;
        EXPECT_LE(ticks.size(), 12u) << c.lo << ".." << c.hi;
        if (c.fromZero) {
            EXPECT_LE(s.low, 0);
        }
    }
    EXPECT_EQ(valueScaleFor(950, 1010, false).low, 940) << "a line far from zero is not flattened";
    EXPECT_EQ(valueScaleFor(-0.05, 0.2, true).ticks().front(), -0.05);
}

TEST(ValueScale, EqualAndMissingValuesStillGiveARange)
{
    ValueScale zero = valueScaleFor(0, 0, true);
    EXPECT_LT(zero.low, zero.high);
    ValueScale same = valueScaleFor(500, 500, false);
    EXPECT_LT(same.low, 500);
    EXPECT_GT(same.high, 500);
    for (double t : valueScaleFor(-1, 1, true).ticks())
        EXPECT_FALSE(std::signbit(t) && t == 0) << "no minus zero on the axis";
}
