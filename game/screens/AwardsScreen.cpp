#include "game/screens/AwardsScreen.h"

AwardTile::AwardTile(const AwardsScreenHost* const app) : mApp(app) {}

void AwardTile::Draw(Zest::Graphics* /*g*/) {}

void AwardTile::DrawOverlay(Zest::Graphics* /*g*/) {}

AwardsScreen::AwardsScreen(AwardsScreenHost* const app, const int32_t newAward) : mNewAward(newAward), mApp(app) {}

AwardsScreen::~AwardsScreen() = default;

void AwardsScreen::AddedToManager(Zest::WidgetManager* const manager) { BasicMenu::AddedToManager(manager); }

void AwardsScreen::RemovedFromManager(Zest::WidgetManager* const manager) { BasicMenu::RemovedFromManager(manager); }

void AwardsScreen::UpdateSmooth(float /*fraction*/) {}

void AwardsScreen::Draw(Zest::Graphics* /*g*/) {}

void AwardsScreen::DrawOverlay(Zest::Graphics* /*g*/) {}

void AwardsScreen::OnBack() {}
