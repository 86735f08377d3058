#include "game/screens/DialogParts.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/screens/BasicMenu.h"
#include "game/Res.h"

namespace DialogParts {

namespace {

const Zest::Color kTitleColor(0, 130, 49);
const Zest::Color kScanLineColor(200, 200, 200, 64);

} // namespace

void ShadeScreen(Zest::Graphics* const g, const Zest::Widget& dialog, const int32_t alpha)
{
    g->SetColor(Zest::Color(0, 0, 0, alpha));
    g->FillRect(-dialog.mX, -dialog.mY, kScreenWidth, kScreenHeight);
}

void DrawScanLines(Zest::Graphics* const g, const Zest::Widget& widget)
{
    g->SetColorizeImages(true);
    g->SetColor(kScanLineColor);
    g->DrawImageAtFloat(IMAGE_GAME_SCAN_LINES, static_cast<float>(-widget.mX), static_cast<float>(-widget.mY));
}

void DrawTitle(Zest::Graphics* const g, const std::string& title, const int32_t x, const int32_t baseline,
               const int32_t width, const int32_t alpha)
{
    g->SetFont(FONT_IN_GAME_LABELS);
    g->SetColor(Zest::Color(255, 255, 255, alpha));
    g->WriteString(title, x + 1, baseline + 1, width, 0);
    g->SetColor(Zest::Color(kTitleColor.mRed, kTitleColor.mGreen, kTitleColor.mBlue, alpha));
    g->WriteString(title, x, baseline, width, 0);
}

MenuItem* AddLargeButton(BasicMenu& menu, const int32_t x, const int32_t y, const std::string& label,
                         const Zest::Color& textColor, const Zest::Color& highlightColor,
                         const MenuItem::Action& action)
{
    Zest::Image* const image = IMAGE_GAME_BUTTON_LARGE;
    auto* const button = new MenuItem();
    button->Resize(0, 0, image->GetWidth(), image->GetHeight());
    button->Move(x, y);
    button->SetImage(image);
    button->SetOverImage(IMAGE_GAME_BUTTON_LARGE_OVER);
    button->mFont = FONT_IN_GAME_LABELS;
    button->mLabel = label;
    button->mLabelJustification = 0;
    button->SetLabelY(kButtonLabelY);
    button->SetLabelColor(textColor);
    button->SetLabelOverColor(highlightColor);
    button->mClickSound = SOUND_BUTTON_ACTION;
    button->mHoverSound = SOUND_BUTTON_ROLLOVER;
    button->mAction = action;
    // The dialogs' buttons delete players or close the dialog over another one whose button
    // lies in the same place, so the second press of a double click must not act again.
    button->mActsOncePerDoubleClick = true;
    menu.mItems.push_back(button);
    menu.mWidgetManager->AddWidget(button);
    return button;
}

} // namespace DialogParts
