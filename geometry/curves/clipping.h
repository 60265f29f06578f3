// Clipping a polygon outline against another object into inside and outside
// pieces (polygon::operator<< and operator>>).
#pragma once

#include <vector>

#include "geo_types.h"

struct POLY;
struct geolist_pr;

// When set, sub-pieces lying on the other object's outline are dropped.
// operator>> sets it for its call; && and || clear it for theirs.
char& ClipTouchFlag();

// Which pieces ClipPolygon keeps.
inline constexpr char CLIP_OUTSIDE = 0;
inline constexpr char CLIP_INSIDE = 1;

// A piece of a result list: a vertex run (-12, stored behind a count slot) or
// a two-point piece (-10).
struct StoredPiece {
    std::vector<G_POINT> points;
    bool run = false;
};

// Replaces the list's items and value store by these pieces, all in one store.
// False (the list unchanged) when the memory cannot be had.
bool StorePieces(geolist_pr& list, const std::vector<StoredPiece>& pieces);

// Fills the empty result list body `list` with the pieces of `body` inside
// (mode CLIP_INSIDE) or outside (CLIP_OUTSIDE) of `other`: two-point pieces
// (-10) and vertex runs (-12) in the list's own store. On allocation failure
// GeoError 2 and no pieces. Leaves GeoInsertMode and the crossing state at 0.
void ClipPolygon(geolist_pr& list, const geobject& other, const POLY& body, char mode);
