#include "framework/directx/DDInterface.h"
#include "framework/graphics/MemoryImage.h"
#include "tests/framework/directx/CursorFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using namespace DDraw;
using Tests::Background;
using Tests::Frame;
using Tests::SameFrame;
using Tests::WithCursor;
using Zest::Rect;

using CursorTest = Tests::CursorDisplayTest;

// The part of a picture `width` pixels wide, row by row, without the unused top byte.
std::vector<uint32_t> Part(const std::vector<uint32_t>& picture, const int width, const Rect& part)
{
    std::vector<uint32_t> pixels;
    for (int y = part.mY; y < part.mY + part.mHeight; ++y) {
        for (int x = part.mX; x < part.mX + part.mWidth; ++x)
            pixels.push_back(picture[static_cast<size_t>(y) * width + x] & 0x00FFFFFF);
    }
    return pixels;
}

TEST_F(CursorTest, SavedAreaIsTheCursorAreaCutToTheWindow)
{
    const struct {
        const char* name;
        int x;
        int y;
        Rect inWindow; // the part of the 64 x 64 area inside the window
        int savedX;    // where that part lies in the saved area
        int savedY;
    } cases[] = {
        {"near the top left corner", 5, 5, Rect(0, 0, 37, 37), 27, 27},
        {"inside", 400, 300, Rect(368, 268, 64, 64), 0, 0},
        {"left of the window", -5, 3, Rect(0, 0, 27, 35), 37, 29},
        {"near the bottom right corner", 790, 595, Rect(758, 563, 42, 37), 0, 0},
    };
    const Frame background = Background();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mDisplay->SetCursorImage(nullptr);
        StartWindowed();
        Present(background);
        mDisplay->SetCursorImage(mPicture.get());
        mDisplay->SetCursorPos(c.x, c.y);

        ASSERT_TRUE(mDisplay->mHasOldCursorArea);
        const std::vector<uint32_t> saved = Tests::SurfacePixels(mDisplay->mOldCursorArea);
        ASSERT_EQ(saved.size(), 64u * 64u);
        const Rect savedPart(c.savedX, c.savedY, c.inWindow.mWidth, c.inWindow.mHeight);
        EXPECT_EQ(Part(saved, 64, savedPart), Part(background, Tests::kFrameWidth, c.inWindow));
        EXPECT_TRUE(ShowsCursorAt(background, c.x, c.y));
    }
}

TEST_F(CursorTest, FrameShowsTheCursorAndLeavesTheDrawBufferWithout)
{
    StartWindowed();
    Zest::MemoryImage memoryPicture(&mApp);
    memoryPicture.SetBits(Tests::PictureBits().data(), Tests::kPictureWidth, Tests::kPictureHeight, true);
    const struct {
        const char* name;
        Zest::Image* picture;
        int x;
        int y;
    } cases[] = {
        {"display image", mPicture.get(), 100, 80},
        {"memory image", &memoryPicture, 250, 400},
        {"partly off the bottom left", mPicture.get(), 2, 599},
    };
    int variant = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // A new background for every frame, so that a stale picture shows.
        const Frame background = Background(variant++);
        AwaitFrameWithCursor(c.picture, c.x, c.y);
        DrawScreen(background);
        EXPECT_TRUE(PresentsCursorAt(background, c.x, c.y));
        EXPECT_TRUE(SameFrame(mControls->presented, WithCursor(background, c.x, c.y)));
        // The saved area now holds what the cursor hides on the primary surface.
        EXPECT_TRUE(mDisplay->mHasOldCursorArea);
        EXPECT_EQ(mDisplay->mCursorDrawnX, c.x);
        EXPECT_EQ(mDisplay->mCursorDrawnY, c.y);
    }
}

TEST_F(CursorTest, MovesLeaveOnlyTheCursorAtItsLastPlace)
{
    StartWindowed();
    const Frame background = Background();
    AwaitFrameWithCursor(mPicture.get(), 100, 100);
    DrawScreen(background);
    ASSERT_TRUE(PresentsCursorAt(background, 100, 100));

    const struct {
        const char* name;
        int x;
        int y;
    } moves[] = {
        {"short step right", 110, 100},
        {"nowhere", 110, 100},
        {"short diagonal back", 100, 90},
        {"exactly one area right", 164, 90},
        {"one pixel of overlap, diagonally", 101, 153},
        {"long diagonal", 400, 400},
        {"to the top left corner", 0, 0},
        {"mostly off the window", -20, -20},
        {"back in from off the window", 30, 10},
        {"long, to the bottom right corner", 799, 599},
        {"partly below the window", 790, 620},
        {"picture right of the window", 820, 300},
        {"back in from the right", 780, 300},
        {"wholly off the window", 900, 700},
        {"back from nowhere", 500, 300},
        {"short step up", 500, 291},
    };
    for (const auto& move : moves) {
        SCOPED_TRACE(move.name);
        mDisplay->SetCursorPos(move.x, move.y);
        EXPECT_TRUE(ShowsCursorAt(background, move.x, move.y));
        EXPECT_EQ(mDisplay->mCursorDrawnX, move.x);
        EXPECT_EQ(mDisplay->mCursorDrawnY, move.y);
    }
}

TEST_F(CursorTest, PositionArrivingDuringAFrameWaitsForTheNext)
{
    StartWindowed();
    const Frame background = Background();
    Present(background);
    mDisplay->SetCursorImage(mPicture.get());
    mDisplay->SetCursorPos(100, 100);
    ASSERT_TRUE(ShowsCursorAt(background, 100, 100));

    mDisplay->mInRedraw = true;
    mDisplay->SetCursorPos(300, 200);
    mDisplay->mInRedraw = false;
    EXPECT_TRUE(ShowsCursorAt(background, 100, 100));
    EXPECT_EQ(mDisplay->mCursorX, 300);
    EXPECT_EQ(mDisplay->mCursorY, 200);
    EXPECT_EQ(mDisplay->mCursorDrawnX, 100);
    EXPECT_EQ(mDisplay->mCursorDrawnY, 100);

    EXPECT_TRUE(PresentsCursorAt(background, 300, 200));
}

TEST_F(CursorTest, FullScreenFrameHasTheCursorOnlyWhenFlipped)
{
    const struct {
        const char* name;
        bool popup;
        bool allowFlipping;
        bool cursorInFrame;
    } cases[] = {
        {"flip", false, true, true},
        {"popup", true, true, false},
        {"no page flipping", false, false, false},
    };
    const Frame first = Background(0);
    const Frame second = Background(1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mApp.mPopupShowing = c.popup;
        mApp.mDisplaySettings.mAllowPageFlipping = c.allowFlipping;
        mDisplay->SetCursorImage(nullptr);
        StartFullScreen();
        Present(first);
        mDisplay->SetCursorImage(mPicture.get());
        mDisplay->SetCursorPos(120, 90);
        ASSERT_TRUE(ShowsCursorAt(first, 120, 90));

        Present(second);
        EXPECT_TRUE(SameFrame(Primary(), c.cursorInFrame ? WithCursor(second, 120, 90) : second));
        EXPECT_EQ(mDisplay->mHasOldCursorArea, c.cursorInFrame);
        // The next position draws the cursor again; nothing of the first frame comes back.
        mDisplay->SetCursorPos(300, 200);
        EXPECT_TRUE(ShowsCursorAt(second, 300, 200));
    }
}

TEST_F(CursorTest, WithoutAPictureNoCursorIsDrawn)
{
    StartWindowed();
    const Frame background = Background();
    mDisplay->SetCursorPos(100, 100);
    EXPECT_TRUE(mDisplay->SetCursorImage(mPicture.get()));
    EXPECT_FALSE(mDisplay->SetCursorImage(mPicture.get()));
    DrawScreen(background);
    ASSERT_TRUE(PresentsCursorAt(background, 100, 100));

    EXPECT_TRUE(mDisplay->SetCursorImage(nullptr));
    Present(background);
    EXPECT_TRUE(SameFrame(Primary(), background));
    EXPECT_TRUE(SameFrame(DrawBuffer(), background));
    mDisplay->SetCursorPos(200, 150);
    EXPECT_TRUE(SameFrame(Primary(), background));
    EXPECT_FALSE(mDisplay->mHasOldCursorArea);
}

// A cursor drawn over a background that was not saved could never be taken away again:
// in the draw buffer it would stay in every later frame.
TEST_F(CursorTest, CursorWhoseBackgroundCannotBeSavedIsNotDrawn)
{
    StartWindowed();
    const Frame background = Background();
    AwaitFrameWithCursor(mPicture.get(), 100, 100);
    DrawScreen(background);
    // The save fails, and so does its second try on the area cut to the primary surface.
    const auto failSave = [this] {
        FailCall("IDirectDrawSurface::Blt", 0, DDERR_SURFACELOST);
        FailCall("IDirectDrawSurface::Blt", 0, DDERR_SURFACELOST);
    };
    failSave();
    ASSERT_TRUE(mDisplay->Redraw()) << mDisplay->mErrorString;
    EXPECT_TRUE(mControls->failures.empty());
    EXPECT_FALSE(mDisplay->mHasOldCursorArea);
    EXPECT_TRUE(SameFrame(DrawBuffer(), background));
    EXPECT_TRUE(SameFrame(Primary(), background));

    // Straight onto the primary surface alike.
    failSave();
    mDisplay->SetCursorPos(200, 150);
    EXPECT_TRUE(mControls->failures.empty());
    EXPECT_FALSE(mDisplay->mHasOldCursorArea);
    EXPECT_TRUE(SameFrame(Primary(), background));

    // Once the background can be saved, the cursor is back and still leaves no trace.
    mDisplay->SetCursorPos(210, 150);
    EXPECT_TRUE(ShowsCursorAt(background, 210, 150));
    mDisplay->SetCursorPos(230, 160);
    EXPECT_TRUE(ShowsCursorAt(background, 230, 160));
    EXPECT_TRUE(PresentsCursorAt(background, 230, 160));
}

} // namespace
