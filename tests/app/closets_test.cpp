// The rooms the document makes by itself behind openings marked for one: a
// closet behind a door, a bay behind an empty opening.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "dimension_values.h"
#include "distances.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "level_fixture.h"
#include "measurement_mode.h"
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

// The bay's wall that touches neither end of its front.
ZupEdge* BackOf(CRoomFloor* bay, ZupEdge* front)
{
    for (ZupEdge* wall = bay->Get1stEdge(); wall; wall = bay->GetNextEdge())
        if (wall->GetStart() != front->GetStart() && wall->GetStart() != front->GetEnd() &&
            wall->GetEnd() != front->GetStart() && wall->GetEnd() != front->GetEnd())
            return wall;
    return nullptr;
}

std::vector<point> Corners(CRoomFloor* room)
{
    std::vector<point> corners;
    for (KorNode* node : room->GetNodes())
        corners.push_back(node->GetPoint());
    return corners;
}

// The angle at which a side leaves the front line, in degrees (0..90).
double LeanOf(ZupEdge* side, ZupEdge* front)
{
    const point a = front->GetStart()->GetPoint(), b = front->GetEnd()->GetPoint();
    const point c = side->GetStart()->GetPoint(), d = side->GetEnd()->GetPoint();
    const double f = std::atan2(b.y() - a.y(), b.x() - a.x());
    const double s = std::atan2(d.y() - c.y(), d.x() - c.x());
    double lean = std::fabs(std::remainder(s - f, M_PI)) * 180.0 / M_PI;
    return lean;
}

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

// The bay is given its lengths one after another, as the user taps them:
// its chain calls it complete only once its front is given whole (the
// opening's place, its width and the rest of the wall) and takes every
// length that is still needed. Given so, the bay is held: edits that come
// back to the first values give back the first shape, and with its angles
// locked its sides stay at 45 degrees.
TEST_F(ClosetsTest, TheBayTakesTheLengthsItsShapeNeeds)
{
    const struct {
        double width;
        bool anglesLocked;
    } cases[] = {{48.0, false}, {72.0, false}, {96.0, false}, {48.0, true}, {72.0, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << (c.anglesLocked ? " angles locked" : ""));
        document = std::make_unique<CReplDoc>();
        document->ResetLevel();
        ASSERT_NE(MarkedOpeningClosed(0, c.width), nullptr);
        document->CreateClosets();
        ASSERT_EQ(document->GetNumOfRooms(), 2);
        CRoomFloor* bay = document->GetRoom(1);
        document->SetCurrentRoom(bay);
        ZupOpening* entrance = bay->GetEntrance();
        ASSERT_NE(entrance, nullptr);
        ZupEdge* front = entrance->GetEdge();
        ASSERT_NE(front, nullptr);
        ZupEdge* back = BackOf(bay, front);
        ASSERT_NE(back, nullptr);
        EXPECT_TRUE(bay->IsEntranceAngleFixed()) << "made with its sides at 45 degrees";
        if (bay->IsEntranceAngleFixed() != c.anglesLocked)
            document->OnLockAngles();
        ASSERT_EQ(bay->IsEntranceAngleFixed(), c.anglesLocked);
        KorDimension* frontParts[] = {entrance->GetPosDimension(), entrance->GetWidthDimension(),
                                      front->GetNextDim(entrance)};
        for (KorDimension* d : frontParts)
            ASSERT_NE(d, nullptr);
        KorDimension* backLength = bay->GetDimension(back->GetStart(), back->GetEnd(), false);
        ASSERT_NE(backLength, nullptr);
        ASSERT_TRUE(document->SetEditMode(2));
        auto* measure = dynamic_cast<CMeasurementMode*>(document->GetEditMode());
        ASSERT_NE(measure, nullptr);

        // The lengths tapped in turn: with the angles locked the sides follow
        // from them and are not needed; without, every length is.
        std::vector<KorDimension*> sides;
        for (int i = 0; i < bay->GetNumOfDimensions(); ++i) {
            KorDimension* d = bay->GetDimension(i, nullptr);
            if (d->GetLayer() != 5 && d != backLength && d->GetTracker(nullptr) != front->GetTracker())
                sides.push_back(d);
        }
        ASSERT_EQ(sides.size(), 2u);
        const std::vector<KorDimension*> taps =
            c.anglesLocked ? std::vector{frontParts[0], frontParts[2], backLength, sides[0], sides[1]}
                           : std::vector{sides[0], backLength, sides[1], frontParts[0], frontParts[2]};
        for (KorDimension* d : taps) {
            ASSERT_FALSE(d->IsEnabled());
            const auto& shown = bay->GetReferenceDimensions();
            measure->SetSelection(static_cast<int>(std::find(shown.begin(), shown.end(), d) - shown.begin()));
            ASSERT_EQ(document->GetSelectedDimension(), d);
            document->OnDimensionTap();
            if (bay->AreChainsConsistent()) {
                for (KorDimension* part : frontParts)
                    EXPECT_TRUE(part->IsEnabled()) << "complete with a part of the front not given";
            }
        }
        EXPECT_TRUE(bay->AreChainsConsistent());
        for (KorDimension* part : frontParts)
            EXPECT_TRUE(part->IsEnabled()) << "a part of the front refused";
        EXPECT_TRUE(backLength->IsEnabled());
        for (KorDimension* side : sides)
            EXPECT_EQ(side->IsEnabled(), !c.anglesLocked);
        ASSERT_TRUE(bay->Resolve());
        if (!c.anglesLocked)
            continue;

        // A run of typed lengths that comes back to where it began.
        const std::vector<point> first = Corners(bay);
        const double backValue = backLength->GetValue();
        const double rest = frontParts[2]->GetValue();
        auto type = [&](KorDimension* d, double value) {
            measure->m_current = d;
            return measure->ApplyValue(static_cast<float>(value));
        };
        for (const auto& [b, r] : {std::pair{backValue + 6.0, rest}, std::pair{backValue + 6.0, rest + 6.0},
                                   std::pair{backValue, rest + 6.0}, std::pair{backValue, rest}}) {
            ASSERT_TRUE(type(backLength, b)) << b;
            ASSERT_TRUE(type(frontParts[2], r)) << r;
            EXPECT_NEAR(GeoDistance(back->GetStart()->GetPoint(), back->GetEnd()->GetPoint()), b, 0.01);
            EXPECT_NEAR(GeoDistance(front->GetStart()->GetPoint(), front->GetEnd()->GetPoint()),
                        frontParts[0]->GetValue() + frontParts[1]->GetValue() + r, 0.01);
            for (ZupEdge* side = bay->Get1stEdge(); side; side = bay->GetNextEdge()) {
                if (side != front && side != back) {
                    EXPECT_NEAR(LeanOf(side, front), 45.0, 0.01);
                }
            }
        }
        const std::vector<point> last = Corners(bay);
        ASSERT_EQ(last.size(), first.size());
        for (std::size_t i = 0; i < first.size(); ++i) {
            EXPECT_TRUE(Near(last[i], first[i]))
                << i << ": (" << first[i].x() << ", " << first[i].y() << ") became (" << last[i].x() << ", "
                << last[i].y() << ")";
        }
    }
}

// A level with a bay is written and read back with the bay, which keeps the
// chain made for its shape.
TEST_F(ClosetsTest, ABayIsReadBackWithItsChain)
{
    document->m_street = CString("Anystreet");
    document->m_house = CString("1");
    document->m_level = CString("Main");
    document->MakeFileBase();
    ASSERT_NE(MarkedOpeningClosed(0, 72.0), nullptr);
    document->CreateClosets();
    ASSERT_EQ(document->GetNumOfRooms(), 2);
    std::string text;
    document->BuildFileText(text);
    CReplDoc reopened;
    reopened.ResetLevel();
    ASSERT_TRUE(reopened.ParseFile(text.c_str(), static_cast<int>(text.size())));
    ASSERT_EQ(reopened.GetNumOfRooms(), 2);
    CRoomFloor* bay = reopened.GetRoom(1);
    EXPECT_EQ(bay->GetShapeName(), document->GetRoom(1)->GetShapeName());
    EXPECT_EQ(bay->GetNumOfPrimitives(), 4);
    ASSERT_EQ(bay->GetChains().size(), 1u);
    EXPECT_FALSE(bay->GetChains().front().IsOrtho());
}
