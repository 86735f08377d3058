#include "tools/content/Canvas.h"

#include "tools/content/FontLibrary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace Content {

Rgba Rgba::Hex(const unsigned rgb, const double alpha)
{
    return {(rgb >> 16 & 0xFF) / 255.0, (rgb >> 8 & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

Rgba Rgba::Lighter(const double amount) const
{
    const Rgba target = amount >= 0 ? Rgba{1, 1, 1, mA} : Rgba{0, 0, 0, mA};
    return Mix(target, std::fabs(amount));
}

Rgba Rgba::Mix(const Rgba& other, const double t) const
{
    return {mR + (other.mR - mR) * t, mG + (other.mG - mG) * t, mB + (other.mB - mB) * t, mA + (other.mA - mA) * t};
}

Canvas::Canvas(const int width, const int height)
    : mWidth(width), mHeight(height), mSurface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      mCr(cairo_create(mSurface))
{
    cairo_set_antialias(mCr, CAIRO_ANTIALIAS_BEST);
}

Canvas::~Canvas()
{
    cairo_destroy(mCr);
    cairo_surface_destroy(mSurface);
}

bool Canvas::Save(const std::string& path)
{
    cairo_surface_flush(mSurface);
    const cairo_status_t status = cairo_surface_write_to_png(mSurface, path.c_str());
    if (status != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "cannot write '%s': %s\n", path.c_str(), cairo_status_to_string(status));
        return false;
    }
    return true;
}

void Canvas::RoundedRectOn(cairo_t* const cr, const double x, const double y, const double width, const double height, double radius)
{
    radius = std::min({radius, width / 2, height / 2});
    constexpr double kQuarter = std::numbers::pi / 2;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + width - radius, y + radius, radius, -kQuarter, 0);
    cairo_arc(cr, x + width - radius, y + height - radius, radius, 0, kQuarter);
    cairo_arc(cr, x + radius, y + height - radius, radius, kQuarter, 2 * kQuarter);
    cairo_arc(cr, x + radius, y + radius, radius, 2 * kQuarter, 3 * kQuarter);
    cairo_close_path(cr);
}

void Canvas::EllipseOn(cairo_t* const cr, const double cx, const double cy, const double rx, const double ry)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void Canvas::Star(const double cx, const double cy, const int points, const double outer, const double inner)
{
    cairo_new_sub_path(mCr);
    for (int i = 0; i < 2 * points; ++i) {
        const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / points;
        const double radius = i % 2 == 0 ? outer : inner;
        cairo_line_to(mCr, cx + radius * std::cos(angle), cy + radius * std::sin(angle));
    }
    cairo_close_path(mCr);
}

void Canvas::SetColor(const Rgba& colour) { cairo_set_source_rgba(mCr, colour.mR, colour.mG, colour.mB, colour.mA); }

void Canvas::SetVerticalGradient(const double top, const double bottom, const Rgba& from, const Rgba& to)
{
    cairo_pattern_t* const pattern = cairo_pattern_create_linear(0, top, 0, bottom);
    cairo_pattern_add_color_stop_rgba(pattern, 0, from.mR, from.mG, from.mB, from.mA);
    cairo_pattern_add_color_stop_rgba(pattern, 1, to.mR, to.mG, to.mB, to.mA);
    cairo_set_source(mCr, pattern);
    cairo_pattern_destroy(pattern);
}

void Canvas::SetRadialGradient(const double cx, const double cy, const double radius, const Rgba& inner,
                               const Rgba& outer)
{
    cairo_pattern_t* const pattern = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    cairo_pattern_add_color_stop_rgba(pattern, 0, inner.mR, inner.mG, inner.mB, inner.mA);
    cairo_pattern_add_color_stop_rgba(pattern, 1, outer.mR, outer.mG, outer.mB, outer.mA);
    cairo_set_source(mCr, pattern);
    cairo_pattern_destroy(pattern);
}

namespace {

// One pass of a box blur of the given radius along rows (or columns) of an 8-bit mask.
void BoxBlurPass(std::vector<float>& values, const int width, const int height, const int radius,
                 const bool alongRows)
{
    const int lines = alongRows ? height : width;
    const int length = alongRows ? width : height;
    std::vector<float> line(static_cast<size_t>(length));
    for (int l = 0; l < lines; ++l) {
        const auto at = [&](int i) -> float& {
            return alongRows ? values[static_cast<size_t>(l) * width + i] : values[static_cast<size_t>(i) * width + l];
        };
        double sum = 0;
        for (int i = -radius; i <= radius; ++i)
            sum += i >= 0 && i < length ? at(i) : 0;
        for (int i = 0; i < length; ++i) {
            line[static_cast<size_t>(i)] = static_cast<float>(sum / (2 * radius + 1));
            const int leaving = i - radius;
            const int entering = i + radius + 1;
            sum -= leaving >= 0 ? at(leaving) : 0;
            sum += entering < length ? at(entering) : 0;
        }
        for (int i = 0; i < length; ++i)
            at(i) = line[static_cast<size_t>(i)];
    }
}

} // namespace

void Canvas::SoftShape(const std::function<void(cairo_t*)>& shape, const double blur, const double dx,
                       const double dy, const Rgba& colour)
{
    cairo_surface_t* const mask = cairo_image_surface_create(CAIRO_FORMAT_A8, mWidth, mHeight);
    cairo_t* const maskCr = cairo_create(mask);
    cairo_matrix_t matrix;
    cairo_get_matrix(mCr, &matrix);
    cairo_set_matrix(maskCr, &matrix);
    shape(maskCr);
    cairo_set_source_rgba(maskCr, 0, 0, 0, 1);
    cairo_fill(maskCr);
    cairo_destroy(maskCr);
    cairo_surface_flush(mask);

    // Three box passes each way come close to a Gaussian blur.
    const int radius = std::max(1, static_cast<int>(std::lround(blur / 2)));
    unsigned char* const data = cairo_image_surface_get_data(mask);
    const int stride = cairo_image_surface_get_stride(mask);
    std::vector<float> values(static_cast<size_t>(mWidth) * mHeight);
    for (int y = 0; y < mHeight; ++y)
        for (int x = 0; x < mWidth; ++x)
            values[static_cast<size_t>(y) * mWidth + x] = data[y * stride + x];
    for (int pass = 0; pass < 3; ++pass) {
        BoxBlurPass(values, mWidth, mHeight, radius, true);
        BoxBlurPass(values, mWidth, mHeight, radius, false);
    }
    for (int y = 0; y < mHeight; ++y)
        for (int x = 0; x < mWidth; ++x)
            data[y * stride + x] =
                static_cast<unsigned char>(std::clamp(values[static_cast<size_t>(y) * mWidth + x] + 0.5f, 0.f, 255.f));
    cairo_surface_mark_dirty(mask);

    cairo_save(mCr);
    cairo_identity_matrix(mCr);
    SetColor(colour);
    cairo_mask_surface(mCr, mask, dx, dy);
    cairo_restore(mCr);
    cairo_surface_destroy(mask);
}

void Canvas::SoftThickenedShape(const std::function<void(cairo_t*)>& shape, const double thickness, const double blur,
                                const double dx, const double dy, const Rgba& colour)
{
    SoftShape(
        [&](cairo_t* cr) {
            shape(cr);
            cairo_set_line_width(cr, thickness);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_stroke_preserve(cr);
        },
        blur, dx, dy, colour);
}

void Canvas::SetFont(const TextStyle& style)
{
    cairo_set_font_face(mCr, FontLibrary::Get().Face(style.mFont));
    cairo_set_font_size(mCr, style.mSize);
}

void Canvas::TextPath(const std::string& text, const double x, const double y)
{
    cairo_move_to(mCr, x, y);
    cairo_text_path(mCr, text.c_str());
}

double Canvas::TextWidth(const std::string& text, const TextStyle& style)
{
    SetFont(style);
    cairo_text_extents_t extents;
    cairo_text_extents(mCr, text.c_str(), &extents);
    return extents.x_advance;
}

double Canvas::FitTextSize(const std::string& text, const double width, TextStyle style)
{
    while (style.mSize > 6 && TextWidth(text, style) + style.mOutlineWidth > width)
        style.mSize -= 0.5;
    return style.mSize;
}

void Canvas::Text(const std::string& text, double x, const double y, const Align align, const TextStyle& style)
{
    const double width = TextWidth(text, style);
    if (align == Align::CENTRE)
        x -= width / 2;
    else if (align == Align::RIGHT)
        x -= width;
    SetFont(style);
    if (style.mShadowBlur > 0) {
        SoftShape(
            [&](cairo_t* cr) {
                cairo_set_font_face(cr, FontLibrary::Get().Face(style.mFont));
                cairo_set_font_size(cr, style.mSize);
                cairo_move_to(cr, x, y);
                cairo_text_path(cr, text.c_str());
                if (style.mOutlineWidth > 0) {
                    cairo_set_line_width(cr, style.mOutlineWidth);
                    cairo_stroke_preserve(cr);
                }
            },
            style.mShadowBlur, style.mShadowOffset, style.mShadowOffset, Rgba{0, 0, 0, style.mShadowAlpha});
    }
    if (style.mOutlineWidth > 0) {
        TextPath(text, x, y);
        SetColor(style.mOutline);
        cairo_set_line_width(mCr, style.mOutlineWidth);
        cairo_set_line_join(mCr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(mCr);
    }
    TextPath(text, x, y);
    if (style.mGradient) {
        cairo_font_extents_t font;
        cairo_font_extents(mCr, &font);
        SetVerticalGradient(y - font.ascent * 0.8, y, style.mFill, style.mFillBottom);
    } else {
        SetColor(style.mFill);
    }
    cairo_fill(mCr);
}

void Canvas::TextInBox(const std::string& text, const double x, const double y, const double width,
                       const double height, const TextStyle& style)
{
    SetFont(style);
    cairo_text_extents_t capital;
    cairo_text_extents(mCr, "H", &capital);
    Text(text, x + width / 2, y + height / 2 + capital.height / 2, Align::CENTRE, style);
}

void Canvas::Emoji(const std::string& utf8, const double cx, const double cy, const double size)
{
    // Shaping joins sequences such as a bear and a snowflake into the one picture of a
    // polar bear, which the character map alone cannot give.
    std::vector<cairo_glyph_t> glyphs = FontLibrary::Get().ShapeEmoji(utf8, kEmojiStrike);
    cairo_save(mCr);
    cairo_set_font_face(mCr, FontLibrary::Get().EmojiFace());
    // The emoji font is a bitmap font: draw at its own size and scale the result.
    cairo_set_font_size(mCr, kEmojiStrike);
    cairo_text_extents_t extents;
    cairo_glyph_extents(mCr, glyphs.data(), static_cast<int>(glyphs.size()), &extents);
    const double scale = size / std::max(extents.width, extents.height);
    cairo_translate(mCr, cx, cy);
    cairo_scale(mCr, scale, scale);
    const double dx = -extents.x_bearing - extents.width / 2;
    const double dy = -extents.y_bearing - extents.height / 2;
    for (cairo_glyph_t& glyph : glyphs) {
        glyph.x += dx;
        glyph.y += dy;
    }
    cairo_show_glyphs(mCr, glyphs.data(), static_cast<int>(glyphs.size()));
    cairo_restore(mCr);
}

void Canvas::PaintPicture(const Canvas& picture, const double x, const double y, const double scale)
{
    cairo_save(mCr);
    cairo_translate(mCr, x, y);
    cairo_scale(mCr, scale, scale);
    cairo_set_source_surface(mCr, picture.Surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(mCr), CAIRO_FILTER_GOOD);
    cairo_paint(mCr);
    cairo_restore(mCr);
}

void Canvas::MapPixels(const std::function<uint32_t(uint32_t)>& map)
{
    cairo_surface_flush(mSurface);
    unsigned char* const data = cairo_image_surface_get_data(mSurface);
    const int stride = cairo_image_surface_get_stride(mSurface);
    for (int y = 0; y < mHeight; ++y) {
        auto* const row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < mWidth; ++x)
            if (row[x] >> 24 != 0)
                row[x] = map(row[x]);
    }
    cairo_surface_mark_dirty(mSurface);
}

} // namespace Content
