// The journal of the level being edited: a short ring of the current room's
// command texts for undo and redo, taken by a worker thread in the
// background, and a folder that mirrors the level (its header and one file
// per room) so that work survives a program that was stopped unsaved.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "c_string.h"
#include "threads.h"

class CReplDoc;
class CRoomFloor;

class CSnapshotJournal {
public:
    static constexpr int kMaxSnapshots = 10;
    static constexpr DWORD kDefaultPeriodMs = 2000;
    static constexpr char kSeparator = '#';

    CSnapshotJournal() = default;
    ~CSnapshotJournal();
    CSnapshotJournal(const CSnapshotJournal&) = delete;
    CSnapshotJournal& operator=(const CSnapshotJournal&) = delete;

    void SetDocument(CReplDoc* document) { m_document = document; }

    // The journal folder: base + "journal" with a closing backslash, or
    // empty (journal disabled) when it is no folder and cannot be made one.
    static void SetDirectory(const CString& base);
    static const CString& GetDirectory();

    bool Start();
    void Stop();
    bool IsRunning() const { return m_running; }
    // Something to lose: at least two snapshots while running.
    bool HasSnapshots() const;

    // The header, listing the rooms that have a text to keep.
    void WriteHeader();
    // The current room's file as the room stands. Called when the person
    // leaves the room.
    void Write();
    // One room's file as the room stands: a room changed while another is
    // edited (or the plan shown), which the worker does not journal.
    void WriteRoom(CRoomFloor* room);
    // The current room as it stands, then every room and the header: after
    // rooms were renamed, removed or changed together, and on entering the plan.
    void WriteLevel();
    // The current room's file becomes the ring.
    void Read();
    std::optional<std::string> ReadFile(const CRoomFloor* room) const;
    void ClearFolder();
    // The folder holds "header" and at least one room file.
    bool HasJournal() const;
    // The folder rewritten from the open level: emptied first when fresh,
    // the rooms' files before the header that lists them. False when a file
    // could not be written.
    bool WriteAll(bool fresh = true);
    // Rebuilds the level from the folder; a room the header lists that
    // cannot be given back is reported.
    bool Recover();
    bool Undo();
    bool Redo();

    // One turn of the worker: a snapshot of the room being edited when it
    // changed. False when nothing was taken.
    bool TakeTurn();
    // A snapshot of the room being edited taken at once on the
    // user-interface thread (a room just made from a shape, so that its
    // first change can be undone). False when nothing was taken.
    bool TakeSnapshotNow();
    // Time between two turns; the worker's first turn comes one period
    // after the start.
    void SetPeriod(DWORD ms) { m_periodMs = ms; }
    DWORD GetPeriod() const { return m_periodMs; }

    // Turns the worker began (inside the document's lock): a turn numbered
    // above the count read after an edit journals that edit.
    std::uint64_t GetTurnsStarted() const { return m_turnsStarted; }
    // Waits until the turn after `started` has written its files; false
    // when the journal stopped or the limit passed first.
    bool WaitForTurnAfter(std::uint64_t started, DWORD limitMs);

    int GetPosition() const;
    int GetSnapshotCount() const;
    // Grows with every snapshot taken and every undo or redo shown: equal
    // counts mean the rooms are as they were.
    int GetChangeCount() const { return m_changes; }
    std::string GetSnapshot(int index) const;

private:
    enum class Turn { taken, nothing, busy };
    // A text to put into one of the folder's files, numbered in the order
    // the texts were taken (under the document's lock).
    struct FileText {
        std::string name;
        std::string text;
        std::uint64_t order = 0;
    };

    static UINT ThreadProc(LPVOID journal);
    void RunWorker();
    // Waits the time given; false when the journal stopped meanwhile.
    bool Wait(DWORD ms);
    Turn TryTurn();
    bool Replay(int index);
    // Under the document's lock: a snapshot of the room being edited when
    // it changed; its text.
    std::optional<FileText> SnapshotCurrentRoom();
    // Under the document's lock: the room's text as it stands.
    std::optional<FileText> TakeRoomText(CRoomFloor* room);
    std::optional<FileText> TakeHeaderText();
    // False when the text is the snapshot the room shows already.
    bool AppendSnapshot(std::string text);
    void LoadRing(const std::string& text);
    // Puts the text in place of the file in one step, on the storage; a
    // text taken before the one the file holds already is not written.
    // False when the write failed (the file before it stays).
    bool WriteFileText(const FileText& file);
    void FinishTurn(std::uint64_t turn);
    static CString FolderFilePath(const std::string& name);

    CReplDoc* m_document = nullptr;
    // Ring, position and counter: the worker appends while the user-interface
    // thread reads, writes, undoes and redoes.
    mutable std::mutex m_ringMutex;
    std::deque<std::string> m_ring;
    std::atomic<bool> m_running{false};
    CWinThread* m_thread = nullptr;
    int m_position = -1;
    std::atomic<int> m_changes{0};
    std::atomic<DWORD> m_periodMs{kDefaultPeriodMs};
    std::mutex m_wakeMutex;
    std::condition_variable m_wake;
    std::atomic<std::uint64_t> m_turnsStarted{0};
    std::uint64_t m_turnsDone = 0;  // under m_wakeMutex
    std::condition_variable m_turnDone;
    // Taken under the document's lock, read by the folder's emptying too.
    std::atomic<std::uint64_t> m_textOrder{0};
    std::mutex m_writeMutex;
    std::map<std::string, std::uint64_t> m_writtenOrder;  // under m_writeMutex
    std::map<std::string, std::string> m_writtenText;     // under m_writeMutex
    std::uint64_t m_clearedOrder = 0;                     // under m_writeMutex
};

// Forgets the journal folder.
void ResetSnapshotJournal();
