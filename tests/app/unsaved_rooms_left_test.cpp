// Unsaved work in a room the person left earlier: once the journal took its
// snapshot of the edit (which clears the room's own mark) and another room
// or the plan is shown, Exit and New still ask before the work goes.
#include <string>

#include "measurement_steps.h"
#include "room_floor.h"
#include "room_steps.h"
#include "running_journal_shell.h"

namespace {

constexpr const wchar_t* kSaveQuestion = L"Do you want to save 1 Anystreet, Main?";

class UnsavedRoomsLeftTest : public RunningJournalShellTest {
public:
    CReplDoc* Document() const { return Doc(); }
    HeadlessDriver& Driver() { return *driver; }
    CRoomFloor* Room() const { return Doc()->GetCurrentRoom(); }

    void PlaceShape() { room_steps::PlaceShape(*Doc(), *driver, ""); }
    // A length typed, and the journal's worker through a turn after it: the
    // room's own mark is cleared by its snapshot.
    void TypeLengthAndLetTheJournalTakeIt(int value)
    {
        measurement_steps::TypeLength(*Doc(), *driver, 1, value);
        LetTheJournalTurn();
        ASSERT_FALSE(Room()->IsModified()) << "the snapshot was taken";
    }
    void LeaveThroughNewDoor() { room_steps::LeaveThroughNewDoor(*Doc(), 2, "D7"); }
    int CountBoxes(const wchar_t* text) const
    {
        int count = 0;
        for (const MessageBoxRecord& box : driver->MessageBoxes())
            count += box.text == CString(text) ? 1 : 0;
        return count;
    }
};

// Two rooms saved; the first entered again from the plan and edited.
void EditFirstOfTwoSavedRooms(UnsavedRoomsLeftTest& t)
{
    t.LeaveThroughNewDoor();
    t.PlaceShape();
    t.Document()->OnViewChange();
    t.Driver().AnswerFileDialog(CString(L"My Documents\\Any1Mn1.fpl"));
    t.Document()->OnFileSave();
    ASSERT_FALSE(t.Document()->IsModified()) << "saved";
    t.Document()->SetCurrentRoom(t.Document()->GetRoom(0));
    t.Document()->OnViewChange();
    ASSERT_TRUE(t.Document()->m_roomView);
    t.TypeLengthAndLetTheJournalTakeIt(250);
}

struct Leaving {
    const char* what;
    void (*leave)(UnsavedRoomsLeftTest&);
};

const Leaving kLeavings[] = {
    {"through a new door into a room not drawn yet", [](UnsavedRoomsLeftTest& t) { t.LeaveThroughNewDoor(); }},
    {"for the plan",
     [](UnsavedRoomsLeftTest& t) {
         t.Document()->OnViewChange();
         ASSERT_FALSE(t.Document()->m_roomView);
     }},
    {"saved, edited again, left for the plan",
     [](UnsavedRoomsLeftTest& t) {
         EditFirstOfTwoSavedRooms(t);
         t.Document()->OnViewChange();
         ASSERT_FALSE(t.Document()->m_roomView);
     }},
    {"saved, edited again, left for the plan and the other room entered",
     [](UnsavedRoomsLeftTest& t) {
         EditFirstOfTwoSavedRooms(t);
         t.Document()->OnViewChange();
         t.Document()->SetCurrentRoom(t.Document()->GetRoom(1));
         t.Document()->OnViewChange();
         ASSERT_TRUE(t.Document()->m_roomView);
     }},
    {"through a new door, the new room drawn and left for the plan",
     [](UnsavedRoomsLeftTest& t) {
         t.LeaveThroughNewDoor();
         t.PlaceShape();
         t.Document()->OnViewChange();
         ASSERT_FALSE(t.Document()->m_roomView);
     }},
};

}  // namespace

TEST_F(UnsavedRoomsLeftTest, ExitAndNewAskForAnEditInARoomLeftEarlier)
{
    for (const Leaving& leaving : kLeavings) {
        SCOPED_TRACE(leaving.what);
        Doc()->ResetLevel();
        PlaceShape();
        TypeLengthAndLetTheJournalTakeIt(236);
        leaving.leave(*this);
        if (HasFatalFailure())
            return;

        const int losses = CountBoxes(kLossQuestion);
        driver->AnswerMessageBox(IDNO);
        Doc()->OnExit();
        EXPECT_EQ(CountBoxes(kLossQuestion), losses + 1) << "Exit did not ask";

        // New asks to save first; No to both keeps the level.
        const int saves = CountBoxes(kSaveQuestion);
        const int rooms = Doc()->GetNumOfRooms();
        driver->AnswerMessageBox(IDNO);
        driver->AnswerMessageBox(IDNO);
        Doc()->OnNew();
        EXPECT_EQ(CountBoxes(kSaveQuestion), saves + 1) << "New did not ask";
        EXPECT_EQ(Doc()->GetNumOfRooms(), rooms);
    }
}
