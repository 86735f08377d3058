#include "framework/resources/ImageLib.h"

#include "framework/resources/PakFile.h"

#include <cstddef>
#include <new>
#include <string_view>

namespace ImageLib {

uint32_t gAlphaComposeColor = 0xFFFFFF;

namespace {

using Reader = Image* (*)(const std::string&);

struct ReaderEntry {
    std::string_view mExtension;
    Reader mReader;
};

// The order matters: a name without extension takes the first format found on disk.
constexpr ReaderEntry kReaders[] = {
    {".tga", GetTGAImage},  {".jpg", GetJPEGImage},     {".png", GetPNGImage},
    {".gif", GetGIFImage},  {".j2k", GetJPEG2000Image}, {".jp2", GetJPEG2000Image},
};

bool EqualsNoCase(const std::string_view a, const std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](const char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

Image* FindImage(const std::string& fileName)
{
    const size_t dot = fileName.rfind('.');
    const size_t separator = fileName.find_last_of("\\/");
    const bool hasExtension = dot != std::string::npos && (separator == std::string::npos || dot > separator);
    const std::string_view extension = hasExtension ? std::string_view(fileName).substr(dot) : std::string_view();
    const std::string base = hasExtension ? fileName.substr(0, dot) : fileName;

    for (const ReaderEntry& entry : kReaders) {
        if (!extension.empty() && !EqualsNoCase(extension, entry.mExtension))
            continue;
        if (Image* const image = entry.mReader(base + std::string(entry.mExtension)))
            return image;
    }
    return nullptr;
}

Image* FindAlphaImage(const std::string& fileName)
{
    const size_t separator = fileName.find_last_of("\\/");
    const size_t filePartStart = separator == std::string::npos ? 0 : separator + 1;
    const std::string prefixed = fileName.substr(0, filePartStart) + "_" + fileName.substr(filePartStart);
    if (Image* const image = FindImage(prefixed))
        return image;
    return FindImage(fileName + "_");
}

size_t PixelCount(const Image& image)
{
    return static_cast<size_t>(image.mWidth) * static_cast<size_t>(image.mHeight);
}

} // namespace

Image::~Image()
{
    delete[] mBits;
}

uint32_t* Image::ReleaseBits()
{
    uint32_t* const bits = mBits;
    mBits = nullptr;
    return bits;
}

std::unique_ptr<Image> CreateImage(const int64_t width, const int64_t height, const InitialPixels initialPixels)
{
    if (width <= 0 || height <= 0 || width > kMaxImagePixels || height > kMaxImagePixels ||
        width * height > kMaxImagePixels)
        return nullptr;
    // The word past the last pixel is the taker's (see ReleaseBits).
    const size_t count = static_cast<size_t>(width * height) + 1;
    uint32_t* const bits = initialPixels == InitialPixels::kTransparent ? new (std::nothrow) uint32_t[count]()
                                                                        : new (std::nothrow) uint32_t[count];
    if (bits == nullptr)
        return nullptr;
    auto image = std::make_unique<Image>();
    image->mWidth = static_cast<int32_t>(width);
    image->mHeight = static_cast<int32_t>(height);
    image->mBits = bits;
    return image;
}

void PakFileCloser::operator()(Zest::PakFileHandle* file) const
{
    Zest::PakFClose(file);
}

Image* GetImage(const std::string& fileName, const bool lookForAlphaImage)
{
    std::unique_ptr<Image> image(FindImage(fileName));
    if (!lookForAlphaImage)
        return image.release();

    std::unique_ptr<Image> alphaImage(FindAlphaImage(fileName));
    if (alphaImage == nullptr)
        return image.release();

    if (image == nullptr) {
        const uint32_t color = gAlphaComposeColor & 0xFFFFFF;
        uint32_t* const bits = alphaImage->mBits;
        for (size_t i = 0; i < PixelCount(*alphaImage); ++i)
            bits[i] = (bits[i] << 24) | color;
        return alphaImage.release();
    }

    if (alphaImage->mWidth == image->mWidth && alphaImage->mHeight == image->mHeight) {
        uint32_t* const bits = image->mBits;
        const uint32_t* const alphaBits = alphaImage->mBits;
        for (size_t i = 0; i < PixelCount(*image); ++i)
            bits[i] = (bits[i] & 0x00FFFFFF) | (alphaBits[i] << 24);
    }
    return image.release();
}

} // namespace ImageLib
