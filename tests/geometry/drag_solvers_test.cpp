#include "drag_solvers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>

#include "line.h"
#include "point.h"

namespace {

constexpr double kVertical = 100001.0;

line Line(double k, double b) { return line(LINE{k, b}); }

// Candidate arrays start out at a sentinel so that untouched elements show.
struct Candidates {
    point p[4] = {point(-99, -99), point(-99, -99), point(-99, -99), point(-99, -99)};
    point* out() { return p; }
};

void ExpectPoint(const point& p, double x, double y, double tol = 1e-9)
{
    EXPECT_NEAR(p.x(), x, tol);
    EXPECT_NEAR(p.y(), y, tol);
}

double YOn(const LINE& l, double x) { return l.ltan * x + l.laxe; }

// Where the line through a and b meets l (a vertical l gives its x).
G_POINT Meet(const G_POINT& a, const G_POINT& b, const LINE& l)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    double t;
    if (l.ltan >= kVertical)
        t = (l.laxe - a.x) / dx;
    else
        t = (l.ltan * a.x + l.laxe - a.y) / (dy - l.ltan * dx);
    return G_POINT{a.x + t * dx, a.y + t * dy};
}

bool OnLine(const G_POINT& p, const LINE& l, double tol = 1e-6)
{
    if (l.ltan >= kVertical)
        return std::fabs(p.x - l.laxe) < tol;
    return std::fabs(YOn(l, p.x) - p.y) < tol;
}

TEST(FindClosestAngle, OnlyOneCandidateMayQualify)
{
    const point reference(0, 0);
    const point twoAbove[2] = {point(1, 1), point(2, 3)};
    EXPECT_EQ(FindClosestAngle(twoAbove, reference, true, 2), -1);
    EXPECT_EQ(FindClosestAngle(twoAbove, reference, false, 2), 0);  // none below
    const point mixed[3] = {point(1, -1), point(2, 3), point(2, 0)};
    EXPECT_EQ(FindClosestAngle(mixed, reference, true, 3), 1);
    EXPECT_EQ(FindClosestAngle(mixed, reference, false, 3), 0);
    EXPECT_EQ(FindClosestAngle(mixed, reference, true, 0), 0);
}

TEST(FindClosestAngleSelfAffect, SmallestDeviationLowerIndexOnTies)
{
    const point origins[3] = {point(0, 0), point(0, 0), point(0, 0)};
    const point tie[2] = {point(1, 1), point(1, -1)};
    EXPECT_EQ(FindClosestAngleSelfAffect(tie, origins, 1.0, 0.0, 2), 0);
    const point clear[3] = {point(1, 1), point(-1, 0.1), point(1, 0.1)};
    EXPECT_EQ(FindClosestAngleSelfAffect(clear, origins, 1.0, 0.0, 3), 2);
    // The deviation is taken across the wrap: 179 degrees is near -179.
    const point wrap[2] = {point(0, 1), point(-1, -0.01)};
    EXPECT_EQ(FindClosestAngleSelfAffect(wrap, origins, -1.0, 0.01, 2), 1);
}

TEST(Slide, TwoPointsAlongTheLine)
{
    struct Case {
        double k, b, px, py, d, x0, y0, x1, y1;
    };
    const double r = std::sqrt(0.5);
    const Case cases[] = {
        {kVertical, 1, 1, 2, 3, 1, 5, 1, -1},
        {0, 2, 1, 2, 3, 4, 2, -2, 2},
        {1, 0, 0, 0, 1, r, r, -r, -r},
        {-1, 0, 0, 0, 1, r, -r, -r, r},
    };
    for (const Case& c : cases) {
        Candidates out;
        EXPECT_EQ(Slide(point(c.px, c.py), Line(c.k, c.b), c.d, out.out()), 2);
        ExpectPoint(out.p[0], c.x0, c.y0);
        ExpectPoint(out.p[1], c.x1, c.y1);
        ExpectPoint(out.p[2], -99, -99);
    }
}

TEST(AdjustRotateLinear, PointsAtDistanceFromQAlongTheLine)
{
    Candidates out;
    // Horizontal y = 0, pivot above it.
    ASSERT_EQ(AdjustRotateLinear(Line(0, 0), point(0, 5), point(2, 0), 3, out.out()), 2);
    ExpectPoint(out.p[0], 5, 0);
    ExpectPoint(out.p[1], -1, 0);
    // Vertical x = 4.
    ASSERT_EQ(AdjustRotateLinear(Line(kVertical, 4), point(0, 0), point(4, 1), 2, out.out()), 2);
    ExpectPoint(out.p[0], 4, 3);
    ExpectPoint(out.p[1], 4, -1);
    // Slanted y = 2x + 1: both candidates on the line, 3 from Q.
    const point q(1, 3);
    ASSERT_EQ(AdjustRotateLinear(Line(2, 1), point(-2, 6), q, 3, out.out()), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(OnLine(out.p[i].rec(), LINE{2, 1}));
        EXPECT_NEAR(std::hypot(out.p[i].x() - q.x(), out.p[i].y() - q.y()), 3, 1e-9);
    }
}

TEST(AdjustRotateLinear, VerticalLineWithQOverThePivot)
{
    Candidates out;
    EXPECT_EQ(AdjustRotateLinear(Line(kVertical, 5), point(5, 0), point(5, 3), 2, out.out()), 0);
    ExpectPoint(out.p[0], -99, -99);
}

TEST(MoveSelfAffect, DegenerateLinesGiveNothing)
{
    Candidates out;
    EXPECT_EQ(MoveSelfAffect(Line(0, 0), Line(0, 0), Line(1, 0), 2, out.out()), 0);
    EXPECT_EQ(MoveSelfAffect(Line(-1, 4), Line(1, 0), Line(1, 3), 2, out.out()), 0);
    ExpectPoint(out.p[0], -99, -99);
}

TEST(MoveSelfAffect, PieceBetweenTheLinesGetsTheLength)
{
    struct Case {
        LINE l, l1, l2;
        double d, x0, y0, x1, y1;
    };
    const double s2 = std::sqrt(2.0);
    const Case cases[] = {
        // Vertical l right of the corner: the first candidate stays right.
        {{kVertical, 3}, {0, 0}, {1, 0}, 2, 2, 0, -2, 0},
        {{kVertical, -3}, {0, 0}, {1, 0}, 2, -2, 0, 2, 0},
        // l2 vertical.
        {{-1, 10}, {0, 0}, {kVertical, 0}, 2 * s2, 2, 0, -2, 0},
        // General: c = 3 d / (2 sqrt 2).
        {{-1, 5}, {0, 0}, {2, 0}, 2 * s2, 3, 0, -3, 0},
    };
    for (const Case& c : cases) {
        Candidates out;
        ASSERT_EQ(MoveSelfAffect(line(c.l), line(c.l1), line(c.l2), c.d, out.out()), 2);
        ExpectPoint(out.p[0], c.x0, c.y0);
        ExpectPoint(out.p[1], c.x1, c.y1);
    }
}

// Every candidate lies on l1, and the line from p through it cuts l2 at
// distance d from it; and every value is finite. expected < 0: any count.
void ExpectRotateQuarticCandidates(const point& p, const LINE& l1, const LINE& l2, double d,
                                   int expected)
{
    Candidates out;
    const int n = RotateQuartic(p, line(l1), line(l2), d, out.out());
    if (expected >= 0) {
        EXPECT_EQ(n, expected) << "l1 " << l1.ltan << " l2 " << l2.ltan;
    }
    for (int i = 0; i < n; ++i) {
        const G_POINT c = out.p[i].rec();
        ASSERT_TRUE(std::isfinite(c.x) && std::isfinite(c.y));
        EXPECT_TRUE(OnLine(c, l1)) << c.x << " " << c.y;
        const G_POINT m = Meet(p.rec(), c, l2);
        EXPECT_NEAR(std::hypot(m.x - c.x, m.y - c.y), d, 1e-6);
    }
    for (int i = n; i < 4; ++i)
        ExpectPoint(out.p[i], -99, -99);
}

TEST(RotateQuartic, CandidatesKeepTheLengthBetweenTheLines)
{
    ExpectRotateQuarticCandidates(point(0, 0), {1, 2}, {-2, 6}, 3, 2);
    ExpectRotateQuarticCandidates(point(0, -3), {0.5, 1}, {3, -4}, 2, 2);
    ExpectRotateQuarticCandidates(point(0, -3), {0.5, 1}, {3, -4}, 6, 4);
}

TEST(RotateQuartic, NoCandidateAlongL2Itself)
{
    // The pivot lies on l2 and l1 is beyond reach (2.236 away): the turned
    // line coinciding with l2 has no piece between the lines.
    Candidates out;
    EXPECT_EQ(RotateQuartic(point(1, -1), line(LINE{0.5, 1}), line(LINE{3, -4}), 2, out.out()), 0);
    ExpectPoint(out.p[0], -99, -99);
}

TEST(RotateQuartic, HorizontalAndVerticalLinesGiveFiniteCandidates)
{
    // Two horizontal walls 2 apart, d = 4: the line turns to 30 or 150 degrees.
    Candidates out;
    ASSERT_EQ(RotateQuartic(point(0, 0), line(LINE{0, 1}), line(LINE{0, 3}), 4, out.out()), 2);
    const double r3 = std::sqrt(3.0);
    const bool firstRight = out.p[0].x() > 0;
    ExpectPoint(out.p[firstRight ? 0 : 1], r3, 1, 1e-6);
    ExpectPoint(out.p[firstRight ? 1 : 0], -r3, 1, 1e-6);

    ExpectRotateQuarticCandidates(point(1, 1), {0, 0}, {kVertical, 4}, 5, 2);
    ExpectRotateQuarticCandidates(point(1, 1), {kVertical, 4}, {0, 0}, 5, 2);
    ExpectRotateQuarticCandidates(point(2, 3), {1, 0}, {0, 0}, 2, 2);
    ExpectRotateQuarticCandidates(point(2, 3), {0, 0}, {1, 0}, 2, 2);
}

TEST(RotateQuartic, ParallelLines)
{
    // Slanted parallels sqrt(2) apart.
    ExpectRotateQuarticCandidates(point(0, -3), {1, 0}, {1, 2}, 4, 2);
    // A thin gap (0.0358) spanned by a long piece: the turned line runs at
    // about 1.4 degrees to the walls, far along them.
    ExpectRotateQuarticCandidates(point(7.56652, -9.18141), {0, -5.01847}, {0, -4.98267}, 1.48257,
                                  2);
    // Vertical parallels 2 apart: d = 2 is the perpendicular alone, d < 2 nothing.
    Candidates out;
    ASSERT_EQ(RotateQuartic(point(1, 1), line(LINE{kVertical, 3}), line(LINE{kVertical, 5}), 2,
                            out.out()),
              1);
    ExpectPoint(out.p[0], 3, 1, 1e-6);
    ExpectRotateQuarticCandidates(point(1, 1), {kVertical, 3}, {kVertical, 5}, 1.5, 0);
    // Coincident lines have no piece.
    ExpectRotateQuarticCandidates(point(1, 1), {2, 1}, {2, 1}, 3, 0);
}

TEST(RotateQuartic, EveryCandidateKeepsTheLengthAcrossASweep)
{
    // The quartic can hold roots that give no piece of length d, and the
    // closed-form roots are rough: no candidate may miss the length.
    const double slopes[] = {0.0, 0.3, -2.0, 7.0, kVertical};
    const double intercepts[] = {-4.0, 1.5};
    const point pivots[] = {point(0, 0), point(3, -5), point(-6, 2)};
    const double lengths[] = {0.5, 3.0, 9.0};
    for (double k1 : slopes)
        for (double k2 : slopes)
            for (double b1 : intercepts)
                for (const point& p : pivots)
                    for (double d : lengths)
                        ExpectRotateQuarticCandidates(p, {k1, b1}, {k2, -b1 * 0.5 + 1.0}, d, -1);
}

TEST(AdjustDoubleRotateRotate, TwoCirclesAboutThePivots)
{
    Candidates out;
    ASSERT_EQ(AdjustDoubleRotateRotate(point(0, 0), point(4, 0), 2.5, 2.5, out.out()), 2);
    ExpectPoint(out.p[0], 2, 1.5);
    ExpectPoint(out.p[1], 2, -1.5);
    // Pivots one above the other: roots 1.5 then -1.5, both above.
    ASSERT_EQ(AdjustDoubleRotateRotate(point(0, 0), point(0, 4), 2.5, 2.5, out.out()), 2);
    ExpectPoint(out.p[0], 1.5, 2);
    ExpectPoint(out.p[1], -1.5, 2);

    // A rise below the 0.001 literal counts as level: the pivots are taken as
    // (0, 0) and (4, 0), not solved for the slight tilt.
    ASSERT_EQ(AdjustDoubleRotateRotate(point(0, 0), point(4, 0.0009), 2.5, 2.5, out.out()), 2);
    ExpectPoint(out.p[0], 2, 1.5);
    ExpectPoint(out.p[1], 2, -1.5);

    Candidates none;
    EXPECT_EQ(AdjustDoubleRotateRotate(point(0, 0), point(4, 0), 1, 1, none.out()), 0);
    ExpectPoint(none.p[0], -99, -99);
}

TEST(AdjustDoubleRotateRotate, DegenerateInputsAreACleanFailure)
{
    Candidates out;
    // One circle inside the other: the level branch's radicand is negative.
    EXPECT_EQ(AdjustDoubleRotateRotate(point(0, 0), point(1, 0), 5, 1, out.out()), 0);
    // Coincident pivots.
    EXPECT_EQ(AdjustDoubleRotateRotate(point(2, 2), point(2, 2), 3, 3, out.out()), 0);
    ExpectPoint(out.p[0], -99, -99);
    // Touching circles: the radicand is 0 and both candidates are the touch point.
    ASSERT_EQ(AdjustDoubleRotateRotate(point(0, 0), point(4, 0), 2, 2, out.out()), 2);
    ExpectPoint(out.p[0], 2, 0);
    ExpectPoint(out.p[1], 2, 0);
}

TEST(AdjustDoubleRotateMove, VerticalL2)
{
    Candidates out;
    // Horizontal l1: only one abscissa, so 2 candidates, not 4.
    ASSERT_EQ(AdjustDoubleRotateMove(Line(0, 0), Line(kVertical, 3), point(0, 0), 5, 6, out.out()),
              2);
    ExpectPoint(out.p[0], -3, 4);
    ExpectPoint(out.p[1], -3, -4);
    ExpectPoint(out.p[2], -99, -99);
    // Slanted l1: both abscissae, 4 candidates.
    Candidates four;
    EXPECT_EQ(AdjustDoubleRotateMove(Line(1, 0), Line(kVertical, 1), point(0, 0), 5, 1, four.out()),
              4);
    // Out of reach of the circle: no candidate instead of a NaN.
    Candidates none;
    EXPECT_EQ(AdjustDoubleRotateMove(Line(0, 0), Line(kVertical, 5), point(0, 0), 2, 1, none.out()),
              0);
    ExpectPoint(none.p[0], -99, -99);
}

TEST(AdjustDoubleRotateMove, ParallelThroughTheCandidateMeetsL2AtDistance)
{
    Candidates out;
    // Vertical l1, horizontal l2 (y = 0), r = 5, d = 3.
    const int n = AdjustDoubleRotateMove(Line(kVertical, 0), Line(0, 0), point(0, 0), 5, 3,
                                         out.out());
    ASSERT_EQ(n, 4);
    for (int i = 0; i < n; ++i) {
        EXPECT_NEAR(std::hypot(out.p[i].x(), out.p[i].y()), 5, 1e-9);
        EXPECT_NEAR(std::fabs(out.p[i].y()), 3, 1e-9);
    }
    // Slanted lines about an offset centre.
    const point p(1, 2);
    const LINE l1{0.5, 0}, l2{-1, 4};
    const int m = AdjustDoubleRotateMove(line(l1), line(l2), p, 3, 1, out.out());
    ASSERT_GT(m, 0);
    for (int i = 0; i < m; ++i) {
        const G_POINT c = out.p[i].rec();
        EXPECT_NEAR(std::hypot(c.x - p.x(), c.y - p.y()), 3, 1e-9);
        const G_POINT m2 = Meet(c, G_POINT{c.x + 1, c.y + l1.ltan}, l2);
        EXPECT_NEAR(std::hypot(m2.x - c.x, m2.y - c.y), 1, 1e-6);
    }
}

// A NaN or an infinity reaching a solver from a broken drag gives no
// candidate: nothing non-finite is ever written into the array.
TEST(DragSolvers, NonFiniteInputWritesNoCandidate)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double bad : {nan, inf}) {
        Candidates out;
        EXPECT_EQ(Slide(point(1, 2), Line(1, 0), bad, out.out()), 0);
        EXPECT_EQ(Slide(point(bad, 2), Line(0, 0), 1, out.out()), 0);
        AdjustRotateLinear(Line(0, 0), point(0, 5), point(2, 0), bad, out.out());
        MoveSelfAffect(Line(-1, 5), Line(0, 0), Line(2, 0), bad, out.out());
        RotateQuartic(point(0, -3), line(LINE{0.5, 1}), line(LINE{3, -4}), bad, out.out());
        RotateQuartic(point(bad, 0), line(LINE{0, 1}), line(LINE{0, 3}), 4, out.out());
        AdjustDoubleRotateRotate(point(0, 0), point(4, 0), bad, 2.5, out.out());
        AdjustDoubleRotateRotate(point(0, 0), point(4, 1), 2.5, bad, out.out());
        AdjustDoubleRotateMove(Line(1, 0), Line(kVertical, 1), point(0, 0), bad, 1, out.out());
        AdjustDoubleRotateMove(Line(0.5, 0), Line(-1, 4), point(1, 2), 3, bad, out.out());
        for (const point& p : out.p) {
            EXPECT_TRUE(std::isfinite(p.x())) << bad;
            EXPECT_TRUE(std::isfinite(p.y())) << bad;
        }
    }
}

TEST(AdjustDoubleRotateMove, TangentRadicandCountsAsZero)
{
    // l2 (x = 5) touches the circle of radius 5: both candidates at (5, 0).
    Candidates out;
    ASSERT_EQ(AdjustDoubleRotateMove(Line(0, 0), Line(kVertical, 5), point(0, 0), 5, 0, out.out()),
              2);
    ExpectPoint(out.p[0], 5, 0);
    ExpectPoint(out.p[1], 5, 0);
    // Just beyond reach by less than the 1e-6 radicand margin still counts.
    Candidates near;
    ASSERT_EQ(AdjustDoubleRotateMove(Line(0, 0), Line(kVertical, 5 + 5e-8), point(0, 0), 5, 0,
                                     near.out()),
              2);
    ExpectPoint(near.p[0], 5 + 5e-8, 0, 1e-6);
}

}  // namespace
