// Polygon booleans and clipping on room-sized outlines (4 to 40 vertices) and
// on tessellated arcs (100 to 400 vertices).
//
// Every input is built from a plain closed array of x,y pairs (the first point
// repeated at the end), so the same arrays can be handed to another polygon
// clipping library for a side-by-side run.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "geolist.h"
#include "polygon.h"

namespace {

using Coordinates = std::vector<double>;  // x0, y0, x1, y1, ..., x0, y0

constexpr double kPi = 3.14159265358979323846;

void Close(Coordinates& xy)
{
    xy.push_back(xy[0]);
    xy.push_back(xy[1]);
}

// A staircase room of n vertices (n even, at least 4) about 10 units across,
// counter-clockwise from (x0, y0): the kind of outline an L- or U-shaped room
// with many corners has.
Coordinates StaircaseRoom(int n, double x0, double y0)
{
    const int steps = n / 2 - 1;
    const double unit = 10.0 / steps;
    Coordinates xy{x0, y0, x0 + steps * unit, y0};
    for (int i = 1; i <= steps; ++i) {
        xy.insert(xy.end(), {x0 + (steps - i + 1) * unit, y0 + i * unit});
        xy.insert(xy.end(), {x0 + (steps - i) * unit, y0 + i * unit});
    }
    Close(xy);
    return xy;
}

// A regular n-gon of radius r: a tessellated circle (arc) outline.
Coordinates ArcOutline(int n, double cx, double cy, double r)
{
    Coordinates xy;
    for (int k = 0; k < n; ++k) {
        const double a = 2 * kPi * (k + 0.5) / n;
        xy.insert(xy.end(), {cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    Close(xy);
    return xy;
}

polygon Load(const Coordinates& xy)
{
    polygon pg;
    pg.load(xy.data(), static_cast<short>(xy.size() / 2));
    return pg;
}

struct Pair {
    Coordinates a, b;
};

// Two staircases overlapping off the grid, so no edges coincide.
Pair Rooms(int n) { return {StaircaseRoom(n, 0, 0), StaircaseRoom(n, 3.3, 2.7)}; }

Pair Arcs(int n) { return {ArcOutline(n, 0, 0, 5), ArcOutline(n, 3.1, 1.3, 4)}; }

enum class Op { Intersection, Union, Difference, ClipInside, ClipOutside };

geolist_ref Apply(Op op, polygon& a, polygon& b)
{
    switch (op) {
    case Op::Intersection:
        return a && b;
    case Op::Union:
        return a || b;
    case Op::Difference:
        return a - b;
    case Op::ClipInside:
        return a << b;
    case Op::ClipOutside:
        return a >> b;
    }
    return geolist_ref();
}

template <Op op, Pair (*Inputs)(int)>
void BM_Polygon(benchmark::State& state)
{
    const Pair inputs = Inputs(static_cast<int>(state.range(0)));
    polygon a = Load(inputs.a);
    polygon b = Load(inputs.b);
    short results = 0;
    for (auto _ : state) {
        geolist_ref result = Apply(op, a, b);
        results = result.count();
        benchmark::DoNotOptimize(results);
    }
    // How many result items are closed outlines: every item of a boolean
    // should be; a clip gives open pieces unless a whole outline is kept.
    geolist_ref last = Apply(op, a, b);
    short closed = 0;
    for (short i = 0; i < last.count(); ++i)
        closed = static_cast<short>(closed + (last[i].closed() ? 1 : 0));
    state.counters["results"] = results;
    state.counters["closed"] = closed;
    state.counters["vertices"] = static_cast<double>(a.count() + b.count());
}

void RoomSizes(benchmark::internal::Benchmark* b)
{
    for (int n : {4, 8, 16, 24, 40})
        b->Arg(n);
}

void ArcSizes(benchmark::internal::Benchmark* b)
{
    for (int n : {100, 200, 400})
        b->Arg(n);
}

BENCHMARK_TEMPLATE(BM_Polygon, Op::Intersection, Rooms)->Name("Rooms/Intersection")->Apply(RoomSizes);
BENCHMARK_TEMPLATE(BM_Polygon, Op::Union, Rooms)->Name("Rooms/Union")->Apply(RoomSizes);
BENCHMARK_TEMPLATE(BM_Polygon, Op::Difference, Rooms)->Name("Rooms/Difference")->Apply(RoomSizes);
BENCHMARK_TEMPLATE(BM_Polygon, Op::ClipInside, Rooms)->Name("Rooms/ClipInside")->Apply(RoomSizes);
BENCHMARK_TEMPLATE(BM_Polygon, Op::ClipOutside, Rooms)->Name("Rooms/ClipOutside")->Apply(RoomSizes);
BENCHMARK_TEMPLATE(BM_Polygon, Op::Intersection, Arcs)->Name("Arcs/Intersection")->Apply(ArcSizes);
BENCHMARK_TEMPLATE(BM_Polygon, Op::Union, Arcs)->Name("Arcs/Union")->Apply(ArcSizes);
BENCHMARK_TEMPLATE(BM_Polygon, Op::Difference, Arcs)->Name("Arcs/Difference")->Apply(ArcSizes);
BENCHMARK_TEMPLATE(BM_Polygon, Op::ClipInside, Arcs)->Name("Arcs/ClipInside")->Apply(ArcSizes);
BENCHMARK_TEMPLATE(BM_Polygon, Op::ClipOutside, Arcs)->Name("Arcs/ClipOutside")->Apply(ArcSizes);

}  // namespace
