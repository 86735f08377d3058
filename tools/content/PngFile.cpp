#include "tools/content/PngFile.h"

#include <cairo.h>

#include <cstddef>
#include <cstdio>

namespace Content {

bool WritePng(const std::string& path, const Pixels& pixels)
{
    // The drawing library keeps its pixels multiplied by alpha and divides them out again
    // when it writes the file.
    cairo_surface_t* const surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixels.mWidth, pixels.mHeight);
    cairo_surface_flush(surface);
    unsigned char* const data = cairo_image_surface_get_data(surface);
    // Too large a picture (or no memory for it) gives a surface in an error state, without pixels.
    const cairo_status_t made = cairo_surface_status(surface);
    if (made != CAIRO_STATUS_SUCCESS || data == nullptr) {
        std::fprintf(stderr, "cannot make a %dx%d picture for '%s': %s\n", pixels.mWidth, pixels.mHeight, path.c_str(),
                     cairo_status_to_string(made));
        cairo_surface_destroy(surface);
        return false;
    }
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < pixels.mHeight; ++y) {
        auto* const row = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
        for (int x = 0; x < pixels.mWidth; ++x) {
            const uint32_t argb = pixels.mBits[static_cast<size_t>(y) * pixels.mWidth + x];
            const uint32_t alpha = argb >> 24;
            const auto scale = [alpha](uint32_t channel) { return (channel * alpha + 127) / 255; };
            row[x] = alpha << 24 | scale(argb >> 16 & 0xFF) << 16 | scale(argb >> 8 & 0xFF) << 8 | scale(argb & 0xFF);
        }
    }
    cairo_surface_mark_dirty(surface);
    const cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "cannot write '%s': %s\n", path.c_str(), cairo_status_to_string(status));
        return false;
    }
    return true;
}

} // namespace Content
