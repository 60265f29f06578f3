// Walks over a floor's walls and rooms, and what lies at a point.
#include "zup_floor.h"

#include "kor_primitive.h"
#include "zup_edge.h"

ZupEdge* ZupFloor::CastToEdge(KorPrimitive* primitive)
{
    if (!primitive)
        return nullptr;
    const KOREntityType type = primitive->GetType();
    if (type != KOR_SEGMENT && type != KOR_ARC)
        return nullptr;
    return dynamic_cast<ZupEdge*>(primitive);
}
