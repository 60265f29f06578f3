#include "kor_nn_distance.h"

#include <algorithm>
#include <cmath>

#include "circle.h"
#include "distances.h"
#include "drag_solvers.h"
#include "kor_cir_tracker.h"
#include "kor_dim_solution.h"
#include "kor_lin_tracker.h"
#include "kor_model.h"
#include "kor_node.h"
#include "kor_scoped_value.h"
#include "kor_segment.h"
#include "kor_shift_group.h"
#include "kor_solution_geometry.h"
#include "kor_tracker_solution.h"
#include "settings.h"

namespace {

const KORStatusType kUnsolved = static_cast<KORStatusType>(0);
const KORStatusType kSolved = static_cast<KORStatusType>(2);

KorNode* AsNode(KorEntity* entity) { return dynamic_cast<KorNode*>(entity); }

// Where df stands among the node's DFs; the walk asks with the place it
// left off, which answers at once (a node where T walls meet holds about
// 2T^2 DFs, too many to count through at every step).
int IndexOfDF(KorNode* node, KorDF* df, int hint = -1)
{
    if (!node || !df)
        return -1;
    if (hint >= 0 && node->GetDF(static_cast<unsigned>(hint)) == df)
        return hint;
    for (unsigned i = 0; KorDF* own = node->GetDF(i); ++i)
        if (own == df)
            return static_cast<int>(i);
    return -1;
}

// Attaches the tracker to the node, and the node to the tracker when new.
void Attach(KorNode* node, KorTracker* tracker)
{
    if (node->AddTracker(tracker))
        tracker->AddNode(node);
}

bool Holds(KorNode* node, KorTracker* tracker)
{
    for (unsigned i = 0; i < node->GetNumOfTrackers(); ++i)
        if (node->GetTracker(i) == tracker)
            return true;
    return false;
}

}  // namespace

bool KorDFIsUsable(const KorDF* df)
{
    if (!df || !df->mpNode || !df->mpCarrier || !df->mpNode->IsMovable())
        return false;
    if (df->mpNode->GetLock(df->mpCarrier) != 0)
        return false;
    KorTracker* moved = df->mpMoved;
    return !moved || (moved->GetStatus() != kSolved && moved->IsMovable());
}

bool KorDFUsesTracker(const KorDF* df, const KorTracker* tracker)
{
    if (!df || !tracker || (tracker != df->mpMoved && tracker != df->mpCarrier))
        return false;
    return !df->mpCarrier || df->mpCarrier->GetCenter() != df->mpNode;
}

// ---- Construction ----

KorNNDistance::KorNNDistance() = default;

KorNNDistance::~KorNNDistance()
{
    // The model's solutions may still name the double-node freedom: they are
    // cleared with the dimension before the freedom goes.
    if (mpModel)
        mpModel->RemoveDimension(this);
    delete mpDoubleNodeDF;
    mpDoubleNodeDF = nullptr;
    DeleteOwnTracker();
    delete mpGroupShiftDF1;
    delete mpGroupShiftDF2;
    mpGroupShiftDF1 = mpGroupShiftDF2 = nullptr;
}

void KorNNDistance::DeleteOwnTracker()
{
    KorLinTracker* own = mpOwnTracker;
    if (!own)
        return;
    mpOwnTracker = nullptr;
    if (mpTracker == own)
        mpTracker = nullptr;
    // Another distance between nodes of the tracker may run along it (it
    // found the tracker shared by its nodes): that one takes it over.
    for (int n = 0; n < own->GetNumOfNodes(); ++n) {
        KorNode* node = own->GetNode(static_cast<unsigned>(n));
        for (int i = 0; node && i < node->GetNumOfDimaints(); ++i) {
            auto* other = dynamic_cast<KorNNDistance*>(node->GetDimaint(i));
            if (other && other != this && other->mpTracker == own && !other->mpOwnTracker) {
                other->mpOwnTracker = own;
                return;
            }
        }
    }
    delete own;
}

KorNode* KorNNDistance::GetNode1() const { return AsNode(mpStart); }
KorNode* KorNNDistance::GetNode2() const { return AsNode(mpEnd); }

KorHandle KorNNDistance::Create(KorModel* model, KorNode* node1, KorNode* node2, bool add)
{
    if (!model)
        return 0;
    mpModel = model;
    if (!node1 || !node2 || node1 == node2) {
        model->SetError(KOR_ERR_CREATE);
        return 0;
    }
    mpStart = node1;
    mpEnd = node2;
    KorHandle handle = 1;
    if (add) {
        handle = model->AddDimension(this);
        if (handle == 0) {
            model->SetError(KOR_ERR_EQUAL_DIMENSION);
            return 0;
        }
    }
    SetTracker(node1, node2);
    node1->AddDimaint(this);
    node2->AddDimaint(this);
    CalculateOrientation();
    mpGroupShiftDF1 = new KorDF(node1, nullptr, nullptr);
    mpGroupShiftDF2 = new KorDF(node2, nullptr, nullptr);
    return handle;
}

bool KorNNDistance::Create(KorModel* model, KorSegment* segment)
{
    if (!segment || Create(model, segment->GetStart(), segment->GetEnd(), false) == 0)
        return false;
    KorOrientation orientation = segment->GetOrientation();
    SetOrientation(orientation);
    return true;
}

void KorNNDistance::SetTracker(KorNode* node1, KorNode* node2)
{
    if (KorLinTracker* shared = node1->GetCommonLinTracker(node2)) {
        mpTracker = shared;
        return;
    }
    bool samePoint = node1->GetPoint() == node2->GetPoint();
    if (!samePoint) {
        if (KorLinTracker* through = node1->GetCommonGeoLinTracker(node2)) {
            mpTracker = through;
            through->AddNode(node2);
            node2->AddTracker(through);
            return;
        }
        if (KorLinTracker* through = node2->GetCommonGeoLinTracker(node1)) {
            mpTracker = through;
            through->AddNode(node1);
            node1->AddTracker(through);
            return;
        }
    }
    KorTracker* found = nullptr;
    if (samePoint) {
        KorTracker* atPoint = mpModel->GetTracker(node1->GetPoint(), nullptr, nullptr);
        if (KorIsLineTracker(atPoint))
            found = atPoint;
    } else {
        double snap = std::min(GeoDistance(node1->GetPoint(), node2->GetPoint()) - GeoDif(),
                               0.5 * static_cast<double>(mpModel->InputSnap()));
        if (snap > 0) {
            KorScopedValue<double> scope(GeoSnap(), snap);
            found = mpModel->GetTracker(node1, node2, nullptr, true);
        }
    }
    if (found) {
        mpTracker = found;
        Attach(node1, found);
        Attach(node2, found);
        return;
    }
    mpOwnTracker = new KorLinTracker(mpModel, node1, node2);
    mpTracker = mpOwnTracker;
    mpOwnTracker->ResetStatus(true);
}

// ---- Orientation ----

void KorNNDistance::SetOrientation(KorOrientation& orientation)
{
    mOrientation = orientation;
    mOrientation.GetDeltas(mDx, mDy);
}

void KorNNDistance::GetOrientation(double& dx, double& dy, KorEntity* entity)
{
    bool towardNode2 = entity == mpEnd;
    dx = towardNode2 ? mDx : -mDx;
    dy = towardNode2 ? mDy : -mDy;
}

void KorNNDistance::SetOrientation(double dx, double dy, KorEntity* entity)
{
    bool fromNode1 = entity == mpStart;
    mDx = fromNode1 ? dx : -dx;
    mDy = fromNode1 ? dy : -dy;
}

void KorNNDistance::CalculateOrientation()
{
    KorNode* node1 = GetNode1();
    KorNode* node2 = GetNode2();
    if (!node1 || !node2)
        return;
    mDx = node2->x() - node1->x();
    mDy = node2->y() - node1->y();
    if (std::fabs(mDx) >= GeoSnap() || std::fabs(mDy) >= GeoSnap())
        return;
    if (mOrientation.IsSet()) {
        mOrientation.GetDeltas(mDx, mDy);
        return;
    }
    OrientFromWall();
}

// Coincident nodes without a code take the direction of a wall at one of them.
void KorNNDistance::OrientFromWall()
{
    KorNode* node1 = GetNode1();
    KorNode* node2 = GetNode2();
    bool walls1 = node1->GetNumOfPrimitives() > 0;
    bool walls2 = node2->GetNumOfPrimitives() > 0;
    if (walls1 == walls2 || !mpTracker)
        return;
    KorNode* at = walls1 ? node1 : node2;
    KorPrimitive* wall = mpTracker->GetPrimitive(at);
    if (!wall)
        return;
    KorNode* far = wall->GetStart() == at ? wall->GetEnd() : wall->GetStart();
    if (!far)
        return;
    if (walls1) {
        mDx = far->x() - node1->x();
        mDy = far->y() - node1->y();
    } else {
        mDx = node2->x() - far->x();
        mDy = node2->y() - far->y();
    }
    mOrientation = KorOrientation(mDx, mDy);
}

double KorNNDistance::GetImplementedValue()
{
    KorNode* node1 = GetNode1();
    KorNode* node2 = GetNode2();
    if (!node1 || !node2)
        return 0.0;
    double d = GeoDistance(node1->GetPoint(), node2->GetPoint());
    bool deltasSet = std::fabs(mDx) >= GeoSnap() || std::fabs(mDy) >= GeoSnap();
    if (mOrientation.IsSet() && deltasSet &&
        KorOrientation(node2->x() - node1->x(), node2->y() - node1->y()) != mOrientation)
        return -d;
    return d;
}

// ---- Entities, status ----

void KorNNDistance::Update(KorEntity* oldEntity, KorEntity* newEntity)
{
    if (mpStart == oldEntity)
        mpStart = newEntity;
    else if (mpEnd == oldEntity)
        mpEnd = newEntity;
    KorNode* node1 = GetNode1();
    KorNode* node2 = GetNode2();
    if (!node1 || !node2)
        return;
    // The group-shift DFs stand for the current nodes.
    if (mpGroupShiftDF1)
        mpGroupShiftDF1->mpNode = node1;
    if (mpGroupShiftDF2)
        mpGroupShiftDF2->mpNode = node2;
    // The carrying tracker may have died with the walls or the dimension
    // that owned it (a dead tracker is off its nodes' lists): carry on another.
    if (mpTracker && mpTracker != mpOwnTracker && !Holds(node1, mpTracker) &&
        !Holds(node2, mpTracker)) {
        mpTracker = nullptr;
        if (mpOwnTracker)
            mpTracker = mpOwnTracker;
        else
            SetTracker(node1, node2);
    }
    KorLinTracker* shared = node1->GetCommonLinTracker(node2);
    if (shared && shared != mpTracker) {
        DeleteOwnTracker();
        mpTracker = shared;
    }
    CalculateOrientation();
    mbImplementable = node1->IsMovable() || node2->IsMovable();
}

KORStatusType KorNNDistance::CalculateStatus()
{
    bool movable1 = GetNode1() && GetNode1()->IsMovable();
    bool movable2 = GetNode2() && GetNode2()->IsMovable();
    if (movable1 && movable2)
        return kUnsolved;
    if (!movable1 && !movable2)
        return kSolved;
    return mpTracker && mpTracker->GetStatus() == 3 ? static_cast<KORStatusType>(5) : kUnsolved;
}

void KorNNDistance::SetStatus(KORStatusType status, KorDF*)
{
    mStatus = status;
    if (!IsEnabled() || !GetNode1() || !GetNode2())
        return;
    GetNode1()->UpdateStatus(status, GetNode2(), mpTracker);
    GetNode2()->UpdateStatus(status, GetNode1(), mpTracker);
}

KorTracker* KorNNDistance::GetTracker(KorNode*) { return mpTracker; }

KorNode* KorNNDistance::GetOtherNode(KorNode* node)
{
    return node == GetNode1() ? GetNode2() : GetNode1();
}

void KorNNDistance::SetFixedTrackers(KorNode* node, KorTracker* tracker)
{
    if (KorNode* other = GetOtherNode(node))
        other->SetFixedTrackers(nullptr, tracker);
}

// ---- The DF walk ----

KorDF* KorNNDistance::Get1stDF()
{
    mDFCursor = 0;
    if (GetNode1() && GetNode1()->IsMovable())
        return GetNode1()->GetDF(0u);
    if (GetNode2() && GetNode2()->IsMovable())
        return GetNode2()->GetDF(0u);
    return nullptr;
}

KorDF* KorNNDistance::GetNextDF(KorDF* df)
{
    KorNode* node1 = GetNode1();
    KorNode* node2 = GetNode2();
    KorNode* walked = df && df->mpNode == node1 ? node1 : node2;
    int at = IndexOfDF(walked, df, mDFCursor);
    if (at >= 0)
        mDFCursor = at;
    if (mDFCursor < 0 || !walked)
        return nullptr;
    KorDF* next = walked->GetDF(static_cast<unsigned>(mDFCursor + 1));
    if (next || walked == node2) {
        if (next)
            ++mDFCursor;
        return next;
    }
    if (node2 && node2->IsMovable()) {
        mDFCursor = 0;
        return node2->GetDF(0u);
    }
    return nullptr;
}

void KorNNDistance::RestoreDFState(KorDimSolution* solution)
{
    KorDF* df = solution ? solution->GetDF() : nullptr;
    mDFCursor = df ? IndexOfDF(df->mpNode, df) : -1;
}

KorDF* KorNNDistance::GetDoubleNodeDF()
{
    if (!mpDoubleNodeDF)
        mpDoubleNodeDF = new KorDF(nullptr, nullptr, nullptr);
    return mpDoubleNodeDF;
}

// ---- Solve ----

KorDimSolution* KorNNDistance::Solve(KorDF* df)
{
    if (df && df == mpStopDF)
        return CreateGroupShiftSolution(nullptr);
    if (df && df == mpGroupShiftDF1)
        return CreateGroupShiftSolution(df);
    if (df && df == mpGroupShiftDF2)
        return nullptr;
    if (!mpModel || !mpTracker)
        return nullptr;
    KorDF* next = nullptr;
    if (df) {
        next = GetNextDF(df);
    } else {
        mbPass = false;
        next = Get1stDF();
    }
    if (KorDimSolution* solution = WalkDFs(next))
        return solution;
    if (!mbPass) {
        mbPass = true;
        if (KorDimSolution* solution = WalkDFs(Get1stDF()))
            return solution;
    }
    return SolveWithLockDimensions();
}

KorDimSolution* KorNNDistance::WalkDFs(KorDF* start)
{
    for (KorDF* df = start; df; df = GetNextDF(df)) {
        if (!KorDFIsUsable(df))
            continue;
        if (KorDimSolution* solution = SolveDF(df))
            return solution;
        mpModel->ClearFixed();
    }
    return nullptr;
}

KorDimSolution* KorNNDistance::SolveDF(KorDF* df)
{
    KorTracker* moved = df->mpMoved;
    if (moved) {
        if (!KorDFUsesTracker(df, mpTracker) || (!mbPass && moved == mpTracker))
            return nullptr;
        KorTrackerSolution* ts = moved->Solve(this, df, false);
        return ts ? new KorDimSolution(df, ts, static_cast<OpCode>(ts->GetKind())) : nullptr;
    }
    if (df->mpNode->GetLock(nullptr) == 0 && df->mpCarrier == mpTracker)
        return new KorDimSolution(df, nullptr, KOR_OP_SLIDE);
    return nullptr;
}

KorDimSolution* KorNNDistance::SolveWithLockDimensions()
{
    if (mpModel->GetSolutions().empty())
        return nullptr;
    KorNode* node = GetNode1();
    bool doubleNode = true;
    KorDimension* lock = mpModel->GetLockDim(node);
    if (!lock) {
        node = GetNode2();
        doubleNode = false;
        lock = mpModel->GetLockDim(node);
    }
    if (!lock)
        return nullptr;
    KorDimSolution* first = nullptr;
    KorDimSolution* second = nullptr;
    if (TryLockDimension(lock, node, doubleNode, first, second)) {
        // The pair found no place once in this resolve: the three walls
        // turning together may still (a bay taking a new front).
        if (mpModel->DoubleFailed(lock, this)) {
            if (KorDimSolution* triple = SolveWithTriple(lock)) {
                delete first;
                delete second;
                return triple;
            }
        }
        mpModel->SetDoubleSolution(first, second);
        return second;
    }
    return SolveWithTriple(lock);
}

KorDimSolution* KorNNDistance::SolveWithTriple(KorDimension* lock)
{
    KorDimension* before = mpModel->GetLockDim(this, lock);
    if (!before)
        return nullptr;
    lock->SetStatus(kUnsolved, nullptr);
    before->SetStatus(kUnsolved, nullptr);
    KorDimSolution* solution = CreateTripleSolution(lock, before);
    lock->SetStatus(kSolved, nullptr);
    before->SetStatus(kSolved, nullptr);
    return solution;
}

bool KorNNDistance::TryLockDimension(KorDimension* lock, KorNode* node, bool doubleNode,
                                     KorDimSolution*& first, KorDimSolution*& second)
{
    lock->SetStatus(kUnsolved, nullptr);
    bool solved = (doubleNode && CreateDoubleNodeSolution(lock, first, second)) ||
                  CreateInscribedSolution(node, lock, first, second);
    if (!solved) {
        KorTracker* lockTracker = lock->GetTracker(node);
        if (lockTracker && lockTracker != mpTracker &&
            (mpTracker->IsRotatable() || lockTracker->IsRotatable()))
            solved = node->CreateDoubleSolution(lock, first, this, second);
    }
    lock->SetStatus(kSolved, nullptr);
    return solved;
}

bool KorNNDistance::CreateDoubleNodeSolution(KorDimension* lock, KorDimSolution*& first,
                                             KorDimSolution*& second)
{
    KorNode* node1 = GetNode1();
    KorNode* node2 = GetNode2();
    if (!(GetValue() > 0) || !(lock->GetValue() > 0))
        return false;
    bool joinsNode2 = lock->GetStart() == node2 || lock->GetEnd() == node2;
    bool joinsNode1 = lock->GetStart() == node1 || lock->GetEnd() == node1;
    if (!joinsNode1 || !joinsNode2)
        return false;
    KorTracker* t1 = node1->GetUnmovableTracker(this, lock);
    KorTracker* t2 = node2->GetUnmovableTracker(this, lock);
    KorTrackerSolution* ts = mpTracker->Solve(node1, t1, node2, t2);
    if (!ts)
        return false;
    KorDF* lockDF = lock->GetDoubleNodeDF();
    if (!lockDF) {
        delete ts;
        return false;
    }
    lockDF->mpMoved = mpTracker;
    lockDF->mpCarrier = t1;
    first = new KorDimSolution(lockDF, ts, KOR_OP_DOUBLE);
    KorDF* ownDF = GetDoubleNodeDF();
    ownDF->mpMoved = nullptr;
    ownDF->mpCarrier = t2;
    second = new KorDimSolution(ownDF, nullptr, KOR_OP_DOUBLE);
    return true;
}

bool KorNNDistance::CreateInscribedSolution(KorNode* node, KorDimension* lock,
                                            KorDimSolution*& first, KorDimSolution*& second)
{
    KorCirTracker* common = GetNode1()->GetCommonCirTracker(GetNode2());
    if (!common)
        return false;
    int status = common->GetStatus();
    if (status != 0 && !(status == 1 && common->GetPivot() == node))
        return false;
    KorNode* lock1 = AsNode(lock->GetStart());
    KorNode* lock2 = AsNode(lock->GetEnd());
    if (!lock1 || !lock2 || lock1->GetCommonCirTracker(lock2) != common)
        return false;
    KorNode* p = GetOtherNode(node);
    KorNode* q = lock->GetOtherNode(node);
    if (!p || !q)
        return false;
    KorDF* df = p->GetDF(common, mpTracker);
    KorDF* df2 = q->GetDF(common, lock->GetTracker(node));
    if (!KorDFIsUsable(df) || !KorDFIsUsable(df2))
        return false;
    KorTrackerSolution* ts = common->Solve(node, df, df2);
    if (!ts)
        return false;
    first = new KorDimSolution(df2, ts, KOR_OP_DOUBLE);
    second = new KorDimSolution(df, nullptr, KOR_OP_DOUBLE);
    return true;
}

KorDimSolution* KorNNDistance::CreateTripleSolution(KorDimension* lock, KorDimension* before)
{
    KorDimension* middle = nullptr;
    KorDimension* outer1 = nullptr;
    KorDimension* outer2 = nullptr;
    KorEntity* e1 = nullptr;
    KorEntity* e2 = nullptr;
    auto tryMiddle = [&](KorDimension* m, KorDimension* o1, KorDimension* o2) {
        KorEntity* s1 = m->GetCommonEntity(o1);
        KorEntity* s2 = m->GetCommonEntity(o2);
        if (!s1 || !s2)
            return false;
        middle = m;
        outer1 = o1;
        outer2 = o2;
        e1 = s1;
        e2 = s2;
        return true;
    };
    if (!tryMiddle(this, lock, before) && !tryMiddle(lock, before, this) &&
        !tryMiddle(before, lock, this))
        return nullptr;
    KorNode* n1 = AsNode(e1);
    KorNode* n2 = AsNode(e2);
    if (!n1 || !n2)
        return nullptr;
    KorTracker* t1 = outer1->GetTracker(n1);
    KorTracker* t2 = outer2->GetTracker(n2);
    KorTracker* tm = middle->GetTracker(n1);
    if (!KorIsLineTracker(t1) || !KorIsLineTracker(t2) || !KorIsLineTracker(tm))
        return nullptr;
    if (!t1->IsRotatable() || !t2->IsRotatable() || !tm->IsMovable() ||
        tm->GetStatus() == 2 || tm->GetStatus() == 1)
        return nullptr;
    KorNode* far1 = outer1->GetOtherNode(n1);
    KorNode* far2 = outer2->GetOtherNode(n2);
    lock->SetStatus(kUnsolved, nullptr);
    before->SetStatus(kUnsolved, nullptr);
    auto* line1 = static_cast<KorLinTracker*>(t1);
    auto* line2 = static_cast<KorLinTracker*>(t2);
    auto* lineM = static_cast<KorLinTracker*>(tm);
    KorTrackerSolution* ts1 = line1->Solve(far1, static_cast<KorTracker*>(nullptr),
                                           static_cast<KorNode*>(nullptr));
    KorTrackerSolution* ts2 = line2->Solve(far2, static_cast<KorTracker*>(nullptr),
                                           static_cast<KorNode*>(nullptr));
    KorTrackerSolution* tsm =
        lineM->Solve(static_cast<KorTracker*>(nullptr), static_cast<KorNode*>(nullptr), false);
    KorDimSolution* answer = nullptr;
    KorDF* dfm = middle->GetDoubleNodeDF();
    KorDF* df1 = outer1->GetDoubleNodeDF();
    KorDF* df2 = outer2->GetDoubleNodeDF();
    if (ts1 && ts2 && tsm && dfm && df1 && df2) {
        *dfm = KorDF(nullptr, tm, nullptr);
        *df1 = KorDF(n1, t1, nullptr);
        *df2 = KorDF(n2, t2, nullptr);
        KorDimSolution* solutions[3] = {nullptr, nullptr, nullptr};
        KorDimension* owners[3] = {middle, outer1, outer2};
        KorDF* dfs[3] = {dfm, df1, df2};
        KorTrackerSolution* tss[3] = {tsm, ts1, ts2};
        for (int i = 0; i < 3; ++i)
            solutions[i] = new KorDimSolution(dfs[i], tss[i], KOR_OP_TRIPLE);
        auto of = [&](KorDimension* d) {
            for (int i = 0; i < 3; ++i)
                if (owners[i] == d)
                    return solutions[i];
            return static_cast<KorDimSolution*>(nullptr);
        };
        answer = of(this);
        mpModel->SetTripleSolution(of(lock), of(before));
    } else {
        delete ts1;
        delete ts2;
        delete tsm;
    }
    lock->SetStatus(kSolved, nullptr);
    before->SetStatus(kSolved, nullptr);
    return answer;
}

KorDimSolution* KorNNDistance::CreateGroupShiftSolution(KorDF* df)
{
    if (!mpModel || df == mpGroupShiftDF2)
        return nullptr;
    KorDF* candidates[2] = {mpGroupShiftDF1, mpGroupShiftDF2};
    for (int i = df == mpGroupShiftDF1 ? 1 : 0; i < 2; ++i) {
        KorDF* shiftDF = candidates[i];
        KorNode* node = shiftDF ? shiftDF->mpNode : nullptr;
        if (!node || !node->IsMovable())
            continue;
        KorShiftGroup* group = mpModel->SetupShiftGroup(node, GetOtherNode(node), mpTracker, this);
        if (group) {
            mpShiftGroup = group;
            return new KorDimSolution(shiftDF, nullptr, KOR_OP_GROUP_SHIFT);
        }
    }
    return nullptr;
}

// ---- Adjust ----

bool KorNNDistance::Adjust(KorDimSolution* solution)
{
    if (!solution)
        return false;
    switch (solution->GetOpCode()) {
    case KOR_OP_RADIUS:
        return AdjustRadius(solution);
    case KOR_OP_GROUP_SHIFT:
        return AdjustGroupShift(solution);
    default:
        return false;
    }
}

// The DF's circle tracker takes the radius that puts the node at the distance.
bool KorNNDistance::AdjustRadius(KorDimSolution* solution)
{
    KorDF* df = solution->GetDF();
    KorNode* node = df ? df->mpNode : nullptr;
    KorNode* other = node ? GetOtherNode(node) : nullptr;
    if (!other || !KorIsCircleTracker(df->mpMoved))
        return false;
    double dx = 0.0;
    double dy = 0.0;
    GetOrientation(dx, dy, node);
    point from = other->GetPoint();
    point target = from;
    double value = GetValue();
    if (value > 0) {
        if (!KorIsLineTracker(df->mpCarrier))
            return false;
        point candidates[2];
        int count = Slide(from, KorLineOf(df->mpCarrier), value, candidates);
        if (count == 0)
            return false;
        point references[2] = {from, from};
        int i = count == 1 ? 0
                           : solution->SolutionChoice(candidates, references, dx, dy, node, count);
        target = candidates[(i >= 0 && i < count) ? i : 0];
    }
    KorNode* centre = df->mpMoved->GetCenter();
    if (!centre || !KorIsFinite(target))
        return false;
    double radius = GeoDistance(target, centre->GetPoint());
    if (!std::isfinite(radius))
        return false;
    KorCircleOf(df->mpMoved).rad() = radius;
    KorPlaceNode(node, target);
    solution->SetUpdatedNode1(node);
    return true;
}

// The shift group moves so that the node lies at the distance from the other.
bool KorNNDistance::AdjustGroupShift(KorDimSolution* solution)
{
    KorDF* df = solution->GetDF();
    KorNode* node = df ? df->mpNode : nullptr;
    KorNode* other = node ? GetOtherNode(node) : nullptr;
    if (!other || !mpShiftGroup)
        return false;
    point target = KorPointToward(other->GetPoint(), node->GetPoint(), GetValue());
    double dx = target.x() - node->x();
    double dy = target.y() - node->y();
    if (!std::isfinite(dx) || !std::isfinite(dy))
        return false;
    mpShiftGroup->Shift(dx, dy);
    return true;
}

// ---- Node coincidence ----

KorNodeCoincident::KorNodeCoincident() = default;
KorNodeCoincident::~KorNodeCoincident() = default;

KorHandle KorNodeCoincident::Create(KorModel* model, KorNode* node1, KorNode* node2)
{
    KorHandle handle = KorNNDistance::Create(model, node1, node2, true);
    if (handle != 0) {
        mbEnabled = true;
        mPrimaryType = KOR_DIM_EQUAL;
        mValue = mBound = 0.0;
    }
    return handle;
}

bool KorNodeCoincident::SetValue(double, KORDimensionType, bool) { return false; }

KorDimSolution* KorNodeCoincident::Solve(KorDF* df)
{
    if (KorDimSolution* solution = KorNNDistance::Solve(df))
        return solution;
    return new KorDimSolution(mpStopDF, nullptr, KOR_OP_NOTHING);
}

// ---- Tangent distance ----

KorNNTangentDistance::KorNNTangentDistance() = default;
KorNNTangentDistance::~KorNNTangentDistance() = default;

double KorNNTangentDistance::GetValue()
{
    return mpCirTracker ? mpCirTracker->GetRadius() : KorNNDistance::GetValue();
}
