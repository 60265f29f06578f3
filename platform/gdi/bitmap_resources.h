// The program's bitmap resources: pictures we draw ourselves, registered by
// resource id from the tables in resources/ and loaded by CBitmap::LoadBitmap.
#pragma once

#include "gdi_constants.h"

#include <string>
#include <vector>

struct BitmapResource {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // row by row from the top, width x height
};

// Registers (or replaces) the bitmap of an id. Rejects a pixel count that
// does not match the size.
bool RegisterBitmapResource(UINT id, BitmapResource bitmap);

// Registers a bitmap drawn as text rows, one character per pixel, each
// character looked up in the palette ("x=000000" style entries: key, '=',
// six hex digits RRGGBB). Rows must all have the same length.
bool RegisterBitmapArt(UINT id, const std::vector<std::string>& rows,
                       const std::vector<std::string>& palette);

// The bitmap of an id, or null.
const BitmapResource* FindBitmapResource(UINT id);
