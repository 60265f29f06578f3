// Overlay of two closed outlines: the region operations behind the polygon
// booleans, with every crossing found once.
#pragma once

#include <vector>

#include "geo_types.h"

struct POLY;

enum class OverlayOp : char { Intersection, Union, Difference };

// One closed result outline; its last vertex repeats the first.
using OverlayRing = std::vector<G_POINT>;

// The outlines of a op b for two closed rings. Both outlines are split at the
// same crossing points, so their pieces meet at identical vertices; each piece
// is judged once (inside, outside, or on a side both share) and the chosen
// pieces are linked into closed outlines that run the way `a` does. A hole
// of a union runs the other way; b strictly inside a leaves a - b as a.
// False, with `out` untouched, when an operand is not a closed ring of at
// least three distinct finite vertices or the pieces do not link up.
bool OverlayOutlines(const POLY& a, const POLY& b, OverlayOp op, std::vector<OverlayRing>& out);

// Where a piece of one outline lies against a closed outline.
enum class PieceLies : char { Outside, Inside, Along };

// One side of a clipped outline: its start, the points where it meets the
// other outline in order along it, and its end; lies[k] tells of the piece
// from points[k] to points[k + 1].
struct SplitSide {
    std::vector<G_POINT> points;
    std::vector<PieceLies> lies;
};

// The sides of `subject` (vertex i-1 to vertex i for i = 1..count-1, no
// closing side) split where they meet the closed outline `outline`, with the
// same crossings and tolerance as OverlayOutlines. sides[i-1] holds side i;
// a side whose ends coincide holds nothing. False, with `sides` untouched,
// when `outline` is not a closed ring of three distinct finite vertices or
// `subject` has fewer than two vertices or a non-finite one.
bool SplitAgainstOutline(const POLY& subject, const POLY& outline, std::vector<SplitSide>& sides);
