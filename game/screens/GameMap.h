#pragma once
// The world map shown before the first stage of a habitat: the habitats already reached
// with their flags, name labels and awards, and, on the way to a new habitat, a plane that
// flies from the previous habitat's point to the new one leaving a dashed trail, to music.
// On arrival a rainbow plays over the destination and a Done button lets the game start the
// level. The whole map draws in the overlay pass, above the session's own drawing.

#include "framework/graphics/Matrix3.h"
#include "game/AnimatedWidget.h"
#include "game/screens/BasicMenu.h"

#include <cstdint>

namespace Zest {
class Graphics;
class Image;
class WidgetManager;
} // namespace Zest

class GameMapHost;
class TextStyleHost;

class GameMap : public BasicMenu {
public:
    // The map, its Done button and the rainbow draw at this overlay priority.
    static constexpr int32_t kOverlayPriority = 55;
    // Smooth updates the plane takes from one point to the next; the trail grows by a dash
    // every kDashUpdates, kFlightDashes dashes in all.
    static constexpr float kFlightUpdates = 600.0f;
    static constexpr int32_t kDashUpdates = 30;
    static constexpr float kFlightDashes = 20.0f;
    // A next-level number from which the map stands still and offers no Done button.
    static constexpr int32_t kStillNextLevel = 10;
    // Songs of the music interface, and their files.
    static constexpr int32_t kFlightSong = 11;
    static constexpr int32_t kEngineSong = 12;
    static constexpr int32_t kMedalSong = 13;
    static constexpr const char* kFlightMusicFile = "music/fly_orchestra.ogg";
    static constexpr const char* kEngineMusicFile = "music/plane_engine.ogg";
    static constexpr const char* kMedalMusicFile = "music/medal_loop.ogg";

    // The hosts must outlive the map. `continued`: the game continues a saved one, so Done
    // is offered at once. `fly`: the plane flies to `habitatIndex` from the habitat before
    // it. Stops all music and starts the map's own.
    GameMap(GameMapHost& host, const TextStyleHost& textStyle, bool continued, bool fly, int32_t habitatIndex);
    ~GameMap() override = default;

    // A continued game gets its Done button at once.
    void AddedToManager(Zest::WidgetManager* manager) override;
    // The rainbow, the plane and the trail; the Done button once the flight is over.
    void UpdateSmooth(float fraction) override;
    void Draw(Zest::Graphics* g) override;
    void DrawOverlay(Zest::Graphics* g) override;

    // Adds the Done button, plays the arrival sound and starts the rainbow; nothing once
    // the button is there.
    void CreateDoneButton();
    // The Done button's action.
    void OnDone();

    // The Done button exists.
    bool mArrived = false;
    // Smooth updates counted while the map moves.
    int32_t mCounter = 0;
    bool mContinue;
    // Trail dashes shown so far, and the dashes of the whole flight.
    int32_t mStepsShown = 0;
    int32_t mFlightSteps = 0;
    // One trail dash: a twentieth of the way, in pixels.
    Zest::Vector2 mVelocity;
    // Window pixels.
    Zest::Vector2 mStart;
    Zest::Vector2 mPlanePos;
    // Where the destination's flag is drawn: 5 pixels left of and 35 above its point.
    Zest::Vector2 mFlagPos;
    // Pixels per smooth update.
    float mSpeed = 0.0f;
    AnimatedWidget mRainbow;
    int32_t mHabitatIndex;
    bool mFly;

private:
    // The profile's next-level number as far as registered habitats reach: 0 to their count.
    int32_t GetReachedCount() const;
    void DrawReachedHabitats(Zest::Graphics* g) const;
    void DrawTrailAndPlane(Zest::Graphics* g) const;
    // Centred on the destination's flag, while it plays.
    void DrawRainbow(Zest::Graphics* g);
    void DrawScanLines(Zest::Graphics* g) const;

    GameMapHost& mHost;
    const TextStyleHost& mTextStyle;
};
