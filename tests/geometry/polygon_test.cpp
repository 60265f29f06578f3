// Polygon value class: the shared body, construction, editing, joining,
// comparison, transforms, crossings and containment.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "angle.h"
#include "circle.h"
#include "geolist.h"
#include "line.h"
#include "point.h"
#include "poly_member.h"
#include "polygon.h"
#include "polygon_fixtures.h"
#include "segment.h"
#include "settings.h"
#include "tessellation.h"

namespace {

// Restores every process-wide setting a test may touch.
class PolygonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        snap_ = GeoSnap();
        connect_ = GeoConnectMode();
        touch_ = GeoTouchMode();
        error_ = GeoError();
    }
    void TearDown() override
    {
        GeoSnap() = snap_;
        GeoConnectMode() = connect_;
        GeoTouchMode() = touch_;
        GeoError() = error_;
    }

private:
    double snap_ = 0;
    char connect_ = 0, touch_ = 0, error_ = 0;
};

// Clockwise unit square, closed.
polygon UnitSquare() { return FromPoints({{0, 0}, {0, 1}, {1, 1}, {1, 0}, {0, 0}}); }

void ExpectVertex(const polygon& pg, short i, double x, double y)
{
    EXPECT_NEAR(pg.get_vertex(i)->x, x, 1e-9) << "vertex " << i;
    EXPECT_NEAR(pg.get_vertex(i)->y, y, 1e-9) << "vertex " << i;
}

TEST_F(PolygonTest, ConstructorsGiveTheDocumentedVertices)
{
    polygon square(2.0);
    ASSERT_EQ(square.count(), 5);
    const double expected[5][2] = {{2, 2}, {2, -2}, {-2, -2}, {-2, 2}, {2, 2}};
    for (short i = 0; i < 5; ++i)
        ExpectVertex(square, i, expected[i][0], expected[i][1]);
    EXPECT_TRUE(square.closed());
    EXPECT_EQ(square.typecode(), GEO_POLYGON);

    polygon room(static_cast<short>(7));
    EXPECT_EQ(room.count(), 0);
    EXPECT_EQ(room.body()->capacity, 8);
    EXPECT_EQ(room.body()->references, 1);

    polygon side(segment(point(1, 2), point(3, 4)));
    ASSERT_EQ(side.count(), 2);
    EXPECT_EQ(side.body()->capacity, 3);
    ExpectVertex(side, 0, 1, 2);
    ExpectVertex(side, 1, 3, 4);

    polygon rect(point(0, 0), point(2, 3));
    ASSERT_EQ(rect.count(), 5);
    ExpectVertex(rect, 1, 0, 3);
    ExpectVertex(rect, 2, 2, 3);
    ExpectVertex(rect, 3, 2, 0);
}

TEST_F(PolygonTest, BandAboutALineEndsOnTheClosersBySlope)
{
    struct Case {
        double slope;
        bool horizontalClosers;  // ends at y = +-100000
    } cases[] = {{2.0, true}, {-2.0, false}, {0.5, false}, {GEO_VERTICAL, true}};
    for (const Case& c : cases) {
        line l(c.slope, 0.0);
        polygon band(l, 1.0);
        ASSERT_EQ(band.count(), 5) << c.slope;
        EXPECT_TRUE(band.closed());
        for (short i = 0; i < 4; ++i) {
            const G_POINT& v = *band.get_vertex(i);
            const double end = c.horizontalClosers ? std::fabs(v.y) : std::fabs(v.x);
            EXPECT_NEAR(end, 100000.0, 1e-6) << c.slope << " vertex " << i;
        }
        // Vertices 0 and 3 lie on the +100000 closer, 1 and 2 on -100000.
        const double v0 = c.horizontalClosers ? band.get_vertex(0)->y : band.get_vertex(0)->x;
        EXPECT_GT(v0, 0) << c.slope;
    }
}

TEST_F(PolygonTest, RingAboutACircle)
{
    circle c(point(1, 1), 5.0);
    GeoError() = 0;
    polygon ring(c, 1.0);
    EXPECT_EQ(GeoError(), 0);  // one outline: the outer ring, a slit, the inner ring
    polygon outer(circle(point(1, 1), 6.0)), inner(circle(point(1, 1), 4.0));
    EXPECT_TRUE(ring.closed());
    EXPECT_EQ(ring.count(), outer.count() + inner.count() + 1);
    EXPECT_NEAR(ring.area(), outer.area() - inner.area(), 1e-9);
    // A point between the circles lies inside the ring, the centre does not.
    polygon probe = FromPoints({{1, 5.9}, {1.1, 5.9}, {1.1, 5.8}, {1, 5.8}, {1, 5.9}});
    EXPECT_TRUE(probe < ring);
    polygon centre = FromPoints({{1, 1}, {1, 1.1}, {1.1, 1.1}, {1.1, 1}, {1, 1}});
    EXPECT_TRUE(centre > ring);
}

TEST_F(PolygonTest, CopiesShareTheBodyUntilCopyingOperations)
{
    polygon a = UnitSquare();
    polygon b(a);
    EXPECT_EQ(a.body(), b.body());
    EXPECT_EQ(a.body()->references, 2);

    b.move(1.0, 0.0);  // in place: both see it
    ExpectVertex(a, 0, 1, 0);

    polygon c(a);
    c.clear();  // takes a body of its own
    EXPECT_EQ(c.count(), 0);
    EXPECT_EQ(a.count(), 5);
    EXPECT_EQ(c.body()->references, 1);

    polygon d(a);
    d = polygon(3.0);  // copy assignment leaves the others alone
    EXPECT_NE(d.body(), a.body());
    ExpectVertex(a, 0, 1, 0);
    ExpectVertex(d, 0, 3, 3);
    EXPECT_EQ(a.body()->references, 2);  // a and b

    a.insert(1, point(5, 5));  // in place again
    EXPECT_EQ(b.count(), 6);
}

TEST_F(PolygonTest, BorrowedBodyIsCopiedBeforeGrowth)
{
    G_POINT vertices[3] = {{0, 0}, {1, 0}, {1, 1}};
    POLY record{3, 3, vertices, 1, false};
    {
        polygon view(record);
        EXPECT_EQ(view.body()->references, 2);
        EXPECT_EQ(view.get_vertex(0), &vertices[0]);
        view.move(1.0, 1.0);  // edits in place write the caller's array
        EXPECT_DOUBLE_EQ(vertices[0].x, 1.0);
        view + point(9, 9);  // growth: the caller's array stays as it was
        EXPECT_NE(view.get_vertex(0), &vertices[0]);
        EXPECT_EQ(view.count(), 4);
        ExpectVertex(view, 3, 9, 9);
        EXPECT_EQ(view.body()->references, 1);
    }
    EXPECT_DOUBLE_EQ(vertices[2].y, 2.0);
    EXPECT_EQ(record.count, 3);
    {
        polygon view(record);
        polygon other(view);
        other.clear();  // shared: takes its own body, the borrowed one stays
        EXPECT_EQ(view.count(), 3);
    }
}

TEST_F(PolygonTest, ReserveEmptiesOnlyWhenGrowing)
{
    polygon pg = UnitSquare();
    EXPECT_TRUE(pg.reserve(3));  // room enough: nothing happens
    EXPECT_EQ(pg.count(), 5);
    polygon shared(pg);
    EXPECT_TRUE(pg.reserve(40));
    EXPECT_EQ(pg.count(), 0);
    EXPECT_EQ(pg.body()->capacity, 40);
    EXPECT_NE(pg.body(), shared.body());
    EXPECT_EQ(shared.count(), 5);
}

TEST_F(PolygonTest, RigidTransformOfEveryVertex)
{
    polygon pg = FromPoints({{1, 0}, {2, 0}});
    // Turn a quarter about the origin, then move the origin to (10, 0).
    const point::TRANSFORM t(point(10, 0), point(0, 0), 0.0, 1.0);
    pg.transform(t);
    G_POINT expected[2] = {{1, 0}, {2, 0}};
    for (G_POINT& e : expected)
        t.Transform(&e);
    ExpectVertex(pg, 0, expected[0].x, expected[0].y);
    ExpectVertex(pg, 1, expected[1].x, expected[1].y);
}

TEST_F(PolygonTest, AppendingListItems)
{
    polygon pg = FromPoints({{0, 0}, {1, 0}});
    point p(5, 5);
    geolist items(p);
    pg + items[0];
    ASSERT_EQ(pg.count(), 3);
    ExpectVertex(pg, 2, 5, 5);
    segment s(point(5, 5), point(6, 6));
    geolist sides(s);
    pg + sides[0];
    ASSERT_EQ(pg.count(), 4);
    ExpectVertex(pg, 3, 6, 6);
    GeoError() = 0;
    line l(1.0, 0.0);
    geolist other(l);
    pg + other[0];
    EXPECT_EQ(GeoError(), 3);
}

TEST_F(PolygonTest, CloseAndClosed)
{
    polygon two = FromPoints({{0, 0}, {1, 0}});
    EXPECT_EQ(two.close(), 2);
    polygon ring = UnitSquare();
    EXPECT_EQ(ring.close(), 5);
    polygon open = FromPoints({{0, 0}, {0, 1}, {1, 1}});
    EXPECT_FALSE(open.closed());
    EXPECT_EQ(open.close(), 4);
    EXPECT_TRUE(open.closed());
    ExpectVertex(open, 3, 0, 0);
}

TEST_F(PolygonTest, InsertRemoveIndexAndRanges)
{
    polygon pg = FromPoints({{0, 0}, {1, 0}, {2, 0}});
    EXPECT_FALSE(pg.insert(-1, point(5, 5)));
    EXPECT_FALSE(pg.insert(4, point(5, 5)));
    EXPECT_TRUE(pg.insert(1, point(0.5, 0.5)));
    ExpectVertex(pg, 1, 0.5, 0.5);
    ExpectVertex(pg, 2, 1, 0);
    EXPECT_TRUE(pg.insert(4, point(3, 0)));  // at the count: appends
    EXPECT_EQ(pg.count(), 5);
    EXPECT_FALSE(pg.remove(5));
    EXPECT_FALSE(pg.remove(-1));
    EXPECT_TRUE(pg.remove(1));
    ExpectVertex(pg, 1, 1, 0);
    EXPECT_EQ(pg.index(point(2.005, 0)), 2);
    EXPECT_EQ(pg.index(point(7, 7)), -1);
    EXPECT_EQ(polygon().index(point(0, 0)), -1);
}

TEST_F(PolygonTest, SidesAndViewsOnEmptyPolygonsAndNegativeIndices)
{
    polygon empty;
    const segment none = empty.getSide(3);
    EXPECT_DOUBLE_EQ(none.length(), 0.0f);
    EXPECT_EQ(empty[0].kind(), 0);

    polygon pg = UnitSquare();
    const segment last = pg.getSide(-1);  // true modulo: side 4 of 5 vertices
    EXPECT_DOUBLE_EQ(last.startPoint().x, 0.0);
    EXPECT_DOUBLE_EQ(last.startPoint().y, 0.0);
    EXPECT_DOUBLE_EQ(last.endPoint().y, 0.0);
    const segment before = pg.getSide(-2);  // side 3: (1,0) to the closing (0,0)
    EXPECT_DOUBLE_EQ(before.startPoint().x, 1.0);
    EXPECT_DOUBLE_EQ(before.endPoint().x, 0.0);
    const segment wrapped = pg.getSide(7);  // 7 mod 5: (1,1) to (1,0)
    EXPECT_DOUBLE_EQ(wrapped.startPoint().y, 1.0);
    EXPECT_DOUBLE_EQ(wrapped.endPoint().y, 0.0);
    EXPECT_EQ(pg[-1].kind(), 0);
    EXPECT_EQ(pg[5].kind(), 0);
    EXPECT_EQ(pg[2].kind(), GEO_POLYGON);
}

TEST_F(PolygonTest, JoiningRunsEndToEnd)
{
    struct Case {
        std::vector<G_POINT> b;
        std::vector<G_POINT> joined;
    } cases[] = {
        {{{2, 0}, {3, 0}}, {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},   // last-first: 6
        {{{3, 0}, {2, 0}}, {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},   // last-last: 10
        {{{0, 0}, {-1, 0}}, {{-1, 0}, {0, 0}, {1, 0}, {2, 0}}}, // first-first: 5
        {{{-1, 0}, {0, 0}}, {{-1, 0}, {0, 0}, {1, 0}, {2, 0}}}, // first-last: 9
    };
    for (const Case& c : cases) {
        polygon a = FromPoints({{0, 0}, {1, 0}, {2, 0}});
        GeoError() = 0;
        a + FromPoints(c.b);
        EXPECT_EQ(GeoError(), 0);
        ASSERT_EQ(a.count(), static_cast<short>(c.joined.size()));
        for (short i = 0; i < a.count(); ++i)
            ExpectVertex(a, i, c.joined[i].x, c.joined[i].y);
    }
}

TEST_F(PolygonTest, JoiningRunsThatDoNotMeet)
{
    polygon a = FromPoints({{0, 0}, {1, 0}});
    GeoError() = 0;
    a + FromPoints({{5, 5}, {6, 6}});
    EXPECT_EQ(GeoError(), 1);
    EXPECT_EQ(a.count(), 2);

    GeoConnectMode() = 1;  // the nearest ends join: a's last and b's first
    GeoError() = 0;
    a + FromPoints({{1.5, 0}, {3, 0}});
    EXPECT_EQ(GeoError(), 0);
    ASSERT_EQ(a.count(), 3);
    ExpectVertex(a, 2, 3, 0);

    // Joined to itself through a copy: last meets last (mode 10), so the run
    // walks back to its start.
    GeoConnectMode() = 0;
    polygon self = FromPoints({{0, 0}, {1, 0}});
    self + self;
    ASSERT_EQ(self.count(), 3);
    ExpectVertex(self, 2, 0, 0);
}

TEST_F(PolygonTest, PieceJoinModeAndAppendPiece)
{
    const G_POINT a0{0, 0}, a1{1, 0}, b0{1, 0}, b1{2, 0};
    EXPECT_EQ(PieceJoinMode(a0, a1, b0, b1), 6);
    EXPECT_EQ(PieceJoinMode(a0, a1, b1, b0), 10);
    EXPECT_EQ(PieceJoinMode(a1, a0, b1, b0), 9);
    EXPECT_EQ(PieceJoinMode(a1, a0, b0, b1), 5);
    GeoConnectMode() = 0;
    EXPECT_EQ(PieceJoinMode(a0, a0, b1, b1), 0);

    G_POINT dst[5] = {{0, 0}, {1, 0}};
    const G_POINT src[3] = {{3, 0}, {2, 0}, {1, 0}};
    EXPECT_EQ(AppendPiece(dst, 2, src, 3, 10), 2);
    EXPECT_DOUBLE_EQ(dst[2].x, 2.0);
    EXPECT_DOUBLE_EQ(dst[3].x, 3.0);
}

TEST_F(PolygonTest, EqualityIsTheSameRingFromTheSameStart)
{
    polygon a = UnitSquare();
    polygon same = FromPoints({{0, 0}, {0, 1.005}, {1, 1}, {1, 0}, {0, 0}});
    polygon backwards = FromPoints({{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}});
    polygon rotatedStart = FromPoints({{0, 1}, {1, 1}, {1, 0}, {0, 0}, {0, 1}});
    EXPECT_TRUE(a == same);
    EXPECT_TRUE(a == backwards);
    EXPECT_FALSE(a == rotatedStart);
    EXPECT_TRUE(a != rotatedStart);
    EXPECT_FALSE(polygon() == polygon());
}

TEST_F(PolygonTest, AssignmentFromListsOfPointsAndOthers)
{
    point p1(0, 0), p2(4, 0), p3(4, 3);
    polygon pg;
    EXPECT_TRUE(pg = (p1 & p2 & p3));
    ASSERT_EQ(pg.count(), 3);
    EXPECT_EQ(pg.body()->capacity, 4);
    ExpectVertex(pg, 2, 4, 3);

    polygon rect;
    EXPECT_TRUE(rect = (p1 & p3));
    EXPECT_EQ(rect.count(), 5);
    EXPECT_NEAR(rect.area(), 12.0, 1e-9);

    polygon bad;
    line l(1.0, 0.0);
    EXPECT_FALSE(bad = (l & p1));
    EXPECT_EQ(GeoError(), 3);

    polygon src(1.0);
    polygon grown;
    EXPECT_TRUE(grown = (src & 1.0));
    ASSERT_EQ(grown.count(), 5);
    EXPECT_NEAR(grown.area(), 16.0, 1e-6);
}

TEST_F(PolygonTest, TransformsActOnEveryVertex)
{
    polygon pg = FromPoints({{1, 0}, {2, 0}});
    pg.rotate(point(0, 0), 3.14159265358979323846 / 2);
    ExpectVertex(pg, 0, 0, 1);
    ExpectVertex(pg, 1, 0, 2);
    pg.mirror(point(0, 0));
    ExpectVertex(pg, 1, 0, -2);
    pg.mirror(line(0.0, 1.0));  // y = 1
    ExpectVertex(pg, 1, 0, 4);
    pg.mirror(line(1.0, 0.0));  // y = x
    ExpectVertex(pg, 1, 4, 0);
    pg.mirror(line(GEO_VERTICAL, 1.0));  // x = 1
    ExpectVertex(pg, 1, -2, 0);
    pg.scale(2.0, 3.0);
    ExpectVertex(pg, 1, -4, 0);
    pg.move(point(1, 1));
    ExpectVertex(pg, 1, -5, -1);
    pg.move(angle(90.0), 2.0);
    ExpectVertex(pg, 1, -5, 1);
}

TEST_F(PolygonTest, CrossingsAndContainment)
{
    polygon square = FromPoints({{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}});
    segment through(point(-5, 5), point(15, 5));
    geolist_ref hits = square % through;
    EXPECT_EQ(hits.count(), 2);
    EXPECT_EQ(GeoTouchMode(), 1);
    EXPECT_EQ((square % point(1, 1)).count(), 0);

    polygon inner = FromPoints({{2, 2}, {2, 4}, {4, 4}, {4, 2}, {2, 2}});
    polygon far = FromPoints({{20, 2}, {20, 4}, {24, 4}, {24, 2}, {20, 2}});
    polygon crossing = FromPoints({{5, 5}, {5, 15}, {15, 15}, {15, 5}, {5, 5}});
    EXPECT_TRUE(inner < square);
    EXPECT_FALSE(inner > square);
    EXPECT_TRUE(far > square);
    EXPECT_FALSE(far < square);
    EXPECT_FALSE(crossing < square);
    EXPECT_FALSE(crossing > square);
    EXPECT_FALSE(inner < line(1.0, 0.0));
    EXPECT_FALSE(polygon() < square);
}

TEST_F(PolygonTest, InsidePointFromOutsideAndFromTheOutline)
{
    polygon square = FromPoints({{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}});
    const point fromOutside = square.GetInsidePoint(point(-5, 5));
    // A wide span: 2 GeoSnap beyond the closest outline point (0, 5).
    EXPECT_NEAR(fromOutside.x(), 2 * GeoSnap(), 1e-9);
    EXPECT_NEAR(fromOutside.y(), 5.0, 1e-9);

    // A span narrower than 4 GeoSnap: half of it beyond the outline.
    const double width = 3 * GeoSnap();
    polygon sliver = FromPoints({{0, 0}, {0, 10}, {width, 10}, {width, 0}, {0, 0}});
    const point middle = sliver.GetInsidePoint(point(-5, 5));
    EXPECT_NEAR(middle.x(), width / 2, 1e-9);
    EXPECT_NEAR(middle.y(), 5.0, 1e-9);

    // On the outline the probe steps inward by 2 GeoSnap instead of dividing by 0.
    const point fromOutline = square.GetInsidePoint(point(5, 0));
    EXPECT_TRUE(std::isfinite(fromOutline.x()) && std::isfinite(fromOutline.y()));
    EXPECT_NEAR(fromOutline.x(), 5.0, 1e-9);
    EXPECT_NEAR(fromOutline.y(), 2 * GeoSnap(), 1e-9);
}

TEST_F(PolygonTest, AdjustCenterFindsALabelPointInside)
{
    // An L-shaped room.
    polygon room = FromPoints({{0, 0}, {0, 10}, {4, 10}, {4, 4}, {10, 4}, {10, 0}, {0, 0}});
    point p(1, 1);
    ASSERT_TRUE(room.AdjustCenter(p));
    EXPECT_TRUE(p.x() > 0 && p.x() < 10 && p.y() > 0 && p.y() < 10);
    EXPECT_FALSE(p.x() > 4 && p.y() > 4);  // not in the notch
    // Nearest corner (0,0): its neighbours are (0,10) and (10,0), the vertex
    // before the closing repeat, so e steps towards (5,5); the vertical line
    // through e spans y 0..10 and the chord at y = 5 runs from x 0 to 4.
    EXPECT_NEAR(p.x(), 2.0, 1e-9);
    EXPECT_NEAR(p.y(), 5.0, 1e-9);
    // Nearest corner (10,0): the vertical line spans y 0..4, the chord at
    // y = 2 runs from x 0 to 10.
    point r(9, 1);
    ASSERT_TRUE(room.AdjustCenter(r));
    EXPECT_NEAR(r.x(), 5.0, 1e-9);
    EXPECT_NEAR(r.y(), 2.0, 1e-9);

    point q(1, 1);
    EXPECT_FALSE(UnitSquare().AdjustCenter(q));  // fewer than 6 vertices
    EXPECT_DOUBLE_EQ(q.x(), 1.0);
}

TEST_F(PolygonTest, ItemConstructionSharesPolygonsAndCopiesRuns)
{
    polygon square = UnitSquare();
    geolist list(square);
    polygon viewed(list[0]);
    EXPECT_EQ(viewed.body(), square.body());

    polygon big(2.0), small(1.0);
    geolist_ref inside = small << big;
    ASSERT_EQ(inside.count(), 1);
    ASSERT_EQ(inside[0].type(), GEO_STORED_RUN);
    polygon fromRun(inside[0]);
    EXPECT_EQ(fromRun.count(), 5);
    EXPECT_NEAR(fromRun.area(), 4.0, 1e-9);
    EXPECT_NE(fromRun.body(), small.body());
}

}  // namespace
