#include "message_box.h"

#include <algorithm>
#include <memory>
#include <mutex>

#include "backend.h"
#include "c_button.h"
#include "string_table.h"
#include "window_dc.h"
#include "window_manager.h"

namespace {

constexpr UINT kTypeMask = 0x000F;
constexpr UINT kDefaultMask = 0x0F00;
constexpr int kBoxWidth = 224;
constexpr int kTextWidth = kBoxWidth - 16;
constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 20;

struct History {
    std::mutex mutex;
    std::vector<ShownMessageBox> records;
};

History& TheHistory()
{
    static History history;
    return history;
}

void Record(const ShownMessageBox& record)
{
    History& history = TheHistory();
    std::lock_guard lock(history.mutex);
    history.records.push_back(record);
}

struct BoxButton {
    int id;
    const wchar_t* text;
};

std::vector<BoxButton> ButtonsFor(UINT type)
{
    switch (type & kTypeMask) {
    case MB_OKCANCEL: return {{IDOK, L"OK"}, {IDCANCEL, L"Cancel"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, L"Abort"}, {IDRETRY, L"Retry"}, {IDIGNORE, L"Ignore"}};
    case MB_YESNOCANCEL: return {{IDYES, L"Yes"}, {IDNO, L"No"}, {IDCANCEL, L"Cancel"}};
    case MB_YESNO: return {{IDYES, L"Yes"}, {IDNO, L"No"}};
    case MB_RETRYCANCEL: return {{IDRETRY, L"Retry"}, {IDCANCEL, L"Cancel"}};
    default: return {{IDOK, L"OK"}};
    }
}

int DefaultButtonOf(UINT type)
{
    const auto buttons = ButtonsFor(type);
    const size_t index = (type & kDefaultMask) >> 8;
    return buttons[index < buttons.size() ? index : 0].id;
}

// What closing the box without a button gives: Cancel when it has one,
// else its default button.
int DismissResultOf(UINT type)
{
    for (const BoxButton& button : ButtonsFor(type))
        if (button.id == IDCANCEL) return IDCANCEL;
    if ((type & kTypeMask) == MB_OK) return IDOK;
    return DefaultButtonOf(type);
}

CString ApplicationTitle()
{
    const auto& windows = WindowManager::Instance().TopLevelWindows();
    CString title;
    if (!windows.empty()) windows.front()->GetWindowText(title);
    return title;
}

// The box: the text over a row of buttons, centred on the screen.
class CMessageBoxWnd : public CWnd {
public:
    CMessageBoxWnd(const CString& text, UINT type) : m_text(text), m_type(type) {}

    int Run(CWnd* owner, const CString& caption)
    {
        const int textHeight = MeasureText();
        const int height = textHeight + kButtonHeight + 26;
        const int top = kCaptionHeight + std::max(0, (kClientHeight - height) / 2);
        const CRect rect((kScreenWidth - kBoxWidth) / 2, top, (kScreenWidth + kBoxWidth) / 2, top + height);
        if (!Create(nullptr, caption, WS_POPUP, rect, owner, 0)) return DismissResultOf(m_type);
        SetNonClientInsets(CRect(1, 1, 1, 1));
        AddButtons(textHeight);
        ShowWindow(SW_SHOW);
        SetForegroundWindow();
        RunModalLoop();
        DestroyWindow();
        return m_chosen != 0 ? m_chosen : DismissResultOf(m_type);
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        m_chosen = LOWORD(wParam);
        EndModalLoop(m_chosen);
        return TRUE;
    }

    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message != WM_KEYDOWN) return FALSE;
        if (msg->wParam == VK_RETURN) m_chosen = DefaultButtonOf(m_type);
        else if (msg->wParam == VK_ESCAPE) m_chosen = DismissResultOf(m_type);
        else return FALSE;
        EndModalLoop(m_chosen);
        return TRUE;
    }

    void OnPaint() override
    {
        CPaintDC dc(this);
        CFont font;
        CFont* old = SelectControlFont(dc, font);
        dc.SetBkMode(TRANSPARENT);
        CRect box(7, 8, 7 + kTextWidth, 8 + MeasureText());
        dc.DrawText(m_text, &box, DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
        dc.SelectObject(old);
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NCPAINT) {
            CWindowDC dc(this);
            CRect frame;
            GetWindowRect(&frame);
            frame.OffsetRect(-frame.left, -frame.top);
            CBrush black(kControlText);
            dc.FrameRect(&frame, &black);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    int MeasureText()
    {
        CDC dc;
        BindMeasuringDC(dc);
        CFont font;
        CFont* old = SelectControlFont(dc, font);
        CRect box(0, 0, kTextWidth, 0);
        const int height = dc.DrawText(m_text, &box, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        dc.SelectObject(old);
        return std::max(height, 12);
    }

    void AddButtons(int textHeight)
    {
        const auto choices = ButtonsFor(m_type);
        const int count = static_cast<int>(choices.size());
        const int gap = 8;
        const int total = count * kButtonWidth + (count - 1) * gap;
        int x = (kBoxWidth - 2 - total) / 2;
        const int y = textHeight + 16;
        const int defaultId = DefaultButtonOf(m_type);
        for (const BoxButton& choice : choices) {
            auto button = std::make_unique<CButton>();
            const DWORD style = WS_VISIBLE | (choice.id == defaultId ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
            button->Create(choice.text, style, CRect(x, y, x + kButtonWidth, y + kButtonHeight), this,
                           static_cast<UINT>(choice.id));
            m_buttons.push_back(std::move(button));
            x += kButtonWidth + gap;
        }
    }

    CString m_text;
    UINT m_type;
    int m_chosen = 0;
    std::vector<std::unique_ptr<CButton>> m_buttons;
};

}  // namespace

int MessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type)
{
    ShownMessageBox record;
    record.text = text ? text : L"";
    record.caption = caption ? CString(caption) : ApplicationTitle();
    record.type = type;
    if (const auto answer = PlatformBackend().MessageBoxAnswer(record.text, record.caption, type)) {
        record.result = *answer;
        record.scripted = true;
        Record(record);
        return record.result;
    }
    CWnd* parent = CWnd::FromHandle(owner);
    CWnd* top = parent ? parent->GetTopLevelParent() : CWnd::GetActiveWindow();
    CWnd* focus = CWnd::GetFocus();
    const bool disableOwner = top && top->IsWindowEnabled();
    if (disableOwner) top->EnableWindow(FALSE);
    CMessageBoxWnd box(record.text, type);
    record.result = box.Run(top, record.caption);
    if (disableOwner && IsWindow(top)) top->EnableWindow(TRUE);
    // A window still disabled lies under a modal one that did not take the
    // activation (a sheet without a caption): raising it would hide that one.
    if (top && IsWindow(top) && top->IsWindowEnabled()) top->SetForegroundWindow();
    if (focus && IsWindow(focus)) focus->SetFocus();
    Record(record);
    return record.result;
}

int AfxMessageBox(LPCTSTR text, UINT type, UINT)
{
    return MessageBox(nullptr, text, nullptr, type);
}

int AfxMessageBox(UINT textId, UINT type, UINT)
{
    const wchar_t* text = FindString(textId);
    return MessageBox(nullptr, text ? text : L"", nullptr, type);
}

std::vector<ShownMessageBox> MessageBoxHistory()
{
    History& history = TheHistory();
    std::lock_guard lock(history.mutex);
    return history.records;
}

int MessageBoxCount()
{
    History& history = TheHistory();
    std::lock_guard lock(history.mutex);
    return static_cast<int>(history.records.size());
}

void ResetMessageBoxHistory()
{
    History& history = TheHistory();
    std::lock_guard lock(history.mutex);
    history.records.clear();
}
