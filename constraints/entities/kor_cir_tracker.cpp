#include "kor_cir_tracker.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "geolist.h"
#include "line.h"
#include "settings.h"

#include "kor_circle.h"
#include "kor_dimension.h"
#include "kor_lin_tracker.h"
#include "kor_model.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "kor_scoped_value.h"
#include "kor_tracker_solution.h"

namespace {

bool IsFinite(const point& p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

double Distance(const point& a, const point& b) { return std::hypot(a.x() - b.x(), a.y() - b.y()); }

bool IsCircularTracker(const KorTracker* t) { return t && t->GetType() == KOR_CIRCULAR_TRACKER; }

}  // namespace

int KorCirTracker::mInterpolationDensity = 36;

void KorCirTracker::ResetGlobals() { mInterpolationDensity = 36; }

void KorCirTracker::SetIterpolationDensity(int density) { mInterpolationDensity = density; }

// ---- Construction ----

KorCirTracker::KorCirTracker(KorModel* model, KorCircle* primitive) : KorTracker(model)
{
    mGeometry.set(point(0.0, 0.0), 0.0);
    mpCenter = primitive ? primitive->GetCenter() : nullptr;
    if (!mpCenter)
        return;
    mIntersectionAttributes.reserve(3);
    if (primitive->GetStart())
        SetAboutThrough(mpCenter->GetPoint(), primitive->GetStart()->GetPoint());
    else
        mGeometry = mpCenter->GetPoint();
    KorTracker* old = primitive->GetTracker();
    AddPrimitive(primitive);
    if (old && old != this)
        old->RemovePrimitive(primitive);
}

KorCirTracker::KorCirTracker(KorModel* model, KorNode* centre, double radius)
    : KorTracker(model)
{
    mGeometry.set(point(0.0, 0.0), 0.0);
    mpCenter = centre;
    if (!centre)
        return;
    mIntersectionAttributes.reserve(3);
    if (std::isfinite(radius))
        mGeometry.set(centre->GetPoint(), radius);
}

KorCirTracker::~KorCirTracker()
{
    if (mpModel)
        mpModel->RemoveTracker(this);
}

KOREntityType KorCirTracker::GetType() const { return KOR_CIRCULAR_TRACKER; }

geobject& KorCirTracker::GetGeometry() { return mGeometry; }

void KorCirTracker::SetCenter(KorNode* n) { mpCenter = n; }

double KorCirTracker::GetRadius() const
{
    if (!mpCenter || mNodes.empty())
        return mGeometry.rad();
    return Distance(mpCenter->GetPoint(), mNodes.front()->GetPoint());
}

short KorCirTracker::GetNumOfUnknowns() { return 1; }

bool KorCirTracker::IsParallel(KorTracker*, bool) { return false; }

// ---- Geometry helpers: nothing that is not finite reaches the circle ----

bool KorCirTracker::SetCircle(const circle& c)
{
    if (!IsFinite(c.center()) || !std::isfinite(c.rad()) || c.rad() < 0.0)
        return false;
    mGeometry = c;
    return true;
}

bool KorCirTracker::SetAboutThrough(const point& centre, const point& through)
{
    return SetCircle(circle(centre, Distance(centre, through)));
}

point KorCirTracker::CentrePoint() const
{
    return mpCenter ? mpCenter->GetPoint() : mGeometry.center();
}

bool KorCirTracker::Refit(const geolist& list)
{
    circle c = mGeometry;
    return (c = list) && SetCircle(c);
}

bool KorCirTracker::MoveCentreNode(const point& p)
{
    if (!mpCenter || !IsFinite(p))
        return false;
    mpCenter->GetPoint() = p;
    return true;
}

KorTracker* KorCirTracker::UnmovableCentreTracker() const
{
    return mpCenter ? mpCenter->GetUnmovableTracker(const_cast<KorCirTracker*>(this), nullptr, true)
                    : nullptr;
}

bool KorCirTracker::IsCentreOnUnmovable() const { return UnmovableCentreTracker() != nullptr; }

// ---- Status ----

bool KorCirTracker::HasClampOf(KorNode* n) const
{
    for (const KorClamp& c : mClamps)
        if (c.mpNode == n)
            return true;
    return false;
}

void KorCirTracker::HoldBy(bool byCentre, int centreStatus, int rimStatus, KorNode*& slot,
                           KorNode* n)
{
    if (byCentre) {
        mStatus = KORStatusType(centreStatus);
        return;
    }
    mStatus = KORStatusType(rimStatus);
    slot = n;
}

void KorCirTracker::UpdateStatus(KORStatusType status, KorNode* n, bool soft)
{
    if (status == 2) {
        if (!HasClampOf(n)) {
            const bool isCentre = n == mpCenter;
            switch (static_cast<int>(mStatus)) {
            case 0:
                HoldBy(isCentre, 4, 1, mpPivot, n);
                break;
            case 1:
                HoldBy(isCentre || IsCentreOnUnmovable(), 2, 5, mpClamp, n);
                break;
            case 6:
                HoldBy(isCentre || IsCentreOnUnmovable(), 2, 7, mpPivot, n);
                break;
            case 7:
                mStatus = KORStatusType(2);
                mpClamp = n;
                break;
            case 4:
            case 5:
                mStatus = KORStatusType(2);
                break;
            default:
                break;
            }
        }
        mClamps.push_back(KorClamp{n, false, nullptr});
        return;
    }
    (void)soft;
    if (mStatus == 0)
        return;
    for (auto it = mClamps.rbegin(); it != mClamps.rend(); ++it)
        if (it->mpNode == n && !it->mpDimension) {
            mClamps.erase(std::next(it).base());
            break;
        }
    RecomputeStatus();
}

void KorCirTracker::UpdateStatus(KORStatusType status, KorDimension* d, bool soft)
{
    if (status == 2) {
        switch (static_cast<int>(mStatus)) {
        case 0:
            mStatus = KORStatusType(6);
            break;
        case 1:
            mStatus = KORStatusType(7);
            break;
        case 4:
        case 5:
            mStatus = KORStatusType(2);
            break;
        default:
            break;
        }
        mClamps.push_back(KorClamp{nullptr, soft, d});
        return;
    }
    if (mStatus == 0)
        return;
    for (auto it = mClamps.rbegin(); it != mClamps.rend(); ++it)
        if (it->mpDimension == d) {
            mClamps.erase(std::next(it).base());
            break;
        }
    RecomputeStatus();
}

void KorCirTracker::RecomputeStatus()
{
    if (mClamps.empty()) {
        mStatus = KORStatusType(0);
        mpPivot = nullptr;
        mpClamp = nullptr;
        return;
    }
    std::vector<KorNode*> nodes;
    int dimensions = 0;
    for (const KorClamp& c : mClamps) {
        if (c.mpDimension)
            ++dimensions;
        if (c.mpNode && std::find(nodes.begin(), nodes.end(), c.mpNode) == nodes.end())
            nodes.push_back(c.mpNode);
    }
    if (nodes.size() >= 3)
        return;
    mpPivot = nullptr;
    mpClamp = nullptr;
    bool hasCentre = false;
    for (KorNode* n : nodes) {
        if (n == mpCenter)
            hasCentre = true;
        else if (!mpPivot)
            mpPivot = n;
        else
            mpClamp = n;
    }
    const bool onUnmovable = IsCentreOnUnmovable();
    if (nodes.empty())
        mStatus = KORStatusType(6);
    else if (nodes.size() == 1 && dimensions > 0)
        mStatus = KORStatusType(hasCentre || onUnmovable ? 2 : 7);
    else if (nodes.size() == 1)
        mStatus = KORStatusType(hasCentre ? 4 : 1);
    else
        mStatus = KORStatusType(dimensions > 0 || onUnmovable || hasCentre ? 2 : 5);
}

void KorCirTracker::ResetStatus(bool tell)
{
    KorTracker::ResetStatus(tell);
    if (tell && mStatus != 2 && mpCenter && !mpCenter->IsMovable())
        UpdateStatus(KORStatusType(2), mpCenter, false);
}

bool KorCirTracker::WillBeUnmovable(KorNode*) { return mStatus == 2; }

// ---- Solving ----

KorTrackerSolution* KorCirTracker::Solve(KorDimension* d, KorDF* df, bool)
{
    KorNode* dfNode = df->GetNode();
    KorTracker* carrier = df->GetCarrier();
    KorNode* other = d->GetOtherNode(dfNode);
    const bool otherOnThis = other && HasNode(other);
    switch (static_cast<int>(mStatus)) {
    case 6:
        if (other == mpCenter || (dfNode == mpCenter && otherOnThis))
            return nullptr;
        break;
    case 4:
        if (other != mpCenter && otherOnThis)
            return nullptr;
        break;
    case 7:
        if (other == mpCenter || otherOnThis)
            return nullptr;
        break;
    case 5:
        if (otherOnThis && other != mpPivot && other != mpClamp)
            return nullptr;
        break;
    default:
        break;
    }
    KorNode::SetFixedTrackers(this, carrier, nullptr);
    KorTracker::SetFixedNodes(dfNode, other);
    auto* s = new KorTrackerSolution(KOR_TS_SHIFT, dfNode, mNodes.size());
    for (KorNode* n : mNodes) {
        const bool holds = (mStatus == 1 && n == mpPivot)
                        || (mStatus == 5 && (n == mpPivot || n == mpClamp));
        if (n->GetNumOfTrackers() < 2 || holds) {
            s->AddFollower(nullptr);
            continue;
        }
        KorTracker* follow = n->Solve(this, carrier, dfNode, other, false);
        if (!follow) {
            delete s;
            return nullptr;
        }
        s->AddFollower(follow);
    }
    if (!mpCenter || mpCenter->GetNumOfTrackers() < 2 || mpCenter->Solve(this, nullptr))
        return s;
    if (mpCenter == dfNode || mStatus == 6 || mStatus == 7) {
        delete s;
        return nullptr;
    }
    s->SetKind(KOR_TS_RADIUS);
    return s;
}

KorTrackerSolution* KorCirTracker::Solve(KorTracker* a, KorTracker* b, KorTracker* c)
{
    if (mpCenter && !mpCenter->IsMovable())
        return nullptr;
    KorTrackerSolution* s = KorTracker::Solve(a, b, c);
    if (!s || !mpCenter || mpCenter->GetNumOfTrackers() < 2 || mpCenter->Solve(this, nullptr))
        return s;
    delete s;
    return nullptr;
}

KorTrackerSolution* KorCirTracker::Solve()
{
    KorTracker::mFixedNodes.clear();
    KorNode::SetFixedTrackers(this, nullptr, nullptr);
    auto* s = new KorTrackerSolution(KOR_TS_RADIUS, nullptr, mNodes.size());
    int stuck = 0;
    for (KorNode* n : mNodes) {
        if (n->GetNumOfTrackers() < 2) {
            s->AddFollower(nullptr);
            continue;
        }
        KorTracker* follow = n->IsMovable() ? n->Solve(this, nullptr) : nullptr;
        if (follow) {
            s->AddFollower(follow);
            continue;
        }
        // A rim node that cannot follow holds the circle: two of them still
        // leave the radius free, a third (or one about a held centre) does not.
        ++stuck;
        if (stuck > 2 || mStatus == 4) {
            delete s;
            return nullptr;
        }
        s->AddFollower(nullptr);
    }
    return s;
}

KorTrackerSolution* KorCirTracker::Solve(KorNode* node, KorDF* df1, KorDF* df2)
{
    KorNode::SetFixedTrackers(this, df1->GetCarrier(), df2->GetCarrier());
    KorTracker::mFixedNodes.clear();
    KorTracker::mFixedNodes.insert(node);
    if (df1->GetNode())
        KorTracker::mFixedNodes.insert(df1->GetNode());
    if (df2->GetNode())
        KorTracker::mFixedNodes.insert(df2->GetNode());
    if (mpCenter && !mpCenter->IsMovable())
        return nullptr;
    if (mpCenter && mpCenter->GetNumOfTrackers() >= 2 && !mpCenter->Solve(this, nullptr))
        return nullptr;
    auto* s = new KorTrackerSolution(KOR_TS_SHIFT, nullptr, mNodes.size());
    std::vector<KorNode*> first;
    std::vector<KorNode*> later;
    std::vector<KorNode*> given = {node, df1->GetNode(), df2->GetNode()};
    for (KorNode* n : mNodes) {
        const bool isGiven = n == node || n == df1->GetNode() || n == df2->GetNode();
        if (n->GetNumOfTrackers() < 2 || isGiven) {
            s->AddFollower(nullptr);
            continue;
        }
        KorTracker* follow = n->GetCommonLinTracker(df1->GetNode());
        if (!follow)
            follow = n->GetCommonLinTracker(df2->GetNode());
        if (follow) {
            first.push_back(n);
        } else {
            follow = n->GetInscribedTracker(this);
            if (!follow)
                follow = n->Solve(this, nullptr);
            if (!follow) {
                delete s;
                return nullptr;
            }
            later.push_back(n);
        }
        s->AddFollower(follow);
    }
    if (mNodes.size() >= 6) {
        // Reorder the nodes and the entries alike; single-tracker nodes keep
        // their entries and go last.
        std::vector<KorNode*> order;
        for (KorNode* g : given)
            if (g && HasNode(g) && std::find(order.begin(), order.end(), g) == order.end())
                order.push_back(g);
        order.insert(order.end(), first.begin(), first.end());
        order.insert(order.end(), later.begin(), later.end());
        for (KorNode* n : mNodes)
            if (std::find(order.begin(), order.end(), n) == order.end())
                order.push_back(n);
        std::vector<KorTracker*> entries;
        for (KorNode* n : order) {
            const auto at = std::find(mNodes.begin(), mNodes.end(), n) - mNodes.begin();
            entries.push_back(s->GetFollower(static_cast<std::size_t>(at)));
        }
        mNodes = order;
        s->GetFollowers() = entries;
    }
    return s;
}

// ---- Dragging and aligning ----

void KorCirTracker::SetPosition(double x, double y)
{
    const point p(x, y);
    if (!IsFinite(p) || !mpCenter)
        return;
    for (KorPrimitive* prim : mPrimitives) {
        KorDimaint* d = prim->GetDimaint(KOR_RADIUS, nullptr);
        if (!d)
            continue;
        const double value = static_cast<KorDimension*>(d)->GetValue();
        const point& c = mpCenter->GetPoint();
        const double len = Distance(p, c);
        if (!(len > 0.0))
            return;
        const point centre(p.x() + (c.x() - p.x()) * value / len, p.y() + (c.y() - p.y()) * value / len);
        if (SetAboutThrough(centre, p))
            MoveCentreNode(centre);
        return;
    }
    SetAboutThrough(mpCenter->GetPoint(), p);
}

bool KorCirTracker::Align(KorNode* n)
{
    if (!mbMovable)
        return n->GetPoint() == mGeometry;
    const point centre = CentrePoint();
    switch (static_cast<int>(mStatus)) {
    case 0:
        mpClamp = nullptr;
        if (n == mpCenter) {
            SetCircle(circle(n->GetPoint(), mGeometry.rad()));
            mpPivot = nullptr;
            mStatus = KORStatusType(4);
        } else {
            mpPivot = n;
            SetAboutThrough(centre, n->GetPoint());
            mStatus = KORStatusType(!mpCenter || mpCenter->IsMovable() ? 1 : 2);
        }
        return true;
    case 1:
        if (!mpPivot)
            return true;
        if (n == mpCenter) {
            SetAboutThrough(n->GetPoint(), mpPivot->GetPoint());
            mStatus = KORStatusType(2);
        } else if (n != mpPivot) {
            mpClamp = n;
            const double half = Distance(n->GetPoint(), mpPivot->GetPoint()) / 2.0;
            double r = mGeometry.rad();
            if (!(r > half))
                r = half;
            circle c = mGeometry;
            point hint = centre;
            if (!(c = (mpPivot->GetPoint() & n->GetPoint() & hint & r)) || !IsFinite(c.center())) {
                // At exactly half the chord the circle is the one on the diameter.
                c.set(point(mpPivot->GetPoint(), n->GetPoint()), half);
            }
            if (!SetCircle(c))
                return false;
            MoveCentreNode(mGeometry.center());
            mStatus = KORStatusType(5);
        }
        return true;
    case 4:
        mpPivot = n;
        SetAboutThrough(centre, n->GetPoint());
        mStatus = KORStatusType(2);
        return true;
    case 5:
        if (n == mpCenter) {
            if (mpPivot && !(n->GetPoint() == mGeometry.center())) {
                SetAboutThrough(n->GetPoint(), mpPivot->GetPoint());
                if (mpClamp && !mpClamp->Align(this))
                    return false;
            }
        } else if (mpPivot && mpClamp && n != mpPivot && n != mpClamp) {
            if (Refit(mpPivot->GetPoint() & n->GetPoint() & mpClamp->GetPoint()))
                MoveCentreNode(mGeometry.center());
        }
        mStatus = KORStatusType(2);
        return true;
    default:
        return AlignToAnchors(n);
    }
}

void KorCirTracker::FindAnchors(KorNode* n, KorNode*& a, KorNode*& b, bool& fail) const
{
    fail = false;
    const auto better = [](KorNode* cur, KorNode* cand) {
        return !cur || (cur->IsMovable()
                        && (!cand->IsMovable() || cand->GetNumOfTrackers() > cur->GetNumOfTrackers()));
    };
    for (KorNode* m : mNodes) {
        if (m == n || (m->GetStatus() != 2 && m->IsMovable()))
            continue;
        if (better(a, m)) {
            a = m;
        } else if (better(b, m)) {
            b = m;
        } else if (!m->IsMovable()) {
            fail = true;
            return;
        }
    }
}

bool KorCirTracker::AlignToAnchors(KorNode* n)
{
    // Placing the centre makes the centre's other circles follow it, and
    // they place the centre again: this circle, still being placed, does not
    // follow its own centre a second time.
    if (mbAligningToAnchors)
        return false;
    const KorScopedValue<bool> aligning(mbAligningToAnchors, true);
    KorNode* a = nullptr;
    KorNode* b = nullptr;
    bool fail = false;
    FindAnchors(n, a, b, fail);
    if (fail)
        return false;
    const circle copy = mGeometry;
    const point& p = n->GetPoint();
    if (!mpCenter || mpCenter->IsMovable()) {
        const point centre = CentrePoint();
        if (mpCenter && mpCenter->GetStatus() != 2 && a && b) {
            if (Refit(a->GetPoint() & b->GetPoint() & p))
                MoveCentreNode(mGeometry.center());
        } else if (a) {
            const double r = mGeometry.rad();
            if (!Refit(a->GetPoint() & p & centre & r))
                Refit(a->GetPoint() & p & "FIT");
            if (mpCenter && !mpCenter->Align(this))
                SetAboutThrough(centre, p);
        } else {
            SetAboutThrough(centre, p);
        }
    } else {
        if (!(a && a->IsMovable() && (!b || b->IsMovable())))
            return false;
        SetAboutThrough(mpCenter->GetPoint(), p);
    }
    for (KorNode* m : mNodes) {
        if (m == n || m->GetPoint() == mGeometry)
            continue;
        if (!m->IsMovable() || (m->GetStatus() == 2 && !m->Align(this))) {
            mGeometry = copy;
            return false;
        }
    }
    return true;
}

bool KorCirTracker::IsAdjustable(KorNode* n)
{
    if (mStatus == 2 || !mbMovable)
        return false;
    if (mNodes.size() < 2)
        return true;
    const bool inserted = KorNode::mFixedTrackers.insert(this).second;
    const bool centreStuck = mpCenter && mpCenter != n && !mpCenter->IsAdjustable(this);
    int stuck = 0;
    bool result = true;
    for (KorNode* m : mNodes) {
        if (m == n || m->GetNumOfTrackers() <= 1 || m->IsAdjustable(this))
            continue;
        ++stuck;
        if (centreStuck) {
            result = false;
            break;
        }
        if (stuck >= 3) {
            auto it = KorTracker::mFixedNodes.begin();
            const bool twoHeldHere = KorTracker::mFixedNodes.size() >= 2 && HasNode(*it)
                                  && HasNode(*std::next(it));
            if (!twoHeldHere) {
                result = false;
                break;
            }
        }
    }
    if (inserted)
        KorNode::mFixedTrackers.erase(this);
    return result;
}

bool KorCirTracker::Adjust(KorNode* n)
{
    const bool on = n == mpCenter ? n->GetPoint() == mGeometry.center() : n->GetPoint() == mGeometry;
    if (mStatus == 2 || !mbMovable)
        return on;
    if (!on && mpModel)
        mpModel->AddAdjustmentTracker(this);
    return true;
}

bool KorCirTracker::Adjust()
{
    if (!mbMovable || KorNode::IsFixedTracker(this))
        return IsConsistent();
    const double r = mStatus == 6 || mStatus == 7 ? mGeometry.rad() : 0.0;
    if (!Update(r))
        return false;
    if (mpCenter && !mpCenter->AdjustTrackers(this))
        return false;
    for (KorNode* m : mNodes)
        if (!(m->GetPoint() == mGeometry) && !m->Adjust(this))
            return false;
    if (mpCenter && !(mpCenter->GetPoint() == mGeometry.center()))
        return false;
    KorNode::AddFixedTracker(this);
    return true;
}

bool KorCirTracker::AlignNodes(KorDimSolution* s)
{
    if (mpCenter) {
        MoveCentreNode(mGeometry.center());
        if (!mpCenter->AdjustTrackers(this))
            return false;
    }
    return KorTracker::AlignNodes(s);
}

// ---- Refits to tangencies and dragged points ----

bool KorCirTracker::Adjust(line& l1, line& l2, point& p)
{
    if (!mbMovable)
        return false;
    const point centre = CentrePoint();
    const double r = mGeometry.rad();
    KorTracker* t = UnmovableCentreTracker();
    switch (static_cast<int>(mStatus)) {
    case 0: {
        line k;
        if (!(k = (l1 & l2 & centre)))
            return false;
        if (t) {
            geolist_ref crossings = k % t->GetGeometry();
            point q = centre;
            if (crossings.count() > 0 && (q = point(crossings[0]), IsFinite(q))) {
                MoveCentreNode(q);
            } else if (!(centre == k)) {
                return false;
            }
            return SetCircle(circle(mpCenter ? mpCenter->GetPoint() : q, r));
        }
        if (l1.IsParallel(l2)) {
            point q = centre;
            q = k;
            const double gap = std::fabs(l1.signedDist(q)) + std::fabs(l2.signedDist(q));
            if (!MoveCentreNode(q) && mpCenter)
                return false;
            return SetCircle(circle(q, gap / 2.0));
        }
        Refit(l1 & l2 & p & r);
        return true;
    }
    case 1:
        if (!mpPivot)
            return false;
        return Refit(l1 & l2 & mpPivot->GetPoint() & p);
    case 5: {
        line k;
        if (!(k = (l1 & l2 & centre)))
            return false;
        point q = centre;
        q = k;
        if (!IsFinite(q))
            return false;
        MoveCentreNode(q);
        return SetCircle(circle(q, std::fabs(l1.signedDist(q))));
    }
    case 6:
        if (t)
            return false;
        return Refit(l1 & l2 & p & r);
    default:
        return true;
    }
}

bool KorCirTracker::Adjust(circle& c1, const char* k1, circle& c2, const char* k2)
{
    if (!mbMovable)
        return false;
    point centre = CentrePoint();
    const double r = mGeometry.rad();
    KorTracker* t = UnmovableCentreTracker();
    switch (static_cast<int>(mStatus)) {
    case 0:
        if (t)
            return Refit(c1 & c2 & t->GetGeometry() & centre & k1 & k2 & "CENTER");
        if (std::strcmp(k1, "OUTSIDE") != 0 && std::strcmp(k2, "OUTSIDE") != 0
            && Refit(c1 & c2 & centre & r & k1 & k2))
            return true;
        return Refit(c1 & c2 & centre & k1 & k2);
    case 1:
        if (t || !mpPivot)
            return false;
        return Refit(c1 & c2 & mpPivot->GetPoint() & centre & k1 & k2);
    case 6:
        if (t)
            return false;
        return Refit(c1 & c2 & centre & r & k1 & k2);
    default:
        return false;
    }
}

bool KorCirTracker::Adjust(circle& cc, const char* kc, line& l, const char* kl)
{
    if (!mbMovable)
        return false;
    point centre = CentrePoint();
    const double r = mGeometry.rad();
    KorTracker* t = UnmovableCentreTracker();
    switch (static_cast<int>(mStatus)) {
    case 0:
        if (t)
            return Refit(cc & l & t->GetGeometry() & "CENTER" & kc & kl);
        if (std::fabs(l.signedDist(cc.center())) < r)
            return Refit(cc & l & r & kl & kc);
        return Refit(cc & l);
    case 1:
        if (t || !mpPivot)
            return false;
        return Refit(cc & l & mpPivot->GetPoint() & centre & kc);
    case 6:
        if (t)
            return false;
        return Refit(cc & l & r & kl & kc);
    default:
        return false;
    }
}

bool KorCirTracker::Adjust(point& p, KorNode* n, KorNode* m)
{
    if (!mbMovable || !IsFinite(p))
        return false;
    const point centre = CentrePoint();
    const double r = mGeometry.rad();
    const bool mOnThis = m && HasNode(m);
    circle c = mGeometry;
    switch (static_cast<int>(mStatus)) {
    case 0:
        if (n == mpCenter) {
            if (mOnThis)
                return SetAboutThrough(p, m->GetPoint());
            return SetCircle(circle(p, r));
        }
        if (m && m == mpCenter)
            return SetAboutThrough(m->GetPoint(), p);
        if (mOnThis) {
            if (KorTracker* t = UnmovableCentreTracker()) {
                const line through(p, m->GetPoint());
                geolist_ref crossings = through % t->GetGeometry();
                if (crossings.count() == 0)
                    return false;
                const point q(crossings[0]);
                if (!MoveCentreNode(q))
                    return false;
                return SetAboutThrough(q, p);
            }
            return SetAboutThrough(point(p, m->GetPoint()), m->GetPoint());
        }
        return SetAboutThrough(centre, p);
    case 4:
        return SetAboutThrough(centre, p);
    case 1:
        if (!mpPivot)
            return false;
        if (n == mpCenter)
            return SetAboutThrough(p, mpPivot->GetPoint());
        if (m && m != mpPivot && mOnThis)
            return Refit(p & mpPivot->GetPoint() & m->GetPoint());
        {
            const double half = Distance(p, mpPivot->GetPoint()) / 2.0;
            const double radius = r > half ? r : half;
            if (!(c = (p & mpPivot->GetPoint() & centre & radius)))
                c.set(point(p, mpPivot->GetPoint()), half);
            return SetCircle(c);
        }
    case 5:
        if (!mpPivot || !mpClamp)
            return false;
        return Refit(p & mpPivot->GetPoint() & mpClamp->GetPoint());
    case 6:
        if (!mOnThis) {
            if (n == mpCenter)
                return SetCircle(circle(p, r));
            if (KorTracker* t = UnmovableCentreTracker()) {
                geolist_ref crossings = circle(p, r) % t->GetGeometry();
                if (crossings.count() == 0 || !MoveCentreNode(point(crossings[0])))
                    return false;
            } else if (n) {
                const point& np = n->GetPoint();
                const double len = Distance(np, centre);
                if (len > 0.0)
                    MoveCentreNode(point(p.x() + (centre.x() - np.x()) * r / len,
                                         p.y() + (centre.y() - np.y()) * r / len));
            }
            SetAboutThrough(mpCenter ? mpCenter->GetPoint() : centre, p);
            return true;
        }
        if (r >= Distance(p, m->GetPoint()) / 2.0 && !UnmovableCentreTracker())
            return Refit(p & m->GetPoint() & centre & r);
        return false;
    case 7:
        if (mpPivot && r >= Distance(p, mpPivot->GetPoint()))
            return Refit(p & mpPivot->GetPoint() & centre & r);
        return false;
    default:
        return false;
    }
}

bool KorCirTracker::UpdateCircle4Xme(circle& c)
{
    const point cc = c.center();
    const point mine = mGeometry.center();
    const double d = Distance(cc, mine);
    if (!(d > 0.0))
        return false;
    const double rc = c.rad();
    const double r = mGeometry.rad();
    if (d < rc + r && d > std::fabs(rc - r))
        return true;
    double radius;
    if (d < rc + r && rc > r)
        radius = rc - d;
    else
        radius = d - rc;
    // With this centre inside c the touching circle encloses c instead.
    if (!(radius > 0.0))
        radius = d + rc;
    return SetCircle(circle(mine, radius));
}

// ---- Other overrides ----

void KorCirTracker::Update()
{
    if (mpCenter)
        SetCircle(circle(mpCenter->GetPoint(), GetRadius()));
}

bool KorCirTracker::IsGeoColinear(KorTracker* t)
{
    if (!IsCircularTracker(t))
        return false;
    auto* other = static_cast<KorCirTracker*>(t);
    const double play = mpModel ? mpModel->LinearPlay() : 0.1;
    return mpCenter && other->mpCenter == mpCenter
        && std::fabs(GetRadius() - other->GetRadius()) < play;
}

bool KorCirTracker::IsConsistent()
{
    return KorTracker::IsConsistent() && (!mpCenter || mpCenter->GetPoint() == mGeometry.center());
}

bool KorCirTracker::Devour(KorTracker* t)
{
    if (!IsCircularTracker(t) || t == this) {
        if (mpModel)
            mpModel->SetError(10);
        return false;
    }
    auto* other = static_cast<KorCirTracker*>(t);
    if (mpModel)
        mpModel->RemoveTracker(other);
    for (int i = static_cast<int>(other->mPrimitives.size()) - 1; i >= 0; --i) {
        KorPrimitive* p = other->mPrimitives[i];
        other->RemovePrimitive(p);
        AddPrimitive(p);
    }
    if (!mpRay)
        mpRay = other->mpRay;
    for (KorNode* c : other->mCoincidents) {
        if (c->AddTracker(this))
            mNodes.push_back(c);
        mCoincidents.push_back(c);
    }
    other->mCoincidents.clear();
    other->AttachNodes(this);
    if (mbMovable && !other->IsMovable())
        SetMovable(false);
    delete other;
    return true;
}

KorPrimitive* KorCirTracker::GetPrimitive(KorNode* start, KorNode* end)
{
    for (KorPrimitive* p : mPrimitives)
        if (p->GetStart() == start && p->GetEnd() == end)
            return p;
    return nullptr;
}

void KorCirTracker::SetupIntersectionAttributes()
{
    mIntersectionAttributes.clear();
    if (mNodes.size() < 2)
        return;
    for (KorNode* n : mNodes) {
        std::vector<KorIntersectionAttribute> row;
        if (n->GetNumOfTrackers() < 2) {
            row.push_back(KOR_INTERSECTION_NONE);
        } else {
            for (unsigned i = 0; i < n->GetNumOfTrackers(); ++i)
                row.push_back(n->CalculateIntersectionAttribute(this, static_cast<short>(i)));
        }
        mIntersectionAttributes.push_back(row);
    }
}

KorIntersectionAttribute KorCirTracker::GetAttribute(KorNode* n, KorTracker* t) const
{
    if (t && t->GetRay())
        return t->GetNorthEast(n) ? KOR_INTERSECTION_NORTH_EAST : KOR_INTERSECTION_SOUTH_WEST;
    const auto row = std::find(mNodes.begin(), mNodes.end(), n) - mNodes.begin();
    if (row < 0 || static_cast<std::size_t>(row) >= mIntersectionAttributes.size())
        return KOR_INTERSECTION_NONE;
    int column = -1;
    for (unsigned i = 0; i < n->GetNumOfTrackers(); ++i)
        if (n->GetTracker(static_cast<short>(i)) == t)
            column = static_cast<int>(i);
    const auto& entries = mIntersectionAttributes[static_cast<std::size_t>(row)];
    if (column < 0 || static_cast<std::size_t>(column) >= entries.size())
        return KOR_INTERSECTION_NONE;
    return entries[static_cast<std::size_t>(column)];
}
