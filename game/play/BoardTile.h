#pragma once
// One cell content of the 6 by 6 board: a creature of the habitat or a power item, with its
// lock, its marks and its effect layers, and the small state machine of its life on the
// board (dealt in, idle, falling, jumping off, fading, infected, unlocking).
//
// A tile is a widget of 86 x 86 pixels that is not in the widget tree: its board creates
// and positions it, calls its smooth update and draw every frame, routes the mouse to it
// and hands it to the deferred deletion. Its position is in the board's parent's space.

#include "game/AnimatedWidget.h"

#include <cstdint>
#include <utility>

namespace Zest {
class Graphics;
class Image;
class Transform;
} // namespace Zest

class Creature;
class GameBoard;
class GameSession;

enum TileState : int32_t {
    TILE_IDLE = 0,
    // Not drawn: made or restored, waiting to be dealt in.
    TILE_HIDDEN = 1,
    TILE_FALLING = 2,
    // Taken off by a chain: one update of set-up before the jump.
    TILE_REMOVED = 3,
    TILE_FLYING = 4,
    // Off the board; the board deletes it.
    TILE_GONE = 5,
    TILE_FADING = 6,
    TILE_APPEARING = 7,
    TILE_INFECTED = 8,
    TILE_UNLOCKING = 9,
    TILE_RESETTING = 10,
};

enum LockKind : int32_t {
    LOCK_NONE = -1,
    LOCK_SPIDER_WEB = 0,
    LOCK_BANANAS = 1,
    LOCK_CAGE = 2,
};

class BoardTile : public Zest::Widget {
public:
    static constexpr int32_t kSize = 86;
    // A press this far from the centre, or nearer, hits the tile.
    static constexpr float kHitRadius = 43.0f;
    // The picture of the overlay is the resource of this id plus mOverlay.
    static constexpr int32_t kOverlayResourceBase = 126;
    // The highest overlay a picture exists for.
    static constexpr int32_t kLastOverlay = 176;
    // Updates an infection runs before the tile is trapped.
    static constexpr int32_t kInfectionUpdates = 150;

    BoardTile(Creature* creature, GameBoard* board);
    ~BoardTile() override;

    // mPrevState = mState, mState = state. Unlocking outside the survivor game also
    // restarts mTimer and disables the board until the unlocking ends.
    void SetState(int32_t state);
    void SetSelected(bool selected);
    void SetHint(bool hint) { mHint = hint; }
    void SetInfected(bool infected);
    // Sets the lock kind; LOCK_NONE remembers the old kind in mPrevLock and starts the web
    // burst when a spider web goes. The lock layer does not play.
    void SetLock(int32_t kind);
    // Sets the lock by its picture (null: none) with its sound, and plays the lock layer.
    void SetLockByImage(Zest::Image* image);
    // 0 starts the burning web, any other value the water.
    void ResetEffectLayers(int32_t which);

    // The centre in the tile's coordinate space, halves rounded toward zero.
    std::pair<float, float> GetCenter() const;
    bool HitTest(int32_t x, int32_t y) const;
    bool IsAppearing() const;
    // No lock and a creature's level: a tile the player could chain.
    bool IsPlain() const { return mLock == LOCK_NONE && mLevel >= 0; }

    void UpdateSmooth(float fraction) override;
    void Draw(Zest::Graphics* g) override;
    // The tile body: glow, creature, marks, lock and layers.
    void DrawTile(Zest::Graphics* g);
    // A press or a drag arriving: asks the board to add the tile to the chain.
    void MouseButtonDown(int x, int y, int button, int clickCount) override;
    void MouseEnter() override;
    void MouseLeave() override;

    // 4..1 creatures, Creature::LEVEL_ITEM, Creature::LEVEL_HUNTER.
    int32_t mLevel;
    // Not owned; a tile without its picture draws nothing.
    Zest::Image* mTileImage;
    Zest::Image* mLabelImage;
    Zest::Image* mLockImage = nullptr;
    int32_t mLock = LOCK_NONE;
    // The kind of the lock cleared last, while its clearing plays; LOCK_NONE otherwise.
    int32_t mPrevLock = LOCK_NONE;
    Creature* mCreature;
    // 0 none, else the picture kOverlayResourceBase + mOverlay at (3, 3).
    int32_t mOverlay = 0;
    // The gender shown in match pairs: 0 male, 1 female.
    int32_t mVariant = 0;
    int32_t mFlyStartY = 0;
    // Sum of the smooth-update fractions since its last reset.
    float mTimer = 0.0f;
    int32_t mFlyDir = 1;
    int32_t mAlpha = 255;
    int32_t mState = TILE_HIDDEN;
    int32_t mPrevState = TILE_HIDDEN;
    bool mSelected = false;
    // Cells the tile is to fall; written by the board, 0 once landed.
    int32_t mDropCells = 0;
    int32_t mTargetY = 0;
    int32_t mDropRemaining = 0;
    GameBoard* mBoard;
    AnimatedWidget mAppearAnim;
    AnimatedWidget mPopAnim;
    AnimatedWidget mLockAnim;
    AnimatedWidget mFireAnim;
    AnimatedWidget mGlowAnim;
    AnimatedWidget mVirusAnim;
    AnimatedWidget mWaterAnim;
    bool mHint = false;
    bool mInfected = false;
    int32_t mInfectionTimer = 0;
    // The infection ran its course: the tile shows a dead animal.
    bool mTrapped = false;
    // The target of match search.
    bool mSearchMark = false;

private:
    // The application's running session; null when none runs.
    GameSession* Session() const;
    bool SurvivorOn() const;
    void StartWebBurstIfWebbed();
    void StartLayer(AnimatedWidget& layer);
    // The press and the drag: join the chain when the board's rules allow it.
    void JoinChain();

    void UpdateIdle();
    // An item in the bottom row is played as a one-tile chain.
    void CollectItem();
    void FreeFromCage();
    void UpdateFalling();
    void StartFlying();
    void UpdateFlying();
    void UpdateAppearing();
    void UpdateInfected();
    void UpdateUnlocking(float fraction);

    void DrawFlying(Zest::Graphics* g);
    void DrawAppearing(Zest::Graphics* g);
    void DrawSelected(Zest::Graphics* g);
    void DrawHintGlow(Zest::Graphics* g);
    void DrawTrapped(Zest::Graphics* g);
    void DrawCreature(Zest::Graphics* g);
    bool ShowsGenderSymbol() const;
    void DrawGenderSymbol(Zest::Graphics* g);
    void DrawOverlayPicture(Zest::Graphics* g);
    void DrawBurningWeb(Zest::Graphics* g);
    // The image centred on the middle of the tile, through the transform.
    static void DrawCentredAtMiddle(Zest::Graphics* g, Zest::Image* image, const Zest::Transform& transform);
    // The layer centred on the tile, raised by `raise` pixels.
    void DrawLayerCentred(Zest::Graphics* g, AnimatedWidget& layer, float raise = 0.0f);
};
