// Clipping a polygon outline against another object into inside and outside
// pieces (polygon::operator<< and operator>>).
#pragma once

#include "geo_types.h"

struct POLY;
struct geolist_pr;

// When set, sub-pieces lying on the other object's outline are dropped.
// operator>> sets it for its call; && and || clear it for theirs.
char& ClipTouchFlag();

// Which pieces ClipPolygon keeps.
inline constexpr char CLIP_OUTSIDE = 0;
inline constexpr char CLIP_INSIDE = 1;

// Fills the empty result list body `list` with the pieces of `body` inside
// (mode CLIP_INSIDE) or outside (CLIP_OUTSIDE) of `other`: two-point pieces
// (-10) and vertex runs (-12) in the list's own store. On allocation failure
// GeoError 2 and no pieces. Leaves GeoInsertMode and the crossing state at 0.
void ClipPolygon(geolist_pr& list, const geobject& other, const POLY& body, char mode);
