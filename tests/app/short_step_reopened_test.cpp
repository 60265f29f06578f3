// The shipped L with the wall between its two top pieces typed a few inches
// long: saved and opened, the room keeps that wall, every wall's length and
// every given value, however short the typed step.
#include <algorithm>
#include <string>
#include <vector>

#include "dimension_values.h"
#include "distances.h"
#include "kor_dimension.h"
#include "kor_node.h"
#include "level_fixture.h"

namespace {

struct RoomFigures {
    std::vector<double> walls;  // lengths, sorted
    std::vector<double> given;  // values of the enabled dimensions, sorted
};

RoomFigures Figures(CRoomFloor* room)
{
    RoomFigures figures;
    for (ZupEdge* e = room->Get1stEdge(); e; e = room->GetNextEdge())
        figures.walls.push_back(GeoDistance(e->GetStart()->GetPoint(), e->GetEnd()->GetPoint()));
    for (KorDimension* d : room->GetDimensions())
        if (d && d->IsEnabled() && !d->IsExtraRule())
            figures.given.push_back(d->GetValue());
    std::sort(figures.walls.begin(), figures.walls.end());
    std::sort(figures.given.begin(), figures.given.end());
    return figures;
}

void ExpectSameFigures(const RoomFigures& found, const RoomFigures& drawn)
{
    EXPECT_EQ(found.walls.size(), drawn.walls.size());
    if (found.walls.size() != drawn.walls.size())
        return;
    for (std::size_t i = 0; i < drawn.walls.size(); ++i)
        EXPECT_NEAR(found.walls[i], drawn.walls[i], 0.01) << "wall " << i;
    EXPECT_EQ(found.given.size(), drawn.given.size());
    if (found.given.size() != drawn.given.size())
        return;
    for (std::size_t i = 0; i < drawn.given.size(); ++i)
        EXPECT_NEAR(found.given[i], drawn.given[i], 0.01) << "given value " << i;
}

class ShortStepReopenedTest : public LevelTest {
protected:
    // The shipped L, its riser (the wall between the top pieces) typed.
    void DrawStep(double step)
    {
        ASSERT_TRUE(document->InsertShape(1, 0));
        document->PlaceEntrance(nullptr);
        CRoomFloor* hall = Room();
        ZupEdge* riser = nullptr;
        for (ZupEdge* e = hall->Get1stEdge(); e; e = hall->GetNextEdge())
            if (GeoDistance(e->GetStart()->GetPoint(), point(120, 120)) < 0.01)
                riser = e;
        ASSERT_NE(riser, nullptr);
        ASSERT_TRUE(FixDimension(hall->GetDimension(riser->GetStart(), riser->GetEnd(), false), step));
        ASSERT_TRUE(hall->Resolve());
        EXPECT_NEAR(GeoDistance(riser->GetStart()->GetPoint(), riser->GetEnd()->GetPoint()), step, 0.01);
    }
};

}  // namespace

TEST_F(ShortStepReopenedTest, SavedAndOpenedTheRoomKeepsItsWallsAndGivenValues)
{
    for (double step : {1.0, 2.0, 3.0, 4.0, 6.0}) {
        SCOPED_TRACE(testing::Message() << step << "-in step");
        document = std::make_unique<CReplDoc>();
        document->ResetLevel();
        DrawStep(step);
        if (HasFatalFailure())
            return;
        const RoomFigures drawn = Figures(Room());
        ASSERT_EQ(drawn.walls.size(), 6u);
        ASSERT_TRUE(document->CloseRoom());
        std::string text;
        document->BuildFileText(text);
        CReplDoc reopened;
        ASSERT_TRUE(reopened.ParseFile(text.c_str(), static_cast<int>(text.size())));
        ASSERT_EQ(reopened.GetNumOfRooms(), 1);
        ExpectSameFigures(Figures(reopened.GetRoom(0)), drawn);
    }
}
