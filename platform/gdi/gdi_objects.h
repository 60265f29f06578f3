// Drawing objects: pens, brushes, fonts, bitmaps and rectangular regions.
// Each object holds a shared handle, so a device context that still has an
// object selected keeps its data alive even if the wrapper goes away first.
#pragma once

#include "gdi_constants.h"

#include <memory>

class CDC;
struct GdiData;

struct LOGFONTW {
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    WCHAR lfFaceName[LF_FACESIZE] = {};
};
using LOGFONT = LOGFONTW;

struct LOGPEN {
    UINT lopnStyle = PS_SOLID;
    POINT lopnWidth = {0, 0};
    COLORREF lopnColor = 0;
};

struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    unsigned short bmPlanes = 1;
    unsigned short bmBitsPixel = 32;
    void* bmBits = nullptr;
};

// The handle of a drawing object: an opaque pointer to its shared data.
using HGDIOBJ = GdiData*;

class CGdiObject {
public:
    CGdiObject();
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    BOOL DeleteObject();
    HGDIOBJ GetSafeHandle() const { return m_data.get(); }
    operator HGDIOBJ() const { return m_data.get(); }
    BOOL CreateStockObject(int index);

    // Binds this wrapper to existing data (used for stock and temporary objects).
    void AttachData(std::shared_ptr<GdiData> data);
    const std::shared_ptr<GdiData>& Data() const { return m_data; }
    // Whether the object at this address is alive (wrappers may be gone
    // while their data is still selected somewhere).
    static bool IsLive(const CGdiObject* object);

protected:
    void SetData(std::shared_ptr<GdiData> data);

private:
    std::shared_ptr<GdiData> m_data;
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    BOOL CreatePen(int style, int width, COLORREF color);
    BOOL CreatePenIndirect(const LOGPEN* logPen);
    int GetLogPen(LOGPEN* logPen) const;
};

class CBitmap;

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    BOOL CreateSolidBrush(COLORREF color);
    // A brush that tiles the bitmap; FALSE without a bitmap.
    BOOL CreatePatternBrush(CBitmap* bitmap);
};

class CFont : public CGdiObject {
public:
    BOOL CreateFontIndirect(const LOGFONTW* logFont);
    // Height in tenths of a point at the screen's 96 pixels per inch.
    BOOL CreatePointFont(int pointSizeTenths, LPCWSTR faceName, CDC* dc = nullptr);
    int GetLogFont(LOGFONTW* logFont) const;
};

class CBitmap : public CGdiObject {
public:
    // Loads a bitmap of the resource tables; FALSE when the id is unknown.
    BOOL LoadBitmap(UINT resourceId);
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    BOOL CreateBitmap(int width, int height);
    int GetBitmap(BITMAP* info) const;
    CSize GetBitmapDimension() const;
};

class CRgn : public CGdiObject {
public:
    BOOL CreateRectRgn(int left, int top, int right, int bottom);
    BOOL CreateRectRgnIndirect(LPCRECT rect);
    BOOL PtInRegion(int x, int y) const;
    BOOL PtInRegion(POINT point) const { return PtInRegion(point.x, point.y); }
    int GetRgnBox(LPRECT rect) const;
    BOOL SetRectRgn(int left, int top, int right, int bottom);
};

// A process-wide stock object, wrapped in a fresh temporary-free handle.
std::shared_ptr<GdiData> GetStockData(int index);
