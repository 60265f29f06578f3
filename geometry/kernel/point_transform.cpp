#include <cmath>

#include "point.h"
#include "settings.h"

point::TRANSFORM::TRANSFORM() : to{0.0, 0.0}, from{0.0, 0.0}, cos(1.0), sin(0.0) {}

point::TRANSFORM::TRANSFORM(const point& target, const point& source, double c, double s)
    : to(target.rec()), from(source.rec()), cos(c), sin(s)
{
}

point::TRANSFORM& point::TRANSFORM::operator=(const TRANSFORM& other) = default;

void point::TRANSFORM::Reset()
{
    to = from;
    cos = 1.0;
    sin = 0.0;
}

void point::TRANSFORM::Reverse() { sin = -sin; }

bool point::TRANSFORM::NeedAction() const
{
    return !(std::fabs(to.x - from.x) < GeoSnap() && std::fabs(to.y - from.y) < GeoSnap() &&
             std::fabs(sin) < GeoDif() && std::fabs(1.0 - cos) < GeoDif());
}

// The pair (cos, sin) is used as stored: a pair off the unit circle scales too.
void point::TRANSFORM::Transform(G_POINT* p) const
{
    if (p == nullptr)
        return;
    const double dx = p->x - from.x;
    const double dy = p->y - from.y;
    const double x = dx * cos + dy * sin;
    const double y = dy * cos - dx * sin;
    p->x = x + to.x;
    p->y = y + to.y;
}

void point::Transform(const TRANSFORM& t) { t.Transform(&rec()); }

// The exact inverse of Transform (undo the move, then turn back).
void point::ReTransform(const TRANSFORM& t)
{
    const double dx = x() - t.to.x;
    const double dy = y() - t.to.y;
    x() = dx * t.cos - dy * t.sin + t.from.x;
    y() = dx * t.sin + dy * t.cos + t.from.y;
}
