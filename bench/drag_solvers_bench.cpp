// Cost per call of the drag solvers that run at every pen move of a drag.
#include <benchmark/benchmark.h>

#include "circle.h"
#include "drag_solvers.h"
#include "line.h"
#include "point.h"
#include "tracker_clamps.h"

namespace {

void BM_AdjustDoubleSolveLines(benchmark::State& state)
{
    const line l1(LINE{0.0, 0.0}), l2(LINE{1.0, 0.0});
    for (auto _ : state) {
        point p1(0, 0), p2(5, 5);
        benchmark::DoNotOptimize(AdjustDoubleSolve(l1, l2, p1, p2, 1.0, 2.0));
        benchmark::DoNotOptimize(p1);
    }
}
BENCHMARK(BM_AdjustDoubleSolveLines);

void BM_AdjustDoubleSolveCircles(benchmark::State& state)
{
    const circle c1(point(0, 0), 5), c2(point(10, 0), 5);
    for (auto _ : state) {
        point p1(0, 0), p2(5, -2.5);
        benchmark::DoNotOptimize(AdjustDoubleSolve(c1, c2, p1, p2, 2.0, 0.0));
        benchmark::DoNotOptimize(p1);
    }
}
BENCHMARK(BM_AdjustDoubleSolveCircles);

void BM_RotateQuartic(benchmark::State& state, G_POINT node, LINE wall1, LINE wall2, double d)
{
    const point p(node.x, node.y);
    const line l1(wall1), l2(wall2);
    point out[4];
    for (auto _ : state)
        benchmark::DoNotOptimize(RotateQuartic(p, l1, l2, d, out));
}
BENCHMARK_CAPTURE(BM_RotateQuartic, sloped, G_POINT{0, -3}, LINE{0.5, 1.0}, LINE{3.0, -4.0}, 6.0);
// A horizontal wall: the quartic is solved in a turned frame.
BENCHMARK_CAPTURE(BM_RotateQuartic, horizontal, G_POINT{0, -3}, LINE{0.0, 1.0}, LINE{3.0, -4.0}, 6.0);
// Parallel walls are solved directly.
BENCHMARK_CAPTURE(BM_RotateQuartic, parallel, G_POINT{0, 0}, LINE{0.0, 1.0}, LINE{0.0, 3.0}, 4.0);

void BM_UpdateCir1ClampRadial(benchmark::State& state)
{
    for (auto _ : state) {
        double lower = 0.0, upper = 10.0;
        benchmark::DoNotOptimize(UpdateCir1ClampRadial(&lower, &upper, 5.0, 3.0, 0.3));
        benchmark::DoNotOptimize(lower);
    }
}
BENCHMARK(BM_UpdateCir1ClampRadial);

void BM_UpdateLin2ClampRadial(benchmark::State& state)
{
    for (auto _ : state) {
        double lower[2] = {0.0, 0.0}, upper[2] = {1.0, 10.0};
        benchmark::DoNotOptimize(UpdateLin2ClampRadial(lower, upper, 0.5, 0.0, 2.0));
        benchmark::DoNotOptimize(lower);
    }
}
BENCHMARK(BM_UpdateLin2ClampRadial);

}  // namespace
