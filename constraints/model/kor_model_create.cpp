// Creation of constraints and dimensions by handle.
#include "kor_model.h"

#include "kor_alignment.h"
#include "kor_capture.h"
#include "kor_coincident.h"
#include "kor_colinear.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "kor_parallel.h"
#include "kor_perpendicular.h"
#include "kor_primitive.h"
#include "kor_segment.h"
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

}  // namespace

void KorModel::FinishCreation(KorDimaint* dimaint, KorHandle handle, KOREntityType lineType,
                              KorHandle h1, KorHandle h2, KorHandle h3, int weight)
{
    if (weight != 0)
        dimaint->SetWeight(weight);
    if (IsJournalActive())
        WriteJournal(mpCapture->getConstraintLine(lineType, handle, h1, h2, h3));
}

KorHandle KorModel::CreateConstraint(KOREntityType kind, KorHandle h1, KorHandle h2, KorHandle,
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
    default:
        // Tangencies and symmetries are not available in this library yet.
        SetError(KOR_ERR_UNSUPPORTED);
        return 0;
    }
    if (handle == 0)
        return 0;
    FinishCreation(created, handle, created->GetType(), h1, second ? h2 : 0, 0, weight);
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
    if (!node1 || !node2 || kind != KOR_DISTANCE) {
        // Orthogonal, node-segment and segment-segment distances are not
        // available in this library yet.
        SetError(KOR_ERR_CREATE);
        return 0;
    }
    auto* distance = new KorNNDistance();
    const KorHandle handle = distance->Create(this, node1, node2, true);
    if (handle == 0) {
        SetError(KOR_ERR_CREATE);
        delete distance;
        return 0;
    }
    FinishCreation(distance, handle, kind, h1, second ? h2 : 0, 0, weight);
    return handle;
}

KorHandle KorModel::CreateAngular(KorHandle, KorHandle, KorHandle, KorHandle, int)
{
    // Angular dimensions are not available in this library yet.
    SetError(KOR_ERR_CREATE);
    return 0;
}

KorHandle KorModel::CreateAngular(KorHandle, int)
{
    SetError(KOR_ERR_CREATE);
    return 0;
}

KorHandle KorModel::CreateRadial(KorHandle, int)
{
    // Radius dimensions are not available in this library yet.
    SetError(KOR_ERR_CREATE);
    return 0;
}
