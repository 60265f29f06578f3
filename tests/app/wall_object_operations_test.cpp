// The main paths of the wall-object operations through the document, the
// view's pen calls and the sheets: dragging an object along its wall and
// into a corner or against a neighbour, Full Wall, taking over an opening
// of the plan, the Attributes page, the Dimensions page's zero buttons and
// Depth, and the object edit page.
#include <algorithm>
#include <cmath>
#include <functional>

#include "attributes_page.h"
#include "c_button.h"
#include "c_list_box.h"
#include "c_property_sheet.h"
#include "dimensions_page.h"
#include "distances.h"
#include "door_pages.h"
#include "headless_driver.h"
#include "kor_dimension.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "level_fixture.h"
#include "object_pages.h"
#include "object_sheet_state.h"
#include "object_sheet_templates.h"
#include "settings.h"
#include "zup_opening.h"
#include "zup_window.h"

namespace {

using namespace ObjectSheetIds;

CPropertySheet* Sheet(CWnd* window) { return dynamic_cast<CPropertySheet*>(window); }

class WallObjectOperationsTest : public LevelTest {
protected:
    void SetUp() override
    {
        LevelTest::SetUp();
        DrawRectangle();
        ZupFloor::DefaultOpeningWidth() = 32.0f;
    }

    // The New Wall Object sheet at a point of a wall, opened on the Door
    // page (or on the Object page for a window); what the step does on the
    // sheet before OK is pressed.
    void NewObject(ZupEdge* wall, point at, bool window,
                   const std::function<void(CPropertySheet*)>& step = nullptr)
    {
        lastDoorKind = 1;
        lastObjectKind = window ? SheetCategory::kWindow : -1;
        // The driver keeps the handler: it holds its own copy of the step.
        auto press = [step](CWnd* w, HeadlessDriver&) {
            CPropertySheet* sheet = Sheet(w);
            if (step)
                step(sheet);
            sheet->PressButton(PSBTN_OK);
        };
        driver.OnDialog(kNewDoorPage, press);
        driver.OnDialog(kNewObjectPage, press);
        document->NewWallObject(wall, at.x(), at.y());
    }

    // Where an object lies along its wall, from the wall's start node.
    static std::pair<double, double> Along(ZupWallObject* object)
    {
        const point s = object->GetEdge()->GetStart()->GetPoint();
        const double a = GeoDistance(s, object->GetStart()->GetPoint());
        const double b = GeoDistance(s, object->GetEnd()->GetPoint());
        return {std::min(a, b), std::max(a, b)};
    }

    static double LengthOf(ZupEdge* wall)
    {
        return GeoDistance(wall->GetStart()->GetPoint(), wall->GetEnd()->GetPoint());
    }

    HeadlessDriver driver;
};

}  // namespace

// In the Door mode the pen takes a door along its wall: the door keeps its
// width, its dimensions are as before the drag, and nothing stays picked.
TEST_F(WallObjectOperationsTest, ADoorIsDraggedAlongItsWall)
{
    ZupEdge* wall = Room()->GetEdge(0.0, 150.0);  // the left wall
    ASSERT_NE(wall, nullptr);
    NewObject(wall, point(0.0, 150.0), false);
    point at(0.0, 150.0);
    ZupOpening* door = Room()->GetOpening(at);
    ASSERT_NE(door, nullptr);
    const auto [from, to] = Along(door);
    KorDimension* width = door->GetWidthDimension();
    ASSERT_NE(width, nullptr);
    const bool widthGiven = width->IsEnabled();
    ASSERT_TRUE(document->SetEditMode(1));
    for (const double move : {40.0, -70.0}) {
        SCOPED_TRACE(move);
        const auto before = Along(door);
        const point centre = door->GetGeoCenter();
        ASSERT_TRUE(PenDrag(centre, point(centre.x(), centre.y() - move), 4.0));
        const auto after = Along(door);
        EXPECT_NEAR(after.second - after.first, to - from, 0.01) << "the door keeps its width";
        EXPECT_NEAR(std::fabs(after.first - before.first), std::fabs(move), 0.5) << "moved along its wall";
        EXPECT_NEAR(door->GetGeoCenter().x(), 0.0, 1e-6) << "on its wall";
        EXPECT_EQ(width->IsEnabled(), widthGiven);
        EXPECT_EQ(g_pPickedWallObject, nullptr);
        EXPECT_EQ(g_WallObjectDragFlags & ~7u, 0u);
        EXPECT_TRUE(Room()->Resolve());
    }
    EXPECT_NEAR(LengthOf(wall), 300.0, 1e-6) << "the wall stays";
}

// Pushed past the wall's end a window stops in the corner; pushed into the
// door beside it, it stops against the door: the rules the objects hand to
// the solver keep them apart and on their wall.
TEST_F(WallObjectOperationsTest, AWindowPushedIntoACornerOrAgainstADoorStops)
{
    ZupEdge* wall = Room()->GetEdge(0.0, 150.0);
    ASSERT_NE(wall, nullptr);
    NewObject(wall, point(0.0, 200.0), false);
    NewObject(wall, point(0.0, 100.0), true);
    point doorAt(0.0, 200.0), windowAt(0.0, 100.0);
    ZupOpening* door = Room()->GetOpening(doorAt);
    ZupWallObject* window = wall->GetWallObject(windowAt, nullptr);
    ASSERT_NE(door, nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->IsWindow());
    const double windowWidth = window->GetWidth();
    const double doorWidth = door->GetWidth();
    ASSERT_TRUE(document->SetEditMode(1));

    // Down past the corner at (0, 0).
    point centre = window->GetGeoCenter();
    ASSERT_TRUE(PenDrag(centre, point(0.0, -60.0), 4.0));
    EXPECT_NEAR(window->GetWidth(), windowWidth, 0.01);
    const double low = std::min(window->GetStart()->GetPoint().y(), window->GetEnd()->GetPoint().y());
    EXPECT_GT(low, -2.0 * GeoSnap()) << "not off its wall";
    EXPECT_LT(low, 4.5) << "into the corner";

    // Up into the door.
    centre = window->GetGeoCenter();
    ASSERT_TRUE(PenDrag(centre, point(0.0, 260.0), 4.0));
    EXPECT_NEAR(window->GetWidth(), windowWidth, 0.01);
    EXPECT_NEAR(door->GetWidth(), doorWidth, 0.01);
    const double windowTop = std::max(window->GetStart()->GetPoint().y(), window->GetEnd()->GetPoint().y());
    const double doorBottom = std::min(door->GetStart()->GetPoint().y(), door->GetEnd()->GetPoint().y());
    EXPECT_LE(windowTop, doorBottom + 0.01) << "not past the door";
    EXPECT_GT(windowTop, doorBottom - 4.5) << "against the door";
    EXPECT_TRUE(Room()->Resolve());
}

// Full Wall on the Dimensions page of a new door: the door fills its wall
// from one corner to the other and the wall keeps its length.
TEST_F(WallObjectOperationsTest, FullWallMakesTheDoorFillItsWall)
{
    ZupEdge* wall = Room()->GetEdge(200.0, 150.0);  // the right wall, 300 long
    ASSERT_NE(wall, nullptr);
    ASSERT_EQ(wall->GetNumOfObjects(), 0);
    bool offered = false;
    NewObject(wall, point(200.0, 150.0), false, [&](CPropertySheet* sheet) {
        ASSERT_TRUE(sheet->SetActivePage(2));
        auto* page = dynamic_cast<CDimensionsPage*>(sheet->GetActivePage());
        ASSERT_NE(page, nullptr);
        offered = page->GetDlgItem(kFullWall)->IsWindowEnabled();
        page->OnFullWall();
        EXPECT_EQ(page->fullWall, 1);
    });
    EXPECT_TRUE(offered);
    EXPECT_EQ(g_objectSheet.applied, 1);
    ASSERT_EQ(wall->GetNumOfObjects(), 1);
    ZupWallObject* door = wall->GetWallObject(0);
    ASSERT_TRUE(door->IsPortal());
    const auto [from, to] = Along(door);
    EXPECT_NEAR(from, 0.0, 0.01);
    EXPECT_NEAR(to, LengthOf(wall), 0.01);
    EXPECT_NEAR(LengthOf(wall), 300.0, 0.01);
    EXPECT_FLOAT_EQ(wall->WallThickness(), 0.0f) << "a full-wall opening leaves no wall";
    EXPECT_TRUE(Room()->Resolve());
}

// A room drawn over an opening of the plan takes that opening over: the New
// Door page offers it by name, and the room's new door is the same opening
// seen from the other side, with its kind, action, position and width.
TEST_F(WallObjectOperationsTest, ARoomTakesOverAFreeOpeningOfThePlan)
{
    CRoomFloor* hall = Room();
    hall->ZupFloor::SetName("Hall1");
    // Two doors on the hall's top wall (y = 300).
    ZupOpening* toBath = hall->CreateOpening("Hall1A", 1, 180.0, 300.0);
    ZupOpening* free = hall->CreateOpening("Hall1B", 3, 110.0, 300.0);
    ASSERT_NE(toBath, nullptr);
    ASSERT_NE(free, nullptr);
    ZupEdge* top = toBath->GetEdge();
    top->SetObjectsPosition(-1.0f);
    top->ModifyLengthDim(-1.0f);
    for (ZupOpening* o : {toBath, free})
        o->CreateWidthDimension();
    ASSERT_TRUE(hall->Resolve());
    ASSERT_TRUE(document->CloseRoom());
    ZupOpening* twin = document->m_plan.GetOpening("Hall1B");
    ASSERT_NE(twin, nullptr);

    // The bathroom beyond Hall1A, being drawn: its wall on the hall's top
    // wall passes over Hall1B.
    document->ExitThroughOpening(hall->GetOpening("Hall1A"));
    ASSERT_TRUE(document->InsertShape(0, 0));
    document->PlaceEntrance(nullptr);
    CRoomFloor* bath = Room();
    ASSERT_NE(bath, hall);
    const point over = twin->GetGeoCenter();
    ZupEdge* wall = bath->GetEdge(over.x(), over.y());
    ASSERT_NE(wall, nullptr) << "the bathroom's wall lies over the plan's opening";

    int offeredAt = -1;
    lastDoorKind = 1;
    lastObjectKind = -1;
    driver.OnDialog(kNewDoorPage, [&](CWnd* w, HeadlessDriver&) {
        CPropertySheet* sheet = Sheet(w);
        auto* page = dynamic_cast<CNewDoorPage*>(sheet->GetActivePage());
        ASSERT_NE(page, nullptr);
        const auto& offered = page->FreeOpenings();
        const auto found = std::find(offered.begin(), offered.end(), twin);
        if (found != offered.end()) {
            offeredAt = static_cast<int>(found - offered.begin());
            dynamic_cast<CListBox*>(page->GetDlgItem(kNames))->SetCurSel(offeredAt);
        }
        sheet->PressButton(PSBTN_OK);
    });
    document->NewWallObject(wall, over.x(), over.y());
    ASSERT_GE(offeredAt, 0) << "the plan's free opening is offered";
    ZupOpening* taken = bath->GetOpening("Hall1B");
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->GetType(), twin->GetType());
    EXPECT_EQ(taken->GetAction(), ZupOpening::GetReversed(twin->GetAction()));
    EXPECT_EQ(taken->GetPosition(), ZupOpening::GetReversed(twin->GetPosition()));
    EXPECT_NEAR(taken->GetWidth(), std::round(twin->GetWidth()), 0.01);
    EXPECT_LT(GeoDistance(taken->GetGeoCenter(), over), 0.5) << "over the plan's opening";
    ASSERT_TRUE(document->CloseRoom());
    EXPECT_EQ(document->m_plan.GetNumOfPartitions(), 2);
}

// The Attributes page of a new door: the action and position chosen, a
// stair put in the opening, External and Closet, each reach the opening.
TEST_F(WallObjectOperationsTest, TheAttributesPageGivesTheOpeningItsAttributes)
{
    const struct {
        const char* what;
        bool stair;
        bool external;
        bool closet;
    } cases[] = {{"action, position and a stair", true, false, false},
                 {"external", false, true, false},
                 {"closet", false, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        document = std::make_unique<CReplDoc>();
        document->ResetLevel();
        DrawRectangle();
        ZupEdge* wall = Room()->GetEdge(200.0, 150.0);
        ASSERT_NE(wall, nullptr);
        int action = -1, position = -1;
        NewObject(wall, point(200.0, 150.0), false, [&](CPropertySheet* sheet) {
            ASSERT_TRUE(sheet->SetActivePage(3));
            auto* page = dynamic_cast<CAttributesPage*>(sheet->GetActivePage());
            ASSERT_NE(page, nullptr);
            auto* actions = dynamic_cast<CListBox*>(page->GetDlgItem(kDoorActions));
            auto* positions = dynamic_cast<CListBox*>(page->GetDlgItem(kDoorPositions));
            ASSERT_NE(actions, nullptr);
            ASSERT_NE(positions, nullptr);
            ASSERT_GE(page->actionCount, 2);
            ASSERT_GE(page->positionCount, 2);
            actions->SetCurSel(1);
            positions->SetCurSel(1);
            action = page->actionKeys[1];
            position = page->positionKeys[1];
            if (c.stair) {
                page->OnStair();
                page->SetDlgItemInt(kSteps, 5);
            }
            if (c.external) {
                EXPECT_TRUE(page->GetDlgItem(kExternal)->IsWindowEnabled());
                dynamic_cast<CButton*>(page->GetDlgItem(kExternal))->SetCheck(BST_CHECKED);
            }
            if (c.closet) {
                EXPECT_TRUE(page->GetDlgItem(kCloset)->IsWindowEnabled());
                page->OnCloset();
                EXPECT_FALSE(page->GetDlgItem(kExternal)->IsWindowEnabled());
            }
        });
        // The opening, and its stair when it has one.
        ASSERT_EQ(wall->GetNumOfObjects(), c.stair ? 2 : 1);
        point at(200.0, 150.0);
        ZupOpening* door = Room()->GetOpening(at);
        ASSERT_NE(door, nullptr);
        EXPECT_EQ(static_cast<int>(door->GetAction()), action);
        EXPECT_EQ(static_cast<int>(door->GetPosition()), position);
        auto* stair = dynamic_cast<ZupOpeningStair*>(door->GetAttached());
        EXPECT_EQ(stair != nullptr, c.stair);
        if (stair) {
            EXPECT_EQ(stair->GetSteps(), 5);
            EXPECT_EQ(stair->GetAttached(), door);
        }
        EXPECT_EQ(door->IsConnectable(nullptr), !c.external);
        EXPECT_EQ(HasClosetMark(door), c.closet);
        EXPECT_EQ(g_objectSheet.stair, nullptr) << "nothing left loose";
    }
}

// The Dimensions page's 0 buttons put a new counter against the wall's end
// on that side; Depth, typed on the digit strip, gives it its depth.
TEST_F(WallObjectOperationsTest, ZeroButtonsAndDepthPlaceANewObject)
{
    for (const bool left : {true, false}) {
        SCOPED_TRACE(left ? "Left 0" : "Right 0");
        document = std::make_unique<CReplDoc>();
        document->ResetLevel();
        DrawRectangle();
        ZupEdge* wall = Room()->GetEdge(200.0, 150.0);
        ASSERT_NE(wall, nullptr);
        lastDoorKind = 1;
        lastObjectKind = SheetCategory::kCountertop;
        int depthOffered = 0;
        driver.OnDialog(kNewObjectPage, [&](CWnd* w, HeadlessDriver&) {
            CPropertySheet* sheet = Sheet(w);
            ASSERT_EQ(g_objectSheet.objectKind, SheetCategory::kCountertop);
            ASSERT_TRUE(sheet->SetActivePage(2));
            auto* page = dynamic_cast<CDimensionsPage*>(sheet->GetActivePage());
            ASSERT_NE(page, nullptr);
            depthOffered = page->GetDlgItem(kDepthCheck)->IsWindowEnabled();
            page->OnDepth();
            ASSERT_EQ(page->digitTarget, &g_objectSheet.depth);
            EXPECT_TRUE(page->OnDigitTap(CDimensionsPage::kStripLeft + 2 * CDimensionsPage::kCellWidth, 200));
            EXPECT_TRUE(page->OnDigitTap(CDimensionsPage::kStripLeft + 6 * CDimensionsPage::kCellWidth, 200));
            EXPECT_EQ(g_objectSheet.depth, 26);
            if (left)
                page->OnLeftZero();
            else
                page->OnRightZero();
            EXPECT_EQ(left ? page->leftCheck : page->rightCheck, 1);
            EXPECT_EQ(left ? g_objectSheet.left : g_objectSheet.right, 0);
            sheet->PressButton(PSBTN_OK);
        });
        document->NewWallObject(wall, 200.0, 150.0);
        EXPECT_TRUE(depthOffered);
        ASSERT_EQ(wall->GetNumOfObjects(), 1);
        ZupWallObject* counter = wall->GetWallObject(0);
        EXPECT_EQ(counter->GetObjectType(), SheetCategory::kCountertop);
        EXPECT_EQ(counter->GetDepth(), 26);
        const auto [from, to] = Along(counter);
        const double gap = std::min(from, LengthOf(wall) - to);
        EXPECT_NEAR(gap, 0.0, 0.01) << "against one end of its wall";
        EXPECT_NEAR(to - from, g_objectSheet.width, 0.01) << "as wide as the sheet made it";
        EXPECT_NEAR(LengthOf(wall), 300.0, 0.01);
        EXPECT_TRUE(Room()->Resolve());
    }
}

// The object edit page: a window's panes and kind changed, then the window
// deleted from the same page.
TEST_F(WallObjectOperationsTest, TheEditPageChangesAndDeletesAWindow)
{
    ZupEdge* wall = Room()->GetEdge(200.0, 150.0);
    ASSERT_NE(wall, nullptr);
    NewObject(wall, point(200.0, 150.0), true);
    ASSERT_EQ(wall->GetNumOfObjects(), 1);
    auto* window = dynamic_cast<ZupWindow*>(wall->GetWallObject(0));
    ASSERT_NE(window, nullptr);
    const int type = window->GetType();
    driver.OnDialog(kEditObjectPage, [&](CWnd* w, HeadlessDriver&) {
        CPropertySheet* sheet = Sheet(w);
        auto* page = dynamic_cast<CEditObjectPage*>(sheet->GetActivePage());
        ASSERT_NE(page, nullptr);
        auto* kinds = dynamic_cast<CListBox*>(page->GetDlgItem(kKinds));
        ASSERT_NE(kinds, nullptr);
        ASSERT_GE(kinds->GetCount(), 2);
        kinds->SetCurSel(kinds->GetCurSel() == 0 ? 1 : 0);
        page->OnKindChanged();
        page->SetDlgItemInt(kDepth, 4);
        sheet->PressButton(PSBTN_OK);
    });
    document->EditWallObject(window);
    ASSERT_EQ(wall->GetNumOfObjects(), 1);
    EXPECT_NE(window->GetType(), type) << "the kind chosen";
    EXPECT_EQ(window->GetPanes(), 4);

    driver.OnDialog(kEditObjectPage, [&](CWnd* w, HeadlessDriver&) {
        dynamic_cast<CEditObjectPage*>(Sheet(w)->GetActivePage())->OnDelete();
    });
    document->EditWallObject(window);
    EXPECT_EQ(wall->GetNumOfObjects(), 0);
    EXPECT_EQ(g_objectSheet.object, nullptr);
    EXPECT_TRUE(Room()->Resolve());
}
