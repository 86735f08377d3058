#include "tools/content/MiniGameArt.h"

#include "tools/content/Shapes.h"

#include <cmath>
#include <numbers>

namespace Content::MiniGameArt {

namespace {

constexpr double kPi = std::numbers::pi;

} // namespace

void SetBronzeAcross(Canvas& canvas, const double x0, const double y0, const double x1, const double y1)
{
    SetLinear(canvas, x0, y0, x1, y1,
              {{0, kBronzeDark}, {0.18, kBronze}, {0.38, kBronzeLight}, {0.62, kBronze}, {1, kBronzeDark}});
}

void Wheel(Canvas& canvas, const double cx, const double cy, const double radius, const double shade)
{
    cairo_t* const cr = canvas.Cr();
    const Rgba wood = Rgba::Hex(0xA8692E).Lighter(-shade);
    const Rgba woodDark = Rgba::Hex(0x5A3414).Lighter(-shade);
    const Rgba iron = Rgba::Hex(0x4A4A52).Lighter(-shade);
    canvas.SoftShape([&](cairo_t* target) { Circle(target, cx, cy, radius); }, 3, 0, 1, Rgba{0, 0, 0, 0.4});
    // Tyre and felloe.
    cairo_new_path(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    Circle(cr, cx, cy, radius);
    Circle(cr, cx, cy, radius * 0.68);
    canvas.SetRadialGradient(cx - radius * 0.3, cy - radius * 0.3, radius * 1.3, wood.Lighter(0.3), woodDark);
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_new_path(cr);
    Circle(cr, cx, cy, radius - 1.1);
    StrokeRounded(canvas, iron, 2.2);
    cairo_new_path(cr);
    Circle(cr, cx, cy, radius * 0.68);
    StrokeRounded(canvas, woodDark, 1);
    // Eight spokes, each a dark edge with a lighter middle.
    const auto spokes = [&] {
        for (int i = 0; i < 8; ++i) {
            const double angle = kPi * i / 4 + 0.2;
            cairo_move_to(cr, cx + std::cos(angle) * radius * 0.2, cy + std::sin(angle) * radius * 0.2);
            cairo_line_to(cr, cx + std::cos(angle) * radius * 0.7, cy + std::sin(angle) * radius * 0.7);
        }
    };
    spokes();
    StrokeRounded(canvas, woodDark, radius * 0.2);
    spokes();
    StrokeRounded(canvas, wood, radius * 0.11);
    cairo_new_path(cr);
    Circle(cr, cx, cy, radius * 0.26);
    canvas.SetRadialGradient(cx - 1, cy - 1, radius * 0.3, kBronzeLight.Lighter(-shade), kBronzeDark.Lighter(-shade));
    cairo_fill_preserve(cr);
    StrokeRounded(canvas, Rgba::Hex(0x3A220E), 0.8);
}

} // namespace Content::MiniGameArt
