// Clipping a polygon outline into the pieces inside (<<) and outside (>>)
// another object.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "circle.h"
#include "clipping.h"
#include "geolist.h"
#include "intersections.h"
#include "line.h"
#include "point.h"
#include "polygon.h"
#include "polygon_fixtures.h"
#include "segment.h"
#include "settings.h"

namespace {

class ClippingTest : public ::testing::Test {
protected:
    void SetUp() override { flag_ = ClipTouchFlag(); }
    void TearDown() override
    {
        ClipTouchFlag() = flag_;
        GeoInsertMode() = 0;
    }

private:
    char flag_ = 0;
};

TEST_F(ClippingTest, SquareInsideALargerSquare)
{
    const double snap = GeoSnap();
    polygon inner = Square(2, 2, 2);
    polygon outer = Square(0, 0, 10);
    GeoInsertMode() = 1;
    geolist_ref in = inner << outer;
    ASSERT_EQ(in.count(), 1);
    EXPECT_EQ(in[0].type(), GEO_STORED_RUN);
    const std::vector<G_POINT> run = PiecePoints(in[0]);
    ASSERT_EQ(run.size(), 5u);
    EXPECT_TRUE(in[0].closed());
    EXPECT_EQ((inner >> outer).count(), 0);
    EXPECT_EQ(GeoSnap(), snap);  // the GeoDif switch of each side is undone
    EXPECT_EQ(GeoInsertMode(), 0);
    EXPECT_EQ(CrossingStart(), 0);
    EXPECT_EQ(CrossingCapacity(), 0);
}

TEST_F(ClippingTest, SquareAgainstADisjointSquare)
{
    polygon a = Square(0, 0, 2);
    polygon b = Square(5, 5, 2);
    EXPECT_EQ((a << b).count(), 0);
    geolist_ref out = a >> b;
    ASSERT_EQ(out.count(), 1);
    EXPECT_EQ(PiecePoints(out[0]).size(), 5u);
}

TEST_F(ClippingTest, OverlappingSquaresSplitTheOutline)
{
    polygon a = Square(0, 0, 10);
    polygon b = Square(5, 5, 10);
    geolist_ref in = a << b;
    geolist_ref out = a >> b;
    ASSERT_EQ(in.count(), 1);
    ASSERT_EQ(out.count(), 1);
    EXPECT_NEAR(PiecesLength(in), 10.0, 1e-9);  // (5,10)-(10,10)-(10,5)
    EXPECT_NEAR(PiecesLength(out), 30.0, 1e-9);
    const std::vector<G_POINT> inside = PiecePoints(in[0]);
    ASSERT_EQ(inside.size(), 3u);
    EXPECT_NEAR(inside[1].x, 10.0, 1e-9);
    EXPECT_NEAR(inside[1].y, 10.0, 1e-9);
}

TEST_F(ClippingTest, SharedEdgesAreKeptByInsideAndDroppedByOutside)
{
    polygon a = Square(0, 0, 10);
    polygon b = Square(10, 0, 10);  // shares the side x = 10
    geolist_ref in = a << b;
    ASSERT_EQ(in.count(), 1);
    EXPECT_NEAR(PiecesLength(in), 10.0, 1e-9);
    const std::vector<G_POINT> edge = PiecePoints(in[0]);
    for (const G_POINT& p : edge)
        EXPECT_NEAR(p.x, 10.0, 1e-9);

    ClipTouchFlag() = 0;
    geolist_ref out = a >> b;
    EXPECT_NEAR(PiecesLength(out), 30.0, 1e-9);
    EXPECT_EQ(ClipTouchFlag(), 0);  // >> restores the flag
}

TEST_F(ClippingTest, SquareHalfInsideACircle)
{
    polygon square = Square(0, -1, 2);  // x in [0, 2], y in [-1, 1]
    circle c(point(0, 0), 1.5);
    geolist_ref in = square << c;
    geolist_ref out = square >> c;
    ASSERT_EQ(in.count(), 1);
    ASSERT_EQ(out.count(), 1);
    EXPECT_EQ(in[0].type(), GEO_STORED_RUN);
    EXPECT_NEAR(PiecesLength(in) + PiecesLength(out), 8.0, 1e-9);
    for (const G_POINT& p : PiecePoints(in[0]))
        EXPECT_LE(std::hypot(p.x, p.y), 1.5 + 1e-9);
}

TEST_F(ClippingTest, SegmentAgainstSquares)
{
    polygon side(segment(point(-5, 5), point(15, 5)));
    polygon square = Square(0, 0, 10);
    geolist_ref in = side << square;
    ASSERT_EQ(in.count(), 1);
    EXPECT_EQ(in[0].type(), GEO_STORED_PIECE);
    const std::vector<G_POINT> piece = PiecePoints(in[0]);
    EXPECT_NEAR(piece[0].x, 0.0, 1e-9);
    EXPECT_NEAR(piece[1].x, 10.0, 1e-9);
    geolist_ref out = side >> square;
    EXPECT_EQ(out.count(), 2);
    EXPECT_NEAR(PiecesLength(out), 10.0, 1e-9);

    polygon along(segment(point(0, 10), point(10, 10)));  // on the top edge
    EXPECT_EQ((along << square).count(), 1);
    EXPECT_EQ((along >> square).count(), 0);
}

TEST_F(ClippingTest, FirstSubPieceIsJudgedWithGeoDif)
{
    // A side half a GeoSnap beside the square's bottom edge: with GeoSnap it
    // would lie on the outline and be kept by <<; with GeoDif (0.001) in its
    // place it is outside below the edge and inside above it.
    ASSERT_DOUBLE_EQ(GeoSnap(), 0.01);
    ASSERT_DOUBLE_EQ(GeoDif(), 0.001);
    polygon square = Square(0, 0, 10);
    struct Case {
        double y;
        short inside;
    } cases[] = {{-0.005, 0}, {0.005, 1}};
    for (const Case& c : cases) {
        polygon side(segment(point(2, c.y), point(8, c.y)));
        EXPECT_EQ((side << square).count(), c.inside) << c.y;
        EXPECT_DOUBLE_EQ(GeoSnap(), 0.01);
    }
}

TEST_F(ClippingTest, ACrossingNearTheStartInXStaysAfterTheStart)
{
    // A steep side crossed 0.02 up from its start, only 0.002 to the right of
    // it: ordering by x with GeoSnap to spare must not put the crossing first.
    polygon steep(segment(point(0, 0), point(0.1, 1)));
    polygon above = FromPoints({{-5, 0.02}, {-5, 10}, {5, 10}, {5, 0.02}, {-5, 0.02}});
    struct Case {
        geolist_ref pieces;
        G_POINT from, to;
    } cases[] = {{steep << above, {0.002, 0.02}, {0.1, 1}}, {steep >> above, {0, 0}, {0.002, 0.02}}};
    for (const Case& c : cases) {
        ASSERT_EQ(c.pieces.count(), 1);
        const std::vector<G_POINT> piece = PiecePoints(c.pieces[0]);
        ASSERT_EQ(piece.size(), 2u);
        EXPECT_NEAR(piece[0].x, c.from.x, 1e-9);
        EXPECT_NEAR(piece[0].y, c.from.y, 1e-9);
        EXPECT_NEAR(piece[1].x, c.to.x, 1e-9);
        EXPECT_NEAR(piece[1].y, c.to.y, 1e-9);
    }
}

TEST_F(ClippingTest, AShortSubPieceLeavingTheOutlineIsNotOnIt)
{
    // A side leaves the square at 60 degrees through (1, 0) and ends 0.0125
    // beyond: the short tip's midpoint lies within GeoSnap of the edge, its
    // end 0.0108 away does not, so the tip is outside.
    const double c = 0.5, s = std::sqrt(0.75), tip = 0.0125;
    polygon side(segment(point(1 - c, s), point(1 + tip * c, -tip * s)));
    polygon square = Square(0, 0, 10);
    geolist_ref out = side >> square;
    ASSERT_EQ(out.count(), 1);
    const std::vector<G_POINT> piece = PiecePoints(out[0]);
    ASSERT_EQ(piece.size(), 2u);
    EXPECT_NEAR(piece[0].x, 1.0, 1e-9);
    EXPECT_NEAR(piece[0].y, 0.0, 1e-9);
    EXPECT_NEAR(PiecesLength(out), tip, 1e-9);
    geolist_ref in = side << square;
    ASSERT_GE(in.count(), 1);
    EXPECT_NEAR(PiecePoints(in[0])[1].x, 1.0, 1e-9);  // the part inside ends at the crossing
}

TEST_F(ClippingTest, PointsAndLinesClipNothing)
{
    polygon square = Square(0, 0, 10);
    point p(5, 5);
    line l(1.0, 0.0);
    EXPECT_EQ((square << p).count(), 0);
    EXPECT_EQ((square << l).count(), 0);
    EXPECT_EQ((square >> l).count(), 0);
    EXPECT_EQ((polygon() << square).count(), 0);
}

}  // namespace
