#pragma once
// The game's one sprite: it plays the cells of an image strip (cells stacked in the rows of
// the image's first column), each cell shown for its own number of updates, and can spin,
// scale, tint, cast a shadow and add an additive pass. Most owners keep sprites as plain
// members, call Update and Draw themselves and read mStatus to learn when a strip has
// finished; a sprite can also live in the widget tree, where the manager makes the same calls.

#include "framework/graphics/Color.h"
#include "framework/widgets/Widget.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace Zest {
class Graphics;
class Image;
} // namespace Zest

// The status a sprite and its owner share.
enum AnimStatus : int32_t {
    ANIM_RUNNING = 0,
    // Prepared but not started.
    ANIM_READY = 1,
    // A play-once strip reached its end cell, where it stays.
    ANIM_FINISHED = 2,
};

enum PlayMode : int32_t {
    PLAY_LOOP = 0,
    PLAY_ONCE = 1,
    PLAY_LOOP_BACKWARD = 2,
    PLAY_ONCE_BACKWARD = 3,
};

// The sprite's own fields, kept apart from the widget base so that a copy takes all of them:
// widgets cannot be copied (their links belong to one place in one tree), but owners keep
// sprites in vectors. Owners write these fields directly.
struct AnimatedWidgetState {
    int32_t mStatus = ANIM_RUNNING;
    // Updates count towards the next cell only while set.
    bool mPlaying = true;
    int32_t mPlayMode = PLAY_LOOP;
    // Updates counted since the last cell step.
    int32_t mTick = 0;
    // The current cell, counted from the top row of the strip.
    int32_t mFrame = 0;
    // How many updates past the first each cell stays: a cell of delay d shows for d + 1.
    std::vector<int32_t> mFrameDelays;
    // Not owned.
    Zest::Image* mImage = nullptr;
    bool mSpinning = false;
    bool mSpinPaused = false;
    // Radians; owners also set it directly for a fixed rotation.
    double mAngle = 0.0;
    // Radians added to mAngle per update.
    float mSpinSpeed = 1.0f;
    // Uniform, about the cell's centre.
    float mScale = 1.0f;
    // When not -1, a looping strip wraps at this cell count (never past the playable cells).
    int32_t mFrameLimit = -1;
    // -1: Draw draws at once; otherwise the cell is drawn in the overlay pass at this priority.
    int32_t mOverlayPriority = -1;
    // After the main pass, the cell is drawn once more in additive mode.
    bool mAdditive = false;
    Zest::Color mShadowColor = Zest::Color::Black;
    // Tint of the main and additive passes; it shows only while the Graphics colourises.
    Zest::Color mColor = Zest::Color::White;
    // Pixels; the fractions are dropped when drawing.
    float mShadowOffsetX = 0.0f;
    float mShadowOffsetY = 0.0f;
    bool mShadow = false;
};

class AnimatedWidget : public Zest::Widget, public AnimatedWidgetState {
public:
    AnimatedWidget() = default;
    // A copy has the source's sprite fields (its own delay list, the same image), rectangle,
    // visibility and disabled flag, but no place in a widget tree.
    AnimatedWidget(const AnimatedWidget& other);
    AnimatedWidget& operator=(const AnimatedWidget& other);
    ~AnimatedWidget() override = default;

    // A null image is ignored: the old one stays.
    void SetImage(Zest::Image* image);
    void AddFrameDelay(int32_t delay);
    // Appends the delays in order, for example AddFrameDelayList({3, 3, 8}).
    void AddFrameDelayList(std::initializer_list<int32_t> delays);
    void AddFrameDelays(const std::vector<int32_t>& delays);
    // The cells that can be played: the smaller of the strip's rows and the delays; 0
    // without an image.
    int32_t GetFrameCount() const;
    // Back to cell 0, or -1 when no cell can be played; the status and tick stay.
    void ResetFrame();
    // Turns spinning on at value / 360 radians per update; 0 gives a rotation that only the
    // owner changes, through mAngle.
    void SetSpinSpeed(float value);
    void SetColor(const Zest::Color& color);

    // One step of the clock: counts the update, turns the sprite and steps the cell by the
    // play mode once the current cell's delay has passed.
    void Update() override;
    // Draws at once, or defers to the overlay pass when mOverlayPriority is set.
    void Draw(Zest::Graphics* g) override;
    // Draws the current cell centred in the widget's rectangle.
    void DrawOverlay(Zest::Graphics* g) override;

private:
    void StepFrame();
    // The cell count at which a looping strip wraps.
    int32_t GetLoopLimit() const;
    void CopyWidgetFields(const AnimatedWidget& other);
};

// Degrees to radians with the game's factor, 3.14152 / 180 (slightly less than pi / 180).
float DegToRad(float degrees);

// Prepares a sprite to play the strip once it is started: the image's animation delays and
// loop mode when it has them, otherwise 6 updates for every row, played once; cell 0 (or -1
// when nothing can be played), status ANIM_READY, and the size of one cell at (0, 0) for the
// owner to place. A null image only sets the mode, the cell and the status: without an image
// there are no delays to take and no cell size.
void SetupAnimatedWidget(AnimatedWidget& widget, Zest::Image* image);
