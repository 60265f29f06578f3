// Sketching plans wall by wall: the time per added wall (AddLine, which also
// searches the rooms once the floor has some), per full room search, and per
// pen-up (the wall added, then the rooms found) with its p90 and worst case,
// for grids of 1 to 100 rooms and for plans of about 100 walls of every
// family: drawn room by room or wall by wall, turned off the axes, L and U
// rooms, stubs and islands, and a 7-room plan drawn edge by edge.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "zup_floor.h"
#include "zup_globals.h"

namespace {

constexpr double kRoom = 300.0;

struct Stroke {
    double x1, y1, x2, y2;
};

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

// ---- Pen-ups ----

// A grid of rooms of irregular sizes (inches), each room's four sides a stroke.
std::vector<Stroke> RoomByRoom(int columns, int rows)
{
    std::vector<Stroke> strokes;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const double x0 = c * kRoom + (c % 3) * 20.0, x1 = (c + 1) * kRoom + ((c + 1) % 3) * 20.0;
            const double y0 = r * kRoom + (r % 2) * 30.0, y1 = (r + 1) * kRoom + ((r + 1) % 2) * 30.0;
            strokes.push_back({x0, y0, x1, y0});
            strokes.push_back({x1, y0, x1, y1});
            strokes.push_back({x1, y1, x0, y1});
            strokes.push_back({x0, y1, x0, y0});
        }
    return strokes;
}

// The same grid's walls one by one, in a shuffled order and direction;
// dropping some inner walls makes L and U rooms and T-junctions.
std::vector<Stroke> WallByWall(int columns, int rows, double drop, unsigned seed)
{
    std::mt19937 random(seed);
    std::bernoulli_distribution dropped(drop);
    auto x = [](int c) { return c * kRoom + (c % 3) * 20.0; };
    auto y = [](int r) { return r * kRoom + (r % 2) * 30.0; };
    std::vector<Stroke> strokes;
    for (int c = 0; c <= columns; ++c)
        for (int r = 0; r < rows; ++r)
            if (c == 0 || c == columns || !dropped(random))
                strokes.push_back({x(c), y(r), x(c), y(r + 1)});
    for (int r = 0; r <= rows; ++r)
        for (int c = 0; c < columns; ++c)
            if (r == 0 || r == rows || !dropped(random))
                strokes.push_back({x(c), y(r), x(c + 1), y(r)});
    std::shuffle(strokes.begin(), strokes.end(), random);
    for (Stroke& s : strokes)
        if (std::bernoulli_distribution(0.5)(random))
            s = {s.x2, s.y2, s.x1, s.y1};
    return strokes;
}

// Every other room gets a stub from its lower left corner, with a T at its
// end, and an island of two rooms.
std::vector<Stroke> StubsAndIslands(int columns, int rows)
{
    std::vector<Stroke> strokes = WallByWall(columns, rows, 0.0, 7u);
    auto x = [](int c) { return c * kRoom + (c % 3) * 20.0; };
    auto y = [](int r) { return r * kRoom + (r % 2) * 30.0; };
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            if ((r + c) % 2 == 0) {
                const double sx = x(c), sy = y(r) + 100.0, ex = x(c) + 100.0;
                strokes.push_back({sx, sy, ex, sy});
                strokes.push_back({ex, sy, ex, sy + 50.0});
                strokes.push_back({ex, sy, ex, sy - 50.0});
            } else {
                const double x0 = x(c) + 80.0, x1 = x(c + 1) - 80.0, xm = (x0 + x1) / 2.0;
                const double y0 = y(r) + 80.0, y1 = y(r + 1) - 80.0;
                strokes.push_back({x0, y0, xm, y0});
                strokes.push_back({xm, y0, x1, y0});
                strokes.push_back({x1, y0, x1, y1});
                strokes.push_back({x1, y1, xm, y1});
                strokes.push_back({xm, y1, x0, y1});
                strokes.push_back({x0, y1, x0, y0});
                strokes.push_back({xm, y0, xm, y1});
            }
        }
    return strokes;
}

std::vector<Stroke> Turned(std::vector<Stroke> strokes, double degrees)
{
    const double a = degrees * M_PI / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    for (Stroke& k : strokes)
        k = {k.x1 * c - k.y1 * s + 1000.0, k.x1 * s + k.y1 * c + 2000.0,
             k.x2 * c - k.y2 * s + 1000.0, k.x2 * s + k.y2 * c + 2000.0};
    return strokes;
}

// A 7-room plan drawn edge by edge, with a dangling wall.
std::vector<Stroke> SevenRooms()
{
    return {{650, 150, 450, 150}, {450, 500, 200, 500}, {100, 0, 0, 0},     {450, 400, 450, 500},
            {450, 300, 450, 400}, {200, 500, 200, 400}, {200, 0, 200, 150}, {200, 400, 100, 400},
            {450, 400, 200, 400}, {450, 0, 450, 150},   {0, 300, 0, 150},   {100, 0, 100, 150},
            {0, 150, 0, 0},       {450, 500, 650, 500}, {0, 300, 0, 400},   {200, 300, 450, 300},
            {100, 400, 0, 400},   {200, 150, 450, 150}, {200, 0, 450, 0},   {200, 150, 100, 150},
            {450, 300, 450, 150}, {450, 400, 650, 400}, {650, 500, 650, 400}, {650, 300, 650, 400},
            {200, 150, 200, 300}, {200, 300, 200, 400}, {650, 300, 450, 300}};
}

enum Family { kRooms, kWalls, kTurned, kSlightlyTurned, kLAndU, kStubsIslands, kSlow };

std::vector<Stroke> Sketch(Family family, int size)
{
    switch (family) {
    case kRooms:
        return RoomByRoom(Columns(size), size / Columns(size));
    case kWalls:
        return WallByWall(7, 6, 0.0, 11u);  // 97 walls
    case kTurned:
        return Turned(RoomByRoom(7, 6), 17.0);
    case kSlightlyTurned:
        return Turned(WallByWall(7, 6, 0.0, 13u), 0.4);
    case kLAndU:
        return WallByWall(8, 7, 0.3, 17u);  // about 100 walls
    case kStubsIslands:
        return StubsAndIslands(4, 3);  // about 100 walls
    case kSlow:
        return SevenRooms();
    }
    return {};
}

// Each stroke as a pen-up adds it: the wall, then the room search. Reports
// the p90 and the worst pen-up over all iterations, in milliseconds.
void BM_PenUp(benchmark::State& state)
{
    const auto family = static_cast<Family>(state.range(0));
    const std::vector<Stroke> strokes = Sketch(family, static_cast<int>(state.range(1)));
    std::vector<double> times;
    int rooms = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ZupResetGlobals();
        auto floor = std::make_unique<ZupFloor>();
        state.ResumeTiming();
        for (const Stroke& s : strokes) {
            const auto start = std::chrono::steady_clock::now();
            floor->AddLine(s.x1, s.y1, s.x2, s.y2);
            floor->MakePartitions(false);
            const auto stop = std::chrono::steady_clock::now();
            times.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
        }
        state.PauseTiming();
        rooms = floor->GetNumOfPartitions();
        floor.reset();
        state.ResumeTiming();
    }
    std::sort(times.begin(), times.end());
    const std::size_t p90 = times.empty() ? 0 : (times.size() * 9) / 10;
    state.counters["walls"] = static_cast<double>(strokes.size());
    state.counters["rooms"] = rooms;
    state.counters["p90_ms"] = times.empty() ? 0.0 : times[std::min(p90, times.size() - 1)];
    state.counters["max_ms"] = times.empty() ? 0.0 : times.back();
}

}  // namespace

BENCHMARK(BM_AddLine)->Arg(1)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RoomSearch)->Arg(1)->Arg(10)->Arg(30)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PenUp)
    ->ArgNames({"family", "rooms"})
    ->Args({kRooms, 1})
    ->Args({kRooms, 10})
    ->Args({kRooms, 30})
    ->Args({kRooms, 100})
    ->Args({kWalls, 42})
    ->Args({kTurned, 42})
    ->Args({kSlightlyTurned, 42})
    ->Args({kLAndU, 56})
    ->Args({kStubsIslands, 12})
    ->Args({kSlow, 7})
    ->Unit(benchmark::kMillisecond);
