// Trackbars (sliders): a thumb on a horizontal channel. A tap puts the thumb
// under the pen and the pen drags it; the parent hears WM_HSCROLL with the
// trackbar codes. Arrow keys step by the line size.
#pragma once

#include "control_wnd.h"

constexpr DWORD TBS_AUTOTICKS = 0x0001;
constexpr DWORD TBS_HORZ = 0x0000;
constexpr DWORD TBS_VERT = 0x0002;
constexpr DWORD TBS_NOTICKS = 0x0010;

constexpr UINT TB_LINEUP = 0;
constexpr UINT TB_LINEDOWN = 1;
constexpr UINT TB_PAGEUP = 2;
constexpr UINT TB_PAGEDOWN = 3;
constexpr UINT TB_THUMBPOSITION = 4;
constexpr UINT TB_THUMBTRACK = 5;
constexpr UINT TB_TOP = 6;
constexpr UINT TB_BOTTOM = 7;
constexpr UINT TB_ENDTRACK = 8;

constexpr UINT TBM_GETPOS = WM_USER;
constexpr UINT TBM_GETRANGEMIN = WM_USER + 1;
constexpr UINT TBM_GETRANGEMAX = WM_USER + 2;
constexpr UINT TBM_SETPOS = WM_USER + 5;
constexpr UINT TBM_SETRANGE = WM_USER + 6;
constexpr UINT TBM_SETRANGEMIN = WM_USER + 7;
constexpr UINT TBM_SETRANGEMAX = WM_USER + 8;
constexpr UINT TBM_SETPAGESIZE = WM_USER + 21;
constexpr UINT TBM_SETLINESIZE = WM_USER + 23;

class CSliderCtrl : public CControlWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    using CWnd::Create;

    void SetRange(int minimum, int maximum, BOOL redraw = FALSE);
    void GetRange(int& minimum, int& maximum) const;
    void SetRangeMin(int minimum, BOOL redraw = FALSE);
    void SetRangeMax(int maximum, BOOL redraw = FALSE);
    int GetRangeMin() const { return m_min; }
    int GetRangeMax() const { return m_max; }
    // Clamped into the range; no notification.
    void SetPos(int position);
    int GetPos() const { return m_position; }
    int SetLineSize(int size);
    int GetLineSize() const { return m_lineSize; }
    int SetPageSize(int size);
    int GetPageSize() const { return m_pageSize; }
    void SetTicFreq(int frequency) { m_ticFrequency = frequency; Invalidate(); }

    // The channel's pixel span, for positions and taps.
    int PositionToX(int position) const;
    int XToPosition(int x) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    BOOL AdoptState(CControlWnd& previous) override;

private:
    void Notify(UINT code);
    void MoveByUser(int position, UINT code);

    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
    int m_lineSize = 1;
    int m_pageSize = 20;
    int m_ticFrequency = 1;
    bool m_dragging = false;
};
