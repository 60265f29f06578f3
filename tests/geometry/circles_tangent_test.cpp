#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "circle_case_checks.h"
#include "circle_constructions.h"
#include "settings.h"

namespace {

// Four arrangements of two circles, by CircleContainment and overlap.
const CIRCLE kApartA{{0, 0}, 1}, kApartB{{10, 0}, 1};
const CIRCLE kOverlapA{{0, 0}, 2}, kOverlapB{{3, 0}, 2};
const CIRCLE kBigA{{0, 0}, 5}, kSmallB{{1, 0}, 1};  // containment 1
const CIRCLE kSmallA{{1, 0}, 1}, kBigB{{0, 0}, 5};  // containment 2

TEST(CirclesTangent, TangencyModeFromKeywords)
{
    const char k[3] = {GEO_KW_EXTERNAL, GEO_KW_INTERNAL, GEO_KW_ENVELOPS};
    const int expected[3][3] = {{0, 2, 1}, {8, 10, 9}, {4, 6, 5}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(TangencyMode(k[i], k[j]), expected[i][j]) << i << j;
    EXPECT_EQ(TangencyMode(GEO_KW_ENVELOPS, GEO_KW_INTERNAL), 6);
    EXPECT_EQ(TangencyMode(GEO_KW_LEFT, GEO_KW_EXTERNAL), -1);
    EXPECT_EQ(TangencyMode(GEO_KW_EXTERNAL, GEO_KW_CENTER), -1);
}

TEST(CirclesTangent, ContainmentAndPointRelations)
{
    EXPECT_EQ(CircleContainment({{0, 0}, 3}, {{0, 0}, 3}), 1);
    EXPECT_EQ(CircleContainment(kApartA, kApartB), 0);
    EXPECT_EQ(CircleContainment(kBigA, kSmallB), 1);
    EXPECT_EQ(CircleContainment(kSmallA, kBigB), 2);

    const CIRCLE a{{0, 0}, 5}, b{{10, 0}, 5};
    EXPECT_EQ(PointCircleRelation(a, b, {1, 0}, 2.0), 4);
    EXPECT_EQ(PointCircleRelation(a, b, {9, 0}, 0.5), 2);
    EXPECT_EQ(PointCircleRelation(a, b, {9, 0}, 2.0), 1);

    EXPECT_EQ(TangencyModeFromPoint(kOverlapA, kOverlapB, {1.5, 0}), 12);
    EXPECT_EQ(TangencyModeFromPoint(kOverlapA, kOverlapB, {-1, 0}), 4);
    EXPECT_EQ(TangencyModeFromPoint(kApartA, kApartB, {0, 0}), 0);
}

TEST(CirclesTangent, FeasibleTangencyModeTable)
{
    struct Row {
        CIRCLE a, b;
        int requested, expected;
    } rows[] = {
        {kApartA, kApartB, 0, 0},     {kBigA, kSmallB, 0, 1},       {kSmallA, kBigB, 0, 4},
        {kSmallA, kBigB, 1, 0},       {kApartA, kApartB, 1, 0},     {kOverlapA, kOverlapB, 1, 1},
        {kBigA, kSmallB, 1, 1},       {kBigA, kSmallB, 2, 0},       {kApartA, kApartB, 2, 2},
        {kOverlapA, kOverlapB, 2, 0}, {kSmallA, kBigB, 2, 2},       {kApartA, kApartB, 8, 8},
        {kOverlapA, kOverlapB, 8, 0}, {kApartA, kApartB, 3, 0},     {kOverlapA, kOverlapB, 7, 0},
        {kApartA, kApartB, 12, 0},    {kBigA, kSmallB, 4, 0},       {kApartA, kApartB, 4, 0},
        {kOverlapA, kOverlapB, 4, 4}, {kSmallA, kBigB, 4, 4},       {kOverlapA, kOverlapB, 5, 5},
        {kApartA, kApartB, 5, 0},     {kBigA, kSmallB, 5, 0},       {kSmallA, kBigB, 6, 6},
        {kApartA, kApartB, 6, 0},     {kBigA, kSmallB, 6, 1},       {kBigA, kSmallB, 9, 9},
        {kApartA, kApartB, 9, 0},     {kSmallA, kBigB, 9, 4},       {kApartA, kApartB, 10, 10},
        {kBigA, kSmallB, 10, 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(FeasibleTangencyMode(row.a, row.b, static_cast<signed char>(row.requested)),
                  row.expected)
            << "requested " << row.requested;
}

// Start circles on the ray from C1's centre towards C2's: radius, distance
// from C1's centre and the shrink flag per code, for R1 = 1, R2 = 2, d = 6.
TEST(CirclesTangent, CentreLineStartCircles)
{
    const CIRCLE a{{0, 0}, 1}, b{{6, 0}, 2};
    struct Row {
        int code;
        double r, s;
        bool shrink;
    } rows[] = {
        {0, 1.5, 2.5, false},   // (d - R1 - R2) / 2, R1 + r
        {1, 2.5, 1.5, true},    // (R1 + d - R2) / 2, r - R1
        {2, 2.5, 1.5, false},
        {4, 3.5, 4.5, true},    // (R2 + d - R1) / 2, R1 + r
        {5, -1.5, 2.5, true},   // (R1 + R2 - d) / 2, (d - R2) + r
        {8, 3.5, 4.5, false},
        {6, 4.5, 3.5, true},    // (R1 + R2 + d) / 2, r - R1
        {9, 4.5, 3.5, true},
        {10, 4.5, 3.5, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        CIRCLE start{};
        bool shrink = !row.shrink;
        ASSERT_TRUE(CentreLineTangentCircle(a, b, nullptr, static_cast<signed char>(row.code), start, shrink));
        EXPECT_EQ(shrink, row.shrink);
        EXPECT_NEAR(start.radius, row.r, 1e-12);
        EXPECT_NEAR(start.center.x, row.s, 1e-12);
        EXPECT_NEAR(start.center.y, 0.0, 1e-12);
    }
    // Overlapping circles with code 0: the two-circle case at radius 10 GeoSnap.
    CIRCLE start{};
    bool shrink = true;
    ASSERT_TRUE(CentreLineTangentCircle(kOverlapA, kOverlapB, nullptr, 0, start, shrink));
    EXPECT_FALSE(shrink);
    EXPECT_NEAR(start.radius, 10.0 * GeoSnap(), 1e-12);
    EXPECT_TRUE(TouchesOutside(start, kOverlapA) && TouchesOutside(start, kOverlapB));
    // No start circle for these codes: fail rather than build one.
    for (const int code : {3, 7, 11, 12, -1})
        EXPECT_FALSE(CentreLineTangentCircle(a, b, nullptr, static_cast<signed char>(code), start, shrink))
            << code;
}

TEST(CirclesTangent, CentreAndCircle)
{
    const CIRCLE c{{0, 0}, 5};
    EXPECT_NEAR(CircleFromCenterCircle(c, {3, 0}, GEO_KW_INTERNAL).radius, 8.0, 1e-12);
    EXPECT_NEAR(CircleFromCenterCircle(c, {3, 0}, GEO_KW_EXTERNAL).radius, 8.0, 1e-12);
    EXPECT_NEAR(CircleFromCenterCircle(c, {3, 0}, GEO_KW_CENTER).radius, 2.0, 1e-12);
}

TEST(CirclesTangent, TwoCirclesAndARadius)
{
    CIRCLE out{};
    EXPECT_FALSE(CircleFrom2CirclesRadius(kApartA, kApartB, nullptr, 1.0, 0, 0, out));
    CIRCLE right{}, left{}, hinted{};
    ASSERT_TRUE(CircleFrom2CirclesRadius(kApartA, kApartB, nullptr, 5.0, 0, GEO_KW_RIGHT, right));
    ASSERT_TRUE(CircleFrom2CirclesRadius(kApartA, kApartB, nullptr, 5.0, 0, GEO_KW_LEFT, left));
    EXPECT_LT(right.center.y, 0.0);
    EXPECT_GT(left.center.y, 0.0);
    const G_POINT below{5, -10};
    ASSERT_TRUE(CircleFrom2CirclesRadius(kApartA, kApartB, &below, 5.0, 0, 0, hinted));
    EXPECT_LT(hinted.center.y, 0.0);
    EXPECT_TRUE(TouchesOutside(hinted, kApartA) && TouchesOutside(hinted, kApartB));
}

TEST(CirclesTangent, CirclePointRadiusOnTheCircleLiesOnTheRay)
{
    CIRCLE out{};
    ASSERT_TRUE(CircleFromCirclePointRadiusKeyword({{0, 0}, 5}, {3, 4}, {3, 4}, 2.0, GEO_KW_EXTERNAL, out));
    EXPECT_NEAR(out.center.x, 4.2, 1e-9);
    EXPECT_NEAR(out.center.y, 5.6, 1e-9);
    ASSERT_TRUE(CircleFromCirclePointRadiusKeyword({{0, 0}, 5}, {8, 0}, {8, 5}, 2.0, 0, out));
    EXPECT_TRUE(PassesThrough(out, {8, 0}));
    EXPECT_TRUE(TouchesOutside(out, {{0, 0}, 5}));
    EXPECT_GT(out.center.y, 0.0);
}

TEST(CirclesTangent, CircleThroughTwoPoints)
{
    const CIRCLE given{{0, 0}, 2};
    CIRCLE out{{20, 0}, 1};
    ASSERT_TRUE(CircleFromCircle2PointsKeyword(given, {5, 1}, {5, -1}, 0, out));
    EXPECT_TRUE(PassesThrough(out, {5, 1}) && PassesThrough(out, {5, -1}));
    EXPECT_TRUE(Touches(out, given));
    // One point twice, inside the circle: the circle on the way to its rim.
    ASSERT_TRUE(CircleFromCircle2PointsKeyword(given, {1, 0}, {1, 0}, 0, out));
    EXPECT_TRUE(PassesThrough(out, {1, 0}));
    EXPECT_TRUE(TouchesInside(out, given));
}

TEST(CirclesTangent, TwoCirclesThroughAPointGrowsTheBracket)
{
    // The start circle is tiny beside the solution: the bracket must grow.
    const CIRCLE a{{-1, 0}, 0.1}, b{{1, 0}, 0.1};
    CIRCLE out{};
    ASSERT_TRUE(CircleFrom2CirclesPoint(a, b, {0, 1000}, {0, 1000}, 0, out));
    EXPECT_TRUE(PassesThrough(out, {0, 1000}));
    EXPECT_TRUE(TouchesOutside(out, a) && TouchesOutside(out, b));
    // Inside both of two overlapping circles (code 12): no start circle.
    EXPECT_FALSE(CircleFrom2CirclesPoint(kOverlapA, kOverlapB, {1.5, 0}, {1.5, 0}, 0, out));
}

TEST(CirclesTangent, ThreeCircles)
{
    struct Row {
        const char* name;
        CIRCLE c0, c1, c2;
    } rows[] = {
        {"different radii", {{0, 0}, 1}, {{10, 0}, 2}, {{4, 8}, 1.5}},
        {"equal radii", {{0, 0}, 1}, {{10, 0}, 1}, {{5, 8}, 1}},
        {"first two equal", {{0, 0}, 1}, {{10, 0}, 1}, {{5, 8}, 2}},
        {"collinear centres", {{0, 0}, 2}, {{10, 0}, 1}, {{20, 0}, 2}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CIRCLE out{};
        ASSERT_TRUE(CircleFrom3Circles(row.c0, row.c1, row.c2, 0, out));
        ASSERT_TRUE(IsFinite(out));
        // All three touched with the same sense: |X - ci| - Ri is one value.
        const double e0 = Gap(out.center, row.c0.center) - row.c0.radius;
        EXPECT_NEAR(Gap(out.center, row.c1.center) - row.c1.radius, e0, GeoSnap());
        EXPECT_NEAR(Gap(out.center, row.c2.center) - row.c2.radius, e0, GeoSnap());
    }
    CIRCLE out{};
    EXPECT_FALSE(CircleFrom3Circles({{0, 0}, 1}, {{0, 0}, 2}, {{5, 0}, 1}, 0, out));
    // A larger middle circle on one line with the others leaves no common excess.
    EXPECT_FALSE(CircleFrom3Circles({{0, 0}, 1}, {{10, 0}, 2}, {{20, 0}, 1}, 0, out));
    EXPECT_TRUE(IsFinite(out));
}

TEST(CirclesTangent, TwoCirclesAndALine)
{
    const LINE floor = Horizontal(0);
    const CIRCLE left{{-5, 3}, 1}, right{{5, 3}, 1};
    CIRCLE out{}, other{};
    // Equal circles at equal height: the quadratic falls to a linear equation.
    ASSERT_TRUE(CircleFrom2CirclesLineSides(left, true, right, true, floor, 0.0, out));
    EXPECT_NEAR(out.center.x, 0.0, 1e-9);
    EXPECT_NEAR(out.radius, 4.125, 1e-9);  // y = x^2 / 8 + 1 at x = 5 from the first foot
    EXPECT_TRUE(TouchesLine(out, floor) && TouchesOutside(out, left) && TouchesOutside(out, right));
    // Both centres on one normal of the line: no linear term, roots x = +-6
    // of equal radius 5.5 (y = x^2 / 8 + 1 = x^2 / 24 + 4).
    const CIRCLE low{{0, 3}, 1}, up{{0, 10}, 2};
    ASSERT_TRUE(CircleFrom2CirclesLineSides(low, true, up, true, floor, 0.0, out));
    EXPECT_NEAR(std::fabs(out.center.x), 6.0, 1e-9);
    EXPECT_NEAR(out.radius, 5.5, 1e-9);
    EXPECT_TRUE(TouchesLine(out, floor) && TouchesOutside(out, low) && TouchesOutside(out, up));
    // The point and the code do not enter the construction.
    ASSERT_TRUE(CircleFrom2CirclesLine(left, {{4, 6}, 2}, floor, {0, 1}, 0, out));
    ASSERT_TRUE(CircleFrom2CirclesLine(left, {{4, 6}, 2}, floor, {50, -9}, 5, other));
    EXPECT_EQ(out.center.x, other.center.x);
    EXPECT_EQ(out.radius, other.radius);
    EXPECT_TRUE(TouchesLine(out, floor) && TouchesOutside(out, left) && TouchesOutside(out, {{4, 6}, 2}));
    // A circle touched from inside whose rim touches the line: no parabola.
    out = {{1, 1}, 1};
    EXPECT_FALSE(CircleFrom2CirclesLineSides({{0, 1}, 1}, false, right, true, floor, 0.0, out));
    EXPECT_TRUE(IsFinite(out));
}

TEST(CirclesTangent, TwoCirclesCentreOnALine)
{
    const CIRCLE a{{-5, 0}, 1}, b{{5, 0}, 2};
    const LINE l = Horizontal(3);
    CIRCLE out{};
    ASSERT_TRUE(CircleFrom2CirclesCenterOnLine(a, b, l, {0, 3}, 0, out));
    EXPECT_NEAR(out.center.y, 3.0, 1e-9);
    EXPECT_TRUE(Touches(out, a) && Touches(out, b));
    // Equal radii: the centre lies on the perpendicular bisector.
    ASSERT_TRUE(CircleFrom2CirclesCenterOnLine({{-5, 0}, 1}, {{5, 0}, 1}, l, {0, 3}, 0, out));
    EXPECT_NEAR(out.center.x, 0.0, 1e-9);
    EXPECT_NEAR(out.center.y, 3.0, 1e-9);
}

// Over many arrangements, a case either fails or gives a finite circle, and
// the radius searches give one through their point.
TEST(CirclesTangent, SweepNeverReportsAWrongCircleAsSuccess)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> coordinate(-20, 20), radius(0.2, 8);
    auto point = [&] { return G_POINT{coordinate(rng), coordinate(rng)}; };
    auto circle = [&] { return CIRCLE{point(), radius(rng)}; };
    auto line = [&] {
        const int kind = static_cast<int>(rng() % 5);
        return LINE{kind == 0 ? 0.0 : kind == 1 ? GEO_VERTICAL : coordinate(rng) / 5, coordinate(rng)};
    };
    const char kinds[] = {0, GEO_KW_EXTERNAL, GEO_KW_INTERNAL, GEO_KW_ENVELOPS, GEO_KW_TANGENT};
    for (int i = 0; i < 2000; ++i) {
        SCOPED_TRACE(i);
        const G_POINT hint = point(), p = point();
        const CIRCLE a = circle(), b = circle(), c = circle();
        const LINE l = line(), m = line();
        const auto code = static_cast<signed char>(rng() % 12);
        const char kind = kinds[rng() % 5];
        CIRCLE out{{0, 0}, 1};
        if (CircleFrom2CirclesPoint(a, b, p, hint, code, out)) {
            EXPECT_TRUE(IsFinite(out) && PassesThrough(out, p));
        }
        if (CircleFromCircleLinePoint(a, l, p, hint, kind, out)) {
            EXPECT_TRUE(IsFinite(out) && PassesThrough(out, p));
        }
        if (CircleFrom3Circles(a, b, c, 0, out)) {
            EXPECT_TRUE(IsFinite(out));
        }
        if (CircleFrom2CirclesLineSides(a, rng() % 2 == 0, b, rng() % 2 == 0, l, radius(rng), out)) {
            EXPECT_TRUE(IsFinite(out) && TouchesLine(out, l));
        }
        if (CircleFrom2CirclesCenterOnLine(a, b, l, hint, code, out)) {
            EXPECT_TRUE(IsFinite(out));
        }
        if (CircleFromCircle2LinesTangency(a, l, m, &hint, kind, 0, out)) {
            EXPECT_TRUE(IsFinite(out) && TouchesLine(out, l));
        }
        if (CircleFromCircle2LinesNearPoints(a, l, m, p, hint, &hint, out)) {
            EXPECT_TRUE(IsFinite(out));
        }
        if (CircleFromCirclePointRadiusKeyword(a, p, hint, radius(rng), kind, out)) {
            EXPECT_TRUE(IsFinite(out) && PassesThrough(out, p));
        }
    }
}

}  // namespace
