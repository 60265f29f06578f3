// The program's drawable wall objects: each keeps the floor-plan model's
// data and behaviour and adds its symbol. A floor copy clones through the
// virtual Clone, so copies stay drawable.
#pragma once

#include <utility>
#include <vector>

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
#include "win_types.h"

class CScaledDC;
class KorTracker;

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

    // ---- Symbol parts (window_symbols.cpp) ----
    void DrawHearth(CScaledDC& dc);
    void DrawCornerHearth(CScaledDC& dc, KorTracker* tracker1, KorTracker* tracker2, double width);
    void DrawFirebox(CScaledDC& dc, const point& p0, double width, double fireboxDepth);
    void DrawDoubleFaceFireplace(CScaledDC& dc);
    void DrawNodeFireplace(CScaledDC& dc);
    void DrawCornerFireplace(CScaledDC& dc);

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

    // ---- Symbol parts (fixture_symbols.cpp) ----
    void DrawTub(CScaledDC& dc);
    void DrawShower(CScaledDC& dc);
    void DrawJacuzzi(CScaledDC& dc);
    void DrawToiletOrBidet(CScaledDC& dc, bool bidet);
    void DrawBathSink(CScaledDC& dc);
    void DrawCornerBath(CScaledDC& dc);
    // How deep the tub reaches: its depth, or less where the room ends.
    double ComputeTubDepth();
    // The centres of the toilet's tank and bowl (a bidet: the bowl twice).
    std::pair<point, point> ComputeToiletCentres(bool bidet);
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

    // ---- Symbol parts (fixture_symbols.cpp) ----
    void DrawCounterFixtures(CScaledDC& dc);
    void DrawCloset(CScaledDC& dc);
    // Adds the front's end at the wall start (or end): the meeting point
    // with a neighbouring counter's front, else the side of this counter.
    void JoinCounterEnds(std::vector<POINT>& front, bool atStart);
    // The front line of the counter as it is drawn (closets included).
    std::vector<POINT> CollectCounterFront();
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
    // ---- The window in the cut (structural_symbols.cpp) ----
    // Drawn by the wall drawing for every corner object of a wall.
    void DrawCornerWindow(void* dc);
};

class CPlanStructural : public ZupStructural {
public:
    explicit CPlanStructural(ZupFloor* floor) : ZupStructural(floor) {}
    ~CPlanStructural() override = default;

    ZupWallObject* Clone(ZupFloor* floor) override;
    void Draw(void* dc) override;
};
