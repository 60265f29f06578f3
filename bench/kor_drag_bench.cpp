// Dragging a wall corner of a growing staircase room, re-solved at every pen
// step through the model's drag entry points. Reports the time per step
// (median, p90, max), the first solve, the worst residual of the constraints
// after the steps, how far the dragged corner stays from the pen, and the
// peak resident memory.
//
// The room of N walls (N even, k = N/2 - 1): vertex 0 at the origin, (k, 0),
// then k times up 1 and left 1, then down to the origin. Vertex 0 is fixed,
// walls 3 .. N-2 keep their built lengths, and either (a) every wall is held
// vertical or horizontal, or (b) wall 0 is horizontal and each wall is
// perpendicular to the next.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "kor_globals.h"
#include "kor_model.h"
#include "kor_node.h"
#include "settings.h"

namespace {

// The perpendicular room is built twice: lengths created in wall order (from
// the free end of the chain) and from the fixed end. The search takes the
// first unsolved dimension in creation order, so the order decides whether
// the first solve gets through before the cut-off.
enum Form { kAligned = 0, kPerpendicular = 1, kPerpendicularFromFixedEnd = 2 };

struct Room {
    KorModel model;
    std::vector<KorHandle> nodes;
    std::vector<KorHandle> walls;
    std::vector<double> lengths;  // built length of each wall, 0 when free
    bool built = false;
};

std::vector<point> StaircaseVertices(int n)
{
    const int k = n / 2 - 1;
    std::vector<point> v;
    v.emplace_back(0.0, 0.0);
    v.emplace_back(k, 0.0);
    double x = k, y = 0.0;
    for (int i = 0; i < k; ++i) {
        y += 1.0;
        v.emplace_back(x, y);
        x -= 1.0;
        v.emplace_back(x, y);
    }
    return v;  // the last vertex (0, k) closes down to the origin
}

KorNode* NodeOf(Room& room, int i)
{
    return static_cast<KorNode*>(room.model.GetNamesManager().GetObjectAddress(room.nodes[i]));
}

void BuildRoom(Room& room, int n, Form form, std::mt19937& random)
{
    const std::vector<point> v = StaircaseVertices(n);
    std::uniform_real_distribution<double> jitter(-0.02, 0.02);
    for (int i = 0; i < n; ++i) {
        const double dx = i == 0 ? 0.0 : jitter(random);
        const double dy = i == 0 ? 0.0 : jitter(random);
        room.nodes.push_back(room.model.CreateNode(v[i].x() + dx, v[i].y() + dy));
    }
    for (int i = 0; i < n; ++i)
        room.walls.push_back(room.model.CreateSegment(room.nodes[i], room.nodes[(i + 1) % n]));
    bool ok = true;
    for (int i = 0; i < n; ++i) {
        const point& a = v[i];
        const point& b = v[(i + 1) % n];
        if (form == kAligned) {
            const bool vertical = std::fabs(a.x() - b.x()) < 0.5;
            ok = ok && room.model.CreateConstraint(vertical ? KOR_VERTICAL : KOR_HORIZONTAL,
                                                   room.walls[i], 0, 0, 0) != 0;
        }
    }
    if (form != kAligned) {
        ok = ok && room.model.CreateConstraint(KOR_HORIZONTAL, room.walls[0], 0, 0, 0) != 0;
        for (int i = 0; i + 1 < n; ++i)
            ok = ok && room.model.CreateConstraint(KOR_PERPENDICULAR, room.walls[i],
                                                   room.walls[i + 1], 0, 0) != 0;
    }
    room.lengths.assign(n, 0.0);
    for (int j = 3; j <= n - 2; ++j) {
        const int i = form == kPerpendicularFromFixedEnd ? n + 1 - j : j;
        const point& a = v[i];
        const point& b = v[(i + 1) % n];
        const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
        const KorHandle d =
            room.model.CreateDistance(room.nodes[i], room.nodes[(i + 1) % n], KOR_DISTANCE, 0);
        ok = ok && d != 0 && room.model.SetDimensionValue(d, length, KORDimensionType(2));
        room.lengths[i] = length;
    }
    ok = ok && room.model.CreateConstraint(KOR_UNMOVABLE, room.nodes[0], 0, 0, 0) != 0;
    room.built = ok;
}

// Worst length residual (distances, and the offset across an aligned wall)
// and worst angle residual in degrees (perpendicular walls).
void Residuals(Room& room, Form form, double& length, double& angular)
{
    const int n = static_cast<int>(room.nodes.size());
    length = 0.0;
    angular = 0.0;
    const std::vector<point> v = StaircaseVertices(n);
    auto at = [&](int i) { return NodeOf(room, i % n)->GetPoint(); };
    for (int i = 0; i < n; ++i) {
        const point a = at(i), b = at(i + 1);
        if (room.lengths[i] > 0.0)
            length = std::max(length, std::fabs(std::hypot(b.x() - a.x(), b.y() - a.y()) -
                                                room.lengths[i]));
        if (form == kAligned) {
            const bool vertical = std::fabs(v[i].x() - v[(i + 1) % n].x()) < 0.5;
            length = std::max(length, vertical ? std::fabs(b.x() - a.x()) : std::fabs(b.y() - a.y()));
        } else if (i + 1 < n) {
            const point c = at(i + 2);
            const double ux = b.x() - a.x(), uy = b.y() - a.y();
            const double wx = c.x() - b.x(), wy = c.y() - b.y();
            const double cosine = (ux * wx + uy * wy) / (std::hypot(ux, uy) * std::hypot(wx, wy));
            angular = std::max(angular, std::fabs(90.0 - std::acos(cosine) * 180.0 / M_PI));
        }
    }
    if (form != kAligned)
        length = std::max(length, std::fabs(at(1).y() - at(0).y()));
}

double PeakResidentMegabytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0.0;
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

void BM_DragStaircase(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const Form form = static_cast<Form>(state.range(1));
    constexpr int kSteps = 200;
    using Clock = std::chrono::steady_clock;
    std::vector<double> steps;
    double firstSolve = 0.0, worstLength = 0.0, worstAngle = 0.0, worstGap = 0.0;
    int accepted = 0;
    bool firstSolved = false;
    for (auto _ : state) {
        KorResetGlobals();
        std::mt19937 random(20261210);
        Room room;
        BuildRoom(room, n, form, random);
        if (!room.built) {
            state.SkipWithError("the room could not be built");
            return;
        }
        auto t0 = Clock::now();
        firstSolved = room.model.Resolve();
        firstSolve = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();

        std::uniform_real_distribution<double> length(0.01, 0.02);
        std::uniform_real_distribution<double> turn(-M_PI / 6.0, M_PI / 6.0);
        KorNode* dragged = NodeOf(room, 2);
        double penX = dragged->GetPoint().x();
        double penY = dragged->GetPoint().y();
        steps.clear();
        accepted = 0;
        worstGap = 0.0;
        room.model.SetDrag(true);
        double stepTotal = 0.0;
        double lastX = penX, lastY = penY;
        for (int step = 0; step < kSteps; ++step) {
            const double direction = M_PI / 4.0 + turn(random);
            const double d = length(random);
            penX += d * std::cos(direction);
            penY += d * std::sin(direction);
            t0 = Clock::now();
            room.model.SetNodePosition(room.nodes[2], penX, penY);
            const bool ok = room.model.Resolve();
            const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
            steps.push_back(ms);
            stepTotal += ms;
            if (ok) {
                ++accepted;
                worstGap = std::max(worstGap, std::hypot(dragged->GetPoint().x() - penX,
                                                         dragged->GetPoint().y() - penY));
                lastX = penX;
                lastY = penY;
            } else {
                // A refused step leaves the corner at the pen, off its walls:
                // the pen goes back to the last accepted place (untimed).
                penX = lastX;
                penY = lastY;
                room.model.SetNodePosition(room.nodes[2], penX, penY);
                room.model.Resolve();
            }
        }
        room.model.SetDrag(false);
        Residuals(room, form, worstLength, worstAngle);
        state.SetIterationTime(stepTotal / 1000.0);
    }
    state.counters["first_solve_ms"] = firstSolve;
    state.counters["first_solved"] = firstSolved ? 1 : 0;
    state.counters["step_median_ms"] = Percentile(steps, 0.5);
    state.counters["step_p90_ms"] = Percentile(steps, 0.9);
    state.counters["step_max_ms"] = steps.empty() ? 0.0 : *std::max_element(steps.begin(), steps.end());
    state.counters["accepted_steps"] = accepted;
    state.counters["worst_length_residual"] = worstLength;
    state.counters["worst_angle_residual_deg"] = worstAngle;
    state.counters["worst_pen_gap"] = worstGap;
    state.counters["peak_rss_mb"] = PeakResidentMegabytes();
}

void Sizes(benchmark::internal::Benchmark* b)
{
    for (int form : {kAligned, kPerpendicular, kPerpendicularFromFixedEnd})
        for (int n : {4, 16, 64, 256})
            b->Args({n, form});
    b->ArgNames({"N", "form"});
}

BENCHMARK(BM_DragStaircase)->Apply(Sizes)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
