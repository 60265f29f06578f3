// Drawing a first room from the shipped shapes and moving it with the pen,
// as a person does, for the tests that compare a room with its read-back.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "distances.h"
#include "kor_node.h"
#include "point.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "zup_edge.h"

namespace room_drags {

// A level whose first room is one of the shipped shapes (row of the shape
// table: 0 the 200 x 300 rectangle, 1 the L of 240 x 300, 2 the U of
// 300 x 240, 4 the square of 144 measured from a corner) with its entrance,
// in the Door mode as the user leaves it after placing it.
inline void DrawLevel(CReplDoc& document, int shapeRow)
{
    document.ResetLevel();
    document.GetCurrentRoom()->ZupFloor::SetName("Hall1");
    ASSERT_TRUE(document.InsertShape(shapeRow, 0));
    document.PlaceEntrance(nullptr);
    ASSERT_TRUE(document.GetCurrentRoom()->Resolve());
    ASSERT_TRUE(document.SetEditMode(1));
}

struct Drag {
    point from;
    point to;
};

// Each drag made with the pen in steps of 6 inches.
inline void DragAll(CReplDoc& document, const std::vector<Drag>& drags)
{
    for (const Drag& drag : drags) {
        ASSERT_TRUE(document.OnPenDown(drag.from.x(), drag.from.y(), 6));
        const double length = GeoDistance(drag.from, drag.to);
        const int steps = std::max(1, static_cast<int>(std::ceil(length / 6.0)));
        for (int i = 1; i <= steps; ++i) {
            const double t = static_cast<double>(i) / steps;
            document.OnPenMove(drag.from.x() + t * (drag.to.x() - drag.from.x()),
                               drag.from.y() + t * (drag.to.y() - drag.from.y()));
        }
        document.OnPenUp();
    }
}

// The corners of the room's walls, in wall order.
inline std::vector<point> Corners(CRoomFloor& room)
{
    std::vector<point> corners;
    for (ZupEdge* e = room.Get1stEdge(); e; e = room.GetNextEdge())
        corners.push_back(e->GetStart()->GetPoint());
    return corners;
}

inline void ExpectSameCorners(const std::vector<point>& got, const std::vector<point>& expected,
                              double tolerance = 1e-6)
{
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_NEAR(got[i].x(), expected[i].x(), tolerance) << "corner " << i;
        EXPECT_NEAR(got[i].y(), expected[i].y(), tolerance) << "corner " << i;
    }
}

}  // namespace room_drags
