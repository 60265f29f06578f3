// Finding the rooms of a floor from its walls: the nodes are classified and
// dangling walls peeled off, the outer shell is the outline of the walls
// around the leftmost node, and every face the walls bound is a room.
#include <algorithm>
#include <cmath>
#include <unordered_set>
#include <vector>

#include "kor_primitive.h"
#include "kor_tracker.h"
#include "settings.h"
#include "zup_edge.h"
#include "zup_floor.h"
#include "zup_node.h"
#include "zup_partition.h"
#include "zup_partition_solution.h"
#include "zup_room_faces.h"
#include "distances.h"

namespace {

bool IsExcluded(const ZupNode* node)
{
    return node->GetLogStatus() == ZUP_NODE_EXCLUDED;
}

std::vector<ZupNode*> FloorNodes(const ZupFloor& floor)
{
    std::vector<ZupNode*> nodes;
    for (KorNode* node : floor.GetNodes())
        if (auto* wallNode = dynamic_cast<ZupNode*>(node); wallNode && wallNode->IsExtendedType())
            nodes.push_back(wallNode);
    return nodes;
}

ZupNode* NeighbourAcross(KorPrimitive* primitive, ZupNode* node)
{
    return primitive ? dynamic_cast<ZupNode*>(primitive->GetOtherNode(node)) : nullptr;
}

// Two walls on one tracker through a node become one wall, unless either
// holds objects: the merge would delete the second with its objects.
void MergeStraightThrough(ZupNode* node)
{
    if (node->GetNumOfPrimitives() != 2 || node->GetNumOfTrackers() != 1)
        return;
    KorPrimitive* first = node->GetPrimitive(0u);
    KorPrimitive* second = node->GetPrimitive(1u);
    ZupEdge* firstEdge = ZupFloor::CastToEdge(first);
    ZupEdge* secondEdge = ZupFloor::CastToEdge(second);
    if (!firstEdge || !secondEdge || first == second)
        return;
    if (firstEdge->GetNumOfObjects() > 0 || secondEdge->GetNumOfObjects() > 0)
        return;
    first->Merge(second);  // deletes second and the node
}

}  // namespace

bool ZupFloor::MakePartitions(bool outerShellOnly)
{
    if (GetNodes().empty())
        return false;
    RemovePartitions();
    if (!ResetPartitionSearchNodes())
        return false;
    bool oneRoom = true;
    if (!MakeOuterShell(oneRoom))
        return false;
    if (oneRoom || outerShellOnly)
        return true;
    return MakeInnerPartitions();
}

bool ZupFloor::ResetPartitionSearchNodes()
{
    std::vector<ZupNode*> danglingEnds;
    std::vector<std::uint64_t> straightThrough;  // serials: a merge deletes the node
    for (ZupNode* node : FloorNodes(*this)) {
        const short count = node->GetNumOfPrimitives();
        if (count == 0) {
            node->SetLogStatus(ZUP_NODE_EXCLUDED);
            continue;
        }
        node->SetUsability();
        node->LogReset(true);
        if (count == 1) {
            KorTracker* tracker = node->GetPrimitive(0u)->GetTracker();
            if (tracker && tracker->GetCenter() == node)
                node->SetLogStatus(ZUP_NODE_EXCLUDED);
            else
                danglingEnds.push_back(node);
        } else if (count == 2 && node->GetNumOfTrackers() == 1) {
            straightThrough.push_back(node->GetSerial());
        }
    }
    for (std::uint64_t serial : straightThrough)
        for (ZupNode* node : FloorNodes(*this))
            if (node->GetSerial() == serial) {
                MergeStraightThrough(node);
                break;
            }
    // Dangling walls are peeled off from their free ends: a junction left
    // with one usable wall is a free end in its turn, so a stub that branches
    // goes whole and the junction it hangs from loses one wall per stub.
    int walked = 0;
    for (std::size_t i = 0; i < danglingEnds.size(); ++i) {
        ZupNode* end = danglingEnds[i];
        if (IsExcluded(end)) {
            end->DecreaseUsability();
            continue;
        }
        end->SetLogStatus(ZUP_NODE_EXCLUDED);
        ++walked;
        for (short k = 0; k < end->GetNumOfPrimitives(); ++k) {
            KorPrimitive* primitive = end->GetPrimitive(static_cast<unsigned>(k));
            if (primitive->GetStart() != end && primitive->GetEnd() != end)
                continue;  // an arc centred here
            ZupNode* other = NeighbourAcross(primitive, end);
            if (!other || other == end || IsExcluded(other))
                continue;
            other->DecreaseUsability();
            if (other->GetUsability() <= 1)
                danglingEnds.push_back(other);
        }
    }
    return GetNumOfNodes() - walked > 2;
}

bool ZupFloor::MakeOuterShell(bool& oneRoom)
{
    delete mpOuterShell;
    mpOuterShell = nullptr;
    const bool roomWanted = oneRoom;
    oneRoom = true;

    ZupNode* start = nullptr;
    double bound = 100000.0;
    angle direction(0.0);
    for (ZupNode* node : FloorNodes(*this)) {
        if (!IsExcluded(node) && node->GetUsability() > 2)
            oneRoom = false;
        if (node->GetLogStatus() != ZUP_NODE_FREE)
            continue;
        const point& p = node->GetPoint();
        if (start && std::fabs(p.x() - bound) < GeoSnap()) {
            if (p.y() < start->GetPoint().y()) {
                direction = angle(start->GetPoint(), p);
                start = node;
            }
        } else if (p.x() < bound) {
            start = node;
            bound = p.x();
        }
    }
    if (!start)
        return false;

    ZupPartitionSolution& walk = mPartitionSearch;
    walk.Reset();
    walk.AddNode(start, direction);
    if (!MakeExteriorSolution(start))
        return false;
    // The outline must hold every wall: a group of walls standing apart
    // leaves the plan without a shell.
    polygon path;
    walk.GetPolygon(path);
    std::unordered_set<ZupEdge*> own;
    for (int i = 0; i < walk.GetLength(); ++i) {
        ZupNode* node = nullptr;
        ZupNode* next = nullptr;
        walk.GetStep(i, node, next);
        own.insert(CastToEdge(node->GetPrimitive(next)));
    }
    mPartitionSearchWalls.clear();
    for (ZupEdge* edge : EdgesOf(*this))
        if (IsSearchWall(edge) && !own.count(edge) && edge->GetGeoCenter() > path)
            mPartitionSearchWalls.push_back(edge);
    if (!mPartitionSearchWalls.empty())
        return false;
    mpOuterShell = new ZupPartition(true);
    mpOuterShell->Create(&walk, ZUP_EDGE_OUTER);
    if (oneRoom && roomWanted) {
        auto* room = new ZupPartition(false);
        room->Create(&walk, ZUP_EDGE_INNER);
        mPartitions.push_back(room);
    }
    return true;
}

std::vector<ZupNode*> ZupFloor::SearchNodes() const
{
    std::vector<ZupNode*> nodes;
    for (ZupNode* node : FloorNodes(*this))
        if (!IsExcluded(node))
            nodes.push_back(node);
    return nodes;
}

std::vector<ZupEdge*> ZupFloor::SearchWalls() const
{
    std::vector<ZupEdge*> walls;
    for (ZupEdge* edge : EdgesOf(*this))
        if (IsSearchWall(edge))
            walls.push_back(edge);
    return walls;
}

// The walk already holds the start node; it goes on around the outline of
// the start node's group.
bool ZupFloor::MakeExteriorSolution(ZupNode* start)
{
    const ZupRoomFaces faces(SearchNodes(), SearchWalls());
    const int outline = faces.GetOutline(start);
    if (outline < 0)
        return false;
    const std::vector<ZupNode*>& ring = faces.GetFaces()[outline].ring;
    const auto at = std::find(ring.begin(), ring.end(), start);
    if (at == ring.end() || ring.size() < 3)
        return false;
    const std::size_t from = static_cast<std::size_t>(at - ring.begin());
    ZupPartitionSolution& walk = mPartitionSearch;
    for (std::size_t k = 1; k < ring.size(); ++k) {
        ZupNode* previous = ring[(from + k - 1) % ring.size()];
        ZupNode* node = ring[(from + k) % ring.size()];
        walk.AddNode(node, angle(previous->GetPoint(), node->GetPoint()));
    }
    return true;
}

namespace {

constexpr double kLeastRoomArea = 1e-6;

// Where a room's walk starts: its first node in floor order; a room holding
// islands starts at a corner, so that its walls close into their own ring
// before the walk steps over to the islands.
std::size_t RoomStart(const ZupFace& face, const ZupRoomFaces& faces, bool corner)
{
    const std::size_t n = face.ring.size();
    std::size_t first = 0;
    for (std::size_t i = 1; i < n; ++i)
        if (faces.GetOrder(face.ring[i]) < faces.GetOrder(face.ring[first]))
            first = i;
    if (!corner)
        return first;
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t i = (first + k) % n;
        if (face.walls[(i + n - 1) % n]->GetTracker() != face.walls[i]->GetTracker())
            return i;
    }
    return first;
}

void AddRing(ZupPartitionSolution& walk, std::vector<ZupNode*>& path,
             const std::vector<ZupNode*>& ring, std::size_t from)
{
    for (std::size_t k = 0; k < ring.size(); ++k) {
        ZupNode* node = ring[(from + k) % ring.size()];
        const angle direction =
            path.empty() ? angle(0.0) : angle(path.back()->GetPoint(), node->GetPoint());
        walk.AddNode(node, direction);
        path.push_back(node);
    }
}

std::size_t NearestIn(const std::vector<ZupNode*>& ring, const point& p)
{
    std::size_t best = 0;
    for (std::size_t i = 1; i < ring.size(); ++i)
        if (GeoDistance(ring[i]->GetPoint(), p) < GeoDistance(ring[best]->GetPoint(), p))
            best = i;
    return best;
}

}  // namespace

// Every face the walls bound is a room, unless it holds a wall that is not
// its own (walls that cross without a node): then no room is kept. A group
// of walls standing inside a room is walked as part of that room, so the
// room's contour leaves the island out.
bool ZupFloor::MakeInnerPartitions()
{
    const std::vector<ZupNode*> nodes = SearchNodes();
    for (ZupNode* node : nodes)
        node->LogReset(false);
    const std::vector<ZupEdge*> walls = SearchWalls();
    const ZupRoomFaces faces(nodes, walls);
    const std::vector<ZupFace>& all = faces.GetFaces();

    std::vector<int> rooms;
    for (int f = 0; f < static_cast<int>(all.size()); ++f)
        if (all[f].ring.size() >= 3 && all[f].area < -kLeastRoomArea)
            rooms.push_back(f);
    // The islands each room holds: a group's outline goes to the smallest
    // room of another group around it.
    std::vector<std::vector<int>> islands(all.size());
    for (int f = 0; f < static_cast<int>(all.size()); ++f) {
        if (faces.GetOutline(all[f].ring.front()) != f)
            continue;
        int holder = -1;
        for (int r : rooms)
            if (all[r].group != all[f].group &&
                ZupRoomFaces::Holds(all[r].ring, all[f].ring.front()->GetPoint()) &&
                (holder < 0 || all[r].area > all[holder].area))
                holder = r;
        if (holder >= 0)
            islands[holder].push_back(f);
    }
    std::stable_sort(rooms.begin(), rooms.end(), [&](int x, int y) {
        const std::size_t sx = RoomStart(all[x], faces, false);
        const std::size_t sy = RoomStart(all[y], faces, false);
        return faces.GetOrder(all[x].ring[sx]) < faces.GetOrder(all[y].ring[sy]);
    });

    ZupPartitionSolution& walk = mPartitionSearch;
    bool refused = false;
    for (int r : rooms) {
        const ZupFace& face = all[r];
        walk.Reset();
        std::vector<ZupNode*> path;
        std::unordered_set<ZupEdge*> own(face.walls.begin(), face.walls.end());
        const std::size_t from = RoomStart(face, faces, !islands[r].empty());
        AddRing(walk, path, face.ring, from);
        ZupNode* anchor = face.ring[from];
        for (int island : islands[r]) {
            const ZupFace& outline = all[island];
            own.insert(outline.walls.begin(), outline.walls.end());
            walk.AddNode(anchor, walk.CurrentAngle());
            path.push_back(anchor);
            const std::size_t at = NearestIn(outline.ring, anchor->GetPoint());
            AddRing(walk, path, outline.ring, at);
            walk.AddNode(outline.ring[at], walk.CurrentAngle());
            path.push_back(outline.ring[at]);
        }
        bool holdsWall = false;
        for (ZupEdge* wall : walls)
            if (!own.count(wall) && ZupRoomFaces::Holds(path, wall->GetGeoCenter())) {
                holdsWall = true;
                break;
            }
        if (holdsWall) {
            refused = true;
            continue;
        }
        auto* room = new ZupPartition(false);
        room->Create(&walk, ZUP_EDGE_INNER);
        // The steps over to an island and back are no walls: their nodes
        // keep the usability those steps took.
        for (int island : islands[r]) {
            anchor->IncreaseUsability();
            all[island].ring[NearestIn(all[island].ring, anchor->GetPoint())]->IncreaseUsability();
        }
        mPartitions.push_back(room);
    }
    walk.Reset();
    if (refused) {
        RemovePartitions();
        return false;
    }
    return true;
}

std::vector<ZupEdge*> ZupFloor::EdgesOf(const ZupFloor& floor)
{
    std::vector<ZupEdge*> edges;
    for (KorPrimitive* primitive : floor.GetPrimitives())
        if (ZupEdge* edge = CastToEdge(primitive))
            edges.push_back(edge);
    return edges;
}

// A wall both of whose end nodes take part in the search.
bool ZupFloor::IsSearchWall(ZupEdge* edge)
{
    auto* start = dynamic_cast<ZupNode*>(edge->GetStart());
    auto* end = dynamic_cast<ZupNode*>(edge->GetEnd());
    return start && end && !IsExcluded(start) && !IsExcluded(end);
}

// ---- Perimeter queries ----

ZupNode* ZupFloor::Get1stPerimeterNode(ZupEdgeFilter filter)
{
    return PerimeterNode(filter, true);
}

ZupNode* ZupFloor::Get2ndPerimeterNode(ZupEdgeFilter filter)
{
    return PerimeterNode(filter, false);
}

// The leftmost (lowest among equals) or rightmost (highest among equals)
// node with more than one wall that has an exterior edge.
ZupNode* ZupFloor::PerimeterNode(ZupEdgeFilter filter, bool leftmost)
{
    constexpr double kLargestFloat = 3.4028234663852886e38;
    ZupNode* best = nullptr;
    double bound = leftmost ? kLargestFloat : -kLargestFloat;
    for (ZupNode* node : FloorNodes(*this)) {
        if (node->GetNumOfPrimitives() <= 1 || !node->GetExteriorEdge(nullptr, filter, nullptr))
            continue;
        const point& p = node->GetPoint();
        if (best && std::fabs(p.x() - bound) < GeoSnap()) {
            const double y = best->GetPoint().y();
            if (leftmost ? p.y() < y : p.y() > y)
                best = node;
        } else if (leftmost ? p.x() < bound : p.x() > bound) {
            best = node;
            bound = p.x();
        }
    }
    return best;
}

ZupEdge* ZupFloor::HealOuterShell(ZupNode* a, ZupNode* b, ZupNode* c, ZupEdgeFilter filter)
{
    if (!b)
        return nullptr;
    bool passedA = false;
    for (short i = 0; i < b->GetNumOfPrimitives(); ++i) {
        KorPrimitive* primitive = b->GetPrimitive(static_cast<unsigned>(i));
        KorNode* other = primitive->GetOtherNode(b);
        if (!passedA) {
            passedA = other == a;
            continue;
        }
        if (other == c)
            continue;
        ZupEdge* edge = CastToEdge(primitive);
        if (edge && (!filter || filter(edge)))
            return edge;
    }
    return nullptr;
}
