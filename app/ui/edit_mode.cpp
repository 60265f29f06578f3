#include "edit_mode.h"

#include "c_win_app.h"
#include "c_wnd.h"
#include "messages.h"
#include "mode_controls.h"
#include "repl_doc.h"
#include "room_floor.h"

namespace {

// The main frame passes it to the command bar, which presses the button.
constexpr UINT kModeButtonMessage = WM_USER + 4;

}  // namespace

void CEditMode::Activate() { PostModeButton(); }

void CEditMode::PostModeButton()
{
    if (CWnd* frame = AfxGetMainWnd())
        frame->PostMessage(kModeButtonMessage, static_cast<WPARAM>(m_commandId), 0);
}

namespace {

std::string CurrentRoomName(CReplDoc* document)
{
    CRoomFloor* room = document->GetCurrentRoom();
    return room && room->GetName() ? room->GetName() : "";
}

}  // namespace

void CEditMode::ShowRoomNameInCombo(int itemHeight)
{
    mode_controls::ResetCombo(itemHeight);
    mode_controls::AddComboItem(CurrentRoomName(m_document));
    mode_controls::SelectComboItem(0);
    mode_controls::ShowCombo(true);
}

void CEditMode::RefreshRoomName() { mode_controls::SetComboText(CurrentRoomName(m_document)); }

void CEditMode::GetExtents(double& x0, double& y0, double& x1, double& y1)
{
    x0 = y0 = x1 = y1 = 0.0;
    if (CRoomFloor* room = m_document->GetCurrentRoom())
        room->GetExtents(&x0, &y0, &x1, &y1);
}

float CEditMode::GetScale()
{
    CRoomFloor* room = m_document->GetCurrentRoom();
    return room ? room->GetScale() : 1.0f;
}

void CEditMode::Zoom(bool in)
{
    if (CRoomFloor* room = m_document->GetCurrentRoom())
        room->SetScale(room->GetScale() * (in ? 1.25f : 0.8f));
}

void CEditMode::GetPan(int& x, int& y)
{
    x = y = 0;
    if (CRoomFloor* room = m_document->GetCurrentRoom())
        room->GetPan(x, y);
}

void CEditMode::Pan(int dx, int dy)
{
    CRoomFloor* room = m_document->GetCurrentRoom();
    if (!room)
        return;
    int x = 0, y = 0;
    room->GetPan(x, y);
    room->SetPan(x + dx, y + dy);
}

void CEditMode::ResetView()
{
    if (CRoomFloor* room = m_document->GetCurrentRoom()) {
        room->SetScale(1.0f);
        room->SetPan(0, 0);
    }
}
