#include "game/screens/BasicMenu.h"

#include "game/screens/MenuItem.h"
#include "tests/framework/widgets/WidgetPixels.h"
#include "tests/game/screens/MenuTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace Tests {
namespace {

using Zest::Color;
using Zest::Widget;

// A screen that builds two items in the manager when it is added, the way every screen does.
class TwoItemScreen : public BasicMenu {
public:
    void AddedToManager(Zest::WidgetManager* const manager) override
    {
        for (const int x : {100, 400}) {
            auto* const item = new MenuItem();
            item->Resize(x, 500, 200, 50);
            mItems.push_back(item);
            manager->AddWidget(item);
        }
        BasicMenu::AddedToManager(manager);
    }
};

class BasicMenuTest : public MenuScreenTest {
protected:
    TwoItemScreen* AddScreen()
    {
        auto* const screen = Keep(std::make_unique<TwoItemScreen>());
        screen->Resize(0, 0, 800, 600);
        mManager.AddWidget(screen);
        return screen;
    }
};

TEST_F(BasicMenuTest, RemovingTheScreenTakesItsItemsOutAndQueuesThemForDeletion)
{
    TwoItemScreen* const screen = AddScreen();
    const std::vector<MenuItem*> items = screen->mItems;

    mManager.RemoveWidget(screen);
    EXPECT_TRUE(screen->mItems.empty());
    EXPECT_EQ(mServices.mDeferred, (std::vector<Widget*>{items[0], items[1]}));
    for (MenuItem* const item : items) {
        EXPECT_FALSE(mManager.HasWidget(item));
        EXPECT_EQ(item->mWidgetManager, nullptr);
    }
}

TEST_F(BasicMenuTest, DeletingARemovedScreenTouchesNoItemAgain)
{
    TwoItemScreen* const screen = AddScreen();
    mManager.RemoveWidget(screen);
    mManager.RemoveWidget(screen);
    ASSERT_EQ(mServices.mDeferred.size(), 2u) << "removal is safe to repeat";

    mKept.clear();
    EXPECT_EQ(mServices.mDeferred.size(), 2u);
}

// Items that a menu still holds when it is deleted (it never left a tree) are released too.
TEST_F(BasicMenuTest, DeletingAMenuReleasesTheItemsItStillHolds)
{
    auto menu = std::make_unique<BasicMenu>();
    auto* const item = new MenuItem();
    mManager.AddWidget(item);
    menu->mItems = {item, nullptr};

    menu.reset();
    EXPECT_EQ(mServices.mDeferred, std::vector<Widget*>{item});
    EXPECT_FALSE(mManager.HasWidget(item));
}

TEST_F(BasicMenuTest, FadeInWithRateFourTakes64Updates)
{
    BasicMenu menu;
    menu.mAlpha = 0.0f;
    menu.mFadeState = FADE_IN;
    for (int i = 0; i < 63; ++i)
        menu.UpdateSmooth(1.0f);
    EXPECT_EQ(menu.mFadeState, FADE_IN);
    menu.UpdateSmooth(1.0f);
    EXPECT_EQ(menu.mFadeState, FADE_NONE);
    EXPECT_FLOAT_EQ(menu.mAlpha, 255.0f);
}

TEST_F(BasicMenuTest, BackgroundIsDrawnAtTheMenusOpacity)
{
    const auto background = SolidImage(&mApp, 40, 30, Color(255, 0, 0));
    BasicMenu menu;
    menu.mBackground = background.get();
    menu.mAlpha = 128.0f;
    Zest::Graphics g(&mScreen);
    menu.Draw(&g);
    EXPECT_NEAR(Red(10, 10), 128, 2);
    EXPECT_TRUE(ShowsColor(Color::Black, Pixel(45, 10)));
}

TEST_F(BasicMenuTest, TabDoesNotMoveTheFocusFromAMenu)
{
    BasicMenu* const menu = Keep(std::make_unique<BasicMenu>());
    auto* const next = Keep(std::make_unique<Widget>());
    menu->mTabNext = next;
    mManager.AddWidget(menu);
    mManager.AddWidget(next);
    mManager.SetFocus(menu);
    mManager.KeyDown(Zest::WidgetManager::kKeyTab);
    EXPECT_EQ(mManager.mFocusWidget, menu);
}

} // namespace
} // namespace Tests
