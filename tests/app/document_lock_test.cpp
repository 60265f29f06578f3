// Every change of a room's model made on the user-interface thread holds the
// document's lock, so that the journal's worker never saves a room halfway
// through a change. The thread sanitizer build runs the session below as
// well (README, PELK_TSAN).
#include <cmath>
#include <string>

#include "kor_dimension.h"
#include "lock_probe_view.h"
#include "measurement_steps.h"
#include "shell_test_support.h"
#include "snapshot_journal.h"

namespace {

class DocumentLockTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(Start());
        ASSERT_TRUE(Doc()->InsertShape(0, 0));
        ASSERT_TRUE(Doc()->SetEditMode(2));
        measure = measurement_steps::Mode(*Doc());
        ASSERT_NE(measure, nullptr);
    }
    CRoomFloor* Room() { return Doc()->GetCurrentRoom(); }
    void TypeLength(int n, int value) { measurement_steps::TypeLength(*Doc(), *driver, n, value); }
    void ChooseListed(int n, int steps)
    {
        measurement_steps::ChooseListed(*Doc(), *Frame()->GetComboBox(), n, steps);
    }
    KorDimension* Selected() { return Room()->GetDimension(measure->GetSelection(), nullptr); }

    CMeasurementMode* measure = nullptr;
};

}  // namespace

// A length from the keypad or the value list is applied, solved and shown
// while the document's lock is held.
TEST_F(DocumentLockTest, TypedAndListedLengthsChangeTheRoomUnderTheLock)
{
    LockProbeView probe(Doc());
    probe.SetDocument(Doc());
    Doc()->AddView(&probe);
    TypeLength(0, 236);
    EXPECT_EQ(std::lround(Selected()->GetImplementedValue()), 236);
    const int typedUpdates = probe.updates;
    ChooseListed(1, 3);
    const int listedUpdates = probe.updates - typedUpdates;
    Doc()->RemoveView(&probe);
    probe.SetDocument(nullptr);
    EXPECT_GT(typedUpdates, 0);
    EXPECT_GT(listedUpdates, 0);
    EXPECT_EQ(probe.unlockedUpdates, 0) << "of " << probe.updates << " updates";
}

// Lengths typed and chosen, and saves, while the worker takes its turns as
// fast as it can: the thread sanitizer build shows any change of a room
// made without the lock.
TEST_F(DocumentLockTest, TypingAndSavingWhileTheJournalRuns)
{
    CSnapshotJournal& journal = Doc()->m_journal;
    journal.Stop();
    journal.SetPeriod(1);
    ASSERT_TRUE(journal.Start());
    for (int round = 0; round < 8; ++round) {
        const int value = 180 + 7 * round;
        TypeLength(round % 2, value);
        EXPECT_EQ(std::lround(Selected()->GetImplementedValue()), value);
        ChooseListed(round % 2, 1 + round % 3);
        if (round % 3 == 0) {
            driver->AnswerFileDialog(CString(L"My Documents\\Lock1.fpl"));
            Doc()->OnFileSave();
            EXPECT_FALSE(Doc()->IsModified());
        }
    }
    journal.Stop();
}
