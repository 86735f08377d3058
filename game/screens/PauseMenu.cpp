#include "game/screens/PauseMenu.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/GameOptions.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/DialogParts.h"
#include "game/screens/MenuItem.h"
#include "game/screens/PauseMenuHost.h"
#include "game/screens/TextStyleHost.h"

namespace {

const char* const kTitleKey = "LABEL_PAUSEMENU";
const char* const kResumeKey = "BTN_RESUMEGAME";
const char* const kRestartKey = "BTN_RESTARTLEVEL";
const char* const kOptionsKey = "BTN_OPTIONS";
const char* const kSaveExitKey = "BTN_SAVEEXIT";

} // namespace

PauseMenu::PauseMenu(PauseMenuHost* const game, const TextStyleHost* const textStyle)
    : mGame(game), mTextStyle(textStyle)
{
}

void PauseMenu::AddedToManager(Zest::WidgetManager* const manager)
{
    Widget::AddedToManager(manager);
    const int32_t x = mX + (mWidth - IMAGE_GAME_BUTTON_LARGE->GetWidth()) / 2;
    const Zest::Color text = mTextStyle->GetTextColor();
    const Zest::Color highlight = mTextStyle->GetHighlightTextColor();
    const struct {
        const char* mKey;
        int32_t mTop;
        void (PauseMenu::*mAction)();
    } buttons[] = {
        {kResumeKey, kResumeTop, &PauseMenu::OnResume},
        {kOptionsKey, kOptionsTop, &PauseMenu::OnOptions},
        {kRestartKey, kRestartTop, &PauseMenu::OnRestartLevel},
        {kSaveExitKey, kSaveExitTop, &PauseMenu::OnSaveAndExit},
    };
    for (const auto& button : buttons) {
        MenuItem* const item = DialogParts::AddLargeButton(*this, x, mY + button.mTop, GetGameString(button.mKey),
                                                           text, highlight, MenuItem::Action(this, button.mAction));
        item->mOverlayPriority = kButtonPriority;
    }
}

void PauseMenu::Draw(Zest::Graphics*) { DeferOverlay(kOverlayPriority); }

void PauseMenu::DrawOverlay(Zest::Graphics* const g)
{
    DialogParts::ShadeScreen(g, *this);
    g->SetColorizeImages(true);
    g->SetColor(Zest::Color::White);
    g->DrawImageAtFloat(IMAGE_GAME_SUBMENU, 0.0f, 0.0f);
    DialogParts::DrawTitle(g, GetGameString(kTitleKey), 0, DialogParts::kTitleBaseline, mWidth);
    if (GameOptionsHolder::Instance().mScanLines)
        DialogParts::DrawScanLines(g, *this);
}

void PauseMenu::OnResume() { mGame->ClosePauseMenu(false); }

void PauseMenu::OnRestartLevel()
{
    // The menu is deleted after this update; the game outlives the calls.
    PauseMenuHost* const game = mGame;
    if (game->IsFoodWebOpen())
        game->CloseFoodWebInfo();
    game->ClosePauseMenu(false);
    game->RestartStage();
}

void PauseMenu::OnOptions() { mGame->ShowOptionsMenu(); }

void PauseMenu::OnSaveAndExit()
{
    PauseMenuHost* const game = mGame;
    game->StoreGameForLater();
    // The game and this menu are deleted after this update, so nothing is touched past here.
    game->ClosePauseMenu(true);
}
