// What the view shows and how: room view or plan view, zoom and pan, the
// display of lengths, and the dimension commands that the status icons and
// the command pad send.
#include "dimension_values.h"
#include "edit_mode.h"
#include "kor_dimension.h"
#include "document_lock.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "room_type.h"
#include "room_type_catalog.h"
#include "system_services.h"

namespace {

constexpr float kZoomIn = 1.25f;
constexpr float kZoomOut = 0.8f;
// Dimensions on this layer were taken over from the plan and stay as they are.
constexpr int kPlanLayer = 3;

float ZoomFactor(bool in) { return in ? kZoomIn : kZoomOut; }

}  // namespace

// ---- View state ----

float CReplDoc::GetScale()
{
    if (CEditMode* mode = GetEditMode(); m_roomView && mode)
        return mode->GetScale();
    return m_plan.GetScale();
}

void CReplDoc::GetPan(int& x, int& y)
{
    if (CEditMode* mode = GetEditMode(); m_roomView && mode) {
        mode->GetPan(x, y);
        return;
    }
    m_plan.GetPan(x, y);
}

void CReplDoc::PanBy(int dx, int dy)
{
    if (CEditMode* mode = GetEditMode(); m_roomView && mode) {
        mode->Pan(dx, dy);
        return;
    }
    int x = 0, y = 0;
    m_plan.GetPan(x, y);
    m_plan.SetPan(x + dx, y + dy);
}

void CReplDoc::SetPan(int x, int y)
{
    if (m_roomView && m_currentRoom)
        m_currentRoom->SetPan(x, y);
    else
        m_plan.SetPan(x, y);
}

void CReplDoc::Zoom(bool in)
{
    if (CEditMode* mode = GetEditMode(); m_roomView && mode) {
        mode->Zoom(in);
        return;
    }
    m_plan.SetScale(m_plan.GetScale() * ZoomFactor(in));
}

void CReplDoc::ResetZoom()
{
    if (CEditMode* mode = GetEditMode(); m_roomView && mode) {
        mode->ResetView();
        return;
    }
    m_plan.SetScale(1.0f);
    m_plan.SetPan(0, 0);
}

void CReplDoc::ZoomRoom(bool in)
{
    if (m_roomView && m_currentRoom)
        m_currentRoom->MultiplyZoom(ZoomFactor(in));
}

float CReplDoc::GetRoomZoom() const
{
    if (m_roomView && m_currentRoom)
        return m_currentRoom->GetZoom();
    return 1.0f;
}

bool CReplDoc::IsRoomAutoFit() const
{
    if (m_roomView && m_currentRoom)
        return m_currentRoom->IsAutoFit();
    return true;
}

bool CReplDoc::IsEditingRoom()
{
    if (CEditMode* mode = GetEditMode(); m_roomView && mode)
        return mode->ShowsRoom();
    return true;
}

KorDimension* CReplDoc::GetSelectedDimension() const
{
    CEditMode* mode = GetEditMode();
    if (!m_currentRoom || !mode)
        return nullptr;
    const int selection = mode->GetSelection();
    if (selection < 0 || selection >= m_currentRoom->GetNumOfDimensions())
        return nullptr;
    return m_currentRoom->GetDimension(selection, nullptr);
}

void CReplDoc::SetHalfInches(bool on)
{
    m_halfInches = on;
    if (CEditMode* mode = GetEditMode())
        mode->Refresh();
    UpdateAllViews(nullptr);
}

// ---- Dimension commands ----

void CReplDoc::OnDetachOrOptions()
{
    if (m_roomView)
        OnRoomDialog();
    else
        OnOptions();
}

void CReplDoc::OnDimensionTap()
{
    DocumentLock lock(m_lock);
    KorDimension* dimension = GetSelectedDimension();
    if (dimension) {
        if (dimension->IsEnabled())
            dimension->SetEnabled(false);
        else if (m_currentRoom->CheckDimensionAgainstChains(dimension))
            FixDimensionHere(dimension);
        else
            MessageBeep(MB_ICONEXCLAMATION);
    }
    UpdateAllViews(nullptr);
}

void CReplDoc::RecheckDimensions()
{
    DocumentLock lock(m_lock);
    if (!m_currentRoom)
        return;
    if (!m_currentRoom->AreChainsConsistent()) {
        m_currentRoom->EnableNeededDimensions();
        return;
    }
    m_currentRoom->UpdateEntranceAngles(false, true);
    for (KorDimension* dimension : m_currentRoom->GetReferenceDimensions())
        if (dimension && dimension->GetLayer() != kPlanLayer)
            dimension->SetEnabled(false);
    m_currentRoom->SetModified(false);
}

int CReplDoc::CountEnabledDimensions() const
{
    short count = 0;
    for (CRoomFloor* room : m_rooms)
        count = static_cast<short>(count + room->CountEnabledDimensions());
    return count;
}

float CReplDoc::GetTotalArea(float& nonGarage) const
{
    float total = 0.0f;
    nonGarage = 0.0f;
    CRoomTypeCatalog* catalog = CRoomTypeCatalog::Instance(false);
    for (CRoomFloor* room : m_rooms) {
        if (room->IsBelow())
            continue;
        const float area = room->GetArea();
        total += area;
        CRoomType* type = catalog ? catalog->FindForFloor(room) : nullptr;
        if (!type || !type->IsGarage())
            nonGarage += area;
    }
    return total;
}
