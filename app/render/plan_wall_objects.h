// The program's drawable wall objects: each keeps the floor-plan model's
// data and behaviour and adds its symbol. A floor copy clones through the
// virtual Clone, so copies stay drawable.
#pragma once

#include "angle.h"
#include "point.h"
#include "zup_bath_object.h"
#include "zup_countertop.h"
#include "zup_node_object.h"
#include "zup_opening.h"
#include "zup_structural.h"
#include "zup_utility_object.h"
#include "zup_wall_fireplace.h"
#include "zup_window.h"

class CPlanOpening : public ZupOpening {
public:
    CPlanOpening(ZupFloor* floor, const char* name, int type) : ZupOpening(floor, name, type) {}
    ~CPlanOpening() override = default;

    ZupWallObject* Clone(ZupFloor* floor) override;
    void Draw(void* dc) override;
};

class CPlanStairOpening : public ZupOpeningStair {
public:
    explicit CPlanStairOpening(ZupFloor* floor) : ZupOpeningStair(floor) {}
    ~CPlanStairOpening() override = default;

    ZupWallObject* Clone(ZupFloor* floor) override;
    void Draw(void* dc) override;
};

class CPlanWallFireplace : public ZupWallFireplace {
public:
    explicit CPlanWallFireplace(ZupFloor* floor) : ZupWallFireplace(floor) {}
    ~CPlanWallFireplace() override = default;

    ZupWallObject* Clone(ZupFloor* floor) override;
    void Draw(void* dc) override;

protected:
    // Drawing scratch, overwritten by every Draw; never copied.
    point mAnchor;
    angle mInDir;
    angle mOutDir;
    angle mWallDir;
};

class CPlanWindow : public ZupWindow {
public:
    explicit CPlanWindow(ZupFloor* floor) : ZupWindow(floor) {}
    ~CPlanWindow() override = default;

    ZupWallObject* Clone(ZupFloor* floor) override;
    void Draw(void* dc) override;
};

class CPlanBathObject : public ZupBathObject {
public:
    explicit CPlanBathObject(ZupFloor* floor) : ZupBathObject(floor) {}
    ~CPlanBathObject() override = default;

    ZupWallObject* Clone(ZupFloor* floor) override;
    void Draw(void* dc) override;
};

class CPlanUtilityObject : public ZupUtilityObject {
public:
    explicit CPlanUtilityObject(ZupFloor* floor) : ZupUtilityObject(floor) {}
    ~CPlanUtilityObject() override = default;

    ZupWallObject* Clone(ZupFloor* floor) override;
    void Draw(void* dc) override;
};

class CPlanCountertop : public ZupCountertop {
public:
    explicit CPlanCountertop(ZupFloor* floor) : ZupCountertop(floor) {}
    ~CPlanCountertop() override = default;

    ZupWallObject* Clone(ZupFloor* floor) override;
    void Draw(void* dc) override;
    // A counter in a bathroom draws as a vanity.
    bool IsBath() override;
};

class CPlanNodeObject : public ZupNodeObject {
public:
    CPlanNodeObject(ZupFloor* floor, int type, int depth) : ZupNodeObject(floor, type, depth) {}
    ~CPlanNodeObject() override = default;

    // Corner objects are copied through their node; the floor-wide clone
    // stays the model's.
    using ZupNodeObject::Clone;
    ZupNodeObject* Clone(ZupNode* node, ZupNodeObject* source) override;
    void Draw(void* dc) override;
};

class CPlanStructural : public ZupStructural {
public:
    explicit CPlanStructural(ZupFloor* floor) : ZupStructural(floor) {}
    ~CPlanStructural() override = default;

    ZupWallObject* Clone(ZupFloor* floor) override;
    void Draw(void* dc) override;
};
