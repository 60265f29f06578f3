// Drag mode with smart-drag alignment trackers, rigid transforms of the whole
// model, and hit tests.
#include "kor_model.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "kor_cir_tracker.h"
#include "kor_lin_tracker.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "kor_tracker.h"
#include "segment.h"
#include "settings.h"

namespace {

// Slope that marks a line tracker whose line is not to be compared.
constexpr double kIgnoredSlope = -100001.0;

// The acute angle between two directions, in degrees (0 to 90).
double AcuteDegrees(double degrees)
{
    double a = std::fmod(std::fabs(degrees), 180.0);
    return a > 90.0 ? 180.0 - a : a;
}

// The angle between two lines, in degrees, folded so that parallel is 0.
double LineAngleDegrees(const line& a, const line& b)
{
    return AcuteDegrees(angle(a, b).deg());
}

bool IsLineTracker(const KorTracker* tracker)
{
    return tracker->GetType() == KOR_LINEAR_TRACKER;
}

const line* DirectionOf(const geobject& object, line& storage)
{
    if (auto* l = dynamic_cast<const line*>(&object))
        return l;
    if (auto* s = dynamic_cast<const segment*>(&object)) {
        storage = line(*s);
        return &storage;
    }
    return nullptr;
}

}  // namespace

// ---- Drag mode ----

void KorModel::SetDrag(bool drag)
{
    if (drag) {
        mbInDrag = true;
        mpDraggedNode = nullptr;
        mbSimpleShift = false;
        return;
    }
    mbSimpleShift = false;
    if (mbSmartDragging)
        RemoveAlignmentTrackers();
    DeleteExtraRules();
    mbInDrag = false;
}

void KorModel::SetSmartDragging(bool on)
{
    mbSmartDragging = on;
    if (!on)
        RemoveAlignmentTrackers();
}

void KorModel::AddChangedNode(KorNode* node)
{
    // Moves made by the solver itself are not pen moves; taking them would
    // replace the alignment trackers under a running search.
    if (!mbInDrag || !node || mbSolving)
        return;
    if (!mpDraggedNode) {
        mpDraggedNode = node;
        node->GetShift(&mDragDx, &mDragDy);
        if (mbSmartDragging) {
            mDragDirection = angle(point(0.0, 0.0), point(mDragDx, mDragDy));
            SetAlignmentTrackers();
        }
        return;
    }
    if (node != mpDraggedNode)
        return;
    node->GetShift(&mDragDx, &mDragDy);
    if (!mbSmartDragging)
        return;
    const angle direction(point(0.0, 0.0), point(mDragDx, mDragDy));
    const double turn = (direction - mDragDirection).deg();
    const double play = mAngularPlay.deg();
    if (turn > play && turn < 360.0 - play) {
        mDragDirection = direction;
        UpdateAlignmentTrackers();
    }
}

line KorModel::DragLineThrough(const point& p) const
{
    line through{angle(mDragDirection)};
    through = p;
    return through;
}

void KorModel::SetAlignmentTrackers()
{
    RemoveAlignmentTrackers();
    if (!mbSmartDragging)
        return;
    for (KorNode* node : std::vector<KorNode*>(mNodes)) {
        if (node == mpDraggedNode || !node->IsMovable() || node->GetNumOfPrimitives() != 1 ||
            node->GetNumOfTrackers() >= 3)
            continue;
        KorPrimitive* primitive = node->GetPrimitive(0u);
        KorTracker* carrier = primitive ? primitive->GetTracker() : nullptr;
        if (carrier && carrier->GetCenter() == node)
            continue;
        auto* tracker = new KorLinTracker(this, node);
        tracker->SetMovable(false);
        tracker->GetLine() = DragLineThrough(node->GetPoint());
        mAlignmentTrackers.insert(tracker);
    }
}

void KorModel::UpdateAlignmentTrackers()
{
    for (KorTracker* tracker : mAlignmentTrackers) {
        KorNode* first = tracker->GetNode(0u);
        if (first && IsLineTracker(tracker))
            static_cast<KorLinTracker*>(tracker)->GetLine() = DragLineThrough(first->GetPoint());
    }
}

void KorModel::RemoveAlignmentTrackers()
{
    if (mAlignmentTrackers.empty())
        return;
    // Solutions may refer to the trackers.
    ClearSolutions(nullptr);
    const std::vector<KorTracker*> doomed(mAlignmentTrackers.begin(), mAlignmentTrackers.end());
    mAlignmentTrackers.clear();
    for (KorTracker* tracker : doomed)
        delete tracker;
}

void KorModel::AddAlignmentTracker(KorTracker* tracker) { mAlignmentTrackers.insert(tracker); }

void KorModel::ClearAlignmentTrackers() { mAlignmentTrackers.clear(); }

bool KorModel::IsAlignmentTracker(const KorTracker* tracker) const
{
    if (!tracker)
        return false;
    for (KorTracker* own : mAlignmentTrackers)
        if (own == tracker)
            return true;
    return false;
}

// ---- Transforms ----

void KorModel::Move(double dx, double dy)
{
    if (!std::isfinite(dx) || !std::isfinite(dy))
        return;
    for (KorNode* node : mNodes)
        node->GetPoint().move(dx, dy);
    UpdateTrackers();
    SetModified(true);
}

void KorModel::Scale(double factor)
{
    if (!std::isfinite(factor))
        return;
    for (KorNode* node : mNodes)
        node->GetPoint().scale(factor);
    UpdateTrackers();
    SetModified(true);
}

void KorModel::Rotate(const angle& a, const point& centre)
{
    if (!std::isfinite(a.rad()) || !std::isfinite(centre.x()) || !std::isfinite(centre.y()))
        return;
    mbAligned = false;
    for (KorNode* node : mNodes) {
        angle turn(a);
        point about(centre);
        node->Rotate(turn, about);
    }
    UpdateTrackers();
    UpdateDimensions();
    UpdateOrientations();
    SetModified(true);
}

void KorModel::Mirror(const line& axis)
{
    if (!std::isfinite(axis.ltan()) || !std::isfinite(axis.laxe()))
        return;
    for (KorNode* node : mNodes)
        node->GetPoint().mirror(axis);
    UpdateTrackers();
    UpdateDimensions();
    UpdateOrientations();
    SetModified(true);
}

// ---- Hit tests ----

bool KorModel::WithinAngularPlay(const line& a, const line& b) const
{
    return LineAngleDegrees(a, b) < mAngularPlay.deg();
}

KorTracker* KorModel::GetTracker(geobject& object)
{
    line storage;
    const line* direction = DirectionOf(object, storage);
    const circle* round = dynamic_cast<const circle*>(&object);
    for (KorTracker* tracker : mTrackers) {
        if (IsLineTracker(tracker)) {
            if (!direction)
                continue;
            const line& own = static_cast<KorLinTracker*>(tracker)->GetLine();
            if (WithinAngularPlay(own, *direction) && own.distance(object) < GeoSnap())
                return tracker;
        } else if (round && tracker->GetType() == KOR_CIRCULAR_TRACKER) {
            const circle& own = static_cast<KorCirTracker*>(tracker)->GetCircle();
            const double apart =
                point(own).distance(point(*round)) + std::fabs(own.rad() - round->rad());
            if (apart < GeoSnap())
                return tracker;
        }
    }
    return nullptr;
}

KorTracker* KorModel::NearestTracker(const point& p, const line* direction,
                                     const std::vector<KorTracker*>* excluded) const
{
    KorTracker* best = nullptr;
    float bestDistance = std::numeric_limits<float>::max();
    for (KorTracker* tracker : mTrackers) {
        if (excluded && std::find(excluded->begin(), excluded->end(), tracker) != excluded->end())
            continue;
        if (direction) {
            if (!IsLineTracker(tracker) ||
                !WithinAngularPlay(static_cast<KorLinTracker*>(tracker)->GetLine(), *direction))
                continue;
        }
        const float distance = static_cast<float>(tracker->GetGeometry().distance(p));
        if (distance < bestDistance) {
            bestDistance = distance;
            best = tracker;
        }
    }
    if (best && bestDistance <= static_cast<float>(GeoSnap()))
        return best;
    return nullptr;
}

KorTracker* KorModel::GetTracker(const point& p, line* direction,
                                 std::vector<KorTracker*>* excluded)
{
    if (KorTracker* found = NearestTracker(p, direction, excluded))
        return found;
    if (direction)
        return NearestTracker(p, nullptr, excluded);
    return nullptr;
}

KorPrimitive* KorModel::GetPrimitive(const point& p, line* direction)
{
    std::vector<KorTracker*> excluded;
    point at(p);
    while (KorTracker* tracker = GetTracker(p, direction, &excluded)) {
        if (KorPrimitive* primitive = tracker->GetPrimitive(at))
            return primitive;
        excluded.push_back(tracker);
    }
    return nullptr;
}

KorObject* KorModel::GetKorObject(const point& p)
{
    std::vector<KorTracker*> excluded;
    point at(p);
    while (KorTracker* tracker = GetTracker(p, nullptr, &excluded)) {
        if (KorNode* node = tracker->GetNode(at))
            return node;
        if (KorPrimitive* primitive = tracker->GetPrimitive(at))
            return primitive;
        excluded.push_back(tracker);
    }
    return nullptr;
}

KorLinTracker* KorModel::GetTracker(KorNode* node1, KorNode* node2, line* direction, bool strict)
{
    if (!node1 || !node2)
        return nullptr;
    point a = node1->GetPoint();
    point b = node2->GetPoint();
    point middle(a, b);
    line through;
    if (direction) {
        through = *direction;
    } else if (a == b) {
        KorTracker* nearest = GetTracker(a, nullptr, nullptr);
        return nearest && IsLineTracker(nearest) ? static_cast<KorLinTracker*>(nearest) : nullptr;
    } else {
        through = line(a, b);
    }
    double widest = mAngularPlay.deg();
    KorLinTracker* answer = nullptr;
    int bestScore = 0;
    double bestDistance = std::numeric_limits<double>::max();
    for (KorTracker* tracker : mTrackers) {
        if (!IsLineTracker(tracker))
            continue;
        auto* candidate = static_cast<KorLinTracker*>(tracker);
        const line& own = candidate->GetLine();
        if (own.ltan() == kIgnoredSlope)
            continue;
        const double between = LineAngleDegrees(through, own);
        if (between > widest)
            continue;
        if (strict) {
            auto holds = [&](KorNode* node, const point& at) {
                return node->BelongTo(candidate) || own.distance(at) < mInputSnap;
            };
            if (!holds(node1, a) || !holds(node2, b))
                continue;
            const int score = int(candidate->IsCloseToPrimitives(middle)) +
                              int(candidate->IsCloseToPrimitives(a)) +
                              int(candidate->IsCloseToPrimitives(b));
            if (score == 0)
                continue;
            const double distance = own.distance(middle);
            if (score > bestScore || (score == bestScore && distance < bestDistance)) {
                bestScore = score;
                bestDistance = distance;
                answer = candidate;
            }
            continue;
        }
        if (node1->BelongTo(candidate) || node2->BelongTo(candidate)) {
            widest = between;
            answer = candidate;
            continue;
        }
        if (middle == own) {
            widest = between;
            const double distance = candidate->GetMinDistanceToPrimitives(middle);
            if (distance < bestDistance) {
                bestDistance = distance;
                answer = candidate;
            }
        }
    }
    return answer;
}

KorCirTracker* KorModel::GetTracker(KorNode* centre, KorNode* node2, KorNode* node3)
{
    for (KorTracker* tracker : mTrackers) {
        if (tracker->GetType() != KOR_CIRCULAR_TRACKER || tracker->GetCenter() != centre)
            continue;
        auto near = [tracker](KorNode* node) {
            return node && (node->BelongTo(tracker) || tracker->IsCloseToPrimitives(node->GetPoint()));
        };
        if (near(node2) || near(node3))
            return static_cast<KorCirTracker*>(tracker);
    }
    return nullptr;
}
