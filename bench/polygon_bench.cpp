// Polygon booleans and clipping on room-sized outlines (4 to 40 vertices) and
// on tessellated arcs (100 to 400 vertices); booleans side by side with
// Clipper 1 (libpolyclipping) on unit-step rooms and random stars, when the
// bench is built with it.
//
// Every input is built from a plain closed array of x,y pairs (the first point
// repeated at the end), so the same arrays can be handed to another polygon
// clipping library for a side-by-side run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#ifdef PELK_HAVE_CLIPPER
#include <clipper.hpp>
#endif

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

// ---------------------------------------------------------------------------
// Sweeps over many input pairs, run once each (--benchmark_filter=Sweep);
// the counters are the figures, not the time: per operator, "open" counts
// results holding an outline that is not closed, "area" closed results whose
// area misses the exact one by more than the sweep's tolerance, "worst" the
// largest such miss.

// Shoelace area with the closing side, for rings that close within GeoSnap.
double SignedArea(const std::vector<G_POINT>& v)
{
    double twice = 0;
    for (size_t i = 0; i < v.size(); ++i) {
        const G_POINT& p = v[i];
        const G_POINT& q = v[(i + 1) % v.size()];
        twice += p.x * q.y - q.x * p.y;
    }
    return twice / 2;
}

std::vector<G_POINT> Points(const Coordinates& xy)
{
    std::vector<G_POINT> v;
    for (size_t i = 0; i + 1 < xy.size(); i += 2)
        v.push_back({xy[i], xy[i + 1]});
    return v;
}

// The part of a closed outline on the left of the directed edge a -> b.
std::vector<G_POINT> KeepLeftOf(const std::vector<G_POINT>& v, G_POINT a, G_POINT b)
{
    const auto side = [&](G_POINT p) { return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x); };
    std::vector<G_POINT> out;
    for (size_t i = 1; i < v.size(); ++i) {
        const G_POINT p = v[i - 1], q = v[i];
        const double sp = side(p), sq = side(q);
        if (sp >= 0)
            out.push_back(p);
        if ((sp >= 0) != (sq >= 0)) {
            const double t = sp / (sp - sq);
            out.push_back({p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)});
        }
    }
    if (!out.empty())
        out.push_back(out.front());
    return out;
}

// Exact overlap area of two closed convex outlines (counter-clockwise).
double ConvexOverlap(const Coordinates& a, const Coordinates& b)
{
    std::vector<G_POINT> v = Points(a);
    const std::vector<G_POINT> clip = Points(b);
    for (size_t i = 1; i < clip.size() && !v.empty(); ++i)
        v = KeepLeftOf(v, clip[i - 1], clip[i]);
    return v.empty() ? 0 : std::fabs(SignedArea(v));
}

bool InsideEvenOdd(const std::vector<G_POINT>& v, G_POINT p)
{
    bool in = false;
    for (size_t i = 1; i < v.size(); ++i) {
        const G_POINT a = v[i - 1], b = v[i];
        if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y))
            in = !in;
    }
    return in;
}

// Exact overlap area of two axis-parallel outlines, cell by cell of the grid
// their coordinates span.
double RectilinearOverlap(const Coordinates& a, const Coordinates& b)
{
    const std::vector<G_POINT> va = Points(a), vb = Points(b);
    std::vector<double> xs, ys;
    for (const auto* v : {&va, &vb})
        for (const G_POINT& p : *v) {
            xs.push_back(p.x);
            ys.push_back(p.y);
        }
    std::sort(xs.begin(), xs.end());
    std::sort(ys.begin(), ys.end());
    double area = 0;
    for (size_t i = 1; i < xs.size(); ++i)
        for (size_t j = 1; j < ys.size(); ++j) {
            const G_POINT m{(xs[i - 1] + xs[i]) / 2, (ys[j - 1] + ys[j]) / 2};
            if (InsideEvenOdd(va, m) && InsideEvenOdd(vb, m))
                area += (xs[i] - xs[i - 1]) * (ys[j] - ys[j - 1]);
        }
    return area;
}

// Sum of the areas of the result's outlines; negative when one is open. The
// plain shoelace sum: polygon::area leaves out sides shorter than GeoSnap in x.
double ClosedArea(const geolist_ref& result)
{
    double area = 0;
    for (short i = 0; i < result.count(); ++i) {
        if (!result[i].closed())
            return -1;
        polygon outline(result[i]);
        std::vector<G_POINT> v(outline.get_vertex(0), outline.get_vertex(0) + outline.count());
        area += std::fabs(SignedArea(v));
    }
    return area;
}

struct Tally {
    int cases = 0, open = 0, wrongArea = 0;
    double worst = 0;  // largest area error among closed results
};

void Check(Tally& t, const geolist_ref& result, double expected, double tolerance)
{
    ++t.cases;
    const double area = ClosedArea(result);
    if (area < 0) {
        ++t.open;
        return;
    }
    const double error = std::fabs(area - expected);
    t.worst = std::max(t.worst, error);
    if (error > tolerance)
        ++t.wrongArea;
}

using Overlap = double (*)(const Coordinates&, const Coordinates&);

void Sweep(benchmark::State& state, const std::vector<Pair>& pairs, Overlap overlap, double tolerance)
{
    Tally tally[3];
    for (auto _ : state) {
        for (const Pair& pair : pairs) {
            polygon a = Load(pair.a);
            polygon b = Load(pair.b);
            const double both = overlap(pair.a, pair.b);
            const double areaA = std::fabs(SignedArea(Points(pair.a)));
            const double areaB = std::fabs(SignedArea(Points(pair.b)));
            Check(tally[0], a && b, both, tolerance);
            Check(tally[1], a || b, areaA + areaB - both, tolerance);
            Check(tally[2], a - b, areaA - both, tolerance);
        }
    }
    const char* names[] = {"&&", "||", "-"};
    for (int k = 0; k < 3; ++k) {
        state.counters[std::string("open") + names[k]] = tally[k].open;
        state.counters[std::string("area") + names[k]] = tally[k].wrongArea;
        state.counters[std::string("worst") + names[k]] = tally[k].worst;
    }
    state.counters["cases"] = tally[0].cases;
}

// The tessellated circle pairs of the Arcs benchmarks at every vertex count
// from 20 to 400.
void BM_SweepArcs(benchmark::State& state)
{
    std::vector<Pair> pairs;
    for (int n = 20; n <= 400; ++n)
        pairs.push_back(Arcs(n));
    Sweep(state, pairs, ConvexOverlap, 0.01);
}

// Staircase rooms of 4 to 40 vertices, the second moved by 27 offsets spread
// over the first (some put walls within GeoSnap of each other).
void BM_SweepRooms(benchmark::State& state)
{
    std::vector<Pair> pairs;
    for (int n = 4; n <= 40; n += 2)
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 9; ++j)
                pairs.push_back({StaircaseRoom(n, 0, 0), StaircaseRoom(n, 1.3 + 2.1 * i, 0.45 + 0.7 * j)});
    Sweep(state, pairs, RectilinearOverlap, 1e-9);
}

// The same rooms moved by whole steps plus a slip of 0 to 1.5 GeoSnap, so
// walls coincide or nearly coincide.
void BM_SweepRoomsNearWalls(benchmark::State& state)
{
    std::vector<Pair> pairs;
    const double slips[] = {0.0, 0.004, -0.009, 0.015};
    for (int n = 6; n <= 40; n += 2) {
        const double unit = 10.0 / (n / 2 - 1);
        for (int i = 1; i <= 2; ++i)
            for (double sx : slips)
                for (double sy : slips)
                    pairs.push_back({StaircaseRoom(n, 0, 0), StaircaseRoom(n, i * unit + sx, unit + sy)});
    }
    // Walls within GeoSnap may merge: allow a slip's width along the walls.
    Sweep(state, pairs, RectilinearOverlap, 0.015 * 40);
}

BENCHMARK(BM_SweepArcs)->Name("Sweep/Arcs")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SweepRooms)->Name("Sweep/Rooms")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SweepRoomsNearWalls)->Name("Sweep/RoomsNearWalls")->Iterations(1)->Unit(benchmark::kMillisecond);

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

// ---------------------------------------------------------------------------
// Side by side with Clipper 1 (--benchmark_filter=Versus): each iteration runs
// the same boolean once in Geo and once in Clipper on the same inputs; the
// (manual) real time is Geo's, "clipper_us" Clipper's mean and "ratio" Geo's
// time over Clipper's. The CPU time column holds both.

// A staircase room of n walls with unit steps, counter-clockwise: a shift by
// whole units puts walls of two such rooms on one line.
Coordinates UnitStaircase(int n, double x0, double y0)
{
    const int steps = n / 2 - 1;
    Coordinates xy{x0, y0, x0 + steps, y0};
    for (int i = 1; i <= steps; ++i) {
        xy.insert(xy.end(), {x0 + steps - i + 1, y0 + i});
        xy.insert(xy.end(), {x0 + steps - i, y0 + i});
    }
    Close(xy);
    return xy;
}

// A star-shaped outline of n vertices at even angles, radii 5..10 drawn by a
// fixed linear congruential generator.
Coordinates Star(int n, std::uint64_t seed, double cx, double cy)
{
    std::uint64_t state = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    Coordinates xy;
    for (int k = 0; k < n; ++k) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const double r = 5 + 5 * static_cast<double>(state >> 11) / 9007199254740992.0;
        const double a = 2 * kPi * k / n;
        xy.insert(xy.end(), {cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    Close(xy);
    return xy;
}

Pair RoomsOffGrid(int n) { return {UnitStaircase(n, 0, 0), UnitStaircase(n, 0.5, 0.5)}; }
Pair RoomsSharingWalls(int n) { return {UnitStaircase(n, 0, 0), UnitStaircase(n, 1, 0)}; }
Pair Stars(int n) { return {Star(n, 1, 0, 0), Star(n, 2, 2.5, 1.5)}; }

#ifdef PELK_HAVE_CLIPPER
constexpr double kClipperScale = 1e6;

ClipperLib::Path ClipperPath(const Coordinates& xy)
{
    ClipperLib::Path path;
    for (size_t i = 0; i + 3 < xy.size(); i += 2)  // the closing repeat left out
        path.emplace_back(static_cast<ClipperLib::cInt>(std::llround(xy[i] * kClipperScale)),
                          static_cast<ClipperLib::cInt>(std::llround(xy[i + 1] * kClipperScale)));
    return path;
}

ClipperLib::ClipType ClipperOp(Op op)
{
    return op == Op::Intersection ? ClipperLib::ctIntersection
           : op == Op::Union      ? ClipperLib::ctUnion
                                  : ClipperLib::ctDifference;
}

template <Op op, Pair (*Inputs)(int)>
void BM_Versus(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    const Pair inputs = Inputs(static_cast<int>(state.range(0)));
    polygon a = Load(inputs.a);
    polygon b = Load(inputs.b);
    const ClipperLib::Path pa = ClipperPath(inputs.a), pb = ClipperPath(inputs.b);
    double geoSeconds = 0, clipperSeconds = 0;
    size_t clipperItems = 0;
    short geoItems = 0;
    for (auto _ : state) {
        // Each side's time includes releasing what it built.
        const auto t0 = Clock::now();
        {
            geolist_ref result = Apply(op, a, b);
            geoItems = result.count();
            benchmark::DoNotOptimize(geoItems);
        }
        const auto t1 = Clock::now();
        {
            ClipperLib::Clipper clipper;
            clipper.AddPath(pa, ClipperLib::ptSubject, true);
            clipper.AddPath(pb, ClipperLib::ptClip, true);
            ClipperLib::Paths solution;
            clipper.Execute(ClipperOp(op), solution, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
            clipperItems = solution.size();
            benchmark::DoNotOptimize(clipperItems);
        }
        const auto t2 = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
        geoSeconds += std::chrono::duration<double>(t1 - t0).count();
        clipperSeconds += std::chrono::duration<double>(t2 - t1).count();
    }
    // Total areas, holes negative, as a check that both answer alike.
    const geolist_ref last = Apply(op, a, b);
    double area = 0;
    for (short i = 0; i < last.count(); ++i) {
        polygon outline(last[i]);
        area += SignedArea(std::vector<G_POINT>(outline.get_vertex(0), outline.get_vertex(0) + outline.count()));
    }
    ClipperLib::Clipper clipper;
    clipper.AddPath(pa, ClipperLib::ptSubject, true);
    clipper.AddPath(pb, ClipperLib::ptClip, true);
    ClipperLib::Paths solution;
    clipper.Execute(ClipperOp(op), solution, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    double clipperArea = 0;
    for (const ClipperLib::Path& path : solution)
        clipperArea += ClipperLib::Area(path) / (kClipperScale * kClipperScale);
    const double iterations = static_cast<double>(state.iterations());
    state.counters["area"] = std::fabs(area);
    state.counters["clipper_area"] = std::fabs(clipperArea);
    state.counters["clipper_us"] = 1e6 * clipperSeconds / iterations;
    state.counters["ratio"] = clipperSeconds > 0 ? geoSeconds / clipperSeconds : 0;
    state.counters["items"] = geoItems;
    state.counters["clipper_items"] = static_cast<double>(clipperItems);
    state.counters["vertices"] = static_cast<double>(a.count() + b.count());
}

void VersusRoomSizes(benchmark::internal::Benchmark* b)
{
    for (int n : {16, 64, 256})
        b->Arg(n);
}

#define PELK_VERSUS(op, inputs, name)                                                              \
    BENCHMARK_TEMPLATE(BM_Versus, op, inputs)->Name(name)->UseManualTime()->Unit(benchmark::kMicrosecond)

PELK_VERSUS(Op::Intersection, RoomsOffGrid, "Versus/RoomsOffGrid/Intersection")->Apply(VersusRoomSizes);
PELK_VERSUS(Op::Union, RoomsOffGrid, "Versus/RoomsOffGrid/Union")->Apply(VersusRoomSizes);
PELK_VERSUS(Op::Difference, RoomsOffGrid, "Versus/RoomsOffGrid/Difference")->Apply(VersusRoomSizes);
PELK_VERSUS(Op::Intersection, RoomsSharingWalls, "Versus/RoomsSharingWalls/Intersection")->Apply(VersusRoomSizes);
PELK_VERSUS(Op::Union, RoomsSharingWalls, "Versus/RoomsSharingWalls/Union")->Apply(VersusRoomSizes);
PELK_VERSUS(Op::Difference, RoomsSharingWalls, "Versus/RoomsSharingWalls/Difference")->Apply(VersusRoomSizes);
PELK_VERSUS(Op::Intersection, Stars, "Versus/Stars/Intersection")->Arg(256);
PELK_VERSUS(Op::Union, Stars, "Versus/Stars/Union")->Arg(256);
PELK_VERSUS(Op::Difference, Stars, "Versus/Stars/Difference")->Arg(256);
#endif

}  // namespace
