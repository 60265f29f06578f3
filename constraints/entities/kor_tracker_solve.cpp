// How the nodes of a tracker follow it when a solution moves it.
#include <cmath>

#include "kor_dim_solution.h"
#include "kor_entity_support.h"
#include "kor_model.h"
#include "kor_tracker.h"
#include "kor_tracker_solution.h"

KorTrackerSolution* KorTracker::Solve(KorTracker* a, KorTracker* b, KorTracker* c)
{
    mFixedNodes.clear();
    KorNode::SetFixedTrackers(this, a, b);
    KorNode::AddFixedTracker(c);
    auto* solution = new KorTrackerSolution(c ? KOR_TS_THREE_TRACKERS : KOR_TS_TWO_TRACKERS,
                                            nullptr, mNodes.size());
    for (KorNode* n : mNodes) {
        if (n->GetNumOfTrackers() < 2) {
            solution->AddFollower(nullptr);
            continue;
        }
        KorTracker* carrier = n->IsMovable() ? n->Solve(this, nullptr) : nullptr;
        if (carrier) {
            solution->AddFollower(carrier);
            continue;
        }
        const bool holds = (mStatus == KorStatus::Turning && n == mpPivot) ||
                           (mStatus == KorStatus::RimHeld && (n == mpPivot || n == mpClamp));
        if (!holds) {
            delete solution;
            return nullptr;
        }
        solution->AddFollower(nullptr);
    }
    return solution;
}

KorTrackerSolution* KorTracker::Solve(KorNode* a, KorTracker* ta, KorNode* b, KorTracker* tb)
{
    auto* solution = new KorTrackerSolution(KOR_TS_TWO_NODES, nullptr, mNodes.size());
    KorNode::SetFixedTrackers(this, ta, tb);
    for (KorNode* n : mNodes) {
        if (n->GetNumOfTrackers() < 2) {
            solution->AddFollower(nullptr);
            continue;
        }
        KorTracker* given = n == a ? ta : (n == b ? tb : nullptr);
        KorTracker* carrier = n->IsMovable() ? n->Solve(this, given) : nullptr;
        if (!carrier) {
            delete solution;
            return nullptr;
        }
        solution->AddFollower(carrier);
    }
    return solution;
}

bool KorTracker::StaysCollapsed(KorNode* n)
{
    if (!mpModel || mpModel->IsInDrag() || !n->GetCollapsed())
        return false;
    return !n->UnCollapse(this);
}

bool KorTracker::AlignNodes(KorDimSolution* s)
{
    mFixedNodes.clear();
    if (!s)
        return false;
    bool answer = true;
    // The nodes the solution placed itself go first; the walk below skips them.
    if (KorNode* first = s->GetUpdatedNode1()) {
        if (StaysCollapsed(first) ||
            (first->GetNumOfTrackers() >= 3 && !first->AddAdjustmentTrackers(this)))
            answer = false;
        mFixedNodes.insert(first);
        if (KorNode* second = s->GetUpdatedNode2()) {
            if (second->GetNumOfTrackers() >= 3 && !second->AddAdjustmentTrackers(this))
                answer = false;
            mFixedNodes.insert(second);
        }
    }
    KorTrackerSolution* followers = s->GetTrackerSolution();
    geobject& g = GetGeometry();
    const std::vector<KorNode*> nodes = mNodes;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        KorNode* n = nodes[i];
        if (n == s->GetPivot() || !n->IsMovable() || s->IsUpdatedObjectNode(n))
            continue;
        KorTracker* carrier = followers ? followers->GetFollower(i) : nullptr;
        if (n->GetNumOfTrackers() == 1) {
            if (mpRay) {
                const point onRay = GetPointOnRay(n, nullptr);
                if (std::isfinite(onRay.x()) && std::isfinite(onRay.y()))
                    n->GetPoint() = onRay;
            } else {
                n->PlaceOn(g);
            }
        } else if (carrier) {
            if (carrier->GetCenter() == n) {
                if (mpModel)
                    mpModel->AddAdjustmentTracker(carrier);
                n->PlaceOn(g);
            } else {
                if (!n->Adjust(this, carrier, s)) {
                    mpRay = nullptr;
                    return false;
                }
                if (n->GetNumOfTrackers() >= 3)
                    mFixedNodes.insert(n);
            }
        } else if (!n->GetPoint().IsOn(g)) {
            n->PlaceOn(g);
            n->AddAdjustmentTrackers(this);
        }
        if (StaysCollapsed(n)) {
            answer = false;
            break;
        }
    }
    mpRay = nullptr;
    return answer;
}
