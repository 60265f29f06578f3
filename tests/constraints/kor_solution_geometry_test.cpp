#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "circle.h"
#include "kor_solution_geometry.h"

namespace {

struct CirclePair {
    const char* name;
    point c1;
    double r1;
    point c2;
    double r2;
};

void PrintTo(const CirclePair& pair, std::ostream* out) { *out << pair.name; }

class KorCircleCrossingsTest : public ::testing::TestWithParam<CirclePair> {};

double Off(const point& p, const point& centre, double r)
{
    return std::fabs(std::hypot(p.x() - centre.x(), p.y() - centre.y()) - r);
}

// Every crossing lies on both circles, in the library's order: greater x
// first, greater y first for level centres.
TEST_P(KorCircleCrossingsTest, CrossingsLieOnBothCircles)
{
    const CirclePair& pair = GetParam();
    point out[2];
    ASSERT_EQ(KorCircleCrossings(circle(pair.c1, pair.r1), circle(pair.c2, pair.r2), out), 2);
    for (const point& p : out) {
        EXPECT_NEAR(Off(p, pair.c1, pair.r1), 0.0, 1e-9);
        EXPECT_NEAR(Off(p, pair.c2, pair.r2), 0.0, 1e-9);
    }
    if (std::fabs(pair.c2.y() - pair.c1.y()) <= 0.01)
        EXPECT_GT(out[0].y(), out[1].y());
    else
        EXPECT_GT(out[0].x(), out[1].x());
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, KorCircleCrossingsTest,
    ::testing::Values(CirclePair{"centres nearly upright", {-0.5, -120}, 177.68, {0, 0}, 183.85},
                      CirclePair{"centres nearly level", {0, 0}, 200, {150, 0.008}, 180},
                      CirclePair{"centres upright", {0, -120}, 177.68, {0, 0}, 183.85},
                      CirclePair{"centres level", {0, 0}, 200, {150, 0}, 180},
                      CirclePair{"centres slanted", {0, 0}, 200, {150, 90}, 180}));

// Where the library crosses exactly, its points are taken as they are.
TEST(KorCircleCrossings, ExactCrossingsAreTheLibrarysOwn)
{
    const circle pairs[][2] = {{circle(point(0, 0), 200), circle(point(150, 90), 180)},
                               {circle(point(0, -120), 177.68), circle(point(0, 0), 183.85)},
                               {circle(point(0, 0), 200), circle(point(150, 0), 180)}};
    for (const auto& pair : pairs) {
        point ours[2];
        point library[2];
        ASSERT_EQ(KorCircleCrossings(pair[0], pair[1], ours), 2);
        ASSERT_EQ(KorIntersect(pair[0], pair[1], library, 2), 2);
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(ours[i].x(), library[i].x());
            EXPECT_EQ(ours[i].y(), library[i].y());
        }
    }
}

}  // namespace
