#include "mode_controls.h"

#include "c_combo_box.h"
#include "main_frame.h"
#include "repl_doc.h"
#include "repl_view.h"

namespace mode_controls {

namespace {

CComboBox* Combo()
{
    CMainFrame* frame = GetMainFrame();
    return frame ? frame->GetComboBox() : nullptr;
}

CReplView* View(CReplDoc* document)
{
    return document ? dynamic_cast<CReplView*>(document->GetView()) : nullptr;
}

}  // namespace

void ResetCombo(int itemHeight)
{
    if (CComboBox* combo = Combo()) {
        combo->ResetContent();
        if (itemHeight >= 0)
            combo->SetItemHeight(0, static_cast<UINT>(itemHeight));
    }
}

void AddComboItem(const std::string& text)
{
    if (CComboBox* combo = Combo())
        combo->AddString(CString(text.c_str()));
}

void SelectComboItem(int index)
{
    if (CComboBox* combo = Combo())
        combo->SetCurSel(index);
}

void ShowCombo(bool show)
{
    if (CComboBox* combo = Combo())
        combo->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void SetComboText(const std::string& text)
{
    if (CComboBox* combo = Combo())
        combo->SetWindowText(CString(text.c_str()));
}

// The box's own text: a chosen value shows there, and so does one typed.
std::string GetChosenComboText()
{
    CComboBox* combo = Combo();
    if (!combo)
        return std::string();
    CString text;
    combo->GetWindowText(text);
    return text.ToNarrow();
}

int GetChosenComboIndex()
{
    CComboBox* combo = Combo();
    return combo ? combo->GetCurSel() : -1;
}

void LayoutPalette(CReplDoc* document, int cells, int& rows, int& columns,
                   std::vector<RECT>& rectangles)
{
    CReplView* view = View(document);
    if (!view)
        return;
    std::vector<CRect> laid;
    view->LayoutPalette(cells, rows, columns, laid);
    rectangles.assign(laid.begin(), laid.end());
}

void ShowCameraIcon(CReplDoc* document, bool show)
{
    if (CReplView* view = View(document))
        view->ShowCameraIcon(show);
}

void ShowMeasureIcons(CReplDoc* document, bool show)
{
    if (CReplView* view = View(document))
        view->ShowMeasureIcons(show);
}

void CenterOn(CReplDoc* document, const point& centre)
{
    if (CReplView* view = View(document))
        view->CenterOn(static_cast<int>(centre.x()), static_cast<int>(centre.y()));
}

void HideCommandPad(CReplDoc* document)
{
    if (CReplView* view = View(document))
        view->HideCommandPad();
}

bool ViewIsPanning(CReplDoc* document)
{
    CReplView* view = View(document);
    return view && view->IsPanning();
}

}  // namespace mode_controls
