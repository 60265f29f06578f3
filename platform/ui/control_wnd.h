// The common base of the layer's controls: notification of the parent,
// taking over a dialog's control (subclassing), and the controls' look.
#pragma once

#include "c_wnd.h"
#include "gdi_constants.h"

class CDC;
class CFont;

// Notification codes and styles the controls share beyond the core's.
constexpr UINT LBN_SELCANCEL = 3;
constexpr UINT LBN_SETFOCUS = 4;
constexpr UINT LBN_KILLFOCUS = 5;
constexpr UINT BN_SETFOCUS = 6;
constexpr UINT BN_KILLFOCUS = 7;

// The controls' look: DejaVu Sans at 11 pixels, black on white, disabled
// text grey, the selection white on dark blue.
constexpr LONG kControlFontHeight = -11;
constexpr COLORREF kControlText = RGB(0, 0, 0);
constexpr COLORREF kControlGrayText = RGB(128, 128, 128);
constexpr COLORREF kControlFace = RGB(255, 255, 255);
constexpr COLORREF kControlShade = RGB(192, 192, 192);
constexpr COLORREF kHighlight = RGB(0, 0, 128);
constexpr COLORREF kHighlightText = RGB(255, 255, 255);

// Selects the controls' font (in the given weight) into dc and returns
// the font selected before.
CFont* SelectControlFont(CDC& dc, CFont& font, LONG weight = FW_NORMAL);
// Binds dc to the screen for measuring text outside a paint.
void BindMeasuringDC(CDC& dc);
// The white box with a black frame that boxed controls start from.
void PaintFramedBox(CDC& dc, const RECT& box);

class CControlWnd : public CWnd {
public:
    // Replaces the dialog's control of this id by this object, which takes
    // over its rectangle, style, text and state. FALSE when there is no such
    // control, it is of another kind, or this object is a window already.
    BOOL SubclassDlgItem(UINT id, CWnd* parent);

protected:
    // Copies the state of the control being replaced; FALSE when it is not
    // of a kind this control can take over.
    virtual BOOL AdoptState(CControlWnd& previous);
    // WM_COMMAND with this control's id and the code, sent to the parent.
    void NotifyParent(UINT code);
    // Selects the control font and the text colour for the enabled state;
    // the caller restores the font afterwards.
    CFont* PrepareDC(CDC& dc, CFont& font) const;
    bool IsEnabledTree() const;
    // Pen input on a control that is transparent to it (texts, pictures,
    // group frames) goes on to the parent, in the parent's coordinates.
    void ForwardPenToParent(UINT message, UINT flags, CPoint point);
};
