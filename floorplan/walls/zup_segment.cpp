#include "zup_segment.h"

#include <vector>

#include "kor_alignment.h"
#include "kor_lin_tracker.h"
#include "kor_model.h"
#include "kor_nn_distance.h"
#include "kor_parallel.h"
#include "zup_floor.h"

ZupSegment::ZupSegment(ZupEdgeType type) : ZupEdge(type) {}

ZupSegment::ZupSegment(ZupEdge* other) : ZupEdge(static_cast<const ZupEdge*>(other)) {}

ZupSegment::~ZupSegment()
{
    DestroyEdge();
}

KorHandle ZupSegment::Create(ZupFloor* floor, KorNode* start, KorNode* end,
                             KorLinTracker* tracker)
{
    const KorHandle handle = KorSegment::Create(floor, start, end, tracker);
    if (handle)
        ZupEdge::Create(floor);
    return handle;
}

geobject& ZupSegment::GetGeometry()
{
    return KorSegment::GetGeometry();
}

point ZupSegment::GetGeoCenter()
{
    return KorSegment::GetGeoCenter();
}

KorNode* ZupSegment::GetStart() const
{
    return KorSegment::GetStart();
}

KorNode* ZupSegment::GetEnd() const
{
    return KorSegment::GetEnd();
}

KorTracker* ZupSegment::GetTracker() const
{
    return KorPrimitive::GetTracker();
}

bool ZupSegment::IsAligned()
{
    KorTracker* tracker = GetTracker();
    return tracker && tracker->IsAligned();
}

KorDimension* ZupSegment::Resolve()
{
    KorModel* model = GetModel();
    if (!model)
        return nullptr;
    auto* rule = new KorNNDistance();
    if (!rule->Create(model, this)) {
        delete rule;
        return nullptr;
    }
    rule->SetValue(model->LinearPlay(), KOR_DIM_EQUAL, false);
    rule->SetExtraRule(true);
    return rule;
}

ZupEdge* ZupSegment::Divide(KorNode* node, bool colinear)
{
    KorNode* start = KorSegment::GetStart();
    KorNode* end = KorSegment::GetEnd();
    KorModel* model = GetModel();
    if (!node || node == start || node == end || !model)
        return nullptr;
    auto* tracker = dynamic_cast<KorLinTracker*>(KorPrimitive::GetTracker());
    auto* piece = new ZupSegment(static_cast<ZupEdge*>(this));
    if (piece->KorSegment::Create(model, node, end, tracker) == 0)
        return DiscardPiece(piece);  // the model refused it
    return FinishDivide(piece, node, colinear);
}

namespace {

std::vector<KorParallel*> ParallelsOf(KorSegment* segment)
{
    std::vector<KorParallel*> parallels;
    for (int i = 0; i < segment->GetNumOfDimaints(); ++i) {
        KorDimaint* d = segment->GetDimaint(i);
        if (d && d->GetType() == KOR_PARALLEL)
            if (auto* p = dynamic_cast<KorParallel*>(d))
                parallels.push_back(p);
    }
    return parallels;
}

KorAlignment* AlignmentOf(KorSegment* segment)
{
    for (int i = 0; i < segment->GetNumOfDimaints(); ++i)
        if (auto* a = dynamic_cast<KorAlignment*>(segment->GetDimaint(i)))
            return a;
    return nullptr;
}

}  // namespace

void ZupSegment::RemoveAlignment()
{
    KorModel* model = GetModel();
    if (!model)
        return;
    KorSegment* partner = nullptr;
    const KOREntityType kind = GetAlignment();
    if (kind != KOR_EMPTY) {
        delete AlignmentOf(this);
        std::vector<KorParallel*> parallels = ParallelsOf(this);
        if (!parallels.empty()) {
            partner = parallels.front()->GetOtherSegment(this);
            auto* alignment = new KorAlignment();
            if (!partner || alignment->Create(model, kind, partner, false) == 0)
                delete alignment;
        }
    }
    std::vector<KorParallel*> parallels = ParallelsOf(this);
    if (!partner)
        for (KorParallel* p : parallels) {
            KorSegment* other = p->GetOtherSegment(this);
            if (other && other->GetAlignment() != KOR_EMPTY) {
                partner = other;
                break;
            }
        }
    std::vector<KorSegment*> others;
    for (KorParallel* p : parallels) {
        KorSegment* other = p->GetOtherSegment(this);
        delete p;
        if (other && other != partner)
            others.push_back(other);
    }
    if (!partner)
        return;
    for (KorSegment* other : others) {
        auto* p = new KorParallel();
        if (p->Create(model, other, partner) == 0)
            delete p;
    }
}
