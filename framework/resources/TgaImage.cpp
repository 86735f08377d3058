// TGA: only the uncompressed 32-bit layout with 8 alpha bits and the first row at the top,
// whose pixel bytes B, G, R, A follow the 18-byte header and are copied as they are.

#include "framework/resources/ImageLib.h"
#include "framework/resources/PakFile.h"

#include <cstddef>

namespace ImageLib {

namespace {

constexpr int kHeaderSize = 18;
constexpr uint8_t kBitsPerPixel = 32;
constexpr uint8_t kDescriptorTopDownAlpha8 = 0x28;

uint16_t ReadLittleEndian16(const uint8_t* bytes)
{
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

} // namespace

Image* GetTGAImage(const std::string& fileName)
{
    const PakFilePtr file(Zest::PakFOpen(fileName.c_str(), "rb"));
    if (file == nullptr)
        return nullptr;

    uint8_t header[kHeaderSize];
    if (Zest::PakFRead(header, kHeaderSize, 1, file.get()) != 1)
        return nullptr;
    if (header[16] != kBitsPerPixel || header[17] != kDescriptorTopDownAlpha8)
        return nullptr;

    std::unique_ptr<Image> image =
        CreateImage(ReadLittleEndian16(header + 12), ReadLittleEndian16(header + 14), InitialPixels::kUndefined);
    if (image == nullptr)
        return nullptr;
    const int pixelCount = image->mWidth * image->mHeight;
    if (Zest::PakFRead(image->mBits, 4, pixelCount, file.get()) != static_cast<size_t>(pixelCount))
        return nullptr;
    return image.release();
}

} // namespace ImageLib
