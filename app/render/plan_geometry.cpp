#include "plan_geometry.h"

#include <algorithm>

#include "geobject.h"
#include "kor_node.h"
#include "point.h"
#include "zup_edge.h"
#include "zup_floor.h"
#include "zup_node.h"
#include "zup_node_object.h"
#include "zup_wall_object.h"

namespace {

POINT Whole(const point& p) { return POINT{p.ix(), p.iy()}; }

POINT NodePosition(KorNode* node) { return node ? POINT{node->ix(), node->iy()} : POINT{0, 0}; }

bool Same(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

ZupNode* AsWallNode(KorNode* node) { return dynamic_cast<ZupNode*>(node); }

// The object standing on the node (a corner object) when it opens this wall.
ZupWallObject* OpeningObjectAt(KorNode* node, ZupEdge& edge)
{
    ZupNode* wallNode = AsWallNode(node);
    ZupWallObject* object = wallNode ? wallNode->GetWallObject(nullptr) : nullptr;
    return object && object->NeedOpening(&edge) ? object : nullptr;
}

bool CutsTheWall(ZupWallObject* object)
{
    return object && !object->IsCorner() && object->NeedOpening(nullptr);
}

// Walks the wall from its start node, one hole after the other.
class WallRunWalk {
public:
    explicit WallRunWalk(ZupEdge& edge)
        : m_edge(edge), m_straight(edge.GetCenter() == nullptr), m_position(NodePosition(edge.GetStart()))
    {
    }

    // The run up to the hole is drawn; the walk goes on from the hole's end.
    void Hole(POINT holeStart, POINT holeEnd)
    {
        RunTo(holeStart);
        m_position = holeEnd;
    }

    void RunTo(POINT to)
    {
        if (m_straight && !Same(m_position, to))
            m_runs.push_back(CWallRun{m_position, to});
    }

    std::vector<CWallRun> Finish()
    {
        RunTo(NodePosition(m_edge.GetEnd()));
        return m_runs;
    }

private:
    ZupEdge& m_edge;
    bool m_straight;
    POINT m_position;
    std::vector<CWallRun> m_runs;
};

// A hole end off the wall (the last object reaching past its end) ends at
// the wall's end node instead.
POINT LastHoleEnd(ZupEdge& edge, ZupWallObject* object)
{
    point end = object->GetWallHoleEnd(&edge, 0);
    if (!end.IsOn(edge.GetGeometry()))
        return NodePosition(edge.GetEnd());
    return Whole(end);
}

}  // namespace

std::vector<CWallRun> CollectWallRuns(ZupEdge& edge)
{
    WallRunWalk walk(edge);
    if (ZupWallObject* corner = OpeningObjectAt(edge.GetStart(), edge)) {
        // The first run ends where the corner's hole starts; the walk
        // starts afresh from its hole end even when that hole is empty.
        walk.Hole(Whole(corner->GetWallHoleStart(&edge, 0)), Whole(corner->GetWallHoleEnd(&edge, 0)));
    }
    const int count = edge.GetNumOfObjects();
    for (int i = 0; i < count; ++i) {
        ZupWallObject* object = edge.GetWallObject(i);
        if (!CutsTheWall(object))
            continue;
        const POINT holeEnd =
            i == count - 1 ? LastHoleEnd(edge, object) : Whole(object->GetWallHoleEnd(&edge, 0));
        walk.Hole(Whole(object->GetWallHoleStart(&edge, 0)), holeEnd);
    }
    if (ZupWallObject* corner = OpeningObjectAt(edge.GetEnd(), edge))
        walk.Hole(Whole(corner->GetWallHoleStart(&edge, 0)), Whole(corner->GetWallHoleEnd(&edge, 0)));
    return walk.Finish();
}

namespace {

void AddGuide(CEditOutline& outline, ZupWallObject* object, ZupEdge& edge)
{
    outline.guides.push_back(Whole(object->GetWallHoleStart(&edge, 0)));
    outline.guides.push_back(Whole(object->GetWallHoleEnd(&edge, 0)));
}

// Attached objects (a window in a counter) share their host's marker;
// a portal keeps its own.
bool HasOwnMarker(ZupWallObject* object)
{
    return !object->GetAttached() || object->IsPortal();
}

void CollectWall(CEditOutline& outline, ZupEdge& edge)
{
    if (outline.outline.empty())
        outline.outline.push_back(NodePosition(edge.GetStart()));
    outline.outline.push_back(NodePosition(edge.GetEnd()));

    if (ZupWallObject* startObject = OpeningObjectAt(edge.GetStart(), edge))
        AddGuide(outline, startObject, edge);
    for (int i = 0; i < edge.GetNumOfObjects(); ++i) {
        ZupWallObject* object = edge.GetWallObject(i);
        if (object && object->NeedOpening(nullptr))
            AddGuide(outline, object, edge);
    }
    if (ZupWallObject* endObject = OpeningObjectAt(edge.GetEnd(), edge))
        AddGuide(outline, endObject, edge);

    ZupNode* start = AsWallNode(edge.GetStart());
    if (ZupWallObject* startObject = start ? start->GetWallObject(nullptr) : nullptr)
        outline.markers.push_back(Whole(startObject->GetGeoCenter()));
    for (int i = 0; i < edge.GetNumOfObjects(); ++i) {
        ZupWallObject* object = edge.GetWallObject(i);
        if (object && HasOwnMarker(object))
            outline.markers.push_back(Whole(object->GetGeoCenter()));
    }
    if (ZupNodeObject* corner = start ? start->GetNodeObject(nullptr) : nullptr)
        outline.corners.push_back(corner);
}

}  // namespace

CEditOutline CollectEditOutline(ZupFloor& room)
{
    CEditOutline outline;
    for (ZupEdge* edge = room.Get1stEdge(); edge; edge = room.GetNextEdge())
        CollectWall(outline, *edge);
    return outline;
}

RECT CenteredMarkerBox(RECT mapped)
{
    // Mapped back from the device the box stands on its head: y grows up.
    RECT box{std::min(mapped.left, mapped.right), std::min(mapped.top, mapped.bottom),
             std::max(mapped.left, mapped.right), std::max(mapped.top, mapped.bottom)};
    if (box.right - box.left < 1) {
        box.left -= 1;
        box.top -= 1;
        box.right += 1;
        box.bottom += 1;
    }
    const LONG centreX = (box.left + box.right) / 2;
    const LONG centreY = (box.top + box.bottom) / 2;
    return RECT{box.left - centreX, box.top - centreY, box.right - centreX, box.bottom - centreY};
}
