#pragma once
// The dialog over the main menu in which the player picks a stored profile, deletes one at
// once (there is no confirmation), or starts a new one through the name entry. A list of the
// profiles' names with its scroll bar sits in the middle of the panel; nothing is applied
// before Done, which makes the selected row's profile current, brings the main menu's
// buttons back, closes the dialog and saves the profiles.

#include "framework/widgets/Listeners.h"
#include "game/screens/BasicMenu.h"

#include <cstdint>

namespace Zest {
class Graphics;
class ListWidget;
class ScrollbarWidget;
class WidgetManager;
} // namespace Zest

class ProfileHost;
class ScreenNavigationHost;
class TextStyleHost;

class SelectProfile : public BasicMenu, public Zest::ListListener {
public:
    static constexpr int32_t kListId = 1;

    // The hosts must outlive the dialog. The application sizes it to the panel picture and
    // centres it on the screen.
    SelectProfile(ProfileHost* profiles, ScreenNavigationHost* navigation, const TextStyleHost* textStyle);
    // The list and the scroll bar still in the widget manager leave it and are deleted
    // after the current update.
    ~SelectProfile() override;

    // Adds the list, its scroll bar and the three buttons to the widget manager, at screen
    // positions worked out from the dialog's own; row 0 is selected.
    void AddedToManager(Zest::WidgetManager* manager) override;
    // The buttons, the list and the scroll bar leave and are deleted after this update.
    void RemovedFromManager(Zest::WidgetManager* manager) override;
    void Draw(Zest::Graphics* g) override;
    // A click on a row selects it; nothing else happens before Done.
    void ListClicked(int listId, int index, int clickCount) override;

    // Fills the list again from the profiles and selects row 0.
    void RefreshList();

    // The buttons.
    void OnDone();
    void OnDelete();
    void OnCreateNewProfile();

    // Not owned.
    ProfileHost* mProfiles;
    ScreenNavigationHost* mNavigation;
    const TextStyleHost* mTextStyle;
    // Owned; in the widget manager from AddedToManager to RemovedFromManager, else null.
    Zest::ListWidget* mProfileList = nullptr;
    Zest::ScrollbarWidget* mProfileScrollbar = nullptr;

private:
    void CreateList();
    void CreateButtons();
    // Takes the list and the scroll bar out of the manager and queues their deletion.
    void ReleaseList();
};
