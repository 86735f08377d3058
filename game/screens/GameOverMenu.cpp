#include "game/screens/GameOverMenu.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/GameOptions.h"
#include "game/HighScores.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/DialogParts.h"
#include "game/screens/GameOverHost.h"
#include "game/screens/MenuItem.h"
#include "game/screens/TextStyleHost.h"

#include <algorithm>

namespace {

const char* const kDoneKey = "BTN_DONE";

constexpr int32_t kOpaque = 255;
// The letters are laid out around the screen's centre line, x 400; the two words are this
// many pixels apart.
constexpr float kCentreX = 400.0f;
constexpr float kWordGap = 40.0f;
// The letters that come down start with their centre here, those that come up here; after
// kArrivalCount updates both meet on y 300.
constexpr int32_t kFallStartY = 100;
constexpr int32_t kRiseStartY = 500;

} // namespace

GameOverMenu::GameOverMenu(GameOverHost* const game, const TextStyleHost* const textStyle)
    : mGame(game), mTextStyle(textStyle)
{
}

void GameOverMenu::AddedToManager(Zest::WidgetManager* const manager)
{
    Widget::AddedToManager(manager);
    const int32_t x = mX + (mWidth - IMAGE_GAME_BUTTON_LARGE->GetWidth()) / 2;
    mDoneButton = DialogParts::AddLargeButton(*this, x, kDoneTop, GetGameString(kDoneKey), mTextStyle->GetTextColor(),
                                              mTextStyle->GetHighlightTextColor(),
                                              MenuItem::Action(this, &GameOverMenu::OnDone));
    mDoneButton->mScaleX = -1.0f;
    mDoneButton->mOverlayPriority = kButtonPriority;
}

void GameOverMenu::RemovedFromManager(Zest::WidgetManager* const manager)
{
    BasicMenu::RemovedFromManager(manager);
    mDoneButton = nullptr;
}

void GameOverMenu::UpdateSmooth(const float fraction)
{
    BasicMenu::UpdateSmooth(fraction);
    if (mUpdateCount < kLastCount)
        ++mUpdateCount;
}

void GameOverMenu::Draw(Zest::Graphics*) { DeferOverlay(kOverlayPriority); }

void GameOverMenu::DrawOverlay(Zest::Graphics* const g)
{
    const int32_t n = mUpdateCount;
    // The darkening goes on one step past the letters' full opacity.
    DialogParts::ShadeScreen(g, *this, n);
    g->SetColorizeImages(true);
    g->SetColor(Zest::Color(kOpaque, kOpaque, kOpaque, std::min(kOpaque, n * kOpaque / kArrivalCount)));
    for (int32_t i = 0; i < kLetterCount; ++i) {
        auto* const letter = static_cast<Zest::Image*>(GetResourceById(IMAGE_GAME_LETTER_G_ID + i));
        ZEST_ASSERT(letter != nullptr);
        const auto width = static_cast<float>(letter->GetWidth());
        const int32_t halfHeight = letter->GetHeight() / 2;
        float x = kCentreX - (4.0f * width + kWordGap) + static_cast<float>(i) * width;
        if (i >= kLetterCount / 2)
            x += kWordGap;
        // G, M, O and the second E come down; A, the first E, V and R come up.
        const int32_t y = i % 2 == 0 ? kFallStartY + n - halfHeight : kRiseStartY - n - halfHeight;
        g->DrawImageAtFloat(letter, x, static_cast<float>(y));
    }
    if (GameOptionsHolder::Instance().mScanLines)
        DialogParts::DrawScanLines(g, *this);
}

void GameOverMenu::OnDone()
{
    // This screen and the game are deleted after this update; the host outlives the calls.
    GameOverHost* const game = mGame;
    PlayerProfile* const profile = game->GetCurrentProfile();
    ZEST_ASSERT(profile != nullptr);
    const int32_t score = profile->mScore;
    HighScoreStore& scores = HighScoreStoreHolder::Instance();
    int32_t enteredRow = -1;
    if (scores.FindRank(score) != -1)
        enteredRow = scores.Insert(profile->mName, profile->mNextLevel, score);
    profile->ResetProgress(false);
    // The reset is written at once, so that a program that ends without its shutdown does
    // not offer the finished game to be continued.
    game->SaveProfiles();
    game->CloseGameOver();
    game->RemoveGameSession();
    game->ReturnToMainMenu();
    if (enteredRow != -1)
        game->ShowHighScores(enteredRow);
}
