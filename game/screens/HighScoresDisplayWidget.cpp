#include "game/screens/HighScoresDisplayWidget.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/HighScores.h"
#include "game/screens/MenuItem.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/DialogParts.h"
#include "game/screens/MainMenu.h"
#include "game/screens/TextStyleHost.h"

#include <string>

namespace {

const char* const kTitleKey = "LABEL_SCORES";
const char* const kBackKey = "BTN_BACK";

constexpr int32_t kBackFromBottom = 80;
const Zest::Color kHighlightColor(155, 0, 0);
// The columns: the rank centred in its box, then the name and the score from their left.
constexpr int32_t kRankX = 30;
constexpr int32_t kRankWidth = 25;
constexpr int32_t kNameX = 70;
constexpr int32_t kScoreX = 255;

} // namespace

HighScoresDisplayWidget::HighScoresDisplayWidget(MainMenu* const menu) : mMenu(menu) { mOwner = menu; }

void HighScoresDisplayWidget::AddedToManager(Zest::WidgetManager* const manager)
{
    Widget::AddedToManager(manager);
    const TextStyleHost& textStyle = *mMenu->mTextStyle;
    mBackButton = DialogParts::AddLargeButton(
        *this, mX + (mWidth - IMAGE_GAME_BUTTON_LARGE->GetWidth()) / 2, mY + mHeight - kBackFromBottom,
        GetGameString(kBackKey), textStyle.GetTextColor(), textStyle.GetHighlightTextColor(),
        MenuItem::Action(this, &HighScoresDisplayWidget::OnBack));
    // It points back, and stays steady while the table fades in.
    mBackButton->mScaleX = -1.0f;
    mBackButton->mOverlayPriority = kBackButtonPriority;
}

void HighScoresDisplayWidget::Draw(Zest::Graphics* const g)
{
    DialogParts::ShadeScreen(g, *this);
    g->SetColor(Zest::Color::White);
    g->DrawImageAtFloat(IMAGE_GAME_SUBMENU, 0.0f, 0.0f);
    DialogParts::DrawTitle(g, GetGameString(kTitleKey), 0, DialogParts::kTitleBaseline, mWidth);

    const auto alpha = static_cast<int32_t>(mAlpha);
    Zest::Color text = mMenu->mTextStyle->GetTextColor();
    text.mAlpha = alpha;
    Zest::Color highlight = kHighlightColor;
    highlight.mAlpha = alpha;
    const int32_t rowStep = FONT_IN_GAME_LABELS->GetHeight() + kRowGap;
    const HighScoreList& scores = HighScoreStoreHolder::Instance().GetScores();
    for (size_t i = 0; i < scores.size(); ++i) {
        const auto row = static_cast<int32_t>(i);
        const int32_t baseline = kFirstRowBaseline + row * rowStep;
        g->SetColor(row == mHighlightRow ? highlight : text);
        g->WriteString(std::to_string(row + 1), kRankX, baseline, kRankWidth, 0);
        g->DrawString(scores[i].name, kNameX, baseline);
        g->DrawString(std::to_string(scores[i].score), kScoreX, baseline);
    }
}

void HighScoresDisplayWidget::OnBack() { mMenu->CloseHighScores(); }
