// Rooms held by wall lengths alone, which the search solves by two or three
// dimensions at once.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "kor_new_dimension_fixture.h"

namespace {

// Four walls: 0-1 fixed, 2-3 level or upright, the lengths 1-2, 2-3 and
// 3-0 given. The start is a few inches off the room.
struct CouplerRoom {
    const char* name;
    point corners[4];  // the room the lengths describe
    bool upright;
};

void PrintTo(const CouplerRoom& room, std::ostream* out) { *out << room.name; }

class KorCouplerTest : public KorSketchFixture, public ::testing::WithParamInterface<CouplerRoom> {
protected:
    double Length(int i, int j) const
    {
        const point& p = GetParam().corners[i];
        const point& q = GetParam().corners[j];
        return std::hypot(q.x() - p.x(), q.y() - p.y());
    }
    bool Build()
    {
        const CouplerRoom& room = GetParam();
        const double off[4][2] = {{0, 0}, {0, 0}, {-2, 2}, {1, -2}};
        for (int i = 0; i < 4; ++i)
            nodes[i] = Node(room.corners[i].x() + off[i][0], room.corners[i].y() + off[i][1]);
        KorHandle walls[4];
        for (int i = 0; i < 4; ++i)
            walls[i] = Segment(nodes[i], nodes[(i + 1) % 4]);
        bool built = Fix(nodes[0]) && Fix(nodes[1]) &&
                     model.CreateConstraint(room.upright ? KOR_VERTICAL : KOR_HORIZONTAL, walls[2],
                                            0, 0, 0);
        for (int i = 1; i < 4; ++i) {
            const KorHandle h = model.CreateDistance(nodes[i], nodes[(i + 1) % 4], KOR_DISTANCE, 0);
            built = built && h && model.SetDimensionValue(h, Length(i, (i + 1) % 4), KORDimensionType(2));
        }
        return built;
    }
    KorHandle nodes[4] = {0, 0, 0, 0};
};

// The coupler's two ends lie on circles whose centres are nearly level or
// nearly upright: their crossing is taken on both circles, not levelled.
TEST_P(KorCouplerTest, CouplerBetweenTwoLengthsKeepsThemAll)
{
    ASSERT_TRUE(Build());
    ASSERT_TRUE(model.Resolve()) << model.GetError();
    for (int i = 1; i < 4; ++i)
        EXPECT_NEAR(Distance(nodes[i], nodes[(i + 1) % 4]), Length(i, (i + 1) % 4), 0.01)
            << "wall " << i;
    const point& a = NodeOf(nodes[2])->GetPoint();
    const point& b = NodeOf(nodes[3])->GetPoint();
    EXPECT_NEAR(GetParam().upright ? a.x() - b.x() : a.y() - b.y(), 0.0, 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    Rooms, KorCouplerTest,
    ::testing::Values(
        CouplerRoom{"upright coupler, fixed wall nearly upright",
                    {{0, 0}, {-0.5, 440}, {170, 490}, {170, -70}}, true},
        CouplerRoom{"upright coupler, fixed wall upright", {{0, 0}, {0, 440}, {170, 490}, {170, -70}},
                    true},
        CouplerRoom{"level coupler, fixed wall nearly level",
                    {{0, 0}, {440, 0.008}, {490, 170}, {-70, 170}}, false},
        CouplerRoom{"level coupler, slanted fixed wall", {{0, 0}, {300, 40}, {330, 200}, {-30, 200}},
                    false}));

}  // namespace
