// Angular primitives: reduction, directions, sweeps and ranges, the angles
// where lines and circles cross a circle, ordered insertion along an arc.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "angular.h"
#include "intersections.h"
#include "polygon.h"
#include "settings.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(NormalizeAngle, ReducesIntoHalfOpenTurnWithSnaps)
{
    struct Case {
        double in;
        double out;
    } cases[] = {
        {-kPi, kPi},                 // -pi becomes pi
        {7.0, 7.0 - 6.28318530718},  // the library's 2*pi literal
        {0.0005, 0.0},               // within GeoDif of 0
        {-3.1412, kPi},              // within GeoDif above -pi
        {kPi, kPi},
        {-1.0, -1.0},
        {4.0, 4.0 - 6.28318530718},
        {-4.0, -4.0 + 6.28318530718},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(NormalizeAngle(c.in), c.out) << c.in;
}

TEST(DirectionAngle, AxisDirectionsWithinGeoDifAndNoDirection)
{
    struct Case {
        G_POINT to;
        double out;
    } cases[] = {
        {{0.0005, 5.0}, kPi / 2},  // exactly pi/2, not atan2
        {{-3.0, 0.0005}, kPi},
        {{0.0, -2.0}, -kPi / 2},
        {{2.0, 0.0}, 0.0},
        {{1.0, 1.0}, kPi / 4},
        {{-1.0, -1.0}, -3 * kPi / 4},
    };
    for (const Case& c : cases) {
        double a = 99.0;
        EXPECT_TRUE(DirectionAngle(G_POINT{0, 0}, c.to, a));
        EXPECT_DOUBLE_EQ(a, c.out);
    }
    double a = 99.0;
    EXPECT_FALSE(DirectionAngle(G_POINT{1, 1}, G_POINT{1.0005, 0.9995}, a));
    EXPECT_EQ(a, 0.0);
}

TEST(LineDirections, VerticalSentinelAndSides)
{
    EXPECT_DOUBLE_EQ(LineDirection(LINE{GEO_VERTICAL, 3}), kPi / 2);
    EXPECT_DOUBLE_EQ(LineDirection(LINE{200000.0, 3}), kPi / 2);
    EXPECT_DOUBLE_EQ(LineDirection(LINE{0.0005, 3}), 0.0);
    EXPECT_DOUBLE_EQ(LineDirection(LINE{-1.0, 0}), -kPi / 4);

    EXPECT_DOUBLE_EQ(SidedLineDirection(LINE{0.0, 1}, 1), kPi);
    EXPECT_DOUBLE_EQ(SidedLineDirection(LINE{0.0, 1}, 0), 0.0);
    EXPECT_DOUBLE_EQ(SidedLineDirection(LINE{GEO_VERTICAL, 1}, 0), -kPi / 2);
    EXPECT_DOUBLE_EQ(SidedLineDirection(LINE{1.0, 0}, 1), kPi / 4);
    EXPECT_DOUBLE_EQ(SidedLineDirection(LINE{1.0, 0}, 0), kPi / 4 - kPi);
    EXPECT_DOUBLE_EQ(SidedLineDirection(LINE{-1.0, 0}, 1), 3 * kPi / 4);
    EXPECT_DOUBLE_EQ(SidedLineDirection(LINE{-1.0, 0}, 0), -kPi / 4);

    // From the x axis pointing to +x (side 0) to the upward vertical: a quarter turn.
    EXPECT_DOUBLE_EQ(SidedLineAngle(LINE{0, 0}, 0, LINE{GEO_VERTICAL, 0}, 1), kPi / 2);
    // From +x round to -y: three quarters, never negative.
    EXPECT_DOUBLE_EQ(SidedLineAngle(LINE{0, 0}, 0, LINE{GEO_VERTICAL, 0}, 0), -kPi / 2 + 6.28318530718);
}

TEST(AngleBetweenLines, CasesOfTheVerticalAndPerpendicular)
{
    EXPECT_DOUBLE_EQ(AngleBetweenLines(LINE{GEO_VERTICAL, 0}, LINE{GEO_VERTICAL, 2}), 0.0);
    EXPECT_DOUBLE_EQ(AngleBetweenLines(LINE{GEO_VERTICAL, 0}, LINE{0.0, 2}), kPi / 2);
    EXPECT_DOUBLE_EQ(AngleBetweenLines(LINE{GEO_VERTICAL, 0}, LINE{1.0, 2}), std::atan(-1.0));
    EXPECT_DOUBLE_EQ(AngleBetweenLines(LINE{1.0, 0}, LINE{GEO_VERTICAL, 2}), std::atan(1.0));
    EXPECT_DOUBLE_EQ(AngleBetweenLines(LINE{1.0, 0}, LINE{-1.0, 2}), kPi / 2);
    EXPECT_DOUBLE_EQ(AngleBetweenLines(LINE{0.0, 0}, LINE{1.0, 2}), kPi / 4);
}

TEST(NormalFromPoint, PointsOntoTheLineAndFailsOnIt)
{
    double a = 0.0;
    EXPECT_TRUE(NormalFromPoint(LINE{0, 0}, G_POINT{3, 2}, a));  // above: straight down
    EXPECT_DOUBLE_EQ(a, -kPi / 2);
    EXPECT_TRUE(NormalFromPoint(LINE{0, 0}, G_POINT{3, -2}, a));  // below: up, not reduced
    EXPECT_DOUBLE_EQ(a, -kPi / 2 - kPi);
    EXPECT_FALSE(NormalFromPoint(LINE{0, 0}, G_POINT{3, 0.005}, a));
}

TEST(ArcSweepAndRange, EqualAnglesAreAFullTurnAndRangesWrap)
{
    EXPECT_DOUBLE_EQ(ArcSweep(ARC{{0, 0}, 1, 1.0, 1.0}), 6.28318530718);
    EXPECT_DOUBLE_EQ(ArcSweep(ARC{{0, 0}, 1, 0.0, 1.5}), 1.5);
    EXPECT_DOUBLE_EQ(ArcSweep(ARC{{0, 0}, 1, 1.5, 0.0}), 6.28318530718 - 1.5);

    EXPECT_TRUE(AngleInRange(0.1, 6.0, 0.5));
    EXPECT_FALSE(AngleInRange(3.0, 6.0, 0.5));
    EXPECT_TRUE(AngleInRange(-0.1, 6.0, 0.5));
    EXPECT_TRUE(AngleInRange(1.0, 0.5, 1.5));
    EXPECT_TRUE(AngleInRange(1.5009, 0.5, 1.5));  // GeoDif to spare
    EXPECT_FALSE(AngleInRange(1.502, 0.5, 1.5));

    // Equal bounds: a gap of one direction for the plain range test, a full
    // turn for an arc.
    EXPECT_TRUE(AngleInRange(1.0005, 1.0, 1.0));
    EXPECT_FALSE(AngleInRange(2.0, 1.0, 1.0));
    EXPECT_TRUE(AngleInArc(2.0, ARC{{0, 0}, 1, 1.0, 1.0}));
    EXPECT_TRUE(AngleInArc(-2.0, ARC{{0, 0}, 1, 1.0, 1.0}));
    EXPECT_TRUE(AngleInArc(0.1, ARC{{0, 0}, 1, 6.0, 0.5}));
    EXPECT_FALSE(AngleInArc(3.0, ARC{{0, 0}, 1, 6.0, 0.5}));
}

TEST(VertexAngle, RightAngleShortSidesAndRoundingPastOne)
{
    EXPECT_DOUBLE_EQ(VertexAngle(G_POINT{1, 0}, G_POINT{0, 0}, G_POINT{0, 1}), kPi / 2);
    EXPECT_EQ(VertexAngle(G_POINT{0.005, 0}, G_POINT{0, 0}, G_POINT{0, 1}), 0.0);
    // Collinear arms whose cosine rounding could push past 1: 0, never NaN.
    const double straight = VertexAngle(G_POINT{0.1, 0.3}, G_POINT{0.2, 0.6}, G_POINT{0.30000000000000004, 0.9});
    EXPECT_FALSE(std::isnan(straight));
    EXPECT_NEAR(straight, kPi, 1e-6);
    const double back = VertexAngle(G_POINT{0.3, 0.9}, G_POINT{0.1, 0.3}, G_POINT{0.7, 2.1});
    EXPECT_FALSE(std::isnan(back));
    EXPECT_NEAR(back, 0.0, 1e-6);
}

TEST(CircleLineAngles, OrderTangentAndClearance)
{
    double out[2];
    const CIRCLE unit{{0, 0}, 1};
    ASSERT_EQ(CircleLineAngles(unit, LINE{0, 0}, out), 2);
    EXPECT_DOUBLE_EQ(out[0], kPi);
    EXPECT_DOUBLE_EQ(out[1], 0.0);
    ASSERT_EQ(CircleLineAngles(unit, LINE{0, 1.0}, out), 1);
    EXPECT_DOUBLE_EQ(out[0], kPi / 2);
    EXPECT_EQ(CircleLineAngles(unit, LINE{0, 1.02}, out), 0);
    // At exactly r + GeoSnap: the tangent, not an acos past 1.
    ASSERT_EQ(CircleLineAngles(CIRCLE{{0, 0}, 1.0}, LINE{GEO_VERTICAL, 1.0 + GeoSnap()}, out), 1);
    EXPECT_DOUBLE_EQ(out[0], 0.0);
}

TEST(CircleCircleAngles, TouchingConcentricAndNearMisses)
{
    double out[2];
    ASSERT_EQ(CircleCircleAngles(CIRCLE{{0, 0}, 1}, CIRCLE{{1, 0}, 2}, out), 1);
    EXPECT_DOUBLE_EQ(out[0], kPi);
    ASSERT_EQ(CircleCircleAngles(CIRCLE{{0, 0}, 1}, CIRCLE{{2, 0}, 1}, out), 1);
    EXPECT_DOUBLE_EQ(out[0], 0.0);
    ASSERT_EQ(CircleCircleAngles(CIRCLE{{0, 0}, 1}, CIRCLE{{1, 0}, 1}, out), 2);
    EXPECT_NEAR(out[0], -kPi / 3, 1e-12);
    EXPECT_NEAR(out[1], kPi / 3, 1e-12);
    // Centres 0.09 apart: the squared distance is below GeoSnap, concentric.
    EXPECT_EQ(CircleCircleAngles(CIRCLE{{0, 0}, 1}, CIRCLE{{0.09, 0}, 1}, out), 0);
    // |t| = 0.995: between 1 - GeoSnap and 1 - GeoDif, no crossing.
    const double d = 2.0;
    const double r2 = std::sqrt(1.0 + d * d - 0.995 * 2 * d);
    EXPECT_EQ(CircleCircleAngles(CIRCLE{{0, 0}, 1}, CIRCLE{{d, 0}, r2}, out), 0);
}

// Runs with the library's crossing buffer and restores its state.
class CrossingBufferTest : public ::testing::Test {
protected:
    void SetUp() override { ResetCrossingState(); }
    void TearDown() override
    {
        std::free(buffer_);
        ResetCrossingState();
    }
    double* buffer_ = nullptr;
};

TEST_F(CrossingBufferTest, InsertArcAngleKeepsArcOrderAndGrowsByTwo)
{
    const double angles[] = {0.5, 2.0, 1.0, 3.0, 1.5};
    short n = 0;
    for (double a : angles) {
        ASSERT_TRUE(InsertArcAngle(a, &buffer_, n));
        ++n;
    }
    EXPECT_EQ(CrossingCapacity(), 6);
    // The first two are stored as given; later ones go into the gap of the arc holding them.
    const double expected[] = {0.5, 1.0, 1.5, 2.0, 3.0};
    for (short i = 0; i < n; ++i)
        EXPECT_DOUBLE_EQ(buffer_[i], expected[i]) << i;
}

// A count beyond the recorded capacity grows the buffer past the count
// instead of writing outside it.
TEST_F(CrossingBufferTest, InsertArcAngleGrowsPastACountBeyondTheCapacity)
{
    ASSERT_TRUE(InsertArcAngle(0.5, &buffer_, 0));
    ASSERT_TRUE(InsertArcAngle(2.0, &buffer_, 1));
    CrossingCapacity() = 0;
    ASSERT_TRUE(InsertArcAngle(1.0, &buffer_, 2));
    EXPECT_EQ(CrossingCapacity(), 4);
    EXPECT_DOUBLE_EQ(buffer_[0], 0.5);
    EXPECT_DOUBLE_EQ(buffer_[1], 1.0);
    EXPECT_DOUBLE_EQ(buffer_[2], 2.0);
}

TEST_F(CrossingBufferTest, InsertArcAngleDescending)
{
    CrossingDescending() = 1;
    const double angles[] = {3.0, 1.0, 2.0};
    short n = 0;
    for (double a : angles)
        ASSERT_TRUE(InsertArcAngle(a, &buffer_, n++));
    EXPECT_DOUBLE_EQ(buffer_[0], 3.0);
    EXPECT_DOUBLE_EQ(buffer_[1], 2.0);
    EXPECT_DOUBLE_EQ(buffer_[2], 1.0);
}

TEST_F(CrossingBufferTest, PolylineCrossingsAreTheUnionOfTheSides)
{
    // A zigzag across the unit circle: each side judged alone.
    const G_POINT run[] = {{-2, 0.5}, {2, 0.5}, {2, -0.5}, {-2, -0.5}};
    const short n = CirclePolylineCrossings(run, 4, CIRCLE{{0, 0}, 1}, &buffer_, 0);
    ASSERT_EQ(n, 4);
    int upper = 0;
    int lower = 0;
    for (short i = 0; i < n; ++i)
        (std::sin(buffer_[i]) > 0 ? upper : lower)++;
    EXPECT_EQ(upper, 2);
    EXPECT_EQ(lower, 2);
}

TEST_F(CrossingBufferTest, ArcPolylineCrossingsKeepOnlyTheArcRange)
{
    const G_POINT run[] = {{-2, 0.5}, {2, 0.5}};
    // The upper half arc holds both crossings of y = 0.5, the right quarter one.
    EXPECT_EQ(ArcPolylineCrossings(run, 2, ARC{{0, 0}, 1, 0.0, kPi}, &buffer_, 0), 2);
    std::free(buffer_);
    buffer_ = nullptr;
    ResetCrossingState();
    ASSERT_EQ(ArcPolylineCrossings(run, 2, ARC{{0, 0}, 1, 0.0, kPi / 2}, &buffer_, 0), 1);
    EXPECT_NEAR(buffer_[0], kPi / 6, 1e-12);
    EXPECT_EQ(ArcPolylineCrossings(run, 1, ARC{{0, 0}, 1, 0.0, kPi}, &buffer_, 1), 0);
}

// A closed square ring 0..10.
polygon Square()
{
    polygon p;
    const G_POINT v[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
    for (const G_POINT& q : v)
        p + q;
    return p;
}

TEST_F(CrossingBufferTest, PolygonCornerAndSideNormal)
{
    const polygon sq = Square();
    ASSERT_EQ(sq.count(), 5);
    // The corner at (0, 0): inward bisector pi/4, outward pi/4 - pi.
    EXPECT_NEAR(NormalizeAngle(PolygonCornerAngle(*sq.body(), 0, 0)), kPi / 4, 1e-9);
    EXPECT_NEAR(NormalizeAngle(PolygonCornerAngle(*sq.body(), 0, 1)), kPi / 4 - kPi, 1e-9);
    EXPECT_NEAR(NormalizeAngle(PolygonCornerAngle(*sq.body(), 2, 0)), -3 * kPi / 4, 1e-9);
    EXPECT_EQ(CrossingCapacity(), 0);
    // The closing vertex repeats the first corner.
    EXPECT_NEAR(NormalizeAngle(PolygonCornerAngle(*sq.body(), 4, 0)), kPi / 4, 1e-9);

    // Near the bottom side: the inward normal points up.
    EXPECT_NEAR(PolygonSideNormal(*sq.body(), G_POINT{5, 1}), kPi / 2, 1e-9);
    EXPECT_NEAR(PolygonSideNormal(*sq.body(), G_POINT{9, 5}), kPi, 1e-9);
    EXPECT_EQ(CrossingCapacity(), 0);
}

// The corner and side probes use a buffer of their own: one being filled
// around them keeps its capacity.
TEST_F(CrossingBufferTest, CornerAndSideProbesKeepAnOuterBuffersCapacity)
{
    const polygon sq = Square();
    CrossingCapacity() = 6;
    EXPECT_NEAR(NormalizeAngle(PolygonCornerAngle(*sq.body(), 1, 0)), 3 * kPi / 4, 1e-9);
    EXPECT_EQ(CrossingCapacity(), 6);
    EXPECT_NEAR(PolygonSideNormal(*sq.body(), G_POINT{1, 5}), 0.0, 1e-9);
    EXPECT_EQ(CrossingCapacity(), 6);
}

}  // namespace
