#include "zup_node.h"

#include "kor_primitive.h"
#include "kor_tracker.h"
#include "polygon.h"
#include "zup_edge.h"
#include "zup_floor.h"
#include "zup_wall_surface.h"

namespace {

// Only the first eight walls of a node can have their link locked.
constexpr int kLockableLinks = 8;

// Either face of the edge bounds the room; any edge for a null room.
bool BelongsTo(ZupEdge* edge, ZupPartition* room)
{
    return !room || edge->GetWall(room) != nullptr;
}

}  // namespace

ZupNode::ZupNode() = default;

ZupNode::~ZupNode()
{
    // Every corner object standing here goes with the node (each one's
    // destructor may take itself out of the list, so it leaves it first).
    while (!mNodeObjects.empty()) {
        ZupNodeObject* object = mNodeObjects.back();
        mNodeObjects.pop_back();
        ZupDeleteNodeObject(object);
    }
    if (auto* floor = dynamic_cast<ZupFloor*>(GetModel())) {
        floor->ForgetChanged(this);
        floor->GetPartitionSolution().Forget(this);
    }
}

KorHandle ZupNode::Create(KorModel* model, double x, double y, KorMoveCallback callback,
                          bool notify)
{
    const KorHandle handle = KorNode::Create(model, x, y, callback, true);
    if (handle && notify)
        if (auto* floor = dynamic_cast<ZupFloor*>(model))
            floor->ModifyExtents(x, y);
    return handle;
}

ZupEdge* ZupNode::GetEdgeAt(int i) const
{
    return ZupFloor::CastToEdge(GetPrimitive(static_cast<unsigned>(i)));
}

// ---- Merging ----

bool ZupNode::Merge(KorNode*& other)
{
    if (!other || other == this)
        return false;
    for (short i = 0; i < other->GetNumOfPrimitives(); ++i) {
        ZupEdge* edge = ZupFloor::CastToEdge(other->GetPrimitive(i));
        if (!edge)
            continue;
        auto* gone = dynamic_cast<ZupNode*>(other);
        if (edge->GetOtherNode(other) != this) {
            if (gone)
                edge->UpdateSurfaces(gone, this);
            continue;
        }
        // The wall collapses: its faces go, and the neighbour on its tracker
        // forgets it.
        edge->RemoveSurfaces(this, gone);
        for (short j = 0; j < GetNumOfPrimitives(); ++j) {
            ZupEdge* next = GetEdgeAt(j);
            if (!next || next == edge || next->GetTracker() != edge->GetTracker())
                continue;
            if (ZupWallSurface* white = next->GetWhiteSurface())
                white->RemoveEdge(edge, this, gone);
            if (ZupWallSurface* red = next->GetRedSurface())
                red->RemoveEdge(edge, this, gone);
            break;
        }
    }
    return KorNode::Merge(other);
}

bool ZupNode::Merge(ZupNode*& other)
{
    KorNode* node = other;
    const bool merged = Merge(node);
    if (merged)
        other = nullptr;
    return merged;
}

// ---- Room search bookkeeping ----

void ZupNode::LockLink(KorNode* neighbour)
{
    for (short i = 0; i < GetNumOfPrimitives() && i < kLockableLinks; ++i) {
        KorPrimitive* p = GetPrimitive(i);
        if (p && (p->GetStart() == neighbour || p->GetEnd() == neighbour)) {
            mLockedLinks |= static_cast<std::uint8_t>(1u << i);
            return;
        }
    }
}

bool ZupNode::IsOpenLink(KorNode* neighbour) const
{
    for (short i = 0; i < GetNumOfPrimitives(); ++i) {
        KorPrimitive* p = GetPrimitive(i);
        if (p && (p->GetStart() == neighbour || p->GetEnd() == neighbour))
            return i >= kLockableLinks || !(mLockedLinks & (1u << i));
    }
    return false;
}

void ZupNode::LogReset(bool all)
{
    mLockedLinks = 0;
    if (all || mLogStatus == ZUP_NODE_ON_PATH)
        mLogStatus = ZUP_NODE_FREE;
}

void ZupNode::SetUsability()
{
    int count = GetNumOfPrimitives();
    for (unsigned i = 0; i < GetNumOfTrackers(); ++i) {
        KorTracker* t = GetTracker(static_cast<short>(i));
        if (t && t->GetCenter() == this)
            --count;
    }
    mUsability = static_cast<std::uint8_t>(count);
}

ZupNode* ZupNode::GetOtherConnectedNode(ZupNode* previous, KorTracker* tracker) const
{
    for (short i = 0; i < GetNumOfPrimitives(); ++i) {
        KorPrimitive* p = GetPrimitive(i);
        if (!p)
            continue;
        auto* next = dynamic_cast<ZupNode*>(p->GetOtherNode(const_cast<ZupNode*>(this)));
        if (!next || next == previous || !next->IsExtendedType())
            continue;
        if (tracker && GetCommonTracker(next) != tracker)
            continue;
        return next;
    }
    return nullptr;
}

// ---- Corner objects ----

void ZupNode::AddObject(ZupNodeObject* object)
{
    mNodeObjects.push_back(object);
}

void ZupNode::RemoveObject(ZupNodeObject* object)
{
    for (auto it = mNodeObjects.begin(); it != mNodeObjects.end(); ++it)
        if (*it == object) {
            mNodeObjects.erase(it);
            return;
        }
}

// ---- Walls at the node ----

ZupEdge* ZupNode::GetOtherEdge(ZupEdge* edge, ZupPartition* room) const
{
    for (short i = 0; i < GetNumOfPrimitives(); ++i) {
        ZupEdge* e = GetEdgeAt(i);
        if (e && e != edge && BelongsTo(e, room))
            return e;
    }
    return nullptr;
}

ZupEdge* ZupNode::GetOtherEdge(ZupWallSurface* surface, ZupPartition* room) const
{
    for (short i = 0; i < GetNumOfPrimitives(); ++i) {
        ZupEdge* e = GetEdgeAt(i);
        if (e && !(surface && surface->Contain(e)) && BelongsTo(e, room))
            return e;
    }
    return nullptr;
}

ZupEdge* ZupNode::GetExteriorEdge(ZupNode* previous, ZupEdgeFilter filter,
                                  ZupPartition* room) const
{
    ZupEdge* last = nullptr;
    for (short i = 0; i < GetNumOfPrimitives(); ++i) {
        ZupEdge* e = GetEdgeAt(i);
        if (!e || e->GetOtherNode(const_cast<ZupNode*>(this)) == previous)
            continue;
        if (room && e->GetWall(room))
            continue;
        if (filter && !filter(e))
            continue;
        if (e->GetWhiteSurface() && e->GetRedSurface())
            return e;
        last = e;
    }
    return last;
}

ZupEdge* ZupNode::GetOutsideEdge() const
{
    for (short i = 0; i < GetNumOfPrimitives(); ++i) {
        ZupEdge* e = GetEdgeAt(i);
        if (e && e->GetPartition(0) && !e->GetOtherPartition(e->GetPartition(0)))
            return e;
    }
    return nullptr;
}

ZupEdge* ZupNode::GetEdge(ZupPartition* room) const
{
    for (short i = 0; i < GetNumOfPrimitives(); ++i) {
        ZupEdge* e = GetEdgeAt(i);
        if (e && BelongsTo(e, room))
            return e;
    }
    return nullptr;
}

ZupEdge* ZupNode::GetEdge(ZupWallSurface* surface) const
{
    if (!surface)
        return nullptr;
    for (short i = 0; i < GetNumOfPrimitives(); ++i) {
        ZupEdge* e = GetEdgeAt(i);
        if (e && surface->Contain(e))
            return e;
    }
    return nullptr;
}

angle ZupNode::GetInDir(polygon& contour, ZupPartition*)
{
    const short i = contour.index(GetPoint());
    if (i < 0)
        return angle();
    return angle(contour[i]);
}
