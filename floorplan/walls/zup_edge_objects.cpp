// The wall objects of an edge and of a wall surface: their order along the
// wall, their dimensions and their moves when walls are split or joined.
#include "zup_edge.h"

#include <algorithm>
#include <cmath>

#include "distances.h"
#include "kor_model.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "kor_scoped_value.h"
#include "settings.h"
#include "zup_floor.h"
#include "zup_node.h"
#include "zup_opening.h"
#include "zup_partition.h"
#include "zup_wall_object.h"
#include "zup_wall_surface.h"

namespace {

double Position(ZupWallObject* object, geobject& along)
{
    return object->GetGeoCenter().position(along);
}

// The floor's linear input snap as a whole number (GeoSnap without a floor).
double WholeInputSnap(ZupFloor* floor)
{
    return floor ? std::trunc(static_cast<double>(floor->InputSnap())) : GeoSnap();
}

// A neighbour's end toward an object; a neighbour that has not made its
// end nodes yet counts by its centre (asking it for its nodes would ask this
// object for its width in turn).
point NeighbourEnd(ZupWallObject* neighbour, bool atStart)
{
    KorNode* node = atStart ? neighbour->KorSegment::GetStart() : neighbour->KorSegment::GetEnd();
    return node ? node->GetPoint() : neighbour->GetGeoCenter();
}

}  // namespace

void ZupEdge::AddObject(ZupWallObject* object, bool sort)
{
    if (!object)
        return;
    mObjects.push_back(object);
    object->SetEdge(this);
    if (sort)
        SortObjects();
}

void ZupEdge::SortObjects()
{
    if (mObjects.size() < 2)
        return;
    geobject& along = GetGeometry();
    std::stable_sort(mObjects.begin(), mObjects.end(),
                     [&along](ZupWallObject* a, ZupWallObject* b) {
                         const double pa = Position(a, along), pb = Position(b, along);
                         // An opening comes before the stair drawn in it, so
                         // the stair's line replays after its opening's.
                         if (pa == pb)
                             return a->IsPortal() && !b->IsPortal();
                         return pa < pb;
                     });
}

void ZupEdge::RemoveObject(ZupWallObject* object)
{
    auto it = std::find(mObjects.begin(), mObjects.end(), object);
    if (it == mObjects.end())
        return;
    KorDimension* next = GetNextDim(object);
    mObjects.erase(it);
    if (mpFloor)
        mpFloor->SetModified(true);
    KorDimension* position = object->GetPosDimension();
    if (!position)
        return;
    float value = -1.0f;
    KorDimension* width = object->GetWidthDimension();
    if (width && next && width->IsEnabled() && position->IsEnabled() && next->IsEnabled())
        value = static_cast<float>(next->GetValue() + position->GetValue() + width->GetValue());
    if (!mObjects.empty())
        SetObjectsPosition(value);
    ModifyLengthDim(value);
}

void ZupEdge::SetObjectsPosition(float value)
{
    ZupWallObject* previous = nullptr;
    for (ZupWallObject* object : mObjects) {
        if (!previous) {
            object->CreatePosDimension(GetStart(), value);
        } else if (object->GetWidthDimension()) {
            KorDimension* d = object->CreatePosDimension(previous->GetEnd(), value);
            auto* distance = dynamic_cast<KorNNDistance*>(d);
            if (distance && !distance->GetOrientation().IsSet()) {
                KorOrientation direction(previous->GetGeoCenter(), object->GetGeoCenter());
                distance->SetOrientation(direction);
            }
        }
        previous = object;
    }
}

KorDimension* ZupEdge::GetNextDim(ZupWallObject* object)
{
    if (mObjects.size() >= 2) {
        auto it = std::find(mObjects.begin(), mObjects.end(), object);
        if (it != mObjects.end())
            for (++it; it != mObjects.end(); ++it)
                if (KorDimension* d = (*it)->GetPosDimension())
                    return d;
    }
    if (mpLengthDim)
        return mpLengthDim;
    return mpFloor ? mpFloor->GetDimension(GetStart(), GetEnd(), false) : nullptr;
}

KorDimension* ZupEdge::GetDimension(point& p)
{
    geobject& along = GetGeometry();
    const double t = p.position(along);
    for (ZupWallObject* object : mObjects) {
        if (t < object->GetStart()->GetPoint().position(along))
            return object->GetPosDimension();
        if (t < object->GetEnd()->GetPoint().position(along))
            return object->GetWidthDimension();
    }
    if (mpLengthDim)
        return mpLengthDim;
    return mpFloor ? mpFloor->GetDimension(GetStart(), GetEnd(), false) : nullptr;
}

KorDimension* ZupEdge::CreateLengthDim(KorNode* from)
{
    if (!mpFloor)
        return nullptr;
    KorNode* start = from ? from : GetStart();
    auto* d = new KorNNDistance();
    if (d->Create(mpFloor, start, GetEnd(), true) == 0) {
        delete d;
        mpLengthDim = mpFloor->GetDimension(start, GetEnd(), false);
    } else {
        mpLengthDim = d;
    }
    return mpLengthDim;
}

KorDimension* ZupEdge::ModifyLengthDim(float value)
{
    if (!mpFloor)
        return mpLengthDim;
    KorNode* from = GetStart();
    for (auto it = mObjects.rbegin(); it != mObjects.rend(); ++it)
        if ((*it)->GetWidthDimension()) {
            from = (*it)->GetEnd();
            break;
        }
    if (!mpLengthDim)
        mpLengthDim = mpFloor->GetDimension(GetStart(), GetEnd(), false);
    if (mpLengthDim) {
        KorEntity* a = nullptr;
        KorEntity* b = nullptr;
        KorEntity* c = nullptr;
        mpLengthDim->GetEntities(a, b, c);
        if ((a == from && b == GetEnd()) || (a == GetEnd() && b == from))
            return mpLengthDim;
        delete mpLengthDim;
        mpLengthDim = nullptr;
    }
    auto* d = new KorNNDistance();
    if (d->Create(mpFloor, from, GetEnd(), true) == 0) {
        delete d;
        mpLengthDim = mpFloor->GetDimension(from, GetEnd(), false);
        return mpLengthDim;
    }
    mpLengthDim = d;
    if (value > -1.0f)
        d->SetValue(value, KOR_DIM_EQUAL, false);
    return mpLengthDim;
}

void ZupEdge::TransferObjects(ZupEdge* to, bool test)
{
    if (!to || mObjects.empty())
        return;
    KorScopedValue<double> snap(GeoSnap(), mpFloor ? mpFloor->InputSnap() / 2.0 : GeoSnap());
    KorNode* n = (GetStart() == to->GetStart() || GetEnd() == to->GetStart()) ? to->GetEnd()
                                                                              : to->GetStart();
    auto* nodeAtN = dynamic_cast<ZupNode*>(n);
    const std::vector<ZupWallObject*> objects = mObjects;
    for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
        ZupWallObject* object = *it;
        bool moves = !test;
        if (test) {
            const bool endAtN = n && (object->GetStart()->GetPoint() == n->GetPoint() ||
                                      object->GetEnd()->GetPoint() == n->GetPoint());
            if (endAtN)
                moves = nodeAtN && nodeAtN->GetWallObject(nullptr);
            else
                moves = object->GetGeoCenter() == to->GetGeometry();
        }
        if (moves)
            TransferObject(to, object);
        else
            UpdateObject(object);
    }
}

void ZupEdge::TransferObject(ZupEdge* to, ZupWallObject* object)
{
    if (!to || !object)
        return;
    RemoveObject(object);
    to->AddObject(object, true);
    to->UpdateObject(object);
}

void ZupEdge::UpdateObject(ZupWallObject* object)
{
    KorNode* start = GetStart();
    KorNode* end = GetEnd();
    KorNode* os = object->GetStart();
    KorNode* oe = object->GetEnd();
    if (!start || !end || !os || !oe)
        return;
    if (GeoDistance(os->GetPoint(), start->GetPoint()) >
        GeoDistance(oe->GetPoint(), start->GetPoint())) {
        object->ReplaceStart(oe);
        object->ReplaceEnd(os);
        object->SetOrientation();
        std::swap(os, oe);
    }
    if (object->IsPortal() || object->IsWindow())
        FitObjectEnds(object);
}

void ZupEdge::FitObjectEnds(ZupWallObject* object)
{
    KorNode* start = GetStart();
    KorNode* end = GetEnd();
    KorNode* os = object ? object->GetStart() : nullptr;
    KorNode* oe = object ? object->GetEnd() : nullptr;
    if (!start || !end || !os || !oe)
        return;
    geobject& along = GetGeometry();
    if (os->GetPoint() != along)
        os->SetPosition(start->GetPoint().x(), start->GetPoint().y(), true, false);
    if (oe->GetPoint() != along)
        oe->SetPosition(end->GetPoint().x(), end->GetPoint().y(), true, false);
}

ZupWallObject* ZupEdge::GetWallObject(point& p, ZupPartition* room)
{
    const double d0 = mpFloor ? mpFloor->InputSnap() : GeoSnap();
    ZupWallObject* best = nullptr;
    double bound = d0;
    bool nodeCandidate = false;
    for (KorNode* end : {GetStart(), GetEnd()}) {
        auto* node = dynamic_cast<ZupNode*>(end);
        if (!node || GeoDistance(p, node->GetPoint()) >= d0)
            continue;
        if (ZupWallObject* o = node->GetWallObject(room)) {
            best = o;
            bound = GeoDistance(p, node->GetPoint());
            nodeCandidate = true;
        }
        break;
    }
    for (ZupWallObject* object : mObjects) {
        if (room && object->GetPartition() != room)
            continue;
        const double d = nodeCandidate ? GeoDistance(p, object->GetGeoCenter())
                                       : GeoDistance(p, object->GetGeometry());
        if (d < bound) {
            best = object;
            bound = d;
        }
    }
    return best;
}

ZupWallObject* ZupEdge::GetWallObjectByCenter(point& p)
{
    const double bound = WholeInputSnap(mpFloor);
    for (ZupWallObject* object : mObjects)
        if (GeoDistance(p, object->GetGeoCenter()) < bound)
            return object;
    return nullptr;
}

ZupWallObject* ZupEdge::GetWallObjectByEnd(point& p, int type, ZupWallObject* skip)
{
    if (type == -1)
        return nullptr;
    const double bound = WholeInputSnap(mpFloor);
    for (ZupWallObject* object : mObjects) {
        if (object == skip || object->IsCorner() || object->GetObjectType() != type)
            continue;
        if (GeoDistance(p, object->GetStart()->GetPoint()) < bound ||
            GeoDistance(p, object->GetEnd()->GetPoint()) < bound)
            return object;
    }
    return nullptr;
}

ZupOpening* ZupEdge::Get1stOpening() const
{
    for (ZupWallObject* object : mObjects)
        if (object->IsPortal())
            return static_cast<ZupOpening*>(object);
    return nullptr;
}

bool ZupEdge::IsFullWallEntryWay()
{
    if (mObjects.size() != 1 || !mObjects.front()->IsPortal())
        return false;
    ZupWallObject* object = mObjects.front();
    const double bound = WholeInputSnap(mpFloor);
    return object->ZupObject::GetType() == 0 &&
           GeoDistance(object->GetStart()->GetPoint(), GetStart()->GetPoint()) < bound &&
           GeoDistance(object->GetEnd()->GetPoint(), GetEnd()->GetPoint()) < bound;
}

float ZupEdge::GetSafeObjectWidth(ZupWallObject* object)
{
    auto it = std::find(mObjects.begin(), mObjects.end(), object);
    if (it == mObjects.end())
        return 0.0f;
    const point c = object->GetGeoCenter();
    const double thickness = mpFloor ? mpFloor->DefaultWallThickness() : 0.0;
    double a = GeoDistance(c, GetStart()->GetPoint());
    double b = GeoDistance(c, GetEnd()->GetPoint());
    if (mObjects.size() >= 2) {
        if (it != mObjects.begin())
            a = GeoDistance(c, NeighbourEnd(*(it - 1), false)) - thickness;
        if (it + 1 != mObjects.end())
            b = GeoDistance(c, NeighbourEnd(*(it + 1), true)) - thickness;
    }
    const double half = ZupFloor::DefaultOpeningWidth() / 2.0;
    const double room = std::min(a, b);
    return static_cast<float>(room < half ? room : half);
}

// ---- Wall surfaces ----

int ZupWallSurface::GetNumOfOpenings() const
{
    int count = 0;
    for (ZupEdge* edge : mEdges)
        for (int i = 0; i < edge->GetNumOfObjects(); ++i)
            if (edge->GetWallObject(i)->IsPortal())
                ++count;
    return count;
}

int ZupWallSurface::GetNumOfObjects() const
{
    int count = 0;
    for (ZupEdge* edge : mEdges)
        for (int i = 0; i < edge->GetNumOfObjects(); ++i)
            if (edge->GetWallObject(i)->GetWallSurface() == this)
                ++count;
    return count;
}

ZupWallObject* ZupWallSurface::GetWallObject(int index) const
{
    for (ZupEdge* edge : mEdges)
        for (int i = 0; i < edge->GetNumOfObjects(); ++i) {
            ZupWallObject* object = edge->GetWallObject(i);
            if (object->GetWallSurface() == this && index-- == 0)
                return object;
        }
    return nullptr;
}

ZupWallObject* ZupWallSurface::GetWallObject(point& p)
{
    for (ZupEdge* edge : mEdges)
        if (ZupWallObject* object = edge->GetWallObject(p, mpRoom))
            return object;
    return nullptr;
}

ZupWallObject* ZupWallSurface::GetWallObjectByEnd(point& p, int type, ZupWallObject* skip)
{
    for (ZupEdge* edge : mEdges)
        if (ZupWallObject* object = edge->GetWallObjectByEnd(p, type, skip))
            return object;
    return nullptr;
}
