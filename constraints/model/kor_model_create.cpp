// Creation of constraints and dimensions by handle.
#include "kor_model.h"

#include <utility>

#include "kor_aa_symmetry.h"
#include "kor_alignment.h"
#include "kor_angular.h"
#include "kor_angular_arc.h"
#include "kor_arc.h"
#include "kor_capture.h"
#include "kor_cc_symmetry.h"
#include "kor_cc_tangent.h"
#include "kor_circle.h"
#include "kor_cir_tracker.h"
#include "kor_coincident.h"
#include "kor_colinear.h"
#include "kor_cs_tangent.h"
#include "kor_nn_distance.h"
#include "kor_nn_ortho_distance.h"
#include "kor_nn_symmetry.h"
#include "kor_node.h"
#include "kor_ns_distance.h"
#include "kor_parallel.h"
#include "kor_perpendicular.h"
#include "kor_primitive.h"
#include "kor_radial.h"
#include "kor_segment.h"
#include "kor_ss_distance.h"
#include "kor_ss_symmetry.h"
#include "kor_unmovable.h"

namespace {

KorSegment* AsSegment(KorObject* object)
{
    return object && object->GetType() == KOR_SEGMENT ? static_cast<KorSegment*>(object)
                                                        : nullptr;
}

KorPrimitive* AsPrimitive(KorObject* object)
{
    return object && object->IsPrimitive() ? static_cast<KorPrimitive*>(object) : nullptr;
}

bool OnCircleTracker(KorPrimitive* primitive)
{
    return dynamic_cast<KorCirTracker*>(primitive->GetTracker()) != nullptr;
}

KorNode* AsNode(KorObject* object)
{
    return object && object->GetType() == KOR_NODE ? static_cast<KorNode*>(object) : nullptr;
}

// Runs a new object's Create; the object is deleted when it gives 0.
template <typename T, typename Make>
KorHandle CreateOrDelete(T* object, Make make)
{
    const KorHandle handle = make(object);
    if (handle == 0)
        delete object;
    return handle;
}

// The symmetry of two nodes, segments, circles or arcs about the axis.
KorHandle CreateSymmetry(KorModel* model, KorObject* first, KorObject* second, KorEntity* axis,
                         KorDimaint*& created)
{
    const KOREntityType type = second ? second->GetType() : KOR_EMPTY;
    if (!second || first->GetType() != type) {
        model->SetError(KOR_ERR_CREATE);
        return 0;
    }
    KorHandle handle = 0;
    switch (type) {
    case KOR_NODE: {
        auto* symmetry = new KorNNSymmetry();
        handle = symmetry->Create(model, AsNode(first), AsNode(second), axis, true);
        created = symmetry;
        break;
    }
    case KOR_SEGMENT: {
        auto* symmetry = new KorSSSymmetry();
        handle = symmetry->Create(model, AsSegment(first), AsSegment(second), axis);
        created = symmetry;
        break;
    }
    case KOR_CIRCLE: {
        auto* symmetry = new KorCCSymmetry();
        handle = symmetry->Create(model, static_cast<KorCircle*>(first),
                                  static_cast<KorCircle*>(second), axis);
        created = symmetry;
        break;
    }
    case KOR_ARC: {
        auto* symmetry = new KorAASymmetry();
        handle = symmetry->Create(model, static_cast<KorArc*>(first), static_cast<KorArc*>(second),
                                  axis);
        created = symmetry;
        break;
    }
    default:
        model->SetError(KOR_ERR_CREATE);
        return 0;
    }
    if (handle == 0) {
        delete created;
        created = nullptr;
        model->SetError(KOR_ERR_CREATE);
    }
    return handle;
}

}  // namespace

void KorModel::FinishCreation(KorDimaint* dimaint, KorHandle handle, KOREntityType lineType,
                              KorHandle h1, KorHandle h2, KorHandle h3, int weight)
{
    if (weight != 0)
        dimaint->SetWeight(weight);
    if (IsJournalActive())
        WriteJournal(mpCapture->getConstraintLine(lineType, handle, h1, h2, h3));
}

KorHandle KorModel::CreateConstraint(KOREntityType kind, KorHandle h1, KorHandle h2, KorHandle h3,
                                     int weight)
{
    KorObject* first = ObjectOf(h1);
    if (!first) {
        SetError(KOR_ERR_CREATE);
        return 0;
    }
    KorObject* second = ObjectOf(h2);
    KorDimaint* created = nullptr;
    KorHandle handle = 0;
    switch (kind) {
    case KOR_COINCIDENT: {
        if (!second)
            return 0;
        if (AsNode(first) && AsNode(second)) {
            auto* coincidence = new KorNodeCoincident();
            handle = CreateOrDelete(coincidence, [&](KorNodeCoincident* c) {
                return c->Create(this, AsNode(first), AsNode(second));
            });
            created = coincidence;
        } else {
            auto* coincidence = new KorCoincident();
            handle = CreateOrDelete(coincidence, [&](KorCoincident* c) {
                return c->Create(this, first, second);
            });
            created = coincidence;
        }
        break;
    }
    case KOR_COLINEAR: {
        if (!AsPrimitive(first) || !AsPrimitive(second))
            return 0;
        auto* colinear = new KorColinear();
        handle = CreateOrDelete(colinear, [&](KorColinear* c) {
            return c->Create(this, AsPrimitive(first), AsPrimitive(second));
        });
        created = colinear;
        break;
    }
    case KOR_PARALLEL:
    case KOR_PERPENDICULAR: {
        if (!AsSegment(first) || !AsSegment(second))
            return 0;
        KorParallel* parallel =
            kind == KOR_PARALLEL ? new KorParallel() : new KorPerpendicular();
        handle = CreateOrDelete(parallel, [&](KorParallel* p) {
            return p->Create(this, AsSegment(first), AsSegment(second));
        });
        created = parallel;
        break;
    }
    case KOR_VERTICAL:
    case KOR_HORIZONTAL: {
        if (!AsSegment(first))
            return 0;
        auto* alignment = new KorAlignment();
        handle = CreateOrDelete(alignment, [&](KorAlignment* a) {
            return a->Create(this, kind, AsSegment(first), KorAlignment::mbSetImplicitColinear);
        });
        created = alignment;
        break;
    }
    case KOR_UNMOVABLE: {
        if (!AsNode(first))
            return 0;
        auto* unmovable = new KorUnmovable();
        handle = CreateOrDelete(unmovable, [&](KorUnmovable* u) {
            return u->Create(this, AsNode(first));
        });
        created = unmovable;
        break;
    }
    case KOR_TANGENT: {
        KorPrimitive* p1 = AsPrimitive(first);
        KorPrimitive* p2 = AsPrimitive(second);
        if (!p1 || !p2)
            return 0;
        const bool round1 = OnCircleTracker(p1);
        const bool round2 = OnCircleTracker(p2);
        if (!round1 && !round2) {
            SetError(KOR_ERR_CREATE);
            return 0;
        }
        KorTangent* tangent = nullptr;
        if (round1 && round2)
            tangent = new KorCCTangent();
        else
            tangent = new KorCSTangent();
        if (!round1)
            std::swap(p1, p2);
        handle = tangent->Create(this, p1, p2);
        created = tangent->GetDimension();
        if (handle == 0) {
            delete created;
            return 0;
        }
        break;
    }
    case KOR_SYMMETRY: {
        KorObject* axisObject = ObjectOf(h3);
        auto* axis = axisObject && (axisObject->GetType() == KOR_NODE
                                    || axisObject->GetType() == KOR_SEGMENT)
                         ? static_cast<KorEntity*>(axisObject)
                         : nullptr;
        handle = CreateSymmetry(this, first, second, axis, created);
        if (handle == 0)
            return 0;
        break;
    }
    default:
        SetError(KOR_ERR_UNSUPPORTED);
        return 0;
    }
    if (handle == 0)
        return 0;
    FinishCreation(created, handle, created->GetType(), h1, second ? h2 : 0,
                   kind == KOR_SYMMETRY ? h3 : 0, weight);
    return handle;
}

KorHandle KorModel::CreateDistance(KorHandle h1, KorHandle h2, KOREntityType kind, int weight)
{
    KorObject* first = ObjectOf(h1);
    KorObject* second = ObjectOf(h2);
    KorNode* node1 = AsNode(first);
    KorNode* node2 = AsNode(second);
    if (!second) {
        // Along a segment, from its start node to its end node.
        KorSegment* segment = AsSegment(first);
        if (segment) {
            node1 = segment->GetStart();
            node2 = segment->GetEnd();
        }
    }
    KorDimension* created = nullptr;
    KorHandle handle = 0;
    if (node1 && node2) {
        if (kind == KOR_DISTANCE) {
            auto* distance = new KorNNDistance();
            handle = distance->Create(this, node1, node2, true);
            created = distance;
        } else {
            auto* distance = new KorNNOrthoDistance();
            handle = distance->Create(this, node1, node2, kind);
            created = distance;
        }
    } else if (AsSegment(first) && AsSegment(second)) {
        auto* distance = new KorSSDistance();
        handle = distance->Create(this, AsSegment(first), AsSegment(second));
        created = distance;
    } else if ((AsNode(first) && AsSegment(second)) || (AsSegment(first) && AsNode(second))) {
        auto* distance = new KorNSDistance();
        handle = AsNode(first) ? distance->Create(this, AsNode(first), AsSegment(second))
                               : distance->Create(this, AsNode(second), AsSegment(first));
        created = distance;
    }
    if (handle == 0) {
        SetError(KOR_ERR_CREATE);
        delete created;
        return 0;
    }
    FinishCreation(created, handle, kind, h1, second ? h2 : 0, 0, weight);
    return handle;
}

KorHandle KorModel::CreateAngular(KorHandle segment1, KorHandle segment2, KorHandle node1,
                                  KorHandle node2, int weight)
{
    KorSegment* s1 = AsSegment(ObjectOf(segment1));
    KorSegment* s2 = AsSegment(ObjectOf(segment2));
    if (!s1 || !s2) {
        SetError(KOR_ERR_CREATE);
        return 0;
    }
    KorNode* n1 = AsNode(ObjectOf(node1));
    KorNode* n2 = AsNode(ObjectOf(node2));
    if (!n1 || !n2)
        n1 = n2 = nullptr;
    auto* angular = new KorAngular();
    const KorHandle handle = angular->Create(this, s1, s2, n1, n2);
    if (handle == 0) {
        SetError(KOR_ERR_CREATE);
        delete angular;
        return 0;
    }
    FinishCreation(angular, handle, KOR_ANGLE, segment1, segment2, 0, weight);
    return handle;
}

KorHandle KorModel::CreateAngular(KorHandle arcHandle, int weight)
{
    KorObject* object = ObjectOf(arcHandle);
    auto* arc = object && object->GetType() == KOR_ARC ? static_cast<KorArc*>(object) : nullptr;
    if (!arc) {
        SetError(KOR_ERR_CREATE);
        return 0;
    }
    auto* angular = new KorAngularArc();
    const KorHandle handle = angular->Create(this, arc, true);
    if (handle == 0) {
        SetError(KOR_ERR_CREATE);
        delete angular;
        return 0;
    }
    FinishCreation(angular, handle, KOR_ANGLE, arcHandle, 0, 0, weight);
    return handle;
}

KorHandle KorModel::CreateRadial(KorHandle circleOrArc, int weight)
{
    KorObject* object = ObjectOf(circleOrArc);
    auto* circle = object && (object->GetType() == KOR_CIRCLE || object->GetType() == KOR_ARC)
                       ? static_cast<KorCircle*>(object)
                       : nullptr;
    if (!circle) {
        SetError(KOR_ERR_CREATE);
        return 0;
    }
    auto* radial = new KorRadial();
    const KorHandle handle = radial->Create(this, circle, true);
    if (handle == 0) {
        SetError(KOR_ERR_CREATE);
        delete radial;
        return 0;
    }
    FinishCreation(radial, handle, KOR_RADIUS, circleOrArc, 0, 0, weight);
    return handle;
}
