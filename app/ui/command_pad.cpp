#include "command_pad.h"

#include "repl_doc.h"
#include "repl_view.h"
#include "zup_object.h"

// ---- Buttons ----

CPadButton::CPadButton(CReplView* view, int command) : m_command(command), m_view(view)
{
    if (m_bitmap.Load(static_cast<UINT>(command))) {
        m_width = m_bitmap.GetWidth();
        m_height = m_bitmap.GetHeight();
    }
}

void CPadButton::Draw(CDC& dc, int x, int y) { m_bitmap.Draw(dc, x, y); }

// ---- The pad ----

void CCommandPad::Init(CReplView* view)
{
    m_view = view;
    m_shown = false;
    m_autoFit = true;
    Build();
    const CPadButton& first = *m_buttons[0];
    m_width = kCells * first.GetWidth();
    m_height = kCells * first.GetHeight();
}

CReplDoc* CCommandPad::Document() const { return m_view ? m_view->GetReplDoc() : nullptr; }

int CCommandPad::ChooseCommand(int column, int row) const
{
    using namespace PadCommand;
    const CReplDoc* document = Document();
    const bool active = document && document->m_dimsActive;
    const bool unlocked = document && document->m_dimsUnlocked;
    const bool hideZeros = document && document->m_hideZeroDimensions;
    const bool feetInches = document && document->m_halfInches;
    const bool editing = document && document->m_roomView;
    switch (CellIndex(column, row)) {
    case 0: return active ? kFilterAll : kFilterActive;
    case 1: return unlocked ? kFilterAll : kFilterUnlocked;
    case 2: return hideZeros ? kShowZeros : kHideZeros;
    case 3: return m_autoFit ? kZoomViewIn : kZoomRoomIn;
    case 4: return kClose;
    case 5: return m_autoFit ? kZoomViewOut : kZoomRoomOut;
    case 6: return feetInches ? kFeetInchesOff : kFeetInchesOn;
    case 7: return editing ? kToPlan : kToRoom;
    default: return kDetachOrOptions;
    }
}

void CCommandPad::Build()
{
    for (int column = 0; column < kCells; ++column)
        for (int row = 0; row < kCells; ++row)
            m_buttons[static_cast<size_t>(CellIndex(column, row))] =
                std::make_unique<CPadButton>(m_view, ChooseCommand(column, row));
}

void CCommandPad::Show(int x, int y)
{
    m_originX = x - m_width / 2;
    m_originY = y - m_height / 2;
    m_shown = true;
}

void CCommandPad::Draw(CDC& dc)
{
    if (!m_shown)
        return;
    // One pixel between the buttons.
    const int pitchX = m_width / kCells + 1;
    const int pitchY = m_height / kCells + 1;
    for (int column = 0; column < kCells; ++column)
        for (int row = 0; row < kCells; ++row)
            m_buttons[static_cast<size_t>(CellIndex(column, row))]->Draw(
                dc, m_originX + pitchX * column, m_originY + pitchY * row);
}

bool CCommandPad::HitTestDown(CPoint p)
{
    // A pad without pictures has no cells to hit.
    if (!m_shown || m_width <= 0 || m_height <= 0)
        return false;
    m_row = (p.y - m_originY) * kCells / m_height;
    m_column = (p.x - m_originX) * kCells / m_width;
    return InGrid(m_row) && InGrid(m_column);
}

bool CCommandPad::HitTestUp()
{
    if (!m_shown || !InGrid(m_row) || !InGrid(m_column))
        return false;
    const bool handled = Dispatch(*m_buttons[static_cast<size_t>(CellIndex(m_column, m_row))]);
    Build();
    return handled;
}

bool CCommandPad::HitTestMove(CPoint p)
{
    if (!m_shown || m_row < 1 || m_row > 2 || m_column < 1 || m_column > 2)
        return false;
    if (GetCommandAt(m_column, m_row) != PadCommand::kClose)
        return false;
    m_view->PanByDrag(p);
    return true;
}

int CCommandPad::GetCommandAt(int column, int row) const
{
    if (!InGrid(column) || !InGrid(row))
        return 0;
    const auto& button = m_buttons[static_cast<size_t>(CellIndex(column, row))];
    return button ? button->GetCommand() : 0;
}

void CCommandPad::MoveBy(int dx, int dy)
{
    m_originX += dx;
    m_originY += dy;
}

void CCommandPad::SetFilter(bool all, bool active, bool unlocked)
{
    CReplDoc* document = Document();
    document->m_dimsAll = all;
    document->m_dimsActive = active;
    document->m_dimsUnlocked = unlocked;
}

void CCommandPad::SwitchView(bool whenEditing)
{
    if (Document()->m_roomView == whenEditing)
        Document()->OnViewChange();
    m_view->HideCommandPad();
}

bool CCommandPad::Dispatch(CPadButton& button)
{
    using namespace PadCommand;
    CReplDoc* document = Document();
    const int command = button.GetCommand();
    if (!document || command < kZoomViewIn || command > kHideZeros)
        return false;
    switch (command) {
    case kZoomViewIn: m_view->ZoomView(true); break;
    case kZoomViewOut: m_view->ZoomView(false); break;
    case kZoomRoomOut: m_view->ZoomRoomView(false); break;
    case kZoomRoomIn: m_view->ZoomRoomView(true); break;
    case kClose:
        m_view->StopPanning();
        m_view->HideCommandPad();
        break;
    case kDetachOrOptions: document->OnDetachOrOptions(); break;
    case kFeetInchesOn:
        if (!ZupObject::IsMetric())
            document->SetHalfInches(true);
        break;
    case kFeetInchesOff: document->SetHalfInches(false); break;
    case kFilterAll: SetFilter(true, false, false); break;
    case kFilterUnlocked: SetFilter(false, false, true); break;
    case kFilterActive: SetFilter(false, true, false); break;
    case kToPlan: SwitchView(true); break;
    case kToRoom: SwitchView(false); break;
    case kShowZeros: document->m_hideZeroDimensions = false; break;
    default: document->m_hideZeroDimensions = true; break;
    }
    button.ClearCommand();
    return true;
}
