// Intersection, union and difference of polygons through the piece stitcher.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "clipping.h"
#include "geolist.h"
#include "geolist_fixtures.h"
#include "point.h"
#include "polygon.h"
#include "polygon_fixtures.h"
#include "polygon_boolean.h"
#include "settings.h"

namespace {

class BooleanTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        flag_ = ClipTouchFlag();
        connect_ = GeoConnectMode();
    }
    void TearDown() override
    {
        EXPECT_EQ(ClipTouchFlag(), flag_);  // every operator restores it
        ClipTouchFlag() = flag_;
        GeoConnectMode() = connect_;
    }

private:
    char flag_ = 0, connect_ = 0;
};

TEST_F(BooleanTest, OverlappingSquares)
{
    polygon a = Square(0, 0, 10);
    polygon b = Square(5, 5, 10);
    const std::set<std::pair<long, long>> overlap{{5, 5}, {5, 10}, {10, 10}, {10, 5}};
    const std::set<std::pair<long, long>> aLess{{0, 0}, {0, 10}, {5, 10}, {5, 5}, {10, 5}, {10, 0}};
    struct Case {
        const char* name;
        geolist_ref result;
        double area;
        size_t corners;
    } cases[] = {
        {"&&", a && b, 25.0, 4},
        {"||", a || b, 175.0, 8},
        {"-", a - b, 75.0, 6},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(c.result.count(), 1) << c.name;
        EXPECT_EQ(c.result[0].type(), GEO_STORED_RUN) << c.name;
        EXPECT_TRUE(c.result[0].closed()) << c.name;
        polygon outline(c.result[0]);
        EXPECT_NEAR(outline.area(), c.area, 1e-9) << c.name;
        EXPECT_EQ(Corners(outline).size(), c.corners) << c.name;
    }
    EXPECT_EQ(Corners(polygon(cases[0].result[0])), overlap);
    EXPECT_EQ(Corners(polygon(cases[2].result[0])), aLess);
}

TEST_F(BooleanTest, StitchedOutlinesRunTheWayTheFirstOperandDoes)
{
    // One rule for the direction the text leaves open: the first operand's,
    // whichever way the second runs.
    for (bool firstClockwise : {true, false}) {
        for (bool secondClockwise : {true, false}) {
            polygon a = Square(0, 0, 10);
            polygon b = Square(5, 5, 10);
            if (!firstClockwise)
                -a;
            if (!secondClockwise)
                -b;
            const geolist_ref results[] = {a && b, a || b, a - b};
            const double areas[] = {25.0, 175.0, 75.0};
            for (int i = 0; i < 3; ++i) {
                ASSERT_EQ(results[i].count(), 1) << i;
                EXPECT_TRUE(results[i][0].closed()) << i;
                polygon outline(results[i][0]);
                EXPECT_NEAR(outline.area(), areas[i], 1e-9) << i;
                EXPECT_EQ(outline.clockwise(), firstClockwise) << i << " " << secondClockwise;
            }
        }
    }
}

// A circle tessellated into n sides, its vertices on the circle,
// counter-clockwise and closed.
std::vector<G_POINT> CircleRing(int n, double cx, double cy, double r)
{
    std::vector<G_POINT> v;
    for (int k = 0; k <= n; ++k) {
        const double a = 2 * M_PI * ((k % n) + 0.5) / n;
        v.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return v;
}

// Plain shoelace area with the closing side, for rings that close within
// GeoSnap (polygon::area leaves out sides shorter than GeoSnap in x).
double RingArea(const std::vector<G_POINT>& v)
{
    double twice = 0;
    for (size_t i = 0; i < v.size(); ++i) {
        const G_POINT& p = v[i];
        const G_POINT& q = v[(i + 1) % v.size()];
        twice += p.x * q.y - q.x * p.y;
    }
    return std::fabs(twice / 2);
}

// Exact overlap of two closed convex counter-clockwise rings: the first cut
// by the half-plane left of each side of the second.
double ConvexOverlap(std::vector<G_POINT> v, const std::vector<G_POINT>& clip)
{
    for (size_t i = 1; i < clip.size() && v.size() > 1; ++i) {
        const G_POINT a = clip[i - 1], b = clip[i];
        const auto left = [&](G_POINT p) { return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x); };
        std::vector<G_POINT> kept;
        for (size_t k = 1; k < v.size(); ++k) {
            const double sp = left(v[k - 1]), sq = left(v[k]);
            if (sp >= 0)
                kept.push_back(v[k - 1]);
            if ((sp >= 0) != (sq >= 0)) {
                const double t = sp / (sp - sq);
                const G_POINT p = v[k - 1], q = v[k];
                kept.push_back({p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)});
            }
        }
        if (!kept.empty())
            kept.push_back(kept.front());
        v = kept;
    }
    return v.size() > 1 ? RingArea(v) : 0;
}

// Overlap of two crossing circles (the lens), radii r and R, centres d apart.
double Lens(double r, double R, double d)
{
    const double a = r * r * std::acos((d * d + r * r - R * R) / (2 * d * r));
    const double b = R * R * std::acos((d * d + R * R - r * r) / (2 * d * R));
    return a + b - 0.5 * std::sqrt((-d + r + R) * (d + r - R) * (d - r + R) * (d + r + R));
}

TEST_F(BooleanTest, TessellatedCirclePairsGiveClosedOutlinesOfTheRightArea)
{
    // Circles of radius 5 and 4, centres (0, 0) and (3.1, 1.3). Among the
    // vertex counts are ones whose crossings fall within a few GeoSnap of a
    // vertex of either outline, where the two clips place a crossing apart.
    const double r1 = 5, r2 = 4, d = std::hypot(3.1, 1.3);
    for (int n : {20, 26, 30, 31, 64, 107, 126, 216, 298, 366, 387, 400}) {
        const std::vector<G_POINT> ra = CircleRing(n, 0, 0, r1), rb = CircleRing(n, 3.1, 1.3, r2);
        polygon a = FromPoints(ra), b = FromPoints(rb);
        const double both = ConvexOverlap(ra, rb), areaA = RingArea(ra), areaB = RingArea(rb);
        // The rings lie between their circles and the circles of radius r cos(pi/n).
        const double in = std::cos(M_PI / n);
        ASSERT_GT(both, Lens(r1 * in, r2 * in, d));
        ASSERT_LT(both, Lens(r1, r2, d));
        // Each of the two crossings may sit up to 2 GeoSnap from the exact one
        // in x and y, along a side of at most this length.
        const double side = 2 * r1 * std::sin(M_PI / n);
        const double tolerance = 2 * 2 * std::sqrt(2.0) * GeoSnap() * side;
        struct Case {
            const char* name;
            geolist_ref result;
            double area;
        } cases[] = {
            {"&&", a && b, both},
            {"||", a || b, areaA + areaB - both},
            {"-", a - b, areaA - both},
        };
        for (const Case& c : cases) {
            ASSERT_EQ(c.result.count(), 1) << c.name << " n=" << n;
            EXPECT_TRUE(c.result[0].closed()) << c.name << " n=" << n;
            EXPECT_NEAR(RingArea(PiecePoints(c.result[0])), c.area, tolerance) << c.name << " n=" << n;
        }
    }
}

// One square within (or equal to) the other: && is the inner one, || the outer.
void ExpectContained(polygon& outer, polygon& inner, double innerArea, double outerArea)
{
    geolist_ref both = outer && inner;
    ASSERT_EQ(both.count(), 1);
    EXPECT_NEAR(polygon(both[0]).area(), innerArea, 1e-9);
    geolist_ref either = outer || inner;
    ASSERT_EQ(either.count(), 1);
    EXPECT_NEAR(polygon(either[0]).area(), outerArea, 1e-9);
    EXPECT_EQ(Corners(polygon(either[0])), Corners(outer));
}

TEST_F(BooleanTest, NestedSquares)
{
    polygon outer = Square(0, 0, 10);
    polygon inner = Square(2, 2, 3);
    ExpectContained(outer, inner, 9.0, 100.0);
}

TEST_F(BooleanTest, DisjointSquares)
{
    polygon a = Square(0, 0, 2);
    polygon b = Square(5, 5, 3);
    EXPECT_EQ((a && b).count(), 0);

    geolist_ref less = polygon(a) - b;  // the first square, kept past the temporary
    ASSERT_EQ(less.count(), 1);
    EXPECT_EQ(less[0].type(), GEO_STORED_RUN);
    EXPECT_TRUE(less[0].closed());
    EXPECT_NEAR(polygon(less[0]).area(), 4.0, 1e-9);

    // The union keeps both outlines.
    geolist_ref either = a || b;
    ASSERT_EQ(either.count(), 2);
    const double areas = polygon(either[0]).area() + polygon(either[1]).area();
    EXPECT_NEAR(areas, 4.0 + 9.0, 1e-9);
    EXPECT_TRUE(either[0].closed() && either[1].closed());
}

TEST_F(BooleanTest, SquaresSharingEdges)
{
    // Side by side: the union is one outline without the shared wall.
    polygon left = Square(0, 0, 10);
    polygon right = Square(10, 0, 10);
    geolist_ref merged = left || right;
    ASSERT_EQ(merged.count(), 1);
    EXPECT_TRUE(merged[0].closed());
    EXPECT_NEAR(polygon(merged[0]).area(), 200.0, 1e-9);
    EXPECT_EQ((left && right).count(), 0);  // a shared wall is no overlap
    geolist_ref leftOnly = left - right;
    ASSERT_EQ(leftOnly.count(), 1);
    EXPECT_NEAR(polygon(leftOnly[0]).area(), 100.0, 1e-9);

    // Overlapping along a common bottom and top.
    polygon wide = Square(0, 0, 10);
    polygon shifted = FromPoints({{5, 0}, {5, 10}, {15, 10}, {15, 0}, {5, 0}});
    geolist_ref both = wide && shifted;
    ASSERT_EQ(both.count(), 1);
    EXPECT_NEAR(polygon(both[0]).area(), 50.0, 1e-9);
    geolist_ref less = wide - shifted;
    ASSERT_EQ(less.count(), 1);
    EXPECT_NEAR(polygon(less[0]).area(), 50.0, 1e-9);

    // Nested in a corner, touching two sides of the outer square.
    polygon outer = Square(-2, -2, 4);
    polygon corner = Square(0, 0, 2);
    geolist_ref inner = outer && corner;
    ASSERT_EQ(inner.count(), 1);
    EXPECT_TRUE(inner[0].closed());
    EXPECT_NEAR(polygon(inner[0]).area(), 4.0, 1e-9);
    geolist_ref all = outer || corner;
    ASSERT_EQ(all.count(), 1);
    EXPECT_TRUE(all[0].closed());
    EXPECT_NEAR(polygon(all[0]).area(), 16.0, 1e-9);
    geolist_ref notched = outer - corner;  // an L: the corner cut out
    ASSERT_EQ(notched.count(), 1);
    EXPECT_TRUE(notched[0].closed());
    EXPECT_NEAR(polygon(notched[0]).area(), 12.0, 1e-9);
    EXPECT_EQ(Corners(polygon(notched[0])).size(), 6u);
    geolist_ref reversed = corner && outer;
    ASSERT_EQ(reversed.count(), 1);
    EXPECT_NEAR(polygon(reversed[0]).area(), 4.0, 1e-9);
}

TEST_F(BooleanTest, IdenticalSquares)
{
    polygon a = Square(0, 0, 10);
    polygon b = Square(0, 0, 10);
    ExpectContained(a, b, 100.0, 100.0);
    EXPECT_EQ((a - b).count(), 0);
}

TEST_F(BooleanTest, DifferenceOfAStoredRunOutlivesItsTemporary)
{
    // A stored run item subtracts through a temporary polygon; with nothing
    // to take away the result is that outline, which must not point at it.
    polygon big(2.0), small(1.0);
    geolist_ref runs = small << big;
    ASSERT_EQ(runs.count(), 1);
    ASSERT_EQ(runs[0].type(), GEO_STORED_RUN);
    polygon far = Square(10, 10, 1);
    geolist_ref less = runs[0] - far;
    ASSERT_EQ(less.count(), 1);
    EXPECT_TRUE(less[0].closed());
    EXPECT_NEAR(polygon(less[0]).area(), 4.0, 1e-9);
}

TEST_F(BooleanTest, OnlyPolygonsAndListsCombine)
{
    polygon a = Square(0, 0, 2);
    point p(1, 1);
    EXPECT_EQ((a && p).count(), 0);
    EXPECT_EQ((a || p).count(), 0);
    EXPECT_EQ((a - p).count(), 0);
}

TEST_F(BooleanTest, ModifyUnitesOrSubtracts)
{
    polygon a = Square(0, 0, 10);
    polygon b = Square(5, 5, 10);
    polygon united(a);
    united = a;  // an own body
    ASSERT_TRUE(united.modify(&b, 1));
    EXPECT_NEAR(united.area(), 175.0, 1e-9);
    EXPECT_TRUE(united.closed());

    polygon cut = Square(0, 0, 10);
    ASSERT_TRUE(cut.modify(&b, 0));
    EXPECT_NEAR(cut.area(), 75.0, 1e-9);

    polygon far = Square(50, 50, 1);
    polygon untouched = Square(0, 0, 10);
    EXPECT_FALSE(untouched.modify(&far, 0));  // nothing of far lies inside
    EXPECT_NEAR(untouched.area(), 100.0, 1e-9);
}

// Two open pieces whose ends miss each other by more than GeoSnap.
geolist PieceList(std::vector<G_POINT> run)
{
    polygon pg = FromPoints(run);
    polygon big = Square(-100, -100, 200);
    geolist list;
    list = pg << big;  // one stored run of these vertices
    return list;
}

TEST_F(BooleanTest, ConnectModeJoinsTheNearestEndsOfSinglePieces)
{
    geolist first = PieceList({{0, 0}, {0, 10}, {10, 10}});
    geolist second = PieceList({{10.5, 10}, {10, 0}, {0.5, 0}});
    ASSERT_EQ(first.count(), 1);
    ASSERT_EQ(second.count(), 1);

    geolist out;
    GeoConnectMode() = 0;
    StitchPolygonPieces(*first.body(), *second.body(), *out.body());
    EXPECT_EQ(out.count(), 1);  // the chain alone stays open
    EXPECT_FALSE(out[0].closed());

    geolist first2 = PieceList({{0, 0}, {0, 10}, {10, 10}});
    geolist second2 = PieceList({{10.5, 10}, {10, 0}, {0.5, 0}});
    geolist joined;
    GeoConnectMode() = 1;
    StitchPolygonPieces(*first2.body(), *second2.body(), *joined.body());
    ASSERT_EQ(joined.count(), 1);
    EXPECT_EQ(polygon(joined[0]).count(), 5);  // 3 + 3 - the joint
    EXPECT_EQ(GeoConnectMode(), 1);
}

// A result list of stored pieces: a run for more than two points, else a
// two-point piece.
geolist Pieces(const std::vector<std::vector<G_POINT>>& pieces)
{
    std::vector<StoredValue> values;
    for (const auto& p : pieces)
        values.push_back(p.size() > 2 ? StoredRun(p) : StoredValue{GEO_STORED_PIECE, p});
    return StoredList(values);
}

TEST_F(BooleanTest, StitchedChainsMayOutgrowTheInputStores)
{
    // Each two-point piece is closed by the run's copy of its edge: five
    // chains of three vertices need 20 slots, the inputs hold 19.
    geolist first = Pieces({{{0, 0}, {1, 0}}, {{1, 0}, {2, 0}}, {{2, 0}, {3, 0}},
                            {{3, 0}, {4, 0}}, {{4, 0}, {5, 0}}});
    geolist second = Pieces({{{0, 10}, {0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}}});
    geolist out;
    StitchPolygonPieces(*first.body(), *second.body(), *out.body());
    ASSERT_EQ(out.count(), 5);
    for (short i = 0; i < out.count(); ++i) {
        EXPECT_EQ(polygon(out[i]).count(), 3);
        EXPECT_TRUE(out[i].closed());
    }
    EXPECT_EQ(second[0].type(), GEO_STORED_RUN);  // closing does not consume it
    EXPECT_EQ(first[0].type(), GEO_STORED_PIECE);
}

TEST_F(BooleanTest, PieceEndsAndEdges)
{
    G_POINT run[5] = {{4, 0}, {0, 0}, {1, 0}, {2, 0}, {3, 0}};
    list_item item;
    item.code = GEO_STORED_RUN;
    item.stored = run;
    G_POINT *first = nullptr, *last = nullptr;
    EXPECT_EQ(PieceEnds(item, first, last), 4);
    EXPECT_DOUBLE_EQ(first->x, 0.0);
    EXPECT_DOUBLE_EQ(last->x, 3.0);
    EXPECT_TRUE(PieceHasEdge(item, {1, 0}, {0, 0}));
    EXPECT_TRUE(PieceHasEdge(item, {1, 0}, {2, 0}));
    EXPECT_FALSE(PieceHasEdge(item, {2, 0}, {3, 0}));  // the pair ending at the last vertex
    item.code = GEO_STORED_PIECE;
    EXPECT_EQ(PieceEnds(item, first, last), 2);
    EXPECT_FALSE(PieceHasEdge(item, {4, 0}, {0, 0}));
    item.code = 0;
    EXPECT_EQ(PieceEnds(item, first, last), 0);
}

}  // namespace
