#include "kor_perpendicular.h"

#include <cmath>

#include "angle.h"
#include "geolist.h"
#include "line.h"

#include "kor_lin_tracker.h"

KorPerpendicular::KorPerpendicular() { mValue = 90.0; }

KorPerpendicular::~KorPerpendicular()
{
    for (KorLinTracker* t : {GetStartTracker(), GetEndTracker()})
        if (t)
            t->RemoveDimaint(this);
}

bool KorPerpendicular::LayParallel(KorLinTracker* moved, KorLinTracker* carrier, KorNode* node)
{
    line l = moved->GetLine();
    const angle right(90.0);
    const line across = KorLinTracker::AsPlaced(carrier->GetLine());
    if (!(l = (across & node->GetPoint() & right)) || !std::isfinite(l.ltan()) ||
        !std::isfinite(l.laxe()))
        return false;
    KorLinTracker::PlaceThrough(l, node->GetPoint(), mpModel);
    moved->GetLine() = l;
    return true;
}

bool KorPerpendicular::Adjust(KorDimSolution* solution) { return KorParallel::Adjust(solution); }
