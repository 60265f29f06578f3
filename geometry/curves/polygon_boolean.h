// Stitching clipped pieces into closed outlines: the polygon and list
// booleans &&, || and -.
#pragma once

#include "geo_types.h"

struct list_item;
struct geolist_pr;

// Vertex count of a piece (-12 run: its stored count, -10: 2, else 0) and
// pointers to its first and last points (untouched for other codes).
short PieceEnds(const list_item& item, G_POINT*& first, G_POINT*& last);

// The run `piece` (more than 2 vertices) holds the edge a-b in either
// direction; the pair ending at its last vertex is not examined.
bool PieceHasEdge(const list_item& piece, const G_POINT& a, const G_POINT& b);

// Chains the pieces of `first` with those of `second` into closed vertex runs
// in `out` (an empty body). Consumed pieces get code 0. With `keepUnconsumed`
// (the union), closed runs of `second` that no chain consumed are added as
// results of their own, so the union of disjoint outlines keeps both.
void StitchPolygonPieces(geolist_pr& first, geolist_pr& second, geolist_pr& out,
                         bool keepUnconsumed = false);

// The same on result handles; returns the stitched list.
geolist_ref StitchPolygonPieces(const geolist_ref& first, const geolist_ref& second,
                                bool keepUnconsumed = false);
