#include <memory>

#include "level_fixture.h"
#include "c_edit.h"
#include "c_property_sheet.h"
#include "door_pages.h"
#include "exchange_file.h"
#include "headless_driver.h"
#include "kor_node.h"
#include "object_sheet_state.h"
#include "object_sheet_templates.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "zup_edge.h"
#include "zup_opening.h"

namespace {

using namespace ObjectSheetIds;

class DoorPagesTest : public LevelTest {
protected:
    void SetUp() override
    {
        LevelTest::SetUp();
        DrawRectangle();
    }
};

}  // namespace

TEST_F(DoorPagesTest, AGarageProposesADoubleGarageDoor)
{
    HeadlessDriver driver;
    Room()->SetName("Garage 1");
    ZupEdge* wall = FreeWall();
    ASSERT_NE(wall, nullptr);
    const point a = wall->GetStart()->GetPoint();
    const point b = wall->GetEnd()->GetPoint();
    bool doubleShown = false;
    int doubleDoor = 0;
    driver.OnDialog(kNewDoorPage, [&](CWnd* window, HeadlessDriver&) {
        auto* sheet = dynamic_cast<CPropertySheet*>(window);
        auto* page = dynamic_cast<CNewDoorPage*>(sheet->GetActivePage());
        ASSERT_NE(page, nullptr);
        doubleShown = page->GetDlgItem(kBig)->IsWindowVisible() && page->GetDlgItem(kBig)->IsWindowEnabled();
        doubleDoor = page->doubleDoor;
        sheet->PressButton(PSBTN_CANCEL);
    });
    document->NewWallObject(wall, (a.x() + b.x()) / 2, (a.y() + b.y()) / 2);
    EXPECT_EQ(g_objectSheet.doorKind, 7);
    EXPECT_TRUE(doubleShown);
    EXPECT_EQ(doubleDoor, 1);
    EXPECT_GT(ZupOpening::GetDefaultWidth(7, true), ZupOpening::GetDefaultWidth(7, false));
}

TEST_F(DoorPagesTest, TheSoleEntranceCannotBeDeleted)
{
    HeadlessDriver driver;
    ZupOpening* entrance = Room()->GetEntrance();
    ASSERT_NE(entrance, nullptr);
    entrance->SetExit(false);  // Delete is offered
    driver.OnDialog(kEditDoorPage, [&](CWnd* window, HeadlessDriver&) {
        auto* sheet = dynamic_cast<CPropertySheet*>(window);
        auto* page = dynamic_cast<CEditDoorPage*>(sheet->GetActivePage());
        ASSERT_NE(page, nullptr);
        page->OnDelete();
        sheet->PressButton(PSBTN_CANCEL);
    });
    document->EditDoor(entrance);
    ASSERT_FALSE(driver.MessageBoxes().empty());
    EXPECT_EQ(driver.MessageBoxes().back().text, CString(L"Can not remove the room's entrance"));
    EXPECT_EQ(Room()->GetEntrance(), entrance);
    EXPECT_EQ(Room()->GetNumOfOpenings(), 1);
    EXPECT_EQ(g_objectSheet.applied, 0);
}

TEST_F(DoorPagesTest, DeletingAnEntranceHandsItToAnotherOpening)
{
    HeadlessDriver driver;
    ZupOpening* entrance = Room()->GetEntrance();
    ASSERT_NE(entrance, nullptr);
    entrance->SetExit(false);
    ZupEdge* wall = FreeWall();
    ASSERT_NE(wall, nullptr);
    const point a = wall->GetStart()->GetPoint();
    const point b = wall->GetEnd()->GetPoint();
    ZupOpening* other = Room()->CreateOpening("B", 1, (a.x() + b.x()) / 2, (a.y() + b.y()) / 2);
    ASSERT_NE(other, nullptr);
    driver.OnDialog(kEditDoorPage, [&](CWnd* window, HeadlessDriver&) {
        auto* sheet = dynamic_cast<CPropertySheet*>(window);
        dynamic_cast<CEditDoorPage*>(sheet->GetActivePage())->OnDelete();
    });
    document->EditDoor(entrance);
    EXPECT_EQ(Room()->GetEntrance(), other);
    EXPECT_EQ(Room()->GetNumOfOpenings(), 1);
    EXPECT_EQ(g_objectSheet.applied, 1);
}

// A door whose twin is in the plan shows the twin's wall thickness without
// letting it be changed: what is typed there anyway is not applied.
TEST_F(DoorPagesTest, WithATwinTheWallThicknessIsShownNotApplied)
{
    HeadlessDriver driver;
    ZupEdge* wall = FreeWall();
    ASSERT_NE(wall, nullptr);
    const point a = wall->GetStart()->GetPoint();
    const point b = wall->GetEnd()->GetPoint();
    Room()->ZupFloor::SetName("Hall1");
    ZupOpening* door = Room()->CreateOpening("Hall1A", 1, (a.x() + b.x()) / 2, (a.y() + b.y()) / 2);
    ASSERT_NE(door, nullptr);
    door->CreateWidthDimension();
    door->CreatePosDimension(nullptr, -1.0f);
    ASSERT_TRUE(document->CloseRoom());
    ZupOpening* portal = document->m_plan.GetOpening("Hall1A");
    ASSERT_NE(portal, nullptr);
    // The room beyond the door: its entrance takes the door's width.
    document->m_entrance = portal;
    document->NewRoom();
    ASSERT_TRUE(document->InsertShape(0, 0));
    document->PlaceEntrance(nullptr);
    door = Room()->GetEntrance();
    ASSERT_NE(door, nullptr);
    const float thickness = door->GetEdge()->WallThickness();
    bool readOnly = false;
    driver.OnDialog(kEditDoorPage, [&](CWnd* window, HeadlessDriver&) {
        auto* sheet = dynamic_cast<CPropertySheet*>(window);
        auto* page = dynamic_cast<CEditDoorPage*>(sheet->GetActivePage());
        ASSERT_NE(page, nullptr);
        ASSERT_NE(g_objectSheet.twin, nullptr);
        CWnd* edit = page->GetDlgItem(kWallThickness);
        readOnly = (edit->GetStyle() & ES_READONLY) != 0;
        EXPECT_FALSE(page->GetDlgItem(kWallThicknessSpin)->IsWindowEnabled());
        page->SetDlgItemText(kWallThickness, L"9");
        sheet->PressButton(PSBTN_OK);
    });
    document->EditDoor(door);
    EXPECT_TRUE(readOnly);
    EXPECT_FLOAT_EQ(door->GetEdge()->WallThickness(), thickness);
}
