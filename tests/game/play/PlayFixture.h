#pragma once
// A game in play under a test's own GameApp from main.pak: a new player, a session of one
// habitat, its level started without story pages, and frames run one by one at a fixed
// fraction as the main loop runs them.

#include "game/play/BoardTile.h"
#include "game/play/GameBoard.h"
#include "game/play/GameSession.h"
#include "tests/game/GameAppFixture.h"

#include <functional>

namespace Tests {

class PlayFixture : public GameAppFixture {
protected:
    // A new player named on the main menu, then the session of the habitat started anew;
    // `beforeLevel` may set the session's stage or mode before the board is made.
    void StartPlay(const int32_t habitatIndex = 0, const std::function<void(GameSession&)>& beforeLevel = {})
    {
        ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
        ASSERT_NO_FATAL_FAILURE(EnterName("Tester"));
        mApp->mVSyncTiming = true;
        mApp->StartGameSession(0, habitatIndex);
        ASSERT_NE(mApp->mGameSession, nullptr);
        if (beforeLevel)
            beforeLevel(*mApp->mGameSession);
        mApp->mGameSession->StartLevelForPlay();
        ASSERT_NE(mApp->mGameSession->mBoard, nullptr);
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

    // Frames until the board is idle (phase 2) and settled; the frames it took, or -1 when
    // it was not so within `limit` frames.
    int RunUntilIdle(const int limit = 1000)
    {
        for (int frame = 0; frame < limit; ++frame) {
            if (Board().mPhase == PHASE_IDLE && Board().IsSettled())
                return frame;
            RunFrames(1);
        }
        return -1;
    }

    GameSession& Session() { return *mApp->mGameSession; }
    GameBoard& Board() { return *mApp->mGameSession->mBoard; }
};

} // namespace Tests
