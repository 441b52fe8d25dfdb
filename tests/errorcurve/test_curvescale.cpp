// Ranges and ticks of the error axis and the logarithmic current axis.
#include "errorcurve/curvescale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{

QStringList Labels(const QList<AxisTick>& ticks)
{
    QStringList out;
    for (const AxisTick& t : ticks)
        out << t.label;
    return out;
}

TEST(CurveScale, ErrorAxisHasZeroInViewRoundEndsAndAMargin)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double lo, hi;
        double min, max, step;
    };
    const Case cases[] = {
        {-1, 1, -1.5, 1.5, 0.5}, // a class-1 band alone: its edges are not the frame
        {0, 0, -1.5, 1.5, 0.5},  // nothing but zero: a unit range around it
        {0.1, 0.5, 0, 0.6, 0.1}, // all positive: zero stays at the bottom
        {-0.3, -0.2, -0.4, 0, 0.1},      {-2, 40, -10, 50, 10}, {-2.5, 2.5, -3, 3, 1},
        {-1000, 1000, -1500, 1500, 500}, // exactly 1000 % is still drawn where it is
        {nan, 3, -1.5, 1.5, 0.5},        // nothing usable: as for zero
        {5, 1, -1.5, 1.5, 0.5},
    };
    for (const Case& c : cases) {
        const ValueScale s = CurveScale::ErrorAxis(c.lo, c.hi);
        EXPECT_DOUBLE_EQ(s.min, c.min) << c.lo << ".." << c.hi;
        EXPECT_DOUBLE_EQ(s.max, c.max) << c.lo << ".." << c.hi;
        EXPECT_DOUBLE_EQ(s.step, c.step) << c.lo << ".." << c.hi;
        ASSERT_FALSE(s.ticks.isEmpty());
        EXPECT_DOUBLE_EQ(s.ticks.front().value, s.min);
        EXPECT_DOUBLE_EQ(s.ticks.back().value, s.max);
        EXPECT_EQ(s.ticks.size(), std::lround((s.max - s.min) / s.step) + 1);
    }
    EXPECT_EQ(Labels(CurveScale::ErrorAxis(-1, 1).ticks),
              QStringList({"-1.5", "-1", "-0.5", "0", "0.5", "1", "1.5"}));
    EXPECT_EQ(Labels(CurveScale::ErrorAxis(-0.3, -0.2).ticks),
              QStringList({"-0.4", "-0.3", "-0.2", "-0.1", "0"}));
}

TEST(CurveScale, CurrentAxisTicksStayReadable)
{
    struct Case {
        double lo, hi;
        QStringList labels;
    };
    const Case cases[] = {
        // The usual test points, 5 % to 200 % of 5 A: 1-2-5 ticks.
        {0.25, 10, {"0.2", "0.5", "1", "2", "5", "10"}},
        // All points at one current: every integer mantissa around it.
        {5, 5, {"4", "5", "6"}},
        {0.8, 1.6, {"0.7", "0.8", "0.9", "1", "2"}},
        // Five decades: whole decades only.
        {0.01, 1000, {"0.01", "0.1", "1", "10", "100", "1000"}},
    };
    for (const Case& c : cases) {
        const LogScale s = CurveScale::CurrentAxis(c.lo, c.hi);
        EXPECT_LT(s.min, c.lo);
        EXPECT_GT(s.max, c.hi);
        EXPECT_EQ(Labels(s.ticks), c.labels) << c.lo << ".." << c.hi;
        for (const AxisTick& t : s.ticks) {
            EXPECT_GE(t.value, s.min);
            EXPECT_LE(t.value, s.max);
        }
    }
    // Very many decades: thinned to at most ten ticks, still increasing.
    const LogScale wide = CurveScale::CurrentAxis(1e-6, 1e9);
    EXPECT_LE(wide.ticks.size(), 10);
    EXPECT_GE(wide.ticks.size(), 5);
    for (int i = 1; i < wide.ticks.size(); ++i)
        EXPECT_GT(wide.ticks[i].value, wide.ticks[i - 1].value);
    // A current of zero or below cannot be on the axis; the scale still comes out positive.
    const LogScale bad = CurveScale::CurrentAxis(0, -1);
    EXPECT_GT(bad.min, 0);
    EXPECT_GT(bad.max, bad.min);
}

} // namespace
