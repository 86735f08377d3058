// The power items. The torch, the water bucket and the shuffle coin each appear as a board
// tile, as a panel icon standing on its pile of rocks, and (torch and bucket) as the pointer
// while armed. The gold overlays of special tiles are struck like the shuffle coin.

#include "tools/content/HudArt.h"
#include "tools/content/HudTileArt.h"
#include "tools/content/Palette.h"
#include "tools/content/Recipe.h"
#include "tools/content/Shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Content::HudArt {

namespace {

constexpr double kPi = std::numbers::pi;

// Power items lie on warm parchment with a gold rim, set apart from the habitat-coloured
// creatures.
const PlateLook kItemPlate{Rgba::Hex(0xFFFBEA), Rgba::Hex(0xEED9A8), Rgba::Hex(0xA8731A, 0.85)};

const Rgba kWater = Rgba::Hex(0x3FA6E8);
const Rgba kWaterLight = Rgba::Hex(0xA8E4FF);

// The power items' plate: parchment with a gold rim, inside the dark edge, that catches the
// light at the top left.
void ItemPlate(Canvas& canvas)
{
    Plate(canvas, kItemPlate);
    cairo_t* const cr = canvas.Cr();
    cairo_new_path(cr);
    Canvas::RoundedRectOn(cr, kPlateInset + 1.5, kPlateInset + 1.5, kPlateSide - 3, kPlateSide - 3, kPlateRadius - 1.5);
    SetLinear(canvas, kPlateInset, kPlateInset, kTile - kPlateInset, kTile - kPlateInset,
              {{0, GoldAt(0.95)}, {0.35, GoldAt(0.72)}, {0.7, GoldAt(0.5)}, {1, GoldAt(0.3)}});
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
}

// ---- the torch ----

// A torch whose handle ends at (baseX, baseY) and leans by `angle` from upright (positive to
// the right), its handle `length` long. The flame burns upright whatever the lean.
void Torch(Canvas& canvas, const double baseX, const double baseY, const double length, const double angle,
           const double flameSize)
{
    cairo_t* const cr = canvas.Cr();
    const double bottomWidth = length * 0.12;
    const double topWidth = length * 0.2;
    const double topX = baseX + std::sin(angle) * length;
    const double topY = baseY - std::cos(angle) * length;

    // A warm light around the flame.
    canvas.SoftShape(Oval(topX, topY - flameSize * 0.3, flameSize * 0.45, flameSize * 0.5), flameSize * 0.35, 0, 0,
                     Rgba::Hex(0xFFB030, 0.55));

    cairo_save(cr);
    cairo_translate(cr, baseX, baseY);
    cairo_rotate(cr, angle);
    const Shape handle = [=](cairo_t* target) {
        RoundedPolygon(target,
                       {{-bottomWidth / 2, 0}, {bottomWidth / 2, 0}, {topWidth / 2, -length}, {-topWidth / 2, -length}},
                       bottomWidth * 0.4);
    };
    canvas.SoftShape(handle, 2, 1, 1.5, Rgba{0, 0, 0, 0.35});
    SetLinear(
        canvas, -topWidth / 2, 0, topWidth / 2, 0,
        {{0, Rgba::Hex(0x5A3414)}, {0.35, Rgba::Hex(0xB27A42)}, {0.6, Rgba::Hex(0x8A5A2B)}, {1, Rgba::Hex(0x4A2A10)}});
    FillShape(canvas, handle);
    StrokeShapeRounded(canvas, handle, 0.9, Rgba::Hex(0x3A200C));
    // A line of grain along the handle.
    StrokeShapeRounded(
        canvas,
        [=](cairo_t* target) {
            cairo_move_to(target, -bottomWidth * 0.1, -length * 0.1);
            cairo_curve_to(target, bottomWidth * 0.1, -length * 0.3, -topWidth * 0.15, -length * 0.5, topWidth * 0.05,
                           -length * 0.62);
        },
        0.7, Rgba::Hex(0x3A200C, 0.6));

    // Cloth wound round the head, in three bands.
    const double wrapTop = -length - topWidth * 0.35;
    const double wrapHeight = length * 0.26;
    const double wrapWidth = topWidth * 1.35;
    const Shape wrap = Box(-wrapWidth / 2, wrapTop, wrapWidth, wrapHeight, wrapWidth * 0.25);
    SetLinear(
        canvas, -wrapWidth / 2, 0, wrapWidth / 2, 0,
        {{0, Rgba::Hex(0x8C6A3C)}, {0.35, Rgba::Hex(0xF0DDB0)}, {0.7, Rgba::Hex(0xC9A66E)}, {1, Rgba::Hex(0x6E4E26)}});
    FillShape(canvas, wrap);
    cairo_save(cr);
    cairo_new_path(cr);
    wrap(cr);
    cairo_clip(cr);
    for (int band = 1; band < 3; ++band) {
        const double y = wrapTop + wrapHeight * band / 3.0;
        cairo_move_to(cr, -wrapWidth / 2, y + wrapWidth * 0.18);
        cairo_line_to(cr, wrapWidth / 2, y - wrapWidth * 0.18);
    }
    canvas.SetColor(Rgba::Hex(0x5A3E1C, 0.75));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_restore(cr);
    StrokeShapeRounded(canvas, wrap, 0.9, Rgba::Hex(0x4A3016));
    cairo_restore(cr);

    // The flame stands on the head of the torch.
    const double headX = baseX + std::sin(angle) * (length + topWidth * 0.2);
    const double headY = baseY - std::cos(angle) * (length + topWidth * 0.2);
    canvas.Emoji("🔥", headX, headY - flameSize * 0.38, flameSize);
}

void PaintTorchIcon(Canvas& canvas, const Cell&) { Torch(canvas, 21, 70, 36, 0.22, 34); }

void PaintTorchCursor(Canvas& canvas, const Cell&)
{
    // The flame's heart lies on the hot spot at the centre, the handle down to the right.
    Torch(canvas, 47, 60, 28, -0.5, 28);
}

void PaintTorchTile(Canvas& canvas, const Cell&)
{
    ItemPlate(canvas);
    GroundShadow(canvas, 46, 72, 16, 4);
    Torch(canvas, 50, 74, 38, -0.3, 36);
}

// ---- the bucket ----

// A wooden bucket full of water: its rim's centre at (cx, top), `width` across the rim.
void Bucket(Canvas& canvas, const double cx, const double top, const double width, const double height)
{
    cairo_t* const cr = canvas.Cr();
    const double rimRx = width / 2;
    const double rimRy = width * 0.16;
    const double bottomRx = width * 0.4;
    const double bottom = top + height;

    // The handle, an iron hoop laid back behind the bucket.
    const Shape handle = [=](cairo_t* target) {
        cairo_move_to(target, cx - rimRx * 0.98, top + height * 0.22);
        cairo_curve_to(target, cx - rimRx * 0.9, top - width * 0.42, cx + rimRx * 0.9, top - width * 0.42,
                       cx + rimRx * 0.98, top + height * 0.22);
    };
    StrokeShapeRounded(canvas, handle, 2.6, kIron);
    StrokeShapeRounded(canvas, handle, 0.8, kIronLight.WithAlpha(0.7));

    const Shape body = [=](cairo_t* target) {
        cairo_move_to(target, cx - rimRx, top);
        cairo_line_to(target, cx - bottomRx, bottom - rimRy * 0.8);
        cairo_curve_to(target, cx - bottomRx * 0.6, bottom + rimRy * 0.25, cx + bottomRx * 0.6, bottom + rimRy * 0.25,
                       cx + bottomRx, bottom - rimRy * 0.8);
        cairo_line_to(target, cx + rimRx, top);
        cairo_close_path(target);
    };
    canvas.SoftShape(body, 3, 1, 2, Rgba{0, 0, 0, 0.4});
    SetLinear(
        canvas, cx - rimRx, 0, cx + rimRx, 0,
        {{0, Rgba::Hex(0x5A3414)}, {0.3, Rgba::Hex(0xC08A52)}, {0.55, Rgba::Hex(0x9C6834)}, {1, Rgba::Hex(0x4A2A10)}});
    FillShape(canvas, body);
    // The staves' seams, converging towards the bottom.
    cairo_save(cr);
    cairo_new_path(cr);
    body(cr);
    cairo_clip(cr);
    for (int seam = -2; seam <= 2; ++seam) {
        const double t = seam / 2.6;
        cairo_move_to(cr, cx + t * rimRx, top);
        cairo_line_to(cr, cx + t * bottomRx, bottom + 1);
    }
    canvas.SetColor(Rgba::Hex(0x3A200C, 0.55));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    // Two iron hoops, curved like the rim.
    for (const double at : {0.3, 0.78}) {
        const double y = top + height * at;
        const double rx = rimRx + (bottomRx - rimRx) * at;
        const double sag = rimRy * (0.9 - 0.3 * at);
        const Shape hoop = [=](cairo_t* target) {
            cairo_move_to(target, cx - rx - 1, y);
            cairo_curve_to(target, cx - rx * 0.5, y + sag * 1.3, cx + rx * 0.5, y + sag * 1.3, cx + rx + 1, y);
        };
        StrokeShapeRounded(canvas, hoop, std::max(2.0, height * 0.1), kIron);
        cairo_save(cr);
        cairo_translate(cr, 0, -height * 0.025);
        StrokeShapeRounded(canvas, hoop, 0.7, kIronLight.WithAlpha(0.8));
        cairo_restore(cr);
    }
    cairo_restore(cr);
    StrokeShapeRounded(canvas, body, 1, Rgba::Hex(0x2E1808));

    // The rim and the water inside it.
    cairo_new_path(cr);
    Canvas::EllipseOn(cr, cx, top, rimRx, rimRy);
    canvas.SetColor(Rgba::Hex(0x4A2A10));
    cairo_fill(cr);
    cairo_new_path(cr);
    Canvas::EllipseOn(cr, cx, top + rimRy * 0.12, rimRx * 0.84, rimRy * 0.72);
    SetLinear(canvas, 0, top - rimRy, 0, top + rimRy, {{0, kWater.Lighter(-0.3)}, {0.6, kWater}, {1, kWaterLight}});
    cairo_fill(cr);
    StrokeShapeRounded(
        canvas,
        [=](cairo_t* target) {
            cairo_move_to(target, cx - rimRx * 0.45, top - rimRy * 0.05);
            cairo_curve_to(target, cx - rimRx * 0.2, top - rimRy * 0.35, cx + rimRx * 0.1, top - rimRy * 0.35,
                           cx + rimRx * 0.3, top - rimRy * 0.15);
        },
        std::max(1.0, width * 0.035), Rgba{1, 1, 1, 0.8});
    cairo_new_path(cr);
    Canvas::EllipseOn(cr, cx, top, rimRx, rimRy);
    canvas.SetColor(Rgba::Hex(0xC08A52));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

// A drop of water, its round end at (cx, cy).
void Drop(Canvas& canvas, const double cx, const double cy, const double radius)
{
    cairo_t* const cr = canvas.Cr();
    const Shape drop = [=](cairo_t* target) {
        cairo_new_sub_path(target);
        cairo_arc(target, cx, cy, radius, -kPi * 0.1, kPi * 1.1);
        cairo_line_to(target, cx, cy - radius * 2.3);
        cairo_close_path(target);
    };
    canvas.SetRadialGradient(cx - radius * 0.3, cy - radius * 0.4, radius * 1.8, kWaterLight, kWater);
    FillShape(canvas, drop);
    StrokeShapeRounded(canvas, drop, 0.8, kWater.Lighter(-0.45));
    cairo_new_path(cr);
    Canvas::EllipseOn(cr, cx - radius * 0.35, cy - radius * 0.2, radius * 0.22, radius * 0.35);
    canvas.SetColor(Rgba{1, 1, 1, 0.85});
    cairo_fill(cr);
}

void PaintBucketIcon(Canvas& canvas, const Cell&) { Bucket(canvas, 24, 14, 34, 23); }

void PaintBucketTile(Canvas& canvas, const Cell&)
{
    ItemPlate(canvas);
    GroundShadow(canvas, 43, 73, 20, 4);
    Bucket(canvas, 43, 38, 46, 33);
    Drop(canvas, 26, 24, 4);
    Drop(canvas, 58, 20, 3.2);
    Drop(canvas, 44, 14, 3.6);
}

// ---- the shuffle coin ----

// A curved arrow along a circle of `radius` round (cx, cy), from angle `from` to `to`
// (clockwise), its head at `to`.
Shape CircularArrow(const double cx, const double cy, const double radius, const double from, const double to,
                    const double thickness)
{
    return [=](cairo_t* cr) {
        const double inner = radius - thickness / 2;
        const double outer = radius + thickness / 2;
        const double headAngle = thickness * 1.1 / radius;
        const double shaftEnd = to - headAngle;
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy, outer, from, shaftEnd);
        cairo_line_to(cr, cx + (outer + thickness * 0.55) * std::cos(shaftEnd),
                      cy + (outer + thickness * 0.55) * std::sin(shaftEnd));
        cairo_line_to(cr, cx + radius * std::cos(to + headAngle * 0.6), cy + radius * std::sin(to + headAngle * 0.6));
        cairo_line_to(cr, cx + (inner - thickness * 0.55) * std::cos(shaftEnd),
                      cy + (inner - thickness * 0.55) * std::sin(shaftEnd));
        cairo_arc_negative(cr, cx, cy, inner, shaftEnd, from);
        cairo_close_path(cr);
    };
}

// A plain gold coin: a raised edge lit from the upper left round a face sunk within it.
void CoinBlank(Canvas& canvas, const double cx, const double cy, const double radius)
{
    const Shape coin = Oval(cx, cy, radius, radius);
    const double face = radius * 0.78;
    const Shape faceShape = Oval(cx, cy, face, face);
    canvas.SoftShape(coin, std::max(3.0, radius * 0.2), radius * 0.05, std::max(1.5, radius * 0.1),
                     Rgba{0, 0, 0, 0.45});
    SetLinear(canvas, cx - radius, cy - radius, cx + radius, cy + radius,
              {{0, GoldAt(0.98)}, {0.4, GoldAt(0.75)}, {0.75, GoldAt(0.5)}, {1, GoldAt(0.3)}});
    FillShape(canvas, coin);
    SetLinear(canvas, cx - face, cy - face, cx + face, cy + face,
              {{0, GoldAt(0.62)}, {0.6, GoldAt(0.8)}, {1, GoldAt(0.92)}});
    FillShape(canvas, faceShape);
    StrokeShapeRounded(canvas, faceShape, std::max(0.6, radius * 0.04), GoldAt(0.25));
    StrokeShapeRounded(canvas, coin, std::max(0.8, radius * 0.05), GoldAt(0.15));
}

// A shine over the upper left of a coin or a ball.
void Shine(Canvas& canvas, const double cx, const double cy, const double radius)
{
    cairo_t* const cr = canvas.Cr();
    cairo_new_path(cr);
    Canvas::EllipseOn(cr, cx - radius * 0.35, cy - radius * 0.45, radius * 0.35, radius * 0.16);
    canvas.SetRadialGradient(cx - radius * 0.35, cy - radius * 0.45, radius * 0.35, Rgba{1, 1, 1, 0.75},
                             Rgba{1, 1, 1, 0});
    cairo_fill(cr);
}

// A figure struck into gold: a light edge below right, the dark figure above it.
void Embossed(Canvas& canvas, const Shape& figure, const double depth)
{
    cairo_t* const cr = canvas.Cr();
    cairo_save(cr);
    cairo_translate(cr, depth * 0.75, depth);
    canvas.SetColor(GoldAt(1.0));
    FillShape(canvas, figure);
    cairo_restore(cr);
    canvas.SetColor(GoldAt(0.08).Mix(Rgba::Hex(0x5A2E04), 0.3));
    FillShape(canvas, figure);
}

// A gold coin struck with two arrows chasing each other round: shuffling.
void ShuffleCoin(Canvas& canvas, const double cx, const double cy, const double radius)
{
    cairo_t* const cr = canvas.Cr();
    CoinBlank(canvas, cx, cy, radius);
    // A ring of beads round the face.
    const double beads = radius * 0.89;
    canvas.SetColor(GoldAt(0.35));
    for (int i = 0; i < 24; ++i) {
        const double a = i * 2 * kPi / 24;
        cairo_new_path(cr);
        Canvas::EllipseOn(cr, cx + beads * std::cos(a), cy + beads * std::sin(a), radius * 0.035, radius * 0.035);
        cairo_fill(cr);
    }
    for (const double start : {-kPi * 0.95, kPi * 0.05})
        Embossed(canvas, CircularArrow(cx, cy, radius * 0.44, start, start + kPi * 0.72, radius * 0.2), radius * 0.04);
    Shine(canvas, cx, cy, radius);
}

// The count is written over the icon's right edge, so the coin keeps clear of it.
void PaintShuffleCoinIcon(Canvas& canvas, const Cell&) { ShuffleCoin(canvas, 18, 20, 16); }

void PaintShuffleCoinTile(Canvas& canvas, const Cell&)
{
    ItemPlate(canvas);
    ShuffleCoin(canvas, 43, 42, 27);
    Glint(canvas, 63, 22, 6);
    Glint(canvas, 24, 62, 4);
}

// ---- the rocks the panel's items stand on ----

void PaintItemRocks(Canvas& canvas, const Cell&)
{
    struct Stone {
        double mX, mY, mRx, mRy, mTilt;
        unsigned mColour;
    };
    // Back to front, so that the nearer stones overlap the farther ones.
    const Stone stones[] = {{14, 15, 11, 8, -0.3, 0x8C8478},   {37, 14, 12, 8.5, 0.25, 0x9A8E7C},
                            {26, 13, 10, 7, 0.1, 0x7E776E},    {10, 22, 9.5, 6.5, 0.2, 0x857C70},
                            {26, 22, 13, 7.5, -0.1, 0xA39A8A}, {43, 23, 8.5, 6, -0.2, 0x8A8070}};
    cairo_t* const cr = canvas.Cr();
    canvas.SoftShape(Oval(26, 25, 25, 4.5), 3, 0, 0, Rgba{0, 0, 0, 0.45});
    for (const Stone& stone : stones) {
        const Shape shape = [&](cairo_t* target) {
            cairo_save(target);
            cairo_translate(target, stone.mX, stone.mY);
            cairo_rotate(target, stone.mTilt);
            Canvas::EllipseOn(target, 0, 0, stone.mRx, stone.mRy);
            cairo_restore(target);
        };
        canvas.SoftShape(shape, 2, 0.5, 1.5, Rgba{0, 0, 0, 0.35});
        const Rgba colour = Rgba::Hex(stone.mColour);
        canvas.SetRadialGradient(stone.mX - stone.mRx * 0.35, stone.mY - stone.mRy * 0.5,
                                 std::max(stone.mRx, stone.mRy) * 1.4, colour.Lighter(0.45), colour.Lighter(-0.35));
        FillShape(canvas, shape);
        StrokeShapeRounded(canvas, shape, 0.8, colour.Lighter(-0.65));
        // A speck of moss on top of some.
        if (stone.mRy > 7) {
            cairo_new_path(cr);
            Canvas::EllipseOn(cr, stone.mX - stone.mRx * 0.2, stone.mY - stone.mRy * 0.62, stone.mRx * 0.35,
                              stone.mRy * 0.18);
            canvas.SetColor(Ui::kLeaf.WithAlpha(0.7));
            cairo_fill(cr);
        }
    }
}

// ---- the gold overlays of special tiles ----

// A gold coin with a star, in the tile's upper left corner.
void PaintGoldCoinOverlay(Canvas& canvas, const Cell&)
{
    constexpr double kX = 17;
    constexpr double kY = 17;
    constexpr double kR = 13;
    CoinBlank(canvas, kX, kY, kR);
    Embossed(
        canvas, [&](cairo_t*) { canvas.Star(kX, kY + 0.5, 5, kR * 0.5, kR * 0.22); }, 0.6);
    Shine(canvas, kX, kY, kR);
    Glint(canvas, kX + kR * 0.75, kY - kR * 0.7, 4.5);
}

// Three gilded cannonballs stacked in the tile's upper left corner.
void PaintGoldAmmoOverlay(Canvas& canvas, const Cell&)
{
    constexpr double kR = 7;
    const double balls[3][2] = {{11, 25}, {25, 25}, {18, 13.5}};
    canvas.SoftShape(Oval(18, 31, 16, 3.5), 3, 0, 0, Rgba{0, 0, 0, 0.45});
    for (const auto& ball : balls) {
        const Shape shape = Oval(ball[0], ball[1], kR, kR);
        canvas.SoftShape(shape, 2, 0.5, 1, Rgba{0, 0, 0, 0.4});
        canvas.SetRadialGradient(ball[0] - kR * 0.35, ball[1] - kR * 0.4, kR * 1.5, GoldAt(1.0), GoldAt(0.3));
        FillShape(canvas, shape);
        StrokeShapeRounded(canvas, shape, 0.8, GoldAt(0.12));
        Shine(canvas, ball[0], ball[1], kR);
    }
    Glint(canvas, 30, 9, 4.5);
}

} // namespace

void AddItemRecipes(RecipeBook& book)
{
    // The panel's items stand on their rocks: each icon's foot sinks into its pile.
    book.Add("IMAGE_GAME_ITEMROCKS", 52, 30, PaintItemRocks);
    book.Add("IMAGE_GAME_TORCH", 50, 72, PaintTorchIcon);
    book.Add("IMAGE_GAME_BUCKET", 48, 40, PaintBucketIcon);
    book.Add("IMAGE_GAME_SHUFFLECOIN", 40, 40, PaintShuffleCoinIcon);
    // Pointers are drawn centred on the mouse.
    book.Add("IMAGE_GAME_TORCH_CURSOR", 64, 64, PaintTorchCursor);
    // Board tiles.
    book.Add("IMAGE_GAME_TORCH_ITEM", kTile, kTile, PaintTorchTile);
    book.Add("IMAGE_GAME_BUCKET_ITEM", kTile, kTile, PaintBucketTile);
    book.Add("IMAGE_GAME_SHUFFLECOIN_ITEM", kTile, kTile, PaintShuffleCoinTile);
    // Overlays drawn 3 pixels into a tile.
    book.Add("IMAGE_GAME_GOLDCOIN", kTile - 6, kTile - 6, PaintGoldCoinOverlay);
    book.Add("IMAGE_GAME_AMMO_GOLD", kTile - 6, kTile - 6, PaintGoldAmmoOverlay);
}

} // namespace Content::HudArt
