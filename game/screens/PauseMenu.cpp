#include "game/screens/PauseMenu.h"

PauseMenu::PauseMenu(PauseMenuHost* const game, const TextStyleHost* const textStyle)
    : mGame(game), mTextStyle(textStyle)
{
}

void PauseMenu::AddedToManager(Zest::WidgetManager* const manager) { Widget::AddedToManager(manager); }

void PauseMenu::Draw(Zest::Graphics*) { DeferOverlay(kOverlayPriority); }

void PauseMenu::DrawOverlay(Zest::Graphics*) {}

void PauseMenu::OnResume() {}

void PauseMenu::OnRestartLevel() {}

void PauseMenu::OnOptions() {}

void PauseMenu::OnSaveAndExit() {}
