// Named solving statuses and the list helper shared by the node, primitive
// and tracker sources.
#pragma once

#include <algorithm>
#include <vector>

#include "kor_types.h"

namespace KorStatus {
// Node
inline constexpr KORStatusType NotPlaced = static_cast<KORStatusType>(0);
inline constexpr KORStatusType Placed = static_cast<KORStatusType>(2);
// Tracker
inline constexpr KORStatusType Free = static_cast<KORStatusType>(0);
inline constexpr KORStatusType Turning = static_cast<KORStatusType>(1);
inline constexpr KORStatusType Fixed = static_cast<KORStatusType>(2);
inline constexpr KORStatusType DirectionHeld = static_cast<KORStatusType>(3);
inline constexpr KORStatusType CentreHeld = static_cast<KORStatusType>(4);
inline constexpr KORStatusType RimHeld = static_cast<KORStatusType>(5);
}  // namespace KorStatus

// Erases the first occurrence; false when the item is not listed.
template <typename T>
bool KorEraseFirst(std::vector<T*>& list, const T* item)
{
    auto it = std::find(list.begin(), list.end(), item);
    if (it == list.end())
        return false;
    list.erase(it);
    return true;
}
