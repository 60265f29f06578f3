#include "exit_mode.h"

#include "message_box.h"
#include "mode_controls.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "zup_camera.h"
#include "zup_opening.h"

namespace {

constexpr int kDoorMode = 1;

}  // namespace

void CExitMode::Activate()
{
    PostModeButton();
    ShowRoomNameInCombo(-1);
}

void CExitMode::Draw(CScaledDC& dc)
{
    m_document->DrawEditPlan(dc);
    m_document->DrawWallObjects(dc);
}

bool CExitMode::OnTap(double x, double y)
{
    CRoomFloor* room = m_document->GetCurrentRoom();
    point p(x, y);
    ZupOpening* opening = room ? room->GetOpening(p) : nullptr;
    if (!opening)
        return false;
    if (!opening->IsConnectable(nullptr)) {
        AfxMessageBox(CString("Can not exit through external door"), MB_OK);
        return true;
    }
    if (!m_document->CloseRoom()) {
        m_document->EndRoomEdit();
        return true;
    }
    m_document->ExitThroughOpening(opening);
    return true;
}

void CExitMode::Refresh() { RefreshRoomName(); }

bool CExitMode::Leave(bool forward)
{
    if (forward) {
        if (m_document->CloseRoom()) {
            m_document->m_entrance = nullptr;
            m_document->SetEditMode(kDoorMode);
            m_document->OnViewChange();
        } else {
            m_document->EndRoomEdit();
        }
    }
    mode_controls::ShowCombo(false);
    return true;
}

ZupRoomObject* CExitMode::OnIconTap(double x, double y)
{
    CRoomFloor* room = m_document->GetCurrentRoom();
    return room ? room->CreateCamera(x, y) : nullptr;
}
