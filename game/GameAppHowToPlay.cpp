// The application's how-to-play pages over the main menu.

#include "game/GameApp.h"

#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/Res.h"
#include "game/screens/DialogParts.h"
#include "game/screens/HowToPlay.h"
#include "game/screens/MenuServices.h"

void GameApp::ShowHowToPlay()
{
    if (mHowToPlay != nullptr)
        return;
    mHowToPlay = new HowToPlay(this, this);
    const int32_t width = IMAGE_GAME_STORY_BACK->GetWidth();
    const int32_t height = IMAGE_GAME_STORY_BACK->GetHeight();
    mHowToPlay->Resize((DialogParts::kScreenWidth - width) / 2, (DialogParts::kScreenHeight - height) / 2, width,
                       height);
    mWidgetManager->AddWidget(mHowToPlay);
}

void GameApp::RemoveHowToPlay()
{
    if (mHowToPlay == nullptr)
        return;
    ReleaseWidget(mHowToPlay);
    mHowToPlay = nullptr;
}
