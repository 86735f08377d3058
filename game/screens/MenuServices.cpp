#include "game/screens/MenuServices.h"

#include "framework/app/ZestAppBase.h"
#include "framework/widgets/Widget.h"

namespace {

class AppMenuServices : public MenuServices {
public:
    void PlaySoundEffect(const int soundId) override
    {
        if (Zest::ZestAppBase* const app = Zest::GetZestApp())
            app->PlaySoundEffect(soundId);
    }

    void DeferDeleteWidget(Zest::Widget* const widget) override
    {
        // Without an application no main loop can still be on its way to the widget.
        if (Zest::ZestAppBase* const app = Zest::GetZestApp())
            app->DeferDeleteWidget(widget);
        else
            delete widget;
    }
};

AppMenuServices gAppMenuServices;
MenuServices* gInstalledServices = nullptr;

} // namespace

MenuServices& GetMenuServices()
{
    return gInstalledServices != nullptr ? *gInstalledServices : gAppMenuServices;
}

void SetMenuServices(MenuServices* const services) { gInstalledServices = services; }

void ReleaseWidget(Zest::Widget* const widget)
{
    if (widget->mParent != nullptr)
        widget->mParent->RemoveWidget(widget);
    GetMenuServices().DeferDeleteWidget(widget);
}
