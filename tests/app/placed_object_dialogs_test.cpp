// The placed-object dialogs (island, fireplace, column, spiral stair,
// camera), placing and editing objects through them, and the room-label
// dialog with its units.
#include <memory>
#include <string>

#include "level_fixture.h"
#include "c_list_box.h"
#include "c_slider_ctrl.h"
#include "camera_dlg.h"
#include "column_dlg.h"
#include "exchange_file.h"
#include "headless_driver.h"
#include "island_dlg.h"
#include "messages.h"
#include "new_room_dlg.h"
#include "repl_doc.h"
#include "repl_view.h"
#include "room_floor.h"
#include "room_label_dlg.h"
#include "scaled_dc.h"
#include "zup_camera.h"
#include "zup_column.h"
#include "zup_floor.h"
#include "zup_island.h"
#include "zup_object.h"
#include "zup_room_object.h"

void PrintTo(const CString& text, std::ostream* os) { *os << '"' << text.ToNarrow() << '"'; }

namespace {

CString TextOf(const CWnd* dialog, int id)
{
    CString text;
    dialog->GetDlgItemText(id, text);
    return text;
}

CSliderCtrl* Slider(const CWnd* dialog)
{
    return dynamic_cast<CSliderCtrl*>(dialog->GetDlgItem(CPlacedObjectDlg::IDC_DIRECTION));
}

// Moves the direction slider as the user would and tells the dialog.
void MoveSlider(CWnd* dialog, int position)
{
    CSliderCtrl* slider = Slider(dialog);
    slider->SetPos(position);
    dialog->SendMessage(WM_HSCROLL, MAKELONG(TB_THUMBPOSITION, static_cast<WORD>(position)),
                        reinterpret_cast<LPARAM>(slider->GetSafeHwnd()));
}

int TypeOf(ZupRoomObject* object) { return static_cast<ZupObject*>(object)->GetType(); }

// A level whose current room is the shipped 200 x 300 rectangle, edited.
class PlacedObjectTest : public LevelTest {
protected:
    void SetUp() override
    {
        LevelTest::SetUp();
        DrawRectangle(false);
        document->m_roomView = true;
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

    HeadlessDriver driver;
};

}  // namespace

// ---- The direction slider ----

TEST(PlacedObjectDirectionTest, SliderSnapsToTheMainDirections)
{
    const double snap = ZupFloor::GetDefaultAngularInputSnap().deg();
    EXPECT_NEAR(snap, 5.1, 1e-9);
    const struct {
        int position;
        int snapped;
    } cases[] = {{93, 90}, {84, 84}, {95, 90}, {96, 96}, {266, 270}, {176, 180},
                 {356, 360}, {4, 0},  {-5, 0},  {-6, -6}, {450, 450}};
    for (const auto& c : cases)
        EXPECT_EQ(CPlacedObjectDlg::SnapDirection(c.position, snap), c.snapped) << c.position;
}

TEST_F(PlacedObjectTest, SliderSpansAHalfTurnEachWayFromTheDirection)
{
    ZupCamera* camera = Room()->CreateCamera(100.0, 150.0);
    ASSERT_NE(camera, nullptr);
    angle start(-30.0);
    camera->SetDirection(start);
    int minimum = 0, maximum = 0, position = 0, line = 0;
    driver.OnDialog(CCameraDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        CSliderCtrl* slider = Slider(dialog);
        slider->GetRange(minimum, maximum);
        position = slider->GetPos();
        line = slider->GetLineSize();
        EXPECT_EQ(TextOf(dialog, CPlacedObjectDlg::IDC_DELETE), CString(L"Delete"));
        d.TapDlgItem(dialog, IDOK);
    });
    CCameraDlg dialog(nullptr, camera);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(minimum, 150);
    EXPECT_EQ(maximum, 510);
    EXPECT_EQ(position, 330);
    EXPECT_EQ(line, 3);
}

TEST_F(PlacedObjectTest, SliderTurnsTheCameraAndSnaps)
{
    ZupCamera* camera = Room()->CreateCamera(100.0, 150.0);
    ASSERT_NE(camera, nullptr);
    angle start(0.0);
    camera->SetDirection(start);
    double at93 = 0.0, at84 = 0.0;
    driver.OnDialog(CCameraDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        MoveSlider(dialog, 93);
        at93 = camera->GetDirection().deg();
        MoveSlider(dialog, 84);
        at84 = camera->GetDirection().deg();
        d.TapDlgItem(dialog, IDOK);
    });
    Room()->SetModified(false);
    CCameraDlg dialog(nullptr, camera);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_DOUBLE_EQ(at93, 90.0);
    EXPECT_NEAR(at84, 84.0, 1e-9);
    EXPECT_TRUE(Room()->IsModified());
}

// ---- Placing new objects ----

TEST_F(PlacedObjectTest, CancelOnANewObjectsDialogDeletesTheObject)
{
    const int nodes = Room()->GetNumOfNodes();
    const CPoint pen = ScreenOf(100.0, 150.0);
    const struct {
        UINT dialog;
        void (CReplDoc::*place)(int, int);
    } cases[] = {{CIslandDlg::IDD, &CReplDoc::PlaceIsland},
                 {CIslandDlg::IDD, &CReplDoc::PlaceFireplace},
                 {CColumnDlg::IDD, &CReplDoc::PlaceColumn},
                 {CSpiralStairDlg::IDD, &CReplDoc::PlaceSpiralStair},
                 {CCameraDlg::IDD, &CReplDoc::PlaceCamera}};
    for (const auto& c : cases) {
        int objectsWhileOpen = 0;
        driver.OnDialog(c.dialog, [&](CWnd* dialog, HeadlessDriver& d) {
            objectsWhileOpen = Room()->GetNumOfObjects();
            EXPECT_EQ(TextOf(dialog, CPlacedObjectDlg::IDC_DELETE), CString(L"Cancel"));
            d.TapDlgItem(dialog, CPlacedObjectDlg::IDC_DELETE);
        });
        (document.get()->*c.place)(pen.x, pen.y);
        EXPECT_EQ(objectsWhileOpen, 1) << c.dialog;
        EXPECT_EQ(Room()->GetNumOfObjects(), 0) << c.dialog;
        EXPECT_EQ(Room()->GetNumOfNodes(), nodes) << c.dialog;
    }
    // A dialog closed without any answer drops its object as well.
    document->PlaceColumn(pen.x, pen.y);
    EXPECT_EQ(Room()->GetNumOfObjects(), 0);
    EXPECT_EQ(Room()->GetNumOfNodes(), nodes);
}

TEST_F(PlacedObjectTest, OkKeepsANewIslandWithWhatWasEntered)
{
    const CPoint pen = ScreenOf(100.0, 150.0);
    driver.OnDialog(CIslandDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        EXPECT_EQ(TextOf(dialog, CIslandDlg::IDC_WIDTH), CString(L"50"));
        EXPECT_EQ(TextOf(dialog, CIslandDlg::IDC_DEPTH), CString(L"26"));
        auto* kinds = dynamic_cast<CListBox*>(dialog->GetDlgItem(CIslandDlg::IDC_KINDS));
        EXPECT_TRUE(kinds->IsWindowEnabled());
        ASSERT_EQ(kinds->GetCount(), 4);
        EXPECT_EQ(kinds->GetCurSel(), 0);
        CString last;
        kinds->GetText(3, last);
        EXPECT_EQ(last, CString(L"Stove"));
        kinds->SetCurSel(3);
        dialog->SetDlgItemText(CIslandDlg::IDC_WIDTH, L"40");
        dialog->SetDlgItemText(CIslandDlg::IDC_DEPTH, L"1200");
        d.TapDlgItem(dialog, IDOK);
    });
    document->PlaceIsland(pen.x, pen.y);
    ASSERT_EQ(Room()->GetNumOfObjects(), 1);
    auto* island = dynamic_cast<ZupIsland*>(Room()->GetRoomObject(0));
    ASSERT_NE(island, nullptr);
    EXPECT_FLOAT_EQ(island->GetWidth(), 40.0f);
    // Typed values beyond the up-down range are kept as typed.
    EXPECT_EQ(island->GetDepth(), 1200);
    EXPECT_EQ(TypeOf(island), 3);
}

TEST_F(PlacedObjectTest, FireplaceOffersItsFacesUnderItsOwnCaption)
{
    const CPoint pen = ScreenOf(100.0, 150.0);
    driver.OnDialog(CIslandDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        CString caption;
        dialog->GetWindowText(caption);
        EXPECT_EQ(caption, CString(L"Fireplace"));
        auto* kinds = dynamic_cast<CListBox*>(dialog->GetDlgItem(CIslandDlg::IDC_KINDS));
        ASSERT_EQ(kinds->GetCount(), 2);
        CString second;
        kinds->GetText(1, second);
        EXPECT_EQ(second, CString(L"Double face"));
        kinds->SetCurSel(1);
        d.TapDlgItem(dialog, IDOK);
    });
    document->PlaceFireplace(pen.x, pen.y);
    ASSERT_EQ(Room()->GetNumOfObjects(), 1);
    ZupRoomObject* fireplace = Room()->GetRoomObject(0);
    EXPECT_EQ(fireplace->GetObjectType(), ZUP_OBJ_FIREPLACE);
    EXPECT_EQ(TypeOf(fireplace), 1);
}

TEST_F(PlacedObjectTest, ColumnSwitchesBetweenRoundAndSquare)
{
    const CPoint pen = ScreenOf(100.0, 150.0);
    driver.OnDialog(CColumnDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        auto* column = static_cast<CDialog*>(dialog);
        EXPECT_EQ(column->IsDlgButtonChecked(CColumnDlg::IDC_ROUND), 1u);
        EXPECT_EQ(column->IsDlgButtonChecked(CColumnDlg::IDC_SQUARE), 0u);
        EXPECT_EQ(TextOf(dialog, CColumnDlg::IDC_SIZE_LABEL), CString(L"Diameter:"));
        EXPECT_EQ(TextOf(dialog, CColumnDlg::IDC_SIZE), CString(L"25"));
        dialog->SetDlgItemText(CColumnDlg::IDC_SIZE, L"18");
        d.TapDlgItem(dialog, CColumnDlg::IDC_SQUARE);
        EXPECT_EQ(TextOf(dialog, CColumnDlg::IDC_SIZE_LABEL), CString(L"Size:"));
        EXPECT_EQ(column->IsDlgButtonChecked(CColumnDlg::IDC_ROUND), 0u);
        EXPECT_EQ(TextOf(dialog, CColumnDlg::IDC_SIZE), CString(L"18"));
        d.TapDlgItem(dialog, IDOK);
    });
    document->PlaceColumn(pen.x, pen.y);
    ASSERT_EQ(Room()->GetNumOfObjects(), 1);
    ZupRoomObject* column = Room()->GetRoomObject(0);
    EXPECT_EQ(column->GetDepth(), 18);
    EXPECT_EQ(TypeOf(column), 1);

    // Opened again it shows the square column and turns it round.
    driver.OnDialog(CColumnDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        EXPECT_EQ(TextOf(dialog, CColumnDlg::IDC_SIZE_LABEL), CString(L"Size:"));
        d.TapDlgItem(dialog, CColumnDlg::IDC_ROUND);
        EXPECT_EQ(TextOf(dialog, CColumnDlg::IDC_SIZE_LABEL), CString(L"Diameter:"));
        d.TapDlgItem(dialog, IDOK);
    });
    document->EditRoomObject(column);
    EXPECT_EQ(TypeOf(column), 0);
}

// ---- Editing existing objects ----

TEST_F(PlacedObjectTest, DeleteRemovesAnExistingObjectOtherEndsKeepIt)
{
    ZupIsland* island = Room()->CreateIsland(100.0, 150.0);
    ASSERT_NE(island, nullptr);
    island->SetWidth(44);
    island->SetDepth(22);
    island->SetType(2);
    const int nodes = Room()->GetNumOfNodes();
    document->m_selectedRoomObject = island;

    driver.OnDialog(CIslandDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        EXPECT_EQ(TextOf(dialog, CPlacedObjectDlg::IDC_DELETE), CString(L"Delete"));
        EXPECT_EQ(TextOf(dialog, CIslandDlg::IDC_WIDTH), CString(L"44"));
        EXPECT_EQ(TextOf(dialog, CIslandDlg::IDC_DEPTH), CString(L"22"));
        auto* kinds = dynamic_cast<CListBox*>(dialog->GetDlgItem(CIslandDlg::IDC_KINDS));
        EXPECT_EQ(kinds->GetCurSel(), 2);
        d.Key(VK_ESCAPE);
    });
    document->EditRoomObject(island);
    EXPECT_EQ(Room()->GetNumOfObjects(), 1) << "Escape is no Delete";

    driver.OnDialog(CIslandDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        d.TapDlgItem(dialog, CPlacedObjectDlg::IDC_DELETE);
    });
    document->EditRoomObject(island);
    EXPECT_EQ(Room()->GetNumOfObjects(), 0);
    EXPECT_EQ(Room()->GetNumOfNodes(), nodes - 1);
    EXPECT_EQ(document->m_selectedRoomObject, nullptr);
}

TEST_F(PlacedObjectTest, EditingPicksTheDialogByTheObjectsType)
{
    ZupRoomObject* stair = Room()->CreateSpiralStair(60.0, 60.0);
    ZupRoomObject* camera = Room()->CreateCamera(140.0, 200.0);
    ASSERT_NE(stair, nullptr);
    ASSERT_NE(camera, nullptr);
    stair->SetDepth(70);
    driver.OnDialog(CSpiralStairDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        EXPECT_EQ(TextOf(dialog, CColumnDlg::IDC_SIZE_LABEL), CString(L"Diameter:"));
        EXPECT_EQ(TextOf(dialog, CSpiralStairDlg::IDC_SIZE), CString(L"70"));
        dialog->SetDlgItemText(CSpiralStairDlg::IDC_SIZE, L"80");
        d.TapDlgItem(dialog, IDOK);
    });
    driver.OnDialog(CCameraDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        MoveSlider(dialog, Slider(dialog)->GetRangeMin());
        d.TapDlgItem(dialog, IDOK);
    });
    document->EditRoomObject(stair);
    document->EditRoomObject(camera);
    const std::vector<UINT> expected{CSpiralStairDlg::IDD, CCameraDlg::IDD};
    EXPECT_EQ(driver.ShownDialogs(), expected);
    EXPECT_EQ(stair->GetDepth(), 80);
    EXPECT_EQ(Room()->GetNumOfObjects(), 2);
}

TEST_F(PlacedObjectTest, APlanCameraGoesIntoTheFirstRoomAndFollowsTheDialog)
{
    document->m_roomView = false;
    CRoomFloor* first = document->GetRoom(0);
    ASSERT_NE(first, nullptr);
    const CPoint pen = ScreenOf(100.0, 150.0);

    driver.OnDialog(CCameraDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        EXPECT_EQ(TextOf(dialog, CPlacedObjectDlg::IDC_DELETE), CString(L"Delete"));
        MoveSlider(dialog, 178);
        d.TapDlgItem(dialog, IDOK);
    });
    document->PlaceCamera(pen.x, pen.y);
    ASSERT_EQ(first->GetNumOfObjects(), 1);
    ASSERT_EQ(document->m_plan.GetNumOfObjects(), 1);
    auto* roomCamera = dynamic_cast<ZupCamera*>(first->GetRoomObject(0));
    auto* planCamera = dynamic_cast<ZupCamera*>(document->m_plan.GetRoomObject(0));
    ASSERT_NE(roomCamera, nullptr);
    ASSERT_NE(planCamera, nullptr);
    EXPECT_EQ(planCamera->GetName(), roomCamera->GetName());
    EXPECT_DOUBLE_EQ(roomCamera->GetDirection().deg(), 180.0);
    EXPECT_TRUE(document->m_showObjects);

    // A second one that is not confirmed leaves neither half behind.
    driver.OnDialog(CCameraDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        d.TapDlgItem(dialog, CPlacedObjectDlg::IDC_DELETE);
    });
    document->PlaceCamera(pen.x, pen.y);
    EXPECT_EQ(first->GetNumOfObjects(), 1);
    EXPECT_EQ(document->m_plan.GetNumOfObjects(), 1);
}

// ---- Where the dialog opens ----

class PlacedObjectPositionTest : public PlacedObjectTest {
protected:
    void SetUp() override
    {
        PlacedObjectTest::SetUp();
        view = new CReplView();
        view->SetDocument(document.get());
        document->AddView(view);
        ASSERT_TRUE(view->Create(nullptr, L"", WS_POPUP | WS_VISIBLE, kViewRect, nullptr, 0));
    }
    void TearDown() override
    {
        if (view && view->GetSafeHwnd())
            view->DestroyWindow();
        PlacedObjectTest::TearDown();
    }

    // Where the dialog of a new object at the pen point opens (camera 200 x
    // 70, column 148 x 90), and whether all of it lies on the screen.
    template <typename Dialog>
    CRect OpenedAt(CPoint pen)
    {
        CRect opened;
        driver.OnDialog(Dialog::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
            dialog->GetWindowRect(&opened);
            d.TapDlgItem(dialog, CPlacedObjectDlg::IDC_DELETE);
        });
        Dialog dialog(view, Room(), pen);
        dialog.DoModal();
        return opened;
    }

    static inline const CRect kViewRect{0, 26, 240, 294};
    CReplView* view = nullptr;
};

TEST_F(PlacedObjectPositionTest, OpensBesideThePointOrAtTheParentsEdge)
{
    // The view is 240 x 268: 70 % is 168 across and 187.6 down, and the
    // dialog drops 15 % of the height (40) below the point. A dialog that
    // would run off the screen is moved back onto it.
    const struct {
        CPoint pen;
        CPoint column;
        CPoint camera;
    } cases[] = {{{50, 40}, {50, 26 + 40 + 40}, {40, 26 + 40 + 40}},
                 {{60, 100}, {60, 26 + 100 + 40}, {40, 26 + 100 + 40}},
                 {{167, 187}, {240 - 148, 320 - 90}, {240 - 200, 320 - 70}},
                 {{168, 188}, {0, 26}, {0, 26}},
                 {{200, 40}, {0, 26 + 40 + 40}, {0, 26 + 40 + 40}},
                 {{50, 200}, {50, 26}, {40, 26}}};
    const CRect screen(0, 0, kScreenWidth, kScreenHeight);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pen.x << "," << c.pen.y);
        const CRect column = OpenedAt<CColumnDlg>(c.pen);
        EXPECT_EQ(column.TopLeft(), c.column);
        const CRect camera = OpenedAt<CCameraDlg>(c.pen);
        EXPECT_EQ(camera.TopLeft(), c.camera);
        for (const CRect& opened : {column, camera})
            EXPECT_EQ(opened & screen, opened) << "the whole dialog is on the screen";
    }
}

// Every placed-object dialog opened at the pen near the right and bottom
// edges shows its buttons whole.
TEST_F(PlacedObjectPositionTest, EveryPlacedObjectDialogLiesInsideTheScreen)
{
    const CRect screen(0, 0, kScreenWidth, kScreenHeight);
    for (const CPoint pen : {CPoint(160, 180), CPoint(120, 150), CPoint(230, 260), CPoint(5, 5)}) {
        SCOPED_TRACE(testing::Message() << pen.x << "," << pen.y);
        for (const CRect& opened : {OpenedAt<CIslandDlg>(pen), OpenedAt<CColumnDlg>(pen),
                                    OpenedAt<CCameraDlg>(pen), OpenedAt<CSpiralStairDlg>(pen)}) {
            ASSERT_FALSE(opened.IsRectEmpty());
            EXPECT_EQ(opened & screen, opened);
            EXPECT_GE(opened.top, kCaptionHeight) << "below the title bar";
        }
    }
}

// ---- Room label ----

class RoomLabelDialogTest : public AppTest {
protected:
    HeadlessDriver driver;
};

TEST_F(RoomLabelDialogTest, UnitsSwitchBetweenInchesAndFeet)
{
    CString shownInInches;
    CString shownInFeet;
    driver.OnDialog(CRoomLabelDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        d.TapDlgItem(dialog, CRoomLabelDlg::IDC_BIG_UNITS);
        dialog->SetDlgItemText(CRoomLabelDlg::IDC_WIDTH, L"10");
        dialog->SetDlgItemText(CRoomLabelDlg::IDC_DEPTH, L"13");
        d.TapDlgItem(dialog, CRoomLabelDlg::IDC_SMALL_UNITS);
        shownInInches = TextOf(dialog, CRoomLabelDlg::IDC_WIDTH);
        d.TapDlgItem(dialog, CRoomLabelDlg::IDC_BIG_UNITS);
        shownInFeet = TextOf(dialog, CRoomLabelDlg::IDC_WIDTH);
        d.TapDlgItem(dialog, CRoomLabelDlg::IDC_SMALL_UNITS);
        dialog->SetDlgItemText(CRoomLabelDlg::IDC_WIDTH, L"13");
        d.TapDlgItem(dialog, CRoomLabelDlg::IDC_BIG_UNITS);
        EXPECT_EQ(TextOf(dialog, CRoomLabelDlg::IDC_WIDTH), CString(L"1"));
        d.TapDlgItem(dialog, IDCANCEL);
    });
    CRoomLabelDlg dialog(CString(L""), 0, 0);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(shownInInches, CString(L"120"));
    EXPECT_EQ(shownInFeet, CString(L"10"));
}

TEST_F(RoomLabelDialogTest, OkAlwaysGivesSmallUnits)
{
    const struct {
        bool metric;
        const wchar_t* small;
        const wchar_t* big;
        int returned;
    } cases[] = {{false, L"in.", L"ft.", 120}, {true, L"sm", L"m", 1000}};
    for (const auto& c : cases) {
        ZupObject::SetMetric(c.metric);
        driver.OnDialog(CRoomLabelDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
            EXPECT_EQ(TextOf(dialog, CRoomLabelDlg::IDC_SMALL_UNITS), CString(c.small));
            EXPECT_EQ(TextOf(dialog, CRoomLabelDlg::IDC_BIG_UNITS), CString(c.big));
            d.TapDlgItem(dialog, CRoomLabelDlg::IDC_BIG_UNITS);
            dialog->SetDlgItemText(CRoomLabelDlg::IDC_WIDTH, L"10");
            dialog->SetDlgItemText(CRoomLabelDlg::IDC_DEPTH, L"2");
            d.TapDlgItem(dialog, IDOK);
        });
        CRoomLabelDlg dialog(CString(L"Den"), 0, 0);
        ASSERT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(dialog.m_width, c.returned) << c.metric;
        EXPECT_EQ(dialog.m_depth, c.returned / 5) << c.metric;
        EXPECT_EQ(dialog.m_label, CString(L"Den"));
    }
}

TEST_F(RoomLabelDialogTest, ASizeGivenBackOpensUnchanged)
{
    driver.OnDialog(CRoomLabelDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        EXPECT_EQ(TextOf(dialog, CRoomLabelDlg::IDC_WIDTH), CString(L"120"));
        EXPECT_EQ(TextOf(dialog, CRoomLabelDlg::IDC_DEPTH), CString(L"150"));
        d.TapDlgItem(dialog, IDOK);
    });
    CRoomLabelDlg dialog(CString(L"Den"), 120, 150);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_width, 120);
    EXPECT_EQ(dialog.m_depth, 150);
}

TEST_F(RoomLabelDialogTest, ClearIsOfferedOnlyForALabel)
{
    driver.OnDialog(CRoomLabelDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        CWnd* clear = dialog->GetDlgItem(CRoomLabelDlg::IDC_CLEAR);
        EXPECT_FALSE(clear->IsWindowEnabled());
        EXPECT_EQ(CWnd::GetFocus(), dialog->GetDlgItem(CRoomLabelDlg::IDC_LABEL));
        dialog->SetDlgItemText(CRoomLabelDlg::IDC_LABEL, L"Den");
        EXPECT_TRUE(clear->IsWindowEnabled());
        d.TapDlgItem(dialog, CRoomLabelDlg::IDC_CLEAR);
        EXPECT_EQ(TextOf(dialog, CRoomLabelDlg::IDC_LABEL), CString(L""));
        EXPECT_FALSE(clear->IsWindowEnabled());
        d.TapDlgItem(dialog, IDOK);
    });
    CRoomLabelDlg dialog(CString(L""), 0, 0);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(dialog.m_label.IsEmpty());
}

TEST_F(RoomLabelDialogTest, NewRoomsLabelButtonTakesTheLabelAndCloses)
{
    ASSERT_TRUE(
        ParseExchangeData(kDefaultExchangeFile, static_cast<int>(kDefaultExchangeFileSize)));
    driver.OnDialog(CNewRoomDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        d.TapDlgItem(dialog, CNewRoomDlg::IDC_LABEL);
    });
    driver.OnDialog(CRoomLabelDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        EXPECT_EQ(TextOf(dialog, CRoomLabelDlg::IDC_WIDTH), CString(L"24"));
        dialog->SetDlgItemText(CRoomLabelDlg::IDC_LABEL, L"Studio");
        d.TapDlgItem(dialog, CRoomLabelDlg::IDC_BIG_UNITS);
        dialog->SetDlgItemText(CRoomLabelDlg::IDC_DEPTH, L"3");
        d.TapDlgItem(dialog, IDOK);
    });
    CNewRoomDlg dialog("Hall1", true, false, false, nullptr, 24, 36);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_label, CString(L"Studio"));
    EXPECT_EQ(dialog.m_labelWidth, 24);
    EXPECT_EQ(dialog.m_labelDepth, 36);
}
