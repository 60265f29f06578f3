// Fireplaces built into a wall, or across a wall corner (type 2).
#pragma once

#include "zup_wall_object.h"

class ZupWallFireplace : public ZupWallObject {
public:
    explicit ZupWallFireplace(ZupFloor* floor);

    const char* GetTypeName() override { return "Fireplace"; }
    int GetObjectType() override { return ZUP_OBJ_WALL_FIREPLACE; }
    bool IsFireplace() override { return true; }
    // Corner-standing kinds (2 and 3) leave the wall whole.
    bool NeedOpening(ZupEdge*) override { return GetType() != 2 && GetType() != 3; }
    void ModifyExtents() override;
    ZupWallObject* Clone(ZupFloor* floor) override;

    // On a wall node it becomes a corner fireplace; a corner fireplace away
    // from every node is refused.
    bool Create(ZupFloor* floor, point& p);
    using ZupWallObject::Create;

    // The centre of the fireplace's front; facing is set for a corner one.
    point GetFrontCenter(angle& facing);

    static int GetDefaultWidth();
    static int GetDefaultDepth();

private:
    bool CornerFrontCenter(ZupEdge* first, ZupEdge* second, point& front, angle& facing);
};
