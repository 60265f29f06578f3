#include "headless_driver.h"
#include "window_dc.h"
#include "window_manager.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// Paints its client area blue with a red one-pixel diagonal.
class PaintedWnd : public CWnd {
public:
    int m_paints = 0;

protected:
    void OnPaint() override
    {
        ++m_paints;
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, kBlue);
        CPen pen(PS_SOLID, 0, kRed);
        CPen* old = dc.SelectObject(&pen);
        dc.MoveTo(0, 0);
        dc.LineTo(client.right, client.bottom);
        dc.SelectObject(old);
    }
};

class WindowDcTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_top.Create(nullptr, L"Pelk", WS_POPUP | WS_VISIBLE,
                                 CRect(0, kCaptionHeight, kScreenWidth, kCaptionHeight + kClientHeight), nullptr, 0));
        ASSERT_TRUE(m_child.Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(10, 20, 60, 70), &m_top, 5));
        m_driver.Pump();
    }
    void TearDown() override { m_top.DestroyWindow(); }

    HeadlessDriver m_driver;
    CWnd m_top;
    PaintedWnd m_child;
};

TEST_F(WindowDcTest, PaintContextDrawsAtTheWindowsPlaceOnTheScreen)
{
    EXPECT_GE(m_child.m_paints, 1);
    const int left = 10;
    const int top = kCaptionHeight + 20;
    EXPECT_EQ(m_driver.PixelAt(left, top), kRed);
    EXPECT_EQ(m_driver.PixelAt(left + 5, top + 5), kRed);
    EXPECT_EQ(m_driver.PixelAt(left + 5, top + 6), kBlue);
    EXPECT_EQ(m_driver.PixelAt(left + 49, top + 48), kBlue);
    EXPECT_EQ(m_driver.PixelAt(left + 49, top + 49), kRed);
    EXPECT_EQ(m_driver.PixelAt(left + 50, top + 5), RGB(255, 255, 255)) << "right of the child";
}

TEST_F(WindowDcTest, ClientContextIsClippedToTheWindow)
{
    {
        CClientDC dc(&m_child);
        dc.FillSolidRect(-20, -20, 200, 200, RGB(0, 255, 0));
        CRect clip;
        dc.GetClipBox(&clip);
        EXPECT_EQ(clip, CRect(0, 0, 50, 50));
    }
    const int left = 10;
    const int top = kCaptionHeight + 20;
    cairo_surface_t* screen = WindowManager::Instance().ScreenSurface();
    CDC reader;
    reader.AttachSurface(screen, CRect(0, 0, kScreenWidth, kScreenHeight));
    EXPECT_EQ(reader.GetPixel(left, top), RGB(0, 255, 0));
    EXPECT_EQ(reader.GetPixel(left + 49, top + 49), RGB(0, 255, 0));
    EXPECT_NE(reader.GetPixel(left - 1, top), RGB(0, 255, 0));
    EXPECT_NE(reader.GetPixel(left, top + 50), RGB(0, 255, 0));
}

TEST_F(WindowDcTest, HiddenWindowDrawsNothing)
{
    m_child.ShowWindow(SW_HIDE);
    m_driver.Pump();
    const int paints = m_child.m_paints;
    m_child.Invalidate();
    m_driver.Pump();
    EXPECT_EQ(m_child.m_paints, paints);
    EXPECT_EQ(m_driver.PixelAt(15, kCaptionHeight + 25), RGB(255, 255, 255));
}

}  // namespace
