// The angle value class: degrees at the operators, radians inside, reduction
// and wrap, comparisons within GeoDif, quadrants and the list solver.
#include <gtest/gtest.h>

#include <cmath>

#include "angle.h"
#include "angular.h"
#include "arc.h"
#include "circle.h"
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
constexpr double kTurn = 6.28318530718;

class AngleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = GeoError();
        GeoError() = 0;
    }
    void TearDown() override { GeoError() = saved_; }
    char saved_ = 0;
};

TEST_F(AngleTest, ConstructorsConvertDegreesAndWrapKeepingTheSign)
{
    struct Case {
        angle a;
        double rad;
    } cases[] = {
        {angle(90.0), kPi / 2},
        {angle(1.5707963267948966, "r"), kPi / 2},
        {angle(1.5707963267948966, 'r'), kPi / 2},
        {angle(450.0), std::fmod(450.0 * kPi / 180, kTurn)},
        {angle(-90.0), -kPi / 2},
        {angle(360.0), 6.283185307179586},  // below the 2*pi literal: not wrapped to 0
        {angle(-450.0), std::fmod(-450.0 * kPi / 180, kTurn)},  // stays negative
        {angle(7.0, "r"), 7.0 - kTurn},
        {angle(-7.0, "r"), -7.0 + kTurn},
        {angle(90.0, "x"), kPi / 2},  // any other unit: degrees
        {angle(90, 30), 90.5 * kPi / 180},
        {angle(10.0, 30.0, 36.0), 10.51 * kPi / 180},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(c.a.rad(), c.rad, 1e-12);
    EXPECT_LT(angle(-450.0).rad(), 0.0);
}

TEST_F(AngleTest, QuadrantConstructorAndQuadrantReadingUseTheirOwnTables)
{
    struct Case {
        double n;
        double rad;
    } cases[] = {
        {0, 3 * kPi / 4}, {1, kPi / 4}, {1.9, kPi / 4}, {2, -3 * kPi / 4},
        {3, -kPi / 4},    {7, -kPi / 4}, {-1, 3 * kPi / 4},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(angle(c.n, "q").rad(), c.rad) << c.n;
    EXPECT_DOUBLE_EQ(angle(0, "q").rad(), 3 * kPi / 4);
    EXPECT_DOUBLE_EQ(angle(1, 'q').rad(), kPi / 4);

    struct Quadrant {
        double rad;
        char q;
    } quadrants[] = {
        {kPi / 4, 0}, {kPi / 2, 0}, {3 * kPi / 4, 1}, {-3 * kPi / 4, 2},
        {-kPi / 2, 3}, {0.0, 3},     {-0.1, 3},
    };
    for (const Quadrant& q : quadrants)
        EXPECT_EQ(angle(q.rad, 'r').quadrant(), q.q) << q.rad;
}

TEST_F(AngleTest, ComparisonsWithAnglesAndDegrees)
{
    EXPECT_TRUE(angle(kPi, 'r') == angle(-kPi, 'r'));
    EXPECT_FALSE(angle(kPi, 'r') != angle(-kPi, 'r'));
    EXPECT_TRUE(angle(1.0, 'r') == angle(1.0009, 'r'));
    EXPECT_TRUE(angle(1.0, 'r') != angle(1.002, 'r'));
    EXPECT_TRUE(angle(1.0, 'r') < angle(1.0001, 'r'));  // plain, no tolerance
    EXPECT_TRUE(angle(1.0, 'r') <= angle(0.9995, 'r'));
    EXPECT_FALSE(angle(1.0, 'r') <= angle(0.998, 'r'));
    EXPECT_TRUE(angle(1.0, 'r') >= angle(1.0005, 'r'));

    // A number is degrees, reduced first: 270 reads as -90.
    const angle down(-kPi / 2, 'r');
    EXPECT_TRUE(down == 270.0);
    EXPECT_TRUE(down == -90.0);
    EXPECT_TRUE(down < 0.0);
    EXPECT_TRUE(angle(kPi / 2, 'r') > 45.0);
    EXPECT_TRUE(angle(kPi / 2, 'r') != 91.0);
    EXPECT_TRUE(angle(kPi / 2, 'r') <= 90.0);
    EXPECT_TRUE(angle(kPi / 2, 'r') >= 90.0);
}

TEST_F(AngleTest, ArithmeticReducesOrWrapsAsEachOperatorSays)
{
    angle a(3.0, 'r');
    a /= 0.5;
    EXPECT_DOUBLE_EQ(a.rad(), 6.0);  // not reduced
    angle b(3.0, 'r');
    b *= 2;
    EXPECT_DOUBLE_EQ(b.rad(), 6.0 - kTurn);  // reduced

    angle c(kPi / 2, 'r');
    c += 180.0;  // degrees
    EXPECT_NEAR(c.rad(), -kPi / 2, 1e-12);
    c -= 90.0;
    EXPECT_NEAR(c.rad(), kPi, 1e-12);
    c += angle(kPi / 2, 'r');
    EXPECT_NEAR(c.rad(), -kPi / 2, 1e-12);
    c -= angle(kPi, 'r');
    EXPECT_NEAR(c.rad(), kPi / 2, 1e-12);

    // Binary operators wrap (sign kept) instead of reducing.
    EXPECT_NEAR((angle(3.0, 'r') + angle(3.0, 'r')).rad(), 6.0, 1e-12);
    EXPECT_NEAR((angle(3.0, 'r') - angle(-3.0, 'r')).rad(), 6.0 - kTurn, 1e-12);  // member: reduced
    EXPECT_NEAR((angle(0.0, 'r') + 90.0).rad(), kPi / 2, 1e-12);
    EXPECT_NEAR((90.0 + angle(0.0, 'r')).rad(), kPi / 2, 1e-12);
    EXPECT_NEAR((angle(0.0, 'r') - 450.0).rad(), std::fmod(-450.0 * kPi / 180, kTurn), 1e-12);
    EXPECT_NEAR((90.0 - angle(kPi, 'r')).rad(), -kPi / 2, 1e-12);
    EXPECT_NEAR((angle(4.0, 'r') * 2.0).rad(), 8.0 - kTurn, 1e-12);
    EXPECT_NEAR((2.0 * angle(-4.0, 'r')).rad(), -8.0 + kTurn, 1e-12);
    EXPECT_NEAR((angle(3.0, 'r') / 0.25).rad(), 12.0 - kTurn, 1e-12);
}

TEST_F(AngleTest, AssignmentOfANumberIsDegreesWrapped)
{
    struct Case {
        double degrees;
        double rad;
    } cases[] = {
        {90.0, kPi / 2},
        {-90.0, -kPi / 2},
        {450.0, std::fmod(450.0 * kPi / 180, kTurn)},
        {-720.5, std::fmod(-720.5 * kPi / 180, kTurn)},  // sign kept
    };
    for (const Case& c : cases) {
        angle a(1.0, 'r');
        a = c.degrees;
        EXPECT_NEAR(a.rad(), c.rad, 1e-12) << c.degrees;
    }
}

TEST_F(AngleTest, ReadingsInDegreesAndSnappedFunctions)
{
    const angle a(-kPi / 4, 'r');
    EXPECT_DOUBLE_EQ(a.deg(), -kPi / 4 * 57.29577951308232);
    EXPECT_DOUBLE_EQ(static_cast<double>(a), a.deg());
    EXPECT_DOUBLE_EQ(abs(a), -a.deg());
    EXPECT_EQ(angle(kPi, 'r').sin(), 0.0);
    EXPECT_EQ(angle(kPi / 2, 'r').cos(), 0.0);
    EXPECT_EQ(angle(0.0005, 'r').tan(), 0.0);
    EXPECT_EQ(angle(0.0005, 'r').atan(), 0.0);
    EXPECT_DOUBLE_EQ(angle(1.0, 'r').atan(), std::atan(1.0));
}

TEST_F(AngleTest, IsOrthoAcceptsEveryMultipleOfAQuarterTurnWithinTolerance)
{
    const double tol = 0.001;
    const double yes[] = {0.0, 0.0005, -0.0005, kPi / 2, 1.5707, 1.5709, -kPi / 2, kPi, -kPi + 0.0002};
    for (double v : yes)
        EXPECT_TRUE(angle(v, 'r').IsOrtho(tol)) << v;
    const double no[] = {0.002, 1.5687, kPi / 4, -1.0};
    for (double v : no)
        EXPECT_FALSE(angle(v, 'r').IsOrtho(tol)) << v;
}

TEST_F(AngleTest, FromPointsLinesSegmentsRaysAndArcs)
{
    EXPECT_DOUBLE_EQ(angle(point(1, 1)).rad(), kPi / 4);
    EXPECT_EQ(GeoError(), 0);
    EXPECT_EQ(angle(point(0.005, -0.005)).rad(), 0.0);  // defined value on failure
    EXPECT_EQ(GeoError(), 2);
    GeoError() = 0;

    EXPECT_DOUBLE_EQ(angle(point(1, 1), point(1, 5)).rad(), kPi / 2);
    EXPECT_EQ(angle(point(1, 1), point(1, 1)).rad(), 0.0);
    EXPECT_DOUBLE_EQ(angle(point(1, 0), point(0, 0), point(0, 2)).rad(), kPi / 2);
    // Collinear arms: the clamped cosine gives pi, never NaN.
    const angle straight(point(0.1, 0.3), point(0.2, 0.6), point(0.30000000000000004, 0.9));
    EXPECT_FALSE(std::isnan(straight.rad()));
    EXPECT_NEAR(straight.rad(), kPi, 1e-6);
    // Arms in one direction whose rounded cosine is 1.0000000000000002: 0, not NaN.
    const angle same(point(0.1, 0.6), point(0, 0), point(3 * 0.1, 3 * 0.6));
    EXPECT_FALSE(std::isnan(same.rad()));
    EXPECT_NEAR(same.rad(), 0.0, 1e-6);

    EXPECT_DOUBLE_EQ(angle(line(1.0, 0.0)).rad(), kPi / 4);
    EXPECT_DOUBLE_EQ(angle(line(0.0, 0.0), line(1.0, 2.0)).rad(), kPi / 4);
    EXPECT_DOUBLE_EQ(angle(line(0.0, 0.0), 0, line(GEO_VERTICAL, 0.0), 1).rad(), kPi / 2);

    EXPECT_DOUBLE_EQ(angle(segment(point(0, 0), point(-2, 0))).rad(), kPi);
    EXPECT_EQ(angle(segment(point(1, 1), point(1, 1))).rad(), 0.0);
    EXPECT_EQ(GeoError(), 2);
    GeoError() = 0;
    EXPECT_DOUBLE_EQ(angle(segment(point(0, 0), point(1, 0)), segment(point(0, 0), point(1, 1))).rad(), kPi / 4);

    EXPECT_DOUBLE_EQ(angle(ray(point(0, 0), 1.25)).rad(), 1.25);
}

TEST_F(AngleTest, BetweenTwoObjectsByRole)
{
    const point p(3, 2);
    const line ground(0.0, 0.0);
    EXPECT_DOUBLE_EQ(angle(static_cast<const geobject&>(point(0, 0)), static_cast<const geobject&>(point(0, 3))).rad(),
                     kPi / 2);
    EXPECT_DOUBLE_EQ(angle(static_cast<const geobject&>(p), static_cast<const geobject&>(ground)).rad(), -kPi / 2);
    EXPECT_DOUBLE_EQ(angle(static_cast<const geobject&>(ground), static_cast<const geobject&>(p)).rad(), -kPi / 2);
    EXPECT_DOUBLE_EQ(
        angle(static_cast<const geobject&>(ground), static_cast<const geobject&>(line(1.0, 0.0))).rad(), kPi / 4);
    EXPECT_EQ(angle(static_cast<const geobject&>(ground), static_cast<const geobject&>(angle(1.0, 'r'))).rad(), 0.0);
    EXPECT_EQ(GeoError(), 2);
}

TEST_F(AngleTest, TransformsTurnAndMirrorOnly)
{
    angle a(0.5, 'r');
    a.move(3.0, 4.0);
    a.scale(5.0);
    a.offset(2.0);
    EXPECT_DOUBLE_EQ(a.rad(), 0.5);
    a.rotate(point(9, 9), 7.0);  // radians, reduced first
    EXPECT_NEAR(a.rad(), NormalizeAngle(0.5 + (7.0 - kTurn)), 1e-12);
    angle turned(3.0, 'r');
    turned.rotate(point(9, 9), angle(0.5, 'r'));  // an angle: its value, then reduced
    EXPECT_NEAR(turned.rad(), 3.5 - kTurn, 1e-12);
    turned.rotate(angle(-0.5, 'r'), point(1, 1));
    EXPECT_NEAR(turned.rad(), 3.0, 1e-12);
    angle b(kPi / 4, 'r');
    b.scale(1.0, -1.0);
    EXPECT_DOUBLE_EQ(b.rad(), -kPi / 4);
    b.scale(0.0, 0.0);
    EXPECT_DOUBLE_EQ(b.rad(), -kPi / 4);
    b.mirror(point(0, 0));
    EXPECT_NEAR(b.rad(), 3 * kPi / 4, 1e-12);
    b.mirror(line(0.0, 5.0));
    EXPECT_NEAR(b.rad(), -3 * kPi / 4, 1e-12);
    b.mirror(point(0, 0), point(0, 1));  // in the y axis
    EXPECT_NEAR(b.rad(), -kPi / 4, 1e-12);
    b.mirror(point(1, 1), point(1, 1));  // no axis: unchanged
    EXPECT_NEAR(b.rad(), -kPi / 4, 1e-12);
}

TEST_F(AngleTest, ListSolverRows)
{
    const line l1(0.0, 0.0);
    const line l2(1.0, 0.0);
    const point p1(0, 0);
    const point p2(0, 4);
    const point p3(3, 2);
    const angle a1(0.2, 'r');
    const angle a2(1.0, 'r');
    angle a;
    EXPECT_TRUE(a = geolist(l2));
    EXPECT_DOUBLE_EQ(a.rad(), kPi / 4);
    EXPECT_TRUE(a = (p1 & p2));
    EXPECT_DOUBLE_EQ(a.rad(), kPi / 2);
    EXPECT_TRUE(a = (l1 & l2));
    EXPECT_DOUBLE_EQ(a.rad(), kPi / 4);
    EXPECT_TRUE(a = (l1 & p3));
    EXPECT_DOUBLE_EQ(a.rad(), -kPi / 2);
    EXPECT_TRUE(a = (a1 & a2));
    EXPECT_DOUBLE_EQ(a.rad(), 0.6);
    EXPECT_TRUE(a = (a1 & a2 & 0.25));
    EXPECT_DOUBLE_EQ(a.rad(), 0.4);
    EXPECT_TRUE(a = (point(1, 0) & point(0, 0) & point(0, 2)));
    EXPECT_DOUBLE_EQ(a.rad(), kPi / 2);
    EXPECT_TRUE(a = (arc(ARC{{0, 0}, 1, 0.0, kPi / 2}) & 0.5));
    EXPECT_DOUBLE_EQ(a.rad(), kPi / 4);
    // The sweep of the arc of the circle from the first point's direction to the second's.
    EXPECT_TRUE(a = (circle(2.0, point(0, 0)) & point(0, 5) & point(3, 0)));
    EXPECT_NEAR(a.rad(), 3 * kPi / 2, 1e-12);

    a = angle(1.0, 'r');
    EXPECT_FALSE(a = (p1 & p1));  // coincident
    EXPECT_EQ(GeoError(), 1);
    EXPECT_DOUBLE_EQ(a.rad(), 1.0);
    GeoError() = 0;
    EXPECT_FALSE(a = (l1 & point(5, 0)));  // on the line
    EXPECT_EQ(GeoError(), 1);
    GeoError() = 0;
    EXPECT_FALSE(a = (l1 & 2.0));
    EXPECT_EQ(GeoError(), 3);
    GeoError() = 0;
    EXPECT_FALSE(a = (p1 & p2 & p3 & p1));
    EXPECT_EQ(GeoError(), 3);
    // An earlier error is not cleared: the solver fails.
    GeoError() = 1;
    EXPECT_FALSE(a = (p1 & p2));
    EXPECT_DOUBLE_EQ(a.rad(), 1.0);
}

TEST_F(AngleTest, ListSolverSnapsSmallValuesToZero)
{
    angle a;
    EXPECT_TRUE(a = (point(0, 0) & point(10, 0.0099)));  // atan2 about 0.00099
    EXPECT_EQ(a.rad(), 0.0);
}

TEST_F(AngleTest, FromItemsAndPolygonCorners)
{
    const angle a1(0.3, 'r');
    const point p(1, 2);
    const geolist items = p & a1;  // point (4) before angle (3)
    EXPECT_DOUBLE_EQ(angle(items[1]).rad(), 0.3);
    EXPECT_EQ(GeoError(), 0);
    EXPECT_EQ(angle(items[0]).rad(), 0.0);  // defined on failure
    EXPECT_EQ(GeoError(), 3);
    GeoError() = 0;
    angle b(1.0, 'r');
    EXPECT_FALSE(b = items[0]);
    EXPECT_DOUBLE_EQ(b.rad(), 1.0);
    EXPECT_TRUE(b = items[1]);
    EXPECT_DOUBLE_EQ(b.rad(), 0.3);

    polygon square;
    for (const point& v : {point(0, 0), point(10, 0), point(10, 10), point(0, 10), point(0, 0)})
        square + v;
    EXPECT_NEAR(NormalizeAngle(angle(square[0]).rad()), kPi / 4, 1e-9);  // into the polygon
    b = square[2];
    EXPECT_NEAR(NormalizeAngle(b.rad()), -3 * kPi / 4, 1e-9);

    // An arc-sided run: vertex i in slot 2i, the sweep of its side in the x of
    // slot 2i + 1.
    polygon run;
    for (const point& slot : {point(0, 0), point(0.7, 0), point(10, 0), point(1.9, 0), point(10, 10)})
        run + slot;
    EXPECT_DOUBLE_EQ(angle(poly_member(run.body(), 0, GEO_VERTEX_RUN)).rad(), 0.7);
    EXPECT_DOUBLE_EQ(angle(poly_member(run.body(), 1, GEO_VERTEX_RUN)).rad(), 1.9);
    EXPECT_EQ(angle(poly_member(run.body(), 2, GEO_VERTEX_RUN)).rad(), 0.0);  // last vertex: no side

    // The inward normal of the side nearest the point.
    EXPECT_TRUE(b = (square & point(5, 1)));
    EXPECT_NEAR(b.rad(), kPi / 2, 1e-9);
    EXPECT_FALSE(b = (polygon() & point(5, 1)));
    EXPECT_EQ(GeoError(), 3);
}

TEST_F(AngleTest, ArcComparisonAndSweep)
{
    const arc quarter(ARC{{0, 0}, 1, 0.0, kPi / 2});
    EXPECT_TRUE(angle(45.0) == quarter);
    EXPECT_TRUE(angle(135.0) != quarter);
    EXPECT_DOUBLE_EQ(angle(quarter).rad(), kPi / 2);
    EXPECT_DOUBLE_EQ(angle(arc(ARC{{0, 0}, 1, 1.0, 1.0})).rad(), kTurn);  // a full turn, not wrapped
    // Equal start and end: the arc is a full turn and holds every direction.
    const arc full(ARC{{0, 0}, 1, 1.0, 1.0});
    EXPECT_TRUE(angle(200.0) == full);
    EXPECT_TRUE(angle(-30.0) == full);
    EXPECT_FALSE(angle(-30.0) != full);
}

}  // namespace
