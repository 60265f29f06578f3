#include "kor_df.h"

#include "kor_dimension.h"
#include "kor_lin_tracker.h"

KorTracker* KorDF::GetSubject(KorDimension* d, KorTrackerSolution* s) const
{
    if (!d || !s || !mpMoved || mpMoved->GetType() != KOR_LINEAR_TRACKER)
        return nullptr;
    KorNode* other = d->GetOtherNode(mpNode);
    if (!other)
        return nullptr;
    return static_cast<KorLinTracker*>(mpMoved)->GetSubject(other, s);
}
