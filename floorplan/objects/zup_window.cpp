#include "zup_window.h"

#include <algorithm>
#include <cmath>

#include "polygon.h"
#include "zup_floor.h"
#include "zup_object_points.h"

using zup_points::Distance;
using zup_points::NodePoint;

namespace {

// The radius of the bay's construction circles for 2 to 5 panes, as a part
// of the window's length.
double BayRadius(int panes, double length)
{
    switch (panes) {
    case 2: return 0.5747126 * length;
    case 3: return 0.3968254 * length;
    case 4: return 0.3067485 * length;
    default: return 0.2347418 * length;
    }
}

// Where the ray from `from` along the unit vector (ux, uy) leaves the circle
// of radius r about `centre`; `from` lies inside the circle.
point RayExit(const point& from, double ux, double uy, const point& centre, double r)
{
    const double fx = from.x() - centre.x(), fy = from.y() - centre.y();
    const double b = fx * ux + fy * uy;
    const double c = fx * fx + fy * fy - r * r;
    const double t = -b + std::sqrt(std::max(0.0, b * b - c));
    return point(from.x() + t * ux, from.y() + t * uy);
}

// The mirror image of p on the line through `centre` along (ux, uy).
point MirrorOn(const point& p, const point& centre, double ux, double uy)
{
    const double px = p.x() - centre.x(), py = p.y() - centre.y();
    const double along = px * ux + py * uy;
    return point(centre.x() + 2.0 * along * ux - px, centre.y() + 2.0 * along * uy - py);
}

}  // namespace

ZupWindow::ZupWindow(ZupFloor* floor) : ZupWallObject(floor, nullptr, nullptr)
{
    mDepth = GetDefaultDepth();
    mPanes = GetDefaultPanes(0);
}

int ZupWindow::GetDefaultDepth() { return IsMetric() ? 14 : 6; }

int ZupWindow::GetStraightPaneWidth(bool large)
{
    if (large)
        return IsMetric() ? 87 : 35;
    return IsMetric() ? 50 : 20;
}

int ZupWindow::GetBayPaneWidth(bool large)
{
    if (large)
        return IsMetric() ? 150 : 70;
    return IsMetric() ? 80 : 30;
}

int ZupWindow::GetDefaultWidth(int bay, bool large)
{
    return bay != 0 ? GetBayPaneWidth(large) : GetStraightPaneWidth(large);
}

int ZupWindow::GetDefaultPanes(int bay) { return bay != 0 ? 3 : 1; }

void ZupWindow::SetUODDepth(unsigned& word)
{
    word += ClampField(mPanes, 8) << 12;
}

ZupWallObject* ZupWindow::Clone(ZupFloor* floor)
{
    auto* copy = new ZupWindow(floor);
    copy->SetPanes(mPanes);
    Replicate(copy);
    return copy;
}

int ZupWindow::CalculateBay(polygon& out)
{
    point start = NodePoint(GetStart());
    point end = NodePoint(GetEnd());
    point centre = GetGeoCenter();
    angle inDir = GetInDir();
    return CalculateBay(out, start, end, centre, inDir, mPanes);
}

int ZupWindow::CalculateBay(polygon& out, point& start, point& end, point& centre, angle& inDir,
                            int panes)
{
    out.clear();
    const double length = static_cast<float>(Distance(start, end));
    out + start;
    const double outward = inDir.rad() + M_PI;
    const double ux = std::cos(outward), uy = std::sin(outward);
    if (length <= 0.0)
        return 0;
    const double dx = (end.x() - start.x()) / length, dy = (end.y() - start.y()) / length;

    const int m = std::min(panes, 5);
    if (m < 2)
        return 0;
    const double c = BayRadius(m, length);
    point h = m == 2 ? centre : point(start.x() + 0.76 * c * dx, start.y() + 0.76 * c * dy);
    const point first = RayExit(h, ux, uy, start, c);
    out + first;
    point second;
    if (m > 3) {
        h = point(first.x() + 0.87 * c * dx, first.y() + 0.87 * c * dy);
        second = RayExit(h, ux, uy, first, c);
        out + second;
    }
    if (m > 2) {
        // Four panes meet on the mirror line: only the first vertex has an image.
        if (m == 5)
            out + MirrorOn(second, centre, ux, uy);
        out + MirrorOn(first, centre, ux, uy);
    }
    out + end;
    return out.count();
}

void ZupWindow::ModifyExtents()
{
    if (GetType() != 1)
        return;
    polygon bay;
    if (CalculateBay(bay) == 0)
        return;
    // Past five panes the outline keeps five: index the middle of those.
    const point middle(bay[static_cast<short>(std::min(mPanes, 5) / 2)]);
    if (ZupFloor* floor = GetFloor())
        floor->ModifyExtents(middle.x(), middle.y());
}
