// An undo or redo changes the room being edited and nothing else: work left
// unsaved in another room or in the plan is still asked about by New and
// Exit, and still comes back from the journal after a kill.
#include "distances.h"
#include "kor_node.h"
#include "measurement_steps.h"
#include "room_floor.h"
#include "room_steps.h"
#include "running_journal_shell.h"

namespace {

constexpr const wchar_t* kSaveQuestion = L"Do you want to save 1 Anystreet, Main?";

class UndoMarksTest : public RunningJournalShellTest {
protected:
    void TypeLength(int value)
    {
        measurement_steps::TypeLength(*Doc(), *driver, 1, value);
        LetTheJournalTurn();
    }
    void ViewChange()
    {
        Doc()->OnViewChange();
        LetTheJournalTurn();
    }
    void EnterFromThePlan(int room)
    {
        Doc()->SetCurrentRoom(Doc()->GetRoom(room));
        ViewChange();
        ASSERT_TRUE(Doc()->m_roomView);
    }
    // Two rooms drawn and saved from the plan; then the first room entered
    // and its length typed anew, which the journal takes.
    void EditTheFirstRoom()
    {
        room_steps::PlaceShape(*Doc(), *driver, "");
        TypeLength(236);
        room_steps::LeaveThroughNewDoor(*Doc(), 2, "D7");
        room_steps::PlaceShape(*Doc(), *driver, "");
        ViewChange();
        ASSERT_FALSE(Doc()->m_roomView);
        driver->AnswerFileDialog(CString(L"My Documents\\Any1Mn1.fpl"));
        Doc()->OnFileSave();
        ASSERT_FALSE(Doc()->HasWorkToLose()) << "saved";
        EnterFromThePlan(0);
        TypeLength(250);
    }
    // Two rooms drawn and saved from the plan; then the first room's length
    // typed anew (not saved), and in the second room an edit made and taken
    // back with Undo, or with Undo and Redo.
    void EditTheFirstRoomThenUndoInTheSecond(bool redo)
    {
        EditTheFirstRoom();
        ViewChange();
        ASSERT_FALSE(Doc()->m_roomView);
        firstRoom = Doc()->GetRoom(0);

        EnterFromThePlan(1);
        TypeLength(190);
        const int beeps = driver->Beeps();
        Doc()->OnUndo();
        if (redo)
            Doc()->OnRedo();
        ASSERT_EQ(driver->Beeps(), beeps) << "undone" << (redo ? " and redone" : "");
        LetTheJournalTurn();
    }
    int CountBoxes(const wchar_t* text) const
    {
        int count = 0;
        for (const MessageBoxRecord& box : driver->MessageBoxes())
            count += box.text == CString(text) ? 1 : 0;
        return count;
    }
    // Exit answered No if it asks; whether it asked. Unasked, the program
    // ends: its quit is taken off the queue so the fixture can close it.
    bool ExitAsks()
    {
        const int before = CountBoxes(kLossQuestion);
        driver->AnswerMessageBox(IDNO);
        Doc()->OnExit();
        const bool asked = CountBoxes(kLossQuestion) > before;
        MSG quit;
        PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        return asked;
    }
    // New, its save question answered No and the New Session dialog
    // cancelled; whether it asked.
    bool NewAsks()
    {
        const int before = CountBoxes(kSaveQuestion);
        driver->AnswerMessageBox(IDNO);
        driver->OnDialog(CNewSessionDlg::IDD, [](CWnd* dialog, HeadlessDriver& d) { d.TapDlgItem(dialog, IDOK); });
        Doc()->OnNew();
        return CountBoxes(kSaveQuestion) > before;
    }

    enum class Then { newLevel, exit, exitFromThePlan, exitFromANewRoom };
    // Whether the person is asked before the work goes.
    bool Asks(Then then)
    {
        switch (then) {
        case Then::newLevel:
            return NewAsks();
        case Then::exit:
            break;
        case Then::exitFromThePlan:
            ViewChange();
            break;
        case Then::exitFromANewRoom:
            room_steps::LeaveThroughNewDoor(*Doc(), 2, "D8");
            LetTheJournalTurn();
            break;
        }
        return ExitAsks();
    }

    CRoomFloor* firstRoom = nullptr;
};

}  // namespace

// What the person does after taking back an edit in the second room; the
// first room's new length is in no file, so each must ask.
TEST_F(UndoMarksTest, WorkInAnotherRoomIsStillAskedAbout)
{
    const struct {
        const char* what;
        bool redo;
        Then then;
    } cases[] = {
        {"New in the room", false, Then::newLevel},
        {"New after a redo", true, Then::newLevel},
        {"Exit in the room", false, Then::exit},
        {"Exit from the plan", false, Then::exitFromThePlan},
        {"Exit in a new room left to through a door", false, Then::exitFromANewRoom},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (&c != &cases[0]) {
            // The level of the case before is let go as if saved: a fresh
            // one for this case.
            Doc()->SetAllModified(false);
            Doc()->MarkLevelInFile();
            driver->OnDialog(CNewSessionDlg::IDD, [](CWnd* dialog, HeadlessDriver& d) { d.TapDlgItem(dialog, IDOK); });
            Doc()->OnNew();
            ASSERT_EQ(Doc()->GetNumOfRooms(), 1);
        }
        EditTheFirstRoomThenUndoInTheSecond(c.redo);
        if (HasFatalFailure())
            return;
        EXPECT_TRUE(Asks(c.then));
    }
}

// A kill after the undo gives back the first room with its new length.
TEST_F(UndoMarksTest, WorkInAnotherRoomComesBackAfterAKill)
{
    EditTheFirstRoomThenUndoInTheSecond(false);
    Doc()->m_journal.Stop();
    CReplDoc restored;
    ASSERT_TRUE(restored.OnNewDocument());
    restored.RestoreFromJournal();
    restored.m_journal.Stop();
    ASSERT_EQ(restored.GetNumOfRooms(), 2);
    CRoomFloor* back = restored.GetRoom(0);
    ASSERT_EQ(back->GetNumOfNodes(), firstRoom->GetNumOfNodes());
    for (int i = 0; i < back->GetNumOfNodes(); ++i)
        EXPECT_LT(GeoDistance(back->GetNodes()[i]->GetPoint(), firstRoom->GetNodes()[i]->GetPoint()), 0.01);
}

// An edit the journal took in the room being edited is in no file either.
TEST_F(UndoMarksTest, NewAsksAboutAnEditTheJournalTook)
{
    EditTheFirstRoom();
    EXPECT_TRUE(Asks(Then::newLevel));
}
