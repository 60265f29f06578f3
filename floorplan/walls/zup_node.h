// A wall node: a constraint node that also keeps the room search's
// bookkeeping (log status, locked links, usability) and the corner objects
// standing on it.
#pragma once

#include <cstdint>
#include <vector>

#include "angle.h"
#include "kor_node.h"

class polygon;
class KorModel;
class KorTracker;
class ZupEdge;
class ZupNodeObject;
class ZupPartition;
class ZupWallObject;
class ZupWallSurface;

// Log status of a node during the room search.
enum ZupNodeStatus : std::int32_t {
    ZUP_NODE_FREE = 0,
    ZUP_NODE_EXCLUDED = 1,  // no walls, only an arc centre, or on a dangling chain
    ZUP_NODE_ON_PATH = 2,
};

// Filter of the perimeter queries: true keeps the edge.
using ZupEdgeFilter = bool (*)(ZupEdge*);

// Deletes a corner object through its own class (defined with the objects).
void ZupDeleteNodeObject(ZupNodeObject* object);

class ZupNode : public KorNode {
public:
    ZupNode();
    ~ZupNode() override;

    bool IsExtendedType() const override { return true; }
    // KorNode::Create; with notify the floor's extents grow to the point.
    KorHandle Create(KorModel* model, double x, double y, KorMoveCallback callback,
                     bool notify) override;
    // Tells the wall surfaces at `other` that it becomes this node, drops the
    // surfaces of a wall that collapses, then KorNode::Merge.
    bool Merge(KorNode*& other) override;
    bool Merge(ZupNode*& other);

    // ---- Room search bookkeeping ----
    void SetLogStatus(ZupNodeStatus status) { mLogStatus = status; }
    ZupNodeStatus GetLogStatus() const { return mLogStatus; }
    std::uint8_t GetUsability() const { return mUsability; }
    void DecreaseUsability() { --mUsability; }  // wraps as an 8-bit count
    void IncreaseUsability() { ++mUsability; }
    void LockLink(KorNode* neighbour);
    bool IsOpenLink(KorNode* neighbour) const;
    void LogReset(bool all);
    void SetUsability();
    ZupNode* GetOtherConnectedNode(ZupNode* previous, KorTracker* tracker) const;

    // ---- Corner objects ----
    void AddObject(ZupNodeObject* object);
    void RemoveObject(ZupNodeObject* object);
    int GetNumOfObjects() const { return static_cast<int>(mNodeObjects.size()); }
    ZupNodeObject* GetNodeObject(ZupPartition* room) const;
    ZupWallObject* GetWallObject(ZupPartition* room) const;

    // ---- Walls at the node ----
    ZupEdge* GetOtherEdge(ZupEdge* edge, ZupPartition* room) const;
    ZupEdge* GetOtherEdge(ZupWallSurface* surface, ZupPartition* room) const;
    ZupEdge* GetExteriorEdge(ZupNode* previous, ZupEdgeFilter filter, ZupPartition* room) const;
    ZupEdge* GetOutsideEdge() const;
    ZupEdge* GetEdge(ZupPartition* room) const;
    ZupEdge* GetEdge(ZupWallSurface* surface) const;
    // The direction of the polygon's side at this node's vertex.
    angle GetInDir(polygon& contour, ZupPartition* room);

    // The wall at index i as a floor-plan edge (null for any other primitive).
    ZupEdge* GetEdgeAt(int i) const;

private:
    ZupNodeStatus mLogStatus = ZUP_NODE_FREE;
    std::uint8_t mLockedLinks = 0;
    std::uint8_t mUsability = 0;
    std::vector<ZupNodeObject*> mNodeObjects;
};
