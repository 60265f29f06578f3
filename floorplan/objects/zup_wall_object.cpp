#include "geolist.h"
#include "zup_wall_object.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "kor_model.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "kor_tracker.h"
#include "line.h"
#include "segment.h"
#include "polygon.h"
#include "kor_scoped_value.h"
#include "settings.h"
#include "zup_floor.h"
#include "zup_node.h"
#include "zup_object_points.h"
#include "zup_partition.h"
#include "zup_wall_surface.h"

namespace {

// Window depth without a floor: 14 metric, 6 imperial.
int DefaultWindowDepth()
{
    return ZupObject::IsMetric() ? 14 : 6;
}

// The large straight pane of a window: 87 metric, 35 imperial (the window
// class owns this size; to be read from it once it exists).
double LargePaneWidth()
{
    return ZupObject::IsMetric() ? 87.0 : 35.0;
}

}  // namespace

using zup_points::Distance;
using zup_points::NodePoint;
using zup_points::Toward;

void ZupDeleteWallObject(ZupWallObject* object)
{
    delete object;
}

ZupWallObject::ZupWallObject(ZupFloor* floor, ZupNode* start, ZupNode* end)
    : ZupSegment(ZUP_EDGE_FREE), mpOwnFloor(floor)
{
    ReplaceStart(start);
    ReplaceEnd(end);
    mpModel = floor;
    ZupEdge::Create(floor);
    ZupObject::SetType(0);
}

ZupWallObject::~ZupWallObject()
{
    if (KorPrimitive::GetTracker()) {
        if (mpHostEdge)
            mpHostEdge->RemoveObject(this);
        const bool hadOwn = mpOwnStart || mpOwnEnd;
        DeleteOwnNodes();
        if (hadOwn) {
            ReplaceStart(nullptr);
            ReplaceEnd(nullptr);
            DetachTracker();
        }
    }
}

void ZupWallObject::DeleteOwnNodes()
{
    KorNode* start = std::exchange(mpOwnStart, nullptr);
    KorNode* end = std::exchange(mpOwnEnd, nullptr);
    if (end == start)
        end = nullptr;
    delete start;
    delete end;
}

bool ZupWallObject::StandsOn(const KorNode* node) const
{
    return node && (KorSegment::GetStart() == node || KorSegment::GetEnd() == node ||
                    mpOwnStart == node || mpOwnEnd == node);
}

void ZupWallObject::ForgetDimension(const KorDimension* dimension)
{
    if (mpPosDimension == dimension)
        mpPosDimension = nullptr;
    if (mpWidthDimension == dimension)
        mpWidthDimension = nullptr;
}

void ZupWallObject::ForgetNode(KorNode* node)
{
    if (!StandsOn(node))
        return;
    if (mpOwnStart == node)
        mpOwnStart = nullptr;
    if (mpOwnEnd == node)
        mpOwnEnd = nullptr;
    for (int i = 0; KorDimaint* d = node->GetDimaint(i); ++i) {
        if (d == mpPosDimension)
            mpPosDimension = nullptr;
        if (d == mpWidthDimension)
            mpWidthDimension = nullptr;
    }
    if (KorSegment::GetStart() == node || KorSegment::GetEnd() == node) {
        ReplaceStart(nullptr);
        ReplaceEnd(nullptr);
    }
}

bool ZupWallObject::Create(ZupFloor* floor, point& p, line* hint, bool snapToEnd)
{
    if (!floor)
        return false;
    KorPrimitive* primitive = nullptr;
    {
        KorScopedValue<double> snap(GeoSnap(), floor->InputSnap());
        primitive = floor->GetPrimitive(p, hint);
    }
    auto* edge = dynamic_cast<ZupEdge*>(primitive);
    if (!edge || edge == this)
        return false;
    mCenter = p;
    mCenter = primitive->GetGeometry();
    mpOwnFloor = floor;
    mpModel = floor;
    edge->AddObject(this, true);
    if (!mpHostEdge)
        SetEdge(edge);
    if (snapToEnd)
        SnapToWallEnd(p, floor->InputSnap());
    floor->SetModified(true);
    return true;
}

void ZupWallObject::SnapToWallEnd(const point& p, double snap)
{
    KorNode* node = nullptr;
    if (Distance(NodePoint(mpHostEdge->GetStart()), p) < snap)
        node = mpHostEdge->GetStart();
    else if (Distance(NodePoint(mpHostEdge->GetEnd()), p) < snap)
        node = mpHostEdge->GetEnd();
    if (!node)
        return;
    ReplaceStart(node);
    ReplaceEnd(node);
    mCenter = NodePoint(node);
    if (!mpPartition)
        return;
    if (mpHostEdge->GetPartition(0) == mpPartition || mpHostEdge->GetPartition(1) == mpPartition)
        return;
    auto* zupNode = dynamic_cast<ZupNode*>(node);
    ZupEdge* other = zupNode ? zupNode->GetEdge(mpPartition) : nullptr;
    if (other && other != mpHostEdge)
        mpHostEdge->TransferObject(other, this);
}

bool ZupWallObject::Create(ZupFloor* floor, point& a, point& b, line* hint)
{
    mCenter = point(a, b);
    line through(a, b);
    const bool same = a == b;
    if (!Create(floor, mCenter, hint ? hint : &through, same))
        return false;
    if (!(KorSegment::GetStart() && same)) {
        CreateStart(a);
        CreateEnd(b);
        ValidateEnds();
    }
    return true;
}

bool ZupWallObject::Create(ZupNode* first, ZupNode* second, int type, int depth)
{
    if (!first || !second)
        return false;
    auto* floor = dynamic_cast<ZupFloor*>(first->GetModel());
    point a = NodePoint(first);
    point b = NodePoint(second);
    point centre(a, b);
    if (!Create(floor, centre, nullptr, first == second || a == b))
        return false;
    if (KorSegment::GetStart())
        TakeCornerLengthDims(first, second);
    else
        TakeNodes(first, second);
    SetType(type);
    mDepth = depth;
    return true;
}

void ZupWallObject::TakeCornerLengthDims(ZupNode* first, ZupNode* second)
{
    KorModel* model = GetModel();
    if (!mpHostEdge->GetLengthDim()) {
        KorNode* from = second;
        if (!model->GetDimension(second, mpHostEdge->GetEnd(), false) && first != second)
            from = first;
        mpHostEdge->SetLengthDim(model->GetDimension(from, mpHostEdge->GetEnd(), false));
    }
    auto* node = dynamic_cast<ZupNode*>(KorSegment::GetStart());
    ZupEdge* other = node ? node->GetOtherEdge(mpHostEdge, mpPartition) : nullptr;
    if (other && !other->GetLengthDim()) {
        KorDimension* dim = model->GetDimension(second, other->GetEnd(), false);
        if (!dim)
            dim = model->GetDimension(first, other->GetEnd(), false);
        other->SetLengthDim(dim);
    }
}

void ZupWallObject::TakeNodes(ZupNode* first, ZupNode* second)
{
    ReplaceStart(first);
    ReplaceEnd(second);
    if (CanOwn(first))
        mpOwnStart = first;
    if (second != first && CanOwn(second))
        mpOwnEnd = second;
    for (KorNode* node : {static_cast<KorNode*>(first), static_cast<KorNode*>(second)}) {
        point q = NodePoint(node);
        point on = q;
        on = mpHostEdge->GetGeometry();
        if (on != q)
            node->SetPosition(on.x(), on.y(), true, false);
    }
    ValidateEnds();
    KorModel* model = GetModel();
    KorNode* start = KorSegment::GetStart();
    KorNode* end = KorSegment::GetEnd();
    mpWidthDimension = dynamic_cast<KorNNDistance*>(model->GetDimension(start, end, false));
    for (int i = 0;; ++i) {
        KorDimaint* d = start->GetDimaint(i);
        if (!d)
            break;
        auto* distance = dynamic_cast<KorNNDistance*>(d);
        if (distance && distance != mpWidthDimension) {
            mpPosDimension = distance;
            break;
        }
    }
    if (mpWidthDimension && mpPosDimension)
        mpHostEdge->SetLengthDim(model->GetDimension(end, mpHostEdge->GetEnd(), false));
}

// A wall node belongs to its walls, and a node another object stands on is
// that object's: owning either would delete it twice.
bool ZupWallObject::CanOwn(ZupNode* node)
{
    ZupFloor* floor = GetFloor();
    return node->GetNumOfPrimitives() == 0 && !(floor && floor->HasWallObjectOn(node, this));
}

void ZupWallObject::SetEdge(ZupEdge* edge)
{
    mpHostEdge = edge;
    if (!edge)
        return;
    ZupWallSurface* white = edge->GetWhiteSurface();
    ZupWallSurface* red = edge->GetRedSurface();
    if (white && red)
        mpWallSurface = white->GetPartition() == mpPartition ? white
                        : red->GetPartition() == mpPartition ? red
                                                             : red;
    else
        mpWallSurface = white ? white : red;
    SetTracker(edge->GetTracker());
}

void ZupWallObject::CreateEndNodes()
{
    if (!mpHostEdge || KorSegment::GetStart())
        return;
    const double w = mpHostEdge->GetSafeObjectWidth(this);
    CreateStart(Toward(mCenter, NodePoint(mpHostEdge->GetStart()), w));
    CreateEnd(Toward(mCenter, NodePoint(mpHostEdge->GetEnd()), w));
    SetOrientation();
}

void ZupWallObject::CreateStart(point p)
{
    ReplaceStart(OwnNodeAt(p, mpOwnStart));
}

void ZupWallObject::CreateEnd(point p)
{
    ReplaceEnd(OwnNodeAt(p, mpOwnEnd));
}

KorNode* ZupWallObject::OwnNodeAt(point p, KorNode*& own)
{
    KorTracker* tracker = KorPrimitive::GetTracker();
    if (tracker)
        p = tracker->GetGeometry();
    if (own) {
        own->SetPosition(p.x(), p.y(), true, false);
        return own;
    }
    auto* node = new KorNode();
    if (!node->Create(GetModel(), p.x(), p.y(), nullptr, true)) {
        delete node;
        return nullptr;
    }
    own = node;
    if (tracker) {
        node->AddTracker(tracker);
        tracker->AddNode(node);
    }
    return node;
}

void ZupWallObject::ValidateEnds()
{
    KorNode* start = KorSegment::GetStart();
    KorNode* end = KorSegment::GetEnd();
    if (!mpHostEdge || !start || !end)
        return;
    const point wallStart = NodePoint(mpHostEdge->GetStart());
    if (Distance(NodePoint(end), wallStart) < Distance(NodePoint(start), wallStart)) {
        ReplaceStart(end);
        ReplaceEnd(start);
        std::swap(mpOwnStart, mpOwnEnd);
    }
}

KorNode* ZupWallObject::GetStart() const
{
    const_cast<ZupWallObject*>(this)->CreateEndNodes();
    return KorSegment::GetStart();
}

KorNode* ZupWallObject::GetEnd() const
{
    const_cast<ZupWallObject*>(this)->CreateEndNodes();
    return KorSegment::GetEnd();
}

point ZupWallObject::GetGeoCenter()
{
    if (KorSegment::GetStart() && KorSegment::GetEnd())
        mCenter = point(NodePoint(KorSegment::GetStart()), NodePoint(KorSegment::GetEnd()));
    return mCenter;
}

bool ZupWallObject::IsExternal()
{
    return mpHostEdge ? mpHostEdge->IsExternal() : false;
}

ZupPartition* ZupWallObject::GetOtherPartition(ZupPartition* room)
{
    return mpHostEdge ? mpHostEdge->GetOtherPartition(room) : nullptr;
}

bool ZupWallObject::IsCorner()
{
    return KorSegment::GetStart() && KorSegment::GetStart() == KorSegment::GetEnd();
}

float ZupWallObject::GetWidth()
{
    if (IsCorner())
        return static_cast<float>(mDepth);
    return static_cast<float>(Distance(NodePoint(GetStart()), NodePoint(GetEnd())));
}

bool ZupWallObject::NeedOpening(ZupEdge* edge)
{
    if (!IsCorner() || !edge)
        return mAttachedWindowPanes > 0;
    if (mAttachedWindowPanes <= 0)
        return false;
    if (edge->GetPartition(0) != mpPartition && edge->GetPartition(1) != mpPartition)
        return false;
    KorNode* node = KorSegment::GetStart();
    if (edge->GetStart() == node)
        return mAttachedWindowPanes < 3;
    if (edge->GetEnd() == node)
        return mAttachedWindowPanes > 1;
    return mAttachedWindowPanes > 0;
}

ZupFloor* ZupWallObject::GetFloor()
{
    return mpHostEdge ? mpHostEdge->ZupEdge::GetFloor() : mpOwnFloor;
}

polygon& ZupWallObject::GetContour()
{
    if (mpPartition)
        return mpPartition->GetContour();
    return mpHostEdge ? mpHostEdge->GetContour() : EmptyContour();
}

std::string ZupWallObject::GetName()
{
    return GetTypeName();
}

angle ZupWallObject::GetInDir()
{
    if (IsCorner()) {
        auto* node = dynamic_cast<ZupNode*>(KorSegment::GetStart());
        return node ? node->GetInDir(GetContour(), mpPartition) : angle();
    }
    if (!mpHostEdge && mpPartition) {
        point centre = GetGeoCenter();
        ZupNode* vertex = mpPartition->GetClosestVertex(centre);
        return vertex ? vertex->GetInDir(GetContour(), mpPartition) : angle();
    }
    // The contour combined with the point: the contour's own direction rule.
    const point centre = GetGeoCenter();
    return zup_points::ContourDirection(GetContour(), centre);
}

KorHandle ZupWallObject::GetStartHandle()
{
    KorNode* node = KorSegment::GetStart();
    return node ? node->GetHandle() : 0;
}

KorHandle ZupWallObject::GetEndHandle()
{
    KorNode* node = KorSegment::GetEnd();
    return node ? node->GetHandle() : 0;
}

unsigned ZupWallObject::GetAttributeWord()
{
    unsigned word = 0;
    SetUODType(word);
    SetUODDepth(word);
    SetUODWindowPanes(word);
    SetUODWindowType(word);
    return word;
}

std::string ZupWallObject::GetVCRLine()
{
    if (GetStartHandle() == 0)
        return {};
    KorNamesManager& names = GetModel()->GetNamesManager();
    const char* start = names.GetName(GetStartHandle(), KOR_NODE);
    const char* end = names.GetName(GetEndHandle(), KOR_NODE);
    std::string text = std::string("Obj=") + GetTypeName() + "(" + (start ? start : "") + "," +
                       (end ? end : "") + "," + std::to_string(GetAttributeWord()) + ")\n";
    return text;
}

void ZupWallObject::Replicate(ZupWallObject* other)
{
    if (!other)
        return;
    other->SetType(GetType());
    other->SetDepth(mDepth);
    other->SetAttachedWindowPanes(mAttachedWindowPanes);
    other->SetAttachedWindowType(mAttachedWindowType);
}

void ZupWallObject::ResetDimensions()
{
    mpPosDimension = nullptr;
    mpWidthDimension = nullptr;
}

point ZupWallObject::GetObjectCenter()
{
    const double thickness = mpHostEdge ? mpHostEdge->GetThickness() : 0.0;
    double shift = std::trunc((thickness + mDepth) / 2.0);
    if (IsCorner())
        shift *= 1.25;
    const point centre = GetGeoCenter();
    const double radians = GetInDir().rad();
    return point(centre.x() + shift * std::cos(radians), centre.y() + shift * std::sin(radians));
}

float ZupWallObject::GetHalfWindowThickness()
{
    ZupFloor* floor = GetFloor();
    const int depth = floor ? floor->GetWindowDepth() : DefaultWindowDepth();
    return static_cast<float>(depth) / 2.0f;
}

point ZupWallObject::GetWallHoleStart(ZupEdge* edge, int)
{
    return WallHoleEnd(edge, true);
}

point ZupWallObject::GetWallHoleEnd(ZupEdge* edge, int)
{
    return WallHoleEnd(edge, false);
}

point ZupWallObject::WallHoleEnd(ZupEdge* edge, bool atStart)
{
    KorNode* own = atStart ? KorSegment::GetStart() : KorSegment::GetEnd();
    const point ownPoint = NodePoint(own);
    if (mAttachedWindowPanes <= 0)
        return ownPoint;
    ZupFloor* floor = GetFloor();
    const double windowDepth = floor ? floor->GetWindowDepth() : DefaultWindowDepth();
    const double pane = LargePaneWidth();
    if (IsCorner()) {
        if (!edge)
            return ownPoint;
        KorNode* node = KorSegment::GetStart();
        KorNode* leaving = atStart ? edge->GetStart() : edge->GetEnd();
        KorNode* arriving = atStart ? edge->GetEnd() : edge->GetStart();
        if (leaving == node)
            return Toward(NodePoint(node), NodePoint(arriving), windowDepth);
        if (mAttachedWindowPanes > 1 && arriving == node)
            return Toward(NodePoint(node), NodePoint(leaving), windowDepth + pane);
        return ownPoint;
    }
    if (mAttachedWindowType == 1 || !mpHostEdge)
        return ownPoint;
    const point wallEnd = NodePoint(atStart ? mpHostEdge->GetStart() : mpHostEdge->GetEnd());
    const int half = static_cast<int>(pane) * mAttachedWindowPanes / 2;
    const double room = Distance(mCenter, wallEnd) - windowDepth / 2.0;
    const point hole = Toward(mCenter, wallEnd, std::min<double>(half, room));
    return point(std::trunc(hole.x()), std::trunc(hole.y()));
}

void ZupWallObject::SetUndimensioned()
{
    delete mpWidthDimension;
    delete mpPosDimension;
    ResetDimensions();
    if (mpHostEdge)
        mpHostEdge->ModifyLengthDim(-1.0f);
}

bool ZupWallObject::IsFullEdge()
{
    if (!mpHostEdge || mpHostEdge->GetNumOfObjects() != 1 || mpHostEdge->GetWallObject(0) != this)
        return false;
    KorDimension* length = mpHostEdge->GetLengthDim();
    return mpPosDimension && mpPosDimension->IsEnabled() && mpPosDimension->GetValue() < GeoSnap() &&
           length && length->IsEnabled() && length->GetValue() < GeoSnap();
}

KorNNDistance* ZupWallObject::DimensionBetween(KorNode* a, KorNode* b)
{
    if (!a || !b)
        return nullptr;
    return dynamic_cast<KorNNDistance*>(GetModel()->GetDimension(a, b, false));
}

KorNNDistance* ZupWallObject::NewDistance(KorNode* a, KorNode* b)
{
    auto* distance = new KorNNDistance();
    if (!a || !b || !distance->Create(GetModel(), a, b, true)) {
        delete distance;
        return nullptr;
    }
    return distance;
}

KorNNDistance* ZupWallObject::CreatePosDimension(KorNode* from, float value)
{
    if (mpPosDimension) {
        KorNode* other = from ? from : (mpHostEdge ? mpHostEdge->GetStart() : nullptr);
        if (DimensionBetween(KorSegment::GetStart(), other) == mpPosDimension)
            return mpPosDimension;
        delete mpPosDimension;
        mpPosDimension = nullptr;
    } else {
        CreateEndNodes();
    }
    if (IsCorner() || !mpHostEdge)
        return nullptr;
    KorNode* start = KorSegment::GetStart();
    if (from)
        mpPosDimension = DimensionBetween(from, start);
    if (!mpPosDimension) {
        mpPosDimension = NewDistance(from ? from : mpHostEdge->GetStart(), start);
        if (mpPosDimension && from && value > -1.0f)
            mpPosDimension->SetValue(value, KORDimensionType(2), false);
    }
    return mpPosDimension;
}

KorNNDistance* ZupWallObject::CreateWidthDimension()
{
    if (mpWidthDimension) {
        delete mpWidthDimension;
        mpWidthDimension = nullptr;
    } else {
        CreateEndNodes();
    }
    if (IsCorner())
        return nullptr;
    KorNode* start = KorSegment::GetStart();
    KorNode* end = KorSegment::GetEnd();
    mpWidthDimension = DimensionBetween(start, end);
    if (!mpWidthDimension)
        mpWidthDimension = NewDistance(start, end);
    return mpWidthDimension;
}

KorNNDistance* ZupWallObject::CreateRule(KorNode* a, KorNode* b)
{
    if (KorNNDistance* existing = DimensionBetween(a, b); existing && existing->IsEnabled())
        return existing;
    KorNNDistance* rule = NewDistance(a, b);
    if (!rule)
        return nullptr;
    KorNode* otherEnd = a == KorSegment::GetStart() ? KorSegment::GetEnd() : KorSegment::GetStart();
    const point from = NodePoint(otherEnd);
    const point to = NodePoint(a);
    rule->SetOrientation(to.x() - from.x(), to.y() - from.y(), a);
    rule->SetValue(0.0, KORDimensionType(4), false);
    rule->SetExtraRule(true);
    return rule;
}

std::pair<bool, KorNNDistance*> ZupWallObject::ValidatePosition()
{
    KorNode* start = GetStart();
    KorNode* end = GetEnd();
    if (!mpHostEdge || !start || !end)
        return {false, nullptr};
    const point s = NodePoint(start);
    const point e = NodePoint(end);
    const float w = static_cast<float>(Distance(s, e) - 2.0 * GeoSnap());
    if (w > static_cast<float>(Distance(e, NodePoint(mpHostEdge->GetStart()))))
        return {true, CreateRule(start, mpHostEdge->GetStart())};
    if (w > static_cast<float>(Distance(s, NodePoint(mpHostEdge->GetEnd()))))
        return {true, CreateRule(end, mpHostEdge->GetEnd())};
    segment piece(s, e);
    for (int i = 0; i < mpHostEdge->GetNumOfObjects(); ++i) {
        ZupWallObject* other = mpHostEdge->GetWallObject(i);
        if (other == this)
            continue;
        KorNode* otherStart = other->KorSegment::GetStart();
        KorNode* otherEnd = other->KorSegment::GetEnd();
        auto inside = [&](KorNode* n) {
            return n && n != start && n != end && NodePoint(n) == piece;
        };
        if (inside(otherStart))
            return {true, CreateRule(end, otherStart)};
        if (inside(otherEnd))
            return {true, CreateRule(start, otherEnd)};
    }
    const point centre = GetGeoCenter();
    return {!(centre == static_cast<const geobject&>(mpHostEdge->GetGeometry())), nullptr};
}

void ZupWallObject::SetPosition(double x, double y)
{
    KorNode* start = KorSegment::GetStart();
    if (!start || !mpHostEdge)
        return;
    point target(x, y);
    if (KorTracker* tracker = mpHostEdge->GetTracker())
        target = tracker->GetGeometry();
    const point centre = GetGeoCenter();
    const float dx = static_cast<float>(target.x() - centre.x());
    const float dy = static_cast<float>(target.y() - centre.y());
    KorNode* end = KorSegment::GetEnd();
    for (KorNode* node : {start, end}) {
        const point p = NodePoint(node);
        node->SetPosition(p.x() + dx, p.y() + dy, true, false);
        if (node == end)
            break;
    }
    GetGeoCenter();
}

void ZupWallObject::SetCenterPosition(float width)
{
    if (!mpHostEdge)
        return;
    const point a = NodePoint(mpHostEdge->GetStart());
    const point b = NodePoint(mpHostEdge->GetEnd());
    const point centre = mpHostEdge->GetGeoCenter();
    if (KorNode* end = KorSegment::GetEnd()) {
        const point e = Toward(centre, b, width / 2.0);
        end->SetPosition(e.x(), e.y(), true, false);
    }
    if (KorNode* start = KorSegment::GetStart()) {
        const point s = Toward(centre, a, width / 2.0);
        start->SetPosition(s.x(), s.y(), true, false);
    }
    mCenter = centre;
}

bool ZupWallObject::IsLeftToRight(angle& inDir)
{
    if (!mpHostEdge)
        return false;
    const point centre = mpHostEdge->GetGeoCenter();
    inDir = zup_points::ContourDirection(GetContour(), centre);
    const double snap = GetFloor() ? GetFloor()->InputSnap() : GeoSnap();
    const point test(centre.x() + snap * std::cos(inDir.rad()), centre.y() + snap * std::sin(inDir.rad()));
    return test > segment(NodePoint(mpHostEdge->GetStart()), NodePoint(mpHostEdge->GetEnd()));
}

void ZupWallObject::GetCornerEdges(ZupEdge*& first, ZupEdge*& second)
{
    first = second = nullptr;
    if (!IsCorner())
        return;
    auto* node = dynamic_cast<ZupNode*>(KorSegment::GetStart());
    if (!node)
        return;
    first = node->GetEdge(mpPartition);
    second = first ? node->GetOtherEdge(first, mpPartition) : nullptr;
    if (first && first->GetEnd() == node)
        std::swap(first, second);
}

KorNode* ZupWallObject::GetWallStart()
{
    return NearerWallNode(KorSegment::GetStart(), true);
}

KorNode* ZupWallObject::GetWallEnd()
{
    return NearerWallNode(KorSegment::GetEnd(), false);
}

// Without a surface the host wall's own end; else the surface end nearer to
// the given object end (single-precision distances).
KorNode* ZupWallObject::NearerWallNode(KorNode* own, bool atStart)
{
    if (!mpWallSurface)
        return mpHostEdge ? (atStart ? mpHostEdge->GetStart() : mpHostEdge->GetEnd()) : nullptr;
    KorNode* first = mpWallSurface->GetStart();
    KorNode* last = mpWallSurface->GetEnd();
    const point p = NodePoint(own);
    const float toFirst = static_cast<float>(Distance(NodePoint(first), p));
    const float toLast = static_cast<float>(Distance(NodePoint(last), p));
    return toFirst <= toLast ? first : last;
}
