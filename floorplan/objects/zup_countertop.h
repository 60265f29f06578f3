// Kitchen counters along a wall, with their sinks and stoves.
#pragma once

#include "zup_wall_object.h"

class ZupCountertop : public ZupWallObject {
public:
    explicit ZupCountertop(ZupFloor* floor);

    const char* GetTypeName() override { return "Countertop"; }
    int GetObjectType() override { return ZUP_OBJ_COUNTERTOP; }
    // A counter of type 7 stands free of the wall and needs no hole.
    bool NeedOpening(ZupEdge* edge) override;
    ZupWallObject* Clone(ZupFloor* floor) override;

    static int GetDefaultWidth();
    static int GetDefaultDepth(bool wide);
    static int GetSinkRoundSize();
    static int GetSinkRectSize();
    static int GetStoveWidth();
    static float GetStoveBurnerRadius();
    static int GetStoveSpace();
};
