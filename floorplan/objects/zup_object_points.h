// Small point helpers shared by the floor plan's sources, and the factory's
// disposal of a half-made object.
#pragma once

#include <cmath>

#include "angle.h"
#include "geolist.h"
#include "kor_node.h"
#include "kor_scoped_value.h"
#include "line.h"
#include "point.h"
#include "polygon.h"
#include "settings.h"

namespace zup_points {

inline double Distance(const point& a, const point& b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

// The node's position; the origin without a node.
inline point NodePoint(KorNode* node)
{
    return node ? point(static_cast<point&>(node->GetGeometry())) : point();
}

// The point at distance d from `from` toward `to` (from itself when they meet).
inline point Toward(const point& from, const point& to, double d)
{
    const double length = Distance(from, to);
    if (length <= 0.0)
        return from;
    return point(from.x() + (to.x() - from.x()) * d / length,
                 from.y() + (to.y() - from.y()) * d / length);
}

// The crossing of two straight lines, false when they are parallel.
inline bool Crossing(const line& a, const line& b, point& out)
{
    geolist_ref result = a % b;
    if (result.count() < 1 || result.type(0) != GEO_POINT)
        return false;
    out = point(result[0]);
    return std::isfinite(out.x()) && std::isfinite(out.y());
}

// The direction into a contour at a point on it. An angle built from a list
// fails whenever an earlier call left an error behind; this one answers for
// itself and leaves the caller's error as it found it.
inline angle ContourDirection(polygon& contour, const point& p)
{
    KorScopedValue<char> error(GeoError(), 0);
    point at(p);
    return angle(contour & at);
}

// A half-made factory object goes when its placement failed.
template <class T>
T* KeepIfPlaced(T* object, bool placed)
{
    if (placed)
        return object;
    delete object;
    return nullptr;
}

}  // namespace zup_points
