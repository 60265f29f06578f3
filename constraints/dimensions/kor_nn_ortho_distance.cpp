#include "kor_nn_ortho_distance.h"

#include <cmath>

#include "kor_dim_solution.h"
#include "kor_dim_support.h"
#include "kor_lin_tracker.h"
#include "kor_model.h"
#include "kor_solution_geometry.h"
#include "kor_tracker_solution.h"

KorNNOrthoDistance::KorNNOrthoDistance() = default;

KorNNOrthoDistance::~KorNNOrthoDistance()
{
    if (mpModel)
        mpModel->RemoveDimension(this);
    delete mpDoubleNodeDF;
    mpDoubleNodeDF = nullptr;
    if (mpTracker1 == mpOwnTracker1)
        mpTracker1 = nullptr;
    if (mpTracker2 == mpOwnTracker2)
        mpTracker2 = nullptr;
    delete mpOwnTracker1;
    delete mpOwnTracker2;
    mpOwnTracker1 = mpOwnTracker2 = nullptr;
}

KOREntityType KorNNOrthoDistance::GetType() const
{
    return mAlignment == KOR_VERTICAL ? KOR_HORIZONTAL_DISTANCE : KOR_VERTICAL_DISTANCE;
}

KorNode* KorNNOrthoDistance::GetNode1() const { return dynamic_cast<KorNode*>(mpStart); }
KorNode* KorNNOrthoDistance::GetNode2() const { return dynamic_cast<KorNode*>(mpEnd); }

KorLinTracker* KorNNOrthoDistance::TrackerFor(KorNode* node, KorLinTracker*& own)
{
    if (auto* aligned = dynamic_cast<KorLinTracker*>(node->GetAlignedTracker(mAlignment)))
        return aligned;
    own = new KorLinTracker(mpModel, node, mAlignment);
    return own;
}

KorHandle KorNNOrthoDistance::Create(KorModel* model, KorNode* node1, KorNode* node2,
                                     KOREntityType type)
{
    if (!model)
        return 0;
    if (!node1 || !node2 || node1 == node2) {
        model->SetError(KOR_ERR_CREATE);
        return 0;
    }
    if (type != KOR_VERTICAL_DISTANCE && type != KOR_HORIZONTAL_DISTANCE) {
        model->SetError(KOR_ERR_WRONG_KIND);
        return 0;
    }
    mAlignment = type == KOR_VERTICAL_DISTANCE ? KOR_HORIZONTAL : KOR_VERTICAL;
    KorLinTracker* shared = node1->GetCommonLinTracker(node2);
    if (shared && shared->GetAlignment() == mAlignment) {
        model->SetError(KOR_ERR_WRONG_KIND);
        return 0;
    }
    mpStart = node1;
    mpEnd = node2;
    const KorHandle handle = model->AddDimension(this);
    if (handle == 0) {
        model->SetError(KOR_ERR_WRONG_KIND);
        return 0;
    }
    mpModel = model;
    mpTracker1 = TrackerFor(node1, mpOwnTracker1);
    mpTracker2 = TrackerFor(node2, mpOwnTracker2);
    if (!mpTracker1 || !mpTracker2 || mpTracker1 == mpTracker2)
        return 0;
    MakeDFs();
    node1->AddDimaint(this);
    node2->AddDimaint(this);
    CalculateOrientation();
    return handle;
}

bool KorNNOrthoDistance::SameAs(KorDimension* other)
{
    return KorDimension::SameAs(other);
}

double KorNNOrthoDistance::GetImplementedValue()
{
    KorNode* n1 = GetNode1();
    KorNode* n2 = GetNode2();
    if (!n1 || !n2)
        return 0.0;
    return mAlignment == KOR_VERTICAL ? std::fabs(n1->x() - n2->x()) : std::fabs(n1->y() - n2->y());
}

void KorNNOrthoDistance::CalculateOrientation()
{
    KorNode* n1 = GetNode1();
    KorNode* n2 = GetNode2();
    if (n1 && n2)
        mbSide = mAlignment == KOR_VERTICAL ? n2->x() > n1->x() : n2->y() > n1->y();
}

KorTracker* KorNNOrthoDistance::GetTracker(KorNode* node)
{
    return node == GetNode1() ? mpTracker1 : mpTracker2;
}

KorNode* KorNNOrthoDistance::GetOtherNode(KorNode* node)
{
    return node == GetNode1() ? GetNode2() : GetNode1();
}

KorDF* KorNNOrthoDistance::GetDoubleNodeDF()
{
    if (!mpDoubleNodeDF)
        mpDoubleNodeDF = new KorDF(nullptr, nullptr, nullptr);
    return mpDoubleNodeDF;
}

void KorNNOrthoDistance::Update(KorEntity*, KorEntity*)
{
    bool changed = false;
    KorNode* nodes[2] = {GetNode1(), GetNode2()};
    KorLinTracker** trackers[2] = {&mpTracker1, &mpTracker2};
    KorLinTracker** owns[2] = {&mpOwnTracker1, &mpOwnTracker2};
    for (int i = 0; i < 2; ++i) {
        if (!nodes[i])
            continue;
        auto* aligned = dynamic_cast<KorLinTracker*>(nodes[i]->GetAlignedTracker(mAlignment));
        KorLinTracker* wanted = aligned;
        if (!wanted)
            wanted = *owns[i] ? *owns[i] : (*owns[i] = new KorLinTracker(mpModel, nodes[i], mAlignment));
        if (*owns[i] && wanted != *owns[i]) {
            delete *owns[i];
            *owns[i] = nullptr;
        }
        if (wanted != *trackers[i]) {
            *trackers[i] = wanted;
            changed = true;
        }
    }
    if (changed)
        MakeDFs();
    mbImplementable = (nodes[0] && nodes[0]->IsMovable()) || (nodes[1] && nodes[1]->IsMovable());
}

bool KorNNOrthoDistance::CreateDoubleNodeSolution(KorDimension* lock, KorDimSolution*& first,
                                                  KorDimSolution*& second)
{
    KorNode* n1 = GetNode1();
    KorNode* n2 = GetNode2();
    if (!(GetValue() > 0.0) || !(lock->GetValue() > 0.0))
        return false;
    const bool joins = (lock->GetStart() == n1 || lock->GetEnd() == n1)
                       && (lock->GetStart() == n2 || lock->GetEnd() == n2);
    if (!joins)
        return false;
    KorTracker* t1 = n1->GetUnmovableTracker(this, lock);
    KorTracker* t2 = n2->GetUnmovableTracker(this, lock);
    if (!t1 || !t2)
        return false;
    KorTrackerSolution* ts1 = mpTracker1->Solve(n1, t1, nullptr, nullptr);
    KorTrackerSolution* ts2 = ts1 ? mpTracker2->Solve(n2, t2, nullptr, nullptr) : nullptr;
    if (!ts1 || !ts2) {
        delete ts1;
        return false;
    }
    KorDF* lockDF = lock->GetDoubleNodeDF();
    KorDF* ownDF = GetDoubleNodeDF();
    if (!lockDF) {
        delete ts1;
        delete ts2;
        return false;
    }
    lockDF->mpMoved = mpTracker1;
    lockDF->mpCarrier = t1;
    ownDF->mpMoved = mpTracker2;
    ownDF->mpCarrier = t2;
    first = new KorDimSolution(lockDF, ts1, KOR_OP_DOUBLE);
    second = new KorDimSolution(ownDF, ts2, KOR_OP_DOUBLE);
    return true;
}

KorDimSolution* KorNNOrthoDistance::Solve(KorDF* df)
{
    if (KorDimSolution* s = KorSSDistance::Solve(df))
        return s;
    if (!mpModel || mpModel->GetSolutions().empty())
        return nullptr;
    KorDimension* lock = mpModel->GetLockDim(GetNode1());
    if (!lock || (lock->GetType() != KOR_VERTICAL_DISTANCE
                  && lock->GetType() != KOR_HORIZONTAL_DISTANCE))
        return nullptr;
    lock->GetStatus() = KorSt(0);
    KorDimSolution* first = nullptr;
    KorDimSolution* second = nullptr;
    const bool found = CreateDoubleNodeSolution(lock, first, second);
    lock->GetStatus() = KorSt(2);
    if (!found)
        return nullptr;
    mpModel->SetDoubleSolution(first, second);
    return second;
}

bool KorNNOrthoDistance::Adjust(KorDimSolution* solution)
{
    KorDF* df = solution ? solution->GetDF() : nullptr;
    auto* moved = df ? dynamic_cast<KorLinTracker*>(df->mpMoved) : nullptr;
    auto* carrier = df ? dynamic_cast<KorLinTracker*>(df->mpCarrier) : nullptr;
    KorNode* n1 = GetNode1();
    KorNode* n2 = GetNode2();
    if (!moved || !carrier || !n1 || !n2)
        return false;
    if (solution->GetOpCode() == KOR_OP_EXTRA) {
        point base;
        if (!PresetBase(solution, base))
            return false;
    }
    const bool firstMoves = df == mpDFs[0] || df == mpDFs[2];
    const point& side = firstMoves ? n1->GetPoint() : n2->GetPoint();
    return KorSetLine(moved->GetLine(), KorParallelOnSide(carrier->GetLine(), side, GetValue()));
}
