// The mouse pointers that the game draws itself. The software cursor is drawn centred on the
// mouse in a 64 x 64 area, so each picture is 64 x 64 with its hot spot at the centre pixel
// (32, 32): the arrow's tip, the pointing fingertip, the middle of the fist and of the I-beam.
// Each is light inside a dark outline so that it reads on every background.

#include "tools/content/Palette.h"
#include "tools/content/Recipe.h"
#include "tools/content/Shapes.h"

#include <cmath>
#include <numbers>

namespace Content {

namespace {

constexpr int kCursorSize = 64;
constexpr double kHot = kCursorSize / 2.0;

const Rgba kOutline = Rgba::Hex(0x14200C);

// The arrow's centre line, its tip inset so that the outline's mitred point ends at the hot
// spot: the outline's outer left edge lies on x = 32 and its point covers pixel (32, 32).
void ArrowPath(cairo_t* cr)
{
    constexpr double kX = kHot + 0.8;
    constexpr double kY = kHot + 1.0;
    cairo_new_sub_path(cr);
    cairo_move_to(cr, kX, kY);
    cairo_line_to(cr, kX, kY + 24);
    cairo_line_to(cr, kX + 5.6, kY + 18.8);
    cairo_line_to(cr, kX + 9.4, kY + 27.4);
    cairo_line_to(cr, kX + 13.4, kY + 25.6);
    cairo_line_to(cr, kX + 9.7, kY + 17.4);
    cairo_line_to(cr, kX + 17, kY + 17.4);
    cairo_close_path(cr);
}

void Shadow(Canvas& canvas, const Shape& path, const double grow)
{
    canvas.SoftThickenedShape(path, grow, 3, 1.5, 2.5, Rgba{0, 0, 0, 0.38});
}

void PaintPointer(Canvas& canvas, const bool filled)
{
    cairo_t* const cr = canvas.Cr();
    if (filled)
        Shadow(canvas, ArrowPath, 1.6);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_set_miter_limit(cr, 10);
    if (filled) {
        SetLinear(canvas, kHot, kHot, kHot + 12, kHot + 26,
                  {{0, Rgba{1, 1, 1}}, {0.55, Rgba{0.93, 0.98, 0.86}}, {1, Rgba{0.62, 0.84, 0.45}}});
        FillShape(canvas, ArrowPath);
        cairo_new_path(cr);
        ArrowPath(cr);
        canvas.SetColor(kOutline);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        return;
    }
    // The hollow arrow: a white line edged in dark. Its wider outline reaches further out at
    // the tip, so it is moved to keep the tip on the hot spot.
    cairo_translate(cr, 1.0, 3.0);
    cairo_new_path(cr);
    ArrowPath(cr);
    canvas.SetColor(kOutline);
    cairo_set_line_width(cr, 3.6);
    cairo_stroke(cr);
    cairo_new_path(cr);
    ArrowPath(cr);
    canvas.SetColor(Rgba::Hex(0xFFFFFF));
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
}

// A rounded bar from (x0, y0) to (x1, y1), `width` wide: a finger or a thumb.
void Capsule(cairo_t* cr, const double x0, const double y0, const double x1, const double y1, const double width)
{
    const double angle = std::atan2(y1 - y0, x1 - x0);
    const double r = width / 2;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x1, y1, r, angle - std::numbers::pi / 2, angle + std::numbers::pi / 2);
    cairo_arc(cr, x0, y0, r, angle + std::numbers::pi / 2, angle + 3 * std::numbers::pi / 2);
    cairo_close_path(cr);
}

// Draws a hand made of parts: their union outlined, filled light, then the creases.
void PaintHandParts(Canvas& canvas, const Shape& parts, const Shape& creases)
{
    cairo_t* const cr = canvas.Cr();
    Shadow(canvas, parts, 3.6);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_new_path(cr);
    parts(cr);
    canvas.SetColor(kOutline);
    cairo_set_line_width(cr, 3.6);
    cairo_stroke(cr);
    SetLinear(canvas, kHot - 10, kHot - 8, kHot + 14, kHot + 26,
              {{0, Rgba{1, 1, 1}}, {0.6, Rgba{0.97, 0.95, 0.88}}, {1, Rgba{0.86, 0.82, 0.70}}});
    FillShape(canvas, parts);
    cairo_new_path(cr);
    creases(cr);
    canvas.SetColor(kOutline.WithAlpha(0.85));
    cairo_set_line_width(cr, 1.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

// A pointing hand, index finger up, its fingertip on the hot spot.
void PaintHand(Canvas& canvas)
{
    const double x = kHot + 0.5; // the finger's middle line
    const double top = kHot + 1.8;
    const auto parts = [=](cairo_t* cr) {
        Capsule(cr, x, top + 3.5, x, top + 18, 7.5);
        Canvas::RoundedRectOn(cr, x - 8, top + 14, 24, 14, 6);
        Capsule(cr, x + 6, top + 15.5, x + 6, top + 18.5, 6);
        Capsule(cr, x + 11.3, top + 16.5, x + 11.3, top + 19.5, 5.6);
        Capsule(cr, x + 15.6, top + 18, x + 15.6, top + 21, 5);
        Capsule(cr, x - 13, top + 15, x - 5, top + 23, 6.5);
    };
    const auto creases = [=](cairo_t* cr) {
        // Where the folded fingers meet.
        cairo_move_to(cr, x + 3.4, top + 16);
        cairo_line_to(cr, x + 3.4, top + 21.5);
        cairo_move_to(cr, x + 8.8, top + 16.5);
        cairo_line_to(cr, x + 8.8, top + 21.5);
        cairo_move_to(cr, x + 13.7, top + 18);
        cairo_line_to(cr, x + 13.7, top + 22);
    };
    PaintHandParts(canvas, parts, creases);
}

// A closed hand gripping, centred on the hot spot.
void PaintDragging(Canvas& canvas)
{
    const double cx = kHot;
    const double cy = kHot;
    const auto parts = [=](cairo_t* cr) {
        Canvas::RoundedRectOn(cr, cx - 11, cy - 3, 23, 17, 7);
        for (int i = 0; i < 4; ++i) {
            const double fx = cx - 8 + i * 5.6;
            Capsule(cr, fx, cy - 6 + (i == 0 || i == 3 ? 1.2 : 0), fx, cy + 1, 5.8);
        }
        Capsule(cr, cx - 15, cy + 1, cx - 7, cy + 6, 6.5);
        Canvas::RoundedRectOn(cr, cx - 8, cy + 12, 17, 6, 2);
    };
    const auto creases = [=](cairo_t* cr) {
        for (int i = 0; i < 3; ++i) {
            const double fx = cx - 5.2 + i * 5.6;
            cairo_move_to(cr, fx, cy - 6);
            cairo_line_to(cr, fx, cy + 1);
        }
        // The curled fingertips tucked under.
        cairo_move_to(cr, cx - 10, cy + 2.5);
        cairo_curve_to(cr, cx - 4, cy + 4.5, cx + 4, cy + 4.5, cx + 11, cy + 2.5);
        cairo_move_to(cr, cx - 8, cy + 12.5);
        cairo_line_to(cr, cx + 9, cy + 12.5);
    };
    PaintHandParts(canvas, parts, creases);
}

// The text cursor: an I-beam on whole pixels, white edged in dark.
void PaintText(Canvas& canvas)
{
    cairo_t* const cr = canvas.Cr();
    const auto beam = [](cairo_t* target, const double grow) {
        cairo_rectangle(target, 31 - grow, 20 - grow, 2 + 2 * grow, 24 + 2 * grow);
        cairo_rectangle(target, 27 - grow, 19 - grow, 10 + 2 * grow, 2 + 2 * grow);
        cairo_rectangle(target, 27 - grow, 43 - grow, 10 + 2 * grow, 2 + 2 * grow);
    };
    canvas.SoftShape([&](cairo_t* target) { beam(target, 1); }, 2, 1, 1.5, Rgba{0, 0, 0, 0.35});
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_new_path(cr);
    beam(cr, 1);
    canvas.SetColor(kOutline);
    cairo_fill(cr);
    cairo_new_path(cr);
    beam(cr, 0);
    canvas.SetColor(Rgba::Hex(0xFFFFFF));
    cairo_fill(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_BEST);
}

} // namespace

void AddCursorRecipes(RecipeBook& book)
{
    book.Add("IMAGE_CUSTOM_POINTER", kCursorSize, kCursorSize, [](Canvas& canvas, const Cell&) { PaintPointer(canvas, true); });
    book.Add("IMAGE_CUSTOM_POINTER_EMPTY", kCursorSize, kCursorSize,
             [](Canvas& canvas, const Cell&) { PaintPointer(canvas, false); });
    book.Add("IMAGE_CUSTOM_HAND", kCursorSize, kCursorSize, [](Canvas& canvas, const Cell&) { PaintHand(canvas); });
    book.Add("IMAGE_CUSTOM_DRAGGING", kCursorSize, kCursorSize, [](Canvas& canvas, const Cell&) { PaintDragging(canvas); });
    book.Add("IMAGE_CUSTOM_TEXT", kCursorSize, kCursorSize, [](Canvas& canvas, const Cell&) { PaintText(canvas); });
}

} // namespace Content
