// The world map as a new session opens it in the game's own content: the flight, the Done
// button that leads into the level, and a profile whose next-level number lies beyond the
// registered habitats.

#include "framework/graphics/Graphics.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/screens/GameMap.h"
#include "tests/game/play/PlayFixture.h"
#include "tests/game/play/PlayRecorders.h"

#include <gtest/gtest.h>

namespace Tests {
namespace {

class GameMapSessionTest : public PlayFixture {
protected:
    // A new player's session of the habitat, on its first frame: the map is open.
    void OpenMapOf(const int32_t habitatIndex, const int32_t nextLevel)
    {
        ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
        ASSERT_NO_FATAL_FAILURE(EnterName("Tester"));
        mApp->mVSyncTiming = true;
        mApp->GetCurrentProfile()->mNextLevel = nextLevel;
        mApp->StartGameSession(0, habitatIndex);
        ASSERT_NE(mApp->mGameSession, nullptr);
        RunFrames(1);
        ASSERT_EQ(Session().mState, STATE_MAP_OPEN);
        ASSERT_NE(Session().mGameMap, nullptr);
    }

    GameMap& Map() { return *Session().mGameMap; }

    // Frames until the Done button is there; the map's count of its updates then, or -1.
    int RunUntilDone(const GameMap& map)
    {
        for (int frame = 0; frame < 1000; ++frame) {
            if (!map.mItems.empty())
                return map.mCounter;
            RunFrames(1);
        }
        return -1;
    }

    void Click(const MenuItem& item)
    {
        const int x = item.mX + item.mWidth / 2;
        const int y = item.mY + item.mHeight / 2;
        mApp->mWidgetManager->MouseMove(x, y);
        mApp->mWidgetManager->MouseDown(x, y, 1);
        mApp->mWidgetManager->MouseUp(x, y, 1);
    }
};

TEST_F(GameMapSessionTest, AFlightToTheSecondHabitatEndsInADoneButtonThatStartsTheLevel)
{
    ASSERT_NO_FATAL_FAILURE(OpenMapOf(1, 1));
    GameMap& map = Map();
    EXPECT_TRUE(map.mFly);
    EXPECT_EQ(map.mFlightSteps, 20);
    ASSERT_EQ(RunUntilDone(map), 630);
    EXPECT_EQ(Session().mBoard, nullptr) << "no board while the map is open";

    Click(*map.mItems[0]);
    EXPECT_EQ(Session().mState, STATE_MAP_CLOSED);
    RunFrames(2);
    EXPECT_EQ(Session().mGameMap, nullptr);
    EXPECT_NE(Session().mBoard, nullptr);
    EXPECT_EQ(Session().mState, STATE_STAGE_START);
}

TEST_F(GameMapSessionTest, ANextLevelBeyondTheRegisteredHabitatsDrawsTheirsAloneAndOffersDone)
{
    ASSERT_NO_FATAL_FAILURE(OpenMapOf(0, 12));
    GameMap& map = Map();
    EXPECT_FALSE(map.mFly);
    const int32_t registered = mApp->GetHabitatCount();
    ASSERT_LT(registered, 12);

    RecordingScreen screen(800, 600);
    Zest::Graphics g(&screen);
    map.DrawOverlay(&g);
    // One flag per registered habitat, and the destination's.
    EXPECT_EQ(screen.Of(IMAGE_GAME_FLAG).size(), static_cast<size_t>(registered + 1));
    for (int32_t index = 0; index < registered; ++index)
        EXPECT_NE(Session().GetHabitatLabel(index), nullptr) << index;

    EXPECT_EQ(RunUntilDone(map), 30);
}

} // namespace
} // namespace Tests
