#pragma once
// The game's application object: it names the product and asks the framework for its
// window, display and frame timing, creates the physics world, runs the game's half of
// start-up (data folder, options and high scores, the resource manifest, the groups "Init"
// and "TitleScreen", the string table, the cursors, the title screen), loads the group
// "Game" on the loading thread while the title shows the progress, builds the habitats and
// shows the main menu when the title is done, steps the physics world once per drawn frame,
// and saves the player's files at shutdown. It keeps the player profiles, opens and closes
// the game's screens and offers the small services every screen uses.
//
// There is one per process, reached through GameAppHolder.

#include "framework/app/ZestAppBase.h"
#include "framework/graphics/Color.h"
#include "game/AppResourceSource.h"
#include "game/GameRandom.h"
#include "game/HabitatRegistry.h"
#include "game/ProfileStore.h"
#include "game/play/PlayHost.h"
#include "game/screens/AwardsScreenHost.h"
#include "game/screens/CreditsHost.h"
#include "game/screens/HabitatIndexHost.h"
#include "game/screens/HowToPlayHost.h"
#include "game/screens/LoadingProgressHost.h"
#include "game/screens/OptionsMenuHost.h"
#include "game/screens/ProfileHost.h"
#include "game/screens/ReceivingAwardsHost.h"
#include "game/screens/ScreenNavigationHost.h"
#include "game/screens/StoryHost.h"
#include "game/screens/TextStyleHost.h"

#include <loki/Singleton.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Zest {
class Graphics;
class Image;
class ListWidget;
class ResourceManager;
} // namespace Zest

class AnimatedWidget;
class AwardsScreen;
class CreditsMenu;
class GameSession;
class HowToPlay;
class MainMenu;
class OptionsMenu;
class PlayerNameEntry;
class PlayerProfile;
class ReceivingAwardsScreen;
class SelectProfile;
class StoryScreens;
class TitleScreen;

class GameApp : public Zest::ZestAppBase,
                public LoadingProgressHost,
                public ScreenNavigationHost,
                public ProfileHost,
                public TextStyleHost,
                public HabitatIndexHost,
                public PlayHost,
                public StoryHost,
                public ReceivingAwardsHost,
                public AwardsScreenHost,
                public CreditsHost,
                public OptionsMenuHost,
                public HowToPlayHost {
public:
    // The resource groups the game loads by name.
    static constexpr const char* kInitGroup = "Init";
    static constexpr const char* kTitleScreenGroup = "TitleScreen";
    static constexpr const char* kGameGroup = "Game";
    static constexpr const char* kMainMenuGroup = "Main_Menu";
    static constexpr const char* kManifestFile = "properties\\resources_demo.xml";
    // The players' files lie in this folder inside the application-data folder.
    static constexpr const char* kDataFolderName = "GAData";
    static constexpr const char* kNoDataAccessMessage =
        "No full access to Data folder, no save game will be available !";
    // Song ids of the music interface.
    static constexpr int32_t kTitleSong = 0;
    static constexpr const char* kTitleMusicFile = "music/title.ogg";
    // The single-precision 0.7 of every music fade, widened.
    static constexpr double kMusicFadeSpeed = static_cast<double>(0.7f);
    static constexpr int32_t kMapPointCount = 10;

    GameApp();
    // Stops as an orderly shutdown would (the files are saved), then takes the screens out
    // (a running game session among them, whose entities need the physics world) and
    // destroys the physics world before the framework's part goes.
    ~GameApp() override;

    // The framework's start-up, then the game's. A resource error here ends the process; a
    // string table that cannot be read shuts down with mExitStatus 1.
    void Init() override;
    // Loads "Game" resource by resource, counting mLoadingDone.
    void LoadingThreadProc() override;
    // After a failed load of "Game" (already reported) the game shuts down with mExitStatus 1.
    void OnLoadingThreadCompleted() override;
    // Steps the physics world by mPhysicsStep, then the widgets' smooth update; neither
    // happens while updates are paused.
    void RunSmoothUpdate(float fraction) override;
    // Stores a running game in its profile (unless it was saved and left), gives back a
    // mute its pause holds, writes profiles.dat (when the profiles were loaded or created in
    // this run), then options.dat and scoreslists.dat.
    void OnShutdown() override;
    // A running game that was frozen meanwhile goes on.
    void OnGotFocus() override;
    // A running game pauses, when it can (GameSession::ShowPauseMenu).
    void OnLostFocus() override;
    // An open options menu's full-screen box follows the new mode, without acting on it.
    void OnBeforeDisplayInit() override;

    // Loading progress: the framework's count of the resources of "Game".
    double GetLoadingProgress() override;
    bool HasLoadingFailed() const override;

    // Screen navigation: the title, the main menu and the dialogs over it, one of each at most.
    void TitleScreenIsFinished() override;
    MainMenu* GetMainMenu() const override { return mMainMenu; }
    // The options panel (GameAppOptions.cpp), centred; one at a time. Over a game the
    // pause menu steps out of the widget tree until the options close.
    void ShowOptionsMenu() override;
    // Takes it out of the widget tree (it is deleted after the current update) and puts a
    // game's pause menu back. Nothing when none is open.
    void RemoveOptionsMenu() override;
    // The how-to-play pages (GameAppHowToPlay.cpp), centred; one at a time.
    void ShowHowToPlay() override;
    // Takes them out of the widget tree; they are deleted after the current update. Nothing
    // when none are open.
    void RemoveHowToPlay() override;
    void QuitGame() override;
    void ShowPlayerNameEntry() override;
    void RemovePlayerNameEntry() override;
    bool IsPlayerNameEntryOpen() const override { return mPlayerNameEntry != nullptr; }
    void ShowSelectProfile() override;
    void CloseSelectProfile() override;
    SelectProfile* GetSelectProfile() const override { return mSelectProfile; }
    // Stops all music, adds a new session over the whole window and hides the main menu.
    // Nothing for HabitatRegistry::NO_HABITAT: there is no habitat to play.
    void StartGameSession(int32_t continueFlag, int32_t habitatIndex) override;
    // Takes the running session and an open story page out of the widget tree (they are
    // deleted after the current update); nothing when no session runs.
    void RemoveGameSession() override;
    // After a game: the kept main menu comes back (RestoreMainMenu), its buttons fade in
    // again and the title music plays.
    void ReturnToMainMenu() override;
    // After a ranking game over: the main menu's high-score table opens on that row.
    void ShowHighScores(int32_t highlightRow) override;
    void MarkGameSavedAndLeft() override { mGameSavedAndLeft = true; }
    // The pause's mute: ZestAppBase::Mute and Unmute, not automatic.
    void MuteSound() override;
    void UnmuteSound() override;

    // Profiles: mProfiles, and profiles.dat in the data folder. The screens and the game in
    // play ask for the current profile alike.
    PlayerProfile* GetCurrentProfile() const override { return mProfiles.GetCurrentProfile(); }
    void SetCurrentProfileIndex(int32_t index) override { mProfiles.SetCurrentIndex(index); }
    void AddProfile(std::unique_ptr<PlayerProfile> profile) override;
    void DeleteProfile(int32_t index) override;
    void FillProfileList(Zest::ListWidget* list) override;
    bool LoadProfiles() override;
    bool SaveProfiles() override;

    // Text style: dark brown texts, dark red highlights, and mProductVersion.
    Zest::Color GetTextColor() const override;
    Zest::Color GetHighlightTextColor() const override;
    std::string GetVersionText() const override { return mProductVersion; }

    // Habitat indexes: mHabitats.
    int32_t GetHabitatIndexByName(const std::string& name) const override;
    int32_t GetFirstHabitatIndex() const override;

    // Loads "Main_Menu", adds the main menu over the whole window and starts the title music.
    void ShowMainMenu();
    // Takes the main menu out of the widget tree for good and releases "Main_Menu".
    void RemoveMainMenu();
    // Takes the main menu out of the widget tree while a game runs, keeping it, with its
    // profile check off, and releases "Main_Menu".
    void HideMainMenu();
    // Loads "Main_Menu" again and puts the kept main menu back, its profile check on.
    void RestoreMainMenu();
    // A failure ends the process.
    void LoadMainMenuResources();
    void UnloadMainMenuResources();

    // The game in play: the session, the habitats through mHabitats, the game's random
    // generator, the physics step, the score carried to the next session, the cursor and
    // the music.
    GameSession* GetGameSession() const override { return mGameSession; }
    std::string GetHabitatNameByIndex(int32_t index) const override;
    Habitat* GetHabitat(const std::string& name) const override;
    void LoadHabitatResources(const std::string& name) override;
    void UnloadHabitatResources(const std::string& name) override;
    GameRandom& GetGameRandom() override { return mRandom; }
    void SetPhysicsStep(float step) override { mPhysicsStep = step; }
    void SetCarriedScore(int32_t score) override { mCarriedScore = score; }
    void SetCursor(int32_t kind) override { ZestAppBase::SetCursor(kind); }
    void StopAllMusic() override;
    // Without the song the game plays in silence.
    void PlayHabitatMusic(const Habitat& habitat) override;
    void FadeInSong(int32_t songId, const std::string& fileName, bool loop) override;
    const TextStyleHost& GetTextStyle() const override { return *this; }
    bool IsStoryScreenOpen() const override { return mStoryScreens != nullptr; }
    int32_t GetHabitatCount() const override { return mHabitats.GetHabitatCount(); }

    // A fresh story page over the running game, on the story parchment's place; one at a
    // time. The caller chooses its kind.
    StoryScreens* ShowStoryScreens() override;

    // The running game under a story page (GameAppStory.cpp); a session runs while a page
    // is open.
    int32_t GetSessionHabitatIndex() const override;
    void CollectIntroItem(IntroItem item) override;
    void SetSessionState(int32_t state) override;
    void SetBoardPhase(int32_t phase) override;
    void CreateHudButtons() override;
    void CheckFrame() override;
    void SetElementsBlink(bool on) override;
    void SetBackpackBlink(bool on) override;
    void InfectRandomTile() override;
    void ResumeBoard() override;
    // The open page leaves the widget tree and is deleted after the current update.
    void RemoveStoryScreens() override;

    // The widget manager's last mouse position.
    std::pair<float, float> GetMousePos() const override;
    // The world-map point of a habitat index (0 to kMapPointCount - 1); (0, 0) outside.
    std::pair<float, float> GetMapPoint(int32_t index) const override;
    // Prepares a sprite to play the image's strip (see the free SetupAnimatedWidget).
    void SetupAnimatedWidget(AnimatedWidget& widget, Zest::Image* image) const override;

    // The awards' texts from the string table, and their pictures (see Awards.h).
    std::string GetAwardName(int32_t index) const override;
    std::string GetAwardDescription(int32_t index) const override;
    void DrawAward(int32_t index, Zest::Graphics* g, float x, float y, bool halfSize, const Zest::Color& textColor,
                   bool withName) const override;

    // The awards and the end of a habitat (GameAppAwards.cpp).
    // Opens the awards screen over everything, granting `newAward` (-1 grants nothing);
    // one at a time.
    void ShowAwardsScreen(int32_t newAward) override;
    // Takes it out of the widget tree; it is deleted after the current update. Nothing when
    // none is open.
    void RemoveAwardsScreen() override;
    bool IsAwardsScreenOpen() const override { return mAwardsScreen != nullptr; }
    // Opens the receiving-awards screen after a level report, before `nextLevel`.
    void ShowReceivingAwardsScreen(int32_t nextLevel) override;
    // Takes it out of the widget tree; it is deleted after the current update. Nothing when
    // none is open.
    void RemoveReceivingAwardsScreen() override;
    ReceivingAwardsScreen* GetReceivingAwardsScreen() const override { return mReceivingAwards; }
    const GameStats* GetSessionStats() const override;
    bool IsGameRunning() const override { return mGameSession != nullptr; }
    void CloseNewAward() override;
    // A new game of the habitat, with the score the last one ended with.
    void StartNextHabitat(int32_t level) override;
    // The credits over everything (GameAppCredits.cpp); one at a time.
    void ShowCredits() override;
    // Takes them out of the widget tree; they are deleted after the current update.
    // Nothing when none are open.
    void RemoveCredits() override;
    // Back on the credits: the kept options menu comes back over them when there is one,
    // else the credits only close.
    void BackFromCredits() override;
    void PlaySongOnce(int32_t songId, const std::string& fileName) override;
    void SetPointerImage(Zest::Image* image) override;

    // What the options menu changes beyond the options record (GameAppOptions.cpp).
    void SetMusicVolume(double volume) override { ZestAppBase::SetMusicVolume(volume); }
    void SetSfxVolume(double volume) override { ZestAppBase::SetSfxVolume(volume); }
    bool IsWindowed() const override { return mWindowed; }
    void SetFullScreen(bool fullScreen) override;
    void MuteOnPauseChanged(bool muteOnPause) override;
    // Writes profiles.dat at once, so that a crash does not bring the seen tips back.
    void ShowAllTipsAgain() override;

    // Owned through the widget tree while it is shown; null once it has handed over.
    TitleScreen* mTitleScreen = nullptr;
    // Owned; null before the title has handed over and after Quit.
    MainMenu* mMainMenu = nullptr;
    // Owned; null while the name entry is closed.
    PlayerNameEntry* mPlayerNameEntry = nullptr;
    // Owned; null while the profile selection is closed.
    SelectProfile* mSelectProfile = nullptr;
    // Owned through the widget tree; null while no game runs.
    GameSession* mGameSession = nullptr;
    // Owned through the widget tree; null while no story or tip page is open.
    StoryScreens* mStoryScreens = nullptr;
    // Owned through the widget tree; null while closed.
    AwardsScreen* mAwardsScreen = nullptr;
    ReceivingAwardsScreen* mReceivingAwards = nullptr;
    CreditsMenu* mCreditsMenu = nullptr;
    // Owned through the widget tree; null while closed. It stays set while the menu steps
    // aside for the credits.
    OptionsMenu* mOptionsMenu = nullptr;
    // Owned through the widget tree; null while closed.
    HowToPlay* mHowToPlay = nullptr;
    // Every player profile and the current one.
    ProfileStore mProfiles;
    GameRandom mRandom;
    // The song now playing, -1 for none.
    int32_t mCurrentMusic = -1;
    AppResourceSource mResourceSource{*this};
    // The habitats, built when the title is done.
    HabitatRegistry mHabitats{mResourceSource};
    std::vector<std::pair<float, float>> mMapPoints;
    // The time step, in updates, handed to the physics world on every smooth update.
    float mPhysicsStep = 0.01f;
    // The score of the last game session, which the next habitat's session starts from.
    int32_t mCarriedScore = 0;
    // The running game was saved as the player left it; shutdown does not store it again.
    // A new game clears it.
    bool mGameSavedAndLeft = false;
    // The folder of the players' files, ending in a separator; empty until Init sets it.
    std::string mDataFolder;
    // What the program ends with: 0, or 1 once the game had to stop for an error.
    int32_t mExitStatus = 0;

private:
    // The application-data folder's GAData, made and checked for writing.
    void CreateDataFolder();
    // options.dat and scoreslists.dat; a damaged file is reported and left alone.
    void LoadPlayerFiles();
    // Loads the group and fills its resource variables; any failure ends the process.
    void LoadResourceGroup(const char* group, bool (*extract)(Zest::ResourceManager&));
    void SetCustomCursorImages();
    void PlayTitleMusic();
    // Takes the profile selection out of the widget tree and queues its deletion.
    void RemoveSelectProfile();
    // Shows the message, then shuts down with a failed exit status.
    void StopWithError(const std::string& message);
};

// The application, made on first use. main destroys it before returning, with
// Loki::DeletableSingleton<GameApp>::GracefulDelete: at exit, objects the framework makes
// on first use (the single-instance lock's table, the allocator of the menus' actions) may
// already be gone, and the application's destructor still needs them.
using GameAppHolder = Loki::SingletonHolder<GameApp, Loki::CreateUsingNew, Loki::DeletableSingleton>;
