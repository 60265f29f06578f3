#include <cmath>
#include <functional>
#include <memory>

#include "level_fixture.h"
#include "c_list_box.h"
#include "c_property_sheet.h"
#include "dimensions_page.h"
#include "door_pages.h"
#include "exchange_file.h"
#include "headless_driver.h"
#include "kor_dimension.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "object_pages.h"
#include "object_sheet_apply.h"
#include "object_sheet_state.h"
#include "object_sheet_templates.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "wall_object_placement.h"
#include "zup_edge.h"
#include "zup_opening.h"
#include "zup_window.h"

namespace {

using namespace ObjectSheetIds;

class ObjectSheetsTest : public LevelTest {
protected:
    void SetUp() override
    {
        LevelTest::SetUp();
        DrawRectangle();
    }

    point Middle(ZupEdge* wall)
    {
        const point a = wall->GetStart()->GetPoint();
        const point b = wall->GetEnd()->GetPoint();
        return point((a.x() + b.x()) / 2, (a.y() + b.y()) / 2);
    }

    static CPropertySheet* Sheet(CWnd* window) { return dynamic_cast<CPropertySheet*>(window); }

    // Opens the New Wall Object sheet at the middle of a free wall, shows its
    // Dimensions page to the check, then cancels.
    void OnDimensionsPage(const std::function<void(CPropertySheet*, CDimensionsPage*)>& check)
    {
        HeadlessDriver driver;
        ZupEdge* wall = FreeWall();
        ASSERT_NE(wall, nullptr);
        const point m = Middle(wall);
        driver.OnDialog(kNewDoorPage, [&](CWnd* window, HeadlessDriver&) {
            CPropertySheet* sheet = Sheet(window);
            ASSERT_TRUE(sheet->SetActivePage(2));
            auto* page = dynamic_cast<CDimensionsPage*>(sheet->GetActivePage());
            ASSERT_NE(page, nullptr);
            check(sheet, page);
            sheet->PressButton(PSBTN_CANCEL);
        });
        document->NewWallObject(wall, m.x(), m.y());
    }

};

}  // namespace

TEST_F(ObjectSheetsTest, FourPageSheetAppliesOnceAndASwingingDoorSetsTheDefaultWidth)
{
    HeadlessDriver driver;
    ZupEdge* wall = FreeWall();
    ASSERT_NE(wall, nullptr);
    const point m = Middle(wall);
    const int openings = Room()->GetNumOfOpenings();
    ZupFloor::DefaultOpeningWidth() = 32.0f;
    int pages = 0;
    driver.OnDialog(kNewDoorPage, [&](CWnd* window, HeadlessDriver&) {
        CPropertySheet* sheet = Sheet(window);
        ASSERT_NE(sheet, nullptr);
        pages = sheet->GetPageCount();
        EXPECT_EQ(g_objectSheet.doorKind, 1);
        sheet->PressButton(PSBTN_OK);
    });
    document->NewWallObject(wall, m.x(), m.y());
    EXPECT_EQ(pages, 4);
    EXPECT_EQ(Room()->GetNumOfOpenings(), openings + 1);
    EXPECT_EQ(g_objectSheet.applied, 1);
    EXPECT_FLOAT_EQ(ZupFloor::DefaultOpeningWidth(), static_cast<float>(g_objectSheet.width));
    EXPECT_EQ(lastObjectKind, -1);
    // Asked again, the apply gives the first result and makes nothing more.
    EXPECT_EQ(ApplyObjectSheet(), 1);
    EXPECT_EQ(Room()->GetNumOfOpenings(), openings + 1);
}

TEST_F(ObjectSheetsTest, OtherDoorKindsKeepTheDefaultWidth)
{
    HeadlessDriver driver;
    ZupEdge* wall = FreeWall();
    ASSERT_NE(wall, nullptr);
    const point m = Middle(wall);
    lastDoorKind = 3;
    lastObjectKind = -1;
    ZupFloor::DefaultOpeningWidth() = 32.0f;
    driver.OnDialog(kNewDoorPage, [&](CWnd* window, HeadlessDriver&) {
        Sheet(window)->PressButton(PSBTN_OK);
    });
    document->NewWallObject(wall, m.x(), m.y());
    EXPECT_EQ(g_objectSheet.applied, 1);
    EXPECT_EQ(lastDoorKind, 3);
    EXPECT_FLOAT_EQ(ZupFloor::DefaultOpeningWidth(), 32.0f);
}

TEST_F(ObjectSheetsTest, BothSidesZeroOnABoundWallCentresTheObject)
{
    ZupEdge* wall = FreeWall();
    ASSERT_NE(wall, nullptr);
    const point m = Middle(wall);
    ZupWindow* window = Room()->CreateWallWindow(m.x(), m.y());
    ASSERT_NE(window, nullptr);
    const struct {
        float gap;
        int width;
        double position;
    } cases[] = {{100.0f, 30, 35.0}, {100.0f, 31, 34.0}, {100.0f, 120, 0.0}};
    for (const auto& c : cases) {
        InitObjectSheetNew(window->GetEdge(), static_cast<float>(m.x()), static_cast<float>(m.y()));
        g_objectSheet.object = window;
        EnsureWallObjectDimensions();
        g_objectSheet.flags = 0;
        g_objectSheet.wallBound = true;
        g_objectSheet.gapLength = c.gap;
        g_objectSheet.wallLength = -1.0f;
        g_objectSheet.width = c.width;
        g_objectSheet.left = g_objectSheet.right = 0;
        EXPECT_EQ(ApplyWallDimensions(), 1);
        ASSERT_NE(window->GetPosDimension(), nullptr);
        EXPECT_DOUBLE_EQ(window->GetPosDimension()->GetValue(), c.position) << c.width;
        EXPECT_TRUE(window->GetPosDimension()->IsEnabled());
    }
}

TEST_F(ObjectSheetsTest, CornerCategoryOnlyAtAVertex)
{
    HeadlessDriver driver;
    ZupEdge* wall = FreeWall();
    ASSERT_NE(wall, nullptr);
    const point m = Middle(wall);
    const point corner = wall->GetStart()->GetPoint();
    for (const bool atCorner : {false, true}) {
        const point p = atCorner ? corner : m;
        lastObjectKind = SheetCategory::kCorner;
        bool offered = false;
        int category = -1;
        driver.OnDialog(kNewDoorPage, [&](CWnd* window, HeadlessDriver&) {
            CPropertySheet* sheet = Sheet(window);
            auto* list = dynamic_cast<CListBox*>(sheet->GetActivePage()->GetDlgItem(kCategories));
            ASSERT_NE(list, nullptr);
            for (int i = 0; i < list->GetCount(); ++i)
                offered = offered || list->GetItemData(i) == SheetCategory::kCorner;
            category = g_objectSheet.objectKind;
            sheet->PressButton(PSBTN_CANCEL);
        });
        // The sheet opens on the Object page for a remembered category.
        driver.OnDialog(kNewObjectPage, [&](CWnd* window, HeadlessDriver&) {
            CPropertySheet* sheet = Sheet(window);
            auto* list = dynamic_cast<CListBox*>(sheet->GetActivePage()->GetDlgItem(kCategories));
            ASSERT_NE(list, nullptr);
            for (int i = 0; i < list->GetCount(); ++i)
                offered = offered || list->GetItemData(i) == SheetCategory::kCorner;
            category = g_objectSheet.objectKind;
            sheet->PressButton(PSBTN_CANCEL);
        });
        document->NewWallObject(wall, p.x(), p.y());
        EXPECT_EQ(offered, atCorner);
        EXPECT_EQ(category, atCorner ? SheetCategory::kCorner : SheetCategory::kWindow);
    }
}

TEST_F(ObjectSheetsTest, DigitStripTypesIntoTheChosenRow)
{
    OnDimensionsPage([](CPropertySheet*, CDimensionsPage* page) {
        page->OnLeft();
        ASSERT_EQ(page->digitTarget, &g_objectSheet.left);
        g_objectSheet.left = 55;
        EXPECT_TRUE(page->OnDigitTap(226, 200));  // replaces: 9
        EXPECT_EQ(g_objectSheet.left, 9);
        EXPECT_TRUE(page->OnDigitTap(7, 200));  // appends 0
        EXPECT_EQ(g_objectSheet.left, 90);
        EXPECT_FALSE(page->OnDigitTap(100, 190));  // above the strip
        EXPECT_EQ(g_objectSheet.left, 90);
        EXPECT_TRUE(page->OnDigitTap(29, 191));  // second cell: 1
        EXPECT_EQ(g_objectSheet.left, 901);
    });
}

TEST_F(ObjectSheetsTest, ThirdFixedSideOnABoundWallIsRefused)
{
    OnDimensionsPage([](CPropertySheet* sheet, CDimensionsPage* page) {
        g_objectSheet.wallBound = true;
        page->widthCheck = 0;
        page->OnWidth();
        page->OnLeft();
        page->OnRight();
        EXPECT_EQ(page->widthCheck, 1);
        EXPECT_EQ(page->leftCheck, 1);
        EXPECT_EQ(page->rightCheck, 0);
        page->OnFullWall();
        ASSERT_EQ(page->fullWall, 1);
        ASSERT_TRUE(sheet->SetActivePage(0));
        // Leaving with Full Wall set takes the wall's thickness away.
        EXPECT_FLOAT_EQ(g_objectSheet.wallThickness, 0.0f);
        EXPECT_TRUE(g_objectSheet.Has(SheetFlags::kFullWall));
    });
}

// A door whose width is changed in its edit sheet stays centred where it
// was on its wall; a door whose side was fixed keeps that side.
TEST_F(ObjectSheetsTest, AWidthChangedInTheDoorSheetKeepsTheDoorsCentre)
{
    const struct {
        int width;
        bool fixLeft;
    } cases[] = {{48, false}, {20, false}, {48, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << (c.fixLeft ? " left fixed" : ""));
        document = std::make_unique<CReplDoc>();
        document->ResetLevel();
        DrawRectangle();
        HeadlessDriver driver;
        ZupEdge* wall = FreeWall();
        ASSERT_NE(wall, nullptr);
        const point m = Middle(wall);
        ZupFloor::DefaultOpeningWidth() = 32.0f;
        lastDoorKind = 1;
        lastObjectKind = -1;
        driver.OnDialog(kNewDoorPage, [&](CWnd* window, HeadlessDriver&) {
            Sheet(window)->PressButton(PSBTN_OK);
        });
        document->NewWallObject(wall, m.x(), m.y());
        point at = m;
        ZupOpening* door = Room()->GetOpening(at);
        ASSERT_NE(door, nullptr);
        // Distances along the wall from its start node.
        auto along = [wall](const point& p) {
            const point s = wall->GetStart()->GetPoint();
            return std::hypot(p.x() - s.x(), p.y() - s.y());
        };
        const double start = std::min(along(door->GetStart()->GetPoint()), along(door->GetEnd()->GetPoint()));
        const double centre = start + door->GetWidth() / 2.0;
        driver.OnDialog(kEditDoorPage, [&](CWnd* window, HeadlessDriver&) {
            CPropertySheet* sheet = Sheet(window);
            ASSERT_TRUE(sheet->SetActivePage(1));
            auto* page = dynamic_cast<CDimensionsPage*>(sheet->GetActivePage());
            ASSERT_NE(page, nullptr);
            if (!page->widthCheck)
                page->OnWidth();
            page->SetDlgItemInt(kWidth, static_cast<UINT>(c.width));
            if (c.fixLeft && !page->leftCheck)
                page->OnLeft();
            sheet->PressButton(PSBTN_OK);
        });
        document->EditDoor(door);
        const double a = along(door->GetStart()->GetPoint());
        const double b = along(door->GetEnd()->GetPoint());
        EXPECT_NEAR(std::abs(b - a), c.width, 0.5);
        if (c.fixLeft)
            EXPECT_TRUE(std::abs(std::min(a, b) - start) < 0.5 ||
                        std::abs(std::max(a, b) - (start + 32.0)) < 0.5)
                << "one side stays: " << a << ".." << b;
        else
            EXPECT_NEAR((a + b) / 2.0, centre, 0.5) << a << ".." << b;
    }
}

// The digit strip is bounded: below its cells a tap types nothing, and a
// digit that would take the value past the up-downs' largest is not taken.
TEST_F(ObjectSheetsTest, TheDigitStripIsBounded)
{
    OnDimensionsPage([](CPropertySheet*, CDimensionsPage* page) {
        page->OnLeft();
        ASSERT_EQ(page->digitTarget, &g_objectSheet.left);
        const int nine = 226;  // the cell of 9; 0 is at 7, 1 at 29
        const struct {
            int before;
            int x;
            int after;
        } cases[] = {{999, 7, 9990}, {1000, 7, 10000}, {1000, 29, 1000}, {10000, 7, 10000}, {2147483, nine, 2147483}};
        for (const auto& c : cases) {
            page->replace = false;
            g_objectSheet.left = c.before;
            EXPECT_TRUE(page->OnDigitTap(c.x, 200));
            EXPECT_EQ(g_objectSheet.left, c.after) << c.before;
        }
        g_objectSheet.left = 12;
        EXPECT_FALSE(page->OnDigitTap(100, CDimensionsPage::kStripBottom)) << "below the strip";
        EXPECT_EQ(g_objectSheet.left, 12);
    });
}
