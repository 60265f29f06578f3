// Small drawing helpers the fixture symbols share: steps in model units,
// drawing of model-unit paths, the turned rectangle, the snapped point
// list, the shared fixture outline with its hatching, and the kitchen
// symbols (burners, sink bowls, stoves).
#pragma once

#include <vector>

#include "angle.h"
#include "line.h"
#include "point.h"
#include "polygon.h"
#include "scaled_dc.h"

class CBrush;
class KorNode;

// ---- Points in model units ----
// The point at distance d from p in direction a (a negative d goes back).
point StepAlong(const point& p, double d, const angle& a);
// The direction from one point to another; 0 when they meet.
angle DirectionOf(const point& from, const point& to);
double DistanceOf(const point& a, const point& b);
// Whole model units, as every point is handed to the drawing context.
POINT WholePoint(const point& p);
point NodePointOf(KorNode* node);
// The crossing of the line through p1 along a1 with the one through p2
// along a2; false for parallel lines.
bool CrossLines(const point& p1, const angle& a1, const point& p2, const angle& a2, point& out);
bool CrossLines(const line& a, const line& b, point& out);

// ---- Drawing in model units (mapped, then drawn) ----
void DrawModelLine(CScaledDC& dc, const point& from, const point& to);
int DrawModelPolyline(CScaledDC& dc, std::vector<POINT> points);
int DrawModelPolygon(CScaledDC& dc, std::vector<POINT> points);
// A circle of radius r about c; the box c +- r.
void DrawModelCircle(CScaledDC& dc, const point& c, int r);

// Appends p, taking the previous point's x when they differ by less than 2
// units, else its y when those differ by less than 2: nearly axis-parallel
// edges come out exactly axis-parallel.
void AppendSnapped(std::vector<POINT>& list, POINT p);
void AppendSnapped(std::vector<POINT>& list, const point& p);

// ---- The turned rectangle ----
// The corners of a rectangle about c, half depth hd along dir and half width
// hw across it, snapped, with the first again at the end.
std::vector<POINT> RotatedShapeCorners(const point& c, const angle& dir, int hd, int hw);
// Without outline an ellipse in the box of corners 0 and 2; with it the
// outline, filled in brush when one is given, else with the diagonals when
// cross is set.
void DrawRotatedShape(CScaledDC& dc, const point& c, const angle& dir, int hd, int hw, bool outline,
                      bool cross, CBrush* brush);

// ---- The shared fixture outline ----
struct DrawExtents {
    float maxX = 0.0f;
    float minX = 0.0f;
    float maxY = 0.0f;
    float minY = 0.0f;
};
struct FixtureOutline {
    polygon shape;               // model units: the clipping shape of the hatching
    std::vector<POINT> points;   // the same outline in whole units
    DrawExtents extents;
};
FixtureOutline& SharedOutline();
// Empties shape and point list; the extents stay until the next start.
void ClearSharedOutline();
void StartDrawExtents(const point& p);
void ExtendDrawExtents(const point& p);
// One vertex into the shape, the point list and the extents.
void AppendToOutline(const point& p);
// Back to the start state (tests, program start).
void ResetSymbolGlobals();
// The point list drawn as a path, then hatched inside the shape.
void DrawHatchedOutline(CScaledDC& dc);
// Lines parallel to first, spacing apart along the intercept up to last,
// drawn where they lie inside shape. The library's snap and insertion mode
// are set for the walk and given back afterwards.
void DrawHatchLines(CScaledDC& dc, double spacing, line first, const line& last, polygon& shape);
// The hatch lines of the extents: at -45 degrees from (min x, min y) to
// (max x, max y).
line HatchFirstLine(const DrawExtents& extents);
line HatchLastLine(const DrawExtents& extents);
bool SymbolFlagOff();
// Set by the editing while the pen drags an object: the costly hatching of
// the free-standing fireplaces is left out meanwhile.
void SetSymbolDragHeld(bool held);
bool IsSymbolDragHeld();

// ---- Kitchen symbols ----
void DrawBurner(CScaledDC& dc, const point& c);
// The bowl's half size for a sink of the given size.
int SinkBowlHalfSize(bool round, int size);
void DrawSinkBowl(CScaledDC& dc, const point& c, const angle& dir, bool round, int size);
struct DoubleSinkLayout {
    int halfAcross = 0;  // along the first direction
    int halfAlong = 0;   // along the second, the row of the two bowls
    int offset = 0;      // of each bowl's centre from the sink's centre
};
DoubleSinkLayout ComputeDoubleSink(bool single, int width, int depth);
// Two bowls in a row along a2, each turned to a1.
void DrawDoubleSink(CScaledDC& dc, bool single, const point& c, const angle& a1, const angle& a2,
                    int width, int depth);
// The four burner centres of a stove: ref is the middle of its back edge,
// a1 points into it and a2 across it; inRun for a stove in a counter run.
std::vector<point> StoveBurnerCentres(int depth, int width, bool inRun, const point& ref,
                                      const angle& a1, const angle& a2);
void DrawStove(CScaledDC& dc, int depth, int width, bool inRun, const point& ref, const angle& a1,
               const angle& a2);
// The crossings a-c, a-d, b-d, b-c of four edge lines (a facing b, c facing
// d), snapped, closed with the first again.
void CollectShapeCorners(std::vector<POINT>& list, const line& a, const line& b, const line& c,
                         const line& d);

class ZupEdge;
class ZupNode;
class ZupPartition;
// The two walls that meet at a corner node, as the room sees them; false
// when the node does not join two.
bool CornerWalls(ZupNode* node, ZupPartition* room, ZupEdge*& first, ZupEdge*& second);
