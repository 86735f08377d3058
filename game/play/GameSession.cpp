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
#include "game/MiniGameWidget.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/physics/PhysicsSetup.h"
#include "game/physics/SharkEntity.h"
#include "game/play/GameBoard.h"
#include "game/play/PlayHost.h"
#include "game/screens/FoodWebInfoScreen.h"
#include "game/screens/GameMap.h"
#include "game/screens/GameOverMenu.h"
#include "game/screens/MenuItem.h"
#include "game/screens/LevelCompleteMenu.h"
#include "game/screens/MenuServices.h"
#include "game/screens/NewAwardTransition.h"
#include "game/screens/PanicGameTally.h"
#include "game/screens/PauseMenu.h"
#include "platform/physics/XtremaPhysics.h"

#include <algorithm>
#include <cmath>

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

// A saved game can be continued when a habitat was ever started and this build has its
// habitat and stage; a damaged profiles.dat, which the profile store takes as it is, may
// name others.
bool CanContinue(const PlayHost& host, const PlayerProfile& profile)
{
    if (profile.mHabitatsStarted == 0)
        return false;
    const Habitat* const habitat = host.GetHabitat(profile.mHabitatName);
    if (habitat == nullptr)
        return false;
    const int32_t stage = profile.mStage.mIndex;
    return stage >= 0 && stage < static_cast<int32_t>(habitat->mStages.size());
}

// The habitat index a new game starts at: the one asked for when it is registered, else the
// first habitat.
int32_t GetStartIndex(const PlayHost& host, const int32_t habitatIndex)
{
    if (host.GetHabitat(host.GetHabitatNameByIndex(habitatIndex)) != nullptr)
        return habitatIndex;
    return host.GetFirstHabitatIndex();
}

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
    : mHost(host), mContinued(continueFlag)
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
    if (mContinued == 1 && !CanContinue(mHost, *profile))
        mContinued = 0;
    const bool newGame = mContinued == 0;

    if (newGame) {
        mHabitat = mHost.GetHabitat(mHost.GetHabitatNameByIndex(GetStartIndex(mHost, habitatIndex)));
        ++profile->mHabitatsStarted;
    } else {
        mHabitat = mHost.GetHabitat(profile->mHabitatName);
    }
    ZEST_ASSERT(mHabitat != nullptr);
    mHabitatIndex = mHabitat->mIndex;
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
        // The profile names the new game at once: a Continue before the first stage is
        // saved resumes this habitat's first stage on a fresh board, not what an earlier
        // adventure left behind.
        profile->mHabitatName = mHabitat->mName;
        profile->mStage = mStage;
        profile->mStageIndex = mStage.mIndex;
        profile->mTiles.fill(SavedTile());
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
    ReleaseSubWidget(mManager, mFoodWebInfo);
    ReleaseSubWidget(mManager, mTorchButton);
    ReleaseSubWidget(mManager, mWaterButton);
    ReleaseSubWidget(mManager, mShuffleButton);
    ReleaseSubWidget(mManager, mElementsButton);
    ReleaseSubWidget(mManager, mBackpackButton);
    ReleaseSubWidget(mManager, mPauseMenu);
    ReleaseSubWidget(mManager, mGameOver);
    ReleaseSubWidget(mManager, mLevelComplete);
    ReleaseSubWidget(mManager, mAwardTransition);
    ReleaseSubWidget(mManager, mGameMap);
    ReleaseSubWidget(mManager, mMiniGame);
    ReleaseSubWidget(mManager, mSurvivorTally);
    DestroyAllEntities();
    Widget::RemovedFromManager(manager);
}

void GameSession::DestroyAllEntities()
{
    // Without the world nothing can be destroyed through it: the pointers are only forgotten.
    // The application takes the session out before the world goes, so none are left then.
    if (XtremaPHX2D::g_ptrSDK != nullptr) {
        for (xSharkEntity* const entity : mEntities) {
            if (entity == nullptr)
                continue;
            ZEST_ASSERT(mManager != nullptr);
            mManager->RemoveWidget(entity);
            XtremaPHX2D::g_ptrSDK->destroyEntity(entity);
        }
    }
    mEntities.clear();
    // A queued pointer outliving its entity could match a new entity made at the same
    // address and destroy it.
    mRemovalQueue.clear();
}

void GameSession::QueueEntityRemoval(xSharkEntity* const entity)
{
    if (entity == nullptr || std::find(mRemovalQueue.begin(), mRemovalQueue.end(), entity) != mRemovalQueue.end())
        return;
    mRemovalQueue.push_back(entity);
}

void GameSession::DestroyQueuedEntities()
{
    // Without the world the entities are gone already; the queue waits.
    if (XtremaPHX2D::g_ptrSDK == nullptr)
        return;
    for (xSharkEntity* const queued : mRemovalQueue) {
        for (xSharkEntity*& entity : mEntities) {
            if (entity != queued)
                continue;
            ZEST_ASSERT(mManager != nullptr);
            mManager->RemoveWidget(entity);
            XtremaPHX2D::g_ptrSDK->destroyEntity(entity);
            entity = nullptr;
        }
    }
    // An entity queued but not in the list was never the session's to destroy.
    mRemovalQueue.clear();
}

