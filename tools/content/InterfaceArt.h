#pragma once
// The materials of the interface pictures, in the look of a naturalist's field journal:
// parchment, wooden frames and their grain, brass studs and small green leaves.

#include "tools/content/Canvas.h"
#include "tools/content/Palette.h"
#include "tools/content/SeededRandom.h"
#include "tools/content/Shapes.h"

#include <cstdint>

namespace Content {
class RecipeBook;
}

namespace Content::InterfaceArt {

// The parts of the family, each in its own file: the panels and cards; the controls, the
// title's loading bar and the menu's player plaque; the game screen's left panel with its
// bars and backpack.
void AddPanelRecipes(RecipeBook& book);
void AddControlRecipes(RecipeBook& book);
void AddGamePanelRecipes(RecipeBook& book);

// A small green leaf lying along `angle`, centred on (cx, cy), with its vein and outline.
void Leaf(Canvas& canvas, double cx, double cy, double length, double width, double angle,
          const Rgba& light = Ui::kLeafLight, const Rgba& dark = Ui::kLeaf);

// A round brass nail head.
void Stud(Canvas& canvas, double cx, double cy, double radius);

// Parchment filling `shape`, whose box is x, y, width x height: a warm gradient, fibres and
// specks, darker towards the edges by `edgeShade`.
void Parchment(Canvas& canvas, const Shape& shape, double x, double y, double width, double height, uint32_t seed,
               const Rgba& top = Ui::kCream, const Rgba& bottom = Ui::kPaper, double edgeShade = 0.32);

// Grain lines along a strip of wood `length` long and `thickness` wide whose corner is at
// (x, y), running across the picture when `horizontal`, down it otherwise. The caller clips.
void WoodGrain(Canvas& canvas, double x, double y, double length, double thickness, bool horizontal,
               SeededRandom& random);

// A wooden picture frame of the given thickness, with mitred corners and a bevel. The
// inside is left alone.
void WoodFrame(Canvas& canvas, double x, double y, double width, double height, double thickness, double radius,
               uint32_t seed);

// Slanted stripes over a bar `width` x `height` from the origin, `pitch` apart and `stripe`
// wide, as a path: the rope wound along the loading bar and the filled progress bars.
void SlantedStripes(cairo_t* cr, double width, double height, double pitch, double stripe);

} // namespace Content::InterfaceArt
