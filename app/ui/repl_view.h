// The one view of the document: paints the plan, turns the stylus and the
// hardware keys into document operations, and shows the status icons, the
// command pad, the zoom window and the tap-and-hold menu.
#pragma once

#include <memory>

#include "c_view.h"
#include "command_pad.h"
#include "gdi_objects.h"
#include "resource_bitmap.h"
#include "zoom_window.h"

class CReplDoc;
class CScaledDC;

// The user-interface thresholds, in client pixels and milliseconds.
namespace ViewInput {
constexpr DWORD kLongPressMs = 600;
constexpr int kTapSlop = 3;
constexpr int kLongPressSlop = 9;
constexpr int kDragThreshold = 3;
constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kRepeatMs = 100;
constexpr int kAccelerateEvery = 5;
// A zoom rectangle this small (or smaller) both ways is dropped.
constexpr int kSmallestZoom = 50;
constexpr int kPenTolerance = 9;
constexpr int kPadPanStep = 2;
}  // namespace ViewInput

class CReplView : public CView {
public:
    CReplView();
    ~CReplView() override;

    CReplDoc* GetReplDoc() const;
    int GetClientWidth() const { return m_clientWidth; }
    int GetClientHeight() const { return m_clientHeight; }

    // ---- Framework ----
    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, LPARAM hint, CCmdTarget* hintObject) override;
    // The mapping of the paint (and of every pen point) into dc.
    void OnDraw(CDC* dc) override;
    void PrepareMapping(CScaledDC& dc);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // ---- Operations of the pad, the modes and the dialogs ----
    void ToggleCommandPad(int x, int y);
    void HideCommandPad();
    void StopPanning() { m_panning = false; }
    void PanByDrag(CPoint q);
    void ZoomView(bool in);
    void ZoomRoomView(bool in);
    void CenterOn(int x, int y);
    void ShowMeasureIcons(bool on);
    void ShowCameraIcon(bool on);
    void LayoutPalette(int count, int& rows, int& columns, std::vector<CRect>& cells) const;
    void InvalidateNode(class ZupRoomObject* object);

    // ---- Commands ----
    void OnPlaceCamera();
    void OnPlaceIsland();
    void OnPlaceColumn();
    void OnPlaceSpiralStair();
    void OnPlaceFireplace();
    void PlaceObject(void (CReplDoc::*place)(int, int));
    void OnViewControl();
    void OnUpdateViewControl(CCmdUI* ui);
    void OnViewAll();

    // ---- State the tests and the frame look at ----
    CCommandPad& GetCommandPad() { return m_pad; }
    CViewZoom* GetZoomWindow() const { return m_zoom.get(); }
    bool IsPanning() const { return m_panning; }
    bool AreMeasureIconsShown() const { return m_measureIcons; }
    bool IsCameraIconShown() const { return m_cameraIcon; }
    bool IsRepeating() const { return m_timer != 0; }
    int GetKeyStep() const { return m_keyStep; }
    CPoint GetKeyPanStep() const { return CPoint(m_panDx, m_panDy); }
    CPoint GetPenDownPoint() const { return CPoint(m_downX, m_downY); }
    // Where icon A, B, C or D lies (client pixels).
    CRect GetIconRect(char icon) const;

    // The tap-and-hold menu at the pen-down point.
    void OnContextMenu(CWnd* window, CPoint point) override;

protected:
    void OnPaint() override;
    void OnTimer(UINT_PTR id) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    void OnKeyUp(UINT key, UINT repeatCount, UINT flags) override;
    void OnDestroy() override;

private:
    struct Icon {
        int x = 0;
        int width = 0;
        int height = 0;
    };

    void LoadStatusIcons();
    void DrawStatusIcons(CDC& dc);
    void DrawIcon(CDC& dc, CResourceBitmap& bitmap, const Icon& icon);
    static void MakeIconRegion(CRgn& region, const Icon& icon);
    // Client pixels to model units (whole units) under the present mapping.
    CPoint ToModel(CPoint p);
    // The bands (left, top, right, bottom, in pixels) that the fit of a
    // room shown for editing keeps free for its dimensions' labels; none
    // for the plan and the palette.
    CRect LabelBands() const;
    int PenToleranceInModel();
    void StartZoomRectangle(CPoint p);
    void DragZoomRectangle(CPoint p);
    void EndZoomRectangle();
    void HandleTap(CPoint p, bool quick);
    bool TapStatusIcon(CPoint p);
    void EndGesture();
    void StartRepeat();
    void StopRepeat();
    void StepKeyPan(bool accelerate);
    void StepKeyRepeat(bool accelerate);
    void DropQueued(UINT first, UINT last);
    int EditModeCommand() const;
    void Repaint();

    int m_clientHeight = 0;
    int m_clientWidth = 0;
    int m_panDy = 0;
    int m_panDx = 0;
    int m_downX = 0;
    int m_downY = 0;
    int m_lastPanX = 0;
    int m_lastPanY = 0;
    CCommandPad m_pad;
    CResourceBitmap m_dimensionOn;
    CResourceBitmap m_dimensionOff;
    CResourceBitmap m_consistent;
    CResourceBitmap m_inconsistent;
    CResourceBitmap m_viewAll;
    CResourceBitmap m_camera;
    Icon m_iconA;
    Icon m_iconD;
    Icon m_iconB;
    Icon m_iconC;
    CRgn m_regionB;
    CRgn m_regionC;
    CRgn m_regionA;
    CRgn m_regionD;
    bool m_measureIcons = false;
    bool m_cameraIcon = false;
    bool m_panning = false;
    bool m_moved = false;
    bool m_rotating = false;
    bool m_penDown = false;
    bool m_keyDragOpen = false;
    // A key whose stepping the document refused: its release does nothing.
    UINT m_refusedKey = 0;
    UINT_PTR m_timer = 0;
    int m_ticks = 0;
    int m_keyStep = 0;
    DWORD m_downTime = 0;
    std::unique_ptr<CViewZoom> m_zoom;
};
