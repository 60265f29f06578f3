// Drawings taken as pictures: what a drawing call puts on a white device at
// a given scale and origin, kept as pixels to compare or count.
#pragma once

#include <algorithm>
#include <functional>
#include <vector>

#include "scaled_dc.h"
#include "win_types.h"

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;

    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    int Count(COLORREF colour) const
    {
        int n = 0;
        for (COLORREF c : pixels)
            n += c == colour ? 1 : 0;
        return n;
    }
    int Inked() const { return width * height - Count(RGB(255, 255, 255)); }
    // Pixels that differ from another picture of the same size.
    int Differences(const Picture& other) const
    {
        int n = 0;
        for (std::size_t i = 0; i < pixels.size(); ++i)
            n += pixels[i] != other.pixels[i] ? 1 : 0;
        return n;
    }
};

// Model point (x, y) lands at device (originX + x * scale, originY - y * scale).
inline Picture TakePicture(const std::function<void(CScaledDC&)>& draw, float scale, int originX,
                           int originY)
{
    CScaledDC dc(nullptr);
    dc.FillSolidRect(0, 0, kScreenWidth, kScreenHeight, RGB(255, 255, 255));
    dc.SetScale(scale);
    dc.SetOrigin(originX, originY);
    draw(dc);
    Picture picture;
    picture.width = kScreenWidth;
    picture.height = kScreenHeight;
    picture.pixels.reserve(static_cast<std::size_t>(kScreenWidth * kScreenHeight));
    for (int y = 0; y < kScreenHeight; ++y)
        for (int x = 0; x < kScreenWidth; ++x)
            picture.pixels.push_back(dc.GetPixel(x, y));
    return picture;
}

// The same, with the model box (x0, y0)-(x1, y1) fitted into the device
// with a margin of 10 pixels.
inline Picture TakeFittedPicture(const std::function<void(CScaledDC&)>& draw, double x0, double y0,
                                 double x1, double y1)
{
    const double w = std::max(x1 - x0, 1.0);
    const double h = std::max(y1 - y0, 1.0);
    const float scale = static_cast<float>(std::min((kScreenWidth - 20) / w, (kScreenHeight - 20) / h));
    const int originX = 10 - static_cast<int>(x0 * scale);
    const int originY = kScreenHeight - 10 + static_cast<int>(y0 * scale);
    return TakePicture(draw, scale, originX, originY);
}
