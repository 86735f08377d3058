// The application's options panel, and what its controls change beyond the options record:
// the window mode, a paused game's mute and the current player's seen tips.

#include "game/GameApp.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/play/GameSession.h"
#include "game/screens/DialogParts.h"
#include "game/screens/MenuServices.h"
#include "game/screens/OptionsControls.h"
#include "game/screens/OptionsMenu.h"
#include "game/screens/PauseMenu.h"

void GameApp::ShowOptionsMenu()
{
    ZEST_ASSERT(mOptionsMenu == nullptr);
    mOptionsMenu = new OptionsMenu(this, this);
    const int32_t width = IMAGE_GAME_SUBMENU->GetWidth();
    const int32_t height = IMAGE_GAME_SUBMENU->GetHeight();
    mOptionsMenu->Resize((DialogParts::kScreenWidth - width) / 2, (DialogParts::kScreenHeight - height) / 2, width,
                         height);
    mWidgetManager->AddWidget(mOptionsMenu);
    // The pause menu is kept, not drawn under the options; its buttons go until it returns.
    if (mGameSession != nullptr && mGameSession->mPauseMenu != nullptr)
        mGameSession->mManager->RemoveWidget(mGameSession->mPauseMenu);
}

void GameApp::RemoveOptionsMenu()
{
    if (mOptionsMenu == nullptr)
        return;
    ReleaseWidget(mOptionsMenu);
    mOptionsMenu = nullptr;
    // Back with fresh buttons.
    if (mGameSession != nullptr && mGameSession->mPauseMenu != nullptr)
        mGameSession->mManager->AddWidget(mGameSession->mPauseMenu);
}

void GameApp::OnBeforeDisplayInit()
{
    if (mOptionsMenu != nullptr && mOptionsMenu->mFullScreenCheckbox != nullptr)
        mOptionsMenu->mFullScreenCheckbox->SetChecked(!mWindowed, false);
}

void GameApp::SetFullScreen(const bool fullScreen)
{
    // The 3D path is asked for either way.
    if (fullScreen == mWindowed)
        ChangeScreenMode(!fullScreen, true, false);
}

void GameApp::MuteOnPauseChanged(const bool muteOnPause)
{
    if (mGameSession != nullptr)
        mGameSession->SetPauseMute(muteOnPause);
}

void GameApp::ShowAllTipsAgain()
{
    PlayerProfile* const profile = GetCurrentProfile();
    if (profile == nullptr)
        return;
    profile->ClearTutorialSeen();
    SaveProfiles();
}
