#include <gtest/gtest.h>

#include "kor_new_dimension_fixture.h"
#include "kor_nn_ortho_distance.h"

namespace {

using KorNNOrthoDistanceTest = KorSketchFixture;

TEST_F(KorNNOrthoDistanceTest, NodesOnOneVerticalTrackerRefuseAHorizontalDistance)
{
    const KorHandle a = Node(0, 0);
    const KorHandle b = Node(0, 5);
    const KorHandle s = Segment(a, b);
    ASSERT_NE(model.CreateConstraint(KOR_VERTICAL, s, 0, 0, 0), 0u);
    EXPECT_EQ(model.CreateDistance(a, b, KOR_HORIZONTAL_DISTANCE, 0), 0u);
    EXPECT_EQ(model.GetError(), KOR_ERR_WRONG_KIND);
}

TEST_F(KorNNOrthoDistanceTest, CreateRefusesEqualNodesAndOtherTypes)
{
    const KorHandle a = Node(0, 0);
    const KorHandle b = Node(3, 4);
    KorNNOrthoDistance same;
    EXPECT_EQ(same.Create(&model, NodeOf(a), NodeOf(a), KOR_VERTICAL_DISTANCE), 0u);
    EXPECT_EQ(model.GetError(), KOR_ERR_CREATE);
    model.Resolve();  // clears the error
    KorNNOrthoDistance other;
    EXPECT_EQ(other.Create(&model, NodeOf(a), NodeOf(b), KOR_DISTANCE), 0u);
    EXPECT_EQ(model.GetError(), KOR_ERR_WRONG_KIND);
}

TEST_F(KorNNOrthoDistanceTest, MeasuresAlongItsAxisOnTrackersOfItsOwn)
{
    const KorHandle a = Node(1, 2);
    const KorHandle b = Node(4, 10);
    const KorHandle h = model.CreateDistance(a, b, KOR_HORIZONTAL_DISTANCE, 0);
    const KorHandle v = model.CreateDistance(a, b, KOR_VERTICAL_DISTANCE, 0);
    ASSERT_NE(h, 0u);
    ASSERT_NE(v, 0u);
    auto* horizontal = Get<KorNNOrthoDistance>(h);
    auto* vertical = Get<KorNNOrthoDistance>(v);
    EXPECT_EQ(horizontal->GetType(), KOR_HORIZONTAL_DISTANCE);
    EXPECT_EQ(vertical->GetType(), KOR_VERTICAL_DISTANCE);
    EXPECT_DOUBLE_EQ(horizontal->GetImplementedValue(), 3.0);
    EXPECT_DOUBLE_EQ(vertical->GetImplementedValue(), 8.0);
    EXPECT_TRUE(horizontal->GetTracker1()->IsVertical());
    EXPECT_TRUE(vertical->GetTracker1()->IsHorizontal());
    // The same distance twice is a duplicate.
    EXPECT_EQ(model.CreateDistance(a, b, KOR_HORIZONTAL_DISTANCE, 0), 0u);
}

TEST_F(KorNNOrthoDistanceTest, ResolveSetsTheOffset)
{
    const KorHandle a = Node(0, 0);
    const KorHandle b = Node(4, 3);
    ASSERT_NE(Fix(a), 0u);
    const KorHandle h = model.CreateDistance(a, b, KOR_HORIZONTAL_DISTANCE, 0);
    ASSERT_TRUE(Set(h, "9"));
    ASSERT_TRUE(model.Resolve()) << model.GetError();
    EXPECT_NEAR(NodeOf(b)->x(), 9.0, GeoSnap());
    EXPECT_NEAR(NodeOf(b)->y(), 3.0, GeoSnap());
}

}  // namespace
