#pragma once
// Recorders for the game in play: the sounds it plays, and a screen that notes every
// picture drawn on it instead of drawing it.

#include "framework/graphics/Color.h"
#include "framework/graphics/Image.h"
#include "framework/graphics/Geometry.h"
#include "game/screens/MenuServices.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace Tests {

// Records the sounds played and passes the deferred deletions on to the application.
class SoundLog : public MenuServices {
public:
    explicit SoundLog(MenuServices& application) : mApplication(application) {}

    void PlaySoundEffect(const int soundId) override { mSounds.push_back(soundId); }
    void DeferDeleteWidget(Zest::Widget* const widget) override { mApplication.DeferDeleteWidget(widget); }

    MenuServices& mApplication;
    std::vector<int> mSounds;
};

// One picture drawn, relative to the screen's origin: its unclipped top-left corner, or,
// for a matrix draw, the point its centre lands on.
struct Blit {
    const Zest::Image* mSource;
    float mX;
    float mY;
    Zest::Color mColor;
    double mAngle = 0.0;
    float mCentreX = 0.0f;
    float mCentreY = 0.0f;
    // The destination rectangle the draw covered after clipping (plain draws only).
    Zest::Rect mCovered;
};

// A screen that records the pictures drawn on it by whichever drawing slot, and counts its
// lines. Positions are taken relative to (originX, originY).
class RecordingScreen : public Zest::Image {
public:
    RecordingScreen(const int width, const int height, const int originX = 0, const int originY = 0)
        : mOriginX(originX), mOriginY(originY)
    {
        mWidth = width;
        mHeight = height;
    }

    void Blt(Image* src, const int x, const int y, const Zest::Rect& srcRect, const Zest::Color& color,
             int) override
    {
        // A clipped draw starts inside its source by as much as it was cut at the top left.
        Record({src, static_cast<float>(x - srcRect.mX), static_cast<float>(y - srcRect.mY), color, 0.0, 0.0f, 0.0f,
                Zest::Rect(x, y, srcRect.mWidth, srcRect.mHeight)});
    }
    void BltRotated(Image* src, const float x, const float y, const Zest::Rect&, const Zest::Rect&,
                    const Zest::Color& color, int, const double angle, const float centreX,
                    const float centreY) override
    {
        Record({src, x, y, color, angle, centreX, centreY, {}});
    }
    void BltAtFloat(Image* src, const float x, const float y, const Zest::Rect&, const Zest::Rect&,
                    const Zest::Color& color, int) override
    {
        Record({src, x, y, color, 0.0, 0.0f, 0.0f, {}});
    }
    void BltMatrix(Image* src, const float x, const float y, const Zest::Matrix3&, const Zest::Rect&,
                   const Zest::Color& color, int, const Zest::Rect&, bool) override
    {
        Record({src, x, y, color, 0.0, 0.0f, 0.0f, {}});
    }
    void StretchBlt(Image* src, const Zest::Rect& destRect, const Zest::Rect&, const Zest::Rect&,
                    const Zest::Color& color, int, bool) override
    {
        Record({src, static_cast<float>(destRect.mX), static_cast<float>(destRect.mY), color, 0.0, 0.0f, 0.0f, {}});
    }
    void BltMirror(Image* src, const int x, const int y, const Zest::Rect&, const Zest::Color& color, int) override
    {
        Record({src, static_cast<float>(x), static_cast<float>(y), color, 0.0, 0.0f, 0.0f, {}});
    }
    void StretchBltMirror(Image* src, const Zest::Rect& destRect, const Zest::Rect&, const Zest::Rect&,
                          const Zest::Color& color, int, bool) override
    {
        Record({src, static_cast<float>(destRect.mX), static_cast<float>(destRect.mY), color, 0.0, 0.0f, 0.0f, {}});
    }
    void DrawLine(double, double, double, double, const Zest::Color&, int) override { ++mLines; }

    // Every draw of the picture, in order.
    std::vector<Blit> Of(const Zest::Image* const source) const
    {
        std::vector<Blit> found;
        std::copy_if(mBlits.begin(), mBlits.end(), std::back_inserter(found),
                     [source](const Blit& blit) { return blit.mSource == source; });
        return found;
    }

    // The first draw of the picture, or null.
    const Blit* Find(const Zest::Image* const source) const
    {
        const auto found =
            std::find_if(mBlits.begin(), mBlits.end(), [source](const Blit& blit) { return blit.mSource == source; });
        return found != mBlits.end() ? &*found : nullptr;
    }

    std::vector<Blit> mBlits;
    int mLines = 0;

private:
    void Record(Blit blit)
    {
        blit.mX -= static_cast<float>(mOriginX);
        blit.mY -= static_cast<float>(mOriginY);
        mBlits.push_back(blit);
    }

    int mOriginX;
    int mOriginY;
};

} // namespace Tests
