// A room text may delete a dimension by name (a foreign or damaged file):
// whatever on the floor pointed at it forgets it, so the room stays whole
// and its objects can still be edited.
#include <functional>
#include <memory>
#include <string>

#include "level_fixture.h"
#include "c_property_sheet.h"
#include "dimensions_page.h"
#include "door_pages.h"
#include "headless_driver.h"
#include "kor_dimension.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "object_sheet_state.h"
#include "object_sheet_templates.h"
#include "zup_opening.h"

namespace {

using namespace ObjectSheetIds;

class DeletedDimensionTest : public LevelTest {
protected:
    // A door in the middle of the room's first free wall, with its width and
    // position given.
    ZupOpening* AddDoor()
    {
        ZupEdge* wall = FreeWall();
        if (!wall)
            return nullptr;
        const point a = wall->GetStart()->GetPoint();
        const point b = wall->GetEnd()->GetPoint();
        ZupOpening* door = Room()->CreateOpening("B", 1, (a.x() + b.x()) / 2, (a.y() + b.y()) / 2);
        if (!door)
            return nullptr;
        door->CreateWidthDimension();
        door->CreatePosDimension(nullptr, -1.0f);
        wall->ModifyLengthDim(-1.0f);
        return door;
    }

    std::string NameOf(KorDimension* d)
    {
        const char* name = d ? Room()->GetNamesManager().GetName(Room()->GetHandle(d)) : nullptr;
        return name ? name : "";
    }
};

}  // namespace

TEST_F(DeletedDimensionTest, ADimensionDeletedByTheRoomsTextIsForgottenByTheFloor)
{
    const struct {
        const char* what;
        std::function<KorDimension*(ZupOpening*)> dimension;
    } cases[] = {
        {"the door's width", [](ZupOpening* d) { return d->GetWidthDimension(); }},
        {"the door's position", [](ZupOpening* d) { return d->GetPosDimension(); }},
        {"its wall's length", [](ZupOpening* d) { return d->GetEdge()->GetLengthDim(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        document = std::make_unique<CReplDoc>();
        document->ResetLevel();
        DrawRectangle();
        ZupOpening* door = AddDoor();
        ASSERT_NE(door, nullptr);
        const std::string name = NameOf(c.dimension(door));
        ASSERT_FALSE(name.empty());
        std::string text;
        Room()->Save(text, false);

        document = std::make_unique<CReplDoc>();
        document->ResetLevel();
        ASSERT_TRUE(Room()->PlaySavedText(text + "Delete(" + name + ")\n"));
        door = Room()->GetOpening("B");
        ASSERT_NE(door, nullptr);
        EXPECT_NE(NameOf(door->GetWidthDimension()), name);
        EXPECT_NE(NameOf(door->GetPosDimension()), name);
        for (ZupEdge* e = Room()->Get1stEdge(); e; e = Room()->GetNextEdge())
            EXPECT_NE(NameOf(e->GetLengthDim()), name);

        // The door is edited as any other: its width given anew.
        HeadlessDriver driver;
        driver.OnDialog(kEditDoorPage, [&](CWnd* window, HeadlessDriver&) {
            auto* sheet = dynamic_cast<CPropertySheet*>(window);
            ASSERT_TRUE(sheet->SetActivePage(1));
            auto* page = dynamic_cast<CDimensionsPage*>(sheet->GetActivePage());
            ASSERT_NE(page, nullptr);
            if (!page->widthCheck)
                page->OnWidth();
            page->SetDlgItemInt(kWidth, 40);
            sheet->PressButton(PSBTN_OK);
        });
        document->EditDoor(door);
        EXPECT_EQ(g_objectSheet.applied, 1);
        EXPECT_NEAR(door->GetWidth(), 40.0, 0.01);
        std::string again;
        Room()->Save(again, false);
        EXPECT_EQ(again.find("Delete("), std::string::npos);
    }
}
