#include "smoke_scene.h"

#include "window_dc.h"

BOOL SmokeWindow::Open() {
    if (!Create(nullptr, L"Pelk", WS_VISIBLE, CRect(0, kCaptionHeight, kScreenWidth, kScreenHeight), nullptr, 0))
        return FALSE;
    SetActiveWindow();
    return TRUE;
}

void SmokeWindow::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, RGB(255, 255, 255));
    dc.FillSolidRect(20, 20, 100, 60, RGB(0, 0, 255));
    CPen pen(0, 0, RGB(255, 0, 0));
    CPen* old = dc.SelectObject(&pen);
    dc.MoveTo(0, 0);
    dc.LineTo(client.Width() - 1, client.Height() - 1);
    dc.SelectObject(old);
    dc.TextOut(30, 200, CString(L"Smoke 1.0"));
    if (m_hasDown) dc.FillSolidRect(m_down.x - 2, m_down.y - 2, 5, 5, RGB(0, 0, 0));
}

void SmokeWindow::OnLButtonDown(UINT, CPoint point) {
    m_hasDown = true;
    m_down = point;
    Invalidate();
}

void SmokeWindow::OnLButtonUp(UINT, CPoint point) {
    m_hasUp = true;
    m_up = point;
}
