#pragma once
// Display images whose surface rows end in marked padding, for tests of the surface
// routines: every routine must leave the padding alone, and the pixels are read back from
// the locked surface.

#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "tests/framework/directx/DisplayFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace Tests {

inline constexpr uint8_t kPaddingByte = 0xA5;

class PaddedSurfaceTest : public DisplayTest {
protected:
    void InitDisplay(const DesktopFormat& format)
    {
        UseDesktopFormat(format);
        ASSERT_EQ(InitWindowed(), Zest::DDInterface::RESULT_OK) << mDisplay->mErrorString;
    }

    // A display image, or a plain memory image of the application, holding the pixels.
    template <typename T = Zest::DDImage>
    std::unique_ptr<T> MakeImage(const std::vector<uint32_t>& pixels, const int width, const int height)
    {
        std::unique_ptr<T> image;
        if constexpr (std::is_same_v<T, Zest::MemoryImage>)
            image = std::make_unique<T>(&mApp);
        else
            image = std::make_unique<T>(mDisplay.get());
        image->SetBits(pixels.data(), width, height, true);
        return image;
    }

    // An opaque destination whose picture lives in its surface, every surface pixel set to
    // `value` and the bytes after each row to kPaddingByte.
    std::unique_ptr<Zest::DDImage> MakeSurfaceImage(const int width, const int height, const uint32_t value)
    {
        auto image = MakeImage(std::vector<uint32_t>(static_cast<size_t>(width) * height, 0xFF000000), width, height);
        EXPECT_TRUE(image->LockSurface());
        const DDraw::DDSURFACEDESC& desc = image->mLockedDesc;
        const Win32::DWORD bytes = desc.ddpfPixelFormat.dwRGBBitCount / 8;
        auto* row = static_cast<uint8_t*>(desc.lpSurface);
        for (Win32::DWORD y = 0; y < desc.dwHeight; ++y, row += desc.lPitch) {
            for (Win32::DWORD x = 0; x < desc.dwWidth; ++x) {
                if (bytes == 2)
                    reinterpret_cast<uint16_t*>(row)[x] = static_cast<uint16_t>(value);
                else
                    reinterpret_cast<uint32_t*>(row)[x] = value;
            }
            std::fill(row + desc.dwWidth * bytes, row + desc.lPitch, kPaddingByte);
        }
        image->UnlockSurface();
        image->DeleteExtraBuffers();
        return image;
    }

    // The surface pixels, after checking that no row's padding was written.
    static std::vector<uint32_t> SurfacePixels(Zest::DDImage& image)
    {
        if (!image.LockSurface())
            return {};
        const DDraw::DDSURFACEDESC& desc = image.mLockedDesc;
        const Win32::DWORD bytes = desc.ddpfPixelFormat.dwRGBBitCount / 8;
        const auto* row = static_cast<const uint8_t*>(desc.lpSurface);
        for (Win32::DWORD y = 0; y < desc.dwHeight; ++y, row += desc.lPitch)
            for (const uint8_t* at = row + desc.dwWidth * bytes; at < row + desc.lPitch; ++at)
                EXPECT_EQ(*at, kPaddingByte) << "padding of row " << y;
        std::vector<uint32_t> pixels = LockedPixels(desc);
        image.UnlockSurface();
        return pixels;
    }
};

// Pictures written as rows of letters, each letter a pixel value ('.' the background).
inline std::vector<uint32_t> Picture(const std::vector<std::string>& rows, const std::map<char, uint32_t>& values)
{
    std::vector<uint32_t> pixels;
    for (const std::string& row : rows)
        for (const char letter : row)
            pixels.push_back(values.at(letter));
    return pixels;
}

} // namespace Tests
