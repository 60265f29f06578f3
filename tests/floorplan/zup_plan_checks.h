// Checks of a joined plan that do not trust the model's own geometry code:
// room outlines read from the rooms' contours, areas by the shoelace rule,
// and overlaps found by sampling points well inside two rooms at once.
#pragma once

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "kor_node.h"
#include "zup_floor.h"
#include "zup_partition.h"

namespace plan_checks {

struct Pt {
    double x, y;
};
using Outline = std::vector<Pt>;

inline Outline OutlineOf(ZupPartition* room)
{
    Outline outline;
    polygon& contour = room->GetContour();
    for (short i = 0; i < contour.count(); ++i) {
        const point p = contour[i].get_point();
        if (!outline.empty() && std::hypot(p.x() - outline.back().x, p.y() - outline.back().y) < 1e-9)
            continue;
        outline.push_back({p.x(), p.y()});
    }
    if (outline.size() > 1 &&
        std::hypot(outline.front().x - outline.back().x, outline.front().y - outline.back().y) < 1e-9)
        outline.pop_back();
    return outline;
}

// The rooms of a plan, outer shell left out.
inline std::vector<ZupPartition*> Rooms(ZupFloor& plan)
{
    std::vector<ZupPartition*> rooms;
    for (int i = 0; i < plan.GetNumOfPartitions(); ++i)
        if (ZupPartition* room = plan.GetPartition(i); room && !room->IsOuterShell())
            rooms.push_back(room);
    return rooms;
}

inline double Area(const Outline& o)
{
    double twice = 0.0;
    for (std::size_t i = 0; i < o.size(); ++i) {
        const Pt& a = o[i];
        const Pt& b = o[(i + 1) % o.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return std::fabs(twice) / 2.0;
}

inline double DistanceToSide(const Pt& p, const Pt& a, const Pt& b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double l2 = dx * dx + dy * dy;
    double t = l2 > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / l2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Inside by the crossing rule, and farther than margin from every side.
inline bool DeepInside(const Pt& p, const Outline& o, double margin)
{
    bool inside = false;
    for (std::size_t i = 0, j = o.size() - 1; i < o.size(); j = i++) {
        const Pt& a = o[i];
        const Pt& b = o[j];
        if (DistanceToSide(p, a, b) < margin)
            return false;
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

inline bool Inside(const Pt& p, const Outline& o) { return DeepInside(p, o, 0.0); }

// Sample points that lie deep inside two rooms at once (0 when no two rooms
// overlap by more than margin).
inline int OverlapSamples(const std::vector<Outline>& rooms, double margin = 2.0, int steps = 160)
{
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    for (const Outline& o : rooms)
        for (const Pt& p : o) {
            minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
        }
    if (rooms.size() < 2)
        return 0;
    int overlaps = 0;
    for (int i = 0; i <= steps; ++i)
        for (int j = 0; j <= steps; ++j) {
            const Pt p{minX + (maxX - minX) * (i + 0.37) / steps, minY + (maxY - minY) * (j + 0.61) / steps};
            int covering = 0;
            for (const Outline& o : rooms)
                covering += DeepInside(p, o, margin) ? 1 : 0;
            overlaps += covering > 1 ? 1 : 0;
        }
    return overlaps;
}

inline std::vector<Outline> Outlines(ZupFloor& plan)
{
    std::vector<Outline> outlines;
    for (ZupPartition* room : Rooms(plan))
        outlines.push_back(OutlineOf(room));
    return outlines;
}

// The plan node nearest to p, its distance.
inline double NearestNode(ZupFloor& plan, const Pt& p)
{
    double best = 1e300;
    for (KorNode* node : plan.GetNodes())
        if (node->GetNumOfPrimitives() > 0)
            best = std::min(best, std::hypot(node->GetPoint().x() - p.x, node->GetPoint().y() - p.y));
    return best;
}

}  // namespace plan_checks
