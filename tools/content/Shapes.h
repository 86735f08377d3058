#pragma once
// Shapes handed around as functions that add a path, and the fills, strokes, clips, shadows
// and gradients that the recipes make of them; pictures recoloured pixel by pixel; and the
// strip of sticky tape that holds cards and photographs.

#include "tools/content/Canvas.h"

#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

namespace Content {

// A path; the caller starts a new path first and fills, strokes or clips it after.
// Sub-paths of one shape turn the same way, so that a fill makes their union.
using Shape = std::function<void(cairo_t*)>;

Shape Box(double x, double y, double width, double height, double radius);
Shape Oval(double cx, double cy, double rx, double ry);

// A circle as a sub-path of the current path.
void Circle(cairo_t* cr, double cx, double cy, double radius);

// A star of `points` tips with curved, pinched sides, its first tip along `angle`: the
// twinkle of a sparkle, the glint of light on gold. `pinch` is how far from the centre the
// sides bend in, as a share of the size.
void SparklePath(cairo_t* cr, double x, double y, double size, double angle, int points = 4, double pinch = 0.14);

// A smooth curve through the points (Catmull-Rom turned into Bezier curves), from a move to
// the first point; a closed one runs on from the last point back round to the first.
void SmoothCurve(cairo_t* cr, const std::vector<std::pair<double, double>>& points, bool closed);

// Fills the shape with the current source, or in a colour.
void FillShape(Canvas& canvas, const Shape& shape);
void FillShape(Canvas& canvas, const Shape& shape, const Rgba& colour);

// Strokes the shape with round joins; the line's ends are left as they are set.
void StrokeShape(Canvas& canvas, const Shape& shape, double width, const Rgba& colour);

// Strokes the current path, or a shape, with round joins and round ends, as drawn with a
// pen. The round joins and ends stay set.
void StrokeRounded(Canvas& canvas, const Rgba& colour, double width);
void StrokeShapeRounded(Canvas& canvas, const Shape& shape, double width, const Rgba& colour);

// Fills the shape with the current source and outlines it with round joins and ends.
void FillAndOutline(Canvas& canvas, const Shape& shape, const Rgba& outline, double width);

void ClipTo(Canvas& canvas, const Shape& shape);

// A linear gradient from (x0, y0) to (x1, y1) through colour stops (offset, colour), as the
// source.
void SetLinear(Canvas& canvas, double x0, double y0, double x1, double y1,
               std::initializer_list<std::pair<double, Rgba>> stops);

// A soft shadow under a shape, in a warm dark brown rather than grey.
void DropShadow(Canvas& canvas, const Shape& shape, double blur, double dy, double alpha);

// A soft shade inside a shape along its edges: paper darkened at its rims, recesses.
void InnerShadow(Canvas& canvas, const Shape& shape, double blur, double dx, double dy, const Rgba& colour);

// Draws what `paint` draws on a transparent canvas of width x height (in the cell's
// coordinates), passes every pixel's straight colour through `recolour` and lays the
// result on `canvas`. Alpha is kept. For small pictures only: it visits every pixel.
void Recoloured(Canvas& canvas, int width, int height, const std::function<void(Canvas&)>& paint,
                const std::function<Rgba(const Rgba&)>& recolour);

// The brightness of a colour, 0 to 1.
double Brightness(const Rgba& colour);

// How a strip of sticky tape looks: half its width across the strip, the depth of the zigzag
// of its torn ends, the blur of its shadow, its opacity and whether its edge is drawn.
struct TapeLook {
    double mHalfWidth;
    double mTooth;
    double mShadowBlur;
    double mAlpha;
    bool mEdge;
};

// A strip of sticky tape `length` long across (cx, cy), turned by `angle`.
void Tape(Canvas& canvas, double cx, double cy, double angle, double length, const TapeLook& look);

} // namespace Content
