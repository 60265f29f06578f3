#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>

#include "circle.h"
#include "drag_solvers.h"
#include "line.h"
#include "point.h"
#include "settings.h"

namespace {

constexpr double kVertical = 100001.0;
constexpr double kDegree = 0.017453292519943295;

line Line(double k, double b) { return line(LINE{k, b}); }

void ExpectPoint(const point& p, double x, double y, double tol = 1e-9)
{
    EXPECT_NEAR(p.x(), x, tol);
    EXPECT_NEAR(p.y(), y, tol);
}

// The angle under which x sees a and b, in degrees.
double SeenUnder(const point& x, const point& a, const point& b)
{
    const double ux = a.x() - x.x(), uy = a.y() - x.y();
    const double vx = b.x() - x.x(), vy = b.y() - x.y();
    return std::acos((ux * vx + uy * vy) / (std::hypot(ux, uy) * std::hypot(vx, vy))) / kDegree;
}

TEST(GetDirectionFlag, UpperHalfTurn)
{
    struct Case {
        double x, y;
        bool flag;
    };
    const Case cases[] = {
        {-5, 0, false}, {5, 0, true}, {0, -5, true}, {0, 5, true},
        {-5, 0.5, true},  // close to pi
        {3, -3, false},   {3, 3, true}, {-3, -3, false},
        {-5, -0.005, false},  // horizontal within GeoSnap, towards -x
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetDirectionFlag(point(0, 0), point(c.x, c.y)), c.flag) << c.x << " " << c.y;
}

TEST(AdjustRotateAngle, CoincidentPointsWriteNothing)
{
    bool flag = false;
    line l = Line(2, 3);
    EXPECT_FALSE(AdjustRotateAngle(point(1, 1), point(1, 1), false, 45, &flag, &l));
    EXPECT_FALSE(flag);
    EXPECT_EQ(l.ltan(), 2);
    EXPECT_EQ(l.laxe(), 3);
}

TEST(AdjustRotateAngle, TurnsTheDirectionThroughP)
{
    bool flag = false;
    line l;
    // 90 degrees from +x: the vertical line through P.
    ASSERT_TRUE(AdjustRotateAngle(point(0, 0), point(1, 0), false, 90, &flag, &l));
    EXPECT_TRUE(flag);
    EXPECT_EQ(l.ltan(), kVertical);
    EXPECT_EQ(l.laxe(), 0);
    // Negated 45 degrees through (2, 1): slope -1, flag false.
    ASSERT_TRUE(AdjustRotateAngle(point(2, 1), point(5, 1), true, 45, &flag, &l));
    EXPECT_FALSE(flag);
    EXPECT_NEAR(l.ltan(), -1, 1e-12);
    EXPECT_NEAR(l.laxe(), 3, 1e-12);
    // From a direction near pi, +30 degrees wraps by 6.28318530718 below -pi.
    ASSERT_TRUE(AdjustRotateAngle(point(0, 0), point(-1, -0.1), true, 30, &flag, &l));
    EXPECT_TRUE(flag);
    EXPECT_NEAR(l.ltan(), std::tan(std::atan2(-0.1, -1) - 30 * kDegree), 1e-12);
}

TEST(AdjustDoubleRotateAngle, PointsOfTheLineSeeingTheSegment)
{
    // From the x axis, (0, 1) and (0, 3) are seen under 20 degrees at four points.
    const point p1(0, 1), p2(0, 3);
    point out[4];
    const int n = AdjustDoubleRotateAngle(p1, p2, Line(0, 0), 20, out);
    EXPECT_EQ(n, 4);
    for (int i = 0; i < n; ++i) {
        EXPECT_NEAR(out[i].y(), 0, 1e-9);
        EXPECT_NEAR(SeenUnder(out[i], p1, p2), 20, 0.01 / kDegree);
    }
    // A straight angle has no candidate.
    EXPECT_EQ(AdjustDoubleRotateAngle(p1, p2, Line(0, 0), 180, out), 0);
}

TEST(AdjustDoubleRotateAngleOnCircle, CoincidentPointsGiveNothing)
{
    point out[4] = {point(-99, -99)};
    EXPECT_EQ(AdjustDoubleRotateAngleOnCircle(circle(point(0, 0), 5), point(1, 1), point(1, 1), 60,
                                              out),
              0);
    ExpectPoint(out[0], -99, -99);
}

TEST(AdjustDoubleRotateAngleOnCircle, RightAngle)
{
    // X.(X - (10, 0)) = 0 on the circle of radius 5: x = 2.5.
    point out[4];
    const double y = std::sqrt(18.75);
    ASSERT_EQ(AdjustDoubleRotateAngleOnCircle(circle(point(0, 0), 5), point(0, 0), point(10, 0), 90,
                                              out),
              2);
    ExpectPoint(out[0], 2.5, y);
    ExpectPoint(out[1], 2.5, -y);
    // Points symmetric about the centre: no single answer (a diameter sees
    // its ends everywhere at 90 degrees, a shorter chord nowhere).
    EXPECT_EQ(AdjustDoubleRotateAngleOnCircle(circle(point(0, 0), 5), point(-5, 0), point(5, 0),
                                              90, out),
              0);
    EXPECT_EQ(AdjustDoubleRotateAngleOnCircle(circle(point(0, 0), 5), point(-3, 0), point(3, 0),
                                              90, out),
              0);
}

TEST(AdjustDoubleRotateAngleOnCircle, OtherAngles)
{
    struct Case {
        point centre;
        double r;
        point p1, p2;
        double degrees;
        int count;
    };
    const Case cases[] = {
        {point(0, 0), 5, point(0, 0), point(10, 0), 60, 2},
        {point(1, 2), 5, point(1, 2), point(11, 2), 60, 2},
        // Counts from a fine scan of the circle.
        {point(0, 0), 3, point(-5, 0), point(5, 0), 120, 4},
        {point(0, 0), 4, point(-5, 1), point(5, 1), 100, 2},
    };
    for (const Case& c : cases) {
        point out[4];
        const int n = AdjustDoubleRotateAngleOnCircle(circle(c.centre, c.r), c.p1, c.p2, c.degrees,
                                                      out);
        EXPECT_EQ(n, c.count) << c.degrees;
        for (int i = 0; i < n; ++i) {
            EXPECT_NEAR(std::hypot(out[i].x() - c.centre.x(), out[i].y() - c.centre.y()), c.r, 1e-9);
            EXPECT_NEAR(SeenUnder(out[i], c.p1, c.p2), c.degrees, 1e-3);
        }
    }
}

TEST(AdjustDoubleSolve, LineAndLine)
{
    // Parallel lines: false, points untouched.
    point p1(0, 0), p2(5, 5);
    EXPECT_FALSE(AdjustDoubleSolve(Line(1, 0), Line(1, 3), p1, p2, 1, 2));
    ExpectPoint(p1, 0, 0);
    ExpectPoint(p2, 5, 5);

    struct Case {
        LINE l1, l2;
        point p1, p2;
        double dx, dy, x1, y1, x2, y2;
    };
    const Case cases[] = {
        {{0, 0}, {1, 0}, point(0, 0), point(5, 5), 1, 2, 1, 0, 2, 2},
        // P1 right of and above P2: both offsets negated.
        {{0, 0}, {1, 0}, point(5, 5), point(0, 0), 1, 2, -1, 0, -2, -2},
        // Only right of it: dx alone negated.
        {{0, 0}, {1, 0}, point(5, 0), point(0, 5), 1, 2, 3, 0, 2, 2},
        // Only above it: dy alone negated.
        {{0, 0}, {1, 0}, point(0, 5), point(5, 0), 1, 2, -3, 0, -2, -2},
        // Equal coordinates: the comparisons are strict, nothing negated.
        {{0, 0}, {1, 0}, point(3, 3), point(3, 3), 1, 2, 1, 0, 2, 2},
        // L2 vertical.
        {{0, 1}, {kVertical, 4}, point(0, 0), point(1, 1), 1, 2, 3, 1, 4, 3},
        // L1 vertical.
        {{kVertical, 2}, {0.5, 0}, point(0, 0), point(1, 1), 2, 1, 2, 1, 4, 2},
    };
    for (const Case& c : cases) {
        point a = c.p1, b = c.p2;
        ASSERT_TRUE(AdjustDoubleSolve(line(c.l1), line(c.l2), a, b, c.dx, c.dy));
        ExpectPoint(a, c.x1, c.y1);
        ExpectPoint(b, c.x2, c.y2);
    }
}

TEST(AdjustDoubleSolve, CircleAndLine)
{
    const circle c(point(0, 0), 5);
    const double r21 = std::sqrt(21.0);
    point p1(2, 0), p2(3, 1);
    ASSERT_TRUE(AdjustDoubleSolve(c, Line(0, 3), p1, p2, 1, 1));
    ExpectPoint(p1, r21, 2);
    ExpectPoint(p2, r21 + 1, 3);
    // The other root when P1 lies on the left.
    p1 = point(-2, 0);
    p2 = point(3, 1);
    ASSERT_TRUE(AdjustDoubleSolve(c, Line(0, 3), p1, p2, 1, 1));
    ExpectPoint(p1, -r21, 2);
    // Vertical line x = 6: the root nearer P1's y.
    p1 = point(0, -1);
    p2 = point(1, 0);
    ASSERT_TRUE(AdjustDoubleSolve(c, Line(kVertical, 6), p1, p2, 2, 0));
    ExpectPoint(p1, 4, -3);
    ExpectPoint(p2, 6, -3);
    // Out of reach: false, untouched.
    p1 = point(0, -1);
    ASSERT_FALSE(AdjustDoubleSolve(c, Line(0, 30), p1, p2, 1, 1));
    ExpectPoint(p1, 0, -1);
    ExpectPoint(p2, 6, -3);
}

TEST(AdjustDoubleSolve, CircleAndCircle)
{
    const circle c1(point(0, 0), 5), c2(point(10, 0), 5);
    point p1(0, 0), p2(5, -2.5);
    ASSERT_TRUE(AdjustDoubleSolve(c1, c2, p1, p2, 2, 0));
    ExpectPoint(p1, 4, -3);
    ExpectPoint(p2, 6, -3);
    p1 = point(0, 0);
    p2 = point(5, 2.5);
    ASSERT_TRUE(AdjustDoubleSolve(c1, c2, p1, p2, 2, 0));
    ExpectPoint(p1, 4, 3);
    // The offset carries one centre onto the other: a clean failure.
    point q1(1, 1), q2(2, 2);
    EXPECT_FALSE(AdjustDoubleSolve(c1, circle(point(2, 0), 5), q1, q2, 2, 0));
    ExpectPoint(q1, 1, 1);
    ExpectPoint(q2, 2, 2);
    // P1 lands on the top of C1, where rounding leaves the radicand of its
    // abscissa a few ulps below 0: it counts as 0, a success at x = 0.
    point t1(0, 0.5), t2(3, 0.3);
    ASSERT_TRUE(AdjustDoubleSolve(circle(point(0, 0), 0.37),
                                  circle(point(2.6000000000000001, -0.47999999999999998),
                                         0.67999999999999994),
                                  t1, t2, 3.008, 0.30600000000000005));
    ExpectPoint(t1, 0, 0.37);
    ExpectPoint(t2, 3.008, 0.064);
    // Circles that cannot be reached: false, untouched.
    EXPECT_FALSE(AdjustDoubleSolve(circle(point(0, 0), 1), circle(point(50, 0), 1), q1, q2, 2, 0));
    ExpectPoint(q1, 1, 1);
}

TEST(AdjustDoubleRotateParallel, TurnsBothLines)
{
    line l1 = Line(1, 0), l2 = Line(1, 0);
    ASSERT_TRUE(AdjustDoubleRotateParallel(point(0, 0), l1, point(3, 0), l2, 3));
    EXPECT_EQ(l1.ltan(), kVertical);
    EXPECT_EQ(l1.laxe(), 0);
    EXPECT_EQ(l2.ltan(), kVertical);
    EXPECT_EQ(l2.laxe(), 3);

    // P2 five above P1, d = 3: k = 4/3 (the first root; both intercepts tie).
    ASSERT_TRUE(AdjustDoubleRotateParallel(point(0, 0), l1, point(0, 5), l2, 3));
    EXPECT_NEAR(l1.ltan(), 4.0 / 3.0, 1e-12);
    EXPECT_NEAR(l1.laxe(), 0, 1e-12);
    EXPECT_NEAR(l2.ltan(), 4.0 / 3.0, 1e-12);
    EXPECT_NEAR(l2.laxe(), 5, 1e-12);

    // Roots 4/3 (intercept -4) and -4/3 (intercept 4): the one nearer L1's
    // present intercept, the second only when strictly nearer.
    line m1 = Line(0, -3), m2 = Line(0, 0);
    ASSERT_TRUE(AdjustDoubleRotateParallel(point(3, 0), m1, point(3, 5), m2, 3));
    EXPECT_NEAR(m1.ltan(), 4.0 / 3.0, 1e-12);
    EXPECT_NEAR(m1.laxe(), -4, 1e-12);
    m1 = Line(0, 3);
    ASSERT_TRUE(AdjustDoubleRotateParallel(point(3, 0), m1, point(3, 5), m2, 3));
    EXPECT_NEAR(m1.ltan(), -4.0 / 3.0, 1e-12);
    EXPECT_NEAR(m1.laxe(), 4, 1e-12);
    EXPECT_NEAR(m2.laxe(), 9, 1e-12);

    // Too far apart across: no slope, lines untouched.
    line n1 = Line(2, 1), n2 = Line(2, 2);
    EXPECT_FALSE(AdjustDoubleRotateParallel(point(0, 0), n1, point(1, 0), n2, 3));
    EXPECT_EQ(n1.ltan(), 2);
    EXPECT_EQ(n2.laxe(), 2);
}

// A NaN or an infinity in the input is a clean failure: false, and the
// points, lines and flags passed in keep their values.
TEST(DragPairSolvers, NonFiniteInputFailsUntouched)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double bad : {nan, inf}) {
        point p1(0, 0), p2(5, 5);
        EXPECT_FALSE(AdjustDoubleSolve(Line(0, 0), Line(1, 0), p1, p2, bad, 2));
        EXPECT_FALSE(AdjustDoubleSolve(Line(0, 0), Line(1, bad), p1, p2, 1, 2));
        EXPECT_FALSE(AdjustDoubleSolve(Line(kVertical, bad), Line(1, 0), p1, p2, 1, 2));
        EXPECT_FALSE(AdjustDoubleSolve(circle(point(0, 0), 5), Line(0, 3), p1, p2, bad, 1));
        EXPECT_FALSE(AdjustDoubleSolve(circle(point(0, 0), bad), Line(kVertical, 3), p1, p2, 1, 1));
        EXPECT_FALSE(AdjustDoubleSolve(circle(point(0, 0), 5), circle(point(10, 0), 5), p1, p2, 2,
                                       bad));
        ExpectPoint(p1, 0, 0);
        ExpectPoint(p2, 5, 5);

        line l1 = Line(1, 0), l2 = Line(1, 2);
        EXPECT_FALSE(AdjustDoubleRotateParallel(point(0, 0), l1, point(0, 5), l2, bad));
        EXPECT_FALSE(AdjustDoubleRotateParallel(point(bad, 0), l1, point(0, 5), l2, 3));
        EXPECT_EQ(l1.ltan(), 1);
        EXPECT_EQ(l1.laxe(), 0);
        EXPECT_EQ(l2.laxe(), 2);

        bool flag = false;
        line arm = Line(2, 3);
        EXPECT_FALSE(AdjustRotateAngle(point(0, 0), point(1, 0), false, bad, &flag, &arm));
        EXPECT_FALSE(AdjustRotateAngle(point(bad, 0), point(1, 0), false, 30, &flag, &arm));
        EXPECT_FALSE(flag);
        EXPECT_EQ(arm.ltan(), 2);
        EXPECT_EQ(arm.laxe(), 3);

        point out[4] = {point(-99, -99), point(-99, -99), point(-99, -99), point(-99, -99)};
        AdjustDoubleRotateAngle(point(0, 1), point(0, 3), Line(0, bad), 20, out);
        AdjustDoubleRotateAngleOnCircle(circle(point(0, 0), 5), point(0, 0), point(10, 0), bad, out);
        AdjustDoubleRotateAngleOnCircle(circle(point(0, 0), bad), point(0, 0), point(10, 0), 90, out);
        for (const point& p : out) {
            EXPECT_TRUE(std::isfinite(p.x()));
            EXPECT_TRUE(std::isfinite(p.y()));
        }
    }
}

}  // namespace
