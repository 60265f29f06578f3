// Keys while a modal window is up: the window gets them, whatever had the
// focus behind it, and the focus goes back when it ends.
#include <vector>

#include "backend.h"
#include "c_dialog.h"
#include "c_wnd.h"
#include "dialog_template.h"
#include "headless_driver.h"
#include "message_box.h"
#include "window_manager.h"

#include <gtest/gtest.h>

namespace {

// A window that counts the keys it is sent.
class KeyCounter : public CWnd {
public:
    int keys = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KEYDOWN || message == WM_KEYUP)
            ++keys;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Presses one key, as the windowed backend passes a key of the keyboard on,
// once the box waits for input; a second wait means the key was not taken.
class KeyPressingBackend : public CBackend {
public:
    UINT key = 0;
    int waitsAfterKey = 0;

    BOOL WaitForEvents(DWORD) override
    {
        if (key == 0) {
            ++waitsAfterKey;
            return FALSE;
        }
        WindowManager::Instance().Key(key, true);
        WindowManager::Instance().Key(key, false);
        key = 0;
        return TRUE;
    }
};

class ModalKeysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetMessageBoxHistory();
        m_previous = SetPlatformBackend(&m_backend);
        ASSERT_TRUE(m_frame.Create(nullptr, L"Main", WS_VISIBLE, CRect(0, 26, 240, 320), nullptr, 0));
        ASSERT_TRUE(m_view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 240, 294), &m_frame, 1));
        m_frame.SetForegroundWindow();
        m_view.SetFocus();
    }
    void TearDown() override
    {
        m_view.DestroyWindow();
        m_frame.DestroyWindow();
        SetPlatformBackend(m_previous);
    }

    KeyPressingBackend m_backend;
    CBackend* m_previous = nullptr;
    CWnd m_frame;
    KeyCounter m_view;
};

}  // namespace

// Return answers with the default button and Escape with Cancel (or the
// default button when the box has no Cancel), not the view behind the box.
TEST_F(ModalKeysTest, AMessageBoxTakesReturnAndEscapeFromTheFocusedView)
{
    const struct {
        UINT type;
        UINT key;
        int answer;
    } cases[] = {
        {MB_YESNO, VK_RETURN, IDYES},
        {MB_YESNO | MB_DEFBUTTON2, VK_RETURN, IDNO},
        {MB_OKCANCEL, VK_RETURN, IDOK},
        {MB_YESNOCANCEL, VK_RETURN, IDYES},
        {MB_OKCANCEL, VK_ESCAPE, IDCANCEL},
        {MB_OK, VK_RETURN, IDOK},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << ", key " << c.key);
        m_backend.key = c.key;
        m_backend.waitsAfterKey = 0;
        m_view.keys = 0;
        EXPECT_EQ(MessageBox(m_frame.GetSafeHwnd(), L"Unsaved data may be LOST.\nDo You want to continue?",
                             L"Main", c.type),
                  c.answer);
        EXPECT_EQ(m_backend.waitsAfterKey, 0) << "the key was not taken";
        EXPECT_EQ(m_view.keys, 0) << "the key reached the view behind the box";
        EXPECT_EQ(CWnd::GetFocus(), &m_view) << "the focus did not come back";
    }
    // The view has its keys again.
    WindowManager::Instance().Key(VK_RIGHT, true);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        if (!WindowManager::Instance().PreTranslate(&msg))
            DispatchMessage(&msg);
    EXPECT_EQ(m_view.keys, 1);
}

// A dialog without a control that takes the focus (a text and its buttons):
// Return is its default button, Escape Cancel.
TEST_F(ModalKeysTest, ADialogWithoutFocusableControlsTakesReturnAndEscape)
{
    constexpr UINT kNoticeDialog = 9101;
    DialogTemplate notice;
    notice.id = kNoticeDialog;
    notice.caption = L"Notice";
    notice.items = {{ControlKind::Static, 0xFFFF, L"Room closed.", CRect(4, 4, 200, 20)}};
    ASSERT_TRUE(RegisterDialogTemplate(notice));
    const struct {
        UINT key;
        INT_PTR answer;
    } cases[] = {{VK_RETURN, IDOK}, {VK_ESCAPE, IDCANCEL}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key);
        m_backend.key = c.key;
        m_backend.waitsAfterKey = 0;
        m_view.keys = 0;
        CDialog dialog(kNoticeDialog, &m_frame);
        m_backend.waitsAfterKey = 0;
        EXPECT_EQ(dialog.DoModal(), c.answer);
        EXPECT_EQ(m_backend.waitsAfterKey, 0) << "the key was not taken";
        EXPECT_EQ(m_view.keys, 0) << "the key reached the view behind the dialog";
        EXPECT_EQ(CWnd::GetFocus(), &m_view) << "the focus did not come back";
    }
}
