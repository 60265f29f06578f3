// A door's or window's width asked for on its sheet changes the object
// only: every wall keeps its length, the object keeps its centre unless it
// must move to stay on its wall, a width that cannot fit is refused with
// nothing changed, and a refused new object leaves nothing behind.
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "level_fixture.h"
#include "c_property_sheet.h"
#include "dimensions_page.h"
#include "door_pages.h"
#include "headless_driver.h"
#include "kor_dimension.h"
#include "kor_node.h"
#include "measurement_mode.h"
#include "object_sheet_state.h"
#include "object_sheet_templates.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "snapshot_journal.h"
#include "zup_edge.h"
#include "zup_opening.h"
#include "zup_wall_object.h"

namespace {

using namespace ObjectSheetIds;

enum class Kind { kDoor, kWindow };
const char* NameOf(Kind kind) { return kind == Kind::kDoor ? "door" : "window"; }

class OpeningWidthTest : public LevelTest {
protected:
    // The shipped 200 x 300 rectangle whose right wall, from (200, 0) up,
    // is `length` long; its lengths typed (given) or left to the solver.
    void DrawRoom(double length, bool given)
    {
        document = std::make_unique<CReplDoc>();
        document->ResetLevel();
        // Named, so its new doors are lettered after its entrance.
        Room()->ZupFloor::SetName("Hall1");
        DrawRectangle();
        ZupFloor::DefaultOpeningWidth() = 32.0f;
        ZupFloor::DefaultWindowWidth() = 32.0f;
        // Found where the shipped room shows them: the right wall's and the
        // top wall's lengths.
        const int right = Room()->FindReferenceDimensionAt(nullptr, 200.0, 150.0);
        const int top = Room()->FindReferenceDimensionAt(nullptr, 100.0, 300.0);
        ASSERT_GE(right, 0);
        ASSERT_GE(top, 0);
        if (length != 300.0 || given)
            Type(right, length);
        if (given)
            Type(top, 200.0);
        else if (length != 300.0)
            Release(right);
        ASSERT_NEAR(RightWallLength(), length, 0.01);
        ZupEdge* wall = RightWall();
        base = std::min(wall->GetStart()->GetPoint().y(), wall->GetEnd()->GetPoint().y());
    }

    void Type(int index, double value)
    {
        CMeasurementMode* measure = Measure(index);
        ASSERT_NE(measure, nullptr);
        measure->m_current = Room()->GetDimension(index, nullptr);
        ASSERT_TRUE(measure->ApplyValue(static_cast<float>(value)));
        ASSERT_TRUE(document->SetEditMode(1));
    }
    void Release(int index)
    {
        ASSERT_NE(Measure(index), nullptr);
        ASSERT_TRUE(Room()->GetDimension(index, nullptr)->IsEnabled());
        document->OnDimensionTap();
        ASSERT_FALSE(Room()->GetDimension(index, nullptr)->IsEnabled());
        ASSERT_TRUE(document->SetEditMode(1));
    }
    CMeasurementMode* Measure(int index)
    {
        if (!document->SetEditMode(2))
            return nullptr;
        auto* measure = dynamic_cast<CMeasurementMode*>(document->GetEditMode());
        if (measure)
            measure->SetSelection(index);
        return measure;
    }

    ZupEdge* RightWall()
    {
        for (ZupEdge* e = Room()->Get1stEdge(); e; e = Room()->GetNextEdge())
            if (std::abs(e->GetStart()->GetPoint().x() - 200.0) < 0.01 &&
                std::abs(e->GetEnd()->GetPoint().x() - 200.0) < 0.01)
                return e;
        return nullptr;
    }
    double RightWallLength()
    {
        ZupEdge* wall = RightWall();
        if (!wall)
            return -1.0;
        return std::abs(wall->GetEnd()->GetPoint().y() - wall->GetStart()->GetPoint().y());
    }
    std::vector<point> Corners()
    {
        std::vector<point> corners;
        for (ZupEdge* e = Room()->Get1stEdge(); e; e = Room()->GetNextEdge())
            corners.push_back(e->GetStart()->GetPoint());
        return corners;
    }
    static void ExpectSameCorners(const std::vector<point>& got, const std::vector<point>& expected)
    {
        ASSERT_EQ(got.size(), expected.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_NEAR(got[i].x(), expected[i].x(), 0.01) << "corner " << i;
            EXPECT_NEAR(got[i].y(), expected[i].y(), 0.01) << "corner " << i;
        }
    }

    // Where the right wall starts: typed lengths move the room's far walls.
    double base = 0.0;

    // The object of the kind on the right wall, or null.
    ZupWallObject* ObjectOnRightWall(Kind kind)
    {
        ZupEdge* wall = RightWall();
        for (int i = 0; wall && i < wall->GetNumOfObjects(); ++i) {
            ZupWallObject* o = wall->GetWallObject(i);
            if (o && o->IsPortal() == (kind == Kind::kDoor))
                return o;
        }
        return nullptr;
    }
    // The object's ends up the right wall, from its start.
    double Low(ZupWallObject* o) const
    {
        return std::min(o->GetStart()->GetPoint().y(), o->GetEnd()->GetPoint().y()) - base;
    }
    double High(ZupWallObject* o) const
    {
        return std::max(o->GetStart()->GetPoint().y(), o->GetEnd()->GetPoint().y()) - base;
    }

    static void SetWidth(CPropertySheet* sheet, int page, int width)
    {
        ASSERT_TRUE(sheet->SetActivePage(page));
        auto* dimensions = dynamic_cast<CDimensionsPage*>(sheet->GetActivePage());
        ASSERT_NE(dimensions, nullptr);
        if (!dimensions->widthCheck)
            dimensions->OnWidth();
        dimensions->SetDlgItemInt(kWidth, static_cast<UINT>(width));
    }

    // A new object of the kind at y up the right wall through the New
    // Wall Object sheet; with a width, typed on its Dimensions page. A sheet
    // that refuses the width goes back to its first page and is cancelled.
    void PlaceOnRightWall(Kind kind, double y, int width = -1)
    {
        lastDoorKind = 1;
        lastObjectKind = kind == Kind::kDoor ? -1 : SheetCategory::kWindow;
        HeadlessDriver driver;
        auto place = [&](CWnd* window, HeadlessDriver&) {
            auto* sheet = dynamic_cast<CPropertySheet*>(window);
            ASSERT_NE(sheet, nullptr);
            if (width >= 0)
                SetWidth(sheet, 2, width);
            sheet->PressButton(PSBTN_OK);
            if (sheet->PressButton(PSBTN_CANCEL) == FALSE)
                return;
            refusedSheet = true;
        };
        driver.OnDialog(kNewDoorPage, place);
        driver.OnDialog(kNewObjectPage, place);
        refusedSheet = false;
        document->NewWallObject(RightWall(), 200.0, base + y);
        messages.clear();
        for (const auto& box : driver.MessageBoxes())
            messages.push_back(box.text.GetString());
    }

    // The object's edit sheet, its width typed on the Dimensions page, OK;
    // a refused width is followed by Cancel.
    void EditWidth(ZupWallObject* o, int width)
    {
        EditOnDimensionsPage(o, [width](CPropertySheet* sheet, CDimensionsPage*) {
            SetWidth(sheet, 1, width);
        });
    }
    void EditOnDimensionsPage(ZupWallObject* o,
                              const std::function<void(CPropertySheet*, CDimensionsPage*)>& change)
    {
        HeadlessDriver driver;
        auto edit = [&](CWnd* window, HeadlessDriver&) {
            auto* sheet = dynamic_cast<CPropertySheet*>(window);
            ASSERT_NE(sheet, nullptr);
            ASSERT_TRUE(sheet->SetActivePage(1));
            auto* page = dynamic_cast<CDimensionsPage*>(sheet->GetActivePage());
            ASSERT_NE(page, nullptr);
            change(sheet, page);
            sheet->PressButton(PSBTN_OK);
            sheet->PressButton(PSBTN_CANCEL);
        };
        driver.OnDialog(kEditDoorPage, edit);
        driver.OnDialog(kEditObjectPage, edit);
        if (auto* door = dynamic_cast<ZupOpening*>(o))
            document->EditDoor(door);
        else
            document->EditWallObject(o);
        messages.clear();
        for (const auto& box : driver.MessageBoxes())
            messages.push_back(box.text.GetString());
    }

    std::vector<std::wstring> messages;
    bool refusedSheet = false;
};

struct WidthCase {
    double wall;
    bool given;
    Kind kind;
    double centre;  // of the object before, up the wall
    int width;
    bool fits;
};

std::ostream& operator<<(std::ostream& out, const WidthCase& c)
{
    return out << NameOf(c.kind) << " at " << c.centre << " of a " << c.wall
               << (c.given ? " given" : " free") << " wall, width " << c.width;
}

}  // namespace

// Widths asked for alone on the edit sheet, on walls of 300, 240 and 69,
// with the room's lengths given and not, centred and off-centre.
TEST_F(OpeningWidthTest, AWidthAloneChangesTheObjectOnly)
{
    const WidthCase cases[] = {
        {300, true, Kind::kDoor, 150, 60, true},
        {300, false, Kind::kDoor, 150, 60, true},
        {300, true, Kind::kDoor, 150, 168, true},
        {300, true, Kind::kDoor, 150, 240, true},
        {300, false, Kind::kDoor, 150, 150, true},
        {300, true, Kind::kDoor, 60, 150, true},   // moves up to stay on its wall
        {300, false, Kind::kDoor, 260, 100, true},  // moves down
        {300, true, Kind::kDoor, 150, 301, false},
        {300, false, Kind::kDoor, 150, 0, false},
        {215, false, Kind::kDoor, 100, 60, true},
        {215, true, Kind::kDoor, 100, 60, true},
        {240, true, Kind::kDoor, 120, 138, true},
        {240, false, Kind::kDoor, 120, 200, true},
        {240, true, Kind::kDoor, 50, 100, true},
        {240, false, Kind::kDoor, 120, 260, false},
        {69, true, Kind::kDoor, 34.5, 60, true},
        {69, false, Kind::kDoor, 34.5, 69, true},
        {69, true, Kind::kDoor, 34.5, 100, false},
        {300, false, Kind::kWindow, 150, 48, true},
        {300, true, Kind::kWindow, 100, 120, true},
        {240, true, Kind::kWindow, 200, 90, true},
        {69, false, Kind::kWindow, 34.5, 80, false},
        {300, true, Kind::kWindow, 150, 0, false},
    };
    for (const WidthCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c);
        DrawRoom(c.wall, c.given);
        PlaceOnRightWall(c.kind, c.centre);
        ZupWallObject* o = ObjectOnRightWall(c.kind);
        ASSERT_NE(o, nullptr);
        ASSERT_TRUE(messages.empty());
        const std::vector<point> corners = Corners();
        const double low = Low(o);
        const double high = High(o);
        const double centre = (low + high) / 2.0;

        EditWidth(o, c.width);

        ExpectSameCorners(Corners(), corners);
        ASSERT_EQ(ObjectOnRightWall(c.kind), o);
        if (!c.fits) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0], L"Invalid dimensions");
            EXPECT_NEAR(Low(o), low, 0.01);
            EXPECT_NEAR(High(o), high, 0.01);
            continue;
        }
        EXPECT_TRUE(messages.empty());
        EXPECT_NEAR(High(o) - Low(o), c.width, 0.01);
        const double half = c.width / 2.0;
        EXPECT_NEAR((Low(o) + High(o)) / 2.0, std::clamp(centre, half, c.wall - half), 0.01);
    }
}

// One undo takes the width change back whole, and redo gives it again.
TEST_F(OpeningWidthTest, OneUndoTakesAWidthChangeBack)
{
    CSnapshotJournal::SetDirectory(CString(L"My Documents\\"));
    for (const bool given : {true, false}) {
        SCOPED_TRACE(given ? "lengths given" : "lengths free");
        DrawRoom(300.0, given);
        PlaceOnRightWall(Kind::kDoor, 150.0);
        ZupWallObject* door = ObjectOnRightWall(Kind::kDoor);
        ASSERT_NE(door, nullptr);
        const std::vector<point> corners = Corners();
        const double width = High(door) - Low(door);
        CSnapshotJournal& journal = document->m_journal;
        journal.SetPeriod(3600 * 1000);
        ASSERT_TRUE(journal.Start());
        Room()->SetModified(true);
        ASSERT_TRUE(journal.TakeSnapshotNow());

        EditWidth(door, 60);
        ASSERT_TRUE(journal.TakeSnapshotNow());
        EXPECT_FALSE(journal.TakeSnapshotNow()) << "the room rests after the change";

        ASSERT_TRUE(journal.Undo());
        door = ObjectOnRightWall(Kind::kDoor);
        ASSERT_NE(door, nullptr);
        EXPECT_NEAR(High(door) - Low(door), width, 0.01);
        ExpectSameCorners(Corners(), corners);
        ASSERT_TRUE(journal.Redo());
        door = ObjectOnRightWall(Kind::kDoor);
        ASSERT_NE(door, nullptr);
        EXPECT_NEAR(High(door) - Low(door), 60.0, 0.01);
        ExpectSameCorners(Corners(), corners);
        journal.Stop();
    }
}

// A new door or window whose width cannot be is refused, and after Cancel
// nothing of it is left in the room.
TEST_F(OpeningWidthTest, ARefusedNewObjectLeavesNothing)
{
    const WidthCase cases[] = {
        {69, true, Kind::kDoor, 34.5, 100, false},
        {69, false, Kind::kDoor, 34.5, 100, false},
        {69, true, Kind::kWindow, 34.5, 100, false},
        {300, true, Kind::kDoor, 150, 0, false},
        {300, false, Kind::kWindow, 150, 0, false},
        {240, false, Kind::kDoor, 120, 241, false},
        {69, true, Kind::kDoor, 34.5, 60, true},
        {300, false, Kind::kWindow, 150, 48, true},
    };
    for (const WidthCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c);
        DrawRoom(c.wall, c.given);
        const std::vector<point> corners = Corners();
        const int openings = Room()->GetNumOfOpenings();
        PlaceOnRightWall(c.kind, c.centre, c.width);
        ExpectSameCorners(Corners(), corners);
        if (c.fits) {
            EXPECT_TRUE(messages.empty());
            ZupWallObject* o = ObjectOnRightWall(c.kind);
            ASSERT_NE(o, nullptr);
            EXPECT_NEAR(High(o) - Low(o), c.width, 0.01);
            continue;
        }
        EXPECT_TRUE(refusedSheet) << "the sheet stays open";
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages[0], L"Invalid dimensions");
        EXPECT_EQ(ObjectOnRightWall(c.kind), nullptr);
        EXPECT_EQ(RightWall()->GetNumOfObjects(), 0);
        EXPECT_EQ(Room()->GetNumOfOpenings(), openings);
        EXPECT_EQ(g_objectSheet.object, nullptr);
    }
}

// A neighbour on the same wall keeps its place: the door widens about its
// middle, is moved away from the neighbour when it must, and a width that
// would reach over it is refused.
TEST_F(OpeningWidthTest, ANeighbourOnTheWallHoldsItsPlace)
{
    const struct {
        bool given;
        int width;
        bool fits;
    } cases[] = {{false, 140, true}, {true, 140, true}, {true, 220, true}, {false, 220, true},
                 {false, 230, false}, {true, 300, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << (c.given ? " given" : " free"));
        DrawRoom(300.0, c.given);
        PlaceOnRightWall(Kind::kWindow, 240.0);
        PlaceOnRightWall(Kind::kDoor, 150.0);
        ZupWallObject* window = ObjectOnRightWall(Kind::kWindow);
        ZupWallObject* door = ObjectOnRightWall(Kind::kDoor);
        ASSERT_NE(window, nullptr);
        ASSERT_NE(door, nullptr);
        const double windowLow = Low(window);
        const double windowHigh = High(window);
        ASSERT_GT(windowLow, 220.0);
        const double doorLow = Low(door);
        const double doorCentre = (doorLow + High(door)) / 2.0;
        const std::vector<point> corners = Corners();

        EditWidth(door, c.width);

        ExpectSameCorners(Corners(), corners);
        EXPECT_NEAR(Low(window), windowLow, 0.01);
        EXPECT_NEAR(High(window), windowHigh, 0.01);
        if (!c.fits) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0], L"Invalid dimensions");
            EXPECT_NEAR(Low(door), doorLow, 0.01);
            continue;
        }
        EXPECT_TRUE(messages.empty());
        EXPECT_NEAR(High(door) - Low(door), c.width, 0.01);
        const double low = std::clamp(doorCentre - c.width / 2.0, 0.0, windowLow - c.width);
        if (low + c.width < windowLow - 3.0) {
            EXPECT_NEAR(Low(door), low, 0.01);
        } else {  // pushed up to the window: its rule keeps the door clear of it
            EXPECT_GE(Low(door), -0.01);
            EXPECT_LT(High(door), windowLow);
        }
    }
}

// The Width row's 0 button on the edit sheet: a zero width is refused as
// any width that cannot be, and the object stays as it was.
TEST_F(OpeningWidthTest, TheZeroButtonsWidthIsRefused)
{
    for (const Kind kind : {Kind::kWindow, Kind::kDoor}) {
        for (const bool given : {false, true}) {
            SCOPED_TRACE(testing::Message() << NameOf(kind) << (given ? " given" : " free"));
            DrawRoom(240.0, given);
            PlaceOnRightWall(kind, 60.0);
            ZupWallObject* o = ObjectOnRightWall(kind);
            ASSERT_NE(o, nullptr);
            const double low = Low(o);
            const double high = High(o);
            const std::vector<point> corners = Corners();
            EditOnDimensionsPage(o, [](CPropertySheet*, CDimensionsPage* page) { page->OnWidthZero(); });
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0], L"Invalid dimensions");
            EXPECT_NEAR(Low(o), low, 0.01);
            EXPECT_NEAR(High(o), high, 0.01);
            ExpectSameCorners(Corners(), corners);
        }
    }
}
