// Hand-sketched rooms of real size solved from where the sketch left them:
// walls of 100 inches and more, corners a few inches off their constraints.
#include <gtest/gtest.h>

#include <cstdint>
#include <cmath>
#include <cstring>
#include <random>
#include <string>

#include "kor_globals.h"
#include "kor_sketch_rooms.h"

namespace {

using namespace kor_sketch;

class KorSketchSolve : public ::testing::Test {
protected:
    void SetUp() override { KorResetGlobals(); }
    void TearDown() override { KorResetGlobals(); }
};

// The bits of every corner, so that a result is compared exactly.
std::uint64_t CornerBits(Room& room)
{
    std::uint64_t hash = 1469598103934665603ull;
    auto mix = [&hash](double value) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        for (int i = 0; i < 8; ++i) {
            hash ^= (bits >> (8 * i)) & 0xffu;
            hash *= 1099511628211ull;
        }
    };
    for (int i = 0; i < room.Size(); ++i) {
        mix(room.Node(i)->GetPoint().x());
        mix(room.Node(i)->GetPoint().y());
    }
    return hash;
}

std::vector<point> Shape(const std::string& name)
{
    if (name == "rectangle")
        return Rectangle();
    if (name == "L")
        return LShape();
    if (name == "U")
        return UShape();
    return Staircase(std::stoi(name.substr(5)), 100.0);  // "stairN"
}

// Sketches that the first search solves: the second search never runs for
// them, so their corners stay bit for bit where that search put them.
TEST_F(KorSketchSolve, SketchesSolvedByTheFirstSearchKeepTheirResultExactly)
{
    struct Case {
        const char* shape;
        Hold hold;
        double turn;
        double jitter;
        unsigned seed;
        std::uint64_t bits;
    };
    const Case cases[] = {
        {"rectangle", Hold::kAxis, 0.0, 2.0, 1, 0x8ec88f2d1fcfe433ull},
        {"rectangle", Hold::kPerpendicular, 0.0, 2.0, 2, 0x41793ee2abf8d5e7ull},
        {"rectangle", Hold::kPerpendicularTurned, 17.0, 2.0, 3, 0x6c0441fb08b74f78ull},
        {"L", Hold::kAxis, 0.0, 2.0, 4, 0x903e92770957cb1full},
        {"L", Hold::kPerpendicularTurned, 17.0, 2.0, 5, 0x373c44c0316a7a1cull},
        {"U", Hold::kAxis, 0.0, 2.0, 6, 0x2ca9f626c7435c7ull},
        {"U", Hold::kPerpendicularTurned, 17.0, 2.0, 7, 0x55e58f2b5ae4b9ebull},
        {"stair8", Hold::kAxis, 0.0, 2.0, 8, 0x3530a7a361fcc46bull},
        {"stair8", Hold::kPerpendicular, 0.0, 0.0, 9, 0x93021dc3123ad003ull},
        {"stair6", Hold::kPerpendicularTurned, 17.0, 1.0, 10, 0x9350b67a8c019e69ull},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.shape) + " seed " + std::to_string(c.seed));
        KorResetGlobals();
        std::mt19937 random(c.seed);
        Room room;
        const std::vector<point> shape = Turned(Shape(c.shape), c.turn);
        Build(room, shape, c.hold, HeldLengths(static_cast<int>(shape.size()), false), c.jitter,
              random);
        ASSERT_TRUE(room.built);
        ASSERT_TRUE(room.model.Resolve());
        EXPECT_FALSE(room.model.IsAnchoredSearch());
        EXPECT_EQ(CornerBits(room), c.bits) << std::hex << CornerBits(room);
    }
}

// Perpendicular walls whose lengths run from the fixed end: the first search
// leaves a wall a few hundredths of a degree off its right angle, which the
// geometry library reads as exact, and corners along it end inches off.
TEST_F(KorSketchSolve, PerpendicularStaircaseFromAMovedStartSolvesOntoItsConstraints)
{
    for (int n : {6, 8, 12}) {
        for (unsigned seed = 1; seed <= 10; ++seed) {
            SCOPED_TRACE(std::to_string(n) + " walls, seed " + std::to_string(seed));
            KorResetGlobals();
            std::mt19937 random(seed);
            Room room;
            Build(room, Staircase(n, 100.0), Hold::kPerpendicular, HeldLengths(n, true), 2.0,
                  random);
            ASSERT_TRUE(room.built);
            ASSERT_TRUE(room.model.Resolve()) << "error " << room.model.GetError();
            const Residual r = Measure(room);
            EXPECT_LT(r.length, 0.01);
            EXPECT_LT(r.degrees, 0.05);
        }
    }
}

struct StairCase {
    const char* name;
    Hold hold;
    bool fromFixedEnd;
    double turn;
};

const StairCase kStairForms[] = {
    {"vertical/horizontal", Hold::kAxis, false, 0.0},
    {"perpendicular, lengths in wall order", Hold::kPerpendicular, false, 0.0},
    {"perpendicular, lengths from the fixed end", Hold::kPerpendicular, true, 0.0},
    {"perpendicular, turned 17 degrees", Hold::kPerpendicularTurned, false, 17.0},
};

void BuildStair(Room& room, const StairCase& form, int n, unsigned seed)
{
    std::mt19937 random(seed);
    Build(room, Turned(Staircase(n, 100.0), form.turn), form.hold, HeldLengths(n, form.fromFixedEnd),
          2.0, random);
}

// A chain of lengths searched from its free end commits every wall towards
// the fixed corner and dead-ends there; the second search grows the solution
// from what is held.
TEST_F(KorSketchSolve, StaircaseInEachFormSolvesItsFirstResolveFromAMovedStart)
{
    for (const StairCase& form : kStairForms) {
        for (int n : {16, 32}) {
            for (unsigned seed : {11u, 12u}) {
                SCOPED_TRACE(std::string(form.name) + ", " + std::to_string(n) + " walls, seed " +
                             std::to_string(seed));
                KorResetGlobals();
                Room room;
                BuildStair(room, form, n, seed);
                ASSERT_TRUE(room.built);
                ASSERT_TRUE(room.model.Resolve()) << "error " << room.model.GetError();
                Residual r = Measure(room);
                EXPECT_LT(r.length, 0.01);
                EXPECT_LT(r.degrees, 0.05);
                // Then corner 2 follows the pen up and to the right.
                std::mt19937 random(seed);
                std::uniform_real_distribution<double> step(1.0, 2.0);
                std::uniform_real_distribution<double> turn(-M_PI / 6.0, M_PI / 6.0);
                point pen = room.Node(2)->GetPoint();
                room.model.SetDrag(true);
                for (int i = 0; i < 30; ++i) {
                    const double direction = M_PI / 4.0 + turn(random);
                    const double d = step(random);
                    pen = point(pen.x() + d * std::cos(direction), pen.y() + d * std::sin(direction));
                    ASSERT_TRUE(DragTo(room, 2, -1, pen.x(), pen.y()))
                        << "step " << i << ", error " << room.model.GetError();
                    EXPECT_LT(PenGap(room, 2, -1, pen.x(), pen.y()), 0.01) << "step " << i;
                }
                room.model.SetDrag(false);
                r = Measure(room);
                EXPECT_LT(r.length, 0.01);
                EXPECT_LT(r.degrees, 0.05);
            }
        }
    }
}

// Turned rooms whose first drag step the held pen could not solve: solved
// without the hold, the room is near enough for the held pen to take it.
TEST_F(KorSketchSolve, TurnedRoomsFollowThePenFromTheFirstStep)
{
    for (const std::vector<point>& shape : {LShape(), UShape()}) {
        SCOPED_TRACE(std::to_string(shape.size()) + " walls");
        KorResetGlobals();
        Room room;
        std::mt19937 random(20261215u);
        const int n = static_cast<int>(shape.size());
        Build(room, Turned(shape, 17.0), Hold::kPerpendicularTurned, HeldLengths(n, false), 2.0,
              random);
        ASSERT_TRUE(room.built);
        ASSERT_TRUE(room.model.Resolve());
        std::uniform_real_distribution<double> step(1.0, 2.0);
        std::uniform_real_distribution<double> turn(-M_PI / 6.0, M_PI / 6.0);
        point pen = room.Node(2)->GetPoint();
        room.model.SetDrag(true);
        for (int i = 0; i < 10; ++i) {
            const double direction = M_PI / 4.0 + turn(random);
            const double d = step(random);
            pen = point(pen.x() + d * std::cos(direction), pen.y() + d * std::sin(direction));
            ASSERT_TRUE(DragTo(room, 2, -1, pen.x(), pen.y())) << "step " << i;
            EXPECT_LT(PenGap(room, 2, -1, pen.x(), pen.y()), 0.01) << "step " << i;
        }
        room.model.SetDrag(false);
        const Residual r = Measure(room);
        EXPECT_LT(r.length, 0.01);
        EXPECT_LT(r.degrees, 0.05);
    }
}

// A corner whose wall length is held cannot follow a pen off its wall: the
// step is taken with the corner at the nearest place the constraints allow,
// under the pen on its wall, and a reachable pen is still met exactly.
TEST_F(KorSketchSolve, ACornerDraggedOffItsWallGoesToTheNearestPlaceItMayTake)
{
    Room room;
    std::mt19937 random(1);
    Build(room, Rectangle(), Hold::kAxis, {0}, 0.0, random);
    ASSERT_TRUE(room.built);
    ASSERT_TRUE(room.model.Resolve());
    room.model.SetDrag(true);
    struct Case {
        double penX, penY;
        double x, y;
    };
    const Case cases[] = {
        {240.3, 200.0, 240.0, 200.0},
        {239.7, 170.0, 240.0, 170.0},
        {240.0, 185.0, 240.0, 185.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.penX) + ", " + std::to_string(c.penY));
        ASSERT_TRUE(DragTo(room, 2, -1, c.penX, c.penY)) << "error " << room.model.GetError();
        EXPECT_NEAR(room.Node(2)->GetPoint().x(), c.x, 1e-9);
        EXPECT_NEAR(room.Node(2)->GetPoint().y(), c.y, 1e-9);
        const Residual r = Measure(room);
        EXPECT_LT(r.length, 1e-9);
    }
    room.model.SetDrag(false);
}

}  // namespace
