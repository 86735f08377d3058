// Marks over and under the board's tiles: the hint's golden glow round a tile and the
// survivor game's marks of a lost and a rescued creature.

#include "tools/content/HudArt.h"
#include "tools/content/HudTileArt.h"
#include "tools/content/Palette.h"
#include "tools/content/Recipe.h"
#include "tools/content/Shapes.h"

namespace Content::HudArt {

namespace {

// A lost creature lies on grey, a rescued one on green.
const PlateLook kLostPlate{Rgba::Hex(0xB4AEBE), Rgba::Hex(0x6C6480), Rgba::Hex(0x3A3448, 0.85)};
const PlateLook kRescuedPlate{Rgba::Hex(0xC8F2B4), Rgba::Hex(0x4FA655), Rgba::Hex(0x24602A, 0.85)};

// ---- the hint glow ----

// A golden glow round a tile, centred on the tile's centre. The tile is drawn over it, so only
// its rim shows round the tile; drawn over a burning web in red, all of it shows.
void PaintHintGlow(Canvas& canvas, const Cell& cell)
{
    const double cx = cell.mWidth / 2.0;
    const double cy = cell.mHeight / 2.0;
    // The halo reaches from the tile's plate to the picture's edge.
    const double halo = cell.mWidth / 2.0 - 4;
    const Shape outer = Box(cx - halo, cy - halo, 2 * halo, 2 * halo, kPlateRadius + 6);
    canvas.SoftShape(outer, 6, 0, 0, GoldAt(0.78));
    canvas.SoftShape(outer, 10, 0, 0, GoldAt(0.9).WithAlpha(0.7));
    const double rim = kPlateSide / 2 + 3;
    const Shape ring = Box(cx - rim, cy - rim, 2 * rim, 2 * rim, kPlateRadius + 3);
    canvas.SoftShape(ring, 4, 0, 0, Rgba::Hex(0xFFF6C8));
    canvas.SetRadialGradient(cx, cy, rim * 1.3, Rgba::Hex(0xFFF6C8, 0.6), GoldAt(0.9).WithAlpha(0.5));
    FillShape(canvas, ring);
    StrokeShapeRounded(canvas, ring, 2.5, Rgba::Hex(0xFFFBE6));
}

// ---- survivor game marks ----

// A paw print centred on (cx, cy), `size` across.
Shape PawPrint(const double cx, const double cy, const double size)
{
    return [=](cairo_t* cr) {
        const double s = size / 2;
        Canvas::EllipseOn(cr, cx, cy + s * 0.38, s * 0.5, s * 0.42);
        const double toes[4][2] = {{-0.62, -0.12}, {-0.24, -0.5}, {0.24, -0.5}, {0.62, -0.12}};
        for (const auto& toe : toes)
            Canvas::EllipseOn(cr, cx + toe[0] * s, cy + toe[1] * s, s * 0.19, s * 0.24);
    };
}

// A lost creature's tile: grey, its paw print faded and crossed out.
void PaintAnimalLost(Canvas& canvas, const Cell&)
{
    Plate(canvas, kLostPlate);
    cairo_t* const cr = canvas.Cr();
    const Shape paw = PawPrint(43, 44, 52);
    cairo_save(cr);
    cairo_translate(cr, 0, 1.2);
    canvas.SetColor(Rgba::Hex(0x2E2838, 0.6));
    FillShape(canvas, paw);
    cairo_restore(cr);
    canvas.SetColor(Rgba::Hex(0xDAD4E2));
    FillShape(canvas, paw);
    const Shape cross = [](cairo_t* target) {
        cairo_move_to(target, 22, 22);
        cairo_line_to(target, 64, 64);
        cairo_move_to(target, 64, 22);
        cairo_line_to(target, 22, 64);
    };
    StrokeShadow(canvas, cross, 6.5, 3, 1.5, 0.45);
    StrokeShapeRounded(canvas, cross, 6.5, Rgba::Hex(0x8E1A14));
    StrokeShapeRounded(canvas, cross, 4, Rgba::Hex(0xE8503E));
}

// A saved creature's cell: a green plate the width of the board's cell plates, a white paw
// print and a gold check.
void PaintAnimalRescued(Canvas& canvas, const Cell& cell)
{
    cairo_t* const cr = canvas.Cr();
    // The tile's place within the wider cell picture.
    cairo_save(cr);
    cairo_translate(cr, (cell.mWidth - kTile) / 2.0, (cell.mHeight - kTile) / 2.0);
    Plate(canvas, kRescuedPlate);
    const Shape paw = PawPrint(40, 46, 48);
    canvas.SoftShape(paw, 3, 0, 1.5, Rgba::Hex(0x1A4A1E, 0.6));
    canvas.SetColor(Rgba::Hex(0xFFFFFF));
    FillShape(canvas, paw);
    // The check in a gold badge at the lower right.
    const Shape badge = Oval(64, 62, 13, 13);
    canvas.SoftShape(badge, 3, 0, 1.5, Rgba{0, 0, 0, 0.45});
    SetLinear(canvas, 51, 49, 77, 75, {{0, GoldAt(0.97)}, {0.5, GoldAt(0.72)}, {1, GoldAt(0.42)}});
    FillShape(canvas, badge);
    StrokeShapeRounded(canvas, badge, 1, GoldAt(0.2));
    const Shape check = [](cairo_t* target) {
        cairo_move_to(target, 57.5, 62.5);
        cairo_line_to(target, 62.5, 67.5);
        cairo_line_to(target, 71, 56.5);
    };
    StrokeShapeRounded(canvas, check, 4, Rgba::Hex(0x1E5A22));
    StrokeShapeRounded(canvas, check, 2, Rgba::Hex(0x7EE07A));
    cairo_restore(cr);
}

} // namespace

void AddTileMarkRecipes(RecipeBook& book)
{
    book.Add("IMAGE_GAME_ANIMAL_DEAD", kTile, kTile, PaintAnimalLost);
    // Drawn under the tiles at the place of a cell's plate, 7 pixels wider on each side.
    book.Add("IMAGE_GAME_ANIMAL_RESCUED", kTile + 14, kTile, PaintAnimalRescued);
    // Centred on a tile, larger than it so that its rim shows round the tile.
    book.Add("IMAGE_GAME_HINT_GOLD", 100, 100, PaintHintGlow);
}

} // namespace Content::HudArt
