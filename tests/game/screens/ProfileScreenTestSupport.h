#pragma once
// The main menu with its high-score table, the name entry and the profile selection under a
// widget manager, with a stand-in application that keeps its profiles in a ProfileStore and
// logs every call the screens make, the screens' pictures as solid images of known sizes,
// recording fonts, their texts in the string table and the default high scores.

#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/ListWidget.h"
#include "game/GameOptions.h"
#include "game/HighScores.h"
#include "game/PlayerProfile.h"
#include "game/ProfileStore.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/MainMenu.h"
#include "game/screens/PlayerNameEntry.h"
#include "game/screens/SelectProfile.h"
#include "tests/framework/widgets/WidgetPixels.h"
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
// The dialogs' panel, centred on the screen.
constexpr int kPanelX = (800 - kSubmenuWidth) / 2;
constexpr int kPanelY = (600 - kSubmenuHeight) / 2;
// Large buttons centred on the panel.
constexpr int kDialogButtonX = kPanelX + (kSubmenuWidth - kLargeButtonWidth) / 2;
// Dialogs are drawn over this grey, which the darkening turns into kShadedGrey.
const Zest::Color kBehindGrey(100, 100, 100);
const Zest::Color kShadedGrey(71, 71, 71);
const Zest::Color kMenuBackgroundColor(0, 90, 0);
const Zest::Color kTestTextColor(1, 2, 3);
const Zest::Color kTestHighlightColor(4, 5, 6);
const char* const kTestVersion = "v9.9test";

// What the screens leave in the log.
using Log = std::vector<std::string>;
// A button's click sound, as the recording services log it.
inline const std::string kClickLogged = "sound " + std::to_string(kActionSound);

// The application as the screens see it. Loading "reads" mFileNames the first time when
// mFileFound is set; the name entry's removal and the profile selection's closing take them
// out of the manager as the application does.
class FakeProfileHost : public MainMenuHost, public PlayerNameEntryHost, public SelectProfileHost {
public:
    FakeProfileHost(std::vector<std::string>& log, Zest::WidgetManager& manager) : mLog(log), mManager(manager) {}

    PlayerProfile* GetCurrentProfile() const override { return mProfiles.GetCurrentProfile(); }
    bool LoadProfiles() override
    {
        mLog.push_back("load profiles");
        if (!mFileFound || mFileRead)
            return false;
        mFileRead = true;
        for (const std::string& name : mFileNames)
            mProfiles.AddProfile(std::make_unique<PlayerProfile>(name));
        return true;
    }
    bool IsPlayerNameEntryOpen() const override { return mNameEntryOpen; }
    void ShowPlayerNameEntry() override
    {
        mLog.push_back("show name entry");
        mNameEntryOpen = true;
    }
    void QuitGame() override { mLog.push_back("quit"); }
    void ShowSelectProfile() override { mLog.push_back("show profile selection"); }
    SelectProfile* GetSelectProfile() const override { return mSelectProfile; }

    void FillProfileList(Zest::ListWidget* const list) override
    {
        mLog.push_back("fill profile list");
        for (int32_t i = 0; i < mProfiles.GetProfileCount(); ++i)
            list->AddLine(mProfiles.GetProfile(i)->mName, false);
    }
    void SetCurrentProfileIndex(const int32_t index) override
    {
        mLog.push_back("current profile " + std::to_string(index));
        mProfiles.SetCurrentIndex(index);
    }
    void DeleteProfile(const int32_t index) override
    {
        mLog.push_back("delete profile " + std::to_string(index));
        mProfiles.DeleteProfile(index);
    }
    void CloseSelectProfile() override
    {
        mLog.push_back("close profile selection");
        if (mSelectProfile != nullptr && mSelectProfile->mParent != nullptr) {
            mManager.RemoveWidget(mSelectProfile);
            GetMenuServices().DeferDeleteWidget(mSelectProfile);
        }
        mSelectProfile = nullptr;
    }
    std::string GetVersionText() const override { return kTestVersion; }
    Zest::Color GetTextColor() const override { return kTestTextColor; }
    Zest::Color GetHighlightTextColor() const override { return kTestHighlightColor; }

    void AddProfile(std::unique_ptr<PlayerProfile> profile) override
    {
        mLog.push_back("add profile '" + profile->mName + "'");
        mProfiles.AddProfile(std::move(profile));
    }
    MainMenu* GetMainMenu() const override { return mMainMenu; }
    void RemovePlayerNameEntry() override
    {
        mLog.push_back("remove name entry");
        mNameEntryOpen = false;
        if (mNameEntry != nullptr && mNameEntry->mParent != nullptr) {
            mManager.RemoveWidget(mNameEntry);
            GetMenuServices().DeferDeleteWidget(mNameEntry);
        }
        mNameEntry = nullptr;
    }
    bool SaveProfiles() override
    {
        mLog.push_back("save profiles");
        return true;
    }

    ProfileStore mProfiles;
    bool mFileFound = false;
    bool mFileRead = false;
    std::vector<std::string> mFileNames;
    bool mNameEntryOpen = false;
    // Not owned.
    MainMenu* mMainMenu = nullptr;
    PlayerNameEntry* mNameEntry = nullptr;
    SelectProfile* mSelectProfile = nullptr;

private:
    std::vector<std::string>& mLog;
    Zest::WidgetManager& mManager;
};

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
        };
        for (const auto& text : texts)
            StringTableHolder::Instance().SetString(text[0], text[1]);
        GameOptionsHolder::Instance().mScanLines = false;
        HighScoreStoreHolder::Instance() = HighScoreStore();
    }

    void TearDown() override
    {
        // A name entry or profile selection that did not close itself is still the test's.
        if (mHost.mNameEntry != nullptr) {
            mManager.RemoveWidget(mHost.mNameEntry);
            delete mHost.mNameEntry;
            mHost.mNameEntry = nullptr;
        }
        if (mHost.mSelectProfile != nullptr) {
            mManager.RemoveWidget(mHost.mSelectProfile);
            delete mHost.mSelectProfile;
            mHost.mSelectProfile = nullptr;
        }
        mManager.RemoveAllWidgets(false, true);
        // Kept menus go while the recording services still take what they hand over.
        mHost.mMainMenu = nullptr;
        mKept.clear();
        IMAGE_MENU_BACKGROUND = IMAGE_GAME_BUTTON_LARGE = IMAGE_GAME_BUTTON_LARGE_OVER = nullptr;
        IMAGE_MENU_NEW_PLAYER = IMAGE_GAME_SUBMENU = IMAGE_GAME_SCAN_LINES = nullptr;
        FONT_IN_GAME_LABELS = FONT_LEGALS = FONT_STORY_TEXT = nullptr;
        SOUND_BUTTON_ACTION = SOUND_BUTTON_ROLLOVER = 0;
        GameOptionsHolder::Instance().mScanLines = false;
    }

    // The main menu over the whole screen, as the application shows it.
    MainMenu* ShowMainMenu()
    {
        MainMenu* const menu = Keep(std::make_unique<MainMenu>(&mHost));
        menu->Resize(0, 0, 800, 600);
        mHost.mMainMenu = menu;
        mManager.AddWidget(menu);
        return menu;
    }

    // The name entry, as the application opens it; it closes itself through the host.
    PlayerNameEntry* OpenNameEntry()
    {
        auto* const entry = new PlayerNameEntry(&mHost);
        mHost.mNameEntry = entry;
        mHost.mNameEntryOpen = true;
        mManager.AddWidget(entry);
        return entry;
    }

    // The main menu with Ann current and its buttons faded in, so that they take clicks.
    MainMenu* ShowClickableMainMenu()
    {
        mHost.mProfiles.AddProfile(std::make_unique<PlayerProfile>("Ann"));
        MainMenu* const menu = ShowMainMenu();
        menu->EnableItems();
        FadeIn(*menu);
        mServices.TakeLog();
        return menu;
    }

    // The profile selection, as the application opens it: the panel's size, centred on the
    // screen. It closes itself through the host.
    SelectProfile* OpenSelectProfile()
    {
        auto* const selection = new SelectProfile(&mHost);
        const int width = IMAGE_GAME_SUBMENU->GetWidth();
        const int height = IMAGE_GAME_SUBMENU->GetHeight();
        selection->Resize((800 - width) / 2, (600 - height) / 2, width, height);
        mHost.mSelectProfile = selection;
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
    // pictures and its label centred in the label font, in the host's colours.
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
    RunRecordingFont mLabelFont;
    RunRecordingFont mLegalsFont;
    RunRecordingFont mStoryFont;
    FakeProfileHost mHost{mServices.mLog, mManager};
};

} // namespace Tests
