// A tracker fitted against two tangencies at once: a wall laid over two
// fixed circles, and a circle of free size between two fixed parallel walls.
// Neither has a place from one tangency alone; each solves only when the
// first tangency lets go of the tracker while both are fitted together.
#include <gtest/gtest.h>

#include <cmath>

#include "kor_new_dimension_fixture.h"

namespace {

constexpr double kTolerance = 0.01;  // inches

double LineDistance(const point& p, const point& a, const point& b)
{
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    return std::fabs(dx * (p.y() - a.y()) - dy * (p.x() - a.x())) / std::hypot(dx, dy);
}

struct BeltCase {
    double r1, r2;  // radii of the fixed circles
    double d;       // distance between their centres
    double off;     // how far the wall's ends start from their places
};

class KorBeltOverTwoCircles : public KorSketchFixture,
                              public ::testing::WithParamInterface<BeltCase> {};

// Two fixed circles side by side and a wall drawn along the top of both,
// its ends free.
TEST_P(KorBeltOverTwoCircles, AWallTouchingTwoFixedCirclesSolves)
{
    const BeltCase k = GetParam();
    const KorHandle c1 = Node(0, 0), m1 = Node(k.r1, 0);
    const KorHandle c2 = Node(k.d, 0), m2 = Node(k.d + k.r2, 0);
    for (KorHandle n : {c1, m1, c2, m2})
        ASSERT_NE(Fix(n), 0u);
    const KorHandle k1 = model.CreateCircle(c1, m1);
    const KorHandle k2 = model.CreateCircle(c2, m2);
    const double phi = std::asin((k.r1 - k.r2) / k.d);
    const KorHandle a = Node(std::sin(phi) * k.r1 + k.off, std::cos(phi) * k.r1 - k.off);
    const KorHandle b = Node(k.d + std::sin(phi) * k.r2 - k.off, std::cos(phi) * k.r2 + k.off);
    const KorHandle wall = Segment(a, b);
    ASSERT_NE(model.CreateConstraint(KOR_TANGENT, k1, wall, 0, 0), 0u);
    ASSERT_NE(model.CreateConstraint(KOR_TANGENT, k2, wall, 0, 0), 0u);
    ASSERT_TRUE(model.Resolve()) << "error " << model.GetError();
    const point pa = NodeOf(a)->GetPoint(), pb = NodeOf(b)->GetPoint();
    EXPECT_NEAR(LineDistance(point(0, 0), pa, pb), k.r1, kTolerance);
    EXPECT_NEAR(LineDistance(point(k.d, 0), pa, pb), k.r2, kTolerance);
    EXPECT_GT(pa.y(), 0.0);
    EXPECT_GT(pb.y(), 0.0);
}

INSTANTIATE_TEST_SUITE_P(Belts, KorBeltOverTwoCircles,
                         ::testing::Values(BeltCase{60.0, 35.0, 250.0, 2.0},
                                           BeltCase{40.0, 80.0, 200.0, 0.1},
                                           BeltCase{50.0, 50.0, 320.0, 5.0}));

struct ChannelCase {
    double r;    // half the channel's width
    double off;  // how far the circle's nodes start from their places
};

class KorCircleInAChannel : public KorSketchFixture,
                            public ::testing::WithParamInterface<ChannelCase> {};

// Two fixed parallel walls 2r apart and a circle without a radius touching
// both: its radius is r, its centre on the mid-line.
TEST_P(KorCircleInAChannel, AnUnsizedCircleBetweenParallelWallsSolves)
{
    const ChannelCase k = GetParam();
    const KorHandle a = Node(-200, 0), b = Node(300, 0);
    const KorHandle c = Node(300, 2 * k.r), d = Node(-200, 2 * k.r);
    for (KorHandle n : {a, b, c, d})
        ASSERT_NE(Fix(n), 0u);
    const KorHandle bottom = Segment(a, b);
    const KorHandle top = Segment(c, d);
    const KorHandle centre = Node(40.0 + k.off, k.r - k.off);
    const KorHandle rim = Node(40.0 + k.r * 0.6, k.r + k.r * 0.8 + k.off);
    const KorHandle round = model.CreateCircle(centre, rim);
    ASSERT_NE(model.CreateConstraint(KOR_TANGENT, round, bottom, 0, 0), 0u);
    ASSERT_NE(model.CreateConstraint(KOR_TANGENT, round, top, 0, 0), 0u);
    ASSERT_TRUE(model.Resolve()) << "error " << model.GetError();
    EXPECT_NEAR(NodeOf(centre)->GetPoint().y(), k.r, kTolerance);
    EXPECT_NEAR(Distance(centre, rim), k.r, kTolerance);
}

INSTANTIATE_TEST_SUITE_P(Channels, KorCircleInAChannel,
                         ::testing::Values(ChannelCase{40.0, 2.0}, ChannelCase{75.0, 0.1},
                                           ChannelCase{25.0, 5.0}));

}  // namespace
