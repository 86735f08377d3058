#pragma once
// A display image drawn on by the surface routines, for tests that check every byte the
// routines may reach: the whole surface memory, the row padding included, starts as one
// background value, and Changes lists every pixel slot that no longer holds it, so that a
// stray write beside a rectangle, past the end of a row or below the last row shows up as an
// extra entry.

#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "tests/framework/directx/DisplayFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <utility>

namespace Tests {

// A 16-bit layout without a packed form (4-bit channels), and a 32-bit one whose channels
// are not ordered red above green above blue.
inline constexpr DesktopFormat kFormat444{16, 0x0F00, 0x00F0, 0x000F};
inline constexpr DesktopFormat kFormatBgr888{32, 0x000000FF, 0x0000FF00, 0x00FF0000};

// Backgrounds with every channel away from 0 and its maximum, and a top byte in 32 bits.
inline constexpr uint32_t kBackground888 = 0x11806040;
inline constexpr uint32_t kBackgroundBgr888 = 0x11406080;
inline constexpr uint32_t kBackground565 = 0x8410;
inline constexpr uint32_t kBackground555 = 0x4210;
inline constexpr uint32_t kBackground444 = 0x0888;

// (x, y) of a pixel slot -> its value; x runs on into the row padding.
using PixelChanges = std::map<std::pair<int, int>, uint32_t>;

class SurfaceCanvasTest : public DisplayTest {
protected:
    void TearDown() override
    {
        mCanvas.reset();
        DisplayTest::TearDown();
    }

    void InitDisplay(const DesktopFormat& format)
    {
        mCanvas.reset();
        UseDesktopFormat(format);
        ASSERT_EQ(InitWindowed(), Zest::DDInterface::RESULT_OK) << mDisplay->mErrorString;
    }

    // The canvas: an image on a surface of its own, every byte of which holds `background`.
    Zest::DDImage& MakeCanvas(const int width, const int height, const uint32_t background)
    {
        DDraw::DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof(desc);
        desc.dwFlags = DDraw::DDSD_CAPS | DDraw::DDSD_WIDTH | DDraw::DDSD_HEIGHT;
        desc.dwWidth = static_cast<Win32::DWORD>(width);
        desc.dwHeight = static_cast<Win32::DWORD>(height);
        desc.ddsCaps.dwCaps = DDraw::DDSCAPS_OFFSCREENPLAIN | DDraw::DDSCAPS_SYSTEMMEMORY;
        DDraw::IDirectDrawSurface* surface = nullptr;
        EXPECT_EQ(mDisplay->CreateSurface(&desc, &surface), DDraw::DD_OK);
        mCanvas = std::make_unique<Zest::DDImage>(mDisplay.get());
        mCanvas->SetSurface(surface);
        surface->Release();
        mBackground = background;
        ForEachSlot([background](uint8_t* slot, const int bytes, int, int) { std::memcpy(slot, &background, bytes); });
        return *mCanvas;
    }

    // Every pixel slot that differs from the background. The routines must also have left
    // the canvas unlocked.
    PixelChanges Changes()
    {
        EXPECT_EQ(mCanvas->mLockCount, 0);
        PixelChanges changes;
        const uint32_t background = mBackground;
        ForEachSlot([&](const uint8_t* slot, const int bytes, const int x, const int y) {
            uint32_t value = 0;
            std::memcpy(&value, slot, bytes);
            if (value != (bytes == 2 ? background & 0xFFFF : background))
                changes[{x, y}] = value;
        });
        return changes;
    }

    // A rectangle of pixels that all hold one value.
    static PixelChanges Filled(const int x, const int y, const int width, const int height, const uint32_t value)
    {
        PixelChanges pixels;
        for (int row = y; row < y + height; ++row)
            for (int column = x; column < x + width; ++column)
                pixels[{column, row}] = value;
        return pixels;
    }

    std::unique_ptr<Zest::DDImage> mCanvas;
    uint32_t mBackground = 0;

private:
    // visit(slot, bytes per pixel, x, y) for every pixel slot of the surface memory: pitch
    // bytes a row, all rows.
    template <typename Visit>
    void ForEachSlot(const Visit& visit)
    {
        DDraw::DDSURFACEDESC desc{};
        desc.dwSize = sizeof(desc);
        ASSERT_EQ(mCanvas->mSurface->Lock(nullptr, &desc, DDraw::DDLOCK_WAIT, nullptr), DDraw::DD_OK);
        const int bytes = static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount / 8);
        auto* row = static_cast<uint8_t*>(desc.lpSurface);
        for (int y = 0; y < static_cast<int>(desc.dwHeight); ++y, row += desc.lPitch)
            for (int x = 0; x < desc.lPitch / bytes; ++x)
                visit(row + x * bytes, bytes, x, y);
        mCanvas->mSurface->Unlock(nullptr);
    }
};

} // namespace Tests
