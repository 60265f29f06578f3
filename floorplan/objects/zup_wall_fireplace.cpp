#include "zup_wall_fireplace.h"

#include <cmath>

#include "zup_edge.h"
#include "zup_floor.h"
#include "zup_node.h"
#include "zup_object_points.h"

using zup_points::Distance;
using zup_points::NodePoint;

namespace {

// Where the line through p along (ux, uy) meets the line through a and b;
// false when they are parallel.
bool Cross(const point& p, double ux, double uy, const point& a, const point& b, point& out)
{
    const double vx = b.x() - a.x(), vy = b.y() - a.y();
    const double denominator = ux * vy - uy * vx;
    if (std::fabs(denominator) < 1e-12)
        return false;
    const double t = ((a.x() - p.x()) * vy - (a.y() - p.y()) * vx) / denominator;
    out = point(p.x() + t * ux, p.y() + t * uy);
    return std::isfinite(out.x()) && std::isfinite(out.y());
}

}  // namespace

ZupWallFireplace::ZupWallFireplace(ZupFloor* floor) : ZupWallObject(floor, nullptr, nullptr)
{
    mDepth = GetDefaultDepth();
}

int ZupWallFireplace::GetDefaultWidth() { return IsMetric() ? 140 : 60; }

int ZupWallFireplace::GetDefaultDepth() { return IsMetric() ? 50 : 30; }

ZupWallObject* ZupWallFireplace::Clone(ZupFloor* floor)
{
    auto* copy = new ZupWallFireplace(floor);
    Replicate(copy);
    return copy;
}

bool ZupWallFireplace::Create(ZupFloor* floor, point& p)
{
    if (!ZupWallObject::Create(floor, p, nullptr, true))
        return false;
    if (IsCorner()) {
        SetType(2);
        return true;
    }
    return GetType() != 2;
}

void ZupWallFireplace::ModifyExtents()
{
    ZupFloor* floor = GetFloor();
    if (!floor)
        return;
    const point centre = GetGeoCenter();
    floor->ModifyExtents(centre.x() + mDepth, centre.y() + mDepth);
    floor->ModifyExtents(centre.x() - mDepth, centre.y() - mDepth);
}

point ZupWallFireplace::GetFrontCenter(angle& facing)
{
    const bool corner = GetType() == 2 || KorSegment::GetStart() == KorSegment::GetEnd();
    if (corner) {
        ZupEdge* first = nullptr;
        ZupEdge* second = nullptr;
        GetCornerEdges(first, second);
        if (first && second) {
            // Walls that give no crossing leave the fireplace where it is.
            point front;
            return CornerFrontCenter(first, second, front, facing) ? front : GetGeoCenter();
        }
    }
    const point centre = GetGeoCenter();
    const angle in = GetInDir();
    return point(centre.x() + mDepth * std::cos(in.rad()), centre.y() + mDepth * std::sin(in.rad()));
}

// The front of a fireplace across a corner: a line square to the corner's
// bisector, one default depth in, cut by the two walls; false when the
// walls give no crossing.
bool ZupWallFireplace::CornerFrontCenter(ZupEdge* first, ZupEdge* second, point& front,
                                         angle& facing)
{
    const point node = NodePoint(KorSegment::GetStart());
    const angle in = GetInDir();
    const double ix = std::cos(in.rad()), iy = std::sin(in.rad());
    const double d = GetDefaultDepth();
    const point q(node.x() + d * ix, node.y() + d * iy);
    point a, b;
    if (!Cross(q, -iy, ix, NodePoint(first->GetStart()), NodePoint(first->GetEnd()), a) ||
        !Cross(q, -iy, ix, NodePoint(second->GetStart()), NodePoint(second->GetEnd()), b))
        return false;
    const double across = Distance(a, b);
    if (across <= 0.0)
        return false;
    const double reach = d * mDepth / across;
    front = point(node.x() + reach * ix, node.y() + reach * iy);
    facing = angle(a, b);
    return true;
}
