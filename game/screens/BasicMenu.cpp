#include "game/screens/BasicMenu.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Graphics.h"
#include "game/screens/MenuItem.h"
#include "game/screens/MenuServices.h"

#include <algorithm>

BasicMenu::~BasicMenu() { ReleaseItems(); }

void BasicMenu::RemovedFromManager(Zest::WidgetManager* const manager)
{
    Widget::RemovedFromManager(manager);
    ReleaseItems();
}

void BasicMenu::ReleaseItems()
{
    // Taken out first, so that nothing reached from a removal finds an item twice.
    std::vector<MenuItem*> items;
    items.swap(mItems);
    for (MenuItem* const item : items) {
        if (item != nullptr)
            ReleaseWidget(item);
    }
}

void BasicMenu::UpdateSmooth(const float fraction)
{
    if (mFadeState == FADE_IN)
        StepFadeIn(mAlpha, mFadeState, mFadeRate, fraction);
}

void BasicMenu::Draw(Zest::Graphics* const g)
{
    if (mBackground == nullptr)
        return;
    g->SetColorizeImages(true);
    g->SetColor(Zest::Color(255, 255, 255, static_cast<int>(mAlpha)));
    g->DrawImage(mBackground, 0, 0);
}

void BasicMenu::ReleaseItem(MenuItem*& item)
{
    const auto found = std::find(mItems.begin(), mItems.end(), item);
    ZEST_ASSERT(item != nullptr && found != mItems.end());
    mItems.erase(found);
    ReleaseWidget(item);
    item = nullptr;
}
