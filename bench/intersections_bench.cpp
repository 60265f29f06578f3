// Crossing primitives on the hot path of a wall drag: line-line, line-circle
// and segment-polygon crossings, and the crossing point of two wall lines
// asked for through an argument list (point = line & line) against the direct call.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "geolist.h"
#include "intersections.h"
#include "line.h"
#include "line_constructions.h"
#include "point.h"
#include "polygon.h"

namespace {

// A closed regular polygon of n sides about the origin, radius 10.
std::vector<G_POINT> RegularOutline(int n) {
    std::vector<G_POINT> v;
    for (int i = 0; i <= n; ++i) {
        const double a = GEO_2PI * (i % n) / n;
        v.push_back({10.0 * std::cos(a), 10.0 * std::sin(a)});
    }
    return v;
}

// Both routes must give the crossing (0.8, 1.4) of y = 0.5x + 1 and y = -2x + 3,
// or the figures measure a failure path.
bool IsExpectedCrossing(const G_POINT& p) {
    return std::fabs(p.x - 0.8) < 1e-12 && std::fabs(p.y - 1.4) < 1e-12;
}

void BM_IntersectLines(benchmark::State& state) {
    LINE first{0.5, 1.0};
    const LINE second{-2.0, 3.0};
    G_POINT X{};
    if (!IntersectLines(first, second, X) || !IsExpectedCrossing(X)) {
        state.SkipWithError("IntersectLines missed the crossing");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(first);
        benchmark::DoNotOptimize(IntersectLines(first, second, X));
        benchmark::DoNotOptimize(X);
    }
}
BENCHMARK(BM_IntersectLines);

// The constraint manager's road: a list of the two lines, then the point's construction.
void BM_PointFromLineList(benchmark::State& state) {
    line first(0.5, 1.0);
    const line second(-2.0, 3.0);
    point crossing;
    if (!(crossing = (first & second)) || !IsExpectedCrossing(crossing.rec())) {
        state.SkipWithError("point = line & line missed the crossing");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(first);
        benchmark::DoNotOptimize(crossing = (first & second));
    }
}
BENCHMARK(BM_PointFromLineList);

void BM_LineThroughPoints(benchmark::State& state) {
    G_POINT a{0.0, 1.0};
    const G_POINT b{4.0, 3.0};
    LINE out{};
    if (!LineThroughPoints(a, b, out) || std::fabs(out.ltan - 0.5) > 1e-12 ||
        std::fabs(out.laxe - 1.0) > 1e-12) {
        state.SkipWithError("LineThroughPoints missed the line y = 0.5x + 1");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(LineThroughPoints(a, b, out));
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_LineThroughPoints);

void BM_IntersectLinesVertical(benchmark::State& state) {
    LINE first{GEO_VERTICAL, 1.0};
    const LINE second{-2.0, 3.0};
    G_POINT X{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(first);
        benchmark::DoNotOptimize(IntersectLines(first, second, X));
        benchmark::DoNotOptimize(X);
    }
}
BENCHMARK(BM_IntersectLinesVertical);

void BM_IntersectLineCircle(benchmark::State& state) {
    LINE line{0.5, 1.0};
    const CIRCLE circle{{1.0, 2.0}, 5.0};
    G_POINT out[2] = {};
    for (auto _ : state) {
        benchmark::DoNotOptimize(line);
        benchmark::DoNotOptimize(IntersectLineCircle(circle, line, out));
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_IntersectLineCircle);

void BM_SegmentSegmentCrossing(benchmark::State& state) {
    G_POINT a1{0, 0};
    const G_POINT a2{4, 3}, b1{0, 3}, b2{4, 0};
    G_POINT X{};
    // The diagonals of the box (0, 0)-(4, 3) cross at its centre.
    if (SegmentSegmentCrossing(a1, a2, b1, b2, X) != 1 || std::fabs(X.x - 2.0) > 1e-12 ||
        std::fabs(X.y - 1.5) > 1e-12) {
        state.SkipWithError("SegmentSegmentCrossing missed the crossing");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(a1);
        benchmark::DoNotOptimize(SegmentSegmentCrossing(a1, a2, b1, b2, X));
        benchmark::DoNotOptimize(X);
    }
}
BENCHMARK(BM_SegmentSegmentCrossing);

// One full cutting operation per iteration: fresh buffer, cut, free.
void BM_SegmentPolygonCrossings(benchmark::State& state) {
    std::vector<G_POINT> outline = RegularOutline(static_cast<int>(state.range(0)));
    const POLY body{static_cast<short>(outline.size()), static_cast<short>(outline.size()),
                    outline.data(), 2};
    G_POINT from{-20, 0.3};
    const G_POINT to{20, -0.7};
    for (auto _ : state) {
        benchmark::DoNotOptimize(from);
        CrossingScope crossings;
        benchmark::DoNotOptimize(SegmentPolygonCrossings(body, from, to, crossings.buffer(), 0));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SegmentPolygonCrossings)->Arg(4)->Arg(16)->Arg(64);

void BM_PolygonLineCrossings(benchmark::State& state) {
    std::vector<G_POINT> outline = RegularOutline(static_cast<int>(state.range(0)));
    const POLY body{static_cast<short>(outline.size()), static_cast<short>(outline.size()),
                    outline.data(), 2};
    LINE cut{0.1, 0.3};
    for (auto _ : state) {
        benchmark::DoNotOptimize(cut);
        CrossingScope crossings;
        benchmark::DoNotOptimize(PolygonLineCrossings(body, cut, crossings.buffer(), 0));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PolygonLineCrossings)->Arg(4)->Arg(16)->Arg(64);

}  // namespace
