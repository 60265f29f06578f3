// Copying a room floor into an empty plan, and merging a further room into
// the plan at the opening the two share.
#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "distances.h"
#include "geolist.h"
#include "kor_lin_tracker.h"
#include "kor_node.h"
#include "kor_parallel.h"
#include "kor_perpendicular.h"
#include "kor_primitive.h"
#include "kor_scoped_value.h"
#include "line.h"
#include "segment.h"
#include "settings.h"
#include "zup_edge.h"
#include "zup_floor.h"
#include "zup_node.h"
#include "zup_node_object.h"
#include "zup_object_points.h"
#include "zup_opening.h"
#include "zup_partition.h"
#include "zup_room_object.h"
#include "zup_wall_fireplace.h"
#include "zup_wall_object.h"
#include "zup_wall_surface.h"

using zup_points::Distance;
using zup_points::NodePoint;

namespace {

// The merge's process-wide state goes back to "no merge" on every way out,
// so nothing later reaches a room floor that is gone.
class MergeStateGuard {
public:
    explicit MergeStateGuard(ZupFloor* plan) : mpPlan(plan) {}
    MergeStateGuard(const MergeStateGuard&) = delete;
    MergeStateGuard& operator=(const MergeStateGuard&) = delete;
    ~MergeStateGuard() { mpPlan->EndMerge(); }

private:
    ZupFloor* mpPlan;
};

point Transformed(point p, ZupFloor* room)
{
    if (!room->IsTransformed())
        p.Transform(ZupFloor::mCurTransformation);
    return p;
}

// The foot of p on the line through a and b (p itself for a point line).
point Projection(const point& p, const point& a, const point& b)
{
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double length2 = dx * dx + dy * dy;
    if (!(length2 > 0.0))
        return p;
    const double t = ((p.x() - a.x()) * dx + (p.y() - a.y()) * dy) / length2;
    return point(a.x() + t * dx, a.y() + t * dy);
}

std::vector<ZupEdge*> Walls(ZupFloor* floor)
{
    std::vector<ZupEdge*> walls;
    for (int i = 0; i < floor->GetNumOfPrimitives(); ++i)
        if (ZupEdge* edge = ZupFloor::CastToEdge(floor->GetPrimitive(i)))
            walls.push_back(edge);
    return walls;
}

KorPrimitive* AsPrimitive(ZupEdge* edge)
{
    return dynamic_cast<KorPrimitive*>(edge);
}

// One wall of a room as its contour passes it: from one end to the other,
// against the wall's own direction when it was written from its far end.
struct ContourStep {
    KorPrimitive* wall;
    KorNode* from;
    KorNode* to;
};

// The room's walls in the order of its contour: each next wall is the first
// one left in the list that starts where the contour stands, else the first
// that ends there, else (a break) the first one left. A room listed head to
// tail is walked in its own order.
std::vector<ContourStep> ContourOrder(ZupFloor* room)
{
    std::vector<KorPrimitive*> left;
    for (ZupEdge* wall : Walls(room))
        left.push_back(AsPrimitive(wall));
    std::vector<ContourStep> steps;
    KorNode* at = nullptr;
    while (!left.empty()) {
        auto next = std::find_if(left.begin(), left.end(), [&](KorPrimitive* p) { return p->GetStart() == at; });
        bool reversed = false;
        if (next == left.end()) {
            next = std::find_if(left.begin(), left.end(), [&](KorPrimitive* p) { return p->GetEnd() == at; });
            reversed = next != left.end();
        }
        if (next == left.end())
            next = left.begin();
        KorPrimitive* wall = *next;
        left.erase(next);
        steps.push_back(reversed ? ContourStep{wall, wall->GetEnd(), wall->GetStart()}
                                 : ContourStep{wall, wall->GetStart(), wall->GetEnd()});
        at = steps.back().to;
    }
    return steps;
}

ZupNode* MappedIn(const ZupNodeMap& map, KorNode* node)
{
    const auto found = map.find(node);
    return found == map.end() ? nullptr : dynamic_cast<ZupNode*>(found->second);
}

bool IsEntranceWall(ZupFloor* room, ZupEdge* wall)
{
    ZupOpening* entrance = room->GetEntrance();
    return entrance && entrance->GetEdge() == wall;
}

// Two lines within the given angle of each other (either way round).
bool Parallel(const line& a, const line& b, double radians)
{
    double d = std::fabs(std::atan(a.ltan()) - std::atan(b.ltan()));
    if (d > M_PI / 2)
        d = M_PI - d;
    return d <= radians;
}

using zup_points::Crossing;

double DistanceToLine(const point& p, const point& a, const point& b)
{
    return Distance(p, Projection(p, a, b));
}

double DistanceToSegment(const point& p, const point& a, const point& b)
{
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? ((p.x() - a.x()) * dx + (p.y() - a.y()) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return Distance(p, point(a.x() + t * dx, a.y() + t * dy));
}

// A room's outline as its corners, each once.
std::vector<point> OutlineRing(polygon& contour, double play)
{
    std::vector<point> ring;
    for (short k = 0; k < contour.count(); ++k) {
        const point v = contour[k].get_point();
        if (ring.empty() || Distance(ring.back(), v) > play)
            ring.push_back(v);
    }
    if (ring.size() > 2 && Distance(ring.front(), ring.back()) <= play)
        ring.pop_back();
    return ring;
}

// Where a wall from `corner` toward `far` first meets an outline: the point
// and the outline piece (from ring[piece] to the next corner).
struct OutlineMeeting {
    bool found = false;
    std::size_t piece = 0;
    point at;
};

OutlineMeeting SideWallMeets(const std::vector<point>& ring, const point& corner, const point& far)
{
    const double sx = far.x() - corner.x(), sy = far.y() - corner.y();
    OutlineMeeting meeting;
    double nearest = 0.0;
    for (std::size_t k = 0; k < ring.size(); ++k) {
        const point& a = ring[k];
        const point& b = ring[(k + 1) % ring.size()];
        const double ex = b.x() - a.x(), ey = b.y() - a.y();
        const double denominator = sx * ey - sy * ex;
        if (std::fabs(denominator) < 1e-12)
            continue;
        const double ax = a.x() - corner.x(), ay = a.y() - corner.y();
        const double t = (ax * ey - ay * ex) / denominator;  // along the wall
        const double u = (ax * sy - ay * sx) / denominator;  // along the outline piece
        if (!(t > 0.0) || t > 1.0 || u < 0.0 || u > 1.0 || (meeting.found && t >= nearest))
            continue;
        nearest = t;
        meeting = {true, k, point(corner.x() + t * sx, corner.y() + t * sy)};
    }
    return meeting;
}

// The door stands on the part of the entrance wall (corner to other) that
// keeps its line: past the point where the wall's way round a plan room
// comes back to it.
bool ClearOfDoor(const point& back, const point& corner, const point& other, ZupOpening* door, ZupFloor* room)
{
    if (!door->GetStart() || !door->GetEnd())
        return false;
    const double wx = other.x() - corner.x(), wy = other.y() - corner.y();
    const auto along = [&](const point& p) { return (p.x() - corner.x()) * wx + (p.y() - corner.y()) * wy; };
    const double from = along(back);
    return along(Transformed(NodePoint(door->GetStart()), room)) > from &&
           along(Transformed(NodePoint(door->GetEnd()), room)) > from;
}

}  // namespace

void ZupFloor::EndMerge()
{
    mpCurAddition = nullptr;
    mpCurPartition = nullptr;
    mbMergeInProgress = false;
    mpCurRoom = nullptr;
}

ZupNode* ZupFloor::MappedNode(KorNode* roomNode) const
{
    auto found = mNodeMap.find(roomNode);
    return found == mNodeMap.end() ? nullptr : dynamic_cast<ZupNode*>(found->second);
}

ZupOpening* ZupFloor::GetConnectionPortal(ZupFloor* room)
{
    if (!room)
        return nullptr;
    if (ZupOpening* entrance = room->GetEntrance())
        if (ZupOpening* mine = GetOpening(entrance->GetNameChars()))
            if (mine->IsConnectable(mpOuterShell))
                return mine;
    for (ZupOpening* theirs : room->mOpenings)
        if (ZupOpening* mine = GetOpening(theirs->GetNameChars()))
            if (mine->IsConnectable(mpOuterShell)) {
                room->SetEntrance(theirs);
                return mine;
            }
    return nullptr;
}

point::TRANSFORM& ZupFloor::CalculateTransformation(ZupOpening* planOpening, ZupOpening* roomOpening)
{
    KorScopedValue<double> snap(GeoSnap(), LinearPlay());
    ZupFloor* room = roomOpening->GetFloor();
    point p = planOpening->GetGeoCenter();
    point r = roomOpening->GetGeoCenter();
    // Each contour combined with its point gives the contour's direction there.
    const angle a = zup_points::ContourDirection(room->GetOuterContour(), r);
    polygon& wallContour = planOpening->GetEdge() ? planOpening->GetEdge()->GetContour()
                                                  : GetOuterContour();
    const angle b = zup_points::ContourDirection(wallContour, p) - angle(180.0);
    const angle rotation = a - b;
    double degrees = rotation.deg();
    if (degrees > 180.0)
        degrees -= 360.0;
    if (degrees < -180.0)
        degrees += 360.0;
    const double play = AngularPlay().deg();
    double cosine = 1.0, sine = 0.0;
    if (!(degrees > -play && degrees < play)) {
        // The transform turns by minus the stored angle: by b - a, which
        // brings the room's inward direction at its entrance onto the
        // plan's outward direction at the opening.
        cosine = std::cos(rotation.rad());
        sine = std::sin(rotation.rad());
    }
    room->mConnectionSin = sine;
    room->mConnectionCos = cosine;
    mCurTransformation = point::TRANSFORM(p, r, cosine, sine);
    return mCurTransformation;
}

bool ZupFloor::LiesOnConnectingOpening(ZupNode* a, ZupNode* b)
{
    ZupFloor* room = mpCurAddition;
    ZupOpening* entrance = room ? room->GetEntrance() : nullptr;
    if (!a || !b || !entrance || !entrance->GetStart() || !entrance->GetEnd())
        return false;
    const point s = Transformed(NodePoint(entrance->GetStart()), room);
    const point e = Transformed(NodePoint(entrance->GetEnd()), room);
    return DistanceToSegment(a->GetPoint(), s, e) < LinearPlay() &&
           DistanceToSegment(b->GetPoint(), s, e) < LinearPlay();
}

bool ZupFloor::MeetsOtherMergedWall(KorLinTracker* found, ZupNode* a, ZupNode* b)
{
    ZupFloor* room = mpCurAddition;
    if (!room || !found || !a || !b)
        return false;
    KorNode* roomA = GetOriginalNode(a);
    KorNode* roomB = GetOriginalNode(b);
    KorLinTracker* own = roomA && roomB ? roomA->GetCommonLinTracker(roomB) : nullptr;
    const double snap = LinearPlay();
    const line& target = found->GetLine();
    point footA = a->GetPoint();
    footA = target;
    point footB = b->GetPoint();
    footB = target;
    for (KorTracker* tracker : room->GetTrackers()) {
        if (tracker == own || tracker->GetType() != KOR_LINEAR_TRACKER)
            continue;
        for (int i = 0; i < tracker->GetNumOfPrimitives(); ++i) {
            KorPrimitive* wall = tracker->GetPrimitive(i);
            const point s = Transformed(NodePoint(wall->GetStart()), room);
            const point e = Transformed(NodePoint(wall->GetEnd()), room);
            if (!(GeoDistance(s, target) < snap) || !(GeoDistance(e, target) < snap))
                break;  // another line of the room
            if (DistanceToSegment(footA, s, e) < snap || DistanceToSegment(footB, s, e) < snap)
                return true;
        }
    }
    return false;
}

ZupPartition* ZupFloor::Create(ZupFloor* room)
{
    MergeStateGuard guard(this);
    if (!room)
        return nullptr;
    if (GetNumOfPrimitives() > 0) {
        Clear();
        SetIntersectControl(room->GetIntersectControl());
    }
    mbMergeInProgress = false;
    // The room is copied as it stands: no corner of it snaps to another and
    // no wall to another's line, however short the step between them, and
    // no wall a few degrees off plumb or level is made plumb or level.
    auto* partition = new ZupPartition();
    mpCurPartition = partition;
    ZupNodeMap made;
    {
        KorScopedValue<float> snap(InputSnap(), static_cast<float>(LinearPlay()));
        KorScopedValue<angle> angularSnap(AngularInputSnap(), AngularPlay());
        // Each wall runs between the plan nodes made for its own two ends,
        // whatever the order and direction in which the room lists its walls.
        const auto planNode = [&](KorNode* node) -> ZupNode* {
            if (auto found = made.find(node); found != made.end())
                return dynamic_cast<ZupNode*>(found->second);
            const point p = NodePoint(node);
            ZupNode* created = made.empty() ? CreateNewNode(p.x(), p.y()) : CreateNode(p.x(), p.y());
            made[node] = created;
            return created;
        };
        for (const ContourStep& step : ContourOrder(room)) {
            KorPrimitive* primitive = step.wall;
            ZupNode* start = planNode(primitive->GetStart());
            ZupNode* end = planNode(primitive->GetEnd());
            bool added = false;
            if (KorNode* centre = primitive->GetCenter()) {
                added = start && end && AddArc(planNode(centre), start, end);
            } else {
                line through(NodePoint(primitive->GetStart()), NodePoint(primitive->GetEnd()));
                added = start && end && AddLine(start, end, &through, nullptr);
            }
            made[primitive->GetStart()] = start;
            made[primitive->GetEnd()] = end;
            if (added)
                partition->AddSurface(MappedIn(made, step.from), MappedIn(made, step.to));
        }
    }
    // Each room node maps to the plan node made for it; a node no wall made
    // takes the plan node at its place in the list.
    mNodeMap.clear();
    const std::size_t count = std::min(GetNodes().size(), room->GetNodes().size());
    for (std::size_t i = 0; i < count; ++i)
        mNodeMap[room->GetNodes()[i]] = GetNodes()[i];
    for (const auto& [roomNode, planNode] : made)
        if (planNode)
            mNodeMap[roomNode] = planNode;
    partition->SetUnmovable();
    if (!partition->MakeWallContour()) {
        delete partition;
        return nullptr;
    }
    partition->SetName(room->GetName());
    mPartitions.push_back(partition);
    for (ZupOpening* opening : room->mOpenings)
        CopyOpening(opening, NodePoint(opening->GetStart()), NodePoint(opening->GetEnd()), partition);
    TransferObjects(room, partition);
    mbResolvable = true;
    return partition;
}

// A room's opening made again on the plan between a and b, with its wall
// thickness, its room and its stair.
ZupOpening* ZupFloor::CopyOpening(ZupOpening* opening, point a, point b, ZupPartition* partition)
{
    auto* copy = static_cast<ZupOpening*>(opening->Clone(this));
    if (!copy->Create(this, a, b)) {
        delete copy;
        return nullptr;
    }
    if (copy->GetEdge() && opening->GetEdge())
        copy->GetEdge()->WallThickness() = opening->GetEdge()->WallThickness();
    copy->SetPartition(partition);
    if (auto* stair = dynamic_cast<ZupOpeningStair*>(opening->GetAttached())) {
        auto* stairCopy = static_cast<ZupOpeningStair*>(stair->Clone(this));
        if (stairCopy->Create(copy))
            stairCopy->SetPartition(partition);
        else
            delete stairCopy;
    }
    return copy;
}

// A straight wall of the room that would run inside a room of the plan,
// along one of its walls, goes onto that wall's line: its ends move along
// their other walls (or square onto the line), so a room drawn a little too
// large meets its neighbour instead of overlapping it. The entrance wall is
// held where it is by the door: a room whose entrance wall runs inside
// another cannot join (false). The new places of the moved nodes are kept
// in `moved`.
bool ZupFloor::PlaceRoomWalls(ZupFloor* room, ZupNodePlaces& moved)
{
    const auto at = [&](KorNode* node) {
        auto place = moved.find(node);
        return place != moved.end() ? place->second : Transformed(NodePoint(node), room);
    };
    for (ZupEdge* wall : Walls(room)) {
        KorPrimitive* primitive = AsPrimitive(wall);
        if (primitive->GetCenter())
            continue;
        KorNode* ends[2] = {primitive->GetStart(), primitive->GetEnd()};
        const point s = at(ends[0]), e = at(ends[1]);
        const double length = Distance(s, e);
        if (!(length > MinWallLength()))
            continue;
        // The other wall at each end: the line the end moves along.
        KorPrimitive* neighbours[2] = {};
        double shortest = -1.0;
        for (int i = 0; i < 2; ++i) {
            for (short k = 0; k < ends[i]->GetNumOfPrimitives(); ++k)
                if (KorPrimitive* other = ends[i]->GetPrimitive(k); other != primitive && CastToEdge(other))
                    neighbours[i] = other;
            if (neighbours[i]) {
                const double l = Distance(at(neighbours[i]->GetStart()), at(neighbours[i]->GetEnd()));
                shortest = shortest < 0.0 || l < shortest ? l : shortest;
            }
        }
        if (shortest < 0.0)
            continue;
        point middle(s, e);
        const line along(s, e);
        KorLinTracker* edgeLine = InsideAlongWall(middle, along, 0.5 * shortest);
        if (!edgeLine)
            continue;
        if (IsEntranceWall(room, wall))
            return false;
        const line& target = edgeLine->GetLine();
        for (int i = 0; i < 2; ++i) {
            point to = at(ends[i]);
            KorPrimitive* neighbour = neighbours[i];
            KorNode* far = neighbour ? neighbour->GetOtherNode(ends[i]) : nullptr;
            point crossing;
            if (far && !neighbour->GetCenter() && Crossing(line(at(far), to), target, crossing))
                to = crossing;
            else
                to = target;  // the foot on the line
            moved[ends[i]] = to;
        }
    }
    return true;
}

// The straight wall of a plan room along which a line through p runs inside
// that room, p lying within `reach` of it but clear of it; null when p lies in
// no room of the plan.
KorLinTracker* ZupFloor::InsideAlongWall(point& p, const line& along, double reach)
{
    for (ZupPartition* cut : mPartitions) {
        if (!cut || cut->IsOuterShell() || cut->GetContour().count() == 0 || !(p < cut->GetContour()))
            continue;
        KorLinTracker* best = nullptr;
        double nearest = reach;
        for (int i = 0; i < cut->GetNumOfWalls(); ++i) {
            ZupWallSurface* surface = cut->GetWall(i);
            for (int j = 0; surface && j < surface->GetNumOfEdges(); ++j) {
                ZupEdge* edge = surface->GetEdge(j);
                KorPrimitive* primitive = edge ? AsPrimitive(edge) : nullptr;
                auto* tracker = primitive ? dynamic_cast<KorLinTracker*>(primitive->GetTracker()) : nullptr;
                if (!tracker || !Parallel(along, tracker->GetLine(), AngularPlay().rad()))
                    continue;
                const double d = GeoDistance(p, tracker->GetLine());
                if (d > LinearPlay() && d < nearest) {
                    best = tracker;
                    nearest = d;
                }
            }
        }
        if (best)
            return best;
    }
    return nullptr;
}

// A corner of the room's entrance wall that would stand inside a room of the
// plan, a little way in from one of its walls, goes along its side wall onto
// that wall. The entrance wall, held on its line by the door, then follows
// the plan room's walls from there back to its line: a room drawn over a
// step of its neighbour's wall meets that wall instead of cutting a sliver
// off the room. Each such corner's new place is kept in `moved` and the way
// its wall takes in `detours`; a corner for which no short way is found is
// left as it stands.
void ZupFloor::PlaceEntranceCorners(ZupFloor* room, ZupNodePlaces& moved, ZupEntranceDetours& detours)
{
    ZupOpening* entrance = room->GetEntrance();
    ZupEdge* wall = entrance ? entrance->GetEdge() : nullptr;
    KorPrimitive* primitive = wall ? AsPrimitive(wall) : nullptr;
    if (!primitive || primitive->GetCenter())
        return;
    const auto at = [&](KorNode* node) {
        auto place = moved.find(node);
        return place != moved.end() ? place->second : Transformed(NodePoint(node), room);
    };
    KorNode* ends[2] = {primitive->GetStart(), primitive->GetEnd()};
    for (int i = 0; i < 2; ++i) {
        KorNode* corner = ends[i];
        KorPrimitive* side = nullptr;
        for (short k = 0; k < corner->GetNumOfPrimitives(); ++k)
            if (KorPrimitive* other = corner->GetPrimitive(k); other != primitive && CastToEdge(other))
                side = other;
        if (!side || side->GetCenter() || moved.count(corner))
            continue;
        const point p = at(corner);
        const point far = at(side->GetOtherNode(corner));
        const point other = at(ends[1 - i]);
        const double reach = 0.5 * std::min(Distance(p, far), Distance(p, other));
        std::vector<point> way = DetourToLine(p, far, other, reach);
        if (way.size() < 2 || !ClearOfDoor(way.back(), p, other, entrance, room))
            continue;
        moved[corner] = way.front();
        detours[corner] = std::move(way);
    }
}

// From the crossing of the side wall (corner to far) with the wall of the
// plan room the corner stands in, along that room's outline to its first
// corner on the entrance wall's line (corner to other) between the two: the
// points of that way, or none when the corner stands in no room, the side
// wall meets its outline farther than `reach` or the outline strays from
// the line by more than that on the way.
std::vector<point> ZupFloor::DetourToLine(const point& corner, const point& far, const point& other,
                                          double reach)
{
    const double play = LinearPlay();
    const double wx = other.x() - corner.x(), wy = other.y() - corner.y();
    const double wallLength = std::hypot(wx, wy);
    if (!(wallLength > play) || !(Distance(corner, far) > play))
        return {};
    for (ZupPartition* cut : mPartitions) {
        point inside(corner);
        if (!cut || cut->IsOuterShell() || cut->GetContour().count() < 3 || !(inside < cut->GetContour()))
            continue;
        const std::vector<point> ring = OutlineRing(cut->GetContour(), play);
        const std::size_t n = ring.size();
        const OutlineMeeting meeting = SideWallMeets(ring, corner, far);
        if (n < 3 || !meeting.found || !(Distance(corner, meeting.at) < reach) ||
            !(Distance(corner, meeting.at) > play))
            return {};
        // Round the outline the way that leads along the entrance wall.
        const point& a = ring[meeting.piece];
        const point& b = ring[(meeting.piece + 1) % n];
        const bool forward = (b.x() - meeting.at.x()) * wx + (b.y() - meeting.at.y()) * wy >
                             (a.x() - meeting.at.x()) * wx + (a.y() - meeting.at.y()) * wy;
        std::vector<point> way{meeting.at};
        std::size_t k = forward ? (meeting.piece + 1) % n : meeting.piece;
        for (std::size_t steps = 0; steps < n; ++steps) {
            const point& v = ring[k];
            way.push_back(v);
            const double off = DistanceToLine(v, corner, other);
            if (off > reach)
                return {};
            if (off < play) {
                const double along = ((v.x() - corner.x()) * wx + (v.y() - corner.y()) * wy) / wallLength;
                return along > play && along < wallLength - play ? way : std::vector<point>{};
            }
            k = forward ? (k + 1) % n : (k + n - 1) % n;
        }
        return {};
    }
    return {};
}

// The entrance wall from `from` to `to`, where one end or both take their
// way along a plan room's walls: each stretch of the way is a wall of the
// room, the rest of the wall runs on its own line.
bool ZupFloor::AddEntranceWall(KorNode* from, KorNode* to, ZupPartition* partition,
                               const ZupEntranceDetours& detours)
{
    std::vector<ZupNode*> chain{MappedNode(from)};
    const auto planNodeAt = [&](point p) -> ZupNode* {
        if (ZupNode* found = GetClosestNode(p, true, false, static_cast<float>(LinearPlay())))
            return found;
        return CreateNewNode(p.x(), p.y());
    };
    if (auto way = detours.find(from); way != detours.end())
        for (std::size_t i = 1; i < way->second.size(); ++i)
            chain.push_back(planNodeAt(way->second[i]));
    if (auto way = detours.find(to); way != detours.end())
        for (std::size_t i = way->second.size(); i-- > 1;)
            chain.push_back(planNodeAt(way->second[i]));
    chain.push_back(MappedNode(to));
    for (std::size_t i = 0; i + 1 < chain.size(); ++i) {
        ZupNode* a = chain[i];
        ZupNode* b = chain[i + 1];
        if (!a || !b)
            return false;
        if (a == b)
            continue;
        bool added = false;
        {
            KorScopedValue<double> snap(GeoSnap(), InputSnap());
            KorScopedValue<angle> angularSnap(AngularInputSnap(), AngularPlay());
            line through(a->GetPoint(), b->GetPoint());
            added = AddLine(a, b, &through, nullptr);
        }
        if (!added)
            return false;
        partition->AddSurface(a, b);
    }
    mNodeMap[from] = chain.front();
    mNodeMap[to] = chain.back();
    return true;
}

// The first room node, an end of the room's aligned entrance wall, keeps
// that wall on its line: a plan node found off the line is not taken.
ZupNode* ZupFloor::KeepOnEntranceLine(ZupFloor* room, KorNode* node, ZupNode* made, const point& p)
{
    ZupOpening* entrance = room->GetEntrance();
    ZupEdge* wall = entrance ? entrance->GetEdge() : nullptr;
    KorPrimitive* primitive = wall ? AsPrimitive(wall) : nullptr;
    if (!primitive || (primitive->GetStart() != node && primitive->GetEnd() != node))
        return made;
    auto* tracker = dynamic_cast<KorLinTracker*>(primitive->GetTracker());
    if (!tracker || !tracker->IsAligned())
        return made;
    const point s = Transformed(NodePoint(primitive->GetStart()), room);
    const point e = Transformed(NodePoint(primitive->GetEnd()), room);
    if (!(DistanceToLine(made->GetPoint(), s, e) > InputSnap()))
        return made;
    ZupNode* own = CreateNewNode(p.x(), p.y());
    return own ? own : made;
}

// Maps the room's nodes to plan nodes; false when a node cannot be made.
// Two corners of the room never become one plan node: the wall between
// them, however short, is the user's.
bool ZupFloor::MapRoomNodes(ZupFloor* room, const ZupNodePlaces& moved)
{
    mNodeMap.clear();
    mbMergeInProgress = false;
    std::map<KorNode*, KorNode*, KorSerialLess> imageOf;  // plan node -> room node
    ZupNode* previous = nullptr;
    bool first = true;
    for (KorNode* node : std::vector<KorNode*>(room->GetNodes())) {
        if (node->GetNumOfPrimitives() == 0)
            break;
        auto place = moved.find(node);
        point p = place != moved.end() ? place->second : Transformed(node->GetPoint(), room);
        ZupNode* made = room->IsTransformed() ? CreateNode(p, previous, true) : CreateNode(p.x(), p.y());
        if (!made)
            return false;
        if (first)
            made = KeepOnEntranceLine(room, node, made, p);
        first = false;
        auto taken = imageOf.find(made);
        if (taken != imageOf.end() && taken->second != node) {
            KorNode* other = taken->second;
            auto otherPlace = moved.find(other);
            const point q = otherPlace != moved.end() ? otherPlace->second : Transformed(other->GetPoint(), room);
            if (Distance(p, q) > LinearPlay()) {
                mbMergeInProgress = true;
                if (Distance(made->GetPoint(), p) > Distance(made->GetPoint(), q)) {
                    made = CreateNewNode(p.x(), p.y());
                } else {
                    // The plan node stands for this corner; the other gets its own.
                    ZupNode* own = CreateNewNode(q.x(), q.y());
                    if (!own)
                        return false;
                    mNodeMap[other] = own;
                    imageOf[own] = other;
                }
                if (!made)
                    return false;
            }
        }
        mNodeMap[node] = made;
        imageOf[made] = node;
        previous = made;
    }
    return true;
}

ZupPartition* ZupFloor::AddPartition(ZupFloor* room, ZupOpening* opening)
{
    MergeStateGuard guard(this);
    mpCurRoom = nullptr;
    if (!room)
        return nullptr;
    if (!opening)
        opening = GetConnectionPortal(room);
    if (!opening || !opening->IsConnectable(mpOuterShell))
        return nullptr;
    ZupOpening* entrance = room->GetEntrance();
    if (!entrance)
        return nullptr;
    mpCurAddition = room;
    SetIntersectControl(room->GetIntersectControl());
    if (!room->IsTransformed()) {
        CalculateTransformation(opening, entrance);
        if (!mCurTransformation.NeedAction())
            room->SetTransformed(true);
    }
    ZupNodePlaces moved;
    ZupEntranceDetours detours;
    if (!PlaceRoomWalls(room, moved))
        return nullptr;
    PlaceEntranceCorners(room, moved, detours);
    if (!MapRoomNodes(room, moved))
        return nullptr;

    auto* partition = new ZupPartition();
    partition->SetName(room->GetName());
    mpCurPartition = partition;
    const bool wallsAdded = AddRoomWalls(room, partition, moved, detours);
    RehomeWallObjects();
    if (!wallsAdded) {
        delete partition;
        return nullptr;
    }
    if (mbResolvable)
        CarryAlignments(room);
    partition->SetUnmovable();
    if (!partition->MakeWallContour()) {
        delete partition;
        return nullptr;
    }
    mPartitions.push_back(partition);
    delete mpOuterShell;
    mpOuterShell = nullptr;
    if (!CarryOpenings(room, opening, partition)) {
        // The room joined the list above: it leaves it before it goes.
        mPartitions.erase(std::find(mPartitions.begin(), mPartitions.end(), partition));
        delete partition;
        return nullptr;
    }
    TransferObjects(room, partition);
    FitObjectsToPieces();
    SetupObjects();
    return partition;
}

// A wall that met another inside one of its objects was cut into pieces at
// the joint; the object stayed with the piece under its centre but may still
// reach past that piece's end. Such an object is fitted to its piece the way
// a divided wall fits a window or a door it keeps, a fixture too: its end
// beyond the piece goes to the piece's end. The room keeps the object as
// drawn.
void ZupFloor::FitObjectsToPieces()
{
    for (ZupEdge* wall : Walls(this)) {
        KorPrimitive* primitive = AsPrimitive(wall);
        if (primitive->GetCenter())
            continue;  // arcs keep their objects
        const segment span(NodePoint(primitive->GetStart()), NodePoint(primitive->GetEnd()));
        const double length = Distance(span.start(), span.end());
        if (!(length > LinearPlay()))
            continue;
        const double slack = LinearPlay() / length;
        const auto beyond = [&](point p) {
            const double t = p.position(span);
            return t < -slack || t > 1.0 + slack;
        };
        KorScopedValue<double> snap(GeoSnap(), InputSnap() / 2.0);
        for (int i = 0; i < wall->GetNumOfObjects(); ++i) {
            ZupWallObject* object = wall->GetWallObject(i);
            // Only an object that the piece holds by its centre is fitted:
            // one wholly beyond it would be stretched over the whole piece.
            if (!object || object->IsCorner() || beyond(object->GetGeoCenter()))
                continue;
            if (beyond(NodePoint(object->GetStart())) || beyond(NodePoint(object->GetEnd()))) {
                wall->UpdateObject(object);
                wall->FitObjectEnds(object);
            }
        }
    }
}

// Walls split or reused while the room's walls came in can leave an object
// on a piece that no longer holds it: each goes to the wall under its centre.
void ZupFloor::RehomeWallObjects()
{
    for (ZupEdge* wall : Walls(this)) {
        KorPrimitive* primitive = AsPrimitive(wall);
        if (primitive->GetCenter())
            continue;  // arcs keep their objects
        const point s = NodePoint(primitive->GetStart()), e = NodePoint(primitive->GetEnd());
        const segment span(s, e);
        for (int i = wall->GetNumOfObjects(); i-- > 0;) {
            ZupWallObject* object = wall->GetWallObject(i);
            if (!object || object->IsCorner())
                continue;
            point centre = object->GetGeoCenter();
            const double t = centre.position(span);
            if (t >= 0.0 && t <= 1.0)
                continue;
            KorPrimitive* host = nullptr;
            {
                KorScopedValue<double> snap(GeoSnap(), InputSnap());
                host = KorModel::GetPrimitive(centre, nullptr);
            }
            ZupEdge* to = CastToEdge(host);
            if (to && to != wall)
                wall->TransferObject(to, object);
        }
    }
    // A wall kept as a piece may run the other way now: its objects are
    // turned to start toward its start node again and put in its order.
    for (ZupEdge* wall : Walls(this)) {
        for (int i = 0; i < wall->GetNumOfObjects(); ++i) {
            ZupWallObject* object = wall->GetWallObject(i);
            if (!object || object->IsCorner())
                continue;
            KorNode* start = object->KorSegment::GetStart();
            object->ValidateEnds();
            if (object->KorSegment::GetStart() != start)
                object->SetOrientation();
        }
        wall->SortObjects();
    }
}

bool ZupFloor::AddRoomWalls(ZupFloor* room, ZupPartition* partition, const ZupNodePlaces& moved,
                            const ZupEntranceDetours& detours)
{
    for (const ContourStep& step : ContourOrder(room)) {
        KorPrimitive* primitive = step.wall;
        const bool detoured = detours.count(step.from) || detours.count(step.to);
        if (detoured && IsEntranceWall(room, CastToEdge(primitive))) {
            if (!AddEntranceWall(step.from, step.to, partition, detours))
                return false;
            continue;
        }
        // Each wall runs between the plan nodes mapped from its own two ends.
        ZupNode* start = MappedNode(primitive->GetStart());
        ZupNode* end = MappedNode(primitive->GetEnd());
        if (!start || !end)
            return false;
        const double dx = std::fabs(start->GetPoint().x() - end->GetPoint().x());
        const double dy = std::fabs(start->GetPoint().y() - end->GetPoint().y());
        if (start == end || (!(dx > LinearPlay()) && !(dy > LinearPlay())))
            continue;
        bool added = false;
        {
            // A wall a few degrees off plumb or level comes in as it was
            // drawn, not made plumb or level.
            KorScopedValue<double> snap(GeoSnap(), InputSnap());
            KorScopedValue<angle> angularSnap(AngularInputSnap(), AngularPlay());
            if (KorNode* centre = primitive->GetCenter()) {
                added = AddArc(MappedNode(centre), start, end);
            } else {
                auto* tracker = dynamic_cast<KorLinTracker*>(primitive->GetTracker());
                const bool kept = !moved.count(primitive->GetStart()) && !moved.count(primitive->GetEnd());
                line through = room->IsTransformed() && tracker && kept
                                   ? tracker->GetLine()
                                   : line(start->GetPoint(), end->GetPoint());
                added = AddLine(start, end, &through, nullptr);
            }
        }
        // A wall that cuts a room already in the plan ends the merge.
        if (!added)
            return false;
        mNodeMap[primitive->GetStart()] = start;
        mNodeMap[primitive->GetEnd()] = end;
        partition->AddSurface(MappedNode(step.from), MappedNode(step.to));
    }
    return true;
}

void ZupFloor::CarryAlignments(ZupFloor* room)
{
    bool made = false;
    for (KorDimension* dimension : std::vector<KorDimension*>(room->GetDimensions())) {
        const KOREntityType type = dimension->GetType();
        if (type == KOR_PARALLEL || type == KOR_PERPENDICULAR)
            made = CreateAlignment(dimension) != nullptr || made;
        else if (type != KOR_ANGLE)
            break;
    }
    SetRulesFlag(false);
    if (made) {
        KorScopedValue<int> limit(ReorderingLimit(), 1);
        if (!KorModel::Resolve())
            mbResolvable = false;
    }
}

bool ZupFloor::CarryOpenings(ZupFloor* room, ZupOpening* connection, ZupPartition* partition)
{
    const double tolerance = InputSnap();
    for (ZupOpening* theirs : room->mOpenings) {
        if (theirs == room->GetEntrance()) {
            theirs->Update(connection, partition);
            continue;
        }
        ZupOpening* namesake = GetOpening(theirs->GetNameChars());
        if (namesake && namesake->GetEdge() && namesake->GetEdge()->IsExternal()) {
            if (!MatchedEdges(namesake->GetEdge(), theirs->GetEdge())) {
                const point c = Transformed(theirs->GetGeoCenter(), room);
                const point n = namesake->GetGeoCenter();
                mCurDiscrepancy = G_POINT{n.x() - c.x(), n.y() - c.y()};
                if (std::fabs(mCurDiscrepancy.x) > tolerance || std::fabs(mCurDiscrepancy.y) > tolerance) {
                    ZupPartition* other = namesake->GetEdge()->GetOtherPartition(nullptr);
                    mAttachmentPath.Create(namesake, other, connection);
                    return false;
                }
            } else if (theirs->IsFullEdge()) {
                StretchOverWall(namesake);
            }
            theirs->Update(namesake, partition);
            continue;
        }
        point a = NodePoint(theirs->GetStart());
        point b = NodePoint(theirs->GetEnd());
        if (UpdateObjectEnds(a, b, theirs, room))
            CopyOpening(theirs, a, b, partition);
    }
    return true;
}

// A plan opening met by a full-wall opening of the merged room spans its
// whole wall too: its ends go onto the wall's ends, each to the nearer.
void ZupFloor::StretchOverWall(ZupOpening* opening)
{
    ZupEdge* wall = opening->GetEdge();
    KorPrimitive* primitive = wall ? AsPrimitive(wall) : nullptr;
    KorNode* start = opening->GetStart();
    KorNode* end = opening->GetEnd();
    if (!primitive || primitive->GetCenter() || !start || !end)
        return;
    point a = NodePoint(primitive->GetStart());
    point b = NodePoint(primitive->GetEnd());
    if (Distance(NodePoint(start), b) < Distance(NodePoint(start), a))
        std::swap(a, b);
    for (auto [node, to] : {std::pair<KorNode*, point>{start, a}, std::pair<KorNode*, point>{end, b}})
        if (node != primitive->GetStart() && node != primitive->GetEnd())
            node->GetPoint() = to;
}

bool ZupFloor::UpdateObjectEnds(point& a, point& b, ZupWallObject* object, ZupFloor* room)
{
    ZupEdge* roomWall = object->GetEdge();
    KorPrimitive* roomPrimitive = roomWall ? AsPrimitive(roomWall) : nullptr;
    if (!roomPrimitive)
        return false;
    const bool aIsEnd = a == NodePoint(roomPrimitive->GetStart()) || a == NodePoint(roomPrimitive->GetEnd());
    const bool bIsEnd = b == NodePoint(roomPrimitive->GetStart()) || b == NodePoint(roomPrimitive->GetEnd());
    a = Transformed(a, room);
    b = Transformed(b, room);
    ZupNode* mappedStart = MappedNode(roomPrimitive->GetStart());
    ZupNode* mappedEnd = MappedNode(roomPrimitive->GetEnd());
    if (!mappedStart || !mappedEnd)
        return false;
    const point ms = mappedStart->GetPoint(), me = mappedEnd->GetPoint();
    point middle = Projection(point(a, b), ms, me);
    KorPrimitive* host = nullptr;
    {
        KorScopedValue<double> snap(GeoSnap(), InputSnap());
        host = KorModel::GetPrimitive(middle, nullptr);
    }
    ZupEdge* hostEdge = CastToEdge(host);
    if (object->IsPortal()) {
        if (!hostEdge)
            return false;
        ZupWallObject* there = hostEdge->GetWallObjectByCenter(middle);
        if (there && there->IsPortal())
            return false;
        const point hs = NodePoint(host->GetStart()), he = NodePoint(host->GetEnd());
        const auto nearer = [&](const point& p) { return Distance(p, hs) <= Distance(p, he) ? hs : he; };
        a = aIsEnd ? nearer(a) : Projection(a, hs, he);
        b = bIsEnd ? nearer(b) : Projection(b, hs, he);
        return true;
    }
    const bool degenerate = a == b;
    const auto nearerMapped = [&](const point& p) { return Distance(p, ms) <= Distance(p, me) ? ms : me; };
    a = aIsEnd ? nearerMapped(a) : Projection(a, ms, me);
    b = degenerate ? a : (bIsEnd ? nearerMapped(b) : Projection(b, ms, me));
    return true;
}

bool ZupFloor::MatchedEdges(ZupEdge* planEdge, ZupEdge* roomEdge)
{
    if (!planEdge || !roomEdge)
        return true;
    KorPrimitive* room = AsPrimitive(roomEdge);
    KorPrimitive* plan = AsPrimitive(planEdge);
    ZupNode* a = MappedNode(room->GetStart());
    ZupNode* b = MappedNode(room->GetEnd());
    if (!a || !b)
        return true;
    const auto isEnd = [&](KorNode* n) { return n == plan->GetStart() || n == plan->GetEnd(); };
    return isEnd(a) || isEnd(b);
}

KorDimension* ZupFloor::CreateAlignment(KorDimension* dimension)
{
    KorLinTracker* trackers[2] = {};
    KorEntity* entities[2] = {dimension->GetStart(), dimension->GetEnd()};
    for (int i = 0; i < 2; ++i) {
        KorEntity* entity = entities[i];
        KorTracker* tracker = nullptr;
        if (auto* primitive = dynamic_cast<KorPrimitive*>(entity))
            tracker = primitive->GetTracker();
        else
            tracker = dynamic_cast<KorTracker*>(entity);
        if (!tracker || tracker->GetNumOfNodes() < 2)
            return nullptr;
        ZupNode* a = MappedNode(tracker->GetNode(0));
        ZupNode* b = MappedNode(tracker->GetNode(1));
        KorPrimitive* wall = a && b && a != b ? a->GetPrimitive(b) : nullptr;
        trackers[i] = wall ? dynamic_cast<KorLinTracker*>(wall->GetTracker()) : nullptr;
        if (!trackers[i])
            return nullptr;
    }
    if (trackers[0] == trackers[1] || (!trackers[0]->IsMovable() && !trackers[1]->IsMovable()))
        return nullptr;
    const double d = angle(trackers[0]->GetLine(), trackers[1]->GetLine()).deg();
    const double folded = std::fabs(std::remainder(d, 180.0));
    const bool withinBand = folded < mAngularInputSnap;
    KorParallel* made = nullptr;
    if (dimension->GetType() == KOR_PARALLEL && withinBand)
        made = new KorParallel();
    else if (dimension->GetType() == KOR_PERPENDICULAR && !withinBand)
        made = new KorPerpendicular();
    if (!made)
        return nullptr;
    if (made->Create(this, trackers[0], trackers[1]) == 0) {
        delete made;
        return nullptr;
    }
    return made;
}

void ZupFloor::TransferObjects(ZupFloor* room, ZupPartition* partition)
{
    for (ZupEdge* wall : Walls(room)) {
        KorPrimitive* primitive = AsPrimitive(wall);
        if (auto* start = dynamic_cast<ZupNode*>(primitive->GetStart()))
            if (ZupNodeObject* corner = start->GetNodeObject(nullptr))
                if (ZupNode* mapped = MappedNode(start))
                    if (ZupNodeObject* copy = corner->Clone(mapped, corner))
                        copy->SetPartition(partition);
        for (int i = 0; i < wall->GetNumOfObjects(); ++i) {
            ZupWallObject* object = wall->GetWallObject(i);
            if (!object || object->IsPortal() || object->GetAttached() || object->IsNode())
                continue;
            TransferWallObject(object, room, partition);
        }
    }
    for (int i = 0; i < room->GetNumOfObjects(); ++i) {
        ZupRoomObject* object = room->GetRoomObject(i);
        ZupRoomObject* copy = object->Clone(nullptr);
        const point p = Transformed(object->GetPoint(), room);
        angle direction = object->GetDirection();
        if (!copy->Create(this, p.x(), p.y(), &direction, true)) {
            delete copy;
            continue;
        }
        copy->ZupObject::SetPartition(partition);
        if (copy->GetObjectType() == ZUP_OBJ_ISLAND)
            IncreaseNumOfIslands();
    }
}

void ZupFloor::TransferWallObject(ZupWallObject* object, ZupFloor* room, ZupPartition* partition)
{
    point a = NodePoint(object->GetStart());
    point b = NodePoint(object->GetEnd());
    const bool wasDegenerate = a == b;
    if (!UpdateObjectEnds(a, b, object, room))
        return;
    ZupWallObject* copy = object->Clone(this);
    if (!copy)
        return;
    copy->SetPartition(partition);
    if (!copy->Create(this, a, b, nullptr) ||
        (!wasDegenerate && copy->GetStart() == copy->GetEnd())) {
        delete copy;
        return;
    }
    if (auto* fireplace = dynamic_cast<ZupWallFireplace*>(copy)) {
        Create2FacedFireplace(fireplace);
        copy = fireplace;  // null when it joined another fireplace
    } else if (copy->NeedAlignment()) {
        Align(copy);
    }
    if (copy)
        copy->ModifyExtents();
}

void ZupFloor::Align(ZupWallObject* object)
{
    if (!object || object->IsCorner() || !object->GetEdge())
        return;
    ZupEdge* wall = object->GetEdge();
    for (int i = 0; i < wall->GetNumOfObjects(); ++i) {
        ZupWallObject* other = wall->GetWallObject(i);
        if (!other || other == object || other->GetObjectType() != object->GetObjectType() ||
            other->ZupObject::GetPartition() == object->ZupObject::GetPartition())
            continue;
        const bool touches = other->GetStart()->GetPoint() == object->GetStart()->GetPoint() ||
                             other->GetStart()->GetPoint() == object->GetEnd()->GetPoint() ||
                             other->GetEnd()->GetPoint() == object->GetStart()->GetPoint() ||
                             other->GetEnd()->GetPoint() == object->GetEnd()->GetPoint();
        if (touches) {
            const point c = other->GetGeoCenter();
            object->SetPosition(c.x(), c.y());
            return;
        }
    }
}

void ZupFloor::Create2FacedFireplace(ZupWallFireplace*& fireplace)
{
    if (!fireplace || fireplace->GetStart() == fireplace->GetEnd() || !fireplace->GetEdge())
        return;
    ZupEdge* wall = fireplace->GetEdge();
    point centre = fireplace->GetGeoCenter();
    for (int i = 0; i < wall->GetNumOfObjects(); ++i) {
        auto* other = dynamic_cast<ZupWallFireplace*>(wall->GetWallObject(i));
        if (!other || other == fireplace || !(other->GetGeoCenter() == centre))
            continue;
        if (std::fabs(other->GetWidth() - fireplace->GetWidth()) <= 0.15f * fireplace->GetWidth()) {
            other->SetType(4);
            other->SetDepth(-(other->GetDepth() + fireplace->GetDepth()));
            delete fireplace;
            fireplace = nullptr;
            return;
        }
    }
    JoinBackToBackFireplace(fireplace);
}

// A fireplace facing another across a parallel wall: the two make one
// two-faced fireplace through the wall between them.
void ZupFloor::JoinBackToBackFireplace(ZupWallFireplace* fireplace)
{
    ZupEdge* wall = fireplace->GetEdge();
    auto* ownTracker = dynamic_cast<KorLinTracker*>(AsPrimitive(wall)->GetTracker());
    if (!ownTracker)
        return;
    const point centre = fireplace->GetGeoCenter();
    const angle in = zup_points::ContourDirection(fireplace->GetContour(), centre);
    const double ux = -std::cos(in.rad()), uy = -std::sin(in.rad());
    double nearest = -1.0;
    point hit;
    ZupEdge* hitWall = nullptr;
    for (ZupEdge* other : Walls(this)) {
        KorPrimitive* primitive = AsPrimitive(other);
        auto* tracker = dynamic_cast<KorLinTracker*>(primitive->GetTracker());
        if (other == wall || other->GetNumOfObjects() == 0 || !tracker || tracker == ownTracker ||
            !tracker->IsParallel(ownTracker, true))
            continue;
        const point a = NodePoint(primitive->GetStart()), b = NodePoint(primitive->GetEnd());
        const double vx = b.x() - a.x(), vy = b.y() - a.y();
        const double denominator = ux * vy - uy * vx;
        if (std::fabs(denominator) < 1e-12)
            continue;
        const double t = ((a.x() - centre.x()) * vy - (a.y() - centre.y()) * vx) / denominator;
        if (!(t > 0.0) || (nearest >= 0.0 && t >= nearest))
            continue;
        nearest = t;
        hit = point(centre.x() + t * ux, centre.y() + t * uy);
        hitWall = other;
    }
    if (!hitWall)
        return;
    auto* facing = dynamic_cast<ZupWallFireplace*>(hitWall->GetWallObject(hit, nullptr));
    if (!facing || facing == fireplace)
        return;
    facing->SetType(4);
    facing->SetDepth(static_cast<int>(Distance(centre, hit)));
    fireplace->SetType(5);
    const point ws = NodePoint(AsPrimitive(wall)->GetStart()), we = NodePoint(AsPrimitive(wall)->GetEnd());
    point p1 = Projection(NodePoint(facing->GetStart()), ws, we);
    point p2 = Projection(NodePoint(facing->GetEnd()), ws, we);
    KorNode* start = fireplace->GetStart();
    KorNode* end = fireplace->GetEnd();
    if (!start || !end)
        return;
    if (Distance(p2, start->GetPoint()) < Distance(p1, start->GetPoint()))
        std::swap(p1, p2);
    start->SetPosition(p1.x(), p1.y(), true, false);
    end->SetPosition(p2.x(), p2.y(), true, false);
}
