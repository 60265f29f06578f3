// The window and wall-fireplace symbols.
#include "window_symbols.h"

#include <cmath>
#include <cstdlib>

#include "gdi_selection.h"
#include "kor_node.h"
#include "kor_tracker.h"
#include "line.h"
#include "plan_wall_objects.h"
#include "polygon.h"
#include "symbol_helpers.h"
#include "zup_edge.h"
#include "zup_node.h"
#include "zup_wall_surface.h"

// ---- Windows ----

StraightWindowFigure ComputeStraightWindow(const angle& a, const point& p, const point& q, int panes,
                                           int halfThickness)
{
    StraightWindowFigure figure;
    const point first = StepAlong(p, halfThickness, a);
    figure.frame = {WholePoint(first), WholePoint(StepAlong(p, -halfThickness, a)),
                    WholePoint(StepAlong(q, -halfThickness, a)), WholePoint(StepAlong(q, halfThickness, a)),
                    WholePoint(first)};
    if (panes < 2)
        return figure;
    const int step = static_cast<int>(DistanceOf(p, q) / panes);
    const angle run = DirectionOf(p, q);
    const angle across = a + 180.0;
    point at = first;
    for (int i = 1; i < panes; ++i) {
        at = StepAlong(at, step, run);
        figure.dividers.emplace_back(WholePoint(at), WholePoint(StepAlong(at, 2 * halfThickness, across)));
    }
    return figure;
}

void DrawStraightWindow(CScaledDC& dc, const angle& a, const point& p, const point& q, int panes,
                        int halfThickness)
{
    const StraightWindowFigure figure = ComputeStraightWindow(a, p, q, panes, halfThickness);
    DrawModelPolyline(dc, figure.frame);
    if (figure.dividers.empty())
        return;
    ScopedPen pen(dc, PS_SOLID, 0, kPaneDividerColour);
    if (!pen.Made())
        return;
    for (const auto& [from, to] : figure.dividers) {
        dc.MoveTo(from);
        dc.LineTo(to);
    }
}

int CollectBayPoints(std::vector<POINT>& list, point p, point q, point m, angle in, int panes)
{
    polygon bay;
    const int count = ZupWindow::CalculateBay(bay, p, q, m, in, panes);
    for (short i = 0; i < count && i < bay.count(); ++i)
        list.push_back(WholePoint(point(bay[i])));
    return count;
}

void DrawBayWindow(CScaledDC& dc, const point& p, const point& q, const point& m, const angle& in,
                   int panes)
{
    std::vector<POINT> points;
    if (CollectBayPoints(points, p, q, m, in, panes) > 0)
        DrawModelPolyline(dc, points);
}

void CPlanWindow::Draw(void* context)
{
    if (!context)
        return;
    CScaledDC& dc = *static_cast<CScaledDC*>(context);
    const point start = NodePointOf(GetStart());
    const point end = NodePointOf(GetEnd());
    const angle in = GetInDir();
    if (GetType() == 1 && GetPanes() >= 2)
        DrawBayWindow(dc, start, end, GetGeoCenter(), in, GetPanes());
    else
        DrawStraightWindow(dc, in, start, end, GetPanes(), static_cast<int>(GetHalfWindowThickness()));
}

// ---- Wall fireplaces ----

std::vector<POINT> HearthCorners(const point& p0, double width, double fireboxDepth, const angle& in,
                                 const angle& wallDir)
{
    const point r1 = StepAlong(p0, fireboxDepth, in);
    const point r2 = StepAlong(r1, width, wallDir + 180.0);
    const point r3 = StepAlong(r2, fireboxDepth, in + 180.0);
    return {WholePoint(p0), WholePoint(r1), WholePoint(r2), WholePoint(r3)};
}

namespace {

const line* TrackerLine(KorTracker* tracker)
{
    return tracker ? dynamic_cast<const line*>(&tracker->GetGeometry()) : nullptr;
}

}  // namespace

void CPlanWallFireplace::Draw(void* context)
{
    if (!context)
        return;
    CScaledDC& dc = *static_cast<CScaledDC*>(context);
    ClearSharedOutline();
    mInDir = GetInDir();
    mOutDir = mInDir + 180.0;
    if (KorSegment::GetStart() == KorSegment::GetEnd()) {
        DrawNodeFireplace(dc);
        return;
    }
    mAnchor = GetGeoCenter();
    mWallDir = DirectionOf(NodePointOf(GetEnd()), NodePointOf(GetStart()));
    switch (GetType()) {
    case 0:
        DrawHearth(dc);
        break;
    case 1:
        mAnchor = StepAlong(GetCenterPoint(), GetDepth() / 2, mInDir);
        DrawHearth(dc);
        break;
    case 3:
        mAnchor = StepAlong(GetCenterPoint(), GetDepth(), mInDir);
        DrawHearth(dc);
        break;
    case 2:
        DrawCornerFireplace(dc);
        break;
    case 4:
        DrawDoubleFaceFireplace(dc);
        break;
    default:
        break;
    }
}

void CPlanWallFireplace::DrawHearth(CScaledDC& dc)
{
    const double w = GetWidth();
    const int depth = GetDepth();
    const point p0 = StepAlong(mAnchor, w / 2, mWallDir);
    StartDrawExtents(p0);
    const point p1 = StepAlong(p0, depth, mOutDir);
    const point p2 = StepAlong(p1, w, mWallDir + 180.0);
    const point p3 = StepAlong(p2, depth, mInDir);
    for (const point& p : {p1, p2, p3})
        ExtendDrawExtents(p);
    DrawFirebox(dc, p0, w, 0.66 * depth);
    for (const point& p : {p1, p2, p3})
        AppendToOutline(p);
    DrawHatchedOutline(dc);
}

void CPlanWallFireplace::DrawFirebox(CScaledDC& dc, const point& p0, double width, double fireboxDepth)
{
    DrawModelPolygon(dc, HearthCorners(p0, width, fireboxDepth, mInDir, mWallDir));
    // The chamber: returns of 0.2 w at both sides of the opening, the back
    // 0.4 w wide on the line fd behind the wall.
    const point r3 = StepAlong(p0, width, mWallDir + 180.0);
    const point returnStart = StepAlong(r3, 0.2 * width, mWallDir);
    const point backStart = StepAlong(StepAlong(r3, 0.3 * width, mWallDir), fireboxDepth, mOutDir);
    const point backEnd = StepAlong(backStart, 0.4 * width, mWallDir);
    const point returnEnd = StepAlong(r3, 0.8 * width, mWallDir);
    for (const point& p : {r3, returnStart, backStart, backEnd, returnEnd, p0})
        AppendToOutline(p);
}

void CPlanWallFireplace::DrawCornerFireplace(CScaledDC& dc)
{
    KorTracker* own = GetEdge() ? GetEdge()->GetTracker() : nullptr;
    KorNode* wallStart = GetWallStart();
    KorNode* wallEnd = GetWallEnd();
    KorTracker* t1 = wallStart ? wallStart->GetOtherTracker(own) : nullptr;
    KorTracker* t2 = wallEnd ? wallEnd->GetOtherTracker(own) : nullptr;
    if (!t1 || !t2 || t1 == t2) {
        DrawHearth(dc);
        return;
    }
    if (t1->IsGeoParallel(t2)) {
        // A wall that runs on past the corner: take the node's next wall.
        const auto otherAt = [own](KorNode* node, KorTracker* skip) -> KorTracker* {
            if (node->GetNumOfTrackers() <= 2)
                return nullptr;
            for (short i = 0; i < static_cast<short>(node->GetNumOfTrackers()); ++i) {
                KorTracker* t = node->GetTracker(i);
                if (t && t != skip && t != own)
                    return t;
            }
            return nullptr;
        };
        if (KorTracker* t = otherAt(wallStart, t1))
            t1 = t;
        else if (KorTracker* t = otherAt(wallEnd, t2))
            t2 = t;
    }
    if (!t1->IsGeoParallel(t2))
        DrawCornerHearth(dc, t1, t2, GetWidth());
    else
        DrawHearth(dc);
}

void CPlanWallFireplace::DrawCornerHearth(CScaledDC& dc, KorTracker* tracker1, KorTracker* tracker2,
                                          double width)
{
    const line* l1 = TrackerLine(tracker1);
    const line* l2 = TrackerLine(tracker2);
    point corner;
    if (!l1 || !l2 || !CrossLines(*l1, *l2, corner))
        return;
    const double half = DistanceOf(corner, mAnchor) / 2;
    const double standard = 0.66 * GetDefaultDepth();
    const double fireboxDepth = standard < half ? standard : half;
    const point p0 = StepAlong(mAnchor, width / 2, mWallDir);
    StartDrawExtents(p0);
    const point p1 = StepAlong(p0, width, mWallDir + 180.0);
    DrawFirebox(dc, p0, width, fireboxDepth);
    AppendToOutline(corner);
    AppendToOutline(p1);
    DrawHatchedOutline(dc);
}

void CPlanWallFireplace::DrawNodeFireplace(CScaledDC& dc)
{
    auto* node = dynamic_cast<ZupNode*>(KorSegment::GetStart());
    ZupEdge *first, *second;
    if (!CornerWalls(node, ZupObject::GetPartition(), first, second))
        return;
    mAnchor = GetFrontCenter(mWallDir);
    DrawCornerHearth(dc, first->GetTracker(), second->GetTracker(), GetDepth());
}

void CPlanWallFireplace::DrawDoubleFaceFireplace(CScaledDC& dc)
{
    const double w = GetWidth();
    const int dd = std::abs(GetDepth());
    const double faceDepth = 0.4 * GetDefaultDepth();
    ZupEdge* wall = GetEdge();
    ZupWallSurface* white = wall ? wall->GetWhiteSurface() : nullptr;
    ZupWallSurface* red = wall ? wall->GetRedSurface() : nullptr;
    // Between two rooms the fireplace stands in the middle of the wall.
    if (white && red && !white->IsExternal() && !red->IsExternal())
        mAnchor = StepAlong(mAnchor, dd / 2, mInDir);

    const point p0 = StepAlong(mAnchor, w / 2, mWallDir);
    StartDrawExtents(p0);
    const std::vector<POINT> front = HearthCorners(p0, w, faceDepth, mInDir, mWallDir);
    DrawModelPolygon(dc, front);
    const point p3 = StepAlong(p0, w, mWallDir + 180.0);
    const point back0 = StepAlong(p0, dd, mOutDir);
    const point back3 = StepAlong(back0, w, mWallDir + 180.0);
    for (const point& p : {p3, p0, back0, back3})
        AppendToOutline(p);
    DrawHatchedOutline(dc);
    ClearSharedOutline();

    // The back face: a firebox on the chimney's back line, facing out, with
    // its chamber 0.2 w in from each side and half the chimney deep.
    DrawModelPolygon(dc, HearthCorners(back0, w, faceDepth, mOutDir, mWallDir));
    StartDrawExtents(back3);
    const point returnStart = StepAlong(back3, 0.2 * w, mWallDir);
    const point chamberStart = StepAlong(StepAlong(back3, 0.3 * w, mWallDir), 0.5 * dd, mInDir);
    const point chamberEnd = StepAlong(chamberStart, 0.4 * w, mWallDir);
    const point returnEnd = StepAlong(back3, 0.8 * w, mWallDir);
    for (const point& p : {back3, returnStart, chamberStart, chamberEnd, returnEnd, back0})
        AppendToOutline(p);
    DrawHatchedOutline(dc);
}
