// Corner objects: a fixture standing on a wall node, across the corner of
// a room (corner cabinets, corner windows). Both ends are that node.
#pragma once

#include "zup_wall_object.h"

class ZupNodeObject : public ZupWallObject {
public:
    // A depth of -1 takes the default.
    ZupNodeObject(ZupFloor* floor, int type, int depth);
    // Leaves its node.
    ~ZupNodeObject() override;

    const char* GetTypeName() override { return "Corner"; }
    int GetObjectType() override { return ZUP_OBJ_CORNER; }
    bool IsNode() override { return true; }
    bool IsCorner() override { return true; }
    // "Obj=Corner(node,attr)"; nothing while the node has no handle.
    std::string GetVCRLine() override;
    bool NeedOpening(ZupEdge* edge) override;
    point GetGeoCenter() override;
    angle GetInDir() override;
    polygon& GetContour() override;
    ZupFloor* GetFloor() override;
    point GetWallHoleStart(ZupEdge* edge, int inset) override;
    point GetWallHoleEnd(ZupEdge* edge, int inset) override;
    // A floor copy re-creates corner objects through their nodes.
    ZupWallObject* Clone(ZupFloor*) override { return nullptr; }
    virtual ZupNodeObject* Clone(ZupNode* node, ZupNodeObject* source);

    // Refused when the node already holds a wall object.
    bool Create(ZupNode* node);
    using ZupWallObject::Create;
    ZupNode* GetNode() const { return mpNode; }

    // Where the object's outline meets the edge.
    point GetEdgePoint(ZupEdge* edge);
    // The hole ends on the room's two walls at the node; first is found when
    // null. False when the room lacks either wall there.
    bool GetHoleEnds(ZupEdge*& first, ZupEdge*& second, point& p1, point& p2, int inset);

    static int GetDefaultWidth() { return 100; }

private:
    point EdgePointFromNode(ZupEdge* edge);
    point HoleEnd(ZupEdge* edge, int inset, bool atStart);

    ZupNode* mpNode = nullptr;
};
