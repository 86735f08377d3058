#include "tools/content/HudArt.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Content::HudArt {

Rgba MetalRamp::At(const double brightness) const
{
    const double at = std::clamp(brightness, 0.0, 1.0);
    for (size_t i = 1; i < mStops.size(); ++i)
        if (at <= mStops[i].first) {
            const double t = (at - mStops[i - 1].first) / (mStops[i].first - mStops[i - 1].first);
            return mStops[i - 1].second.Mix(mStops[i].second, t);
        }
    return mStops.back().second;
}

Rgba GoldAt(const double brightness)
{
    // From the brown of a deep fold through the gold itself to a pale sparkle. Made on first
    // use, so that other files' constants may be made from it.
    static const MetalRamp kGold = {{{0.0, Rgba::Hex(0x4A2C06)},
                                     {0.25, Rgba::Hex(0x8E5C0C)},
                                     {0.5, Rgba::Hex(0xD19A1E)},
                                     {0.7, Rgba::Hex(0xF2C035)},
                                     {0.88, Rgba::Hex(0xFFE27A)},
                                     {1.0, Rgba::Hex(0xFFF8DA)}}};
    return kGold.At(brightness);
}

void RoundedPolygon(cairo_t* const cr, const std::vector<std::pair<double, double>>& points, const double radius)
{
    const size_t count = points.size();
    if (count < 3)
        return;
    cairo_new_sub_path(cr);
    for (size_t i = 0; i < count; ++i) {
        const auto [px, py] = points[i];
        const auto [ax, ay] = points[(i + count - 1) % count];
        const auto [bx, by] = points[(i + 1) % count];
        const double lengthA = std::hypot(ax - px, ay - py);
        const double lengthB = std::hypot(bx - px, by - py);
        if (lengthA < 1e-9 || lengthB < 1e-9)
            continue;
        // Unit vectors from the corner along its two edges.
        const double ux = (ax - px) / lengthA;
        const double uy = (ay - py) / lengthA;
        const double vx = (bx - px) / lengthB;
        const double vy = (by - py) / lengthB;
        const double angle = std::acos(std::clamp(ux * vx + uy * vy, -1.0, 1.0));
        const double halfTan = std::tan(angle / 2);
        if (angle > std::numbers::pi - 1e-6 || halfTan < 1e-9) {
            cairo_line_to(cr, px, py);
            continue;
        }
        // The arc touches both edges `reach` from the corner; it may take at most half of each
        // edge, so that neighbouring corners do not overlap.
        double reach = radius / halfTan;
        double round = radius;
        const double maxReach = std::min(lengthA, lengthB) / 2;
        if (reach > maxReach) {
            reach = maxReach;
            round = reach * halfTan;
        }
        const double bisectorX = ux + vx;
        const double bisectorY = uy + vy;
        const double bisectorLength = std::hypot(bisectorX, bisectorY);
        const double centreDistance = round / std::sin(angle / 2);
        const double cx = px + bisectorX / bisectorLength * centreDistance;
        const double cy = py + bisectorY / bisectorLength * centreDistance;
        const double startAngle = std::atan2(py + uy * reach - cy, px + ux * reach - cx);
        const double endAngle = std::atan2(py + vy * reach - cy, px + vx * reach - cx);
        // Travelling in along -u and out along v: the turn's sign picks the arc's direction.
        const double turn = (-ux) * vy - (-uy) * vx;
        if (turn > 0)
            cairo_arc(cr, cx, cy, round, startAngle, endAngle);
        else
            cairo_arc_negative(cr, cx, cy, round, startAngle, endAngle);
    }
    cairo_close_path(cr);
}

void TopGloss(Canvas& canvas, const double x, const double y, const double width, const double height,
              const double radius, const double strength)
{
    // Inset from the edge, over the upper 45 %, fading from the top down.
    const double inset = std::clamp(std::min(width, height) * 0.04, 1.0, 3.0);
    const double glossHeight = height * 0.45;
    cairo_t* const cr = canvas.Cr();
    cairo_save(cr);
    cairo_new_path(cr);
    canvas.RoundedRect(x + inset, y + inset, width - 2 * inset, glossHeight, std::max(0.0, radius - inset));
    canvas.SetVerticalGradient(y + inset, y + glossHeight, Rgba{1, 1, 1, strength}, Rgba{1, 1, 1, 0});
    cairo_fill(cr);
    cairo_restore(cr);
}

} // namespace Content::HudArt
