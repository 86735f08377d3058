// The game screen's left panel: parchment in a wooden frame with the score plaque and the
// mode icon's slot, the ring that blinks round the mode icon, the progress bars of the level
// and of the goals, the backpack with its caption, and the scan-line overlay.

#include "tools/content/InterfaceArt.h"
#include "tools/content/Recipe.h"

#include <numbers>
#include <tuple>

namespace Content::InterfaceArt {

namespace {

constexpr double kPi = std::numbers::pi;

constexpr int kHolderWidth = 250;
constexpr int kHolderHeight = 380;
// Where the mode icon's ring lies on the panel, and the ring's size.
constexpr int kRingX = 133;
constexpr int kRingY = 262;
constexpr int kRingWidth = 88;
constexpr int kRingHeight = 96;

Shape RingSlot(const double x, const double y) { return Box(x + 7, y + 7, kRingWidth - 14, kRingHeight - 14, 16); }

// The left panel: parchment in a wooden frame whose top and left run off the screen. Score,
// goals, the mode's name and icon are drawn over it by the game.
void PaintElementsHolder(Canvas& canvas)
{
    cairo_t* const cr = canvas.Cr();
    constexpr double kFrame = 12;
    constexpr double kRight = kHolderWidth - 5;
    constexpr double kBottom = kHolderHeight - 6;
    const Shape panel = Box(-30, -30, kRight + 30, kBottom + 30, 22);
    DropShadow(canvas, panel, 7, 3, 0.55);
    const Shape paper = Box(-30, -30, kRight + 30 - kFrame + 1, kBottom + 30 - kFrame + 1, 12);
    Parchment(canvas, paper, 0, 0, kRight, kBottom, 140);
    WoodFrame(canvas, -30, -30, kRight + 30, kBottom + 30, kFrame, 22, 1400);
    Stud(canvas, kRight - kFrame / 2, kBottom - kFrame / 2 - 14, 3.2);
    Stud(canvas, kRight - kFrame / 2 - 14, kBottom - kFrame / 2, 3.2);
    Stud(canvas, kRight - kFrame / 2, 12, 3.2);
    Stud(canvas, 12, kBottom - kFrame / 2, 3.2);

    // The score plaque behind the word SCORE (at (25, 60)) and the nine digits (from x 120),
    // nailed across the frame so that the last digits have room too.
    const Shape scoreBox = Box(13, 52, kHolderWidth - 14, 36, 8);
    DropShadow(canvas, scoreBox, 4, 2, 0.45);
    canvas.SetVerticalGradient(52, 88, Rgba::Hex(0xE9D8B0), Rgba::Hex(0xF6EBCF));
    FillShape(canvas, scoreBox);
    InnerShadow(canvas, scoreBox, 5, 0, 1.5, Rgba::Hex(0x5C3A1A, 0.45));
    StrokeShape(canvas, scoreBox, 2, Ui::kWood);
    StrokeShape(canvas, Box(11.5, 50.5, kHolderWidth - 11, 39, 9.5), 1, Rgba::Hex(0x3A2410, 0.8));

    // Dotted separators between the goal rows (rows centred at 120, 182 and 244).
    const double dots[] = {0.1, 4};
    cairo_set_dash(cr, dots, 2, 0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 1.6);
    canvas.SetColor(Ui::kWood.WithAlpha(0.45));
    for (const double y : {151.0, 213.0, 275.0}) {
        cairo_move_to(cr, 14, y);
        cairo_line_to(cr, y < 270 ? kRight - kFrame - 8 : kRingX, y);
    }
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);

    // The mode icon's slot: a rimmed hollow where the highlight ring blinks.
    const Shape slot = RingSlot(kRingX, kRingY);
    canvas.SetRadialGradient(kRingX + kRingWidth / 2.0, kRingY + kRingHeight / 2.0, kRingWidth * 0.6,
                             Rgba::Hex(0xF6EACB), Rgba::Hex(0xDCC596));
    FillShape(canvas, slot);
    InnerShadow(canvas, slot, 8, 0, 2.5, Rgba::Hex(0x4A2C12, 0.55));
    StrokeShape(canvas, slot, 3, Ui::kWood);
    StrokeShape(canvas, RingSlot(kRingX - 1.5, kRingY - 1.5), 1, Rgba{1, 0.95, 0.8, 0.4});
    // A sprig beside the mode's name line.
    Leaf(canvas, 18, 320, 14, 6, -1.2);
}

// The blinking ring around the mode icon: gold, glowing, empty inside.
void PaintElementsRing(Canvas& canvas)
{
    cairo_t* const cr = canvas.Cr();
    const Shape slot = RingSlot(0, 0);
    // A glow around the ring, on both of its sides.
    canvas.SoftShape(
        [&](cairo_t* target) {
            cairo_set_fill_rule(target, CAIRO_FILL_RULE_EVEN_ODD);
            Canvas::RoundedRectOn(target, 3, 3, kRingWidth - 6, kRingHeight - 6, 20);
            Canvas::RoundedRectOn(target, 11, 11, kRingWidth - 22, kRingHeight - 22, 12);
        },
        8, 0, 0, Rgba::Hex(0xFFE060, 0.95));
    // A faint warm light just inside the ring.
    InnerShadow(canvas, slot, 10, 0, 0, Rgba::Hex(0xFFF0A0, 0.55));
    StrokeShape(canvas, slot, 6.5, Rgba::Hex(0x7A5208));
    cairo_new_path(cr);
    slot(cr);
    SetLinear(canvas, 0, 4, kRingWidth, kRingHeight - 4,
              {{0, Rgba::Hex(0xFFF4B8)}, {0.4, Ui::kGold}, {0.7, Rgba::Hex(0xFFE88A)}, {1, Ui::kGoldDark}});
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    // Two sparkles.
    for (const auto& [sx, sy, size] : {std::tuple{kRingWidth - 12.0, 10.0, 7.0}, std::tuple{10.0, kRingHeight - 14.0, 5.0}}) {
        cairo_new_path(cr);
        // Its sides bend in to a pixel across and down from the centre.
        SparklePath(cr, sx, sy, size, -kPi / 2, 4, std::numbers::sqrt2 / size);
        canvas.SetColor(Rgba::Hex(0xFFFDE8));
        cairo_fill(cr);
    }
}

// A progress bar: a sunken groove, and for the full bar the same groove filled.
void PaintBar(Canvas& canvas, const Cell& cell, const bool full, const Rgba& light, const Rgba& mid,
              const Rgba& dark)
{
    cairo_t* const cr = canvas.Cr();
    const double w = cell.mWidth;
    const double h = cell.mHeight;
    const Shape rim = Box(0.5, 0.5, w - 1, h - 1, (h - 1) / 2);
    const Shape groove = Box(3, 3, w - 6, h - 6, (h - 6) / 2);
    canvas.SetVerticalGradient(0, h, Rgba::Hex(0xB07A40), Ui::kWoodDark);
    FillShape(canvas, rim);
    cairo_new_path(cr);
    groove(cr);
    if (full) {
        SetLinear(canvas, 0, 3, 0, h - 3, {{0, light}, {0.45, mid}, {1, dark}});
        cairo_fill(cr);
        cairo_save(cr);
        ClipTo(canvas, groove);
        SlantedStripes(cr, w, h, 14, 6);
        canvas.SetColor(Rgba{1, 1, 0.9, 0.14});
        cairo_fill(cr);
        cairo_rectangle(cr, 0, 3, w, (h - 6) * 0.45);
        canvas.SetVerticalGradient(3, 3 + (h - 6) * 0.45, Rgba{1, 1, 1, 0.6}, Rgba{1, 1, 1, 0.08});
        cairo_fill(cr);
        cairo_restore(cr);
    } else {
        canvas.SetVerticalGradient(3, h - 3, Rgba::Hex(0x3A2410), Rgba::Hex(0x5E3E1E));
        cairo_fill(cr);
        InnerShadow(canvas, groove, 4, 0, 1.5, Rgba{0, 0, 0, 0.6});
    }
    StrokeShape(canvas, groove, 1, Rgba::Hex(0x2A1806, 0.9));
    StrokeShape(canvas, Box(1.5, 1.2, w - 3, h - 3, (h - 3) / 2), 0.8, Rgba{1, 0.9, 0.7, 0.35});
    StrokeShape(canvas, rim, 1, Rgba::Hex(0x2A1806));
}

// ---------------------------------------------------------------------------------------
// Backpack

// The backpack's outline, for its glow: the union of its parts.
void BackpackSilhouette(cairo_t* cr)
{
    Canvas::RoundedRectOn(cr, 8, 20, 64, 108, 20);
    Canvas::RoundedRectOn(cr, 8, 5, 64, 21, 10.5);
    Canvas::RoundedRectOn(cr, 2, 62, 14, 46, 6);
    Canvas::RoundedRectOn(cr, 64, 62, 14, 46, 6);
}

// A khaki explorer's rucksack with a rolled blanket on top; brighter when lit.
void PaintBackpack(Canvas& canvas, const bool lit)
{
    cairo_t* const cr = canvas.Cr();
    // Lit, its colours warm towards a sunny yellow.
    const Rgba sun = Rgba::Hex(0xFFE27A);
    const double bright = lit ? 0.3 : 0;
    const auto warm = [&](unsigned rgb) { return Rgba::Hex(rgb).Mix(sun, bright); };
    const Rgba canvasLight = warm(0xC9A866);
    const Rgba canvasMid = warm(0xA9864A);
    const Rgba canvasDark = warm(0x7A5E30);
    const Rgba outline = Rgba::Hex(0x3A2810);
    const Rgba strap = warm(0x6A4422);

    if (lit) {
        canvas.SoftThickenedShape(BackpackSilhouette, 7, 8, 0, 0, Rgba::Hex(0xFFD84A, 1.0));
        canvas.SoftThickenedShape(BackpackSilhouette, 7, 3, 0, 0, Rgba::Hex(0xFFF2A0, 0.8));
    }
    // Ground shadow.
    canvas.SoftShape(Oval(40, 128, 34, 5), 5, 0, 0, Rgba{0, 0, 0, 0.45});

    // Side pockets behind the body.
    for (const double x : {2.0, 64.0}) {
        const Shape pocket = Box(x, 62, 14, 46, 6);
        canvas.SetVerticalGradient(62, 108, canvasMid, canvasDark);
        FillShape(canvas, pocket);
        StrokeShape(canvas, pocket, 1.6, outline);
    }
    // The body.
    const Shape body = Box(8, 20, 64, 108, 20);
    SetLinear(canvas, 8, 0, 72, 0, {{0, canvasMid}, {0.35, canvasLight}, {1, canvasDark}});
    FillShape(canvas, body);
    // Darker base.
    cairo_save(cr);
    ClipTo(canvas, body);
    cairo_rectangle(cr, 0, 114, 80, 20);
    canvas.SetColor(warm(0x5A4222));
    cairo_fill(cr);
    cairo_restore(cr);
    StrokeShape(canvas, body, 2, outline);

    // The front pocket with its flap.
    const Shape pocket = Box(17, 72, 46, 38, 10);
    canvas.SetVerticalGradient(72, 110, canvasLight, canvasMid);
    FillShape(canvas, pocket);
    // Stitching around the pocket.
    cairo_new_path(cr);
    Canvas::RoundedRectOn(cr, 20, 75, 40, 32, 8);
    const double stitches[] = {2.5, 2};
    cairo_set_dash(cr, stitches, 2, 0);
    canvas.SetColor(Rgba::Hex(0xF4E4B8, 0.7));
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    StrokeShape(canvas, pocket, 1.6, outline);
    // The pocket's badge: a leaf on a round patch.
    cairo_new_path(cr);
    Canvas::EllipseOn(cr, 40, 94, 9, 9);
    canvas.SetRadialGradient(37, 91, 11, warm(0xFFF6D8), warm(0xE6D2A0));
    cairo_fill(cr);
    StrokeShape(canvas, Oval(40, 94, 9, 9), 1.2, Ui::kLeafDark);
    Leaf(canvas, 40, 94, 13, 6.5, -0.8);

    // The top flap with its curved edge.
    const auto flap = [](cairo_t* target) {
        cairo_new_sub_path(target);
        cairo_move_to(target, 10, 40);
        cairo_curve_to(target, 10, 26, 20, 20, 40, 20);
        cairo_curve_to(target, 60, 20, 70, 26, 70, 40);
        cairo_line_to(target, 70, 52);
        cairo_curve_to(target, 60, 60, 20, 60, 10, 52);
        cairo_close_path(target);
    };
    canvas.SoftShape(flap, 3, 0, 2, Rgba{0, 0, 0, 0.35});
    canvas.SetVerticalGradient(20, 58, canvasLight.Lighter(0.1), canvasMid);
    FillShape(canvas, flap);
    StrokeShape(canvas, flap, 1.8, outline);

    // Two straps over the flap and down the front, with buckles.
    for (const double x : {22.0, 52.0}) {
        const Shape band = Box(x, 36, 7, 38, 2);
        FillShape(canvas, band, strap);
        StrokeShape(canvas, band, 1.2, outline);
        const Shape buckle = Box(x - 1.5, 62, 10, 8, 1.5);
        canvas.SetVerticalGradient(62, 70, Rgba::Hex(0xFFE88A), Ui::kGoldDark);
        FillShape(canvas, buckle);
        StrokeShape(canvas, buckle, 1, Rgba::Hex(0x5A3A08));
        StrokeShape(canvas, Box(x + 1, 64, 5, 4, 1), 0.8, Rgba::Hex(0x5A3A08));
    }

    // The rolled blanket on top, tied with two thongs.
    const Shape roll = Box(8, 5, 64, 21, 10.5);
    canvas.SetVerticalGradient(5, 26, warm(0x7FA36A), warm(0x3F6A3A));
    FillShape(canvas, roll);
    // The blanket's spiral end.
    StrokeShape(canvas, Oval(66, 15.5, 5, 9.5), 1.2, outline.WithAlpha(0.7));
    StrokeShape(canvas, Oval(66.5, 15.5, 2.5, 5), 1, outline.WithAlpha(0.6));
    // A red check stripe along it.
    cairo_save(cr);
    ClipTo(canvas, roll);
    cairo_rectangle(cr, 8, 13, 56, 3);
    canvas.SetColor(warm(0xC0503A).WithAlpha(0.8));
    cairo_fill(cr);
    cairo_restore(cr);
    StrokeShape(canvas, roll, 1.8, outline);
    for (const double x : {24.0, 50.0}) {
        const Shape thong = Box(x, 3, 5, 25, 2);
        FillShape(canvas, thong, strap);
        StrokeShape(canvas, thong, 1, outline);
    }
    // A carrying loop.
    cairo_new_path(cr);
    cairo_arc(cr, 40, 5, 5, kPi, 0);
    canvas.SetColor(outline);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    // A gloss on the body's left.
    cairo_save(cr);
    ClipTo(canvas, body);
    cairo_new_path(cr);
    Canvas::EllipseOn(cr, 20, 90, 6, 28);
    canvas.SetColor(Rgba{1, 1, 1, lit ? 0.22 : 0.12});
    cairo_fill(cr);
    cairo_restore(cr);
}

// The backpack's caption.
void PaintInventory(Canvas& canvas, const Cell& cell)
{
    cairo_t* const cr = canvas.Cr();
    const double w = cell.mWidth;
    const double h = cell.mHeight;
    const Shape plank = Box(2, 2, w - 5, h - 6, 5);
    DropShadow(canvas, plank, 3, 1.5, 0.5);
    canvas.SetVerticalGradient(2, h - 4, Rgba::Hex(0xB8844A), Rgba::Hex(0x7E5228));
    FillShape(canvas, plank);
    cairo_save(cr);
    ClipTo(canvas, plank);
    SeededRandom random(125);
    WoodGrain(canvas, 2, 2, w - 5, h - 6, true, random);
    cairo_restore(cr);
    StrokeShape(canvas, Box(3, 3, w - 7, h - 8, 4), 1, Rgba{1, 0.9, 0.7, 0.35});
    StrokeShape(canvas, plank, 1.4, Rgba::Hex(0x3A2410));
    Stud(canvas, 7.5, h / 2 - 2, 1.8);
    Stud(canvas, w - 10.5, h / 2 - 2, 1.8);
    TextStyle style;
    style.mFont = FontStyle::SANS_CONDENSED_BOLD;
    style.mSize = 13;
    style.mFill = Rgba::Hex(0xFFF4D0);
    style.mOutlineWidth = 2.5;
    style.mOutline = Rgba::Hex(0x3A2410);
    style.mSize = canvas.FitTextSize("INVENTORY", w - 28, style);
    canvas.TextInBox("INVENTORY", 2, 2, w - 5, h - 6, style);
}

// White lines on every second row, on transparency: the game tints and fades them.
void PaintScanLines(Canvas& canvas, const Cell& cell)
{
    cairo_t* const cr = canvas.Cr();
    for (int y = 0; y < cell.mHeight; y += 2)
        cairo_rectangle(cr, 0, y, cell.mWidth, 1);
    canvas.SetColor(Rgba{1, 1, 1, 1});
    cairo_fill(cr);
}

} // namespace

void AddGamePanelRecipes(RecipeBook& book)
{
    book.Add("IMAGE_GAME_ELEMENTS_HOLDER", kHolderWidth, kHolderHeight,
             [](Canvas& canvas, const Cell&) { PaintElementsHolder(canvas); });
    book.Add("IMAGE_GAME_ELEMENTS_HOLDER_ROLLOVER", kRingWidth, kRingHeight,
             [](Canvas& canvas, const Cell&) { PaintElementsRing(canvas); });
    const Rgba greenLight = Rgba::Hex(0xB4EC7C);
    const Rgba greenMid = Ui::kLeaf;
    const Rgba greenDark = Ui::kLeafDark;
    const Rgba goldLight = Rgba::Hex(0xFFF0A0);
    const Rgba goldMid = Ui::kGold;
    const Rgba goldDark = Rgba::Hex(0xC07A10);
    book.Add("IMAGE_GAME_PROGRESS_BAR_BASE", 532, 20,
             [](Canvas& canvas, const Cell& cell) { PaintBar(canvas, cell, false, {}, {}, {}); });
    book.Add("IMAGE_GAME_PROGRESS_BAR_FULL", 532, 20, [=](Canvas& canvas, const Cell& cell) {
        PaintBar(canvas, cell, true, greenLight, greenMid, greenDark);
    });
    book.Add("IMAGE_GAME_GOAL_PROGRESS_BAR_BASE", 150, 22,
             [](Canvas& canvas, const Cell& cell) { PaintBar(canvas, cell, false, {}, {}, {}); });
    book.Add("IMAGE_GAME_GOAL_PROGRESS_BAR_FULL", 150, 22,
             [=](Canvas& canvas, const Cell& cell) { PaintBar(canvas, cell, true, goldLight, goldMid, goldDark); });
    book.Add("IMAGE_GAME_BACKPACK", 80, 135, [](Canvas& canvas, const Cell&) { PaintBackpack(canvas, false); });
    book.Add("IMAGE_GAME_BACKPACK_ROLLOVER", 80, 135, [](Canvas& canvas, const Cell&) { PaintBackpack(canvas, true); });
    book.Add("IMAGE_GAME_INVENTORY", 100, 26, PaintInventory);
    book.Add("IMAGE_GAME_SCAN_LINES", 800, 600, PaintScanLines);
}

} // namespace Content::InterfaceArt
