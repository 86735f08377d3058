#pragma once
// Small helpers for the arrays that hold a picture and its derived forms.

#include "framework/graphics/Image.h"

#include <cstddef>

namespace Zest {

// Width x height; 0 for an empty picture.
inline size_t PixelCount(const Image& image)
{
    if (image.mWidth <= 0 || image.mHeight <= 0)
        return 0;
    return static_cast<size_t>(image.mWidth) * static_cast<size_t>(image.mHeight);
}

template <typename T>
void FreeArray(T*& array)
{
    delete[] array;
    array = nullptr;
}

} // namespace Zest
