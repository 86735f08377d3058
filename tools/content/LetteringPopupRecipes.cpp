// The numbers and words that pop up over the board and the panel: the panel's score digits
// and SCORE label, the big digits of the number popups, the letters of GAME OVER, the cheers,
// the combos and the points. The popups are tinted a pale yellow by the game, so they are
// bright with dark outlines.

#include "tools/content/LetteringArt.h"
#include "tools/content/Palette.h"
#include "tools/content/Recipe.h"
#include "tools/content/Shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>

namespace Content::LetteringArt {

namespace {

// --- small score digits of the panel and its SCORE label ---

// Nine digits side by side from x 120 end at 228, clear of the board's frame and its shadow
// from x 234 on.
constexpr int kNumWidth = 12;
constexpr int kNumHeight = 20;

Lettering PanelStyle()
{
    Lettering style;
    style.mFont = FontStyle::SANS_CONDENSED_BOLD;
    style.mTop = Rgba::Hex(0xFFFBEA);
    style.mBottom = Rgba::Hex(0xF5C542);
    style.mOutline = Ui::kInk;
    style.mOutlineScale = 0.12;
    style.mShadowAlpha = 0.45;
    style.mBevel = false;
    style.mGloss = false;
    return style;
}

void PaintPanelDigit(Canvas& canvas, const int digit)
{
    // One size for all ten digits, so that the score's digits stand on one line.
    const Lettering style = Fitted(canvas, "0", kNumWidth - 1.5, kNumHeight - 5, PanelStyle());
    PaintLettering(canvas, std::to_string(digit), kNumWidth / 2.0, kNumHeight / 2.0 - 0.5, style);
}

void PaintScoreLabel(Canvas& canvas, const Cell& cell)
{
    Lettering style = PanelStyle();
    style.mFont = FontStyle::SANS_BOLD;
    style.mGloss = true;
    style = Fitted(canvas, "SCORE", cell.mWidth - 6, cell.mHeight - 9, style);
    PaintLettering(canvas, "SCORE", cell.mWidth / 2.0, cell.mHeight / 2.0, style);
}

// --- big digits and signs of the number popups ---

constexpr int kBigWidth = 32;
constexpr int kBigHeight = 44;

void PaintBigGlyph(Canvas& canvas, const std::string& glyph)
{
    Lettering style = WithColours(Lettering{}, kCream);
    style.mOutlineScale = 0.14;
    style = Fitted(canvas, "0", kBigWidth - 4, kBigHeight - 12, style);
    PaintLettering(canvas, glyph, kBigWidth / 2.0, kBigHeight / 2.0 - 1, style);
}

// --- GAME OVER ---

constexpr int kLetterWidth = 72;
constexpr int kLetterHeight = 96;

void PaintGameOverLetter(Canvas& canvas, const std::string& letter)
{
    Lettering style = WithColours(Lettering{}, kSunset);
    style.mOutlineScale = 0.1;
    style.mSize = 200;
    // The widest letter sets the size of all eight.
    style.mSize = FitSize(canvas, "M", kLetterWidth - 8, kLetterHeight - 26, style);
    PaintLettering(canvas, letter, kLetterWidth / 2.0, kLetterHeight / 2.0 - 2, style);
}

// --- popups: cheers, combos, points ---

struct Popup {
    const char* mId;
    int mWidth;
    int mHeight;
    const char* mText;
    Colours mColours;
    // A smaller second line under the text (the points of a combo), or none.
    const char* mPoints = nullptr;
    double mAngle = 4;
    bool mSparkles = true;
    double mSlant = 0;
};

const Popup kPopups[] = {
    {"IMAGE_GAME_CHEER_SHOOT", 260, 80, "SHOOT!", kRed},
    {"IMAGE_GAME_CHEER_AWESOME", 260, 70, "AWESOME!", kOrange},
    {"IMAGE_GAME_CHEER_FABULOUS", 260, 70, "FABULOUS!", kPink},
    {"IMAGE_GAME_CHEER_FANTASTIC", 260, 70, "FANTASTIC!", kLeaf},
    {"IMAGE_GAME_CHEER_MAGNIFICENT", 300, 70, "MAGNIFICENT!", kViolet},
    {"IMAGE_GAME_CHEER_GOALCOMPLETE", 340, 80, "GOAL COMPLETE!", {Rgba::Hex(0xFFFAC8), Rgba::Hex(0xF2A81E), Rgba::Hex(0x1E4A10)}},
    {"IMAGE_GAME_CHEER_LABEL_NEW", 260, 90, "NEW", kSunset, nullptr, 0},
    {"IMAGE_GAME_CHEER_LABEL_AWARD", 360, 100, "AWARD!", kGold, nullptr, 0},
    {"IMAGE_GAME_CHEER_BONUS", 220, 70, "BONUS!", kGold},
    {"IMAGE_GAME_CHEER_BONUS_ROW", 240, 60, "FULL ROW!", kSky},
    {"IMAGE_GAME_CHEER_BONUS_COL", 260, 60, "FULL COLUMN!", kSky},
    {"IMAGE_GAME_CHEER_BONUS_SLOPE", 240, 60, "DIAGONAL!", kSky},
    {"IMAGE_GAME_COMBO_BIG", 230, 72, "BIG COMBO", kOrange, "+2500"},
    {"IMAGE_GAME_COMBO_EXTRA", 240, 72, "EXTRA COMBO", kRed, "+5000"},
    {"IMAGE_GAME_COLLECTORCOMBO", 280, 72, "COLLECTOR COMBO", kTeal, "+7500"},
    {"IMAGE_GAME_MASTERCOMBO", 270, 78, "MASTER COMBO", {Rgba::Hex(0xFFF6C0), Rgba::Hex(0xF0A018), Rgba::Hex(0x38084A)}, "+10000"},
    {"IMAGE_GAME_RIGHTON", 200, 60, "Right on!", kLeaf, nullptr, 5, true, 0.18},
};

void PaintPopup(Canvas& canvas, const Popup& popup)
{
    const double width = popup.mWidth;
    const double height = popup.mHeight;
    const double margin = std::max(10.0, height * 0.14);
    Lettering style = WithColours(Lettering{}, popup.mColours);
    style.mAngle = popup.mAngle;
    style.mSlant = popup.mSlant;
    style.mSize = 200;
    // A tilted word needs room for its rise across the width.
    const double rise = std::sin(popup.mAngle * std::numbers::pi / 180) * width * 0.5;
    const double textHeight = popup.mPoints != nullptr ? (height - 2 * margin) * 0.62 : height - 2 * margin - rise;
    style = Fitted(canvas, popup.mText, width - 2 * margin, textHeight, style);
    const double capital = CapHeight(canvas.Cr(), style);
    const double ink = InkWidth(canvas.Cr(), popup.mText, style);
    double textY = height / 2;
    if (popup.mPoints != nullptr) {
        Lettering points = WithColours(Lettering{}, kCream);
        points.mAngle = popup.mAngle;
        points.mSize = 200;
        points = Fitted(canvas, popup.mPoints, width * 0.5, (height - 2 * margin) * 0.36, points);
        const double pointsCapital = CapHeight(canvas.Cr(), points);
        const double gap = std::max(5.0, OutlineWidth(style));
        const double total = capital + gap + pointsCapital;
        textY = (height - total) / 2 + capital / 2 - 1;
        const double pointsY = textY + capital / 2 + gap + pointsCapital / 2;
        PaintLettering(canvas, popup.mText, width / 2, textY, style);
        PaintLettering(canvas, popup.mPoints, width / 2 + ink * 0.18, pointsY - ink * 0.18 * std::sin(popup.mAngle * std::numbers::pi / 180), points);
    } else {
        PaintLettering(canvas, popup.mText, width / 2, textY, style);
    }
    if (popup.mSparkles) {
        const double size = std::clamp(capital * 0.42, 6.0, 16.0);
        PaintSparkles(canvas, CornerSparkles(width / 2, textY, std::min(ink, width - 2 * size), capital, size));
    }
}

struct Points {
    const char* mId;
    int mWidth;
    int mHeight;
    const char* mText;
    // An emoji before the number, or none.
    const char* mEmoji = nullptr;
};

const Points kPoints[] = {
    {"IMAGE_GAME_PNT_BASIC", 100, 40, "+50", "\u2B50"},
    {"IMAGE_GAME_PNT_DIAMOND", 110, 50, "+100", "\U0001F48E"},
    {"IMAGE_GAME_PNT_GOLD", 100, 40, "+1000", "\U0001FA99"},
    {"IMAGE_GAME_PNT_COMBOMASTER", 140, 40, "+10000", "\U0001F451"},
    {"IMAGE_GAME_PNT_15", 80, 40, "+15"},
    {"IMAGE_GAME_PNT_20", 80, 40, "+20"},
    {"IMAGE_GAME_PNT_25", 80, 40, "+25"},
    {"IMAGE_GAME_PNT_150", 100, 40, "+150"},
    {"IMAGE_GAME_PNT_200", 100, 40, "+200"},
    {"IMAGE_GAME_PNT_250", 100, 40, "+250"},
    {"IMAGE_GAME_PNT_300", 100, 40, "+300"},
    {"IMAGE_GAME_PNT_350", 100, 40, "+350"},
    {"IMAGE_GAME_PNT_400", 100, 40, "+400"},
    {"IMAGE_GAME_PNT_450", 100, 40, "+450"},
    {"IMAGE_GAME_PNT_500", 100, 40, "+500"},
    {"IMAGE_GAME_PNT_550", 100, 40, "+550"},
    {"IMAGE_GAME_PNT_750", 100, 40, "+750"},
    {"IMAGE_GAME_PNT_900", 100, 40, "+900"},
    {"IMAGE_GAME_PNT_2000", 120, 40, "+2000"},
    {"IMAGE_GAME_PNT_4000", 120, 40, "+4000"},
};

void PaintPoints(Canvas& canvas, const Points& points)
{
    const double width = points.mWidth;
    const double height = points.mHeight;
    Lettering style = WithColours(Lettering{}, kGold);
    style.mOutlineScale = 0.15;
    style.mSize = 200;
    // One size for all the points popups of a height, so that they look like a family.
    style.mSize = FitSize(canvas, "+0", width, height - 14, style);
    const double emoji = points.mEmoji != nullptr ? height - 8 : 0;
    const double room = width - 6 - (emoji > 0 ? emoji + 2 : 0);
    style = Fitted(canvas, points.mText, room, height - 14, style);
    const double ink = InkWidth(canvas.Cr(), points.mText, style) + OutlineWidth(style);
    const double left = (width - ink - (emoji > 0 ? emoji + 2 : 0)) / 2;
    if (emoji > 0) {
        canvas.SoftShape(Oval(left + emoji / 2, height / 2, emoji * 0.42, emoji * 0.42), 4, 0, 1, Rgba{0, 0, 0, 0.35});
        canvas.Emoji(points.mEmoji, left + emoji / 2, height / 2, emoji);
    }
    PaintLettering(canvas, points.mText, width - left - ink / 2, height / 2 - 1, style);
}

} // namespace

void AddPopupRecipes(RecipeBook& book)
{
    for (int digit = 0; digit <= 9; ++digit) {
        book.Add("IMAGE_GAME_NUM_" + std::to_string(digit), kNumWidth, kNumHeight,
                 [digit](Canvas& canvas, const Cell&) { PaintPanelDigit(canvas, digit); });
        book.Add("IMAGE_GAME_BIG_" + std::to_string(digit), kBigWidth, kBigHeight,
                 [digit](Canvas& canvas, const Cell&) { PaintBigGlyph(canvas, std::to_string(digit)); });
    }
    book.Add("IMAGE_GAME_BIG_PLUS", kBigWidth, kBigHeight,
             [](Canvas& canvas, const Cell&) { PaintBigGlyph(canvas, "+"); });
    book.Add("IMAGE_GAME_BIG_MINUS", kBigWidth, kBigHeight,
             [](Canvas& canvas, const Cell&) { PaintBigGlyph(canvas, "-"); });
    book.Add("IMAGE_GAME_SCORE_LABEL", 90, 26, PaintScoreLabel);

    const std::pair<const char*, const char*> letters[] = {{"G", "G"}, {"A", "A"}, {"M", "M"}, {"E1", "E"},
                                                           {"O", "O"}, {"V", "V"}, {"E2", "E"}, {"R", "R"}};
    for (const auto& [suffix, letter] : letters) {
        book.Add(std::string("IMAGE_GAME_LETTER_") + suffix, kLetterWidth, kLetterHeight,
                 [letter](Canvas& canvas, const Cell&) { PaintGameOverLetter(canvas, letter); });
    }

    for (const Popup& popup : kPopups) {
        book.Add(popup.mId, popup.mWidth, popup.mHeight,
                 [&popup](Canvas& canvas, const Cell&) { PaintPopup(canvas, popup); });
    }
    for (const Points& points : kPoints) {
        book.Add(points.mId, points.mWidth, points.mHeight,
                 [&points](Canvas& canvas, const Cell&) { PaintPoints(canvas, points); });
    }
}

} // namespace Content::LetteringArt
