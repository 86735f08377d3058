#pragma once
// Drawing helpers of the effect strips: timing curves that turn a cell's progress into the
// strength of a part, repeatable scatter, soft glows, rays, sparkles, tapered lines and a
// scratch layer the size of one cell.

#include "tools/content/Canvas.h"

#include <cstdint>
#include <functional>
#include <numbers>
#include <utility>
#include <vector>

namespace Content {
class RecipeBook;
}

namespace Content::Effects {

// The parts of the family, each in its own file: the survivor game's grasshoppers, poison
// clouds and germs; water, fire and wind of the power items; bursts and sparkles.
void AddSurvivorRecipes(RecipeBook& book);
void AddElementRecipes(RecipeBook& book);
void AddBurstRecipes(RecipeBook& book);

inline constexpr double kPi = std::numbers::pi;
inline constexpr double kTau = 2 * std::numbers::pi;

// The colours of light: white, a pale gold rim and a warm halo that keeps white visible on
// light ground.
inline const Rgba kWhite = Rgba::Hex(0xFFFFFF);
inline const Rgba kPaleGold = Rgba::Hex(0xFFE9A6);
inline const Rgba kWarmGlow = Rgba::Hex(0xFFD45C);

// 0 up to `from`, 1 from `to` on, straight in between.
double Ramp(double value, double from, double to);

// An S-shaped step from 0 to 1, for starts and ends without a jolt.
double Smooth(double value);

// Fast at first, settling at 1: things thrown out by a burst.
double EaseOut(double value);

// 0 before `in`, rising to 1 at `full`, holding until `fade`, back to 0 at `out`.
double Envelope(double value, double in, double full, double fade, double out);

// A repeatable number from 0 to 1 for a seed, so that scattered parts land in the same
// places on every run and every cell of a strip agrees on them.
double Scatter(uint32_t seed);
double Scatter(uint32_t seed, uint32_t salt);

// Fills or strokes the current path in a colour.
void Fill(cairo_t* cr, const Rgba& colour);
void Stroke(cairo_t* cr, const Rgba& colour, double width);

// A round glow that fades out smoothly to nothing at `radius`, with no edge: light in the
// air, a flash, the bloom around a spark.
void Glow(cairo_t* cr, double x, double y, double radius, const Rgba& colour);

// A ring of light of the given radius whose edges fade out over `spread` on either side.
void GlowRing(cairo_t* cr, double x, double y, double radius, double spread, const Rgba& colour);

// A ray of light as a path: a thin triangle from `inner` out to its tip at `outer` from
// (cx, cy) along `angle`, `half` radians wide at its foot on either side.
void RayPath(cairo_t* cr, double cx, double cy, double inner, double outer, double angle, double half);

// A sparkle as the effects draw it: a glow in `glow`, the star in `body` with a white heart.
void Sparkle(cairo_t* cr, double x, double y, double size, double angle, const Rgba& body, const Rgba& glow);

// Draws `paint` on a clear canvas the size of one cell and lays it on the cell with the
// given opacity. Soft shapes drawn there blur one cell instead of the whole strip, and
// parts that overlap on the layer fade out together instead of showing their seams.
void OnLayer(Canvas& canvas, int width, int height, double alpha, const std::function<void(Canvas&)>& paint);

// Fades what is drawn on `canvas` to nothing over `margin` pixels along its edges. Strips
// that the game draws enlarged use it: a shape cut off at the cell's edge would show there
// as a straight line.
void FadeEdges(Canvas& canvas, double margin);

using Point = std::pair<double, double>;

// The outline of a line through the points whose width follows `width` (given the share of
// the way along, 0 to 1), as one closed path: wind streaks and threads that taper to nothing
// fill in one go, without the darker seams of overlapping strokes.
void TaperedPath(cairo_t* cr, const std::vector<Point>& points, const std::function<double(double)>& width);

} // namespace Content::Effects
