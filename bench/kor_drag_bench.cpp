// Hand-sketched rooms of real size, solved from where the sketch left them
// and dragged through the model's drag entry points.
//
// The staircase of N walls has steps of 100 (walls of 100 and more); every
// corner but the fixed one starts up to 2 off its place in x and y. Corner 0
// is fixed, walls 3 .. N-2 keep their lengths, and the walls are held either
// vertical or horizontal, or each perpendicular to the next (lengths created
// in wall order or from the fixed end; or the whole room turned 17 degrees,
// wall 0 then free to turn). Corner 2 is dragged 200 pen steps of 1 to 2
// towards the upper right. The unit-sized staircase of the first version of
// this benchmark is kept as one more case. The rectangle, L and U rooms,
// axis-aligned and turned, are dragged at corner 2 or at the middle of
// wall 1.
//
// The program's own drags of rooms in the perpendicular form follow
// (BM_ProgramDrag, below).
//
// Each case runs from 10 random starts and reports: starts whose first
// resolve succeeded, the fewest steps accepted of 200 in any start, p90 and
// max time per step, the worst residual of the constraints (length and
// degrees) after the first resolve and after the drag, and the worst gap
// between the pen and the dragged corner or wall after an accepted step.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>
#include <vector>

#include "../tests/constraints/kor_sketch_rooms.h"
#include "kor_globals.h"

namespace {

using namespace kor_sketch;

constexpr int kStarts = 10;
constexpr int kSteps = 200;

enum Case {
    kStairAxis,
    kStairPerpendicular,
    kStairPerpendicularFromFixedEnd,
    kStairTurned,
    kStairUnitSize,
    kRectangle,
    kL,
    kU,
};

struct Setup {
    std::vector<point> shape;
    Hold hold = Hold::kAxis;
    std::vector<int> held;
    double jitter = 2.0;
    double penStep = 1.0;  // each pen step is 1 to 2 of this
};

Setup MakeSetup(Case c, int n, bool turned)
{
    Setup s;
    switch (c) {
    case kStairAxis:
        s.shape = Staircase(n, 100.0);
        break;
    case kStairPerpendicular:
        s.shape = Staircase(n, 100.0);
        s.hold = Hold::kPerpendicular;
        break;
    case kStairPerpendicularFromFixedEnd:
        s.shape = Staircase(n, 100.0);
        s.hold = Hold::kPerpendicular;
        break;
    case kStairTurned:
        s.shape = Turned(Staircase(n, 100.0), 17.0);
        s.hold = Hold::kPerpendicularTurned;
        break;
    case kStairUnitSize:
        s.shape = Staircase(n, 1.0);
        s.jitter = 0.02;
        s.penStep = 0.01;
        break;
    case kRectangle:
    case kL:
    case kU: {
        const std::vector<point> shape = c == kRectangle ? Rectangle() : c == kL ? LShape() : UShape();
        s.shape = turned ? Turned(shape, 17.0) : shape;
        s.hold = turned ? Hold::kPerpendicularTurned : Hold::kAxis;
        break;
    }
    }
    s.held = HeldLengths(static_cast<int>(s.shape.size()), c == kStairPerpendicularFromFixedEnd);
    return s;
}

double Percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t index =
        std::min(values.size() - 1, static_cast<std::size_t>(p * (values.size() - 1) + 0.5));
    return values[index];
}

void Report(benchmark::State& state, const std::vector<double>& steps, int solvedStarts,
            int fewestAccepted, double worstLength, double worstDegrees, double worstGap)
{
    state.counters["first_solved"] = solvedStarts;
    state.counters["steps_min"] = fewestAccepted;
    state.counters["p90_ms"] = Percentile(steps, 0.9);
    state.counters["max_ms"] = steps.empty() ? 0.0 : *std::max_element(steps.begin(), steps.end());
    state.counters["resid_len"] = worstLength;
    state.counters["resid_deg"] = worstDegrees;
    state.counters["pen_gap"] = worstGap;
}

// Arguments: case, N (walls of the staircase), turned (rooms), dragged wall
// (-1: corner 2).
void BM_DragSketch(benchmark::State& state)
{
    const Case c = static_cast<Case>(state.range(0));
    const int n = static_cast<int>(state.range(1));
    const bool turned = state.range(2) != 0;
    const int wall = static_cast<int>(state.range(3));
    const int corner = 2;
    const Setup setup = MakeSetup(c, n, turned);
    using Clock = std::chrono::steady_clock;
    std::vector<double> steps;
    int solvedStarts = 0, fewestAccepted = kSteps;
    double worstLength = 0.0, worstDegrees = 0.0, worstGap = 0.0, worstFirst = 0.0;
    for (auto _ : state) {
        double total = 0.0;
        for (int start = 0; start < kStarts; ++start) {
            KorResetGlobals();
            std::mt19937 random(20261211u + static_cast<unsigned>(start));
            Room room;
            Build(room, setup.shape, setup.hold, setup.held, setup.jitter, random);
            if (!room.built) {
                state.SkipWithError("the room could not be built");
                return;
            }
            auto t0 = Clock::now();
            const bool solved = room.model.Resolve();
            worstFirst = std::max(
                worstFirst, std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
            if (!solved) {
                fewestAccepted = 0;
                continue;
            }
            ++solvedStarts;
            Residual r = Measure(room);
            worstLength = std::max(worstLength, r.length);
            worstDegrees = std::max(worstDegrees, r.degrees);

            point pen = room.Node(corner)->GetPoint();
            if (wall >= 0) {
                const point a = room.Node(wall)->GetPoint();
                const point b = room.Node((wall + 1) % n)->GetPoint();
                pen = point((a.x() + b.x()) / 2.0, (a.y() + b.y()) / 2.0);
            }
            point last = pen;
            std::uniform_real_distribution<double> length(setup.penStep, 2.0 * setup.penStep);
            std::uniform_real_distribution<double> turn(-M_PI / 6.0, M_PI / 6.0);
            int accepted = 0;
            room.model.SetDrag(true);
            for (int step = 0; step < kSteps; ++step) {
                const double direction = M_PI / 4.0 + turn(random);
                const double d = length(random);
                pen = point(pen.x() + d * std::cos(direction), pen.y() + d * std::sin(direction));
                t0 = Clock::now();
                const bool ok = DragTo(room, corner, wall, pen.x(), pen.y());
                const double ms =
                    std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
                steps.push_back(ms);
                total += ms;
                if (ok) {
                    ++accepted;
                    worstGap = std::max(worstGap, PenGap(room, corner, wall, pen.x(), pen.y()));
                    last = pen;
                } else {
                    // A refused step leaves the pen off the room: it goes back
                    // to the last accepted place (untimed).
                    pen = last;
                    DragTo(room, corner, wall, pen.x(), pen.y());
                }
            }
            room.model.SetDrag(false);
            fewestAccepted = std::min(fewestAccepted, accepted);
            r = Measure(room);
            worstLength = std::max(worstLength, r.length);
            worstDegrees = std::max(worstDegrees, r.degrees);
        }
        state.SetIterationTime(total / 1000.0);
    }
    state.counters["first_ms_max"] = worstFirst;
    Report(state, steps, solvedStarts, fewestAccepted, worstLength, worstDegrees, worstGap);
}

void Cases(benchmark::internal::Benchmark* b)
{
    for (int c : {kStairAxis, kStairPerpendicular, kStairPerpendicularFromFixedEnd, kStairTurned})
        for (int n : {4, 8, 16, 32, 64, 128, 256})
            b->Args({c, n, 0, -1});
    b->Args({kStairUnitSize, 16, 0, -1});
    b->Args({kStairUnitSize, 64, 0, -1});
    for (int c : {kRectangle, kL, kU})
        for (int turned : {0, 1})
            for (int wall : {-1, 1}) {
                const int n = c == kRectangle ? 4 : c == kL ? 6 : 8;
                b->Args({c, n, turned, wall});
            }
    b->ArgNames({"case", "N", "turned", "wall"});
}

BENCHMARK(BM_DragSketch)->Apply(Cases)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// Rooms in the perpendicular form dragged as the program drags them (the
// picked corner or wall held, each pen move set and resolved), from starts
// up to 0.1, 2 or 5 inches off: the room with one slanted wall, and the
// rectangle turned 17 degrees with no corner fixed. And steps the pen cannot
// reach: corner 3 of the L and of the U with corner 0 fixed and walls
// 3 .. n-2 of given length, in the perpendicular and in the
// vertical/horizontal form, where every step is refused.
enum ProgramCase { kSlanted, kTurnedFree, kRefusedPerpendicular, kRefusedAxis };

RoomSketch ProgramRoom(ProgramCase c)
{
    if (c == kSlanted)
        return {"slanted", SlantedRoom(), true, {0, 3}, {}, false};
    return {"turned", Turned(Rectangle(), 17.0), false, SquareCorners(4), {}, false};
}

// Arguments: case, start offset in tenths of an inch, dragged corner, dragged
// wall (-1: the corner), and for the refused steps the room (6: the L, 8:
// the U).
void BM_ProgramDrag(benchmark::State& state)
{
    const ProgramCase c = static_cast<ProgramCase>(state.range(0));
    const double jitter = static_cast<double>(state.range(1)) / 10.0;
    const int corner = static_cast<int>(state.range(2));
    const int wall = static_cast<int>(state.range(3));
    const bool refused = c == kRefusedPerpendicular || c == kRefusedAxis;
    RoomSketch sketch = ProgramRoom(c);
    if (refused) {
        sketch.corners = state.range(4) == 6 ? LShape() : UShape();
        const int n = static_cast<int>(sketch.corners.size());
        sketch.square = SquareCorners(n);
        sketch.held = HeldLengths(n, false);
    }
    using Clock = std::chrono::steady_clock;
    std::vector<double> steps;
    int solvedStarts = 0, fewestAccepted = kSteps;
    double worstLength = 0.0, worstDegrees = 0.0, worstGap = 0.0;
    for (auto _ : state) {
        double total = 0.0;
        for (int start = 0; start < kStarts; ++start) {
            KorResetGlobals();
            std::mt19937 random(20261211u + static_cast<unsigned>(start));
            Room room;
            if (refused) {
                Build(room, sketch.corners, c == kRefusedAxis ? Hold::kAxis : Hold::kPerpendicular,
                      sketch.held, jitter, random);
            } else {
                Build(room, sketch, jitter, random);
            }
            if (!room.built) {
                state.SkipWithError("the room could not be built");
                return;
            }
            if (!room.model.Resolve()) {
                fewestAccepted = 0;
                continue;
            }
            ++solvedStarts;
            auto measure = [&] {
                const Residual r = Measure(room);
                worstLength = std::max(worstLength, r.length);
                if (c != kRefusedAxis)
                    worstDegrees = std::max(worstDegrees, WorstSquareDegrees(room, sketch.square));
            };
            measure();
            point pen = DragStart(room, corner, wall);
            int accepted = 0;
            {
                ProgramDrag drag(room, corner, wall);
                for (int step = 0; step < kSteps; ++step) {
                    const point next = PenStep(pen, M_PI / 4.0, random);
                    const auto t0 = Clock::now();
                    const bool ok = drag.MoveTo(next.x(), next.y());
                    const double ms =
                        std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
                    steps.push_back(ms);
                    total += ms;
                    if (ok) {
                        ++accepted;
                        pen = next;
                        worstGap = std::max(worstGap, PenGap(room, corner, wall, pen.x(), pen.y()));
                        measure();
                    }
                }
            }
            fewestAccepted = std::min(fewestAccepted, accepted);
        }
        state.SetIterationTime(total / 1000.0);
    }
    Report(state, steps, solvedStarts, fewestAccepted, worstLength, worstDegrees, worstGap);
}

void ProgramCases(benchmark::internal::Benchmark* b)
{
    for (int jitter : {1, 20, 50}) {
        b->Args({kSlanted, jitter, 3, -1, 0});
        b->Args({kSlanted, jitter, 3, 3, 0});
        b->Args({kTurnedFree, jitter, 2, -1, 0});
        b->Args({kTurnedFree, jitter, 0, -1, 0});
        b->Args({kTurnedFree, jitter, 2, 1, 0});
    }
    for (int room : {6, 8})
        for (int c : {kRefusedPerpendicular, kRefusedAxis})
            b->Args({c, 20, 3, -1, room});
    b->ArgNames({"case", "start10", "corner", "wall", "room"});
}

BENCHMARK(BM_ProgramDrag)->Apply(ProgramCases)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
