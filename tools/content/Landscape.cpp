#include "tools/content/Landscape.h"

#include "tools/content/SeededRandom.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Content {

namespace {

void Sky(Canvas& canvas, const int height, const Rgba& top, const Rgba& horizon)
{
    canvas.SetVerticalGradient(0, height * 0.7, top, horizon);
    cairo_paint(canvas.Cr());
}

void Sun(Canvas& canvas, const double x, const double y, const double radius, const Rgba& colour)
{
    canvas.SetRadialGradient(x, y, radius * 4, colour.WithAlpha(0.45), colour.WithAlpha(0));
    cairo_paint(canvas.Cr());
    canvas.Ellipse(x, y, radius, radius);
    canvas.SetColor(colour.Lighter(0.5));
    cairo_fill(canvas.Cr());
}

// A cluster of round crowns: the canopy of a rain forest.
void Canopy(Canvas& canvas, SeededRandom& random, const int width, const double base, const double size,
            const Rgba& colour)
{
    cairo_t* const cr = canvas.Cr();
    for (double x = -size; x < width + size; x += size * random.Range(0.5, 0.8)) {
        const double y = base + random.Range(-size * 0.4, size * 0.2);
        const double r = size * random.Range(0.6, 1.0);
        canvas.Ellipse(x, y, r, r * 0.8);
        canvas.SetColor(colour.Lighter(random.Range(-0.08, 0.08)));
        cairo_fill(cr);
        // Sunlit tops.
        canvas.Ellipse(x - r * 0.2, y - r * 0.3, r * 0.5, r * 0.35);
        canvas.SetColor(colour.Lighter(0.18).WithAlpha(0.5));
        cairo_fill(cr);
    }
    cairo_rectangle(cr, 0, base, width, 2000);
    canvas.SetColor(colour);
    cairo_fill(cr);
}

// A pine tree: stacked triangles on a short trunk.
void Pine(Canvas& canvas, const double x, const double bottom, const double height, const Rgba& colour)
{
    cairo_t* const cr = canvas.Cr();
    const double width = height * 0.42;
    for (int tier = 0; tier < 3; ++tier) {
        const double top = bottom - height + tier * height * 0.22;
        const double tierBottom = bottom - height * 0.12 - (2 - tier) * height * 0.18;
        const double tierWidth = width * (0.55 + tier * 0.22);
        cairo_move_to(cr, x, top);
        cairo_line_to(cr, x + tierWidth / 2, tierBottom);
        cairo_line_to(cr, x - tierWidth / 2, tierBottom);
        cairo_close_path(cr);
    }
    cairo_rectangle(cr, x - width * 0.06, bottom - height * 0.14, width * 0.12, height * 0.14);
    canvas.SetColor(colour);
    cairo_fill(cr);
}

void Amazon(Canvas& canvas, SeededRandom& random, const int width, const int height)
{
    const HabitatPalette& palette = PaletteOf(HabitatLook::AMAZON);
    Sky(canvas, height, Rgba::Hex(0x9FD8C8), Rgba::Hex(0xE8F4D8));
    Sun(canvas, width * 0.78, height * 0.16, height * 0.05, palette.mAccent);
    // Misty distant hills, then canopies growing darker towards the front.
    Canopy(canvas, random, width, height * 0.42, height * 0.09, Rgba::Hex(0x6FAF8A));
    Canopy(canvas, random, width, height * 0.55, height * 0.11, Rgba::Hex(0x3F8F5A));
    cairo_t* const cr = canvas.Cr();
    // A winding river.
    cairo_move_to(cr, width * 0.35, height * 0.62);
    cairo_curve_to(cr, width * 0.55, height * 0.7, width * 0.2, height * 0.82, width * 0.45, height);
    cairo_line_to(cr, width * 0.75, height);
    cairo_curve_to(cr, width * 0.4, height * 0.85, width * 0.7, height * 0.7, width * 0.45, height * 0.62);
    cairo_close_path(cr);
    canvas.SetVerticalGradient(height * 0.62, height, Rgba::Hex(0xA8D8D0), Rgba::Hex(0x4F9FA0));
    cairo_fill(cr);
    Canopy(canvas, random, width, height * 0.86, height * 0.13, palette.mDeep.Lighter(0.12));
    // Hanging vines from the top.
    for (int vine = 0; vine < 9; ++vine) {
        const double x = random.Range(0, width);
        const double length = random.Range(height * 0.08, height * 0.3);
        cairo_move_to(cr, x, 0);
        cairo_curve_to(cr, x + 20, length * 0.3, x - 20, length * 0.7, x + random.Range(-10, 10), length);
        canvas.SetColor(palette.mDeep.WithAlpha(0.7));
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
        for (double y = 12; y < length; y += 18) {
            canvas.Ellipse(x + std::sin(y * 0.05) * 12 + 6, y, 7, 3.5);
            canvas.SetColor(palette.mMain.WithAlpha(0.85));
            cairo_fill(cr);
        }
    }
}

void GrandCanyon(Canvas& canvas, SeededRandom& random, const int width, const int height)
{
    const HabitatPalette& palette = PaletteOf(HabitatLook::GRAND_CANYON);
    Sky(canvas, height, Rgba::Hex(0x4FA3E0), Rgba::Hex(0xFCE3B8));
    Sun(canvas, width * 0.2, height * 0.14, height * 0.05, palette.mAccent);
    cairo_t* const cr = canvas.Cr();
    // Mesas in layers, each banded with its rock strata.
    const Rgba layers[] = {Rgba::Hex(0xE7B58C), Rgba::Hex(0xD98B5A), Rgba::Hex(0xB9592E), Rgba::Hex(0x8A3A1C)};
    for (int layer = 0; layer < 4; ++layer) {
        const double base = height * (0.38 + layer * 0.15);
        cairo_move_to(cr, 0, height);
        double x = 0;
        double y = base;
        cairo_line_to(cr, 0, y);
        while (x < width) {
            const double flat = random.Range(40, 160);
            cairo_line_to(cr, x + flat, y);
            x += flat;
            const double step = random.Range(-40, 40) * (layer + 1) * 0.5;
            const double slope = random.Range(8, 24);
            y = std::clamp(y + step, base - 60.0, base + 30.0);
            cairo_line_to(cr, x + slope, y);
            x += slope;
        }
        cairo_line_to(cr, width, height);
        cairo_close_path(cr);
        canvas.SetColor(layers[layer]);
        cairo_fill_preserve(cr);
        // Strata: faint horizontal bands clipped to the layer.
        cairo_save(cr);
        cairo_clip(cr);
        for (double band = base - 60; band < height; band += random.Range(7, 16)) {
            cairo_rectangle(cr, 0, band, width, random.Range(1.5, 4));
            canvas.SetColor(layers[layer].Lighter(random.Range(-0.15, 0.12)).WithAlpha(0.5));
            cairo_fill(cr);
        }
        cairo_restore(cr);
    }
    // The river far below.
    cairo_move_to(cr, width * 0.1, height);
    cairo_curve_to(cr, width * 0.4, height * 0.9, width * 0.5, height * 0.97, width * 0.9, height * 0.88);
    cairo_line_to(cr, width * 0.92, height * 0.9);
    cairo_curve_to(cr, width * 0.55, height, width * 0.45, height * 0.94, width * 0.2, height);
    cairo_close_path(cr);
    canvas.SetColor(Rgba::Hex(0x4F9FB0).WithAlpha(0.9));
    cairo_fill(cr);
}

void Alaska(Canvas& canvas, SeededRandom& random, const int width, const int height)
{
    const HabitatPalette& palette = PaletteOf(HabitatLook::ALASKA);
    Sky(canvas, height, Rgba::Hex(0x6F8FD0), Rgba::Hex(0xF6D6E0));
    cairo_t* const cr = canvas.Cr();
    // Snow-capped mountains.
    for (int peak = 0; peak < 5; ++peak) {
        const double x = width * (peak * 0.25 - 0.05) + random.Range(-30, 30);
        const double top = height * random.Range(0.15, 0.3);
        const double base = height * 0.6;
        const double half = (base - top) * random.Range(1.1, 1.5);
        cairo_move_to(cr, x - half, base);
        cairo_line_to(cr, x, top);
        cairo_line_to(cr, x + half, base);
        cairo_close_path(cr);
        canvas.SetVerticalGradient(top, base, Rgba::Hex(0x8A9CC0), Rgba::Hex(0x5A6F96));
        cairo_fill(cr);
        const double cap = (base - top) * 0.3;
        cairo_move_to(cr, x, top);
        cairo_line_to(cr, x + half * cap / (base - top), top + cap);
        for (int notch = 3; notch >= -3; --notch)
            cairo_line_to(cr, x + notch * half * cap / (base - top) / 3.5, top + cap * (notch % 2 == 0 ? 0.8 : 1.1));
        cairo_line_to(cr, x - half * cap / (base - top), top + cap);
        cairo_close_path(cr);
        canvas.SetColor(Rgba::Hex(0xF4F7FF));
        cairo_fill(cr);
    }
    // A lake reflecting the sky, then rows of pines.
    cairo_rectangle(cr, 0, height * 0.6, width, height * 0.12);
    canvas.SetVerticalGradient(height * 0.6, height * 0.72, Rgba::Hex(0xB9C8EA), Rgba::Hex(0x6F8FC0));
    cairo_fill(cr);
    for (int row = 0; row < 3; ++row) {
        const double bottom = height * (0.7 + row * 0.12);
        const Rgba colour = palette.mDeep.Lighter(0.25 - row * 0.12);
        for (double x = random.Range(-20, 0); x < width + 30; x += random.Range(22, 40) * (1 + row * 0.4)) {
            const double foot = bottom + random.Range(-6, 6);
            Pine(canvas, x, foot, random.Range(60, 110) * (1 + row * 0.5), colour);
        }
        cairo_rectangle(cr, 0, bottom, width, height);
        canvas.SetColor(colour);
        cairo_fill(cr);
    }
}

void Arctic(Canvas& canvas, SeededRandom& random, const int width, const int height)
{
    Sky(canvas, height, Rgba::Hex(0x1E3A6E), Rgba::Hex(0xBFE3F5));
    cairo_t* const cr = canvas.Cr();
    // Northern lights: soft green and violet curtains.
    for (int band = 0; band < 3; ++band) {
        const double y = height * (0.08 + band * 0.07);
        canvas.SoftShape(
            [&](cairo_t* target) {
                cairo_move_to(target, 0, y);
                for (int x = 0; x <= width; x += 10)
                    cairo_line_to(target, x, y + 30 * std::sin(x * 0.008 + band * 2.0));
                for (int x = width; x >= 0; x -= 10)
                    cairo_line_to(target, x, y + 28 + 34 * std::sin(x * 0.008 + band * 2.0 + 0.4));
                cairo_close_path(target);
            },
            18, 0, 0, (band == 1 ? Rgba::Hex(0xB58CFF) : Rgba::Hex(0x7CFFC4)).WithAlpha(0.45));
    }
    // Stars.
    for (int star = 0; star < 60; ++star) {
        const double x = random.Range(0, width);
        const double y = random.Range(0, height * 0.3);
        canvas.Ellipse(x, y, 1.1, 1.1);
        canvas.SetColor(Rgba{1, 1, 1, random.Range(0.3, 0.9)});
        cairo_fill(cr);
    }
    // The sea, then ice floes with blue shadows.
    cairo_rectangle(cr, 0, height * 0.55, width, height);
    canvas.SetVerticalGradient(height * 0.55, height, Rgba::Hex(0x2F6FA8), Rgba::Hex(0x0F3560));
    cairo_fill(cr);
    for (int row = 0; row < 4; ++row) {
        const double y = height * (0.56 + row * 0.11);
        for (double x = random.Range(-80, 0); x < width; x += random.Range(120, 260)) {
            const double w = random.Range(80, 200) * (1 + row * 0.3);
            const double h = random.Range(10, 22) * (1 + row * 0.4);
            cairo_move_to(cr, x, y + h * 0.4);
            cairo_line_to(cr, x + w * 0.15, y);
            cairo_line_to(cr, x + w * 0.8, y + random.Range(-4, 4));
            cairo_line_to(cr, x + w, y + h * 0.5);
            cairo_line_to(cr, x + w * 0.9, y + h);
            cairo_line_to(cr, x + w * 0.1, y + h);
            cairo_close_path(cr);
            canvas.SetVerticalGradient(y, y + h, Rgba::Hex(0xFFFFFF), Rgba::Hex(0x9FCBEA));
            cairo_fill(cr);
        }
    }
}

} // namespace

void PaintLandscape(Canvas& canvas, const HabitatLook habitat, const int width, const int height)
{
    SeededRandom random(1234 + static_cast<uint32_t>(habitat));
    switch (habitat) {
    case HabitatLook::AMAZON:
        Amazon(canvas, random, width, height);
        break;
    case HabitatLook::GRAND_CANYON:
        GrandCanyon(canvas, random, width, height);
        break;
    case HabitatLook::ALASKA:
        Alaska(canvas, random, width, height);
        break;
    case HabitatLook::ARCTIC:
        Arctic(canvas, random, width, height);
        break;
    }
}

void PaintVignette(Canvas& canvas, const int width, const int height, const double strength)
{
    cairo_pattern_t* const pattern =
        cairo_pattern_create_radial(width / 2.0, height / 2.0, height * 0.35, width / 2.0, height / 2.0, width * 0.7);
    cairo_pattern_add_color_stop_rgba(pattern, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(pattern, 1, 0, 0, 0, strength);
    cairo_set_source(canvas.Cr(), pattern);
    cairo_paint(canvas.Cr());
    cairo_pattern_destroy(pattern);
}

} // namespace Content
