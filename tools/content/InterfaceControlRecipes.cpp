// The interface's controls in leaf green and gold: the large button, the slider's rail and
// thumb, the check boxes, the mouse and the wavy arrow of the help pages; and the title's
// loading bar and label and the main menu's player plaque.

#include "tools/content/InterfaceArt.h"
#include "tools/content/Recipe.h"

namespace Content::InterfaceArt {

namespace {

constexpr int kButtonWidth = 200;
constexpr int kButtonHeight = 50;

// The large button: a cream plate in a leaf-green rim, a leaf sprig on its left shoulder
// (the game mirrors some buttons, which moves the sprig to the right). The plate fills the
// upper part of the picture, where the game writes the label (its first baseline lies one
// label-font ascent, 20 pixels, below the top less two); the rest is the gap to the next
// button of a column.
void PaintButton(Canvas& canvas, const bool over)
{
    cairo_t* const cr = canvas.Cr();
    constexpr double kX = 6;
    constexpr double kY = 1;
    constexpr double kW = kButtonWidth - 12;
    constexpr double kH = 27;
    const Shape plate = Box(kX, kY, kW, kH, kH / 2);
    if (over)
        canvas.SoftShape(plate, 7, 0, 0, Ui::kGold.WithAlpha(0.95));
    DropShadow(canvas, plate, 4, 2.5, over ? 0.35 : 0.5);
    // The rim.
    canvas.SetVerticalGradient(kY, kY + kH, over ? Rgba::Hex(0xB4E68A) : Ui::kLeafLight,
                               over ? Ui::kLeaf : Ui::kLeafDark);
    FillShape(canvas, plate);
    // The face.
    const Shape face = Box(kX + 3.5, kY + 3.5, kW - 7, kH - 7, (kH - 7) / 2);
    cairo_new_path(cr);
    face(cr);
    if (over)
        canvas.SetVerticalGradient(kY + 3, kY + kH - 3, Rgba::Hex(0xFFFFF4), Rgba::Hex(0xFBEFC0));
    else
        canvas.SetVerticalGradient(kY + 3, kY + kH - 3, Ui::kCream, Ui::kPaper.Mix(Ui::kPaperShade, 0.35));
    cairo_fill(cr);
    InnerShadow(canvas, face, 5, 0, 1.5, Rgba::Hex(0x6B4A20, over ? 0.22 : 0.3));
    // A gloss over the upper half of the face.
    const Shape gloss = Box(kX + 10, kY + 5, kW - 20, kH * 0.38, kH * 0.19);
    canvas.SetVerticalGradient(kY + 5, kY + 5 + kH * 0.38, Rgba{1, 1, 1, over ? 0.9 : 0.75}, Rgba{1, 1, 1, 0});
    FillShape(canvas, gloss);
    StrokeShape(canvas, plate, 1.5, Rgba::Hex(0x1E4A1A));
    // The sprig: two leaves on the rim's upper left.
    Leaf(canvas, 24, 7, 17, 7.5, -0.35, over ? Rgba::Hex(0xC6F09A) : Ui::kLeafLight,
         over ? Ui::kLeafLight.Mix(Ui::kLeaf, 0.4) : Ui::kLeaf);
    Leaf(canvas, 14, 9.5, 13, 6, -2.2, over ? Rgba::Hex(0xC6F09A) : Ui::kLeafLight, Ui::kLeaf);
    // Gold rivets at the ends.
    Stud(canvas, kX + kH / 2 - 4, kY + kH / 2, 2.4);
    Stud(canvas, kX + kW - kH / 2 + 4, kY + kH / 2, 2.4);
}

// A recessed wooden groove of the slider, shaded only across its height so that its middle
// third repeats seamlessly.
void PaintSliderRail(Canvas& canvas, const Cell& cell)
{
    const double w = cell.mWidth;
    const double h = cell.mHeight;
    const Shape groove = Box(3, 3, w - 6, h - 6, (h - 6) / 2);
    // A light lip below the groove, as if it were cut into the panel.
    FillShape(canvas, Box(3, 4.5, w - 6, h - 6, (h - 6) / 2), Rgba{1, 0.98, 0.9, 0.7});
    cairo_new_path(canvas.Cr());
    groove(canvas.Cr());
    canvas.SetVerticalGradient(3, h - 3, Rgba::Hex(0x4A2C12), Rgba::Hex(0x7A5028));
    cairo_fill(canvas.Cr());
    InnerShadow(canvas, groove, 3, 0, 1.5, Rgba{0, 0, 0, 0.55});
    // A faint line of green light along the bottom of the groove.
    cairo_new_path(canvas.Cr());
    cairo_move_to(canvas.Cr(), 8, h - 5.5);
    cairo_line_to(canvas.Cr(), w - 8, h - 5.5);
    canvas.SetColor(Ui::kLeafLight.WithAlpha(0.35));
    cairo_set_line_width(canvas.Cr(), 1);
    cairo_stroke(canvas.Cr());
    StrokeShape(canvas, groove, 1, Rgba::Hex(0x2E1A08));
}

void PaintSliderThumb(Canvas& canvas, const Cell& cell)
{
    cairo_t* const cr = canvas.Cr();
    const double w = cell.mWidth;
    const double h = cell.mHeight;
    const Shape knob = Box(3, 2, w - 6, h - 6, 6);
    DropShadow(canvas, knob, 3, 2, 0.55);
    SetLinear(canvas, 3, 0, w - 3, 0, {{0, Ui::kLeaf}, {0.35, Ui::kLeafLight}, {1, Ui::kLeafDark}});
    FillShape(canvas, knob);
    // Gold cap at top and bottom.
    for (const double y : {2.0, h - 9.0}) {
        cairo_save(cr);
        ClipTo(canvas, knob);
        cairo_rectangle(cr, 0, y, w, 5);
        SetLinear(canvas, 3, 0, w - 3, 0, {{0, Ui::kGoldDark}, {0.35, Rgba::Hex(0xFFE28A)}, {1, Ui::kGoldDark}});
        cairo_fill(cr);
        cairo_restore(cr);
    }
    // Grip grooves.
    for (int i = -1; i <= 1; ++i) {
        const double y = h / 2 - 2 + i * 5;
        cairo_move_to(cr, 8, y + 0.5);
        cairo_line_to(cr, w - 8, y + 0.5);
        canvas.SetColor(Rgba::Hex(0x1E4A1A, 0.8));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        cairo_move_to(cr, 8, y + 1.5);
        cairo_line_to(cr, w - 8, y + 1.5);
        canvas.SetColor(Rgba{1, 1, 1, 0.45});
        cairo_stroke(cr);
    }
    StrokeShape(canvas, knob, 1.4, Rgba::Hex(0x1E3A14));
}

void PaintCheckbox(Canvas& canvas, const Cell& cell, const bool checked)
{
    cairo_t* const cr = canvas.Cr();
    const double w = cell.mWidth;
    const Shape box = Box(3.5, 3.5, w - 8, w - 8, 5);
    DropShadow(canvas, box, 3, 1.5, 0.45);
    canvas.SetVerticalGradient(3, w - 4, Rgba::Hex(0xFFFDF4), Ui::kPaper);
    FillShape(canvas, box);
    InnerShadow(canvas, box, 4, 0, 1.5, Rgba::Hex(0x5C3A1A, 0.45));
    StrokeShape(canvas, box, 2, Ui::kWood);
    StrokeShape(canvas, Box(2.5, 2.5, w - 6, w - 6, 6), 1, Rgba::Hex(0x3A2410, 0.8));
    if (!checked)
        return;
    const auto tick = [w](cairo_t* target) {
        cairo_move_to(target, 7, w * 0.5);
        cairo_line_to(target, w * 0.42, w - 8);
        cairo_curve_to(target, w * 0.55, w * 0.55, w * 0.7, w * 0.3, w - 3, 3);
    };
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_new_path(cr);
    tick(cr);
    canvas.SetColor(Rgba::Hex(0x163A12));
    cairo_set_line_width(cr, 5.5);
    cairo_stroke_preserve(cr);
    canvas.SetVerticalGradient(3, w - 6, Ui::kLeafLight, Ui::kLeaf);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
}

// A computer mouse seen from above, its left button lit.
void PaintMouse(Canvas& canvas, const Cell& cell)
{
    cairo_t* const cr = canvas.Cr();
    const double w = cell.mWidth;
    const double h = cell.mHeight;
    const double cx = w / 2;
    const auto body = [=](cairo_t* target) {
        cairo_new_sub_path(target);
        cairo_move_to(target, cx, 2);
        cairo_curve_to(target, cx + 12, 2, w - 2.5, 8, w - 2.5, 18);
        cairo_line_to(target, w - 2.5, h - 14);
        cairo_curve_to(target, w - 2.5, h - 4, cx + 8, h - 2, cx, h - 2);
        cairo_curve_to(target, cx - 8, h - 2, 2.5, h - 4, 2.5, h - 14);
        cairo_line_to(target, 2.5, 18);
        cairo_curve_to(target, 2.5, 8, cx - 12, 2, cx, 2);
        cairo_close_path(target);
    };
    SetLinear(canvas, 0, 0, w, 0, {{0, Rgba::Hex(0xE8ECEE)}, {0.4, Rgba::Hex(0xFFFFFF)}, {1, Rgba::Hex(0xC4CACE)}});
    FillShape(canvas, body);
    // The left button, lit.
    cairo_save(cr);
    ClipTo(canvas, body);
    cairo_rectangle(cr, 0, 0, cx, 17);
    canvas.SetRadialGradient(cx * 0.55, 9, 14, Rgba::Hex(0xFFF3A0), Ui::kGold.Mix(Rgba::Hex(0xFF9A20), 0.35));
    cairo_fill(cr);
    cairo_restore(cr);
    // Seams and wheel.
    cairo_set_line_width(cr, 1.2);
    canvas.SetColor(Rgba::Hex(0x4A5258));
    cairo_move_to(cr, 2.5, 17.5);
    cairo_line_to(cr, w - 2.5, 17.5);
    cairo_move_to(cr, cx, 2);
    cairo_line_to(cr, cx, 17.5);
    cairo_stroke(cr);
    FillShape(canvas, Box(cx - 1.8, 6, 3.6, 8, 1.8), Rgba::Hex(0x5A6268));
    StrokeShape(canvas, body, 1.8, Rgba::Hex(0x262C30));
}

// A hand-drawn wavy arrow pointing right.
void PaintWaveArrow(Canvas& canvas, const Cell& cell)
{
    cairo_t* const cr = canvas.Cr();
    const double w = cell.mWidth;
    const double h = cell.mHeight;
    const double mid = h / 2;
    const auto wave = [=](cairo_t* target) {
        cairo_move_to(target, 4, mid + 2);
        cairo_curve_to(target, 10, mid - 9, 16, mid - 9, 21, mid);
        cairo_curve_to(target, 26, mid + 9, 31, mid + 8, w - 15, mid);
    };
    const auto head = [=](cairo_t* target) {
        cairo_new_sub_path(target);
        cairo_move_to(target, w - 2.5, mid);
        cairo_line_to(target, w - 17, mid - 9);
        cairo_curve_to(target, w - 14, mid - 3, w - 14, mid + 3, w - 17, mid + 9);
        cairo_close_path(target);
    };
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_new_path(cr);
    wave(cr);
    canvas.SetColor(Rgba::Hex(0x1E3A14));
    cairo_set_line_width(cr, 6.5);
    cairo_stroke(cr);
    cairo_new_path(cr);
    head(cr);
    cairo_set_line_width(cr, 3);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
    cairo_new_path(cr);
    wave(cr);
    canvas.SetVerticalGradient(mid - 9, mid + 9, Ui::kLeafLight, Ui::kLeaf);
    cairo_set_line_width(cr, 3.5);
    cairo_stroke(cr);
    canvas.SetVerticalGradient(mid - 9, mid + 9, Ui::kLeafLight, Ui::kLeaf);
    FillShape(canvas, head);
}

// ---------------------------------------------------------------------------------------
// The title and the main menu

// The filling loading bar: it grows from the left, clipped, so it has no empty part.
void PaintLoadingBar(Canvas& canvas, const Cell& cell)
{
    cairo_t* const cr = canvas.Cr();
    const double w = cell.mWidth;
    const double h = cell.mHeight;
    const Shape bar = Box(1, 1, w - 2, h - 2, (h - 2) / 2);
    canvas.SetVerticalGradient(1, h - 1, Ui::kLeafLight, Ui::kLeafDark);
    FillShape(canvas, bar);
    cairo_save(cr);
    ClipTo(canvas, bar);
    // Slanted stripes, like a rope being wound in.
    SlantedStripes(cr, w, h, 16, 7);
    canvas.SetColor(Rgba{1, 1, 0.85, 0.18});
    cairo_fill(cr);
    // Gloss.
    cairo_rectangle(cr, 0, 0, w, h * 0.5);
    canvas.SetVerticalGradient(1, h * 0.5, Rgba{1, 1, 1, 0.55}, Rgba{1, 1, 1, 0.05});
    cairo_fill(cr);
    cairo_restore(cr);
    StrokeShape(canvas, bar, 1.5, Rgba::Hex(0x12300F));
    StrokeShape(canvas, Box(2.5, 2.5, w - 5, h - 5, (h - 5) / 2), 1, Ui::kGold.WithAlpha(0.6));
}

void PaintLoadingLabel(Canvas& canvas, const Cell& cell)
{
    TextStyle style;
    style.mFont = FontStyle::SANS_BOLD;
    style.mSize = 22;
    style.mFill = Rgba::Hex(0xFFF8D8);
    style.mGradient = true;
    style.mFillBottom = Rgba::Hex(0xF2D36A);
    style.mOutlineWidth = 4;
    style.mOutline = Rgba::Hex(0x1E2A10);
    style.mShadowBlur = 4;
    style.mShadowOffset = 2;
    style.mShadowAlpha = 0.6;
    canvas.TextInBox("Loading...", 0, 0, cell.mWidth, cell.mHeight - 2, style);
}

// The plaque of the player's profile. The game takes only its size; it draws its own text.
void PaintNewPlayer(Canvas& canvas, const Cell& cell, const bool over)
{
    const double w = cell.mWidth;
    const double h = cell.mHeight;
    const Shape plaque = Box(3, 2, w - 6, h - 5, 8);
    if (over)
        canvas.SoftShape(plaque, 5, 0, 0, Ui::kGold.WithAlpha(0.9));
    DropShadow(canvas, plaque, 3, 1.5, 0.45);
    Parchment(canvas, plaque, 3, 2, w - 6, h - 5, over ? 18 : 17, over ? Rgba::Hex(0xFFFFF4) : Ui::kCream,
              over ? Rgba::Hex(0xFBEFC0) : Ui::kPaper, 0.2);
    StrokeShape(canvas, plaque, 2, over ? Ui::kGoldDark : Ui::kWood);
    canvas.Emoji("\U0001F464", 17, h / 2 - 1, 16);
    TextStyle style;
    style.mFont = FontStyle::SANS_BOLD;
    style.mSize = 11;
    style.mFill = over ? Ui::kLeafDark : Ui::kInk;
    canvas.TextInBox("New player", 28, 2, w - 36, h - 5, style);
}

} // namespace

void AddControlRecipes(RecipeBook& book)
{
    book.Add("IMAGE_GAME_BUTTON_LARGE", kButtonWidth, kButtonHeight, [](Canvas& canvas, const Cell&) { PaintButton(canvas, false); });
    book.Add("IMAGE_GAME_BUTTON_LARGE_OVER", kButtonWidth, kButtonHeight,
             [](Canvas& canvas, const Cell&) { PaintButton(canvas, true); });
    book.Add("IMAGE_GAME_SLIDER_RAIL", 300, 16, PaintSliderRail);
    book.Add("IMAGE_GAME_SLIDER_THUMB", 24, 36, PaintSliderThumb);
    book.Add("IMAGE_GAME_CHECKBOX_CHECKED", 28, 28, [](Canvas& canvas, const Cell& cell) { PaintCheckbox(canvas, cell, true); });
    book.Add("IMAGE_GAME_CHECKBOX_UNCHECKED", 28, 28,
             [](Canvas& canvas, const Cell& cell) { PaintCheckbox(canvas, cell, false); });
    book.Add("IMAGE_GAME_MOUSE_LBTN", 30, 42, PaintMouse);
    book.Add("IMAGE_GAME_WAVEARROW", 50, 30, PaintWaveArrow);

    // Title and main menu.
    book.Add("IMAGE_LOADING_PROGRESS_BAR", 400, 20, PaintLoadingBar);
    book.Add("IMAGE_LOADING_LABEL", 200, 34, PaintLoadingLabel);
    book.Add("IMAGE_MENU_NEW_PLAYER", 152, 30, [](Canvas& canvas, const Cell& cell) { PaintNewPlayer(canvas, cell, false); });
    book.Add("IMAGE_MENU_NEW_PLAYER_OVER", 152, 30,
             [](Canvas& canvas, const Cell& cell) { PaintNewPlayer(canvas, cell, true); });
}

} // namespace Content::InterfaceArt
