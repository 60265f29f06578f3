// Vertex views: reading and writing vertices in place, comparisons,
// transforms and the corner angle.
#include <gtest/gtest.h>

#include <cmath>

#include "angle.h"
#include "line.h"
#include "point.h"
#include "poly_member.h"
#include "polygon.h"
#include "polygon_fixtures.h"

namespace {

polygon Ring() { return Square(0, 0, 10); }  // closed, clockwise

TEST(PolyMember, ViewReadsAndWritesTheBody)
{
    polygon pg = Ring();
    poly_member v = pg[2];
    EXPECT_EQ(v.kind(), GEO_POLYGON);
    EXPECT_EQ(v.typecode(), GEO_POLY_MEMBER);
    EXPECT_DOUBLE_EQ(v.get_point().x(), 10.0);
    v.x() = 11.0;  // the body itself
    EXPECT_DOUBLE_EQ(pg.get_vertex(2)->x, 11.0);
    v = point(12, 12);
    EXPECT_DOUBLE_EQ(pg.get_vertex(2)->y, 12.0);
    EXPECT_DOUBLE_EQ(v.get_point().y(), 12.0);

    // The view follows a reallocated vertex array.
    for (int i = 0; i < 20; ++i)
        pg + point(i, i);
    v.y() = 13.0;
    EXPECT_DOUBLE_EQ(pg.get_vertex(2)->y, 13.0);

    v = line(0.0, 5.0);  // to the foot on y = 5
    EXPECT_DOUBLE_EQ(pg.get_vertex(2)->y, 5.0);
}

TEST(PolyMember, EmptyViewIgnoresAssignments)
{
    polygon pg = Ring();
    poly_member none = pg[9];
    EXPECT_EQ(none.kind(), 0);
    EXPECT_EQ(none.body(), nullptr);
    none = point(3, 3);
    EXPECT_DOUBLE_EQ(none.get_point().x(), 0.0);
    EXPECT_FALSE(none = pg[1]);
    poly_member v = pg[1];
    EXPECT_FALSE(v = none);
    // Without a body x() and y() refer to the view's own copy.
    none.x() = 4.0;
    EXPECT_DOUBLE_EQ(none.get_point().x(), 4.0);
    none.move(1.0, 0.0);  // transforms change only its point
    EXPECT_DOUBLE_EQ(none.get_point().x(), 5.0);
    EXPECT_FALSE(none = angle(90.0));
}

TEST(PolyMember, MovingVertexZeroLeavesTheClosingRepeat)
{
    polygon pg = Ring();
    poly_member first = pg[0];
    first.move(1.0, 1.0);
    EXPECT_DOUBLE_EQ(pg.get_vertex(0)->x, 1.0);
    EXPECT_DOUBLE_EQ(pg.get_vertex(4)->x, 0.0);
}

TEST(PolyMember, ComparisonsUseGeoSnapPerCoordinate)
{
    polygon pg = Ring();
    poly_member v = pg[1];  // (0, 10)
    EXPECT_TRUE(v == point(0.005, 10.005));
    EXPECT_FALSE(v == point(0.5, 10));
    // != needs both coordinates apart: a difference in x alone is neither.
    EXPECT_FALSE(v != point(0.5, 10));
    EXPECT_TRUE(v != point(0.5, 10.5));
    poly_member w = pg[2];
    EXPECT_FALSE(v == w);
    EXPECT_FALSE(v != w);  // same y
}

TEST(PolyMember, CornerAngleKeepsNeighboursAndSideRatio)
{
    polygon pg = Ring();
    poly_member corner = pg[1];  // (0,10) between (0,0) and (10,10)
    ASSERT_TRUE(corner = angle(60.0));
    const G_POINT& c = *pg.get_vertex(1);
    const double a = std::hypot(c.x - 0, c.y - 0), b = std::hypot(c.x - 10, c.y - 10);
    EXPECT_NEAR(a, b, 1e-9);  // the ratio 1 stays
    const double cosAt = ((0 - c.x) * (10 - c.x) + (0 - c.y) * (10 - c.y)) / (a * b);
    EXPECT_NEAR(std::acos(cosAt), 3.14159265358979323846 / 3, 1e-9);
    EXPECT_LT(c.x, 5.0);  // stays on its side of the chord

    poly_member zero = pg[0];
    ASSERT_TRUE(zero = angle(90.0));
    EXPECT_DOUBLE_EQ(pg.get_vertex(4)->x, pg.get_vertex(0)->x);  // the repeat follows
    EXPECT_DOUBLE_EQ(pg.get_vertex(4)->y, pg.get_vertex(0)->y);
}

TEST(PolyMember, CornerAngleTakesItsSideFromTheSignOfTheTurn)
{
    // prev (0,0) and next (10,0) stay; the vertex between them is set.
    // The corner (-5,5) has the angle acos(100 / (sqrt(50) * sqrt(250))) and an
    // obtuse angle at prev, which an arcsine would fold to (5,5). Where the
    // angle at prev is acute (45 degrees for a right corner of equal sides)
    // the vertex lands where the arcsine puts it: above the chord for a
    // positive turn, below it for a negative one, wherever it was before.
    const double obtuse = std::acos(100.0 / (std::sqrt(50.0) * std::sqrt(250.0)));
    struct Case {
        G_POINT vertex;
        angle a;
        G_POINT expected;
    } cases[] = {
        {{-5, 5}, angle(obtuse, 'r'), {-5, 5}},
        {{-5, -5}, angle(-obtuse, 'r'), {-5, -5}},
        {{-5, -5}, angle(obtuse, 'r'), {-5, 5}},
        {{5, 5}, angle(90.0), {5, 5}},
        {{5, -5}, angle(90.0), {5, 5}},
        {{5, 5}, angle(-90.0), {5, -5}},
    };
    for (const Case& c : cases) {
        const double xy[] = {0, 0, c.vertex.x, c.vertex.y, 10, 0};
        polygon pg;
        pg.load(xy, 3);
        poly_member v = pg[1];
        ASSERT_TRUE(v = c.a);
        EXPECT_NEAR(pg.get_vertex(1)->x, c.expected.x, 1e-9) << c.vertex.x << "," << c.vertex.y;
        EXPECT_NEAR(pg.get_vertex(1)->y, c.expected.y, 1e-9) << c.vertex.x << "," << c.vertex.y;
        EXPECT_DOUBLE_EQ(pg.get_vertex(0)->x, 0.0);
        EXPECT_DOUBLE_EQ(pg.get_vertex(2)->x, 10.0);
    }
}

TEST(PolyMember, CornerAngleNeedsDistinctNeighbours)
{
    const double xy[] = {0, 0, 0, 0.001, 5, 5};
    polygon pg;
    pg.load(xy, 3);
    poly_member v = pg[1];
    EXPECT_FALSE(v = angle(45.0));
    EXPECT_DOUBLE_EQ(pg.get_vertex(1)->y, 0.001);
}

TEST(PolyMember, ArcSidedRunKeepsVerticesAtEvenSlots)
{
    // vertex 0, sweep, vertex 1, sweep, vertex 2
    G_POINT slots[5] = {{0, 0}, {0.5, 0}, {4, 0}, {0, 0}, {4, 4}};
    POLY run{5, 5, slots, 1, false};
    poly_member second(&run, 1, GEO_VERTEX_RUN);
    EXPECT_DOUBLE_EQ(second.get_point().x(), 4.0);
    EXPECT_DOUBLE_EQ(second.get_point().y(), 0.0);
    second.move(0.0, 1.0);
    EXPECT_DOUBLE_EQ(slots[2].y, 1.0);
    EXPECT_DOUBLE_EQ(slots[1].x, 0.5);  // the sweep slot is untouched
}

TEST(PolyMember, AssignmentFromAList)
{
    polygon pg = Ring();
    poly_member v = pg[1];
    point a(2, 2), b(4, 6);
    EXPECT_TRUE(v = (a & b));  // the midpoint construction
    EXPECT_DOUBLE_EQ(pg.get_vertex(1)->x, 3.0);
    EXPECT_DOUBLE_EQ(pg.get_vertex(1)->y, 4.0);
}

}  // namespace
