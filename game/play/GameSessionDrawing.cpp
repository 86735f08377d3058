// The session's head-up display.

#include "game/play/GameSession.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Graphics.h"
#include "game/Habitat.h"

void GameSession::Draw(Zest::Graphics* const g)
{
    ZEST_ASSERT(mHabitat->mBackImage != nullptr);
    g->DrawImage(mHabitat->mBackImage, 0, 0);
}

void GameSession::DrawOverlay(Zest::Graphics* /*g*/) {}
