#include "intersections.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "angular.h"
#include "crossing_fixtures.h"
#include "polygon.h"
#include "settings.h"

namespace {

class Crossings : public CrossingSettingsTest {};

std::vector<G_POINT> Square(double side) {
    return {{0, 0}, {side, 0}, {side, side}, {0, side}, {0, 0}};
}

// --- predicates ----------------------------------------------------------------

TEST_F(Crossings, PointSideOfLineAboveBelowAndWithinSnap) {
    const LINE rising{1.0, 0.0};
    EXPECT_EQ(PointSideOfLine(rising, {0, 1}), 1);
    EXPECT_EQ(PointSideOfLine(rising, {0, -1}), 2);
    EXPECT_EQ(PointSideOfLine(rising, {0, 0.005}, 7), 7);
    const LINE vertical{GEO_VERTICAL, 2.0};
    EXPECT_EQ(PointSideOfLine(vertical, {3, 0}), 1);  // right
    EXPECT_EQ(PointSideOfLine(vertical, {1, 0}), 2);  // left
}

TEST_F(Crossings, SegmentRangeIncludesEndsOnlyWithTouchMode) {
    const G_POINT A{0, 0}, B{1, 0};
    GeoTouchMode() = 1;
    EXPECT_TRUE(PointInSegmentRange({1.005, 0}, A, B));
    EXPECT_FALSE(PointInSegmentRange({1.02, 0}, A, B));
    GeoTouchMode() = 0;
    EXPECT_FALSE(PointInSegmentRange({1.0, 0}, A, B));
    EXPECT_FALSE(PointInSegmentRange({0.995, 0}, A, B));
    EXPECT_TRUE(PointInSegmentRange({0.98, 0}, A, B));
}

// --- line with line --------------------------------------------------------------

TEST_F(Crossings, VerticalWithHorizontalCopiesTheExactValues) {
    G_POINT X{};
    ASSERT_TRUE(IntersectLines({GEO_VERTICAL, 1.7}, {0.0, 3.0}, X));
    EXPECT_EQ(X.x, 1.7);
    EXPECT_EQ(X.y, 3.0);
    ASSERT_TRUE(IntersectLines({0.0, 3.0}, {GEO_VERTICAL, 1.7}, X));
    EXPECT_EQ(X.x, 1.7);
    EXPECT_EQ(X.y, 3.0);
}

TEST_F(Crossings, SlopesWithinGeoDifAreParallelAndLeaveOutUntouched) {
    G_POINT X{9, 9};
    EXPECT_FALSE(IntersectLines({1.0, 0.0}, {1.001, 5.0}, X));
    EXPECT_FALSE(IntersectLines({GEO_VERTICAL, 0.0}, {GEO_VERTICAL, 5.0}, X));
    ExpectPoint(X, 9, 9);
    EXPECT_TRUE(IntersectLines({1.0, 0.0}, {1.002, 5.0}, X));
}

TEST_F(Crossings, SlopedLinesCross) {
    G_POINT X{};
    ASSERT_TRUE(IntersectLines({1.0, 0.0}, {-1.0, 2.0}, X));
    ExpectPoint(X, 1, 1);
}

TEST_F(Crossings, LineSegmentCrossingAtAnEndCountsOnlyWithTouchMode) {
    const LINE vertical{GEO_VERTICAL, 1.0};
    G_POINT X{};
    GeoTouchMode() = 1;
    EXPECT_EQ(LineSegmentCrossing({0, 0}, {1, 0}, vertical, X), 1);
    ExpectPoint(X, 1, 0);
    GeoTouchMode() = 0;
    EXPECT_EQ(LineSegmentCrossing({0, 0}, {1, 0}, vertical, X), 0);
    EXPECT_EQ(LineSegmentCrossing({0, 0}, {2, 0}, vertical, X), 1);
    EXPECT_EQ(LineSegmentCrossing({0, 0}, {0, 0}, vertical, X), 0);  // no segment
}

// --- line with circle ---------------------------------------------------------------

struct LineCircleCase {
    const char* name;
    LINE line;
    CIRCLE circle;
    int result;
    G_POINT first, second;
};

TEST_F(Crossings, LineCircleCountsAndOrder) {
    const double h = std::sqrt(0.5);
    const LineCircleCase cases[] = {
        {"vertical, near tangent", {GEO_VERTICAL, 5}, {{0, 0}, 5.005}, 1, {5, 0}, {}},
        {"vertical: upper first", {GEO_VERTICAL, 3}, {{0, 0}, 5}, 2, {3, 4}, {3, -4}},
        {"vertical: apart", {GEO_VERTICAL, 6}, {{0, 0}, 5}, 0, {}, {}},
        {"horizontal: left first", {0.0, 4}, {{0, 0}, 5}, 2, {-3, 4}, {3, 4}},
        {"horizontal: tangent", {0.0, 5.005}, {{0, 0}, 5}, 1, {0, 5.005}, {}},
        {"sloped: greater x first", {1.0, 0.0}, {{0, 0}, 1}, 2, {h, h}, {-h, -h}},
        {"sloped: tangent at the foot", {1.0, std::sqrt(2.0)}, {{0, 0}, 1}, 1, {-h, h}, {}},
        {"sloped: apart", {1.0, 3.0}, {{0, 0}, 1}, 0, {}, {}},
    };
    for (const LineCircleCase& c : cases) {
        SCOPED_TRACE(c.name);
        G_POINT out[2] = {};
        ASSERT_EQ(IntersectLineCircle(c.circle, c.line, out), c.result);
        if (c.result >= 1) ExpectPoint(out[0], c.first.x, c.first.y, 1e-6);
        if (c.result == 2) ExpectPoint(out[1], c.second.x, c.second.y, 1e-6);
    }
}

TEST_F(Crossings, SteepLinesCrossTheCircleOnItAtEverySlope) {
    // The line through (0, -1000) and (0.1, 1000) against the unit circle.
    G_POINT out[2] = {};
    ASSERT_EQ(IntersectLineCircle({{0, 0}, 1}, {20000.0, -1000.0}, out), 2);
    EXPECT_NEAR(out[0].y, 0.99875, 1e-5);
    EXPECT_NEAR(out[1].y, -0.99875, 1e-5);
    EXPECT_GT(out[0].x, out[1].x);  // greater x first

    // Lines at distance d from the centre (2, -3), radius 1.5, over slopes up to 1e5.
    const CIRCLE circle{{2, -3}, 1.5};
    for (double slope : {0.0, 0.01, 0.5, 1.0, 3.0, 42.0, 400.0, 2000.0, 2e4, 1e5}) {
        for (double sign : {1.0, -1.0}) {
            for (double d : {0.0, 0.3, 1.2, 1.48, 1.52, 3.0}) {
                const double k = sign * slope;
                // b so that the signed distance (k cx - cy + b)/sqrt(1 + k^2) is d.
                const double b = d * std::sqrt(1 + k * k) - k * circle.center.x + circle.center.y;
                SCOPED_TRACE(testing::Message() << "slope " << k << " d " << d);
                const int expected = d < circle.radius - GeoSnap() ? 2 : d > circle.radius + GeoSnap() ? 0 : 1;
                G_POINT points[2] = {};
                const int n = IntersectLineCircle(circle, {k, b}, points);
                ASSERT_EQ(n, expected);
                for (int i = 0; i < n; ++i) {
                    const double r = std::hypot(points[i].x - circle.center.x, points[i].y - circle.center.y);
                    EXPECT_NEAR(r, circle.radius, n == 2 ? GeoSnap() : 2 * GeoSnap());
                }
                if (n == 2 && slope > 0) {
                    EXPECT_GE(points[0].x, points[1].x);
                }
            }
        }
    }
}

// --- circle with circle --------------------------------------------------------------

TEST_F(Crossings, OuterTouchingWritesTheTouchingPointTwice) {
    G_POINT out[2] = {};
    EXPECT_EQ(IntersectCircles({{0, 0}, 2}, {{5.005, 0}, 3}, out), 1);
    ExpectPoint(out[0], 2, 0);
    ExpectPoint(out[1], 2, 0);
    EXPECT_EQ(IntersectCircles({{0, 0}, 2}, {{5.02, 0}, 3}, out), 0);
}

TEST_F(Crossings, CircleCrossingsComeGreaterYFirstWhenLevelElseGreaterX) {
    G_POINT out[2] = {};
    ASSERT_EQ(IntersectCircles({{0, 0}, 5}, {{6, 0}, 5}, out), 2);
    ExpectPoint(out[0], 3, 4);
    ExpectPoint(out[1], 3, -4);
    ASSERT_EQ(IntersectCircles({{0, 0}, 5}, {{0, 6}, 5}, out), 2);
    ExpectPoint(out[0], 4, 3);
    ExpectPoint(out[1], -4, 3);
    ASSERT_EQ(IntersectCircles({{0, 0}, 5}, {{6, 6}, 5}, out), 2);
    EXPECT_GT(out[0].x, out[1].x);
    for (const G_POINT& p : out) {
        EXPECT_NEAR(std::hypot(p.x, p.y), 5, 1e-9);
        EXPECT_NEAR(std::hypot(p.x - 6, p.y - 6), 5, 1e-9);
    }
}

TEST_F(Crossings, NestedAndConcentricCirclesGiveNoPoint) {
    G_POINT out[2] = {};
    EXPECT_EQ(IntersectCircles({{0, 0}, 5}, {{0.5, 0}, 2}, out), 0);
    // Equal radii about one centre used to divide by zero.
    EXPECT_EQ(IntersectCircles({{1, 1}, 3}, {{1, 1}, 3}, out), 0);
    EXPECT_EQ(IntersectCircles({{1, 1}, 3}, {{1.005, 1}, 3}, out), 0);
}

TEST_F(Crossings, InnerTouchingWithinToleranceGivesFinitePoints) {
    // The radicand r1^2 - a^2 falls just below 0 here.
    G_POINT out[2] = {};
    ASSERT_EQ(IntersectCircles({{0, 0}, 3}, {{0.995, 0}, 2}, out), 2);
    for (const G_POINT& p : out) {
        EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
        ExpectPoint(p, 3, 0, 0.02);
    }
}

// --- segments, rays and arcs with circles and arcs ------------------------------------

TEST_F(Crossings, SegmentTouchingACircleInsideItsExtentGives3) {
    const CIRCLE unit{{0, 0}, 1};
    G_POINT out[2] = {};
    EXPECT_EQ(SegmentCircleCrossings({-2, 1}, {2, 1}, unit, out), 3);
    ExpectPoint(out[0], 0, 1);
    EXPECT_EQ(SegmentCircleCrossings({1, 1}, {3, 1}, unit, out), 0);
    EXPECT_EQ(SegmentCircleCrossings({-2, 0}, {2, 0}, unit, out), 2);
    EXPECT_EQ(SegmentCircleCrossings({0, 0}, {2, 0}, unit, out), 1);
    ExpectPoint(out[0], 1, 0);  // packed
}

struct RayCase {
    const char* name;
    G_POINT origin;
    double angle;
    int result;
    G_POINT first;
};

TEST_F(Crossings, RayCircleKeepsPointsAheadAcrossTheWrap) {
    const RayCase cases[] = {
        {"from outside", {-5, 0}, 0.0, 2, {-1, 0}},
        {"from the centre, angle 0", {0, 0}, 0.0, 1, {1, 0}},
        {"pointing away", {5, 0}, 0.0, 0, {}},
        {"angle 2*pi is angle 0", {0, 0}, GEO_2PI, 1, {1, 0}},
        {"angle -pi is angle pi", {0, 0}, -GEO_PI, 1, {-1, 0}},
        {"upwards", {0, -5}, GEO_PI_2, 2, {0, 1}},
        // The line's order is kept, not the nearest first: left point first.
        {"angle pi from the right", {5, 0}, GEO_PI, 2, {-1, 0}},
    };
    for (const RayCase& c : cases) {
        SCOPED_TRACE(c.name);
        G_POINT out[2] = {};
        ASSERT_EQ(RayCircleCrossings(c.origin, c.angle, {{0, 0}, 1}, out), c.result);
        if (c.result > 0) ExpectPoint(out[0], c.first.x, c.first.y, 1e-6);
    }
}

const ARC kUpperHalf{{0, 0}, 1, 0.0, GEO_PI};

TEST_F(Crossings, ArcLineKeepsAnglesInRangeAndReportsTangency) {
    G_POINT out[2] = {};
    EXPECT_EQ(ArcLineCrossings(kUpperHalf, {0.0, 0.5}, out), 2);
    EXPECT_EQ(ArcLineCrossings(kUpperHalf, {0.0, -0.5}, out), 0);
    EXPECT_EQ(ArcLineCrossings(kUpperHalf, {0.0, 1.0}, out), 3);
    ExpectPoint(out[0], 0, 1, 1e-6);
    EXPECT_EQ(ArcLineCrossings(kUpperHalf, {0.0, -1.0}, out), 0);
    EXPECT_EQ(ArcLineCrossings(kUpperHalf, {GEO_VERTICAL, 0.5}, out), 1);
    ExpectPoint(out[0], 0.5, std::sqrt(0.75), 1e-6);
}

TEST_F(Crossings, SegmentArcTellsTouchingFromCrossing) {
    G_POINT out[2] = {};
    EXPECT_EQ(SegmentArcCrossings(kUpperHalf, {-2, 0.5}, {2, 0.5}, out), 2);
    EXPECT_EQ(SegmentArcCrossings(kUpperHalf, {0, 0}, {0, 2}, out), 1);
    ExpectPoint(out[0], 0, 1, 1e-6);
    EXPECT_EQ(SegmentArcCrossings(kUpperHalf, {-2, 1}, {2, 1}, out), 3);
    EXPECT_EQ(SegmentArcCrossings(kUpperHalf, {0, -2}, {0, 0}, out), 0);
}

TEST_F(Crossings, RayArcReportsALoneCrossingAs1AndATouchAs3) {
    G_POINT out[2] = {};
    EXPECT_EQ(RayArcCrossings({0, -5}, GEO_PI_2, kUpperHalf, out), 1);
    ExpectPoint(out[0], 0, 1, 1e-6);
    EXPECT_EQ(RayArcCrossings({-5, 1}, 0.0, kUpperHalf, out), 3);
    EXPECT_EQ(RayArcCrossings({5, 1}, 0.0, kUpperHalf, out), 0);
    EXPECT_EQ(RayArcCrossings({-5, 0.5}, 0.0, kUpperHalf, out), 2);
    EXPECT_EQ(RayArcCrossings({0, 0.5}, 0.0, kUpperHalf, out), 1);
    EXPECT_GT(out[0].x, 0);
}

TEST_F(Crossings, ArcCrossingsKeepOnlyPointsInEveryRange) {
    const ARC left{{0, 0}, 5, 0.0, GEO_PI};
    const ARC rightLower{{6, 0}, 5, GEO_PI, 0.0};
    const ARC rightUpper{{6, 0}, 5, 0.0, GEO_PI};
    G_POINT out[2] = {};
    // Each crossing lies inside only one of the arcs.
    EXPECT_EQ(ArcArcCrossings(left, rightLower, out), 0);
    ASSERT_EQ(ArcArcCrossings(left, rightUpper, out), 1);
    ExpectPoint(out[0], 3, 4);
    ASSERT_EQ(ArcCircleCrossings(left, {{6, 0}, 5}, out), 1);
    ExpectPoint(out[0], 3, 4);
    EXPECT_EQ(ArcCircleCrossings(rightLower, {{0, 0}, 5}, out), 1);
    ExpectPoint(out[0], 3, -4);
}

// Equal start and end angles make a full turn, not the start direction alone.
TEST_F(Crossings, AFullTurnArcKeepsEveryCrossingOfItsCircle) {
    const ARC fullTurns[] = {
        {{0, 0}, 1, 1.0, 1.0},
        {{0, 0}, 1, 0.0, 0.0},
        {{0, 0}, 1, -1.0, GEO_2PI - 1.0},  // a sweep of 2*pi from a negative start
    };
    for (const ARC& full : fullTurns) {
        SCOPED_TRACE(testing::Message() << full.start << " .. " << full.end);
        EXPECT_TRUE(AngleInArc(4.0, full));
        G_POINT out[2] = {};
        EXPECT_EQ(ArcLineCrossings(full, {0.0, -0.5}, out), 2);
        EXPECT_EQ(ArcLineCrossings(full, {0.0, -1.0}, out), 3);
        EXPECT_EQ(SegmentArcCrossings(full, {-2, -0.5}, {2, -0.5}, out), 2);
        EXPECT_EQ(RayArcCrossings({-5, -0.5}, 0.0, full, out), 2);
        EXPECT_EQ(ArcCircleCrossings(full, {{0, -1.5}, 1}, out), 2);
        EXPECT_EQ(ArcArcCrossings(full, {{0, -1.5}, 1, 0.0, 0.0}, out), 2);
    }
    // A short arc about the start direction stays short.
    EXPECT_FALSE(AngleInArc(4.0, {{0, 0}, 1, 1.0, 1.0005}));
    EXPECT_TRUE(AngleInArc(1.0002, {{0, 0}, 1, 1.0, 1.0005}));
}

// --- segment with segment ----------------------------------------------------------

TEST_F(Crossings, SegmentsSharingAnEndCrossOnlyWithTouchMode) {
    G_POINT X{};
    GeoTouchMode() = 1;
    EXPECT_EQ(SegmentSegmentCrossing({0, 0}, {1, 0}, {1, 0}, {1, 1}, X), 1);
    ExpectPoint(X, 1, 0);
    GeoTouchMode() = 0;
    EXPECT_EQ(SegmentSegmentCrossing({0, 0}, {1, 0}, {1, 0}, {1, 1}, X), 0);
}

TEST_F(Crossings, SegmentParameterNearAnEndObeysTouchMode) {
    G_POINT X{};
    const G_POINT A1{0, 0}, A2{1, 0}, B1{0.0005, -1}, B2{0.0005, 1};
    GeoTouchMode() = 0;
    EXPECT_EQ(SegmentSegmentCrossing(A1, A2, B1, B2, X), 0);
    GeoTouchMode() = 1;
    EXPECT_EQ(SegmentSegmentCrossing(A1, A2, B1, B2, X), 1);
    ExpectPoint(X, 0.0005, 0);
}

TEST_F(Crossings, CrossingAndParallelSegments) {
    G_POINT X{};
    EXPECT_EQ(SegmentSegmentCrossing({0, 0}, {2, 2}, {0, 2}, {2, 0}, X), 1);
    ExpectPoint(X, 1, 1);
    EXPECT_EQ(SegmentSegmentCrossing({0, 0}, {2, 0}, {0, 1}, {2, 1}, X), 0);
    EXPECT_EQ(SegmentSegmentCrossing({0, 0}, {1, 1}, {3, 0}, {2, 2}, X), 0);
}

// --- the crossing array ------------------------------------------------------------

TEST_F(Crossings, InsertKeepsOrderAndDropsTheDuplicateAtItsPlace) {
    G_POINT array[5] = {{0, 0}, {2, 0}, {4, 0}};
    EXPECT_EQ(InsertCrossing(array, {3, 0}, 3, 0.0), 1);
    ExpectPoint(array[2], 3, 0);
    ExpectPoint(array[3], 4, 0);
    EXPECT_EQ(InsertCrossing(array, {2.005, 0}, 4, 0.0), 0);
    GeoInsertMode() = 1;
    EXPECT_EQ(InsertCrossing(array, {2.005, 0}, 4, 0.0), 1);
    ExpectPoint(array[1], 2.005, 0);
    ExpectPoint(array[2], 2, 0);
}

TEST_F(Crossings, InsertOrdersByYOnAVerticalKeyAndRespectsDescendingAndStart) {
    G_POINT array[4] = {{0, 5}, {0, 1}};
    CrossingDescending() = 1;
    EXPECT_EQ(InsertCrossing(array, {0, 3}, 2, GEO_VERTICAL), 1);
    ExpectPoint(array[1], 0, 3);
    // Entries before CrossingStart are left alone.
    CrossingDescending() = 0;
    CrossingStart() = 3;
    EXPECT_EQ(InsertCrossing(array, {0, -9}, 3, GEO_VERTICAL), 1);
    ExpectPoint(array[3], 0, -9);
}

TEST_F(Crossings, AStaleStartBeyondTheEntriesAppends) {
    G_POINT array[3] = {{0, 0}, {1, 0}};
    CrossingStart() = 40;
    EXPECT_EQ(InsertCrossing(array, {0.5, 0}, 2, 0.0), 1);
    ExpectPoint(array[2], 0.5, 0);
}

TEST_F(Crossings, AddCrossingsInsertsTheSecondIntoWhatTheFirstLeft) {
    G_POINT* buffer = nullptr;
    EXPECT_EQ(AddCrossings({0, 0}, {4, 0}, 2, &buffer, 0, 0.0), 2);
    EXPECT_EQ(CrossingCapacity(), 10);
    EXPECT_EQ(AddCrossings({2, 0}, {2, 0}, 1, &buffer, 2, 0.0), 1);
    EXPECT_EQ(AddCrossings({2.005, 0}, {3, 0}, 2, &buffer, 3, 0.0), 1);
    const double expected[] = {0, 2, 3, 4};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(buffer[i].x, expected[i]);
    FreeCrossings(&buffer);
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(CrossingCapacity(), 0);
}

TEST_F(Crossings, AFailedGrowthFreesTheBufferAndReportsMemory) {
    G_POINT* buffer = nullptr;
    ASSERT_EQ(AddCrossings({0, 0}, {0, 0}, 1, &buffer, 0, 0.0), 1);
    GeoError() = 0;
    // No 16-bit capacity holds this many entries.
    EXPECT_EQ(AddCrossings({1, 0}, {1, 0}, 1, &buffer, 32767, 0.0), 0);
    EXPECT_EQ(GeoError(), GEO_NO_MEMORY);
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(CrossingCapacity(), 0);
}

// --- polygon outlines ----------------------------------------------------------------

struct PolygonLineCase {
    const char* name;
    LINE line;
    char descending;
    std::vector<G_POINT> expected;
};

TEST_F(Crossings, PolygonLineCrossingsComeInOrderAlongTheLine) {
    const PolygonLineCase cases[] = {
        {"diagonal through two corners", {1.0, 0.0}, 0, {{0, 0}, {2, 2}}},
        {"horizontal, ascending x", {0.0, 1.0}, 0, {{0, 1}, {2, 1}}},
        {"horizontal, descending x", {0.0, 1.0}, 1, {{2, 1}, {0, 1}}},
        {"vertical, ascending y", {GEO_VERTICAL, 1.0}, 0, {{1, 0}, {1, 2}}},
        {"vertical, descending y", {GEO_VERTICAL, 1.0}, 1, {{1, 2}, {1, 0}}},
        {"sloped", {0.5, 0.5}, 0, {{0, 0.5}, {2, 1.5}}},
        {"missing", {0.0, 5.0}, 0, {}},
    };
    std::vector<G_POINT> square = Square(2);
    const POLY body = Body(square);
    for (const PolygonLineCase& c : cases) {
        SCOPED_TRACE(c.name);
        CrossingDescending() = c.descending;
        CrossingScope crossings;
        const short n = PolygonLineCrossings(body, c.line, crossings.buffer(), 0);
        ASSERT_EQ(n, static_cast<short>(c.expected.size()));
        for (short i = 0; i < n; ++i) ExpectPoint(crossings[i], c.expected[i].x, c.expected[i].y);
    }
}

TEST_F(Crossings, ASideParallelWithinGeoDifStillGetsItsCrossing) {
    // The first side rises 0.04 over 1000: parallel to y = 0 by slope, yet it crosses.
    std::vector<G_POINT> v = {{0, -0.02}, {1000, 0.02}, {1000, 10}, {0, 10}, {0, -0.02}};
    CrossingScope crossings;
    ASSERT_EQ(PolygonLineCrossings(Body(v), {0.0, 0.0}, crossings.buffer(), 0), 2);
    ExpectPoint(crossings[0], 0, 0, 1e-9);
    ExpectPoint(crossings[1], 500, 0, 1e-6);
}

TEST_F(Crossings, WorkersMergeIntoOneOrderAfterEarlierEntries) {
    std::vector<G_POINT> left = Square(1);
    std::vector<G_POINT> right = {{3, 0}, {4, 0}, {4, 1}, {3, 1}, {3, 0}};
    CrossingScope crossings;
    short n = PolygonLineCrossings(Body(right), {0.0, 0.5}, crossings.buffer(), 0);
    n = static_cast<short>(n + PolygonLineCrossings(Body(left), {0.0, 0.5}, crossings.buffer(), n));
    ASSERT_EQ(n, 4);
    const double expected[] = {0, 1, 3, 4};
    for (short i = 0; i < n; ++i) EXPECT_NEAR(crossings[i].x, expected[i], kNear);
}

TEST_F(Crossings, RayOfAngleZeroHitsWhatLiesAhead) {
    std::vector<G_POINT> square = Square(2);
    const POLY body = Body(square);
    const RayCase cases[] = {
        {"angle 0 from inside", {1, 1}, 0.0, 1, {2, 1}},
        {"angle pi from inside", {1, 1}, GEO_PI, 1, {0, 1}},
        {"upwards from inside", {1, 1}, GEO_PI_2, 1, {1, 2}},
        {"angle 0 from outside", {-1, 1}, 0.0, 2, {0, 1}},
        {"pointing away", {3, 1}, 0.0, 0, {}},
        // Ordered along the line by increasing x, not from the origin on.
        {"angle pi from outside", {3, 1}, GEO_PI, 2, {0, 1}},
        {"angle -pi/2 from outside", {1, 3}, -GEO_PI_2, 2, {1, 0}},
    };
    for (const RayCase& c : cases) {
        SCOPED_TRACE(c.name);
        CrossingScope crossings;
        ASSERT_EQ(RayPolygonCrossings(c.origin, c.angle, body, crossings.buffer(), 0), c.result);
        if (c.result > 0) ExpectPoint(crossings[0], c.first.x, c.first.y, 1e-9);
    }
}

TEST_F(Crossings, SegmentPolygonCrossingsAlongTheSegment) {
    std::vector<G_POINT> square = Square(2);
    const POLY body = Body(square);
    CrossingScope crossings;
    ASSERT_EQ(SegmentPolygonCrossings(body, {-1, 1}, {3, 1}, crossings.buffer(), 0), 2);
    ExpectPoint(crossings[0], 0, 1);
    ExpectPoint(crossings[1], 2, 1);
    EXPECT_EQ(SegmentPolygonCrossings(body, {3, 1}, {5, 1}, crossings.buffer(), 0), 0);
    EXPECT_EQ(SegmentPolygonCrossings(body, {1, 1}, {1, 1.005}, crossings.buffer(), 0), 0);
    // Vertical segment: ordered by y.
    ASSERT_EQ(SegmentPolygonCrossings(body, {1, 3}, {1, -1}, crossings.buffer(), 0), 2);
    ExpectPoint(crossings[0], 1, 0);
    ExpectPoint(crossings[1], 1, 2);
}

TEST_F(Crossings, AVertexIsOnTheCuttingSideWithinGeoSnapOfDistanceWhateverItsLength) {
    // A run that dips below the middle half of the side: dip corners within
    // GeoSnap of the side lie on it (no change of side), farther ones make the
    // run cross it twice. The band is the same for a side of 0.1 and a wall
    // of 100, level or sloped.
    ASSERT_DOUBLE_EQ(GeoSnap(), 0.01);
    GeoTouchMode() = 0;
    struct Case {
        double length, angle, dip;
        short crossings;
    } cases[] = {{0.1, 0, 0.005, 0},   {0.1, 0, 0.015, 2},   {100, 0, 0.005, 0},
                 {100, 0, 0.015, 2},   {0.1, 0.7, 0.005, 0}, {0.1, 0.7, 0.015, 2},
                 {100, 0.7, 0.005, 0}, {100, 0.7, 0.015, 2}};
    for (const Case& c : cases) {
        const G_POINT u{std::cos(c.angle), std::sin(c.angle)};  // along the side
        const auto at = [&](double along, double off) {          // off: to the left
            return G_POINT{along * u.x - off * u.y, along * u.y + off * u.x};
        };
        const double L = c.length;
        std::vector<G_POINT> v{at(0, 1), at(L / 4, -c.dip), at(3 * L / 4, -c.dip), at(L, 1)};
        const POLY body = Body(v);
        CrossingScope crossings;
        const short n = SegmentPolygonCrossings(body, at(0, 0), at(L, 0), crossings.buffer(), 0);
        ASSERT_EQ(n, c.crossings) << L << " " << c.angle << " " << c.dip;
        for (short i = 0; i < n; ++i) {
            // Where the run's slanted sides meet the side, by similar triangles.
            const double along = i == 0 ? (L / 4) / (1 + c.dip) : L - (L / 4) / (1 + c.dip);
            ExpectPoint(crossings[i], at(along, 0).x, at(along, 0).y, 1e-12 * (1 + L));
        }
    }
}

TEST_F(Crossings, SegmentThroughACornerOnlyCountsWithTouchMode) {
    std::vector<G_POINT> square = Square(2);
    const POLY body = Body(square);
    // x + y = 4 meets the square only at its corner (2, 2).
    GeoTouchMode() = 1;
    {
        CrossingScope crossings;
        ASSERT_EQ(SegmentPolygonCrossings(body, {1, 3}, {3, 1}, crossings.buffer(), 0), 1);
        ExpectPoint(crossings[0], 2, 2);
    }
    GeoTouchMode() = 0;
    {
        CrossingScope crossings;
        EXPECT_EQ(SegmentPolygonCrossings(body, {1, 3}, {3, 1}, crossings.buffer(), 0), 0);
    }
}

TEST_F(Crossings, SegmentTouchingACornerIsDroppedWhenTheNeighboursStayOutside) {
    std::vector<G_POINT> square = Square(2);
    const POLY body = Body(square);
    // A cutting side from (2, 2) to (3, 3), passed end first, whose outline
    // comes from (1, 3): it only touches the square's corner.
    G_POINT before{1, 3}, after{3, 5}, inside{1, 1};
    GeoTouchMode() = 0;
    CrossingStart() = 0;
    {
        CrossingScope crossings;
        EXPECT_EQ(SegmentPolygonCrossings(body, {3, 3}, {2, 2}, crossings.buffer(), 0), 1);
    }
    CrossingPrevVertex() = &before;
    CrossingNextVertex() = &after;
    {
        CrossingScope crossings;
        EXPECT_EQ(SegmentPolygonCrossings(body, {3, 3}, {2, 2}, crossings.buffer(), 0), 0);
        EXPECT_EQ(CrossingStart(), 0);
    }
    CrossingPrevVertex() = &inside;  // now the outline enters the square there
    {
        CrossingScope crossings;
        ASSERT_EQ(SegmentPolygonCrossings(body, {3, 3}, {2, 2}, crossings.buffer(), 0), 1);
        ExpectPoint(crossings[0], 2, 2);
    }
}

TEST_F(Crossings, AFailedGrowthInTheTouchRuleEndsTheWorker) {
    std::vector<G_POINT> square = Square(2);
    const POLY body = Body(square);
    G_POINT before{3, 5}, after{5, 5};
    GeoTouchMode() = 0;
    CrossingPrevVertex() = &before;
    CrossingNextVertex() = &after;
    // The segment (1, 0) -> (1, 3) starts on the bottom side (touch rule at A)
    // and crosses the top side after it. The buffer is one entry short of the
    // 16-bit limit: the inside tests of the touch rule need two more slots,
    // and after their failure nothing may be inserted into a fresh buffer.
    const short full = 32766;
    G_POINT* buffer = static_cast<G_POINT*>(std::malloc(sizeof(G_POINT) * 32767));
    ASSERT_NE(buffer, nullptr);
    for (short i = 0; i < full; ++i) buffer[i] = G_POINT{-1.0 - i, 0};
    CrossingCapacity() = 32767;
    GeoError() = 0;
    EXPECT_EQ(SegmentPolygonCrossings(body, {1, 0}, {1, 3}, &buffer, full), 0);
    EXPECT_EQ(GeoError(), GEO_NO_MEMORY);
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(CrossingCapacity(), 0);
    EXPECT_EQ(CrossingStart(), 0);
    FreeCrossings(&buffer);
}

TEST_F(Crossings, TheTouchRuleLeavesAnEarlierErrorCodeInPlace) {
    std::vector<G_POINT> square = Square(2);
    G_POINT before{1, 3}, after{3, 5};
    GeoTouchMode() = 0;
    CrossingPrevVertex() = &before;
    CrossingNextVertex() = &after;
    GeoError() = 3;
    CrossingScope crossings;
    EXPECT_EQ(SegmentPolygonCrossings(Body(square), {3, 3}, {2, 2}, crossings.buffer(), 0), 0);
    EXPECT_EQ(GeoError(), 3);
}

TEST_F(Crossings, CrossingScopeStartsEmptyAndFreesOnExit) {
    {
        CrossingScope crossings;
        EXPECT_EQ(CrossingCapacity(), 0);
        AddCrossings({0, 0}, {0, 0}, 1, crossings.buffer(), 0, 0.0);
        EXPECT_GT(CrossingCapacity(), 0);
    }
    EXPECT_EQ(CrossingCapacity(), 0);
}

TEST_F(Crossings, ANestedScopeGivesBackTheOuterCapacity) {
    CrossingScope outer;
    AddCrossings({0, 0}, {1, 0}, 2, outer.buffer(), 0, 0.0);
    {
        CrossingScope inner;
        AddCrossings({5, 5}, {5, 5}, 1, inner.buffer(), 0, 0.0);
    }
    EXPECT_EQ(CrossingCapacity(), 10);
    EXPECT_EQ(AddCrossings({2, 0}, {2, 0}, 1, outer.buffer(), 2, 0.0), 1);
    EXPECT_EQ(outer[2].x, 2);
}

TEST_F(Crossings, AnOrderScopeSetsStartAndDirectionAndGivesThemBack) {
    CrossingStart() = 3;
    CrossingDescending() = 0;
    {
        CrossingOrderScope order(1, 1);
        EXPECT_EQ(CrossingStart(), 1);
        EXPECT_EQ(CrossingDescending(), 1);
        // Inserted from index 1 on, by decreasing x: 5 goes before 4, after the 0 held at 0.
        G_POINT array[4] = {{0, 0}, {4, 0}};
        EXPECT_EQ(InsertCrossing(array, {5, 0}, 2, 0.0), 1);
        ExpectPoint(array[0], 0, 0);
        ExpectPoint(array[1], 5, 0);
        ExpectPoint(array[2], 4, 0);
    }
    EXPECT_EQ(CrossingStart(), 3);
    EXPECT_EQ(CrossingDescending(), 0);
}

}  // namespace
