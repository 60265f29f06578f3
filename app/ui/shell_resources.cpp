#include "shell_resources.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bitmap_resources.h"
#include "dialog_template.h"
#include "gdi_constants.h"
#include "string_table.h"

namespace {

constexpr int kPadButtonSize = 32;
constexpr int kIconSize = 16;
constexpr int kGlyphWidth = 3;
constexpr int kGlyphHeight = 5;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kPadFace = RGB(224, 224, 232);
constexpr COLORREF kPadEdge = RGB(64, 64, 96);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kRed = RGB(208, 0, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kBlue = RGB(0, 0, 160);

// A 3 x 5 pixel font for the few letters the buttons carry; '#' is ink.
const std::map<char, std::vector<std::string>>& Glyphs()
{
    static const std::map<char, std::vector<std::string>> glyphs = {
        {'A', {".#.", "#.#", "###", "#.#", "#.#"}}, {'C', {"###", "#..", "#..", "#..", "###"}},
        {'D', {"##.", "#.#", "#.#", "#.#", "##."}}, {'E', {"###", "#..", "##.", "#..", "###"}},
        {'F', {"###", "#..", "##.", "#..", "#.."}}, {'I', {"###", ".#.", ".#.", ".#.", "###"}},
        {'K', {"#.#", "#.#", "##.", "#.#", "#.#"}}, {'L', {"#..", "#..", "#..", "#..", "###"}},
        {'M', {"#.#", "###", "###", "#.#", "#.#"}}, {'N', {"##.", "#.#", "#.#", "#.#", "#.#"}},
        {'O', {"###", "#.#", "#.#", "#.#", "###"}}, {'P', {"###", "#.#", "###", "#..", "#.."}},
        {'R', {"##.", "#.#", "##.", "#.#", "#.#"}}, {'T', {"###", ".#.", ".#.", ".#.", ".#."}},
        {'U', {"#.#", "#.#", "#.#", "#.#", "###"}}, {'V', {"#.#", "#.#", "#.#", "#.#", ".#."}},
        {'X', {"#.#", "#.#", ".#.", "#.#", "#.#"}}, {'Z', {"###", "..#", ".#.", "#..", "###"}},
        {'+', {"...", ".#.", "###", ".#.", "..."}}, {'-', {"...", "...", "###", "...", "..."}},
        {'0', {"###", "#.#", "#.#", "#.#", "###"}}, {'!', {".#.", ".#.", ".#.", "...", ".#."}},
    };
    return glyphs;
}

// Width of a label in the pixel font at a scale.
int LabelWidth(const std::string& label, int scale)
{
    return static_cast<int>(label.size()) * (kGlyphWidth + 1) * scale - scale;
}

class Canvas {
public:
    Canvas(int width, int height, COLORREF background)
    {
        m_bitmap.width = width;
        m_bitmap.height = height;
        m_bitmap.pixels.assign(static_cast<size_t>(width * height), background);
    }

    void Set(int x, int y, COLORREF color)
    {
        if (x >= 0 && y >= 0 && x < m_bitmap.width && y < m_bitmap.height)
            m_bitmap.pixels[static_cast<size_t>(y * m_bitmap.width + x)] = color;
    }

    void Frame(int left, int top, int width, int height, COLORREF color)
    {
        for (int x = left; x < left + width; ++x) {
            Set(x, top, color);
            Set(x, top + height - 1, color);
        }
        for (int y = top; y < top + height; ++y) {
            Set(left, y, color);
            Set(left + width - 1, y, color);
        }
    }

    // Text centred in the box (left, top, width, height), each font pixel
    // drawn as scale x scale.
    void Text(const std::string& text, int left, int top, int width, int height, int scale,
              COLORREF color)
    {
        const int advance = (kGlyphWidth + 1) * scale;
        const int textWidth = LabelWidth(text, scale);
        int x = left + (width - textWidth) / 2;
        const int y = top + (height - kGlyphHeight * scale) / 2;
        for (char c : text) {
            DrawGlyph(c, x, y, scale, color);
            x += advance;
        }
    }

    BitmapResource Take() { return std::move(m_bitmap); }

private:
    void DrawGlyph(char c, int left, int top, int scale, COLORREF color)
    {
        const auto found = Glyphs().find(c);
        if (found == Glyphs().end())
            return;
        for (int row = 0; row < kGlyphHeight; ++row)
            for (int column = 0; column < kGlyphWidth; ++column)
                if (found->second[static_cast<size_t>(row)][static_cast<size_t>(column)] == '#')
                    for (int dy = 0; dy < scale; ++dy)
                        for (int dx = 0; dx < scale; ++dx)
                            Set(left + column * scale + dx, top + row * scale + dy, color);
    }

    BitmapResource m_bitmap;
};

void RegisterPadButton(UINT id, const std::string& label)
{
    Canvas canvas(kPadButtonSize, kPadButtonSize, kPadFace);
    canvas.Frame(0, 0, kPadButtonSize, kPadButtonSize, kPadEdge);
    canvas.Frame(1, 1, kPadButtonSize - 2, kPadButtonSize - 2, kWhite);
    canvas.Text(label, 0, 0, kPadButtonSize, kPadButtonSize, 2, kBlack);
    RegisterBitmapResource(id, canvas.Take());
}

void RegisterIcon(UINT id, const std::string& label, COLORREF ink, bool framed)
{
    Canvas canvas(kIconSize, kIconSize, kWhite);
    if (framed)
        canvas.Frame(0, 0, kIconSize, kIconSize, ink);
    // Double size where it leaves a pixel of paper inside the frame.
    const int scale = LabelWidth(label, 2) <= kIconSize - 4 ? 2 : 1;
    canvas.Text(label, 0, 0, kIconSize, kIconSize, scale, ink);
    RegisterBitmapResource(id, canvas.Take());
}

void RegisterToolBitmap()
{
    const char* labels[] = {"D", "M", "E", "V"};
    Canvas canvas(4 * kIconSize, kIconSize, kWhite);
    for (int image = 0; image < 4; ++image)
        canvas.Text(labels[image], image * kIconSize, 0, kIconSize, kIconSize, 2, kBlue);
    RegisterBitmapResource(ShellIds::kToolBitmap, canvas.Take());
}

void RegisterPadButtons()
{
    // The picture names what the button does when tapped.
    const std::pair<UINT, const char*> labels[] = {
        {2036, "Z+"},  {2037, "Z-"},  {2038, "R-"},  {2039, "R+"},  {2040, "X"},
        {2041, "OPT"}, {2042, "FT"},  {2043, "DEC"}, {2044, "ALL"}, {2045, "UNL"},
        {2046, "ACT"}, {2047, "PLN"}, {2048, "RM"},  {2049, "0+"},  {2050, "0-"},
    };
    for (const auto& [id, label] : labels)
        RegisterPadButton(id, label);
}

void RegisterStatusIcons()
{
    RegisterIcon(ShellIds::kCameraIcon, "C", kBlue, true);
    RegisterIcon(ShellIds::kConsistentIcon, "OK", kGreen, true);
    RegisterIcon(ShellIds::kInconsistentIcon, "!", kRed, true);
    RegisterIcon(ShellIds::kDimensionOnIcon, "D", kBlack, true);
    RegisterIcon(ShellIds::kDimensionOffIcon, "D", kGrey, true);
    RegisterIcon(ShellIds::kViewAllIcon, "ALL", kBlue, true);
    RegisterIcon(ShellIds::kMainResource, "P", kBlue, true);
}

// The Room mode's palette: a pale sheet with a faint grid behind the shapes
// (2032, as large as the view) and the hatch the shapes are filled with
// (2031, tiled).
void RegisterPaletteBitmaps()
{
    constexpr COLORREF kSheet = RGB(236, 240, 248);
    constexpr COLORREF kGrid = RGB(212, 220, 236);
    Canvas sheet(kScreenWidth, kClientHeight, kSheet);
    for (int y = 0; y < kClientHeight; y += 8)
        for (int x = 0; x < kScreenWidth; x += 2)
            sheet.Set(x, y, kGrid);
    for (int x = 0; x < kScreenWidth; x += 8)
        for (int y = 0; y < kClientHeight; y += 2)
            sheet.Set(x, y, kGrid);
    RegisterBitmapResource(ShellIds::kPaletteBackground, sheet.Take());
    constexpr COLORREF kHatch = RGB(176, 196, 232);
    Canvas hatch(8, 8, kWhite);
    for (int i = 0; i < 8; ++i)
        hatch.Set(i, 7 - i, kHatch);
    RegisterBitmapResource(ShellIds::kPaletteBrush, hatch.Take());
}

MenuTemplateItem Item(UINT id, const wchar_t* text, UINT flags = MF_STRING)
{
    MenuTemplateItem item;
    item.id = id;
    item.text = text;
    item.flags = flags;
    return item;
}

MenuTemplateItem Separator() { return Item(0, L"", MF_SEPARATOR); }

void RegisterToolsMenu()
{
    MenuTemplateItem levels = Item(0, L"Levels", MF_POPUP);
    levels.items = {Item(2199, L"Change Level...", MF_GRAYED)};
    MenuTemplateItem tools = Item(0, L"Tools", MF_POPUP);
    tools.items = {
        Item(57664, L"&About Pelk..."), Separator(),
        Item(2131, L"Unlock Angles"),   Item(2132, L"Reset Dimensions"),
        Item(2154, L"Mirror"),          Separator(),
        Item(2134, L"New"),             levels,
        Separator(),                    Item(2142, L"View Control"),
        Item(2153, L"View All"),        Item(2149, L"Options"),
        Separator(),                    Item(57601, L"Load"),
        Item(57603, L"Save"),           Separator(),
        Item(57665, L"E&xit"),
    };
    RegisterMenuTemplate(ShellIds::kMainResource, {tools});
}

void RegisterShellStrings()
{
    RegisterStrings({
        {ShellIds::kMainResource, L"Pelk\n\nPelk\n\n\nPelk.Document\nPelk Document"},
        {2139, L"Select Portal/Adjust Shape"},
        {2140, L"Measurements"},
        {2141, L"Exit Partition"},
        {2152, L"View Change"},
    });
}

}  // namespace

void RegisterShellResources()
{
    RegisterShellStrings();
    RegisterToolsMenu();
    RegisterToolBitmap();
    RegisterPadButtons();
    RegisterStatusIcons();
    RegisterPaletteBitmaps();
}
