// The rooms the document makes by itself behind openings marked for one: a
// closet behind a door, a bay behind an empty opening.
#include <algorithm>
#include <cmath>
#include <string>

#include "dimension_values.h"
#include "distances.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "level_fixture.h"
#include "object_sheet_state.h"
#include "zup_floor.h"
#include "zup_opening.h"

namespace {

class ClosetsTest : public LevelTest {
protected:
    // A hall (the shipped 200 x 300 rectangle) with an opening of the given
    // type and width in the middle of its wall x = 200, closed into the plan
    // and marked for a closet; the closets are then made.
    ZupOpening* MarkedOpeningClosed(int type, double width)
    {
        DrawRectangle();
        Room()->ZupFloor::SetName("Hall1");
        ZupOpening* opening = Room()->CreateOpening("Hall1A", type, 200.0, 150.0);
        if (!opening)
            return nullptr;
        opening->CreateWidthDimension();
        opening->CreatePosDimension(nullptr, -1.0f);
        if (!FixDimension(opening->GetWidthDimension(), width) || !Room()->Resolve())
            return nullptr;
        if (!document->CloseRoom())
            return nullptr;
        SetClosetMark(opening, true);
        return opening;
    }
};

bool Near(const point& p, const point& q) { return GeoDistance(p, q) < 0.01; }

}  // namespace

// Behind a door the closet's front is the door itself, and the closet is 28
// deep: nothing of it reaches past the door's jambs.
TEST_F(ClosetsTest, TheClosetBehindADoorFrontsTheDoorAndIs28Deep)
{
    for (const double width : {24.0, 32.0, 36.0, 48.0, 60.0}) {
        SCOPED_TRACE(width);
        document = std::make_unique<CReplDoc>();
        document->ResetLevel();
        ZupOpening* door = MarkedOpeningClosed(1, width);
        ASSERT_NE(door, nullptr);
        ASSERT_NEAR(door->GetWidth(), width, 1e-6);
        const point a = door->GetStart()->GetPoint();
        const point b = door->GetEnd()->GetPoint();
        document->CreateClosets();

        ASSERT_EQ(document->GetNumOfRooms(), 2);
        CRoomFloor* closet = document->GetRoom(1);
        EXPECT_NE(document->GetPartitionOfRoom(closet), nullptr);
        ZupOpening* entrance = closet->GetEntrance();
        ASSERT_NE(entrance, nullptr);
        ZupEdge* front = entrance->GetEdge();
        ASSERT_NE(front, nullptr);
        const point s = front->GetStart()->GetPoint();
        const point e = front->GetEnd()->GetPoint();
        EXPECT_TRUE((Near(s, a) && Near(e, b)) || (Near(s, b) && Near(e, a)))
            << "front (" << s.x() << ", " << s.y() << ") - (" << e.x() << ", " << e.y() << ")";
        closet->CalculateExtents();
        EXPECT_NEAR(closet->GetMinX(), 200.0, 0.01);
        EXPECT_NEAR(closet->GetMaxX(), 228.0, 0.01);
        EXPECT_NEAR(closet->GetMinY(), std::min(a.y(), b.y()), 0.01);
        EXPECT_NEAR(closet->GetMaxY(), std::max(a.y(), b.y()), 0.01);
        EXPECT_NEAR(closet->GetArea(), width * 28.0 / 144.0, 0.01) << "square feet";
    }
}
