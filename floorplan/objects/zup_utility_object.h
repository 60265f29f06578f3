// Utility fixtures against a wall: washers, dryers, heaters.
#pragma once

#include "zup_wall_object.h"

class ZupUtilityObject : public ZupWallObject {
public:
    explicit ZupUtilityObject(ZupFloor* floor);

    const char* GetTypeName() override { return "Utility"; }
    int GetObjectType() override { return ZUP_OBJ_UTILITY; }
    ZupWallObject* Clone(ZupFloor* floor) override;

    static int GetDefaultWidth(int type);
    static int GetDefaultDepth(int type);
};
