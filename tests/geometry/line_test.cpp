#include <gtest/gtest.h>

#include <cmath>

#include "angle.h"
#include "arc.h"
#include "circle.h"
#include "geoitem.h"
#include "geolist.h"
#include "intersections.h"
#include "line.h"
#include "point.h"
#include "poly_member.h"
#include "polygon.h"
#include "ray.h"
#include "segment.h"
#include "settings.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

void expectLine(const line& l, double slope, double intercept, double tolerance = 1e-9)
{
    EXPECT_NEAR(l.ltan(), slope, tolerance);
    EXPECT_NEAR(l.laxe(), intercept, tolerance);
}

// Restores the process-wide settings a test changes.
class LineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        touch_ = GeoTouchMode();
        error_ = GeoError();
    }
    void TearDown() override
    {
        GeoTouchMode() = touch_;
        GeoError() = error_;
    }

private:
    char touch_ = 0;
    char error_ = 0;
};

TEST_F(LineTest, ThroughTwoPointsOnAVerticalGivesTheSentinel)
{
    line l(point(4, 0), point(4, 5));
    EXPECT_EQ(l.ltan(), 100001.0);
    EXPECT_EQ(l.laxe(), 4.0);
    EXPECT_TRUE(l.IsVertical());
    EXPECT_FALSE(l.IsHorizontal());
    EXPECT_EQ(l.x(3), 4.0);
    EXPECT_EQ(l.y(3), 0.0);
}

TEST_F(LineTest, VerticalAndHorizontalTestsUseGeoDif)
{
    struct Case {
        double slope;
        bool vertical;
        bool horizontal;
    } cases[] = {
        {100001.0, true, false},  {100001.0009, true, false}, {100000.998, false, false},
        {100000.0, false, false}, {0.0, false, true},         {0.0009, false, true},
        {-0.0009, false, true},   {0.0011, false, false},
    };
    for (const Case& c : cases) {
        line l(c.slope, 0.0);
        EXPECT_EQ(l.IsVertical(), c.vertical) << c.slope;
        EXPECT_EQ(l.IsHorizontal(), c.horizontal) << c.slope;
    }
}

// Each operation recognises the sentinel its own way: IsVertical within GeoDif
// of 100001, the parallel and perpendicular constructors only the exact
// value, the other operations any slope of 100001 or more.
TEST_F(LineTest, EachOperationRecognisesTheSentinelItsOwnWay)
{
    const double above = 100001.0009;  // within GeoDif, above the sentinel
    const line steep(above, 4);
    EXPECT_TRUE(steep.IsVertical());
    EXPECT_EQ(steep.x(3), 4.0);  // vertical: its x
    EXPECT_EQ(steep.y(3), 0.0);
    expectLine(line(steep, 1.0), above, 4.0 + std::sqrt(1.0 + above * above), 1e-6);
    expectLine(line(point(2, 3), steep), above, 3.0 - above * 2.0, 1e-6);
    expectLine(line(steep, point(2, 3)), -1.0 / above, 3.0 + 2.0 / above, 1e-12);

    const double below = 100000.9995;  // within GeoDif, below the sentinel
    const line almost(below, 4);
    EXPECT_TRUE(almost.IsVertical());
    EXPECT_EQ(almost.y(1), below + 4.0);  // not vertical for the other operations
    EXPECT_NEAR(almost.x(below + 4.0), 1.0, 1e-12);

    const line exact(100001.0, 4);
    expectLine(line(exact, 1.0), 100001.0, 5.0, 0.0);
    expectLine(line(point(2, 3), exact), 100001.0, 2.0, 0.0);
    expectLine(line(exact, point(2, 3)), 0.0, 3.0, 0.0);
}

TEST_F(LineTest, DefaultAndSetters)
{
    expectLine(line(), 1.0, 0.0, 0.0);
    line l;
    l.SetVertical(3.5);
    expectLine(l, 100001.0, 3.5, 0.0);
    l.SetHorizontal(-2);
    expectLine(l, 0.0, -2.0, 0.0);
    EXPECT_EQ(l.x(7), 0.0);  // slope below GeoSnap
    EXPECT_EQ(line(2, 1).x(5), 2.0);
    EXPECT_EQ(line(2, 1).y(5), 11.0);
}

TEST_F(LineTest, IsParallelComparesSlopesOrTheirInverses)
{
    struct Case {
        double k1, k2;
        bool parallel;
    } cases[] = {
        {100001.0, 1000.0, true},  // |1/100001 - 1/1000| < 0.001
        {0.5, 0.5005, true},
        {0.5, 0.502, false},
        {100001.0, 500.0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(line(c.k1, 0).IsParallel(line(c.k2, 7)), c.parallel) << c.k1 << " " << c.k2;
    EXPECT_TRUE(line(0, 0).IsParallel(segment(point(0, 1), point(10, 1))));
    EXPECT_FALSE(line(0, 0).IsParallel(point(1, 1)));
}

TEST_F(LineTest, PerpendicularThroughAPoint)
{
    const point p(2, 3);
    expectLine(line(line(100001.0, 7), p), 0.0, 3.0);
    expectLine(line(line(0, 5), p), 100001.0, 2.0);
    expectLine(line(line(2, 1), p), -0.5, 4.0);
}

TEST_F(LineTest, ParallelAtDistanceAndThroughAPoint)
{
    expectLine(line(line(1, 0), 1.0), 1.0, std::sqrt(2.0));
    expectLine(line(line(100001.0, 4), -1.0), 100001.0, 3.0);
    expectLine(line(point(5, 1), line(100001.0, 4)), 100001.0, 5.0);
    expectLine(line(point(1, 4), line(2, 0)), 2.0, 2.0);
}

TEST_F(LineTest, EqualityIsStrictWithinGeoSnap)
{
    EXPECT_TRUE(line(1, 0) == line(1.005, 0.005));
    EXPECT_FALSE(line(1, 0) != line(1.005, 0.005));
    EXPECT_TRUE(line(1, 0) != line(1, 0.02));
    // A difference of exactly GeoSnap is neither equal nor unequal.
    EXPECT_FALSE(line(1, 0) == line(1, 0.01));
    EXPECT_FALSE(line(1, 0) != line(1, 0.01));
}

TEST_F(LineTest, ConstructorsFromOtherObjects)
{
    expectLine(line(point(2, 6)), 3.0, 0.0);
    expectLine(line(angle(45.0)), 1.0, 0.0);
    expectLine(line(segment(point(0, 1), point(2, 5))), 2.0, 1.0);
    expectLine(line(ray(point(0, 2), 0.0)), 0.0, 2.0);
    // The axis of a quarter arc from 0 to pi/2 runs at pi/4 through the centre.
    expectLine(line(arc(ARC{{1, 1}, 2, 0.0, kPi / 2})), 1.0, 0.0);
    EXPECT_EQ(line(LINE{3, 4}).laxe(), 4.0);

    polygon two = point(1, 1) + point(2, 3);
    expectLine(line(poly_member(two.body(), 0, 12), poly_member(two.body(), 1, 12)), 2.0, -1.0);
}

TEST_F(LineTest, ConstructionFromAnItem)
{
    line source(2, 3);
    point p(1, 1);
    geolist list = source & p;
    expectLine(line(list[0]), 2.0, 3.0, 0.0);

    GeoError() = 0;
    const line fromPoint(list[1]);  // a point item cannot give a line
    EXPECT_EQ(GeoError(), 3);
    expectLine(fromPoint, 0.0, 0.0, 0.0);

    GeoError() = 0;
    line fromNothing{geoitem()};
    EXPECT_EQ(GeoError(), 0);
}

TEST_F(LineTest, AssignmentsKeepTheSlopeOrCopy)
{
    line l(2, 0);
    l = point(1, 5);
    expectLine(l, 2.0, 3.0);
    line v(100001.0, 0);
    v = point(7, 1);
    expectLine(v, 100001.0, 7.0);

    line target;
    const segment s(point(0, 0), point(1, 3));
    EXPECT_TRUE(target = &s);
    expectLine(target, 3.0, 0.0);
    const line other(5, 6);
    EXPECT_TRUE(target = &other);
    expectLine(target, 5.0, 6.0);
    const point p(1, 1);
    EXPECT_FALSE(target = &p);
    expectLine(target, 5.0, 6.0);
}

TEST_F(LineTest, MovesTranslate)
{
    line l(2, 1);
    l.move(1.0, 1.0);
    expectLine(l, 2.0, 0.0);
    line v(100001.0, 4);
    v.move(-1.0, 9.0);
    expectLine(v, 100001.0, 3.0);
    line m(0, 0);
    m.move(2.0, angle(90.0));
    expectLine(m, 0.0, 2.0);
}

TEST_F(LineTest, MoveByAPointReexpressesTheLineRelativeToIt)
{
    line l(1, 0);
    l.move(point(1, 2));  // translate by (-1, -2)
    expectLine(l, 1.0, -1.0);
    line v(100001.0, 4);
    v.move(point(1, 2));
    expectLine(v, 100001.0, 3.0);
}

TEST_F(LineTest, ScaleCollapsesToVerticalWhenXVanishes)
{
    line l(1, 1);
    l.scale(0.001, 1);
    expectLine(l, 100001.0, 1.0, 0.0);
    line m(1, 1);
    m.scale(2, 3);
    expectLine(m, 1.5, 3.0);
    line v(100001.0, 2);
    v.scale(3, 5);
    expectLine(v, 100001.0, 6.0);
    v.scale(0.5);
    expectLine(v, 100001.0, 3.0);
}

TEST_F(LineTest, MirrorsInPointsAndLines)
{
    line l(1, 1);
    l.mirror(point(1, 1));
    expectLine(l, 1.0, -1.0);
    line v(100001.0, 1);
    v.mirror(point(3, 0));
    expectLine(v, 100001.0, 5.0);

    line a(0, 0);
    a.mirror(line(1, 0));
    expectLine(a, 100001.0, 0.0);
    line b(100001.0, 1);
    b.mirror(line(1, 0));
    expectLine(b, 0.0, 1.0);
    line c(0, 2);
    c.mirror(line(0, 0));
    expectLine(c, 0.0, -2.0);

    line d(0, 2);
    d.mirror(point(0, 0), point(1, 0));
    expectLine(d, 0.0, -2.0);
    d.mirror(point(3, 3), point(3, 3));  // no axis: unchanged
    expectLine(d, 0.0, -2.0);
}

TEST_F(LineTest, RotatesAboutAPoint)
{
    line l(0, 0);
    l.rotate(kPi / 2, point(1, 0));
    expectLine(l, 100001.0, 1.0);
    line m(0, 0);
    m.rotate(point(1, 0), 6.28318530718 + kPi / 2);  // reduced first
    expectLine(m, 100001.0, 1.0, 1e-6);
    line n(0, 1);
    n.rotate(angle(kPi / 4, 'r'), point(0, 1));
    expectLine(n, 1.0, 1.0);
}

TEST_F(LineTest, FrameAndContainment)
{
    const segment f = line(2, 3).frame();
    EXPECT_EQ(f.startPoint().x, 0.0);
    EXPECT_EQ(f.endPoint().y, 0.0);
    EXPECT_FALSE(line(0, 0) < circle(point(0, 0), 1));
    EXPECT_FALSE(line(0, 0) > circle(point(0, 0), 1));
    EXPECT_EQ(line(1, 0).length(), 0.0f);
}

TEST_F(LineTest, SignedDistanceAndPointOnLine)
{
    EXPECT_NEAR(line(0, 0).signedDist(point(3, 2)), 2.0, 1e-9);
    EXPECT_TRUE(line(1, 0) == point(2, 2));
    EXPECT_FALSE(line(1, 0) == point(2, 3));
}

TEST_F(LineTest, CrossingWithALineAndATangentCircle)
{
    geolist_ref one = line(1, 0) % line(-1, 2);
    ASSERT_EQ(one.count(), 1);
    EXPECT_EQ(one.type(0), 4);
    EXPECT_NEAR(point(one[0]).x(), 1.0, 1e-9);
    EXPECT_EQ((line(1, 0) % line(1, 5)).count(), 0);

    const circle c(point(0, 0), 1);
    GeoTouchMode() = 0;
    geolist_ref touch = line(0, 1) % c;  // tangent at (0, 1) whatever the mode
    ASSERT_EQ(touch.count(), 1);
    EXPECT_NEAR(point(touch[0]).y(), 1.0, 1e-9);

    for (char mode : {0, 1}) {
        GeoTouchMode() = mode;
        CrossingScope scope;
        EXPECT_EQ(LineObjectCrossings(LINE{0, 1}, c, scope.buffer(), 0), mode);
    }
}

TEST_F(LineTest, PiecesInsideAndOutsideACircle)
{
    const circle c(point(0, 0), 1);
    line l(0, 0);
    geolist_ref inside = l << c;
    ASSERT_EQ(inside.count(), 1);
    EXPECT_EQ(inside[0].type(), -10);
    const segment piece(inside[0]);
    EXPECT_NEAR(piece.startPoint().x, -1.0, 1e-9);
    EXPECT_NEAR(piece.endPoint().x, 1.0, 1e-9);

    geolist_ref outside = l >> c;
    ASSERT_EQ(outside.count(), 2);
    const ray back(outside[0]);
    const ray on(outside[1]);
    EXPECT_NEAR(back.origin().x, -1.0, 1e-9);
    EXPECT_NEAR(back.direction(), kPi, 1e-9);
    EXPECT_NEAR(on.origin().x, 1.0, 1e-9);
    EXPECT_NEAR(on.direction(), 0.0, 1e-12);

    // Nothing to cut: the whole line is outside.
    geolist_ref whole = l >> circle(point(0, 5), 1);
    ASSERT_EQ(whole.count(), 1);
    EXPECT_EQ(whole.type(0), 8);
    EXPECT_EQ((l << circle(point(0, 5), 1)).count(), 0);
    EXPECT_EQ((l << point(0, 0)).count(), 0);
}

TEST_F(LineTest, ThreeCrossingsGiveOneInsidePieceAndTwoOutsideRays)
{
    line a(100001.0, 1), b(100001.0, 2), c(100001.0, 3);
    geolist cutters = a & b & c;
    line l(0, 0);
    geolist_ref inside = l << cutters;
    ASSERT_EQ(inside.count(), 1);
    const segment piece(inside[0]);
    EXPECT_NEAR(piece.startPoint().x, 1.0, 1e-9);
    EXPECT_NEAR(piece.endPoint().x, 2.0, 1e-9);

    geolist_ref outside = l >> cutters;
    ASSERT_EQ(outside.count(), 2);
    EXPECT_EQ(outside[0].type(), -15);
    EXPECT_EQ(outside[1].type(), -15);
    EXPECT_NEAR(ray(outside[0]).origin().x, 1.0, 1e-9);
    EXPECT_NEAR(ray(outside[1]).origin().x, 2.0, 1e-9);
    EXPECT_NEAR(ray(outside[1]).direction(), 0.0, 1e-12);
}

TEST_F(LineTest, RayCrossesOnlyAhead)
{
    const LINE vertical{100001.0, 5};
    {
        CrossingScope scope;
        ASSERT_EQ(LineObjectCrossings(vertical, ray(point(0, 0), 0.0), scope.buffer(), 0), 1);
        EXPECT_NEAR(scope[0].x, 5.0, 1e-9);
        EXPECT_NEAR(scope[0].y, 0.0, 1e-9);
    }
    CrossingScope scope;
    EXPECT_EQ(LineObjectCrossings(vertical, ray(point(0, 0), kPi), scope.buffer(), 0), 0);
}

TEST_F(LineTest, FourCrossingsGiveTwoInsidePiecesAndRaySegmentRayOutside)
{
    line a(100001.0, 1), b(100001.0, 2), c(100001.0, 3), d(100001.0, 4);
    geolist cutters = a & b & c & d;
    line l(0, 0);
    geolist_ref inside = l << cutters;
    ASSERT_EQ(inside.count(), 2);
    EXPECT_NEAR(segment(inside[0]).startPoint().x, 1.0, 1e-9);
    EXPECT_NEAR(segment(inside[0]).endPoint().x, 2.0, 1e-9);
    EXPECT_NEAR(segment(inside[1]).startPoint().x, 3.0, 1e-9);
    EXPECT_NEAR(segment(inside[1]).endPoint().x, 4.0, 1e-9);

    geolist_ref outside = l >> cutters;
    ASSERT_EQ(outside.count(), 3);
    EXPECT_EQ(outside[0].type(), -15);
    EXPECT_EQ(outside[1].type(), -10);
    EXPECT_EQ(outside[2].type(), -15);
    EXPECT_NEAR(ray(outside[0]).origin().x, 1.0, 1e-9);
    EXPECT_NEAR(ray(outside[0]).direction(), kPi, 1e-9);
    const segment middle(outside[1]);
    EXPECT_NEAR(middle.startPoint().x, 2.0, 1e-9);
    EXPECT_NEAR(middle.endPoint().x, 3.0, 1e-9);
    EXPECT_NEAR(ray(outside[2]).origin().x, 4.0, 1e-9);
    EXPECT_NEAR(ray(outside[2]).direction(), 0.0, 1e-12);
}

// The rays of the outside pieces run along the line: straight up for slopes
// above 1000 (not only the sentinel), atan(k) below.
TEST_F(LineTest, OutsideRaysFollowTheLineDirection)
{
    const circle c(point(0, 0), 100);  // wide enough that steep crossings stay apart
    struct Case {
        double slope;
        double forward, back;  // back: forward + pi reduced into (-pi, pi]
    } cases[] = {
        {2000.0, kPi / 2, -kPi / 2},
        {100001.0, kPi / 2, -kPi / 2},
        {500.0, std::atan(500.0), std::atan(500.0) - kPi},
        {-1.0, -kPi / 4, 3 * kPi / 4},
    };
    for (const Case& k : cases) {
        line l(k.slope, 0);
        geolist_ref outside = l >> c;
        ASSERT_EQ(outside.count(), 2) << k.slope;
        EXPECT_NEAR(ray(outside[1]).direction(), k.forward, 1e-9) << k.slope;
        EXPECT_NEAR(ray(outside[0]).direction(), k.back, 1e-9) << k.slope;
    }
}

TEST_F(LineTest, CrossingsOfAListKeepCoincidingPointsAndRestoreTheInsertMode)
{
    const char saved = GeoInsertMode();
    GeoInsertMode() = 0;
    line up(1, -1), down(-1, 1);  // both cross y = 0 at (1, 0)
    geolist both = up & down;
    {
        CrossingScope scope;
        EXPECT_EQ(LineObjectCrossings(LINE{0, 0}, both, scope.buffer(), 0), 2);
        EXPECT_NEAR(scope[0].x, 1.0, 1e-9);
        EXPECT_NEAR(scope[1].x, 1.0, 1e-9);
    }
    EXPECT_EQ(GeoInsertMode(), 0);
    GeoInsertMode() = saved;

    // A stored piece of a result list crosses as the segment it holds.
    geolist_ref pieces = line(0, 0) << circle(point(0, 0), 1);
    CrossingScope scope;
    ASSERT_EQ(LineObjectCrossings(LINE{100001.0, 0.5}, pieces, scope.buffer(), 0), 1);
    EXPECT_NEAR(scope[0].x, 0.5, 1e-9);
    EXPECT_NEAR(scope[0].y, 0.0, 1e-9);
}

TEST_F(LineTest, ItemsAndObjectsAsSources)
{
    // The axis of an arc item.
    const arc quarter(ARC{{1, 1}, 2, 0.0, kPi / 2});
    const point p(5, 5);
    geolist withArc = quarter & p;
    expectLine(line(withArc[0]), 1.0, 0.0);

    // Assigning a non-line item fails and keeps the line.
    line l(2, 3);
    EXPECT_FALSE(l = withArc[1]);
    expectLine(l, 2.0, 3.0, 0.0);

    // A list reached through the object pointer runs the list construction.
    const point a(1, 1), b(3, 5);
    geolist twoPoints = a & b;
    EXPECT_TRUE(l = static_cast<const geobject*>(&twoPoints));
    expectLine(l, 2.0, -1.0);
}

TEST_F(LineTest, TangentOfTheAngleBetweenRawSlopes)
{
    EXPECT_DOUBLE_EQ(line(0, 0).ltan(line(1, 5)), 1.0);
    EXPECT_DOUBLE_EQ(line(1, 0).ltan(line(0, 5)), -1.0);
    EXPECT_DOUBLE_EQ(line(2, 0).ltan(line(3, 0)), 1.0 / 7.0);
}

}  // namespace
