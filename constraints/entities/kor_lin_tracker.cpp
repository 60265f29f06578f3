#include "kor_lin_tracker.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "angle.h"
#include "circle.h"
#include "geolist.h"
#include "polygon.h"
#include "settings.h"
#include "tracker_clamps.h"

#include "kor_cir_tracker.h"
#include "kor_dimension.h"
#include "kor_model.h"
#include "kor_node.h"
#include "kor_parallel.h"
#include "kor_primitive.h"
#include "kor_segment.h"
#include "kor_tracker_solution.h"

namespace {

// A line through two coincident points: not the vertical sentinel, so that
// the drag code can tell it apart.
constexpr double kCoincidentSlope = -100001.0;
constexpr double kFullTurn = 6.28318530718;
constexpr double kPi = 3.14159265358979323846;

bool IsFinite(const point& p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

bool IsFinite(const line& l) { return std::isfinite(l.ltan()) && std::isfinite(l.laxe()); }

line LineThrough(const point& a, const point& b)
{
    if (a == b)
        return line(kCoincidentSlope, a.y());
    return line(a, b);
}

}  // namespace

double KorLinTracker::PlacedDegrees(const line& l)
{
    if (l.ltan() >= GEO_VERTICAL)
        return 90.0;
    if (std::fabs(l.ltan()) < GeoDif())
        return 0.0;
    return std::atan(l.ltan()) * 180.0 / kPi;
}

line KorLinTracker::AsPlaced(const line& l)
{
    return std::fabs(l.ltan()) < GeoDif() ? line(0.0, l.laxe()) : l;
}

void KorLinTracker::PlaceThrough(line& l, const point& through, const KorModel* model)
{
    if (l.ltan() == 0.0 || std::fabs(l.ltan()) >= GeoDif())
        return;
    if (model && model->IsStrictDirections())
        l = line(0.0, through.y());
    else
        l.laxe() = through.y();
}

namespace {

bool IsLinTracker(const KorTracker* t) { return t && t->GetType() == KOR_LINEAR_TRACKER; }

bool IsCircular(const KorTracker* t) { return t && t->GetCenter() != nullptr; }

double Distance(const point& a, const point& b) { return std::hypot(a.x() - b.x(), a.y() - b.y()); }

// The coordinate along which positions on the line are compared.
double Along(const line& l, const point& p) { return l.IsVertical() ? p.y() : p.x(); }

// The point at distance d from p in direction a (radians).
point PolarFrom(const point& p, double a, double d)
{
    return point(p.x() + d * std::cos(a), p.y() + d * std::sin(a));
}

double Normalized(double a)
{
    a = std::fmod(a, kFullTurn);
    return a < 0.0 ? a + kFullTurn : a;
}

}  // namespace

// ---- Construction ----

KorLinTracker::KorLinTracker(KorModel* model, KorSegment* s) : KorTracker(model)
{
    mLine = LineThrough(s->GetStart()->GetPoint(), s->GetEnd()->GetPoint());
    mAlignment = s->GetAlignment();
    KorTracker* old = s->GetTracker();
    AddPrimitive(s);
    if (!old || old == this)
        return;
    old->RemovePrimitive(s);
    if (!IsLinTracker(old))
        return;
    auto* oldLine = static_cast<KorLinTracker*>(old);
    for (int i = oldLine->GetNumOfParallels() - 1; i >= 0; --i) {
        KorParallel* p = oldLine->mParallels[i];
        KorEntity* e[3] = {nullptr, nullptr, nullptr};
        p->GetEntities(e[0], e[1], e[2]);
        // A parallel made on segments names them as its start and end.
        const bool onS = e[0] == s || e[1] == s || e[2] == s || p->GetStart() == s
                      || p->GetEnd() == s;
        if (!onS)
            continue;
        mParallels.push_back(p);
        oldLine->mParallels.erase(oldLine->mParallels.begin() + i);
        p->Update(old, this);
    }
}

KorLinTracker::KorLinTracker(KorModel* model, KorNode* a, KorNode* b) : KorTracker(model)
{
    mLine = LineThrough(a->GetPoint(), b->GetPoint());
    AttachNode(a);
    AttachNode(b);
}

KorLinTracker::KorLinTracker(KorModel* model, KorNode* a) : KorTracker(model)
{
    AttachNode(a);
}

KorLinTracker::KorLinTracker(KorModel* model, KorNode* a, KOREntityType alignment)
    : KorTracker(model)
{
    mAlignment = alignment;
    if (alignment == KOR_VERTICAL)
        mLine.SetVertical(a->x());
    else
        mLine.SetHorizontal(a->y());
    AttachNode(a);
}

KorLinTracker::KorLinTracker(KorModel* model, KorNode* a, KorLinTracker* parallelTo)
    : KorTracker(model)
{
    mLine = line(parallelTo->mLine.ltan(), 0.0);
    mLine = a->GetPoint();
    if (parallelTo->mAlignment != KOR_EMPTY)
        mAlignment = parallelTo->mAlignment;
    AttachNode(a);
}

KorLinTracker::~KorLinTracker()
{
    while (!mParallels.empty()) {
        KorParallel* p = mParallels.back();
        mParallels.pop_back();
        delete p;
    }
    if (mpModel)
        mpModel->RemoveTracker(this);
}

void KorLinTracker::AttachNode(KorNode* n)
{
    if (n->AddTracker(this))
        mNodes.push_back(n);
}

KOREntityType KorLinTracker::GetType() const { return KOR_LINEAR_TRACKER; }

geobject& KorLinTracker::GetGeometry() { return mLine; }

double KorLinTracker::SignedOffset(const point& p) const
{
    if (mLine.IsVertical())
        return p.x() - mLine.laxe();
    return (p.y() - mLine.ltan() * p.x() - mLine.laxe()) / std::sqrt(1.0 + mLine.ltan() * mLine.ltan());
}

// ---- Alignment and parallels ----

bool KorLinTracker::SetAlignment(KOREntityType alignment)
{
    if (alignment == KOR_EMPTY)
        return true;
    if (mAlignment == KOR_EMPTY) {
        mAlignment = alignment;
        mpPivot = nullptr;
        return true;
    }
    if (mAlignment == alignment)
        return true;
    if (mpModel)
        mpModel->SetError(KOR_ERR_ALIGNMENT);
    return false;
}

void KorLinTracker::ResetAlignment()
{
    if (mAlignment == KOR_EMPTY)
        return;
    for (KorPrimitive* p : mPrimitives)
        if (p->GetAlignment() != KOR_EMPTY)
            return;
    mAlignment = KOR_EMPTY;
}

KOREntityType KorLinTracker::FindAlignment() const
{
    const angle play = mpModel ? mpModel->AngularPlay() : angle();
    if (IsVertical(play))
        return KOR_VERTICAL;
    if (IsHorizontal(play))
        return KOR_HORIZONTAL;
    return KOR_EMPTY;
}

void KorLinTracker::AddParallel(KorParallel* parallel) { mParallels.push_back(parallel); }

void KorLinTracker::RemoveParallel(KorParallel* parallel)
{
    auto it = std::find(mParallels.begin(), mParallels.end(), parallel);
    if (it != mParallels.end())
        mParallels.erase(it);
}

int KorLinTracker::GetNumOfParallels() const { return static_cast<int>(mParallels.size()); }

bool KorLinTracker::IsParallelConstrained(KorLinTracker* t) const
{
    std::set<const KorParallel*> visiting;
    return IsParallelConstrained(t, visiting);
}

bool KorLinTracker::IsParallelConstrained(KorLinTracker* t,
                                          std::set<const KorParallel*>& visiting) const
{
    if (mParallels.empty() || !t || t->mParallels.empty())
        return false;
    for (KorParallel* p : mParallels) {
        if (p->GetType() == KOR_PERPENDICULAR || visiting.count(p))
            continue;
        visiting.insert(p);
        bool tied = std::find(t->mParallels.begin(), t->mParallels.end(), p) != t->mParallels.end();
        if (!tied) {
            KorTracker* other = p->GetOtherTracker(const_cast<KorLinTracker*>(this));
            if (IsLinTracker(other)) {
                auto* next = static_cast<KorLinTracker*>(other);
                if (next->GetNumOfParallels() > 1)
                    tied = next->IsParallelConstrained(t, visiting);
            }
        }
        visiting.erase(p);
        if (tied)
            return true;
    }
    return false;
}

// ---- Geometry queries ----

bool KorLinTracker::IsVertical() const { return mLine.IsVertical(); }

bool KorLinTracker::IsHorizontal() const { return mLine.IsHorizontal(); }

bool KorLinTracker::IsVertical(const angle& play) const
{
    return std::fabs(mLine.ltan()) > std::tan(kPi / 2.0 - play.rad());
}

bool KorLinTracker::IsHorizontal(const angle& play) const
{
    return std::fabs(mLine.ltan()) < play.rad();
}

bool KorLinTracker::IsGeoAligned(KOREntityType type)
{
    if (type == KOR_VERTICAL)
        return mLine.IsVertical();
    if (type == KOR_HORIZONTAL)
        return !(std::fabs(mLine.ltan()) > GeoDif());
    return false;
}

bool KorLinTracker::IsGeoParallel(KorTracker* t)
{
    if (!IsLinTracker(t))
        return false;
    auto* other = static_cast<KorLinTracker*>(t);
    if (mAlignment != KOR_EMPTY && other->mAlignment != KOR_EMPTY)
        return mAlignment == other->mAlignment;
    const double play = mpModel ? mpModel->AngularPlay().deg() : angle().deg();
    const double a = angle(mLine, other->mLine).deg();
    return -play < a && a < play;
}

bool KorLinTracker::IsGeoPerpendicular(KorTracker* t)
{
    if (!IsLinTracker(t))
        return false;
    auto* other = static_cast<KorLinTracker*>(t);
    const double play = mpModel ? mpModel->AngularPlay().deg() : angle().deg();
    // The signed angle lies in (-90, 90]: a right angle may read as either end.
    const double off = std::fabs(angle(mLine, other->mLine).deg()) - 90.0;
    return -play < off && off < play;
}

bool KorLinTracker::IsGeoColinear(KorTracker* t)
{
    if (!IsLinTracker(t))
        return false;
    auto* other = static_cast<KorLinTracker*>(t);
    if (IsParallelConstrained(other) || !IsGeoParallel(other))
        return false;
    const double play = mpModel ? mpModel->LinearPlay() : 0.1;
    return std::fabs(mLine.laxe() - other->mLine.laxe()) < play || GetCommonNode(other) != nullptr;
}

bool KorLinTracker::HasParallelAngle(KorLinTracker* t)
{
    for (KorPrimitive* p : mPrimitives)
        for (int i = 0; i < p->GetNumOfDimaints(); ++i) {
            KorDimaint* d = p->GetDimaint(i);
            if (d->GetType() != KOR_ANGLE)
                continue;
            auto* dim = static_cast<KorDimension*>(d);
            if (dim->GetOtherTracker(this) == t && GeoEQ(dim->GetValue(), 0.0))
                return true;
        }
    return false;
}

bool KorLinTracker::IsParallel(KorTracker* t, bool geometric)
{
    if (t == this)
        return true;
    if (!t)
        return false;
    const KOREntityType other = t->GetAlignment();
    if (mAlignment != KOR_EMPTY && mAlignment == other)
        return true;
    if (!IsLinTracker(t))
        return false;
    auto* lt = static_cast<KorLinTracker*>(t);
    if (IsParallelConstrained(lt))
        return true;
    const auto held = [](int s) { return s == 2 || s == 3; };
    if (held(mStatus) && held(t->GetStatus())) {
        if (GetCommonNode(t))
            return false;
        if (geometric)
            return IsGeoParallel(t);
        // Congruent angles through a third tracker wait for the angle dimension.
        return HasParallelAngle(lt);
    }
    return false;
}

bool KorLinTracker::IsPerpendicular(KorTracker* t)
{
    if (!t)
        return false;
    if (mAlignment != KOR_EMPTY && t->GetAlignment() != KOR_EMPTY)
        return mAlignment != t->GetAlignment();
    const auto held = [](int s) { return s == 2 || s == 3; };
    if (!held(mStatus) || !held(t->GetStatus()))
        return false;
    for (KorPrimitive* p : mPrimitives)
        for (int i = 0; i < p->GetNumOfDimaints(); ++i) {
            KorDimaint* d = p->GetDimaint(i);
            if (d->GetType() != KOR_ANGLE)
                continue;
            auto* dim = static_cast<KorDimension*>(d);
            if (dim->GetOtherTracker(this) == t && GeoEQ(dim->GetValue(), 90.0))
                return true;
        }
    return false;
}

bool KorLinTracker::IsAligned()
{
    std::set<const KorParallel*> visiting;
    return IsAligned(visiting);
}

bool KorLinTracker::IsAligned(std::set<const KorParallel*>& visiting)
{
    if (mAlignment != KOR_EMPTY)
        return true;
    for (KorParallel* p : mParallels) {
        if (visiting.count(p))
            continue;
        visiting.insert(p);
        KorTracker* other = p->GetOtherTracker(this);
        bool aligned = false;
        if (IsLinTracker(other)) {
            auto* lt = static_cast<KorLinTracker*>(other);
            aligned = lt->mStatus == 2 || lt->mStatus == 3 || lt->IsAligned(visiting);
        }
        visiting.erase(p);
        if (aligned)
            return true;
    }
    return false;
}

short KorLinTracker::GetNumOfUnknowns() { return mAlignment != KOR_EMPTY ? 1 : 2; }

KorPrimitive* KorLinTracker::GetPrimitive(KorNode* a, KorNode* b)
{
    for (KorPrimitive* p : mPrimitives)
        if ((p->GetStart() == a && p->GetEnd() == b) || (p->GetStart() == b && p->GetEnd() == a))
            return p;
    return nullptr;
}

// ---- Moving the line ----

void KorLinTracker::SetPosition(double x, double y)
{
    const point p(x, y);
    if (!IsFinite(p))
        return;
    mLine = p;
    PlaceThrough(mLine, p, mpModel);
}

void KorLinTracker::Update()
{
    if (mNodes.empty())
        return;
    const point& first = mNodes.front()->GetPoint();
    if (mNodes.size() == 1) {
        mLine = first;
        return;
    }
    for (std::size_t i = 1; i < mNodes.size(); ++i)
        if (mNodes[i]->GetPoint() != first) {
            SetThroughPoints(first, mNodes[i]->GetPoint());
            return;
        }
}

bool KorLinTracker::KeepDirectionAtPen(KorNode* n)
{
    // In a drag the walls at the dragged corner whose directions are held
    // (parallel or square to others) keep them: the line moves parallel
    // through the pen, and the corner at its other end slides along its
    // other wall onto it. Laid through both corners instead, such a wall
    // turns a little at every step, its square partners turn after it, and
    // a room that no corner holds turns over. A wall nothing holds leans.
    KorNode* pen = mpModel && mpModel->IsInDrag() ? mpModel->GetDraggedNode() : nullptr;
    if (!pen || (mpPivot != pen && n != pen) || mAlignment != KOR_EMPTY ||
        GetNumOfParallels() == 0)
        return false;
    KorNode* follower = n == pen ? mpPivot : n;
    if (!follower->IsMovable() || follower->GetNumOfTrackers() != 2)
        return false;
    KorTracker* other = follower->GetOtherTracker(this);
    if (!IsLinTracker(other))
        return false;
    line moved = mLine;
    moved = pen->GetPoint();
    PlaceThrough(moved, pen->GetPoint(), mpModel);
    point meet;
    if (!(meet = (moved & static_cast<KorLinTracker*>(other)->GetLine())) || !IsFinite(meet))
        return false;
    mLine = moved;
    follower->GetPoint() = meet;
    mpPivot = pen;
    mStatus = KORStatusType(2);
    return true;
}

void KorLinTracker::SetThroughPoints(const point& a, const point& b)
{
    line l = LineThrough(a, b);
    PlaceThrough(l, b, mpModel);
    if (IsFinite(l))
        mLine = l;
}

void KorLinTracker::UnCollapse(point& p, bool back)
{
    const double d = 10.0 * (mpModel ? mpModel->LinearPlay() : 0.1);
    point q;
    if ((q = (mLine & p & (back ? -d : d))) && IsFinite(q))
        p = q;
}

// ---- Status ----

void KorLinTracker::UpdateStatus(KORStatusType status, KorNode* n, bool soft)
{
    if (status == 2) {
        mClamps.push_back(KorClamp{n, soft, nullptr});
        const bool aligned = mAlignment != KOR_EMPTY;
        switch (static_cast<int>(mStatus)) {
        case 0:
            if (!aligned) {
                if (soft) {
                    mStatus = KORStatusType(3);
                } else {
                    mStatus = KORStatusType(1);
                    mpPivot = n;
                }
            } else if (!soft) {
                mStatus = KORStatusType(2);
            }
            break;
        case 1:
            if (n != mpPivot)
                mStatus = KORStatusType(2);
            break;
        case 3:
            if (!soft && !aligned)
                mStatus = KORStatusType(2);
            break;
        default:
            break;
        }
        return;
    }
    if (mStatus == 0)
        return;
    for (auto it = mClamps.rbegin(); it != mClamps.rend(); ++it)
        if (it->mpNode == n && it->mpDimension == nullptr && it->mbSoft == soft) {
            mClamps.erase(std::next(it).base());
            break;
        }
    if (!mClamps.empty()) {
        RecomputeStatus();
        return;
    }
    mStatus = KORStatusType(0);
    mpPivot = nullptr;
}

void KorLinTracker::UpdateStatus(KORStatusType status, KorDimension* d, bool soft)
{
    if (status == 2) {
        mClamps.push_back(KorClamp{nullptr, soft, d});
        if (mStatus == 1)
            mStatus = KORStatusType(2);
        else if (mStatus != 2)
            mStatus = KORStatusType(soft ? 3 : 2);
        return;
    }
    if (mStatus == 0)
        return;
    for (auto it = mClamps.rbegin(); it != mClamps.rend(); ++it)
        if (it->mpDimension == d) {
            mClamps.erase(std::next(it).base());
            break;
        }
    if (!mClamps.empty()) {
        RecomputeStatus();
        return;
    }
    mpPivot = nullptr;
    if (mbMovable)
        mStatus = KORStatusType(0);
}

void KorLinTracker::RecomputeStatus()
{
    KorNode* candidate = nullptr;
    bool hard = false;
    bool byDimension = false;
    for (const KorClamp& c : mClamps) {
        if (c.mpDimension)
            byDimension = true;
        if (c.mbSoft)
            continue;
        if (!hard) {
            hard = true;
            candidate = c.mpNode;
        } else if (c.mpNode != candidate) {
            return;
        }
    }
    if (!hard) {
        mStatus = KORStatusType(3);
        mpPivot = nullptr;
        return;
    }
    if (mAlignment == KOR_EMPTY && candidate && !byDimension) {
        mStatus = KORStatusType(1);
        mpPivot = candidate;
    }
}

bool KorLinTracker::WillBeUnmovable(KorNode* n)
{
    switch (static_cast<int>(mStatus)) {
    case 0:
        return mAlignment != KOR_EMPTY;
    case 1:
        return n != mpPivot;
    case 2:
        return true;
    default:
        return false;
    }
}

// ---- Solving ----

KorTracker* KorLinTracker::CentreCarrier(KorNode* n) const
{
    if (n->GetNumOfTrackers() != 2)
        return nullptr;
    KorTracker* other = n->GetOtherTracker(const_cast<KorLinTracker*>(this));
    return other && other->GetCenter() == n ? other : nullptr;
}

KorLinTracker::PlainEntry KorLinTracker::AddPlainEntry(KorNode* n, KorTrackerSolution* s,
                                                      bool lockFails) const
{
    if (KorTracker* c = CentreCarrier(n)) {
        s->AddFollower(c);
        return PlainEntry::kAdded;
    }
    if (n->GetNumOfTrackers() >= 2)
        return PlainEntry::kNone;
    if (lockFails && n->GetLock(const_cast<KorLinTracker*>(this)) != 0)
        return PlainEntry::kFailed;
    s->AddFollower(nullptr);
    return PlainEntry::kAdded;
}

KorTrackerSolution* KorLinTracker::Solve(KorDimension* d, KorDF* df, bool forceTurn)
{
    KorNode* dfNode = df->GetNode();
    KorTracker* dfCarrier = df->GetCarrier();
    KorNode* other = d->GetOtherNode(dfNode);
    const bool own = d->GetTracker(nullptr) == this;
    if (own && (!dfNode || dfNode->GetNumOfTrackers() < 2 || !other
                || other->GetNumOfTrackers() < 2))
        return nullptr;
    auto* s = new KorTrackerSolution(mStatus == 1 ? KOR_TS_TURN : KOR_TS_SHIFT, dfNode,
                                     mNodes.size());
    KorNode::SetFixedTrackers(this, dfCarrier, nullptr);
    if (mStatus != 1)
        mpPivot = nullptr;
    const bool freeUnaligned = mAlignment == KOR_EMPTY && mStatus == 0;
    for (KorNode* n : mNodes) {
        if (mStatus == 1 && n == mpPivot) {
            s->AddFollower(nullptr);
            continue;
        }
        const PlainEntry plain = AddPlainEntry(n, s, true);
        if (plain == PlainEntry::kFailed) {
            delete s;
            return nullptr;
        }
        if (plain == PlainEntry::kAdded)
            continue;
        KorTracker* carrier = nullptr;
        if (n->IsMovable()) {
            KorTracker::SetFixedNodes(dfNode, other);
            carrier = n->Solve(this, dfCarrier, dfNode, other, own);
        }
        if (carrier) {
            s->AddFollower(carrier);
        } else if (freeUnaligned && s->GetKind() == KOR_TS_SHIFT && n != dfNode) {
            s->SetKind(KOR_TS_TURN);
            mpPivot = n;
            s->AddFollower(nullptr);
        } else {
            delete s;
            return nullptr;
        }
    }
    bool turn = forceTurn;
    if (!forceTurn && own) {
        KorTracker* entry = GetSubject(other, s);
        turn = IsCircular(entry) || (entry && dfCarrier && dfCarrier->IsParallel(entry, true));
    }
    if (turn && s->GetKind() != KOR_TS_TURN && freeUnaligned) {
        if (own) {
            if (d->GetValue() > 0.0) {
                s->SetKind(KOR_TS_TURN);
                mpPivot = other;
            }
        } else if (!mNodes.empty()) {
            s->SetKind(KOR_TS_TURN);
            mpPivot = mNodes[0] != dfNode || mNodes.size() < 2 ? mNodes[0] : mNodes[1];
        }
    }
    return s;
}

KorTrackerSolution* KorLinTracker::Solve(KorNode* held, KorTracker* carrier, KorNode* other)
{
    if (!IsRotatable())
        return nullptr;
    auto* s = new KorTrackerSolution(KOR_TS_TURN, nullptr, mNodes.size());
    KorNode::SetFixedTrackers(this, carrier, nullptr);
    for (KorNode* n : mNodes) {
        if (n == held) {
            s->AddFollower(nullptr);
            continue;
        }
        if (held || n->IsMovable()) {
            const PlainEntry plain = AddPlainEntry(n, s, true);
            if (plain == PlainEntry::kFailed) {
                delete s;
                return nullptr;
            }
            if (plain == PlainEntry::kAdded)
                continue;
            KorTracker* c = n->IsMovable() ? n->Solve(this, carrier, other, nullptr, false) : nullptr;
            if (c) {
                s->AddFollower(c);
                continue;
            }
            // The turn is about the held node: a second node that cannot
            // follow pins the line, so the tracker cannot turn at all.
            if (held || s->GetNode()) {
                delete s;
                return nullptr;
            }
            s->SetNode(n);
            s->AddFollower(nullptr);
            continue;
        }
        // An immovable node holds the turn when none does yet.
        if (!s->GetNode())
            s->SetNode(n);
        s->AddFollower(nullptr);
    }
    return s;
}

KorTrackerSolution* KorLinTracker::Solve(KorTracker* carrier, KorNode* held, bool mayTurn)
{
    auto* s = new KorTrackerSolution(held || mStatus == 1 ? KOR_TS_TURN : KOR_TS_SHIFT, nullptr,
                                     mNodes.size());
    KorNode::SetFixedTrackers(this, carrier, nullptr);
    if (mStatus != 1)
        mpPivot = nullptr;
    for (KorNode* n : mNodes) {
        if (n == held || (mpPivot && n == mpPivot)) {
            s->AddFollower(nullptr);
            continue;
        }
        if (AddPlainEntry(n, s, false) == PlainEntry::kAdded)
            continue;
        KorTracker* c = n->IsMovable() ? n->Solve(this, nullptr) : nullptr;
        if (c) {
            s->AddFollower(c);
        } else if (mayTurn && s->GetKind() == KOR_TS_SHIFT && mAlignment == KOR_EMPTY
                   && mStatus == 0) {
            s->SetKind(KOR_TS_TURN);
            mpPivot = n;
            s->AddFollower(nullptr);
        } else {
            delete s;
            return nullptr;
        }
    }
    if (held)
        mpPivot = held;
    return s;
}

KorTracker* KorLinTracker::GetSubject(KorNode* n, KorTrackerSolution* s) const
{
    if (!s)
        return nullptr;
    for (std::size_t i = 0; i < mNodes.size(); ++i)
        if (mNodes[i] == n)
            return s->GetFollower(i);
    return nullptr;
}

// ---- Align, adjust ----

bool KorLinTracker::Align(KorNode* n)
{
    if (!mbMovable)
        return n->GetPoint() == mLine;
    if (mStatus == 1) {
        if (!mpPivot || n->GetPoint() == mpPivot->GetPoint())
            return true;
        if (KeepDirectionAtPen(n))
            return true;
        SetThroughPoints(n->GetPoint(), mpPivot->GetPoint());
        // Laid level through the pivot (PlaceThrough): the node, a movable
        // corner within GeoDif of level with it, comes onto the line.
        if (mLine.ltan() == 0.0 && n->IsMovable() && mpModel && mpModel->IsStrictDirections())
            n->GetPoint().y() = mLine.laxe();
        mStatus = KORStatusType(2);
        return true;
    }
    if (mStatus == 0) {
        if (mAlignment == KOR_EMPTY) {
            mLine = n->GetPoint();
            PlaceThrough(mLine, n->GetPoint(), mpModel);
            mpPivot = n;
            mStatus = KORStatusType(1);
            return true;
        }
        if (mAlignment == KOR_VERTICAL)
            mLine.SetVertical(n->x());
        else
            mLine.SetHorizontal(n->y());
        mStatus = KORStatusType(2);
        return true;
    }
    if (n->GetPoint() == mLine)
        return true;

    // Re-lay the line through n and a pivot among the other nodes.
    std::vector<KorNode*> others;
    std::vector<point> positions;
    std::size_t pivotIndex = 0;
    KorNode* pivot = nullptr;
    for (KorNode* m : mNodes) {
        if (m == n)
            continue;
        others.push_back(m);
        positions.push_back(m->GetPoint());
        if (!pivot) {
            pivot = m;
            pivotIndex = others.size() - 1;
        } else if (!m->IsMovable()) {
            if (!pivot->IsMovable())
                return false;
            pivot = m;
            pivotIndex = others.size() - 1;
        }
    }
    const line oldLine = mLine;
    if (mAlignment != KOR_EMPTY) {
        if (pivot && !pivot->IsMovable())
            return false;
        pivot = nullptr;
        if (mAlignment == KOR_VERTICAL)
            mLine.SetVertical(n->x());
        else
            mLine.SetHorizontal(n->y());
    } else if (pivot) {
        SetThroughPoints(n->GetPoint(), pivot->GetPoint());
    } else {
        mLine = n->GetPoint();
    }
    std::vector<KorTracker*> circles;
    bool triedSafeCentre = false;
    while (!FollowPlacedNodes(n, pivot, pivot ? &circles : nullptr)) {
        if (!pivot || mAlignment != KOR_EMPTY || !pivot->IsMovable()) {
            mLine = oldLine;
            return false;
        }
        if (pivotIndex + 1 < others.size()) {
            ++pivotIndex;
            pivot = others[pivotIndex];
            pivot->GetPoint() = positions[pivotIndex];
            SetThroughPoints(n->GetPoint(), pivot->GetPoint());
            continue;
        }
        if (circles.size() >= 2 && !triedSafeCentre) {
            triedSafeCentre = true;
            KorTrackerSet set(circles.begin(), circles.end());
            const point centre = GetSafeCenter(set);
            if (IsFinite(centre)) {
                SetThroughPoints(n->GetPoint(), centre);
                // Without a pivot, a refusal of the next round ends the loop.
                pivot = nullptr;
                if (FollowPlacedNodes(n, nullptr, nullptr))
                    return true;
            }
        }
        mLine = oldLine;
        return false;
    }
    return true;
}

bool KorLinTracker::FollowPlacedNodes(KorNode* n, KorNode* pivot,
                                      std::vector<KorTracker*>* circles)
{
    for (KorNode* m : mNodes) {
        if (m == n || m == pivot || m->GetStatus() != 2)
            continue;
        const bool followed = m->Align(this);
        KorTracker* placedBy = m->GetIntersectionTracker();
        if (circles && IsCircular(placedBy)
            && std::find(circles->begin(), circles->end(), placedBy) == circles->end())
            circles->push_back(placedBy);
        if (!followed)
            return false;
    }
    return true;
}

bool KorLinTracker::Align(KorNode* a, KorNode* b)
{
    if (!mbMovable)
        return a->GetPoint() == mLine && b->GetPoint() == mLine;
    for (KorNode* m : mNodes)
        if (m != a && m != b && m->GetNumOfTrackers() >= 3)
            return false;
    SetThroughPoints(a->GetPoint(), b->GetPoint());
    for (KorNode* m : mNodes) {
        if (m == a || m == b)
            continue;
        KorTracker* other = m->GetTracker(0) != this ? m->GetTracker(0) : m->GetTracker(1);
        point q = m->GetPoint();
        if (other) {
            geolist_ref crossings = mLine % other->GetGeometry();
            if (crossings.count() > 0 && (q = crossings) && IsFinite(q)) {
                m->GetPoint() = q;
                continue;
            }
        }
        q = m->GetPoint();
        q = mLine;
        if (IsFinite(q))
            m->GetPoint() = q;
    }
    return true;
}

bool KorLinTracker::Adjust(KorNode* n)
{
    if (!mbMovable || mStatus == 2)
        return n->GetPoint() == mLine;
    if (mNodes.size() >= 2) {
        if (n->GetPoint() == mLine)
            return true;
        if (mAlignment == KOR_EMPTY && mStatus != 3 && mNodes.size() == 2) {
            SetThroughPoints(mNodes[0]->GetPoint(), mNodes[1]->GetPoint());
            return true;
        }
        if (mpModel)
            mpModel->AddAdjustmentTracker(this);
        if (mStatus == 1 && mpPivot) {
            SetThroughPoints(n->GetPoint(), mpPivot->GetPoint());
            return true;
        }
    }
    SetPosition(n->x(), n->y());
    return true;
}

bool KorLinTracker::Adjust()
{
    if (!mbMovable || mStatus == 2 || KorNode::IsFixedTracker(this)) {
        for (KorNode* m : mNodes)
            if (!(m->GetPoint() == mLine) && !m->Adjust(this))
                return false;
        return true;
    }
    const bool turnable = mAlignment == KOR_EMPTY && mStatus != 3;
    if (mNodes.size() == 2 && turnable) {
        SetThroughPoints(mNodes[0]->GetPoint(), mNodes[1]->GetPoint());
    } else if (mNodes.size() >= 2) {
        KorNode* anchor = nullptr;
        KorNode* chosen = nullptr;
        bool heldByTwo = false;
        for (KorNode* m : mNodes) {
            if (m->GetPoint() == mLine) {
                if (anchor && (!chosen || chosen->Adjust(this))) {
                    heldByTwo = true;
                    chosen = nullptr;
                } else {
                    anchor = m;
                }
            } else if (m->GetNumOfTrackers() >= 3 && turnable && !chosen && !heldByTwo) {
                chosen = m;
            } else if (m->GetNumOfTrackers() == 1) {
                point q = m->GetPoint();
                q = mLine;
                if (IsFinite(q))
                    m->GetPoint() = q;
            } else if (!m->Adjust(this)) {
                return false;
            }
        }
        if (chosen) {
            if (anchor)
                SetThroughPoints(anchor->GetPoint(), chosen->GetPoint());
            else
                SetPosition(chosen->x(), chosen->y());
            for (KorNode* m : mNodes)
                if (m != anchor && m != chosen && !(m->GetPoint() == mLine) && !m->Adjust(this))
                    return false;
        }
    } else if (mNodes.size() == 1) {
        SetPosition(mNodes[0]->x(), mNodes[0]->y());
    }
    KorNode::AddFixedTracker(this);
    return true;
}

bool KorLinTracker::IsAdjustable(KorNode* n)
{
    if (mStatus == 2 || !mbMovable || KorNode::IsFixedTracker(this))
        return false;
    const bool turnable = mAlignment == KOR_EMPTY && mStatus != 3;
    if (mNodes.size() == 2 && turnable)
        return true;
    KorNode::AddFixedTracker(this);
    bool spareUsed = false;
    bool result = true;
    for (KorNode* m : mNodes) {
        if (m == n || (mStatus == 1 && m == mpPivot))
            continue;
        if (m->GetNumOfTrackers() == 1 || m->IsAdjustable(this))
            continue;
        if (turnable && !mpPivot && !spareUsed) {
            spareUsed = true;
            continue;
        }
        result = false;
        break;
    }
    KorNode::mFixedTrackers.erase(this);
    return result;
}

bool KorLinTracker::Devour(KorTracker* t)
{
    if (!IsLinTracker(t) || t == this) {
        if (mpModel)
            mpModel->SetError(10);
        return false;
    }
    auto* other = static_cast<KorLinTracker*>(t);
    if (mAlignment != KOR_EMPTY && other->mAlignment != KOR_EMPTY
        && mAlignment != other->mAlignment) {
        if (mpModel)
            mpModel->SetError(10);
        return false;
    }
    SetAlignment(other->mAlignment);
    if (mpModel)
        mpModel->RemoveTracker(other);
    for (int i = static_cast<int>(other->mPrimitives.size()) - 1; i >= 0; --i) {
        KorPrimitive* p = other->mPrimitives[i];
        other->RemovePrimitive(p);
        AddPrimitive(p);
    }
    mColinears.insert(mColinears.end(), other->mColinears.begin(), other->mColinears.end());
    other->mColinears.clear();
    for (KorParallel* p : other->mParallels) {
        mParallels.push_back(p);
        p->Update(other, this);
    }
    other->mParallels.clear();
    for (KorNode* c : other->mCoincidents) {
        if (c->AddTracker(this))
            mNodes.push_back(c);
        mCoincidents.push_back(c);
    }
    other->AttachNodes(this);
    if (mbMovable && !other->IsMovable())
        SetMovable(false);
    delete other;
    return true;
}

// ---- Rays ----

void KorLinTracker::SetupVirtualRays(KorNode* ray, KorNode* ref, bool side)
{
    mpRay = ray;
    mSideFlags.clear();
    if (!ray)
        return;
    const double d0 = Along(mLine, ref->GetPoint()) - Along(mLine, ray->GetPoint());
    for (KorNode* m : mNodes) {
        if (m == ray)
            continue;
        const double dm = Along(mLine, m->GetPoint()) - Along(mLine, ray->GetPoint());
        bool flag;
        if ((d0 < 0.0 && dm < 0.0) || (d0 > 0.0 && dm > 0.0))
            flag = side;
        else if (std::fabs(d0) < GeoSnap() && std::fabs(dm) < GeoSnap())
            flag = side;
        else
            flag = !side;
        mSideFlags[m] = flag;
    }
}

bool KorLinTracker::GetNorthEast(KorNode* n)
{
    auto it = mSideFlags.find(n);
    return it != mSideFlags.end() && it->second;
}

point KorLinTracker::GetPointOnRay(KorNode* n, point* p)
{
    point q = p ? *p : n->GetPoint();
    if (!mpRay) {
        q = mLine;
        return q;
    }
    point r = mpRay->GetPoint();
    const double d = Distance(q, r);
    q = mLine;
    r = mLine;
    const double dy = q.y() - r.y();
    const bool flag = GetNorthEast(n);
    if ((!flag && dy > GeoSnap()) || (flag && dy < -GeoSnap())) {
        q = point(2.0 * r.x() - q.x(), 2.0 * r.y() - q.y());
        point target;
        bool built;
        if (std::fabs(q.x() - r.x()) < GeoSnap()) {
            built = (target = (mLine & r & q & d));
        } else {
            const angle towards(r, q);
            built = (target = (r & towards & d));
        }
        if (built && IsFinite(target))
            q = target;
    }
    return q;
}

// ---- Circles touching the line ----

point KorLinTracker::GetMidPoint(circle& c1, circle& c2)
{
    const point a = c1.center();
    const point b = c2.center();
    const double dir = std::atan2(b.y() - a.y(), b.x() - a.x());
    const point p = PolarFrom(a, dir, c1.rad());
    const point q = PolarFrom(b, dir - kPi, c2.rad());
    return point(p, q);
}

point KorLinTracker::GetSafeCenter(KorTrackerSet& s)
{
    std::vector<circle*> circles;
    for (KorTracker* t : s)
        circles.push_back(static_cast<circle*>(&t->GetGeometry()));
    if (circles.size() == 2)
        return GetMidPoint(*circles[0], *circles[1]);
    polygon outline;
    if (circles.size() == 3) {
        outline + GetMidPoint(*circles[0], *circles[1]);
        outline + GetMidPoint(*circles[1], *circles[2]);
        outline + GetMidPoint(*circles[2], *circles[0]);
    } else {
        for (KorTracker* t : s)
            if (t->GetCenter())
                outline + t->GetCenter()->GetPoint();
    }
    outline.close();
    return point(outline);
}

bool KorLinTracker::GetSafeRegion(point& a, point& b)
{
    KorTrackerSet contacts;
    if (GetCirContacts(contacts) == 0)
        return false;
    return GetSafeRegion(contacts, a, b);
}

bool KorLinTracker::GetSafeRegion(KorTrackerSet& s, point& a, point& b)
{
    if (s.empty())
        return false;
    auto it = s.begin();
    const circle& c0 = static_cast<circle&>((*it)->GetGeometry());
    const point c = c0.center();
    // The direction perpendicular to this line.
    double ux;
    double uy;
    if (mLine.IsVertical()) {
        ux = 1.0;
        uy = 0.0;
    } else {
        const double norm = std::sqrt(1.0 + mLine.ltan() * mLine.ltan());
        ux = -mLine.ltan() / norm;
        uy = 1.0 / norm;
    }
    point ra(c.x() + c0.rad() * ux, c.y() + c0.rad() * uy);
    point rb(c.x() - c0.rad() * ux, c.y() - c0.rad() * uy);
    const auto along = [&](const point& p) {
        const double len2 = (rb.x() - ra.x()) * (rb.x() - ra.x()) + (rb.y() - ra.y()) * (rb.y() - ra.y());
        if (len2 <= 0.0)
            return 0.0;
        return ((p.x() - ra.x()) * (rb.x() - ra.x()) + (p.y() - ra.y()) * (rb.y() - ra.y())) / len2;
    };
    for (++it; it != s.end(); ++it) {
        const circle& ci = static_cast<circle&>((*it)->GetGeometry());
        const point cc = ci.center();
        // The centre projected onto the perpendicular through c.
        const double t = (cc.x() - c.x()) * ux + (cc.y() - c.y()) * uy;
        const point pi(c.x() + t * ux, c.y() + t * uy);
        const point e(pi.x() + ci.rad() * ux, pi.y() + ci.rad() * uy);
        const point h(pi.x() - ci.rad() * ux, pi.y() - ci.rad() * uy);
        const double v = along(e);
        const double w = along(h);
        if (0.0 < v && v < 1.0) {
            if (w < 0.0) {
                rb = e;
            } else if (w > 1.0) {
                ra = e;
            } else {
                ra = e;
                rb = h;
            }
        } else if (0.0 < w && w < 1.0) {
            if (v < 0.0)
                rb = h;
            else
                ra = h;
        } else if ((v < 0.0 && w < 0.0) || (v > 1.0 && w > 1.0)) {
            return false;
        }
    }
    a = ra;
    b = rb;
    return true;
}

point KorLinTracker::GetPivot(point& p, double d)
{
    KorTrackerSet contacts;
    GetCirContacts(contacts);
    if (contacts.empty()) {
        const circle around(p, d);
        geolist_ref crossings = around % mLine;
        if (crossings.count() >= 2) {
            const point x0(crossings[0]);
            const point x1(crossings[1]);
            double best = DBL_MAX;
            KorNode* nearest = nullptr;
            for (KorNode* n : mNodes) {
                const double dn = std::min(Distance(n->GetPoint(), x0), Distance(n->GetPoint(), x1));
                if (dn < best) {
                    best = dn;
                    nearest = n;
                }
            }
            if (!nearest)
                return x1;
            const double d0 = Distance(nearest->GetPoint(), x0);
            const double d1 = Distance(nearest->GetPoint(), x1);
            return d0 < d1 ? x0 : x1;
        }
        if (crossings.count() == 1)
            return point(crossings[0]);
        KorNode* farthest = nullptr;
        double far = -1.0;
        for (KorNode* n : mNodes) {
            const double dn = Distance(n->GetPoint(), p);
            if (dn > far) {
                far = dn;
                farthest = n;
            }
        }
        return farthest ? farthest->GetPoint() : p;
    }
    auto it = contacts.begin();
    KorTracker* first = *it;
    KorTracker* second = contacts.size() >= 2 ? *std::next(it) : nullptr;
    for (double side : {d, -d}) {
        line vertical;
        vertical.SetVertical(p.x() + side);
        geolist_ref crossings = first->GetGeometry() % vertical;
        if (crossings.count() == 0)
            continue;
        if (crossings.count() >= 2 && second && second->GetCenter()) {
            const point x0(crossings[0]);
            const point x1(crossings[1]);
            const point& c2 = second->GetCenter()->GetPoint();
            const double e0 = std::fabs(Distance(x0, c2) - d);
            const double e1 = std::fabs(Distance(x1, c2) - d);
            return e0 < e1 ? x0 : x1;
        }
        return point(crossings[0]);
    }
    return GetSafeCenter(contacts);
}

// ---- Placement of circles whose size is free ----

bool KorLinTracker::UpdateCenterRegion4XCircle(double d, polygon& region)
{
    const polygon band(mLine, d);
    geolist_ref common = region && band;
    polygon result;
    if (common.count() == 0 || !(result = common) || result.count() == 0)
        return false;
    region = result;
    return true;
}

bool KorLinTracker::UpdateCenterRegion4XCircle(point& p, point& q, double* minimum,
                                               double* maximum)
{
    // The circle through p and q with its centre at signed offset t from the
    // midpoint along the chord's left normal has radius sqrt(h^2 + t^2); it
    // meets the line when the centre's distance from the line is at most that.
    KorChordFrame f;
    if (!KorChordFrameOf(p, q, f))
        return false;
    double lx;
    double ly;
    double w;
    if (mLine.IsVertical()) {
        lx = 1.0;
        ly = 0.0;
        w = mLine.laxe();
    } else {
        const double norm = std::sqrt(1.0 + mLine.ltan() * mLine.ltan());
        lx = -mLine.ltan() / norm;
        ly = 1.0 / norm;
        w = mLine.laxe() / norm;
    }
    const double a = lx * f.nx + ly * f.ny;
    const double b = lx * f.mid.x() + ly * f.mid.y() - w;
    return KorClampChordOffsets(minimum, maximum, a * a - 1.0, 2.0 * a * b, b * b - f.half * f.half);
}

bool KorLinTracker::UpdateCenterRegion4XCircle(KorNode* n, double* minimum, double* maximum,
                                               int count)
{
    if (count <= 0)
        return false;
    const point& np = n->GetPoint();
    const double w = std::fabs(SignedOffset(np));
    double s;
    if (mLine.IsVertical()) {
        s = np.x() > mLine.laxe() ? kPi : 0.0;
    } else {
        s = std::atan(mLine.ltan()) + kPi / 2.0;
        if (SignedOffset(np) > 0.0)
            s -= kPi;
    }
    const double step = kFullTurn / count;
    bool any = false;
    for (int i = 0; i < count; ++i) {
        const double phi = Normalized(i * step - s);
        // Geo's clamp measures its angle from the line's direction: a quarter
        // turn on from the perpendicular.
        if (UpdateLin1ClampRadial(&minimum[i], &maximum[i], w, phi + kPi / 2.0))
            any = true;
    }
    return any;
}

bool KorLinTracker::UpdateCircle4Xme(point& p, line* l, circle& c)
{
    if (!l)
        return false;
    const line k(*l, p);
    point x;
    if (!(x = (*l & k)))
        return false;
    point y;
    point centre;
    if (!(y = (mLine & k))) {
        // This line runs along K (it stands square to l): the circle through
        // p touching it has its centre on K, as far from p as K is from it.
        const double w = std::fabs(SignedOffset(p));
        const double len = Distance(x, p);
        if (!(len > 0.0) || !(w > 0.0))
            return false;
        centre = point(p.x() + (x.x() - p.x()) * w / len, p.y() + (x.y() - p.y()) * w / len);
    } else {
        const double t = l->ltan(mLine);
        const double cosTheta = 1.0 / std::sqrt(1.0 + t * t);
        // Parallel to l: no circle of this family touches both.
        if (!(1.0 - cosTheta > 1e-12))
            return false;
        const double dist = (Distance(x, p) - cosTheta * Distance(x, y)) / (1.0 - cosTheta);
        const point towards = Distance(x, p) > 0.0 ? p : y;
        const double len = Distance(x, towards);
        if (!(len > 0.0))
            return false;
        centre = point(x.x() + (towards.x() - x.x()) * dist / len,
                       x.y() + (towards.y() - x.y()) * dist / len);
    }
    const double radius = Distance(centre, p);
    if (!IsFinite(centre) || !std::isfinite(radius))
        return false;
    c.set(centre, radius);
    return true;
}

// The side flags are keyed by node serial: a node leaving the tracker must
// leave them too, or the map keeps a node that may be deleted.
void KorLinTracker::ForgetNode(KorNode* n)
{
    if (n) {
        mSideFlags.erase(n);
        if (mpRay == n)
            mpRay = nullptr;
    }
    KorTracker::ForgetNode(n);
}
