// The awards screen opened from the main menu under the application: the player's awards
// over the menu, nothing of the profile changed, the menu's buttons out of reach until Back
// closes the screen and working again afterwards.

#include "framework/graphics/Image.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/WidgetManager.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/AwardsScreen.h"
#include "game/screens/MainMenu.h"
#include "game/screens/MenuItem.h"
#include "tests/game/play/PlayFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace Tests {
namespace {

class AwardsFromMenuTest : public PlayFixture {
protected:
    // A new player on the main menu, its buttons faded in so that they take clicks.
    void StartOnMainMenu()
    {
        ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
        ASSERT_NO_FATAL_FAILURE(EnterName("Tester"));
        mApp->mVSyncTiming = true;
        RunFrames(100);
        ASSERT_FALSE(mApp->mMainMenu->mItems.empty());
        for (const MenuItem* const item : mApp->mMainMenu->mItems)
            ASSERT_EQ(item->mFadeState, FADE_NONE) << item->mLabel;
    }

    MenuItem& MenuButton(const std::string& key)
    {
        for (MenuItem* const item : mApp->mMainMenu->mItems) {
            if (item->mLabel == GetGameString(key))
                return *item;
        }
        ADD_FAILURE() << "no button " << key;
        return *mApp->mMainMenu->mItems.front();
    }

    // The widget tree drawn as the main loop draws it; the pixel at the point.
    uint32_t DrawnPixel(const int x, const int y)
    {
        Zest::MemoryImage screen(Zest::GetAppInterface());
        screen.Create(800, 600);
        Zest::Image* const display = mApp->mWidgetManager->mScreenImage;
        mApp->mWidgetManager->mScreenImage = &screen;
        mApp->mWidgetManager->MarkAllDirty();
        mApp->mWidgetManager->DrawScreen();
        mApp->mWidgetManager->mScreenImage = display;
        return screen.GetBits()[y * screen.mWidth + x];
    }

    Zest::Widget* WidgetAtCentreOf(const Zest::Widget& widget)
    {
        return mApp->mWidgetManager->GetWidgetAt(widget.mX + widget.mWidth / 2, widget.mY + widget.mHeight / 2,
                                                 nullptr, nullptr);
    }
};

TEST_F(AwardsFromMenuTest, ViewAwardsShowsThePlayersAwardsOverTheMenuUntilBack)
{
    ASSERT_NO_FATAL_FAILURE(StartOnMainMenu());
    PlayerProfile& profile = *mApp->GetCurrentProfile();
    profile.mAwards[1] = true;
    profile.mStats.mCollectorCombos = 7;
    const PlayerProfile before = profile;
    const PlayerProfile storedBefore = ReadStoredProfile();

    Click(MenuButton("BTN_VIEWMYAWARDS"));
    AwardsScreen* const screen = mApp->mAwardsScreen;
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(screen));
    EXPECT_EQ(screen->GetRect(), Zest::Rect(0, 0, 800, 600));
    EXPECT_EQ(screen->mNewAward, -1);
    EXPECT_EQ(screen->mTiles[13]->mCounter, 7) << "the profile's counters";
    EXPECT_EQ(profile.mAwards, before.mAwards) << "nothing granted";
    EXPECT_EQ(ReadStoredProfile().mAwards, storedBefore.mAwards);

    // The screen covers the menu: none of its buttons is under the pointer, and a click
    // where Play lies opens nothing.
    for (const MenuItem* const item : mApp->mMainMenu->mItems) {
        SCOPED_TRACE(item->mLabel);
        EXPECT_NE(WidgetAtCentreOf(*item), item);
    }
    Click(MenuButton("BTN_START_ADVENTURE"));
    RunFrames(1);
    EXPECT_EQ(mApp->mMainMenu->mSelectGameMenu, nullptr);
    EXPECT_EQ(mApp->mAwardsScreen, screen);

    // The tiles lie above the screen and follow the pointer; the popup's paper covers the
    // middle of its enlarged size only while the pointer is on the tile.
    AwardTile& tile = *screen->mTiles[13];
    ASSERT_EQ(WidgetAtCentreOf(tile), &tile);
    const int paperMiddleX = static_cast<int>(tile.mPopupX + 0.6f * static_cast<float>(IMAGE_AWARD_PAPER->GetWidth()));
    const int paperMiddleY = static_cast<int>(tile.mPopupY + 0.6f * static_cast<float>(IMAGE_AWARD_PAPER->GetHeight()));
    const uint32_t withoutPopup = DrawnPixel(paperMiddleX, paperMiddleY);
    mApp->mWidgetManager->MouseMove(tile.mX + 10, tile.mY + 10);
    EXPECT_TRUE(tile.mIsOver);
    EXPECT_NE(DrawnPixel(paperMiddleX, paperMiddleY), withoutPopup);

    ASSERT_EQ(screen->mItems.size(), 1u);
    Click(*screen->mItems[0]);
    EXPECT_EQ(mApp->mAwardsScreen, nullptr);
    EXPECT_FALSE(mApp->mWidgetManager->HasWidget(screen));
    RunFrames(1);
    EXPECT_TRUE(mApp->mDeferredDeletes.empty());
    EXPECT_EQ(mApp->GetCurrentProfile()->mAwards, before.mAwards);

    // The menu is uncovered and takes clicks again.
    Click(MenuButton("BTN_START_ADVENTURE"));
    EXPECT_NE(mApp->mMainMenu->mSelectGameMenu, nullptr);
}

} // namespace
} // namespace Tests
