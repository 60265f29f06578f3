// The document's commands on rooms: edit modes, entrance angle locks,
// resetting dimensions, the room dialog with removing and detaching rooms,
// mirroring, rebuilding the plan and editing placed room objects.
#include <memory>
#include <string>

#include "c_dialog.h"
#include "edit_mode.h"
#include "geolist.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "level_files.h"
#include "line.h"
#include "message_box.h"
#include "messages.h"
#include "new_room_dlg.h"
#include "document_lock.h"
#include "repl_doc.h"
#include "mode_controls.h"
#include "room_floor.h"
#include "room_type.h"
#include "room_type_catalog.h"
#include "zup_chain.h"
#include "zup_edge.h"
#include "zup_opening.h"
#include "zup_partition.h"

namespace {

constexpr UINT kFirstModeCommand = 2138;

}  // namespace

// ---- Edit modes ----

void CReplDoc::OnEditMode(UINT command)
{
    const int index = static_cast<int>(command - kFirstModeCommand);
    if (!m_roomView && m_currentRoom) {
        AddRoomToPlan(m_currentRoom);
        if (m_alignRooms && !m_rooms.empty() && m_currentRoom != m_rooms.front())
            m_currentRoom->AlignToPlan(m_plan);
    }
    SetEditMode(index);
}

void CReplDoc::OnModeNotify()
{
    if (CEditMode* mode = GetEditMode())
        mode->OnComboSelect();
}

// ---- Entrance angles and dimensions ----

void CReplDoc::OnLockAnglesUpdate(CCmdUI* ui)
{
    const bool available = m_currentRoom && m_currentRoom->HasEntranceAngle();
    ui->Enable(available);
    const bool fixed = available && m_currentRoom->IsEntranceAngleFixed();
    ui->SetText(fixed ? L"Unlock Angles" : L"Lock Angles");
}

void CReplDoc::OnLockAngles()
{
    DocumentLock lock(m_lock);
    if (m_currentRoom)
        m_currentRoom->UpdateEntranceAngles(false, false);
    UpdateAllViews(nullptr);
}

void CReplDoc::OnResetDimensions()
{
    DocumentLock lock(m_lock);
    if (m_currentRoom)
        m_currentRoom->ShowHiddenDimensions();
    UpdateAllViews(nullptr);
}

// ---- The room dialog ----

void CReplDoc::OnRoomDialog()
{
    CRoomFloor* room = m_currentRoom;
    if (!room)
        return;
    DocumentLock lock(m_lock);
    const bool removable = room == m_rooms.back() || IsRoomDetachable(room);
    const bool notFirst = room != m_rooms.front();
    CNewRoomDlg dialog(room->GetName(), removable, notFirst, room->IsBelow(),
                       room->GetLabel().empty() ? nullptr : room->GetLabel().c_str(),
                       room->GetWidth(), room->GetDepth());
    const INT_PTR result = dialog.DoModal();
    if (result == IDOK) {
        ApplyRoomDialog(room, dialog);
        // A new name is a new file, listed by the header.
        m_journal.WriteLevel();
        return;
    }
    if (result != CNewRoomDlg::kDeleteResult)
        return;
    if (removable) {
        RemoveRoom(room, false);
    } else if (!RejoinRooms(room)) {
        if (AfxMessageBox(CString("Detachement failed. Want to delete?"), MB_YESNO) == IDYES)
            RemoveRoom(room, false);
    } else {
        DetachRooms(room);
    }
    m_journal.WriteLevel();
    mode_controls::HideCommandPad(this);
}

void CReplDoc::ApplyRoomDialog(CRoomFloor* room, const CNewRoomDlg& dialog)
{
    // The room's name and text tell whether the dialog changed anything: a
    // change is unsaved work, for Exit and for the journal.
    const auto state = [room] {
        std::string text = room->GetName() ? room->GetName() : "";
        text += '\n';
        room->Save(text, false);
        return text;
    };
    const std::string before = state();
    ApplyRoomDialogFields(room, dialog);
    if (state() != before)
        room->SetModified(true);
}

void CReplDoc::ApplyRoomDialogFields(CRoomFloor* room, const CNewRoomDlg& dialog)
{
    CRoomTypeCatalog* catalog = CRoomTypeCatalog::Instance(true);
    CRoomType* chosen = catalog->GetByIndex(dialog.m_selectedType, dialog.m_longList != 0);
    if (chosen && chosen != catalog->FindForFloor(room)) {
        room->ZupFloor::SetName(chosen->GetNextName().c_str());
        if (CEditMode* mode = GetEditMode())
            mode->Refresh();
    }
    if (dialog.m_wallKind != 0) {
        room->FillWalls(dialog.m_wallKind);
        UpdateAllViews(nullptr);
    }
    room->SetBelow(dialog.m_below != 0);
    room->SetLabel(dialog.m_label);
    room->SetSize(dialog.m_labelWidth, dialog.m_labelDepth);
}

bool CReplDoc::IsRoomDetachable(CRoomFloor* room)
{
    auto self = std::find(m_rooms.begin(), m_rooms.end(), room);
    if (self == m_rooms.end())
        return false;
    if (!room->GetEntrance())
        return true;
    for (auto later = self + 1; later != m_rooms.end(); ++later)
        if (room->GetCommonPortal(*later))
            return false;
    return true;
}

void CReplDoc::RemoveRoom(CRoomFloor* room, bool keepPlan)
{
    if (m_rooms.size() < 2) {
        ResetLevel();
        return;
    }
    if (!room)
        room = m_currentRoom;
    auto found = std::find(m_rooms.rbegin(), m_rooms.rend(), room);
    if (found == m_rooms.rend())
        return;
    if (ZupOpening* twin = FindTwinOpening(GetPartitionOfRoom(room), room->GetEntrance()))
        twin->SetExit(false);
    m_rooms.erase(std::next(found).base());
    m_partitionToRoom.erase(GetPartitionOfRoom(room));
    m_roomToPartition.erase(room);
    if (m_failedRoom == room)
        m_failedRoom = nullptr;
    const bool wasCurrent = room == m_currentRoom;
    if (wasCurrent)
        m_currentRoom = nullptr;
    ClearSelection();
    m_selectedRoomObject = nullptr;
    delete room;
    if (wasCurrent)
        SetCurrentRoom(m_rooms.back());
    if (!keepPlan)
        RebuildAfterRemoval();
}

void CReplDoc::RebuildAfterRemoval()
{
    m_partitionToRoom.clear();
    m_roomToPartition.clear();
    RejoinRooms(m_rooms.front());
    m_roomView = true;
    if (m_currentRoom && m_currentRoom->GetNumOfDimensions() > 0) {
        ClearSelection();
        m_roomView = false;
        if (!EnterPlanView())
            return;
    }
    UpdateAllViews(nullptr);
}

void CReplDoc::DetachRooms(CRoomFloor* room)
{
    if (m_rooms.size() < 2 || !room || !room->GetEntrance())
        return;
    const std::string entranceName = room->GetEntrance()->GetName();
    ZupOpening* portal = m_plan.GetOpening(entranceName.c_str());
    ZupPartition* partition = GetPartitionOfRoom(room);
    std::vector<CRoomFloor*> hanging;
    auto self = std::find(m_rooms.begin(), m_rooms.end(), room);
    if (self == m_rooms.end())
        return;
    hanging.push_back(room);
    for (auto later = self + 1; later != m_rooms.end(); ++later) {
        ZupChain chain;
        if (portal && chain.Create(portal, partition, GetPartitionOfRoom(*later)))
            hanging.push_back(*later);
    }
    // The detached rooms are written to a level file of their own.
    auto detached = std::make_unique<CReplDoc>();
    detached->m_street = m_street;
    detached->m_house = m_house;
    detached->m_level = m_level;
    detached->m_unit = m_unit;
    detached->m_fileBase = m_fileBase;
    for (CRoomFloor* moved : hanging) {
        auto* copy = new CRoomFloor();
        std::string text;
        moved->Save(text, false);
        copy->PlaySavedText(text);
        detached->m_rooms.push_back(copy);
    }
    const CString name = CString(entranceName.c_str()) + CString("_") + m_fileBase;
    if (!detached->SaveAs(name))
        return;
    for (auto it = hanging.rbegin(); it != hanging.rend(); ++it)
        RemoveRoom(*it, true);
    RebuildAfterRemoval();
}

// ---- Mirror and rebuild ----

void CReplDoc::OnMirror()
{
    DocumentLock lock(m_lock);
    if (m_rooms.empty())
        return;
    if (!m_roomView) {
        SetCurrentRoom(m_rooms.front());
        AddRoomToPlan(m_currentRoom);
    }
    CRoomFloor* room = m_currentRoom;
    ZupOpening* entrance = room ? room->GetEntrance() : nullptr;
    ZupEdge* wall = entrance ? entrance->GetEdge() : nullptr;
    if (!wall)
        return;
    KorNode* start = wall->GetStart();
    KorNode* end = wall->GetEnd();
    if (!start || !end || start->GetPoint() == end->GetPoint())
        return;
    // The line through the entrance at right angles to the line through its
    // wall's ends; a room is never mirrored about a line that did not come out.
    const point at = entrance->GetGeoCenter();
    const line wallLine(start->GetPoint(), end->GetPoint());
    line axis;
    if (!(axis = (wallLine & at & angle(90.0))))
        return;
    bool mirrored = false;
    for (auto it = std::find(m_rooms.begin(), m_rooms.end(), room); it != m_rooms.end(); ++it) {
        (*it)->Mirror(axis);
        mirrored = true;
    }
    if (mirrored && CloseRoom())
        UpdateAllViews(nullptr);
    m_journal.WriteLevel();
}

void CReplDoc::OnRebuildPlanUpdate(CCmdUI* ui) { ui->Enable(!m_roomView && !m_rooms.empty()); }

void CReplDoc::OnRebuildPlan()
{
    DocumentLock lock(m_lock);
    for (CRoomFloor* room : m_rooms)
        room->ResolveKeepingEntrance(room == m_rooms.front(), false);
    if (!m_rooms.empty() && AddRoomToPlan(m_rooms.back()))
        RejoinLastRoom();
    m_journal.WriteLevel();
    UpdateAllViews(nullptr);
}

// The plan laid up to the last room leaves that room out; a last room that
// was joined joins again, so rebuilding never drops a room from the plan.
void CReplDoc::RejoinLastRoom()
{
    CRoomFloor* last = m_rooms.back();
    if (!last->mbClosed)
        return;
    if (last == m_rooms.front()) {
        StartPlanFromFirstRoom();
        return;
    }
    if (!CheckConnection(last))
        return;
    if (ZupPartition* partition = JoinRoomToPlan(last))
        RecordPartition(last, partition);
}
