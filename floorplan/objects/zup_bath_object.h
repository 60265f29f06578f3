// Bathroom fixtures standing against a wall: tubs, showers, toilets, sinks.
#pragma once

#include "zup_wall_object.h"

class ZupBathObject : public ZupWallObject {
public:
    explicit ZupBathObject(ZupFloor* floor);

    const char* GetTypeName() override { return "BathObject"; }
    int GetObjectType() override { return ZUP_OBJ_BATH; }
    bool IsBath() override { return true; }
    ZupWallObject* Clone(ZupFloor* floor) override;

    static int GetTubThickness();
    // Sizes by fixture type; types 6 and above share the last row.
    static int GetDefaultWidth(int type);
    static int GetDefaultDepth(int type);
};
