// A sketched room with a door and a window: objects stay on their walls at
// their dimensioned places while a corner is dragged; a stair lives and
// dies with its opening.
#include <memory>

#include "kor_nn_distance.h"
#include "zup_opening.h"
#include "zup_partition.h"
#include "zup_room_fixture.h"
#include "zup_window.h"

namespace {

class ZupObjectsEndToEndTest : public ZupRoomTest {
protected:
    void SetUp() override
    {
        ZupRoomTest::SetUp();
        floor->FindConstraints();
        ASSERT_TRUE(floor->Resolve());
    }
    static point At(KorNode* node) { return node->GetPoint(); }
};

TEST_F(ZupObjectsEndToEndTest, DoorKeepsItsWallAndPlaceWhileACornerIsDragged)
{
    ZupOpening* door = floor->CreateOpening("A", 1, 200.0, 0.0);
    ASSERT_NE(door, nullptr);
    EXPECT_EQ(floor->GetOpening("A"), door);
    auto* window = new ZupWindow(floor.get());
    point w(200.0, 300.0);
    ASSERT_TRUE(window->Create(floor.get(), w, nullptr, false));
    ZupEdge* bottom = door->GetEdge();
    ASSERT_NE(bottom, nullptr);
    ASSERT_NE(door->CreateWidthDimension(), nullptr);
    bottom->SetObjectsPosition(-1.0f);
    ASSERT_NE(door->GetPosDimension(), nullptr);
    ASSERT_TRUE(floor->Resolve());
    const point doorStart = At(door->GetStart());
    const point doorEnd = At(door->GetEnd());

    ZupNode* corner = floor->GetNode(400, 300, true);
    ASSERT_NE(corner, nullptr);
    floor->SetDrag(true);
    for (int step = 1; step <= 5; ++step) {
        ASSERT_TRUE(floor->SetNodePosition(floor->GetHandle(corner), 400 + 20 * step, 300 + 12 * step));
        ASSERT_TRUE(floor->Resolve()) << "step " << step;
        EXPECT_NEAR(At(door->GetStart()).y(), 0.0, GeoSnap());
        EXPECT_NEAR(At(door->GetEnd()).y(), 0.0, GeoSnap());
        EXPECT_NEAR(At(door->GetStart()).x(), doorStart.x(), GeoSnap());
        EXPECT_NEAR(At(door->GetEnd()).x(), doorEnd.x(), GeoSnap());
        // The window rides on the top wall as it rises.
        EXPECT_NEAR(At(window->GetStart()).y(), 300 + 12 * step, GeoSnap());
    }
    floor->SetDrag(false);
    EXPECT_EQ(door->GetEdge(), bottom);
}

TEST_F(ZupObjectsEndToEndTest, StairSharesItsOpeningsNodesAndGoesWithIt)
{
    ZupOpening* door = floor->CreateOpening("S", 1, 200.0, 300.0);
    ASSERT_NE(door, nullptr);
    auto* stair = new ZupOpeningStair(floor.get());
    ASSERT_TRUE(stair->Create(door));
    EXPECT_EQ(stair->GetStart(), door->GetStart());
    EXPECT_EQ(stair->GetEnd(), door->GetEnd());
    EXPECT_EQ(door->GetAttached(), stair);
    EXPECT_EQ(stair->GetAttached(), door);
    ZupEdge* wall = door->GetEdge();
    ASSERT_EQ(wall->GetNumOfObjects(), 2);
    // Deleting the opening leaves the set and takes the stair along.
    delete door;
    EXPECT_EQ(floor->GetOpening("S"), nullptr);
    EXPECT_EQ(wall->GetNumOfObjects(), 0);
}

}  // namespace
