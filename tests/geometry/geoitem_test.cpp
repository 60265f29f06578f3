// The item view: forwarding to objects and the transforms of stored values.
#include <gtest/gtest.h>

#include <cmath>

#include "angle.h"
#include "crossing_fixtures.h"
#include "geolist.h"
#include "geolist_fixtures.h"
#include "line.h"
#include "point.h"
#include "polygon.h"
#include "segment.h"
#include "settings.h"

namespace {

constexpr double kPi = 3.141592653589793;

TEST(GeoitemTest, ViewWithoutItemActsAsNothing)
{
    geoitem none;
    EXPECT_EQ(none.type(), 0);
    EXPECT_EQ(none.closed(), 0);
    EXPECT_EQ(none.move(1.0, 2.0), &none);
    EXPECT_EQ(none.offset(1.0), &none);
    point p(1, 1);
    EXPECT_FALSE(none < p);
    EXPECT_FALSE(none > p);
    EXPECT_EQ((none % p).count(), 0);
    EXPECT_EQ((none << p).count(), 0);
    EXPECT_EQ((none && p).count(), 0);
    segment box = none.frame();
    ExpectPoint(box.startPoint(), 0, 0);
    ExpectPoint(box.endPoint(), 0, 0);
}

TEST(GeoitemTest, ObjectItemForwardsToTheObject)
{
    point p(1, 1);
    geolist l = p & 2.0;
    geoitem view = l[0];
    view.move(2.0, 3.0);
    EXPECT_EQ(p.x(), 3.0);
    EXPECT_EQ(p.y(), 4.0);
    geoitem number = l[1];
    EXPECT_EQ(number.move(5.0, 5.0), &number);
    EXPECT_EQ(l.body()->items[1].number, 2.0);
}

TEST(GeoitemTest, StoredArcRotatesCentreOnceAndBothAngles)
{
    geolist l = StoredList({StoredArc(ARC{{1, 0}, 2, 0, kPi / 2})});
    l[0].rotate(point(0, 0), kPi / 2);
    const ARC a = ItemArc(l, 0);
    ExpectPoint(a.center, 0, 1);
    EXPECT_NEAR(a.radius, 2, kNear);
    EXPECT_NEAR(a.start, kPi / 2, 1e-6);
    EXPECT_NEAR(a.end, kPi, 1e-6);
}

TEST(GeoitemTest, StoredArcOffsetAndScale)
{
    geolist l = StoredList({StoredArc(ARC{{1, 2}, 2, 0, 1})});
    l[0].offset(0.5);
    EXPECT_NEAR(ItemArc(l, 0).radius, 2.5, kNear);
    l[0].scale(2.0);
    ExpectPoint(ItemArc(l, 0).center, 2, 4);
    EXPECT_NEAR(ItemArc(l, 0).radius, 5, kNear);
}

TEST(GeoitemTest, StoredRayOffsetMovesOriginToTheRight)
{
    geolist l = StoredList({StoredRay({0, 0}, 0.0), StoredRay({1, 1}, kPi / 2)});
    l[0].offset(1.0);
    l[1].offset(1.0);
    ExpectPoint(l.body()->items[0].stored[0], 0, -1);
    EXPECT_NEAR(l.body()->items[0].stored[1].x, 0.0, kNear);
    ExpectPoint(l.body()->items[1].stored[0], 2, 1);
    EXPECT_NEAR(l.body()->items[1].stored[1].x, kPi / 2, kNear);
}

TEST(GeoitemTest, StoredRayDirectionFollowsTransforms)
{
    struct Case {
        const char* name;
        void (*apply)(geoitem&);
        double direction;
    };
    const Case cases[] = {
        {"scale_mirrors_x", [](geoitem& v) { v.scale(-1.0, 1.0); }, 3 * kPi / 4},
        {"scale_by_zero_keeps", [](geoitem& v) { v.scale(0.0, 0.0); }, kPi / 4},
        {"rotate", [](geoitem& v) { v.rotate(point(0, 0), kPi / 2); }, 3 * kPi / 4},
        {"mirror_point", [](geoitem& v) { v.mirror(point(0, 0)); }, -3 * kPi / 4},
        {"mirror_x_axis", [](geoitem& v) { v.mirror(line(LINE{0.0, 0.0})); }, -kPi / 4},
        // The new direction is reduced into (-pi, pi].
        {"rotate_wraps", [](geoitem& v) { v.rotate(point(0, 0), 3 * kPi / 2); }, -kPi / 4},
        // 2 atan(100001) - d for the vertical sentinel slope.
        {"mirror_vertical", [](geoitem& v) { v.mirror(line(LINE{GEO_VERTICAL, 0.0})); },
         2 * std::atan(GEO_VERTICAL) - kPi / 4},
    };
    for (const Case& c : cases) {
        geolist l = StoredList({StoredRay({1, 0}, kPi / 4)});
        geoitem view = l[0];
        c.apply(view);
        EXPECT_NEAR(l.body()->items[0].stored[1].x, c.direction, 1e-6) << c.name;
    }
}

TEST(GeoitemTest, StoredPieceOffsetAndPolarMove)
{
    geolist l = StoredList({{GEO_STORED_PIECE, {{0, 0}, {2, 0}}}, {GEO_STORED_PIECE, {{3, 3}, {3, 3}}}});
    l[0].offset(1.0);
    ExpectPoint(l.body()->items[0].stored[0], 0, -1);
    ExpectPoint(l.body()->items[0].stored[1], 2, -1);
    l[1].offset(1.0);
    ExpectPoint(l.body()->items[1].stored[0], 3, 3);
    l[0].move(angle(90.0), 2.0);
    ExpectPoint(l.body()->items[0].stored[0], 0, 1);
    ExpectPoint(l.body()->items[0].stored[1], 2, 1);
}

TEST(GeoitemTest, StoredPointAndRunMoveAndMirror)
{
    geolist l = StoredList({{GEO_STORED_POINT, {{1, 2}}}, StoredRun({{0, 0}, {1, 0}, {1, 1}})});
    l[0].move(point(1, 1));
    ExpectPoint(l.body()->items[0].stored[0], 0, 1);
    l[1].mirror(point(0, 0), point(1, 0));  // about the x axis
    ExpectPoint(l.body()->items[1].stored[3], 1, -1);
    EXPECT_EQ(l.body()->items[1].stored[0].x, 3);
}

TEST(GeoitemTest, ClosedRun)
{
    geolist l = StoredList({StoredRun({{0, 0}, {1, 0}, {1, 1}, {0.005, 0}}),
                            StoredRun({{0, 0}, {1, 0}, {1, 1}, {0.02, 0}}),
                            {GEO_STORED_PIECE, {{0, 0}, {0, 0}}}});
    EXPECT_EQ(l[0].closed(), 1);
    EXPECT_EQ(l[1].closed(), 0);
    EXPECT_EQ(l[2].closed(), 0);
}

TEST(GeoitemTest, FrameOfStoredValues)
{
    geolist l = StoredList({{GEO_STORED_PIECE, {{5, 5}, {1, 1}}}, {GEO_STORED_POINT, {{3, 3}}}});
    segment piece = l[0].frame();
    ExpectPoint(piece.startPoint(), 5, 5);
    ExpectPoint(piece.endPoint(), 1, 1);
    segment none = l[1].frame();
    ExpectPoint(none.endPoint(), 0, 0);
    EXPECT_EQ((l[1] % point(3, 3)).count(), 0);
}

TEST(GeoitemTest, StoredRunOffsetKeepsItsVertexCount)
{
    geolist l = StoredList({StoredRun({{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}})});
    l[0].offset(1.0);
    EXPECT_EQ(l.body()->items[0].stored[0].x, 5);
    segment box = l[0].frame();
    const double grown = box.endPoint().x - box.startPoint().x;
    EXPECT_NEAR(std::fabs(grown), 12.0, 1e-6);
    EXPECT_EQ(l[0].closed(), 1);
}

// Outline items combine through the polygon's booleans; a vertex run through
// a temporary polygon; any other item gives an empty list.
TEST(GeoitemTest, BooleansOfOutlineItems)
{
    polygon first(5.0);
    polygon second(5.0);
    second.move(5.0, 5.0);
    geolist objects = first & 2.0;
    geolist runs = StoredList({StoredRun({{-5, -5}, {-5, 5}, {5, 5}, {5, -5}, {-5, -5}})});
    struct Case {
        const char* name;
        geoitem view;
        double overlap, unite, subtract;
    };
    const Case cases[] = {
        {"polygon", objects[0], 25.0, 175.0, 75.0},
        {"vertex_run", runs[0], 25.0, 175.0, 75.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const geolist_ref results[] = {c.view && second, c.view || second, c.view - second};
        const double areas[] = {c.overlap, c.unite, c.subtract};
        for (int i = 0; i < 3; ++i) {
            ASSERT_EQ(results[i].count(), 1) << i;
            EXPECT_NEAR(polygon(results[i][0]).area(), areas[i], 1e-6) << i;
        }
    }
    EXPECT_EQ((objects[1] && second).count(), 0);
    EXPECT_EQ((objects[1] || second).count(), 0);
}

TEST(GeoitemTest, StoredArcMirrorAndScaleMoveTheCentre)
{
    geolist l = StoredList({StoredArc(ARC{{1, 2}, 2, 0, kPi / 2})});
    l[0].mirror(line(LINE{0.0, 0.0}));
    ExpectPoint(ItemArc(l, 0).center, 1, -2);
    EXPECT_NEAR(ItemArc(l, 0).radius, 2, kNear);
    l[0].mirror(point(0, 0));
    ExpectPoint(ItemArc(l, 0).center, -1, 2);
    l[0].scale(3.0, 3.0);
    ExpectPoint(ItemArc(l, 0).center, -3, 6);
    EXPECT_NEAR(ItemArc(l, 0).radius, 6, kNear);
}

}  // namespace
