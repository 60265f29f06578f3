// Rooms held by wall lengths alone, which the search solves by two or three
// dimensions at once, and the pair of moves that lays one circle through a
// fixed node and two ends at given distances from it.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "kor_df.h"
#include "kor_dim_solution.h"
#include "kor_new_dimension_fixture.h"

namespace {

// Four walls: 0-1 fixed, 2-3 level or upright, the lengths 1-2, 2-3 and
// 3-0 given. The start is a few inches off the room.
struct CouplerRoom {
    const char* name;
    point corners[4];  // the room the lengths describe
    bool upright;
};

void PrintTo(const CouplerRoom& room, std::ostream* out) { *out << room.name; }

class KorCouplerTest : public KorSketchFixture, public ::testing::WithParamInterface<CouplerRoom> {
protected:
    double Length(int i, int j) const
    {
        const point& p = GetParam().corners[i];
        const point& q = GetParam().corners[j];
        return std::hypot(q.x() - p.x(), q.y() - p.y());
    }
    bool Build()
    {
        const CouplerRoom& room = GetParam();
        const double off[4][2] = {{0, 0}, {0, 0}, {-2, 2}, {1, -2}};
        for (int i = 0; i < 4; ++i)
            nodes[i] = Node(room.corners[i].x() + off[i][0], room.corners[i].y() + off[i][1]);
        KorHandle walls[4];
        for (int i = 0; i < 4; ++i)
            walls[i] = Segment(nodes[i], nodes[(i + 1) % 4]);
        bool built = Fix(nodes[0]) && Fix(nodes[1]) &&
                     model.CreateConstraint(room.upright ? KOR_VERTICAL : KOR_HORIZONTAL, walls[2],
                                            0, 0, 0);
        for (int i = 1; i < 4; ++i) {
            const KorHandle h = model.CreateDistance(nodes[i], nodes[(i + 1) % 4], KOR_DISTANCE, 0);
            built = built && h && model.SetDimensionValue(h, Length(i, (i + 1) % 4), KORDimensionType(2));
        }
        return built;
    }
    KorHandle nodes[4] = {0, 0, 0, 0};
};

// The coupler's two ends lie on circles whose centres are nearly level or
// nearly upright: their crossing is taken on both circles, not levelled.
TEST_P(KorCouplerTest, CouplerBetweenTwoLengthsKeepsThemAll)
{
    ASSERT_TRUE(Build());
    ASSERT_TRUE(model.Resolve()) << model.GetError();
    for (int i = 1; i < 4; ++i)
        EXPECT_NEAR(Distance(nodes[i], nodes[(i + 1) % 4]), Length(i, (i + 1) % 4), 0.01)
            << "wall " << i;
    const point& a = NodeOf(nodes[2])->GetPoint();
    const point& b = NodeOf(nodes[3])->GetPoint();
    EXPECT_NEAR(GetParam().upright ? a.x() - b.x() : a.y() - b.y(), 0.0, 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    Rooms, KorCouplerTest,
    ::testing::Values(
        CouplerRoom{"upright coupler, fixed wall nearly upright",
                    {{0, 0}, {-0.5, 440}, {170, 490}, {170, -70}}, true},
        CouplerRoom{"upright coupler, fixed wall upright", {{0, 0}, {0, 440}, {170, 490}, {170, -70}},
                    true},
        CouplerRoom{"level coupler, fixed wall nearly level",
                    {{0, 0}, {440, 0.008}, {490, 170}, {-70, 170}}, false},
        CouplerRoom{"level coupler, slanted fixed wall", {{0, 0}, {300, 40}, {330, 200}, {-30, 200}},
                    false}));

}  // namespace

namespace {

// An arc wall in two pieces held on one circle (the pieces colinear), its
// middle node fixed, given distances from it to the two far ends.
class KorOneCircleTest : public KorSketchFixture {
protected:
    void SetUp() override
    {
        KorSketchFixture::SetUp();
        centre = Node(0, 0);
        a = Node(100, 0);
        b = Node(0, 100);
        e = Node(-100, 0);
        ASSERT_NE(Fix(b), 0u);
        const KorHandle first = model.CreateArc(centre, a, b);
        const KorHandle second = model.CreateArc(centre, b, e);
        ASSERT_NE(model.CreateConstraint(KOR_COLINEAR, first, second, 0, 0), 0u);
        circleTracker = NodeOf(a)->GetCommonCirTracker(NodeOf(e));
        ASSERT_NE(circleTracker, nullptr);
        ASSERT_EQ(circleTracker, NodeOf(b)->GetCommonCirTracker(NodeOf(a)));
        toA = Get<KorDimension>(model.CreateDistance(b, a, KOR_DISTANCE, 0));
        toE = Get<KorDimension>(model.CreateDistance(b, e, KOR_DISTANCE, 0));
        ASSERT_NE(toA, nullptr);
        ASSERT_NE(toE, nullptr);
    }
    // The pair of solutions that move a and e on the circle, each along its
    // distance, applied together.
    bool AdjustPair(double toAValue, double toEValue)
    {
        EXPECT_TRUE(toA->SetValue(toAValue, KORDimensionType(2), true));
        EXPECT_TRUE(toE->SetValue(toEValue, KORDimensionType(2), true));
        KorDF* dfA = NodeOf(a)->GetDF(circleTracker, toA->GetTracker(NodeOf(a)));
        KorDF* dfE = NodeOf(e)->GetDF(circleTracker, toE->GetTracker(NodeOf(e)));
        EXPECT_NE(dfA, nullptr);
        EXPECT_NE(dfE, nullptr);
        if (!dfA || !dfE)
            return false;
        KorDimSolution first(dfA, nullptr, KOR_OP_DOUBLE);
        KorDimSolution second(dfE, nullptr, KOR_OP_DOUBLE);
        const bool adjusted = first.Adjust(&second, toA, toE);
        EXPECT_EQ(first.IsUpdatedObjectNode(NodeOf(a)), adjusted);
        EXPECT_EQ(first.IsUpdatedObjectNode(NodeOf(e)), adjusted);
        return adjusted;
    }
    double OffCircle(KorHandle node) const
    {
        const circle& c = circleTracker->GetCircle();
        const point& p = NodeOf(node)->GetPoint();
        return std::fabs(std::hypot(p.x() - c.center().x(), p.y() - c.center().y()) - c.rad());
    }
    KorHandle centre = 0, a = 0, b = 0, e = 0;
    KorCirTracker* circleTracker = nullptr;
    KorDimension* toA = nullptr;
    KorDimension* toE = nullptr;
};

// The circle is laid through the fixed node and the two ends, each moved
// along its line from the fixed node to its distance.
TEST_F(KorOneCircleTest, BothEndsMoveToTheirDistancesOnACircleThroughTheFixedNode)
{
    ASSERT_TRUE(AdjustPair(150.0, 120.0));
    EXPECT_NEAR(Distance(b, a), 150.0, 1e-9);
    EXPECT_NEAR(Distance(b, e), 120.0, 1e-9);
    EXPECT_NEAR(OffCircle(a), 0.0, 1e-9);
    EXPECT_NEAR(OffCircle(e), 0.0, 1e-9);
    EXPECT_NEAR(OffCircle(b), 0.0, 1e-9);
    // Each end stays on its line from the fixed node: a on y = 100 - x, e on y = 100 + x.
    EXPECT_NEAR(NodeOf(a)->y(), 100.0 - NodeOf(a)->x(), 1e-9);
    EXPECT_NEAR(NodeOf(e)->y(), 100.0 + NodeOf(e)->x(), 1e-9);
    EXPECT_EQ(NodeOf(b)->GetPoint(), point(0.0, 100.0));
}

// Ends that would fall on one line with the fixed node make no circle: the
// pair fails and nothing moves.
TEST_F(KorOneCircleTest, EndsInLineWithTheFixedNodeFailAndMoveNothing)
{
    // Put e on the line from b through a, beyond a.
    model.SetNodePosition(e, 200.0, -100.0);
    const point atA = NodeOf(a)->GetPoint();
    const point atE = NodeOf(e)->GetPoint();
    const circle before = circleTracker->GetCircle();
    EXPECT_FALSE(AdjustPair(100.0, 200.0));
    EXPECT_EQ(NodeOf(a)->GetPoint(), atA);
    EXPECT_EQ(NodeOf(e)->GetPoint(), atE);
    EXPECT_EQ(circleTracker->GetCircle().center(), before.center());
    EXPECT_EQ(circleTracker->GetCircle().rad(), before.rad());
}

}  // namespace
