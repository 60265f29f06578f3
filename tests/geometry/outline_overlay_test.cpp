// Polygon booleans on general outlines: closed results whose areas agree by
// inclusion-exclusion, shared collinear walls, touching vertices and
// tessellated arcs.
#include "outline_overlay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "circle.h"
#include "clipping.h"
#include "geolist.h"
#include "polygon.h"
#include "polygon_fixtures.h"
#include "settings.h"

namespace {

using Ring = std::vector<G_POINT>;

// Shoelace with the closing side, counter-clockwise positive.
double SignedArea(const Ring& v)
{
    double twice = 0;
    for (size_t i = 0; i < v.size(); ++i) {
        const G_POINT& p = v[i];
        const G_POINT& q = v[(i + 1) % v.size()];
        twice += p.x * q.y - q.x * p.y;
    }
    return twice / 2;
}

// A small deterministic generator, the same on every platform.
class Lcg {
public:
    explicit Lcg(std::uint64_t seed) : state_(seed * 6364136223846793005ULL + 1442695040888963407ULL) {}
    double Uniform(double lo, double hi)
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return lo + (hi - lo) * static_cast<double>(state_ >> 11) / 9007199254740992.0;
    }

private:
    std::uint64_t state_;
};

Ring Closed(Ring v)
{
    v.push_back(v.front());
    return v;
}

// A star-shaped outline: n vertices at even angles, radii drawn from 5..10.
Ring Star(int n, std::uint64_t seed, double cx, double cy)
{
    Lcg random(seed);
    Ring v;
    for (int k = 0; k < n; ++k) {
        const double a = 2 * M_PI * k / n, r = random.Uniform(5, 10);
        v.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return Closed(v);
}

// A staircase room of n walls with unit steps, counter-clockwise from (x0, y0).
Ring Staircase(int n, double x0, double y0)
{
    const int steps = n / 2 - 1;
    Ring v{{x0, y0}, {x0 + steps, y0}};
    for (int i = 1; i <= steps; ++i) {
        v.push_back({x0 + steps - i + 1, y0 + i});
        v.push_back({x0 + steps - i, y0 + i});
    }
    return Closed(v);  // the last step ends on the left wall
}

// A circle tessellated by the library (vertices on the circle, closed).
Ring Tessellated(double cx, double cy, double r)
{
    const polygon pg{circle(point(cx, cy), r)};
    return Ring(pg.body()->vertices, pg.body()->vertices + pg.count());
}

struct Totals {
    double area = 0;  // signed by orientation against the first operand
    bool closed = true;
    int holes = 0;
};

// Every item a closed stored run; holes (outlines running against the first
// operand) count negative.
Totals Measure(const geolist_ref& result, double firstSign)
{
    Totals t;
    for (short i = 0; i < result.count(); ++i) {
        if (result[i].type() != GEO_STORED_RUN || !result[i].closed()) {
            t.closed = false;
            continue;
        }
        const Ring run = PiecePoints(result[i]);
        const double signedArea = SignedArea(run) * firstSign;
        t.area += signedArea;
        t.holes += signedArea < 0;
    }
    return t;
}

// Brute-force overlap of two rings in general position (no shared sides or
// touching vertices): every side cut at all crossings with the other ring,
// each piece inside the other ring adding its part of the shoelace sum.
bool InsideRing(const G_POINT& p, const Ring& v)
{
    bool inside = false;
    for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++)
        if ((v[i].y > p.y) != (v[j].y > p.y) &&
            p.x < v[i].x + (p.y - v[i].y) * (v[j].x - v[i].x) / (v[j].y - v[i].y))
            inside = !inside;
    return inside;
}

double PiecesInside(const Ring& ring, const Ring& other, double* length = nullptr)
{
    const double sign = SignedArea(ring) > 0 ? 1 : -1;
    double twice = 0;
    if (length)
        *length = 0;
    for (size_t i = 0; i + 1 < ring.size(); ++i) {
        const G_POINT p = ring[i], q = ring[i + 1];
        std::vector<double> cuts{0.0, 1.0};
        for (size_t j = 0; j + 1 < other.size(); ++j) {
            const G_POINT a = other[j], b = other[j + 1];
            const double den = (q.x - p.x) * (b.y - a.y) - (q.y - p.y) * (b.x - a.x);
            if (den == 0)
                continue;
            const double t = ((a.x - p.x) * (b.y - a.y) - (a.y - p.y) * (b.x - a.x)) / den;
            const double u = ((a.x - p.x) * (q.y - p.y) - (a.y - p.y) * (q.x - p.x)) / den;
            if (t > 0 && t < 1 && u >= 0 && u <= 1)
                cuts.push_back(t);
        }
        std::sort(cuts.begin(), cuts.end());
        for (size_t k = 0; k + 1 < cuts.size(); ++k) {
            const G_POINT s{p.x + cuts[k] * (q.x - p.x), p.y + cuts[k] * (q.y - p.y)};
            const G_POINT e{p.x + cuts[k + 1] * (q.x - p.x), p.y + cuts[k + 1] * (q.y - p.y)};
            if (!InsideRing({(s.x + e.x) / 2, (s.y + e.y) / 2}, other))
                continue;
            twice += sign * (s.x * e.y - e.x * s.y);
            if (length)
                *length += std::hypot(e.x - s.x, e.y - s.y);
        }
    }
    return twice / 2;
}

double BruteOverlap(const Ring& a, const Ring& b) { return PiecesInside(a, b) + PiecesInside(b, a); }

// Inclusion-exclusion on one pair: area(A) + area(B) = area(A || B) +
// area(A && B) and area(A - B) = area(A) - area(A && B), within 1e-6
// relative. B strictly inside A (`hole`) is a hole for A - B, which an
// outline cannot hold: the difference is A itself.
// Pairs in general position are also measured against BruteOverlap.
void ExpectConsistent(const Ring& ra, const Ring& rb, const std::string& name, bool hole = false,
                      bool general = false)
{
    SCOPED_TRACE(name);
    polygon a = FromPoints(ra), b = FromPoints(rb);
    const double sign = SignedArea(ra) > 0 ? 1 : -1;
    const double areaA = std::fabs(SignedArea(ra)), areaB = std::fabs(SignedArea(rb));
    const Totals both = Measure(a && b, sign), either = Measure(a || b, sign), less = Measure(a - b, sign);
    EXPECT_TRUE(both.closed && either.closed && less.closed);
    EXPECT_EQ(both.holes, 0);
    EXPECT_EQ(less.holes, 0);
    const double scale = areaA + areaB;
    EXPECT_NEAR(either.area + both.area, areaA + areaB, 1e-6 * scale);
    EXPECT_GE(both.area, -1e-9 * scale);
    EXPECT_LE(both.area, std::fmin(areaA, areaB) + 1e-6 * scale);
    const double expectedLess = hole ? areaA : areaA - both.area;
    EXPECT_NEAR(less.area, expectedLess, 1e-6 * scale);
    if (general) {
        EXPECT_NEAR(both.area, BruteOverlap(ra, rb), 1e-6 * scale);
    }
}

class OverlayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        flag_ = ClipTouchFlag();
        snap_ = GeoSnap();
    }
    void TearDown() override
    {
        EXPECT_EQ(ClipTouchFlag(), flag_);
        EXPECT_EQ(GeoSnap(), snap_);
    }

private:
    char flag_ = 0;
    double snap_ = 0;
};

TEST_F(OverlayTest, SquareAndRectangleSharingTwoWalls)
{
    polygon a = Square(0, 0, 10);
    polygon b = FromPoints({{0, 0}, {0, 5}, {20, 5}, {20, 0}, {0, 0}});
    const geolist_ref both = a && b, either = a || b, less = a - b;
    ASSERT_EQ(both.count(), 1);
    ASSERT_EQ(either.count(), 1);
    ASSERT_EQ(less.count(), 1);
    for (const geolist_ref* r : {&both, &either, &less})
        EXPECT_TRUE((*r)[0].closed());
    EXPECT_NEAR(std::fabs(SignedArea(PiecePoints(both[0]))), 50.0, 1e-9);
    EXPECT_NEAR(std::fabs(SignedArea(PiecePoints(either[0]))), 150.0, 1e-9);
    EXPECT_NEAR(std::fabs(SignedArea(PiecePoints(less[0]))), 50.0, 1e-9);
    const std::set<std::pair<long, long>> rectangle{{0, 0}, {0, 5}, {10, 5}, {10, 0}};
    const std::set<std::pair<long, long>> ell{{0, 0}, {0, 10}, {10, 10}, {10, 5}, {20, 5}, {20, 0}};
    EXPECT_EQ(Corners(polygon(both[0])), rectangle);
    EXPECT_EQ(Corners(polygon(either[0])), ell);  // no vertex left on a straight wall
}

TEST_F(OverlayTest, RoomsShiftedByAWholeUnitGiveClosedOutlines)
{
    // Every horizontal and vertical wall of one room runs along a wall of the other.
    const Ring first = Staircase(16, 0, 0), second = Staircase(16, 1, 0);
    polygon a = FromPoints(first), b = FromPoints(second);
    const geolist_ref either = a || b;
    ASSERT_EQ(either.count(), 1);
    EXPECT_TRUE(either[0].closed());
    // The 7-step room has area 7 + 6 + ... + 1 = 28; the union adds the
    // right-hand column of 7 unit cells.
    EXPECT_NEAR(std::fabs(SignedArea(PiecePoints(either[0]))), 35.0, 1e-9);
    const geolist_ref less = a - b;
    ASSERT_EQ(less.count(), 1);
    EXPECT_TRUE(less[0].closed());
    EXPECT_NEAR(std::fabs(SignedArea(PiecePoints(less[0]))), 7.0, 1e-9);
    const Ring cut = PiecePoints(less[0]);
    for (size_t i = 1; i + 1 < cut.size(); ++i) {  // no spike running back along itself
        const G_POINT &p = cut[i - 1], &q = cut[i], &r = cut[i + 1];
        const double back = (q.x - p.x) * (r.x - q.x) + (q.y - p.y) * (r.y - q.y);
        const double turn = (q.x - p.x) * (r.y - q.y) - (q.y - p.y) * (r.x - q.x);
        EXPECT_FALSE(back < 0 && std::fabs(turn) < 1e-12) << i;
    }
}

TEST_F(OverlayTest, RandomStarsAgreeByInclusionExclusion)
{
    const G_POINT offsets[] = {{2.5, 1.5}, {0.5, -3}, {7, 7}, {0.01, 0.02}};
    for (int n : {16, 37, 64, 128, 256}) {
        for (std::uint64_t seed = 1; seed <= 6; ++seed) {
            for (const G_POINT& o : offsets) {
                ExpectConsistent(Star(n, seed, 0, 0), Star(n, seed + 100, o.x, o.y),
                                 "star n=" + std::to_string(n) + " seed " + std::to_string(seed) + " offset " +
                                     std::to_string(o.x),
                                 false, true);
            }
        }
    }
}

TEST_F(OverlayTest, StaircaseRoomsOffAndOnTheGridAgree)
{
    const G_POINT shifts[] = {{0.5, 0.5}, {1, 0}, {0, 1}, {1, 1}, {2, -1}, {-3, 2}, {0.5, 0}, {0, 0}, {3.3, 2.7}};
    for (int n : {16, 64, 256}) {
        for (const G_POINT& s : shifts) {
            const std::string name = "rooms n=" + std::to_string(n) + " shift " + std::to_string(s.x) + "," +
                                     std::to_string(s.y);
            const bool general = std::fmod(s.x, 1.0) != 0 && std::fmod(s.y, 1.0) != 0;
            ExpectConsistent(Staircase(n, 0, 0), Staircase(n, s.x, s.y), name, false, general);
            Ring reversed = Staircase(n, s.x, s.y);
            std::reverse(reversed.begin(), reversed.end());
            ExpectConsistent(Staircase(n, 0, 0), reversed, name + " reversed", false, general);
        }
    }
}

TEST_F(OverlayTest, TessellatedCirclesAgree)
{
    // Touching, crossing, nested and concentric circles of the library's tessellation.
    struct Pair {
        G_POINT c1;
        double r1;
        G_POINT c2;
        double r2;
        bool hole;  // the second strictly inside the first
    } pairs[] = {
        {{0, 0}, 5, {3.1, 1.3}, 4, false}, {{0, 0}, 5, {9, 0}, 4, false},   {{0, 0}, 5, {1, 0}, 2, true},
        {{0, 0}, 5, {0, 0}, 5, false},     {{0, 0}, 5, {0, 0}, 3, true},    {{0, 0}, 2, {0.5, 0.5}, 7, false},
        {{0, 0}, 1, {1.5, 0}, 1, false},   {{-4, 2}, 3, {-1, 2}, 3, false}, {{0, 0}, 8, {8, 0}, 8, false},
        {{0, 0}, 5, {10, 0}, 5, false},
    };
    for (const Pair& p : pairs)
        ExpectConsistent(Tessellated(p.c1.x, p.c1.y, p.r1), Tessellated(p.c2.x, p.c2.y, p.r2),
                         "circles " + std::to_string(p.c2.x) + " " + std::to_string(p.r2), p.hole);
}

// A skyline on the integer grid: columns of width 1 and heights 1..6 standing
// on y0 (or hanging from it), counter-clockwise. Neighbouring columns of one
// height leave vertices on a straight wall.
Ring Skyline(Lcg& random, int columns, double x0, double y0, bool hanging)
{
    std::vector<int> heights;
    for (int i = 0; i < columns; ++i)
        heights.push_back(1 + static_cast<int>(random.Uniform(0, 6)));
    const double dir = hanging ? -1 : 1;
    Ring v{{x0, y0}, {x0 + columns, y0}};
    for (int i = columns - 1; i >= 0; --i) {
        v.push_back({x0 + i + 1, y0 + dir * heights[i]});
        v.push_back({x0 + i, y0 + dir * heights[i]});
    }
    if (hanging)
        std::reverse(v.begin() + 1, v.end());
    return Closed(v);
}

// Unit cells of the grid inside both rings, counted one by one.
double CellOverlap(const Ring& a, const Ring& b)
{
    double count = 0;
    for (int x = -20; x < 20; ++x)
        for (int y = -20; y < 20; ++y) {
            const G_POINT m{x + 0.5, y + 0.5};
            count += InsideRing(m, a) && InsideRing(m, b);
        }
    return count;
}

TEST_F(OverlayTest, SkylinesOnOneGridAgreeWithCountedCells)
{
    // Walls and corners of the two outlines coincide everywhere; a hanging
    // skyline against a standing one encloses pockets in the union.
    Lcg random(7);
    for (int round = 0; round < 400; ++round) {
        const int columnsA = 2 + static_cast<int>(random.Uniform(0, 10));
        const int columnsB = 2 + static_cast<int>(random.Uniform(0, 10));
        const Ring a = Skyline(random, columnsA, 0, 0, false);
        const bool hanging = round % 2 == 1;
        const double x0 = std::floor(random.Uniform(-4, 8));
        const double y0 = hanging ? std::floor(random.Uniform(6, 9)) : std::floor(random.Uniform(-2, 1));
        const Ring b = Skyline(random, columnsB, x0, y0, hanging);
        const std::string name = "round " + std::to_string(round);
        ExpectConsistent(a, b, name);
        SCOPED_TRACE(name);
        polygon pa = FromPoints(a), pb = FromPoints(b);
        EXPECT_NEAR(Measure(pa && pb, 1).area, CellOverlap(a, b), 1e-9);
    }
}

double Perimeter(const Ring& v)
{
    double sum = 0;
    for (size_t i = 1; i < v.size(); ++i)
        sum += std::hypot(v[i].x - v[i - 1].x, v[i].y - v[i - 1].y);
    return sum;
}

TEST_F(OverlayTest, ClippedPiecesAddUpToTheOutline)
{
    // Stars: the pieces inside are the outline's part inside the other, and
    // with the pieces outside they make up the whole outline.
    for (int n : {16, 64, 256}) {
        for (std::uint64_t seed = 1; seed <= 10; ++seed) {
            SCOPED_TRACE(testing::Message() << "star n=" << n << " seed " << seed);
            const Ring ra = Star(n, seed, 0, 0), rb = Star(n, seed + 100, 2.5, 1.5);
            polygon a = FromPoints(ra), b = FromPoints(rb);
            const double perimeter = Perimeter(ra);
            double insideLength = 0;
            PiecesInside(ra, rb, &insideLength);
            const double in = PiecesLength(a << b), out = PiecesLength(a >> b);
            EXPECT_NEAR(in, insideLength, 1e-9 * perimeter);
            EXPECT_NEAR(in + out, perimeter, 1e-9 * perimeter);
        }
    }
    // Skylines sharing walls: << keeps the walls along the other outline, >>
    // drops them, so the two still make up the outline.
    Lcg random(11);
    for (int round = 0; round < 100; ++round) {
        SCOPED_TRACE(testing::Message() << "skylines round " << round);
        const Ring ra = Skyline(random, 6, 0, 0, false);
        const Ring rb = Skyline(random, 6, std::floor(random.Uniform(-3, 4)), 0, round % 2 == 1);
        polygon a = FromPoints(ra), b = FromPoints(rb);
        EXPECT_NEAR(PiecesLength(a << b) + PiecesLength(a >> b), Perimeter(ra), 1e-9);
    }
}

TEST_F(OverlayTest, NearlyCoincidentCopiesKeepEveryCorner)
{
    // A copy moved by about the tolerance and beyond: corners of the two
    // outlines fall into clusters of nodes a hair apart, and none may go.
    Lcg random(3);
    for (int round = 0; round < 120; ++round) {
        const int n = 3 + round % 13;
        const Ring a = Star(n, 40 + round, 0, 0);
        const double hair = std::pow(10.0, -7 - round % 4);
        Ring b;
        for (const G_POINT& p : a)
            b.push_back({p.x + hair * random.Uniform(-1, 1), p.y + hair * random.Uniform(-1, 1)});
        b.back() = b.front();
        if (round % 2)
            std::reverse(b.begin(), b.end());
        const std::string name = "copy n=" + std::to_string(n) + " hair " + std::to_string(hair);
        ExpectConsistent(a, b, name);
        SCOPED_TRACE(name);
        polygon pa = FromPoints(a), pb = FromPoints(b);
        const double area = std::fabs(SignedArea(a));
        EXPECT_NEAR(Measure(pa && pb, SignedArea(a) > 0 ? 1 : -1).area, area, 1e-6 * area);
        EXPECT_NEAR(Measure(pa || pb, SignedArea(a) > 0 ? 1 : -1).area, area, 1e-6 * area);
    }
}

TEST_F(OverlayTest, UnionEnclosingAHoleGivesTheHoleAsItsOwnOutline)
{
    // Two C shapes facing each other enclose a 4 x 2 pocket.
    polygon a = FromPoints({{0, 0}, {6, 0}, {6, 2}, {2, 2}, {2, 4}, {6, 4}, {6, 6}, {0, 6}, {0, 0}});
    polygon b = FromPoints({{4, 0}, {8, 0}, {8, 6}, {4, 6}, {4, 4}, {6, 4}, {6, 2}, {4, 2}, {4, 0}});
    const geolist_ref either = a || b;
    ASSERT_EQ(either.count(), 2);
    double areas[2];
    for (short i = 0; i < 2; ++i) {
        EXPECT_TRUE(either[i].closed());
        areas[i] = SignedArea(PiecePoints(either[i]));
    }
    EXPECT_NEAR(std::fabs(areas[0]), 48.0, 1e-9);  // the outer outline
    EXPECT_NEAR(std::fabs(areas[1]), 8.0, 1e-9);   // the pocket, walked the other way
    EXPECT_LT(areas[0] * areas[1], 0);
}

TEST_F(OverlayTest, HoleOfADifferenceLeavesTheFirstOutline)
{
    polygon a = Square(0, 0, 10), b = Square(3, 3, 2);
    const geolist_ref less = a - b;
    ASSERT_EQ(less.count(), 1);
    EXPECT_NEAR(polygon(less[0]).area(), 100.0, 1e-9);
    EXPECT_EQ(Corners(polygon(less[0])), Corners(a));
}

TEST_F(OverlayTest, ModifyOnSharedWallsGivesOneClosedOutline)
{
    polygon united = FromPoints(Staircase(16, 0, 0));
    polygon shifted = FromPoints(Staircase(16, 1, 0));
    ASSERT_TRUE(united.modify(&shifted, 1));
    EXPECT_TRUE(united.closed());
    EXPECT_NEAR(std::fabs(SignedArea(Ring(united.get_vertex(0), united.get_vertex(0) + united.count()))), 35.0,
                1e-9);
    polygon cut = FromPoints(Staircase(16, 0, 0));
    ASSERT_TRUE(cut.modify(&shifted, 0));
    EXPECT_NEAR(std::fabs(SignedArea(Ring(cut.get_vertex(0), cut.get_vertex(0) + cut.count()))), 7.0, 1e-9);
    EXPECT_EQ(cut.clockwise(), polygon(FromPoints(Staircase(16, 0, 0))).clockwise());
}

TEST_F(OverlayTest, OpenOrDegenerateOutlinesAreNotOverlaid)
{
    std::vector<OverlayRing> out{OverlayRing{{1, 1}}};
    polygon open = FromPoints({{0, 0}, {0, 10}, {10, 10}});
    polygon flat = FromPoints({{0, 0}, {5, 0}, {10, 0}, {0, 0}});
    polygon square = Square(0, 0, 5);
    EXPECT_FALSE(OverlayOutlines(*open.body(), *square.body(), OverlayOp::Union, out));
    EXPECT_FALSE(OverlayOutlines(*flat.body(), *square.body(), OverlayOp::Union, out));
    EXPECT_FALSE(OverlayOutlines(*square.body(), *polygon().body(), OverlayOp::Union, out));
    EXPECT_EQ(out.size(), 1u);  // untouched
    EXPECT_TRUE(OverlayOutlines(*square.body(), *square.body(), OverlayOp::Difference, out));
    EXPECT_TRUE(out.empty());
}

}  // namespace
