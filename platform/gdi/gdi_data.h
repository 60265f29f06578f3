// Internal: the shared data behind the drawing objects' handles.
#pragma once

#include "gdi_objects.h"

#include <cairo.h>

#include <memory>

struct GdiData {
    virtual ~GdiData() = default;
    bool stock = false;
};

struct PenData : GdiData {
    int style = PS_SOLID;
    int width = 0;
    COLORREF color = 0;
};

struct BitmapData;

struct BrushData : GdiData {
    int style = BS_SOLID;
    COLORREF color = 0;
    std::shared_ptr<BitmapData> pattern;  // BS_PATTERN: tiled from the context's origin
};

struct FontData : GdiData {
    LOGFONTW logFont;
};

// An image surface in the 32-bit xRGB format; the data owns the surface.
struct BitmapData : GdiData {
    BitmapData(int width, int height);
    ~BitmapData() override;
    BitmapData(const BitmapData&) = delete;
    BitmapData& operator=(const BitmapData&) = delete;
    cairo_surface_t* surface = nullptr;
    int width = 0;
    int height = 0;
};

struct RgnData : GdiData {
    CRect rect;
};

// The font every context starts with: DejaVu Sans at 12 pixels.
LOGFONTW DefaultLogFont();
