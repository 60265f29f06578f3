// Device contexts over a window's client area on the logical screen.
#pragma once

#include "c_wnd.h"
#include "dc.h"

// Draws into the window's client area at once (outside the paint cycle);
// what was drawn is shown when the context ends.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* window);
    ~CClientDC() override;

protected:
    CWnd* m_pWnd;
};

// The paint cycle: BeginPaint on construction, EndPaint on destruction;
// drawing is clipped to the part that needed painting.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* window);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

protected:
    CWnd* m_pWnd;
};

// The whole window including its frame (caption of a dialog).
class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* window);
    ~CWindowDC() override;

protected:
    CWnd* m_pWnd;
};
