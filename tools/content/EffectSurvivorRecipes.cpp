// The survivor game's plague: the grasshoppers that hop across the screen through poison
// clouds in its intro, and the germs that creep round an infected tile.

#include "tools/content/EffectShapes.h"
#include "tools/content/Palette.h"
#include "tools/content/Recipe.h"
#include "tools/content/Shapes.h"

#include <array>
#include <cmath>
#include <vector>

namespace Content::Effects {

namespace {

// --- the intro: grasshoppers hop across the screen through poison clouds ---

// One hop, cell by cell: crouch, push off, fly, land. The game moves the layer to the right
// by 4 pixels per update, so the insect only rises, falls, tilts and squashes in its cell.
void PaintGrasshopper(Canvas& canvas, const Cell& cell)
{
    static const double kLift[] = {0, 5, 15, 21, 21, 15, 5, 0};
    static const double kTilt[] = {0.06, -0.32, -0.24, -0.08, 0.08, 0.22, 0.16, 0.08};
    static const double kStretch[] = {0.86, 1.1, 1.05, 1.0, 1.0, 1.03, 0.92, 0.84};
    cairo_t* const cr = canvas.Cr();
    const int hop = cell.mIndex % 8;
    const double lift = kLift[hop];
    const double groundY = cell.mHeight - 12.0;
    const double centreX = cell.mWidth / 2.0;

    // Its shadow stays on the ground and shrinks as it rises.
    cairo_save(cr);
    cairo_translate(cr, centreX, groundY - 2);
    cairo_scale(cr, 1, 0.28);
    const double shadow = 1 - lift / 40;
    Glow(cr, 0, 0, 24 * shadow, Rgba{0, 0, 0, 0.42 * shadow});
    cairo_restore(cr);

    // The cricket emoji, turned to face right (the swarm hops to the right) and painted
    // grasshopper green; its eyes and outlines stay dark.
    Recoloured(
        canvas, cell.mWidth, cell.mHeight,
        [&](Canvas& layer) {
            cairo_t* const target = layer.Cr();
            cairo_translate(target, centreX, groundY - lift);
            cairo_rotate(target, kTilt[hop]);
            cairo_scale(target, -(1 + (1 - kStretch[hop]) * 0.7), kStretch[hop]);
            layer.Emoji("\U0001F997", 0, -26, 54);
        },
        [](const Rgba& colour) {
            const double brightness = Brightness(colour);
            if (brightness < 0.22)
                return colour;
            const Rgba deep = Rgba::Hex(0x2F6B1F);
            const Rgba leaf = Rgba::Hex(0x86C443);
            const Rgba light = Rgba::Hex(0xDDF59C);
            return brightness < 0.6 ? deep.Mix(leaf, Ramp(brightness, 0.22, 0.6))
                                    : leaf.Mix(light, Ramp(brightness, 0.6, 0.92));
        });
}

// A cloud of puffs that swell one after the other, drift up and apart, and thin out. The
// game draws it three times as large, six times over the board, so it is kept translucent.
void PaintPoisonCloud(Canvas& canvas, const Cell& cell)
{
    const double t = cell.Progress();
    const double cx = cell.mWidth / 2.0;
    const double cy = cell.mHeight / 2.0 + 8;
    struct Puff {
        double mX, mY, mRadius;
    };
    std::vector<Puff> puffs;
    constexpr int kPuffs = 12;
    for (int k = 0; k < kPuffs; ++k) {
        const double start = k == 0 ? 0 : 0.02 + 0.2 * Scatter(k, 1);
        const double grown = EaseOut(Ramp(t, start, start + 0.3));
        if (grown <= 0)
            continue;
        const double angle = k * kTau / (kPuffs - 1) + 0.4 * Scatter(k, 2) + 0.6 * t;
        const double distance = k == 0 ? 0 : (24 + 18 * Scatter(k, 3)) * (0.3 + 0.7 * grown) + 12 * t;
        const double radius = (k == 0 ? 32 : 15 + 11 * Scatter(k, 4)) * (0.3 + 0.7 * grown) * (1 + 0.25 * t);
        puffs.push_back({cx + distance * std::cos(angle), cy + distance * std::sin(angle) * 0.75 - 24 * t, radius});
    }
    // Each puff is lit from the upper left: a dark underside, its body and a bright crown.
    const auto shape = [&puffs](const double shift, const double scale) {
        return [&puffs, shift, scale](cairo_t* cr) {
            for (const Puff& puff : puffs)
                Circle(cr, puff.mX - shift * 0.6 * puff.mRadius, puff.mY - shift * puff.mRadius, puff.mRadius * scale);
        };
    };
    const double strength = Envelope(t, 0, 0.14, 0.5, 1.0);
    OnLayer(canvas, cell.mWidth, cell.mHeight, 0.64 * strength, [&](Canvas& layer) {
        // As it thins out the cloud also softens, so it dissolves instead of just fading.
        const double blur = 4 + 12 * t;
        layer.SoftShape(shape(-0.05, 1.0), blur + 2, 0, 0, Rgba::Hex(0x4A8F2A));
        layer.SoftShape(shape(0.12, 0.86), blur, 0, 0, Rgba::Hex(0x7CC443));
        layer.SoftShape(shape(0.32, 0.5), blur, 0, 0, Rgba::Hex(0xC8F082, 0.85));
        // Bubbles of poison rising out of it.
        cairo_t* const cr = layer.Cr();
        for (int b = 0; b < 6; ++b) {
            const double born = 0.08 + 0.5 * Scatter(b, 5);
            const double age = Ramp(t, born, born + 0.35);
            if (age <= 0 || age >= 1)
                continue;
            const double x = cx + (Scatter(b, 6) - 0.5) * 80 + 6 * std::sin(age * 7 + b);
            const double y = cy + 10 - 70 * age;
            const double r = 3 + 3 * Scatter(b, 7);
            Circle(cr, x, y, r);
            Fill(cr, Rgba::Hex(0xB8F06A, 0.35 * (1 - age)));
            Circle(cr, x, y, r);
            Stroke(cr, Rgba::Hex(0xE6FFB8, 0.9 * (1 - age)), 1.2);
        }
        FadeEdges(layer, 12);
    });
}

// --- the infection ---

// The mark of an infected tile: little spiky germs creep round the tile's edge over a faint
// ring of wavy threads, and swell and shrink. The game tints it red, so it is white with
// grey shading. Over the loop each germ moves on to the next one's place and turns by one
// spike, so the last cell runs into the first.
void PaintVirus(Canvas& canvas, const Cell& cell)
{
    cairo_t* const cr = canvas.Cr();
    const double phase = static_cast<double>(cell.mIndex) / cell.mCount;
    const double cx = cell.mWidth / 2.0;
    const double cy = cell.mHeight / 2.0;
    constexpr int kGerms = 8;
    constexpr int kSpikes = 8;
    // A rounded square along the tile's edge, by its angle.
    const auto edge = [&](const double angle, const double reach) {
        const double c = std::cos(angle);
        const double s = std::sin(angle);
        const double scale = reach / std::pow(std::pow(std::fabs(c), 4) + std::pow(std::fabs(s), 4), 0.25);
        return Point{cx + scale * c, cy + scale * s};
    };

    OnLayer(canvas, cell.mWidth, cell.mHeight, 1, [&](Canvas& layer) {
        cairo_t* const target = layer.Cr();
        std::vector<Point> thread;
        for (int i = 0; i <= 120; ++i) {
            const double angle = i * kTau / 120;
            thread.push_back(edge(angle, 33 + 2 * std::sin(angle * 16 + phase * 2 * kTau)));
        }
        layer.SoftShape(
            [&](cairo_t* shape) {
                cairo_new_path(shape);
                for (const Point& point : thread)
                    cairo_line_to(shape, point.first, point.second);
                cairo_close_path(shape);
                cairo_set_line_width(shape, 6);
                cairo_stroke(shape);
            },
            4, 0, 0, kWhite.WithAlpha(0.45));
        cairo_new_path(target);
        for (const Point& point : thread)
            cairo_line_to(target, point.first, point.second);
        cairo_close_path(target);
        cairo_set_dash(target, std::array{4.0, 3.0}.data(), 2, 0);
        Stroke(target, Rgba::Hex(0xE8E8E8, 0.8), 1.4);
    });

    for (int germ = 0; germ < kGerms; ++germ) {
        const double angle = (germ + phase) * kTau / kGerms + kPi / kGerms;
        const auto [x, y] = edge(angle, 34);
        const double swell = 1 + 0.15 * std::sin((phase * 2 + germ * 0.5) * kTau);
        const double radius = 4.8 * swell;
        const double spin = phase * kTau / kSpikes + germ;
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        for (int spike = 0; spike < kSpikes; ++spike) {
            const double a = spin + spike * kTau / kSpikes;
            cairo_move_to(cr, x + radius * 0.8 * std::cos(a), y + radius * 0.8 * std::sin(a));
            cairo_line_to(cr, x + radius * 1.35 * std::cos(a), y + radius * 1.35 * std::sin(a));
            Stroke(cr, Rgba::Hex(0x8C8C8C), 1.6);
            Circle(cr, x + radius * 1.4 * std::cos(a), y + radius * 1.4 * std::sin(a), 1.3);
            Fill(cr, kWhite);
        }
        Circle(cr, x, y, radius);
        canvas.SetRadialGradient(x - radius * 0.35, y - radius * 0.35, radius * 1.3, kWhite, Rgba::Hex(0xA8A8A8));
        cairo_fill_preserve(cr);
        Stroke(cr, Rgba::Hex(0x6E6E6E), 1);
        Circle(cr, x - radius * 0.3, y + radius * 0.2, radius * 0.22);
        Fill(cr, Rgba::Hex(0x9A9A9A));
        Circle(cr, x + radius * 0.3, y - radius * 0.25, radius * 0.18);
        Fill(cr, Rgba::Hex(0x9A9A9A));
    }
}

} // namespace

void AddSurvivorRecipes(RecipeBook& book)
{
    book.Add("IMAGE_GAME_GRASSHOPPER", 80, 80, PaintGrasshopper);
    book.Add("IMAGE_GAME_POSION_CLOUD", 160, 160, PaintPoisonCloud);
    book.Add("IMAGE_GAME_EFFECTANIM_VIRUS", 90, 90, PaintVirus);
}

} // namespace Content::Effects
