#include "tools/content/HudTileArt.h"

#include "tools/content/HudArt.h"

#include <numbers>

namespace Content::HudArt {

void Plate(Canvas& canvas, const PlateLook& look)
{
    const Shape plate = Box(kPlateInset, kPlateInset, kPlateSide, kPlateSide, kPlateRadius);
    canvas.SoftShape(plate, 4, 0, 1.5, Rgba{0, 0, 0, 0.45});
    canvas.SetRadialGradient(kTile * 0.45, kTile * 0.35, kTile * 0.75, look.mLight, look.mMain);
    FillShape(canvas, plate);
    StrokeShapeRounded(canvas, plate, 2, look.mRim);
    TopGloss(canvas, kPlateInset, kPlateInset, kPlateSide, kPlateSide, kPlateRadius, 0.35);
}

void GroundShadow(Canvas& canvas, const double cx, const double cy, const double rx, const double ry)
{
    canvas.SoftShape(Oval(cx, cy, rx, ry), 4, 0, 0, Rgba{0, 0, 0, 0.3});
}

void StrokeShadow(Canvas& canvas, const Shape& shape, const double width, const double blur, const double dy,
                  const double alpha)
{
    canvas.SoftShape(
        [&](cairo_t* cr) {
            shape(cr);
            cairo_set_line_width(cr, width);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            // The stroke clears the path, so the fill that follows adds nothing.
            cairo_stroke(cr);
        },
        blur, 0, dy, Rgba{0, 0, 0, alpha});
}

void Glint(Canvas& canvas, const double cx, const double cy, const double size)
{
    cairo_t* const cr = canvas.Cr();
    cairo_new_path(cr);
    // Its sides bend in to 0.12 of its size across and down from the centre.
    SparklePath(cr, cx, cy, size, -std::numbers::pi / 2, 4, 0.12 * std::numbers::sqrt2);
    canvas.SetRadialGradient(cx, cy, size, Rgba{1, 1, 1, 1}, Rgba::Hex(0xFFF2B0, 0.8));
    cairo_fill(cr);
}

} // namespace Content::HudArt
