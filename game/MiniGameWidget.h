#pragma once
// The physics mini-game that closes a habitat before its level report: an intro in which
// twenty small pictures fall down the screen and uncover the habitat's background strip by
// strip, a start panel with its Start button, the game in waves (spiders hung on springs
// over a sliding cannon, or walking bears fed with fish from a turning cannon), and a finish
// panel whose Done button hands the points back to the session.
//
// The screen draws only the background, the head-up display, its panels and the session's
// popups; cannons, spiders, bears, shots and the invisible kill zones are physics entities of
// their own, in the widget manager and in the session's entity list, which destroys them.
// The screen reaches the session through its host each time, so that it never touches a
// session that has gone before it.

#include "game/physics/entities/MiniGameOwner.h"
#include "game/screens/BasicMenu.h"
#include "platform/physics/XtremaMath.h"

#include <cstdint>
#include <vector>

namespace Zest {
class Graphics;
class Image;
class WidgetManager;
} // namespace Zest

namespace XtremaPHX2D {
class xEntityDesc;
} // namespace XtremaPHX2D

class CannonEntity;
class GameSession;
class MenuItem;
class PlayHost;

class MiniGameWidget : public BasicMenu, public MiniGameOwner {
public:
    // Values of mState.
    enum MiniGameState : int32_t {
        INTRO = 0,
        READY = 1,
        PLAYING = 2,
        FINISH = 4,
        NEXT_WAVE = 5,
        ALL_WAVES_DONE = 6,
        AWAIT_DONE = 7,
    };
    // The habitats whose mini-games these are, by habitat index.
    enum MiniGameHabitat : int32_t {
        HABITAT_AMAZON = 0,
        HABITAT_GRAND_CANYON = 1,
        HABITAT_ALASKA = 2,
        HABITAT_ARCTIC = 3,
    };
    // Values of mKind (the habitat's MiniGameEntry).
    enum Kind : int32_t {
        KIND_SPIDERS = 0,
        KIND_BEARS = 1,
    };

    static constexpr int32_t kOverlayPriority = 55;
    static constexpr int32_t kIntroItemCount = 20;
    // Points of a hit, and of a faultless game (straight into the session's score).
    static constexpr int32_t kHitPoints = 100;
    static constexpr int32_t kFaultlessBonus = 100000;
    // Fish the bear game throws in its three waves; all of them eaten is faultless.
    static constexpr int32_t kBearGameFish = 60;
    static constexpr int32_t kAimPointCount = 6;

    // One falling picture of the intro.
    struct IntroItem {
        // The picture's column (x) and its current height (y).
        XtremaPHX2D::Vec2 mPos;
        // The picture has fallen out of the screen.
        bool mDone = false;
        // Not owned.
        Zest::Image* mImage = nullptr;
    };

    // From the habitat's MiniGameEntry; the session sizes the screen to 800 x 600.
    MiniGameWidget(PlayHost& host, int32_t kind, int32_t waves, int32_t perWave);
    // Destroys whatever entities the running session still lists.
    ~MiniGameWidget() override;

    void AddedToManager(Zest::WidgetManager* manager) override;
    // One pass of the state machine, then the entities queued meanwhile are destroyed.
    void UpdateSmooth(float fraction) override;
    // Everything is drawn in the overlay pass, under the entities and the buttons.
    void Draw(Zest::Graphics* g) override;
    void DrawOverlay(Zest::Graphics* g) override;
    // Steering follows the application's mouse position, not the coordinates passed.
    void MouseMove(int x, int y) override;
    void MouseDrag(int x, int y) override;
    // The left button fires.
    void MouseButtonUp(int x, int y, int button, int clickCount) override;

    // What the entities call back.
    void OnShotFired(xPhysicsPrimitiveEntity* shot) override;
    void AddHitScore(const XtremaPHX2D::Vec2& point) override;
    void CountFedBear() override;
    void EndGame() override;
    void ClearCompleted() override;
    bool IsPlaying() const override;
    bool IsCannonActive() const override;
    void QueueEntityRemoval(xSharkEntity* entity) override;
    void PlaySoundEffect(int32_t soundId) override;

    // Walks of the session's entity list (none without a session).
    int32_t CountSpiders() const;
    int32_t CountAmmo() const;
    bool IsAmmoInFlight() const;
    void RemoveAllAmmo();
    void RemoveAllBears();
    // Every entity of the session goes; the cannons with them.
    void ClearWorld();

    // The buttons' actions.
    void OnStart();
    void OnDone();

    // The finish panel's text: success by the habitat's kind of game when every wave was
    // played through, else the early end's.
    const char* GetFinishTextKey(int32_t habitat) const;

    // The preview of the turning cannon's next shot: six points of its parabola, only in
    // the bear game's play while no shot flies; otherwise none.
    void UpdateAimPreview();
    void MoveCannon();
    void AimCannon();

    // The two kinds, wave by wave.
    void BuildSpiderGame();
    void BuildBearGame();
    // `rows` rows of mPerWave spiders, then the cheer and the last wave's shots go.
    void SpawnSpiders(int32_t rows);
    void SpawnBears(int32_t count, bool arctic);
    void SpawnNextWave();
    // The bear game's fish for the habitat (MiniGameWidgetKinds.cpp).
    static Zest::Image* GetFishImage(int32_t habitat);

    PlayHost& mHost;
    // The Start button while the start panel shows it (one of mItems), else null.
    MenuItem* mStartButton = nullptr;
    // The manager given to AddedToManager.
    Zest::WidgetManager* mManager = nullptr;
    // Owned by the session's entity list; null outside their game and after ClearWorld.
    CannonEntity* mSlidingCannon = nullptr;
    CannonEntity* mTurningCannon = nullptr;
    // The game is over, by any way.
    bool mFinished = false;
    // Every wave was played through (cleared again when a spider reaches the cannon).
    bool mCompleted = false;
    int32_t mKind;
    // Shots left: counted down only in the bear game.
    int32_t mShots;
    int32_t mWaves;
    // Spiders per row in the spider game.
    int32_t mPerWave;
    // Hit points, handed to the session by the Done button.
    int32_t mScore = 0;
    int32_t mState = INTRO;
    // Passes counted in the intro and after the last wave.
    int32_t mStateFrames = 0;
    std::vector<IntroItem> mIntroItems;
    // From 1.
    int32_t mWave = 1;
    bool mShotFired = false;
    // Empty or kAimPointCount points.
    std::vector<XtremaPHX2D::Vec2> mAimPoints;
    // Shots that a bear ate.
    int32_t mFedBears = 0;

private:
    GameSession* Session() const;
    // The entity the description makes, at (0, 0) in the widget tree and the session's list,
    // with this screen as its owner.
    template <typename Entity>
    Entity* AddEntity(XtremaPHX2D::xEntityDesc& desc);
    void AddKillZones();
    // The Start or Done button, centred near the bottom.
    MenuItem* AddButton(const char* labelKey, void (MiniGameWidget::*action)());
    void StepIntro(float fraction);
    void EndWaveIfDone();
    void Finish();
    void CountAllWavesDone();
    void DrawIntro(Zest::Graphics* g, Zest::Image* background) const;
    void DrawShotsLeft(Zest::Graphics* g, int32_t habitat) const;
    void DrawStartPanel(Zest::Graphics* g, int32_t habitat) const;
    void DrawAimPoints(Zest::Graphics* g) const;
    void DrawFinishPanel(Zest::Graphics* g, int32_t habitat) const;
    // The panel, its title and the portrait that the start and finish panels share.
    void DrawPanel(Zest::Graphics* g) const;
    void DrawPanelText(Zest::Graphics* g, const char* key) const;
};
