#include "keypad_dlg.h"

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "bitmap_resources.h"
#include "data_exchange.h"
#include "length_text.h"

namespace {

// The keys' area in the dialog's client pixels.
constexpr int kKeysLeft = 12;
constexpr int kKeysRight = 78;
constexpr int kKeyWidth = 22;
constexpr int kRow1Top = 37;
constexpr int kRow2Top = 59;
constexpr int kRow3Top = 80;
constexpr int kZeroTop = 99;
constexpr int kKeysBottom = 120;
// Taps count strictly inside these bounds.
constexpr int kTapLeft = 11;
constexpr int kTapRight = 80;
constexpr int kTapTop = 36;
constexpr int kTapBottom = 120;

constexpr COLORREF kKeyFace = RGB(224, 224, 224);
constexpr COLORREF kKeyEdge = RGB(96, 96, 96);
constexpr COLORREF kKeyDigit = RGB(0, 0, 0);

// Digits 0-9 in a 3 x 5 pixel font, drawn twice the size on the keys.
constexpr const char* kGlyphs[10][5] = {
    {"###", "#.#", "#.#", "#.#", "###"}, {".#.", "##.", ".#.", ".#.", "###"},
    {"###", "..#", "###", "#..", "###"}, {"###", "..#", "###", "..#", "###"},
    {"#.#", "#.#", "###", "..#", "..#"}, {"###", "#..", "###", "..#", "###"},
    {"###", "#..", "###", "#.#", "###"}, {"###", "..#", "..#", "..#", "..#"},
    {"###", "#.#", "###", "#.#", "###"}, {"###", "#.#", "###", "..#", "###"},
};
constexpr int kGlyphScale = 2;

void DrawKey(BitmapResource& bitmap, int left, int width, int digit)
{
    for (int y = 0; y < bitmap.height; ++y)
        for (int x = left; x < left + width; ++x) {
            const bool edge = y == 0 || y == bitmap.height - 1 || x == left || x == left + width - 1;
            bitmap.pixels[static_cast<std::size_t>(y * bitmap.width + x)] = edge ? kKeyEdge : kKeyFace;
        }
    const int glyphLeft = left + (width - 3 * kGlyphScale) / 2;
    const int glyphTop = (bitmap.height - 5 * kGlyphScale) / 2;
    for (int row = 0; row < 5 * kGlyphScale; ++row)
        for (int column = 0; column < 3 * kGlyphScale; ++column)
            if (kGlyphs[digit][row / kGlyphScale][column / kGlyphScale] == '#')
                bitmap.pixels[static_cast<std::size_t>((glyphTop + row) * bitmap.width + glyphLeft +
                                                       column)] = kKeyDigit;
}

void RegisterKeyRow(UINT id, int height, const std::vector<int>& digits)
{
    BitmapResource bitmap;
    bitmap.width = kKeysRight - kKeysLeft;
    bitmap.height = height;
    bitmap.pixels.assign(static_cast<std::size_t>(bitmap.width * bitmap.height), kKeyFace);
    const int keyWidth = bitmap.width / static_cast<int>(digits.size());
    for (std::size_t i = 0; i < digits.size(); ++i)
        DrawKey(bitmap, static_cast<int>(i) * keyWidth, keyWidth, digits[i]);
    RegisterBitmapResource(id, std::move(bitmap));
}

void RegisterKeypadResources()
{
    if (FindDialogTemplate(CKeypadDlg::IDD))
        return;
    RegisterKeyRow(CKeypadDlg::IDB_KEYS_123, kRow2Top - kRow1Top, {1, 2, 3});
    RegisterKeyRow(CKeypadDlg::IDB_KEYS_456, kRow3Top - kRow2Top, {4, 5, 6});
    RegisterKeyRow(CKeypadDlg::IDB_KEYS_789, kZeroTop - kRow3Top, {7, 8, 9});
    RegisterKeyRow(CKeypadDlg::IDB_KEY_0, kKeysBottom - kZeroTop, {0});

    DialogTemplate dialog;
    dialog.id = CKeypadDlg::IDD;
    dialog.rect = CRect(70, 60, 240, 200);
    dialog.items = {
        {ControlKind::Edit, CKeypadDlg::IDC_VALUE, L"", CRect(12, 8, 120, 28), ES_NUMBER | ES_RIGHT},
        {ControlKind::PushButton, CKeypadDlg::IDC_CLEAR, L"Clear", CRect(90, 37, 164, 59)},
        {ControlKind::PushButton, CKeypadDlg::IDC_FEET_MARK, L"' -> \"", CRect(90, 64, 164, 86)},
        {ControlKind::DefPushButton, IDOK, L"OK", CRect(90, 91, 164, 113)},
        {ControlKind::PushButton, IDCANCEL, L"Cancel", CRect(90, 116, 164, 136)},
    };
    DialogItem picture;
    picture.kind = ControlKind::Picture;
    const struct {
        UINT bitmap;
        int top, bottom;
    } rows[] = {{CKeypadDlg::IDB_KEYS_123, kRow1Top, kRow2Top},
                {CKeypadDlg::IDB_KEYS_456, kRow2Top, kRow3Top},
                {CKeypadDlg::IDB_KEYS_789, kRow3Top, kZeroTop},
                {CKeypadDlg::IDB_KEY_0, kZeroTop, kKeysBottom}};
    for (const auto& row : rows) {
        picture.rect = CRect(kKeysLeft, row.top, kKeysRight, row.bottom);
        picture.bitmapId = row.bitmap;
        dialog.items.push_back(picture);
    }
    RegisterDialogTemplate(dialog);
}

}  // namespace

void CKeypadEdit::OnChar(UINT ch, UINT, UINT)
{
    if (ch < '0' || ch > '9')
        return;
    if (auto* keypad = dynamic_cast<CKeypadDlg*>(GetParent()))
        keypad->AddDigit(static_cast<int>(ch - '0'));
}

CKeypadDlg::CKeypadDlg() : CDialog(IDD)
{
    RegisterKeypadResources();
    MapCommand(IDC_CLEAR, &CKeypadDlg::OnClear);
    MapCommand(IDC_FEET_MARK, &CKeypadDlg::OnFeetMark);
}

BOOL CKeypadDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_edit.SubclassDlgItem(IDC_VALUE, this);
    m_edit.SetFocus();
    m_feet = false;
    // The focus is set here.
    return FALSE;
}

int CKeypadDlg::DigitAt(CPoint point)
{
    if (point.x <= kTapLeft || point.x >= kTapRight || point.y <= kTapTop || point.y >= kTapBottom)
        return -1;
    if (point.y >= kZeroTop)
        return 0;
    const int column = std::min((point.x - kKeysLeft) / kKeyWidth, 2);
    if (point.y < kRow2Top)
        return column + 1;
    if (point.y < kRow3Top)
        return column + 4;
    return column + 7;
}

void CKeypadDlg::OnLButtonUp(UINT flags, CPoint point)
{
    const int digit = DigitAt(point);
    if (digit < 0) {
        CDialog::OnLButtonUp(flags, point);
        return;
    }
    AddDigit(digit);
}

void CKeypadDlg::AddDigit(int digit)
{
    if (m_value < 0)
        m_value = 0;
    long long value = 0;
    if (m_feet) {
        const long long feet = m_value / 12;
        const long long inches = m_value % 12;
        value = feet * 12 + inches * 10 + digit;
    } else {
        value = static_cast<long long>(m_value) * 10 + digit;
    }
    // A digit that would pass what the value can hold is not taken.
    if (value <= INT_MAX)
        m_value = static_cast<int>(value);
    UpdateData(FALSE);
}

void CKeypadDlg::OnClear()
{
    m_value = -1;
    SetDlgItemText(IDC_VALUE, L"");
    m_feet = false;
    UpdateData(FALSE);
    if (m_edit.m_hWnd)
        m_edit.SetFocus();
}

void CKeypadDlg::OnFeetMark()
{
    if (!m_feet && m_value <= INT_MAX / 12) {
        m_value = m_value < 0 ? 0 : m_value * 12;
        m_feet = true;
        UpdateData(FALSE);
    }
    if (m_edit.m_hWnd)
        m_edit.SetFocus();
}

void CKeypadDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    if (m_value < 0)
        return;
    if (!m_feet)
        DDX_Text(pDX, IDC_VALUE, m_value);
    else if (!pDX->m_bSaveAndValidate)
        SetDlgItemText(IDC_VALUE, FormatFeetInchesHalf(static_cast<float>(m_value)));
}
