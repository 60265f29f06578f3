// A camera moved with the pen in the plan takes its room's camera along: the
// room changes under the document's lock, and its journal file keeps the
// camera where it was put, so a restore after a kill finds it there.
#include <optional>
#include <string>

#include "kor_node.h"
#include "lock_probe_view.h"
#include "room_floor.h"
#include "shell_test_support.h"
#include "snapshot_journal.h"
#include "zup_camera.h"
#include "zup_room_object.h"

namespace {

point PointOf(ZupCamera* camera) { return static_cast<KorNode*>(static_cast<ZupRoomObject*>(camera))->GetPoint(); }

class PlanCameraTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(Start());
        ASSERT_TRUE(Doc()->m_journal.IsRunning());
        Room()->ZupFloor::SetName("Hall1");
        ASSERT_TRUE(Doc()->InsertShape(0, 0));
        Doc()->PlaceEntrance(nullptr);
        ASSERT_TRUE(Room()->Resolve());
        ASSERT_TRUE(Doc()->SetEditMode(2));
        roomCamera = Room()->CreateCamera("1", 100.0, 150.0, 90);
        ASSERT_NE(roomCamera, nullptr);
        Doc()->OnViewChange();
        ASSERT_FALSE(Doc()->m_roomView);
        planCamera = Doc()->m_plan.GetCamera("1");
        ASSERT_NE(planCamera, nullptr);
    }
    CRoomFloor* Room() { return Doc()->GetCurrentRoom(); }
    // The plan's camera dragged by (dx, dy) with the pen; the updates the
    // document sent at pen-up are counted by the probe.
    void MovePlanCamera(double dx, double dy, LockProbeView& probe)
    {
        const point at = PointOf(planCamera);
        EXPECT_FALSE(Doc()->OnPenDown(at.x(), at.y(), 6));
        ASSERT_EQ(Doc()->m_selectedRoomObject, planCamera);
        EXPECT_TRUE(Doc()->OnPenMove(at.x() + dx, at.y() + dy));
        probe.SetDocument(Doc());
        Doc()->AddView(&probe);
        Doc()->OnPenUp();
        Doc()->RemoveView(&probe);
        probe.SetDocument(nullptr);
    }

    ZupCamera* roomCamera = nullptr;
    ZupCamera* planCamera = nullptr;
};

}  // namespace

TEST_F(PlanCameraTest, TheRoomsCameraMovesUnderTheLock)
{
    LockProbeView probe(Doc());
    const point from = PointOf(roomCamera);
    MovePlanCamera(30.0, -20.0, probe);
    EXPECT_NEAR(PointOf(roomCamera).x(), from.x() + 30.0, 1e-9);
    EXPECT_NEAR(PointOf(roomCamera).y(), from.y() - 20.0, 1e-9);
    EXPECT_GT(probe.updates, 0) << "the views are not told of the room's camera";
    EXPECT_EQ(probe.unlockedUpdates, 0) << "of " << probe.updates << " updates";
}

// The journal's file of the room holds the room as the move left it.
TEST_F(PlanCameraTest, TheMoveIsJournalled)
{
    LockProbeView probe(Doc());
    CRoomFloor* room = Room();
    MovePlanCamera(-24.0, 36.0, probe);
    std::string now;
    ASSERT_GT(room->Save(now, false), 0);
    const std::optional<std::string> journalled = Doc()->m_journal.ReadFile(room);
    ASSERT_TRUE(journalled.has_value());
    EXPECT_EQ(*journalled, now);
}

// In the room itself a camera dragged with the pen moves under the lock too.
TEST_F(PlanCameraTest, ACameraDraggedInItsRoomMovesUnderTheLock)
{
    Doc()->OnViewChange();
    ASSERT_TRUE(Doc()->m_roomView);
    const point at = PointOf(roomCamera);
    EXPECT_FALSE(Doc()->OnPenDown(at.x(), at.y(), 6));
    ASSERT_EQ(Doc()->m_selectedRoomObject, roomCamera);
    LockProbeView probe(Doc());
    probe.SetDocument(Doc());
    Doc()->AddView(&probe);
    EXPECT_TRUE(Doc()->OnPenMove(at.x() + 12.0, at.y() + 18.0));
    Doc()->RemoveView(&probe);
    probe.SetDocument(nullptr);
    Doc()->OnPenUp();
    EXPECT_NEAR(PointOf(roomCamera).x(), at.x() + 12.0, 1e-9);
    EXPECT_GT(probe.updates, 0);
    EXPECT_EQ(probe.unlockedUpdates, 0) << "of " << probe.updates << " updates";
}
