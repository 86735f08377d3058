#pragma once
// The world map that the player flies over: the continents drawn so that the game's map
// points fall on their habitats (Amazon, Grand Canyon, Alaska, the Arctic, Europe, the
// desert, Africa, Asia, Australia and the Pacific).

#include "tools/content/Canvas.h"

namespace Content {

void PaintWorldMap(Canvas& canvas);

} // namespace Content
