// The mini-game that closes a habitat, under a test's own GameApp with the real physics:
// the hand-over from the goal-complete page, the intro and its Start button, the spider and
// bear games wave by wave, the aiming preview, the faultless bonus, the early end, the world
// emptied after each game, Done handing the points back, and the application closed in the
// middle of a game.

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/GameStats.h"
#include "game/MiniGameWidget.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/physics/entities/BearEntity.h"
#include "game/physics/entities/CannonEntity.h"
#include "game/physics/entities/SpiderEntity.h"
#include "game/play/GameSession.h"
#include "game/screens/LevelCompleteMenu.h"
#include "game/screens/MenuItem.h"
#include "game/screens/MenuServices.h"
#include "game/screens/StoryScreens.h"
#include "platform/physics/Joints.h"
#include "platform/physics/World.h"
#include "platform/physics/XtremaPhysics.h"
#include "tests/game/physics/EngineCounts.h"
#include "tests/game/play/PlayFixture.h"
#include "tests/game/play/PlayRecorders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <set>
#include <utility>
#include <vector>

namespace Tests {
namespace {

using XtremaPHX2D::Vec2;
using XtremaPHX2D::Vec3;

double Radians(const double degrees) { return degrees * std::numbers::pi / 180.0; }

class MiniGameTest : public PlayFixture {
protected:
    void TearDown() override
    {
        SetMenuServices(nullptr);
        PlayFixture::TearDown();
    }

    // The habitat's level in play, then its mini-game opened as the session's state 15 does;
    // the world's objects without the game are noted. The player is named on the first call.
    void OpenMiniGame(const int32_t habitat)
    {
        if (mApp == nullptr)
            ASSERT_NO_FATAL_FAILURE(StartPlay(habitat));
        else
            ASSERT_NO_FATAL_FAILURE(StartLevelOf(habitat));
        ASSERT_GE(RunUntilIdle(), 0);
        Session().mState = STATE_MINI_GAME_START;
        RunFrames(1);
        ASSERT_EQ(Session().mState, STATE_MINI_GAME);
        ASSERT_NE(Session().mMiniGame, nullptr);
        mBaseline = CountEngineObjects();
    }

    // Opened, past the intro, and its Start button pressed.
    void StartMiniGameOf(const int32_t habitat)
    {
        ASSERT_NO_FATAL_FAILURE(OpenMiniGame(habitat));
        for (MiniGameWidget::IntroItem& item : Game().mIntroItems)
            item.mDone = true;
        RunFrames(1);
        ASSERT_EQ(Game().mState, MiniGameWidget::READY);
        ASSERT_NE(Game().mStartButton, nullptr);
        Click(*Game().mStartButton);
        ASSERT_EQ(Game().mState, MiniGameWidget::PLAYING);
    }

    void RecordSounds()
    {
        mSounds = std::make_unique<SoundLog>(GetMenuServices());
        SetMenuServices(mSounds.get());
    }

    bool Played(const int sound) const
    {
        return std::find(mSounds->mSounds.begin(), mSounds->mSounds.end(), sound) != mSounds->mSounds.end();
    }

    MiniGameWidget& Game() { return *Session().mMiniGame; }

    // The session's entities of that class, in list order.
    template <typename Entity>
    std::vector<Entity*> EntitiesOf()
    {
        std::vector<Entity*> found;
        for (xSharkEntity* const entity : Session().mEntities) {
            if (auto* const wanted = dynamic_cast<Entity*>(entity))
                found.push_back(wanted);
        }
        return found;
    }

    // Where the spiders' threads hang from.
    std::set<std::pair<float, float>> SpiderAnchors()
    {
        std::set<std::pair<float, float>> anchors;
        for (SpiderEntity* const spider : EntitiesOf<SpiderEntity>()) {
            const Vec3 anchor = spider->mThread->placementInDst();
            anchors.emplace(anchor.x, anchor.y);
        }
        return anchors;
    }

    // A click of the left button on the screen, through the widget manager.
    void ClickAt(const int x, const int y)
    {
        mApp->mWidgetManager->MouseMove(x, y);
        mApp->mWidgetManager->MouseDown(x, y, 1);
        mApp->mWidgetManager->MouseUp(x, y, 1);
    }

    // The mouse where the screen reads it, and the screen told that it moved.
    void MoveMouseTo(const int x)
    {
        mApp->mWidgetManager->mLastMouseX = x;
        mApp->mWidgetManager->mLastMouseY = 300;
        Game().MouseMove(x, 300);
    }

    // Every spider goes, as the bottom kill zone takes the fallen ones: the next pass ends
    // the wave and the one after brings the next.
    void ClearSpiderWave()
    {
        for (SpiderEntity* const spider : EntitiesOf<SpiderEntity>())
            Session().QueueEntityRemoval(spider);
        RunFrames(2);
    }

    // The last fish of the bear game's wave thrown and gone.
    void ThrowAllFish()
    {
        Game().mShots = 0;
        RunFrames(1);
    }

    MenuItem* DoneButton()
    {
        return Game().mItems.size() == 1 ? Game().mItems.front() : nullptr;
    }

    EngineCounts mBaseline;
    std::unique_ptr<SoundLog> mSounds;
};

// ---------------------------------------------------------------------------------------
// The hand-over

TEST_F(MiniGameTest, TheGoalCompletePageOpensTheMiniGameAndDoneHandsItsPointsBackToTheReport)
{
    ASSERT_NO_FATAL_FAILURE(StartPlay(0));
    ASSERT_GE(RunUntilIdle(), 0);
    Session().mState = STATE_GOAL_COMPLETE;
    Session().mStateFrames = 100;
    RunFrames(1);
    StoryScreens* const page = mApp->mStoryScreens;
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->mPageKind, StoryScreens::KIND_BEFORE_MINI_GAME);
    page->mState = StoryScreens::PAGE_LEFT;
    page->UpdateSmooth(1.0f);
    EXPECT_EQ(Session().mState, STATE_MINI_GAME_START);
    mApp->DeleteDeferredWidgets();

    RunFrames(1);
    ASSERT_EQ(Session().mState, STATE_MINI_GAME);
    MiniGameWidget* const game = Session().mMiniGame;
    ASSERT_NE(game, nullptr);
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(game));
    EXPECT_EQ(game->GetRect(), Zest::Rect(0, 0, 800, 600));
    EXPECT_EQ(game->mKind, MiniGameWidget::KIND_SPIDERS);
    EXPECT_EQ(game->mWaves, 3);
    EXPECT_EQ(game->mPerWave, 8);
    EXPECT_EQ(mApp->mCurrentMusic, 15);

    // Ended with points: the Done button hands them over.
    game->mScore = 700;
    game->EndGame();
    RunFrames(1);
    ASSERT_EQ(game->mState, MiniGameWidget::AWAIT_DONE);
    MenuItem* const done = DoneButton();
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(done->mLabel, GetGameString("BTN_DONE"));
    const int32_t before = Session().mScore;
    Click(*done);
    EXPECT_EQ(Session().mMiniGame, nullptr);
    EXPECT_FALSE(mApp->mWidgetManager->HasWidget(game));
    EXPECT_EQ(Session().mStats->mMiniGameScore, 700);
    EXPECT_EQ(Session().mScore, before + 700);
    EXPECT_NE(Session().mLevelComplete, nullptr);
    EXPECT_EQ(Session().mState, STATE_LEVEL_REPORT);
    RunFrames(2);
}

// ---------------------------------------------------------------------------------------
// The intro and the start

TEST_F(MiniGameTest, TheIntroEndsOnThePassAfterTheLastPictureLeavesAndOnlyThenStartActs)
{
    ASSERT_NO_FATAL_FAILURE(OpenMiniGame(0));
    ASSERT_EQ(Game().mIntroItems.size(), 20u);
    // The screen had its first pass in the frame that opened it: 3 pixels down from 0..99.
    for (size_t i = 0; i < Game().mIntroItems.size(); ++i) {
        const MiniGameWidget::IntroItem& item = Game().mIntroItems[i];
        EXPECT_EQ(item.mPos.x, 40.0f * static_cast<float>(i));
        EXPECT_TRUE(item.mPos.y >= 3.0f && item.mPos.y < 103.0f) << item.mPos.y;
        EXPECT_EQ(item.mImage, IMAGE_GAME_GOLDENSPIDER);
    }
    // Every picture from the top: 200 passes at 3 pixels take them to 600.
    for (MiniGameWidget::IntroItem& item : Game().mIntroItems)
        item.mPos.y = 0.0f;

    ClickAt(400, 300);
    RunFrames(200);
    EXPECT_TRUE(std::all_of(Game().mIntroItems.begin(), Game().mIntroItems.end(),
                            [](const MiniGameWidget::IntroItem& item) { return item.mDone; }));
    EXPECT_EQ(Game().mState, MiniGameWidget::INTRO);
    EXPECT_EQ(Game().mStartButton, nullptr);
    EXPECT_TRUE(Session().mEntities.empty());

    RunFrames(1);
    ASSERT_EQ(Game().mState, MiniGameWidget::READY);
    MenuItem* const start = Game().mStartButton;
    ASSERT_NE(start, nullptr);
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(start));
    EXPECT_EQ(start->GetRect().mX, (800 - IMAGE_GAME_BUTTON_LARGE->GetWidth()) / 2);
    EXPECT_EQ(start->GetRect().mY, 450);
    EXPECT_EQ(start->mLabel, GetGameString("BTN_START"));

    // Clicks and moves on the start panel do nothing; only the button starts.
    ClickAt(100, 100);
    RunFrames(3);
    EXPECT_EQ(Game().mState, MiniGameWidget::READY);
    EXPECT_TRUE(Session().mEntities.empty());

    Click(*start);
    EXPECT_EQ(Game().mState, MiniGameWidget::PLAYING);
    EXPECT_EQ(Game().mStartButton, nullptr);
    EXPECT_FALSE(mApp->mWidgetManager->HasWidget(start));
    EXPECT_EQ(EntitiesOf<SpiderEntity>().size(), 8u);
    ASSERT_NE(Game().mSlidingCannon, nullptr);
    EXPECT_TRUE(Game().mSlidingCannon->mActive);
    RunFrames(1);
}

// ---------------------------------------------------------------------------------------
// The spider game

TEST_F(MiniGameTest, TheSpiderGamePlaysItsWavesAndTheLastEarnsTheBonusAtPass101)
{
    ASSERT_NO_FATAL_FAILURE(StartMiniGameOf(0));
    RecordSounds();
    const int32_t score = Session().mScore;
    const int32_t faultless = Session().mStats->mFaultlessMiniGames;
    EXPECT_EQ(EntitiesOf<SpiderEntity>().size(), 8u);

    ASSERT_NO_FATAL_FAILURE(ClearSpiderWave());
    RunFrames(1);
    EXPECT_EQ(Game().mWave, 2);
    EXPECT_EQ(EntitiesOf<SpiderEntity>().size(), 16u);
    // Even rows 49 pixels apart from x 250, odd rows 51 apart from 226, a row every 60.
    std::set<std::pair<float, float>> expected;
    for (int c = 0; c < 8; ++c) {
        expected.emplace(250.0f + 49.0f * static_cast<float>(c), 20.0f);
        expected.emplace(226.0f + 51.0f * static_cast<float>(c), 80.0f);
    }
    EXPECT_EQ(SpiderAnchors(), expected);

    ASSERT_NO_FATAL_FAILURE(ClearSpiderWave());
    RunFrames(1);
    EXPECT_EQ(EntitiesOf<SpiderEntity>().size(), 24u);

    ASSERT_NO_FATAL_FAILURE(ClearSpiderWave());
    ASSERT_EQ(Game().mState, MiniGameWidget::ALL_WAVES_DONE);
    EXPECT_TRUE(Game().mFinished);
    EXPECT_TRUE(Game().mCompleted);

    RunFrames(100);
    EXPECT_EQ(Session().mScore, score);
    EXPECT_FALSE(Played(SOUND_AWARD_SURVIVOR));
    RunFrames(1);
    EXPECT_EQ(Session().mScore, score + 100000);
    EXPECT_EQ(Session().mStats->mFaultlessMiniGames, faultless + 1);
    EXPECT_TRUE(Played(SOUND_AWARD_SURVIVOR));

    RunFrames(99);
    EXPECT_EQ(Game().mState, MiniGameWidget::ALL_WAVES_DONE);
    RunFrames(1);
    EXPECT_EQ(Game().mState, MiniGameWidget::FINISH);
    RunFrames(1);
    ASSERT_EQ(Game().mState, MiniGameWidget::AWAIT_DONE);
    EXPECT_NE(DoneButton(), nullptr);
    EXPECT_TRUE(Played(SOUND_AWARD_CONGRATS));
    EXPECT_STREQ(Game().GetFinishTextKey(0), "MINIGAME_FINISHED_SUCCESS_SPIDERS");
    EXPECT_EQ(Game().mScore, 0);
    EXPECT_EQ(Session().mScore, score + 100000);
    EXPECT_TRUE(Session().mEntities.empty());
    EXPECT_EQ(Game().mSlidingCannon, nullptr);
    EXPECT_EQ(CountEngineObjects(), mBaseline);
}

// A shot cuts a spider's thread for 100 points; a spider still on its thread that reaches the
// cannon ends the game at once, without the bonus, and Done hands the points over.
TEST_F(MiniGameTest, AHangingSpiderOnTheCannonEndsTheGameEarlyAndKeepsThePoints)
{
    ASSERT_NO_FATAL_FAILURE(StartMiniGameOf(0));
    CannonEntity& cannon = *Game().mSlidingCannon;
    const float cannonY = cannon.GetBodyPlacement().y;
    // The cannon follows the mouse between 64 and 736 and stays put beyond.
    const std::pair<int, float> moves[] = {{64, 64.0f}, {63, 64.0f}, {736, 736.0f}, {737, 736.0f}, {397, 397.0f}};
    for (const auto& [mouseX, cannonX] : moves) {
        MoveMouseTo(mouseX);
        EXPECT_EQ(cannon.GetBodyPlacement(), Vec3(cannonX, cannonY, 0.0f)) << "mouse x " << mouseX;
    }

    // The fourth spider of the row hangs straight above.
    SpiderEntity* target = nullptr;
    for (SpiderEntity* const spider : EntitiesOf<SpiderEntity>()) {
        if (spider->mThread->placementInDst().x == 397.0f)
            target = spider;
    }
    ASSERT_NE(target, nullptr);
    const int32_t score = Session().mScore;
    const int32_t faultless = Session().mStats->mFaultlessMiniGames;
    ClickAt(397, 300);
    EXPECT_EQ(Game().CountAmmo(), 1);
    EXPECT_TRUE(Game().mShotFired);
    for (int frame = 0; frame < 200 && Game().mScore == 0; ++frame)
        RunFrames(1);
    EXPECT_EQ(Game().mScore, 100);
    EXPECT_EQ(target->mThread, nullptr);

    SpiderEntity* hanging = nullptr;
    for (SpiderEntity* const spider : EntitiesOf<SpiderEntity>()) {
        if (spider->mThread != nullptr)
            hanging = spider;
    }
    ASSERT_NE(hanging, nullptr);
    hanging->setAbsPlacement(cannon.GetBodyPlacement());
    RunFrames(1);
    ASSERT_EQ(Game().mState, MiniGameWidget::AWAIT_DONE);
    EXPECT_TRUE(Game().mFinished);
    EXPECT_FALSE(Game().mCompleted);
    EXPECT_STREQ(Game().GetFinishTextKey(0), "MINIGAME_FINISHED_EARLY");
    EXPECT_TRUE(Session().mEntities.empty());
    EXPECT_EQ(CountEngineObjects(), mBaseline);

    RunFrames(300);
    EXPECT_EQ(Session().mScore, score);
    EXPECT_EQ(Session().mStats->mFaultlessMiniGames, faultless);
    MenuItem* const done = DoneButton();
    ASSERT_NE(done, nullptr);
    Click(*done);
    EXPECT_EQ(Session().mScore, score + 100);
    EXPECT_EQ(Session().mStats->mMiniGameScore, 100);
    EXPECT_NE(Session().mLevelComplete, nullptr);
}

// ---------------------------------------------------------------------------------------
// The bear game

TEST_F(MiniGameTest, TheTurningCannonsPreviewFollowsTheShotsParabolaWhileNoShotFlies)
{
    ASSERT_NO_FATAL_FAILURE(StartMiniGameOf(2));
    ASSERT_NE(Game().mTurningCannon, nullptr);
    CannonEntity& cannon = *Game().mTurningCannon;
    EXPECT_EQ(Game().mShots, 10);

    struct Aim {
        int mMouseX;
        double mDegrees;
    };
    // 128 and less aims flat, 672 and more at 80 degrees; left of the cannon (x 35) and
    // beyond the screen the aim stays.
    const Aim aims[] = {{128, 0.0}, {400, 40.0}, {700, 80.0}, {20, 80.0}, {60, 0.0}, {801, 0.0}, {264, 20.0}};
    for (const Aim& aim : aims) {
        SCOPED_TRACE(aim.mMouseX);
        MoveMouseTo(aim.mMouseX);
        RunFrames(1);
        const Vec3 p = cannon.GetBodyPlacement();
        EXPECT_NEAR(p.angle, Radians(aim.mDegrees), 1e-5);
        ASSERT_EQ(Game().mAimPoints.size(), 6u);
        const double a = Radians(80.0) - p.angle;
        const double horizontal = 4.7 * std::cos(a);
        for (int i = 0; i < 6; ++i) {
            const double d = 75.0 * i;
            const double rise = d * std::tan(a) - 0.05 * d * d / (2.0 * horizontal * horizontal);
            EXPECT_NEAR(Game().mAimPoints[i].x, p.x + d, 1e-3) << i;
            EXPECT_NEAR(Game().mAimPoints[i].y, p.y - rise, 1e-2 * std::max(1.0, std::fabs(rise) / 100.0)) << i;
        }
    }

    // Five ghost shots beyond the cannon, fading by 21.
    RecordingScreen screen(800, 600);
    Zest::Graphics g(&screen);
    Game().DrawOverlay(&g);
    std::vector<Blit> ghosts;
    for (const Blit& blit : screen.Of(IMAGE_MINI_GAME_FISH)) {
        if (blit.mAngle == 0.0)
            ghosts.push_back(blit);
    }
    ASSERT_EQ(ghosts.size(), 5u);
    for (size_t i = 0; i < ghosts.size(); ++i) {
        EXPECT_EQ(ghosts[i].mColor.mAlpha, 119 - 21 * static_cast<int>(i)) << i;
        EXPECT_NEAR(ghosts[i].mX, Game().mAimPoints[i + 1].x - 8.0f, 1e-3) << i;
        EXPECT_NEAR(ghosts[i].mY, Game().mAimPoints[i + 1].y - 8.0f, 1e-3) << i;
    }

    // None while a fish flies; back once it has left the field; none outside play. Thrown
    // steeply, the fish falls out of the field far from the bear.
    ClickAt(128, 300);
    EXPECT_EQ(Game().mShots, 9);
    RunFrames(1);
    EXPECT_TRUE(Game().mAimPoints.empty());
    for (int frame = 0; frame < 600 && Game().CountAmmo() > 0; ++frame)
        RunFrames(1);
    EXPECT_EQ(Game().CountAmmo(), 0) << "the fish never left the field";
    RunFrames(1);
    EXPECT_EQ(Game().mAimPoints.size(), 6u);
    Game().mState = MiniGameWidget::ALL_WAVES_DONE;
    RunFrames(1);
    EXPECT_TRUE(Game().mAimPoints.empty());
}

// Each wave's bears replace the last one's, with ten fish per bear; a fish in an open mouth
// counts, and only all 60 earn the bonus.
TEST_F(MiniGameTest, TheBearGameCountsFedFishAndPaysTheBonusOnlyForAllSixty)
{
    struct Case {
        int32_t mFed;
        bool mBonus;
    };
    for (const Case& c : {Case{60, true}, Case{59, false}}) {
        SCOPED_TRACE(c.mFed);
        ASSERT_NO_FATAL_FAILURE(StartMiniGameOf(2));
        const int32_t score = Session().mScore;
        const int32_t faultless = Session().mStats->mFaultlessMiniGames;
        std::vector<BearEntity*> bears = EntitiesOf<BearEntity>();
        ASSERT_EQ(bears.size(), 1u);
        BearEntity* const first = bears.front();
        EXPECT_EQ(first->mClosedImage, IMAGE_MINI_GAME_BEAR_CLOSED);

        // A fish in the open mouth is eaten: 100 points, and it goes after the pass.
        first->mMouthOpen = 1;
        ClickAt(400, 300);
        ASSERT_EQ(Game().CountAmmo(), 1);
        for (xPhysicsPrimitiveEntity* const shot : EntitiesOf<xPhysicsPrimitiveEntity>()) {
            if (dynamic_cast<SpiderEntity*>(shot) == nullptr)
                shot->setAbsPlacement(first->mMouthShape->absPlacement());
        }
        RunFrames(1);
        EXPECT_EQ(Game().mFedBears, 1);
        EXPECT_EQ(Game().mScore, 100);
        EXPECT_EQ(Game().CountAmmo(), 0);

        ThrowAllFish();
        EXPECT_EQ(Game().mState, MiniGameWidget::NEXT_WAVE);
        RunFrames(1);
        bears = EntitiesOf<BearEntity>();
        EXPECT_EQ(bears.size(), 2u);
        EXPECT_EQ(std::count(bears.begin(), bears.end(), first), 0);
        EXPECT_EQ(Game().mShots, 20);

        ThrowAllFish();
        RunFrames(1);
        EXPECT_EQ(EntitiesOf<BearEntity>().size(), 3u);
        EXPECT_EQ(Game().mShots, 30);

        Game().mFedBears = c.mFed;
        ThrowAllFish();
        ASSERT_EQ(Game().mState, MiniGameWidget::ALL_WAVES_DONE);
        RunFrames(101);
        EXPECT_EQ(Session().mScore, c.mBonus ? score + 100000 : score);
        EXPECT_EQ(Session().mStats->mFaultlessMiniGames, c.mBonus ? faultless + 1 : faultless);
        RunFrames(101);
        ASSERT_EQ(Game().mState, MiniGameWidget::AWAIT_DONE);
        EXPECT_STREQ(Game().GetFinishTextKey(2), "MINIGAME_FINISHED_SUCCESS_BEARS");
        EXPECT_TRUE(Session().mEntities.empty());
        EXPECT_EQ(CountEngineObjects(), mBaseline);
        EndSession();
    }
}

// ---------------------------------------------------------------------------------------
// The application's end

// The window closed while spiders hang and a shot flies: the session goes first, the screen
// after it, and neither reaches the other or the world once gone.
TEST_F(MiniGameTest, TheApplicationClosedDuringTheSpiderGameEndsCleanly)
{
    ASSERT_NO_FATAL_FAILURE(StartMiniGameOf(0));
    ClickAt(400, 300);
    RunFrames(5);
    ASSERT_GT(Session().mEntities.size(), 8u);
    mApp.reset();
    EXPECT_EQ(XtremaPHX2D::g_ptrSDK, nullptr);
}

// However the deletions are ordered, a screen deleted after its session has gone leaves the
// session's memory and the world alone.
TEST_F(MiniGameTest, AScreenDeletedAfterItsSessionTouchesNothingOfIt)
{
    ASSERT_NO_FATAL_FAILURE(StartMiniGameOf(0));
    RunFrames(2);
    MiniGameWidget* const game = Session().mMiniGame;
    Session().mMiniGame = nullptr;
    EndSession();
    EXPECT_EQ(mApp->GetGameSession(), nullptr);
    const EngineCounts withoutSession = CountEngineObjects();
    mApp->mWidgetManager->RemoveWidget(game);
    delete game;
    EXPECT_EQ(CountEngineObjects(), withoutSession);
}

} // namespace
} // namespace Tests
