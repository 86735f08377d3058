#pragma once
// The DirectDraw stand-in as the program meets it: loaded by name, its entry points and
// controls bound with GetProcAddress, an 800 x 600 window on SDL's dummy video driver, and
// controls reset for every test. Objects are held in Ref, which releases them; when a test
// ends every object must be gone.

#include "platform/ddraw/DDraw.h"
#include "platform/ddraw/StandInControls.h"
#include "platform/win32/Desktop.h"
#include "platform/win32/Library.h"
#include "platform/win32/MessageQueue.h"
#include "platform/win32/Window.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Tests {

struct Releaser {
    void operator()(Win32::IUnknown* object) const { object->Release(); }
};
template <typename Interface>
using Ref = std::unique_ptr<Interface, Releaser>;

// The object's reference count, read by adding a reference and returning it.
inline Win32::ULONG References(Win32::IUnknown* object)
{
    object->AddRef();
    return object->Release();
}

// A pixel value for every position.
using PixelPicture = std::function<uint32_t(int x, int y)>;

// Pixel formats as surface descriptions give them.
inline DDraw::DDPIXELFORMAT RgbFormat(const Win32::DWORD bits, const Win32::DWORD red, const Win32::DWORD green,
                                      const Win32::DWORD blue, const Win32::DWORD alpha = 0)
{
    DDraw::DDPIXELFORMAT format{};
    format.dwSize = sizeof(format);
    format.dwFlags = DDraw::DDPF_RGB | (alpha != 0 ? DDraw::DDPF_ALPHAPIXELS : 0);
    format.dwRGBBitCount = bits;
    format.dwRBitMask = red;
    format.dwGBitMask = green;
    format.dwBBitMask = blue;
    format.dwRGBAlphaBitMask = alpha;
    return format;
}
inline const DDraw::DDPIXELFORMAT kA8R8G8B8 = RgbFormat(32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000);
inline const DDraw::DDPIXELFORMAT kX8R8G8B8 = RgbFormat(32, 0x00FF0000, 0x0000FF00, 0x000000FF);
inline const DDraw::DDPIXELFORMAT kA4R4G4B4 = RgbFormat(16, 0x0F00, 0x00F0, 0x000F, 0xF000);
inline const DDraw::DDPIXELFORMAT kR5G6B5 = RgbFormat(16, 0xF800, 0x07E0, 0x001F);
inline const DDraw::DDPIXELFORMAT kX1R5G5B5 = RgbFormat(16, 0x7C00, 0x03E0, 0x001F);
inline DDraw::DDPIXELFORMAT Palettised8()
{
    DDraw::DDPIXELFORMAT format{};
    format.dwSize = sizeof(format);
    format.dwFlags = DDraw::DDPF_PALETTEINDEXED8 | DDraw::DDPF_RGB;
    format.dwRGBBitCount = 8;
    return format;
}

class StandInTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        mModule = Win32::LoadLibraryA("ddraw.dll");
        ASSERT_NE(mModule, nullptr) << "ddraw.so is not built";
        mCreate = reinterpret_cast<DDraw::DirectDrawCreateFunc>(Win32::GetProcAddress(mModule, "DirectDrawCreate"));
        mCreateEx =
            reinterpret_cast<DDraw::DirectDrawCreateExFunc>(Win32::GetProcAddress(mModule, "DirectDrawCreateEx"));
        const auto controls =
            reinterpret_cast<DDraw::StandInControlsFunc>(Win32::GetProcAddress(mModule, "DDrawStandInControls"));
        ASSERT_NE(mCreate, nullptr);
        ASSERT_NE(mCreateEx, nullptr);
        ASSERT_NE(controls, nullptr);
        mControls = controls();
        mControls->Reset();
        Win32::ResetDesktopSize();

        static const bool registered = [] {
            Win32::WNDCLASSA windowClass{};
            windowClass.lpfnWndProc = &Win32::DefWindowProcA;
            windowClass.lpszClassName = "StandInTestWindow";
            return Win32::RegisterClassA(&windowClass) != 0;
        }();
        ASSERT_TRUE(registered);
        mWindow = Win32::CreateWindowExA(0, "StandInTestWindow", "Stand-in", Win32::WS_POPUP, 0, 0, kWidth, kHeight,
                                         nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(mWindow, nullptr);
        Win32::ShowWindow(mWindow, Win32::SW_SHOWNORMAL);
    }

    void TearDown() override
    {
        if (mControls != nullptr) {
            EXPECT_EQ(mControls->liveObjects, 0) << "objects outlived the test";
            mControls->Reset();
        }
        if (mWindow != nullptr)
            Win32::DestroyWindow(mWindow);
        Win32::ResetDesktopSize();
        if (mModule != nullptr)
            Win32::FreeLibrary(mModule);
    }

    Ref<DDraw::IDirectDraw7> MakeDirectDraw()
    {
        void* made = nullptr;
        EXPECT_EQ(mCreateEx(nullptr, &made, DDraw::IID_IDirectDraw7, nullptr), DDraw::DD_OK);
        return Ref<DDraw::IDirectDraw7>(static_cast<DDraw::IDirectDraw7*>(made));
    }

    // A DirectDraw object at the normal cooperative level of the test window.
    Ref<DDraw::IDirectDraw7> MakeWindowedDirectDraw()
    {
        Ref<DDraw::IDirectDraw7> directDraw = MakeDirectDraw();
        EXPECT_EQ(directDraw->SetCooperativeLevel(mWindow, DDraw::DDSCL_NORMAL), DDraw::DD_OK);
        return directDraw;
    }

    static DDraw::DDSURFACEDESC2 Description(const Win32::DWORD flags, const Win32::DWORD caps, const int width = 0,
                                            const int height = 0)
    {
        DDraw::DDSURFACEDESC2 description{};
        description.dwSize = sizeof(description);
        description.dwFlags = flags;
        description.ddsCaps.dwCaps = caps;
        description.dwWidth = static_cast<Win32::DWORD>(width);
        description.dwHeight = static_cast<Win32::DWORD>(height);
        return description;
    }

    static Ref<DDraw::IDirectDrawSurface7> MakeSurface(DDraw::IDirectDraw7* directDraw,
                                                       DDraw::DDSURFACEDESC2 description)
    {
        DDraw::IDirectDrawSurface7* surface = nullptr;
        const Win32::HRESULT result = directDraw->CreateSurface(&description, &surface, nullptr);
        EXPECT_EQ(result, DDraw::DD_OK);
        return Ref<DDraw::IDirectDrawSurface7>(surface);
    }

    // An off-screen surface in system memory, in the display's format or the one given.
    static Ref<DDraw::IDirectDrawSurface7> MakeSurface(DDraw::IDirectDraw7* directDraw, const int width,
                                                       const int height,
                                                       const DDraw::DDPIXELFORMAT* format = nullptr)
    {
        DDraw::DDSURFACEDESC2 description =
            Description(DDraw::DDSD_CAPS | DDraw::DDSD_WIDTH | DDraw::DDSD_HEIGHT,
                        DDraw::DDSCAPS_OFFSCREENPLAIN | DDraw::DDSCAPS_SYSTEMMEMORY, width, height);
        if (format != nullptr) {
            description.dwFlags |= DDraw::DDSD_PIXELFORMAT;
            description.ddpfPixelFormat = *format;
        }
        return MakeSurface(directDraw, description);
    }

    static Ref<DDraw::IDirectDrawSurface7> MakePrimary(DDraw::IDirectDraw7* directDraw)
    {
        return MakeSurface(directDraw, Description(DDraw::DDSD_CAPS, DDraw::DDSCAPS_PRIMARYSURFACE));
    }

    // Writes every pixel through a lock, row by row at the surface's pitch.
    static void Draw(DDraw::IDirectDrawSurface7* surface, const PixelPicture& picture)
    {
        DDraw::DDSURFACEDESC2 description{};
        description.dwSize = sizeof(description);
        ASSERT_EQ(surface->Lock(nullptr, &description, DDraw::DDLOCK_WAIT | DDraw::DDLOCK_WRITEONLY, nullptr),
                  DDraw::DD_OK);
        const int bytes = static_cast<int>(description.ddpfPixelFormat.dwRGBBitCount / 8);
        auto* row = static_cast<uint8_t*>(description.lpSurface);
        for (Win32::DWORD y = 0; y < description.dwHeight; ++y, row += description.lPitch) {
            for (Win32::DWORD x = 0; x < description.dwWidth; ++x) {
                const uint32_t pixel = picture(static_cast<int>(x), static_cast<int>(y));
                std::memcpy(row + x * bytes, &pixel, static_cast<size_t>(bytes));
            }
        }
        ASSERT_EQ(surface->Unlock(nullptr), DDraw::DD_OK);
    }

    // Every pixel, row by row without the padding; empty when the lock is refused.
    static std::vector<uint32_t> Read(DDraw::IDirectDrawSurface7* surface)
    {
        DDraw::DDSURFACEDESC2 description{};
        description.dwSize = sizeof(description);
        if (surface->Lock(nullptr, &description, DDraw::DDLOCK_WAIT | DDraw::DDLOCK_READONLY, nullptr) !=
            DDraw::DD_OK)
            return {};
        std::vector<uint32_t> pixels;
        const int bytes = static_cast<int>(description.ddpfPixelFormat.dwRGBBitCount / 8);
        const auto* row = static_cast<const uint8_t*>(description.lpSurface);
        for (Win32::DWORD y = 0; y < description.dwHeight; ++y, row += description.lPitch) {
            for (Win32::DWORD x = 0; x < description.dwWidth; ++x) {
                uint32_t pixel = 0;
                std::memcpy(&pixel, row + x * bytes, static_cast<size_t>(bytes));
                pixels.push_back(pixel);
            }
        }
        surface->Unlock(nullptr);
        return pixels;
    }

    static std::vector<uint32_t> Pixels(const int width, const int height, const PixelPicture& picture)
    {
        std::vector<uint32_t> pixels;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                pixels.push_back(picture(x, y));
        }
        return pixels;
    }

    // The next call of the method (after `skip` that pass) fails with the result.
    void FailCall(const std::string& method, const int skip, const Win32::HRESULT result)
    {
        DDraw::StandInControls::Failure failure;
        failure.method = method;
        failure.skip = skip;
        failure.result = result;
        mControls->failures.push_back(failure);
    }

    // Reads, translates and dispatches every message waiting, as the program's loop does.
    static void PumpMessages()
    {
        Win32::MSG message{};
        while (Win32::PeekMessageA(&message, nullptr, 0, 0, Win32::PM_REMOVE) != 0) {
            Win32::TranslateMessage(&message);
            Win32::DispatchMessageA(&message);
        }
    }

    Win32::HMODULE mModule = nullptr;
    DDraw::DirectDrawCreateFunc mCreate = nullptr;
    DDraw::DirectDrawCreateExFunc mCreateEx = nullptr;
    DDraw::StandInControls* mControls = nullptr;
    Win32::HWND mWindow = nullptr;
};

} // namespace Tests
