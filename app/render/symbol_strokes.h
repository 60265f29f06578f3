// A symbol worked out in model units before it is drawn: lines, clipped
// circle arcs, polylines and short labels, in drawing order. Keeping the
// geometry apart from the context lets the symbols be checked by number.
#pragma once

#include <vector>

#include "c_string.h"
#include "c_rect.h"

class CScaledDC;
class point;

enum class SymbolStrokeKind {
    kLine,        // points[0] to points[1]
    kSwingArc,    // light grey circle about `centre`, shown between the two points
    kClippedArc,  // the same in the current pen, its clip grown by a pixel
    kPolyline,    // every point, cut at the device's top edge
    kLabel,       // `text` centred on points[0]
};

struct CSymbolStroke {
    SymbolStrokeKind kind = SymbolStrokeKind::kLine;
    std::vector<POINT> points;
    double centreX = 0.0;
    double centreY = 0.0;
    double radius = 0.0;
    CString text;
};

class CSymbolStrokes {
public:
    // Each point is taken in whole model units.
    void AddLine(const point& from, const point& to);
    void AddSwingArc(const point& from, const point& to, const point& centre, int radius);
    void AddClippedArc(const point& from, const point& to, const point& centre, double radius);
    void AddPolyline(const std::vector<point>& points);
    void AddLabel(const point& at, const CString& text);

    const std::vector<CSymbolStroke>& Strokes() const { return m_strokes; }
    std::vector<CSymbolStroke> OfKind(SymbolStrokeKind kind) const;
    bool IsEmpty() const { return m_strokes.empty(); }

    // Lines in the pen the caller selected; swing arcs in light grey; the
    // arcs leave the stock null brush selected. Labels use 3/4 of the
    // current font's height.
    void Draw(CScaledDC& dc) const;

private:
    std::vector<CSymbolStroke> m_strokes;
};

// The whole-unit form of a model point, as the context takes it.
POINT WholeUnits(const point& p);
