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
#include "game/physics/entities/FeatureCarrierOwner.h"
#include "game/play/FloatingImage.h"
#include "game/play/SessionState.h"
#include "game/screens/FoodWebHost.h"
#include "game/screens/GameMapHost.h"
#include "game/screens/GameOverHost.h"
#include "game/screens/LevelCompleteHost.h"
#include "game/screens/NewAwardHost.h"
#include "game/screens/PanicGameTallyHost.h"
#include "game/screens/PauseMenuHost.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Zest {
class Graphics;
class Image;
class WidgetManager;
} // namespace Zest

class BoardTile;
class FoodWebInfoScreen;
class GameBoard;
class GameMap;
class GameOverMenu;
class GameStats;
class Habitat;
class LevelCompleteMenu;
class MenuItem;
class MiniGameWidget;
class NewAwardTransition;
class PauseMenu;
class PlayHost;
class PlayerProfile;
class PanicGameTally;
class xSharkEntity;

class GameSession : public Zest::Widget,
                    public GameMapHost,
                    public PauseMenuHost,
                    public GameOverHost,
                    public LevelCompleteHost,
                    public NewAwardHost,
                    public PanicGameTallyHost,
                    public FoodWebHost,
                    public FeatureCarrierOwner {
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
    // The head-up display (GameSessionDrawing.cpp), once the world map has closed: the
    // habitat's background and the left panel under the board, and everything else (score,
    // goals, progress, mode, blinks, flashes, the survivor intro, the web burst and the scan
    // lines) in the overlay pass above it. Nothing over the widgets while the food web is
    // open.
    void Draw(Zest::Graphics* g) override;
    void DrawOverlay(Zest::Graphics* g) override;

    // The state machine and the level flow (GameSessionStates.cpp, GameSessionLevel.cpp).
    // Values of mResumeStep: the pause menu is open, has just closed, the session resumes on
    // the next frame, or it stays frozen until it is removed (game over).
    enum ResumeStep : int32_t {
        RESUME_MENU_OPEN = 0,
        RESUME_MENU_CLOSED = 1,
        RESUME_NEXT_FRAME = 2,
        RESUME_NEVER = 3,
    };
    // Stores the running game (habitat, score, stage, progress, statistics and board) in
    // the current profile; the caller writes profiles.dat when it is to be written.
    void SaveGameToProfile();
    // The world map before the level; its Done button moves the session on (state 2).
    void ShowGameMap();
    void CloseGameMap();
    // The habitat's music and the board, then the stage start (state 12).
    void StartLevel();
    // Points may be negative; the score has no limit and no floor.
    void AddScore(int32_t points) override;
    // Freeze and release the state machine around a modal screen; in play the board takes
    // no input meanwhile. Nothing releases it while the pause menu, the level report or the
    // game-over screen is open.
    void PauseBoard();
    void ResumeBoard();

    // The pause menu and the stage restart (GameSessionPause.cpp).
    // Opens the pause menu centred on the screen, in play only, outside the survivor game,
    // with no other modal screen open and the board settled: the armed item is put away,
    // the session freezes, the pause button falls silent and, when the options ask for it,
    // the sound is muted (mPauseMuted).
    void ShowPauseMenu();
    // false: the menu goes, the pause button gets its pictures and sounds back, the board
    // takes input at once and the session runs again two frames later. true: the session
    // goes and the main menu returns. Either way a mute of this pause is released.
    void ClosePauseMenu(bool leave) override;
    // The stage again from its starting goals, at a cost of 200000 points (the score does not
    // go below 0); what the stage had collected is taken back from the habitat, the plates
    // stay.
    void RestartStage() override;
    // Save and exit: the game is stored in the profile and profiles.dat written, and the
    // application does not store it again when the program ends.
    void StoreGameForLater() override;
    void ShowOptionsMenu() override;
    // The options switched mute on pause: an open pause menu that has not muted mutes now
    // (on), one that has gives its mute back (off). Nothing while no pause menu is open.
    void SetPauseMute(bool mute);
    bool IsFoodWebOpen() const override { return mFoodWebInfo != nullptr; }
    bool IsPauseMenuOpen() const override { return mPauseMenu != nullptr; }

    // The head-up display's buttons and help pages (GameSessionHud.cpp).
    // The pause and food-web buttons and the three item hot spots; made once, when the level
    // starts or the opening story closes.
    void CreateHudButtons();
    // The hot spots over the elements holder and the backpack, each made once per session
    // however often a stage starts.
    void CreateElementsButton();
    void CreateBackpackButton();
    // The holders' help pages (kinds 4 and 3), in play with the board idle and neither the
    // pause menu nor the survivor tally open.
    void OnElementsClicked();
    void OnBackpackClicked();
    // The food web of the habitat over a hidden, disabled board, in play outside the
    // survivor game with no other modal screen open and the board settled; an armed item is
    // put away even when the board is not settled.
    void ShowFoodWebInfo();
    void CloseFoodWebInfo() override;
    // The item hot spots.
    void ArmTorch();
    void ArmWater();
    void UseShuffle();
    // The collector flourish's fresh board, unless a modal screen is open.
    void RebuildBoardIfFree();
    // No move is left: the board is frozen and disabled for good and the game-over screen
    // opens over the whole screen.
    void ShowGameOver();
    // The game-over screen's calls: the screen goes (deleted after the current update);
    // the rest is the application's.
    void CloseGameOver() override;
    PlayerProfile* GetCurrentProfile() const override;
    bool SaveProfiles() override;
    void RemoveGameSession() override;
    void ReturnToMainMenu() override;
    void ShowHighScores(int32_t highlightRow) override;
    // The end of a level and its report (GameSessionReport.cpp).
    // The mini-game's Done: once per level the session freezes, the board takes no input
    // and the level report opens.
    void OnLevelFinished();
    // Opens the report over the game, centred on the screen (state 17); nothing when it is
    // open already.
    void ShowLevelComplete();
    // The report's calls: the report goes (deleted after the current update); the rest is
    // the application's.
    void CloseLevelComplete() override;
    int32_t GetLevelNumber() const override { return mHabitatIndex; }
    void ShowReceivingAwardsScreen(int32_t nextLevel) override;
    void SetupAnimatedWidget(AnimatedWidget& widget, Zest::Image* image) const override;
    const TextStyleHost& GetTextStyle() const override;
    // A feat earned in play (GameSessionAwards.cpp): the title rig's ball is lifted back,
    // the transition opens over the game and the success song plays once (state 19).
    void ShowNewAward(int32_t awardIndex);
    // The awards screen's Back: the transition goes and play goes on.
    void CloseNewAward();
    // The transition's questions, about the title rig's ball, and its awards screen.
    float GetWallY() const override;
    float GetWallVelocityY() const override;
    bool IsAwardsScreenOpen() const override;
    void ShowAwardsScreen(int32_t newAward) override;
    // The new-award transition while it is open.
    NewAwardTransition* mAwardTransition = nullptr;
    // The survivor game's end of a stage: the stage's remaining goals count as collected and
    // the next stage comes (state 11), or goal complete (state 14) after the habitat's last.
    void AdvanceStage();
    // The stage event and its carrier (GameSessionEvents.cpp). Sends a carrier with the
    // event's lock to a free creature tile; without a remedy for the lock (on the board or
    // in the profile) or a free tile, play goes on at once (state 5). The carrier ends the
    // event (state 10) when it is done.
    void StartLevelEvent(int32_t event);
    XtremaPHX2D::Vec2 GetTileCenter(const BoardTile* tile) const override;
    bool IsTileLocked(const BoardTile* tile) const override;
    void DropLockOn(BoardTile* tile, Zest::Image* lockImage) override;
    void OnCarrierDone(FeatureCarrier* carrier) override;
    // The story and tip pages (GameSessionTips.cpp). Freezes the session and its board and
    // opens the page of that kind; the session waits in state 4 until the page closes.
    void OpenStoryPage(int32_t kind);
    // The options want tips and the player has not seen this tip kind.
    bool IsTipWanted(int32_t kind) const;
    // A play frame's tip: the first tip whose situation holds opens, unless the player has
    // seen it, which keeps every later tip from this frame. True when a tip opened.
    bool OpenDueTip();
    // The physics mini-game after the habitat's last stage (GameSessionMiniGame.cpp): the
    // world is emptied, the mini-game's music plays and its screen opens over the game.
    void StartMiniGame();
    // The mini-game's Done: its points become the mini-game score of the statistics and join
    // the session's score, the screen goes and the level report opens.
    void OnMiniGameFinished();
    // The survivor game's end (GameSessionSurvivor.cpp). Every creature that is neither
    // infected, trapped nor locked has its cell flagged.
    bool IsSurvivorBoardDone() const;
    // Opens the tally of the board's flagged cells and trapped creatures, centred.
    void ShowSurvivorTally();
    // The tally's button: the tally goes, the survivor game ends and the stage with it.
    void FinishSurvivorGame(bool withoutPoints) override;
    // Marks an entity for removal after the current pass (collision callbacks and list
    // walks must not destroy it); null is ignored and an entity is queued at most once.
    void QueueEntityRemoval(xSharkEntity* entity);
    // The entities queued for removal, out of the widget tree and the world.
    void DestroyQueuedEntities();
    // The world map's questions, answered from the application and the current profile
    // (GameSessionMap.cpp).
    std::pair<float, float> GetMapPoint(int32_t index) const override;
    int32_t GetHabitatCount() const override;
    Zest::Image* GetHabitatLabel(int32_t index) const override;
    int32_t GetNextLevel() const override;
    void StopAllMusic() override;
    void FadeInSong(int32_t songId, const std::string& fileName, bool loop) override;
    // The map's Done button: the map goes and the level starts on the next frames.
    void OnGameMapDone() override;
    // The world map while it is open.
    GameMap* mGameMap = nullptr;
    // End of the state machine and the level flow.

    // Selection processing, scoring and the popups (GameSessionScoring.cpp).
    // The board's chain is done: it is checked, scored, counted against the stage's goals
    // and taken off the board. `countGoals`: it counts for the goals; `byPlayer`: the player
    // drew it; `force`: even a chain shorter than the mode's minimum is a move.
    void ProcessSelection(bool countGoals, bool byPlayer, bool force);
    // Points, bonuses, popups, sounds and feat counters of the board's chain, before its
    // tiles leave.
    void ScoreSelection(int32_t chainLength, bool byPlayer);
    // The board is idle again: a filled target frame is scored and the next one picked.
    void CheckFrame();
    // After a chain cleared plates: the plate bonus once the last plate is gone.
    void CheckPlatesCleared();
    // Once per plate kind and board.
    void AwardPlateBonus();
    // A caged tile freed in the bottom row; a tile whose lock has just gone.
    void ShowDiamondBonus(BoardTile* tile);
    void ShowBonus750(BoardTile* tile);
    // Popups without points for the mini-game, at a point on the screen.
    void ShowHitBonus(float x, float y);
    void ShowShootPopup(float x, float y);
    // The signed number centred on (x, y), and the points, which may be negative.
    void AddScoreWithPopup(float x, float y, int32_t points);
    // A power item or the hunter taken off the board.
    void CollectItemTile(BoardTile* tile);
    // The last chain showed a creature of the stage's goals.
    bool AnyCollectedFlag() const;
    // Starts or stops the blinking of the two head-up display buttons.
    void SetElementsBlink(bool on);
    void SetBackpackBlink(bool on);
    // A popup centred on (x, y), in screen coordinates.
    void AddFloatingImage(Zest::Image* image, int32_t kind, float x, float y);
    // One step of every popup, once per smooth update of whatever screen shows them.
    void UpdateFloatingImages();
    void DrawFloatingImages(Zest::Graphics* g, bool halfSize);
    // The popups, oldest first; a slot is null once its popup has expired.
    std::vector<std::unique_ptr<FloatingImage>> mFloatingImages;
    // End of selection processing, scoring and the popups.
    // Power items (GameSessionItems.cpp). The stock is the current profile's; one use is
    // three units and a collected item tile adds three, in stages that allow items.
    // Puts an armed torch or water away; the pointer is the normal one again.
    void DisarmItem();
    // The armed item was used on a tile: its three units are spent (it stays armed).
    void SpendArmedItem();
    void AddTorches();
    void AddWater();
    void AddShuffles();
    // The fireballs of a burning web, flying into (x, y) from five points 600 pixels away
    // (state 7).
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
    // The modal screens the session opens; null while closed. Each is a top-level widget of
    // mManager.
    PauseMenu* mPauseMenu = nullptr;
    FoodWebInfoScreen* mFoodWebInfo = nullptr;
    LevelCompleteMenu* mLevelComplete = nullptr;
    GameOverMenu* mGameOver = nullptr;
    PanicGameTally* mSurvivorTally = nullptr;
    MiniGameWidget* mMiniGame = nullptr;
    // The open pause menu holds one count of the application's mute; closing it, or the
    // program's end, gives that count back and no other.
    bool mPauseMuted = false;
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
