// A wheel on a crank: a wall of given length from a fixed node, a circle of
// given radius about its far end touching a fixed circle. The end is placed
// by the length and the tangency at once, each measured from its own fixed
// node.
#include <gtest/gtest.h>

#include <cmath>

#include "kor_new_dimension_fixture.h"

namespace {

constexpr double kTolerance = 0.01;  // inches

struct CrankCase {
    point fixedCentre;  // of the fixed circle
    double fixedRadius;
    point end;          // where the crank's end is drawn
    point rim;          // where the wheel's rim node is drawn
    double arm;         // the crank's length
    double radius;      // the wheel's radius
};

class KorWheelOnACrank : public KorSketchFixture,
                         public ::testing::WithParamInterface<CrankCase> {};

TEST_P(KorWheelOnACrank, TheEndTakesTheArmFromTheCrankAndTheTangencyFromTheCircle)
{
    const CrankCase k = GetParam();
    const KorHandle a = Node(0, 0);
    const KorHandle c1 = Node(k.fixedCentre.x(), k.fixedCentre.y());
    const KorHandle m1 = Node(k.fixedCentre.x() + k.fixedRadius, k.fixedCentre.y());
    for (KorHandle n : {a, c1, m1})
        ASSERT_NE(Fix(n), 0u);
    const KorHandle fixedCircle = model.CreateCircle(c1, m1);
    const KorHandle c = Node(k.end.x(), k.end.y());
    ASSERT_NE(Segment(a, c), 0u);
    const KorHandle arm = model.CreateDistance(a, c, KOR_DISTANCE, 0);
    ASSERT_TRUE(model.SetDimensionValue(arm, k.arm, KORDimensionType(2)));
    const KorHandle rim = Node(k.rim.x(), k.rim.y());
    const KorHandle wheel = model.CreateCircle(c, rim);
    const KorHandle radius = model.CreateRadial(wheel, 0);
    ASSERT_TRUE(model.SetDimensionValue(radius, k.radius, KORDimensionType(2)));
    ASSERT_NE(model.CreateConstraint(KOR_TANGENT, wheel, fixedCircle, 0, 0), 0u);
    ASSERT_TRUE(model.Resolve()) << "error " << model.GetError();
    EXPECT_NEAR(Distance(a, c), k.arm, kTolerance);
    EXPECT_NEAR(Distance(c, rim), k.radius, kTolerance);
    EXPECT_NEAR(Distance(c, c1), k.radius + k.fixedRadius, kTolerance);
}

// Drawn 0.1, 2 and 5 in off.
INSTANTIATE_TEST_SUITE_P(
    Cranks, KorWheelOnACrank,
    ::testing::Values(CrankCase{{305.4848, 93.6326}, 50.4606, {247.3817, 161.8224},
                                {229.5269, 127.0932}, 295.6446, 39.1383},
                      CrankCase{{290.5657, 172.7509}, 118.9559, {165.4257, 92.6328},
                                {149.8661, 69.4454}, 191.0752, 28.1891},
                      CrankCase{{242.6250, 151.0325}, 98.7920, {88.0876, 127.0100},
                                {58.5615, 175.7202}, 152.4140, 58.4070}));

}  // namespace
