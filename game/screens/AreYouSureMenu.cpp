#include "game/screens/AreYouSureMenu.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/GameOptions.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/DialogParts.h"
#include "game/screens/MenuItem.h"
#include "game/screens/SelectGameMenu.h"
#include "game/screens/TextStyleHost.h"

namespace {

const char* const kTitleKey = "LABEL_AREYOUSURE";
const char* const kQuestionKey = "LABEL_SUREQUESTION";
const char* const kYesKey = "BTN_YES";
const char* const kNoKey = "BTN_NO";

} // namespace

AreYouSureMenu::AreYouSureMenu(SelectGameMenu* const selectGame, const TextStyleHost* const textStyle)
    : mSelectGame(selectGame), mTextStyle(textStyle)
{
    mOwner = selectGame;
}

float AreYouSureMenu::PanelX() const
{
    return static_cast<float>(DialogParts::kScreenWidth - IMAGE_GAME_TUTORIAL->GetWidth()) * 0.5f;
}

float AreYouSureMenu::PanelY() const
{
    return static_cast<float>(DialogParts::kScreenHeight - IMAGE_GAME_TUTORIAL->GetHeight()) * 0.5f;
}

void AreYouSureMenu::AddedToManager(Zest::WidgetManager* const manager)
{
    Widget::AddedToManager(manager);
    const auto panelX = static_cast<int32_t>(PanelX());
    const int32_t buttonY = static_cast<int32_t>(PanelY()) + kButtonTop;
    const Zest::Color text = mTextStyle->GetTextColor();
    const Zest::Color highlight = mTextStyle->GetHighlightTextColor();
    MenuItem* const yes = DialogParts::AddLargeButton(*this, panelX + kYesX, buttonY, GetGameString(kYesKey), text,
                                                      highlight, MenuItem::Action(this, &AreYouSureMenu::OnYes));
    MenuItem* const no = DialogParts::AddLargeButton(*this, panelX + kNoX, buttonY, GetGameString(kNoKey), text,
                                                     highlight, MenuItem::Action(this, &AreYouSureMenu::OnNo));
    no->mScaleX = -1.0f;
    yes->mOverlayPriority = kOverlayPriority;
    no->mOverlayPriority = kOverlayPriority;
}

void AreYouSureMenu::Draw(Zest::Graphics*) { DeferOverlay(kOverlayPriority); }

void AreYouSureMenu::DrawOverlay(Zest::Graphics* const g)
{
    const float panelX = PanelX();
    const float panelY = PanelY();
    const auto x = static_cast<int32_t>(panelX);
    const auto y = static_cast<int32_t>(panelY);
    const int32_t width = IMAGE_GAME_TUTORIAL->GetWidth();

    DialogParts::ShadeScreen(g, *this, DialogParts::kQuestionShadeAlpha);
    g->SetColorizeImages(true);
    g->SetColor(Zest::Color::White);
    g->DrawImageAtFloat(IMAGE_GAME_TUTORIAL, panelX, panelY);
    DialogParts::DrawTitle(g, GetGameString(kTitleKey), x, y + DialogParts::kTitleBaseline, width);
    g->SetColor(mTextStyle->GetTextColor());
    g->WriteWordWrapped(Zest::Rect(x + kQuestionMargin, y + kQuestionTop, width - 2 * kQuestionMargin, kQuestionHeight),
                        GetGameString(kQuestionKey), -1, 0);
    if (GameOptionsHolder::Instance().mScanLines)
        DialogParts::DrawScanLines(g, *this);
}

void AreYouSureMenu::OnYes()
{
    SelectGameMenu* const selectGame = mSelectGame;
    // This dialog is deleted after this update; the game selection outlives the call.
    selectGame->CloseAreYouSure();
    selectGame->Begin();
}

void AreYouSureMenu::OnNo() { mSelectGame->CloseAreYouSure(); }
