#include <gtest/gtest.h>

#include <algorithm>

#include "kor_new_dimension_fixture.h"
#include "kor_nn_distance.h"
#include "kor_ns_distance.h"

namespace {

// A wall (0,0)-(10,0) and a node above it, nearer the start.
class KorNSDistanceTest : public KorSketchFixture {
protected:
    void SetUp() override
    {
        KorSketchFixture::SetUp();
        a = Node(0, 0);
        b = Node(10, 0);
        wall = Segment(a, b);
        n = Node(3, 4);
    }
    KorHandle a = 0, b = 0, wall = 0, n = 0;
};

TEST_F(KorNSDistanceTest, ANodeOnTheSegmentsTrackerIsRefused)
{
    EXPECT_EQ(model.CreateDistance(b, wall, KOR_NSDISTANCE, 0), 0u);
    EXPECT_EQ(model.GetError(), KOR_ERR_CREATE);
}

TEST_F(KorNSDistanceTest, MeasuresToTheLineAndRegistersItsCondition)
{
    const KorHandle h = model.CreateDistance(n, wall, KOR_NSDISTANCE, 0);
    ASSERT_NE(h, 0u);
    auto* distance = Get<KorNSDistance>(h);
    EXPECT_DOUBLE_EQ(distance->GetImplementedValue(), 4.0);
    const auto& conditions = model.GetConditions();
    EXPECT_NE(std::find(conditions.begin(), conditions.end(), distance), conditions.end());
    EXPECT_NE(distance->GetOwnParallelTracker(), nullptr);
    EXPECT_TRUE(distance->GetParallelTracker()->IsHorizontal());
    // Either order of the handles makes the same distance.
    EXPECT_EQ(model.CreateDistance(wall, n, KOR_NSDISTANCE, 0), 0u);
}

TEST_F(KorNSDistanceTest, EquationsFollowTheOwnParallelTracker)
{
    auto* distance = Get<KorNSDistance>(model.CreateDistance(n, wall, KOR_NSDISTANCE, 0));
    EXPECT_EQ(distance->GetNumOfEquations(), 0);  // no value yet
    ASSERT_TRUE(distance->SetValue(5.0, KOR_DIM_EQUAL, false));
    EXPECT_EQ(distance->GetNumOfEquations(), 2);
}

TEST_F(KorNSDistanceTest, ImplementationGoesToTheNearerEndThenTheOther)
{
    auto* distance = Get<KorNSDistance>(model.CreateDistance(n, wall, KOR_NSDISTANCE, 0));
    ASSERT_TRUE(distance->SetValue(5.0, KOR_DIM_EQUAL, false));
    bool more = true;
    KorDimension* first = distance->CreateImplementationDim(&more);
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(more);
    EXPECT_FALSE(distance->IsEnabled());
    EXPECT_EQ(first->GetEnd(), NodeOf(a));
    EXPECT_DOUBLE_EQ(first->GetValue(), 5.0);
    EXPECT_EQ(distance->CreateImplementationDim(&more), nullptr);
    KorDimension* second = distance->UpdateImplementationDim();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetEnd(), NodeOf(b));
    EXPECT_EQ(distance->UpdateImplementationDim(), nullptr);
    distance->RemoveImplementationDim();
    EXPECT_EQ(distance->GetImplementationDim(), nullptr);
    EXPECT_TRUE(distance->IsEnabled());
}

TEST_F(KorNSDistanceTest, ResolveMovesTheNodeToTheValue)
{
    ASSERT_NE(Fix(a), 0u);
    ASSERT_NE(Fix(b), 0u);
    const KorHandle h = model.CreateDistance(n, wall, KOR_NSDISTANCE, 0);
    ASSERT_TRUE(Set(h, "6"));
    ASSERT_TRUE(model.Resolve()) << model.GetError();
    EXPECT_NEAR(NodeOf(n)->y(), 6.0, GeoSnap());
    EXPECT_NEAR(NodeOf(a)->y(), 0.0, 1e-12);
}

}  // namespace
