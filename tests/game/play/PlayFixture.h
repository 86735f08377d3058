#pragma once
// A game in play under a test's own GameApp from main.pak: a new player, a session of one
// habitat taken past its world map into the level, and frames run one by one at a fixed
// fraction as the main loop runs them.

#include "game/Habitat.h"
#include "game/play/BoardTile.h"
#include "game/play/GameBoard.h"
#include "game/play/GameSession.h"
#include "game/GameOptions.h"
#include "game/PlayerProfile.h"
#include "game/ProfileStore.h"
#include "game/screens/StoryScreens.h"
#include "tests/game/GameAppFixture.h"

#include <functional>
#include <string>

namespace Tests {

class PlayFixture : public GameAppFixture {
protected:
    // A new player named on the main menu, then the level of the habitat started anew (see
    // StartLevelOf).
    void StartPlay(const int32_t habitatIndex = 0, const std::function<void(GameSession&)>& beforeLevel = {})
    {
        ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
        ASSERT_NO_FATAL_FAILURE(EnterName("Tester"));
        mApp->mVSyncTiming = true;
        ASSERT_NO_FATAL_FAILURE(StartLevelOf(habitatIndex, beforeLevel));
    }

    // The session of the habitat started anew for the current player and taken past its
    // world map; `beforeLevel` may set the session's stage or mode before the board is made.
    // Tips are off unless the test wants them; the first habitat's introduction closes at
    // once (the board frozen meanwhile). The level starts between two frames, so that the
    // board's first update is the test's first frame: the stage start (state 12) deals it in.
    void StartLevelOf(const int32_t habitatIndex, const std::function<void(GameSession&)>& beforeLevel = {},
                      const bool tips = false)
    {
        GameOptionsHolder::Instance().mTutorialTips = tips;
        mApp->StartGameSession(0, habitatIndex);
        ASSERT_NE(mApp->mGameSession, nullptr);
        if (beforeLevel)
            beforeLevel(*mApp->mGameSession);
        ASSERT_NO_FATAL_FAILURE(LeaveMap());
        Session().StartLevel();
        ASSERT_NE(mApp->mGameSession->mBoard, nullptr);
        ASSERT_NO_FATAL_FAILURE(CloseIntroduction());
        ASSERT_EQ(Session().mState, STATE_STAGE_START);
    }

    // The first habitat's level started anew, its board at rest in play; the player is named
    // on the first call.
    void StartIdleFirstLevel()
    {
        if (mApp == nullptr)
            ASSERT_NO_FATAL_FAILURE(StartPlay(0));
        else
            ASSERT_NO_FATAL_FAILURE(StartLevelOf(0));
        ASSERT_GE(RunUntilIdle(), 0) << "the board never settled";
        ASSERT_EQ(Session().mState, STATE_PLAY);
    }

    // An open introduction ends as if its leaving had just finished: the page closes on
    // its own update alone, so the board gets none.
    void CloseIntroduction()
    {
        StoryScreens* const page = mApp->mStoryScreens;
        if (page == nullptr)
            return;
        ASSERT_EQ(page->mPageKind, StoryScreens::KIND_INTRODUCTION);
        page->mState = StoryScreens::PAGE_LEFT;
        page->UpdateSmooth(1.0f);
        ASSERT_EQ(mApp->mStoryScreens, nullptr);
        mApp->DeleteDeferredWidgets();
    }

    // A new session's first frames: the world map opens, its Done button is pressed (as the
    // map's own call does, without waiting for the button) and the map goes.
    void LeaveMap()
    {
        RunFrames(1);
        ASSERT_EQ(Session().mState, STATE_MAP_OPEN);
        ASSERT_NE(Session().mGameMap, nullptr);
        Session().OnGameMapDone();
        RunFrames(1);
        ASSERT_EQ(Session().mState, STATE_BEGIN_LEVEL);
        ASSERT_EQ(Session().mGameMap, nullptr);
    }

    // One drawn frame: the physics step and the widgets' smooth update, then the deferred
    // deletions, as the main loop does.
    void RunFrames(const int count, const float fraction = 1.0f)
    {
        for (int frame = 0; frame < count; ++frame) {
            mApp->RunSmoothUpdate(fraction);
            mApp->DeleteDeferredWidgets();
        }
    }

    // Frames until the board is idle (phase 2) and settled, past a stage's deal-in (states 12
    // and 13: the board takes input only in play); the frames it took, or -1 when it was not
    // so within `limit` frames.
    int RunUntilIdle(const int limit = 1000)
    {
        for (int frame = 0; frame < limit; ++frame) {
            const bool dealing = Session().mState == STATE_STAGE_START || Session().mState == STATE_STAGE_SETTLING;
            if (Board().mPhase == PHASE_IDLE && Board().IsSettled() && !dealing)
                return frame;
            RunFrames(1);
        }
        return -1;
    }

    // A press and release in the middle of the button, through the widget manager.
    void Click(const Zest::Widget& button)
    {
        const int x = button.mX + button.mWidth / 2;
        const int y = button.mY + button.mHeight / 2;
        mApp->mWidgetManager->MouseMove(x, y);
        mApp->mWidgetManager->MouseDown(x, y, 1);
        mApp->mWidgetManager->MouseUp(x, y, 1);
    }

    // Ends the running session as the game does, and deletes it with everything it queued.
    void EndSession()
    {
        mApp->RemoveGameSession();
        for (int round = 0; round < 10 && !mApp->mDeferredDeletes.empty(); ++round)
            mApp->DeleteDeferredWidgets();
        EXPECT_TRUE(mApp->mDeferredDeletes.empty());
    }

    // The current profile as profiles.dat holds it now.
    PlayerProfile ReadStoredProfile()
    {
        ProfileStore store;
        std::string message;
        EXPECT_EQ(store.Load(mApp->mDataFolder, mApp->mHabitats, &message), ProfileStore::LoadResult::Loaded)
            << message;
        const PlayerProfile* const profile = store.GetCurrentProfile();
        EXPECT_NE(profile, nullptr);
        return profile != nullptr ? *profile : PlayerProfile("(none)");
    }

    GameSession& Session() { return *mApp->mGameSession; }
    // The habitat's creature at that place of its list.
    Creature* Nth(const size_t index) { return Session().mHabitat->mCreatures.at(index).get(); }
    // The stage and the session play in that mode from now on.
    void SetMode(const int32_t mode)
    {
        Session().mStage.mMode = mode;
        Session().mMode = mode;
    }
    GameBoard& Board() { return *mApp->mGameSession->mBoard; }
};

} // namespace Tests
