// The floor's object factory for everything but openings, its room objects,
// its contours and the masks of islands and counters.
#include <cmath>
#include <cstring>

#include "geolist.h"
#include "kor_node.h"
#include "polygon.h"
#include "zup_bath_object.h"
#include "zup_camera.h"
#include "zup_countertop.h"
#include "zup_edge.h"
#include "zup_floor.h"
#include "zup_island.h"
#include "zup_node.h"
#include "zup_node_object.h"
#include "zup_object_points.h"
#include "zup_opening.h"
#include "zup_partition.h"
#include "zup_room_object.h"
#include "zup_wall_fireplace.h"
#include "zup_window.h"

using zup_points::Distance;
using zup_points::KeepIfPlaced;

namespace {

// A wall object bound to two nodes of the script, with an attached window.
template <class T>
T* BindWithWindow(T* object, int type, ZupNode* a, ZupNode* b, int depth, int panes,
                  int windowType)
{
    if (!a || !b)
        return KeepIfPlaced(object, false);
    if (!object->ZupWallObject::Create(a, b, type, depth))
        return KeepIfPlaced(object, false);
    if (panes != 0) {
        object->SetAttachedWindowPanes(panes);
        object->SetAttachedWindowType(windowType);
    }
    return object;
}

// A wall object dropped at a point; near a wall node it becomes a corner.
template <class T>
T* PlaceAt(T* object, ZupFloor* floor, double x, double y)
{
    point p(x, y);
    return KeepIfPlaced(object, object->ZupWallObject::Create(floor, p, nullptr, true));
}

bool SameVertices(const polygon& a, const polygon& b)
{
    if (a.count() != b.count())
        return false;
    for (short i = 0; i < a.count(); ++i)
        if (point(a[i]) != point(b[i]))
            return false;
    return true;
}

}  // namespace

// ---- Factory ----

ZupCamera* ZupFloor::CreateCamera(const char* name, double x, double y, int degrees)
{
    auto* camera = new ZupCamera();
    angle direction(static_cast<double>(degrees));
    // A name the floor already gives a camera is replaced by the next free one.
    return KeepIfPlaced(camera, camera->Create(this, x, y, &direction, true, name));
}

ZupCamera* ZupFloor::CreateCamera(double x, double y)
{
    auto* camera = new ZupCamera();
    return KeepIfPlaced(camera, camera->Create(this, x, y, nullptr, true, nullptr));
}

// The library has no drawable islands, columns, spiral stairs, free-standing
// fireplaces, utilities or structural blocks: the program makes them.
ZupIsland* ZupFloor::CreateIsland(double, double) { return nullptr; }
ZupColumn* ZupFloor::CreateColumn(double, double) { return nullptr; }
ZupSpiralStair* ZupFloor::CreateSpiralStair(double, double) { return nullptr; }
ZupFireplace* ZupFloor::CreateFireplace(double, double) { return nullptr; }
ZupUtilityObject* ZupFloor::CreateUtilityObject(double, double) { return nullptr; }
ZupUtilityObject* ZupFloor::CreateUtilityObject(int, ZupNode*, ZupNode*, int, int, int)
{
    return nullptr;
}
ZupStructural* ZupFloor::CreateStructural(double, double) { return nullptr; }
ZupStructural* ZupFloor::CreateStructural(int, ZupNode*, ZupNode*, int) { return nullptr; }

ZupWallFireplace* ZupFloor::CreateFireplace(double x, double y, int type)
{
    auto* fireplace = new ZupWallFireplace(this);
    fireplace->SetType(type);
    point p(x, y);
    return KeepIfPlaced(fireplace, fireplace->Create(this, p));
}

ZupWallFireplace* ZupFloor::CreateFireplace(int type, ZupNode* a, ZupNode* b, int depth)
{
    return BindWithWindow(new ZupWallFireplace(this), type, a, b, depth, 0, 0);
}

ZupWindow* ZupFloor::CreateWallWindow(int type, ZupNode* a, ZupNode* b, int panes)
{
    ZupWindow* window =
        BindWithWindow(new ZupWindow(this), type, a, b, ZupWindow::GetDefaultDepth(), 0, 0);
    if (window)
        window->SetPanes(panes);
    return window;
}

ZupWindow* ZupFloor::CreateWallWindow(double x, double y)
{
    return PlaceAt(new ZupWindow(this), this, x, y);
}

ZupBathObject* ZupFloor::CreateBathObject(int type, ZupNode* a, ZupNode* b, int depth, int panes,
                                          int windowType)
{
    return BindWithWindow(new ZupBathObject(this), type, a, b, depth, panes, windowType);
}

ZupBathObject* ZupFloor::CreateBathObject(double x, double y)
{
    return PlaceAt(new ZupBathObject(this), this, x, y);
}

ZupCountertop* ZupFloor::CreateCountertop(int type, ZupNode* a, ZupNode* b, int depth, int panes,
                                          int windowType)
{
    return BindWithWindow(new ZupCountertop(this), type, a, b, depth, panes, windowType);
}

ZupCountertop* ZupFloor::CreateCountertop(double x, double y)
{
    return PlaceAt(new ZupCountertop(this), this, x, y);
}

ZupNodeObject* ZupFloor::CreateNodeObject(int type, ZupNode* node, int depth, int panes)
{
    auto* corner = new ZupNodeObject(this, type, depth);
    if (!corner->Create(node))
        return KeepIfPlaced(corner, false);
    corner->SetAttachedWindowPanes(panes);
    return corner;
}

// ---- Room objects ----

void ZupFloor::SetupObjects()
{
    for (ZupRoomObject* object : std::vector<ZupRoomObject*>(mRoomObjects))
        object->SetupPositionWalls(this);
}

void ZupFloor::UpdateObjects()
{
    for (ZupRoomObject* object : std::vector<ZupRoomObject*>(mRoomObjects))
        object->Update();
}

ZupCamera* ZupFloor::GetCamera(const char* name)
{
    if (!name)
        return nullptr;
    for (ZupRoomObject* object : mRoomObjects)
        if (object->IsCamera() && static_cast<ZupObject*>(object)->GetName() == name)
            return static_cast<ZupCamera*>(object);
    return nullptr;
}

ZupRoomObject* ZupFloor::GetRoomObject(point& p)
{
    const double snap = InputSnap();
    for (ZupRoomObject* object : mRoomObjects)
        if (Distance(object->GetPoint(), p) < snap)
            return object;
    return nullptr;
}

bool ZupFloor::IsRoomObject(KorNode* node) const
{
    for (ZupRoomObject* object : mRoomObjects)
        if (static_cast<KorNode*>(object) == node)
            return true;
    return false;
}

// ---- Contours and orientations ----

polygon& ZupFloor::GetContour()
{
    if (!mpOuterShell) {
        bool oneRoom = false;
        MakeOuterShell(oneRoom);
    }
    return mpOuterShell ? mpOuterShell->GetContour() : mDefaultContour;
}

polygon& ZupFloor::GetOuterContour()
{
    if (!mpOuterShell)
        MakePartitions(true);
    return mpOuterShell ? mpOuterShell->GetContour() : mDefaultContour;
}

void ZupFloor::UpdateOrientations()
{
    KorModel::UpdateOrientations();
    for (ZupOpening* opening : mOpenings)
        if (ZupEdge* wall = opening->GetEdge())
            if (auto* primitive = dynamic_cast<KorPrimitive*>(wall))
                opening->KorPrimitive::SetOrientation(primitive->GetOrientation());
}

// ---- Masks ----

bool ZupFloor::GetMaskOut(std::vector<polygon>*& pieces, polygon& mask)
{
    if (!pieces)
        return false;
    auto* result = new std::vector<polygon>();
    bool anyCut = false;
    for (polygon& piece : *pieces) {
        geolist_ref outside = piece >> mask;
        std::vector<polygon> parts;
        for (short i = 0; i < outside.count(); ++i)
            parts.emplace_back(outside[i]);
        const bool cut = parts.size() > 1 || (parts.size() == 1 && !SameVertices(parts[0], piece));
        anyCut = anyCut || cut;
        // A piece the mask leaves whole is carried over as it is.
        if (cut)
            result->insert(result->end(), parts.begin(), parts.end());
        else
            result->push_back(piece);
    }
    if (!anyCut) {
        delete result;
        return false;
    }
    delete pieces;
    pieces = result;
    return true;
}

bool ZupFloor::GetIslandMaskOut(std::vector<polygon>*& pieces, polygon& area)
{
    delete pieces;
    pieces = new std::vector<polygon>{area};
    bool anyCut = false;
    for (ZupRoomObject* object : std::vector<ZupRoomObject*>(mRoomObjects)) {
        polygon shape;
        if (object->GetObjectType() == ZUP_OBJ_ISLAND && object->GetShape(shape))
            anyCut = GetMaskOut(pieces, shape) || anyCut;
    }
    return anyCut;
}

bool ZupFloor::GetMaskOut(std::vector<polygon>*& pieces, ZupIsland* island)
{
    polygon shape;
    if (!island || !island->GetShape(shape))
        return false;
    delete pieces;
    pieces = new std::vector<polygon>{shape};
    bool anyCut = false;
    if (mNumOfIslands >= 2)
        for (ZupRoomObject* object : std::vector<ZupRoomObject*>(mRoomObjects)) {
            polygon other;
            if (object != island && object->GetObjectType() == ZUP_OBJ_ISLAND &&
                object->GetShape(other))
                anyCut = GetMaskOut(pieces, other) || anyCut;
        }
    for (short i = 0; i < GetNumOfPrimitives(); ++i) {
        auto* edge = dynamic_cast<ZupEdge*>(GetPrimitive(i));
        if (!edge)
            continue;
        for (int j = 0; j < edge->GetNumOfObjects(); ++j) {
            ZupWallObject* object = edge->GetWallObject(j);
            polygon counter;
            if (object && object->GetObjectType() == ZUP_OBJ_COUNTERTOP &&
                object->ZupObject::GetPartition() == island->ZupObject::GetPartition() &&
                object->GetShape(counter))
                anyCut = GetMaskOut(pieces, counter) || anyCut;
        }
    }
    return anyCut;
}
