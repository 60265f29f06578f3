#include "edge_chain.h"

#include <algorithm>

#include "edge_chain_spec.h"
#include "kor_dimension.h"
#include "kor_lin_tracker.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "kor_tracker.h"
#include "room_floor.h"
#include "zup_edge.h"
#include "zup_wall_object.h"

namespace {

std::uint64_t SerialOf(ZupEdge* wall)
{
    KorPrimitive* primitive = wall ? wall->GetPrimitive() : nullptr;
    return primitive ? primitive->GetSerial() : 0;
}

KorTracker* TrackerOf(KorDimension* d) { return d ? d->GetTracker(nullptr) : nullptr; }

bool Contains(const std::vector<KorDimension*>& list, const KorDimension* d)
{
    return std::find(list.begin(), list.end(), d) != list.end();
}

}  // namespace

// ---- Taking the walls a chain names ----

bool CEdgeChain::Apply(CRoomFloor* room, const CEdgeChainSpec& definition)
{
    mbOrtho = definition.ortho;
    mbReorder = definition.reorder;
    mbCheck = definition.check;
    mFreeWalls = 0;
    mAngleCount = 0;
    mbHasArc = false;
    mWalls.clear();
    mWallFree.clear();
    mpRoom = room;
    if (!room)
        return false;
    for (const std::string& name : definition.edgeNames) {
        KorObject* entity = room->GetKorObject(name.c_str());
        if (!entity)
            continue;
        if (entity->GetType() == KOR_ARC)
            mbHasArc = true;
        ZupEdge* wall = ZupFloor::CastToEdge(dynamic_cast<KorPrimitive*>(entity));
        // A wall named twice would count its lengths twice.
        if (!wall || std::find(mWalls.begin(), mWalls.end(), wall) != mWalls.end())
            continue;
        const bool free = IsDirectionFree(wall);
        mWalls.push_back(wall);
        mWallFree.push_back(free);
        if (free)
            ++mFreeWalls;
    }
    return !mWalls.empty();
}

bool CEdgeChain::IsDirectionFree(ZupEdge* wall)
{
    KorTracker* tracker = wall ? wall->GetTracker() : nullptr;
    if (!tracker)
        return true;
    return tracker->GetNumOfParallels() <= 0 && tracker->GetAlignment() == KOR_EMPTY;
}

// ---- Cursor ----

ZupEdge* CEdgeChain::GetCurrentWall() const
{
    if (mCurrentWall < 0 || mCurrentWall >= static_cast<int>(mWalls.size()))
        return nullptr;
    return mWalls[static_cast<std::size_t>(mCurrentWall)];
}

KorDimension* CEdgeChain::LengthDimensionOf(ZupEdge* wall) const
{
    if (KorDimension* length = wall->GetLengthDim())
        return length;
    KorNode* start = wall->GetStart();
    KorNode* end = wall->GetEnd();
    if (!start || !end)
        return nullptr;
    return dynamic_cast<KorDimension*>(start->GetCommonDimaint(end));
}

void CEdgeChain::LoadCurrentWall()
{
    ZupEdge* wall = GetCurrentWall();
    if (!wall) {
        mSlotCount = 0;
        mpCurrentLength = nullptr;
        return;
    }
    if (!mbOrtho) {
        if (KorNNDistance* summary = ChainDimensionOf(wall)) {
            mSlotCount = 1;
            mpCurrentLength = summary;
            return;
        }
    }
    mSlotCount = 2 * wall->GetNumOfObjects() + 1;
    mpCurrentLength = LengthDimensionOf(wall);
}

// The dimension in one slot of the current wall, or null.
KorDimension* CEdgeChain::SlotDimension(int index, bool attachedTest) const
{
    if (index == mSlotCount - 1)
        return mpCurrentLength;
    ZupEdge* wall = GetCurrentWall();
    ZupWallObject* object = wall ? wall->GetWallObject(index / 2) : nullptr;
    if (!object)
        return nullptr;
    // An object that rides on another one needing no opening has no
    // dimensions of its own to walk.
    if (attachedTest) {
        ZupWallObject* host = object->GetAttached();
        if (host && !host->NeedOpening(wall))
            return nullptr;
    }
    if (index % 2 == 1)
        return object->GetWidthDimension();
    return object->GetPosDimension();
}

KorDimension* CEdgeChain::First()
{
    mCurrentWall = 0;
    LoadCurrentWall();
    mSkipped = 0;
    mCursorIndex = -1;
    return Next();
}

KorDimension* CEdgeChain::Next() { return Step(true); }

KorDimension* CEdgeChain::Prev() { return Step(false); }

// One slot on in either direction. The walk stops with null once it comes
// back round to where it started without meeting a dimension, so a chain
// without any dimension ends after one pass whichever way it is walked.
KorDimension* CEdgeChain::Step(bool forward)
{
    const int wallCount = static_cast<int>(mWalls.size());
    if (wallCount == 0)
        return nullptr;
    if (mCurrentWall < 0 || mCurrentWall >= wallCount) {
        mCurrentWall = 0;
        LoadCurrentWall();
        mCursorIndex = forward ? -1 : mSlotCount;
    }
    const int startWall = mCurrentWall;
    const int startIndex = mCursorIndex;
    const int step = forward ? 1 : -1;
    bool backAtStart = false;
    mCursorIndex += step;
    for (;;) {
        const bool offWall = forward ? mCursorIndex > mSlotCount - 1 : mCursorIndex < 0;
        if (offWall) {
            if (backAtStart)
                return nullptr;
            mCurrentWall = (mCurrentWall + step + wallCount) % wallCount;
            LoadCurrentWall();
            mCursorIndex = forward ? 0 : mSlotCount - 1;
            backAtStart = mCurrentWall == startWall;
            continue;
        }
        if (backAtStart && (forward ? mCursorIndex > startIndex : mCursorIndex < startIndex))
            return nullptr;
        if (KorDimension* d = SlotDimension(mCursorIndex, forward))
            return d;
        mCursorIndex += step;
    }
}

bool CEdgeChain::SeekTo(KorDimension* d)
{
    KorTracker* tracker = TrackerOf(d);
    if (!tracker)
        return false;
    for (std::size_t i = 0; i < mWalls.size(); ++i) {
        if (mWalls[i]->GetTracker() != tracker)
            continue;
        mCurrentWall = static_cast<int>(i);
        LoadCurrentWall();
        mCursorIndex = 0;
        ZupEdge* wall = mWalls[i];
        for (int k = 0; k < wall->GetNumOfObjects() && mSlotCount > 1; ++k) {
            ZupWallObject* object = wall->GetWallObject(k);
            if (object && object->GetPosDimension() == d)
                break;
            ++mCursorIndex;
            if (object && object->GetWidthDimension() == d)
                break;
            ++mCursorIndex;
        }
        mCursorIndex = std::min(mCursorIndex, std::max(0, mSlotCount - 1));
        return true;
    }
    return false;
}

// ---- Counting ----

int CEdgeChain::SlotCount() const
{
    int slots = 0;
    for (ZupEdge* wall : mWalls) {
        ++slots;
        for (int k = 0; k < wall->GetNumOfObjects(); ++k) {
            ZupWallObject* object = wall->GetWallObject(k);
            if (!object)
                continue;
            slots += object->GetWidthDimension() ? 1 : 0;
            slots += object->GetPosDimension() ? 1 : 0;
        }
    }
    return slots;
}

int CEdgeChain::CountMissing()
{
    mMissingWalls.clear();
    mFreeWalls = 0;
    int slots = 0;
    int present = 0;
    for (std::size_t i = 0; i < mWalls.size(); ++i) {
        ZupEdge* wall = mWalls[i];
        bool marked = false;
        auto count = [&](KorDimension* d) {
            ++slots;
            if (d && d->IsEnabled())
                ++present;
            else
                marked = true;
        };
        for (int k = 0; k < wall->GetNumOfObjects(); ++k) {
            ZupWallObject* object = wall->GetWallObject(k);
            if (!object)
                continue;
            if (KorDimension* width = object->GetWidthDimension())
                count(width);
            if (KorDimension* position = object->GetPosDimension())
                count(position);
        }
        count(LengthDimensionOf(wall));
        const bool free = IsDirectionFree(wall);
        mWallFree[i] = free;
        if (free)
            ++mFreeWalls;
        if (marked)
            mMissingWalls.push_back(wall);
    }
    slots += CountNodeStarSlots(present);
    return slots - present;
}

// While a corner is current its star of diagonals (reference dimensions from
// the fifth on whose tracker holds no wall) counts as well.
int CEdgeChain::CountNodeStarSlots(int& present) const
{
    if (!mpRoom || !mpRoom->GetCurrentNode())
        return 0;
    const std::vector<KorDimension*>& references = mpRoom->GetReferenceDimensions();
    int slots = 0;
    for (int i = static_cast<int>(references.size()) - 1; i >= 4; --i) {
        KorDimension* d = references[static_cast<std::size_t>(i)];
        KorTracker* tracker = TrackerOf(d);
        if (tracker && tracker->GetNumOfPrimitives() > 0)
            continue;
        ++slots;
        if (d->IsEnabled())
            ++present;
    }
    return slots;
}

bool CEdgeChain::AreTheTwoMissingWallsParallel() const
{
    KorTracker* first = mMissingWalls[0]->GetTracker();
    KorTracker* second = mMissingWalls[1]->GetTracker();
    return first && second && first->IsGeoParallel(second);
}

int CEdgeChain::MissingFreeWalls() const
{
    int free = 0;
    for (ZupEdge* wall : mMissingWalls)
        if (IsDirectionFree(wall))
            ++free;
    return free;
}

bool CEdgeChain::IsConsistent()
{
    int missing = CountMissing();
    if (mbOrtho)
        return missing < 2;
    if (mFreeWalls == 0) {
        if (missing == 2)
            return mMissingWalls.size() == 2 && !AreTheTwoMissingWallsParallel();
        return missing < 2;
    }
    // A given angle stands in for the length of a wall that could turn.
    if (mAngleCount != 0)
        missing -= MissingFreeWalls();
    return mFreeWalls > 1 ? missing < 1 : missing < 2;
}

bool CEdgeChain::IsClosed() const { return mFreeWalls <= 1 && mSkipped == 0; }

// ---- Membership ----

bool CEdgeChain::HoldsTracker(KorTracker* tracker) const
{
    if (!tracker)
        return false;
    if (tracker->GetNumOfPrimitives() == 0)
        return true;
    return std::any_of(mWalls.begin(), mWalls.end(),
                       [tracker](ZupEdge* wall) { return wall->GetTracker() == tracker; });
}

bool CEdgeChain::HasWallThroughNode(KorNode* node) const
{
    if (!node)
        return false;
    return std::any_of(mWalls.begin(), mWalls.end(), [node](ZupEdge* wall) {
        KorTracker* tracker = wall->GetTracker();
        return tracker && node->BelongTo(tracker);
    });
}

bool CEdgeChain::SharesNodeWith(KorPrimitive* primitive) const
{
    if (!primitive)
        return false;
    KorNode* start = primitive->GetStart();
    KorNode* end = primitive->GetEnd();
    return std::any_of(mWalls.begin(), mWalls.end(), [start, end](ZupEdge* wall) {
        KorNode* a = wall->GetStart();
        KorNode* b = wall->GetEnd();
        return (a && (a == start || a == end)) || (b && (b == start || b == end));
    });
}

bool CEdgeChain::RemoveWall(ZupEdge* wall)
{
    auto found = std::find(mWalls.begin(), mWalls.end(), wall);
    if (found == mWalls.end())
        return false;
    const std::size_t index = static_cast<std::size_t>(found - mWalls.begin());
    if (mWallFree[index])
        --mFreeWalls;
    mWalls.erase(found);
    mWallFree.erase(mWallFree.begin() + static_cast<std::ptrdiff_t>(index));
    if (mCurrentWall >= static_cast<int>(mWalls.size()))
        mCurrentWall = 0;
    return true;
}

// ---- Chain dimensions ----

// A chain dimension is live while the room still lists it: the model may
// have deleted it with a node or wall since it was made.
bool CEdgeChain::IsLive(const ChainDimension& entry) const
{
    if (!mpRoom || !entry.dimension)
        return false;
    const std::vector<KorDimension*>& solver = mpRoom->GetDimensions();
    const std::vector<KorDimension*>& references = mpRoom->GetReferenceDimensions();
    if (!Contains(solver, entry.dimension) && !Contains(references, entry.dimension))
        return false;
    return entry.dimension->GetSerial() == entry.serial;
}

KorNNDistance* CEdgeChain::ChainDimensionOf(ZupEdge* wall) const
{
    auto found = mChainDimensions.find(SerialOf(wall));
    if (found == mChainDimensions.end() || !IsLive(found->second))
        return nullptr;
    return found->second.dimension;
}

KorNNDistance* CEdgeChain::ChainDimensionOn(KorDimension* d) const
{
    KorTracker* tracker = TrackerOf(d);
    if (!tracker)
        return nullptr;
    for (const auto& [serial, entry] : mChainDimensions)
        if (IsLive(entry) && entry.dimension->GetTracker(nullptr) == tracker)
            return entry.dimension;
    return nullptr;
}

void CEdgeChain::DropChainDimensions()
{
    std::map<std::uint64_t, ChainDimension> entries;
    entries.swap(mChainDimensions);
    for (const auto& [serial, entry] : entries)
        if (IsLive(entry))
            delete entry.dimension;
}

void CEdgeChain::BuildChainDimensions(std::vector<KorDimension*>& disabledList)
{
    DropChainDimensions();
    disabledList.clear();
    for (ZupEdge* wall : mWalls)
        if (wall->GetNumOfObjects() > 0)
            AddToChainDimension(wall, disabledList);
}

// One wall's objects and remaining length become one summary length
// between the wall's ends; the lengths it sums are disabled.
void CEdgeChain::AddToChainDimension(ZupEdge* wall, std::vector<KorDimension*>& disabledList)
{
    float sum = 0.0f;
    bool complete = true;
    bool allCorners = true;
    std::vector<KorDimension*> collected;
    auto take = [&](KorDimension* d, bool mustExist) {
        if (d && d->IsEnabled()) {
            sum += static_cast<float>(d->GetValue());
            collected.push_back(d);
        } else if (d || mustExist) {
            complete = false;
        }
    };
    for (int k = 0; k < wall->GetNumOfObjects(); ++k) {
        ZupWallObject* object = wall->GetWallObject(k);
        if (!object || object->IsCorner())
            continue;
        allCorners = false;
        take(object->GetPosDimension(), false);
        take(object->GetWidthDimension(), false);
    }
    if (!allCorners)
        take(LengthDimensionOf(wall), true);
    if (collected.empty() || !mpRoom)
        return;
    auto* summary = new KorNNDistance();
    if (summary->Create(mpRoom, wall->GetStart(), wall->GetEnd(), true) == 0) {
        delete summary;
        return;
    }
    // Registering puts a dimension on the model's current layer.
    summary->SetLayer(5);
    if (complete)
        summary->SetValue(static_cast<double>(sum), KOR_DIM_EQUAL, true);
    mChainDimensions[SerialOf(wall)] = ChainDimension{summary, summary->GetSerial()};
    for (KorDimension* d : collected) {
        d->SetEnabled(false);
        disabledList.push_back(d);
    }
    if (KorTracker* tracker = wall->GetTracker())
        mpRoom->AddAlignmentTracker(tracker);
}

void CEdgeChain::RecreateWallDimensions()
{
    mChainDimensions.clear();
    for (ZupEdge* wall : mWalls) {
        wall->SetLengthDim(nullptr);
        KorNode* from = nullptr;
        for (int k = 0; k < wall->GetNumOfObjects(); ++k) {
            ZupWallObject* object = wall->GetWallObject(k);
            if (!object || object->IsCorner())
                continue;
            object->ResetDimensions();
            object->CreateWidthDimension();
            object->CreatePosDimension(from, -1.0f);
            from = object->GetEnd();
        }
        wall->CreateLengthDim(from);
    }
}

bool CEdgeChain::MarkVisited(KorDimension* d)
{
    if (!d)
        return false;
    return !mVisited.insert(d->GetSerial()).second;
}
