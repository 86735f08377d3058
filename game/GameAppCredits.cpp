// The application's credits screen and the way back from it.

#include "game/GameApp.h"

#include "framework/app/common/Assert.h"
#include "framework/widgets/WidgetManager.h"
#include "game/screens/CreditsMenu.h"
#include "game/screens/MenuServices.h"
#include "game/screens/OptionsMenu.h"

void GameApp::ShowCredits()
{
    ZEST_ASSERT(mCreditsMenu == nullptr);
    mCreditsMenu = new CreditsMenu(this);
    mCreditsMenu->Resize(0, 0, mWidth, mHeight);
    mWidgetManager->AddWidget(mCreditsMenu);
}

void GameApp::RemoveCredits()
{
    if (mCreditsMenu == nullptr)
        return;
    ReleaseWidget(mCreditsMenu);
    mCreditsMenu = nullptr;
}

void GameApp::BackFromCredits()
{
    // The options menu stepped out of the widget tree for the credits and is still kept.
    if (mOptionsMenu != nullptr)
        mOptionsMenu->OnCreditsClosed();
    else
        RemoveCredits();
}
