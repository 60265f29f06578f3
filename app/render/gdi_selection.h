// Scoped selections of drawing objects: each symbol selects its own pen,
// brush or font, and these put the previous one back and delete what was
// made, on every way out of the drawing.
#pragma once

#include "dc.h"

// A solid pen made and selected for the scope; Made() is false when the pen
// could not be created (nothing is selected then).
class ScopedPen {
public:
    ScopedPen(CDC& dc, int style, int width, COLORREF colour);
    ~ScopedPen();
    ScopedPen(const ScopedPen&) = delete;
    ScopedPen& operator=(const ScopedPen&) = delete;
    bool Made() const { return m_made; }

private:
    CDC& m_dc;
    CPen m_pen;
    CPen* m_previous = nullptr;
    bool m_made = false;
};

// A brush (the caller's, or a stock one) selected for the scope.
class ScopedBrush {
public:
    ScopedBrush(CDC& dc, CBrush* brush);
    ScopedBrush(CDC& dc, int stockIndex);
    ~ScopedBrush();
    ScopedBrush(const ScopedBrush&) = delete;
    ScopedBrush& operator=(const ScopedBrush&) = delete;
    bool Selected() const { return m_selected; }

private:
    CDC& m_dc;
    CBrush m_stock;
    CBrush* m_previous = nullptr;
    bool m_selected = false;
};

// A font of the given pixel height (every other field zero), made and
// selected for the scope; without it the current font stays.
class ScopedFont {
public:
    ScopedFont(CDC& dc, int height);
    ScopedFont(CDC& dc, const LOGFONTW& description);
    ~ScopedFont();
    ScopedFont(const ScopedFont&) = delete;
    ScopedFont& operator=(const ScopedFont&) = delete;
    bool Made() const { return m_made; }

private:
    void Select(const LOGFONTW& description);

    CDC& m_dc;
    CFont m_font;
    CFont* m_previous = nullptr;
    bool m_made = false;
};
