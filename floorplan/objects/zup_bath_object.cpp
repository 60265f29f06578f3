#include "zup_bath_object.h"

#include "zup_countertop.h"

ZupBathObject::ZupBathObject(ZupFloor* floor) : ZupWallObject(floor, nullptr, nullptr)
{
    mDepth = GetDefaultDepth(0);
}

ZupWallObject* ZupBathObject::Clone(ZupFloor* floor)
{
    auto* copy = new ZupBathObject(floor);
    Replicate(copy);
    return copy;
}

int ZupBathObject::GetTubThickness() { return IsMetric() ? 7 : 3; }

namespace {

struct BathSize {
    int width[2];  // imperial, metric
    int depth[2];
};

// Types 0 to 4, then the row for 6 and above; type 5 is sized by the sink.
constexpr BathSize kBathSizes[] = {
    {{29, 72}, {65, 160}}, {{32, 80}, {32, 80}}, {{72, 180}, {32, 80}},
    {{19, 47}, {30, 75}},  {{17, 42}, {22, 56}}, {{29, 72}, {58, 145}},
};

const BathSize& BathRow(int type)
{
    return type >= 0 && type <= 4 ? kBathSizes[type] : kBathSizes[5];
}

// The sink's round size with the stove space beside it.
int SinkSpan() { return ZupCountertop::GetSinkRoundSize() + ZupCountertop::GetStoveSpace(); }

}  // namespace

int ZupBathObject::GetDefaultWidth(int type)
{
    if (type == 5)
        return static_cast<int>(SinkSpan() * 2.4);
    return BathRow(type).width[IsMetric() ? 1 : 0];
}

int ZupBathObject::GetDefaultDepth(int type)
{
    if (type == 5)
        return SinkSpan() * 2;
    return BathRow(type).depth[IsMetric() ? 1 : 0];
}
