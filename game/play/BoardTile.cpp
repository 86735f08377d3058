#include "game/play/BoardTile.h"

// A tile's life is a state machine stepped once per drawn frame by its board:
//   HIDDEN -> APPEARING (deal-in) -> IDLE;
//   IDLE -> FALLING -> IDLE when a cell below empties;
//   IDLE -> REMOVED -> FLYING -> GONE when a chain takes it (the board then deletes it);
//   IDLE -> FADING -> HIDDEN when a cleared stage is refilled;
//   IDLE -> INFECTED -> IDLE (trapped) in the survivor game;
//   IDLE -> UNLOCKING -> IDLE (or falling) when an item frees a lock;
//   IDLE -> RESETTING -> IDLE for the reset flash.
// Effect layers are started by the operations below and stepped and drawn only in the states
// that show them.

#include "framework/app/common/Assert.h"
#include "framework/app/common/RuntimeRandom.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/graphics/Matrix3.h"
#include "game/Creature.h"
#include "game/GameOptions.h"
#include "game/GameStats.h"
#include "game/Res.h"
#include "game/play/GameBoard.h"
#include "game/play/GameSession.h"
#include "game/play/PlayHost.h"
#include "game/screens/MenuServices.h"

#include <algorithm>
#include <cmath>

namespace {

// The game's own approximation of pi, kept so that the wobbles and jumps turn as they always did.
constexpr float kGamePi = 3.1415255f;
constexpr float kDegreesToRadians = 0.01745329251f;
// Pixels a falling tile moves per update.
constexpr int32_t kFallStep = 8;
// A jumping tile is gone once its y passes this (the bottom of the 600-pixel screen, less a
// margin).
constexpr int32_t kFlyOffScreenY = 580;
// The appear layer is drawn this far up and left of the tile, being larger than it.
constexpr int32_t kAppearLayerOffset = 13;
// The body fades in from this cell of the appear layer on, by kAppearAlphaStep per draw.
constexpr int32_t kAppearBodyCell = 18;
constexpr int32_t kAppearAlphaStep = 42;
// The wash is drawn this much above the tile's centre.
constexpr float kWaterRaise = 23.0f;
// The cell of the session's fireball at which a waiting web catches fire.
constexpr int32_t kFireballIgniteCell = 39;
// The gender symbol's left edge, from the tile's right edge.
constexpr int32_t kGenderSymbolInset = 22;
constexpr int32_t kOpaque = 255;

void PlaySound(const int32_t soundId) { GetMenuServices().PlaySoundEffect(soundId); }

bool AnimalNamesOn() { return GameOptionsHolder::Instance().mAnimalNames; }

bool IsRunning(const AnimatedWidget& layer) { return layer.mStatus == ANIM_RUNNING; }

const Creature& RequireCreature(const Creature* const creature)
{
    ZEST_ASSERT(creature != nullptr);
    return *creature;
}

} // namespace

BoardTile::BoardTile(Creature* const creature, GameBoard* const board)
    : mLevel(RequireCreature(creature).mLevel), mTileImage(creature->mTileImage), mLabelImage(creature->mLabelImage),
      mCreature(creature), mBoard(board)
{
    ZEST_ASSERT(board != nullptr);
    SetState(TILE_HIDDEN);
    mVariant = Zest::Rand() % 10000 >= 5000 ? 1 : 0;

    const PlayHost& host = mBoard->mHost;
    host.SetupAnimatedWidget(mAppearAnim, IMAGE_GAME_EFFECTANIM_TILE_SHOWING_UP);
    host.SetupAnimatedWidget(mPopAnim, IMAGE_GAME_EFFECTANIM_003);
    mPopAnim.mScale = 2.0f;
    host.SetupAnimatedWidget(mLockAnim, IMAGE_GAME_EFFECTANIM_003);
    host.SetupAnimatedWidget(mFireAnim, IMAGE_GAME_SPIDER_WEB_FIRE);
    host.SetupAnimatedWidget(mGlowAnim, IMAGE_GAME_HINT_EFFECT);
    mGlowAnim.mScale = 1.5f;
    mGlowAnim.mPlayMode = PLAY_ONCE;
    mGlowAnim.mColor = Zest::Color(255, 250, 0, 255);
    host.SetupAnimatedWidget(mVirusAnim, IMAGE_GAME_EFFECTANIM_VIRUS);
    mVirusAnim.mColor = Zest::Color(200, 0, 0, 255);
    host.SetupAnimatedWidget(mWaterAnim, IMAGE_GAME_WATER_EFFECT);
}

BoardTile::~BoardTile() = default;

GameSession* BoardTile::Session() const { return mBoard->mHost.GetGameSession(); }

bool BoardTile::SurvivorOn() const
{
    const GameSession* const session = Session();
    return session != nullptr && session->mSurvivorOn;
}

void BoardTile::SetState(const int32_t state)
{
    mPrevState = mState;
    mState = state;
    // The board takes no input until the unlocking has played out (UpdateUnlocking).
    if (state == TILE_UNLOCKING && !SurvivorOn()) {
        mTimer = 0.0f;
        mBoard->SetDisabled(true);
    }
}

void BoardTile::SetSelected(const bool selected)
{
    mSelected = selected;
    mTimer = 0.0f;
}

void BoardTile::SetInfected(const bool infected)
{
    mInfected = infected;
    if (infected) {
        SetState(TILE_INFECTED);
        mInfectionTimer = 0;
        StartLayer(mVirusAnim);
    } else {
        SetState(TILE_IDLE);
    }
}

void BoardTile::StartWebBurstIfWebbed()
{
    GameSession* const session = Session();
    if (mLock == LOCK_SPIDER_WEB && session != nullptr)
        session->StartWebBurst(static_cast<float>(mX), static_cast<float>(mY));
}

void BoardTile::SetLock(const int32_t kind)
{
    ZEST_ASSERT(kind >= LOCK_NONE && kind <= LOCK_CAGE);
    if (kind == LOCK_NONE) {
        StartWebBurstIfWebbed();
        mPrevLock = mLock;
    }
    mLock = kind;
    // A lock going keeps its picture: it is drawn while mPrevLock is pending.
    if (kind == LOCK_SPIDER_WEB)
        mLockImage = IMAGE_GAME_SPIDERWEB;
    else if (kind == LOCK_BANANAS)
        mLockImage = IMAGE_GAME_BANANAS;
    else if (kind == LOCK_CAGE)
        mLockImage = IMAGE_GAME_CAGE;
    mLockAnim.mStatus = ANIM_FINISHED;
}

void BoardTile::SetLockByImage(Zest::Image* const image)
{
    if (image == nullptr) {
        StartWebBurstIfWebbed();
        mLock = LOCK_NONE;
    } else if (image == IMAGE_GAME_SPIDERWEB) {
        mLock = LOCK_SPIDER_WEB;
        PlaySound(SOUND_LOCK_SPIDER);
    } else if (image == IMAGE_GAME_BANANAS) {
        mLock = LOCK_BANANAS;
        PlaySound(SOUND_LOCK_BANANA);
    } else if (image == IMAGE_GAME_CAGE) {
        mLock = LOCK_CAGE;
    }
    StartLayer(mLockAnim);
    mLockImage = image;
}

void BoardTile::ResetEffectLayers(const int32_t which)
{
    if (which == 0) {
        StartLayer(mFireAnim);
        StartLayer(mGlowAnim);
    } else {
        StartLayer(mWaterAnim);
    }
}

std::pair<float, float> BoardTile::GetCenter() const
{
    return {static_cast<float>(mX + mWidth / 2), static_cast<float>(mY + mHeight / 2)};
}

bool BoardTile::HitTest(const int32_t x, const int32_t y) const
{
    const auto [centreX, centreY] = GetCenter();
    const float dx = static_cast<float>(x) - centreX;
    const float dy = static_cast<float>(y) - centreY;
    return std::sqrt(dx * dx + dy * dy) <= kHitRadius;
}

bool BoardTile::IsAppearing() const { return IsRunning(mAppearAnim); }

void BoardTile::StartLayer(AnimatedWidget& layer)
{
    layer.ResetFrame();
    layer.mStatus = ANIM_RUNNING;
}

void BoardTile::MouseButtonDown(int, int, int, int) { JoinChain(); }

void BoardTile::MouseEnter() { JoinChain(); }

void BoardTile::MouseLeave() { mIsOver = false; }

void BoardTile::JoinChain()
{
    // A locked tile does not even show the pointer over it.
    if (mLock != LOCK_NONE)
        return;
    mIsOver = true;
    if (mState == TILE_FALLING || mDropCells > 0)
        return;
    const GameSession* const session = Session();
    if (session == nullptr || !mBoard->IsAdjacentToLast(this))
        return;
    if (mBoard->TryAddToSelection(this, session->mMode))
        PlaySound(SOUND_NUMBER_COUNTING);
}

void BoardTile::UpdateSmooth(const float fraction)
{
    mTimer += fraction;
    switch (mState) {
    case TILE_IDLE:
        UpdateIdle();
        break;
    case TILE_FALLING:
        UpdateFalling();
        break;
    case TILE_REMOVED:
        StartFlying();
        break;
    case TILE_FLYING:
        UpdateFlying();
        break;
    case TILE_FADING:
        mAlpha -= 10;
        if (mAlpha < 0) {
            mAlpha = 0;
            SetState(TILE_HIDDEN);
        }
        break;
    case TILE_APPEARING:
    case TILE_RESETTING:
        UpdateAppearing();
        break;
    case TILE_INFECTED:
        UpdateInfected();
        break;
    case TILE_UNLOCKING:
        UpdateUnlocking(fraction);
        break;
    default:
        // Hidden and gone tiles wait for the board.
        break;
    }
}

void BoardTile::UpdateIdle()
{
    if (IsRunning(mLockAnim))
        mLockAnim.Update();
    if (IsRunning(mWaterAnim))
        mWaterAnim.Update();
    if (mBoard->mPhase != PHASE_IDLE || mBoard->GetCell(this).second != GameBoard::kRows - 1)
        return;
    if (mLevel < 0)
        CollectItem();
    else if (mLock == LOCK_CAGE)
        FreeFromCage();
}

void BoardTile::CollectItem()
{
    // An item that reached the bottom is played as a chain of its own once nothing moves.
    GameSession* const session = Session();
    if (session == nullptr || !mBoard->IsSettled())
        return;
    mBoard->ClearSelection();
    if (mBoard->TryAddToSelection(this, session->mMode))
        session->ProcessSelection(false, false, false);
}

void BoardTile::FreeFromCage()
{
    SetLock(LOCK_NONE);
    mPrevLock = LOCK_NONE;
    mLockImage = nullptr;
    StartLayer(mLockAnim);
    PlaySound(SOUND_CAGE_RELEASE_REAL);
    PlaySound(SOUND_SURPRISE_3);
    GameSession* const session = Session();
    if (session != nullptr) {
        session->ShowDiamondBonus(this);
        session->CheckFrame();
    }
}

void BoardTile::UpdateFalling()
{
    if (mDropRemaining > 0) {
        Move(mX, std::min(mY + kFallStep, mTargetY));
        mDropRemaining -= kFallStep;
        return;
    }
    Move(mX, mTargetY);
    mDropCells = 0;
    mDropRemaining = 0;
    SetState(TILE_IDLE);
    if (mLevel == Creature::LEVEL_HUNTER && mBoard->GetCell(this).second != GameBoard::kRows - 1)
        mBoard->StartHunterJump(this);
}

void BoardTile::StartFlying()
{
    mFlyStartY = mY;
    mTimer = 0.0f;
    mFlyDir = Zest::Rand() % 100 < 50 ? 1 : -1;
    StartLayer(mPopAnim);
    SetState(TILE_FLYING);
    // The board takes input again once the tile has fallen off the screen (UpdateFlying).
    if (!SurvivorOn())
        mBoard->SetDisabled(true);
}

void BoardTile::UpdateFlying()
{
    mPopAnim.Update();
    if (mPopAnim.mFrame >= 3)
        mAlpha = std::max(mAlpha - 15, 0);
    // A parabola: 4 pixels below the start at mTimer 0, back at the start at 10, then down.
    const double fromTop = static_cast<double>(mTimer) - 10.0;
    const int32_t lift = static_cast<int32_t>(std::trunc(-0.045 * fromTop * fromTop));
    Move(mX + mFlyDir, mFlyStartY - lift);
    if (mY > kFlyOffScreenY) {
        SetState(TILE_GONE);
        mBoard->SetDisabled(false);
    }
    mAlpha = std::max(mAlpha - 1, 0);
}

void BoardTile::UpdateAppearing()
{
    switch (mAppearAnim.mStatus) {
    case ANIM_READY:
        StartLayer(mAppearAnim);
        break;
    case ANIM_RUNNING:
        mAppearAnim.Update();
        break;
    case ANIM_FINISHED:
        SetState(TILE_IDLE);
        mAppearAnim.mStatus = ANIM_READY;
        mAlpha = kOpaque;
        break;
    default:
        ZEST_ASSERT(false);
        break;
    }
}

void BoardTile::UpdateInfected()
{
    if (IsRunning(mVirusAnim))
        mVirusAnim.Update();
    ++mInfectionTimer;
    if (mInfectionTimer < kInfectionUpdates)
        return;
    SetInfected(false);
    mTrapped = true;
    StartLayer(mLockAnim);
    mBoard->SpreadInfection(this);
}

void BoardTile::UpdateUnlocking(const float fraction)
{
    GameSession* const session = Session();
    // A burning web waits for the session's fireball to reach it before its own fire starts.
    if (mPrevLock == LOCK_SPIDER_WEB && !IsRunning(mFireAnim) && session != nullptr &&
        session->GetEffectStatus() == ANIM_RUNNING && session->GetEffectFrame() <= kFireballIgniteCell) {
        if (session->GetEffectFrame() == kFireballIgniteCell) {
            ResetEffectLayers(0);
            PlaySound(SOUND_FIREBALL_BURST);
            ++session->mStats->mWebsBurnt;
        }
        return;
    }

    if (IsRunning(mLockAnim)) {
        mLockAnim.Update();
        return;
    }
    if (IsRunning(mFireAnim)) {
        mFireAnim.Update();
        mGlowAnim.Update();
        mGlowAnim.mScale += 0.1f * fraction;
        return;
    }
    if (IsRunning(mWaterAnim)) {
        mWaterAnim.Update();
        return;
    }

    // Every layer has played out: the tile is free.
    if (mPrevLock == LOCK_SPIDER_WEB) {
        // The cells below a web were left empty: the freed tile falls into them and its column
        // refills.
        mBoard->RefillColumnAbove(this);
    } else {
        SetState(TILE_IDLE);
        if (session != nullptr)
            session->CheckFrame();
    }
    if (mPrevLock == LOCK_BANANAS && session != nullptr)
        ++session->mStats->mBananasCleared;
    if (mPrevLock != LOCK_NONE) {
        if (session != nullptr)
            session->ShowBonus750(this);
        PlaySound(SOUND_SURPRISE_3);
        mBoard->SetDisabled(false);
    }
    mPrevLock = LOCK_NONE;
    mGlowAnim.mScale = 1.0f;
    mLockImage = nullptr;
}

void BoardTile::Draw(Zest::Graphics* const g)
{
    if (mTileImage == nullptr)
        return;
    switch (mState) {
    case TILE_HIDDEN:
        break;
    case TILE_FLYING:
        DrawFlying(g);
        break;
    case TILE_APPEARING:
    case TILE_RESETTING:
        DrawAppearing(g);
        break;
    case TILE_FADING:
        DrawTile(g);
        break;
    default:
        if (mSelected)
            DrawSelected(g);
        else
            DrawTile(g);
        break;
    }
}

void BoardTile::DrawFlying(Zest::Graphics* const g)
{
    g->SetColorizeImages(true);
    g->SetColor(Zest::Color(255, 255, 255, mAlpha));
    const float angle = mTimer * kGamePi / 180.0f;
    const float scale =
        0.65f * std::sin(angle) + static_cast<float>(kSize) / static_cast<float>(mTileImage->GetWidth());
    Zest::Transform transform;
    transform.Scale(scale, scale);
    transform.RotateRad(0.2f * angle * static_cast<float>(mFlyDir));
    g->SetLinearBlend(true);
    if (mSearchMark)
        g->SetColor(Zest::Color(200, 0, 0, 255));
    const float centreX = static_cast<float>(mWidth - 10) * 0.5f;
    const float centreY = static_cast<float>(mHeight - 10) * 0.5f;
    g->DrawImageTransform(mTileImage, transform, centreX, centreY);
    if (AnimalNamesOn() && mLabelImage != nullptr)
        g->DrawImageTransform(mLabelImage, transform, centreX, centreY);
    g->SetColor(Zest::Color(255, 255, 255, mAlpha));
    DrawLayerCentred(g, mPopAnim);
}

void BoardTile::DrawAppearing(Zest::Graphics* const g)
{
    if (mAppearAnim.mFrame == 0)
        mAlpha = 0;
    // The body fades in under the second half of the appear layer.
    if (mAppearAnim.mFrame >= kAppearBodyCell) {
        mAlpha = std::min(mAlpha + kAppearAlphaStep, kOpaque);
        DrawTile(g);
    }
    g->SetColor(Zest::Color::White);
    g->Translate(-kAppearLayerOffset, -kAppearLayerOffset);
    mAppearAnim.Draw(g);
    g->Translate(kAppearLayerOffset, kAppearLayerOffset);
}

void BoardTile::DrawSelected(Zest::Graphics* const g)
{
    // A chain tile wobbles; its lock, marks and layers are not shown.
    g->SetColor(Zest::Color(255, 255, 255, mAlpha));
    const double angle = 0.25 * std::sin(mTimer * 1.5f * kGamePi / 180.0f);
    g->DrawImageRotated(mTileImage, 0.0f, 0.0f, angle);
    if (AnimalNamesOn() && mLabelImage != nullptr)
        g->DrawImageRotated(mLabelImage, 0.0f, 0.0f, angle);
    const GameSession* const session = Session();
    if (session != nullptr && session->mMode == MODE_MATCH_PAIRS && mLevel > 0)
        DrawGenderSymbol(g);
    DrawOverlayPicture(g);
}

void BoardTile::DrawTile(Zest::Graphics* const g)
{
    g->SetColorizeImages(true);
    if (mHint && GameOptionsHolder::Instance().mHintFeature) {
        DrawHintGlow(g);
    } else if (mTrapped) {
        DrawTrapped(g);
        return;
    }

    DrawCreature(g);
    if (mInfected && IsRunning(mVirusAnim))
        DrawLayerCentred(g, mVirusAnim);
    if (ShowsGenderSymbol())
        DrawGenderSymbol(g);
    DrawOverlayPicture(g);
    if ((mLock != LOCK_NONE || mPrevLock != LOCK_NONE) && mLockImage != nullptr)
        g->DrawImage(mLockImage, 0, 0);
    if (IsRunning(mLockAnim))
        DrawLayerCentred(g, mLockAnim);
    if (IsRunning(mWaterAnim))
        DrawLayerCentred(g, mWaterAnim, kWaterRaise);
    if (IsRunning(mFireAnim))
        DrawBurningWeb(g);
}

void BoardTile::DrawHintGlow(Zest::Graphics* const g)
{
    g->SetColor(Zest::Color(255, 255, 255, (3 * mAlpha) >> 2));
    const float scale = 0.95f + 0.05f * std::sin(mTimer * kDegreesToRadians);
    Zest::Transform transform;
    transform.Scale(scale, scale);
    g->SetLinearBlend(true);
    DrawCentredAtMiddle(g, IMAGE_GAME_HINT_GOLD, transform);
}

void BoardTile::DrawTrapped(Zest::Graphics* const g)
{
    g->SetColor(Zest::Color(255, 255, 255, mAlpha));
    Zest::Image* const dead = IMAGE_GAME_ANIMAL_DEAD;
    ZEST_ASSERT(dead != nullptr);
    g->DrawImageAtFloat(dead, static_cast<float>(mWidth - dead->GetWidth()) * 0.5f,
                        static_cast<float>(mHeight - dead->GetHeight()) * 0.5f);
    if (IsRunning(mLockAnim))
        DrawLayerCentred(g, mLockAnim);
    if (IsRunning(mWaterAnim))
        DrawLayerCentred(g, mWaterAnim, kWaterRaise);
}

void BoardTile::DrawCreature(Zest::Graphics* const g)
{
    const bool withLabel = AnimalNamesOn() && mLabelImage != nullptr;
    if (!mSearchMark) {
        g->SetColor(Zest::Color(255, 255, 255, mAlpha));
        g->DrawImage(mTileImage, 0, 0);
        if (withLabel)
            g->DrawImage(mLabelImage, 0, 0);
        return;
    }
    // The search target pulses between white and red, and breathes.
    g->SetColorizeImages(true);
    const float angle = mTimer * kGamePi / 180.0f;
    // At a sine of exactly 1 the formula gives -1, which no channel can hold.
    const int32_t fade = std::max(127 + static_cast<int32_t>(std::trunc(-128.0f * std::sin(angle))), 0);
    g->SetColor(Zest::Color(255, fade, fade, mAlpha));
    const float scale = 0.1f * std::sin(angle) + static_cast<float>(kSize) / static_cast<float>(mTileImage->GetWidth());
    Zest::Transform transform;
    transform.Scale(scale, scale);
    g->SetLinearBlend(true);
    const float centreX = static_cast<float>(mWidth) * 0.5f;
    const float centreY = static_cast<float>(mHeight) * 0.5f;
    g->DrawImageTransform(mTileImage, transform, centreX, centreY);
    if (withLabel)
        g->DrawImageTransform(mLabelImage, transform, centreX, centreY);
}

bool BoardTile::ShowsGenderSymbol() const
{
    // No symbols while the board clears out a finished stage.
    const GameSession* const session = Session();
    return session != nullptr && mState != TILE_FADING && mBoard->mPhase != PHASE_CLEAR_OUT &&
           mBoard->mPhase != PHASE_TWIRL && session->mMode == MODE_MATCH_PAIRS && mLevel > 0;
}

void BoardTile::DrawGenderSymbol(Zest::Graphics* const g)
{
    Zest::Image* const symbol = mVariant == 0 ? IMAGE_GAME_GENDER_MALE : IMAGE_GAME_GENDER_FEMALE;
    ZEST_ASSERT(symbol != nullptr);
    g->DrawImage(symbol, mWidth - kGenderSymbolInset, 0);
}

void BoardTile::DrawOverlayPicture(Zest::Graphics* const g)
{
    if (mOverlay == 0)
        return;
    ZEST_ASSERT(mOverlay > 0 && mOverlay <= kLastOverlay);
    Zest::Image* const overlay = static_cast<Zest::Image*>(GetResourceById(kOverlayResourceBase + mOverlay));
    ZEST_ASSERT(overlay != nullptr);
    g->DrawImage(overlay, 3, 3);
}

void BoardTile::DrawBurningWeb(Zest::Graphics* const g)
{
    g->DrawImage(IMAGE_GAME_SPIDERWEB, 0, 0);
    Zest::Transform transform;
    transform.Scale(mGlowAnim.mScale, mGlowAnim.mScale);
    g->SetLinearBlend(true);
    g->SetColor(Zest::Color(255, 0, 0, 128));
    DrawCentredAtMiddle(g, IMAGE_GAME_HINT_GOLD, transform);
    DrawLayerCentred(g, mGlowAnim);
    DrawLayerCentred(g, mFireAnim);
}

void BoardTile::DrawCentredAtMiddle(Zest::Graphics* const g, Zest::Image* const image, const Zest::Transform& transform)
{
    ZEST_ASSERT(image != nullptr);
    constexpr float kMiddle = static_cast<float>(kSize / 2);
    g->DrawImageTransform(image, transform, kMiddle, kMiddle);
}

void BoardTile::DrawLayerCentred(Zest::Graphics* const g, AnimatedWidget& layer, const float raise)
{
    const float dx = static_cast<float>(mWidth - layer.mWidth) * 0.5f;
    const float dy = static_cast<float>(mHeight - layer.mHeight) * 0.5f - raise;
    g->TranslateFloat(dx, dy);
    layer.Draw(g);
    g->TranslateFloat(-dx, -dy);
}
