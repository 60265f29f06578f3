#include <gtest/gtest.h>

#include <cmath>

#include "circle_case_checks.h"
#include "circle_constructions.h"
#include "settings.h"

namespace {

const LINE kFloor = Horizontal(0);
const LINE kWall = Vertical(0);

TEST(CirclesTangentLines, CentreOnALineWithoutKindSitsAtTheRadiusDifference)
{
    CIRCLE out{};
    ASSERT_TRUE(CircleFromCircleLinePointRadiusCenter({{0, 0}, 5}, Horizontal(1), nullptr, 2.0, 0, 0, out));
    EXPECT_NEAR(Gap(out.center, {0, 0}), 3.0, 1e-9);
    EXPECT_NEAR(out.center.y, 1.0, 1e-9);
    EXPECT_EQ(out.radius, 2.0);
}

TEST(CirclesTangentLines, FilletOfACircleAndALine)
{
    const CIRCLE c{{0, 0}, 5};
    const G_POINT hint{3, 6};
    CIRCLE out{};
    ASSERT_TRUE(CircleFromCircleLineRadius(c, Horizontal(6), &hint, 1.0, GEO_KW_EXTERNAL, 0, out));
    EXPECT_TRUE(TouchesLine(out, Horizontal(6)) && TouchesOutside(out, c));
    EXPECT_GT(out.center.x, 0.0);
    ASSERT_TRUE(CircleFromCircleLineRadius(c, Horizontal(6), nullptr, 1.0, GEO_KW_EXTERNAL, GEO_KW_RIGHT, out));
    EXPECT_TRUE(TouchesLine(out, Horizontal(6)) && TouchesOutside(out, c));
}

TEST(CirclesTangentLines, CentreOnTheCircleNeedsTheLineWithinReach)
{
    CIRCLE out{};
    EXPECT_FALSE(CircleFromCircleLineRadiusCenter({{0, 0}, 5}, Horizontal(10), {0, 5}, 2.0, out));
    ASSERT_TRUE(CircleFromCircleLineRadiusCenter({{0, 0}, 5}, Horizontal(6), {1, 5}, 2.0, out));
    EXPECT_NEAR(Gap(out.center, {0, 0}), 5.0, 1e-9);
    EXPECT_TRUE(TouchesLine(out, Horizontal(6)));
    EXPECT_GT(out.center.x, 0.0);
}

TEST(CirclesTangentLines, TangencyKindsOnACentreLine)
{
    const CIRCLE c{{0, 10}, 2};
    struct Row {
        const char* name;
        char kind;
        G_POINT hint;
        bool solvable;
        double y;  // centre on the line x = 0
    } rows[] = {
        {"no keyword, hint below: outside", 0, {0, 3}, true, 4},
        {"no keyword, hint above: around", 0, {0, 7}, true, 6},
        {"EXTERNAL ignores a hint near the other", GEO_KW_EXTERNAL, {0, 7}, true, 4},
        {"ENVELOPS", GEO_KW_ENVELOPS, {0, 3}, true, 6},
        {"INTERNAL beyond the line's reach", GEO_KW_INTERNAL, {0, 3}, false, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CIRCLE out{};
        ASSERT_EQ(CircleFromCircle2LinesTangency(c, kFloor, kWall, &row.hint, row.kind, 0, out), row.solvable);
        if (!row.solvable)
            continue;
        EXPECT_NEAR(out.center.x, 0.0, 1e-9);
        EXPECT_NEAR(out.center.y, row.y, 1e-6);
        EXPECT_TRUE(TouchesLine(out, kFloor) && Touches(out, c));
    }
    // EXTERNAL with a line that cuts the circle has no solution.
    CIRCLE out{};
    const G_POINT hint{8, 1};
    EXPECT_FALSE(CircleFromCircle2LinesTangency({{0, 0}, 5}, kFloor, Vertical(8), &hint, GEO_KW_EXTERNAL, 0, out));
    // Without a hint the side keyword chooses; with neither nothing is taken.
    const CIRCLE off{{5, 10}, 2};
    const LINE across{0.5, 0.0};
    EXPECT_TRUE(CircleFromCircle2LinesTangency(off, kFloor, across, nullptr, 0, GEO_KW_LEFT, out));
    EXPECT_TRUE(TouchesLine(out, kFloor) && Touches(out, off));
    EXPECT_FALSE(CircleFromCircle2LinesTangency(off, kFloor, across, nullptr, 0, 0, out));
}

TEST(CirclesTangentLines, CircleAndTwoLinesWithoutKeyword)
{
    const CIRCLE c{{0, 8}, 2};
    const G_POINT hint{3, 3};
    CIRCLE out{};
    ASSERT_TRUE(CircleFromCircle2Lines(c, kFloor, kWall, &hint, 0, out));
    EXPECT_TRUE(TouchesLine(out, kFloor) && TouchesLine(out, kWall) && Touches(out, c));
    EXPECT_FALSE(CircleFromCircle2Lines(c, kFloor, kWall, nullptr, 0, out));
}

TEST(CirclesTangentLines, NearPoints)
{
    CIRCLE out{};
    const CIRCLE corner{{10, 10}, 2};
    ASSERT_TRUE(CircleFromCircle2LinesNearPoints(corner, kFloor, kWall, {5, 1}, {1, 5}, nullptr, out));
    EXPECT_TRUE(TouchesLine(out, kFloor) && TouchesLine(out, kWall) && TouchesOutside(out, corner));
    EXPECT_NEAR(out.radius, (10 * std::sqrt(2.0) - 2) / (1 + std::sqrt(2.0)), 1e-9);

    // Parallel lines: the radius is half the gap, so the circle touches both.
    const CIRCLE inStrip{{5, 3}, 1};
    const G_POINT hint{0, 0};
    ASSERT_TRUE(CircleFromCircle2LinesNearPoints(inStrip, kFloor, Horizontal(6), {0, 1}, {0, 5}, &hint, out));
    EXPECT_NEAR(out.radius, 3.0, 1e-9);
    EXPECT_TRUE(TouchesLine(out, kFloor) && TouchesLine(out, Horizontal(6)) && TouchesOutside(out, inStrip));
    EXPECT_LT(out.center.x, 5.0);
}

TEST(CirclesTangentLines, ThroughAPointTouchingACircleAndALine)
{
    const CIRCLE c{{0, 10}, 2};
    struct Row {
        const char* name;
        G_POINT p;
        char kind;
    } rows[] = {
        {"point on the line", {3, 0}, 0},
        {"no keyword", {6, 3}, 0},
        {"EXTERNAL, search shrinks", {6, 3}, GEO_KW_EXTERNAL},
        {"point on the circle", {2, 10}, GEO_KW_EXTERNAL},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CIRCLE out{};
        ASSERT_TRUE(CircleFromCircleLinePoint(c, kFloor, row.p, row.p, row.kind, out));
        EXPECT_TRUE(PassesThrough(out, row.p));
        EXPECT_TRUE(TouchesLine(out, kFloor));
        if (row.kind == GEO_KW_EXTERNAL)
            EXPECT_TRUE(TouchesOutside(out, c));
        else
            EXPECT_TRUE(Touches(out, c));
    }
    CIRCLE out{};
    ASSERT_TRUE(CircleFromCircleLinePoint(c, kFloor, {3, 0}, {3, 0}, 0, out));
    EXPECT_NEAR(out.center.x, 3.0, 1e-9);
    // A far point needs a radius many times the start: the bracket doubles.
    const G_POINT far{200, 1};
    ASSERT_TRUE(CircleFromCircleLinePoint(c, kFloor, far, far, GEO_KW_EXTERNAL, out));
    EXPECT_GT(out.radius, 16 * (c.radius + c.center.y));
    EXPECT_TRUE(PassesThrough(out, far) && TouchesLine(out, kFloor) && TouchesOutside(out, c));
}

TEST(CirclesTangentLines, CentreOnALineThroughAPoint)
{
    const CIRCLE c{{0, 0}, 2};
    CIRCLE out{{5, 0}, 1};
    ASSERT_TRUE(CircleFromCircleLinePointCenter(c, Vertical(5), {5, 3}, {5, 1}, 0, out));
    EXPECT_NEAR(out.center.x, 5.0, 1e-9);
    EXPECT_TRUE(PassesThrough(out, {5, 3}));
    EXPECT_TRUE(Touches(out, c));
    // A point on the circle: the centre is where its radius line meets the line.
    ASSERT_TRUE(CircleFromCircleLinePointCenter(c, Vertical(5), {2, 0}, {5, 1}, 0, out));
    EXPECT_NEAR(out.center.x, 5.0, 1e-9);
    EXPECT_NEAR(out.center.y, 0.0, 1e-9);
    EXPECT_NEAR(out.radius, 3.0, 1e-9);
}

TEST(CirclesTangentLines, CentreOnTheCircleThroughAPoint)
{
    const CIRCLE c{{0, 0}, 5};
    const LINE l = Horizontal(-8);
    CIRCLE out{};
    ASSERT_TRUE(CircleFromCircleLinePointCenterFirst(c, l, {3, 0}, {5, 0}, out));
    EXPECT_NEAR(Gap(out.center, c.center), 5.0, 1e-6);
    EXPECT_TRUE(PassesThrough(out, {3, 0}));
    EXPECT_TRUE(TouchesLine(out, l));
    // Roots exist but none lies within 100000 of the hint: success, output unchanged.
    out = {{7, 7}, 1.0};
    ASSERT_TRUE(CircleFromCircleLinePointCenterFirst(c, l, {3, 0}, {0, 200000}, out));
    EXPECT_EQ(out.center.x, 7.0);
    EXPECT_EQ(out.center.y, 7.0);
    EXPECT_EQ(out.radius, 1.0);
    // The point on the line: the centre above it on the circle, nearer the hint.
    ASSERT_TRUE(CircleFromCircleLinePointCenterFirst(c, Horizontal(-4), {3, -4}, {0, 10}, out));
    EXPECT_NEAR(out.center.x, 3.0, 1e-9);
    EXPECT_NEAR(out.center.y, 4.0, 1e-9);
    EXPECT_NEAR(out.radius, 8.0, 1e-9);
}

}  // namespace
