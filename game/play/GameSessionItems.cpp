// The power items: arming the torch and the water from the head-up display, the shuffle,
// the stock in the current profile, the item tiles a chain collects, and the web burst a
// burnt spider web sets off.

#include "game/play/GameSession.h"

#include "framework/app/common/Assert.h"
#include "game/AnimatedWidget.h"
#include "game/play/BoardTile.h"

void GameSession::ArmTorch() {}

void GameSession::ArmWater() {}

void GameSession::UseShuffle() {}

void GameSession::DisarmItem() {}

void GameSession::SpendArmedItem() {}

void GameSession::AddTorches() {}

void GameSession::AddWater() {}

void GameSession::AddShuffles() {}

void GameSession::CollectItemTile(BoardTile* const tile) { ZEST_ASSERT(tile != nullptr); }

void GameSession::StartWebBurst(float /*x*/, float /*y*/) {}

int32_t GameSession::GetEffectFrame() const { return 0; }

int32_t GameSession::GetEffectStatus() const { return ANIM_FINISHED; }

void GameSession::AdvanceStage() {}
