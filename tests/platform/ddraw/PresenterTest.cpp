#include "tests/platform/ddraw/StandInFixture.h"

#include "platform/win32/WindowSystem.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <thread>

namespace {

using namespace DDraw;
using Tests::PixelPicture;
using Tests::Ref;
using Tests::StandInTest;

// A picture in which neighbouring pixels differ, as 0x00RRGGBB.
uint32_t Pattern(const int x, const int y)
{
    return (static_cast<uint32_t>(x * 3) & 0xFF) << 16 | (static_cast<uint32_t>(y * 5) & 0xFF) << 8 |
           (static_cast<uint32_t>(x ^ y) & 0xFF);
}

class PresenterTest : public StandInTest {
protected:
    void TearDown() override
    {
        mPrimary.reset();
        mDirectDraw.reset();
        StandInTest::TearDown();
    }

    void MakeWindowedPrimary()
    {
        mDirectDraw = MakeWindowedDirectDraw();
        mPrimary = MakePrimary(mDirectDraw.get());
        ASSERT_NE(mPrimary, nullptr);
    }

    // Blits a picture of the primary's size onto it, as the display back end presents.
    void BlitToPrimary(const PixelPicture& picture)
    {
        DDSURFACEDESC2 description{};
        ASSERT_EQ(mPrimary->GetSurfaceDesc(&description), DD_OK);
        Ref<IDirectDrawSurface7> frame = MakeSurface(mDirectDraw.get(), static_cast<int>(description.dwWidth),
                                                     static_cast<int>(description.dwHeight));
        Draw(frame.get(), picture);
        ASSERT_EQ(mPrimary->Blt(nullptr, frame.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
    }

    SDL_Window* SdlWindow() const { return Win32::WindowSystem::Find(mWindow)->sdlWindow; }

    // What the SDL window shows: the software renderer draws into the dummy driver's
    // window surface.
    std::vector<uint32_t> WindowShows(const int width, const int height) const
    {
        SDL_Surface* surface = SDL_GetWindowSurface(SdlWindow());
        if (surface == nullptr || surface->w < width || surface->h < height || surface->format->BytesPerPixel != 4)
            return {};
        std::vector<uint32_t> pixels;
        for (int y = 0; y < height; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(surface->pixels) +
                                                                y * surface->pitch);
            for (int x = 0; x < width; ++x)
                pixels.push_back(row[x] & 0x00FFFFFF);
        }
        return pixels;
    }

    Ref<IDirectDraw7> mDirectDraw;
    Ref<IDirectDrawSurface7> mPrimary;
};

TEST_F(PresenterTest, WindowShowsThePrimaryAfterEachChange)
{
    MakeWindowedPrimary();
    EXPECT_EQ(mControls->presentCount, 0);
    EXPECT_TRUE(mControls->presented.empty());

    BlitToPrimary(Pattern);
    EXPECT_EQ(mControls->presentCount, 1);
    ASSERT_EQ(mControls->presentedWidth, kWidth);
    ASSERT_EQ(mControls->presentedHeight, kHeight);
    EXPECT_EQ(mControls->presented, Pixels(kWidth, kHeight, Pattern));
    EXPECT_EQ(WindowShows(kWidth, kHeight), Pixels(kWidth, kHeight, Pattern));

    // Drawing through a lock shows at the unlock; reading does not present.
    Draw(mPrimary.get(), [](int x, int y) { return x < 10 && y < 10 ? 0xFFFFFFu : Pattern(x, y); });
    EXPECT_EQ(mControls->presentCount, 2);
    EXPECT_EQ(mControls->presented[0], 0xFFFFFFu);
    Read(mPrimary.get());
    EXPECT_EQ(mControls->presentCount, 2);
    EXPECT_EQ(WindowShows(1, 1), std::vector<uint32_t>{0xFFFFFFu});
}

TEST_F(PresenterTest, SixteenBitPrimaryIsShownInFullColour)
{
    mControls->desktopBits = 16;
    mControls->redMask = 0xF800;
    mControls->greenMask = 0x07E0;
    mControls->blueMask = 0x001F;
    MakeWindowedPrimary();
    BlitToPrimary([](int x, int) { return x % 2 == 0 ? 0xF800u : 0x0400u; });
    ASSERT_EQ(mControls->presented.size(), static_cast<size_t>(kWidth * kHeight));
    EXPECT_EQ(mControls->presented[0], 0xFF0000u);
    EXPECT_EQ(mControls->presented[1], 0x008200u);
}

TEST_F(PresenterTest, DrawingFromAnotherThreadShowsAtTheNextPump)
{
    MakeWindowedPrimary();
    BlitToPrimary([](int, int) { return 0u; });
    Ref<IDirectDrawSurface7> cursor = MakeSurface(mDirectDraw.get(), 64, 64);
    Draw(cursor.get(), [](int, int) { return 0x00FF00u; });

    // The program's cursor thread draws on the primary surface.
    std::thread cursorThread([&] {
        RECT at{100, 100, 164, 164};
        EXPECT_EQ(mPrimary->Blt(&at, cursor.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
    });
    cursorThread.join();
    ASSERT_EQ(mControls->presented.size(), static_cast<size_t>(kWidth * kHeight));
    EXPECT_EQ(mControls->presented[100 * kWidth + 100], 0x00FF00u);
    const std::vector<uint32_t> before = WindowShows(kWidth, kHeight);
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(before[100 * kWidth + 100], 0u);

    PumpMessages();
    const std::vector<uint32_t> shown = WindowShows(kWidth, kHeight);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown[100 * kWidth + 100], 0x00FF00u);
    EXPECT_EQ(shown[163 * kWidth + 163], 0x00FF00u);
    EXPECT_EQ(shown[164 * kWidth + 164], 0u);
}

TEST_F(PresenterTest, FullScreenPictureIsScaledToTheDesktopBetweenBlackBars)
{
    // A 1280 x 800 screen: the mode does not change the real screen, so the 800 x 600
    // picture is scaled to 1066 x 800 at x 107.
    ASSERT_TRUE(Win32::SetDesktopSize(1280, 800));
    mDirectDraw = MakeDirectDraw();
    ASSERT_EQ(mDirectDraw->SetCooperativeLevel(mWindow, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
    ASSERT_EQ(mDirectDraw->SetDisplayMode(800, 600, 32, 0, 0), DD_OK);
    DDSURFACEDESC2 chain{};
    chain.dwSize = sizeof(chain);
    chain.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    chain.dwBackBufferCount = 1;
    chain.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    mPrimary = MakeSurface(mDirectDraw.get(), chain);
    DDSCAPS2 backBufferCaps{DDSCAPS_BACKBUFFER, 0, 0, 0};
    IDirectDrawSurface7* attached = nullptr;
    ASSERT_EQ(mPrimary->GetAttachedSurface(&backBufferCaps, &attached), DD_OK);
    Ref<IDirectDrawSurface7> back(attached);

    Draw(back.get(), Pattern);
    ASSERT_EQ(mPrimary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    ASSERT_EQ(mControls->presentedWidth, 1280);
    ASSERT_EQ(mControls->presentedHeight, 800);
    const std::vector<uint32_t>& shown = mControls->presented;
    int wrong = 0;
    for (int y = 0; y < 800; ++y) {
        for (int x = 0; x < 1280; ++x) {
            const bool picture = x >= 107 && x < 107 + 1066;
            const uint32_t expected =
                picture ? Pattern((2 * (x - 107) + 1) * 800 / (2 * 1066), (2 * y + 1) * 600 / (2 * 800)) : 0u;
            wrong += shown[static_cast<size_t>(y) * 1280 + x] != expected ? 1 : 0;
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(shown[107], Pattern(0, 0));
    EXPECT_EQ(shown[799 * 1280 + 1172], Pattern(799, 599));

    // The SDL window fills the screen and maps the mouse back to the picture's coordinates.
    EXPECT_NE(SDL_GetWindowFlags(SdlWindow()) & SDL_WINDOW_FULLSCREEN, 0u);
    int logicalWidth = 0;
    int logicalHeight = 0;
    SDL_RenderGetLogicalSize(SDL_GetRenderer(SdlWindow()), &logicalWidth, &logicalHeight);
    EXPECT_EQ(logicalWidth, 800);
    EXPECT_EQ(logicalHeight, 600);

    // Back in a window, the window is a window again.
    back.reset();
    mPrimary.reset();
    ASSERT_EQ(mDirectDraw->SetCooperativeLevel(mWindow, DDSCL_NORMAL), DD_OK);
    mPrimary = MakePrimary(mDirectDraw.get());
    BlitToPrimary(Pattern);
    EXPECT_EQ(SDL_GetWindowFlags(SdlWindow()) & SDL_WINDOW_FULLSCREEN, 0u);
    SDL_RenderGetLogicalSize(SDL_GetRenderer(SdlWindow()), &logicalWidth, &logicalHeight);
    EXPECT_EQ(logicalWidth, 0);
}

TEST_F(PresenterTest, WithoutAWindowThePictureIsStillComposed)
{
    ASSERT_TRUE(Win32::SetDesktopSize(320, 200));
    mDirectDraw = MakeDirectDraw();
    ASSERT_EQ(mDirectDraw->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    mPrimary = MakePrimary(mDirectDraw.get());
    BlitToPrimary(Pattern);
    EXPECT_EQ(mControls->presentCount, 1);
    ASSERT_EQ(mControls->presentedWidth, 320);
    ASSERT_EQ(mControls->presentedHeight, 200);
    EXPECT_EQ(mControls->presented, Pixels(320, 200, Pattern));
}

} // namespace
