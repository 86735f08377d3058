#include "game/MiniGameWidget.h"

#include "framework/app/common/Assert.h"
#include "framework/app/common/RuntimeRandom.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/GameOptions.h"
#include "game/GameStats.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/physics/PhysicsPrimitiveEntity.h"
#include "game/physics/entities/CannonEntity.h"
#include "game/play/GameSession.h"
#include "game/play/PlayHost.h"
#include "game/screens/DialogParts.h"
#include "game/screens/MenuItem.h"
#include "game/screens/MenuServices.h"
#include "game/screens/TextStyleHost.h"
#include "platform/physics/XtremaPhysics.h"

#include <cmath>
#include <numbers>

using XtremaPHX2D::Vec2;
using XtremaPHX2D::Vec3;

namespace {

constexpr float kScreenWidth = 800.0f;
constexpr float kScreenHeight = 600.0f;

// The intro: the pictures stand in columns 40 pixels apart, start up to 99 pixels down and
// fall 3 pixels per update until they pass the bottom of the screen.
constexpr float kIntroColumnWidth = 40.0f;
constexpr int32_t kIntroStartSpread = 100;
constexpr float kIntroFallSpeed = 3.0f;

// The Start and Done buttons' top.
constexpr int32_t kButtonTop = 450;

// The sliding cannon follows the mouse between these x; the turning cannon aims from 0
// degrees (x 128 and less) to 80 degrees (x 672 and more).
constexpr float kSlideLeft = 64.0f;
constexpr float kSlideRight = 736.0f;
constexpr float kAimBaseX = 128.0f;
constexpr float kAimPixelsPerDegree = 6.8f;
constexpr float kMaxAimDegrees = 80.0f;

// The preview's points lie 75 pixels apart along x; the ghost shots fade out along the arc.
constexpr float kAimPointSpacing = 75.0f;
constexpr int32_t kAimAlphaStart = 140;
constexpr int32_t kAimAlphaRange = 128;
constexpr float kAimImageHalf = 8.0f;

// After the last wave: the bonus at this pass, the finish after the last.
constexpr int32_t kBonusPass = 101;
constexpr int32_t kLastCelebrationPass = 200;

// The fish left in the bear game: ten to a row, from (250, 20).
constexpr int32_t kFishPerRow = 10;
constexpr float kFishLeft = 250.0f;
constexpr float kFishTop = 20.0f;
constexpr float kFishSpacing = 30.0f;

// The start and finish panels.
constexpr int32_t kPortraitX = 210;
constexpr int32_t kPortraitY = 120;
const Zest::Rect kPanelTextRect(340, 140, 230, 300);
constexpr int32_t kTitleBaseline = 85;
constexpr int32_t kCannonPictureX = 400;
constexpr int32_t kCannonPictureY = 260;
constexpr int32_t kWheelX = 360;
constexpr int32_t kWheelY = 205;
constexpr int32_t kFishPictureX = 470;

constexpr int32_t kNormalCursor = 0;
constexpr int32_t kLeftButton = 0;

Zest::Image* GetBackground(const int32_t habitat)
{
    switch (habitat) {
    case MiniGameWidget::HABITAT_AMAZON:
        return IMAGE_MINI_GAME_AMAZON;
    case MiniGameWidget::HABITAT_GRAND_CANYON:
        return IMAGE_MINI_GAME_GRANDCANYON;
    case MiniGameWidget::HABITAT_ALASKA:
        return IMAGE_MINI_GAME_ALASKA;
    case MiniGameWidget::HABITAT_ARCTIC:
        return IMAGE_MINI_GAME_ARCTIC;
    default:
        return nullptr;
    }
}

void DrawCentred(Zest::Graphics* const g, Zest::Image* const image)
{
    g->DrawImageAtFloat(image, (kScreenWidth - static_cast<float>(image->GetWidth())) * 0.5f,
                        (kScreenHeight - static_cast<float>(image->GetHeight())) * 0.5f);
}

} // namespace

MiniGameWidget::MiniGameWidget(PlayHost& host, const int32_t kind, const int32_t waves, const int32_t perWave)
    : mHost(host), mKind(kind), mShots(waves * perWave), mWaves(waves), mPerWave(perWave)
{
    Zest::Image* const picture = kind == KIND_SPIDERS ? IMAGE_GAME_GOLDENSPIDER : IMAGE_MINI_GAME_FISH;
    for (int32_t i = 0; i < kIntroItemCount; ++i) {
        IntroItem item;
        item.mPos = Vec2(kIntroColumnWidth * static_cast<float>(i),
                         static_cast<float>(Zest::Rand() % kIntroStartSpread));
        item.mImage = picture;
        mIntroItems.push_back(item);
    }
}

MiniGameWidget::~MiniGameWidget()
{
    mIntroItems.clear();
    ClearWorld();
}

GameSession* MiniGameWidget::Session() const { return mHost.GetGameSession(); }

void MiniGameWidget::AddedToManager(Zest::WidgetManager* const manager)
{
    BasicMenu::AddedToManager(manager);
    mManager = manager;
}

void MiniGameWidget::UpdateSmooth(const float fraction)
{
    GameSession* const session = Session();
    if (session == nullptr)
        return;
    session->UpdateFloatingImages();
    switch (mState) {
    case INTRO:
        StepIntro(fraction);
        break;
    case PLAYING:
        EndWaveIfDone();
        break;
    case FINISH:
        Finish();
        break;
    case NEXT_WAVE:
        mState = PLAYING;
        SpawnNextWave();
        break;
    case ALL_WAVES_DONE:
        CountAllWavesDone();
        break;
    default:
        // Ready and AwaitDone wait for their buttons.
        break;
    }
    // What a kill zone, a bear or this pass queued goes now, outside the physics step and
    // every walk of the list.
    session->DestroyQueuedEntities();
}

void MiniGameWidget::StepIntro(const float fraction)
{
    ++mStateFrames;
    // A picture that has just left the screen counts from the next pass on.
    int32_t done = 0;
    for (IntroItem& item : mIntroItems) {
        if (item.mDone) {
            ++done;
            continue;
        }
        item.mPos.y += kIntroFallSpeed * fraction;
        if (item.mPos.y >= kScreenHeight)
            item.mDone = true;
    }
    if (done == kIntroItemCount) {
        mState = READY;
        mStartButton = AddButton("BTN_START", &MiniGameWidget::OnStart);
        mStateFrames = 0;
    }
}

void MiniGameWidget::EndWaveIfDone()
{
    const bool waveOver = mKind == KIND_SPIDERS ? CountSpiders() == 0 : mShots == 0 && CountAmmo() == 0;
    if (waveOver) {
        ++mWave;
        if (mWave > mWaves) {
            mFinished = true;
            mCompleted = true;
            mState = ALL_WAVES_DONE;
            mStateFrames = 0;
        } else {
            mState = NEXT_WAVE;
        }
    }
    UpdateAimPreview();
}

void MiniGameWidget::Finish()
{
    UpdateAimPreview();
    if (mFinished) {
        ClearWorld();
        mHost.SetCursor(kNormalCursor);
        AddButton("BTN_DONE", &MiniGameWidget::OnDone);
    }
    mState = AWAIT_DONE;
    GetMenuServices().PlaySoundEffect(SOUND_AWARD_CONGRATS);
}

void MiniGameWidget::CountAllWavesDone()
{
    ++mStateFrames;
    UpdateAimPreview();
    // The spider game cannot end this way with a spider still hanging; the bear game is
    // faultless when every fish was eaten.
    const bool faultless = mKind == KIND_SPIDERS || mFedBears == kBearGameFish;
    if (mStateFrames == kBonusPass && faultless) {
        GameSession* const session = Session();
        session->AddScoreWithPopup(kScreenWidth * 0.5f, kScreenHeight * 0.5f, kFaultlessBonus);
        GetMenuServices().PlaySoundEffect(SOUND_AWARD_SURVIVOR);
        ++session->mStats->mFaultlessMiniGames;
    }
    if (mStateFrames > kLastCelebrationPass)
        mState = FINISH;
}

MenuItem* MiniGameWidget::AddButton(const char* const labelKey, void (MiniGameWidget::*const action)())
{
    ZEST_ASSERT(mManager != nullptr);
    const TextStyleHost& style = mHost.GetTextStyle();
    const int32_t x = (static_cast<int32_t>(kScreenWidth) - IMAGE_GAME_BUTTON_LARGE->GetWidth()) / 2;
    MenuItem* const button =
        DialogParts::AddLargeButton(*this, x, kButtonTop, GetGameString(labelKey), style.GetTextColor(),
                                    style.GetHighlightTextColor(), MenuItem::Action(this, action));
    button->mOverlayPriority = kOverlayPriority;
    return button;
}

void MiniGameWidget::OnStart()
{
    ZEST_ASSERT(mStartButton != nullptr);
    XtremaPHX2D::xConfigurator::Instance().mPaused = false;
    mState = PLAYING;
    ReleaseItem(mStartButton);
    if (mKind == KIND_SPIDERS)
        BuildSpiderGame();
    else
        BuildBearGame();
}

void MiniGameWidget::OnDone()
{
    GameSession* const session = Session();
    ZEST_ASSERT(session != nullptr);
    // The session takes the screen away; nothing of it is touched past here.
    session->OnMiniGameFinished();
}

void MiniGameWidget::Draw(Zest::Graphics*) { DeferOverlay(kOverlayPriority); }

void MiniGameWidget::DrawOverlay(Zest::Graphics* const g)
{
    GameSession* const session = Session();
    const int32_t habitat = session != nullptr ? session->mHabitatIndex : -1;
    Zest::Image* const background = GetBackground(habitat);
    g->SetColorizeImages(true);
    g->SetColor(Zest::Color::White);
    if (mState == INTRO) {
        if (background != nullptr)
            DrawIntro(g, background);
    } else {
        if (background != nullptr)
            g->DrawImage(background, 0, 0);
        DrawShotsLeft(g, habitat);
        if (mState == READY) {
            DrawStartPanel(g, habitat);
        } else {
            if (session != nullptr)
                session->DrawFloatingImages(g, mState != ALL_WAVES_DONE);
            DrawAimPoints(g);
            if (mFinished && (mState == FINISH || mState == AWAIT_DONE))
                DrawFinishPanel(g, habitat);
        }
    }
    if (GameOptionsHolder::Instance().mScanLines)
        DialogParts::DrawScanLines(g, *this);
}

void MiniGameWidget::DrawIntro(Zest::Graphics* const g, Zest::Image* const background) const
{
    for (const IntroItem& item : mIntroItems) {
        // The background's column above the picture is uncovered.
        Zest::Graphics column(*g);
        column.ClipRect(static_cast<int>(item.mPos.x), 0, static_cast<int>(kIntroColumnWidth),
                        static_cast<int>(item.mPos.y));
        column.DrawImage(background, 0, 0);
        if (item.mImage == nullptr)
            continue;
        const auto width = static_cast<float>(item.mImage->GetWidth());
        const auto height = static_cast<float>(item.mImage->GetHeight());
        g->DrawImageAtFloat(item.mImage, item.mPos.x + (kIntroColumnWidth - width) * 0.5f,
                            item.mPos.y - std::fabs((kIntroColumnWidth - height) * 0.5f));
    }
}

void MiniGameWidget::DrawShotsLeft(Zest::Graphics* const g, const int32_t habitat) const
{
    if ((habitat != HABITAT_ALASKA && habitat != HABITAT_ARCTIC) || mShots <= 0)
        return;
    Zest::Image* const fish = GetFishImage(habitat);
    const auto rowHeight = static_cast<float>(IMAGE_MINI_GAME_FISH->GetWidth() + 2);
    for (int32_t i = 0; i < mShots; ++i) {
        const float x = kFishLeft + kFishSpacing * static_cast<float>(i % kFishPerRow);
        const float y = kFishTop + static_cast<float>(i / kFishPerRow) * rowHeight;
        g->DrawImageRotated(fish, x, y, std::numbers::pi / 2.0);
    }
}

void MiniGameWidget::DrawPanel(Zest::Graphics* const g) const
{
    g->SetColor(Zest::Color::White);
    DrawCentred(g, IMAGE_GAME_SUBMENU);
    g->DrawImage(IMAGE_GAME_STORY_JANEPORTRET, kPortraitX, kPortraitY);
}

void MiniGameWidget::DrawPanelText(Zest::Graphics* const g, const char* const key) const
{
    g->SetColor(mHost.GetTextStyle().GetTextColor());
    g->SetFont(FONT_STORY_TEXT);
    g->WriteWordWrapped(kPanelTextRect, GetGameString(key));
    DialogParts::DrawTitle(g, GetGameString("LABEL_MINIGAME_MENU"), 0, kTitleBaseline,
                           static_cast<int32_t>(kScreenWidth));
}

void MiniGameWidget::DrawStartPanel(Zest::Graphics* const g, const int32_t habitat) const
{
    DrawPanel(g);
    if (mKind == KIND_SPIDERS) {
        g->DrawImage(IMAGE_MINI_GAME_CANNON, kCannonPictureX, kCannonPictureY);
        DrawPanelText(g, "MINIGAME_SPIDER_INTRO");
        return;
    }
    for (Zest::Image* const part : {IMAGE_MINI_GAME_WHEEL_BACK, IMAGE_MINI_GAME_ARROW, IMAGE_MINI_GAME_CANNON_BARREL,
                                    IMAGE_MINI_GAME_WHEEL_FRONT})
        g->DrawImage(part, kWheelX, kWheelY);
    g->DrawImage(IMAGE_MINI_GAME_FISH, kFishPictureX, kWheelY);
    DrawPanelText(g, habitat == HABITAT_ALASKA ? "MINIGAME_FISH_ALASKA_INTRO" : "MINIGAME_FISH_ARCTIC_INTRO");
}

void MiniGameWidget::DrawAimPoints(Zest::Graphics* const g) const
{
    const auto count = static_cast<int32_t>(mAimPoints.size());
    if (mKind != KIND_BEARS || count <= 1 || mTurningCannon == nullptr)
        return;
    const int32_t step = kAimAlphaRange / count;
    // The first point lies on the cannon.
    for (int32_t i = 1; i < count; ++i) {
        const Vec2& point = mAimPoints[static_cast<size_t>(i)];
        g->SetColor(Zest::Color(255, 255, 255, kAimAlphaStart - i * step));
        g->DrawImageAtFloat(mTurningCannon->mAmmoImage, point.x - kAimImageHalf, point.y - kAimImageHalf);
    }
}

void MiniGameWidget::DrawFinishPanel(Zest::Graphics* const g, const int32_t habitat) const
{
    DrawPanel(g);
    DrawPanelText(g, GetFinishTextKey(habitat));
}

const char* MiniGameWidget::GetFinishTextKey(const int32_t habitat) const
{
    if (!mCompleted)
        return "MINIGAME_FINISHED_EARLY";
    return habitat == HABITAT_AMAZON || habitat == HABITAT_GRAND_CANYON ? "MINIGAME_FINISHED_SUCCESS_SPIDERS"
                                                         : "MINIGAME_FINISHED_SUCCESS_BEARS";
}

void MiniGameWidget::MouseMove(int, int)
{
    if (mState == READY)
        return;
    if (mKind == KIND_SPIDERS) {
        if (mSlidingCannon != nullptr && mSlidingCannon->mActive)
            MoveCannon();
    } else {
        AimCannon();
    }
}

void MiniGameWidget::MouseDrag(const int x, const int y) { MouseMove(x, y); }

void MiniGameWidget::MouseButtonUp(int, int, const int button, int)
{
    if (mState == READY || button != kLeftButton)
        return;
    if (mKind == KIND_SPIDERS) {
        // Shots are not counted: the spider game has as many as the player wants.
        if (mSlidingCannon != nullptr) {
            mSlidingCannon->Fire();
            mShotFired = true;
        }
        return;
    }
    if (mShots <= 0)
        return;
    --mShots;
    if (mTurningCannon != nullptr) {
        mTurningCannon->Fire();
        mShotFired = true;
    }
}

void MiniGameWidget::MoveCannon()
{
    if (mSlidingCannon == nullptr)
        return;
    const float x = mHost.GetMousePos().first;
    // Beyond the rails the cannon stays where it is.
    if (x < kSlideLeft || x > kSlideRight)
        return;
    mSlidingCannon->setAbsPlacement(Vec3(x, mSlidingCannon->GetBodyPlacement().y, 0.0f));
}

void MiniGameWidget::AimCannon()
{
    if (mTurningCannon == nullptr)
        return;
    const float x = mHost.GetMousePos().first;
    const Vec3 placement = mTurningCannon->GetBodyPlacement();
    if (x < placement.x || x > kScreenWidth)
        return;
    const float degrees = XtremaPHX2D::xtrClamp((x - kAimBaseX) / kAimPixelsPerDegree, 0.0f, kMaxAimDegrees);
    mTurningCannon->setAbsPlacement(Vec3(placement.x, placement.y, XtremaPHX2D::xtrDegToRad(degrees)));
}

void MiniGameWidget::UpdateAimPreview()
{
    mAimPoints.clear();
    if (mKind != KIND_BEARS || mState != PLAYING || mTurningCannon == nullptr || IsAmmoInFlight())
        return;
    const Vec3 placement = mTurningCannon->GetBodyPlacement();
    // The barrel's angle is measured from the 80-degree rest position.
    const float angle = XtremaPHX2D::xtrDegToRad(kMaxAimDegrees) - placement.angle;
    const float speed = mTurningCannon->mShotSpeed;
    const float gravity = XtremaPHX2D::xConfigurator::Instance().mGravity.y;
    const float horizontal = speed * std::cos(angle);
    for (int32_t i = 0; i < kAimPointCount; ++i) {
        const float d = kAimPointSpacing * static_cast<float>(i);
        const float rise = d * std::tan(angle) - gravity * d * d / (2.0f * horizontal * horizontal);
        mAimPoints.emplace_back(placement.x + d, placement.y - rise);
    }
}

void MiniGameWidget::OnShotFired(xPhysicsPrimitiveEntity* const shot)
{
    GameSession* const session = Session();
    ZEST_ASSERT(shot != nullptr && session != nullptr && mManager != nullptr);
    mManager->AddWidget(shot);
    session->mEntities.push_back(shot);
}

void MiniGameWidget::AddHitScore(const Vec2& point)
{
    mScore += kHitPoints;
    if (GameSession* const session = Session())
        session->ShowHitBonus(point.x, point.y);
}

void MiniGameWidget::CountFedBear() { ++mFedBears; }

void MiniGameWidget::EndGame()
{
    mFinished = true;
    mState = FINISH;
}

void MiniGameWidget::ClearCompleted() { mCompleted = false; }

bool MiniGameWidget::IsPlaying() const { return mState == PLAYING; }

bool MiniGameWidget::IsCannonActive() const { return mSlidingCannon != nullptr && mSlidingCannon->mActive; }

void MiniGameWidget::QueueEntityRemoval(xSharkEntity* const entity)
{
    if (GameSession* const session = Session())
        session->QueueEntityRemoval(entity);
}

void MiniGameWidget::PlaySoundEffect(const int32_t soundId) { GetMenuServices().PlaySoundEffect(soundId); }
