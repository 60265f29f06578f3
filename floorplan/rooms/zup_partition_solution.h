// The walk state of the room search: the path of nodes walked so far, the
// points of the path where other open links remain, and the direction of the
// last step.
#pragma once

#include <vector>

#include "angle.h"

class polygon;
class ZupEdge;
class ZupNode;

// A point of the path where other open links remain.
struct ZupBranch {
    ZupNode* node = nullptr;
    angle direction;        // the walk direction when the node was reached
    short count = 0;        // alternatives left
    short pathIndex = 0;    // the node's index in the path
};

class ZupPartitionSolution {
public:
    ZupPartitionSolution() = default;

    // Clears the branches, resets every path node (LogReset(false)) and the path.
    void Reset();
    void AddNode(ZupNode* node, const angle& direction);
    void AddBranch(short count);
    ZupNode* Backtrack();
    ZupNode* TakeOpenBranch(std::vector<ZupEdge*>& walls);
    // The node at index and the one after it (the first after the last);
    // false past the end.
    bool GetStep(int index, ZupNode*& node, ZupNode*& next) const;
    bool Contain(ZupNode* node) const;
    void GetPolygon(polygon& out) const;
    ZupNode* GetStartNode() const;
    // A node that is being deleted: a walk through it is dropped (the other
    // path nodes are reset), so that no later reset reaches it.
    void Forget(ZupNode* node);

    int GetLength() const { return static_cast<int>(mPath.size()); }
    ZupNode* GetNode(int i) const { return mPath[i]; }
    angle& CurrentAngle() { return mCurrentAngle; }

private:
    std::vector<ZupBranch> mBranches;
    std::vector<ZupNode*> mPath;
    angle mCurrentAngle;
};
