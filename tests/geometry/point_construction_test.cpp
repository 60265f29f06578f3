// A point from an argument list: the rows by length and code sequence, the
// choice between two solutions (hint, angle, "LEFT"/"RIGHT"), the ahead
// test on rays and the error codes.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "angle.h"
#include "arc.h"
#include "circle.h"
#include "geolist.h"
#include "line.h"
#include "point.h"
#include "polygon.h"
#include "ray.h"
#include "segment.h"
#include "settings.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
const double kHalfRoot3 = std::sqrt(3.0) / 2;
const double kHalfRoot2 = std::sqrt(2.0) / 2;

class PointConstructionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedError_ = GeoError();
        savedTouch_ = GeoTouchMode();
    }
    void TearDown() override
    {
        GeoError() = savedError_;
        GeoTouchMode() = savedTouch_;
    }
    char savedError_ = 0;
    char savedTouch_ = 1;
};

// The objects the rows are built from.
const point origin(0, 0);
const point p10(10, 0);
const line xAxis(0.0, 0.0);
const line vertical1(GEO_VERTICAL, 1.0);
const line diagonal(1.0, 0.0);
const circle unit(1.0, point(0, 0));
const circle unitAt1(1.0, point(1, 0));
const arc quarter(ARC{{0, 0}, 1, 0.0, kPi / 2});
const arc upperHalf(ARC{{0, 0}, 1, 0.0, kPi});
const arc wide(ARC{{0, 0}, 1, kPi / 2, 0.0});  // three quarters, through pi
const segment across(point(-2, 0), point(2, 0));
const segment upright(point(2, 0), point(2, 10));
const ray east(point(0, 0), 0.0);
const ray up(point(0.5, -3), kPi / 2);

struct Row {
    std::string name;
    std::function<bool(point&)> build;  // builds the list and assigns it
    bool ok;
    double x;
    double y;
    char error;
};

TEST_F(PointConstructionTest, Rows)
{
    const std::vector<Row> rows = {
        // one and two items
        {"P", [](point& p) { return p = (geolist(point(3, 4))); }, true, 3, 4, 0},
        {"P P midpoint", [](point& p) { return p = (origin & p10); }, true, 5, 0, 0},
        {"L L", [](point& p) { return p = (xAxis & diagonal); }, true, 0, 0, 0},
        {"L L parallel", [](point& p) { return p = (xAxis & line(0.0005, 3.0)); }, false, 0, 0, 1},
        {"L P projection", [](point& p) { return p = (diagonal & point(2, 0)); }, true, 1, 1, 0},
        {"S V", [](point& p) { return p = (upright & 0.25); }, true, 2, 2.5, 0},
        {"S P", [](point& p) { return p = (across & point(5, 3)); }, true, 2, 0, 0},
        {"S L", [](point& p) { return p = (across & vertical1); }, true, 1, 0, 0},
        {"S L outside", [](point& p) { return p = (across & line(GEO_VERTICAL, 3.0)); }, false, 0, 0, 1},
        {"S C nearer start", [](point& p) { return p = (across & unit); }, true, -1, 0, 0},
        {"S S", [](point& p) { return p = (across & segment(point(0, -1), point(0, 1))); }, true, 0, 0, 0},
        {"S S none", [](point& p) { return p = (across & segment(point(5, 5), point(6, 6))); }, false, 0, 0, 1},
        {"S degenerate", [](point& p) { return p = (segment(point(1, 1), point(1, 1)) & 0.5); }, false, 0, 0, 1},
        {"S A not taken", [](point& p) { return p = (across & angle(5.0)); }, false, 0, 0, 3},
        {"arc START", [](point& p) { return p = (quarter & "START"); }, true, 1, 0, 0},
        {"arc END", [](point& p) { return p = (quarter & "END"); }, true, 0, 1, 0},
        {"arc MIDPOINT", [](point& p) { return p = (quarter & "MIDPOINT"); }, true, kHalfRoot2, kHalfRoot2, 0},
        {"arc MIDDLE", [](point& p) { return p = (quarter & "MIDDLE"); }, true, kHalfRoot2, kHalfRoot2, 0},
        {"arc wide MIDDLE on the arc", [](point& p) { return p = (wide & "MIDDLE"); }, true, -kHalfRoot2, -kHalfRoot2, 0},
        {"arc unknown keyword", [](point& p) { return p = (quarter & "LEFT"); }, false, 0, 0, 3},
        {"arc V", [](point& p) { return p = (quarter & 0.5); }, true, kHalfRoot2, kHalfRoot2, 0},
        {"arc L", [](point& p) { return p = (quarter & xAxis); }, true, 1, 0, 0},
        {"arc L one kept", [](point& p) { return p = (quarter & line(0.0, 0.5)); }, true, kHalfRoot3, 0.5, 0},
        {"arc C one kept", [](point& p) { return p = (quarter & unitAt1); }, true, 0.5, kHalfRoot3, 0},
        {"arc arc2", [](point& p) { return p = (quarter & arc(ARC{{1, 0}, 1, kPi / 2, kPi})); }, true, 0.5,
         kHalfRoot3, 0},
        {"full arc V", [](point& p) { return p = (arc(ARC{{0, 0}, 1, 0.0, 0.0}) & 0.5); }, true, -1, 0, 0},
        {"full arc MIDDLE", [](point& p) { return p = (arc(ARC{{0, 0}, 1, 0.0, 0.0}) & "MIDDLE"); }, true, -1, 0,
         0},
        {"arc S nearer start", [](point& p) { return p = (upperHalf & segment(point(-2, 0.5), point(2, 0.5))); }, true,
         -kHalfRoot3, 0.5, 0},
        {"R V", [](point& p) { return p = (up & 2.0); }, true, 0.5, -1, 0},
        {"R L ahead", [](point& p) { return p = (up & xAxis); }, true, 0.5, 0, 0},
        {"R L behind", [](point& p) { return p = (up & line(0.0, -5.0)); }, false, 0, 0, 1},
        {"R L direction 0", [](point& p) { return p = (east & vertical1); }, true, 1, 0, 0},
        {"R L direction 0 behind", [](point& p) { return p = (east & line(GEO_VERTICAL, -1.0)); }, false, 0, 0, 1},
        {"R C nearer origin", [](point& p) { return p = (up & unit); }, true, 0.5, -kHalfRoot3, 0},
        {"R S", [](point& p) { return p = (east & segment(point(2, -1), point(2, 1))); }, true, 2, 0, 0},
        {"R S behind", [](point& p) { return p = (east & segment(point(-2, -1), point(-2, 1))); }, false, 0, 0, 1},
        {"R arc one kept", [](point& p) { return p = (up & upperHalf); }, true, 0.5, kHalfRoot3, 0},
        {"R R", [](point& p) { return p = (up & east); }, true, 0.5, 0, 0},
        {"R R behind the second", [](point& p) { return p = (up & ray(point(1, 0), 0.0)); }, false, 0, 0, 1},
        {"C P closest", [](point& p) { return p = (unit & point(3, 0)); }, true, 1, 0, 0},
        {"C C first", [](point& p) { return p = (unit & unitAt1); }, true, 0.5, kHalfRoot3, 0},
        {"C A", [](point& p) { return p = (unit & angle(90.0)); }, true, 0, 1, 0},
        {"C L tangent", [](point& p) { return p = (unit & line(0.0, 1.0)); }, true, 0, 1, 0},
        {"C V not taken", [](point& p) { return p = (unit & 2.0); }, false, 0, 0, 3},
        // three items
        {"P V V", [](point& p) { return p = (point(1, 2) & 3.0 & -4.0); }, true, 4, -2, 0},
        {"P A V", [](point& p) { return p = (point(1, 2) & angle(90.0) & 3.0); }, true, 1, 5, 0},
        {"P P V parameter", [](point& p) { return p = (origin & p10 & 0.5); }, true, 5, 0, 0},
        {"P P V distance 1", [](point& p) { return p = (origin & p10 & 1.0); }, true, 1, 0, 0},
        {"P P V distance", [](point& p) { return p = (origin & p10 & 2.5); }, true, 2.5, 0, 0},
        {"P P V coincident", [](point& p) { return p = (origin & origin & 2.5); }, false, 0, 0, 1},
        {"P P V infinite distance", [](point& p) { return p = (origin & p10 & HUGE_VAL); }, false, 0, 0, 1},
        {"P P P circumcentre", [](point& p) { return p = (point(1, 0) & point(0, 1) & point(-1, 0)); }, true, 0, 0, 0},
        {"P V K not taken", [](point& p) { return p = (point(1, 2) & 3.0 & "LEFT"); }, false, 0, 0, 3},
        {"P P K not taken", [](point& p) { return p = (origin & p10 & "LEFT"); }, false, 0, 0, 3},
        {"P P A not taken", [](point& p) { return p = (origin & p10 & angle(5.0)); }, false, 0, 0, 3},
        {"L P V horizontal", [](point& p) { return p = (xAxis & point(1, 1) & 2.0); }, true, 3, 1, 0},
        {"L P V vertical", [](point& p) { return p = (vertical1 & point(1, 1) & 2.0); }, true, 1, 3, 0},
        {"S C P", [](point& p) { return p = (across & unit & point(2, 0)); }, true, 1, 0, 0},
        {"arc L P", [](point& p) { return p = (upperHalf & line(0.0, 0.5) & point(-2, 0)); }, true, -kHalfRoot3, 0.5, 0},
        {"arc C LEFT", [](point& p) { return p = (quarter & unitAt1 & "LEFT"); }, false, 0, 0, 1},
        {"arc2 C LEFT", [](point& p) { return p = (upperHalf & circle(1.0, point(0, 1)) & "LEFT"); }, true, -kHalfRoot3, 0.5, 0},
        {"C P P2 tangent", [](point& p) { return p = (unit & point(2, 0) & point(1, 1)); }, true, 0.5, kHalfRoot3, 0},
        // Left of the directed line from P (2, 0) to the centre is below the x axis.
        {"C P RIGHT", [](point& p) { return p = (unit & point(2, 0) & "RIGHT"); }, true, 0.5, kHalfRoot3, 0},
        {"C P LEFT", [](point& p) { return p = (unit & point(2, 0) & "LEFT"); }, true, 0.5, -kHalfRoot3, 0},
        {"C P A", [](point& p) { return p = (unit & point(2, 0) & angle(-60.0)); }, true, 0.5, -kHalfRoot3, 0},
        {"C P on the circle", [](point& p) { return p = (unit & point(0, 1) & point(5, 5)); }, true, 0, 1, 0},
        {"C P inside", [](point& p) { return p = (unit & point(0.2, 0) & point(5, 5)); }, false, 0, 0, 1},
        {"C C LEFT", [](point& p) { return p = (unit & unitAt1 & "LEFT"); }, true, 0.5, kHalfRoot3, 0},
        {"C C RIGHT", [](point& p) { return p = (unit & unitAt1 & "RIGHT"); }, true, 0.5, -kHalfRoot3, 0},
        {"C C P", [](point& p) { return p = (unit & unitAt1 & point(0, -3)); }, true, 0.5, -kHalfRoot3, 0},
        {"C C A", [](point& p) { return p = (unit & unitAt1 & angle(-60.0)); }, true, 0.5, -kHalfRoot3, 0},
        // Ties: a hint nearer the first candidate by less than GeoSnap, an angle
        // equally far from both, and a keyword other than "LEFT"/"RIGHT".
        {"C C P within GeoSnap: second", [](point& p) { return p = (unit & unitAt1 & point(0.5, 0.004)); }, true,
         0.5, -kHalfRoot3, 0},
        {"C C P nearer the first", [](point& p) { return p = (unit & unitAt1 & point(0.5, 0.02)); }, true, 0.5,
         kHalfRoot3, 0},
        {"C C A equal: second", [](point& p) { return p = (unit & unitAt1 & angle(0.0)); }, true, 0.5, -kHalfRoot3,
         0},
        {"C C other keyword: first", [](point& p) { return p = (unit & unitAt1 & "END"); }, true, 0.5, kHalfRoot3, 0},
        {"C L P", [](point& p) { return p = (unit & xAxis & point(-3, 1)); }, true, -1, 0, 0},
        {"C L A", [](point& p) { return p = (unit & xAxis & angle(0.0)); }, true, 1, 0, 0},
        {"C L K not taken", [](point& p) { return p = (unit & xAxis & "LEFT"); }, false, 0, 0, 3},
        {"R C P", [](point& p) { return p = (up & unit & point(0, 5)); }, true, 0.5, kHalfRoot3, 0},
        {"R arc P", [](point& p) { return p = (up & upperHalf & point(0, 5)); }, true, 0.5, kHalfRoot3, 0},
        // four items
        {"L P P2 V", [](point& p) { return p = (xAxis & point(1, 0) & point(-5, 0) & 2.0); }, true, -1, 0, 0},
        {"L P P2 V tie", [](point& p) { return p = (xAxis & point(1, 0) & point(1, 7) & 2.0); }, true, -1, 0, 0},
        // From y = x to y = -x along the horizontal y = 5: the chord of length 2
        // on the side of y = 5 starts at (1, 1).
        {"L L L V", [](point& p) { return p = (line(0.0, 5.0) & diagonal & line(-1.0, 0.0) & 2.0); }, true, 1, 1, 0},
        {"L L L V parallel", [](point& p) { return p = (line(0.0, 5.0) & diagonal & line(1.0, 3.0) & 2.0); }, false, 0,
         0, 1},
        {"P P V K distance", [](point& p) { return p = (origin & p10 & 0.5 & "LEFT"); }, true, 0.5, 0, 0},
        {"P P V K coincident", [](point& p) { return p = (origin & origin & 0.5 & "LEFT"); }, false, 0, 0, 1},
        // lengths no row takes
        {"V V",
         [](point& p) {
             geolist values;
             values & 1.0 & 2.0;
             return p = values;
         },
         false, 0, 0, 3},
        {"five items", [](point& p) { return p = (origin & p10 & origin & p10 & origin); }, false, 0, 0, 3},
    };
    for (const Row& row : rows) {
        GeoError() = 7;  // cleared by the construction
        point p(-99, -99);
        const bool ok = row.build(p);
        EXPECT_EQ(ok, row.ok) << row.name;
        EXPECT_EQ(GeoError(), row.error) << row.name;
        if (row.ok) {
            EXPECT_NEAR(p.x(), row.x, 1e-9) << row.name;
            EXPECT_NEAR(p.y(), row.y, 1e-9) << row.name;
        } else {
            EXPECT_EQ(p.x(), -99) << row.name;  // unchanged on failure
            EXPECT_EQ(p.y(), -99) << row.name;
        }
    }
}

TEST_F(PointConstructionTest, PolygonSides)
{
    polygon open;
    for (const point& v : {point(0, 0), point(10, 0), point(10, 10), point(0, 10)})
        open + v;
    point p;
    EXPECT_TRUE(p = (open & point(5, -3)));
    EXPECT_NEAR(p.y(), 0, 1e-9);
    EXPECT_TRUE(p = (open & point(12, 5) & 1.0));  // side 1: (10,0)-(10,10)
    EXPECT_NEAR(p.x(), 10, 1e-9);
    EXPECT_NEAR(p.y(), 5, 1e-9);
    EXPECT_TRUE(p = (open & point(5, 12) & 2.0 & 3.0));
    EXPECT_NEAR(p.y(), 10, 1e-9);
    point q(4, 4);
    EXPECT_FALSE(q = (open & point(5, 12) & 7.0));  // no such side
    EXPECT_EQ(GeoError(), 1);
    EXPECT_EQ(q.x(), 4);
}

TEST_F(PointConstructionTest, SegmentLineEndFollowsTouchMode)
{
    const segment s(point(0, 0), point(10, 0));
    const line beyond(GEO_VERTICAL, 10.005);
    point p;
    GeoTouchMode() = 1;
    EXPECT_TRUE(p = (s & beyond));
    GeoTouchMode() = 0;
    EXPECT_FALSE(p = (s & beyond));
    EXPECT_EQ(GeoError(), 1);
}

TEST_F(PointConstructionTest, ConstructorFromListAndTemporaries)
{
    const point p(xAxis & diagonal);
    EXPECT_EQ(GeoError(), 0);
    EXPECT_NEAR(p.x(), 0, 1e-12);
    point q;
    EXPECT_TRUE(q = (line(0.0, 2.0) & line(GEO_VERTICAL, 3.0)));
    EXPECT_NEAR(q.x(), 3, 1e-12);
    EXPECT_NEAR(q.y(), 2, 1e-12);
}

}  // namespace
