#include <gtest/gtest.h>

#include "kor_dim_solution.h"
#include "kor_new_dimension_fixture.h"
#include "kor_ss_distance.h"

namespace {

// Two horizontal walls 4 apart, bottom (0,0)-(10,0), top (0,4)-(10,4).
class KorSSDistanceTest : public KorSketchFixture {
protected:
    void SetUp() override
    {
        KorSketchFixture::SetUp();
        a = Node(0, 0);
        b = Node(10, 0);
        c = Node(0, 4);
        d = Node(10, 4);
        bottom = Segment(a, b);
        top = Segment(c, d);
    }
    KorHandle a = 0, b = 0, c = 0, d = 0, bottom = 0, top = 0;
};

TEST_F(KorSSDistanceTest, SegmentsThatAreNotParallelAreRefused)
{
    EXPECT_EQ(model.CreateDistance(bottom, top, KOR_SSDISTANCE, 0), 0u);
    EXPECT_EQ(model.GetError(), KOR_ERR_CREATE);
}

TEST_F(KorSSDistanceTest, SegmentsOnOneTrackerAreRefused)
{
    const KorHandle e = Node(20, 0);
    const KorHandle next = Segment(b, e);
    ASSERT_NE(model.CreateConstraint(KOR_COLINEAR, bottom, next, 0, 0), 0u);
    ASSERT_EQ(LineOf(bottom), LineOf(next));
    EXPECT_EQ(model.CreateDistance(bottom, next, KOR_SSDISTANCE, 0), 0u);
    EXPECT_EQ(model.GetError(), KOR_ERR_CREATE);
}

TEST_F(KorSSDistanceTest, ParallelSegmentsMeasureTheGapBetweenTheirLines)
{
    ASSERT_NE(model.CreateConstraint(KOR_PARALLEL, bottom, top, 0, 0), 0u);
    const KorHandle h = model.CreateDistance(bottom, top, KOR_SSDISTANCE, 0);
    ASSERT_NE(h, 0u);
    auto* distance = Get<KorSSDistance>(h);
    ASSERT_NE(distance, nullptr);
    EXPECT_EQ(distance->GetType(), KOR_SSDISTANCE);
    EXPECT_NEAR(distance->GetImplementedValue(), 4.0, 1e-9);
    EXPECT_EQ(distance->GetOtherTracker(nullptr), LineOf(top));
    EXPECT_EQ(distance->GetOtherTracker(LineOf(top)), LineOf(bottom));
}

TEST_F(KorSSDistanceTest, NeitherPlacedNorAlignedHasNoSolution)
{
    ASSERT_NE(model.CreateConstraint(KOR_PARALLEL, bottom, top, 0, 0), 0u);
    auto* distance = Get<KorSSDistance>(model.CreateDistance(bottom, top, KOR_SSDISTANCE, 0));
    ASSERT_NE(distance, nullptr);
    EXPECT_EQ(distance->Solve(static_cast<KorDF*>(nullptr)), nullptr);
}

TEST_F(KorSSDistanceTest, AlignedTrackersShiftOneAfterTheOther)
{
    ASSERT_NE(model.CreateConstraint(KOR_HORIZONTAL, bottom, 0, 0, 0), 0u);
    ASSERT_NE(model.CreateConstraint(KOR_HORIZONTAL, top, 0, 0, 0), 0u);
    auto* distance = Get<KorSSDistance>(model.CreateDistance(bottom, top, KOR_SSDISTANCE, 0));
    ASSERT_NE(distance, nullptr);
    KorDimSolution* first = distance->Solve(static_cast<KorDF*>(nullptr));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetDF(), distance->GetDF(1));
    KorDimSolution* second = distance->Solve(first->GetDF());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetDF(), distance->GetDF(2));
    // Without circle contacts and with nothing applied, DF 4 ends the walk.
    EXPECT_EQ(distance->Solve(distance->GetDF(4)), nullptr);
    delete first;
    delete second;
}

TEST_F(KorSSDistanceTest, ResolveSetsTheGap)
{
    ASSERT_NE(model.CreateConstraint(KOR_HORIZONTAL, bottom, 0, 0, 0), 0u);
    ASSERT_NE(model.CreateConstraint(KOR_HORIZONTAL, top, 0, 0, 0), 0u);
    ASSERT_NE(Fix(a), 0u);
    ASSERT_NE(Fix(b), 0u);
    const KorHandle h = model.CreateDistance(bottom, top, KOR_SSDISTANCE, 0);
    ASSERT_TRUE(Set(h, "7"));
    ASSERT_TRUE(model.Resolve()) << model.GetError();
    EXPECT_NEAR(NodeOf(c)->y(), 7.0, GeoSnap());
    EXPECT_NEAR(NodeOf(d)->y(), 7.0, GeoSnap());
    EXPECT_NEAR(NodeOf(a)->y(), 0.0, 1e-12);
}

}  // namespace

namespace {

// An arc starting at the top wall's right node: the top tracker touches a
// circle tracker, the bottom one does not.
TEST_F(KorSSDistanceTest, CircleContactsAfterDF2TryDF3ThenDF4AndOtherwiseDF4Only)
{
    ASSERT_NE(model.CreateConstraint(KOR_HORIZONTAL, bottom, 0, 0, 0), 0u);
    ASSERT_NE(model.CreateConstraint(KOR_HORIZONTAL, top, 0, 0, 0), 0u);
    ASSERT_NE(model.CreateArc(Node(14, 4), d, Node(14, 8)), 0u);
    auto* distance = Get<KorSSDistance>(model.CreateDistance(bottom, top, KOR_SSDISTANCE, 0));
    ASSERT_NE(distance, nullptr);
    // After DF 2: DF 3, whose carrier (the top) touches the arc.
    KorDimSolution* contact = distance->Solve(distance->GetDF(2));
    ASSERT_NE(contact, nullptr);
    EXPECT_EQ(contact->GetDF(), distance->GetDF(3));
    EXPECT_EQ(contact->GetOpCode(), KOR_OP_EXTRA);
    ASSERT_NE(distance->GetExtraSolution(), nullptr);
    EXPECT_EQ(distance->GetExtraSolution()->GetDF(), distance->GetDF(3));
    // After DF 3 only DF 4 is left, and its carrier (the bottom) touches nothing.
    EXPECT_EQ(distance->Solve(distance->GetDF(3)), nullptr);
    delete contact;
}

}  // namespace

namespace {

// A slanted room whose bottom and top walls each have one fixed corner, held
// parallel at a gap: both walls turn together about their fixed corners.
struct SlantedRoom {
    double bottomSlope, gap;
};

void PrintTo(const SlantedRoom& room, std::ostream* out)
{
    *out << "bottom at " << room.bottomSlope << " deg, gap " << room.gap;
}

class KorSSDistanceTurnTest : public KorSketchFixture,
                              public ::testing::WithParamInterface<SlantedRoom> {
protected:
    void Solve(const SlantedRoom& room)
    {
        const double u = room.bottomSlope * M_PI / 180.0;
        const point along(std::cos(u), std::sin(u)), across(-std::sin(u), std::cos(u));
        auto at = [&](double s, double t) {
            return Node(s * along.x() + t * across.x(), s * along.y() + t * across.y());
        };
        // The start is a little off: the top 2 in further out than the gap and turned.
        a = at(0, 0);
        b = at(240, 3);
        c = at(300, room.gap + 2);
        d = at(40, room.gap - 4);
        bottom = Segment(a, b);
        top = Segment(c, d);
        Segment(b, c);
        Segment(d, a);
        ASSERT_NE(Fix(a), 0u);
        ASSERT_NE(Fix(c), 0u);
        ASSERT_NE(model.CreateConstraint(KOR_PARALLEL, bottom, top, 0, 0), 0u);
        const KorHandle h = model.CreateDistance(bottom, top, KOR_SSDISTANCE, 0);
        ASSERT_NE(h, 0u);
        ASSERT_TRUE(model.SetDimensionValue(h, room.gap, KORDimensionType(2)));
        solved = model.Resolve();
    }
    double Gap(KorHandle node) const
    {
        const point& p = NodeOf(a)->GetPoint();
        const point& q = NodeOf(b)->GetPoint();
        const point& n = NodeOf(node)->GetPoint();
        return std::fabs((q.x() - p.x()) * (n.y() - p.y()) - (q.y() - p.y()) * (n.x() - p.x())) /
               std::hypot(q.x() - p.x(), q.y() - p.y());
    }
    double TurnDegrees() const
    {
        const point& p = NodeOf(a)->GetPoint();
        const point& q = NodeOf(b)->GetPoint();
        const point& r = NodeOf(d)->GetPoint();
        const point& s = NodeOf(c)->GetPoint();
        const double cross = (q.x() - p.x()) * (s.y() - r.y()) - (q.y() - p.y()) * (s.x() - r.x());
        const double dot = (q.x() - p.x()) * (s.x() - r.x()) + (q.y() - p.y()) * (s.y() - r.y());
        return std::fabs(std::atan2(cross, dot)) * 180.0 / M_PI;
    }
    KorHandle a = 0, b = 0, c = 0, d = 0, bottom = 0, top = 0;
    bool solved = false;
};

TEST_P(KorSSDistanceTurnTest, WallsWithOneFixedCornerEachTurnToTheirGap)
{
    const SlantedRoom room = GetParam();
    Solve(room);
    ASSERT_TRUE(solved) << model.GetError();
    EXPECT_NEAR(TurnDegrees(), 0.0, 0.01);
    EXPECT_NEAR(Gap(c), room.gap, 0.01);
    EXPECT_NEAR(Gap(d), room.gap, 0.01);
    EXPECT_EQ(NodeOf(a)->GetPoint(), point(0.0, 0.0));
}

INSTANTIATE_TEST_SUITE_P(Rooms, KorSSDistanceTurnTest,
                         ::testing::Values(SlantedRoom{0.0, 150.0}, SlantedRoom{17.0, 150.0},
                                           SlantedRoom{-35.0, 90.0}, SlantedRoom{70.0, 260.0}));

}  // namespace
