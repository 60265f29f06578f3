// The window both smoke runs show: fixed drawing plus a mark where the pen
// went down, so the windowed screenshot and the headless frame can be
// compared pixel for pixel.
#pragma once

#include "c_wnd.h"

constexpr int kSmokeClickX = 100;  // client pixels of the click
constexpr int kSmokeClickY = 120;

class SmokeWindow : public CWnd {
public:
    BOOL Open();
    bool HasDown() const { return m_hasDown; }
    bool HasUp() const { return m_hasUp; }
    CPoint Down() const { return m_down; }
    CPoint Up() const { return m_up; }

protected:
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;

private:
    bool m_hasDown = false;
    bool m_hasUp = false;
    CPoint m_down;
    CPoint m_up;
};
