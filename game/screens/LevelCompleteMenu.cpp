#include "game/screens/LevelCompleteMenu.h"

LevelCompleteMenu::LevelCompleteMenu(LevelCompleteHost* const game, GameStats* const stats) : mGame(game), mStats(stats)
{
}

void LevelCompleteMenu::AddedToManager(Zest::WidgetManager* const manager) { BasicMenu::AddedToManager(manager); }

void LevelCompleteMenu::RemovedFromManager(Zest::WidgetManager* const manager)
{
    BasicMenu::RemovedFromManager(manager);
}

void LevelCompleteMenu::Update() {}

void LevelCompleteMenu::Draw(Zest::Graphics* /*g*/) {}

void LevelCompleteMenu::DrawOverlay(Zest::Graphics* /*g*/) {}

int32_t LevelCompleteMenu::GetTotalBonus() const { return 0; }

void LevelCompleteMenu::OnDone() {}
