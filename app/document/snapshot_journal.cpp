#include "snapshot_journal.h"

#include <chrono>
#include <memory>
#include <utility>
#include <vector>

#include "c_file.h"
#include "file_system.h"
#include "floor_plan_text.h"
#include "kor_filebuf.h"
#include "paths.h"
#include "repl_doc.h"
#include "room_floor.h"

namespace {

constexpr const wchar_t* kHeaderFileName = L"header";
constexpr DWORD kWaitWithoutLimit = 0xFFFFFFFF;

CString& JournalFolder()
{
    static CString folder;
    return folder;
}

std::optional<std::string> ReadWholeText(const CString& path)
{
    const std::optional<std::string> host = PlatformPaths::ToHost(path);
    if (!host)
        return std::nullopt;
    std::unique_ptr<char[]> buffer;
    const std::size_t length = KorFilebuf::getall(buffer, host->c_str());
    if (!buffer)
        return std::nullopt;
    return std::string(buffer.get(), length);
}

struct FolderEntry {
    CString name;
    bool isFolder = false;
};

// The folder's entries, listed before anything in it changes.
std::vector<FolderEntry> ListFolder(const CString& folder)
{
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATA found{};
    HANDLE search = FindFirstFile(folder + L"*.*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do {
        entries.push_back({CString(found.cFileName),
                           (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFile(search, &found));
    FindClose(search);
    return entries;
}

void DeleteFilesBelow(const CString& folder)
{
    for (const FolderEntry& entry : ListFolder(folder)) {
        if (entry.isFolder)
            DeleteFilesBelow(folder + entry.name + L'\\');
        else
            DeleteFile(folder + entry.name);
    }
}

bool IsHeaderFile(const CString& name) { return name.CompareNoCase(kHeaderFileName) == 0; }

// A file name that can stand, escaped, as an element's tag in the rebuilt
// level text: a blank, a slash or an equals sign would end or split the tag.
bool IsUsableTagName(const std::string& name)
{
    if (name.empty())
        return false;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= ' ' || c == '/' || c == '=')
            return false;
    }
    return true;
}

}  // namespace

// ---- Folder ----

void CSnapshotJournal::SetDirectory(const CString& base)
{
    CString folder = base + L"journal";
    if (GetFileAttributes(folder) == FILE_ATTRIBUTE_DIRECTORY || CreateDirectory(folder, nullptr))
        folder += L'\\';
    else
        folder.Empty();
    JournalFolder() = folder;
}

const CString& CSnapshotJournal::GetDirectory() { return JournalFolder(); }

void ResetSnapshotJournal() { JournalFolder().Empty(); }

CString CSnapshotJournal::RoomFilePath(const std::string& tagName)
{
    return GetDirectory() + CString(tagName.c_str());
}

void CSnapshotJournal::WriteFileText(const CString& path, const std::string& text)
{
    // The worker and the user-interface thread may write the same room's file.
    static std::mutex writing;
    std::lock_guard lock(writing);
    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary))
        return;
    try {
        file.Write(text.data(), static_cast<UINT>(text.size()));
        file.Close();
    } catch (CFileException* error) {
        error->Delete();
        file.Abort();
    }
}

// ---- Life ----

CSnapshotJournal::~CSnapshotJournal() { Stop(); }

bool CSnapshotJournal::Start()
{
    if (m_running || !m_document || GetDirectory().IsEmpty())
        return false;
    {
        std::lock_guard lock(m_ringMutex);
        m_counter = 0;
    }
    m_running = true;
    if (!m_thread) {
        m_thread = AfxBeginThread(&CSnapshotJournal::ThreadProc, this,
                                  THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED);
        if (!m_thread) {
            m_running = false;
            return false;
        }
        // Stop waits on the thread and deletes it itself.
        m_thread->m_bAutoDelete = FALSE;
        m_thread->ResumeThread();
    }
    {
        std::lock_guard lock(m_ringMutex);
        m_position = static_cast<int>(m_ring.size()) - 1;
    }
    if (m_document->GetNumOfRooms() > 0)
        WriteHeader();
    return true;
}

void CSnapshotJournal::Stop()
{
    if (!m_running)
        return;
    {
        std::lock_guard lock(m_wakeMutex);
        m_running = false;
    }
    m_wake.notify_all();
    if (m_thread) {
        WaitForSingleObject(m_thread->m_hThread, kWaitWithoutLimit);
        delete m_thread;
        m_thread = nullptr;
    }
}

bool CSnapshotJournal::HasSnapshots() const
{
    std::lock_guard lock(m_ringMutex);
    return m_running && m_ring.size() >= 2;
}

// ---- The worker ----

UINT CSnapshotJournal::ThreadProc(LPVOID journal)
{
    static_cast<CSnapshotJournal*>(journal)->RunWorker();
    return 0;
}

void CSnapshotJournal::RunWorker()
{
    while (WaitOnePeriod())
        TakeTurn();
}

bool CSnapshotJournal::WaitOnePeriod()
{
    std::unique_lock lock(m_wakeMutex);
    m_wake.wait_for(lock, std::chrono::milliseconds(m_periodMs.load()),
                    [this] { return !m_running; });
    return m_running;
}

bool CSnapshotJournal::TakeTurn()
{
    CReplDoc* document = m_document;
    if (!document)
        return false;
    // The document's flags are read under the lock too: the user-interface
    // thread changes the current room only while it holds it.
    if (!TryEnterCriticalSection(document->m_lock))
        return false;
    std::string tagName;
    const bool taken = SnapshotCurrentRoom(tagName);
    LeaveCriticalSection(document->m_lock);
    if (!taken)
        return false;

    std::string newest;
    {
        std::lock_guard lock(m_ringMutex);
        if (m_counter <= 1)
            return true;
        m_counter = 0;
        newest = m_ring.back();
    }
    // Written outside the lock, with the name taken under it: the room
    // itself may be gone by now.
    if (m_running && !tagName.empty() && !GetDirectory().IsEmpty())
        WriteFileText(RoomFilePath(tagName), newest);
    return true;
}

bool CSnapshotJournal::TakeSnapshotNow()
{
    if (!m_running || !m_document)
        return false;
    EnterCriticalSection(m_document->m_lock);
    std::string tagName;
    const bool taken = SnapshotCurrentRoom(tagName);
    LeaveCriticalSection(m_document->m_lock);
    return taken;
}

// Under the document's lock. The journal's own mark of a change decides, not
// the saved flag: bookkeeping that marks the room unmodified is no snapshot.
bool CSnapshotJournal::SnapshotCurrentRoom(std::string& tagName)
{
    CRoomFloor* room = m_document->m_roomView ? m_document->m_currentRoom : nullptr;
    if (!room || !room->IsChangedSinceSnapshot())
        return false;
    std::string text;
    if (room->Save(text, false) <= 0)
        return false;
    room->SetModified(false);
    room->SetChangedSinceSnapshot(false);
    tagName = room->GetTagName(false);
    return AppendSnapshot(std::move(text));
}

bool CSnapshotJournal::AppendSnapshot(std::string text)
{
    std::lock_guard lock(m_ringMutex);
    // A text the room already shows is no step to undo.
    if (m_position >= 0 && m_position < static_cast<int>(m_ring.size()) &&
        m_ring[static_cast<std::size_t>(m_position)] == text)
        return false;
    // An edit after undoing starts a new line of work: the undone snapshots
    // ahead of the position cannot be redone any more.
    while (static_cast<int>(m_ring.size()) > m_position + 1)
        m_ring.pop_back();
    if (static_cast<int>(m_ring.size()) >= kMaxSnapshots)
        m_ring.pop_front();
    m_ring.push_back(std::move(text));
    m_position = static_cast<int>(m_ring.size()) - 1;
    ++m_counter;
    return true;
}

// ---- Room files ----

void CSnapshotJournal::WriteHeader()
{
    if (!m_running || !m_document || GetDirectory().IsEmpty())
        return;
    std::string header;
    m_document->WriteFileHeader(header, false);
    if (!header.empty())
        WriteFileText(GetDirectory() + kHeaderFileName, header);
}

void CSnapshotJournal::Write()
{
    if (!m_running || !m_document || !m_document->m_currentRoom)
        return;
    const std::string tagName = m_document->m_currentRoom->GetTagName(false);
    if (tagName.empty() || GetDirectory().IsEmpty())
        return;
    std::string newest;
    {
        std::lock_guard lock(m_ringMutex);
        if (m_ring.empty())
            return;
        newest = m_ring.back();
    }
    WriteFileText(RoomFilePath(tagName), newest);
}

void CSnapshotJournal::Read()
{
    if (!m_running || !m_document || !m_document->m_currentRoom)
        return;
    const std::optional<std::string> text = ReadFile(m_document->m_currentRoom);
    LoadRing(text ? *text : std::string());
}

void CSnapshotJournal::LoadRing(const std::string& text)
{
    std::lock_guard lock(m_ringMutex);
    m_ring.clear();
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(kSeparator, start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            m_ring.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    // A file of more snapshots than the ring holds keeps its newest ones.
    while (static_cast<int>(m_ring.size()) > kMaxSnapshots)
        m_ring.pop_front();
    m_position = static_cast<int>(m_ring.size()) - 1;
}

std::optional<std::string> CSnapshotJournal::ReadFile(const CRoomFloor* room) const
{
    if (!room || GetDirectory().IsEmpty())
        return std::nullopt;
    const std::string tagName = room->GetTagName(false);
    if (tagName.empty())
        return std::nullopt;
    return ReadWholeText(RoomFilePath(tagName));
}

void CSnapshotJournal::ClearFolder()
{
    if (!GetDirectory().IsEmpty())
        DeleteFilesBelow(GetDirectory());
}

bool CSnapshotJournal::HasJournal() const
{
    const CString& folder = GetDirectory();
    if (folder.IsEmpty())
        return false;
    bool header = false;
    bool room = false;
    for (const FolderEntry& entry : ListFolder(folder)) {
        if (entry.isFolder)
            continue;
        if (IsHeaderFile(entry.name))
            header = true;
        else
            room = true;
    }
    return header && room;
}

bool CSnapshotJournal::WriteAll()
{
    if (!m_document || GetDirectory().IsEmpty())
        return false;
    ClearFolder();
    WriteHeader();
    for (CRoomFloor* room : m_document->m_rooms) {
        std::string text;
        const std::string tagName = room->GetTagName(false);
        if (!tagName.empty() && room->Save(text, false) > 0)
            WriteFileText(RoomFilePath(tagName), text);
    }
    return true;
}

bool CSnapshotJournal::Recover()
{
    if (!m_document || GetDirectory().IsEmpty())
        return false;
    const std::optional<std::string> header = ReadWholeText(GetDirectory() + kHeaderFileName);
    if (!header || header->empty())
        return false;
    std::string text = *header;
    for (const FolderEntry& entry : ListFolder(GetDirectory())) {
        if (entry.isFolder || IsHeaderFile(entry.name))
            continue;
        const std::string tagName = entry.name.ToNarrow();
        const std::optional<std::string> body = ReadWholeText(GetDirectory() + entry.name);
        // A stray file whose name or text would break the level's text is
        // left out rather than spoil every room after it.
        if (!body || body->empty() || !IsUsableTagName(tagName) ||
            body->find('"') != std::string::npos)
            continue;
        text += "\n<" + EscapeTagName(tagName) + " body=\"" + *body + "\"/>\n";
    }
    text += "\n</QUENDAR_FPL>\n";
    // The level is replaced only by a text that loads; otherwise it stays.
    EnterCriticalSection(m_document->m_lock);
    const bool loaded = m_document->ParseFile(text.c_str(), static_cast<int>(text.size()));
    LeaveCriticalSection(m_document->m_lock);
    return loaded;
}

// ---- Undo and redo ----

bool CSnapshotJournal::Undo()
{
    if (!m_running || GetPosition() <= 0)
        return false;
    return Replay(GetPosition() - 1);
}

bool CSnapshotJournal::Redo()
{
    if (!m_running || GetPosition() + 1 >= GetSnapshotCount())
        return false;
    return Replay(GetPosition() + 1);
}

bool CSnapshotJournal::Replay(int index)
{
    if (!m_document || !m_document->m_roomView || !m_document->m_currentRoom)
        return false;
    EnterCriticalSection(m_document->m_lock);
    CRoomFloor* room = m_document->m_currentRoom;
    const std::string snapshot = GetSnapshot(index);
    // The room as it stands, to put back when the snapshot cannot be shown:
    // replaying clears the room first.
    std::string current;
    room->Save(current, false);
    const bool wasModified = room->IsModified();
    const bool wasChanged = room->IsChangedSinceSnapshot();
    const bool replayed = !snapshot.empty() && room->PlaySavedText(snapshot) &&
                          !room->GetShapeName().empty() && m_document->CheckRoomShape(room);
    if (replayed) {
        std::lock_guard lock(m_ringMutex);
        m_position = index;
    } else {
        room->PlaySavedText(current);
        m_document->CheckRoomShape(room);
    }
    MarkAllUnmodified();
    // The room shows a snapshot the ring holds, or what it showed before.
    room->SetChangedSinceSnapshot(!replayed && wasChanged);
    if (!replayed)
        room->SetModified(wasModified);
    LeaveCriticalSection(m_document->m_lock);
    return replayed;
}

void CSnapshotJournal::MarkAllUnmodified()
{
    m_document->m_plan.SetModified(false);
    for (CRoomFloor* room : m_document->m_rooms)
        room->SetModified(false);
}

// ---- State ----

int CSnapshotJournal::GetPosition() const
{
    std::lock_guard lock(m_ringMutex);
    return m_position;
}

int CSnapshotJournal::GetSnapshotCount() const
{
    std::lock_guard lock(m_ringMutex);
    return static_cast<int>(m_ring.size());
}

std::string CSnapshotJournal::GetSnapshot(int index) const
{
    std::lock_guard lock(m_ringMutex);
    if (index < 0 || index >= static_cast<int>(m_ring.size()))
        return std::string();
    return m_ring[static_cast<std::size_t>(index)];
}
