#include "angle.h"
#include "arc.h"
#include "circle.h"
#include "geolist.h"
#include "geoitem.h"
#include "line.h"
#include "poly_member.h"
#include "polygon.h"
#include "point.h"
#include "ray.h"
#include "segment.h"

#include <gtest/gtest.h>

namespace {

// Equality through the base compares only point/point, line/line,
// circle/circle and segment/point; any other pair is unequal.
TEST(GeobjectEquality, OnlyTheListedPairsCompare)
{
    const point origin(0.0, 0.0);
    const point onSegment(1.0, 0.0);
    const line xAxis(0.0, 0.0);
    const circle unit(1.0, origin);
    const segment base(point(0.0, 0.0), point(2.0, 0.0));

    struct Case {
        const geobject* left;
        const geobject* right;
        char expected;
    };
    const Case cases[] = {
        {&origin, &origin, 1},
        {&xAxis, &xAxis, 1},
        {&unit, &unit, 1},
        {&base, &onSegment, 1},
        {&onSegment, &base, 0},  // the pair is ordered
        {&origin, &xAxis, 0},
        {&unit, &origin, 0},
        {&xAxis, &base, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left->typecode() << " == " << c.right->typecode());
        EXPECT_EQ(*c.left == *c.right, c.expected);  // through the slot
    }
}

TEST(GeobjectEquality, SegmentEqualsOnlyPointsLyingOnIt)
{
    const segment base(point(0.0, 0.0), point(2.0, 0.0));
    const point off(1.0, 0.5);
    const geobject& asObject = base;
    EXPECT_EQ(asObject == off, 0);
    EXPECT_EQ(asObject == point(2.0, 0.0), 1);  // an end point lies on it
}

TEST(GeobjectBase, DefaultLengthAndClosestPoint)
{
    const point p(3.0, 4.0);
    const line l(1.0, 2.0);
    const circle c(2.0, p);
    const arc a(point(0.0, 0.0), point(1.0, 0.0), point(0.0, 1.0));
    const angle turn(45.0);
    const ray r(point(1.0, 1.0), 0.5);
    geolist list;
    const geobject* objects[] = {&p, &l, &c, &a, &turn, &r, &list};
    for (const geobject* object : objects) {
        SCOPED_TRACE(object->typecode());
        EXPECT_EQ(object->length(), 0.0f);
        const G_POINT closest = object->GetClosestPoint(G_POINT{5.0, 5.0});
        EXPECT_EQ(closest.x, 0.0);
        EXPECT_EQ(closest.y, 0.0);
    }
}

// Segments, rays and arcs take argument lists only through their own class;
// through the base slot the assignment is refused and nothing changes.
TEST(GeobjectBase, ListAssignmentThroughTheBaseIsRefusedForSegmentRayArc)
{
    point a(0.0, 0.0);
    point b(4.0, 0.0);
    geolist list = a & b;

    segment s(point(1.0, 1.0), point(2.0, 2.0));
    ray r(point(1.0, 1.0), 0.25);
    arc c(point(0.0, 0.0), point(1.0, 0.0), point(0.0, 1.0));
    const segment sBefore(s);
    const ray rBefore(r);
    const arc cBefore(c);
    geobject* objects[] = {&s, &r, &c};
    for (geobject* object : objects) {
        SCOPED_TRACE(object->typecode());
        EXPECT_FALSE(*object = list);  // the virtual slot, as a caller holding a base reference reaches it
    }
    EXPECT_TRUE(s == sBefore);
    EXPECT_TRUE(r == rBefore);
    EXPECT_TRUE(c == cBefore);
    // Through the class type the list is taken.
    EXPECT_TRUE(s = list);
    EXPECT_TRUE(s == segment(a, b));
}

// The codes are part of the interface: lists order items by them.
TEST(GeobjectBase, EveryClassWritesItsTypeCode)
{
    const point p;
    const angle an(30.0);
    const line l(0.0, 0.0);
    const circle ci(1.0, p);
    const segment se(point(0.0, 0.0), point(1.0, 0.0));
    const arc ar(ARC{{0.0, 0.0}, 1.0, 0.0, 1.0});
    const polygon pg(1.0);
    const geolist li;
    const ray ra(p, 0.0);
    const geoitem it;
    const geolist_ref re;
    const poly_member pm = pg[0];
    const struct {
        const geobject* object;
        short code;
    } cases[] = {
        {&an, 3}, {&p, 4},   {&l, 8},   {&ci, 9},  {&se, 10}, {&ar, 11},
        {&pg, 12}, {&li, 14}, {&ra, 15}, {&it, 16}, {&re, 17}, {&pm, 19},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.object->typecode(), c.code);
    // Copies keep the code of their class.
    point copy(p);
    EXPECT_EQ(copy.typecode(), 4);
}

TEST(GeobjectBase, DeletingThroughTheBaseRunsTheDerivedDestructor)
{
    geobject* object = new circle(3.0, point(1.0, 1.0));
    EXPECT_EQ(object->typecode(), GEO_CIRCLE);
    delete object;  // the sanitizer build reports a mismatch or leak
}

TEST(Control, CarriesItsCode)
{
    const control c(7);
    control copy(c);
    EXPECT_EQ(copy.code(), 7);
    copy = control(9);
    EXPECT_EQ(copy.code(), 9);
}

} // namespace
