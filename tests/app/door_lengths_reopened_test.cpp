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
    // A door on the n-th wall with the dimensions the New Wall Object
    // sheet's apply step gives it: a width, one position from the wall's
    // start, the wall's length moved to run on from the door's far end.
    void SheetDoor(int n) { ASSERT_NE(room_steps::PlaceDoor(*Room(), n, "B7"), nullptr); }
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
