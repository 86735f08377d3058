// Selection processing and scoring. A finished chain on the board becomes a move here: its
// minimum length, the statistics, the points and bonuses, the stage's goals, the end of the
// stage or the habitat, the survivor game's threat, and the tiles leaving the board. Every
// point goes into the score through AddScore and shows as popups, which never decide
// anything themselves.

#include "game/play/GameSession.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Image.h"
#include "game/GameRandom.h"
#include "game/GameStats.h"
#include "game/Habitat.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/play/BoardTile.h"
#include "game/play/GameBoard.h"
#include "game/play/PlayHost.h"
#include "game/screens/MenuServices.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

namespace {

using Point = std::pair<float, float>;

// The centre of the screen, where the stage's and the plates' cheers zoom.
constexpr float kScreenCentreX = 400.0f;
constexpr float kScreenCentreY = 300.0f;

constexpr int32_t kPointsPerTile = 50;
constexpr int32_t kMasterComboPoints = 10000;
constexpr int32_t kFullLinePoints = 2000;
constexpr int32_t kFullDiagonalPoints = 4000;
constexpr int32_t kSearchHitPoints = 300;
constexpr int32_t kPairPoints = 550;
// A filled frame of 2, 3 and 4 tiles of one creature.
constexpr std::array<int32_t, 3> kFramePoints = {2500, 5000, 7500};
constexpr int32_t kDiamondPoints = 100;
constexpr int32_t kLockRemovedPoints = 750;
// The plate bonus of each plate kind: copper, silver, golden.
constexpr std::array<int32_t, 3> kPlatePoints = {15000, 25000, 50000};
// A match-same chain this long or longer is tested for full lines.
constexpr int32_t kLineChainLength = 6;
// Popups of a number show at most this many digits of a large value.
constexpr int32_t kMaxShownDigits = 6;
constexpr int32_t kTenMillion = 10000000;
// The survivor game may break in once the stage is past this percent.
constexpr int32_t kThreatFromPercent = 60;
// The praise of a first chain stands this far below the chain's centre, in pixels.
constexpr float kPraiseDropY = 80.0f;
// Pixels between the lines of a bonus's cheer and its points.
constexpr float kCheerOffsetY = 40.0f;
constexpr float kMasterCheerOffsetY = 100.0f;
constexpr float kRowPointsOffsetY = 80.0f;

void PlaySound(const int32_t soundId) { GetMenuServices().PlaySoundEffect(soundId); }

Zest::Image* BigDigit(const int32_t digit)
{
    ZEST_ASSERT(digit >= 0 && digit <= 9);
    return static_cast<Zest::Image*>(GetResourceById(IMAGE_GAME_BIG_0_ID + digit));
}

int32_t CountDigits(int64_t value)
{
    int32_t digits = 1;
    while (value >= 10) {
        value /= 10;
        ++digits;
    }
    return digits;
}

// The shortest chain the mode accepts without force; match search takes any.
int32_t MinimumChainLength(const int32_t mode)
{
    switch (mode) {
    case MODE_MATCH_PAIRS:
        return 2;
    case MODE_MATCH_SEARCH:
        return 1;
    default:
        return 3;
    }
}

bool ChainShowsOneCreature(const std::vector<BoardTile*>& chain)
{
    ZEST_ASSERT(!chain.empty());
    const Creature* const creature = chain.front()->mCreature;
    return std::all_of(chain.begin(), chain.end(),
                       [creature](const BoardTile* const tile) { return tile->mCreature == creature; });
}

// A value as a sign and `digits` digits centred on (x, y), one picture width apart: leading
// zeros fill a short value and the highest digits of a long one are left out.
void ShowNumber(GameSession& session, Zest::Image* const sign, int64_t value, const int32_t digits,
                       const Point at)
{
    ZEST_ASSERT(sign != nullptr && value >= 0 && digits > 0);
    const auto [x, y] = at;
    session.AddFloatingImage(sign, FLOAT_RISE, x - static_cast<float>(digits * sign->GetWidth() / 2), y);
    for (int32_t place = digits; place >= 1; --place) {
        Zest::Image* const digit = BigDigit(static_cast<int32_t>(value % 10));
        value /= 10;
        ZEST_ASSERT(digit != nullptr);
        const int32_t width = digit->GetWidth();
        session.AddFloatingImage(digit, FLOAT_RISE, x + static_cast<float>(place * width - digits * width / 2), y);
    }
}

// 50 points a tile, shown with three digits, or four from 1000 to 9999.
void ScoreChainPoints(GameSession& session, const int32_t chainLength, const Point centre)
{
    const int32_t points = kPointsPerTile * chainLength;
    const int32_t digits = points > 999 && points < 10000 ? 4 : 3;
    PlaySound(SOUND_SURPRISE_COLLECT);
    ShowNumber(session, IMAGE_GAME_BIG_PLUS, points, digits, centre);
    session.AddScore(points);
}

// One popup of a bonus, placed by its offset below the chain's centre in pixels.
struct BonusPopup {
    Zest::Image* mImage;
    int32_t mKind;
    float mOffsetY;
};

// A bonus: its cheer and the picture of its points, and the points.
void ShowBonus(GameSession& session, const BonusPopup& cheer, const BonusPopup& points, const int32_t amount,
               const Point centre)
{
    for (const BonusPopup& popup : {cheer, points})
        session.AddFloatingImage(popup.mImage, popup.mKind, centre.first, centre.second + popup.mOffsetY);
    session.AddScore(amount);
}

// The line bonuses of a long match-same chain, each paid when it holds; true when any did.
bool ScoreFullLines(GameSession& session, const Point centre)
{
    const GameBoard& board = *session.mBoard;
    bool any = false;
    if (board.IsFullColumn()) {
        ShowBonus(session, {IMAGE_GAME_CHEER_BONUS_COL, FLOAT_RISE, -kCheerOffsetY},
                  {IMAGE_GAME_PNT_2000, FLOAT_RISE, 0.0f}, kFullLinePoints, centre);
        ++session.mStats->mFullColumns;
        any = true;
    }
    if (board.IsFullRow()) {
        ShowBonus(session, {IMAGE_GAME_CHEER_BONUS_ROW, FLOAT_RISE, kCheerOffsetY},
                  {IMAGE_GAME_PNT_2000, FLOAT_RISE, kRowPointsOffsetY}, kFullLinePoints, centre);
        ++session.mStats->mFullRows;
        any = true;
    }
    if (board.IsFullDiagonal()) {
        ShowBonus(session, {IMAGE_GAME_CHEER_BONUS_SLOPE, FLOAT_RISE, -kCheerOffsetY},
                  {IMAGE_GAME_PNT_4000, FLOAT_RISE, 0.0f}, kFullDiagonalPoints, centre);
        any = true;
    }
    if (any)
        PlaySound(SOUND_COMBO_COLLECTOR);
    return any;
}

// Match same: the master combo, else 50 a tile, or for a long chain the line bonuses in
// their place. True when the line bonuses end the scoring.
bool ScoreMatchSame(GameSession& session, const int32_t chainLength, const Point centre)
{
    const GameBoard& board = *session.mBoard;
    const BoardTile* const first = board.mChain.front();
    // The chain took the last tiles of its creature.
    if (board.CountSameCreature(first) == 0 && board.mChain.size() >= 2 && first->mLevel > 0) {
        ShowBonus(session, {IMAGE_GAME_CHEER_AWESOME, FLOAT_RISE, kMasterCheerOffsetY},
                  {IMAGE_GAME_MASTERCOMBO, FLOAT_ZOOM, 0.0f}, kMasterComboPoints, centre);
        PlaySound(SOUND_COMBO_MASTER);
        ++session.mStats->mCollectorCombos;
        return false;
    }
    if (chainLength < 3)
        return false;
    if (chainLength >= kLineChainLength && ScoreFullLines(session, centre))
        return true;
    ScoreChainPoints(session, chainLength, centre);
    return false;
}

// A chain that the board built from a filled frame, of one creature: 2, 3 or 4 tiles.
void ScoreFrameBonus(GameSession& session, const int32_t chainLength, const Point centre)
{
    if (!ChainShowsOneCreature(session.mBoard->mChain))
        return;
    switch (chainLength) {
    case 2:
        ShowBonus(session, {IMAGE_GAME_CHEER_FANTASTIC, FLOAT_ZOOM, kCheerOffsetY},
                  {IMAGE_GAME_COMBO_BIG, FLOAT_RISE, 0.0f}, kFramePoints[0], centre);
        break;
    case 3:
        ShowBonus(session, {IMAGE_GAME_CHEER_FABULOUS, FLOAT_ZOOM, kCheerOffsetY},
                  {IMAGE_GAME_COMBO_EXTRA, FLOAT_RISE, 0.0f}, kFramePoints[1], centre);
        break;
    case 4:
        ShowBonus(session, {IMAGE_GAME_CHEER_MAGNIFICENT, FLOAT_ZOOM, kCheerOffsetY},
                  {IMAGE_GAME_COLLECTORCOMBO, FLOAT_RISE, 0.0f}, kFramePoints[2], centre);
        break;
    default:
        break;
    }
}

// The stage's goals are met: the next stage follows, or the habitat is complete.
void EndStage(GameSession& session)
{
    session.mStats->mStageChains = 0;
    session.SetElementsBlink(false);
    session.SetBackpackBlink(false);
    session.mRebuildBoard = true;
    session.mHabitat->MarkStageDone(session.mStage.mIndex);
    if (session.mHabitat->StartNextStage(session.mStage)) {
        session.mMode = session.mStage.mMode;
        session.mState = STATE_STAGE_CLEARED;
        session.mBoard->mKeepPlates = false;
    } else {
        session.mRebuildBoard = false;
        session.mState = STATE_GOAL_COMPLETE;
        session.mStateFrames = 0;
        session.AddFloatingImage(IMAGE_GAME_CHEER_GOALCOMPLETE, FLOAT_ZOOM, kScreenCentreX, kScreenCentreY);
    }
    PlaySound(SOUND_AWARD_SURVIVOR);
}

// Past 60 percent of the stage, the stage's panic chance may start the survivor game.
void RollThreat(GameSession& session)
{
    const int32_t roll = static_cast<int32_t>(session.mHost.GetGameRandom().Next(99));
    if (session.mStage.GetCompletionPercent() <= kThreatFromPercent || roll <= 100 - session.mStage.mPanicChance)
        return;
    session.mSpookyCreature.ResetFrame();
    session.mSpookyCreature.mColor = Zest::Color(255, 255, 200, 255);
    session.mSpookyCreature.mStatus = ANIM_RUNNING;
    session.mPoisonCloud.mScale = 3.0f;
    session.mPoisonCloud.ResetFrame();
    session.mPoisonCloud.mStatus = ANIM_RUNNING;
    PlaySound(SOUND_SPOOKY);
    session.mState = STATE_SURVIVOR_INTRO;
    session.mStateFrames = 0;
}

} // namespace

void GameSession::ProcessSelection(const bool countGoals, const bool byPlayer, const bool force)
{
    ZEST_ASSERT(mBoard != nullptr);
    GameBoard& board = *mBoard;
    const int32_t length = static_cast<int32_t>(board.mChain.size());
    // A release with no chain at all is no move, in match search too.
    if (length == 0) {
        board.ClearSelection();
        return;
    }
    if (length == 1 && mMode != MODE_MATCH_SEARCH) {
        BoardTile* const tile = board.mChain.front();
        // A single creature is no move, except as a rescue in the survivor game.
        if (tile->mLevel > 0 && !mSurvivorOn) {
            board.ClearSelection();
            return;
        }
        CollectItemTile(tile);
    } else if (length < MinimumChainLength(mMode) && !force) {
        board.ClearSelection();
        return;
    }
    // A chain the board built itself takes the items inside it along.
    if (length > 1 && (mMode == MODE_FOOD_CHAIN || mMode == MODE_MATCH_SAME) && !byPlayer) {
        for (BoardTile* const tile : board.mChain) {
            if (tile->mLevel < 0)
                CollectItemTile(tile);
        }
    }

    mStats->mLongestChain = std::max(mStats->mLongestChain, length);
    mStats->mTilesTaken += length;
    if (mMode == MODE_MATCH_PAIRS)
        ++mStats->mPairsMatched;

    const int32_t combosBefore = mStats->mCollectorCombos;
    ScoreSelection(length, byPlayer);
    const bool masterCombo = mStats->mCollectorCombos == combosBefore + 1;

    mCollected.clear();
    if (countGoals)
        board.CollectChainCreatures(mCollected, mStage);

    // A single tile outside match search is a pick-up: it counts as a chain without goals.
    // In match search only a chain that hits a goal counts.
    bool goalHit = false;
    bool counted = true;
    if (length > 1 || mMode == MODE_MATCH_SEARCH) {
        if (countGoals)
            goalHit = board.CountChainForGoals(mStage);
        counted = goalHit || mMode != MODE_MATCH_SEARCH;
    }
    if (counted) {
        ++mStats->mChainsMade;
        ++mStats->mStageChains;
    }

    const bool goalsDone = mStage.AllGoalsDone();
    if (goalsDone)
        EndStage(*this);

    if (!goalsDone && !mSurvivorOn && mState != STATE_SURVIVOR_INTRO)
        RollThreat(*this);

    PlayerProfile* const profile = mHost.GetCurrentProfile();
    ZEST_ASSERT(profile != nullptr);
    // Praise for the first chain of the first adventure, once its first tip was read.
    if (mHabitat->mName == "Amazon" && profile->mStageIndex == 0 && mStats->mStageChains == 1 && length >= 3 &&
        profile->mTutorialSeen[0]) {
        const auto [x, y] = board.GetSelectionCenter();
        AddFloatingImage(IMAGE_GAME_RIGHTON, FLOAT_RISE, x, y + kPraiseDropY);
    }

    if (mState == STATE_STAGE_CLEARED) {
        board.RemoveSelectedTiles();
        board.SetPhase(PHASE_CLEAR_OUT);
        AddFloatingImage(IMAGE_GAME_CHEER_GOALCOMPLETE, FLOAT_ZOOM, kScreenCentreX, kScreenCentreY);
    } else {
        if (mSurvivorOn) {
            // Rescued tiles leave without the others falling: the survivor game's board
            // stands still.
            board.RemoveSelectedTiles();
        } else {
            board.ComputeFallDistances();
            board.RemoveSelectedTiles();
            board.ApplyGravity();
            if (byPlayer)
                ++mStats->mStageMoves;
        }
        board.SetPhase(PHASE_SETTLE);
        if (!mSurvivorOn && goalHit) {
            mEffect.ResetFrame();
            mEffect.mStatus = ANIM_RUNNING;
        }
    }
    if (!mSurvivorOn && AnyCollectedFlag()) {
        mEffect2.ResetFrame();
        mEffect2.mStatus = ANIM_RUNNING;
    }
    if (mMode == MODE_MATCH_SEARCH && mState == STATE_PLAY && mStage.GetCompletionPercent() > 1)
        board.PlaceSearchTargets();
    // No event while an item in the bottom row waits to be collected, nor in the survivor
    // game or its intro.
    if (!mSurvivorOn && board.NoItemInBottomRow() && mState != STATE_SURVIVOR_INTRO)
        mStage.RollEvent(mState, mEvent);
    if (masterCombo && mState == STATE_PLAY) {
        mState = STATE_FLOURISH;
        mFlourishDone = false;
    }
}

void GameSession::ScoreSelection(const int32_t chainLength, const bool byPlayer)
{
    if (chainLength == 0)
        return;
    ZEST_ASSERT(mBoard != nullptr && !mBoard->mChain.empty());
    const BoardTile* const first = mBoard->mChain.front();
    if (chainLength == 1) {
        if (first->mLevel < 0) {
            PlaySound(SOUND_SURPRISE_2);
            return;
        }
        if (mSurvivorOn) {
            PlaySound(SOUND_CAGE_RELEASE);
            return;
        }
    }
    const Point centre = mBoard->GetSelectionCenter();
    switch (mMode) {
    case MODE_MATCH_SAME:
        if (ScoreMatchSame(*this, chainLength, centre))
            return;
        break;
    case MODE_FOOD_CHAIN:
        if (byPlayer) {
            ScoreChainPoints(*this, chainLength, centre);
            return;
        }
        break;
    default:
        PlaySound(SOUND_COMBO_X3);
        if (chainLength == 1) {
            AddFloatingImage(IMAGE_GAME_PNT_300, FLOAT_RISE, centre.first, centre.second);
            AddScore(kSearchHitPoints);
        } else if (chainLength == 2) {
            AddFloatingImage(IMAGE_GAME_PNT_550, FLOAT_RISE, centre.first, centre.second);
            AddScore(kPairPoints);
        }
        break;
    }
    if (!byPlayer)
        ScoreFrameBonus(*this, chainLength, centre);
}

void GameSession::CheckFrame()
{
    // Pairs and search have no target frame.
    if (mState == STATE_GOAL_COMPLETE || mMode == MODE_MATCH_PAIRS || mMode == MODE_MATCH_SEARCH)
        return;
    ZEST_ASSERT(mBoard != nullptr);
    // A complete stage needs no new frame.
    if (mBoard->CheckFrame(true) && mStage.GetCompletionPercent() < 100)
        mBoard->PickFrame(true);
}

void GameSession::CheckPlatesCleared()
{
    ZEST_ASSERT(mBoard != nullptr);
    if (mBoard->CountPlatesLeft() == 0)
        AwardPlateBonus();
}

void GameSession::AwardPlateBonus()
{
    ZEST_ASSERT(mBoard != nullptr);
    // A stage read from a damaged file may name a plate kind that does not exist: it earns
    // nothing, as a stage without plates.
    const int32_t kind = mStage.mPlateKind;
    if (kind < 0 || kind >= static_cast<int32_t>(kPlatePoints.size()) ||
        kind >= static_cast<int32_t>(mBoard->mPlateBonusFlags.size()) || mBoard->mPlateBonusFlags[kind])
        return;
    static constexpr std::array<Zest::Image**, 3> pictures = {
        &IMAGE_GAME_PLATE_COPPER_BONUS, &IMAGE_GAME_PLATE_SILVER_BONUS, &IMAGE_GAME_PLATE_GOLDEN_BONUS};
    AddFloatingImage(*pictures[kind], FLOAT_ZOOM, kScreenCentreX, kScreenCentreY);
    AddScore(kPlatePoints[kind]);
    mBoard->mPlateBonusFlags[kind] = true;
    PlaySound(SOUND_COMBO_MASTER);
}

void GameSession::ShowDiamondBonus(BoardTile* const tile)
{
    ZEST_ASSERT(tile != nullptr);
    AddFloatingImage(IMAGE_GAME_PNT_DIAMOND, FLOAT_RISE, static_cast<float>(tile->mX), static_cast<float>(tile->mY));
    AddScore(kDiamondPoints);
}

void GameSession::ShowBonus750(BoardTile* const tile)
{
    ZEST_ASSERT(tile != nullptr);
    AddFloatingImage(IMAGE_GAME_PNT_750, FLOAT_RISE, static_cast<float>(tile->mX), static_cast<float>(tile->mY));
    AddScore(kLockRemovedPoints);
}

void GameSession::ShowHitBonus(const float x, const float y)
{
    AddFloatingImage(IMAGE_GAME_PNT_DIAMOND, FLOAT_RISE, x, y);
}

void GameSession::ShowShootPopup(const float x, const float y)
{
    AddFloatingImage(IMAGE_GAME_CHEER_SHOOT, FLOAT_ZOOM, x, y);
}

void GameSession::AddScoreWithPopup(const float x, const float y, const int32_t points)
{
    const int64_t amount = std::llabs(static_cast<int64_t>(points));
    const int32_t digits = amount >= kTenMillion ? kMaxShownDigits : CountDigits(amount);
    ShowNumber(*this, points >= 0 ? IMAGE_GAME_BIG_PLUS : IMAGE_GAME_BIG_MINUS, amount, digits, {x, y});
    AddScore(points);
}

// For now a collected item tile only leaves the board: it adds no stock and pays nothing.
bool GameSession::AnyCollectedFlag() const
{
    return std::any_of(mCollected.begin(), mCollected.end(), [](const bool collected) { return collected; });
}

void GameSession::SetElementsBlink(const bool on)
{
    mElementsBlink = on;
    mElementsBlinkAlpha = 0;
}

void GameSession::SetBackpackBlink(const bool on)
{
    mBackpackBlink = on;
    mBackpackBlinkAlpha = 0;
}

void GameSession::AddFloatingImage(Zest::Image* const image, const int32_t kind, const float x, const float y)
{
    ZEST_ASSERT(image != nullptr && (kind == FLOAT_RISE || kind == FLOAT_ZOOM));
    auto popup = std::make_unique<FloatingImage>();
    popup->mImage = image;
    popup->mKind = kind;
    popup->mX = x;
    popup->mY = y;
    mFloatingImages.push_back(std::move(popup));
}

void GameSession::UpdateFloatingImages() { StepFloatingImages(mFloatingImages); }

void GameSession::DrawFloatingImages(Zest::Graphics* const g, const bool halfSize)
{
    DrawFloatingImageList(g, mFloatingImages, halfSize);
}
