#pragma once
// A picture drawn larger or smaller about its centre, as the screens show tiles and arrows.

namespace Zest {
class Graphics;
class Image;
} // namespace Zest

// The picture scaled by `scale` in both directions, its centre at (x, y), in the graphics'
// current colour and blending.
void DrawCentredScaled(Zest::Graphics* g, Zest::Image* image, float scale, float x, float y);
