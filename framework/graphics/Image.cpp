#include "framework/graphics/Image.h"

#include <algorithm>

namespace Zest {

void AnimInfo::SetPerFrameDelay(const int frame, const int delay)
{
    if (frame < 0)
        return;
    if (static_cast<int>(mPerFrameDelay.size()) < frame + 1)
        mPerFrameDelay.resize(static_cast<size_t>(frame) + 1, 0);
    mPerFrameDelay[static_cast<size_t>(frame)] = delay;
}

void AnimInfo::Compute(const int numCels, const int beginFrameTime, const int endFrameTime)
{
    mNumCels = std::max(numCels, 1);
    mFrameDelay = std::max(mFrameDelay, 1);
    if (mAnimType == ANIM_PING_PONG && numCels >= 2) {
        mFrameMap.clear();
        for (int cel = 0; cel < numCels; ++cel)
            mFrameMap.push_back(cel);
        for (int cel = numCels - 2; cel >= 1; --cel)
            mFrameMap.push_back(cel);
    }
    if (!mFrameMap.empty())
        mNumCels = static_cast<int32_t>(mFrameMap.size());
    if (beginFrameTime > 0)
        SetPerFrameDelay(0, beginFrameTime);
    if (endFrameTime > 0)
        SetPerFrameDelay(mNumCels - 1, endFrameTime);
    if (!mPerFrameDelay.empty()) {
        mPerFrameDelay.resize(static_cast<size_t>(mNumCels), 0);
        mTotalAnimTime = 0;
        for (int32_t& delay : mPerFrameDelay) {
            if (delay < 1)
                delay = mFrameDelay;
            mTotalAnimTime += delay;
        }
    } else {
        mTotalAnimTime = mNumCels * mFrameDelay;
    }
    if (!mFrameMap.empty())
        mFrameMap.resize(static_cast<size_t>(mNumCels), 0);
}

Image::Image(const Image& other)
    : mWidth(other.mWidth), mHeight(other.mHeight), mNumRows(other.mNumRows), mNumCols(other.mNumCols),
      mAnimInfo(other.mAnimInfo != nullptr ? std::make_unique<AnimInfo>(*other.mAnimInfo) : nullptr)
{
}

void Image::CopyAttributes(const Image* from)
{
    mNumRows = from->mNumRows;
    mNumCols = from->mNumCols;
    mAnimInfo = from->mAnimInfo != nullptr ? std::make_unique<AnimInfo>(*from->mAnimInfo) : nullptr;
}

bool Image::PolyFill3D(const Point* vertices, int count, const Rect* clip, const Color& color, int drawMode, int tx,
                       int ty, bool unused)
{
    return false;
}

void Image::FillRect(const Rect& rect, const Color& color, int drawMode) {}

void Image::DrawRect(const Rect& rect, const Color& color, const int drawMode)
{
    FillRect(Rect(rect.mX, rect.mY, rect.mWidth + 1, 1), color, drawMode);
    FillRect(Rect(rect.mX, rect.mY + rect.mHeight, rect.mWidth + 1, 1), color, drawMode);
    FillRect(Rect(rect.mX, rect.mY + 1, 1, rect.mHeight - 1), color, drawMode);
    FillRect(Rect(rect.mX + rect.mWidth, rect.mY + 1, 1, rect.mHeight - 1), color, drawMode);
}

void Image::ClearRect(const Rect& rect) {}

void Image::DrawLine(double x1, double y1, double x2, double y2, const Color& color, int drawMode) {}

void Image::DrawLineAA(double x1, double y1, double x2, double y2, const Color& color, int drawMode) {}

void Image::FillScanLines(Span* spans, const int count, const Color& color, const int drawMode)
{
    for (int i = 0; i < count; ++i)
        FillRect(Rect(spans[i].mX, spans[i].mY, spans[i].mWidth, 1), color, drawMode);
}

void Image::FillScanLinesWithCoverage(Span* spans, int count, const Color& color, int drawMode,
                                      const uint8_t* coverage, int coverX, int coverY, int coverWidth,
                                      int coverHeight)
{
}

void Image::Blt(Image* src, int x, int y, const Rect& srcRect, const Color& color, int drawMode) {}

void Image::BltAtFloat(Image* src, float x, float y, const Rect& srcRect, const Rect& clip, const Color& color,
                       int drawMode)
{
}

void Image::BltRotated(Image* src, float x, float y, const Rect& srcRect, const Rect& clip, const Color& color,
                       int drawMode, double angle, float centreX, float centreY)
{
}

void Image::StretchBlt(Image* src, const Rect& destRect, const Rect& srcRect, const Rect& clip, const Color& color,
                       int drawMode, bool fastStretch)
{
}

void Image::BltMatrix(Image* src, float x, float y, const Matrix3& matrix, const Rect& clip, const Color& color,
                      int drawMode, const Rect& srcRect, bool linearBlend)
{
}

void Image::BltTrianglesTex(Image* texture, const TriVertex (*triangles)[3], int count, const Rect& clip,
                            const Color& color, int drawMode, float tx, float ty, bool linearBlend)
{
}

void Image::BltMirror(Image* src, int x, int y, const Rect& srcRect, const Color& color, int drawMode) {}

void Image::StretchBltMirror(Image* src, const Rect& destRect, const Rect& srcRect, const Rect& clip,
                             const Color& color, int drawMode, bool fastStretch)
{
}

} // namespace Zest
