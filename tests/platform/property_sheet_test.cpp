#include "c_button.h"
#include "c_property_sheet.h"
#include "data_exchange.h"
#include "headless_driver.h"
#include "message_box.h"
#include "window_manager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr UINT kWidthPage = 9101;
constexpr UINT kFlagsPage = 9102;
constexpr UINT kDeletePage = 9103;
constexpr int kWidthEdit = 201;
constexpr int kFlagCheck = 211;
constexpr int kDeleteButton = 221;

void RegisterPages()
{
    DialogTemplate width;
    width.id = kWidthPage;
    width.caption = L"Width";
    width.items = {{ControlKind::Edit, kWidthEdit, L"", CRect(10, 10, 100, 28)}};
    ASSERT_TRUE(RegisterDialogTemplate(width));
    DialogTemplate flags;
    flags.id = kFlagsPage;
    flags.caption = L"Flags";
    flags.items = {{ControlKind::CheckBox, kFlagCheck, L"Closet", CRect(10, 10, 100, 28)}};
    ASSERT_TRUE(RegisterDialogTemplate(flags));
    DialogTemplate remove;
    remove.id = kDeletePage;
    remove.caption = L"Object";
    remove.items = {{ControlKind::PushButton, kDeleteButton, L"Delete", CRect(10, 10, 100, 30)}};
    ASSERT_TRUE(RegisterDialogTemplate(remove));
}

// Records what the sheet asks of each page, in order.
std::vector<std::string>* g_calls = nullptr;

void Log(const std::string& call)
{
    if (g_calls) g_calls->push_back(call);
}

class WidthPage : public CPropertyPage {
public:
    WidthPage() : CPropertyPage(kWidthPage) {}
    int m_width = 3;
    BOOL OnKillActive() override
    {
        Log("width:kill");
        return CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override
    {
        Log("width:apply");
        return TRUE;
    }
    BOOL OnSetActive() override
    {
        Log("width:set");
        return CPropertyPage::OnSetActive();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, kWidthEdit, m_width);
        DDV_MinMaxInt(pDX, m_width, 0, 10);
    }
};

class FlagsPage : public CPropertyPage {
public:
    FlagsPage() : CPropertyPage(kFlagsPage) {}
    int m_flag = 0;
    int m_refusals = 0;  // applies that answer FALSE before one answers TRUE
    BOOL OnKillActive() override
    {
        Log("flags:kill");
        return CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override
    {
        Log("flags:apply");
        if (m_refusals > 0) {
            --m_refusals;
            return FALSE;
        }
        return TRUE;
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Check(pDX, kFlagCheck, m_flag); }
};

class DeletePage : public CPropertyPage {
public:
    DeletePage() : CPropertyPage(kDeletePage) { MapCommand(kDeleteButton, &DeletePage::OnDelete); }
    BOOL OnApply() override
    {
        Log("delete:apply");
        return TRUE;
    }

private:
    void OnDelete()
    {
        Log("delete:end");
        static_cast<CPropertySheet*>(GetParent())->EndDialog(IDOK);
    }
};

class PropertySheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterPages();
        ResetMessageBoxHistory();
        g_calls = &m_calls;
        m_sheet.AddPage(&m_width);
        m_sheet.AddPage(&m_flags);
        m_sheet.AddPage(&m_delete);
        m_sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    }
    void TearDown() override { g_calls = nullptr; }

    HeadlessDriver m_driver;
    std::vector<std::string> m_calls;
    WidthPage m_width;
    FlagsPage m_flags;
    DeletePage m_delete;
    CPropertySheet m_sheet{L"New Wall Object"};
};

TEST_F(PropertySheetTest, LeavingAPageRunsItsKillActiveCheck)
{
    m_driver.OnDialog(kWidthPage, [&](CWnd* shown, HeadlessDriver&) {
        auto* sheet = static_cast<CPropertySheet*>(shown);
        CWnd* page = sheet->GetActivePage();
        ASSERT_NE(page, nullptr);
        page->SetDlgItemText(kWidthEdit, L"99");
        EXPECT_FALSE(sheet->SetActivePage(1)) << "the range check keeps the page";
        EXPECT_EQ(sheet->GetActiveIndex(), 0);
        page->SetDlgItemText(kWidthEdit, L"7");
        EXPECT_TRUE(sheet->SetActivePage(1));
        EXPECT_EQ(sheet->GetActiveIndex(), 1);
        sheet->PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(m_sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(m_width.m_width, 7);
    ASSERT_EQ(MessageBoxCount(), 1);
    EXPECT_EQ(MessageBoxHistory()[0].text, CString(L"Enter a whole number from 0 to 10."));
    const std::vector<std::string> expected = {"width:set", "width:kill", "width:kill"};
    EXPECT_EQ(m_calls, expected) << "no apply on Cancel";
}

TEST_F(PropertySheetTest, OkRunsEachBuiltPagesApplyAfterTheKillActiveCheck)
{
    m_driver.OnDialog(kWidthPage, [&](CWnd* shown, HeadlessDriver&) {
        auto* sheet = static_cast<CPropertySheet*>(shown);
        sheet->SetActivePage(1);
        sheet->GetActivePage()->CheckDlgButton(kFlagCheck, BST_CHECKED);
        sheet->PressButton(PSBTN_OK);
    });
    EXPECT_EQ(m_sheet.DoModal(), IDOK);
    EXPECT_EQ(m_flags.m_flag, 1);
    const std::vector<std::string> expected = {"width:set", "width:kill", "flags:kill", "width:apply", "flags:apply"};
    EXPECT_EQ(m_calls, expected) << "the page never shown is never applied";
}

TEST_F(PropertySheetTest, AnApplyAnsweringFalseKeepsTheSheetOpen)
{
    m_flags.m_refusals = 1;
    bool stillOpen = false;
    m_driver.OnDialog(kWidthPage, [&](CWnd* shown, HeadlessDriver&) {
        auto* sheet = static_cast<CPropertySheet*>(shown);
        sheet->SetActivePage(1);
        sheet->PressButton(PSBTN_OK);
        stillOpen = IsWindow(shown) && sheet->GetActiveIndex() == 1;
        sheet->PressButton(PSBTN_OK);
    });
    EXPECT_EQ(m_sheet.DoModal(), IDOK);
    EXPECT_TRUE(stillOpen);
    const std::vector<std::string> expected = {"width:set", "width:kill", "flags:kill", "width:apply",
                                               "flags:apply", "flags:kill", "width:apply", "flags:apply"};
    EXPECT_EQ(m_calls, expected);
}

TEST_F(PropertySheetTest, APageCanEndItsSheetWithoutApplying)
{
    m_sheet.SetActivePage(2);
    m_driver.OnDialog(kDeletePage, [&](CWnd* shown, HeadlessDriver& driver) {
        auto* sheet = static_cast<CPropertySheet*>(shown);
        driver.TapDlgItem(sheet->GetActivePage(), kDeleteButton);
    });
    EXPECT_EQ(m_sheet.DoModal(), IDOK);
    const std::vector<std::string> expected = {"delete:end"};
    EXPECT_EQ(m_calls, expected);
}

TEST_F(PropertySheetTest, TabsAndTheOkButtonAnswerThePen)
{
    m_driver.OnDialog(kWidthPage, [&](CWnd* shown, HeadlessDriver& driver) {
        auto* sheet = static_cast<CPropertySheet*>(shown);
        CRect area;
        sheet->GetWindowRect(&area);
        // Three tabs share the width left of the 30-pixel OK button.
        const int tabWidth = (area.Width() - 30) / 3;
        driver.PenDownScreen(CPoint(area.left + tabWidth + tabWidth / 2, area.top + 10));
        driver.PenUpScreen(CPoint(area.left + tabWidth + tabWidth / 2, area.top + 10));
        EXPECT_EQ(sheet->GetActiveIndex(), 1);
        driver.PenDownScreen(CPoint(area.right - 10, area.top + 10));
        driver.PenUpScreen(CPoint(area.right - 10, area.top + 10));
    });
    EXPECT_EQ(m_sheet.DoModal(), IDOK);
    EXPECT_EQ(m_calls.back(), "flags:apply");
}

TEST_F(PropertySheetTest, EscapeCancelsAndEnterConfirms)
{
    m_driver.OnDialog(kWidthPage, [&](CWnd*, HeadlessDriver& driver) { driver.Key(VK_ESCAPE); });
    EXPECT_EQ(m_sheet.DoModal(), IDCANCEL);
    m_driver.OnDialog(kWidthPage, [&](CWnd*, HeadlessDriver& driver) { driver.Key(VK_RETURN); });
    EXPECT_EQ(m_sheet.DoModal(), IDOK);
}

TEST_F(PropertySheetTest, CaptionAndPagesAreReportedToTheScript)
{
    CString caption;
    int children = 0;
    m_driver.OnDialog(kWidthPage, [&](CWnd* shown, HeadlessDriver&) {
        shown->GetWindowText(caption);
        children = static_cast<int>(shown->Children().size());
    });
    EXPECT_EQ(m_sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(caption, CString(L"New Wall Object"));
    EXPECT_EQ(children, 1) << "one page built, no Apply button";
    EXPECT_EQ(m_width.GetTabText(), CString(L"Width"));
}

}  // namespace

// The tabs of a sheet all read in one font: a long caption does not get a
// smaller one than its neighbours ("Door" and "Dimensions" start with the
// same letter, drawn alike).
TEST(PropertySheetTabsTest, EveryTabLabelIsInTheSameFont)
{
    HeadlessDriver driver;
    const wchar_t* captions[] = {L"Door", L"Object", L"Dimensions", L"Attributes"};
    std::vector<std::unique_ptr<CPropertyPage>> pages;
    CPropertySheet sheet(L"New Wall Object");
    for (UINT i = 0; i < 4; ++i) {
        DialogTemplate page;
        page.id = 9121 + i;
        page.caption = captions[i];
        ASSERT_TRUE(RegisterDialogTemplate(page));
        pages.push_back(std::make_unique<CPropertyPage>(9121 + i));
        sheet.AddPage(pages.back().get());
    }
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    std::vector<CSize> firstLetter;  // per tab: the first glyph's ink size
    driver.OnDialog(9121, [&](CWnd* shown, HeadlessDriver& d) {
        CRect area;
        shown->GetClientRect(&area);
        shown->ClientToScreen(&area);
        const int tabWidth = (area.Width() - 30) / 4;
        for (int tab = 0; tab < 4; ++tab) {
            const int top = area.top + 2, bottom = area.top + 18;
            auto inked = [&](int x) {
                for (int y = top; y < bottom; ++y)
                    if (d.PixelAt(x, y) == RGB(0, 0, 0)) return true;
                return false;
            };
            int x = area.left + tab * tabWidth + 2;
            const int end = area.left + (tab + 1) * tabWidth - 2;
            while (x < end && !inked(x)) ++x;
            const int x0 = x;
            while (x < end && inked(x)) ++x;
            int first = bottom, last = top;
            for (int y = top; y < bottom; ++y)
                for (int gx = x0; gx < x; ++gx)
                    if (d.PixelAt(gx, y) == RGB(0, 0, 0)) first = std::min(first, y), last = std::max(last, y);
            firstLetter.emplace_back(x - x0, last - first + 1);
        }
        static_cast<CPropertySheet*>(shown)->PressButton(PSBTN_CANCEL);
    });
    sheet.DoModal();
    ASSERT_EQ(firstLetter.size(), 4u);
    EXPECT_GT(firstLetter[0].cy, 5);
    EXPECT_EQ(firstLetter[2], firstLetter[0]) << "the D of Dimensions and of Door";
}
