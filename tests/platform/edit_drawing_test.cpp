// How a text field is drawn: the selected text light on the highlight, and
// the caret where the text ends also when the field aligns its text right.
#include "c_dialog.h"
#include "c_edit.h"
#include "control_wnd.h"
#include "headless_driver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr UINT kHost = 9202;
constexpr int kLeftField = 401;
constexpr int kRightField = 402;

void RegisterHost()
{
    DialogTemplate host;
    host.id = kHost;
    host.caption = L"Fields";
    host.items = {
        {ControlKind::Edit, kLeftField, L"", CRect(8, 8, 120, 28), 0},
        {ControlKind::Edit, kRightField, L"", CRect(8, 40, 120, 60), ES_NUMBER | ES_RIGHT},
    };
    ASSERT_TRUE(RegisterDialogTemplate(host));
}

bool Dark(COLORREF c) { return GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100; }

class EditDrawingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterHost();
        ASSERT_TRUE(m_host.Create(kHost));
        m_left = dynamic_cast<CEdit*>(m_host.GetDlgItem(kLeftField));
        m_right = dynamic_cast<CEdit*>(m_host.GetDlgItem(kRightField));
        ASSERT_TRUE(m_left && m_right);
        m_driver.SetTarget(&m_host);
    }
    void TearDown() override { m_host.DestroyWindow(); }

    // The field's inside on the screen, less its frame.
    CRect Inside(CEdit* field) const
    {
        CRect box;
        field->GetWindowRect(&box);
        box.DeflateRect(1, 1);
        return box;
    }

    HeadlessDriver m_driver;
    CDialog m_host{kHost};
    CEdit* m_left = nullptr;
    CEdit* m_right = nullptr;
};

}  // namespace

// Selected text reads white on the navy highlight, not dark on it.
TEST_F(EditDrawingTest, SelectedTextIsLightOnTheHighlight)
{
    for (CEdit* field : {m_left, m_right}) {
        field->SetWindowText(L"4711");
        field->SetFocus();
        field->SetSel(0, -1);
        const CRect inside = Inside(field);
        // The highlight's extent, then the text inside it.
        CRect lit(inside.right, inside.bottom, inside.left, inside.top);
        int highlight = 0;
        for (int y = inside.top; y < inside.bottom; ++y)
            for (int x = inside.left; x < inside.right; ++x)
                if (m_driver.PixelAt(x, y) == kHighlight) {
                    ++highlight;
                    lit.left = std::min<int>(lit.left, x), lit.right = std::max<int>(lit.right, x + 1);
                    lit.top = std::min<int>(lit.top, y), lit.bottom = std::max<int>(lit.bottom, y + 1);
                }
        int darkText = 0, lightText = 0;
        for (int y = lit.top; y < lit.bottom; ++y)
            for (int x = lit.left; x < lit.right; ++x) {
                const COLORREF c = m_driver.PixelAt(x, y);
                darkText += Dark(c) ? 1 : 0;
                lightText += GetRValue(c) > 128 ? 1 : 0;
            }
        EXPECT_GT(highlight, 100) << "no highlight";
        EXPECT_EQ(darkText, 0) << "dark text on the highlight";
        EXPECT_GT(lightText, 10) << "no light text on the highlight";
    }
}

// The caret stands after the last character: in a right-aligned field at
// the right, by the digits, not at the field's left end.
TEST_F(EditDrawingTest, TheCaretStandsWhereTheTextEnds)
{
    const struct {
        CEdit* field;
        bool right;
    } cases[] = {{m_left, false}, {m_right, true}};
    for (const auto& c : cases) {
        CEdit* field = c.field;
        field->SetWindowText(L"250");
        field->SetFocus();
        field->SetSel(3, 3);
        const CRect inside = Inside(field);
        int first = -1, last = -1;
        for (int x = inside.left; x < inside.right; ++x)
            for (int y = inside.top; y < inside.bottom; ++y)
                if (m_driver.PixelAt(x, y) != kControlFace) {
                    if (first < 0)
                        first = x;
                    last = x;
                    break;
                }
        ASSERT_GE(first, 0);
        // Text and caret together: three digits and a caret, some 25 pixels.
        EXPECT_LT(last - first, 40) << (c.right ? "right" : "left") << " field: ink from " << first << " to " << last;
        if (c.right)
            EXPECT_GT(first, inside.CenterPoint().x) << "ink in the left half of a right-aligned field";
        else
            EXPECT_LT(last, inside.CenterPoint().x);
    }
}
