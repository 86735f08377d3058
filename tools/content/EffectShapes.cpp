#include "tools/content/EffectShapes.h"

#include "tools/content/Shapes.h"

#include <algorithm>
#include <cmath>

namespace Content::Effects {

namespace {

double Clamp01(const double value) { return std::clamp(value, 0.0, 1.0); }

} // namespace

double Ramp(const double value, const double from, const double to)
{
    return Clamp01((value - from) / (to - from));
}

double Smooth(const double value)
{
    const double v = Clamp01(value);
    return v * v * (3 - 2 * v);
}

double EaseOut(const double value)
{
    const double v = 1 - Clamp01(value);
    return 1 - v * v * v;
}

double Envelope(const double value, const double in, const double full, const double fade, const double out)
{
    return Smooth(Ramp(value, in, full)) * (1 - Smooth(Ramp(value, fade, out)));
}

double Scatter(uint32_t seed)
{
    seed ^= seed >> 16;
    seed *= 0x7FEB352Du;
    seed ^= seed >> 15;
    seed *= 0x846CA68Bu;
    seed ^= seed >> 16;
    return seed / 4294967296.0;
}

double Scatter(const uint32_t seed, const uint32_t salt) { return Scatter(seed * 7919u + salt * 104729u + 1u); }

void Fill(cairo_t* const cr, const Rgba& colour)
{
    cairo_set_source_rgba(cr, colour.mR, colour.mG, colour.mB, colour.mA);
    cairo_fill(cr);
}

void Stroke(cairo_t* const cr, const Rgba& colour, const double width)
{
    cairo_set_source_rgba(cr, colour.mR, colour.mG, colour.mB, colour.mA);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void Glow(cairo_t* cr, const double x, const double y, const double radius, const Rgba& colour)
{
    if (radius <= 0 || colour.mA <= 0)
        return;
    cairo_pattern_t* const pattern = cairo_pattern_create_radial(x, y, 0, x, y, radius);
    for (const double stop : {0.0, 0.2, 0.4, 0.6, 0.8, 1.0}) {
        // A bell curve, cut to 0 at the rim.
        const double strength = (std::exp(-4.5 * stop * stop) - std::exp(-4.5)) / (1 - std::exp(-4.5));
        cairo_pattern_add_color_stop_rgba(pattern, stop, colour.mR, colour.mG, colour.mB, colour.mA * strength);
    }
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
    cairo_arc(cr, x, y, radius, 0, kTau);
    cairo_fill(cr);
}

void GlowRing(cairo_t* cr, const double x, const double y, const double radius, const double spread,
              const Rgba& colour)
{
    if (radius <= 0 || spread <= 0 || colour.mA <= 0)
        return;
    const double inner = std::max(0.0, radius - spread);
    const double outer = radius + spread;
    cairo_pattern_t* const pattern = cairo_pattern_create_radial(x, y, inner, x, y, outer);
    const double peak = (radius - inner) / (outer - inner);
    cairo_pattern_add_color_stop_rgba(pattern, 0, colour.mR, colour.mG, colour.mB, 0);
    cairo_pattern_add_color_stop_rgba(pattern, peak, colour.mR, colour.mG, colour.mB, colour.mA);
    cairo_pattern_add_color_stop_rgba(pattern, 1, colour.mR, colour.mG, colour.mB, 0);
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
    cairo_arc(cr, x, y, outer, 0, kTau);
    cairo_fill(cr);
}

void RayPath(cairo_t* const cr, const double cx, const double cy, const double inner, const double outer,
             const double angle, const double half)
{
    cairo_move_to(cr, cx + inner * std::cos(angle - half), cy + inner * std::sin(angle - half));
    cairo_line_to(cr, cx + outer * std::cos(angle), cy + outer * std::sin(angle));
    cairo_line_to(cr, cx + inner * std::cos(angle + half), cy + inner * std::sin(angle + half));
    cairo_close_path(cr);
}

void Sparkle(cairo_t* cr, const double x, const double y, const double size, const double angle,
             const Rgba& body, const Rgba& glow)
{
    if (size <= 0.2)
        return;
    Glow(cr, x, y, size * 1.3, glow);
    SparklePath(cr, x, y, size, angle);
    cairo_set_source_rgba(cr, body.mR, body.mG, body.mB, body.mA);
    cairo_fill(cr);
    SparklePath(cr, x, y, size * 0.55, angle);
    cairo_set_source_rgba(cr, 1, 1, 1, body.mA);
    cairo_fill(cr);
}

void OnLayer(Canvas& canvas, const int width, const int height, const double alpha,
             const std::function<void(Canvas&)>& paint)
{
    if (alpha <= 0)
        return;
    Canvas layer(width, height);
    paint(layer);
    cairo_surface_flush(layer.Surface());
    cairo_set_source_surface(canvas.Cr(), layer.Surface(), 0, 0);
    cairo_paint_with_alpha(canvas.Cr(), std::min(alpha, 1.0));
}

void FadeEdges(Canvas& canvas, const double margin)
{
    cairo_t* const cr = canvas.Cr();
    const double width = canvas.Width();
    const double height = canvas.Height();
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_IN);
    for (const bool across : {true, false}) {
        const double length = across ? width : height;
        cairo_pattern_t* const pattern =
            across ? cairo_pattern_create_linear(0, 0, width, 0) : cairo_pattern_create_linear(0, 0, 0, height);
        cairo_pattern_add_color_stop_rgba(pattern, 0, 0, 0, 0, 0);
        cairo_pattern_add_color_stop_rgba(pattern, margin / length, 0, 0, 0, 1);
        cairo_pattern_add_color_stop_rgba(pattern, 1 - margin / length, 0, 0, 0, 1);
        cairo_pattern_add_color_stop_rgba(pattern, 1, 0, 0, 0, 0);
        cairo_set_source(cr, pattern);
        cairo_pattern_destroy(pattern);
        cairo_paint(cr);
    }
    cairo_restore(cr);
}

void TaperedPath(cairo_t* cr, const std::vector<Point>& points, const std::function<double(double)>& width)
{
    const size_t count = points.size();
    if (count < 2)
        return;
    std::vector<Point> left(count);
    std::vector<Point> right(count);
    for (size_t i = 0; i < count; ++i) {
        const Point& before = points[i == 0 ? 0 : i - 1];
        const Point& after = points[i + 1 == count ? i : i + 1];
        const double dx = after.first - before.first;
        const double dy = after.second - before.second;
        const double length = std::max(1e-6, std::hypot(dx, dy));
        const double half = std::max(0.0, width(static_cast<double>(i) / (count - 1))) / 2;
        left[i] = {points[i].first - dy / length * half, points[i].second + dx / length * half};
        right[i] = {points[i].first + dy / length * half, points[i].second - dx / length * half};
    }
    cairo_new_sub_path(cr);
    for (const Point& point : left)
        cairo_line_to(cr, point.first, point.second);
    for (size_t i = count; i-- > 0;)
        cairo_line_to(cr, right[i].first, right[i].second);
    cairo_close_path(cr);
}

} // namespace Content::Effects
