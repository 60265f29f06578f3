#include "text_layout.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <cmath>
#include <cwctype>
#include <memory>

namespace {

// DejaVu's ascent plus descent, in ems: a positive LOGFONT height is the
// cell height, so the em size is that height divided by this.
constexpr double kCellPerEm = 1.164;

std::string FamilyFor(const LOGFONTW& font)
{
    std::wstring face(font.lfFaceName);
    for (auto& c : face) c = wchar_t(std::towlower(wint_t(c)));
    if (face.find(L"mono") != std::wstring::npos || face.find(L"courier") != std::wstring::npos)
        return "DejaVu Sans Mono";
    if (face.find(L"serif") != std::wstring::npos && face.find(L"sans") == std::wstring::npos)
        return "DejaVu Serif";
    if (face.find(L"times") != std::wstring::npos) return "DejaVu Serif";
    return "DejaVu Sans";
}

double PixelSizeFor(const LOGFONTW& font)
{
    if (font.lfHeight < 0) return double(-font.lfHeight);
    if (font.lfHeight > 0) return double(font.lfHeight) / kCellPerEm;
    return 12.0;
}

struct LayoutDeleter {
    void operator()(PangoLayout* layout) const { g_object_unref(layout); }
};
using LayoutPtr = std::unique_ptr<PangoLayout, LayoutDeleter>;

LayoutPtr MakeLayout(cairo_t* cr, const std::wstring& text, const TextStyle& style)
{
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
    LayoutPtr layout(pango_cairo_create_layout(cr));
    pango_cairo_context_set_font_options(pango_layout_get_context(layout.get()), options);
    pango_cairo_context_set_resolution(pango_layout_get_context(layout.get()), 96.0);
    pango_layout_context_changed(layout.get());
    cairo_font_options_destroy(options);

    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family(description, FamilyFor(style.font).c_str());
    pango_font_description_set_absolute_size(description, PixelSizeFor(style.font) * PANGO_SCALE);
    pango_font_description_set_weight(description, style.font.lfWeight >= 600 ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(description, style.font.lfItalic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_layout_set_font_description(layout.get(), description);
    pango_font_description_free(description);

    if (style.wrapWidth >= 0) {
        pango_layout_set_width(layout.get(), style.wrapWidth * PANGO_SCALE);
        pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD);
    }
    PangoAlignment alignment = PANGO_ALIGN_LEFT;
    if (style.align & 0x1) alignment = PANGO_ALIGN_CENTER;
    else if (style.align & 0x2) alignment = PANGO_ALIGN_RIGHT;
    pango_layout_set_alignment(layout.get(), alignment);

    const std::string utf8 = ToUtf8(text);
    pango_layout_set_text(layout.get(), utf8.c_str(), int(utf8.size()));

    PangoAttrList* attributes = pango_attr_list_new();
    if (style.font.lfUnderline) pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (style.font.lfStrikeOut) pango_attr_list_insert(attributes, pango_attr_strikethrough_new(TRUE));
    pango_layout_set_attributes(layout.get(), attributes);
    pango_attr_list_unref(attributes);
    return layout;
}

}  // namespace

std::string ToUtf8(const std::wstring& text)
{
    std::string out;
    out.reserve(text.size());
    for (wchar_t wc : text) {
        auto c = std::uint32_t(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

TextBlock MeasureTextBlock(cairo_t* cr, const std::wstring& text, const TextStyle& style)
{
    if (text.empty()) return {};
    LayoutPtr layout = MakeLayout(cr, text, style);
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
    TextBlock block;
    block.width = logical.width;
    block.height = logical.height;
    return block;
}

void DrawTextBlock(cairo_t* cr, const std::wstring& text, const TextStyle& style, int x, int y)
{
    if (text.empty()) return;
    LayoutPtr layout = MakeLayout(cr, text, style);
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
    cairo_move_to(cr, double(x - logical.x), double(y - logical.y));
    pango_cairo_show_layout(cr, layout.get());
}

void FontMetrics(cairo_t* cr, const LOGFONTW& font, int& ascent, int& descent, int& averageWidth)
{
    TextStyle style;
    style.font = font;
    LayoutPtr layout = MakeLayout(cr, L"x", style);
    PangoContext* context = pango_layout_get_context(layout.get());
    const PangoFontDescription* description = pango_layout_get_font_description(layout.get());
    PangoFontMetrics* metrics = pango_context_get_metrics(context, description, nullptr);
    ascent = PANGO_PIXELS_CEIL(pango_font_metrics_get_ascent(metrics));
    descent = PANGO_PIXELS_CEIL(pango_font_metrics_get_descent(metrics));
    averageWidth = PANGO_PIXELS(pango_font_metrics_get_approximate_char_width(metrics));
    pango_font_metrics_unref(metrics);
}
