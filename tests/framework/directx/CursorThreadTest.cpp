// The cursor thread moves the cursor on the primary surface while the main thread presents
// frames, as in the running application. Built on its own to run under ThreadSanitizer.

#include "framework/directx/DDInterface.h"
#include "tests/framework/directx/CursorFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using Tests::Background;
using Tests::Frame;

using CursorThreadTest = Tests::CursorDisplayTest;

TEST_F(CursorThreadTest, CursorThreadAndFramesLeaveOneCursor)
{
    constexpr int kFrames = 60;
    constexpr int kMovesPerFrame = 10;
    StartWindowed();
    const Frame background = Background();
    mDisplay->SetCursorImage(mPicture.get());

    // The mouse moves a few times a frame: the thread runs ahead of the frames by at most
    // one frame's moves, so that both keep running side by side to the end.
    std::atomic<int> framesDone = 0;
    std::thread cursorThread([this, &framesDone] {
        for (int i = 0; i < kFrames * kMovesPerFrame; ++i) {
            while (i / kMovesPerFrame > framesDone)
                std::this_thread::yield();
            // Sweeps over the whole window and a little beyond, in steps short and long.
            const int x = (i * 37) % 880 - 40;
            const int y = (i * 13) % 680 - 40;
            // As the application's cursor thread: a position is reported only when it
            // differs from the drawn one.
            if (x != mDisplay->mCursorDrawnX || y != mDisplay->mCursorDrawnY)
                mDisplay->SetCursorPos(x, y);
        }
    });
    // Each frame is drawn first, as the application does, and the cursor moves meanwhile;
    // every other frame is drawn while the application shows no software cursor.
    for (int frame = 0; frame < kFrames; ++frame) {
        const bool hideCursor = frame % 2 == 1;
        if (hideCursor)
            mDisplay->SetCursorImage(nullptr);
        DrawScreen(background);
        if (hideCursor)
            mDisplay->SetCursorImage(mPicture.get());
        EXPECT_TRUE(mDisplay->Redraw()) << mDisplay->mErrorString;
        ++framesDone;
    }
    cursorThread.join();

    // Whatever the order was, the window shows the background and one cursor.
    mDisplay->SetCursorPos(400, 300);
    EXPECT_TRUE(ShowsCursorAt(background, 400, 300));
    EXPECT_TRUE(PresentsCursorAt(background, 400, 300));
}

} // namespace
