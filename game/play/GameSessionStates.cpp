// The session's state machine, one step per drawn frame. Every frame first ages the popups
// and the effect layers and steps the blinks of the head-up display; a frozen session (a
// modal screen is open) stops there, counting out the pause menu's resume steps. Otherwise
// the physics world gets the frame's step and the current state runs once:
//
//   0 show the world map -> 1 map open -(Done)-> 2 map closed -> 3 begin level -> 12
//   12 stage start (the board deals in) -> 13 settling -> 5 play
//   5 play -> 19 new award when a feat is earned, 18 game over when no move is left;
//     selection processing leads on to
//     6 survivor intro, 11 stage cleared, 14 goal complete and 20 flourish
//   6 survivor intro -> 5;  7 web burst -> 5;  20 flourish -> (fresh board) -> 5
//   8 event wait -> 9 event running -(carrier)-> 10 event done -> 5
//   11 stage cleared (saved) -> 12 the next stage;  15 mini-game start -> 16
//   14 goal complete -(story page)-> 15;  a tip page in 5 or 6 -> 4 -> 5
//   4, 16, 17, 18 and 19 wait for the page or screen that ends them.

#include "game/play/GameSession.h"

#include "framework/app/common/Assert.h"
#include "game/Awards.h"
#include "game/GameOptions.h"
#include "game/GameStats.h"
#include "game/Habitat.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/play/GameBoard.h"
#include "game/play/PlayHost.h"
#include "game/screens/MenuServices.h"
#include "game/screens/StoryScreens.h"

#include <algorithm>
#include <initializer_list>

namespace {

constexpr int32_t kOpaque = 255;
// A blink of the head-up display ends by itself once a state has run this many frames.
constexpr int32_t kBlinkFrames = 1000;
// Alpha added per frame while the level-start story fades the head-up display in.
constexpr int32_t kHudFadeStep = 2;
// The goal-complete state shows the habitat's story after this many frames.
constexpr int32_t kGoalCompleteFrames = 100;
// The survivor game's intro lasts this many frames; its poison cloud fades from this cell on.
constexpr int32_t kSurvivorIntroFrames = 199;
constexpr int32_t kPoisonFadeCell = 30;
// The web burst: the fireballs fly for kBurstFlightFrames frames (kBurstSteps at most) and
// burn out after kBurstEndFrames.
constexpr int32_t kBurstSteps = 200;
constexpr int32_t kBurstFlightFrames = 128;
constexpr int32_t kBurstEndFrames = 135;

void UpdateWhileRunning(AnimatedWidget& layer)
{
    if (layer.mStatus == ANIM_RUNNING)
        layer.Update();
}

// The alpha swings between 0 and 255 and back.
void StepBlink(int32_t& alpha, int32_t& step)
{
    alpha += step;
    if (alpha > kOpaque) {
        alpha = kOpaque;
        step = -step;
    } else if (alpha < 0) {
        alpha = 0;
        step = -step;
    }
}

void UpdateBlinks(GameSession& session)
{
    if (session.mElementsBlink) {
        StepBlink(session.mElementsBlinkAlpha, session.mElementsBlinkStep);
        if (session.mStateFrames > kBlinkFrames)
            session.SetElementsBlink(false);
    }
    if (session.mBackpackBlink) {
        StepBlink(session.mBackpackBlinkAlpha, session.mBackpackBlinkStep);
        if (session.mStateFrames > kBlinkFrames)
            session.SetBackpackBlink(false);
    }
}

void ShowHud(GameSession& session)
{
    session.mPanelAlpha = kOpaque;
    session.mItemsAlpha = kOpaque;
    session.mProgressAlpha = kOpaque;
}

void FadeInHudPart(const bool fading, int32_t& alpha)
{
    if (fading && alpha < kOpaque)
        alpha = std::min(alpha + kHudFadeStep, kOpaque);
}

GameBoard& Board(GameSession& session)
{
    // Every state from the level start on works on the board.
    ZEST_ASSERT(session.mBoard != nullptr);
    return *session.mBoard;
}

bool IsBoardIdle(GameSession& session) { return Board(session).mPhase == PHASE_IDLE; }

bool IsBoardAtRest(GameSession& session) { return IsBoardIdle(session) && Board(session).IsSettled(); }

void ShowMap(GameSession& session)
{
    session.ShowGameMap();
    session.mStateFrames = 0;
    session.mState = STATE_MAP_OPEN;
    // The first habitat's opening story fades the display in instead.
    if (session.mHabitat->GetName() != "Amazon")
        ShowHud(session);
}

void CloseMap(GameSession& session)
{
    session.CloseGameMap();
    session.mState = STATE_BEGIN_LEVEL;
    session.mHudVisible = true;
}

void Play(GameSession& session)
{
    GameBoard& board = Board(session);
    ++session.mStateFrames;
    // While the survivor game runs, infected and trapped tiles decide its end, not the moves;
    // its tally, open over the board it left, ends the stage. The moves are judged on a board
    // at rest only: while tiles fall, the refill and a target frame filled by the fall may
    // still bring a move or the stage's end.
    session.mNoMoves = !session.mSurvivorOn && session.mSurvivorTally == nullptr && IsBoardAtRest(session) &&
                       board.NoMovesLeft();
    session.mProgress = session.mHabitat->GetProgress();
    if (session.mSurvivorOn && board.mPhase == PHASE_IDLE && session.IsSurvivorBoardDone()) {
        session.mSurvivorOn = false;
        session.ShowSurvivorTally();
    }
    if (board.IsSettled()) {
        const PlayerProfile* const profile = session.GetCurrentProfile();
        ZEST_ASSERT(profile != nullptr);
        const int32_t award = CheckForNewAward(*session.mStats, profile->mAwards);
        if (award != -1) {
            session.PauseBoard();
            session.mState = STATE_NEW_AWARD;
            session.ShowNewAward(award);
            return;
        }
    }
    // A tip waits while the pause menu or the food web is over the board.
    const bool boardShown = !session.IsPauseMenuOpen() && !session.IsFoodWebOpen();
    if (GameOptionsHolder::Instance().mTutorialTips && boardShown && board.IsSettled() && !session.mNoMoves &&
        session.OpenDueTip())
        return;
    if (!session.mNoMoves)
        return;
    session.PauseBoard();
    session.mResumeStep = GameSession::RESUME_NEVER;
    board.SetDisabled(true);
    session.mState = STATE_GAME_OVER;
    session.SaveGameToProfile();
    session.mHost.SaveProfiles();
    session.ShowGameOver();
}

void RunSurvivorIntro(GameSession& session)
{
    UpdateWhileRunning(session.mSpookyCreature);
    AnimatedWidget& cloud = session.mPoisonCloud;
    if (cloud.mStatus == ANIM_RUNNING) {
        if (cloud.mFrame >= kPoisonFadeCell)
            cloud.mColor = Zest::Color(kOpaque, kOpaque, kOpaque, kOpaque - session.mStateFrames / 4);
        cloud.Update();
    }
    ++session.mStateFrames;
    if (session.mStateFrames < kSurvivorIntroFrames)
        return;
    session.mStateFrames = kSurvivorIntroFrames;
    session.mSurvivorOn = true;
    GameBoard& board = Board(session);
    board.ClearHints();
    session.DisarmItem();
    // The survivor tip infects the first tile when it closes.
    if (session.IsTipWanted(StoryScreens::KIND_TIP_SURVIVOR)) {
        session.OpenStoryPage(StoryScreens::KIND_TIP_SURVIVOR);
        return;
    }
    board.InfectRandomTile();
    session.mState = STATE_PLAY;
}

void RunWebBurst(GameSession& session)
{
    ++session.mStateFrames;
    AnimatedWidget& first = session.mFireballs.front();
    if (session.mBurstStep < kBurstSteps && session.mStateFrames < kBurstFlightFrames) {
        ++session.mBurstStep;
    } else if (session.mStateFrames > kBurstEndFrames) {
        session.mBurstStep = 0;
        first.mStatus = ANIM_FINISHED;
    }
    for (AnimatedWidget& fireball : session.mFireballs)
        UpdateWhileRunning(fireball);
    if (first.mStatus != ANIM_RUNNING && Board(session).IsSettled()) {
        session.mState = STATE_PLAY;
        session.CheckFrame();
    }
}

void ClearStage(GameSession& session)
{
    session.mStateFrames = 0;
    GameBoard& board = Board(session);
    // The old stage's board fades out under the twirl first.
    if (board.mPhase == PHASE_CLEAR_OUT || board.mPhase == PHASE_TWIRL)
        return;
    session.mStats->mStageMoves = 0;
    session.mState = STATE_STAGE_START;
    session.mHost.SetCursor(GameBoard::kArrowCursor);
    session.SaveGameToProfile();
    session.mHost.SaveProfiles();
    board.mFrameShape = GameBoard::kNoFrame;
}

void StartStage(GameSession& session)
{
    GameBoard& board = Board(session);
    session.mStateFrames = 0;
    ShowHud(session);
    session.mState = STATE_STAGE_SETTLING;
    session.CreateElementsButton();
    session.CreateBackpackButton();
    GetMenuServices().PlaySoundEffect(SOUND_ANIMAL_APPEAR);
    if (session.mRebuildBoard) {
        // The next stage's board is a fresh one, also in a continued game.
        board.mRestoreFromProfile = 0;
        board.Rebuild();
        session.mRebuildBoard = false;
    }
    board.SetPhase(PHASE_DEAL_IN);
}

void SettleStage(GameSession& session)
{
    if (!IsBoardAtRest(session))
        return;
    session.mState = STATE_PLAY;
    session.mStateFrames = 0;
}

// The collector's reward: once the board rests, a fresh board plays its appearance; once
// that rests too, play goes on.
void Flourish(GameSession& session)
{
    if (!IsBoardAtRest(session))
        return;
    if (!session.mFlourishDone) {
        session.RebuildBoardIfFree();
        Board(session).StartResetAnimation();
        session.mFlourishDone = true;
        return;
    }
    session.mState = STATE_PLAY;
    session.CheckFrame();
    session.mFlourishDone = false;
}

void RunState(GameSession& session)
{
    switch (session.mState) {
    case STATE_SHOW_MAP:
        ShowMap(session);
        break;
    case STATE_MAP_OPEN:
        ++session.mStateFrames;
        break;
    case STATE_MAP_CLOSED:
        CloseMap(session);
        break;
    case STATE_BEGIN_LEVEL:
        session.StartLevel();
        break;
    case STATE_STORY_SHOWN:
        FadeInHudPart(session.mFadeInPanel, session.mPanelAlpha);
        FadeInHudPart(session.mFadeInProgress, session.mProgressAlpha);
        FadeInHudPart(session.mFadeInItems, session.mItemsAlpha);
        break;
    case STATE_PLAY:
        Play(session);
        break;
    case STATE_SURVIVOR_INTRO:
        RunSurvivorIntro(session);
        break;
    case STATE_WEB_BURST:
        RunWebBurst(session);
        break;
    case STATE_EVENT_WAIT:
        if (IsBoardIdle(session)) {
            session.mState = STATE_EVENT_RUNNING;
            session.StartLevelEvent(session.mEvent);
        }
        break;
    case STATE_EVENT_DONE:
        session.DestroyQueuedEntities();
        session.mState = STATE_PLAY;
        break;
    case STATE_STAGE_CLEARED:
        ClearStage(session);
        break;
    case STATE_STAGE_START:
        StartStage(session);
        break;
    case STATE_STAGE_SETTLING:
        SettleStage(session);
        break;
    case STATE_GOAL_COMPLETE:
        ++session.mStateFrames;
        if (session.mStateFrames > kGoalCompleteFrames)
            session.OpenStoryPage(StoryScreens::KIND_BEFORE_MINI_GAME);
        break;
    case STATE_MINI_GAME_START:
        session.StartMiniGame();
        session.mState = STATE_MINI_GAME;
        break;
    case STATE_FLOURISH:
        Flourish(session);
        break;
    default:
        // The carrier ends state 9; the open screen ends 16 to 19; a state above 20 does
        // nothing.
        break;
    }
}

} // namespace

void GameSession::UpdateSmooth(const float fraction)
{
    UpdateFloatingImages();
    for (AnimatedWidget* const layer : {&mEffect, &mEffect2, &mWaterFlash, &mTorchFlash, &mShuffleFlash})
        UpdateWhileRunning(*layer);
    UpdateBlinks(*this);
    if (mPaused) {
        // The pause menu lets the session go on only on the second frame after it closed.
        if (mResumeStep == RESUME_MENU_CLOSED)
            mResumeStep = RESUME_NEXT_FRAME;
        else if (mResumeStep == RESUME_NEXT_FRAME)
            ResumeBoard();
        return;
    }
    // The world runs at half speed while a carrier delivers.
    mHost.SetPhysicsStep(mState == STATE_EVENT_RUNNING ? fraction / 2.0f : fraction);
    RunState(*this);
}
