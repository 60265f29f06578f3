// The document's operations on rooms: closing a room into the level's plan,
// rebuilding the plan, the Smart Walls fallback, predefined shapes, the
// entrance of a room, wall objects placed on its walls and the edit modes.
#include <cmath>
#include <cstring>
#include <set>
#include <string>

#include "c_string.h"
#include "dimension_values.h"
#include "edit_mode.h"
#include "exchange_file.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "message_box.h"
#include "messages.h"
#include "document_lock.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "settings.h"
#include "xml_element.h"
#include "zup_edge.h"
#include "zup_object.h"
#include "zup_opening.h"
#include "zup_partition.h"

namespace {

// Records the room's label, when it has one, as the partition's.
void LabelPartition(ZupPartition* partition, CRoomFloor* room)
{
    if (partition && !room->GetLabel().empty())
        partition->SetLabel(room->GetLabel().c_str());
}

CString RoomName(CRoomFloor* room)
{
    return CString(room && room->GetName() ? room->GetName() : "");
}

// Wait cursor for the length of a rebuild.
class WaitCursor {
public:
    explicit WaitCursor(CCmdTarget& target) : mTarget(target) { mTarget.BeginWaitCursor(); }
    ~WaitCursor() { mTarget.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    CCmdTarget& mTarget;
};

}  // namespace

void CReplDoc::RecordPartition(CRoomFloor* room, ZupPartition* partition)
{
    m_partitionToRoom[partition] = room;
    m_roomToPartition[room] = partition;
    JoinedRoom& joined = m_joinedRooms[room];
    joined.partition = partition;
    joined.text.clear();
    room->Save(joined.text, false);
}

// Every room of the level has its partition in the plan and stands as it
// stood when it joined.
bool CReplDoc::PlanIsCurrent()
{
    std::set<ZupPartition*> inPlan;
    for (int i = 0; i < m_plan.GetNumOfPartitions(); ++i)
        inPlan.insert(m_plan.GetPartition(i));
    for (CRoomFloor* room : m_rooms) {
        ZupPartition* partition = GetPartitionOfRoom(room);
        auto joined = m_joinedRooms.find(room);
        if (!partition || !inPlan.count(partition) || joined == m_joinedRooms.end() ||
            joined->second.partition != partition)
            return false;
        std::string text;
        room->Save(text, false);
        if (text != joined->second.text)
            return false;
    }
    return true;
}

void CReplDoc::MarkExits(CRoomFloor* room, ZupPartition* partition)
{
    ZupOpening* entrance = room->GetEntrance();
    if (!entrance)
        return;
    entrance->SetExit(true);
    if (ZupOpening* twin = FindTwinOpening(partition, entrance))
        twin->SetExit(true);
}

// ---- Closing a room ----

bool CReplDoc::CloseRoom()
{
    DocumentLock lock(m_lock);
    CRoomFloor* room = m_currentRoom;
    if (!room)
        return false;
    if (!room->AreChainsConsistent())
        room->HoldNeededDimensionsForPlan();
    room->UpdateEntranceAngles(true, false);
    if (!room->mbClosed && room == m_rooms.back())
        return CloseNewRoom(room);
    if (!room->IsModified() || room->Resolve()) {
        if (!RejoinRooms(room))
            return false;
        CreateClosets();
        m_failedRoom = nullptr;
        return true;
    }
    if (IsMainWindowVisible())
        AfxMessageBox(CString("Inconsistent dimensions"));
    return false;
}

// A room being drawn joins the plan for the first time.
bool CReplDoc::CloseNewRoom(CRoomFloor* room)
{
    if (!room->Resolve() && !room->IsResolved() && !room->ResolveOrDropDimensions(false))
        return false;
    ZupPartition* partition = nullptr;
    if (m_plan.GetNumOfOpenings() == 0 && m_rooms.size() < 2) {
        room->StoreEntranceDirection(room->GetEntrance());
        m_plan.Create(room);
        partition = m_plan.Get1stPartition();
        LabelPartition(partition, room);
        m_plan.SetScale(1.0f);
        m_plan.SetPan(0, 0);
    } else if (m_plan.GetNumOfOpenings() == 0) {
        if (!AddRoomToPlan(room))
            return false;
        partition = JoinRoomToPlan(room);
    } else {
        partition = JoinRoomToPlan(room);
    }
    if (!partition) {
        m_failedRoom = room;
        return false;
    }
    if (!room->AreChainsConsistent())
        room->HoldNeededDimensionsForPlan();
    room->mbClosed = true;
    MarkExits(room, partition);
    RecordPartition(room, partition);
    CreateClosets();
    m_failedRoom = nullptr;
    return true;
}

ZupPartition* CReplDoc::JoinRoomToPlan(CRoomFloor* room)
{
    ZupOpening* portal = m_plan.GetConnectionPortal(room);
    if (!portal)
        return nullptr;
    ZupOpening* entrance = room->GetEntrance();
    const bool moved = entrance && portal->GetGeoCenter() != entrance->GetGeoCenter();
    if (m_planDirty || moved)
        room->ApplyTransform(m_plan.CalculateTransformation(portal, entrance));
    room->RefreshOutline();
    if (m_planDirty)
        room->ZupFloor::UpdateObjects();
    ZupPartition* partition = m_plan.AddPartition(room, portal);
    if (!partition) {
        if (IsMainWindowVisible()) {
            CString text;
            if (!m_smartWalls) {
                text.Format(L"Inconsistency detected in %s.", RoomName(room).GetString());
                AfxMessageBox(text);
                return nullptr;
            }
            text.Format(L"Inconsistency detected in %s.\nRetry with Smart Walls OFF or Cancel?",
                        RoomName(room).GetString());
            if (AfxMessageBox(text, MB_RETRYCANCEL) == IDCANCEL)
                return nullptr;
        }
        EnableRules(false);
        partition = m_plan.AddPartition(room, portal);
        if (!partition)
            return nullptr;
    }
    room->RefreshContour();
    if (room->IsBelow())
        partition->SetBelow(true);
    LabelPartition(partition, room);
    return partition;
}

bool CReplDoc::AddRoomToPlan(CRoomFloor* room)
{
    WaitCursor wait(*this);
    m_partitionToRoom.clear();
    m_roomToPartition.clear();
    m_joinedRooms.clear();
    const float scale = m_plan.GetScale();
    int panX = 0, panY = 0;
    m_plan.GetPan(panX, panY);
    auto restoreView = [&] {
        m_plan.SetScale(scale);
        m_plan.SetPan(panX, panY);
    };
    if (m_rooms.empty() || room == m_rooms.front()) {
        m_plan.KorModel::Clear();
        restoreView();
        return true;
    }
    if (!StartPlanFromFirstRoom()) {
        restoreView();
        return false;
    }
    restoreView();
    ZupPartition* last = nullptr;
    for (std::size_t i = 1; i < m_rooms.size() && m_rooms[i] != room; ++i) {
        CRoomFloor* next = m_rooms[i];
        if (!CheckConnection(next))
            continue;
        last = JoinRoomToPlan(next);
        if (last) {
            next->mbClosed = true;
            RecordPartition(next, last);
            continue;
        }
        if (next == m_failedRoom)
            continue;
        m_failedRoom = next;
        return SmartWallsFallback();
    }
    return last != nullptr || m_rooms.size() < 3 || m_rooms[1] == room;
}

// The plan starts over with the first room as its first partition.
bool CReplDoc::StartPlanFromFirstRoom()
{
    CRoomFloor* first = m_rooms.front();
    first->RefreshOutline();
    m_plan.KorModel::Clear();
    if (!m_plan.Create(first)) {
        first->RefreshContour();
        return false;
    }
    ZupPartition* partition = m_plan.Get1stPartition();
    if (partition && !first->GetLabel().empty())
        partition->SetName(first->GetLabel().c_str());
    first->mbClosed = true;
    first->RefreshContour();
    RecordPartition(first, partition);
    return true;
}

bool CReplDoc::RejoinRooms(CRoomFloor* room)
{
    WaitCursor wait(*this);
    if (GetPartitionOfRoom(room)) {
        // The plan holds the room already: as it was joined, there is
        // nothing to do; else the plan goes back to the rooms before it.
        if (PlanIsCurrent()) {
            m_planDirty = false;
            return true;
        }
        if (!AddRoomToPlan(room))
            return false;
    }
    bool reached = false;
    bool rebuilding = false;
    for (std::size_t i = 0; i < m_rooms.size(); ++i) {
        CRoomFloor* next = m_rooms[i];
        if (next == room)
            rebuilding = reached = true;
        if (!rebuilding)
            continue;
        ZupPartition* partition = nullptr;
        if (i == 0) {
            if (StartPlanFromFirstRoom())
                partition = m_plan.Get1stPartition();
        } else {
            if (!CheckConnection(next)) {
                m_failedRoom = next;
                EndRoomEdit();
                return false;
            }
            partition = JoinRoomToPlan(next);
        }
        if (!partition) {
            if (m_smartWalls && m_failedRoom != next)
                m_failedRoom = next;
            AddRoomToPlan(m_failedRoom);
            EndRoomEdit();
            return false;
        }
        next->mbClosed = true;
        if (next->GetEntrance() && m_currentRoom && m_currentRoom->GetEntrance()) {
            m_currentRoom->GetEntrance()->SetExit(true);
            if (ZupOpening* twin = FindTwinOpening(partition, next->GetEntrance()))
                twin->SetExit(true);
        }
        RecordPartition(next, partition);
    }
    m_planDirty = false;
    return reached;
}

bool CReplDoc::CheckConnection(CRoomFloor* room)
{
    bool widthChanged = false;
    for (ZupOpening* opening = room->Get1stOpening(); opening; opening = room->GetNextOpening()) {
        KorDimension* width = opening->GetWidthDimension();
        if (!width || width->GetLayer() != 3)
            continue;
        ZupOpening* twin = m_plan.GetOpening(opening->GetName().c_str());
        if (!twin)
            continue;
        if (std::fabs(twin->GetWidth() - width->GetValue()) > room->InputSnap()) {
            FixDimension(width, twin->GetWidth());
            widthChanged = true;
        }
        ZupEdge* twinWall = twin->GetEdge();
        ZupEdge* wall = opening->GetEdge();
        if (twinWall && wall && twinWall->WallThickness() != wall->WallThickness()) {
            wall->WallThickness() = twinWall->WallThickness();
            room->InvalidateArea();
        }
    }
    return widthChanged ? room->Resolve() : true;
}

bool CReplDoc::SmartWallsFallback()
{
    if (m_smartWalls && IsMainWindowVisible()) {
        CString text;
        text.Format(L"Inconsistency detected in %s.\n Turning Smart Walls OFF.",
                    RoomName(m_failedRoom).GetString());
        AfxMessageBox(text);
        EnableRules(false);
    }
    if (!RejoinRooms(m_failedRoom))
        return false;
    m_failedRoom = nullptr;
    return true;
}

ZupOpening* CReplDoc::FindTwinOpening(ZupPartition* partition, ZupOpening* opening)
{
    if (!opening)
        return nullptr;
    const std::string name = opening->GetName();
    ZupOpening* planOpening = m_plan.GetOpening(name.c_str());
    if (!planOpening)
        return nullptr;
    ZupPartition* other = planOpening->GetOtherPartition(partition);
    CRoomFloor* room = GetRoomOfPartition(other);
    return room ? room->GetOpening(name.c_str()) : nullptr;
}

// ---- Shapes, entrances and wall objects ----

bool CReplDoc::InsertShape(int row, int column)
{
    m_shapeRow = row;
    ExchangeTables& tables = GetExchangeTables();
    if (row < 0 || row >= static_cast<int>(tables.shapes.size()) || column < 0 ||
        column >= static_cast<int>(tables.shapes[row].size()) || !m_currentRoom)
        return false;
    CXMLElement* shape = tables.shapes[row][column];
    const char* triangulate = shape->GetAttribute("triangulate");
    const char* body = shape->GetAttribute("body");
    if (!body || !*body)
        return false;
    m_lock.Lock();
    const bool built = m_currentRoom->LoadShape(
        body, ShapeChains(row, column), m_smartWalls, triangulate && std::strcmp(triangulate, "YES") == 0);
    m_lock.Unlock();
    if (!built)
        return false;
    const char* name = shape->GetAttribute("name");
    m_currentRoom->SetShapeName(name ? name : "");
    return true;
}

void CReplDoc::NameUnnamedRooms()
{
    std::set<std::string> taken;
    for (CRoomFloor* room : m_rooms)
        if (room->GetName())
            taken.insert(room->GetName());
    for (CRoomFloor* room : m_rooms)
        if (room->IsDrawn() && !(room->GetName() && *room->GetName())) {
            room->TakeDefaultName(taken);
            taken.insert(room->GetName());
        }
}

ZupOpening* CReplDoc::PlaceWallObject(double x, double y, ZupOpening* templateOpening)
{
    CRoomFloor* room = m_currentRoom;
    if (!room || !templateOpening)
        return nullptr;
    point p(x, y);
    ZupEdge* wall = room->GetEdge(x, y);
    if (!wall || room->GetOpening(p))
        return nullptr;
    const std::string name = templateOpening->GetName();
    ZupOpening* twin = m_plan.GetNumOfOpenings() > 0 ? m_plan.GetOpening(name.c_str()) : nullptr;
    if (twin && twin->GetEdge())
        wall->WallThickness() = twin->GetEdge()->WallThickness();
    ZupOpening* opening = room->CreateOpening(name.c_str(), templateOpening->GetType(), x, y);
    if (!opening)
        return nullptr;
    if (!twin) {
        opening->SetAction(templateOpening->GetAction());
        opening->SetPosition(templateOpening->GetPosition());
    } else {
        opening->SetAction(ZupOpening::GetReversed(twin->GetAction()));
        opening->SetPosition(ZupOpening::GetReversed(twin->GetPosition()));
    }
    opening->SetConnectable(templateOpening->IsConnectable(nullptr));
    opening->SetCloset(templateOpening->IsCloset());
    opening->CreateWidthDimension();
    ZupEdge* host = opening->GetEdge();
    if (host && host->GetNumOfObjects() < 2)
        opening->CreatePosDimension(nullptr, -1.0f);
    else if (host)
        host->SetObjectsPosition(-1.0f);
    if (host)
        host->ModifyLengthDim(-1.0f);
    if (twin)
        TakeTwinWidth(room, opening, twin);
    return opening;
}

// An opening that continues a plan opening takes its width; a room much
// smaller or larger than that is scaled first.
void CReplDoc::TakeTwinWidth(CRoomFloor* room, ZupOpening* opening, ZupOpening* twin)
{
    const double width = twin->GetWidth();
    KorPrimitive* wall = room->GetEntranceWall();
    const double length = wall ? wall->GetGeometry().length() : 0.0;
    if (length > 0.0 && width > length)
        room->Scale(width / length);
    else if (length > 0.0 && width < length * 0.1)
        room->Scale(0.25);
    if (KorDimension* dimension = opening->GetWidthDimension()) {
        FixDimension(dimension, width);
        dimension->SetLayer(3);
    }
    opening->SetCenterPosition(static_cast<float>(width));
}

void CReplDoc::PlaceEntrance(ZupOpening* opening)
{
    if (!opening)
        opening = m_entrance;
    CRoomFloor* room = m_currentRoom;
    if (!room || !opening || !room->FindEntranceMarker())
        return;
    const point centre = room->GetCurrentWallCenter();
    const bool isDefault = opening == m_defaultEntrance.get();
    const float defaultWidth = ZupFloor::DefaultOpeningWidth();
    if (isDefault && !ZupObject::IsMetric())
        ZupFloor::DefaultOpeningWidth() = 36.0f;
    const int storey = GetStoreyPosition();
    ZupOpening* entrance = PlaceWallObject(centre.x(), centre.y(), opening);
    if (entrance)
        room->SetEntrance(entrance, storey);
    if (isDefault) {
        ZupFloor::DefaultOpeningWidth() = defaultWidth;
        m_planAngle = room->ComputeEntranceAngle();
    }
    if (m_alignRooms && m_plan.GetNumOfOpenings() > 0) {
        if (m_bottomEntrance) {
            AlignRoomToPlan();
            AddRoomToPlan(room);
        }
        room->AlignToPlan(m_plan);
        if (room->GetEntrance())
            room->SetEntranceNodesMovable(false);
        else
            room->FindAlignments();
    } else {
        room->FindAlignments();
    }
}

int CReplDoc::GetStoreyPosition()
{
    if (m_rooms.size() > 1)
        return 0;
    if (m_level == L"Lower" || m_level == L"Basement")
        return -1;
    if (m_level == L"Upper" || m_level == L"Top")
        return 1;
    return 2;
}

int CReplDoc::MeasureAtPoint(double x, double y)
{
    if (!m_currentRoom)
        return -1;
    ZupEdge* wall = m_tappedPrimitive ? ZupFloor::CastToEdge(m_tappedPrimitive) : nullptr;
    return m_currentRoom->FindReferenceDimensionAt(wall, x, y);
}

// ---- Edit modes ----

bool CReplDoc::SetEditMode(int index)
{
    // A mode that leaves or enters may solve the room again.
    DocumentLock lock(m_lock);
    if (!m_currentRoom) {
        if (!m_entrance)
            m_entrance = m_defaultEntrance.get();
        NewRoom();
        m_roomView = true;
        UpdateAllViews(nullptr);
        return true;
    }
    if (index < 0 || index >= static_cast<int>(m_editModes.size()) || !m_editModes[index])
        return false;
    if (CEditMode* current = GetEditMode(); current && m_currentMode != index) {
        if (!current->Leave(m_currentMode <= index)) {
            current->Activate();
            return false;
        }
    }
    m_currentMode = index;
    m_editModes[index]->Activate();
    m_roomView = true;
    UpdateAllViews(nullptr);
    return true;
}

bool CReplDoc::StepEditMode(bool forward)
{
    const int count = static_cast<int>(m_editModes.size());
    if (count == 0)
        return false;
    if (m_currentMode < 0) {
        m_currentMode = 0;
        if (CEditMode* mode = GetEditMode()) {
            mode->SetSelection(0);
            mode->Activate();
        }
        return true;
    }
    if (!forward) {
        if (m_currentMode == 0)
            return false;
        --m_currentMode;
    } else {
        CEditMode* current = GetEditMode();
        if (current && !current->Leave(true))
            return true;
        ++m_currentMode;
        if (m_currentMode >= count) {
            if (!m_roomView) {
                m_currentMode = -1;
                return true;
            }
            m_currentMode = 0;
        }
    }
    if (CEditMode* mode = GetEditMode())
        mode->Activate();
    return true;
}

void CReplDoc::ModeArrowKey(bool up)
{
    if (CEditMode* mode = GetEditMode())
        up ? mode->OnKeyRight(0) : mode->OnKeyLeft(0);
}

void CReplDoc::EnableRules(bool on)
{
    m_smartWalls = on;
    m_plan.SetIntersectControl(on);
    m_plan.EnableRules(on);
    if (on) {
        m_plan.InputSnap() = ZupFloor::GetDefaultLinearInputSnap();
        m_plan.AngularInputSnap() = ZupFloor::GetDefaultAngularInputSnap();
    } else {
        m_plan.InputSnap() = static_cast<float>(GeoSnap());
        m_plan.AngularInputSnap() = angle(GeoDif(), "rad");
    }
    for (CRoomFloor* room : m_rooms) {
        room->SetIntersectControl(on);
        room->EnableRules(on);
    }
}

// ---- Walls and wall objects ----

bool CReplDoc::HitWall(double x, double y)
{
    CRoomFloor* room = m_currentRoom;
    ZupEdge* wall = room ? room->GetEdge(x, y) : nullptr;
    if (!wall) {
        if (!m_selectedRoomObject)
            return false;
        EditRoomObject(m_selectedRoomObject);
        UpdateAllViews(nullptr);
        return true;
    }
    point p(x, y);
    m_hitWallObject = wall->GetWallObject(p, nullptr);
    if (m_hitWallObject && !m_hitWallObject->IsCorner() &&
        m_hitWallObject->GetWidth() > room->InputSnap()) {
        // A tap by a wall's end means a new object there, not the wide one.
        const double reach = room->InputSnap() / 2.0;
        const point start = wall->GetStart()->GetPoint();
        const point end = wall->GetEnd()->GetPoint();
        if (std::hypot(p.x() - start.x(), p.y() - start.y()) < reach ||
            std::hypot(p.x() - end.x(), p.y() - end.y()) < reach)
            m_hitWallObject = nullptr;
    }
    if (!m_hitWallObject) {
        NewWallObject(wall, x, y);
        UpdateAllViews(nullptr);
        return true;
    }
    UpdateAllViews(nullptr);
    if (m_hitWallObject->IsPortal())
        EditDoor(static_cast<ZupOpening*>(m_hitWallObject));
    else
        EditWallObject(m_hitWallObject);
    m_hitWallObject = nullptr;
    return true;
}
