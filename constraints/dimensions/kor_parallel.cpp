#include "kor_parallel.h"

#include <cmath>

#include "angle.h"
#include "geolist.h"
#include "line.h"
#include "settings.h"

#include "kor_dim_solution.h"
#include "kor_lin_tracker.h"
#include "kor_model.h"
#include "kor_segment.h"
#include "kor_tracker_solution.h"

namespace {

KorLinTracker* AsLinTracker(KorEntity* e)
{
    return e && e->GetType() == KOR_LINEAR_TRACKER ? static_cast<KorLinTracker*>(e) : nullptr;
}

bool IsFinite(const line& l) { return std::isfinite(l.ltan()) && std::isfinite(l.laxe()); }

}  // namespace

KorParallel::KorParallel() = default;

KorParallel::~KorParallel() { DetachFromTrackers(); }

void KorParallel::DetachFromTrackers()
{
    KorLinTracker* start = GetStartTracker();
    KorLinTracker* end = GetEndTracker();
    if (!start && !end)
        return;
    if (mpModel)
        mpModel->RemoveDimension(this);
    for (KorLinTracker* t : {start, end}) {
        if (!t)
            continue;
        t->RemoveParallel(this);
        if (mbOnTrackers)
            t->RemoveDimaint(this);
    }
    mDFs.clear();
    mpStart = nullptr;
    mpEnd = nullptr;
}

KorLinTracker* KorParallel::GetStartTracker() const { return AsLinTracker(mpStart); }

KorLinTracker* KorParallel::GetEndTracker() const { return AsLinTracker(mpEnd); }

KorHandle KorParallel::Register(KorModel* model)
{
    const KorHandle handle = model->AddDimension(this);
    if (handle == 0) {
        model->SetError(KOR_ERR_REFUSED);
        return 0;
    }
    GetStartTracker()->AddParallel(this);
    GetEndTracker()->AddParallel(this);
    mpModel = model;
    mbEnabled = true;
    mPrimaryType = KOR_DIM_EQUAL;
    CreateDFs();
    return handle;
}

KorHandle KorParallel::Create(KorModel* model, KorSegment* s1, KorSegment* s2)
{
    if (!model || !s1 || !s2)
        return 0;
    KorLinTracker* t1 = AsLinTracker(s1->GetTracker());
    KorLinTracker* t2 = AsLinTracker(s2->GetTracker());
    if (!t1 || !t2 || t1 == t2) {
        model->SetError(KOR_ERR_CREATE);
        return 0;
    }
    mpStart = t1;
    mpEnd = t2;
    // The segments are the ends a duplicate is recognised by.
    mpFirstSegment = s1;
    mpSecondSegment = s2;
    const KorHandle handle = Register(model);
    if (handle == 0)
        return 0;
    s1->AddDimaint(this);
    s2->AddDimaint(this);
    return handle;
}

KorHandle KorParallel::Create(KorModel* model, KorLinTracker* t1, KorLinTracker* t2)
{
    if (!model || !t1 || !t2)
        return 0;
    if (t1 == t2) {
        model->SetError(KOR_ERR_CREATE);
        return 0;
    }
    mpStart = t1;
    mpEnd = t2;
    const KorHandle handle = Register(model);
    if (handle == 0)
        return 0;
    mbOnTrackers = true;
    t1->AddDimaint(this);
    t2->AddDimaint(this);
    return handle;
}

void KorParallel::CreateDFs()
{
    mDFs.clear();
    KorLinTracker* start = GetStartTracker();
    KorLinTracker* end = GetEndTracker();
    if (!start || !end)
        return;
    mDFs.reserve(2 * static_cast<std::size_t>(start->GetNumOfNodes() + end->GetNumOfNodes()));
    for (int i = 0; i < start->GetNumOfNodes(); ++i) {
        mDFs.emplace_back(start->GetNode(i), start, end);
        mDFs.emplace_back(start->GetNode(i), start, end);
    }
    for (int i = 0; i < end->GetNumOfNodes(); ++i) {
        mDFs.emplace_back(end->GetNode(i), end, start);
        mDFs.emplace_back(end->GetNode(i), end, start);
    }
}

KorDF* KorParallel::GetNextDF(KorDF* df, bool* second)
{
    if (mDFs.empty())
        return nullptr;
    if (!df) {
        if (second)
            *second = false;
        return &mDFs[0];
    }
    const auto index = df - mDFs.data();
    if (index < 0 || static_cast<std::size_t>(index) + 1 >= mDFs.size())
        return nullptr;
    KorDF* next = &mDFs[static_cast<std::size_t>(index) + 1];
    if (second)
        *second = next->GetNode() == df->GetNode() && next->GetMoved() == df->GetMoved();
    return next;
}

bool KorParallel::IsLastDF(KorDF* df) { return !mDFs.empty() && df == &mDFs.back(); }

void KorParallel::Update(KorEntity* oldEntity, KorEntity* newEntity)
{
    if (mpFirstSegment || mpSecondSegment) {
        const bool isSegment = newEntity && newEntity->GetType() == KOR_SEGMENT;
        KorEntity** ends[2] = {&mpStart, &mpEnd};
        KorEntity* segments[2] = {mpFirstSegment, mpSecondSegment};
        for (int k = 0; k < 2; ++k) {
            if (isSegment && newEntity == segments[k]) {
                if (KorLinTracker* old = AsLinTracker(*ends[k]))
                    old->RemoveParallel(this);
                *ends[k] = static_cast<KorSegment*>(newEntity)->GetTracker();
                if (KorLinTracker* now = AsLinTracker(*ends[k]))
                    now->AddParallel(this);
            } else if (oldEntity && oldEntity == *ends[k] && AsLinTracker(newEntity)) {
                // A tracker that absorbed ours has taken the parallel over.
                *ends[k] = newEntity;
            }
        }
    } else {
        KorEntity** ends[2] = {&mpStart, &mpEnd};
        for (KorEntity** end : ends)
            if (oldEntity && oldEntity == *end && AsLinTracker(newEntity)) {
                oldEntity->RemoveDimaint(this);
                *end = newEntity;
                newEntity->AddDimaint(this);
            }
    }
    CreateDFs();
}

void KorParallel::SetStatus(KORStatusType status, KorDF*)
{
    mStatus = status;
    if (KorLinTracker* t = GetStartTracker())
        t->UpdateStatus(status, this, true);
    if (KorLinTracker* t = GetEndTracker())
        t->UpdateStatus(status, this, true);
}

KORStatusType KorParallel::CalculateStatus()
{
    const auto placed = [](KorLinTracker* t) {
        return t && (t->GetStatus() == 2 || t->GetAlignment() != KOR_EMPTY);
    };
    const int count = (placed(GetStartTracker()) ? 1 : 0) + (placed(GetEndTracker()) ? 1 : 0);
    return KORStatusType(count == 2 ? 2 : count == 1 ? 5 : 0);
}

bool KorParallel::SetValue(double, KORDimensionType, bool) { return false; }

double KorParallel::GetValue() { return 0.0; }

bool KorParallel::SameAs(KorDimension* other)
{
    if (!other)
        return false;
    const KOREntityType type = other->GetType();
    if (type != KOR_ANGLE && type != KOR_PARALLEL && type != KOR_PERPENDICULAR)
        return false;
    KorEntity* a = GetStart();
    KorEntity* b = GetEnd();
    KorEntity* c = other->GetStart();
    KorEntity* d = other->GetEnd();
    return (a == c && b == d) || (a == d && b == c);
}

KorDimSolution* KorParallel::Solve(KorDF* df)
{
    bool second = false;
    for (KorDF* next = GetNextDF(df, &second); next; next = GetNextDF(next, &second)) {
        KorLinTracker* moved = AsLinTracker(next->GetMoved());
        KorLinTracker* carrier = AsLinTracker(next->GetCarrier());
        if (!moved || moved->GetStatus() == 2 || moved->GetStatus() == 3
            || moved->GetAlignment() != KOR_EMPTY)
            continue;
        KorTrackerSolution* solution = nullptr;
        OpCode op = KOR_OP_TURN;
        if (!second) {
            solution = moved->Solve(next->GetNode(), static_cast<KorTracker*>(nullptr),
                                    static_cast<KorNode*>(nullptr));
        } else {
            if (moved->GetStatus() == 1 || moved->GetCirContacts(mCirContacts) == 0)
                continue;
            solution = moved->Solve(carrier, nullptr, false);
            op = KOR_OP_DIMENSION;
        }
        if (solution)
            return new KorDimSolution(next, solution, op);
    }
    KorLinTracker* start = GetStartTracker();
    KorLinTracker* end = GetEndTracker();
    if (start && end && start->GetNumOfParallels() > 1 && end->GetNumOfParallels() > 1)
        return new KorDimSolution(GetStopDF(), nullptr, KOR_OP_NOTHING);
    return nullptr;
}

double KorParallel::GetImplementedValue()
{
    KorLinTracker* start = GetStartTracker();
    KorLinTracker* end = GetEndTracker();
    if (!start || !end)
        return 0.0;
    return std::fabs(angle(start->GetLine(), end->GetLine()).deg());
}

bool KorParallel::IsEqual(double a, double b) { return std::fabs(a - b) < GeoDif(); }

bool KorParallel::IsImplemented()
{
    KorLinTracker* start = GetStartTracker();
    KorLinTracker* end = GetEndTracker();
    const bool equal = mPrimaryType == KOR_DIM_EQUAL || mPrimaryType == KOR_DIM_SAME;
    if (!start || !end || !equal || !mpModel || !mpModel->IsStrictDirections())
        return KorDimension::IsImplemented();
    double between = std::fmod(std::fabs(KorLinTracker::PlacedDegrees(start->GetLine()) -
                                          KorLinTracker::PlacedDegrees(end->GetLine())),
                               180.0);
    if (between > 90.0)
        between = 180.0 - between;
    return IsEqual(between, GetValue());
}

KorTracker* KorParallel::GetOtherTracker(KorTracker* tracker)
{
    KorLinTracker* start = GetStartTracker();
    KorLinTracker* end = GetEndTracker();
    if (tracker == start)
        return end;
    if (!tracker || tracker == end)
        return start;
    return nullptr;
}

void KorParallel::GetOrientation(double& dx, double& dy, KorEntity*)
{
    dx = 0.0;
    dy = 0.0;
}

KorEntity* KorParallel::GetStart() { return mpFirstSegment ? mpFirstSegment : mpStart; }

KorEntity* KorParallel::GetEnd() { return mpSecondSegment ? mpSecondSegment : mpEnd; }

void KorParallel::SetStart(KorEntity* start)
{
    if (!start)
        return;
    if (mpFirstSegment && start->GetType() == KOR_SEGMENT)
        mpFirstSegment = start;
    else if (start->GetType() == KOR_LINEAR_TRACKER)
        mpStart = start;
}

void KorParallel::SetEnd(KorEntity* end)
{
    if (!end)
        return;
    if (mpSecondSegment && end->GetType() == KOR_SEGMENT)
        mpSecondSegment = end;
    else if (end->GetType() == KOR_LINEAR_TRACKER)
        mpEnd = end;
}

KorSegment* KorParallel::GetOtherSegment(KorSegment* s) const
{
    return static_cast<KorSegment*>(s == mpFirstSegment ? mpSecondSegment : mpFirstSegment);
}

bool KorParallel::LayParallel(KorLinTracker* moved, KorLinTracker* carrier, KorNode* node)
{
    line l = moved->GetLine();
    if (!(l = (KorLinTracker::AsPlaced(carrier->GetLine()) & node->GetPoint())) || !IsFinite(l))
        return false;
    KorLinTracker::PlaceThrough(l, node->GetPoint(), mpModel);
    moved->GetLine() = l;
    return true;
}

bool KorParallel::Adjust(KorDimSolution* solution)
{
    if (!solution || !solution->GetDF())
        return false;
    KorDF* df = solution->GetDF();
    KorLinTracker* moved = AsLinTracker(df->GetMoved());
    KorLinTracker* carrier = AsLinTracker(df->GetCarrier());
    if (!moved || !carrier || !df->GetNode())
        return false;
    if (!LayParallel(moved, carrier, df->GetNode()))
        return false;
    if (solution->GetOpCode() != KOR_OP_DIMENSION)
        return true;
    point a;
    point b;
    if (!moved->GetSafeRegion(mCirContacts, a, b))
        return AcceptsMissingSafeRegion();
    point through;
    if (!(through = (a & b)))
        return false;
    moved->SetPosition(through.x(), through.y());
    return true;
}

void KorParallel::RestoreDFState(KorDimSolution* solution)
{
    if (!solution || solution->GetOpCode() != KOR_OP_DIMENSION || !solution->GetDF())
        return;
    if (KorTracker* moved = solution->GetDF()->GetMoved())
        moved->GetCirContacts(mCirContacts);
}
