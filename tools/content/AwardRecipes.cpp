// The awards: twenty medals and the trophy wall of the awards screen they hang on, and the
// glow that the food web screen lays behind the creature under the pointer.
//
// The ten habitat medals are gold discs in a laurel wreath, each with the habitat's colour
// and an animal of it; the ten feat awards are ribbon rosettes around a disc of bronze,
// silver or gold by rank. The awards screen draws an award that is not held yet at a
// quarter of its brightness, so every medal keeps a light field behind a large emblem: the
// emblem's silhouette still reads when the whole medal is darkened.

#include "tools/content/Palette.h"
#include "tools/content/Recipe.h"
#include "tools/content/SeededRandom.h"
#include "tools/content/Shapes.h"

#include <cmath>
#include <numbers>
#include <string>

namespace Content {

namespace {

constexpr double kPi = std::numbers::pi;

constexpr int kMedalWidth = 90;
constexpr int kMedalHeight = 80;
// The disc's centre in the medal picture, and its radius with the rim.
constexpr double kDiscX = 45;
constexpr double kDiscY = 36;
constexpr double kDiscRadius = 26;

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

const MetalShades kBronze{Rgba::Hex(0xF8D0A4), Rgba::Hex(0xC8783A), Rgba::Hex(0x6E3812)};
const MetalShades kSilver{Rgba::Hex(0xFFFFFF), Rgba::Hex(0xC3CCD6), Rgba::Hex(0x5F6B78)};
const MetalShades kGold{Rgba::Hex(0xFFF3B0), Rgba::Hex(0xF2C035), Rgba::Hex(0x8E5E0A)};

struct Award {
    const char* mId; // the part of the picture's id after IMAGE_AWARD_
    const char* mEmblem;
    // A small second emoji at the lower right of the field (the tool of a feat), or none.
    const char* mBadge;
    Rgba mField;
    Rgba mRibbon;
    Rgba mStripe;
    const MetalShades* mMetal;
    // Rank stars on the rosette, and a crown above it for the highest combo rank.
    int mStars;
    bool mCrown;
    bool mHabitat;
};

// In award order: the habitats from the Amazon to the Pacific, then the feats.
const Award kAwards[] = {
    {"AMAZON", "\U0001F406", nullptr, Rgba::Hex(0x3F9A4A), Rgba::Hex(0x2E8B4E), Rgba::Hex(0xFFD54A),
     &kGold, 0, false, true},
    {"CANYON", "\U0001F985", nullptr, Rgba::Hex(0xD0703A), Rgba::Hex(0xB4532A), Rgba::Hex(0xFFE08A),
     &kGold, 0, false, true},
    {"ALASKA", "\U0001F43B", nullptr, Rgba::Hex(0x3F8F8C), Rgba::Hex(0x2F7F80), Rgba::Hex(0xE8F4F0),
     &kGold, 0, false, true},
    {"ARCTIC", "\U0001F43B\u200D\u2744\uFE0F", nullptr, Rgba::Hex(0x3C82C4), Rgba::Hex(0x4A90C8), Rgba::Hex(0xFFFFFF),
     &kGold, 0, false, true},
    {"EUROPE", "\U0001F9A1", nullptr, Rgba::Hex(0x6E9A3A), Rgba::Hex(0x3C6FB0), Rgba::Hex(0xFFD54A),
     &kGold, 0, false, true},
    {"DESERT", "\U0001F335", nullptr, Rgba::Hex(0xE0A84E), Rgba::Hex(0xD89A3A), Rgba::Hex(0xFFF1C8),
     &kGold, 0, false, true},
    {"AFRICA", "\U0001F981", nullptr, Rgba::Hex(0xC2472A), Rgba::Hex(0x2F7A3A), Rgba::Hex(0xF2C035),
     &kGold, 0, false, true},
    {"ASIA", "\U0001F43C", nullptr, Rgba::Hex(0xC8322F), Rgba::Hex(0xC8322F), Rgba::Hex(0xF7D66A),
     &kGold, 0, false, true},
    {"AUSTRALIA", "\U0001F998", nullptr, Rgba::Hex(0x3E9BD6), Rgba::Hex(0xB5502A), Rgba::Hex(0xF2C035),
     &kGold, 0, false, true},
    {"PACIFIC", "\U0001F422", nullptr, Rgba::Hex(0x1F78B8), Rgba::Hex(0x1C8FA0), Rgba::Hex(0xBFF0F5),
     &kGold, 0, false, true},
    {"COMBO_FREAK", "\U0001F517", nullptr, Rgba::Hex(0xF0A030), Rgba::Hex(0x2F6FC0), Rgba::Hex(0xBFE0FF),
     &kSilver, 0, false, false},
    {"COMBO_KINGPIN", "\U0001F517", nullptr, Rgba::Hex(0xF0A030), Rgba::Hex(0x7A3FB0), Rgba::Hex(0xF2C035),
     &kGold, 0, true, false},
    {"COLL_ROOKIE", "\U0001F9FA", nullptr, Rgba::Hex(0x58A860), Rgba::Hex(0x2E8B4E), Rgba::Hex(0xC8783A),
     &kBronze, 1, false, false},
    {"COLL_PRO", "\U0001F9FA", nullptr, Rgba::Hex(0x58A860), Rgba::Hex(0x2E8B4E), Rgba::Hex(0xD6DCE2),
     &kSilver, 2, false, false},
    {"COLL_EXPERT", "\U0001F9FA", nullptr, Rgba::Hex(0x58A860), Rgba::Hex(0x2E8B4E), Rgba::Hex(0xF2C035),
     &kGold, 3, false, false},
    {"GREATWALL", "\U0001F9F1", nullptr, Rgba::Hex(0x6FA8DC), Rgba::Hex(0xB8322A), Rgba::Hex(0xF7E3A0),
     &kGold, 0, false, false},
    {"SKYSCRAPER", "\U0001F3E2", nullptr, Rgba::Hex(0x2F62A8), Rgba::Hex(0x3B5A80), Rgba::Hex(0xD6DCE2),
     &kGold, 0, false, false},
    {"BANANASPLITTER", "\U0001F34C", "\U0001F4A7", Rgba::Hex(0x4AA8D8), Rgba::Hex(0xE0A020), Rgba::Hex(0x2F7FC0),
     &kGold, 0, false, false},
    {"ARACHNOBUSTER", "\U0001F577\uFE0F", "\U0001F525", Rgba::Hex(0x7A5AB0), Rgba::Hex(0xD0502A), Rgba::Hex(0xFFD54A),
     &kGold, 0, false, false},
    {"MINIGAME", "\U0001F3AF", nullptr, Rgba::Hex(0x2F9A8A), Rgba::Hex(0x1F7F78), Rgba::Hex(0xF2C035),
     &kGold, 0, false, false},
};

// Where the awards screen puts the top-left corner of each medal, in award order.
const double kWallPlaces[20][2] = {
    {85, 30},   {220, 54},  {360, 60},  {500, 54},  {618, 30},  {85, 150},  {85, 270},
    {85, 390},  {220, 174}, {220, 294}, {220, 414}, {360, 180}, {360, 300}, {360, 420},
    {500, 174}, {500, 294}, {500, 414}, {618, 150}, {618, 270}, {618, 390},
};

// Polished metal lit from the upper left, over the area of a circle.
void SetMetal(Canvas& canvas, const MetalShades& metal, const double cx, const double cy, const double radius,
              const bool reversed)
{
    const double d = reversed ? -radius : radius;
    SetLinear(canvas, cx - d, cy - d, cx + d, cy + d,
              {{0, metal.mLight}, {0.35, metal.mMid}, {0.6, metal.mLight.Mix(metal.mMid, 0.5)}, {1, metal.mDark}});
}

// ---------------------------------------------------------------------------------------
// Medals

// One ribbon tail from under the disc down to a swallowtail end at (endX, endY).
void RibbonTail(Canvas& canvas, const Award& award, const double endX, const double endY)
{
    cairo_t* const cr = canvas.Cr();
    const double startX = kDiscX + (endX - kDiscX) * 0.15;
    const double startY = kDiscY + 8;
    const double length = std::hypot(endX - startX, endY - startY);
    const double ux = (endX - startX) / length;
    const double uy = (endY - startY) / length;
    const double nx = -uy * 8;
    const double ny = ux * 8;
    const auto outline = [&](cairo_t* target) {
        cairo_new_path(target);
        cairo_move_to(target, startX + nx, startY + ny);
        cairo_line_to(target, endX + nx, endY + ny);
        cairo_line_to(target, endX - ux * 7, endY - uy * 7);
        cairo_line_to(target, endX - nx, endY - ny);
        cairo_line_to(target, startX - nx, startY - ny);
        cairo_close_path(target);
    };
    canvas.SoftShape(outline, 3, 0.5, 1.5, Rgba{0, 0, 0, 0.4});
    cairo_save(cr);
    outline(cr);
    cairo_clip_preserve(cr);
    SetLinear(
        canvas, startX + nx, startY + ny, startX - nx, startY - ny,
        {{0, award.mRibbon.Lighter(-0.35)}, {0.3, award.mRibbon.Lighter(0.15)}, {1, award.mRibbon.Lighter(-0.2)}});
    cairo_fill(cr);
    // A stripe down the middle in the second colour.
    cairo_move_to(cr, startX, startY);
    cairo_line_to(cr, endX, endY);
    canvas.SetColor(award.mStripe);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    // The fold where the tail comes out from under the disc.
    SetLinear(canvas, startX, startY, startX + ux * 18, startY + uy * 18,
              {{0, Rgba{0, 0, 0, 0.45}}, {1, Rgba{0, 0, 0, 0}}});
    cairo_paint(cr);
    cairo_restore(cr);
    outline(cr);
    canvas.SetColor(award.mRibbon.Lighter(-0.6).WithAlpha(0.8));
    cairo_set_line_width(cr, 1);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// A laurel leaf pointing along `angle`, with its base at (x, y).
void LaurelLeaf(Canvas& canvas, const double x, const double y, const double angle, const double length)
{
    cairo_t* const cr = canvas.Cr();
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    const double width = length * 0.36;
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, length * 0.3, -width, length * 0.75, -width * 0.8, length, 0);
    cairo_curve_to(cr, length * 0.75, width * 0.8, length * 0.3, width, 0, 0);
    SetLinear(canvas, 0, -width, 0, width, {{0, Ui::kLeafLight}, {0.5, Ui::kLeaf}, {1, Ui::kLeafDark}});
    cairo_fill_preserve(cr);
    canvas.SetColor(Rgba::Hex(0x1E4A1C, 0.9));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_move_to(cr, length * 0.1, 0);
    cairo_line_to(cr, length * 0.8, 0);
    canvas.SetColor(Rgba::Hex(0x1E4A1C, 0.5));
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// Two laurel branches curving up around the disc from its bottom, one on each side.
void LaurelWreath(Canvas& canvas)
{
    constexpr double kRadius = kDiscRadius + 5.5;
    for (const int side : {-1, 1}) {
        for (int i = 0; i < 7; ++i) {
            // From the bottom of the disc round to a little above its middle.
            const double along = kPi / 2 - side * (0.28 + i * 0.3);
            const double x = kDiscX + std::cos(along) * kRadius;
            const double y = kDiscY + std::sin(along) * kRadius;
            const double tangent = along - side * kPi / 2;
            const double length = 11 - i * 0.5;
            LaurelLeaf(canvas, x, y, tangent - side * 0.55, length);
            LaurelLeaf(canvas, x, y, tangent + side * 0.65, length * 0.9);
        }
    }
}

// A rosette of pleated ribbon behind the disc of a feat award.
void Rosette(Canvas& canvas, const Award& award)
{
    cairo_t* const cr = canvas.Cr();
    constexpr int kPleats = 22;
    constexpr double kRadius = kDiscRadius + 4;
    const auto outline = [&](cairo_t* target) {
        cairo_new_path(target);
        Circle(target, kDiscX, kDiscY, kRadius);
        for (int i = 0; i < kPleats; ++i) {
            const double angle = 2 * kPi * i / kPleats;
            Circle(target, kDiscX + std::cos(angle) * kRadius, kDiscY + std::sin(angle) * kRadius, 4.6);
        }
    };
    canvas.SoftShape(outline, 4, 0, 2, Rgba{0, 0, 0, 0.45});
    cairo_save(cr);
    outline(cr);
    cairo_clip(cr);
    canvas.SetRadialGradient(kDiscX - 8, kDiscY - 10, kRadius + 10, award.mRibbon.Lighter(0.35),
                             award.mRibbon.Lighter(-0.3));
    cairo_paint(cr);
    // Every other pleat lies in shade.
    for (int i = 0; i < kPleats; i += 2) {
        const double from = 2 * kPi * (i - 0.5) / kPleats;
        const double to = 2 * kPi * (i + 0.5) / kPleats;
        cairo_new_path(cr);
        cairo_move_to(cr, kDiscX, kDiscY);
        cairo_arc(cr, kDiscX, kDiscY, kRadius + 6, from, to);
        cairo_close_path(cr);
        canvas.SetColor(Rgba{0, 0, 0, 0.16});
        cairo_fill(cr);
    }
    // A ring of the second colour round the middle of the pleats.
    cairo_new_path(cr);
    Circle(cr, kDiscX, kDiscY, kRadius + 1);
    canvas.SetColor(award.mStripe.WithAlpha(0.85));
    cairo_set_line_width(cr, 2.4);
    cairo_stroke(cr);
    cairo_restore(cr);
    outline(cr);
    canvas.SetColor(award.mRibbon.Lighter(-0.6).WithAlpha(0.7));
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
}

// The metal disc: a rim, a field in the award's colour and the emblem on it.
void Disc(Canvas& canvas, const Award& award)
{
    cairo_t* const cr = canvas.Cr();
    const MetalShades& metal = *award.mMetal;
    canvas.SoftShape([](cairo_t* target) { Circle(target, kDiscX, kDiscY, kDiscRadius); }, 3, 0, 1.5,
                     Rgba{0, 0, 0, 0.5});
    cairo_new_path(cr);
    Circle(cr, kDiscX, kDiscY, kDiscRadius);
    SetMetal(canvas, metal, kDiscX, kDiscY, kDiscRadius, false);
    cairo_fill(cr);
    // A bevel: the inner edge of the rim is lit from the other side.
    constexpr double kField = kDiscRadius - 5;
    cairo_new_path(cr);
    Circle(cr, kDiscX, kDiscY, kField + 1.6);
    SetMetal(canvas, metal, kDiscX, kDiscY, kField, true);
    cairo_fill(cr);
    // Notches round the rim, as on a coin.
    for (int i = 0; i < 40; ++i) {
        const double angle = 2 * kPi * i / 40;
        cairo_move_to(cr, kDiscX + std::cos(angle) * (kDiscRadius - 0.6),
                      kDiscY + std::sin(angle) * (kDiscRadius - 0.6));
        cairo_line_to(cr, kDiscX + std::cos(angle) * (kDiscRadius - 2.4),
                      kDiscY + std::sin(angle) * (kDiscRadius - 2.4));
    }
    canvas.SetColor(metal.mDark.WithAlpha(0.45));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);

    cairo_new_path(cr);
    Circle(cr, kDiscX, kDiscY, kField);
    canvas.SetRadialGradient(kDiscX - 6, kDiscY - 8, kField * 1.5, award.mField.Lighter(0.72), award.mField);
    cairo_fill(cr);
    cairo_save(cr);
    Circle(cr, kDiscX, kDiscY, kField);
    cairo_clip(cr);
    // The field lies a little below the rim.
    canvas.SoftShape(
        [&](cairo_t* target) {
            cairo_set_fill_rule(target, CAIRO_FILL_RULE_EVEN_ODD);
            cairo_rectangle(target, 0, 0, kMedalWidth, kMedalHeight);
            Circle(target, kDiscX, kDiscY + 1.5, kField);
        },
        4, 0, 0, Rgba{0, 0, 0, 0.45});
    canvas.SoftShape(Oval(kDiscX, kDiscY + 15, 13, 3.5), 4, 0, 0, Rgba{0, 0, 0, 0.3});
    canvas.Emoji(award.mEmblem, kDiscX, kDiscY - 0.5, 32);
    if (award.mBadge != nullptr)
        canvas.Emoji(award.mBadge, kDiscX + 12, kDiscY + 11, 15);
    // A soft shine over the upper left of the field.
    cairo_new_path(cr);
    Canvas::EllipseOn(cr, kDiscX - 6, kDiscY - 12, 15, 8);
    canvas.SetRadialGradient(kDiscX - 6, kDiscY - 12, 15, Rgba{1, 1, 1, 0.35}, Rgba{1, 1, 1, 0});
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
    Circle(cr, kDiscX, kDiscY, kDiscRadius - 0.5);
    canvas.SetColor(metal.mDark.Lighter(-0.3));
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    cairo_new_path(cr);
    Circle(cr, kDiscX, kDiscY, kField);
    canvas.SetColor(metal.mDark.WithAlpha(0.8));
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
}

// Rank stars along the top of the rosette, in the disc's metal.
void RankStars(Canvas& canvas, const Award& award)
{
    cairo_t* const cr = canvas.Cr();
    for (int i = 0; i < award.mStars; ++i) {
        const double angle = -kPi / 2 + (i - (award.mStars - 1) / 2.0) * 0.62;
        const double x = kDiscX + std::cos(angle) * (kDiscRadius + 4);
        const double y = kDiscY + std::sin(angle) * (kDiscRadius + 4);
        canvas.SoftShape([&](cairo_t* target) { Circle(target, x, y + 1, 5); }, 3, 0, 0, Rgba{0, 0, 0, 0.5});
        cairo_new_path(cr);
        canvas.Star(x, y, 5, 7, 3.2);
        SetMetal(canvas, *award.mMetal, x, y, 7, false);
        cairo_fill_preserve(cr);
        canvas.SetColor(award.mMetal->mDark.Lighter(-0.4));
        cairo_set_line_width(cr, 0.9);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    }
}

void PaintMedal(Canvas& canvas, const Award& award)
{
    RibbonTail(canvas, award, kDiscX - 19, kMedalHeight - 2);
    RibbonTail(canvas, award, kDiscX + 19, kMedalHeight - 2);
    if (award.mHabitat)
        LaurelWreath(canvas);
    else
        Rosette(canvas, award);
    Disc(canvas, award);
    RankStars(canvas, award);
    if (award.mCrown)
        canvas.Emoji("\U0001F451", kDiscX, 6, 20);
}

// ---------------------------------------------------------------------------------------
// The awards screen's wall

// Dark green baize in a wooden case: the yellow names that the game writes under the
// medals stand out on it, and each medal hangs in a soft pool of light so that a darkened,
// not yet earned medal still shows its outline.
void PaintBaize(Canvas& canvas)
{
    cairo_t* const cr = canvas.Cr();
    canvas.SetRadialGradient(400, 260, 560, Rgba::Hex(0x2F5E3C), Rgba::Hex(0x112A19));
    cairo_paint(cr);
    SeededRandom random(8);
    // The nap of the cloth: short strokes in slightly lighter and darker green.
    cairo_set_line_width(cr, 0.7);
    for (int i = 0; i < 9000; ++i) {
        const double x = random.Range(0, kScreenWidth);
        const double y = random.Range(0, kScreenHeight);
        const double angle = random.Range(1.2, 1.9);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + std::cos(angle) * 3, y + std::sin(angle) * 3);
        canvas.SetColor(random.Range(0, 1) < 0.5 ? Rgba{0.55, 0.8, 0.55, random.Range(0.03, 0.07)}
                                                 : Rgba{0, 0.05, 0, random.Range(0.05, 0.12)});
        cairo_stroke(cr);
    }
    for (const auto& place : kWallPlaces) {
        const double cx = place[0] + kDiscX;
        const double cy = place[1] + kDiscY;
        canvas.SetRadialGradient(cx, cy - 4, 56, Rgba{0.75, 0.95, 0.65, 0.26}, Rgba{0.75, 0.95, 0.65, 0});
        cairo_rectangle(cr, cx - 60, cy - 64, 120, 120);
        cairo_fill(cr);
        // A shallow round recess in the cloth where the medal is pinned.
        canvas.SoftShape(
            [&](cairo_t* target) {
                cairo_set_fill_rule(target, CAIRO_FILL_RULE_EVEN_ODD);
                Circle(target, cx, cy, 38);
                Circle(target, cx, cy + 2, 35);
            },
            4, 0, 0, Rgba{0, 0.04, 0, 0.35});
    }
}

void PaintCase(Canvas& canvas)
{
    cairo_t* const cr = canvas.Cr();
    constexpr double kFrame = 16;
    const Shape opening = Box(kFrame, kFrame, kScreenWidth - 2 * kFrame, kScreenHeight - 2 * kFrame, 8);
    // The frame, grained along its length.
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_rectangle(cr, 0, 0, kScreenWidth, kScreenHeight);
    opening(cr);
    cairo_clip(cr);
    SetLinear(canvas, 0, 0, 0, kScreenHeight, {{0, Rgba::Hex(0x9A6A36)}, {0.5, Ui::kWood}, {1, Ui::kWoodDark}});
    cairo_paint(cr);
    SeededRandom random(81);
    for (double offset = 1; offset < kFrame; offset += random.Range(1.5, 3)) {
        cairo_rectangle(cr, offset, offset, kScreenWidth - 2 * offset, kScreenHeight - 2 * offset);
        canvas.SetColor(Ui::kWoodDark.WithAlpha(random.Range(0.15, 0.4)));
        cairo_set_line_width(cr, random.Range(0.5, 1.1));
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    // The frame's shadow on the cloth, and its edges.
    canvas.SoftShape(
        [&](cairo_t* target) {
            cairo_set_fill_rule(target, CAIRO_FILL_RULE_EVEN_ODD);
            cairo_rectangle(target, -50, -50, kScreenWidth + 100, kScreenHeight + 100);
            Canvas::RoundedRectOn(target, kFrame + 2, kFrame + 3, kScreenWidth - 2 * kFrame - 4,
                                  kScreenHeight - 2 * kFrame - 5, 8);
        },
        10, 0, 0, Rgba{0, 0, 0, 0.55});
    cairo_new_path(cr);
    opening(cr);
    canvas.SetColor(Rgba::Hex(0x2A180A));
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_rectangle(cr, 1, 1, kScreenWidth - 2, kScreenHeight - 2);
    canvas.SetColor(Rgba{1, 0.9, 0.7, 0.3});
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

// The cream plaque at the top on which the game writes the screen's title in green.
void PaintTitlePlaque(Canvas& canvas)
{
    cairo_t* const cr = canvas.Cr();
    constexpr double kX = 300;
    constexpr double kY = 14;
    constexpr double kW = 200;
    constexpr double kH = 38;
    const auto plate = [&](cairo_t* target) {
        cairo_new_path(target);
        Canvas::RoundedRectOn(target, kX, kY, kW, kH, 9);
    };
    canvas.SoftShape(plate, 6, 0, 3, Rgba{0, 0, 0, 0.55});
    plate(cr);
    SetMetal(canvas, kGold, kX + kW / 2, kY + kH / 2, kW / 2, false);
    cairo_fill(cr);
    cairo_new_path(cr);
    Canvas::RoundedRectOn(cr, kX + 4, kY + 4, kW - 8, kH - 8, 6);
    canvas.SetVerticalGradient(kY + 4, kY + kH - 4, Ui::kCream, Ui::kPaper);
    cairo_fill_preserve(cr);
    canvas.SetColor(Ui::kGoldDark);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    for (const double x : {kX + 9.0, kX + kW - 9.0}) {
        cairo_new_path(cr);
        Circle(cr, x, kY + kH / 2, 2.2);
        canvas.SetRadialGradient(x - 0.8, kY + kH / 2 - 0.8, 2.6, Rgba::Hex(0xFFF2B0), Ui::kGoldDark);
        cairo_fill(cr);
    }
}

// Soft dark shade under the line where each medal's name is written.
void PaintNameShades(Canvas& canvas)
{
    for (const auto& place : kWallPlaces) {
        const double cx = place[0] + kMedalWidth / 2.0;
        const double baseline = place[1] + kMedalHeight + 15;
        canvas.SoftShape(Box(cx - 62, baseline - 14, 124, 18, 9), 12, 0, 0, Rgba{0, 0.03, 0, 0.35});
    }
}

// Sprigs of leaves in the corners of the case, clear of the medals and the Back button.
void PaintCornerLeaves(Canvas& canvas)
{
    const struct {
        const char* mEmoji;
        double mX, mY, mSize;
    } sprigs[] = {
        {"\U0001F33F", 38, 40, 40},
        {"\U0001F343", 762, 40, 36},
        {"\U0001F33F", 764, 562, 40},
        {"\U0001F343", 34, 566, 30},
    };
    for (const auto& sprig : sprigs)
        canvas.Emoji(sprig.mEmoji, sprig.mX, sprig.mY, sprig.mSize);
}

void PaintAwardWall(Canvas& canvas)
{
    PaintBaize(canvas);
    PaintNameShades(canvas);
    PaintCornerLeaves(canvas);
    PaintCase(canvas);
    PaintTitlePlaque(canvas);
}

// ---------------------------------------------------------------------------------------
// The glow behind the creature under the pointer on the food web screen

constexpr int kGlowWidth = 166;
constexpr int kGlowHeight = 186;

// Golden rays and a warm halo that show round the enlarged creature tile (about 130 pixels
// square) drawn over the middle, and fade out before the name written below it.
void PaintCreatureGlow(Canvas& canvas)
{
    cairo_t* const cr = canvas.Cr();
    constexpr double kCx = kGlowWidth / 2.0;
    constexpr double kCy = 93;
    // The rays fade out at the picture's edges: an ellipse as wide and high as the picture.
    constexpr double kReach = kCx;
    constexpr int kRays = 18;
    cairo_save(cr);
    cairo_translate(cr, kCx, kCy);
    cairo_scale(cr, 1, kCy / kCx);
    cairo_translate(cr, -kCx, -kCy);
    for (int i = 0; i < kRays; ++i) {
        const double angle = 2 * kPi * i / kRays + 0.12;
        const double spread = i % 2 == 0 ? 0.1 : 0.06;
        cairo_new_path(cr);
        cairo_move_to(cr, kCx, kCy);
        cairo_arc(cr, kCx, kCy, kReach, angle - spread, angle + spread);
        cairo_close_path(cr);
        cairo_pattern_t* const ray = cairo_pattern_create_radial(kCx, kCy, 0, kCx, kCy, kReach);
        cairo_pattern_add_color_stop_rgba(ray, 0.6, 1, 0.78, 0.25, i % 2 == 0 ? 0.75 : 0.55);
        cairo_pattern_add_color_stop_rgba(ray, 1, 1, 0.85, 0.4, 0);
        cairo_set_source(cr, ray);
        cairo_pattern_destroy(ray);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    cairo_pattern_t* const halo = cairo_pattern_create_radial(kCx, kCy, 0, kCx, kCy, 82);
    cairo_pattern_add_color_stop_rgba(halo, 0, 1, 0.95, 0.7, 0.9);
    cairo_pattern_add_color_stop_rgba(halo, 0.78, 1, 0.86, 0.45, 0.7);
    cairo_pattern_add_color_stop_rgba(halo, 1, 1, 0.85, 0.4, 0);
    cairo_set_source(cr, halo);
    cairo_paint(cr);
    cairo_pattern_destroy(halo);
}

} // namespace

void AddAwardRecipes(RecipeBook& book)
{
    for (const Award& award : kAwards)
        book.Add(std::string("IMAGE_AWARD_") + award.mId, kMedalWidth, kMedalHeight,
                 [&award](Canvas& canvas, const Cell&) { PaintMedal(canvas, award); });
    book.Add("IMAGE_AWARD_BACKGROUND", kScreenWidth, kScreenHeight,
             [](Canvas& canvas, const Cell&) { PaintAwardWall(canvas); });
    book.Add("IMAGE_GAME_MG_LIGHT", kGlowWidth, kGlowHeight,
             [](Canvas& canvas, const Cell&) { PaintCreatureGlow(canvas); });
}

} // namespace Content
