// Arcs about one centre node, each on its own circle.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "kor_new_dimension_fixture.h"

namespace {

point Polar(double r, double radians) { return point(r * std::cos(radians), r * std::sin(radians)); }

constexpr double kStartAngle = 0.2, kSharedAngle = 1.0, kFarAngle = 1.9;

struct ConcentricCase {
    double radius;       // chords of 0.78 and 0.87 of it
    double startOffset;  // how far the free ends start off their places
    bool secondRadiusGiven;
};

std::ostream& operator<<(std::ostream& os, const ConcentricCase& c)
{
    return os << "r " << c.radius << " off " << c.startOffset
              << (c.secondRadiusGiven ? " radius given" : "");
}

// An arc wall in two pieces about one centre, meeting at a fixed node, the
// far end of each piece at a given distance from it; each piece keeps its
// own circle, and both circles share the centre node.
class KorConcentricArcsTest : public KorSketchFixture,
                              public ::testing::WithParamInterface<ConcentricCase> {
protected:
    void SetUp() override
    {
        KorSketchFixture::SetUp();
        const ConcentricCase& c = GetParam();
        const point a0 = Polar(c.radius, kStartAngle), b0 = Polar(c.radius, kSharedAngle),
                    e0 = Polar(c.radius, kFarAngle);
        toA = std::hypot(a0.x() - b0.x(), a0.y() - b0.y());
        toE = std::hypot(e0.x() - b0.x(), e0.y() - b0.y());
        // The free ends start off in different directions; the hand's
        // first guess of the original case was a few hundredths off.
        const double d = c.startOffset;
        centre = Node(0, 0);
        a = Node(a0.x() + 0.8 * d, a0.y() - 0.6 * d);
        b = Node(b0.x(), b0.y());
        e = Node(e0.x() - 0.6 * d, e0.y() + 0.8 * d);
        ASSERT_NE(Fix(b), 0u);
        ASSERT_NE(model.CreateArc(centre, a, b), 0u);
        second = model.CreateArc(centre, b, e);
        ASSERT_NE(second, 0u);
        const KorHandle h1 = model.CreateDistance(b, a, KOR_DISTANCE, 0);
        const KorHandle h2 = model.CreateDistance(b, e, KOR_DISTANCE, 0);
        ASSERT_TRUE(model.SetDimensionValue(h1, toA, KORDimensionType(2)));
        ASSERT_TRUE(model.SetDimensionValue(h2, toE, KORDimensionType(2)));
        if (c.secondRadiusGiven) {
            const KorHandle r = model.CreateRadial(second, 0);
            ASSERT_NE(r, 0u);
            ASSERT_TRUE(model.SetDimensionValue(r, c.radius, KORDimensionType(2)));
        }
    }

    void ExpectEveryConstraintKept() const
    {
        constexpr double kTolerance = 0.01;
        EXPECT_NEAR(Distance(b, a), toA, kTolerance);
        EXPECT_NEAR(Distance(b, e), toE, kTolerance);
        EXPECT_NEAR(Distance(centre, a), Distance(centre, b), kTolerance);
        EXPECT_NEAR(Distance(centre, e), Distance(centre, b), kTolerance);
        if (GetParam().secondRadiusGiven) {
            EXPECT_NEAR(Distance(centre, b), GetParam().radius, kTolerance);
        }
    }

    KorHandle centre = 0, a = 0, b = 0, e = 0, second = 0;
    double toA = 0.0, toE = 0.0;
};

TEST_P(KorConcentricArcsTest, ResolvingMovesTheSharedCentreWithBothCircles)
{
    ASSERT_TRUE(model.Resolve()) << "error " << model.GetError();
    ExpectEveryConstraintKept();
}

// The far end dragged as the program drags it: the pen goes round the fixed
// node at the far end's given distance, a few inches a step. Every pen
// position is reachable, with the second radius given or not: the whole
// sketch turns about the fixed node.
TEST_P(KorConcentricArcsTest, DraggingTheFarEndRoundTheFixedNodeKeepsEveryConstraint)
{
    ASSERT_TRUE(model.Resolve()) << "error " << model.GetError();
    const point hinge = NodeOf(b)->GetPoint();
    const point start = NodeOf(e)->GetPoint();
    const double from = std::atan2(start.y() - hinge.y(), start.x() - hinge.x());
    const double step = 2.0 / toE;  // about 2 in along the pen's path
    model.SetDrag(true);
    for (int i = 1; i <= 10; ++i) {
        const double turn = from - i * step;  // opening the second arc
        ASSERT_TRUE(model.SetNodePosition(e, hinge.x() + toE * std::cos(turn),
                                          hinge.y() + toE * std::sin(turn)));
        ASSERT_TRUE(model.Resolve()) << "step " << i << " error " << model.GetError();
        ExpectEveryConstraintKept();
    }
    model.SetDrag(false);
}

constexpr ConcentricCase kCases[] = {
    {100, 0.058, false},  // about the hand's first guess of the first report
    {77, 0.1, false},     {77, 2, false},   {77, 5, false},   {200, 0.1, false},
    {200, 2, false},      {200, 5, false},  {345, 0.1, false}, {345, 2, false},
    {345, 5, false},      {77, 0.1, true},  {77, 5, true},    {200, 2, true},
    {345, 0.1, true},     {345, 5, true},
};

INSTANTIATE_TEST_SUITE_P(Cases, KorConcentricArcsTest, ::testing::ValuesIn(kCases));

}  // namespace
