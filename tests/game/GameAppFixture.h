#pragma once
// A test's own GameApp from the game's content: temporary XDG folders, the DirectDraw
// stand-in checked for leaks, the content as the working folder, and the steps a player
// takes up to the main menu.

#include "framework/resources/PakInterface.h"
#include "framework/widgets/WidgetManager.h"
#include "game/GameApp.h"
#include "game/GameOptions.h"
#include "game/PlayerProfile.h"
#include "game/ProfileStore.h"
#include "game/screens/MainMenu.h"
#include "game/screens/MenuItem.h"
#include "game/screens/TitleScreen.h"
#include "tests/framework/app/AppFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace Tests {

namespace fs = std::filesystem;

// The application with the test program's command line left alone and the working folder
// kept where the test put it.
class TestGameApp : public GameApp {
public:
    TestGameApp() { mCommandLineParsed = true; }
    bool ChangeDirectoryHook(const std::string&) override { return true; }
};

inline std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void AppendInt32(std::string& bytes, const int32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<char>((static_cast<uint32_t>(value) >> shift) & 0xFF));
}

// Temporary XDG folders, the DirectDraw stand-in checked for leaks, and the game's content
// as the working folder: main.pak alone (the top of the build tree), or a copy of the loose
// tree with a changed manifest or string table.
class GameAppFixture : public Tests::DisplayAppTest {
protected:
    // The options are one record per process, which a start fills from options.dat: the
    // next test starts from a first start's defaults again.
    void TearDown() override
    {
        mApp.reset();
        GameOptionsHolder::Instance() = GameOptions();
        DisplayAppTest::TearDown();
    }

    void Start(const fs::path& contentFolder)
    {
        fs::current_path(contentFolder);
        mApp = std::make_unique<TestGameApp>();
        mApp->Init();
    }

    // The loose content, its folders linked, the manifest edited by replacing `from` with
    // `to`, the string table copied only when asked. A mapped main.pak would serve its own
    // files under the same relative names, so none may be left by an earlier test.
    fs::path MakeContent(const bool withStrings, const std::string& from = "", const std::string& to = "")
    {
        EXPECT_TRUE(Zest::gPakInterface->Records().empty()) << "an archive is still mapped";
        const fs::path content = mFolder.Path() / "content";
        const fs::path source = GREENATLAS_CONTENT_DIR;
        fs::create_directories(content / "properties");
        for (const char* const folder : {"fonts", "images", "music", "sounds"})
            fs::create_directory_symlink(source / folder, content / folder);
        std::string manifest = ReadFile(source / "properties/resources_demo.xml");
        if (!from.empty())
            manifest.replace(manifest.find(from), from.size(), to);
        Tests::WriteBytes(content / "properties/resources_demo.xml", manifest);
        if (withStrings)
            fs::copy_file(source / "properties/strings.xml", content / "properties/strings.xml");
        return content;
    }

    fs::path DataFolder() const { return mFolder.Path() / "data" / "Brightfold" / "Green Atlas" / "GAData"; }

    // Loads "Game" on the loading thread and hands the result over, as the main loop does.
    void LoadGame()
    {
        mApp->StartLoadingThread();
        mApp->WaitForLoadingThread();
        mApp->TryFixedUpdate();
    }

    // The title sequence as the player runs it: the button, a click, the logo. The main
    // menu is shown at its end.
    void PassTitle()
    {
        TitleScreen* const title = mApp->mTitleScreen;
        ASSERT_NE(title, nullptr);
        title->UpdateSmooth(1.0f);
        ASSERT_NE(title->mClickHereButton, nullptr);
        title->OnClickHere();
        for (int frame = 0; frame < 1000 && mApp->mTitleScreen != nullptr; ++frame)
            title->UpdateSmooth(1.0f);
        ASSERT_EQ(mApp->mTitleScreen, nullptr) << "the title never handed over";
        EXPECT_FALSE(mApp->mWidgetManager->HasWidget(title));
        mApp->DeleteDeferredWidgets();
    }

    // A run up to the main menu's first update, in which it checks the profiles.
    void StartToMainMenu()
    {
        ASSERT_NO_FATAL_FAILURE(Start(GREENATLAS_BUILD_DIR));
        LoadGame();
        ASSERT_NO_FATAL_FAILURE(PassTitle());
        ASSERT_NE(mApp->mMainMenu, nullptr);
        mApp->mWidgetManager->UpdateFrame();
    }

    // Typed into the name entry, which has the keyboard focus, and Enter.
    void EnterName(const std::string& name)
    {
        ASSERT_NE(mApp->mPlayerNameEntry, nullptr);
        mApp->mWidgetManager->KeyDown(kBackspaceKey);
        for (const char c : name)
            mApp->mWidgetManager->KeyChar(c);
        mApp->mWidgetManager->KeyDown(kEnterKey);
        mApp->DeleteDeferredWidgets();
    }

    bool MenuButtonsShown() const
    {
        const std::vector<MenuItem*>& items = mApp->mMainMenu->mItems;
        return !items.empty() && std::all_of(items.begin(), items.end(), [](const MenuItem* item) {
            return item->mVisible && item->mFadeState == FADE_IN;
        });
    }

    std::string CurrentName() const
    {
        const PlayerProfile* const profile = mApp->GetCurrentProfile();
        return profile != nullptr ? profile->mName : "(none)";
    }

    fs::path ProfilesFile() const { return DataFolder() / ProfileStore::kFileName; }

    // A profiles.dat of new profiles with these names and that current index.
    void WriteProfilesFile(const std::vector<std::string>& names, const int32_t currentIndex)
    {
        fs::create_directories(DataFolder());
        // A store that never held a profile writes nothing, so an empty list is written here.
        std::string bytes(8, '\0');
        if (!names.empty()) {
            ProfileStore store;
            for (const std::string& name : names)
                store.AddProfile(std::make_unique<PlayerProfile>(name));
            ASSERT_TRUE(store.Save(DataFolder().string() + "/"));
            bytes = ReadFile(ProfilesFile());
        }
        std::string index;
        AppendInt32(index, currentIndex);
        bytes.replace(4, 4, index);
        Tests::WriteBytes(ProfilesFile(), bytes);
    }

    static constexpr int kBackspaceKey = 8;
    static constexpr int kEnterKey = 13;

    std::vector<std::string> BoxTexts() const
    {
        std::vector<std::string> texts;
        for (const Win32::MessageBoxRequest& box : mBoxes)
            texts.push_back(box.text);
        return texts;
    }

    std::unique_ptr<TestGameApp> mApp;
};

} // namespace Tests
