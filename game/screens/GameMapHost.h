#pragma once
// What the world map asks of the game that opens it: where the habitats lie on the map and
// how they are labelled, how far the player has come, the map's music, and the way back
// into the game once the player presses Done.

#include <cstdint>
#include <string>
#include <utility>

namespace Zest {
class Image;
}

class GameMapHost {
public:
    virtual ~GameMapHost() = default;

    // The habitats' places: window pixels of a habitat index's point on the map, (0, 0) for
    // an index without one; the number of registered habitats (indexes 0 to that - 1); the
    // name label of a habitat index, null for an index no habitat has.
    virtual std::pair<float, float> GetMapPoint(int32_t index) const = 0;
    virtual int32_t GetHabitatCount() const = 0;
    virtual Zest::Image* GetHabitatLabel(int32_t index) const = 0;

    // The current profile's habitats completed (the last completed index + 1; -1 before the
    // first), as the profile holds it: a damaged file may give any number.
    virtual int32_t GetNextLevel() const = 0;

    virtual void StopAllMusic() = 0;
    // Loads the song under its id and, when it loads, makes it the current track and fades
    // it in; without the file the map stays silent.
    virtual void FadeInSong(int32_t songId, const std::string& fileName, bool loop) = 0;

    // The player pressed Done: the game takes the map away and starts the level. The map is
    // still in the widget tree during this call.
    virtual void OnGameMapDone() = 0;
};
