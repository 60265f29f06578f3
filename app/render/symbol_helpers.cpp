#include "symbol_helpers.h"

#include "zup_node.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "gdi_selection.h"
#include "geolist.h"
#include "geoitem.h"
#include "kor_node.h"
#include "segment.h"
#include "settings.h"
#include "zup_countertop.h"

// ---- Points in model units ----

point StepAlong(const point& p, double d, const angle& a)
{
    return point(p.x() + d * std::cos(a.rad()), p.y() + d * std::sin(a.rad()));
}

angle DirectionOf(const point& from, const point& to)
{
    const double dx = to.x() - from.x(), dy = to.y() - from.y();
    if (dx == 0.0 && dy == 0.0)
        return angle();
    return angle(std::atan2(dy, dx), 'r');
}

double DistanceOf(const point& a, const point& b)
{
    return std::hypot(b.x() - a.x(), b.y() - a.y());
}

POINT WholePoint(const point& p)
{
    return POINT{p.ix(), p.iy()};
}

point NodePointOf(KorNode* node)
{
    return node ? point(node->GetPoint()) : point();
}

bool CrossLines(const point& p1, const angle& a1, const point& p2, const angle& a2, point& out)
{
    const double ux = std::cos(a1.rad()), uy = std::sin(a1.rad());
    const double vx = std::cos(a2.rad()), vy = std::sin(a2.rad());
    const double det = ux * vy - uy * vx;
    if (std::fabs(det) < 1e-9)
        return false;
    const double t = ((p2.x() - p1.x()) * vy - (p2.y() - p1.y()) * vx) / det;
    out = point(p1.x() + t * ux, p1.y() + t * uy);
    return true;
}

bool CrossLines(const line& a, const line& b, point& out)
{
    if (a.IsParallel(b))
        return false;
    const geolist_ref crossings = a % b;
    if (crossings.count() < 1)
        return false;
    out = point(crossings[0]);
    return true;
}

// ---- Drawing in model units ----

void DrawModelLine(CScaledDC& dc, const point& from, const point& to)
{
    dc.MoveTo(WholePoint(from));
    dc.LineTo(WholePoint(to));
}

int DrawModelPolyline(CScaledDC& dc, std::vector<POINT> points)
{
    return dc.ToScreenAll(points) ? dc.Polyline(points) : 0;
}

int DrawModelPolygon(CScaledDC& dc, std::vector<POINT> points)
{
    return dc.ToScreenAll(points) ? dc.Polygon(points) : 0;
}

void DrawModelCircle(CScaledDC& dc, const point& c, int r)
{
    const POINT centre = WholePoint(c);
    dc.Ellipse(centre.x - r, centre.y - r, centre.x + r, centre.y + r);
}

void AppendSnapped(std::vector<POINT>& list, POINT p)
{
    if (!list.empty()) {
        const POINT& q = list.back();
        if (std::labs(q.x - p.x) < 2)
            p.x = q.x;
        else if (std::labs(q.y - p.y) < 2)
            p.y = q.y;
    }
    list.push_back(p);
}

void AppendSnapped(std::vector<POINT>& list, const point& p)
{
    AppendSnapped(list, WholePoint(p));
}

// ---- The turned rectangle ----

std::vector<POINT> RotatedShapeCorners(const point& c, const angle& dir, int hd, int hw)
{
    // The rectangle is laid out with its depth along y and turned by
    // dir - 90, so that the depth ends up along dir.
    const double turn = dir.rad() - M_PI / 2.0;
    const double cs = std::cos(turn), sn = std::sin(turn);
    const double x0 = hw, y0 = hd;
    const double corners[4][2] = {{-x0, -y0}, {x0, -y0}, {x0, y0}, {-x0, y0}};
    std::vector<POINT> list;
    for (const auto& corner : corners) {
        const double x = corner[0] * cs - corner[1] * sn;
        const double y = corner[0] * sn + corner[1] * cs;
        AppendSnapped(list, point(c.x() + x, c.y() + y));
    }
    list.push_back(list.front());
    return list;
}

void DrawRotatedShape(CScaledDC& dc, const point& c, const angle& dir, int hd, int hw, bool outline,
                      bool cross, CBrush* brush)
{
    const std::vector<POINT> corners = RotatedShapeCorners(c, dir, hd, hw);
    if (!outline) {
        dc.Ellipse(corners[0].x, corners[0].y, corners[2].x, corners[2].y);
        return;
    }
    if (brush) {
        ScopedBrush fill(dc, brush);
        if (fill.Selected()) {
            DrawModelPolygon(dc, corners);
            return;
        }
    }
    DrawModelPolyline(dc, corners);
    if (cross) {
        dc.MoveTo(corners[0]);
        dc.LineTo(corners[2]);
        dc.MoveTo(corners[1]);
        dc.LineTo(corners[3]);
    }
}

// ---- The shared fixture outline ----

namespace {

FixtureOutline& OutlineState()
{
    static FixtureOutline outline;
    return outline;
}

bool& DragHeld()
{
    static bool held = false;
    return held;
}

// Past this many lines a hatching is cut short: a fireplace of any real
// size needs a few hundred.
constexpr int kMaxHatchLines = 20000;

}  // namespace

FixtureOutline& SharedOutline()
{
    return OutlineState();
}

void ClearSharedOutline()
{
    OutlineState().shape.clear();
    OutlineState().points.clear();
}

void StartDrawExtents(const point& p)
{
    DrawExtents& e = OutlineState().extents;
    e.maxX = e.minX = static_cast<float>(p.x());
    e.maxY = e.minY = static_cast<float>(p.y());
}

void ExtendDrawExtents(const point& p)
{
    DrawExtents& e = OutlineState().extents;
    const float x = static_cast<float>(p.x()), y = static_cast<float>(p.y());
    if (x < e.minX)
        e.minX = x;
    else if (x > e.maxX)
        e.maxX = x;
    if (y < e.minY)
        e.minY = y;
    else if (y > e.maxY)
        e.maxY = y;
}

void AppendToOutline(const point& p)
{
    FixtureOutline& outline = OutlineState();
    outline.shape + p;
    AppendSnapped(outline.points, p);
    ExtendDrawExtents(p);
}

void ResetSymbolGlobals()
{
    ClearSharedOutline();
    OutlineState().extents = DrawExtents{};
    DragHeld() = false;
}

line HatchFirstLine(const DrawExtents& extents)
{
    return line(-1.0, static_cast<double>(extents.minY) + extents.minX);
}

line HatchLastLine(const DrawExtents& extents)
{
    return line(-1.0, static_cast<double>(extents.maxY) + extents.maxX);
}

void DrawHatchedOutline(CScaledDC& dc)
{
    FixtureOutline& outline = OutlineState();
    DrawModelPolyline(dc, outline.points);
    if (outline.shape.count() < 3)
        return;
    if (!outline.shape.closed())
        outline.shape.close();
    DrawHatchLines(dc, 5.0, HatchFirstLine(outline.extents), HatchLastLine(outline.extents),
                   outline.shape);
}

void DrawHatchLines(CScaledDC& dc, double spacing, line first, const line& last, polygon& shape)
{
    if (!(spacing > 0.0))
        return;
    const double savedSnap = GeoSnap();
    GeoInsertMode() = 1;
    GeoSnap() = GeoDif();
    for (int n = 0; first.laxe() < last.laxe() && n < kMaxHatchLines; ++n) {
        first.laxe() += spacing;
        const geolist_ref pieces = first << shape;
        for (short i = 0; i < pieces.count(); ++i) {
            const segment piece(pieces[i]);
            DrawModelLine(dc, piece.start(), piece.end());
        }
    }
    GeoSnap() = savedSnap;
    GeoInsertMode() = 0;
}

bool SymbolFlagOff()
{
    return false;
}

void SetSymbolDragHeld(bool held)
{
    DragHeld() = held;
}

bool IsSymbolDragHeld()
{
    return DragHeld();
}

// ---- Kitchen symbols ----

void DrawBurner(CScaledDC& dc, const point& c)
{
    DrawModelCircle(dc, c, static_cast<int>(ZupCountertop::GetStoveBurnerRadius()));
}

int SinkBowlHalfSize(bool round, int size)
{
    const int half = size / 2;
    const int sink = round ? ZupCountertop::GetSinkRoundSize() : ZupCountertop::GetSinkRectSize();
    const int roomy = half - ZupCountertop::GetStoveSpace();
    return sink < roomy ? sink : roomy;
}

void DrawSinkBowl(CScaledDC& dc, const point& c, const angle& dir, bool round, int size)
{
    const int s = SinkBowlHalfSize(round, size);
    if (s <= 0)
        return;
    if (round)
        DrawModelCircle(dc, c, s);
    else
        DrawRotatedShape(dc, c, dir, s, s, true, false, nullptr);
}

DoubleSinkLayout ComputeDoubleSink(bool single, int width, int depth)
{
    const int space = ZupCountertop::GetStoveSpace();
    const int across = std::min(width, depth);
    const int length = std::max(width, depth);
    DoubleSinkLayout layout;
    layout.halfAcross = std::min(ZupCountertop::GetSinkRectSize(), across / 2 - space);
    layout.halfAlong = std::min(length / 4 - 2 * space, layout.halfAcross);
    layout.offset = single ? (space + layout.halfAlong) / 2 : layout.halfAlong;
    return layout;
}

void DrawDoubleSink(CScaledDC& dc, bool single, const point& c, const angle& a1, const angle& a2,
                    int width, int depth)
{
    const DoubleSinkLayout layout = ComputeDoubleSink(single, width, depth);
    if (layout.halfAcross <= 0 || layout.halfAlong <= 0)
        return;
    for (int side : {1, -1})
        DrawRotatedShape(dc, StepAlong(c, side * layout.offset, a2), a1, layout.halfAcross,
                         layout.halfAlong, true, false, nullptr);
}

std::vector<point> StoveBurnerCentres(int depth, int width, bool inRun, const point& ref,
                                      const angle& a1, const angle& a2)
{
    const double r = ZupCountertop::GetStoveBurnerRadius();
    const int space = ZupCountertop::GetStoveSpace();
    double rowMiddle = depth / 2.0;
    double rowHalf = r + space;
    double columnHalf = width / 4.0;
    if (width >= depth) {
        // A wide stove: two rows across its depth, the columns spread over
        // at most a stove's width.
        if (!inRun)
            columnHalf = std::min(width, ZupCountertop::GetStoveWidth()) / 4.0;
        else
            rowMiddle = space + depth / 2.0;
        rowHalf = depth / 4.0;
    }
    std::vector<point> centres;
    for (double row : {rowMiddle - rowHalf, rowMiddle + rowHalf})
        for (double column : {-columnHalf, columnHalf})
            centres.push_back(StepAlong(StepAlong(ref, row, a1), column, a2));
    return centres;
}

void DrawStove(CScaledDC& dc, int depth, int width, bool inRun, const point& ref, const angle& a1,
               const angle& a2)
{
    for (const point& centre : StoveBurnerCentres(depth, width, inRun, ref, a1, a2))
        DrawBurner(dc, centre);
}

void CollectShapeCorners(std::vector<POINT>& list, const line& a, const line& b, const line& c,
                         const line& d)
{
    const std::pair<const line*, const line*> pairs[4] = {{&a, &c}, {&a, &d}, {&b, &d}, {&b, &c}};
    for (const auto& [first, second] : pairs) {
        point corner;
        if (!CrossLines(*first, *second, corner))
            return;
        AppendSnapped(list, corner);
    }
    list.push_back(list.front());
}

bool CornerWalls(ZupNode* node, ZupPartition* room, ZupEdge*& first, ZupEdge*& second)
{
    first = second = nullptr;
    if (!node)
        return false;
    first = node->GetOtherEdge(static_cast<ZupEdge*>(nullptr), room);
    second = first ? node->GetOtherEdge(first, room) : nullptr;
    return first && second;
}
