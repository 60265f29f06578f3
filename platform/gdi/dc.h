// The drawing context: GDI-style drawing onto a Cairo image surface, in whole
// pixels and without antialiasing, so that every figure lands on exact pixels.
#pragma once

#include "gdi_objects.h"

#include <memory>
#include <string>
#include <vector>

typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo cairo_t;

struct TEXTMETRICW {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
};
using TEXTMETRIC = TEXTMETRICW;

class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Binds the context to an area of a surface: coordinates start at the
    // area's top-left corner and all drawing is clipped to the area and, if
    // given, to a visible part (surface pixels). The surface must outlive
    // the binding.
    BOOL AttachSurface(cairo_surface_t* surface, const CRect& area, const CRect* visible = nullptr);
    // Parts of the surface (surface pixels) that drawing never reaches: the
    // windows stacked above the one drawn into. Binding again clears them.
    void SetCoveredParts(std::vector<CRect> covered) { m_covered = std::move(covered); }
    // A memory context, with a 1 x 1 bitmap selected until another is.
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();
    bool IsBound() const;
    cairo_surface_t* GetSurface() const;
    CRect GetArea() const { return m_area; }

    // Selection: each returns the object selected before (a temporary
    // wrapper owned by the context when the caller has none).
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    int SelectObject(CRgn* region);
    CGdiObject* SelectStockObject(int index);
    CPen* GetCurrentPen();
    CBrush* GetCurrentBrush();
    CFont* GetCurrentFont();
    CBitmap* GetCurrentBitmap();

    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return m_textColor; }
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return m_bkColor; }
    int SetBkMode(int mode);
    int GetBkMode() const { return m_bkMode; }
    int SetPolyFillMode(int mode);
    int GetPolyFillMode() const { return m_fillMode; }

    // Lines: the end point of a line is not drawn (GDI convention).
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    CPoint GetCurrentPosition() const { return m_position; }
    BOOL Polyline(const POINT* points, int count);
    BOOL Polygon(const POINT* points, int count);

    // Boxes in either corner order; the right and bottom edges are outside.
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(LPCRECT rect) { return Rectangle(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL Ellipse(int left, int top, int right, int bottom);
    BOOL Ellipse(LPCRECT rect) { return Ellipse(rect->left, rect->top, rect->right, rect->bottom); }
    void FillRect(LPCRECT rect, CBrush* brush);
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int width, int height, COLORREF color);
    void FrameRect(LPCRECT rect, CBrush* brush);
    void InvertRect(LPCRECT rect);
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    void DrawFocusRect(LPCRECT rect);
    // Rubber-band frames drawn by inversion: the last frame (if any) is
    // erased and the new one (if any) drawn.
    void DrawDragRect(LPCRECT rect, SIZE size, LPCRECT lastRect, SIZE lastSize,
                      CBrush* brush = nullptr, CBrush* lastBrush = nullptr);
    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF GetPixel(int x, int y) const;

    // Text through Pango in the selected font.
    int DrawText(const CString& text, LPRECT rect, UINT format);
    int DrawText(LPCWSTR text, int count, LPRECT rect, UINT format);
    BOOL TextOut(int x, int y, const CString& text);
    BOOL TextOut(int x, int y, LPCWSTR text, int count);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, const int* widths = nullptr);
    CSize GetTextExtent(const CString& text);
    CSize GetTextExtent(LPCWSTR text, int count);
    BOOL GetTextMetrics(TEXTMETRICW* metrics);

    // Rectangular clipping in the context's coordinates.
    int SelectClipRgn(CRgn* region);
    int IntersectClipRect(int left, int top, int right, int bottom);
    int IntersectClipRect(LPCRECT rect) { return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom); }
    int GetClipBox(LPRECT rect) const;
    BOOL PtVisible(int x, int y) const;

    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, DWORD rop);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);

private:
    struct Slot;
    class Painter;
    friend class Painter;

    void ResetState();
    CGdiObject* Select(Slot& slot, CGdiObject* object);
    CGdiObject* Current(Slot& slot);
    CRect ClipInSurface() const;
    void StrokeThin(const std::vector<CPoint>& points, bool closed);
    void StrokeWide(const std::vector<CPoint>& points, bool closed);
    void Stroke(const std::vector<CPoint>& points, bool closed);
    void FillPath(const std::vector<CPoint>& points, int fillMode);
    void InvertPixels(const CRect& rect);
    std::wstring Prepare(LPCWSTR text, int count) const;
    int DrawTextBox(const std::wstring& text, LPRECT rect, UINT format);

    cairo_surface_t* m_surface = nullptr;
    CRect m_area;
    bool m_hasVisible = false;
    CRect m_visible;  // in surface pixels
    std::vector<CRect> m_covered;  // in surface pixels
    bool m_hasClip = false;
    CRect m_clip;  // in context coordinates
    CPoint m_position;
    COLORREF m_textColor = 0;
    COLORREF m_bkColor = 0xFFFFFF;
    int m_bkMode = OPAQUE;
    int m_fillMode = ALTERNATE;
    int m_dashPhase = 0;
    std::unique_ptr<Slot> m_pen;
    std::unique_ptr<Slot> m_brush;
    std::unique_ptr<Slot> m_font;
    std::unique_ptr<Slot> m_bitmap;
    std::vector<std::unique_ptr<CGdiObject>> m_temporaries;
};
