#include "zup_countertop.h"

ZupCountertop::ZupCountertop(ZupFloor* floor) : ZupWallObject(floor, nullptr, nullptr)
{
    mDepth = GetDefaultDepth(false);
}

ZupWallObject* ZupCountertop::Clone(ZupFloor* floor)
{
    auto* copy = new ZupCountertop(floor);
    Replicate(copy);
    return copy;
}

bool ZupCountertop::NeedOpening(ZupEdge* edge)
{
    return GetType() != 7 && ZupWallObject::NeedOpening(edge);
}

int ZupCountertop::GetDefaultWidth() { return IsMetric() ? 250 : 100; }

int ZupCountertop::GetDefaultDepth(bool wide)
{
    if (wide)
        return IsMetric() ? 150 : 60;
    return IsMetric() ? 62 : 25;
}

int ZupCountertop::GetSinkRoundSize() { return IsMetric() ? 22 : 9; }

int ZupCountertop::GetSinkRectSize() { return IsMetric() ? 22 : 15; }

int ZupCountertop::GetStoveWidth() { return IsMetric() ? 76 : 30; }

float ZupCountertop::GetStoveBurnerRadius() { return IsMetric() ? 10.0f : 4.0f; }

int ZupCountertop::GetStoveSpace() { return IsMetric() ? 5 : 2; }
