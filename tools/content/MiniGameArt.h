#pragma once
// What the pieces of the two physics bonus games share: the bronze of both cannons and the
// wheels they stand on.

#include "tools/content/Canvas.h"

namespace Content {
class RecipeBook;
}

namespace Content::MiniGameArt {

// The parts of the family, each in its own file: the spider game and the bear game.
void AddSpiderGameRecipes(RecipeBook& book);
void AddBearGameRecipes(RecipeBook& book);

// The bronze of both cannons.
inline const Rgba kBronzeLight = Rgba::Hex(0xF6D29A);
inline const Rgba kBronze = Rgba::Hex(0xC07A36);
inline const Rgba kBronzeDark = Rgba::Hex(0x5E3210);

// Shades a bronze tube across its width, from one edge at (x0, y0) to the other at (x1, y1),
// with the highlight a little towards the first edge.
void SetBronzeAcross(Canvas& canvas, double x0, double y0, double x1, double y1);

// A wooden wheel with an iron tyre, spokes and a bronze hub, seen from the side; `shade`
// darkens it for a wheel on the far side.
void Wheel(Canvas& canvas, double cx, double cy, double radius, double shade);

} // namespace Content::MiniGameArt
