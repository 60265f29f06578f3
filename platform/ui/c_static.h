// Static controls: a text, or a picture from the bitmap resources.
#pragma once

#include "control_wnd.h"

constexpr DWORD SS_LEFT = 0x0000;
constexpr DWORD SS_CENTER = 0x0001;
constexpr DWORD SS_RIGHT = 0x0002;
constexpr DWORD SS_BITMAP = 0x000E;
constexpr DWORD SS_TYPEMASK = 0x001F;
constexpr DWORD SS_NOTIFY = 0x0100;

class CStatic : public CControlWnd {
public:
    BOOL Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);
    // Shows the bitmap of a resource id (style SS_BITMAP).
    void SetBitmapResource(UINT bitmapId);
    UINT GetBitmapResource() const { return m_bitmapId; }

    using CWnd::Create;

protected:
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL AdoptState(CControlWnd& previous) override;

private:
    UINT m_bitmapId = 0;
};
