// The board's own pictures: the metal plates under the cells, the gold frames around the
// cells to be filled with one creature, the frost over the arctic board in match-search
// stages and the beads of the selection line.

#include "tools/content/HudArt.h"
#include "tools/content/Palette.h"
#include "tools/content/Recipe.h"
#include "tools/content/SeededRandom.h"
#include "tools/content/Shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <utility>
#include <vector>

namespace Content::HudArt {

namespace {

constexpr double kPi = std::numbers::pi;

// The board's textures draw from a stream of random numbers of their own.
constexpr uint32_t kBoardStream = 7;

// Four stops a third apart.
MetalRamp EvenRamp(const Rgba& shadow, const Rgba& dark, const Rgba& light, const Rgba& highlight)
{
    return {{{0.0, shadow}, {1.0 / 3, dark}, {2.0 / 3, light}, {1.0, highlight}}};
}

const MetalRamp kCopper = EvenRamp(Rgba::Hex(0x4A200C), Rgba::Hex(0x9C4E22), Rgba::Hex(0xD98A55), Rgba::Hex(0xFFD8B8));
const MetalRamp kSilver = EvenRamp(Rgba::Hex(0x3E4852), Rgba::Hex(0x8A96A2), Rgba::Hex(0xCBD4DC), Rgba::Hex(0xFFFFFF));
const MetalRamp kGold = EvenRamp(GoldAt(0), GoldAt(0.33), GoldAt(0.67), GoldAt(1));

// A domed rivet head.
void Rivet(Canvas& canvas, const MetalRamp& metal, const double cx, const double cy, const double radius)
{
    cairo_t* const cr = canvas.Cr();
    canvas.SoftShape(Oval(cx + 0.6, cy + 0.8, radius, radius), 1.5, 0, 0, Rgba{0, 0, 0, 0.5});
    cairo_new_path(cr);
    canvas.Ellipse(cx, cy, radius, radius);
    canvas.SetRadialGradient(cx - radius * 0.35, cy - radius * 0.4, radius * 1.3, metal.At(1), metal.At(0.2));
    cairo_fill_preserve(cr);
    canvas.SetColor(metal.At(0).WithAlpha(0.9));
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
}

// ---------------------------------------------------------------------------------------
// Plates

constexpr int kPlateSize = 88;

// A leaf outline pointing up and to the right, centred on (cx, cy).
void LeafOutline(cairo_t* cr, const double cx, const double cy, const double length)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, -kPi / 4);
    const double half = length / 2;
    cairo_move_to(cr, -half, 0);
    cairo_curve_to(cr, -half / 2, -half * 0.55, half / 2, -half * 0.5, half, 0);
    cairo_curve_to(cr, half / 2, half * 0.5, -half / 2, half * 0.55, -half, 0);
    cairo_close_path(cr);
    cairo_move_to(cr, -half * 0.85, 0);
    cairo_line_to(cr, half * 0.8, 0);
    cairo_restore(cr);
}

// A square floor plate of brushed metal with a bevelled rim, a rivet in each corner and a leaf
// stamped in the middle. The tile standing on it hides all but its rim and corners, so the
// rim carries the metal's colour most strongly.
void PaintPlate(Canvas& canvas, const MetalRamp& metal, const uint32_t seed)
{
    cairo_t* const cr = canvas.Cr();
    constexpr double kEdge = 1;
    constexpr double kSide = kPlateSize - 2 * kEdge;
    constexpr double kBevel = 5;
    const Shape outer = Box(kEdge, kEdge, kSide, kSide, 8);
    const Shape face = Box(kEdge + kBevel, kEdge + kBevel, kSide - 2 * kBevel, kSide - 2 * kBevel, 4);
    // The rim: lit at the top left, in shade at the bottom right.
    SetLinear(canvas, 0, 0, kPlateSize, kPlateSize,
                {{0, metal.At(1)}, {0.35, metal.At(0.75)}, {0.65, metal.At(0.45)}, {1, metal.At(0.15)}});
    FillShape(canvas, outer);
    // The face, sloping the other way so that it looks sunk into the rim.
    SetLinear(canvas, 0, 0, kPlateSize, kPlateSize,
                {{0, metal.At(0.45)}, {0.5, metal.At(0.62)}, {1, metal.At(0.78)}});
    FillShape(canvas, face);
    // Brush marks across the face.
    cairo_save(cr);
    cairo_new_path(cr);
    face(cr);
    cairo_clip(cr);
    SeededRandom random(seed, kBoardStream);
    cairo_set_line_width(cr, 0.7);
    for (double y = kEdge + kBevel; y < kPlateSize - kBevel; y += random.Range(0.8, 2.2)) {
        const double start = random.Range(-20, 40);
        cairo_move_to(cr, start, y);
        cairo_line_to(cr, start + random.Range(30, 90), y);
        canvas.SetColor(random.Next() < 0.5 ? metal.At(1).WithAlpha(random.Range(0.08, 0.22))
                                           : metal.At(0).WithAlpha(random.Range(0.05, 0.14)));
        cairo_stroke(cr);
    }
    // A sheen across the face.
    SetLinear(canvas, 10, 10, 78, 78,
                {{0, Rgba{1, 1, 1, 0}}, {0.3, Rgba{1, 1, 1, 0.22}}, {0.42, Rgba{1, 1, 1, 0}}, {1, Rgba{1, 1, 1, 0}}});
    cairo_paint(cr);
    cairo_restore(cr);
    // The stamped leaf: a dark groove with a lit lower edge.
    cairo_new_path(cr);
    LeafOutline(cr, kPlateSize / 2.0 + 0.8, kPlateSize / 2.0 + 0.8, 40);
    canvas.SetColor(metal.At(1).WithAlpha(0.55));
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_new_path(cr);
    LeafOutline(cr, kPlateSize / 2.0, kPlateSize / 2.0, 40);
    canvas.SetColor(metal.At(0).WithAlpha(0.45));
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    // Edges: a fine dark seam around the face and the plate, a lit line inside the rim.
    cairo_new_path(cr);
    face(cr);
    canvas.SetColor(metal.At(0).WithAlpha(0.55));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_new_path(cr);
    Canvas::RoundedRectOn(cr, kEdge + 1.2, kEdge + 1.2, kSide - 2.4, kSide - 2.4, 7);
    canvas.SetColor(metal.At(1).WithAlpha(0.5));
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    cairo_new_path(cr);
    outer(cr);
    canvas.SetColor(metal.At(0));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    for (const double x : {kEdge + 7.5, kPlateSize - kEdge - 7.5})
        for (const double y : {kEdge + 7.5, kPlateSize - kEdge - 7.5})
            Rivet(canvas, metal, x, y, 2.6);
}

// ---------------------------------------------------------------------------------------
// Frames

// Cells are 89 pixels apart on the board, and a frame's picture is drawn 16 pixels left of
// and 11 above its first cell's slot; in the picture's pixels the plate of a tile in cell
// (column c, row r) spans x 13 + 89 c to 93 + 89 c and y 14 + 89 r to 94 + 89 r. The frames
// sit half a pixel left and a pixel up from there: that centres the one-cell frame in its
// picture, which match search also draws centred on the mouse around its window in the frost.
constexpr double kCellPitch = 89;
constexpr double kTileLeft = 12.5;
constexpr double kTileTop = 13;
constexpr double kTileSide = 80;

// A frame is the outline of the union of its cells, given as the corners of the cells' grid
// (cell (c, r) spans c to c + 1 and r to r + 1), clockwise on the screen.
using GridOutline = std::vector<std::pair<int, int>>;

// The outline's corners in pixels, `offset` outside the tiles' plates (inside when negative).
// Each corner takes its x from the vertical edge that arrives at it or leaves it: an edge
// going down has the cells to its left on the screen, so it lies beyond a column's right
// side; an edge going up lies before a column's left side. Likewise for y.
std::vector<std::pair<double, double>> OutlineAround(const GridOutline& outline, const double offset)
{
    std::vector<std::pair<double, double>> points;
    const size_t count = outline.size();
    for (size_t i = 0; i < count; ++i) {
        const auto [gx, gy] = outline[i];
        const auto [px, py] = outline[(i + count - 1) % count];
        const auto [nx, ny] = outline[(i + 1) % count];
        // The vertical edge at this corner goes from (gx, py) or to (gx, ny).
        const int verticalStep = px == gx ? gy - py : ny - gy;
        const int horizontalStep = py == gy ? gx - px : nx - gx;
        const double x = verticalStep > 0 ? kCellPitch * (gx - 1) + kTileLeft + kTileSide + offset
                                          : kCellPitch * gx + kTileLeft - offset;
        const double y = horizontalStep > 0 ? kCellPitch * gy + kTileTop - offset
                                            : kCellPitch * (gy - 1) + kTileTop + kTileSide + offset;
        points.emplace_back(x, y);
    }
    return points;
}

// A gold moulding around the cells on a dark mount: a rounded band shaded like a tube, with
// fine dark edges, a green gem on each outer corner and a warm light on the framed tiles. The
// inside is left clear, so the framed tiles show.
void PaintFrame(Canvas& canvas, const GridOutline& outline)
{
    cairo_t* const cr = canvas.Cr();
    constexpr double kOuter = 9;
    constexpr double kInner = -1;
    const auto outer = OutlineAround(outline, kOuter);
    const auto inner = OutlineAround(outline, kInner);
    const auto middle = OutlineAround(outline, (kOuter + kInner) / 2);
    const auto band = [&](cairo_t* target) {
        cairo_set_fill_rule(target, CAIRO_FILL_RULE_EVEN_ODD);
        RoundedPolygon(target, outer, 18);
        RoundedPolygon(target, inner, 10);
    };
    // A dark mount behind the band with squarer corners: match search cuts a square window
    // into the frost, and the mount covers the window's edges where the band is rounded.
    const auto mount = [&](cairo_t* target) {
        cairo_set_fill_rule(target, CAIRO_FILL_RULE_EVEN_ODD);
        RoundedPolygon(target, OutlineAround(outline, kOuter + 2), 5);
        RoundedPolygon(target, inner, 10);
    };
    canvas.SoftShape(mount, 3, 0, 1.5, Rgba{0.1, 0.05, 0, 0.5});
    canvas.SetColor(Rgba::Hex(0x3A2406, 0.92));
    FillShape(canvas, mount);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    // A warm light falling inward from the band onto the framed tiles marks them out, also on
    // a board of gold plates.
    cairo_save(cr);
    cairo_new_path(cr);
    RoundedPolygon(cr, inner, 10);
    cairo_clip(cr);
    canvas.SoftShape(band, 12, 0, 0, Rgba::Hex(0xFFE27A, 0.85));
    cairo_restore(cr);
    // The tube: stacked strokes along the band's middle, each narrower and lighter.
    cairo_save(cr);
    cairo_new_path(cr);
    band(cr);
    cairo_clip(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    const double bandWidth = kOuter - kInner;
    const std::pair<double, double> layers[] = {{1.0, 0.12}, {0.8, 0.4}, {0.55, 0.68}, {0.3, 0.88}, {0.1, 1.0}};
    for (const auto& [width, brightness] : layers) {
        cairo_new_path(cr);
        RoundedPolygon(cr, middle, 14);
        canvas.SetColor(GoldAt(brightness));
        cairo_set_line_width(cr, bandWidth * width + 0.8);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    cairo_new_path(cr);
    RoundedPolygon(cr, outer, 18);
    canvas.SetColor(Rgba::Hex(0x4A2C06, 0.9));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_new_path(cr);
    RoundedPolygon(cr, inner, 10);
    canvas.SetColor(Rgba::Hex(0x4A2C06, 0.75));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Gems on the convex corners of the band's middle line, set back along the bisector so
    // that they sit on the rounded corner rather than at the sharp point.
    const size_t count = outline.size();
    for (size_t i = 0; i < count; ++i) {
        const auto [px, py] = outline[(i + count - 1) % count];
        const auto [gx, gy] = outline[i];
        const auto [nx, ny] = outline[(i + 1) % count];
        const int turn = (gx - px) * (ny - gy) - (gy - py) * (nx - gx);
        if (turn <= 0)
            continue;
        const double inX = (px - gx) + (nx - gx);
        const double inY = (py - gy) + (ny - gy);
        const double length = std::hypot(inX, inY);
        // A corner rounded by r lies r (sqrt 2 - 1) inside the sharp corner.
        const double setBack = 14 * (std::numbers::sqrt2 - 1);
        const double cx = middle[i].first + inX / length * setBack;
        const double cy = middle[i].second + inY / length * setBack;
        canvas.SoftShape(Oval(cx, cy + 1, 5.6, 5.6), 2, 0, 0, Rgba{0, 0, 0, 0.5});
        cairo_new_path(cr);
        canvas.Ellipse(cx, cy, 5.2, 5.2);
        canvas.SetRadialGradient(cx - 1.6, cy - 1.8, 6, Rgba::Hex(0xB8F5A0), Rgba::Hex(0x1E6B24));
        cairo_fill_preserve(cr);
        canvas.SetColor(Rgba::Hex(0x4A2C06));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        cairo_new_path(cr);
        canvas.Ellipse(cx - 1.6, cy - 1.9, 1.6, 1.1);
        canvas.SetColor(Rgba{1, 1, 1, 0.85});
        cairo_fill(cr);
    }
}

const GridOutline kOneCell = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
const GridOutline kTwoCells = {{0, 0}, {2, 0}, {2, 1}, {0, 1}};
const GridOutline kThreeCells = {{0, 0}, {3, 0}, {3, 1}, {0, 1}};
const GridOutline kSquare = {{0, 0}, {2, 0}, {2, 2}, {0, 2}};
// The first cell, the one below it and the one to the right of that.
const GridOutline kCorner = {{0, 0}, {1, 0}, {1, 1}, {2, 1}, {2, 2}, {0, 2}};

// ---------------------------------------------------------------------------------------
// Arctic frost

// The frost is drawn 16 pixels up and left of the board and hides every tile: in the
// picture's pixels the tiles span x 10 to 544 and y 16 to 547. The game cuts a square
// window into it around the mouse.
constexpr int kFrostSize = 564;

// A six-armed snowflake with side twigs.
void Snowflake(Canvas& canvas, const double cx, const double cy, const double radius, const double angle,
               const Rgba& colour)
{
    cairo_t* const cr = canvas.Cr();
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    for (int arm = 0; arm < 6; ++arm) {
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, 0, -radius);
        for (const double along : {0.45, 0.7}) {
            const double twig = radius * (1 - along) * 0.6;
            cairo_move_to(cr, -twig, -radius * along - twig);
            cairo_line_to(cr, 0, -radius * along);
            cairo_line_to(cr, twig, -radius * along - twig);
        }
        cairo_rotate(cr, kPi / 3);
    }
    cairo_restore(cr);
    canvas.SetColor(colour);
    cairo_set_line_width(cr, std::max(0.8, radius * 0.13));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// A frost fern: a curling stem with branches that split again, thinner at every level.
void FrostFern(Canvas& canvas, SeededRandom& random, const double x, const double y, const double angle,
               const double length, const int depth)
{
    cairo_t* const cr = canvas.Cr();
    const double bend = random.Range(-0.35, 0.35);
    const double midAngle = angle + bend / 2;
    const double endX = x + std::cos(angle + bend) * length;
    const double endY = y + std::sin(angle + bend) * length;
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x + std::cos(angle) * length * 0.4, y + std::sin(angle) * length * 0.4,
                   x + std::cos(midAngle) * length * 0.75, y + std::sin(midAngle) * length * 0.75, endX, endY);
    canvas.SetColor(Rgba{1, 1, 1, 0.35 + 0.12 * depth});
    cairo_set_line_width(cr, 0.5 + 0.45 * depth);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    if (depth == 0)
        return;
    const int branches = 2 + static_cast<int>(random.Range(0, 3));
    for (int i = 0; i < branches; ++i) {
        const double along = random.Range(0.3, 0.95);
        const double bx = x + (endX - x) * along;
        const double by = y + (endY - y) * along;
        const double side = i % 2 == 0 ? 1 : -1;
        FrostFern(canvas, random, bx, by, angle + side * random.Range(0.5, 1.0), length * random.Range(0.3, 0.5),
                  depth - 1);
    }
}

// The frosted pane, drawn edge to edge; its rim is softened afterwards.
void PaintFrostPane(Canvas& canvas)
{
    cairo_t* const cr = canvas.Cr();
    constexpr double kSize = kFrostSize;
    canvas.SetVerticalGradient(0, kSize, Rgba::Hex(0xE6F3FB), Rgba::Hex(0xB4D2E8));
    cairo_paint(cr);
    SeededRandom random(2024, kBoardStream);
    // Drifts of snow and patches of blue ice.
    for (int i = 0; i < 60; ++i) {
        const double x = random.Range(0, kSize);
        const double y = random.Range(0, kSize);
        const double radius = random.Range(30, 110);
        const Rgba colour = random.Next() < 0.6 ? Rgba{1, 1, 1, random.Range(0.35, 0.7)}
                                                : Rgba::Hex(0xA9CDE6, random.Range(0.2, 0.4));
        canvas.SetRadialGradient(x, y, radius, colour, colour.WithAlpha(0));
        cairo_paint(cr);
    }
    // Cracks in the ice: a dark line with a light one beside it.
    for (int i = 0; i < 26; ++i) {
        double x = random.Range(20, kSize - 20);
        double y = random.Range(20, kSize - 20);
        double angle = random.Range(0, 2 * kPi);
        std::vector<std::pair<double, double>> points = {{x, y}};
        const int segments = 3 + static_cast<int>(random.Range(0, 5));
        for (int k = 0; k < segments; ++k) {
            angle += random.Range(-0.7, 0.7);
            const double step = random.Range(10, 28);
            x += std::cos(angle) * step;
            y += std::sin(angle) * step;
            points.emplace_back(x, y);
        }
        for (const auto& [offset, colour] :
             {std::pair{0.0, Rgba::Hex(0x7FA8C8, 0.35)}, std::pair{1.0, Rgba{1, 1, 1, 0.7}}}) {
            cairo_new_path(cr);
            for (const auto& [px, py] : points)
                cairo_line_to(cr, px + offset, py + offset);
            canvas.SetColor(colour);
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
        }
    }
    // Frost ferns growing in from the edges.
    for (int i = 0; i < 28; ++i) {
        const int side = i % 4;
        const double along = random.Range(20, kSize - 20);
        const double x = side == 0 ? 6 : side == 1 ? kSize - 6 : along;
        const double y = side == 2 ? 10 : side == 3 ? kSize - 10 : along;
        const double inward = side == 0 ? 0 : side == 1 ? kPi : side == 2 ? kPi / 2 : -kPi / 2;
        FrostFern(canvas, random, x, y, inward + random.Range(-0.6, 0.6), random.Range(50, 110), 3);
    }
    for (int i = 0; i < 10; ++i)
        FrostFern(canvas, random, random.Range(80, kSize - 80), random.Range(80, kSize - 80),
                  random.Range(0, 2 * kPi), random.Range(30, 60), 2);
    // Snowflakes, each with a faint blue shade below it.
    for (int i = 0; i < 34; ++i) {
        const double x = random.Range(14, kSize - 14);
        const double y = random.Range(18, kSize - 18);
        const double radius = random.Range(4, 15);
        const double angle = random.Range(0, kPi);
        Snowflake(canvas, x + 0.8, y + 1.2, radius, angle, Rgba::Hex(0x6F9CC0, 0.35));
        Snowflake(canvas, x, y, radius, angle, Rgba{1, 1, 1, 0.95});
    }
    // Glints.
    for (int i = 0; i < 40; ++i) {
        const double x = random.Range(10, kSize - 10);
        const double y = random.Range(10, kSize - 10);
        const double size = random.Range(1.5, 4);
        cairo_new_path(cr);
        cairo_move_to(cr, x, y - size);
        cairo_line_to(cr, x + size * 0.25, y - size * 0.25);
        cairo_line_to(cr, x + size, y);
        cairo_line_to(cr, x + size * 0.25, y + size * 0.25);
        cairo_line_to(cr, x, y + size);
        cairo_line_to(cr, x - size * 0.25, y + size * 0.25);
        cairo_line_to(cr, x - size, y);
        cairo_line_to(cr, x - size * 0.25, y - size * 0.25);
        cairo_close_path(cr);
        canvas.SetColor(Rgba{1, 1, 1, 0.9});
        cairo_fill(cr);
    }
}

void PaintArcticMask(Canvas& canvas)
{
    Canvas pane(kFrostSize, kFrostSize);
    PaintFrostPane(pane);
    // Opaque over every tile, melting away in the last few pixels around them.
    Canvas rim(kFrostSize, kFrostSize);
    rim.SoftShape(Box(5, 10, 544, 542, 16), 7, 0, 0, Rgba{1, 1, 1, 1});
    cairo_t* const cr = canvas.Cr();
    cairo_set_source_surface(cr, pane.Surface(), 0, 0);
    cairo_mask_surface(cr, rim.Surface(), 0, 0);
    // A rim of hoar frost along the pane's edge.
    cairo_new_path(cr);
    Canvas::RoundedRectOn(cr, 7, 12, 540, 538, 14);
    canvas.SetColor(Rgba{1, 1, 1, 0.55});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

// ---------------------------------------------------------------------------------------
// The selection line

// One bead of the chain line: the game draws one every 8 pixels along the line, turned along
// it, and tints a glint running along the line yellow, so the bead is white.
void PaintLineBead(Canvas& canvas)
{
    cairo_t* const cr = canvas.Cr();
    const Shape bead = Box(2, 2, 10, 6, 3);
    canvas.SoftShape(bead, 2, 0, 0.8, Rgba{0, 0, 0, 0.55});
    cairo_new_path(cr);
    bead(cr);
    canvas.SetVerticalGradient(2, 8, Rgba{1, 1, 1, 1}, Rgba::Hex(0xD4DCE4));
    cairo_fill_preserve(cr);
    canvas.SetColor(Rgba::Hex(0x2A2A2A, 0.75));
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
}

} // namespace

void AddBoardRecipes(RecipeBook& book)
{
    book.Add("IMAGE_GAME_PLATE_COPPPER", kPlateSize, kPlateSize,
             [](Canvas& canvas, const Cell&) { PaintPlate(canvas, kCopper, 11); });
    book.Add("IMAGE_GAME_PLATE_SILVER", kPlateSize, kPlateSize,
             [](Canvas& canvas, const Cell&) { PaintPlate(canvas, kSilver, 12); });
    book.Add("IMAGE_GAME_PLATE_GOLDEN", kPlateSize, kPlateSize,
             [](Canvas& canvas, const Cell&) { PaintPlate(canvas, kGold, 13); });
    const auto frame = [](const GridOutline& outline) {
        return [&outline](Canvas& canvas, const Cell&) { PaintFrame(canvas, outline); };
    };
    book.Add("IMAGE_GAME_FRAMEX1", 104, 105, frame(kOneCell));
    book.Add("IMAGE_GAME_FRAMEX2", 192, 105, frame(kTwoCells));
    book.Add("IMAGE_GAME_FRAMEX3", 280, 108, frame(kThreeCells));
    book.Add("IMAGE_GAME_FRAME_SQUARE", 192, 194, frame(kSquare));
    book.Add("IMAGE_GAME_FRAMEX2L", 192, 194, frame(kCorner));
    book.Add("IMAGE_GAME_LINE_ELEMENT", 14, 10, [](Canvas& canvas, const Cell&) { PaintLineBead(canvas); });
    book.Add("IMAGE_GAME_MASK_ARCTIC", kFrostSize, kFrostSize, [](Canvas& canvas, const Cell&) { PaintArcticMask(canvas); });
}

} // namespace Content::HudArt
