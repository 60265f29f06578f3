// The room's object factory: every object a room makes is one of the
// program's drawable classes, so that it draws itself and clones into
// copied floors as the same class.
#include "kor_node.h"
#include "plan_room_objects.h"
#include "plan_wall_objects.h"
#include "room_floor.h"
#include "zup_node.h"
#include "zup_object_points.h"

namespace {

using zup_points::KeepIfPlaced;

// A wall object between two nodes with its attached window.
template <class T>
T* BindWithWindow(T* object, int type, ZupNode* a, ZupNode* b, int depth, int panes,
                  int windowType)
{
    if (!a || !b || !object->ZupWallObject::Create(a, b, type, depth))
        return KeepIfPlaced(object, false);
    if (panes >= 1) {
        object->SetAttachedWindowPanes(panes);
        object->SetAttachedWindowType(windowType);
    }
    return object;
}

// A wall object dropped at a pen point.
template <class T>
T* PlaceAt(T* object, ZupFloor* floor, double x, double y, bool snapToEnd)
{
    point p(x, y);
    return KeepIfPlaced(object, object->ZupWallObject::Create(floor, p, nullptr, snapToEnd));
}

// A free-standing object at a point.
template <class T>
T* StandAt(T* object, ZupFloor* floor, double x, double y)
{
    return KeepIfPlaced(object, object->Create(floor, x, y, nullptr, true));
}

bool SamePlace(ZupNode* a, ZupNode* b)
{
    return a == b || a->GetPoint() == b->GetPoint();
}

}  // namespace

ZupOpening* CRoomFloor::CreateOpening(const char* name, int type, ZupNode* a, ZupNode* b)
{
    if (!a || !b)
        return nullptr;
    auto* opening = new CPlanOpening(this, name, type);
    return KeepIfPlaced(opening, opening->ZupOpening::Create(a, b));
}

ZupOpening* CRoomFloor::CreateOpening(const char* name, int type, double x, double y)
{
    auto* opening = new CPlanOpening(this, name, type);
    point p(x, y);
    return KeepIfPlaced(opening, opening->Create(this, p, nullptr, true));
}

ZupCamera* CRoomFloor::CreateCamera(const char* name, double x, double y, int degrees)
{
    auto* camera = new CPlanCamera();
    angle direction(static_cast<double>(degrees));
    return KeepIfPlaced(camera, camera->Create(this, x, y, &direction, true, name));
}

ZupCamera* CRoomFloor::CreateCamera(double x, double y)
{
    auto* camera = new CPlanCamera();
    return KeepIfPlaced(camera, camera->Create(this, x, y, nullptr, true, nullptr));
}

ZupIsland* CRoomFloor::CreateIsland(double x, double y)
{
    CPlanIsland* island = StandAt(new CPlanIsland(), this, x, y);
    if (island)
        IncreaseNumOfIslands();
    return island;
}

ZupColumn* CRoomFloor::CreateColumn(double x, double y)
{
    return StandAt(new CPlanColumn(), this, x, y);
}

ZupSpiralStair* CRoomFloor::CreateSpiralStair(double x, double y)
{
    return StandAt(new CPlanSpiralStair(), this, x, y);
}

ZupWallFireplace* CRoomFloor::CreateFireplace(double x, double y, int type)
{
    auto* fireplace = new CPlanWallFireplace(this);
    fireplace->SetType(type);
    point p(x, y);
    return KeepIfPlaced(fireplace, fireplace->Create(this, p));
}

ZupWallFireplace* CRoomFloor::CreateFireplace(int type, ZupNode* a, ZupNode* b, int depth)
{
    CPlanWallFireplace* fireplace =
        BindWithWindow(new CPlanWallFireplace(this), type, a, b, depth, 0, 0);
    if (!fireplace)
        return nullptr;
    // A fireplace on one node stands in a corner; elsewhere it cannot be one.
    if (a == b)
        fireplace->SetType(2);
    else if (fireplace->GetType() == 2)
        fireplace->SetType(0);
    return fireplace;
}

ZupFireplace* CRoomFloor::CreateFireplace(double x, double y)
{
    return StandAt(new CPlanFireplace(), this, x, y);
}

ZupWindow* CRoomFloor::CreateWallWindow(int type, ZupNode* a, ZupNode* b, int panes)
{
    if (!a || !b || SamePlace(a, b))
        return nullptr;
    auto* window = new CPlanWindow(this);
    if (!window->ZupWallObject::Create(a, b, type, window->GetDepth()))
        return KeepIfPlaced(window, false);
    window->SetPanes(panes);
    return window;
}

ZupWindow* CRoomFloor::CreateWallWindow(double x, double y)
{
    return PlaceAt(new CPlanWindow(this), this, x, y, false);
}

ZupBathObject* CRoomFloor::CreateBathObject(int type, ZupNode* a, ZupNode* b, int depth,
                                            int panes, int windowType)
{
    return BindWithWindow(new CPlanBathObject(this), type, a, b, depth, panes, windowType);
}

ZupCountertop* CRoomFloor::CreateCountertop(int type, ZupNode* a, ZupNode* b, int depth,
                                            int panes, int windowType)
{
    return BindWithWindow(new CPlanCountertop(this), type, a, b, depth, panes, windowType);
}

ZupNodeObject* CRoomFloor::CreateNodeObject(int type, ZupNode* node, int depth, int panes)
{
    auto* corner = new CPlanNodeObject(this, type, depth);
    if (!node || !corner->Create(node))
        return KeepIfPlaced(corner, false);
    corner->SetAttachedWindowPanes(panes);
    return corner;
}

ZupUtilityObject* CRoomFloor::CreateUtilityObject(double x, double y)
{
    return PlaceAt(new CPlanUtilityObject(this), this, x, y, false);
}

ZupUtilityObject* CRoomFloor::CreateUtilityObject(int type, ZupNode* a, ZupNode* b, int depth,
                                                  int panes, int windowType)
{
    return BindWithWindow(new CPlanUtilityObject(this), type, a, b, depth, panes, windowType);
}

ZupStructural* CRoomFloor::CreateStructural(double x, double y)
{
    return PlaceAt(new CPlanStructural(this), this, x, y, false);
}

ZupStructural* CRoomFloor::CreateStructural(int type, ZupNode* a, ZupNode* b, int depth)
{
    return BindWithWindow(new CPlanStructural(this), type, a, b, depth, 0, 0);
}

ZupOpeningStair* CRoomFloor::CreateStair(ZupNode* a, ZupNode* b)
{
    ZupWallObject* object = a && b ? GetWallObject(a, b) : nullptr;
    if (!object || !object->IsPortal())
        return nullptr;
    auto* stair = new CPlanStairOpening(this);
    return KeepIfPlaced(stair, stair->Create(static_cast<ZupOpening*>(object)));
}

CPlanBathObject* CRoomFloor::CreateBathObjectAt(double x, double y, bool snapToEnd)
{
    return PlaceAt(new CPlanBathObject(this), this, x, y, snapToEnd);
}

CPlanCountertop* CRoomFloor::CreateCountertopAt(double x, double y, bool snapToEnd)
{
    return PlaceAt(new CPlanCountertop(this), this, x, y, snapToEnd);
}

CPlanNodeObject* CRoomFloor::CreateNodeObjectAt(double x, double y)
{
    point p(x, y);
    ZupNode* node = GetNumOfNodes() > 0 ? GetClosestNode(p, true, false, 0.0f) : nullptr;
    if (!node)
        return nullptr;
    auto* corner = new CPlanNodeObject(this, 0, -1);
    return KeepIfPlaced(corner, corner->Create(node));
}
