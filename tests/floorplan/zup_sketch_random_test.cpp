// Many rectangles and L-shapes sketched wall by wall at random offsets: after
// each room search either the search fails, or every room is a closed,
// non-degenerate contour and no two rooms overlap.
#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "zup_fixture.h"
#include "zup_partition.h"

namespace {

using Outline = std::vector<point>;

Outline Rectangle(double x, double y, double w, double h)
{
    return {point(x, y), point(x + w, y), point(x + w, y + h), point(x, y + h)};
}

Outline LShape(double x, double y, double w, double h)
{
    return {point(x, y),         point(x + w, y),         point(x + w, y + h / 2),
            point(x + w / 2, y + h / 2), point(x + w / 2, y + h), point(x, y + h)};
}

}  // namespace

class ZupSketchRandomTest : public ZupTest {};

TEST_F(ZupSketchRandomTest, RoomsStayClosedAndApart)
{
    ZupMetric() = true;
    std::mt19937 random(20261210u);
    std::uniform_real_distribution<double> offset(-400.0, 400.0);
    std::uniform_real_distribution<double> size(120.0, 400.0);
    std::bernoulli_distribution lShape(0.4);
    int searches = 0;
    int succeeded = 0;
    for (int plan = 0; plan < 12; ++plan) {
        ZupFloor floor;
        for (int shape = 0; shape < 4; ++shape) {
            const double x = std::round(offset(random));
            const double y = std::round(offset(random));
            const double w = std::round(size(random));
            const double h = std::round(size(random));
            const Outline outline = lShape(random) ? LShape(x, y, w, h) : Rectangle(x, y, w, h);
            for (std::size_t i = 0; i < outline.size(); ++i) {
                const point& p = outline[i];
                const point& q = outline[(i + 1) % outline.size()];
                floor.AddLine(p.x(), p.y(), q.x(), q.y());
            }
            ++searches;
            if (!floor.MakePartitions(false))
                continue;
            ++succeeded;
            for (int i = 0; i < floor.GetNumOfPartitions(); ++i) {
                ZupPartition* room = floor.GetPartition(i);
                polygon& contour = room->GetContour();
                ASSERT_GE(contour.count(), 3) << "plan " << plan << " room " << i;
                EXPECT_GT(std::fabs(contour.area()), 1.0) << "plan " << plan << " room " << i;
                point inside = point(contour);
                for (int j = 0; j < floor.GetNumOfPartitions(); ++j)
                    if (j != i) {
                        EXPECT_FALSE(inside < floor.GetPartition(j)->GetContour())
                            << "plan " << plan << ": rooms " << i << " and " << j << " overlap";
                    }
            }
        }
    }
    EXPECT_GT(succeeded, 0);
    EXPECT_EQ(searches, 48);
}
