#include "game/screens/NewAwardTransition.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/Res.h"
#include "game/screens/NewAwardHost.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t kScreenWidth = 800;
constexpr int32_t kScreenHeight = 600;
// The darkening's grey; its alpha grows as the ball falls, reaching kRestAlpha with the ball
// at rest on kBallRestY and losing one step per kPixelsPerAlphaStep pixels above it.
constexpr int32_t kShadeGrey = 32;
constexpr int32_t kRestAlpha = 128;
constexpr float kBallRestY = 560.0f;
constexpr float kPixelsPerAlphaStep = 3.35f;
constexpr int32_t kOpaque = 255;
// Both pictures are centred on the board's strip, kStripWidth pixels wide from kStripX.
constexpr float kStripX = 256.0f;
constexpr float kStripWidth = 532.0f;
// "NEW" keeps its bottom edge this far above the ball; "AWARD" lies this far below the rest
// line while the ball is at rest and climbs as the ball falls towards it.
constexpr float kLabelSpan = 300.0f;

float CentredOnStrip(const Zest::Image* const image)
{
    return (kStripWidth - static_cast<float>(image->GetWidth())) * 0.5f + kStripX;
}

} // namespace

NewAwardTransition::NewAwardTransition(NewAwardHost* const game, const int32_t award) : mAward(award), mGame(game)
{
    ZEST_ASSERT(game != nullptr);
}

void NewAwardTransition::UpdateSmooth(const float /*fraction*/)
{
    ++mUpdateCount;
    if (mScreenOpened != 0 || mUpdateCount <= kMinimumUpdates)
        return;
    // The ball was lifted back when the transition opened; the screen waits until it lies
    // still at the bottom, and for any awards screen already open to be closed.
    if (mGame->GetWallY() > kRestLineY && std::fabs(mGame->GetWallVelocityY()) < kRestSpeed &&
        !mGame->IsAwardsScreenOpen()) {
        mGame->ShowAwardsScreen(mAward);
        mScreenOpened = 1;
    }
}

void NewAwardTransition::Draw(Zest::Graphics* /*g*/) { DeferOverlay(kOverlayPriority); }

void NewAwardTransition::DrawOverlay(Zest::Graphics* const g)
{
    const float wallY = mGame->GetWallY();
    g->SetColor(Zest::Color(kShadeGrey, kShadeGrey, kShadeGrey, GetShadeAlpha(wallY)));
    g->FillRect(0, 0, kScreenWidth, kScreenHeight);

    Zest::Image* const newLabel = IMAGE_GAME_CHEER_LABEL_NEW;
    Zest::Image* const awardLabel = IMAGE_GAME_CHEER_LABEL_AWARD;
    ZEST_ASSERT(newLabel != nullptr && awardLabel != nullptr);
    g->SetColor(Zest::Color::White);
    g->DrawImageAtFloat(newLabel, CentredOnStrip(newLabel),
                        wallY - kLabelSpan - static_cast<float>(newLabel->GetHeight()));
    g->DrawImageAtFloat(awardLabel, CentredOnStrip(awardLabel), kBallRestY - wallY + kLabelSpan);
}

int32_t NewAwardTransition::GetShadeAlpha(const float wallY)
{
    // Only a ball between about y 128 and y 989 gives a channel's value; one placed above or
    // below would wrap the packed colour. Clamped while still a float, so that no position
    // overflows the conversion either.
    const float alpha = static_cast<float>(kRestAlpha) - std::trunc((kBallRestY - wallY) / kPixelsPerAlphaStep);
    return static_cast<int32_t>(std::clamp(alpha, 0.0f, static_cast<float>(kOpaque)));
}
