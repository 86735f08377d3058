// Full-screen pictures: the title, the company logo, the menus' backgrounds, the play
// screen of each habitat with the frame around its board, the mini-game scenery, the food
// web, the credits and the world map.

#include "tools/content/Landscape.h"
#include "tools/content/Recipe.h"
#include "tools/content/Shapes.h"
#include "tools/content/WorldMap.h"

#include <cmath>
#include <numbers>

namespace Content {

namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

// Where the board lies on the play screen.
constexpr double kBoardX = 256;
constexpr double kBoardY = 16;
constexpr double kBoardSize = 532;

struct HabitatScene {
    const char* mName;
    HabitatLook mLook;
    // Emoji strewn around the board's frame.
    const char* mDecorations[3];
};

const HabitatScene kHabitats[] = {
    {"AMAZON", HabitatLook::AMAZON, {"\U0001F33F", "\U0001F343", "\U0001F33A"}},
    {"GRANDCANYON", HabitatLook::GRAND_CANYON, {"\U0001F335", "\U0001FAA8", "\U0001F33C"}},
    {"ALASKA", HabitatLook::ALASKA, {"\U0001F332", "\U0001F344", "\U0001FAB5"}},
    {"ARCTIC", HabitatLook::ARCTIC, {"\u2744\uFE0F", "\U0001F9CA", "\u2744\uFE0F"}},
};

// A strip along the bottom edge that keeps light small print readable.
void BottomBand(Canvas& canvas, const double height, const double alpha)
{
    canvas.SetVerticalGradient(kScreenHeight - height, kScreenHeight, Rgba{0, 0, 0, 0}, Rgba{0.05, 0.08, 0.04, alpha});
    cairo_rectangle(canvas.Cr(), 0, kScreenHeight - height, kScreenWidth, height);
    cairo_fill(canvas.Cr());
}

// The game's emblem: a globe of leaf-green continents on blue water, ringed by leaves.
void Emblem(Canvas& canvas, const double cx, const double cy, const double radius)
{
    cairo_t* const cr = canvas.Cr();
    canvas.SoftShape(Oval(cx, cy + 4, radius, radius), 12, 0, 0, Rgba{0, 0, 0, 0.45});
    canvas.Ellipse(cx, cy, radius, radius);
    canvas.SetRadialGradient(cx - radius * 0.35, cy - radius * 0.35, radius * 1.4, Rgba::Hex(0x8FD6F5),
                             Rgba::Hex(0x1F6FA8));
    cairo_fill(cr);
    cairo_save(cr);
    canvas.Ellipse(cx, cy, radius, radius);
    cairo_clip(cr);
    // Continents as soft blobs.
    const double blobs[][4] = {{-0.45, -0.25, 0.42, 0.3}, {-0.2, 0.35, 0.22, 0.38}, {0.35, -0.2, 0.35, 0.25},
                               {0.45, 0.3, 0.25, 0.3}, {0.0, -0.7, 0.5, 0.15}};
    for (const auto& blob : blobs) {
        canvas.Ellipse(cx + blob[0] * radius, cy + blob[1] * radius, blob[2] * radius, blob[3] * radius);
        canvas.SetRadialGradient(cx + blob[0] * radius, cy + blob[1] * radius, blob[2] * radius * 1.4,
                                 Rgba::Hex(0x9BE07A), Rgba::Hex(0x3E9A48));
        cairo_fill(cr);
    }
    cairo_restore(cr);
    // Shine.
    canvas.Ellipse(cx - radius * 0.3, cy - radius * 0.45, radius * 0.45, radius * 0.22);
    canvas.SetColor(Rgba{1, 1, 1, 0.35});
    cairo_fill(cr);
    canvas.Ellipse(cx, cy, radius, radius);
    canvas.SetColor(Rgba::Hex(0x0F3D5A));
    cairo_set_line_width(cr, radius * 0.05);
    cairo_stroke(cr);
    canvas.Emoji("\U0001F343", cx - radius * 0.95, cy + radius * 0.6, radius * 0.7);
    canvas.Emoji("\U0001F33F", cx + radius * 0.95, cy + radius * 0.6, radius * 0.7);
}

void GameName(Canvas& canvas, const double cx, const double baseline, const double size)
{
    TextStyle style;
    style.mFont = FontStyle::SERIF_BOLD;
    style.mSize = size;
    style.mFill = Rgba::Hex(0xE9FFB8);
    style.mGradient = true;
    style.mFillBottom = Rgba::Hex(0x5DBB3A);
    style.mOutlineWidth = size * 0.12;
    style.mOutline = Rgba::Hex(0x1E4A16);
    style.mShadowBlur = size * 0.2;
    style.mShadowOffset = size * 0.06;
    style.mShadowAlpha = 0.6;
    canvas.Text("GreenAtlas", cx, baseline, Align::CENTRE, style);
}

void Subtitle(Canvas& canvas, const std::string& text, const double cx, const double baseline, const double size)
{
    TextStyle style;
    style.mFont = FontStyle::SERIF_ITALIC;
    style.mSize = size;
    style.mFill = Ui::kCream;
    style.mShadowBlur = 4;
    style.mShadowOffset = 1.5;
    style.mShadowAlpha = 0.8;
    canvas.Text(text, cx, baseline, Align::CENTRE, style);
}

void PaintTitle(Canvas& canvas)
{
    PaintLandscape(canvas, HabitatLook::AMAZON, kScreenWidth, kScreenHeight);
    PaintVignette(canvas, kScreenWidth, kScreenHeight, 0.45);
    // A parade of the habitats' animals along the bottom of the scene.
    const char* const animals[] = {"\U0001F406", "\U0001F99C", "\U0001F985", "\U0001F98A", "\U0001F43B\u200D\u2744\uFE0F",
                                   "\U0001F40B", "\U0001FACE", "\U0001F412"};
    for (int i = 0; i < 8; ++i) {
        const double x = 70 + i * 94;
        const double y = 372 + 16 * std::sin(i * 1.3);
        canvas.SoftShape(Oval(x, y + 40, 34, 7), 6, 0, 0, Rgba{0, 0, 0, 0.35});
        canvas.Emoji(animals[i], x, y, 72);
    }
    Emblem(canvas, kScreenWidth / 2.0, 112, 66);
    GameName(canvas, kScreenWidth / 2.0, 262, 84);
    Subtitle(canvas, "A journey through the food chains of the wild", kScreenWidth / 2.0, 296, 22);
    BottomBand(canvas, 190, 0.75);
}

void PaintCompanyLogo(Canvas& canvas)
{
    canvas.SetRadialGradient(kScreenWidth / 2.0, kScreenHeight / 2.0, kScreenWidth * 0.6, Rgba::Hex(0x1E4A2E),
                             Rgba::Hex(0x081A10));
    cairo_paint(canvas.Cr());
    Emblem(canvas, kScreenWidth / 2.0, 230, 90);
    TextStyle style;
    style.mFont = FontStyle::SANS_BOLD;
    style.mSize = 40;
    style.mFill = Ui::kCream;
    style.mShadowBlur = 8;
    canvas.Text("GreenAtlas Team", kScreenWidth / 2.0, 390, Align::CENTRE, style);
    Subtitle(canvas, "games about the living world", kScreenWidth / 2.0, 425, 20);
}

void PaintPublisherLogo(Canvas& canvas)
{
    cairo_t* const cr = canvas.Cr();
    canvas.RoundedRect(4, 4, 312, 112, 18);
    canvas.SetVerticalGradient(4, 116, Ui::kPaper, Ui::kPaperShade);
    cairo_fill_preserve(cr);
    canvas.SetColor(Ui::kWood);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    Emblem(canvas, 62, 60, 38);
    TextStyle style;
    style.mFont = FontStyle::SERIF_BOLD;
    style.mSize = 26;
    style.mFill = Ui::kLeafDark;
    canvas.Text("Field Notes", 210, 58, Align::CENTRE, style);
    style.mFont = FontStyle::SANS;
    style.mSize = 14;
    style.mFill = Ui::kInk;
    canvas.Text("Publishing", 210, 82, Align::CENTRE, style);
}

// The main menu: the scenery, the name at the top, a wooden sign on the left for the
// welcome and the change-profile button, and a soft column behind the buttons.
void PaintMenu(Canvas& canvas)
{
    cairo_t* const cr = canvas.Cr();
    PaintLandscape(canvas, HabitatLook::ALASKA, kScreenWidth, kScreenHeight);
    PaintVignette(canvas, kScreenWidth, kScreenHeight, 0.4);
    Emblem(canvas, 120, 95, 52);
    GameName(canvas, 470, 130, 72);
    Subtitle(canvas, "Explore, match and learn who eats whom", 470, 165, 20);
    // A wooden board behind the six buttons (x 300 to 500, a row of 50 from y 215, each
    // button's plate in the upper 30 pixels of its row), on two posts; a seam between rows.
    for (const double post : {318.0, 470.0}) {
        cairo_rectangle(cr, post, 480, 12, 120);
        canvas.SetVerticalGradient(480, kScreenHeight, Ui::kWoodDark, Ui::kWoodDark.Lighter(-0.4));
        cairo_fill(cr);
    }
    canvas.SoftShape(Box(284, 200, 232, 310, 18), 16, 0, 6, Rgba{0, 0, 0, 0.5});
    canvas.RoundedRect(284, 200, 232, 310, 18);
    canvas.SetVerticalGradient(200, 510, Ui::kWood.Lighter(0.1), Ui::kWoodDark);
    cairo_fill(cr);
    for (int row = 1; row < 6; ++row) {
        cairo_rectangle(cr, 290, 205 + row * 50, 220, 1.5);
        canvas.SetColor(Ui::kWoodDark.Lighter(-0.3).WithAlpha(0.6));
        cairo_fill(cr);
    }
    canvas.RoundedRect(286, 202, 228, 306, 16);
    canvas.SetColor(Ui::kWood.Lighter(0.35).WithAlpha(0.7));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // The sign: a post and a board for the welcome line and the player's name.
    cairo_rectangle(cr, 84, 300, 12, 160);
    canvas.SetColor(Ui::kWoodDark);
    cairo_fill(cr);
    canvas.SoftShape(Box(14, 250, 152, 104, 12), 10, 2, 5, Rgba{0, 0, 0, 0.5});
    canvas.RoundedRect(14, 250, 152, 104, 12);
    canvas.SetVerticalGradient(250, 354, Ui::kPaper, Ui::kPaperShade);
    cairo_fill_preserve(cr);
    canvas.SetColor(Ui::kWood);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    BottomBand(canvas, 60, 0.8);
}

// The play screen behind the board: the scenery, a calm panel on the left for the score and
// goals, and a shaded tray under the board so the tiles stand out.
void PaintHabitatBack(Canvas& canvas, const HabitatLook look)
{
    cairo_t* const cr = canvas.Cr();
    const HabitatPalette& palette = PaletteOf(look);
    PaintLandscape(canvas, look, kScreenWidth, kScreenHeight);
    canvas.SoftShape(Box(kBoardX - 6, kBoardY - 6, kBoardSize + 12, kBoardSize + 12, 16), 16, 0, 6,
                     Rgba{0, 0, 0, 0.55});
    canvas.RoundedRect(kBoardX - 6, kBoardY - 6, kBoardSize + 12, kBoardSize + 12, 16);
    canvas.SetVerticalGradient(kBoardY, kBoardY + kBoardSize, palette.mDeep.WithAlpha(0.72), palette.mDeep.Lighter(-0.3).WithAlpha(0.82));
    cairo_fill(cr);
    // A faint grid of the 6 x 6 cells.
    for (int row = 0; row < 6; ++row)
        for (int column = 0; column < 6; ++column) {
            canvas.RoundedRect(kBoardX + column * 89 - 4, kBoardY + row * 89 + 2, 84, 84, 12);
            canvas.SetColor(palette.mLight.WithAlpha(0.1));
            cairo_fill(cr);
        }
    // The left panel's ground.
    canvas.SetVerticalGradient(0, kScreenHeight, Rgba{0, 0, 0, 0.25}, Rgba{0, 0, 0, 0.45});
    cairo_rectangle(cr, 0, 0, 244, kScreenHeight);
    cairo_fill(cr);
}

// Over the board: a frame around it and a few of the habitat's plants below it. The tiles
// and the buttons on the left stay clear.
void PaintHabitatTop(Canvas& canvas, const HabitatScene& habitat)
{
    cairo_t* const cr = canvas.Cr();
    const HabitatPalette& palette = PaletteOf(habitat.mLook);
    // Tiles reach from x 250 to 781 and from y 16 to 547; the frame lies just outside.
    constexpr double kLeft = 240;
    constexpr double kTop = 5;
    constexpr double kRight = 798;
    constexpr double kBottom = 558;
    constexpr double kBorder = 6;
    const auto ring = [&](cairo_t* target) {
        cairo_set_fill_rule(target, CAIRO_FILL_RULE_EVEN_ODD);
        Canvas::RoundedRectOn(target, kLeft, kTop, kRight - kLeft, kBottom - kTop, 16);
        Canvas::RoundedRectOn(target, kLeft + kBorder, kTop + kBorder, kRight - kLeft - 2 * kBorder,
                              kBottom - kTop - 2 * kBorder, 11);
    };
    canvas.SoftShape(ring, 6, 0, 2, Rgba{0, 0, 0, 0.5});
    ring(cr);
    canvas.SetVerticalGradient(kTop, kBottom, palette.mMain.Lighter(0.3), palette.mDeep);
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    canvas.RoundedRect(kLeft + 1, kTop + 1, kRight - kLeft - 2, kBottom - kTop - 2, 15);
    canvas.SetColor(palette.mLight.WithAlpha(0.6));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // Plants on the frame's lower corners, clear of the tiles and of the progress bar below.
    const double plants[][3] = {{250, 552, 30}, {276, 562, 20}, {770, 562, 20}, {790, 550, 30}};
    for (int i = 0; i < 4; ++i) {
        canvas.SoftShape(Oval(plants[i][0], plants[i][1] + plants[i][2] * 0.4, plants[i][2] * 0.4, 5),
                         6, 0, 0, Rgba{0, 0, 0, 0.35});
        canvas.Emoji(habitat.mDecorations[i % 3], plants[i][0], plants[i][1], plants[i][2]);
    }
}

// The mini-game's scenery: the habitat from further away, with room at the top for the
// shots left and a ground at the bottom where the cannon and the bears stand.
void PaintMiniGame(Canvas& canvas, const HabitatLook look)
{
    cairo_t* const cr = canvas.Cr();
    const HabitatPalette& palette = PaletteOf(look);
    PaintLandscape(canvas, look, kScreenWidth, kScreenHeight);
    canvas.SetVerticalGradient(0, 80, Rgba{0, 0, 0, 0.35}, Rgba{0, 0, 0, 0});
    cairo_rectangle(cr, 0, 0, kScreenWidth, 80);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 572, kScreenWidth, 28);
    canvas.SetVerticalGradient(572, kScreenHeight, palette.mMain.Lighter(0.2), palette.mDeep);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 570, kScreenWidth, 3);
    canvas.SetColor(palette.mLight.WithAlpha(0.7));
    cairo_fill(cr);
}

// The food web: a page of the naturalist's notebook. The left column holds the creature's
// text, the right part its rows of tiles, the foot a hint.
void PaintFoodWeb(Canvas& canvas)
{
    cairo_t* const cr = canvas.Cr();
    canvas.SetVerticalGradient(0, kScreenHeight, Ui::kPaper.Lighter(0.3), Ui::kPaper);
    cairo_paint(cr);
    // Squared paper.
    for (int line = 0; line * 24 < kScreenWidth; ++line) {
        cairo_rectangle(cr, line * 24, 0, 1, kScreenHeight);
        cairo_rectangle(cr, 0, line * 24, kScreenWidth, 1);
    }
    canvas.SetColor(Rgba::Hex(0x9CC3A0, 0.25));
    cairo_fill(cr);
    // A margin line and a green heading band.
    cairo_rectangle(cr, 272, 0, 2, kScreenHeight);
    canvas.SetColor(Rgba::Hex(0xC0504D, 0.5));
    cairo_fill(cr);
    canvas.SetVerticalGradient(0, 64, Rgba::Hex(0xBFE3A8), Rgba::Hex(0xBFE3A8, 0));
    cairo_rectangle(cr, 0, 0, kScreenWidth, 64);
    cairo_fill(cr);
    // Leaves in the corners.
    canvas.Emoji("\U0001F33F", 30, 30, 44);
    canvas.Emoji("\U0001F343", 770, 575, 40);
    canvas.Emoji("\U0001F41E", 250, 560, 26);
    PaintVignette(canvas, kScreenWidth, kScreenHeight, 0.18);
}

// The credits: the arctic night, with a sage board in the middle where the lines scroll
// (light lines and dark red headings both read on its middle tone).
void PaintCredits(Canvas& canvas)
{
    cairo_t* const cr = canvas.Cr();
    PaintLandscape(canvas, HabitatLook::ARCTIC, kScreenWidth, kScreenHeight);
    const Shape board = Box(170, 172, 460, 300, 22);
    canvas.SoftShape(board, 18, 0, 8, Rgba{0, 0, 0, 0.55});
    board(cr);
    canvas.SetVerticalGradient(172, 472, Rgba::Hex(0x7E9C78), Rgba::Hex(0x5E7E5A));
    cairo_fill(cr);
    canvas.RoundedRect(176, 178, 448, 288, 18);
    canvas.SetColor(Ui::kCream.WithAlpha(0.5));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    Emblem(canvas, kScreenWidth / 2.0, 70, 40);
    GameName(canvas, kScreenWidth / 2.0, 150, 44);
}

} // namespace

void AddSceneRecipes(RecipeBook& book)
{
    book.Add("IMAGE_TITLE_BACKGROUND", kScreenWidth, kScreenHeight, [](Canvas& canvas, const Cell&) { PaintTitle(canvas); });
    book.Add("IMAGE_TITLE_COMPANY_LOGO", kScreenWidth, kScreenHeight,
             [](Canvas& canvas, const Cell&) { PaintCompanyLogo(canvas); });
    book.Add("IMAGE_TITLE_PUBLISHER_LOGO", 320, 120, [](Canvas& canvas, const Cell&) { PaintPublisherLogo(canvas); });
    book.Add("IMAGE_MENU_BACKGROUND", kScreenWidth, kScreenHeight, [](Canvas& canvas, const Cell&) { PaintMenu(canvas); });
    book.Add("IMAGE_GAME_FOODWEB_BACKGROUND", kScreenWidth, kScreenHeight,
             [](Canvas& canvas, const Cell&) { PaintFoodWeb(canvas); });
    book.Add("IMAGE_GAME_BACKGROUND_CREDITS", kScreenWidth, kScreenHeight,
             [](Canvas& canvas, const Cell&) { PaintCredits(canvas); });
    book.Add("IMAGE_GAME_GAMEMAP", kScreenWidth, kScreenHeight, [](Canvas& canvas, const Cell&) { PaintWorldMap(canvas); });
    for (const HabitatScene& habitat : kHabitats) {
        const std::string name = habitat.mName;
        book.Add("IMAGE_HABITAT_" + name + "_BACK", kScreenWidth, kScreenHeight,
                 [&habitat](Canvas& canvas, const Cell&) { PaintHabitatBack(canvas, habitat.mLook); });
        book.Add("IMAGE_HABITAT_" + name + "_TOP", kScreenWidth, kScreenHeight,
                 [&habitat](Canvas& canvas, const Cell&) { PaintHabitatTop(canvas, habitat); });
        book.Add("IMAGE_MINI_GAME_" + name, kScreenWidth, kScreenHeight,
                 [&habitat](Canvas& canvas, const Cell&) { PaintMiniGame(canvas, habitat.mLook); });
    }
}

} // namespace Content
