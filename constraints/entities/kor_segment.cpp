#include "kor_segment.h"

#include <cmath>

#include "distances.h"
#include "kor_colinear.h"
#include "kor_dimension.h"
#include "kor_lin_tracker.h"
#include "kor_model.h"
#include "kor_node.h"

KorSegment::KorSegment() = default;

KorSegment::~KorSegment()
{
    if (mpTracker) {
        RemoveImplicitColinear();
        KillDependants();
        if (mpStart)
            mpStart->RemovePrimitive(this, true);
        if (mpEnd)
            mpEnd->RemovePrimitive(this, true);
    }
}

KorHandle KorSegment::Create(KorModel* model, KorNode* a, KorNode* b, KorLinTracker* t)
{
    if (!model || !a || !b || a == b)
        return 0;
    mpStart = a;
    mpEnd = b;
    const KorHandle handle = model->AddPrimitive(this);
    if (handle == 0) {
        mpStart = nullptr;
        mpEnd = nullptr;
        return 0;
    }
    if (t) {
        t->AddPrimitive(this);
        mAlignment = t->GetAlignment();
    } else {
        new KorLinTracker(model, this);
    }
    mpModel = model;
    a->AddPrimitive(this);
    b->AddPrimitive(this);
    SetOrientation();
    return handle;
}

geobject& KorSegment::GetGeometry()
{
    if (mpStart && mpEnd)
        mGeometry.move(mpStart->GetPoint(), mpEnd->GetPoint());
    return mGeometry;
}

bool KorSegment::IsMovable() const
{
    if (!mbMovable)
        return false;
    return (mpStart && mpStart->IsMovable()) || (mpEnd && mpEnd->IsMovable());
}

void KorSegment::SetTracker(KorTracker* t) { JoinTracker(t, {mpStart, mpEnd}); }

void KorSegment::DetachTracker() { LeaveTracker(nullptr, {mpStart, mpEnd}); }

point KorSegment::GetGeoCenter()
{
    if (!mpStart)
        return point(0.0, 0.0);
    if (!mpEnd)
        return mpStart->GetPoint();
    return point(mpStart->GetPoint(), mpEnd->GetPoint());
}

bool KorSegment::SameAs(KorPrimitive* p)
{
    return p && p->GetStart() == mpStart && p->GetEnd() == mpEnd;
}

KorOrientation KorSegment::FindOrientation()
{
    if (!mpStart || !mpEnd)
        return mOrientation;
    return KorOrientation(mpStart->GetPoint(), mpEnd->GetPoint());
}

void KorSegment::Reverse()
{
    std::swap(mpStart, mpEnd);
    SetOrientation();
}

double KorSegment::GetLength()
{
    return mpStart && mpEnd ? PointDistance(mpStart->GetPoint(), mpEnd->GetPoint()) : 0.0;
}

bool KorSegment::IsCollapsed()
{
    if (!mpStart || !mpEnd || !mpModel)
        return false;
    if (!(GetLength() < mpModel->LinearPlay()))
        return false;
    KorDimension* d = mpModel->GetDimension(mpStart, mpEnd, false);
    return d && !d->IsEnabled();
}

bool KorSegment::IsValid()
{
    double play = 0.1;
    if (mpModel) {
        KorDimension* d = mpModel->GetDimension(mpStart, mpEnd, false);
        if (d && d->IsEnabled())
            return true;
        play = mpModel->LinearPlay();
    }
    return GetLength() >= play && !IsReversed();
}

KorTracker* KorSegment::CreateTracker() { return new KorLinTracker(mpModel, this); }

angle KorSegment::GetAngle()
{
    angle a;
    const segment& s = static_cast<segment&>(GetGeometry());
    if (!mpStart || !mpEnd || !(a = s))
        a = mOrientation.GetAngle();
    if (IsReversed())
        a = a - 180.0;
    return a;
}

// ---------------------------------------------------------------------------
// Alignment

bool KorSegment::SetAlignment(KOREntityType alignment)
{
    auto fail = [this](int code) {
        if (mpModel)
            mpModel->SetError(code);
        return false;
    };
    const bool orthogonal = alignment == KOR_VERTICAL || alignment == KOR_HORIZONTAL;
    if (mAlignment == KOR_EMPTY && orthogonal) {
        if (!mpTracker || mpTracker->GetType() != KOR_LINEAR_TRACKER)
            return fail(KOR_ERR_CREATE);
        if (!static_cast<KorLinTracker*>(mpTracker)->SetAlignment(alignment))
            return false;
        mAlignment = alignment;
        return true;
    }
    if (alignment == mAlignment)
        return fail(KOR_ERR_REFUSED);
    if (alignment == KOR_EMPTY) {
        mAlignment = KOR_EMPTY;
        if (mpTracker)
            mpTracker->ResetAlignment();
        return true;
    }
    return fail(KOR_ERR_ALIGNMENT);
}

// ---------------------------------------------------------------------------
// Implicit colinears

bool KorSegment::IsLive(const KorColinear* c) const
{
    if (!c || !mpModel)
        return c != nullptr;
    const KorConstraint* constraint = c;
    for (const KorConstraint* registered : mpModel->GetConstraints())
        if (registered == constraint)
            return true;
    return false;
}

KorColinear* KorSegment::GetImplicitColinear(KorNode* n) const
{
    KorColinear* c = nullptr;
    if (n && n == mpStart)
        c = mpStartColinear;
    else if (n && n == mpEnd)
        c = mpEndColinear;
    return IsLive(c) ? c : nullptr;
}

void KorSegment::ForgetImplicitColinear(KorColinear* c)
{
    if (!c)
        return;
    if (mpStartColinear == c)
        mpStartColinear = nullptr;
    if (mpEndColinear == c)
        mpEndColinear = nullptr;
}

void KorSegment::SetImplicitColinear()
{
    for (KorNode* n : {mpStart, mpEnd}) {
        if (!n || GetImplicitColinear(n))
            continue;
        KorPrimitive* other = n->GetImplicitColinear(this);
        if (!other)
            continue;
        KorSegment* neighbour =
            other->GetType() == KOR_SEGMENT ? static_cast<KorSegment*>(other) : nullptr;
        auto* colinear = new KorColinear();
        const bool created = colinear->Create(mpModel, this, other) != 0;
        if (!created || (neighbour && neighbour->GetImplicitColinear(n))) {
            delete colinear;
            continue;
        }
        (n == mpStart ? mpStartColinear : mpEndColinear) = colinear;
        if (neighbour)
            (n == neighbour->mpStart ? neighbour->mpStartColinear : neighbour->mpEndColinear) =
                colinear;
    }
}

void KorSegment::RemoveImplicitColinear()
{
    for (KorColinear** slot : {&mpStartColinear, &mpEndColinear}) {
        KorColinear* c = *slot;
        *slot = nullptr;
        if (!IsLive(c))
            continue;
        for (KorPrimitive* p : {c->GetFirstPrimitive(), c->GetSecondPrimitive()})
            if (p && p != this && p->GetType() == KOR_SEGMENT)
                static_cast<KorSegment*>(p)->ForgetImplicitColinear(c);
        // Both ends may hold the same constraint: delete it once.
        if (mpEndColinear == c)
            mpEndColinear = nullptr;
        delete c;
    }
}
