// Stage events in a running game: the roll after a chain, the launch of the carrier with its
// remedy and target checks, the delivery at the frame rates the game runs at, and the
// application's end while a carrier swings.

#include "framework/app/common/RuntimeRandom.h"
#include "framework/widgets/WidgetManager.h"
#include "game/Creature.h"
#include "game/GameRandom.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/Stage.h"
#include "game/physics/entities/FeatureCarrier.h"
#include "game/play/PlayHost.h"
#include "platform/physics/XtremaPhysics.h"
#include "tests/game/play/PlayFixture.h"
#include "tests/game/play/PlayRecorders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace Tests {
namespace {

// The two draws of the runtime's generator that a roll makes after seeding it.
struct RollDraws {
    int32_t mPick;
    int32_t mPercent;
};

RollDraws DrawsAfterSeed(const uint32_t seed)
{
    Zest::SRand(seed);
    const int32_t pick = Zest::Rand();
    return {pick, Zest::Rand() % 100};
}

TEST(StageEventRollTest, AnEventFiresExactlyOnThePercentDrawsOfItsChance)
{
    struct ChanceCase {
        int32_t mChance;
        // The lowest percent draw that fires.
        int32_t mFiresFrom;
    };
    for (const ChanceCase& chance : {ChanceCase{15, 85}, ChanceCase{0, 100}, ChanceCase{100, 0}}) {
        SCOPED_TRACE(chance.mChance);
        Stage stage;
        stage.AddEvent(EVENT_BANANAS, chance.mChance);
        std::array<bool, 100> seen{};
        for (uint32_t seed = 0; seed < 5000 && std::count(seen.begin(), seen.end(), true) < 100; ++seed) {
            const RollDraws draws = DrawsAfterSeed(seed);
            seen[draws.mPercent] = true;
            Zest::SRand(seed);
            int32_t state = STATE_PLAY;
            int32_t event = EVENT_SPIDER_WEB;
            stage.RollEvent(state, event);
            const bool fires = draws.mPercent >= chance.mFiresFrom;
            ASSERT_EQ(state, fires ? STATE_EVENT_WAIT : STATE_PLAY) << "draw " << draws.mPercent;
            ASSERT_EQ(event, fires ? EVENT_BANANAS : -1) << "draw " << draws.mPercent;
        }
        ASSERT_EQ(std::count(seen.begin(), seen.end(), true), 100) << "not every percent draw was tried";
    }
}

TEST(StageEventRollTest, TheFirstDrawPicksTheEvent)
{
    Stage stage;
    stage.AddEvent(EVENT_SPIDER_WEB, 100);
    stage.AddEvent(EVENT_BANANAS, 100);
    for (uint32_t seed = 0; seed < 20; ++seed) {
        const RollDraws draws = DrawsAfterSeed(seed);
        Zest::SRand(seed);
        int32_t state = STATE_PLAY;
        int32_t event = -1;
        stage.RollEvent(state, event);
        EXPECT_EQ(state, STATE_EVENT_WAIT);
        EXPECT_EQ(event, stage.mEventKinds[draws.mPick % 2]) << "seed " << seed;
    }
}

TEST(StageEventRollTest, OnlyPlayRollsAndAStageWithoutEventsFiresNothing)
{
    Stage withEvent;
    withEvent.AddEvent(EVENT_SPIDER_WEB, 100);
    struct RollCase {
        const char* mName;
        const Stage* mStage;
        int32_t mState;
        int32_t mStateAfter;
        int32_t mEventAfter;
    };
    const Stage without;
    const RollCase cases[] = {
        {"no events, in play", &without, STATE_PLAY, STATE_PLAY, -1},
        {"survivor intro", &withEvent, STATE_SURVIVOR_INTRO, STATE_SURVIVOR_INTRO, EVENT_BANANAS},
        {"event running", &withEvent, STATE_EVENT_RUNNING, STATE_EVENT_RUNNING, EVENT_BANANAS},
    };
    for (const RollCase& roll : cases) {
        Zest::SRand(3);
        int32_t state = roll.mState;
        int32_t event = EVENT_BANANAS;
        roll.mStage->RollEvent(state, event);
        EXPECT_EQ(state, roll.mStateAfter) << roll.mName;
        EXPECT_EQ(event, roll.mEventAfter) << roll.mName;
    }
}

class SessionEventsTest : public PlayFixture {
protected:
    void SetUp() override
    {
        PlayFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(StartPlay(0, [](GameSession& session) {
            Zest::SRand(11);
            session.mHost.GetGameRandom().Seed(11);
        }));
        ASSERT_GE(RunUntilIdle(), 0) << "the board never settled";
        ASSERT_EQ(Session().mState, STATE_PLAY);
        // The habitat's first stage deals no items: no remedy lies on the board.
        ASSERT_EQ(Board().CountTorchTiles(), 0);
        ASSERT_EQ(Board().CountWaterTiles(), 0);
        mSounds = std::make_unique<SoundLog>(GetMenuServices());
        SetMenuServices(mSounds.get());
    }

    void TearDown() override
    {
        SetMenuServices(nullptr);
        PlayFixture::TearDown();
    }

    // Drawn frames as the main loop runs them: the fixed updates owed (one per frame and the
    // fraction's excess over one), then the physics step and the smooth update.
    void RunLoopFrames(const int count, const float fraction)
    {
        for (int frame = 0; frame < count; ++frame) {
            mOwedUpdates += fraction;
            for (; mOwedUpdates >= 1.0f; mOwedUpdates -= 1.0f) {
                mApp->TryFixedUpdate();
                mApp->DeleteDeferredWidgets();
            }
            mApp->RunSmoothUpdate(fraction);
            mApp->DeleteDeferredWidgets();
        }
    }

    FeatureCarrier* Carrier()
    {
        for (xSharkEntity* const entity : Session().mEntities) {
            if (auto* const carrier = dynamic_cast<FeatureCarrier*>(entity))
                return carrier;
        }
        return nullptr;
    }

    // Seeds the game's generator so that the first cell a launch draws holds a free tile in
    // that half of the screen (centre x above 515, or not).
    BoardTile* AimAt(const bool rightHalf)
    {
        for (uint32_t seed = 1; seed < 1000; ++seed) {
            GameRandom copy(seed);
            BoardTile* const tile = Board().TileAtIndex(static_cast<int32_t>(copy.Next(GameBoard::kCells - 1)));
            if (tile == nullptr || !tile->IsPlain() || tile->mState != TILE_IDLE)
                continue;
            if ((tile->GetCenter().first > 515.0f) == rightHalf) {
                Session().mHost.GetGameRandom().Seed(seed);
                return tile;
            }
        }
        return nullptr;
    }

    // A fired event, taken up on the next frame.
    void FireEvent(const int32_t kind)
    {
        Session().mEvent = kind;
        Session().mState = STATE_EVENT_WAIT;
    }

    int CountSound(const int soundId) const
    {
        return static_cast<int>(std::count(mSounds->mSounds.begin(), mSounds->mSounds.end(), soundId));
    }

    PlayerProfile& Profile() { return *mApp->GetCurrentProfile(); }

    std::unique_ptr<SoundLog> mSounds;
    float mOwedUpdates = 0.0f;
};

TEST_F(SessionEventsTest, AChainInPlayRollsTheStageEventUnlessTheBoardOrTheGameForbidsIt)
{
    struct ChainCase {
        const char* mName;
        bool mSurvivor;
        bool mItemInBottomRow;
        int32_t mState;
    };
    const ChainCase cases[] = {
        {"plain play", false, false, STATE_EVENT_WAIT},
        {"an item in the bottom row", false, true, STATE_PLAY},
        {"the survivor game", true, false, STATE_PLAY},
    };
    for (const ChainCase& chain : cases) {
        SCOPED_TRACE(chain.mName);
        // Each case on a fresh level of its own.
        if (&chain != &cases[0]) {
            ASSERT_NO_FATAL_FAILURE(StartLevelOf(0));
            ASSERT_GE(RunUntilIdle(), 0);
        }
        Session().mStage.AddEvent(EVENT_BANANAS, 100);
        Session().mSurvivorOn = chain.mSurvivor;
        Session().mEvent = EVENT_SPIDER_WEB;
        if (chain.mItemInBottomRow)
            Board().GetTile(5, GameBoard::kRows - 1)->mLevel = Creature::LEVEL_ITEM;
        Board().mChain = {Board().GetTile(0, 0), Board().GetTile(1, 0), Board().GetTile(2, 0)};
        Session().ProcessSelection(false, false, true);
        EXPECT_EQ(Session().mState, chain.mState);
        EXPECT_EQ(Session().mEvent, chain.mState == STATE_EVENT_WAIT ? EVENT_BANANAS : EVENT_SPIDER_WEB);
        Session().mSurvivorOn = false;
        EndSession();
    }
}

TEST_F(SessionEventsTest, AnEventWithoutItsRemedyAnywhereEndsAtOnce)
{
    struct RemedyCase {
        const char* mName;
        int32_t mKind;
        int32_t mTorches;
        int32_t mWater;
        bool mLaunches;
    };
    const RemedyCase cases[] = {
        {"a web without torches, with water", EVENT_SPIDER_WEB, 0, 30, false},
        {"bananas without water, with torches", EVENT_BANANAS, 30, 0, false},
        {"a web with torches", EVENT_SPIDER_WEB, 3, 0, true},
        {"bananas with water", EVENT_BANANAS, 0, 3, true},
    };
    for (const RemedyCase& remedy : cases) {
        SCOPED_TRACE(remedy.mName);
        Profile().mTorches = remedy.mTorches;
        Profile().mWater = remedy.mWater;
        mSounds->mSounds.clear();
        FireEvent(remedy.mKind);
        RunLoopFrames(1, 1.0f);
        FeatureCarrier* const carrier = Carrier();
        if (!remedy.mLaunches) {
            EXPECT_EQ(Session().mState, STATE_PLAY);
            EXPECT_EQ(carrier, nullptr);
            EXPECT_EQ(CountSound(SOUND_SWING), 0);
            continue;
        }
        EXPECT_EQ(Session().mState, STATE_EVENT_RUNNING);
        ASSERT_NE(carrier, nullptr);
        EXPECT_EQ(carrier->GetKind(), remedy.mKind);
        EXPECT_TRUE(mApp->mWidgetManager->HasWidget(carrier));
        EXPECT_EQ(CountSound(SOUND_SWING), 1);
        // Taken away as the game does when the carrier is done.
        Session().OnCarrierDone(carrier);
        RunLoopFrames(1, 1.0f);
        EXPECT_EQ(Session().mState, STATE_PLAY);
        EXPECT_EQ(Carrier(), nullptr);
        ASSERT_GE(RunUntilIdle(), 0);
    }
}

TEST_F(SessionEventsTest, ABoardWithoutAFreeCreatureTileEndsTheLaunchAfter36Tries)
{
    Profile().mTorches = 3;
    // Every tile locked, busy or an item, in turn.
    for (int32_t cell = 0; cell < GameBoard::kCells; ++cell) {
        BoardTile* const tile = Board().TileAtIndex(cell);
        ASSERT_NE(tile, nullptr);
        if (cell % 3 == 0)
            tile->mLock = LOCK_CAGE;
        else if (cell % 3 == 1)
            tile->mState = TILE_FALLING;
        else
            tile->mLevel = Creature::LEVEL_ITEM;
    }
    GameRandom expected = Session().mHost.GetGameRandom();
    for (int tries = 0; tries < 36; ++tries)
        expected.Next(GameBoard::kCells - 1);

    Session().mState = STATE_EVENT_RUNNING;
    Session().StartLevelEvent(EVENT_SPIDER_WEB);
    EXPECT_EQ(Session().mState, STATE_PLAY);
    EXPECT_EQ(Carrier(), nullptr);
    EXPECT_EQ(Session().mHost.GetGameRandom().GetState(), expected.GetState()) << "36 cells drawn, no more";
}

TEST_F(SessionEventsTest, TheCarrierLocksItsTileInTimeFromEitherSideAtTheGamesFrameRates)
{
    struct DeliveryCase {
        const char* mName;
        float mFraction;
        bool mRightHalf;
    };
    const DeliveryCase cases[] = {
        {"right half, 100 frames a second", 1.0f, true},
        {"right half, 60 frames a second", 1.667f, true},
        {"left half, 100 frames a second", 1.0f, false},
        {"left half, 60 frames a second", 1.667f, false},
    };
    Profile().mTorches = 3;
    for (const DeliveryCase& delivery : cases) {
        SCOPED_TRACE(delivery.mName);
        BoardTile* const target = AimAt(delivery.mRightHalf);
        ASSERT_NE(target, nullptr);
        FireEvent(EVENT_SPIDER_WEB);
        RunLoopFrames(1, delivery.mFraction);
        ASSERT_EQ(Session().mState, STATE_EVENT_RUNNING);
        FeatureCarrier* const carrier = Carrier();
        ASSERT_NE(carrier, nullptr);
        EXPECT_EQ(carrier->GetTargetTile(), target);
        // A tile right of the middle gets its carrier from the left.
        EXPECT_EQ(carrier->GetSide(), delivery.mRightHalf ? SIDE_LEFT : SIDE_RIGHT);

        int32_t dropTime = -1;
        for (int frame = 0; frame < 1000 && Session().mState == STATE_EVENT_RUNNING; ++frame) {
            dropTime = carrier->GetDropTime();
            ASSERT_GE(carrier->GetAlpha(), 0);
            ASSERT_LE(carrier->GetAlpha(), 255);
            RunLoopFrames(1, delivery.mFraction);
            // The world runs at half its step while the carrier delivers.
            if (Session().mState == STATE_EVENT_RUNNING) {
                ASSERT_FLOAT_EQ(mApp->mPhysicsStep, delivery.mFraction / 2.0f);
            }
        }
        EXPECT_GT(dropTime, 0);
        EXPECT_LE(dropTime, FeatureCarrier::kSwingUpdates);
        EXPECT_EQ(target->mLock, LOCK_SPIDER_WEB);
        // The carrier ended the event and the session destroyed it in the same frame.
        EXPECT_EQ(Session().mState, STATE_PLAY);
        EXPECT_EQ(Carrier(), nullptr);
        EXPECT_TRUE(Session().mRemovalQueue.empty());
        RunLoopFrames(1, delivery.mFraction);
        EXPECT_FLOAT_EQ(mApp->mPhysicsStep, delivery.mFraction);
        ASSERT_GE(RunUntilIdle(), 0);
    }
}

TEST_F(SessionEventsTest, TheApplicationEndsCleanlyWhileACarrierSwings)
{
    Profile().mTorches = 3;
    FireEvent(EVENT_SPIDER_WEB);
    RunLoopFrames(30, 1.667f);
    ASSERT_EQ(Session().mState, STATE_EVENT_RUNNING);
    ASSERT_NE(Carrier(), nullptr);
    SetMenuServices(nullptr);
    mApp.reset();
    EXPECT_EQ(XtremaPHX2D::g_ptrSDK, nullptr);
}

} // namespace
} // namespace Tests
