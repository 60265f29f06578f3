// What the door and object sheets show, as a person reads them, and what of
// it comes back after undo and redo.
#include <cstdlib>
#include <string>
#include <utility>

#include "level_fixture.h"
#include "c_button.h"
#include "c_list_box.h"
#include "messages.h"
#include "c_property_sheet.h"
#include "door_pages.h"
#include "headless_driver.h"
#include "kor_node.h"
#include "length_text.h"
#include "object_sheet_state.h"
#include "object_sheet_templates.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "snapshot_journal.h"
#include "plan_wall_objects.h"
#include "zup_bath_object.h"
#include "zup_edge.h"
#include "zup_opening.h"
#include "zup_window.h"

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

    static point Middle(ZupEdge* wall)
    {
        const point a = wall->GetStart()->GetPoint();
        const point b = wall->GetEnd()->GetPoint();
        return point((a.x() + b.x()) / 2, (a.y() + b.y()) / 2);
    }

    // A bath fixture in the middle of a wall without objects.
    ZupBathObject* PlaceFixture()
    {
        ZupEdge* wall = FreeWall();
        return wall ? Room()->CreateBathObjectAt(Middle(wall).x(), Middle(wall).y(), false) : nullptr;
    }

    // The depth of the first bath fixture of a room played from text.
    static int FixtureDepthIn(const std::string& text)
    {
        CRoomFloor copy;
        if (!copy.PlaySavedText(text))
            return -1;
        for (ZupEdge* e = copy.Get1stEdge(); e; e = copy.GetNextEdge())
            for (int i = 0; i < e->GetNumOfObjects(); ++i)
                if (auto* fixture = dynamic_cast<ZupBathObject*>(e->GetWallObject(i)))
                    return fixture->GetDepth();
        return -1;
    }

    // The text of a control of the door edit sheet's first page; typed is
    // then typed there and the sheet closed with OK (Cancel when empty).
    std::string ShownOnDoorPage(int id, const wchar_t* typed = nullptr)
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
        return shown.ToNarrow();
    }
};

}  // namespace

// The field shows the thickness of the wall the door lies in: a wall no one
// gave a thickness has 0 (every wall starts with the floor's default, 0).
TEST_F(SheetFieldsTest, WallThicknessShowsTheDoorsWall)
{
    struct Case {
        float thickness;
        const char* shown;
    };
    for (const Case& c : {Case{0.0f, "0"}, Case{4.5f, "4.5"}, Case{12.0f, "12"}}) {
        Door()->GetEdge()->WallThickness() = c.thickness;
        EXPECT_EQ(ShownOnDoorPage(kWallThickness), std::string(c.shown)) << c.thickness;
    }
}

// A thickness typed on the door page is a step of its own: undo shows the
// old thickness again, redo the typed one. A sheet only looked at is none.
TEST_F(SheetFieldsTest, ATypedWallThicknessIsUndoneAndRedone)
{
    CSnapshotJournal::SetDirectory("My Documents\\");
    CSnapshotJournal& journal = document->m_journal;
    journal.SetPeriod(3600 * 1000);
    ASSERT_TRUE(journal.Start());
    Room()->SetModified(true);
    ASSERT_TRUE(journal.TakeSnapshotNow());
    EXPECT_EQ(ShownOnDoorPage(kWallThickness), "0");
    EXPECT_FALSE(journal.TakeSnapshotNow()) << "a sheet only looked at is no step";

    EXPECT_EQ(ShownOnDoorPage(kWallThickness, L"4.5"), "0");
    EXPECT_TRUE(journal.TakeSnapshotNow()) << "the typed thickness is not kept";
    EXPECT_EQ(ShownOnDoorPage(kWallThickness), "4.5");
    ASSERT_TRUE(journal.Undo());
    EXPECT_EQ(ShownOnDoorPage(kWallThickness), "0");
    ASSERT_TRUE(journal.Redo());
    EXPECT_EQ(ShownOnDoorPage(kWallThickness), "4.5");
    journal.Stop();
}

// An object without dimensions (none kept on its wall) shows its own width
// on its Dimensions page, not what the sheet before it left there.
TEST_F(SheetFieldsTest, AnUndimensionedObjectShowsItsOwnWidth)
{
    ZupEdge* wall = FreeWall();
    ASSERT_NE(wall, nullptr);
    const point a = wall->GetStart()->GetPoint();
    const point b = wall->GetEnd()->GetPoint();
    ZupWindow* window = Room()->CreateWallWindow((a.x() + b.x()) / 2, (a.y() + b.y()) / 2);
    ASSERT_NE(window, nullptr);
    window->SetUndimensioned();
    ASSERT_EQ(window->GetWidthDimension(), nullptr);
    const int width = RoundToInt(window->GetWidth());
    ASSERT_GT(width, 0);
    g_objectSheet.width = width + 25;  // as the last sheet left it
    HeadlessDriver driver;
    CString shown;
    driver.OnDialog(kEditObjectPage, [&](CWnd* w, HeadlessDriver&) {
        auto* sheet = dynamic_cast<CPropertySheet*>(w);
        ASSERT_TRUE(sheet->SetActivePage(1));
        sheet->GetActivePage()->GetDlgItemText(kWidth, shown);
        sheet->PressButton(PSBTN_CANCEL);
    });
    document->EditWallObject(window);
    EXPECT_EQ(shown.ToNarrow(), std::to_string(width));
}

// A thickness the field cannot hold (below 0, beyond 1000 or not a number)
// is refused with the validation message and leaves the wall as it was;
// one within 0 to 1000 is taken.
TEST_F(SheetFieldsTest, AThicknessOutOfRangeIsRefused)
{
    struct Case {
        const wchar_t* typed;
        bool taken;
        float thickness;
    };
    for (const Case& c : {Case{L"-0.5", false, 3.0f}, Case{L"1e30", false, 3.0f}, Case{L"1000.5", true, 1000.5f},
                          Case{L"nan", false, 3.0f}, Case{L"6", true, 6.0f}}) {
        Door()->GetEdge()->WallThickness() = 3.0f;
        HeadlessDriver driver;
        driver.OnDialog(kEditDoorPage, [&](CWnd* window, HeadlessDriver&) {
            auto* sheet = dynamic_cast<CPropertySheet*>(window);
            sheet->GetActivePage()->SetDlgItemText(kWallThickness, c.typed);
            sheet->PressButton(PSBTN_OK);
            sheet->PressButton(PSBTN_CANCEL);
        });
        document->EditDoor(Door());
        const CString typed(c.typed);
        EXPECT_EQ(driver.MessageBoxes().empty(), c.taken) << typed.ToNarrow();
        EXPECT_FLOAT_EQ(Door()->GetEdge()->WallThickness(), c.thickness) << typed.ToNarrow();
    }
}

// The stair's steps are what its page's up-down offers (0 to 100): a count
// outside is refused there, so the room's text never carries a count its
// attribute word cannot hold, and the page shows again what was typed.
TEST_F(SheetFieldsTest, StairStepsOutsideTheUpDownAreRefused)
{
    struct Case {
        const wchar_t* typed;
        bool taken;
    };
    for (const Case& c : {Case{L"300", false}, Case{L"-3", false}, Case{L"12", true}}) {
        const CString typed(c.typed);
        HeadlessDriver driver;
        driver.OnDialog(kEditDoorPage, [&](CWnd* window, HeadlessDriver&) {
            auto* sheet = dynamic_cast<CPropertySheet*>(window);
            ASSERT_TRUE(sheet->SetActivePage(2));
            CWnd* page = sheet->GetActivePage();
            if (!dynamic_cast<CButton*>(page->GetDlgItem(kStair))->GetCheck())
                driver.TapDlgItem(page, kStair);
            page->SetDlgItemText(kSteps, c.typed);
            sheet->PressButton(PSBTN_OK);
            sheet->PressButton(PSBTN_CANCEL);
        });
        document->EditDoor(Door());
        EXPECT_EQ(driver.MessageBoxes().empty(), c.taken) << typed.ToNarrow();
        auto* stair = dynamic_cast<ZupOpeningStair*>(Door()->GetAttached());
        if (c.taken) {
            ASSERT_NE(stair, nullptr) << typed.ToNarrow();
            EXPECT_EQ(stair->GetSteps(), 12);
        } else if (stair) {
            EXPECT_GE(stair->GetSteps(), 0) << typed.ToNarrow();
            EXPECT_LE(stair->GetSteps(), 100) << typed.ToNarrow();
        }
    }
}

// A depth is kept in the room's text in eight bits: one the text cannot hold
// is refused on the sheet with the validation message, so what the room
// keeps is what comes back from its saved text (and the journal's, which is
// the same text); one within 0 to 255 is taken and comes back whole.
TEST_F(SheetFieldsTest, AFixtureDepthTheRoomTextCannotHoldIsRefused)
{
    struct Case {
        const wchar_t* typed;
        bool taken;
        int depth;
    };
    for (const Case& c : {Case{L"300", false, 40}, Case{L"256", false, 40}, Case{L"255", true, 255},
                          Case{L"0", true, 0}, Case{L"-3", false, 40}, Case{L"72", true, 72}}) {
        const CString typed(c.typed);
        ZupBathObject* fixture = PlaceFixture();
        ASSERT_NE(fixture, nullptr);
        fixture->SetDepth(40);
        HeadlessDriver driver;
        driver.OnDialog(kEditObjectPage, [&](CWnd* window, HeadlessDriver&) {
            auto* sheet = dynamic_cast<CPropertySheet*>(window);
            sheet->GetActivePage()->SetDlgItemText(kDepth, c.typed);
            sheet->PressButton(PSBTN_OK);
            sheet->PressButton(PSBTN_CANCEL);
        });
        document->EditWallObject(fixture);
        EXPECT_EQ(driver.MessageBoxes().empty(), c.taken) << typed.ToNarrow();
        EXPECT_EQ(fixture->GetDepth(), c.depth) << typed.ToNarrow();
        std::string text;
        Room()->Save(text, false);
        EXPECT_EQ(FixtureDepthIn(text), fixture->GetDepth()) << typed.ToNarrow();
        ZupDeleteWallObject(fixture);
    }
}

// External and Closet ticked on the Attributes page stay ticked when the
// person looks at another page and comes back: OK gives them to the door.
TEST_F(SheetFieldsTest, AttributesTickedStayAfterAnotherPage)
{
    struct Case {
        int box;
        bool external;
        bool closet;
    };
    for (const Case& c : {Case{kExternal, true, false}, Case{kCloset, false, true}}) {
        Door()->SetConnectable(true);
        SetClosetMark(Door(), false);
        HeadlessDriver driver;
        driver.OnDialog(kEditDoorPage, [&](CWnd* window, HeadlessDriver&) {
            auto* sheet = dynamic_cast<CPropertySheet*>(window);
            ASSERT_TRUE(sheet->SetActivePage(2));
            driver.TapDlgItem(sheet->GetActivePage(), c.box);
            ASSERT_TRUE(sheet->SetActivePage(0));
            ASSERT_TRUE(sheet->SetActivePage(2));
            sheet->PressButton(PSBTN_OK);
        });
        document->EditDoor(Door());
        EXPECT_EQ(!Door()->IsConnectable(nullptr), c.external) << c.box;
        EXPECT_EQ(HasClosetMark(Door()), c.closet) << c.box;
    }
}

// What the Attributes page of the door shows ticked in the given document:
// External and Closet, as a person reads them and leaves with Cancel.
struct Ticked {
    bool external;
    bool closet;
    bool operator==(const Ticked&) const = default;
};

Ticked TickedOn(CReplDoc& level, ZupOpening* door)
{
    Ticked ticked{false, false};
    HeadlessDriver driver;
    driver.OnDialog(kEditDoorPage, [&](CWnd* window, HeadlessDriver&) {
        auto* sheet = dynamic_cast<CPropertySheet*>(window);
        ASSERT_TRUE(sheet->SetActivePage(2));
        CWnd* page = sheet->GetActivePage();
        ticked.external = dynamic_cast<CButton*>(page->GetDlgItem(kExternal))->GetCheck() == BST_CHECKED;
        ticked.closet = dynamic_cast<CButton*>(page->GetDlgItem(kCloset))->GetCheck() == BST_CHECKED;
        sheet->PressButton(PSBTN_CANCEL);
    });
    level.EditDoor(door);
    return ticked;
}

void PrintTo(const Ticked& t, std::ostream* os)
{
    *os << "external " << t.external << ", closet " << t.closet;
}

// External or Closet ticked on the Attributes page is a step of its own: undo
// shows the box clear again, redo ticked; and the level saved and opened
// shows it ticked, as does a second save and open.
TEST_F(SheetFieldsTest, ExternalAndClosetComeBackAfterUndoRedoAndOpen)
{
    for (const int box : {kExternal, kCloset}) {
        SCOPED_TRACE(box);
        TearDown();
        SetUp();
        CSnapshotJournal::SetDirectory("My Documents\\");
        CSnapshotJournal& journal = document->m_journal;
        journal.SetPeriod(3600 * 1000);
        ASSERT_TRUE(journal.Start());
        Room()->SetModified(true);
        ASSERT_TRUE(journal.TakeSnapshotNow());
        const Ticked clear{false, false};
        const Ticked ticked{box == kExternal, box == kCloset};
        ASSERT_EQ(TickedOn(*document, Door()), clear);

        HeadlessDriver driver;
        driver.OnDialog(kEditDoorPage, [&](CWnd* window, HeadlessDriver&) {
            auto* sheet = dynamic_cast<CPropertySheet*>(window);
            ASSERT_TRUE(sheet->SetActivePage(2));
            driver.TapDlgItem(sheet->GetActivePage(), box);
            sheet->PressButton(PSBTN_OK);
        });
        document->EditDoor(Door());
        EXPECT_EQ(TickedOn(*document, Door()), ticked);
        EXPECT_TRUE(journal.TakeSnapshotNow()) << "the tick is not kept";
        ASSERT_TRUE(journal.Undo());
        EXPECT_EQ(TickedOn(*document, Door()), clear);
        ASSERT_TRUE(journal.Redo());
        EXPECT_EQ(TickedOn(*document, Door()), ticked);
        journal.Stop();

        std::string text;
        document->BuildFileText(text);
        CReplDoc opened;
        ASSERT_TRUE(opened.ParseFile(text.data(), static_cast<int>(text.size())));
        ASSERT_NE(opened.GetCurrentRoom(), nullptr);
        ZupOpening* door = opened.GetCurrentRoom()->GetOpening("Z");
        ASSERT_NE(door, nullptr);
        EXPECT_EQ(opened.GetNumOfRooms(), 1) << "a closet still to be made is made when the room is closed";
        EXPECT_EQ(TickedOn(opened, door), ticked);
        std::string again;
        opened.BuildFileText(again);
        CReplDoc twice;
        ASSERT_TRUE(twice.ParseFile(again.data(), static_cast<int>(again.size())));
        ASSERT_NE(twice.GetCurrentRoom(), nullptr);
        EXPECT_EQ(TickedOn(twice, twice.GetCurrentRoom()->GetOpening("Z")), ticked);
        // The room closed by the person gets the closet its door was marked for.
        twice.m_roomView = true;
        ASSERT_TRUE(twice.CloseRoom());
        EXPECT_EQ(twice.GetNumOfRooms(), box == kCloset ? 2 : 1);
    }
}

// The level's entrance is External as the program places it, and stays so
// when the person moves it to the next wall, and after save and open.
TEST_F(SheetFieldsTest, TheEntranceStaysExternalWhenMoved)
{
    document = std::make_unique<CReplDoc>();
    document->ResetLevel();
    DrawRectangle();
    ASSERT_EQ(Room()->GetNumOfOpenings(), 1);
    const Ticked external{true, false};
    EXPECT_EQ(TickedOn(*document, Room()->GetEntrance()), external);
    for (const bool forward : {true, true, false}) {
        const point before = Room()->GetEntrance()->GetGeoCenter();
        document->MoveEntrance(forward);
        ASSERT_NE(Room()->GetEntrance(), nullptr);
        EXPECT_GT(GeoDistance(Room()->GetEntrance()->GetGeoCenter(), before), 10.0) << "moved";
        EXPECT_EQ(TickedOn(*document, Room()->GetEntrance()), external);
    }
    std::string text;
    document->BuildFileText(text);
    CReplDoc opened;
    ASSERT_TRUE(opened.ParseFile(text.data(), static_cast<int>(text.size())));
    EXPECT_EQ(TickedOn(opened, opened.GetRoom(0)->GetEntrance()), external);
}

// A depth or pane count typed on the New Wall Object sheet's Object page is
// kept when the person looks at the Dimensions page and comes back; the
// new object gets it.
TEST_F(SheetFieldsTest, ATypedDepthStaysAfterAnotherPage)
{
    struct Case {
        int category;
        const wchar_t* typed;
        int depth;
    };
    for (const Case& c : {Case{SheetCategory::kWindow, L"3", 3}, Case{SheetCategory::kBathObject, L"50", 50}}) {
        ZupEdge* wall = FreeWall();
        ASSERT_NE(wall, nullptr);
        lastObjectKind = c.category;
        HeadlessDriver driver;
        driver.OnDialog(kNewObjectPage, [&](CWnd* window, HeadlessDriver&) {
            auto* sheet = dynamic_cast<CPropertySheet*>(window);
            sheet->GetActivePage()->SetDlgItemText(kDepth, c.typed);
            ASSERT_TRUE(sheet->SetActivePage(2));
            ASSERT_TRUE(sheet->SetActivePage(1));
            sheet->PressButton(PSBTN_OK);
        });
        document->NewWallObject(wall, Middle(wall).x(), Middle(wall).y());
        for (const auto& m : driver.MessageBoxes())
            ADD_FAILURE() << "message: " << m.text.ToNarrow();
        ASSERT_EQ(wall->GetNumOfObjects(), 1) << c.category;
        ZupWallObject* made = wall->GetWallObject(0);
        const auto* window = dynamic_cast<ZupWindow*>(made);
        EXPECT_EQ(window ? window->GetPanes() : made->GetDepth(), c.depth) << c.category;
    }
}

// The countertop kinds' group on the edit page reads as on the New Wall
// Object sheet: "Door" for the closet kind, "Attached Window" for the others.
TEST_F(SheetFieldsTest, ACountertopsGroupNamesWhatItHolds)
{
    struct Case {
        int type;
        const char* group;
    };
    for (const Case& c : {Case{7, "Door"}, Case{0, "Attached Window"}, Case{7, "Door"}}) {
        ZupEdge* wall = FreeWall();
        ASSERT_NE(wall, nullptr);
        ZupWallObject* counter = Room()->CreateCountertopAt(Middle(wall).x(), Middle(wall).y(), false);
        ASSERT_NE(counter, nullptr);
        counter->SetType(c.type);
        HeadlessDriver driver;
        CString shown;
        driver.OnDialog(kEditObjectPage, [&](CWnd* window, HeadlessDriver&) {
            auto* sheet = dynamic_cast<CPropertySheet*>(window);
            sheet->GetActivePage()->GetDlgItemText(kAttachedGroup, shown);
            sheet->PressButton(PSBTN_CANCEL);
        });
        document->EditWallObject(counter);
        EXPECT_EQ(shown.ToNarrow(), std::string(c.group)) << c.type;
        ZupDeleteWallObject(counter);
    }
}

// A closet's door is no window: its edit page shows the door's group without
// the window shapes (Straight, Bay), as the New Wall Object sheet does; a
// counter of another kind shows them, and choosing the kind on the page
// shows or hides them as it goes.
TEST_F(SheetFieldsTest, AClosetsEditPageShowsNoWindowShape)
{
    const int closet = 7, sink = 1;
    struct Shown {
        bool straight;
        bool bay;
        std::string group;
    };
    const auto shown = [](CWnd* page) {
        CString group;
        page->GetDlgItemText(kAttachedGroup, group);
        return Shown{page->GetDlgItem(kStraight)->IsWindowVisible() != FALSE,
                     page->GetDlgItem(kBay)->IsWindowVisible() != FALSE, group.ToNarrow()};
    };
    // The kind chosen in the list as a person taps it.
    const auto choose = [](CWnd* page, int type) {
        auto* kinds = dynamic_cast<CListBox*>(page->GetDlgItem(kKinds));
        for (int i = 0; i < kinds->GetCount(); ++i) {
            CString name;
            kinds->GetText(i, name);
            if (name == CString(type == 7 ? L"Closet" : L"Single Sink"))
                kinds->SetCurSel(i);
        }
        page->SendMessage(WM_COMMAND, MAKELONG(static_cast<WORD>(kKinds), static_cast<WORD>(LBN_SELCHANGE)),
                          reinterpret_cast<LPARAM>(kinds->GetSafeHwnd()));
    };
    const struct {
        int type;
        int chosen;  // then chosen on the page
    } cases[] = {{closet, sink}, {sink, closet}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        ZupEdge* wall = FreeWall();
        ASSERT_NE(wall, nullptr);
        ZupWallObject* counter = Room()->CreateCountertopAt(Middle(wall).x(), Middle(wall).y(), false);
        ASSERT_NE(counter, nullptr);
        counter->SetType(c.type);
        HeadlessDriver driver;
        Shown first, then;
        driver.OnDialog(kEditObjectPage, [&](CWnd* window, HeadlessDriver& d) {
            auto* sheet = dynamic_cast<CPropertySheet*>(window);
            CWnd* page = sheet->GetActivePage();
            // PELK_SHEET_PICTURES names a folder for the page as it looks.
            const auto picture = [&d](const std::string& name) {
                if (const char* folder = std::getenv("PELK_SHEET_PICTURES"))
                    d.SaveFramePng(std::string(folder) + "/" + name + ".png");
            };
            first = shown(page);
            picture("counter-" + std::to_string(c.type));
            choose(page, c.chosen);
            then = shown(page);
            picture("counter-" + std::to_string(c.type) + "-to-" + std::to_string(c.chosen));
            sheet->PressButton(PSBTN_CANCEL);
        });
        document->EditWallObject(counter);
        for (const auto& [what, type] : {std::pair{first, c.type}, std::pair{then, c.chosen}}) {
            EXPECT_EQ(what.straight, type != closet) << type;
            EXPECT_EQ(what.bay, type != closet) << type;
            EXPECT_EQ(what.group, type == closet ? "Door" : "Attached Window") << type;
        }
        ZupDeleteWallObject(counter);
    }
}
