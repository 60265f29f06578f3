// A room's place in the level's plan: its entrance and entrance wall, the
// move and turn onto the plan's connection portal, keeping that place after
// edits, and the angle dimensions at the entrance's corners.
#include <cmath>
#include <cstring>
#include <string>

#include "dimension_values.h"
#include "geolist.h"
#include "kor_dimension.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "kor_scoped_value.h"
#include "plan_wall_objects.h"
#include "room_floor.h"
#include "settings.h"
#include "zup_edge.h"
#include "zup_object_points.h"
#include "zup_opening.h"

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;

// The direction of a contour at a point on it, whatever error an earlier
// geometry call left behind.
angle DirectionAt(polygon& contour, const point& p)
{
    return zup_points::ContourDirection(contour, p);
}

// The signed difference a - b in degrees, within (-180, 180].
double DegreesBetween(const angle& a, const angle& b)
{
    double d = (a.rad() - b.rad()) * kDegreesPerRadian;
    while (d > 180.0)
        d -= 360.0;
    while (d <= -180.0)
        d += 360.0;
    return d;
}

}  // namespace

// ---- Entrance and wall cursor ----

bool CRoomFloor::FindEntranceMarker()
{
    auto* marker = dynamic_cast<KorNode*>(GetKorObject("Entrance"));
    if (!marker)
        return false;
    mWallCursor = 0;
    KorPrimitive* wall = nullptr;
    {
        KorScopedValue<double> snap(GeoSnap(), static_cast<double>(InputSnap()));
        const point at = marker->GetPoint();
        wall = GetPrimitive(at, nullptr);
        delete marker;  // its destructor takes it out of the model
    }
    if (!wall)
        return false;
    mWallCursor = GetIndex(wall);
    return true;
}

void CRoomFloor::SetEntrance(ZupOpening* opening, int mode)
{
    ZupFloor::SetEntrance(opening);
    if (!opening)
        return;
    if (ZupEdge* wall = opening->GetEdge())
        if (KorPrimitive* primitive = wall->GetPrimitive())
            mWallCursor = std::max<int>(0, GetIndex(primitive));
    opening->SetExit(true);
    mbChanged = true;
    std::string name = GetName() ? GetName() : "";
    const std::size_t first = name.find_first_not_of(' ');
    name = first == std::string::npos ? "" : name.substr(first, name.find_last_not_of(' ') - first + 1);
    if ((mode != 1 && mode != -1) || name == "Stair")
        return;
    auto* stair = new CPlanStairOpening(this);
    if (!stair->Create(opening)) {
        delete stair;
        return;
    }
    stair->SetAction(static_cast<ZupOpeningStair::ACTION>(mode == 1 ? 1 : 0));
    stair->SetPosition(static_cast<ZupOpeningStair::POSITION>(1));
    opening->SetType(0);
}

KorPrimitive* CRoomFloor::GetEntranceWall() const
{
    const std::vector<KorPrimitive*>& walls = GetPrimitives();
    if (mWallCursor < 0 || mWallCursor >= static_cast<int>(walls.size()))
        return nullptr;
    return walls[mWallCursor];
}

int CRoomFloor::StepWallIndex(bool forward, bool commit)
{
    const int count = GetNumOfPrimitives();
    if (count == 0)
        return mWallCursor;
    int index = forward ? mWallCursor + 1 : mWallCursor - 1;
    if (index >= count)
        index = 0;
    if (index < 0)
        index = count - 1;
    if (commit)
        mWallCursor = index;
    return index;
}

point CRoomFloor::StepWallCursor(bool forward)
{
    StepWallIndex(forward, true);
    return GetCurrentWallCenter();
}

point CRoomFloor::GetCurrentWallCenter()
{
    KorPrimitive* wall = GetEntranceWall();
    return wall ? wall->GetGeoCenter() : point();
}

angle CRoomFloor::ComputeEntranceAngle()
{
    ZupOpening* entrance = GetEntrance();
    if (!entrance)
        return angle(90.0);
    return DirectionAt(GetOuterContour(), entrance->GetGeoCenter());
}

// ---- Alignment into the plan ----

bool CRoomFloor::AlignToPlan(ZupFloor& plan)
{
    ZupOpening* portal = plan.GetConnectionPortal(this);
    if (!portal)
        return false;
    const point::TRANSFORM transform = plan.CalculateTransformation(portal, GetEntrance());
    ApplyTransform(transform);
    StoreEntranceDirection(portal);
    return true;
}

void CRoomFloor::StoreEntranceDirection(ZupOpening* portal)
{
    ZupOpening* entrance = GetEntrance();
    if (!portal || !entrance)
        return;
    mEntrancePoint = entrance->GetGeoCenter();
    mEntranceDirection = DirectionAt(GetContour(), mEntrancePoint);
}

point::TRANSFORM CRoomFloor::GetAlignmentTransform(const angle& target)
{
    point::TRANSFORM transform;
    ZupOpening* entrance = GetEntrance();
    if (!entrance)
        return transform;
    const double play = AngularPlay().deg();
    const double d = DegreesBetween(DirectionAt(GetOuterContour(), entrance->GetGeoCenter()), target);
    if (d > play || d < -play) {
        transform.cos = std::cos(d / kDegreesPerRadian);
        transform.sin = std::sin(d / kDegreesPerRadian);
    }
    return transform;
}

bool CRoomFloor::ApplyTransform(const point::TRANSFORM& transform)
{
    SetTransformed(true);
    if (!transform.NeedAction())
        return false;
    for (KorNode* node : std::vector<KorNode*>(GetNodes()))
        node->GetPoint().Transform(transform);
    UpdateTrackers();
    UpdateDimensions();
    UpdateOrientations();
    RemoveAlignments();
    mbChanged = true;
    if (FindAlignmentsAsDrawn() == 0) {
        CalculateExtents();
        SetModified(true);
        return true;
    }
    UpdateEntranceAngles(false, false);
    SetEntranceNodesMovable(false);
    if (!Resolve()) {
        RemoveAlignments();
        if (!Resolve())
            CalculateExtents();
    }
    UpdateEntranceAngles(false, false);
    SetModified(true);
    return true;
}

void CRoomFloor::KeepOrientation()
{
    ZupOpening* entrance = GetEntrance();
    if (!IsTransformed() || !entrance)
        return;
    const point p = entrance->GetGeoCenter();
    const double play = AngularPlay().deg();
    const double d = DegreesBetween(DirectionAt(GetOuterContour(), p), mEntranceDirection);
    if (d <= play && d >= -play) {
        const double dx = mEntrancePoint.x() - p.x();
        const double dy = mEntrancePoint.y() - p.y();
        if (std::fabs(dx) <= GeoSnap() && std::fabs(dy) <= GeoSnap())
            return;
        Move(dx, dy);
        return;
    }
    const double radians = d / kDegreesPerRadian;
    ApplyTransform(point::TRANSFORM(mEntrancePoint, p, std::cos(radians), std::sin(radians)));
}

void CRoomFloor::RotateAboutCenter(const angle& turn, bool refind)
{
    RemoveAlignments();
    ComputeArea();
    KorModel::Rotate(turn, mContour.center());
    if (refind && FindAlignments() > 0) {
        EnableRules(false);
        KorModel::Resolve();
        EnableRules(true);
    }
    mbChanged = true;
    ZupFloor::UpdateObjects();
}

// ---- Entrance angles ----

void CRoomFloor::EntranceAngleDimensions(KorDimension*& atStart, KorDimension*& atEnd) const
{
    atStart = atEnd = nullptr;
    ZupOpening* entrance = GetEntrance();
    ZupEdge* wall = entrance ? entrance->GetEdge() : nullptr;
    if (!wall)
        return;
    atStart = GetAngularDimension(wall->GetStart());
    atEnd = GetAngularDimension(wall->GetEnd());
}

bool CRoomFloor::HasEntranceAngle() const
{
    KorDimension *atStart, *atEnd;
    EntranceAngleDimensions(atStart, atEnd);
    return atStart || atEnd;
}

bool CRoomFloor::IsEntranceAngleFixed() const
{
    KorDimension *atStart, *atEnd;
    EntranceAngleDimensions(atStart, atEnd);
    return (atStart && atStart->IsEnabled()) || (atEnd && atEnd->IsEnabled());
}

void CRoomFloor::UpdateEntranceAngles(bool keepEnabled, bool keepDisabled)
{
    KorDimension *atStart, *atEnd;
    EntranceAngleDimensions(atStart, atEnd);
    bool enabledOne = false;
    for (KorDimension* dimension : {atStart, atEnd}) {
        if (!dimension)
            continue;
        if (!dimension->IsEnabled() && !keepDisabled) {
            FixDimensionHere(dimension);
            AdjustChainAngleCount(+1);
            enabledOne = true;
        } else if (dimension->IsEnabled() && !keepEnabled) {
            dimension->SetEnabled(false);
            AdjustChainAngleCount(-1);
        }
    }
    if (enabledOne)
        DisableOneInClosedChains();
}

void CRoomFloor::SetEntranceNodesMovable(bool movable)
{
    ZupOpening* entrance = GetEntrance();
    if (!entrance)
        return;
    if (KorNode* start = entrance->GetStart())
        start->SetMovable(movable);
    if (KorNode* end = entrance->GetEnd())
        end->SetMovable(movable);
}

short CRoomFloor::FindAlignmentsAsDrawn()
{
    // Only walls that stand upright or level already are held so: a wall
    // the user dragged a few degrees off stays as it was put, not snapped
    // back.
    KorScopedValue<angle> snap(AngularInputSnap(), AngularPlay());
    return FindAlignments();
}

bool CRoomFloor::ResolveKeepingEntrance(bool keepMovable, bool)
{
    RemoveSolution();
    FindAlignmentsAsDrawn();
    SetModified(false);
    CreateNodeStar();
    bool solved = Resolve();
    ZupOpening* entrance = GetEntrance();
    if (solved) {
        if (!keepMovable && IsTransformed() && entrance)
            SetEntranceNodesMovable(true);
    } else if (entrance &&
               entrance->GetInDir().IsOrtho(AngularInputSnap().rad())) {
        SetEntranceNodesMovable(true);
        solved = Resolve();
    }
    UpdateEntranceAngles(true, false);
    return solved;
}
