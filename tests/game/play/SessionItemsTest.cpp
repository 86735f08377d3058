// The power items in a running game: arming and disarming with the pointer's picture, the
// shuffle, the stock in the profile, the item tiles a chain collects, an armed torch used on
// a web through a click with the fireballs that burn it, and the survivor game's end of a
// stage.

#include "framework/app/common/RuntimeRandom.h"
#include "framework/widgets/WidgetManager.h"
#include "game/Creature.h"
#include "game/GameRandom.h"
#include "game/GameStats.h"
#include "game/Habitat.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/play/PlayHost.h"
#include "game/screens/MenuItem.h"
#include "tests/game/play/PlayFixture.h"
#include "tests/game/play/PlayRecorders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <string>

namespace Tests {
namespace {

constexpr int32_t kNoItem = -1;
constexpr int32_t kTorch = 0;
constexpr int32_t kWater = 1;
constexpr int32_t kFireballCount = 5;
// Frames a fireball takes to reach its point, and the corner of its picture from its centre.
constexpr int kBurstFrames = 128;
constexpr float kFireballHalfWidth = 86.0f;
constexpr float kFireballHalfHeight = 43.0f;

struct Stock {
    int32_t torches;
    int32_t water;
    int32_t shuffles;

    bool operator==(const Stock&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Stock& stock)
{
    return out << "{" << stock.torches << ", " << stock.water << ", " << stock.shuffles << "}";
}

class SessionItemsTest : public PlayFixture {
protected:
    void SetUp() override
    {
        PlayFixture::SetUp();
        // Both generators seeded before the deal, so every run deals alike.
        ASSERT_NO_FATAL_FAILURE(StartPlay(0, [](GameSession& session) {
            Zest::SRand(7);
            session.mHost.GetGameRandom().Seed(7);
        }));
        ASSERT_GE(RunUntilIdle(), 0) << "the board never settled";
        ASSERT_EQ(Session().mState, STATE_PLAY);
        // The habitat's first stage has no items.
        Session().mStage.mPowerItems = Stage::POWER_ITEMS_ON;
        mSounds = std::make_unique<SoundLog>(GetMenuServices());
        SetMenuServices(mSounds.get());
    }

    void TearDown() override
    {
        SetMenuServices(nullptr);
        PlayFixture::TearDown();
    }

    PlayerProfile& Profile() { return *mApp->GetCurrentProfile(); }
    Stock CurrentStock() { return {Profile().mTorches, Profile().mWater, Profile().mShuffles}; }
    Zest::Image* Pointer() const { return mApp->mCursorImages[Zest::CURSOR_POINTER]; }

    Creature* Find(const std::string& name)
    {
        Creature* const creature = Session().mHabitat->FindCreature(name);
        EXPECT_NE(creature, nullptr) << name;
        return creature;
    }

    // A chain of the one tile at (2, 2), showing the creature, handed to the session as
    // selection processing hands item tiles over.
    void Collect(Creature* const creature)
    {
        BoardTile* const tile = Board().GetTile(2, 2);
        ASSERT_NE(tile, nullptr);
        tile->mCreature = creature;
        tile->mLevel = creature->mLevel;
        Board().mChain = {tile};
        Session().CollectItemTile(tile);
        Board().mChain.clear();
    }

    // A press and release on the tile's centre through the widget manager.
    void ClickTile(const BoardTile& tile)
    {
        const auto [x, y] = tile.GetCenter();
        mApp->mWidgetManager->MouseMove(static_cast<int>(x), static_cast<int>(y));
        mApp->mWidgetManager->MouseDown(static_cast<int>(x), static_cast<int>(y), 1);
        mApp->mWidgetManager->MouseUp(static_cast<int>(x), static_cast<int>(y), 1);
    }

    std::unique_ptr<SoundLog> mSounds;
};

TEST_F(SessionItemsTest, ArmingShufflingAndItemTilesFollowTheStockTheStageAndTheSituation)
{
    GameSession& session = Session();
    const struct {
        const char* what;
        // Run after the session is back in play, nothing armed, a stock of 5 of each, a
        // stage that allows items, in food chain mode on an idle board.
        std::function<void()> act;
        int32_t armed;
        Stock stock;
        int32_t points;
        // The rising popup of the points; null for none.
        Zest::Image* popup;
        bool shuffled;
        bool flashed;
    } cases[] = {
        {"five torches arm the torch", [&] { session.ArmTorch(); }, kTorch, {5, 5, 5}, 0, nullptr, false, false},
        {"the water arms", [&] { session.ArmWater(); }, kWater, {5, 5, 5}, 0, nullptr, false, false},
        {"after one use two torches are left and the button does nothing",
         [&] {
             session.ArmTorch();
             session.SpendArmedItem();
             session.DisarmItem();
             session.ArmTorch();
         },
         kNoItem, {2, 5, 5}, 0, nullptr, false, false},
        {"a used water leaves the torches alone",
         [&] {
             session.ArmWater();
             session.SpendArmedItem();
         },
         kWater, {5, 2, 5}, 0, nullptr, false, false},
        {"a second press of the torch disarms it",
         [&] {
             session.ArmTorch();
             session.ArmTorch();
         },
         kNoItem, {5, 5, 5}, 0, nullptr, false, false},
        {"the torch pressed while the water is armed only disarms",
         [&] {
             session.ArmWater();
             session.ArmTorch();
         },
         kNoItem, {5, 5, 5}, 0, nullptr, false, false},
        {"nothing is armed outside play",
         [&] {
             session.mState = STATE_WEB_BURST;
             session.ArmTorch();
         },
         kNoItem, {5, 5, 5}, 0, nullptr, false, false},
        {"a shuffle from the stock", [&] { session.UseShuffle(); }, kNoItem, {5, 5, 2}, 0, nullptr, true, false},
        {"a shuffle disarms and shuffles",
         [&] {
             session.ArmTorch();
             session.UseShuffle();
         },
         kNoItem, {5, 5, 2}, 0, nullptr, true, false},
        {"the shuffle disarms outside play",
         [&] {
             session.ArmTorch();
             session.mState = STATE_WEB_BURST;
             session.UseShuffle();
         },
         kNoItem, {5, 5, 5}, 0, nullptr, false, false},
        {"the shuffle disarms while the board moves",
         [&] {
             session.ArmTorch();
             Board().mPhase = PHASE_SETTLE;
             session.UseShuffle();
         },
         kNoItem, {5, 5, 5}, 0, nullptr, false, false},
        {"the shuffle disarms with two shuffles",
         [&] {
             Profile().mShuffles = 2;
             session.ArmTorch();
             session.UseShuffle();
         },
         kNoItem, {5, 5, 2}, 0, nullptr, false, false},
        {"match search arms nothing",
         [&] {
             SetMode(MODE_MATCH_SEARCH);
             session.ArmTorch();
             session.ArmWater();
         },
         kNoItem, {5, 5, 5}, 0, nullptr, false, false},
        {"match search does not shuffle",
         [&] {
             SetMode(MODE_MATCH_SEARCH);
             session.UseShuffle();
         },
         kNoItem, {5, 5, 5}, 0, nullptr, false, false},
        {"the survivor game arms nothing",
         [&] {
             session.mSurvivorOn = true;
             session.ArmTorch();
             session.ArmWater();
         },
         kNoItem, {5, 5, 5}, 0, nullptr, false, false},
        {"the survivor game neither shuffles nor disarms",
         [&] {
             session.ArmTorch();
             session.mSurvivorOn = true;
             session.UseShuffle();
             session.ArmTorch();
         },
         kTorch, {5, 5, 5}, 0, nullptr, false, false},
        {"a stage without items arms nothing",
         [&] {
             session.mStage.mPowerItems = Stage::POWER_ITEMS_OFF;
             session.ArmTorch();
             session.ArmWater();
         },
         kNoItem, {5, 5, 5}, 0, nullptr, false, false},
        {"a stage without items takes no new stock",
         [&] {
             session.mStage.mPowerItems = Stage::POWER_ITEMS_OFF;
             session.AddTorches();
             session.AddWater();
             session.AddShuffles();
         },
         kNoItem, {5, 5, 5}, 0, nullptr, false, false},
        {"a stage without items still shuffles from the stock",
         [&] {
             session.mStage.mPowerItems = Stage::POWER_ITEMS_OFF;
             session.UseShuffle();
         },
         kNoItem, {5, 5, 2}, 0, nullptr, true, false},
        {"a torch tile", [&] { Collect(Find("torch")); }, kNoItem, {8, 5, 5}, 500, IMAGE_GAME_PNT_500, false, true},
        {"a water tile", [&] { Collect(Find("water")); }, kNoItem, {5, 8, 5}, 500, IMAGE_GAME_PNT_500, false, true},
        {"a shuffle tile", [&] { Collect(Find("shuffle")); }, kNoItem, {5, 5, 8}, 500, IMAGE_GAME_PNT_500, false,
         true},
        {"a torch tile in a stage without items pays only",
         [&] {
             session.mStage.mPowerItems = Stage::POWER_ITEMS_OFF;
             Collect(Find("torch"));
         },
         kNoItem, {5, 5, 5}, 500, IMAGE_GAME_PNT_500, false, false},
        {"the hunter pays 900 and brings no stock", [&] { Collect(Find("hunter")); }, kNoItem, {5, 5, 5}, 900,
         IMAGE_GAME_PNT_900, false, false},
        {"a creature brings nothing", [&] { Collect(Nth(0)); }, kNoItem, {5, 5, 5}, 0, nullptr, false, false},
    };
    const int32_t itemRule = session.mStage.mPowerItems;
    const int32_t mode = session.mMode;
    for (const auto& [what, act, armed, stock, points, popup, shuffled, flashed] : cases) {
        session.DisarmItem();
        session.mState = STATE_PLAY;
        session.mSurvivorOn = false;
        session.mStage.mPowerItems = itemRule;
        SetMode(mode);
        Board().mPhase = PHASE_IDLE;
        Profile().mTorches = 5;
        Profile().mWater = 5;
        Profile().mShuffles = 5;
        for (AnimatedWidget* const flash : {&session.mTorchFlash, &session.mWaterFlash, &session.mShuffleFlash})
            flash->mStatus = ANIM_READY;
        session.mFloatingImages.clear();
        mSounds->mSounds.clear();
        const int32_t scoreBefore = session.mScore;

        act();

        EXPECT_EQ(session.mArmedItem, armed) << what;
        EXPECT_EQ(session.mItemArmed, armed != kNoItem) << what;
        Zest::Image* const pointer = armed == kTorch   ? IMAGE_GAME_TORCH_CURSOR
                                     : armed == kWater ? IMAGE_GAME_BUCKET
                                                       : IMAGE_CUSTOM_POINTER;
        EXPECT_EQ(Pointer(), pointer) << what;
        EXPECT_EQ(CurrentStock(), stock) << what;
        EXPECT_EQ(session.mScore - scoreBefore, points) << what;
        if (popup == nullptr) {
            EXPECT_TRUE(session.mFloatingImages.empty()) << what;
        } else {
            ASSERT_EQ(session.mFloatingImages.size(), 1u) << what;
            EXPECT_EQ(session.mFloatingImages.front()->mImage, popup) << what;
            EXPECT_EQ(session.mFloatingImages.front()->mKind, FLOAT_RISE) << what;
        }
        EXPECT_EQ(Board().mPhase == PHASE_SHUFFLE_START, shuffled) << what;
        EXPECT_EQ(std::count(mSounds->mSounds.begin(), mSounds->mSounds.end(), SOUND_SHUFFLE), shuffled ? 1 : 0)
            << what;
        const bool anyFlash = session.mTorchFlash.mStatus == ANIM_RUNNING ||
                              session.mWaterFlash.mStatus == ANIM_RUNNING ||
                              session.mShuffleFlash.mStatus == ANIM_RUNNING;
        EXPECT_EQ(anyFlash, flashed) << what;
    }
    session.mState = STATE_PLAY;
    session.mSurvivorOn = false;
    Board().mPhase = PHASE_IDLE;
}

// The torch is armed from its hot spot and a click on a webbed tile spends it: the web
// burns once the fireballs arrive and play goes on.
TEST_F(SessionItemsTest, AnArmedTorchClickedOnAWebIsSpentAndBurnsTheWeb)
{
    GameSession& session = Session();
    Board().mFrameShape = GameBoard::kNoFrame;
    Profile().mTorches = 5;
    ASSERT_NE(session.mTorchButton, nullptr);
    Click(*session.mTorchButton);
    ASSERT_EQ(session.mArmedItem, kTorch);
    ASSERT_EQ(Pointer(), IMAGE_GAME_TORCH_CURSOR);

    BoardTile* const tile = Board().GetTile(2, 2);
    ASSERT_NE(tile, nullptr);
    tile->SetLock(LOCK_SPIDER_WEB);
    const int32_t websBefore = session.mStats->mWebsBurnt;
    ClickTile(*tile);

    EXPECT_EQ(Profile().mTorches, 2);
    EXPECT_FALSE(session.mItemArmed);
    EXPECT_EQ(session.mArmedItem, kNoItem);
    EXPECT_EQ(Pointer(), IMAGE_CUSTOM_POINTER);
    EXPECT_EQ(tile->mLock, LOCK_NONE);
    EXPECT_EQ(session.mState, STATE_WEB_BURST);
    EXPECT_EQ(session.GetEffectStatus(), ANIM_RUNNING);

    int frames = 0;
    while (session.mState != STATE_PLAY && frames < 1000) {
        RunFrames(1);
        ++frames;
    }
    EXPECT_EQ(session.mState, STATE_PLAY) << "the burst never ended";
    EXPECT_GE(frames, kBurstFrames);
    EXPECT_EQ(session.mStats->mWebsBurnt, websBefore + 1);
    EXPECT_EQ(session.GetEffectStatus(), ANIM_FINISHED);
}

// Each fireball starts 600 pixels out and lands on the point after 128 steps; each start is
// 30 to 99 degrees past the one before, wrapping at 350.
TEST_F(SessionItemsTest, TheWebBurstsFireballsConvergeOnThePointFromSpreadAngles)
{
    GameSession& session = Session();
    const float pointX = 400.0f;
    const float pointY = 250.0f;
    bool wrapped = false;
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        Zest::SRand(seed);
        session.StartWebBurst(pointX, pointY);
        EXPECT_EQ(session.mState, STATE_WEB_BURST);
        EXPECT_EQ(session.mStateFrames, 0);
        EXPECT_EQ(session.mBurstStep, 0);
        ASSERT_EQ(session.mBurstPositions.size(), size_t{kFireballCount});
        ASSERT_EQ(session.mBurstVelocities.size(), size_t{kFireballCount});
        EXPECT_EQ(session.GetEffectStatus(), ANIM_RUNNING);
        EXPECT_EQ(session.GetEffectFrame(), 0);

        // The generator's numbers in the order the burst draws them.
        Zest::SRand(seed);
        int32_t expected = Zest::Rand() % 360;
        for (size_t i = 0; i < kFireballCount; ++i) {
            const auto [cornerX, cornerY] = session.mBurstPositions[i];
            const float offsetX = cornerX + kFireballHalfWidth - pointX;
            const float offsetY = cornerY + kFireballHalfHeight - pointY;
            EXPECT_NEAR(std::hypot(offsetX, offsetY), 600.0f, 0.01f) << "seed " << seed << ", fireball " << i;
            const double radians = std::atan2(offsetY, offsetX);
            int32_t degrees = static_cast<int32_t>(std::lround(radians * 180.0 / std::numbers::pi));
            if (degrees < 0)
                degrees += 360;
            EXPECT_EQ(degrees, expected) << "seed " << seed << ", fireball " << i;

            float x = cornerX;
            float y = cornerY;
            for (int step = 0; step < kBurstFrames; ++step) {
                x += session.mBurstVelocities[i].first;
                y += session.mBurstVelocities[i].second;
            }
            EXPECT_NEAR(x, pointX - kFireballHalfWidth, 0.01f) << "seed " << seed << ", fireball " << i;
            EXPECT_NEAR(y, pointY - kFireballHalfHeight, 0.01f) << "seed " << seed << ", fireball " << i;

            const AnimatedWidget& fireball = session.mFireballs[i];
            EXPECT_EQ(fireball.mStatus, ANIM_RUNNING);
            EXPECT_TRUE(fireball.mSpinning);
            EXPECT_EQ(fireball.mSpinSpeed, 0.0f) << "turned, not spinning";
            const double heading = std::atan2(-offsetX, -offsetY) - std::numbers::pi / 2;
            EXPECT_NEAR(fireball.mAngle, heading, 1e-3) << "seed " << seed << ", fireball " << i;

            const int32_t spread = 30 + Zest::Rand() % 70;
            expected += spread;
            if (expected > 350) {
                expected -= 350;
                wrapped = true;
            }
        }
    }
    EXPECT_TRUE(wrapped) << "no seed wrapped past 350";
    session.mState = STATE_PLAY;
}

TEST_F(SessionItemsTest, TheSurvivorGamesStageEndCreditsTheGoalsAndMovesOn)
{
    GameSession& session = Session();
    Habitat& habitat = *session.mHabitat;
    const int32_t stageCount = static_cast<int32_t>(habitat.mStages.size());
    ASSERT_GE(stageCount, 2);
    const int32_t collectedBefore = 10;

    // Outside play nothing happens.
    session.mState = STATE_WEB_BURST;
    session.AdvanceStage();
    EXPECT_EQ(session.mState, STATE_WEB_BURST);
    EXPECT_EQ(session.mStage.mIndex, 0);
    session.mState = STATE_PLAY;

    for (const bool last : {false, true}) {
        const char* const what = last ? "the last stage" : "a middle stage";
        if (last) {
            for (int32_t index = 0; index + 1 < stageCount; ++index)
                habitat.MarkStageDone(index);
            ASSERT_TRUE(habitat.StartNextStage(session.mStage));
            session.mMode = session.mStage.mMode;
            session.mState = STATE_PLAY;
            Board().mPhase = PHASE_IDLE;
        }
        const int32_t index = session.mStage.mIndex;
        int32_t remaining = 0;
        for (const StageGoal& goal : session.mStage.mGoals)
            remaining += std::max(goal.mCount, 0);
        ASSERT_GT(remaining, 0) << what;
        habitat.mCollectedGoals = collectedBefore;
        session.mStats->mStageChains = 4;
        session.mStats->mStageMoves = 3;
        session.mEffect.mStatus = ANIM_READY;
        session.mEffect2.mStatus = ANIM_READY;
        Board().mKeepPlates = true;
        Profile().mTorches = 3;
        session.mStage.mPowerItems = Stage::POWER_ITEMS_ON;
        session.ArmTorch();
        ASSERT_TRUE(session.mItemArmed) << what;

        session.AdvanceStage();

        EXPECT_EQ(habitat.mCollectedGoals, collectedBefore + remaining) << what;
        EXPECT_FALSE(habitat.mStages[static_cast<size_t>(index)].mPending) << what;
        EXPECT_EQ(session.mStats->mStageChains, 0) << what;
        EXPECT_EQ(session.mStats->mStageMoves, 0) << what;
        EXPECT_EQ(session.mEffect2.mStatus, ANIM_RUNNING) << what;
        EXPECT_FALSE(session.mItemArmed) << what;
        EXPECT_EQ(Pointer(), IMAGE_CUSTOM_POINTER) << what;
        if (!last) {
            EXPECT_EQ(session.mState, STATE_STAGE_CLEARED) << what;
            EXPECT_EQ(session.mStage.mIndex, index + 1) << what;
            EXPECT_EQ(session.mMode, habitat.mStages[static_cast<size_t>(index + 1)].mMode) << what;
            EXPECT_EQ(Profile().mStageIndex, index + 1) << what;
            EXPECT_TRUE(session.mRebuildBoard) << what;
            EXPECT_FALSE(Board().mKeepPlates) << what;
            EXPECT_EQ(Board().mPhase, PHASE_CLEAR_OUT) << what;
            // The next stage is dealt and played.
            ASSERT_GE(RunUntilIdle(), 0) << what;
            EXPECT_EQ(session.mState, STATE_PLAY) << what;
            EXPECT_EQ(session.mStage.mIndex, index + 1) << what;
        } else {
            EXPECT_EQ(session.mState, STATE_GOAL_COMPLETE) << what;
            EXPECT_FALSE(session.mRebuildBoard) << what;
            EXPECT_EQ(Board().mPhase, PHASE_SETTLE) << what;
            EXPECT_EQ(session.mEffect.mStatus, ANIM_RUNNING) << what;
        }
    }
}

} // namespace
} // namespace Tests
