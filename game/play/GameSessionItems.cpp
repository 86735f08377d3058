// The power items: arming the torch and the water from the head-up display, the shuffle,
// the stock in the current profile, the item tiles a chain collects, and the web burst a
// burnt spider web sets off; and the survivor game's way to end a stage.

#include "game/play/GameSession.h"

#include "framework/app/common/Assert.h"
#include "framework/app/common/RuntimeRandom.h"
#include "game/AnimatedWidget.h"
#include "game/Creature.h"
#include "game/GameStats.h"
#include "game/Habitat.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/physics/SafeNormalize.h"
#include "game/play/BoardTile.h"
#include "game/play/GameBoard.h"
#include "game/play/PlayHost.h"
#include "game/screens/MenuServices.h"
#include "platform/physics/XtremaPhysics.h"

#include <cmath>
#include <string>

namespace {

// The armed item's number is the lock kind it takes off.
constexpr int32_t kNoItem = -1;
constexpr int32_t kTorch = LOCK_SPIDER_WEB;
constexpr int32_t kWater = LOCK_BANANAS;
// Units of stock one use costs and one collected item tile brings.
constexpr int32_t kUnitsPerItem = 3;
constexpr int32_t kItemTilePoints = 500;
constexpr int32_t kHunterPoints = 900;

// The web burst: a fireball covers its 600 pixels in 128 drawn frames; its picture is drawn
// from its top-left corner, this far from its centre.
constexpr float kBurstStepFraction = 1.0f / 128.0f;
constexpr float kFireballHalfWidth = 86.0f;
constexpr float kFireballHalfHeight = 43.0f;
// Degrees: the first fireball starts anywhere on the circle, each next one 30 to 99
// degrees further on. The start angle wraps at 350, so 351 to 359 are reached only by the
// first fireball.
constexpr int32_t kCircleDegrees = 360;
constexpr int32_t kMinBurstSpread = 30;
constexpr int32_t kBurstSpreadRange = 70;
constexpr int32_t kBurstWrap = 350;
// The fireball's turn is its path's heading (x and y swapped) less a quarter turn.
constexpr float kQuarterTurnDegrees = 90.0f;

void Restart(AnimatedWidget& layer)
{
    layer.ResetFrame();
    layer.mStatus = ANIM_RUNNING;
}

PlayerProfile& CurrentProfile(const GameSession& session)
{
    PlayerProfile* const profile = session.mHost.GetCurrentProfile();
    // A session runs only for a current player.
    ZEST_ASSERT(profile != nullptr);
    return *profile;
}

// An item of the stock can be used while it holds one use or more.
bool HasUse(const int32_t stock) { return stock / kUnitsPerItem != 0; }

// A screen of the session that takes the player's attention keeps the items from being used.
bool ItemsUsable(const GameSession& session)
{
    return session.mState == STATE_PLAY && session.mPauseMenu == nullptr && session.mSurvivorTally == nullptr &&
           session.mMode != MODE_MATCH_SEARCH;
}

// A second press of either arm button puts the armed item away instead of arming.
void ArmItem(GameSession& session, const int32_t item, const int32_t stock, Zest::Image* const cursor)
{
    if (session.mSurvivorOn)
        return;
    if (session.mItemArmed) {
        session.DisarmItem();
        return;
    }
    if (session.mStage.mPowerItems < 0 || !ItemsUsable(session) || !HasUse(stock))
        return;
    session.mArmedItem = item;
    session.mItemArmed = true;
    session.mHost.SetPointerImage(cursor);
}

// Stages without items neither show the flash nor take the stock.
void AddStock(const GameSession& session, AnimatedWidget& flash, int32_t& stock)
{
    if (session.mStage.mPowerItems < 0)
        return;
    Restart(flash);
    stock += kUnitsPerItem;
}

} // namespace

void GameSession::ArmTorch()
{
    ArmItem(*this, kTorch, CurrentProfile(*this).mTorches, IMAGE_GAME_TORCH_CURSOR);
}

void GameSession::ArmWater() { ArmItem(*this, kWater, CurrentProfile(*this).mWater, IMAGE_GAME_BUCKET); }

// The stage's item rule does not apply: a shuffle from the stock works in every stage.
void GameSession::UseShuffle()
{
    if (mSurvivorOn)
        return;
    DisarmItem();
    if (!ItemsUsable(*this))
        return;
    ZEST_ASSERT(mBoard != nullptr);
    PlayerProfile& profile = CurrentProfile(*this);
    if (mBoard->mPhase != PHASE_IDLE || !HasUse(profile.mShuffles))
        return;
    mBoard->SetPhase(PHASE_SHUFFLE_START);
    profile.mShuffles -= kUnitsPerItem;
    GetMenuServices().PlaySoundEffect(SOUND_SHUFFLE);
}

void GameSession::DisarmItem()
{
    mArmedItem = kNoItem;
    mItemArmed = false;
    mHost.SetPointerImage(IMAGE_CUSTOM_POINTER);
}

void GameSession::SpendArmedItem()
{
    PlayerProfile& profile = CurrentProfile(*this);
    if (mArmedItem == kTorch)
        profile.mTorches -= kUnitsPerItem;
    else if (mArmedItem == kWater)
        profile.mWater -= kUnitsPerItem;
}

void GameSession::AddTorches() { AddStock(*this, mTorchFlash, CurrentProfile(*this).mTorches); }

void GameSession::AddWater() { AddStock(*this, mWaterFlash, CurrentProfile(*this).mWater); }

void GameSession::AddShuffles() { AddStock(*this, mShuffleFlash, CurrentProfile(*this).mShuffles); }

// The points are paid even where the stage refuses the stock.
void GameSession::CollectItemTile(BoardTile* const tile)
{
    ZEST_ASSERT(tile != nullptr && tile->mCreature != nullptr);
    const std::string name = tile->mCreature->GetName();
    Zest::Image* popup = IMAGE_GAME_PNT_500;
    int32_t points = kItemTilePoints;
    if (name == "torch") {
        AddTorches();
    } else if (name == "water") {
        AddWater();
    } else if (name == "shuffle") {
        AddShuffles();
    } else if (name == "hunter") {
        popup = IMAGE_GAME_PNT_900;
        points = kHunterPoints;
    } else {
        return;
    }
    ZEST_ASSERT(mBoard != nullptr);
    const auto [x, y] = mBoard->GetSelectionCenter();
    AddFloatingImage(popup, FLOAT_RISE, x, y);
    AddScore(points);
}

// Each fireball starts 600 pixels from the point and flies straight at it, turned along its
// path; the draw pass moves it one step per frame.
void GameSession::StartWebBurst(const float x, const float y)
{
    ZEST_ASSERT(mCirclePoints.size() == static_cast<size_t>(kCircleDegrees));
    mBurstStep = 0;
    mStateFrames = 0;
    mState = STATE_WEB_BURST;
    mBurstVelocities.clear();
    mBurstPositions.clear();
    const XtremaPHX2D::Vec2 target(x, y);
    int32_t degrees = Zest::Rand() % kCircleDegrees;
    for (AnimatedWidget& fireball : mFireballs) {
        const auto [circleX, circleY] = mCirclePoints[static_cast<size_t>(degrees)];
        const XtremaPHX2D::Vec2 start = target + XtremaPHX2D::Vec2(circleX, circleY);
        const XtremaPHX2D::Vec2 path = target - start;
        const XtremaPHX2D::Vec2 step = SafeNormalize(path) * (XtremaPHX2D::xtrLenV2(path) * kBurstStepFraction);
        mBurstVelocities.emplace_back(step.x, step.y);
        mBurstPositions.emplace_back(start.x - kFireballHalfWidth, start.y - kFireballHalfHeight);

        Restart(fireball);
        fireball.SetSpinSpeed(0.0f);
        const float turn = std::atan2(path.x, path.y) - XtremaPHX2D::xtrDegToRad(kQuarterTurnDegrees);
        fireball.mAngle = DegToRad(XtremaPHX2D::xtrRadToDeg(turn));

        degrees += kMinBurstSpread + Zest::Rand() % kBurstSpreadRange;
        if (degrees > kBurstWrap)
            degrees -= kBurstWrap;
    }
}

int32_t GameSession::GetEffectFrame() const
{
    ZEST_ASSERT(!mFireballs.empty());
    return mFireballs.front().mFrame;
}

int32_t GameSession::GetEffectStatus() const
{
    ZEST_ASSERT(!mFireballs.empty());
    return mFireballs.front().mStatus;
}

// The goals the stage still had open count as collected; the board clears out for the next
// stage, or, after the habitat's last, settles as after a final chain.
void GameSession::AdvanceStage()
{
    if (mState != STATE_PLAY)
        return;
    ZEST_ASSERT(mBoard != nullptr);
    mHabitat->AddStageProgress(mStage);
    mStage.ClearGoalCounts();
    mStats->mStageChains = 0;
    mStats->mStageMoves = 0;
    mHabitat->MarkStageDone(mStage.mIndex);
    mRebuildBoard = true;

    if (mHabitat->StartNextStage(mStage)) {
        mMode = mStage.mMode;
        mState = STATE_STAGE_CLEARED;
        mBoard->mKeepPlates = false;
        CurrentProfile(*this).mStageIndex = mStage.mIndex;
        mBoard->RemoveSelectedTiles();
        mBoard->SetPhase(PHASE_CLEAR_OUT);
    } else {
        mRebuildBoard = false;
        mState = STATE_GOAL_COMPLETE;
        mBoard->ComputeFallDistances();
        mBoard->RemoveSelectedTiles();
        mBoard->ApplyGravity();
        mBoard->SetPhase(PHASE_SETTLE);
        mStats->mStageMoves = 0;
        Restart(mEffect);
    }
    Restart(mEffect2);
    DisarmItem();
}
