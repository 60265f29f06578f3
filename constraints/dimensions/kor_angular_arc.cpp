#include "kor_angular_arc.h"

#include <cmath>

#include "circle.h"
#include "distances.h"
#include "drag_solvers.h"
#include "kor_arc.h"
#include "kor_dim_solution.h"
#include "kor_dim_support.h"
#include "kor_lin_tracker.h"
#include "kor_model.h"
#include "kor_solution_geometry.h"

KorAngularArc::KorAngularArc() = default;

KorAngularArc::~KorAngularArc()
{
    if (!mpModel)
        return;
    // Trackers this dimension made; one another object deleted is gone.
    for (std::uint64_t serial : {mOwnStartRaySerial, mOwnEndRaySerial, mCentreTrackerSerial})
        delete KorFindLive(mpModel->GetTrackers(), serial);
    mOwnStartRaySerial = mOwnEndRaySerial = mCentreTrackerSerial = 0;
    mpStartRay = mpEndRay = nullptr;
    mpCentreTracker = nullptr;
}

KorLinTracker* KorAngularArc::RayTracker(KorNode* node, std::uint64_t& ownSerial)
{
    if (KorLinTracker* shared = mpCentre->GetCommonLinTracker(node))
        return shared;
    auto* own = new KorLinTracker(mpModel, mpCentre, node);
    ownSerial = own->GetSerial();
    return own;
}

KorHandle KorAngularArc::Create(KorModel* model, KorArc* arc, bool registered)
{
    if (!model || !arc || !arc->GetCenter() || !arc->GetStart() || !arc->GetEnd()) {
        if (model)
            model->SetError(KOR_ERR_CREATE);
        return 0;
    }
    mpStart = arc;
    KorHandle handle = 1;
    if (registered) {
        handle = model->AddDimension(this);
        if (handle == 0) {
            model->SetError(KOR_ERR_CREATE);
            return 0;
        }
    }
    mpModel = model;
    mpCentre = arc->GetCenter();
    mpStartNode = arc->GetStart();
    mpEndNode = arc->GetEnd();
    mpStartRay = RayTracker(mpStartNode, mOwnStartRaySerial);
    mpEndRay = RayTracker(mpEndNode, mOwnEndRaySerial);
    CreateDFs(mpStartRay->GetAlignment() == KOR_EMPTY && mpEndRay->GetAlignment() == KOR_EMPTY);
    mbStartFlag = GetDirectionFlag(mpCentre->GetPoint(), mpStartNode->GetPoint());
    mbEndFlag = GetDirectionFlag(mpCentre->GetPoint(), mpEndNode->GetPoint());
    arc->AddDimaint(this);
    CalculateOrientation();
    return handle;
}

KorLinTracker* KorAngularArc::Live(KorLinTracker* tracker, std::uint64_t serial) const
{
    return serial == 0 || KorFindLive(mpModel->GetTrackers(), serial) ? tracker : nullptr;
}

void KorAngularArc::Update(KorEntity*, KorEntity*)
{
    mpStartRay = Live(mpStartRay, mOwnStartRaySerial);
    mpEndRay = Live(mpEndRay, mOwnEndRaySerial);
    SetupVirtualRays();
    UpdateDoubleRotateDF();
}

double KorAngularArc::GetImplementedValue()
{
    auto* arc = dynamic_cast<KorArc*>(mpStart);
    return arc ? arc->GetSweep() : 0.0;
}

KorTracker* KorAngularArc::GetCenterTracker()
{
    if (mpModel && (mpCentreTracker = KorFindLive(mpModel->GetTrackers(), mCentreTrackerSerial)))
        return mpCentreTracker;
    if (!mpModel || !mpCentre)
        return nullptr;
    auto* tracker = new KorLinTracker(mpModel, mpCentre);
    mCentreTrackerSerial = tracker->GetSerial();
    mpCentreTracker = tracker;
    UpdateCenterTracker();
    return tracker;
}

void KorAngularArc::UpdateCenterTracker()
{
    auto* tracker = dynamic_cast<KorLinTracker*>(mpCentreTracker);
    if (!tracker || !mpCentre || !mpStartNode || !mpEndNode)
        return;
    const point mid(mpStartNode->GetPoint(), mpEndNode->GetPoint());
    if (mid == mpCentre->GetPoint())
        return;
    KorSetLine(tracker->GetLine(), line(mid, mpCentre->GetPoint()));
}

bool KorAngularArc::PlaceArmNode(KorDimSolution* solution)
{
    auto* arc = dynamic_cast<KorArc*>(mpStart);
    KorDF* df = solution->GetDF();
    auto* moved = df ? dynamic_cast<KorLinTracker*>(df->mpMoved) : nullptr;
    if (!arc || !moved || !mpCentre)
        return false;
    const bool first = moved == mpStartRay;
    KorNode* arm = first ? mpStartNode : mpEndNode;
    KorNode* other = first ? mpEndNode : mpStartNode;
    const circle about(mpCentre->GetPoint(), GeoDistance(mpCentre->GetPoint(), other->GetPoint()));
    point crossing[2];
    if (KorIntersect(moved->GetLine(), about, crossing, 2) < 2)
        return true;
    const double play = static_cast<double>(mpModel->AngularPlay());
    point chosen = crossing[1];
    const double sweep = first ? SweepAt(mpCentre->GetPoint(), crossing[0], other->GetPoint())
                               : SweepAt(mpCentre->GetPoint(), other->GetPoint(), crossing[0]);
    if (std::fabs(sweep - GetValue()) <= play)
        chosen = crossing[0];
    if (!KorPlaceNode(arm, chosen))
        return false;
    solution->SetUpdatedNode1(arm);
    return true;
}

bool KorAngularArc::Adjust(KorDimSolution* solution)
{
    if (!AdjustCommon(solution))
        return false;
    if (solution->GetOpCode() != KOR_OP_ANGULAR)
        return PlaceArmNode(solution);
    point crossing[2];
    if (!mpStartRay || !mpEndRay
        || KorIntersect(mpStartRay->GetLine(), mpEndRay->GetLine(), crossing, 2) == 0
        || !KorPlaceNode(mpCentre, crossing[0]))
        return false;
    solution->SetUpdatedNode1(mpCentre);
    if (mpExtraSolution)
        mpExtraSolution->SetUpdatedNode1(mpCentre);
    return true;
}
