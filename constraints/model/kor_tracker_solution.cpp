#include "kor_tracker_solution.h"

KorTrackerSolution::KorTrackerSolution(unsigned kind, KorNode* node, std::size_t reserve)
    : mKind(kind), mpNode(node)
{
    mFollowers.reserve(reserve);
}

KorTracker* KorTrackerSolution::GetFollower(std::size_t i) const
{
    return i < mFollowers.size() ? mFollowers[i] : nullptr;
}
