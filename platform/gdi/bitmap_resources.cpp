#include "bitmap_resources.h"

#include <map>
#include <mutex>
#include <optional>

namespace {

struct Registry {
    std::mutex mutex;
    std::map<UINT, BitmapResource> bitmaps;
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

std::optional<int> HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return std::nullopt;
}

// "k=RRGGBB" -> key and colour.
bool ParsePaletteEntry(const std::string& entry, char& key, COLORREF& color)
{
    if (entry.size() != 8 || entry[1] != '=') return false;
    int rgb[3];
    for (int i = 0; i < 3; ++i) {
        auto high = HexDigit(entry[2 + 2 * i]);
        auto low = HexDigit(entry[3 + 2 * i]);
        if (!high || !low) return false;
        rgb[i] = *high * 16 + *low;
    }
    key = entry[0];
    color = RGB(rgb[0], rgb[1], rgb[2]);
    return true;
}

}  // namespace

bool RegisterBitmapResource(UINT id, BitmapResource bitmap)
{
    if (bitmap.width <= 0 || bitmap.height <= 0) return false;
    if (bitmap.pixels.size() != size_t(bitmap.width) * size_t(bitmap.height)) return false;
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    registry.bitmaps[id] = std::move(bitmap);
    return true;
}

bool RegisterBitmapArt(UINT id, const std::vector<std::string>& rows,
                       const std::vector<std::string>& palette)
{
    std::map<char, COLORREF> colors;
    for (const std::string& entry : palette) {
        char key = 0;
        COLORREF color = 0;
        if (!ParsePaletteEntry(entry, key, color)) return false;
        colors[key] = color;
    }
    if (rows.empty() || rows.front().empty()) return false;
    BitmapResource bitmap;
    bitmap.width = int(rows.front().size());
    bitmap.height = int(rows.size());
    for (const std::string& row : rows) {
        if (int(row.size()) != bitmap.width) return false;
        for (char c : row) {
            auto found = colors.find(c);
            if (found == colors.end()) return false;
            bitmap.pixels.push_back(found->second);
        }
    }
    return RegisterBitmapResource(id, std::move(bitmap));
}

const BitmapResource* FindBitmapResource(UINT id)
{
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    auto found = registry.bitmaps.find(id);
    return found == registry.bitmaps.end() ? nullptr : &found->second;
}
