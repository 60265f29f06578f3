#include "circle.h"

#include <cmath>
#include <cstdlib>

#include <gtest/gtest.h>

#include "angle.h"
#include "arc.h"
#include "geolist.h"
#include "intersections.h"
#include "line.h"
#include "over_pattern.h"
#include "point.h"
#include "poly_member.h"
#include "polygon.h"
#include "ray.h"
#include "segment.h"
#include "settings.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

class CircleTest : public testing::Test {
protected:
    void SetUp() override { GeoError() = 0; }
    void TearDown() override { GeoError() = 0; }
};

void ExpectCircle(const circle& c, double x, double y, double r, double tol = 1e-9)
{
    EXPECT_NEAR(c.record().center.x, x, tol);
    EXPECT_NEAR(c.record().center.y, y, tol);
    EXPECT_NEAR(c.rad(), r, tol);
}

const G_POINT& StoredAt(const geolist_ref& r, short i, short slot) { return r.body()->items[i].stored[slot]; }
int CodeAt(const geolist_ref& r, short i) { return r.body()->items[i].code; }
ARC ArcAt(const geolist_ref& r, short i)
{
    const G_POINT* s = r.body()->items[i].stored;
    return ARC{s[0], s[1].x, s[1].y, s[2].x};
}

TEST_F(CircleTest, ConstructionKeepsTheRadiusAsGiven)
{
    ExpectCircle(circle(), 0, 0, 0);
    ExpectCircle(circle(point(1, 2), -3.0), 1, 2, -3);
    ExpectCircle(circle(2.0, point(1, 2)), 1, 2, 2);
    ExpectCircle(circle(arc(ARC{{4, 5}, 6, 0.1, 0.2})), 4, 5, 6);
    ExpectCircle(circle(CIRCLE{{7, 8}, 9}), 7, 8, 9);
}

TEST_F(CircleTest, ItemConstructorAndAssignments)
{
    const circle source(2.0, point(1, 1));
    const point p(5, 5);
    geolist list = source & p;
    ExpectCircle(circle(list[0]), 1, 1, 2);
    EXPECT_EQ(GeoError(), 0);
    const OverPattern<circle> wrong(list[1]);
    EXPECT_EQ(GeoError(), 3);
    ExpectCircle(*wrong, 0, 0, 0);  // defined, not left over
    EXPECT_EQ((*wrong).typecode(), 9);
    GeoError() = 0;
    circle c(1.0, point(0, 0));
    EXPECT_FALSE(c = list[1]);
    EXPECT_EQ(GeoError(), 0);  // untouched
    ExpectCircle(c, 0, 0, 1);
    EXPECT_TRUE(c = point(3, 4));
    ExpectCircle(c, 3, 4, 1);
    EXPECT_TRUE(c = 2.5);
    ExpectCircle(c, 3, 4, 2.5);
    arc a(ARC{{9, 9}, 1, 0, 1});
    EXPECT_TRUE(c = static_cast<geobject*>(&a));
    ExpectCircle(c, 9, 9, 1);
    point notACircle(1, 1);
    EXPECT_FALSE(c = static_cast<geobject*>(&notACircle));
    ExpectCircle(c, 9, 9, 1);
    c.set(point(1, 2), 3);
    ExpectCircle(c, 1, 2, 3);
    c.rad() = 4;
    EXPECT_DOUBLE_EQ(c.center().x(), 1);
    ExpectCircle(c, 1, 2, 4);
}

TEST_F(CircleTest, VertexViewOfAPlainCornerGivesAPointCircle)
{
    polygon pg;
    pg + point(3, 4) + point(10, 10);
    ExpectCircle(circle(pg[0]), 3, 4, 0);
}

TEST_F(CircleTest, VertexViewOfAnArcSide)
{
    G_POINT slots[] = {{0, 0}, {kPi, 0}, {2, 0}};  // a half turn from (0, 0) to (2, 0)
    POLY run{3, 3, slots, 1};
    const poly_member side(&run, 0, GEO_VERTEX_RUN);
    ExpectCircle(circle(side), 1, 0, 1, 1e-9);
    const poly_member last(&run, 1, GEO_VERTEX_RUN);  // no side after the last vertex
    ExpectCircle(circle(last), 2, 0, 0);
}

TEST_F(CircleTest, ComparisonsAtTheTolerance)
{
    const circle a(0.0, point(0, 0));
    struct Case {
        circle b;
        char eq, ne;
    };
    const Case cases[] = {
        {circle(0.0, point(0.01, 0)), 0, 0},  // exactly GeoSnap: neither
        {circle(0.01, point(0, 0)), 0, 0},
        {circle(0.0, point(0, -0.01)), 0, 0},
        {circle(0.0, point(0, 0.005)), 1, 0},
        {circle(0.0, point(0.02, 0)), 0, 1},
        {circle(0.02, point(0, 0)), 0, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(a == c.b, c.eq);
        EXPECT_EQ(a != c.b, c.ne);
    }
    const arc sameCircle(ARC{{0.01, 0}, 0.0, 0.0, 1.0});  // inclusive bound against an arc
    EXPECT_EQ(a == sameCircle, 1);
    EXPECT_EQ(a != sameCircle, 0);
    EXPECT_EQ(a == arc(ARC{{0.02, 0}, 0.0, 0.0, 1.0}), 0);
    EXPECT_EQ(a != arc(ARC{{0.02, 0}, 0.0, 0.0, 1.0}), 1);
    const geobject& base = a;
    EXPECT_EQ(base.operator==(circle(0.0, point(0, 0.005))), 1);
    // The ordering of circles for containers is a stub.
    EXPECT_TRUE(a < circle(5.0, point(9, 9)));
}

TEST_F(CircleTest, Transforms)
{
    circle c(1.0, point(1, 1));
    c.scale(2.0, 4.0);
    ExpectCircle(c, 2, 4, 3);  // the mean factor
    circle m(1.0, point(5, 5));
    m.move(point(1, 2));
    ExpectCircle(m, 4, 3, 1);
    m.move(1, 1);
    ExpectCircle(m, 5, 4, 1);
    m.offset(-3);
    ExpectCircle(m, 5, 4, -2);
    m.scale(2);
    ExpectCircle(m, 10, 8, -4);
    circle r(1.0, point(2, 0));
    r.rotate(point(0, 0), kPi / 2);
    ExpectCircle(r, 0, 2, 1);
    r.rotate(angle(90.0), point(0, 0));
    ExpectCircle(r, -2, 0, 1);
    r.mirror(point(0, 0));
    ExpectCircle(r, 2, 0, 1);
    r.mirror(line(0.0, 1.0));
    ExpectCircle(r, 2, 2, 1);
    r.mirror(point(1, 1), point(1, 1));  // no line: unchanged
    ExpectCircle(r, 2, 2, 1);
    r.move(angle(180.0), 2);
    ExpectCircle(r, 0, 2, 1);
    const segment f = circle(2.0, point(1, 1)).frame();
    EXPECT_DOUBLE_EQ(f.startPoint().x, -1);
    EXPECT_DOUBLE_EQ(f.endPoint().y, 3);
}

TEST_F(CircleTest, ClosestPoint)
{
    const circle c(2.0, point(1, 1));
    G_POINT q = c.GetClosestPoint({7, 9});  // 10 away
    EXPECT_NEAR(q.x, 1 + 2 * 0.6, 1e-12);
    EXPECT_NEAR(q.y, 1 + 2 * 0.8, 1e-12);
    // At the centre: a point on the circle, at angle 0.
    q = c.GetClosestPoint({1, 1});
    EXPECT_DOUBLE_EQ(q.x, 3);
    EXPECT_DOUBLE_EQ(q.y, 1);
}

TEST_F(CircleTest, ContainmentFalseForPointsLinesSegmentsRays)
{
    const circle c(1.0, point(0, 0));
    const point p(0, 0);
    const line l(0.0, 5.0);
    const segment s(point(-9, 9), point(9, 9));
    const ray r(G_POINT{5, 5}, 0.0);
    for (const geobject* o : {static_cast<const geobject*>(&p), static_cast<const geobject*>(&l),
                              static_cast<const geobject*>(&s), static_cast<const geobject*>(&r)}) {
        EXPECT_FALSE(c < *o);
        EXPECT_FALSE(c > *o);
    }
    const circle bigCircle(10.0, point(0, 0));
    const geobject& big = bigCircle;  // slots 18 and 19, not the ordering stub
    EXPECT_TRUE(c < big);
    EXPECT_FALSE(c > big);
    const circle far(1.0, point(50, 0));
    EXPECT_TRUE(far > big);
    EXPECT_FALSE(far < big);
    const circle cutting(1.0, point(10, 0));
    EXPECT_FALSE(cutting < big);
    EXPECT_FALSE(cutting > big);
}

TEST_F(CircleTest, CrossingsInTheSpecifiedOrder)
{
    const circle unit(1.0, point(0, 0));
    struct Case {
        const char* name;
        geolist_ref result;
        G_POINT first, second;
    };
    const circle level(1.0, point(1, 0));          // centres level: greater y first
    const circle diagonal(1.0, point(1, 1));       // greater x first
    const Case cases[] = {
        {"vertical line", unit % line(GEO_VERTICAL, 0.0), {0, 1}, {0, -1}},
        {"horizontal line", unit % line(0.0, 0.0), {-1, 0}, {1, 0}},
        {"level circle", unit % level, {0.5, std::sqrt(0.75)}, {0.5, -std::sqrt(0.75)}},
        {"circle", unit % diagonal, {1, 0}, {0, 1}},
        {"segment", unit % segment(point(-2, 0), point(2, 0)), {-1, 0}, {1, 0}},
        {"ray", unit % ray(G_POINT{-2, 0}, 0.0), {-1, 0}, {1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.result.count(), 2);
        EXPECT_EQ(CodeAt(c.result, 0), -4);
        EXPECT_NEAR(StoredAt(c.result, 0, 0).x, c.first.x, 1e-6);
        EXPECT_NEAR(StoredAt(c.result, 0, 0).y, c.first.y, 1e-6);
        EXPECT_NEAR(StoredAt(c.result, 1, 0).x, c.second.x, 1e-6);
        EXPECT_NEAR(StoredAt(c.result, 1, 0).y, c.second.y, 1e-6);
    }
    // A ray from inside crosses once; one from the far side not at all.
    EXPECT_EQ((unit % ray(G_POINT{0, 0}, 0.0)).count(), 1);
    EXPECT_EQ((unit % ray(G_POINT{2, 0}, 0.0)).count(), 0);
    // An arc keeps only the crossings within its range.
    const arc upper(ARC{{1, 0}, 1, 0.0, kPi});
    const geolist_ref onArc = unit % upper;
    ASSERT_EQ(onArc.count(), 1);
    EXPECT_NEAR(StoredAt(onArc, 0, 0).y, std::sqrt(0.75), 1e-6);
    polygon square(2.0);
    const circle across(1.0, point(2, 0));
    EXPECT_EQ((across % square).count(), 2);
    EXPECT_EQ((unit % point(0, 0)).count(), 0);
}

TEST_F(CircleTest, TouchingCountsByKind)
{
    const circle unit(1.0, point(0, 0));
    // A segment that only touches (result 3 of the segment worker) is no
    // crossing, from either side.
    const segment touching(point(-2, 1), point(2, 1));
    G_POINT contact[2];
    ASSERT_EQ(SegmentCircleCrossings(touching.startPoint(), touching.endPoint(), unit.record(), contact), 3);
    EXPECT_EQ((unit % touching).count(), 0);
    EXPECT_EQ((touching % unit).count(), 0);
    double* angles = nullptr;
    EXPECT_EQ(CircleCrossings(unit.record(), touching, &angles, 0), 0);
    std::free(angles);
    CrossingCapacity() = 0;
    // The clip sees no cut: the whole circle, on the side of its centre.
    circle c = unit;
    const geolist_ref outside = c >> touching;
    ASSERT_EQ(outside.count(), 1);
    EXPECT_EQ(outside.type(0), 9);
    // A segment with one end inside cuts once.
    const geolist_ref once = unit % segment(point(0, 0), point(2, 0));
    ASSERT_EQ(once.count(), 1);
    EXPECT_NEAR(StoredAt(once, 0, 0).x, 1, 1e-9);
    // A tangent line and a touching circle give their one point.
    const geolist_ref tangent = unit % line(0.0, 1.0);
    ASSERT_EQ(tangent.count(), 1);
    EXPECT_NEAR(StoredAt(tangent, 0, 0).y, 1, 1e-6);
    const geolist_ref touch = unit % circle(1.0, point(2, 0));
    ASSERT_EQ(touch.count(), 1);
    EXPECT_NEAR(StoredAt(touch, 0, 0).x, 1, 1e-6);
}

TEST_F(CircleTest, CrossingsWithAListAndItsStoredValues)
{
    const circle unit(1.0, point(0, 0));
    const line l(GEO_VERTICAL, 0.5);
    const segment s(point(-2, 0), point(2, 0));
    const point p(0, 0);
    const geolist objects = l & s & p;
    EXPECT_EQ((unit % objects).count(), 4);
    segment across(point(-3, 0.5), point(3, 0.5));
    const geolist_ref pieces = across >> circle(0.5, point(0, 0.5));
    ASSERT_EQ(pieces.count(), 2);
    EXPECT_EQ((unit % pieces).count(), 2);
    EXPECT_EQ((unit % pieces[0]).count(), 1);
}

TEST_F(CircleTest, ClippingAWholeCircle)
{
    polygon square(2.0);
    circle inside(1.0, point(0, 0));
    const geolist_ref in = inside << square;
    ASSERT_EQ(in.count(), 1);
    EXPECT_EQ(in.type(0), 9);
    EXPECT_EQ(*static_cast<const circle*>(in.body()->items[0].object) == inside, 1);
    EXPECT_EQ((inside >> square).count(), 0);
    circle outside(1.0, point(10, 0));
    EXPECT_EQ((outside << square).count(), 0);
    ASSERT_EQ((outside >> square).count(), 1);
    EXPECT_EQ((inside << line(0.0, 0.0)).count(), 0);  // lines give no pieces
}

TEST_F(CircleTest, ClippingIntoArcs)
{
    polygon square(2.0);
    circle across(1.0, point(2, 0));  // cut by the side x = 2 at (2, 1) and (2, -1)
    const geolist_ref in = across << square;
    ASSERT_EQ(in.count(), 1);
    EXPECT_EQ(CodeAt(in, 0), -11);
    ARC a = ArcAt(in, 0);
    EXPECT_NEAR(a.center.x, 2, 1e-12);
    EXPECT_NEAR(a.radius, 1, 1e-12);
    EXPECT_NEAR(a.start, kPi / 2, 1e-6);
    EXPECT_NEAR(a.end, -kPi / 2, 1e-6);  // counter-clockwise through pi: the left half
    const geolist_ref out = across >> square;
    ASSERT_EQ(out.count(), 1);
    a = ArcAt(out, 0);
    EXPECT_NEAR(a.start, -kPi / 2, 1e-6);
    EXPECT_NEAR(a.end, kPi / 2, 1e-6);
}

TEST_F(CircleTest, ClippingAgainstACircleGivesPiecesInOrder)
{
    circle c(1.0, point(0, 0));
    const circle other(1.0, point(1, 0));
    const geolist_ref in = c << other;
    const geolist_ref out = c >> other;
    ASSERT_EQ(in.count(), 1);
    ASSERT_EQ(out.count(), 1);
    const ARC a = ArcAt(in, 0);
    const ARC b = ArcAt(out, 0);
    // Together the two pieces cover the circle.
    EXPECT_NEAR(a.start, b.end, 1e-9);
    EXPECT_NEAR(a.end, b.start, 1e-9);
    EXPECT_NEAR(std::cos(a.start) + std::cos(a.end), 1.0, 1e-6);  // both ends at x = 0.5
}

} // namespace
