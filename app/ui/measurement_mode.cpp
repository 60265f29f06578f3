#include "measurement_mode.h"

#include <cstdio>
#include <cstdlib>

#include "c_dialog.h"
#include "dimension_values.h"
#include "document_lock.h"
#include "keypad_dlg.h"
#include "kor_dimension.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "length_text.h"
#include "mode_controls.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "system_services.h"
#include "zup_opening.h"

namespace {

constexpr int kValueCount = 11;
constexpr int kLayerFromPlan = 3;

}  // namespace

MeasurementValues MakeMeasurementValues(int value, bool feetAndInches)
{
    MeasurementValues values;
    values.first = value - 5;
    values.selected = 5;
    if (values.first < 0) {
        values.first = 0;
        values.selected = value;
    }
    for (int i = 0; i < kValueCount; ++i) {
        const int v = values.first + i;
        if (feetAndInches) {
            values.texts.push_back(FormatFeetInchesHalf(static_cast<float>(v)).ToNarrow());
        } else {
            char text[16];
            std::snprintf(text, sizeof text, "%d", v);
            values.texts.emplace_back(text);
        }
    }
    return values;
}

std::string DragValueText(int value, bool feetAndInches)
{
    char text[32];
    if (feetAndInches)
        std::snprintf(text, sizeof text, "%2d%c%2d%c", value / 12, '\'', value % 12, '"');
    else
        std::snprintf(text, sizeof text, "%d", value);
    return text;
}

// ---- Selection ----

KorDimension* CMeasurementMode::SelectedDimension()
{
    CRoomFloor* room = m_document->GetCurrentRoom();
    return room ? room->GetDimension(m_selection, nullptr) : nullptr;
}

bool CMeasurementMode::ChainsAccept(KorDimension* d)
{
    // The chains' check enables and disables the dimension on its way.
    DocumentLock lock(m_document->m_lock);
    CRoomFloor* room = m_document->GetCurrentRoom();
    return d && room && (d->IsEnabled() || room->CheckDimensionAgainstChains(d));
}

void CMeasurementMode::Activate()
{
    PostModeButton();
    m_selection = 0;
    m_current = nullptr;
    m_document->m_selectedRoomObject = nullptr;
    mode_controls::ShowMeasureIcons(m_document, true);
    mode_controls::ResetCombo(15);
    mode_controls::ShowCombo(true);
    OnKeyRight(0);
}

void CMeasurementMode::OnKeyRight(int) { StepSelection(true); }
void CMeasurementMode::OnKeyLeft(int) { StepSelection(false); }

// The next dimension the display shows; none other shown leaves the
// selection where it is.
void CMeasurementMode::StepSelection(bool forward)
{
    CRoomFloor* room = m_document->GetCurrentRoom();
    const int count = room ? room->GetNumOfDimensions() : 0;
    if (count == 0)
        return;
    if (count == 1) {
        m_selection = 0;
    } else {
        int candidate = m_selection;
        bool found = false;
        for (int tries = 1; tries < count && !found; ++tries) {
            candidate = forward ? (candidate + 1) % count : (candidate + count - 1) % count;
            found = m_document->IsDimensionVisible(candidate);
        }
        if (!found)
            return;
        m_selection = candidate;
    }
    FillValueList();
    m_document->UpdateAllViews(nullptr);
}

void CMeasurementMode::FillValueList()
{
    m_current = SelectedDimension();
    if (!m_current)
        return;
    const int value = RoundToInt(m_current->GetImplementedValue());
    m_value = static_cast<float>(value);
    const MeasurementValues values = MakeMeasurementValues(value, m_document->m_halfInches);
    mode_controls::ResetCombo(-1);
    for (const std::string& text : values.texts)
        mode_controls::AddComboItem(text);
    mode_controls::SelectComboItem(values.selected);
}

void CMeasurementMode::Refresh()
{
    if (IsPickActive()) {
        mode_controls::ResetCombo(-1);
        const int value = m_current ? static_cast<int>(m_current->GetImplementedValue()) : 0;
        mode_controls::SetComboText(DragValueText(value, m_document->m_halfInches));
        return;
    }
    FillValueList();
    if (CRoomFloor* room = m_document->GetCurrentRoom())
        room->KeepOrientation();
}

void CMeasurementMode::OnComboSelect()
{
    m_current = SelectedDimension();
    const std::string text = mode_controls::GetChosenComboText();
    if (text.empty())
        return;
    const float value = m_document->m_halfInches ? ParseFeetInches(CString(text.c_str()))
                                                 : static_cast<float>(std::atoi(text.c_str()));
    if (!ApplyValue(value))
        mode_controls::SelectComboItem(mode_controls::GetChosenComboIndex());
}

// ---- Taps and values ----

bool CMeasurementMode::OnTap(double x, double y)
{
    const int index = m_document->MeasureAtPoint(x, y);
    if (index < 0)
        return false;
    m_selection = index;
    FillValueList();
    m_document->UpdateAllViews(nullptr);
    return true;
}

void CMeasurementMode::OnDoubleTap(double x, double y)
{
    if (m_document->MeasureAtPoint(x, y) != m_selection)
        return;
    m_current = SelectedDimension();
    if (!m_current || !ChainsAccept(m_current))
        return;
    CKeypadDlg keypad;
    if (keypad.DoModal() == IDOK && keypad.m_value >= 0)
        ApplyValue(static_cast<float>(keypad.m_value));
}

bool CMeasurementMode::ApplyValue(float value)
{
    // The journal's worker saves the room under this lock: it must not see
    // the room between the new value and its solution.
    DocumentLock lock(m_document->m_lock);
    CRoomFloor* room = m_document->GetCurrentRoom();
    if (!m_current || !room || !ChainsAccept(m_current))
        return false;
    FixDimension(m_current, value);
    room->SetDrag(true);
    if (room->IsSolved())
        if (KorNNDistance* partner = room->LookupSingleChain(m_current); partner && partner->IsEnabled())
            room->RemoveSolution();
    const bool solved = room->ZupFloor::Resolve();
    room->SetDrag(false);
    if (!solved) {
        m_current->SetEnabled(false);
        return false;
    }
    // The floor's own resolve leaves the room's cached area and outline.
    room->InvalidateArea();
    room->KeepOrientation();
    m_document->UpdateAllViews(nullptr);
    FillValueList();
    return true;
}

// ---- Drags and key steps ----

void CMeasurementMode::PinEntrance(bool pinned)
{
    CRoomFloor* room = m_document->GetCurrentRoom();
    if (room && room->GetEntrance())
        room->SetEntranceNodesMovable(!pinned);
}

bool CMeasurementMode::AllowsDrag()
{
    m_current = SelectedDimension();
    if (!m_current || m_current->GetLayer() == kLayerFromPlan || !ChainsAccept(m_current))
        return false;
    CRoomFloor* room = m_document->GetCurrentRoom();
    if (m_document->m_plan.GetNumOfOpenings() > 0 && room && room->GetEntrance())
        PinEntrance(true);
    return true;
}

bool CMeasurementMode::StartKeyStep(int direction)
{
    m_current = SelectedDimension();
    if (m_current && m_current->GetLayer() != kLayerFromPlan && ChainsAccept(m_current)) {
        m_value = static_cast<float>(RoundToInt(m_current->GetImplementedValue()));
        m_keyStep = direction;
        return true;
    }
    MessageBeep(MB_ICONEXCLAMATION);
    return false;
}

bool CMeasurementMode::KeyStep()
{
    if (!m_current)
        return false;
    m_value += static_cast<float>(m_keyStep);
    if (m_value < 0.0f)
        m_value = 0.0f;
    FixDimension(m_current, m_value);
    CRoomFloor* room = m_document->GetCurrentRoom();
    if (KorNNDistance* partner = room ? room->LookupSingleChain(m_current) : nullptr;
        partner && partner->IsEnabled())
        FixDimension(partner, partner->GetValue() + m_keyStep);
    return true;
}

void CMeasurementMode::UndoKeyStep()
{
    m_value -= static_cast<float>(m_keyStep);
    if (m_current)
        m_current->SetEnabled(false);
}

void CMeasurementMode::OnDragMoved()
{
    if (m_current)
        m_current->SetEnabled(false);
}

void CMeasurementMode::OnDragEnded()
{
    FillValueList();
    if (CRoomFloor* room = m_document->GetCurrentRoom())
        room->HideZeroDimensions(false, 2.0f);
}

void CMeasurementMode::OnPickReleased(bool changed)
{
    PinEntrance(false);
    CRoomFloor* room = m_document->GetCurrentRoom();
    if (changed && m_current && room && m_document->m_lastResolveOk) {
        FixDimension(m_current, RoundToInt(m_current->GetImplementedValue()));
        room->Resolve();
        room->KeepOrientation();
    }
    m_current = nullptr;
}

void CMeasurementMode::Draw(CScaledDC& dc)
{
    m_document->DrawEditPlan(dc);
    if (IsPickActive() && m_current)
        m_document->DrawDimension(dc, m_current, true);
    else
        m_document->DrawDimensions(dc, m_selection);
}

bool CMeasurementMode::Leave(bool)
{
    mode_controls::ShowMeasureIcons(m_document, false);
    mode_controls::ShowCombo(false);
    return true;
}
