#include "zup_object.h"

#include <cstdlib>

#include "polygon.h"
#include "zup_globals.h"
#include "zup_partition.h"

void ZupObject::SetUODDepth(unsigned& word)
{
    word += ClampField(mDepth, 8) << 12;
}

polygon& ZupObject::GetContour()
{
    return mpPartition ? mpPartition->GetContour() : EmptyContour();
}

bool ZupObject::SameType(ZupObject* other)
{
    return other && GetObjectType() == other->GetObjectType() && GetType() == other->GetType();
}

void ZupObject::SetMetric(bool metric)
{
    ZupMetric() = metric;
}

bool ZupObject::IsMetric()
{
    return ZupMetric();
}

polygon& ZupObject::EmptyContour()
{
    // Handed out by reference: callers only read it, and it is cleared on
    // every call so no caller sees what another one wrote.
    static polygon empty;
    empty = polygon();
    return empty;
}

std::uint32_t ZupObject::ClampField(long long value, int bits)
{
    const long long magnitude = value < 0 ? -value : value;
    const long long top = (1LL << bits) - 1;
    return static_cast<std::uint32_t>(magnitude > top ? top : magnitude);
}
