#include <gtest/gtest.h>

#include <cmath>

#include "kor_lin_tracker.h"
#include "kor_node.h"
#include "kor_test_model.h"

namespace {

// An open chain A - B - C: A and C end one wall each, B joins two.
class KorModelDragTest : public KorModelFixture {
protected:
    void SetUp() override
    {
        KorModelFixture::SetUp();
        a = model.CreateNode(0, 0);
        b = model.CreateNode(10, 0);
        c = model.CreateNode(10, 10);
        ASSERT_NE(model.CreateSegment(a, b), 0u);
        ASSERT_NE(model.CreateSegment(b, c), 0u);
        ASSERT_TRUE(model.Resolve());
    }
    KorNode* Node(KorHandle h)
    {
        return static_cast<KorNode*>(model.GetNamesManager().GetObjectAddress(h));
    }
    KorLinTracker* OnlyAlignmentTracker()
    {
        KorLinTracker* found = nullptr;
        int count = 0;
        for (KorTracker* t : model.GetTrackers())
            if (model.IsAlignmentTracker(t)) {
                found = static_cast<KorLinTracker*>(t);
                ++count;
            }
        return count == 1 ? found : nullptr;
    }

    KorModel model;
    KorHandle a = 0, b = 0, c = 0;
};

TEST_F(KorModelDragTest, ChangedNodeOutsideDragDoesNothing)
{
    const std::size_t trackers = model.GetTrackers().size();
    ASSERT_TRUE(model.SetNodePosition(a, 1, 1));
    EXPECT_EQ(model.GetDraggedNode(), nullptr);
    EXPECT_EQ(model.GetTrackers().size(), trackers);
}

TEST_F(KorModelDragTest, SmartDragAddsATrackerAtTheFreeEndOnly)
{
    const std::size_t trackers = model.GetTrackers().size();
    model.SetDrag(true);
    ASSERT_TRUE(model.SetNodePosition(a, 1, 1));
    EXPECT_EQ(model.GetDraggedNode(), Node(a));
    ASSERT_EQ(model.GetTrackers().size(), trackers + 1);
    KorLinTracker* added = OnlyAlignmentTracker();
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->GetNode(0u), Node(c));  // B joins two walls: none there
    EXPECT_FALSE(added->IsMovable());
    // Through C, in the drag direction (45 degrees).
    EXPECT_NEAR(added->GetLine().ltan(), 1.0, 1e-9);
    EXPECT_TRUE(Node(c)->GetPoint() == added->GetLine());
    model.SetDrag(false);
    EXPECT_EQ(model.GetTrackers().size(), trackers);
    EXPECT_FALSE(model.IsInDrag());
}

TEST_F(KorModelDragTest, ASmallTurnKeepsTheLines)
{
    model.SetDrag(true);
    ASSERT_TRUE(model.SetNodePosition(a, 1, 0));  // direction 0 degrees
    KorLinTracker* added = OnlyAlignmentTracker();
    ASSERT_NE(added, nullptr);
    const double slope = added->GetLine().ltan();
    // A step turned by 0.04 degree: the lines stay.
    const double turn = 0.04 * M_PI / 180.0;
    ASSERT_TRUE(model.SetNodePosition(a, 1 + std::cos(turn), std::sin(turn)));
    EXPECT_EQ(added->GetLine().ltan(), slope);
    // A step turned by 30 degrees: the lines follow.
    const double wide = 30.0 * M_PI / 180.0;
    const point at = Node(a)->GetPoint();
    ASSERT_TRUE(model.SetNodePosition(a, at.x() + std::cos(wide), at.y() + std::sin(wide)));
    EXPECT_NEAR(added->GetLine().ltan(), std::tan(wide), 1e-9);
    model.SetDrag(false);
}

TEST_F(KorModelDragTest, NoSmartDraggingNoTrackers)
{
    const std::size_t trackers = model.GetTrackers().size();
    model.SetSmartDragging(false);
    model.SetDrag(true);
    ASSERT_TRUE(model.SetNodePosition(a, 1, 1));
    EXPECT_EQ(model.GetTrackers().size(), trackers);
    model.SetDrag(false);
}

TEST_F(KorModelDragTest, SwitchingSmartDraggingOffRemovesTheTrackers)
{
    const std::size_t trackers = model.GetTrackers().size();
    model.SetDrag(true);
    ASSERT_TRUE(model.SetNodePosition(a, 1, 1));
    ASSERT_EQ(model.GetTrackers().size(), trackers + 1);
    model.SetSmartDragging(false);
    EXPECT_EQ(model.GetTrackers().size(), trackers);
    model.SetDrag(false);
}

TEST_F(KorModelDragTest, DragOfTheFreeEndResolves)
{
    model.SetDrag(true);
    for (int step = 1; step <= 5; ++step) {
        ASSERT_TRUE(model.SetNodePosition(a, -0.5 * step, 0.2 * step));
        ASSERT_TRUE(model.Resolve()) << model.GetError();
        EXPECT_NEAR(Node(a)->GetPoint().x(), -0.5 * step, GeoSnap());
        EXPECT_NEAR(Node(a)->GetPoint().y(), 0.2 * step, GeoSnap());
    }
    model.SetDrag(false);
    EXPECT_TRUE(model.Resolve());
}

TEST_F(KorModelDragTest, QuarterTurnAboutANodeKeepsIt)
{
    const point centre = Node(b)->GetPoint();
    model.Rotate(angle(90.0), centre);
    EXPECT_NEAR(Node(b)->GetPoint().x(), centre.x(), 1e-9);
    EXPECT_NEAR(Node(b)->GetPoint().y(), centre.y(), 1e-9);
    // A, 10 to the left of B, turns a quarter counter-clockwise: below B.
    EXPECT_NEAR(Node(a)->GetPoint().x(), 10.0, 1e-9);
    EXPECT_NEAR(Node(a)->GetPoint().y(), -10.0, 1e-9);
    EXPECT_TRUE(model.IsModified());
}

TEST_F(KorModelDragTest, MirrorAboutTheYAxis)
{
    line axis;
    axis.SetVertical(0.0);
    model.Mirror(axis);
    EXPECT_NEAR(Node(b)->GetPoint().x(), -10.0, 1e-9);
    EXPECT_NEAR(Node(c)->GetPoint().y(), 10.0, 1e-9);
}

TEST_F(KorModelDragTest, FarPointHitsNothing)
{
    EXPECT_EQ(model.GetKorObject(point(5, 5)), nullptr);
    EXPECT_EQ(model.GetTracker(point(5, 5), nullptr, nullptr), nullptr);
    EXPECT_NE(model.GetTracker(point(5, 0.005), nullptr, nullptr), nullptr);
}

TEST_F(KorModelDragTest, TrackerOfTwoNodes)
{
    KorLinTracker* bottom = model.GetTracker(Node(a), Node(b), nullptr, false);
    ASSERT_NE(bottom, nullptr);
    EXPECT_TRUE(Node(a)->BelongTo(bottom));
    EXPECT_EQ(model.GetTracker(Node(a), Node(c), nullptr, true), nullptr);
}

}  // namespace
