// The document's life: construction, New, the level's reset, the header's
// file base and number, the exchange file and the current room.
#include "repl_doc.h"

#include <algorithm>
#include <cctype>
#include <cwchar>
#include <memory>

#include "c_view.h"
#include "c_win_app.h"
#include "c_wnd.h"
#include "document_lock.h"
#include "door_mode.h"
#include "edit_mode.h"
#include "exit_mode.h"
#include "measurement_mode.h"
#include "room_mode.h"
#include "exchange_file.h"
#include "exchange_settings.h"
#include "file_system.h"
#include "file_utilities.h"
#include "kor_filebuf.h"
#include "message_box.h"
#include "messages.h"
#include "new_room_dlg.h"
#include "new_session_dlg.h"
#include "object_sheet_state.h"
#include "paths.h"
#include "program_version.h"
#include "room_floor.h"
#include "room_type.h"
#include "room_type_catalog.h"
#include "settings.h"
#include "zup_camera.h"
#include "zup_object.h"
#include "zup_opening.h"

namespace {

constexpr UINT kLockAnglesCommand = 2131;
constexpr UINT kResetDimensionsCommand = 2132;
constexpr UINT kNewCommand = 2134;
constexpr UINT kFirstModeCommand = 2138;
constexpr UINT kLastModeCommand = 2141;
constexpr UINT kModeComboControl = 2148;
constexpr UINT kComboSelectionNotification = 1;
constexpr UINT kOptionsCommand = 2149;
constexpr UINT kViewChangeCommand = 2152;
constexpr UINT kMirrorCommand = 2154;
constexpr UINT kNoActionCommand = 2177;
constexpr UINT kRebuildPlanCommand = 2212;
constexpr UINT kExitCommand = 57665;
constexpr const char* kLossQuestion = "Unsaved data may be LOST.\nDo You want to continue?";
constexpr COLORREF kPlanBrushColours[CReplDoc::kPlanBrushCount] = {
    RGB(255, 255, 0), RGB(128, 128, 128), RGB(0, 255, 255),
    RGB(0, 255, 0),   RGB(128, 0, 128),   RGB(0, 128, 128),
};

// The value of the digits that end the name, -1 when it ends in none.
int TrailingNumber(const CString& name)
{
    const std::string text = name.ToNarrow();
    std::size_t start = text.size();
    while (start > 0 && std::isdigit(static_cast<unsigned char>(text[start - 1])))
        --start;
    if (start == text.size())
        return -1;
    const std::string digits = text.substr(start, 9);
    return std::stoi(digits);
}

// The file name without its extension (from the last ".").
CString WithoutExtension(const CString& name)
{
    const std::string text = name.ToNarrow();
    const std::size_t dot = text.rfind('.');
    return CString(dot == std::string::npos ? text : text.substr(0, dot));
}

}  // namespace

bool IsMainWindowVisible()
{
    CWnd* main = AfxGetMainWnd();
    return main && main->IsWindowVisible();
}

// ---- Construction ----

CReplDoc::CReplDoc()
    : m_defaultEntrance(std::make_unique<ZupOpening>(nullptr, "TheEntrance", 1))
{
    m_plan.SetColinearDiscoveryMode(ZUP_DETECT_OFF);
    m_plan.AngularPlay() = angle(0.15);
    m_plan.EnableRules(false);
    m_plan.Container() = this;
    ClearSelection();
    GeoSnap() = static_cast<double>(ZupFloor::GetDefaultLinearSnap());
    for (int i = 0; i < kPlanBrushCount; ++i)
        m_planBrushes[i].CreateSolidBrush(kPlanBrushColours[i]);
    m_plan.SetScale(1.0f);
    m_plan.SetPan(0, 0);
    m_defaultEntrance->SetConnectable(false);
    m_defaultEntrance->SetAction(static_cast<ZupOpening::ACTION>(1));
    m_defaultEntrance->SetPosition(static_cast<ZupOpening::POSITION>(1));
    m_editModes = {new CRoomMode(this), new CDoorMode(this), new CMeasurementMode(this),
                   new CExitMode(this)};
    SetModifiedFlag(TRUE);
    m_journal.SetDocument(this);
    MapCommands();
}

void CReplDoc::MapCommands()
{
    MapCommand(kNewCommand, &CReplDoc::OnNew);
    MapCommand(kExitCommand, &CReplDoc::OnExit);
    MapCommandRange(kFirstModeCommand, kLastModeCommand, &CReplDoc::OnEditMode);
    MapCommand(kModeComboControl, &CReplDoc::OnModeNotify, kComboSelectionNotification);
    MapCommand(kOptionsCommand, &CReplDoc::OnOptions);
    MapCommand(kLockAnglesCommand, &CReplDoc::OnLockAngles);
    MapUpdateCommand(kLockAnglesCommand, &CReplDoc::OnLockAnglesUpdate);
    MapCommand(kResetDimensionsCommand, &CReplDoc::OnResetDimensions);
    MapCommand(kViewChangeCommand, &CReplDoc::OnViewChange);
    MapCommand(kMirrorCommand, &CReplDoc::OnMirror);
    MapCommand(kRebuildPlanCommand, &CReplDoc::OnRebuildPlan);
    MapUpdateCommand(kRebuildPlanCommand, &CReplDoc::OnRebuildPlanUpdate);
    MapCommand(kNoActionCommand, &CReplDoc::OnNoAction);
    MapFileCommands();
}

CReplDoc::~CReplDoc()
{
    // The worker may be reading a room: it ends before any room goes.
    m_journal.Stop();
    DeleteRooms();
    for (auto it = m_editModes.rbegin(); it != m_editModes.rend(); ++it)
        delete *it;
    m_editModes.clear();
}

void CReplDoc::DeleteRooms()
{
    m_currentRoom = nullptr;
    m_failedRoom = nullptr;
    m_partitionToRoom.clear();
    m_roomToPartition.clear();
    // From the end: later rooms may refer to earlier ones' openings.
    while (!m_rooms.empty()) {
        CRoomFloor* room = m_rooms.back();
        m_rooms.pop_back();
        delete room;
    }
}

// ---- Framework ----

BOOL CReplDoc::IsModified() const
{
    if (m_plan.IsModified())
        return TRUE;
    return m_currentRoom && m_currentRoom->IsModified();
}

void CReplDoc::SetModifiedFlag(BOOL modified) { m_frameworkModified = modified; }

// Work is lost when a model changed since it was saved, or when the journal
// holds changes that no file has: the journal's snapshots alone say nothing
// once the level was saved or opened after them.
bool CReplDoc::HasWorkToLose() const
{
    if (IsModified())
        return true;
    return m_journal.HasSnapshots() && m_journal.GetChangeCount() != m_changesInFile;
}

void CReplDoc::MarkLevelInFile() { m_changesInFile = m_journal.GetChangeCount(); }

bool CReplDoc::ConfirmLoss()
{
    if (!HasWorkToLose())
        return false;
    return AfxMessageBox(CString(kLossQuestion), MB_YESNO) != IDYES;
}

bool CReplDoc::SaveModified()
{
    if (!HasWorkToLose())
        return true;
    return AfxMessageBox(CString(kLossQuestion), MB_YESNO) == IDYES;
}

void CReplDoc::OnExit()
{
    if (!ConfirmLoss())
        PostQuitMessage(0);
}

BOOL CReplDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    if (!LoadExchangeFile(CString(kExchangeFilePath)))
        return FALSE;
    m_street = CString("Anystreet");
    m_house = CString("1");
    m_level = CString(GetExchangeSettings().defaultLevel);
    m_orientation = CString("none");
    MakeFileBase();
    CRoomTypeCatalog::Instance(true)->ResetCounters();
    RemoveSaveLeftovers(CString(L"My Documents"));
    return TRUE;
}

bool CReplDoc::LoadExchangeFile(const CString& path)
{
    if (!GetExchangeTables().loaded) {
        GetProgramVersion();
        CSnapshotJournal::SetDirectory(CString(L"My Documents\\"));
        std::unique_ptr<char[]> text;
        const std::optional<std::string> host = PlatformPaths::ToHost(path);
        const std::size_t length = host ? KorFilebuf::getall(text, host->c_str()) : 0;
        if (length == 0 || !text) {
            if (IsMainWindowVisible()) {
                AfxMessageBox(path + CString(" does not exist or corrupted"));
                return false;
            }
        } else if (!ParseExchangeData(text.get(), static_cast<int>(length))) {
            if (IsMainWindowVisible()) {
                AfxMessageBox(CString("Incorrect syntax in ") + path);
                return false;
            }
        }
    }
    ZupObject::SetMetric(GetExchangeSettings().metric);
    return true;
}

bool CReplDoc::ParseExchangeData(const char* text, int length)
{
    const bool accepted = ::ParseExchangeData(text, length);
    GetExchangeTables().loaded = accepted;
    return accepted;
}

void CReplDoc::MakeFileBase()
{
    if (m_street.IsEmpty() || m_house.IsEmpty())
        return;
    // Blanks typed around a field are no part of the name.
    CString street = m_street, levelField = m_level;
    street.Trim();
    levelField.Trim();
    const std::wstring level = levelField.GetString();
    std::wstring base = street.Left(3).GetString();
    base += m_house.GetString();
    base += m_unit.GetString();
    if (!level.empty()) {
        base += level.front();
        base += level.back();
    }
    base.erase(std::remove(base.begin(), base.end(), L' '), base.end());
    // A character no file name may hold (a slash typed in the house number
    // would make a folder of the name) becomes "_".
    for (wchar_t& c : base)
        if (c < L' ' || std::wcschr(L"\\/:*?\"<>|", c))
            c = L'_';
    m_fileBase = CString(base.c_str());
}

void CReplDoc::SetUnitField(const CString& unit)
{
    if (unit.GetLength() > 5)
        m_mls = unit;
    else
        m_unit = unit;
}

// The highest number that ends a saved file's name of this base, so that a
// suggested name never takes one already used.
void CReplDoc::NextFileNumber()
{
    m_fileNumber = 0;
    const CString pattern = CString("My Documents\\") + m_fileBase + CString("*.fpl");
    WIN32_FIND_DATA found{};
    HANDLE search = FindFirstFile(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const int number = TrailingNumber(WithoutExtension(CString(found.cFileName)));
        m_fileNumber = std::max(m_fileNumber, number);
    } while (FindNextFile(search, &found));
    FindClose(search);
}

void CReplDoc::ClearLevel()
{
    if (m_currentMode >= 0)
        SetEditMode(0);
    m_partitionToRoom.clear();
    m_roomToPartition.clear();
    m_plan.Clear();
    m_plan.SetScale(1.0f);
    m_plan.SetPan(0, 0);
    DeleteRooms();
    m_planDirty = true;
    m_roomView = true;
    m_selectedRoomObject = nullptr;
    m_hitWallObject = nullptr;
    m_shapeRow = 0;
    ClearHistory(m_history);
    m_mapLink.Reset();
    CNewRoomDlg::SetLongList(0);
}

void CReplDoc::ResetLevel()
{
    ZupCamera::ResetNamesCount();
    ClearLevel();
    m_entrance = m_defaultEntrance.get();
    NewRoom();
    UpdateAllViews(nullptr);
}

void CReplDoc::OnNew()
{
    CNewRoomDlg::SetLongList(0);
    // A level saved since its last change has nothing to ask about; an edit
    // the journal took (which clears the room's mark) is still unsaved.
    if (!m_rooms.empty() && !m_fileBase.IsEmpty() && HasWorkToLose() && IsMainWindowVisible() &&
        !AskSaveBeforeNew())
        return;
    CNewSessionDlg dialog(this);
    if (dialog.DoModal() == IDOK)
        StartNewSession(dialog);
    else
        RestoreFromJournal();
}

// True when New may go on: Yes saves first (a cancelled or failed save
// stops the New); No goes on when the work is in a file or the user lets it go.
bool CReplDoc::AskSaveBeforeNew()
{
    CString question;
    if (m_unit.IsEmpty())
        question.Format(L"Do you want to save %s %s, %s?", m_house.GetString(),
                        m_street.GetString(), m_level.GetString());
    else
        question.Format(L"Do you want to save %s %s %s, %s?", m_house.GetString(),
                        m_street.GetString(), m_unit.GetString(), m_level.GetString());
    if (AfxMessageBox(question, MB_YESNO) == IDYES)
        return SaveAs(GetNextFileName());
    WIN32_FIND_DATA found{};
    const CString pattern = CString("\\My Documents\\") + m_fileBase + CString("*.fpl");
    HANDLE search = FindFirstFile(pattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
        return true;
    }
    return AfxMessageBox(CString("Your current work not saved.\nDo you want to continue and lost it?"),
                         MB_YESNO) == IDYES;
}

// ---- Rooms ----

CRoomFloor* CReplDoc::GetRoom(int i) const
{
    if (i < 0 || i >= static_cast<int>(m_rooms.size()))
        return nullptr;
    return m_rooms[i];
}

CRoomFloor* CReplDoc::GetRoomOfPartition(ZupPartition* partition) const
{
    if (!partition)
        return GetRoom(0);
    auto found = m_partitionToRoom.find(partition);
    return found == m_partitionToRoom.end() ? nullptr : found->second;
}

ZupPartition* CReplDoc::GetPartitionOfRoom(CRoomFloor* room) const
{
    auto found = m_roomToPartition.find(room);
    return found == m_roomToPartition.end() ? nullptr : found->second;
}

void CReplDoc::SetCurrentRoom(CRoomFloor* room)
{
    if (room == m_currentRoom)
        return;
    // The worker reads the current room under the lock.
    DocumentLock lock(m_lock);
    m_journal.Write();
    m_currentRoom = room;
    m_journal.Read();
}

void CReplDoc::NewRoom()
{
    std::string name;
    if (m_currentRoom)
        if (CRoomType* type = CRoomTypeCatalog::Instance(true)->FindForFloor(m_currentRoom))
            name = type->GetNextName();
    auto* room = new CRoomFloor();
    SetCurrentRoom(room);
    m_rooms.push_back(room);
    ResetObjectSheetMemory();
    if (!name.empty())
        room->ZupFloor::SetName(name.c_str());
    if (CEditMode* mode = GetEditMode()) {
        mode->Leave(false);
        m_currentMode = -1;
    }
    // A new room is drawn from the Room mode's palette, also the first one
    // of a session, when no mode was entered yet.
    if (m_roomView)
        StepEditMode(true);
}

CEditMode* CReplDoc::GetEditMode() const
{
    if (m_currentMode < 0 || m_currentMode >= static_cast<int>(m_editModes.size()))
        return nullptr;
    return m_editModes[m_currentMode];
}

CView* CReplDoc::GetView() const
{
    POSITION position = GetFirstViewPosition();
    return position ? GetNextView(position) : nullptr;
}
