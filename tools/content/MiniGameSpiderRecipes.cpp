// The spider game: the spiders on their threads and the potato cannon that shoots them down.
//
// Each picture is drawn round the body that the game gives it, so that what the player sees
// is what collides:
// - a spider is a circle of radius 12 drawn centred on the picture;
// - a potato is a circle of radius 8 whose picture is drawn with its top-left corner 8 pixels
//   up and left of the body's centre;
// - the potato cannon is drawn centred on a box half the picture's width and its full
//   height, and its muzzle flash shows 30 pixels above the centre.

#include "tools/content/MiniGameArt.h"
#include "tools/content/Palette.h"
#include "tools/content/Recipe.h"
#include "tools/content/Shapes.h"

#include <numbers>

namespace Content::MiniGameArt {

namespace {

constexpr double kPi = std::numbers::pi;

constexpr int kSpiderSize = 40;

// A round, friendly spider seen from the front; its body fills the collision circle and
// its banded legs reach out to the picture's edges.
void PaintSpider(Canvas& canvas, const Cell&)
{
    cairo_t* const cr = canvas.Cr();
    constexpr double kC = kSpiderSize / 2.0;
    const Rgba leg = Rgba::Hex(0x2A1830);
    const Rgba band = Rgba::Hex(0xF08A24);
    // Root, knee and foot of the four legs of the left side: each arches up and out, then
    // comes down.
    const double legs[4][6] = {
        {13, 13, 6, 4, 1.5, 11}, {11, 18, 3, 11, 1, 21}, {11, 23, 3.5, 21, 2, 30}, {13, 28, 7, 29, 5, 38.5}};
    for (const int side : {-1, 1}) {
        for (const auto& points : legs) {
            const auto x = [&](const double value) { return side < 0 ? value : kSpiderSize - value; };
            const auto path = [&] {
                cairo_move_to(cr, x(points[0]), points[1]);
                cairo_line_to(cr, x(points[2]), points[3]);
                cairo_line_to(cr, x(points[4]), points[5]);
            };
            path();
            StrokeRounded(canvas, Rgba::Hex(0xFFF3D6, 0.5), 4.2);
            path();
            StrokeRounded(canvas, leg, 2.6);
            cairo_new_path(cr);
            Circle(cr, x(points[2]), points[3], 1.3);
            canvas.SetColor(band);
            cairo_fill(cr);
        }
    }
    const Shape body = [&](cairo_t* target) { Circle(target, kC, kC + 0.5, 11.5); };
    canvas.SoftShape(body, 3, 0, 1, Rgba{0, 0, 0, 0.45});
    canvas.SetRadialGradient(kC - 4, kC - 5, 17, Rgba::Hex(0x7A5090), Rgba::Hex(0x1C0F24));
    FillAndOutline(canvas, body, Rgba::Hex(0xFFF3D6, 0.6), 1.2);
    // A smile with two little fangs, and a shine on the top.
    cairo_new_path(cr);
    cairo_arc(cr, kC, kC + 3.5, 3.5, 0.35, kPi - 0.35);
    StrokeRounded(canvas, Rgba::Hex(0xFFF3D6, 0.9), 1);
    for (const int side : {-1, 1}) {
        cairo_new_path(cr);
        cairo_move_to(cr, kC + side * 2.6, kC + 6.6);
        cairo_line_to(cr, kC + side * 1.2, kC + 7.2);
        cairo_line_to(cr, kC + side * 1.9, kC + 9.4);
        cairo_close_path(cr);
        canvas.SetColor(Rgba::Hex(0xFFFFFF));
        cairo_fill(cr);
    }
    cairo_new_path(cr);
    Canvas::EllipseOn(cr, kC - 3.5, kC - 6.5, 4.5, 2.5);
    canvas.SetColor(Rgba{1, 1, 1, 0.35});
    cairo_fill(cr);
    for (const int side : {-1, 1}) {
        cairo_new_path(cr);
        Circle(cr, kC + side * 4, kC - 1, 3.6);
        canvas.SetColor(Rgba::Hex(0xFFFFFF));
        cairo_fill_preserve(cr);
        StrokeRounded(canvas, Rgba::Hex(0x1C0F24), 0.7);
        cairo_new_path(cr);
        Circle(cr, kC + side * 4 + side * 0.6, kC, 1.8);
        canvas.SetColor(Rgba::Hex(0x111111));
        cairo_fill(cr);
        cairo_new_path(cr);
        Circle(cr, kC + side * 4 - 0.4, kC - 2, 0.7);
        canvas.SetColor(Rgba::Hex(0xFFFFFF));
        cairo_fill(cr);
    }
}

constexpr int kPotatoWidth = 18;
constexpr int kPotatoHeight = 16;

// The shot of the spider game: a small lumpy potato round its body circle at (8, 8).
void PaintPotato(Canvas& canvas, const Cell&)
{
    cairo_t* const cr = canvas.Cr();
    const Shape potato = [](cairo_t* target) {
        cairo_move_to(target, 1.2, 8);
        cairo_curve_to(target, 0.8, 3.5, 4.5, 1, 9, 1.3);
        cairo_curve_to(target, 13.5, 0.8, 17, 3.5, 16.8, 7.5);
        cairo_curve_to(target, 16.9, 12, 13.5, 15, 9, 14.8);
        cairo_curve_to(target, 4, 15, 1.4, 12, 1.2, 8);
        cairo_close_path(target);
    };
    canvas.SetRadialGradient(6.5, 5, 12, Rgba::Hex(0xF0CB8A), Rgba::Hex(0x9A6430));
    FillAndOutline(canvas, potato, Rgba::Hex(0x5A3512), 1);
    // Its eyes.
    const double eyes[][2] = {{5, 6}, {11.5, 4.5}, {12.5, 10.5}, {6.5, 11}};
    for (const auto& [x, y] : eyes) {
        cairo_new_path(cr);
        Canvas::EllipseOn(cr, x, y, 1, 0.7);
        canvas.SetColor(Rgba::Hex(0x6A4018, 0.8));
        cairo_fill(cr);
    }
    cairo_new_path(cr);
    Canvas::EllipseOn(cr, 7, 4, 3, 1.4);
    canvas.SetColor(Rgba{1, 1, 1, 0.4});
    cairo_fill(cr);
}

constexpr int kCannonWidth = 90;
constexpr int kCannonHeight = 80;

// The spider game's cannon: a bronze barrel standing upright on a wheeled wooden cart. The
// game's box is the middle half of the picture from top to bottom; the barrel fills it and
// the muzzle is at the top, where the potatoes come out.
void PaintPotatoCannon(Canvas& canvas, const Cell&)
{
    cairo_t* const cr = canvas.Cr();
    constexpr double kC = kCannonWidth / 2.0;
    canvas.SoftShape(Oval(kC, 77, 42, 3.5), 4, 0, 0, Rgba{0, 0, 0, 0.45});
    // The cart.
    const Shape cart = Box(8, 52, kCannonWidth - 16, 14, 4);
    canvas.SoftShape(cart, 3, 0, 1.5, Rgba{0, 0, 0, 0.4});
    SetLinear(canvas, 0, 52, 0, 66, {{0, Rgba::Hex(0xC08048)}, {0.4, Rgba::Hex(0x9A5F2C)}, {1, Rgba::Hex(0x5A3414)}});
    FillAndOutline(canvas, cart, Rgba::Hex(0x3A220E), 1.2);
    cairo_move_to(cr, 12, 59);
    cairo_line_to(cr, kCannonWidth - 12, 59);
    StrokeRounded(canvas, Rgba::Hex(0x3A220E, 0.45), 0.8);
    for (const double x : {14.0, kCannonWidth - 14.0}) {
        cairo_new_path(cr);
        Circle(cr, x, 55.5, 1.3);
        canvas.SetColor(Rgba::Hex(0x2A2A2A));
        cairo_fill(cr);
    }
    Wheel(canvas, 17, 66, 12, 0);
    Wheel(canvas, kCannonWidth - 17, 66, 12, 0);

    // The barrel, wider at the breech, with reinforcing bands and a flared muzzle.
    const Shape tube = [](cairo_t* target) {
        cairo_move_to(target, kC - 12, 9);
        cairo_line_to(target, kC + 12, 9);
        cairo_line_to(target, kC + 15, 50);
        cairo_curve_to(target, kC + 15, 58, kC + 9, 61, kC, 61);
        cairo_curve_to(target, kC - 9, 61, kC - 15, 58, kC - 15, 50);
        cairo_close_path(target);
    };
    canvas.SoftShape(tube, 3, 1, 1.5, Rgba{0, 0, 0, 0.45});
    SetBronzeAcross(canvas, kC - 15, 0, kC + 15, 0);
    FillAndOutline(canvas, tube, kBronzeDark.Lighter(-0.4), 1.2);
    for (const double y : {24.0, 42.0}) {
        const double half = 12 + (y - 9) / 41 * 3 + 1.5;
        const Shape ring = Box(kC - half, y - 2.5, 2 * half, 5, 2);
        SetBronzeAcross(canvas, kC - half, 0, kC + half, 0);
        FillAndOutline(canvas, ring, kBronzeDark.Lighter(-0.4), 0.9);
    }
    const Shape muzzle = Box(kC - 16, 2, 32, 9, 3.5);
    SetBronzeAcross(canvas, kC - 16, 0, kC + 16, 0);
    FillAndOutline(canvas, muzzle, kBronzeDark.Lighter(-0.4), 1.1);
    // The bore, seen a little from the front.
    cairo_new_path(cr);
    Canvas::EllipseOn(cr, kC, 4.3, 11, 2.4);
    SetLinear(canvas, 0, 2, 0, 7, {{0, Rgba::Hex(0x1A0E06)}, {1, Rgba::Hex(0x4A2A12)}});
    cairo_fill(cr);
    // The cradle that holds the barrel on the cart, with its pins.
    const Shape cradle = [](cairo_t* target) {
        cairo_move_to(target, kC - 20, 54);
        cairo_line_to(target, kC - 16, 42);
        cairo_line_to(target, kC - 12, 42);
        cairo_line_to(target, kC - 12, 54);
        cairo_close_path(target);
        cairo_move_to(target, kC + 20, 54);
        cairo_line_to(target, kC + 16, 42);
        cairo_line_to(target, kC + 12, 42);
        cairo_line_to(target, kC + 12, 54);
        cairo_close_path(target);
    };
    SetLinear(canvas, 0, 42, 0, 54, {{0, Rgba::Hex(0xB07440)}, {1, Rgba::Hex(0x6A3E18)}});
    FillAndOutline(canvas, cradle, Rgba::Hex(0x3A220E), 1);
    for (const int side : {-1, 1}) {
        cairo_new_path(cr);
        Circle(cr, kC + side * 14.5, 46, 2);
        canvas.SetRadialGradient(kC + side * 14.5 - 0.6, 45.4, 2.4, Rgba::Hex(0xD8D8E0), Rgba::Hex(0x3A3A44));
        cairo_fill(cr);
    }
}

} // namespace

void AddSpiderGameRecipes(RecipeBook& book)
{
    book.Add("IMAGE_MINI_GAME_SPIDER", kSpiderSize, kSpiderSize, PaintSpider);
    book.Add("IMAGE_MINI_GAME_POTATO", kPotatoWidth, kPotatoHeight, PaintPotato);
    book.Add("IMAGE_MINI_GAME_CANNON", kCannonWidth, kCannonHeight, PaintPotatoCannon);
}

} // namespace Content::MiniGameArt
