#include "gdi_data.h"

#include "bitmap_resources.h"
#include "dc.h"

#include <algorithm>
#include <cwchar>
#include <map>
#include <mutex>
#include <set>

BitmapData::BitmapData(int w, int h) : width(w), height(h)
{
    surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(w, 1), std::max(h, 1));
}

BitmapData::~BitmapData()
{
    cairo_surface_destroy(surface);
}

LOGFONTW DefaultLogFont()
{
    LOGFONTW logFont;
    logFont.lfHeight = -12;
    logFont.lfWeight = FW_NORMAL;
    std::wcsncpy(logFont.lfFaceName, L"DejaVu Sans", LF_FACESIZE - 1);
    return logFont;
}

namespace {

std::shared_ptr<GdiData> MakeStockPen(int style, COLORREF color)
{
    auto pen = std::make_shared<PenData>();
    pen->style = style;
    pen->color = color;
    pen->stock = true;
    return pen;
}

std::shared_ptr<GdiData> MakeStockBrush(int style, COLORREF color)
{
    auto brush = std::make_shared<BrushData>();
    brush->style = style;
    brush->color = color;
    brush->stock = true;
    return brush;
}

std::shared_ptr<GdiData> MakeStockFont()
{
    auto font = std::make_shared<FontData>();
    font->logFont = DefaultLogFont();
    font->stock = true;
    return font;
}

std::shared_ptr<GdiData> MakeStock(int index)
{
    switch (index) {
    case WHITE_BRUSH: return MakeStockBrush(BS_SOLID, RGB(255, 255, 255));
    case LTGRAY_BRUSH: return MakeStockBrush(BS_SOLID, RGB(192, 192, 192));
    case GRAY_BRUSH: return MakeStockBrush(BS_SOLID, RGB(128, 128, 128));
    case DKGRAY_BRUSH: return MakeStockBrush(BS_SOLID, RGB(64, 64, 64));
    case BLACK_BRUSH: return MakeStockBrush(BS_SOLID, RGB(0, 0, 0));
    case NULL_BRUSH: return MakeStockBrush(BS_NULL, 0);
    case WHITE_PEN: return MakeStockPen(PS_SOLID, RGB(255, 255, 255));
    case BLACK_PEN: return MakeStockPen(PS_SOLID, RGB(0, 0, 0));
    case NULL_PEN: return MakeStockPen(PS_NULL, 0);
    case SYSTEM_FONT:
    case DEFAULT_GUI_FONT: return MakeStockFont();
    default: return nullptr;
    }
}

}  // namespace

std::shared_ptr<GdiData> GetStockData(int index)
{
    static std::mutex mutex;
    static std::map<int, std::shared_ptr<GdiData>> stock;
    std::lock_guard lock(mutex);
    auto found = stock.find(index);
    if (found != stock.end()) return found->second;
    auto data = MakeStock(index);
    if (data) stock[index] = data;
    return data;
}

namespace {

struct LiveObjects {
    std::mutex mutex;
    std::set<const CGdiObject*> objects;
};

LiveObjects& TheLiveObjects()
{
    static LiveObjects live;
    return live;
}

}  // namespace

CGdiObject::CGdiObject()
{
    LiveObjects& live = TheLiveObjects();
    std::lock_guard lock(live.mutex);
    live.objects.insert(this);
}

CGdiObject::~CGdiObject()
{
    LiveObjects& live = TheLiveObjects();
    std::lock_guard lock(live.mutex);
    live.objects.erase(this);
}

bool CGdiObject::IsLive(const CGdiObject* object)
{
    LiveObjects& live = TheLiveObjects();
    std::lock_guard lock(live.mutex);
    return live.objects.count(object) != 0;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_data) return FALSE;
    m_data.reset();
    return TRUE;
}

BOOL CGdiObject::CreateStockObject(int index)
{
    auto data = GetStockData(index);
    if (!data) return FALSE;
    m_data = std::move(data);
    return TRUE;
}

void CGdiObject::AttachData(std::shared_ptr<GdiData> data)
{
    m_data = std::move(data);
}

void CGdiObject::SetData(std::shared_ptr<GdiData> data)
{
    m_data = std::move(data);
}

BOOL CPen::CreatePen(int style, int width, COLORREF color)
{
    if (GetSafeHandle() || style < PS_SOLID || style > PS_INSIDEFRAME || width < 0) return FALSE;
    auto pen = std::make_shared<PenData>();
    pen->style = style;
    pen->width = width;
    pen->color = color & 0x00FFFFFF;
    SetData(std::move(pen));
    return TRUE;
}

BOOL CPen::CreatePenIndirect(const LOGPEN* logPen)
{
    if (!logPen) return FALSE;
    return CreatePen(int(logPen->lopnStyle), logPen->lopnWidth.x, logPen->lopnColor);
}

int CPen::GetLogPen(LOGPEN* logPen) const
{
    auto* pen = dynamic_cast<PenData*>(GetSafeHandle());
    if (!pen || !logPen) return 0;
    logPen->lopnStyle = UINT(pen->style);
    logPen->lopnWidth = POINT{pen->width, 0};
    logPen->lopnColor = pen->color;
    return int(sizeof(LOGPEN));
}

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    if (GetSafeHandle()) return FALSE;
    auto brush = std::make_shared<BrushData>();
    brush->color = color & 0x00FFFFFF;
    SetData(std::move(brush));
    return TRUE;
}

BOOL CBrush::CreatePatternBrush(CBitmap* bitmap)
{
    if (GetSafeHandle() || !bitmap) return FALSE;
    auto pattern = std::dynamic_pointer_cast<BitmapData>(bitmap->Data());
    if (!pattern) return FALSE;
    auto brush = std::make_shared<BrushData>();
    brush->style = BS_PATTERN;
    // Where only a colour will do, the pattern's first pixel stands in.
    cairo_surface_flush(pattern->surface);
    const auto* first = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(pattern->surface));
    brush->color = first ? (((*first >> 16) & 0xFF) | (*first & 0xFF00) | ((*first & 0xFF) << 16)) : 0;
    brush->pattern = std::move(pattern);
    SetData(std::move(brush));
    return TRUE;
}

BOOL CFont::CreateFontIndirect(const LOGFONTW* logFont)
{
    if (GetSafeHandle() || !logFont) return FALSE;
    auto font = std::make_shared<FontData>();
    font->logFont = *logFont;
    font->logFont.lfFaceName[LF_FACESIZE - 1] = L'\0';
    SetData(std::move(font));
    return TRUE;
}

BOOL CFont::CreatePointFont(int pointSizeTenths, LPCWSTR faceName, CDC*)
{
    if (pointSizeTenths <= 0) return FALSE;
    LOGFONTW logFont = DefaultLogFont();
    // 96 pixels per inch, 72 points per inch.
    logFont.lfHeight = -((pointSizeTenths * 96 + 360) / 720);
    if (faceName && *faceName) {
        std::wcsncpy(logFont.lfFaceName, faceName, LF_FACESIZE - 1);
        logFont.lfFaceName[LF_FACESIZE - 1] = L'\0';
    }
    return CreateFontIndirect(&logFont);
}

int CFont::GetLogFont(LOGFONTW* logFont) const
{
    auto* font = dynamic_cast<FontData*>(GetSafeHandle());
    if (!font || !logFont) return 0;
    *logFont = font->logFont;
    return int(sizeof(LOGFONTW));
}

BOOL CBitmap::LoadBitmap(UINT resourceId)
{
    if (GetSafeHandle()) return FALSE;
    const BitmapResource* resource = FindBitmapResource(resourceId);
    if (!resource) return FALSE;
    auto bitmap = std::make_shared<BitmapData>(resource->width, resource->height);
    cairo_surface_flush(bitmap->surface);
    unsigned char* bytes = cairo_image_surface_get_data(bitmap->surface);
    const int stride = cairo_image_surface_get_stride(bitmap->surface);
    for (int y = 0; y < resource->height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(bytes + y * stride);
        for (int x = 0; x < resource->width; ++x) {
            COLORREF c = resource->pixels[size_t(y) * size_t(resource->width) + size_t(x)];
            row[x] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
        }
    }
    cairo_surface_mark_dirty(bitmap->surface);
    SetData(std::move(bitmap));
    return TRUE;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC*, int width, int height)
{
    return CreateBitmap(width, height);
}

BOOL CBitmap::CreateBitmap(int width, int height)
{
    if (GetSafeHandle() || width <= 0 || height <= 0) return FALSE;
    auto bitmap = std::make_shared<BitmapData>(width, height);
    if (cairo_surface_status(bitmap->surface) != CAIRO_STATUS_SUCCESS) return FALSE;
    SetData(std::move(bitmap));
    return TRUE;
}

int CBitmap::GetBitmap(BITMAP* info) const
{
    auto* bitmap = dynamic_cast<BitmapData*>(GetSafeHandle());
    if (!bitmap || !info) return 0;
    *info = BITMAP{};
    info->bmWidth = bitmap->width;
    info->bmHeight = bitmap->height;
    info->bmWidthBytes = bitmap->width * 4;
    return int(sizeof(BITMAP));
}

CSize CBitmap::GetBitmapDimension() const
{
    auto* bitmap = dynamic_cast<BitmapData*>(GetSafeHandle());
    return bitmap ? CSize(bitmap->width, bitmap->height) : CSize(0, 0);
}

BOOL CRgn::CreateRectRgn(int left, int top, int right, int bottom)
{
    if (GetSafeHandle()) return FALSE;
    auto region = std::make_shared<RgnData>();
    region->rect = CRect(std::min(left, right), std::min(top, bottom),
                         std::max(left, right), std::max(top, bottom));
    SetData(std::move(region));
    return TRUE;
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT rect)
{
    if (!rect) return FALSE;
    return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL CRgn::SetRectRgn(int left, int top, int right, int bottom)
{
    auto* region = dynamic_cast<RgnData*>(GetSafeHandle());
    if (!region) return FALSE;
    region->rect = CRect(std::min(left, right), std::min(top, bottom),
                         std::max(left, right), std::max(top, bottom));
    return TRUE;
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    auto* region = dynamic_cast<RgnData*>(GetSafeHandle());
    if (!region) return FALSE;
    const CRect& r = region->rect;
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

int CRgn::GetRgnBox(LPRECT rect) const
{
    auto* region = dynamic_cast<RgnData*>(GetSafeHandle());
    if (!region || !rect) return ERROR_REGION;
    *rect = region->rect;
    return region->rect.Width() > 0 && region->rect.Height() > 0 ? SIMPLEREGION : NULLREGION;
}
