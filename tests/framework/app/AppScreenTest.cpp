// Cursors, screen modes and pictures on a display made by Init (SDL's dummy video driver
// and the DirectDraw stand-in): the cursor kinds and custom cursor pictures, making the
// window again for a new screen mode, copying an area of a picture, loading picture files
// and shared pictures.

#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/resources/ImageLib.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/win32/Clock.h"
#include "platform/win32/Input.h"
#include "platform/win32/Window.h"
#include "tests/framework/app/AppFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

using Tests::TestApp;

class AppScreenTest : public Tests::DisplayAppTest {};

// Counts the main windows made, so that a re-creation shows even when the new window
// happens to get the old one's handle.
class CountingApp : public TestApp {
public:
    void CreateMainWindow() override
    {
        ++mWindowsCreated;
        TestApp::CreateMainWindow();
    }

    int mWindowsCreated = 0;
};

Win32::HCURSOR SystemCursor(const char* id) { return Win32::LoadCursorA(nullptr, id); }

TEST_F(AppScreenTest, EachCursorKindShowsItsSystemCursor)
{
    TestApp app;
    app.Init();
    ASSERT_TRUE(app.mInitialized);
    ASSERT_NE(app.mDisplay, nullptr);
    ASSERT_NE(app.mHandCursor, nullptr);
    ASSERT_NE(app.mDragCursor, nullptr);
    ASSERT_NE(app.mHandCursor, app.mDragCursor);
    app.mMouseInWindow = true;

    const Win32::HCURSOR arrow = SystemCursor(Win32::IDC_ARROW);
    ASSERT_NE(arrow, nullptr);
    const struct {
        int kind;
        Win32::HCURSOR expected;
    } cases[] = {
        {1, app.mHandCursor},
        {0, arrow},
        {2, app.mDragCursor},
        {3, SystemCursor(Win32::IDC_IBEAM)},
        {4, SystemCursor(Win32::IDC_NO)},
        {5, SystemCursor(Win32::IDC_SIZEALL)},
        {6, SystemCursor(Win32::IDC_SIZENESW)},
        {7, SystemCursor(Win32::IDC_SIZENS)},
        {8, SystemCursor(Win32::IDC_SIZENWSE)},
        {9, SystemCursor(Win32::IDC_SIZEWE)},
        {10, SystemCursor(Win32::IDC_WAIT)},
        {11, nullptr},
        {1, app.mHandCursor},
        {12, nullptr},
        {13, arrow},
        {2, app.mDragCursor},
        {-1, arrow},
        {11, nullptr},
        {1000, arrow},
    };
    for (const auto& c : cases) {
        app.SetCursor(c.kind);
        EXPECT_EQ(Win32::GetCursor(), c.expected) << "kind " << c.kind;
        EXPECT_EQ(app.mCursorKind, c.kind);
        EXPECT_EQ(app.mDisplay->mCursorImage, nullptr) << "kind " << c.kind;
    }
}

TEST_F(AppScreenTest, CustomCursorPicturesReplaceTheSystemCursorWhenAllowed)
{
    // Not registered with the application, so they may outlive it.
    Zest::MemoryImage hand(nullptr);
    hand.Create(16, 16);
    Zest::MemoryImage busy(nullptr);
    busy.Create(16, 16);

    TestApp app;
    app.Init();
    ASSERT_NE(app.mDisplay, nullptr);
    app.mMouseInWindow = true;
    const Win32::HCURSOR arrow = SystemCursor(Win32::IDC_ARROW);

    // Custom cursors off: the picture for the hand waits.
    ASSERT_FALSE(app.mCustomCursors);
    app.SetCursor(1);
    app.SetCustomCursorImage(1, &hand);
    EXPECT_EQ(Win32::GetCursor(), app.mHandCursor);
    EXPECT_EQ(app.mDisplay->mCursorImage, nullptr);

    app.mForcePresent = false;
    app.SetCustomCursorsEnabled(true);
    EXPECT_EQ(app.mDisplay->mCursorImage, &hand);
    EXPECT_EQ(Win32::GetCursor(), nullptr) << "the system cursor shows over the drawn one";
    EXPECT_TRUE(app.mForcePresent) << "the new cursor picture waits for the next frame";

    // A kind without a picture goes back to its system cursor.
    app.SetCursor(3);
    EXPECT_EQ(Win32::GetCursor(), SystemCursor(Win32::IDC_IBEAM));
    EXPECT_EQ(app.mDisplay->mCursorImage, nullptr);
    app.SetCursor(1);
    EXPECT_EQ(app.mDisplay->mCursorImage, &hand);
    app.SetCustomCursorsEnabled(false);
    EXPECT_EQ(Win32::GetCursor(), app.mHandCursor);
    EXPECT_EQ(app.mDisplay->mCursorImage, nullptr);

    // Kind 12's picture is drawn even with custom cursors off.
    app.SetCustomCursorImage(12, &busy);
    EXPECT_EQ(app.mDisplay->mCursorImage, nullptr) << "a picture for another kind took effect";
    app.SetCursor(12);
    EXPECT_EQ(app.mDisplay->mCursorImage, &busy);
    EXPECT_EQ(Win32::GetCursor(), nullptr);

    // Outside the window the mouse is the system's: the arrow, nothing drawn.
    app.mMouseInWindow = false;
    app.SetCursor(12);
    EXPECT_EQ(Win32::GetCursor(), arrow);
    EXPECT_EQ(app.mDisplay->mCursorImage, nullptr);
    app.SetCursor(11);
    EXPECT_EQ(Win32::GetCursor(), arrow);
    app.mMouseInWindow = true;
    app.SetCursor(12);
    EXPECT_EQ(app.mDisplay->mCursorImage, &busy);

    // A picture taken away gives the system cursor back.
    app.SetCustomCursorImage(12, nullptr);
    EXPECT_EQ(app.mDisplay->mCursorImage, nullptr);
    EXPECT_EQ(Win32::GetCursor(), nullptr);
    app.SetCustomCursorImage(12, &busy);

    // For the crash report the arrow shows whatever kind is set, and nothing is drawn.
    app.SetCustomCursorsEnabled(true);
    app.PrepareForCrashReport();
    EXPECT_EQ(Win32::GetCursor(), arrow);
    EXPECT_EQ(app.mDisplay->mCursorImage, nullptr);
    for (const int kind : {1, 11, 12, 3}) {
        app.SetCursor(kind);
        EXPECT_EQ(Win32::GetCursor(), arrow) << "kind " << kind;
        EXPECT_EQ(app.mDisplay->mCursorImage, nullptr) << "kind " << kind;
    }

    app.SetCustomCursorImage(1, nullptr);
    app.SetCustomCursorImage(12, nullptr);
}

TEST_F(AppScreenTest, ScreenModeChangesMakeTheWindowAgainOnlyWhenTheModeChangesOrIsForced)
{
    CountingApp app;
    app.Init();
    ASSERT_TRUE(app.mInitialized);
    ASSERT_EQ(app.mWindowsCreated, 1);
    ASSERT_TRUE(app.mWindowIsWindowed);

    const auto expectWorkingDisplay = [&app] {
        EXPECT_TRUE(Win32::IsWindow(app.mMainWindow));
        EXPECT_EQ(Win32::GetWindowLongPtrA(app.mMainWindow, Win32::GWLP_USERDATA),
                  reinterpret_cast<Win32::LONG_PTR>(&app));
        ASSERT_NE(app.mWidgetManager->mScreenImage, nullptr);
        EXPECT_EQ(app.mWidgetManager->mScreenImage, static_cast<Zest::Image*>(app.mDisplay->GetScreenImage()));
    };

    // The same mode again: nothing is made again.
    Win32::HWND window = app.mMainWindow;
    app.SetWindowedMode(true);
    EXPECT_EQ(app.mWindowsCreated, 1);
    EXPECT_EQ(app.mMainWindow, window);

    // Forced, the same mode is made again.
    mClock.mNanoseconds += 5000ull * 1000000ull;
    app.ReapplyScreenMode();
    EXPECT_EQ(app.mWindowsCreated, 2);
    EXPECT_TRUE(app.mWindowed);
    EXPECT_TRUE(app.mWindowIsWindowed);
    EXPECT_EQ(app.mDisplayResetTick, Win32::timeGetTime());
    expectWorkingDisplay();

    // Full screen and back.
    app.SetWindowedMode(false);
    EXPECT_EQ(app.mWindowsCreated, 3);
    EXPECT_FALSE(app.mWindowed);
    EXPECT_FALSE(app.mWindowIsWindowed);
    expectWorkingDisplay();

    // While full screen is forced, asking for a window only applies the 3D setting again.
    app.mFullScreenForced = true;
    window = app.mMainWindow;
    app.SetWindowedMode(true);
    EXPECT_EQ(app.mWindowsCreated, 3);
    EXPECT_EQ(app.mMainWindow, window);
    EXPECT_FALSE(app.mWindowed);
    EXPECT_FALSE(app.mWindowIsWindowed);
    expectWorkingDisplay();

    app.mFullScreenForced = false;
    app.SetWindowedMode(true);
    EXPECT_EQ(app.mWindowsCreated, 4);
    EXPECT_TRUE(app.mWindowed);
    EXPECT_TRUE(app.mWindowIsWindowed);
    expectWorkingDisplay();
    EXPECT_TRUE(mBoxes.empty());
}

TEST_F(AppScreenTest, CopyImageRectCopiesThatAreaOfThePicture)
{
    constexpr int kWidth = 6;
    constexpr int kHeight = 5;
    const auto pixel = [](const int x, const int y) { return 0xFF000000u | (x * 40u) << 16 | (y * 50u) << 8 | 0x11u; };
    Zest::MemoryImage source(nullptr);
    source.Create(kWidth, kHeight);
    uint32_t* bits = source.GetBits();
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x)
            bits[y * kWidth + x] = pixel(x, y);
    }
    source.BitsChanged();

    TestApp app;
    EXPECT_EQ(app.CopyImageRect(&source, Zest::Rect(0, 0, 2, 2)), nullptr) << "copied without a display";
    app.Init();
    ASSERT_NE(app.mDisplay, nullptr);
    EXPECT_EQ(app.CopyImageRect(nullptr, Zest::Rect(0, 0, 2, 2)), nullptr);

    const Zest::Rect area(2, 1, 3, 4);
    const std::unique_ptr<Zest::DDImage> copy(app.CopyImageRect(&source, area));
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(copy->mWidth, area.mWidth);
    ASSERT_EQ(copy->mHeight, area.mHeight);
    const uint32_t* copied = copy->GetBits();
    ASSERT_NE(copied, nullptr);
    // The copy is drawn onto a fresh, transparent picture, and the over-blend weighs even an
    // opaque source 255/256 there: a channel may come out one lower, no more. The source's
    // channels differ by 40 or more from one pixel to the next, so a copy of the wrong area
    // shows.
    const auto sameWithinRounding = [](const uint32_t actual, const uint32_t expected) {
        if (actual >> 24 != expected >> 24)
            return false;
        for (const int shift : {0, 8, 16}) {
            const int a = static_cast<int>(actual >> shift & 0xFF);
            const int e = static_cast<int>(expected >> shift & 0xFF);
            if (a > e || a < e - 1)
                return false;
        }
        return true;
    };
    for (int y = 0; y < area.mHeight; ++y) {
        for (int x = 0; x < area.mWidth; ++x) {
            const uint32_t actual = copied[y * area.mWidth + x];
            const uint32_t expected = pixel(area.mX + x, area.mY + y);
            EXPECT_TRUE(sameWithinRounding(actual, expected))
                << std::hex << "at " << x << "," << y << ": 0x" << actual << ", expected 0x" << expected;
        }
    }
}

// A picture file becomes a display image that holds the decoded pixels with the guard word
// after them, counts one change and knows its alpha kind at once only when asked to; a
// damaged file makes no image at all.
TEST_F(AppScreenTest, PictureFileBecomesADisplayImageOfItsPixels)
{
    TestApp app;
    app.Init();
    ASSERT_NE(app.mDisplay, nullptr);
    const struct {
        std::string name;
        std::vector<uint32_t> pixels;
        bool commit;
        bool hasTrans;
        bool hasAlpha;
    } cases[] = {
        {"opaque", {0xFF000000, 0xFFFFFFFF, 0xFF123456, 0xFF00FF00, 0xFF0000FF, 0xFFFF0000}, true, false, false},
        {"clear", {0xFF000000, 0x00FFFFFF, 0xFF123456, 0xFF00FF00, 0xFF0000FF, 0xFFFF0000}, true, true, false},
        {"partial", {0xFF000000, 0xFFFFFFFF, 0xFF123456, 0x8000FF00, 0xFF0000FF, 0xFFFF0000}, true, false, true},
        {"uncommitted", {0x00000000, 0x01FFFFFF, 0xFF123456, 0xFF00FF00, 0xFF0000FF, 0xFFFF0000}, false, true, true},
    };
    for (const auto& c : cases) {
        const std::unique_ptr<ImageLib::Image> picture = ImageLib::CreateImage(3, 2);
        std::copy(c.pixels.begin(), c.pixels.end(), picture->mBits);
        const std::string path = c.name + ".png";
        ASSERT_TRUE(ImageLib::WritePNGImage(path, picture.get())) << c.name;
        const std::unique_ptr<Zest::DDImage> image(app.LoadImageFile(path, c.commit));
        ASSERT_NE(image, nullptr) << c.name;
        EXPECT_EQ(image->mFilePath, path) << c.name;
        ASSERT_EQ(image->GetWidth(), 3) << c.name;
        ASSERT_EQ(image->GetHeight(), 2) << c.name;
        std::vector<uint32_t> expected = c.pixels;
        expected.push_back(Zest::kImageGuardWord);
        EXPECT_EQ(std::vector<uint32_t>(image->mBits, image->mBits + 7), expected) << c.name;
        EXPECT_EQ(image->mBitsChangedCount, 1) << c.name;
        EXPECT_EQ(image->mBitsChanged, !c.commit) << c.name;
        image->CommitBits();
        EXPECT_EQ(image->mHasTrans, c.hasTrans) << c.name;
        EXPECT_EQ(image->mHasAlpha, c.hasAlpha) << c.name;
    }

    const std::string bytes = Tests::ReadBytes(mFolder.Path() / "opaque.png");
    Tests::WriteBytes(mFolder.Path() / "damaged.png", bytes.substr(0, bytes.size() / 2));
    const size_t images = app.mDisplay->mDDImageSet.size();
    EXPECT_EQ(app.LoadImageFile("damaged.png", true), nullptr);
    EXPECT_EQ(app.mDisplay->mDDImageSet.size(), images);
}

// Shared pictures are keyed by file and variant, letter case ignored; one whose last
// reference went stays until the sweep after the next fixed update frees it.
TEST_F(AppScreenTest, SharedImagesAreCountedAndFreedAtTheNextSweep)
{
    Tests::TestApp app;
    app.Init();
    ASSERT_NE(app.mDisplay, nullptr);
    {
        bool created = false;
        Zest::SharedImageRef first = app.AcquireSharedImage("!Board", "", &created);
        EXPECT_TRUE(created);
        ASSERT_NE(first.GetDDImage(), nullptr) << "a '!' name is an empty picture to draw on";
        Zest::SharedImageRef again = app.AcquireSharedImage("!BOARD", "", &created);
        EXPECT_FALSE(created);
        EXPECT_EQ(again.GetDDImage(), first.GetDDImage());
        Zest::SharedImageRef variant = app.AcquireSharedImage("!board", "small", &created);
        EXPECT_TRUE(created);
        EXPECT_NE(variant.GetDDImage(), first.GetDDImage());
        EXPECT_EQ(app.mSharedImages.size(), 2u);

        Zest::SharedImageRef missing = app.AcquireSharedImage("no such picture.png", "", &created);
        EXPECT_TRUE(created);
        EXPECT_EQ(missing.GetDDImage(), nullptr);
    }
    // Every reference is gone, but nothing is freed before the sweep.
    EXPECT_EQ(app.mSharedImages.size(), 3u);
    EXPECT_TRUE(app.mSharedImagesUnused);
    app.RunFixedUpdate();
    EXPECT_TRUE(app.mSharedImages.empty());
    EXPECT_FALSE(app.mSharedImagesUnused);
}

} // namespace
