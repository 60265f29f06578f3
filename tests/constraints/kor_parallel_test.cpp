#include <cmath>

#include <gtest/gtest.h>

#include "kor_colinear.h"
#include "kor_dim_solution.h"
#include "kor_globals.h"
#include "kor_lin_tracker.h"
#include "kor_model.h"
#include "kor_node.h"
#include "kor_parallel.h"
#include "kor_perpendicular.h"
#include "kor_segment.h"
#include "settings.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

class ParallelTest : public ::testing::Test {
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

    KorHandle Segment(double x1, double y1, double x2, double y2)
    {
        return mModel.CreateSegment(mModel.CreateNode(x1, y1), mModel.CreateNode(x2, y2));
    }
    KorHandle SegmentTo(KorHandle from, double x, double y)
    {
        return mModel.CreateSegment(from, mModel.CreateNode(x, y));
    }
    KorParallel* LastParallel() { return static_cast<KorParallel*>(mModel.GetDimensions().front()); }

    KorModel mModel;
    double mSnap = 0.0;
    double mDif = 0.0;
};

TEST_F(ParallelTest, ParallelWithinGeoDifOfADegree)
{
    struct Case {
        double degrees;
        bool implemented;
    };
    const Case cases[] = {{0.0, true}, {0.0005, true}, {-0.0005, true}, {0.002, false}};
    for (const Case& k : cases) {
        KorModel model;
        const KorHandle s1 = model.CreateSegment(model.CreateNode(0, 0), model.CreateNode(10, 0));
        const double rise = 10.0 * std::tan(k.degrees * kPi / 180.0);
        const KorHandle s2 = model.CreateSegment(model.CreateNode(0, 5), model.CreateNode(10, 5 + rise));
        ASSERT_NE(model.CreateConstraint(KOR_PARALLEL, s1, s2, 0, 0), 0u);
        KorDimension* d = model.GetDimensions().front();
        EXPECT_EQ(d->GetType(), KOR_PARALLEL);
        EXPECT_NEAR(d->GetImplementedValue(), std::fabs(k.degrees), 1e-9);
        EXPECT_EQ(d->IsImplemented(), k.implemented) << k.degrees;
        EXPECT_EQ(d->GetValue(), 0.0);
        EXPECT_FALSE(d->SetValue(5.0, KOR_DIM_EQUAL, false));
    }
}

TEST_F(ParallelTest, DuplicateParallelKeepsTheModelsError13)
{
    const KorHandle s1 = Segment(0, 0, 10, 0);
    const KorHandle s2 = Segment(0, 5, 10, 5);
    ASSERT_NE(mModel.CreateConstraint(KOR_PARALLEL, s1, s2, 0, 0), 0u);
    EXPECT_EQ(mModel.CreateConstraint(KOR_PARALLEL, s2, s1, 0, 0), 0u);
    EXPECT_EQ(mModel.GetError(), 13);
    EXPECT_EQ(mModel.GetDimensions().size(), 1u);
}

TEST_F(ParallelTest, SegmentsOnOneTrackerCannotBeParallel)
{
    const KorHandle a = mModel.CreateNode(0, 0);
    const KorHandle b = mModel.CreateNode(5, 0);
    const KorHandle s1 = mModel.CreateSegment(a, b);
    const KorHandle s2 = SegmentTo(b, 10, 0);
    ASSERT_NE(mModel.CreateConstraint(KOR_COLINEAR, s1, s2, 0, 0), 0u);
    EXPECT_EQ(mModel.CreateConstraint(KOR_PARALLEL, s1, s2, 0, 0), 0u);
    EXPECT_EQ(mModel.GetError(), 3);
}

TEST_F(ParallelTest, TwoDFsPerNodeOfEitherTracker)
{
    const KorHandle a = mModel.CreateNode(0, 0);
    const KorHandle b = mModel.CreateNode(5, 0);
    const KorHandle s1 = mModel.CreateSegment(a, b);
    const KorHandle s2 = SegmentTo(b, 10, 0);
    ASSERT_NE(mModel.CreateConstraint(KOR_COLINEAR, s1, s2, 0, 0), 0u);
    const KorHandle s3 = Segment(0, 5, 10, 5);
    ASSERT_NE(mModel.CreateConstraint(KOR_PARALLEL, s1, s3, 0, 0), 0u);
    KorParallel* p = LastParallel();
    ASSERT_EQ(p->GetNumOfDFs(), 10);
    bool second = true;
    KorDF* first = p->GetNextDF(nullptr, &second);
    EXPECT_FALSE(second);
    KorDF* twin = p->GetNextDF(first, &second);
    EXPECT_TRUE(second);
    EXPECT_EQ(twin->GetNode(), first->GetNode());
    p->GetNextDF(twin, &second);
    EXPECT_FALSE(second);
    EXPECT_TRUE(p->IsLastDF(p->GetDF(9)));
}

TEST_F(ParallelTest, StatusFromPlacedTrackers)
{
    const KorHandle s1 = Segment(0, 0, 10, 0);
    const KorHandle s2 = Segment(0, 5, 10, 5);
    ASSERT_NE(mModel.CreateConstraint(KOR_PARALLEL, s1, s2, 0, 0), 0u);
    KorParallel* p = LastParallel();
    EXPECT_EQ(p->CalculateStatus(), 0);
    p->GetStartTracker()->SetStatus(static_cast<KORStatusType>(2));
    EXPECT_EQ(p->CalculateStatus(), 5);
    ASSERT_TRUE(p->GetEndTracker()->SetAlignment(KOR_HORIZONTAL));
    EXPECT_EQ(p->CalculateStatus(), 2);
    EXPECT_EQ(p->Solve(static_cast<KorDF*>(nullptr)), nullptr);
}

TEST_F(ParallelTest, SolveTurnsTheFirstFreeTrackerAboutItsNode)
{
    const KorHandle s1 = Segment(0, 0, 10, 0);
    const KorHandle s2 = Segment(0, 5, 10, 6);
    ASSERT_NE(mModel.CreateConstraint(KOR_PARALLEL, s1, s2, 0, 0), 0u);
    KorParallel* p = LastParallel();
    KorDimSolution* s = p->Solve(static_cast<KorDF*>(nullptr));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->GetOpCode(), KOR_OP_TURN);
    ASSERT_TRUE(p->Adjust(s));
    auto* moved = static_cast<KorLinTracker*>(s->GetDF()->GetMoved());
    auto* carrier = static_cast<KorLinTracker*>(s->GetDF()->GetCarrier());
    EXPECT_NEAR(moved->GetLine().ltan(), carrier->GetLine().ltan(), 1e-12);
    EXPECT_TRUE(s->GetDF()->GetNode()->GetPoint() == moved->GetLine());
    delete s;
}

TEST_F(ParallelTest, NothingToDoBetweenTrackersWithSeveralParallels)
{
    const KorHandle s1 = Segment(0, 0, 10, 0);
    const KorHandle s2 = Segment(0, 5, 10, 5);
    const KorHandle s3 = Segment(0, 9, 10, 9);
    ASSERT_NE(mModel.CreateConstraint(KOR_PARALLEL, s1, s2, 0, 0), 0u);
    ASSERT_NE(mModel.CreateConstraint(KOR_PARALLEL, s2, s3, 0, 0), 0u);
    ASSERT_NE(mModel.CreateConstraint(KOR_PARALLEL, s1, s3, 0, 0), 0u);
    KorParallel* p = LastParallel();
    p->GetStartTracker()->SetStatus(static_cast<KORStatusType>(2));
    p->GetEndTracker()->SetStatus(static_cast<KORStatusType>(2));
    KorDimSolution* s = p->Solve(static_cast<KorDF*>(nullptr));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->GetOpCode(), KOR_OP_NOTHING);
    EXPECT_EQ(s->GetTrackerSolution(), nullptr);
    delete s;
}

TEST_F(ParallelTest, MadeOnTrackersTheyCarryIt)
{
    mModel.CreateSegment(mModel.CreateNode(0, 0), mModel.CreateNode(10, 0));
    mModel.CreateSegment(mModel.CreateNode(0, 5), mModel.CreateNode(10, 5));
    auto* t1 = static_cast<KorLinTracker*>(static_cast<KorSegment*>(mModel.GetPrimitives()[0])->GetTracker());
    auto* t2 = static_cast<KorLinTracker*>(static_cast<KorSegment*>(mModel.GetPrimitives()[1])->GetTracker());
    auto* p = new KorParallel();
    EXPECT_EQ(p->Create(&mModel, t1, t1), 0u);
    EXPECT_EQ(mModel.GetError(), 3);
    ASSERT_NE(p->Create(&mModel, t1, t2), 0u);
    EXPECT_EQ(t1->GetNumOfParallels(), 1);
    EXPECT_EQ(t2->GetDimaint(KOR_PARALLEL, nullptr), p);
    EXPECT_EQ(p->GetStart(), t1);
    EXPECT_EQ(p->GetOtherTracker(t2), t1);
    EXPECT_EQ(p->GetOtherTracker(nullptr), t1);
}

TEST_F(ParallelTest, PerpendicularMeasuresNinety)
{
    const KorHandle s1 = Segment(0, 0, 10, 0);
    const KorHandle s2 = Segment(0, 5, 0.00001, 15);
    ASSERT_NE(mModel.CreateConstraint(KOR_PERPENDICULAR, s1, s2, 0, 0), 0u);
    KorDimension* d = mModel.GetDimensions().front();
    EXPECT_EQ(d->GetType(), KOR_PERPENDICULAR);
    EXPECT_EQ(d->GetValue(), 90.0);
    EXPECT_TRUE(d->IsImplemented());
}

}  // namespace
