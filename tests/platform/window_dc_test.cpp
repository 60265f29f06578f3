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


// A window above the drawn one (a dialog, a sheet, a menu) keeps its pixels
// whatever the window below draws, through every drawing path.
TEST_F(WindowDcTest, WindowsAboveClipTheDrawingOfWindowsBelow)
{
    CWnd dialog;
    const CRect dialogRect(30, kCaptionHeight + 40, 120, kCaptionHeight + 90);
    ASSERT_TRUE(dialog.Create(nullptr, L"Dialog", WS_POPUP | WS_VISIBLE, dialogRect, nullptr, 0));
    CWnd menu;
    const CRect menuRect(0, kCaptionHeight + 60, 20, kCaptionHeight + 80);
    ASSERT_TRUE(menu.Create(nullptr, L"", WS_POPUP | WS_VISIBLE, menuRect, nullptr, 0));
    m_driver.Pump();
    const COLORREF dialogColour = m_driver.PixelAt(dialogRect.left + 5, dialogRect.top + 5);

    const struct {
        const char* how;
        void (*draw)(CDC& dc);
    } cases[] = {
        {"solid fill", [](CDC& dc) { dc.FillSolidRect(-10, -10, 300, 300, RGB(0, 255, 0)); }},
        {"thin lines", [](CDC& dc) {
             CPen pen(PS_SOLID, 0, RGB(0, 255, 0));
             CPen* old = dc.SelectObject(&pen);
             for (int y = 0; y < 60; ++y) {
                 dc.MoveTo(0, y);
                 dc.LineTo(50, y);
             }
             dc.SelectObject(old);
         }},
        {"filled shape", [](CDC& dc) {
             CBrush brush(RGB(0, 255, 0));
             CBrush* old = dc.SelectObject(&brush);
             dc.Rectangle(-5, -5, 300, 300);
             dc.SelectObject(old);
         }},
        {"inversion", [](CDC& dc) {
             const CRect all(-5, -5, 300, 300);
             dc.InvertRect(&all);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        m_top.Invalidate();
        m_driver.Pump();
        {
            CClientDC dc(&m_child);
            c.draw(dc);
        }
        CClientDC reader(nullptr);
        for (int x = dialogRect.left; x < 60; x += 3)
            for (int y = dialogRect.top; y < kCaptionHeight + 70; y += 3)
                ASSERT_EQ(reader.GetPixel(x, y), dialogColour) << x << "," << y;
        for (int y = menuRect.top; y < kCaptionHeight + 70; ++y)
            ASSERT_EQ(reader.GetPixel(15, y), RGB(255, 255, 255)) << "menu row " << y;
        EXPECT_NE(reader.GetPixel(12, kCaptionHeight + 22), RGB(255, 255, 255)) << "the uncovered part is drawn";
    }
    // The paint cycle keeps the order too: the view repainted under the
    // dialog leaves the dialog whole.
    m_child.Invalidate();
    m_driver.Pump();
    EXPECT_EQ(m_driver.PixelAt(dialogRect.left + 5, dialogRect.top + 5), dialogColour);
    dialog.DestroyWindow();
    menu.DestroyWindow();
}

}  // namespace
