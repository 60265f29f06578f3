#include "kor_cs_tangent.h"

#include <cmath>

#include "angle.h"
#include "circle.h"
#include "distances.h"
#include "geolist.h"
#include "kor_cir_tracker.h"
#include "kor_dim_solution.h"
#include "kor_dim_support.h"
#include "kor_lin_tracker.h"
#include "kor_model.h"
#include "kor_nn_distance.h"
#include "kor_primitive.h"
#include "kor_segment.h"
#include "kor_solution_geometry.h"
#include "kor_tracker_solution.h"
#include "settings.h"

namespace {

KorCirTracker* AsCircle(KorTracker* t) { return dynamic_cast<KorCirTracker*>(t); }
KorLinTracker* AsLine(KorTracker* t) { return dynamic_cast<KorLinTracker*>(t); }

point CentreOf(KorCirTracker* t)
{
    return t->GetCenter() ? t->GetCenter()->GetPoint() : t->GetCircle().center();
}

}  // namespace

KorCSTangent::KorCSTangent() = default;

KorCSTangent::~KorCSTangent()
{
    if (mpModel)
        mpModel->RemoveDimension(this);
    delete mpDF1;
    delete mpDF2;
    mpDF1 = mpDF2 = nullptr;
}

KorEntity* KorCSTangent::GetStart() { return mpPrimitive1; }
KorEntity* KorCSTangent::GetEnd() { return mpPrimitive2; }

KorCirTracker* KorCSTangent::GetCirTracker() const
{
    return mpPrimitive1 ? AsCircle(mpPrimitive1->GetTracker()) : nullptr;
}

KorHandle KorCSTangent::Create(KorModel* model, KorPrimitive* circle, KorPrimitive* segment)
{
    if (!model)
        return 0;
    KorCirTracker* c = circle ? AsCircle(circle->GetTracker()) : nullptr;
    auto* s = dynamic_cast<KorSegment*>(segment);
    if (!c || !c->GetCenter() || !s) {
        model->SetError(KOR_ERR_CREATE);
        return 0;
    }
    // Stored first: the model's duplicate test compares the primitives.
    mpPrimitive1 = circle;
    mpPrimitive2 = segment;
    const KorHandle handle = KorNSDistance::Create(model, c->GetCenter(), s);
    if (handle == 0) {
        mpPrimitive1 = mpPrimitive2 = nullptr;
        return 0;
    }
    SetEnabled(true);
    mPrimaryType = KOR_DIM_EQUAL;
    circle->AddDimaint(this);
    mpDF1 = new KorDF(nullptr, c, nullptr);
    mpDF2 = new KorDF(nullptr, nullptr, nullptr);
    // A fillet attached to its wall needs no implementation.
    if (circle->GetCommonNode(segment))
        model->RemoveCondition(this);
    return handle;
}

double KorCSTangent::GetValue()
{
    KorCirTracker* c = GetCirTracker();
    return c ? c->GetRadius() : 0.0;
}

void KorCSTangent::Update(KorEntity* oldEntity, KorEntity* newEntity)
{
    KorNSDistance::Update(oldEntity, newEntity);
    if (mpDF1)
        mpDF1->mpMoved = GetCirTracker();
    mbImplementable = true;
}

void KorCSTangent::RestoreStatus(KorNode*)
{
    KorCirTracker* c = GetCirTracker();
    if (c && mSavedStatus != KOR_NO_SAVED_STATUS)
        c->SetStatus(KorSt(mSavedStatus));
    mSavedStatus = KOR_NO_SAVED_STATUS;
}

void KorCSTangent::SetStatus(KORStatusType status, KorDF* df)
{
    // A multiple tangency applied: the circle's nodes have followed it, so
    // the tangencies it was fitted against hold the circle again.
    if (status == KorSt(2) && df == mpDF2)
        HoldOthersAgain();
    if (df && df->mpNode && mSavedStatus != KOR_NO_SAVED_STATUS)
        RestoreStatus(df->mpNode);
    KorNSDistance::SetStatus(status, nullptr);
    if (mbEnabled)
        if (KorCirTracker* c = GetCirTracker())
            c->UpdateStatus(status, this, false);
}

void KorCSTangent::SetupImplementationDim(KorNNDistance* dimension, bool)
{
    dimension->SetEnabled(true);
    dimension->SetPrimaryType(KOR_DIM_EQUAL);
    if (auto* tangent = dynamic_cast<KorNNTangentDistance*>(dimension))
        tangent->SetCirTracker(GetCirTracker());
}

KorNNDistance* KorCSTangent::AllocateImplementationDim() { return new KorNNTangentDistance(); }

KorDimension* KorCSTangent::CreateImplementationDim(bool* more)
{
    KorDimension* dimension = KorNSDistance::CreateImplementationDim(more);
    if (dimension)
        SetEnabled(true);
    return dimension;
}

bool KorCSTangent::InvolvesTracker(const KorTangent* other, const KorTracker* t) const
{
    const KorPrimitive* p1 = other->GetPrimitive1();
    const KorPrimitive* p2 = other->GetPrimitive2();
    return t && ((p1 && p1->GetTracker() == t) || (p2 && p2->GetTracker() == t));
}

KorTracker* KorCSTangent::FarTracker(const KorTangent* other, const KorTracker* near) const
{
    const KorPrimitive* p1 = other->GetPrimitive1();
    const KorPrimitive* p2 = other->GetPrimitive2();
    if (p1 && p1->GetTracker() != near)
        return p1->GetTracker();
    return p2 && p2->GetTracker() != near ? p2->GetTracker() : nullptr;
}

KorTracker* KorCSTangent::UnmovableCentreTracker() const
{
    KorCirTracker* c = GetCirTracker();
    return c && c->GetCenter() ? c->GetCenter()->GetUnmovableTracker(c, nullptr, true) : nullptr;
}

// ---- Solve ----

KorDimSolution* KorCSTangent::SolveRadius()
{
    KorCirTracker* c = GetCirTracker();
    const int status = KorStatusOf(c);
    if (!c || status == 2 || status == 6)
        return nullptr;
    mpDF1->mpMoved = c;
    KorTrackerSolution* ts = c->Solve();
    return ts ? new KorDimSolution(mpDF1, ts, KOR_OP_TANGENT_10) : nullptr;
}

void KorCSTangent::RecordSides(KorCirTracker* moved, KorTracker* far)
{
    const point m = CentreOf(moved);
    line& s = GetSegmentTracker()->GetLine();
    if (KorCirTracker* f = AsCircle(far)) {
        const point fc = CentreOf(f);
        mbSide1 = KorLeftOf(m, fc, KorFootOn(s, fc));
        return;
    }
    KorLinTracker* f = AsLine(far);
    if (!f)
        return;
    line big = s;
    line small = s;
    if (!(big = (f->GetLine() & s & "BIG")) || !(small = (f->GetLine() & s & "SMALL")))
        return;
    const double toBig = GeoDistance(m, big);
    const double toSmall = GeoDistance(m, small);
    mbSide1 = toBig < toSmall;
    line& nearer = mbSide1 ? big : small;
    point crossing[2];
    if (KorIntersect(f->GetLine(), s, crossing, 2) == 0)
        return;
    const point foot = KorFootOn(nearer, m);
    mbSide2 = angle(nearer) == angle(crossing[0], foot);
}

KorTrackerSolution* KorCSTangent::TrySolveDouble(KorTangent* other)
{
    KorCirTracker* c = GetCirTracker();
    KorLinTracker* s = GetSegmentTracker();
    KorTracker* m = nullptr;
    KorTracker* n = nullptr;
    if (InvolvesTracker(other, c)) {
        m = c;
        n = s;
    } else if (InvolvesTracker(other, s)) {
        m = s;
        n = c;
    } else {
        return nullptr;
    }
    KorTracker* f = FarTracker(other, m);
    if (!f || !n || m->GetAlignment() != KOR_EMPTY)
        return nullptr;
    // The other tangency lets go of the tracker that moves, so that the
    // tracker is free to be fitted against both.
    other->SetStatus(KorSt(0));
    const int status = KorStatusOf(m);
    const bool free = status == 0 || (status == 1 && m->GetCenter());
    KorTrackerSolution* ts = free ? m->Solve(n, f, nullptr) : nullptr;
    other->SetStatus(KorSt(2));
    if (!ts)
        return nullptr;
    other->MarkAsSolved();
    mpDF2->mpMoved = m;
    mpDF2->mpCarrier = f;
    if (KorCirTracker* mc = AsCircle(m))
        RecordSides(mc, f);
    return ts;
}

KorDimSolution* KorCSTangent::SolveDoubleTangency()
{
    mpModel->ClearFixed();
    int cursor = -1;
    while (KorTangent* other = mpModel->GetSolvedTangent(cursor)) {
        mpOther1 = other;
        if (KorTrackerSolution* ts = TrySolveDouble(other))
            return new KorDimSolution(mpDF2, ts, KOR_OP_TANGENT_11);
    }
    return nullptr;
}

KorDimSolution* KorCSTangent::SolveTripleTangency()
{
    KorCirTracker* c = GetCirTracker();
    // The other two let go of the circle while it is fitted against them all.
    ReleaseOthers();
    if (c && KorStatusOf(c) == 0) {
        mpDF1->mpCarrier = FarTracker(mpOther1, c);
        mpDF2->mpCarrier = FarTracker(mpOther2, c);
        KorTrackerSolution* ts =
            mpDF1->mpCarrier && mpDF2->mpCarrier
                ? c->Solve(GetSegmentTracker(), mpDF1->mpCarrier, mpDF2->mpCarrier)
                : nullptr;
        if (ts) {
            mpDF2->mpMoved = c;
            line& s = GetSegmentTracker()->GetLine();
            const point m = CentreOf(c);
            if (KorCirTracker* b1 = AsCircle(mpDF1->mpCarrier))
                mbSide1 = KorLeftOf(m, CentreOf(b1), KorFootOn(s, CentreOf(b1)));
            if (KorCirTracker* b2 = AsCircle(mpDF2->mpCarrier))
                mbSide2 = KorLeftOf(m, CentreOf(b2), KorFootOn(s, CentreOf(b2)));
            HoldOthersAgain();
            return new KorDimSolution(mpDF2, ts, KOR_OP_TANGENT_12);
        }
    }
    HoldOthersAgain();
    mpOther1 = mpOther2 = nullptr;
    return nullptr;
}

KorDimSolution* KorCSTangent::Solve(KorDF* df)
{
    if (!mpModel || !mpDF1)
        return nullptr;
    // A search again: statuses were set up anew, nothing is left released.
    mReleased[0] = mReleased[1] = nullptr;
    // The parallel tracker's DF carries no node, yet its answer is the one
    // that sized the circle virtually: the next answer undoes that first.
    if (df && (df->mpNode || df == mpDFs[0]) && mSavedStatus != KOR_NO_SAVED_STATUS)
        RestoreStatus(df->mpNode);
    if (df == mpDF2)
        return nullptr;
    if (df != mpDF1) {
        if (KorDimSolution* s = KorNSDistance::Solve(df))
            return s;
        mpModel->ClearFixed();
        if (KorDimSolution* s = SolveRadius())
            return s;
    }
    if (KorDimSolution* s = SolveDoubleTangency())
        return s;
    mpOther1 = mpOther2 = nullptr;
    KorCirTracker* c = GetCirTracker();
    int cursor = -1;
    while (KorTangent* other = mpModel->GetSolvedTangent(cursor)) {
        if (!InvolvesTracker(other, c))
            continue;
        if (!mpOther1) {
            mpOther1 = other;
            continue;
        }
        mpOther2 = other;
        return SolveTripleTangency();
    }
    return nullptr;
}

// ---- Adjust ----

bool KorCSTangent::RefitAfterRadius(KorCirTracker* c, KorNode* pivot)
{
    if (!mpModel->GetBoundedSupport() || KorDimension::IsImplemented())
        return true;
    KorSegment* segment = GetSegment();
    if (!segment || !segment->GetStart() || !segment->GetEnd())
        return false;
    const point centre = CentreOf(c);
    KorNode* e = GeoDistance(centre, segment->GetStart()->GetPoint())
                         <= GeoDistance(centre, segment->GetEnd()->GetPoint())
                     ? segment->GetStart()
                     : segment->GetEnd();
    line& s = GetSegmentTracker()->GetLine();
    if (KorStatusOf(c) == 1 && pivot)
        return KorRefitCircle(c, s & e->GetPoint() & pivot->GetPoint());
    return KorRefitCircle(c, s & e->GetPoint() & c->GetRadius());
}

bool KorCSTangent::AdjustRadius(KorDimSolution* solution)
{
    KorCirTracker* c = GetCirTracker();
    KorLinTracker* st = GetSegmentTracker();
    if (!c || !st)
        return false;
    line& s = st->GetLine();
    const point centre = CentreOf(c);
    KorNode* pivot = solution->GetPivot() ? solution->GetPivot() : c->GetPivot();
    KorNode* clamp = c->GetClamp();
    KorTracker* t = UnmovableCentreTracker();
    KorLinTracker* tl = AsLine(t);
    switch (KorStatusOf(c)) {
    case 4:
        return KorSetRadius(c, GeoDistance(centre, s));
    case 5:
        return pivot && clamp && KorRefitCircle(c, s & pivot->GetPoint() & clamp->GetPoint());
    case 7:
        return pivot && KorRefitCircle(c, s & pivot->GetPoint() & c->GetRadius());
    case 1:
        if (!pivot)
            return false;
        if (t)
            return tl && KorRefitCircle(c, tl->GetLine() & s & pivot->GetPoint() & "CENTER_1ST");
        {
            const point q = KorFootOn(s, pivot->GetPoint());
            const double half = GeoDistance(pivot->GetPoint(), q) * 0.5;
            if (!(half > GeoSnap()))
                return false;
            const circle fitted(point(pivot->GetPoint(), q), half);
            if (!KorIsFinite(fitted))
                return false;
            c->GetCircle() = fitted;
        }
        break;
    case 0:
        if (t)
            // Geo's radius row puts the centre on the first line with "CENTER".
            return tl && KorRefitCircle(c, tl->GetLine() & s & c->GetRadius() & "CENTER");
        if (!KorSetRadius(c, GeoDistance(centre, s)))
            return false;
        break;
    default:
        break;
    }
    return RefitAfterRadius(c, pivot);
}

bool KorCSTangent::AdjustDouble(KorDimSolution* solution)
{
    KorDF* df = solution->GetDF();
    KorTangent* other = mpOther1;
    KorCirTracker* c = GetCirTracker();
    KorLinTracker* st = GetSegmentTracker();
    if (!other || !c || !st || !df->mpMoved || !df->mpCarrier)
        return false;
    other->SetStatus(KorSt(0));
    line& s = st->GetLine();
    if (df->mpMoved == c) {
        if (KorLinTracker* f = AsLine(df->mpCarrier)) {
            point crossing[2];
            line bisector = s;
            if (KorIntersect(f->GetLine(), s, crossing, 2) == 0) {
                // Between parallel walls the lines never cross: the centre's
                // projection on the mid-parallel.
                const point centre = CentreOf(c);
                if (!(bisector = (f->GetLine() & s & centre)))
                    return false;
                point p = KorFootOn(bisector, centre);
                return KorIsFinite(p) && c->Adjust(f->GetLine(), s, p);
            }
            if (!(bisector = (f->GetLine() & s & (mbSide1 ? "BIG" : "SMALL"))))
                return false;
            angle a(bisector);
            if (!mbSide2)
                a += 180.0;
            point p = crossing[0];
            if (!(p = (crossing[0] & a & c->GetRadius())) || !KorIsFinite(p))
                return false;
            return c->Adjust(f->GetLine(), s, p);
        }
        KorCirTracker* f = AsCircle(df->mpCarrier);
        if (!f)
            return false;
        char k[16];
        const KorPrimitive* first = other->GetPrimitive1();
        SetConfiguration(first && first->GetTracker() == c, other->GetConfiguration(), k);
        return c->Adjust(f->GetCircle(), k, s, mbSide1 ? "LEFT" : "RIGHT");
    }
    KorCirTracker* f = AsCircle(df->mpCarrier);
    KorSegment* segment = GetSegment();
    if (!f || !segment || !segment->GetStart() || !segment->GetEnd())
        return false;
    KorNode* free = segment->GetStart()->GetPoint() == c->GetCircle() ? segment->GetEnd()
                                                                      : segment->GetStart();
    const bool left = KorLeftOf(free->GetPoint(), CentreOf(f), CentreOf(c));
    const bool external = other->GetOrientation() == GetOrientation();
    line tangent = s;
    if (!(tangent = (f->GetCircle() & c->GetCircle() & (left ? "LEFT" : "RIGHT")
                     & (external ? "EXTERNAL" : "INTERNAL"))))
        return false;
    return KorSetLine(s, tangent);
}

bool KorCSTangent::AdjustTriple()
{
    KorCirTracker* c = GetCirTracker();
    KorLinTracker* st = GetSegmentTracker();
    if (!mpOther1 || !mpOther2 || !c || !st)
        return false;
    // Released until this tangency is marked solved, after the circle's
    // nodes have followed it (see SetStatus).
    ReleaseOthers();
    if (UnmovableCentreTracker()) {
        HoldOthersAgain();
        return false;
    }
    line& s = st->GetLine();
    KorTracker* b1 = mpDF1->mpCarrier;
    KorTracker* b2 = mpDF2->mpCarrier;
    char k1[16];
    char k2[16];
    const KorPrimitive* f1 = mpOther1->GetPrimitive1();
    const KorPrimitive* f2 = mpOther2->GetPrimitive1();
    SetConfiguration(f1 && f1->GetTracker() == c, mpOther1->GetConfiguration(), k1);
    SetConfiguration(f2 && f2->GetTracker() == c, mpOther2->GetConfiguration(), k2);
    KorCirTracker* c1 = AsCircle(b1);
    KorCirTracker* c2 = AsCircle(b2);
    KorLinTracker* l1 = AsLine(b1);
    KorLinTracker* l2 = AsLine(b2);
    bool fitted = false;
    if (c1 && c2)
        fitted = KorRefitCircle(c, c1->GetCircle() & s & c2->GetCircle() & k1 & k2);
    else if (c1 && l2)
        fitted = KorRefitCircle(c, c1->GetCircle() & s & l2->GetLine() & k1);
    else if (l1 && c2)
        fitted = KorRefitCircle(c, c2->GetCircle() & s & l1->GetLine() & k2);
    else if (l1 && l2)
        fitted = KorRefitCircle(c, s & l1->GetLine() & l2->GetLine());
    if (!fitted)
        HoldOthersAgain();
    return fitted;
}

void KorCSTangent::ReleaseOthers()
{
    HoldOthersAgain();
    std::size_t n = 0;
    for (KorTangent* other : {mpOther1, mpOther2}) {
        KorDimension* d = other ? other->GetDimension() : nullptr;
        if (d && d->GetStatus() == KorSt(2)) {
            d->SetStatus(KorSt(0), nullptr);
            mReleased[n++] = d;
        }
    }
}

void KorCSTangent::HoldOthersAgain()
{
    for (KorDimension*& d : mReleased) {
        if (d && d->GetStatus() != KorSt(2))
            d->SetStatus(KorSt(2), nullptr);
        d = nullptr;
    }
}

bool KorCSTangent::Adjust(KorDimSolution* solution)
{
    if (!solution || !solution->GetDF())
        return false;
    switch (solution->GetOpCode()) {
    case KOR_OP_TANGENT_10:
        return AdjustRadius(solution);
    case KOR_OP_TANGENT_11:
        return AdjustDouble(solution);
    case KOR_OP_TANGENT_12:
        return AdjustTriple();
    default:
        break;
    }
    if (!KorNSDistance::Adjust(solution))
        return false;
    KorCirTracker* c = GetCirTracker();
    if (c && solution->GetDF() == mpDFs[0]) {
        const int status = KorStatusOf(c);
        if (status == 6 || status == 7) {
            mSavedStatus = KOR_NO_SAVED_STATUS;
        } else {
            mSavedStatus = status;
            c->SetStatus(KorSt(status == 1 ? 7 : 6));
        }
    }
    return true;
}
