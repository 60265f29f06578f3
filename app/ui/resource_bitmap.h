// A bitmap of the program's resources, loaded by id, with its size; drawn
// at its own size with a plain source copy.
#pragma once

#include "gdi_objects.h"

class CDC;

class CResourceBitmap {
public:
    CResourceBitmap() = default;
    explicit CResourceBitmap(UINT id) { Load(id); }
    CResourceBitmap(const CResourceBitmap&) = delete;
    CResourceBitmap& operator=(const CResourceBitmap&) = delete;

    // False (and the size 0 x 0) when the id names no bitmap.
    bool Load(UINT id);
    bool IsLoaded() const { return m_loaded; }
    UINT GetId() const { return m_id; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }

    // Copies the bitmap to (x, y) of dc; nothing when it is not loaded.
    void Draw(CDC& dc, int x, int y);
    // The same with the size given (a part of the bitmap, or blank beyond it).
    void Draw(CDC& dc, int x, int y, int width, int height);

private:
    CBitmap m_bitmap;
    UINT m_id = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_loaded = false;
};
