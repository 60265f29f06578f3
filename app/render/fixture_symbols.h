// The parts of the wall fixtures' symbols that several fixtures share: the
// appliance labels and their box, and the windows attached beside a fixture.
#pragma once

#include "scaled_dc.h"

class ZupEdge;
class ZupWallObject;

// The label of an appliance kind; null for kinds without one.
const char* UtilityLabel(int kind);
// The label's text box on the screen: a square of size pixels centred on
// the mapped label point; a water heater (kind 2) also gets the circle
// about it and a smaller text box inside.
struct UtilityLabelBox {
    RECT text{};
    RECT circle{};
    bool hasCircle = false;
};
UtilityLabelBox ComputeUtilityLabelBox(POINT centre, int size, int kind);
// The grey of the appliance labels.
constexpr COLORREF kUtilityLabelColour = 0x646464;
// The light grey of the closets' swing arcs.
constexpr COLORREF kSwingArcColour = 0xC0C0C0;

// The window in the fixture's own wall hole, when it carries one.
void DrawHoleWindow(CScaledDC& dc, ZupWallObject& object);
// The windows beside a corner fixture: on the first wall for 1 or 2 panes,
// on the second for 2 or 3.
void DrawAttachedWindows(CScaledDC& dc, ZupWallObject& object);
void DrawAttachedWindow(CScaledDC& dc, ZupWallObject& object, ZupEdge* wall);
