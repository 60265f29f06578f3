#include "zup_room_object.h"

#include <cmath>

#include "kor_number_text.h"
#include "kor_primitive.h"
#include "polygon.h"
#include "zup_edge.h"
#include "zup_floor.h"
#include "zup_object_points.h"

using zup_points::NodePoint;

namespace {

// The wall's line as a point on it and a unit direction; false for a wall
// without length.
bool WallLine(KorPrimitive* wall, point& origin, double& ux, double& uy)
{
    if (!wall || !wall->GetStart() || !wall->GetEnd())
        return false;
    origin = NodePoint(wall->GetStart());
    const point end = NodePoint(wall->GetEnd());
    const double length = std::hypot(end.x() - origin.x(), end.y() - origin.y());
    if (!(length > 0.0))
        return false;
    ux = (end.x() - origin.x()) / length;
    uy = (end.y() - origin.y()) / length;
    return true;
}

// Signed distance of p from the wall's line, positive to its left.
double SideDistance(const point& origin, double ux, double uy, const point& p)
{
    return ux * (p.y() - origin.y()) - uy * (p.x() - origin.x());
}

// The distance of p from the wall, positive on the side of `inside`.
double OffsetFrom(KorPrimitive* wall, const point& p, const point& inside)
{
    point origin;
    double ux = 0.0, uy = 0.0;
    if (!WallLine(wall, origin, ux, uy))
        return 0.0;
    const double d = SideDistance(origin, ux, uy, p);
    const double side = SideDistance(origin, ux, uy, inside);
    return (d < 0.0) != (side < 0.0) ? -std::fabs(d) : std::fabs(d);
}

}  // namespace

ZupRoomObject::~ZupRoomObject()
{
    if (auto* floor = dynamic_cast<ZupFloor*>(GetModel()))
        floor->RemoveObject(this);
}

ZupFloor* ZupRoomObject::GetFloor()
{
    return dynamic_cast<ZupFloor*>(GetModel());
}

bool ZupRoomObject::Create(ZupFloor* floor, double x, double y, angle* direction, bool relate)
{
    if (!floor || ZupNode::Create(floor, x, y, nullptr, true) == 0)
        return false;
    floor->AddObject(this);
    if (!relate)
        return true;
    if (SetupPositionWalls(floor))
        SetupRelativePosition();
    if (direction)
        mDirection = *direction;
    else
        SetInitialDirection();
    SetupRelativeDirection();
    return true;
}

bool ZupRoomObject::SetupPositionWalls(ZupFloor* floor)
{
    point p = GetPoint();
    ZupEdge* edge = floor ? floor->GetClosestEdge(p) : nullptr;
    mpWallA = edge ? dynamic_cast<KorPrimitive*>(edge) : nullptr;
    mpWallB = nullptr;
    if (!mpWallA || !mpWallA->GetStart() || !mpWallA->GetEnd())
        return false;
    const double toStart = zup_points::Distance(NodePoint(mpWallA->GetStart()), p);
    const double toEnd = zup_points::Distance(NodePoint(mpWallA->GetEnd()), p);
    KorNode* nearer = toStart < toEnd ? mpWallA->GetStart() : mpWallA->GetEnd();
    KorNode* farther = nearer == mpWallA->GetStart() ? mpWallA->GetEnd() : mpWallA->GetStart();
    mpWallB = nearer->GetOtherPrimitive(mpWallA);
    if (!mpWallB)
        mpWallB = farther->GetOtherPrimitive(mpWallA);
    return mpWallB != nullptr;
}

void ZupRoomObject::SetupRelativePosition()
{
    ZupFloor* floor = GetFloor();
    if (!floor || !mpWallA || !mpWallB)
        return;
    const point inside = floor->GetContour().center();
    mOffsetA = static_cast<float>(OffsetFrom(mpWallA, GetPoint(), inside));
    mOffsetB = static_cast<float>(OffsetFrom(mpWallB, GetPoint(), inside));
}

KorNode* ZupRoomObject::CommonNode() const
{
    if (!mpWallA || !mpWallB)
        return nullptr;
    for (KorNode* a : {mpWallA->GetStart(), mpWallA->GetEnd()})
        if (a && (a == mpWallB->GetStart() || a == mpWallB->GetEnd()))
            return a;
    return nullptr;
}

void ZupRoomObject::SetupRelativeDirection()
{
    if (KorNode* node = CommonNode())
        mRelativeDirection = mDirection - angle(NodePoint(node), GetPoint());
}

void ZupRoomObject::Update()
{
    ZupFloor* floor = GetFloor();
    if (!floor || !mpWallA || !mpWallB)
        return;
    point oa, ob;
    double ax = 0.0, ay = 0.0, bx = 0.0, by = 0.0;
    if (!WallLine(mpWallA, oa, ax, ay) || !WallLine(mpWallB, ob, bx, by))
        return;
    const point inside = floor->GetContour().center();
    // Each offset line lies on the inside's side of its wall.
    const double sa = SideDistance(oa, ax, ay, inside) < 0.0 ? -1.0 : 1.0;
    const double sb = SideDistance(ob, bx, by, inside) < 0.0 ? -1.0 : 1.0;
    const point pa(oa.x() - ay * sa * mOffsetA, oa.y() + ax * sa * mOffsetA);
    const point pb(ob.x() - by * sb * mOffsetB, ob.y() + bx * sb * mOffsetB);
    const double denominator = ax * by - ay * bx;
    if (std::fabs(denominator) < 1e-12)
        return;  // parallel walls fix no point: the object stays
    const double t = ((pb.x() - pa.x()) * by - (pb.y() - pa.y()) * bx) / denominator;
    const double x = pa.x() + t * ax, y = pa.y() + t * ay;
    if (!std::isfinite(x) || !std::isfinite(y))
        return;
    KorNode::SetPosition(x, y, true, false);
    if (KorNode* node = CommonNode())
        mDirection = angle(NodePoint(node), GetPoint()) + mRelativeDirection;
}

void ZupRoomObject::SetPosition(double x, double y, bool invalidate, bool how)
{
    KorNode::SetPosition(x, y, invalidate, how);
    SetupRelativePosition();
}

void ZupRoomObject::SetDirection(angle& direction)
{
    mDirection = direction;
    SetupRelativeDirection();
}

void ZupRoomObject::Rotate(angle& a, point& centre)
{
    KorNode::Rotate(a, centre);
    mDirection = mDirection + a;
}

std::string ZupRoomObject::PositionText()
{
    return KorFormatFixed(GetPoint().x(), 1) + "," + KorFormatFixed(GetPoint().y(), 1);
}
