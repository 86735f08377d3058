// The pages' life: their buttons, leafing through them, the sample's steps and the way back
// to the main menu. What each page shows is in HowToPlayPages.cpp.

#include "game/screens/HowToPlay.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Image.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/DialogParts.h"
#include "game/screens/HowToPlayHost.h"
#include "game/screens/MainMenu.h"
#include "game/screens/MenuItem.h"
#include "game/screens/TextStyleHost.h"

namespace {

// Done under Previous, Next beside it; both rows up from the panel's foot.
constexpr int32_t kButtonsX = 135;
constexpr int32_t kButtonGap = 5;
constexpr int32_t kDoneFromBottom = 50;
constexpr int32_t kPagingFromBottom = 90;

} // namespace

HowToPlay::HowToPlay(HowToPlayHost* const host, const TextStyleHost* const textStyle)
    : mHost(host), mTextStyle(textStyle),
      mSamplePoints{{250.0f, 215.0f}, {300.0f, 215.0f}, {350.0f, 265.0f},
                    {350.0f, 215.0f}, {300.0f, 265.0f}, {250.0f, 265.0f}}
{
    ZEST_ASSERT(host != nullptr && textStyle != nullptr);
}

void HowToPlay::AddedToManager(Zest::WidgetManager* const manager)
{
    const int32_t buttonWidth = IMAGE_GAME_BUTTON_LARGE->GetWidth();
    const struct {
        const char* mLabelKey;
        int32_t mX;
        int32_t mFromBottom;
        void (HowToPlay::*mAction)();
    } buttons[] = {
        {"BTN_DONE", kButtonsX, kDoneFromBottom, &HowToPlay::OnDone},
        {"BTN_NEXT", kButtonsX + kButtonGap + buttonWidth, kPagingFromBottom, &HowToPlay::NextPage},
        {"BTN_PREVIOUS", kButtonsX, kPagingFromBottom, &HowToPlay::PreviousPage},
    };
    Widget::AddedToManager(manager);
    for (const auto& button : buttons) {
        MenuItem* const item = DialogParts::AddLargeButton(
            *this, mX + button.mX, mY + mHeight - button.mFromBottom, GetGameString(button.mLabelKey),
            mTextStyle->GetTextColor(), mTextStyle->GetHighlightTextColor(), MenuItem::Action(this, button.mAction));
        item->mOverlayPriority = kOverlayPriority;
    }
}

void HowToPlay::UpdateSmooth(float /*fraction*/)
{
    ++mUpdateCount;
    // The first step holds for 79 updates after opening, every later one for 40.
    if (mUpdateCount % kSampleStepUpdates == 0 && mUpdateCount > kSampleStepUpdates) {
        ++mSampleStep;
        if (mSampleStep > static_cast<int32_t>(mSamplePoints.size()))
            mSampleStep = 0;
    }
}

void HowToPlay::Draw(Zest::Graphics* /*g*/) { DeferOverlay(kOverlayPriority); }

void HowToPlay::OnDone()
{
    // Removing the pages may delete them; the host outlives the calls.
    HowToPlayHost* const host = mHost;
    host->RemoveHowToPlay();
    // The main menu hid its buttons when it opened the pages.
    if (MainMenu* const menu = host->GetMainMenu())
        menu->EnableItems();
}

void HowToPlay::NextPage()
{
    mPage = (mPage + 1) % kPageCount;
    mUpdateCount = 0;
}

void HowToPlay::PreviousPage()
{
    mPage = (mPage + kPageCount - 1) % kPageCount;
    mUpdateCount = 0;
}
