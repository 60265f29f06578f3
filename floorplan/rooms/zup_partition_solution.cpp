#include "zup_partition_solution.h"

#include <algorithm>

#include "polygon.h"
#include "zup_edge.h"
#include "zup_node.h"

void ZupPartitionSolution::Reset()
{
    mBranches.clear();
    for (ZupNode* node : mPath)
        node->LogReset(false);
    mPath.clear();
}

void ZupPartitionSolution::AddNode(ZupNode* node, const angle& direction)
{
    mCurrentAngle = direction;
    node->SetLogStatus(ZUP_NODE_ON_PATH);
    mPath.push_back(node);
}

void ZupPartitionSolution::AddBranch(short count)
{
    if (mPath.empty())
        return;
    if (!mBranches.empty() && mBranches.back().node == mPath.back())
        return;
    ZupBranch branch;
    branch.node = mPath.back();
    branch.direction = mCurrentAngle;
    branch.count = count;
    branch.pathIndex = static_cast<short>(mPath.size() - 1);
    mBranches.push_back(branch);
}

// Locks the link the walk took from the path node at index (to the first
// node when it is the last one) and cuts the path after it.
static void LockTakenLink(std::vector<ZupNode*>& path, std::size_t index)
{
    ZupNode* node = path[index];
    if (index + 1 == path.size()) {
        node->LockLink(path.front());
        return;
    }
    node->LockLink(path[index + 1]);
    for (std::size_t i = index + 1; i < path.size(); ++i)
        path[i]->LogReset(false);
    path.resize(index + 1);
}

ZupNode* ZupPartitionSolution::Backtrack()
{
    if (mBranches.empty())
        return nullptr;
    ZupBranch& branch = mBranches.back();
    const std::size_t index = static_cast<std::size_t>(branch.pathIndex);
    if (index >= mPath.size())
        return nullptr;
    ZupNode* node = mPath[index];
    LockTakenLink(mPath, index);
    mCurrentAngle = branch.direction;
    if (--branch.count <= 0)
        mBranches.pop_back();
    return node;
}

ZupNode* ZupPartitionSolution::TakeOpenBranch(std::vector<ZupEdge*>& walls)
{
    for (std::size_t r = 0; r < mBranches.size(); ++r) {
        const std::size_t index = static_cast<std::size_t>(mBranches[r].pathIndex);
        if (index >= mPath.size())
            continue;
        ZupNode* node = mPath[index];
        for (ZupEdge* wall : walls) {
            KorNode* other = wall->GetOtherNode(node);
            if (!other || !node->IsOpenLink(other))
                continue;
            auto* next = dynamic_cast<ZupNode*>(other);
            if (!next)
                continue;
            LockTakenLink(mPath, index);
            const bool last = mBranches[r].count <= 1;
            --mBranches[r].count;
            mBranches.erase(mBranches.begin() + static_cast<std::ptrdiff_t>(last ? r : r + 1),
                            mBranches.end());
            if (next == mPath.front())
                return next;
            AddNode(next, angle(node->GetPoint(), next->GetPoint()));
            return next;
        }
    }
    return nullptr;
}

bool ZupPartitionSolution::GetStep(int index, ZupNode*& node, ZupNode*& next) const
{
    if (index < 0 || index >= static_cast<int>(mPath.size()))
        return false;
    node = mPath[index];
    next = mPath[(index + 1) % mPath.size()];
    return true;
}

bool ZupPartitionSolution::Contain(ZupNode* node) const
{
    return std::find(mPath.begin(), mPath.end(), node) != mPath.end();
}

void ZupPartitionSolution::GetPolygon(polygon& out) const
{
    out.clear();
    out.reserve(static_cast<short>(mPath.size() + 1));
    for (ZupNode* node : mPath)
        out + node->GetPoint();
    out.close();
}

ZupNode* ZupPartitionSolution::GetStartNode() const
{
    return mPath.empty() ? nullptr : mPath.front();
}

void ZupPartitionSolution::Forget(ZupNode* node)
{
    const bool branched = std::any_of(mBranches.begin(), mBranches.end(),
                                      [node](const ZupBranch& b) { return b.node == node; });
    if (!branched && !Contain(node))
        return;
    for (ZupNode* other : mPath)
        if (other != node)
            other->LogReset(false);
    mPath.clear();
    mBranches.clear();
}
