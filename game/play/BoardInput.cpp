// The board's side of the mouse, and what the player sees of the chain while building it.
//
// A press finds the tile under the pointer and either uses the armed item on its lock, or
// plays it at once (a match-search target, a tile of the survivor game), or hands it to
// the tile, which asks the chain rules to take it. A drag moves the pressed tile: entering
// a tile may append it, and dragging from the last tile back onto a chain tile takes the
// last one off. The release hands the chain to the session; a right click cancels it.
//
// Input counts only while the session plays, the board is enabled and, outside the
// survivor game, the board is not settling after a chain.

#include "game/play/GameBoard.h"

#include "framework/app/common/Assert.h"
#include "game/Creature.h"
#include "game/Habitat.h"
#include "game/Res.h"
#include "game/Stage.h"
#include "game/play/BoardTile.h"
#include "game/play/GameSession.h"
#include "game/play/PlayHost.h"
#include "game/screens/MenuServices.h"

#include <cmath>
#include <numbers>

namespace {

constexpr int kRightButton = 1;
// Pixels between two points of the selection line.
constexpr float kPathSpacing = 8.0f;

// Goes on to the tile in its own coordinates.
void PassPressToTile(const GameBoard& board, BoardTile& tile, const int x, const int y, const int button,
                     const int clickCount)
{
    tile.MouseButtonDown(x + board.mX - tile.mX, y + board.mY - tile.mY, button, clickCount);
}

// The armed item fits the tile's lock: the torch burns a web, the water washes bananas off;
// nothing opens a cage.
bool ArmedItemFitsLock(const GameSession& session, const BoardTile& tile)
{
    static_assert(LOCK_SPIDER_WEB == 0 && LOCK_BANANAS == 1, "an armed item frees the lock of its own number");
    return session.mItemArmed && tile.mLock != LOCK_NONE && tile.mLock == session.mArmedItem;
}

// The item is spent and the tile unlocks itself over the next updates.
void UseArmedItemOn(GameSession& session, BoardTile& tile)
{
    session.SpendArmedItem();
    if (tile.mLock == LOCK_BANANAS) {
        GetMenuServices().PlaySoundEffect(SOUND_UNLOCK_BANANA);
        tile.ResetEffectLayers(1);
    } else {
        ZEST_ASSERT(tile.mLock == LOCK_SPIDER_WEB);
        GetMenuServices().PlaySoundEffect(SOUND_FIREBALL_QUICKWHOOSH);
    }
    tile.SetLock(LOCK_NONE);
    tile.SetState(TILE_UNLOCKING);
    session.DisarmItem();
    session.CheckFrame();
}

// The right button: the chain, its hints and the held press are let go, and so is the
// armed item.
void CancelChain(GameBoard& board, GameSession& session)
{
    if (session.mItemArmed)
        session.DisarmItem();
    board.ClearHints();
    board.ClearSelection();
    board.mPressedTile = nullptr;
}

// The board draws the search cursor at the application's pointer.
void RefreshMousePosition(GameBoard& board)
{
    const auto [mouseX, mouseY] = board.mHost.GetMousePos();
    board.mMouseX = static_cast<int32_t>(mouseX);
    board.mMouseY = static_cast<int32_t>(mouseY);
}

// The centre of the tile relative to the board's top-left corner, halves truncated.
std::pair<float, float> CentreOnBoard(const GameBoard& board, const BoardTile& tile)
{
    const auto [x, y] = tile.GetCenter();
    return {x - static_cast<float>(board.mX), y - static_cast<float>(board.mY)};
}

} // namespace

void GameBoard::MouseButtonDown(const int x, const int y, const int button, const int clickCount)
{
    // No story page opens during play yet, so none can hold the press back from the board.
    GameSession* const session = mHost.GetGameSession();
    ZEST_ASSERT(session != nullptr);
    if (button == kRightButton) {
        CancelChain(*this, *session);
        return;
    }
    if ((mPhase == PHASE_SETTLE && !session->mSurvivorOn) || mDisabled || session->mState != STATE_PLAY)
        return;
    BoardTile* const tile = TileAt(x, y);
    if (tile == nullptr)
        return;

    if (tile->mLock == LOCK_NONE && session->mItemArmed)
        session->DisarmItem();
    // Items play themselves at the bottom row; the survivor game lets the player click them.
    if (tile->mLevel < 0 && !session->mSurvivorOn)
        return;
    if (tile->mLevel == Creature::LEVEL_HUNTER || tile->mTrapped)
        return;

    // A search target and a rescued tile of the survivor game are played at the click.
    if (session->mMode == MODE_MATCH_SEARCH) {
        if (!tile->mSearchMark)
            return;
        session->DisarmItem();
        TryAddToSelection(tile, MODE_MATCH_SEARCH);
        session->ProcessSelection(true, true, true);
        ClearSelection();
        mPressedTile = nullptr;
        return;
    }
    if (session->mSurvivorOn && tile->mLock == LOCK_NONE) {
        session->DisarmItem();
        tile->SetInfected(false);
        TryAddToSelection(tile, session->mMode);
        MarkCellUsed(tile);
        session->ProcessSelection(false, true, true);
        ClearSelection();
        mPressedTile = nullptr;
        return;
    }

    if (mPressedTile == nullptr) {
        mPressedTile = tile;
        // A survivor tile without a lock was played above.
        if (tile->mLock == LOCK_NONE)
            HighlightCandidates(tile);
    }
    if (ArmedItemFitsLock(*session, *tile)) {
        UseArmedItemOn(*session, *tile);
        mPressedTile = nullptr;
        return;
    }
    PassPressToTile(*this, *tile, x, y, button, clickCount);
}

void GameBoard::MouseUp(int /*x*/, int /*y*/, const int clickCount)
{
    GameSession* const session = mHost.GetGameSession();
    if (mPhase == PHASE_SETTLE || mDisabled || session == nullptr || session->mState != STATE_PLAY ||
        session->mSurvivorOn)
        return;
    if (clickCount == kRightClick) {
        CancelChain(*this, *session);
        return;
    }
    // Pairs and search count their goals per chain; food chains and match same count them
    // when a target frame fills.
    const bool countGoals = session->mMode == MODE_MATCH_PAIRS || session->mMode == MODE_MATCH_SEARCH;
    session->ProcessSelection(countGoals, true, false);
    ClearHints();
    if (mPressedTile != nullptr) {
        mPressedTile->mIsOver = false;
        mPressedTile->SetSelected(false);
    }
    mPressedTile = nullptr;
}

void GameBoard::MouseDrag(const int x, const int y)
{
    if (mPhase == PHASE_SETTLE || mDisabled)
        return;
    RefreshMousePosition(*this);
    const GameSession* const session = mHost.GetGameSession();
    if (session == nullptr || session->mState != STATE_PLAY)
        return;
    BoardTile* const tile = TileAt(x, y);
    if (tile == nullptr)
        return;
    if (mPressedTile == nullptr || mPressedTile == tile) {
        tile->MouseDrag(x + mX - tile->mX, y + mY - tile->mY);
        return;
    }

    mPressedTile->MouseLeave();
    BoardTile* const previous = mPressedTile;
    mPressedTile = tile;
    const bool wasInChain = IsInSelection(tile);
    tile->MouseEnter();
    // Back from the last tile onto any tile of the chain: only the last one comes off.
    if (wasInChain && IsLastOfChain(previous)) {
        previous->SetSelected(false);
        PopSelection();
        GetMenuServices().PlaySoundEffect(SOUND_BUTTON_ROLLOVER);
    }
    ClearHints();
    if (!mChain.empty())
        HighlightCandidates(mChain.back());
}

void GameBoard::MouseMove(const int x, const int y)
{
    if (mDisabled)
        return;
    RefreshMousePosition(*this);
    const GameSession* const session = mHost.GetGameSession();
    if (session == nullptr || session->mState != STATE_PLAY)
        return;
    if (BoardTile* const tile = TileAt(x, y))
        tile->MouseMove(x + mX - tile->mX, y + mY - tile->mY);
}

// Match search hides the pointer over the board, which draws its own search cursor.
void GameBoard::MouseEnter()
{
    const GameSession* const session = mHost.GetGameSession();
    if (session != nullptr && session->mMode == MODE_MATCH_SEARCH)
        mHost.SetCursor(kNoCursor);
}

void GameBoard::MouseLeave()
{
    const GameSession* const session = mHost.GetGameSession();
    if (session != nullptr && session->mMode == MODE_MATCH_SEARCH)
        mHost.SetCursor(kArrowCursor);
}

void GameBoard::HighlightCandidates(BoardTile* const tile)
{
    ZEST_ASSERT(tile != nullptr);
    const GameSession* const session = mHost.GetGameSession();
    ZEST_ASSERT(session != nullptr);
    const int32_t mode = session->mMode;
    // A complete pair has no candidate left, but its line is still drawn.
    const bool pairComplete = mode == MODE_MATCH_PAIRS && mChain.size() == 2;
    const auto [column, row] = GetCell(tile);
    ZEST_ASSERT(column >= 0);
    for (int32_t dRow = -1; dRow <= 1 && !pairComplete; ++dRow) {
        for (int32_t dColumn = -1; dColumn <= 1; ++dColumn) {
            // The tile's own cell is visited too: in match same it is a candidate itself.
            BoardTile* const candidate = GetTile(column + dColumn, row + dRow);
            if (candidate == nullptr || candidate->mLock != LOCK_NONE)
                continue;
            const bool sameCreature = candidate->mCreature == tile->mCreature;
            bool hint = false;
            switch (mode) {
            case MODE_FOOD_CHAIN:
                hint = tile->mLevel - candidate->mLevel > 0 &&
                       mHabitat->IsFoodLink(tile->mCreature, candidate->mCreature);
                break;
            case MODE_MATCH_SAME:
                hint = sameCreature;
                break;
            case MODE_MATCH_PAIRS:
                hint = sameCreature && candidate->mVariant != tile->mVariant;
                break;
            default:
                // Match search has no chain to extend.
                break;
            }
            if (hint)
                candidate->SetHint(true);
        }
    }
    BuildSelectionPath();
}

void GameBoard::ClearHints()
{
    for (BoardTile* const tile : mCells) {
        if (tile != nullptr)
            tile->SetHint(false);
    }
}

void GameBoard::BuildSelectionPath()
{
    mSelectionPath.clear();
    for (size_t link = 1; link < mChain.size(); ++link) {
        const auto [fromX, fromY] = CentreOnBoard(*this, *mChain[link - 1]);
        const auto [toX, toY] = CentreOnBoard(*this, *mChain[link]);
        const float dx = toX - fromX;
        const float dy = toY - fromY;
        const float length = std::sqrt(dx * dx + dy * dy);
        // Two chain tiles never share a cell.
        ZEST_ASSERT(length > 0.0f);
        // A point every kPathSpacing pixels from the first centre; the second centre is
        // reached only when the distance is a multiple of the spacing.
        const int32_t count = static_cast<int32_t>(length / kPathSpacing) + 1;
        // The line's picture points along +x: turned a quarter back from atan2 (x, y).
        const float angle = std::atan2(dx, dy) - std::numbers::pi_v<float> / 2.0f;
        for (int32_t point = 0; point < count; ++point) {
            const float along = kPathSpacing * static_cast<float>(point) / length;
            mSelectionPath.push_back({fromX + dx * along, fromY + dy * along, angle});
        }
    }
}
