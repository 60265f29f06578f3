// Solution records: ownership of their tracker solutions, candidate choice and
// the moves they apply.
#include <memory>

#include "kor_dim_solution.h"
#include "kor_dimension_test_support.h"
#include "kor_tracker_solution.h"

namespace {

using DimSolution = KorDimensionFixture;

TEST_F(DimSolution, NothingToDoAdjustsNothing)
{
    KorNode node;
    node.SetPosition(2.0, 3.0, false, false);
    KorDF df(&node, nullptr, nullptr);
    TestDimension d;
    d.SetStart(&node);
    KorDimSolution solution(&df, nullptr, KOR_OP_NOTHING);
    EXPECT_FALSE(solution.Adjust(&d));
    EXPECT_DOUBLE_EQ(node.x(), 2.0);
    EXPECT_DOUBLE_EQ(node.y(), 3.0);
    EXPECT_EQ(solution.GetUpdatedNode1(), nullptr);
    EXPECT_FALSE(solution.IsUpdatedObjectNode(&node));
    EXPECT_FALSE(solution.IsUpdatedObjectNode(nullptr));
}

TEST_F(DimSolution, NewSolutionState)
{
    KorNode node;
    KorDF df(&node, nullptr, nullptr);
    auto* ts = new KorTrackerSolution(KOR_TS_SHIFT, &node, 3);
    KorDimSolution solution(&df, ts, KOR_OP_SHIFT);
    EXPECT_EQ(solution.GetDF(), &df);
    EXPECT_EQ(solution.GetTrackerSolution(), ts);
    EXPECT_EQ(solution.GetOpCode(), KOR_OP_SHIFT);
    EXPECT_EQ(solution.GetDimensionIndex(), 0);
    EXPECT_EQ(solution.GetClusterIndex(), 0);
    EXPECT_EQ(solution.GetPivot(), nullptr);  // not a turn
}

// Copies own their tracker solutions: each outlives the other.
TEST_F(DimSolution, CopiesAreDeep)
{
    KorNode node;
    KorDF df(&node, nullptr, nullptr);
    auto original = std::make_unique<KorDimSolution>(
        &df, new KorTrackerSolution(KOR_TS_TURN, &node, 2), KOR_OP_DOUBLE);
    original->GetTrackerSolution()->AddFollower(nullptr);
    original->SetDimensionIndex(4);

    KorDimSolution copied(original.get());
    KorDimSolution constructed(*original);
    KorDimSolution assigned(&df, new KorTrackerSolution(KOR_TS_SHIFT, nullptr, 0), KOR_OP_SLIDE);
    assigned = *original;
    assigned = assigned;
    original.reset();

    for (KorDimSolution* s : {&copied, &constructed, &assigned}) {
        ASSERT_NE(s->GetTrackerSolution(), nullptr);
        EXPECT_EQ(s->GetTrackerSolution()->GetKind(), KOR_TS_TURN);
        EXPECT_EQ(s->GetTrackerSolution()->GetNumOfFollowers(), 1u);
        EXPECT_EQ(s->GetOpCode(), KOR_OP_DOUBLE);
        EXPECT_EQ(s->GetDimensionIndex(), 4);
    }
    EXPECT_NE(copied.GetTrackerSolution(), constructed.GetTrackerSolution());
    EXPECT_NE(copied.GetTrackerSolution(), assigned.GetTrackerSolution());
}

TEST_F(DimSolution, ChoiceWithoutRayFollowsTheDirection)
{
    KorNode node;
    KorDF df(&node, nullptr, nullptr);
    KorDimSolution solution(&df, nullptr, KOR_OP_SLIDE);
    point candidates[2] = {point(1.0, 0.0), point(-1.0, 0.0)};
    point references[2] = {point(0.0, 0.0), point(0.0, 0.0)};
    EXPECT_EQ(solution.SolutionChoice(candidates, references, -1.0, 0.0, &node, 2), 1);
    EXPECT_EQ(solution.SolutionChoice(candidates, references, 1.0, 0.1, &node, 2), 0);
}

class TwoNodePair : public KorDimensionFixture {
protected:
    void SetUp() override
    {
        KorDimensionFixture::SetUp();
        start.SetPosition(1.0, 1.0, false, false);
        end.SetPosition(2.0, 2.0, false, false);
        distance.SetStart(&start);
        distance.SetEnd(&end);
    }

    // The pair for both nodes of one tracker, without carriers.
    bool Apply(KorDimension* d1, KorDimension* d2)
    {
        KorDimSolution first(&startDF, new KorTrackerSolution(KOR_TS_TWO_NODES, nullptr, 2),
                             KOR_OP_DOUBLE);
        KorDimSolution second(&endDF, nullptr, KOR_OP_DOUBLE);
        bool applied = first.Adjust(&second, d1, d2);
        updated1 = first.GetUpdatedNode1();
        updated2 = first.GetUpdatedNode2();
        return applied;
    }

    KorNode start;
    KorNode end;
    KorDF startDF{&start, nullptr, nullptr};
    KorDF endDF{&end, nullptr, nullptr};
    TestDimension distance{KOR_DISTANCE};
    TestDimension horizontal{KOR_HORIZONTAL_DISTANCE};
    TestDimension vertical{KOR_VERTICAL_DISTANCE};
    KorNode* updated1 = nullptr;
    KorNode* updated2 = nullptr;
};

TEST_F(TwoNodePair, DistanceAndHorizontalOffsetPlaceBothNodes)
{
    ASSERT_TRUE(distance.SetValue(5.0, KOR_DIM_EQUAL, true));
    ASSERT_TRUE(horizontal.SetValue(3.0, KOR_DIM_EQUAL, true));
    ASSERT_TRUE(Apply(&horizontal, &distance));
    EXPECT_DOUBLE_EQ(end.x(), 4.0);
    EXPECT_DOUBLE_EQ(end.y(), 5.0);
    EXPECT_EQ(updated1, &start);
    EXPECT_EQ(updated2, &end);
    EXPECT_EQ(end.GetStatus(), 2);
}

TEST_F(TwoNodePair, DistanceAndVerticalOffsetPlaceBothNodes)
{
    ASSERT_TRUE(distance.SetValue(5.0, KOR_DIM_EQUAL, true));
    ASSERT_TRUE(vertical.SetValue(4.0, KOR_DIM_EQUAL, true));
    ASSERT_TRUE(Apply(&vertical, &distance));
    EXPECT_DOUBLE_EQ(end.x(), 4.0);
    EXPECT_DOUBLE_EQ(end.y(), 5.0);
}

// An offset longer than the distance has no partner offset: the pair fails
// and nothing moves (no NaN reaches a node).
TEST_F(TwoNodePair, OffsetLongerThanTheDistanceFailsUntouched)
{
    ASSERT_TRUE(distance.SetValue(5.0, KOR_DIM_EQUAL, true));
    ASSERT_TRUE(horizontal.SetValue(8.0, KOR_DIM_EQUAL, true));
    EXPECT_FALSE(Apply(&horizontal, &distance));
    EXPECT_DOUBLE_EQ(start.x(), 1.0);
    EXPECT_DOUBLE_EQ(start.y(), 1.0);
    EXPECT_DOUBLE_EQ(end.x(), 2.0);
    EXPECT_DOUBLE_EQ(end.y(), 2.0);
    EXPECT_EQ(updated1, nullptr);
}

TEST_F(TwoNodePair, OtherDimensionKindsAreRefused)
{
    TestDimension angle(KOR_ANGLE);
    ASSERT_TRUE(distance.SetValue(5.0, KOR_DIM_EQUAL, true));
    ASSERT_TRUE(angle.SetValue(3.0, KOR_DIM_EQUAL, true));
    EXPECT_FALSE(Apply(&angle, &distance));
    EXPECT_DOUBLE_EQ(end.x(), 2.0);
}

TEST_F(DimSolution, TrackerSolutionFollowers)
{
    KorTrackerSolution ts(KOR_TS_TWO_TRACKERS, nullptr, 2);
    ts.AddFollower(nullptr);
    EXPECT_EQ(ts.GetKind(), 12u);
    EXPECT_EQ(ts.GetNumOfFollowers(), 1u);
    EXPECT_EQ(ts.GetFollower(0), nullptr);
    EXPECT_EQ(ts.GetFollower(5), nullptr);
}

}  // namespace
