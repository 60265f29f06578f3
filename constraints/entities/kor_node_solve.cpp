// The node's part in one solving step: which tracker it slides on, where it
// lands on two trackers, and how it follows trackers that a solution moved.
#include <cmath>

#include "angle.h"
#include "circle.h"
#include "distances.h"
#include "geolist.h"
#include "kor_cir_tracker.h"
#include "kor_dim_solution.h"
#include "kor_dimension.h"
#include "kor_entity_support.h"
#include "kor_model.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "kor_tracker.h"
#include "kor_tracker_solution.h"
#include "line.h"
#include "settings.h"

namespace {

double Distance(const point& a, const point& b) { return PointDistance(a, b); }

bool IsFinite(const point& p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

// The crossing of a result list nearest to p; false when the list holds none.
bool NearestCrossing(const geolist_ref& crossings, const point& p, point& out)
{
    bool found = false;
    double best = 0.0;
    for (short i = 0; i < crossings.count(); ++i) {
        const point candidate(crossings[i]);
        const double d = Distance(candidate, p);
        if (!found || d < best) {
            best = d;
            out = candidate;
            found = true;
        }
    }
    return found;
}

}  // namespace

point KorNode::CentrePoint(KorTracker* t)
{
    if (t->GetGeometry().typecode() == GEO_CIRCLE)
        return static_cast<circle&>(t->GetGeometry()).center();
    KorNode* centre = t->GetCenter();
    return centre ? centre->GetPoint() : point(0.0, 0.0);
}

bool KorNode::IsAtCentreOf(KorTracker* t) const { return mPosition == CentrePoint(t); }

bool KorNode::IsOnGeometry(KorTracker* t) const { return mPosition.IsOn(t->GetGeometry()); }

void KorNode::ProjectOnto(KorTracker* t) { PlaceOn(t->GetGeometry()); }

// ---------------------------------------------------------------------------
// Choosing the carrier

KorTracker* KorNode::Solve(KorTracker* moved, KorTracker* carrier)
{
    const bool chosenHere = carrier == nullptr;
    if (chosenHere) {
        for (std::size_t i = 0; i < mTrackers.size(); ++i) {
            KorTracker* x = mTrackers[i];
            if (x == moved || mLocks[i] != 0)
                continue;
            if (!carrier || x->IsFixed() || x->GetNumOfNodes() > carrier->GetNumOfNodes())
                carrier = x;
        }
    }
    if (mTrackers.size() <= 2)
        return carrier;
    return CheckOtherTrackers(moved, carrier, chosenHere);
}

KorTracker* KorNode::Solve(KorTracker* moved, KorTracker* carrier, KorNode* dfNode,
                           KorNode* other, bool own)
{
    KorTracker* choice = nullptr;
    if (this == dfNode) {
        choice = carrier;
    } else {
        const bool skipParallel = own && this == other && carrier;
        for (std::size_t i = 0; i < mTrackers.size(); ++i) {
            KorTracker* x = mTrackers[i];
            if (x == moved || mLocks[i] != 0)
                continue;
            if (IsCentreOf(x) && mTrackers.size() >= 3)
                continue;
            if (skipParallel && (carrier->IsParallel(x, true) || carrier->IsGeoParallel(x)))
                continue;
            if (!choice || x->IsFixed() || (x->GetCenter() && !choice->GetCenter()) ||
                (x->GetType() == choice->GetType() &&
                 x->GetNumOfNodes() > choice->GetNumOfNodes()))
                choice = x;
        }
    }
    if (mTrackers.size() <= 2)
        return choice;
    return CheckOtherTrackers(moved, choice, false);
}

// Steps 3 and 4 of the carrier choice: the trackers other than the carrier
// and the moved one must let the node go; a carrier chosen here may give way
// to one that does not.
KorTracker* KorNode::CheckOtherTrackers(KorTracker* moved, KorTracker* carrier, bool chosenHere)
{
    KorTracker::mFixedNodes.insert(this);
    for (KorTracker* x : std::vector<KorTracker*>(mTrackers)) {
        if (x == carrier || x == moved)
            continue;
        if (x->IsFree(this) && x->IsAdjustable(this))
            continue;
        if (chosenHere && carrier && !carrier->IsFixed() && carrier->IsAdjustable(this)) {
            carrier = x;
            continue;
        }
        return nullptr;
    }
    return carrier;
}

// ---------------------------------------------------------------------------
// Placing on two trackers

bool KorNode::CalculatePosition(KorTracker* a, KorTracker* b)
{
    if (!a || !b)
        return false;
    const bool lines = a->GetType() == KOR_LINEAR_TRACKER && b->GetType() == KOR_LINEAR_TRACKER;
    if (lines && a->GetNumOfPrimitives() > 0 && b->GetNumOfPrimitives() > 0 && mpModel) {
        const double between = angle(static_cast<line&>(a->GetGeometry()),
                                     static_cast<line&>(b->GetGeometry()))
                                   .rad();
        const double play = mpModel->AngularPlay().rad();
        if (between > -play && between < play)
            return false;
    }
    const geolist_ref crossings = a->GetGeometry() % b->GetGeometry();
    const short count = crossings.count();
    if (count == 0) {
        if (!(a->GetGeometry() == b->GetGeometry()))
            return false;
        ProjectOnto(a);
        return true;
    }
    point target = mPosition;
    if (count == 1) {
        target = point(crossings[0]);
    } else if (count >= 3) {
        NearestCrossing(crossings, mPosition, target);
    } else {
        const point first(crossings[0]);
        const point second(crossings[1]);
        target = ChooseOfTwo(a, b, first, second);
    }
    if (!IsFinite(target))
        return false;
    mPosition = target;
    return true;
}

// Which of two crossings of a and b the node takes: a circular tracker's
// intersection attribute decides, else the nearer one.
point KorNode::ChooseOfTwo(KorTracker* a, KorTracker* b, const point& first,
                           const point& second)
{
    const point& nearer = Distance(first, mPosition) <= Distance(second, mPosition) ? first : second;
    KorTracker* circular = a->GetCenter() ? a : (b->GetCenter() ? b : nullptr);
    if (!circular || circular->GetType() != KOR_CIRCULAR_TRACKER)
        return nearer;
    KorTracker* other = circular == a ? b : a;
    const KorIntersectionAttribute attribute =
        static_cast<KorCirTracker*>(circular)->GetAttribute(this, other);
    switch (attribute) {
    case KOR_INTERSECTION_NORTH_EAST:
        return first.y() > second.y() ? first : second;
    case KOR_INTERSECTION_SOUTH_WEST:
        return first.y() < second.y() ? first : second;
    case KOR_INTERSECTION_FIRST:
    case KOR_INTERSECTION_SECOND: {
        KorNode* end = nullptr;
        for (KorPrimitive* p : mPrimitives) {
            if (p->GetTracker() == other) {
                end = p->GetOtherNode(this);
                break;
            }
        }
        if (!end)
            return nearer;
        const bool firstNearer =
            Distance(first, end->GetPoint()) <= Distance(second, end->GetPoint());
        const bool takeFirst = (attribute == KOR_INTERSECTION_FIRST) == firstNearer;
        return takeFirst ? first : second;
    }
    default:
        return nearer;
    }
}

// ---------------------------------------------------------------------------
// Align

bool KorNode::Align(KorTracker* t)
{
    const point saved = mPosition;
    const KORStatusType oldStatus = mStatus;
    mpIntersectionTracker = nullptr;

    KorTracker* f = t;
    KorTracker* s = nullptr;
    std::vector<KorTracker*> follow;
    for (KorTracker* x : mTrackers) {
        if (x == t)
            continue;
        if (!x->IsFixed() && x->IsMovable())
            follow.push_back(x);
        else if (!f)
            f = x;
        else if (!s)
            s = x;
        else
            follow.push_back(x);
    }

    bool ok = true;
    if (f && s)
        ok = PlaceOnTwo(t, f, s, follow, saved);
    else if (f)
        ok = PlaceOnOne(t, f, follow);
    ok = ok && IsFinite(mPosition) && AlignFollowers(follow, oldStatus);
    if (ok) {
        RegisterChange();
    } else {
        mPosition = saved;
        mStatus = oldStatus;
    }
    return ok;
}

bool KorNode::PlaceOnTwo(KorTracker* t, KorTracker* f, KorTracker* s,
                         std::vector<KorTracker*>& follow, const point& saved)
{
    mpIntersectionTracker = f != t ? f : s;
    const bool movable = IsMovable();
    KorTracker* x = IsCentreOf(f) ? f : (IsCentreOf(s) ? s : nullptr);
    if (x) {
        KorTracker* y = x == f ? s : f;
        if (!IsAtCentreOf(x)) {
            if (movable)
                mPosition = CentrePoint(x);
            else if (x == t)
                return false;
            else
                follow.push_back(x);
        }
        const bool offY = !IsOnGeometry(y) || (x == f && IsCentreOf(y) && !IsAtCentreOf(y));
        if (offY) {
            if (y == t)
                return false;
            follow.push_back(y);
        }
        return true;
    }
    if (movable && CalculatePosition(f, s))
        return true;
    if (s->IsMovable() && s != t && IsOnGeometry(f)) {
        follow.push_back(s);
        return true;
    }
    if (f->IsMovable() && f != t && IsOnGeometry(s)) {
        follow.push_back(f);
        return true;
    }
    if (!movable) {
        if (f == t)
            return false;
        follow.push_back(f);
        follow.push_back(s);
        return true;
    }
    if (s->IsMovable() && s != t) {
        ProjectOnto(f);
        if (s->Align(this))
            return true;
    }
    if (f->IsMovable() && f != t) {
        mPosition = saved;
        ProjectOnto(s);
        return f->Align(this);
    }
    return false;
}

bool KorNode::PlaceOnOne(KorTracker* t, KorTracker* f, std::vector<KorTracker*>& follow)
{
    if (!IsMovable()) {
        const bool off = IsCentreOf(f) ? !IsAtCentreOf(f) : !IsOnGeometry(f);
        if (off) {
            if (f == t)
                return false;
            follow.push_back(f);
        }
        return true;
    }
    if (IsCentreOf(f)) {
        mPosition = CentrePoint(f);
        return true;
    }
    if (mbRepeatAlignment && follow.size() == 1) {
        const geolist_ref crossings = follow.front()->GetGeometry() % f->GetGeometry();
        point nearest;
        if (NearestCrossing(crossings, mPosition, nearest) && IsFinite(nearest))
            mPosition = nearest;
        else
            ProjectOnto(f);
        return true;
    }
    ProjectOnto(f);
    if (mpModel && !mpModel->IsInDrag()) {
        for (KorPrimitive* p : std::vector<KorPrimitive*>(mPrimitives)) {
            if (p->GetTracker() == f && p->IsCollapsed()) {
                UnCollapse(f);
                break;
            }
        }
    }
    return true;
}

bool KorNode::AlignFollowers(std::vector<KorTracker*>& follow, KORStatusType oldStatus)
{
    mStatus = KorStatus::Placed;
    for (KorTracker* x : follow) {
        if (!x->IsMovable() && !x->IsVertical() && !x->IsHorizontal() &&
            x->GetNumOfNodes() == 2 && x->GetAlignment() == KOR_EMPTY)
            x->SetMovable(true);
        if (!x->Align(this)) {
            mStatus = oldStatus;
            if (!mpIntersectionTracker)
                mpIntersectionTracker = x;
            return false;
        }
    }
    return true;
}

// ---------------------------------------------------------------------------
// Adjust

bool KorNode::Adjust(KorTracker* t)
{
    if (!t || !IsMovable() || KorTracker::IsFixedNode(this))
        return false;
    if (mTrackers.size() <= 1) {
        ProjectOnto(t);
    } else if (mTrackers.size() == 2) {
        KorTracker* o = GetOtherTracker(t);
        if (IsCentreOf(o)) {
            ProjectOnto(t);
            if (!AdjustTrackers(nullptr))
                return false;
        } else if (!CalculatePosition(o, t)) {
            if (!o->IsFree(this) || IsFixedTracker(o) || !o->IsAdjustable(this))
                return false;
            ProjectOnto(t);
            return o->Adjust(this);
        }
    } else {
        bool refused = false;
        KorTracker* carrier = ChooseAdjustCarrier(t, refused);
        if (!carrier)
            return false;
        if (!CalculatePosition(carrier, t)) {
            ProjectOnto(t);
            if (!carrier->Adjust(this))
                return false;
        }
        for (KorTracker* x : std::vector<KorTracker*>(mTrackers)) {
            if (x == t || x == carrier)
                continue;
            const bool follows = IsCentreOf(x) ? AdjustTrackers(nullptr) : x->Adjust(this);
            if (!follows)
                return false;
        }
    }
    RegisterChange();
    return true;
}

KorTracker* KorNode::ChooseAdjustCarrier(KorTracker* t, bool& refused)
{
    KorTracker* choice = nullptr;
    for (std::size_t i = 0; i < mTrackers.size(); ++i) {
        KorTracker* x = mTrackers[i];
        if (x == t || mLocks[i] != 0 || IsCentreOf(x))
            continue;
        if (!choice) {
            choice = x;
            continue;
        }
        if (!x->IsFixed() && !IsFixedTracker(x)) {
            const bool better = (x->GetStatus() == KorStatus::Free && choice->GetStatus() != KorStatus::Free) ||
                                (x->GetAlignment() == KOR_EMPTY &&
                                 choice->GetAlignment() != KOR_EMPTY) ||
                                x->GetNumOfNodes() > choice->GetNumOfNodes();
            if (better && choice->IsAdjustable(this))
                choice = x;
            continue;
        }
        if (!choice->IsAdjustable(this)) {
            refused = true;
            return nullptr;
        }
        choice = x;
    }
    return choice;
}

bool KorNode::Adjust(KorTracker* moved, KorTracker* carrier, KorDimSolution* s)
{
    if (!moved)
        return false;
    const point saved = mPosition;
    if (carrier && CalculatePosition(carrier, moved)) {
        if (carrier->IsMovable() && !carrier->IsFixed() && moved->GetRay()) {
            point start = saved;
            const point onRay = moved->GetPointOnRay(this, &start);
            if (IsFinite(onRay) && onRay != mPosition) {
                mPosition = onRay;
                if (!carrier->Adjust(this))
                    return false;
            }
        }
    } else {
        KorTrackerSolution* ts = s ? s->GetTrackerSolution() : nullptr;
        if ((ts && ts->GetNode() == this) || (carrier && carrier->IsFixed()))
            return false;
        ProjectOnto(moved);
        if (carrier && !carrier->Adjust(this))
            return false;
    }
    if (mTrackers.size() >= 3) {
        for (KorTracker* x : std::vector<KorTracker*>(mTrackers)) {
            if (x == moved || x == carrier)
                continue;
            if (x->IsFixed() || !x->Adjust(this))
                return false;
        }
    }
    RegisterChange();
    return true;
}

bool KorNode::AdjustTrackers(KorTracker* except)
{
    for (KorTracker* x : std::vector<KorTracker*>(mTrackers)) {
        if (x == except)
            continue;
        if (IsCentreOf(x)) {
            if (IsAtCentreOf(x))
                continue;
            if (x->IsFixed())
                return false;
            if (mpModel)
                mpModel->AddAdjustmentTracker(x);
        } else if (!IsOnGeometry(x)) {
            if (x->IsFixed() || !x->Adjust(this))
                return false;
        }
    }
    return true;
}

bool KorNode::AddAdjustmentTrackers(KorTracker* except)
{
    for (KorTracker* x : std::vector<KorTracker*>(mTrackers))
        if (x != except && !x->Adjust(this))
            return false;
    return true;
}

bool KorNode::IsAdjustable(KorTracker* t)
{
    if (!IsMovable() || KorTracker::IsFixedNode(this))
        return false;
    if (mTrackers.size() <= 1)
        return true;
    int failures = 0;
    for (std::size_t i = 0; i < mTrackers.size(); ++i) {
        KorTracker* x = mTrackers[i];
        if (x == t)
            continue;
        if (x->IsFree(this) && !IsFixedTracker(x) && x->IsAdjustable(this))
            continue;
        if (mLocks[i] != 0 || ++failures > 1)
            return false;
    }
    return true;
}

bool KorNode::UnCollapse(KorTracker* t)
{
    if (!t)
        return false;
    t->UnCollapse(mPosition, false);
    for (KorTracker* x : std::vector<KorTracker*>(mTrackers)) {
        if (x != t && !x->Adjust(this)) {
            t->UnCollapse(mPosition, true);
            return false;
        }
    }
    for (KorPrimitive* p : mPrimitives)
        p->SetOrientation();
    return true;
}

// ---------------------------------------------------------------------------
// Two dimensions at once

bool KorNode::CreateDoubleSolution(KorDimension* d1, KorDimSolution*& s1, KorDimension* d2,
                                   KorDimSolution*& s2)
{
    s1 = nullptr;
    s2 = nullptr;
    if (!d1 || !d2)
        return false;
    KorTracker* t1 = d1->GetTracker(this);
    KorTracker* t2 = d2->GetTracker(this);
    for (std::size_t i = 0; i < DFs().size(); ++i) {
        KorDF* q = mDFs[i];
        if (!q->mpMoved || !KorDFIsUsable(q) || !KorDFUsesTracker(q, t1))
            continue;
        for (std::size_t j = i + 1; j < mDFs.size(); ++j) {
            KorDF* r = mDFs[j];
            const bool mirror = r->mpMoved == q->mpCarrier && r->mpCarrier == q->mpMoved;
            if (!mirror || !r->mpMoved || !KorDFIsUsable(r) || !KorDFUsesTracker(r, t2))
                continue;
            KorTrackerSolution* first = q->mpMoved->Solve(d1, q, true);
            if (!first)
                continue;
            s1 = new KorDimSolution(q, first, KOR_OP_DOUBLE);
            const bool firstTurns = first->GetKind() == KOR_TS_TURN;
            KorTrackerSolution* second = r->mpMoved->Solve(d2, r, !firstTurns);
            if (second && (firstTurns || second->GetKind() == KOR_TS_TURN)) {
                s2 = new KorDimSolution(r, second, KOR_OP_DOUBLE);
                return true;
            }
            delete second;
            delete s1;
            s1 = nullptr;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------
// Intersection attribute

KorIntersectionAttribute KorNode::CalculateIntersectionAttribute(KorCirTracker* c, short i)
{
    KorTracker* x = GetTracker(i);
    if (!c || !x || x == c)
        return KOR_INTERSECTION_NONE;
    geolist_ref crossings = c->GetGeometry() % x->GetGeometry();
    point reference = mPosition;
    if (x->GetType() == KOR_LINEAR_TRACKER && crossings.count() != 2) {
        if (crossings.count() == 1)
            return KOR_INTERSECTION_FIRST;
        reference = c->GetGeometry();
        line through = static_cast<line&>(x->GetGeometry());
        through = reference;
        crossings = c->GetGeometry() % through;
    }
    if (crossings.count() != 2)
        return KOR_INTERSECTION_NONE;
    KorNode* end = nullptr;
    for (KorPrimitive* p : mPrimitives) {
        if (p->GetTracker() != x)
            continue;
        KorNode* other = p->GetOtherNode(this);
        if (!other)
            break;
        if (!other->BelongTo(c)) {
            end = other;
            break;
        }
    }
    if (!end)
        return KOR_INTERSECTION_NONE;
    const point first(crossings[0]);
    const point second(crossings[1]);
    const bool firstNearer = Distance(first, reference) <= Distance(second, reference);
    const point& n = firstNearer ? first : second;
    const point& m = firstNearer ? second : first;
    return Distance(end->GetPoint(), n) < Distance(end->GetPoint(), m) ? KOR_INTERSECTION_FIRST
                                                                        : KOR_INTERSECTION_SECOND;
}
