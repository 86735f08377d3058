#pragma once
// The application as the screens see it, one stand-in per concern, shared by every screen
// test (the sounds' and deferred deletions' stand-in is RecordingMenuServices, in
// MenuTestSupport.h). The stand-ins that are asked to do something write to one log, which
// the tests share with the recording menu services, so that the order across concerns shows.

#include "framework/graphics/Color.h"
#include "framework/widgets/ListWidget.h"
#include "framework/widgets/WidgetManager.h"
#include "game/HabitatRegistry.h"
#include "game/PlayerProfile.h"
#include "game/ProfileStore.h"
#include "game/screens/HabitatIndexHost.h"
#include "game/screens/LoadingProgressHost.h"
#include "game/screens/MainMenu.h"
#include "game/screens/MenuServices.h"
#include "game/screens/PlayerNameEntry.h"
#include "game/screens/ProfileHost.h"
#include "game/screens/ScreenNavigationHost.h"
#include "game/screens/SelectProfile.h"
#include "game/screens/TextStyleHost.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Tests {

// What the screens leave in the log.
using Log = std::vector<std::string>;

const Zest::Color kTestTextColor(1, 2, 3);
const Zest::Color kTestHighlightColor(4, 5, 6);
const char* const kTestVersion = "v9.9test";

// The loading as the test sets it.
class FakeLoadingHost : public LoadingProgressHost {
public:
    double GetLoadingProgress() override { return mProgress; }
    bool HasLoadingFailed() const override { return mFailed; }

    double mProgress = 0.0;
    bool mFailed = false;
};

// Colours and a version that no screen has of its own.
class FakeTextStyleHost : public TextStyleHost {
public:
    Zest::Color GetTextColor() const override { return kTestTextColor; }
    Zest::Color GetHighlightTextColor() const override { return kTestHighlightColor; }
    std::string GetVersionText() const override { return kTestVersion; }
};

// Habitats registered under the names of mIndexes, the first of them at mFirstIndex.
class FakeHabitatIndexHost : public HabitatIndexHost {
public:
    int32_t GetHabitatIndexByName(const std::string& name) const override
    {
        const auto found = mIndexes.find(name);
        return found != mIndexes.end() ? found->second : HabitatRegistry::NO_HABITAT;
    }
    int32_t GetFirstHabitatIndex() const override { return mFirstIndex; }

    std::map<std::string, int32_t> mIndexes{{"Amazon", 0}, {"Arctic", 1}, {"Alaska", 2}};
    int32_t mFirstIndex = 0;
};

// The profiles in a ProfileStore. Loading "reads" mFileNames the first time when mFileFound
// is set; saving always succeeds.
class FakeProfileHost : public ProfileHost {
public:
    explicit FakeProfileHost(Log& log) : mLog(log) {}

    PlayerProfile* GetCurrentProfile() const override { return mProfiles.GetCurrentProfile(); }
    void SetCurrentProfileIndex(const int32_t index) override
    {
        mLog.push_back("current profile " + std::to_string(index));
        mProfiles.SetCurrentIndex(index);
    }
    void AddProfile(std::unique_ptr<PlayerProfile> profile) override
    {
        mLog.push_back("add profile '" + profile->mName + "'");
        mProfiles.AddProfile(std::move(profile));
    }
    void DeleteProfile(const int32_t index) override
    {
        mLog.push_back("delete profile " + std::to_string(index));
        mProfiles.DeleteProfile(index);
    }
    void FillProfileList(Zest::ListWidget* const list) override
    {
        mLog.push_back("fill profile list");
        for (int32_t i = 0; i < mProfiles.GetProfileCount(); ++i)
            list->AddLine(mProfiles.GetProfile(i)->mName, false);
    }
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
    bool SaveProfiles() override
    {
        mLog.push_back("save profiles");
        return true;
    }

    ProfileStore mProfiles;
    bool mFileFound = false;
    bool mFileRead = false;
    std::vector<std::string> mFileNames;

private:
    Log& mLog;
};

// The screens the test has opened. Showing a dialog only logs it and marks it open; removing
// the name entry and closing the profile selection take them out of the manager and queue
// their deletion as the application does.
class FakeNavigationHost : public ScreenNavigationHost {
public:
    FakeNavigationHost(Log& log, Zest::WidgetManager& manager) : mLog(log), mManager(manager) {}

    void TitleScreenIsFinished() override { mLog.push_back("title finished"); }
    MainMenu* GetMainMenu() const override { return mMainMenu; }
    void QuitGame() override { mLog.push_back("quit"); }
    void ShowPlayerNameEntry() override
    {
        mLog.push_back("show name entry");
        mNameEntryOpen = true;
    }
    void RemovePlayerNameEntry() override
    {
        mLog.push_back("remove name entry");
        mNameEntryOpen = false;
        Release(std::exchange(mNameEntry, nullptr));
    }
    bool IsPlayerNameEntryOpen() const override { return mNameEntryOpen; }
    void ShowSelectProfile() override { mLog.push_back("show profile selection"); }
    void CloseSelectProfile() override
    {
        mLog.push_back("close profile selection");
        Release(std::exchange(mSelectProfile, nullptr));
    }
    SelectProfile* GetSelectProfile() const override { return mSelectProfile; }
    void StartGameSession(const int32_t continueFlag, const int32_t habitatIndex) override
    {
        mLog.push_back("start game " + std::to_string(continueFlag) + " " + std::to_string(habitatIndex));
    }
    void ShowAwardsScreen(const int32_t newAward) override
    {
        mLog.push_back("show awards " + std::to_string(newAward));
    }
    void ShowOptionsMenu() override { mLog.push_back("show options"); }
    void ShowHowToPlay() override { mLog.push_back("show how to play"); }

    bool mNameEntryOpen = false;
    // Not owned.
    MainMenu* mMainMenu = nullptr;
    PlayerNameEntry* mNameEntry = nullptr;
    SelectProfile* mSelectProfile = nullptr;

private:
    // A dialog no longer in the manager is still the test's.
    void Release(Zest::Widget* const dialog)
    {
        if (dialog == nullptr || dialog->mParent == nullptr)
            return;
        mManager.RemoveWidget(dialog);
        GetMenuServices().DeferDeleteWidget(dialog);
    }

    Log& mLog;
    Zest::WidgetManager& mManager;
};

} // namespace Tests
