#include "game/screens/MainMenu.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/GameOptions.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/screens/MenuServices.h"
#include "game/StringTable.h"
#include "game/screens/DialogParts.h"
#include "game/screens/HighScoresDisplayWidget.h"
#include "game/screens/ProfileHost.h"
#include "game/screens/RightsNotice.h"
#include "game/screens/ScreenNavigationHost.h"
#include "game/screens/SelectGameMenu.h"
#include "game/screens/TextStyleHost.h"

namespace {

const char* const kLabelKeys[] = {
    "BTN_START_ADVENTURE", "BTN_VIEWMYAWARDS", "BTN_OPTIONS", "BTN_HOWTOPLAY", "BTN_SCORELIST", "BTN_QUITGAME",
};
constexpr size_t kStartAdventureIndex = 0;
constexpr size_t kViewAwardsIndex = 1;
constexpr size_t kOptionsIndex = 2;
constexpr size_t kHowToPlayIndex = 3;
constexpr size_t kScoreListIndex = 4;
constexpr size_t kQuitIndex = 5;
const char* const kChangeProfileKey = "BTN_CHANGE_PROFILE";
const char* const kWelcomeKey = "LABEL_WELCOME";

constexpr int32_t kLargeButtonLabelY = 23;
constexpr int32_t kChangeProfileLabelY = 15;
constexpr int32_t kChangeProfileLineSpacing = 12;

// The foot of the screen: the notice centred, the version right-aligned below it.
const Zest::Color kFootTextColor(216, 205, 144);
constexpr int32_t kNoticeX = 1;
constexpr int32_t kNoticeBaseline = 591;
constexpr int32_t kVersionBaseline = 595;

// The welcome panel on the left: "Welcome," and the name under it.
const Zest::Color kWelcomeColor(108, 102, 72);
constexpr int32_t kWelcomeX = 20;
constexpr int32_t kWelcomeWidth = 140;
constexpr int32_t kWelcomeBaseline = 280;
constexpr int32_t kNameBaseline = 300;

using DialogParts::kScreenHeight;
using DialogParts::kScreenWidth;

} // namespace

MainMenu::MainMenu(ProfileHost* const profiles, ScreenNavigationHost* const navigation,
                   const TextStyleHost* const textStyle, const HabitatIndexHost* const habitats)
    : mProfiles(profiles), mNavigation(navigation), mTextStyle(textStyle), mHabitats(habitats)
{
    for (const char* const key : kLabelKeys)
        mLabels.push_back(GetGameString(key));
    mActions.resize(mLabels.size());
    mActions[kStartAdventureIndex] = MenuItem::Action(this, &MainMenu::OnStartAdventure);
    mActions[kViewAwardsIndex] = MenuItem::Action(this, &MainMenu::OnViewAwards);
    mActions[kOptionsIndex] = MenuItem::Action(this, &MainMenu::OnOptions);
    mActions[kHowToPlayIndex] = MenuItem::Action(this, &MainMenu::OnHowToPlay);
    mActions[kScoreListIndex] = MenuItem::Action(this, &MainMenu::ShowHighScores);
    mActions[kQuitIndex] = MenuItem::Action(this, &MainMenu::OnQuitGame);
}

MainMenu::~MainMenu()
{
    ReleaseHighScores();
    ReleaseSelectGameMenu();
}

void MainMenu::AddedToManager(Zest::WidgetManager* const manager)
{
    BasicMenu::AddedToManager(manager);
    CreateLargeButtons();
    CreateChangeProfileButton();
    if (mProfiles->GetCurrentProfile() == nullptr)
        DisableItems();
}

void MainMenu::RemovedFromManager(Zest::WidgetManager* const manager)
{
    BasicMenu::RemovedFromManager(manager);
    ReleaseHighScores();
    ReleaseSelectGameMenu();
}

void MainMenu::ReleaseHighScores()
{
    if (mHighScores == nullptr)
        return;
    ReleaseWidget(mHighScores);
    mHighScores = nullptr;
}

void MainMenu::ReleaseSelectGameMenu()
{
    if (mSelectGameMenu == nullptr)
        return;
    ReleaseWidget(mSelectGameMenu);
    mSelectGameMenu = nullptr;
}

void MainMenu::SetUpButton(MenuItem& button, const std::string& label, const int32_t labelY) const
{
    button.mFont = FONT_IN_GAME_LABELS;
    button.mLabel = label;
    button.mLabelJustification = 0;
    button.SetLabelY(labelY);
    button.SetLabelColor(mTextStyle->GetTextColor());
    button.SetLabelOverColor(mTextStyle->GetHighlightTextColor());
    // Sounds come with the first EnableItems.
    button.mAlpha = 0.0f;
    button.mFadeState = FADE_IN;
}

void MainMenu::AddButton(MenuItem* const button)
{
    mItems.push_back(button);
    mWidgetManager->AddWidget(button);
}

void MainMenu::CreateLargeButtons()
{
    const int32_t width = IMAGE_GAME_BUTTON_LARGE->GetWidth();
    const int32_t height = IMAGE_GAME_BUTTON_LARGE->GetHeight();
    int32_t row = 0;
    for (size_t i = 0; i < mLabels.size(); ++i) {
        // A label without text gets no button, and the rows below close up.
        if (mLabels[i].empty())
            continue;
        auto* const button = new MenuItem();
        button->Resize(0, 0, width, height);
        button->Move((kScreenWidth - width) / 2, kFirstRowY + row * height);
        SetUpButton(*button, mLabels[i], kLargeButtonLabelY);
        button->SetImage(IMAGE_GAME_BUTTON_LARGE);
        button->SetOverImage(IMAGE_GAME_BUTTON_LARGE_OVER);
        if (mActions[i])
            button->mAction = mActions[i];
        // The last button leaves the game: its picture points the other way.
        if (i == mLabels.size() - 1)
            button->mScaleX = -1.0f;
        AddButton(button);
        ++row;
    }
}

void MainMenu::CreateChangeProfileButton()
{
    auto* const button = new MenuItem();
    button->Resize(0, 0, IMAGE_MENU_NEW_PLAYER->GetWidth() - kChangeProfileNarrowing,
                   IMAGE_MENU_NEW_PLAYER->GetHeight());
    button->Move(kChangeProfileX, kChangeProfileY);
    SetUpButton(*button, GetGameString(kChangeProfileKey), kChangeProfileLabelY);
    button->mFont = FONT_LEGALS;
    button->mLabelLineSpacing = kChangeProfileLineSpacing;
    button->mAction = MenuItem::Action(this, &MainMenu::OnChangeProfile);
    AddButton(button);
}

bool MainMenu::IsLargeButton(const MenuItem& item)
{
    return item.mWidth == IMAGE_GAME_BUTTON_LARGE->GetWidth() && item.mWidth != IMAGE_MENU_NEW_PLAYER->GetWidth();
}

void MainMenu::DisableItems()
{
    for (MenuItem* const item : mItems) {
        if (item == nullptr)
            continue;
        item->SetImage(nullptr);
        item->SetOverImage(nullptr);
        item->mVisible = false;
        item->mClickSound = -1;
        item->mHoverSound = -1;
    }
}

void MainMenu::EnableItems()
{
    for (MenuItem* const item : mItems) {
        if (item == nullptr)
            continue;
        if (IsLargeButton(*item)) {
            item->SetImage(IMAGE_GAME_BUTTON_LARGE);
            item->SetOverImage(IMAGE_GAME_BUTTON_LARGE_OVER);
        }
        item->mVisible = true;
        item->mAlpha = 0.0f;
        item->mFadeState = FADE_IN;
        item->mClickSound = SOUND_BUTTON_ACTION;
        item->mHoverSound = SOUND_BUTTON_ROLLOVER;
    }
}

void MainMenu::Reactivate() { EnableItems(); }

void MainMenu::Update()
{
    if (mMenuState != MENU_SHOWN || mProfiles->GetCurrentProfile() != nullptr || static_cast<int32_t>(mAlpha) != 255 ||
        mNavigation->IsPlayerNameEntryOpen())
        return;
    // The file is read once per run. Without one, or when it leaves no profile current (it
    // holds none), there is nobody to play as: a name comes first.
    if (mProfiles->LoadProfiles() && mProfiles->GetCurrentProfile() != nullptr) {
        EnableItems();
        return;
    }
    DisableItems();
    mNavigation->ShowPlayerNameEntry();
}

void MainMenu::Draw(Zest::Graphics* const g)
{
    const auto alpha = static_cast<int32_t>(mAlpha);
    g->SetColorizeImages(true);
    g->SetColor(Zest::Color(255, 255, 255, alpha));
    g->DrawImage(IMAGE_MENU_BACKGROUND, 0, 0);

    g->SetFont(FONT_LEGALS);
    g->SetColor(kFootTextColor.WithAlpha(alpha));
    g->WriteString(kRightsNotice, kNoticeX, kNoticeBaseline, kScreenWidth, 0);
    g->WriteString(mTextStyle->GetVersionText(), 0, kVersionBaseline, kScreenWidth, 1);

    if (const PlayerProfile* const profile = mProfiles->GetCurrentProfile()) {
        g->SetFont(FONT_IN_GAME_LABELS);
        g->SetColor(kWelcomeColor.WithAlpha(alpha));
        g->WriteString(GetGameString(kWelcomeKey), kWelcomeX, kWelcomeBaseline, kWelcomeWidth, 0);
        g->WriteString(profile->mName, kWelcomeX, kNameBaseline, kWelcomeWidth, 0);
    }
    DeferOverlay(kScanLinePriority);
}

void MainMenu::DrawOverlay(Zest::Graphics* const g)
{
    if (!GameOptionsHolder::Instance().mScanLines || mNavigation->IsPlayerNameEntryOpen() ||
        mSelectGameMenu != nullptr)
        return;
    DialogParts::DrawScanLines(g, *this);
}

void MainMenu::ShowHighScores()
{
    if (mHighScores != nullptr)
        return;
    DisableItems();
    mHighScores = new HighScoresDisplayWidget(this);
    const int32_t width = IMAGE_GAME_SUBMENU->GetWidth();
    const int32_t height = IMAGE_GAME_SUBMENU->GetHeight();
    mHighScores->Resize((kScreenWidth - width) / 2, (kScreenHeight - height) / 2, width, height);
    mHighScores->mAlpha = 0.0f;
    mHighScores->mFadeState = FADE_IN;
    mWidgetManager->AddWidget(mHighScores);
}

void MainMenu::CloseHighScores()
{
    if (mWidgetManager == nullptr || mHighScores == nullptr)
        return;
    EnableItems();
    ReleaseHighScores();
}

void MainMenu::OnChangeProfile()
{
    DisableItems();
    mNavigation->ShowSelectProfile();
}

void MainMenu::OpenSelectGameMenu()
{
    if (mSelectGameMenu != nullptr)
        return;
    DisableItems();
    mSelectGameMenu = new SelectGameMenu(mProfiles, mNavigation, mTextStyle, mHabitats);
    const int32_t width = IMAGE_GAME_SUBMENU->GetWidth();
    const int32_t height = IMAGE_GAME_SUBMENU->GetHeight();
    mSelectGameMenu->Resize((kScreenWidth - width) / 2, (kScreenHeight - height) / 2, width, height);
    mWidgetManager->AddWidget(mSelectGameMenu);
}

void MainMenu::CloseSelectGameMenu()
{
    if (mSelectGameMenu == nullptr)
        return;
    EnableItems();
    ReleaseSelectGameMenu();
}

void MainMenu::OnStartAdventure() { OpenSelectGameMenu(); }

// The awards screen lies over the menu, whose buttons stay as they are.
void MainMenu::OnViewAwards() { mNavigation->ShowAwardsScreen(-1); }

void MainMenu::OnOptions()
{
    DisableItems();
    mNavigation->ShowOptionsMenu();
}

void MainMenu::OnHowToPlay()
{
    DisableItems();
    mNavigation->ShowHowToPlay();
}

void MainMenu::OnQuitGame() { mNavigation->QuitGame(); }
