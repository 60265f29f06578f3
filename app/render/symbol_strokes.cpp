#include "symbol_strokes.h"

#include <algorithm>

#include "point.h"
#include "scaled_dc.h"

namespace {

constexpr COLORREF kSwingArcColour = 0xC0C0C0;
constexpr UINT kMeasureCentred = DT_CALCRECT | DT_CENTER | DT_NOCLIP;
constexpr UINT kDrawCentred = DT_CENTER | DT_NOCLIP;

// The full circle drawn through a clip of the box between the two mapped
// points, so that only the arc between them shows.
void DrawCircleClipped(CScaledDC& dc, const CSymbolStroke& arc, int grow)
{
    POINT a = arc.points[0];
    POINT b = arc.points[1];
    if (!dc.ToScreen(a) || !dc.ToScreen(b))
        return;
    CRgn clip;
    if (!clip.CreateRectRgn(std::min(a.x, b.x) - grow, std::min(a.y, b.y) - grow,
                            std::max(a.x, b.x) + grow, std::max(a.y, b.y) + grow))
        return;
    dc.SelectClipRgn(&clip);
    dc.SelectStockObject(NULL_BRUSH);
    dc.Ellipse(static_cast<int>(arc.centreX - arc.radius), static_cast<int>(arc.centreY - arc.radius),
               static_cast<int>(arc.centreX + arc.radius), static_cast<int>(arc.centreY + arc.radius));
    dc.SelectClipRgn(nullptr);
}

void DrawSwingArc(CScaledDC& dc, const CSymbolStroke& arc)
{
    CPen grey;
    if (!grey.CreatePen(PS_SOLID, 1, kSwingArcColour))
        return;
    CPen* previous = dc.SelectObject(&grey);
    DrawCircleClipped(dc, arc, 0);
    dc.SelectObject(previous);
}

void DrawPolyline(CScaledDC& dc, const CSymbolStroke& stroke)
{
    std::vector<POINT> points = stroke.points;
    if (dc.ToScreenAll(points))
        dc.Polyline(points);
}

// A short text in three quarters of the current font, centred on its point;
// in the current font when the smaller one cannot be made.
void DrawLabel(CScaledDC& dc, const CSymbolStroke& label)
{
    POINT at = label.points[0];
    if (!dc.ToScreen(at))
        return;
    CFont smaller;
    CFont* previous = nullptr;
    LOGFONTW font;
    CFont* current = dc.GetCurrentFont();
    if (current && current->GetLogFont(&font)) {
        font.lfHeight = static_cast<LONG>(font.lfHeight * 0.75);
        if (smaller.CreateFontIndirect(&font))
            previous = dc.SelectObject(&smaller);
    }
    CRect box(0, 0, 0, 0);
    dc.DrawText(label.text, &box, kMeasureCentred);
    box.OffsetRect(at.x - box.Width() / 2, at.y - box.Height() / 2);
    dc.DrawText(label.text, &box, kDrawCentred);
    if (previous)
        dc.SelectObject(previous);
}

}  // namespace

POINT WholeUnits(const point& p)
{
    return POINT{p.ix(), p.iy()};
}

void CSymbolStrokes::AddLine(const point& from, const point& to)
{
    CSymbolStroke stroke;
    stroke.points = {WholeUnits(from), WholeUnits(to)};
    m_strokes.push_back(stroke);
}

void CSymbolStrokes::AddSwingArc(const point& from, const point& to, const point& centre,
                                 int radius)
{
    CSymbolStroke stroke;
    stroke.kind = SymbolStrokeKind::kSwingArc;
    stroke.points = {WholeUnits(from), WholeUnits(to)};
    stroke.centreX = centre.ix();
    stroke.centreY = centre.iy();
    stroke.radius = radius;
    m_strokes.push_back(stroke);
}

void CSymbolStrokes::AddClippedArc(const point& from, const point& to, const point& centre,
                                   double radius)
{
    CSymbolStroke stroke;
    stroke.kind = SymbolStrokeKind::kClippedArc;
    stroke.points = {WholeUnits(from), WholeUnits(to)};
    stroke.centreX = centre.x();
    stroke.centreY = centre.y();
    stroke.radius = radius;
    m_strokes.push_back(stroke);
}

void CSymbolStrokes::AddPolyline(const std::vector<point>& points)
{
    CSymbolStroke stroke;
    stroke.kind = SymbolStrokeKind::kPolyline;
    for (const point& p : points)
        stroke.points.push_back(WholeUnits(p));
    m_strokes.push_back(stroke);
}

void CSymbolStrokes::AddLabel(const point& at, const CString& text)
{
    CSymbolStroke stroke;
    stroke.kind = SymbolStrokeKind::kLabel;
    stroke.points = {WholeUnits(at)};
    stroke.text = text;
    m_strokes.push_back(stroke);
}

std::vector<CSymbolStroke> CSymbolStrokes::OfKind(SymbolStrokeKind kind) const
{
    std::vector<CSymbolStroke> found;
    for (const CSymbolStroke& stroke : m_strokes)
        if (stroke.kind == kind)
            found.push_back(stroke);
    return found;
}

void CSymbolStrokes::Draw(CScaledDC& dc) const
{
    for (const CSymbolStroke& stroke : m_strokes) {
        switch (stroke.kind) {
        case SymbolStrokeKind::kLine:
            dc.MoveTo(stroke.points[0]);
            dc.LineTo(stroke.points[1]);
            break;
        case SymbolStrokeKind::kSwingArc:
            DrawSwingArc(dc, stroke);
            break;
        case SymbolStrokeKind::kClippedArc:
            DrawCircleClipped(dc, stroke, 1);
            break;
        case SymbolStrokeKind::kPolyline:
            DrawPolyline(dc, stroke);
            break;
        case SymbolStrokeKind::kLabel:
            DrawLabel(dc, stroke);
            break;
        }
    }
}
