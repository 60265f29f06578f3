// The corner and wall objects standing at a wall node.
#include "zup_node.h"

#include "zup_edge.h"
#include "zup_node_object.h"
#include "zup_wall_object.h"

namespace {

// A node never carries this many corner objects; a larger count is corrupt.
constexpr std::size_t kMaxNodeObjects = 1000;

}  // namespace

void ZupDeleteNodeObject(ZupNodeObject* object)
{
    delete object;
}

ZupNodeObject* ZupNode::GetNodeObject(ZupPartition* room) const
{
    if (mNodeObjects.empty() || mNodeObjects.size() >= kMaxNodeObjects)
        return nullptr;
    if (!room)
        return mNodeObjects.front();
    for (ZupNodeObject* object : mNodeObjects)
        if (object->GetPartition() == room)
            return object;
    return nullptr;
}

ZupWallObject* ZupNode::GetWallObject(ZupPartition* room) const
{
    if (ZupNodeObject* corner = GetNodeObject(room))
        return corner;
    for (short i = 0; i < GetNumOfPrimitives(); ++i) {
        ZupEdge* edge = GetEdgeAt(i);
        if (!edge || (room && edge->GetPartition(0) && !edge->GetWall(room)))
            continue;
        for (int j = 0; j < edge->GetNumOfObjects(); ++j) {
            ZupWallObject* object = edge->GetWallObject(j);
            if (room && object->GetPartition() != room)
                continue;
            if (object->GetStart() == this && object->GetEnd() == this)
                return object;
        }
    }
    return nullptr;
}
