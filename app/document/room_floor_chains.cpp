// The room's side of its edge chains: applying a shape's chains, counting
// given angles, and asking the chains whether a dimension is needed.
#include "edge_chain.h"
#include "edge_chain_spec.h"
#include "kor_dimension.h"
#include "kor_primitive.h"
#include "room_floor.h"

bool CRoomFloor::ApplyChains(const std::vector<CEdgeChainSpec>& definitions)
{
    mChains.clear();
    for (const CEdgeChainSpec& definition : definitions) {
        mChains.emplace_back();
        if (!mChains.back().Apply(this, definition)) {
            // A chain without walls would count as consistent and hold every
            // loose tracker: it does not stay.
            mChains.pop_back();
            return false;
        }
    }
    return true;
}

void CRoomFloor::CountEnabledAngles()
{
    if (mChains.empty())
        return;
    // Counted afresh, so that counting again after a load does not add up.
    int angles = 0;
    for (KorDimension* d : GetDimensions())
        if (d->GetType() == KOR_ANGLE && d->IsEnabled())
            ++angles;
    mChains.front().SetAngleCount(angles);
}

bool CRoomFloor::CheckDimensionAgainstChains(KorDimension* d)
{
    if (!d)
        return false;
    const bool wasEnabled = d->IsEnabled();
    d->SetEnabled(false);
    KorTracker* tracker = d->GetTracker(nullptr);
    for (CEdgeChain& chain : mChains) {
        if (!chain.IsCheck() || !chain.HoldsTracker(tracker))
            continue;
        const bool needed = !chain.IsConsistent();
        if (wasEnabled && needed)
            d->SetEnabled(true);
        return needed;
    }
    return false;
}

CEdgeChain* CRoomFloor::FindChain(KorPrimitive* object)
{
    KorTracker* tracker = object ? object->GetTracker() : nullptr;
    for (CEdgeChain& chain : mChains)
        if (chain.HoldsTracker(tracker))
            return &chain;
    return nullptr;
}

bool CRoomFloor::AreChainsConsistent()
{
    for (CEdgeChain& chain : mChains)
        if (chain.IsCheck() && !chain.IsConsistent())
            return false;
    return true;
}

KorNNDistance* CRoomFloor::LookupSingleChain(KorDimension* d)
{
    if (mChains.size() != 1)
        return nullptr;
    return mChains.front().ChainDimensionOn(d);
}
