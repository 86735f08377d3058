#include "game/screens/NewAwardTransition.h"

NewAwardTransition::NewAwardTransition(NewAwardHost* const game, const int32_t award) : mAward(award), mGame(game) {}

void NewAwardTransition::UpdateSmooth(float /*fraction*/) {}

void NewAwardTransition::Draw(Zest::Graphics* /*g*/) {}

void NewAwardTransition::DrawOverlay(Zest::Graphics* /*g*/) {}

int32_t NewAwardTransition::GetShadeAlpha(float /*wallY*/) { return 0; }
