// Finding the rooms of a floor from its walls: the nodes are classified, the
// outer shell is walked from the leftmost node, then every inner room is
// walked as a closed loop of walls that holds no other wall.
#include <cmath>
#include <vector>

#include "kor_primitive.h"
#include "kor_tracker.h"
#include "settings.h"
#include "zup_edge.h"
#include "zup_floor.h"
#include "zup_node.h"
#include "zup_partition.h"
#include "zup_partition_solution.h"

namespace {

// A walk never takes more steps than this; a plan that needs more is refused
// rather than left spinning.
constexpr long kMaxWalkSteps = 1000000;

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

// The degrees by which a turn from `current` to `direction` scores.
double TurnScore(angle& current, const angle& direction)
{
    return static_cast<double>(current - direction);
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
    if (danglingEnds.empty())
        return true;
    int walked = 0;
    for (ZupNode* end : danglingEnds) {
        if (IsExcluded(end)) {
            end->DecreaseUsability();
            continue;
        }
        ZupNode* previous = nullptr;
        ZupNode* current = end;
        while (current) {
            if (current->GetNumOfPrimitives() > 2) {
                current->DecreaseUsability();
                break;
            }
            if (current != end && IsExcluded(current))
                break;  // walked already from its other end
            current->SetLogStatus(ZUP_NODE_EXCLUDED);
            ++walked;
            ZupNode* next = current->GetOtherConnectedNode(previous, nullptr);
            previous = current;
            current = next;
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
    ZupNode* node = start;
    while (MakeExteriorSolution(node)) {
        polygon path;
        walk.GetPolygon(path);
        mPartitionSearchWalls.clear();
        for (ZupEdge* edge : EdgesOf(*this))
            if (IsSearchWall(edge) && edge->GetGeoCenter() > path)
                mPartitionSearchWalls.push_back(edge);
        if (mPartitionSearchWalls.empty()) {
            mpOuterShell = new ZupPartition(true);
            mpOuterShell->Create(&walk, ZUP_EDGE_OUTER);
            if (oneRoom && roomWanted) {
                auto* room = new ZupPartition(false);
                room->Create(&walk, ZUP_EDGE_INNER);
                mPartitions.push_back(room);
            }
            return true;
        }
        node = walk.TakeOpenBranch(mPartitionSearchWalls);
        if (!node)
            break;
    }
    return false;
}

bool ZupFloor::MakeExteriorSolution(ZupNode* node)
{
    return WalkSolution(node, true);
}

bool ZupFloor::MakeInteriorSolution(ZupNode* node)
{
    return WalkSolution(node, false);
}

// One walk of the room search. The exterior walk keeps the smallest turn
// (it follows the outside of the plan), the interior walk the largest; among
// equal scores the last wall in the node's order wins.
bool ZupFloor::WalkSolution(ZupNode* node, bool exterior)
{
    ZupPartitionSolution& walk = mPartitionSearch;
    for (long step = 0; step < kMaxWalkSteps; ++step) {
        if (!node)
            return false;
        ZupNode* first = walk.GetStartNode();
        const bool longEnough = walk.GetLength() >= 3;
        if (node == first && longEnough)
            return true;
        short count = 0;
        bool closed = false;
        ZupNode* best = nullptr;
        angle bestDirection;
        double bestScore = exterior ? 360.0 : 0.0;
        for (short i = 0; i < node->GetNumOfPrimitives(); ++i) {
            ZupNode* other = NeighbourAcross(node->GetPrimitive(static_cast<unsigned>(i)), node);
            if (!other)
                continue;
            const bool open = node->IsOpenLink(other);
            if (exterior && !(other->GetLogStatus() == ZUP_NODE_FREE && open)) {
                if (other == first && longEnough) {
                    closed = true;
                    ++count;
                }
                continue;
            }
            if (!exterior) {
                if (!open)
                    continue;
                if (other == first && longEnough) {
                    closed = true;
                    ++count;
                    continue;
                }
                if (other->GetLogStatus() != ZUP_NODE_FREE || other->GetUsability() == 0)
                    continue;
            }
            ++count;
            const angle direction(node->GetPoint(), other->GetPoint());
            const double score = TurnScore(walk.CurrentAngle(), direction);
            if (exterior ? score <= bestScore : score >= bestScore) {
                bestScore = score;
                best = other;
                bestDirection = direction;
            }
        }
        if (count >= 2)
            walk.AddBranch(static_cast<short>(count - 1));
        if (closed)
            return true;
        if (best) {
            walk.AddNode(best, bestDirection);
            node = best;
        } else {
            node = walk.Backtrack();
        }
    }
    return false;
}

bool ZupFloor::MakeInnerPartitions()
{
    const std::vector<ZupNode*> nodes = FloorNodes(*this);
    for (ZupNode* node : nodes)
        if (!IsExcluded(node))
            node->LogReset(false);
    ZupPartitionSolution& walk = mPartitionSearch;
    for (ZupNode* start : nodes) {
        if (start->GetUsability() == 0 || IsExcluded(start))
            continue;
        walk.Reset();
        walk.AddNode(start, angle(0.0));
        ZupNode* current = start;
        for (long step = 0; step < kMaxWalkSteps && current; ++step) {
            if (start->GetUsability() == 0 || !MakeInteriorSolution(current))
                break;
            polygon path;
            walk.GetPolygon(path);
            mPartitionSearchWalls.clear();
            for (ZupEdge* edge : EdgesOf(*this))
                if (IsSearchWall(edge) && edge->GetGeoCenter() < path)
                    mPartitionSearchWalls.push_back(edge);
            if (!mPartitionSearchWalls.empty()) {
                current = walk.TakeOpenBranch(mPartitionSearchWalls);
                continue;
            }
            if (IsKnownRoom(walk)) {
                current = walk.Backtrack();
                continue;
            }
            auto* room = new ZupPartition(false);
            room->Create(&walk, ZUP_EDGE_INNER);
            mPartitions.push_back(room);
            walk.Reset();
            walk.AddNode(start, angle(0.0));
            current = start;
        }
    }
    walk.Reset();
    for (ZupNode* node : nodes)
        if (node->GetUsability() != 0 && !IsExcluded(node)) {
            RemovePartitions();
            return false;
        }
    return true;
}

bool ZupFloor::IsKnownRoom(ZupPartitionSolution& walk) const
{
    for (ZupPartition* room : mPartitions)
        if (room->IsSimilar(walk))
            return true;
    return false;
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
