#include <gtest/gtest.h>

#include "kor_alignment.h"
#include "kor_coincident.h"
#include "kor_colinear.h"
#include "kor_dimension.h"
#include "kor_globals.h"
#include "kor_model.h"
#include "kor_node.h"
#include "kor_segment.h"
#include "kor_tracker.h"
#include "kor_unmovable.h"
#include "settings.h"

namespace {

class ConstraintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        KorResetGlobals();
        mSnap = GeoSnap();
        mDif = GeoDif();
    }
    void TearDown() override
    {
        GeoSnap() = mSnap;
        GeoDif() = mDif;
        KorResetGlobals();
    }

    KorHandle Segment(KorHandle a, KorHandle b) { return mModel.CreateSegment(a, b); }
    KorHandle Node(double x, double y) { return mModel.CreateNode(x, y); }
    KorSegment* SegmentAt(std::size_t i) { return static_cast<KorSegment*>(mModel.GetPrimitives()[i]); }
    KorNode* NodeAt(std::size_t i) { return mModel.GetNodes()[i]; }
    template <typename T>
    T* LastConstraint()
    {
        return static_cast<T*>(mModel.GetConstraints().back());
    }

    KorModel mModel;
    double mSnap = 0.0;
    double mDif = 0.0;
};

TEST_F(ConstraintTest, VerticalAlignmentWithinGeoSnap)
{
    struct Case {
        double dx;
        bool implemented;
    };
    const Case cases[] = {{0.0, true}, {0.005, true}, {0.02, false}};
    for (const Case& k : cases) {
        KorModel model;
        const KorHandle s = model.CreateSegment(model.CreateNode(0, 0), model.CreateNode(0, 10));
        ASSERT_NE(model.CreateConstraint(KOR_VERTICAL, s, 0, 0, 0), 0u);
        auto* alignment = static_cast<KorAlignment*>(model.GetConstraints().back());
        EXPECT_EQ(alignment->GetType(), KOR_VERTICAL);
        model.GetNodes()[1]->x() = k.dx;
        EXPECT_EQ(alignment->IsImplemented(), k.implemented) << k.dx;
    }
}

TEST_F(ConstraintTest, ConflictingAlignmentIsRefusedWithTheSegmentsError)
{
    const KorHandle s = Segment(Node(0, 0), Node(0, 10));
    ASSERT_NE(mModel.CreateConstraint(KOR_VERTICAL, s, 0, 0, 0), 0u);
    EXPECT_EQ(mModel.CreateConstraint(KOR_HORIZONTAL, s, 0, 0, 0), 0u);
    EXPECT_NE(mModel.GetError(), 0);
    EXPECT_EQ(SegmentAt(0)->GetAlignment(), KOR_VERTICAL);
}

TEST_F(ConstraintTest, DisablingAnAlignmentClearsTheSegmentsAlignment)
{
    const KorHandle s = Segment(Node(0, 0), Node(0, 10));
    ASSERT_NE(mModel.CreateConstraint(KOR_VERTICAL, s, 0, 0, 0), 0u);
    auto* alignment = LastConstraint<KorAlignment>();
    alignment->SetEnabled(false);
    EXPECT_EQ(SegmentAt(0)->GetAlignment(), KOR_EMPTY);
    alignment->SetEnabled(true);
    EXPECT_EQ(SegmentAt(0)->GetAlignment(), KOR_VERTICAL);
}

TEST_F(ConstraintTest, CoincidenceImplementedOnTheNearerEndThenTheFarEnd)
{
    const KorHandle start = Node(0, 0);
    const KorHandle end = Node(10, 0);
    const KorHandle s = Segment(start, end);
    const KorHandle n = Node(3, 0.5);
    ASSERT_NE(mModel.CreateConstraint(KOR_COINCIDENT, n, s, 0, 0), 0u);
    auto* coincidence = LastConstraint<KorCoincident>();
    KorNode* node = NodeAt(2);
    EXPECT_TRUE(node->BelongTo(SegmentAt(0)->GetTracker()));
    bool more = true;
    KorDimension* first = coincidence->CreateImplementationDim(&more);
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(more);
    EXPECT_EQ(first->GetOtherNode(node), NodeAt(0));
    EXPECT_EQ(first->GetValue(), 0.0);
    EXPECT_EQ(coincidence->CreateImplementationDim(&more), first);
    KorDimension* second = coincidence->UpdateImplementationDim();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetOtherNode(node), NodeAt(1));
    EXPECT_EQ(coincidence->UpdateImplementationDim(), nullptr);
}

TEST_F(ConstraintTest, CoincidenceConditionHoldsNearThePrimitive)
{
    const KorHandle s = Segment(Node(0, 0), Node(10, 0));
    const KorHandle n = Node(3, 0.005);
    ASSERT_NE(mModel.CreateConstraint(KOR_COINCIDENT, n, s, 0, 0), 0u);
    auto* coincidence = LastConstraint<KorCoincident>();
    EXPECT_TRUE(coincidence->IsConditionImplemented());
    NodeAt(2)->y() = 0.5;
    NodeAt(2)->SetStatus(static_cast<KORStatusType>(2));
    EXPECT_FALSE(coincidence->IsConditionImplemented());
}

TEST_F(ConstraintTest, CoincidenceWithACircleRegistersNoCondition)
{
    const KorHandle centre = Node(0, 0);
    const KorHandle rim = Node(5, 0);
    const KorHandle c = mModel.CreateCircle(centre, rim);
    ASSERT_NE(c, 0u);
    const KorHandle n = Node(0, 5);
    ASSERT_NE(mModel.CreateConstraint(KOR_COINCIDENT, n, c, 0, 0), 0u);
    EXPECT_TRUE(mModel.GetConditions().empty());
    const KorHandle s = Segment(Node(10, 0), Node(20, 0));
    ASSERT_NE(mModel.CreateConstraint(KOR_COINCIDENT, Node(15, 1), s, 0, 0), 0u);
    EXPECT_EQ(mModel.GetConditions().size(), 1u);
}

TEST_F(ConstraintTest, ColinearKeepsTheTrackerWithMorePrimitives)
{
    // A-B-C-D colinear on one tracker (3 segments), E-F alone.
    const KorHandle a = Node(0, 0);
    const KorHandle b = Node(1, 0);
    const KorHandle c = Node(2, 0);
    const KorHandle d = Node(3, 0);
    const KorHandle s1 = Segment(a, b);
    const KorHandle s2 = Segment(b, c);
    const KorHandle s3 = Segment(c, d);
    ASSERT_NE(mModel.CreateConstraint(KOR_COLINEAR, s1, s2, 0, 0), 0u);
    ASSERT_NE(mModel.CreateConstraint(KOR_COLINEAR, s2, s3, 0, 0), 0u);
    KorTracker* big = SegmentAt(0)->GetTracker();
    ASSERT_EQ(big->GetNumOfPrimitives(), 3);
    const KorHandle s4 = Segment(Node(5, 0), Node(6, 0));
    ASSERT_NE(mModel.CreateConstraint(KOR_COLINEAR, s4, s1, 0, 0), 0u);
    EXPECT_EQ(SegmentAt(3)->GetTracker(), big);
    EXPECT_EQ(big->GetNumOfPrimitives(), 4);
}

TEST_F(ConstraintTest, ColinearOnATieKeepsTheSecondPrimitivesTracker)
{
    const KorHandle a = Node(0, 0);
    const KorHandle b = Node(1, 0);
    const KorHandle s1 = Segment(a, b);
    const KorHandle s2 = Segment(b, Node(2, 0));
    const KorHandle e = Node(5, 0);
    const KorHandle f = Node(6, 0);
    const KorHandle s3 = Segment(e, f);
    const KorHandle s4 = Segment(f, Node(7, 0));
    ASSERT_NE(mModel.CreateConstraint(KOR_COLINEAR, s1, s2, 0, 0), 0u);
    ASSERT_NE(mModel.CreateConstraint(KOR_COLINEAR, s3, s4, 0, 0), 0u);
    KorTracker* second = SegmentAt(2)->GetTracker();
    ASSERT_NE(mModel.CreateConstraint(KOR_COLINEAR, s1, s3, 0, 0), 0u);
    EXPECT_EQ(SegmentAt(0)->GetTracker(), second);
    EXPECT_EQ(second->GetNumOfPrimitives(), 4);
    EXPECT_EQ(second->GetNumOfColinears(), 3);
}

TEST_F(ConstraintTest, ColinearRefusals)
{
    const KorHandle a = Node(0, 0);
    const KorHandle b = Node(1, 0);
    const KorHandle s1 = Segment(a, b);
    const KorHandle s2 = Segment(b, Node(2, 0));
    EXPECT_EQ(mModel.CreateConstraint(KOR_COLINEAR, s1, s1, 0, 0), 0u);
    EXPECT_EQ(mModel.GetError(), 3);
    ASSERT_NE(mModel.CreateConstraint(KOR_COLINEAR, s1, s2, 0, 0), 0u);
    KorModel other;
    const KorHandle t1 = other.CreateSegment(other.CreateNode(0, 0), other.CreateNode(1, 0));
    const KorHandle t2 = other.CreateSegment(other.CreateNode(0, 1), other.CreateNode(1, 1));
    ASSERT_NE(other.CreateConstraint(KOR_COLINEAR, t1, t2, 0, 0), 0u);
    // Already on one tracker.
    EXPECT_EQ(other.CreateConstraint(KOR_COLINEAR, t2, t1, 0, 0), 0u);
    EXPECT_EQ(other.GetError(), 3);
}

TEST_F(ConstraintTest, DeletingTheOnlyColinearGivesTheFirstSegmentItsOwnTracker)
{
    const KorHandle a = Node(0, 0);
    const KorHandle b = Node(1, 0);
    const KorHandle s1 = Segment(a, b);
    const KorHandle s2 = Segment(b, Node(2, 0));
    const KorHandle c = mModel.CreateConstraint(KOR_COLINEAR, s1, s2, 0, 0);
    ASSERT_NE(c, 0u);
    ASSERT_EQ(SegmentAt(0)->GetTracker(), SegmentAt(1)->GetTracker());
    ASSERT_TRUE(mModel.RemoveObject(c));
    EXPECT_NE(SegmentAt(0)->GetTracker(), SegmentAt(1)->GetTracker());
    EXPECT_EQ(SegmentAt(0)->GetTracker()->GetNumOfPrimitives(), 1);
    EXPECT_EQ(SegmentAt(1)->GetTracker()->GetNumOfPrimitives(), 1);
}

TEST_F(ConstraintTest, UnmovableFollowsItsEnabledFlag)
{
    const KorHandle n = Node(1, 2);
    ASSERT_NE(mModel.CreateConstraint(KOR_UNMOVABLE, n, 0, 0, 0), 0u);
    KorNode* node = NodeAt(0);
    auto* unmovable = LastConstraint<KorUnmovable>();
    EXPECT_FALSE(node->IsMovable());
    unmovable->SetEnabled(false);
    EXPECT_TRUE(node->IsMovable());
    unmovable->SetEnabled(true);
    EXPECT_FALSE(node->IsMovable());
    EXPECT_EQ(mModel.CreateConstraint(KOR_UNMOVABLE, n, 0, 0, 0), 0u);
    EXPECT_EQ(mModel.GetError(), 7);
}

}  // namespace
