#include "arc.h"

#include <gtest/gtest.h>

#include <cmath>

#include "angle.h"
#include "angular.h"
#include "arc_checks.h"
#include "circle.h"
#include "geoitem.h"
#include "geolist.h"
#include "line.h"
#include "point.h"
#include "poly_member.h"
#include "polygon.h"
#include "ray.h"
#include "segment.h"
#include "settings.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kHalfPi = 1.5707963267948966;

arc Arc(double cx, double cy, double r, double start, double end)
{
    return arc(ARC{{cx, cy}, r, start, end});
}

ARC StoredArc(const geolist_ref& result, short i)
{
    const arc piece(result[i]);
    return piece.record();
}

TEST(Arc, ConstructionFromPoints)
{
    const arc a(point(1, 1), point(4, 5), point(1, -3));
    ExpectArc(a, 1, 1, 5, std::atan2(4, 3), -kHalfPi);
    const arc none;
    EXPECT_EQ(none.typecode(), 11);
    ExpectArc(none, 0, 0, 0, 0, 0);
}

TEST(Arc, EqualAnglesAreAFullTurn)
{
    const arc full = Arc(0, 0, 2, 0, 0);
    EXPECT_DOUBLE_EQ(full.perimeter(), 2 * 6.28318530718);
    EXPECT_DOUBLE_EQ(Arc(0, 0, 2, 1, 1).perimeter(), 2 * 6.28318530718);
    // The frame of a full turn is the whole circle's box.
    const segment f = Arc(1, 2, 3, 0.5, 0.5).frame();
    EXPECT_NEAR(f.startPoint().x, -2, 1e-12);
    EXPECT_NEAR(f.startPoint().y, -1, 1e-12);
    EXPECT_NEAR(f.endPoint().x, 4, 1e-12);
    EXPECT_NEAR(f.endPoint().y, 5, 1e-12);
    // A quarter.
    EXPECT_NEAR(Arc(0, 0, 2, 0, kHalfPi).perimeter(), kPi, 1e-12);
    EXPECT_NEAR(Arc(0, 0, 2, kHalfPi, 0).perimeter(), 2 * (6.28318530718 - kHalfPi), 1e-12);
}

TEST(Arc, Frames)
{
    struct Case {
        double start, end, x0, y0, x1, y1;
    };
    const double h = std::sqrt(0.5);
    const Case cases[] = {
        {0, kHalfPi, 0, 0, 1, 1},
        {kPi / 4, 3 * kPi / 4, -h, h, h, 1},
        {-kHalfPi, kHalfPi, 0, -1, 1, 1},
        {kHalfPi, -kHalfPi, -1, -1, 0, 1},
        {3 * kPi / 4, kPi / 4, -1, -1, 1, h},  // through pi, -pi/2 and 0, not pi/2
    };
    for (const Case& c : cases) {
        const segment f = Arc(0, 0, 1, c.start, c.end).frame();
        EXPECT_NEAR(f.startPoint().x, c.x0, 1e-12) << c.start << " " << c.end;
        EXPECT_NEAR(f.startPoint().y, c.y0, 1e-12) << c.start << " " << c.end;
        EXPECT_NEAR(f.endPoint().x, c.x1, 1e-12) << c.start << " " << c.end;
        EXPECT_NEAR(f.endPoint().y, c.y1, 1e-12) << c.start << " " << c.end;
    }
}

TEST(Arc, ReversalAndEquality)
{
    arc a = Arc(1, 2, 3, 0.5, 2.0);
    const arc copy(a);
    -a;
    ExpectArc(a, 1, 2, 3, 2.0, 0.5);
    EXPECT_EQ(a != copy, 1);
    -(-a);
    -a;
    EXPECT_EQ(a == copy, 1);
    // Angles a full turn apart are not equal: the difference is taken raw.
    EXPECT_EQ(Arc(1, 2, 3, 0.5 + 6.28318530718, 2.0) == copy, 0);
    EXPECT_EQ(Arc(1.005, 2, 3, 0.5, 2.0) == copy, 1);
    EXPECT_EQ(Arc(1.02, 2, 3, 0.5, 2.0) == copy, 0);
    // Against a circle only centre and radius count.
    EXPECT_EQ(copy == circle(point(1, 2), 3), 1);
    EXPECT_EQ(copy != circle(point(1, 2), 3.5), 1);
}

TEST(Arc, Accessors)
{
    arc a = Arc(1, 1, 2, 0, kHalfPi);
    EXPECT_NEAR(a.start().x(), 3, 1e-12);
    EXPECT_NEAR(a.start().y(), 1, 1e-12);
    EXPECT_NEAR(a.end().x(), 1, 1e-12);
    EXPECT_NEAR(a.end().y(), 3, 1e-12);
    EXPECT_EQ(a.center().x(), 1);
    a = -4.0;
    EXPECT_EQ(a.rad(), 4);
    a = point(5, 6);
    EXPECT_EQ(a.record().center.x, 5);
    a.move(point(0, 0), point(0, 2), point(-1, 0));
    ExpectArc(a, 0, 0, 2, kHalfPi, kPi);
}

TEST(Arc, Mirroring)
{
    arc a = Arc(0, 0, 1, 0, kHalfPi);
    a.mirror(line(LINE{0, 0}));  // the x axis
    ExpectArc(a, 0, 0, 1, -kHalfPi, 0);

    arc b = Arc(2, 1, 1, 0, kHalfPi);
    b.mirror(line(LINE{100001.0, 0}));  // the y axis
    ExpectArc(b, -2, 1, 1, kHalfPi, kPi);

    // In y = x: t = 2 atan(1) = pi/2, so start = pi/2 - pi/2 and end = pi/2 - 0.
    arc s = Arc(2, 0, 1, 0, kHalfPi);
    s.mirror(line(LINE{1, 0}));
    ExpectArc(s, 0, 2, 1, 0, kHalfPi);

    arc c = Arc(2, 1, 1, 0, kHalfPi);
    c.mirror(point(0, 0));
    ExpectArc(c, -2, -1, 1, kPi, -kHalfPi);

    arc d = Arc(0, 0, 1, 0, kHalfPi);
    d.mirror(point(0, 0), point(1, 0));
    ExpectArc(d, 0, 0, 1, -kHalfPi, 0);
    d.mirror(point(3, 3), point(3, 3));  // no line: unchanged
    ExpectArc(d, 0, 0, 1, -kHalfPi, 0);
}

TEST(Arc, MovesRotationsAndScales)
{
    arc a = Arc(1, 0, 1, 0, kHalfPi);
    a.rotate(kHalfPi, point(0, 0));
    ExpectArc(a, 0, 1, 1, kHalfPi, kPi);
    a.rotate(point(0, 0), angle(90.0));
    ExpectArc(a, -1, 0, 1, kPi, -kHalfPi);

    arc b = Arc(1, 2, 3, 0.25, 1.0);
    b.scale(0.0, 0.0);
    ExpectArc(b, 1, 2, 3, 0.25, 1.0);
    b.scale(2.0);
    ExpectArc(b, 2, 4, 6, 0.25, 1.0);
    b.scale(1.0, -1.0);
    ExpectArc(b, 2, -4, 0, std::atan2(-std::sin(0.25), std::cos(0.25)),
              std::atan2(-std::sin(1.0), std::cos(1.0)));

    arc c = Arc(1, 2, 3, 0, 1);
    c.move(2.0, 3.0);
    ExpectArc(c, 3, 5, 3, 0, 1);
    c.move(point(1, 1));
    ExpectArc(c, 2, 4, 3, 0, 1);
    c.move(angle(90.0), 2.0);
    ExpectArc(c, 2, 6, 3, 0, 1);
    c.offset(-1.0);
    EXPECT_EQ(c.rad(), 2);
}

TEST(Arc, FromItems)
{
    GeoError() = 0;
    arc source = Arc(1, 2, 3, 0, 1);
    point p(1, 1);
    geolist list(source, p);
    const arc fromObject(list[0]);
    ExpectArc(fromObject, 1, 2, 3, 0, 1);
    EXPECT_EQ(GeoError(), 0);

    arc target = Arc(9, 9, 9, 0, 0);
    EXPECT_FALSE(target = list[1]);
    ExpectArc(target, 9, 9, 9, 0, 0);
    const arc wrong(list[1]);
    EXPECT_EQ(GeoError(), 3);
    GeoError() = 0;
}

TEST(Arc, CrossingsWithArcsAndRays)
{
    const arc a = Arc(0, 0, 5, 0, kPi);
    // Another arc through both crossings of the circles (3, 4) and (-3, 4).
    const arc b = Arc(0, 8, 5, -kPi, 0);
    const geolist_ref both = a % b;
    ASSERT_EQ(both.count(), 2);
    // In the order along the first arc: (3, 4) at 53 degrees, then (-3, 4).
    EXPECT_NEAR(point(both[0]).x(), 3, 1e-9);
    EXPECT_NEAR(point(both[0]).y(), 4, 1e-9);
    EXPECT_NEAR(point(both[1]).x(), -3, 1e-9);
    EXPECT_NEAR(point(both[1]).y(), 4, 1e-9);
    // A horizontal ray from the left, at height 3, meets the upper half twice.
    const geolist_ref hits = a % ray(G_POINT{-10, 3}, 0.0);
    ASSERT_EQ(hits.count(), 2);
    for (short i = 0; i < 2; ++i) {
        const point hit(hits[i]);
        EXPECT_NEAR(hit.y(), 3, 1e-9);
        EXPECT_NEAR(std::fabs(hit.x()), 4, 1e-9);
    }
    // A ray pointing left along the x axis, its direction held as pi or as
    // -pi, meets the full circle at (1, 0) and (-1, 0) either way.
    const arc full = Arc(0, 0, 1, 0, 0);
    EXPECT_EQ((full % ray(G_POINT{5, 0}, kPi)).count(), 2);
    EXPECT_EQ((full % ray(G_POINT{5, 0}, -kPi)).count(), 2);
    // A ray pointing away finds nothing; a point gives an empty result.
    EXPECT_EQ((a % ray(G_POINT{-10, 3}, kPi)).count(), 0);
    EXPECT_EQ((a % point(0, 5)).count(), 0);
    // A line: only crossings on the arc count.
    const geolist_ref cut = a % line(LINE{0, -3});
    EXPECT_EQ(cut.count(), 0);
    EXPECT_EQ((a % line(LINE{100001.0, 3})).count(), 1);
    // A list: every item's crossings, in turn.
    const line right(LINE{100001.0, 3}), left(LINE{100001.0, -3});
    const geolist both2(right, left);
    const geolist_ref listed = a % both2;
    ASSERT_EQ(listed.count(), 2);
    // ... ordered along the arc: (3, 4) comes before (-3, 4).
    EXPECT_NEAR(point(listed[0]).x(), 3, 1e-9);
    EXPECT_NEAR(point(listed[1]).x(), -3, 1e-9);
}

TEST(Arc, Containment)
{
    const arc small = Arc(0, 0, 1, 0, kPi);
    const circle big(point(0, 0), 10);
    EXPECT_TRUE(small < big);
    EXPECT_FALSE(small > big);
    const circle far(point(50, 0), 2);
    EXPECT_TRUE(small > far);
    EXPECT_FALSE(small < far);
    // A crossing makes both false; lines and rays are never compared.
    const circle cutting(point(1, 0), 1);
    EXPECT_FALSE(small < cutting);
    EXPECT_FALSE(small > cutting);
    EXPECT_FALSE(small < line(LINE{0, 100}));
    EXPECT_FALSE(small > line(LINE{0, 100}));
}

TEST(Arc, ClippingByACircle)
{
    // The right half of the circle of radius 5 about the origin, cut by the
    // circle of radius 5 about (5, 0) at -60 and 60 degrees.
    arc a = Arc(0, 0, 5, -kHalfPi, kHalfPi);
    const circle other(point(5, 0), 5);
    const geolist_ref inside = a << other;
    ASSERT_EQ(inside.count(), 1);
    EXPECT_EQ(inside[0].type(), -11);
    const ARC in = StoredArc(inside, 0);
    EXPECT_NEAR(in.start, -kPi / 3, 1e-9);
    EXPECT_NEAR(in.end, kPi / 3, 1e-9);
    EXPECT_EQ(in.radius, 5);

    const geolist_ref outside = a >> other;
    ASSERT_EQ(outside.count(), 2);
    const ARC o1 = StoredArc(outside, 0);
    const ARC o2 = StoredArc(outside, 1);
    EXPECT_NEAR(o1.start, -kHalfPi, 1e-9);
    EXPECT_NEAR(o1.end, -kPi / 3, 1e-9);
    EXPECT_NEAR(o2.start, kPi / 3, 1e-9);
    EXPECT_NEAR(o2.end, kHalfPi, 1e-9);

    // Lines are not clipped against.
    EXPECT_EQ((a << line(LINE{0, 0})).count(), 0);
}

TEST(Arc, ClippingAFullTurn)
{
    arc a = Arc(0, 0, 5, 0, 0);
    const circle other(point(5, 0), 5);
    const geolist_ref outside = a >> other;
    ASSERT_EQ(outside.count(), 1);
    const ARC o = StoredArc(outside, 0);
    EXPECT_NEAR(o.start, kPi / 3, 1e-9);
    EXPECT_NEAR(o.end, -kPi / 3, 1e-9);
    // Inside: the stretch through the start, split there.
    const geolist_ref inside = a << other;
    ASSERT_EQ(inside.count(), 2);
    EXPECT_NEAR(StoredArc(inside, 0).start, 0, 1e-12);
    EXPECT_NEAR(StoredArc(inside, 0).end, kPi / 3, 1e-9);
    EXPECT_NEAR(StoredArc(inside, 1).start, -kPi / 3, 1e-9);
    EXPECT_EQ(StoredArc(inside, 1).end, 0);
    // Uncut, it stays a full turn.
    const geolist_ref whole = a >> circle(point(50, 0), 1);
    ASSERT_EQ(whole.count(), 1);
    EXPECT_EQ(StoredArc(whole, 0).start, 0);
    EXPECT_EQ(StoredArc(whole, 0).end, 0);
}

TEST(Arc, UncutLongArcIsJudgedOnItself)
{
    // Three quarters of a turn; a small circle sits by the missing quarter.
    // The piece's middle lies opposite that quarter, so the arc is outside.
    arc a = Arc(0, 0, 5, 0, 1.5 * kPi);
    const circle near(point(3.54, -3.54), 1);
    EXPECT_EQ((a << near).count(), 0);
    const geolist_ref whole = a >> near;
    ASSERT_EQ(whole.count(), 1);
    const ARC w = StoredArc(whole, 0);
    EXPECT_EQ(w.start, 0);
    EXPECT_EQ(w.end, 1.5 * kPi);
}

TEST(Arc, CornerArcOfASquare)
{
    G_POINT v[5] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
    POLY body{5, 5, v, 1};
    ARC corner;
    ArcFromPolyMember(body, 0, corner);
    EXPECT_NEAR(corner.radius, 0.3, 1e-12);
    EXPECT_NEAR(corner.start, 0, 1e-12);
    EXPECT_NEAR(corner.end, kHalfPi, 1e-12);
    ArcFromPolyMember(body, 2, corner);
    // Neighbours at -pi/2 and pi: the probe at pi/4 is outside, so the arc
    // runs from pi to -pi/2, the quarter inside the square.
    EXPECT_NEAR(corner.start, kPi, 1e-9);
    EXPECT_NEAR(corner.end, -kHalfPi, 1e-9);
    // A neighbour on the vertex: a degenerate arc at the vertex.
    G_POINT w[3] = {{1, 1}, {1, 1}, {5, 1}};
    POLY open{3, 3, w, 1};
    ArcFromPolyMember(open, 1, corner);
    EXPECT_EQ(corner.radius, 0);
    EXPECT_EQ(corner.center.x, 1);
}

TEST(Arc, FromPolygonVertexViews)
{
    const polygon square(point(0, 0), point(10, 10));
    const poly_member corner = square[0];
    ASSERT_EQ(corner.kind(), 12);
    const arc a(corner);
    EXPECT_NEAR(a.rad(), 0.3, 1e-12);
    EXPECT_NEAR(ArcSweep(a.record()), kHalfPi, 1e-9);
    // The arc's middle lies inside the square.
    const double middle = a.startAngle() + ArcSweep(a.record()) * 0.5;
    const point inside(a.record().center.x + std::cos(middle), a.record().center.y + std::sin(middle));
    EXPECT_GT(inside.x(), 0);
    EXPECT_LT(inside.x(), 10);
    EXPECT_GT(inside.y(), 0);
    EXPECT_LT(inside.y(), 10);
    // A view without a body is no arc.
    arc b = Arc(1, 1, 1, 0, 1);
    EXPECT_FALSE(b = poly_member());
    ExpectArc(b, 1, 1, 1, 0, 1);
}

TEST(Arc, ListSlotOneStaysFalse)
{
    arc a = Arc(1, 1, 1, 0, 1);
    point p1(0, 0), p2(1, 0), p3(0, 5);
    geolist list = p1 & p2 & p3;
    geobject& base = a;
    const geolist& constant = list;
    EXPECT_FALSE(base = constant);
    ExpectArc(a, 1, 1, 1, 0, 1);
}

}  // namespace
