// The plates under the cells, the target frame over them and the line tests on the chain.
//
// A plate lies under every cell of a stage with a plate kind until a chain takes the tile
// above it. A frame outlines a few cells in food chain and match same: a fixed figure
// placed by its top-left cell (the anchor, shapes 0 to 5) or scattered single cells
// (shapes 6 to 8). It counts when its cells show one creature, tested as a match-same chain.

#include "game/play/GameBoard.h"

#include "framework/app/common/Assert.h"
#include "framework/app/common/RuntimeRandom.h"
#include "game/GameRandom.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/Stage.h"
#include "game/play/BoardTile.h"
#include "game/play/GameSession.h"
#include "game/play/PlayHost.h"
#include "game/screens/MenuServices.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr int32_t kNoPlate = -1;
constexpr int32_t kPlateCleared = -2;
constexpr int32_t kDown = GameBoard::kColumns;

// A frame figure placed by its anchor: the cells as offsets from the anchor, in the order
// the frame test walks them, and where the anchor may lie. The anchor is never in row 0.
struct AnchoredShape {
    int32_t firstAnchor;
    int32_t lastAnchor;
    int32_t maxColumn;
    int32_t maxRow;
    std::vector<int32_t> offsets;
};

constexpr int32_t kAnchoredShapes = 6;
constexpr int32_t kFirstScatteredShape = 6;
constexpr int32_t kLastShape = 8;
// Shape 6 has two scattered cells, 7 three, 8 four.
constexpr int32_t kScatteredCellsOfFirstShape = 2;
// Each placed scattered cell rules out itself and its four side neighbours: three placed
// cells rule out at most 15 of the 36, so a fourth always finds room and the draw ends.
constexpr int32_t kMostScatteredCells = 4;
static_assert(kMostScatteredCells == kScatteredCellsOfFirstShape + kLastShape - kFirstScatteredShape);
static_assert(5 * (kMostScatteredCells - 1) < GameBoard::kCells);

const std::array<AnchoredShape, kAnchoredShapes>& AnchoredShapes()
{
    static const std::array<AnchoredShape, kAnchoredShapes> shapes = {{
        {6, 34, 4, 5, {0, 1}},                       // horizontal pair
        {6, 23, 5, 4, {0, kDown}},                   // vertical pair
        {6, 33, 3, 5, {0, 1, 2}},                    // horizontal line of 3
        {6, 17, 5, 3, {0, kDown, 2 * kDown}},        // vertical line of 3
        {6, 23, 4, 4, {0, 1, kDown, kDown + 1}},     // 2 x 2 square, row by row
        {6, 23, 4, 4, {0, kDown, kDown + 1}},        // L
    }};
    return shapes;
}

bool IsAnchorAllowed(const GameBoard& board, const AnchoredShape& shape, const int32_t anchor)
{
    const bool inRange = anchor >= shape.firstAnchor && anchor <= shape.lastAnchor;
    const bool fits = anchor % GameBoard::kColumns <= shape.maxColumn && anchor / GameBoard::kColumns <= shape.maxRow;
    return inRange && fits && board.TileAtIndex(anchor) != nullptr;
}

bool HasAllowedAnchor(const GameBoard& board, const AnchoredShape& shape)
{
    for (int32_t anchor = shape.firstAnchor; anchor <= shape.lastAnchor; ++anchor) {
        if (IsAnchorAllowed(board, shape, anchor))
            return true;
    }
    return false;
}

// A scattered cell may not repeat a placed one nor stand beside one in its row or column.
// A difference of 1 across the end of a row is turned away too.
bool IsScatteredCellFree(const std::vector<int32_t>& placed, const int32_t cell)
{
    return std::none_of(placed.begin(), placed.end(), [cell](const int32_t other) {
        const int32_t difference = cell > other ? cell - other : other - cell;
        return difference == 0 || difference == 1 || difference == kDown;
    });
}

// The cells of the current frame in the order the frame test walks them.
std::vector<int32_t> FramedCells(const GameBoard& board)
{
    const int32_t shape = board.mFrameShape;
    ZEST_ASSERT(shape >= 0 && shape <= kLastShape);
    if (shape >= kFirstScatteredShape)
        return board.mFrameCells;
    std::vector<int32_t> cells;
    for (const int32_t offset : AnchoredShapes()[shape].offsets)
        cells.push_back(board.mFrameAnchor + offset);
    return cells;
}

// The tile a frame cell shows, when it may take part in a frame: present and unlocked. A
// cell off the grid (from a damaged saved game) shows none.
BoardTile* FramedTile(const GameBoard& board, const int32_t cell)
{
    BoardTile* const tile = board.TileAtIndex(cell);
    return tile != nullptr && tile->mLock == LOCK_NONE ? tile : nullptr;
}

// Some column (byColumn) or some row holds a chain tile in each of its 6 cells.
bool ChainFillsALine(const GameBoard& board, const bool byColumn)
{
    static_assert(GameBoard::kColumns == GameBoard::kRows);
    std::array<int32_t, GameBoard::kRows> counts{};
    for (const BoardTile* const tile : board.mChain) {
        const auto [column, row] = board.GetCell(tile);
        ZEST_ASSERT(column >= 0);
        ++counts[byColumn ? column : row];
    }
    return std::find(counts.begin(), counts.end(), GameBoard::kRows) != counts.end();
}

} // namespace

void GameBoard::InitPlates()
{
    const GameSession* const session = mHost.GetGameSession();
    ZEST_ASSERT(session != nullptr);
    mPlates.assign(kCells, session->mStage.mPlateKind);
    mPlateBonusFlags.assign(PlayerProfile::kPlateBonusFlagCount, false);
}

int32_t GameBoard::CountPlatesLeft() const
{
    const GameSession* const session = mHost.GetGameSession();
    ZEST_ASSERT(session != nullptr);
    // A chain marks its cells cleared whether a plate lay there or not: on a stage without
    // plates nothing was laid, so nothing can have been cleared.
    if (session->mStage.mPlateKind == kNoPlate)
        return kCells;
    return kCells - static_cast<int32_t>(std::count(mPlates.begin(), mPlates.end(), kPlateCleared));
}

void GameBoard::PickFrame(const bool playSound)
{
    const GameSession* const session = mHost.GetGameSession();
    ZEST_ASSERT(session != nullptr);
    const Stage& stage = session->mStage;
    if (stage.mMode != MODE_FOOD_CHAIN && stage.mMode != MODE_MATCH_SAME)
        return;

    // A stage read from an older or damaged file may allow shapes that do not exist.
    const int32_t maxShape = std::clamp(stage.mMaxFrameShape, 0, kLastShape);
    const int32_t shape = maxShape < kFirstScatteredShape
                              ? static_cast<int32_t>(mHost.GetGameRandom().Next(static_cast<uint32_t>(maxShape)))
                              : kFirstScatteredShape + Zest::Rand() % (maxShape - kFirstScatteredShape + 1);
    if (shape >= kFirstScatteredShape) {
        mFrameShape = shape;
        mFrameAnchor = kNoFrame;
        PlaceFrameCells(kScatteredCellsOfFirstShape + shape - kFirstScatteredShape);
    } else {
        const AnchoredShape& figure = AnchoredShapes()[shape];
        // Webs keep the cells below them empty: a board may have no cell to anchor the
        // figure on, and then no frame is shown until the next pick.
        if (!HasAllowedAnchor(*this, figure)) {
            mFrameShape = kNoFrame;
            mFrameAnchor = kNoFrame;
            return;
        }
        int32_t anchor = Zest::Rand() % kCells;
        while (!IsAnchorAllowed(*this, figure, anchor))
            anchor = Zest::Rand() % kCells;
        mFrameShape = shape;
        mFrameAnchor = anchor;
    }
    if (playSound)
        GetMenuServices().PlaySoundEffect(SOUND_SURPRISE_1);
}

void GameBoard::PlaceFrameCells(const int32_t count)
{
    ZEST_ASSERT(count >= 0 && count <= kMostScatteredCells);
    mFrameCells.clear();
    while (static_cast<int32_t>(mFrameCells.size()) < count) {
        const int32_t cell = Zest::Rand() % kCells;
        if (IsScatteredCellFree(mFrameCells, cell))
            mFrameCells.push_back(cell);
    }
}

bool GameBoard::CheckFrame(const bool score)
{
    // The player's chain is never disturbed. A saved game may hold a shape that does not
    // exist: it frames nothing.
    if (!mChain.empty() || mFrameShape < 0 || mFrameShape > kLastShape)
        return false;
    // Tested as match same whatever the stage's mode: one creature, no adjacency needed.
    bool filled = true;
    for (const int32_t cell : FramedCells(*this)) {
        BoardTile* const tile = FramedTile(*this, cell);
        if (tile == nullptr || !TryAddToSelection(tile, MODE_MATCH_SAME)) {
            filled = false;
            break;
        }
    }
    // Frame cells of a damaged saved game may be fewer than any shape has.
    if (!filled || mChain.size() < 2) {
        ClearSelection();
        return false;
    }
    if (score) {
        GameSession* const session = mHost.GetGameSession();
        ZEST_ASSERT(session != nullptr);
        session->ProcessSelection(true, false, true);
    } else {
        ClearSelection();
    }
    return true;
}

bool GameBoard::IsFullColumn() const
{
    return ChainFillsALine(*this, true);
}

bool GameBoard::IsFullRow() const
{
    return ChainFillsALine(*this, false);
}

// Either diagonal: the cells (i, i), or the cells (column i, row 5 - i).
bool GameBoard::IsFullDiagonal() const
{
    int32_t falling = 0;
    int32_t rising = 0;
    for (const BoardTile* const tile : mChain) {
        const auto [column, row] = GetCell(tile);
        ZEST_ASSERT(column >= 0);
        if (column == row)
            ++falling;
        if (column == kRows - 1 - row)
            ++rising;
    }
    return falling == kRows || rising == kRows;
}
