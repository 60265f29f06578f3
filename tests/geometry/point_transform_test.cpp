// The rigid transform carried by point: applying it, its identity test at
// the tolerance boundaries, Reset, Reverse and the inverse built from it.
#include <gtest/gtest.h>

#include <cmath>

#include "point.h"
#include "settings.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

void ExpectAt(const point& p, double x, double y)
{
    EXPECT_NEAR(p.x(), x, 1e-12);
    EXPECT_NEAR(p.y(), y, 1e-12);
}

TEST(PointTransform, DefaultAndResetAreTheIdentity)
{
    const point::TRANSFORM identity;
    EXPECT_FALSE(identity.NeedAction());
    EXPECT_EQ(identity.cos, 1.0);
    EXPECT_EQ(identity.sin, 0.0);

    point::TRANSFORM t(point(5, 6), point(1, 2), 0.0, 1.0);
    EXPECT_TRUE(t.NeedAction());
    t.Reset();
    EXPECT_FALSE(t.NeedAction());
    EXPECT_EQ(t.from.x, 1.0);  // the source keeps its value
    EXPECT_EQ(t.to.y, 2.0);
    EXPECT_EQ(t.cos, 1.0);
    EXPECT_EQ(t.sin, 0.0);
}

TEST(PointTransform, QuarterTurnIsClockwiseAndReverseTurnsBack)
{
    const point from(3, 4);
    point::TRANSFORM t(from, from, 0.0, 1.0);
    point p(4, 4);  // from + (1, 0)
    p.Transform(t);
    ExpectAt(p, 3, 3);  // from + (0, -1)
    t.Reverse();
    EXPECT_EQ(t.sin, -1.0);
    point q(4, 4);
    q.Transform(t);
    ExpectAt(q, 3, 5);  // from + (0, 1)
}

TEST(PointTransform, TurnsAboutTheSourceThenMovesItOntoTheTarget)
{
    const double a = kPi / 6;
    const point::TRANSFORM t(point(10, 0), point(1, 1), std::cos(a), std::sin(a));
    point p(1 + std::cos(a), 1 + std::sin(a));  // at angle a about the source
    p.Transform(t);
    ExpectAt(p, 11, 0);  // turned by -a onto the x direction, then moved
    G_POINT raw{1, 1};
    t.Transform(&raw);
    EXPECT_NEAR(raw.x, 10, 1e-12);
    EXPECT_NEAR(raw.y, 0, 1e-12);
}

TEST(PointTransform, ExchangedAndReversedIsTheInverse)
{
    const double a = 0.7;
    const point::TRANSFORM t(point(-3, 8), point(2, 5), std::cos(a), std::sin(a));
    point::TRANSFORM inverse(point(2, 5), point(-3, 8), std::cos(a), std::sin(a));
    inverse.Reverse();
    point p(7.5, -1.25);
    p.Transform(t);
    p.Transform(inverse);
    ExpectAt(p, 7.5, -1.25);

    point q(7.5, -1.25);
    q.Transform(t);
    q.ReTransform(t);  // the inverse of Transform
    ExpectAt(q, 7.5, -1.25);
}

TEST(PointTransform, PairOffTheUnitCircleScalesToo)
{
    const point::TRANSFORM t(point(0, 0), point(0, 0), 2.0, 0.0);
    point p(1, 3);
    p.Transform(t);
    ExpectAt(p, 2, 6);
}

TEST(PointTransform, NeedActionAtTheTolerances)
{
    struct Case {
        double dx;
        double dy;
        double cos;
        double sin;
        bool needed;
    } cases[] = {
        {0.0, 0.0, 0.9995, 0.0009, false},  // both within GeoDif
        {0.005, -0.005, 1.0, 0.0, false},
        {0.01, 0.0, 1.0, 0.0, true},  // exactly GeoSnap in x
        {0.0, 0.01, 1.0, 0.0, true},
        {0.0, 0.0, 1.0, 0.001, true},
        {0.0, 0.0, 0.998, 0.0, true},
    };
    for (const Case& c : cases) {
        const point::TRANSFORM t(point(c.dx, c.dy), point(0, 0), c.cos, c.sin);
        EXPECT_EQ(t.NeedAction(), c.needed) << c.dx << " " << c.dy << " " << c.cos << " " << c.sin;
    }
}

TEST(PointTransform, AssignmentCopiesEveryField)
{
    const point::TRANSFORM t(point(1, 2), point(3, 4), 0.5, 0.25);
    point::TRANSFORM u;
    u = t;
    EXPECT_EQ(u.to.x, 1.0);
    EXPECT_EQ(u.to.y, 2.0);
    EXPECT_EQ(u.from.x, 3.0);
    EXPECT_EQ(u.from.y, 4.0);
    EXPECT_EQ(u.cos, 0.5);
    EXPECT_EQ(u.sin, 0.25);
}

}  // namespace
