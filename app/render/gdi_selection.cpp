#include "gdi_selection.h"

ScopedPen::ScopedPen(CDC& dc, int style, int width, COLORREF colour) : m_dc(dc)
{
    if (!m_pen.CreatePen(style, width, colour))
        return;
    m_previous = m_dc.SelectObject(&m_pen);
    m_made = true;
}

ScopedPen::~ScopedPen()
{
    if (m_made)
        m_dc.SelectObject(m_previous);
    m_pen.DeleteObject();
}

ScopedBrush::ScopedBrush(CDC& dc, CBrush* brush) : m_dc(dc)
{
    if (!brush || !brush->GetSafeHandle())
        return;
    m_previous = m_dc.SelectObject(brush);
    m_selected = true;
}

ScopedBrush::ScopedBrush(CDC& dc, int stockIndex) : m_dc(dc)
{
    if (!m_stock.CreateStockObject(stockIndex))
        return;
    m_previous = m_dc.SelectObject(&m_stock);
    m_selected = true;
}

ScopedBrush::~ScopedBrush()
{
    if (m_selected)
        m_dc.SelectObject(m_previous);
}

ScopedFont::ScopedFont(CDC& dc, int height) : m_dc(dc)
{
    LOGFONTW description{};
    description.lfHeight = height;
    Select(description);
}

ScopedFont::ScopedFont(CDC& dc, const LOGFONTW& description) : m_dc(dc)
{
    Select(description);
}

void ScopedFont::Select(const LOGFONTW& description)
{
    if (!m_font.CreateFontIndirect(&description))
        return;
    m_previous = m_dc.SelectObject(&m_font);
    m_made = true;
}

ScopedFont::~ScopedFont()
{
    if (m_made)
        m_dc.SelectObject(m_previous);
    m_font.DeleteObject();
}
