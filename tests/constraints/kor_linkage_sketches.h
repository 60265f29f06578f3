// Linkages of real size: rooms whose corners are held by given wall lengths
// and parallels rather than by level and upright walls, so that the search
// solves two or three dimensions at once (a corner on two length circles, a
// level wall between two, two walls turned to one slope at a given gap).
// Built and measured as the curved sketches are.
#pragma once

#include <cmath>
#include <random>
#include <vector>

#include "kor_curved_sketches.h"

namespace kor_linkage {

using namespace kor_curved;

inline void Parallel(Sketch& s, KorHandle w1, KorHandle w2, int a, int b, int c, int d)
{
    s.Check(s.model.CreateConstraint(KOR_PARALLEL, w1, w2, 0, 0));
    s.requests.push_back({Ask::kParallel, a, b, c, d});
}

// The gap between the lines of two parallel walls a-b and c-d.
inline void Gap(Sketch& s, KorHandle w1, KorHandle w2, int a, int b, int c, int d)
{
    const double value = LineDistance(s.truth[c], s.truth[a], s.truth[b]);
    const KorHandle h = s.model.CreateDistance(w1, w2, KOR_SSDISTANCE, 0);
    s.Check(h);
    s.built = s.built && s.model.SetDimensionValue(h, value, KORDimensionType(2));
    s.requests.push_back({Ask::kWallGap, a, b, c, d, value});
}

inline void Level(Sketch& s, KorHandle wall, int a, int b, bool upright)
{
    s.Check(s.model.CreateConstraint(upright ? KOR_VERTICAL : KOR_HORIZONTAL, wall, 0, 0, 0));
    s.requests.push_back({upright ? Ask::kVertical : Ask::kHorizontal, a, b});
}

// Corners of a room of n walls, counterclockwise on an ellipse of 120 to 260
// in about a centre, every wall 50 in or longer.
inline std::vector<point> RoomCorners(int n, std::mt19937& random)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    while (true) {
        const double rx = 120.0 + 140.0 * unit(random), ry = 120.0 + 140.0 * unit(random);
        const double start = 2.0 * M_PI * unit(random);
        std::vector<point> corners;
        for (int i = 0; i < n; ++i) {
            const double a = start + 2.0 * M_PI * (i + 0.25 + 0.5 * unit(random)) / n;
            corners.emplace_back(rx * std::cos(a), ry * std::sin(a));
        }
        bool longEnough = true;
        for (int i = 0; i < n; ++i)
            longEnough = longEnough && Dist(corners[i], corners[(i + 1) % n]) >= 50.0;
        if (longEnough)
            return corners;
    }
}

// A room of four or five walls, its first wall fixed at both ends, every
// other wall's length given and no angle: the free corners swing as a
// linkage (one freedom left for four walls, two for five).
inline void LengthLinkage(Sketch& s, double jitter, std::mt19937& random)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int n = unit(random) < 0.5 ? 4 : 5;
    s.family = n == 4 ? "four-wall linkage" : "five-wall linkage";
    const std::vector<point> corners = RoomCorners(n, random);
    for (int i = 0; i < n; ++i)
        s.AddNode(corners[i], i < 2 ? 0.0 : jitter, random);
    Fix(s, 0);
    Fix(s, 1);
    for (int i = 0; i < n; ++i)
        Wall(s, i, (i + 1) % n);
    for (int i = 1; i < n; ++i)
        Length(s, i, (i + 1) % n);
    for (int i = 2; i < n; ++i)
        s.draggable.push_back(i);
}

// Four walls: the first fixed, the opposite one level (or upright) with its
// length given, the two joining them of given lengths. The room is held
// whole; the level wall keeps its slope while both side walls turn.
inline void LevelCoupler(Sketch& s, double jitter, std::mt19937& random)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const bool upright = unit(random) < 0.5;
    s.family = upright ? "upright coupler" : "level coupler";
    const double w = 150.0 + 300.0 * unit(random);
    const double h = 100.0 + 250.0 * unit(random);
    point corners[4] = {{0.0, 0.0},
                        {w, -60.0 + 120.0 * unit(random)},
                        {w - 80.0 + 160.0 * unit(random), h},
                        {-80.0 + 160.0 * unit(random), h}};
    if (upright)  // laid on its side: the coupler upright
        for (point& p : corners)
            p = point(p.y(), p.x());
    for (int i = 0; i < 4; ++i)
        s.AddNode(corners[i], i < 2 ? 0.0 : jitter, random);
    Fix(s, 0);
    Fix(s, 1);
    KorHandle walls[4];
    for (int i = 0; i < 4; ++i)
        walls[i] = Wall(s, i, (i + 1) % 4);
    Level(s, walls[2], 2, 3, upright);
    for (int i = 1; i < 4; ++i)
        Length(s, i, (i + 1) % 4);
    s.draggable = {2, 3};
}

// Four walls at any slope: one corner of the bottom wall and the opposite
// corner of the top wall fixed, the two walls parallel at a given gap, the
// bottom's length given at random. The two walls turn together about their
// fixed corners.
inline void ParallelPair(Sketch& s, double jitter, std::mt19937& random)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    s.family = "parallel pair";
    const double slope = M_PI * unit(random);
    const point along(std::cos(slope), std::sin(slope));
    const point across(-along.y(), along.x());
    const double gap = 60.0 + 300.0 * unit(random);
    const double bottom = 80.0 + 400.0 * unit(random);
    const double top = 80.0 + 400.0 * unit(random);
    const double offset = -100.0 + 200.0 * unit(random);
    auto at = [&](double u, double v) {
        return point(u * along.x() + v * across.x(), u * along.y() + v * across.y());
    };
    const point corners[4] = {at(0.0, 0.0), at(bottom, 0.0), at(offset + top, gap),
                              at(offset, gap)};
    for (int i = 0; i < 4; ++i)
        s.AddNode(corners[i], (i == 0 || i == 2) ? 0.0 : jitter, random);
    Fix(s, 0);
    Fix(s, 2);
    KorHandle walls[4];
    for (int i = 0; i < 4; ++i)
        walls[i] = Wall(s, i, (i + 1) % 4);
    Parallel(s, walls[0], walls[2], 0, 1, 2, 3);
    Gap(s, walls[0], walls[2], 0, 1, 2, 3);
    if (unit(random) < 0.5)
        Length(s, 0, 1);
    s.draggable = {1, 3};
}

}  // namespace kor_linkage
