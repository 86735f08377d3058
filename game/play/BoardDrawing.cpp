// The board's drawing, its effect layers and the physics rig behind the stage title.

#include "game/play/GameBoard.h"

#include "framework/graphics/Graphics.h"
#include "game/play/BoardTile.h"

// For now only the tiles, each in its own place (tiles are not children of the board).
void GameBoard::Draw(Zest::Graphics* const g)
{
    for (BoardTile* const tile : mCells) {
        if (tile == nullptr)
            continue;
        const int32_t dx = tile->mX - mX;
        const int32_t dy = tile->mY - mY;
        g->Translate(dx, dy);
        tile->Draw(g);
        g->Translate(-dx, -dy);
    }
}

// For now nothing is drawn over the board.
void GameBoard::DrawOverlay(Zest::Graphics*) {}

// For now the board has no title rig.
void GameBoard::CreateWalls() {}

// For now there is no title ball to drop again.
void GameBoard::ResetWallPosition() {}

// For now the shuffle plays without its streaks.
void GameBoard::StartShuffleEffect() {}

// For now there are no shuffle streaks to tint.
void GameBoard::ResetEffectColors() {}
