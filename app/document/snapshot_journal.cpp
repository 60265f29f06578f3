#include "snapshot_journal.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "c_file.h"
#include "file_system.h"
#include "floor_plan_text.h"
#include "kor_filebuf.h"
#include "message_box.h"
#include "paths.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "xml_element.h"

namespace {

constexpr const wchar_t* kHeaderFileName = L"header";
// Files are written here whole, then renamed into the folder: a stop in the
// middle of a write leaves the file before it. No room's file name has a
// blank.
constexpr const wchar_t* kWritingFolder = L"being written";
constexpr DWORD kWaitWithoutLimit = 0xFFFFFFFF;
// A turn the user-interface thread holds off is tried again this soon.
constexpr DWORD kBusyRetryMs = 10;

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

// The rooms the header's path list names.
std::vector<std::string> ListedRooms(const std::string& header)
{
    const std::string text = header + "\n</QUENDAR_FPL>\n";
    const int length = static_cast<int>(text.size());
    int position = 0;
    while (position < length) {
        CXMLElement element;
        if (!element.Parse(text.c_str(), length, &position))
            break;
        if (std::strcmp(element.GetName(), "QUENDAR_FPL") == 0)
            return SplitNameList(element.GetAttribute("path"));
    }
    return {};
}

void ReportUnrestoredRoom(const std::string& name)
{
    if (!IsMainWindowVisible())
        return;
    CString message;
    message.Format(L"Room %s could not be restored", CString(name.c_str()).GetString());
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
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

CString CSnapshotJournal::FolderFilePath(const std::string& name)
{
    return GetDirectory() + CString(name.c_str());
}

bool CSnapshotJournal::WriteFileText(const FileText& file)
{
    if (file.name.empty() || GetDirectory().IsEmpty())
        return false;
    // The worker writes outside the document's lock: a text taken before the
    // one the file holds already, or before the folder was emptied, is old.
    std::lock_guard lock(m_writeMutex);
    std::uint64_t& written = m_writtenOrder[file.name];
    if (file.order <= written || file.order <= m_clearedOrder)
        return true;
    // Only this journal writes its folder: a file that holds the text already
    // is not written (and synced) again.
    std::string& holds = m_writtenText[file.name];
    if (written != 0 && holds == file.text) {
        written = file.order;
        return true;
    }
    const CString writing = GetDirectory() + kWritingFolder;
    if (GetFileAttributes(writing) != FILE_ATTRIBUTE_DIRECTORY)
        CreateDirectory(writing, nullptr);
    const CString temporary = writing + L'\\' + CString(file.name.c_str());
    CFile out;
    if (!out.Open(temporary, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary))
        return false;
    try {
        out.Write(file.text.data(), static_cast<UINT>(file.text.size()));
        // On the storage before it takes the old file's place: a power loss
        // after the rename must not leave an empty or partial snapshot.
        out.Sync();
        out.Close();
        CFile::Rename(temporary, FolderFilePath(file.name));
        written = file.order;
        holds = file.text;
        return true;
    } catch (CFileException* error) {
        error->Delete();
        out.Abort();
        DeleteFile(temporary);
        return false;
    }
}

// ---- Life ----

CSnapshotJournal::~CSnapshotJournal() { Stop(); }

bool CSnapshotJournal::Start()
{
    if (m_running || !m_document || GetDirectory().IsEmpty())
        return false;
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
    m_turnDone.notify_all();
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
    while (Wait(m_periodMs)) {
        while (TryTurn() == Turn::busy && Wait(std::min<DWORD>(m_periodMs, kBusyRetryMs))) {
        }
    }
}

bool CSnapshotJournal::Wait(DWORD ms)
{
    std::unique_lock lock(m_wakeMutex);
    m_wake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return !m_running; });
    return m_running;
}

bool CSnapshotJournal::TakeTurn() { return TryTurn() == Turn::taken; }

CSnapshotJournal::Turn CSnapshotJournal::TryTurn()
{
    CReplDoc* document = m_document;
    if (!document)
        return Turn::nothing;
    // The document's flags are read under the lock too: the user-interface
    // thread changes the current room only while it holds it.
    if (!TryEnterCriticalSection(document->m_lock))
        return Turn::busy;
    const std::uint64_t turn = ++m_turnsStarted;
    const std::optional<FileText> file = SnapshotCurrentRoom();
    LeaveCriticalSection(document->m_lock);
    // Written outside the lock, with the name taken under it: the room
    // itself may be gone by now.
    if (file && m_running)
        WriteFileText(*file);
    FinishTurn(turn);
    return file ? Turn::taken : Turn::nothing;
}

void CSnapshotJournal::FinishTurn(std::uint64_t turn)
{
    {
        std::lock_guard lock(m_wakeMutex);
        m_turnsDone = std::max(m_turnsDone, turn);
    }
    m_turnDone.notify_all();
}

bool CSnapshotJournal::WaitForTurnAfter(std::uint64_t started, DWORD limitMs)
{
    std::unique_lock lock(m_wakeMutex);
    m_turnDone.wait_for(lock, std::chrono::milliseconds(limitMs),
                        [&] { return m_turnsDone > started || !m_running; });
    return m_turnsDone > started;
}

bool CSnapshotJournal::TakeSnapshotNow()
{
    if (!m_running || !m_document)
        return false;
    EnterCriticalSection(m_document->m_lock);
    const std::optional<FileText> file = SnapshotCurrentRoom();
    LeaveCriticalSection(m_document->m_lock);
    if (file)
        WriteFileText(*file);
    return file.has_value();
}

// Under the document's lock. The journal's own mark of a change decides, not
// the saved flag: bookkeeping that marks the room unmodified is no snapshot.
std::optional<CSnapshotJournal::FileText> CSnapshotJournal::SnapshotCurrentRoom()
{
    CRoomFloor* room = m_document->m_roomView ? m_document->m_currentRoom : nullptr;
    if (!room || !room->IsChangedSinceSnapshot())
        return std::nullopt;
    std::optional<FileText> file = TakeRoomText(room);
    if (!file)
        return std::nullopt;
    room->SetModified(false);
    room->SetChangedSinceSnapshot(false);
    if (!AppendSnapshot(file->text))
        return std::nullopt;
    return file;
}

std::optional<CSnapshotJournal::FileText> CSnapshotJournal::TakeRoomText(CRoomFloor* room)
{
    // A room with nothing drawn yet has nothing to keep (nor a header entry).
    if (!room || !room->IsDrawn())
        return std::nullopt;
    // A room without a name still has its snapshots; only no file.
    FileText file;
    file.name = room->GetTagName(false);
    if (room->Save(file.text, false) <= 0)
        return std::nullopt;
    file.order = ++m_textOrder;
    return file;
}

std::optional<CSnapshotJournal::FileText> CSnapshotJournal::TakeHeaderText()
{
    // Only rooms with something drawn have a file to list.
    std::vector<CRoomFloor*> listed;
    for (CRoomFloor* room : m_document->m_rooms)
        if (room->IsDrawn())
            listed.push_back(room);
    FileText file;
    file.name = CString(kHeaderFileName).ToNarrow();
    m_document->WriteFileHeader(file.text, false, &listed);
    if (file.text.empty())
        return std::nullopt;
    file.order = ++m_textOrder;
    return file;
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
    ++m_changes;
    return true;
}

// ---- Room files ----

void CSnapshotJournal::WriteHeader()
{
    if (!m_running || !m_document || GetDirectory().IsEmpty())
        return;
    EnterCriticalSection(m_document->m_lock);
    const std::optional<FileText> header = TakeHeaderText();
    LeaveCriticalSection(m_document->m_lock);
    if (header)
        WriteFileText(*header);
}

void CSnapshotJournal::Write()
{
    if (m_document)
        WriteRoom(m_document->m_currentRoom);
}

void CSnapshotJournal::WriteRoom(CRoomFloor* room)
{
    // A level being read is not the journal's to write: its rooms come
    // from the file (or from this very folder).
    if (!m_running || !m_document || !room || m_document->m_loading)
        return;
    // The file only: the ring of undo steps and the worker's mark stay as
    // they are, so that leaving adds no step of its own.
    EnterCriticalSection(m_document->m_lock);
    const std::optional<FileText> file = TakeRoomText(room);
    LeaveCriticalSection(m_document->m_lock);
    if (file)
        WriteFileText(*file);
}

void CSnapshotJournal::WriteLevel()
{
    if (!m_running)
        return;
    Write();
    // Every other room too (a mirror, a rebuilt plan or a turn for Bottom
    // Entrance changes rooms that are not current), the header last.
    WriteAll(false);
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
    return ReadWholeText(FolderFilePath(tagName));
}

void CSnapshotJournal::ClearFolder()
{
    if (GetDirectory().IsEmpty())
        return;
    {
        // A text the worker took before is of the level that went.
        std::lock_guard lock(m_writeMutex);
        m_writtenOrder.clear();
        m_writtenText.clear();
        m_clearedOrder = m_textOrder;
    }
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

bool CSnapshotJournal::WriteAll(bool fresh)
{
    if (!m_document || GetDirectory().IsEmpty())
        return false;
    if (fresh)
        ClearFolder();
    EnterCriticalSection(m_document->m_lock);
    std::vector<FileText> files;
    // A drawn room needs a name for its file and its header entry.
    m_document->NameUnnamedRooms();
    for (CRoomFloor* room : m_document->m_rooms)
        if (std::optional<FileText> file = TakeRoomText(room))
            files.push_back(std::move(*file));
    // The header last: a stop halfway leaves no header that lists a room
    // the folder lacks.
    if (std::optional<FileText> header = TakeHeaderText())
        files.push_back(std::move(*header));
    LeaveCriticalSection(m_document->m_lock);
    bool written = true;
    for (const FileText& file : files)
        written = WriteFileText(file) && written;
    return written;
}

bool CSnapshotJournal::Recover()
{
    if (!m_document || GetDirectory().IsEmpty())
        return false;
    const std::optional<std::string> header = ReadWholeText(GetDirectory() + kHeaderFileName);
    if (!header || header->empty())
        return false;
    std::string text = *header;
    std::set<std::string> given;
    // Only the rooms the header lists, each from its own file: any other file
    // (another program's, another level's) is no room of this level, and
    // could spoil the level's text or stand in for a listed room whose file
    // is lost (the reader also takes a tag in its leading-digit guarded form).
    const std::vector<std::string> listed = ListedRooms(*header);
    for (const std::string& name : listed) {
        if (given.count(name) != 0 || IsHeaderFile(CString(name.c_str())))
            continue;
        const std::optional<std::string> body = ReadWholeText(FolderFilePath(name));
        // A file whose name or text would break the level's text is left out
        // rather than spoil every room after it.
        if (!body || body->empty() || !IsUsableTagName(name) || body->find('"') != std::string::npos)
            continue;
        text += "\n<" + EscapeTagName(name) + " body=\"" + *body + "\"/>\n";
        given.insert(name);
    }
    text += "\n</QUENDAR_FPL>\n";
    // The level is replaced only by a text that loads; otherwise it stays.
    EnterCriticalSection(m_document->m_lock);
    const bool loaded = m_document->ParseFile(text.c_str(), static_cast<int>(text.size()));
    LeaveCriticalSection(m_document->m_lock);
    for (const std::string& name : listed)
        if (given.count(name) == 0)
            ReportUnrestoredRoom(name);
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
    // What the room shows now is what a crash must give back.
    std::optional<FileText> file;
    if (replayed) {
        std::lock_guard lock(m_ringMutex);
        m_position = index;
        file = FileText{room->GetTagName(false), snapshot, ++m_textOrder};
        ++m_changes;
    } else {
        room->PlaySavedText(current);
        m_document->CheckRoomShape(room);
    }
    // The room shows a snapshot the ring holds (unmodified, as after the
    // worker's turn), or what it showed before. Only this room changed: the
    // plan's and the other rooms' marks still tell of work to lose.
    room->SetModified(!replayed && wasModified);
    room->SetChangedSinceSnapshot(!replayed && wasChanged);
    if (file)
        WriteFileText(*file);
    LeaveCriticalSection(m_document->m_lock);
    return replayed;
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
