// Segments, circles and arcs: creation, orientation and reversal, collapse,
// alignment errors, merging and the deletion cascade.
#include <gtest/gtest.h>

#include <cmath>
#include <type_traits>

#include "kor_arc.h"
#include "kor_cir_tracker.h"
#include "kor_circle.h"
#include "kor_colinear.h"
#include "kor_test_model.h"
#include "kor_lin_tracker.h"
#include "kor_model.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "kor_segment.h"
#include "kor_tracker_solution.h"

static_assert(!std::is_copy_constructible_v<KorSegment>);
static_assert(!std::is_copy_constructible_v<KorCircle>);
static_assert(!std::is_copy_constructible_v<KorArc>);
static_assert(!std::is_copy_assignable_v<KorArc>);
static_assert(!std::is_copy_constructible_v<KorNode>);
static_assert(!std::is_copy_constructible_v<KorTracker>);

namespace {

int gMoveCalls = 0;
void CountMove(KorHandle, double, double) { ++gMoveCalls; }

class KorPrimitiveTest : public KorModelFixture {
protected:
    void SetUp() override
    {
        KorModelFixture::SetUp();
        gMoveCalls = 0;
    }

    KorNode* Node(double x, double y, KorModel* model = nullptr)
    {
        auto* n = new KorNode();
        n->Create(model ? model : &mModel, x, y, CountMove, true);
        return n;
    }
    KorSegment* Segment(KorNode* a, KorNode* b, KorLinTracker* t = nullptr,
                        KorModel* model = nullptr)
    {
        auto* s = new KorSegment();
        if (s->Create(model ? model : &mModel, a, b, t) == 0) {
            delete s;
            return nullptr;
        }
        return s;
    }
    KorNNDistance* Distance(KorNode* a, KorNode* b)
    {
        auto* d = new KorNNDistance();
        if (d->Create(&mModel, a, b, true) == 0) {
            delete d;
            return nullptr;
        }
        return d;
    }
    static point Polar(double degrees, double r)
    {
        const double a = degrees * 3.14159265358979323846 / 180.0;
        return point(r * std::cos(a), r * std::sin(a));
    }

    KorModel mModel;
};

TEST_F(KorPrimitiveTest, SegmentCreateAttachesNodesTrackerAndOrientation)
{
    KorNode* a = Node(0.0, 0.0);
    KorNode* b = Node(10.0, 0.5);
    KorSegment* s = Segment(a, b);
    ASSERT_NE(s, nullptr);
    EXPECT_NE(s->GetHandle(), 0u);
    EXPECT_EQ(s->GetType(), KOR_SEGMENT);
    EXPECT_TRUE(s->IsPrimitive());
    ASSERT_NE(s->GetTracker(), nullptr);
    EXPECT_EQ(s->GetTracker()->GetType(), KOR_LINEAR_TRACKER);
    EXPECT_EQ(s->GetTracker()->GetNumOfNodes(), 2);
    EXPECT_EQ(a->GetPrimitive(0u), s);
    EXPECT_TRUE(a->BelongTo(s->GetTracker()));
    EXPECT_EQ(a->GetNumOfDFs(), 1);
    EXPECT_EQ(s->GetOrientation().GetCode(), 2u);
    EXPECT_FALSE(s->IsReversed());
}

TEST_F(KorPrimitiveTest, SegmentOnOneNodeTwiceFails)
{
    KorNode* a = Node(0.0, 0.0);
    KorSegment s;
    EXPECT_EQ(s.Create(&mModel, a, a, nullptr), 0u);
    EXPECT_EQ(s.GetTracker(), nullptr);
    EXPECT_EQ(a->GetNumOfPrimitives(), 0);
}

TEST_F(KorPrimitiveTest, DuplicateSegmentGivesError5)
{
    KorNode* a = Node(0.0, 0.0);
    KorNode* b = Node(5.0, 0.0);
    ASSERT_NE(Segment(a, b), nullptr);
    EXPECT_EQ(Segment(a, b), nullptr);
    EXPECT_EQ(mModel.GetError(), 5);
    EXPECT_EQ(mModel.GetNumOfPrimitives(), 1);
    EXPECT_EQ(a->GetNumOfPrimitives(), 1);
}

TEST_F(KorPrimitiveTest, EndMovedPastTheStartReversesTheSegment)
{
    KorNode* a = Node(0.0, 0.0);
    KorNode* b = Node(10.0, 0.5);
    KorSegment* s = Segment(a, b);
    b->GetPoint() = point(-10.0, 0.5);
    EXPECT_EQ(s->FindOrientation().GetCode(), 3u);
    EXPECT_TRUE(s->IsReversed());
    EXPECT_FALSE(s->IsValid());

    s->Reverse();
    EXPECT_EQ(s->GetStart(), b);
    EXPECT_EQ(s->GetEnd(), a);
    EXPECT_FALSE(s->IsReversed());
    EXPECT_EQ(s->GetOrientation().GetCode(), 2u);
}

TEST_F(KorPrimitiveTest, NeighbouringDirectionIsNotAReversal)
{
    KorNode* a = Node(0.0, 0.0);
    KorNode* b = Node(10.0, 0.0);
    KorSegment* s = Segment(a, b);
    b->GetPoint() = point(10.0, 5.0);  // code 5, a neighbour of 2
    EXPECT_FALSE(s->IsReversed());
}

TEST_F(KorPrimitiveTest, AngleOfAReversedSegmentTurnsBack)
{
    KorNode* a = Node(0.0, 0.0);
    KorNode* b = Node(10.0, 0.0);
    KorSegment* s = Segment(a, b);
    EXPECT_NEAR(s->GetAngle().deg(), 0.0, 1e-9);
    b->GetPoint() = point(-10.0, 0.0);
    ASSERT_TRUE(s->IsReversed());
    EXPECT_NEAR(std::fmod(s->GetAngle().deg() + 360.0, 360.0), 0.0, 1e-6);
}

TEST_F(KorPrimitiveTest, AngleOfAZeroLengthSegmentComesFromItsOrientation)
{
    KorNode* a = Node(0.0, 0.0);
    KorNode* b = Node(0.0, 10.0);
    KorSegment* s = Segment(a, b);
    b->GetPoint() = point(0.0, 0.0);
    EXPECT_NEAR(s->GetAngle().deg(), 90.0, 1e-9);
}

TEST_F(KorPrimitiveTest, ShortSegmentIsCollapsedOnlyWithADisabledDistance)
{
    KorNode* a = Node(0.0, 0.0);
    KorNode* b = Node(0.05, 0.0);
    KorSegment* s = Segment(a, b);
    EXPECT_FALSE(s->IsCollapsed());
    EXPECT_FALSE(s->IsValid());

    KorNNDistance* d = Distance(a, b);
    ASSERT_NE(d, nullptr);
    ASSERT_FALSE(d->IsEnabled());
    EXPECT_TRUE(s->IsCollapsed());
    EXPECT_FALSE(s->IsValid());

    ASSERT_TRUE(d->SetValue(0.05, KOR_DIM_EQUAL, false));
    ASSERT_TRUE(d->IsEnabled());
    EXPECT_FALSE(s->IsCollapsed());
    EXPECT_TRUE(s->IsValid());
}

TEST_F(KorPrimitiveTest, SetAlignmentAcceptsOnceAndClears)
{
    KorNode* a = Node(0.0, 0.0);
    KorNode* b = Node(0.0, 10.0);
    KorSegment* s = Segment(a, b);
    ASSERT_TRUE(s->SetAlignment(KOR_VERTICAL));
    EXPECT_EQ(s->GetAlignment(), KOR_VERTICAL);
    EXPECT_EQ(s->GetTracker()->GetAlignment(), KOR_VERTICAL);
    EXPECT_TRUE(s->SetAlignment(KOR_EMPTY));
    EXPECT_EQ(s->GetAlignment(), KOR_EMPTY);
    EXPECT_EQ(s->GetTracker()->GetAlignment(), KOR_EMPTY);
    EXPECT_EQ(mModel.GetError(), 0);
}

struct AlignmentErrorCase {
    const char* name;
    KOREntityType first;   // applied first (KOR_EMPTY: none)
    KOREntityType second;  // the call that fails
    bool detach;           // the segment has no tracker at the failing call
    int error;
};

class KorSegmentAlignmentErrors : public KorPrimitiveTest,
                                  public ::testing::WithParamInterface<AlignmentErrorCase> {};

TEST_P(KorSegmentAlignmentErrors, ReportsItsErrorAndFails)
{
    const AlignmentErrorCase& c = GetParam();
    KorNode* a = Node(0.0, 0.0);
    KorNode* b = Node(0.0, 10.0);
    KorSegment* s = Segment(a, b);
    if (c.first != KOR_EMPTY) {
        ASSERT_TRUE(s->SetAlignment(c.first));
    }
    KorTracker* t = s->GetTracker();
    if (c.detach)
        s->DetachTracker();
    EXPECT_FALSE(s->SetAlignment(c.second));
    EXPECT_EQ(mModel.GetError(), c.error);
    if (c.detach)
        s->SetTracker(t);  // back on the tracker that still lists it
    EXPECT_EQ(s->GetAlignment(), c.first);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KorSegmentAlignmentErrors,
    ::testing::Values(AlignmentErrorCase{"NoTracker", KOR_EMPTY, KOR_VERTICAL, true, 3},
                      AlignmentErrorCase{"ClearUnaligned", KOR_EMPTY, KOR_EMPTY, false, 7},
                      AlignmentErrorCase{"SameAgain", KOR_VERTICAL, KOR_VERTICAL, false, 7},
                      AlignmentErrorCase{"Conflict", KOR_VERTICAL, KOR_HORIZONTAL, false, 9},
                      AlignmentErrorCase{"NotAnAlignment", KOR_EMPTY, KOR_PARALLEL, false, 9}),
    [](const ::testing::TestParamInfo<AlignmentErrorCase>& info) { return info.param.name; });

TEST_F(KorPrimitiveTest, TrackerConflictBetweenColinearSegmentsGivesError9)
{
    KorNode* a = Node(0.0, 0.0);
    KorNode* b = Node(0.0, 10.0);
    KorNode* c = Node(0.0, 20.0);
    KorSegment* first = Segment(a, b);
    KorSegment* second =
        Segment(b, c, static_cast<KorLinTracker*>(first->GetTracker()));
    ASSERT_NE(second, nullptr);
    ASSERT_TRUE(first->SetAlignment(KOR_VERTICAL));
    EXPECT_EQ(second->GetAlignment(), KOR_EMPTY);
    EXPECT_FALSE(second->SetAlignment(KOR_HORIZONTAL));
    EXPECT_EQ(mModel.GetError(), 9);
    EXPECT_EQ(second->GetAlignment(), KOR_EMPTY);
}

TEST_F(KorPrimitiveTest, OtherAndCommonNodes)
{
    KorNode* a = Node(0.0, 0.0);
    KorNode* b = Node(5.0, 0.0);
    KorNode* c = Node(5.0, 5.0);
    KorSegment* ab = Segment(a, b);
    KorSegment* bc = Segment(b, c);
    EXPECT_EQ(ab->GetOtherNode(a), b);
    EXPECT_EQ(ab->GetOtherNode(b), a);
    EXPECT_EQ(ab->GetOtherNode(c), nullptr);
    EXPECT_EQ(ab->GetOtherNode(nullptr), nullptr);
    EXPECT_EQ(ab->GetCommonNode(bc), b);
    EXPECT_EQ(bc->GetCommonNode(ab), b);
    EXPECT_EQ(b->GetPrimitive(c), bc);
    EXPECT_EQ(b->GetOtherPrimitive(ab), bc);
    EXPECT_EQ(b->GetNumOfTrackers(), 2u);
    EXPECT_EQ(b->GetNumOfDFs(), 3);
}

TEST_F(KorPrimitiveTest, SetPositionMovesTheTrackerAndItsNodesWithoutRegistering)
{
    KorNode* a = Node(0.0, 0.0);
    KorNode* b = Node(10.0, 0.0);
    KorSegment* s = Segment(a, b);
    mModel.SetModified(false);
    s->SetPosition(5.0, 3.0, true);
    EXPECT_NEAR(a->y(), 3.0, 1e-9);
    EXPECT_NEAR(b->y(), 3.0, 1e-9);
    EXPECT_NEAR(a->x(), 0.0, 1e-9);
    EXPECT_EQ(gMoveCalls, 0);
    EXPECT_TRUE(mModel.IsModified());
}

TEST_F(KorPrimitiveTest, MergingColinearSegmentsLeavesOneAndDropsTheMiddleNode)
{
    KorNode* a = Node(0.0, 0.0);
    KorNode* b = Node(5.0, 0.0);
    KorNode* c = Node(10.0, 0.0);
    KorSegment* ab = Segment(a, b);
    KorSegment* bc = Segment(b, c, static_cast<KorLinTracker*>(ab->GetTracker()));
    ASSERT_NE(bc, nullptr);
    KorTracker* t = ab->GetTracker();
    ab->Merge(bc);
    EXPECT_EQ(ab->GetStart(), a);
    EXPECT_EQ(ab->GetEnd(), c);
    EXPECT_EQ(mModel.GetNumOfPrimitives(), 1);
    EXPECT_EQ(mModel.GetNumOfNodes(), 2);
    EXPECT_EQ(ab->GetTracker(), t);
    EXPECT_EQ(t->GetNumOfPrimitives(), 1);
    EXPECT_EQ(t->GetNumOfNodes(), 2);
    EXPECT_EQ(c->GetPrimitive(0u), ab);
}

TEST_F(KorPrimitiveTest, NodeMergeDeletesTheSegmentBetweenThem)
{
    KorNode* a = Node(0.0, 0.0);
    KorNode* b = Node(0.005, 0.0);
    KorNode* c = Node(0.0, 8.0);
    Segment(a, b);
    KorSegment* bc = Segment(b, c);
    KorNode* merged = b;
    ASSERT_TRUE(a->Merge(merged));
    EXPECT_EQ(merged, nullptr);
    EXPECT_EQ(mModel.GetNumOfNodes(), 2);
    EXPECT_EQ(mModel.GetNumOfPrimitives(), 1);
    EXPECT_EQ(bc->GetStart(), a);
    EXPECT_EQ(a->GetNumOfPrimitives(), 1);
    EXPECT_EQ(bc->GetTracker()->GetNumOfNodes(), 2);
    EXPECT_FALSE(a->Merge(merged));
}

TEST_F(KorPrimitiveTest, CircleKeepsItsCentreOffTheTrackerNodes)
{
    KorNode* centre = Node(0.0, 0.0);
    KorNode* rim = Node(3.0, 4.0);
    auto* c = new KorCircle();
    ASSERT_NE(c->Create(&mModel, centre, rim), 0u);
    EXPECT_EQ(c->GetType(), KOR_CIRCLE);
    ASSERT_NE(c->GetTracker(), nullptr);
    EXPECT_EQ(c->GetTracker()->GetCenter(), centre);
    EXPECT_EQ(c->GetTracker()->GetNumOfNodes(), 1);
    EXPECT_FLOAT_EQ(c->GetRadius(), 5.0f);
    EXPECT_FALSE(c->SameAs(c));
    EXPECT_EQ(c->GetEnd(), nullptr);
    EXPECT_EQ(centre->GetNumOfDFs(), 1);
    EXPECT_EQ(centre->GetDF(0u)->GetCarrier(), nullptr);
    EXPECT_FALSE(c->IsCollapsed());
    EXPECT_TRUE(c->IsValid());
    rim->GetPoint() = point(0.05, 0.0);
    EXPECT_TRUE(c->IsCollapsed());
}

TEST_F(KorPrimitiveTest, CircleOnOneNodeGivesError3)
{
    KorNode* n = Node(0.0, 0.0);
    KorCircle c;
    EXPECT_EQ(c.Create(&mModel, n, n), 0u);
    EXPECT_EQ(mModel.GetError(), 3);
    EXPECT_EQ(c.GetRadius(), 0.0f);
}

struct MidAngleCase {
    double start;
    double end;
    double middle;
};

class KorArcMidAngle : public KorPrimitiveTest,
                       public ::testing::WithParamInterface<MidAngleCase> {};

TEST_P(KorArcMidAngle, MidPointLiesHalfwayInAngle)
{
    const MidAngleCase& c = GetParam();
    KorNode* centre = Node(0.0, 0.0);
    KorNode* start = Node(Polar(c.start, 10.0).x(), Polar(c.start, 10.0).y());
    KorNode* end = Node(Polar(c.end, 10.0).x(), Polar(c.end, 10.0).y());
    auto* a = new KorArc();
    ASSERT_NE(a->Create(&mModel, centre, start, end, nullptr), 0u);
    const point mid = a->GetGeoCenter();
    const point expected = Polar(c.middle, 10.0);
    EXPECT_NEAR(mid.x(), expected.x(), 1e-6);
    EXPECT_NEAR(mid.y(), expected.y(), 1e-6);
    EXPECT_EQ(a->GetOrientation().GetCode(), KorOrientation(point(0.0, 0.0), expected).GetCode());
}

INSTANTIATE_TEST_SUITE_P(Cases, KorArcMidAngle,
                         ::testing::Values(MidAngleCase{350.0, 10.0, 0.0},
                                           MidAngleCase{10.0, 80.0, 45.0},
                                           MidAngleCase{170.0, 190.0, 180.0},
                                           MidAngleCase{10.0, 350.0, 180.0}));

TEST_F(KorPrimitiveTest, ArcRefusesEqualEndNodes)
{
    KorNode* centre = Node(0.0, 0.0);
    KorNode* start = Node(10.0, 0.0);
    KorArc a;
    EXPECT_EQ(a.Create(&mModel, centre, start, start, nullptr), 0u);
    EXPECT_EQ(a.Create(&mModel, centre, start, centre, nullptr), 0u);
    EXPECT_EQ(start->GetNumOfPrimitives(), 0);
}

TEST_F(KorPrimitiveTest, ArcIsCollapsedWhenItsSweepIsBelowTheAngularPlay)
{
    KorNode* centre = Node(0.0, 0.0);
    KorNode* start = Node(10.0, 0.0);
    KorNode* end = Node(0.0, 10.0);
    auto* a = new KorArc();
    ASSERT_NE(a->Create(&mModel, centre, start, end, nullptr), 0u);
    EXPECT_NEAR(a->GetSweep(), 90.0, 1e-9);
    EXPECT_FALSE(a->IsCollapsed());
    EXPECT_TRUE(a->IsValid());
    end->GetPoint() = Polar(0.01, 10.0);
    EXPECT_TRUE(a->IsCollapsed());
    EXPECT_FALSE(a->IsValid());
}

TEST_F(KorPrimitiveTest, ArcSharesItsTrackerWithTheEndNodes)
{
    KorNode* centre = Node(0.0, 0.0);
    KorNode* start = Node(10.0, 0.0);
    KorNode* end = Node(0.0, 10.0);
    auto* a = new KorArc();
    ASSERT_NE(a->Create(&mModel, centre, start, end, nullptr), 0u);
    KorTracker* t = a->GetTracker();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->GetNumOfNodes(), 2);
    EXPECT_TRUE(centre->BelongTo(t));
    EXPECT_EQ(t->GetPrimitive(start), a);
}

TEST_F(KorPrimitiveTest, NodeLandsOnTheCrossingOfTwoLineTrackers)
{
    KorSegment* horizontal = Segment(Node(0.0, 0.0), Node(10.0, 0.0));
    KorSegment* vertical = Segment(Node(4.0, -5.0), Node(4.0, 5.0));
    KorSegment* almost = Segment(Node(0.0, 1.0), Node(10.0, 1.0 + 1e-5));
    KorNode* n = Node(1.0, 1.0);
    ASSERT_TRUE(n->CalculatePosition(horizontal->GetTracker(), vertical->GetTracker()));
    EXPECT_NEAR(n->x(), 4.0, 1e-9);
    EXPECT_NEAR(n->y(), 0.0, 1e-9);
    // Closer to parallel than the angular play: no crossing is taken.
    EXPECT_FALSE(n->CalculatePosition(horizontal->GetTracker(), almost->GetTracker()));
    EXPECT_NEAR(n->x(), 4.0, 1e-9);
}

TEST_F(KorPrimitiveTest, CommonLineTrackerOfTwoNodes)
{
    KorNode* a = Node(0.0, 0.0);
    KorNode* b = Node(10.0, 0.0);
    KorNode* c = Node(10.0, 10.0);
    KorSegment* ab = Segment(a, b);
    Segment(b, c);
    EXPECT_EQ(a->GetCommonLinTracker(b), ab->GetTracker());
    EXPECT_EQ(a->GetCommonLinTracker(c), nullptr);
    EXPECT_EQ(a->GetCommonCirTracker(nullptr), nullptr);
    EXPECT_EQ(c->GetCommonGeoLinTracker(a), nullptr);
    KorNode* onLine = Node(20.0, 0.005);
    EXPECT_EQ(a->GetCommonGeoLinTracker(onLine), ab->GetTracker());
    EXPECT_TRUE(a->IsConsistent());
    EXPECT_TRUE(a->EasyToAdjust());   // one tracker
    EXPECT_FALSE(b->EasyToAdjust());  // two, both orthogonal
}

TEST_F(KorPrimitiveTest, DeletingANodeCascadesOverPrimitivesDimensionsAndTrackers)
{
    KorNode* a = Node(0.0, 0.0);
    KorNode* b = Node(10.0, 0.0);
    KorNode* c = Node(10.0, 10.0);
    KorNode* rim = Node(13.0, 14.0);
    KorSegment* ab = Segment(a, b);
    KorSegment* bc = Segment(b, c);
    ASSERT_NE(Distance(a, b), nullptr);
    ASSERT_NE(Distance(b, c), nullptr);
    auto* circle = new KorCircle();
    ASSERT_NE(circle->Create(&mModel, c, rim), 0u);
    ASSERT_NE(ab, nullptr);
    ASSERT_NE(bc, nullptr);
    const std::size_t trackers = mModel.GetTrackers().size();

    delete b;
    EXPECT_EQ(mModel.GetNumOfNodes(), 3);
    EXPECT_EQ(mModel.GetNumOfPrimitives(), 1);
    EXPECT_EQ(mModel.GetNumOfDimensions(), 0);
    EXPECT_EQ(mModel.GetTrackers().size(), trackers - 2);
    EXPECT_EQ(a->GetNumOfPrimitives(), 0);
    EXPECT_EQ(a->GetNumOfTrackers(), 0u);
    EXPECT_EQ(a->GetNumOfDFs(), 0);
    EXPECT_EQ(c->GetNumOfPrimitives(), 1);

    delete c;  // the circle's centre: the circle and its tracker go too
    EXPECT_EQ(mModel.GetNumOfPrimitives(), 0);
    EXPECT_EQ(mModel.GetTrackers().size(), trackers - 3);
    EXPECT_EQ(rim->GetNumOfTrackers(), 0u);
}

TEST_F(KorPrimitiveTest, AlignedNeighboursShareOneImplicitColinear)
{
    const KorHandle a = mModel.CreateNode(0.0, 0.0);
    const KorHandle b = mModel.CreateNode(5.0, 0.0);
    const KorHandle c = mModel.CreateNode(10.0, 0.0);
    const KorHandle ab = mModel.CreateSegment(a, b);
    const KorHandle bc = mModel.CreateSegment(b, c);
    ASSERT_NE(mModel.CreateConstraint(KOR_HORIZONTAL, ab, 0, 0, 0), 0u);
    ASSERT_NE(mModel.CreateConstraint(KOR_HORIZONTAL, bc, 0, 0, 0), 0u);
    auto* first = static_cast<KorSegment*>(mModel.GetNamesManager().GetObjectAddress(ab));
    auto* second = static_cast<KorSegment*>(mModel.GetNamesManager().GetObjectAddress(bc));
    KorNode* middle = first->GetEnd();
    ASSERT_NE(first->GetImplicitColinear(middle), nullptr);
    EXPECT_EQ(first->GetImplicitColinear(middle), second->GetImplicitColinear(middle));
    EXPECT_EQ(first->GetTracker(), second->GetTracker());
    // The model deletes its constraints before the segments: the colinear
    // goes once.
    mModel.Clear();
    EXPECT_EQ(mModel.GetNumOfPrimitives(), 0);
}

TEST_F(KorPrimitiveTest, RemovingTheImplicitColinearClearsBothSides)
{
    const KorHandle a = mModel.CreateNode(0.0, 0.0);
    const KorHandle b = mModel.CreateNode(5.0, 0.0);
    const KorHandle c = mModel.CreateNode(10.0, 0.0);
    const KorHandle ab = mModel.CreateSegment(a, b);
    const KorHandle bc = mModel.CreateSegment(b, c);
    ASSERT_NE(mModel.CreateConstraint(KOR_HORIZONTAL, ab, 0, 0, 0), 0u);
    ASSERT_NE(mModel.CreateConstraint(KOR_HORIZONTAL, bc, 0, 0, 0), 0u);
    auto* first = static_cast<KorSegment*>(mModel.GetNamesManager().GetObjectAddress(ab));
    auto* second = static_cast<KorSegment*>(mModel.GetNamesManager().GetObjectAddress(bc));
    KorNode* middle = first->GetEnd();
    const std::size_t constraints = mModel.GetConstraints().size();
    second->RemoveImplicitColinear();
    EXPECT_EQ(first->GetImplicitColinear(middle), nullptr);
    EXPECT_EQ(second->GetImplicitColinear(middle), nullptr);
    EXPECT_EQ(mModel.GetConstraints().size(), constraints - 1);
}

TEST_F(KorPrimitiveTest, ImplicitColinearRemovedByTheModelIsForgottenBySegments)
{
    const KorHandle a = mModel.CreateNode(0.0, 0.0);
    const KorHandle b = mModel.CreateNode(5.0, 0.0);
    const KorHandle c = mModel.CreateNode(10.0, 0.0);
    const KorHandle ab = mModel.CreateSegment(a, b);
    const KorHandle bc = mModel.CreateSegment(b, c);
    ASSERT_NE(mModel.CreateConstraint(KOR_HORIZONTAL, ab, 0, 0, 0), 0u);
    ASSERT_NE(mModel.CreateConstraint(KOR_HORIZONTAL, bc, 0, 0, 0), 0u);
    auto* first = static_cast<KorSegment*>(mModel.GetNamesManager().GetObjectAddress(ab));
    KorColinear* colinear = first->GetImplicitColinear(first->GetEnd());
    ASSERT_NE(colinear, nullptr);
    ASSERT_TRUE(mModel.RemoveObject(colinear->GetHandle()));
    // Deleting both segments must not touch the deleted constraint again.
    ASSERT_TRUE(mModel.RemoveObject(ab));
    ASSERT_TRUE(mModel.RemoveObject(bc));
    EXPECT_EQ(mModel.GetNumOfPrimitives(), 0);
}

TEST_F(KorPrimitiveTest, DFSubjectIsTheOtherNodesEntryOfTheMovedLine)
{
    KorNode* a = Node(0.0, 0.0);
    KorNode* b = Node(10.0, 0.0);
    KorSegment* ab = Segment(a, b);
    KorSegment* ac = Segment(a, Node(0.0, 10.0));
    KorSegment* bd = Segment(b, Node(10.0, 10.0));
    KorNNDistance* d = Distance(a, b);
    ASSERT_NE(d, nullptr);
    KorTracker* line = ab->GetTracker();
    KorDF* movesLine = a->GetDF(line, nullptr);
    ASSERT_NE(movesLine, nullptr);
    EXPECT_EQ(movesLine->GetCarrier(), ac->GetTracker());
    KorTrackerSolution followers(KOR_TS_SHIFT, a, 2);
    followers.AddFollower(ac->GetTracker());  // line's nodes: a, then b
    followers.AddFollower(bd->GetTracker());
    EXPECT_EQ(movesLine->GetSubject(d, &followers), bd->GetTracker());
    KorDF* movesSide = a->GetDF(ac->GetTracker(), nullptr);
    ASSERT_NE(movesSide, nullptr);
    EXPECT_EQ(movesSide->GetSubject(d, &followers), nullptr);  // b is not on it
    EXPECT_EQ(movesLine->GetSubject(nullptr, &followers), nullptr);
}

TEST_F(KorPrimitiveTest, ClearingTheModelDeletesEverythingOnce)
{
    KorModel model;
    KorNode* a = Node(0.0, 0.0, &model);
    KorNode* b = Node(10.0, 0.0, &model);
    KorNode* c = Node(10.0, 10.0, &model);
    Segment(a, b, nullptr, &model);
    Segment(b, c, nullptr, &model);
    auto* arc = new KorArc();
    ASSERT_NE(arc->Create(&model, b, a, c, nullptr), 0u);
    model.Clear();
    EXPECT_EQ(model.GetNumOfNodes(), 0);
    EXPECT_EQ(model.GetNumOfPrimitives(), 0);
    EXPECT_TRUE(model.GetTrackers().empty());
}

}  // namespace
