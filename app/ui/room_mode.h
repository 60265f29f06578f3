// The Room mode: the palette of predefined shapes, first by group, then the
// shapes of the chosen group; a chosen shape starts the room.
#pragma once

#include <vector>

#include "edit_mode.h"
#include "win_types.h"

class CRoomMode : public CEditMode {
public:
    explicit CRoomMode(CReplDoc* document) : CEditMode(document, "Room", 2138) {}

    void Activate() override;
    void OnKeyLeft(int key) override;
    void Draw(CScaledDC& dc) override;
    bool Leave(bool forward) override;
    bool OnTap(double x, double y) override;
    bool ShowsRoom() override { return false; }
    void GetExtents(double& x0, double& y0, double& x1, double& y1) override;
    float GetScale() override { return 1.0f; }
    void Zoom(bool) override {}
    void GetPan(int& x, int& y) override { x = y = 0; }
    void Pan(int, int) override {}
    void ResetView() override {}
    bool AcceptsPenDown() override { return false; }

    // The palette as the view lays it out (client pixels).
    int m_rows = 0;
    int m_columns = 0;
    int m_cellsShown = 0;
    std::vector<RECT> m_cells;

private:
    bool ApplyShape(int column);
    int GroupCount() const;
    int ShapeCount(int group) const;
};
