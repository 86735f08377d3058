// The banners of the plate bonuses, the stage titles and the habitat name tags of the panel
// and the map.

#include "tools/content/LetteringArt.h"
#include "tools/content/Palette.h"
#include "tools/content/Recipe.h"
#include "tools/content/Shapes.h"

namespace Content::LetteringArt {

namespace {

// --- plate bonuses ---

struct PlateBonus {
    const char* mId;
    const char* mName;
    const char* mPoints;
    MetalShades mMetal;
};

const PlateBonus kPlateBonuses[] = {
    {"IMAGE_GAME_PLATE_COPPER_BONUS", "COPPER PLATES BONUS", "+15000",
     {Rgba::Hex(0xFFD8B0), Rgba::Hex(0xC87533), Rgba::Hex(0x4A1E06)}},
    {"IMAGE_GAME_PLATE_SILVER_BONUS", "SILVER PLATES BONUS", "+25000",
     {Rgba::Hex(0xFFFFFF), Rgba::Hex(0x9AA8B8), Rgba::Hex(0x243040)}},
    {"IMAGE_GAME_PLATE_GOLDEN_BONUS", "GOLDEN PLATES BONUS", "+50000",
     {Rgba::Hex(0xFFF6B0), Rgba::Hex(0xE8A317), Rgba::Hex(0x4A2E04)}},
};

// A round plate of metal with an embossed star.
void PaintMedal(Canvas& canvas, const double cx, const double cy, const double radius, const MetalShades& metal)
{
    cairo_t* const cr = canvas.Cr();
    canvas.SoftShape(Oval(cx, cy, radius, radius), 6, 1, 3, Rgba{0, 0, 0, 0.5});
    canvas.Ellipse(cx, cy, radius, radius);
    canvas.SetColor(metal.mDark);
    cairo_fill(cr);
    canvas.Ellipse(cx, cy, radius - 2.5, radius - 2.5);
    canvas.SetRadialGradient(cx - radius * 0.3, cy - radius * 0.35, radius * 1.3, metal.mLight, metal.mMid);
    cairo_fill(cr);
    canvas.Ellipse(cx, cy, radius * 0.74, radius * 0.74);
    canvas.SetColor(metal.mDark.WithAlpha(0.45));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    canvas.Ellipse(cx, cy, radius * 0.74 - 1.5, radius * 0.74 - 1.5);
    canvas.SetColor(metal.mLight.WithAlpha(0.6));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // The star, lit from the top left.
    canvas.Star(cx + 1, cy + 1.5, 5, radius * 0.56, radius * 0.24);
    canvas.SetColor(metal.mDark.WithAlpha(0.55));
    cairo_fill(cr);
    canvas.Star(cx, cy, 5, radius * 0.56, radius * 0.24);
    canvas.SetVerticalGradient(cy - radius * 0.56, cy + radius * 0.5, metal.mLight, metal.mMid.Lighter(0.2));
    cairo_fill(cr);
    // A sheen across the upper half.
    canvas.Ellipse(cx - radius * 0.1, cy - radius * 0.45, radius * 0.7, radius * 0.35);
    canvas.SetVerticalGradient(cy - radius * 0.8, cy - radius * 0.1, Rgba{1, 1, 1, 0.55}, Rgba{1, 1, 1, 0});
    cairo_fill(cr);
}

void PaintPlateBonus(Canvas& canvas, const Cell& cell, const PlateBonus& bonus)
{
    const double width = cell.mWidth;
    const double height = cell.mHeight;
    const double radius = height / 2 - 8;
    const double medalX = radius + 8;
    PaintMedal(canvas, medalX, height / 2, radius, bonus.mMetal);
    PaintSparkles(canvas, {{medalX + radius * 0.72, height / 2 - radius * 0.72, 9}});

    const double textLeft = medalX + radius + 10;
    const double textWidth = width - textLeft - 6;
    const double textX = textLeft + textWidth / 2;
    Lettering name = WithColours(Lettering{}, kCream);
    name.mFont = FontStyle::SANS_CONDENSED_BOLD;
    name.mOutlineScale = 0.2;
    name.mBevel = false;
    name.mSize = 200;
    name = Fitted(canvas, bonus.mName, textWidth, 15, name);
    Lettering points;
    points.mTop = bonus.mMetal.mLight;
    points.mBottom = bonus.mMetal.mMid;
    points.mOutline = bonus.mMetal.mDark;
    points.mSize = 200;
    points = Fitted(canvas, bonus.mPoints, textWidth, 34, points);
    PaintLettering(canvas, bonus.mName, textX, 20, name);
    PaintLettering(canvas, bonus.mPoints, textX, height - 31, points);
}

// --- stage titles ---

constexpr int kStageLabelWidth = 280;
constexpr int kStageLabelHeight = 120;
// The habitat's title rests 40 pixels over the bottom of the STAGE label: that part of it
// is left empty.
constexpr int kStageOverlap = 40;

void PaintStageLabel(Canvas& canvas)
{
    Lettering style = WithColours(Lettering{}, Colours{Rgba::Hex(0xFFFBE0), Rgba::Hex(0xF2B62A), Ui::kWoodDark});
    style.mSize = 200;
    style.mOutlineScale = 0.12;
    const double height = kStageLabelHeight - kStageOverlap;
    style = Fitted(canvas, "STAGE", kStageLabelWidth - 40, height - 24, style);
    PaintLettering(canvas, "STAGE", kStageLabelWidth / 2.0, height / 2.0, style);
    const double ink = InkWidth(canvas.Cr(), "STAGE", style);
    const double capital = CapHeight(canvas.Cr(), style);
    PaintSparkles(canvas, {{kStageLabelWidth / 2.0 - ink / 2 - 6, height / 2 - capital * 0.45, 11},
                           {kStageLabelWidth / 2.0 + ink / 2 + 6, height / 2 + capital * 0.35, 8}});
}

constexpr int kStageTitleWidth = 440;
constexpr int kStageTitleHeight = 100;

struct StageTitle {
    const char* mId;
    const char* mName;
    HabitatLook mHabitat;
    const char* mLeft;
    const char* mRight;
};

const StageTitle kStageTitles[] = {
    {"IMAGE_GAME_STAGE_AM", "AMAZON", HabitatLook::AMAZON, "\U0001F33F", "\U0001F99C"},
    {"IMAGE_GAME_STAGE_GC", "GRAND CANYON", HabitatLook::GRAND_CANYON, "\U0001F335", "\U0001F985"},
    {"IMAGE_GAME_STAGE_AL", "ALASKA", HabitatLook::ALASKA, "\U0001F332", "\U0001F98C"},
    {"IMAGE_GAME_STAGE_AR", "ARCTIC", HabitatLook::ARCTIC, "\u2744\uFE0F", "\U0001F43B\u200D\u2744\uFE0F"},
};

void PaintStageTitle(Canvas& canvas, const StageTitle& title)
{
    const HabitatPalette& palette = PaletteOf(title.mHabitat);
    constexpr double kEmoji = 54;
    constexpr double kCy = kStageTitleHeight / 2.0;
    Lettering style;
    style.mTop = palette.mLight.Lighter(0.6);
    style.mBottom = palette.mMain.Lighter(0.05);
    style.mOutline = palette.mDeep.Lighter(-0.35);
    style.mOutlineScale = 0.13;
    style.mSize = 62;
    style = Fitted(canvas, title.mName, kStageTitleWidth - 2 * (kEmoji + 12), kStageTitleHeight - 40, style);
    const double ink = InkWidth(canvas.Cr(), title.mName, style) + OutlineWidth(style);
    // The emoji stand close to the word, a little tilted like stickers.
    const double gap = kEmoji / 2 + 6;
    const auto sticker = [&](const char* emoji, double x, double angle) {
        canvas.SoftShape(Oval(x, kCy + 4, kEmoji * 0.4, kEmoji * 0.4), 8, 0, 3, Rgba{0, 0, 0, 0.4});
        cairo_save(canvas.Cr());
        cairo_translate(canvas.Cr(), x, kCy);
        cairo_rotate(canvas.Cr(), angle);
        canvas.Emoji(emoji, 0, 0, kEmoji);
        cairo_restore(canvas.Cr());
    };
    sticker(title.mLeft, kStageTitleWidth / 2.0 - ink / 2 - gap, -0.18);
    sticker(title.mRight, kStageTitleWidth / 2.0 + ink / 2 + gap, 0.18);
    PaintLettering(canvas, title.mName, kStageTitleWidth / 2.0, kCy, style);
}

// --- habitat name tags of the panel and the world map ---

constexpr int kTagWidth = 150;
constexpr int kTagHeight = 34;

struct HabitatTag {
    const char* mId;
    const char* mName;
    Rgba mColour;
};

const HabitatTag kHabitatTags[] = {
    {"IMAGE_GAME_AMAZON_LABEL", "Amazon", Rgba::Hex(0x2E8B4E)},
    {"IMAGE_GAME_GRANDCANYON_LABEL", "Grand Canyon", Rgba::Hex(0xC4622D)},
    {"IMAGE_GAME_ALASKA_LABEL", "Alaska", Rgba::Hex(0x2F7F80)},
    {"IMAGE_GAME_ARCTIC_LABEL", "Arctic", Rgba::Hex(0x4A90C8)},
    {"IMAGE_GAME_EUROPE_LABEL", "Europe", Rgba::Hex(0x4F6FC0)},
    {"IMAGE_GAME_DESERT_LABEL", "Desert", Rgba::Hex(0xCF9A30)},
    {"IMAGE_GAME_AFRICA_LABEL", "Africa", Rgba::Hex(0xD9762B)},
    {"IMAGE_GAME_ASIA_LABEL", "Asia", Rgba::Hex(0xC0392B)},
    {"IMAGE_GAME_AUSTRALIA_LABEL", "Australia", Rgba::Hex(0xB5532A)},
    {"IMAGE_GAME_PACIFIC_LABEL", "Pacific", Rgba::Hex(0x1E88A8)},
};

// A ribbon with notched ends.
void RibbonPath(cairo_t* cr, const double left, const double top, const double width, const double height,
                const double notch)
{
    const double right = left + width;
    const double bottom = top + height;
    const double middle = top + height / 2;
    cairo_new_sub_path(cr);
    cairo_move_to(cr, left, top);
    cairo_line_to(cr, right, top);
    cairo_line_to(cr, right - notch, middle);
    cairo_line_to(cr, right, bottom);
    cairo_line_to(cr, left, bottom);
    cairo_line_to(cr, left + notch, middle);
    cairo_close_path(cr);
}

void PaintHabitatTag(Canvas& canvas, const HabitatTag& tag)
{
    cairo_t* const cr = canvas.Cr();
    constexpr double kLeft = 2;
    constexpr double kTop = 3;
    constexpr double kWidth = kTagWidth - 4;
    constexpr double kHeight = kTagHeight - 8;
    constexpr double kNotch = 9;
    canvas.SoftShape([&](cairo_t* target) { RibbonPath(target, kLeft, kTop, kWidth, kHeight, kNotch); }, 4, 0, 2,
                     Rgba{0, 0, 0, 0.5});
    RibbonPath(cr, kLeft, kTop, kWidth, kHeight, kNotch);
    canvas.SetVerticalGradient(kTop, kTop + kHeight, tag.mColour.Lighter(0.25), tag.mColour.Lighter(-0.25));
    cairo_fill_preserve(cr);
    canvas.SetColor(tag.mColour.Lighter(-0.6));
    cairo_set_line_width(cr, 1.5);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_stroke(cr);
    // A stitched seam along the edges, as on a cloth badge.
    cairo_move_to(cr, kLeft + kNotch + 2, kTop + 3.5);
    cairo_line_to(cr, kLeft + kWidth - kNotch - 2, kTop + 3.5);
    cairo_move_to(cr, kLeft + kNotch + 2, kTop + kHeight - 3.5);
    cairo_line_to(cr, kLeft + kWidth - kNotch - 2, kTop + kHeight - 3.5);
    const double dashes[] = {3, 2.5};
    cairo_set_dash(cr, dashes, 2, 0);
    canvas.SetColor(Ui::kCream.WithAlpha(0.6));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    // A sheen over the upper half.
    cairo_rectangle(cr, kLeft + 1, kTop + 1, kWidth - 2, kHeight * 0.42);
    canvas.SetVerticalGradient(kTop, kTop + kHeight * 0.45, Rgba{1, 1, 1, 0.3}, Rgba{1, 1, 1, 0.05});
    cairo_fill(cr);

    Lettering style;
    style.mFont = FontStyle::SANS_CONDENSED_BOLD;
    style.mTop = Rgba::Hex(0xFFFFFF);
    style.mBottom = Ui::kCream.Mix(Ui::kGold, 0.35);
    style.mOutline = tag.mColour.Lighter(-0.7);
    style.mOutlineScale = 0.16;
    style.mShadowAlpha = 0.4;
    style.mBevel = false;
    style.mGloss = false;
    style.mSize = 17;
    style = Fitted(canvas, tag.mName, kWidth - 2 * kNotch - 10, 13, style);
    PaintLettering(canvas, tag.mName, kTagWidth / 2.0, kTop + kHeight / 2, style);
}

} // namespace

void AddBannerRecipes(RecipeBook& book)
{
    for (const PlateBonus& bonus : kPlateBonuses) {
        book.Add(bonus.mId, 320, 90,
                 [&bonus](Canvas& canvas, const Cell& cell) { PaintPlateBonus(canvas, cell, bonus); });
    }

    book.Add("IMAGE_GAME_LABEL_STAGE", kStageLabelWidth, kStageLabelHeight,
             [](Canvas& canvas, const Cell&) { PaintStageLabel(canvas); });
    for (const StageTitle& title : kStageTitles) {
        book.Add(title.mId, kStageTitleWidth, kStageTitleHeight,
                 [&title](Canvas& canvas, const Cell&) { PaintStageTitle(canvas, title); });
    }
    for (const HabitatTag& tag : kHabitatTags) {
        book.Add(tag.mId, kTagWidth, kTagHeight, [&tag](Canvas& canvas, const Cell&) { PaintHabitatTag(canvas, tag); });
    }
}

} // namespace Content::LetteringArt
