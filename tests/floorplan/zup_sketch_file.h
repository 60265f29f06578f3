// Sketches kept as text, one pen stroke a line ("x1 y1 x2 y2", integers or
// n/d fractions, '#' starts a comment), and drawing them into a floor the
// way pen-ups do: each stroke is added, then the rooms are searched.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "polygon.h"
#include "zup_arrangement.h"
#include "zup_floor.h"
#include "zup_partition.h"

namespace zup_test {

using Sketch = std::vector<Wall2>;

inline double ParseNumber(const std::string& text)
{
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos)
        return std::strtod(text.c_str(), nullptr);
    return std::strtod(text.substr(0, slash).c_str(), nullptr) /
           std::strtod(text.substr(slash + 1).c_str(), nullptr);
}

inline Sketch ReadSketch(const std::string& name)
{
    Sketch sketch;
    std::ifstream in(std::string(ZUP_SKETCH_DIR) + "/" + name);
    std::string row;
    while (std::getline(in, row)) {
        if (row.empty() || row[0] == '#')
            continue;
        std::istringstream fields(row);
        std::string x1, y1, x2, y2;
        if (fields >> x1 >> y1 >> x2 >> y2)
            sketch.push_back({ParseNumber(x1), ParseNumber(y1), ParseNumber(x2), ParseNumber(y2)});
    }
    return sketch;
}

// Each stroke as a pen-up adds it; the result of the last room search.
inline bool DrawSketch(ZupFloor& floor, const Sketch& sketch)
{
    bool found = false;
    for (const Wall2& w : sketch) {
        floor.AddLine(w.ax, w.ay, w.bx, w.by);
        found = floor.MakePartitions(false);
    }
    return found;
}

inline std::vector<double> RoomAreas(ZupFloor& floor)
{
    std::vector<double> areas;
    for (int i = 0; i < floor.GetNumOfPartitions(); ++i)
        areas.push_back(floor.GetPartition(i)->GetContour().area());
    std::sort(areas.begin(), areas.end());
    return areas;
}

// The floor's walls as they stand (straight walls only).
inline std::vector<Wall2> FloorWalls(ZupFloor& floor)
{
    std::vector<Wall2> walls;
    for (KorPrimitive* primitive : floor.GetPrimitives()) {
        if (primitive->GetType() != KOR_SEGMENT || !ZupFloor::CastToEdge(primitive))
            continue;
        const point& a = primitive->GetStart()->GetPoint();
        const point& b = primitive->GetEnd()->GetPoint();
        walls.push_back({a.x(), a.y(), b.x(), b.y()});
    }
    return walls;
}

inline bool SameAreas(const std::vector<double>& found, const std::vector<double>& expected,
                      double relative = 1e-6)
{
    if (found.size() != expected.size())
        return false;
    for (std::size_t i = 0; i < found.size(); ++i)
        if (std::fabs(found[i] - expected[i]) > relative * std::max(1.0, std::fabs(expected[i])))
            return false;
    return true;
}

}  // namespace zup_test
