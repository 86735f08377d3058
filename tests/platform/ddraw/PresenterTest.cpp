#include "tests/platform/ddraw/StandInFixture.h"

#include "platform/win32/WindowSystem.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <thread>
#include <utility>

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

    // Fills what the SDL window shows with one colour, behind the presenter's back.
    void PaintWindow(const uint32_t colour) const
    {
        SDL_Surface* surface = SDL_GetWindowSurface(SdlWindow());
        ASSERT_NE(surface, nullptr);
        SDL_FillRect(surface, nullptr, colour);
    }

    // Where a mouse press at (x, y) in the SDL window arrives, once SDL has queued it.
    std::pair<int, int> PressArrivesAt(const int x, const int y) const
    {
        SDL_FlushEvent(SDL_MOUSEBUTTONDOWN);
        SDL_Event press{};
        press.button.type = SDL_MOUSEBUTTONDOWN;
        press.button.windowID = SDL_GetWindowID(SdlWindow());
        press.button.button = SDL_BUTTON_LEFT;
        press.button.state = SDL_PRESSED;
        press.button.x = x;
        press.button.y = y;
        if (SDL_PushEvent(&press) != 1)
            return {-1, -1};
        SDL_Event arrived{};
        if (SDL_PeepEvents(&arrived, 1, SDL_GETEVENT, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONDOWN) != 1)
            return {-1, -1};
        return {arrived.button.x, arrived.button.y};
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

// The render driver the user names decides; without one, the dummy display has no hardware
// and the frame goes through the window surface, since a renderer would load GL to probe
// the display. (SDL falls back to its software renderer where the named driver fails.)
struct RenderDriverCase {
    const char* asked;
    bool windowSurface;
};

class PresenterRenderDriverTest : public PresenterTest, public ::testing::WithParamInterface<RenderDriverCase> {
protected:
    void TearDown() override
    {
        PresenterTest::TearDown();
        SDL_ResetHint(SDL_HINT_RENDER_DRIVER);
    }
};

TEST_P(PresenterRenderDriverTest, ChoosesTheWindowSurfaceUnlessTheUserNamesAHardwareDriver)
{
    if (GetParam().asked != nullptr)
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, GetParam().asked);
    MakeWindowedPrimary();
    BlitToPrimary(Pattern);
    EXPECT_EQ(mControls->presented, Pixels(kWidth, kHeight, Pattern));
    EXPECT_EQ(WindowShows(kWidth, kHeight), Pixels(kWidth, kHeight, Pattern));
    EXPECT_EQ(SDL_GetRenderer(SdlWindow()) == nullptr, GetParam().windowSurface);
}

INSTANTIATE_TEST_SUITE_P(Drivers, PresenterRenderDriverTest,
                         ::testing::Values(RenderDriverCase{nullptr, true}, RenderDriverCase{"software", true},
                                           RenderDriverCase{"SOFTWARE", true}, RenderDriverCase{"opengl", false}));

TEST_F(PresenterTest, OnlyTheRowsThatChangedReachTheWindow)
{
    constexpr uint32_t kUntouched = 0x123456u;
    const auto rowSevenWhite = [](int x, int y) { return y == 7 ? 0xFFFFFFu : Pattern(x, y); };
    struct Case {
        const char* what;
        PixelPicture next;
        // The rows of the window that show the next picture; the others keep kUntouched.
        int firstRow;
        int endRow;
    };
    const Case cases[] = {
        {"the same picture again", Pattern, 0, 0},
        {"one row changed", rowSevenWhite, 7, 8},
        {"the first and last rows changed, and all between them go",
         [](int x, int y) { return y == 2 || y == 40 ? 0x0000FFu : Pattern(x, y); }, 2, 41},
    };
    MakeWindowedPrimary();
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        BlitToPrimary(Pattern);
        PaintWindow(kUntouched);
        const int presentsBefore = mControls->presentCount;
        BlitToPrimary(test.next);

        EXPECT_EQ(mControls->presentCount, presentsBefore + 1);
        EXPECT_EQ(mControls->presented, Pixels(kWidth, kHeight, test.next));
        const std::vector<uint32_t> shown = WindowShows(kWidth, kHeight);
        ASSERT_EQ(shown.size(), static_cast<size_t>(kWidth * kHeight));
        int wrong = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const bool changed = y >= test.firstRow && y < test.endRow;
                wrong += shown[static_cast<size_t>(y) * kWidth + x] != (changed ? test.next(x, y) : kUntouched);
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(PresenterTest, AnExposedWindowIsShownWholeAgain)
{
    MakeWindowedPrimary();
    BlitToPrimary(Pattern);
    PaintWindow(0x123456u);
    SDL_Event exposed{};
    exposed.window.type = SDL_WINDOWEVENT;
    exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
    exposed.window.windowID = SDL_GetWindowID(SdlWindow());
    ASSERT_EQ(SDL_PushEvent(&exposed), 1);
    PumpMessages();

    BlitToPrimary(Pattern);
    EXPECT_EQ(WindowShows(kWidth, kHeight), Pixels(kWidth, kHeight, Pattern));
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
    int windowWidth = 0;
    int windowHeight = 0;
    SDL_GetWindowSize(SdlWindow(), &windowWidth, &windowHeight);
    EXPECT_EQ(PressArrivesAt(windowWidth / 2, windowHeight / 2), std::pair(400, 300));
    EXPECT_EQ(PressArrivesAt(0, 0), std::pair(0, 0));
    const std::vector<uint32_t> window = WindowShows(windowWidth, windowHeight);
    ASSERT_FALSE(window.empty());
    EXPECT_EQ(window[static_cast<size_t>(windowHeight / 2) * windowWidth + windowWidth / 2], Pattern(400, 300));

    // Back in a window, the window is a window again.
    back.reset();
    mPrimary.reset();
    ASSERT_EQ(mDirectDraw->SetCooperativeLevel(mWindow, DDSCL_NORMAL), DD_OK);
    mPrimary = MakePrimary(mDirectDraw.get());
    BlitToPrimary(Pattern);
    EXPECT_EQ(SDL_GetWindowFlags(SdlWindow()) & SDL_WINDOW_FULLSCREEN, 0u);
    EXPECT_EQ(PressArrivesAt(10, 20), std::pair(10, 20));
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
