#include "geobject.h"

// Only these pairs compare; any other pair is unequal. The pair is ordered:
// a segment equals a point lying on it, a point never equals a segment.
char geobject::operator==(const geobject& other) const
{
    // Completed once point, line, circle and segment exist.
    (void)other;
    return 0;
}
