#include "game/screens/ReceivingAwardsScreen.h"

ReceivingAwardsScreen::ReceivingAwardsScreen(ReceivingAwardsHost* const app, const int32_t nextLevel)
    : mNextLevel(nextLevel), mApp(app)
{
}

void ReceivingAwardsScreen::AddedToManager(Zest::WidgetManager* const manager) { BasicMenu::AddedToManager(manager); }

void ReceivingAwardsScreen::Draw(Zest::Graphics* /*g*/) {}

void ReceivingAwardsScreen::DrawOverlay(Zest::Graphics* /*g*/) {}

void ReceivingAwardsScreen::AdvanceStory() {}

void ReceivingAwardsScreen::JumpToLastStep() { mStep = STEP_FINAL; }
