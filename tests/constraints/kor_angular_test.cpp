#include <gtest/gtest.h>

#include "kor_angular.h"
#include "kor_angular_arc.h"
#include "kor_dim_solution.h"
#include "kor_new_dimension_fixture.h"

namespace {

// Two walls meeting at right angles at n1: n0 (0,0) - n1 (10,0) - n2 (10,10).
class KorAngularTest : public KorSketchFixture {
protected:
    void SetUp() override
    {
        KorSketchFixture::SetUp();
        n0 = Node(0, 0);
        n1 = Node(10, 0);
        n2 = Node(10, 10);
        s1 = Segment(n0, n1);
        s2 = Segment(n1, n2);
    }
    KorHandle n0 = 0, n1 = 0, n2 = 0, s1 = 0, s2 = 0;
};

TEST_F(KorAngularTest, PerpendicularWallsMeasure90Or270ByRayOrder)
{
    auto* forward = Get<KorAngular>(model.CreateAngular(s1, s2, 0, 0, 0));
    ASSERT_NE(forward, nullptr);
    EXPECT_EQ(forward->GetCenterNode(), NodeOf(n1));
    EXPECT_EQ(forward->GetStartNode(), NodeOf(n0));
    EXPECT_EQ(forward->GetEndNode(), NodeOf(n2));
    EXPECT_NEAR(forward->GetImplementedValue(), 270.0, 1e-9);
    EXPECT_EQ(forward->GetVirtualCenter(), nullptr);

    // The reverse order is the same pair of segments: a duplicate.
    EXPECT_EQ(model.CreateAngular(s2, s1, 0, 0, 0), 0u);
    EXPECT_EQ(model.GetError(), KOR_ERR_EQUAL_DIMENSION);
}

TEST_F(KorAngularTest, ReverseOrderMeasures90)
{
    auto* backward = Get<KorAngular>(model.CreateAngular(s2, s1, 0, 0, 0));
    ASSERT_NE(backward, nullptr);
    EXPECT_NEAR(backward->GetImplementedValue(), 90.0, 1e-9);
}

TEST_F(KorAngularTest, A270MeasuredAs90Becomes90)
{
    const KorHandle h = model.CreateAngular(s2, s1, 0, 0, 0);
    ASSERT_TRUE(Set(h, "270"));
    model.UpdateDimensions();
    EXPECT_NEAR(Value(h), 90.0, 1e-9);
}

TEST_F(KorAngularTest, ParallelOrAlignedTrackersAreRefused)
{
    const KorHandle n3 = Node(0, 5);
    const KorHandle n4 = Node(10, 5);
    const KorHandle s3 = Segment(n3, n4);
    ASSERT_NE(model.CreateConstraint(KOR_PARALLEL, s1, s3, 0, 0), 0u);
    EXPECT_EQ(model.CreateAngular(s1, s3, 0, 0, 0), 0u);
    EXPECT_EQ(model.GetError(), KOR_ERR_CREATE);
    model.Resolve();
    ASSERT_NE(model.CreateConstraint(KOR_HORIZONTAL, s1, 0, 0, 0), 0u);
    ASSERT_NE(model.CreateConstraint(KOR_VERTICAL, s2, 0, 0, 0), 0u);
    EXPECT_EQ(model.CreateAngular(s1, s2, 0, 0, 0), 0u);
}

TEST_F(KorAngularTest, OneAlignedTrackerLeavesNoDoubleRotateDF)
{
    ASSERT_NE(model.CreateConstraint(KOR_HORIZONTAL, s1, 0, 0, 0), 0u);
    auto* angular = Get<KorAngular>(model.CreateAngular(s1, s2, 0, 0, 0));
    ASSERT_NE(angular, nullptr);
    EXPECT_EQ(angular->GetDoubleRotateDF(), nullptr);
    EXPECT_TRUE(angular->IsLastDF(angular->GetDF(4)));
    EXPECT_FALSE(angular->IsLastDF(angular->GetDF(3)));
}

TEST_F(KorAngularTest, LinesCrossingAwayFromTheNodesGetAVirtualCentre)
{
    // A third wall whose line meets s1's line at (20, 0), beyond both walls.
    const KorHandle n3 = Node(20, 5);
    const KorHandle n4 = Node(20, 15);
    const KorHandle s3 = Segment(n3, n4);
    const int nodesBefore = static_cast<int>(model.GetNodes().size());
    const KorHandle h = model.CreateAngular(s1, s3, 0, 0, 0);
    ASSERT_NE(h, 0u);
    auto* angular = Get<KorAngular>(h);
    KorNode* centre = angular->GetVirtualCenter();
    ASSERT_NE(centre, nullptr);
    EXPECT_NEAR(centre->x(), 20.0, 1e-9);
    EXPECT_NEAR(centre->y(), 0.0, 1e-9);
    EXPECT_TRUE(LineOf(s1)->HasNode(centre));
    EXPECT_TRUE(LineOf(s3)->HasNode(centre));
    EXPECT_EQ(static_cast<int>(model.GetNodes().size()), nodesBefore + 1);
    ASSERT_TRUE(model.RemoveObject(h));
    EXPECT_EQ(static_cast<int>(model.GetNodes().size()), nodesBefore);
    EXPECT_FALSE(LineOf(s1)->HasNode(centre));
}

TEST_F(KorAngularTest, DeletingAWallDeletesTheAngleAndItsVirtualCentre)
{
    const KorHandle n3 = Node(20, 5);
    const KorHandle n4 = Node(20, 15);
    const KorHandle s3 = Segment(n3, n4);
    const int nodesBefore = static_cast<int>(model.GetNodes().size());
    ASSERT_NE(model.CreateAngular(s1, s3, 0, 0, 0), 0u);
    ASSERT_TRUE(model.RemoveObject(s3));
    EXPECT_EQ(static_cast<int>(model.GetNodes().size()), nodesBefore);
    EXPECT_EQ(model.GetNumOfDimensions(), 0);
}

TEST_F(KorAngularTest, ResolveTurnsTheFreeWall)
{
    ASSERT_NE(Fix(n0), 0u);
    ASSERT_NE(Fix(n1), 0u);
    const KorHandle h = model.CreateAngular(s2, s1, 0, 0, 0);
    ASSERT_TRUE(Set(h, "60"));
    ASSERT_TRUE(model.Resolve()) << model.GetError();
    EXPECT_NEAR(Get<KorAngular>(h)->GetImplementedValue(), 60.0, 0.05);
    EXPECT_NEAR(NodeOf(n0)->x(), 0.0, 1e-12);
}

TEST_F(KorAngularTest, AnArcAngleIsItsSweep)
{
    const KorHandle c = Node(0, 0);
    const KorHandle p = Node(5, 0);
    const KorHandle q = Node(0, 5);
    const KorHandle arc = model.CreateArc(c, p, q);
    ASSERT_NE(arc, 0u);
    const KorHandle h = model.CreateAngular(arc, 0);
    ASSERT_NE(h, 0u);
    auto* angular = Get<KorAngularArc>(h);
    EXPECT_NEAR(angular->GetImplementedValue(), 90.0, 1e-6);
    EXPECT_EQ(angular->GetCenterNode(), NodeOf(c));
    EXPECT_EQ(angular->GetOtherTracker(nullptr), nullptr);
    EXPECT_FALSE(angular->IsAdjacent(angular));
    EXPECT_EQ(model.CreateAngular(s1, 0), 0u);  // not an arc
}

}  // namespace

namespace {

TEST_F(KorAngularTest, ADoubleRotateSolutionYieldsAnExtraSolution)
{
    // A third wall through the vertex carries the vertex when both arms turn.
    ASSERT_NE(Segment(n1, Node(15, -5)), 0u);
    auto* angular = Get<KorAngular>(model.CreateAngular(s2, s1, 0, 0, 0));
    ASSERT_NE(angular, nullptr);
    ASSERT_NE(angular->GetDoubleRotateDF(), nullptr);
    EXPECT_FALSE(angular->IsLastDF(angular->GetDF(4)));
    EXPECT_TRUE(angular->IsLastDF(angular->GetDoubleRotateDF()));
    KorDimSolution* first = angular->Solve(angular->GetDF(4));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetOpCode(), KOR_OP_ANGULAR);
    EXPECT_EQ(first->GetDF(), angular->GetDoubleRotateDF());
    KorDimSolution* extra = angular->GetExtraSolution();
    ASSERT_NE(extra, nullptr);
    EXPECT_EQ(extra->GetDF(), angular->GetDoubleRotateDF());
    EXPECT_EQ(angular->Solve(angular->GetDoubleRotateDF()), nullptr);
    KorDimSolution* again = angular->Solve(angular->GetDF(4));
    ASSERT_NE(again, nullptr);
    EXPECT_NE(angular->GetExtraSolution(), nullptr);
    delete first;
    delete again;
}

}  // namespace
