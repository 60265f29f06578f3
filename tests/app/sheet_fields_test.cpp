// What the door and object sheets show, as a person reads them, and what of
// it comes back after undo and redo.
#include <string>

#include "level_fixture.h"
#include "c_property_sheet.h"
#include "door_pages.h"
#include "headless_driver.h"
#include "kor_node.h"
#include "object_sheet_state.h"
#include "object_sheet_templates.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "snapshot_journal.h"
#include "zup_edge.h"
#include "zup_opening.h"

namespace {

using namespace ObjectSheetIds;

class SheetFieldsTest : public LevelTest {
protected:
    void SetUp() override
    {
        LevelTest::SetUp();
        DrawRectangle();
        ZupEdge* wall = FreeWall();
        ASSERT_NE(wall, nullptr);
        const point a = wall->GetStart()->GetPoint();
        const point b = wall->GetEnd()->GetPoint();
        ZupOpening* door = Room()->CreateOpening("Z", 1, (a.x() + b.x()) / 2, (a.y() + b.y()) / 2);
        ASSERT_NE(door, nullptr);
        door->CreateWidthDimension();
        door->CreatePosDimension(nullptr, -1.0f);
    }

    ZupOpening* Door() { return Room()->GetOpening("Z"); }

    // The text of a control of the door edit sheet's first page; typed is
    // then typed there and the sheet closed with OK (Cancel when empty).
    CString ShownOnDoorPage(int id, const wchar_t* typed = nullptr)
    {
        HeadlessDriver driver;
        CString shown;
        driver.OnDialog(kEditDoorPage, [&](CWnd* window, HeadlessDriver&) {
            auto* sheet = dynamic_cast<CPropertySheet*>(window);
            sheet->GetActivePage()->GetDlgItemText(id, shown);
            if (typed)
                sheet->GetActivePage()->SetDlgItemText(id, typed);
            sheet->PressButton(typed ? PSBTN_OK : PSBTN_CANCEL);
        });
        ZupOpening* door = Door();
        EXPECT_NE(door, nullptr);
        if (door)
            document->EditDoor(door);
        return shown;
    }
};

}  // namespace

// The field shows the thickness of the wall the door lies in: a wall no one
// gave a thickness has 0 (every wall starts with the floor's default, 0).
TEST_F(SheetFieldsTest, WallThicknessShowsTheDoorsWall)
{
    struct Case {
        float thickness;
        const wchar_t* shown;
    };
    for (const Case& c : {Case{0.0f, L"0"}, Case{4.5f, L"4.5"}, Case{12.0f, L"12"}}) {
        Door()->GetEdge()->WallThickness() = c.thickness;
        EXPECT_EQ(ShownOnDoorPage(kWallThickness), CString(c.shown)) << c.thickness;
    }
}

// A thickness typed on the door page is a step of its own: undo shows the
// old thickness again, redo the typed one.
TEST_F(SheetFieldsTest, ATypedWallThicknessIsUndoneAndRedone)
{
    CSnapshotJournal::SetDirectory(CString(L"My Documents\\"));
    CSnapshotJournal& journal = document->m_journal;
    journal.SetPeriod(3600 * 1000);
    ASSERT_TRUE(journal.Start());
    Room()->SetModified(true);
    ASSERT_TRUE(journal.TakeSnapshotNow());

    EXPECT_EQ(ShownOnDoorPage(kWallThickness, L"4.5"), CString(L"0"));
    EXPECT_TRUE(journal.TakeSnapshotNow()) << "the typed thickness is not kept";
    EXPECT_EQ(ShownOnDoorPage(kWallThickness), CString(L"4.5"));
    ASSERT_TRUE(journal.Undo());
    EXPECT_EQ(ShownOnDoorPage(kWallThickness), CString(L"0"));
    ASSERT_TRUE(journal.Redo());
    EXPECT_EQ(ShownOnDoorPage(kWallThickness), CString(L"4.5"));
    journal.Stop();
}
