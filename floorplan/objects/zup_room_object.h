// Objects standing inside a room rather than in a wall: each is a node of
// the floor's model (so it is dragged like any node) that remembers its
// distances from the two nearest walls and follows them when they move.
#pragma once

#include "angle.h"
#include "zup_node.h"
#include "zup_object.h"

class KorPrimitive;
class ZupFloor;

class ZupRoomObject : public ZupNode, public ZupObject {
public:
    ZupRoomObject() = default;
    ZupRoomObject(const ZupRoomObject&) = delete;
    ZupRoomObject& operator=(const ZupRoomObject&) = delete;
    // Leaves the floor's room objects.
    ~ZupRoomObject() override;

    // ---- Node side ----
    void SetPosition(double x, double y, bool invalidate, bool how) override;
    void Rotate(angle& a, point& centre) override;
    // The node at (x, y) in the floor; with relate, the object takes its two
    // walls and follows them from then on.
    virtual bool Create(ZupFloor* floor, double x, double y, angle* direction, bool relate);
    using ZupNode::Create;
    virtual void Update();
    virtual ZupRoomObject* Clone(ZupRoomObject* target) = 0;
    virtual void Draw(void*) {}
    virtual bool IsCamera() { return false; }
    virtual bool IsLabel() { return false; }
    virtual void SetInitialDirection() {}

    // ---- ZupObject ----
    point GetGeoCenter() override { return GetPoint(); }
    angle GetInDir() override { return mDirection; }
    ZupFloor* GetFloor() override;

    // ---- Walls and direction ----
    bool SetupPositionWalls(ZupFloor* floor);
    void SetupRelativePosition();
    void SetupRelativeDirection();
    void SetDirection(angle& direction);
    angle& GetDirection() { return mDirection; }
    KorPrimitive* GetWall(int which) const { return which ? mpWallB : mpWallA; }
    float GetOffset(int which) const { return which ? mOffsetB : mOffsetA; }

protected:
    // "x,y" of the position, one decimal each.
    std::string PositionText();
    // The node that walls A and B share, or null.
    KorNode* CommonNode() const;

    KorPrimitive* mpWallA = nullptr;
    KorPrimitive* mpWallB = nullptr;
    float mOffsetA = 0.0f;
    float mOffsetB = 0.0f;
    angle mDirection;
    angle mRelativeDirection;
};
