#include "game/screens/GameMap.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/Awards.h"
#include "game/GameOptions.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/DialogParts.h"
#include "game/screens/GameMapHost.h"
#include "game/screens/MenuServices.h"
#include "game/screens/TextStyleHost.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

const char* const kTitleKey = "LABEL_GAMEMAP";
const char* const kDoneKey = "BTN_DONE";
// The title's baseline.
constexpr int32_t kTitleBaseline = 30;
// The Done button's top lies this far above the map's bottom edge.
constexpr int32_t kDoneButtonRise = 50;
// A habitat's flag stands with its foot near the point: its corner lies this far left of
// and above it. Its name label hangs below the point, its award lower down.
const Zest::Vector2 kFlagOffset{5.0f, 35.0f};
constexpr float kLabelDrop = 5.0f;
constexpr float kAwardDrop = 50.0f;
constexpr float kHalfPi = std::numbers::pi_v<float> / 2.0f;
const Zest::Color kScanLineColor(200, 200, 200, 64);

Zest::Vector2 ToVector(const std::pair<float, float>& point) { return {point.first, point.second}; }

Zest::Vector2 Add(const Zest::Vector2& a, const Zest::Vector2& b) { return {a.mX + b.mX, a.mY + b.mY}; }

Zest::Vector2 Subtract(const Zest::Vector2& a, const Zest::Vector2& b) { return {a.mX - b.mX, a.mY - b.mY}; }

Zest::Vector2 Scale(const Zest::Vector2& v, const float factor) { return {v.mX * factor, v.mY * factor}; }

float Length(const Zest::Vector2& v) { return std::sqrt(v.mX * v.mX + v.mY * v.mY); }

// A zero vector stays zero.
Zest::Vector2 Unit(const Zest::Vector2& v)
{
    const float length = Length(v);
    return length == 0.0f ? v : Scale(v, 1.0f / length);
}

// The trail's dashes are turned by this angle, the plane a quarter turn further.
float TrailAngle(const Zest::Vector2& velocity)
{
    const Zest::Vector2 unit = Unit(velocity);
    return std::atan2(unit.mX, unit.mY) + kHalfPi;
}

// A habitat's name label, centred under the point.
void DrawLabel(Zest::Graphics* const g, Zest::Image* const label, const Zest::Vector2& point)
{
    // A label that is not loaded leaves the place empty.
    if (label == nullptr)
        return;
    g->DrawImageAtFloat(label, point.mX - static_cast<float>(label->GetWidth() / 2), point.mY + kLabelDrop);
}

} // namespace

GameMap::GameMap(GameMapHost& host, const TextStyleHost& textStyle, const bool continued, const bool fly,
                 const int32_t habitatIndex)
    : mContinue(continued), mHabitatIndex(habitatIndex), mFly(fly), mHost(host), mTextStyle(textStyle)
{
    // The plane needs a habitat to start from.
    ZEST_ASSERT(!fly || habitatIndex > 0);
    SetupAnimatedWidget(mRainbow, IMAGE_GAME_EFFECTANIM_RAINBOW);
    mHost.StopAllMusic();
    const Zest::Vector2 target = ToVector(mHost.GetMapPoint(habitatIndex));
    mFlagPos = Subtract(target, kFlagOffset);
    if (!mFly) {
        mHost.FadeInSong(kMedalSong, kMedalMusicFile, true);
        return;
    }
    mStart = ToVector(mHost.GetMapPoint(habitatIndex - 1));
    mPlanePos = mStart;
    const Zest::Vector2 way = Subtract(target, mStart);
    mVelocity = Scale(way, 1.0f / kFlightDashes);
    // Single-precision lengths: the quotient may come out just below 20 and truncate to 19.
    // Two habitats on one point give no dashes rather than a division by zero.
    const float dashLength = Length(mVelocity);
    mFlightSteps = dashLength == 0.0f ? 0 : static_cast<int32_t>(Length(way) / dashLength);
    mSpeed = Length(way) / kFlightUpdates;
    mHost.FadeInSong(kFlightSong, kFlightMusicFile, true);
    mHost.FadeInSong(kEngineSong, kEngineMusicFile, false);
}

void GameMap::AddedToManager(Zest::WidgetManager* const manager)
{
    BasicMenu::AddedToManager(manager);
    if (mContinue)
        CreateDoneButton();
}

int32_t GameMap::GetReachedCount() const
{
    // A damaged profile may hold any number; beyond the registered habitats there is
    // nothing to draw, and the map must still let the player go on.
    return std::clamp(mHost.GetNextLevel(), 0, mHost.GetHabitatCount());
}

void GameMap::UpdateSmooth(float /*fraction*/)
{
    if (mRainbow.mStatus == ANIM_RUNNING)
        mRainbow.Update();
    if (GetReachedCount() >= kStillNextLevel)
        return;
    // After the flight the plane goes on along its line, no longer drawn.
    mPlanePos = Add(mPlanePos, Scale(Unit(mVelocity), mSpeed));
    ++mCounter;
    if (mCounter % kDashUpdates != 0)
        return;
    if (mStepsShown < mFlightSteps)
        ++mStepsShown;
    else
        CreateDoneButton();
}

void GameMap::CreateDoneButton()
{
    if (mArrived)
        return;
    const int32_t width = IMAGE_GAME_BUTTON_LARGE->GetWidth();
    MenuItem* const button = DialogParts::AddLargeButton(
        *this, (DialogParts::kScreenWidth - width) / 2, mY + mHeight - kDoneButtonRise, GetGameString(kDoneKey),
        mTextStyle.GetTextColor(), mTextStyle.GetHighlightTextColor(), MenuItem::Action(this, &GameMap::OnDone));
    // Above the map, which draws in the overlay pass.
    button->mOverlayPriority = kOverlayPriority;
    mArrived = true;
    mRainbow.ResetFrame();
    mRainbow.mStatus = ANIM_RUNNING;
    GetMenuServices().PlaySoundEffect(SOUND_CAGE_RELEASE);
}

void GameMap::OnDone() { mHost.OnGameMapDone(); }

void GameMap::Draw(Zest::Graphics* /*g*/) { DeferOverlay(kOverlayPriority); }

void GameMap::DrawOverlay(Zest::Graphics* const g)
{
    g->SetColor(Zest::Color::White);
    g->DrawImage(IMAGE_GAME_GAMEMAP, 0, 0);
    DialogParts::DrawTitle(g, GetGameString(kTitleKey), 0, kTitleBaseline, DialogParts::kScreenWidth);
    g->SetColor(Zest::Color::White);
    DrawReachedHabitats(g);
    Zest::Image* const label = mHost.GetHabitatLabel(mHabitatIndex);
    const Zest::Vector2 destination = Add(mFlagPos, kFlagOffset);
    if (mFly) {
        DrawTrailAndPlane(g);
        if (mArrived) {
            DrawLabel(g, label, destination);
            g->DrawImageAtFloat(IMAGE_GAME_FLAG, mFlagPos.mX, mFlagPos.mY);
            DrawRainbow(g);
        }
    } else {
        g->DrawImageAtFloat(IMAGE_GAME_FLAG, mFlagPos.mX, mFlagPos.mY);
        DrawLabel(g, label, destination);
        DrawRainbow(g);
    }
    DrawScanLines(g);
}

void GameMap::DrawReachedHabitats(Zest::Graphics* const g) const
{
    const int32_t reached = GetReachedCount();
    for (int32_t index = 0; index < reached; ++index) {
        const Zest::Vector2 point = ToVector(mHost.GetMapPoint(index));
        const Zest::Vector2 flag = Subtract(point, kFlagOffset);
        g->DrawImageAtFloat(IMAGE_GAME_FLAG, flag.mX, flag.mY);
        DrawLabel(g, mHost.GetHabitatLabel(index), point);
        DrawAward(index, g, point.mX, point.mY + kAwardDrop, true, Zest::Color::White, false, GetGameString);
    }
}

void GameMap::DrawTrailAndPlane(Zest::Graphics* const g) const
{
    const float angle = TrailAngle(mVelocity);
    g->SetColorizeImages(true);
    g->SetLinearBlend(true);
    // The dash of the current step is not drawn yet, so the trail stays a step behind.
    for (int32_t step = 1; step < mStepsShown; ++step) {
        const Zest::Vector2 dash = Add(mStart, Scale(mVelocity, static_cast<float>(step)));
        g->DrawImageRotated(IMAGE_GAME_LINE_DASH, dash.mX, dash.mY, angle);
    }
    if (mArrived)
        return;
    Zest::Transform turn;
    turn.RotateRad(angle + kHalfPi);
    g->DrawImageTransform(IMAGE_GAME_AEROPLANE, turn, mPlanePos.mX, mPlanePos.mY);
}

void GameMap::DrawRainbow(Zest::Graphics* const g)
{
    if (mRainbow.mStatus != ANIM_RUNNING)
        return;
    g->PushState();
    g->TranslateFloat(mFlagPos.mX - static_cast<float>(mRainbow.mWidth / 2),
                      mFlagPos.mY - static_cast<float>(mRainbow.mHeight / 2));
    mRainbow.Draw(g);
    g->PopState();
}

void GameMap::DrawScanLines(Zest::Graphics* const g) const
{
    if (!GameOptionsHolder::Instance().mScanLines)
        return;
    g->SetColorizeImages(true);
    g->SetColor(kScanLineColor);
    g->DrawImageAtFloat(IMAGE_GAME_SCAN_LINES, 0.0f, 0.0f);
}
