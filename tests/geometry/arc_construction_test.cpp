#include <gtest/gtest.h>

#include <cmath>

#include "angle.h"
#include "arc.h"
#include "arc_checks.h"
#include "circle.h"
#include "geolist.h"
#include "line.h"
#include "point.h"
#include "settings.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kHalfPi = 1.5707963267948966;

// Runs a construction and checks the flag against GeoError. Joined lists
// come as temporaries (two objects) or as references into one (longer chains).
template <typename List>
bool Build(arc& a, List&& list)
{
    const char result = (a = list);
    EXPECT_EQ(result != 0, GeoError() == 0);
    return result != 0;
}

double Distance(const point& p, const G_POINT& q) { return std::hypot(p.x() - q.x, p.y() - q.y); }

class ArcConstruction : public ::testing::Test {
protected:
    void SetUp() override { GeoError() = 0; }
    void TearDown() override { GeoError() = 0; }
};

TEST_F(ArcConstruction, ThreePoints)
{
    arc a;
    point c(0, 0), s(1, 0), e(0, 5);
    ASSERT_TRUE(Build(a, c & s & e));
    ExpectArc(a, 0, 0, 1, 0, kHalfPi);
    // A point on the centre gives no direction.
    point same(0, 0);
    EXPECT_FALSE(Build(a, c & same & e));
    EXPECT_EQ(GeoError(), 1);
}

TEST_F(ArcConstruction, Chord)
{
    arc a;
    point p1(0, 0), p2(2, 0);
    ASSERT_TRUE(Build(a, p1 & p2 & 2.0 & "CHORD"));
    ExpectArc(a, 0, 0, 2, 0, kPi / 3);
    // The diameter itself is the longest chord: half a turn.
    ASSERT_TRUE(Build(a, p1 & p2 & 4.0 & "chord"));
    EXPECT_NEAR(a.endAngle(), kPi, 1e-9);
}

TEST_F(ArcConstruction, ImpossibleChordsFailCleanly)
{
    arc a;
    point p1(0, 0), p2(2, 0), same(0, 0);
    EXPECT_FALSE(Build(a, p1 & p2 & 5.0 & "CHORD"));
    EXPECT_EQ(GeoError(), 1);
    EXPECT_TRUE(std::isfinite(a.endAngle()));
    EXPECT_FALSE(Build(a, p1 & same & 1.0 & "CHORD"));
    EXPECT_EQ(GeoError(), 1);
    EXPECT_TRUE(std::isfinite(a.endAngle()));
    // A NaN chord length is no chord either.
    EXPECT_FALSE(Build(a, p1 & p2 & std::nan("") & "CHORD"));
    EXPECT_EQ(GeoError(), 1);
    EXPECT_TRUE(std::isfinite(a.endAngle()));
    // Any keyword other than RADIUS and CHORD.
    EXPECT_FALSE(Build(a, p1 & p2 & 1.0 & "LEFT"));
    EXPECT_EQ(GeoError(), 1);
}

TEST_F(ArcConstruction, TwoPointsAndRadius)
{
    arc a;
    point p1(0, 0), p2(4, 0);
    ASSERT_TRUE(Build(a, p1 & p2 & 2.5 & "RADIUS"));
    EXPECT_NEAR(a.rad(), 2.5, 1e-9);
    EXPECT_NEAR(Distance(a.start(), p1.rec()), 0, 1e-9);
    EXPECT_NEAR(Distance(a.end(), p2.rec()), 0, 1e-9);
}

TEST_F(ArcConstruction, TwoCircles)
{
    arc a;
    circle c1(point(0, 0), 5), c2(point(6, 0), 5);
    ASSERT_TRUE(Build(a, c1 & c2));
    // The arc of the first circle between the crossings (3, -4) and (3, 4).
    ExpectArc(a, 0, 0, 5, std::atan2(-4, 3), std::atan2(4, 3));
    // Circles that only touch.
    circle touching(point(10, 0), 5);
    EXPECT_FALSE(Build(a, c1 & touching));
    EXPECT_EQ(GeoError(), 1);
}

TEST_F(ArcConstruction, ConcentricArc)
{
    arc source(ARC{{1, 1}, 2, 0.5, 1.5});
    arc a;
    ASSERT_TRUE(Build(a, source & 5.0));
    ExpectArc(a, 1, 1, 3, 0.5, 1.5);
    ASSERT_TRUE(Build(a, source & 0.5));
    EXPECT_NEAR(a.rad(), 1.5, 1e-12);
}

TEST_F(ArcConstruction, TwoPointsAndAngle)
{
    arc a;
    point p1(0, 0), p2(2, 0);
    angle quarter(90.0);
    ASSERT_TRUE(Build(a, p1 & p2 & quarter));
    EXPECT_NEAR(a.rad(), std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(Distance(a.start(), p1.rec()), 0, 1e-9);
    EXPECT_NEAR(Distance(a.end(), p2.rec()), 0, 1e-9);
    // A negative angle swaps the roles of the points.
    angle negative(-90.0);
    ASSERT_TRUE(Build(a, p1 & p2 & negative));
    EXPECT_NEAR(Distance(a.start(), p2.rec()), 0, 1e-9);
    EXPECT_NEAR(Distance(a.end(), p1.rec()), 0, 1e-9);
}

TEST_F(ArcConstruction, CircleAndAngles)
{
    arc a;
    circle c(point(1, 1), 2);
    angle a1(30.0), a2(60.0);
    ASSERT_TRUE(Build(a, c & a1 & a2));
    ExpectArc(a, 1, 1, 2, kPi / 6, kPi / 3);

    point p(5, 1);
    angle half(180.0);
    ASSERT_TRUE(Build(a, c & p & half));
    ExpectArc(a, 1, 1, 2, 0, kPi);
    point above(1, 9);
    ASSERT_TRUE(Build(a, c & above & half));
    ExpectArc(a, 1, 1, 2, kHalfPi, -kHalfPi);  // turned by half a circle, reduced

    point q1(9, 1), q2(1, -2);
    ASSERT_TRUE(Build(a, c & q1 & q2));
    ExpectArc(a, 1, 1, 2, 0, -kHalfPi);

    point centre(3, 4);
    ASSERT_TRUE(Build(a, centre & a1 & a2 & 7.0));
    ExpectArc(a, 3, 4, 7, kPi / 6, kPi / 3);
}

TEST_F(ArcConstruction, FilletBetweenTwoLines)
{
    arc a;
    line l1(LINE{0, 0}), l2(LINE{100001.0, 0});
    point p(3, 3);
    ASSERT_TRUE(Build(a, l1 & l2 & p & 1.0));
    // The quarter facing the corner.
    ExpectArc(a, 1, 1, 1, kPi, -kHalfPi, 1e-6);
}

TEST_F(ArcConstruction, RowsThroughCircleCases)
{
    arc a;
    circle c1(point(0, 0), 2), c2(point(10, 0), 3);
    ASSERT_TRUE(Build(a, c1 & c2 & 4.0 & "LEFT"));
    EXPECT_NEAR(a.rad(), 4, 1e-6);
    // The arc runs between its touching points with the two circles.
    const double d1 = Distance(a.start(), c1.record().center);
    const double d2 = Distance(a.end(), c2.record().center);
    EXPECT_NEAR(d1, 2, 1e-3);
    EXPECT_NEAR(d2, 3, 1e-3);
    arc right;
    ASSERT_TRUE(Build(right, c1 & c2 & 4.0 & "RIGHT"));
    EXPECT_NEAR(Distance(right.start(), c2.record().center), 3, 1e-3);

    // Without a tangency keyword the new circle touches C from inside:
    // radius 1 inside the circle of radius 5, above the line y = -3.
    const circle big(point(0, 0), 5);
    line chord(LINE{0, -3});
    ASSERT_TRUE(Build(a, big & chord & 1.0 & "LEFT"));
    EXPECT_NEAR(a.rad(), 1, 1e-6);
    EXPECT_NEAR(Distance(a.start(), big.record().center), 5, 1e-3);
    EXPECT_NEAR(a.end().y(), -3, 1e-3);
    // "RIGHT" starts at the line.
    ASSERT_TRUE(Build(a, big & chord & 1.0 & "RIGHT"));
    EXPECT_NEAR(a.start().y(), -3, 1e-3);
    EXPECT_NEAR(Distance(a.end(), big.record().center), 5, 1e-3);
}

TEST_F(ArcConstruction, CircleLineAndPoint)
{
    // Through P, touching the circle (from inside) and the line y = -3.
    arc a;
    circle c(point(0, 0), 5);
    line l(LINE{0, -3});
    point p(1, -1);
    ASSERT_TRUE(Build(a, c & l & p));
    EXPECT_NEAR(a.record().center.y - a.rad(), -3, 1e-3);
    const point s = a.start(), e = a.end();
    const bool startAtP = Distance(s, p.rec()) < 1e-3;  // the radius is searched
    EXPECT_NEAR(Distance(startAtP ? e : s, c.record().center), 5, 1e-3);
    EXPECT_NEAR(Distance(startAtP ? s : e, p.rec()), 0, 1e-3);
}

TEST_F(ArcConstruction, TwoLinesAndTwoPoints)
{
    // Through P1 touching both axes, the hint P2 picking the circle: the arc
    // runs from the touching point on the second line to P1.
    arc a;
    line l1(LINE{0, 0}), l2(LINE{100001.0, 0});
    point p1(3, 1), p2(3, 3);
    ASSERT_TRUE(Build(a, l1 & l2 & p1 & p2));
    EXPECT_NEAR(a.record().center.x, a.rad(), 1e-3);
    EXPECT_NEAR(a.record().center.y, a.rad(), 1e-3);
    EXPECT_NEAR(a.start().x(), 0, 1e-3);
    EXPECT_NEAR(Distance(a.end(), p1.rec()), 0, 1e-6);
}

TEST_F(ArcConstruction, FailingCircleCasesReportNoSolution)
{
    arc a;
    // Two parallel lines 2 apart cannot both touch a circle of radius 5.
    line l1(LINE{0, 0}), l2(LINE{0, 2});
    point p(1, 1);
    EXPECT_FALSE(Build(a, l1 & l2 & p & 5.0));
    EXPECT_EQ(GeoError(), 1);
    // Circles 20 apart cannot both be touched by a circle of radius 1.
    circle c1(point(0, 0), 1), c2(point(20, 0), 1);
    EXPECT_FALSE(Build(a, c1 & c2 & 1.0 & "LEFT"));
    EXPECT_EQ(GeoError(), 1);
    // The rows C L P and L L P P test their circle case too: no circle
    // through a point below y = -3 touches that line and a circle above it,
    // and none through (0, 5) touches both y = 0 and y = 2.
    circle unit(point(0, 0), 1);
    line floor(LINE{0, -3});
    point below(0, -5);
    EXPECT_FALSE(Build(a, unit & floor & below));
    EXPECT_EQ(GeoError(), 1);
    point outside(0, 5), hint(1, 5);
    EXPECT_FALSE(Build(a, l1 & l2 & outside & hint));
    EXPECT_EQ(GeoError(), 1);
}

TEST_F(ArcConstruction, UnknownSequencesLeaveTheArc)
{
    arc a(ARC{{1, 2}, 3, 0.5, 1.0});
    point p(0, 0);
    line l(LINE{1, 0});
    EXPECT_FALSE(Build(a, p & l));
    EXPECT_EQ(GeoError(), 3);
    EXPECT_FALSE(Build(a, p & 1.0));
    EXPECT_EQ(GeoError(), 3);
    ExpectArc(a, 1, 2, 3, 0.5, 1.0);
    // A later success clears the code.
    point c(0, 0), s(1, 0), e(0, 1);
    EXPECT_TRUE(Build(a, c & s & e));
}

}  // namespace
