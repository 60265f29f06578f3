// Internal: text measuring and drawing through Pango in a LOGFONT's font.
#pragma once

#include "gdi_objects.h"

#include <string>

typedef struct _cairo cairo_t;

struct TextBlock {
    int width = 0;
    int height = 0;
};

struct TextStyle {
    LOGFONTW font;
    UINT align = 0;       // DT_LEFT, DT_CENTER or DT_RIGHT
    int wrapWidth = -1;   // pixels; -1 = no word wrap
};

std::string ToUtf8(const std::wstring& text);

// Size of the text's logical box (whole pixels).
TextBlock MeasureTextBlock(cairo_t* cr, const std::wstring& text, const TextStyle& style);
// Draws the text with its logical box's top-left at (x, y) in the source colour of cr.
void DrawTextBlock(cairo_t* cr, const std::wstring& text, const TextStyle& style, int x, int y);
// Ascent, descent and average character width of the font.
void FontMetrics(cairo_t* cr, const LOGFONTW& font, int& ascent, int& descent, int& averageWidth);
