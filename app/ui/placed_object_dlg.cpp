#include "placed_object_dlg.h"

#include <cmath>
#include <cstdlib>

#include "c_slider_ctrl.h"
#include "c_spin_button_ctrl.h"
#include "kor_node.h"
#include "repl_view.h"
#include "scaled_dc.h"
#include "zup_floor.h"
#include "zup_room_object.h"

namespace {

// The main directions the slider snaps to, in the order they are tried.
constexpr int kSnapTargets[] = {90, 270, 180, 360, 0};

// Whole degrees of a direction, truncated; the rounding to a millionth
// first keeps 90 degrees from coming back as 89 through the radians.
int WholeDegrees(const angle& direction)
{
    const double degrees = std::round(direction.deg() * 1.0e6) / 1.0e6;
    return static_cast<int>(std::trunc(degrees));
}

// A drawing context mapped as the view paints, so that model and screen
// positions agree with the picture.
void PrepareLikeTheView(CScaledDC& dc, CReplView* view)
{
    dc.SetScale(1.0f);
    dc.SetOrigin(0, 0);
    if (view)
        view->OnDraw(&dc);
}

}  // namespace

CPlacedObjectDlg::CPlacedObjectDlg(CReplView* view, ZupRoomObject* object, UINT templateId)
    : CDialog(templateId, view),
      m_isNew(0),
      m_object(object),
      m_floor(object ? object->GetFloor() : nullptr),
      m_view(view)
{
    if (object) {
        CScaledDC dc(view);
        PrepareLikeTheView(dc, view);
        POINT p{object->ix(), object->iy()};
        if (dc.ToScreen(p)) {
            m_screenX = p.x;
            m_screenY = p.y;
        }
    }
    MapHandlers();
}

CPlacedObjectDlg::CPlacedObjectDlg(CReplView* view, ZupFloor* floor, CPoint screenPoint,
                                   UINT templateId)
    : CDialog(templateId, view),
      m_isNew(1),
      m_object(nullptr),
      m_floor(floor),
      m_view(view),
      m_screenX(screenPoint.x),
      m_screenY(screenPoint.y)
{
    CScaledDC dc(view);
    PrepareLikeTheView(dc, view);
    POINT p{screenPoint.x, screenPoint.y};
    if (dc.ToModel(p))
        m_modelPoint = point(p.x, p.y);
    MapHandlers();
}

void CPlacedObjectDlg::MapHandlers() { MapCommand(IDC_DELETE, &CPlacedObjectDlg::OnDelete); }

void CPlacedObjectDlg::TakeNewObject(ZupRoomObject* object)
{
    m_object = object;
    if (!object) {
        // Nothing to edit: the dialog ends before it shows.
        EndDialog(IDCANCEL);
        return;
    }
    InvalidateView();
}

BOOL CPlacedObjectDlg::OnInitDialog()
{
    if (m_isNew)
        SetDlgItemText(IDC_DELETE, L"Cancel");
    PlaceNearObject();
    InitDirectionSlider();
    UpdateData(FALSE);
    InvalidateView();
    CDialog::OnInitDialog();
    return TRUE;
}

void CPlacedObjectDlg::PlaceNearObject()
{
    CWnd* parent = GetParent() ? GetParent() : m_view;
    if (!parent)
        return;
    CRect own;
    GetWindowRect(&own);
    CRect outer;
    parent->GetWindowRect(&outer);
    const int width = outer.Width();
    const int height = outer.Height();
    const int x = m_screenX < kNearShare * width ? outer.left + m_screenX : outer.left;
    const int y = m_screenY < kNearShare * height
                      ? static_cast<int>(outer.top + m_screenY + kDropShare * height)
                      : outer.top;
    MoveWindow(x, y, own.Width(), own.Height(), TRUE);
}

void CPlacedObjectDlg::InitDirectionSlider()
{
    auto* slider = dynamic_cast<CSliderCtrl*>(GetDlgItem(IDC_DIRECTION));
    if (!slider || !m_object)
        return;
    int degrees = WholeDegrees(m_object->GetDirection());
    if (degrees < 0)
        degrees += 360;
    slider->SetRange(degrees - 180, degrees + 180);
    slider->SetLineSize(kSliderLineSize);
    slider->SetPos(degrees);
}

int CPlacedObjectDlg::SnapDirection(int position, double snap)
{
    for (int target : kSnapTargets)
        if (std::abs(position - target) < snap)
            return target;
    return position;
}

void CPlacedObjectDlg::OnHScroll(UINT code, UINT position, CScrollBar* bar)
{
    CWnd* slider = GetDlgItem(IDC_DIRECTION);
    auto* trackbar = dynamic_cast<CSliderCtrl*>(slider);
    if (trackbar && m_object && reinterpret_cast<CWnd*>(bar) == slider) {
        const double snap = ZupFloor::GetDefaultAngularInputSnap().deg();
        angle direction(static_cast<double>(SnapDirection(trackbar->GetPos(), snap)));
        m_object->SetDirection(direction);
        if (m_view)
            m_view->InvalidateNode(m_object);
    }
    CDialog::OnHScroll(code, position, bar);
}

void CPlacedObjectDlg::DiscardNewObject()
{
    if (!m_isNew || !m_object)
        return;
    ZupRoomObject* object = m_object;
    m_object = nullptr;
    if (m_view)
        m_view->InvalidateNode(object);
    // Deleting takes the object out of the floor's objects and its node out
    // of the model, so no stray node stays behind in the room's text.
    delete object;
}

void CPlacedObjectDlg::OnDelete()
{
    if (m_isNew)
        DiscardNewObject();
    else
        m_deleteChosen = true;
    EndDialog(IDCANCEL);
}

void CPlacedObjectDlg::OnCancel()
{
    // Closing a new object's dialog any other way than OK drops the object
    // too; an existing object is only deleted by "Delete".
    DiscardNewObject();
    EndDialog(IDCANCEL);
}

void CPlacedObjectDlg::OnOK()
{
    if (ZupFloor* floor = m_object ? m_object->GetFloor() : m_floor)
        floor->SetModified(true);
    EndDialog(IDOK);
}

void CPlacedObjectDlg::InvalidateView()
{
    if (m_view && m_view->GetSafeHwnd())
        m_view->Invalidate();
}

void CPlacedObjectDlg::SetUpDownRange(int id, int lower, int upper)
{
    if (auto* upDown = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(id)))
        upDown->SetRange32(lower, upper);
}
