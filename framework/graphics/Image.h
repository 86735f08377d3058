#pragma once
// The abstract picture: a size, a grid of animation cels, optional animation timing, and
// the drawing operations every drawing call ends in. The base operations draw nothing (or
// decompose into simpler ones); MemoryImage draws them in software.

#include "framework/graphics/Color.h"
#include "framework/graphics/Geometry.h"
#include "framework/graphics/TriVertex.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Zest {

class Matrix3;

// Animation timing of an image.
struct AnimInfo {
    static constexpr int32_t ANIM_NONE = 0;
    static constexpr int32_t ANIM_ONCE = 1;
    static constexpr int32_t ANIM_PING_PONG = 2;
    static constexpr int32_t ANIM_LOOP = 3;

    int32_t mAnimType = ANIM_NONE;
    int32_t mFrameDelay = 1;
    int32_t mNumCels = 1;
    // Delay of each frame; empty = every frame takes mFrameDelay.
    std::vector<int32_t> mPerFrameDelay;
    // Frame index to cel index; empty = identity.
    std::vector<int32_t> mFrameMap;
    int32_t mTotalAnimTime = 0;

    // Grows the delays to frame + 1 entries (new ones 0) and sets one.
    void SetPerFrameDelay(int frame, int delay);
    // Completes the timing once the manifest's attributes are read.
    void Compute(int numCels, int beginFrameTime, int endFrameTime);
};

class Image {
public:
    Image() = default;
    // Copies the size, the cel grid and the animation; not the file path.
    Image(const Image& other);
    Image& operator=(const Image&) = delete;
    virtual ~Image() = default;

    // Only a 3D display image fills polygons; false means not done.
    virtual bool PolyFill3D(const Point* vertices, int count, const Rect* clip, const Color& color, int drawMode,
                            int tx, int ty, bool unused);
    virtual void FillRect(const Rect& rect, const Color& color, int drawMode);
    // An outline covering w + 1 by h + 1 pixels, as four FillRect calls.
    virtual void DrawRect(const Rect& rect, const Color& color, int drawMode);
    virtual void ClearRect(const Rect& rect);
    virtual void DrawLine(double x1, double y1, double x2, double y2, const Color& color, int drawMode);
    virtual void DrawLineAA(double x1, double y1, double x2, double y2, const Color& color, int drawMode);
    // One FillRect per span.
    virtual void FillScanLines(Span* spans, int count, const Color& color, int drawMode);
    virtual void FillScanLinesWithCoverage(Span* spans, int count, const Color& color, int drawMode,
                                           const uint8_t* coverage, int coverX, int coverY, int coverWidth,
                                           int coverHeight);
    virtual void Blt(Image* src, int x, int y, const Rect& srcRect, const Color& color, int drawMode);
    virtual void BltAtFloat(Image* src, float x, float y, const Rect& srcRect, const Rect& clip, const Color& color,
                            int drawMode);
    virtual void BltRotated(Image* src, float x, float y, const Rect& srcRect, const Rect& clip, const Color& color,
                            int drawMode, double angle, float centreX, float centreY);
    virtual void StretchBlt(Image* src, const Rect& destRect, const Rect& srcRect, const Rect& clip,
                            const Color& color, int drawMode, bool fastStretch);
    virtual void BltMatrix(Image* src, float x, float y, const Matrix3& matrix, const Rect& clip, const Color& color,
                           int drawMode, const Rect& srcRect, bool linearBlend);
    virtual void BltTrianglesTex(Image* texture, const TriVertex (*triangles)[3], int count, const Rect& clip,
                                 const Color& color, int drawMode, float tx, float ty, bool linearBlend);
    virtual void BltMirror(Image* src, int x, int y, const Rect& srcRect, const Color& color, int drawMode);
    virtual void StretchBltMirror(Image* src, const Rect& destRect, const Rect& srcRect, const Rect& clip,
                                  const Color& color, int drawMode, bool fastStretch);

    int32_t GetWidth() const { return mWidth; }
    int32_t GetHeight() const { return mHeight; }
    // Copies the cel grid and a deep copy of the animation.
    void CopyAttributes(const Image* from);

    // Set whenever the image is the source of a blit.
    bool mDrawn = false;
    std::string mFilePath;
    int32_t mWidth = 0;
    int32_t mHeight = 0;
    int32_t mNumRows = 1;
    int32_t mNumCols = 1;
    std::unique_ptr<AnimInfo> mAnimInfo;
};

} // namespace Zest
