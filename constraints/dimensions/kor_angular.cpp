#include "kor_angular.h"

#include <cmath>

#include "angle.h"
#include "circle.h"
#include "distances.h"
#include "drag_solvers.h"
#include "geolist.h"
#include "kor_cir_tracker.h"
#include "kor_dim_solution.h"
#include "kor_dim_support.h"
#include "kor_lin_tracker.h"
#include "kor_model.h"
#include "kor_segment.h"
#include "kor_solution_geometry.h"
#include "kor_tracker_solution.h"
#include "segment.h"
#include "settings.h"

namespace {

constexpr double kRadToDeg = 57.29577951308232;

double DirectionDeg(const point& from, const point& to)
{
    double d = std::atan2(to.y() - from.y(), to.x() - from.x()) * kRadToDeg;
    return d < 0.0 ? d + 360.0 : d;
}

}  // namespace

KorAngular::KorAngular() = default;

KorAngular::~KorAngular()
{
    if (mpModel)
        mpModel->RemoveDimension(this);
    DeleteDFs();
    delete mpExtraSolution;
    mpExtraSolution = nullptr;
    if (KorNode* centre = GetVirtualCenter())
        delete centre;
    mVirtualCentreSerial = 0;
}

KorNode* KorAngular::GetVirtualCenter() const
{
    return mpModel ? KorFindLive(mpModel->GetNodes(), mVirtualCentreSerial) : nullptr;
}

KorLinTracker* KorAngular::FirstTracker() const { return KorSegmentLine(mpStart); }
KorLinTracker* KorAngular::SecondTracker() const { return KorSegmentLine(mpEnd); }
KorLinTracker* KorAngular::GetFirstTracker() const { return FirstTracker(); }
KorLinTracker* KorAngular::GetSecondTracker() const { return SecondTracker(); }

KorDF* KorAngular::GetDF(int i) const { return i >= 1 && i <= 4 ? mpDFs[i - 1] : nullptr; }

double KorAngular::SweepAt(const point& vertex, const point& from, const point& to)
{
    double d = DirectionDeg(vertex, to) - DirectionDeg(vertex, from);
    return d < 0.0 ? d + 360.0 : d;
}

void KorAngular::DeleteDFs()
{
    for (KorDF*& df : mpDFs) {
        delete df;
        df = nullptr;
    }
    delete mpDoubleRotateDF;
    mpDoubleRotateDF = nullptr;
}

void KorAngular::CreateDFs(bool withDoubleRotate)
{
    DeleteDFs();
    KorLinTracker* t1 = FirstTracker();
    KorLinTracker* t2 = SecondTracker();
    if (withDoubleRotate)
        mpDoubleRotateDF = new KorDF(mpCentre, t1, t2);
    mpDFs[0] = new KorDF(mpCentre, t1, t2);
    mpDFs[2] = new KorDF(mpCentre, t1, t2);
    mpDFs[1] = new KorDF(mpCentre, t2, t1);
    mpDFs[3] = new KorDF(mpCentre, t2, t1);
}

void KorAngular::UpdateDoubleRotateDF()
{
    if (KorIsAlignedTracker(FirstTracker()) || KorIsAlignedTracker(SecondTracker())) {
        delete mpDoubleRotateDF;
        mpDoubleRotateDF = nullptr;
    } else if (!mpDoubleRotateDF) {
        mpDoubleRotateDF = new KorDF(mpCentre, FirstTracker(), SecondTracker());
    }
}

KorHandle KorAngular::Create(KorModel* model, KorSegment* s1, KorSegment* s2, KorNode* startNode,
                             KorNode* endNode)
{
    if (!model)
        return 0;
    KorLinTracker* t1 = KorSegmentLine(s1);
    KorLinTracker* t2 = KorSegmentLine(s2);
    if (!t1 || !t2 || t1 == t2 || (KorIsAlignedTracker(t1) && KorIsAlignedTracker(t2))
        || t1->IsParallel(t2, false)) {
        model->SetError(KOR_ERR_CREATE);
        return 0;
    }
    mpStart = s1;
    mpEnd = s2;
    const KorHandle handle = model->AddDimension(this);
    if (handle == 0)
        return 0;
    mpModel = model;
    point p;
    if (!SetupCenterNode(p)) {
        model->SetError(KOR_ERR_CREATE);
        return 0;
    }
    ChooseAngleNodes(p, startNode, endNode);
    CreateDFs(!KorIsAlignedTracker(t1) && !KorIsAlignedTracker(t2));
    s1->AddDimaint(this);
    s2->AddDimaint(this);
    CalculateOrientation();
    SetupVirtualRays();
    return handle;
}

bool KorAngular::SetupCenterNode(point& p)
{
    KorLinTracker* t1 = FirstTracker();
    KorLinTracker* t2 = SecondTracker();
    auto* s1 = dynamic_cast<KorSegment*>(mpStart);
    auto* s2 = dynamic_cast<KorSegment*>(mpEnd);
    mpCentre = t1->GetCommonNode(t2);
    if (mpCentre) {
        p = mpCentre->GetPoint();
        return true;
    }
    point crossing[2];
    if (KorIntersect(t1->GetLine(), t2->GetLine(), crossing, 2) == 0 || !KorIsFinite(crossing[0]))
        return false;
    p = crossing[0];
    for (KorNode* n : {s1->GetStart(), s1->GetEnd()})
        if (n->GetPoint() == p) {
            mpCentre = n;
            if (n->AddTracker(t2))
                t2->AddNode(n);
            return true;
        }
    for (KorNode* n : {s2->GetStart(), s2->GetEnd()})
        if (n->GetPoint() == p) {
            mpCentre = n;
            if (n->AddTracker(t1))
                t1->AddNode(n);
            return true;
        }
    auto* centre = new KorNode();
    if (centre->Create(mpModel, p.x(), p.y(), nullptr, false) == 0) {
        delete centre;
        return false;
    }
    mVirtualCentreSerial = centre->GetSerial();
    mpCentre = centre;
    for (KorLinTracker* t : {t1, t2})
        if (centre->AddTracker(t))
            t->AddNode(centre);
    return true;
}

void KorAngular::ChooseAngleNodes(const point& p, KorNode* startNode, KorNode* endNode)
{
    auto* s1 = dynamic_cast<KorSegment*>(mpStart);
    auto* s2 = dynamic_cast<KorSegment*>(mpEnd);
    const auto isEnd = [](KorSegment* s, KorNode* n) {
        return n && (s->GetStart() == n || s->GetEnd() == n);
    };
    if (startNode && endNode && startNode != endNode && startNode != mpCentre
        && endNode != mpCentre && (isEnd(s1, startNode) || isEnd(s2, startNode))
        && (isEnd(s1, endNode) || isEnd(s2, endNode))) {
        mpStartNode = startNode;
        mpEndNode = endNode;
        return;
    }
    if (GetVirtualCenter()) {
        SetupAngleNodes(p);
        return;
    }
    const auto farEnd = [&](KorSegment* s) {
        if (s->GetStart() == mpCentre)
            return s->GetEnd();
        if (s->GetEnd() == mpCentre)
            return s->GetStart();
        return GeoDistance(s->GetStart()->GetPoint(), p) > GeoDistance(s->GetEnd()->GetPoint(), p)
                   ? s->GetStart()
                   : s->GetEnd();
    };
    mpStartNode = farEnd(s1);
    mpEndNode = farEnd(s2);
}

void KorAngular::SetupAngleNodes(const point& p)
{
    auto* s1 = dynamic_cast<KorSegment*>(mpStart);
    auto* s2 = dynamic_cast<KorSegment*>(mpEnd);
    if (!s1 || !s2)
        return;
    KorSegment* segments[2] = {s1, s2};
    KorNode** nodes[2] = {&mpStartNode, &mpEndNode};
    for (int i = 0; i < 2; ++i) {
        KorSegment* s = segments[i];
        KorNode*& node = *nodes[i];
        if (p == s->GetGeometry()) {
            if (!node || (node != s->GetStart() && node != s->GetEnd()))
                node = s->GetStart();
            if (mpStartNode && mpEndNode) {
                const double d = DirectionDeg(p, mpEndNode->GetPoint())
                                 - DirectionDeg(p, mpStartNode->GetPoint());
                if (d < 0.0)
                    node = s->GetOtherNode(node);
            }
        } else {
            node = GeoDistance(s->GetStart()->GetPoint(), p) > GeoDistance(s->GetEnd()->GetPoint(), p)
                       ? s->GetStart()
                       : s->GetEnd();
        }
    }
}

void KorAngular::SetStatus(KORStatusType status, KorDF*)
{
    mStatus = status;
    if (!mbEnabled)
        return;
    if (KorLinTracker* t1 = FirstTracker())
        t1->UpdateStatus(status, this, true);
    if (KorLinTracker* t2 = SecondTracker())
        t2->UpdateStatus(status, this, true);
}

KORStatusType KorAngular::CalculateStatus()
{
    const auto placed = [](KorLinTracker* t) {
        return t && (t->GetStatus() == KorSt(2) || KorIsAlignedTracker(t));
    };
    const int count = (placed(FirstTracker()) ? 1 : 0) + (placed(SecondTracker()) ? 1 : 0);
    return KorSt(count == 2 ? 2 : count == 1 ? 5 : 0);
}

bool KorAngular::SameAs(KorDimension* other)
{
    if (!other)
        return false;
    const KOREntityType type = other->GetType();
    if (type != KOR_ANGLE && type != KOR_PARALLEL && type != KOR_PERPENDICULAR)
        return false;
    KorEntity* a = GetStart();
    KorEntity* b = GetEnd();
    if (!b)
        return false;
    return (other->GetStart() == a && other->GetEnd() == b)
           || (other->GetStart() == b && other->GetEnd() == a);
}

bool KorAngular::IsEqual(double a, double b)
{
    const double play = mpModel ? static_cast<double>(mpModel->AngularPlay()) : 0.05;
    return std::fabs(a - b) < play;
}

double KorAngular::GetImplementedValue()
{
    double value = 0.0;
    if (mpCentre && mpStartNode && mpEndNode && mpCentre != mpStartNode && mpCentre != mpEndNode
        && mbRaysSet) {
        value = DirectionDeg(mpCentre->GetPoint(), mpEndNode->GetPoint())
                - DirectionDeg(mpCentre->GetPoint(), mpStartNode->GetPoint());
    } else {
        KorLinTracker* t1 = FirstTracker();
        KorLinTracker* t2 = SecondTracker();
        if (!mpEnd || !t1 || !t2)
            return 0.0;
        if (mbRaysSet) {
            value = static_cast<double>(angle(t1->GetLine(), mbStartFlag ? 1 : 0, t2->GetLine(),
                                              mbEndFlag ? 1 : 0));
        } else {
            value = static_cast<double>(angle(t1->GetLine(), t2->GetLine()));
            if (mPrimaryType != KOR_DIM_NONE) {
                if (value < 0.0 && mValue > 0.0)
                    value = -value;
                if (mValue > 90.0)
                    value = 180.0 - value;
            }
        }
    }
    return value < 0.0 ? value + 360.0 : value;
}

KorNode* KorAngular::GetOtherNode(KorNode* node)
{
    if (!node)
        return mpStartNode;
    if (node == mpStartNode)
        return mpEndNode;
    if (node == mpEndNode)
        return mpCentre;
    return nullptr;
}

KorTracker* KorAngular::GetOtherTracker(KorTracker* tracker)
{
    KorLinTracker* t1 = FirstTracker();
    KorLinTracker* t2 = SecondTracker();
    if (tracker && tracker == t1)
        return t2;
    if (!tracker || tracker == t2)
        return t1;
    return nullptr;
}

void KorAngular::GetOrientation(double& dx, double& dy, KorEntity*)
{
    dx = mDx;
    dy = mDy;
}

void KorAngular::CalculateOrientation()
{
    if (!mpCentre || !mpStartNode || !mpEndNode)
        return;
    mStartCode = KorOrientation(mpCentre->GetPoint(), mpStartNode->GetPoint());
    mEndCode = KorOrientation(mpCentre->GetPoint(), mpEndNode->GetPoint());
    mDx = mpCentre->x() - mpStartNode->x();
    mDy = mpCentre->y() - mpStartNode->y();
}

void KorAngular::SetupVirtualRays()
{
    if (!mpCentre)
        return;
    int count = 0;
    if (mpStartNode && mpStartNode != mpCentre) {
        mbStartFlag = GetDirectionFlag(mpCentre->GetPoint(), mpStartNode->GetPoint());
        ++count;
    }
    if (mpEndNode && mpEndNode != mpCentre) {
        mbEndFlag = GetDirectionFlag(mpCentre->GetPoint(), mpEndNode->GetPoint());
        ++count;
    }
    mbRaysSet = count == 2;
}

void KorAngular::UpdateVirtualRay(KorDF* df)
{
    if (!df || !mpCentre)
        return;
    const bool first = df == mpDFs[0];
    KorNode* node = first ? mpStartNode : mpEndNode;
    if (!node || node == mpCentre)
        return;
    bool& flag = first ? mbStartFlag : mbEndFlag;
    flag = GetDirectionFlag(mpCentre->GetPoint(), node->GetPoint());
    if (auto* moved = dynamic_cast<KorLinTracker*>(df->mpMoved))
        moved->SetupVirtualRays(mpCentre, node, flag);
}

KorTracker* KorAngular::GetCenterTracker()
{
    return mpCentre ? mpCentre->GetUnmovableTracker(FirstTracker(), SecondTracker(), false)
                    : nullptr;
}

void KorAngular::SwitchEndNode(KorNode* node)
{
    auto* s1 = dynamic_cast<KorSegment*>(mpStart);
    auto* s2 = dynamic_cast<KorSegment*>(mpEnd);
    if (node && node == mpStartNode && s1)
        mpStartNode = s1->GetOtherNode(node);
    else if (node && node == mpEndNode && s2)
        mpEndNode = s2->GetOtherNode(node);
}

void KorAngular::CalculateDirections(double& startOffset, double& endOffset)
{
    startOffset = endOffset = 0.0;
    if (!mpCentre || !mpStartNode || !mpEndNode)
        return;
    KorLinTracker* t1 = FirstTracker();
    KorLinTracker* t2 = SecondTracker();
    startOffset = t1 && t1->GetLine().IsVertical() ? mpStartNode->y() - mpCentre->y()
                                                   : mpStartNode->x() - mpCentre->x();
    endOffset = t2 && t2->GetLine().IsVertical() ? mpEndNode->y() - mpCentre->y()
                                                 : mpEndNode->x() - mpCentre->x();
}

bool KorAngular::IsCongruent(KorAngular* other)
{
    if (!other || !mbEnabled || !other->IsEnabled())
        return false;
    double s1 = 0.0;
    double e1 = 0.0;
    double s2 = 0.0;
    double e2 = 0.0;
    CalculateDirections(s1, e1);
    other->CalculateDirections(s2, e2);
    const auto agree = [](double a, double b) {
        return (a > 0.0 && b > 0.0) || (a < 0.0 && b < 0.0)
               || (std::fabs(a) < GeoSnap() && std::fabs(b) < GeoSnap());
    };
    const bool startAgrees = agree(s1, s2);
    const bool endAgrees = agree(e1, e2);
    const double a = GetValue();
    const double b = other->GetValue();
    if (startAgrees == endAgrees)
        return std::fabs(a - b) < GeoDif();
    return std::fabs(a + b - 180.0) < GeoDif();
}

void KorAngular::Update(KorEntity* oldEntity, KorEntity* newEntity)
{
    auto* oldSegment = dynamic_cast<KorSegment*>(oldEntity);
    auto* newSegment = dynamic_cast<KorSegment*>(newEntity);
    if (oldSegment && newSegment) {
        auto* s1 = dynamic_cast<KorSegment*>(mpStart);
        auto* s2 = dynamic_cast<KorSegment*>(mpEnd);
        KorNode* common = s1 && s2 ? s1->GetCommonNode(s2) : nullptr;
        if (common && common == mpCentre) {
            KorNode* far = newSegment->GetOtherNode(mpCentre);
            if (mpStartNode && (mpStartNode == oldSegment->GetStart() || mpStartNode == oldSegment->GetEnd()))
                mpStartNode = far ? far : mpStartNode;
            else if (mpEndNode && (mpEndNode == oldSegment->GetStart() || mpEndNode == oldSegment->GetEnd()))
                mpEndNode = far ? far : mpEndNode;
        } else if (common && !GetVirtualCenter()) {
            if (KorNode* moved = newSegment->GetOtherNode(common))
                mpCentre = moved;
        }
    }
    auto* oldNode = dynamic_cast<KorNode*>(oldEntity);
    auto* newNode = dynamic_cast<KorNode*>(newEntity);
    if (oldNode && newNode) {
        if (mpCentre == oldNode) {
            mpCentre = newNode;
            for (KorDF* df : mpDFs)
                if (df)
                    df->mpNode = newNode;
            if (mpDoubleRotateDF)
                mpDoubleRotateDF->mpNode = newNode;
        }
        if (mpStartNode == oldNode)
            mpStartNode = newNode;
        if (mpEndNode == oldNode)
            mpEndNode = newNode;
    }
    KorLinTracker* t1 = FirstTracker();
    KorLinTracker* t2 = SecondTracker();
    for (int i = 0; i < 4; ++i)
        if (mpDFs[i]) {
            mpDFs[i]->mpMoved = i % 2 == 0 ? t1 : t2;
            mpDFs[i]->mpCarrier = i % 2 == 0 ? t2 : t1;
        }
    if (mpDoubleRotateDF) {
        mpDoubleRotateDF->mpMoved = t1;
        mpDoubleRotateDF->mpCarrier = t2;
    }
    if (KorNode* centre = GetVirtualCenter())
        SetupAngleNodes(centre->GetPoint());
    CalculateOrientation();
    mbImplementable = t1 && t2 && !t1->IsParallel(t2, false);
    if (mbEnabled && mbImplementable) {
        const double measured = GetImplementedValue();
        if (IsEqual(GetValue(), 360.0 - measured))
            mValue = mBound = measured;
    }
    SetupVirtualRays();
    UpdateDoubleRotateDF();
}

bool KorAngular::ContactTest(KorLinTracker* t)
{
    if (!t || t->GetStatus() == KorSt(1))
        return false;
    mContacts.clear();
    return t->GetCirContacts(mContacts) != 0;
}

KorDF* KorAngular::GetNextDF(KorDF* df, bool* contact)
{
    if (contact)
        *contact = false;
    if (!df)
        return mpDFs[0];
    if (df == mpDFs[0])
        return mpDFs[1];
    if (df == mpDFs[1] && ContactTest(FirstTracker())) {
        if (contact)
            *contact = true;
        return mpDFs[2];
    }
    if ((df == mpDFs[1] || df == mpDFs[2]) && ContactTest(SecondTracker())) {
        if (contact)
            *contact = true;
        return mpDFs[3];
    }
    return nullptr;
}

bool KorAngular::IsLastDF(KorDF* df)
{
    return df && (df == mpDoubleRotateDF || (!mpDoubleRotateDF && df == mpDFs[3]));
}

KorDimSolution* KorAngular::Solve(KorDF* df)
{
    if (!mpCentre || !mpDFs[0] || (df && df == mpDoubleRotateDF))
        return nullptr;
    bool contact = false;
    for (KorDF* next = GetNextDF(df, &contact); next; next = GetNextDF(next, &contact)) {
        auto* a = dynamic_cast<KorLinTracker*>(next->mpMoved);
        if (!a || KorIsAlignedTracker(a) || a->GetStatus() == KorSt(2) || a->GetStatus() == KorSt(3))
            continue;
        KorTrackerSolution* ts = nullptr;
        OpCode op = KOR_OP_TURN;
        if (contact) {
            ts = a->Solve(next->mpCarrier, nullptr, false);
            op = KOR_OP_DIMENSION;
        } else {
            KorNode* pivot = a->GetStatus() == KorSt(1) && a->GetPivot() ? a->GetPivot() : mpCentre;
            next->mpNode = pivot;
            ts = a->Solve(pivot, next->mpCarrier, mpCentre);
        }
        if (ts) {
            ts->SetNode(mpCentre);
            return new KorDimSolution(next, ts, op);
        }
    }
    return SolveDoubleRotate();
}

KorDimSolution* KorAngular::SolveDoubleRotate()
{
    KorLinTracker* t1 = FirstTracker();
    KorLinTracker* t2 = SecondTracker();
    if (!mpDoubleRotateDF || !t1 || !t2 || t1->GetStatus() == KorSt(2)
        || t2->GetStatus() == KorSt(2))
        return nullptr;
    KorTracker* centreTracker = GetCenterTracker();
    if (!centreTracker)
        return nullptr;
    mpDFs[0]->mpNode = t1->GetStatus() == KorSt(1) && t1->GetPivot() ? t1->GetPivot() : mpStartNode;
    mpDFs[1]->mpNode = t2->GetStatus() == KorSt(1) && t2->GetPivot() ? t2->GetPivot() : mpEndNode;
    if (mpDFs[0]->mpNode == mpCentre || mpDFs[1]->mpNode == mpCentre)
        return nullptr;
    KorTrackerSolution* ts1 = t1->Solve(mpDFs[0]->mpNode, centreTracker, mpCentre);
    KorTrackerSolution* ts2 = ts1 ? t2->Solve(mpDFs[1]->mpNode, centreTracker, mpCentre) : nullptr;
    if (!ts1 || !ts2) {
        delete ts1;
        return nullptr;
    }
    delete mpExtraSolution;
    mpExtraSolution = new KorDimSolution(mpDoubleRotateDF, ts2, KOR_OP_ANGULAR);
    return new KorDimSolution(mpDoubleRotateDF, ts1, KOR_OP_ANGULAR);
}

bool KorAngular::AdjustDoubleRotate(KorDimSolution*)
{
    KorLinTracker* t1 = FirstTracker();
    KorLinTracker* t2 = SecondTracker();
    KorNode* n1 = mpDFs[0] ? mpDFs[0]->mpNode : nullptr;
    KorNode* n2 = mpDFs[1] ? mpDFs[1]->mpNode : nullptr;
    KorTracker* centreTracker = GetCenterTracker();
    if (!t1 || !t2 || !n1 || !n2 || !centreTracker || !mpStartNode || !mpEndNode)
        return false;
    const double value = GetValue();
    point candidates[4];
    int count = 0;
    if (auto* c = dynamic_cast<KorCirTracker*>(centreTracker)) {
        count = AdjustDoubleRotateAngleOnCircle(c->GetCircle(), n1->GetPoint(), n2->GetPoint(),
                                                value, candidates);
    } else if (auto* l = dynamic_cast<KorLinTracker*>(centreTracker)) {
        UpdateCenterTracker();
        count = AdjustDoubleRotateAngle(n1->GetPoint(), n2->GetPoint(), l->GetLine(), value,
                                        candidates);
    }
    for (int i = 0; i < count && i < 4; ++i) {
        const point& v = candidates[i];
        if (!KorIsFinite(v))
            continue;
        const double measured = SweepAt(v, mpStartNode->GetPoint(), mpEndNode->GetPoint());
        if (std::fabs(measured - value) >= GeoDif())
            continue;
        const line l1(n1->GetPoint(), v);
        const line l2(n2->GetPoint(), v);
        if (!KorIsFinite(l1) || !KorIsFinite(l2))
            return false;
        t1->GetLine() = l1;
        t2->GetLine() = l2;
        return true;
    }
    return false;
}

bool KorAngular::CalculateObjectLine(KorDF* df, line& out, bool& flag)
{
    if (!mpCentre || !mpStartNode || !mpEndNode)
        return false;
    const bool first = df->mpMoved == FirstTracker();
    KorNode* far = first ? mpEndNode : mpStartNode;
    flag = first ? mbStartFlag : mbEndFlag;
    return AdjustRotateAngle(mpCentre->GetPoint(), far->GetPoint(), first, GetValue(), &flag, &out)
           && KorIsFinite(out);
}

bool KorAngular::MirrorFlippedNode(KorLinTracker* moved)
{
    KorNode* flipped = nullptr;
    if (mpEndNode && mpEndNode != mpCentre
        && GetDirectionFlag(mpCentre->GetPoint(), mpEndNode->GetPoint()) != mbEndFlag)
        flipped = mpEndNode;
    else if (mpStartNode && mpStartNode != mpCentre
             && GetDirectionFlag(mpCentre->GetPoint(), mpStartNode->GetPoint()) != mbStartFlag)
        flipped = mpStartNode;
    if (!flipped || !flipped->IsAdjustable(moved))
        return false;
    const point mirrored(2.0 * mpCentre->x() - flipped->x(), 2.0 * mpCentre->y() - flipped->y());
    if (!KorIsFinite(mirrored))
        return false;
    flipped->GetPoint() = mirrored;
    return flipped->AdjustTrackers(moved);
}

bool KorAngular::AdjustTurned(KorDimSolution* solution, line& moved, bool flag)
{
    KorDF* df = solution->GetDF();
    auto* a = dynamic_cast<KorLinTracker*>(df->mpMoved);
    auto* b = dynamic_cast<KorLinTracker*>(df->mpCarrier);
    const bool first = a == FirstTracker();
    KorNode* armNode = first ? mpStartNode : mpEndNode;
    if (df->mpNode == mpCentre) {
        a->GetLine() = moved;
        if (armNode && armNode != mpCentre)
            armNode->GetPoint() = KorFootOn(moved, armNode->GetPoint());
    } else {
        line through = moved;
        if (df->mpNode)
            through = df->mpNode->GetPoint();
        if (!KorSetLine(a->GetLine(), through))
            return false;
        if (mpEnd && b) {
            point crossing[2];
            const int n = KorIntersect(a->GetLine(), b->GetLine(), crossing, 2);
            if (n > 0 && KorIsFinite(crossing[0]))
                mpCentre->GetPoint() = crossing[0];
            if (GetVirtualCenter()) {
                if (first)
                    mpStartNode = df->mpNode ? df->mpNode : mpStartNode;
                else
                    mpEndNode = df->mpNode ? df->mpNode : mpEndNode;
                SetupAngleNodes(mpCentre->GetPoint());
            }
        }
    }
    (first ? mbStartFlag : mbEndFlag) = flag;
    const double play = mpModel ? static_cast<double>(mpModel->AngularPlay()) : 0.05;
    const double miss = std::fabs(GetImplementedValue() - GetValue());
    if (miss > play && std::fabs(miss - 180.0) <= play && !MirrorFlippedNode(a))
        return false;
    if (df->mpNode == mpCentre && solution->GetOpCode() != KOR_OP_DIMENSION)
        solution->SetUpdatedNode1(mpCentre);
    UpdateVirtualRay(df);
    return true;
}

bool KorAngular::AdjustCommon(KorDimSolution* solution)
{
    KorDF* df = solution ? solution->GetDF() : nullptr;
    if (!df || !mpCentre)
        return false;
    if (solution->GetOpCode() == KOR_OP_ANGULAR)
        return AdjustDoubleRotate(solution);
    auto* a = dynamic_cast<KorLinTracker*>(df->mpMoved);
    auto* b = dynamic_cast<KorLinTracker*>(df->mpCarrier);
    if (!a || !b)
        return false;
    line moved;
    bool flag = false;
    if (mbRaysSet && CalculateObjectLine(df, moved, flag)) {
        if (!AdjustTurned(solution, moved, flag))
            return false;
    } else {
        const double value = GetValue();
        const angle at(value > 90.0 ? 180.0 - value : value);
        line built = a->GetLine();
        if (!(built = (b->GetLine() & mpCentre->GetPoint() & at)) || !KorSetLine(a->GetLine(), built))
            return false;
        mbRaysSet = false;
        a->ResetRay();
    }
    if (solution->GetOpCode() == KOR_OP_DIMENSION) {
        point p;
        point q;
        if (a->GetSafeRegion(p, q)) {
            line shifted = a->GetLine();
            shifted = point(p, q);
            KorSetLine(a->GetLine(), shifted);
        }
    }
    return true;
}

bool KorAngular::Adjust(KorDimSolution* solution) { return AdjustCommon(solution); }
