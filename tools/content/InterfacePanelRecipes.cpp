// The interface's panels and cards: the submenu in its wooden frame, the tutorial card, the
// journal behind the story, the award's index card, the organisation's memo, the speech
// bubble, the clipboard report and the ribbon banner. They are plain inside: every text on
// them is written by the game.

#include "tools/content/InterfaceArt.h"
#include "tools/content/Recipe.h"

#include <numbers>

namespace Content::InterfaceArt {

namespace {

constexpr double kPi = std::numbers::pi;

constexpr int kSubmenuWidth = 415;
constexpr int kSubmenuHeight = 500;

// A thin ornament of two lines meeting at a small leaf, centred on cx.
void Divider(Canvas& canvas, const double cx, const double y, const double halfWidth)
{
    cairo_t* const cr = canvas.Cr();
    for (const int side : {-1, 1}) {
        cairo_new_path(cr);
        cairo_move_to(cr, cx + side * 14, y);
        cairo_curve_to(cr, cx + side * halfWidth * 0.4, y - 2, cx + side * halfWidth * 0.7, y + 1.5,
                       cx + side * halfWidth, y);
        SetLinear(canvas, cx, y, cx + side * halfWidth, y, {{0, Ui::kWood.WithAlpha(0.85)}, {1, Ui::kWood.WithAlpha(0)}});
        cairo_set_line_width(cr, 1.6);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
    Leaf(canvas, cx - 5, y - 1, 13, 6, -0.5);
    Leaf(canvas, cx + 5, y - 1, 13, 6, 0.5 + kPi);
}

void PaintSubmenu(Canvas& canvas)
{
    constexpr double kX = 5;
    constexpr double kY = 3;
    constexpr double kW = kSubmenuWidth - 10;
    constexpr double kH = kSubmenuHeight - 10;
    constexpr double kFrame = 15;
    DropShadow(canvas, Box(kX, kY, kW, kH, 12), 7, 3, 0.55);
    const Shape paper = Box(kX + kFrame - 1, kY + kFrame - 1, kW - 2 * kFrame + 2, kH - 2 * kFrame + 2, 6);
    Parchment(canvas, paper, kX, kY, kW, kH, 158);
    WoodFrame(canvas, kX, kY, kW, kH, kFrame, 12, 1580);
    for (const double sx : {kX + kFrame / 2, kX + kW - kFrame / 2})
        for (const double sy : {kY + kFrame / 2, kY + kH - kFrame / 2})
            Stud(canvas, sx, sy, 3.6);
    Divider(canvas, kSubmenuWidth / 2.0, 52, 120);
}

// The tape on the tutorial card's top corners, torn at both ends.
const TapeLook kCardTape{9, 2, 3, 0.85, true};

void PaintTutorial(Canvas& canvas, const Cell& cell)
{
    const double w = cell.mWidth;
    const double h = cell.mHeight;
    const Shape card = Box(6, 6, w - 12, h - 14, 10);
    DropShadow(canvas, card, 7, 3, 0.5);
    Parchment(canvas, card, 6, 6, w - 12, h - 14, 159, Ui::kCream, Ui::kPaper.Mix(Ui::kCream, 0.4), 0.22);
    // A leaf-green double border, the outer line thicker.
    StrokeShape(canvas, Box(13, 13, w - 26, h - 28, 7), 3, Ui::kLeaf);
    StrokeShape(canvas, Box(19, 19, w - 38, h - 40, 4), 1.2, Ui::kLeaf.WithAlpha(0.7));
    StrokeShape(canvas, card, 1.4, Ui::kWood.WithAlpha(0.8));
    // Corner leaves on the border.
    Leaf(canvas, 22, h - 26, 16, 7, -0.7);
    Leaf(canvas, w - 22, h - 26, 16, 7, 0.7 + kPi);
    Tape(canvas, 30, 24, -0.7, 50, kCardTape);
    Tape(canvas, w - 30, 24, 0.7, 50, kCardTape);
}

void PaintStoryBack(Canvas& canvas, const Cell& cell)
{
    cairo_t* const cr = canvas.Cr();
    const double w = cell.mWidth;
    const double h = cell.mHeight;
    // The journal's green leather cover behind the page.
    const Shape cover = Box(2, 2, w - 4, h - 6, 16);
    DropShadow(canvas, cover, 6, 3, 0.55);
    canvas.SetRadialGradient(w * 0.4, h * 0.3, w * 0.9, Rgba::Hex(0x3F7A34), Rgba::Hex(0x1F4A1C));
    FillShape(canvas, cover);
    {
        cairo_save(cr);
        ClipTo(canvas, cover);
        SeededRandom random(153);
        for (int i = 0; i < 900; ++i) {
            cairo_new_path(cr);
            cairo_arc(cr, random.Range(0, w), random.Range(0, h), random.Range(0.5, 1.4), 0, 2 * kPi);
            canvas.SetColor(random.Next() < 0.5 ? Rgba{0, 0, 0, 0.10} : Rgba{1, 1, 1, 0.05});
            cairo_fill(cr);
        }
        cairo_restore(cr);
    }
    StrokeShape(canvas, cover, 1.6, Rgba::Hex(0x12300F));
    // Stitches along the cover's rim.
    cairo_new_path(cr);
    Canvas::RoundedRectOn(cr, 6, 6, w - 12, h - 14, 12);
    const double dashes[] = {5, 4};
    cairo_set_dash(cr, dashes, 2, 0);
    canvas.SetColor(Rgba::Hex(0xE8D9A8, 0.65));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);

    constexpr double kPageX = 12;
    constexpr double kPageY = 10;
    const double pageW = w - 24;
    const double pageH = h - 20;
    const Shape page = Box(kPageX, kPageY, pageW, pageH, 6);
    // Pages beneath, a hint of thickness at the right and bottom.
    FillShape(canvas, Box(kPageX + 3, kPageY + 3, pageW, pageH - 1, 6), Rgba::Hex(0xD8C59A));
    FillShape(canvas, Box(kPageX + 1.5, kPageY + 1.5, pageW, pageH - 0.5, 6), Rgba::Hex(0xEADCB8));
    Parchment(canvas, page, kPageX, kPageY, pageW, pageH, 1530);
    // The gutter: the page curves into the binding on the left.
    cairo_save(cr);
    ClipTo(canvas, page);
    SetLinear(canvas, kPageX, 0, kPageX + 26, 0, {{0, Rgba::Hex(0x6B4A20, 0.35)}, {1, Rgba::Hex(0x6B4A20, 0)}});
    cairo_paint(cr);
    cairo_restore(cr);
    StrokeShape(canvas, page, 1, Ui::kWood.WithAlpha(0.6));
    // A red ribbon bookmark hanging over the top edge, at the right.
    const double rx = w - 38;
    const auto ribbon = [rx](cairo_t* target) {
        cairo_new_sub_path(target);
        cairo_move_to(target, rx, 0);
        cairo_line_to(target, rx + 14, 0);
        cairo_line_to(target, rx + 14, 64);
        cairo_line_to(target, rx + 7, 57);
        cairo_line_to(target, rx, 64);
        cairo_close_path(target);
    };
    canvas.SoftShape(ribbon, 3, 1, 1.5, Rgba{0, 0, 0, 0.35});
    cairo_new_path(cr);
    ribbon(cr);
    SetLinear(canvas, rx, 0, rx + 14, 0, {{0, Rgba::Hex(0x9E1E1E)}, {0.45, Rgba::Hex(0xD64040)}, {1, Rgba::Hex(0x8A1A1A)}});
    cairo_fill_preserve(cr);
    canvas.SetColor(Rgba::Hex(0x5A0E0E));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// An index card: the popup of an award's details.
void PaintAwardPaper(Canvas& canvas, const Cell& cell)
{
    cairo_t* const cr = canvas.Cr();
    const double w = cell.mWidth;
    const double h = cell.mHeight;
    const Shape card = Box(4, 3, w - 9, h - 9, 4);
    DropShadow(canvas, card, 5, 2.5, 0.5);
    Parchment(canvas, card, 4, 3, w - 9, h - 9, 261, Rgba::Hex(0xFFFCF0), Rgba::Hex(0xF8EED6), 0.16);
    // The red head rule of an index card (between the name and the description).
    cairo_new_path(cr);
    cairo_move_to(cr, 6, 30.5);
    cairo_line_to(cr, w - 7, 30.5);
    canvas.SetColor(Rgba::Hex(0xD0545A, 0.75));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // A folded-down corner at the bottom right.
    const double fx = w - 5;
    const double fy = h - 6;
    cairo_new_path(cr);
    cairo_move_to(cr, fx - 16, fy);
    cairo_line_to(cr, fx, fy - 16);
    cairo_line_to(cr, fx, fy);
    cairo_close_path(cr);
    canvas.SetColor(Rgba::Hex(0x7A5A30, 0.18));
    cairo_fill(cr);
    StrokeShape(canvas, card, 1, Ui::kWood.WithAlpha(0.55));
    // A paper clip on the top edge, at the right where the name does not reach.
    const double cx = w - 24;
    cairo_new_path(cr);
    cairo_move_to(cr, cx, 24);
    cairo_line_to(cr, cx, 6);
    cairo_arc(cr, cx + 4, 6, 4, kPi, 0);
    cairo_line_to(cr, cx + 8, 28);
    cairo_arc_negative(cr, cx + 3, 28, 5, 0, kPi);
    cairo_line_to(cr, cx - 2, 10);
    canvas.SetColor(Rgba{0, 0, 0, 0.3});
    cairo_set_line_width(cr, 2.6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_save(cr);
    cairo_translate(cr, 1, 1);
    cairo_stroke_preserve(cr);
    cairo_restore(cr);
    SetLinear(canvas, cx - 3, 0, cx + 9, 0, {{0, Rgba::Hex(0x8A9298)}, {0.5, Rgba::Hex(0xEEF2F4)}, {1, Rgba::Hex(0x7A8288)}});
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
}

// The organisation's memo: letterhead at the top, the body left blank for the game's text.
void PaintMemo(Canvas& canvas, const Cell& cell)
{
    cairo_t* const cr = canvas.Cr();
    const double w = cell.mWidth;
    const double h = cell.mHeight;
    const Shape sheet = Box(6, 4, w - 12, h - 12, 3);
    DropShadow(canvas, sheet, 7, 3, 0.55);
    Parchment(canvas, sheet, 6, 4, w - 12, h - 12, 252, Rgba::Hex(0xFFFDF6), Rgba::Hex(0xF6EEDC), 0.14);
    StrokeShape(canvas, sheet, 1, Rgba::Hex(0x9A8A70, 0.7));
    // Emblem: the globe on a leaf-green seal.
    constexpr double kSealX = 46;
    constexpr double kSealY = 44;
    canvas.SoftShape(Oval(kSealX, kSealY, 27, 27), 3, 0, 1.5, Rgba{0, 0, 0, 0.3});
    cairo_new_path(cr);
    Canvas::EllipseOn(cr, kSealX, kSealY, 27, 27);
    canvas.SetRadialGradient(kSealX - 8, kSealY - 10, 36, Ui::kLeafLight, Ui::kLeafDark);
    cairo_fill(cr);
    StrokeShape(canvas, Oval(kSealX, kSealY, 23.5, 23.5), 1.4, Ui::kGold);
    StrokeShape(canvas, Oval(kSealX, kSealY, 27, 27), 1.4, Rgba::Hex(0x1E4A1A));
    canvas.Emoji("\U0001F30D", kSealX, kSealY, 30);
    Leaf(canvas, kSealX + 18, kSealY + 18, 16, 7, -0.6);
    // Name of the organisation and its department.
    TextStyle name;
    name.mFont = FontStyle::SERIF_BOLD;
    name.mSize = 30;
    name.mFill = Ui::kLeafDark;
    canvas.Text("WAPO", 86, 46, Align::LEFT, name);
    TextStyle department;
    department.mFont = FontStyle::SERIF_ITALIC;
    department.mSize = 12;
    department.mFill = Ui::kInk.WithAlpha(0.85);
    canvas.Text("Wildlife and Habitat Field Office", 87, 66, Align::LEFT, department);
    // Double rule under the letterhead, and a thin one at the foot of the page.
    cairo_set_line_width(cr, 2);
    canvas.SetColor(Ui::kLeaf);
    cairo_move_to(cr, 20, 84);
    cairo_line_to(cr, w - 20, 84);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
    canvas.SetColor(Ui::kGoldDark);
    cairo_move_to(cr, 20, 88.5);
    cairo_line_to(cr, w - 20, 88.5);
    cairo_move_to(cr, 20, h - 26.5);
    cairo_line_to(cr, w - 20, h - 26.5);
    cairo_stroke(cr);
    TextStyle foot;
    foot.mFont = FontStyle::SANS;
    foot.mSize = 8;
    foot.mFill = Ui::kInk.WithAlpha(0.55);
    canvas.Text("Observe  -  Record  -  Protect", w / 2, h - 15, Align::CENTRE, foot);
}

// A speech bubble whose tail points down and left, to the speaker at the left of the screen.
// The game writes its text in x 40..350, y 70..320 of the picture.
void PaintTextCloud(Canvas& canvas, const Cell& cell)
{
    cairo_t* const cr = canvas.Cr();
    const double w = cell.mWidth;
    const double h = cell.mHeight;
    constexpr double kLeft = 14;
    constexpr double kTop = 18;
    const double right = w - 6;
    const double bottom = h - 30;
    constexpr double kRadius = 56;
    const auto bubble = [=](cairo_t* target) {
        cairo_new_sub_path(target);
        cairo_arc(target, right - kRadius, kTop + kRadius, kRadius, -kPi / 2, 0);
        cairo_arc(target, right - kRadius, bottom - kRadius, kRadius, 0, kPi / 2);
        // The tail leaves the bottom edge near the left corner and sweeps out to its tip.
        cairo_line_to(target, 128, bottom);
        cairo_curve_to(target, 100, bottom + 10, 44, h - 4, 6, h - 3);
        cairo_curve_to(target, 36, h - 14, 62, bottom + 4, 74, bottom - 1);
        cairo_arc(target, kLeft + kRadius, bottom - kRadius, kRadius, kPi / 2, kPi);
        cairo_arc(target, kLeft + kRadius, kTop + kRadius, kRadius, kPi, 3 * kPi / 2);
        cairo_close_path(target);
    };
    DropShadow(canvas, bubble, 8, 4, 0.45);
    canvas.SetVerticalGradient(kTop, h, Rgba::Hex(0xFFFFFF), Rgba::Hex(0xF5EDD8));
    FillShape(canvas, bubble);
    InnerShadow(canvas, bubble, 16, 0, -4, Rgba::Hex(0xB09060, 0.28));
    // A soft shine at the top left.
    cairo_save(cr);
    ClipTo(canvas, bubble);
    canvas.SetRadialGradient(kLeft + 90, kTop + 40, 150, Rgba{1, 1, 1, 0.85}, Rgba{1, 1, 1, 0});
    cairo_paint(cr);
    cairo_restore(cr);
    StrokeShape(canvas, bubble, 3, Ui::kInk);
}

// The level report: a sheet on a wooden clipboard, with ruled lines under the report's rows.
void PaintScoreCard(Canvas& canvas, const Cell& cell)
{
    cairo_t* const cr = canvas.Cr();
    const double w = cell.mWidth;
    const double h = cell.mHeight;
    const Shape board = Box(4, 16, w - 8, h - 24, 20);
    DropShadow(canvas, board, 8, 4, 0.55);
    SetLinear(canvas, 0, 16, w, h, {{0, Rgba::Hex(0xB98A52)}, {0.5, Rgba::Hex(0xA2743E)}, {1, Rgba::Hex(0x8A5E2E)}});
    FillShape(canvas, board);
    {
        cairo_save(cr);
        ClipTo(canvas, board);
        SeededRandom random(105);
        WoodGrain(canvas, 4, 16, w - 8, h - 24, true, random);
        cairo_restore(cr);
    }
    StrokeShape(canvas, Box(6, 18, w - 12, h - 28, 18), 1.5, Rgba{1, 0.9, 0.7, 0.3});
    StrokeShape(canvas, board, 2, Rgba::Hex(0x4A2E12));

    constexpr double kPaperX = 28;
    constexpr double kPaperY = 50;
    const double paperW = w - 56;
    const double paperH = h - 66;
    const Shape sheet = Box(kPaperX, kPaperY, paperW, paperH, 3);
    DropShadow(canvas, sheet, 5, 2, 0.45);
    Parchment(canvas, sheet, kPaperX, kPaperY, paperW, paperH, 1050, Rgba::Hex(0xFFFCF2), Rgba::Hex(0xF7EDD6), 0.18);
    // Ruled lines under the title, the four rows and the total (their texts are written at
    // baselines 110, 160, 200, 240, 280 and 340).
    cairo_set_line_width(cr, 1);
    canvas.SetColor(Rgba::Hex(0x6E9CC8, 0.45));
    for (const double baseline : {160.0, 200.0, 240.0, 280.0}) {
        cairo_move_to(cr, kPaperX + 14, baseline + 6.5);
        cairo_line_to(cr, kPaperX + paperW - 14, baseline + 6.5);
    }
    cairo_stroke(cr);
    canvas.SetColor(Ui::kLeaf.WithAlpha(0.7));
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, kPaperX + 30, 124);
    cairo_line_to(cr, kPaperX + paperW - 30, 124);
    cairo_stroke(cr);
    // Double rule above the total.
    canvas.SetColor(Ui::kInk.WithAlpha(0.45));
    cairo_set_line_width(cr, 1);
    for (const double y : {314.5, 317.5}) {
        cairo_move_to(cr, w / 2 + 40, y);
        cairo_line_to(cr, kPaperX + paperW - 14, y);
    }
    cairo_stroke(cr);
    // A red margin line.
    canvas.SetColor(Rgba::Hex(0xD0545A, 0.5));
    cairo_move_to(cr, 66.5, kPaperY);
    cairo_line_to(cr, 66.5, kPaperY + paperH);
    cairo_stroke(cr);
    // Corner leaves, for the field look.
    Leaf(canvas, kPaperX + paperW - 22, kPaperY + paperH - 18, 22, 10, -0.8);
    Leaf(canvas, kPaperX + paperW - 36, kPaperY + paperH - 12, 18, 8, -0.1);

    // The metal clip at the top.
    const double cx = w / 2;
    const Shape plate = [cx](cairo_t* target) {
        cairo_new_sub_path(target);
        cairo_move_to(target, cx - 72, 68);
        cairo_line_to(target, cx - 60, 30);
        cairo_curve_to(target, cx - 40, 22, cx + 40, 22, cx + 60, 30);
        cairo_line_to(target, cx + 72, 68);
        cairo_close_path(target);
    };
    DropShadow(canvas, plate, 5, 3, 0.5);
    SetLinear(canvas, 0, 24, 0, 68, {{0, Rgba::Hex(0xF4F6F8)}, {0.45, Rgba::Hex(0xB8C0C6)}, {0.55, Rgba::Hex(0xA0A8AE)}, {1, Rgba::Hex(0xD8DEE2)}});
    FillShape(canvas, plate);
    StrokeShape(canvas, plate, 1.5, Rgba::Hex(0x4A5258));
    // The clip's wire loop and its rivets.
    const Shape loop = Box(cx - 26, 4, 52, 28, 12);
    StrokeShape(canvas, loop, 6, Rgba::Hex(0x4A5258));
    StrokeShape(canvas, loop, 3.5, Rgba::Hex(0xC8D0D6));
    for (const double rx : {cx - 50, cx + 50}) {
        cairo_new_path(cr);
        Canvas::EllipseOn(cr, rx, 56, 4, 4);
        canvas.SetRadialGradient(rx - 1.5, 54.5, 5, Rgba::Hex(0xFFFFFF), Rgba::Hex(0x707880));
        cairo_fill(cr);
    }
}

// A ribbon banner with folded ends. The game loads it but never shows it.
void PaintReviewBanner(Canvas& canvas, const Cell& cell)
{
    cairo_t* const cr = canvas.Cr();
    const double w = cell.mWidth;
    for (const int side : {-1, 1}) {
        const double edge = side < 0 ? 4 : w - 4;
        const double inner = side < 0 ? 62 : w - 62;
        cairo_new_path(cr);
        cairo_move_to(cr, inner, 24);
        cairo_line_to(cr, edge, 24);
        cairo_line_to(cr, edge - side * 18, 46);
        cairo_line_to(cr, edge, 68);
        cairo_line_to(cr, inner, 68);
        cairo_close_path(cr);
        canvas.SetVerticalGradient(24, 68, Ui::kLeaf, Ui::kLeafDark);
        cairo_fill_preserve(cr);
        canvas.SetColor(Rgba::Hex(0x1E4A1A));
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        // The fold, in shade.
        cairo_new_path(cr);
        cairo_move_to(cr, inner + side * -16, 60);
        cairo_line_to(cr, inner, 68);
        cairo_line_to(cr, inner, 60);
        cairo_close_path(cr);
        canvas.SetColor(Rgba::Hex(0x163A14));
        cairo_fill(cr);
    }
    const Shape band = Box(46, 10, w - 92, 50, 4);
    DropShadow(canvas, band, 5, 3, 0.45);
    canvas.SetVerticalGradient(10, 60, Ui::kLeafLight, Ui::kLeaf);
    FillShape(canvas, band);
    StrokeShape(canvas, Box(51, 15, w - 102, 40, 2), 1.5, Ui::kGold);
    StrokeShape(canvas, band, 1.5, Rgba::Hex(0x1E4A1A));
    Leaf(canvas, w / 2 - 12, 35, 20, 9, kPi + 0.3, Rgba::Hex(0xFFF0A0), Ui::kGold);
    Leaf(canvas, w / 2 + 12, 35, 20, 9, -0.3, Rgba::Hex(0xFFF0A0), Ui::kGold);
}

} // namespace

void AddPanelRecipes(RecipeBook& book)
{
    book.Add("IMAGE_GAME_SUBMENU", kSubmenuWidth, kSubmenuHeight, [](Canvas& canvas, const Cell&) { PaintSubmenu(canvas); });
    book.Add("IMAGE_GAME_TUTORIAL", kSubmenuWidth, 400, PaintTutorial);
    book.Add("IMAGE_GAME_STORY_BACK", 540, 560, PaintStoryBack);
    book.Add("IMAGE_AWARD_PAPER", 220, 150, PaintAwardPaper);
    book.Add("IMAGE_GAME_WAPPO_MEMO", 400, 470, PaintMemo);
    book.Add("IMAGE_GAME_TEXT_CLOUD", 400, 360, PaintTextCloud);
    book.Add("IMAGE_GAME_SCORE_CARD", 600, 520, PaintScoreCard);
    book.Add("IMAGE_GAME_REVIEW_BANNER", 400, 80, PaintReviewBanner);
}

} // namespace Content::InterfaceArt
