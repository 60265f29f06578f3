#include "backend.h"
#include "c_wnd.h"
#include "headless_driver.h"
#include "message_box.h"
#include "string_table.h"
#include "window_manager.h"

#include <gtest/gtest.h>

namespace {

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override { ResetMessageBoxHistory(); }
};

TEST_F(MessageBoxTest, ScriptAnswersAreReturnedAndEveryBoxIsCounted)
{
    HeadlessDriver driver;
    driver.AnswerMessageBox(IDNO);
    EXPECT_EQ(AfxMessageBox(L"Save changes?", MB_YESNO), IDNO);
    EXPECT_EQ(AfxMessageBox(L"Invalid dimensions"), IDOK);
    EXPECT_EQ(AfxMessageBox(L"Replace?", MB_YESNO | MB_DEFBUTTON2), IDNO) << "the default button answers";
    ASSERT_EQ(MessageBoxCount(), 3);
    const auto history = MessageBoxHistory();
    EXPECT_EQ(history[0].text, CString(L"Save changes?"));
    EXPECT_EQ(history[0].result, IDNO);
    EXPECT_TRUE(history[0].scripted);
    EXPECT_EQ(history[1].text, CString(L"Invalid dimensions"));
    EXPECT_EQ(history[1].type, MB_OK);
    EXPECT_EQ(driver.MessageBoxes().size(), 3u);
    ResetMessageBoxHistory();
    EXPECT_EQ(MessageBoxCount(), 0);
}

TEST_F(MessageBoxTest, TextFromTheStringTableAndExplicitCaption)
{
    HeadlessDriver driver;
    RegisterStrings({{64100, L"No Storage Card detected!"}});
    AfxMessageBox(64100);
    MessageBox(nullptr, L"Decryption failed. Error 5", L"Pelk", MB_OK | MB_ICONEXCLAMATION);
    const auto history = MessageBoxHistory();
    ASSERT_EQ(history.size(), 2u);
    EXPECT_EQ(history[0].text, CString(L"No Storage Card detected!"));
    EXPECT_EQ(history[1].caption, CString(L"Pelk"));
    EXPECT_EQ(history[1].type & 0xF0, MB_ICONEXCLAMATION);
}

// Without a scripted answer the layer draws the box and waits for a tap.
class TappingBackend : public CBackend {
public:
    int m_button = 0;  // the button to tap; 0: none (the box is left)
    CString m_shownTitle;

    BOOL WaitForEvents(DWORD) override
    {
        CWnd* box = CWnd::GetActiveWindow();
        if (m_button == 0 || box == nullptr) return FALSE;
        box->GetWindowText(m_shownTitle);
        CWnd* button = box->GetDlgItem(m_button);
        m_button = 0;
        if (button == nullptr) return FALSE;
        CRect area;
        button->GetWindowRect(&area);
        WindowManager::Instance().PenDown(area.CenterPoint());
        WindowManager::Instance().PenUp(area.CenterPoint());
        return TRUE;
    }
};

class DrawnMessageBoxTest : public MessageBoxTest {
protected:
    void SetUp() override
    {
        MessageBoxTest::SetUp();
        m_previous = SetPlatformBackend(&m_backend);
    }
    void TearDown() override { SetPlatformBackend(m_previous); }

    TappingBackend m_backend;
    CBackend* m_previous = nullptr;
};

TEST_F(DrawnMessageBoxTest, TheTappedButtonAnswers)
{
    m_backend.m_button = IDNO;
    EXPECT_EQ(MessageBox(nullptr, L"Duplicate room Kitchen detected", L"Main", MB_YESNOCANCEL), IDNO);
    EXPECT_EQ(m_backend.m_shownTitle, CString(L"Main"));
    ASSERT_EQ(MessageBoxCount(), 1);
    EXPECT_FALSE(MessageBoxHistory()[0].scripted);
    EXPECT_EQ(MessageBoxHistory()[0].result, IDNO);
}

TEST_F(DrawnMessageBoxTest, ABoxLeftWithoutAnswerIsDismissed)
{
    EXPECT_EQ(AfxMessageBox(L"Incorrect objects parameters"), IDOK);
    EXPECT_EQ(AfxMessageBox(L"Overwrite?", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(AfxMessageBox(L"Keep?", MB_YESNO), IDYES) << "no Cancel: the default button";
    EXPECT_EQ(MessageBoxCount(), 3);
}

// A sheet without a caption of its own lies over the window it disables
// without taking the activation: a box it shows must leave it on top, or
// the still modal sheet would vanish behind its disabled owner.
TEST_F(DrawnMessageBoxTest, AModalSheetStaysOverItsOwnerAfterABox)
{
    const CRect screen(0, kCaptionHeight, kScreenWidth, kScreenHeight);
    CWnd owner;
    ASSERT_TRUE(owner.Create(nullptr, L"Pelk", WS_POPUP | WS_VISIBLE, screen, nullptr, 0));
    owner.SetForegroundWindow();
    owner.EnableWindow(FALSE);
    CWnd sheet;
    ASSERT_TRUE(sheet.Create(nullptr, L"", WS_POPUP | WS_VISIBLE, screen, &owner, 0));
    sheet.BringWindowToTop();
    const CPoint inside = screen.CenterPoint();
    ASSERT_EQ(WindowManager::Instance().WindowFromPoint(inside), &sheet);
    m_backend.m_button = IDOK;
    EXPECT_EQ(AfxMessageBox(L"Enter a whole number from 0 to 255."), IDOK);
    EXPECT_EQ(WindowManager::Instance().WindowFromPoint(inside), &sheet);
    sheet.DestroyWindow();
    owner.DestroyWindow();
}

}  // namespace
