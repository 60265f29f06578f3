#include "segment.h"

#include <array>
#include <cmath>
#include <initializer_list>

#include <gtest/gtest.h>

#include "angle.h"
#include "arc.h"
#include "circle.h"
#include "geolist.h"
#include "line.h"
#include "over_pattern.h"
#include "point.h"
#include "polygon.h"
#include "ray.h"
#include "settings.h"

namespace {

class SegmentTest : public testing::Test {
protected:
    void SetUp() override { GeoError() = 0; }
    void TearDown() override
    {
        GeoError() = 0;
        GeoTouchMode() = 1;
    }
};

void ExpectEnds(const segment& s, G_POINT a, G_POINT b, double tol = 1e-9)
{
    EXPECT_NEAR(s.startPoint().x, a.x, tol);
    EXPECT_NEAR(s.startPoint().y, a.y, tol);
    EXPECT_NEAR(s.endPoint().x, b.x, tol);
    EXPECT_NEAR(s.endPoint().y, b.y, tol);
}

const G_POINT& StoredAt(const geolist_ref& r, short i, short slot) { return r.body()->items[i].stored[slot]; }

// The pieces of r, in order, with the x of their two ends.
void ExpectPiecesAlongX(const geolist_ref& r, std::initializer_list<std::array<double, 2>> ends)
{
    ASSERT_EQ(r.count(), static_cast<int>(ends.size()));
    short i = 0;
    for (const auto& [from, to] : ends) {
        EXPECT_NEAR(StoredAt(r, i, 0).x, from, 1e-9);
        EXPECT_NEAR(StoredAt(r, i, 1).x, to, 1e-9);
        ++i;
    }
}

TEST_F(SegmentTest, TwoPointConstructorAndFlags)
{
    const segment tiny(point(0, 0), point(0.005, 0.003));
    EXPECT_EQ(GeoError(), 1);
    EXPECT_TRUE(tiny.IsVertical());
    EXPECT_TRUE(tiny.IsHorisontal());
    GeoError() = 0;
    const segment flat(point(0, 0), point(10, 0.005));
    EXPECT_EQ(GeoError(), 0);
    EXPECT_TRUE(flat.IsHorisontal());
    EXPECT_FALSE(flat.IsVertical());
}

TEST_F(SegmentTest, FrameUnionLengthAndPoints)
{
    segment frame(point(0, 0), point(2, 1));
    frame += segment(point(5, -1), point(3, 4));
    ExpectEnds(frame, {0, -1}, {5, 4});
    const segment s(point(0, 0), point(3, 4));
    EXPECT_EQ(s.length(), 5.0f);
    EXPECT_DOUBLE_EQ(s.middle().x(), 1.5);
    EXPECT_DOUBLE_EQ(s(0.25).y(), 1.0);
    ExpectEnds(s.frame(), {0, 0}, {3, 4});
    const segment chord(arc(ARC{{1, 1}, 2, 0.0, 3.14159265358979323846 / 2}));
    ExpectEnds(chord, {3, 1}, {1, 3});
}

TEST_F(SegmentTest, Comparisons)
{
    const segment s(point(0, 0), point(10, 0));
    EXPECT_EQ(s == segment(point(0.009, 0), point(10, -0.009)), 1);
    EXPECT_EQ(s != segment(point(0.009, 0), point(10, -0.009)), 0);
    EXPECT_EQ(s == segment(point(0.02, 0), point(10, 0)), 0);
    EXPECT_EQ(s == point(5, 0.005), 1);
    EXPECT_EQ(s == point(5, 1), 0);
    const geobject& base = s;
    EXPECT_EQ(base == point(5, 0), 1);  // slot 0: segment with a point
}

TEST_F(SegmentTest, IsHitAtTheTolerance)
{
    const segment s(point(0, 0), point(100, 0));
    struct Case {
        double x, y;
        bool hit;
    };
    const Case cases[] = {
        {50, 4, true}, {50, 4.9, true},  // the offset is truncated to 4
        {50, 5, false}, {104, 0, true},  {105, 0, false}, {-4, 0, true}, {-5, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        EXPECT_EQ(s.IsHit(point(c.x, c.y), 9), c.hit);
    }
    const segment up(point(0, 0), point(0, 100));
    EXPECT_TRUE(up.IsHit(point(4, 50), 9));
    EXPECT_FALSE(up.IsHit(point(5, 50), 9));
    EXPECT_TRUE(up.IsHit(point(0, 104), 9));
    EXPECT_FALSE(up.IsHit(point(0, 105), 9));
    const segment diagonal(point(0, 0), point(100, 100));
    EXPECT_TRUE(diagonal.IsHit(point(50, 53), 9));
    EXPECT_TRUE(diagonal.IsHit(point(50, 58), 9));   // the corner of the pick square reaches the line
    EXPECT_FALSE(diagonal.IsHit(point(50, 60), 9));
    EXPECT_FALSE(diagonal.IsHit(point(106, 106), 9));
}

TEST_F(SegmentTest, IsHitWithTheNearestPoint)
{
    const segment s(point(0, 0), point(10, 0));
    double dist = 0;
    point nearest;
    EXPECT_FALSE(s.IsHit(point(15, 3), 1, dist, nearest));
    EXPECT_DOUBLE_EQ(nearest.x(), 10.0);
    EXPECT_DOUBLE_EQ(nearest.y(), 0.0);
    EXPECT_DOUBLE_EQ(dist, std::sqrt(34.0));
    EXPECT_FALSE(s.IsHit(point(5, 3), 1, dist, nearest));
    EXPECT_DOUBLE_EQ(nearest.x(), 5.0);
    EXPECT_DOUBLE_EQ(dist, 3.0);
    EXPECT_TRUE(s.IsHit(point(5, 0.3), 1, dist, nearest));
    EXPECT_DOUBLE_EQ(dist, 0.5);
    EXPECT_DOUBLE_EQ(nearest.y(), 0.3);
}

TEST_F(SegmentTest, ClosestPoint)
{
    const segment s(point(0, 0), point(10, 10));
    G_POINT c = s.GetClosestPoint({0, 10});
    EXPECT_NEAR(c.x, 5, 1e-9);
    EXPECT_NEAR(c.y, 5, 1e-9);
    c = s.GetClosestPoint({20, 20});
    EXPECT_NEAR(c.x, 10, 1e-9);
    EXPECT_NEAR(c.y, 10, 1e-9);
    c = segment(point(0, 0), point(0, 10)).GetClosestPoint({3, 12});
    EXPECT_DOUBLE_EQ(c.x, 0);
    EXPECT_DOUBLE_EQ(c.y, 10);
    // The virtual slot keeps answering the origin.
    const geobject& base = s;
    c = base.GetClosestPoint({20, 20});
    EXPECT_DOUBLE_EQ(c.x, 0);
}

TEST_F(SegmentTest, Transforms)
{
    segment s(point(0, 0), point(10, 0));
    s.offset(2);  // to the right of the direction
    ExpectEnds(s, {0, -2}, {10, -2});
    s.move(1, 2);
    ExpectEnds(s, {1, 0}, {11, 0});
    s.move(point(1, 0));
    ExpectEnds(s, {0, 0}, {10, 0});
    s.rotate(point(0, 0), 3.14159265358979323846 / 2);
    ExpectEnds(s, {0, 0}, {0, 10});
    EXPECT_TRUE(s.IsVertical());
    s.scale(2, 3);
    ExpectEnds(s, {0, 0}, {0, 30});
    s.mirror(point(1, 0));
    ExpectEnds(s, {2, 0}, {2, -30});
    s.mirror(point(0, 0), point(1, 0));
    ExpectEnds(s, {2, 0}, {2, 30});
    s.move(angle(90.0), 1);
    ExpectEnds(s, {2, 1}, {2, 31});
}

TEST_F(SegmentTest, ClippingAgainstACircle)
{
    segment s(point(-2, 0), point(2, 0));
    const circle unit(1.0, point(0, 0));
    const geolist_ref inside = s << unit;
    ExpectPiecesAlongX(inside, {{-1, 1}});
    EXPECT_EQ(inside.type(0), 10);
    ExpectPiecesAlongX(s >> unit, {{-2, -1}, {1, 2}});
    // Points, angles and lines give no pieces.
    EXPECT_EQ((s << line(0.0, 0.5)).count(), 0);
}

TEST_F(SegmentTest, ClippingAgainstAPolygon)
{
    polygon square(2.0);  // closed, half-side 2 about the origin
    segment s(point(-5, 0), point(5, 0));
    ExpectPiecesAlongX(s << square, {{-2, 2}});
    ExpectPiecesAlongX(s >> square, {{-5, -2}, {2, 5}});
    segment apart(point(3, 3), point(5, 5));
    EXPECT_EQ((apart << square).count(), 0);
    ASSERT_EQ((apart >> square).count(), 1);
}

TEST_F(SegmentTest, Crossings)
{
    const segment s(point(-2, 0), point(2, 0));
    const geolist_ref c = s % circle(1.0, point(0, 0));
    ASSERT_EQ(c.count(), 2);
    EXPECT_EQ(c.type(0), 4);
    EXPECT_NEAR(StoredAt(c, 0, 0).x, -1, 1e-9);
    EXPECT_NEAR(StoredAt(c, 1, 0).x, 1, 1e-9);
    EXPECT_EQ((s % line(GEO_VERTICAL, 0.5)).count(), 1);
    EXPECT_EQ((s % segment(point(0, -1), point(0, 1))).count(), 1);
    EXPECT_EQ((s % point(0, 0)).count(), 0);
}

TEST_F(SegmentTest, CrossingsWithRaysAndArcs)
{
    const segment s(point(-2, 0), point(2, 0));
    const geolist_ref up = s % ray(G_POINT{1, -3}, 3.14159265358979323846 / 2);
    ASSERT_EQ(up.count(), 1);
    EXPECT_NEAR(StoredAt(up, 0, 0).x, 1, 1e-9);
    EXPECT_EQ((s % ray(G_POINT{1, -3}, -3.14159265358979323846 / 2)).count(), 0);  // behind the origin
    EXPECT_EQ((s % ray(G_POINT{5, -3}, 3.14159265358979323846 / 2)).count(), 0);   // beyond the end
    const arc upper(ARC{{0, -0.5}, 1, 0.0, 3.14159265358979323846});
    const geolist_ref cut = s % upper;
    ASSERT_EQ(cut.count(), 2);
    EXPECT_LT(StoredAt(cut, 0, 0).x, StoredAt(cut, 1, 0).x);  // in order along the segment
    // A segment that only touches an arc: no crossing.
    const segment touching(point(-2, 0.5), point(2, 0.5));
    EXPECT_EQ((touching % upper).count(), 0);
}

TEST_F(SegmentTest, Containment)
{
    const segment s(point(0, 0), point(1, 0));
    const circle big(5.0, point(0, 0));
    EXPECT_TRUE(s < big);
    EXPECT_FALSE(s > big);
    EXPECT_EQ(GeoTouchMode(), 1);
    EXPECT_FALSE(s < line(0.0, 3.0));
    EXPECT_FALSE(s > line(0.0, 3.0));
    const segment far(point(10, 0), point(11, 0));
    EXPECT_TRUE(far > big);
    EXPECT_FALSE(far < big);
    GeoTouchMode() = 0;
    EXPECT_FALSE(segment(point(-6, 0), point(6, 0)) > big);  // crosses
    EXPECT_EQ(GeoTouchMode(), 1);
    EXPECT_TRUE(segment(point(1, 0), point(2, 0)) < segment(point(0, 0), point(5, 0)));
    // Against a polygon: the midpoint decides when nothing crosses.
    polygon square(2.0);
    EXPECT_TRUE(segment(point(-1, -1), point(1, 1)) < square);
    EXPECT_FALSE(segment(point(-1, -1), point(1, 1)) > square);
    EXPECT_TRUE(segment(point(3, 3), point(5, 3)) > square);
    EXPECT_FALSE(segment(point(0, 0), point(5, 0)) < square);  // crosses the side x = 2
    EXPECT_FALSE(segment(point(0, 0), point(5, 0)) > square);
    EXPECT_FALSE(s < ray(G_POINT{0, 0}, 0.0));  // a ray has no inside
}

// ---- construction from lists -------------------------------------------------------------

TEST_F(SegmentTest, ShiftedConstructions)
{
    segment S(point(0, 0), point(10, 0));
    segment r;
    EXPECT_TRUE(r = (S & 2.0 & "RIGHT"));
    ExpectEnds(r, {0, 2}, {10, 2});
    EXPECT_TRUE(r = (S & 2.0 & "LEFT"));
    ExpectEnds(r, {0, -2}, {10, -2});
    point below(5, -1);
    EXPECT_TRUE(r = (S & below & 2.0));
    ExpectEnds(r, {0, -2}, {10, -2});
    point above(5, 1);
    EXPECT_TRUE(r = (S & above & 2.0));
    ExpectEnds(r, {0, 2}, {10, 2});
    EXPECT_TRUE(r = (S & 3.0));
    ExpectEnds(r, {0, -3}, {10, -3});
    point P(1, 1);
    EXPECT_TRUE(r = (S & P));
    ExpectEnds(r, {1, 1}, {11, 1});
}

TEST_F(SegmentTest, PointConstructions)
{
    point P(1, 1);
    point R(4, 5);
    segment r;
    EXPECT_TRUE(r = (P & R));
    ExpectEnds(r, {1, 1}, {4, 5});
    point same(1.005, 1.0);
    EXPECT_FALSE(r = (P & same));
    EXPECT_EQ(GeoError(), 1);
    ExpectEnds(r, {1, 1}, {4, 5});
    const angle up(90.0);
    EXPECT_TRUE(r = (P & up & 3.0));
    ExpectEnds(r, {1, 1}, {1, 4});
    EXPECT_FALSE(r = (P & up & 0.01));
    EXPECT_EQ(GeoError(), 2);
    const line diagonal(1.0, 0.0);
    point mid(2, 2);
    EXPECT_TRUE(r = (diagonal & mid & 2.0));
    const double h = std::sqrt(0.5);
    ExpectEnds(r, {2 + h, 2 + h}, {2 - h, 2 - h});
    EXPECT_FALSE(r = (P & R & R));
    EXPECT_EQ(GeoError(), 3);
}

TEST_F(SegmentTest, PolygonSideConstructions)
{
    polygon square(2.0);  // (2,2) (2,-2) (-2,-2) (-2,2) (2,2)
    segment r;
    EXPECT_TRUE(r = (square & 1.0));
    ExpectEnds(r, {2, -2}, {-2, -2});
    point nearLeft(-2.5, 0);
    EXPECT_TRUE(r = (square & nearLeft));
    ExpectEnds(r, {-2, -2}, {-2, 2});
    // A side that does not exist: error 1, segment unchanged.
    EXPECT_FALSE(r = (square & 4.0));
    EXPECT_EQ(GeoError(), 1);
    ExpectEnds(r, {-2, -2}, {-2, 2});
    EXPECT_FALSE(r = (square & -1.0));
    EXPECT_EQ(GeoError(), 1);
    EXPECT_TRUE(r = square);
    ExpectEnds(r, {2, 2}, {2, -2});
}

TEST_F(SegmentTest, TangentFromAPoint)
{
    circle C(1.0, point(0, 0));
    point P(0, 2);
    const double x = std::sqrt(3.0) / 2;
    point right(5, 0);
    segment r;
    EXPECT_TRUE(r = (C & P & right));
    ExpectEnds(r, {0, 2}, {x, 0.5}, 1e-6);
    point left(-5, 0);
    EXPECT_TRUE(r = (C & P & left));
    ExpectEnds(r, {0, 2}, {-x, 0.5}, 1e-6);
    // Looking from P towards the centre (downwards), left is +x.
    EXPECT_TRUE(r = (C & P & "LEFT"));
    ExpectEnds(r, {0, 2}, {x, 0.5}, 1e-6);
    EXPECT_TRUE(r = (C & P & "RIGHT"));
    ExpectEnds(r, {0, 2}, {-x, 0.5}, 1e-6);
    point inside(0, 0.5);
    EXPECT_FALSE(r = (C & inside & "LEFT"));
    EXPECT_EQ(GeoError(), 1);
}

TEST_F(SegmentTest, CommonTangents)
{
    circle C(1.0, point(0, 0));
    circle D(1.0, point(10, 0));
    segment r;
    point high(5, 5);
    EXPECT_TRUE(r = (C & D & high));
    EXPECT_NEAR(r.startPoint().y, 1, 1e-6);
    EXPECT_NEAR(r.endPoint().y, 1, 1e-6);
    point low(5, -5);
    EXPECT_TRUE(r = (C & D & low & "OUTSIDE"));
    EXPECT_NEAR(r.startPoint().y, -1, 1e-6);
    EXPECT_TRUE(r = (C & D & "OUTSIDE" & "LEFT"));
    EXPECT_NEAR(r.startPoint().y, 1, 1e-6);  // left of the centre line C -> D
    EXPECT_TRUE(r = (C & D & "OUTSIDE" & "RIGHT"));
    EXPECT_NEAR(r.startPoint().y, -1, 1e-6);
    EXPECT_TRUE(r = (C & D & high & "INSIDE"));
    EXPECT_NEAR(r.startPoint().x + r.endPoint().x, 10, 1e-6);  // an inner tangent crosses the middle
    EXPECT_NEAR(r.startPoint().y, -r.endPoint().y, 1e-6);
}

TEST_F(SegmentTest, CommonTangentsOfTouchingCircles)
{
    // Touching from outside (k = 5): the touching point comes first, every
    // tangent index is one higher.
    circle C(1.0, point(0, 0));
    circle D(1.0, point(2, 0));
    segment r;
    point high(1, 5);
    EXPECT_TRUE(r = (C & D & high));
    ExpectEnds(r, {0, 1}, {2, 1}, 1e-6);
    EXPECT_TRUE(r = (C & D & "OUTSIDE" & "RIGHT"));
    ExpectEnds(r, {0, -1}, {2, -1}, 1e-6);
    // No inner tangents there.
    EXPECT_FALSE(r = (C & D & high & "INSIDE"));
    EXPECT_EQ(GeoError(), 1);
    ExpectEnds(r, {0, -1}, {2, -1}, 1e-6);
    // Touching from inside (k = 1): no tangent piece at all.
    circle big(2.0, point(1, 0));
    EXPECT_FALSE(r = (C & big & high));
    EXPECT_EQ(GeoError(), 1);
    EXPECT_FALSE(r = (C & big & "OUTSIDE" & "LEFT"));
    EXPECT_EQ(GeoError(), 1);
    ExpectEnds(r, {0, -1}, {2, -1}, 1e-6);
}

TEST_F(SegmentTest, ShiftingADegenerateSegmentFails)
{
    segment dot(point(1, 1), point(1.0005, 1));
    GeoError() = 0;
    segment r(point(7, 7), point(8, 8));
    point P(0, 0);
    EXPECT_FALSE(r = (dot & P));
    EXPECT_EQ(GeoError(), 2);
    EXPECT_FALSE(r = (dot & 2.0));
    EXPECT_EQ(GeoError(), 2);
    EXPECT_FALSE(r = (dot & 2.0 & "RIGHT"));
    EXPECT_EQ(GeoError(), 2);
    ExpectEnds(r, {7, 7}, {8, 8});
}

TEST_F(SegmentTest, CommonTangentFailuresLeaveTheSegment)
{
    circle C(1.0, point(0, 0));
    circle crossing(1.0, point(1, 0));  // crossing circles: outer tangents only
    segment r(point(7, 7), point(8, 8));
    point P(0, 5);
    EXPECT_FALSE(r = (C & crossing & P & "INSIDE"));
    EXPECT_EQ(GeoError(), 1);
    ExpectEnds(r, {7, 7}, {8, 8});
    EXPECT_FALSE(r = (C & crossing & "LEFT" & "RIGHT"));
    EXPECT_EQ(GeoError(), 1);
    ExpectEnds(r, {7, 7}, {8, 8});
    EXPECT_TRUE(r = (C & crossing & P));  // outer tangents exist
    circle nested(3.0, point(0.5, 0));
    EXPECT_FALSE(r = (C & nested & P));
    EXPECT_EQ(GeoError(), 1);
    // Two circles followed by items no construction takes.
    segment kept(point(7, 7), point(8, 8));
    EXPECT_FALSE(kept = (C & crossing & 1.0 & 2.0));
    EXPECT_EQ(GeoError(), 3);
    ExpectEnds(kept, {7, 7}, {8, 8});
    EXPECT_FALSE(kept = (C & crossing & P & 2.0));
    EXPECT_EQ(GeoError(), 3);
}

TEST_F(SegmentTest, ItemsAndResultLists)
{
    segment s(point(-2, 0), point(2, 0));
    const geolist_ref pieces = s >> circle(1.0, point(0, 0));
    const segment stored(pieces[1]);
    ExpectEnds(stored, {1, 0}, {2, 0});
    EXPECT_EQ(GeoError(), 0);
    const geolist_ref points = s % circle(1.0, point(0, 0));
    const OverPattern<segment> wrong(points[0]);
    EXPECT_EQ(GeoError(), 1);
    ExpectEnds(*wrong, {0, 0}, {0, 0});  // defined, not left over
    EXPECT_FALSE((*wrong).IsVertical());
    EXPECT_FALSE((*wrong).IsHorisontal());
    EXPECT_EQ((*wrong).typecode(), 10);
    GeoError() = 0;
    segment kept(point(5, 5), point(6, 6));
    EXPECT_FALSE(kept = points[0]);
    ExpectEnds(kept, {5, 5}, {6, 6});
    EXPECT_TRUE(kept = pieces[0]);
    ExpectEnds(kept, {-2, 0}, {-1, 0});
    // Crossings with a whole list: its objects and its stored pieces.
    const segment up(point(0, -5), point(0, 5));
    const geolist_ref across = up % pieces;  // stored pieces lie on y = 0 beside x = 0
    EXPECT_EQ(across.count(), 0);
    const segment mid(point(1.5, -5), point(1.5, 5));
    EXPECT_EQ((mid % pieces).count(), 1);
    const circle c(1.0, point(0, 3));
    const line l(0.0, -2.0);
    const geolist objects = c & l;
    const geolist_ref all = up % objects;
    ASSERT_EQ(all.count(), 3);
    EXPECT_NEAR(StoredAt(all, 0, 0).y, -2, 1e-9);  // in order along the segment
    EXPECT_NEAR(StoredAt(all, 1, 0).y, 2, 1e-9);
    EXPECT_NEAR(StoredAt(all, 2, 0).y, 4, 1e-9);
}

TEST_F(SegmentTest, ThroughTheBaseSlotAListIsRefused)
{
    segment s(point(1, 1), point(2, 2));
    geobject& base = s;
    point P(5, 5);
    point R(6, 6);
    const geolist list = P & R;
    EXPECT_FALSE(base = list);
    ExpectEnds(s, {1, 1}, {2, 2});
}

} // namespace
