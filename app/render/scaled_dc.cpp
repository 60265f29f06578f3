#include "scaled_dc.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "gdi_objects.h"

namespace {

// Truncates toward zero; false for a value that is no number or does not
// fit an int (the shape is then not drawn).
bool ToInt(float value, LONG& out)
{
    if (!std::isfinite(value) || value >= 2147483520.0f || value <= -2147483520.0f)
        return false;
    out = static_cast<LONG>(value);
    return true;
}

bool Visible(const POINT& p) { return p.y > 0; }

}  // namespace

CScaledDC::CScaledDC(CWnd* window) : CClientDC(window) {}

CScaledDC::~CScaledDC() = default;

void CScaledDC::SetWorldSize(int width, int height)
{
    m_worldWidth = width;
    m_worldHeight = height;
}

BOOL CScaledDC::SetDeviceSize(int width, int height)
{
    m_deviceWidth = width;
    m_deviceHeight = height;
    return ComputeFitScale();
}

BOOL CScaledDC::ComputeFitScale()
{
    if (m_worldWidth == 0 || m_worldHeight == 0)
        return m_fitOnWidth;
    const float fitX = static_cast<float>(m_deviceWidth) / static_cast<float>(m_worldWidth);
    const float fitY = static_cast<float>(m_deviceHeight) / static_cast<float>(m_worldHeight);
    if (fitY < fitX) {
        m_fitScale = fitY;
        m_fitOnWidth = 0;
    } else {
        m_fitScale = fitX;
        m_fitOnWidth = 1;
    }
    return m_fitOnWidth;
}

float CScaledDC::Zoom(float factor, float axisFactor)
{
    const float s = m_fitScale * factor;
    m_fitScale = s;
    if (m_fitOnWidth) {
        m_scaleX = s;
        m_scaleY = s * axisFactor;
    } else {
        m_scaleY = s;
        m_scaleX = s * axisFactor;
    }
    return s * axisFactor;
}

void CScaledDC::SetScale(float scale)
{
    m_scaleX = m_scaleY = m_fitScale = scale;
}

void CScaledDC::SetOrigin(int x, int y)
{
    m_originX = x;
    m_originY = y;
}

void CScaledDC::SetOriginBottomUp(int x, int y)
{
    m_originX = x;
    m_originY = m_deviceHeight - y;
}

void CScaledDC::Pan(int dx, int dy)
{
    LONG x = 0, y = 0;
    if (ToInt(static_cast<float>(dx) * m_scaleX, x) && ToInt(static_cast<float>(dy) * m_scaleY, y)) {
        m_originX -= x;
        m_originY += y;
    }
}

bool CScaledDC::ToScreen(POINT& point) const
{
    LONG x = 0, y = 0;
    if (!ToInt(static_cast<float>(point.x) * m_scaleX + static_cast<float>(m_originX), x) ||
        !ToInt(static_cast<float>(m_originY) - static_cast<float>(point.y) * m_scaleY, y))
        return false;
    point.x = x;
    point.y = y;
    return true;
}

bool CScaledDC::ToScreenAll(std::vector<POINT>& points) const
{
    std::vector<POINT> mapped = points;
    for (POINT& p : mapped)
        if (!ToScreen(p))
            return false;
    points = mapped;
    return true;
}

bool CScaledDC::ToModel(POINT& point) const
{
    LONG x = 0, y = 0;
    if (!ToInt(static_cast<float>(point.x - m_originX) / m_scaleX, x) ||
        !ToInt(static_cast<float>(m_originY - point.y) / m_scaleY, y))
        return false;
    point.x = x;
    point.y = y;
    return true;
}

bool CScaledDC::ToModelRect(RECT& rect) const
{
    POINT topLeft{rect.left, rect.top}, bottomRight{rect.right, rect.bottom};
    if (!ToModel(topLeft) || !ToModel(bottomRight))
        return false;
    rect = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    return true;
}

CPoint CScaledDC::MoveTo(POINT point)
{
    if (!ToScreen(point))
        return GetCurrentPosition();
    return CDC::MoveTo(point);
}

CPoint CScaledDC::MoveTo(int x, int y)
{
    return MoveTo(POINT{x, y});
}

BOOL CScaledDC::LineTo(POINT point)
{
    return ToScreen(point) ? CDC::LineTo(point) : FALSE;
}

BOOL CScaledDC::LineTo(int x, int y)
{
    return LineTo(POINT{x, y});
}

BOOL CScaledDC::Ellipse(int left, int top, int right, int bottom)
{
    POINT a{left, top}, b{right, bottom};
    if (!ToScreen(a) || !ToScreen(b))
        return FALSE;
    return CDC::Ellipse(a.x, a.y, b.x, b.y);
}

BOOL CScaledDC::Rectangle(int left, int top, int right, int bottom)
{
    POINT a{left, top}, b{right, bottom};
    if (!ToScreen(a) || !ToScreen(b))
        return FALSE;
    return CDC::Rectangle(a.x, a.y, b.x, b.y);
}

POINT CScaledDC::TopEdgeCrossing(POINT a, POINT b)
{
    if (b.x == a.x)
        return POINT{a.x, 0};
    if (b.y == a.y)
        return POINT{static_cast<LONG>((static_cast<std::int64_t>(a.x) + b.x) / 2), 0};
    // In 64 bits: the product of two device coordinates overflows 32.
    const std::int64_t ax = a.x, ay = a.y, bx = b.x, by = b.y;
    const std::int64_t x = ax - ((bx - ax) * ay) / (by - ay);
    return POINT{static_cast<LONG>(std::clamp<std::int64_t>(x, INT32_MIN, INT32_MAX)), 0};
}

int CScaledDC::Polyline(const std::vector<POINT>& points)
{
    if (points.size() < 2)
        return 0;
    int drawn = 0;
    std::vector<POINT> run;
    bool open = Visible(points[0]);
    if (open)
        run.push_back(points[0]);
    const auto flush = [&] {
        if (run.size() >= 2) {
            CDC::Polyline(run.data(), static_cast<int>(run.size()));
            drawn = 1;
        }
        run.clear();
    };
    for (std::size_t i = 1; i < points.size(); ++i) {
        const POINT& p = points[i];
        const POINT& q = points[i - 1];
        if (open && Visible(p)) {
            run.push_back(p);
        } else if (open) {
            run.push_back(TopEdgeCrossing(p, q));
            flush();
            open = false;
        } else if (p.y >= 0) {
            run.push_back(TopEdgeCrossing(p, q));
            run.push_back(p);
            open = true;
        }
    }
    if (!run.empty())
        flush();
    return drawn;
}

int CScaledDC::Polygon(const std::vector<POINT>& points)
{
    if (points.size() < 2)
        return 0;
    int drawn = 0;
    std::vector<POINT> buffer;
    std::size_t runStart = 0;
    const POINT first = points[0];
    bool open = Visible(first);
    if (open)
        buffer.push_back(first);
    const auto draw = [&](const POINT* from, std::size_t count) {
        if (count >= 2) {
            CDC::Polygon(from, static_cast<int>(count));
            drawn = 1;
        }
    };
    for (std::size_t i = 1; i < points.size(); ++i) {
        const POINT& p = points[i];
        const POINT& q = points[i - 1];
        if (open && Visible(p)) {
            buffer.push_back(p);
        } else if (open) {
            buffer.push_back(TopEdgeCrossing(p, q));
            const bool startsAtFirst = runStart < buffer.size() && buffer[runStart].x == first.x &&
                                       buffer[runStart].y == first.y;
            if (!startsAtFirst) {
                draw(buffer.data() + runStart, buffer.size() - runStart);
                buffer.resize(runStart);
            }
            open = false;
        } else if (p.y >= 0) {
            runStart = buffer.size();
            buffer.push_back(TopEdgeCrossing(p, q));
            buffer.push_back(p);
            open = true;
        }
    }
    if (!buffer.empty()) {
        const POINT& last = points.back();
        if ((Visible(first) && !open) || (first.y < 0 && open))
            buffer.push_back(TopEdgeCrossing(first, last));
        draw(buffer.data(), buffer.size());
    }
    return drawn;
}

int CScaledDC::PolylineFromArray(const POINT* points, int count)
{
    if (!points || count < 2)
        return 0;
    return Polyline(std::vector<POINT>(points, points + count));
}

int CScaledDC::PolygonFromArray(const POINT* points, int count)
{
    if (!points || count < 2)
        return 0;
    return Polygon(std::vector<POINT>(points, points + count));
}

void CScaledDC::DrawBitmap(UINT resourceId)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(resourceId))
        return;
    CDC memory;
    if (!memory.CreateCompatibleDC(this))
        return;
    CBitmap* old = memory.SelectObject(&bitmap);
    BitBlt(0, 0, m_deviceWidth, m_deviceHeight, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}
