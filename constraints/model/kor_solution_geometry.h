// Small geometric steps shared by the solutions and the distance dimensions
// when they apply a move to nodes and trackers.
#pragma once

#include "point.h"

class circle;
class geobject;
class line;
class KorNode;
class KorTracker;

bool KorIsLineTracker(const KorTracker* tracker);
bool KorIsCircleTracker(const KorTracker* tracker);
// The tracker's geometry; only for a tracker of that kind.
line& KorLineOf(KorTracker* tracker);
circle& KorCircleOf(KorTracker* tracker);

bool KorIsFinite(const point& p);
bool KorIsFinite(const line& l);
bool KorIsFinite(const circle& c);

// Crossing points of two geometries into out (at most max); their number.
int KorIntersect(const geobject& a, const geobject& b, point* out, int max);
// The crossings of two circles in the library's count and order, each one
// on both circles: the library levels a common chord that is within GeoSnap
// of level or upright, which leaves a crossing off the circles by up to
// GeoSnap times the half-chord (0.7 in on a chord of 300 in).
int KorCircleCrossings(const circle& a, const circle& b, point out[2]);
// The parallel of l at distance d on side's side (either side when side is on l).
line KorParallelOnSide(const line& l, const point& side, double d);
// The point at distance d from `from` toward `to` (from itself when they coincide).
point KorPointToward(const point& from, const point& to, double d);

// Puts the node on p with status 2 (placed). False, nothing moved, for a
// non-finite point.
bool KorPlaceNode(KorNode* node, const point& p);
