// The power items' effects: the bucket's water splashing onto a tile, the torch's fireball
// and the web it sets burning with the glow under it, the shuffle's gust of wind and the twirl
// that sweeps the board clear.

#include "tools/content/EffectShapes.h"
#include "tools/content/Palette.h"
#include "tools/content/Recipe.h"
#include "tools/content/Shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace Content::Effects {

namespace {

// --- the board's power items: the bucket's water and the torch's fireballs and fire ---

const Rgba kWater = Rgba::Hex(0x5BC3F2);
const Rgba kWaterDeep = Rgba::Hex(0x2A86C8);
const Rgba kWaterLight = Rgba::Hex(0xDDF5FF);

// A drop of water flying along (dx, dy): a small teardrop with a glint.
void Droplet(cairo_t* cr, const double x, const double y, const double dx, const double dy, const double size,
             const double alpha)
{
    if (size <= 0 || alpha <= 0)
        return;
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, std::atan2(dy, dx));
    cairo_scale(cr, 1.5, 1);
    Circle(cr, 0, 0, size);
    cairo_restore(cr);
    Fill(cr, kWater.WithAlpha(alpha));
    Circle(cr, x - size * 0.3, y - size * 0.3, size * 0.35);
    Fill(cr, kWaterLight.WithAlpha(alpha));
}

// The bucket tips over the tile (which lies in the lower 86 pixels of the cell, the game
// draws the strip 23 pixels above the tile's centre), pours a stream onto it and splashes:
// drops fly out, a sheet of water runs down over the tile and the last drops fall away.
void PaintWaterSplash(Canvas& canvas, const Cell& cell)
{
    cairo_t* const cr = canvas.Cr();
    const double t = cell.Progress();
    const double impactX = 52;
    const double impactY = 82;

    // The bucket, tipping over as it empties.
    const double bucketX = 26;
    const double bucketY = 22;
    const double tip = 0.5 + 1.7 * Smooth(Ramp(t, 0, 0.22));
    const double mouthX = bucketX + 13 * std::sin(tip);
    const double mouthY = bucketY - 13 * std::cos(tip);
    OnLayer(canvas, cell.mWidth, cell.mHeight, Envelope(t, 0, 0.08, 0.55, 0.75), [&](Canvas& layer) {
        cairo_translate(layer.Cr(), bucketX, bucketY);
        cairo_rotate(layer.Cr(), tip);
        layer.Emoji("\U0001FAA3", 0, 0, 34);
    });

    // The stream: a curve from the bucket's mouth to the tile; its front falls first, then
    // its end leaves the bucket and follows it down.
    const double front = Smooth(Ramp(t, 0.06, 0.24));
    const double end = Smooth(Ramp(t, 0.46, 0.62));
    if (front > end) {
        std::vector<Point> stream;
        for (int i = 0; i <= 24; ++i) {
            const double s = end + (front - end) * i / 24.0;
            const double u = 1 - s;
            // A cubic curve that leaves the mouth sideways and falls onto the tile.
            const double x = u * u * u * mouthX + 3 * u * u * s * (mouthX + 16) + 3 * u * s * s * impactX +
                             s * s * s * impactX;
            const double y = u * u * u * mouthY + 3 * u * u * s * mouthY + 3 * u * s * s * (impactY - 34) +
                             s * s * s * impactY;
            stream.push_back({x + 1.2 * std::sin(s * 18 + cell.mIndex * 2.1), y});
        }
        const auto width = [&](const double along) {
            const double s = end + (front - end) * along;
            return (6 + 5 * s) * std::min(1.0, std::min(along, 1 - along) * 6 + 0.35);
        };
        TaperedPath(cr, stream, [&](double along) { return width(along) + 2; });
        Fill(cr, kWaterDeep.WithAlpha(0.85));
        TaperedPath(cr, stream, width);
        Fill(cr, kWater.WithAlpha(0.95));
        TaperedPath(cr, stream, [&](double along) { return width(along) * 0.3; });
        Fill(cr, kWaterLight.WithAlpha(0.9));
    }

    // The water that spreads over the tile and runs down it in streams.
    const double spread = EaseOut(Ramp(t, 0.2, 0.8));
    OnLayer(canvas, cell.mWidth, cell.mHeight, Envelope(t, 0.2, 0.3, 0.6, 1.0), [&](Canvas& layer) {
        const auto wash = [&](const double scale, const double lift) {
            return [&, scale, lift](cairo_t* target) {
                for (int k = 0; k < 9; ++k) {
                    const double angle = k * kTau / 9 + Scatter(k, 15);
                    const double distance = (6 + 22 * spread) * (0.6 + 0.4 * Scatter(k, 16));
                    const double radius = (5 + 9 * spread) * (0.7 + 0.5 * Scatter(k, 17)) * scale;
                    Circle(target, impactX + 1.3 * distance * std::cos(angle),
                           impactY + 8 * spread + 0.55 * distance * std::sin(angle) - lift, radius);
                }
                for (int k = 0; k < 6; ++k) {
                    const double x = impactX + (Scatter(k, 18) - 0.5) * 64 * spread;
                    const double top = impactY + 6;
                    const double length = 36 * Smooth(Ramp(t, 0.3 + 0.2 * Scatter(k, 19), 0.85));
                    const double width = (1.8 + 1.2 * Scatter(k, 20)) * scale;
                    cairo_new_sub_path(target);
                    cairo_arc(target, x, top + length - lift, width, 0, kPi);
                    cairo_arc(target, x, top - lift, width, kPi, kTau);
                    cairo_close_path(target);
                }
            };
        };
        layer.SoftShape(wash(1.0, 0), 1.5, 0, 0, kWater.WithAlpha(0.55));
        layer.SoftShape(wash(0.5, 2), 1.5, 0, 0, kWaterLight.WithAlpha(0.65));
    });

    // Drops thrown up by the stream as it lands, each on its own arc.
    for (int d = 0; d < 16; ++d) {
        const double launch = 0.22 + 0.34 * Scatter(d, 11);
        const double age = t - launch;
        if (age <= 0 || age >= 0.42)
            continue;
        const double angle = -kPi / 2 + (Scatter(d, 12) - 0.5) * 2.6;
        const double speed = 150 + 110 * Scatter(d, 13);
        const double gravity = 900;
        const double vx = speed * std::cos(angle);
        const double vy = speed * std::sin(angle) + gravity * age;
        const double x = impactX + vx * age;
        const double y = impactY + speed * std::sin(angle) * age + gravity * age * age / 2;
        // Drops fade out before they reach the cell's edge, where they would be cut off.
        const double room = std::min({x, cell.mWidth - x, y, cell.mHeight - y});
        Droplet(cr, x, y, vx, vy, 1.8 + 2 * Scatter(d, 14), (1 - Ramp(age, 0.22, 0.42)) * Ramp(room, 5, 12));
    }
}

// The fireball flies head first towards +x; the game turns the strip along its flight and
// moves the cell's centre onto the web, which it reaches near cell 42. The head grows out
// of a spark, its tail flickers from cell to cell, and from cell 40 on it bursts into a
// flash that is gone by the last cell.
void PaintFireball(Canvas& canvas, const Cell& cell)
{
    const int index = cell.mIndex;
    const double headX = cell.mWidth / 2.0 + 22;
    const double headY = cell.mHeight / 2.0;
    const double grow = 0.35 + 0.65 * Smooth(Ramp(index, 0, 4));
    const double burst = Ramp(index, 39, cell.mCount - 1);
    const double head = 16 * grow * (1 + 0.8 * EaseOut(burst));
    const double tailLength = 96 * grow * (1 - Smooth(Ramp(burst, 0, 0.5)));
    const double fade = 1 - Smooth(Ramp(burst, 0.1, 0.9));

    struct Blob {
        double mX, mY, mRadius;
    };
    std::vector<Blob> blobs{{headX, headY, head}};
    constexpr int kTail = 22;
    for (int j = 1; j <= kTail && tailLength > 1; ++j) {
        const double u = static_cast<double>(j) / kTail;
        const double wave = std::sin(u * 8 - index * 1.7) * 4 * u + (Scatter(j, index) - 0.5) * 7 * u;
        const double radius = head * std::pow(1 - 0.88 * u, 1.1) * (0.85 + 0.3 * Scatter(j, index + 100));
        blobs.push_back({headX - u * tailLength, headY + wave, radius});
    }
    const auto shape = [&blobs](const double scale, const double reach) {
        return [&blobs, scale, reach](cairo_t* cr) {
            for (size_t i = 0; i < blobs.size() * reach; ++i)
                Circle(cr, blobs[i].mX, blobs[i].mY, blobs[i].mRadius * scale);
        };
    };
    OnLayer(canvas, cell.mWidth, cell.mHeight, fade, [&](Canvas& layer) {
        cairo_t* const cr = layer.Cr();
        // The glow stays inside the cell's height, so that no edge of it shows.
        Glow(cr, headX, headY, std::min(head * 3, cell.mHeight / 2.0 - 1), Rgba::Hex(0xFF6A1A, 0.55));
        layer.SoftShape(shape(1.3, 1.0), 7, 0, 0, Rgba::Hex(0xE8391A, 0.8));
        layer.SoftShape(shape(1.0, 1.0), 3, 0, 0, Rgba::Hex(0xFF8A1E));
        // In the burst the heat goes first: the yellow heart shrinks and the flash cools.
        layer.SoftShape(shape(0.68 * (1 - burst), 0.6), 3, 0, 0, Rgba::Hex(0xFFC83A));
        Glow(cr, headX + 2, headY, head * 0.95, Rgba::Hex(0xFFFBE0, (1 - burst) * (1 - burst)));
        // Sparks shed by the tail.
        for (int k = 0; k < 7; ++k) {
            const double u = Scatter(k, index + 200);
            const double x = std::max(6.0, headX - 24 - u * (tailLength + 10));
            const double y = headY + (Scatter(k, index + 300) - 0.5) * 30 * (0.4 + u);
            Glow(cr, x, y, 3.5, Rgba::Hex(0xFFD060, 0.9 * (1 - u)));
        }
        // The burst throws sparks all round.
        if (burst > 0) {
            for (int k = 0; k < 12; ++k) {
                const double angle = k * kTau / 12 + Scatter(k, 400);
                const double distance = head * 0.6 + 30 * EaseOut(burst) * (0.6 + 0.4 * Scatter(k, 401));
                Glow(cr, headX + distance * std::cos(angle), headY + distance * std::sin(angle) * 0.8, 5,
                     Rgba::Hex(0xFFD36A, 1 - burst));
            }
        }
    });
}

// A tongue of flame standing on (x, y): a round foot and a tip bent by `sway`.
void FlamePath(cairo_t* cr, const double x, const double y, const double height, const double sway)
{
    const double w = height * 0.32;
    cairo_new_sub_path(cr);
    cairo_move_to(cr, x + sway, y - height);
    cairo_curve_to(cr, x + sway * 0.4 + w * 0.3, y - height * 0.6, x + w, y - w * 1.8, x + w, y - w);
    cairo_arc(cr, x, y - w, w, 0, kPi);
    cairo_curve_to(cr, x - w, y - w * 1.8, x + sway * 0.4 - w * 0.3, y - height * 0.6, x + sway, y - height);
    cairo_close_path(cr);
}

// The web over a tile burns: the fire spreads from the middle out over the web, flames stand
// up where it passes, die down to embers and leave a little smoke.
void PaintWebFire(Canvas& canvas, const Cell& cell)
{
    cairo_t* const cr = canvas.Cr();
    const double t = cell.Progress();
    const double cx = cell.mWidth / 2.0;
    const double cy = cell.mHeight / 2.0;
    constexpr double kReach = 44;
    // Whatever still burns or smokes dies away over the last cells.
    const double dying = 1 - Smooth(Ramp(t, 0.75, 1.0));

    Glow(cr, cx, cy, 56, Rgba::Hex(0xFF8A2A, 0.5 * Envelope(t, 0, 0.2, 0.45, 0.9)));

    // Flames stand along the rings of the web and are lit as the fire's front reaches them.
    struct Flame {
        double mX, mY, mHeight, mSway;
    };
    std::vector<Flame> flames;
    uint32_t seed = 0;
    for (const double ring : {0.0, 14.0, 27.0, 40.0}) {
        const int count = ring == 0 ? 1 : static_cast<int>(std::lround(kTau * ring / 17));
        for (int j = 0; j < count; ++j, ++seed) {
            const double angle = (j + 0.6 * Scatter(seed, 1)) * kTau / count;
            const double r = ring + (Scatter(seed, 2) - 0.5) * 5;
            const double x = cx + r * std::cos(angle);
            const double y = cy + r * std::sin(angle) + 6;
            const double lit = 0.42 * ring / kReach + 0.05 * Scatter(seed, 3);
            const double life = 0.25 + 0.15 * Scatter(seed, 4);
            const double burning = Envelope(t, lit, lit + 0.08, lit + life, lit + life + 0.2);
            const double flicker = 0.8 + 0.4 * Scatter(seed, cell.mIndex + 10);
            // Tips stay inside the cell.
            const double height = std::min((15 + 11 * Scatter(seed, 5)) * burning * flicker * dying, y - 3);
            if (height >= 1) {
                const double sway = (Scatter(seed, cell.mIndex * 3 + 20) - 0.5) * height * 0.5;
                flames.push_back({x, y, height, sway});
                continue;
            }
            // What has burnt out glows on as an ember for a while.
            const double ember = Envelope(t, lit + life, lit + life + 0.1, lit + life + 0.25, lit + life + 0.5);
            Glow(cr, x, y - 2, 3.5, Rgba::Hex(0xFFA030, 0.9 * ember * dying));
        }
    }
    // The flames of each colour are filled as one shape, so that neighbouring tongues merge
    // into one fire, over a soft glow of them all.
    const auto tongues = [&flames](const double scale) {
        return [&flames, scale](cairo_t* target) {
            for (const Flame& flame : flames)
                FlamePath(target, flame.mX, flame.mY, flame.mHeight * scale, flame.mSway * scale);
        };
    };
    OnLayer(canvas, cell.mWidth, cell.mHeight, 1, [&](Canvas& layer) {
        layer.SoftShape(tongues(1.15), 4, 0, 0, Rgba::Hex(0xFF5A1A, 0.45));
        cairo_t* const target = layer.Cr();
        const std::pair<double, Rgba> layers[] = {
            {1.0, Rgba::Hex(0xE2401B)}, {0.72, Rgba::Hex(0xFF8C1A)}, {0.42, Rgba::Hex(0xFFE27A)}};
        for (const auto& [scale, colour] : layers) {
            tongues(scale)(target);
            Fill(target, colour);
        }
        FadeEdges(layer, 4);
    });

    // Smoke rising from what is left.
    for (int puff = 0; puff < 7; ++puff) {
        const double born = 0.35 + 0.35 * Scatter(puff, 30);
        const double age = Ramp(t, born, born + 0.45);
        if (age <= 0 || age >= 1)
            continue;
        const double x = cx + (Scatter(puff, 31) - 0.5) * 56 + 6 * age;
        const double y = cy + (Scatter(puff, 32) - 0.3) * 40 - 34 * age;
        Glow(cr, x, y, 8 + 10 * age, Rgba::Hex(0x5E5A56, 0.45 * std::sin(kPi * age) * dying));
    }
}

// The glow under the burning web: a flash with a ring and rays that spread and fade. The
// game tints it yellow and draws it larger and larger while the web burns, so it is white
// and light grey and fades to nothing.
void PaintWebGlow(Canvas& canvas, const Cell& cell)
{
    cairo_t* const cr = canvas.Cr();
    const double t = cell.Progress();
    const double cx = cell.mWidth / 2.0;
    const double cy = cell.mHeight / 2.0;
    const double strength = Envelope(t, 0, 0.1, 0.2, 1.0);
    Glow(cr, cx, cy, 34 + 8 * t, kWhite.WithAlpha(0.85 * strength));

    const double radius = 8 + 34 * EaseOut(t);
    const double ring = std::pow(1 - t, 1.2) * Smooth(Ramp(t, 0, 0.1));
    GlowRing(cr, cx, cy, radius, 7 * (1 - t) + 3, kWhite.WithAlpha(0.95 * ring));

    for (int ray = 0; ray < 8; ++ray) {
        const double angle = ray * kTau / 8 + 0.4 * t;
        const double inner = 10;
        const double outer = inner + (ray % 2 == 0 ? 26 : 18) * (0.4 + 0.6 * EaseOut(t));
        RayPath(cr, cx, cy, inner, outer, angle, 0.09);
        Fill(cr, Rgba::Hex(0xF4F4F4, 0.8 * strength));
    }
}

// --- wind: the shuffle's gusts and the twirl that clears the board ---

const Rgba kWind = Rgba::Hex(0xFFFFFF);
const Rgba kWindGlow = Rgba::Hex(0xBFE6FF);

// A small leaf carried by the wind, turned by `angle`.
void Leaf(cairo_t* cr, const double x, const double y, const double size, const double angle, const double alpha)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, -size, 0);
    cairo_curve_to(cr, -size * 0.4, -size * 0.75, size * 0.5, -size * 0.6, size, 0);
    cairo_curve_to(cr, size * 0.5, size * 0.6, -size * 0.4, size * 0.75, -size, 0);
    cairo_close_path(cr);
    Fill(cr, Ui::kLeaf.WithAlpha(alpha));
    cairo_move_to(cr, -size * 0.9, 0);
    cairo_line_to(cr, size * 0.8, 0);
    Stroke(cr, Ui::kLeafLight.WithAlpha(alpha), size * 0.16);
    cairo_restore(cr);
}

// A gust rushing to the left: three streaks of wind, each curling up or down at its head,
// with gaps that run back along them and a gentle ripple, and two leaves tumbling in it. The
// game sweeps it across the board and turns it round for the other direction, so it loops
// in place: the gaps run one period back, the ripple one wave, and the leaves turn once
// over the strip.
void PaintShuffleGust(Canvas& canvas, const Cell& cell)
{
    const double phase = static_cast<double>(cell.mIndex) / cell.mCount;
    const double cy = cell.mHeight / 2.0;
    struct Streak {
        double mHeadX, mY, mTailX, mCurl, mWidth; // mCurl < 0 curls up, > 0 down
    };
    const Streak streaks[] = {{48, cy - 14, 176, -13, 5}, {28, cy + 8, 178, 15, 6}, {76, cy + 27, 150, -8, 3.5}};
    constexpr double kPeriod = 64;
    constexpr double kGap = 12;
    struct Piece {
        std::vector<Point> mPoints;
        double mWidth;
    };
    std::vector<Piece> pieces;
    for (size_t k = 0; k < std::size(streaks); ++k) {
        const Streak& streak = streaks[k];
        const double radius = std::fabs(streak.mCurl);
        const double side = streak.mCurl < 0 ? 1 : -1;
        // From the curl's innermost end out, along the circle to the head, then back along
        // the straight part to the tail.
        std::vector<std::pair<Point, double>> line; // a point and its distance behind the head
        for (int i = 0; i <= 30; ++i) {
            const double along = i / 30.0;
            const double angle = kPi / 2 + 1.6 * kPi * (1 - along);
            const double r = radius * (0.45 + 0.55 * along);
            const double y = streak.mY + side * (r * std::sin(angle) - radius);
            line.push_back({{streak.mHeadX + r * std::cos(angle), y}, 0});
        }
        for (double x = streak.mHeadX; x <= streak.mTailX; x += 2) {
            const double behind = x - streak.mHeadX;
            const double wave = std::sin((behind / 80 - phase) * kTau + static_cast<double>(k));
            const double ripple = 2.5 * wave * Ramp(behind, 0, 30);
            line.push_back({{x, streak.mY + ripple}, behind});
        }
        std::vector<Point> piece;
        for (const auto& [point, behind] : line) {
            const double inPeriod = std::fmod(behind - phase * kPeriod + 10 * kPeriod, kPeriod);
            if (behind > 14 && inPeriod < kGap) {
                if (piece.size() >= 2)
                    pieces.push_back({piece, streak.mWidth});
                piece.clear();
                continue;
            }
            piece.push_back(point);
        }
        if (piece.size() >= 2)
            pieces.push_back({piece, streak.mWidth});
    }
    // Each piece is thickest near the gust's head and tapers at its ends and towards the tail.
    const auto paths = [&](cairo_t* cr, const double grow) {
        for (const Piece& piece : pieces) {
            const std::vector<Point>& points = piece.mPoints;
            TaperedPath(cr, points, [&](double along) {
                const size_t i = static_cast<size_t>(std::lround(along * (points.size() - 1)));
                const double tail = 1 - 0.8 * Ramp(points[i].first, 40, cell.mWidth);
                const double ends = std::min(1.0, std::min(i, points.size() - 1 - i) / 4.0);
                return (piece.mWidth * tail + grow) * (0.25 + 0.75 * ends);
            });
        }
    };
    OnLayer(canvas, cell.mWidth, cell.mHeight, 0.92, [&](Canvas& layer) {
        layer.SoftShape([&](cairo_t* cr) { paths(cr, 5); }, 5, 0, 0, kWindGlow.WithAlpha(0.75));
        paths(layer.Cr(), 0);
        Fill(layer.Cr(), kWind);
        FadeEdges(layer, 5);
    });
    cairo_t* const cr = canvas.Cr();
    Leaf(cr, 98 + 6 * std::sin(phase * kTau), cy - 30 + 3 * std::cos(phase * kTau), 6, phase * kTau, 1);
    Leaf(cr, 128 + 5 * std::cos(phase * kTau), cy + 20 + 3 * std::sin(phase * kTau), 5, 1 - phase * kTau, 0.9);
}

// The whirlwind that sweeps the board clear: four arms of wind turn and spread out from the
// middle with leaves in them, then thin away. The game draws it five times as large over
// the board, so its lines are broad and soft.
void PaintTwirl(Canvas& canvas, const Cell& cell)
{
    const double t = cell.Progress();
    const double cx = cell.mWidth / 2.0;
    const double cy = cell.mHeight / 2.0;
    const double spin = -t * 2.4 * kPi;
    const double reach = 0.3 + 0.7 * EaseOut(Ramp(t, 0, 0.7));
    std::vector<std::vector<Point>> arms;
    for (int arm = 0; arm < 4; ++arm) {
        std::vector<Point> points;
        for (int i = 0; i <= 40; ++i) {
            const double along = i / 40.0;
            const double angle = spin + arm * kPi / 2 + along * 1.5 * kPi;
            const double radius = reach * (4 + 50 * along);
            points.push_back({cx + radius * std::cos(angle), cy + radius * std::sin(angle)});
        }
        arms.push_back(std::move(points));
    }
    const auto paths = [&](cairo_t* cr, const double grow) {
        for (const std::vector<Point>& arm : arms)
            TaperedPath(cr, arm, [grow](double along) { return std::sin(kPi * std::pow(along, 0.8)) * 4.5 + grow; });
    };
    const double strength = Envelope(t, 0, 0.18, 0.6, 1.0);
    OnLayer(canvas, cell.mWidth, cell.mHeight, strength, [&](Canvas& layer) {
        cairo_t* const cr = layer.Cr();
        Glow(cr, cx, cy, 40 * reach, kWindGlow.WithAlpha(0.35));
        layer.SoftShape([&](cairo_t* target) { paths(target, 4); }, 5, 0, 0, kWindGlow.WithAlpha(0.75));
        paths(cr, 0);
        Fill(cr, kWind.WithAlpha(0.95));
        // Leaves and sparkles whirled round, further out and faster than the arms.
        for (int k = 0; k < 8; ++k) {
            const double angle = spin * 1.3 + k * kTau / 8 + Scatter(k, 50);
            const double radius = reach * (18 + 32 * Scatter(k, 51));
            const double x = cx + radius * std::cos(angle);
            const double y = cy + radius * std::sin(angle);
            if (k % 2 == 0)
                Leaf(cr, x, y, 4, angle * 2, 1);
            else
                Sparkle(cr, x, y, 4, angle, kWhite, kWindGlow.WithAlpha(0.8));
        }
        FadeEdges(layer, 8);
    });
}

} // namespace

void AddElementRecipes(RecipeBook& book)
{
    book.Add("IMAGE_GAME_WATER_EFFECT", 100, 130, PaintWaterSplash);
    book.Add("IMAGE_GAME_FIREBALL_EFFECT", 172, 86, PaintFireball);
    book.Add("IMAGE_GAME_SPIDER_WEB_FIRE", 110, 110, PaintWebFire);
    book.Add("IMAGE_GAME_HINT_EFFECT", 96, 96, PaintWebGlow);
    book.Add("IMAGE_GAME_SHUFFLE_EFFECT", 190, 90, PaintShuffleGust);
    book.Add("IMAGE_GAME_EFFECTANIM_TWIRL", 128, 128, PaintTwirl);
}

} // namespace Content::Effects
