#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <span>
#include <vector>

#include "angle.h"
#include "circle.h"
#include "circle_case_checks.h"
#include "circle_constructions.h"
#include "geolist.h"
#include "line.h"
#include "point.h"
#include "ray.h"
#include "arc.h"
#include "segment.h"
#include "settings.h"

namespace {

struct Exact {
    const char* name;
    std::function<geolist()> list;
    double x, y, r;
};

// The objects the lists refer to; they outlive every list.
struct Scene {
    point origin{0, 0};
    point p34{3, 4};
    point p10{10, 0};
    point near{0.01, 0};
    circle c10{point(0, 0), 10.0};
    line y4{Horizontal(4)};
    line y14{Horizontal(14)};
    line y0{Horizontal(0)};
    arc arc234{ARC{{2, 3}, 4, 0, 1}};
    geolist concentric7 = c10 & 3.0;
};

class CircleDispatch : public ::testing::Test {
protected:
    void SetUp() override { savedError_ = GeoError(); }
    void TearDown() override { GeoError() = savedError_; }
    Scene s;

private:
    char savedError_ = 0;
};

// A list the construction refuses with `error`.
struct Refusal {
    const char* name;
    std::function<geolist()> list;
    int error;
};

// Each list fails with its GeoError and leaves the circle as it was.
void ExpectRefusals(std::span<const Refusal> rows)
{
    for (const Refusal& row : rows) {
        SCOPED_TRACE(row.name);
        circle c(point(1, 1), 2.0);
        geolist list = row.list();
        EXPECT_FALSE(c = list);
        EXPECT_EQ(GeoError(), row.error);
        EXPECT_EQ(c.record().center.x, 1.0);
        EXPECT_EQ(c.record().center.y, 1.0);
        EXPECT_EQ(c.rad(), 2.0);
    }
}

TEST_F(CircleDispatch, RowsWithTheTextsNumbers)
{
    const Exact rows[] = {
        {"point and number", [&] { return s.p34 & 5.0; }, 3, 4, 5},
        {"point and negative number", [&] { return s.p34 & -5.0; }, 3, 4, -5},
        {"centre and point", [&] { return s.origin & s.p34; }, 0, 0, 5},
        {"gap to y = 4", [&] { return s.c10 & s.y4; }, 0, 7, 3},
        {"gap to y = 14", [&] { return s.c10 & s.y14; }, 0, 12, 2},
        {"concentric 3", [&] { return s.c10 & 3.0; }, 0, 0, 7},
        {"concentric 13", [&] { return s.c10 & 13.0; }, 0, 0, 3},
        {"concentric through a point", [&] { return s.c10 & s.p34; }, 3, 4, 5},
        {"diameter", [&] { return s.origin & s.p10 & "INTERNAL"; }, 5, 0, 5},
        {"one circle", [&] { return geolist(s.c10); }, 0, 0, 10},
        {"one arc", [&] { return geolist(s.arc234); }, 2, 3, 4},
        {"a list in a list",
         [&] {
             geolist outer;
             outer & static_cast<const geobject&>(s.concentric7);
             return outer;
         },
         0, 0, 7},
    };
    for (const Exact& row : rows) {
        SCOPED_TRACE(row.name);
        circle c(point(1, 1), 2.0);
        EXPECT_TRUE(c = row.list());
        EXPECT_EQ(GeoError(), 0);
        EXPECT_NEAR(c.record().center.x, row.x, 1e-9);
        EXPECT_NEAR(c.record().center.y, row.y, 1e-9);
        EXPECT_NEAR(c.rad(), row.r, 1e-9);
    }
}

TEST_F(CircleDispatch, FailuresAndRejectionsLeaveTheCircle)
{
    point a(0, 0), b(1, 0), c3(2, 0), d(3, 3);
    line l1(Horizontal(0)), l2(Vertical(0));
    angle thirty(30.0);
    circle dot(point(0, 0), 0.0), high(point(5, 3), 1.0);
    const Refusal rows[] = {
        {"gap with a line through the centre", [&] { return s.c10 & s.y0; }, 1},
        {"diameter of points 0.01 apart", [&] { return s.origin & s.near & "INTERNAL"; }, 1},
        {"collinear three points", [&] { return a & b & c3; }, 1},
        {"collinear three points, EXTERNAL", [&] { return a & b & c3 & "EXTERNAL"; }, 1},
        {"collinear three points, INTERNAL", [&] { return a & b & c3 & "INTERNAL"; }, 1},
        // The parabola of a circle of radius 0 centred on the line degenerates.
        {"two circles and a line, one a point on the line",
         [&] { return dot & high & l1 & d & "EXTERNAL"; }, 1},
        {"one circle twice and a line", [&] { return high & high & l1 & d & "EXTERNAL"; }, 1},
        {"three circles, two concentric", [&] { return dot & s.c10 & high; }, 1},
        {"circle and two lines, EXTERNAL, the first line cuts the circle",
         [&] { return s.c10 & s.y4 & l2 & "EXTERNAL"; }, 1},
        {"centre line keyword other than CENTER", [&] { return l1 & l2 & a & "LEFT"; }, 1},
        {"four points", [&] { return a & b & c3 & d; }, 3},
        {"one point", [&] { return geolist(a); }, 3},
        {"circle, number and keyword", [&] { return s.c10 & 2.0 & "LEFT"; }, 3},
        {"two points and LEFT", [&] { return a & d & "LEFT"; }, 3},
        {"three points and LEFT", [&] { return a & d & b & "LEFT"; }, 3},
        {"line, points and a keyword other than CENTER", [&] { return l1 & a & d & "LEFT"; }, 3},
        {"circle and angle", [&] { return s.c10 & thirty; }, 3},
        {"empty list", [&] { return geolist(); }, 3},
    };
    ExpectRefusals(rows);
}

TEST_F(CircleDispatch, LeftAndRightPickTheSideOfTheChord)
{
    circle left, right;
    ASSERT_TRUE(left = s.origin & s.p10 & 10.0 & "LEFT");
    ASSERT_TRUE(right = s.origin & s.p10 & 10.0 & "RIGHT");
    EXPECT_GT(left.record().center.y, 0.0);
    EXPECT_LT(right.record().center.y, 0.0);
    for (const circle* c : {&left, &right}) {
        EXPECT_NEAR(c->rad(), 10.0, 1e-9);
        EXPECT_TRUE(PassesThrough(c->record(), s.origin.rec()));
        EXPECT_TRUE(PassesThrough(c->record(), s.p10.rec()));
    }
}

// Rows that name no hint of their own take the circle's present centre: of
// two solutions the one nearer the present centre is taken, and solving the
// same list again from the result keeps it (dragging stays on one solution).
TEST_F(CircleDispatch, PresentCentreKeepsTheSolutionOnResolve)
{
    point o(0, 0), p10(10, 0), p03(0, 3), p41(4, 1), p30(3, 0);
    line floor(Horizontal(0)), wall(Vertical(0)), diag(LINE{1, 0}), slant(LINE{-1, 4}), y6(Horizontal(6)),
        ym8(Horizontal(-8));
    circle big(point(0, 0), 5.0), given(point(0, 8), 2.0);
    const LINE F = floor.record(), W = wall.record();
    struct Row {
        const char* name;
        std::function<geolist()> list;
        G_POINT presents[2];
        std::function<bool(const CIRCLE&)> valid;
    } rows[] = {
        {"P P V", [&] { return o & p10 & 10.0; }, {{5, 5}, {5, -5}},
         [&](const CIRCLE& c) { return PassesThrough(c, o.rec()) && PassesThrough(c, p10.rec()); }},
        {"L P V", [&] { return floor & p03 & 2.5; }, {{1, 5}, {-1, 5}},
         [&](const CIRCLE& c) { return TouchesLine(c, F) && PassesThrough(c, p03.rec()); }},
        {"L L L", [&] { return floor & wall & slant; }, {{1, 1}, {6, 6}},
         [&](const CIRCLE& c) { return TouchesLine(c, F) && TouchesLine(c, W) && TouchesLine(c, slant.record()); }},
        {"L L V CENTER", [&] { return floor & diag & 2.0 & "CENTER"; }, {{5, 0}, {-5, 0}},
         [&](const CIRCLE& c) { return std::fabs(c.center.y) < 1e-9 && TouchesLine(c, diag.record()); }},
        {"L L P CENTER", [&] { return floor & diag & p41 & "CENTER"; }, {{8, 8}, {2, 2}},
         [&](const CIRCLE& c) { return TouchesLine(c, F) && PassesThrough(c, p41.rec()); }},
        {"C L V CENTER", [&] { return big & y6 & 2.0 & "CENTER"; }, {{1, 5}, {-1, 5}},
         [&](const CIRCLE& c) { return std::fabs(Gap(c.center, {0, 0}) - 5) < 1e-9 && TouchesLine(c, y6.record()); }},
        {"C L P CENTER_1ST", [&] { return big & ym8 & p30 & "CENTER_1ST"; }, {{5, 0}, {-5, 0}},
         [&](const CIRCLE& c) {
             return std::fabs(Gap(c.center, {0, 0}) - 5) < 1e-6 && PassesThrough(c, p30.rec()) &&
                    TouchesLine(c, ym8.record());
         }},
        {"C L L", [&] { return given & floor & wall; }, {{3, 3}, {17, 17}},
         [&](const CIRCLE& c) { return TouchesLine(c, F) && TouchesLine(c, W) && Touches(c, given.record()); }},
        {"C L L EXTERNAL", [&] { return given & floor & wall & "EXTERNAL"; }, {{3, 3}, {17, 17}},
         [&](const CIRCLE& c) {
             return TouchesLine(c, F) && TouchesLine(c, W) && TouchesOutside(c, given.record());
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CIRCLE solved[2];
        for (int i = 0; i < 2; ++i) {
            circle c(point(row.presents[i]), 1.0);
            ASSERT_TRUE(c = row.list()) << "GeoError " << int(GeoError());
            solved[i] = c.record();
            EXPECT_TRUE(row.valid(solved[i]));
            ASSERT_TRUE(c = row.list());
            EXPECT_NEAR(c.record().center.x, solved[i].center.x, 1e-9);
            EXPECT_NEAR(c.record().center.y, solved[i].center.y, 1e-9);
            EXPECT_NEAR(c.rad(), solved[i].radius, 1e-9);
        }
        // The two present centres reach two solutions, each the nearer one.
        EXPECT_GT(Gap(solved[0].center, solved[1].center), 1e-3);
        for (int i = 0; i < 2; ++i)
            EXPECT_LT(Gap(solved[i].center, row.presents[i]), Gap(solved[1 - i].center, row.presents[i]));
    }
}

TEST_F(CircleDispatch, TangentRowsTouchTheirObjects)
{
    circle c0(point(0, 0), 1.0), c1(point(10, 0), 2.0), c2(point(4, 8), 1.5);
    circle equal0(point(0, 0), 1.0), equal1(point(10, 0), 1.0), equal2(point(5, 8), 1.0);
    line floor(Horizontal(0)), wall(Vertical(0));
    circle high1(point(-5, 3), 1.0), high2(point(5, 3), 1.0);
    point hint(0, 1);

    {
        SCOPED_TRACE("three circles");
        circle c;
        ASSERT_TRUE(c = c0 & c1 & c2);
        const CIRCLE r = c.record();
        EXPECT_TRUE(TouchesOutside(r, c0.record()) && TouchesOutside(r, c1.record()) &&
                    TouchesOutside(r, c2.record()));
    }
    {
        SCOPED_TRACE("three equal circles");
        circle c;
        ASSERT_TRUE(c = equal0 & equal1 & equal2);
        EXPECT_TRUE(IsFinite(c.record()));
        EXPECT_TRUE(Touches(c.record(), equal0.record()));
        EXPECT_TRUE(Touches(c.record(), equal1.record()));
        EXPECT_TRUE(Touches(c.record(), equal2.record()));
    }
    {
        SCOPED_TRACE("two equal circles at equal height and a line");
        circle c;
        ASSERT_TRUE(c = high1 & high2 & floor & hint & "EXTERNAL");
        EXPECT_TRUE(TouchesLine(c.record(), floor.record()));
        EXPECT_TRUE(TouchesOutside(c.record(), high1.record()));
        EXPECT_TRUE(TouchesOutside(c.record(), high2.record()));
    }
    {
        SCOPED_TRACE("circle and two lines, EXTERNAL");
        circle given(point(0, 8), 2.0);
        circle c(point(2, 2), 1.0);
        ASSERT_TRUE(c = given & floor & wall & "EXTERNAL");
        EXPECT_TRUE(TouchesLine(c.record(), floor.record()));
        EXPECT_TRUE(TouchesLine(c.record(), wall.record()));
        EXPECT_TRUE(TouchesOutside(c.record(), given.record()));
    }
    {
        SCOPED_TRACE("two circles and a point");
        point through(0, 4);
        circle a(point(-3, 0), 1.0), b(point(3, 0), 1.0);
        circle c;
        ASSERT_TRUE(c = a & b & through);
        EXPECT_TRUE(PassesThrough(c.record(), through.rec()));
        EXPECT_TRUE(TouchesOutside(c.record(), a.record()));
        EXPECT_TRUE(TouchesOutside(c.record(), b.record()));
    }
}

TEST_F(CircleDispatch, TangencyKeywordsGiveTheRadiusOnTheCentreLine)
{
    // Two unit circles 6 apart: ENVELOPS ENVELOPS asks for the circle that
    // encloses both, radius 4 (mode 5).
    circle a(point(0, 0), 1.0), b(point(6, 0), 1.0);
    point hint(3, 1);
    circle c;
    ASSERT_TRUE(c = a & b & hint & "ENVELOPS" & "ENVELOPS");
    EXPECT_NEAR(c.rad(), 4.0, 1e-9);
    EXPECT_TRUE(TouchesInside(c.record(), a.record()));
    EXPECT_TRUE(TouchesInside(c.record(), b.record()));

    circle d(point(1, 1), 2.0);
    EXPECT_FALSE(d = a & b & hint & "LEFT" & "EXTERNAL");
    EXPECT_EQ(GeoError(), 1);
}


// Every row of the dispatch with a list it accepts and what its circle must do.
TEST_F(CircleDispatch, EveryRowRoutesToItsCase)
{
    const double kRoot2 = std::sqrt(2.0);
    point o(0, 0), p10(10, 0), p04(0, 4), p40(4, 0), p02(0, 2), p03(0, 3), p42(4, 2), p46(4, 6),
        p12(1, 2), p55(5, 5), p51(5, 1), p15(1, 5), p63(6, 3), p53(5, 3), p31(3, 1), p35(3, 5),
        p34(3, 4), p80(8, 0), p85(8, 5), p5m7(5, -7), p0m5(0, -5), p0m4(0, -4), p0m6(0, -6), p11(1, 1),
        p23(2, 3), p5m5(5, -5), p33(3, 3), p30(3, 0), p36(3, 6), p01(0.1, 1), p10b(1, 0.1),
        p219(2, 1.9), p50(5, 0), p41(4, 1);
    line floor(Horizontal(0)), wall(Vertical(0)), diag(LINE{1, 0}), slant(LINE{-1, 4}), y1(Horizontal(1)),
        y3(Horizontal(3)), y4(Horizontal(4)), y6(Horizontal(6)), ym8(Horizontal(-8)), x5(Vertical(5));
    circle high(point(0, 10), 2), corner(point(10, 10), 2), wallCircle(point(0, 8), 2),
        big(point(0, 0), 5), small2(point(0, 0), 2), left(point(-3, 0), 1), right(point(3, 0), 1),
        c0(point(0, 0), 1), c1(point(10, 0), 2), c2(point(4, 8), 1.5), far1(point(-5, 0), 1),
        far2(point(5, 0), 2);
    segment chord(G_POINT{0, 0}, G_POINT{10, 0}), floorSegment(G_POINT{-5, 0}, G_POINT{5, 0});
    ray up(G_POINT{0, -3}, 1.5707963267948966);
    arc highArc(ARC{{0, 10}, 2, 0, 3});
    angle right90(90.0), down(-90.0);

    auto at = [](double x, double y, double r) {
        return [=](const CIRCLE& c) {
            return std::fabs(c.center.x - x) < 1e-6 && std::fabs(c.center.y - y) < 1e-6 &&
                   std::fabs(c.radius - r) < 1e-6;
        };
    };
    auto through = [](std::initializer_list<G_POINT> pts) {
        std::vector<G_POINT> v(pts);
        return [v](const CIRCLE& c) {
            for (G_POINT p : v)
                if (!PassesThrough(c, p))
                    return false;
            return true;
        };
    };
    auto tangentTo = [](std::vector<LINE> lines, std::vector<CIRCLE> outside, std::vector<CIRCLE> either) {
        return [=](const CIRCLE& c) {
            for (LINE l : lines)
                if (!TouchesLine(c, l))
                    return false;
            for (const CIRCLE& g : outside)
                if (!TouchesOutside(c, g))
                    return false;
            for (const CIRCLE& g : either)
                if (!Touches(c, g))
                    return false;
            return true;
        };
    };
    auto both = [](std::function<bool(const CIRCLE&)> a, std::function<bool(const CIRCLE&)> b) {
        return [=](const CIRCLE& c) { return a(c) && b(c); };
    };
    const LINE F = floor.record(), W = wall.record(), D = diag.record();
    const CIRCLE H = high.record();

    struct Row {
        const char* name;
        std::function<geolist()> list;
        G_POINT present;
        std::function<bool(const CIRCLE&)> check;
    } rows[] = {
        {"L P", [&] { return floor & p34; }, {0, 0}, at(3, 4, 4)},
        {"S V", [&] { return chord & 3.0; }, {0, 0}, at(10, 3, 3)},
        {"P P P", [&] { return o & p40 & p04; }, {0, 0}, at(2, 2, 2 * kRoot2)},
        {"P P A", [&] { return o & p10 & right90; }, {0, 0}, at(5, 5, 5 * kRoot2)},
        {"L P V", [&] { return floor & p03 & 2.5; }, {1, 5}, both(tangentTo({F}, {}, {}), through({{0, 3}}))},
        {"L P P", [&] { return floor & p02 & p46; }, {0, 0}, both(tangentTo({F}, {}, {}), through({{0, 2}, {4, 6}}))},
        {"L L P", [&] { return floor & wall & p12; }, {0, 0}, both(tangentTo({F, W}, {}, {}), through({{1, 2}}))},
        {"L L L", [&] { return floor & wall & slant; }, {1, 1}, tangentTo({F, W, slant.record()}, {}, {})},
        {"C L P", [&] { return high & floor & p63; }, {0, 0}, both(tangentTo({F}, {}, {H}), through({{6, 3}}))},
        {"C C V", [&] { return left & right & 3.0; }, {0, 0},
         [&](const CIRCLE& c) { return c.center.y < 0 && tangentTo({}, {left.record(), right.record()}, {})(c); }},
        {"C C C", [&] { return c0 & c1 & c2; }, {0, 0}, tangentTo({}, {c0.record(), c1.record(), c2.record()}, {})},
        {"C P K", [&] { return big & p30 & "CENTER"; }, {0, 0}, at(3, 0, 2)},
        {"S P V", [&] { return chord & p5m7 & 3.0; }, {0, 0}, at(5, -3, 3)},
        {"P P P V", [&] { return o & p10 & p5m5 & 10.0; }, {0, 0},
         [&](const CIRCLE& c) { return c.center.y < 0 && through({{0, 0}, {10, 0}})(c); }},
        {"P P P INTERNAL", [&] { return o & p40 & p23 & "INTERNAL"; }, {0, 0}, at(2, 5.0 / 6.0, 5.0 / 6.0)},
        {"P P P EXTERNAL", [&] { return o & p40 & p04 & "EXTERNAL"; }, {0, 0}, at(2, 2, 2 * kRoot2)},
        {"L L P V", [&] { return floor & wall & p55 & 2.0; }, {0, 0}, at(2, 2, 2)},
        {"L L P P", [&] { return floor & wall & p12 & p12; }, {0, 0}, both(tangentTo({F, W}, {}, {}), through({{1, 2}}))},
        {"L L P CENTER", [&] { return floor & wall & p34 & "CENTER"; }, {1, 1}, at(0, 3.125, 3.125)},
        {"L L P CENTER_1ST", [&] { return floor & wall & p34 & "CENTER_1ST"; }, {1, 1}, at(25.0 / 6.0, 0, 25.0 / 6.0)},
        {"L L V CENTER", [&] { return floor & diag & 2.0 & "CENTER"; }, {5, 0}, at(2 * kRoot2, 0, 2)},
        {"L P P CENTER", [&] { return floor & p02 & p42 & "CENTER"; }, {0, 0}, at(2, 0, 2 * kRoot2)},
        {"L P P V", [&] { return floor & p03 & p15 & 2.5; }, {0, 0},
         [&](const CIRCLE& c) { return c.center.x > 0 && tangentTo({F}, {}, {})(c) && through({{0, 3}})(c); }},
        {"L P A V", [&] { return floor & p03 & down & 2.5; }, {0, 0}, both(tangentTo({F}, {}, {}), through({{0, 3}}))},
        {"C C P V", [&] { return left & right & p0m5 & 3.0; }, {0, 0},
         [&](const CIRCLE& c) { return c.center.y < 0 && tangentTo({}, {left.record(), right.record()}, {})(c); }},
        {"C C P P", [&] { return left & right & p04 & p04; }, {0, 0},
         both(tangentTo({}, {left.record(), right.record()}, {}), through({{0, 4}}))},
        {"C C C K", [&] { return c0 & c1 & c2 & "EXTERNAL"; }, {0, 0}, tangentTo({}, {c0.record(), c1.record(), c2.record()}, {})},
        {"C C V K", [&] { return left & right & 3.0 & "SMALL"; }, {0, 0}, tangentTo({}, {left.record(), right.record()}, {})},
        {"C L P V", [&] { return high & floor & p03 & 6.0; }, {0, 0}, at(0, 6, 6)},
        {"C L P P", [&] { return high & floor & p63 & p63; }, {0, 0}, both(tangentTo({F}, {}, {H}), through({{6, 3}}))},
        {"C L P CENTER", [&] { return small2 & x5 & p53 & "CENTER"; }, {5, 1},
         [&](const CIRCLE& c) { return std::fabs(c.center.x - 5) < 1e-9 && through({{5, 3}})(c) && Touches(c, small2.record()); }},
        {"C L P CENTER_1ST", [&] { return big & ym8 & p30 & "CENTER_1ST"; }, {5, 0},
         [&](const CIRCLE& c) { return std::fabs(Gap(c.center, {0, 0}) - 5) < 1e-6 && through({{3, 0}})(c) && TouchesLine(c, ym8.record()); }},
        {"C L V CENTER", [&] { return big & y6 & 2.0 & "CENTER"; }, {1, 5},
         [&](const CIRCLE& c) { return std::fabs(Gap(c.center, {0, 0}) - 5) < 1e-9 && TouchesLine(c, y6.record()); }},
        {"C L V RIGHT", [&] { return big & y4 & 1.0 & "RIGHT"; }, {0, 0}, tangentTo({y4.record()}, {}, {big.record()})},
        {"C L L K", [&] { return wallCircle & floor & wall & "EXTERNAL"; }, {2, 2}, tangentTo({F, W}, {wallCircle.record()}, {})},
        {"C L L P", [&] { return wallCircle & floor & wall & p33; }, {0, 0}, tangentTo({F, W}, {}, {wallCircle.record()})},
        {"C P V K", [&] { return big & p34 & 2.0 & "EXTERNAL"; }, {0, 0}, at(4.2, 5.6, 2)},
        {"C P P K", [&] { return small2 & p51 & p5m5 & "SMALL"; }, {20, 0},
         both(through({{5, 1}, {5, -5}}), tangentTo({}, {}, {small2.record()}))},
        {"S P V K", [&] { return chord & p5m7 & 3.0 & "START"; }, {0, 0}, at(0, -3, 3)},
        {"S V K K", [&] { return chord & 3.0 & "START" & "RIGHT"; }, {0, 0}, at(0, -3, 3)},
        {"L L P P V", [&] { return floor & diag & p51 & p15 & 1.5; }, {0, 0}, tangentTo({F, D}, {}, {})},
        {"L L P V CENTER", [&] { return floor & diag & p50 & 2.0 & "CENTER"; }, {0, 0}, at(2 * kRoot2, 0, 2)},
        {"L L L P CENTER", [&] { return y3 & floor & wall & p51 & "CENTER"; }, {0, 0}, at(3, 3, 3)},
        {"L P P V TANGENT", [&] { return floor & o & p04 & 2.0 & "TANGENT"; }, {0, 0},
         [&](const CIRCLE& c) { return std::fabs(c.radius - 10) < 1e-9 && through({{0, 4}})(c); }},
        {"C L L P P", [&] { return corner & floor & wall & p51 & p15; }, {0, 0}, tangentTo({F, W}, {corner.record()}, {})},
        {"C L L P CENTER", [&] { return high & floor & wall & p03 & "CENTER"; }, {0, 0}, at(0, 4, 4)},
        {"C L L P EXTERNAL", [&] { return wallCircle & floor & wall & p33 & "EXTERNAL"; }, {0, 0},
         tangentTo({F, W}, {wallCircle.record()}, {})},
        {"C L P V CENTER", [&] { return big & y1 & p31 & 2.0 & "CENTER"; }, {0, 0},
         [&](const CIRCLE& c) { return std::fabs(c.center.y - 1) < 1e-9 && c.center.x > 0 && std::fabs(Gap(c.center, {0, 0}) - 3) < 1e-9; }},
        {"C L P V CENTER_1ST", [&] { return big & y6 & p15 & 2.0 & "CENTER_1ST"; }, {0, 0},
         [&](const CIRCLE& c) { return std::fabs(Gap(c.center, {0, 0}) - 5) < 1e-9 && TouchesLine(c, y6.record()); }},
        {"C L P V EXTERNAL", [&] { return big & y6 & p36 & 1.0 & "EXTERNAL"; }, {0, 0},
         [&](const CIRCLE& c) { return c.center.x > 0 && tangentTo({y6.record()}, {big.record()}, {})(c); }},
        {"C L P P K", [&] { return high & floor & p63 & p63 & "EXTERNAL"; }, {0, 0},
         both(tangentTo({F}, {H}, {}), through({{6, 3}}))},
        {"C L V K K", [&] { return big & y6 & 1.0 & "EXTERNAL" & "LEFT"; }, {0, 0}, tangentTo({y6.record()}, {big.record()}, {})},
        {"C C L P CENTER", [&] { return far1 & far2 & y3 & p03 & "CENTER"; }, {0, 0},
         [&](const CIRCLE& c) { return std::fabs(c.center.y - 3) < 1e-9 && tangentTo({}, {}, {far1.record(), far2.record()})(c); }},
        {"C C L P K", [&] { return left & right & floor & p04 & "EXTERNAL"; }, {0, 0}, tangentTo({F}, {left.record(), right.record()}, {})},
        {"C C L CENTER K", [&] { return far1 & far2 & y3 & "CENTER" & "SMALL"; }, {0, 3},
         [&](const CIRCLE& c) { return std::fabs(c.center.y - 3) < 1e-9 && tangentTo({}, {}, {far1.record(), far2.record()})(c); }},
        {"C C L K K", [&] { return left & right & floor & "EXTERNAL" & "EXTERNAL"; }, {0, 0},
         tangentTo({F}, {left.record(), right.record()}, {})},
        {"C C P V K", [&] { return left & right & p0m5 & 3.0 & "SMALL"; }, {0, 0},
         [&](const CIRCLE& c) { return c.center.y < 0 && tangentTo({}, {left.record(), right.record()}, {})(c); }},
        {"C C P P V", [&] { return left & right & p0m4 & p0m6 & 3.0; }, {0, 0},
         [&](const CIRCLE& c) { return c.center.y < 0 && tangentTo({}, {left.record(), right.record()}, {})(c); }},
        {"C C P P K", [&] { return left & right & p04 & p04 & "SMALL"; }, {0, 0},
         both(tangentTo({}, {left.record(), right.record()}, {}), through({{0, 4}}))},
        {"C P P V K", [&] { return big & p80 & p85 & 2.0 & "EXTERNAL"; }, {0, 0},
         [&](const CIRCLE& c) { return c.center.y > 0 && through({{8, 0}})(c) && TouchesOutside(c, big.record()); }},
        {"three lines near points", [&] { return floor & wall & slant & p10b & p01 & p219; }, {0, 0},
         tangentTo({F, W, slant.record()}, {}, {})},
        {"segment, ray, line near points", [&] { return floorSegment & up & slant & p10b & p01 & p219; }, {0, 0},
         tangentTo({F, W, slant.record()}, {}, {})},
        {"circle and two lines near points", [&] { return corner & floor & wall & p10 & p51 & p15; }, {0, 0},
         tangentTo({F, W}, {corner.record()}, {})},
        {"two circles and a line near points", [&] { return left & right & floor & p41 & p04 & p03; }, {0, 0},
         tangentTo({F}, {left.record(), right.record()}, {})},
        {"arc and two circles near points", [&] { return highArc & c0 & c1 & p02 & p11 & p55; }, {0, 0},
         [&](const CIRCLE& c) {
             const double e = Gap(c.center, {0, 10}) - 2;
             return std::fabs(Gap(c.center, {0, 0}) - 1 - e) < GeoSnap() && std::fabs(Gap(c.center, {10, 0}) - 2 - e) < GeoSnap();
         }},
        {"C C L P CENTER K", [&] { return far1 & far2 & y3 & p03 & "CENTER" & "SMALL"; }, {0, 0},
         [&](const CIRCLE& c) { return std::fabs(c.center.y - 3) < 1e-9 && tangentTo({}, {}, {far1.record(), far2.record()})(c); }},
        {"C C P V K K", [&] { return left & right & p0m5 & 3.0 & "EXTERNAL" & "EXTERNAL"; }, {0, 0},
         [&](const CIRCLE& c) { return c.center.y < 0 && tangentTo({}, {left.record(), right.record()}, {})(c); }},
        {"C C P P K K", [&] { return left & right & p04 & p04 & "EXTERNAL" & "EXTERNAL"; }, {0, 0},
         both(tangentTo({}, {left.record(), right.record()}, {}), through({{0, 4}}))},
        {"C L L P CENTER K", [&] { return high & floor & wall & p03 & "CENTER" & "EXTERNAL"; }, {0, 0}, at(0, 4, 4)},
        {"C L L CENTER K K", [&] { return high & floor & wall & "CENTER" & "EXTERNAL" & "RIGHT"; }, {0, 0}, at(0, 4, 4)},
        {"C L P P CENTER K", [&] { return small2 & x5 & p53 & p51 & "CENTER" & "SMALL"; }, {5, 0},
         [&](const CIRCLE& c) { return std::fabs(c.center.x - 5) < 1e-9 && through({{5, 3}})(c) && Touches(c, small2.record()); }},
        {"C C L P K K CENTER", [&] { return far1 & far2 & y3 & p03 & "EXTERNAL" & "EXTERNAL" & "CENTER"; }, {0, 0},
         [&](const CIRCLE& c) { return std::fabs(c.center.y - 3) < 1e-9 && tangentTo({}, {}, {far1.record(), far2.record()})(c); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        circle c(point(row.present), 1.0);
        geolist list = row.list();
        ASSERT_TRUE(c = list) << "GeoError " << int(GeoError());
        EXPECT_TRUE(IsFinite(c.record()));
        EXPECT_TRUE(row.check(c.record())) << "(" << c.record().center.x << ", " << c.record().center.y
                                           << ") r " << c.rad();
    }
}

// Keywords a row does not accept: GeoError 3; a keyword the row accepts but
// whose construction cannot hold: GeoError 1. Either leaves the circle untouched.
TEST_F(CircleDispatch, KeywordsEachRowRefuses)
{
    point a(0, 0), b(4, 1), d(1, 5), e(6, 3);
    line floor(Horizontal(0)), wall(Vertical(0)), diag(LINE{1, 0});
    circle c1(point(-3, 0), 1.0), c2(point(3, 0), 1.0);
    segment chord(G_POINT{0, 0}, G_POINT{10, 0});
    const Refusal rows[] = {
        {"C L P with LEFT", [&] { return c1 & floor & b & "LEFT"; }, 3},
        {"L L L P with EXTERNAL", [&] { return floor & wall & diag & b & "EXTERNAL"; }, 3},
        {"L P P V without TANGENT", [&] { return floor & b & d & 2.0 & "LEFT"; }, 3},
        {"L L P V with LEFT", [&] { return floor & diag & b & 2.0 & "LEFT"; }, 3},
        {"C C L P K K, first not CENTER", [&] { return c1 & c2 & floor & b & "EXTERNAL" & "CENTER"; }, 3},
        {"C L L P K K without CENTER", [&] { return c1 & floor & wall & b & "EXTERNAL" & "LEFT"; }, 3},
        {"C L L K K K without CENTER", [&] { return c1 & floor & wall & "EXTERNAL" & "LEFT" & "RIGHT"; }, 3},
        {"C L P P K K, first not CENTER", [&] { return c1 & floor & b & d & "EXTERNAL" & "CENTER"; }, 3},
        {"C C L P K K K, last not CENTER",
         [&] { return c1 & c2 & floor & b & "EXTERNAL" & "EXTERNAL" & "LEFT"; }, 3},
        {"S P and a point", [&] { return chord & b & d; }, 3},
        {"six points", [&] { geolist l(a); l & b & d & e & a & b; return l; }, 3},
        {"eight items", [&] { return c1 & c2 & floor & b & "EXTERNAL" & "EXTERNAL" & "CENTER" & "LEFT"; }, 3},
        {"L L V with LEFT", [&] { return floor & diag & 2.0 & "LEFT"; }, 1},
        {"P P V K with one point twice", [&] { return a & a & 3.0 & "LEFT"; }, 1},
        {"C C P V K K, no tangency", [&] { return c1 & c2 & b & 3.0 & "LEFT" & "EXTERNAL"; }, 1},
        {"C C P P K K, no tangency", [&] { return c1 & c2 & b & d & "EXTERNAL" & "RIGHT"; }, 1},
        {"C C L P K K CENTER, no tangency",
         [&] { return c1 & c2 & floor & b & "LEFT" & "EXTERNAL" & "CENTER"; }, 1},
    };
    ExpectRefusals(rows);
}

// Rows without a hint of their own take the present centre: two present
// centres on either side pick the two solutions.
TEST_F(CircleDispatch, PresentCentreChoosesBetweenSolutions)
{
    line floor(Horizontal(0)), wall(Vertical(0)), diag(LINE{1, 0}), slant(LINE{-1, 4}), y6(Horizontal(6));
    point p03(0, 3), p41(4, 1);
    circle big(point(0, 0), 5.0);
    struct Row {
        const char* name;
        std::function<geolist()> list;
        G_POINT present;
        std::function<bool(const CIRCLE&)> check;
    } rows[] = {
        {"L P V, right of the normal", [&] { return floor & p03 & 2.5; }, {1, 5},
         [](const CIRCLE& c) { return c.center.x > 0 && std::fabs(c.center.y - 2.5) < 1e-9; }},
        {"L P V, left of the normal", [&] { return floor & p03 & 2.5; }, {-1, 5},
         [](const CIRCLE& c) { return c.center.x < 0 && std::fabs(c.center.y - 2.5) < 1e-9; }},
        {"L L V CENTER, below the diagonal", [&] { return floor & diag & 2.0 & "CENTER"; }, {5, 0},
         [](const CIRCLE& c) { return std::fabs(c.center.x - 2 * std::sqrt(2.0)) < 1e-9; }},
        {"L L V CENTER, above the diagonal", [&] { return floor & diag & 2.0 & "CENTER"; }, {-5, 0},
         [](const CIRCLE& c) { return std::fabs(c.center.x + 2 * std::sqrt(2.0)) < 1e-9; }},
        {"L L V CENTER_1ST, centre on the diagonal", [&] { return floor & diag & 2.0 & "CENTER_1ST"; }, {5, 5},
         [](const CIRCLE& c) {
             return std::fabs(c.center.x - c.center.y) < 1e-9 && std::fabs(c.center.y - 2.0) < 1e-9;
         }},
        {"L L P CENTER, far root", [&] { return floor & diag & p41 & "CENTER"; }, {8, 8},
         [](const CIRCLE& c) { return std::fabs(c.center.x - (5 + std::sqrt(8.0))) < 1e-9; }},
        {"L L P CENTER, near root", [&] { return floor & diag & p41 & "CENTER"; }, {2, 2},
         [](const CIRCLE& c) { return std::fabs(c.center.x - (5 - std::sqrt(8.0))) < 1e-9; }},
        {"L L L, incircle", [&] { return floor & wall & slant; }, {1, 1},
         [](const CIRCLE& c) { return c.center.x > 0 && c.center.y > 0 && c.center.x + c.center.y < 4; }},
        {"L L L, excircle", [&] { return floor & wall & slant; }, {6, 6},
         [](const CIRCLE& c) { return std::fabs(c.center.x - 4 / (2 - std::sqrt(2.0))) < 1e-9; }},
        {"C L V CENTER, right", [&] { return big & y6 & 2.0 & "CENTER"; }, {1, 5},
         [](const CIRCLE& c) { return std::fabs(c.center.x - 3) < 1e-9 && std::fabs(c.center.y - 4) < 1e-9; }},
        {"C L V CENTER, left", [&] { return big & y6 & 2.0 & "CENTER"; }, {-1, 5},
         [](const CIRCLE& c) { return std::fabs(c.center.x + 3) < 1e-9 && std::fabs(c.center.y - 4) < 1e-9; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        circle c(point(row.present), 1.0);
        geolist list = row.list();
        ASSERT_TRUE(c = list) << "GeoError " << int(GeoError());
        EXPECT_TRUE(row.check(c.record())) << "(" << c.record().center.x << ", " << c.record().center.y
                                           << ") r " << c.rad();
    }
}

// C C P V hands code -1: the tangency follows from where the hint lies
// (inside the big circle: touched from inside; outside both: from outside),
// and of the two centres the one nearer the hint is taken.
TEST_F(CircleDispatch, TangencyCodeFollowsTheHint)
{
    circle big(point(0, 0), 10.0), small(point(11, 0), 2.0);
    struct Row {
        const char* name;
        G_POINT hint;
        bool insideBig;
        bool above;
    } rows[] = {
        {"hint inside the big circle, above", {6, 1}, true, true},
        {"hint inside the big circle, below", {6, -1}, true, false},
        {"hint outside both, above", {5, 12}, false, true},
        {"hint outside both, below", {5, -12}, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        point hint(row.hint);
        circle c;
        ASSERT_TRUE(c = big & small & hint & 3.0);
        EXPECT_NEAR(c.rad(), 3.0, 1e-12);
        if (row.insideBig)
            EXPECT_TRUE(TouchesInside(c.record(), big.record()));
        else
            EXPECT_TRUE(TouchesOutside(c.record(), big.record()));
        EXPECT_TRUE(TouchesOutside(c.record(), small.record()));
        EXPECT_EQ(c.record().center.y > 0.0, row.above);
    }
}

// Without a hint the side keyword picks the centre: "LEFT" left of the
// way from the circle's centre to the centres' line, "RIGHT" right of it, in
// either keyword order.
TEST_F(CircleDispatch, SideKeywordsPickTheCentre)
{
    circle big(point(0, 0), 5.0);
    line y6(Horizontal(6)), y4(Horizontal(4));
    struct Row {
        const char* name;
        std::function<geolist()> list;
        bool left;
    } rows[] = {
        {"C L V EXTERNAL LEFT", [&] { return big & y6 & 1.0 & "EXTERNAL" & "LEFT"; }, true},
        {"C L V EXTERNAL RIGHT", [&] { return big & y6 & 1.0 & "EXTERNAL" & "RIGHT"; }, false},
        {"C L V LEFT EXTERNAL", [&] { return big & y6 & 1.0 & "LEFT" & "EXTERNAL"; }, true},
        {"C L V RIGHT EXTERNAL", [&] { return big & y6 & 1.0 & "RIGHT" & "EXTERNAL"; }, false},
        {"C L V LEFT", [&] { return big & y4 & 1.0 & "LEFT"; }, true},
        {"C L V RIGHT", [&] { return big & y4 & 1.0 & "RIGHT"; }, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        circle c(point(1, 1), 2.0);
        geolist list = row.list();
        ASSERT_TRUE(c = list) << "GeoError " << int(GeoError());
        EXPECT_NEAR(c.rad(), 1.0, 1e-12);
        EXPECT_EQ(c.record().center.x < 0.0, row.left);
        EXPECT_TRUE(Touches(c.record(), big.record()));
    }
    // P P V K: any keyword but "LEFT" takes the right of the chord.
    point a(0, 0), b(10, 0);
    circle c;
    ASSERT_TRUE(c = a & b & 10.0 & "END");
    EXPECT_LT(c.record().center.y, 0.0);
}

// Degenerate givens through every row signature with every keyword: a
// success always carries a finite circle; a refusal leaves the circle as it was.
TEST_F(CircleDispatch, DegenerateGivensNeverSucceedWithANonFiniteCircle)
{
    struct Scene {
        const char* name;
        G_POINT p[3];
        LINE l[3];
        CIRCLE c[3];
        double v;
    } scenes[] = {
        {"all coincident", {{0, 0}, {0, 0}, {0, 0}}, {{0, 0}, {0, 0}, {0, 0}},
         {{{0, 0}, 1}, {{0, 0}, 1}, {{0, 0}, 1}}, 0.0},
        {"points of radius zero", {{1, 1}, {4, 1}, {2, 5}}, {{0, 0}, {GEO_VERTICAL, 0}, {1, 0}},
         {{{0, 0}, 0}, {{5, 0}, 0}, {{2, 4}, 0}}, 1e-12},
        {"level equal circles, parallel lines", {{0, 1}, {0, 5}, {3, 3}}, {{0, 0}, {0, 6}, {0, 3}},
         {{{-5, 3}, 1}, {{5, 3}, 1}, {{0, 3}, 1}}, 3.0},
        {"near vertical lines", {{0, 1}, {1e-6, 5}, {3, 3}}, {{GEO_VERTICAL, 0}, {1e5, 0}, {GEO_VERTICAL, 1e-7}},
         {{{-5, 3}, 1}, {{5, 3}, 2}, {{0, 3}, 3}}, 2.0},
        {"huge radius", {{0, 0}, {1, 0}, {0, 1}}, {{0, 0}, {1, 0}, {-1, 4}},
         {{{0, 0}, 1}, {{3, 0}, 1}, {{1, 2}, 1}}, 1e300},
    };
    const char* signatures[] = {
        "PP", "PV", "LP", "SV", "CP", "CV", "CL", "PPP", "PPA", "PPV", "PPK", "LPV", "LPP", "LLP", "LLL",
        "CLP", "CLL", "CCV", "CCP", "CCC", "CPK", "SPV", "PPVK", "PPPV", "PPPK", "LLPV", "LLPP", "LLPK",
        "LLVK", "LPPK", "LPPV", "LPAV", "CCPV", "CCPP", "CCCK", "CCVK", "CLPV", "CLPP", "CLPK", "CLVK",
        "CLLK", "CLLP", "CPVK", "CPPK", "SPVK", "SVKK", "LLPPV", "LLPVK", "LLLPK", "LPPVK", "CLLPP",
        "CLLPK", "CLPVK", "CLPPK", "CLVKK", "CCLPK", "CCLKK", "CCPVK", "CCPKK", "CCPPV", "CCPPK", "CPPVK",
        "LLLPPP", "CLLPPP", "CCLPPP", "CCCPPP", "CCLPKK", "CCPVKK", "CCPPKK", "CLLPKK", "CLLKKK",
        "CLPPKK", "CCLPKKK",
    };
    const char* keywords[] = {"EXTERNAL", "INTERNAL", "ENVELOPS", "TANGENT", "CENTER", "CENTER_1ST",
                              "LEFT", "RIGHT", "START", "END"};
    constexpr int kKeywords = sizeof(keywords) / sizeof(keywords[0]);
    for (const Scene& scene : scenes) {
        SCOPED_TRACE(scene.name);
        point p[3] = {point(scene.p[0]), point(scene.p[1]), point(scene.p[2])};
        line l[3] = {line(scene.l[0]), line(scene.l[1]), line(scene.l[2])};
        circle c[3] = {circle(point(scene.c[0].center), scene.c[0].radius),
                       circle(point(scene.c[1].center), scene.c[1].radius),
                       circle(point(scene.c[2].center), scene.c[2].radius)};
        segment s(scene.p[0], scene.p[1]);
        angle a(90.0);
        for (const char* signature : signatures) {
            const int n = static_cast<int>(std::strlen(signature));
            int slots = 0;
            for (int i = 0; i < n; ++i)
                slots += signature[i] == 'K';
            int combinations = 1;
            for (int i = 0; i < slots; ++i)
                combinations *= kKeywords;
            for (int combination = 0; combination < combinations; ++combination) {
                geolist list;
                int np = 0, nl = 0, nc = 0, code = combination;
                for (int i = 0; i < n; ++i) {
                    switch (signature[i]) {
                        case 'P': list & p[np++ % 3]; break;
                        case 'L': list & l[nl++ % 3]; break;
                        case 'C': list & c[nc++ % 3]; break;
                        case 'S': list & s; break;
                        case 'A': list & a; break;
                        case 'V': list & scene.v; break;
                        default: list & keywords[code % kKeywords]; code /= kKeywords; break;
                    }
                }
                circle target(point(1, 1), 2.0);
                const bool solved = (target = list);
                const CIRCLE r = target.record();
                if (solved) {
                    EXPECT_EQ(GeoError(), 0) << signature << " " << combination;
                    EXPECT_TRUE(IsFinite(r)) << signature << " " << combination;
                } else {
                    EXPECT_TRUE(GeoError() == 1 || GeoError() == 3) << signature << " " << combination;
                    if (GeoError() == 3) {
                        EXPECT_TRUE(r.center.x == 1.0 && r.center.y == 1.0 && r.radius == 2.0)
                            << signature << " " << combination;
                    }
                }
            }
        }
    }
}

}  // namespace
