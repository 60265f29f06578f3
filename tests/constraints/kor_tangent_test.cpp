#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "kor_cc_tangent.h"
#include "kor_cs_tangent.h"
#include "kor_new_dimension_fixture.h"

namespace {

std::string Keyword(bool first, KorTangentAttribute attribute)
{
    char text[16];
    KorTangent::SetConfiguration(first, attribute, text);
    return text;
}

TEST(KorTangentConfiguration, KeywordsOfTheMovedCircle)
{
    EXPECT_EQ(Keyword(true, KOR_TANGENT_OUTSIDE), "OUTSIDE");
    EXPECT_EQ(Keyword(false, KOR_TANGENT_OUTSIDE), "OUTSIDE");
    EXPECT_EQ(Keyword(true, KOR_TANGENT_FIRST_INSIDE), "INSIDE");
    EXPECT_EQ(Keyword(false, KOR_TANGENT_FIRST_INSIDE), "ENVELOPS");
    EXPECT_EQ(Keyword(true, KOR_TANGENT_SECOND_INSIDE), "ENVELOPS");
    EXPECT_EQ(Keyword(false, KOR_TANGENT_SECOND_INSIDE), "INSIDE");
    EXPECT_EQ(Keyword(true, KOR_TANGENT_NONE), "");
}

class KorTangentTest : public KorSketchFixture {
protected:
    KorHandle Circle(double x, double y, double r)
    {
        return model.CreateCircle(Node(x, y), Node(x + r, y));
    }
};

struct ConfigurationCase {
    double x2, r1, r2;
    KorTangentAttribute expected;
    double value;
};

class KorCCConfigurationTest : public KorTangentTest,
                               public ::testing::WithParamInterface<ConfigurationCase> {};

TEST_P(KorCCConfigurationTest, ConfigurationAndValueFollowTheGeometry)
{
    const ConfigurationCase& c = GetParam();
    const KorHandle c1 = Circle(0, 0, c.r1);
    const KorHandle c2 = Circle(c.x2, 0, c.r2);
    const KorHandle h = model.CreateConstraint(KOR_TANGENT, c1, c2, 0, 0);
    ASSERT_NE(h, 0u);
    auto* tangent = Get<KorCCTangent>(h);
    ASSERT_NE(tangent, nullptr);
    EXPECT_EQ(tangent->GetConfiguration(), c.expected);
    EXPECT_NEAR(tangent->GetValue(), c.value, 1e-6);
    EXPECT_EQ(tangent->GetStart(), Get<KorEntity>(c1));
    EXPECT_EQ(tangent->GetEnd(), Get<KorEntity>(c2));
    EXPECT_FALSE(tangent->SetValue(3.0, KOR_DIM_EQUAL, false));
    EXPECT_FALSE(tangent->HasValue());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KorCCConfigurationTest,
    ::testing::Values(
        // Equal radii, one centre inside the other circle: the first envelops.
        ConfigurationCase{2.0, 5.0, 5.0, KOR_TANGENT_SECOND_INSIDE, 0.0},
        ConfigurationCase{10.0, 3.0, 4.0, KOR_TANGENT_OUTSIDE, 7.0},
        ConfigurationCase{1.0, 2.0, 6.0, KOR_TANGENT_FIRST_INSIDE, 4.0},
        ConfigurationCase{1.0, 6.0, 2.0, KOR_TANGENT_SECOND_INSIDE, 4.0}));

TEST_F(KorTangentTest, SolvingFromDF2AnswersNothing)
{
    auto* tangent = Get<KorCCTangent>(
        model.CreateConstraint(KOR_TANGENT, Circle(0, 0, 3), Circle(10, 0, 4), 0, 0));
    ASSERT_NE(tangent, nullptr);
    EXPECT_EQ(tangent->Solve(tangent->GetDF2()), nullptr);
    EXPECT_EQ(tangent->GetTangent(), tangent);
}

TEST_F(KorTangentTest, ConcentricCirclesAreRefused)
{
    const KorHandle centre = Node(0, 0);
    const KorHandle c1 = model.CreateCircle(centre, Node(3, 0));
    const KorHandle c2 = model.CreateCircle(centre, Node(5, 0));
    EXPECT_EQ(model.CreateConstraint(KOR_TANGENT, c1, c2, 0, 0), 0u);
    EXPECT_EQ(model.GetError(), KOR_ERR_CREATE);
}

TEST_F(KorTangentTest, TwoSegmentsCannotBeTangent)
{
    const KorHandle s1 = Segment(Node(0, 0), Node(5, 0));
    const KorHandle s2 = Segment(Node(0, 3), Node(5, 4));
    EXPECT_EQ(model.CreateConstraint(KOR_TANGENT, s1, s2, 0, 0), 0u);
    EXPECT_EQ(model.GetError(), KOR_ERR_CREATE);
}

TEST_F(KorTangentTest, ACircleAndASegmentInEitherOrder)
{
    const KorHandle circle = Circle(0, 5, 5);
    const KorHandle wall = Segment(Node(-10, 0), Node(10, 0));
    const KorHandle h = model.CreateConstraint(KOR_TANGENT, wall, circle, 0, 0);
    ASSERT_NE(h, 0u);
    auto* tangent = Get<KorCSTangent>(h);
    ASSERT_NE(tangent, nullptr);
    EXPECT_EQ(tangent->GetStart(), Get<KorEntity>(circle));
    EXPECT_EQ(tangent->GetEnd(), Get<KorEntity>(wall));
    EXPECT_NEAR(tangent->GetValue(), 5.0, 1e-6);
    EXPECT_TRUE(tangent->IsImplemented());
    EXPECT_TRUE(tangent->IsLastDF(tangent->GetDF2()));
    EXPECT_EQ(tangent->Solve(tangent->GetDF2()), nullptr);
    // The centre's distance is registered as a condition.
    const auto& conditions = model.GetConditions();
    EXPECT_NE(std::find(conditions.begin(), conditions.end(),
                        static_cast<KorCondition*>(tangent)),
              conditions.end());
}

TEST_F(KorTangentTest, AFilletSharingANodeWithItsWallRegistersNoCondition)
{
    const KorHandle a = Node(0, 0);
    const KorHandle b = Node(10, 0);
    const KorHandle centre = Node(10, 4);
    const KorHandle end = Node(14, 4);
    const KorHandle wall = Segment(a, b);
    const KorHandle arc = model.CreateArc(centre, b, end);
    ASSERT_NE(arc, 0u);
    const KorHandle h = model.CreateConstraint(KOR_TANGENT, arc, wall, 0, 0);
    ASSERT_NE(h, 0u);
    const auto& conditions = model.GetConditions();
    EXPECT_EQ(std::find(conditions.begin(), conditions.end(),
                        static_cast<KorCondition*>(Get<KorCSTangent>(h))),
              conditions.end());
}

TEST_F(KorTangentTest, ResolveKeepsACircleOnItsWall)
{
    const KorHandle a = Node(-10, 0);
    const KorHandle b = Node(10, 0);
    const KorHandle wall = Segment(a, b);
    ASSERT_NE(Fix(a), 0u);
    ASSERT_NE(Fix(b), 0u);
    const KorHandle centre = Node(0, 6);
    const KorHandle circle = model.CreateCircle(centre, Node(5, 6));
    ASSERT_NE(Fix(centre), 0u);
    ASSERT_NE(model.CreateConstraint(KOR_TANGENT, circle, wall, 0, 0), 0u);
    ASSERT_TRUE(model.Resolve()) << model.GetError();
    EXPECT_NEAR(CircleOf(circle)->GetRadius(), 6.0, GeoSnap());
}

}  // namespace

namespace {

// A circle of a given radius between two parallel walls touches both.
TEST_F(KorTangentTest, ACircleBetweenParallelWallsTouchesBoth)
{
    const KorHandle a = Node(0, 0);
    const KorHandle b = Node(20, 0);
    const KorHandle c = Node(0, 10);
    const KorHandle d = Node(20, 10);
    const KorHandle floor = Segment(a, b);
    const KorHandle ceiling = Segment(c, d);
    for (KorHandle n : {a, b, c, d})
        ASSERT_NE(Fix(n), 0u);
    const KorHandle centre = Node(8, 4);
    const KorHandle round = model.CreateCircle(centre, Node(11, 4));
    ASSERT_NE(model.CreateConstraint(KOR_TANGENT, round, floor, 0, 0), 0u);
    ASSERT_NE(model.CreateConstraint(KOR_TANGENT, round, ceiling, 0, 0), 0u);
    ASSERT_TRUE(Set(model.CreateRadial(round, 0), "5"));
    ASSERT_TRUE(model.Resolve()) << model.GetError();
    const circle& placed = CircleOf(round)->GetCircle();
    EXPECT_NEAR(placed.rad(), 5.0, 2.0 * GeoSnap());
    EXPECT_NEAR(placed.center().y(), 5.0, 2.0 * GeoSnap());
    EXPECT_TRUE(std::isfinite(NodeOf(centre)->x()));
    EXPECT_NEAR(NodeOf(centre)->y(), 5.0, 2.0 * GeoSnap());
}

}  // namespace

namespace {

// Gives a test the link to the tangency solved together with this one.
class LinkedCSTangent : public KorCSTangent {
public:
    void Link(KorTangent* other) { mpOther1 = other; }
};

// The double tangency of a circle against a wall parallel to its own: the
// lines never cross, so the circle is fitted about the centre's projection
// on the mid-parallel.
TEST_F(KorTangentTest, ADoubleTangencyBetweenParallelWallsUsesTheMidParallel)
{
    const KorHandle floor = Segment(Node(0, 0), Node(20, 0));
    const KorHandle ceiling = Segment(Node(0, 10), Node(20, 10));
    const KorHandle round = model.CreateCircle(Node(8, 4), Node(11, 4));
    auto* floorTangent =
        Get<KorCSTangent>(model.CreateConstraint(KOR_TANGENT, round, floor, 0, 0));
    ASSERT_NE(floorTangent, nullptr);
    auto* tangent = new LinkedCSTangent();
    ASSERT_NE(tangent->Create(&model, Get<KorPrimitive>(round), Get<KorPrimitive>(ceiling)), 0u);
    tangent->Link(floorTangent);
    KorDF* df = tangent->GetDF2();
    df->mpMoved = CircleOf(round);
    df->mpCarrier = LineOf(floor);
    KorDimSolution solution(df, nullptr, KOR_OP_TANGENT_11);
    ASSERT_TRUE(tangent->Adjust(&solution));
    const circle& fitted = CircleOf(round)->GetCircle();
    EXPECT_NEAR(fitted.rad(), 5.0, 1e-9);
    EXPECT_NEAR(fitted.center().y(), 5.0, 1e-9);
    EXPECT_TRUE(std::isfinite(fitted.center().x()));
    delete tangent;
}

}  // namespace
