#pragma once
// The main menu with its high-score table and game selection, the name entry and the profile
// selection under a widget manager, with the stand-ins of the application's profiles,
// navigation, text style and habitat indexes, the screens' pictures as solid images of known
// sizes, recording fonts, their texts in the string table and the default high scores.

#include "framework/graphics/MemoryImage.h"
#include "game/GameOptions.h"
#include "game/HighScores.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "tests/framework/widgets/WidgetPixels.h"
#include "tests/game/screens/FakeHosts.h"
#include "tests/game/screens/MenuTestSupport.h"

#include <memory>
#include <string>
#include <vector>

namespace Tests {

constexpr int kActionSound = 11;
constexpr int kRolloverSound = 12;
// Sizes of the pictures the screens lay out by.
constexpr int kLargeButtonWidth = 200;
constexpr int kLargeButtonHeight = 50;
constexpr int kNewPlayerWidth = 150;
constexpr int kNewPlayerHeight = 40;
constexpr int kSubmenuWidth = 400;
constexpr int kSubmenuHeight = 480;
// Odd, so that centring it on the screen leaves half a pixel.
constexpr int kTutorialWidth = 391;
constexpr int kTutorialHeight = 451;
// The dialogs' panel, centred on the screen.
constexpr int kPanelX = (800 - kSubmenuWidth) / 2;
constexpr int kPanelY = (600 - kSubmenuHeight) / 2;
// Large buttons centred on the panel.
constexpr int kDialogButtonX = kPanelX + (kSubmenuWidth - kLargeButtonWidth) / 2;
// Dialogs are drawn over this grey, which the darkening turns into kShadedGrey.
const Zest::Color kBehindGrey(100, 100, 100);
const Zest::Color kShadedGrey(71, 71, 71);
const Zest::Color kMenuBackgroundColor(0, 90, 0);

// A button's click sound, as the recording services log it.
inline const std::string kClickLogged = "sound " + std::to_string(kActionSound);

// The screens' resource variables and texts; every variable is cleared again afterwards.
class ProfileScreenTest : public MenuScreenTest {
protected:
    void SetUp() override
    {
        IMAGE_MENU_BACKGROUND = mBackground.get();
        IMAGE_GAME_BUTTON_LARGE = mButton.get();
        IMAGE_GAME_BUTTON_LARGE_OVER = mButtonOver.get();
        IMAGE_MENU_NEW_PLAYER = mNewPlayer.get();
        IMAGE_GAME_SUBMENU = mSubmenu.get();
        IMAGE_GAME_SCAN_LINES = mScanLines.get();
        IMAGE_GAME_TUTORIAL = mTutorial.get();
        FONT_IN_GAME_LABELS = &mLabelFont;
        FONT_LEGALS = &mLegalsFont;
        FONT_STORY_TEXT = &mStoryFont;
        SOUND_BUTTON_ACTION = kActionSound;
        SOUND_BUTTON_ROLLOVER = kRolloverSound;
        const char* const texts[][2] = {
            {"BTN_START_ADVENTURE", "Play"},    {"BTN_VIEWMYAWARDS", "Awards"},
            {"BTN_OPTIONS", "Options"},         {"BTN_HOWTOPLAY", "How to play"},
            {"BTN_SCORELIST", "Scores"},        {"BTN_QUITGAME", "Quit"},
            {"BTN_CHANGE_PROFILE", "Change"},   {"LABEL_WELCOME", "Welcome,"},
            {"LABEL_ENTERNAME", "Your name?"},  {"LABEL_MAX_NAME_CHARACTERS", "Up to 15"},
            {"LABEL_DEFAULTNAME", "Explorer"},  {"BTN_DONE", "Done"},
            {"LABEL_SELECTPROFILE", "Who plays?"}, {"BTN_DELETE", "Delete"},
            {"BTN_CREATENEWPROFILE", "New player"}, {"LABEL_SCORES", "Best"},
            {"BTN_BACK", "Back"},
            {"LABEL_START_ADVENTURE", "Adventure"}, {"BTN_CONTINUEADV", "Continue"},
            {"BTN_STARTNEWGAME", "New"},        {"LABEL_AREYOUSURE", "Sure?"},
            {"LABEL_SUREQUESTION", "Your progress will be lost."},
            {"BTN_YES", "Yes"},                 {"BTN_NO", "No"},
        };
        for (const auto& text : texts)
            StringTableHolder::Instance().SetString(text[0], text[1]);
        GameOptionsHolder::Instance().mScanLines = false;
        HighScoreStoreHolder::Instance() = HighScoreStore();
    }

    void TearDown() override
    {
        // A name entry or profile selection that did not close itself is still the test's.
        if (mNavigation.mNameEntry != nullptr) {
            mManager.RemoveWidget(mNavigation.mNameEntry);
            delete mNavigation.mNameEntry;
            mNavigation.mNameEntry = nullptr;
        }
        if (mNavigation.mSelectProfile != nullptr) {
            mManager.RemoveWidget(mNavigation.mSelectProfile);
            delete mNavigation.mSelectProfile;
            mNavigation.mSelectProfile = nullptr;
        }
        mManager.RemoveAllWidgets(false, true);
        // Kept menus go while the recording services still take what they hand over.
        mNavigation.mMainMenu = nullptr;
        mKept.clear();
        IMAGE_MENU_BACKGROUND = IMAGE_GAME_BUTTON_LARGE = IMAGE_GAME_BUTTON_LARGE_OVER = nullptr;
        IMAGE_MENU_NEW_PLAYER = IMAGE_GAME_SUBMENU = IMAGE_GAME_SCAN_LINES = IMAGE_GAME_TUTORIAL = nullptr;
        FONT_IN_GAME_LABELS = FONT_LEGALS = FONT_STORY_TEXT = nullptr;
        SOUND_BUTTON_ACTION = SOUND_BUTTON_ROLLOVER = 0;
        GameOptionsHolder::Instance().mScanLines = false;
    }

    // A main menu on the stand-ins, not yet in the manager.
    std::unique_ptr<MainMenu> MakeMainMenu()
    {
        return std::make_unique<MainMenu>(&mProfileHost, &mNavigation, &mTextStyle, &mHabitats);
    }

    // The main menu over the whole screen, as the application shows it.
    MainMenu* ShowMainMenu()
    {
        MainMenu* const menu = Keep(MakeMainMenu());
        menu->Resize(0, 0, 800, 600);
        mNavigation.mMainMenu = menu;
        mManager.AddWidget(menu);
        return menu;
    }

    // The name entry, as the application opens it; it closes itself through the navigation.
    PlayerNameEntry* OpenNameEntry()
    {
        auto* const entry = new PlayerNameEntry(&mProfileHost, &mNavigation, &mTextStyle);
        mNavigation.mNameEntry = entry;
        mNavigation.mNameEntryOpen = true;
        mManager.AddWidget(entry);
        return entry;
    }

    // The main menu with Ann current and its buttons faded in, so that they take clicks.
    MainMenu* ShowClickableMainMenu()
    {
        mProfileHost.mProfiles.AddProfile(std::make_unique<PlayerProfile>("Ann"));
        MainMenu* const menu = ShowMainMenu();
        menu->EnableItems();
        FadeIn(*menu);
        mServices.TakeLog();
        return menu;
    }

    // The profile selection, as the application opens it: the panel's size, centred on the
    // screen. It closes itself through the navigation.
    SelectProfile* OpenSelectProfile()
    {
        auto* const selection = new SelectProfile(&mProfileHost, &mNavigation, &mTextStyle);
        const int width = IMAGE_GAME_SUBMENU->GetWidth();
        const int height = IMAGE_GAME_SUBMENU->GetHeight();
        selection->Resize((800 - width) / 2, (600 - height) / 2, width, height);
        mNavigation.mSelectProfile = selection;
        mManager.AddWidget(selection);
        return selection;
    }

    // Smooth updates until every item of the menu has faded in.
    void FadeIn(const BasicMenu& menu)
    {
        for (int i = 0; i < 100; ++i)
            mManager.UpdateFrameSmooth(1.0f);
        for (const MenuItem* const item : menu.mItems)
            ASSERT_EQ(item->mFadeState, FADE_NONE);
    }

    static bool ItemsShown(const BasicMenu& menu)
    {
        for (const MenuItem* const item : menu.mItems) {
            if (!item->mVisible)
                return false;
        }
        return !menu.mItems.empty();
    }

    // What every large button shows: a top-level widget at its place with the large
    // pictures and its label centred in the label font, in the text style's colours.
    void ExpectLargeButton(const MenuItem& button, const std::string& label, const Zest::Rect& rect,
                           const int labelY) const
    {
        EXPECT_TRUE(mManager.HasWidget(&button)) << "a top-level widget above its screen";
        EXPECT_EQ(button.GetRect(), rect);
        EXPECT_EQ(button.mLabel, label);
        EXPECT_EQ(button.mFont, &mLabelFont);
        EXPECT_EQ(button.mLabelJustification, 0);
        EXPECT_EQ(button.mLabelY, labelY);
        EXPECT_EQ(button.mLabelColor, kTestTextColor);
        EXPECT_EQ(button.mLabelOverColor, kTestHighlightColor);
        EXPECT_EQ(button.mImage, mButton.get());
        EXPECT_EQ(button.mOverImage, mButtonOver.get());
    }

    // A dialog's large button, steady at full opacity and with the button sounds.
    void ExpectDialogButton(const MenuItem& button, const std::string& label, const Zest::Rect& rect,
                            const float scaleX) const
    {
        SCOPED_TRACE(label);
        ExpectLargeButton(button, label, rect, 25);
        EXPECT_EQ(button.mScaleX, scaleX);
        EXPECT_EQ(button.mAlpha, 255.0f);
        EXPECT_EQ(button.mFadeState, FADE_NONE) << "steady: it takes a click at once";
        EXPECT_TRUE(button.mActsOncePerDoubleClick);
        EXPECT_EQ(button.mClickSound, kActionSound);
        EXPECT_EQ(button.mHoverSound, kRolloverSound);
    }

    void Click(const MenuItem& item)
    {
        const int x = item.mX + item.mWidth / 2;
        const int y = item.mY + item.mHeight / 2;
        mManager.MouseMove(x, y);
        mManager.MouseDown(x, y, 1);
        mManager.MouseUp(x, y, 1);
    }

    std::unique_ptr<Zest::MemoryImage> mBackground = SolidImage(&mApp, 800, 600, kMenuBackgroundColor);
    std::unique_ptr<Zest::MemoryImage> mButton =
        SolidImage(&mApp, kLargeButtonWidth, kLargeButtonHeight, Zest::Color(200, 0, 0));
    std::unique_ptr<Zest::MemoryImage> mButtonOver =
        SolidImage(&mApp, kLargeButtonWidth, kLargeButtonHeight, Zest::Color(250, 0, 0));
    std::unique_ptr<Zest::MemoryImage> mNewPlayer =
        SolidImage(&mApp, kNewPlayerWidth, kNewPlayerHeight, Zest::Color(0, 0, 200));
    std::unique_ptr<Zest::MemoryImage> mSubmenu =
        SolidImage(&mApp, kSubmenuWidth, kSubmenuHeight, Zest::Color(220, 200, 160));
    std::unique_ptr<Zest::MemoryImage> mScanLines = SolidImage(&mApp, 800, 600, Zest::Color::White);
    std::unique_ptr<Zest::MemoryImage> mTutorial =
        SolidImage(&mApp, kTutorialWidth, kTutorialHeight, Zest::Color(180, 220, 180));
    RunRecordingFont mLabelFont;
    RunRecordingFont mLegalsFont;
    RunRecordingFont mStoryFont;
    FakeProfileHost mProfileHost{mServices.mLog};
    FakeNavigationHost mNavigation{mServices.mLog, mManager};
    FakeTextStyleHost mTextStyle;
    FakeHabitatIndexHost mHabitats;
};

} // namespace Tests
