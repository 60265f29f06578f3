#include "kor_orientation.h"

#include <gtest/gtest.h>

#include "kor_test_model.h"
#include "point.h"

namespace {

using KorOrientationTest = KorModelFixture;

struct CodeCase {
    double dx;
    double dy;
    std::uint32_t code;
};

TEST_F(KorOrientationTest, DirectionCodeTable)
{
    const CodeCase cases[] = {
        {1, 0.1, 5},      {1, 0.0999, 2},  {0.0005, 5, 1},  {0, 0, 0},
        {-1, -20, 4},     {-1, -10, 7},    {0.0005, -5, 4}, {1, 10, 5},
        {1, 10.001, 1},   {1, -10, 8},     {1, -10.001, 4}, {1, -0.0999, 2},
        {-1, 0.0999, 3},  {-1, 0.1, 6},    {-1, 10, 6},     {-1, 10.001, 1},
        {-1, -0.1, 7},    {-1, -10.001, 4}, {-1, 0, 3},     {2, 0, 2},
    };
    for (const CodeCase& c : cases)
        EXPECT_EQ(KorOrientation(c.dx, c.dy).GetCode(), c.code) << c.dx << ", " << c.dy;
}

TEST_F(KorOrientationTest, FromPointsUsesTheDifference)
{
    EXPECT_EQ(KorOrientation(point(0, 0), point(1, 0.1)).GetCode(), 5u);
    EXPECT_EQ(KorOrientation(point(10, 10), point(9, 9.5)).GetCode(), 7u);
    EXPECT_EQ(KorOrientation(point(10, 10), point(10, 10)).GetCode(), 0u);
    EXPECT_FALSE(KorOrientation(point(3, 3), point(3, 3)).IsSet());
}

TEST_F(KorOrientationTest, FromAnglesGivesNineOrTen)
{
    EXPECT_EQ(KorOrientation(angle(10.0), angle(20.0)).GetCode(), 9u);
    EXPECT_EQ(KorOrientation(angle(20.0), angle(10.0)).GetCode(), 10u);
    EXPECT_EQ(KorOrientation(angle(20.0), angle(20.0)).GetCode(), 10u);
}

KorOrientation OfCode(std::uint32_t code)
{
    switch (code) {
    case 1: return KorOrientation(0, 1);
    case 2: return KorOrientation(1, 0);
    case 3: return KorOrientation(-1, 0);
    case 4: return KorOrientation(0, -1);
    case 5: return KorOrientation(1, 1);
    case 6: return KorOrientation(-1, 1);
    case 7: return KorOrientation(-1, -1);
    case 8: return KorOrientation(1, -1);
    case 9: return KorOrientation(angle(1.0), angle(2.0));
    case 10: return KorOrientation(angle(2.0), angle(1.0));
    default: return KorOrientation();
    }
}

TEST_F(KorOrientationTest, SenseTestFollowsTheOpposedTable)
{
    const std::uint32_t opposed[9][3] = {
        {0, 0, 0}, {4, 7, 8}, {3, 6, 7}, {2, 5, 8}, {1, 5, 6},
        {3, 4, 7}, {2, 4, 8}, {1, 2, 5}, {1, 3, 6},
    };
    for (std::uint32_t a = 1; a <= 8; ++a) {
        for (std::uint32_t b = 1; b <= 10; ++b) {
            bool isOpposed = false;
            for (std::uint32_t o : opposed[a])
                isOpposed = isOpposed || o == b;
            EXPECT_EQ(OfCode(a) == OfCode(b), !isOpposed) << a << " vs " << b;
            EXPECT_EQ(OfCode(a) != OfCode(b), isOpposed) << a << " vs " << b;
        }
    }
}

TEST_F(KorOrientationTest, SenseTestEdgeCases)
{
    EXPECT_TRUE(OfCode(1) == OfCode(5));
    EXPECT_FALSE(OfCode(1) == OfCode(8));
    EXPECT_FALSE(OfCode(9) == OfCode(10));
    EXPECT_TRUE(OfCode(9) == OfCode(9));
    EXPECT_FALSE(OfCode(9) == OfCode(1));
    for (std::uint32_t c = 0; c <= 10; ++c) {
        EXPECT_TRUE(OfCode(0) == OfCode(c)) << c;
        EXPECT_TRUE(OfCode(c) == OfCode(0)) << c;
    }
}

TEST_F(KorOrientationTest, AnglesAndDeltas)
{
    const double degrees[11] = {0, 90, 0, 180, -90, 45, 135, 225, -45, 0, 0};
    const double deltas[11][2] = {{0, 0},  {0, 1},   {1, 0},  {-1, 0}, {0, -1}, {1, 1},
                                  {-1, 1}, {-1, -1}, {1, -1}, {0, 0},  {0, 0}};
    for (std::uint32_t c = 0; c <= 10; ++c) {
        const KorOrientation o = OfCode(c);
        ASSERT_EQ(o.GetCode(), c);
        EXPECT_NEAR(o.GetAngle().deg(), degrees[c], 1e-9) << c;
        double dx = 7, dy = 7;
        o.GetDeltas(dx, dy);
        EXPECT_EQ(dx, deltas[c][0]) << c;
        EXPECT_EQ(dy, deltas[c][1]) << c;
    }
}

TEST_F(KorOrientationTest, DeltaUnitGrowsWithTheSnap)
{
    GeoSnap() = 1.6;  // twice is 3.2, taken as 3
    double dx = 0, dy = 0;
    KorOrientation(-1, -1).GetDeltas(dx, dy);
    EXPECT_EQ(dx, -3.0);
    EXPECT_EQ(dy, -3.0);
}

TEST_F(KorOrientationTest, IdenticalComparesCodesOnly)
{
    EXPECT_TRUE(OfCode(1).IsIdentical(OfCode(1)));
    EXPECT_FALSE(OfCode(1).IsIdentical(OfCode(5)));
    const KorOrientation copy = OfCode(6);
    EXPECT_EQ(copy.GetCode(), 6u);
}

}  // namespace
