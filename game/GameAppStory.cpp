// The running game as its story and tip pages steer it: each call goes to the session, or
// to its board, which exist while a page is open.

#include "game/GameApp.h"

#include "framework/app/common/Assert.h"
#include "game/Habitat.h"
#include "game/play/GameBoard.h"
#include "game/play/GameSession.h"
#include "game/play/SessionState.h"

// The pages speak the session's numbers.
static_assert(static_cast<int32_t>(StoryHost::SESSION_PLAY) == static_cast<int32_t>(STATE_PLAY));
static_assert(static_cast<int32_t>(StoryHost::SESSION_STAGE_START) == static_cast<int32_t>(STATE_STAGE_START));
static_assert(static_cast<int32_t>(StoryHost::SESSION_MINI_GAME_START) == static_cast<int32_t>(STATE_MINI_GAME_START));
static_assert(static_cast<int32_t>(StoryHost::BOARD_IDLE) == static_cast<int32_t>(PHASE_IDLE));
static_assert(static_cast<int32_t>(StoryHost::BOARD_DEAL_IN) == static_cast<int32_t>(PHASE_DEAL_IN));
static_assert(static_cast<int32_t>(StoryHost::BOARD_SETTLE) == static_cast<int32_t>(PHASE_SETTLE));

namespace {

GameSession& RunningSession(GameSession* const session)
{
    ZEST_ASSERT(session != nullptr);
    return *session;
}

GameBoard& SessionBoard(GameSession* const session)
{
    GameBoard* const board = RunningSession(session).mBoard;
    // Pages open once the level has started.
    ZEST_ASSERT(board != nullptr);
    return *board;
}

} // namespace

int32_t GameApp::GetSessionHabitatIndex() const { return RunningSession(mGameSession).mHabitat->mIndex; }

void GameApp::CollectIntroItem(const IntroItem item)
{
    GameSession& session = RunningSession(mGameSession);
    switch (item) {
    case ITEM_TEST_TUBES:
        session.mFadeInProgress = true;
        break;
    case ITEM_DIARY:
        session.mFadeInPanel = true;
        break;
    case ITEM_BACKPACK:
        session.mFadeInItems = true;
        break;
    }
}

void GameApp::SetSessionState(const int32_t state) { RunningSession(mGameSession).mState = state; }

void GameApp::SetBoardPhase(const int32_t phase) { SessionBoard(mGameSession).SetPhase(phase); }

void GameApp::CreateHudButtons() { RunningSession(mGameSession).CreateHudButtons(); }

void GameApp::CheckFrame() { RunningSession(mGameSession).CheckFrame(); }

void GameApp::SetElementsBlink(const bool on) { RunningSession(mGameSession).SetElementsBlink(on); }

void GameApp::SetBackpackBlink(const bool on) { RunningSession(mGameSession).SetBackpackBlink(on); }

void GameApp::InfectRandomTile() { SessionBoard(mGameSession).InfectRandomTile(); }

void GameApp::ResumeBoard() { RunningSession(mGameSession).ResumeBoard(); }
