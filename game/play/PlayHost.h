#pragma once
// What the game session, its board and the tiles ask of the application: the running
// session, the profile and habitats, the world-map points, sprites, the random generator,
// the physics step, the score carried to the next session, the mouse and cursor, the music
// and its mute, the text style of the screens a game opens, and the way back to the main
// menu and its high-score table. Sounds and the deferred deletion go through MenuServices as
// for every screen.

#include <cstdint>
#include <string>
#include <utility>

namespace Zest {
class Image;
}

class AnimatedWidget;
class GameRandom;
class GameSession;
class Habitat;
class PlayerProfile;
class StoryScreens;
class TextStyleHost;

class PlayHost {
public:
    virtual ~PlayHost() = default;

    // The running session; null when none runs.
    virtual GameSession* GetGameSession() const = 0;
    // Null when no profile is current.
    virtual PlayerProfile* GetCurrentProfile() const = 0;
    // Writes profiles.dat; a failure is reported to the player.
    virtual bool SaveProfiles() = 0;
    virtual std::string GetHabitatNameByIndex(int32_t index) const = 0;
    // The smallest registered habitat index; -1 while none is registered.
    virtual int32_t GetFirstHabitatIndex() const = 0;
    // Registered habitats; their indexes run from 0 to this - 1.
    virtual int32_t GetHabitatCount() const = 0;
    // Window pixels of a habitat index's point on the world map; (0, 0) outside the points.
    virtual std::pair<float, float> GetMapPoint(int32_t index) const = 0;
    // Null for an unknown name.
    virtual Habitat* GetHabitat(const std::string& name) const = 0;
    // A habitat group that cannot be loaded ends the program.
    virtual void LoadHabitatResources(const std::string& name) = 0;
    virtual void UnloadHabitatResources(const std::string& name) = 0;
    // Prepares a sprite to play the image's strip, ready and on its first cell.
    virtual void SetupAnimatedWidget(AnimatedWidget& widget, Zest::Image* image) const = 0;
    virtual GameRandom& GetGameRandom() = 0;
    // The physics world's step, in updates, from the next smooth update on.
    virtual void SetPhysicsStep(float step) = 0;
    // The score a finished session hands to the next one.
    virtual void SetCarriedScore(int32_t score) = 0;
    // The widget manager's last mouse position.
    virtual std::pair<float, float> GetMousePos() const = 0;
    // 0 the standard arrow, 11 none.
    virtual void SetCursor(int32_t kind) = 0;
    virtual void StopAllMusic() = 0;
    // Loads the habitat's song and fades it in, looping.
    virtual void PlayHabitatMusic(const Habitat& habitat) = 0;
    // Loads the song under its id and, when it loads, makes it the current track and fades
    // it in from the start.
    virtual void FadeInSong(int32_t songId, const std::string& fileName, bool loop) = 0;
    // Loads the song under its id and, when it loads, plays it once from the start; the
    // current track stays what it was.
    virtual void PlaySongOnce(int32_t songId, const std::string& fileName) = 0;
    // The pointer's picture (the normal pointer's cursor kind).
    virtual void SetPointerImage(Zest::Image* image) = 0;
    // Opens a fresh story page over the game, for the session to give its kind; no other
    // page may be open.
    virtual StoryScreens* ShowStoryScreens() = 0;
    // The colours and version text the screens of a game write with.
    virtual const TextStyleHost& GetTextStyle() const = 0;
    // A story or tip page is open over the game.
    virtual bool IsStoryScreenOpen() const = 0;

    // Takes the running session (and an open story page) out of the widget tree; it is
    // deleted after the current update.
    virtual void RemoveGameSession() = 0;
    // The main menu comes back after a game, with its buttons and the title music.
    virtual void ReturnToMainMenu() = 0;
    // Opens the main menu's high-score table with that row highlighted; the main menu is
    // shown.
    virtual void ShowHighScores(int32_t highlightRow) = 0;
    // The partner's call, the memo and the habitat's award after a finished level, before
    // the level `nextLevel`; the finished game is gone.
    virtual void ShowReceivingAwardsScreen(int32_t nextLevel) = 0;
    // Opens the awards screen over everything, granting that award; and whether one is open.
    virtual void ShowAwardsScreen(int32_t newAward) = 0;
    virtual bool IsAwardsScreenOpen() const = 0;
    // The running game is in the profile as the player left it: the program's end does not
    // store it again.
    virtual void MarkGameSavedAndLeft() = 0;
    // One count of the application's mute, taken and given back by the pause.
    virtual void MuteSound() = 0;
    virtual void UnmuteSound() = 0;
    // The options panel over the paused game, which steps the pause menu aside until the
    // options close.
    virtual void ShowOptionsMenu() = 0;
};
