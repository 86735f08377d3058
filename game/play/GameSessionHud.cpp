// The head-up display's buttons and hot spots, the holders' help pages and the food web.

#include "game/play/GameSession.h"

void GameSession::CreateHudButtons() {}

void GameSession::CreateElementsButton() {}

void GameSession::CreateBackpackButton() {}

void GameSession::OnElementsClicked() {}

void GameSession::OnBackpackClicked() {}

void GameSession::ShowFoodWebInfo() {}

void GameSession::CloseFoodWebInfo() {}

void GameSession::ArmTorch() {}

void GameSession::ArmWater() {}

void GameSession::UseShuffle() {}
