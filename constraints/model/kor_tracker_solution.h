// How the nodes of a moved tracker follow it: for each node, in the tracker's
// node order, the other tracker it slides on (null: the pivot, a free end).
#pragma once

#include <cstddef>
#include <vector>

class KorNode;
class KorTracker;

// Kinds of tracker solutions.
enum KorTrackerSolutionKind : unsigned {
    KOR_TS_SHIFT = 0,          // the moved tracker shifts parallel to itself
    KOR_TS_TURN = 1,           // it turns about its pivot node
    KOR_TS_RADIUS = 9,         // a circle tracker changes its radius
    KOR_TS_THREE_TRACKERS = 11,
    KOR_TS_TWO_TRACKERS = 12,
    KOR_TS_TWO_NODES = 15,     // both nodes of one tracker move
};

class KorTrackerSolution {
public:
    KorTrackerSolution(unsigned kind, KorNode* node, std::size_t reserve);

    unsigned GetKind() const { return mKind; }
    void SetKind(unsigned kind) { mKind = kind; }
    KorNode* GetNode() const { return mpNode; }
    void SetNode(KorNode* node) { mpNode = node; }

    void AddFollower(KorTracker* tracker) { mFollowers.push_back(tracker); }
    std::size_t GetNumOfFollowers() const { return mFollowers.size(); }
    // Null out of range.
    KorTracker* GetFollower(std::size_t i) const;
    std::vector<KorTracker*>& GetFollowers() { return mFollowers; }
    const std::vector<KorTracker*>& GetFollowers() const { return mFollowers; }

private:
    unsigned mKind;
    KorNode* mpNode;
    std::vector<KorTracker*> mFollowers;
};
