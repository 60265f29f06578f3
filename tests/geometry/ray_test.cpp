#include "ray.h"

#include <cmath>

#include <gtest/gtest.h>

#include "angle.h"
#include "arc.h"
#include "circle.h"
#include "geolist.h"
#include "line.h"
#include "over_pattern.h"
#include "point.h"
#include "polygon.h"
#include "segment.h"
#include "settings.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

class RayTest : public testing::Test {
protected:
    void SetUp() override { GeoError() = 0; }
    void TearDown() override { GeoError() = 0; }
};

void ExpectRay(const ray& r, double x, double y, double direction, double tol = 1e-9)
{
    EXPECT_NEAR(r.origin().x, x, tol);
    EXPECT_NEAR(r.origin().y, y, tol);
    EXPECT_NEAR(r.direction(), direction, tol);
}

const G_POINT& StoredAt(const geolist_ref& r, short i, short slot) { return r.body()->items[i].stored[slot]; }
int CodeAt(const geolist_ref& r, short i) { return r.body()->items[i].code; }

// A "C" opening to the right: arms y in [0, 2] and [4, 6], spine x in [0, 1].
polygon OpenRight()
{
    const double xy[] = {0, 0, 4, 0, 4, 2, 1, 2, 1, 4, 4, 4, 4, 6, 0, 6, 0, 0};
    polygon c;
    c.load(xy, 9);
    return c;
}

TEST_F(RayTest, RadiansInTheConstructorDegreesInTheList)
{
    const point o(1, 2);
    ExpectRay(ray(o, 90.0), 1, 2, 90.0 - 14 * 6.28318530718);  // about 2.03541
    ExpectRay(ray(90.0, o), 1, 2, 2.0354056994800, 1e-9);
    ray r;
    EXPECT_TRUE(r = (o & 90.0));
    ExpectRay(r, 1, 2, kPi / 2);
    const angle a(45.0);
    EXPECT_TRUE(r = (o & a));
    ExpectRay(r, 1, 2, kPi / 4);
    ExpectRay(ray(o, angle(400.0)), 1, 2, angle(400.0).rad());  // the angle's value, not reduced here
}

TEST_F(RayTest, ArcConstructionsTakeTheShortSpan)
{
    const arc quarter(ARC{{1, 1}, 2, 0.0, kPi / 2});
    ExpectRay(ray(quarter), 1, 1, kPi / 4);
    ray r;
    EXPECT_TRUE(r = (quarter & 0.25));
    ExpectRay(r, 1, 1, kPi / 8);
    // More than a half turn: the middle of the complementary arc.
    const arc big(ARC{{0, 0}, 1, 0.0, 1.5 * kPi});
    ExpectRay(ray(big), 0, 0, -kPi / 4);
}

TEST_F(RayTest, ParallelAndMovedRays)
{
    const ray east(G_POINT{0, 0}, 0.0);
    ray r;
    EXPECT_TRUE(r = (east & 2.0));  // to the right of the ray
    ExpectRay(r, 0, -2, 0);
    point P(3, 3);
    EXPECT_TRUE(r = (east & P));
    ExpectRay(r, 3, 3, 0);
}

TEST_F(RayTest, BisectorConstructions)
{
    point p1(5, 0);
    point p2(0, 0);
    point p3(0, 5);
    ray r;
    EXPECT_TRUE(r = (p1 & p2 & p3));
    ExpectRay(r, 0, 0, kPi / 4, 1e-6);
    line l1(0.0, 0.0);
    line l2(GEO_VERTICAL, 0.0);
    point q1(-5, 0);
    point q2(0, 5);
    EXPECT_TRUE(r = (l1 & l2 & q1 & q2));
    ExpectRay(r, 0, 0, 3 * kPi / 4, 1e-6);
    point same(5, 0);
    EXPECT_FALSE(r = (p1 & same & p3));
    EXPECT_EQ(GeoError(), 1);
}

TEST_F(RayTest, RefusedListsLeaveTheRay)
{
    ray r(G_POINT{1, 1}, 0.5);
    point P(0, 0);
    const ray R(G_POINT{0, 0}, 0);
    EXPECT_FALSE(r = (P & "LEFT"));
    EXPECT_EQ(GeoError(), 3);
    EXPECT_FALSE(r = (R & "LEFT"));
    EXPECT_EQ(GeoError(), 3);
    EXPECT_FALSE(r = (P & 1.0 & 2.0));
    EXPECT_EQ(GeoError(), 3);
    ExpectRay(r, 1, 1, 0.5);
    geobject& base = r;
    EXPECT_FALSE(base = (P & 1.0));  // slot 1 keeps the base's refusal
    ExpectRay(r, 1, 1, 0.5);
}

TEST_F(RayTest, ItemConstructors)
{
    const ray source(G_POINT{2, 3}, 1.0);
    const point p(1, 1);
    geolist list = source & p;
    ExpectRay(ray(list[0]), 2, 3, 1.0);
    EXPECT_EQ(GeoError(), 0);
    const OverPattern<ray> fromPoint(list[1]);
    EXPECT_EQ(GeoError(), 3);
    ExpectRay(*fromPoint, 0, 0, 0);  // defined, not left over
    EXPECT_EQ((*fromPoint).typecode(), 15);
    ray r(G_POINT{5, 5}, 0.2);
    EXPECT_FALSE(r = list[1]);
    ExpectRay(r, 5, 5, 0.2);
    EXPECT_TRUE(r = list[0]);
    ExpectRay(r, 2, 3, 1.0);
}

TEST_F(RayTest, ArcItemsGiveTheMidDirection)
{
    const arc quarter(ARC{{1, 1}, 2, 0.0, kPi / 2});
    const point p(0, 0);
    geolist list = quarter & p;
    ExpectRay(ray(list[0]), 1, 1, kPi / 4);
    EXPECT_EQ(GeoError(), 0);
    // A stored arc (code -11) of a clipping result: the left half of the
    // circle at (2, 0) inside the square, from pi/2 round to -pi/2.
    polygon square(2.0);
    circle across(1.0, point(2, 0));
    const geolist_ref pieces = across << square;
    ASSERT_EQ(pieces.count(), 1);
    ExpectRay(ray(pieces[0]), 2, 0, kPi, 1e-6);
    EXPECT_EQ(GeoError(), 0);
    // A stored ray (code -15) of a clipping result.
    ray west(G_POINT{10, 0}, kPi);
    const geolist_ref outside = west >> square;
    ASSERT_EQ(outside.count(), 2);
    ExpectRay(ray(outside[0]), -2, 0, kPi);
    ray r;
    EXPECT_TRUE(r = outside[0]);
    ExpectRay(r, -2, 0, kPi);
    EXPECT_FALSE(r = outside[1]);  // a stored piece is no ray
    ExpectRay(r, -2, 0, kPi);
}

TEST_F(RayTest, ComparisonAndTransforms)
{
    ray r(G_POINT{1, 0}, kPi / 2);
    EXPECT_EQ(r == ray(G_POINT{1.005, 0}, kPi / 2 + 0.005), 1);
    EXPECT_EQ(r != ray(G_POINT{1.005, 0}, kPi / 2 + 0.005), 0);
    EXPECT_EQ(r == ray(G_POINT{1, 0}, kPi / 2 + 0.02), 0);
    r.offset(1);  // to the right of an upward ray is +x
    ExpectRay(r, 2, 0, kPi / 2);
    ray d(G_POINT{1, 1}, kPi / 4);
    d.scale(2, 1);
    ExpectRay(d, 2, 1, std::atan2(std::sin(kPi / 4), 2 * std::cos(kPi / 4)));
    ray m(G_POINT{1, 1}, kPi / 4);
    m.mirror(point(0, 0));
    ExpectRay(m, -1, -1, -3 * kPi / 4);
    ray h(G_POINT{1, 1}, kPi / 4);
    h.mirror(line(0.0, 0.0));
    ExpectRay(h, 1, -1, -kPi / 4);
    ray t(G_POINT{1, 0}, 0.0);
    t.rotate(point(0, 0), kPi / 2);
    ExpectRay(t, 0, 1, kPi / 2);
    t.move(angle(180.0), 2.0);
    ExpectRay(t, -2, 1, kPi / 2);
    EXPECT_FALSE(t < circle(100.0, point(0, 0)));
    EXPECT_FALSE(t > circle(100.0, point(0, 0)));
}

TEST_F(RayTest, CrossingsAheadOnly)
{
    const ray east(G_POINT{0, 0}, 0.0);
    EXPECT_EQ((east % line(GEO_VERTICAL, -3.0)).count(), 0);  // behind the origin
    const geolist_ref ahead = east % line(GEO_VERTICAL, 3.0);
    ASSERT_EQ(ahead.count(), 1);
    EXPECT_NEAR(StoredAt(ahead, 0, 0).x, 3, 1e-9);
    const ray west(G_POINT{10, 0}, kPi);
    EXPECT_EQ((east % west).count(), 0);  // collinear: parallel lines
    const ray north(G_POINT{5, -5}, kPi / 2);
    EXPECT_EQ((east % north).count(), 1);
    const ray south(G_POINT{5, -5}, -kPi / 2);
    EXPECT_EQ((east % south).count(), 0);  // the point lies behind the second ray
    const geolist_ref c = east % circle(1.0, point(5, 0));
    ASSERT_EQ(c.count(), 2);
    EXPECT_NEAR(StoredAt(c, 0, 0).x, 4, 1e-9);
    EXPECT_NEAR(StoredAt(c, 1, 0).x, 6, 1e-9);
    EXPECT_EQ((east % segment(point(3, -1), point(3, 1))).count(), 1);
    EXPECT_EQ((east % segment(point(-3, -1), point(-3, 1))).count(), 0);
}

TEST_F(RayTest, CrossingsWithAList)
{
    const ray east(G_POINT{0, 0}, 0.0);
    const circle c(1.0, point(5, 0));
    const line l(GEO_VERTICAL, 8.0);
    const point ignored(3, 0);
    const geolist objects = c & l & ignored;
    const geolist_ref all = east % objects;
    ASSERT_EQ(all.count(), 3);
    EXPECT_NEAR(StoredAt(all, 0, 0).x, 4, 1e-9);
    EXPECT_NEAR(StoredAt(all, 1, 0).x, 6, 1e-9);
    EXPECT_NEAR(StoredAt(all, 2, 0).x, 8, 1e-9);
    // Stored pieces of a result list count too.
    segment s(point(2, -3), point(2, 3));
    const geolist_ref pieces = s >> circle(1.0, point(2, 0));
    EXPECT_EQ((east % pieces).count(), 0);  // the gap lies on the ray
    const ray low(G_POINT{0, -2}, 0.0);
    EXPECT_EQ((low % pieces).count(), 1);
}

TEST_F(RayTest, PiecesAgainstACircle)
{
    ray r(G_POINT{-5, 0}, 0.0);
    const circle unit(1.0, point(0, 0));
    const geolist_ref outside = r >> unit;
    ASSERT_EQ(outside.count(), 2);
    EXPECT_EQ(CodeAt(outside, 0), -10);
    EXPECT_NEAR(StoredAt(outside, 0, 0).x, -5, 1e-9);
    EXPECT_NEAR(StoredAt(outside, 0, 1).x, -1, 1e-9);
    EXPECT_EQ(CodeAt(outside, 1), -15);
    EXPECT_NEAR(StoredAt(outside, 1, 0).x, 1, 1e-9);
    EXPECT_NEAR(StoredAt(outside, 1, 1).x, 0.0, 1e-12);  // the direction
    const geolist_ref inside = r << unit;
    ASSERT_EQ(inside.count(), 1);
    EXPECT_NEAR(StoredAt(inside, 0, 0).x, -1, 1e-9);
    EXPECT_NEAR(StoredAt(inside, 0, 1).x, 1, 1e-9);
    // Touching once from outside: the ray itself.
    ray touching(G_POINT{-5, 1}, 0.0);
    const geolist_ref whole = touching >> unit;
    ASSERT_EQ(whole.count(), 1);
    EXPECT_EQ(CodeAt(whole, 0), -15);
    EXPECT_NEAR(StoredAt(whole, 0, 0).x, -5, 1e-9);
    // Starting inside: the piece from the origin, and the tail beyond the circle.
    ray fromCentre(G_POINT{0, 0}, kPi / 2);
    const geolist_ref in = fromCentre << unit;
    ASSERT_EQ(in.count(), 1);
    EXPECT_NEAR(StoredAt(in, 0, 0).y, 0, 1e-9);
    EXPECT_NEAR(StoredAt(in, 0, 1).y, 1, 1e-9);
    const geolist_ref out = fromCentre >> unit;
    ASSERT_EQ(out.count(), 1);
    EXPECT_EQ(CodeAt(out, 0), -15);
    EXPECT_NEAR(StoredAt(out, 0, 0).y, 1, 1e-9);
    // A point argument: the ray itself, and no inside piece.
    EXPECT_EQ((r >> point(0, 0)).count(), 1);
    EXPECT_EQ((r << point(0, 0)).count(), 0);
}

TEST_F(RayTest, PiecesAgainstAPolygon)
{
    polygon square(2.0);
    // Running against the order of the crossings: the tail comes first.
    ray west(G_POINT{10, 0}, kPi);
    const geolist_ref outside = west >> square;
    ASSERT_EQ(outside.count(), 2);
    EXPECT_EQ(CodeAt(outside, 0), -15);
    EXPECT_NEAR(StoredAt(outside, 0, 0).x, -2, 1e-9);
    EXPECT_NEAR(StoredAt(outside, 0, 1).x, kPi, 1e-12);
    EXPECT_EQ(CodeAt(outside, 1), -10);
    EXPECT_NEAR(StoredAt(outside, 1, 0).x, 2, 1e-9);
    EXPECT_NEAR(StoredAt(outside, 1, 1).x, 10, 1e-9);
    const geolist_ref inside = west << square;
    ASSERT_EQ(inside.count(), 1);
    EXPECT_NEAR(StoredAt(inside, 0, 0).x, -2, 1e-9);
    EXPECT_NEAR(StoredAt(inside, 0, 1).x, 2, 1e-9);
}

TEST_F(RayTest, StartingInsideAConcavePolygon)
{
    const polygon c = OpenRight();
    ray up(G_POINT{2, 1}, kPi / 2);  // leaves at y 2, enters at 4, leaves at 6
    const geolist_ref outside = up >> c;
    ASSERT_EQ(outside.count(), 2);
    EXPECT_EQ(CodeAt(outside, 0), -10);
    EXPECT_NEAR(StoredAt(outside, 0, 0).y, 2, 1e-9);
    EXPECT_NEAR(StoredAt(outside, 0, 1).y, 4, 1e-9);
    EXPECT_EQ(CodeAt(outside, 1), -15);
    EXPECT_NEAR(StoredAt(outside, 1, 0).y, 6, 1e-9);
    const geolist_ref inside = up << c;
    ASSERT_EQ(inside.count(), 2);
    EXPECT_NEAR(StoredAt(inside, 0, 0).y, 1, 1e-9);
    EXPECT_NEAR(StoredAt(inside, 0, 1).y, 2, 1e-9);
    EXPECT_NEAR(StoredAt(inside, 1, 0).y, 4, 1e-9);
    EXPECT_NEAR(StoredAt(inside, 1, 1).y, 6, 1e-9);
}

} // namespace
