// The story's people: Jane's signature, her portrait, and Jane and August on the phone, as
// photographs taped into her notes.

#include "tools/content/HudArt.h"
#include "tools/content/Palette.h"
#include "tools/content/Recipe.h"
#include "tools/content/Shapes.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace Content::HudArt {

namespace {

constexpr double kPi = std::numbers::pi;

// The two people of the story, as their texts name them.
constexpr const char* kGuideName = "Jane";
constexpr const char* kPartnerName = "August";

const Rgba kInkBlue = Rgba::Hex(0x1E2F6B);

using Points = std::vector<std::pair<double, double>>;

// A stroke of a broad-nibbed pen: the curve drawn several times side by side across the nib,
// so that it is broad where it runs across the nib and hairline where it runs along it.
void PenStroke(Canvas& canvas, const Points& points, const double nibWidth, const Rgba& ink)
{
    cairo_t* const cr = canvas.Cr();
    constexpr double kNibAngle = -0.75;
    constexpr int kSteps = 9;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (int step = 0; step < kSteps; ++step) {
        const double along = (static_cast<double>(step) / (kSteps - 1) - 0.5) * nibWidth;
        cairo_save(cr);
        cairo_translate(cr, std::cos(kNibAngle) * along, std::sin(kNibAngle) * along);
        cairo_new_path(cr);
        SmoothCurve(cr, points, false);
        cairo_restore(cr);
        canvas.SetColor(ink);
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
    }
}

// ---------------------------------------------------------------------------------------
// Signature

// Jane's signature in blue-black ink: a looped J, the rest joined up, and a swash under it.
void PaintSignature(Canvas& canvas)
{
    const Points name = {{14, 30}, {22, 17}, {36, 9},  {45, 9},  {42, 17}, {38, 32}, {34, 46}, {29, 55},
                         {22, 57}, {18, 52}, {24, 45}, {36, 41}, {46, 35}, {51, 30}, {55, 29}, {49, 27.5},
                         {44, 31}, {43, 38}, {47, 41}, {53, 36}, {56, 29}, {55, 36}, {57, 41}, {61, 38}, {64, 31},
                         {64, 40}, {66, 34}, {71, 29}, {75, 32}, {75, 40}, {79, 41}, {83, 37}, {89, 34},
                         {92, 30}, {88, 28}, {83, 32}, {84, 40}, {90, 42}, {97, 38}};
    const Points swash = {{22, 51}, {50, 48}, {88, 46}, {108, 43}, {120, 38}};
    cairo_save(canvas.Cr());
    cairo_translate(canvas.Cr(), 4, 0);
    cairo_scale(canvas.Cr(), 1.22, 1);
    PenStroke(canvas, name, 3.2, kInkBlue.WithAlpha(0.6));
    PenStroke(canvas, swash, 2.4, kInkBlue.WithAlpha(0.5));
    cairo_restore(canvas.Cr());
}

// ---------------------------------------------------------------------------------------
// Photographs of the people

// Jane is a field scientist; August works at the organisation's office.
constexpr const char* kJaneEmoji = "\U0001F469\U0001F3FC\u200D\U0001F52C";
constexpr const char* kAugustEmoji = "\U0001F468\U0001F3FD\u200D\U0001F4BC";

// The tape that holds a photograph.
const TapeLook kPhotoTape{7, 1.5, 2, 0.8, false};

struct PhotoLayout {
    double mX, mY, mWidth, mHeight; // the card
    double mBorder;                 // the white border around the picture
    double mCaption;                // the height of the writing space under the picture
    double mAngle;                  // the card's tilt, in radians
};

// A photograph on white card with a caption written under the picture and a strip of tape
// holding it: `scene` paints the picture into the rectangle it is given, already clipped.
void Photograph(Canvas& canvas, const PhotoLayout& layout, const std::string& caption,
                const std::function<void(Canvas&, double, double, double, double)>& scene)
{
    cairo_t* const cr = canvas.Cr();
    cairo_save(cr);
    cairo_translate(cr, layout.mX + layout.mWidth / 2, layout.mY + layout.mHeight / 2);
    cairo_rotate(cr, layout.mAngle);
    cairo_translate(cr, -layout.mWidth / 2, -layout.mHeight / 2);
    const Shape card = Box(0, 0, layout.mWidth, layout.mHeight, 3);
    canvas.SoftShape(card, 5, 1, 3, Rgba{0.12, 0.07, 0.02, 0.5});
    cairo_new_path(cr);
    card(cr);
    canvas.SetVerticalGradient(0, layout.mHeight, Rgba::Hex(0xFFFDF6), Rgba::Hex(0xF1EAD8));
    cairo_fill_preserve(cr);
    canvas.SetColor(Rgba::Hex(0xBFAE88));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    const double px = layout.mBorder;
    const double py = layout.mBorder;
    const double pw = layout.mWidth - 2 * layout.mBorder;
    const double ph = layout.mHeight - layout.mBorder - layout.mCaption;
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, px, py, pw, ph);
    cairo_clip(cr);
    scene(canvas, px, py, pw, ph);
    // The print's gloss and its darker corners.
    canvas.SetRadialGradient(px + pw / 2, py + ph / 2, std::hypot(pw, ph) * 0.6, Rgba{0, 0, 0, 0},
                             Rgba{0.1, 0.05, 0, 0.3});
    cairo_paint(cr);
    canvas.SetVerticalGradient(py, py + ph * 0.45, Rgba{1, 1, 1, 0.18}, Rgba{1, 1, 1, 0});
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, px, py, pw, ph);
    canvas.SetColor(Rgba{0, 0, 0, 0.35});
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    TextStyle style;
    style.mFont = FontStyle::SERIF_ITALIC;
    style.mSize = std::min(20.0, layout.mCaption * 0.8);
    style.mFill = kInkBlue.WithAlpha(0.9);
    canvas.Text(caption, layout.mWidth / 2, layout.mHeight - layout.mCaption * 0.3, Align::CENTRE, style);
    Tape(canvas, layout.mWidth / 2, 0, -0.06, std::min(60.0, layout.mWidth * 0.45), kPhotoTape);
    cairo_restore(cr);
}

// Leaves of the rain forest along the sides of a picture, lit towards the middle. They are
// spread by a low-discrepancy sequence (fractions of multiples of irrational steps), which
// covers the sides evenly without clumps.
void Foliage(Canvas& canvas, const double x, const double y, const double width, const double height)
{
    cairo_t* const cr = canvas.Cr();
    const auto fraction = [](const double value) { return value - std::floor(value); };
    for (int i = 0; i < 40; ++i) {
        const bool left = i % 2 == 0;
        const double edge = fraction(0.5 + i * 0.7548776662);
        const double down = fraction(0.5 + i * 0.5698402910);
        const double spread = fraction(i * 0.6180339887);
        const double lx = left ? x + edge * width * 0.3 : x + width - edge * width * 0.3;
        const double ly = y + down * height;
        const double length = (0.18 + spread * 0.16) * width;
        const double angle = (left ? 0 : kPi) + (spread - 0.5) * 1.6;
        cairo_save(cr);
        cairo_translate(cr, lx, ly);
        cairo_rotate(cr, angle);
        cairo_new_path(cr);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, length * 0.3, -length * 0.28, length * 0.75, -length * 0.22, length, 0);
        cairo_curve_to(cr, length * 0.75, length * 0.22, length * 0.3, length * 0.28, 0, 0);
        cairo_close_path(cr);
        const double light = 0.25 + 0.75 * edge * fraction(i * 0.41421356);
        canvas.SetColor(Rgba::Hex(0x1E5A2A).Mix(Rgba::Hex(0x7CC45A), light));
        cairo_fill(cr);
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, length * 0.9, 0);
        canvas.SetColor(Rgba{0, 0.15, 0, 0.35});
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
}

// Jane in the rain forest: sunlight through the canopy, leaves around her.
void JungleScene(Canvas& canvas, const double x, const double y, const double width, const double height)
{
    cairo_t* const cr = canvas.Cr();
    canvas.SetVerticalGradient(y, y + height, Rgba::Hex(0xD8F0B8), Rgba::Hex(0x5E9E58));
    cairo_paint(cr);
    canvas.SetRadialGradient(x + width * 0.7, y + height * 0.15, width * 0.6, Rgba::Hex(0xFFF6C0, 0.9),
                             Rgba::Hex(0xFFF6C0, 0));
    cairo_paint(cr);
    Foliage(canvas, x, y, width, height);
}

// August at the office: a warm wall, a framed map, a window with the sky.
void OfficeScene(Canvas& canvas, const double x, const double y, const double width, const double height)
{
    cairo_t* const cr = canvas.Cr();
    canvas.SetVerticalGradient(y, y + height, Rgba::Hex(0xF2E2C0), Rgba::Hex(0xC9AE80));
    cairo_paint(cr);
    // Wood panelling along the bottom of the wall.
    cairo_new_path(cr);
    cairo_rectangle(cr, x, y + height * 0.72, width, height * 0.28);
    canvas.SetVerticalGradient(y + height * 0.72, y + height, Rgba::Hex(0x9A6A3A), Rgba::Hex(0x5C3A1A));
    cairo_fill(cr);
    // A window on the left and a framed map on the right.
    const double wx = x + width * 0.06;
    const double wy = y + height * 0.08;
    const double ww = width * 0.34;
    const double wh = height * 0.36;
    cairo_new_path(cr);
    cairo_rectangle(cr, wx, wy, ww, wh);
    canvas.SetVerticalGradient(wy, wy + wh, Rgba::Hex(0x8CCBEF), Rgba::Hex(0xD8F0FA));
    cairo_fill_preserve(cr);
    canvas.SetColor(Rgba::Hex(0xFFFDF6));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_move_to(cr, wx + ww / 2, wy);
    cairo_line_to(cr, wx + ww / 2, wy + wh);
    cairo_move_to(cr, wx, wy + wh / 2);
    cairo_line_to(cr, wx + ww, wy + wh / 2);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    const double mx = x + width * 0.58;
    const double my = y + height * 0.1;
    const double mw = width * 0.36;
    const double mh = height * 0.24;
    cairo_new_path(cr);
    cairo_rectangle(cr, mx, my, mw, mh);
    canvas.SetColor(Rgba::Hex(0xA9DCEB));
    cairo_fill_preserve(cr);
    canvas.SetColor(Ui::kWoodDark);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    for (const auto& [fx, fy, rx, ry] : {std::tuple{0.3, 0.4, 0.16, 0.25}, std::tuple{0.55, 0.55, 0.1, 0.3},
                                         std::tuple{0.75, 0.35, 0.15, 0.2}}) {
        cairo_new_path(cr);
        canvas.Ellipse(mx + mw * fx, my + mh * fy, mw * rx, mh * ry);
        canvas.SetColor(Rgba::Hex(0x9FCB7A));
        cairo_fill(cr);
    }
}

// Curved lines of a voice coming out of a telephone, towards the middle of the screen.
void SpeechWaves(Canvas& canvas, const double cx, const double cy, const double direction)
{
    cairo_t* const cr = canvas.Cr();
    for (int ring = 0; ring < 3; ++ring) {
        const double radius = 7 + ring * 6;
        cairo_new_path(cr);
        if (direction > 0)
            cairo_arc(cr, cx, cy, radius, -0.7, 0.7);
        else
            cairo_arc(cr, cx, cy, radius, kPi - 0.7, kPi + 0.7);
        canvas.SetColor(Rgba{1, 1, 1, 0.95});
        cairo_set_line_width(cr, 4.5);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke_preserve(cr);
        canvas.SetColor(Rgba::Hex(0xD8412E));
        cairo_set_line_width(cr, 2.2);
        cairo_stroke(cr);
    }
}

// A person from the emoji font, seen from the chest up at the bottom of a picture.
void Person(Canvas& canvas, const char* emoji, const double cx, const double bottom, const double size)
{
    canvas.Emoji(emoji, cx, bottom - size * 0.45, size);
}

// Jane's portrait beside her notes: the scientist among the leaves.
void PaintPortrait(Canvas& canvas)
{
    const PhotoLayout layout = {6, 5, 98, 120, 7, 24, -0.04};
    Photograph(canvas, layout, kGuideName, [](Canvas& target, double x, double y, double width, double height) {
        JungleScene(target, x, y, width, height);
        Person(target, kJaneEmoji, x + width / 2, y + height + 6, 84);
    });
}

// Jane in the field with her mobile telephone at her ear, talking towards the right; a macaw
// looks on from a branch.
void PaintJanePhone(Canvas& canvas, const Cell& cell)
{
    const PhotoLayout layout = {8, 10, cell.mWidth - 16.0, cell.mHeight - 20.0, 9, 40, -0.025};
    Photograph(canvas, layout, kGuideName, [](Canvas& target, double x, double y, double width, double height) {
        cairo_t* const cr = target.Cr();
        JungleScene(target, x, y, width, height);
        cairo_new_path(cr);
        cairo_move_to(cr, x - 4, y + height * 0.2);
        cairo_curve_to(cr, x + width * 0.3, y + height * 0.16, x + width * 0.5, y + height * 0.24, x + width * 0.7,
                       y + height * 0.2);
        target.SetColor(Ui::kWoodDark);
        cairo_set_line_width(cr, 5);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
        target.Emoji("\U0001F99C", x + width * 0.32, y + height * 0.2 - 20, 44);
        Person(target, kJaneEmoji, x + width / 2, y + height + 12, 150);
        cairo_save(cr);
        cairo_translate(cr, x + width * 0.8, y + height * 0.66);
        cairo_rotate(cr, 0.2);
        target.Emoji("\U0001F4F1", 0, 0, 36);
        cairo_restore(cr);
        SpeechWaves(target, x + width * 0.86, y + height * 0.5, 1);
    });
}

// August at the office with the telephone's receiver at his ear, talking towards the left.
void PaintAugustPhone(Canvas& canvas, const Cell& cell)
{
    const PhotoLayout layout = {8, 10, cell.mWidth - 16.0, cell.mHeight - 20.0, 9, 40, 0.025};
    Photograph(canvas, layout, kPartnerName, [](Canvas& target, double x, double y, double width, double height) {
        OfficeScene(target, x, y, width, height);
        Person(target, kAugustEmoji, x + width / 2, y + height + 12, 150);
        cairo_save(target.Cr());
        cairo_translate(target.Cr(), x + width * 0.2, y + height * 0.72);
        cairo_rotate(target.Cr(), 0.55);
        target.Emoji("\U0001F4DE", 0, 0, 50);
        cairo_restore(target.Cr());
        SpeechWaves(target, x + width * 0.12, y + height * 0.5, -1);
    });
}

} // namespace

void AddStoryRecipes(RecipeBook& book)
{
    book.Add("IMAGE_GAME_STORY_JANEPORTRET", 110, 130, [](Canvas& canvas, const Cell&) { PaintPortrait(canvas); });
    book.Add("IMAGE_GAME_JANE_PHONE", 180, 300, PaintJanePhone);
    book.Add("IMAGE_GAME_AUGUST_PHONE", 180, 300, PaintAugustPhone);
    book.Add("IMAGE_GAME_JANE_SIGNITURE", 160, 60, [](Canvas& canvas, const Cell&) { PaintSignature(canvas); });
}

} // namespace Content::HudArt
