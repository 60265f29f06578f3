// The document's room commands driven as a person reaches them: Reset
// Dimensions, Rebuild Plan, the room dialog (type, Below, label, Delete,
// Detach), detaching rooms from a level of several and zooming a room.
#include <filesystem>
#include <string>
#include <vector>

#include "c_list_box.h"
#include "c_menu.h"
#include "dimension_values.h"
#include "headless_driver.h"
#include "kor_dimension.h"
#include "level_branching_fixture.h"
#include "new_room_dlg.h"
#include "picture_support.h"
#include "room_label_dlg.h"
#include "room_type.h"
#include "room_type_catalog.h"
#include "zup_opening.h"
#include "zup_partition.h"

namespace {

constexpr int kLayerShown = 0;
constexpr int kLayerHidden = 4;

class RoomCommandsTest : public LevelBranchingTest {
protected:
    // A hall (first room) with a den entered through its door Hall1A, and a
    // closet entered from the den through its door Den1A: a level of three.
    void BuildHallDenCloset()
    {
        DrawRectangle();
        Room()->ZupFloor::SetName("Hall1");
        ASSERT_NE(AddDoor("Hall1A", FreeWall()), nullptr);
        ASSERT_TRUE(LeaveThrough("Hall1A"));
        DrawEnteredRoom();
        Room()->ZupFloor::SetName("Den1");
        ASSERT_NE(AddDoor("Den1A", FreeWall()), nullptr);
        ASSERT_TRUE(LeaveThrough("Den1A"));
        DrawEnteredRoom();
        Room()->ZupFloor::SetName("Closet1");
        ASSERT_TRUE(document->CloseRoom());
        ASSERT_EQ(document->GetNumOfRooms(), 3);
        ASSERT_EQ(document->m_plan.GetNumOfPartitions(), 3);
    }
    // The plan as the plan view draws it, fitted to the device.
    Picture PlanPicture()
    {
        double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        document->m_plan.CalculateExtents();
        document->m_plan.GetExtents(&x0, &y0, &x1, &y1);
        return TakeFittedPicture([&](CScaledDC& dc) { document->DrawPlan(dc); }, x0, y0, x1, y1);
    }
    std::vector<std::string> RoomNames()
    {
        std::vector<std::string> names;
        for (int i = 0; i < document->GetNumOfRooms(); ++i)
            names.push_back(document->GetRoom(i)->GetName());
        return names;
    }
    HeadlessDriver driver;
};

}  // namespace

// Dimensions hidden for being near zero come back, released, on Reset
// Dimensions.
TEST_F(RoomCommandsTest, ResetDimensionsShowsTheHiddenOnesReleased)
{
    DrawRectangle();
    KorDimension* hidden = Room()->GetDimension(0, nullptr);
    ASSERT_NE(hidden, nullptr);
    hidden->SetLayer(kLayerHidden);
    ASSERT_TRUE(FixDimension(hidden, hidden->GetImplementedValue()));
    document->OnResetDimensions();
    EXPECT_EQ(hidden->GetLayer(), kLayerShown);
    EXPECT_FALSE(hidden->IsEnabled());
    EXPECT_TRUE(document->IsDimensionVisible(0));
}

// Rebuild Plan is offered only in plan view and lays every room again: a
// room moved off its place in the plan comes back onto its door.
TEST_F(RoomCommandsTest, RebuildPlanIsOfferedInPlanViewAndJoinsEveryRoom)
{
    BuildHallDenCloset();
    CCmdUI probe;
    document->m_roomView = true;
    document->OnRebuildPlanUpdate(&probe);
    EXPECT_FALSE(probe.m_enabled);
    document->m_roomView = false;
    document->OnRebuildPlanUpdate(&probe);
    EXPECT_TRUE(probe.m_enabled);

    const std::vector<Outline> before = PlanOutlines();
    const Picture drawnBefore = PlanPicture();
    document->OnRebuildPlan();
    const std::vector<Outline> after = PlanOutlines();
    // The plan looks as it did: every room's walls drawn where they were.
    const Picture drawnAfter = PlanPicture();
    EXPECT_GT(drawnBefore.Inked(), 0);
    EXPECT_EQ(drawnAfter.Differences(drawnBefore), 0);
    ASSERT_EQ(after.size(), 3u);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t r = 0; r < after.size(); ++r) {
        ASSERT_EQ(after[r].size(), before[r].size()) << r;
        for (std::size_t i = 0; i < after[r].size(); ++i) {
            EXPECT_NEAR(after[r][i].x, before[r][i].x, 1e-3) << r;
            EXPECT_NEAR(after[r][i].y, before[r][i].y, 1e-3) << r;
        }
    }
    EXPECT_EQ(plan_checks::OverlapSamples(after), 0);
}

// A level of one room rebuilt keeps its room in the plan.
TEST_F(RoomCommandsTest, RebuildPlanOfOneRoomKeepsIt)
{
    DrawRectangle();
    ASSERT_TRUE(document->CloseRoom());
    ASSERT_EQ(document->m_plan.GetNumOfPartitions(), 1);
    document->m_roomView = false;
    const Picture drawnBefore = PlanPicture();
    document->OnRebuildPlan();
    EXPECT_EQ(document->m_plan.GetNumOfPartitions(), 1);
    EXPECT_NE(document->GetPartitionOfRoom(Room()), nullptr);
    EXPECT_EQ(PlanPicture().Differences(drawnBefore), 0);
}

// The room dialog's OK renames the room by the chosen type and takes its
// Below flag and the label typed through the Label button.
TEST_F(RoomCommandsTest, RoomDialogAppliesTypeBelowAndLabel)
{
    DrawRectangle();
    Room()->ZupFloor::SetName("Hall1");
    driver.OnDialog(CRoomLabelDlg::IDD, [](CWnd* dialog, HeadlessDriver& d) {
        dialog->SetDlgItemText(CRoomLabelDlg::IDC_LABEL, CString("Study"));
        dialog->SetDlgItemText(CRoomLabelDlg::IDC_WIDTH, CString("120"));
        dialog->SetDlgItemText(CRoomLabelDlg::IDC_DEPTH, CString("96"));
        d.TapDlgItem(dialog, IDOK);
    });
    driver.OnDialog(CNewRoomDlg::IDD, [](CWnd* dialog, HeadlessDriver& d) {
        auto* types = dynamic_cast<CListBox*>(dialog->GetDlgItem(CNewRoomDlg::IDC_TYPES));
        ASSERT_NE(types, nullptr);
        ASSERT_GE(types->SelectString(-1, CString("Kitchen")), 0);
        d.TapDlgItem(dialog, CNewRoomDlg::IDC_BELOW);
        d.TapDlgItem(dialog, CNewRoomDlg::IDC_LABEL);
    });
    document->OnRoomDialog();
    EXPECT_EQ(std::string(Room()->GetName()), "Kitchen1");
    EXPECT_TRUE(Room()->IsBelow());
    EXPECT_EQ(Room()->GetLabel(), "Study");
    EXPECT_EQ(Room()->GetWidth(), 120);
    EXPECT_EQ(Room()->GetDepth(), 96);
    ASSERT_EQ(document->GetNumOfRooms(), 1);

    // The same type chosen again keeps the name.
    driver.OnDialog(CNewRoomDlg::IDD, [](CWnd* dialog, HeadlessDriver& d) { d.TapDlgItem(dialog, IDOK); });
    document->OnRoomDialog();
    EXPECT_EQ(std::string(Room()->GetName()), "Kitchen1");
}

// A room that no later room hangs on is detachable; one a later room is
// entered from is not; a room not of the level is not.
TEST_F(RoomCommandsTest, DetachableOnlyWithoutLaterRoomsThroughItsDoors)
{
    BuildHallDenCloset();
    CRoomFloor outsider;
    const struct {
        CRoomFloor* room;
        bool detachable;
    } cases[] = {
        {document->GetRoom(0), false},
        {document->GetRoom(1), false},
        {document->GetRoom(2), true},
        {&outsider, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(document->IsRoomDetachable(c.room), c.detachable) << c.room->GetName();
    }
}

// Detaching the den takes the closet entered from it along: both are saved
// to a level file named after the den's entrance, and the hall stays.
TEST_F(RoomCommandsTest, DetachingARoomTakesTheRoomsBehindItToAFileOfTheirOwn)
{
    BuildHallDenCloset();
    document->m_fileBase = CString("TEST");
    CRoomFloor* den = document->GetRoom(1);
    driver.AnswerFileDialog(CString(L"My Documents\\Hall1A_TEST.fpl"));
    document->DetachRooms(den);
    ASSERT_EQ(driver.FileDialogs().size(), 1u);
    EXPECT_FALSE(driver.FileDialogs()[0].open);
    EXPECT_EQ(driver.FileDialogs()[0].suggestion, CString("Hall1A_TEST"));
    ASSERT_EQ(document->GetNumOfRooms(), 1);
    EXPECT_EQ(std::string(document->GetRoom(0)->GetName()), "Hall1");
    EXPECT_EQ(document->m_plan.GetNumOfPartitions(), 1);

    // The file holds the den and the closet, and opens as a level of two.
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(documents))
        if (entry.is_regular_file() && entry.path().filename().string().rfind("Hall1A_TEST", 0) == 0)
            files.push_back(entry.path());
    ASSERT_EQ(files.size(), 1u);
    CReplDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(CString(files[0].string().c_str())));
    ASSERT_EQ(reopened.GetNumOfRooms(), 2);
    EXPECT_EQ(std::string(reopened.GetRoom(0)->GetName()), "Den1");
    EXPECT_EQ(std::string(reopened.GetRoom(1)->GetName()), "Closet1");
}

// A detached room that was never named still goes to a file that opens
// with it: the rooms leave the level only for a file that holds them.
TEST_F(RoomCommandsTest, DetachedRoomWithoutANameOpensFromItsFile)
{
    BuildHallDenCloset();
    document->m_fileBase = CString("TEST");
    CRoomFloor* closet = document->GetRoom(2);
    closet->ZupFloor::SetName("");
    driver.AnswerFileDialog(CString(L"My Documents\\Detached_TEST.fpl"));
    document->DetachRooms(closet);
    ASSERT_EQ(document->GetNumOfRooms(), 2);
    const auto file = documents / "Detached_TEST.fpl";
    ASSERT_TRUE(std::filesystem::exists(file));
    CReplDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(CString(file.string().c_str())));
    ASSERT_EQ(reopened.GetNumOfRooms(), 1);
    ASSERT_NE(reopened.GetRoom(0)->GetName(), nullptr);
    EXPECT_STRNE(reopened.GetRoom(0)->GetName(), "");
}

// The room dialog's Delete on a room that others hang on detaches it.
TEST_F(RoomCommandsTest, RoomDialogDeleteOfAnInnerRoomDetachesIt)
{
    BuildHallDenCloset();
    document->m_fileBase = CString("TEST");
    document->SetCurrentRoom(document->GetRoom(1));
    bool readsDetach = false;
    driver.OnDialog(CNewRoomDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        CString text;
        dialog->GetDlgItemText(CNewRoomDlg::IDC_DELETE, text);
        readsDetach = text == CString("Detach");
        d.TapDlgItem(dialog, CNewRoomDlg::IDC_DELETE);
    });
    driver.AnswerFileDialog(CString(L"My Documents\\Hall1A_TEST.fpl"));
    document->OnRoomDialog();
    EXPECT_TRUE(readsDetach);
    EXPECT_EQ(RoomNames(), std::vector<std::string>{"Hall1"});
}

// The room dialog's Delete on the last room removes it.
TEST_F(RoomCommandsTest, RoomDialogDeleteOfTheLastRoomRemovesIt)
{
    BuildHallDenCloset();
    ASSERT_EQ(Room(), document->GetRoom(2));
    driver.OnDialog(CNewRoomDlg::IDD, [](CWnd* dialog, HeadlessDriver& d) {
        d.TapDlgItem(dialog, CNewRoomDlg::IDC_DELETE);
    });
    document->OnRoomDialog();
    EXPECT_EQ(RoomNames(), (std::vector<std::string>{"Hall1", "Den1"}));
    EXPECT_EQ(document->m_plan.GetNumOfPartitions(), 2);
}

// A room's own zoom: a quarter in, a fifth out, once it no longer fits by
// itself; the plan's questions answer 1 and fitting.
TEST_F(RoomCommandsTest, ZoomingARoomStepsItsOwnFactor)
{
    DrawRectangle();
    document->m_roomView = true;
    EXPECT_TRUE(document->IsRoomAutoFit());
    EXPECT_FLOAT_EQ(document->GetRoomZoom(), 1.0f);
    Room()->SetAutoFit(false);
    document->ZoomRoom(true);
    document->ZoomRoom(true);
    EXPECT_FLOAT_EQ(document->GetRoomZoom(), 1.5625f);
    document->ZoomRoom(false);
    EXPECT_FLOAT_EQ(document->GetRoomZoom(), 1.25f);
    EXPECT_FALSE(document->IsRoomAutoFit());
    document->m_roomView = false;
    EXPECT_FLOAT_EQ(document->GetRoomZoom(), 1.0f);
    EXPECT_TRUE(document->IsRoomAutoFit());
}

// A detachment whose file is not saved (the Save dialog cancelled) leaves
// the level as it was.
TEST_F(RoomCommandsTest, DetachingWithoutASavedFileKeepsEveryRoom)
{
    BuildHallDenCloset();
    document->m_fileBase = CString("TEST");
    driver.AnswerFileDialog(std::nullopt);
    document->DetachRooms(document->GetRoom(1));
    EXPECT_EQ(RoomNames(), (std::vector<std::string>{"Hall1", "Den1", "Closet1"}));
    EXPECT_EQ(document->m_plan.GetNumOfPartitions(), 3);
}
