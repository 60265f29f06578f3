// The document's file commands: Save through a suggested, numbered name,
// Load and open by path (plain or encrypted), the backup copy on the storage
// card, the Levels menu and the import of a folder of room scripts.
#include <algorithm>
#include <cstring>
#include <cwctype>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "c_file.h"
#include "c_menu.h"
#include "c_win_app.h"
#include "c_wnd.h"
#include "exchange_file.h"
#include "file_cipher.h"
#include "file_dialog.h"
#include "file_system.h"
#include "file_utilities.h"
#include "floor_plan_text.h"
#include "level_files.h"
#include "message_box.h"
#include "document_lock.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "room_holds.h"
#include "room_trial_settings.h"
#include "room_type_catalog.h"
#include "settings.h"
#include "text_utilities.h"

namespace {

constexpr const wchar_t kFileFilter[] = L"FloorPlans (*.fpl)\0*.fpl\0";
constexpr const wchar_t* kDefaultExtension = L"fpl";
constexpr const wchar_t* kFirstSuggestion = L"My Documents\\TEST";
constexpr UINT kSaveCommand = 57603;
constexpr UINT kLoadCommand = 57601;
constexpr UINT kChangeLevelItem = 2199;
constexpr UINT kFirstLevelCommand = 2200;
constexpr UINT kLastLevelCommand = 2209;
// A number longer than this is no save counter of ours (and would overflow).
constexpr int kMaxCounterDigits = 9;

void ShowMessage(const CString& text, UINT type = MB_OK)
{
    if (IsMainWindowVisible())
        AfxMessageBox(text, type);
}

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

// The position of the last folder separator, -1 without one.
int LastSeparator(const CString& path)
{
    for (int i = path.GetLength() - 1; i >= 0; --i)
        if (IsSeparator(path[i]))
            return i;
    return -1;
}

// Splits the decimal digits that end the text off it; -1 without digits.
int TakeTrailingNumber(CString& text)
{
    int start = text.GetLength();
    while (start > 0 && std::iswdigit(static_cast<wint_t>(text[start - 1])))
        --start;
    if (start == text.GetLength())
        return -1;
    const int first = std::max(start, text.GetLength() - kMaxCounterDigits);
    const int number = std::stoi(std::wstring(text.Mid(first).GetString()));
    text = text.Left(start);
    return number;
}

// The file name between the last separator and the last dot.
CString FileTitle(const CString& path)
{
    CString name = path.Mid(LastSeparator(path) + 1);
    const int dot = name.ReverseFind(L'.');
    if (dot >= 0)
        name = name.Left(dot);
    return name;
}

// The framework's report of a file that could not be created or closed.
void ReportFileException(const CString& path, const CFileException& error)
{
    TCHAR reason[256] = {};
    CString message;
    if (error.GetErrorMessage(reason, 255))
        message.Format(L"Can not save to %s. %s", path.GetString(), reason);
    else
        message.Format(L"Can not save to %s. Error %d", path.GetString(), error.m_cause);
    ShowMessage(message, MB_OK | MB_ICONEXCLAMATION);
}

// "%s\Backup%s": the card's folder and the saved file's name with its
// leading backslash.
CString BackupPath(const CString& card, const CString& savedPath)
{
    const int separator = LastSeparator(savedPath);
    const CString name = CString(L"\\") + savedPath.Mid(separator + 1);
    CString path;
    path.Format(L"%s\\Backup%s", card.GetString(), name.GetString());
    return path;
}

// Puts the bytes in place of the file; a failure is reported and leaves the
// file as it was.
bool ReplaceFile(const CString& path, const std::string& bytes)
{
    CFileException error;
    if (WriteFileReplacing(path, bytes, error))
        return true;
    ReportFileException(path, error);
    return false;
}

// Writes the same bytes as the main file into the backup on the first
// storage card, when there is one.
void WriteBackup(const CString& savedPath, const std::string& bytes)
{
    WIN32_FIND_DATA card{};
    HANDLE search = FindFirstStorageCard(&card);
    if (search == INVALID_HANDLE_VALUE)
        return;
    FindClose(search);
    ReplaceFile(BackupPath(CString(card.cFileName), savedPath), bytes);
}

// The pop-up of the menu bar that begins with "Change Level...".
CMenu* FindLevelsMenu(CMenu* menu)
{
    if (!menu)
        return nullptr;
    if (menu->GetMenuItemCount() > 0 && menu->GetMenuItemID(0) == kChangeLevelItem)
        return menu;
    for (UINT i = 0; i < menu->GetMenuItemCount(); ++i)
        if (CMenu* found = FindLevelsMenu(menu->GetSubMenu(static_cast<int>(i))))
            return found;
    return nullptr;
}

// The room's script in the folder: its name with the extension ".vcr".
CString RoomScriptPath(const CString& folder, const std::string& name)
{
    CString script;
    ToCString(script, name.c_str(), false);
    return folder + CString(L"\\") + script + CString(L".vcr");
}

}  // namespace

// ---- Save ----

void CReplDoc::MapFileCommands()
{
    MapCommand(kSaveCommand, &CReplDoc::OnFileSave);
    MapCommand(kLoadCommand, &CReplDoc::OnFileOpen);
    MapCommandRange(kFirstLevelCommand, kLastLevelCommand, &CReplDoc::OnChangeLevel);
}

void CReplDoc::OnFileSave()
{
    SaveAs(m_fileBase.IsEmpty() ? CString(kFirstSuggestion) : GetNextFileName());
}

CString CReplDoc::GetNextFileName() const
{
    CString name;
    name.Format(L"%s%d", m_fileBase.GetString(), m_fileNumber + 1);
    return name;
}

bool CReplDoc::SaveAs(const CString& suggestion)
{
    // Rooms never drawn are no part of the file: without a drawn room there
    // is nothing to save.
    if (std::none_of(m_rooms.begin(), m_rooms.end(), [](CRoomFloor* room) { return room->IsDrawn(); }))
        return false;
    wchar_t buffer[kFileNameBuffer] = {};
    std::copy_n(suggestion.GetString(), std::min(suggestion.GetLength(), kFileNameBuffer - 1), buffer);
    OPENFILENAME dialog;
    dialog.hwndOwner = nullptr;
    dialog.lpstrFilter = kFileFilter;
    dialog.lpstrFile = buffer;
    dialog.nMaxFile = kFileNameBuffer;
    dialog.Flags = OFN_OVERWRITEPROMPT;
    dialog.lpstrDefExt = kDefaultExtension;
    if (!GetSaveFileName(&dialog))
        return false;
    CString path(buffer);
    if (!path.IsEmpty() && path[path.GetLength() - 1] == L'.')
        path = path.Left(path.GetLength() - 1);
    if (!SaveToFile(path))
        return false;
    m_fileNumber = GetCounterFromName(path);
    auto& files = LevelFileMap();
    const bool newLevel = files.find(m_level) == files.end();
    files[m_level] = path;
    if (newLevel)
        RebuildLevelsMenu();
    return true;
}

bool CReplDoc::SaveToFile(const CString& path)
{
    // The whole file is made in memory first: nothing touches the old file
    // (or its backup) until there is a complete one to put in its place.
    std::string bytes;
    BuildFileText(bytes);
    if (CFileCipher::EncryptionFlag()) {
        if (CFileCipher::Encrypt(bytes) == 0) {
            ShowMessage(CString(L"Encryption failed"));
            return false;
        }
        bytes.insert(bytes.begin(), CFileCipher::kMarker);
    }
    if (!ReplaceFile(path, bytes))
        return false;
    {
        // The journal's worker marks the current room under the same lock.
        DocumentLock lock(m_lock);
        SetAllModified(false);
        MarkLevelInFile();
    }
    WriteBackup(path, bytes);
    return true;
}

int CReplDoc::GetCounterFromName(const CString& path)
{
    CString name = FileTitle(path);
    return std::max(TakeTrailingNumber(name), 0);
}

CString CReplDoc::GetBaseFromName(const CString& path)
{
    CString name = FileTitle(path);
    TakeTrailingNumber(name);
    return name;
}

// ---- Open ----

void CReplDoc::OnFileOpen()
{
    LoadFromDialog();
}

bool CReplDoc::LoadFromDialog()
{
    if (GetExchangeTables().shapes.empty() && !LoadExchangeFile(CString(kExchangeFilePath)))
        return false;
    if (ConfirmLoss())
        return false;
    wchar_t buffer[kFileNameBuffer] = {};
    if (!AskOpenFileName(buffer))
        return false;
    CloseIntoPlanFlag() = true;
    return OpenFile(CString(buffer));
}

bool CReplDoc::AskOpenFileName(wchar_t* buffer)
{
    OPENFILENAME dialog;
    dialog.hwndOwner = nullptr;
    dialog.lpstrFilter = kFileFilter;
    dialog.lpstrFile = buffer;
    dialog.nMaxFile = kFileNameBuffer;
    dialog.Flags = 0;
    return GetOpenFileName(&dialog) != FALSE;
}

BOOL CReplDoc::OnOpenDocument(LPCTSTR path)
{
    if (GetExchangeTables().shapes.empty() && !LoadExchangeFile(CString(kExchangeFilePath)))
        return FALSE;
    CloseIntoPlanFlag() = true;
    return OpenFile(CString(path)) ? TRUE : FALSE;
}

bool CReplDoc::DecryptFile(std::unique_ptr<char[]>& text, DWORD& error, int& length)
{
    int chunksDone = 0, chunkCount = 0;
    if (CFileCipher::Decrypt(text.get(), length, error, chunksDone, chunkCount) &&
        FindRootElement(text.get()))
        return true;
    text.reset();
    length = ReadTextFile(GetPathName(), text);
    if (length == 0)
        return false;
    CFileCipher::SelectPassphrase(false);
    const bool decrypted = CFileCipher::Decrypt(text.get(), length, error, chunksDone, chunkCount) &&
                           FindRootElement(text.get());
    CFileCipher::SelectPassphrase(true);
    return decrypted;
}

bool CReplDoc::OpenFile(const CString& path)
{
    DocumentLock lock(m_lock);
    std::unique_ptr<char[]> text;
    int length = ReadTextFile(path, text);
    bool opened = false;
    bool decryptionReported = false;
    // A refused file leaves the open level its own path and stays out of the
    // recent files.
    const CString openPath = GetPathName();
    if (length > 0) {
        SetPathName(path, FALSE);
        if (text[0] == CFileCipher::kMarker) {
            DWORD error = 0;
            if (DecryptFile(text, error, length)) {
                opened = ParseFile(text.get(), length);
            } else {
                CString message;
                message.Format(L"Decryption failed. Error %d", static_cast<int>(error));
                ShowMessage(message);
                decryptionReported = true;
            }
        } else if (FindRootElement(text.get())) {
            opened = ParseFile(text.get(), length) || ReadRoomDirectory(path);
        }
    }
    text.reset();
    if (!opened) {
        SetPathName(openPath, FALSE);
        if (!decryptionReported) {
            CString message;
            message.Format(L"Invalid or corrupted file %s", path.GetString());
            ShowMessage(message);
        }
        return false;
    }
    SetPathName(path, TRUE);
    if (!m_street.IsEmpty() && !m_house.IsEmpty()) {
        m_fileNumber = GetCounterFromName(path);
        // Saved on under its own name: a file opened from the command line
        // has no base of a session yet, and one loaded over a session may
        // belong to another house.
        if (const CString base = GetBaseFromName(path); !base.IsEmpty())
            m_fileBase = base;
        else if (m_fileBase.IsEmpty())
            MakeFileBase();
    } else {
        const int separator = LastSeparator(path);
        CString folder = separator > 0 ? path.Left(separator) : CString();
        folder = folder.Mid(LastSeparator(folder) + 1);
        m_fileNumber = std::max(TakeTrailingNumber(folder), 0);
        m_fileBase = folder;
    }
    ShowLoadedPlan();
    // Closing the last room into the plan is no edit: the level is its file.
    SetAllModified(false);
    if (m_journal.WriteAll())
        m_journal.Start();
    MarkLevelInFile();
    return true;
}

// The level just opened is shown as its plan, its last room closed into it
// as View Change would, whatever the view showed before (the Room mode's
// shape palette of a new session).
void CReplDoc::ShowLoadedPlan()
{
    if (!m_currentRoom || m_currentRoom->GetNumOfDimensions() == 0)
        return;
    ClearSelection();
    m_roomView = false;
    SwitchToPlan();
}

// ---- Levels menu ----

void CReplDoc::RebuildLevelsMenu()
{
    CWnd* main = AfxGetMainWnd();
    CMenu* levels = FindLevelsMenu(main ? main->GetMenu() : nullptr);
    if (!levels)
        return;
    while (levels->GetMenuItemCount() > 1)
        levels->DeleteMenu(1, MF_BYPOSITION);
    const auto& files = LevelFileMap();
    if (files.empty())
        return;
    levels->AppendMenu(MF_SEPARATOR);
    for (const auto& [level, path] : files) {
        const UINT command = kFirstLevelCommand + static_cast<UINT>(LevelIndex(level));
        // Beyond the last level command the id would belong to another command.
        if (command > kLastLevelCommand)
            continue;
        const UINT check = level == m_level ? MF_CHECKED : MF_UNCHECKED;
        levels->AppendMenu(MF_STRING | check, command, level.GetString());
    }
}

void CReplDoc::OnChangeLevel(UINT command)
{
    const std::vector<CString>& list = LevelList();
    if (command < kFirstLevelCommand || command - kFirstLevelCommand >= list.size())
        return;
    const CString& level = list[command - kFirstLevelCommand];
    if (level == m_level)
        return;
    const auto& files = LevelFileMap();
    if (const auto found = files.find(level); found != files.end()) {
        // The edits of the level left go with it: ask first, as Load does.
        if (ConfirmLoss())
            return;
        const CString path = found->second;
        CloseIntoPlanFlag() = true;
        OpenFile(path);
    }
    RebuildLevelsMenu();
}

// ---- Folder of room scripts ----

bool CReplDoc::ReadAddressFile(const CString& path, std::vector<std::string>& names)
{
    std::unique_ptr<char[]> buffer;
    if (ReadTextFile(path, buffer) == 0)
        return false;
    std::string text = buffer.get();
    const std::size_t street = text.find("Street:");
    if (street != std::string::npos) {
        const struct {
            const char* label;
            CString* field;
        } lines[] = {
            {"Street:", &m_street}, {"House:", &m_house},           {"Level:", &m_level},
            {"ZIP:", &m_zip},       {"Orientation:", &m_orientation},
        };
        for (const auto& line : lines) {
            const std::size_t at = text.find(line.label);
            if (at == std::string::npos)
                continue;
            const std::size_t start = at + std::strlen(line.label);
            std::string value = text.substr(start, text.find('\n', start) - start);
            if (!value.empty() && value.back() == '\r')
                value.pop_back();
            ToCString(*line.field, value.c_str(), false);
        }
        text.resize(street);
    }
    names = SplitNameList(text.c_str());
    return !names.empty();
}

bool CReplDoc::CanLoadRoomScript(const CString& folder, const std::string& name)
{
    const CString script = RoomScriptPath(folder, name);
    RoomTrialSettings settings(ZupObject::IsMetric(), m_plan.LinearPlay(),
                               KorModel::ReorderingLimit());
    return CanLoadRoom(name, [&script](CRoomFloor& room) { return room.PlayFile(script); });
}

bool CReplDoc::ReadRoomDirectory(const CString& path)
{
    const int separator = LastSeparator(path);
    const CString folder = separator >= 0 ? path.Left(separator) : CString();
    const DWORD attributes = GetFileAttributes(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    // The import stops at the first room that fails: without a first room
    // there is no level to open, and the open one (address lines included)
    // stays as it was.
    CString* const addressFields[] = {&m_street, &m_house, &m_level, &m_zip, &m_orientation};
    const CString openAddress[] = {m_street, m_house, m_level, m_zip, m_orientation};
    std::vector<std::string> names;
    if (!ReadAddressFile(path, names) || !CanLoadRoomScript(folder, names.front())) {
        for (std::size_t i = 0; i < std::size(openAddress); ++i)
            *addressFields[i] = openAddress[i];
        return false;
    }
    ClearLevel();
    GeoSnap() = m_plan.LinearPlay();
    CloseIntoPlanFlag() = true;
    std::vector<std::pair<CRoomFloor*, CRoomHolds>> holds;
    for (const std::string& name : names) {
        auto* room = new CRoomFloor();
        SetCurrentRoom(room);
        room->ZupFloor::SetName(name.c_str());
        if (!room->PlayFile(RoomScriptPath(folder, name)) || !CheckRoomShape(room)) {
            // The room that stopped the import is dropped; the last good one
            // becomes current before it goes.
            SetCurrentRoom(m_rooms.empty() ? nullptr : m_rooms.back());
            delete room;
            break;
        }
        room->LetGoOfLengthsWrittenForPlan();
        holds.emplace_back(room, CRoomHolds(*room));
        AddLoadedRoom(room);
    }
    const bool loaded = FinishLoad();
    // Every room read takes back what its script gave it (the import keeps
    // every room it added).
    for (const auto& [room, held] : holds)
        held.Restore(*room);
    ReleaseEditedRoomAfterLoad();
    return loaded;
}
