#include "game/screens/SelectGameMenu.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/GameOptions.h"
#include "game/HabitatRegistry.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/AreYouSureMenu.h"
#include "game/screens/DialogParts.h"
#include "game/screens/HabitatIndexHost.h"
#include "game/screens/MainMenu.h"
#include "game/screens/MenuItem.h"
#include "game/screens/MenuServices.h"
#include "game/screens/ProfileHost.h"
#include "game/screens/ScreenNavigationHost.h"
#include "game/screens/TextStyleHost.h"

namespace {

const char* const kTitleKey = "LABEL_START_ADVENTURE";
const char* const kContinueKey = "BTN_CONTINUEADV";
const char* const kNewGameKey = "BTN_STARTNEWGAME";
const char* const kBackKey = "BTN_BACK";

using DialogParts::kScreenHeight;
using DialogParts::kScreenWidth;

} // namespace

SelectGameMenu::SelectGameMenu(ProfileHost* const profiles, ScreenNavigationHost* const navigation,
                               const TextStyleHost* const textStyle, const HabitatIndexHost* const habitats)
    : mProfiles(profiles), mNavigation(navigation), mTextStyle(textStyle), mHabitats(habitats)
{
}

SelectGameMenu::~SelectGameMenu()
{
    if (mAreYouSure != nullptr)
        ReleaseWidget(mAreYouSure);
}

bool SelectGameMenu::CanContinue(const PlayerProfile& profile) const
{
    return profile.mHabitatsStarted > 0 && profile.mHabitatName != kAdventureDoneHabitat &&
           mHabitats->GetHabitatIndexByName(profile.mHabitatName) != HabitatRegistry::NO_HABITAT;
}

void SelectGameMenu::AddedToManager(Zest::WidgetManager* const manager)
{
    Widget::AddedToManager(manager);
    const PlayerProfile* const profile = mProfiles->GetCurrentProfile();
    // The main menu offers Start adventure only while a profile is current.
    ZEST_ASSERT(profile != nullptr);
    mHasProgress = CanContinue(*profile);
    CreateButtons();
}

MenuItem* SelectGameMenu::AddButton(const int32_t top, const char* const labelKey,
                                    void (SelectGameMenu::*const action)())
{
    const int32_t x = mX + (mWidth - IMAGE_GAME_BUTTON_LARGE->GetWidth()) / 2;
    MenuItem* const button = DialogParts::AddLargeButton(
        *this, x, top, GetGameString(labelKey), mTextStyle->GetTextColor(), mTextStyle->GetHighlightTextColor(),
        MenuItem::Action(this, action));
    button->mOverlayPriority = kButtonPriority;
    return button;
}

void SelectGameMenu::CreateButtons()
{
    // Without a Continue button, New adventure takes its row.
    int32_t newGameTop = mY + kFirstRowTop;
    if (mHasProgress) {
        mContinueButton = AddButton(mY + kFirstRowTop, kContinueKey, &SelectGameMenu::OnContinue);
        newGameTop = mY + kSecondRowTop;
    }
    mNewGameButton = AddButton(newGameTop, kNewGameKey, &SelectGameMenu::OnStartNewGame);
    mBackButton = AddButton(mY + mHeight - kBackFromBottom, kBackKey, &SelectGameMenu::OnBack);
    mBackButton->mScaleX = -1.0f;
}

void SelectGameMenu::RemovedFromManager(Zest::WidgetManager* const manager)
{
    // The buttons are items, and go with them.
    BasicMenu::RemovedFromManager(manager);
    mContinueButton = nullptr;
    mNewGameButton = nullptr;
    mBackButton = nullptr;
    if (mAreYouSure != nullptr)
        CloseAreYouSure();
}

void SelectGameMenu::Draw(Zest::Graphics*) { DeferOverlay(kOverlayPriority); }

void SelectGameMenu::DrawOverlay(Zest::Graphics* const g)
{
    DialogParts::ShadeScreen(g, *this);
    g->SetColor(Zest::Color::White);
    g->DrawImageAtFloat(IMAGE_GAME_SUBMENU, 0.0f, 0.0f);
    DialogParts::DrawTitle(g, GetGameString(kTitleKey), 0, DialogParts::kTitleBaseline, mWidth);
    // An open confirmation draws its own over everything.
    if (GameOptionsHolder::Instance().mScanLines && mAreYouSure == nullptr)
        DialogParts::DrawScanLines(g, *this);
}

void SelectGameMenu::OnContinue()
{
    mStartMode = START_CONTINUE;
    mStartGame = true;
    mHabitatIndex = mHabitats->GetHabitatIndexByName(mProfiles->GetCurrentProfile()->mHabitatName);
    // The button is offered only for a habitat the game knows.
    ZEST_ASSERT(mHabitatIndex != HabitatRegistry::NO_HABITAT);
    Begin();
}

void SelectGameMenu::OnStartNewGame()
{
    mStartMode = START_NEW;
    mHabitatIndex = mHabitats->GetFirstHabitatIndex();
    mStartGame = true;
    if (mHasProgress)
        OpenAreYouSure();
    else
        Begin();
}

void SelectGameMenu::OnBack()
{
    mStartGame = false;
    Begin();
}

void SelectGameMenu::Begin()
{
    ProfileHost* const profiles = mProfiles;
    ScreenNavigationHost* const navigation = mNavigation;
    const bool startGame = mStartGame;
    const int32_t startMode = mStartMode;
    const int32_t habitatIndex = mHabitatIndex;
    MainMenu* const menu = navigation->GetMainMenu();
    // The main menu opened this dialog and stays until the game starts.
    ZEST_ASSERT(menu != nullptr);
    // The dialog is deleted after this update, so nothing of it is touched past here.
    menu->CloseSelectGameMenu();
    if (!startGame)
        return;
    // Awards and the lifetime counters survive a new adventure.
    if (startMode == START_NEW)
        profiles->GetCurrentProfile()->ResetProgress(false);
    navigation->StartGameSession(startMode, habitatIndex);
}

void SelectGameMenu::OpenAreYouSure()
{
    // It covers the whole screen, so New adventure cannot be pressed again behind it.
    ZEST_ASSERT(mAreYouSure == nullptr);
    mAreYouSure = new AreYouSureMenu(this, mTextStyle);
    mAreYouSure->Resize(0, 0, kScreenWidth, kScreenHeight);
    mWidgetManager->AddWidget(mAreYouSure);
}

void SelectGameMenu::CloseAreYouSure()
{
    ZEST_ASSERT(mAreYouSure != nullptr);
    ReleaseWidget(mAreYouSure);
    mAreYouSure = nullptr;
}
