// A named run of walls of a room made from a predefined shape: along it the
// room counts which lengths are given, tells whether the run is neither
// over- nor under-dimensioned, and walks its dimensions in wall order for the
// solver.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <vector>

class CEdgeChainSpec;
class CRoomFloor;
class KorDimension;
class KorNNDistance;
class KorNode;
class KorPrimitive;
class KorTracker;
class ZupEdge;

class CEdgeChain {
public:
    // Takes the walls the chain names (names that match nothing are skipped);
    // true when at least one wall was found.
    bool Apply(CRoomFloor* room, const CEdgeChainSpec& definition);

    // ---- Cursor over the walls' dimension slots (wraps round) ----
    KorDimension* First();
    // Null once a whole pass over the walls met no dimension.
    KorDimension* Next();
    KorDimension* Prev();
    // Puts the cursor on the wall that carries d; false when none does.
    bool SeekTo(KorDimension* d);

    // ---- Counting ----
    int SlotCount() const;
    // Dimension slots without an enabled dimension; refreshes the missing
    // walls and the free-wall count.
    int CountMissing();
    bool IsConsistent();
    bool IsClosed() const;

    // ---- Membership ----
    bool HoldsTracker(KorTracker* tracker) const;
    bool HasWallThroughNode(KorNode* node) const;
    bool SharesNodeWith(KorPrimitive* primitive) const;
    bool RemoveWall(ZupEdge* wall);

    // ---- Chain dimensions: one summary length per wall with objects ----
    void BuildChainDimensions(std::vector<KorDimension*>& disabledList);
    void DropChainDimensions();
    KorNNDistance* ChainDimensionOn(KorDimension* d) const;
    void RecreateWallDimensions();

    // True when d had been visited already.
    bool MarkVisited(KorDimension* d);
    void ClearVisited() { mVisited.clear(); }

    // A wall is free when nothing holds its direction (no parallel, no
    // alignment on its tracker).
    static bool IsDirectionFree(ZupEdge* wall);

    // ---- State the ordering of the solver's list reads and keeps ----
    const std::vector<ZupEdge*>& GetWalls() const { return mWalls; }
    const std::vector<ZupEdge*>& GetMissingWalls() const { return mMissingWalls; }
    int GetSkipped() const { return mSkipped; }
    void SetSkipped(int skipped) { mSkipped = skipped; }
    void AddSkipped() { ++mSkipped; }
    int GetFreeWalls() const { return mFreeWalls; }
    int GetOrderStart() const { return mOrderStart; }
    void SetOrderStart(int start) { mOrderStart = start; }
    int GetAngleCount() const { return mAngleCount; }
    void SetAngleCount(int count) { mAngleCount = count; }
    bool IsOrtho() const { return mbOrtho; }
    bool IsReorder() const { return mbReorder; }
    bool IsCheck() const { return mbCheck; }
    bool HasArc() const { return mbHasArc; }
    int GetChainDimensionCount() const { return static_cast<int>(mChainDimensions.size()); }
    ZupEdge* GetCurrentWall() const;
    int GetCursorIndex() const { return mCursorIndex; }
    KorDimension* GetCurrentLength() const { return mpCurrentLength; }
    CRoomFloor* GetRoom() const { return mpRoom; }

private:
    // A chain dimension with the creation serial it had, so that one the
    // model deleted meanwhile is recognised without touching it.
    struct ChainDimension {
        KorNNDistance* dimension = nullptr;
        std::uint64_t serial = 0;
    };

    KorDimension* Step(bool forward);
    void LoadCurrentWall();
    KorDimension* SlotDimension(int index, bool attachedTest) const;
    KorDimension* LengthDimensionOf(ZupEdge* wall) const;
    KorNNDistance* ChainDimensionOf(ZupEdge* wall) const;
    bool IsLive(const ChainDimension& entry) const;
    void AddToChainDimension(ZupEdge* wall, std::vector<KorDimension*>& disabledList);
    int CountNodeStarSlots(int& present) const;
    bool AreTheTwoMissingWallsParallel() const;
    int MissingFreeWalls() const;

    std::vector<ZupEdge*> mWalls;
    // Whether each wall's direction was free when last looked at: a wall
    // leaving the chain is told from it without asking a dying wall.
    std::vector<bool> mWallFree;
    int mSkipped = 1;
    int mFreeWalls = 0;
    int mOrderStart = 0;
    int mAngleCount = 0;
    bool mbOrtho = true;
    bool mbReorder = true;
    bool mbCheck = true;
    bool mbHasArc = false;
    int mCursorIndex = -1;
    int mSlotCount = 0;
    KorDimension* mpCurrentLength = nullptr;
    int mCurrentWall = 0;
    // Keyed by the wall's creation serial: no order by address, and no need
    // to reach a wall that is gone.
    std::map<std::uint64_t, ChainDimension> mChainDimensions;
    // Creation serials of the dimensions already ordered from.
    std::set<std::uint64_t> mVisited;
    std::vector<ZupEdge*> mMissingWalls;
    CRoomFloor* mpRoom = nullptr;
};
