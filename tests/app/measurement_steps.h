// Lengths given in the Measurement mode as the person gives them: typed on
// the keypad after a double tap on the wall, or chosen from the value list.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "c_combo_box.h"
#include "headless_driver.h"
#include "keypad_dlg.h"
#include "measurement_mode.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "zup_edge.h"

namespace measurement_steps {

inline CMeasurementMode* Mode(CReplDoc& document)
{
    return dynamic_cast<CMeasurementMode*>(document.GetEditMode());
}

// The middle of the current room's n-th wall that carries a length, its
// dimension selected as a tap selects it.
inline point SelectLength(CReplDoc& document, int n)
{
    EXPECT_TRUE(document.SetEditMode(2));
    CRoomFloor* room = document.GetCurrentRoom();
    int found = 0;
    for (ZupEdge* wall = room->Get1stEdge(); wall; wall = room->GetNextEdge()) {
        const point middle = wall->GetGeoCenter();
        const int index = room->FindReferenceDimensionAt(nullptr, middle.x(), middle.y());
        if (index < 0 || found++ < n)
            continue;
        Mode(document)->SetSelection(index);
        return middle;
    }
    ADD_FAILURE() << "no wall " << n << " with a length";
    return point(0, 0);
}

inline void TypeLength(CReplDoc& document, HeadlessDriver& driver, int n, int value)
{
    const point middle = SelectLength(document, n);
    driver.OnDialog(CKeypadDlg::IDD, [value](CWnd* dialog, HeadlessDriver& d) {
        CWnd* edit = dialog->GetDlgItem(CKeypadDlg::IDC_VALUE);
        for (const char digit : std::to_string(value))
            edit->SendMessage(WM_CHAR, static_cast<WPARAM>(digit), 0);
        d.TapDlgItem(dialog, IDOK);
    });
    document.OnDoubleTap(middle.x(), middle.y());
}

// The list's entry `steps` below the measured value chosen.
inline void ChooseListed(CReplDoc& document, CComboBox& list, int n, int steps)
{
    SelectLength(document, n);
    Mode(document)->Refresh();
    list.SetCurSel(list.GetCurSel() - steps);
    Mode(document)->OnComboSelect();
}

}  // namespace measurement_steps
