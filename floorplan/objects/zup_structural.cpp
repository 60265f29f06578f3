#include "zup_structural.h"

ZupStructural::ZupStructural(ZupFloor* floor) : ZupWallObject(floor, nullptr, nullptr)
{
    mDepth = GetDefaultDepth(0);
}

ZupWallObject* ZupStructural::Clone(ZupFloor* floor)
{
    auto* copy = new ZupStructural(floor);
    // A structural copy keeps its kind and size, not an attached window.
    copy->SetType(GetType());
    copy->SetDepth(mDepth);
    return copy;
}

int ZupStructural::GetDefaultWidth(int) { return IsMetric() ? 36 : 15; }

int ZupStructural::GetDefaultDepth(int) { return IsMetric() ? 36 : 15; }
