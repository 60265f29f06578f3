// A room whose two opposite walls are both given the same length: the
// lengths agree, so the room takes them, whether they are given in turn
// (each resolved) or together, in either form of holding the walls square.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "kor_globals.h"
#include "kor_sketch_rooms.h"

namespace {

using namespace kor_sketch;

class KorOppositeLengths : public ::testing::Test {
protected:
    void SetUp() override { KorResetGlobals(); }
    void TearDown() override { KorResetGlobals(); }
};

double WallLength(Room& room, int i)
{
    const point a = room.Node(i)->GetPoint();
    const point b = room.Node((i + 1) % room.Size())->GetPoint();
    return std::hypot(b.x() - a.x(), b.y() - a.y());
}

// A length given to wall i (a new distance, or the one it has).
bool GiveLength(Room& room, int i, double value, std::vector<KorHandle>& given)
{
    KorHandle& d = given[static_cast<std::size_t>(i)];
    if (!d)
        d = room.model.CreateDistance(room.nodes[static_cast<std::size_t>(i)],
                                      room.nodes[static_cast<std::size_t>((i + 1) % room.Size())],
                                      KOR_DISTANCE, 0);
    room.lengths[static_cast<std::size_t>(i)] = value;
    return d && room.model.SetDimensionValue(d, value, KORDimensionType(2));
}

}  // namespace

TEST_F(KorOppositeLengths, BothLongWallsAtTheSameNewLength)
{
    const std::vector<point> shape = {{0, 0}, {120, 0}, {120, 200}, {0, 200}};
    int failures = 0;
    for (const Hold hold : {Hold::kAxis, Hold::kPerpendicular}) {
        for (const bool widthGiven : {true, false}) {
            for (const bool together : {false, true}) {
                for (const double value : {150.0, 200.0, 260.0}) {
                    SCOPED_TRACE(testing::Message()
                                 << "hold " << static_cast<int>(hold) << (widthGiven ? " width" : "")
                                 << (together ? " together " : " in turn ") << value);
                    KorResetGlobals();
                    std::mt19937 random(7);
                    Room room;
                    Build(room, shape, hold, widthGiven ? std::vector<int>{0} : std::vector<int>{},
                          3.0, random);
                    ASSERT_TRUE(room.built);
                    ASSERT_TRUE(room.model.Resolve()) << "the sketch";
                    std::vector<KorHandle> given(4, 0);
                    ASSERT_TRUE(GiveLength(room, 1, value, given));
                    if (!together) {
                        ASSERT_TRUE(room.model.Resolve()) << "the first wall";
                    }
                    ASSERT_TRUE(GiveLength(room, 3, value, given));
                    const bool solved = room.model.Resolve();
                    EXPECT_TRUE(solved) << "the second wall, error " << room.model.GetError();
                    failures += !solved;
                    if (!solved)
                        continue;
                    EXPECT_NEAR(WallLength(room, 1), value, 1e-3);
                    EXPECT_NEAR(WallLength(room, 3), value, 1e-3);
                    const Residual r = Measure(room);
                    EXPECT_LT(r.length, 1e-3);
                    EXPECT_LT(r.degrees, 0.01);
                }
            }
        }
    }
    std::printf("%d refused\n", failures);
}
