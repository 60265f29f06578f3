// A circle fitted against tangencies to walls at real size: in the corner of
// two walls and touching a third circle, the circle's size comes only from
// all three tangencies at once.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "kor_new_dimension_fixture.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTolerance = 0.01;  // inches

point Polar(const point& centre, double r, double degrees)
{
    return point(centre.x() + r * std::cos(degrees * kPi / 180.0),
                 centre.y() + r * std::sin(degrees * kPi / 180.0));
}

double LineDistance(const point& p, const point& a, const point& b)
{
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    return std::fabs(dx * (p.y() - a.y()) - dy * (p.x() - a.x())) / std::hypot(dx, dy);
}

double Dist(const point& p, const point& q) { return std::hypot(q.x() - p.x(), q.y() - p.y()); }

struct CornerCase {
    double turn;    // degrees between the two walls
    double r;       // radius the circle ends with
    double r2;      // radius of the fixed circle beyond it
    double offset;  // how far the centre and the rim node start from their places
};

class KorCircleInACorner : public KorSketchFixture,
                           public ::testing::WithParamInterface<CornerCase> {};

// Two fixed walls 400 long meeting at the origin, a fixed circle on the
// corner's bisector, and a circle without a radius touching all three. The
// circle starts a few inches off its place.
TEST_P(KorCircleInACorner, AnUnsizedCircleTouchingBothWallsAndACircleSolves)
{
    const CornerCase k = GetParam();
    const point origin(0, 0);
    const KorHandle o = Node(0, 0);
    const KorHandle e1 = Node(400, 0);
    const point far = Polar(origin, 400, k.turn);
    const KorHandle e2 = Node(far.x(), far.y());
    const double along = k.r / std::tan(k.turn * kPi / 360.0);
    const point centre(along, k.r);
    const point c2 = Polar(centre, k.r + k.r2, k.turn / 2.0);
    const KorHandle n2 = Node(c2.x(), c2.y());
    const KorHandle m2 = Node(c2.x() + k.r2, c2.y());
    for (KorHandle n : {o, e1, e2, n2, m2})
        ASSERT_NE(Fix(n), 0u);
    const KorHandle w1 = Segment(o, e1);
    const KorHandle w2 = Segment(o, e2);
    const KorHandle other = model.CreateCircle(n2, m2);
    const KorHandle c = Node(centre.x() + k.offset, centre.y() - k.offset);
    const point rimAt = Polar(centre, k.r, 200.0);
    const KorHandle rim = Node(rimAt.x() - k.offset, rimAt.y() + k.offset);
    const KorHandle round = model.CreateCircle(c, rim);
    ASSERT_NE(model.CreateConstraint(KOR_TANGENT, round, w1, 0, 0), 0u);
    ASSERT_NE(model.CreateConstraint(KOR_TANGENT, round, w2, 0, 0), 0u);
    ASSERT_NE(model.CreateConstraint(KOR_TANGENT, round, other, 0, 0), 0u);
    ASSERT_TRUE(model.Resolve()) << "error " << model.GetError();
    const point p = NodeOf(c)->GetPoint();
    const double r = Distance(c, rim);
    EXPECT_NEAR(LineDistance(p, point(0, 0), point(400, 0)), r, kTolerance);
    EXPECT_NEAR(LineDistance(p, point(0, 0), far), r, kTolerance);
    EXPECT_NEAR(Dist(p, c2), r + k.r2, kTolerance);
    EXPECT_NEAR(r, k.r, 0.5);
}

INSTANTIATE_TEST_SUITE_P(
    Corners, KorCircleInACorner,
    ::testing::Values(CornerCase{90.0, 60.0, 40.0, 2.0}, CornerCase{90.0, 45.0, 25.0, 5.0},
                      CornerCase{65.0, 35.0, 50.0, 2.0}, CornerCase{118.0, 75.0, 30.0, 5.0}));

}  // namespace
