// The placed room objects' symbols: islands, fireplaces, columns, spiral stairs.
#include "room_object_symbols.h"

#include <algorithm>

#include "line.h"
#include "plan_room_objects.h"
#include "symbol_helpers.h"
#include "zup_countertop.h"

std::vector<int> SpiralStairSpokeDegrees()
{
    std::vector<int> degrees;
    for (int d = 90; d >= -180; d -= 30)
        degrees.push_back(d);
    return degrees;
}

int SpiralStairSpokeEnd(int depth)
{
    return depth / 2 - 3 * ZupCountertop::GetStoveSpace() + 2;
}

int FireplaceHearthInset()
{
    return static_cast<int>(0.2 * ZupFireplace::GetDefaultWidth(ZupFireplace::TYPE(1)));
}

namespace {

// The edge lines of an island's shape: front and back face each other
// along its direction, left and right across it.
struct IslandShape {
    angle along, across;
    line front, back, left, right;
};

IslandShape ShapeOf(ZupIsland& island)
{
    IslandShape shape;
    island.GetShape(shape.along, shape.across, shape.front, shape.back, shape.left, shape.right);
    return shape;
}

void DrawShapeOutline(CScaledDC& dc, const line& a, const line& b, const line& c, const line& d)
{
    std::vector<POINT> corners;
    CollectShapeCorners(corners, a, b, c, d);
    DrawModelPolyline(dc, corners);
}

// The parallel of l moved by d towards p.
line MovedToward(const line& l, double d, const point& p)
{
    const line plus(l, d), minus(l, -d);
    return std::abs(plus.signedDist(p)) <= std::abs(minus.signedDist(p)) ? plus : minus;
}

// One jamb of a free-standing fireplace: the band between an edge line and
// its copy moved q inwards, hatched.
void HatchJamb(CScaledDC& dc, const IslandShape& shape, const line& edge, int q, const point& centre)
{
    const line inner = MovedToward(edge, q, centre);
    point corners[4];
    if (!CrossLines(shape.front, edge, corners[0]) || !CrossLines(shape.back, edge, corners[1]) ||
        !CrossLines(shape.back, inner, corners[2]) || !CrossLines(shape.front, inner, corners[3]))
        return;
    ClearSharedOutline();
    FixtureOutline& outline = SharedOutline();
    StartDrawExtents(corners[0]);
    for (const point& corner : corners) {
        outline.shape + corner;
        ExtendDrawExtents(corner);
    }
    outline.shape + corners[0];
    AppendSnapped(outline.points, corners[2]);
    AppendSnapped(outline.points, corners[3]);
    DrawHatchedOutline(dc);
}

}  // namespace

void CPlanColumn::Draw(void* context)
{
    if (!context)
        return;
    CScaledDC& dc = *static_cast<CScaledDC*>(context);
    const int h = GetDepth() / 2;
    const POINT c = WholePoint(GetGeoCenter());
    if (ZupObject::GetType() == 0)
        dc.Ellipse(c.x - h, c.y - h, c.x + h, c.y + h);
    else
        dc.Rectangle(c.x - h, c.y - h, c.x + h, c.y + h);
}

void CPlanSpiralStair::Draw(void* context)
{
    if (!context)
        return;
    CScaledDC& dc = *static_cast<CScaledDC*>(context);
    const int s = ZupCountertop::GetStoveSpace();
    const int d = GetDepth();
    const point c = GetGeoCenter();
    DrawModelCircle(dc, c, s);
    const int spokeEnd = SpiralStairSpokeEnd(d);
    for (int degrees : SpiralStairSpokeDegrees()) {
        const angle a(static_cast<double>(degrees));
        DrawModelLine(dc, StepAlong(c, s, a), StepAlong(c, spokeEnd, a));
    }
    DrawModelCircle(dc, c, d / 2);
    DrawModelCircle(dc, c, d / 2 - 2 * s);
}

void CPlanIsland::Draw(void* context)
{
    if (!context)
        return;
    CScaledDC& dc = *static_cast<CScaledDC*>(context);
    const IslandShape shape = ShapeOf(*this);
    DrawShapeOutline(dc, shape.front, shape.back, shape.left, shape.right);
    const point centre = GetGeoCenter();
    const int depth = GetDepth();
    const int width = static_cast<int>(GetWidth());
    switch (ZupObject::GetType()) {
    case 1:
        DrawSinkBowl(dc, centre, shape.along, IsBath(), std::min(width, depth));
        break;
    case 2:
        if (depth < width)
            DrawDoubleSink(dc, SymbolFlagOff(), centre, shape.along, shape.across, width, depth);
        else
            DrawDoubleSink(dc, SymbolFlagOff(), centre, shape.across, shape.along, width, depth);
        break;
    case 3:
        DrawStove(dc, depth, width, SymbolFlagOff(), StepAlong(centre, -depth / 2.0, shape.along),
                  shape.along, shape.across);
        break;
    default:
        break;
    }
}

void CPlanFireplace::Draw(void* context)
{
    if (!context)
        return;
    CScaledDC& dc = *static_cast<CScaledDC*>(context);
    const IslandShape shape = ShapeOf(*this);
    const point centre = GetGeoCenter();
    const double width = GetWidth();
    const int depth = GetDepth();
    if (ZupObject::GetType() == 0) {
        DrawShapeOutline(dc, shape.front, shape.back, shape.left, shape.right);
        const int r = static_cast<int>(0.35 * std::min<double>(width, depth));
        DrawModelCircle(dc, centre, r);
        DrawModelCircle(dc, centre, r - ZupCountertop::GetStoveSpace());
        return;
    }
    const int inset = FireplaceHearthInset();
    DrawShapeOutline(dc, MovedToward(shape.front, inset, centre), MovedToward(shape.back, inset, centre),
                     shape.left, shape.right);
    DrawShapeOutline(dc, shape.front, shape.back, shape.left, shape.right);
    if (IsSymbolDragHeld())
        return;
    const int q = static_cast<int>(0.25 * width);
    HatchJamb(dc, shape, shape.left, q, centre);
    HatchJamb(dc, shape, shape.right, q, centre);
}
