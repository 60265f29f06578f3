// The solver's order of the room's reference dimensions along its edge
// chains, and the dimension steps that depend on the chains: which
// dimensions the chains need, dropping unsolvable ones, recreating them.
#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "dimension_values.h"
#include "edge_chain.h"
#include "kor_dim_solution.h"
#include "kor_dimension.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "kor_tracker.h"
#include "room_floor.h"
#include "zup_edge.h"
#include "zup_wall_object.h"

// ---- Dimension steps that ask the chains ----

void CRoomFloor::AdjustChainAngleCount(int change)
{
    if (mChains.empty())
        return;
    CEdgeChain& first = mChains.front();
    first.SetAngleCount(std::max(0, first.GetAngleCount() + change));
}

void CRoomFloor::DisableOneInClosedChains()
{
    for (CEdgeChain& chain : mChains) {
        if (!chain.IsCheck() || !chain.IsClosed())
            continue;
        KorDimension* d = chain.First();
        for (int guard = chain.SlotCount() + 1; d && guard > 0; --guard, d = chain.Next()) {
            if (d->IsEnabled()) {
                d->SetEnabled(false);
                break;
            }
        }
    }
}

void CRoomFloor::EnableNeededDimensions()
{
    for (KorDimension* d : std::vector<KorDimension*>(mReferenceDimensions))
        if (!d->IsEnabled() && CheckDimensionAgainstChains(d))
            FixDimensionHere(d);
    SetModified(false);
}

void CRoomFloor::HoldNeededDimensionsForPlan()
{
    for (KorDimension* d : std::vector<KorDimension*>(mReferenceDimensions))
        if (!d->IsEnabled() && CheckDimensionAgainstChains(d) && FixDimensionHere(d))
            mHeldForPlan.push_back(d);
    SetModified(false);
}

void CRoomFloor::ReleaseDimensionsHeldForPlan()
{
    if (mHeldForPlan.empty())
        return;
    // Letting go changes no geometry: the room is no more modified than it was.
    const bool modified = IsModified();
    for (KorDimension* d : std::vector<KorDimension*>(mHeldForPlan))
        if (d->IsEnabled())
            d->SetEnabled(false);
    mHeldForPlan.clear();
    SetModified(modified);
}

bool CRoomFloor::IsHeldForPlan(const KorDimension* dimension) const
{
    return std::find(mHeldForPlan.begin(), mHeldForPlan.end(), dimension) != mHeldForPlan.end();
}

void CRoomFloor::LetGoOfLengthsWrittenForPlan()
{
    // A room whose own lengths leave its chains short is as today's writer
    // wrote it: the close holds what the chains need.
    if (mChains.empty() || !AreChainsConsistent())
        return;
    std::vector<std::pair<KorDimension*, std::string>> given;
    for (KorDimension* d : mReferenceDimensions)
        if (MayBeHeldForPlan(d))
            given.emplace_back(d, d->GetValueString());
    for (const auto& [d, value] : given)
        d->SetEnabled(false);
    // The close's own walk: in the room's order, a length the chains need
    // is held. What it would hold is let go of; the rest was given.
    std::vector<KorDimension*> held;
    for (const auto& [d, value] : given)
        if (CheckDimensionAgainstChains(d)) {
            d->SetValue(value);
            held.push_back(d);
        }
    for (const auto& [d, value] : given)
        if (std::find(held.begin(), held.end(), d) == held.end())
            d->SetValue(value);
    for (KorDimension* d : held)
        d->SetEnabled(false);
    SetModified(false);
}

bool CRoomFloor::MayBeHeldForPlan(KorDimension* d)
{
    // The close fixes a length at its present value, relation "equal"; a
    // width taken over from the plan stays as the plan gave it.
    constexpr int kPlanWidthLayer = 3;
    return d->IsEnabled() && d->GetLayer() != kPlanWidthLayer && !d->IsExtraRule() &&
           d->GetPrimaryType() == KOR_DIM_EQUAL && d->IsImplemented();
}

void CRoomFloor::RecreateDimensions()
{
    DeleteReferenceDimensions();
    for (CEdgeChain& chain : mChains)
        chain.RecreateWallDimensions();
}

bool CRoomFloor::ResolveOrDropDimensions(bool)
{
    RecreateDimensions();
    if (Resolve())
        return true;
    UpdateEntranceAngles(false, true);
    if (Resolve())
        return true;
    if (mSolverDimensionCount == 0)
        return true;
    // A closed room that cannot be solved loses its dimensions rather than
    // stay unsolvable.
    while (!mDimensions.empty()) {
        KorDimension* last = mDimensions.back();
        delete last;
        if (!mDimensions.empty() && mDimensions.back() == last)
            mDimensions.pop_back();
    }
    return true;
}

// ---- Ordering the solver's list ----

bool CRoomFloor::ReorderDimensions()
{
    if (mChains.empty())
        return true;
    RemoveSolution();
    DropOrderingEntries();
    if (mChains.size() == 1) {
        CEdgeChain& chain = mChains.front();
        chain.ClearVisited();
        ClearAlignmentTrackers();
        chain.BuildChainDimensions(mChainDisabledDimensions);
        return OrderChain(chain, nullptr);
    }
    for (CEdgeChain& chain : mChains) {
        if (!chain.IsReorder())
            continue;
        chain.ClearVisited();
        if (!OrderChain(chain, nullptr))
            return false;
    }
    return true;
}

bool CRoomFloor::ReorderDimensions(KorDimSolution** failed)
{
    if (!failed || !*failed)
        return false;
    const int index = (*failed)->GetDimensionIndex();
    if (index < mSolverDimensionCount || index >= static_cast<int>(mDimensions.size()))
        return false;
    KorDimension* d = mDimensions[static_cast<std::size_t>(index)];
    if (d->IsExtraRule())
        return false;
    KorTracker* tracker = d->GetTracker(nullptr);
    for (std::size_t i = 0; i < mChains.size(); ++i) {
        CEdgeChain& chain = mChains[i];
        if (!chain.IsReorder() || !chain.HoldsTracker(tracker))
            continue;
        if (chain.MarkVisited(d))
            return false;
        RemoveSolution();
        CutDimensionList(chain.GetOrderStart());
        if (!OrderChain(chain, d->GetEnd()))
            OrderChain(chain, nullptr);
        for (std::size_t j = i + 1; j < mChains.size(); ++j)
            if (mChains[j].IsReorder() && !OrderChain(mChains[j], nullptr))
                return false;
        return true;
    }
    return false;
}

void CRoomFloor::CutDimensionList(int length)
{
    const std::size_t keep =
        static_cast<std::size_t>(std::max(length, std::max(0, mSolverDimensionCount)));
    if (mDimensions.size() > keep)
        mDimensions.resize(keep);
}

// One chain's part of the order; the appended dimensions follow what the
// user holds: a start entity, the dragged wall or node, the current node.
bool CRoomFloor::OrderChain(CEdgeChain& chain, KorEntity* start)
{
    chain.SetOrderStart(static_cast<int>(mDimensions.size()));
    ChainOrder order{chain, {}, 0};
    KorNode* current = GetCurrentNode();
    if (start) {
        WalkFromEntity(order, start);
    } else if (!current) {
        if (mDragPrimitive && chain.SharesNodeWith(mDragPrimitive))
            WalkFromEntity(order, mDragPrimitive);
        else if (mDragNode && chain.HasWallThroughNode(mDragNode))
            WalkFromEntity(order, mDragNode);
        else
            WalkFromFirst(order);
    } else if (!mDragPrimitive) {
        if (mDragNode && mDragNode != current && mDragNode->GetNumOfPrimitives() >= 2)
            OrderAroundDraggedCorner(order, current, mDragNode);
        else
            OrderAroundNode(order, current);
    } else {
        OrderFromNodeToWall(order, current, mDragPrimitive);
    }
    return FinishChainOrder(order);
}

bool CRoomFloor::FinishChainOrder(ChainOrder& order)
{
    CEdgeChain& chain = order.chain;
    if (mChainDisabledDimensions.empty())
        return !chain.IsClosed() || order.appended > 0 || chain.GetSkipped() == chain.SlotCount();
    std::vector<std::pair<ZupEdge*, int>> perWall;
    for (KorDimension* d : mChainDisabledDimensions) {
        d->SetEnabled(true);
        ZupEdge* wall = WallOf(d);
        if (!wall)
            return false;
        int slots = 1;
        for (int k = 0; k < wall->GetNumOfObjects(); ++k)
            if (ZupWallObject* object = wall->GetWallObject(k))
                slots += (object->GetWidthDimension() ? 1 : 0) + (object->GetPosDimension() ? 1 : 0);
        // The wall's summary length, when the walk listed it, makes its last
        // part follow; an ortho chain walks the parts instead, so then every
        // given part is needed to hold the wall's length.
        KorDimension* summary = chain.ChainDimensionOn(d);
        if (!order.appendedSet.count(summary))
            ++slots;
        auto entry = std::find_if(perWall.begin(), perWall.end(),
                                  [wall](const auto& e) { return e.first == wall; });
        if (entry == perWall.end()) {
            perWall.emplace_back(wall, 0);
            entry = perWall.end() - 1;
        }
        if (entry->second < slots - 1) {
            ++entry->second;
            Append(order, d);
        }
    }
    return true;
}

ZupEdge* CRoomFloor::WallOf(KorDimension* d)
{
    KorTracker* tracker = d ? d->GetTracker(nullptr) : nullptr;
    if (!tracker)
        return nullptr;
    for (KorPrimitive* primitive : GetPrimitives())
        if (primitive->GetTracker() == tracker)
            return CastToEdge(primitive);
    return nullptr;
}

void CRoomFloor::Append(ChainOrder& order, KorDimension* d)
{
    if (!d || !order.appendedSet.insert(d).second)
        return;
    mDimensions.push_back(d);
    ++order.appended;
}

void CRoomFloor::AppendAllInChainOrder(ChainOrder& order, bool enabledOnly)
{
    CEdgeChain& chain = order.chain;
    KorDimension* d = chain.First();
    for (int guard = chain.SlotCount() + 1; d && guard > 0; --guard, d = chain.Next())
        if (!enabledOnly || d->IsEnabled())
            Append(order, d);
}

void CRoomFloor::WalkFromFirst(ChainOrder& order)
{
    CEdgeChain& chain = order.chain;
    KorDimension* d = chain.First();
    KorDimension* lastDisabled = nullptr;
    KorDimension* endMark = nullptr;
    KorDimension* firstEnabled = nullptr;
    KorDimension* walkStart = nullptr;
    const int limit = 2 * chain.SlotCount() + 2;
    for (int step = 0; d && step < limit && !walkStart; ++step) {
        if (lastDisabled && !lastDisabled->IsEnabled() && d->IsEnabled()) {
            walkStart = d;
            break;
        }
        if (chain.GetFreeWalls() == 2 && d->IsEnabled()) {
            Append(order, d);
            endMark = d;
            walkStart = chain.Next();
            break;
        }
        if (d == firstEnabled) {
            AppendAllInChainOrder(order, false);
            return;
        }
        if (!d->IsEnabled()) {
            chain.AddSkipped();
            lastDisabled = d;
            if (!endMark)
                endMark = d;
        } else if (!firstEnabled) {
            firstEnabled = d;
        }
        d = chain.Next();
    }
    for (int step = 0; walkStart && step < limit; ++step) {
        if (walkStart == endMark)
            return;
        if (walkStart->IsEnabled())
            Append(order, walkStart);
        else
            chain.AddSkipped();
        walkStart = chain.Next();
    }
}

bool CRoomFloor::Touches(KorDimension* d, KorEntity* entity)
{
    std::vector<KorEntity*> ends{entity};
    if (auto* primitive = dynamic_cast<KorPrimitive*>(entity)) {
        ends = {primitive->GetStart(), primitive->GetEnd()};
    }
    for (KorEntity* end : ends)
        if (end && (d->GetStart() == end || d->GetEnd() == end))
            return true;
    return false;
}

bool CRoomFloor::StartsAt(KorDimension* d, KorEntity* entity)
{
    if (auto* primitive = dynamic_cast<KorPrimitive*>(entity))
        return d->GetStart() == primitive->GetStart() || d->GetStart() == primitive->GetEnd();
    return d->GetStart() == entity;
}

void CRoomFloor::WalkFromEntity(ChainOrder& order, KorEntity* entity)
{
    CEdgeChain& chain = order.chain;
    const int limit = 2 * chain.SlotCount() + 2;
    KorDimension* found = chain.First();
    int step = 0;
    for (; found && step < limit && !Touches(found, entity); ++step)
        found = chain.Next();
    if (!found || step >= limit) {
        if (mChainDisabledDimensions.empty())
            chain.AddSkipped();
        else
            AppendAllInChainOrder(order, true);
        return;
    }
    KorDimension* endMark = nullptr;
    if (StartsAt(found, entity) && !BackFrom(order, found, endMark))
        return;
    // Forward from the found dimension up to the end mark.
    chain.SeekTo(found);
    KorDimension* d = found;
    for (int forward = 0; d && forward < limit; ++forward) {
        if (forward > 0 && (d == endMark || d == found))
            return;
        if (d->IsEnabled())
            Append(order, d);
        else
            chain.AddSkipped();
        d = chain.Next();
    }
}

// Back from a dimension along walls of fixed direction; false when the run
// came round to where it began (the whole chain is appended then).
bool CRoomFloor::BackFrom(ChainOrder& order, KorDimension* found, KorDimension*& endMark)
{
    CEdgeChain& chain = order.chain;
    const int limit = 2 * chain.SlotCount() + 2;
    chain.SeekTo(found);
    KorDimension* d = found;
    KorDimension* after = nullptr;
    for (int back = 0; d && back < limit; ++back) {
        if (back > 0 && d == found) {
            AppendAllInChainOrder(order, false);
            return false;
        }
        if (!d->IsEnabled()) {
            chain.AddSkipped();
            endMark = d;
            return true;
        }
        ZupEdge* wall = chain.GetCurrentWall();
        if (wall && CEdgeChain::IsDirectionFree(wall)) {
            endMark = after;
            return true;
        }
        Append(order, d);
        after = d;
        d = chain.Prev();
    }
    return true;
}

void CRoomFloor::AppendIfEnabled(ChainOrder& order, KorNode* a, KorNode* b)
{
    if (!a || !b || a == b)
        return;
    KorDimension* d = GetDimension(a, b, false);
    if (d && d->IsEnabled())
        Append(order, d);
}

int CRoomFloor::NodeIndex(KorNode* node) const
{
    const std::vector<KorNode*>& nodes = GetNodes();
    auto it = std::find(nodes.begin(), nodes.end(), node);
    return it == nodes.end() ? -1 : static_cast<int>(it - nodes.begin());
}

void CRoomFloor::OrderAroundNode(ChainOrder& order, KorNode* c)
{
    const std::vector<KorNode*>& nodes = GetNodes();
    const int home = NodeIndex(c);
    if (home < 0)
        return;
    int previous = NextCorner(home);
    AppendIfEnabled(order, c, nodes[previous]);
    const int last = PreviousCorner(home);
    for (std::size_t guard = 0; guard < nodes.size() && previous != last; ++guard) {
        const int next = NextCorner(previous);
        if (next == home)
            break;
        AppendIfEnabled(order, nodes[previous], nodes[next]);
        AppendIfEnabled(order, c, nodes[next]);
        previous = next;
    }
}

void CRoomFloor::OrderAroundDraggedCorner(ChainOrder& order, KorNode* c, KorNode* dragged)
{
    const std::vector<KorNode*>& nodes = GetNodes();
    const int home = NodeIndex(c);
    const int from = NodeIndex(dragged);
    if (home < 0 || from < 0)
        return;
    AppendIfEnabled(order, c, dragged);
    for (bool forward : {true, false}) {
        int previous = from;
        for (std::size_t guard = 0; guard < nodes.size(); ++guard) {
            const int next = forward ? NextCorner(previous) : PreviousCorner(previous);
            if (next == home || next == previous)
                break;
            AppendIfEnabled(order, nodes[previous], nodes[next]);
            AppendIfEnabled(order, c, nodes[next]);
            previous = next;
        }
    }
}

void CRoomFloor::OrderFromNodeToWall(ChainOrder& order, KorNode* c, KorPrimitive* wall)
{
    KorNode* start = wall->GetStart();
    KorNode* end = wall->GetEnd();
    AppendIfEnabled(order, c, start);
    AppendIfEnabled(order, c, end);
    const std::vector<KorNode*>& nodes = GetNodes();
    const int home = NodeIndex(c);
    int previous = NodeIndex(end);
    if (home < 0 || previous < 0)
        return;
    for (std::size_t guard = 0; guard < nodes.size(); ++guard) {
        const int next = NextCorner(previous);
        if (next == home || next == previous)
            break;
        AppendIfEnabled(order, nodes[previous], nodes[next]);
        AppendIfEnabled(order, c, nodes[next]);
        previous = next;
    }
}
