// The Door mode: the entrance is placed and moved from wall to wall, walls
// and nodes are dragged, wall objects placed and edited.
#pragma once

#include "edit_mode.h"

class CDoorMode : public CEditMode {
public:
    explicit CDoorMode(CReplDoc* document) : CEditMode(document, "Door", 2139) {}

    void Activate() override;
    void OnKeyRight(int key) override;
    void OnKeyLeft(int key) override;
    void Draw(CScaledDC& dc) override;
    bool Leave(bool forward) override;
    bool OnTap(double x, double y) override;
    void OnPickReleased(bool changed) override;
    void Refresh() override;
    bool AllowsWallObjectDrag() override { return true; }
    ZupRoomObject* OnIconTap(double x, double y) override;
};
