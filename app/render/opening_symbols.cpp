// The door, opening and stair-opening symbols.
#include "opening_symbols.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "distances.h"
#include "geolist.h"
#include "kor_model.h"
#include "kor_node.h"
#include "line.h"
#include "metric_unit.h"
#include "plan_wall_objects.h"
#include "polygon.h"
#include "room_type.h"
#include "scaled_dc.h"
#include "segment.h"
#include "settings.h"
#include "zup_edge.h"
#include "zup_object.h"
#include "zup_opening.h"
#include "zup_partition.h"

namespace {

// Door kinds.
enum DoorKind : int {
    kSwinging = 1,
    kFrench = 2,
    kSliding = 3,
    kFolding = 4,
    kBiFold = 5,
    kHalfWall = 6,
    kGarage = 7,
};

// Door actions and positions.
constexpr int kInside = 1;
constexpr int kOutside = 2;
constexpr int kDoubleAction = 3;
constexpr int kLeft = 1;
constexpr int kRight = 2;

// Stair kinds; a stair's position 1 runs it the other way.
constexpr int kStraightStair = 0;
constexpr int kWindingStair = 1;
constexpr int kWindingStairReversed = 2;
constexpr int kReversedRun = 1;

constexpr COLORREF kEntranceColour = 0x0000FF;
constexpr int kEntrancePenWidth = 2;

// ---- Points along directions ----

point Along(const point& from, const angle& direction, double distance)
{
    point p(from);
    p.move(direction, distance);
    return p;
}

point AlongRadians(const point& from, double radians, double distance)
{
    return point(from.x() + distance * std::cos(radians), from.y() + distance * std::sin(radians));
}

point Mid(const point& a, const point& b) { return point(a, b); }

angle Direction(const point& from, const point& to) { return angle(from, to); }

double Distance(const point& a, const point& b) { return PointDistance(a, b); }

point NodePoint(KorNode* node) { return node ? node->GetPoint() : point(); }

// The foot of the perpendicular from p on the line through a and b.
point Foot(const point& p, const point& a, const point& b)
{
    point foot(p);
    foot = line(a, b);
    return foot;
}

// The normal of the host wall's side nearest the opening's centre, which
// points into the room. The direction into the room is built the same way,
// from the contour and the centre, through the library's list form: the
// plain two-object angle has no rule for a contour and answers 0.
angle WallNormal(ZupWallObject& object)
{
    ZupEdge* wall = object.GetEdge();
    const point centre = object.GetGeoCenter();
    if (!wall)
        return object.GetInDir();
    polygon& contour = object.GetContour();
    if (contour.count() < 2)
        return object.GetInDir();
    const char savedError = GeoError();
    GeoError() = GEO_OK;
    angle normal(geolist(contour, centre));
    const bool found = GeoError() == GEO_OK;
    GeoError() = savedError;
    return found ? normal : object.GetInDir();
}

angle InDirection(ZupWallObject& object) { return WallNormal(object); }

// ---- Doors ----

void AddSwingDoor(CSymbolStrokes& strokes, ZupOpening& door, float width)
{
    point hinge, far, tip;
    angle dir, back;
    door.CalculatePositions(hinge, far, tip, dir, back, width);
    const int radius = static_cast<int>(width);
    strokes.AddLine(hinge, tip);
    strokes.AddSwingArc(tip, far, hinge, radius);
    if (door.GetAction() != kDoubleAction)
        return;
    point otherTip = Along(hinge, back, width);
    otherTip = Along(hinge, Direction(hinge, Mid(otherTip, far)), width);
    strokes.AddLine(hinge, otherTip);
    strokes.AddSwingArc(otherTip, far, hinge, radius);
}

// One leaf from each jamb, meeting at the centre.
void AddFrenchLeaves(CSymbolStrokes& strokes, const point& centre, const point& start,
                     const point& end, double half, const angle& normal)
{
    for (const point& jamb : {start, end}) {
        const point reach = Along(jamb, normal, half);
        const point tip = Along(jamb, Direction(jamb, Mid(reach, centre)), std::fabs(half));
        strokes.AddLine(jamb, tip);
        strokes.AddSwingArc(centre, tip, jamb, static_cast<int>(std::fabs(half)));
    }
}

void AddFrenchDoor(CSymbolStrokes& strokes, ZupOpening& door, float width)
{
    const double half = width * 0.5;
    const angle normal = WallNormal(door);
    const point centre = door.GetGeoCenter();
    const point start = NodePoint(door.GetStart());
    const point end = NodePoint(door.GetEnd());
    const int action = door.GetAction();
    if (action == kInside || action == kDoubleAction)
        AddFrenchLeaves(strokes, centre, start, end, half, normal);
    if (action == kOutside || action == kDoubleAction)
        AddFrenchLeaves(strokes, centre, start, end, -half, normal);
}

void AddSlidingDoor(CSymbolStrokes& strokes, ZupOpening& door, float width)
{
    const point start = NodePoint(door.GetStart());
    const point end = NodePoint(door.GetEnd());
    const angle in = InDirection(door);
    const int u = GetMetricUnit();
    const int action = door.GetAction();
    if (action == kInside || action == kOutside) {
        const angle side = action == kInside ? in : in + 180.0;
        const int position = door.GetPosition();
        if (position == kLeft || position == kRight) {
            const point first = Along(Mid(start, end), side, 2.0 * u);
            const bool positive = first > segment(start, end);
            const bool forward = positive == (position == kLeft);
            const angle run = forward ? Direction(start, end) : Direction(end, start);
            strokes.AddLine(first, Along(first, run, width));
        } else {
            strokes.AddLine(Along(start, side, u), Along(end, side, u));
        }
        return;
    }
    // Bypass: two panels of three fifths, one on each side of the wall.
    const segment wall(start, end);
    const segment reversed(end, start);
    strokes.AddLine(Along(wall(0.4), in, u), Along(end, in, u));
    strokes.AddLine(Along(reversed(0.4), in + 180.0, u), Along(start, in + 180.0, u));
}

// A leaf from the hinge to its tip, and the second leaf folded back from
// the tip onto the wall line.
void AddFoldPair(CSymbolStrokes& strokes, const point& hinge, const point& far, const point& tip)
{
    strokes.AddLine(hinge, tip);
    const point foot = Foot(tip, hinge, far);
    strokes.AddLine(tip, Along(foot, Direction(hinge, far), Distance(hinge, tip)));
}

void AddFoldingDoor(CSymbolStrokes& strokes, ZupOpening& door, float width, bool twoPairs)
{
    point hinge, far, tip;
    angle dir, back;
    door.CalculatePositions(hinge, far, tip, dir, back, width * (twoPairs ? 0.25f : 0.4f));
    AddFoldPair(strokes, hinge, far, tip);
    if (!twoPairs)
        return;
    const point foot = Foot(tip, hinge, far);
    const line tipLine(tip, line(hinge, far));
    point mirrored = Along(far, Direction(far, hinge), Distance(hinge, foot));
    mirrored = tipLine;
    AddFoldPair(strokes, far, hinge, mirrored);
}

void AddGarageDoor(CSymbolStrokes& strokes, ZupOpening& door)
{
    const point start = NodePoint(door.GetStart());
    const point end = NodePoint(door.GetEnd());
    const angle in = InDirection(door);
    const double inset = 1.5 * GetMetricUnit();
    strokes.AddLine(Along(start, in, inset), Along(end, in, inset));
    strokes.AddLine(start, end);
}

// ---- Stairs ----

double Tread() { return ZupOpeningStair::GetThread(); }

bool IsNamed(ZupPartition* room, const char* name)
{
    return room && TrimRoomName(room->GetName()) == name;
}

// The arrow head: two barbs of three quarters of a tread.
void AddArrowHead(CSymbolStrokes& strokes, const point& tip, const angle& back)
{
    const double barb = 0.75 * Tread();
    strokes.AddLine(tip, Along(tip, back - 45.0, barb));
    strokes.AddLine(tip, Along(tip, back + 45.0, barb));
}

// A zig-zag across the middle of the line from a to b.
void AddBreakLine(CSymbolStrokes& strokes, const point& a, const point& b)
{
    const point middle = Mid(a, b);
    const angle back = Direction(b, a);
    const double t = Tread();
    strokes.AddPolyline({a, Along(middle, back, t / 3.0), Along(middle, back - 90.0, t / 2.0),
                         Along(middle, back + 90.0, t / 2.0), Along(middle, back + 180.0, t / 3.0),
                         b});
}

void AddDirectionLabel(CSymbolStrokes& strokes, ZupOpeningStair& stair, const point& at,
                       const angle& direction)
{
    strokes.AddLabel(Along(at, direction, 8.0), CString(stair.GetAction() != 0 ? "dn" : "up"));
}

// The rooms on the two sides of the stair's wall that shape its run.
struct StairRooms {
    ZupPartition* stairRoom = nullptr;
    ZupPartition* belowRoom = nullptr;
};

StairRooms FindStairRooms(ZupOpeningStair& stair)
{
    StairRooms rooms;
    ZupPartition* first = stair.GetOtherPartition(nullptr);
    ZupPartition* second = first ? stair.GetOtherPartition(first) : nullptr;
    if (IsNamed(first, "Stair")) {
        rooms.stairRoom = first;
        return rooms;
    }
    if (IsNamed(second, "Stair"))
        rooms.stairRoom = second;
    if (second && (second->IsBelow() || IsNamed(second, "Filler")))
        rooms.belowRoom = second;
    return rooms;
}

// The length of the stair room along the run from the centre, whole units;
// -1 when the line does not cross the room.
int StairRoomDepth(ZupPartition& room, const point& centre, const angle& run)
{
    polygon& contour = room.GetContour();
    if (contour.count() < 3)
        return -1;
    const line path(centre, Along(centre, run, 100.0));
    geolist_ref pieces = const_cast<line&>(path) << contour;
    if (pieces.count() < 1)
        return -1;
    const segment piece(pieces[0]);
    return static_cast<int>(piece.length());
}

// The point where the line through `through` at `direction` meets the line
// through `base` along `along`; false when they are parallel.
bool Crossing(const point& through, const angle& direction, const point& base, const angle& along,
              point& crossing)
{
    const double dx1 = direction.cos(), dy1 = direction.sin();
    const double dx2 = along.cos(), dy2 = along.sin();
    const double det = dx1 * dy2 - dy1 * dx2;
    if (std::fabs(det) < 1e-12)
        return false;
    const double s = ((base.x() - through.x()) * dy2 - (base.y() - through.y()) * dx2) / det;
    crossing = point(through.x() + s * dx1, through.y() + s * dy1);
    return true;
}

struct StairRun {
    point start, end, centre;
    angle dir;
    int steps = 0;
    double run = 0.0;
    double tread = 0.0;
};

void AddTreads(CSymbolStrokes& strokes, const StairRun& s, int first)
{
    for (int k = first; k <= s.steps; ++k)
        strokes.AddLine(Along(s.start, s.dir, k * s.tread), Along(s.end, s.dir, k * s.tread));
}

// The stair runs down out of sight: its outline ends in a slanted break.
void AddStairGoingDown(CSymbolStrokes& strokes, StairRun& s, int firstTread)
{
    const point far = Along(s.end, s.dir, s.run);
    point slant;
    if (!Crossing(far, s.dir + 60.0, s.start, s.dir, slant))
        return;
    if (Distance(slant, s.start) < Distance(far, s.end))
        Crossing(far, s.dir - 60.0, s.start, s.dir, slant);
    polygon outline;
    outline + s.start;
    outline + s.end;
    outline + far;
    outline + slant;
    outline.close();
    strokes.AddLine(s.start, Along(slant, Direction(s.start, slant), 2.0));
    strokes.AddLine(s.end, Along(far, s.dir, 2.0));
    AddTreads(strokes, s, firstTread);
    const int next = (s.steps < firstTread ? firstTread - 1 : s.steps) + 1;
    const segment last(Along(s.start, s.dir, next * s.tread), Along(s.end, s.dir, next * s.tread));
    geolist_ref inside = const_cast<segment&>(last) << outline;
    if (inside.count() > 0) {
        const segment piece(inside[0]);
        strokes.AddLine(piece.start(), piece.end());
    }
    AddBreakLine(strokes, far, slant);
}

// The walking arrow from the centre, snapped upright or level when it is
// within the model's play of it.
void AddWalkingArrow(CSymbolStrokes& strokes, ZupOpeningStair& stair, const StairRun& s)
{
    const double length = s.tread > s.run - s.tread ? s.tread : s.run - s.tread;
    const point reach = Along(s.centre, s.dir, 0.95 * length);
    point tip(reach.ix(), reach.iy());
    const point centre(s.centre.ix(), s.centre.iy());
    const double play = stair.GetModel() ? stair.GetModel()->LinearPlay() : 0.0;
    if (tip.x() != centre.x() && tip.y() != centre.y()) {
        if (std::fabs(tip.x() - centre.x()) < play)
            tip.x() = centre.x();
        else if (std::fabs(tip.y() - centre.y()) < play)
            tip.y() = centre.y();
    }
    strokes.AddLine(s.centre, tip);
    AddArrowHead(strokes, tip, s.dir + 180.0);
}

void AddStraightStair(CSymbolStrokes& strokes, ZupOpeningStair& stair)
{
    StairRun s;
    s.start = NodePoint(stair.GetStart());
    s.end = NodePoint(stair.GetEnd());
    s.centre = stair.GetGeoCenter();
    s.dir = InDirection(stair);
    if (stair.GetPosition() == kReversedRun)
        s.dir = s.dir + 180.0;
    s.steps = stair.GetSteps();
    s.tread = Tread();
    s.run = s.steps * s.tread;
    const StairRooms rooms = FindStairRooms(stair);
    if (s.steps > 0) {
        if (rooms.stairRoom) {
            const int depth = StairRoomDepth(*rooms.stairRoom, s.centre, s.dir);
            // A room shallower than one tread keeps the tread and draws none.
            if (depth >= 0 && s.run > depth) {
                s.run = depth;
                s.steps = static_cast<int>(depth / Tread());
                if (s.steps > 0)
                    s.tread = depth / static_cast<double>(s.steps);
            }
        }
        const int firstTread = stair.GetAction() == 0 ? 0 : 1;
        if (stair.GetPosition() == kReversedRun || rooms.belowRoom) {
            AddStairGoingDown(strokes, s, firstTread);
        } else {
            s.run += 2.0;
            strokes.AddLine(s.start, Along(s.start, s.dir, s.run));
            strokes.AddLine(s.end, Along(s.end, s.dir, s.run));
            AddTreads(strokes, s, firstTread);
        }
    }
    AddWalkingArrow(strokes, stair, s);
    AddDirectionLabel(strokes, stair, s.centre, s.dir + 180.0);
}

// True when the ray from `from` at `radians` meets the line through `base`
// along the wall direction `wall` (radians).
bool RayMeetsLine(const point& from, double radians, const point& base, double wall)
{
    const double dx = std::cos(radians), dy = std::sin(radians);
    const double wx = std::cos(wall), wy = std::sin(wall);
    const double det = dx * wy - dy * wx;
    if (std::fabs(det) < 1e-12)
        return false;
    const double s = ((base.x() - from.x()) * wy - (base.y() - from.y()) * wx) / det;
    return s >= 0.0;
}

void AddWindingStair(CSymbolStrokes& strokes, ZupOpeningStair& stair, bool pivotFlag)
{
    const point start = NodePoint(stair.GetStart());
    const point end = NodePoint(stair.GetEnd());
    const point centre = stair.GetGeoCenter();
    angle dir;
    const bool leftToRight = stair.IsLeftToRight(dir);
    const bool innerAtStart = leftToRight == pivotFlag;
    const point inner = innerAtStart ? start : end;
    const point outer = innerAtStart ? end : start;
    const double width = stair.GetWidth();
    const double radius = 2.0 * width;
    const double t = Tread();
    const point pivot = Along(centre, Direction(outer, inner), radius);
    double step = std::acos(1.0 - (t * t / 2.0) / radius / radius);
    double sense = dir.rad();
    if (stair.GetPosition() == kReversedRun)
        sense += M_PI;
    const double wall = std::atan2(end.y() - start.y(), end.x() - start.x());
    if (!RayMeetsLine(centre, sense, pivot, wall))
        step = -step;
    const int n = stair.GetSteps();
    if (n < 1 || !(width > 0.0) || !std::isfinite(step)) {
        AddDirectionLabel(strokes, stair, centre, angle(sense, 'r'));
        return;
    }
    double a = Direction(pivot, start).rad();
    point innerEnd, outerEnd;
    for (int k = 1; k <= n; ++k) {
        a += step;
        innerEnd = AlongRadians(pivot, a, radius - width / 2.0);
        outerEnd = AlongRadians(pivot, a, radius + width / 2.0);
        if (k == n)
            break;
        strokes.AddLine(innerEnd, outerEnd);
        if (k == n - 1) {
            const point walk = Mid(innerEnd, outerEnd);
            strokes.AddClippedArc(centre, walk, pivot, radius);
            const double travel = a + (step > 0.0 ? M_PI_2 : -M_PI_2);
            AddArrowHead(strokes, walk, angle(travel + M_PI, 'r'));
        }
    }
    strokes.AddClippedArc(inner, innerEnd, pivot, radius - width / 2.0);
    strokes.AddClippedArc(outer, outerEnd, pivot, radius + width / 2.0);
    AddDirectionLabel(strokes, stair, centre, angle(sense, 'r'));
    AddBreakLine(strokes, innerEnd, outerEnd);
}

}  // namespace

CSymbolStrokes BuildOpeningSymbol(ZupOpening& opening)
{
    CSymbolStrokes strokes;
    const float width = opening.GetWidth();
    // The model leaves the leaf unset for a door without width.
    const bool hasWidth = width > 0.0f;
    switch (opening.GetType()) {
    case kSwinging:
        if (hasWidth)
            AddSwingDoor(strokes, opening, width);
        break;
    case kFrench:
        AddFrenchDoor(strokes, opening, width);
        break;
    case kSliding:
        AddSlidingDoor(strokes, opening, width);
        break;
    case kFolding:
    case kBiFold:
        if (hasWidth)
            AddFoldingDoor(strokes, opening, width, opening.GetType() == kBiFold);
        break;
    case kHalfWall:
        strokes.AddLine(NodePoint(opening.GetStart()), NodePoint(opening.GetEnd()));
        break;
    case kGarage:
        AddGarageDoor(strokes, opening);
        break;
    default:
        break;
    }
    return strokes;
}

CSymbolStrokes BuildStairSymbol(ZupOpeningStair& stair)
{
    CSymbolStrokes strokes;
    switch (stair.GetType()) {
    case kStraightStair:
        AddStraightStair(strokes, stair);
        break;
    case kWindingStair:
        AddWindingStair(strokes, stair, true);
        break;
    case kWindingStairReversed:
        AddWindingStair(strokes, stair, false);
        break;
    default:
        break;
    }
    return strokes;
}

CSymbolStrokes BuildEntranceArrow(ZupOpening& opening)
{
    CSymbolStrokes strokes;
    const double length = ZupObject::IsMetric() ? 20.0 : 10.0;
    const angle normal = WallNormal(opening);
    const point centre = opening.GetGeoCenter();
    const point head = Along(centre, normal, length);
    strokes.AddLine(Along(centre, normal, -length), head);
    strokes.AddLine(Along(head, normal + 45.0, -length), head);
    strokes.AddLine(head, Along(head, normal - 45.0, -length));
    return strokes;
}

void DrawEntranceArrow(ZupOpening& opening, CScaledDC& dc)
{
    CPen red;
    if (!red.CreatePen(PS_SOLID, kEntrancePenWidth, kEntranceColour))
        return;
    CPen* previous = dc.SelectObject(&red);
    BuildEntranceArrow(opening).Draw(dc);
    dc.SelectObject(previous);
}

void CPlanOpening::Draw(void* dc)
{
    if (dc)
        BuildOpeningSymbol(*this).Draw(*static_cast<CScaledDC*>(dc));
}

void CPlanStairOpening::Draw(void* dc)
{
    if (dc)
        BuildStairSymbol(*this).Draw(*static_cast<CScaledDC*>(dc));
}
