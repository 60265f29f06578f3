// Lays arbitrary bytes into the journal folder as the files a stopped
// program left behind, and restores the level from them the way the program
// does after a crash: the level is rebuilt from the header and the room
// files, then every room is made current, reading its file as the ring of
// snapshots, and undone to its oldest snapshot and redone to its newest.
// Any crash or sanitizer report is a fault.
//
// Input: the header text, then a NUL, then pairs of a room file's name and
// its text, each ended by a NUL:  header \0 name \0 text \0 name \0 text ...
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app_globals.h"
#include "exchange_file.h"
#include "paths.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "snapshot_journal.h"

namespace {

// Long enough that the worker never takes a turn of its own.
constexpr DWORD kQuietPeriodMs = 3600 * 1000;
constexpr std::size_t kMaxRoomFiles = 8;
constexpr std::size_t kMaxNameLength = 40;

std::filesystem::path& DocumentsFolder()
{
    static std::filesystem::path folder;
    return folder;
}

void RemoveDocumentsFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(DocumentsFolder(), ignored);
}

// A documents folder of this process alone, gone when it ends.
void UsePrivateDocuments()
{
    static const bool done = [] {
        DocumentsFolder() = std::filesystem::temp_directory_path() /
                            ("pelk-journal-fuzz-" + std::to_string(::getpid()));
        RemoveDocumentsFolder();
        std::filesystem::create_directories(DocumentsFolder());
        std::atexit(RemoveDocumentsFolder);
        return true;
    }();
    (void)done;
    PlatformPaths::SetDocumentsRoot(DocumentsFolder().string());
}

std::vector<std::string> SplitAtNul(const std::string& data)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= data.size()) {
        std::size_t end = data.find('\0', start);
        if (end == std::string::npos)
            end = data.size();
        parts.push_back(data.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// A name the file system takes as one file in the folder.
bool IsFileName(const std::string& name)
{
    return !name.empty() && name.size() <= kMaxNameLength && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string::npos;
}

void LayOutFolder(const std::filesystem::path& folder, const std::vector<std::string>& parts)
{
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "header", std::ios::binary) << parts[0];
    std::size_t written = 0;
    for (std::size_t i = 1; i + 1 < parts.size() && written < kMaxRoomFiles; i += 2) {
        if (!IsFileName(parts[i]))
            continue;
        std::ofstream(folder / parts[i], std::ios::binary) << parts[i + 1];
        ++written;
    }
}

// Every room is visited and its ring walked both ways.
void WalkRooms(CReplDoc& document)
{
    const std::vector<CRoomFloor*> rooms = document.m_rooms;
    for (CRoomFloor* room : rooms) {
        if (std::find(document.m_rooms.begin(), document.m_rooms.end(), room) ==
            document.m_rooms.end())
            continue;
        document.SetCurrentRoom(room);
        document.m_roomView = true;
        for (int step = 0; step < CSnapshotJournal::kMaxSnapshots && document.m_journal.Undo();
             ++step) {
        }
        for (int step = 0; step < CSnapshotJournal::kMaxSnapshots && document.m_journal.Redo();
             ++step) {
        }
    }
}

void Restore(const std::string& data)
{
    PelkResetAppGlobals();
    UsePrivateDocuments();
    ParseExchangeData(kDefaultExchangeFile, static_cast<int>(kDefaultExchangeFileSize));
    CSnapshotJournal::SetDirectory(CString(L"My Documents\\"));
    if (CSnapshotJournal::GetDirectory().IsEmpty())
        return;
    LayOutFolder(DocumentsFolder() / "journal", SplitAtNul(data));
    CReplDoc document;
    document.m_journal.SetPeriod(kQuietPeriodMs);
    document.RestoreFromJournal();
    WalkRooms(document);
}

}  // namespace

// Fontconfig and Pango keep process-wide caches that they never free; the
// leak checker is told so, so that it reports only our own leaks.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libpango\nleak:libglib\nleak:libgobject\nleak:libharfbuzz\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Restore(std::string(reinterpret_cast<const char*>(data), size));
    PelkResetAppGlobals();
    return 0;
}
