// A room whose door was placed as the program places one (a width, a
// position from one end of its wall, and the wall's length moved to run on
// from the door's far end, so no corner or door end is left loose): the
// lengths typed on the room come back with their values when its level is
// saved and opened again.
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "kor_dimension.h"
#include "measurement_steps.h"
#include "room_floor.h"
#include "room_steps.h"
#include "shell_test_support.h"
#include "zup_edge.h"
#include "zup_opening.h"

namespace {

class DoorLengthsReopenedTest : public ShellTest {
public:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(Start());
    }
    CRoomFloor* Room() const { return Doc()->GetCurrentRoom(); }
    // Each wall's given length, by wall, as "value" or "" when not given.
    static std::vector<std::string> GivenLengths(CRoomFloor& room)
    {
        std::vector<std::string> lengths;
        for (ZupEdge* wall = room.Get1stEdge(); wall; wall = room.GetNextEdge()) {
            KorDimension* d = room.GetDimension(wall->GetStart(), wall->GetEnd(), false);
            lengths.push_back(d && d->IsEnabled() ? d->GetValueString() : std::string());
        }
        return lengths;
    }
    // The room's text's Value lines: the lengths it gives (those held only
    // for the plan are not written).
    static std::vector<std::string> WrittenValues(CRoomFloor& room)
    {
        std::string text;
        room.Save(text, false);
        std::vector<std::string> values;
        for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
            end = std::min(text.find('\n', at), text.size());
            const std::string line = text.substr(at, end - at);
            if (line.find("=Value(") != std::string::npos)
                values.push_back(line);
        }
        return values;
    }
    // A door on the n-th wall with the dimensions the New Wall Object
    // sheet's apply step gives it: a width, one position from the wall's
    // start, the wall's length moved to run on from the door's far end.
    void SheetDoor(int n) { ASSERT_NE(room_steps::PlaceDoor(*Room(), n, "B7"), nullptr); }
    // A door as a damaged or foreign file may hold it: a width and a
    // position, the wall's length still across the whole wall, so the
    // door's far end is under its width alone.
    void LooseDoor(int n)
    {
        ZupEdge* wall = room_steps::NthWall(*Room(), n);
        ASSERT_NE(wall, nullptr);
        const point a = wall->GetStart()->GetPoint();
        const point b = wall->GetEnd()->GetPoint();
        ZupOpening* door = Room()->CreateOpening("B7", 1, (a.x() + 3 * b.x()) / 4, (a.y() + 3 * b.y()) / 4);
        ASSERT_NE(door, nullptr);
        door->CreateWidthDimension();
        door->CreatePosDimension(nullptr, -1.0f);
    }
    void Run(void (*place)(DoorLengthsReopenedTest&))
    {
        room_steps::PlaceShape(*Doc(), *driver, "Hall");
        measurement_steps::TypeLength(*Doc(), *driver, 1, 236);
        place(*this);
        CRoomFloor* room = Room();
        ASSERT_TRUE(Doc()->CloseRoom());
        const std::vector<std::string> given = GivenLengths(*room);
        ASSERT_NE(std::count_if(given.begin(), given.end(),
                                [](const std::string& v) { return v.find("236") != std::string::npos; }),
                  0)
            << "the typed length is given before the save";
        const CString path(L"My Documents\\DoorLengths1.fpl");
        ASSERT_TRUE(Doc()->SaveToFile(path));
        ASSERT_TRUE(Doc()->OpenFile(path));
        ASSERT_NE(Doc()->GetRoom(0), nullptr);
        EXPECT_EQ(GivenLengths(*Doc()->GetRoom(0)), given);
    }
};

// The hall drawn, one length typed, the door placed, the room closed into
// the plan; the level saved and opened again.
TEST_F(DoorLengthsReopenedTest, AfterTheNewWallObjectSheetsDoor)
{
    Run([](DoorLengthsReopenedTest& t) { t.SheetDoor(2); });
}

TEST_F(DoorLengthsReopenedTest, AfterFullWallDoors)
{
    Run([](DoorLengthsReopenedTest& t) { t.Room()->FillWalls(1); });
}

// Read back, such a room has its dimensions made again under new names:
// the length typed on it is given again all the same (the lengths the plan
// holds may be others, as the dimensions are).
TEST_F(DoorLengthsReopenedTest, AfterADoorWhoseFarEndIsLoose)
{
    room_steps::PlaceShape(*Doc(), *driver, "Hall");
    measurement_steps::TypeLength(*Doc(), *driver, 1, 236);
    LooseDoor(2);
    CRoomFloor* room = Room();
    ASSERT_TRUE(Doc()->CloseRoom());
    const std::vector<std::string> written = WrittenValues(*room);
    ASSERT_EQ(written, std::vector<std::string>{"D2=Value(236.00)"});
    const CString path(L"My Documents\\DoorLengths1.fpl");
    ASSERT_TRUE(Doc()->SaveToFile(path));
    ASSERT_TRUE(Doc()->OpenFile(path));
    CRoomFloor* reopened = Doc()->GetRoom(0);
    ASSERT_NE(reopened, nullptr);
    const std::vector<std::string> values = WrittenValues(*reopened);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_NE(values[0].find("=Value(236.00)"), std::string::npos) << values[0];
    // On the same wall.
    KorDimension* d = reopened->GetDimension(room_steps::NthWall(*reopened, 1)->GetStart(),
                                             room_steps::NthWall(*reopened, 1)->GetEnd(), false);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->IsEnabled() && !reopened->IsHeldForPlan(d));
}

// The door the tests leave a room through is placed as the program places
// one: the wall's length runs on from the door's far end.
TEST_F(DoorLengthsReopenedTest, TheTestStepsDoorIsPlacedAsTheProgramPlacesOne)
{
    room_steps::PlaceShape(*Doc(), *driver, "Hall");
    CRoomFloor* hall = Room();
    room_steps::LeaveThroughNewDoor(*Doc(), 2, "B7");
    ZupOpening* door = hall->GetOpening("B7");
    ASSERT_NE(door, nullptr);
    ZupEdge* wall = door->GetEdge();
    ASSERT_NE(wall, nullptr);
    KorDimension* length = wall->GetLengthDim();
    ASSERT_NE(length, nullptr);
    KorEntity* a = nullptr;
    KorEntity* b = nullptr;
    KorEntity* c = nullptr;
    length->GetEntities(a, b, c);
    const std::set<KorEntity*> ends{a, b};
    EXPECT_EQ(ends, (std::set<KorEntity*>{door->GetEnd(), wall->GetEnd()}));
}

}  // namespace
