#include "repl_view.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "angle.h"
#include "c_menu.h"
#include "camera_symbol.h"
#include "clock.h"
#include "edit_mode.h"
#include "kor_dimension.h"
#include "pelk_app.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "scaled_dc.h"
#include "shell_resources.h"
#include "window_dc.h"
#include "zup_room_object.h"

namespace {

using namespace ViewInput;

constexpr double kMarginShare = 0.06;
constexpr int kIconGap = 2;
constexpr int kIconRegionGrow = 5;
constexpr double kRotationDegrees = 1.5;
constexpr int kDoorModeCommand = 2139;
constexpr int kMeasurementModeCommand = 2140;
constexpr UINT kViewControlCommand = 2142;
constexpr int kNodeSymbolUnits = 20;
constexpr int kRoomModeCommand = 2138;
// Bands kept free around a room shown for editing, so that the labels of
// its dimensions, which stand outside its walls, stay in the view: beside
// the walls for the widest length texts (feet and inches), above for the
// status icons and a label, below for a label.
constexpr int kLabelBandSide = 44;
constexpr int kLabelBandTop = 36;
constexpr int kLabelBandBottom = 24;

struct PlaceItem {
    UINT id;
    const wchar_t* text;
};
constexpr PlaceItem kPlaceItems[] = {
    {2151, L"Camera"}, {2194, L"Island"}, {2213, L"Column"}, {2221, L"Spiral Stair"}, {2223, L"Fireplace"},
};

// Extents that a mapping can be built on: finite, positive, within ints.
bool UsableExtent(double extent)
{
    return std::isfinite(extent) && extent >= 1.0 && extent < 1.0e9;
}

int Sign(int value) { return value < 0 ? -1 : 1; }

int GrowMagnitude(int value) { return value == 0 ? 0 : value + Sign(value); }

}  // namespace

CReplView::CReplView()
{
    MapCommand(2151, &CReplView::OnPlaceCamera);
    MapCommand(2194, &CReplView::OnPlaceIsland);
    MapCommand(2213, &CReplView::OnPlaceColumn);
    MapCommand(2221, &CReplView::OnPlaceSpiralStair);
    MapCommand(2223, &CReplView::OnPlaceFireplace);
    MapCommand(kViewControlCommand, &CReplView::OnViewControl);
    MapUpdateCommand(kViewControlCommand, &CReplView::OnUpdateViewControl);
    MapCommand(2153, &CReplView::OnViewAll);
}

CReplView::~CReplView() = default;

CReplDoc* CReplView::GetReplDoc() const { return dynamic_cast<CReplDoc*>(GetDocument()); }

BOOL CReplView::PreCreateWindow(CREATESTRUCT& cs) { return CView::PreCreateWindow(cs); }

// ---- Start ----

void CReplView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    CRect client;
    GetClientRect(&client);
    m_clientHeight = client.Height();
    m_clientWidth = client.Width();
    m_panDx = m_panDy = 0;
    LoadStatusIcons();
    m_rotating = m_penDown = m_panning = false;
    m_timer = 0;
    m_pad.Init(this);
    // A file named on the command line is open already: its level is shown
    // instead of a new session over it.
    if (CReplDoc* document = GetReplDoc(); document && document->GetPathName().IsEmpty())
        document->OnNew();
}

void CReplView::OnUpdate(CView*, LPARAM, CCmdTarget*) { Invalidate(); }

void CReplView::LoadStatusIcons()
{
    const bool measureIcons = m_dimensionOn.Load(ShellIds::kDimensionOnIcon) &
                              m_dimensionOff.Load(ShellIds::kDimensionOffIcon) &
                              m_inconsistent.Load(ShellIds::kInconsistentIcon) &
                              m_consistent.Load(ShellIds::kConsistentIcon) &
                              m_viewAll.Load(ShellIds::kViewAllIcon);
    if (measureIcons) {
        m_iconA = {m_clientWidth - m_consistent.GetWidth(), m_consistent.GetWidth(), m_consistent.GetHeight()};
        m_iconB = {m_iconA.x - m_dimensionOn.GetWidth() - kIconGap, m_dimensionOn.GetWidth(),
                   m_dimensionOn.GetHeight()};
        m_iconC = {m_iconB.x - m_viewAll.GetWidth() - kIconGap, m_viewAll.GetWidth(), m_viewAll.GetHeight()};
    }
    if (m_camera.Load(ShellIds::kCameraIcon))
        m_iconD = {m_clientWidth - m_camera.GetWidth(), m_camera.GetWidth(), m_camera.GetHeight()};
    m_measureIcons = m_cameraIcon = false;
}

CRect CReplView::GetIconRect(char icon) const
{
    const Icon* chosen = icon == 'A' ? &m_iconA : icon == 'B' ? &m_iconB : icon == 'C' ? &m_iconC : &m_iconD;
    return CRect(chosen->x, 0, chosen->x + chosen->width, chosen->height);
}

// ---- Mapping and painting ----

void CReplView::OnDraw(CDC* dc)
{
    if (auto* scaled = dynamic_cast<CScaledDC*>(dc))
        PrepareMapping(*scaled);
}

void CReplView::PrepareMapping(CScaledDC& dc)
{
    CReplDoc* document = GetReplDoc();
    double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;
    if (document)
        document->GetExtents(x0, y0, x1, y1);
    // An empty or unbounded drawing keeps the mapping as it is.
    if (document && UsableExtent(x1 - x0) && UsableExtent(y1 - y0) && std::isfinite(x0) &&
        std::isfinite(y0) && std::abs(x0) < 1.0e9 && std::abs(y0) < 1.0e9) {
        if (m_zoom && !m_zoom->IsDragged()) {
            CPoint offset;
            double scale = 1.0;
            m_zoom->GetMapping(offset, scale);
            dc.SetScale(static_cast<float>(scale));
            dc.SetOrigin(offset.x, offset.y);
        } else {
            const int w = static_cast<int>(x1 - x0);
            const int h = static_cast<int>(y1 - y0);
            const int m = static_cast<int>(std::min(w * kMarginShare, h * kMarginShare));
            dc.SetWorldSize(w + m, h + m);
            // The drawing is fitted into the client area less the label
            // bands of a room being edited, in the middle of what is free:
            // the axis it does not fill is shared equally on both sides.
            const CRect bands = LabelBands();
            const int areaWidth = m_clientWidth - bands.left - bands.right;
            const int areaHeight = m_clientHeight - bands.top - bands.bottom;
            dc.SetDeviceSize(areaWidth, areaHeight);
            int panX = 0, panY = 0;
            document->GetPan(panX, panY);
            const double fit = std::min(static_cast<double>(areaWidth) / (w + m),
                                        static_cast<double>(areaHeight) / (h + m));
            panX += static_cast<int>((areaWidth - (w + m) * fit) / 2);
            panY += static_cast<int>((areaHeight - (h + m) * fit) / 2);
            dc.SetOriginBottomUp(panX + bands.left, panY - bands.top);
            dc.Zoom(document->GetScale(), document->GetRoomZoom());
            dc.Pan(static_cast<int>(x0 - m / 2), static_cast<int>(y0 - m / 2));
        }
    }
    dc.SetBkMode(TRANSPARENT);
}

void CReplView::OnPaint()
{
    CReplDoc* document = GetReplDoc();
    {
        CScaledDC dc(this);
        OnDraw(&dc);
        if (document)
            document->DrawPlan(dc);
    }
    // The paint cycle always closes, so a paint during a drag is not
    // asked for again and again; icons and pad wait for the pen to rise.
    CPaintDC paint(this);
    if (::IsPickActive())
        return;
    if (!m_panning && document && document->m_roomView && document->IsEditingRoom())
        DrawStatusIcons(paint);
    if (m_pad.IsShown())
        m_pad.Draw(paint);
}

void CReplView::DrawStatusIcons(CDC& dc)
{
    CReplDoc* document = GetReplDoc();
    if (m_measureIcons) {
        CRoomFloor* room = document->GetCurrentRoom();
        DrawIcon(dc, room && room->AreChainsConsistent() ? m_consistent : m_inconsistent, m_iconA);
        KorDimension* selected = document->GetSelectedDimension();
        DrawIcon(dc, selected && selected->IsEnabled() ? m_dimensionOn : m_dimensionOff, m_iconB);
        DrawIcon(dc, m_viewAll, m_iconC);
    } else if (m_cameraIcon) {
        DrawIcon(dc, m_camera, m_iconD);
    }
}

void CReplView::DrawIcon(CDC& dc, CResourceBitmap& bitmap, const Icon& icon)
{
    bitmap.Draw(dc, icon.x, 0, icon.width, icon.height);
}

void CReplView::Repaint() { Invalidate(); }

CPoint CReplView::ToModel(CPoint p)
{
    CScaledDC dc(this);
    PrepareMapping(dc);
    POINT point{p.x, p.y};
    dc.ToModel(point);
    return CPoint(point.x, point.y);
}

int CReplView::PenToleranceInModel()
{
    const CPoint a = ToModel(CPoint(0, 0));
    const CPoint b = ToModel(CPoint(kPenTolerance, kPenTolerance));
    return std::max(1, std::abs(a.x - b.x));
}


CRect CReplView::LabelBands() const
{
    CReplDoc* document = GetReplDoc();
    const int mode = EditModeCommand();
    // The same fit in the Door, Measurement and Exit modes, so that the room
    // stays where it is when the mode changes.
    const bool roomShown = document && document->m_roomView && document->IsEditingRoom() && mode != 0 &&
                           mode != kRoomModeCommand;
    if (!roomShown || m_clientWidth <= 4 * kLabelBandSide || m_clientHeight <= 2 * (kLabelBandTop + kLabelBandBottom))
        return CRect(0, 0, 0, 0);
    return CRect(kLabelBandSide, kLabelBandTop, kLabelBandSide, kLabelBandBottom);
}

int CReplView::EditModeCommand() const
{
    CReplDoc* document = GetReplDoc();
    CEditMode* mode = document ? document->GetEditMode() : nullptr;
    return mode ? mode->GetCommandId() : 0;
}

// ---- Status icons ----

void CReplView::MakeIconRegion(CRgn& region, const Icon& icon)
{
    region.CreateRectRgn(icon.x - kIconRegionGrow, 0, icon.x + icon.width + kIconRegionGrow,
                         icon.height + kIconRegionGrow);
}

void CReplView::ShowMeasureIcons(bool on)
{
    m_measureIcons = on;
    if (!on) {
        m_regionB.DeleteObject();
        m_regionC.DeleteObject();
        m_regionA.DeleteObject();
        return;
    }
    if (!m_regionB.GetSafeHandle()) {
        MakeIconRegion(m_regionB, m_iconB);
        MakeIconRegion(m_regionC, m_iconC);
        MakeIconRegion(m_regionA, m_iconA);
    }
    if (CReplDoc* document = GetReplDoc())
        m_pad.SetAutoFit(document->IsRoomAutoFit());
}

void CReplView::ShowCameraIcon(bool on)
{
    m_cameraIcon = on;
    if (!on) {
        m_regionD.DeleteObject();
        return;
    }
    if (!m_regionD.GetSafeHandle())
        MakeIconRegion(m_regionD, m_iconD);
}

// ---- Pen ----

void CReplView::OnLButtonDown(UINT, CPoint point)
{
    m_moved = false;
    m_penDown = true;
    m_downX = point.x;
    m_downY = point.y;
    m_downTime = GetTickCount();
    if (m_pad.IsShown()) {
        if (!m_pad.HitTestDown(point))
            StartZoomRectangle(point);
        return;
    }
    CReplDoc* document = GetReplDoc();
    if (!document || !document->AcceptsPenDown())
        return;
    if (m_measureIcons &&
        (m_regionB.PtInRegion(point) || m_regionC.PtInRegion(point) || m_regionA.PtInRegion(point)))
        return;
    const bool onCamera = m_cameraIcon && m_regionD.PtInRegion(point);
    CPoint at = point;
    int tolerance = kPenTolerance;
    if (document->IsEditingRoom()) {
        tolerance = PenToleranceInModel();
        at = ToModel(point);
    }
    if (onCamera && document->TapIcon(at.x, at.y))
        Repaint();
    document->OnPenDown(at.x, at.y, tolerance);
}

void CReplView::StartZoomRectangle(CPoint p)
{
    if (!m_zoom)
        m_zoom = std::make_unique<CViewZoom>(this, p);
    else
        m_zoom->Reset(p);
    m_zoom->SetEnd(p);
    CClientDC dc(this);
    const CRect first = m_zoom->GetNormalRect();
    dc.DrawDragRect(&first, CSize(1, 1), nullptr, CSize(1, 1));
    m_zoom->SetDragged(true);
}

void CReplView::DragZoomRectangle(CPoint p)
{
    const CRect previous = m_zoom->GetNormalRect();
    m_zoom->SetEnd(p);
    const CRect next = m_zoom->GetNormalRect();
    CClientDC dc(this);
    dc.DrawDragRect(&next, CSize(1, 1), &previous, CSize(1, 1));
}

void CReplView::EndZoomRectangle()
{
    const CRect band = m_zoom->GetNormalRect();
    {
        CClientDC dc(this);
        dc.DrawDragRect(nullptr, CSize(1, 1), &band, CSize(1, 1));
    }
    if (band.Height() <= kSmallestZoom && band.Width() <= kSmallestZoom) {
        m_zoom.reset();
        return;
    }
    CScaledDC dc(this);
    PrepareMapping(dc);
    m_zoom->ZoomTo(dc);
}

void CReplView::OnMouseMove(UINT flags, CPoint point)
{
    if (m_penDown && (flags & MK_LBUTTON)) {
        if (m_zoom && m_zoom->IsDragged()) {
            // The rubber band alone: the plan stays still under it.
            DragZoomRectangle(point);
        } else if (!m_pad.HitTestMove(point) &&
                   (std::abs(point.x - m_downX) > kDragThreshold ||
                    std::abs(point.y - m_downY) > kDragThreshold)) {
            m_moved = true;
            CReplDoc* document = GetReplDoc();
            if (document && ::IsPickActive()) {
                const CPoint at = ToModel(point);
                if (!document->OnPenMove(at.x, at.y))
                    DropQueued(WM_MOUSEMOVE, WM_MOUSEMOVE);
            } else if (flags & MK_CONTROL) {
                m_rotating = true;
                if (document)
                    document->RotateSelection(angle(point.x > m_downX ? kRotationDegrees : -kRotationDegrees),
                                              false);
            } else {
                PanByDrag(point);
            }
        }
    }
    Default();
}

void CReplView::OnLButtonUp(UINT, CPoint point)
{
    Default();
    m_penDown = false;
    if (m_zoom && m_zoom->IsDragged())
        EndZoomRectangle();
    const DWORD held = GetTickCount() - m_downTime;
    const bool quick = m_moved || held < kLongPressMs;
    const int slop = quick ? kTapSlop : kLongPressSlop;
    if (std::abs(point.x - m_downX) < slop && std::abs(point.y - m_downY) < slop)
        HandleTap(point, quick);
    else
        EndGesture();
}

void CReplView::HandleTap(CPoint p, bool quick)
{
    CReplDoc* document = GetReplDoc();
    if (!m_pad.HitTestUp() && !TapStatusIcon(p) && document) {
        CPoint at = p;
        if (document->IsEditingRoom())
            at = ToModel(p);
        if (quick && document->OnTap(at.x, at.y)) {
            if (m_pad.IsShown())
                m_pad.Hide();
        } else if (m_pad.IsShown() || quick) {
            ToggleCommandPad(m_downX, m_downY);
        } else {
            const int command = EditModeCommand();
            if (command == 0 || command == kDoorModeCommand) {
                CPoint down(m_downX, m_downY);
                OnContextMenu(this, down);
            }
        }
    }
    // A press the document did not take as a tap must not leave its drag
    // (and the document's lock) open.
    if (document && ::IsPickActive())
        document->ReleasePick(false);
    DropQueued(WM_LBUTTONDOWN, WM_LBUTTONUP);
    m_moved = false;
    Repaint();
}

bool CReplView::TapStatusIcon(CPoint p)
{
    CReplDoc* document = GetReplDoc();
    if (!m_measureIcons || !document)
        return false;
    if (m_regionB.PtInRegion(p))
        document->OnDimensionTap();
    else if (m_regionA.PtInRegion(p))
        document->RecheckDimensions();
    else if (m_regionC.PtInRegion(p))
        OnViewAll();
    else
        return false;
    return true;
}

void CReplView::EndGesture()
{
    CReplDoc* document = GetReplDoc();
    if (m_panning) {
        m_panning = false;
    } else if (m_rotating) {
        m_rotating = false;
        if (document)
            document->RotateSelection(angle(0.0), true);
    } else if (document) {
        document->OnPenUp();
    }
    m_moved = false;
    Repaint();
}

void CReplView::OnLButtonDblClk(UINT, CPoint point)
{
    CReplDoc* document = GetReplDoc();
    if (!document || !document->IsEditingRoom())
        return;
    const CPoint at = ToModel(point);
    document->OnDoubleTap(at.x, at.y);
}

void CReplView::DropQueued(UINT first, UINT last)
{
    MSG message;
    while (PeekMessage(&message, m_hWnd, first, last, PM_REMOVE)) {
    }
}

// ---- Panning, zooming ----

void CReplView::PanByDrag(CPoint q)
{
    if (!m_panning) {
        m_panning = true;
        m_lastPanX = q.x;
        m_lastPanY = q.y;
        return;
    }
    const int dx = q.x - m_lastPanX;
    const int dy = m_lastPanY - q.y;
    const int screenDy = q.y - m_lastPanY;
    m_lastPanX = q.x;
    m_lastPanY = q.y;
    if (m_zoom && !m_zoom->IsDragged())
        m_zoom->Pan(dx, screenDy);
    else if (CReplDoc* document = GetReplDoc())
        document->PanBy(dx, dy);
    m_pad.MoveBy(dx, screenDy);
    Repaint();
}

void CReplView::ZoomView(bool in)
{
    m_zoom.reset();
    if (CReplDoc* document = GetReplDoc()) {
        const CPoint middle = ToModel(CPoint(m_clientWidth / 2, m_clientHeight / 2));
        document->Zoom(in);
        CenterOn(middle.x, middle.y);
    }
    Repaint();
}

void CReplView::ZoomRoomView(bool in)
{
    if (CReplDoc* document = GetReplDoc()) {
        const CPoint middle = ToModel(CPoint(m_clientWidth / 2, m_clientHeight / 2));
        document->ZoomRoom(in);
        CenterOn(middle.x, middle.y);
    }
    Repaint();
}

void CReplView::CenterOn(int x, int y)
{
    CReplDoc* document = GetReplDoc();
    if (!document)
        return;
    CScaledDC dc(this);
    PrepareMapping(dc);
    POINT p{x, y};
    if (!dc.ToScreen(p))
        return;
    // The pan moves the picture from where it is now.
    int panX = 0, panY = 0;
    document->GetPan(panX, panY);
    document->SetPan(panX + m_clientWidth / 2 - p.x, panY + p.y - m_clientHeight / 2);
}

void CReplView::InvalidateNode(ZupRoomObject* object)
{
    if (!object)
        return;
    int s = static_cast<int>(std::max(static_cast<double>(object->GetWidth()),
                                      static_cast<double>(object->GetDepth())));
    if (s == 0)
        s = kNodeSymbolUnits * GetSymbolUnit();
    const int x = static_cast<int>(object->GetPoint().x());
    const int y = static_cast<int>(object->GetPoint().y());
    CScaledDC dc(this);
    PrepareMapping(dc);
    POINT a{x - s, y - s};
    POINT b{x + s, y + s};
    if (!dc.ToScreen(a) || !dc.ToScreen(b))
        return;
    CRect area(a.x, a.y, b.x, b.y);
    area.NormalizeRect();
    InvalidateRect(&area, TRUE);
}

void CReplView::LayoutPalette(int count, int& rows, int& columns, std::vector<CRect>& cells) const
{
    cells.clear();
    rows = columns = 0;
    if (count <= 0 || m_clientWidth <= 0 || m_clientHeight <= 0)
        return;
    columns = count < 4 ? 1 : count < 7 ? 2 : count < 10 ? 3 : count <= 16 ? 4 : 5;
    rows = (count + columns - 1) / columns;
    const int height = m_clientHeight / rows;
    const int width = std::min((m_clientWidth - 3 * columns) / columns, m_clientHeight / rows);
    int y = m_clientHeight - height;
    int x = 0;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && i % columns == 0) {
            y -= height;
            x = 3;
        }
        cells.emplace_back(x, y, x + width, y + height);
        x += width + 3;
    }
}

// ---- Command pad ----

void CReplView::ToggleCommandPad(int x, int y)
{
    if (m_pad.IsShown())
        m_pad.Hide();
    else
        m_pad.Show(x, y);
    CReplApp::ToggleMenuCheck(kViewControlCommand);
    Repaint();
}

void CReplView::HideCommandPad()
{
    m_pad.Hide();
    Repaint();
}

// ---- Keys ----

void CReplView::OnKeyDown(UINT key, UINT, UINT)
{
    CReplDoc* document = GetReplDoc();
    if (!document || m_penDown || m_timer != 0)
        return;
    const int command = EditModeCommand();
    if (command != 0 && command != kMeasurementModeCommand && !m_pad.IsShown())
        return;
    m_refusedKey = 0;
    if (m_pad.IsShown()) {
        switch (key) {
        case VK_UP: m_panDx = 0; m_panDy = kPadPanStep; break;
        case VK_DOWN: m_panDx = 0; m_panDy = -kPadPanStep; break;
        case VK_RIGHT: m_panDx = kPadPanStep; m_panDy = 0; break;
        case VK_LEFT: m_panDx = -kPadPanStep; m_panDy = 0; break;
        default: return;
        }
        StartRepeat();
        return;
    }
    if (key != VK_UP && key != VK_DOWN)
        return;
    m_keyStep = key == VK_UP ? 1 : -1;
    // Stepping a selected room object turns it without a drag.
    m_keyDragOpen = document->m_selectedRoomObject == nullptr;
    if (document->StartKeyStep(m_keyStep))
        StartRepeat();
    else
        m_keyDragOpen = false;
}

void CReplView::StartRepeat()
{
    m_timer = SetTimer(kRepeatTimer, kRepeatMs);
    m_ticks = 0;
}

void CReplView::StopRepeat()
{
    if (m_timer != 0)
        KillTimer(m_timer);
    m_timer = 0;
}

void CReplView::OnTimer(UINT_PTR id)
{
    if (id != kRepeatTimer || m_timer == 0)
        return;
    ++m_ticks;
    const bool accelerate = m_ticks % kAccelerateEvery == 0;
    if (m_pad.IsShown())
        StepKeyPan(accelerate);
    else
        StepKeyRepeat(accelerate);
}

void CReplView::StepKeyPan(bool accelerate)
{
    if (accelerate) {
        m_panDx = GrowMagnitude(m_panDx);
        m_panDy = GrowMagnitude(m_panDy);
    }
    if (CReplDoc* document = GetReplDoc())
        document->PanBy(m_panDx, m_panDy);
    Repaint();
}

void CReplView::StepKeyRepeat(bool accelerate)
{
    CReplDoc* document = GetReplDoc();
    if (!document)
        return;
    if (accelerate) {
        m_keyStep = GrowMagnitude(m_keyStep);
        document->SetKeyStep(m_keyStep);
    }
    if (document->KeyStep())
        return;
    if (m_keyDragOpen)
        document->EndDrag(true);
    m_keyDragOpen = false;
    m_refusedKey = m_keyStep > 0 ? VK_UP : VK_DOWN;
    StopRepeat();
    Repaint();
}

void CReplView::OnKeyUp(UINT key, UINT, UINT)
{
    CReplDoc* document = GetReplDoc();
    if (!document)
        return;
    if (m_penDown) {
        if (key == VK_UP || key == VK_DOWN)
            ZoomView(key == VK_UP);
        return;
    }
    if (m_timer == 0) {
        // The release of a key whose stepping was refused ends that stepping
        // only; it is not an undo or a redo.
        if (key == m_refusedKey) {
            m_refusedKey = 0;
            return;
        }
        switch (key) {
        case VK_RIGHT: document->ModeArrowKey(true); Repaint(); break;
        case VK_LEFT: document->ModeArrowKey(false); Repaint(); break;
        case VK_UP: document->OnRedo(); break;
        case VK_DOWN: document->OnUndo(); break;
        default: break;
        }
        return;
    }
    if (m_pad.IsShown()) {
        m_panDx = m_panDy = 0;
        StopRepeat();
        return;
    }
    if (key != VK_UP && key != VK_DOWN)
        return;
    if (m_keyDragOpen)
        document->EndDrag(false);
    m_keyDragOpen = false;
    Repaint();
    StopRepeat();
}

// ---- Menus and commands ----

void CReplView::OnContextMenu(CWnd*, CPoint)
{
    CReplDoc* document = GetReplDoc();
    const bool editing = document && document->m_roomView;
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    int position = 0;
    for (const PlaceItem& item : kPlaceItems) {
        const bool grayed = !editing && item.id != kPlaceItems[0].id;
        menu.InsertMenu(static_cast<UINT>(position++), MF_BYPOSITION | MF_STRING | (grayed ? MF_GRAYED : 0),
                        item.id, item.text);
    }
    CPoint at(m_downX, m_downY);
    ClientToScreen(&at);
    menu.TrackPopupMenu(0, at.x, at.y, this);
    menu.DestroyMenu();
}

// Placing an object at the pen-down point runs its dialog through the
// document (camera, island, column, spiral stair, fireplace).
// The tap-and-hold menu places an object where the pen went down.
void CReplView::OnPlaceCamera() { PlaceObject(&CReplDoc::PlaceCamera); }
void CReplView::OnPlaceIsland() { PlaceObject(&CReplDoc::PlaceIsland); }
void CReplView::OnPlaceColumn() { PlaceObject(&CReplDoc::PlaceColumn); }
void CReplView::OnPlaceSpiralStair() { PlaceObject(&CReplDoc::PlaceSpiralStair); }
void CReplView::OnPlaceFireplace() { PlaceObject(&CReplDoc::PlaceFireplace); }

void CReplView::PlaceObject(void (CReplDoc::*place)(int, int))
{
    if (CReplDoc* document = GetReplDoc())
        (document->*place)(m_downX, m_downY);
    Repaint();
}

void CReplView::OnViewControl()
{
    if (!m_pad.IsShown())
        ToggleCommandPad(m_clientWidth / 2, m_clientHeight / 2);
    else
        ToggleCommandPad(0, 0);
}

void CReplView::OnUpdateViewControl(CCmdUI* ui) { ui->SetCheck(m_pad.IsShown() ? 1 : 0); }

void CReplView::OnViewAll()
{
    // A zoom window's mapping would hide the reset one.
    m_zoom.reset();
    if (CReplDoc* document = GetReplDoc())
        document->ResetZoom();
    Repaint();
}

void CReplView::OnDestroy()
{
    StopRepeat();
    CView::OnDestroy();
}
