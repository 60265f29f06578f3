#include "opening_width.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "angle.h"
#include "dimension_values.h"
#include "kor_dimension.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "object_sheet_apply.h"
#include "object_sheet_state.h"
#include "room_floor.h"
#include "settings.h"
#include "wall_ends_held.h"
#include "length_text.h"
#include "zup_edge.h"
#include "zup_wall_object.h"

namespace {

// A width is taken when it exceeds the stretch by less than this.
constexpr double kFitTolerance = 0.01;

ObjectSheetState& Sheet() { return g_objectSheet; }

// A straight wall as a line of distances from its start.
struct WallLine {
    point start;
    double ux = 0.0;
    double uy = 0.0;
    double length = 0.0;

    explicit WallLine(ZupEdge* wall) : start(wall->GetStart()->GetPoint())
    {
        const point& end = wall->GetEnd()->GetPoint();
        length = std::hypot(end.x() - start.x(), end.y() - start.y());
        if (length > 0.0) {
            ux = (end.x() - start.x()) / length;
            uy = (end.y() - start.y()) / length;
        }
    }
    double Along(const point& p) const
    {
        return (p.x() - start.x()) * ux + (p.y() - start.y()) * uy;
    }
    point At(double t) const { return point(start.x() + ux * t, start.y() + uy * t); }
};

bool OnStraightWall(ZupWallObject* object)
{
    ZupEdge* wall = object ? object->GetEdge() : nullptr;
    return wall && !wall->GetCenter() && wall->GetStart() && wall->GetEnd() && !object->IsCorner();
}

// The side as the sheet read it: fixed exactly when its dimension is given,
// and then at the given value.
bool SideAsRead(KorDimension* d, int value, std::uint32_t bit)
{
    const bool given = d && d->IsEnabled();
    if (Sheet().Has(bit) != given)
        return false;
    return !given || value == RoundToInt(d->GetValue());
}

// A dimension's value and state, to be put back when the change fails.
struct KeptDimension {
    KorDimension* dimension;
    std::string value;
    bool enabled;
};

std::vector<KeptDimension> Keep(std::initializer_list<KorDimension*> dimensions)
{
    std::vector<KeptDimension> kept;
    for (KorDimension* d : dimensions)
        if (d)
            kept.push_back({d, d->GetValueString(), d->IsEnabled()});
    return kept;
}

void PutBack(const std::vector<KeptDimension>& kept)
{
    for (const KeptDimension& k : kept) {
        k.dimension->SetValue(k.value);
        k.dimension->SetEnabled(k.enabled);
    }
}

// Where the object's ends go: the new width about the old centre, kept in
// the free stretch.
struct NewEnds {
    KorNode* first;  // the end nearer the wall's start
    KorNode* second;
    point firstPoint;
    point secondPoint;

    point PointOf(KorNode* node) const
    {
        if (node == first)
            return firstPoint;
        if (node == second)
            return secondPoint;
        return node->GetPoint();
    }
    // The dimension's value once the ends have moved; -1 when it does not
    // join two nodes.
    double ValueOf(KorDimension* d) const
    {
        auto* a = dynamic_cast<KorNode*>(d->GetStart());
        auto* b = dynamic_cast<KorNode*>(d->GetEnd());
        if (!a || !b)
            return -1.0;
        const point p = PointOf(a);
        const point q = PointOf(b);
        return std::hypot(p.x() - q.x(), p.y() - q.y());
    }
};

NewEnds PlaceEnds(ZupWallObject* o, const WallStretch& stretch, double width)
{
    const WallLine line(o->GetEdge());
    KorNode* start = o->GetStart();
    KorNode* end = o->GetEnd();
    double a = line.Along(start->GetPoint());
    double b = line.Along(end->GetPoint());
    const bool forward = a <= b;
    if (!forward)
        std::swap(a, b);
    const double centre = (a + b) / 2.0;
    const double from = std::clamp(centre - width / 2.0, stretch.from, stretch.to - width);
    return NewEnds{forward ? start : end, forward ? end : start, line.At(from),
                   line.At(from + width)};
}

// The object's dimensions given the new ends; the position holds the object
// for this resolve only when it was not given.
KorDimension* GiveDimensions(ZupWallObject* o, const NewEnds& ends, double width)
{
    KorDimension* widthDimension = o->GetWidthDimension();
    FixDimension(widthDimension, width);
    widthDimension->SetEnabled(true);
    KorDimension* held = nullptr;
    if (KorDimension* position = o->GetPosDimension()) {
        const double value = ends.ValueOf(position);
        if (value >= 0.0) {
            if (!position->IsEnabled())
                held = position;
            FixDimension(position, value);
            position->SetEnabled(true);
        }
    }
    KorDimension* next = o->GetEdge()->GetNextDim(o);
    if (next && next->IsEnabled() && next != widthDimension) {
        const double value = ends.ValueOf(next);
        if (value >= 0.0)
            FixDimension(next, value);
    }
    return held;
}

void MoveEnds(const NewEnds& ends)
{
    ends.first->SetPosition(ends.firstPoint.x(), ends.firstPoint.y(), false, false);
    ends.second->SetPosition(ends.secondPoint.x(), ends.secondPoint.y(), false, false);
}

}  // namespace

bool FreeStretchOf(ZupWallObject* object, WallStretch& stretch)
{
    if (!OnStraightWall(object))
        return false;
    ZupEdge* wall = object->GetEdge();
    const WallLine line(wall);
    if (line.length <= 0.0)
        return false;
    const double a = line.Along(object->GetStart()->GetPoint());
    const double b = line.Along(object->GetEnd()->GetPoint());
    const double centre = (a + b) / 2.0;
    // A neighbour's end within the geometry's snap of the object counts as
    // lying on it: the object stays clear of it by twice that.
    const double clear = 2.0 * GeoSnap();
    stretch = {0.0, line.length};
    for (int i = 0; i < wall->GetNumOfObjects(); ++i) {
        ZupWallObject* other = wall->GetWallObject(i);
        if (!other || other == object || !other->GetStart() || !other->GetEnd())
            continue;
        const double p = line.Along(other->GetStart()->GetPoint());
        const double q = line.Along(other->GetEnd()->GetPoint());
        const double low = std::min(p, q);
        const double high = std::max(p, q);
        if (high <= centre)
            stretch.from = std::max(stretch.from, high + clear);
        else if (low >= centre)
            stretch.to = std::min(stretch.to, low - clear);
        else  // a neighbour across the centre leaves no room
            stretch.from = stretch.to = centre;
    }
    return true;
}

bool WidthFits(ZupWallObject* object, double width)
{
    if (width <= 0.0)
        return false;
    WallStretch stretch;
    if (!FreeStretchOf(object, stretch))
        return true;  // a curved wall: the resolve decides
    return width <= stretch.Length() + kFitTolerance;
}

bool SheetAsksWidthAlone()
{
    ObjectSheetState& s = Sheet();
    ZupWallObject* o = s.object;
    if (!o || !o->IsWallObject() || !OnStraightWall(o) || s.twin || !o->GetWidthDimension())
        return false;
    if (!s.Has(SheetFlags::kWidth) || s.Has(SheetFlags::kUndimensioned) ||
        s.Has(SheetFlags::kFullWall))
        return false;
    KorDimension* position = o->GetPosDimension();
    KorDimension* next = o->GetEdge()->GetNextDim(o);
    angle direction;
    const bool onLeft = o->IsLeftToRight(direction);
    return SideAsRead(onLeft ? position : next, s.left, SheetFlags::kLeft) &&
           SideAsRead(onLeft ? next : position, s.right, SheetFlags::kRight);
}

bool SheetPlacesWidthAlone()
{
    ObjectSheetState& s = Sheet();
    ZupWallObject* o = s.object;
    const std::uint32_t others = SheetFlags::kLeft | SheetFlags::kRight | SheetFlags::kFullWall |
                                 SheetFlags::kUndimensioned;
    return o && o->IsWallObject() && OnStraightWall(o) && !s.twin && s.Has(SheetFlags::kWidth) &&
           (s.flags & others) == 0;
}

int ApplyNewWidthAlone()
{
    ObjectSheetState& s = Sheet();
    ZupWallObject* o = s.object;
    if (!o->GetWidthDimension())
        return 0;
    KorDimension* width = o->GetWidthDimension();
    KorDimension* position = o->GetPosDimension();
    for (KorDimension* side : {position, o->GetEdge()->GetNextDim(o)})
        if (side && side != width)
            side->SetEnabled(s.wallBound);
    return ApplyWidthAlone();
}

int ApplyWidthAlone()
{
    ObjectSheetState& s = Sheet();
    ZupWallObject* o = s.object;
    WallStretch stretch;
    if (!s.floor || !FreeStretchOf(o, stretch) || !WidthFits(o, s.width))
        return 0;
    const double width = s.width;
    const NewEnds ends = PlaceEnds(o, stretch, width);
    const point firstBefore = ends.first->GetPoint();
    const point secondBefore = ends.second->GetPoint();
    const std::vector<KeptDimension> kept =
        Keep({o->GetWidthDimension(), o->GetPosDimension(), o->GetEdge()->GetNextDim(o)});
    KorDimension* held = GiveDimensions(o, ends, width);
    MoveEnds(ends);
    int result = 0;
    {
        WallEndsHeld wallEnds(o->GetEdge());
        result = ResolveRoomWithEntrance(nullptr);
    }
    if (held)
        held->SetEnabled(false);
    if (result)
        return 1;
    PutBack(kept);
    ends.first->SetPosition(firstBefore.x(), firstBefore.y(), false, false);
    ends.second->SetPosition(secondBefore.x(), secondBefore.y(), false, false);
    s.floor->Resolve();
    return 0;
}
