// The board's locks and who sets them: the hunter, a tile that throws cages, and the cage; the
// golden spider and the golden monkey that swing in and drop a spider web or bananas onto a
// tile; and the web spun over the panel's item buttons.

#include "tools/content/HudArt.h"
#include "tools/content/HudTileArt.h"
#include "tools/content/Palette.h"
#include "tools/content/Recipe.h"
#include "tools/content/SeededRandom.h"
#include "tools/content/Shapes.h"

#include <cmath>
#include <functional>
#include <numbers>
#include <utility>
#include <vector>

namespace Content::HudArt {

namespace {

constexpr double kPi = std::numbers::pi;

// The hunter stands on a red plate, as the threat it is.
const PlateLook kHunterPlate{Rgba::Hex(0xF6B08A), Rgba::Hex(0xB8462E), Rgba::Hex(0x5E1A0E, 0.85)};

// Draws what `paint` draws in gold: every pixel's brightness, scaled by `gain` and raised by
// `lift`, picks the gold's shade, so the shading and the outlines of the picture remain.
void Golden(Canvas& canvas, const int width, const int height, const std::function<void(Canvas&)>& paint,
            const double gain, const double lift)
{
    const auto lit = [&](Canvas& layer) {
        paint(layer);
        // Light from the upper left and shade to the lower right over the picture alone, which
        // the gold turns into the sheen of polished metal.
        cairo_t* const cr = layer.Cr();
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
        SetLinear(
            layer, 0, 0, width, height,
            {{0, Rgba{1, 1, 1, 0.7}}, {0.4, Rgba{1, 1, 1, 0.15}}, {0.6, Rgba{0, 0, 0, 0}}, {1, Rgba{0, 0, 0, 0.45}}});
        cairo_paint(cr);
        cairo_restore(cr);
    };
    Recoloured(canvas, width, height, lit, [gain, lift](const Rgba& colour) {
        Rgba gold = GoldAt(lift + gain * Brightness(colour));
        gold.mA = colour.mA;
        return gold;
    });
}

// ---- the hunter and the cage ----

void PaintHunter(Canvas& canvas, const Cell&)
{
    Plate(canvas, kHunterPlate);
    cairo_t* const cr = canvas.Cr();
    // A catching net on a pole behind the hunter: the pole from the lower left up to a hoop.
    const Shape pole = [](cairo_t* target) {
        cairo_move_to(target, 14, 78);
        cairo_line_to(target, 56, 30);
    };
    StrokeShadow(canvas, pole, 3.5, 2, 1.5, 0.35);
    StrokeShapeRounded(canvas, pole, 3.5, Rgba::Hex(0x6B4220));
    StrokeShapeRounded(canvas, pole, 1.1, Rgba::Hex(0xC08A52));
    const double hoopX = 63;
    const double hoopY = 20;
    const double hoopR = 14;
    cairo_save(cr);
    cairo_new_path(cr);
    Canvas::EllipseOn(cr, hoopX, hoopY, hoopR, hoopR);
    cairo_clip(cr);
    cairo_new_path(cr);
    for (double offset = -2 * hoopR; offset <= 2 * hoopR; offset += 5) {
        cairo_move_to(cr, hoopX + offset - hoopR, hoopY - hoopR);
        cairo_line_to(cr, hoopX + offset + hoopR, hoopY + hoopR);
        cairo_move_to(cr, hoopX + offset + hoopR, hoopY - hoopR);
        cairo_line_to(cr, hoopX + offset - hoopR, hoopY + hoopR);
    }
    canvas.SetColor(Rgba::Hex(0xFFF4DC, 0.8));
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    cairo_restore(cr);
    const Shape hoop = Oval(hoopX, hoopY, hoopR, hoopR);
    StrokeShadow(canvas, hoop, 2.5, 2, 1.5, 0.3);
    StrokeShapeRounded(canvas, hoop, 2.5, kIron);
    StrokeShapeRounded(canvas, hoop, 0.8, kIronLight);

    GroundShadow(canvas, 40, 74, 20, 4);
    canvas.Emoji("🤠", 38, 47, 50);
}

// Iron bars over the tile, a hoop to hang it by and a gold padlock.
void PaintCage(Canvas& canvas, const Cell&)
{
    cairo_t* const cr = canvas.Cr();
    constexpr double kLeft = 10;
    constexpr double kRight = 76;
    constexpr double kTop = 12;
    constexpr double kBottom = 76;
    constexpr int kBars = 7;
    const Shape bars = [=](cairo_t* target) {
        for (int i = 0; i < kBars; ++i) {
            const double x = kLeft + (kRight - kLeft) * i / (kBars - 1);
            cairo_move_to(target, x, kTop);
            cairo_line_to(target, x, kBottom);
        }
    };
    const Shape topRail = Box(kLeft - 5, kTop - 4, kRight - kLeft + 10, 6, 3);
    const Shape bottomRail = Box(kLeft - 6, kBottom - 2, kRight - kLeft + 12, 8, 3);
    const Shape rails = [&](cairo_t* target) {
        topRail(target);
        bottomRail(target);
    };
    const Shape ring = Oval(43, 4.5, 5, 3.8);
    StrokeShadow(canvas, bars, 3.4, 2.5, 2, 0.5);
    canvas.SoftShape(rails, 2.5, 0, 2, Rgba{0, 0, 0, 0.5});
    StrokeShapeRounded(canvas, ring, 2.2, kIron);
    StrokeShapeRounded(canvas, bars, 3.4, kIron);
    cairo_save(cr);
    cairo_translate(cr, -0.8, 0);
    StrokeShapeRounded(canvas, bars, 1, kIronLight);
    cairo_restore(cr);
    SetLinear(canvas, 0, kTop - 4, 0, kTop + 2, {{0, kIronLight}, {0.5, Rgba::Hex(0x566674)}, {1, kIron}});
    FillShape(canvas, topRail);
    SetLinear(canvas, 0, kBottom - 2, 0, kBottom + 6, {{0, kIronLight}, {0.45, Rgba::Hex(0x566674)}, {1, kIron}});
    FillShape(canvas, bottomRail);
    StrokeShapeRounded(canvas, rails, 0.8, Rgba::Hex(0x141A20));
    StrokeShapeRounded(canvas, ring, 0.7, kIronLight);

    // The padlock on the bottom rail.
    constexpr double kLockX = 43;
    constexpr double kLockY = 66;
    const Shape shackle = [=](cairo_t* target) {
        cairo_new_sub_path(target);
        cairo_arc(target, kLockX, kLockY - 3, 4.2, kPi, 2 * kPi);
        cairo_line_to(target, kLockX + 4.2, kLockY);
        cairo_move_to(target, kLockX - 4.2, kLockY);
        cairo_line_to(target, kLockX - 4.2, kLockY - 3);
    };
    StrokeShapeRounded(canvas, shackle, 2.2, kIron);
    StrokeShapeRounded(canvas, shackle, 0.7, kIronLight);
    const Shape body = Box(kLockX - 7, kLockY - 1, 14, 11, 2.5);
    canvas.SoftShape(body, 2, 0, 1.5, Rgba{0, 0, 0, 0.5});
    SetLinear(canvas, kLockX - 7, kLockY - 1, kLockX + 7, kLockY + 10,
              {{0, GoldAt(0.95)}, {0.5, GoldAt(0.7)}, {1, GoldAt(0.35)}});
    FillShape(canvas, body);
    StrokeShapeRounded(canvas, body, 0.8, GoldAt(0.12));
    cairo_new_path(cr);
    Canvas::EllipseOn(cr, kLockX, kLockY + 3.5, 1.6, 1.6);
    cairo_move_to(cr, kLockX - 0.8, kLockY + 4);
    cairo_line_to(cr, kLockX - 1, kLockY + 7.5);
    cairo_line_to(cr, kLockX + 1, kLockY + 7.5);
    cairo_line_to(cr, kLockX + 0.8, kLockY + 4);
    canvas.SetColor(GoldAt(0.1));
    cairo_fill(cr);
}

// ---- the webs ----

// A spider's web round (cx, cy): spokes out to `radius` and a spiral sagging between them.
// White threads with a soft dark shadow, so that the web reads on light and dark ground.
void Web(Canvas& canvas, const double cx, const double cy, const double radius, const int spokes, const int turns,
         const double lineWidth, const unsigned seed)
{
    // Slightly uneven spoke angles and lengths, the same on every run.
    std::vector<double> angles;
    std::vector<double> lengths;
    SeededRandom random(seed);
    for (int i = 0; i < spokes; ++i) {
        angles.push_back((i + (random.Next() - 0.5) * 0.35) * 2 * kPi / spokes);
        lengths.push_back(radius * (0.92 + 0.16 * random.Next()));
    }
    const auto pointAt = [&](int spoke, double fraction) {
        spoke %= spokes;
        return std::pair{cx + std::cos(angles[spoke]) * lengths[spoke] * fraction,
                         cy + std::sin(angles[spoke]) * lengths[spoke] * fraction};
    };
    const Shape threads = [&](cairo_t* cr) {
        for (int i = 0; i < spokes; ++i) {
            const auto [x, y] = pointAt(i, 1.0);
            cairo_move_to(cr, cx, cy);
            cairo_line_to(cr, x, y);
        }
        // Rings from the hub outwards, each thread between two spokes pulled towards the hub.
        for (int ring = 1; ring <= turns; ++ring) {
            const double fraction = std::pow(static_cast<double>(ring) / turns, 0.85) * 0.95;
            for (int i = 0; i < spokes; ++i) {
                const auto [x0, y0] = pointAt(i, fraction);
                const auto [x1, y1] = pointAt(i + 1, fraction);
                const double mx = (x0 + x1) / 2;
                const double my = (y0 + y1) / 2;
                cairo_move_to(cr, x0, y0);
                cairo_curve_to(cr, mx + (cx - mx) * 0.12, my + (cy - my) * 0.12, mx + (cx - mx) * 0.12,
                               my + (cy - my) * 0.12, x1, y1);
            }
        }
    };
    StrokeShadow(canvas, threads, lineWidth * 2.2, 2, 1, 0.4);
    StrokeShapeRounded(canvas, threads, lineWidth, Rgba{1, 1, 1, 0.92});
    // Dew on a few threads.
    for (int i = 0; i < spokes; i += 2) {
        const auto [x, y] = pointAt(i, 0.35 + 0.5 * random.Next());
        cairo_new_path(canvas.Cr());
        Canvas::EllipseOn(canvas.Cr(), x, y, lineWidth * 1.3, lineWidth * 1.3);
        canvas.SetRadialGradient(x - lineWidth * 0.4, y - lineWidth * 0.4, lineWidth * 1.6, Rgba{1, 1, 1, 1},
                                 Rgba::Hex(0xBFE6FF, 0.8));
        cairo_fill(canvas.Cr());
    }
}

void PaintSpiderWeb(Canvas& canvas, const Cell&)
{
    cairo_t* const cr = canvas.Cr();
    cairo_save(cr);
    cairo_new_path(cr);
    Canvas::RoundedRectOn(cr, kPlateInset - 1, kPlateInset - 1, kPlateSide + 2, kPlateSide + 2, kPlateRadius);
    cairo_clip(cr);
    Web(canvas, 41, 40, 56, 11, 6, 1.3, 7);
    cairo_restore(cr);
}

void PaintWebOverButtons(Canvas& canvas, const Cell& cell)
{
    Web(canvas, cell.mWidth * 0.45, cell.mHeight * 0.42, std::hypot(cell.mWidth, cell.mHeight) * 0.55, 12, 7, 1.3, 11);
}

// ---- the golden carriers and the bananas ----

void PaintGoldenSpider(Canvas& canvas, const Cell& cell)
{
    Golden(
        canvas, cell.mWidth, cell.mHeight,
        [&](Canvas& layer) { layer.Emoji("🕷", cell.mWidth / 2.0, cell.mHeight / 2.0, cell.mWidth - 2); }, 1.25,
        -0.2);
    Glint(canvas, cell.mWidth * 0.36, cell.mHeight * 0.3, 4);
}

void PaintGoldenMonkey(Canvas& canvas, const Cell& cell)
{
    const double cx = cell.mWidth / 2.0;
    Golden(
        canvas, cell.mWidth, cell.mHeight,
        [&](Canvas& layer) {
            cairo_t* const cr = layer.Cr();
            // An arm raised straight up the middle, over the thread that holds it, to the hand
            // at the top.
            const Shape arm = [=](cairo_t* target) {
                cairo_move_to(target, cx + 3, cell.mHeight * 0.45);
                cairo_curve_to(target, cx + 2, cell.mHeight * 0.3, cx, cell.mHeight * 0.2, cx, 7);
            };
            StrokeShapeRounded(layer, arm, 7, Rgba::Hex(0x5A3418));
            StrokeShapeRounded(layer, arm, 4.6, Rgba::Hex(0x9A6436));
            cairo_new_path(cr);
            Canvas::EllipseOn(cr, cx, 6, 4.2, 3.8);
            layer.SetColor(Rgba::Hex(0xD8A07A));
            cairo_fill_preserve(cr);
            layer.SetColor(Rgba::Hex(0x5A3418));
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
            layer.Emoji("🐒", cx - 2, cell.mHeight * 0.58, cell.mWidth * 0.8);
        },
        1.25, -0.22);
    Glint(canvas, cell.mWidth * 0.3, cell.mHeight * 0.4, 5);
}

// One banana whose stalk end is at the origin and which points along +x, bending towards -y as
// it goes: a crescent `length` long and `thickness` at its widest, its tip pointed.
Shape BananaPath(const double length, const double thickness)
{
    return [=](cairo_t* cr) {
        constexpr int kSteps = 24;
        constexpr double kSweep = 1.1;
        const double radius = length / kSweep;
        std::vector<std::pair<double, double>> lower;
        std::vector<std::pair<double, double>> upper;
        for (int i = 0; i <= kSteps; ++i) {
            const double t = static_cast<double>(i) / kSteps;
            const double phi = t * kSweep;
            const double x = radius * std::sin(phi);
            const double y = -radius * (1 - std::cos(phi));
            // Narrow at the stalk, full in the middle, pointed at the tip.
            const double half = thickness / 2 * std::sqrt(std::sin(kPi * (0.14 + 0.86 * t)));
            lower.emplace_back(x + std::sin(phi) * half, y + std::cos(phi) * half);
            upper.emplace_back(x - std::sin(phi) * half, y - std::cos(phi) * half);
        }
        cairo_new_sub_path(cr);
        for (const auto& [x, y] : lower)
            cairo_line_to(cr, x, y);
        for (auto it = upper.rbegin(); it != upper.rend(); ++it)
            cairo_line_to(cr, it->first, it->second);
        cairo_close_path(cr);
    };
}

void Banana(Canvas& canvas, const double x, const double y, const double angle, const double length,
            const double thickness)
{
    cairo_t* const cr = canvas.Cr();
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    const Shape banana = BananaPath(length, thickness);
    canvas.SoftShape(banana, 3, 0, 2, Rgba{0, 0, 0, 0.4});
    // Lit from above: pale along the inner curve, deeper yellow along the outer one.
    canvas.SetRadialGradient(length * 0.5, -length * 0.55, length * 0.75, Rgba::Hex(0xFFF08A), Rgba::Hex(0xF2AE14));
    FillShape(canvas, banana);
    // The ridge along its side.
    cairo_save(cr);
    cairo_translate(cr, 0, thickness * 0.12);
    cairo_scale(cr, 0.97, 0.9);
    cairo_new_path(cr);
    BananaPath(length, thickness * 0.05)(cr);
    canvas.SetColor(Rgba::Hex(0xC98A12, 0.55));
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    cairo_restore(cr);
    StrokeShapeRounded(canvas, banana, 1.1, Rgba::Hex(0x8A5A0C));
    // The green stalk and the brown tip.
    cairo_new_path(cr);
    Canvas::RoundedRectOn(cr, -thickness * 0.3, -thickness * 0.2, thickness * 0.45, thickness * 0.4, 1.5);
    canvas.SetColor(Rgba::Hex(0x7A9A2A));
    cairo_fill(cr);
    const double tipAngle = 1.1;
    const double radius = length / tipAngle;
    cairo_new_path(cr);
    Canvas::EllipseOn(cr, radius * std::sin(tipAngle), -radius * (1 - std::cos(tipAngle)), thickness * 0.11,
                      thickness * 0.11);
    canvas.SetColor(Rgba::Hex(0x4A3010));
    cairo_fill(cr);
    cairo_restore(cr);
}

// A hand of bananas over the creature: from the crown at the upper left they fan out to the
// right and down, their tips turning up.
void PaintBananas(Canvas& canvas, const Cell&)
{
    constexpr double kCrownX = 15;
    constexpr double kCrownY = 30;
    // The upper bananas first, so that each lower one lies in front of the one above it.
    const double angles[] = {0.32, 0.62, 0.92, 1.22, 1.5};
    const double lengths[] = {58, 64, 66, 62, 54};
    for (int i = 0; i < 5; ++i)
        Banana(canvas, kCrownX, kCrownY, angles[i], lengths[i], 19);
    // The crown: the stem that holds them together.
    const Shape crown = [](cairo_t* target) {
        cairo_save(target);
        cairo_translate(target, kCrownX, kCrownY);
        cairo_rotate(target, -0.7);
        Canvas::RoundedRectOn(target, -5, -16, 10, 20, 4);
        cairo_restore(target);
    };
    canvas.SoftShape(crown, 2, 0, 1.5, Rgba{0, 0, 0, 0.4});
    SetLinear(canvas, kCrownX - 12, kCrownY - 12, kCrownX, kCrownY,
              {{0, Rgba::Hex(0x4E6A18)}, {0.4, Rgba::Hex(0x9ABA48)}, {1, Rgba::Hex(0x3E5410)}});
    FillShape(canvas, crown);
    StrokeShapeRounded(canvas, crown, 0.9, Rgba::Hex(0x2A3A0A));
}

} // namespace

void AddLockRecipes(RecipeBook& book)
{
    book.Add("IMAGE_GAME_HUNTER", kTile, kTile, PaintHunter);
    // Locks over a tile.
    book.Add("IMAGE_GAME_CAGE", kTile, kTile, PaintCage);
    book.Add("IMAGE_GAME_SPIDERWEB", kTile, kTile, PaintSpiderWeb);
    book.Add("IMAGE_GAME_BANANAS", kTile, kTile, PaintBananas);
    // The carriers swing in on a thread tied to their centre.
    book.Add("IMAGE_GAME_GOLDENSPIDER", 48, 48, PaintGoldenSpider);
    book.Add("IMAGE_GAME_GOLDENMONKEY", 76, 76, PaintGoldenMonkey);
    // A web spun over the panel's item buttons, from the backpack to the board.
    book.Add("IMAGE_GAME_WEB_OVER_BUTTONS", 170, 160, PaintWebOverButtons);
}

} // namespace Content::HudArt
