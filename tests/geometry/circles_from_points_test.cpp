#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "circle_case_checks.h"
#include "circle_constructions.h"
#include "settings.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
const LINE kFloor = Horizontal(0);
const LINE kWall = Vertical(0);
const LINE kDiagonal{1.0, 0.0};  // y = x

TEST(CirclesFromPoints, CentreAndPointGivesRadiusZeroForTheCentreItself)
{
    const CIRCLE c = CircleFromCenterPoint({2, 3}, {2, 3});
    EXPECT_EQ(c.radius, 0.0);
    EXPECT_EQ(c.center.x, 2.0);
}

TEST(CirclesFromPoints, ThreePoints)
{
    CIRCLE c{};
    ASSERT_TRUE(CircleFrom3Points({0, 0}, {4, 0}, {0, 4}, c));
    EXPECT_NEAR(c.center.x, 2.0, 1e-9);
    EXPECT_NEAR(c.center.y, 2.0, 1e-9);
    // Collinear points have no circle through all three.
    EXPECT_FALSE(CircleFrom3Points({0, 0}, {2, 0}, {4, 0}, c));
    EXPECT_TRUE(IsFinite(c));
}

TEST(CirclesFromPoints, NegativeAngleMirrorsInTheChord)
{
    CIRCLE plus{}, minus{};
    ASSERT_TRUE(CircleFrom2PointsAngle({0, 0}, {10, 0}, kPi / 2, plus));
    ASSERT_TRUE(CircleFrom2PointsAngle({0, 0}, {10, 0}, -kPi / 2, minus));
    EXPECT_NEAR(plus.center.x, 5.0, 1e-9);
    EXPECT_NEAR(plus.center.y, 5.0, 1e-9);
    EXPECT_NEAR(minus.center.x, plus.center.x, 1e-9);
    EXPECT_NEAR(minus.center.y, -plus.center.y, 1e-9);
    EXPECT_NEAR(plus.radius, minus.radius, 1e-9);
    EXPECT_FALSE(CircleFrom2PointsAngle({0, 0}, {10, 0}, 6.3, plus));
}

TEST(CirclesFromPoints, RadiusOfHalfTheChordIsOneCircleForEitherHint)
{
    CIRCLE above{}, below{};
    ASSERT_TRUE(CircleFrom2PointsRadius({0, 0}, {10, 0}, {5, 5}, 5.0, above));
    ASSERT_TRUE(CircleFrom2PointsRadius({0, 0}, {10, 0}, {5, -5}, 5.0, below));
    EXPECT_NEAR(above.center.x, below.center.x, 1e-9);
    EXPECT_NEAR(above.center.y, below.center.y, 1e-9);
    // Short of half the chord by less than GeoSnap still succeeds, finite.
    ASSERT_TRUE(CircleFrom2PointsRadius({0, 0}, {10, 0}, {5, 5}, 4.995, above));
    EXPECT_TRUE(IsFinite(above));
    EXPECT_FALSE(CircleFrom2PointsRadius({0, 0}, {10, 0}, {5, 5}, 4.98, above));
}

TEST(CirclesFromPoints, SegmentRadiusKeepsTheSignOfTheRadius)
{
    const CIRCLE plus = CircleFromSegmentRadius({0, 0}, {10, 0}, 3.0, GEO_KW_END, GEO_KW_LEFT);
    const CIRCLE minus = CircleFromSegmentRadius({0, 0}, {10, 0}, -3.0, GEO_KW_END, GEO_KW_LEFT);
    EXPECT_NEAR(plus.center.x, 10.0, 1e-9);
    EXPECT_NEAR(plus.center.y, 3.0, 1e-9);
    EXPECT_NEAR(minus.center.x, plus.center.x, 1e-9);
    EXPECT_NEAR(minus.center.y, plus.center.y, 1e-9);
    EXPECT_EQ(minus.radius, -3.0);
    const CIRCLE right = CircleFromSegmentRadius({0, 0}, {10, 0}, 3.0, GEO_KW_START, GEO_KW_RIGHT);
    EXPECT_NEAR(right.center.x, 0.0, 1e-9);
    EXPECT_NEAR(right.center.y, -3.0, 1e-9);
    const CIRCLE nearest = CircleFromSegmentPointRadius({0, 0}, {10, 0}, {5, -7}, 3.0, GEO_KW_LEFT);
    EXPECT_NEAR(nearest.center.x, 5.0, 1e-9);
    EXPECT_NEAR(nearest.center.y, -3.0, 1e-9);
}

TEST(CirclesFromPoints, OnePointTwiceOffTheLineTouchesAtItsFoot)
{
    CIRCLE c{};
    ASSERT_TRUE(CircleFromLine2Points(kFloor, {3, 4}, {3, 4}, c));
    EXPECT_NEAR(c.center.x, 3.0, 1e-9);
    EXPECT_NEAR(c.center.y, 2.0, 1e-9);
    EXPECT_NEAR(c.radius, 2.0, 1e-9);
}

TEST(CirclesFromPoints, ParabolaCaseFarFromTheHintSucceedsUnchanged)
{
    CIRCLE c{{7, 7}, 1.0};
    ASSERT_TRUE(CircleFrom2LinesPointCenterOnLine(kFloor, kWall, {3, 4}, {0, 200000}, c));
    EXPECT_EQ(c.center.x, 7.0);
    EXPECT_EQ(c.radius, 1.0);
    ASSERT_TRUE(CircleFrom2LinesPointCenterOnLine(kFloor, kWall, {3, 4}, {0, 0}, c));
    EXPECT_NEAR(c.center.x, 0.0, 1e-9);
    EXPECT_TRUE(PassesThrough(c, {3, 4}));
    EXPECT_TRUE(TouchesLine(c, kFloor));
}

struct Case {
    const char* name;
    std::function<bool(CIRCLE&)> build;
    std::function<void(const CIRCLE&)> check;
};

TEST(CirclesFromPoints, TangentAndIncidentCases)
{
    const Case cases[] = {
        {"two lines, point, radius",
         [](CIRCLE& c) { return CircleFrom2LinesPointRadius(kFloor, kWall, {5, 5}, 2.0, c); },
         [](const CIRCLE& c) {
             EXPECT_TRUE(TouchesLine(c, kFloor) && TouchesLine(c, kWall));
             EXPECT_GT(c.center.x, 0.0);
             EXPECT_GT(c.center.y, 0.0);
         }},
        {"line, point, radius",
         [](CIRCLE& c) { return CircleFromLinePointRadius(kFloor, {0, 3}, {1, 5}, 2.5, c); },
         [](const CIRCLE& c) {
             EXPECT_TRUE(TouchesLine(c, kFloor) && PassesThrough(c, {0, 3}));
             EXPECT_GT(c.center.x, 0.0);
         }},
        {"line, point on it, radius",
         [](CIRCLE& c) { return CircleFromLinePointRadius(kFloor, {4, 0}, {0, -9}, 2.0, c); },
         [](const CIRCLE& c) {
             EXPECT_NEAR(c.center.x, 4.0, 1e-9);
             EXPECT_NEAR(c.center.y, -2.0, 1e-9);
         }},
        {"two lines and a point",
         [](CIRCLE& c) { return CircleFrom2LinesPoint(kFloor, kWall, {1, 2}, {1, 2}, c); },
         [](const CIRCLE& c) {
             EXPECT_TRUE(TouchesLine(c, kFloor) && TouchesLine(c, kWall) && PassesThrough(c, {1, 2}));
         }},
        {"two lines and a point on one of them",
         [](CIRCLE& c) { return CircleFrom2LinesPoint(kFloor, kDiagonal, {4, 0}, {4, 1}, c); },
         [](const CIRCLE& c) {
             EXPECT_TRUE(TouchesLine(c, kFloor) && TouchesLine(c, kDiagonal));
             EXPECT_TRUE(PassesThrough(c, {4, 0}));
         }},
        {"line and two points",
         [](CIRCLE& c) { return CircleFromLine2Points(kFloor, {0, 2}, {4, 6}, c); },
         [](const CIRCLE& c) {
             EXPECT_TRUE(TouchesLine(c, kFloor) && PassesThrough(c, {0, 2}) && PassesThrough(c, {4, 6}));
         }},
        {"line and two points, one on the line",
         [](CIRCLE& c) { return CircleFromLine2Points(kFloor, {2, 0}, {4, 2}, c); },
         [](const CIRCLE& c) {
             EXPECT_NEAR(c.center.x, 2.0, 1e-9);
             EXPECT_TRUE(PassesThrough(c, {4, 2}));
         }},
        {"centre on a line through two points",
         [](CIRCLE& c) {
             c = CircleFromLine2PointsCenter(kFloor, {0, 2}, {4, 2});
             return true;
         },
         [](const CIRCLE& c) {
             EXPECT_NEAR(c.center.x, 2.0, 1e-9);
             EXPECT_NEAR(c.center.y, 0.0, 1e-9);
             EXPECT_TRUE(PassesThrough(c, {0, 2}));
         }},
        {"centre on a vertical line, touching a vertical line",
         [](CIRCLE& c) { return CircleFrom2LinesPointCenterOnLine(kWall, Vertical(6), {3, 4}, {6, 4}, c); },
         [](const CIRCLE& c) {
             EXPECT_NEAR(c.center.x, 6.0, 1e-9);
             EXPECT_TRUE(PassesThrough(c, {3, 4}) && TouchesLine(c, kWall));
         }},
        {"three lines",
         [](CIRCLE& c) { return CircleFrom3Lines(kFloor, kWall, LINE{-1.0, 4.0}, {1, 1}, c); },
         [](const CIRCLE& c) {
             EXPECT_TRUE(TouchesLine(c, kFloor) && TouchesLine(c, kWall) && TouchesLine(c, LINE{-1.0, 4.0}));
             EXPECT_NEAR(c.radius, 4.0 - 2.0 * std::sqrt(2.0), 1e-9);
         }},
        {"three lines, centre on the first",
         [](CIRCLE& c) { return CircleFrom3LinesCenterOnFirst(Horizontal(3), kFloor, kWall, {5, 1}, c); },
         [](const CIRCLE& c) {
             EXPECT_NEAR(c.center.y, 3.0, 1e-9);
             EXPECT_TRUE(TouchesLine(c, kFloor) && TouchesLine(c, kWall));
         }},
        {"three lines near points",
         [](CIRCLE& c) {
             return CircleFrom3LinesNearPoints(kFloor, kWall, LINE{-1.0, 4.0}, {1, 0.1}, {0.1, 1}, {2, 1.9}, c);
         },
         [](const CIRCLE& c) {
             EXPECT_TRUE(TouchesLine(c, kFloor) && TouchesLine(c, kWall) && TouchesLine(c, LINE{-1.0, 4.0}));
         }},
        {"two lines, their points, radius",
         [](CIRCLE& c) { return CircleFrom2LinesPointsRadius(kFloor, {5, 1}, kDiagonal, {1, 5}, 1.5, c); },
         [](const CIRCLE& c) {
             EXPECT_TRUE(TouchesLine(c, kFloor) && TouchesLine(c, kDiagonal));
             EXPECT_NEAR(c.radius, 1.5, 1e-12);
         }},
        {"two parallel lines, their points, half the gap",
         [](CIRCLE& c) { return CircleFrom2LinesPointsRadius(kFloor, {1, 1}, Horizontal(4), {7, 1}, 2.0, c); },
         [](const CIRCLE& c) { EXPECT_TRUE(TouchesLine(c, kFloor) && TouchesLine(c, Horizontal(4))); }},
        {"centre on a line, touching another, radius",
         [](CIRCLE& c) { return CircleFrom2LinesRadiusCenterOnLine(kDiagonal, kFloor, {5, 1}, 2.0, c); },
         [](const CIRCLE& c) {
             EXPECT_NEAR(c.center.x, c.center.y, 1e-9);
             EXPECT_TRUE(TouchesLine(c, kFloor));
             EXPECT_GT(c.center.y, 0.0);
         }},
        {"centre on a line, parallel sloped line at the radius",
         [](CIRCLE& c) {
             // The gap between y = x and y = x + 2 sqrt 2 is 2 (not the intercept difference).
             return CircleFrom2LinesRadiusCenterOnLine(kDiagonal, LINE{1.0, 2 * std::sqrt(2.0)}, {5, 0}, 2.0, c);
         },
         [](const CIRCLE& c) {
             EXPECT_NEAR(c.center.x, 2.5, 1e-9);
             EXPECT_NEAR(c.center.y, 2.5, 1e-9);
             EXPECT_TRUE(TouchesLine(c, LINE{1.0, 2 * std::sqrt(2.0)}));
         }},
        {"tangent at a point",
         [](CIRCLE& c) { return CircleTangentAtPoint(kFloor, {0, 0}, {4, 4}, c); },
         [](const CIRCLE& c) {
             EXPECT_NEAR(c.center.x, 0.0, 1e-9);
             EXPECT_NEAR(c.center.y, 4.0, 1e-9);
         }},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        CIRCLE c{{0, 0}, 0.0};
        ASSERT_TRUE(row.build(c));
        ASSERT_TRUE(IsFinite(c));
        row.check(c);
    }
}

TEST(CirclesFromPoints, SlopedParallelLinesNeedTheirPerpendicularGap)
{
    CIRCLE c{{1, 1}, 1.0};
    EXPECT_FALSE(CircleFrom2LinesRadiusCenterOnLine(kDiagonal, LINE{1.0, 2 * std::sqrt(2.0)}, {5, 0},
                                                    2 * std::sqrt(2.0), c));
}

TEST(CirclesFromPoints, FramesRoundTrip)
{
    // A quarter turn (s = 1, c = 0): d = (3, 4) becomes (dx c + dy s, dy c - dx s) = (4, -3).
    const G_POINT quarter = ToLocalFrame({5, 3}, {2, -1}, 1.0, 0.0);
    EXPECT_EQ(quarter.x, 4.0);
    EXPECT_EQ(quarter.y, -3.0);
    // (x c + y s - a, y c - x s - b) with (x, y) = (4, -3), a = 1, b = 2.
    const G_POINT offset = RotateAndOffset({4, -3}, 1.0, 2.0, 1.0, 0.0);
    EXPECT_EQ(offset.x, -4.0);
    EXPECT_EQ(offset.y, -6.0);

    const double t = 0.7;
    const G_POINT origin{2, -1};
    const G_POINT local = ToLocalFrame({5, 3}, origin, std::sin(t), std::cos(t));
    const G_POINT back = RotateAndOffset(local, -origin.x, -origin.y, -std::sin(t), std::cos(t));
    EXPECT_NEAR(back.x, 5.0, 1e-12);
    EXPECT_NEAR(back.y, 3.0, 1e-12);
}

}  // namespace
