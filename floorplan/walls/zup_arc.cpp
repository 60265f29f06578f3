#include "zup_arc.h"

#include "kor_angular_arc.h"
#include "kor_cir_tracker.h"
#include "kor_model.h"
#include "kor_radial.h"
#include "geolist.h"
#include "line.h"
#include "zup_floor.h"

ZupArc::ZupArc(ZupEdgeType type) : ZupEdge(type) {}

ZupArc::ZupArc(ZupEdge* other) : ZupEdge(static_cast<const ZupEdge*>(other)) {}

ZupArc::~ZupArc()
{
    DestroyEdge();
}

KorHandle ZupArc::Create(ZupFloor* floor, KorNode* centre, KorNode* start, KorNode* end,
                         KorCirTracker* tracker)
{
    const KorHandle handle = KorArc::Create(floor, centre, start, end, tracker);
    if (handle)
        ZupEdge::Create(floor);
    return handle;
}

geobject& ZupArc::GetGeometry()
{
    return KorArc::GetGeometry();
}

point ZupArc::GetGeoCenter()
{
    KorNode* start = KorArc::GetStart();
    KorNode* end = KorArc::GetEnd();
    if (!start || !end)
        return KorArc::GetGeoCenter();
    return point(end->GetPoint(), start->GetPoint());
}

KorNode* ZupArc::GetStart() const
{
    return KorArc::GetStart();
}

KorNode* ZupArc::GetEnd() const
{
    return KorArc::GetEnd();
}

KorNode* ZupArc::GetCenter() const
{
    return KorArc::GetCenter();
}

KorTracker* ZupArc::GetTracker() const
{
    return KorPrimitive::GetTracker();
}

double ZupArc::GetRadius() const
{
    return static_cast<double>(KorArc::GetRadius());
}

KorDimension* ZupArc::Resolve()
{
    KorModel* model = GetModel();
    if (!model)
        return nullptr;
    KorDimension* rule = nullptr;
    if (IsCollapsed()) {
        auto* radial = new KorRadial();
        if (radial->Create(model, this, false) == 0 ||
            !radial->SetValue(model->LinearPlay(), KOR_DIM_EQUAL, false)) {
            delete radial;
            return nullptr;
        }
        rule = radial;
    } else {
        auto* sweep = new KorAngularArc();
        if (sweep->Create(model, this, false) == 0) {
            delete sweep;
            return nullptr;
        }
        sweep->SetValue(static_cast<double>(model->AngularPlay()), KOR_DIM_EQUAL, false);
        rule = sweep;
    }
    rule->SetExtraRule(true);
    return rule;
}

ZupEdge* ZupArc::Divide(KorNode* node, bool colinear)
{
    KorNode* centre = KorArc::GetCenter();
    KorNode* start = KorArc::GetStart();
    KorNode* end = KorArc::GetEnd();
    KorModel* model = GetModel();
    if (!node || node == start || node == end || !model)
        return nullptr;
    auto* tracker = dynamic_cast<KorCirTracker*>(KorPrimitive::GetTracker());
    auto* piece = new ZupArc(static_cast<ZupEdge*>(this));
    if (piece->KorArc::Create(model, centre, node, end, tracker) == 0)
        return DiscardPiece(piece);  // the model refused it
    return FinishDivide(piece, node, colinear);
}

point ZupArc::GetGeoFocus()
{
    KorNode* centre = KorArc::GetCenter();
    KorNode* start = KorArc::GetStart();
    KorNode* end = KorArc::GetEnd();
    if (!centre || !start || !end)
        return point();
    // The tangent at a point of the circle is perpendicular to the radius.
    line radiusStart(centre->GetPoint(), start->GetPoint());
    line radiusEnd(centre->GetPoint(), end->GetPoint());
    line tangentStart(radiusStart, start->GetPoint());
    line tangentEnd(radiusEnd, end->GetPoint());
    point focus;
    if (!(focus = (tangentStart % tangentEnd)))
        return point(start->GetPoint(), end->GetPoint());
    return focus;
}
