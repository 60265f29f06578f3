#include "kor_shift_group.h"

#include <cmath>

#include "kor_dimaint.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "kor_tracker.h"

KorShiftGroup::KorShiftGroup(KorNode* start, KorNode* end, KorTracker* tracker,
                             KorDimaint* dimaint)
    : mpStart(start), mpEnd(end), mpTracker(tracker), mpDimaint(dimaint)
{
}

KorShiftGroup::~KorShiftGroup()
{
    mTrackers.clear();
    mNodes.clear();
}

bool KorShiftGroup::Collect() { return mpStart && CollectFromNode(mpStart); }

bool KorShiftGroup::CollectFromNode(KorNode* node)
{
    if (node == mpEnd || !node->IsMovable())
        return false;
    if (mNodes.count(node))
        return true;
    mNodes.insert(node);
    bool isStart = node == mpStart;
    for (unsigned i = 0; i < node->GetNumOfTrackers(); ++i) {
        KorTracker* tracker = node->GetTracker(static_cast<short>(i));
        if (isStart && tracker == mpTracker)
            continue;
        if (!CollectFromTracker(tracker))
            return false;
    }
    for (int i = 0; i < node->GetNumOfDimaints(); ++i) {
        KorDimaint* dimaint = node->GetDimaint(i);
        if (isStart && dimaint == mpDimaint)
            continue;
        if (!FollowDimaint(dimaint, node))
            return false;
    }
    return true;
}

bool KorShiftGroup::CollectFromTracker(KorTracker* tracker)
{
    if (!tracker || tracker == mpTracker || !tracker->IsMovable())
        return false;
    if (mTrackers.count(tracker))
        return true;
    mTrackers.insert(tracker);
    for (int i = 0; i < tracker->GetNumOfNodes(); ++i)
        if (!CollectFromNode(tracker->GetNode(static_cast<unsigned>(i))))
            return false;
    for (int i = 0; i < tracker->GetNumOfPrimitives(); ++i) {
        KorPrimitive* primitive = tracker->GetPrimitive(i);
        for (int j = 0; j < primitive->GetNumOfDimaints(); ++j)
            if (!FollowDimaint(primitive->GetDimaint(j), primitive))
                return false;
    }
    return true;
}

// Every entity the dimaint relates besides `from` moves with the group.
bool KorShiftGroup::FollowDimaint(KorDimaint* dimaint, KorEntity* from)
{
    for (int i = 0; i < dimaint->GetNumOfEntities(); ++i) {
        KorEntity* entity = dimaint->GetEntity(i);
        if (entity == from)
            continue;
        bool collected = true;
        if (KorNode* node = dynamic_cast<KorNode*>(entity))
            collected = CollectFromNode(node);
        else if (KorPrimitive* primitive = dynamic_cast<KorPrimitive*>(entity))
            collected = CollectFromTracker(primitive->GetTracker());
        else if (KorTracker* tracker = dynamic_cast<KorTracker*>(entity))
            collected = CollectFromTracker(tracker);
        if (!collected)
            return false;
    }
    return true;
}

void KorShiftGroup::Shift(double dx, double dy)
{
    if (!std::isfinite(dx) || !std::isfinite(dy))
        return;
    for (KorNode* node : mNodes)
        node->SetPosition(node->x() + dx, node->y() + dy, false, false);
    for (KorTracker* tracker : mTrackers)
        tracker->Update();
}
