// Internal: direct pixel access to a Cairo image surface within a clip
// rectangle, and the one-pixel line walk.
#pragma once

#include "gdi_constants.h"

#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

class PixelAccess {
public:
    // covered: parts of the surface that must stay untouched (windows above).
    PixelAccess(cairo_surface_t* surface, const CRect& clip, const std::vector<CRect>* covered = nullptr)
        : m_surface(surface), m_clip(clip), m_covered(covered)
    {
        cairo_surface_flush(surface);
        m_data = cairo_image_surface_get_data(surface);
        m_stride = cairo_image_surface_get_stride(surface);
    }
    ~PixelAccess()
    {
        if (m_written) cairo_surface_mark_dirty(m_surface);
    }
    PixelAccess(const PixelAccess&) = delete;
    PixelAccess& operator=(const PixelAccess&) = delete;

    static std::uint32_t ToPixel(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
    static COLORREF FromPixel(std::uint32_t p) { return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16); }

    bool Contains(int x, int y) const
    {
        if (!m_data || x < m_clip.left || x >= m_clip.right || y < m_clip.top || y >= m_clip.bottom) return false;
        if (m_covered)
            for (const CRect& r : *m_covered)
                if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return false;
        return true;
    }
    std::uint32_t Get(int x, int y) const { return Row(y)[x] & 0x00FFFFFF; }
    void Put(int x, int y, std::uint32_t value)
    {
        if (!Contains(x, y)) return;
        Row(y)[x] = value;
        m_written = true;
    }
    void InvertPixel(int x, int y)
    {
        if (Contains(x, y)) Put(x, y, Get(x, y) ^ 0x00FFFFFF);
    }
    void Fill(const CRect& rect, std::uint32_t value)
    {
        for (int y = std::max(rect.top, m_clip.top); y < std::min(rect.bottom, m_clip.bottom); ++y)
            for (int x = std::max(rect.left, m_clip.left); x < std::min(rect.right, m_clip.right); ++x)
                Put(x, y, value);
    }
    void Invert(const CRect& rect)
    {
        for (int y = std::max(rect.top, m_clip.top); y < std::min(rect.bottom, m_clip.bottom); ++y)
            for (int x = std::max(rect.left, m_clip.left); x < std::min(rect.right, m_clip.right); ++x)
                InvertPixel(x, y);
    }

private:
    std::uint32_t* Row(int y) const { return reinterpret_cast<std::uint32_t*>(m_data + y * m_stride); }

    cairo_surface_t* m_surface;
    CRect m_clip;
    const std::vector<CRect>* m_covered;
    unsigned char* m_data = nullptr;
    int m_stride = 0;
    bool m_written = false;
};

// Integer floor division for a positive divisor.
inline long long FloorDiv(long long a, long long b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// The one-pixel line from (x0, y0) towards (x1, y1): one pixel per step of
// the major axis, the minor coordinate rounded to the nearest pixel with
// halves going to the smaller coordinate, so a line and its reverse cover
// the same pixels. The end point itself is not plotted: a GDI line leaves
// it to the next segment.
template <typename Plot>
void PlotLineExcludingEnd(int x0, int y0, int x1, int y1, Plot&& plot)
{
    const long long dx = x1 - x0;
    const long long dy = y1 - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const long long steps = xMajor ? std::llabs(dx) : std::llabs(dy);
    if (steps == 0) return;
    // minor = start + t * delta / steps, rounded half down:
    // ceil((2 * start * steps + 2 * t * delta - steps) / (2 * steps)).
    for (long long t = 0; t < steps; ++t) {
        const long long major = (xMajor ? x0 : y0) + (xMajor ? (dx > 0 ? t : -t) : (dy > 0 ? t : -t));
        const long long start = xMajor ? y0 : x0;
        const long long delta = xMajor ? dy : dx;
        const long long numerator = 2 * start * steps + 2 * t * delta - steps;
        const long long minor = -FloorDiv(-numerator, 2 * steps);
        if (xMajor) plot(int(major), int(minor));
        else plot(int(minor), int(major));
    }
}
