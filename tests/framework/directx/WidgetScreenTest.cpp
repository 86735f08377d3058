// The widget manager drawing onto the display's screen image keeps its surface locked for
// the whole frame and unlocks it afterwards.

#include "framework/directx/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"
#include "tests/framework/directx/DisplayFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Notes the screen's lock count whenever it draws, and fills itself.
class LockWatcher : public Zest::Widget {
public:
    explicit LockWatcher(Zest::DDImage* screen) : mScreen(screen) { Resize(10, 10, 20, 20); }

    void Draw(Zest::Graphics* g) override
    {
        mLockCounts.push_back(mScreen->mLockCount);
        g->SetColor(Zest::Color(255, 0, 0));
        g->FillRect(0, 0, mWidth, mHeight);
    }

    Zest::DDImage* mScreen;
    std::vector<int> mLockCounts;
};

class WidgetScreenTest : public Tests::DisplayTest {};

TEST_F(WidgetScreenTest, ScreenStaysLockedWhileWidgetsDrawAndIsUnlockedAfter)
{
    ASSERT_EQ(InitWindowed(), Zest::DDInterface::RESULT_OK) << mDisplay->mErrorString;
    Zest::DDImage* screen = mDisplay->GetScreenImage();
    Zest::WidgetManager manager(&mApp);
    manager.mScreenImage = screen;
    manager.SetMouseRects(Zest::Rect(0, 0, 800, 600), Zest::Rect(0, 0, 800, 600));
    LockWatcher first(screen);
    LockWatcher second(screen);
    second.Move(40, 10);
    manager.AddWidget(&first);
    manager.AddWidget(&second);

    EXPECT_TRUE(manager.DrawScreen());
    EXPECT_EQ(first.mLockCounts, std::vector<int>{1});
    EXPECT_EQ(second.mLockCounts, std::vector<int>{1});
    EXPECT_EQ(screen->mLockCount, 0);

    // What the widgets drew is in the surface (an opaque fill on a 32-bit surface writes
    // each channel one level down).
    ASSERT_TRUE(screen->LockSurface());
    const auto* row = static_cast<const uint8_t*>(screen->mLockedDesc.lpSurface) + 15 * screen->mLockedDesc.lPitch;
    EXPECT_EQ(reinterpret_cast<const uint32_t*>(row)[15] & 0xFFFFFF, 0xFE0000u);
    EXPECT_EQ(reinterpret_cast<const uint32_t*>(row)[45] & 0xFFFFFF, 0xFE0000u);
    screen->UnlockSurface();
    manager.RemoveAllWidgets();
}

} // namespace
