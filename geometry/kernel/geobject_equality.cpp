#include "geobject.h"

#include "circle.h"
#include "line.h"
#include "point.h"
#include "segment.h"

// Only these pairs compare; any other pair is unequal. The pair is ordered:
// a segment equals a point lying on it, a point never equals a segment.
bool geobject::operator==(const geobject& other) const
{
    const short mine = typecode();
    const short theirs = other.typecode();
    if (mine == GEO_POINT && theirs == GEO_POINT)
        return static_cast<const point&>(*this) == static_cast<const point&>(other);
    if (mine == GEO_LINE && theirs == GEO_LINE)
        return static_cast<const line&>(*this) == static_cast<const line&>(other);
    if (mine == GEO_CIRCLE && theirs == GEO_CIRCLE)
        return static_cast<const circle&>(*this) == static_cast<const circle&>(other);
    if (mine == GEO_SEGMENT && theirs == GEO_POINT)
        return static_cast<const segment&>(*this) == static_cast<const point&>(other);
    return false;
}
