// The bath, utility and countertop symbols.
#include "fixture_symbols.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "c_string.h"
#include "gdi_selection.h"
#include "geolist.h"
#include "geoitem.h"
#include "kor_node.h"
#include "plan_wall_objects.h"
#include "polygon.h"
#include "segment.h"
#include "structural_symbols.h"
#include "symbol_helpers.h"
#include "window_symbols.h"
#include "zup_edge.h"
#include "zup_floor.h"
#include "zup_node.h"
#include "zup_partition.h"
#include "zup_wall_surface.h"

namespace {

CScaledDC* ContextOf(void* context)
{
    return static_cast<CScaledDC*>(context);
}

int HostWallThickness(ZupWallObject& object)
{
    ZupEdge* wall = object.GetEdge();
    return wall ? wall->GetThickness() : 0;
}

// The floor's window depth, the default without a floor.
int WindowDepthOf(ZupWallObject& object)
{
    ZupFloor* floor = object.GetFloor();
    return floor ? floor->GetWindowDepth() : ZupWindow::GetDefaultDepth();
}

// The direction square to `along` on the side where `towards` lies.
angle SideToward(const point& from, const angle& along, const point& towards)
{
    const angle left = along + 90.0;
    const point probe = StepAlong(from, 1.0, left);
    return DistanceOf(probe, towards) <= DistanceOf(StepAlong(from, -1.0, left), towards) ? left
                                                                                           : along - 90.0;
}

// ---- Closet doors ----

void SwingArc(CScaledDC& dc, const point& p1, const point& p2, const point& centre, int radius)
{
    ScopedPen grey(dc, PS_SOLID, 1, kSwingArcColour);
    if (grey.Made())
        DrawCornerArc(dc, p1, p2, centre, radius);
}

// A leaf of the given length from the hinge, turned halfway from dir
// towards the far jamb.
point LeafTip(const point& hinge, const point& far, double length, const angle& dir)
{
    const point square = StepAlong(hinge, length, dir);
    return StepAlong(hinge, length, DirectionOf(hinge, point(square, far)));
}

void FrenchLeaves(CScaledDC& dc, const point& middle, const point& s, const point& e, double h,
                  const angle& a)
{
    for (const point& jamb : {s, e}) {
        const point q = StepAlong(jamb, h, a);
        const point tip = StepAlong(jamb, std::fabs(h), DirectionOf(jamb, point(q, middle)));
        DrawModelLine(dc, jamb, tip);
        SwingArc(dc, middle, tip, jamb, static_cast<int>(std::fabs(h)));
    }
}

void FoldPair(CScaledDC& dc, const point& a, const point& b, const point& tip)
{
    DrawModelLine(dc, a, tip);
    const angle run = DirectionOf(a, b);
    const double along = (tip.x() - a.x()) * std::cos(run.rad()) + (tip.y() - a.y()) * std::sin(run.rad());
    const point foot = StepAlong(a, along, run);
    DrawModelLine(dc, tip, StepAlong(foot, DistanceOf(a, tip), run));
}

}  // namespace

// ---- Shared parts ----

const char* UtilityLabel(int kind)
{
    static const char* const labels[] = {"W", "D", "WH", "A/C", "Fr", "R", "D/W", "W/D"};
    return kind >= 0 && kind < 8 ? labels[kind] : nullptr;
}

UtilityLabelBox ComputeUtilityLabelBox(POINT centre, int size, int kind)
{
    UtilityLabelBox box;
    const LONG left = centre.x - size / 2, top = centre.y - size / 2;
    box.text = RECT{left, top, left + size, top + size};
    if (kind == 2) {
        const LONG grow = static_cast<LONG>(0.15 * size), shrink = static_cast<LONG>(0.2 * size);
        box.circle = RECT{box.text.left - grow, box.text.top - grow, box.text.right + grow,
                          box.text.bottom + grow};
        box.hasCircle = true;
        box.text = RECT{box.circle.left + shrink, box.circle.top + shrink, box.circle.right - shrink,
                        box.circle.bottom - shrink};
    }
    return box;
}

void DrawHoleWindow(CScaledDC& dc, ZupWallObject& object)
{
    const int panes = object.GetAttachedWindowPanes();
    if (panes < 1)
        return;
    const point holeStart = object.GetWallHoleStart(nullptr, 0);
    const point holeEnd = object.GetWallHoleEnd(nullptr, 0);
    const angle in = object.GetInDir();
    if (object.GetAttachedWindowType() == 1)
        DrawBayWindow(dc, holeStart, holeEnd, object.GetGeoCenter(), in, 3);
    else
        DrawStraightWindow(dc, in, holeStart, holeEnd, panes,
                           static_cast<int>(object.GetHalfWindowThickness()));
}

void DrawAttachedWindows(CScaledDC& dc, ZupWallObject& object)
{
    ZupEdge* first = nullptr;
    ZupEdge* second = nullptr;
    object.GetCornerEdges(first, second);
    const int panes = object.GetAttachedWindowPanes();
    if ((panes == 1 || panes == 2) && first)
        DrawAttachedWindow(dc, object, first);
    if ((panes == 2 || panes == 3) && second)
        DrawAttachedWindow(dc, object, second);
}

void DrawAttachedWindow(CScaledDC& dc, ZupWallObject& object, ZupEdge* wall)
{
    if (!wall)
        return;
    const point g = wall->GetGeoCenter();
    const point s = NodePointOf(object.KorSegment::GetStart());
    const angle a2 = DirectionOf(s, g);
    // The window's frame side: towards the fixture, into the room.
    const angle a1 = SideToward(g, a2, object.GetObjectCenter());
    const int kind = object.GetAttachedWindowType();
    const point p = StepAlong(s, WindowDepthOf(object), a2);
    const point q = StepAlong(p, ZupWindow::GetDefaultWidth(kind, false), a2);
    if (kind != 0)
        DrawBayWindow(dc, p, q, point(p, q), a1, 3);
    else
        DrawStraightWindow(dc, a1, p, q, 1, static_cast<int>(object.GetHalfWindowThickness()));
}

// ---- Bath fixtures ----

void CPlanBathObject::Draw(void* context)
{
    if (!context)
        return;
    CScaledDC& dc = *ContextOf(context);
    const int kind = GetType();
    if (!IsCorner()) {
        switch (kind) {
        case 0: DrawTub(dc); break;
        case 1: DrawShower(dc); break;
        case 2: DrawJacuzzi(dc); break;
        case 3: DrawToiletOrBidet(dc, false); break;
        case 4: DrawToiletOrBidet(dc, true); break;
        case 5: DrawBathSink(dc); break;
        default: break;
        }
        DrawHoleWindow(dc, *this);
        return;
    }
    if (kind >= 3 && kind <= 5) {
        if (kind == 5)
            DrawBathSink(dc);
        else
            DrawToiletOrBidet(dc, kind == 4);
        if (GetAttachedWindowPanes() >= 1)
            DrawAttachedWindows(dc, *this);
    } else if (kind >= 0 && kind <= 2) {
        DrawCornerBath(dc);
    }
}

void CPlanBathObject::DrawShower(CScaledDC& dc)
{
    const int depth = GetDepth();
    const angle in = GetInDir();
    const point middle = StepAlong(GetGeoCenter(), depth / 2, in);
    DrawRotatedShape(dc, middle, in, depth / 2, static_cast<int>(GetWidth()) / 2, true, true, nullptr);
    DrawModelCircle(dc, middle, 1);
}

void CPlanBathObject::DrawJacuzzi(CScaledDC& dc)
{
    const int depth = GetDepth();
    const angle in = GetInDir();
    const point middle = StepAlong(GetGeoCenter(), depth / 2, in);
    DrawRotatedShape(dc, middle, in, depth / 2, static_cast<int>(GetWidth() * 0.5), true, false, nullptr);
}

std::pair<point, point> CPlanBathObject::ComputeToiletCentres(bool bidet)
{
    const int depth = GetDepth();
    const bool corner = IsCorner();
    int k = 0;
    if (bidet)
        k = corner ? (2 * depth) / 3 : depth / 2;
    else
        k = corner ? depth / 2 : depth / 8;
    const angle in = GetInDir();
    const point first = StepAlong(GetGeoCenter(), HostWallThickness(*this) / 2 + k, in);
    return {first, bidet ? first : StepAlong(first, depth / 2, in)};
}

void CPlanBathObject::DrawToiletOrBidet(CScaledDC& dc, bool bidet)
{
    int width = static_cast<int>(GetWidth());
    if (width == 0)
        width = GetDefaultWidth(GetType());
    const int depth = GetDepth();
    const angle in = GetInDir();
    const auto [tank, bowl] = ComputeToiletCentres(bidet);
    if (bidet) {
        DrawRotatedShape(dc, bowl, in, depth / 2, width / 2, false, false, nullptr);
        return;
    }
    DrawRotatedShape(dc, tank, in, depth / 8, width / 2, true, false, nullptr);
    DrawRotatedShape(dc, bowl, in, (3 * depth) / 8, width / 2, false, false, nullptr);
}

void CPlanBathObject::DrawBathSink(CScaledDC& dc)
{
    const angle in = GetInDir();
    const point centre = StepAlong(GetObjectCenter(), -ZupCountertop::GetStoveSpace(), in);
    DrawSinkBowl(dc, centre, in, true, static_cast<int>(GetWidth()));
}

double CPlanBathObject::ComputeTubDepth()
{
    const point c = GetGeoCenter();
    const int depth = GetDepth();
    const point far = StepAlong(c, depth, GetInDir());
    ZupPartition* room = ZupObject::GetPartition();
    polygon contour = room ? room->GetContour() : (GetEdge() ? GetEdge()->GetContour() : polygon());
    if (contour.count() < 2)
        return depth;
    ZupFloor* floor = GetFloor();
    const double snap = floor ? floor->InputSnap() : 0.0;
    const geolist_ref crossings = segment(c, far) % contour;
    double nearest = depth;
    for (short i = 0; i < crossings.count(); ++i) {
        const double d = DistanceOf(c, point(crossings[i]));
        if (d > snap && d < nearest)
            nearest = d;
    }
    return nearest;
}

void CPlanBathObject::DrawTub(CScaledDC& dc)
{
    const point s = NodePointOf(KorSegment::GetStart());
    const point e = NodePointOf(KorSegment::GetEnd());
    const angle in = GetInDir();
    const angle run = DirectionOf(s, e);
    const double w = GetWidth();
    const double d = ComputeTubDepth();
    std::vector<POINT> outline;
    const point back = StepAlong(s, d, in);
    for (const point& p : {s, back, StepAlong(back, w, run), e})
        AppendSnapped(outline, p);
    DrawModelPolyline(dc, outline);

    const double t = GetTubThickness();
    if (d > w) {
        const point p0 = StepAlong(StepAlong(s, t, in), t, run);
        const double across = std::floor(w - 2 * t);
        const double h = d - 2 * t - across / 2;
        const point corner = StepAlong(p0, across, run);
        std::vector<POINT> basin;
        for (const point& p : {StepAlong(p0, h, in), p0, corner, StepAlong(corner, h, in), StepAlong(p0, h, in)})
            AppendSnapped(basin, p);
        DrawModelPolyline(dc, basin);
        return;
    }
    const double inner = d - 2 * t;
    const point p0 = StepAlong(StepAlong(s, inner / 2 + t, run), t, in);
    const point p1 = StepAlong(p0, w - 2 * t - inner, run);
    const point p2 = StepAlong(p1, inner, in);
    const point p3 = StepAlong(p0, inner, in);
    dc.MoveTo(WholePoint(p0));
    for (const point& p : {p1, p2, p3, p0})
        dc.LineTo(WholePoint(p));
}

void CPlanBathObject::DrawCornerBath(CScaledDC& dc)
{
    auto* node = dynamic_cast<ZupNode*>(KorSegment::GetStart());
    ZupEdge *first, *second;
    if (!CornerWalls(node, ZupObject::GetPartition(), first, second))
        return;
    const int depth = GetDepth();
    const int r = depth / 2;
    const point x = NodePointOf(node);
    const angle d1 = DirectionOf(x, NodePointOf(first->GetOtherNode(node)));
    const angle d2 = DirectionOf(x, NodePointOf(second->GetOtherNode(node)));
    // The circle of radius r + 2 in the corner touches both walls: its
    // centre lies on the bisector.
    const double halfTurn = std::fabs(std::remainder(d2.rad() - d1.rad(), 2 * M_PI)) / 2;
    if (halfTurn < 1e-6 || std::fabs(halfTurn - M_PI / 2) < 1e-6)
        return;
    const angle bisector = DirectionOf(x, point(StepAlong(x, 1.0, d1), StepAlong(x, 1.0, d2)));
    const point o = StepAlong(x, (r + 2) / std::sin(halfTurn), bisector);
    const point along1 = StepAlong(x, depth + 4, SideToward(x, d1, o));
    const point along2 = StepAlong(x, depth + 4, SideToward(x, d2, o));
    const point front = StepAlong(o, r + 2, GetInDir());
    const angle frontDir = DirectionOf(front, x) + 90.0;
    point c[4];
    if (!CrossLines(x, d1, along2, d2, c[0]) || !CrossLines(front, frontDir, along2, d2, c[1]) ||
        !CrossLines(front, frontDir, along1, d1, c[2]) || !CrossLines(x, d2, along1, d1, c[3]))
        return;
    std::vector<POINT> outline;
    for (const point& p : c)
        outline.push_back(WholePoint(p));
    DrawModelPolyline(dc, outline);
    if (GetType() == 1) {
        dc.MoveTo(outline.front());
        dc.LineTo(outline.back());
        DrawModelCircle(dc, o, 1);
    } else {
        DrawModelCircle(dc, o, r);
    }
    if (GetAttachedWindowPanes() >= 1)
        DrawAttachedWindows(dc, *this);
}

// ---- Appliances ----

void CPlanUtilityObject::Draw(void* context)
{
    if (!context)
        return;
    CScaledDC& dc = *ContextOf(context);
    const int kind = GetType();
    const int depth = GetDepth();
    const int size = static_cast<int>(std::min<double>(GetWidth(), depth));
    const angle in = GetInDir();
    if (kind != 2) {
        std::vector<POINT> outline;
        const point s = NodePointOf(KorSegment::GetStart());
        const point e = NodePointOf(KorSegment::GetEnd());
        for (const point& p : {s, StepAlong(s, depth, in), StepAlong(e, depth + 1, in), e})
            AppendSnapped(outline, p);
        DrawModelPolyline(dc, outline);
    }
    POINT centre = WholePoint(StepAlong(GetGeoCenter(), size / 2, in));
    if (dc.ToScreen(centre)) {
        UtilityLabelBox box = ComputeUtilityLabelBox(centre, size, kind);
        if (box.hasCircle)
            dc.CDC::Ellipse(&box.circle);
        if (const char* label = UtilityLabel(kind)) {
            ScopedFont font(dc, static_cast<int>(box.text.bottom - box.text.top));
            const COLORREF previous = dc.SetTextColor(kUtilityLabelColour);
            dc.DrawText(CString(label), &box.text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
            dc.SetTextColor(previous);
        }
    }
    DrawHoleWindow(dc, *this);
}

// ---- Counters ----

namespace {

bool IsAtNode(ZupWallObject& object)
{
    return object.KorSegment::GetStart() && object.KorSegment::GetStart() == object.KorSegment::GetEnd();
}

// The counter other than `self` that ends at the node on the wall, looked
// up on the wall's face towards the room when it has one.
ZupWallObject* CounterEndingAt(ZupEdge* wall, ZupPartition* room, point nodePoint, ZupWallObject* self)
{
    if (!wall)
        return nullptr;
    ZupWallSurface* face = room ? wall->GetWall(room) : nullptr;
    if (face)
        return face->GetWallObjectByEnd(nodePoint, ZUP_OBJ_COUNTERTOP, self);
    return wall->GetWallObjectByEnd(nodePoint, ZUP_OBJ_COUNTERTOP, self);
}

}  // namespace

std::vector<POINT> CPlanCountertop::CollectCounterFront()
{
    std::vector<POINT> front;
    if (!IsAtNode(*this)) {
        JoinCounterEnds(front, true);
        JoinCounterEnds(front, false);
        return front;
    }
    auto* node = dynamic_cast<ZupNode*>(KorSegment::GetStart());
    if (!node)
        return front;
    ZupPartition* room = ZupObject::GetPartition();
    ZupEdge* first = node->GetOtherEdge(static_cast<ZupEdge*>(nullptr), room);
    ZupEdge* second = first ? node->GetOtherEdge(first, room) : nullptr;
    const point x = NodePointOf(node);
    ZupWallObject* counter1 = CounterEndingAt(first, room, x, this);
    ZupWallObject* counter2 = CounterEndingAt(second, room, x, this);
    if (counter1 && counter2)
        return front;
    const angle in = GetInDir();
    const point f = StepAlong(GetGeoCenter(), GetDepth(), in);
    const angle frontDir = in + 90.0;
    const auto endOn = [&](ZupEdge* wall, ZupWallObject* counter) {
        point p = f;
        if (wall && !counter)
            CrossLines(f, frontDir, x, DirectionOf(x, NodePointOf(wall->GetOtherNode(node))), p);
        return p;
    };
    AppendSnapped(front, endOn(first, counter1));
    AppendSnapped(front, endOn(second, counter2));
    return front;
}

void CPlanCountertop::JoinCounterEnds(std::vector<POINT>& front, bool atStart)
{
    const point s = NodePointOf(KorSegment::GetStart());
    const point e = NodePointOf(KorSegment::GetEnd());
    const point end = atStart ? s : e;
    const angle in = GetInDir();
    const int depth = GetDepth();
    const point frontEnd = StepAlong(end, depth, in);
    KorNode* wallNode = atStart ? GetWallStart() : GetWallEnd();
    auto* node = dynamic_cast<ZupNode*>(wallNode);
    const point nodePoint = NodePointOf(wallNode);
    const double snap = ZupFloor::GetDefaultLinearInputSnap();
    ZupPartition* room = ZupObject::GetPartition();
    ZupEdge* neighbourWall = node && DistanceOf(end, nodePoint) < snap ? node->GetOtherEdge(GetEdge(), room) : nullptr;
    ZupWallObject* neighbour = CounterEndingAt(neighbourWall, room, const_cast<point&>(nodePoint), this);
    if (!neighbour) {
        // No counter round the corner: the counter's side closes the front.
        if (atStart) {
            AppendSnapped(front, end);
            AppendSnapped(front, frontEnd);
        } else {
            AppendSnapped(front, frontEnd);
            AppendSnapped(front, end);
        }
        return;
    }
    const angle run = DirectionOf(s, e);
    const angle neighbourRun = DirectionOf(NodePointOf(neighbour->KorSegment::GetStart()),
                                           NodePointOf(neighbour->KorSegment::GetEnd()));
    const double between = std::fabs(std::remainder(neighbourRun.deg() - run.deg(), 180.0));
    point meet = frontEnd;
    if (std::fabs(between - 90.0) < 15.0) {
        // Square enough: the neighbour's front stands square on this wall.
        const angle awayFromCorner = DirectionOf(nodePoint, atStart ? e : s);
        meet = StepAlong(StepAlong(nodePoint, neighbour->GetDepth(), awayFromCorner), depth, in);
    } else {
        const point neighbourFront = StepAlong(NodePointOf(neighbour->KorSegment::GetStart()),
                                               neighbour->GetDepth(), neighbour->GetInDir());
        if (!CrossLines(frontEnd, run, neighbourFront, neighbourRun, meet))
            meet = frontEnd;
    }
    AppendSnapped(front, meet);
}

void CPlanCountertop::Draw(void* context)
{
    if (!context)
        return;
    CScaledDC& dc = *ContextOf(context);
    const int kind = GetType();
    const std::vector<POINT> front = kind == 7 ? std::vector<POINT>{} : CollectCounterFront();
    if (kind == 7)
        DrawCloset(dc);
    else if (!front.empty())
        DrawModelPolyline(dc, front);
    if (kind != 0)
        DrawCounterFixtures(dc);
    if (kind == 7)
        return;
    if (IsAtNode(*this)) {
        if (GetAttachedWindowPanes() >= 1)
            DrawAttachedWindows(dc, *this);
    } else {
        DrawHoleWindow(dc, *this);
    }
}

void CPlanCountertop::DrawCounterFixtures(CScaledDC& dc)
{
    const bool corner = IsAtNode(*this);
    const bool vanity = IsBath();
    const point s = NodePointOf(KorSegment::GetStart());
    const angle f = GetInDir();
    const angle r = corner ? f + 90.0 : DirectionOf(s, NodePointOf(KorSegment::GetEnd()));
    const int depth = GetDepth();
    const double w = GetWidth();
    const int space = GetStoveSpace();
    const bool deep = !corner && depth >= w;
    const int thickness = HostWallThickness(*this);
    switch (GetType()) {
    case 1:
        DrawSinkBowl(dc, GetObjectCenter(), f, vanity,
                     corner ? static_cast<int>(0.6 * depth) : static_cast<int>(std::min<double>(depth, w)));
        break;
    case 2:
        if (deep)
            DrawDoubleSink(dc, false, GetObjectCenter(), r, f, static_cast<int>(w), depth);
        else
            DrawDoubleSink(dc, false, GetObjectCenter(), f, r, static_cast<int>(w), depth);
        break;
    case 3:
    case 4: {
        const int count = GetType() == 3 ? 2 : 3;
        std::vector<point> centres;
        int size = 0;
        if (deep) {
            const point middle = StepAlong(s, w / 2, r);
            if (count == 2) {
                const int c = depth / 3;
                centres = {StepAlong(middle, c - 2 * space, f), StepAlong(middle, 2 * c, f)};
            } else {
                const int q = depth / 4;
                centres = {StepAlong(middle, q, f), StepAlong(middle, 2 * q, f), StepAlong(middle, 3 * q, f)};
            }
            size = static_cast<int>(w);
        } else {
            const point middle = StepAlong(s, (thickness + depth) / 2, f);
            if (count == 2) {
                const double c = w / 3;
                centres = {StepAlong(middle, c - 2 * space, r), StepAlong(middle, 2 * c, r)};
            } else {
                const double q = w / 4;
                centres = {StepAlong(middle, q, r), StepAlong(middle, 2 * q, r), StepAlong(middle, 3 * q, r)};
            }
            size = depth;
        }
        for (const point& centre : centres)
            DrawSinkBowl(dc, centre, f, vanity, size);
        break;
    }
    case 5:
        DrawStove(dc, depth, static_cast<int>(w), corner, GetGeoCenter(), f, r);
        break;
    default:
        break;
    }
}

void CPlanCountertop::DrawCloset(CScaledDC& dc)
{
    const int space = GetStoveSpace();
    const int d = GetDepth();
    const angle a = GetInDir();
    const point s = NodePointOf(KorSegment::GetStart());
    const point e = NodePointOf(KorSegment::GetEnd());
    const point f1 = StepAlong(s, d, a), f2 = StepAlong(e, d, a);
    const angle run = DirectionOf(f1, f2);
    const point jamb1 = StepAlong(f1, 4 * space, run), jamb2 = StepAlong(f2, -4 * space, run);
    DrawModelLine(dc, s, f1);
    DrawModelLine(dc, f1, jamb1);
    DrawModelLine(dc, e, f2);
    DrawModelLine(dc, f2, jamb2);
    const int dw = static_cast<int>(GetWidth() - 8 * space);
    if (dw <= 0)
        return;
    switch (GetAttachedWindowPanes()) {
    case 1: {
        const point tip = LeafTip(jamb1, jamb2, dw, a);
        DrawModelLine(dc, jamb1, tip);
        SwingArc(dc, tip, jamb2, jamb1, dw);
        break;
    }
    case 2:
        FrenchLeaves(dc, point(jamb1, jamb2), jamb1, jamb2, dw / 2, a);
        break;
    case 3:
        FoldPair(dc, jamb1, jamb2, LeafTip(jamb1, jamb2, 0.4 * dw, a));
        break;
    case 4: {
        const double pair = (dw - 4 * space) / 2;
        const point inner1 = StepAlong(jamb1, pair, run), inner2 = StepAlong(jamb2, -pair, run);
        FrenchLeaves(dc, point(jamb1, inner1), jamb1, inner1, pair / 2, a);
        FrenchLeaves(dc, point(inner2, jamb2), inner2, jamb2, pair / 2, a);
        DrawModelLine(dc, inner1, inner2);
        break;
    }
    default:
        break;
    }
}
