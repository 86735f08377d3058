#pragma once
// The base of the game's screens (menus, dialogs, full screens and the mini-game screen):
// an optional background picture drawn at the menu's opacity, a fade-in of that opacity, and
// the items the screen owns. A screen creates its items in its AddedToManager, adds them to
// the widget manager (at the top level, not as its children) and appends them to mItems;
// when the screen leaves the widget tree, its items leave with it and are deleted after the
// current update.

#include "framework/widgets/Listeners.h"
#include "framework/widgets/Widget.h"
#include "game/screens/MenuFade.h"

#include <cstdint>
#include <vector>

namespace Zest {
class Graphics;
class Image;
class WidgetManager;
} // namespace Zest

class MenuItem;

class BasicMenu : public Zest::Widget, public Zest::ButtonListener {
public:
    BasicMenu() = default;
    // Items still held (the menu was never taken out of the tree) leave their parent and are
    // queued for deletion.
    ~BasicMenu() override;

    // Takes every item out of its parent and queues it for deletion; mItems ends empty.
    void RemovedFromManager(Zest::WidgetManager* manager) override;
    // Menus keep no update count.
    void Update() override {}
    // Menus have no Tab focus stepping.
    void KeyDown(int keyCode) override {}
    // Raises the opacity while fading in; items fade by themselves.
    void UpdateSmooth(float fraction) override;
    // The background at the menu's opacity; screens draw the rest themselves.
    void Draw(Zest::Graphics* g) override;

    // Takes one item out of mItems and its parent, queues it for deletion and clears the
    // caller's pointer; the item must be one of the menu's.
    void ReleaseItem(MenuItem*& item);

    // Not owned.
    Zest::Image* mBackground = nullptr;
    // Owned by the screen and present in the widget manager; slots may be null.
    std::vector<MenuItem*> mItems;
    // Opacity 0..255 of the background.
    float mAlpha = 255.0f;
    // Opacity gained per unit of smooth-update fraction while fading in.
    float mFadeRate = 4.0f;
    // FADE_IN or FADE_NONE: a menu does not fade out.
    int32_t mFadeState = FADE_NONE;
    // The widget that opened the menu, for the screens' own use.
    Zest::Widget* mOwner = nullptr;

private:
    void ReleaseItems();
};
