#include <gtest/gtest.h>

#include <cmath>

#include "angle.h"
#include "arc.h"
#include "circle.h"
#include "geolist.h"
#include "line.h"
#include "line_constructions.h"
#include "point.h"
#include "segment.h"
#include "settings.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
const double kRoot3 = std::sqrt(3.0);

void expectLine(const LINE& l, double slope, double intercept, double tolerance = 1e-9)
{
    EXPECT_NEAR(l.ltan, slope, tolerance);
    EXPECT_NEAR(l.laxe, intercept, tolerance);
}

void expectLine(const line& l, double slope, double intercept, double tolerance = 1e-9)
{
    expectLine(l.record(), slope, intercept, tolerance);
}

// A list, the GeoError its construction gives and the line it builds.
struct ListCase {
    const char* name;
    geolist list;
    int error;
    double slope, intercept;
};

// Every test leaves GeoError as it found it.
class LineConstructionsTest : public ::testing::Test {
protected:
    void SetUp() override { error_ = GeoError(); }
    void TearDown() override { GeoError() = error_; }

    // Builds `target` from the list; returns the resulting GeoError.
    static int build(line& target, const geolist& list)
    {
        GeoError() = 7;  // the construction must clear it
        const bool ok = (target = list);
        EXPECT_EQ(ok, GeoError() == 0);
        return GeoError();
    }

    // Builds a line from (5, 0) by each list; checks the GeoError and the line.
    template <size_t N>
    static void expectBuilds(const ListCase (&cases)[N], double tolerance = 1e-9)
    {
        for (const ListCase& c : cases) {
            line l(5, 0);
            SCOPED_TRACE(c.name);
            EXPECT_EQ(build(l, c.list), c.error);
            expectLine(l, c.slope, c.intercept, tolerance);
        }
    }

private:
    char error_ = 0;
};

// ---- primitives ------------------------------------------------------------------

TEST_F(LineConstructionsTest, LineThroughPoints)
{
    LINE l;
    EXPECT_TRUE(LineThroughPoints({0, 0}, {0.005, 1}, l));
    expectLine(l, 100001.0, 0.0025, 0.0);
    EXPECT_TRUE(LineThroughPoints({0, 0}, {0.005, 0.005}, l));
    expectLine(l, 1.0, 0.0);
    EXPECT_FALSE(LineThroughPoints({3, 4}, {3, 4}, l));
    expectLine(l, 100001.0, 3.0, 0.0);
    EXPECT_TRUE(LineThroughPoints({2, 0}, {2, 5}, l));
    expectLine(l, 100001.0, 2.0, 0.0);
    // A slope beyond the sentinel becomes the sentinel through the mean x.
    EXPECT_TRUE(LineThroughPoints({0, 0}, {1e-6, 0.5}, l));
    expectLine(l, 100001.0, 5e-7, 0.0);
}

TEST_F(LineConstructionsTest, LineAtAngle)
{
    LINE l;
    expectLine(LineAtAngle(l, {3, 1}, kPi / 2 - 0.0005), 100001.0, 3.0, 0.0);
    expectLine(LineAtAngle(l, {3, 1}, -kPi / 2), 100001.0, 3.0, 0.0);
    expectLine(LineAtAngle(l, {0, 0}, kPi / 4), 1.0, 0.0, 1e-12);
    expectLine(LineAtAngle(l, {1, 1}, 0.0), 0.0, 1.0, 0.0);
}

TEST_F(LineConstructionsTest, ParallelLine)
{
    LINE l;
    expectLine(ParallelLine(l, {1, 0}, 1.0), 1.0, std::sqrt(2.0));
    expectLine(ParallelLine(l, {0.0005, 2}, 1.0), 0.0005, 3.0);  // near-horizontal: b + d
    expectLine(ParallelLine(l, {100001.0, 4}, -1.0), 100001.0, 3.0);
    expectLine(ParallelThroughPoint(l, {2, 0}, {1, 5}), 2.0, 3.0);
    expectLine(ParallelThroughPoint(l, {100001.0, 0}, {1, 5}), 100001.0, 1.0);
}

TEST_F(LineConstructionsTest, ParallelLineTowardsChoosesTheSideAndBreaksTies)
{
    struct Case {
        const char* name;
        LINE l;
        G_POINT r;
        double d;
        double intercept;
    } cases[] = {
        {"horizontal, towards R", {0, 0}, {0, 5}, 2, 2},
        {"horizontal, away from R", {0, 0}, {0, 5}, -2, -2},
        {"horizontal, R below", {0, 0}, {0, -5}, 2, -2},
        {"horizontal tie takes the smaller intercept", {0, 0}, {3, 0}, 2, -2},
        {"horizontal tie, negative d", {0, 0}, {3, 0}, -2, -2},
        {"vertical, towards R", {100001.0, 1}, {6, 0}, 2, 3},
        {"vertical tie takes the smaller x", {100001.0, 1}, {1, 9}, 2, -1},
        {"sloped tie takes the greater intercept", {1, 0}, {2, 2}, 1, std::sqrt(2.0)},
        {"sloped tie, negative d", {1, 0}, {2, 2}, -1, std::sqrt(2.0)},
        {"sloped, towards R", {1, 0}, {0, -5}, 1, -std::sqrt(2.0)},
        {"sloped, away from R", {1, 0}, {0, -5}, -1, std::sqrt(2.0)},
    };
    for (const Case& c : cases) {
        LINE out;
        ParallelLineTowards(out, c.l, c.r, c.d);
        EXPECT_EQ(out.ltan, c.l.ltan) << c.name;
        EXPECT_NEAR(out.laxe, c.intercept, 1e-9) << c.name;
    }
}

TEST_F(LineConstructionsTest, LineAtAngleToLine)
{
    LINE l;
    expectLine(LineAtAngleToLine(l, {100001.0, 0}, {2, 3}, kPi / 2), 0.0, 3.0);
    expectLine(LineAtAngleToLine(l, {2, 0}, {2, 3}, -kPi / 2), -0.5, 4.0);
    expectLine(LineAtAngleToLine(l, {0.0005, 0}, {2, 3}, kPi / 2), 100001.0, 2.0);
    expectLine(LineAtAngleToLine(l, {0, 0}, {1, 1}, kPi / 4), 1.0, 0.0);
    expectLine(LineAtAngleToLine(l, {1, 0}, {1, 1}, kPi / 4), 100001.0, 1.0);
}

TEST_F(LineConstructionsTest, TangentLines)
{
    const CIRCLE unit{{0, 0}, 1};
    LINE out[2];
    TangentLinesParallel(unit, {0, 3}, out);
    expectLine(out[0], 0.0, -1.0);
    expectLine(out[1], 0.0, 1.0);
    TangentLinesAtAngle(unit, 0.0, out);
    expectLine(out[0], 0.0, -1.0);
    expectLine(out[1], 0.0, 1.0);

    // On the circle within GeoSnap: the one tangent there.
    EXPECT_EQ(TangentLinesFromPoint(unit, {1.005, 0}, out), 1);
    expectLine(out[0], 100001.0, 1.005, 0.0);
    // From twice the radius: two tangents symmetric about the centre line.
    ASSERT_EQ(TangentLinesFromPoint(unit, {2, 0}, out), 2);
    expectLine(out[0], -1.0 / kRoot3, 2.0 / kRoot3);
    expectLine(out[1], 1.0 / kRoot3, -2.0 / kRoot3);
    out[0] = LINE{9, 9};
    EXPECT_EQ(TangentLinesFromPoint(unit, {0.5, 0}, out), 0);
    expectLine(out[0], 9.0, 9.0, 0.0);
}

TEST_F(LineConstructionsTest, Bisectors)
{
    LINE l;
    expectLine(BisectorLine(l, {0, 0}, {1, 0}, 0), std::tan(kPi / 8), 0.0);
    expectLine(BisectorLine(l, {0, 0}, {1, 0}, 1), std::tan(kPi / 8 + kPi / 2), 0.0);
    expectLine(BisectorLine(l, {0, 1}, {0, 3}, 0), 0.0, 2.0);  // the mid-parallel

    // The bisector of the angle that contains P.
    expectLine(BisectorLineAtPoint(l, {0, 0}, {100001.0, 0}, {1, 2}), 1.0, 0.0);
    expectLine(BisectorLineAtPoint(l, {0, 0}, {100001.0, 0}, {-1, 2}), -1.0, 0.0);

    G_POINT x;
    double direction = 5;
    EXPECT_FALSE(AngleBisector({0, 0}, {0, 0}, {100001.0, 0}, {0, 4}, x, direction));
    EXPECT_TRUE(AngleBisector({100001.0, 2}, {0, 0}, {100001.0, 4}, {0, 0}, x, direction));
    EXPECT_EQ(x.x, 3.0);
    EXPECT_NEAR(direction, kPi / 2, 1e-12);
}

TEST_F(LineConstructionsTest, RotateMirrorAndRadicalAxis)
{
    LINE l{0, 0};
    EXPECT_TRUE(RotateLine(l, {1, 0}, kPi / 2));
    expectLine(l, 100001.0, 1.0);
    l = LINE{100001.0, 2};
    EXPECT_TRUE(RotateLine(l, {0, 0}, kPi / 4));
    expectLine(l, -1.0, 2.0 * std::sqrt(2.0), 1e-9);

    struct MirrorCase {
        LINE l, m;
        double slope, intercept;
    } mirrors[] = {
        {{0, 0}, {1, 0}, 100001.0, 0.0},
        {{100001.0, 1}, {1, 0}, 0.0, 1.0},
        {{0, 2}, {0, 0}, 0.0, -2.0},
        {{0, 2}, {100001.0, 0}, 0.0, 2.0},  // perpendicular: unchanged
    };
    for (MirrorCase& c : mirrors) {
        MirrorLineAboutLine(c.l, c.m);
        expectLine(c.l, c.slope, c.intercept);
    }

    EXPECT_TRUE(RadicalAxis({{0, 0}, 1}, {{4, 0}, 1}, l));
    expectLine(l, 100001.0, 2.0);
    l = LINE{7, 7};
    EXPECT_FALSE(RadicalAxis({{1, 1}, 1}, {{1, 1}, 2}, l));
    expectLine(l, 7.0, 7.0, 0.0);
}

// Touching points of two unit circles about (0, 0) and (4, 0): outer
// tangents y = 1 and y = -1, inner tangents through (0.5, +-h) and (3.5, -+h).
TEST_F(LineConstructionsTest, CommonTangentNearAnglesWithEightPoints)
{
    const double h = kRoot3 / 2;
    const G_POINT t[8] = {{0, 1}, {4, 1}, {0, -1}, {4, -1}, {0.5, h}, {3.5, -h}, {0.5, -h}, {3.5, h}};
    struct Case {
        const char* name;
        double a1, a2;
        double slope, intercept;
    } cases[] = {
        {"both up: upper outer", kPi / 2, kPi / 2, 0, 1},
        {"both down: lower outer", -kPi / 2, -kPi / 2, 0, -1},
        {"tie on c1 goes to T[0]; T[5] strictly nearer on c2", 0, -2 * kPi / 3, -1 / kRoot3, 2 / kRoot3},
        {"T[2] nearer on c1, T[7] strictly nearer on c2", -kPi / 2, 2 * kPi / 3, 1 / kRoot3, -2 / kRoot3},
        {"T[2] nearer on c1, tie on c2 keeps T[2]-T[3]", -kPi / 2, 0, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LINE out;
        expectLine(CommonTangentNearAngles(out, {0, 0}, {4, 0}, t, c.a1, c.a2, 8), c.slope, c.intercept, 1e-9);
    }
}

// With k = 5, T[0] is the contact point and the outer tangents are T[1]-T[2]
// and T[3]-T[4]; a tie goes to T[1].
TEST_F(LineConstructionsTest, CommonTangentNearAnglesWithFivePoints)
{
    const G_POINT t[8] = {{1, 0}, {0, 1}, {2, 1}, {0, -1}, {2, -1}, {0, 0}, {0, 0}, {0, 0}};
    LINE out;
    expectLine(CommonTangentNearAngles(out, {0, 0}, {2, 0}, t, kPi / 2, 0, 5), 0, 1);
    expectLine(CommonTangentNearAngles(out, {0, 0}, {2, 0}, t, -1.0, 0, 5), 0, -1);
    expectLine(CommonTangentNearAngles(out, {0, 0}, {2, 0}, t, 0.0, 0, 5), 0, 1);
}

// ---- construction from an argument list ---------------------------------------------

TEST_F(LineConstructionsTest, ListsOfOneAndTwoItems)
{
    const point o(0, 0), p(1, 1), q(2, 2), on(1, 0), inside(0.2, 0), top(0, 3);
    const line horizontal(0, 0), diagonal(1, 0), y3(0, 3);
    const circle unit(point(0, 0), 1), right(point(4, 0), 1), concentric(point(0, 0), 2);
    const segment s(point(0, 0), point(10, 0)), dot(point(1, 1), point(1, 1));
    const arc quarter(ARC{{0, 0}, 1, 0, kPi / 2});
    const angle a45(45.0);

    const ListCase cases[] = {
        {"line", geolist(diagonal), 0, 1, 0},
        {"segment", geolist(s), 0, 0, 0},
        {"point only", geolist(p), 1, 1, 0},
        {"point, angle", p & a45, 0, 1, 0},
        {"two points", p & q, 0, 1, 0},
        {"same point twice", p & p, 1, 100001.0, 1},
        {"point, radians", top & 0.0, 0, 0, 3},
        {"line, distance", horizontal & 2.0, 0, 0, 2},
        {"line, point", diagonal & top, 0, 1, 3},
        {"two lines", horizontal & diagonal, 0, std::tan(kPi / 8), 0},
        {"segment, point", s & top, 0, 0, 3},
        {"zero segment, point", dot & top, 1, 1, 0},
        {"circle, point on it", unit & on, 0, 100001.0, 1},
        {"circle, point inside", unit & inside, 1, 1, 0},
        {"two circles", unit & right, 0, 100001.0, 2},
        {"concentric circles", unit & concentric, 1, 1, 0},
        {"circle, parallel line", unit & y3, 0, 0, 1},
        {"arc, fraction", quarter & 0.5, 0, 1, 0},
    };
    expectBuilds(cases);
}

TEST_F(LineConstructionsTest, ListsOfThreeItems)
{
    const point p11(1, 1), up(0, 5), twelve(1, 2), a(1, 0), o(0, 0), b(0, 1), far(2, 0);
    const point twoTwo(2, 2);
    const point r01(0, 1), pTop(0, 5), pBottom(0, -5), below(0, -4), onCircle(1, 0), in(0.1, 0);
    const line horizontal(0, 0), vertical(100001.0, 0), diagonal(1, 0), y3(0, 3);
    const circle unit(point(0, 0), 1);
    const segment s(point(0, 0), point(10, 0)), tiny(point(0, 0), point(0.0005, 0));
    const angle right(90.0), a45(45.0), zero(0.0), down(-90.0);

    const ListCase cases[] = {
        {"line, point, right angle", horizontal & p11 & right, 0, 100001.0, 1},
        {"line, point, 45", horizontal & p11 & a45, 0, 1, 0},
        {"line, point, distance towards", horizontal & up & 2.0, 0, 0, 2},
        {"line, point, distance away", horizontal & up & -2.0, 0, 0, -2},
        {"two lines, point", horizontal & vertical & twelve, 0, 1, 0},
        {"two lines, SMALL", horizontal & diagonal & "SMALL", 0, std::tan(kPi / 8), 0},
        {"two lines, BIG", horizontal & diagonal & "BIG", 0, std::tan(kPi / 8 + kPi / 2), 0},
        {"segment offset RIGHT", s & 2.0 & "RIGHT", 0, 0, 2},
        {"segment offset LEFT", s & 2.0 & "LEFT", 0, 0, -2},
        {"segment too short", tiny & 2.0 & "RIGHT", 3, 1, 0},
        {"three points", a & o & b, 0, 1, 0},
        {"three points, first two equal", o & o & b, 1, 1, 0},
        {"three points in a row: the line itself", o & p11 & twoTwo, 0, 1, 0},
        {"circle, point, hint point", unit & far & r01, 0, -1 / kRoot3, 2 / kRoot3},
        {"circle, point on it, hint", unit & onCircle & r01, 0, 100001.0, 1},
        {"circle, point inside", unit & in & r01, 1, 1, 0},
        {"circle, point, angle", unit & pTop & zero, 0, 0, 1},
        {"circle, point below, angle", unit & pBottom & zero, 0, 0, -1},
        {"circle, line, point", unit & y3 & below, 0, 0, -1},
        {"circle, line, angle", unit & y3 & right, 0, 0, 1},
        {"circle, line, angle down", unit & y3 & down, 0, 0, -1},
        {"point, two numbers", p11 & 1.0 & 2.0, 3, 1, 0},
    };
    expectBuilds(cases);
}

TEST_F(LineConstructionsTest, ListsOfFourItems)
{
    const line horizontal(0, 0), vertical(100001.0, 0);
    const point left(-3, 0), upper(0, 2), atCrossing(0, 5);
    const circle c1(point(0, 0), 1), c2(point(4, 0), 1);      // apart: 8 touching points
    const circle touching(point(2, 0), 1);                    // outer contact at (1, 0)
    const circle overlapping(point(1, 0), 1);                 // crossing: outer tangents only
    const circle big(point(0, 0), 2), innerTouch(point(1, 0), 1);  // inner contact
    const point hintUp(0.5, 2), hintDown(0.5, -2), far(2, 3), farDown(2, -3);
    const point nearTop1(0, 2), nearTop2(4, 2);
    const angle up(90.0), down(-90.0);

    const ListCase cases[] = {
        {"two lines, two points", horizontal & vertical & left & upper, 0, -1, 0},
        {"two lines, foot at the crossing", horizontal & vertical & atCrossing & upper, 1, 1, 0},
        {"INSIDE, upper hint", c1 & c2 & hintUp & "INSIDE", 0, -1 / kRoot3, 2 / kRoot3},
        {"FIT, lower hint", c1 & c2 & hintDown & "FIT", 0, 1 / kRoot3, -2 / kRoot3},
        {"INSIDE at outer contact", c1 & touching & hintUp & "INSIDE", 0, 100001.0, 1},
        {"INSIDE of crossing circles", c1 & overlapping & hintUp & "INSIDE", 1, 1, 0},
        {"outer, upper hint", c1 & c2 & far & "OUTSIDE", 0, 0, 1},
        {"outer, lower hint", c1 & c2 & farDown & "BIG", 0, 0, -1},
        {"outer of inner contact", big & innerTouch & far & "OUTSIDE", 1, 1, 0},
        {"two hint points", c1 & c2 & nearTop1 & nearTop2, 0, 0, 1},
        {"two hint points, outer contact", c1 & touching & hintUp & far, 0, 0, 1},
        {"two hint points, inner contact: the tangent there", big & innerTouch & far & farDown, 0, 100001.0, 2},
        {"OUTSIDE LEFT", c1 & c2 & "OUTSIDE" & "LEFT", 0, 0, 1},
        {"RIGHT OUTSIDE", c1 & c2 & "RIGHT" & "OUTSIDE", 0, 0, -1},
        {"OUTSIDE without a side", c1 & c2 & "OUTSIDE" & "BIG", 3, 1, 0},
        {"INSIDE LEFT", c1 & c2 & "INSIDE" & "LEFT", 0, -1 / kRoot3, 2 / kRoot3},
        {"INSIDE RIGHT", c1 & c2 & "INSIDE" & "RIGHT", 0, 1 / kRoot3, -2 / kRoot3},
        {"inner without INSIDE", c1 & c2 & "SMALL" & "LEFT", 3, 1, 0},
        {"INSIDE of crossing circles by side", c1 & overlapping & "INSIDE" & "LEFT", 1, 1, 0},
        {"angles up", c1 & c2 & up & up, 0, 0, 1},
        {"angles down", c1 & c2 & down & down, 0, 0, -1},
        {"angles down, outer contact", c1 & touching & down & down, 0, 0, -1},
        {"concentric: no tangent", c1 & big & far & "OUTSIDE", 1, 1, 0},
    };
    expectBuilds(cases, 1e-6);
}

TEST_F(LineConstructionsTest, UnacceptedListsReportThree)
{
    const point p(1, 1), q(2, 2), r(3, 3), s(4, 4), t(5, 5);
    line l(5, 0);
    EXPECT_EQ(build(l, p & q & r & s & t), 3);
    EXPECT_EQ(build(l, geolist()), 3);
    // A single item that is not an object.
    EXPECT_EQ(build(l, geolist() & 2.0), 3);
    EXPECT_EQ(build(l, geolist() & "LEFT"), 3);
    const line m(2, 0);
    EXPECT_EQ(build(l, m & 1.0 & 2.0 & 3.0), 3);
}

// Sequences that begin like an accepted one and then stray are refused
// without touching the line.
TEST_F(LineConstructionsTest, StrayPrefixesLeaveTheLineUnchanged)
{
    const point p(1, 1), q(2, 2);
    const line m(2, 0);
    const angle a(30.0);
    geolist_ref crossing = line(1, 0) % line(-1, 2);  // one stored point
    ASSERT_EQ(crossing.count(), 1);
    geolist lineAndStoredPoint(m);
    lineAndStoredPoint + crossing[0];  // the stored point is copied whole, after the line
    geolist lists[] = {
        p & "LEFT", p & control(1), m & a, m & "BIG", lineAndStoredPoint, m & p & "LEFT", m & p & q,
    };
    int i = 0;
    for (geolist& list : lists) {
        SCOPED_TRACE(i++);
        line l(5, 6);
        EXPECT_EQ(build(l, list), 3);
        expectLine(l, 5.0, 6.0, 0.0);
    }
}

TEST_F(LineConstructionsTest, ConstructorFromAListStartsFromZero)
{
    const point p(1, 1), q(3, 5);
    GeoError() = 0;
    const line l(p & q);
    EXPECT_EQ(GeoError(), 0);
    expectLine(l, 2.0, -1.0);
    const line failed(p & p);
    EXPECT_EQ(GeoError(), 1);
}

}  // namespace
