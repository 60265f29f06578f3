#include "zup_node_object.h"

#include <cmath>

#include "circle.h"
#include "geolist.h"
#include "kor_model.h"
#include "kor_names_manager.h"
#include "kor_tracker.h"
#include "line.h"
#include "polygon.h"
#include "zup_edge.h"
#include "zup_floor.h"
#include "zup_node.h"
#include "zup_object_points.h"
#include "zup_partition.h"

using zup_points::Distance;
using zup_points::NodePoint;
using zup_points::Toward;

ZupNodeObject::ZupNodeObject(ZupFloor* floor, int type, int depth)
    : ZupWallObject(floor, nullptr, nullptr)
{
    SetType(type);
    mDepth = depth == -1 ? GetDefaultWidth() : depth;
}

ZupNodeObject::~ZupNodeObject()
{
    if (mpNode)
        mpNode->RemoveObject(this);
}

bool ZupNodeObject::Create(ZupNode* node)
{
    if (!node || node->GetWallObject(nullptr))
        return false;
    mpNode = node;
    ReplaceStart(node);
    ReplaceEnd(node);
    node->AddObject(this);
    return true;
}

ZupNodeObject* ZupNodeObject::Clone(ZupNode* node, ZupNodeObject* source)
{
    if (!node)
        return nullptr;
    auto* copy = new ZupNodeObject(dynamic_cast<ZupFloor*>(node->GetModel()), GetType(), mDepth);
    if (!copy->Create(node)) {
        delete copy;
        return nullptr;
    }
    if (source)
        copy->SetAttachedWindowPanes(source->GetAttachedWindowPanes());
    return copy;
}

point ZupNodeObject::GetGeoCenter()
{
    return NodePoint(mpNode);
}

angle ZupNodeObject::GetInDir()
{
    return mpNode ? mpNode->GetInDir(GetContour(), mpPartition) : angle();
}

polygon& ZupNodeObject::GetContour()
{
    if (mpPartition)
        return mpPartition->GetContour();
    if (mpNode)
        if (ZupEdge* edge = mpNode->GetEdge(static_cast<ZupPartition*>(nullptr)))
            return edge->GetContour();
    return EmptyContour();
}

ZupFloor* ZupNodeObject::GetFloor()
{
    if (!mpNode)
        return mpOwnFloor;
    if (ZupEdge* edge = mpNode->GetEdge(static_cast<ZupPartition*>(nullptr)))
        if (edge->GetFloor())
            return edge->GetFloor();
    return dynamic_cast<ZupFloor*>(mpNode->GetModel());
}

bool ZupNodeObject::NeedOpening(ZupEdge* edge)
{
    if (!edge)
        return true;
    if (edge->GetPartition(0) != mpPartition && edge->GetPartition(1) != mpPartition)
        return false;
    return mAttachedWindowPanes == 0 || mAttachedWindowPanes == 1;
}

// The outline's corner on the edge: half the depth across the corner's
// bisector, measured along the edge from the node.
point ZupNodeObject::EdgePointFromNode(ZupEdge* edge)
{
    const point node = NodePoint(mpNode);
    KorNode* other = edge->GetStart() == mpNode ? edge->GetEnd() : edge->GetStart();
    if (!other || other == mpNode)
        return node;
    polygon& contour = GetContour();
    const short n = contour.count();
    const short i = n > 2 ? contour.index(node) : static_cast<short>(-1);
    double t = mDepth * 0.5;
    if (i >= 0) {
        const point previous(contour[static_cast<short>((i + n - 1) % n)]);
        const point next(contour[static_cast<short>((i + 1) % n)]);
        const double corner = angle(previous, node, next).rad();
        const double half = std::sin(corner / 2.0);
        if (half != 0.0)
            t = std::fabs(mDepth * 0.5 / half);
    }
    const point far = NodePoint(other);
    if (t >= Distance(node, far))
        return far;
    return Toward(node, far, t);
}

point ZupNodeObject::GetEdgePoint(ZupEdge* edge)
{
    if (!edge || !mpNode)
        return NodePoint(mpNode);
    point p = EdgePointFromNode(edge);
    ZupEdge* first = mpNode->GetEdge(mpPartition);
    ZupEdge* other = first ? mpNode->GetOtherEdge(first, mpPartition) : nullptr;
    if (!first || edge == first || !other)
        return p;
    // The second wall's point follows the arc that touches both walls
    // through the first wall's point, so the outline stays round.
    const point q = EdgePointFromNode(first);
    const point m(q, p);
    const line firstLine(NodePoint(first->GetStart()), NodePoint(first->GetEnd()));
    const line edgeLine(NodePoint(edge->GetStart()), NodePoint(edge->GetEnd()));
    geolist arguments(firstLine, edgeLine);
    arguments + q + m;
    circle arc;
    if (!(arc = arguments))
        return p;
    geolist_ref hits = arc % edgeLine;
    const point node = NodePoint(mpNode);
    double best = -1.0;
    for (short k = 0; k < hits.count(); ++k) {
        const point hit(hits[k]);
        const double d = Distance(hit, node);
        if (std::isfinite(hit.x()) && std::isfinite(hit.y()) && (best < 0.0 || d < best)) {
            best = d;
            p = hit;
        }
    }
    return p;
}

point ZupNodeObject::HoleEnd(ZupEdge* edge, int inset, bool atStart)
{
    if (!edge)
        return NodePoint(mpNode);
    KorNode* end = atStart ? edge->GetStart() : edge->GetEnd();
    point p = end == mpNode ? NodePoint(mpNode) : GetEdgePoint(edge);
    if (inset != 0) {
        const point centre = edge->GetGeoCenter();
        const angle in = zup_points::ContourDirection(GetContour(), centre);
        p = point(p.x() - inset * std::cos(in.rad()), p.y() - inset * std::sin(in.rad()));
    }
    return p;
}

point ZupNodeObject::GetWallHoleStart(ZupEdge* edge, int inset)
{
    return HoleEnd(edge, inset, true);
}

point ZupNodeObject::GetWallHoleEnd(ZupEdge* edge, int inset)
{
    return HoleEnd(edge, inset, false);
}

bool ZupNodeObject::GetHoleEnds(ZupEdge*& first, ZupEdge*& second, point& p1, point& p2, int inset)
{
    if (!mpNode)
        return false;
    if (!first)
        first = mpNode->GetEdge(mpPartition);
    second = first ? mpNode->GetOtherEdge(first, mpPartition) : nullptr;
    if (!first || !second)
        return false;
    if (!first->IsExternal())
        inset = 0;
    p1 = first->GetStart() == mpNode ? GetWallHoleEnd(first, inset) : GetWallHoleStart(first, inset);
    p2 = second->GetStart() == mpNode ? GetWallHoleEnd(second, inset) : GetWallHoleStart(second, inset);
    return true;
}

std::string ZupNodeObject::GetVCRLine()
{
    KorModel* model = mpNode ? mpNode->GetModel() : nullptr;
    const KorHandle handle = model ? model->GetHandle(mpNode) : 0;
    if (handle == 0)
        return {};
    const char* name = model->GetNamesManager().GetName(handle, KOR_NODE);
    unsigned word = 0;
    SetUODType(word);
    SetUODDepth(word);
    SetUODWindowPanes(word);
    return std::string("Obj=Corner(") + (name ? name : "") + "," + std::to_string(word) + ")\n";
}
