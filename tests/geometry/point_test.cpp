// The point value class: construction from other objects, comparisons at the
// tolerance boundaries, drawing coordinates, on/inside/outside tests, positions
// along segments and arcs, picking from result lists, and the transforms.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "angle.h"
#include "arc.h"
#include "circle.h"
#include "geoitem.h"
#include "geolist_fixtures.h"
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

class PointTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedError_ = GeoError();
        savedSnap_ = GeoSnap();
        GeoError() = 0;
    }
    void TearDown() override
    {
        GeoError() = savedError_;
        GeoSnap() = savedSnap_;
    }
    char savedError_ = 0;
    double savedSnap_ = 0.0;
};

void ExpectAt(const point& p, double x, double y, double tol = 1e-9)
{
    EXPECT_NEAR(p.x(), x, tol);
    EXPECT_NEAR(p.y(), y, tol);
}

// The stored points as a crossing operator hands them out: a shared result.
geolist_ref StoredResult(const std::vector<G_POINT>& points)
{
    return geolist_ref(StoredPoints(points).body());
}

TEST_F(PointTest, EqualityIsStrictAtGeoSnap)
{
    struct Case {
        point other;
        bool equal;
        bool unequal;
    } cases[] = {
        {point(1.0, 2.0), true, false},
        {point(1.005, 2.0), true, false},
        {point(1.25, 2.0), false, true},
        {point(1.0, 2.03), false, true},
    };
    const point p(1.0, 2.0);
    for (const Case& c : cases) {
        EXPECT_EQ(p == c.other, c.equal) << c.other.x() << "," << c.other.y();
        EXPECT_EQ(p != c.other, c.unequal) << c.other.x() << "," << c.other.y();
    }
    // A difference of exactly GeoSnap (0.01) in one coordinate and less in the
    // other: neither equal nor unequal.
    const point origin(0.0, 0.0);
    for (const point& q : {point(0.01, 0.0), point(0.0, -0.01), point(0.005, 0.01)}) {
        EXPECT_FALSE(origin == q) << q.x() << "," << q.y();
        EXPECT_FALSE(origin != q) << q.x() << "," << q.y();
    }
    EXPECT_TRUE(origin != point(0.01, 0.02));  // one coordinate beyond is enough
    // The comparison follows a written tolerance.
    GeoSnap() = 0.25;
    EXPECT_FALSE(p == point(1.25, 2.0));
    EXPECT_FALSE(p != point(1.25, 2.0));
    EXPECT_TRUE(p == point(1.2, 2.0));
}

TEST_F(PointTest, DrawingCoordinatesRoundHalfwayDifferently)
{
    struct Case {
        double v;
        int ix;
        int iy;
    } cases[] = {
        {2.5, 2, 3}, {-2.5, -3, -2}, {2.5004, 2, 3}, {2.5006, 3, 3}, {3.0, 3, 3},
        {-4.0, -4, -4}, {2.2, 2, 2}, {2.7, 3, 3}, {-2.2, -2, -2},
    };
    for (const Case& c : cases) {
        const point p(c.v, c.v);
        EXPECT_EQ(p.ix(), c.ix) << c.v;
        EXPECT_EQ(p.iy(), c.iy) << c.v;
    }
}

TEST_F(PointTest, PlainArithmeticAndOrdering)
{
    const point p(3, 4);
    EXPECT_DOUBLE_EQ(p.dist(), 5.0);
    EXPECT_DOUBLE_EQ(p * point(2, -1), 2.0);
    ExpectAt(p * 2.0, 6, 8);
    point q = p;
    q *= -1;
    ExpectAt(q, -3, -4);
    EXPECT_TRUE(point(1, 1) < point(2, 2));
    EXPECT_FALSE(point(1, 1) < point(2, 1));  // both strictly, no tolerance
    const G_POINT& record = p;
    EXPECT_EQ(record.x, 3.0);
}

TEST_F(PointTest, ConstructorsFromOtherObjects)
{
    ExpectAt(point(circle(2.0, point(1, 2))), 1, 2);
    ExpectAt(point(arc(ARC{{5, 6}, 1, 0, 1})), 5, 6);
    ExpectAt(point(ray(point(7, 8), 1.0)), 7, 8);
    ExpectAt(point(point(0, 0), point(4, 2)), 2, 1);
    // Along a line: increasing x for d > 0; a negative slope moves y down.
    ExpectAt(point(line(0.0, 3.0), point(1, 3), 2.0), 3, 3);
    ExpectAt(point(line(GEO_VERTICAL, 1.0), point(1, 1), 2.0), 1, 3);
    const point down(line(-1.0, 0.0), point(0, 0), std::sqrt(2.0));
    ExpectAt(down, 1, -1);
    EXPECT_TRUE(down == line(-1.0, 0.0));
}

TEST_F(PointTest, ConstructorFromItemsAndResultLists)
{
    const geolist_ref stored = StoredResult({{1, 2}, {3, 4}});
    ExpectAt(point(stored), 1, 2);
    ExpectAt(point(stored[1]), 3, 4);
    EXPECT_EQ(GeoError(), 0);

    const point p(9, 9);
    const geolist list = p & 2.0;
    const point wrong(list[1]);  // a number item
    EXPECT_EQ(GeoError(), 3);
    ExpectAt(wrong, 0, 0);  // defined on failure
    ExpectAt(point(geolist_ref()), 0, 0);
}

TEST_F(PointTest, AssignmentsProjectAndPickClosest)
{
    point p(3, 5);
    p = line(0.0, 1.0);
    ExpectAt(p, 3, 1);
    p = point(5, 5);
    p = segment(point(0, 0), point(2, 0));
    ExpectAt(p, 2, 0);
    p = circle(2.0, point(1, 2));
    ExpectAt(p, 1, 2);

    point q(4, 0);
    EXPECT_TRUE(q = static_cast<const geobject&>(circle(1.0, point(0, 0))));
    ExpectAt(q, 1, 0);
    EXPECT_TRUE(q = static_cast<const geobject&>(line(GEO_VERTICAL, 3.0)));
    ExpectAt(q, 3, 0);
    EXPECT_FALSE(q = static_cast<const geobject&>(angle(30.0)));
    EXPECT_EQ(GeoError(), 3);
    ExpectAt(q, 3, 0);
}

TEST_F(PointTest, FromListItemsPolygonsAndTheirMembers)
{
    const segment s(point(0, 0), point(10, 0));
    const point q(4, 7);
    const geolist items = s & q;  // the segment first: higher code
    point p(3, 5);
    p = items[0];  // an object segment: its closest point to p
    ExpectAt(p, 3, 0);
    p = items[1];
    ExpectAt(p, 4, 7);
    EXPECT_TRUE(point(4, 7) == items[1]);
    EXPECT_TRUE(point(6, 0) == items[0]);
    EXPECT_FALSE(point(6, 1) == items[0]);

    polygon square;
    for (const point& v : {point(0, 0), point(10, 0), point(10, 10), point(0, 10), point(0, 0)})
        square + v;
    EXPECT_TRUE(point(square) < square);
    ExpectAt(point(square[1]), 10, 0);
    point m(1, 1);
    m = square[2];
    ExpectAt(m, 10, 10);
    EXPECT_TRUE(point(10, 10.005) == square[2]);
    ExpectAt(point(polygon()), 0, 0);
}

TEST_F(PointTest, PickingFromResultListsTakesTheNearestWithTies)
{
    point p(0, 0);
    EXPECT_FALSE(p = geolist_ref());
    EXPECT_TRUE(p = StoredResult({{5, 5}}));
    ExpectAt(p, 5, 5);

    // Two equidistant points: the second.
    p = point(0, 0);
    EXPECT_TRUE(p = StoredResult({{1, 0}, {-1, 0}}));
    ExpectAt(p, -1, 0);
    p = point(0, 0);
    EXPECT_TRUE(p = StoredResult({{1, 0}, {3, 0}}));
    ExpectAt(p, 1, 0);
    // Straight from an operator's temporary result.
    p = point(0, 0);
    EXPECT_TRUE(p = line(1.0, 0.0) % line(-1.0, 2.0));
    ExpectAt(p, 1, 1);
    // More: the first of equal minima.
    p = point(0, 0);
    EXPECT_TRUE(p = StoredResult({{4, 0}, {0, 2}, {-2, 0}, {0, -2}}));
    ExpectAt(p, 0, 2);
}

TEST_F(PointTest, OnObjects)
{
    const point p(1, 0);
    EXPECT_TRUE(p == line(0.0, 0.005));
    EXPECT_TRUE(p == circle(1.0, point(0, 0)));
    EXPECT_FALSE(p == circle(1.5, point(0, 0)));
    EXPECT_TRUE(p == segment(point(0, 0), point(2, 0)));
    EXPECT_TRUE(p != segment(point(2, 0), point(4, 0)));

    const arc upper(ARC{{0, 0}, 1, 0.0, kPi});
    EXPECT_TRUE(point(0, 1) == upper);
    EXPECT_TRUE(point(1, 0) == upper);
    EXPECT_FALSE(point(0, -1) == upper);
    EXPECT_FALSE(point(0, 0) == arc(ARC{{0, 0}, 0.005, 0.0, kPi}));  // no direction at the centre

    const ray r(point(1, 1), kPi / 2);
    EXPECT_TRUE(point(1, 1) == r);  // the origin
    EXPECT_TRUE(point(1, 5) == r);
    EXPECT_FALSE(point(1, -5) == r);
    // A ray stored as three quarters of a turn holds the points below its origin.
    EXPECT_TRUE(point(1, -5) == ray(G_POINT{1, 1}, 3 * kPi / 2));
}

// Equal start and end angles make a full-turn arc: every direction is on it.
TEST_F(PointTest, FullTurnArcHoldsEveryDirection)
{
    const arc full(ARC{{0, 0}, 1, 1.0, 1.0});
    EXPECT_TRUE(point(0, -1) == full);
    EXPECT_TRUE(point(-1, 0) == full);
    EXPECT_FALSE(point(0, -1.5) == full);  // off the circle
    EXPECT_TRUE(point(0, -0.5) < full);
    EXPECT_FALSE(point(0, -0.5) > full);
    EXPECT_TRUE(point(0, -2) > full);
    // A half-turn arc still rejects the other half.
    EXPECT_FALSE(point(0, -1) == arc(ARC{{0, 0}, 1, 0.0, kPi}));
}

TEST_F(PointTest, OnPolygonSidesWithoutTheClosingSide)
{
    polygon open;
    open + point(0, 0);
    open + point(10, 0);
    open + point(10, 10);
    EXPECT_TRUE(point(0, 0) == open);
    EXPECT_TRUE(point(10, 5) == open);
    EXPECT_FALSE(point(5, 5) == open);  // only on the closing side
}

TEST_F(PointTest, ThroughABaseReferenceAPointEqualsOnlyAPoint)
{
    const point p(1, 0);
    const line l(0.0, 0.0);
    const geobject& asObject = p;
    EXPECT_EQ(asObject.operator==(l), 0);  // slot 0
    EXPECT_TRUE(p == l);
}

TEST_F(PointTest, InsideAndOutside)
{
    const circle c(2.0, point(0, 0));
    EXPECT_TRUE(point(1, 0) < c);
    EXPECT_FALSE(point(1.995, 0) < c);
    EXPECT_FALSE(point(2.005, 0) > c);
    EXPECT_TRUE(point(3, 0) > c);

    const segment s(point(0, 0), point(10, 0));
    EXPECT_TRUE(point(5, 1) < static_cast<const geobject&>(s));  // left of start -> end
    EXPECT_TRUE(point(5, -1) > static_cast<const geobject&>(s));

    EXPECT_TRUE(point(1, 1) < static_cast<const geobject&>(point(2, 2)));  // nearer the origin
    EXPECT_TRUE(point(3, 0) > static_cast<const geobject&>(point(2, 2)));

    const arc upper(ARC{{0, 0}, 2, 0.0, kPi});
    EXPECT_TRUE(point(0, 1) < upper);
    EXPECT_FALSE(point(0, -1) < upper);
    EXPECT_TRUE(point(0, -1) > upper);  // outside the range
    EXPECT_TRUE(point(0, 0) < upper);   // the centre has no direction: inside
    EXPECT_TRUE(point(0, 0) > upper);   // and, by the other column, outside

    polygon square;
    for (const point& v : {point(0, 0), point(10, 0), point(10, 10), point(0, 10), point(0, 0)})
        square + v;
    EXPECT_TRUE(point(5, 5) < square);
    EXPECT_TRUE(point(15, 5) > square);
    EXPECT_FALSE(point(10, 5) < square);
    EXPECT_FALSE(point(10, 5) > square);

    EXPECT_FALSE(point(1, 1) < line(0.0, 0.0));
    EXPECT_FALSE(point(1, 1) > line(0.0, 0.0));
}

// An item is tested as the object it holds, a stored value as the object it
// stores; a stored point is no outline and answers false to both.
TEST_F(PointTest, InsideAndOutsideOfListItems)
{
    const geolist stored = StoredList({
        {GEO_STORED_PIECE, {{0, 0}, {10, 0}}},
        StoredRay({0, 0}, 0.0),
        StoredArc(ARC{{0, 0}, 2, 0.0, kPi}),
        StoredRun({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}),
        {GEO_STORED_POINT, {{1, 1}}},
    });
    const circle c(2.0, point(0, 0));
    const geolist objects(c);
    struct Case {
        geoitem item;
        point p;
        bool inside;
        bool outside;
    } cases[] = {
        {stored[0], point(5, 1), true, false},    // left of the piece
        {stored[0], point(5, -1), false, true},
        {stored[1], point(5, 1), true, false},    // left of the ray's direction
        {stored[1], point(5, -1), false, true},
        {stored[2], point(0, 1), true, false},    // within the arc's range
        {stored[2], point(0, -1), false, true},   // outside its range
        {stored[2], point(0, 3), false, true},
        {stored[3], point(5, 5), true, false},    // the run as a polygon
        {stored[3], point(15, 5), false, true},
        {stored[4], point(0, 0), false, false},
        {objects[0], point(1, 0), true, false},   // the circle object itself
        {objects[0], point(3, 0), false, true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "item " << k.item.type() << " at " << k.p.x() << "," << k.p.y());
        EXPECT_EQ(k.p < k.item, k.inside);
        EXPECT_EQ(k.p > k.item, k.outside);
    }
}

// Against a list: the vertical line through the point crosses its objects.
TEST_F(PointTest, InsideAndOutsideOfAList)
{
    const circle c(2.0, point(0, 0));
    const geolist list(c);
    EXPECT_TRUE(point(0, 0) < list);
    EXPECT_FALSE(point(0, 0) > list);
    EXPECT_FALSE(point(5, 0) < list);  // no crossing at all
    EXPECT_TRUE(point(5, 0) > list);
    EXPECT_FALSE(point(0, 3) < list);  // above both crossings
    EXPECT_TRUE(point(0, 3) > list);
}

// A stored piece is taken like a segment object.
TEST_F(PointTest, AssignedAStoredPieceTakesItsClosestPoint)
{
    const geolist stored = StoredList({{GEO_STORED_PIECE, {{0, 0}, {10, 0}}}});
    point p(3, 5);
    p = stored[0];
    ExpectAt(p, 3, 0);
    EXPECT_TRUE(point(7, 0.005) == stored[0]);
    EXPECT_FALSE(point(7, 1) == stored[0]);
}

TEST_F(PointTest, PositionAlongSegmentsAndArcs)
{
    const segment s(point(0, 0), point(10, 0));
    EXPECT_DOUBLE_EQ(point(5, 0).position(s), 0.5);
    EXPECT_GT(point(12, 0).position(s), 1.0);

    const arc quarter(ARC{{0, 0}, 1, 0.0, kPi / 2});
    EXPECT_NEAR(point(0.7071067811865476, 0.7071067811865476).position(quarter), 0.5, 1e-9);
    // An arc of three quarters from pi/2: a point past pi keeps a fraction in 0..1.
    const arc wide(ARC{{0, 0}, 1, kPi / 2, 0.0});
    EXPECT_NEAR(point(0, -1).position(wide), 2.0 / 3.0, 1e-9);
    EXPECT_NEAR(point(-1, 0).position(wide), 1.0 / 3.0, 1e-9);
    // The difference of directions comes out negative here: a full turn is added.
    EXPECT_NEAR(point(0.7071067811865476, -0.7071067811865476).position(wide), 5.0 / 6.0, 1e-9);
    // Short of the start of a quarter arc the difference is negative too: the
    // full turn puts the point beyond the end, (2*pi - pi/4) / (pi/2).
    EXPECT_NEAR(point(0.7071067811865476, -0.7071067811865476).position(quarter), (GEO_2PI - kPi / 4) / (kPi / 2), 1e-9);
    EXPECT_NEAR(point(0, -1).position(static_cast<const geobject&>(wide)), 2.0 / 3.0, 1e-9);
    EXPECT_EQ(point(0, -1).position(static_cast<const geobject&>(line(0.0, 0.0))), 0.0);
}

TEST_F(PointTest, BuildingPolygons)
{
    const polygon two = point(1, 2) + point(3, 4);
    ASSERT_EQ(two.count(), 2);
    EXPECT_EQ(two.get_vertex(0)->x, 1.0);
    EXPECT_EQ(two.get_vertex(1)->y, 4.0);
    const polygon three = point(0, 0) + segment(point(1, 0), point(1, 1));
    ASSERT_EQ(three.count(), 3);
    EXPECT_EQ(three.get_vertex(1)->x, 1.0);
    EXPECT_EQ(three.get_vertex(2)->y, 1.0);
}

TEST_F(PointTest, Transforms)
{
    point p(1, 2);
    p.move(3.0, -1.0);
    ExpectAt(p, 4, 1);
    p.move(point(4, 1));  // re-expressed relative to (4, 1)
    ExpectAt(p, 0, 0);
    p.move(angle(90.0), 2.0);
    ExpectAt(p, 0, 2);
    p.move(2.0, angle(0.0));
    ExpectAt(p, 2, 2);
    p.scale(2.0, 0.5);
    ExpectAt(p, 4, 1);
    p.scale(0.5);
    ExpectAt(p, 2, 0.5);

    point r(2, 0);
    r.rotate(point(1, 0), angle(90.0));
    ExpectAt(r, 1, 1);
    r.rotate(kPi / 2 + 6.28318530718, point(1, 0));  // reduced first
    ExpectAt(r, 0, 0);
    r = point(1, 0);
    r.rotate(kPi);
    ExpectAt(r, -1, 0);

    point m(1, 2);
    m.mirror(point(0, 0));
    ExpectAt(m, -1, -2);
    m.mirror(line(0.0, 0.0));
    ExpectAt(m, -1, 2);
    m.mirror(point(0, 0), point(0, 5));
    ExpectAt(m, 1, 2);
    m.mirror(point(3, 3), point(3, 3));  // no axis: unchanged
    ExpectAt(m, 1, 2);
    m.offset(5.0);
    ExpectAt(m, 1, 2);

    const segment f = m.frame();
    EXPECT_EQ(f.startPoint().x, 1.0);
    EXPECT_EQ(f.endPoint().y, 2.0);
    EXPECT_EQ((m % line(0.0, 0.0)).count(), 0);
    EXPECT_EQ((m << line(0.0, 0.0)).count(), 0);
}

}  // namespace
