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
