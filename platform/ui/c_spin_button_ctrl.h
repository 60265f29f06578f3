// Up-down controls: two arrows that step a position within a range; with
// UDS_SETBUDDYINT the buddy window shows the position as decimal text and
// is read back before each step.
#pragma once

#include "control_wnd.h"

constexpr DWORD UDS_WRAP = 0x0001;
constexpr DWORD UDS_SETBUDDYINT = 0x0002;
constexpr DWORD UDS_ALIGNRIGHT = 0x0004;
constexpr DWORD UDS_ALIGNLEFT = 0x0008;
constexpr DWORD UDS_AUTOBUDDY = 0x0010;
constexpr DWORD UDS_ARROWKEYS = 0x0020;
constexpr DWORD UDS_HORZ = 0x0040;
constexpr DWORD UDS_NOTHOUSANDS = 0x0080;

constexpr UINT UDM_SETRANGE = WM_USER + 101;
constexpr UINT UDM_GETRANGE = WM_USER + 102;
constexpr UINT UDM_SETPOS = WM_USER + 103;
constexpr UINT UDM_GETPOS = WM_USER + 104;
constexpr UINT UDM_SETBUDDY = WM_USER + 105;
constexpr UINT UDM_GETBUDDY = WM_USER + 106;
constexpr UINT UDM_SETRANGE32 = WM_USER + 111;

constexpr UINT SB_LINEUP = 0;
constexpr UINT SB_LINELEFT = 0;
constexpr UINT SB_LINEDOWN = 1;
constexpr UINT SB_LINERIGHT = 1;
constexpr UINT SB_PAGEUP = 2;
constexpr UINT SB_PAGEDOWN = 3;
constexpr UINT SB_THUMBPOSITION = 4;
constexpr UINT SB_THUMBTRACK = 5;
constexpr UINT SB_ENDSCROLL = 8;

// The step about to happen; a nonzero answer of the parent prevents it.
constexpr UINT UDN_DELTAPOS = static_cast<UINT>(0U - 721U - 1U);
struct NMUPDOWN {
    NMHDR hdr;
    int iPos = 0;
    int iDelta = 0;
};

class CSpinButtonCtrl : public CControlWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    using CWnd::Create;

    CWnd* SetBuddy(CWnd* buddy);
    CWnd* GetBuddy() const;
    // Up moves towards upper, which may be below lower (the arrows then
    // count down). The default range is 100 (lower) to 0 (upper).
    void SetRange(short lower, short upper) { SetRange32(lower, upper); }
    void SetRange32(int lower, int upper);
    void GetRange(int& lower, int& upper) const;
    void GetRange32(int& lower, int& upper) const { GetRange(lower, upper); }
    DWORD GetRange() const;
    // Clamped into the range; returns the previous position.
    int SetPos(int position);
    int SetPos32(int position) { return SetPos(position); }
    // With an integer buddy, the buddy's number (when it reads as one).
    int GetPos() const;
    int GetPos32() const { return GetPos(); }
    // One step of the up (+1) or down (-1) arrow, as a tap does.
    void Step(int direction);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(LPCREATESTRUCT cs) override;
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    BOOL AdoptState(CControlWnd& previous) override;

private:
    int Clamp(int position) const;
    bool ReadBuddy(int& value) const;
    void WriteBuddy() const;

    HWND m_buddy = nullptr;
    int m_lower = 100;
    int m_upper = 0;
    int m_position = 0;
};
