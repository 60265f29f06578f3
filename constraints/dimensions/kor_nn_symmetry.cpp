#include "kor_nn_symmetry.h"

#include "distances.h"
#include "kor_dim_support.h"
#include "kor_lin_tracker.h"
#include "kor_model.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "kor_perpendicular.h"
#include "kor_segment.h"
#include "kor_solution_geometry.h"

namespace {

void Attach(KorNode* node, KorTracker* tracker)
{
    if (node->AddTracker(tracker))
        tracker->AddNode(node);
}

}  // namespace

KorNNSymmetry::KorNNSymmetry() = default;

KorNNSymmetry::~KorNNSymmetry() { DeleteParts(); }

KorNNDistance* KorNNSymmetry::GetFirstDistance() const
{
    return dynamic_cast<KorNNDistance*>(KorFindAttached(mpNodeA, mFirstSerial));
}

KorNNDistance* KorNNSymmetry::GetSecondDistance() const
{
    return dynamic_cast<KorNNDistance*>(KorFindAttached(mpNodeB, mSecondSerial));
}

KorPerpendicular* KorNNSymmetry::GetPerpendicular() const
{
    if (!mpModel)
        return nullptr;
    return dynamic_cast<KorPerpendicular*>(KorFindLive(mpModel->GetDimensions(), mPerpendicularSerial));
}

KorNode* KorNNSymmetry::GetMidNode() const
{
    return mpModel ? KorFindLive(mpModel->GetNodes(), mMidSerial) : nullptr;
}

KorLinTracker* KorNNSymmetry::GetOwnTracker() const
{
    if (!mpModel)
        return nullptr;
    return dynamic_cast<KorLinTracker*>(KorFindLive(mpModel->GetTrackers(), mOwnTrackerSerial));
}

void KorNNSymmetry::DeleteParts()
{
    // Each part goes exactly once: one that its entities or the model
    // deleted already is not found any more.
    KorNNDistance* first = GetFirstDistance();
    KorNNDistance* second = GetSecondDistance();
    KorPerpendicular* perpendicular = GetPerpendicular();
    KorNode* mid = GetMidNode();
    KorLinTracker* own = GetOwnTracker();
    mFirstSerial = mSecondSerial = mPerpendicularSerial = mMidSerial = mOwnTrackerSerial = 0;
    mpFirst = mpSecond = nullptr;
    mpPerpendicular = nullptr;
    mpMid = nullptr;
    mpOwnTracker = nullptr;
    delete first;
    delete second;
    delete perpendicular;
    delete mid;
    delete own;
}

bool KorNNSymmetry::MakeDistances(KorNode* from, KorNode* a, KorNode* b)
{
    mpFirst = new KorNNDistance();
    if (mpFirst->Create(mpModel, from, a, false) == 0) {
        delete mpFirst;
        mpFirst = nullptr;
        return false;
    }
    mFirstSerial = mpFirst->GetSerial();
    mpSecond = new KorNNDistance();
    if (mpSecond->Create(mpModel, from, b, false) == 0) {
        delete mpSecond;
        mpSecond = nullptr;
        return false;
    }
    mSecondSerial = mpSecond->GetSerial();
    mpFirst->SetValue(mpSecond);
    mpFirst->SetOwner(this);
    mpSecond->SetOwner(this);
    return true;
}

bool KorNNSymmetry::CreateAboutNode(KorNode* x, KorNode* a, KorNode* b)
{
    KorLinTracker* xa = x->GetCommonLinTracker(a);
    KorLinTracker* xb = x->GetCommonLinTracker(b);
    if (xa && xa != xb) {
        Attach(b, xa);
    } else if (!xa && xb) {
        Attach(a, xb);
    } else if (!xa && !xb) {
        mpOwnTracker = new KorLinTracker(mpModel, x, a);
        mOwnTrackerSerial = mpOwnTracker->GetSerial();
        Attach(b, mpOwnTracker);
    }
    mpReference = x;
    return MakeDistances(x, a, b);
}

bool KorNNSymmetry::CreateAboutSegment(KorEntity* axis, KorNode* a, KorNode* b)
{
    auto* segment = dynamic_cast<KorSegment*>(axis);
    auto* axisTracker = segment ? dynamic_cast<KorLinTracker*>(segment->GetTracker()) : nullptr;
    if (!axisTracker)
        return false;
    KorLinTracker* nodes = b->GetCommonLinTracker(a);
    if (!nodes) {
        mpOwnTracker = nodes = new KorLinTracker(mpModel, b, a);
        mOwnTrackerSerial = mpOwnTracker->GetSerial();
    }
    point crossing[2];
    if (nodes == axisTracker
        || KorIntersect(nodes->GetLine(), axisTracker->GetLine(), crossing, 2) == 0
        || !KorIsFinite(crossing[0]))
        return false;
    mpMid = new KorNode();
    if (mpMid->Create(mpModel, crossing[0].x(), crossing[0].y(), nullptr, false) == 0) {
        delete mpMid;
        mpMid = nullptr;
        return false;
    }
    mMidSerial = mpMid->GetSerial();
    Attach(mpMid, nodes);
    Attach(mpMid, axisTracker);
    mpReference = mpMid;
    if (!MakeDistances(mpMid, a, b))
        return false;
    mpPerpendicular = new KorPerpendicular();
    if (mpPerpendicular->Create(mpModel, axisTracker, nodes) == 0) {
        delete mpPerpendicular;
        mpPerpendicular = nullptr;
        return false;
    }
    mPerpendicularSerial = mpPerpendicular->GetSerial();
    mpPerpendicular->SetOwner(this);
    return true;
}

KorHandle KorNNSymmetry::Create(KorModel* model, KorNode* a, KorNode* b, KorEntity* axis,
                                bool registered)
{
    if (!model)
        return 0;
    mpModel = model;
    if (!a || !b || !axis || a == b || a == axis || b == axis) {
        model->SetError(KOR_ERR_CREATE);
        return 0;
    }
    mpNodeA = a;
    mpNodeB = b;
    bool made = false;
    if (axis->GetType() == KOR_NODE)
        made = CreateAboutNode(static_cast<KorNode*>(axis), a, b);
    else if (axis->GetType() == KOR_SEGMENT)
        made = CreateAboutSegment(axis, a, b);
    if (!made) {
        DeleteParts();
        model->SetError(KOR_ERR_CREATE);
        return 0;
    }
    return KorConstraint::Create(model, a, b, axis, registered);
}

bool KorNNSymmetry::IsImplemented()
{
    KorNNDistance* first = GetFirstDistance();
    KorPerpendicular* perpendicular = GetPerpendicular();
    if (!first || !first->IsConditionImplemented())
        return false;
    return mPerpendicularSerial == 0 || (perpendicular && perpendicular->IsImplemented());
}

bool KorNNSymmetry::IsNodeSymmetrySet(KorNode* a, KorNode* b, KorEntity* axis)
{
    return axis == mpThird && ((a == mpNodeA && b == mpNodeB) || (a == mpNodeB && b == mpNodeA));
}

void KorNNSymmetry::UpdateConfiguration()
{
    KorNNDistance* first = GetFirstDistance();
    KorNNDistance* second = GetSecondDistance();
    auto* reference = dynamic_cast<KorNode*>(mpReference);
    if (!first || !second || !reference || !mpNodeA || !mpNodeB)
        return;
    if (!(GeoDistance(mpNodeA->GetPoint(), mpNodeB->GetPoint())
          < GeoDistance(mpNodeA->GetPoint(), reference->GetPoint())))
        return;
    second->CalculateOrientation();
    double dx = 0.0;
    double dy = 0.0;
    second->GetOrientation(dx, dy, mpNodeB);
    first->SetOrientation(-dx, -dy, reference);
}
