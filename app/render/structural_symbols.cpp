// The corner (node) object and structural symbols.
#include "structural_symbols.h"

#include <algorithm>
#include <cmath>

#include "gdi_selection.h"
#include "kor_node.h"
#include "plan_wall_objects.h"
#include "symbol_helpers.h"
#include "window_symbols.h"
#include "zup_edge.h"
#include "zup_floor.h"
#include "zup_node.h"

std::pair<point, point> ChamferPaneLine(const point& p1, const point& p2, int windowDepth)
{
    const angle cut = DirectionOf(p1, p2);
    const point from = StepAlong(p1, windowDepth, cut);
    return {from, StepAlong(from, DistanceOf(p1, p2) - 2.0 * windowDepth, cut)};
}

bool FilletCircle(const point& p1, const angle& wall1, const point& p2, const angle& wall2,
                  point& centre, double& radius)
{
    if (!CrossLines(p1, wall1 + 90.0, p2, wall2 + 90.0, centre))
        return false;
    radius = DistanceOf(centre, p1);
    return true;
}

void DrawCornerArc(CScaledDC& dc, const point& p1, const point& p2, const point& centre, double radius)
{
    POINT a = WholePoint(p1), b = WholePoint(p2);
    if (!dc.ToScreen(a) || !dc.ToScreen(b))
        return;
    CRgn box;
    if (!box.CreateRectRgn(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x),
                           std::max(a.y, b.y)))
        return;
    dc.SelectClipRgn(&box);
    {
        ScopedBrush hollow(dc, NULL_BRUSH);
        DrawModelCircle(dc, centre, static_cast<int>(std::floor(radius)));
    }
    dc.SelectClipRgn(nullptr);
}

namespace {

angle WallDirection(ZupEdge* wall)
{
    return DirectionOf(NodePointOf(wall->GetStart()), NodePointOf(wall->GetEnd()));
}

int WindowDepthOf(ZupEdge* wall)
{
    ZupFloor* floor = wall->GetFloor();
    return floor ? floor->GetWindowDepth() : ZupWindow::GetDefaultDepth();
}

}  // namespace

void CPlanNodeObject::Draw(void* context)
{
    if (!context)
        return;
    CScaledDC& dc = *static_cast<CScaledDC*>(context);
    ZupEdge* first = nullptr;
    ZupEdge* second = nullptr;
    point p1, p2;
    if (!GetHoleEnds(first, second, p1, p2, 0) || !first || !second)
        return;
    const bool windowInCut = GetAttachedWindowPanes() % 2 != 0;
    if (GetType() != 1 && !windowInCut) {
        point centre;
        double radius = 0.0;
        if (FilletCircle(p1, WallDirection(first), p2, WallDirection(second), centre, radius))
            DrawCornerArc(dc, p1, p2, centre, radius);
    } else if (GetType() == 1 && windowInCut) {
        const auto [from, to] = ChamferPaneLine(p1, p2, WindowDepthOf(first));
        DrawModelLine(dc, from, to);
    }
}

void CPlanNodeObject::DrawCornerWindow(void* context)
{
    const int panes = GetAttachedWindowPanes();
    if (!context || panes % 2 == 0)
        return;
    CScaledDC& dc = *static_cast<CScaledDC*>(context);
    ZupEdge* first = nullptr;
    ZupEdge* second = nullptr;
    point p1, p2;
    if (!GetHoleEnds(first, second, p1, p2, 0) || !first || !second)
        return;
    const int half = WindowDepthOf(first) / 2;
    if (GetType() == 1) {
        // The frame faces away from the corner.
        const point corner = NodePointOf(GetNode());
        const point middle(p1, p2);
        angle away = DirectionOf(p1, p2) + 90.0;
        const point probe = StepAlong(middle, 1.0, away);
        if (DistanceOf(probe, corner) < DistanceOf(middle, corner))
            away = away + 180.0;
        DrawStraightWindow(dc, away, p1, p2, panes, half);
        return;
    }
    point centre;
    double radius = 0.0;
    if (!FilletCircle(p1, WallDirection(first), p2, WallDirection(second), centre, radius))
        return;
    const angle to1 = DirectionOf(centre, p1), to2 = DirectionOf(centre, p2);
    const point outer1 = StepAlong(centre, radius + half, to1), outer2 = StepAlong(centre, radius + half, to2);
    const point inner1 = StepAlong(centre, radius - half, to1), inner2 = StepAlong(centre, radius - half, to2);
    DrawCornerArc(dc, outer1, outer2, centre, radius + half);
    DrawCornerArc(dc, inner1, inner2, centre, radius - half);
    DrawModelLine(dc, outer1, inner1);
    DrawModelLine(dc, outer2, inner2);
}

void CPlanStructural::Draw(void* context)
{
    if (!context)
        return;
    CScaledDC& dc = *static_cast<CScaledDC*>(context);
    const int depth = GetDepth();
    const angle in = GetInDir();
    const point middle = StepAlong(GetGeoCenter(), depth / 2, in);
    CBrush black;
    black.CreateStockObject(BLACK_BRUSH);
    DrawRotatedShape(dc, middle, in, depth / 2, static_cast<int>(GetWidth() * 0.5), true, false, &black);
}
