// Polygons and clipped pieces built and read the way the polygon, clipping,
// tessellation and boolean tests need them.
#pragma once

#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "geolist.h"
#include "polygon.h"

// A polygon of exactly these vertices (closed only when the last repeats the first).
inline polygon FromPoints(const std::vector<G_POINT>& pts)
{
    std::vector<double> xy;
    for (const G_POINT& p : pts) {
        xy.push_back(p.x);
        xy.push_back(p.y);
    }
    polygon pg;
    pg.load(xy.data(), static_cast<short>(pts.size()));
    return pg;
}

// Closed, clockwise, from its lower left corner.
inline polygon Square(double x0, double y0, double side)
{
    return FromPoints({{x0, y0}, {x0, y0 + side}, {x0 + side, y0 + side}, {x0 + side, y0}, {x0, y0}});
}

// The stored points of one clipped piece: a two-point piece or a vertex run.
inline std::vector<G_POINT> PiecePoints(const geoitem& item)
{
    const G_POINT* s = item.item()->stored;
    if (item.type() == GEO_STORED_PIECE)
        return {s[0], s[1]};
    const int n = static_cast<int>(s[0].x);
    return std::vector<G_POINT>(s + 1, s + 1 + n);
}

// Total length of all pieces of a result list.
inline double PiecesLength(const geolist_ref& pieces)
{
    double sum = 0;
    for (short i = 0; i < pieces.count(); ++i) {
        const std::vector<G_POINT> p = PiecePoints(pieces[i]);
        for (size_t k = 1; k < p.size(); ++k)
            sum += std::hypot(p[k].x - p[k - 1].x, p[k].y - p[k - 1].y);
    }
    return sum;
}

// The distinct corners of an outline, rounded to whole units (start vertex
// and orientation of a result are free).
inline std::set<std::pair<long, long>> Corners(const polygon& pg)
{
    std::set<std::pair<long, long>> corners;
    for (short i = 0; i < pg.count(); ++i)
        corners.insert({std::lround(pg.get_vertex(i)->x), std::lround(pg.get_vertex(i)->y)});
    return corners;
}
