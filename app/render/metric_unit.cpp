#include "metric_unit.h"

#include "zup_object.h"

int GetMetricUnit()
{
    return ZupObject::IsMetric() ? 4 : 2;
}
