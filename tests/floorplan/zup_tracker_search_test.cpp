// The tracker search for a new wall: a wall drawn nearly level from a room's
// corner to another room's corner continues the first room's wall line, and
// the far corner is brought onto it with the walls and outline of its room.
#include <cmath>

#include "distances.h"
#include "kor_lin_tracker.h"
#include "zup_metric_floor_fixture.h"
#include "zup_partition.h"

namespace {

class ZupTrackerSearchTest : public ZupMetricFloorTest {
protected:
    void Outline(std::initializer_list<std::pair<double, double>> corners)
    {
        const std::vector<std::pair<double, double>> c(corners);
        for (std::size_t i = 0; i < c.size(); ++i) {
            const auto& [x0, y0] = c[i];
            const auto& [x1, y1] = c[(i + 1) % c.size()];
            ASSERT_TRUE(floor->AddLine(x0, y0, x1, y1)) << i;
        }
    }
    static bool HasPoint(polygon& contour, double x, double y)
    {
        for (short i = 0; i < contour.count(); ++i) {
            const point p = contour[i].get_point();
            if (std::hypot(p.x() - x, p.y() - y) < 1e-6)
                return true;
        }
        return false;
    }
};

}  // namespace

// A U-shaped room: its left arm's top wall runs level at y = 300, its right
// arm's top corner stands 10 higher at (400, 310), on a plumb wall and on the
// right arm's sloping top wall. A wall from the left arm's corner to that
// corner is within the snap of level: it goes on the left arm's wall line,
// the corner comes down to (400, 300) along its plumb wall, and the sloping
// wall and the room's outline follow it.
TEST_F(ZupTrackerSearchTest, ACornerBroughtOntoTheWallLineTakesItsRoomAlong)
{
    Outline({{0, 0}, {600, 0}, {600, 300}, {400, 310}, {400, 100}, {200, 100}, {200, 300}, {0, 300}});
    ASSERT_TRUE(floor->MakePartitions(false));
    ASSERT_EQ(floor->GetNumOfPartitions(), 1);
    ZupPartition* room = floor->GetPartition(0);
    ASSERT_TRUE(HasPoint(room->GetContour(), 400, 310));

    ZupNode* a = floor->GetNode(200, 300, true);
    ZupNode* b = floor->GetNode(400, 310, true);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->GetNumOfTrackers(), 2u);
    line drawn(a->GetPoint(), b->GetPoint());
    ASSERT_TRUE(floor->AddLine(a, b, &drawn, nullptr));

    EXPECT_NEAR(b->GetPoint().x(), 400.0, 1e-9);
    EXPECT_NEAR(b->GetPoint().y(), 300.0, 1e-9);
    ZupEdge* joining = floor->GetEdge(300, 300);
    ZupEdge* leftTop = floor->GetEdge(100, 300);
    ASSERT_NE(joining, nullptr);
    ASSERT_NE(leftTop, nullptr);
    EXPECT_EQ(joining->GetTracker(), leftTop->GetTracker());
    // The right arm's top wall now runs level to (600, 300), and the
    // room's outline with it.
    ZupEdge* rightTop = floor->GetEdge(500, 300);
    ASSERT_NE(rightTop, nullptr);
    const line& top = static_cast<KorLinTracker*>(rightTop->GetTracker())->GetLine();
    EXPECT_NEAR(GeoDistance(point(400, 300), top), 0.0, 1e-9);
    EXPECT_NEAR(GeoDistance(point(600, 300), top), 0.0, 1e-9);
    EXPECT_TRUE(HasPoint(room->GetContour(), 400, 300));
    EXPECT_FALSE(HasPoint(room->GetContour(), 400, 310));
}
