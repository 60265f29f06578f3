// A floor's rooms during and after a drag: contours follow the walls only
// once the drag ends.
#include "zup_room_fixture.h"
#include "zup_partition.h"

class ZupDiscoveryRoomsTest : public ZupRoomTest {
protected:
    void SetUp() override
    {
        ZupRoomTest::SetUp();
        floor->FindConstraints();
        ASSERT_TRUE(floor->Resolve());
        ASSERT_GE(floor->GetNumOfPartitions(), 1);
    }
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
