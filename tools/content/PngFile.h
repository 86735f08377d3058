#pragma once
// Writing pictures of the content tools as PNG files.

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

// A picture of 32-bit ARGB words (alpha in the top byte, colours not multiplied by alpha),
// rows back to back.
struct Pixels {
    Pixels(int width, int height) : mWidth(width), mHeight(height), mBits(static_cast<size_t>(width) * height) {}

    uint32_t& At(int x, int y) { return mBits[static_cast<size_t>(y) * mWidth + x]; }

    int mWidth;
    int mHeight;
    std::vector<uint32_t> mBits;
};

// False, with a message on the error stream, when the file cannot be written.
bool WritePng(const std::string& path, const Pixels& pixels);

} // namespace Content
