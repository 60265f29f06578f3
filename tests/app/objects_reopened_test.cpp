// Objects come back as they were drawn: an island placed and turned through
// its dialog keeps its packed word through save and open.
#include <memory>
#include <string>

#include "c_slider_ctrl.h"
#include "headless_driver.h"
#include "island_dlg.h"
#include "level_fixture.h"
#include "messages.h"
#include "zup_opening.h"
#include "scaled_dc.h"
#include "zup_island.h"

namespace {

// The room's object lines that start with the given text.
std::string LinesOf(CRoomFloor& room, const std::string& start)
{
    std::string text, kept;
    room.GetObjectsString(&text);
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        end = end == std::string::npos ? text.size() : end + 1;
        if (text.compare(at, start.size(), start) == 0)
            kept += text.substr(at, end - at);
        at = end;
    }
    return kept;
}

class ObjectsReopenedTest : public LevelTest {
protected:
    void SetUp() override
    {
        LevelTest::SetUp();
    }

    // Without a view the dialogs map 1:1 with the model's y upwards.
    static CPoint ScreenOf(double x, double y)
    {
        CScaledDC dc(nullptr);
        dc.SetScale(1.0f);
        dc.SetOrigin(0, 0);
        POINT p{static_cast<int>(x), static_cast<int>(y)};
        dc.ToScreen(p);
        return CPoint(p.x, p.y);
    }

    // Hall1 (the rectangle with its entrance and a door Hall1A on its right
    // wall) and a second room entered through that door, shown in its room.
    void DrawTwoRooms()
    {
        DrawRectangle();
        Room()->ZupFloor::SetName("Hall1");
        ZupOpening* door = Room()->CreateOpening("Hall1A", 1, 200.0, 150.0);
        ASSERT_NE(door, nullptr);
        door->CreateWidthDimension();
        door->CreatePosDimension(nullptr, -1.0f);
        ASSERT_TRUE(document->CloseRoom());
        document->m_entrance = document->m_plan.GetOpening("Hall1A");
        ASSERT_NE(document->m_entrance, nullptr);
        document->NewRoom();
        ASSERT_TRUE(document->InsertShape(0, 0));
        document->PlaceEntrance(nullptr);
        ASSERT_TRUE(Room()->Resolve());
        document->m_roomView = true;
    }

    // The corner of the current room farthest from its entrance dragged by
    // (dx, dy) in the Door mode: its walls lean a few degrees.
    void Lean(int dx, int dy)
    {
        ASSERT_TRUE(document->SetEditMode(1));
        const point door = Room()->GetEntrance()->GetGeoCenter();
        point far = door;
        for (ZupEdge* e = Room()->Get1stEdge(); e; e = Room()->GetNextEdge())
            if (GeoDistance(e->GetStart()->GetPoint(), door) > GeoDistance(far, door))
                far = e->GetStart()->GetPoint();
        ASSERT_TRUE(PenDrag(far, point(far.x() + dx, far.y() + dy)));
        ASSERT_TRUE(document->SetEditMode(2));
    }

    // The level saved and opened into a fresh document, its plan shown.
    static std::unique_ptr<CReplDoc> Reopened(CReplDoc& level)
    {
        std::string text;
        level.BuildFileText(text);
        auto opened = std::make_unique<CReplDoc>();
        EXPECT_TRUE(opened->ParseFile(text.data(), static_cast<int>(text.size())));
        if (opened->m_roomView)
            opened->OnViewChange();
        return opened;
    }

    HeadlessDriver driver;
};

}  // namespace

// An island placed where a person taps in the second room of a level, sized
// and turned on its dialog's slider: the word its line carries is the same
// after save and open, and after a second save and open.
TEST_F(ObjectsReopenedTest, AnIslandComesBackWithItsWord)
{
    const struct {
        int leanX, leanY;  // the room's far corner dragged in the Door mode
        double dx, dy;     // from the second room's lower left corner
        int slider;
        const char* width;
        const char* depth;
    } cases[] = {{0, 0, 100.0, 150.0, 90, "50", "26"},   {0, 0, 150.0, 250.0, 90, "40", "30"},
                 {0, 0, 60.0, 240.0, 0, "60", "24"},     {0, 0, 140.0, 60.0, 180, "36", "36"},
                 {9, -7, 100.0, 150.0, 90, "50", "26"},  {-12, 6, 150.0, 250.0, 90, "48", "20"},
                 {5, 11, 60.0, 240.0, 0, "60", "24"},    {-8, -13, 140.0, 60.0, 180, "36", "36"},
                 {13, 4, 50.0, 50.0, 270, "48", "20"},   {-6, 9, 160.0, 230.0, 45, "30", "25"},
                 {7, 12, 40.0, 260.0, 300, "70", "28"},  {-14, -5, 155.0, 45.0, 135, "44", "22"},
                 {10, 10, 150.0, 60.0, 90, "50", "26"},  {-10, 10, 50.0, 250.0, 90, "50", "26"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.dx) + "," + std::to_string(c.dy) + " at " + std::to_string(c.slider));
        TearDown();
        SetUp();
        DrawTwoRooms();
        if (HasFatalFailure())
            return;
        CRoomFloor* second = document->GetRoom(1);
        if (c.leanX || c.leanY)
            Lean(c.leanX, c.leanY);
        second->CalculateExtents();
        const CPoint pen = ScreenOf(second->GetMinX() + c.dx, second->GetMinY() + c.dy);
        driver.OnDialog(CIslandDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
            auto* slider = dynamic_cast<CSliderCtrl*>(dialog->GetDlgItem(CPlacedObjectDlg::IDC_DIRECTION));
            slider->SetPos(c.slider);
            dialog->SendMessage(WM_HSCROLL, MAKELONG(TB_THUMBPOSITION, static_cast<WORD>(c.slider)),
                                reinterpret_cast<LPARAM>(slider->GetSafeHwnd()));
            dialog->SetDlgItemText(CIslandDlg::IDC_WIDTH, CString(c.width));
            dialog->SetDlgItemText(CIslandDlg::IDC_DEPTH, CString(c.depth));
            d.TapDlgItem(dialog, IDOK);
        });
        document->PlaceIsland(pen.x, pen.y);
        ASSERT_EQ(second->GetNumOfObjects(), 1);
        const std::string drawn = LinesOf(*second, "Obj==Island(");
        ASSERT_FALSE(drawn.empty());

        std::unique_ptr<CReplDoc> opened = Reopened(*document);
        ASSERT_EQ(opened->GetNumOfRooms(), 2);
        EXPECT_EQ(LinesOf(*opened->GetRoom(1), "Obj==Island("), drawn);
        std::unique_ptr<CReplDoc> twice = Reopened(*opened);
        ASSERT_EQ(twice->GetNumOfRooms(), 2);
        EXPECT_EQ(LinesOf(*twice->GetRoom(1), "Obj==Island("), drawn);
    }
}
