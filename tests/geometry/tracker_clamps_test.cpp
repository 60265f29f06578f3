#include "tracker_clamps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kEmpty = 1.7976931348623157e308;
constexpr double kPi = 3.141592653589793;

TEST(TrackerClamps, EmptyRangesAreLeftAlone)
{
    double lower = 5.0, upper = 5.0;
    EXPECT_FALSE(UpdateLin1ClampRadial(&lower, &upper, 2.0, 0.0));
    EXPECT_FALSE(UpdateCir1ClampRadial(&lower, &upper, 5.0, 3.0, 0.0));
    EXPECT_EQ(lower, 5.0);
    EXPECT_EQ(upper, 5.0);
}

struct Lin1Case {
    double lower, upper, d, theta;
    double wantLower, wantUpper;
    bool result;
};

TEST(TrackerClamps, LineTrackerPerSector)
{
    const Lin1Case cases[] = {
        // Looking straight away from the line (3 pi / 2, within the 0.01 literal).
        {0.0, 10.0, 2.0, 1.5 * kPi, kEmpty, 10.0, false},
        {0.0, 10.0, 2.0, 1.5 * kPi + 0.009, kEmpty, 10.0, false},
        // Just beyond the 0.01 literal the range is narrowed, not emptied:
        // t = 2 / (1 + sin(3 pi / 2 + 0.011)) = 2 / (1 - cos 0.011).
        {0.0, 1e6, 2.0, 1.5 * kPi + 0.011, 2.0 / (1.0 - std::cos(0.011)), 1e6, true},
        // t = d / (1 + sin 0) = 2 raises the lower bound.
        {0.0, 10.0, 2.0, 0.0, 2.0, 10.0, true},
        // ... leaves a higher one.
        {3.0, 10.0, 2.0, 0.0, 3.0, 10.0, true},
        // ... and empties a range that ends at or below it.
        {0.0, 2.0, 2.0, 0.0, kEmpty, 2.0, false},
        {0.0, 1.5, 2.0, 0.0, kEmpty, 1.5, false},
        // t = 4 / (1 + 1) at pi / 2.
        {0.0, 10.0, 4.0, kPi / 2, 2.0, 10.0, true},
    };
    for (const Lin1Case& c : cases) {
        double lower = c.lower, upper = c.upper;
        EXPECT_EQ(UpdateLin1ClampRadial(&lower, &upper, c.d, c.theta), c.result) << c.theta;
        EXPECT_NEAR(lower, c.wantLower, 1e-9 * c.wantLower) << c.theta;
        EXPECT_DOUBLE_EQ(upper, c.wantUpper) << c.theta;
    }
}

TEST(TrackerClamps, CircleTrackerNarrowsBothEnds)
{
    // a = 5, b = 3, theta = 0: t1 = 16 / 16 = 1, t2 = 16 / 4 = 4.
    double lower = 0.0, upper = 10.0;
    EXPECT_TRUE(UpdateCir1ClampRadial(&lower, &upper, 5.0, 3.0, 0.0));
    EXPECT_DOUBLE_EQ(lower, 1.0);
    EXPECT_DOUBLE_EQ(upper, 4.0);

    // An upper bound below t1 empties the range, and t2 is then not applied.
    lower = 0.0;
    upper = 0.5;
    EXPECT_FALSE(UpdateCir1ClampRadial(&lower, &upper, 5.0, 3.0, 0.0));
    EXPECT_EQ(lower, kEmpty);
    EXPECT_DOUBLE_EQ(upper, 0.5);

    // t1 not positive (a < b): emptied.
    lower = 0.0;
    upper = 10.0;
    EXPECT_FALSE(UpdateCir1ClampRadial(&lower, &upper, 3.0, 5.0, 0.0));
    EXPECT_EQ(lower, kEmpty);
}

TEST(TrackerClamps, EmptiedRangeStaysEmpty)
{
    double lower = 0.0, upper = 10.0;
    UpdateLin1ClampRadial(&lower, &upper, 2.0, 1.5 * kPi);
    ASSERT_EQ(lower, kEmpty);
    EXPECT_FALSE(UpdateLin1ClampRadial(&lower, &upper, 0.5, 0.0));
    EXPECT_FALSE(UpdateCir1ClampRadial(&lower, &upper, 5.0, 3.0, 0.0));
    EXPECT_EQ(lower, kEmpty);
    EXPECT_EQ(upper, 10.0);
}

TEST(TrackerClamps, LineTrackerOverAChord)
{
    // (0.25 + 0) 4 x^2 + 0 x + (1 - 4) = 0: roots +-sqrt(3), both distances sqrt(3 - 0.25).
    const double v = std::sqrt(2.75);
    double lower[2] = {0.0, 0.0};
    double upper[2] = {1.0, 10.0};
    EXPECT_TRUE(UpdateLin2ClampRadial(lower, upper, 0.5, 0.0, 2.0));
    EXPECT_DOUBLE_EQ(lower[0], v);
    EXPECT_DOUBLE_EQ(lower[1], v);
    EXPECT_EQ(upper[0], 1.0);  // upper bounds never change
    EXPECT_EQ(upper[1], 10.0);

    // Both sides emptied: false.
    double lower2[2] = {0.0, 0.0};
    double upper2[2] = {1.0, 1.0};
    EXPECT_FALSE(UpdateLin2ClampRadial(lower2, upper2, 0.5, 0.0, 2.0));

    // A higher lower bound stays.
    double lower3[2] = {5.0, 0.0};
    double upper3[2] = {10.0, 10.0};
    EXPECT_TRUE(UpdateLin2ClampRadial(lower3, upper3, 0.5, 0.0, 2.0));
    EXPECT_EQ(lower3[0], 5.0);
}

TEST(TrackerClamps, ChordFormsNeedTwoRoots)
{
    // x^2 + 0.75 = 0 has no root; nothing changes.
    double lower[2] = {0.0, 0.0};
    double upper[2] = {1.0, 1.0};
    EXPECT_FALSE(UpdateLin2ClampRadial(lower, upper, 2.0, 0.0, 0.5));
    EXPECT_EQ(lower[0], 0.0);
    EXPECT_EQ(lower[1], 0.0);
    // Roots 0 and -0.8, both smaller than A = 1: no distance, bounds kept.
    EXPECT_TRUE(UpdateLin2ClampRadial(lower, upper, 1.0, 0.5, 1.0));
    EXPECT_EQ(lower[0], 0.0);
    EXPECT_EQ(lower[1], 0.0);
}

TEST(TrackerClamps, CircleTrackerOverAChord)
{
    // Ascending 4 (0 + 1), 0, (1 + 1) - 4 (1 + 0): -2 x^2 + 4 = 0, roots +-sqrt(2).
    double lower[2] = {0.0, 0.0};
    double upper[2] = {5.0, 0.5};
    EXPECT_TRUE(UpdateCir2ClampRadial(lower, upper, 1.0, 0.0, 1.0));
    EXPECT_NEAR(lower[0], 1.0, 1e-12);
    EXPECT_NEAR(lower[1], 1.0, 1e-12);
    // Both sides shut: false.
    double lower2[2] = {0.0, 0.0};
    double upper2[2] = {0.5, 0.5};
    EXPECT_FALSE(UpdateCir2ClampRadial(lower2, upper2, 1.0, 0.0, 1.0));
}

TEST(TrackerClamps, SmallerRootServesTheFirstSide)
{
    // A = 0, B = 1, C = 1: x^2 + 2 x = 0, roots 0 and -2. The smaller root
    // (-2, distance 2) narrows side 0, the larger (0, distance 0) side 1.
    double lower[2] = {0.0, 0.0};
    double upper[2] = {1.0, 10.0};
    EXPECT_TRUE(UpdateLin2ClampRadial(lower, upper, 0.0, 1.0, 1.0));
    EXPECT_DOUBLE_EQ(lower[0], 2.0);
    EXPECT_EQ(lower[1], 0.0);
    EXPECT_EQ(upper[0], 1.0);
    // Side 0 emptied by 2, side 1 already ending below 0: false.
    double shut[2] = {0.0, 0.0};
    double low[2] = {1.0, -1.0};
    EXPECT_FALSE(UpdateLin2ClampRadial(shut, low, 0.0, 1.0, 1.0));
}

TEST(TrackerClamps, NonFiniteInputNeverLeavesANaNBound)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    double lower = 0.0, upper = 10.0;
    UpdateLin1ClampRadial(&lower, &upper, nan, 0.0);
    EXPECT_FALSE(std::isnan(lower));
    lower = 0.0;
    UpdateCir1ClampRadial(&lower, &upper, 5.0, nan, 0.0);
    EXPECT_FALSE(std::isnan(lower));
    EXPECT_FALSE(std::isnan(upper));
    double lowers[2] = {0.0, 0.0}, uppers[2] = {1.0, 10.0};
    UpdateLin2ClampRadial(lowers, uppers, nan, 0.0, 2.0);
    UpdateCir2ClampRadial(lowers, uppers, 1.0, nan, 1.0);
    EXPECT_EQ(lowers[0], 0.0);
    EXPECT_EQ(lowers[1], 0.0);
}

}  // namespace
