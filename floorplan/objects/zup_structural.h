// Structural blocks in a wall (chimney breasts, pillars).
#pragma once

#include "zup_wall_object.h"

class ZupStructural : public ZupWallObject {
public:
    explicit ZupStructural(ZupFloor* floor);

    const char* GetTypeName() override { return "Structural"; }
    int GetObjectType() override { return ZUP_OBJ_STRUCTURAL; }
    ZupWallObject* Clone(ZupFloor* floor) override;

    static int GetDefaultWidth(int type);
    static int GetDefaultDepth(int type);
};
