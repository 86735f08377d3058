#pragma once
// What the tiles of the power items and the locks and the marks over tiles share. They have
// the creature tiles' geometry: 86 x 86 with a plate inset by 3 pixels, so that a lock drawn
// at the tile's corner lies on its plate.

#include "tools/content/Canvas.h"
#include "tools/content/Shapes.h"

namespace Content::HudArt {

constexpr int kTile = 86;
constexpr double kPlateInset = 3;
constexpr double kPlateSide = kTile - 2 * kPlateInset;
constexpr double kPlateRadius = 14;

// The colours of a tile's plate: its centre, its body and its rim (with the rim's opacity).
struct PlateLook {
    Rgba mLight;
    Rgba mMain;
    Rgba mRim;
};

// The iron of the bucket's hoops, the hunter's net and the cage.
inline const Rgba kIron = Rgba::Hex(0x2C3640);
inline const Rgba kIronLight = Rgba::Hex(0xA8BAC8);

// A tile's plate, as the creatures' tiles have it: a soft shadow, a radial fill, a rim and a
// gloss along the top.
void Plate(Canvas& canvas, const PlateLook& look);

// The shadow that an object standing on a tile casts onto it.
void GroundShadow(Canvas& canvas, double cx, double cy, double rx, double ry);

// The soft shadow of lines rather than areas: the strokes of `shape`, widened and blurred.
void StrokeShadow(Canvas& canvas, const Shape& shape, double width, double blur, double dy, double alpha);

// A four-pointed glint, as light catches gold.
void Glint(Canvas& canvas, double cx, double cy, double size);

} // namespace Content::HudArt
