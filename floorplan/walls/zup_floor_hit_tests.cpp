// The floor's walks over walls and rooms and its point queries: what lies
// under the pen. Tolerances are the floor's linear input snap.
#include <cmath>

#include "distances.h"
#include "kor_primitive.h"
#include "zup_edge.h"
#include "zup_floor.h"
#include "zup_node.h"
#include "zup_partition.h"

namespace {

// Distances are computed in double and compared in single precision.
float SingleDistance(const geobject& a, const point& p)
{
    return static_cast<float>(GeoDistance(a, p));
}

bool HasWalls(const KorNode* node)
{
    return node->GetNumOfPrimitives() > 0;
}

}  // namespace

// ---- Edge walk: a walk started inside another resumes the outer one at its end.

ZupEdge* ZupFloor::Get1stEdge()
{
    if (GetPrimitives().empty()) {
        mCurEdge = kNoCursor;
        return nullptr;
    }
    mSavedCurEdge = mCurEdge;
    mCurEdge = 0;
    return GetNextEdge();
}

ZupEdge* ZupFloor::GetNextEdge()
{
    const std::vector<KorPrimitive*>& primitives = GetPrimitives();
    if (mCurEdge != kNoCursor) {
        while (mCurEdge < primitives.size()) {
            if (ZupEdge* edge = CastToEdge(primitives[mCurEdge++]))
                return edge;
        }
    }
    // The finished walk hands the cursor back; the saved one is used up.
    mCurEdge = mSavedCurEdge;
    mSavedCurEdge = kNoCursor;
    return nullptr;
}

// ---- Room walk (the outer shell is not in the list).

ZupPartition* ZupFloor::Get1stPartition()
{
    if (mPartitions.empty()) {
        mCurPartition = kNoCursor;
        return nullptr;
    }
    mCurPartition = 0;
    return mPartitions[0];
}

ZupPartition* ZupFloor::GetNextPartition()
{
    if (mCurPartition == kNoCursor || mCurPartition + 1 >= mPartitions.size()) {
        mCurPartition = kNoCursor;
        return nullptr;
    }
    return mPartitions[++mCurPartition];
}

// ---- Point queries.

ZupEdge* ZupFloor::GetClosestEdge(point& p)
{
    const std::vector<KorPrimitive*>& primitives = GetPrimitives();
    if (primitives.empty())
        return nullptr;
    KorPrimitive* best = primitives.front();
    float bound = SingleDistance(best->GetGeometry(), p);
    for (std::size_t i = 1; i < primitives.size(); ++i) {
        const float d = SingleDistance(primitives[i]->GetGeometry(), p);
        if (d < bound) {
            bound = d;
            best = primitives[i];
        }
    }
    return CastToEdge(best);
}

ZupEdge* ZupFloor::GetEdge(double x, double y)
{
    point p(x, y);
    ZupEdge* edge = GetClosestEdge(p);
    if (!edge || !(SingleDistance(edge->GetGeometry(), p) < InputSnap()))
        return nullptr;
    return edge;
}

ZupWallSurface* ZupFloor::GetWall(double x, double y)
{
    ZupEdge* edge = GetEdge(x, y);
    if (!edge)
        return nullptr;
    ZupPartition* room = edge->GetOtherPartition(mpOuterShell);
    if (!room)
        return nullptr;
    point p(x, y);
    if (!(p < room->GetContour()))
        room = edge->GetOtherPartition(room);
    return room ? edge->GetWall(room) : nullptr;
}

ZupPartition* ZupFloor::GetPartition(point& p)
{
    for (ZupPartition* room : mPartitions)
        if (room->GetContour().count() > 0 && p < room->GetContour())
            return room;
    return nullptr;
}

ZupNode* ZupFloor::GetNode(double x, double y, bool withWalls)
{
    const std::vector<KorNode*>& nodes = GetNodes();
    const double snap = InputSnap();
    // The cursor is re-found by serial: a deleted node leaves no stale position.
    std::size_t cursor = nodes.size();
    if (mCurNodeSerial != 0) {
        for (std::size_t i = 0; i < nodes.size(); ++i)
            if (nodes[i]->GetSerial() == mCurNodeSerial) {
                cursor = i;
                break;
            }
    }
    KorNode* first = nullptr;
    KorNode* afterCursor = nullptr;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        KorNode* node = nodes[i];
        if (withWalls && !HasWalls(node))
            continue;
        const point& q = node->GetPoint();
        if (!(std::fabs(x - q.x()) < snap && std::fabs(y - q.y()) < snap))
            continue;
        if (!first)
            first = node;
        if (cursor < nodes.size() && i > cursor) {
            afterCursor = node;
            break;
        }
    }
    KorNode* found = afterCursor ? afterCursor : first;
    mCurNodeSerial = found ? found->GetSerial() : 0;
    return dynamic_cast<ZupNode*>(found);
}

ZupNode* ZupFloor::GetClosestNode(point& p, bool withWalls, bool outsideOnly, float maxDistance)
{
    const std::vector<KorNode*>& nodes = GetNodes();
    KorNode* candidate = nullptr;
    float bound = maxDistance;
    std::size_t start = 0;
    if (!(maxDistance > 0.0f)) {
        if (nodes.empty())
            return nullptr;
        candidate = nodes.front();
        bound = SingleDistance(candidate->GetPoint(), p);
        start = 1;
    }
    for (std::size_t i = start; i < nodes.size(); ++i) {
        KorNode* node = nodes[i];
        if (withWalls && !HasWalls(node))
            continue;
        const float d = SingleDistance(node->GetPoint(), p);
        if (!(d < bound))
            continue;
        if (outsideOnly) {
            auto* wallNode = dynamic_cast<ZupNode*>(node);
            if (!wallNode || !wallNode->GetOutsideEdge())
                continue;
        }
        candidate = node;
        bound = d;
    }
    return dynamic_cast<ZupNode*>(candidate);
}
