#include "dc.h"

#include "gdi_data.h"
#include "pixel_access.h"
#include "text_layout.h"

#include <cairo.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>

struct CDC::Slot {
    std::shared_ptr<GdiData> data;
    CGdiObject* object = nullptr;
};

// A Cairo context over the bound surface: clipped to the context's clip,
// translated to its area, without antialiasing.
class CDC::Painter {
public:
    explicit Painter(const CDC& dc) : cr(cairo_create(dc.m_surface))
    {
        const CRect clip = dc.ClipInSurface();
        if (dc.m_covered.empty()) {
            cairo_rectangle(cr, clip.left, clip.top, std::max(0, clip.Width()), std::max(0, clip.Height()));
        } else {
            const cairo_rectangle_int_t whole{clip.left, clip.top, std::max(0, clip.Width()), std::max(0, clip.Height())};
            cairo_region_t* region = cairo_region_create_rectangle(&whole);
            for (const CRect& r : dc.m_covered) {
                const cairo_rectangle_int_t hole{r.left, r.top, r.Width(), r.Height()};
                cairo_region_subtract_rectangle(region, &hole);
            }
            for (int i = 0; i < cairo_region_num_rectangles(region); ++i) {
                cairo_rectangle_int_t part;
                cairo_region_get_rectangle(region, i, &part);
                cairo_rectangle(cr, part.x, part.y, part.width, part.height);
            }
            cairo_region_destroy(region);
        }
        cairo_clip(cr);
        cairo_translate(cr, dc.m_area.left, dc.m_area.top);
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    }
    ~Painter() { cairo_destroy(cr); }
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;
    cairo_t* cr;
};

namespace {

void SetSourceColor(cairo_t* cr, COLORREF color)
{
    cairo_set_source_rgb(cr, (color & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0, ((color >> 16) & 0xFF) / 255.0);
}

CRect Normalized(int left, int top, int right, int bottom)
{
    return CRect(std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom));
}

CRect Intersect(const CRect& a, const CRect& b)
{
    CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom));
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

bool IsEmpty(const CRect& r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

// On/off run lengths of the one-pixel dashed pens.
std::vector<int> DashPattern(int style)
{
    switch (style) {
    case PS_DASH: return {18, 6};
    case PS_DOT: return {3, 3};
    case PS_DASHDOT: return {9, 6, 3, 6};
    case PS_DASHDOTDOT: return {9, 3, 3, 3, 3, 3};
    default: return {};
    }
}

bool PatternOn(const std::vector<int>& pattern, int phase)
{
    if (pattern.empty()) return true;
    int period = 0;
    for (int run : pattern) period += run;
    int position = phase % period;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (position < pattern[i]) return i % 2 == 0;
        position -= pattern[i];
    }
    return true;
}

// The brush's paint: its colour, or its bitmap tiled from the context's
// origin.
void SetBrushSource(cairo_t* cr, const BrushData& brush)
{
    if (brush.style == BS_PATTERN && brush.pattern) {
        cairo_set_source_surface(cr, brush.pattern->surface, 0, 0);
        cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_REPEAT);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    } else {
        SetSourceColor(cr, brush.color);
    }
}

std::unique_ptr<CGdiObject> MakeWrapper(const std::shared_ptr<GdiData>& data)
{
    std::unique_ptr<CGdiObject> wrapper;
    if (dynamic_cast<PenData*>(data.get())) wrapper = std::make_unique<CPen>();
    else if (dynamic_cast<BrushData*>(data.get())) wrapper = std::make_unique<CBrush>();
    else if (dynamic_cast<FontData*>(data.get())) wrapper = std::make_unique<CFont>();
    else if (dynamic_cast<BitmapData*>(data.get())) wrapper = std::make_unique<CBitmap>();
    else wrapper = std::make_unique<CRgn>();
    wrapper->AttachData(data);
    return wrapper;
}

const PenData& PenOf(const std::shared_ptr<GdiData>& data)
{
    static const PenData fallback;
    auto* pen = dynamic_cast<PenData*>(data.get());
    return pen ? *pen : fallback;
}

const BrushData& BrushOf(const std::shared_ptr<GdiData>& data)
{
    static const BrushData fallback;
    auto* brush = dynamic_cast<BrushData*>(data.get());
    return brush ? *brush : fallback;
}

}  // namespace

CDC::CDC()
    : m_pen(std::make_unique<Slot>()), m_brush(std::make_unique<Slot>()),
      m_font(std::make_unique<Slot>()), m_bitmap(std::make_unique<Slot>())
{
    ResetState();
}

CDC::~CDC() = default;

void CDC::ResetState()
{
    *m_pen = Slot{GetStockData(BLACK_PEN), nullptr};
    *m_brush = Slot{GetStockData(WHITE_BRUSH), nullptr};
    *m_font = Slot{GetStockData(SYSTEM_FONT), nullptr};
    *m_bitmap = Slot{};
    m_hasClip = false;
    m_clip = CRect();
    m_position = CPoint(0, 0);
    m_textColor = 0;
    m_bkColor = RGB(255, 255, 255);
    m_bkMode = OPAQUE;
    m_fillMode = ALTERNATE;
    m_dashPhase = 0;
}

BOOL CDC::AttachSurface(cairo_surface_t* surface, const CRect& area, const CRect* visible)
{
    if (!surface || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) return FALSE;
    m_surface = surface;
    m_area = area;
    m_hasVisible = visible != nullptr;
    if (visible) m_visible = *visible;
    m_covered.clear();
    return TRUE;
}

BOOL CDC::CreateCompatibleDC(CDC*)
{
    if (m_surface) return FALSE;
    ResetState();
    auto bitmap = std::make_shared<BitmapData>(1, 1);
    m_bitmap->data = bitmap;
    m_surface = bitmap->surface;
    m_area = CRect(0, 0, 1, 1);
    m_hasVisible = false;
    m_covered.clear();
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    if (!m_surface) return FALSE;
    m_surface = nullptr;
    m_area = CRect();
    ResetState();
    m_temporaries.clear();
    return TRUE;
}

bool CDC::IsBound() const
{
    return m_surface != nullptr;
}

cairo_surface_t* CDC::GetSurface() const
{
    return m_surface;
}

CGdiObject* CDC::Current(Slot& slot)
{
    if (!slot.data) return nullptr;
    if (slot.object && CGdiObject::IsLive(slot.object) && slot.object->Data() == slot.data) return slot.object;
    for (auto& temporary : m_temporaries)
        if (temporary->Data() == slot.data) return temporary.get();
    m_temporaries.push_back(MakeWrapper(slot.data));
    return m_temporaries.back().get();
}

CGdiObject* CDC::Select(Slot& slot, CGdiObject* object)
{
    if (!object || !object->Data()) return nullptr;
    CGdiObject* previous = Current(slot);
    slot.data = object->Data();
    slot.object = object;
    return previous;
}

CPen* CDC::SelectObject(CPen* pen)
{
    if (!pen || !dynamic_cast<PenData*>(pen->GetSafeHandle())) return nullptr;
    return dynamic_cast<CPen*>(Select(*m_pen, pen));
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    if (!brush || !dynamic_cast<BrushData*>(brush->GetSafeHandle())) return nullptr;
    return dynamic_cast<CBrush*>(Select(*m_brush, brush));
}

CFont* CDC::SelectObject(CFont* font)
{
    if (!font || !dynamic_cast<FontData*>(font->GetSafeHandle())) return nullptr;
    return dynamic_cast<CFont*>(Select(*m_font, font));
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    // Only memory contexts take bitmaps.
    if (!m_bitmap->data || !bitmap) return nullptr;
    auto* data = dynamic_cast<BitmapData*>(bitmap->GetSafeHandle());
    if (!data) return nullptr;
    CBitmap* previous = dynamic_cast<CBitmap*>(Select(*m_bitmap, bitmap));
    m_surface = data->surface;
    m_area = CRect(0, 0, data->width, data->height);
    m_hasVisible = false;
    m_hasClip = false;
    return previous;
}

int CDC::SelectObject(CRgn* region)
{
    return SelectClipRgn(region);
}

CGdiObject* CDC::SelectStockObject(int index)
{
    auto data = GetStockData(index);
    if (!data) return nullptr;
    Slot* slot = nullptr;
    if (dynamic_cast<PenData*>(data.get())) slot = m_pen.get();
    else if (dynamic_cast<BrushData*>(data.get())) slot = m_brush.get();
    else if (dynamic_cast<FontData*>(data.get())) slot = m_font.get();
    if (!slot) return nullptr;
    CGdiObject* previous = Current(*slot);
    slot->data = data;
    slot->object = nullptr;
    return previous;
}

CPen* CDC::GetCurrentPen() { return dynamic_cast<CPen*>(Current(*m_pen)); }
CBrush* CDC::GetCurrentBrush() { return dynamic_cast<CBrush*>(Current(*m_brush)); }
CFont* CDC::GetCurrentFont() { return dynamic_cast<CFont*>(Current(*m_font)); }
CBitmap* CDC::GetCurrentBitmap() { return dynamic_cast<CBitmap*>(Current(*m_bitmap)); }

COLORREF CDC::SetTextColor(COLORREF color)
{
    COLORREF previous = m_textColor;
    m_textColor = color & 0x00FFFFFF;
    return previous;
}

COLORREF CDC::SetBkColor(COLORREF color)
{
    COLORREF previous = m_bkColor;
    m_bkColor = color & 0x00FFFFFF;
    return previous;
}

int CDC::SetBkMode(int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    int previous = m_bkMode;
    m_bkMode = mode;
    return previous;
}

int CDC::SetPolyFillMode(int mode)
{
    if (mode != ALTERNATE && mode != WINDING) return 0;
    int previous = m_fillMode;
    m_fillMode = mode;
    return previous;
}

CRect CDC::ClipInSurface() const
{
    if (!m_surface) return CRect();
    CRect bounds(0, 0, cairo_image_surface_get_width(m_surface), cairo_image_surface_get_height(m_surface));
    CRect clip = Intersect(bounds, m_area);
    if (m_hasVisible) clip = Intersect(clip, m_visible);
    if (m_hasClip) {
        CRect user(m_clip.left + m_area.left, m_clip.top + m_area.top, m_clip.right + m_area.left,
                   m_clip.bottom + m_area.top);
        clip = Intersect(clip, user);
    }
    return clip;
}

// ---- lines ----------------------------------------------------------------

CPoint CDC::MoveTo(int x, int y)
{
    CPoint previous = m_position;
    m_position = CPoint(x, y);
    m_dashPhase = 0;
    return previous;
}

BOOL CDC::LineTo(int x, int y)
{
    if (!m_surface) return FALSE;
    Stroke({m_position, CPoint(x, y)}, false);
    m_position = CPoint(x, y);
    return TRUE;
}

void CDC::Stroke(const std::vector<CPoint>& points, bool closed)
{
    const PenData& pen = PenOf(m_pen->data);
    if (pen.style == PS_NULL || points.size() < 2) return;
    if (pen.width <= 1) StrokeThin(points, closed);
    else StrokeWide(points, closed);
}

void CDC::StrokeThin(const std::vector<CPoint>& points, bool closed)
{
    const PenData& pen = PenOf(m_pen->data);
    const std::vector<int> pattern = DashPattern(pen.style);
    PixelAccess pixels(m_surface, ClipInSurface(), &m_covered);
    const std::uint32_t value = PixelAccess::ToPixel(pen.color);
    auto plot = [&](int x, int y) {
        if (PatternOn(pattern, m_dashPhase)) pixels.Put(x + m_area.left, y + m_area.top, value);
        ++m_dashPhase;
    };
    const size_t segments = closed ? points.size() : points.size() - 1;
    for (size_t i = 0; i < segments; ++i) {
        const CPoint& a = points[i];
        const CPoint& b = points[(i + 1) % points.size()];
        PlotLineExcludingEnd(a.x, a.y, b.x, b.y, plot);
    }
}

void CDC::StrokeWide(const std::vector<CPoint>& points, bool closed)
{
    const PenData& pen = PenOf(m_pen->data);
    Painter painter(*this);
    cairo_t* cr = painter.cr;
    cairo_set_line_width(cr, pen.width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    const std::vector<int> pattern = DashPattern(pen.style);
    if (!pattern.empty()) {
        std::vector<double> dashes;
        for (int run : pattern) dashes.push_back(double(run) * pen.width / 3.0);
        cairo_set_dash(cr, dashes.data(), int(dashes.size()), 0);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    }
    cairo_move_to(cr, points[0].x + 0.5, points[0].y + 0.5);
    for (size_t i = 1; i < points.size(); ++i) cairo_line_to(cr, points[i].x + 0.5, points[i].y + 0.5);
    if (closed) cairo_close_path(cr);
    SetSourceColor(cr, pen.color);
    cairo_stroke(cr);
}

void CDC::FillPath(const std::vector<CPoint>& points, int fillMode)
{
    const BrushData& brush = BrushOf(m_brush->data);
    if (brush.style == BS_NULL || points.size() < 3) return;
    Painter painter(*this);
    cairo_t* cr = painter.cr;
    cairo_move_to(cr, points[0].x, points[0].y);
    for (size_t i = 1; i < points.size(); ++i) cairo_line_to(cr, points[i].x, points[i].y);
    cairo_close_path(cr);
    cairo_set_fill_rule(cr, fillMode == WINDING ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
    SetBrushSource(cr, brush);
    cairo_fill(cr);
}

BOOL CDC::Polyline(const POINT* points, int count)
{
    if (!m_surface || !points || count < 2) return FALSE;
    std::vector<CPoint> path;
    for (int i = 0; i < count; ++i) path.emplace_back(points[i].x, points[i].y);
    m_dashPhase = 0;
    Stroke(path, false);
    return TRUE;
}

BOOL CDC::Polygon(const POINT* points, int count)
{
    if (!m_surface || !points || count < 2) return FALSE;
    std::vector<CPoint> path;
    for (int i = 0; i < count; ++i) path.emplace_back(points[i].x, points[i].y);
    FillPath(path, m_fillMode);
    m_dashPhase = 0;
    Stroke(path, true);
    return TRUE;
}

// ---- boxes ----------------------------------------------------------------

BOOL CDC::Rectangle(int left, int top, int right, int bottom)
{
    if (!m_surface) return FALSE;
    const CRect box = Normalized(left, top, right, bottom);
    if (box.Width() < 1 || box.Height() < 1) return TRUE;
    const BrushData& brush = BrushOf(m_brush->data);
    if (brush.style != BS_NULL) {
        // The fill stops one pixel short of the right and bottom edges,
        // which the outline covers.
        CRect inner(box.left, box.top, box.right - 1, box.bottom - 1);
        if (brush.style == BS_PATTERN)
            FillPath({inner.TopLeft(), CPoint(inner.right, inner.top), inner.BottomRight(),
                      CPoint(inner.left, inner.bottom)}, ALTERNATE);
        else
            FillSolidRect(&inner, brush.color);
    }
    const PenData& pen = PenOf(m_pen->data);
    if (pen.style == PS_NULL) return TRUE;
    m_dashPhase = 0;
    std::vector<CPoint> outline{CPoint(box.left, box.top), CPoint(box.right - 1, box.top),
                                CPoint(box.right - 1, box.bottom - 1), CPoint(box.left, box.bottom - 1)};
    Stroke(outline, true);
    return TRUE;
}

BOOL CDC::Ellipse(int left, int top, int right, int bottom)
{
    if (!m_surface) return FALSE;
    const CRect box = Normalized(left, top, right, bottom);
    if (box.Width() < 1 || box.Height() < 1) return TRUE;
    // The ellipse runs through the centres of the box's outermost pixels.
    const double cx = (box.left + box.right) / 2.0;
    const double cy = (box.top + box.bottom) / 2.0;
    const double rx = std::max(0.25, (box.Width() - 1) / 2.0);
    const double ry = std::max(0.25, (box.Height() - 1) / 2.0);
    auto ellipsePath = [&](cairo_t* cr) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, rx, ry);
        cairo_arc(cr, 0, 0, 1, 0, 2 * 3.14159265358979323846);
        cairo_restore(cr);
    };
    const BrushData& brush = BrushOf(m_brush->data);
    const PenData& pen = PenOf(m_pen->data);
    Painter painter(*this);
    cairo_t* cr = painter.cr;
    if (brush.style != BS_NULL) {
        ellipsePath(cr);
        SetBrushSource(cr, brush);
        cairo_fill(cr);
    }
    if (pen.style != PS_NULL) {
        ellipsePath(cr);
        cairo_set_line_width(cr, std::max(1, pen.width));
        SetSourceColor(cr, pen.color);
        cairo_stroke(cr);
    }
    return TRUE;
}

void CDC::FillRect(LPCRECT rect, CBrush* brush)
{
    if (!rect || !brush) return;
    auto* data = dynamic_cast<BrushData*>(brush->GetSafeHandle());
    if (!data || data->style == BS_NULL) return;
    FillSolidRect(rect, data->color);
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color)
{
    if (!rect || !m_surface) return;
    const CRect box = Normalized(rect->left, rect->top, rect->right, rect->bottom);
    const CRect target(box.left + m_area.left, box.top + m_area.top, box.right + m_area.left, box.bottom + m_area.top);
    PixelAccess pixels(m_surface, ClipInSurface(), &m_covered);
    pixels.Fill(target, PixelAccess::ToPixel(color));
}

void CDC::FillSolidRect(int x, int y, int width, int height, COLORREF color)
{
    CRect rect(x, y, x + width, y + height);
    FillSolidRect(&rect, color);
}

void CDC::FrameRect(LPCRECT rect, CBrush* brush)
{
    if (!rect || !brush) return;
    auto* data = dynamic_cast<BrushData*>(brush->GetSafeHandle());
    if (!data || data->style == BS_NULL) return;
    const CRect box = Normalized(rect->left, rect->top, rect->right, rect->bottom);
    if (IsEmpty(box)) return;
    FillSolidRect(box.left, box.top, box.Width(), 1, data->color);
    FillSolidRect(box.left, box.bottom - 1, box.Width(), 1, data->color);
    FillSolidRect(box.left, box.top, 1, box.Height(), data->color);
    FillSolidRect(box.right - 1, box.top, 1, box.Height(), data->color);
}

void CDC::InvertPixels(const CRect& rect)
{
    if (!m_surface || IsEmpty(rect)) return;
    const CRect target(rect.left + m_area.left, rect.top + m_area.top, rect.right + m_area.left, rect.bottom + m_area.top);
    PixelAccess pixels(m_surface, ClipInSurface(), &m_covered);
    pixels.Invert(target);
}

void CDC::InvertRect(LPCRECT rect)
{
    if (!rect) return;
    InvertPixels(Normalized(rect->left, rect->top, rect->right, rect->bottom));
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight)
{
    if (!rect) return;
    const CRect box = Normalized(rect->left, rect->top, rect->right, rect->bottom);
    if (IsEmpty(box)) return;
    FillSolidRect(box.left, box.top, box.Width() - 1, 1, topLeft);
    FillSolidRect(box.left, box.top, 1, box.Height() - 1, topLeft);
    FillSolidRect(box.right - 1, box.top, 1, box.Height(), bottomRight);
    FillSolidRect(box.left, box.bottom - 1, box.Width(), 1, bottomRight);
}

void CDC::DrawFocusRect(LPCRECT rect)
{
    if (!rect || !m_surface) return;
    const CRect box = Normalized(rect->left, rect->top, rect->right, rect->bottom);
    if (IsEmpty(box)) return;
    PixelAccess pixels(m_surface, ClipInSurface(), &m_covered);
    auto dot = [&](int x, int y) {
        if ((x + y) % 2 == 0) pixels.InvertPixel(x + m_area.left, y + m_area.top);
    };
    for (int x = box.left; x < box.right; ++x) {
        dot(x, box.top);
        if (box.bottom - 1 > box.top) dot(x, box.bottom - 1);
    }
    for (int y = box.top + 1; y < box.bottom - 1; ++y) {
        dot(box.left, y);
        if (box.right - 1 > box.left) dot(box.right - 1, y);
    }
}

void CDC::DrawDragRect(LPCRECT rect, SIZE size, LPCRECT lastRect, SIZE lastSize, CBrush*, CBrush*)
{
    // Inversion is its own inverse: drawing the last frame again erases it.
    auto frame = [this](LPCRECT r, SIZE s) {
        if (!r) return;
        const CRect box = Normalized(r->left, r->top, r->right, r->bottom);
        if (IsEmpty(box)) return;
        const int cx = std::min<int>(std::max<int>(s.cx, 1), box.Width());
        const int cy = std::min<int>(std::max<int>(s.cy, 1), box.Height());
        // Four strips that never overlap, so each pixel flips once.
        const int innerTop = box.top + cy;
        const int innerBottom = std::max(innerTop, box.bottom - cy);
        InvertPixels(CRect(box.left, box.top, box.right, innerTop));
        InvertPixels(CRect(box.left, innerBottom, box.right, box.bottom));
        const int innerLeft = box.left + cx;
        const int innerRight = std::max(innerLeft, box.right - cx);
        InvertPixels(CRect(box.left, innerTop, innerLeft, innerBottom));
        InvertPixels(CRect(innerRight, innerTop, box.right, innerBottom));
    };
    frame(lastRect, lastSize);
    frame(rect, size);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
    if (!m_surface) return CLR_INVALID;
    PixelAccess pixels(m_surface, ClipInSurface(), &m_covered);
    if (!pixels.Contains(x + m_area.left, y + m_area.top)) return CLR_INVALID;
    pixels.Put(x + m_area.left, y + m_area.top, PixelAccess::ToPixel(color));
    return color & 0x00FFFFFF;
}

COLORREF CDC::GetPixel(int x, int y) const
{
    if (!m_surface) return CLR_INVALID;
    PixelAccess pixels(m_surface, ClipInSurface());
    if (!pixels.Contains(x + m_area.left, y + m_area.top)) return CLR_INVALID;
    return PixelAccess::FromPixel(pixels.Get(x + m_area.left, y + m_area.top));
}

// ---- text -----------------------------------------------------------------

std::wstring CDC::Prepare(LPCWSTR text, int count) const
{
    if (!text) return {};
    const size_t length = count < 0 ? std::wcslen(text) : size_t(count);
    return std::wstring(text, text + length);
}

namespace {

// "&x" marks a mnemonic (shown without the ampersand), "&&" is one ampersand.
std::wstring StripPrefixes(const std::wstring& text)
{
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) {
            ++i;
        } else if (text[i] == L'&') {
            continue;
        }
        out += text[i];
    }
    return out;
}

std::wstring OnOneLine(std::wstring text)
{
    for (auto& c : text)
        if (c == L'\n' || c == L'\r') c = L' ';
    return text;
}

}  // namespace

int CDC::DrawText(const CString& text, LPRECT rect, UINT format)
{
    return DrawText(static_cast<LPCWSTR>(text), -1, rect, format);
}

int CDC::DrawText(LPCWSTR text, int count, LPRECT rect, UINT format)
{
    if (!m_surface || !rect) return 0;
    std::wstring prepared = Prepare(text, count);
    if (!(format & DT_NOPREFIX)) prepared = StripPrefixes(prepared);
    if (format & DT_SINGLELINE) prepared = OnOneLine(prepared);
    return DrawTextBox(prepared, rect, format);
}

int CDC::DrawTextBox(const std::wstring& text, LPRECT rect, UINT format)
{
    TextStyle style;
    style.font = dynamic_cast<FontData&>(*m_font->data).logFont;
    style.align = format & (DT_CENTER | DT_RIGHT);
    const bool wraps = (format & DT_WORDBREAK) && !(format & DT_SINGLELINE);
    if (wraps) style.wrapWidth = std::max<int>(0, rect->right - rect->left);
    Painter painter(*this);
    cairo_t* cr = painter.cr;
    const TextBlock block = MeasureTextBlock(cr, text, style);
    if (format & DT_CALCRECT) {
        rect->right = rect->left + block.width;
        rect->bottom = rect->top + block.height;
        return block.height;
    }
    if (block.height == 0) return 0;
    const CRect box(*rect);
    int x = box.left;
    if (format & DT_CENTER) x = box.left + (box.Width() - block.width) / 2;
    else if (format & DT_RIGHT) x = box.right - block.width;
    int y = box.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER) y = box.top + (box.Height() - block.height) / 2;
        else if (format & DT_BOTTOM) y = box.bottom - block.height;
    }
    if (!(format & DT_NOCLIP)) {
        cairo_rectangle(cr, box.left, box.top, std::max(0, box.Width()), std::max(0, box.Height()));
        cairo_clip(cr);
    }
    if (m_bkMode == OPAQUE) {
        cairo_rectangle(cr, x, y, block.width, block.height);
        SetSourceColor(cr, m_bkColor);
        cairo_fill(cr);
    }
    SetSourceColor(cr, m_textColor);
    DrawTextBlock(cr, text, style, x, y);
    return (y - box.top) + block.height;
}

BOOL CDC::TextOut(int x, int y, const CString& text)
{
    return TextOut(x, y, static_cast<LPCWSTR>(text), -1);
}

BOOL CDC::TextOut(int x, int y, LPCWSTR text, int count)
{
    CRect box(x, y, x, y);
    return ExtTextOut(x, y, 0, &box, CString(Prepare(text, count).c_str()));
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, const int*)
{
    if (!m_surface) return FALSE;
    const std::wstring content = OnOneLine(Prepare(static_cast<LPCWSTR>(text), -1));
    TextStyle style;
    style.font = dynamic_cast<FontData&>(*m_font->data).logFont;
    Painter painter(*this);
    cairo_t* cr = painter.cr;
    if (rect && (options & (ETO_OPAQUE | ETO_CLIPPED))) {
        const CRect box = Normalized(rect->left, rect->top, rect->right, rect->bottom);
        if (options & ETO_OPAQUE) {
            cairo_rectangle(cr, box.left, box.top, box.Width(), box.Height());
            SetSourceColor(cr, m_bkColor);
            cairo_fill(cr);
        }
        if (options & ETO_CLIPPED) {
            cairo_rectangle(cr, box.left, box.top, box.Width(), box.Height());
            cairo_clip(cr);
        }
    }
    const TextBlock block = MeasureTextBlock(cr, content, style);
    if (m_bkMode == OPAQUE && block.width > 0) {
        cairo_rectangle(cr, x, y, block.width, block.height);
        SetSourceColor(cr, m_bkColor);
        cairo_fill(cr);
    }
    SetSourceColor(cr, m_textColor);
    DrawTextBlock(cr, content, style, x, y);
    return TRUE;
}

CSize CDC::GetTextExtent(const CString& text)
{
    return GetTextExtent(static_cast<LPCWSTR>(text), -1);
}

CSize CDC::GetTextExtent(LPCWSTR text, int count)
{
    if (!m_surface) return CSize(0, 0);
    const std::wstring content = OnOneLine(Prepare(text, count));
    TextStyle style;
    style.font = dynamic_cast<FontData&>(*m_font->data).logFont;
    Painter painter(*this);
    if (content.empty()) {
        int ascent = 0, descent = 0, average = 0;
        FontMetrics(painter.cr, style.font, ascent, descent, average);
        return CSize(0, ascent + descent);
    }
    const TextBlock block = MeasureTextBlock(painter.cr, content, style);
    return CSize(block.width, block.height);
}

BOOL CDC::GetTextMetrics(TEXTMETRICW* metrics)
{
    if (!m_surface || !metrics) return FALSE;
    const LOGFONTW& font = dynamic_cast<FontData&>(*m_font->data).logFont;
    Painter painter(*this);
    int ascent = 0, descent = 0, average = 0;
    FontMetrics(painter.cr, font, ascent, descent, average);
    *metrics = TEXTMETRICW{};
    metrics->tmAscent = ascent;
    metrics->tmDescent = descent;
    metrics->tmHeight = ascent + descent;
    metrics->tmAveCharWidth = average;
    metrics->tmMaxCharWidth = average * 2;
    metrics->tmWeight = font.lfWeight ? font.lfWeight : FW_NORMAL;
    return TRUE;
}

// ---- clipping -------------------------------------------------------------

int CDC::SelectClipRgn(CRgn* region)
{
    if (!region) {
        m_hasClip = false;
        return SIMPLEREGION;
    }
    RECT box;
    if (region->GetRgnBox(&box) == ERROR_REGION) return ERROR_REGION;
    m_hasClip = true;
    m_clip = CRect(box);
    return IsEmpty(m_clip) ? NULLREGION : SIMPLEREGION;
}

int CDC::IntersectClipRect(int left, int top, int right, int bottom)
{
    const CRect whole(0, 0, m_area.Width(), m_area.Height());
    const CRect current = m_hasClip ? m_clip : whole;
    m_clip = Intersect(current, Normalized(left, top, right, bottom));
    m_hasClip = true;
    return IsEmpty(m_clip) ? NULLREGION : SIMPLEREGION;
}

int CDC::GetClipBox(LPRECT rect) const
{
    if (!rect) return ERROR_REGION;
    CRect clip = ClipInSurface();
    *rect = CRect(clip.left - m_area.left, clip.top - m_area.top, clip.right - m_area.left, clip.bottom - m_area.top);
    return IsEmpty(clip) ? NULLREGION : SIMPLEREGION;
}

BOOL CDC::PtVisible(int x, int y) const
{
    const CRect clip = ClipInSurface();
    const int sx = x + m_area.left;
    const int sy = y + m_area.top;
    return sx >= clip.left && sx < clip.right && sy >= clip.top && sy < clip.bottom;
}

// ---- bit copies -----------------------------------------------------------

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, DWORD rop)
{
    if (!m_surface || width < 0 || height < 0) return FALSE;
    const bool needsSource = rop == SRCCOPY || rop == SRCPAINT || rop == SRCAND || rop == SRCINVERT;
    if (!needsSource) return PatBlt(x, y, width, height, rop);
    if (!source || !source->m_surface) return FALSE;

    // Read the source block first, so a copy within one surface is safe.
    std::vector<std::uint32_t> block(size_t(width) * size_t(height));
    std::vector<bool> present(block.size(), false);
    {
        PixelAccess from(source->m_surface, source->ClipInSurface());
        for (int j = 0; j < height; ++j)
            for (int i = 0; i < width; ++i) {
                const int sx = sourceX + i + source->m_area.left;
                const int sy = sourceY + j + source->m_area.top;
                if (!from.Contains(sx, sy)) continue;
                block[size_t(j) * size_t(width) + size_t(i)] = from.Get(sx, sy);
                present[size_t(j) * size_t(width) + size_t(i)] = true;
            }
    }
    PixelAccess to(m_surface, ClipInSurface(), &m_covered);
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i) {
            const size_t index = size_t(j) * size_t(width) + size_t(i);
            const int dx = x + i + m_area.left;
            const int dy = y + j + m_area.top;
            if (!present[index] || !to.Contains(dx, dy)) continue;
            const std::uint32_t s = block[index];
            const std::uint32_t d = to.Get(dx, dy);
            std::uint32_t result = s;
            if (rop == SRCPAINT) result = s | d;
            else if (rop == SRCAND) result = s & d;
            else if (rop == SRCINVERT) result = s ^ d;
            to.Put(dx, dy, result & 0x00FFFFFF);
        }
    return TRUE;
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    if (!m_surface) return FALSE;
    const CRect box = Normalized(x, y, x + width, y + height);
    switch (rop) {
    case PATCOPY: {
        const BrushData& brush = BrushOf(m_brush->data);
        if (brush.style != BS_NULL) FillSolidRect(&box, brush.color);
        return TRUE;
    }
    case DSTINVERT: InvertPixels(box); return TRUE;
    case BLACKNESS: FillSolidRect(&box, RGB(0, 0, 0)); return TRUE;
    case WHITENESS: FillSolidRect(&box, RGB(255, 255, 255)); return TRUE;
    default: return FALSE;
    }
}
