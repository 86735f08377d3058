#pragma once
// The in-game screen and the controller of one visit to a habitat: it owns the board, the
// copy of the current stage, the statistics and score of the game, the popups and effect
// layers of the head-up display and the physics entities alive during play. The
// application makes exactly one when a player starts or continues an adventure and hands it
// to the deferred deletion when the visit ends.
//
// Sub-screens (world map, pause menu, reports, mini-game) are added to the widget manager
// at the top level, not as children of the session.

#include "framework/widgets/Widget.h"
#include "game/AnimatedWidget.h"
#include "game/MiniGameEntry.h"
#include "game/Stage.h"
#include "game/play/SessionState.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace Zest {
class Graphics;
class WidgetManager;
} // namespace Zest

class BoardTile;
class GameBoard;
class GameStats;
class Habitat;
class MenuItem;
class PlayHost;
class xSharkEntity;

class GameSession : public Zest::Widget {
public:
    static constexpr int32_t kWidth = 800;
    static constexpr int32_t kHeight = 600;

    // `continueFlag` 1 continues the current profile's saved game (when it has one); 0
    // starts the habitat of `habitatIndex` anew. Sets up the physics world and loads the
    // habitat's resources.
    GameSession(PlayHost& host, int32_t continueFlag, int32_t habitatIndex);
    // Leaves the score in the application, destroys the physics entities and releases the
    // habitat's resources.
    ~GameSession() override;

    void AddedToManager(Zest::WidgetManager* manager) override;
    // Takes down the board and every sub-widget, and destroys the physics entities.
    void RemovedFromManager(Zest::WidgetManager* manager) override;
    void UpdateSmooth(float fraction) override;
    void Draw(Zest::Graphics* g) override;
    void DrawOverlay(Zest::Graphics* g) override;

    // Until the session's level start is built: the habitat's music and the board, then
    // play (state 5) at once, with no story page and no head-up display. The main menu's
    // Start adventure, the tests and the tools use it; they may set mStage or mMode first.
    void StartLevelForPlay();

    // The player's or an item's chain is done.
    void ProcessSelection(bool countGoals, bool byPlayer, bool force);
    // The board is idle again: the target frame and the plates are tested.
    void CheckFrame();
    void CheckPlatesCleared();
    void ShowDiamondBonus(BoardTile* tile);
    void ShowBonus750(BoardTile* tile);
    void DrawFloatingImages(Zest::Graphics* g, bool halfSize);
    // Power items.
    void DisarmItem();
    void SpendArmedItem();
    // The fireballs of a burning web, from (x, y).
    void StartWebBurst(float x, float y);
    int32_t GetEffectFrame() const;
    int32_t GetEffectStatus() const;

    // Physics entities: every entity of mEntities out of the widget tree and the world.
    void DestroyAllEntities();

    PlayHost& mHost;
    // The manager given to AddedToManager.
    Zest::WidgetManager* mManager = nullptr;
    // Physics entities alive in the session; created by the library, destroyed only through it.
    std::vector<xSharkEntity*> mEntities;
    // Entities queued for removal at the next update.
    std::vector<xSharkEntity*> mRemovalQueue;
    bool mItemArmed = false;
    // -1 none, 0 torch, 1 water.
    int32_t mArmedItem = -1;
    int32_t mState = STATE_SHOW_MAP;
    // 1 when the session continues the profile's saved game.
    int32_t mContinued;
    // The board mode of the current stage (StageMode).
    int32_t mMode = MODE_FOOD_CHAIN;
    int32_t mStateFrames = 0;
    // Recomputed on every play frame: the board has no move left.
    bool mNoMoves = false;
    bool mRebuildBoard = false;
    // Null until the level starts.
    GameBoard* mBoard = nullptr;
    MenuItem* mFoodWebButton = nullptr;
    MenuItem* mPauseButton = nullptr;
    MenuItem* mElementsButton = nullptr;
    MenuItem* mBackpackButton = nullptr;
    MenuItem* mTorchButton = nullptr;
    MenuItem* mWaterButton = nullptr;
    MenuItem* mShuffleButton = nullptr;
    int32_t mScore = 0;
    int32_t mHabitatIndex;
    bool mSurvivorOn = false;
    bool mPaused = false;
    // 0 pause menu open, 1 just closed, 2 resume on the next frame, 3 frozen for good.
    int32_t mResumeStep = 2;
    bool mLevelFinished = false;
    // Belongs to the application's habitat registry.
    Habitat* mHabitat = nullptr;
    Stage mStage;
    // Habitat progress 0..1.
    float mProgress = 0.0f;
    std::unique_ptr<GameStats> mStats;
    std::vector<MiniGameEntry> mMiniGames;
    AnimatedWidget mEffect;
    AnimatedWidget mEffect2;
    AnimatedWidget mTorchFlash;
    AnimatedWidget mWaterFlash;
    AnimatedWidget mShuffleFlash;
    AnimatedWidget mSpookyCreature;
    AnimatedWidget mPoisonCloud;
    // Alphas 0..255 of the head-up display's parts.
    int32_t mPanelAlpha = 0;
    int32_t mItemsAlpha = 0;
    int32_t mProgressAlpha = 0;
    bool mFadeInPanel = false;
    bool mFadeInProgress = false;
    bool mFadeInItems = false;
    std::vector<bool> mCollected;
    // The pending stage event (StageEventKind); written before it is read.
    int32_t mEvent = -1;
    // 200 points of the wave the display draws.
    std::vector<std::pair<float, float>> mWavePoints;
    std::vector<float> mWaveOffsets;
    // 360 points on a circle of radius 600.
    std::vector<std::pair<float, float>> mCirclePoints;
    // The five fireballs of the web burst, their positions and their steps per frame.
    std::vector<AnimatedWidget> mFireballs;
    std::vector<std::pair<float, float>> mBurstPositions;
    std::vector<std::pair<float, float>> mBurstVelocities;
    int32_t mBurstStep = 0;
    bool mElementsBlink = false;
    int32_t mElementsBlinkAlpha = 0;
    int32_t mElementsBlinkStep = 8;
    bool mBackpackBlink = false;
    int32_t mBackpackBlinkAlpha = 0;
    int32_t mBackpackBlinkStep = 8;
    bool mHudVisible = false;
    bool mFlourishDone = false;
};
