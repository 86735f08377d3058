#include "game/screens/FoodWebInfoScreen.h"

FoodWebInfoScreen::FoodWebInfoScreen(Habitat* const habitat, FoodWebHost* const game,
                                     const TextStyleHost* const textStyle)
    : mHabitat(habitat), mGame(game), mTextStyle(textStyle)
{
}

FoodWebInfoScreen::~FoodWebInfoScreen() = default;

std::pair<int32_t, int32_t> FoodWebInfoScreen::GetRegionPosition(int32_t, int32_t, int32_t, int32_t) { return {0, 0}; }

void FoodWebInfoScreen::AddedToManager(Zest::WidgetManager* const manager) { Widget::AddedToManager(manager); }

void FoodWebInfoScreen::RemovedFromManager(Zest::WidgetManager* const manager) { BasicMenu::RemovedFromManager(manager); }

void FoodWebInfoScreen::Draw(Zest::Graphics*) {}

void FoodWebInfoScreen::DrawOverlay(Zest::Graphics*) {}

void FoodWebInfoScreen::OnBack() {}

InfoRegion::InfoRegion(const Creature* const creature, FoodWebInfoScreen* const screen, const Habitat* const habitat)
    : mCreature(creature), mScreen(screen), mHabitat(habitat)
{
}

void InfoRegion::Draw(Zest::Graphics*) {}

void InfoRegion::DrawOverlay(Zest::Graphics*) {}

void InfoRegion::MouseEnter() {}

void InfoRegion::MouseLeave() {}

void InfoRegion::MouseButtonDown(int, int, int, int) {}
