// The floor-plan file's plain text: writing the level as one QUENDAR_FPL
// element and reading such an element back into the document.
#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "c_win_app.h"
#include "c_wnd.h"
#include "code_page.h"
#include "distances.h"
#include "duplicate_room_dlg.h"
#include "exchange_file.h"
#include "exchange_settings.h"
#include "floor_plan_text.h"
#include "kor_model.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "kor_tracker.h"
#include "level_files.h"
#include "message_box.h"
#include "messages.h"
#include "document_lock.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "room_holds.h"
#include "room_trial_settings.h"
#include "room_type.h"
#include "room_type_catalog.h"
#include "settings.h"
#include "text_utilities.h"
#include "xml_element.h"
#include "zup_object.h"
#include "zup_window.h"

namespace {

constexpr const char* kRootName = "QUENDAR_FPL";
constexpr const char* kErrorName = "FPL_ERROR";
constexpr UINT kLoadedMessage = WM_USER + 2;

// Wide text to the system code page, sized to what the text needs (a
// multibyte code page may need more bytes than characters).
std::string ToNarrow(const CString& text)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, text.GetString(), text.GetLength(), nullptr, 0,
                                         nullptr, nullptr);
    if (size <= 0)
        return std::string();
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.GetString(), text.GetLength(), narrow.data(), size, nullptr,
                        nullptr);
    return narrow;
}

CString Wide(const char* text)
{
    CString wide;
    if (!ToCString(wide, text, false))
        wide = L"";
    return wide;
}

void ShowMessage(const CString& text, UINT type = MB_OK)
{
    if (IsMainWindowVisible())
        AfxMessageBox(text, type);
}

// Every room's name without blanks, each followed by ","; escaped as the
// tags are, so that each name finds its element again.
CString BuildPathList(const std::vector<CRoomFloor*>& rooms)
{
    CString path;
    for (CRoomFloor* room : rooms) {
        CString name;
        if (!room->IsDrawn() || !ToCString(name, room->GetTagName(false).c_str(), false))
            continue;
        path += EscapeAttribute(name);
        path += L",";
    }
    return path;
}

// The units the file's rooms are measured in: its own "metric" attribute,
// else the exchange file's default.
bool IsFileMetric(CXMLElement* root)
{
    const char* metric = root->GetAttribute("metric");
    if (metric && *metric)
        return std::strcmp(metric, "YES") == 0;
    return GetExchangeSettings().metric;
}

// The header text of the level read into the document's fields.
void ReadHeaderAttributes(CReplDoc& document, CXMLElement* root)
{
    // Read as they were typed: blanks at either end are the person's too.
    const struct {
        const char* name;
        CString* field;
    } typed[] = {
        {"house", &document.m_house}, {"street", &document.m_street}, {"unit", &document.m_unit},
        {"level", &document.m_level}, {"zip", &document.m_zip},       {"mls", &document.m_mls},
        {"jobid", &document.m_jobId},
    };
    for (const auto& attribute : typed)
        if (!ToCString(*attribute.field, root->GetAttribute(attribute.name), false))
            *attribute.field = L"";
    // The level comes from the level list: one of blanks only is no level.
    CString level = document.m_level;
    level.Trim();
    if (level.IsEmpty())
        document.m_level = L"Main";
    const char* orientation = root->GetAttribute("orient");
    document.m_orientation = orientation ? Wide(orientation) : CString(L"none");
    const char* metric = root->GetAttribute("metric");
    ZupObject::SetMetric(IsFileMetric(root));
    if (metric && *metric)
        document.m_plan.SetWindowDepth(ZupWindow::GetDefaultDepth());
}

// The file keeps nodes to a tenth of an inch, so a door or window node read
// back stands up to a few hundredths off the wall through the corners as
// written. Solved alone the room lets that pass, but the lengths the close
// holds for the plan fix the node twice, along the wall and off it, and the
// solve fails: the room would have its lengths made anew and lose the given
// ones. Each node that stands on one straight wall is put back onto it, a
// move within the file's precision.
void PutWallNodesOnTheirWalls(CRoomFloor& room)
{
    constexpr double kFilePrecision = 0.1;
    for (KorNode* node : room.GetNodes()) {
        if (node->GetNumOfTrackers() != 1 || node->GetNumOfPrimitives() != 0)
            continue;
        KorTracker* wall = node->GetTracker(0);
        if (!wall || wall->GetType() != KOR_LINEAR_TRACKER || wall->GetNumOfPrimitives() == 0)
            continue;
        const point a = wall->GetPrimitive(0)->GetStart()->GetPoint();
        const point b = wall->GetPrimitive(0)->GetEnd()->GetPoint();
        const double dx = b.x() - a.x(), dy = b.y() - a.y(), squared = dx * dx + dy * dy;
        point& p = node->GetPoint();
        if (!(squared > 0.0))
            continue;
        const double t = ((p.x() - a.x()) * dx + (p.y() - a.y()) * dy) / squared;
        const point foot(a.x() + t * dx, a.y() + t * dy);
        if (GeoDistance(p, foot) < kFilePrecision)
            p = foot;
    }
}

// The n-th element of the room's name; a name that begins with a digit or
// a markup character was written with "_" in its place.
CXMLElement* FindRoomElement(CXMLElement* root, const std::string& name, int n)
{
    if (CXMLElement* element = root->GetChild(name.c_str(), n);
        element && std::strcmp(element->GetName(), name.c_str()) == 0)
        return element;
    if (name.empty() || !IsGuardedTagStart(name[0]))
        return nullptr;
    std::string guarded = name;
    guarded[0] = '_';
    CXMLElement* element = root->GetChild(guarded.c_str(), n);
    return element && std::strcmp(element->GetName(), guarded.c_str()) == 0 ? element : nullptr;
}

// Whether the load goes on once the room of that name was found invalid.
bool AskGoOnWithout(const char* name)
{
    CString question;
    question.Format(L"Invalid room %s discarded. Continue?", Wide(name).GetString());
    return !IsMainWindowVisible() || AfxMessageBox(question, MB_YESNO) != IDNO;
}

// The rooms of one file being read: the loop over the path list with its
// duplicates set aside for renaming.
class FloorPlanReader {
public:
    FloorPlanReader(CReplDoc& document, CXMLElement* root) : mDocument(document), mRoot(root) {}

    // False when the user chose to stop.
    bool ReadRoom(const std::string& name);
    void ReconcileDuplicates();
    // The rooms read take back what their text gave them, once the plan is built.
    void RestoreHolds();

private:
    // The occurrence of the name to read; 0 when the new room was dropped.
    int CheckDuplicate(CRoomFloor* room);
    bool AskDiscardDuplicate(const char* name);
    // Drops a room that is not (or no longer) the document's: the last room
    // of the document becomes current first, so nothing keeps a stale room.
    void DiscardRoom(CRoomFloor* room);

    CReplDoc& mDocument;
    CXMLElement* mRoot;
    std::vector<CRoomFloor*> mSetAside;
    std::vector<std::pair<CRoomFloor*, CRoomHolds>> mHolds;
};

bool FloorPlanReader::ReadRoom(const std::string& name)
{
    auto* room = new CRoomFloor();
    mDocument.SetCurrentRoom(room);
    room->ZupFloor::SetName(name.c_str());
    const int occurrence = CheckDuplicate(room);
    if (occurrence == 0)
        return true;
    CXMLElement* element = FindRoomElement(mRoot, name, occurrence);
    const char* body = element ? element->GetAttribute("body") : nullptr;
    if (!body) {
        DiscardRoom(room);
        return true;
    }
    if (mDocument.ReadRoomElement(body)) {
        room->RecreateDimensionsIfLoose();
        room->LetGoOfLengthsWrittenForPlan();
        mHolds.emplace_back(room, CRoomHolds(*room));
        mDocument.AddLoadedRoom(room);
        return true;
    }
    const bool goOn = AskGoOnWithout(room->GetName());
    DiscardRoom(room);
    return goOn;
}

int FloorPlanReader::CheckDuplicate(CRoomFloor* room)
{
    const char* name = room->GetName();
    bool held = false;
    for (CRoomFloor* other : mDocument.m_rooms)
        held = held || (other->GetName() && std::strcmp(other->GetName(), name) == 0);
    if (!held)
        return 1;
    if (AskDiscardDuplicate(name)) {
        DiscardRoom(room);
        return 0;
    }
    int setAside = 0;
    for (CRoomFloor* other : mSetAside)
        setAside += std::strcmp(other->GetName(), name) == 0 ? 1 : 0;
    mSetAside.push_back(room);
    CloseIntoPlanFlag() = false;
    return 2 + setAside;
}

// The duplicate-room question: Discard (true) drops the room read last,
// Rename keeps it under a numbered name.
bool FloorPlanReader::AskDiscardDuplicate(const char* name)
{
    CDuplicateRoomDlg dialog(mDocument.m_level, name);
    return dialog.DoModal() == IDOK;
}

void FloorPlanReader::DiscardRoom(CRoomFloor* room)
{
    std::erase(mSetAside, room);
    std::erase_if(mHolds, [room](const auto& held) { return held.first == room; });
    std::erase(mDocument.m_rooms, room);
    if (mDocument.GetCurrentRoom() == room)
        mDocument.SetCurrentRoom(mDocument.m_rooms.empty() ? nullptr : mDocument.m_rooms.back());
    if (mDocument.m_failedRoom == room)
        mDocument.m_failedRoom = nullptr;
    delete room;
}

void FloorPlanReader::ReconcileDuplicates()
{
    if (mSetAside.empty())
        return;
    // The rooms after the first set-aside one take over its openings' new names.
    std::vector<CRoomFloor*> following;
    const auto first = std::find(mDocument.m_rooms.begin(), mDocument.m_rooms.end(), mSetAside[0]);
    if (first != mDocument.m_rooms.end())
        following.assign(first + 1, mDocument.m_rooms.end());
    CRoomFloor* firstRenamed = nullptr;
    CRoomFloor::OpeningRenames renames;
    const std::vector<CRoomFloor*> setAside = mSetAside;
    for (CRoomFloor* room : setAside) {
        if (!room->RenumberRoom(renames)) {
            std::erase(following, room);
            DiscardRoom(room);
        } else if (!firstRenamed) {
            firstRenamed = room;
        }
    }
    for (CRoomFloor* room : following)
        room->ApplyOpeningRenames(renames);
    if (firstRenamed)
        mDocument.RejoinRooms(firstRenamed);
    mSetAside.clear();
}

void FloorPlanReader::RestoreHolds()
{
    for (const auto& [room, holds] : mHolds)
        if (std::find(mDocument.m_rooms.begin(), mDocument.m_rooms.end(), room) !=
            mDocument.m_rooms.end())
            holds.Restore(*room);
    mHolds.clear();
}

}  // namespace

// ---- Writing ----

void CReplDoc::WriteFileHeader(std::string& out, bool, const std::vector<CRoomFloor*>* listed)
{
    CString text;
    text.Format(L"\n<QUENDAR_FPL version=\"%s\" house=\"%s\" street=\"%s\" unit=\"%s\" level=\"%s\" "
                L"zip=\"%s\" mls=\"%s\" jobid=\"%s\" orient=\"%s\" codepage=\"%d\"\n path=\"%s\"",
                EscapeAttribute(Wide(GetExchangeSettings().version.c_str())).GetString(),
                EscapeAttribute(m_house).GetString(), EscapeAttribute(m_street).GetString(),
                EscapeAttribute(m_unit).GetString(), EscapeAttribute(m_level).GetString(),
                EscapeAttribute(m_zip).GetString(), EscapeAttribute(m_mls).GetString(),
                EscapeAttribute(m_jobId).GetString(), EscapeAttribute(m_orientation).GetString(),
                static_cast<int>(DocumentCodePage()),
                BuildPathList(listed ? *listed : m_rooms).GetString());
    if (ZupObject::IsMetric())
        text += L" metric=\"YES\"";
    text += L">";
    WriteHistory(m_history, text);
    if (m_mapLink.IsValid())
        m_mapLink.Write(text);
    out += ToNarrow(text);
}

void CReplDoc::BuildFileText(std::string& out, bool flag)
{
    DocumentLock lock(m_lock);
    // An element needs a tag: a drawn room never named takes one first.
    NameUnnamedRooms();
    WriteFileHeader(out, flag);
    for (CRoomFloor* room : m_rooms) {
        if (!room->IsDrawn())
            continue;
        out += "\n<";
        out += EscapeTagName(room->GetTagName(true));
        out += " body=\"";
        room->Save(out, false);
        out += "\"/>\n";
    }
    out += "\n</QUENDAR_FPL>\n";
}

// ---- Reading ----

bool CReplDoc::ParseFile(const char* text, int length)
{
    if (!text || length <= 0 || text[0] == '@')
        return false;
    int position = 0;
    while (position < length) {
        auto* element = new CXMLElement();
        if (!element->Parse(text, length, &position)) {
            delete element;
            return false;
        }
        if (std::strcmp(element->GetName(), kRootName) == 0) {
            const bool loaded = ReadFileContent(element);
            delete element;
            return loaded;
        }
        if (std::strcmp(element->GetName(), kErrorName) == 0) {
            const char* message = element->GetAttribute("message");
            if (message && *message)
                ShowMessage(Wide(message));
        }
        delete element;
    }
    return false;
}

bool CReplDoc::ReadFileContent(CXMLElement* root)
{
    const std::vector<std::string> names = SplitNameList(root->GetAttribute("path"));
    // A file none of whose rooms would load is refused before the open
    // level is touched: it stays as it was, unsaved changes and all.
    std::size_t first = 0;
    if (names.empty() || !HasLoadableRoom(root, names, first))
        return false;
    ClearLevel();
    ReadHeaderAttributes(*this, root);
    m_plan.InputSnap() = ZupFloor::GetDefaultLinearInputSnap();
    BeginWaitCursor();
    m_mapLink.Read(root);
    ReadHistory(m_history, root);
    AddHistoryRecord(m_history);

    GeoSnap() = m_plan.LinearPlay();
    m_loading = true;
    m_readingRooms = true;
    const int reorderingLimit = KorModel::ReorderingLimit();
    KorModel::ReorderingLimit() = reorderingLimit * 10;
    FloorPlanReader reader(*this, root);
    // The rooms ahead of the first that loads were discarded by the trial.
    for (std::size_t i = first; i < names.size(); ++i)
        if (!reader.ReadRoom(names[i]))
            break;
    m_readingRooms = false;
    KorModel::ReorderingLimit() = reorderingLimit;
    CloseIntoPlanFlag() = true;
    reader.ReconcileDuplicates();

    const bool loaded = FinishLoad() && !m_rooms.empty();
    reader.RestoreHolds();
    ReleaseEditedRoomAfterLoad();
    if (loaded) {
        SetAllModified(false);
        m_planTransform.Reset();
        m_planAngle = m_rooms.front()->ComputeEntranceAngle();
    }
    // Loading is over either way; a failed load must not leave it marked.
    m_loading = false;
    EndWaitCursor();
    return loaded;
}

bool CReplDoc::HasLoadableRoom(CXMLElement* root, const std::vector<std::string>& names,
                               std::size_t& first)
{
    // What the trial found of each name's room.
    struct Trial {
        bool loads;
        bool hasBody;
    };
    std::map<std::string, Trial> tried;
    bool found = false;
    {
        RoomTrialSettings settings(IsFileMetric(root), m_plan.LinearPlay(),
                                   KorModel::ReorderingLimit() * 10);
        // The first room to load is read before any other of its name, so
        // only the first element of each name matters.
        for (first = 0; first < names.size() && !found; ++first) {
            const std::string& name = names[first];
            if (auto known = tried.find(name); known != tried.end()) {
                found = known->second.loads;
                continue;
            }
            CXMLElement* element = FindRoomElement(root, name, 1);
            const char* body = element ? element->GetAttribute("body") : nullptr;
            found = body && CanLoadRoom(name, [body](CRoomFloor& room) { return room.PlayString(body); });
            tried[name] = {found, body != nullptr};
        }
    }
    if (!found)
        return false;
    --first;
    // Each invalid room ahead of it is discarded with the user's consent,
    // asked now while the open level is still untouched.
    for (std::size_t i = 0; i < first; ++i)
        if (tried[names[i]].hasBody && !AskGoOnWithout(names[i].c_str()))
            return false;
    return true;
}

bool CReplDoc::CanLoadRoom(const std::string& name, const std::function<bool(CRoomFloor&)>& play)
{
    auto room = std::make_unique<CRoomFloor>();
    room->ZupFloor::SetName(name.c_str());
    return play(*room) && CheckRoomShape(room.get());
}

bool CReplDoc::ReadRoomElement(const char* script)
{
    if (!m_currentRoom || !m_currentRoom->PlayString(script))
        return false;
    return CheckRoomShape(m_currentRoom);
}

bool CReplDoc::CheckRoomShape(CRoomFloor* room)
{
    if (!room || room->GetShapeName().empty())
        return false;
    const std::vector<CEdgeChainSpec>* chains = ChainsForShapeName(room->GetShapeName().c_str());
    return chains && room->ApplyChains(*chains);
}

void CReplDoc::AddLoadedRoom(CRoomFloor* room)
{
    if (CRoomType* type = CRoomTypeCatalog::Instance(true)->Find(room->GetName(), false))
        type->NoteName(room->GetName());
    PutWallNodesOnTheirWalls(*room);
    const bool first = m_rooms.empty();
    if (first) {
        room->FindAlignmentsAsDrawn();
        room->SetEntranceNodesMovable(false);
    }
    m_rooms.push_back(room);
    room->CopyOpeningWidths(m_plan);
    room->HideZeroDimensions(false, static_cast<float>(GeoSnap()));
    room->CountEnabledAngles();
    if (!CloseIntoPlanFlag())
        return;
    bool closed = CloseRoom();
    if (!closed && first) {
        room->RemoveAlignments();
        room->SetEntranceNodesMovable(true);
        closed = CloseRoom();
    }
    if (closed)
        return;
    CloseIntoPlanFlag() = false;
    CString message;
    message.Format(L"Inconsistent room %s in %s", Wide(room->GetName()).GetString(),
                   m_level.GetString());
    ShowMessage(message);
}

bool CReplDoc::FinishLoad()
{
    GeoSnap() = static_cast<double>(ZupFloor::GetDefaultLinearSnap());
    if (!m_currentRoom) {
        NewRoom();
        return false;
    }
    if (CloseIntoPlanFlag()) {
        EndRoomEdit();
        AddRoomToPlan(m_currentRoom);
    } else {
        m_roomView = false;
    }
    if (CWnd* main = AfxGetMainWnd())
        main->SendMessage(kLoadedMessage, 0, reinterpret_cast<LPARAM>(this));
    UpdateAllViews(nullptr);
    return true;
}

void CReplDoc::ReleaseEditedRoomAfterLoad()
{
    if (m_roomView && m_currentRoom)
        m_currentRoom->ReleaseDimensionsHeldForPlan();
}

void CReplDoc::SetAllModified(bool modified)
{
    m_plan.SetModified(modified);
    for (CRoomFloor* room : m_rooms)
        room->SetModified(modified);
}
