#include "tools/content/LetteringArt.h"

#include "tools/content/FontLibrary.h"
#include "tools/content/Shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Content::LetteringArt {

namespace {

void SetFont(cairo_t* cr, const Lettering& style)
{
    cairo_set_font_face(cr, FontLibrary::Get().Face(style.mFont));
    cairo_set_font_size(cr, style.mSize);
}

// Adds the outline of `text` to the path of `cr`: its ink centred on cx, its capitals
// centred on cy, turned and leant as the style says, moved by (dx, dy) on the page.
void LetteringPath(cairo_t* cr, const std::string& text, const double cx, const double cy, const Lettering& style,
                   const double dx = 0, const double dy = 0)
{
    cairo_save(cr);
    SetFont(cr, style);
    cairo_text_extents_t ink;
    cairo_text_extents(cr, text.c_str(), &ink);
    const double capital = CapHeight(cr, style);
    cairo_translate(cr, cx + dx, cy + dy);
    cairo_rotate(cr, -style.mAngle * std::numbers::pi / 180);
    cairo_matrix_t lean;
    cairo_matrix_init(&lean, 1, 0, -style.mSlant, 1, 0, 0);
    cairo_transform(cr, &lean);
    cairo_move_to(cr, -ink.x_bearing - ink.width / 2, capital / 2);
    cairo_text_path(cr, text.c_str());
    cairo_restore(cr);
}

} // namespace

double OutlineWidth(const Lettering& style) { return std::max(1.5, style.mSize * style.mOutlineScale); }

double CapHeight(cairo_t* cr, const Lettering& style)
{
    cairo_save(cr);
    SetFont(cr, style);
    cairo_text_extents_t capital;
    cairo_text_extents(cr, "H", &capital);
    cairo_restore(cr);
    return capital.height;
}

double InkWidth(cairo_t* cr, const std::string& text, const Lettering& style)
{
    cairo_save(cr);
    SetFont(cr, style);
    cairo_text_extents_t ink;
    cairo_text_extents(cr, text.c_str(), &ink);
    cairo_restore(cr);
    return ink.width;
}

double FitSize(Canvas& canvas, const std::string& text, const double width, const double height, Lettering style)
{
    constexpr double kProbe = 100;
    style.mSize = kProbe;
    const double ink = InkWidth(canvas.Cr(), text, style) / kProbe;
    const double capital = CapHeight(canvas.Cr(), style) / kProbe;
    const double byWidth = width / (ink + capital * std::fabs(style.mSlant) + style.mOutlineScale);
    const double byHeight = height / (capital + style.mOutlineScale);
    return std::min({byWidth, byHeight});
}

Lettering Fitted(Canvas& canvas, const std::string& text, const double width, const double height, Lettering style)
{
    style.mSize = std::min(style.mSize, FitSize(canvas, text, width, height, style));
    return style;
}

void PaintLettering(Canvas& canvas, const std::string& text, const double cx, const double cy, const Lettering& style)
{
    cairo_t* const cr = canvas.Cr();
    const double outline = OutlineWidth(style);
    const double capital = CapHeight(cr, style);

    if (style.mShadowAlpha > 0) {
        const double blur = std::max(2.0, style.mSize * 0.1);
        const double drop = std::max(1.0, style.mSize * 0.06);
        canvas.SoftThickenedShape([&](cairo_t* target) { LetteringPath(target, text, cx, cy, style); }, outline, blur,
                                  drop * 0.3, drop, Rgba{0, 0, 0, style.mShadowAlpha});
    }

    cairo_save(cr);
    LetteringPath(cr, text, cx, cy, style);
    canvas.SetColor(style.mOutline);
    cairo_set_line_width(cr, outline);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);

    const double top = cy - capital / 2;
    const double bottom = cy + capital / 2;
    cairo_save(cr);
    LetteringPath(cr, text, cx, cy, style);
    cairo_clip(cr);
    if (style.mBevel) {
        // Dark everywhere, light where the letters shifted up cover them (all but the
        // bottom rims), the fill where the letters shifted down cover that (all but the
        // top rims).
        const double rim = std::max(0.8, style.mSize * 0.035);
        canvas.SetColor(style.mBottom.Lighter(-0.35));
        cairo_paint(cr);
        LetteringPath(cr, text, cx, cy, style, 0, -rim);
        canvas.SetColor(style.mTop.Lighter(0.75));
        cairo_fill_preserve(cr);
        cairo_clip(cr);
        LetteringPath(cr, text, cx, cy, style, 0, rim * 0.8);
    } else {
        LetteringPath(cr, text, cx, cy, style);
    }
    canvas.SetVerticalGradient(top, bottom, style.mTop, style.mBottom);
    cairo_fill(cr);
    cairo_restore(cr);

    if (style.mGloss) {
        // A sheen over the upper half, ending in a soft curve.
        LetteringPath(cr, text, cx, cy, style);
        cairo_clip(cr);
        const double left = cx - canvas.Width() - style.mSize;
        const double right = cx + canvas.Width() + style.mSize;
        const double edge = cy - capital * 0.02;
        cairo_move_to(cr, left, top - style.mSize);
        cairo_line_to(cr, right, top - style.mSize);
        cairo_line_to(cr, right, edge - capital * 0.12);
        cairo_curve_to(cr, cx + capital, edge + capital * 0.02, cx - capital, edge - capital * 0.02, left,
                       edge + capital * 0.1);
        cairo_close_path(cr);
        canvas.SetVerticalGradient(top, edge, Rgba{1, 1, 1, 0.55}, Rgba{1, 1, 1, 0.08});
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void PaintSparkles(Canvas& canvas, const std::vector<Sparkle>& sparkles)
{
    cairo_t* const cr = canvas.Cr();
    double blur = 2;
    for (const Sparkle& sparkle : sparkles)
        blur = std::max(blur, sparkle.mRadius * 0.5);
    canvas.SoftShape(
        [&](cairo_t* target) {
            for (const Sparkle& sparkle : sparkles)
                Canvas::EllipseOn(target, sparkle.mX, sparkle.mY, sparkle.mRadius * 0.5, sparkle.mRadius * 0.5);
        },
        blur, 0, 0, Rgba::Hex(0xFFE680, 0.9));
    for (const Sparkle& sparkle : sparkles)
        SparklePath(cr, sparkle.mX, sparkle.mY, sparkle.mRadius, -std::numbers::pi / 2);
    canvas.SetColor(Rgba::Hex(0x7A4A00, 0.5));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke_preserve(cr);
    canvas.SetColor(Rgba::Hex(0xFFFFF4));
    cairo_fill(cr);
}

std::vector<Sparkle> CornerSparkles(const double cx, const double cy, const double width, const double capital,
                                    const double size)
{
    return {
        {cx - width / 2 - size * 0.1, cy - capital * 0.55, size},
        {cx + width / 2 + size * 0.05, cy - capital * 0.45, size * 0.75},
        {cx + width / 2 - size * 0.6, cy + capital * 0.6, size * 0.55},
    };
}

Lettering WithColours(Lettering style, const Colours& colours)
{
    style.mTop = colours.mTop;
    style.mBottom = colours.mBottom;
    style.mOutline = colours.mOutline;
    return style;
}

} // namespace Content::LetteringArt
