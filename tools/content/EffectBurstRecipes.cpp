// Bursts and sparkles over the board, the HUD and the menus: the star and ring bursts, the
// twinkle, the rainbow, a new tile's arrival and the glint along the selection line.

#include "tools/content/EffectShapes.h"
#include "tools/content/Palette.h"
#include "tools/content/Recipe.h"
#include "tools/content/Shapes.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace Content::Effects {

namespace {

// A star burst: a flash with a star in it, rays shooting out and sparks flying. The
// mini-games tint it orange for a hit and grey for a cannon's smoke, and the HUD and the
// report card show it untinted, over colour and over paper: so it is white, with a pale
// gold rim and a faint warm halo that keep it visible on light ground.
void PaintStarBurst(Canvas& canvas, const Cell& cell)
{
    cairo_t* const cr = canvas.Cr();
    const double t = cell.Progress();
    const double cx = cell.mWidth / 2.0;
    const double cy = cell.mHeight / 2.0;
    const double out = EaseOut(Ramp(t, 0, 0.6));
    const double fade = 1 - Smooth(Ramp(t, 0.35, 1));

    Glow(cr, cx, cy, 20 + 26 * out, kWarmGlow.WithAlpha(0.4 * fade));
    Glow(cr, cx, cy, 12 + 20 * out, kWhite.WithAlpha(0.9 * Envelope(t, 0, 0.1, 0.2, 0.8)));
    for (int ray = 0; ray < 12; ++ray) {
        const double angle = ray * kTau / 12 + 0.25 * t;
        const double length = (ray % 2 == 0 ? 44 : 30) * (0.25 + 0.75 * out);
        const double inner = length * 0.25 + 8 * out;
        RayPath(cr, cx, cy, inner, length, angle, 0.07 + 0.04 * (1 - t));
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_source_rgba(cr, kPaleGold.mR, kPaleGold.mG, kPaleGold.mB, fade);
        cairo_stroke_preserve(cr);
        Fill(cr, kWhite.WithAlpha(fade));
    }
    // The star swells fast and then shrinks away while turning.
    const double star = 22 * Smooth(Ramp(t, 0, 0.22)) * (1 - Smooth(Ramp(t, 0.3, 0.85)));
    if (star > 0.5) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_rotate(cr, t * 1.5);
        canvas.Star(0, 0, 8, star, star * 0.45);
        cairo_restore(cr);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_source_rgba(cr, kPaleGold.mR, kPaleGold.mG, kPaleGold.mB, 1);
        cairo_set_line_width(cr, 2);
        cairo_stroke_preserve(cr);
        canvas.SetRadialGradient(cx, cy, star, kWhite, Rgba::Hex(0xFFF6D8));
        cairo_fill(cr);
    }
    for (int spark = 0; spark < 10; ++spark) {
        const double angle = (spark + 0.5) * kTau / 10 + 0.3 * Scatter(spark, 60);
        const double distance = 10 + 34 * EaseOut(t) * (0.75 + 0.25 * Scatter(spark, 61));
        Glow(cr, cx + distance * std::cos(angle), cy + distance * std::sin(angle), 4 * (1 - t) + 1,
             kWhite.WithAlpha(fade));
    }
}

// A ring burst: a flash whose ring of light spreads out, a second ring behind it and
// sparkles riding on it: the flash over an item that was given, the end of a filling bar.
void PaintRingBurst(Canvas& canvas, const Cell& cell)
{
    cairo_t* const cr = canvas.Cr();
    const double t = cell.Progress();
    const double cx = cell.mWidth / 2.0;
    const double cy = cell.mHeight / 2.0;
    const double radius = 6 + 36 * EaseOut(t);
    const double fade = std::pow(1 - t, 1.3) * Smooth(Ramp(t, 0, 0.12) + 0.3);

    Glow(cr, cx, cy, 30, kWhite.WithAlpha(0.9 * Envelope(t, 0, 0.08, 0.1, 0.3)));
    GlowRing(cr, cx, cy, radius, 5 + 4 * (1 - t), kWarmGlow.WithAlpha(0.7 * fade));
    GlowRing(cr, cx, cy, radius, 1.5 + 2 * (1 - t), kWhite.WithAlpha(fade));
    GlowRing(cr, cx, cy, radius * 0.7, 1 + 2 * (1 - t), kPaleGold.WithAlpha(0.6 * fade));
    for (int k = 0; k < 8; ++k) {
        const double angle = k * kTau / 8 + 0.5 * t;
        Sparkle(cr, cx + radius * std::cos(angle), cy + radius * std::sin(angle), 3 + 5 * (1 - t), angle,
                kPaleGold.WithAlpha(fade), kWarmGlow.WithAlpha(0.6 * fade));
    }
}

// A twinkle: one large sparkle pops up turning and shrinks away, with small ones popping
// round it. The board shows it where a lock is set or freed, and twice as large where a
// tile jumps off the board.
void PaintSparkle(Canvas& canvas, const Cell& cell)
{
    cairo_t* const cr = canvas.Cr();
    const double t = cell.Progress();
    const double cx = cell.mWidth / 2.0;
    const double cy = cell.mHeight / 2.0;
    const double size = 30 * Smooth(Ramp(t, 0, 0.3)) * (1 - Smooth(Ramp(t, 0.35, 0.9)));
    Glow(cr, cx, cy, 36, kWarmGlow.WithAlpha(0.45 * Envelope(t, 0, 0.15, 0.3, 0.9)));
    for (int k = 0; k < 6; ++k) {
        const double pop = 0.05 + 0.45 * Scatter(k, 70);
        const double life = Ramp(t, pop, pop + 0.4);
        if (life <= 0 || life >= 1)
            continue;
        const double angle = k * kTau / 6 + Scatter(k, 71);
        const double distance = 16 + 16 * Scatter(k, 72) + 5 * life;
        Sparkle(cr, cx + distance * std::cos(angle), cy + distance * std::sin(angle), 9 * std::sin(kPi * life),
                life * kPi / 2, kPaleGold, kWarmGlow.WithAlpha(0.7));
    }
    Sparkle(cr, cx, cy, size, t * kPi / 2, kWhite, kWarmGlow.WithAlpha(0.8));
    Sparkle(cr, cx, cy, size * 0.55, kPi / 4 + t * kPi / 2, kPaleGold, Rgba{1, 1, 1, 0});
}

// A rainbow bursting out of a point: its arc unrolls and grows over the point while
// coloured stars fly out all round, then everything fades. Shown where an item is
// collected and where the map's plane lands.
void PaintRainbow(Canvas& canvas, const Cell& cell)
{
    cairo_t* const cr = canvas.Cr();
    const double t = cell.Progress();
    const double cx = cell.mWidth / 2.0;
    const double cy = cell.mHeight / 2.0;
    static const Rgba kBands[] = {Rgba::Hex(0xFF4D4D), Rgba::Hex(0xFF9F1C), Rgba::Hex(0xFFE14D),
                                  Rgba::Hex(0x5BD65B), Rgba::Hex(0x4DA6FF), Rgba::Hex(0xA066FF)};
    const double fade = 1 - Smooth(Ramp(t, 0.55, 1));
    const double outer = 14 + 40 * EaseOut(Ramp(t, 0, 0.5));
    const double band = outer * 0.075;
    const double sweep = kPi * Smooth(Ramp(t, 0, 0.4));
    const double arcY = cy + 10;

    Glow(cr, cx, arcY - outer * 0.4, outer * 1.1, Rgba::Hex(0xFFF4D6, 0.3 * fade));
    if (sweep > 0.01) {
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
        for (size_t b = 0; b < std::size(kBands); ++b) {
            cairo_new_path(cr);
            cairo_arc(cr, cx, arcY, outer - (b + 0.5) * band, kPi, kPi + sweep);
            Stroke(cr, kBands[b].WithAlpha(fade), band + 0.6);
        }
        // A cloud at each foot of the arc once it has landed.
        const double clouds = Smooth(Ramp(t, 0.3, 0.45)) * fade;
        for (const double side : {-1.0, 1.0}) {
            const double footX = cx + side * (outer - 3 * band);
            if (side > 0 && sweep < kPi * 0.99)
                continue;
            for (const auto& [dx, dy, r] : {std::tuple{-6.0, 2.0, 5.0}, {0.0, -2.0, 6.5}, {6.0, 2.0, 5.0}}) {
                Circle(cr, footX + dx * clouds, arcY + dy, r * clouds);
                Fill(cr, kWhite.WithAlpha(clouds));
            }
        }
    }
    for (int k = 0; k < 12; ++k) {
        const double angle = k * kTau / 12 + 0.3 * Scatter(k, 80);
        const double distance = 8 + 46 * EaseOut(t) * (0.7 + 0.3 * Scatter(k, 81));
        const Rgba& colour = kBands[k % std::size(kBands)];
        Sparkle(cr, cx + distance * std::cos(angle), cy + distance * std::sin(angle), 6 - 3 * t, angle + t * 3,
                colour.WithAlpha(fade), colour.WithAlpha(0.5 * fade));
    }
}

// A new tile arrives: sparkles spiral in from round the tile and a glow gathers in its
// middle, brightest from cell 14 to 18 (the game starts showing the tile at cell 18, under
// the glow), then a ring of light pops outwards and everything fades by the last cell. The
// board draws it untinted; a menu tints it orange and loops it as a glow behind an item,
// so it is pale.
void PaintTileArrival(Canvas& canvas, const Cell& cell)
{
    cairo_t* const cr = canvas.Cr();
    const double i = cell.mIndex;
    const double cx = cell.mWidth / 2.0;
    const double cy = cell.mHeight / 2.0;

    const double gather = Envelope(i, 3, 15, 17, 24);
    Glow(cr, cx, cy, 20 + 34 * Smooth(Ramp(i, 3, 16)), kWarmGlow.WithAlpha(0.55 * gather));
    Glow(cr, cx, cy, 16 + 38 * Smooth(Ramp(i, 6, 16)), Rgba::Hex(0xFFF8E0, 0.95 * Envelope(i, 6, 15, 18, 24)));

    for (int k = 0; k < 10; ++k) {
        const double arrive = 13 + 3 * Scatter(k, 90);
        const double way = Smooth(Ramp(i, 0, arrive));
        if (way >= 1)
            continue;
        const double angle = k * kTau / 10 + 2.2 * way;
        const double distance = 50 * (1 - way) + 4;
        const double size = (3 + 4 * way) * Smooth(Ramp(i, 0, 4)) * (1 - Smooth(Ramp(way, 0.85, 1)));
        Sparkle(cr, cx + distance * std::cos(angle), cy + distance * std::sin(angle), size, angle, kWhite,
                kWarmGlow.WithAlpha(0.8));
    }

    const double pop = Ramp(i, 16, 24);
    if (pop > 0) {
        const double radius = 30 + 24 * EaseOut(pop);
        GlowRing(cr, cx, cy, std::min(radius, cx - 4), 4 * (1 - pop) + 1.5, kWhite.WithAlpha(1 - pop));
        for (int ray = 0; ray < 8; ++ray)
            Sparkle(cr, cx + radius * 0.8 * std::cos(ray * kTau / 8), cy + radius * 0.8 * std::sin(ray * kTau / 8),
                    5 * (1 - pop), ray * kTau / 8, kPaleGold.WithAlpha(1 - pop), kWarmGlow.WithAlpha(0.5 * (1 - pop)));
    }
}

// A glint that runs along the selection line: a small star that twinkles and turns a
// quarter round, with three motes circling it a third of the way round, over its loop.
void PaintStreak(Canvas& canvas, const Cell& cell)
{
    cairo_t* const cr = canvas.Cr();
    const double phase = static_cast<double>(cell.mIndex) / cell.mCount;
    const double cx = cell.mWidth / 2.0;
    const double cy = cell.mHeight / 2.0;
    const double pulse = 0.5 + 0.5 * std::cos(phase * kTau);
    Glow(cr, cx, cy, 15 + 3 * pulse, Rgba::Hex(0xFFE066, 0.55 + 0.25 * pulse));
    for (int k = 0; k < 3; ++k) {
        const double angle = (k + phase) * kTau / 3;
        Glow(cr, cx + 12 * std::cos(angle), cy + 12 * std::sin(angle), 3, Rgba::Hex(0xFFF6C0));
    }
    Sparkle(cr, cx, cy, 10 + 4 * pulse, phase * kPi / 2, Rgba::Hex(0xFFF3A0), Rgba{1, 1, 1, 0});
}

} // namespace

void AddBurstRecipes(RecipeBook& book)
{
    book.Add("IMAGE_GAME_EFFECTANIM_001", 96, 96, PaintStarBurst);
    book.Add("IMAGE_GAME_EFFECTANIM_002", 96, 96, PaintRingBurst);
    book.Add("IMAGE_GAME_EFFECTANIM_TILE_SHOWING_UP", 112, 112, PaintTileArrival);
    book.Add("IMAGE_GAME_EFFECTANIM_003", 96, 96, PaintSparkle);
    book.Add("IMAGE_GAME_EFFECTANIM_RAINBOW", 128, 128, PaintRainbow);
    book.Add("IMAGE_GAME_EFFECTSTREAK", 40, 40, PaintStreak);
}

} // namespace Content::Effects
