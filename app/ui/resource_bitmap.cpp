#include "resource_bitmap.h"

#include "dc.h"

bool CResourceBitmap::Load(UINT id)
{
    m_bitmap.DeleteObject();
    m_id = id;
    m_width = m_height = 0;
    m_loaded = m_bitmap.LoadBitmap(id) != FALSE;
    if (!m_loaded)
        return false;
    BITMAP info;
    m_bitmap.GetBitmap(&info);
    m_width = static_cast<int>(info.bmWidth);
    m_height = static_cast<int>(info.bmHeight);
    return true;
}

void CResourceBitmap::Draw(CDC& dc, int x, int y) { Draw(dc, x, y, m_width, m_height); }

void CResourceBitmap::Draw(CDC& dc, int x, int y, int width, int height)
{
    if (!m_loaded)
        return;
    CDC memory;
    if (!memory.CreateCompatibleDC(&dc))
        return;
    CBitmap* previous = memory.SelectObject(&m_bitmap);
    dc.BitBlt(x, y, width, height, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(previous);
}
