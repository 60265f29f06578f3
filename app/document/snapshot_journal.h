// The journal of the level being edited: a short ring of the current room's
// command texts for undo and redo, taken by a worker thread in the
// background, and a folder that mirrors the level (its header and one file
// per room) so that work survives a program that was stopped unsaved.
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
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

    void WriteHeader();
    // The current room's file receives the newest snapshot.
    void Write();
    // The current room's file becomes the ring.
    void Read();
    std::optional<std::string> ReadFile(const CRoomFloor* room) const;
    void ClearFolder();
    // The folder holds "header" and at least one room file.
    bool HasJournal() const;
    // The folder rewritten from the open level.
    bool WriteAll();
    // Rebuilds the level from the folder.
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

    int GetPosition() const;
    int GetSnapshotCount() const;
    std::string GetSnapshot(int index) const;

private:
    static UINT ThreadProc(LPVOID journal);
    void RunWorker();
    // Waits one period; false when the journal stopped meanwhile.
    bool WaitOnePeriod();
    bool Replay(int index);
    bool SnapshotCurrentRoom(std::string& tagName);
    // False when the text is the snapshot the room shows already.
    bool AppendSnapshot(std::string text);
    void LoadRing(const std::string& text);
    void MarkAllUnmodified();
    static void WriteFileText(const CString& path, const std::string& text);
    static CString RoomFilePath(const std::string& tagName);

    CReplDoc* m_document = nullptr;
    // Ring, position and counter: the worker appends while the user-interface
    // thread reads, writes, undoes and redoes.
    mutable std::mutex m_ringMutex;
    std::deque<std::string> m_ring;
    std::atomic<bool> m_running{false};
    CWinThread* m_thread = nullptr;
    int m_position = -1;
    int m_counter = 0;
    std::atomic<DWORD> m_periodMs{kDefaultPeriodMs};
    std::mutex m_wakeMutex;
    std::condition_variable m_wake;
};

// Forgets the journal folder.
void ResetSnapshotJournal();
