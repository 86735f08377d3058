#pragma once
// The scenery of the four habitats, drawn in layers from the sky to the foreground: the
// backgrounds of the habitat screens, the title, the menus and the mini-games share it.

#include "tools/content/Canvas.h"
#include "tools/content/Palette.h"

namespace Content {

// Paints the habitat's scenery over the whole canvas area of width x height.
void PaintLandscape(Canvas& canvas, HabitatLook habitat, int width, int height);

// A soft dark vignette towards the edges, which makes text and panels stand out.
void PaintVignette(Canvas& canvas, int width, int height, double strength);

} // namespace Content
