#include "kor_cc_tangent.h"

#include <cmath>

#include "circle.h"
#include "distances.h"
#include "geolist.h"
#include "kor_cir_tracker.h"
#include "kor_dim_solution.h"
#include "kor_dim_support.h"
#include "kor_lin_tracker.h"
#include "kor_model.h"
#include "kor_primitive.h"
#include "kor_tracker_solution.h"

namespace {

KorCirTracker* CirTrackerOf(const KorPrimitive* p)
{
    return p ? dynamic_cast<KorCirTracker*>(p->GetTracker()) : nullptr;
}


}  // namespace

KorCCTangent::KorCCTangent() = default;

KorCCTangent::~KorCCTangent()
{
    if (mpModel)
        mpModel->RemoveDimension(this);
    delete mpRadialDF1;
    delete mpRadialDF2;
    delete mpStopDF;
    delete mpDF1;
    delete mpDF2;
    mpRadialDF1 = mpRadialDF2 = mpStopDF = mpDF1 = mpDF2 = nullptr;
}

KorCirTracker* KorCCTangent::GetCirTracker1() const { return CirTrackerOf(mpPrimitive1); }
KorCirTracker* KorCCTangent::GetCirTracker2() const { return CirTrackerOf(mpPrimitive2); }

KorEntity* KorCCTangent::GetStart() { return mpPrimitive1; }
KorEntity* KorCCTangent::GetEnd() { return mpPrimitive2; }

KorHandle KorCCTangent::Create(KorModel* model, KorPrimitive* p1, KorPrimitive* p2)
{
    KorCirTracker* t1 = CirTrackerOf(p1);
    KorCirTracker* t2 = CirTrackerOf(p2);
    if (!model)
        return 0;
    if (!t1 || !t2 || t1 == t2 || !t1->GetCenter() || !t2->GetCenter()) {
        model->SetError(KOR_ERR_CREATE);
        return 0;
    }
    // Stored first: the model's duplicate test compares the primitives.
    mpPrimitive1 = p1;
    mpPrimitive2 = p2;
    const KorHandle handle = KorNNDistance::Create(model, t1->GetCenter(), t2->GetCenter(), true);
    if (handle == 0) {
        mpPrimitive1 = mpPrimitive2 = nullptr;
        return 0;
    }
    SetEnabled(true);
    mPrimaryType = KOR_DIM_EQUAL;
    p1->AddDimaint(this);
    p2->AddDimaint(this);
    mpRadialDF1 = new KorDF(nullptr, t1, t2);
    mpRadialDF2 = new KorDF(nullptr, t2, t1);
    mpStopDF = new KorDF(nullptr, nullptr, nullptr);
    mpDF1 = new KorDF(nullptr, t1, nullptr);
    mpDF2 = new KorDF(nullptr, t2, nullptr);
    const double d = GeoDistance(t1->GetCenter()->GetPoint(), t2->GetCenter()->GetPoint());
    const double r1 = t1->GetRadius();
    const double r2 = t2->GetRadius();
    if (d < r1)
        mConfiguration = d < r2 && r2 > r1 ? KOR_TANGENT_FIRST_INSIDE : KOR_TANGENT_SECOND_INSIDE;
    else
        mConfiguration = d < r2 ? KOR_TANGENT_FIRST_INSIDE : KOR_TANGENT_OUTSIDE;
    return handle;
}

void KorCCTangent::RefreshDFs()
{
    KorCirTracker* t1 = GetCirTracker1();
    KorCirTracker* t2 = GetCirTracker2();
    if (!mpRadialDF1)
        return;
    mpRadialDF1->mpMoved = t1;
    mpRadialDF1->mpCarrier = t2;
    mpRadialDF2->mpMoved = t2;
    mpRadialDF2->mpCarrier = t1;
    mpDF1->mpMoved = t1;
    mpDF2->mpMoved = t2;
}

double KorCCTangent::GetValue()
{
    KorCirTracker* t1 = GetCirTracker1();
    KorCirTracker* t2 = GetCirTracker2();
    if (!t1 || !t2)
        return 0.0;
    const double r1 = t1->GetRadius();
    const double r2 = t2->GetRadius();
    return mConfiguration == KOR_TANGENT_OUTSIDE ? r1 + r2 : std::fabs(r1 - r2);
}

void KorCCTangent::Update(KorEntity* oldEntity, KorEntity* newEntity)
{
    KorNNDistance::Update(oldEntity, newEntity);
    RefreshDFs();
    mbImplementable = true;
}

void KorCCTangent::RestoreStatus(KorNode* node)
{
    KorCirTracker* t1 = GetCirTracker1();
    KorCirTracker* t = t1 && t1->GetCenter() == node ? t1 : GetCirTracker2();
    if (t && mSavedStatus != KOR_NO_SAVED_STATUS)
        t->SetStatus(KorSt(mSavedStatus));
    mSavedStatus = KOR_NO_SAVED_STATUS;
}

void KorCCTangent::SetStatus(KORStatusType status, KorDF* df)
{
    if (df && df->mpNode && mSavedStatus != KOR_NO_SAVED_STATUS)
        RestoreStatus(df->mpNode);
    KorNNDistance::SetStatus(status, nullptr);
    RefreshDFs();
    if (!mbEnabled)
        return;
    if (KorCirTracker* t1 = GetCirTracker1())
        t1->UpdateStatus(status, this, false);
    if (KorCirTracker* t2 = GetCirTracker2())
        t2->UpdateStatus(status, this, false);
}

KorDimSolution* KorCCTangent::SolveRadial(KorDF* df)
{
    auto* tracker = dynamic_cast<KorCirTracker*>(df->mpMoved);
    if (!tracker || KorStatusOf(tracker) == 2)
        return nullptr;
    KorTrackerSolution* ts = tracker->Solve();
    if (!ts)
        return nullptr;
    mpOther1 = nullptr;
    return new KorDimSolution(df, ts, KOR_OP_RADIUS);
}

KorDimSolution* KorCCTangent::SolveDoubleTangent(KorDF* df, KorPrimitive* primitive)
{
    KorTracker* moved = df->mpMoved;
    int cursor = -1;
    while (KorTangent* other = mpModel->GetSolvedTangent(cursor)) {
        mpOther1 = other;
        if (!other->Involves(primitive))
            return nullptr;
        other->SetStatus(KorSt(0));
        const int status = KorStatusOf(moved);
        KorPrimitive* p = GetOtherPrimitive(primitive);
        KorPrimitive* far = other->GetOtherPrimitive(primitive);
        KorTracker* q = far ? far->GetTracker() : nullptr;
        if (p && q && (status == 0 || status == 1 || status == 6)) {
            if (KorTrackerSolution* ts = moved->Solve(p->GetTracker(), q, nullptr)) {
                other->SetStatus(KorSt(2));
                other->MarkAsSolved();
                df->mpCarrier = q;
                if (auto* lin = dynamic_cast<KorLinTracker*>(q)) {
                    const point centre = CirTrackerOf(p)->GetCircle().center();
                    const point foot = KorFootOn(lin->GetLine(), centre);
                    mbSide1 = KorLeftOf(static_cast<KorCirTracker*>(moved)->GetCircle().center(),
                                        centre, foot);
                }
                return new KorDimSolution(df, ts, KOR_OP_TANGENT_11);
            }
        }
        other->SetStatus(KorSt(2));
    }
    return nullptr;
}

KorDimSolution* KorCCTangent::SolveDoubleTangents(bool fromFirst)
{
    mpModel->ClearFixed();
    if (fromFirst)
        if (KorDimSolution* s = SolveDoubleTangent(mpDF1, mpPrimitive1))
            return s;
    return SolveDoubleTangent(mpDF2, mpPrimitive2);
}

KorDimSolution* KorCCTangent::Solve(KorDF* df)
{
    if (!mpModel || !mpDF1)
        return nullptr;
    RefreshDFs();
    if (df && df->mpNode && mSavedStatus != KOR_NO_SAVED_STATUS)
        RestoreStatus(df->mpNode);
    if (df == mpDF2)
        return nullptr;
    if (df == mpDF1)
        return SolveDoubleTangents(false);
    if (df == mpRadialDF1) {
        if (KorDimSolution* s = SolveRadial(mpRadialDF2))
            return s;
        return SolveDoubleTangents(true);
    }
    if (df == mpRadialDF2)
        return SolveDoubleTangents(true);
    if (df != mpStopDF) {
        if (KorDimSolution* s = KorNNDistance::Solve(df)) {
            mpOther1 = nullptr;
            return s;
        }
    }
    mpModel->ClearFixed();
    if (KorDimSolution* s = SolveRadial(mpRadialDF1))
        return s;
    if (KorDimSolution* s = SolveRadial(mpRadialDF2))
        return s;
    return SolveDoubleTangents(true);
}

bool KorCCTangent::AdjustDouble(KorDimSolution* solution)
{
    KorDF* df = solution->GetDF();
    KorTangent* other = mpOther1;
    auto* moved = dynamic_cast<KorCirTracker*>(df->mpMoved);
    if (!other || !moved || !df->mpCarrier)
        return false;
    other->SetStatus(KorSt(0));
    KorCirTracker* o = df == mpDF1 ? GetCirTracker2() : GetCirTracker1();
    if (!o)
        return false;
    char k1[16];
    char k2[16];
    SetConfiguration(df == mpDF1, mConfiguration, k1);
    KorPrimitive* second = other->GetPrimitive2();
    SetConfiguration(second && df->mpCarrier == second->GetTracker(), other->GetConfiguration(),
                     k2);
    if (k2[0] != 0) {
        auto* b = dynamic_cast<KorCirTracker*>(df->mpCarrier);
        return b && moved->Adjust(o->GetCircle(), k1, b->GetCircle(), k2);
    }
    auto* b = dynamic_cast<KorLinTracker*>(df->mpCarrier);
    return b && moved->Adjust(o->GetCircle(), k1, b->GetLine(), mbSide1 ? "LEFT" : "RIGHT");
}

bool KorCCTangent::AdjustRadial(KorDimSolution* solution)
{
    KorDF* df = solution->GetDF();
    auto* a = dynamic_cast<KorCirTracker*>(df->mpMoved);
    auto* b = dynamic_cast<KorCirTracker*>(df->mpCarrier);
    if (!a || !b)
        return false;
    char k[16];
    SetConfiguration(df == mpRadialDF1, mConfiguration, k);
    const point centre = a->GetCenter() ? a->GetCenter()->GetPoint() : a->GetCircle().center();
    const double r = a->GetRadius();
    KorNode* pivot = a->GetPivot();
    switch (static_cast<int>(a->GetStatus())) {
    case 1:
    case 7:
        return pivot && KorRefitCircle(a, b->GetCircle() & pivot->GetPoint() & centre & r & k);
    case 5:
        return pivot && a->GetClamp()
               && KorRefitCircle(a, b->GetCircle() & pivot->GetPoint()
                                        & a->GetClamp()->GetPoint() & k);
    case 6: {
        KorPrimitive* own = df == mpRadialDF1 ? mpPrimitive1 : mpPrimitive2;
        KorNode* start = own ? own->GetStart() : nullptr;
        return start && KorRefitCircle(a, b->GetCircle() & start->GetPoint() & centre & r & k);
    }
    case 0:
    case 4: {
        const double d = GeoDistance(centre, b->GetCenter() ? b->GetCenter()->GetPoint()
                                                         : b->GetCircle().center());
        const double rb = b->GetRadius();
        const bool isFirst = a == GetCirTracker1();
        double radius = 0.0;
        if (mConfiguration == KOR_TANGENT_OUTSIDE)
            radius = d - rb;
        else if (mConfiguration == KOR_TANGENT_FIRST_INSIDE)
            radius = isFirst ? rb - d : rb + d;
        else
            radius = isFirst ? rb + d : rb - d;
        return KorSetRadius(a, radius);
    }
    default:
        return false;
    }
}

bool KorCCTangent::Adjust(KorDimSolution* solution)
{
    if (!solution || !solution->GetDF())
        return false;
    switch (solution->GetOpCode()) {
    case KOR_OP_TANGENT_11:
        return AdjustDouble(solution);
    case KOR_OP_RADIUS:
        if (!solution->GetDF()->mpNode)
            return AdjustRadial(solution);
        break;
    default:
        break;
    }
    if (!KorNNDistance::Adjust(solution))
        return false;
    SetVirtualSized(solution);
    return true;
}

void KorCCTangent::SetVirtualSized(KorDimSolution* solution)
{
    KorDF* df = solution->GetDF();
    KorCirTracker* t1 = GetCirTracker1();
    KorCirTracker* t2 = GetCirTracker2();
    if (!df || !t1 || !t2 || df->mpMoved == t1 || df->mpMoved == t2 || !df->mpNode)
        return;
    KorCirTracker* sized = t1->GetCenter() == df->mpNode ? t1 : t2;
    const int status = KorStatusOf(sized);
    if (status == 6 || status == 7) {
        mSavedStatus = KOR_NO_SAVED_STATUS;
        return;
    }
    mSavedStatus = status;
    sized->SetStatus(KorSt(status == 1 ? 7 : 6));
}
