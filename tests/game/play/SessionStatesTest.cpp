#include "framework/widgets/WidgetManager.h"
#include "game/Creature.h"
#include "game/GameStats.h"
#include "game/Habitat.h"
#include "game/PlayerProfile.h"
#include "game/ProfileStore.h"
#include "game/physics/PhysicsPrimitiveEntityDesc.h"
#include "game/physics/SharkEntity.h"
#include "game/screens/GameMap.h"
#include "platform/physics/XtremaPhysics.h"
#include "tests/game/play/PlayFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class SessionStatesTest : public Tests::PlayFixture {
protected:
    Habitat& HabitatAt(const int32_t index) const
    {
        Habitat* const habitat = mApp->GetHabitat(mApp->GetHabitatNameByIndex(index));
        EXPECT_NE(habitat, nullptr) << index;
        return *habitat;
    }

    PlayerProfile& Profile() const { return *mApp->GetCurrentProfile(); }

    // A level of the first habitat started anew on a board of a fixed deal, the board
    // dealt and the session in play.
    void StartIdleLevel()
    {
        ASSERT_NO_FATAL_FAILURE(StartLevelOf(0, [](GameSession& session) { session.mHost.GetGameRandom().Seed(11); }));
        ASSERT_GE(RunUntilIdle(), 0) << "the board never settled";
        ASSERT_EQ(Session().mState, STATE_PLAY);
    }

    // Every tile of the board shows a goal creature of the stage, or an item.
    void ExpectOnlyCreaturesOf(const Stage& stage)
    {
        std::set<const Creature*> creatures;
        for (const StageGoal& goal : stage.mGoals)
            creatures.insert(goal.mCreature);
        for (int32_t cell = 0; cell < GameBoard::kCells; ++cell) {
            const BoardTile* const tile = Board().TileAtIndex(cell);
            ASSERT_NE(tile, nullptr) << "cell " << cell;
            EXPECT_TRUE(tile->mCreature->IsItem() || creatures.count(tile->mCreature) == 1)
                << tile->mCreature->mName << " in cell " << cell << " is not of stage " << stage.mIndex;
        }
    }

    // Leaves the board without a move: in food chain mode no tile has a higher and a lower
    // neighbour once every tile is of one level.
    void LeaveNoMove()
    {
        Session().mMode = MODE_FOOD_CHAIN;
        for (BoardTile* const tile : Board().mCells)
            tile->mLevel = 1;
    }

    // A game of the first habitat with a score of 4242 when the application shuts down;
    // `startLevel` takes it past its map into play first.
    void ShutDownDuringGame(const bool startLevel, const bool savedAndLeft)
    {
        ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
        ASSERT_NO_FATAL_FAILURE(EnterName("Tester"));
        mApp->mVSyncTiming = true;
        if (startLevel) {
            ASSERT_NO_FATAL_FAILURE(StartIdleLevel());
        } else {
            mApp->StartGameSession(0, 0);
            RunFrames(3);
        }
        Session().mScore = 4242;
        mApp->mGameSavedAndLeft = savedAndLeft;
        mApp->Shutdown();
    }
};

// ---------------------------------------------------------------------------------------
// The road from a new session to play

struct RoadCase {
    int32_t mHabitatIndex;
    // The head-up display while the map is open: the first habitat fades it in later.
    int32_t mHudAlphaOnMap;
};

TEST_F(SessionStatesTest, ANewSessionGoesFromTheWorldMapThroughTheLevelStartIntoPlay)
{
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    ASSERT_NO_FATAL_FAILURE(EnterName("Tester"));
    mApp->mVSyncTiming = true;
    GameOptionsHolder::Instance().mTutorialTips = false;
    for (const RoadCase& c : {RoadCase{0, 0}, RoadCase{1, 255}}) {
        SCOPED_TRACE(c.mHabitatIndex);
        mApp->StartGameSession(0, c.mHabitatIndex);
        ASSERT_NE(mApp->mGameSession, nullptr);
        EXPECT_EQ(Session().mState, STATE_SHOW_MAP);

        RunFrames(1);
        EXPECT_EQ(Session().mState, STATE_MAP_OPEN);
        ASSERT_NE(Session().mGameMap, nullptr);
        EXPECT_TRUE(mApp->mWidgetManager->HasWidget(Session().mGameMap));
        EXPECT_EQ(Session().mGameMap->mFly, c.mHabitatIndex > 0);
        EXPECT_EQ(Session().mPanelAlpha, c.mHudAlphaOnMap);
        EXPECT_EQ(Session().mItemsAlpha, c.mHudAlphaOnMap);
        EXPECT_EQ(Session().mProgressAlpha, c.mHudAlphaOnMap);
        EXPECT_FALSE(Session().mHudVisible);
        RunFrames(5);
        EXPECT_EQ(Session().mState, STATE_MAP_OPEN) << "the map closed without Done";
        EXPECT_EQ(Session().mStateFrames, 5);

        Session().OnGameMapDone();
        EXPECT_EQ(Session().mState, STATE_MAP_CLOSED);
        RunFrames(1);
        EXPECT_EQ(Session().mState, STATE_BEGIN_LEVEL);
        EXPECT_EQ(Session().mGameMap, nullptr);
        EXPECT_TRUE(Session().mHudVisible);
        EXPECT_EQ(Session().mBoard, nullptr);

        // The first habitat of a new adventure opens with the introduction, the head-up
        // display hidden and the board frozen until it closes.
        RunFrames(1);
        ASSERT_NE(Session().mBoard, nullptr);
        EXPECT_EQ(mApp->mCurrentMusic, Session().mHabitat->mNumber);
        const bool introduced = c.mHabitatIndex == 0;
        EXPECT_EQ(Session().mState, introduced ? STATE_STORY_SHOWN : STATE_STAGE_START);
        ASSERT_EQ(mApp->mStoryScreens != nullptr, introduced);
        const int32_t hudAlpha = introduced ? 0 : 255;
        EXPECT_EQ(Session().mPanelAlpha, hudAlpha);
        EXPECT_EQ(Session().mItemsAlpha, hudAlpha);
        EXPECT_EQ(Session().mProgressAlpha, hudAlpha);
        if (introduced) {
            EXPECT_EQ(mApp->mStoryScreens->mPageKind, StoryScreens::KIND_INTRODUCTION);
            EXPECT_EQ(Board().mPhase, PHASE_FROZEN);
            ASSERT_NO_FATAL_FAILURE(CloseIntroduction());
            EXPECT_EQ(Session().mState, STATE_STAGE_START);
        }
        RunFrames(1);
        EXPECT_EQ(Session().mState, STATE_STAGE_SETTLING);
        EXPECT_EQ(Board().mPhase, PHASE_DEAL_IN);
        ASSERT_GE(RunUntilIdle(), 0);
        EXPECT_EQ(Session().mState, STATE_PLAY);
        EXPECT_EQ(Session().mStateFrames, 0);
        EndSession();
    }
}

// ---------------------------------------------------------------------------------------
// The state-transition table

// A session in play with its board at rest is put into a state, then runs some frames.
struct TransitionCase {
    const char* mName;
    std::function<void(GameSession&)> mArrange;
    int mFrames;
    int32_t mExpectedState;
    std::function<void(GameSession&)> mCheck;
};

TEST_F(SessionStatesTest, EachStateMovesOnWhenItsConditionHoldsAndWaitsOtherwise)
{
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    ASSERT_NO_FATAL_FAILURE(EnterName("Tester"));
    mApp->mVSyncTiming = true;
    BoardTile* oldTile = nullptr;
    xSharkEntity* entity = nullptr;
    const auto setState = [](const int32_t state, const int32_t frames = 0) {
        return [state, frames](GameSession& s) {
            s.mState = state;
            s.mStateFrames = frames;
        };
    };
    const auto rememberTile = [&oldTile, this] { oldTile = Board().TileAtIndex(0); };
    const auto pausedIn = [](const int32_t step) {
        return [step](GameSession& s) {
            s.mState = STATE_GOAL_COMPLETE;
            s.mStateFrames = 0;
            s.mPaused = true;
            s.mResumeStep = step;
        };
    };

    const TransitionCase cases[] = {
        {"play with a move left goes on", setState(STATE_PLAY, 7), 1, STATE_PLAY,
         [this](GameSession& s) {
             EXPECT_EQ(s.mStateFrames, 8);
             EXPECT_FALSE(s.mNoMoves);
             EXPECT_EQ(s.mProgress, s.mHabitat->GetProgress());
             EXPECT_EQ(mApp->mPhysicsStep, 1.0f);
         }},
        {"play without a move ends the game and stores it",
         [this](GameSession& s) {
             LeaveNoMove();
             s.mScore = 321;
             fs::remove(ProfilesFile());
         },
         1, STATE_GAME_OVER,
         [this](GameSession& s) {
             EXPECT_TRUE(s.mNoMoves);
             EXPECT_TRUE(s.mPaused);
             EXPECT_EQ(s.mResumeStep, GameSession::RESUME_NEVER);
             EXPECT_TRUE(Board().mDisabled);
             EXPECT_EQ(ReadStoredProfile().mScore, 321);
         }},
        {"play without a move waits while the board is not at rest",
         [this](GameSession&) {
             LeaveNoMove();
             Board().SetPhase(PHASE_FROZEN);
         },
         3, STATE_PLAY, [](GameSession& s) { EXPECT_FALSE(s.mNoMoves); }},
        {"a finished game stays frozen",
         [this](GameSession&) { LeaveNoMove(); },
         30, STATE_GAME_OVER, [](GameSession& s) { EXPECT_TRUE(s.mPaused); }},
        {"a cleared stage waits while its board clears out",
         [this](GameSession& s) {
             s.mState = STATE_STAGE_CLEARED;
             s.mStateFrames = 50;
             Board().SetPhase(PHASE_CLEAR_OUT);
         },
         1, STATE_STAGE_CLEARED, [](GameSession& s) { EXPECT_EQ(s.mStateFrames, 0); }},
        {"a cleared stage, its board gone, is stored and the next one starts",
         [this](GameSession& s) {
             s.mState = STATE_STAGE_CLEARED;
             Board().SetPhase(PHASE_FROZEN);
             s.mStats->mStageMoves = 4;
             s.mScore = 555;
             fs::remove(ProfilesFile());
         },
         1, STATE_STAGE_START,
         [this](GameSession& s) {
             EXPECT_EQ(s.mStats->mStageMoves, 0);
             EXPECT_EQ(Board().mFrameShape, GameBoard::kNoFrame);
             EXPECT_EQ(ReadStoredProfile().mScore, 555);
         }},
        {"a stage start deals a fresh board in",
         [&](GameSession& s) {
             s.mState = STATE_STAGE_START;
             s.mRebuildBoard = true;
             s.mPanelAlpha = s.mItemsAlpha = s.mProgressAlpha = 0;
             Board().mRestoreFromProfile = 1;
             rememberTile();
         },
         1, STATE_STAGE_SETTLING,
         [&](GameSession& s) {
             EXPECT_EQ(s.mPanelAlpha, 255);
             EXPECT_EQ(s.mItemsAlpha, 255);
             EXPECT_EQ(s.mProgressAlpha, 255);
             EXPECT_FALSE(s.mRebuildBoard);
             EXPECT_EQ(Board().mRestoreFromProfile, 0);
             EXPECT_EQ(Board().mPhase, PHASE_DEAL_IN);
             EXPECT_NE(Board().TileAtIndex(0), oldTile) << "the board was not rebuilt";
         }},
        {"settling waits for the deal-in",
         [this](GameSession& s) {
             s.mState = STATE_STAGE_SETTLING;
             Board().SetPhase(PHASE_DEAL_IN);
         },
         1, STATE_STAGE_SETTLING, {}},
        {"a settled board plays", setState(STATE_STAGE_SETTLING, 40), 1, STATE_PLAY,
         [](GameSession& s) { EXPECT_EQ(s.mStateFrames, 0); }},
        {"an event's end destroys the queued entities",
         [&](GameSession& s) {
             xPhysicsPrimitiveEntityDesc desc;
             desc.mPlacement = XtremaPHX2D::Vec3(400.0f, 100.0f, 0.0f);
             desc.mSize = XtremaPHX2D::Vec2(10.0f, 10.0f);
             entity = ToGameEntity(XtremaPHX2D::g_ptrSDK->createEntity(desc));
             ASSERT_NE(entity, nullptr);
             mApp->mWidgetManager->AddWidget(entity);
             s.mEntities.push_back(entity);
             s.mRemovalQueue.push_back(entity);
             s.mState = STATE_EVENT_DONE;
         },
         1, STATE_PLAY,
         [&](GameSession& s) {
             EXPECT_TRUE(s.mRemovalQueue.empty());
             ASSERT_EQ(s.mEntities.size(), 1u);
             EXPECT_EQ(s.mEntities[0], nullptr);
             EXPECT_FALSE(mApp->mWidgetManager->HasWidget(entity));
         }},
        {"a carrier's delivery runs the world at half speed", setState(STATE_EVENT_RUNNING), 1, STATE_EVENT_RUNNING,
         [this](GameSession&) { EXPECT_EQ(mApp->mPhysicsStep, 0.5f); }},
        {"goal complete counts its frames", setState(STATE_GOAL_COMPLETE, 10), 3, STATE_GOAL_COMPLETE,
         [](GameSession& s) { EXPECT_EQ(s.mStateFrames, 13); }},
        {"the mini-game starts", setState(STATE_MINI_GAME_START), 1, STATE_MINI_GAME, {}},
        {"the mini-game waits for its screen", setState(STATE_MINI_GAME), 5, STATE_MINI_GAME, {}},
        {"the level report waits for its screen", setState(STATE_LEVEL_REPORT), 5, STATE_LEVEL_REPORT, {}},
        {"a new award waits for its screen", setState(STATE_NEW_AWARD), 5, STATE_NEW_AWARD, {}},
        {"the map waits for Done", setState(STATE_MAP_OPEN, 3), 2, STATE_MAP_OPEN,
         [](GameSession& s) { EXPECT_EQ(s.mStateFrames, 5); }},
        {"a story page fades in the display parts it names",
         [](GameSession& s) {
             s.mState = STATE_STORY_SHOWN;
             s.mPanelAlpha = s.mItemsAlpha = s.mProgressAlpha = 0;
             s.mFadeInPanel = true;
         },
         3, STATE_STORY_SHOWN,
         [](GameSession& s) {
             EXPECT_EQ(s.mPanelAlpha, 6);
             EXPECT_EQ(s.mItemsAlpha, 0);
             EXPECT_EQ(s.mProgressAlpha, 0);
         }},
        {"the survivor intro lasts 199 frames", setState(STATE_SURVIVOR_INTRO), 198, STATE_SURVIVOR_INTRO,
         [this](GameSession& s) {
             EXPECT_FALSE(s.mSurvivorOn);
             EXPECT_EQ(Board().CountInfected(), 0);
         }},
        {"the survivor game starts with one infected tile", setState(STATE_SURVIVOR_INTRO), 199, STATE_PLAY,
         [this](GameSession& s) {
             EXPECT_TRUE(s.mSurvivorOn);
             EXPECT_EQ(s.mStateFrames, 199);
             EXPECT_EQ(Board().CountInfected(), 1);
         }},
        {"the fireballs fly on",
         [](GameSession& s) {
             s.mState = STATE_WEB_BURST;
             s.mStateFrames = 10;
             s.mBurstStep = 10;
             s.mFireballs.front().mStatus = ANIM_RUNNING;
         },
         1, STATE_WEB_BURST, [](GameSession& s) { EXPECT_EQ(s.mBurstStep, 11); }},
        {"burnt-out fireballs return to play",
         [](GameSession& s) {
             s.mState = STATE_WEB_BURST;
             s.mStateFrames = 135;
             s.mBurstStep = 120;
             s.mFireballs.front().mStatus = ANIM_RUNNING;
         },
         1, STATE_PLAY,
         [](GameSession& s) {
             EXPECT_EQ(s.mBurstStep, 0);
             EXPECT_EQ(s.mFireballs.front().mStatus, ANIM_FINISHED);
         }},
        {"the flourish first deals a fresh board",
         [&](GameSession& s) {
             s.mState = STATE_FLOURISH;
             rememberTile();
         },
         1, STATE_FLOURISH,
         [&](GameSession& s) {
             EXPECT_TRUE(s.mFlourishDone);
             EXPECT_NE(Board().TileAtIndex(0), oldTile) << "the board was not rebuilt";
         }},
        {"the flourish returns to play once its board rests", setState(STATE_FLOURISH), 400, STATE_PLAY,
         [](GameSession& s) { EXPECT_FALSE(s.mFlourishDone); }},
        {"a closed pause menu holds the session on its first frame", pausedIn(GameSession::RESUME_MENU_CLOSED), 1,
         STATE_GOAL_COMPLETE,
         [](GameSession& s) {
             EXPECT_TRUE(s.mPaused);
             EXPECT_EQ(s.mResumeStep, GameSession::RESUME_NEXT_FRAME);
             EXPECT_EQ(s.mStateFrames, 0);
         }},
        {"it resumes on the second frame", pausedIn(GameSession::RESUME_MENU_CLOSED), 2, STATE_GOAL_COMPLETE,
         [](GameSession& s) {
             EXPECT_FALSE(s.mPaused);
             EXPECT_EQ(s.mStateFrames, 0);
         }},
        {"and runs its state on the third", pausedIn(GameSession::RESUME_MENU_CLOSED), 3, STATE_GOAL_COMPLETE,
         [](GameSession& s) { EXPECT_EQ(s.mStateFrames, 1); }},
        {"a session frozen for good does not run", pausedIn(GameSession::RESUME_NEVER), 10, STATE_GOAL_COMPLETE,
         [](GameSession& s) {
             EXPECT_TRUE(s.mPaused);
             EXPECT_EQ(s.mStateFrames, 0);
         }},
    };
    for (const TransitionCase& c : cases) {
        SCOPED_TRACE(c.mName);
        ASSERT_NO_FATAL_FAILURE(StartIdleLevel());
        ASSERT_NO_FATAL_FAILURE(c.mArrange(Session()));
        RunFrames(c.mFrames);
        EXPECT_EQ(Session().mState, c.mExpectedState);
        if (c.mCheck)
            c.mCheck(Session());
        EndSession();
    }
}

// ---------------------------------------------------------------------------------------
// Stage changes

// The goals of the first stage are met by one more chain: the board clears out under the
// twirl, the game is stored with the next stage, and the next stage's creatures are dealt
// onto a fresh board that settles in play.
TEST_F(SessionStatesTest, ClearingAStagesGoalsPlaysTheNextStageAndStoresTheGameOnTheWay)
{
    ASSERT_NO_FATAL_FAILURE(StartPlay(0));
    ASSERT_GE(RunUntilIdle(), 0);
    const Habitat& habitat = HabitatAt(0);
    ASSERT_GE(habitat.mStages.size(), 2u);
    const Stage& next = habitat.mStages[1];
    Session().mStage.ClearGoalCounts();
    Board().mChain = {Board().GetTile(0, 5), Board().GetTile(1, 5), Board().GetTile(2, 5)};
    fs::remove(ProfilesFile());

    Session().ProcessSelection(false, true, true);
    EXPECT_EQ(Session().mState, STATE_STAGE_CLEARED);
    EXPECT_EQ(Session().mStage.mIndex, next.mIndex);
    EXPECT_EQ(Session().mMode, next.mMode);

    std::vector<int32_t> states = {Session().mState};
    for (int frame = 0; frame < 2000 && !(states.back() == STATE_PLAY && Board().mPhase == PHASE_IDLE); ++frame) {
        RunFrames(1);
        if (Session().mState != states.back())
            states.push_back(Session().mState);
    }
    EXPECT_EQ(states, (std::vector<int32_t>{STATE_STAGE_CLEARED, STATE_STAGE_START, STATE_STAGE_SETTLING,
                                            STATE_PLAY}));
    ASSERT_EQ(Board().mPhase, PHASE_IDLE) << "the next stage's board never settled";
    ExpectOnlyCreaturesOf(next);
    EXPECT_EQ(Profile().mStageIndex, next.mIndex);
    const PlayerProfile stored = ReadStoredProfile();
    EXPECT_EQ(stored.mHabitatName, habitat.mName);
    EXPECT_EQ(stored.mStageIndex, next.mIndex);
    EXPECT_EQ(stored.mStage.mIndex, next.mIndex);
}

// ---------------------------------------------------------------------------------------
// Storing and continuing

// A game stored in the middle of a stage, ended and continued, comes back at that stage with
// its goals, score and every tile where it was; its map offers Done at once.
TEST_F(SessionStatesTest, AStoredGameContinuesAtTheSameStageWithTheSameBoard)
{
    constexpr size_t kStage = 2;
    ASSERT_NO_FATAL_FAILURE(StartPlay(0, [](GameSession& s) {
        s.mStage = s.mHabitat->mStages[kStage];
        s.mHabitat->ClearActiveCreatures();
        s.mStage.ActivateCreatures();
        s.mMode = s.mStage.mMode;
    }));
    ASSERT_GE(RunUntilIdle(), 0);
    Stage& stage = Session().mStage;
    ASSERT_FALSE(stage.mGoals.empty());
    stage.mGoals.front().mCount = 1;
    Session().mScore = 9876;
    std::vector<std::string> names;
    std::vector<int32_t> overlays;
    for (const BoardTile* const tile : Board().mCells) {
        names.push_back(tile->mCreature->mName);
        overlays.push_back(tile->mOverlay);
    }
    Session().SaveGameToProfile();
    const std::vector<StageGoal> goals = stage.mGoals;
    EndSession();

    mApp->StartGameSession(1, 0);
    ASSERT_NE(mApp->mGameSession, nullptr);
    EXPECT_EQ(Session().mContinued, 1);
    RunFrames(1);
    ASSERT_NE(Session().mGameMap, nullptr);
    EXPECT_TRUE(Session().mGameMap->mArrived) << "a continued game waits for no flight";
    Session().OnGameMapDone();
    RunFrames(2);
    ASSERT_NE(mApp->mGameSession->mBoard, nullptr);
    ASSERT_GE(RunUntilIdle(), 0);

    EXPECT_EQ(Session().mStage.mIndex, static_cast<int32_t>(kStage));
    EXPECT_EQ(Session().mMode, HabitatAt(0).mStages[kStage].mMode);
    EXPECT_EQ(Session().mScore, 9876);
    ASSERT_EQ(Session().mStage.mGoals.size(), goals.size());
    for (size_t goal = 0; goal < goals.size(); ++goal) {
        EXPECT_EQ(Session().mStage.mGoals[goal].mCreature, goals[goal].mCreature) << goal;
        EXPECT_EQ(Session().mStage.mGoals[goal].mCount, goals[goal].mCount) << goal;
    }
    for (int32_t cell = 0; cell < GameBoard::kCells; ++cell) {
        EXPECT_EQ(Board().TileAtIndex(cell)->mCreature->mName, names[cell]) << "cell " << cell;
        EXPECT_EQ(Board().TileAtIndex(cell)->mOverlay, overlays[cell]) << "cell " << cell;
    }
}

// A new adventure over an earlier one's saved game names itself in the profile at once: a
// Continue before its first stage is stored resumes its own first stage on a fresh board.
TEST_F(SessionStatesTest, ANewAdventureReplacesTheEarlierSavedGameInTheProfileAtOnce)
{
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    ASSERT_NO_FATAL_FAILURE(EnterName("Tester"));
    mApp->mVSyncTiming = true;
    const Habitat& earlier = HabitatAt(1);
    PlayerProfile& profile = Profile();
    profile.mHabitatsStarted = 1;
    profile.mHabitatName = earlier.mName;
    profile.mStage = earlier.mStages[3];
    profile.mStageIndex = 3;
    for (SavedTile& cell : profile.mTiles) {
        cell.mCreatureName = earlier.mCreatures.front()->mName;
        cell.mLevel = 1;
    }
    profile.ResetProgress(false);

    mApp->StartGameSession(0, 0);
    ASSERT_NE(mApp->mGameSession, nullptr);
    const Habitat& first = HabitatAt(0);
    EXPECT_EQ(profile.mHabitatName, first.mName);
    EXPECT_EQ(profile.mStageIndex, first.mStages.front().mIndex);
    EXPECT_EQ(profile.mStage.mIndex, first.mStages.front().mIndex);
    for (const SavedTile& cell : profile.mTiles)
        EXPECT_EQ(cell, SavedTile());
    EndSession();

    mApp->StartGameSession(1, 0);
    ASSERT_NE(mApp->mGameSession, nullptr);
    EXPECT_EQ(Session().mContinued, 1);
    EXPECT_EQ(Session().mHabitat, &first);
    ASSERT_NO_FATAL_FAILURE(LeaveMap());
    Session().StartLevel();
    ASSERT_GE(RunUntilIdle(), 0);
    EXPECT_EQ(Session().mStage.mIndex, first.mStages.front().mIndex);
    ExpectOnlyCreaturesOf(first.mStages.front());
}

// ---------------------------------------------------------------------------------------
// Shutdown and focus

TEST_F(SessionStatesTest, ShutdownWritesTheGameInPlayToProfilesDat)
{
    ASSERT_NO_FATAL_FAILURE(ShutDownDuringGame(true, false));
    const PlayerProfile stored = ReadStoredProfile();
    EXPECT_EQ(stored.mScore, 4242);
    EXPECT_EQ(stored.mHabitatName, HabitatAt(0).mName);
    EXPECT_EQ(stored.mTiles[0].mCreatureName, Board().TileAtIndex(0)->mCreature->mName);
}

TEST_F(SessionStatesTest, ShutdownLeavesAGameSavedAndLeftAsItWasStored)
{
    ASSERT_NO_FATAL_FAILURE(ShutDownDuringGame(true, true));
    EXPECT_EQ(ReadStoredProfile().mScore, 0);
}

TEST_F(SessionStatesTest, ShutdownStoresNoGameWhoseLevelHasNotStarted)
{
    ASSERT_NO_FATAL_FAILURE(ShutDownDuringGame(false, false));
    EXPECT_EQ(ReadStoredProfile().mScore, 0);
}

// Getting the focus back releases a frozen game, but not one that is over.
TEST_F(SessionStatesTest, RegainingTheFocusResumesAFrozenGameButNotAFinishedOne)
{
    ASSERT_NO_FATAL_FAILURE(StartPlay(0));
    ASSERT_GE(RunUntilIdle(), 0);
    Session().PauseBoard();
    EXPECT_TRUE(Session().mPaused);
    EXPECT_TRUE(Board().mDisabled);
    mApp->OnGotFocus();
    EXPECT_FALSE(Session().mPaused);
    EXPECT_FALSE(Board().mDisabled);

    LeaveNoMove();
    RunFrames(1);
    ASSERT_EQ(Session().mState, STATE_GAME_OVER);
    mApp->OnGotFocus();
    EXPECT_TRUE(Session().mPaused);
    EXPECT_TRUE(Board().mDisabled);
    EndSession();
    mApp->OnGotFocus();
}

// ---------------------------------------------------------------------------------------
// Damaged profiles

struct DamagedCase {
    const char* mName;
    const char* mHabitatName;
    int32_t mStageIndex;
    // What the game selection passes, and the profile's next level.
    int32_t mGivenIndex;
    int32_t mNextLevel;
    bool mExpectContinued;
    int32_t mExpectedHabitatIndex;
};

// A profiles.dat is loaded as it is, so a saved game may name a habitat or stage this build
// does not have, or a next level beyond the habitats: the game starts anew instead (and
// counts the start), and the map still offers Done and leads into play.
TEST_F(SessionStatesTest, ContinuingADamagedSavedGameStartsAnewAndReachesPlay)
{
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    ASSERT_NO_FATAL_FAILURE(EnterName("Tester"));
    mApp->mVSyncTiming = true;
    GameOptionsHolder::Instance().mTutorialTips = false;
    mApp->StartGameSession(1, HabitatRegistry::NO_HABITAT);
    EXPECT_EQ(mApp->mGameSession, nullptr) << "a game started without a habitat";

    const DamagedCase cases[] = {
        {"unknown habitat", "Atlantis", 1, 1, -1, false, 1},
        {"unknown habitat and index", "Atlantis", 1, 7, -1, false, 0},
        {"stage beyond the habitat's", "Amazon", 99, 2, -1, false, 2},
        {"negative stage", "Amazon", -1, 0, 12, false, 0},
        {"next level beyond the habitats", "Amazon", 1, 0, 12, true, 0},
    };
    for (const DamagedCase& c : cases) {
        SCOPED_TRACE(c.mName);
        PlayerProfile& profile = Profile();
        profile.ResetProgress(false);
        constexpr int32_t kStarted = 2;
        profile.mHabitatsStarted = kStarted;
        profile.mHabitatName = c.mHabitatName;
        profile.mStage = HabitatAt(0).mStages[1];
        profile.mStage.mIndex = c.mStageIndex;
        profile.mStageIndex = c.mStageIndex;
        profile.mNextLevel = c.mNextLevel;

        mApp->StartGameSession(1, c.mGivenIndex);
        ASSERT_NE(mApp->mGameSession, nullptr);
        const Habitat& expected = HabitatAt(c.mExpectedHabitatIndex);
        EXPECT_EQ(Session().mContinued, c.mExpectContinued ? 1 : 0);
        EXPECT_EQ(Session().mHabitat, &expected);
        EXPECT_EQ(Session().mHabitatIndex, c.mExpectedHabitatIndex);
        EXPECT_EQ(profile.mHabitatsStarted, c.mExpectContinued ? kStarted : kStarted + 1);
        if (!c.mExpectContinued) {
            EXPECT_EQ(Session().mStage.mIndex, expected.mStages.front().mIndex);
            EXPECT_EQ(profile.mHabitatName, expected.mName);
        }

        RunFrames(1);
        GameMap* const map = Session().mGameMap;
        ASSERT_NE(map, nullptr);
        for (int frame = 0; frame < 700 && !map->mArrived; ++frame)
            RunFrames(1);
        ASSERT_TRUE(map->mArrived) << "the map never offered Done";
        ASSERT_FALSE(map->mItems.empty());
        Click(*map->mItems.back());
        RunFrames(2);
        ASSERT_NE(mApp->mGameSession->mBoard, nullptr);
        ASSERT_NO_FATAL_FAILURE(CloseIntroduction());
        ASSERT_GE(RunUntilIdle(), 0);
        EXPECT_EQ(Session().mState, STATE_PLAY);
        EndSession();
    }
}

} // namespace
