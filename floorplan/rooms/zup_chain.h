// A path of steps through openings and rooms, found by a depth-first search
// over the portals of the rooms' walls.
#pragma once

#include <cstddef>
#include <set>
#include <vector>

class ZupOpening;
class ZupPartition;

// One step: from one opening through a room to the next opening.
struct ZupLink {
    ZupOpening* from = nullptr;
    ZupOpening* to = nullptr;
    ZupPartition* room = nullptr;
};

// Rooms visited by one search, in creation order.
struct ZupPartitionLess {
    bool operator()(const ZupPartition* a, const ZupPartition* b) const;
};
using ZupPartitionSet = std::set<ZupPartition*, ZupPartitionLess>;

class ZupChain {
public:
    ZupChain() = default;
    ~ZupChain();
    // The links are owned: a copy would free them twice.
    ZupChain(const ZupChain&) = delete;
    ZupChain& operator=(const ZupChain&) = delete;

    bool Create(ZupOpening* from, ZupPartition* room, ZupOpening* target);
    bool Create(ZupOpening* from, ZupPartition* room, ZupPartition* targetRoom);
    bool FindWayAround(ZupOpening* from, ZupPartition* room, ZupOpening* target,
                       ZupPartition* targetRoom, std::vector<ZupLink*>& links,
                       ZupPartitionSet& visited);
    ZupLink* Get1stLink();
    ZupLink* GetNextLink();
    void Clean();
    int GetNumOfLinks() const { return static_cast<int>(mLinks.size()); }

private:
    std::vector<ZupLink*> mLinks;
    std::size_t mCursor = 0;
    bool mbCursor = false;
};
