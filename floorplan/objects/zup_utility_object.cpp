#include "zup_utility_object.h"

ZupUtilityObject::ZupUtilityObject(ZupFloor* floor) : ZupWallObject(floor, nullptr, nullptr)
{
    mDepth = GetDefaultDepth(0);
}

ZupWallObject* ZupUtilityObject::Clone(ZupFloor* floor)
{
    auto* copy = new ZupUtilityObject(floor);
    Replicate(copy);
    return copy;
}

int ZupUtilityObject::GetDefaultWidth(int) { return IsMetric() ? 72 : 30; }

int ZupUtilityObject::GetDefaultDepth(int) { return IsMetric() ? 72 : 30; }
