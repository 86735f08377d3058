// The pause menu and the stage restart.

#include "game/play/GameSession.h"

void GameSession::ShowPauseMenu() {}

void GameSession::ClosePauseMenu(bool /*leave*/) {}

void GameSession::RestartStage() {}

void GameSession::StoreGameForLater() {}
