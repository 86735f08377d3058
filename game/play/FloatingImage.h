#pragma once
// A point or cheer popup of a game: a picture that rises or grows for 100 updates and fades
// out over the second half of its life. The session keeps the popups of a game in one list,
// so that the board and the mini-game screen draw the same popups over their own pictures.
// The clock is the update, whatever the frame fraction: one step per smooth update.

#include <cstdint>
#include <memory>
#include <vector>

namespace Zest {
class Graphics;
class Image;
} // namespace Zest

enum FloatingImageKind : int32_t {
    // Climbs one pixel per update.
    FLOAT_RISE = 0,
    // Grows from its own size to twice its size.
    FLOAT_ZOOM = 1,
};

struct FloatingImage {
    // Updates.
    static constexpr float kLife = 100.0f;
    // The popup fades once its life is below this many updates, by kFadeStep per update.
    static constexpr float kFadeLife = 50.0f;
    static constexpr int32_t kFadeStep = 5;
    static constexpr int32_t kOpaque = 255;

    // One update: fade, age and rise. True once the popup's life is over.
    bool Step();
    // `halfSize` draws a rising popup at half size, centred on the same point.
    void Draw(Zest::Graphics* g, bool halfSize) const;

    // A resource picture; not owned.
    Zest::Image* mImage = nullptr;
    int32_t mKind = FLOAT_RISE;
    float mLife = kLife;
    // The centre of the picture in screen coordinates.
    float mX = 0.0f;
    float mY = 0.0f;
    int32_t mAlpha = kOpaque;
};

using FloatingImageList = std::vector<std::unique_ptr<FloatingImage>>;

// One step of every popup. An expired popup is deleted and leaves a null slot, so that the
// others keep their places; the list is emptied once every slot is null.
void StepFloatingImages(FloatingImageList& popups);
// Every popup in list order; the graphics context keeps its colourising and linear blending
// on afterwards.
void DrawFloatingImageList(Zest::Graphics* g, const FloatingImageList& popups, bool halfSize);
