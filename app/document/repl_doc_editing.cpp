// The document side of pen and key editing: what lies under the pen, the
// drag of nodes, walls and wall objects under the document's lock with each
// step solved or refused, taps, key steps, and placing room objects.
#include <algorithm>
#include <cmath>

#include "dimension_values.h"
#include "document_lock.h"
#include "distances.h"
#include "edit_mode.h"
#include "geolist.h"
#include "kor_dimension.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "kor_tracker.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "system_services.h"
#include "zup_camera.h"
#include "zup_edge.h"
#include "zup_floor.h"
#include "zup_opening.h"
#include "zup_partition.h"
#include "zup_room_object.h"
#include "zup_wall_object.h"

// The picks of one pen action; all null between pen actions.
KorPrimitive* g_pPickedPrimitive = nullptr;
KorNode* g_pPickedNode = nullptr;
ZupWallObject* g_pPickedWallObject = nullptr;
std::uint32_t g_WallObjectDragFlags = 0;

namespace {

constexpr std::uint32_t kWidthWasEnabled = 1;
constexpr std::uint32_t kPositionReleased = 2;
constexpr std::uint32_t kNextReleased = 4;
constexpr double kKeyStepDegrees = 3.0;

KorNode* AsNode(ZupRoomObject* object) { return object; }

void SetNodeMovable(KorNode* node, bool movable)
{
    if (node)
        node->SetMovable(movable);
}

// How far along the wall from its start node a point lies.
double AlongWall(ZupEdge* wall, const point& p)
{
    const point s = wall->GetStart()->GetPoint();
    const point e = wall->GetEnd()->GetPoint();
    const double length = GeoDistance(s, e);
    if (!(length > 0.0))
        return 0.0;
    return ((p.x() - s.x()) * (e.x() - s.x()) + (p.y() - s.y()) * (e.y() - s.y())) / length;
}

// A pen step that took a wall object over a neighbour on its wall, or past
// the wall's end, in one go: the rules that keep objects apart only see an
// overlap, so such a jump is refused here.
bool LeftItsPlace(ZupWallObject* object, const point& oldCentre)
{
    ZupEdge* wall = object->GetEdge();
    if (!wall || !wall->GetStart() || !wall->GetEnd() || wall->GetCenter())
        return false;
    const double before = AlongWall(wall, oldCentre);
    const double after = AlongWall(wall, object->GetGeoCenter());
    const double length = GeoDistance(wall->GetStart()->GetPoint(), wall->GetEnd()->GetPoint());
    if (after < 0.0 || after > length)
        return true;
    for (int i = 0; i < wall->GetNumOfObjects(); ++i) {
        ZupWallObject* other = wall->GetWallObject(i);
        if (!other || other == object || other->IsCorner() || other->GetAttached() == object)
            continue;
        const double at = AlongWall(wall, other->GetGeoCenter());
        if ((before < at) != (after < at))
            return true;
    }
    return false;
}

// Enabled again at the value the drag left.
void HoldAtPresentValue(KorDimension* dimension)
{
    if (dimension)
        FixDimensionHere(dimension);
}

}  // namespace

void ClearSelection()
{
    g_pPickedPrimitive = nullptr;
    g_pPickedNode = nullptr;
    g_pPickedWallObject = nullptr;
    g_WallObjectDragFlags = 0;
}

bool IsPickActive() { return g_pPickedPrimitive || g_pPickedNode || g_pPickedWallObject; }

// ---- Small questions ----

bool CReplDoc::AcceptsPenDown()
{
    if (!m_roomView)
        return true;
    CEditMode* mode = GetEditMode();
    return mode && mode->AcceptsPenDown();
}

void CReplDoc::OnDoubleTap(double x, double y)
{
    if (CEditMode* mode = GetEditMode(); m_roomView && mode)
        mode->OnDoubleTap(x, y);
}

void CReplDoc::GetExtents(double& x0, double& y0, double& x1, double& y1)
{
    if (CEditMode* mode = GetEditMode(); m_roomView && mode) {
        mode->GetExtents(x0, y0, x1, y1);
        return;
    }
    m_plan.GetExtents(&x0, &y0, &x1, &y1);
}

void CReplDoc::RotateSelection(const angle&, bool) {}

// ---- Pen down ----

// A room object under the pen (the selected one within the tolerance, else
// the first one found) is picked; it is moved without the lock.
bool CReplDoc::PickRoomObject(ZupFloor& floor, const point& p, double tolerance)
{
    if (!m_selectedRoomObject) {
        point at = p;
        m_selectedRoomObject = floor.GetRoomObject(at);
        if (m_selectedRoomObject)
            g_pPickedNode = AsNode(m_selectedRoomObject);
        return m_selectedRoomObject != nullptr;
    }
    if (GeoDistance(AsNode(m_selectedRoomObject)->GetPoint(), p) < tolerance) {
        g_pPickedNode = AsNode(m_selectedRoomObject);
        return true;
    }
    return false;
}

bool CReplDoc::OnPenDown(double x, double y, int tolerance)
{
    const point p(x, y);
    const double tol = tolerance;
    if (!m_roomView) {
        PickRoomObject(m_plan, p, tol);
        return false;
    }
    CRoomFloor* room = m_currentRoom;
    if (!room)
        return false;
    if (PickRoomObject(*room, p, tol))
        return false;
    PickUnderPen(*room, p, tol);
    if (!g_pPickedNode && !g_pPickedPrimitive) {
        if (!g_pPickedWallObject)
            return false;
        CEditMode* mode = GetEditMode();
        if (mode && mode->AllowsWallObjectDrag()) {
            BeginWallObjectDrag();
            return true;
        }
        g_pPickedWallObject = nullptr;
        return false;
    }
    CEditMode* mode = GetEditMode();
    if (!mode || !mode->AllowsDrag()) {
        g_pPickedNode = nullptr;
        g_pPickedPrimitive = nullptr;
        return false;
    }
    BeginDrag();
    HoldObjectWidths();
    m_lastResolveOk = false;
    if (g_pPickedNode) {
        if (g_pPickedNode->IsMovable()) {
            g_pPickedNode->SetMovable(false);
            room->mDragNode = g_pPickedNode;
            return true;
        }
        // A pinned node drags the wall that leaves it open-ended, if any.
        g_pPickedPrimitive = g_pPickedNode->GetPrimitive(nullptr);
    }
    if (!g_pPickedPrimitive)
        return false;
    g_pPickedPrimitive->SetMovable(false);
    room->mDragPrimitive = g_pPickedPrimitive;
    return true;
}

void CReplDoc::PickUnderPen(CRoomFloor& room, const point& p, double tol)
{
    point at = p;
    if (room.GetNumOfNodes() > 0) {
        ZupNode* node = room.GetClosestNode(at, false, false, 0.0f);
        if (node && GeoDistance(static_cast<KorNode*>(node)->GetPoint(), p) <= tol) {
            g_pPickedNode = node;
            return;
        }
    }
    g_pPickedNode = nullptr;
    ZupEdge* edge = room.GetNumOfPrimitives() > 0 ? room.GetClosestEdge(at) : nullptr;
    if (!edge || GeoDistance(edge->GetGeometry(), p) > tol)
        return;
    g_pPickedWallObject = edge->GetWallObjectByCenter(at);
    if (!g_pPickedWallObject || g_pPickedWallObject->IsCorner())
        g_pPickedPrimitive = edge->GetPrimitive();
    else
        g_pPickedPrimitive = nullptr;
}

// ---- Drags ----

void CReplDoc::BeginDrag()
{
    if (m_currentRoom) {
        m_savedMinWallLength = static_cast<float>(m_currentRoom->MinWallLength());
        m_currentRoom->MinWallLength() = 0.0;
    }
    m_lock.Lock();
    ++m_dragDepth;
    if (m_currentRoom)
        m_currentRoom->SetDrag(true);
}

void CReplDoc::EndDrag(bool ended)
{
    if (m_dragDepth == 0)
        return;  // only a drag that BeginDrag opened is closed
    if (CEditMode* mode = GetEditMode(); ended && mode)
        mode->OnDragEnded();
    if (m_currentRoom)
        m_currentRoom->SetDrag(false);
    --m_dragDepth;
    m_lock.Unlock();
    if (m_currentRoom)
        m_currentRoom->MinWallLength() = static_cast<double>(m_savedMinWallLength);
}

void CReplDoc::BeginWallObjectDrag()
{
    ZupWallObject* object = g_pPickedWallObject;
    g_WallObjectDragFlags = 0;
    if (KorDimension* width = object->GetWidthDimension()) {
        if (width->IsEnabled())
            g_WallObjectDragFlags |= kWidthWasEnabled;
        else
            FixDimensionHere(width);
    }
    if (KorDimension* position = object->GetPosDimension(); position && position->IsEnabled()) {
        g_WallObjectDragFlags |= kPositionReleased;
        position->SetEnabled(false);
    }
    ZupEdge* wall = object->GetEdge();
    if (KorDimension* next = wall ? wall->GetNextDim(object) : nullptr; next && next->IsEnabled()) {
        g_WallObjectDragFlags |= kNextReleased;
        next->SetEnabled(false);
    }
    PinWallObject(object, false);
    m_lastResolveOk = false;
    BeginDrag();
}

void CReplDoc::HoldObjectWidths()
{
    m_heldWidths.clear();
    if (!m_currentRoom)
        return;
    for (ZupWallObject* object : m_currentRoom->WallObjects()) {
        KorDimension* width = object->IsCorner() ? nullptr : object->GetWidthDimension();
        if (width && !width->IsEnabled() && FixDimensionHere(width))
            m_heldWidths.push_back(width);
    }
}

// Only widths of objects the room still holds are let go: the drag's
// tidying may have removed some.
void CReplDoc::ReleaseObjectWidths()
{
    if (m_heldWidths.empty() || !m_currentRoom) {
        m_heldWidths.clear();
        return;
    }
    for (ZupWallObject* object : m_currentRoom->WallObjects()) {
        KorDimension* width = object->GetWidthDimension();
        if (width && std::find(m_heldWidths.begin(), m_heldWidths.end(), width) != m_heldWidths.end())
            width->SetEnabled(false);
    }
    m_heldWidths.clear();
}

// The entrance's and the object's end nodes held (or freed) for a drag.
void CReplDoc::PinWallObject(ZupWallObject* object, bool movable)
{
    if (ZupOpening* entrance = m_currentRoom ? m_currentRoom->GetEntrance() : nullptr) {
        SetNodeMovable(entrance->GetStart(), movable);
        SetNodeMovable(entrance->GetEnd(), movable);
    }
    SetNodeMovable(object->GetStart(), movable);
    SetNodeMovable(object->GetEnd(), movable);
}

bool CReplDoc::OnPenMove(double x, double y)
{
    CRoomFloor* room = m_currentRoom;
    CEditMode* mode = GetEditMode();
    const bool invalidate = !m_lastResolveOk;
    point old;
    if (g_pPickedPrimitive) {
        old = point(g_pPickedPrimitive->GetGeometry() & point(x, y));
        g_pPickedPrimitive->SetPosition(x, y, invalidate);
        if (mode)
            mode->OnDragMoved();
    } else if (g_pPickedNode && AsNode(m_selectedRoomObject) == g_pPickedNode) {
        // No drag holds the lock for a room object: each step takes it.
        DocumentLock lock(m_lock);
        g_pPickedNode->SetPosition(x, y, false, false);
        UpdateAllViews(nullptr);
        return true;
    } else if (g_pPickedNode) {
        old = g_pPickedNode->GetPoint();
        point target(x, y);
        if (g_pPickedNode->GetNumOfTrackers() == 1)
            if (KorTracker* tracker = g_pPickedNode->GetTracker(0))
                target = point(tracker->GetGeometry() & target);
        g_pPickedNode->SetPosition(target.x(), target.y(), true, invalidate);
        if (mode)
            mode->OnDragMoved();
    } else if (g_pPickedWallObject) {
        old = g_pPickedWallObject->GetGeoCenter();
        g_pPickedWallObject->SetPosition(x, y);
        if (LeftItsPlace(g_pPickedWallObject, old)) {
            MessageBeep(MB_ICONEXCLAMATION);
            UndoPenStep(old);
            return false;
        }
    } else {
        return false;
    }
    if (!room)
        return false;
    m_lastResolveOk = room->Resolve();
    if (m_lastResolveOk) {
        if (!g_pPickedWallObject && mode)
            mode->Refresh();
        UpdateAllViews(nullptr);
        return true;
    }
    MessageBeep(MB_ICONEXCLAMATION);
    UndoPenStep(old);
    return false;
}

void CReplDoc::UndoPenStep(const point& old)
{
    if (g_pPickedPrimitive) {
        if (!g_pPickedPrimitive->IsCollapsed())
            g_pPickedPrimitive->SetPosition(old.x(), old.y(), true);
    } else if (g_pPickedNode) {
        g_pPickedNode->SetPosition(old.x(), old.y(), true, true);
    } else if (g_pPickedWallObject) {
        g_pPickedWallObject->SetPosition(old.x(), old.y());
    }
}

void CReplDoc::OnPenUp()
{
    if (AcceptsPenDown())
        ReleasePick(true);
}

void CReplDoc::ReleasePick(bool changed)
{
    CEditMode* mode = GetEditMode();
    CRoomFloor* room = m_currentRoom;
    ReleaseObjectWidths();
    if (g_pPickedPrimitive) {
        if (!g_pPickedPrimitive->IsMovable())
            g_pPickedPrimitive->SetMovable(true);
        if (mode)
            mode->OnPickReleased(changed);
        g_pPickedPrimitive = nullptr;
        if (room)
            room->mDragPrimitive = nullptr;
        // A pinned node dragged through its open wall goes free too.
        if (g_pPickedNode) {
            g_pPickedNode->SetMovable(true);
            g_pPickedNode = nullptr;
        }
        EndDrag(changed);
        return;
    }
    if (g_pPickedNode && AsNode(m_selectedRoomObject) != g_pPickedNode) {
        g_pPickedNode->SetMovable(true);
        if (mode)
            mode->OnPickReleased(changed);
        if (room)
            room->mDragNode = nullptr;
        g_pPickedNode = nullptr;
        EndDrag(changed);
        return;
    }
    if (g_pPickedNode) {
        CopyCameraToItsRoom();
        g_pPickedNode = nullptr;
        if (changed)
            m_selectedRoomObject = nullptr;
        return;
    }
    if (g_pPickedWallObject) {
        ReleaseWallObject(changed);
        g_pPickedWallObject = nullptr;
    }
}

// A camera moved in the plan takes its room's camera of the same name along.
// The room changes under the document's lock and its journal file is
// written at once: the worker journals only the room being edited.
void CReplDoc::CopyCameraToItsRoom()
{
    ZupRoomObject* object = m_selectedRoomObject;
    if (m_roomView || !object || !object->IsCamera())
        return;
    CRoomFloor* room = nullptr;
    {
        DocumentLock lock(m_lock);
        ZupPartition* partition = static_cast<ZupObject*>(object)->GetPartition();
        room = partition ? GetRoomOfPartition(partition) : GetRoom(0);
        ZupCamera* camera = room ? room->GetCamera(static_cast<ZupObject*>(object)->GetName().c_str()) : nullptr;
        if (!camera)
            return;
        AsNode(camera)->GetPoint() = AsNode(object)->GetPoint();
        room->SetModified(true);
        UpdateAllViews(nullptr);
    }
    m_journal.WriteRoom(room);
}

void CReplDoc::ReleaseWallObject(bool changed)
{
    ZupWallObject* object = g_pPickedWallObject;
    PinWallObject(object, true);
    KorDimension* width = object->GetWidthDimension();
    if (!(g_WallObjectDragFlags & kWidthWasEnabled) && width)
        width->SetEnabled(false);
    if (g_WallObjectDragFlags & kPositionReleased)
        HoldAtPresentValue(object->GetPosDimension());
    ZupEdge* wall = object->GetEdge();
    if (g_WallObjectDragFlags & kNextReleased)
        HoldAtPresentValue(wall ? wall->GetNextDim(object) : nullptr);
    EndDrag(changed);
}

// ---- Taps ----

bool CReplDoc::OnTap(double x, double y)
{
    const point p(x, y);
    if (!m_roomView)
        return OnPlanTap(p);
    CRoomFloor* room = m_currentRoom;
    if (!room)
        return false;
    CEditMode* mode = GetEditMode();
    if (m_selectedRoomObject) {
        ReleasePick(false);
        const bool handled = mode ? mode->OnTap(x, y) : true;
        if (handled)
            m_selectedRoomObject = nullptr;
        return handled;
    }
    if (g_pPickedNode) {
        point at = p;
        if (ZupEdge* edge = room->GetNumOfPrimitives() > 0 ? room->GetClosestEdge(at) : nullptr)
            m_tappedPrimitive = edge->GetPrimitive();
        if (!g_pPickedNode->IsMovable())
            g_pPickedNode->SetMovable(true);
        g_pPickedNode = nullptr;
        room->mDragNode = nullptr;
    }
    if (g_pPickedPrimitive) {
        m_tappedPrimitive = g_pPickedPrimitive;
        if (mode && mode->AcceptsPenDown())
            ReleasePick(false);
    } else if (g_pPickedWallObject) {
        ReleaseWallObject(false);
        g_pPickedWallObject = nullptr;
        m_tappedPrimitive = nullptr;
    }
    const bool handled = mode ? mode->OnTap(x, y) : true;
    m_tappedPrimitive = nullptr;
    return handled;
}

bool CReplDoc::OnPlanTap(const point& p)
{
    if (m_selectedRoomObject && m_selectedRoomObject->IsCamera()) {
        ReleasePick(false);
        if (!HitWall(p.x(), p.y()))
            return false;
        m_selectedRoomObject = nullptr;
        return true;
    }
    point at = p;
    ZupPartition* partition = m_plan.GetPartition(at);
    if (!partition)
        return false;
    CRoomFloor* room = GetRoomOfPartition(partition);
    if (!room)
        return true;
    SetCurrentRoom(room);
    OnViewChange();
    SetEditMode(2);
    return true;
}

bool CReplDoc::TapIcon(double x, double y)
{
    if (!m_roomView || !m_currentRoom)
        return false;
    point p(x, y);
    if (m_currentRoom->GetRoomObject(p)) {
        ReleasePick(false);
        return true;
    }
    CEditMode* mode = GetEditMode();
    m_selectedRoomObject = mode ? mode->OnIconTap(x, y) : nullptr;
    return m_selectedRoomObject != nullptr;
}

// ---- Key steps ----

bool CReplDoc::StartKeyStep(int direction)
{
    if (m_selectedRoomObject) {
        m_stepAngle = angle(direction > 0 ? kKeyStepDegrees : -kKeyStepDegrees);
        return true;
    }
    CEditMode* mode = GetEditMode();
    if (mode && mode->StartKeyStep(direction)) {
        BeginDrag();
        return true;
    }
    return false;
}

void CReplDoc::SetKeyStep(int step)
{
    if (CEditMode* mode = GetEditMode(); !m_selectedRoomObject && mode)
        mode->SetKeyStep(step);
}

bool CReplDoc::KeyStep()
{
    if (m_selectedRoomObject && m_selectedRoomObject->IsCamera()) {
        angle turned = m_selectedRoomObject->GetDirection() + m_stepAngle.deg();
        m_selectedRoomObject->SetDirection(turned);
        UpdateAllViews(nullptr);
        return true;
    }
    CEditMode* mode = GetEditMode();
    if (!mode || !mode->KeyStep())
        return true;
    m_lastResolveOk = m_currentRoom && m_currentRoom->Resolve();
    if (m_lastResolveOk) {
        mode->Refresh();
        UpdateAllViews(nullptr);
        return true;
    }
    MessageBeep(MB_ICONEXCLAMATION);
    mode->UndoKeyStep();
    return false;
}
