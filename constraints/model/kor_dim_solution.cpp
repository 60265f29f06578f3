#include "kor_dim_solution.h"

#include <cmath>
#include <utility>

#include "circle.h"
#include "drag_solvers.h"
#include "geolist.h"
#include "kor_cir_tracker.h"
#include "kor_dimension.h"
#include "kor_lin_tracker.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "kor_solution_geometry.h"
#include "kor_tracker_solution.h"
#include "line.h"
#include "settings.h"

namespace {

constexpr int kMaxCandidates = 4;

KorNode* AsNode(KorEntity* entity) { return dynamic_cast<KorNode*>(entity); }

// The pivot a turn uses: the moved tracker's pivot node at construction.
KorNode* PivotOf(KorDF* df, KorTrackerSolution* ts)
{
    if (!df || !ts || ts->GetKind() != KOR_TS_TURN || !df->mpMoved)
        return nullptr;
    return df->mpMoved->GetPivot();
}

// Whether candidate i lies on the requested side of the reference (Geo's
// FindClosestAngle answers 0 both for "none" and for "the first", so one
// candidate is tested twice: two qualifying copies give -1).
bool QualifiesOnSide(const point& candidate, const point& reference, bool above)
{
    point pair[2] = {candidate, candidate};
    return FindClosestAngle(pair, reference, above, 2) == -1;
}

}  // namespace

KorDimSolution::KorDimSolution(KorDF* df, KorTrackerSolution* trackerSolution, OpCode opCode)
    : mpDF(df), mpTrackerSolution(trackerSolution), mOpCode(opCode),
      mpPivot(PivotOf(df, trackerSolution))
{
}

KorDimSolution::KorDimSolution(const KorDimSolution* other) : KorDimSolution(*other) {}

KorDimSolution::KorDimSolution(const KorDimSolution& other)
    : mDimensionIndex(other.mDimensionIndex), mpDF(other.mpDF),
      mpTrackerSolution(other.mpTrackerSolution
                            ? new KorTrackerSolution(*other.mpTrackerSolution)
                            : nullptr),
      mOpCode(other.mOpCode), mClusterIndex(other.mClusterIndex), mpPivot(other.mpPivot),
      mpUpdatedNode1(other.mpUpdatedNode1), mpUpdatedNode2(other.mpUpdatedNode2)
{
}

KorDimSolution& KorDimSolution::operator=(const KorDimSolution& other)
{
    if (this == &other)
        return *this;
    KorDimSolution copy(other);
    std::swap(mpTrackerSolution, copy.mpTrackerSolution);
    mDimensionIndex = other.mDimensionIndex;
    mpDF = other.mpDF;
    mOpCode = other.mOpCode;
    mClusterIndex = other.mClusterIndex;
    mpPivot = other.mpPivot;
    mpUpdatedNode1 = other.mpUpdatedNode1;
    mpUpdatedNode2 = other.mpUpdatedNode2;
    return *this;
}

KorDimSolution::~KorDimSolution() { delete mpTrackerSolution; }

bool KorDimSolution::IsUpdatedObjectNode(KorNode* node) const
{
    return node && (node == mpUpdatedNode1 || node == mpUpdatedNode2);
}

int KorDimSolution::SolutionChoice(point* candidates, point* references, double dx, double dy,
                                   KorNode* node, int count)
{
    KorTracker* carrier = mpDF ? mpDF->mpCarrier : nullptr;
    KorNode* ray = carrier ? carrier->GetRay() : nullptr;
    if (ray && node != ray) {
        bool above = carrier->GetNorthEast(node);
        int found = -1;
        int qualifying = 0;
        for (int i = 0; i < count; ++i) {
            if (QualifiesOnSide(candidates[i], ray->GetPoint(), above)) {
                found = i;
                ++qualifying;
            }
        }
        if (qualifying == 1)
            return found;
    }
    return FindClosestAngleSelfAffect(candidates, references, dx, dy, count);
}

// ---- Applying one solution ----

namespace {

// What every single move reads.
struct MoveContext {
    KorDimension* dimension;
    KorDF* df;
    KorNode* node;      // N
    KorTracker* moved;  // A
    KorTracker* carrier;  // B
    KorNode* other;     // O
    double value;       // v
    double dx = 0.0;
    double dy = 0.0;
};

}  // namespace

// Picks one of count candidates: SolutionChoice for several, the only one else.
static int Choose(KorDimSolution* solution, const MoveContext& c, point* candidates,
                  point* references, int count)
{
    if (count <= 0)
        return -1;
    if (count == 1)
        return 0;
    int i = solution->SolutionChoice(candidates, references, c.dx, c.dy, c.node, count);
    return (i >= 0 && i < count) ? i : 0;
}

// The two points at the value from the other node along the carrier's line,
// and the chosen one; their count (0 when none).
static int SlideFromOther(KorDimSolution* s, const MoveContext& c, point* candidates, int& chosen)
{
    int count = Slide(c.other->GetPoint(), KorLineOf(c.carrier), c.value, candidates);
    point references[2] = {c.other->GetPoint(), c.other->GetPoint()};
    chosen = Choose(s, c, candidates, references, count);
    return chosen < 0 ? 0 : count;
}

static bool PlaceUpdated(KorDimSolution* solution, KorNode* node, const point& target)
{
    if (!KorPlaceNode(node, target))
        return false;
    solution->SetUpdatedNode1(node);
    return true;
}

// OpCode 0 with the dimension's own tracker moving: the target on the carrier.
static bool ShiftOwnTrackerTarget(KorDimSolution* s, const MoveContext& c, point& target)
{
    KorTracker* subject = c.df->GetSubject(c.dimension, s->GetTrackerSolution());
    if (!subject)
        return false;
    point candidates[kMaxCandidates];
    int count = 0;
    const point& nodePoint = c.node->GetPoint();
    if (KorIsCircleTracker(c.carrier)) {
        circle& carrierCircle = KorCircleOf(c.carrier);
        if (c.value > 0 && KorIsCircleTracker(subject))
            return false;
        if (c.value > 0) {
            line parallel = KorParallelOnSide(KorLineOf(subject), nodePoint, c.value);
            count = KorIntersect(carrierCircle, parallel, candidates, kMaxCandidates);
        } else {
            count = KorIntersect(carrierCircle, subject->GetGeometry(), candidates,
                                 kMaxCandidates);
        }
        if (count == 0)
            return false;
        target = candidates[0];
        if (count >= 2) {
            KorPrimitive* joining = c.moved->GetPrimitive(c.other, c.node);
            if (joining && !(candidates[0] == joining->GetGeometry()) &&
                candidates[1] == joining->GetGeometry())
                target = candidates[1];
        }
        return true;
    }
    if (!KorIsLineTracker(c.carrier))
        return false;
    line& carrierLine = KorLineOf(c.carrier);
    if (KorIsLineTracker(subject)) {
        count = MoveSelfAffect(KorLineOf(c.moved), carrierLine, KorLineOf(subject), c.value,
                               candidates);
        if (count == 0)
            return false;
        point references[kMaxCandidates];
        for (int i = 0; i < count; ++i) {
            line through(candidates[i], KorLineOf(c.moved));
            point crossing[2];
            references[i] = KorIntersect(through, KorLineOf(subject), crossing, 2) > 0
                                ? crossing[0]
                                : candidates[i];
        }
        target = candidates[Choose(s, c, candidates, references, count)];
        return true;
    }
    // A line carrier and a circle subject.
    circle& subjectCircle = KorCircleOf(subject);
    if (c.value > 0) {
        line parallel = KorParallelOnSide(carrierLine, c.other->GetPoint(), c.value);
        count = KorIntersect(subjectCircle, parallel, candidates, kMaxCandidates);
    } else {
        count = KorIntersect(carrierLine, subjectCircle, candidates, kMaxCandidates);
    }
    if (count == 0 || !KorPlaceNode(c.other, candidates[0]))
        return false;
    line through(c.other->GetPoint(), KorLineOf(c.moved));
    point crossing[2];
    if (KorIntersect(through, carrierLine, crossing, 2) == 0)
        return false;
    target = crossing[0];
    return true;
}

static bool AdjustShift(KorDimSolution* s, const MoveContext& c)
{
    if (!c.node)
        return c.dimension->Adjust(s);
    KorTracker* own = c.dimension->GetTracker(c.node);
    if (c.moved && c.moved == own) {
        if (!KorIsLineTracker(c.moved) || !c.other)
            return false;
        point target;
        if (!ShiftOwnTrackerTarget(s, c, target) || !KorIsFinite(target))
            return false;
        KorLineOf(c.moved) = target;
        if (!PlaceUpdated(s, c.node, target))
            return false;
        if (c.value < GeoSnap() && KorPlaceNode(c.other, target))
            s->SetUpdatedNode2(c.other);
        return true;
    }
    if (!own)
        return c.dimension->Adjust(s);
    if (!c.other)
        return false;
    point target = c.other->GetPoint();
    point candidates[2];
    if (c.value > 0) {
        int i = -1;
        if (!KorIsLineTracker(c.carrier) || SlideFromOther(s, c, candidates, i) < 1)
            return false;
        target = candidates[i];
    }
    if (!KorIsFinite(target))
        return false;
    if (KorIsCircleTracker(c.moved)) {
        if (!static_cast<KorCirTracker*>(c.moved)->Adjust(target, c.node, c.other))
            return false;
    } else if (KorIsLineTracker(c.moved) && c.moved != c.carrier) {
        KorLineOf(c.moved) = target;
    }
    return PlaceUpdated(s, c.node, target);
}

static bool AdjustTurn(KorDimSolution* s, const MoveContext& c)
{
    KOREntityType type = c.dimension->GetType();
    if (type == KOR_ANGLE || type == KOR_PARALLEL || type == KOR_PERPENDICULAR)
        return c.dimension->Adjust(s);
    KorNode* pivot = s->GetPivot();
    KorTracker* own = c.node ? c.dimension->GetTracker(c.node) : nullptr;
    point candidates[kMaxCandidates];
    int count = 0;
    if (c.moved && c.moved == own) {
        if (!pivot || !c.node)
            return false;
        if (c.other == pivot) {
            circle about(pivot->GetPoint(), c.value);
            count = KorIntersect(about, c.carrier->GetGeometry(), candidates, kMaxCandidates);
        } else {
            KorTracker* subject = c.df->GetSubject(c.dimension, s->GetTrackerSolution());
            if (!subject || !KorIsLineTracker(subject) || !KorIsLineTracker(c.carrier))
                return false;
            count = RotateQuartic(pivot->GetPoint(), KorLineOf(c.carrier), KorLineOf(subject),
                                  c.value, candidates);
        }
    } else {
        if (!own)
            return c.dimension->Adjust(s);
        if (!pivot || !c.other || !c.node || !KorIsLineTracker(c.carrier))
            return false;
        count = AdjustRotateLinear(KorLineOf(c.carrier), pivot->GetPoint(), c.other->GetPoint(),
                                   c.value, candidates);
    }
    point references[kMaxCandidates];
    for (int i = 0; i < count; ++i)
        references[i] = pivot->GetPoint();
    int i = Choose(s, c, candidates, references, count);
    if (i < 0 || !KorIsFinite(candidates[i]) || !KorIsLineTracker(c.moved))
        return false;
    line turned(pivot->GetPoint(), candidates[i]);
    if (!KorIsFinite(turned))
        return false;
    KorLineOf(c.moved) = turned;
    return PlaceUpdated(s, c.node, candidates[i]);
}

static bool AdjustSlide(KorDimSolution* s, const MoveContext& c)
{
    if (!c.node || !c.other || !KorIsLineTracker(c.carrier))
        return false;
    if (c.other->GetPoint() != c.carrier->GetGeometry())
        return false;
    point candidates[2];
    int i = -1;
    int count = SlideFromOther(s, c, candidates, i);
    if (count < 1)
        return false;
    if (count > 1 && std::fabs(c.dx) < GeoSnap() && std::fabs(c.dy) < GeoSnap()) {
        // Without a sense to keep, prefer the side on which a wall exists.
        KorTracker* own = c.dimension->GetTracker(c.node);
        if (own && !own->GetPrimitive(candidates[i]))
            i = 1 - i;
    }
    return PlaceUpdated(s, c.node, candidates[i]);
}

bool KorDimSolution::Adjust(KorDimension* dimension)
{
    ClearUpdatedNodes();
    if (!dimension || mOpCode == KOR_OP_NOTHING)
        return false;
    if (mOpCode > KOR_OP_SLIDE || !mpDF)
        return dimension->Adjust(this);
    MoveContext c{dimension, mpDF, mpDF->mpNode, mpDF->mpMoved, mpDF->mpCarrier,
                  nullptr, dimension->GetValue()};
    if (c.node) {
        dimension->GetOrientation(c.dx, c.dy, c.node);
        c.other = dimension->GetOtherNode(c.node);
    }
    if (!std::isfinite(c.value))
        return false;
    switch (mOpCode) {
    case KOR_OP_SHIFT:
        return AdjustShift(this, c);
    case KOR_OP_TURN:
        return AdjustTurn(this, c);
    default:
        return AdjustSlide(this, c);
    }
}

// ---- Applying a pair of solutions ----

// Kind 15: both nodes of d2 move together on the two carriers.
static bool AdjustTwoNodes(KorDimSolution* s, KorDimSolution* o, KorDimension* d1,
                           KorDimension* d2)
{
    double u = 0.0;
    double w = 0.0;
    if (d2->GetType() == KOR_DISTANCE) {
        double d = d2->GetValue();
        double known = d1->GetValue();
        if (d1->GetType() != KOR_HORIZONTAL_DISTANCE && d1->GetType() != KOR_VERTICAL_DISTANCE)
            return false;
        // The other offset exists only while the known one fits the distance.
        if (std::fabs(known) > d)
            return false;
        double rest = std::sqrt(d * d - known * known);
        if (d1->GetType() == KOR_HORIZONTAL_DISTANCE) {
            u = known;
            w = rest;
        } else {
            w = known;
            u = rest;
        }
    } else if (d2->GetType() == KOR_HORIZONTAL_DISTANCE) {
        u = d2->GetValue();
        w = d1->GetValue();
    } else if (d1->GetType() == KOR_HORIZONTAL_DISTANCE) {
        u = d1->GetValue();
        w = d2->GetValue();
    } else {
        return false;
    }
    if (!std::isfinite(u) || !std::isfinite(w))
        return false;
    KorNode* start = AsNode(d2->GetStart());
    KorNode* end = AsNode(d2->GetEnd());
    if (!start || !end)
        return false;
    point p1 = start->GetPoint();
    point p2 = end->GetPoint();
    KorTracker* b1 = s->GetDF() ? s->GetDF()->mpCarrier : nullptr;
    KorTracker* b2 = o->GetDF() ? o->GetDF()->mpCarrier : nullptr;
    if (b1 && b2) {
        bool solved = false;
        bool c1 = KorIsCircleTracker(b1);
        bool c2 = KorIsCircleTracker(b2);
        if (c1 && c2)
            solved = AdjustDoubleSolve(KorCircleOf(b1), KorCircleOf(b2), p1, p2, u, w);
        else if (c1 && KorIsLineTracker(b2))
            solved = AdjustDoubleSolve(KorCircleOf(b1), KorLineOf(b2), p1, p2, u, w);
        else if (c2 && KorIsLineTracker(b1))
            solved = AdjustDoubleSolve(KorCircleOf(b2), KorLineOf(b1), p2, p1, u, w);
        else if (KorIsLineTracker(b1) && KorIsLineTracker(b2))
            solved = AdjustDoubleSolve(KorLineOf(b1), KorLineOf(b2), p1, p2, u, w);
        if (!solved)
            return false;
    } else {
        p2 = point(p1.x() + u, p1.y() + w);
    }
    if (!KorIsFinite(p1) || !KorIsFinite(p2))
        return false;
    KorTracker* a1 = s->GetDF() ? s->GetDF()->mpMoved : nullptr;
    KorTracker* a2 = o->GetDF() ? o->GetDF()->mpMoved : nullptr;
    if (d2->GetType() == KOR_DISTANCE) {
        if (KorIsLineTracker(a1) && p1 != p2)
            KorLineOf(a1) = line(p1, p2);
    } else {
        if (KorIsLineTracker(a1))
            KorLineOf(a1) = p1;
        if (KorIsLineTracker(a2))
            KorLineOf(a2) = p2;
    }
    KorPlaceNode(start, p1);
    KorPlaceNode(end, p2);
    s->SetUpdatedNode1(start);
    s->SetUpdatedNode2(end);
    return true;
}

namespace {

double DistanceToLine(const point& p, KorTracker* tracker)
{
    return KorIsLineTracker(tracker) ? std::fabs(KorLineOf(tracker).signedDist(p)) : 0.0;
}

point FartherFromLine(const point& a, const point& b, KorTracker* tracker)
{
    return DistanceToLine(a, tracker) >= DistanceToLine(b, tracker) ? a : b;
}

point MostDistantNodePoint(KorTracker* tracker, geobject& from, const point& fallback)
{
    KorNode* node = tracker ? tracker->GetMostDistantNode(from) : nullptr;
    return node ? node->GetPoint() : fallback;
}

}  // namespace

// A parallel dimension: both trackers turn to a common slope at its distance.
static bool AdjustParallelPair(KorDimSolution* s, KorDimSolution* o, KorDimension* d2)
{
    KorTracker* moved = s->GetDF() ? s->GetDF()->mpMoved : nullptr;
    KorTracker* carrier = s->GetDF() ? s->GetDF()->mpCarrier : nullptr;
    KorTracker* otherMoved = o->GetDF() ? o->GetDF()->mpMoved : nullptr;
    if (!KorIsLineTracker(moved) || !KorIsLineTracker(otherMoved))
        return false;
    KorNode* n1 = s->GetTrackerSolution() ? s->GetTrackerSolution()->GetNode() : nullptr;
    KorNode* n2 = o->GetTrackerSolution() ? o->GetTrackerSolution()->GetNode() : nullptr;
    double value = d2->GetValue();
    point pivot1;
    point pivot2;
    if (n1 && n2) {
        pivot1 = n1->GetPoint();
        pivot2 = n2->GetPoint();
    } else if (n1) {
        pivot1 = n1->GetPoint();
        pivot2 = static_cast<KorLinTracker*>(otherMoved)->GetPivot(pivot1, value);
    } else if (n2) {
        pivot2 = n2->GetPoint();
        pivot1 = static_cast<KorLinTracker*>(moved)->GetPivot(pivot2, value);
    } else {
        point a1, a2, b1, b2;
        bool first = static_cast<KorLinTracker*>(moved)->GetSafeRegion(a1, a2);
        bool second = KorIsLineTracker(carrier) &&
                      static_cast<KorLinTracker*>(carrier)->GetSafeRegion(b1, b2);
        if (first && second) {
            double best = -1.0;
            for (const point& a : {a1, a2})
                for (const point& b : {b1, b2}) {
                    double d = std::hypot(a.x() - b.x(), a.y() - b.y());
                    if (d > best) {
                        best = d;
                        pivot1 = a;
                        pivot2 = b;
                    }
                }
        } else if (first) {
            pivot1 = FartherFromLine(a1, a2, carrier);
            pivot2 = MostDistantNodePoint(carrier, pivot1, pivot1);
        } else if (second) {
            pivot2 = FartherFromLine(b1, b2, moved);
            pivot1 = MostDistantNodePoint(moved, pivot2, pivot2);
        } else {
            line& carrierLine = KorLineOf(KorIsLineTracker(carrier) ? carrier : moved);
            pivot1 = MostDistantNodePoint(moved, carrierLine, pivot1);
            pivot2 = MostDistantNodePoint(carrier, KorLineOf(moved), pivot2);
        }
    }
    line l1 = KorLineOf(moved);
    line l2 = KorLineOf(otherMoved);
    if (!AdjustDoubleRotateParallel(pivot1, l1, pivot2, l2, value))
        return false;
    if (!KorIsFinite(l1) || !KorIsFinite(l2))
        return false;
    KorLineOf(moved) = l1;
    KorLineOf(otherMoved) = l2;
    return true;
}

// Two line trackers through one node, each turning or shifting.
static bool MovesTrackerOf(KorDimension* d, KorDF* df)
{
    return df->mpMoved && df->mpMoved == d->GetTracker(df->mpNode);
}

static bool AdjustTwoTrackers(KorDimSolution* s, KorDimSolution* o, KorDimension* d1,
                              KorDimension* d2)
{
    KorDF* df = s->GetDF();
    KorDF* otherDF = o->GetDF();
    KorTrackerSolution* ts1 = s->GetTrackerSolution();
    KorTrackerSolution* ts2 = o->GetTrackerSolution();
    if (!df || !otherDF || !ts1 || !ts2 || !df->mpNode)
        return false;
    KorTracker* a1 = df->mpMoved;
    KorTracker* a2 = otherDF->mpMoved;
    if (!KorIsLineTracker(a1) || !KorIsLineTracker(a2))
        return false;
    double dx = 0.0;
    double dy = 0.0;
    d1->GetOrientation(dx, dy, df->mpNode);
    double v1 = d1->GetValue();
    double v2 = d2->GetValue();
    point candidates[kMaxCandidates];
    point references[kMaxCandidates];
    int count = 0;
    KorNode* turnPivot = nullptr;
    if (ts1->GetKind() == ts2->GetKind()) {
        KorNode* p1 = s->GetPivot();
        KorNode* p2 = o->GetPivot();
        // Each turns its tracker about the dimension's far node; when the
        // first turns the second dimension's tracker, its pivot is that
        // dimension's far node and keeps that dimension's value.
        if (MovesTrackerOf(d2, df) && !MovesTrackerOf(d1, df)) {
            std::swap(v1, v2);
            d2->GetOrientation(dx, dy, df->mpNode);
        }
        if (!(v1 > 0) || !(v2 > 0) || !p1 || !p2)
            return false;
        count = AdjustDoubleRotateRotate(p1->GetPoint(), p2->GetPoint(), v1, v2, candidates);
        for (int i = 0; i < count; ++i)
            references[i] = p1->GetPoint();
        int i = count > 0 ? FindClosestAngleSelfAffect(candidates, references, dx, dy, count) : -1;
        if (i < 0 || i >= count || !KorIsFinite(candidates[i]))
            return false;
        if (candidates[i] == p1->GetPoint() || candidates[i] == p2->GetPoint())
            return false;
        KorLineOf(a1) = line(p1->GetPoint(), candidates[i]);
        KorLineOf(a2) = line(p2->GetPoint(), candidates[i]);
        return PlaceUpdated(s, df->mpNode, candidates[i]);
    }
    // One turns, the other shifts.
    bool firstTurns = ts1->GetKind() == KOR_TS_TURN;
    KorDimSolution* turning = firstTurns ? s : o;
    KorDimSolution* shifting = firstTurns ? o : s;
    KorDimension* turnDim = firstTurns ? d1 : d2;
    KorDimension* shiftDim = firstTurns ? d2 : d1;
    turnPivot = turning->GetPivot();
    KorTracker* shiftMoved = shifting->GetDF()->mpMoved;
    KorTracker* subject =
        shifting->GetDF()->GetSubject(shiftDim, shifting->GetTrackerSolution());
    if (!turnPivot || !KorIsLineTracker(subject))
        return false;
    count = AdjustDoubleRotateMove(KorLineOf(shiftMoved), KorLineOf(subject),
                                   turnPivot->GetPoint(), turnDim->GetValue(),
                                   shiftDim->GetValue(), candidates);
    for (int i = 0; i < count; ++i)
        references[i] = turnPivot->GetPoint();
    int i = count > 0 ? FindClosestAngleSelfAffect(candidates, references, dx, dy, count) : -1;
    if (i < 0 || i >= count || !KorIsFinite(candidates[i]) ||
        candidates[i] == turnPivot->GetPoint())
        return false;
    KorLineOf(turning->GetDF()->mpMoved) = line(turnPivot->GetPoint(), candidates[i]);
    KorLineOf(shiftMoved) = candidates[i];
    return PlaceUpdated(s, df->mpNode, candidates[i]);
}

// Both solutions move one circle tracker: the circle through the fixed node and
// the two targets.
static bool AdjustOneCircle(KorDimSolution* s, KorDimSolution* o, KorDimension* d1,
                            KorDimension* d2)
{
    KorNode* node = s->GetDF()->mpNode;
    KorNode* otherNode = o->GetDF()->mpNode;
    KorNode* fixed = node ? d1->GetOtherNode(node) : nullptr;
    if (!node || !otherNode || !fixed)
        return false;
    point l = KorPointToward(fixed->GetPoint(), node->GetPoint(), d1->GetValue());
    point h = KorPointToward(fixed->GetPoint(), otherNode->GetPoint(), d2->GetValue());
    point f = fixed->GetPoint();
    circle through;
    if (!(through = (f & l & h)) || !KorIsFinite(through) || !KorIsFinite(l) || !KorIsFinite(h))
        return false;
    KorCircleOf(s->GetDF()->mpMoved) = through;
    KorPlaceNode(node, l);
    KorPlaceNode(otherNode, h);
    s->SetUpdatedNode1(node);
    s->SetUpdatedNode2(otherNode);
    return true;
}

bool KorDimSolution::Adjust(KorDimSolution* other, KorDimension* d1, KorDimension* d2)
{
    ClearUpdatedNodes();
    if (other)
        other->ClearUpdatedNodes();
    if (!other || !d1 || !d2 || !mpDF || !other->mpDF)
        return false;
    if (mpTrackerSolution && mpTrackerSolution->GetKind() == KOR_TS_TWO_NODES)
        return AdjustTwoNodes(this, other, d1, d2);
    if (d1->GetType() == KOR_PARALLEL)
        return AdjustParallelPair(this, other, d2);
    bool oneCircle = mpDF->mpMoved && mpDF->mpMoved == other->mpDF->mpMoved &&
                     KorIsCircleTracker(mpDF->mpMoved);
    if (oneCircle)
        return AdjustOneCircle(this, other, d1, d2);
    return AdjustTwoTrackers(this, other, d1, d2);
}

bool KorDimSolution::Align(KorDimension* dimension)
{
    if (!mpDF)
        return false;
    if (mOpCode == KOR_OP_EXTRA || mOpCode == KOR_OP_ANGULAR) {
        KorDimSolution* extra = dimension ? dimension->GetExtraSolution() : nullptr;
        if (!mpDF->mpCarrier || !mpDF->mpMoved)
            return false;
        return mpDF->mpCarrier->AlignNodes(extra) && mpDF->mpMoved->AlignNodes(this);
    }
    return mpDF->mpMoved && mpDF->mpMoved->AlignNodes(this);
}
