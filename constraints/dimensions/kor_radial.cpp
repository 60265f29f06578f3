#include "kor_radial.h"

#include "circle.h"
#include "geolist.h"

#include "kor_circle.h"
#include "kor_cir_tracker.h"
#include "kor_dim_solution.h"
#include "kor_dim_support.h"
#include "kor_model.h"
#include "kor_node.h"
#include "kor_scoped_value.h"
#include "kor_tracker_solution.h"

namespace {

bool MeetsEveryCarrier(KorCirTracker* tracker, const KorTrackerSolution* followers)
{
    if (followers)
        for (KorTracker* carrier : followers->GetFollowers())
            if (carrier && (carrier->GetGeometry() % tracker->GetCircle()).count() == 0)
                return false;
    return true;
}

}  // namespace

KorRadial::KorRadial() = default;

KorRadial::~KorRadial()
{
    if (mpModel)
        mpModel->RemoveDimension(this);
    delete mpDF;
    mpDF = nullptr;
}

KorCirTracker* KorRadial::GetCirTracker() const
{
    auto* circle = dynamic_cast<KorCircle*>(mpStart);
    return circle ? dynamic_cast<KorCirTracker*>(circle->GetTracker()) : nullptr;
}

void KorRadial::RefreshDF()
{
    if (mpDF)
        mpDF->mpMoved = GetCirTracker();
}

KorHandle KorRadial::Create(KorModel* model, KorCircle* circle, bool registered)
{
    if (!model || !circle)
        return 0;
    mpStart = circle;
    KorHandle handle = 1;
    if (registered) {
        handle = model->AddDimension(this);
        if (handle == 0) {
            model->SetError(KOR_ERR_REFUSED);
            return 0;
        }
    }
    mpModel = model;
    circle->AddDimaint(this);
    mpDF = new KorDF(nullptr, GetCirTracker(), nullptr);
    return handle;
}

bool KorRadial::SetValue(double value, KORDimensionType type, bool notify)
{
    if ((type == KOR_DIM_EQUAL || type == KOR_DIM_SAME) && !(value > 0.0))
        return false;
    return KorDimension::SetValue(value, type, notify);
}

void KorRadial::SetStatus(KORStatusType status, KorDF*)
{
    mStatus = status;
    RefreshDF();
    KorCirTracker* tracker = GetCirTracker();
    if (mbEnabled && tracker)
        tracker->UpdateStatus(status, this, true);
}

bool KorRadial::SameAs(KorDimension* other)
{
    if (!other || other->GetType() != KOR_RADIUS || !mpStart)
        return false;
    auto* circle = dynamic_cast<KorCircle*>(other->GetStart());
    auto* own = dynamic_cast<KorCircle*>(mpStart);
    return circle && own && circle->GetTracker() == own->GetTracker();
}

KorDimSolution* KorRadial::Solve(KorDF* df)
{
    if (df)
        return nullptr;
    RefreshDF();
    KorCirTracker* tracker = GetCirTracker();
    if (!tracker)
        return nullptr;
    const int status = tracker->GetStatus();
    if (status == 2 || status == 6 || status == 7)
        return nullptr;
    KorTrackerSolution* solution = tracker->Solve();
    return solution ? new KorDimSolution(mpDF, solution, KOR_OP_RADIUS) : nullptr;
}

bool KorRadial::Adjust(KorDimSolution* solution)
{
    auto* tracker = solution && solution->GetDF()
                        ? dynamic_cast<KorCirTracker*>(solution->GetDF()->mpMoved)
                        : nullptr;
    const double value = GetValue();
    if (!tracker || !(value > 0.0))
        return false;
    if (tracker->GetStatus() == KorSt(4))
        return KorSetRadius(tracker, value);
    KorNode* centre = tracker->GetCenter();
    const circle before = tracker->GetCircle();
    const point centreBefore = centre ? centre->GetPoint() : before.center();
    const KorTrackerSolution* followers = solution->GetTrackerSolution();
    if (tracker->Update(value) && MeetsEveryCarrier(tracker, followers))
        return true;
    if (!followers)
        return false;
    // The rim nodes follow the resized circle along their carriers, so a
    // circle placed clear of one (a wall drawn a little out) leaves its node
    // nowhere to go: placed again, keeping the carriers crossed.
    tracker->GetCircle() = before;
    if (centre)
        centre->GetPoint() = centreBefore;
    KorScopedValue<KorTrackerSet> fixed(KorNode::mFixedTrackers);
    for (KorTracker* carrier : followers->GetFollowers())
        KorNode::AddFixedTracker(carrier);
    return tracker->Update(value);
}

double KorRadial::GetImplementedValue()
{
    KorCirTracker* tracker = GetCirTracker();
    return tracker ? tracker->GetRadius() : 0.0;
}
