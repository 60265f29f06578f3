// Exit after a Save asks about unsaved data exactly when the level may differ
// from its file: only looking at a room (switching between it and the plan)
// changes nothing, while an edit, undone and redone, is work to lose.
#include <string>

#include "measurement_steps.h"
#include "room_floor.h"
#include "room_steps.h"
#include "running_journal_shell.h"

namespace {

class UnsavedAfterSaveTest : public RunningJournalShellTest {
protected:
    void TypeLength(int value)
    {
        measurement_steps::TypeLength(*Doc(), *driver, 1, value);
        LetTheJournalTurn();
    }
    // Two rooms drawn, the first with a typed length, shown as the plan and
    // saved.
    void SaveTwoRoomsFromThePlan()
    {
        room_steps::PlaceShape(*Doc(), *driver, "");
        TypeLength(236);
        room_steps::LeaveThroughNewDoor(*Doc(), 2, "D7");
        room_steps::PlaceShape(*Doc(), *driver, "");
        Doc()->OnViewChange();
        ASSERT_FALSE(Doc()->m_roomView);
        LetTheJournalTurn();
        Save();
    }
    void Save()
    {
        driver->AnswerFileDialog(CString(L"My Documents\\Any1Mn1.fpl"));
        Doc()->OnFileSave();
        ASSERT_FALSE(Doc()->HasWorkToLose()) << "saved";
    }
    void ViewChange()
    {
        Doc()->OnViewChange();
        LetTheJournalTurn();
    }
    // Exit, answered No if it asks; whether it asked. Unasked, the program
    // ends: its quit is taken off the queue so the fixture can close it.
    bool ExitAsks()
    {
        const int before = CountLossQuestions();
        driver->AnswerMessageBox(IDNO);
        Doc()->OnExit();
        const bool asked = CountLossQuestions() > before;
        MSG quit;
        EXPECT_NE(PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE), asked) << "No keeps the program; unasked it ends";
        return asked;
    }
    std::string LevelText() const
    {
        std::string text;
        Doc()->BuildFileText(text);
        return text;
    }
    int CountLossQuestions() const
    {
        int count = 0;
        for (const MessageBoxRecord& box : driver->MessageBoxes())
            count += box.text == CString(kLossQuestion) ? 1 : 0;
        return count;
    }
};

}  // namespace

// Looking at a room and going back to the plan is no edit.
TEST_F(UnsavedAfterSaveTest, SwitchingBetweenARoomAndThePlanDoesNotAsk)
{
    const struct {
        const char* what;
        int room;  // entered from the plan
    } cases[] = {
        {"the room shown last", 1},
        {"the first room entered from the plan", 0},
    };
    SaveTwoRoomsFromThePlan();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Doc()->SetCurrentRoom(Doc()->GetRoom(c.room));
        ViewChange();
        ASSERT_TRUE(Doc()->m_roomView);
        ViewChange();
        ASSERT_FALSE(Doc()->m_roomView);
        EXPECT_FALSE(Doc()->HasWorkToLose()) << "nothing changed since the Save";
    }
    EXPECT_FALSE(ExitAsks());
}

// An edit after the Save, undone and redone, is in no file: Exit asks.
TEST_F(UnsavedAfterSaveTest, AnEditUndoneAndRedoneAsks)
{
    SaveTwoRoomsFromThePlan();
    Doc()->SetCurrentRoom(Doc()->GetRoom(0));
    ViewChange();
    ASSERT_TRUE(Doc()->m_roomView);
    TypeLength(250);
    Doc()->OnUndo();
    Doc()->OnRedo();
    EXPECT_TRUE(Doc()->HasWorkToLose());
    EXPECT_TRUE(ExitAsks());
}

// Undone back to the level as saved, Exit may ask or not; but it must ask
// whenever the level differs from its file.
TEST_F(UnsavedAfterSaveTest, AnEditUndoneLosesNothing)
{
    SaveTwoRoomsFromThePlan();
    const std::string saved = LevelText();
    Doc()->SetCurrentRoom(Doc()->GetRoom(0));
    ViewChange();
    ASSERT_TRUE(Doc()->m_roomView);
    TypeLength(250);
    Doc()->OnUndo();
    ViewChange();
    ASSERT_FALSE(Doc()->m_roomView);
    if (LevelText() != saved) {
        EXPECT_TRUE(ExitAsks()) << "the level differs from its file";
    }
}
