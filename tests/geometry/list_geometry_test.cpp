// Geometry over whole lists: transforms, frame, containment, crossings,
// clipping, booleans and the distance of a construction list.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "angle.h"
#include "circle.h"
#include "geolist.h"
#include "geolist_fixtures.h"
#include "line.h"
#include "point.h"
#include "polygon.h"
#include "segment.h"
#include "settings.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kTol = 1e-9;

class ListGeometryTest : public ::testing::Test {
protected:
    void SetUp() override { saved_ = GeoError(); GeoError() = 0; }
    void TearDown() override { GeoError() = saved_; }
    char saved_ = 0;
};

TEST_F(ListGeometryTest, MoveReachesObjectsAndStoredValuesNotNumbers)
{
    point p(1, 1);
    geolist l = StoredList({{GEO_STORED_POINT, {{5, 5}}}});
    l & p & 7.0;
    EXPECT_EQ(l.move(1.0, 2.0), &l);
    EXPECT_EQ(p.x(), 2.0);
    EXPECT_EQ(p.y(), 3.0);
    // Items: the point, the number, then the stored point at the end.
    const geolist_pr* body = l.body();
    EXPECT_EQ(body->items[1].number, 7.0);
    EXPECT_EQ(body->items[2].stored->x, 6.0);
    EXPECT_EQ(body->items[2].stored->y, 7.0);
}

TEST_F(ListGeometryTest, RotateFormsAgree)
{
    geolist a = StoredList({{GEO_STORED_POINT, {{1, 0}}}});
    geolist b = StoredList({{GEO_STORED_POINT, {{1, 0}}}});
    geolist c = StoredList({{GEO_STORED_POINT, {{1, 0}}}});
    a.rotate(point(0, 0), kPi / 2);
    b.rotate(angle(90.0), point(0, 0));
    c.rotate(kPi / 2, point(0, 0));
    for (const geolist* l : {&a, &b, &c}) {
        EXPECT_NEAR(l->body()->items[0].stored->x, 0, kTol);
        EXPECT_NEAR(l->body()->items[0].stored->y, 1, kTol);
    }
}

TEST_F(ListGeometryTest, MirrorThroughCoincidentPointsDoesNothing)
{
    point p(3, 4);
    geolist l = p & 1.0;
    l.mirror(point(1, 1), point(1, 1));
    EXPECT_EQ(p.x(), 3.0);
    EXPECT_EQ(p.y(), 4.0);
    l.mirror(point(0, 0), point(1, 0));
    EXPECT_NEAR(p.y(), -4.0, kTol);
}

TEST_F(ListGeometryTest, FrameIncludesTheOrigin)
{
    segment s(point(5, 5), point(6, 7));
    geolist l(s);
    segment box = l.frame();
    EXPECT_NEAR(box.startPoint().x, 0, kTol);
    EXPECT_NEAR(box.startPoint().y, 0, kTol);
    EXPECT_NEAR(box.endPoint().x, 6, kTol);
    EXPECT_NEAR(box.endPoint().y, 7, kTol);
    segment empty = geolist().frame();
    EXPECT_EQ(empty.endPoint().x, 0.0);
}

TEST_F(ListGeometryTest, ContainmentOfEveryItem)
{
    circle c(point(0, 0), 5.0);
    point in1(1, 1), in2(-2, 0), out(10, 0);
    EXPECT_TRUE((in1 & in2) < c);
    EXPECT_FALSE((in1 & out) < c);
    EXPECT_FALSE((in1 & out) > c);
    geolist empty;
    EXPECT_TRUE(empty < c);
    EXPECT_TRUE(empty > c);
}

TEST_F(ListGeometryTest, CrossingsOfAllItemsInItemOrder)
{
    circle c(point(0, 0), 5.0);
    line horizontal(LINE{0.0, 0.0});
    line vertical(LINE{GEO_VERTICAL, 3.0});
    geolist l = horizontal & vertical;
    geolist_ref crossings = l % c;
    ASSERT_EQ(crossings.count(), 4);
    for (short i = 0; i < 4; ++i)
        EXPECT_EQ(crossings.type(i), 4);
    // The horizontal line's crossings come first.
    EXPECT_NEAR(crossings.body()->items[0].stored->y, 0, 1e-6);
    EXPECT_NEAR(crossings.body()->items[1].stored->y, 0, 1e-6);
    EXPECT_NEAR(crossings.body()->items[2].stored->x, 3, 1e-6);
    EXPECT_NEAR(crossings.body()->items[3].stored->x, 3, 1e-6);
    EXPECT_EQ(crossings.body()->refCount, 1);
}

TEST_F(ListGeometryTest, ClippingCollectsPiecesOfAllItems)
{
    polygon square(5.0);  // (-5,-5) .. (5,5)
    segment a(point(-10, 0), point(10, 0));
    segment b(point(0, -10), point(0, 10));
    geolist l = a & b;
    geolist_ref inside = l << square;
    geolist_ref outside = l >> square;
    EXPECT_EQ(inside.count(), 2);
    EXPECT_EQ(outside.count(), 4);
    EXPECT_EQ(geolist().operator<<(square).count(), 0);
}

TEST_F(ListGeometryTest, BooleansNeedPolygonOrListAndPiecesOnBothSides)
{
    polygon square(5.0);
    polygon far(1.0);
    far.move(100.0, 0.0);
    geolist l(square);
    point p(0, 0);
    EXPECT_EQ((l && p).count(), 0);
    // Disjoint: no piece of one lies inside the other.
    EXPECT_EQ((l && far).count(), 0);
}

TEST_F(ListGeometryTest, DistanceOfCircleConstructionList)
{
    circle c1(point(0, 0), 1.0), c2(point(5, 0), 2.0);
    EXPECT_NEAR((c1 & c2 & "DISTANCE").distance(), 2.0, kTol);
    circle inner(point(0.5, 0), 0.5), outer(point(0, 0), 3.0);
    geolist containment = outer & inner & "INSIDE";
    EXPECT_EQ(containment.distance(), 1.0);
    point a(0, 0), b(3, 4);
    EXPECT_NEAR((a & b).distance(), 5.0, kTol);
    EXPECT_EQ(GeoError(), 0);
    EXPECT_EQ((a & b & c1).distance(), 0.0);
    EXPECT_EQ(GeoError(), GEO_BAD_ARGUMENTS);
}

TEST_F(ListGeometryTest, ReferenceTransformsChangeTheSharedBody)
{
    geolist l = StoredList({{GEO_STORED_POINT, {{1, 1}}}});
    geolist_ref ref(l.body());
    EXPECT_EQ(ref.move(1.0, 0.0), &ref);
    EXPECT_EQ(l.body()->items[0].stored->x, 2.0);
    EXPECT_EQ(l.body()->refCount, 2);
    geolist_ref none;
    none.move(1.0, 1.0);
    EXPECT_EQ(none.count(), 0);
}

// Areas of the stitched outlines of two overlapping squares of side 10,
// offset by (5, 5): 25 common, 175 together, 75 of the first alone.
TEST_F(ListGeometryTest, BooleansOfOverlappingSquaresThroughLists)
{
    struct Case {
        const char* name;
        geolist_ref (*combine)(const geolist&, const polygon&);
        double area;
    };
    const Case cases[] = {
        {"overlap", [](const geolist& l, const polygon& p) { return l && p; }, 25.0},
        {"union", [](const geolist& l, const polygon& p) { return l || p; }, 175.0},
        {"difference", [](const geolist& l, const polygon& p) { return l - p; }, 75.0},
    };
    for (const Case& c : cases) {
        polygon first(5.0);
        polygon second(5.0);
        second.move(5.0, 5.0);
        geolist l(first);
        geolist_ref result = c.combine(l, second);
        ASSERT_EQ(result.count(), 1) << c.name;
        polygon outline(result[0]);
        EXPECT_NEAR(std::fabs(outline.area()), c.area, 1e-6) << c.name;
        EXPECT_TRUE(result[0].closed()) << c.name;
    }
}

// A whole circle kept by one item's clipping result must survive the
// appending of the next item's stored arcs into the collected result.
TEST_F(ListGeometryTest, WholeCircleSurvivesCollectingFurtherPieces)
{
    polygon square(10.0);
    circle inside(point(0, 0), 1.0), crossing(point(10, 0), 2.0);
    geolist l = inside & crossing;
    geolist_ref pieces = l << square;
    ASSERT_GE(pieces.count(), 2);
    ASSERT_EQ(pieces.type(0), GEO_CIRCLE);
    EXPECT_EQ(static_cast<const circle*>(pieces.body()->items[0].object)->rad(), 1.0);
}

// Pieces on one side only: the small square lies inside the big one, but no
// piece of the big one lies inside the small one, so the overlap is empty.
TEST_F(ListGeometryTest, OverlapNeedsPiecesOnBothSides)
{
    polygon small(2.0);
    polygon big(5.0);
    geolist l(small);
    ASSERT_GT((l << big).count(), 0);
    EXPECT_EQ((big << l).count(), 0);
    EXPECT_EQ((l && big).count(), 0);
    EXPECT_EQ(l.overlap(big).count(), 0);
}

// The reference's argument orders reach the same list operation.
TEST_F(ListGeometryTest, ReferenceFormsForwardToTheListOperation)
{
    geolist l = StoredList({{GEO_STORED_POINT, {{1, 0}}}});
    geolist_ref ref(l.body());
    EXPECT_EQ(ref.rotate(angle(90.0), point(0, 0)), &ref);
    EXPECT_NEAR(l.body()->items[0].stored->x, 0, kTol);
    EXPECT_NEAR(l.body()->items[0].stored->y, 1, kTol);
    ref.rotate(kPi / 2, point(0, 0));
    EXPECT_NEAR(l.body()->items[0].stored->x, -1, kTol);
    ref.move(2.0, angle(0.0));
    EXPECT_NEAR(l.body()->items[0].stored->x, 1, kTol);
    ref.mirror(point(0, 0), point(0, 1));  // about the y axis
    EXPECT_NEAR(l.body()->items[0].stored->x, -1, kTol);
    EXPECT_EQ(l.body()->refCount, 2);
}

// Disjoint outlines: each lies wholly outside the other, so the union keeps
// both; the difference finds no piece of the other inside and is empty.
TEST_F(ListGeometryTest, UnionOfDisjointOutlinesKeepsBoth)
{
    polygon square(5.0);
    polygon far(1.0);
    far.move(100.0, 0.0);
    geolist l(square);
    geolist_ref united = l || far;
    ASSERT_EQ(united.count(), 2);
    const double areas[] = {polygon(united[0]).area(), polygon(united[1]).area()};
    EXPECT_NEAR(std::max(areas[0], areas[1]), 100.0, 1e-6);
    EXPECT_NEAR(std::min(areas[0], areas[1]), 4.0, 1e-6);
    EXPECT_EQ((l - far).count(), 0);
}

}  // namespace
