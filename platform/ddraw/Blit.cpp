#include "platform/ddraw/Blit.h"

#include <cstring>
#include <vector>

namespace DDraw {
namespace {

uint8_t* PixelAt(const PixelView& view, const int x, const int y)
{
    return view.bits + static_cast<ptrdiff_t>(y) * view.pitch +
           static_cast<ptrdiff_t>(x) * view.format->BytesPerPixel();
}

// The source pixel that destination pixel `at` (counted from the destination rectangle's
// start) takes: the one under the destination pixel's centre.
int NearestSource(const int at, const int sourceStart, const int sourceLength, const int destinationLength)
{
    return sourceStart + static_cast<int>((2 * int64_t{at} + 1) * sourceLength / (2 * int64_t{destinationLength}));
}

// The source rectangle copied out, so that a blit within one surface reads what was
// there before it started writing.
struct SourceCopy {
    std::vector<uint8_t> bytes;
    PixelView view;
    RECT rect;
};

SourceCopy CopySource(const PixelView& source, const RECT& rect)
{
    SourceCopy copy;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int rowBytes = width * source.format->BytesPerPixel();
    copy.bytes.resize(static_cast<size_t>(rowBytes) * static_cast<size_t>(height));
    for (int row = 0; row < height; ++row)
        std::memcpy(copy.bytes.data() + static_cast<size_t>(row) * rowBytes, PixelAt(source, rect.left, rect.top + row),
                    static_cast<size_t>(rowBytes));
    copy.view = {copy.bytes.data(), rowBytes, width, height, source.format, source.palette};
    copy.rect = {0, 0, width, height};
    return copy;
}

} // namespace

void FillPixels(const PixelView& destination, const RECT& rect, const uint32_t pixel)
{
    const int bytes = destination.format->BytesPerPixel();
    const uint32_t value = pixel & destination.format->PixelMask();
    for (int y = rect.top; y < rect.bottom; ++y) {
        uint8_t* at = PixelAt(destination, rect.left, y);
        for (int x = rect.left; x < rect.right; ++x, at += bytes)
            WritePixel(at, bytes, value);
    }
}

void CopyPixels(const PixelView& destination, const RECT& destinationRect, const RECT& clip, const PixelView& source,
                const RECT& sourceRect, const DDCOLORKEY* key)
{
    if (IsEmpty(clip))
        return;
    if (destination.bits == source.bits) {
        const SourceCopy copy = CopySource(source, sourceRect);
        CopyPixels(destination, destinationRect, clip, copy.view, copy.rect, key);
        return;
    }

    const int destinationWidth = destinationRect.right - destinationRect.left;
    const int destinationHeight = destinationRect.bottom - destinationRect.top;
    const int sourceWidth = sourceRect.right - sourceRect.left;
    const int sourceHeight = sourceRect.bottom - sourceRect.top;
    const int destinationBytes = destination.format->BytesPerPixel();
    const int sourceBytes = source.format->BytesPerPixel();
    const bool sameFormat = *destination.format == *source.format;

    if (sameFormat && key == nullptr && sourceWidth == destinationWidth && sourceHeight == destinationHeight) {
        const size_t rowBytes = static_cast<size_t>(clip.right - clip.left) * static_cast<size_t>(destinationBytes);
        for (int y = clip.top; y < clip.bottom; ++y) {
            const int sourceX = sourceRect.left + (clip.left - destinationRect.left);
            const int sourceY = sourceRect.top + (y - destinationRect.top);
            std::memcpy(PixelAt(destination, clip.left, y), PixelAt(source, sourceX, sourceY), rowBytes);
        }
        return;
    }

    // Byte offsets of the source columns that the clipped destination columns take.
    std::vector<ptrdiff_t> columns(static_cast<size_t>(clip.right - clip.left));
    for (int x = clip.left; x < clip.right; ++x) {
        const int sourceX = NearestSource(x - destinationRect.left, sourceRect.left, sourceWidth, destinationWidth);
        columns[static_cast<size_t>(x - clip.left)] = static_cast<ptrdiff_t>(sourceX) * sourceBytes;
    }
    for (int y = clip.top; y < clip.bottom; ++y) {
        const int sourceY = NearestSource(y - destinationRect.top, sourceRect.top, sourceHeight, destinationHeight);
        const uint8_t* sourceRow = source.bits + static_cast<ptrdiff_t>(sourceY) * source.pitch;
        uint8_t* at = PixelAt(destination, clip.left, y);
        for (const ptrdiff_t column : columns) {
            const uint32_t pixel = ReadPixel(sourceRow + column, sourceBytes);
            const bool keyed =
                key != nullptr && pixel >= key->dwColorSpaceLowValue && pixel <= key->dwColorSpaceHighValue;
            if (!keyed) {
                const uint32_t written =
                    sameFormat ? pixel : destination.format->FromArgb(source.format->ToArgb(pixel, source.palette));
                WritePixel(at, destinationBytes, written);
            }
            at += destinationBytes;
        }
    }
}

} // namespace DDraw
