// How walls enter and leave a floor: the model's create operations made into
// wall creation, and the removal of walls and rooms.
#include "zup_floor.h"

#include <algorithm>

#include "distances.h"
#include "kor_capture.h"
#include "zup_arc.h"
#include "zup_edge.h"
#include "zup_node.h"
#include "zup_partition.h"
#include "zup_segment.h"
#include "zup_wall_object.h"

namespace {

// The room a merge or a copy is making: not among the plan's rooms yet.
ZupPartition* BeingBuilt(ZupPartition* current, const std::vector<ZupPartition*>& rooms)
{
    if (!current || std::find(rooms.begin(), rooms.end(), current) != rooms.end())
        return nullptr;
    return current;
}

}  // namespace

KorHandle ZupFloor::CreateNode(double x, double y, KorMoveCallback callback)
{
    auto* node = new ZupNode();
    const KorHandle handle = node->Create(this, x, y, callback, true);
    if (handle == 0) {
        SetError(KOR_ERR_CREATE);
        delete node;
    }
    return handle;
}

ZupNode* ZupFloor::CreateNewNode(double x, double y)
{
    auto* node = new ZupNode();
    if (node->Create(this, x, y, nullptr, true) == 0) {
        delete node;
        return nullptr;
    }
    return node;
}

KorHandle ZupFloor::CreateSegment(KorHandle h1, KorHandle h2)
{
    KorNode* a = NodeOf(h1);
    KorNode* b = NodeOf(h2);
    if (!a || !b) {
        SetError(KOR_ERR_NODES);
        return 0;
    }
    auto* wall = new ZupSegment(ZUP_EDGE_FREE);
    const KorHandle handle = wall->Create(this, a, b, nullptr);
    if (handle == 0) {
        SetError(KOR_ERR_NODES);
        delete wall;
        return 0;
    }
    if (IsJournalActive())
        WriteJournal(mpCapture->getSegmentLine(handle, h1, h2));
    return handle;
}

KorHandle ZupFloor::CreateArc(KorHandle centre, KorHandle start, KorHandle end)
{
    KorNode* c = NodeOf(centre);
    KorNode* s = NodeOf(start);
    KorNode* e = NodeOf(end);
    if (!c || !s || !e || centre == start || centre == end || start == end) {
        SetError(KOR_ERR_NODES);
        return 0;
    }
    auto* wall = new ZupArc(ZUP_EDGE_FREE);
    const KorHandle handle = wall->Create(this, c, s, e, nullptr);
    if (handle == 0) {
        SetError(KOR_ERR_NODES);
        delete wall;
        return 0;
    }
    const double radius = GeoDistance(c->GetPoint(), s->GetPoint());
    const point& m = c->GetPoint();
    ModifyExtents(m.x() - radius, m.y() - radius);
    ModifyExtents(m.x() + radius, m.y() + radius);
    if (IsJournalActive())
        WriteJournal(mpCapture->getArcLine(handle, centre, start, end));
    return handle;
}

// Wall objects keep their end nodes by pointer and delete the ones they own:
// a node that goes (deleted by name, merged, or with another object) must
// leave them, or they would use or delete it again.
void ZupFloor::RemoveNode(KorNode* node)
{
    KorModel::RemoveNode(node);
    // A room being built would close its contour through the node.
    if (ZupPartition* building = BeingBuilt(mpCurPartition, mPartitions))
        building->ReleaseNode(node);
    for (ZupWallObject* object : WallObjects())
        object->ForgetNode(node);
}

void ZupFloor::RemoveDimension(KorDimension* dimension)
{
    ForgetDimension(dimension);
    KorModel::RemoveDimension(dimension);
}

void ZupFloor::ForgetDimension(const KorDimension* dimension)
{
    if (mbClearing || !dimension)
        return;
    for (KorPrimitive* primitive : GetPrimitives()) {
        ZupEdge* edge = CastToEdge(primitive);
        if (!edge)
            continue;
        if (edge->GetLengthDim() == dimension)
            edge->SetLengthDim(nullptr);
        for (int i = 0; i < edge->GetNumOfObjects(); ++i)
            if (ZupWallObject* object = edge->GetWallObject(i))
                object->ForgetDimension(dimension);
    }
}

bool ZupFloor::HasWallObjectOn(const KorNode* node, const ZupWallObject* except) const
{
    const std::vector<ZupWallObject*> objects = WallObjects();
    return std::any_of(objects.begin(), objects.end(), [node, except](const ZupWallObject* object) {
        return object != except && object->StandsOn(node);
    });
}

std::vector<ZupWallObject*> ZupFloor::WallObjects() const
{
    std::vector<ZupWallObject*> objects;
    for (KorPrimitive* primitive : GetPrimitives()) {
        ZupEdge* edge = CastToEdge(primitive);
        for (int i = 0; edge && i < edge->GetNumOfObjects(); ++i)
            if (ZupWallObject* object = edge->GetWallObject(i))
                objects.push_back(object);
    }
    return objects;
}

void ZupFloor::RemoveEdge(ZupEdge* edge)
{
    if (!edge)
        return;
    ForgetChanged(edge->GetPrimitive());
    // The room being built is not among the partitions yet, so dropping
    // them would leave its walls holding the edge.
    if (ZupPartition* building = BeingBuilt(mpCurPartition, mPartitions))
        building->ReleaseEdge(edge);
    if (edge->HaveSurface())
        RemovePartitions();
}

void ZupFloor::RemovePartitions()
{
    ZupPartition* shell = mpOuterShell;
    mpOuterShell = nullptr;
    delete shell;
    std::vector<ZupPartition*> rooms;
    rooms.swap(mPartitions);
    mCurPartition = kNoCursor;
    while (!rooms.empty()) {
        ZupPartition* room = rooms.back();
        rooms.pop_back();
        delete room;
    }
    for (KorPrimitive* primitive : std::vector<KorPrimitive*>(GetPrimitives()))
        if (ZupEdge* edge = CastToEdge(primitive))
            edge->SetType(ZUP_EDGE_FREE);
}
