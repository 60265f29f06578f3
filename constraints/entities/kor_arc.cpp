#include "kor_arc.h"

#include <cmath>

#include "distances.h"
#include "kor_cir_tracker.h"
#include "kor_dimension.h"
#include "kor_model.h"
#include "kor_node.h"
#include "geo_types.h"

namespace {

// The model's angular play in degrees (its default without a model).
double AngularPlay(KorModel* model) { return model ? model->AngularPlay().deg() : 0.05; }

double Direction(const point& from, const point& to)
{
    return std::atan2(to.y() - from.y(), to.x() - from.x());
}

}  // namespace

KorArc::KorArc() = default;

KorArc::~KorArc()
{
    if (!mpTracker)
        return;
    if (mpEnd)
        mpEnd->RemovePrimitive(this, true);
    if (mpCenter)
        mpCenter->RemovePrimitive(this, true);
}

KorHandle KorArc::Create(KorModel* model, KorNode* centre, KorNode* start, KorNode* end,
                         KorCirTracker* t)
{
    if (!model || !centre || !start || !end || start == end || centre == end)
        return 0;
    mpCenter = centre;
    mpStart = start;
    mpEnd = end;
    const KorHandle handle = model->AddPrimitive(this);
    if (handle == 0) {
        mpCenter = mpStart = mpEnd = nullptr;
        return 0;
    }
    if (t)
        t->AddPrimitive(this);
    else
        new KorCirTracker(model, this);
    mpModel = model;
    centre->AddPrimitive(this);
    start->AddPrimitive(this);
    end->AddPrimitive(this);
    SetOrientation();
    return handle;
}

geobject& KorArc::GetGeometry()
{
    if (mpCenter && mpStart && mpEnd)
        mGeometry.move(mpCenter->GetPoint(), mpStart->GetPoint(), mpEnd->GetPoint());
    return mGeometry;
}

void KorArc::SetTracker(KorTracker* t) { JoinTracker(t, {mpStart, mpEnd}); }

void KorArc::DetachTracker() { LeaveTracker(mpCenter, {mpStart, mpEnd}); }

point KorArc::GetGeoCenter()
{
    if (!mpCenter || !mpStart || !mpEnd)
        return point(0.0, 0.0);
    const point& c = mpCenter->GetPoint();
    double a1 = Direction(c, mpStart->GetPoint());
    const double a2 = Direction(c, mpEnd->GetPoint());
    if (a1 > a2)
        a1 -= 2.0 * GEO_PI;
    const double middle = (a1 + a2) / 2.0;
    const double r = mpTracker ? GetRadius() : PointDistance(c, mpStart->GetPoint());
    return point(c.x() + r * std::cos(middle), c.y() + r * std::sin(middle));
}

KorOrientation KorArc::FindOrientation()
{
    if (!mpCenter || !mpStart || !mpEnd)
        return mOrientation;
    return KorOrientation(mpCenter->GetPoint(), GetGeoCenter());
}

double KorArc::GetSweep()
{
    if (!mpCenter || !mpStart || !mpEnd)
        return 0.0;
    const point& c = mpCenter->GetPoint();
    double sweep = Direction(c, mpEnd->GetPoint()) - Direction(c, mpStart->GetPoint());
    if (sweep < 0.0)
        sweep += 2.0 * GEO_PI;
    return sweep * 180.0 / GEO_PI;
}

bool KorArc::IsCollapsed()
{
    if (KorCircle::IsCollapsed())
        return true;
    return GetSweep() < AngularPlay(mpModel);
}

bool KorArc::IsValid()
{
    if (mpModel) {
        KorDimension* d = mpModel->GetDimension(this, nullptr, false);
        if (d && d->IsEnabled())
            return true;
    }
    if (GetRadius() < LinearPlay())
        return false;
    if (GetSweep() < AngularPlay(mpModel))
        return false;
    return !IsReversed();
}
