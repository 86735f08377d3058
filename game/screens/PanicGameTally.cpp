#include "game/screens/PanicGameTally.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/DialogParts.h"
#include "game/screens/MenuItem.h"
#include "game/screens/MenuServices.h"
#include "game/screens/PanicGameTallyHost.h"
#include "game/screens/TextStyleHost.h"

namespace {

const char* const kTitleKey = "LABEL_SURVIVORGAME";
const char* const kSuccessKey = "SURVIVOR_SUCCESS";
const char* const kFailedKey = "SURVIVOR_FAILED";
const char* const kContinueKey = "BTN_CONTINUEADV";
const char* const kDoneKey = "BTN_DONE";

constexpr int32_t kOpaque = 255;
const Zest::Color kLostColor(255, 0, 0);
// The icons sit this far inside the panel's sides, their tops at kIconTop; the counts'
// digits below them at kCountTop.
constexpr int32_t kIconInset = 80;
constexpr int32_t kIconTop = 150;
constexpr int32_t kCountTop = 300;
// A one-digit count stands this much further right than the first of two digits would.
constexpr float kOneDigitShift = 30.0f;
// The button's top lies this far above the panel's height, in window coordinates.
constexpr int32_t kButtonRise = 40;
// The verdict: the portrait and the text beside it.
constexpr int32_t kPortraitX = 30;
constexpr int32_t kPortraitY = 60;
const Zest::Rect kVerdictRect(170, 80, 170, 300);

void PlaySound(const int32_t soundId) { GetMenuServices().PlaySoundEffect(soundId); }

Zest::Image* BigDigit(const int32_t digit)
{
    ZEST_ASSERT(digit >= 0 && digit <= 9);
    return static_cast<Zest::Image*>(GetResourceById(IMAGE_GAME_BIG_0_ID + digit));
}

} // namespace

PanicGameTally::PanicGameTally(PanicGameTallyHost* const game, const int32_t survivors, const int32_t trapped)
    : mSurvivors(survivors), mTrapped(trapped), mGame(game)
{
    ZEST_ASSERT(game != nullptr && survivors >= 0 && trapped >= 0);
}

void PanicGameTally::AddedToManager(Zest::WidgetManager* const manager)
{
    mManager = manager;
    Widget::AddedToManager(manager);
}

void PanicGameTally::RemovedFromManager(Zest::WidgetManager* const manager)
{
    // The button is one of the items, which leave with the panel.
    BasicMenu::RemovedFromManager(manager);
    mButton = nullptr;
}

bool PanicGameTally::StepCount(int32_t& shown, int32_t& iconAlpha, const int32_t total)
{
    ++mCounter;
    if (mCounter % kUpdatesPerUnit != 0)
        return false;
    // Each tick shows one more; a count of 0 still ticks once before it ends.
    ++shown;
    iconAlpha = iconAlpha > 0 ? 0 : kOpaque;
    PlaySound(SOUND_NUMBER_COUNTING);
    if (shown < total)
        return false;
    shown = total;
    iconAlpha = kOpaque;
    mCounter = 0;
    return true;
}

void PanicGameTally::Update()
{
    switch (mPhase) {
    case PHASE_COUNT_LOST:
        if (StepCount(mTrappedShown, mTrappedIconAlpha, mTrapped)) {
            mPhase = PHASE_COUNT_SAVED;
            mSurvivorsShown = 0;
        }
        break;
    case PHASE_COUNT_SAVED:
        if (StepCount(mSurvivorsShown, mSurvivorIconAlpha, mSurvivors))
            mPhase = PHASE_PAUSE;
        break;
    case PHASE_PAUSE:
        ++mCounter;
        if (mCounter <= kPauseUpdates)
            break;
        PlaySound(IsSuccess() ? SOUND_AWARD_CONGRATS : SOUND_DECOLLECTED_TILE);
        mPhase = PHASE_RESULT;
        MakeButton();
        break;
    default:
        break;
    }
}

void PanicGameTally::MakeButton()
{
    ZEST_ASSERT(mManager != nullptr && mButton == nullptr);
    const TextStyleHost& style = mGame->GetTextStyle();
    const int32_t x = mX + (mWidth - IMAGE_GAME_BUTTON_LARGE->GetWidth()) / 2;
    const bool earns = EarnsPoints();
    const MenuItem::Action action =
        earns ? MenuItem::Action(this, &PanicGameTally::OnContinue) : MenuItem::Action(this, &PanicGameTally::OnDone);
    mButton = DialogParts::AddLargeButton(*this, x, mHeight - kButtonRise, GetGameString(earns ? kContinueKey : kDoneKey),
                                          style.GetTextColor(), style.GetHighlightTextColor(), action);
    mButton->mOverlayPriority = kButtonPriority;
}

void PanicGameTally::Draw(Zest::Graphics*) { DeferOverlay(kOverlayPriority); }

void PanicGameTally::DrawOverlay(Zest::Graphics* const g)
{
    DialogParts::ShadeScreen(g, *this);
    g->SetColor(Zest::Color::White);
    g->DrawImage(IMAGE_GAME_SUBMENU, 0, 0);
    DialogParts::DrawTitle(g, GetGameString(kTitleKey), 0, DialogParts::kTitleBaseline, mWidth);

    if (mPhase != PHASE_RESULT) {
        Zest::Image* const rescued = IMAGE_GAME_ANIMAL_RESCUED;
        const int32_t rescuedX = mWidth - rescued->GetWidth() - kIconInset;
        g->SetColorizeImages(true);
        g->SetColor(Zest::Color(kOpaque, kOpaque, kOpaque, mSurvivorIconAlpha));
        g->DrawImage(rescued, rescuedX, kIconTop);
        g->SetColor(Zest::Color(kOpaque, kOpaque, kOpaque, mTrappedIconAlpha));
        g->DrawImage(IMAGE_GAME_ANIMAL_DEAD, kIconInset, kIconTop);
        DrawCount(g, mTrappedShown, static_cast<float>(kIconInset), kLostColor);
        const Zest::Color savedColor = mSurvivorsShown > mTrappedShown ? Zest::Color::White : kLostColor;
        DrawCount(g, mSurvivorsShown, static_cast<float>(rescuedX), savedColor);
        return;
    }
    g->SetColor(Zest::Color::White);
    g->DrawImage(IMAGE_GAME_STORY_JANEPORTRET, kPortraitX, kPortraitY);
    g->SetFont(FONT_STORY_TEXT);
    g->SetColor(mGame->GetTextStyle().GetTextColor());
    g->WriteWordWrapped(kVerdictRect, GetGameString(IsSuccess() ? kSuccessKey : kFailedKey));
}

void PanicGameTally::DrawCount(Zest::Graphics* const g, const int32_t count, const float base,
                               const Zest::Color& color) const
{
    // Two digits from 10 to 99; otherwise only the last digit shows.
    const bool twoDigits = count >= 10 && count <= 99;
    const int32_t digits = twoDigits ? 2 : 1;
    const float left = twoDigits ? base : base + kOneDigitShift;
    g->SetColor(color);
    int32_t rest = count;
    for (int32_t place = digits; place >= 1; --place) {
        Zest::Image* const digit = BigDigit(rest % 10);
        rest /= 10;
        const auto width = static_cast<float>(digit->GetWidth());
        const float x = left + static_cast<float>(place) * width - static_cast<float>(digits) * width / 2.0f;
        g->DrawImageAtFloat(digit, x, static_cast<float>(kCountTop));
    }
}

void PanicGameTally::OnContinue() { mGame->FinishSurvivorGame(false); }

void PanicGameTally::OnDone() { mGame->FinishSurvivorGame(true); }
