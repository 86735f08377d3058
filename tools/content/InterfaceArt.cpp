#include "tools/content/InterfaceArt.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Content::InterfaceArt {

namespace {

constexpr double kPi = std::numbers::pi;

// A leaf lying along `angle`, centred on (cx, cy).
void LeafPath(cairo_t* cr, const double cx, const double cy, const double length, const double width,
              const double angle)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    const double half = length / 2;
    cairo_new_sub_path(cr);
    cairo_move_to(cr, -half, 0);
    cairo_curve_to(cr, -half / 2, -width * 0.75, half / 2, -width * 0.7, half, 0);
    cairo_curve_to(cr, half / 2, width * 0.7, -half / 2, width * 0.75, -half, 0);
    cairo_close_path(cr);
    cairo_restore(cr);
}

} // namespace

void Leaf(Canvas& canvas, const double cx, const double cy, const double length, const double width,
          const double angle, const Rgba& light, const Rgba& dark)
{
    cairo_t* const cr = canvas.Cr();
    cairo_new_path(cr);
    LeafPath(cr, cx, cy, length, width, angle);
    canvas.SetRadialGradient(cx - width * 0.3, cy - width * 0.3, length * 0.7, light, dark);
    cairo_fill_preserve(cr);
    canvas.SetColor(Ui::kLeafDark);
    cairo_set_line_width(cr, std::max(0.8, width * 0.12));
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, -length * 0.42, 0);
    cairo_curve_to(cr, -length * 0.1, -width * 0.08, length * 0.15, -width * 0.05, length * 0.4, 0);
    cairo_restore(cr);
    canvas.SetColor(Ui::kLeafDark.WithAlpha(0.7));
    cairo_set_line_width(cr, std::max(0.6, width * 0.08));
    cairo_stroke(cr);
}

void Stud(Canvas& canvas, const double cx, const double cy, const double radius)
{
    cairo_t* const cr = canvas.Cr();
    canvas.SoftShape(Oval(cx, cy, radius, radius), 2, 0.6, 1, Rgba{0, 0, 0, 0.45});
    cairo_new_path(cr);
    Canvas::EllipseOn(cr, cx, cy, radius, radius);
    canvas.SetRadialGradient(cx - radius * 0.35, cy - radius * 0.4, radius * 1.3, Rgba::Hex(0xFFF2B0), Ui::kGoldDark);
    cairo_fill_preserve(cr);
    canvas.SetColor(Rgba::Hex(0x6B4A10));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

void Parchment(Canvas& canvas, const Shape& shape, const double x, const double y, const double width,
               const double height, const uint32_t seed, const Rgba& top, const Rgba& bottom, const double edgeShade)
{
    cairo_t* const cr = canvas.Cr();
    cairo_save(cr);
    ClipTo(canvas, shape);
    canvas.SetVerticalGradient(y, y + height, top, bottom);
    cairo_paint(cr);
    SeededRandom random(seed);
    // Large soft blotches give the sheet some life.
    const int blotches = std::max(2, static_cast<int>(width * height / 25000));
    for (int i = 0; i < blotches; ++i) {
        const double cx = random.Range(x, x + width);
        const double cy = random.Range(y, y + height);
        const double radius = random.Range(30, 90);
        canvas.SetRadialGradient(cx, cy, radius, Ui::kPaperShade.WithAlpha(random.Range(0.05, 0.12)),
                                 Ui::kPaperShade.WithAlpha(0));
        cairo_rectangle(cr, cx - radius, cy - radius, 2 * radius, 2 * radius);
        cairo_fill(cr);
    }
    const int fibres = static_cast<int>(width * height / 900);
    cairo_set_line_width(cr, 0.6);
    for (int i = 0; i < fibres; ++i) {
        const double fx = random.Range(x, x + width);
        const double fy = random.Range(y, y + height);
        const double angle = random.Range(0, kPi);
        const double length = random.Range(4, 12);
        cairo_move_to(cr, fx, fy);
        cairo_curve_to(cr, fx + std::cos(angle) * length * 0.3, fy + std::sin(angle) * length * 0.3 + 1.5,
                       fx + std::cos(angle) * length * 0.7, fy + std::sin(angle) * length * 0.7 - 1.5,
                       fx + std::cos(angle) * length, fy + std::sin(angle) * length);
        canvas.SetColor(Ui::kWood.WithAlpha(random.Range(0.04, 0.09)));
        cairo_stroke(cr);
    }
    const int specks = static_cast<int>(width * height / 260);
    for (int i = 0; i < specks; ++i) {
        const double radius = random.Range(0.3, 0.9);
        cairo_new_path(cr);
        cairo_arc(cr, random.Range(x, x + width), random.Range(y, y + height), radius, 0, 2 * kPi);
        canvas.SetColor(Ui::kWoodDark.WithAlpha(random.Range(0.05, 0.16)));
        cairo_fill(cr);
    }
    cairo_restore(cr);
    if (edgeShade > 0)
        InnerShadow(canvas, shape, 18, 0, 0, Rgba::Hex(0x9A6A30, edgeShade));
}

void WoodGrain(Canvas& canvas, const double x, const double y, const double length, const double thickness,
               const bool horizontal, SeededRandom& random)
{
    cairo_t* const cr = canvas.Cr();
    cairo_save(cr);
    cairo_translate(cr, x, y);
    if (!horizontal) {
        cairo_rotate(cr, kPi / 2);
        cairo_scale(cr, 1, -1);
    }
    for (double offset = random.Range(0.5, 2); offset < thickness; offset += random.Range(1.6, 3.2)) {
        const double phase = random.Range(0, 2 * kPi);
        const double wave = random.Range(0.3, 1.1);
        const double period = random.Range(40, 110);
        cairo_move_to(cr, -4, offset);
        for (double t = -4; t <= length + 4; t += 4)
            cairo_line_to(cr, t, offset + wave * std::sin(phase + t / period * 2 * kPi));
        canvas.SetColor(random.Next() < 0.7 ? Ui::kWoodDark.WithAlpha(random.Range(0.25, 0.5))
                                            : Rgba::Hex(0xC89A5E, random.Range(0.25, 0.45)));
        cairo_set_line_width(cr, random.Range(0.5, 1.2));
        cairo_stroke(cr);
    }
    // A knot now and then.
    if (length > 120) {
        const double kx = random.Range(length * 0.2, length * 0.8);
        const double ky = thickness * random.Range(0.35, 0.65);
        for (int ring = 0; ring < 3; ++ring) {
            cairo_new_path(cr);
            Canvas::EllipseOn(cr, kx, ky, 3.5 + ring * 2.2, 1.3 + ring * 0.9);
            canvas.SetColor(Ui::kWoodDark.WithAlpha(0.45 - ring * 0.1));
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
        }
    }
    cairo_restore(cr);
}

void WoodFrame(Canvas& canvas, const double x, const double y, const double width, const double height,
               const double thickness, const double radius, const uint32_t seed)
{
    cairo_t* const cr = canvas.Cr();
    const Shape outer = Box(x, y, width, height, radius);
    const double innerRadius = std::max(2.0, radius - thickness * 0.6);
    const Shape inner = Box(x + thickness, y + thickness, width - 2 * thickness, height - 2 * thickness, innerRadius);
    const Shape ring = [&](cairo_t* target) {
        outer(target);
        inner(target);
    };
    // The frame's shadow on the panel inside it.
    InnerShadow(canvas, inner, 6, 1, 2, Rgba::Hex(0x3A2410, 0.5));
    SeededRandom random(seed);
    const Rgba light = Rgba::Hex(0xB07A40);
    const Rgba mid = Ui::kWood;
    const Rgba dark = Ui::kWoodDark;
    const double t = thickness;
    // The four sides, each a trapezoid meeting its neighbours on the diagonals, shaded across
    // its width like a rounded moulding and grained along its length.
    struct Side {
        double mPoints[8];
        double mX0, mY0, mX1, mY1; // across the side, outside to inside
        double mGrainX, mGrainY, mLength;
        bool mHorizontal;
    };
    // The inner corners of the trapezoids lie past the opening's rounded corners, so that the
    // sides meet without a gap there.
    const double in = t + innerRadius;
    const Side sides[] = {
        {{x - 2, y - 2, x + width + 2, y - 2, x + width - in, y + in, x + in, y + in}, 0, y, 0, y + t, x, y, width, true},
        {{x - 2, y + height + 2, x + width + 2, y + height + 2, x + width - in, y + height - in, x + in, y + height - in},
         0, y + height, 0, y + height - t, x, y + height - t, width, true},
        {{x - 2, y - 2, x + in, y + in, x + in, y + height - in, x - 2, y + height + 2}, x, 0, x + t, 0, x, y, height, false},
        {{x + width + 2, y - 2, x + width - in, y + in, x + width - in, y + height - in, x + width + 2, y + height + 2},
         x + width, 0, x + width - t, 0, x + width - t, y, height, false},
    };
    for (const Side& side : sides) {
        cairo_save(cr);
        cairo_new_path(cr);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        ring(cr);
        cairo_clip(cr);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        cairo_new_path(cr);
        cairo_move_to(cr, side.mPoints[0], side.mPoints[1]);
        for (int i = 2; i < 8; i += 2)
            cairo_line_to(cr, side.mPoints[i], side.mPoints[i + 1]);
        cairo_close_path(cr);
        cairo_clip(cr);
        const double tint = random.Range(-0.06, 0.06);
        SetLinear(canvas, side.mX0, side.mY0, side.mX1, side.mY1,
                  {{0, dark.Lighter(tint)}, {0.22, light.Lighter(tint)}, {0.55, mid.Lighter(tint)}, {1, dark.Lighter(tint)}});
        cairo_paint(cr);
        WoodGrain(canvas, side.mGrainX, side.mGrainY, side.mLength, t, side.mHorizontal, random);
        cairo_restore(cr);
    }
    // Mitre joints.
    cairo_set_line_width(cr, 1);
    canvas.SetColor(dark.WithAlpha(0.6));
    const double corners[4][4] = {{x + 2, y + 2, x + t, y + t},
                                  {x + width - 2, y + 2, x + width - t, y + t},
                                  {x + 2, y + height - 2, x + t, y + height - t},
                                  {x + width - 2, y + height - 2, x + width - t, y + height - t}};
    for (const auto& corner : corners) {
        cairo_move_to(cr, corner[0], corner[1]);
        cairo_line_to(cr, corner[2], corner[3]);
    }
    cairo_stroke(cr);
    // Bevel: a light edge just inside the outline, a dark line where the frame meets the panel.
    StrokeShape(canvas, Box(x + 1.5, y + 1.5, width - 3, height - 3, std::max(1.0, radius - 1.5)), 1.2,
                Rgba{1, 0.9, 0.7, 0.35});
    StrokeShape(canvas, outer, 1.6, Rgba::Hex(0x3A2410));
    StrokeShape(canvas, inner, 1.4, Rgba::Hex(0x3A2410, 0.9));
}

void SlantedStripes(cairo_t* const cr, const double width, const double height, const double pitch,
                    const double stripe)
{
    for (double x = -height; x < width + height; x += pitch) {
        cairo_move_to(cr, x, height);
        cairo_line_to(cr, x + height, 0);
        cairo_line_to(cr, x + height + stripe, 0);
        cairo_line_to(cr, x + stripe, height);
        cairo_close_path(cr);
    }
}

} // namespace Content::InterfaceArt
