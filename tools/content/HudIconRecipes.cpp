// The panel's small icons: the goal tick, the tiles' gender signs and the four mode icons.

#include "tools/content/HudArt.h"
#include "tools/content/Palette.h"
#include "tools/content/Recipe.h"
#include "tools/content/Shapes.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace Content::HudArt {

namespace {

constexpr double kPi = std::numbers::pi;

// ---------------------------------------------------------------------------------------
// The panel's goal tick and the tiles' gender signs

// A bold green tick, drawn where a finished goal's bar would be.
void PaintGoalTick(Canvas& canvas)
{
    cairo_t* const cr = canvas.Cr();
    const auto stroke = [](cairo_t* target) {
        cairo_move_to(target, 7.5, 18.5);
        cairo_line_to(target, 14.5, 26.5);
        cairo_curve_to(target, 18, 18, 23, 12, 29.5, 7.5);
    };
    const auto strokeOn = [&](const double width, const Rgba& colour, const double dx, const double dy) {
        cairo_save(cr);
        cairo_translate(cr, dx, dy);
        cairo_new_path(cr);
        stroke(cr);
        cairo_restore(cr);
        canvas.SetColor(colour);
        cairo_set_line_width(cr, width);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    };
    // A soft shadow: ever wider, ever fainter strokes.
    for (int step = 0; step < 4; ++step)
        strokeOn(9.5 + 1.5 * step, Rgba{0.1, 0.06, 0, 0.16}, 0.5, 1.5);
    strokeOn(9, Ui::kLeafDark.Lighter(-0.3), 0, 0);
    strokeOn(6.2, Ui::kLeaf, 0, 0);
    strokeOn(3, Ui::kLeafLight, -0.6, -0.9);
    strokeOn(1, Rgba{1, 1, 1, 0.6}, -1, -1.4);
}

enum class Gender { MALE, FEMALE };

// A small round badge in the tile's top right corner: white sign on blue for a male, on rose
// for a female.
void PaintGenderBadge(Canvas& canvas, const Gender gender)
{
    cairo_t* const cr = canvas.Cr();
    const bool male = gender == Gender::MALE;
    const Rgba light = male ? Rgba::Hex(0x7FBDF5) : Rgba::Hex(0xF59AC0);
    const Rgba dark = male ? Rgba::Hex(0x1F5FA8) : Rgba::Hex(0xB02A66);
    canvas.SoftShape(Oval(8, 8.6, 7.2, 7.2), 1.5, 0, 0, Rgba{0, 0, 0, 0.5});
    cairo_new_path(cr);
    canvas.Ellipse(8, 8, 7.2, 7.2);
    canvas.SetRadialGradient(6.5, 5.5, 8, light, dark);
    cairo_fill_preserve(cr);
    canvas.SetColor(Rgba{1, 1, 1, 0.95});
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    cairo_new_path(cr);
    if (male) {
        canvas.Ellipse(6.9, 9.1, 2.6, 2.6);
        cairo_move_to(cr, 8.8, 7.2);
        cairo_line_to(cr, 11.3, 4.7);
        cairo_move_to(cr, 8.6, 4.7);
        cairo_line_to(cr, 11.3, 4.7);
        cairo_line_to(cr, 11.3, 7.4);
    } else {
        canvas.Ellipse(8, 6.5, 2.6, 2.6);
        cairo_move_to(cr, 8, 9.1);
        cairo_line_to(cr, 8, 13);
        cairo_move_to(cr, 6.2, 11.3);
        cairo_line_to(cr, 9.8, 11.3);
    }
    canvas.SetColor(Rgba{1, 1, 1, 1});
    cairo_set_line_width(cr, 1.4);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// ---------------------------------------------------------------------------------------
// Mode icons

// The mode icons lie in the panel's rounded slot of warm paper: creatures from the emoji font
// with signs drawn in ink.
constexpr int kModeIconSize = 50;

// An emoji standing on a soft shadow, turned to face the other way when `mirrored`.
void Creature(Canvas& canvas, const char* emoji, const double cx, const double cy, const double size,
              const bool mirrored = false)
{
    canvas.SoftShape(Oval(cx, cy + size * 0.42, size * 0.38, size * 0.1), 2, 0, 0, Rgba{0.2, 0.1, 0, 0.35});
    cairo_save(canvas.Cr());
    cairo_translate(canvas.Cr(), cx, cy);
    cairo_scale(canvas.Cr(), mirrored ? -1 : 1, 1);
    canvas.Emoji(emoji, 0, 0, size);
    cairo_restore(canvas.Cr());
}

// A short bold arrow from (x0, y0) to (x1, y1), red ink edged in paper so that it reads over
// the creatures.
void InkArrow(Canvas& canvas, const double x0, const double y0, const double x1, const double y1)
{
    cairo_t* const cr = canvas.Cr();
    const double angle = std::atan2(y1 - y0, x1 - x0);
    const double head = 4.5;
    const auto path = [&](cairo_t* target) {
        cairo_move_to(target, x0, y0);
        cairo_line_to(target, x1 - std::cos(angle) * head * 0.8, y1 - std::sin(angle) * head * 0.8);
    };
    const auto headPath = [&](cairo_t* target) {
        cairo_move_to(target, x1, y1);
        cairo_line_to(target, x1 + std::cos(angle + 2.5) * head, y1 + std::sin(angle + 2.5) * head);
        cairo_line_to(target, x1 + std::cos(angle - 2.5) * head, y1 + std::sin(angle - 2.5) * head);
        cairo_close_path(target);
    };
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (const auto& [width, colour] : {std::pair{4.2, Ui::kCream}, std::pair{1.8, Rgba::Hex(0xB02A22)}}) {
        cairo_new_path(cr);
        path(cr);
        headPath(cr);
        canvas.SetColor(colour);
        cairo_set_line_width(cr, width);
        cairo_stroke(cr);
        cairo_new_path(cr);
        headPath(cr);
        cairo_fill(cr);
    }
}

// Food chain: the snake eats the macaw, the macaw eats the fruit, linked from the top down.
void PaintFoodChainIcon(Canvas& canvas)
{
    Creature(canvas, "\U0001F40D", 13, 12, 22);
    Creature(canvas, "\U0001F99C", 37, 25, 22, true);
    Creature(canvas, "\U0001F96D", 13, 38, 20);
    InkArrow(canvas, 22, 12, 29, 17);
    InkArrow(canvas, 29, 33, 22, 37);
}

// Match same: three of one creature.
void PaintMatchSameIcon(Canvas& canvas)
{
    Creature(canvas, "\U0001F99C", 25, 13, 22);
    Creature(canvas, "\U0001F99C", 12, 35, 22);
    Creature(canvas, "\U0001F99C", 38, 35, 22, true);
}

// A small male or female badge, as the tiles wear.
void GenderBadgeAt(Canvas& canvas, const Gender gender, const double x, const double y)
{
    cairo_save(canvas.Cr());
    cairo_translate(canvas.Cr(), x, y);
    PaintGenderBadge(canvas, gender);
    cairo_restore(canvas.Cr());
}

// Match pairs: two of one creature, a male and a female, face to face.
void PaintMatchPairsIcon(Canvas& canvas)
{
    Creature(canvas, "\U0001F412", 13, 31, 23, true);
    Creature(canvas, "\U0001F412", 37, 31, 23);
    GenderBadgeAt(canvas, Gender::MALE, 4, 6);
    GenderBadgeAt(canvas, Gender::FEMALE, 30, 6);
}

// Match search: a magnifying glass over a creature flushed red, the sick one to be found.
void PaintMatchSearchIcon(Canvas& canvas)
{
    cairo_t* const cr = canvas.Cr();
    constexpr double kCx = 21;
    constexpr double kCy = 20;
    constexpr double kRadius = 13;
    // The handle, under the rim.
    canvas.SoftShape(
        [](cairo_t* target) {
            cairo_save(target);
            cairo_translate(target, kCx, kCy);
            cairo_rotate(target, kPi / 4);
            Canvas::RoundedRectOn(target, kRadius - 2, -3.5, 19, 7, 3.5);
            cairo_restore(target);
            Canvas::EllipseOn(target, kCx, kCy, kRadius + 2, kRadius + 2);
        },
        3, 1, 2, Rgba{0.2, 0.1, 0, 0.4});
    cairo_save(cr);
    cairo_translate(cr, kCx, kCy);
    cairo_rotate(cr, kPi / 4);
    cairo_new_path(cr);
    Canvas::RoundedRectOn(cr, kRadius + 3, -3.5, 15, 7, 3.5);
    SetLinear(canvas, 0, -3.5, 0, 3.5, {{0, Rgba::Hex(0xBF8042)}, {0.45, Rgba::Hex(0x8C5424)}, {1, Rgba::Hex(0x4D2B0F)}});
    cairo_fill_preserve(cr);
    canvas.SetColor(Ui::kInk);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, kRadius, -2.5, 4, 5);
    canvas.SetColor(GoldAt(0.5));
    cairo_fill(cr);
    cairo_restore(cr);
    // The lens, with the sick creature seen through it.
    cairo_new_path(cr);
    canvas.Ellipse(kCx, kCy, kRadius, kRadius);
    canvas.SetRadialGradient(kCx - 4, kCy - 4, kRadius * 1.3, Rgba::Hex(0xF4FBFF, 0.95), Rgba::Hex(0xB8DCEC, 0.95));
    cairo_fill(cr);
    Recoloured(
        canvas, kModeIconSize, kModeIconSize, [](Canvas& layer) { layer.Emoji("\U0001F98A", kCx, kCy + 0.5, 17); },
        [](const Rgba& colour) {
            const double light = Brightness(colour);
            return Rgba{0.55 + 0.45 * light, 0.1 + 0.5 * light * light, 0.1 + 0.45 * light * light, colour.mA};
        });
    cairo_new_path(cr);
    canvas.Ellipse(kCx - 4.5, kCy - 5.5, 4, 2.2);
    canvas.SetColor(Rgba{1, 1, 1, 0.6});
    cairo_fill(cr);
    cairo_new_path(cr);
    canvas.Ellipse(kCx, kCy, kRadius, kRadius);
    canvas.SetColor(GoldAt(0.2));
    cairo_set_line_width(cr, 3.4);
    cairo_stroke_preserve(cr);
    canvas.SetColor(GoldAt(0.75));
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
}

} // namespace

void AddIconRecipes(RecipeBook& book)
{
    book.Add("IMAGE_GAME_GOAL_CHECK", 36, 36, [](Canvas& canvas, const Cell&) { PaintGoalTick(canvas); });
    book.Add("IMAGE_GAME_GENDER_MALE", 16, 16, [](Canvas& canvas, const Cell&) { PaintGenderBadge(canvas, Gender::MALE); });
    book.Add("IMAGE_GAME_GENDER_FEMALE", 16, 16,
             [](Canvas& canvas, const Cell&) { PaintGenderBadge(canvas, Gender::FEMALE); });
    const auto icon = [](void (*paint)(Canvas&)) { return [paint](Canvas& canvas, const Cell&) { paint(canvas); }; };
    book.Add("IMAGE_GAME_SM_FOODCHAIN", kModeIconSize, kModeIconSize, icon(PaintFoodChainIcon));
    book.Add("IMAGE_GAME_SM_MATCHSAME", kModeIconSize, kModeIconSize, icon(PaintMatchSameIcon));
    book.Add("IMAGE_GAME_SM_MATCHPAIRS", kModeIconSize, kModeIconSize, icon(PaintMatchPairsIcon));
    book.Add("IMAGE_GAME_SM_MATCHSEARCH", kModeIconSize, kModeIconSize, icon(PaintMatchSearchIcon));
}

} // namespace Content::HudArt
