#pragma once
// Image files to plain 32-bit pixel arrays and back. Every reader takes a file name, reads
// it through the pak-aware file calls (so an archived file wins over one on disk) and
// returns a new picture that the caller deletes, or null when the file is missing, of
// another layout, damaged or too large. The writers write ordinary files.

#include <cstdint>
#include <memory>
#include <string>

namespace Zest {
struct PakFileHandle;
}

namespace ImageLib {

// A decoded picture: mWidth x mHeight words 0xAARRGGBB (bytes B, G, R, A in memory), row
// by row from the top. The picture owns mBits (allocated with new[]); code that lends a
// buffer to a writer fills the fields itself and sets mBits back to null before the
// picture is destroyed.
class Image {
public:
    Image() = default;
    virtual ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    int32_t GetWidth() const { return mWidth; }
    int32_t GetHeight() const { return mHeight; }
    uint32_t* GetBits() const { return mBits; }
    // Hands the pixels over to the caller, who deletes them with delete[]; the picture keeps
    // its size and no pixels. A buffer from CreateImage has one word more than the picture
    // has pixels, so that a display image can take it over and keep its guard word there.
    uint32_t* ReleaseBits();

    int32_t mWidth = 0;
    int32_t mHeight = 0;
    uint32_t* mBits = nullptr;
};

// The most pixels a picture may have; a file claiming more is refused before anything is
// allocated for it.
constexpr int64_t kMaxImagePixels = int64_t{16384} * 16384;

// What a new picture holds before anyone draws in it. A reader that writes every pixel
// asks for undefined pixels and saves clearing memory it is about to overwrite.
enum class InitialPixels { kTransparent, kUndefined };

// A picture of the given size with every pixel 0 (transparent black) or left undefined, or
// null when a side is not positive, the picture has more than kMaxImagePixels pixels or
// memory runs out.
std::unique_ptr<Image> CreateImage(int64_t width, int64_t height,
                                   InitialPixels initialPixels = InitialPixels::kTransparent);

// Closes a pak file when the reader leaves, on every path.
struct PakFileCloser {
    void operator()(Zest::PakFileHandle* file) const;
};
using PakFilePtr = std::unique_ptr<Zest::PakFileHandle, PakFileCloser>;

// The RGB colour (0xRRGGBB) given to a picture made of an alpha image alone; 0xFFFFFF
// unless the loader of an image resource sets it around that one load.
extern uint32_t gAlphaComposeColor;

// Picks the reader from the extension of `fileName`; without one it tries ".tga", ".jpg",
// ".png", ".gif", ".j2k" and ".jp2" in this order. With `lookForAlphaImage` an alpha image
// ("dir/_name.ext", else "dir/name_" with any extension) supplies the alpha channel from
// its blue channel, or, without a main picture, becomes the picture in gAlphaComposeColor.
Image* GetImage(const std::string& fileName, bool lookForAlphaImage);

Image* GetPNGImage(const std::string& fileName);
Image* GetTGAImage(const std::string& fileName);
Image* GetGIFImage(const std::string& fileName);
Image* GetJPEGImage(const std::string& fileName);
Image* GetJPEG2000Image(const std::string& fileName);

// Loads the optional JPEG 2000 codec at start and releases it at shutdown; without it
// ".j2k" and ".jp2" files give null.
void LoadJPEG2000Codec();
void FreeJPEG2000Codec();

// Write 8-bit RGBA PNG, or RGB JPEG at quality 80 (alpha dropped); false when the file
// cannot be created or the picture cannot be encoded.
bool WritePNGImage(const std::string& fileName, const Image* image);
bool WriteJPEGImage(const std::string& fileName, const Image* image);

} // namespace ImageLib
