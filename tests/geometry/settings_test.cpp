#include "settings.h"

#include "circle.h"
#include "distances.h"
#include "geolist.h"
#include "line.h"
#include "point.h"
#include "ray.h"

#include <gtest/gtest.h>

namespace {

TEST(Settings, InitialValues)
{
    EXPECT_DOUBLE_EQ(GeoSnap(), 0.01);
    EXPECT_DOUBLE_EQ(GeoDif(), 0.001);
    EXPECT_EQ(GeoTouchMode(), 1);
    EXPECT_EQ(GeoInsertMode(), 0);
    EXPECT_EQ(GeoConnectMode(), 0);
    EXPECT_EQ(GeoError(), 0);
}

struct ComparisonCase {
    double a, b;
    bool eq, ne, lt, gt;
};

// At a difference of exactly GeoSnap the strict comparisons are neither equal nor unequal.
TEST(Settings, StrictComparisonsAtTheSnapTolerance)
{
    const ComparisonCase cases[] = {
        {0.0, 0.01, false, false, false, false},
        {0.0, 0.005, true, false, false, false},
        {0.0, 0.02, false, true, true, false},
        {0.02, 0.0, false, true, false, true},
        {0.01, 0.0, false, false, false, false},
    };
    for (const ComparisonCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " vs " << c.b);
        EXPECT_EQ(GeoEQ(c.a, c.b), c.eq);
        EXPECT_EQ(GeoNE(c.a, c.b), c.ne);
        EXPECT_EQ(GeoLT(c.a, c.b), c.lt);
        EXPECT_EQ(GeoGT(c.a, c.b), c.gt);
    }
}

// Every angle wrap uses the short literal, not 2*pi at full precision.
TEST(Settings, FullTurnIsTheShortLiteral)
{
    EXPECT_EQ(GEO_2PI, 6.28318530718);
    EXPECT_NE(GEO_2PI, 2.0 * 3.14159265358979323846);
}

TEST(Settings, WrittenSnapToleranceHoldsUntilWrittenAgain)
{
    const double saved = GeoSnap();
    GeoSnap() = 0.5;
    EXPECT_TRUE(GeoEQ(0.0, 0.4));
    EXPECT_FALSE(GeoNE(0.0, 0.4));
    EXPECT_FALSE(GeoLT(0.0, 0.4));
    GeoSnap() = saved;
    EXPECT_FALSE(GeoEQ(0.0, 0.4));
}

// A construction clears the code first; other operations only set it.
TEST(Settings, ConstructionClearsTheErrorAndDistanceSetsIt)
{
    const char saved = GeoError();
    line a(LINE{0.0, 0.0}), parallel(LINE{0.0, 1.0}), crossing(LINE{1.0, 0.0});
    point p;
    EXPECT_FALSE(p = (a & parallel));
    EXPECT_EQ(GeoError(), GEO_NO_SOLUTION);
    EXPECT_TRUE(p = (a & crossing));
    EXPECT_EQ(GeoError(), GEO_OK);
    EXPECT_EQ(GeoDistance(circle(1.0, point(5, 5)), ray(G_POINT{0, 0}, 0.0)), 0.0);
    EXPECT_EQ(GeoError(), GEO_BAD_ARGUMENTS);
    GeoError() = saved;
}

}  // namespace
