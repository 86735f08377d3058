// The flight over the world map: the dashes of the plane's trail, the flag on a habitat's
// map point and the plane.

#include "tools/content/HudArt.h"
#include "tools/content/Palette.h"
#include "tools/content/Recipe.h"
#include "tools/content/Shapes.h"

namespace Content::HudArt {

namespace {

// One dash of the flight's trail over the map: red ink with a pale halo, so that it reads on
// the sea and on the land.
void PaintTrailDash(Canvas& canvas)
{
    cairo_t* const cr = canvas.Cr();
    cairo_new_path(cr);
    Canvas::RoundedRectOn(cr, 1.5, 1.5, 9, 4, 2);
    canvas.SetColor(Rgba::Hex(0xFFF8E6, 0.8));
    cairo_fill(cr);
    cairo_new_path(cr);
    Canvas::RoundedRectOn(cr, 2.5, 2.2, 7, 2.6, 1.3);
    canvas.SetColor(Rgba::Hex(0xB02A22));
    cairo_fill(cr);
}

// ---------------------------------------------------------------------------------------
// The world map's flag and plane

// A red pennant on a pole whose foot, at (5, 35), stands on the habitat's map point.
void PaintMapFlag(Canvas& canvas)
{
    cairo_t* const cr = canvas.Cr();
    constexpr double kPoleX = 5;
    constexpr double kFoot = 35;
    canvas.SoftShape(Oval(kPoleX + 2, kFoot, 5, 1.8), 2, 0, 0, Rgba{0, 0, 0, 0.45});
    const auto cloth = [](cairo_t* target) {
        cairo_move_to(target, kPoleX + 1, 4);
        cairo_curve_to(target, 14, 1, 22, 8, 34, 5);
        cairo_curve_to(target, 31, 10, 31, 15, 34, 20);
        cairo_curve_to(target, 22, 23, 14, 16, kPoleX + 1, 20);
        cairo_close_path(target);
    };
    canvas.SoftShape(cloth, 2.5, 1, 1.5, Rgba{0, 0, 0, 0.35});
    cairo_new_path(cr);
    cloth(cr);
    // Folds: light and shade across the cloth.
    SetLinear(canvas, kPoleX, 0, 34, 0,
              {{0, Rgba::Hex(0xA81E1E)}, {0.3, Rgba::Hex(0xE04A3A)}, {0.55, Rgba::Hex(0xB82626)},
               {0.8, Rgba::Hex(0xE65444)}, {1, Rgba::Hex(0xB02222)}});
    cairo_fill_preserve(cr);
    canvas.SetColor(Rgba::Hex(0x5A0E0E));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // A white leaf with its stalk on the cloth.
    cairo_new_path(cr);
    cairo_move_to(cr, 14, 16);
    cairo_curve_to(cr, 13, 10, 19, 7, 26, 7.5);
    cairo_curve_to(cr, 24, 13, 20, 17, 14, 16);
    cairo_close_path(cr);
    canvas.SetColor(Rgba::Hex(0xFFF8E6));
    cairo_fill(cr);
    cairo_move_to(cr, 14.5, 15.5);
    cairo_line_to(cr, 11.5, 18.5);
    canvas.SetColor(Rgba::Hex(0xFFF8E6));
    cairo_set_line_width(cr, 1.3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    // The pole and its gold knob.
    cairo_new_path(cr);
    cairo_rectangle(cr, kPoleX - 1.2, 3, 2.4, kFoot - 3);
    SetLinear(canvas, kPoleX - 1.2, 0, kPoleX + 1.2, 0,
              {{0, Rgba::Hex(0x8C5A29)}, {0.4, Rgba::Hex(0xD9A666)}, {1, Ui::kWoodDark}});
    cairo_fill(cr);
    cairo_new_path(cr);
    canvas.Ellipse(kPoleX, 3, 2.6, 2.6);
    canvas.SetRadialGradient(kPoleX - 0.8, 2, 3, GoldAt(1), GoldAt(0.3));
    cairo_fill(cr);
}

// The explorers' plane seen from above, its nose up: the game turns it along the flight. Its
// shadow falls on the map below it.
void PaintAeroplane(Canvas& canvas)
{
    cairo_t* const cr = canvas.Cr();
    const auto fuselage = [](cairo_t* target) {
        cairo_move_to(target, 28, 6);
        cairo_curve_to(target, 33, 6, 34, 14, 33.5, 24);
        cairo_curve_to(target, 33, 36, 31, 46, 29.5, 51);
        cairo_line_to(target, 26.5, 51);
        cairo_curve_to(target, 25, 46, 23, 36, 22.5, 24);
        cairo_curve_to(target, 22, 14, 23, 6, 28, 6);
        cairo_close_path(target);
    };
    const auto wings = [](cairo_t* target) {
        cairo_move_to(target, 4, 24);
        cairo_curve_to(target, 4, 20.5, 6, 19.5, 10, 19.5);
        cairo_line_to(target, 46, 19.5);
        cairo_curve_to(target, 50, 19.5, 52, 20.5, 52, 24);
        cairo_curve_to(target, 52, 27, 50, 28.5, 46, 29);
        cairo_line_to(target, 10, 29);
        cairo_curve_to(target, 6, 28.5, 4, 27, 4, 24);
        cairo_close_path(target);
    };
    const auto tail = [](cairo_t* target) {
        cairo_move_to(target, 18, 48);
        cairo_curve_to(target, 18, 45, 20, 44, 24, 43.5);
        cairo_line_to(target, 32, 43.5);
        cairo_curve_to(target, 36, 44, 38, 45, 38, 48);
        cairo_curve_to(target, 38, 50, 36, 50.5, 33, 50.5);
        cairo_line_to(target, 23, 50.5);
        cairo_curve_to(target, 20, 50.5, 18, 50, 18, 48);
        cairo_close_path(target);
    };
    const auto silhouette = [&](cairo_t* target) {
        wings(target);
        tail(target);
        fuselage(target);
    };
    canvas.SoftShape(silhouette, 3, 3, 4, Rgba{0.05, 0.1, 0.2, 0.35});
    const Rgba red = Rgba::Hex(0xD8412E);
    const Rgba redDark = Rgba::Hex(0x8E2014);
    const Rgba cream = Rgba::Hex(0xFFF4DA);
    const auto part = [&](const Shape& shape, const Rgba& light, const Rgba& dark, double top, double bottom) {
        cairo_new_path(cr);
        shape(cr);
        canvas.SetVerticalGradient(top, bottom, light, dark);
        cairo_fill_preserve(cr);
        canvas.SetColor(Rgba::Hex(0x3A1A0A));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    };
    part(wings, red.Lighter(0.25), redDark, 19.5, 29);
    // Leaf roundels on the wings and a lit leading edge.
    for (const double x : {12.0, 44.0}) {
        cairo_new_path(cr);
        canvas.Ellipse(x, 24.2, 3.2, 3.2);
        canvas.SetColor(cream);
        cairo_fill(cr);
        cairo_new_path(cr);
        canvas.Ellipse(x, 24.2, 1.8, 1.8);
        canvas.SetColor(Ui::kLeaf);
        cairo_fill(cr);
    }
    cairo_new_path(cr);
    cairo_move_to(cr, 8, 20.8);
    cairo_line_to(cr, 48, 20.8);
    canvas.SetColor(Rgba{1, 1, 1, 0.45});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    part(tail, red.Lighter(0.2), redDark, 43.5, 50.5);
    // The body, shaded across like a cylinder.
    cairo_new_path(cr);
    fuselage(cr);
    SetLinear(canvas, 22, 0, 34, 0, {{0, Rgba::Hex(0x9E8F75)}, {0.4, cream}, {1, Rgba::Hex(0xB3A185)}});
    cairo_fill_preserve(cr);
    canvas.SetColor(Rgba::Hex(0x3A1A0A));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // A red stripe down the body, the cockpit's glass and the propeller's blur.
    cairo_new_path(cr);
    cairo_rectangle(cr, 27, 30, 2, 14);
    canvas.SetColor(red);
    cairo_fill(cr);
    cairo_new_path(cr);
    Canvas::RoundedRectOn(cr, 24.8, 13, 6.4, 7, 3);
    canvas.SetVerticalGradient(13, 20, Rgba::Hex(0xCFF2FF), Rgba::Hex(0x2F7FB8));
    cairo_fill_preserve(cr);
    canvas.SetColor(Rgba::Hex(0x1A3A55));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_new_path(cr);
    canvas.Ellipse(28, 5, 10, 1.8);
    canvas.SetColor(Rgba::Hex(0x2A2A2A, 0.35));
    cairo_fill(cr);
    cairo_new_path(cr);
    canvas.Ellipse(28, 5.2, 2, 2);
    canvas.SetRadialGradient(27.3, 4.5, 2.4, Rgba::Hex(0xF0F0F0), Rgba::Hex(0x505050));
    cairo_fill(cr);
}

} // namespace

void AddMapRecipes(RecipeBook& book)
{
    book.Add("IMAGE_GAME_LINE_DASH", 12, 7, [](Canvas& canvas, const Cell&) { PaintTrailDash(canvas); });
    book.Add("IMAGE_GAME_FLAG", 40, 40, [](Canvas& canvas, const Cell&) { PaintMapFlag(canvas); });
    book.Add("IMAGE_GAME_AEROPLANE", 56, 56, [](Canvas& canvas, const Cell&) { PaintAeroplane(canvas); });
}

} // namespace Content::HudArt
