// The nodes and trackers that a node-node distance moves rigidly: everything
// reachable from the start node without reaching the other node, crossing the
// dimension's tracker or touching anything unmovable.
#pragma once

#include <set>

#include "kor_object.h"

class KorDimaint;
class KorEntity;
class KorNode;
class KorTracker;

class KorShiftGroup {
public:
    using TrackerSet = std::set<KorTracker*, KorSerialLess>;
    using NodeSet = std::set<KorNode*, KorSerialLess>;

    KorShiftGroup(KorNode* start, KorNode* end, KorTracker* tracker, KorDimaint* dimaint);
    KorShiftGroup(const KorShiftGroup&) = delete;
    KorShiftGroup& operator=(const KorShiftGroup&) = delete;
    ~KorShiftGroup();

    bool Collect();
    bool CollectFromNode(KorNode* node);
    bool CollectFromTracker(KorTracker* tracker);
    // Moves every gathered node by (dx, dy); the gathered trackers follow.
    void Shift(double dx, double dy);

    const NodeSet& GetNodes() const { return mNodes; }
    const TrackerSet& GetTrackers() const { return mTrackers; }

private:
    bool FollowDimaint(KorDimaint* dimaint, KorEntity* from);

    KorNode* mpStart;
    KorNode* mpEnd;
    KorTracker* mpTracker;
    KorDimaint* mpDimaint;
    TrackerSet mTrackers;
    NodeSet mNodes;
};
