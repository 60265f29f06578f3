#include "distances.h"

#include <cmath>
#include <type_traits>

#include <gtest/gtest.h>

#include "arc.h"
#include "circle.h"
#include "geoitem.h"
#include "geolist.h"
#include "line.h"
#include "point.h"
#include "poly_member.h"
#include "polygon.h"
#include "ray.h"
#include "segment.h"
#include "settings.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

LINE Horizontal(double y) { return LINE{0.0, y}; }
LINE Vertical(double x) { return LINE{GEO_VERTICAL, x}; }

TEST(Distances, LineDistanceSigns)
{
    EXPECT_DOUBLE_EQ(SignedLineDistance(Horizontal(2), G_POINT{7, 5}), 3.0);
    EXPECT_DOUBLE_EQ(SignedLineDistance(Horizontal(2), G_POINT{7, -1}), -3.0);
    EXPECT_DOUBLE_EQ(SignedLineDistance(Vertical(1), G_POINT{4, 9}), 3.0);  // right of it
    EXPECT_DOUBLE_EQ(SignedLineDistance(Vertical(1), G_POINT{-1, 9}), -2.0);
    EXPECT_NEAR(SignedLineDistance(LINE{1.0, 0.0}, G_POINT{0, 2}), std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(LineDistance(LINE{1.0, 0.0}, G_POINT{2, 0}), std::sqrt(2.0), 1e-12);
    // A slope of -100001 or less is an ordinary steep line, not the vertical sentinel.
    EXPECT_NEAR(SignedLineDistance(LINE{-GEO_VERTICAL, 0.0}, G_POINT{0, 1}), 1.0 / std::sqrt(GEO_VERTICAL * GEO_VERTICAL + 1),
                1e-15);
    EXPECT_DOUBLE_EQ(LineValueAt(Vertical(3), 5), 0.0);
    EXPECT_DOUBLE_EQ(LineValueAt(LINE{2.0, 1.0}, 5), 11.0);
}

TEST(Distances, DirectedLineDistanceIsPositiveOnTheLeft)
{
    const CIRCLE above{{5, 2}, 1};
    EXPECT_DOUBLE_EQ(DirectedLineDistance({0, 0}, {10, 0}, above), 2.0);
    EXPECT_DOUBLE_EQ(DirectedLineDistance({10, 0}, {0, 0}, above), -2.0);
}

TEST(Distances, ParallelLines)
{
    struct Case {
        LINE a, b;
        double expected;
    };
    const Case cases[] = {
        {{1.0, 0.0}, {1.0005, 3.0}, 3.0 / std::sqrt(2.0)},  // within GeoDif: parallel
        {{1.0, 0.0}, {1.002, 3.0}, 0.0},                     // not parallel
        {Horizontal(2), Horizontal(5), 3.0},
        {Vertical(1), Vertical(4), 3.0},
        {{1.0, 0.0}, {1.0, 2.0}, 2.0 / std::sqrt(2.0)},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(ParallelLinesDistance(c.a, c.b), c.expected, 1e-12);
}

TEST(Distances, SegmentParameterAndDistance)
{
    EXPECT_DOUBLE_EQ(SegmentParameter({0, 5}, {0, 0}, {0, 10}), 0.5);
    EXPECT_DOUBLE_EQ(SegmentParameter({3, 7}, {0, 0}, {10, 0}), 0.3);
    EXPECT_DOUBLE_EQ(SegmentParameter({0, 10}, {0, 0}, {10, 10}), 0.5);
    EXPECT_DOUBLE_EQ(SegmentParameter({0, 5}, {0, 0}, {0, 0.0005}), 0.0);  // no extent to speak of
    EXPECT_DOUBLE_EQ(SegmentDistance({5, 3}, {0, 0}, {10, 0}), 3.0);
    EXPECT_DOUBLE_EQ(SegmentDistance({13, 4}, {0, 0}, {10, 0}), 5.0);
}

TEST(Distances, NearerPointToLineTieTakesTheSecond)
{
    G_POINT nearer{};
    EXPECT_DOUBLE_EQ(NearerPointToLine({0, 1}, {5, 3}, Horizontal(0), &nearer), 1.0);
    EXPECT_DOUBLE_EQ(nearer.x, 0.0);
    EXPECT_DOUBLE_EQ(NearerPointToLine({0, 2}, {5, -2}, Horizontal(0), &nearer), 2.0);
    EXPECT_DOUBLE_EQ(nearer.x, 5.0);
    EXPECT_DOUBLE_EQ(NearerPointToLine({0, 4}, {5, 1}, Horizontal(0)), 1.0);
}

TEST(Distances, TangentCircleRadiusModes)
{
    const CIRCLE unit{{0, 0}, 1};
    const CIRCLE sixAway{{6, 0}, 1};
    const CIRCLE oneAway{{1, 0}, 1};
    const CIRCLE three{{0, 0}, 3};
    const CIRCLE small{{0, 0}, 1};
    struct Case {
        CIRCLE a, b;
        signed char mode;
        double expected;
    };
    const Case cases[] = {
        {unit, sixAway, 0, 2.0},
        {unit, sixAway, 1, 3.0},
        {unit, sixAway, 4, 3.0},
        {unit, sixAway, 5, 4.0},
        {unit, sixAway, 2, -1.0},
        {unit, sixAway, 8, -1.0},
        {unit, sixAway, 10, -1.0},
        {unit, oneAway, 0, 0.0},
        {unit, oneAway, 10, 0.5},
        {unit, oneAway, 2, 0.5},    // (r2 + d - r1) / 2
        {unit, oneAway, 1, 0.5},    // 1 fails, 4 fails, 2 holds
        {unit, oneAway, 8, 0.5},
        {small, three, 0, -1.0},    // concentric
        {small, three, 6, 2.0},
        {small, three, 9, 2.0},     // 9 fails (r1 < r2) and continues as 6
        {three, small, 9, 2.0},
        {three, small, 6, -1.0},
        {small, three, 5, -1.0},
        {unit, sixAway, 3, -1.0},
        {unit, sixAway, 7, -1.0},
        {unit, sixAway, -1, -1.0},
        {unit, sixAway, 11, -1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << int(c.mode));
        EXPECT_DOUBLE_EQ(TangentCircleRadius(c.a, c.b, c.mode), c.expected);
    }
}

TEST(Distances, ArcDistance)
{
    const ARC upper{{0, 0}, 2, 0.0, kPi};  // the upper half
    EXPECT_NEAR(ArcDistance({0, 5}, upper), 3.0, 1e-9);      // crossing inside the range
    EXPECT_NEAR(ArcDistance({0, -5}, upper), std::sqrt(29.0), 1e-9);  // nearest end
    EXPECT_NEAR(ArcDistance({0, 0.5}, upper), 1.5, 1e-9);
    EXPECT_NEAR(ArcSegmentDistance({-5, 4}, {5, 4}, upper), 2.0, 1e-9);
}

// The centre is one radius from every point of the arc; answering 0 there
// would report a hit where there is none, and jump from the radius an
// arbitrarily small step away.
TEST(Distances, ArcDistanceAtTheCentreIsTheRadius)
{
    const ARC upper{{0, 0}, 2, 0.0, kPi};
    EXPECT_DOUBLE_EQ(ArcDistance({0, 0}, upper), 2.0);
    EXPECT_NEAR(ArcDistance({0, 1e-9}, upper), 2.0, 1e-8);
    EXPECT_NEAR(ArcDistance({0, -1e-9}, upper), 2.0, 1e-8);
    // A segment through the centre measures from its point nearest the centre.
    EXPECT_DOUBLE_EQ(ArcSegmentDistance({-5, 0}, {5, 0}, upper), 2.0);
    const ARC shifted{{3, 4}, 1.5, -kPi / 2, kPi / 2};
    EXPECT_DOUBLE_EQ(ArcDistance({3, 4}, shifted), 1.5);
    GeoError() = 0;
    EXPECT_DOUBLE_EQ(GeoDistance(arc(shifted), point(3, 4)), 1.5);
    EXPECT_EQ(GeoError(), 0);
}

class GeoDistanceTest : public testing::Test {
protected:
    void SetUp() override { GeoError() = 0; }
    void TearDown() override { GeoError() = 0; }
};

TEST_F(GeoDistanceTest, EverySupportedPair)
{
    const point p(3, 4);
    const point origin(0, 0);
    const line horizontal(0.0, 1.0);
    const line above(0.0, 4.0);
    const circle r2(2.0, origin);
    const circle r7(7.0, origin);
    const circle unitA(1.0, point(0, 0));
    const circle unitB(1.0, point(5, 0));
    const circle unitC(1.0, point(1, 0));
    const segment vertical(point(0, -1), point(0, 1));
    const segment across(point(-1, 0), point(1, 0));
    const segment far(point(10, 0), point(10, 5));
    const arc upper(ARC{{0, 0}, 2, 0.0, kPi});
    const ray east(G_POINT{0, 0}, 0.0);
    struct Case {
        const geobject& a;
        const geobject& b;
        double expected;
    };
    const Case cases[] = {
        {p, origin, 5.0},
        {horizontal, p, 3.0},
        {horizontal, above, 3.0},
        {r2, p, 3.0},
        {r7, p, 2.0},
        {r2, above, 2.0},
        {unitA, unitB, 3.0},
        {unitA, unitC, 1.0},
        {far, p, std::sqrt(49.0)},
        {vertical, horizontal, 0.0},  // crossing the line: the nearer end, (0, 1)
        {far, horizontal, 1.0},
        {far, r2, 8.0},
        {vertical, across, 1.0},      // crossing segments: the nearest end point
        {upper, point(0, 5), 3.0},
        {upper, segment(point(-5, 4), point(5, 4)), 2.0},
        {east, point(-2, 0), 0.0},    // behind the origin, on the supporting line
        {east, point(5, 3), 3.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a.typecode() << " - " << c.b.typecode());
        EXPECT_NEAR(GeoDistance(c.a, c.b), c.expected, 1e-9);
        EXPECT_NEAR(GeoDistance(&c.b, &c.a), c.expected, 1e-9);  // either order
        EXPECT_EQ(GeoError(), 0);
    }
}

TEST_F(GeoDistanceTest, UnsupportedPairGivesZeroAndError3)
{
    const circle c(1.0, point(5, 5));
    const ray r(G_POINT{0, 0}, 0.0);
    EXPECT_DOUBLE_EQ(GeoDistance(c, r), 0.0);
    EXPECT_EQ(GeoError(), 3);
    GeoError() = 0;
    const arc a(ARC{{0, 0}, 1, 0, 1});
    EXPECT_DOUBLE_EQ(GeoDistance(a, c), 0.0);
    EXPECT_EQ(GeoError(), 3);
}

// Documented oddities: a segment crossing a line measures by its nearer end,
// lines that are not parallel are 0 apart, and a list is no measurable object.
TEST_F(GeoDistanceTest, CrossingsAreNotDetectedAndListsAreNotMeasured)
{
    const segment crossing(point(0, -1), point(0, 3));
    const line xAxis(0.0, 0.0);
    EXPECT_NEAR(GeoDistance(crossing, xAxis), 1.0, 1e-12);
    EXPECT_DOUBLE_EQ(GeoDistance(line(1.0, 0.0), line(1.002, 5.0)), 0.0);
    EXPECT_EQ(GeoError(), 0);

    const point a(0, 0), b(3, 4);
    const geolist both = a & b;
    EXPECT_DOUBLE_EQ(GeoDistance(both, a), 0.0);
    EXPECT_EQ(GeoError(), 3);
    GeoError() = 0;
    EXPECT_DOUBLE_EQ(GeoDistance(both[1], a), 0.0);  // an item is not unwrapped
    EXPECT_EQ(GeoError(), 3);
}

TEST_F(GeoDistanceTest, VertexViewMeasuresAsItsPoint)
{
    polygon pg;
    pg + point(3, 4) + point(10, 10);
    const poly_member first = pg[0];
    EXPECT_NEAR(GeoDistance(first, point(0, 0)), 5.0, 1e-12);
    EXPECT_EQ(GeoError(), 0);
}

TEST_F(GeoDistanceTest, MemberDistanceIsSinglePrecision)
{
    const point a(0, 0);
    const point b(1, 1);
    static_assert(std::is_same_v<decltype(a.distance(b)), float>);
    static_assert(std::is_same_v<decltype(a.distance(&b)), float>);
    EXPECT_EQ(a.distance(b), static_cast<float>(std::sqrt(2.0)));
    EXPECT_EQ(a.distance(&b), static_cast<float>(std::sqrt(2.0)));
}

} // namespace
