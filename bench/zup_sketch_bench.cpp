// Sketching a grid of rectangular rooms wall by wall: the time per added
// wall (AddLine, which also searches the rooms once the floor has some) and
// per full room search, for floors of 1, 10 and 30 rooms.
#include <benchmark/benchmark.h>

#include <memory>

#include "zup_floor.h"
#include "zup_globals.h"

namespace {

constexpr double kRoom = 300.0;

// Columns of the grid for a room count: one row up to 10, then rows of 10.
int Columns(int rooms)
{
    return rooms < 10 ? rooms : 10;
}

// Draws the grid's walls: every room's bottom and left side, then the far
// sides; the first search runs once the first room is closed.
int SketchGrid(ZupFloor& floor, int rooms)
{
    const int columns = Columns(rooms);
    const int rows = rooms / columns;
    int walls = 0;
    bool searched = false;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const double x = c * kRoom;
            const double y = r * kRoom;
            walls += floor.AddLine(x, y, x + kRoom, y);
            walls += floor.AddLine(x + kRoom, y, x + kRoom, y + kRoom);
            walls += floor.AddLine(x + kRoom, y + kRoom, x, y + kRoom);
            walls += floor.AddLine(x, y + kRoom, x, y);
            if (!searched)
                searched = floor.MakePartitions(false);
        }
    }
    return walls;
}

void BM_AddLine(benchmark::State& state)
{
    const int rooms = static_cast<int>(state.range(0));
    long walls = 0;
    for (auto _ : state) {
        ZupResetGlobals();
        ZupMetric() = true;
        auto floor = std::make_unique<ZupFloor>();
        walls += SketchGrid(*floor, rooms);
        benchmark::DoNotOptimize(floor->GetNumOfPartitions());
        state.PauseTiming();
        floor.reset();
        state.ResumeTiming();
    }
    state.counters["per_AddLine"] = benchmark::Counter(
        static_cast<double>(walls), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_RoomSearch(benchmark::State& state)
{
    const int rooms = static_cast<int>(state.range(0));
    ZupResetGlobals();
    ZupMetric() = true;
    ZupFloor floor;
    SketchGrid(floor, rooms);
    for (auto _ : state)
        benchmark::DoNotOptimize(floor.MakePartitions(false));
    state.counters["rooms"] = floor.GetNumOfPartitions();
}

}  // namespace

BENCHMARK(BM_AddLine)->Arg(1)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RoomSearch)->Arg(1)->Arg(10)->Arg(30)->Unit(benchmark::kMicrosecond);
