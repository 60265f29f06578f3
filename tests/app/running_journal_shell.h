// The program's shell with the journal's worker running every 3 ms, for the
// tests that follow unsaved work through the journal.
#pragma once

#include "shell_test_support.h"
#include "snapshot_journal.h"

constexpr const wchar_t* kLossQuestion = L"Unsaved data may be LOST.\nDo You want to continue?";

class RunningJournalShellTest : public ShellTest {
protected:
    // Only keeps a broken journal from hanging the test; no result depends on it.
    static constexpr DWORD kTurnLimitMs = 120000;

    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(Start());
        CSnapshotJournal& journal = Doc()->m_journal;
        journal.Stop();
        journal.SetPeriod(3);
        ASSERT_TRUE(journal.Start());
    }

    // The journal's worker through two whole turns: whatever it would take
    // of the rooms as they stand is taken.
    void LetTheJournalTurn()
    {
        CSnapshotJournal& journal = Doc()->m_journal;
        for (int turn = 0; turn < 2; ++turn)
            ASSERT_TRUE(journal.WaitForTurnAfter(journal.GetTurnsStarted(), kTurnLimitMs));
    }
};
