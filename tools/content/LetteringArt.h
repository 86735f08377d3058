#pragma once
// The juicy lettering of the game's words and numbers: a soft shadow, a thick dark outline, a
// fill that runs from a light colour at the top to a deeper one at the bottom, a bevel (a
// light rim along the top edges of the strokes, a dark one along the bottom edges) and a
// glossy sheen over the upper half; and the sparkles that twinkle round words.

#include "tools/content/Canvas.h"

#include <string>
#include <vector>

namespace Content {
class RecipeBook;
}

namespace Content::LetteringArt {

// The parts of the family, each in its own file: the numbers and words that pop up over the
// board and the panel, and the banners, stage titles and habitat name tags.
void AddPopupRecipes(RecipeBook& book);
void AddBannerRecipes(RecipeBook& book);

struct Lettering {
    FontStyle mFont = FontStyle::SANS_BOLD;
    double mSize = 32;
    Rgba mTop = Rgba::Hex(0xFFF6B8);
    Rgba mBottom = Rgba::Hex(0xF2A81E);
    Rgba mOutline = Rgba::Hex(0x4A2A06);
    // The outline's width as a fraction of the size (never thinner than 1.5 pixels).
    double mOutlineScale = 0.16;
    double mShadowAlpha = 0.55;
    // Degrees; positive turns the word counter-clockwise, so that it climbs to the right.
    double mAngle = 0;
    // The forward lean of the letters: x moves by this much per pixel of height.
    double mSlant = 0;
    bool mBevel = true;
    bool mGloss = true;
};

// The outline's width in pixels.
double OutlineWidth(const Lettering& style);

// The height of the capitals (of "H") in the style.
double CapHeight(cairo_t* cr, const Lettering& style);

// The width of the ink of `text` (not its advance).
double InkWidth(cairo_t* cr, const std::string& text, const Lettering& style);

// The largest size at which `text` (with its outline and lean) fits a box of width x height,
// the height measured on the capitals.
double FitSize(Canvas& canvas, const std::string& text, double width, double height, Lettering style);

// The style at its own size or, where `text` would not fit the box, at the size that fits.
Lettering Fitted(Canvas& canvas, const std::string& text, double width, double height, Lettering style);

// Paints `text` with its ink centred on cx and its capitals centred on cy.
void PaintLettering(Canvas& canvas, const std::string& text, double cx, double cy, const Lettering& style);

struct Sparkle {
    double mX;
    double mY;
    double mRadius;
};

// Twinkling four-pointed stars with a warm glow.
void PaintSparkles(Canvas& canvas, const std::vector<Sparkle>& sparkles);

// Sparkles at the corners of a word of the given ink width and capital height.
std::vector<Sparkle> CornerSparkles(double cx, double cy, double width, double capital, double size);

// The colours of a word: the top and the bottom of its fill and its outline.
struct Colours {
    Rgba mTop;
    Rgba mBottom;
    Rgba mOutline;
};

Lettering WithColours(Lettering style, const Colours& colours);

inline const Colours kGold{Rgba::Hex(0xFFF8C4), Rgba::Hex(0xF2A31B), Rgba::Hex(0x4A2A06)};
inline const Colours kSunset{Rgba::Hex(0xFFF27A), Rgba::Hex(0xFF6A1A), Rgba::Hex(0x4A1406)};
inline const Colours kOrange{Rgba::Hex(0xFFF0A0), Rgba::Hex(0xFF8A12), Rgba::Hex(0x4A1E02)};
inline const Colours kRed{Rgba::Hex(0xFFE27A), Rgba::Hex(0xF0361E), Rgba::Hex(0x4A0A04)};
inline const Colours kPink{Rgba::Hex(0xFFE0F4), Rgba::Hex(0xE8309A), Rgba::Hex(0x4A0630)};
inline const Colours kLeaf{Rgba::Hex(0xF0FFA8), Rgba::Hex(0x3DAA2C), Rgba::Hex(0x0E3A0A)};
inline const Colours kViolet{Rgba::Hex(0xF4E2FF), Rgba::Hex(0x8A3CE0), Rgba::Hex(0x26084A)};
inline const Colours kSky{Rgba::Hex(0xE4FCFF), Rgba::Hex(0x2FA0E0), Rgba::Hex(0x082A4A)};
inline const Colours kTeal{Rgba::Hex(0xDAFFF2), Rgba::Hex(0x18B08E), Rgba::Hex(0x063A30)};
inline const Colours kCream{Rgba::Hex(0xFFFFFF), Rgba::Hex(0xFFD24A), Rgba::Hex(0x5A2E0A)};

} // namespace Content::LetteringArt
