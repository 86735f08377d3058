// The plates under the cells and the target frame over them.

#include "game/play/GameBoard.h"

namespace {

constexpr int32_t kNoPlate = -1;

} // namespace

// For now every cell is without a plate.
void GameBoard::InitPlates()
{
    mPlates.assign(kCells, kNoPlate);
}

// For now no frame is picked.
void GameBoard::PickFrame(bool)
{
    mFrameShape = kNoFrame;
}

// For now there is no frame to fill.
bool GameBoard::CheckFrame(bool)
{
    return false;
}
