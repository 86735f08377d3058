#pragma once
// What menus and their items ask of the application: a sound effect, and the deferred
// deletion of widgets that input or updates may still be on their way to. The running game
// uses the application object (Zest::GetZestApp); tests install a stand-in.

namespace Zest {
class Widget;
}

class MenuServices {
public:
    virtual ~MenuServices() = default;

    // Plays the sound of that id once.
    virtual void PlaySoundEffect(int soundId) = 0;
    // The widget has already left its parent; it is deleted once the current update is over.
    virtual void DeferDeleteWidget(Zest::Widget* widget) = 0;
};

// The installed services, or else the application's.
MenuServices& GetMenuServices();
// Takes the widget out of its parent, if it has one, and queues it for deletion: a screen
// may be going from inside a click on the widget, or input may still be on its way to it.
void ReleaseWidget(Zest::Widget* widget);
// Null goes back to the application's.
void SetMenuServices(MenuServices* services);
