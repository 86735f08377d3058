#pragma once
// The dialog in which a new player names a profile: a panel over the darkened screen with a
// centred text field holding a default name, a hint on the length, and a Done button. Done
// (or Enter with a name) creates the profile, makes it current, brings back what lies behind
// (the profile selection when it is open, else the main menu's buttons), closes the dialog
// and saves the profiles. There is no cancel.

#include "framework/widgets/Listeners.h"
#include "game/screens/BasicMenu.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace Zest {
class Graphics;
class WidgetManager;
} // namespace Zest

class CustomEditWidget;
class ProfileHost;
class ScreenNavigationHost;
class TextStyleHost;

class PlayerNameEntry : public BasicMenu, public Zest::EditListener {
public:
    static constexpr int32_t kFieldId = 0;
    // Longer names are cut after every edit.
    static constexpr int32_t kMaxNameChars = 15;
    // '#', '$', '%', '&', '(', ')', '*', '+', '-', '.', ':', '@' and '^' ('^' starts a colour
    // code in drawn texts).
    static constexpr std::string_view kRefusedNameChars = "#$%&()*+-.:@^";

    // Covers the whole 800 x 600 screen, its panel centred. The hosts must outlive it.
    PlayerNameEntry(ProfileHost* profiles, ScreenNavigationHost* navigation, const TextStyleHost* textStyle);
    ~PlayerNameEntry() override;

    // Adds the field, with the keyboard focus, and the Done button to the widget manager.
    void AddedToManager(Zest::WidgetManager* manager) override;
    // The Done button goes for good; the field only leaves the tree.
    void RemovedFromManager(Zest::WidgetManager* manager) override;
    void Draw(Zest::Graphics* g) override;

    // Enter in the field: Done, unless the field is empty.
    void EditTextEntered(int id, const std::string& text) override;
    // Refuses the characters a name may not hold.
    bool AllowChar(int id, char c) override;

    // The Done button, and Enter: the name as it stands (possibly empty) becomes the
    // current profile.
    void OnDone();

    // Not owned.
    ProfileHost* mProfiles;
    ScreenNavigationHost* mNavigation;
    const TextStyleHost* mTextStyle;
    // The panel's layout box and its top-left corner on the screen.
    int32_t mPanelWidth = 415;
    int32_t mPanelHeight = 500;
    int32_t mPanelX = 0;
    int32_t mPanelY = 0;
    // In the widget manager, beside the dialog, from AddedToManager to RemovedFromManager.
    std::unique_ptr<CustomEditWidget> mNameEdit;

private:
    void CreateNameEdit();
    void CreateDoneButton();
    // Takes the field out of the widget tree; it stays the dialog's.
    void DetachNameEdit();
    void ReleaseNameEdit();
};
