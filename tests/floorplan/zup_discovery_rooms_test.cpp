// A floor's rooms during and after a drag: contours follow the walls only
// once the drag ends.
#include "zup_fixture.h"
#include "zup_partition.h"

class ZupDiscoveryRoomsTest : public ZupTest {
protected:
    void SetUp() override
    {
        ZupTest::SetUp();
        ZupMetric() = true;
        floor = std::make_unique<ZupFloor>();
        ASSERT_TRUE(floor->AddLine(0, 0, 400, 0));
        ASSERT_TRUE(floor->AddLine(400, 0, 400, 300));
        ASSERT_TRUE(floor->AddLine(400, 300, 0, 300));
        ASSERT_TRUE(floor->AddLine(0, 300, 0, 0));
        ASSERT_TRUE(floor->MakePartitions(false));
        floor->FindConstraints();
        ASSERT_TRUE(floor->Resolve());
        ASSERT_GE(floor->GetNumOfPartitions(), 1);
    }
    void TearDown() override
    {
        floor.reset();
        ZupTest::TearDown();
    }
    std::unique_ptr<ZupFloor> floor;
};

TEST_F(ZupDiscoveryRoomsTest, ContoursFollowADragOnlyWhenItEnds)
{
    ZupPartition* room = floor->GetPartition(0);
    EXPECT_NEAR(room->GetCenter().x(), 200.0, 1e-6);
    EXPECT_NEAR(room->GetCenter().y(), 150.0, 1e-6);
    ZupNode* corner = floor->GetNode(400, 300, true);
    ASSERT_NE(corner, nullptr);
    floor->SetDrag(true);
    ASSERT_TRUE(floor->SetNodePosition(floor->GetHandle(corner), 500, 360));
    ASSERT_TRUE(floor->Resolve());
    EXPECT_NEAR(room->GetCenter().x(), 200.0, 1e-6);  // not yet
    floor->SetDrag(false);
    EXPECT_NEAR(room->GetCenter().x(), 250.0, 1e-6);
    EXPECT_NEAR(room->GetCenter().y(), 180.0, 1e-6);
    // The outer shell's contour, which GetContour gives, follows too.
    ASSERT_NE(floor->GetOuterShell(), nullptr);
    EXPECT_NEAR(floor->GetOuterShell()->GetCenter().x(), 250.0, 1e-6);
}
