#include "room_mode.h"

#include "c_dialog.h"
#include "exchange_file.h"
#include "exchange_settings.h"
#include "document_lock.h"
#include "mode_controls.h"
#include "new_room_dlg.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "scaled_dc.h"
#include "shell_resources.h"

int CRoomMode::GroupCount() const
{
    return static_cast<int>(GetExchangeTables().shapes.size());
}

int CRoomMode::ShapeCount(int group) const
{
    const auto& shapes = GetExchangeTables().shapes;
    return group >= 0 && group < static_cast<int>(shapes.size())
               ? static_cast<int>(shapes[group].size())
               : 0;
}

void CRoomMode::Activate()
{
    PostModeButton();
    m_selection = -1;
    m_cellsShown = GroupCount();
    CRoomFloor* room = m_document->GetCurrentRoom();
    if (room && room->GetNumOfNodes() > 0)
        room->Clear();
    mode_controls::LayoutPalette(m_document, m_cellsShown, m_rows, m_columns, m_cells);
}

void CRoomMode::OnKeyLeft(int)
{
    if (m_selection >= 0)
        Activate();
}

void CRoomMode::GetExtents(double& x0, double& y0, double& x1, double& y1)
{
    const ExchangeSettings& settings = GetExchangeSettings();
    x0 = y0 = 0.0;
    x1 = static_cast<double>(settings.shapeWidth + 3) * m_columns;
    y1 = static_cast<double>(settings.shapeHeight) * m_rows;
}

void CRoomMode::Draw(CScaledDC& dc)
{
    dc.DrawBitmap(ShellIds::kPaletteBackground);
    CBitmap hatch;
    CBrush brush;
    CBrush* old = nullptr;
    if (hatch.LoadBitmap(ShellIds::kPaletteBrush) && brush.CreatePatternBrush(&hatch))
        old = dc.SelectObject(&brush);
    const int viewHeight = dc.GetDeviceHeight();
    for (int i = 0; i < m_cellsShown && i < static_cast<int>(m_cells.size()); ++i) {
        if (m_selection < 0)
            m_document->DrawShapeOutline(dc, i, 0, m_cells[i], viewHeight);
        else
            m_document->DrawShapeOutline(dc, m_selection, i, m_cells[i], viewHeight);
    }
    if (old)
        dc.SelectObject(old);
}

bool CRoomMode::Leave(bool)
{
    CRoomFloor* room = m_document->GetCurrentRoom();
    return room && room->GetNumOfDimensions() > 0;
}

bool CRoomMode::OnTap(double x, double y)
{
    int hit = -1;
    for (int i = 0; i < m_cellsShown && i < static_cast<int>(m_cells.size()); ++i) {
        const RECT& r = m_cells[i];
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) {
            hit = i;
            break;
        }
    }
    if (hit < 0)
        return true;
    if (m_selection >= 0) {
        ApplyShape(hit);
        return true;
    }
    m_selection = hit;
    m_cellsShown = ShapeCount(hit);
    if (m_cellsShown < 2) {
        if (!ApplyShape(0)) {
            m_selection = -1;
            m_cellsShown = GroupCount();
        }
        m_document->UpdateAllViews(nullptr);
        return true;
    }
    mode_controls::LayoutPalette(m_document, m_cellsShown, m_rows, m_columns, m_cells);
    m_document->UpdateAllViews(nullptr);
    return true;
}

bool CRoomMode::ApplyShape(int column)
{
    CRoomFloor* room = m_document->GetCurrentRoom();
    if (!room)
        return false;
    CNewRoomDlg dialog(room->GetName(), false, false, false, nullptr, 0, 0);
    if (dialog.DoModal() != IDOK)
        return false;
    // The room is made whole (shape, type, entrance, label) before the
    // journal's worker may save it.
    DocumentLock lock(m_document->m_lock);
    if (!m_document->InsertShape(m_selection, column))
        return false;
    room->SetRoomType(dialog.m_selectedType, dialog.m_longList != 0);
    room->SetBelow(dialog.m_below != 0);
    m_document->PlaceEntrance(nullptr);
    room->SetLabel(dialog.m_label);
    m_document->StepEditMode(true);
    if (m_document->m_plan.GetNumOfOpenings() > 0) {
        room->SetScale(room->GetScale() * 0.8f);
        mode_controls::CenterOn(m_document, room->GetContour().center());
    }
    // The room as placed is where undo starts, and is journalled at once:
    // its file, then the header that lists it.
    m_document->m_journal.TakeSnapshotNow();
    m_document->m_journal.WriteHeader();
    return true;
}
