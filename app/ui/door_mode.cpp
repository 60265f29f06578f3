#include "door_mode.h"

#include "kor_node.h"
#include "mode_controls.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "zup_camera.h"
#include "zup_opening.h"
#include "zup_partition.h"

void CDoorMode::Activate()
{
    PostModeButton();
    CRoomFloor* room = m_document->GetCurrentRoom();
    ShowRoomNameInCombo(0);
    mode_controls::ShowCameraIcon(m_document, true);
    if (!room)
        return;
    if (room->IsTransformed() && room->GetEntrance() && m_document->m_plan.GetNumOfOpenings() > 0)
        room->SetEntranceNodesMovable(false);
    room->RemoveAlignments();
}

void CDoorMode::OnKeyRight(int)
{
    if (!m_document->m_selectedRoomObject)
        m_document->MoveEntrance(true);
}

void CDoorMode::OnKeyLeft(int)
{
    if (!m_document->m_selectedRoomObject)
        m_document->MoveEntrance(false);
}

void CDoorMode::Draw(CScaledDC& dc)
{
    m_document->DrawEditPlan(dc);
    m_document->DrawWallObjects(dc);
    if (!IsPickActive())
        m_document->DrawCurrentNode(dc);
}

bool CDoorMode::OnTap(double x, double y) { return m_document->HitWall(x, y); }

void CDoorMode::OnPickReleased(bool changed)
{
    CRoomFloor* room = m_document->GetCurrentRoom();
    if (!changed || !room)
        return;
    room->ComputeArea();
    room->UpdateConfiguration();
    room->UpdateOrientations();
    room->HideZeroDimensions(true, 2.0f);
    room->mDragPrimitive = nullptr;
    room->mDragNode = nullptr;
    room->ZupFloor::Resolve();
    // What the tidying and the floor's resolve moved is in the area again.
    room->InvalidateArea();
}

void CDoorMode::Refresh() { RefreshRoomName(); }

bool CDoorMode::Leave(bool forward)
{
    CRoomFloor* room = m_document->GetCurrentRoom();
    // The first room of a level has nothing to keep its entrance against.
    if (forward && room)
        room->ResolveKeepingEntrance(m_document->m_plan.GetNumOfPartitions() == 0, false);
    mode_controls::ShowCameraIcon(m_document, false);
    mode_controls::ShowCombo(false);
    return true;
}

ZupRoomObject* CDoorMode::OnIconTap(double x, double y)
{
    CRoomFloor* room = m_document->GetCurrentRoom();
    return room ? room->CreateCamera(x, y) : nullptr;
}
