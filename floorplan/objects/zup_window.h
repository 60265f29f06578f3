// Windows in a wall: straight, or a bay projecting out of the wall in up to
// five panes.
#pragma once

#include "zup_wall_object.h"

class ZupWindow : public ZupWallObject {
public:
    explicit ZupWindow(ZupFloor* floor);

    const char* GetTypeName() override { return "Window"; }
    int GetObjectType() override { return ZUP_OBJ_WINDOW; }
    bool IsWindow() override { return true; }
    bool NeedOpening(ZupEdge*) override { return true; }
    void ModifyExtents() override;
    // The window's depth is the floor's window depth: the word carries panes.
    void SetUODDepth(unsigned& word) override;
    bool HasInterior() override { return GetType() == 1; }
    ZupWallObject* Clone(ZupFloor* floor) override;

    void SetPanes(int panes) { mPanes = panes; }
    int GetPanes() const { return mPanes; }

    // The bay outline from start to end; the vertex count, 0 for no bay.
    int CalculateBay(polygon& out);
    static int CalculateBay(polygon& out, point& start, point& end, point& centre, angle& inDir,
                            int panes);

    static int GetDefaultDepth();
    static int GetStraightPaneWidth(bool large);
    static int GetBayPaneWidth(bool large);
    static int GetDefaultWidth(int bay, bool large);
    static int GetDefaultPanes(int bay);

private:
    int mPanes = 1;
};
