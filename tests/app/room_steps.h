// Rooms drawn and left as the person does it: the palette's first shape
// placed (named in the New Room dialog), a door put on a wall and the room
// left through it into a new room.
#pragma once

#include <gtest/gtest.h>

#include "headless_driver.h"
#include "kor_node.h"
#include "new_room_dlg.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "room_mode.h"
#include "zup_edge.h"
#include "zup_opening.h"

namespace room_steps {

inline void PlaceShape(CReplDoc& document, HeadlessDriver& driver, const char* label)
{
    driver.OnDialog(CNewRoomDlg::IDD, [label](CWnd* dialog, HeadlessDriver& d) {
        dynamic_cast<CNewRoomDlg*>(dialog)->m_label = CString(label);
        d.TapDlgItem(dialog, IDOK);
    });
    ASSERT_TRUE(document.SetEditMode(0));
    auto* palette = dynamic_cast<CRoomMode*>(document.GetEditMode());
    ASSERT_NE(palette, nullptr);
    CRoomFloor* room = document.GetCurrentRoom();
    for (int tap = 0; tap < 2 && room->GetNumOfNodes() == 0; ++tap) {
        ASSERT_FALSE(palette->m_cells.empty());
        const RECT cell = palette->m_cells[0];
        palette->OnTap((cell.left + cell.right) / 2.0, (cell.top + cell.bottom) / 2.0);
    }
    ASSERT_GT(room->GetNumOfNodes(), 0);
}

inline ZupEdge* NthWall(CRoomFloor& room, int n)
{
    int i = 0;
    for (ZupEdge* wall = room.Get1stEdge(); wall; wall = room.GetNextEdge())
        if (i++ == n)
            return wall;
    return nullptr;
}

// A door named `name` three quarters along the n-th wall, with the lengths
// the program gives a door it places: a width, a position from the wall's
// start, and the wall's length moved to run on from the door's far end.
inline ZupOpening* PlaceDoor(CRoomFloor& room, int n, const char* name)
{
    ZupEdge* wall = NthWall(room, n);
    if (!wall)
        return nullptr;
    const point a = wall->GetStart()->GetPoint();
    const point b = wall->GetEnd()->GetPoint();
    ZupOpening* door = room.CreateOpening(name, 1, (a.x() + 3 * b.x()) / 4, (a.y() + 3 * b.y()) / 4);
    if (!door)
        return nullptr;
    door->CreateWidthDimension();
    door->CreatePosDimension(nullptr, -1.0f);
    wall->ModifyLengthDim(-1.0f);
    return door;
}

// Such a door; the room closed and left through it into a new room, not
// drawn yet.
inline void LeaveThroughNewDoor(CReplDoc& document, int n, const char* name)
{
    CRoomFloor* room = document.GetCurrentRoom();
    ZupOpening* door = PlaceDoor(*room, n, name);
    ASSERT_NE(door, nullptr);
    ASSERT_TRUE(document.CloseRoom());
    document.ExitThroughOpening(door);
    ASSERT_NE(document.GetCurrentRoom(), room);
    ASSERT_EQ(document.GetCurrentRoom()->GetNumOfNodes(), 0) << "a new room to draw";
}

}  // namespace room_steps
