#include "game/screens/ReceivingAwardsScreen.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/GameOptions.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/DialogParts.h"
#include "game/screens/MenuItem.h"
#include "game/screens/ReceivingAwardsHost.h"
#include "game/screens/TextStyleHost.h"

#include <array>

namespace {

const char* const kContinueKey = "BTN_CONTINUE";
const char* const kTitleKey = "LABEL_NEWAWARD";
const char* const kPartnerHelloKey = "STORY_AUGUST_HELLO";
const char* const kGuideAnswerKey = "STORY_JANE_ANSWERS";
const char* const kMemoKey = "STORY_WAPO_LETTER_PART_ONE";
// The memo's closing line for next levels 1 to 4; later habitats' memos carry no text.
constexpr std::array<const char*, 4> kHabitatDoneKeys = {
    "STORY_WAPO_LETTER_AMAZON_DONE",
    "STORY_WAPO_LETTER_GRANDCANYON_DONE",
    "STORY_WAPO_LETTER_ALASKA_DONE",
    "STORY_WAPO_LETTER_ARCTIC_DONE",
};

const char* const kCallMusicFile = "music/fly_orchestra.ogg";
const char* const kMemoMusicFile = "music/success.ogg";

// The Continue button's top lies this far above the screen's bottom edge.
constexpr int32_t kContinueBottomGap = 50;
// The title's baseline; its white shadow lies one pixel right of and below it.
constexpr int32_t kTitleBaseline = 30;
// Continue presses that bring the memo, and the press that opens the awards screen: the
// sixth habitat's memo stays for one more press.
constexpr int32_t kMemoPage = 2;
constexpr int32_t kAwardsPage = 3;
constexpr int32_t kLongMemoNextLevel = 6;
// The profile's next level once the credits have closed the adventure: the tenth habitat.
constexpr int32_t kFinalNextLevel = 9;

constexpr int32_t kCloudY = 100;
constexpr int32_t kMemoY = 50;
const Zest::Rect kPartnerTextRect(240, 170, 310, 250);
const Zest::Rect kGuideTextRect(260, 170, 310, 250);
const Zest::Rect kMemoTextRect(230, 150, 230, 180);
const Zest::Rect kHabitatDoneRect(230, 340, 330, 140);
// The award's full-size picture on the memo, with its name in dark brown under it.
constexpr float kAwardX = 470.0f;
constexpr float kAwardY = 210.0f;
const Zest::Color kAwardNameColor(66, 36, 0, 255);

} // namespace

ReceivingAwardsScreen::ReceivingAwardsScreen(ReceivingAwardsHost* const app, const int32_t nextLevel)
    : mNextLevel(nextLevel), mApp(app)
{
    ZEST_ASSERT(mApp != nullptr);
}

void ReceivingAwardsScreen::AddedToManager(Zest::WidgetManager* const manager)
{
    mApp->StopAllMusic();
    const TextStyleHost& style = mApp->GetTextStyle();
    const int32_t x = (DialogParts::kScreenWidth - IMAGE_GAME_BUTTON_LARGE->GetWidth()) / 2;
    MenuItem* const button = DialogParts::AddLargeButton(
        *this, x, mY + mHeight - kContinueBottomGap, GetGameString(kContinueKey), style.GetTextColor(),
        style.GetHighlightTextColor(), MenuItem::Action(this, &ReceivingAwardsScreen::AdvanceStory));
    button->mOverlayPriority = kOverlayPriority;
    BasicMenu::AddedToManager(manager);
    mApp->FadeInSong(kCallSong, kCallMusicFile, true);
}

void ReceivingAwardsScreen::Draw(Zest::Graphics*) { DeferOverlay(kOverlayPriority); }

void ReceivingAwardsScreen::DrawOverlay(Zest::Graphics* const g)
{
    g->SetColorizeImages(true);
    g->SetColor(Zest::Color::White);
    g->DrawImage(IMAGE_GAME_GAMEMAP, 0, 0);
    DialogParts::DrawTitle(g, GetGameString(kTitleKey), 0, kTitleBaseline, DialogParts::kScreenWidth);
    g->SetColor(Zest::Color::White);
    g->DrawImage(IMAGE_GAME_JANE_PHONE, 10, 120);
    g->DrawImage(IMAGE_GAME_AUGUST_PHONE, 610, 120);
    if (mStep == STEP_PHONE_CALL)
        DrawPhoneCall(g);
    else if (mStep == STEP_MEMO)
        DrawMemo(g);
    if (GameOptionsHolder::Instance().mScanLines)
        DialogParts::DrawScanLines(g, *this);
}

// The speech cloud points at whoever speaks: mirrored towards the partner on the right.
void ReceivingAwardsScreen::DrawPhoneCall(Zest::Graphics* const g) const
{
    const int32_t cloudWidth = IMAGE_GAME_TEXT_CLOUD->GetWidth();
    if (mAugustSpeaking != 0) {
        g->DrawImageMirror(IMAGE_GAME_TEXT_CLOUD, (DialogParts::kScreenWidth - cloudWidth) / 2, kCloudY);
    } else {
        const float x = static_cast<float>(DialogParts::kScreenWidth - cloudWidth) * 0.5f;
        g->DrawImageAtFloat(IMAGE_GAME_TEXT_CLOUD, x, static_cast<float>(kCloudY));
    }
    g->SetFont(FONT_STORY_TEXT);
    g->SetColor(mApp->GetTextStyle().GetTextColor());
    if (mAugustSpeaking != 0)
        g->WriteWordWrapped(kPartnerTextRect, GetGameString(kPartnerHelloKey));
    else if (mPage == 1)
        g->WriteWordWrapped(kGuideTextRect, GetGameString(kGuideAnswerKey));
}

void ReceivingAwardsScreen::DrawMemo(Zest::Graphics* const g) const
{
    const float x = static_cast<float>(DialogParts::kScreenWidth - IMAGE_GAME_WAPPO_MEMO->GetWidth()) * 0.5f;
    g->DrawImageAtFloat(IMAGE_GAME_WAPPO_MEMO, x, static_cast<float>(kMemoY));
    g->SetFont(FONT_STORY_TEXT);
    const int32_t line = mNextLevel - 1;
    if (line >= 0 && line < static_cast<int32_t>(kHabitatDoneKeys.size())) {
        const TextStyleHost& style = mApp->GetTextStyle();
        g->SetColor(style.GetTextColor());
        g->WriteWordWrapped(kMemoTextRect, GetGameString(kMemoKey));
        g->SetColor(style.GetHighlightTextColor());
        g->WriteWordWrapped(kHabitatDoneRect, GetGameString(kHabitatDoneKeys[static_cast<size_t>(line)]));
    }
    g->SetColor(Zest::Color::White);
    mApp->DrawAward(mNextLevel - 1, g, kAwardX, kAwardY, false, kAwardNameColor, true);
}

void ReceivingAwardsScreen::AdvanceStory()
{
    ++mPage;
    mAugustSpeaking = 1 - mAugustSpeaking;
    if (mPage == kMemoPage) {
        mStep = STEP_MEMO;
        mApp->StopAllMusic();
        mApp->FadeInSong(kMemoSong, kMemoMusicFile, false);
    }
    const int32_t awardsPage = mNextLevel == kLongMemoNextLevel ? kAwardsPage + 1 : kAwardsPage;
    if (mPage == awardsPage) {
        mStep = STEP_AWARDS_SCREEN;
        mApp->ShowAwardsScreen(mNextLevel - 1);
    } else if (mPage > awardsPage) {
        if (mStep == STEP_FINAL)
            EndAdventure();
        else
            Leave();
    }
}

void ReceivingAwardsScreen::JumpToLastStep() { mStep = STEP_FINAL; }

void ReceivingAwardsScreen::Leave()
{
    // The screen is deleted after this update; the host outlives the calls.
    ReceivingAwardsHost* const app = mApp;
    const int32_t nextLevel = mNextLevel;
    app->RemoveReceivingAwardsScreen();
    if (nextLevel < app->GetFirstHabitatIndex() + app->GetHabitatCount()) {
        app->StartNextHabitat(nextLevel);
        return;
    }
    PlayerProfile* const profile = app->GetCurrentProfile();
    ZEST_ASSERT(profile != nullptr);
    profile->mHabitatName = kNoHabitatName;
    // Written at once, so that a program that ends without its shutdown does not offer the
    // finished adventure's last habitat again.
    app->SaveProfiles();
    app->ReturnToMainMenu();
}

void ReceivingAwardsScreen::EndAdventure()
{
    ReceivingAwardsHost* const app = mApp;
    app->RemoveReceivingAwardsScreen();
    PlayerProfile* const profile = app->GetCurrentProfile();
    ZEST_ASSERT(profile != nullptr);
    profile->mHabitatName = kNoHabitatName;
    profile->mNextLevel = kFinalNextLevel;
    app->SaveProfiles();
    app->ReturnToMainMenu();
    app->ShowCredits();
}
