// Switching between the room being edited and the level's plan: View
// Change, aligning the edited room to the plan, leaving a room through an
// opening, showing the room that failed to join, and moving an entrance.
#include <optional>
#include <string>

#include "document_lock.h"
#include "edit_mode.h"
#include "kor_node.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "zup_edge.h"
#include "zup_opening.h"
#include "zup_partition.h"

namespace {

constexpr int kMeasurementMode = 2;

std::string LevelText(CReplDoc& document)
{
    std::string text;
    document.BuildFileText(text);
    return text;
}

}  // namespace

void CReplDoc::OnViewChange()
{
    // Both ways change rooms that the journal's worker saves.
    DocumentLock lock(m_lock);
    if (!m_currentRoom || m_currentRoom->GetNumOfDimensions() == 0)
        return;
    // Closing a room into the plan and opening it again rebuilds the plan,
    // which marks it modified; a level that was in its file and makes the
    // same file after the switch was only looked at.
    std::optional<std::string> inFile;
    if (!HasWorkToLose())
        inFile = LevelText(*this);
    ClearSelection();
    m_roomView = !m_roomView;
    if (m_roomView) {
        SwitchToRoom();
    } else {
        SwitchToPlan();
        // The worker takes no snapshot in the plan: the level is journalled
        // as it was left.
        m_journal.WriteLevel();
    }
    if (inFile && LevelText(*this) == *inFile) {
        m_plan.SetModified(false);
        m_currentRoom->SetModified(false);
    }
}

void CReplDoc::SwitchToRoom()
{
    CRoomFloor* first = m_rooms.front();
    if (!m_bottomEntrance) {
        if (m_planTransform.NeedAction()) {
            m_planTransform.Reverse();
            first->ApplyTransform(m_planTransform);
            m_planTransform.Reset();
            m_planDirty = true;
        }
    } else {
        AlignRoomToPlan();
    }
    AddRoomToPlan(m_currentRoom);
    if (m_alignRooms && m_currentRoom != first) {
        m_currentRoom->AlignToPlan(m_plan);
        if (m_currentRoom == m_failedRoom)
            SetEditMode(kMeasurementMode);
    }
    m_currentRoom->ReleaseDimensionsHeldForPlan();
    if (m_currentMode == 0)
        SetEditMode(kMeasurementMode);
    m_entrance = m_currentRoom->GetEntrance();
    UpdateAllViews(nullptr);
}

void CReplDoc::SwitchToPlan()
{
    if (EnterPlanView())
        UpdateAllViews(nullptr);
}

// Smart Walls on, the first room turned for Bottom Entrance, the current room
// closed into the plan; false (back in the room) when it cannot be closed and
// the plan has nothing to show.
bool CReplDoc::EnterPlanView()
{
    EnableRules(true);
    if (m_bottomEntrance) {
        CRoomFloor* first = m_rooms.front();
        m_planTransform = first->GetAlignmentTransform(m_planAngle);
        if (m_planTransform.NeedAction()) {
            m_planDirty = true;
            if (first->ApplyTransform(m_planTransform)) {
                first->SetTransformed(false);
                AddRoomToPlan(m_currentRoom);
                m_planTransform.Reset();
            }
        }
    }
    if (!GetPartitionOfRoom(m_currentRoom) && !CloseRoom() && m_plan.GetNumOfOpenings() == 0) {
        m_roomView = true;
        return false;
    }
    if (m_extentsDirty) {
        m_extentsDirty = false;
        m_plan.CalculateExtents();
    }
    return true;
}

void CReplDoc::AlignRoomToPlan()
{
    CRoomFloor* room = m_currentRoom;
    if (!room || m_rooms.empty())
        return;
    if (!room->IsTransformed() && room != m_rooms.front())
        m_planTransform = GetRoomToPlanTransform(room);
    else
        m_planTransform = room->GetAlignmentTransform(angle(90.0));
    if (m_planTransform.NeedAction()) {
        m_rooms.front()->ApplyTransform(m_planTransform);
        m_planDirty = true;
    }
}

point::TRANSFORM CReplDoc::GetRoomToPlanTransform(CRoomFloor* room)
{
    point::TRANSFORM transform;
    ZupOpening* portal = room ? m_plan.GetConnectionPortal(room) : nullptr;
    if (!portal)
        return transform;
    transform = m_plan.CalculateTransformation(portal, room->GetEntrance());
    transform.to = transform.from;  // a turn about the source, no move
    transform.Reverse();
    return transform;
}

bool CReplDoc::ExitThroughOpening(ZupOpening* opening)
{
    if (!opening)
        return false;
    DocumentLock lock(m_lock);
    const std::string name = opening->GetName();
    ZupOpening* planOpening = m_plan.GetOpening(name.c_str());
    if (!planOpening)
        return false;
    m_failedRoom = nullptr;
    ZupPartition* partition =
        m_currentRoom && m_currentRoom->mbClosed ? GetPartitionOfRoom(m_currentRoom) : nullptr;
    ZupPartition* other = planOpening->GetOtherPartition(partition);
    CRoomFloor* next = other ? GetRoomOfPartition(other) : nullptr;
    if (other && next) {
        SetCurrentRoom(next);
        ZupOpening* own = next->GetOpening(name.c_str());
        if (own && own != next->GetEntrance() && next != m_rooms.front())
            next->SetEntrance(own, 0);
        if (m_bottomEntrance) {
            m_roomView = false;
            OnViewChange();
        } else {
            AddRoomToPlan(next);
            if (m_alignRooms && next != m_rooms.front())
                next->AlignToPlan(m_plan);
            next->ReleaseDimensionsHeldForPlan();
        }
        SetEditMode(kMeasurementMode);
        return true;
    }
    m_entrance = opening;
    NewRoom();
    return false;
}

void CReplDoc::EndRoomEdit()
{
    DocumentLock lock(m_lock);
    CRoomFloor* failed = m_failedRoom;
    if (!failed || failed->GetNumOfPrimitives() == 0)
        return;
    if (m_alignRooms && !failed->IsTransformed())
        failed->AlignToPlan(m_plan);
    failed->GetOutlinePoints(m_failedNodePoints, m_failedOpeningPoints);
    m_roomView = false;
    SetCurrentRoom(failed);
}

void CReplDoc::MoveEntrance(bool forward)
{
    CRoomFloor* room = m_currentRoom;
    ZupOpening* entrance = room ? room->GetEntrance() : nullptr;
    if (!entrance)
        return;
    ZupOpening standIn(nullptr, entrance->GetName().c_str(), 0);
    if (room->GetNumOfOpenings() == 1) {
        if (KorNode* start = entrance->GetStart())
            start->SetMovable(true);
        if (KorNode* end = entrance->GetEnd())
            end->SetMovable(true);
        standIn.SetType(entrance->GetType());
        standIn.SetAction(entrance->GetAction());
        standIn.SetPosition(entrance->GetPosition());
        // Alone on its wall nothing lies behind it: what it answers is its
        // own External, which the moved entrance keeps, as its closet mark.
        standIn.SetConnectable(entrance->IsConnectable(nullptr));
        standIn.SetCloset(entrance->IsCloset());
        room->SetEntrance(nullptr);
        ZupDeleteWallObject(entrance);
        const point centre = room->StepWallCursor(forward);
        if (ZupOpening* moved = PlaceWallObject(centre.x(), centre.y(), &standIn)) {
            room->SetEntrance(moved, GetStoreyPosition());
            m_planAngle = room->ComputeEntranceAngle();
            if (m_alignRooms && m_plan.GetNumOfOpenings() > 0) {
                room->AlignToPlan(m_plan);
                room->SetEntranceNodesMovable(false);
            }
        }
    } else {
        TurnRoom(!forward);
    }
    UpdateAllViews(nullptr);
}

void CReplDoc::TurnRoom(bool negative)
{
    if (!m_currentRoom)
        return;
    m_currentRoom->RotateAboutCenter(angle(negative ? -90.0 : 90.0), true);
    m_planDirty = true;
}
