#pragma once
// A display on the DirectDraw stand-in for tests: the stand-in's test window and controls,
// a picture application and the display itself. When a test ends, the display is deleted
// and every DirectDraw object must be gone.

#include "framework/directx/DDInterface.h"
#include "platform/ddraw/DDraw.h"
#include "tests/platform/ddraw/StandInFixture.h"
#include "tools/PictureApp.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace Tests {

// Desktop pixel formats: bits per pixel and the red, green and blue masks.
struct DesktopFormat {
    Win32::DWORD bits;
    Win32::DWORD red;
    Win32::DWORD green;
    Win32::DWORD blue;
};
inline constexpr DesktopFormat kFormat888{32, 0x00FF0000, 0x0000FF00, 0x000000FF};
inline constexpr DesktopFormat kFormat565{16, 0xF800, 0x07E0, 0x001F};
inline constexpr DesktopFormat kFormat555{16, 0x7C00, 0x03E0, 0x001F};

class DisplayTest : public StandInTest {
protected:
    void SetUp() override
    {
        StandInTest::SetUp();
        mDisplay = std::make_unique<Zest::DDInterface>(&mApp);
    }

    // The display goes first, so that the stand-in sees every object it made released.
    void TearDown() override
    {
        mDisplay.reset();
        StandInTest::TearDown();
    }

    void UseDesktopFormat(const DesktopFormat& format)
    {
        mControls->desktopBits = format.bits;
        mControls->redMask = format.red;
        mControls->greenMask = format.green;
        mControls->blueMask = format.blue;
    }

    int InitWindowed() { return mDisplay->Init(mWindow, true); }
    int InitFullScreen() { return mDisplay->Init(mWindow, false); }

    // Full screen on a 1280 x 800 desktop. Only a 3D display goes widescreen, and the 3D
    // renderer does not start yet: the display stays as Init left it, with everything up to
    // the renderer made, and 3D off again.
    void InitWidescreen()
    {
        Win32::SetDesktopSize(1280, 800);
        mDisplay->mIs3D = true;
        ASSERT_EQ(InitFullScreen(), Zest::DDInterface::RESULT_3D_FAIL);
        ASSERT_TRUE(mDisplay->mIsWidescreen);
        mDisplay->mIs3D = false;
    }

    Tools::PictureApp mApp;
    std::unique_ptr<Zest::DDInterface> mDisplay;
};

// The pixels of a locked 16- or 32-bit surface, row by row, without the row padding.
inline std::vector<uint32_t> LockedPixels(const DDraw::DDSURFACEDESC& desc)
{
    std::vector<uint32_t> pixels;
    const auto* row = static_cast<const uint8_t*>(desc.lpSurface);
    for (Win32::DWORD y = 0; y < desc.dwHeight; ++y, row += desc.lPitch) {
        for (Win32::DWORD x = 0; x < desc.dwWidth; ++x) {
            if (desc.ddpfPixelFormat.dwRGBBitCount == 16)
                pixels.push_back(reinterpret_cast<const uint16_t*>(row)[x]);
            else
                pixels.push_back(reinterpret_cast<const uint32_t*>(row)[x]);
        }
    }
    return pixels;
}

// Locks the whole surface and reads its pixels; empty when the lock is refused.
inline std::vector<uint32_t> SurfacePixels(DDraw::IDirectDrawSurface* surface)
{
    DDraw::DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    if (surface->Lock(nullptr, &desc, DDraw::DDLOCK_WAIT, nullptr) != DDraw::DD_OK)
        return {};
    std::vector<uint32_t> pixels = LockedPixels(desc);
    surface->Unlock(nullptr);
    return pixels;
}

} // namespace Tests
