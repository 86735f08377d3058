// The field kit that Jane hands over (sample tubes, diary, backpack) and the two pictures of
// the help pages that show parts of the game screen in small: her files and the sample tubes.

#include "tools/content/HudArt.h"
#include "tools/content/Palette.h"
#include "tools/content/Recipe.h"
#include "tools/content/Shapes.h"

#include <numbers>
#include <string>
#include <tuple>

namespace Content::HudArt {

namespace {

constexpr double kPi = std::numbers::pi;

// A steel paper clip over an edge at height y, its left wire at x; it reaches 10 pixels above.
void PaperClip(Canvas& canvas, const double x, const double y)
{
    cairo_t* const cr = canvas.Cr();
    const auto loops = [x, y](cairo_t* target) {
        cairo_move_to(target, x + 3, y + 22);
        cairo_line_to(target, x + 3, y - 6);
        cairo_arc(target, x + 7, y - 6, 4, kPi, 0);
        cairo_line_to(target, x + 11, y + 26);
        cairo_arc(target, x + 6, y + 26, 5, 0, kPi);
        cairo_line_to(target, x + 1, y - 2);
    };
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (const auto& [width, colour, dx] : {std::tuple{3.2, Rgba{0, 0, 0, 0.25}, 1.0}, std::tuple{2.4, Rgba::Hex(0x6A7680), 0.0},
                                            std::tuple{1.0, Rgba::Hex(0xE8EEF2), -0.4}}) {
        cairo_save(cr);
        cairo_translate(cr, dx, dx);
        cairo_new_path(cr);
        loops(cr);
        cairo_restore(cr);
        canvas.SetColor(colour);
        cairo_set_line_width(cr, width);
        cairo_stroke(cr);
    }
}

// ---------------------------------------------------------------------------------------
// Jane's field kit

// Sample tubes with coloured samples and corks, standing in a wooden rack.
void PaintTestTubes(Canvas& canvas)
{
    cairo_t* const cr = canvas.Cr();
    canvas.SoftShape(Oval(50, 86, 44, 4.5), 4, 0, 0, Rgba{0.15, 0.08, 0, 0.45});
    // The rack's two posts, behind the tubes.
    for (const double x : {8.0, 86.0}) {
        cairo_new_path(cr);
        Canvas::RoundedRectOn(cr, x, 54, 6, 30, 2);
        canvas.SetVerticalGradient(54, 84, Rgba::Hex(0xB07A40), Ui::kWoodDark);
        cairo_fill(cr);
    }
    struct Tube {
        double mX;
        double mFill; // of the tube's height
        Rgba mSample;
    };
    const Tube tubes[] = {{23, 0.72, Rgba::Hex(0x5CC24A)}, {41, 0.55, Rgba::Hex(0x2FA8B8)},
                          {59, 0.88, Rgba::Hex(0xF2B035)}, {77, 0.45, Rgba::Hex(0xE0564A)}};
    constexpr double kTop = 14;
    constexpr double kBottom = 82;
    constexpr double kHalf = 6.5;
    for (const Tube& tube : tubes) {
        const auto glass = [&](cairo_t* target) {
            cairo_move_to(target, tube.mX - kHalf, kTop);
            cairo_line_to(target, tube.mX - kHalf, kBottom - kHalf);
            cairo_arc_negative(target, tube.mX, kBottom - kHalf, kHalf, kPi, 0);
            cairo_line_to(target, tube.mX + kHalf, kTop);
            cairo_close_path(target);
        };
        cairo_new_path(cr);
        glass(cr);
        canvas.SetColor(Rgba::Hex(0xE8F6FA, 0.55));
        cairo_fill(cr);
        // The sample, its surface a lighter ellipse.
        const double surface = kBottom - (kBottom - kTop - 8) * tube.mFill;
        cairo_save(cr);
        cairo_new_path(cr);
        glass(cr);
        cairo_clip(cr);
        cairo_new_path(cr);
        cairo_rectangle(cr, tube.mX - kHalf, surface, 2 * kHalf, kBottom - surface + 1);
        const Rgba light = tube.mSample.Lighter(0.35);
        const Rgba dark = tube.mSample.Lighter(-0.3);
        SetLinear(canvas, tube.mX - kHalf, 0, tube.mX + kHalf, 0, {{0, dark}, {0.4, light}, {1, dark}});
        cairo_fill(cr);
        cairo_new_path(cr);
        canvas.Ellipse(tube.mX, surface, kHalf, 1.6);
        canvas.SetColor(tube.mSample.Lighter(0.5));
        cairo_fill(cr);
        // Bubbles.
        for (int bubble = 0; bubble < 3; ++bubble) {
            cairo_new_path(cr);
            canvas.Ellipse(tube.mX - 2 + bubble * 2.2, kBottom - 6 - bubble * 5.5, 0.9 + bubble * 0.25,
                           0.9 + bubble * 0.25);
            canvas.SetColor(Rgba{1, 1, 1, 0.6});
            cairo_fill(cr);
        }
        cairo_restore(cr);
        // The glass's shine and its edge.
        cairo_new_path(cr);
        cairo_rectangle(cr, tube.mX - kHalf + 2, kTop + 4, 2, kBottom - kTop - 12);
        canvas.SetColor(Rgba{1, 1, 1, 0.7});
        cairo_fill(cr);
        cairo_new_path(cr);
        glass(cr);
        canvas.SetColor(Rgba::Hex(0x3A5A66, 0.85));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        // The cork.
        cairo_new_path(cr);
        Canvas::RoundedRectOn(cr, tube.mX - kHalf - 1, kTop - 8, 2 * kHalf + 2, 10, 2.5);
        canvas.SetVerticalGradient(kTop - 8, kTop + 2, Rgba::Hex(0xE0B27A), Rgba::Hex(0x9A6A3A));
        cairo_fill_preserve(cr);
        canvas.SetColor(Rgba::Hex(0x5C3A1A));
        cairo_set_line_width(cr, 0.9);
        cairo_stroke(cr);
    }
    // The rack's upper plank with its holes in front of the tubes, and the base.
    const auto plank = [&](const double y, const double height) {
        const Shape shape = Box(4, y, 92, height, 3);
        canvas.SoftShape(shape, 3, 0, 1.5, Rgba{0.15, 0.08, 0, 0.4});
        cairo_new_path(cr);
        shape(cr);
        canvas.SetVerticalGradient(y, y + height, Rgba::Hex(0xC8935A), Rgba::Hex(0x7A4E24));
        cairo_fill_preserve(cr);
        canvas.SetColor(Rgba::Hex(0x3A2410));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        cairo_new_path(cr);
        cairo_move_to(cr, 6, y + 1.5);
        cairo_line_to(cr, 94, y + 1.5);
        canvas.SetColor(Rgba{1, 0.9, 0.7, 0.4});
        cairo_stroke(cr);
    };
    plank(60, 11);
    plank(80, 8);
    // A paper label with a leaf on the front plank.
    cairo_new_path(cr);
    cairo_rectangle(cr, 40, 62.5, 20, 6.5);
    canvas.SetColor(Ui::kCream);
    cairo_fill(cr);
    cairo_new_path(cr);
    canvas.Ellipse(50, 65.7, 4, 1.8);
    canvas.SetColor(Ui::kLeaf);
    cairo_fill(cr);
}

// Jane's diary: a brown leather notebook, lying a little askew, with gold corners, a band
// to keep it shut, a ribbon and a leaf pressed on its cover.
void PaintDiary(Canvas& canvas)
{
    cairo_t* const cr = canvas.Cr();
    canvas.SoftShape(Oval(50, 85, 40, 4.5), 4, 0, 0, Rgba{0.15, 0.08, 0, 0.45});
    cairo_save(cr);
    cairo_translate(cr, 50, 45);
    cairo_rotate(cr, -0.12);
    constexpr double kW = 62;
    constexpr double kH = 78;
    constexpr double kX = -kW / 2;
    constexpr double kY = -kH / 2;
    // The pages, seen at the right and bottom edges under the cover.
    cairo_new_path(cr);
    Canvas::RoundedRectOn(cr, kX + 4, kY + 4, kW, kH, 4);
    canvas.SetColor(Rgba::Hex(0x5C3A1A));
    cairo_fill(cr);
    cairo_new_path(cr);
    Canvas::RoundedRectOn(cr, kX + 3, kY + 3, kW - 1, kH - 1, 3);
    canvas.SetColor(Ui::kCream);
    cairo_fill(cr);
    for (int line = 0; line < 3; ++line) {
        cairo_new_path(cr);
        cairo_move_to(cr, kX + kW + 0.5 + line * 0.8, kY + 6);
        cairo_line_to(cr, kX + kW + 0.5 + line * 0.8, kY + kH);
        cairo_move_to(cr, kX + 6, kY + kH + 0.5 + line * 0.8);
        cairo_line_to(cr, kX + kW, kY + kH + 0.5 + line * 0.8);
    }
    canvas.SetColor(Ui::kPaperShade);
    cairo_set_line_width(cr, 0.5);
    cairo_stroke(cr);
    // The ribbon hanging out at the bottom.
    cairo_new_path(cr);
    cairo_move_to(cr, kX + 40, kY + kH - 4);
    cairo_line_to(cr, kX + 46, kY + kH - 4);
    cairo_line_to(cr, kX + 47, kY + kH + 10);
    cairo_line_to(cr, kX + 43.5, kY + kH + 7);
    cairo_line_to(cr, kX + 40, kY + kH + 10);
    cairo_close_path(cr);
    canvas.SetColor(Rgba::Hex(0xC23434));
    cairo_fill(cr);
    // The cover.
    const Shape cover = Box(kX, kY, kW, kH, 4);
    cairo_new_path(cr);
    cover(cr);
    canvas.SetRadialGradient(kX + kW * 0.35, kY + kH * 0.3, kH, Rgba::Hex(0xA86A3A), Rgba::Hex(0x5A3216));
    cairo_fill(cr);
    // The spine's fold and stitching along the rim.
    cairo_new_path(cr);
    cairo_rectangle(cr, kX, kY, 8, kH);
    canvas.SetColor(Rgba{0, 0, 0, 0.18});
    cairo_fill(cr);
    cairo_new_path(cr);
    Canvas::RoundedRectOn(cr, kX + 11, kY + 3.5, kW - 14.5, kH - 7, 2.5);
    const double dashes[] = {2.5, 2};
    cairo_set_dash(cr, dashes, 2, 0);
    canvas.SetColor(Rgba::Hex(0xE8D0A0, 0.7));
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    // Gold corners on the outer edge.
    for (const double cy : {kY, kY + kH}) {
        const double dy = cy == kY ? 1 : -1;
        cairo_new_path(cr);
        cairo_move_to(cr, kX + kW, cy);
        cairo_line_to(cr, kX + kW - 11, cy);
        cairo_line_to(cr, kX + kW, cy + dy * 11);
        cairo_close_path(cr);
        canvas.SetRadialGradient(kX + kW - 3, cy + dy * 3, 10, GoldAt(0.95), GoldAt(0.3));
        cairo_fill(cr);
    }
    // The pressed leaf on a small paper label.
    cairo_new_path(cr);
    Canvas::RoundedRectOn(cr, kX + 18, kY + 14, 34, 26, 3);
    canvas.SetColor(Ui::kPaper);
    cairo_fill_preserve(cr);
    canvas.SetColor(Rgba::Hex(0x5C3A1A));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    canvas.Emoji("\U0001F33F", kX + 35, kY + 27, 20);
    // The band across the cover.
    cairo_new_path(cr);
    cairo_rectangle(cr, kX + kW - 14, kY - 0.5, 5, kH + 1);
    canvas.SetColor(Rgba::Hex(0x2A1A10));
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, kX + kW - 13, kY);
    cairo_line_to(cr, kX + kW - 13, kY + kH);
    canvas.SetColor(Rgba{1, 1, 1, 0.2});
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_new_path(cr);
    cover(cr);
    canvas.SetColor(Rgba::Hex(0x2A1A10));
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// ---------------------------------------------------------------------------------------
// The help pages' pictures of the game screen

// Jane's files as the game screen shows them, in small: the left panel with the habitat's
// name, the score, three goals (one ticked, two part way) and the mode with its icon.
void PaintHelpFiles(const RecipeBook& book, Canvas& canvas, const Cell& cell)
{
    cairo_t* const cr = canvas.Cr();
    // The panel without the shadow under its bottom edge.
    constexpr double kPanelWidth = 250;
    constexpr double kPanelHeight = 372;
    Canvas panel(static_cast<int>(kPanelWidth), static_cast<int>(kPanelHeight));
    book.PaintInto("IMAGE_GAME_ELEMENTS_HOLDER", panel, 0, 0);
    book.PaintInto("IMAGE_GAME_AMAZON_LABEL", panel, 85, 20);
    book.PaintInto("IMAGE_GAME_SCORE_LABEL", panel, 25, 60);
    const std::string score = "000012750";
    const double digitWidth = book.Get("IMAGE_GAME_NUM_0").mWidth;
    for (size_t slot = 0; slot < score.size(); ++slot)
        book.PaintInto(std::string("IMAGE_GAME_NUM_") + score[slot], panel, 120 + digitWidth * slot, 63);
    const char* const goals[] = {"IMAGE_TILE_MACAW", "IMAGE_TILE_CAPYBARA", "IMAGE_TILE_FRUITS"};
    const double filled[] = {1, 0.6, 0.25};
    for (int row = 0; row < 3; ++row) {
        constexpr double kTileScale = 0.65;
        book.PaintInto(goals[row], panel, 45 - 43 * kTileScale, 120 + 62 * row - 43 * kTileScale, kTileScale);
        if (filled[row] >= 1) {
            book.PaintInto("IMAGE_GAME_GOAL_CHECK", panel, 115, 100 + 60 * row);
            continue;
        }
        const double y = 105 + 62 * row;
        book.PaintInto("IMAGE_GAME_GOAL_PROGRESS_BAR_BASE", panel, 80, y);
        cairo_save(panel.Cr());
        cairo_rectangle(panel.Cr(), 80, y, 150 * filled[row], 30);
        cairo_clip(panel.Cr());
        book.PaintInto("IMAGE_GAME_GOAL_PROGRESS_BAR_FULL", panel, 80, y);
        cairo_restore(panel.Cr());
    }
    TextStyle label;
    label.mFont = FontStyle::SANS_BOLD;
    label.mSize = 12;
    label.mFill = Rgba::Hex(0x244200);
    panel.Text(book.Text("LABEL_FOODCHAIN"), 30, 325, Align::LEFT, label);
    book.PaintInto("IMAGE_GAME_SM_FOODCHAIN", panel, 152, 285);

    // The panel's top and left edges run off the screen; here they are cut off square, so the
    // small copy is laid on a card like a cutting pinned into the files.
    // The card leaves room above it for the clip that holds it.
    constexpr double kCardTop = 10;
    const double cardBottom = cell.mHeight - 6;
    const double scale = (cardBottom - kCardTop - 6) / kPanelHeight;
    const double width = kPanelWidth * scale;
    const double x = (cell.mWidth - width) / 2;
    const Shape cutting = Box(x - 4, kCardTop, width + 8, cardBottom - kCardTop, 3);
    canvas.SoftShape(cutting, 5, 1, 3, Rgba{0.12, 0.07, 0.02, 0.5});
    cairo_new_path(cr);
    cutting(cr);
    canvas.SetColor(Rgba::Hex(0xFFFDF6));
    cairo_fill_preserve(cr);
    canvas.SetColor(Rgba::Hex(0xBFAE88));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    canvas.PaintPicture(panel, x, kCardTop + 3, scale);
    PaperClip(canvas, x + width * 0.08, kCardTop);
}

// The sample tubes along the bottom of the game screen, in small and part full, with the
// creatures that fill them dropping in and a star where they are full.
void PaintTubesTutorial(const RecipeBook& book, Canvas& canvas)
{
    cairo_t* const cr = canvas.Cr();
    const Recipe& bar = book.Get("IMAGE_GAME_PROGRESS_BAR_BASE");
    // The bar is shortened by joining its two ends: its groove and its stripes are the same all
    // along, and the part cut out is a whole number of stripes (14 pixels) long.
    constexpr double kShort = 266;
    constexpr double kX = 50;
    constexpr double kFilled = 0.62;
    const double y = 44 - bar.mHeight / 2.0;
    const auto shortBar = [&](const std::string& id) {
        for (const bool left : {true, false}) {
            cairo_save(cr);
            cairo_new_path(cr);
            cairo_rectangle(cr, left ? kX : kX + kShort / 2, y, kShort / 2, bar.mHeight);
            cairo_clip(cr);
            book.PaintInto(id, canvas, left ? kX : kX + kShort - bar.mWidth, y);
            cairo_restore(cr);
        }
    };
    shortBar("IMAGE_GAME_PROGRESS_BAR_BASE");
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, kX, y, kShort * kFilled, bar.mHeight);
    cairo_clip(cr);
    shortBar("IMAGE_GAME_PROGRESS_BAR_FULL");
    cairo_restore(cr);
    // A test tube at the start, the creatures dropping into the filled end, a star at the end.
    canvas.SoftShape(Oval(22, 62, 9, 2.5), 3, 0, 0, Rgba{0.15, 0.08, 0, 0.35});
    cairo_save(cr);
    cairo_translate(cr, 24, 37);
    cairo_rotate(cr, -0.55);
    canvas.Emoji("\U0001F9EA", 0, 0, 50);
    cairo_restore(cr);
    const double end = kX + kShort * kFilled;
    const char* const creatures[] = {"\U0001F412", "\U0001F99C", "\U0001F406"};
    for (int i = 0; i < 3; ++i) {
        const double cx = end - 40 + 22 * i;
        const double cy = 14 + (i == 1 ? -2 : 2);
        cairo_new_path(cr);
        cairo_move_to(cr, cx, cy + 10);
        cairo_curve_to(cr, cx + 2, cy + 16, end - 8 + 4 * i, y - 6, end - 6 + 3 * i, y);
        const double dots[] = {0.1, 3.2};
        cairo_set_dash(cr, dots, 2, 0);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        canvas.SetColor(Ui::kWood.WithAlpha(0.8));
        cairo_set_line_width(cr, 1.8);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
        canvas.Emoji(creatures[i], cx, cy, 22);
    }
    cairo_new_path(cr);
    canvas.Star(kX + kShort + 2, 44, 5, 11, 5);
    canvas.SetRadialGradient(kX + kShort, 40, 12, GoldAt(1), GoldAt(0.35));
    cairo_fill_preserve(cr);
    canvas.SetColor(Rgba::Hex(0x5C3A06));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

} // namespace

void AddFieldKitRecipes(RecipeBook& book)
{
    book.Add("IMAGE_GAME_TESTTUBES", 100, 92, [](Canvas& canvas, const Cell&) { PaintTestTubes(canvas); });
    book.Add("IMAGE_GAME_DIARY", 100, 92, [](Canvas& canvas, const Cell&) { PaintDiary(canvas); });
    // The backpack that the panel shows, in small.
    book.Add("IMAGE_GAME_BACKPACK_SMALL", 100, 92, [&book](Canvas& canvas, const Cell& cell) {
        const Recipe& backpack = book.Get("IMAGE_GAME_BACKPACK");
        const double scale = (cell.mHeight - 2.0) / backpack.mHeight;
        book.PaintInto("IMAGE_GAME_BACKPACK", canvas, (cell.mWidth - backpack.mWidth * scale) / 2, 1, scale);
    });
    book.Add("IMAGE_GAME_HELP_FILES", 220, 260, [&book](Canvas& canvas, const Cell& cell) { PaintHelpFiles(book, canvas, cell); });
    book.Add("IMAGE_GAME_TUBES_TUTORIAL", 330, 70,
             [&book](Canvas& canvas, const Cell&) { PaintTubesTutorial(book, canvas); });
}

} // namespace Content::HudArt
