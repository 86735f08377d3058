// The session's head-up display. The normal pass paints what lies under the board: the
// habitat's background, the left panel and the backpack with the power-item counts. It asks
// for the overlay pass, which paints everything above the board: the version line, the
// habitat label, the score, the habitat's top picture, the goal list, the habitat progress
// bar, the mode label, the blinking highlights, the survivor intro, the item flashes, the web
// burst and the scan lines. Every draw rebuilds the picture from the session's fields and
// looks its texts up in the string table again.
//
// The web burst's fireballs move in the overlay pass itself, so a frame that is not drawn
// does not move them.

#include "game/play/GameSession.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/graphics/Matrix3.h"
#include "game/Creature.h"
#include "game/GameOptions.h"
#include "game/Habitat.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/play/PlayHost.h"
#include "game/screens/DialogParts.h"
#include "game/screens/TextStyleHost.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

namespace {

// The session's normal pass asks for its overlay at this priority, under the board's.
constexpr int32_t kOverlayPriority = 3;
constexpr int32_t kScreenWidth = GameSession::kWidth;
constexpr int32_t kScreenHeight = GameSession::kHeight;

// The version line, left-justified along the bottom edge.
constexpr int32_t kVersionBaseline = 600;
// The habitat's label in the panel.
constexpr float kLabelX = 85.0f;
constexpr float kLabelY = 20.0f;

// The score: nine digit pictures in a row, the most significant first.
constexpr float kScoreLabelX = 25.0f;
constexpr float kScoreLabelY = 60.0f;
constexpr int32_t kScoreDigits = 9;
// The score shown keeps its last kScoreDigits digits.
constexpr int32_t kScoreModulus = 1'000'000'000;
constexpr int32_t kScoreDigitsX = 120;
constexpr float kScoreDigitsY = 63.0f;

// The goal list: one row per counted goal of an animal or a plant.
constexpr float kGoalIconScale = 0.65f;
constexpr float kGoalIconCentreX = 45.0f;
constexpr int32_t kGoalIconCentreY = 120;
constexpr int32_t kGoalRowPitch = 62;
// The check mark of a met goal keeps a pitch of its own.
constexpr float kGoalCheckX = 115.0f;
constexpr int32_t kGoalCheckY = 100;
constexpr int32_t kGoalCheckPitch = 60;
constexpr int32_t kGoalBarX = 80;
constexpr int32_t kGoalBarY = 105;
// The filled part of a goal bar is cut at this height.
constexpr int32_t kGoalBarClipHeight = 30;
// Match search shows its goal creatures in red.
const Zest::Color kSearchGoalTint(255, 0, 0);

// The habitat progress bar stands on the bottom line of the screen.
constexpr int32_t kProgressBarX = 256;
constexpr int32_t kProgressBarBottom = 599;

// The mode label: its text, then its icon.
constexpr int32_t kModeTextX = 30;
constexpr int32_t kModeTextBaseline = 325;
constexpr float kModeIconX = 152.0f;
constexpr float kModeIconY = 285.0f;

// The blinking highlights of the elements holder and the backpack.
constexpr float kElementsBlinkX = 133.0f;
constexpr float kElementsBlinkY = 262.0f;
constexpr float kBackpackX = 0.0f;
constexpr float kBackpackY = 340.0f;

// The item counts: a number beside its icon, its left edge kCountOffsetX from the icon's
// right edge, its baseline kCountDrop below the icon's top, with a shadow a pixel off.
constexpr int32_t kCountOffsetX = -5;
constexpr int32_t kCountDrop = 25;
constexpr int32_t kCountShadowOffset = 1;
// A power item is used up three pieces at a time.
constexpr int32_t kPiecesPerUse = 3;
const Zest::Color kCountShadowColor(64, 64, 64);
const Zest::Color kCountColor(255, 239, 164);
constexpr float kInventoryX = 64.0f;
constexpr float kInventoryY = 460.0f;

// The survivor intro: three poison clouds down each side of the board, six creatures riding
// the wave across it.
constexpr int32_t kPoisonClouds = 3;
constexpr float kPoisonLeftX = 166.0f;
constexpr float kPoisonRightX = 465.0f;
constexpr float kPoisonTopY = 16.0f;
constexpr float kPoisonPitch = 150.0f;
constexpr int32_t kSpookyCreatures = 6;
constexpr float kSpookyPitch = 86.0f;
constexpr float kSpookyRise = 45.0f;

// One power item in the backpack: its icon, the rock it lies on (where its flash plays) and
// its uses.
struct ItemSlot {
    Zest::Image* mIcon;
    int32_t mIconX;
    int32_t mIconY;
    int32_t mRockX;
    int32_t mRockY;
    AnimatedWidget& mFlash;
    int32_t mPieces;
};

// Torch, water and shuffle coin; without a current profile there are no pieces.
std::array<ItemSlot, 3> GetItemSlots(GameSession& session)
{
    const PlayerProfile* const profile = session.mHost.GetCurrentProfile();
    return {{
        {IMAGE_GAME_TORCH, 90, 347, 90, 410, session.mTorchFlash, profile != nullptr ? profile->mTorches : 0},
        {IMAGE_GAME_BUCKET, 160, 375, 155, 400, session.mWaterFlash, profile != nullptr ? profile->mWater : 0},
        {IMAGE_GAME_SHUFFLECOIN, 174, 435, 170, 460, session.mShuffleFlash,
         profile != nullptr ? profile->mShuffles : 0},
    }};
}

// White at the alpha, for the pictures of a part of the display that fades in.
void SetFade(Zest::Graphics* const g, const int32_t alpha) { g->SetColor(Zest::Color::White.WithAlpha(alpha)); }

void DrawAt(Zest::Graphics* const g, Zest::Image* const image, const int32_t x, const int32_t y)
{
    g->DrawImageAtFloat(image, static_cast<float>(x), static_cast<float>(y));
}

void DrawLayerAt(Zest::Graphics* const g, AnimatedWidget& layer, const float x, const float y)
{
    g->TranslateFloat(x, y);
    layer.Draw(g);
    g->TranslateFloat(-x, -y);
}

// The picture cut to the first `width` pixels of the rectangle at (x, y).
void DrawFilledPart(Zest::Graphics* const g, Zest::Image* const image, const int32_t x, const int32_t y,
                    const int32_t width, const int32_t height)
{
    g->PushState();
    g->ClipRect(x, y, width, height);
    DrawAt(g, image, x, y);
    g->PopState();
}

// Pixels of a bar's width that are filled at that fraction, truncated.
int32_t GetFilledWidth(const Zest::Image* const base, const float fill)
{
    return static_cast<int32_t>(static_cast<float>(base->GetWidth()) * fill);
}

void DrawItemCount(Zest::Graphics* const g, const ItemSlot& item, const int32_t uses, const int32_t alpha)
{
    SetFade(g, alpha);
    DrawAt(g, item.mIcon, item.mIconX, item.mIconY);
    const std::string text = std::to_string(uses);
    const int32_t x = item.mIconX + item.mIcon->GetWidth() + kCountOffsetX;
    const int32_t y = item.mIconY + kCountDrop;
    g->SetFont(FONT_IN_GAME_LABELS);
    g->SetColor(kCountShadowColor.WithAlpha(alpha));
    g->DrawString(text, x + kCountShadowOffset, y + kCountShadowOffset);
    g->SetColor(kCountColor.WithAlpha(alpha));
    g->DrawString(text, x, y);
}

// The backpack, the rocks the items lie on and an icon with its number for each item that
// has a use left.
void DrawBackpack(Zest::Graphics* const g, GameSession& session)
{
    const int32_t alpha = session.mItemsAlpha;
    const std::array<ItemSlot, 3> items = GetItemSlots(session);
    SetFade(g, alpha);
    g->DrawImageAtFloat(IMAGE_GAME_BACKPACK, kBackpackX, kBackpackY);
    for (const ItemSlot& item : items)
        DrawAt(g, IMAGE_GAME_ITEMROCKS, item.mRockX, item.mRockY);
    for (const ItemSlot& item : items) {
        const int32_t uses = item.mPieces / kPiecesPerUse;
        if (uses >= 1)
            DrawItemCount(g, item, uses, alpha);
    }
    SetFade(g, alpha);
    g->DrawImageAtFloat(IMAGE_GAME_INVENTORY, kInventoryX, kInventoryY);
}

// Exactly kScoreDigits digits with leading zeros. A negative score shows zeros, since there
// is no picture for a minus sign, and a longer one its last digits.
void DrawScore(Zest::Graphics* const g, const int32_t score)
{
    g->DrawImageAtFloat(IMAGE_GAME_SCORE_LABEL, kScoreLabelX, kScoreLabelY);
    int32_t rest = std::max(score, 0) % kScoreModulus;
    for (int32_t slot = kScoreDigits - 1; slot >= 0; --slot) {
        auto* const digit = static_cast<Zest::Image*>(GetResourceById(IMAGE_GAME_NUM_0_ID + rest % 10));
        ZEST_ASSERT(digit != nullptr);
        g->DrawImageAtFloat(digit, static_cast<float>(kScoreDigitsX + slot * digit->GetWidth()), kScoreDigitsY);
        rest /= 10;
    }
}

// The fraction of the goal already collected; a goal without a positive target is full.
float GetGoalFill(const int32_t remaining, const int32_t target)
{
    if (target <= 0)
        return 1.0f;
    return std::clamp(1.0f - static_cast<float>(remaining) / static_cast<float>(target), 0.0f, 1.0f);
}

// A goal bar in row `row`, with the collect effect riding on its end while the last chain
// showed this goal's creature.
void DrawGoalBar(Zest::Graphics* const g, GameSession& session, const int32_t goal, const int32_t row)
{
    Zest::Image* const base = IMAGE_GAME_GOAL_PROGRESS_BAR_BASE;
    const int32_t filled =
        GetFilledWidth(base, GetGoalFill(session.mStage.GetGoal(goal).mCount, session.mStage.GetGoalTarget(goal)));
    const int32_t y = kGoalBarY + kGoalRowPitch * row;
    DrawAt(g, base, kGoalBarX, y);
    DrawFilledPart(g, IMAGE_GAME_GOAL_PROGRESS_BAR_FULL, kGoalBarX, y, filled, kGoalBarClipHeight);
    AnimatedWidget& effect = session.mEffect;
    const std::vector<bool>& collected = session.mCollected;
    const bool shown = goal < static_cast<int32_t>(collected.size()) && collected[goal];
    if (effect.mStatus == ANIM_RUNNING && shown) {
        DrawLayerAt(g, effect, static_cast<float>(kGoalBarX + filled - effect.mWidth / 2),
                    static_cast<float>(y - std::abs((base->GetHeight() - effect.mHeight) / 2)));
    }
}

// Goals of items and goals that are not counted take no row.
bool HasGoalRow(const StageGoal& goal)
{
    return goal.mCount >= 0 && goal.mCreature != nullptr && goal.mCreature->mLevel >= 0;
}

void DrawGoals(Zest::Graphics* const g, GameSession& session)
{
    const int32_t alpha = session.mPanelAlpha;
    const Zest::Color tint = session.mStage.mMode == MODE_MATCH_SEARCH ? kSearchGoalTint.WithAlpha(alpha)
                                                                       : Zest::Color::White.WithAlpha(alpha);
    Zest::Transform shrink;
    shrink.Scale(kGoalIconScale, kGoalIconScale);
    int32_t row = 0;
    for (int32_t goal = 0; goal < session.mStage.GetGoalCount(); ++goal) {
        const StageGoal stageGoal = session.mStage.GetGoal(goal);
        if (!HasGoalRow(stageGoal))
            continue;
        g->SetLinearBlend(true);
        g->SetColor(tint);
        g->DrawImageTransform(stageGoal.mCreature->mTileImage, shrink, kGoalIconCentreX,
                              static_cast<float>(kGoalIconCentreY + kGoalRowPitch * row));
        g->SetLinearBlend(false);
        SetFade(g, alpha);
        if (stageGoal.mCount == 0)
            g->DrawImageAtFloat(IMAGE_GAME_GOAL_CHECK, kGoalCheckX,
                                static_cast<float>(kGoalCheckY + kGoalCheckPitch * row));
        else
            DrawGoalBar(g, session, goal, row);
        ++row;
    }
}

// How far the habitat is, along the bottom of the screen, with its effect at the end.
void DrawProgressBar(Zest::Graphics* const g, GameSession& session)
{
    Zest::Image* const base = IMAGE_GAME_PROGRESS_BAR_BASE;
    const int32_t filled = GetFilledWidth(base, session.mProgress);
    const int32_t height = base->GetHeight();
    const int32_t y = kProgressBarBottom - height;
    SetFade(g, session.mProgressAlpha);
    DrawAt(g, base, kProgressBarX, y);
    DrawFilledPart(g, IMAGE_GAME_PROGRESS_BAR_FULL, kProgressBarX, y, filled, height);
    AnimatedWidget& effect = session.mEffect2;
    if (effect.mStatus == ANIM_RUNNING) {
        DrawLayerAt(g, effect, static_cast<float>(kProgressBarX + filled - effect.mWidth / 2),
                    static_cast<float>(y + (height - effect.mHeight) / 2));
    }
}

// The board mode's name and icon; an unknown mode has no name and the food chain's icon.
void DrawModeLabel(Zest::Graphics* const g, const GameSession& session)
{
    const char* key = nullptr;
    Zest::Image* icon = IMAGE_GAME_SM_FOODCHAIN;
    switch (session.mMode) {
    case MODE_FOOD_CHAIN:
        key = "LABEL_FOODCHAIN";
        break;
    case MODE_MATCH_SAME:
        key = "LABEL_MATCHSAME";
        icon = IMAGE_GAME_SM_MATCHSAME;
        break;
    case MODE_MATCH_PAIRS:
        key = "LABEL_MATCHPAIRS";
        icon = IMAGE_GAME_SM_MATCHPAIRS;
        break;
    case MODE_MATCH_SEARCH:
        key = "LABEL_MATCHSEARCH";
        icon = IMAGE_GAME_SM_MATCHSEARCH;
        break;
    default:
        break;
    }
    const int32_t alpha = session.mPanelAlpha;
    if (key != nullptr) {
        g->SetFont(FONT_IN_GAME_LABELS);
        g->SetColor(session.mHost.GetTextStyle().GetTextColor().WithAlpha(alpha));
        g->DrawString(GetGameString(key), kModeTextX, kModeTextBaseline);
    }
    SetFade(g, alpha);
    g->DrawImageAtFloat(icon, kModeIconX, kModeIconY);
}

void DrawBlinks(Zest::Graphics* const g, const GameSession& session)
{
    if (session.mElementsBlink) {
        SetFade(g, session.mElementsBlinkAlpha);
        g->DrawImageAtFloat(IMAGE_GAME_ELEMENTS_HOLDER_ROLLOVER, kElementsBlinkX, kElementsBlinkY);
    }
    if (session.mBackpackBlink) {
        SetFade(g, session.mBackpackBlinkAlpha);
        g->DrawImageAtFloat(IMAGE_GAME_BACKPACK_ROLLOVER, kBackpackX, kBackpackY);
    }
}

// The poison clouds at their places and the creatures riding the wave at the intro's frame.
void DrawSurvivorIntro(Zest::Graphics* const g, GameSession& session)
{
    ZEST_ASSERT(session.mStateFrames >= 0 && session.mStateFrames < static_cast<int32_t>(session.mWavePoints.size()));
    ZEST_ASSERT(static_cast<int32_t>(session.mWaveOffsets.size()) == kSpookyCreatures);
    const auto [waveX, waveY] = session.mWavePoints[session.mStateFrames];
    for (int32_t k = 0; k < kPoisonClouds; ++k) {
        const float y = kPoisonTopY + kPoisonPitch * static_cast<float>(k);
        DrawLayerAt(g, session.mPoisonCloud, kPoisonLeftX, y);
        DrawLayerAt(g, session.mPoisonCloud, kPoisonRightX, y);
    }
    g->SetColor(Zest::Color::White);
    for (int32_t i = 0; i < kSpookyCreatures; ++i) {
        DrawLayerAt(g, session.mSpookyCreature, session.mWaveOffsets[i] + waveX,
                    kSpookyPitch * static_cast<float>(i) + waveY - kSpookyRise);
    }
}

// Each running flash centred across its item's icon, its middle on the item's rock.
void DrawItemFlashes(Zest::Graphics* const g, GameSession& session)
{
    for (const ItemSlot& item : GetItemSlots(session)) {
        AnimatedWidget& flash = item.mFlash;
        if (flash.mStatus != ANIM_RUNNING)
            continue;
        DrawLayerAt(g, flash, static_cast<float>(item.mRockX + item.mIcon->GetWidth() / 2 - flash.mWidth / 2),
                    static_cast<float>(item.mRockY - flash.mHeight / 2));
    }
}

// The screen darkens and each fireball takes its step, then is drawn where it arrived.
void DrawWebBurst(Zest::Graphics* const g, GameSession& session)
{
    g->SetColor(Zest::Color(0, 0, 0, session.mBurstStep));
    g->FillRect(0, 0, kScreenWidth, kScreenHeight);
    const size_t count = session.mFireballs.size();
    ZEST_ASSERT(session.mBurstPositions.size() == count && session.mBurstVelocities.size() == count);
    for (size_t i = 0; i < count; ++i) {
        auto& [x, y] = session.mBurstPositions[i];
        x += session.mBurstVelocities[i].first;
        y += session.mBurstVelocities[i].second;
        DrawLayerAt(g, session.mFireballs[i], x, y);
    }
}

bool IsWebBurning(const GameSession& session)
{
    return session.mState == STATE_WEB_BURST && !session.mFireballs.empty() &&
           session.mFireballs.front().mStatus == ANIM_RUNNING;
}

// Sub-screens that cover the display draw their own scan lines.
bool WantsScanLines(const GameSession& session)
{
    return GameOptionsHolder::Instance().mScanLines && session.mPauseMenu == nullptr &&
           session.mFoodWebInfo == nullptr && !session.mHost.IsStoryScreenOpen() && session.mSurvivorTally == nullptr;
}

} // namespace

void GameSession::Draw(Zest::Graphics* const g)
{
    if (!mHudVisible)
        return;
    ZEST_ASSERT(mHabitat->mBackImage != nullptr);
    g->SetColorizeImages(true);
    g->SetColor(Zest::Color::White);
    g->DrawImageAtFloat(mHabitat->mBackImage, 0.0f, 0.0f);
    SetFade(g, mPanelAlpha);
    g->DrawImageAtFloat(IMAGE_GAME_ELEMENTS_HOLDER, 0.0f, 0.0f);
    DrawBackpack(g, *this);
    DeferOverlay(kOverlayPriority);
}

void GameSession::DrawOverlay(Zest::Graphics* const g)
{
    if (!mHudVisible || mFoodWebInfo != nullptr)
        return;
    const TextStyleHost& style = mHost.GetTextStyle();
    g->SetFont(FONT_STORY_TEXT);
    g->SetColor(style.GetHighlightTextColor().WithAlpha(mPanelAlpha));
    g->WriteString(style.GetVersionText(), 0, kVersionBaseline, kScreenWidth, -1);

    g->SetColorizeImages(true);
    SetFade(g, mPanelAlpha);
    if (mHabitat->mLabelImage != nullptr)
        g->DrawImageAtFloat(mHabitat->mLabelImage, kLabelX, kLabelY);
    DrawScore(g, mScore);
    ZEST_ASSERT(mHabitat->mTopImage != nullptr);
    g->DrawImageAtFloat(mHabitat->mTopImage, 0.0f, 0.0f);
    DrawGoals(g, *this);
    DrawProgressBar(g, *this);
    DrawModeLabel(g, *this);
    DrawBlinks(g, *this);
    if (mState == STATE_SURVIVOR_INTRO)
        DrawSurvivorIntro(g, *this);
    DrawItemFlashes(g, *this);
    if (IsWebBurning(*this))
        DrawWebBurst(g, *this);
    if (WantsScanLines(*this))
        DialogParts::DrawScanLines(g, *this);
}
