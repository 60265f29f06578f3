// The main paths of the wall-object operations through the document, the
// view's pen calls and the sheets: dragging an object along its wall and
// into a corner or against a neighbour, Full Wall, taking over an opening
// of the plan, the Attributes page, the Dimensions page's zero buttons and
// Depth, and the object edit page.
#include <algorithm>
#include <cmath>
#include <functional>

#include "attributes_page.h"
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

    // The pen from one point to another in steps of about 4 inches.
    bool Drag(point from, point to)
    {
        if (!document->OnPenDown(from.x(), from.y(), 6))
            return false;
        const int steps = std::max(1, static_cast<int>(std::ceil(GeoDistance(from, to) / 4.0)));
        for (int i = 1; i <= steps; ++i) {
            const double t = static_cast<double>(i) / steps;
            document->OnPenMove(from.x() + t * (to.x() - from.x()), from.y() + t * (to.y() - from.y()));
        }
        document->OnPenUp();
        return true;
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
        ASSERT_TRUE(Drag(centre, point(centre.x(), centre.y() - move)));
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
    ASSERT_TRUE(Drag(centre, point(0.0, -60.0)));
    EXPECT_NEAR(window->GetWidth(), windowWidth, 0.01);
    const double low = std::min(window->GetStart()->GetPoint().y(), window->GetEnd()->GetPoint().y());
    EXPECT_GT(low, -2.0 * GeoSnap()) << "not off its wall";
    EXPECT_LT(low, 4.5) << "into the corner";

    // Up into the door.
    centre = window->GetGeoCenter();
    ASSERT_TRUE(Drag(centre, point(0.0, 260.0)));
    EXPECT_NEAR(window->GetWidth(), windowWidth, 0.01);
    EXPECT_NEAR(door->GetWidth(), doorWidth, 0.01);
    const double windowTop = std::max(window->GetStart()->GetPoint().y(), window->GetEnd()->GetPoint().y());
    const double doorBottom = std::min(door->GetStart()->GetPoint().y(), door->GetEnd()->GetPoint().y());
    EXPECT_LE(windowTop, doorBottom + 0.01) << "not past the door";
    EXPECT_GT(windowTop, doorBottom - 4.5) << "against the door";
    EXPECT_TRUE(Room()->Resolve());
}
