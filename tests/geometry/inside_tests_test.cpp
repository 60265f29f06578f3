#include "inside_tests.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "arc.h"
#include "crossing_fixtures.h"
#include "intersections.h"
#include "polygon.h"
#include "settings.h"

namespace {

class InsideTests : public CrossingSettingsTest {};

// --- inside tests -------------------------------------------------------------------

struct InsideCase {
    G_POINT point;
    int expected;
};

int Classify(std::vector<G_POINT>& outline, const G_POINT& p) {
    CrossingScope crossings;
    return PointInPolygon(p, Body(outline), crossings.buffer(), 0);
}

TEST_F(InsideTests, UnitSquareInsideOnOutlineAndOutside) {
    std::vector<G_POINT> square = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}};
    const InsideCase cases[] = {
        {{0.5, 0.5}, 0}, {{0.5, 0.005}, 2}, {{2, 0.5}, 1}, {{0.5, 1.5}, 1}, {{0, 0.5}, 2},
    };
    for (const InsideCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << ", " << c.point.y);
        EXPECT_EQ(Classify(square, c.point), c.expected);
    }
}

TEST_F(InsideTests, DiamondCutThroughTwoVertices) {
    std::vector<G_POINT> diamond = {{1, 0}, {2, 1}, {1, 2}, {0, 1}, {1, 0}};
    {
        CrossingScope crossings;
        ASSERT_EQ(PolygonLineCrossings(Body(diamond), {GEO_VERTICAL, 1.0}, crossings.buffer(), 0),
                  2);
        ExpectPoint(crossings[0], 1, 0);
        ExpectPoint(crossings[1], 1, 2);
    }
    EXPECT_EQ(Classify(diamond, {1, 0.5}), 0);
    EXPECT_EQ(Classify(diamond, {1, 2.5}), 1);
    EXPECT_EQ(Classify(diamond, {1.5, 0.5}), 2);
}

TEST_F(InsideTests, EmptyPolygonGivesZero) {
    std::vector<G_POINT> none;
    EXPECT_EQ(Classify(none, {0, 0}), 0);
}

TEST_F(InsideTests, PointInPolygonUsesOnlyEntriesFromItsFirstIndex) {
    std::vector<G_POINT> square = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}};
    CrossingScope crossings;
    // An earlier operation left three entries in the buffer.
    AddCrossings({0, -5}, {0, 5}, 2, crossings.buffer(), 0, GEO_VERTICAL);
    AddCrossings({0, 7}, {0, 7}, 1, crossings.buffer(), 2, GEO_VERTICAL);
    EXPECT_EQ(PointInPolygon({0.5, 0.5}, Body(square), crossings.buffer(), 3), 0);
    EXPECT_EQ(CrossingStart(), 0);
    EXPECT_EQ(crossings[0].y, -5);
    EXPECT_EQ(crossings[2].y, 7);
}

struct SpanCase {
    double y;
    bool outside, inside;
};

TEST_F(InsideTests, SpanTestsLeaveAGapOfGeoSnapAtEachCrossing) {
    const G_POINT ascending[] = {{0, 0}, {0, 1}};
    const SpanCase cases[] = {
        {0.5, false, true},
        {0.995, false, false},
        {1.02, true, false},
        {-0.5, true, false},
    };
    for (const SpanCase& c : cases) {
        SCOPED_TRACE(c.y);
        EXPECT_EQ(OutsideCrossingSpans({0, c.y}, ascending, 2, GEO_VERTICAL), c.outside);
        EXPECT_EQ(InsideCrossingSpans({0, c.y}, ascending, 2, GEO_VERTICAL), c.inside);
    }
}

TEST_F(InsideTests, SpanTestsOverSeveralSpansAndDescendingOrder) {
    const G_POINT spans[] = {{0, 0}, {1, 0}, {3, 0}, {4, 0}};
    EXPECT_TRUE(InsideCrossingSpans({3.5, 0}, spans, 4, 0.0));
    EXPECT_TRUE(OutsideCrossingSpans({2, 0}, spans, 4, 0.0));
    EXPECT_FALSE(InsideCrossingSpans({2, 0}, spans, 4, 0.0));
    EXPECT_FALSE(OutsideCrossingSpans({3.005, 0}, spans, 4, 0.0));
    EXPECT_FALSE(InsideCrossingSpans({3.005, 0}, spans, 4, 0.0));
    const G_POINT descending[] = {{4, 0}, {3, 0}, {1, 0}, {0, 0}};
    CrossingDescending() = 1;
    EXPECT_TRUE(InsideCrossingSpans({0.5, 0}, descending, 4, 0.0));
    EXPECT_TRUE(OutsideCrossingSpans({2, 0}, descending, 4, 0.0));
}

// --- arc-sided runs ------------------------------------------------------------------

// Vertex i in slot 2i, the sweep of the side to vertex i+1 in slot 2i+1.
std::vector<G_POINT> Slots(const std::vector<G_POINT>& vertices,
                           const std::vector<double>& sweeps) {
    std::vector<G_POINT> slots;
    for (size_t i = 0; i < vertices.size(); ++i) {
        slots.push_back(vertices[i]);
        if (i + 1 < vertices.size()) slots.push_back({sweeps[i], 0});
    }
    return slots;
}

int AgainstRun(std::vector<G_POINT>& slots, const G_POINT& p) {
    CrossingScope crossings;
    const short count = static_cast<short>((slots.size() + 1) / 2);
    return PointAgainstRun(p, slots.data(), count, crossings.buffer(), 0);
}

TEST_F(InsideTests, StraightRunClosedOrOpen) {
    std::vector<G_POINT> closed = Slots({{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}}, {0, 0, 0, 0});
    std::vector<G_POINT> open = Slots({{0, 0}, {2, 0}, {2, 2}, {0, 2}}, {0, 0, 0});
    const std::vector<G_POINT> untouched = open;
    const InsideCase cases[] = {
        {{1, 1}, 0}, {{3, 1}, 1}, {{1, 2}, 2}, {{0, 1}, 2}, {{1, 5}, 1}, {{-3, -3}, 1},
    };
    for (const InsideCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << ", " << c.point.y);
        EXPECT_EQ(AgainstRun(closed, c.point), c.expected);
        // The closing side takes part, on a copy.
        EXPECT_EQ(AgainstRun(open, c.point), c.expected);
    }
    ASSERT_EQ(open.size(), untouched.size());
    for (size_t i = 0; i < open.size(); ++i)
        ExpectPoint(open[i], untouched[i].x, untouched[i].y, 0);
}

TEST_F(InsideTests, RunWithAnArcSide) {
    // A "D": the straight side from (0, -1) up to (0, 1), then a half circle
    // of radius 1 about the origin back down through (1, 0).
    std::vector<G_POINT> d = Slots({{0, -1}, {0, 1}, {0, -1}}, {0, -GEO_PI});
    // The arc side as the run builds it: a half circle about the origin through (1, 0).
    ARC side{};
    ASSERT_TRUE(ArcFrom2PointsAngle({0, 1}, {0, -1}, -GEO_PI, side));
    EXPECT_NEAR(side.center.x, 0, kNear);
    EXPECT_NEAR(side.center.y, 0, kNear);
    EXPECT_NEAR(side.radius, 1, kNear);
    const InsideCase cases[] = {
        {{0.5, 0}, 0}, {{0.9, 0.3}, 0}, {{1.2, 0}, 1}, {{-0.5, 0}, 1}, {{1, 0}, 2}, {{0, 0.5}, 2},
    };
    for (const InsideCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << ", " << c.point.y);
        EXPECT_EQ(AgainstRun(d, c.point), c.expected);
    }
    // A square whose right side bulges out as a half circle about (2, 1).
    std::vector<G_POINT> bay = Slots({{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}}, {0, GEO_PI, 0, 0});
    const InsideCase bayCases[] = {
        {{2.5, 1}, 0}, {{1, 1}, 0}, {{2.5, 1.9}, 1}, {{3, 1}, 2}, {{3.5, 1}, 1}, {{1, 2}, 2},
    };
    for (const InsideCase& c : bayCases) {
        SCOPED_TRACE(testing::Message() << "bay " << c.point.x << ", " << c.point.y);
        EXPECT_EQ(AgainstRun(bay, c.point), c.expected);
    }
}

// A buffer holding `used` entries with room for exactly one more before the
// 16-bit limit; a cut that adds two crossings must fail to grow it.
G_POINT* NearlyFullBuffer(short used) {
    G_POINT* buffer = static_cast<G_POINT*>(std::malloc(sizeof(G_POINT) * (used + 1)));
    for (short i = 0; buffer != nullptr && i < used; ++i) buffer[i] = G_POINT{0, -1.0 - i};
    CrossingCapacity() = static_cast<short>(used + 1);
    return buffer;
}

TEST_F(InsideTests, AFailedGrowthReportsMemoryAndLeavesNoBuffer) {
    const short used = 32766;
    std::vector<G_POINT> run = Slots({{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}}, {0, 0, 0, 0});
    GeoError() = 0;
    G_POINT* buffer = NearlyFullBuffer(used);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(RunLineCrossings(run.data(), 5, {GEO_VERTICAL, 1.0}, &buffer, used), 0);
    EXPECT_EQ(GeoError(), GEO_NO_MEMORY);
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(CrossingCapacity(), 0);

    // The polygon test then sees no crossings and answers "outside".
    std::vector<G_POINT> square = {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}};
    GeoError() = 0;
    buffer = NearlyFullBuffer(used);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(PointInPolygon({1, 1}, Body(square), &buffer, used), 1);
    EXPECT_EQ(GeoError(), GEO_NO_MEMORY);
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(CrossingCapacity(), 0);
}

// --- tests on lines and segments ------------------------------------------------------

TEST_F(InsideTests, PointOnSegmentEndObeysTouchMode) {
    GeoTouchMode() = 1;
    EXPECT_TRUE(PointOnSegment({1, 0}, {0, 0}, {1, 0}));
    GeoTouchMode() = 0;
    EXPECT_FALSE(PointOnSegment({1, 0}, {0, 0}, {1, 0}));
    EXPECT_TRUE(PointOnSegment({0.5, 0.005}, {0, 0}, {1, 0}));
    EXPECT_TRUE(PointOnSegment({1, 1.005}, {0, 0}, {2, 2}));
    EXPECT_FALSE(PointOnSegment({1, 1.1}, {0, 0}, {2, 2}));
}

TEST_F(InsideTests, PointOnLineMeasuresVertically) {
    EXPECT_TRUE(PointOnLine({2, 2.005}, {1.0, 0.0}));
    EXPECT_FALSE(PointOnLine({2, 2.02}, {1.0, 0.0}));
    EXPECT_TRUE(PointOnLine({3.005, 9}, {GEO_VERTICAL, 3.0}));
    EXPECT_TRUE(PointOnLine({9, -1.005}, {0.0, -1.0}));
}

TEST_F(InsideTests, LeftAndRightOfADirectedLine) {
    EXPECT_TRUE(PointLeftOfLine({0, 1}, {0, 0}, {1, 0}));
    EXPECT_FALSE(PointRightOfLine({0, 1}, {0, 0}, {1, 0}));
    // Axis-parallel within GeoSnap: compared without tolerance.
    EXPECT_TRUE(PointLeftOfLine({0, 0.001}, {0, 0}, {1, 0.005}));
    EXPECT_TRUE(PointRightOfLine({5, -0.001}, {0, 0}, {1, 0.005}));
    EXPECT_TRUE(PointLeftOfLine({0, 1}, {0, 0}, {1, 1}));
    EXPECT_TRUE(PointRightOfLine({1, 0}, {0, 0}, {1, 1}));
    EXPECT_FALSE(PointLeftOfLine({0.5, 0.5}, {0, 0}, {1, 1}));
    EXPECT_TRUE(PointLeftOfLine({1, 0}, {0, 1}, {0, 0}));  // downwards: left is +x
}

// --- point operations ----------------------------------------------------------------

TEST_F(InsideTests, CentroidMultipliesByTheDoubleNearestAThird) {
    G_POINT c{};
    TriangleCentroid(c, {0, 0}, {3, 0}, {0, 3});
    EXPECT_DOUBLE_EQ(c.x, 1.0);
    EXPECT_DOUBLE_EQ(c.y, 1.0);
}

TEST_F(InsideTests, CircumCentreAndItsFallbacks) {
    G_POINT c{};
    ExpectPoint(CircumCentre(c, {0, 0}, {2, 0}, {4, 0}), 2, 0);
    ExpectPoint(CircumCentre(c, {0, 0}, {0, 0}, {2, 0}), 1, 0);
    ExpectPoint(CircumCentre(c, {0, 0}, {4, 0}, {0, 2}), 2, 1);
}

TEST_F(InsideTests, PerpendicularOffsetUsesTheLeftNormalInEveryDirection) {
    struct Case {
        G_POINT p1, p2;
        G_POINT expected;
    };
    const Case cases[] = {
        {{0, 0}, {0, 5}, {-2, 0}},  // upwards: left is -x
        {{0, 5}, {0, 0}, {2, 0}},   // downwards: left is +x
        {{0, 0}, {5, 0}, {0, 2}},   // to +x: left is +y
        {{5, 0}, {0, 0}, {0, -2}},  // to -x: left is -y
        {{0, 0}, {3, 4}, {-1.6, 1.2}},
    };
    for (const Case& c : cases) {
        G_POINT out{};
        ExpectPoint(PerpendicularOffsetPoint(out, c.p1, c.p2, {0, 0}, 2.0), c.expected.x,
                    c.expected.y);
    }
}

TEST_F(InsideTests, PointAlongLineMovesTowardsIncreasingX) {
    G_POINT out{};
    ExpectPoint(PointAlongLine(out, {GEO_VERTICAL, 1}, {1, 1}, 2), 1, 3);
    ExpectPoint(PointAlongLine(out, {0.0, 1}, {1, 1}, -2), -1, 1);
    ExpectPoint(PointAlongLine(out, {-0.75, 0}, {0, 0}, 5), 4, -3);
}

TEST_F(InsideTests, RotationsAndMirrors) {
    G_POINT p{2, 1};
    ExpectPoint(RotatePoint(p, {1, 1}, GEO_PI_2), 1, 2);
    p = {2, 1};
    ExpectPoint(MirrorPointAboutPoint(p, {1, 1}), 0, 1);
    p = {0, 0};
    ExpectPoint(MirrorPointAboutLine(p, {1.0, 1.0}), -1, 1);
    p = {0, 0};
    ExpectPoint(MirrorPointAboutLine(p, {GEO_VERTICAL, 2.0}), 4, 0);
    p = {0, 0};
    ExpectPoint(MirrorPointAboutLine(p, {0.0, -1.5}), 0, -3);
    G_POINT out{};
    ExpectPoint(PointAtParameter(out, {0, 1}, {4, 1.005}, 0.5), 2, 1);
    ExpectPoint(TranslatePoint(out, {1, 2}, 3, -4), 4, -2);
}

TEST_F(InsideTests, RadicalAxisPointOnTheCentreLine) {
    G_POINT out{};
    ExpectPoint(RadicalAxisPoint(out, {{0, 0}, 5}, {{6, 0}, 5}), 3, 0);
    ExpectPoint(RadicalAxisPoint(out, {{1, 1}, 5}, {{1, 1}, 2}), 1, 1);
}

// --- tangents ----------------------------------------------------------------------------

TEST_F(InsideTests, TangentPointsFromAnOutsidePoint) {
    G_POINT out[2] = {};
    ASSERT_EQ(TangentPointsFromPoint({{0, 0}, 1}, {2, 0}, out), 2);
    ExpectPoint(out[0], 0.5, -std::sqrt(0.75), 1e-12);
    ExpectPoint(out[1], 0.5, std::sqrt(0.75), 1e-12);
    EXPECT_EQ(TangentPointsFromPoint({{0, 0}, 1}, {1.005, 0}, out), 1);
    EXPECT_EQ(TangentPointsFromPoint({{0, 0}, 1}, {0.5, 0}, out), 0);
}

// Each pair (T[i], T[i+1]) lies on both circles and its line is tangent to both.
void ExpectCommonTangent(const G_POINT& a, const G_POINT& b, const CIRCLE& c1, const CIRCLE& c2) {
    EXPECT_NEAR(std::hypot(a.x - c1.center.x, a.y - c1.center.y), c1.radius, 1e-9);
    EXPECT_NEAR(std::hypot(b.x - c2.center.x, b.y - c2.center.y), c2.radius, 1e-9);
    const double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
    for (const CIRCLE& c : {c1, c2}) {
        const double distance = std::fabs(dx * (c.center.y - a.y) - dy * (c.center.x - a.x)) / len;
        EXPECT_NEAR(distance, c.radius, 1e-9);
    }
}

TEST_F(InsideTests, CommonTangentsOfCirclesApartTouchingAndInside) {
    const CIRCLE c1{{0, 0}, 1};
    G_POINT out[8] = {};
    const CIRCLE apart{{4, 0}, 1};
    ASSERT_EQ(CommonTangentPoints(c1, apart, out), 8);
    for (int i = 0; i < 8; i += 2) ExpectCommonTangent(out[i], out[i + 1], c1, apart);
    const CIRCLE touching{{2, 0}, 1};
    ASSERT_EQ(CommonTangentPoints(c1, touching, out), 5);
    ExpectPoint(out[0], 1, 0);
    for (int i = 1; i < 5; i += 2) ExpectCommonTangent(out[i], out[i + 1], c1, touching);
    EXPECT_EQ(CommonTangentPoints(c1, {{1, 0}, 2}, out), 1);
    EXPECT_EQ(CommonTangentPoints(c1, {{0, 0}, 1}, out), 0);
    const CIRCLE crossing{{1.5, 0}, 2};
    ASSERT_EQ(CommonTangentPoints(c1, crossing, out), 4);
    for (int i = 0; i < 4; i += 2) ExpectCommonTangent(out[i], out[i + 1], c1, crossing);
    const CIRCLE larger{{5, 1}, 2.5};
    ASSERT_EQ(CommonTangentPoints(c1, larger, out), 8);
    for (int i = 0; i < 8; i += 2) ExpectCommonTangent(out[i], out[i + 1], c1, larger);
}

// --- projections and closest points ----------------------------------------------------

TEST_F(InsideTests, ProjectionsAndClosestPoints) {
    G_POINT out{};
    ExpectPoint(ProjectPointOnLine(out, {1.0, 0.0}, {0, 2}), 1, 1);
    ExpectPoint(ProjectPointOnLine(out, {GEO_VERTICAL, 3.0}, {0, 2}), 3, 2);
    ExpectPoint(ClosestPointOnCircle(out, {{1, 1}, 2}, {5, 1}), 3, 1);
    ExpectPoint(ClosestPointOnCircle(out, {{1, 1}, 2}, {1, -4}), 1, -1);
    ExpectPoint(ClosestPointOnSegment(out, {5, 1}, {0, 0}, {2, 0}), 2, 0);
    ExpectPoint(ClosestPointOnSegment(out, {-5, 1}, {0, 0}, {2, 0}), 0, 0);
    ExpectPoint(ClosestPointOnSegment(out, {1, 1}, {0, 0}, {2, 0}), 1, 0);
    ExpectPoint(ClosestPointOnSegment(out, {1, 1}, {3, 3}, {3, 3}), 3, 3);
}

TEST_F(InsideTests, ClosestPointOnCircleFromItsCentreLiesOnTheCircle) {
    G_POINT out{};
    ExpectPoint(ClosestPointOnCircle(out, {{1, 2}, 3}, {1, 2}), 4, 2);
}

TEST_F(InsideTests, ClosestPointOnOutlineIncludesTheClosingSide) {
    const G_POINT run[] = {{0, 0}, {1, 0}, {1, 1}};
    G_POINT out{};
    ASSERT_TRUE(ClosestPointOnOutline(out, run, 3, {0, 0.5}));
    ExpectPoint(out, 0.25, 0.25);
    EXPECT_FALSE(ClosestPointOnOutline(out, run, 0, {0, 0.5}));
}

TEST_F(InsideTests, ClosestPointOnSidesValidatesItsRange) {
    const G_POINT run[] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}};
    G_POINT out{9, 9};
    ASSERT_TRUE(ClosestPointOnSides(out, run, 4, {3, 1}, 1, 2));
    ExpectPoint(out, 2, 1);
    ASSERT_TRUE(ClosestPointOnSides(out, run, 4, {1, 3}, 0, 3));
    ExpectPoint(out, 1, 2);
    out = {9, 9};
    EXPECT_FALSE(ClosestPointOnSides(out, run, 4, {1, 3}, 3, 4));
    EXPECT_FALSE(ClosestPointOnSides(out, run, 1, {1, 3}, 0, 1));
    ExpectPoint(out, 9, 9);
}

TEST_F(InsideTests, NearestSideIndex) {
    const G_POINT run[] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}};
    EXPECT_EQ(NearestSideIndex(run, 4, {1, -1}), 0);
    EXPECT_EQ(NearestSideIndex(run, 4, {3, 1}), 1);
    EXPECT_EQ(NearestSideIndex(run, 4, {1, 3}), 2);
    EXPECT_EQ(NearestSideIndex(run, 2, {1, 3}), 0);
    EXPECT_EQ(NearestSideIndex(run, 1, {1, 3}), -1);
}

double ChordLength(const G_POINT& q, const LINE& m, const LINE& l2) {
    // The parallel of m through q, cut with l2.
    LINE parallel =
        m.ltan >= GEO_VERTICAL ? LINE{GEO_VERTICAL, q.x} : LINE{m.ltan, q.y - m.ltan * q.x};
    G_POINT r{};
    if (!IntersectLines(parallel, l2, r)) return -1;
    return std::hypot(r.x - q.x, r.y - q.y);
}

TEST_F(InsideTests, ParallelChordPointGivesAChordOfTheLength) {
    struct Case {
        const char* name;
        LINE m, l1, l2;
    };
    const Case cases[] = {
        {"general", {0.0, 5.0}, {1.0, 0.0}, {-1.0, 0.0}},
        {"m vertical", {GEO_VERTICAL, 4.0}, {1.0, 0.0}, {-1.0, 0.0}},
        {"l1 vertical", {0.0, 5.0}, {GEO_VERTICAL, 0.0}, {1.0, 0.0}},
        {"l2 vertical", {-1.0, 3.0}, {1.0, 0.0}, {GEO_VERTICAL, 0.0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        G_POINT q{};
        ParallelChordPoint(q, c.m, c.l1, c.l2, 2.0);
        EXPECT_TRUE(PointOnLine(q, c.l1));
        EXPECT_NEAR(ChordLength(q, c.m, c.l2), 2.0, 1e-9);
        // On m's side of the crossing of l1 and l2 (the origin here).
        EXPECT_EQ(PointSideOfLine(c.m, q, 0), PointSideOfLine(c.m, {0, 0}, 0));
    }
    G_POINT q{7, 7};
    ExpectPoint(ParallelChordPoint(q, {0.0, 1.0}, {1.0, 0.0}, {1.0, 3.0}, 2.0), 0, 0);
}

// --- polygon extent and inner point ---------------------------------------------------

TEST_F(InsideTests, ExtentAndInnerPoint) {
    std::vector<G_POINT> square = {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}};
    G_POINT lo{}, hi{};
    ASSERT_EQ(PolygonExtent(lo, hi, Body(square)), 1);
    ExpectPoint(lo, 0, 0);
    ExpectPoint(hi, 2, 2);
    G_POINT inner{};
    ASSERT_EQ(PolygonInnerPoint(Body(square), inner), 1);
    ExpectPoint(inner, 1, 1);
    std::vector<G_POINT> triangle = {{0, 0}, {3, 0}, {0, 3}, {0, 0}};
    ASSERT_EQ(PolygonInnerPoint(Body(triangle), inner), 1);
    ExpectPoint(inner, 1, 1, 1e-15);
    std::vector<G_POINT> none;
    EXPECT_EQ(PolygonInnerPoint(Body(none), inner), 0);
    EXPECT_EQ(PolygonExtent(lo, hi, Body(none)), 0);
}

TEST_F(InsideTests, InnerPointOfAnLShapeLiesInside) {
    std::vector<G_POINT> ell = {{0, 0}, {4, 0}, {4, 1}, {1, 1}, {1, 4}, {0, 4}, {0, 0}};
    G_POINT inner{};
    ASSERT_EQ(PolygonInnerPoint(Body(ell), inner), 1);
    EXPECT_EQ(Classify(ell, inner), 0);
    EXPECT_EQ(CrossingCapacity(), 0);
}

TEST_F(InsideTests, NearVerticalWallsCountOnlyOverTheirOwnRange) {
    // A wall whose x changes by less than GeoSnap, ending straight below or
    // above the test point, one unit from it: inside whichever way it leans.
    struct Case {
        const char* name;
        std::vector<G_POINT> room;
        G_POINT point;
    };
    const Case cases[] = {
        {"end below, leaning left", {{0, 0}, {5.012, 0}, {5.004, 3}, {10, 3}, {10, 10}, {0, 10}, {0, 0}}, {5, 4}},
        {"end below, leaning right", {{0, 0}, {5.004, 0}, {5.008, 3}, {10, 3}, {10, 10}, {0, 10}, {0, 0}}, {5, 4}},
        {"end above", {{0, 0}, {10, 0}, {10, 7}, {5.004, 7}, {5.012, 10}, {0, 10}, {0, 0}}, {5, 6}},
        {"end above, walked the other way", {{0, 0}, {0, 10}, {5.012, 10}, {5.004, 7}, {10, 7}, {10, 0}, {0, 0}}, {5, 6}},
        {"both ends on the vertical", {{0, 0}, {5.006, 0}, {5.006, 3}, {10, 3}, {10, 10}, {0, 10}, {0, 0}}, {5, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<G_POINT> room = c.room;
        EXPECT_EQ(Classify(room, c.point), 0);
        EXPECT_EQ(Classify(room, {c.point.x, 20}), 1);
    }
}

}  // namespace
