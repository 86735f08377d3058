#pragma once
// The pixel work of blits: filling a rectangle, and copying one with nearest-pixel
// stretching, source colour keys and conversion between pixel formats.

#include "platform/ddraw/PixelFormat.h"

#include <algorithm>

namespace DDraw {

// A surface's pixels: rows `pitch` bytes apart.
struct PixelView {
    uint8_t* bits = nullptr;
    int pitch = 0;
    int width = 0;
    int height = 0;
    const PixelFormat* format = nullptr;
    // The palette of a palettised surface; null without one.
    const PALETTEENTRY* palette = nullptr;
};

inline bool IsEmpty(const RECT& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

inline RECT Intersection(const RECT& a, const RECT& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

inline RECT Union(const RECT& a, const RECT& b)
{
    if (IsEmpty(a))
        return b;
    if (IsEmpty(b))
        return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

// Whether the rectangle is not empty and lies inside width x height.
inline bool IsInside(const RECT& rect, const int width, const int height)
{
    return !IsEmpty(rect) && rect.left >= 0 && rect.top >= 0 && rect.right <= width && rect.bottom <= height;
}

// Sets every pixel of `rect` (inside the view) to `pixel`.
void FillPixels(const PixelView& destination, const RECT& rect, uint32_t pixel);

// Copies `sourceRect` onto `destinationRect`, stretched by nearest pixel, converted when
// the formats differ (not into a palettised format), skipping source pixels whose value
// lies within `key` when one is given. Only the part of the destination within `clip`
// (inside the destination rectangle and the view) is written. Source and destination may
// be the same surface.
void CopyPixels(const PixelView& destination, const RECT& destinationRect, const RECT& clip, const PixelView& source,
                const RECT& sourceRect, const DDCOLORKEY* key);

} // namespace DDraw
