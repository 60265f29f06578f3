// A room closed into the plan and entered again as a person enters it (a
// tap on it in the plan, or the door that leads into it): lengths typed on
// the keypad, chosen from the value list and given by dragging a wall change
// it as they did before it was left, also once its level was saved and
// opened again or restored from the journal.
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "dimension_values.h"
#include "distances.h"
#include "kor_dimension.h"
#include "kor_node.h"
#include "measurement_steps.h"
#include "room_floor.h"
#include "room_steps.h"
#include "scaled_dc.h"
#include "shell_test_support.h"
#include "zup_edge.h"

namespace {

constexpr int kMeasuredWall = 1;  // the wall whose length each edit gives
constexpr int kDraggedWall = 2;   // it ends on the measured wall
constexpr const char* kDoor = "B7";  // the door from the first room into the later

class RoomReenteredTest : public ShellTest {
public:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(Start());
    }
    CRoomFloor* Room() const { return Doc()->GetCurrentRoom(); }

    // The palette's first shape placed as the person places it, one length
    // typed on it.
    void DrawRoom(const char* label, int length)
    {
        room_steps::PlaceShape(*Doc(), *driver, label);
        TypeLength(length);
        ASSERT_NEAR(MeasuredLength(), length, 0.5);
    }
    // A door on the wall opposite the entrance, the room closed and left
    // through it into a new room.
    void LeaveThroughNewDoor() { room_steps::LeaveThroughNewDoor(*Doc(), kDraggedWall, kDoor); }
    std::string RoomText(int index)
    {
        std::string text;
        if (CRoomFloor* room = Doc()->GetRoom(index))
            room->Save(text, false);
        return text;
    }
    // Every room as the writers before held lengths were told apart wrote
    // it: each length the close holds for the plan is given at its value.
    void GiveHeldLengths()
    {
        for (int i = 0; i < Doc()->GetNumOfRooms(); ++i) {
            CRoomFloor* room = Doc()->GetRoom(i);
            std::vector<KorDimension*> held;
            for (KorDimension* d : room->GetReferenceDimensions())
                if (room->IsHeldForPlan(d))
                    held.push_back(d);
            room->ReleaseDimensionsHeldForPlan();
            for (KorDimension* d : held)
                ASSERT_TRUE(FixDimensionHere(d));
        }
    }
    // A room's text split into its Value lines (the lengths it gives) and
    // the rest.
    static std::pair<std::vector<std::string>, std::string> SplitValues(const std::string& text)
    {
        std::vector<std::string> values;
        std::string rest;
        for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
            end = std::min(text.find('\n', at), text.size());
            const std::string line = text.substr(at, end - at);
            if (line.find("=Value(") != std::string::npos)
                values.push_back(line);
            else
                rest += line + "\n";
        }
        return {values, rest};
    }
    // The level saved from the plan, then read back: opened from its file,
    // or restored from the journal the open wrote. The room to enter
    // writes what it wrote before. A file as earlier versions wrote it
    // does not tell which of the lengths the plan held were given: the
    // room gives some of those it gave, and lets go of the rest.
    void Reopen(bool fromJournal, bool writtenBefore, int entered)
    {
        const std::string saved = RoomText(entered);
        if (writtenBefore) {
            ASSERT_NO_FATAL_FAILURE(GiveHeldLengths());
        }
        const CString path(L"My Documents\\Reentered1.fpl");
        ASSERT_TRUE(Doc()->SaveToFile(path));
        ASSERT_TRUE(Doc()->OpenFile(path));
        if (fromJournal) {
            ASSERT_TRUE(Doc()->m_journal.WriteAll());
            Doc()->RestoreFromJournal();
        }
        if (!writtenBefore) {
            EXPECT_EQ(RoomText(entered), saved);
        } else {
            const auto [values, rest] = SplitValues(RoomText(entered));
            const auto [savedValues, savedRest] = SplitValues(saved);
            EXPECT_EQ(rest, savedRest);
            for (const std::string& value : values)
                EXPECT_NE(std::find(savedValues.begin(), savedValues.end(), value), savedValues.end())
                    << value << " was not given";
        }
        if (Doc()->m_roomView)
            ToPlan();
    }
    // The plan shown (the command pad's View Change).
    void ToPlan()
    {
        Frame()->SendMessage(WM_COMMAND, 2152);
        driver->Pump();
        ASSERT_FALSE(Doc()->m_roomView);
    }
    // A point well inside the room, in the plan's units.
    static point Inside(CRoomFloor& room)
    {
        double x = 0, y = 0;
        int corners = 0;
        for (ZupEdge* wall = room.Get1stEdge(); wall; wall = room.GetNextEdge(), ++corners) {
            x += wall->GetStart()->GetPoint().x();
            y += wall->GetStart()->GetPoint().y();
        }
        return point(x / corners, y / corners);
    }
    // A quick tap of the pen in the view at a point of the plan.
    void TapInView(const point& at)
    {
        POINT p{static_cast<LONG>(std::lround(at.x())), static_cast<LONG>(std::lround(at.y()))};
        {
            CScaledDC dc(View());
            View()->PrepareMapping(dc);
            dc.ToScreen(p);
        }
        driver->PenDown(CPoint(p.x, p.y));
        driver->AdvanceTime(100);
        driver->PenUp(CPoint(p.x, p.y));
        driver->Pump();
    }
    ZupEdge* NthWall(int n) { return room_steps::NthWall(*Room(), n); }
    double MeasuredLength()
    {
        ZupEdge* wall = NthWall(kMeasuredWall);
        return GeoDistance(wall->GetStart()->GetPoint(), wall->GetEnd()->GetPoint());
    }
    // The measured wall's length selected in the Measurement mode, as a tap
    // on it selects it; its middle.
    point SelectMeasured()
    {
        EXPECT_TRUE(Doc()->SetEditMode(2));
        const point middle = NthWall(kMeasuredWall)->GetGeoCenter();
        const int index = Room()->FindReferenceDimensionAt(nullptr, middle.x(), middle.y());
        EXPECT_GE(index, 0);
        measurement_steps::Mode(*Doc())->SetSelection(index);
        return middle;
    }
    void TypeLength(int value)
    {
        const point middle = SelectMeasured();
        driver->OnDialog(CKeypadDlg::IDD, [value](CWnd* dialog, HeadlessDriver& d) {
            CWnd* edit = dialog->GetDlgItem(CKeypadDlg::IDC_VALUE);
            for (const char digit : std::to_string(value))
                edit->SendMessage(WM_CHAR, static_cast<WPARAM>(digit), 0);
            d.TapDlgItem(dialog, IDOK);
        });
        Doc()->OnDoubleTap(middle.x(), middle.y());
    }
    // The value list's entry `steps` below the measured value chosen.
    void ChooseListed(int steps)
    {
        SelectMeasured();
        measurement_steps::Mode(*Doc())->Refresh();
        CComboBox& list = *Frame()->GetComboBox();
        list.SetCurSel(list.GetCurSel() - steps);
        measurement_steps::Mode(*Doc())->OnComboSelect();
    }
    // The measured wall's length selected, the wall across its end dragged
    // away from the room in the Measurement mode.
    void DragWall(double by)
    {
        SelectMeasured();
        ZupEdge* wall = NthWall(kDraggedWall);
        ASSERT_NE(wall, nullptr);
        const point a = wall->GetStart()->GetPoint();
        const point b = wall->GetEnd()->GetPoint();
        const double length = GeoDistance(a, b);
        const point from(a.x() + (b.x() - a.x()) / 4, a.y() + (b.y() - a.y()) / 4);
        const double nx = (b.y() - a.y()) / length;
        const double ny = -(b.x() - a.x()) / length;
        ASSERT_TRUE(Doc()->OnPenDown(from.x(), from.y(), 6));
        for (int step = 1; step <= 4; ++step)
            Doc()->OnPenMove(from.x() + nx * by * step / 4, from.y() + ny * by * step / 4);
        Doc()->OnPenUp();
    }
};

struct Edit {
    const char* what;
    // The edit made on the room; the measured length it should give.
    double (*make)(RoomReenteredTest&, double before);
};

const Edit kEdits[] = {
    {"a length typed on the keypad",
     [](RoomReenteredTest& t, double) {
         t.TypeLength(251);
         return 251.0;
     }},
    {"a length chosen from the value list",
     [](RoomReenteredTest& t, double before) {
         t.ChooseListed(3);
         return std::round(before) - 3;
     }},
    {"a wall dragged", [](RoomReenteredTest& t, double before) {
         t.DragWall(18);
         return before + 18;
     }}};

struct WayBack {
    const char* what;
    bool laterRoom;  // the room entered through a door of the first
    bool throughView;
    bool leaves = true;
    bool throughDoor = false;  // from the first room, through the door into it
    // The level read back first; kOpenedEarlier from a file that gives the
    // lengths held for the plan, as files of earlier versions do.
    enum { kKept, kOpened, kRestored, kOpenedEarlier } reopened = kKept;
};

const WayBack kWaysBack[] = {
    {"the first room, never left (as it should be)", false, false, false},
    {"the first room, tapped in the plan through the document", false, false},
    {"the first room, tapped in the plan in the view", false, true},
    {"a later room, tapped in the plan in the view", true, true},
    {"a later room, entered through the door that leads into it", true, false, true, true},
    {"the first room of a level opened from its file, tapped in the plan", false, true, true, false,
     WayBack::kOpened},
    {"a later room of a level opened from its file, tapped in the plan", true, true, true, false,
     WayBack::kOpened},
    {"a later room of a level opened from its file, through the door", true, false, true, true,
     WayBack::kOpened},
    {"the first room of a level restored from the journal, tapped in the plan", false, false, true,
     false, WayBack::kRestored},
    {"a later room of a level restored from the journal, tapped in the plan", true, true, true,
     false, WayBack::kRestored},
    {"the first room of a level opened from an earlier version's file, tapped in the plan", false,
     true, true, false, WayBack::kOpenedEarlier},
    {"a later room of a level opened from an earlier version's file, tapped in the plan", true,
     true, true, false, WayBack::kOpenedEarlier},
    {"a later room of a level opened from an earlier version's file, through the door", true,
     false, true, true, WayBack::kOpenedEarlier},
};

}  // namespace

TEST_F(RoomReenteredTest, EditsChangeARoomEnteredAgainFromThePlan)
{
    for (const WayBack& way : kWaysBack) {
        for (const Edit& edit : kEdits) {
            SCOPED_TRACE(std::string(way.what) + ", " + edit.what);
            Doc()->ResetLevel();
            DrawRoom("Hall", 236);
            if (way.laterRoom) {
                LeaveThroughNewDoor();
                DrawRoom("Den", 260);
            }
            CRoomFloor* room = Room();
            if (way.leaves) {
                ToPlan();
                if (way.reopened != WayBack::kKept) {
                    ASSERT_NO_FATAL_FAILURE(Reopen(way.reopened == WayBack::kRestored,
                                                   way.reopened == WayBack::kOpenedEarlier,
                                                   way.laterRoom ? 1 : 0));
                    room = Doc()->GetRoom(way.laterRoom ? 1 : 0);
                    ASSERT_NE(room, nullptr);
                }
                CRoomFloor* hall = Doc()->GetRoom(0);
                const point inside = Inside(way.throughDoor ? *hall : *room);
                if (way.throughView) {
                    TapInView(inside);
                } else {
                    ASSERT_TRUE(Doc()->OnTap(inside.x(), inside.y()));
                }
                if (way.throughDoor) {
                    ASSERT_EQ(Room(), hall);
                    ZupOpening* door = hall->GetOpening(kDoor);
                    ASSERT_TRUE(Doc()->CloseRoom());
                    ASSERT_TRUE(Doc()->ExitThroughOpening(door));
                }
            }
            ASSERT_TRUE(Doc()->m_roomView);
            ASSERT_EQ(Room(), room);
            const double before = MeasuredLength();
            const double expected = edit.make(*this, before);
            EXPECT_NEAR(MeasuredLength(), expected, 0.5) << "before: " << before;
        }
    }
}
