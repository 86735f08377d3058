#include "tools/content/Shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace Content {

namespace {

constexpr double kTau = 2 * std::numbers::pi;

} // namespace

Shape Box(const double x, const double y, const double width, const double height, const double radius)
{
    return [=](cairo_t* cr) { Canvas::RoundedRectOn(cr, x, y, width, height, radius); };
}

Shape Oval(const double cx, const double cy, const double rx, const double ry)
{
    return [=](cairo_t* cr) { Canvas::EllipseOn(cr, cx, cy, rx, ry); };
}

void Circle(cairo_t* const cr, const double cx, const double cy, const double radius)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, radius, 0, kTau);
}

void SparklePath(cairo_t* const cr, const double x, const double y, const double size, const double angle,
                 const int points, const double pinch)
{
    const auto at = [&](const double a, const double r) { return std::pair{x + r * std::cos(a), y + r * std::sin(a)}; };
    cairo_new_sub_path(cr);
    const auto [startX, startY] = at(angle, size);
    cairo_move_to(cr, startX, startY);
    for (int i = 0; i < points; ++i) {
        const double middle = angle + (i + 0.5) * kTau / points;
        const auto [cx, cy] = at(middle, size * pinch);
        const auto [tipX, tipY] = at(angle + (i + 1) * kTau / points, size);
        cairo_curve_to(cr, cx, cy, cx, cy, tipX, tipY);
    }
    cairo_close_path(cr);
}

void SmoothCurve(cairo_t* const cr, const std::vector<std::pair<double, double>>& points, const bool closed)
{
    if (points.empty())
        return;
    const long count = static_cast<long>(points.size());
    // The point `offset` places from the i-th: round the loop when closed, else held at the ends.
    const auto pointAt = [&](const long i, const long offset) -> const std::pair<double, double>& {
        return points[closed ? (i + offset + count) % count : std::clamp(i + offset, 0L, count - 1)];
    };
    cairo_move_to(cr, points[0].first, points[0].second);
    for (long i = 0; i < (closed ? count : count - 1); ++i) {
        const auto& p0 = pointAt(i, -1);
        const auto& p1 = pointAt(i, 0);
        const auto& p2 = pointAt(i, 1);
        const auto& p3 = pointAt(i, 2);
        cairo_curve_to(cr, p1.first + (p2.first - p0.first) / 6, p1.second + (p2.second - p0.second) / 6,
                       p2.first - (p3.first - p1.first) / 6, p2.second - (p3.second - p1.second) / 6, p2.first,
                       p2.second);
    }
    if (closed)
        cairo_close_path(cr);
}

void FillShape(Canvas& canvas, const Shape& shape)
{
    cairo_new_path(canvas.Cr());
    shape(canvas.Cr());
    cairo_fill(canvas.Cr());
}

void FillShape(Canvas& canvas, const Shape& shape, const Rgba& colour)
{
    canvas.SetColor(colour);
    FillShape(canvas, shape);
}

void StrokeShape(Canvas& canvas, const Shape& shape, const double width, const Rgba& colour)
{
    cairo_t* const cr = canvas.Cr();
    cairo_new_path(cr);
    shape(cr);
    canvas.SetColor(colour);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void StrokeRounded(Canvas& canvas, const Rgba& colour, const double width)
{
    cairo_t* const cr = canvas.Cr();
    canvas.SetColor(colour);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void StrokeShapeRounded(Canvas& canvas, const Shape& shape, const double width, const Rgba& colour)
{
    cairo_new_path(canvas.Cr());
    shape(canvas.Cr());
    StrokeRounded(canvas, colour, width);
}

void FillAndOutline(Canvas& canvas, const Shape& shape, const Rgba& outline, const double width)
{
    cairo_new_path(canvas.Cr());
    shape(canvas.Cr());
    cairo_fill_preserve(canvas.Cr());
    StrokeRounded(canvas, outline, width);
}

void ClipTo(Canvas& canvas, const Shape& shape)
{
    cairo_new_path(canvas.Cr());
    shape(canvas.Cr());
    cairo_clip(canvas.Cr());
}

void SetLinear(Canvas& canvas, const double x0, const double y0, const double x1, const double y1,
               std::initializer_list<std::pair<double, Rgba>> stops)
{
    cairo_pattern_t* const pattern = cairo_pattern_create_linear(x0, y0, x1, y1);
    for (const auto& [offset, colour] : stops)
        cairo_pattern_add_color_stop_rgba(pattern, offset, colour.mR, colour.mG, colour.mB, colour.mA);
    cairo_set_source(canvas.Cr(), pattern);
    cairo_pattern_destroy(pattern);
}

void DropShadow(Canvas& canvas, const Shape& shape, const double blur, const double dy, const double alpha)
{
    canvas.SoftShape(shape, blur, 0, dy, Rgba{0.12, 0.07, 0.02, alpha});
}

void InnerShadow(Canvas& canvas, const Shape& shape, const double blur, const double dx, const double dy,
                 const Rgba& colour)
{
    cairo_t* const cr = canvas.Cr();
    cairo_save(cr);
    ClipTo(canvas, shape);
    // The shadow of everything outside the shape, seen through it.
    canvas.SoftShape(
        [&](cairo_t* mask) {
            cairo_set_fill_rule(mask, CAIRO_FILL_RULE_EVEN_ODD);
            cairo_rectangle(mask, -2000, -2000, 6000, 6000);
            shape(mask);
        },
        blur, dx, dy, colour);
    cairo_restore(cr);
}

void Recoloured(Canvas& canvas, const int width, const int height, const std::function<void(Canvas&)>& paint,
                const std::function<Rgba(const Rgba&)>& recolour)
{
    Canvas layer(width, height);
    paint(layer);
    layer.MapPixels([&recolour](const uint32_t pixel) {
        const uint32_t alpha = pixel >> 24;
        // The surface is premultiplied: divide the alpha out, recolour, multiply it back.
        const double a = alpha / 255.0;
        const Rgba straight{(pixel >> 16 & 0xFF) / 255.0 / a, (pixel >> 8 & 0xFF) / 255.0 / a,
                            (pixel & 0xFF) / 255.0 / a, a};
        const Rgba changed = recolour(straight);
        const auto channel = [alpha](double value) {
            return static_cast<uint32_t>(std::lround(std::clamp(value, 0.0, 1.0) * alpha));
        };
        return alpha << 24 | channel(changed.mR) << 16 | channel(changed.mG) << 8 | channel(changed.mB);
    });
    canvas.PaintPicture(layer, 0, 0);
}

double Brightness(const Rgba& colour) { return 0.299 * colour.mR + 0.587 * colour.mG + 0.114 * colour.mB; }

void Tape(Canvas& canvas, const double cx, const double cy, const double angle, const double length,
          const TapeLook& look)
{
    cairo_t* const cr = canvas.Cr();
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    const double half = length / 2;
    const double across = look.mHalfWidth;
    const auto strip = [&](cairo_t* target) {
        cairo_new_sub_path(target);
        // Torn ends: small zigzags.
        cairo_move_to(target, -half, -across);
        cairo_line_to(target, half, -across);
        for (int i = 0; i <= 6; ++i)
            cairo_line_to(target, half + (i % 2 == 0 ? 0 : look.mTooth), -across + i * (2 * across) / 6);
        cairo_line_to(target, -half, across);
        for (int i = 6; i >= 0; --i)
            cairo_line_to(target, -half + (i % 2 == 0 ? 0 : -look.mTooth), -across + i * (2 * across) / 6);
        cairo_close_path(target);
    };
    canvas.SoftShape(strip, look.mShadowBlur, 0, 1, Rgba{0, 0, 0, 0.18});
    cairo_new_path(cr);
    strip(cr);
    canvas.SetVerticalGradient(-across, across, Rgba::Hex(0xF4EFC8, look.mAlpha), Rgba::Hex(0xDDD3A0, look.mAlpha));
    if (look.mEdge) {
        cairo_fill_preserve(cr);
        canvas.SetColor(Rgba::Hex(0x9A8A50, 0.35));
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    } else {
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

} // namespace Content
