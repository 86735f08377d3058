#pragma once
// Rectangles, points, margins and horizontal runs of pixels.

#include <algorithm>
#include <cstdint>

namespace Zest {

// Covers columns mX .. mX + mWidth - 1 and rows mY .. mY + mHeight - 1.
template <typename T>
struct TRect {
    T mX = 0;
    T mY = 0;
    T mWidth = 0;
    T mHeight = 0;

    TRect() = default;
    TRect(const T x, const T y, const T width, const T height) : mX(x), mY(y), mWidth(width), mHeight(height) {}

    // The overlap. Rectangles that only touch give an empty rectangle on the shared edge;
    // ones that do not meet give (0, 0, 0, 0).
    TRect Intersection(const TRect& other) const
    {
        const T left = std::max(mX, other.mX);
        const T width = std::min(mX + mWidth, other.mX + other.mWidth) - left;
        if (width < 0)
            return TRect();
        const T top = std::max(mY, other.mY);
        const T height = std::min(mY + mHeight, other.mY + other.mHeight) - top;
        if (height < 0)
            return TRect();
        return TRect(left, top, width, height);
    }

    // Right and bottom edges excluded.
    bool Contains(const T x, const T y) const { return x >= mX && x < mX + mWidth && y >= mY && y < mY + mHeight; }

    bool operator==(const TRect& other) const = default;
};

using Rect = TRect<int32_t>;
using DoubleRect = TRect<double>;

struct Point {
    int32_t mX = 0;
    int32_t mY = 0;

    bool operator==(const Point& other) const = default;
};

struct Insets {
    int32_t mLeft = 0;
    int32_t mTop = 0;
    int32_t mRight = 0;
    int32_t mBottom = 0;
};

// One run of pixels: row, first column, width.
struct Span {
    int32_t mY = 0;
    int32_t mX = 0;
    int32_t mWidth = 0;
};

} // namespace Zest
