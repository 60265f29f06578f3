#include "zup_edge.h"

#include "kor_colinear.h"
#include "kor_model.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "zup_floor.h"
#include "zup_globals.h"
#include "zup_node.h"
#include "zup_partition.h"
#include "zup_wall_surface.h"

ZupEdge::ZupEdge(ZupEdgeType type) : mType(type) {}

ZupEdge::ZupEdge(const ZupEdge* other)
{
    if (!other)
        return;
    mpWhiteSurface = other->mpWhiteSurface;
    mpRedSurface = other->mpRedSurface;
    mType = other->mType;
    mWallThickness = other->mWallThickness;
    mpFloor = other->mpFloor;
}

ZupEdge::~ZupEdge() = default;

void ZupEdge::DestroyEdge()
{
    while (!mObjects.empty()) {
        ZupWallObject* object = mObjects.back();
        mObjects.pop_back();
        ZupDeleteWallObject(object);
    }
    if (mpFloor)
        mpFloor->RemoveEdge(this);
}

void ZupEdge::ForgetSurfaces()
{
    mpWhiteSurface = nullptr;
    mpRedSurface = nullptr;
}

ZupEdge* ZupEdge::FinishDivide(ZupEdge* piece, KorNode* node, bool colinear)
{
    KorPrimitive* wall = GetPrimitive();
    KorPrimitive* next = piece->GetPrimitive();
    wall->SetEnd(node);
    next->SetOrientation();
    TransferObjects(piece, true);
    // Straight and curved pieces alike join both faces.
    SetupWalls(piece);
    // The constraint manager keeps two primitives of one tracker colinear by
    // itself and refuses a colinear between them (recording an error).
    if (colinear && next->GetTracker() != wall->GetTracker()) {
        auto* c = new KorColinear();
        if (c->Create(wall->GetModel(), wall, next) == 0)
            delete c;
    }
    return piece;
}

ZupEdge* ZupEdge::DiscardPiece(ZupEdge* piece)
{
    piece->ForgetSurfaces();
    delete piece;
    return nullptr;
}

void ZupEdge::Create(ZupFloor* floor)
{
    mpFloor = floor;
    if (floor)
        mWallThickness = floor->DefaultWallThickness();
}

bool ZupEdge::IsExternal()
{
    return mType == ZUP_EDGE_OUTER || mType == ZUP_EDGE_FREE;
}

int ZupEdge::GetThickness()
{
    if (IsExternal())
        return ZupMetric() ? 8 : 4;
    return ZupMetric() ? 4 : 2;
}

int ZupEdge::GetHeight()
{
    return ZupMetric() ? 200 : 96;
}

ZupWallObject* ZupEdge::GetWallObject(int i) const
{
    if (i < 0 || i >= static_cast<int>(mObjects.size()))
        return nullptr;
    return mObjects[i];
}

// ---- Type ----

void ZupEdge::SetType(ZupEdgeType type)
{
    if (mType == ZUP_EDGE_FREE) {
        mType = type;
        return;
    }
    if (type != ZUP_EDGE_FREE)
        return;
    ForgetSurfaces();
    mType = ZUP_EDGE_FREE;
}

void ZupEdge::SetupType()
{
    ZupPartition* shell = mpFloor ? mpFloor->GetOuterShell() : nullptr;
    if (mpWhiteSurface && mpRedSurface && mpWhiteSurface->GetPartition() != shell &&
        mpRedSurface->GetPartition() != shell)
        mType = ZUP_EDGE_INNER;
    else if (HaveSurface())
        mType = ZUP_EDGE_OUTER;
    else
        mType = ZUP_EDGE_FREE;
}

// ---- Surfaces ----

ZupPartition* ZupEdge::GetOtherPartition(ZupPartition* room)
{
    ZupPartition* white = mpWhiteSurface ? mpWhiteSurface->GetPartition() : nullptr;
    if (mpRedSurface) {
        ZupPartition* red = mpRedSurface->GetPartition();
        if (room && room != red)
            return red;
        return white;
    }
    return white != room ? white : nullptr;
}

ZupPartition* ZupEdge::GetPartition(int i) const
{
    if (i == 0) {
        if (mpWhiteSurface)
            return mpWhiteSurface->GetPartition();
        return mpRedSurface ? mpRedSurface->GetPartition() : nullptr;
    }
    if (mpWhiteSurface && mpRedSurface)
        return mpRedSurface->GetPartition();
    return nullptr;
}

ZupWallSurface* ZupEdge::GetWall(ZupPartition* room) const
{
    if (mpWhiteSurface && mpWhiteSurface->GetPartition() == room)
        return mpWhiteSurface;
    if (mpRedSurface && mpRedSurface->GetPartition() == room)
        return mpRedSurface;
    return nullptr;
}

ZupWallSurface* ZupEdge::GetInsideSurface() const
{
    ZupPartition* shell = mpFloor ? mpFloor->GetOuterShell() : nullptr;
    if (mpRedSurface && mpRedSurface->GetPartition() != shell)
        return mpRedSurface;
    if (mpWhiteSurface && mpWhiteSurface->GetPartition() != shell)
        return mpWhiteSurface;
    return nullptr;
}

polygon& ZupEdge::GetContour()
{
    if (ZupPartition* room = GetOtherPartition(nullptr))
        return room->GetContour();
    if (mpFloor)
        return mpFloor->GetContour();
    return ZupFloor::mDefaultContour;
}

void ZupEdge::AddSurface(ZupWallSurface* surface)
{
    if (!mpWhiteSurface || mpWhiteSurface == surface) {
        mpWhiteSurface = surface;
        return;
    }
    if (mpRedSurface && !mpRedSurface->IsExternal())
        return;
    mpRedSurface = surface;
}

void ZupEdge::ReplaceSurface(ZupWallSurface* oldSurface, ZupWallSurface* newSurface)
{
    if (oldSurface && oldSurface == mpWhiteSurface) {
        mpWhiteSurface = newSurface;
        if (!newSurface) {
            mpWhiteSurface = mpRedSurface;
            mpRedSurface = nullptr;
        }
    } else if (oldSurface && oldSurface == mpRedSurface) {
        mpRedSurface = newSurface;
    }
}

void ZupEdge::UpdateSurfaces(ZupNode* oldNode, ZupNode* newNode)
{
    if (mpWhiteSurface)
        mpWhiteSurface->ReplaceNode(oldNode, newNode);
    if (mpRedSurface)
        mpRedSurface->ReplaceNode(oldNode, newNode);
}

void ZupEdge::RemoveSurfaces(ZupNode* a, ZupNode* b)
{
    for (ZupWallSurface** face : {&mpWhiteSurface, &mpRedSurface}) {
        ZupWallSurface* surface = *face;
        if (!surface)
            continue;
        *face = nullptr;
        surface->RemoveEdge(this, a, b);
        if (surface->GetNumOfEdges() == 0)
            delete surface;
    }
}

void ZupEdge::SetupWalls(ZupEdge* other)
{
    if (!other)
        return;
    ZupWallSurface* first = GetWall(GetPartition(0));
    ZupWallSurface* second = GetPartition(1) ? GetWall(GetPartition(1)) : nullptr;
    if (first && !first->Contain(other))
        first->AddEdge(other, false);
    if (second && second != first && !second->Contain(other))
        second->AddEdge(other, false);
}

// ---- Nodes ----

KorNode* ZupEdge::GetOtherNode(KorNode* node) const
{
    KorNode* start = GetStart();
    KorNode* end = GetEnd();
    if (node == start)
        return end;
    if (node == end)
        return start;
    return nullptr;
}

bool ZupEdge::ReplaceNode(ZupNode* oldNode, ZupNode* newNode, bool withTracker)
{
    UpdateSurfaces(oldNode, newNode);
    return GetPrimitive()->ReplaceNode(oldNode, newNode, withTracker);
}

bool ZupEdge::Unchained() const
{
    auto* end = dynamic_cast<ZupNode*>(GetEnd());
    if (!end)
        return false;
    ZupEdge* other = end->GetOtherEdge(const_cast<ZupEdge*>(this), nullptr);
    return other && other->GetEnd() == end;
}
