// The session's construction (the wave and circle tables, the stage and statistics of a new
// or continued game, the effect layers, the physics world and the habitat's pictures), its
// teardown, and the operations whose screens and effects are still to come.

#include "game/play/GameSession.h"

#include "framework/app/common/Assert.h"
#include "framework/app/common/RuntimeRandom.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/WidgetManager.h"
#include "game/GameStats.h"
#include "game/Habitat.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/physics/PhysicsSetup.h"
#include "game/physics/SharkEntity.h"
#include "game/play/GameBoard.h"
#include "game/play/PlayHost.h"
#include "game/screens/MenuItem.h"
#include "game/screens/MenuServices.h"
#include "platform/physics/XtremaPhysics.h"

#include <cmath>
#include <string>

namespace {

constexpr int32_t kWavePointCount = 200;
// Pixels between two wave points, and degrees of the wave per point.
constexpr float kWaveStepX = 4.0f;
constexpr float kWaveStepDegrees = 3.0f;
constexpr int32_t kWaveOffsetCount = 6;
constexpr int32_t kCirclePointCount = 360;
// Pixels.
constexpr float kCircleRadius = 600.0f;
constexpr int32_t kFireballCount = 5;
// A continued game shows its head-up display at once.
constexpr int32_t kOpaque = 255;

// A wave offset of -50.0 to 49.9 from the runtime's generator.
float RandomWaveOffset() { return static_cast<float>(Zest::Rand() % 1000 - 500) / 10.0f; }

// Takes a sub-widget of the session out of the manager and queues its deletion.
template <typename T>
void ReleaseSubWidget(Zest::WidgetManager* const manager, T*& widget)
{
    if (widget == nullptr)
        return;
    manager->RemoveWidget(widget);
    GetMenuServices().DeferDeleteWidget(widget);
    widget = nullptr;
}

} // namespace

GameSession::GameSession(PlayHost& host, const int32_t continueFlag, const int32_t habitatIndex)
    : mHost(host), mContinued(continueFlag), mHabitatIndex(habitatIndex)
{
    for (int32_t k = 0; k < kWavePointCount; ++k) {
        const float x = kWaveStepX * static_cast<float>(k);
        mWavePoints.emplace_back(x, std::sin(XtremaPHX2D::xtrDegToRad(kWaveStepDegrees * static_cast<float>(k))));
    }
    for (int32_t i = 0; i < kWaveOffsetCount; ++i)
        mWaveOffsets.push_back(RandomWaveOffset());
    for (int32_t i = 0; i < kCirclePointCount; ++i) {
        const float radians = XtremaPHX2D::xtrDegToRad(static_cast<float>(i));
        mCirclePoints.emplace_back(kCircleRadius * std::cos(radians), kCircleRadius * std::sin(radians));
    }
    for (int32_t i = 0; i < kFireballCount; ++i) {
        AnimatedWidget fireball;
        mHost.SetupAnimatedWidget(fireball, IMAGE_GAME_FIREBALL_EFFECT);
        mFireballs.push_back(fireball);
    }
    mCollected.clear();

    PlayerProfile* const profile = mHost.GetCurrentProfile();
    ZEST_ASSERT(profile != nullptr);
    // Nothing was ever started, so there is nothing to continue.
    if (mContinued == 1 && profile->mHabitatsStarted == 0)
        mContinued = 0;
    const bool newGame = mContinued == 0;

    std::string habitatName = profile->mHabitatName;
    if (newGame) {
        habitatName = mHost.GetHabitatNameByIndex(habitatIndex);
        ++profile->mHabitatsStarted;
    }
    mHabitat = mHost.GetHabitat(habitatName);
    ZEST_ASSERT(mHabitat != nullptr);
    mHabitat->mCollectedGoals = 0;

    mHabitat->ResetStages();
    if (newGame) {
        mHabitat->StartNextStage(mStage);
    } else {
        mStage = profile->mStage;
        mHabitat->ResumeAtStage(mStage.mIndex);
        mHabitat->ClearActiveCreatures();
        mStage.ActivateCreatures();
        mPanelAlpha = kOpaque;
        mItemsAlpha = kOpaque;
        mProgressAlpha = kOpaque;
    }
    mMode = mStage.mMode;

    mStats = std::make_unique<GameStats>();
    mStats->CopyFromProfile(*profile, newGame);
    if (newGame) {
        profile->mStageIndex = mStage.mIndex;
    } else {
        mHabitat->mCollectedGoals += profile->mHabitatProgress;
        mScore = profile->mScore;
    }

    mMiniGames = BuildMiniGameTable();
    mHost.StopAllMusic();

    mHost.SetupAnimatedWidget(mEffect, IMAGE_GAME_EFFECTANIM_001);
    mHost.SetupAnimatedWidget(mSpookyCreature, IMAGE_GAME_GRASSHOPPER);
    mHost.SetupAnimatedWidget(mPoisonCloud, IMAGE_GAME_POSION_CLOUD);
    for (AnimatedWidget* const layer : {&mEffect2, &mTorchFlash, &mWaterFlash, &mShuffleFlash})
        mHost.SetupAnimatedWidget(*layer, IMAGE_GAME_EFFECTANIM_002);

    SetUpPhysicsWorld();
    mHost.LoadHabitatResources(mHabitat->mName);
}

GameSession::~GameSession()
{
    mHost.SetCarriedScore(mScore);
    DestroyAllEntities();
    mHost.UnloadHabitatResources(mHabitat->mName);
}

void GameSession::AddedToManager(Zest::WidgetManager* const manager)
{
    mManager = manager;
    Widget::AddedToManager(manager);
}

void GameSession::RemovedFromManager(Zest::WidgetManager* const manager)
{
    ZEST_ASSERT(mManager != nullptr);
    ReleaseSubWidget(mManager, mBoard);
    ReleaseSubWidget(mManager, mPauseButton);
    ReleaseSubWidget(mManager, mFoodWebButton);
    ReleaseSubWidget(mManager, mTorchButton);
    ReleaseSubWidget(mManager, mWaterButton);
    ReleaseSubWidget(mManager, mShuffleButton);
    ReleaseSubWidget(mManager, mElementsButton);
    ReleaseSubWidget(mManager, mBackpackButton);
    DestroyAllEntities();
    Widget::RemovedFromManager(manager);
}

void GameSession::DestroyAllEntities()
{
    for (xSharkEntity* const entity : mEntities) {
        if (entity == nullptr)
            continue;
        // Entities live in the widget tree and only while the world does: the application
        // destroys a running session before the world.
        ZEST_ASSERT(mManager != nullptr && XtremaPHX2D::g_ptrSDK != nullptr);
        mManager->RemoveWidget(entity);
        XtremaPHX2D::g_ptrSDK->destroyEntity(entity);
    }
    mEntities.clear();
}

// Stop-gaps until the world map and the level start exist, both here: StartLevelForPlay
// plays the habitat's music, makes the board and goes straight to play, without story page
// or head-up display buttons; and UpdateSmooth calls it while the session would open the
// world map (state 0, no board yet), which is how the main menu's Start adventure reaches
// play.
void GameSession::StartLevelForPlay()
{
    ZEST_ASSERT(mManager != nullptr && mBoard == nullptr);
    mHost.PlayHabitatMusic(*mHabitat);
    mBoard = new GameBoard(mHost, mHabitat, mContinued);
    mBoard->Resize(0, 0, GameBoard::kWidth, GameBoard::kHeight);
    mBoard->Move(GameBoard::kX, GameBoard::kY);
    mManager->AddWidget(mBoard);
    mState = STATE_PLAY;
}

void GameSession::UpdateSmooth(const float fraction)
{
    if (mState == STATE_SHOW_MAP && mBoard == nullptr)
        StartLevelForPlay();
    // The world runs at half speed while a carrier delivers.
    mHost.SetPhysicsStep(mState == STATE_EVENT_RUNNING ? fraction / 2.0f : fraction);
}

// For now the habitat's background alone.
void GameSession::Draw(Zest::Graphics* const g)
{
    ZEST_ASSERT(mHabitat->mBackImage != nullptr);
    g->DrawImage(mHabitat->mBackImage, 0, 0);
}

// For now nothing is drawn over the widgets.
void GameSession::DrawOverlay(Zest::Graphics* /*g*/) {}

// For now the chain is only let go: nothing is scored or counted.
void GameSession::ProcessSelection(bool /*countGoals*/, bool /*byPlayer*/, bool /*force*/)
{
    ZEST_ASSERT(mBoard != nullptr);
    mBoard->ClearSelection();
}

// For now the idle board tests no frame.
void GameSession::CheckFrame() {}

// The bonus of a plate kind is given once, when the last plate of the board goes.
void GameSession::CheckPlatesCleared()
{
    ZEST_ASSERT(mBoard != nullptr);
    if (mBoard->CountPlatesLeft() != 0)
        return;
    // A stage read from a damaged file may name a plate kind that does not exist: it earns
    // nothing.
    const int32_t kind = mStage.mPlateKind;
    if (kind < 0 || kind >= static_cast<int32_t>(mBoard->mPlateBonusFlags.size()) || mBoard->mPlateBonusFlags[kind])
        return;
    // For now the bonus is only recorded: its points, popup and sound are still to come.
    mBoard->mPlateBonusFlags[kind] = true;
}

// For now a diamond gives no bonus.
void GameSession::ShowDiamondBonus(BoardTile* /*tile*/) {}

// For now no bonus of 750 is shown.
void GameSession::ShowBonus750(BoardTile* /*tile*/) {}

// For now there are no popups to draw.
void GameSession::DrawFloatingImages(Zest::Graphics* /*g*/, bool /*halfSize*/) {}

// For now no item is ever armed.
void GameSession::DisarmItem() {}

// For now an armed item costs nothing.
void GameSession::SpendArmedItem() {}

// For now a burning web throws no fireballs.
void GameSession::StartWebBurst(float /*x*/, float /*y*/) {}

// For now the effect layer stands on its first cell.
int32_t GameSession::GetEffectFrame() const { return 0; }

// For now the effect layer is always done.
int32_t GameSession::GetEffectStatus() const { return ANIM_FINISHED; }
