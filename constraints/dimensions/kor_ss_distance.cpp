#include "kor_ss_distance.h"

#include <cmath>

#include "angle.h"
#include "distances.h"
#include "geolist.h"
#include "kor_dim_solution.h"
#include "kor_dim_support.h"
#include "kor_lin_tracker.h"
#include "kor_model.h"
#include "kor_segment.h"
#include "kor_tracker_solution.h"
#include "segment.h"
#include "settings.h"

namespace {

point EndPointOf(KorEntity* e)
{
    auto* s = dynamic_cast<KorSegment*>(e);
    return s && s->GetEnd() ? s->GetEnd()->GetPoint() : point();
}

}  // namespace

KorSSDistance::KorSSDistance() = default;

KorSSDistance::~KorSSDistance()
{
    if (mpModel)
        mpModel->RemoveDimension(this);
    delete mpExtraSolution;
    mpExtraSolution = nullptr;
    DeleteDFs();
}

bool KorSSDistance::IsPlaced(const KorTracker* t)
{
    return t && (t->GetStatus() == KorSt(2) || t->GetStatus() == KorSt(3));
}

void KorSSDistance::MakeDFs()
{
    DeleteDFs();
    mpDFs[0] = new KorDF(nullptr, mpTracker1, mpTracker2);
    mpDFs[1] = new KorDF(nullptr, mpTracker2, mpTracker1);
    mpDFs[2] = new KorDF(nullptr, mpTracker1, mpTracker2);
    mpDFs[3] = new KorDF(nullptr, mpTracker2, mpTracker1);
}

void KorSSDistance::DeleteDFs()
{
    for (KorDF*& df : mpDFs) {
        delete df;
        df = nullptr;
    }
}

void KorSSDistance::SetExtraSolution(KorDimSolution* solution)
{
    delete mpExtraSolution;
    mpExtraSolution = solution;
}

KorHandle KorSSDistance::Create(KorModel* model, KorSegment* s1, KorSegment* s2)
{
    if (!model)
        return 0;
    KorLinTracker* t1 = KorSegmentLine(s1);
    KorLinTracker* t2 = KorSegmentLine(s2);
    if (!t1 || !t2 || t1 == t2 || !t1->IsParallel(t2, false)) {
        model->SetError(KOR_ERR_CREATE);
        return 0;
    }
    mpStart = s1;
    mpEnd = s2;
    const KorHandle handle = model->AddDimension(this);
    if (handle == 0)
        return 0;
    mpTracker1 = t1;
    mpTracker2 = t2;
    MakeDFs();
    mpModel = model;
    s1->AddDimaint(this);
    s2->AddDimaint(this);
    CalculateOrientation();
    return handle;
}

KorTracker* KorSSDistance::GetOtherTracker(KorTracker* tracker)
{
    if (!tracker || tracker == mpTracker1)
        return mpTracker2;
    if (tracker == mpTracker2)
        return mpTracker1;
    return nullptr;
}

void KorSSDistance::SetFixedTrackers()
{
    KorNode::AddFixedTracker(mpTracker1);
    KorNode::AddFixedTracker(mpTracker2);
}

void KorSSDistance::SetStatus(KORStatusType status, KorDF*)
{
    mStatus = status;
    if (!mbEnabled)
        return;
    if (mpTracker1)
        mpTracker1->UpdateStatus(status, this, false);
    if (mpTracker2)
        mpTracker2->UpdateStatus(status, this, false);
}

KORStatusType KorSSDistance::CalculateStatus()
{
    const int placed = (mpTracker1 && mpTracker1->GetStatus() == KorSt(2) ? 1 : 0)
                       + (mpTracker2 && mpTracker2->GetStatus() == KorSt(2) ? 1 : 0);
    return KorSt(placed == 2 ? 2 : placed == 1 ? 5 : 0);
}

double KorSSDistance::GetImplementedValue()
{
    if (!mpTracker1 || !mpTracker2)
        return 0.0;
    line& l1 = mpTracker1->GetLine();
    line& l2 = mpTracker2->GetLine();
    if (std::fabs(l1.ltan() - l2.ltan()) < GeoDif())
        return GeoDistance(l1, l2);
    return GeoDistance(EndPointOf(mpStart), EndPointOf(mpEnd));
}

void KorSSDistance::CalculateOrientation()
{
    // Left of segment 2's direction: the side Adjust offsets toward.
    auto* s1 = dynamic_cast<KorSegment*>(mpStart);
    auto* s2 = dynamic_cast<KorSegment*>(mpEnd);
    if (!s1 || !s2 || !s1->GetStart() || !s1->GetEnd() || !s2->GetStart() || !s2->GetEnd())
        return;
    const point mid(s1->GetStart()->GetPoint(), s1->GetEnd()->GetPoint());
    mbSide = KorLeftOf(mid, s2->GetStart()->GetPoint(), s2->GetEnd()->GetPoint());
}

void KorSSDistance::Update(KorEntity*, KorEntity*)
{
    KorLinTracker* t1 = KorSegmentLine(mpStart);
    KorLinTracker* t2 = KorSegmentLine(mpEnd);
    if (t1 != mpTracker1 || t2 != mpTracker2) {
        mpTracker1 = t1;
        mpTracker2 = t2;
        MakeDFs();
        if (t1 && t2 && t1->IsParallel(t2, false))
            CalculateOrientation();
    }
    mbImplementable = (mpStart && mpStart->IsMovable()) || (mpEnd && mpEnd->IsMovable());
}

KorDimSolution* KorSSDistance::Solve(KorDF* df) { return SolveStages(df); }

KorDimSolution* KorSSDistance::SolveStages(KorDF* df)
{
    if (!mpTracker1 || !mpTracker2 || !mpDFs[0])
        return nullptr;
    KorDF** dfs = mpDFs;
    // Stage 1: shift one tracker onto the other's parallel.
    int first = -1;
    if (!df) {
        const bool p1 = IsPlaced(mpTracker1);
        const bool p2 = IsPlaced(mpTracker2);
        const bool a1 = KorIsAlignedTracker(mpTracker1);
        const bool a2 = KorIsAlignedTracker(mpTracker2);
        if (!((p1 && p2) || (a1 && a2) || (p1 && a2) || (a1 && p2)))
            return nullptr;
        first = 0;
    } else if (df == dfs[0]) {
        first = 1;
    }
    if (first >= 0) {
        for (int i = first; i < 2; ++i) {
            KorTracker* a = dfs[i]->mpMoved;
            if (a->GetStatus() == KorSt(2))
                continue;
            KorTrackerSolution* ts =
                static_cast<KorLinTracker*>(a)->Solve(dfs[i]->mpCarrier, nullptr, false);
            if (ts)
                return new KorDimSolution(dfs[i], ts, static_cast<OpCode>(ts->GetKind()));
        }
    }
    // Stage 2: circle contacts.
    if (df != dfs[3] && !IsPlaced(dfs[2]->mpMoved) && !IsPlaced(dfs[3]->mpMoved)) {
        const int from = df == dfs[1] ? 2 : 3;
        for (int i = from; i < 4; ++i) {
            mContacts.clear();
            if (dfs[i]->mpCarrier->GetCirContacts(mContacts) == 0)
                continue;
            auto* a = static_cast<KorLinTracker*>(dfs[i]->mpMoved);
            auto* b = static_cast<KorLinTracker*>(dfs[i]->mpCarrier);
            KorTrackerSolution* ts = a->Solve(b, nullptr, false);
            KorTrackerSolution* ts2 = ts ? b->Solve(a, nullptr, false) : nullptr;
            if (ts && ts2) {
                SetExtraSolution(new KorDimSolution(dfs[i], ts2, KOR_OP_EXTRA));
                return new KorDimSolution(dfs[i], ts, KOR_OP_EXTRA);
            }
            delete ts;
        }
    }
    return SolveParallelLock();
}

KorDimSolution* KorSSDistance::SolveParallelLock()
{
    if (!mpModel || mpModel->GetSolutions().empty())
        return nullptr;
    KorDimension* lock = mpModel->GetLockDim(mpEnd);
    if (!lock || lock->GetType() != KOR_PARALLEL || KorIsAlignedTracker(mpDFs[2]->mpMoved)
        || KorIsAlignedTracker(mpDFs[3]->mpMoved) || !mpModel->GetLockDim(mpStart))
        return nullptr;
    // The parallel holds both directions: it lets go of its trackers while
    // they are solved to turn together, and takes them again.
    lock->SetStatus(KorSt(0), nullptr);
    auto* t3 = static_cast<KorLinTracker*>(mpDFs[2]->mpMoved);
    auto* t4 = static_cast<KorLinTracker*>(mpDFs[3]->mpMoved);
    KorTrackerSolution* ts1 = t3->Solve(static_cast<KorNode*>(nullptr), nullptr, nullptr);
    KorTrackerSolution* ts2 = ts1 ? t4->Solve(static_cast<KorNode*>(nullptr), nullptr, nullptr)
                                  : nullptr;
    lock->SetStatus(KorSt(2), nullptr);
    if (!ts1 || !ts2) {
        delete ts1;
        return nullptr;
    }
    auto* first = new KorDimSolution(mpDFs[2], ts1, KOR_OP_DOUBLE);
    auto* second = new KorDimSolution(mpDFs[3], ts2, KOR_OP_DOUBLE);
    mpModel->SetDoubleSolution(first, second);
    return second;
}

bool KorSSDistance::PresetBase(KorDimSolution* solution, point& base)
{
    auto* moved = dynamic_cast<KorLinTracker*>(solution->GetDF()->mpMoved);
    auto* carrier = dynamic_cast<KorLinTracker*>(solution->GetDF()->mpCarrier);
    point a;
    point b;
    if (!moved || !carrier || !carrier->GetSafeRegion(a, b))
        return false;
    const double da = std::fabs(moved->GetLine().signedDist(a));
    const double db = std::fabs(moved->GetLine().signedDist(b));
    base = da > db ? a : b;
    carrier->GetLine() = base;
    return true;
}

bool KorSSDistance::Adjust(KorDimSolution* solution)
{
    KorDF* df = solution ? solution->GetDF() : nullptr;
    auto* moved = df ? dynamic_cast<KorLinTracker*>(df->mpMoved) : nullptr;
    auto* carrier = df ? dynamic_cast<KorLinTracker*>(df->mpCarrier) : nullptr;
    auto* s2 = dynamic_cast<KorSegment*>(mpEnd);
    if (!moved || !carrier || !s2 || !moved->GetLine().IsParallel(carrier->GetLine()))
        return false;
    point base;
    if (solution->GetOpCode() == KOR_OP_EXTRA) {
        if (!PresetBase(solution, base))
            return false;
    } else {
        base = df == mpDFs[0] ? EndPointOf(mpEnd) : EndPointOf(mpStart);
    }
    const angle s = s2->GetAngle();
    const bool firstMoves = df == mpDFs[0] || df == mpDFs[2];
    const double turn = firstMoves == mbSide ? 90.0 : -90.0;
    angle direction = s;
    direction += turn;
    point target = base;
    if (!(target = (base & direction & GetValue())))
        return false;
    line through = moved->GetLine();
    if (!(through = (target & s)))
        return false;
    return KorSetLine(moved->GetLine(), through);
}
