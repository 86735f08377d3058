// The head-up display's buttons in a running game: where they stand, what a click on them
// opens, and when each of the four openers (pause menu, food web, the two holders' pages)
// refuses.

#include "framework/graphics/Image.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/FoodWebInfoScreen.h"
#include "game/screens/MenuItem.h"
#include "game/screens/PauseMenu.h"
#include "game/screens/StoryScreens.h"
#include "tests/game/play/PlayFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace Tests {
namespace {

// The screens the openers open, as they stand at one moment.
struct OpenScreens {
    PauseMenu* mPauseMenu;
    FoodWebInfoScreen* mFoodWeb;
    int32_t mPageKind;
};

class SessionHudButtonsTest : public PlayFixture {
protected:
    OpenScreens Screens()
    {
        const StoryScreens* const page = mApp->mStoryScreens;
        return {Session().mPauseMenu, Session().mFoodWebInfo,
                page == nullptr ? int32_t{StoryScreens::KIND_NONE} : page->mPageKind};
    }
};

// A new screen of the opener's kind is open that was not before.
bool PauseMenuOpened(const OpenScreens& before, const OpenScreens& after)
{
    return after.mPauseMenu != nullptr && after.mPauseMenu != before.mPauseMenu;
}

bool FoodWebOpened(const OpenScreens& before, const OpenScreens& after)
{
    return after.mFoodWeb != nullptr && after.mFoodWeb != before.mFoodWeb;
}

bool SamplingPageOpened(const OpenScreens& before, const OpenScreens& after)
{
    return before.mPageKind == StoryScreens::KIND_NONE && after.mPageKind == StoryScreens::KIND_SAMPLING;
}

bool InventoryPageOpened(const OpenScreens& before, const OpenScreens& after)
{
    return before.mPageKind == StoryScreens::KIND_NONE && after.mPageKind == StoryScreens::KIND_INVENTORY;
}

enum Opener : int32_t { OPEN_PAUSE, OPEN_FOOD_WEB, OPEN_ELEMENTS, OPEN_BACKPACK, OPENER_COUNT };

const struct {
    const char* mName;
    void (GameSession::*mOpen)();
    bool (*mOpened)(const OpenScreens& before, const OpenScreens& after);
} kOpeners[OPENER_COUNT] = {
    {"pause menu", &GameSession::ShowPauseMenu, PauseMenuOpened},
    {"food web", &GameSession::ShowFoodWebInfo, FoodWebOpened},
    {"elements holder", &GameSession::OnElementsClicked, SamplingPageOpened},
    {"backpack", &GameSession::OnBackpackClicked, InventoryPageOpened},
};

TEST_F(SessionHudButtonsTest, EachOpenerRefusesOutsideItsSituation)
{
    const struct {
        const char* mName;
        void (*mSetUp)(GameSession& session);
        // By Opener.
        bool mOpens[OPENER_COUNT];
    } rows[] = {
        {"settled board in play", [](GameSession&) {}, {true, true, true, true}},
        {"another state", [](GameSession& session) { session.mState = STATE_WEB_BURST; }, {false, false, false, false}},
        {"survivor game", [](GameSession& session) { session.mSurvivorOn = true; }, {false, false, true, true}},
        {"pause menu open",
         [](GameSession& session) {
             session.ShowPauseMenu();
             ASSERT_NE(session.mPauseMenu, nullptr);
         },
         {false, false, false, false}},
        // The pause menu may open over the food web. The holders' hot spots lie under the
        // screen and take no press; their own guard does not look at it.
        {"food web open",
         [](GameSession& session) {
             session.ShowFoodWebInfo();
             ASSERT_NE(session.mFoodWebInfo, nullptr);
         },
         {true, false, true, true}},
        {"board unsettled",
         [](GameSession& session) {
             BoardTile* const tile = session.mBoard->TileAtIndex(0);
             ASSERT_NE(tile, nullptr);
             tile->SetState(TILE_FALLING);
         },
         {false, false, true, true}},
        {"board not idle",
         [](GameSession& session) { session.mBoard->mPhase = PHASE_SETTLE; },
         {true, true, false, false}},
    };
    for (const auto& row : rows) {
        for (int32_t opener = 0; opener < OPENER_COUNT; ++opener) {
            SCOPED_TRACE(std::string(row.mName) + ", " + kOpeners[opener].mName);
            ASSERT_NO_FATAL_FAILURE(StartIdleFirstLevel());
            row.mSetUp(Session());
            ASSERT_FALSE(HasFatalFailure());
            const OpenScreens before = Screens();
            (Session().*kOpeners[opener].mOpen)();
            EXPECT_EQ(kOpeners[opener].mOpened(before, Screens()), row.mOpens[opener]);
            EndSession();
        }
    }
}

TEST_F(SessionHudButtonsTest, TheButtonsStandOverTheDisplayWithTheirPicturesAndSounds)
{
    ASSERT_NO_FATAL_FAILURE(StartIdleFirstLevel());
    const struct {
        const char* mName;
        MenuItem* GameSession::*mButton;
        int32_t mX;
        int32_t mY;
        // Sized as this picture, or else by mWidth and mHeight.
        Zest::Image* mSizeOf;
        int32_t mWidth;
        int32_t mHeight;
        Zest::Image* mImage;
        Zest::Image* mOverImage;
        int32_t mHoverSound;
    } buttons[] = {
        {"pause", &GameSession::mPauseButton, 10, 540, IMAGE_GAME_BUTTON_LARGE, 0, 0, IMAGE_GAME_BUTTON_LARGE,
         IMAGE_GAME_BUTTON_LARGE_OVER, SOUND_BUTTON_ROLLOVER},
        {"food web", &GameSession::mFoodWebButton, 10, 500, IMAGE_GAME_BUTTON_LARGE, 0, 0, IMAGE_GAME_BUTTON_LARGE,
         IMAGE_GAME_BUTTON_LARGE_OVER, SOUND_BUTTON_ROLLOVER},
        {"torch", &GameSession::mTorchButton, 90, 347, IMAGE_GAME_TORCH, 0, 0, nullptr, nullptr, -1},
        {"water", &GameSession::mWaterButton, 160, 375, IMAGE_GAME_BUCKET, 0, 0, nullptr, nullptr, -1},
        {"shuffle", &GameSession::mShuffleButton, 174, 435, IMAGE_GAME_SHUFFLECOIN, 0, 0, nullptr, nullptr, -1},
        {"elements holder", &GameSession::mElementsButton, 133, 262, IMAGE_GAME_ELEMENTS_HOLDER_ROLLOVER, 0, 0,
         nullptr, IMAGE_GAME_ELEMENTS_HOLDER_ROLLOVER, SOUND_BUTTON_ROLLOVER},
        {"backpack", &GameSession::mBackpackButton, 0, 340, nullptr, 80, 135, nullptr, IMAGE_GAME_BACKPACK_ROLLOVER,
         SOUND_BUTTON_ROLLOVER},
    };
    for (const auto& expected : buttons) {
        SCOPED_TRACE(expected.mName);
        MenuItem* const button = Session().*expected.mButton;
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(mApp->mWidgetManager->HasWidget(button));
        EXPECT_EQ(button->mX, expected.mX);
        EXPECT_EQ(button->mY, expected.mY);
        EXPECT_EQ(button->mWidth, expected.mSizeOf != nullptr ? expected.mSizeOf->GetWidth() : expected.mWidth);
        EXPECT_EQ(button->mHeight, expected.mSizeOf != nullptr ? expected.mSizeOf->GetHeight() : expected.mHeight);
        EXPECT_EQ(button->mImage, expected.mImage);
        EXPECT_EQ(button->mOverImage, expected.mOverImage);
        EXPECT_EQ(button->mClickSound, SOUND_BUTTON_ACTION);
        EXPECT_EQ(button->mHoverSound, expected.mHoverSound);
    }

    const struct {
        MenuItem* GameSession::*mButton;
        const char* mKey;
    } labelled[] = {{&GameSession::mPauseButton, "BTN_PAUSE"}, {&GameSession::mFoodWebButton, "BTN_FOODWEB"}};
    for (const auto& expected : labelled) {
        SCOPED_TRACE(expected.mKey);
        const MenuItem& button = *(Session().*expected.mButton);
        EXPECT_FALSE(button.mLabel.empty());
        EXPECT_EQ(button.mLabel, GetGameString(expected.mKey));
        EXPECT_EQ(button.mFont, FONT_IN_GAME_LABELS);
        EXPECT_EQ(button.mLabelX, 0);
        EXPECT_EQ(button.mLabelY, 25);
        EXPECT_EQ(button.mLabelJustification, 0);
        EXPECT_EQ(button.mLabelColor, mApp->GetTextColor());
        EXPECT_EQ(button.mLabelOverColor, mApp->GetHighlightTextColor());
    }
}

TEST_F(SessionHudButtonsTest, TheFoodWebOpensOverAHiddenBoardAndBackResumesTheSession)
{
    ASSERT_NO_FATAL_FAILURE(StartIdleFirstLevel());
    Click(*Session().mFoodWebButton);
    FoodWebInfoScreen* const foodWeb = Session().mFoodWebInfo;
    ASSERT_NE(foodWeb, nullptr);
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(foodWeb));
    EXPECT_EQ(foodWeb->mWidth, 800);
    EXPECT_EQ(foodWeb->mHeight, 600);
    EXPECT_EQ(foodWeb->mHabitat, Session().mHabitat);
    EXPECT_TRUE(Board().mDisabled);
    EXPECT_FALSE(Board().mVisible);
    EXPECT_TRUE(Session().mPaused);
    EXPECT_EQ(Session().mState, STATE_PLAY);

    // As the screen's Back button does.
    Session().CloseFoodWebInfo();
    EXPECT_EQ(Session().mFoodWebInfo, nullptr);
    EXPECT_FALSE(mApp->mWidgetManager->HasWidget(foodWeb));
    EXPECT_FALSE(Board().mDisabled);
    EXPECT_TRUE(Board().mVisible);
    EXPECT_FALSE(Session().mPaused);
    RunFrames(1);

    Click(*Session().mPauseButton);
    EXPECT_NE(Session().mPauseMenu, nullptr);
}

TEST_F(SessionHudButtonsTest, APressOnTheFoodWebButtonWhileTheBoardMovesOpensNothing)
{
    ASSERT_NO_FATAL_FAILURE(StartIdleFirstLevel());
    Session().mItemArmed = true;
    Session().mArmedItem = 0;
    BoardTile* const tile = Board().TileAtIndex(0);
    ASSERT_NE(tile, nullptr);
    tile->SetState(TILE_FALLING);
    Click(*Session().mFoodWebButton);
    EXPECT_EQ(Session().mFoodWebInfo, nullptr);
    EXPECT_TRUE(Board().mVisible);
    EXPECT_FALSE(Board().mDisabled);
    EXPECT_FALSE(Session().mPaused);
}

TEST_F(SessionHudButtonsTest, TheHoldersAreBuiltOnceAndAClickOpensTheirPageAndStopsTheirBlink)
{
    const struct {
        const char* mName;
        MenuItem* GameSession::*mButton;
        void (GameSession::*mSetBlink)(bool on);
        bool GameSession::*mBlink;
        int32_t GameSession::*mBlinkAlpha;
        int32_t mPageKind;
    } holders[] = {
        {"elements holder", &GameSession::mElementsButton, &GameSession::SetElementsBlink, &GameSession::mElementsBlink,
         &GameSession::mElementsBlinkAlpha, StoryScreens::KIND_SAMPLING},
        {"backpack", &GameSession::mBackpackButton, &GameSession::SetBackpackBlink, &GameSession::mBackpackBlink,
         &GameSession::mBackpackBlinkAlpha, StoryScreens::KIND_INVENTORY},
    };
    for (const auto& holder : holders) {
        SCOPED_TRACE(holder.mName);
        ASSERT_NO_FATAL_FAILURE(StartIdleFirstLevel());
        MenuItem* const button = Session().*holder.mButton;
        ASSERT_NE(button, nullptr);
        // The next stage starts.
        Session().mState = STATE_STAGE_START;
        ASSERT_GE(RunUntilIdle(), 0);
        ASSERT_EQ(Session().mState, STATE_PLAY);
        EXPECT_EQ(Session().*holder.mButton, button);

        (Session().*holder.mSetBlink)(true);
        RunFrames(3);
        ASSERT_NE(Session().*holder.mBlinkAlpha, 0) << "the blink never moved";
        Click(*button);
        ASSERT_NE(mApp->mStoryScreens, nullptr);
        EXPECT_EQ(mApp->mStoryScreens->mPageKind, holder.mPageKind);
        EXPECT_EQ(Session().mState, STATE_STORY_SHOWN);
        EXPECT_EQ(Board().mPhase, PHASE_FROZEN);
        EXPECT_FALSE(Session().*holder.mBlink);
        EXPECT_EQ(Session().*holder.mBlinkAlpha, 0);
        EndSession();
    }
}

} // namespace
} // namespace Tests
