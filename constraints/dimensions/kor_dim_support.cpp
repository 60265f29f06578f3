#include "kor_dim_support.h"

#include <cmath>

#include "circle.h"
#include "geolist.h"
#include "kor_cir_tracker.h"
#include "kor_dimaint.h"
#include "kor_entity.h"
#include "kor_lin_tracker.h"
#include "kor_segment.h"
#include "line.h"

bool KorLeftOf(const point& p, const point& a, const point& b)
{
    const double cross = (b.x() - a.x()) * (p.y() - a.y()) - (b.y() - a.y()) * (p.x() - a.x());
    return cross > 0.0;
}

point KorFootOn(const line& l, const point& p)
{
    point foot = p;
    foot = l;
    return foot;
}

static bool IsFiniteCircle(const circle& c)
{
    return std::isfinite(c.center().x()) && std::isfinite(c.center().y()) && std::isfinite(c.rad());
}

bool KorRefitCircle(KorCirTracker* tracker, const geolist& list)
{
    if (!tracker)
        return false;
    circle c = tracker->GetCircle();
    if (!(c = list) || !IsFiniteCircle(c) || !(c.rad() > 0.0))
        return false;
    tracker->GetCircle() = c;
    return true;
}

bool KorSetRadius(KorCirTracker* tracker, double radius)
{
    if (!tracker || !std::isfinite(radius) || !(radius > 0.0))
        return false;
    tracker->GetCircle().rad() = radius;
    return true;
}

bool KorSetLine(line& target, const line& l)
{
    if (!std::isfinite(l.ltan()) || !std::isfinite(l.laxe()))
        return false;
    target = l;
    return true;
}

KorDimaint* KorFindAttached(KorEntity* entity, std::uint64_t serial)
{
    if (!entity || serial == 0)
        return nullptr;
    for (int i = 0; i < entity->GetNumOfDimaints(); ++i)
        if (entity->GetDimaint(i)->GetSerial() == serial)
            return entity->GetDimaint(i);
    return nullptr;
}

KorLinTracker* KorSegmentLine(KorEntity* entity)
{
    auto* segment = dynamic_cast<KorSegment*>(entity);
    return segment ? dynamic_cast<KorLinTracker*>(segment->GetTracker()) : nullptr;
}

bool KorIsAlignedTracker(const KorTracker* tracker)
{
    return tracker && tracker->GetAlignment() != KOR_EMPTY;
}

int KorStatusOf(const KorTracker* tracker)
{
    return tracker ? static_cast<int>(tracker->GetStatus()) : -1;
}
