#pragma once
// The 6 by 6 board a stage is played on. It deals its tiles in, keeps the grid, lets tiles
// fall into emptied cells and makes new ones above them, shuffles, carries the locks, the
// items, the hunter and the survivor game's infection, holds the chain the player builds,
// and runs the phase machine the game session drives and watches.
//
// The board owns its tiles (handed to the deferred deletion, never deleted directly) but
// not its habitat. Tiles are not in the widget tree: the board updates, draws and routes
// the mouse to them. Cell index = row x 6 + column, row 0 at the top.

#include "framework/widgets/Widget.h"
#include "game/AnimatedWidget.h"
#include "game/StorableBoard.h"
#include "game/TileCounts.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace Zest {
class Graphics;
class Image;
class WidgetManager;
} // namespace Zest

class BoardTile;
class Creature;
class Habitat;
class PlayHost;
class Stage;
class xPhysicsPrimitiveEntity;

enum BoardPhase : int32_t {
    PHASE_IDLE = 2,
    PHASE_DEAL_IN = 3,
    PHASE_SETTLE = 5,
    PHASE_CLEAR_OUT = 6,
    PHASE_TWIRL = 7,
    PHASE_SHUFFLE_START = 8,
    PHASE_SHUFFLING = 9,
    PHASE_FROZEN = 10,
    PHASE_HUNTER_JUMP = 11,
};

// A point of the drawn selection line, relative to the board's top-left corner.
struct PathPoint {
    float x = 0.0f;
    float y = 0.0f;
    // Radians.
    float angle = 0.0f;
};

class GameBoard : public Zest::Widget, public TileCounts, public StorableBoard {
public:
    static constexpr int32_t kColumns = 6;
    static constexpr int32_t kRows = 6;
    static constexpr int32_t kCells = kColumns * kRows;
    // Pixels between the cells, in both directions.
    static constexpr int32_t kCellPitch = 89;
    // A right click arrives as a release with this click count.
    static constexpr int32_t kRightClick = -1;
    // The cursor kinds the board sets: none over a match-search board (the board draws its
    // own), the standard arrow elsewhere.
    static constexpr int32_t kNoCursor = 11;
    static constexpr int32_t kArrowCursor = 0;
    // The board widget's size and place in the session.
    static constexpr int32_t kWidth = 532;
    static constexpr int32_t kHeight = 532;
    static constexpr int32_t kX = 256;
    static constexpr int32_t kY = 16;
    // New tiles start this far above their cell.
    static constexpr int32_t kRefillDrop = 516;
    // mFrameShape and mFrameAnchor while no frame is picked.
    static constexpr int32_t kNoFrame = -1;

    // `restoreFromProfile` 1 builds the cells from the current profile's saved board.
    GameBoard(PlayHost& host, Habitat* habitat, int32_t restoreFromProfile);
    ~GameBoard() override;

    // Builds the cells and the title rig.
    void AddedToManager(Zest::WidgetManager* manager) override;
    // Releases every tile and the title rig.
    void RemovedFromManager(Zest::WidgetManager* manager) override;
    void Rebuild();
    void BuildBoard();
    // Phase 3 (deal-in) also restarts the deal and the title rig.
    void SetPhase(int32_t phase);
    // The per-frame step; nothing while the application has no session.
    void UpdateSmooth(float fraction) override;
    // The normal pass: plates, rescued cells, tiles, flying cages; then it defers the
    // overlay pass: frame, selection line, search view, effects, leaving tiles, the stage
    // title and the session's popups.
    void Draw(Zest::Graphics* g) override;
    void DrawOverlay(Zest::Graphics* g) override;
    void DrawShuffleEffect(Zest::Graphics* g);

    // The mouse, relative to the board: presses and drags build the chain, the release
    // hands it to the session, a right click cancels it.
    void MouseButtonDown(int x, int y, int button, int clickCount) override;
    void MouseUp(int x, int y, int clickCount) override;
    void MouseDrag(int x, int y) override;
    void MouseMove(int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;

    // Queries: null, false or -1 for absent tiles and cells outside the grid.
    // (column, row) of the tile's cell; (-1, 0) for a tile not on the grid.
    std::pair<int32_t, int32_t> GetCell(const BoardTile* tile) const;
    BoardTile* GetTile(int32_t column, int32_t row) const;
    BoardTile* TileAtIndex(int32_t index) const;
    int32_t IndexOf(const BoardTile* tile) const;
    // The first tile, in cell order, hit by the point (x, y) relative to the board.
    BoardTile* TileAt(int32_t x, int32_t y) const;
    // Every cell empty, or its tile idle and not appearing.
    bool IsSettled() const;

    // Grid editing.
    void SetTileAt(int32_t column, int32_t row, BoardTile* tile);
    // Empties every cell that holds the tile.
    void ClearCell(const BoardTile* tile);
    // A new tile placed at its cell, raised by yOffset pixels; the caller stores it.
    BoardTile* CreateTile(Creature* creature, int32_t column, int32_t row, int32_t yOffset);
    // The three steps after an accepted chain.
    void ComputeFallDistances();
    void RemoveSelectedTiles();
    void ApplyGravity();
    // Single-column gravity for a tile that leaves the middle of a column.
    void RefillColumnAbove(BoardTile* tile);
    int32_t CountEmptyBelow(const BoardTile* tile) const;
    void DropTile(BoardTile* tile, int32_t cells);
    bool HasWebbedTileAbove(int32_t column, int32_t row) const;
    // 18 swaps, each between a cell of the top half and one of the bottom half.
    void ShuffleTiles();
    void SwapTiles(int32_t indexA, int32_t indexB);
    // Every cell tile to the deferred deletion; the cells and the chain emptied.
    void RemoveAllTiles();

    // The chain.
    bool TryAddToSelection(BoardTile* tile, int32_t mode);
    bool IsAdjacentToLast(const BoardTile* tile) const;
    void ClearSelection();
    // Takes the last tile off the chain without unselecting it.
    void PopSelection();
    bool IsInSelection(const BoardTile* tile) const;
    // The chain has two tiles or more and the tile is its last.
    bool IsLastOfChain(const BoardTile* tile) const;
    // Hints on the candidates for the next pick around the tile, then the selection line.
    void HighlightCandidates(BoardTile* tile);
    void ClearHints();
    void BuildSelectionPath();
    // No plain tile has a move left in the stage's mode.
    bool NoMovesLeft() const;
    int32_t CountSameNeighbours(const BoardTile* tile) const;
    bool HasChainNeighbours(const BoardTile* tile) const;
    int32_t CountPairPartners(const BoardTile* tile) const;
    // For the session's scoring: counts the chain's goals into the stage; the creatures of
    // the stage's goals the chain shows; the chain's centre; unselected tiles of a creature.
    bool CountChainForGoals(Stage& stage);
    void CollectChainCreatures(std::vector<bool>& flags, const Stage& stage) const;
    std::pair<float, float> GetSelectionCenter() const;
    int32_t CountSameCreature(const BoardTile* tile) const;

    // Locks, items, the hunter, the infection and the search targets.
    void StartHunterJump(BoardTile* hunter);
    void InfectRandomTile();
    void SpreadInfection(const BoardTile* tile);
    int32_t CountInfected() const;
    int32_t CountTrapped() const;
    void MarkCellUsed(const BoardTile* tile);
    bool IsCellMarked(int32_t index) const override;
    int32_t CountMarkedCells() const;
    void ResetCellLists();
    int32_t CountSearchTargets() const;
    void PlaceSearchTargets();
    int32_t CountTorchTiles() const;
    int32_t CountWaterTiles() const;
    int32_t CountShuffleTiles() const;
    int32_t CountTilesOf(const Creature& creature) const override;
    int32_t CountTilesOfLevel(int32_t level) const override;
    bool HasHunterTile() const override;
    // No item tile in the bottom row.
    bool NoItemInBottomRow() const;

    // Plates and the target frame.
    void InitPlates();
    // Cells whose plate is not cleared.
    int32_t CountPlatesLeft() const;
    void PickFrame(bool playSound);
    void PlaceFrameCells(int32_t count);
    // True when the framed cells show one creature; with `score` the group is handed to the
    // session as a chain.
    bool CheckFrame(bool score);
    // The chain fills a column, a row, a diagonal.
    bool IsFullColumn() const;
    bool IsFullRow() const;
    bool IsFullDiagonal() const;

    // The title rig and the effect layers.
    void CreateWalls();
    void ResetWallPosition();
    // The title ball's placement y in screen pixels and the y of its velocity; 0 without
    // the rig.
    float GetTitleBallY() const;
    float GetTitleBallVelocityY() const;
    void StartShuffleEffect();
    void ResetEffectColors();
    // Every tile plays its appearance again.
    void StartResetAnimation();

    // What a saved game keeps.
    bool GetSavedTile(int32_t column, int32_t row, SavedTile& tile) const override;
    int32_t GetFrameShape() const override { return mFrameShape; }
    int32_t GetFrameAnchor() const override { return mFrameAnchor; }
    std::vector<int32_t> GetFrameCells() const override { return mFrameCells; }
    std::vector<int32_t> GetPlates() const override { return mPlates; }
    std::vector<bool> GetPlateBonusFlags() const override { return mPlateBonusFlags; }

    PlayHost& mHost;
    // Shuffle passes done in phase 9 (0..3).
    int32_t mShufflePass = 0;
    int32_t mRestoreFromProfile;
    // The 36 cells by index; null is an empty cell.
    std::vector<BoardTile*> mCells;
    // The survivor game's rescued marks, one per cell.
    std::vector<bool> mRescuedCells;
    // Plate kinds by cell; -2 cleared, -1 none.
    std::vector<int32_t> mPlates;
    // In pick order.
    std::vector<BoardTile*> mChain;
    // The tile under the held mouse button.
    BoardTile* mPressedTile = nullptr;
    bool mChainReversed = false;
    int32_t mPhase = PHASE_DEAL_IN;
    // 0..255, counted up during the deal-in.
    int32_t mFadeIn = 0;
    // Smooth updates since the last reset.
    int32_t mFrameCounter = 0;
    // Tiles off the grid that still play their leaving animation; null once deleted.
    std::vector<BoardTile*> mRemovedTiles;
    Habitat* mHabitat;
    AnimatedWidget mTwirlEffect;
    AnimatedWidget mStreakEffect;
    // Deal-in progress, 0..37.
    int32_t mDealtCount = 0;
    // The six shuffle layers.
    std::vector<AnimatedWidget> mEffectLayers;
    Zest::Image* mMaskImage = nullptr;
    // The application's last mouse position, truncated.
    int32_t mMouseX = 0;
    int32_t mMouseY = 0;
    std::vector<BoardTile*> mHunterTargets;
    // Per target: the displacement per frame of the jump.
    std::vector<std::pair<float, float>> mHunterSteps;
    // The flying cages, relative to the board.
    std::vector<std::pair<float, float>> mHunterShots;
    float mHunterOriginX = 0.0f;
    float mHunterOriginY = 0.0f;
    // Frames of the jump, 0..40.
    int32_t mHunterFrame = 0;
    int32_t mPhaseBeforeHunter = PHASE_IDLE;
    int32_t mFrameShape = kNoFrame;
    int32_t mFrameAnchor = 0;
    // Step of the glint along the selection line.
    int32_t mPathStep = 0;
    std::vector<PathPoint> mSelectionPath;
    std::vector<bool> mPlateBonusFlags;
    // The deal-in has finished.
    bool mDealt = false;
    BoardTile* mHunterTile = nullptr;
    // The cells of frame shapes 6 to 8.
    std::vector<int32_t> mFrameCells;
    // The title rig: a ball falling in a shaft of four walls; its height drives the bounce
    // of the stage title. Made by CreateWalls, destroyed through the physics library.
    xPhysicsPrimitiveEntity* mTitleBall = nullptr;
    xPhysicsPrimitiveEntity* mWallTop = nullptr;
    xPhysicsPrimitiveEntity* mWallFloor = nullptr;
    xPhysicsPrimitiveEntity* mWallLeft = nullptr;
    xPhysicsPrimitiveEntity* mWallRight = nullptr;
    // A restarted stage keeps its plates on the next build.
    bool mKeepPlates = false;
};
