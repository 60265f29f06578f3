// Circles and arcs as vertex runs; signed area, perimeter, reversal and the
// offset outline.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "arc.h"
#include "circle.h"
#include "point.h"
#include "polygon.h"
#include "polygon_fixtures.h"
#include "settings.h"
#include "tessellation.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

double Radius(const G_POINT& p) { return std::hypot(p.x, p.y); }

TEST(Tessellation, UnitCircleHasSeventeenSides)
{
    const double step = 6.28318530718 / 17;
    struct Case {
        char mode;
        double radius;
    } cases[] = {{0, 1.0}, {TESSELLATE_EXTERNAL, 1.0 / std::cos(step / 2)}};
    for (const Case& c : cases) {
        polygon pg;
        EXPECT_EQ(CircleToPolygon(CIRCLE{{0, 0}, 1.0}, c.mode, *pg.body()), 18);
        ASSERT_EQ(pg.count(), 18);
        EXPECT_EQ(pg.body()->capacity, 18);
        EXPECT_TRUE(pg.closed());
        const G_POINT& first = *pg.get_vertex(0);
        EXPECT_NEAR(first.x, c.radius * std::cos(step / 2), 1e-12);
        EXPECT_NEAR(first.y, c.radius * std::sin(step / 2), 1e-12);
        for (short i = 0; i < 17; ++i)
            EXPECT_NEAR(Radius(*pg.get_vertex(i)), c.radius, 1e-12);
        EXPECT_NEAR(pg.get_vertex(17)->x, first.x, 0.0);
    }
}

TEST(Tessellation, CircleConstructorAndKeywordList)
{
    circle c(point(5, 5), 1.0);
    polygon plain(c);
    EXPECT_EQ(plain.count(), 18);
    polygon outside;
    EXPECT_TRUE(outside = (c & "OUTSIDE"));
    EXPECT_EQ(outside.count(), 18);
    EXPECT_GT(outside.area(), plain.area());
    EXPECT_GT(outside.area(), kPi);  // encloses the circle
    EXPECT_LT(plain.area(), kPi);
}

TEST(Tessellation, DegenerateRadiiStillGiveATriangle)
{
    struct Case {
        double radius;
    } cases[] = {{0.0}, {0.001}, {-1.0}};
    for (const Case& c : cases) {
        polygon pg;
        const short n = CircleToPolygon(CIRCLE{{0, 0}, c.radius}, 0, *pg.body());
        EXPECT_GE(n, 4) << c.radius;
        EXPECT_TRUE(pg.closed());
        for (short i = 0; i < n; ++i)
            EXPECT_NEAR(Radius(*pg.get_vertex(i)), std::fabs(c.radius), 1e-12);
    }
    polygon negative;
    EXPECT_EQ(CircleToPolygon(CIRCLE{{0, 0}, -1.0}, 0, *negative.body()), 18);

    polygon point;  // an arc of radius 0 over half a turn: 3 steps of the triangle
    EXPECT_EQ(ArcToPolygon(ARC{{1, 1}, 0.0, 0.0, kPi}, 0, *point.body()), 4);
    polygon reversed;
    EXPECT_EQ(ArcToPolygon(ARC{{0, 0}, -1.0, 0.0, kPi}, 0, *reversed.body()), 18);
    EXPECT_NEAR(reversed.get_vertex(0)->x, 1.0, 1e-12);
}

TEST(Tessellation, MoreVerticesThanACountHoldsIsAMemoryError)
{
    const char saved = GeoError();
    GeoError() = 0;
    polygon huge;
    EXPECT_EQ(CircleToPolygon(CIRCLE{{0, 0}, 1e9}, 0, *huge.body()), 0);
    EXPECT_EQ(GeoError(), 2);
    EXPECT_EQ(huge.body()->capacity, 0);
    GeoError() = 0;
    polygon tooBig(static_cast<short>(32767));  // room for n+1 does not fit
    EXPECT_EQ(tooBig.body()->capacity, 0);
    EXPECT_EQ(tooBig.count(), 0);
    GeoError() = saved;
}

TEST(Tessellation, HalfArcHasSeventeenSteps)
{
    polygon pg;
    const ARC half{{0, 0}, 1.0, 0.0, kPi};
    EXPECT_EQ(ArcToPolygon(half, 0, *pg.body()), 18);
    ASSERT_EQ(pg.count(), 18);
    EXPECT_EQ(pg.body()->capacity, 19);
    EXPECT_DOUBLE_EQ(pg.get_vertex(0)->x, 1.0);
    EXPECT_DOUBLE_EQ(pg.get_vertex(0)->y, 0.0);
    const double step = kPi / 17;
    EXPECT_NEAR(pg.get_vertex(1)->x, std::cos(step), 1e-12);
    EXPECT_NEAR(pg.get_vertex(1)->y, std::sin(step), 1e-12);
    EXPECT_DOUBLE_EQ(pg.get_vertex(17)->x, std::cos(kPi));  // the exact end point
    EXPECT_DOUBLE_EQ(pg.get_vertex(17)->y, std::sin(kPi));
    EXPECT_FALSE(pg.closed());

    polygon external;
    ArcToPolygon(half, TESSELLATE_EXTERNAL, *external.body());
    EXPECT_NEAR(Radius(*external.get_vertex(1)), 1.0 / std::cos(step / 2), 1e-12);
    EXPECT_NEAR(Radius(*external.get_vertex(17)), 1.0, 1e-12);
}

TEST(Tessellation, SignedAreaAndOrientation)
{
    polygon clockwise = FromPoints({{0, 0}, {0, 1}, {1, 1}, {1, 0}, {0, 0}});
    polygon anticlockwise = FromPoints({{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}});
    EXPECT_DOUBLE_EQ(PolygonSignedArea(*clockwise.body()), 1.0);
    EXPECT_TRUE(clockwise.clockwise());
    EXPECT_DOUBLE_EQ(PolygonSignedArea(*anticlockwise.body()), -1.0);
    EXPECT_FALSE(anticlockwise.clockwise());
    EXPECT_DOUBLE_EQ(anticlockwise.area(), 1.0);
    // The closing side counts even when the ring is not closed.
    polygon open = FromPoints({{0, 0}, {0, 1}, {1, 1}, {1, 0}});
    EXPECT_DOUBLE_EQ(PolygonSignedArea(*open.body()), 1.0);
    // A side whose x extent is within GeoSnap adds nothing: the slanted left
    // side drops out, leaving 0.5 * (1 + 1) * 0.995.
    polygon slanted = FromPoints({{0, 0}, {0.005, 1}, {1, 1}, {1, 0}, {0, 0}});
    EXPECT_NEAR(PolygonSignedArea(*slanted.body()), 0.995, 1e-12);

    -anticlockwise;  // reversal keeps the start of a closed ring
    EXPECT_TRUE(anticlockwise.clockwise());
    EXPECT_TRUE(anticlockwise == clockwise);
    EXPECT_DOUBLE_EQ(anticlockwise.get_vertex(1)->y, 1.0);
    polygon run = FromPoints({{0, 0}, {1, 0}, {2, 5}});
    -run;
    EXPECT_DOUBLE_EQ(run.get_vertex(0)->y, 5.0);
}

TEST(Tessellation, PerimeterHasNoClosingSide)
{
    polygon collinear = FromPoints({{0, 0}, {1, 0}, {3, 0}});
    EXPECT_DOUBLE_EQ(collinear.perimeter(), 3.0);
    EXPECT_FLOAT_EQ(collinear.length(), 3.0f);
    polygon square = FromPoints({{0, 0}, {0, 1}, {1, 1}, {1, 0}, {0, 0}});
    EXPECT_DOUBLE_EQ(square.perimeter(), 4.0);
}

TEST(Tessellation, OffsetOfASquare)
{
    struct Case {
        double d;
        double half;  // half side after the offset
    } cases[] = {{1.0, 3.0}, {-1.0, 1.0}};
    for (const Case& c : cases) {
        for (bool clockwise : {true, false}) {
            polygon square(2.0);  // half side 2, listed clockwise
            if (!clockwise)
                -square;
            square.offset(c.d);
            ASSERT_EQ(square.count(), 5) << c.d;
            EXPECT_TRUE(square.closed());
            for (short i = 0; i < 5; ++i) {
                EXPECT_NEAR(std::fabs(square.get_vertex(i)->x), c.half, 1e-9) << c.d << " " << i;
                EXPECT_NEAR(std::fabs(square.get_vertex(i)->y), c.half, 1e-9) << c.d << " " << i;
            }
            EXPECT_NEAR(square.area(), 4 * c.half * c.half, 1e-9);
        }
    }
}

TEST(Tessellation, OffsetWithVertexZeroInsideAStraightSide)
{
    // The last and first sides are collinear: vertex 0 is the foot of the
    // closing vertex on the last offset line.
    polygon square = FromPoints({{2, 0}, {0, 0}, {0, 4}, {4, 4}, {4, 0}, {2, 0}});
    square.offset(1.0);
    const G_POINT expected[6] = {{2, -1}, {-1, -1}, {-1, 5}, {5, 5}, {5, -1}, {2, -1}};
    ASSERT_EQ(square.count(), 6);
    for (short i = 0; i < 6; ++i) {
        EXPECT_NEAR(square.get_vertex(i)->x, expected[i].x, 1e-9) << i;
        EXPECT_NEAR(square.get_vertex(i)->y, expected[i].y, 1e-9) << i;
    }
}

TEST(Tessellation, OffsetOfAnOpenRunWithoutSpareRoom)
{
    // Capacity equals count: the walk must not write past the buffer.
    G_POINT v[3] = {{0, 0}, {0, 4}, {4, 4}};
    POLY source{3, 3, v, 1, false};
    polygon target;
    ASSERT_TRUE(OffsetPolygon(source, *target.body(), 1.0));
    ASSERT_EQ(target.count(), 3);  // open target, no closing repeat
    EXPECT_EQ(source.count, 3);
    EXPECT_DOUBLE_EQ(v[2].x, 4.0);
    // The corner (0,4) moves outwards to (-1,5).
    EXPECT_NEAR(target.get_vertex(1)->x, -1.0, 1e-9);
    EXPECT_NEAR(target.get_vertex(1)->y, 5.0, 1e-9);
}

TEST(Tessellation, OffsetCopyFromAList)
{
    polygon source(1.0);
    polygon target;
    EXPECT_TRUE(target = (source & 0.5));
    EXPECT_NEAR(target.area(), 9.0, 1e-9);
    EXPECT_NEAR(source.area(), 4.0, 1e-9);
}

TEST(Tessellation, OffsetPerSide)
{
    // Rectangle 4 x 2, clockwise from the origin; sides: left, top, right, bottom.
    polygon equal = FromPoints({{0, 0}, {0, 2}, {4, 2}, {4, 0}, {0, 0}});
    const float same[4] = {1, 1, 1, 1};
    equal.offset(same);
    ASSERT_EQ(equal.count(), 5);
    EXPECT_NEAR(equal.area(), 6 * 4, 1e-6);

    polygon mixed = FromPoints({{0, 0}, {0, 2}, {4, 2}, {4, 0}, {0, 0}});
    const float d[4] = {0, 1, 0, 0};  // only the top moves up
    mixed.offset(d);
    EXPECT_TRUE(mixed.closed());
    EXPECT_NEAR(mixed.area(), 4 * 3, 1e-6);
}

TEST(Tessellation, OffsetPerSideStepsBetweenParallelSides)
{
    // The top is two collinear sides; only the left one moves up.
    polygon pg = FromPoints({{0, 0}, {0, 2}, {2, 2}, {4, 2}, {4, 0}, {0, 0}});
    const float d[5] = {0, 1, 0, 0, 0};
    pg.offset(d);
    ASSERT_EQ(pg.count(), 7);  // one more vertex for the step
    EXPECT_TRUE(pg.closed());
    EXPECT_NEAR(pg.area(), 10.0, 1e-6);
    EXPECT_NEAR(pg.get_vertex(2)->x, 2.0, 1e-9);
    EXPECT_NEAR(pg.get_vertex(2)->y, 3.0, 1e-9);
    EXPECT_NEAR(pg.get_vertex(3)->x, 2.0, 1e-9);
    EXPECT_NEAR(pg.get_vertex(3)->y, 2.0, 1e-9);
}

TEST(Tessellation, RectangleFromPoints)
{
    polygon pg;
    ASSERT_TRUE(RectangleFromPoints({1, 1}, {3, 4}, *pg.body()));
    ASSERT_EQ(pg.count(), 5);
    EXPECT_EQ(pg.body()->capacity, 5);
    EXPECT_DOUBLE_EQ(pg.get_vertex(1)->y, 4.0);
    EXPECT_DOUBLE_EQ(pg.get_vertex(3)->x, 3.0);
    EXPECT_DOUBLE_EQ(pg.area(), 6.0);
}

}  // namespace
