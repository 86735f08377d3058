// The survivor game's end under the application: when the board counts as done, the tally's
// count-up, verdict and button, the points and the stage's end it leads to; and the session's
// entity removal queue.

#include "framework/widgets/WidgetManager.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/physics/PhysicsPrimitiveEntityDesc.h"
#include "game/physics/SharkEntity.h"
#include "game/screens/MenuItem.h"
#include "game/screens/MenuServices.h"
#include "game/screens/PanicGameTally.h"
#include "platform/physics/World.h"
#include "platform/physics/XtremaPhysics.h"
#include "tests/game/play/PlayFixture.h"
#include "tests/game/play/PlayRecorders.h"

#include <box2d/b2_world.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Tests {
namespace {

class SurvivorEndTest : public PlayFixture {
protected:
    void SetUp() override
    {
        PlayFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(StartIdleFirstLevel());
        mSounds = std::make_unique<SoundLog>(GetMenuServices());
        SetMenuServices(mSounds.get());
    }

    void TearDown() override
    {
        SetMenuServices(nullptr);
        PlayFixture::TearDown();
    }

    // Every creature tile of the board free and unflagged; the board's item tiles stay.
    std::vector<BoardTile*> ClearBoard()
    {
        Board().ResetCellLists();
        std::vector<BoardTile*> creatures;
        for (int32_t index = 0; index < GameBoard::kCells; ++index) {
            BoardTile* const tile = Board().TileAtIndex(index);
            if (tile == nullptr || tile->mLevel < 0)
                continue;
            tile->mInfected = false;
            tile->mTrapped = false;
            tile->mLock = LOCK_NONE;
            creatures.push_back(tile);
        }
        return creatures;
    }

    // A board whose first `saved` creatures have their cells flagged and whose next
    // `trapped` are trapped; the rest are infected.
    void SetUpBoard(const int32_t saved, const int32_t trapped)
    {
        std::vector<BoardTile*> creatures = ClearBoard();
        ASSERT_GE(static_cast<int32_t>(creatures.size()), saved + trapped);
        for (size_t i = 0; i < creatures.size(); ++i) {
            const auto at = static_cast<int32_t>(i);
            if (at < saved)
                Board().mRescuedCells[Board().IndexOf(creatures[i])] = true;
            else if (at < saved + trapped)
                creatures[i]->mTrapped = true;
            else
                creatures[i]->mInfected = true;
        }
    }

    // The survivor game running on a board in that state; one play frame opens the tally.
    PanicGameTally* OpenTally(const int32_t saved, const int32_t trapped)
    {
        SetUpBoard(saved, trapped);
        Session().mSurvivorOn = true;
        Session().mState = STATE_PLAY;
        RunFrames(1);
        EXPECT_FALSE(Session().mSurvivorOn);
        EXPECT_NE(Session().mSurvivorTally, nullptr);
        return Session().mSurvivorTally;
    }

    // Updates until the tally leaves `phase`; the updates it took, or -1 past `limit`.
    static int UpdatesInPhase(PanicGameTally& tally, const int32_t phase, const int limit = 2000)
    {
        for (int update = 1; update <= limit; ++update) {
            tally.Update();
            if (tally.mPhase != phase)
                return update;
        }
        return -1;
    }

    // Frames until the stage the survivor game ended has given way to the next one in play.
    void PlayNextStage()
    {
        for (int frame = 0; frame < 3000 && Session().mState != STATE_PLAY; ++frame)
            RunFrames(1);
        ASSERT_EQ(Session().mState, STATE_PLAY);
        ASSERT_GE(RunUntilIdle(), 0) << "the next stage never settled";
    }

    int CountSounds(const int sound) const
    {
        return static_cast<int>(std::count(mSounds->mSounds.begin(), mSounds->mSounds.end(), sound));
    }

    std::unique_ptr<SoundLog> mSounds;
};

TEST_F(SurvivorEndTest, TheBoardIsDoneOnceEveryFreeCreatureIsFlagged)
{
    struct Case {
        const char* mWhat;
        // Changes the first creature tile of a board whose other creatures are all flagged.
        std::function<void(BoardTile&)> mChange;
        bool mDone;
    };
    const std::vector<Case> cases = {
        {"every creature flagged", [this](BoardTile& t) { Board().mRescuedCells[Board().IndexOf(&t)] = true; }, true},
        {"a free creature unflagged", [](BoardTile&) {}, false},
        {"an infected creature unflagged", [](BoardTile& t) { t.mInfected = true; }, true},
        {"a trapped creature unflagged", [](BoardTile& t) { t.mTrapped = true; }, true},
        {"a webbed creature unflagged", [](BoardTile& t) { t.mLock = LOCK_SPIDER_WEB; }, true},
    };
    for (const Case& c : cases) {
        std::vector<BoardTile*> creatures = ClearBoard();
        ASSERT_GE(creatures.size(), 2u);
        for (size_t i = 1; i < creatures.size(); ++i)
            Board().mRescuedCells[Board().IndexOf(creatures[i])] = true;
        c.mChange(*creatures.front());
        EXPECT_EQ(Session().IsSurvivorBoardDone(), c.mDone) << c.mWhat;
        creatures.front()->mLock = LOCK_NONE;
    }
}

TEST_F(SurvivorEndTest, ThePlayFrameOpensTheTallyOnlyOnADoneIdleBoard)
{
    SetUpBoard(3, 1);
    Session().mSurvivorOn = true;
    Board().mPhase = PHASE_SETTLE;
    RunFrames(1);
    EXPECT_EQ(Session().mSurvivorTally, nullptr) << "the board was still moving";
    ASSERT_GE(RunUntilIdle(), 0);

    Board().mRescuedCells.assign(GameBoard::kCells, false);
    RunFrames(1);
    EXPECT_EQ(Session().mSurvivorTally, nullptr) << "saved creatures were not flagged";

    PanicGameTally* const tally = OpenTally(3, 1);
    ASSERT_NE(tally, nullptr);
    EXPECT_EQ(tally->mSurvivors, 3);
    EXPECT_EQ(tally->mTrapped, 1);
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(tally));
    EXPECT_EQ(tally->mX, (800 - IMAGE_GAME_SUBMENU->GetWidth()) / 2);
    EXPECT_EQ(tally->mY, (600 - IMAGE_GAME_SUBMENU->GetHeight()) / 2);
    EXPECT_TRUE(Board().mDisabled) << "the board takes no chain under the tally";
    // The ended survivor game leaves infected and trapped tiles: no game over under the tally.
    RunFrames(3);
    EXPECT_EQ(Session().mState, STATE_PLAY);
    EXPECT_FALSE(Session().mNoMoves);
}

TEST_F(SurvivorEndTest, TheTallyCountsTheLostThenTheSavedAndGivesItsVerdict)
{
    struct Case {
        const char* mWhat;
        int32_t mSaved;
        int32_t mTrapped;
        int mLostUpdates;
        int mSavedUpdates;
        int mVerdictSound;
        bool mSuccess;
        const char* mButtonKey;
    };
    const std::vector<Case> cases = {
        {"none lost, five saved", 5, 0, 20, 100, SOUND_AWARD_CONGRATS, true, "BTN_CONTINUEADV"},
        {"more lost than saved", 1, 3, 60, 20, SOUND_DECOLLECTED_TILE, false, "BTN_DONE"},
        {"a tie fails yet pays", 2, 2, 40, 40, SOUND_DECOLLECTED_TILE, false, "BTN_CONTINUEADV"},
    };
    for (const Case& c : cases) {
        PanicGameTally* const tally = OpenTally(c.mSaved, c.mTrapped);
        ASSERT_NE(tally, nullptr) << c.mWhat;
        mSounds->mSounds.clear();

        EXPECT_EQ(UpdatesInPhase(*tally, PanicGameTally::PHASE_COUNT_LOST), c.mLostUpdates) << c.mWhat;
        EXPECT_EQ(tally->mTrappedShown, c.mTrapped) << c.mWhat;
        EXPECT_EQ(tally->mTrappedIconAlpha, 255) << c.mWhat;
        EXPECT_EQ(UpdatesInPhase(*tally, PanicGameTally::PHASE_COUNT_SAVED), c.mSavedUpdates) << c.mWhat;
        EXPECT_EQ(tally->mSurvivorsShown, c.mSaved) << c.mWhat;
        // A count of 0 still ticks once.
        EXPECT_EQ(CountSounds(SOUND_NUMBER_COUNTING), std::max(c.mTrapped, 1) + std::max(c.mSaved, 1)) << c.mWhat;
        EXPECT_EQ(tally->mButton, nullptr) << c.mWhat;

        EXPECT_EQ(UpdatesInPhase(*tally, PanicGameTally::PHASE_PAUSE), 151) << c.mWhat;
        EXPECT_EQ(mSounds->mSounds.back(), c.mVerdictSound) << c.mWhat;
        EXPECT_EQ(tally->IsSuccess(), c.mSuccess) << c.mWhat;
        ASSERT_NE(tally->mButton, nullptr) << c.mWhat;
        EXPECT_EQ(tally->mButton->mLabel, GetGameString(c.mButtonKey)) << c.mWhat;
        EXPECT_EQ(tally->mButton->mY, tally->mHeight - 40) << c.mWhat;
        EXPECT_TRUE(mApp->mWidgetManager->HasWidget(tally->mButton)) << c.mWhat;
        for (int update = 0; update < 50; ++update)
            tally->Update();
        EXPECT_EQ(tally->mPhase, PanicGameTally::PHASE_RESULT) << c.mWhat;

        // Leaving the session takes an open tally down with it.
        if (&c == &cases.back()) {
            EndSession();
            return;
        }
        Session().FinishSurvivorGame(true);
        ASSERT_NO_FATAL_FAILURE(PlayNextStage());
    }
}

TEST_F(SurvivorEndTest, TheButtonEndsTheStageWithOrWithoutThePoints)
{
    struct Case {
        const char* mWhat;
        int32_t mSaved;
        int32_t mTrapped;
        int32_t mPoints;
        // The popup: the plus and this many digits.
        size_t mDigits;
    };
    const std::vector<Case> cases = {
        {"Continue pays 1000 per flagged cell", 12, 0, 12000, 5},
        {"Done pays nothing", 2, 3, 0, 0},
    };
    for (const Case& c : cases) {
        PanicGameTally* const tally = OpenTally(c.mSaved, c.mTrapped);
        ASSERT_NE(tally, nullptr) << c.mWhat;
        ASSERT_EQ(UpdatesInPhase(*tally, PanicGameTally::PHASE_COUNT_LOST), std::max(c.mTrapped, 1) * 20);
        ASSERT_GT(UpdatesInPhase(*tally, PanicGameTally::PHASE_COUNT_SAVED), 0);
        ASSERT_GT(UpdatesInPhase(*tally, PanicGameTally::PHASE_PAUSE), 0);
        ASSERT_NE(tally->mButton, nullptr);
        const int32_t scoreBefore = Session().mScore;
        const int32_t stageBefore = Session().mStage.mIndex;
        Session().mFloatingImages.clear();
        mSounds->mSounds.clear();

        Click(*tally->mButton);
        RunFrames(1);

        EXPECT_EQ(Session().mScore - scoreBefore, c.mPoints) << c.mWhat;
        EXPECT_EQ(Session().mSurvivorTally, nullptr) << c.mWhat;
        EXPECT_FALSE(mApp->mWidgetManager->HasWidget(tally)) << c.mWhat;
        EXPECT_FALSE(Session().mSurvivorOn) << c.mWhat;
        EXPECT_FALSE(Board().mDisabled) << c.mWhat;
        EXPECT_EQ(CountSounds(SOUND_AWARD_SURVIVOR), c.mPoints > 0 ? 1 : 0) << c.mWhat;
        std::vector<Zest::Image*> popups;
        for (const auto& popup : Session().mFloatingImages) {
            if (popup != nullptr)
                popups.push_back(popup->mImage);
        }
        if (c.mDigits == 0) {
            EXPECT_TRUE(popups.empty()) << c.mWhat;
        } else {
            ASSERT_EQ(popups.size(), c.mDigits + 1) << c.mWhat;
            EXPECT_EQ(popups.front(), IMAGE_GAME_BIG_PLUS) << c.mWhat;
        }
        // The stage ended as if its goals were met: the next stage comes.
        EXPECT_NE(Session().mState, STATE_PLAY) << c.mWhat;
        EXPECT_EQ(Session().mStage.mIndex, stageBefore + 1) << c.mWhat;

        ASSERT_NO_FATAL_FAILURE(PlayNextStage());
    }
}

// The removal queue, with plain physics entities in the session's list.
class EntityQueueTest : public SurvivorEndTest {
protected:
    xSharkEntity* MakeEntity()
    {
        xPhysicsPrimitiveEntityDesc desc;
        desc.mPlacement = XtremaPHX2D::Vec3(400.0f, 100.0f, 0.0f);
        desc.mSize = XtremaPHX2D::Vec2(10.0f, 10.0f);
        xSharkEntity* const entity = ToGameEntity(XtremaPHX2D::g_ptrSDK->createEntity(desc));
        EXPECT_NE(entity, nullptr);
        mApp->mWidgetManager->AddWidget(entity);
        Session().mEntities.push_back(entity);
        return entity;
    }

    static int32_t CountBodies() { return XtremaPHX2D::g_ptrSDK->world().mWorld.GetBodyCount(); }
};

TEST_F(EntityQueueTest, AQueuedEntityIsDestroyedOnceAndLeavesAnEmptySlot)
{
    GameSession& session = Session();
    const int32_t bodiesBefore = CountBodies();
    xSharkEntity* const first = MakeEntity();
    xSharkEntity* const second = MakeEntity();
    ASSERT_EQ(CountBodies(), bodiesBefore + 2);

    session.QueueEntityRemoval(first);
    session.QueueEntityRemoval(first);
    session.QueueEntityRemoval(nullptr);
    EXPECT_EQ(session.mRemovalQueue, std::vector<xSharkEntity*>{first});

    session.DestroyQueuedEntities();
    EXPECT_TRUE(session.mRemovalQueue.empty());
    EXPECT_EQ(session.mEntities, (std::vector<xSharkEntity*>{nullptr, second}));
    EXPECT_EQ(CountBodies(), bodiesBefore + 1);
    EXPECT_FALSE(mApp->mWidgetManager->HasWidget(first));

    // The empty slot is skipped; the queue goes with the list.
    session.QueueEntityRemoval(second);
    session.DestroyAllEntities();
    EXPECT_TRUE(session.mEntities.empty());
    EXPECT_TRUE(session.mRemovalQueue.empty());
    EXPECT_EQ(CountBodies(), bodiesBefore);
    EXPECT_FALSE(mApp->mWidgetManager->HasWidget(second));
}

TEST_F(EntityQueueTest, WithoutTheWorldNothingIsDestroyed)
{
    GameSession& session = Session();
    const int32_t bodiesBefore = CountBodies();
    xSharkEntity* const entity = MakeEntity();
    session.QueueEntityRemoval(entity);
    // The world out of reach, as while the application ends; the entity is not touched.
    XtremaPHX2D::XtremaPhysicsSDK* const world = std::exchange(XtremaPHX2D::g_ptrSDK, nullptr);

    session.DestroyQueuedEntities();
    EXPECT_EQ(session.mRemovalQueue, std::vector<xSharkEntity*>{entity}) << "the queue waits for the world";
    EXPECT_EQ(session.mEntities, std::vector<xSharkEntity*>{entity});

    session.DestroyAllEntities();
    EXPECT_TRUE(session.mEntities.empty());
    EXPECT_TRUE(session.mRemovalQueue.empty());
    XtremaPHX2D::g_ptrSDK = world;
    EXPECT_EQ(CountBodies(), bodiesBefore + 1) << "an entity was destroyed without the world";
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(entity));

    mApp->mWidgetManager->RemoveWidget(entity);
    world->destroyEntity(entity);
}

} // namespace
} // namespace Tests
