// PNG through libpng. libpng reports errors by longjmp back to the setjmp of the function
// that called it, so each function that holds a setjmp keeps only plain values in its
// frame; the objects with destructors live in the callers, which the jump never crosses.

#include "framework/resources/ImageLib.h"
#include "framework/resources/PakFile.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>

namespace ImageLib {

void PngReadCallback(png_structp png, png_bytep data, png_size_t length)
{
    auto* const file = static_cast<Zest::PakFileHandle*>(png_get_io_ptr(png));
    if (length > 0 && Zest::PakFRead(data, static_cast<int>(length), 1, file) != 1)
        png_error(png, "Read Error");
}

namespace {

struct PngReadStructs {
    png_structp mPng = nullptr;
    png_infop mInfo = nullptr;

    ~PngReadStructs() { png_destroy_read_struct(&mPng, mInfo != nullptr ? &mInfo : nullptr, nullptr); }
};

struct PngWriteStructs {
    png_structp mPng = nullptr;
    png_infop mInfo = nullptr;

    ~PngWriteStructs() { png_destroy_write_struct(&mPng, mInfo != nullptr ? &mInfo : nullptr); }
};

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

// Reads the header and sets up the transformations that turn every kind of PNG into
// 8-bit B, G, R, A bytes per pixel; `passes` is the number of times the rows come, 7 for an
// interlaced file. False on a libpng error or when the rows would not come out 4 bytes per
// pixel.
bool ReadPngHeader(png_structp png, png_infop info, png_uint_32* width, png_uint_32* height, int* passes)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_info(png, info);
    *width = png_get_image_width(png, info);
    *height = png_get_image_height(png, info);
    if (*width == 0 || *height == 0 || int64_t{*width} * *height > kMaxImagePixels)
        return false;

    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(png);
    *passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return png_get_rowbytes(png, info) == png_size_t{*width} * 4;
}

// The rows straight into the picture's pixels, without a table of row pointers. Each pass
// writes only its own pixels and the passes together cover the picture, so every pixel is
// written.
bool ReadPngRows(png_structp png, uint32_t* bits, const png_uint_32 width, const png_uint_32 height,
                 const int passes)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y)
            png_read_row(png, reinterpret_cast<png_bytep>(bits + size_t{y} * width), nullptr);
    }
    png_read_end(png, nullptr);
    return true;
}

bool WritePngRows(png_structp png, png_infop info, FILE* file, const Image& image)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.mWidth), static_cast<png_uint_32>(image.mHeight), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_color_8 significantBits{};
    significantBits.red = 8;
    significantBits.green = 8;
    significantBits.blue = 8;
    significantBits.alpha = 8;
    png_set_sBIT(png, info, &significantBits);
    png_write_info(png, info);
    png_set_bgr(png);
    for (int32_t y = 0; y < image.mHeight; ++y)
        png_write_row(png, reinterpret_cast<png_const_bytep>(image.mBits + static_cast<size_t>(y) * image.mWidth));
    png_write_end(png, info);
    return true;
}

} // namespace

Image* GetPNGImage(const std::string& fileName)
{
    const PakFilePtr file(Zest::PakFOpen(fileName.c_str(), "rb"));
    if (file == nullptr)
        return nullptr;

    PngReadStructs structs;
    structs.mPng = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (structs.mPng == nullptr)
        return nullptr;
    structs.mInfo = png_create_info_struct(structs.mPng);
    if (structs.mInfo == nullptr)
        return nullptr;
    png_set_read_fn(structs.mPng, file.get(), PngReadCallback);

    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int passes = 0;
    if (!ReadPngHeader(structs.mPng, structs.mInfo, &width, &height, &passes))
        return nullptr;
    std::unique_ptr<Image> image = CreateImage(width, height, InitialPixels::kUndefined);
    if (image == nullptr)
        return nullptr;
    if (!ReadPngRows(structs.mPng, image->mBits, width, height, passes))
        return nullptr;
    return image.release();
}

bool WritePNGImage(const std::string& fileName, const Image* image)
{
    if (image == nullptr || image->mBits == nullptr || image->mWidth <= 0 || image->mHeight <= 0)
        return false;
    FilePtr file(Zest::OpenSystemFile(fileName.c_str(), "wb"));
    if (file == nullptr)
        return false;

    PngWriteStructs structs;
    structs.mPng = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (structs.mPng == nullptr)
        return false;
    structs.mInfo = png_create_info_struct(structs.mPng);
    if (structs.mInfo == nullptr)
        return false;
    if (!WritePngRows(structs.mPng, structs.mInfo, file.get(), *image))
        return false;
    return std::fclose(file.release()) == 0;
}

} // namespace ImageLib
