#include "zup_wall_surface.h"

#include <algorithm>

#include "kor_node.h"
#include "zup_edge.h"
#include "zup_floor.h"
#include "zup_node.h"
#include "zup_partition.h"

ZupWallSurface::ZupWallSurface(ZupPartition* room, ZupNode* start)
    : mpStart(start), mpRoom(room)
{
    mEdges.reserve(2);
}

ZupWallSurface::~ZupWallSurface()
{
    if (mpRoom)
        mpRoom->RemoveSurface(this);
    const std::vector<ZupEdge*> edges = mEdges;
    mEdges.clear();
    for (ZupEdge* edge : edges)
        edge->ReplaceSurface(this, nullptr);
}

KorTracker* ZupWallSurface::GetTracker() const
{
    return mEdges.empty() ? nullptr : mEdges.front()->GetTracker();
}

KorNode* ZupWallSurface::GetCenter() const
{
    return mEdges.empty() ? nullptr : mEdges.front()->GetCenter();
}

double ZupWallSurface::GetRadius() const
{
    return mEdges.empty() ? 0.0 : mEdges.front()->GetRadius();
}

ZupNode* ZupWallSurface::GetOtherNode(KorNode* node) const
{
    return node == mpStart ? mpEnd : mpStart;
}

ZupEdge* ZupWallSurface::Get1stEdge()
{
    mEdgeCursor = 0;
    return GetNextEdge();
}

ZupEdge* ZupWallSurface::GetNextEdge()
{
    if (mEdgeCursor >= mEdges.size()) {
        mEdgeCursor = mEdges.size();
        return nullptr;
    }
    return mEdges[mEdgeCursor++];
}

ZupEdge* ZupWallSurface::GetEdge(int i) const
{
    if (i < 0 || i >= static_cast<int>(mEdges.size()))
        return nullptr;
    return mEdges[i];
}

void ZupWallSurface::AddEdge(ZupEdge* edge, bool setEnd)
{
    if (!edge)
        return;
    mEdges.push_back(edge);
    edge->AddSurface(this);
    if (!setEnd)
        return;
    KorNode* start = edge->GetStart();
    KorNode* end = edge->GetEnd();
    KorNode* next = (start != mpStart && start != mpEnd) ? start : end;
    mpEnd = dynamic_cast<ZupNode*>(next);
}

void ZupWallSurface::RemoveEdge(ZupEdge* edge, ZupNode* a, ZupNode* b)
{
    auto it = std::find(mEdges.begin(), mEdges.end(), edge);
    if (it == mEdges.end())
        return;
    if (b && b == mpStart)
        mpStart = a;
    else if (b && b == mpEnd)
        mpEnd = a;
    mEdges.erase(it);
    if (mEdgeCursor > mEdges.size())
        mEdgeCursor = mEdges.size();
}

bool ZupWallSurface::Contain(ZupEdge* edge) const
{
    return std::find(mEdges.begin(), mEdges.end(), edge) != mEdges.end();
}

void ZupWallSurface::ReplaceNode(KorNode* oldNode, KorNode* newNode)
{
    auto* replacement = dynamic_cast<ZupNode*>(newNode);
    if (oldNode == mpStart)
        mpStart = replacement;
    if (oldNode == mpEnd)
        mpEnd = replacement;
}

void ZupWallSurface::AddSurface(ZupWallSurface* other)
{
    if (!other || other == this)
        return;
    const std::vector<ZupEdge*> edges = other->mEdges;
    mEdges.insert(mEdges.begin(), edges.begin(), edges.end());
    for (ZupEdge* edge : edges)
        edge->ReplaceSurface(other, this);
    other->mEdges.clear();
    mpStart = other->mpStart;
}

bool ZupWallSurface::IsExternal() const
{
    if (!mpEnd || !mpRoom)
        return false;
    auto* floor = dynamic_cast<ZupFloor*>(mpEnd->GetModel());
    return floor && floor->GetOuterShell() == mpRoom;
}
