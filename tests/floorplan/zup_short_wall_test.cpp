// A wall shorter than the floor's minimum wall length, in a room of real
// size: its rule is searched like any dimension, on the first pass.
#include <cmath>
#include <vector>

#include "zup_fixture.h"

namespace {

class ZupShortWallTest : public ZupTest {
protected:
    // A 120 by 83 room with a notch whose step is `step` long.
    void SketchNotchedRoom(double step)
    {
        const double corners[][2] = {{0, 0}, {120, 0}, {120, 80}, {63, 80}, {63, 80 + step}, {0, 80 + step}};
        for (const auto& c : corners)
            nodes.push_back(Node(floor, c[0], c[1]));
        for (std::size_t i = 0; i < nodes.size(); ++i)
            walls.push_back(Wall(floor, nodes[i], nodes[(i + 1) % nodes.size()]));
    }
    double Length(int wall) const
    {
        const point a = walls[static_cast<std::size_t>(wall)]->GetStart()->GetPoint();
        const point b = walls[static_cast<std::size_t>(wall)]->GetEnd()->GetPoint();
        return std::hypot(b.x() - a.x(), b.y() - a.y());
    }
    ZupFloor floor;
    std::vector<ZupNode*> nodes;
    std::vector<ZupSegment*> walls;
};

TEST_F(ZupShortWallTest, AThreeInchWallInARoomTakesTheMinimumLengthOnTheFirstPass)
{
    for (bool discovered : {false, true}) {
        SCOPED_TRACE(discovered ? "walls aligned" : "walls free");
        floor.Clear();
        nodes.clear();
        walls.clear();
        SketchNotchedRoom(3.0);
        if (discovered)
            floor.FindConstraints();
        const std::size_t dimensionsBefore = floor.GetDimensions().size();
        ASSERT_TRUE(floor.Resolve()) << "error " << floor.GetError();
        // One pass adds the rule, the next finds every wall valid.
        EXPECT_LE(floor.ResolveCounter(), 2u);
        EXPECT_NEAR(Length(3), floor.MinWallLength(), 0.01);
        for (int wall : {0, 1, 2, 4})
            EXPECT_GT(Length(wall), 50.0);
        // The rule is the floor's own: no handle, gone with the next resolve.
        std::string text;
        floor.Save(text, false);
        EXPECT_EQ(text.find("Distance"), std::string::npos) << text;
        ASSERT_TRUE(floor.Resolve());
        EXPECT_LE(floor.GetDimensions().size(), dimensionsBefore + 1);
    }
}

}  // namespace
