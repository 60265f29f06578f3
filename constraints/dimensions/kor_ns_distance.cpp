#include "kor_ns_distance.h"

#include <cmath>

#include "angle.h"
#include "circle.h"
#include "distances.h"
#include "geolist.h"
#include "kor_dim_solution.h"
#include "kor_dim_support.h"
#include "kor_lin_tracker.h"
#include "kor_model.h"
#include "kor_nn_distance.h"
#include "kor_segment.h"
#include "kor_solution_geometry.h"
#include "kor_tracker_solution.h"
#include "settings.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// The tangent from p to the circle about o of radius r whose touching point
// lies nearer `side`; false when p lies inside the circle.
bool TangentFrom(const point& p, const point& o, double r, const point& side, line& out)
{
    const double dx = p.x() - o.x();
    const double dy = p.y() - o.y();
    const double d = std::hypot(dx, dy);
    if (!(r > 0.0) || d + GeoSnap() < r)
        return false;
    if (d - r <= GeoSnap()) {
        // p on the circle: the tangent at p.
        if (d <= 0.0)
            return false;
        const point along(p.x() - dy, p.y() + dx);
        out = line(p, along);
        return true;
    }
    const double base = std::atan2(dy, dx);
    const double spread = std::acos(r / d);
    point best;
    double bestDistance = -1.0;
    for (double a : {base + spread, base - spread}) {
        const point t(o.x() + r * std::cos(a), o.y() + r * std::sin(a));
        const double dt = std::hypot(t.x() - side.x(), t.y() - side.y());
        if (bestDistance < 0.0 || dt < bestDistance) {
            best = t;
            bestDistance = dt;
        }
    }
    out = line(p, best);
    return true;
}

}  // namespace

KorNSDistance::KorNSDistance() = default;

KorNSDistance::~KorNSDistance()
{
    if (mpModel) {
        mpModel->RemoveCondition(this);
        mpModel->RemoveDimension(this);
    }
    DropImplementation();
    DeleteNodeDFs();
    if (mpTracker1 == mpOwnParallel)
        mpTracker1 = nullptr;
    delete mpOwnParallel;
    mpOwnParallel = nullptr;
}

void KorNSDistance::DropImplementation()
{
    KorDimension* implementation = mpImplementation;
    mpImplementation = nullptr;
    if (implementation && implementation != static_cast<KorDimension*>(this))
        delete implementation;
}

KorNode* KorNSDistance::GetNode() const { return dynamic_cast<KorNode*>(mpStart); }
KorSegment* KorNSDistance::GetSegment() const { return dynamic_cast<KorSegment*>(mpEnd); }

KorHandle KorNSDistance::Create(KorModel* model, KorNode* node, KorSegment* segment)
{
    if (!model)
        return 0;
    auto* segmentTracker = segment ? dynamic_cast<KorLinTracker*>(segment->GetTracker()) : nullptr;
    if (!node || !segmentTracker || node->BelongTo(segmentTracker)) {
        model->SetError(KOR_ERR_CREATE);
        return 0;
    }
    mpStart = node;
    mpEnd = segment;
    const KorHandle handle = model->AddDimension(this);
    if (handle == 0) {
        model->SetError(KOR_ERR_WRONG_KIND);
        return 0;
    }
    mpModel = model;
    mpTracker2 = segmentTracker;
    mpTracker1 = node->GetParallelTracker(segmentTracker);
    if (!mpTracker1)
        mpTracker1 = mpOwnParallel = new KorLinTracker(model, node, segmentTracker);
    CreateDFs();
    node->AddDimaint(this);
    segment->AddDimaint(this);
    CalculateOrientation();
    model->AddCondition(this);
    return handle;
}

void KorNSDistance::DeleteNodeDFs()
{
    for (KorDF* df : mNodeDFs)
        delete df;
    mNodeDFs.clear();
}

void KorNSDistance::CreateDFs()
{
    DeleteDFs();
    DeleteNodeDFs();
    mpDFs[0] = new KorDF(nullptr, mpTracker1, mpTracker2);
    mpDFs[1] = new KorDF(nullptr, mpTracker2, mpTracker1);
    if (!mpTracker2)
        return;
    for (int i = 0; i < mpTracker2->GetNumOfNodes(); ++i) {
        KorNode* n = mpTracker2->GetNode(static_cast<unsigned>(i));
        mNodeDFs.push_back(new KorDF(n, mpTracker2, mpTracker1));
        mNodeDFs.push_back(new KorDF(n, mpTracker2, mpTracker1));
    }
}

bool KorNSDistance::IsListDF(const KorDF* df) const
{
    for (const KorDF* d : mNodeDFs)
        if (d == df)
            return true;
    return false;
}

KorNode* KorNSDistance::GetOtherNode(KorNode* node) { return node ? nullptr : GetNode(); }

double KorNSDistance::GetImplementedValue()
{
    if (mbThroughNode && mpImplementation && mpImplementation != this)
        return mpImplementation->GetImplementedValue();
    KorNode* node = GetNode();
    return node && mpTracker2 ? GeoDistance(node->GetPoint(), mpTracker2->GetLine()) : 0.0;
}

void KorNSDistance::CalculateOrientation()
{
    if (mbThroughNode && mpImplementation && mpImplementation != this) {
        mpImplementation->CalculateOrientation();
        return;
    }
    KorNode* node = GetNode();
    KorSegment* segment = GetSegment();
    if (!node || !segment || !segment->GetStart() || !segment->GetEnd())
        return;
    mbSide = KorLeftOf(node->GetPoint(), segment->GetStart()->GetPoint(),
                       segment->GetEnd()->GetPoint());
}

void KorNSDistance::SetStatus(KORStatusType status, KorDF* df)
{
    KorNode* node = GetNode();
    if (mbEnabled && status == KorSt(2) && mpOwnParallel && node && mpTracker2) {
        line parallel = mpTracker2->GetLine();
        parallel = node->GetPoint();
        KorSetLine(mpOwnParallel->GetLine(), parallel);
    }
    KorSSDistance::SetStatus(status, df);
}

short KorNSDistance::GetNumOfEquations()
{
    if (!mbEnabled)
        return 0;
    return !mpOwnParallel || mpOwnParallel->IsAligned() ? 1 : 2;
}

bool KorNSDistance::IsLastDF(KorDF* df)
{
    if (df && df == mpDFs[1] && mpTracker2
        && (mpTracker2->GetAlignment() != KOR_EMPTY || mpTracker2->GetStatus() != KorSt(0)))
        return true;
    return !mNodeDFs.empty() && df == mNodeDFs.back();
}

KorDF* KorNSDistance::GetNextDF(KorDF* df, bool* second)
{
    if (second)
        *second = false;
    if (!df)
        return mpDFs[0];
    if (df == mpDFs[0])
        return mpDFs[1];
    if (df == mpDFs[1]) {
        if (!mpTracker2 || mpTracker2->GetAlignment() != KOR_EMPTY
            || mpTracker2->GetStatus() != KorSt(0))
            return nullptr;
        mContacts.clear();
        mpTracker2->GetCirContacts(mContacts);
        return mNodeDFs.empty() ? nullptr : mNodeDFs.front();
    }
    for (std::size_t i = 0; i + 1 < mNodeDFs.size(); ++i) {
        if (mNodeDFs[i] != df)
            continue;
        KorDF* next = mNodeDFs[i + 1];
        if (second)
            *second = next->mpNode == df->mpNode && next->mpMoved == df->mpMoved;
        return next;
    }
    return nullptr;
}

KorDimSolution* KorNSDistance::Solve(KorDF* df)
{
    if (mbThroughNode && mpImplementation && mpImplementation != this)
        return mpImplementation->Solve(df);
    KorNode* node = GetNode();
    bool second = false;
    for (KorDF* next = GetNextDF(df, &second); next; next = GetNextDF(next, &second)) {
        auto* a = dynamic_cast<KorLinTracker*>(next->mpMoved);
        if (!a || a->GetStatus() == KorSt(2) || (node && a->GetPivot() == node))
            continue;
        KorTrackerSolution* ts = nullptr;
        OpCode op = KOR_OP_SHIFT;
        if (!second) {
            ts = a->Solve(next->mpCarrier, next->mpNode, IsListDF(next));
            if (ts)
                op = static_cast<OpCode>(ts->GetKind());
        } else if (!mContacts.empty()) {
            ts = a->Solve(next->mpCarrier, nullptr, false);
            op = KOR_OP_DIMENSION;
        }
        if (ts)
            return new KorDimSolution(next, ts, op);
    }
    return nullptr;
}

bool KorNSDistance::AdjustTurn(KorDimSolution* solution)
{
    KorNode* node = GetNode();
    KorSegment* segment = GetSegment();
    KorDF* df = solution->GetDF();
    KorNode* pivot = solution->GetPivot() ? solution->GetPivot() : df->mpNode;
    if (!node || !segment || !pivot || !mpTracker2)
        return false;
    const point q = KorFootOn(mpTracker2->GetLine(), node->GetPoint());
    const double value = GetValue();
    point from = pivot->GetPoint();
    if (solution->GetOpCode() != KOR_OP_TURN)
        from = KorLinTracker::GetSafeCenter(mContacts);
    line tangent;
    if (!TangentFrom(from, node->GetPoint(), value, q, tangent)
        || !KorSetLine(mpTracker2->GetLine(), tangent))
        return false;
    KorNode* other = segment->GetOtherNode(pivot);
    const circle about(node->GetPoint(), value);
    if (other && other->GetNumOfTrackers() == 1 && !(pivot->GetPoint() == about)) {
        point crossing[2];
        if (KorIntersect(about, mpTracker2->GetLine(), crossing, 2) > 0 && KorIsFinite(crossing[0]))
            other->GetPoint() = crossing[0];
    }
    return true;
}

bool KorNSDistance::AdjustShift(KorDimSolution* solution)
{
    KorNode* node = GetNode();
    KorSegment* segment = GetSegment();
    KorDF* df = solution->GetDF();
    if (!node || !segment || !segment->GetStart() || !mpTracker1 || !mpTracker2)
        return false;
    const angle s = segment->GetAngle();
    const double value = GetValue();
    angle direction = s;
    if (df == mpDFs[0]) {
        direction += mbSide ? 90.0 : -90.0;
        point target = segment->GetStart()->GetPoint();
        if (!(target = (segment->GetStart()->GetPoint() & direction & value)))
            return false;
        line parallel = mpTracker2->GetLine();
        parallel = target;
        return KorSetLine(mpTracker1->GetLine(), parallel);
    }
    auto* moved = dynamic_cast<KorLinTracker*>(df->mpMoved);
    if (!moved)
        return false;
    direction += mbSide ? -90.0 : 90.0;
    point target = node->GetPoint();
    if (!(target = (node->GetPoint() & direction & value)))
        return false;
    line shifted = moved->GetLine();
    shifted = target;
    if (!KorSetLine(moved->GetLine(), shifted))
        return false;
    if (mpOwnParallel) {
        line parallel = mpTracker2->GetLine();
        parallel = node->GetPoint();
        KorSetLine(mpOwnParallel->GetLine(), parallel);
    }
    return true;
}

bool KorNSDistance::Adjust(KorDimSolution* solution)
{
    if (mbThroughNode && mpImplementation && mpImplementation != this)
        return mpImplementation->Adjust(solution);
    if (!solution || !solution->GetDF())
        return false;
    if (solution->GetOpCode() != KOR_OP_SHIFT)
        return AdjustTurn(solution);
    return AdjustShift(solution);
}

void KorNSDistance::Update(KorEntity*, KorEntity*)
{
    KorNode* node = GetNode();
    KorSegment* segment = GetSegment();
    mpTracker2 = segment ? dynamic_cast<KorLinTracker*>(segment->GetTracker()) : nullptr;
    if (node && mpTracker2) {
        KorLinTracker* found = node->GetParallelTracker(mpTracker2);
        if (found && found != mpOwnParallel) {
            if (mpTracker1 == mpOwnParallel)
                mpTracker1 = nullptr;
            delete mpOwnParallel;
            mpOwnParallel = nullptr;
            mpTracker1 = found;
        } else if (!found && !mpOwnParallel) {
            mpTracker1 = mpOwnParallel = new KorLinTracker(mpModel, node, mpTracker2);
        } else {
            mpTracker1 = found ? found : mpOwnParallel;
        }
    }
    CreateDFs();
    CalculateOrientation();
    mbImplementable = (node && node->IsMovable()) || (segment && segment->IsMovable());
}

// ---- Condition part ----

void KorNSDistance::SetupImplementationDim(KorNNDistance* dimension, bool disable)
{
    if (disable) {
        mStatus = KorSt(0);
        SetEnabled(false);
    }
    dimension->SetValue(GetValue(), KOR_DIM_EQUAL, false);
}

KorNNDistance* KorNSDistance::AllocateImplementationDim() { return new KorNNDistance(); }

KorNNDistance* KorNSDistance::MakeImplementation(KorNode* end, bool disable)
{
    KorNNDistance* dimension = AllocateImplementationDim();
    if (!end || dimension->Create(mpModel, GetNode(), end, false) == 0) {
        delete dimension;
        return nullptr;
    }
    SetupImplementationDim(dimension, disable);
    dimension->SetOwner(this);
    return dimension;
}

KorDimension* KorNSDistance::CreateImplementationDim(bool* more)
{
    KorNode* node = GetNode();
    KorSegment* segment = GetSegment();
    if (mpImplementation || !node || !segment || mpRememberedEnd)
        return nullptr;
    const double toStart = GeoDistance(node->GetPoint(), segment->GetStart()->GetPoint());
    const double toEnd = GeoDistance(node->GetPoint(), segment->GetEnd()->GetPoint());
    mpRememberedEnd = toStart < toEnd ? segment->GetStart() : segment->GetEnd();
    KorNNDistance* dimension = MakeImplementation(mpRememberedEnd, true);
    if (!dimension) {
        mpRememberedEnd = nullptr;
        return nullptr;
    }
    if (more)
        *more = false;
    mpImplementation = dimension;
    return dimension;
}

KorDimension* KorNSDistance::UpdateImplementationDim()
{
    KorSegment* segment = GetSegment();
    if (!mpImplementation || !mpRememberedEnd || !segment)
        return nullptr;
    mpRememberedEnd = segment->GetOtherNode(mpRememberedEnd);
    DropImplementation();
    KorNNDistance* dimension = MakeImplementation(mpRememberedEnd, false);
    if (!dimension)
        return nullptr;
    mpRememberedEnd = nullptr;
    mpImplementation = dimension;
    return dimension;
}

void KorNSDistance::RemoveImplementationDim()
{
    DropImplementation();
    mStatus = KorSt(0);
    SetEnabled(true);
    mpRememberedEnd = nullptr;
}

bool KorNSDistance::IsConditionImplemented()
{
    if (mbEnabled)
        return true;
    KorNode* node = GetNode();
    KorSegment* segment = GetSegment();
    return node && segment && GeoEQ(GeoDistance(node->GetPoint(), segment->GetGeometry()), GetValue());
}
