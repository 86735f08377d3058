#include "framework/graphics/Graphics.h"

#include "framework/graphics/Matrix3.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

namespace Zest {

Image gDefaultImage;

namespace {

Check3DFunc gCheck3D = nullptr;

} // namespace

bool Check3D(const Image* image) { return gCheck3D != nullptr && gCheck3D(image); }

void SetCheck3D(const Check3DFunc check) { gCheck3D = check; }

namespace {

// Truncation toward zero that stays defined for any input: out-of-range values saturate and
// NaN gives 0.
int32_t TruncateToInt(const double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double lowest = std::numeric_limits<int32_t>::min();
    constexpr double highest = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(value, lowest, highest));
}

bool IsEmpty(const Rect& rect)
{
    return rect.mWidth <= 0 || rect.mHeight <= 0;
}

Rect WholeImage(const Image* image)
{
    return Rect(0, 0, image->GetWidth(), image->GetHeight());
}

// The blits read srcRect without testing it, so a rectangle that is not wholly inside the
// source (negative origin or size, or reaching past an edge) is refused before it gets there.
bool IsInsideImage(const Rect& srcRect, const Image* image)
{
    return srcRect.mX >= 0 && srcRect.mY >= 0 && srcRect.mWidth >= 0 && srcRect.mHeight >= 0 &&
           int64_t{srcRect.mX} + srcRect.mWidth <= image->GetWidth() &&
           int64_t{srcRect.mY} + srcRect.mHeight <= image->GetHeight();
}

// Cuts a segment to low <= a < high along one axis, moving the other coordinate b along the
// line; the ends are ordered by a. False when nothing is left.
bool ClipLineAxis(double& a1, double& b1, double& a2, double& b2, const double low, const double high)
{
    if (a1 > a2) {
        std::swap(a1, a2);
        std::swap(b1, b2);
    }
    if (a1 < low) {
        if (a2 < low)
            return false;
        b1 += (low - a1) * (b2 - b1) / (a2 - a1);
        a1 = low;
    }
    if (a2 >= high) {
        if (a1 >= high)
            return false;
        // The far end stops on the last whole pixel inside.
        b2 = b1 + (high - 1 - a1) * (b2 - b1) / (a2 - a1);
        a2 = high - 1;
    }
    return true;
}

} // namespace

Graphics::Graphics(Image* destImage)
{
    if (destImage != nullptr)
        mDestImage = destImage;
    mClipRect = WholeImage(mDestImage);
    mIs3D = Check3D(mDestImage);
}

Graphics::Graphics(const Graphics& other) : GraphicsState(other) {}

std::unique_ptr<Graphics> Graphics::Create() const
{
    return std::make_unique<Graphics>(*this);
}

void Graphics::PushState()
{
    mStateStack.push_back(static_cast<const GraphicsState&>(*this));
}

void Graphics::PopState()
{
    if (mStateStack.empty())
        return;
    static_cast<GraphicsState&>(*this) = mStateStack.back();
    mStateStack.pop_back();
}

void Graphics::Translate(const int dx, const int dy)
{
    mTransX += static_cast<float>(dx);
    mTransY += static_cast<float>(dy);
}

void Graphics::TranslateFloat(const float dx, const float dy)
{
    mTransX += dx;
    mTransY += dy;
}

void Graphics::ClearClipRect()
{
    mClipRect = WholeImage(mDestImage);
}

void Graphics::SetClipRect(const Rect& rect)
{
    SetClipRectCoords(rect.mX, rect.mY, rect.mWidth, rect.mHeight);
}

void Graphics::SetClipRectCoords(const int x, const int y, const int width, const int height)
{
    mClipRect = Rect(TranslatedX(x), TranslatedY(y), width, height).Intersection(WholeImage(mDestImage));
}

void Graphics::ClipRect(const int x, const int y, const int width, const int height)
{
    mClipRect = mClipRect.Intersection(Rect(TranslatedX(x), TranslatedY(y), width, height));
}

void Graphics::FillRect(const int x, const int y, const int width, const int height)
{
    if (mColor.mAlpha == 0)
        return;
    const Rect rect = Rect(TranslatedX(x), TranslatedY(y), width, height).Intersection(DestClip());
    if (IsEmpty(rect))
        return;
    mDestImage->FillRect(rect, mColor, mDrawMode);
}

void Graphics::DrawRect(const int x, const int y, const int width, const int height)
{
    if (mColor.mAlpha == 0)
        return;
    const Rect outline(TranslatedX(x), TranslatedY(y), width + 1, height + 1);
    // The slot draws its four sides unclipped, so it only gets outlines wholly inside the
    // clip; a negative size would put a side before the rectangle's origin, so those go
    // through the clipped fills too.
    if (width >= 0 && height >= 0 && outline.Intersection(DestClip()) == outline) {
        mDestImage->DrawRect(Rect(outline.mX, outline.mY, width, height), mColor, mDrawMode);
        return;
    }
    FillRect(x, y, width + 1, 1);
    FillRect(x, y + height, width + 1, 1);
    FillRect(x, y + 1, 1, height - 1);
    FillRect(x + width, y + 1, 1, height - 1);
}

void Graphics::DrawLine(const int x1, const int y1, const int x2, const int y2)
{
    DrawClippedLine(&Image::DrawLine, x1, y1, x2, y2);
}

void Graphics::DrawLineAA(const int x1, const int y1, const int x2, const int y2)
{
    DrawClippedLine(&Image::DrawLineAA, x1, y1, x2, y2);
}

void Graphics::DrawImage(Image* image, const int x, const int y)
{
    DrawImagePart(image, x, y, WholeImage(image));
}

void Graphics::DrawImagePart(Image* image, const int x, const int y, const Rect& srcRect)
{
    if (!IsInsideImage(srcRect, image))
        return;
    const int32_t destX = TranslatedX(x);
    const int32_t destY = TranslatedY(y);
    if (mScaleX == 1.0f && mScaleY == 1.0f) {
        const Rect dest = Rect(destX, destY, srcRect.mWidth, srcRect.mHeight).Intersection(DestClip());
        if (IsEmpty(dest))
            return;
        const Rect part(srcRect.mX + dest.mX - destX, srcRect.mY + dest.mY - destY, dest.mWidth, dest.mHeight);
        mDestImage->Blt(image, dest.mX, dest.mY, part, ImageColor(), mDrawMode);
        return;
    }
    // The position scales about the scale origin; the size rounds up so that neighbouring
    // scaled pieces leave no gap.
    const Rect scaled(TruncateToInt(std::floor((destX - double{mScaleOrigX}) * mScaleX) + mScaleOrigX),
                      TruncateToInt(std::floor((destY - double{mScaleOrigY}) * mScaleY) + mScaleOrigY),
                      TruncateToInt(std::ceil(srcRect.mWidth * double{mScaleX})),
                      TruncateToInt(std::ceil(srcRect.mHeight * double{mScaleY})));
    StretchTo(image, scaled, srcRect, false);
}

void Graphics::DrawImageMirror(Image* image, const int x, const int y)
{
    DrawImageMirrorPart(image, x, y, WholeImage(image));
}

void Graphics::DrawImageMirrorPart(Image* image, const int x, const int y, const Rect& srcRect)
{
    if (!IsInsideImage(srcRect, image))
        return;
    const int32_t destX = TranslatedX(x);
    const int32_t destY = TranslatedY(y);
    const Rect dest = Rect(destX, destY, srcRect.mWidth, srcRect.mHeight).Intersection(DestClip());
    if (IsEmpty(dest))
        return;
    // What the clip cuts off on the right of the destination is the left of the source.
    const Rect part(srcRect.mX + srcRect.mWidth - (dest.mX - destX) - dest.mWidth, srcRect.mY + dest.mY - destY,
                    dest.mWidth, dest.mHeight);
    mDestImage->BltMirror(image, dest.mX, dest.mY, part, ImageColor(), mDrawMode);
}

void Graphics::DrawImageStretched(Image* image, const Rect& destRect, const Rect& srcRect)
{
    DrawImageStretchedMirror(image, destRect, srcRect, false);
}

void Graphics::DrawImageStretchedMirror(Image* image, const Rect& destRect, const Rect& srcRect, const bool mirror)
{
    StretchTo(image, Rect(TranslatedX(destRect.mX), TranslatedY(destRect.mY), destRect.mWidth, destRect.mHeight),
              srcRect, mirror);
}

void Graphics::DrawImageAtFloat(Image* image, const float x, const float y)
{
    DrawImagePartAtFloat(image, x, y, WholeImage(image));
}

void Graphics::DrawImagePartAtFloat(Image* image, const float x, const float y, const Rect& srcRect)
{
    if (!IsInsideImage(srcRect, image))
        return;
    mDestImage->BltAtFloat(image, x + mTransX, y + mTransY, srcRect, DestClip(), ImageColor(), mDrawMode);
}

void Graphics::DrawImageRotated(Image* image, const float x, const float y, const double angle)
{
    DrawImageRotatedAbout(image, x, y, angle, image->GetWidth() * 0.5f, image->GetHeight() * 0.5f);
}

void Graphics::DrawImageRotatedAbout(Image* image, const float x, const float y, const double angle,
                                     const float centreX, const float centreY, const Rect* srcRect)
{
    const Rect part = srcRect != nullptr ? *srcRect : WholeImage(image);
    if (!IsInsideImage(part, image))
        return;
    mDestImage->BltRotated(image, x + mTransX, y + mTransY, part, DestClip(), ImageColor(), mDrawMode, angle,
                           centreX, centreY);
}

void Graphics::DrawImageMatrix(Image* image, const Matrix3& matrix, const Rect& srcRect, const float x,
                               const float y)
{
    if (!IsInsideImage(srcRect, image))
        return;
    mDestImage->BltMatrix(image, x + mTransX, y + mTransY, matrix, DestClip(), ImageColor(), mDrawMode, srcRect,
                          mLinearBlend);
}

void Graphics::DrawImageTransform(Image* image, const Transform& transform, const float x, const float y)
{
    DrawImagePartTransform(image, transform, WholeImage(image), x, y);
}

void Graphics::DrawImagePartTransform(Image* image, const Transform& transform, const Rect& srcRect, const float x,
                                      const float y)
{
    const float halfWidth = srcRect.mWidth * 0.5f;
    const float halfHeight = srcRect.mHeight * 0.5f;
    if (transform.mComplex || mIs3D) {
        DrawImageMatrix(image, transform.GetMatrix(), srcRect, x, y);
    } else if (transform.mHaveRot) {
        // The rotation centre lands at (x, y) plus the second translation, half a pixel on.
        const float centreX = halfWidth - transform.mTransX1;
        const float centreY = halfHeight - transform.mTransY1;
        DrawImageRotatedAbout(image, transform.mTransX2 + x - centreX + 0.5f, transform.mTransY2 + y - centreY + 0.5f,
                              transform.mRot, centreX, centreY, &srcRect);
    } else if (transform.mHaveScale && transform.mScaleX == -1.0f && transform.mScaleY == 1.0f) {
        DrawImageMirrorPart(image, TruncateToInt(transform.mTransX1 + x + transform.mTransX2 - halfWidth + 0.5f),
                            TruncateToInt(transform.mTransY1 + y + transform.mTransY2 - halfHeight + 0.5f), srcRect);
    } else if (transform.mHaveScale) {
        // A negative x scale is a mirror stretched by its size: the rectangle keeps a positive
        // width and the mirrored stretch flips the picture.
        const float scaledHalfWidth = halfWidth * std::fabs(transform.mScaleX);
        const float scaledHalfHeight = halfHeight * transform.mScaleY;
        const Rect dest(TruncateToInt(transform.mTransX2 + x - scaledHalfWidth),
                        TruncateToInt(transform.mTransY2 + y - scaledHalfHeight), TruncateToInt(scaledHalfWidth * 2),
                        TruncateToInt(scaledHalfHeight * 2));
        DrawImageStretchedMirror(image, dest, srcRect, transform.mScaleX < 0.0f);
    } else {
        DrawImagePartAtFloat(image, transform.mTransX1 + x + transform.mTransX2 - halfWidth + 0.5f,
                             transform.mTransY1 + y + transform.mTransY2 - halfHeight + 0.5f, srcRect);
    }
}

void Graphics::DrawImageBox(const Rect& destRect, Image* image)
{
    DrawImageBoxPart(WholeImage(image), destRect, image);
}

void Graphics::DrawImageBoxPart(const Rect& srcRect, const Rect& destRect, Image* image)
{
    if (IsEmpty(srcRect) || !IsInsideImage(srcRect, image))
        return;
    const int cornerWidth = srcRect.mWidth / 3;
    const int cornerHeight = srcRect.mHeight / 3;
    // At least 1 for any non-empty source, so the tile counts below never divide by zero.
    const int middleWidth = srcRect.mWidth - 2 * cornerWidth;
    const int middleHeight = srcRect.mHeight - 2 * cornerHeight;
    const int srcMiddleX = srcRect.mX + cornerWidth;
    const int srcMiddleY = srcRect.mY + cornerHeight;
    const int srcRight = srcRect.mX + srcRect.mWidth - cornerWidth;
    const int srcBottom = srcRect.mY + srcRect.mHeight - cornerHeight;
    const int left = destRect.mX;
    const int top = destRect.mY;
    const int right = destRect.mX + destRect.mWidth - cornerWidth;
    const int bottom = destRect.mY + destRect.mHeight - cornerHeight;
    const int innerWidth = destRect.mWidth - 2 * cornerWidth;
    const int innerHeight = destRect.mHeight - 2 * cornerHeight;
    const int across = (innerWidth - 1 + middleWidth) / middleWidth;
    const int down = (innerHeight - 1 + middleHeight) / middleHeight;

    DrawImagePart(image, left, top, Rect(srcRect.mX, srcRect.mY, cornerWidth, cornerHeight));
    DrawImagePart(image, right, top, Rect(srcRight, srcRect.mY, cornerWidth, cornerHeight));
    DrawImagePart(image, left, bottom, Rect(srcRect.mX, srcBottom, cornerWidth, cornerHeight));
    DrawImagePart(image, right, bottom, Rect(srcRight, srcBottom, cornerWidth, cornerHeight));

    // The tiles are drawn through clipped copies so that the last tile of each run is cut
    // at the corners while this context's clip stays as it was.
    Graphics edges(*this);
    edges.ClipRect(left + cornerWidth, top, innerWidth, destRect.mHeight);
    for (int i = 0; i < across; ++i) {
        const int tileX = left + cornerWidth + i * middleWidth;
        edges.DrawImagePart(image, tileX, top, Rect(srcMiddleX, srcRect.mY, middleWidth, cornerHeight));
        edges.DrawImagePart(image, tileX, bottom, Rect(srcMiddleX, srcBottom, middleWidth, cornerHeight));
    }

    Graphics sides(*this);
    sides.ClipRect(left, top + cornerHeight, destRect.mWidth, innerHeight);
    for (int j = 0; j < down; ++j) {
        const int tileY = top + cornerHeight + j * middleHeight;
        sides.DrawImagePart(image, left, tileY, Rect(srcRect.mX, srcMiddleY, cornerWidth, middleHeight));
        sides.DrawImagePart(image, right, tileY, Rect(srcRight, srcMiddleY, cornerWidth, middleHeight));
    }

    Graphics centre(*this);
    centre.ClipRect(left + cornerWidth, top + cornerHeight, innerWidth, innerHeight);
    for (int j = 0; j < down; ++j) {
        for (int i = 0; i < across; ++i) {
            centre.DrawImagePart(image, left + cornerWidth + i * middleWidth, top + cornerHeight + j * middleHeight,
                                 Rect(srcMiddleX, srcMiddleY, middleWidth, middleHeight));
        }
    }
}

void Graphics::DrawImageCel(Image* image, const int x, const int y, const int cel)
{
    if (cel < 0 || cel >= image->mNumRows || image->mNumCols <= 0)
        return;
    const int celWidth = image->GetWidth() / image->mNumCols;
    const int celHeight = image->GetHeight() / image->mNumRows;
    DrawImagePart(image, x, y, Rect(0, cel * celHeight, celWidth, celHeight));
}

int32_t Graphics::TranslatedX(const int x) const
{
    return TruncateToInt(static_cast<float>(x) + mTransX);
}

int32_t Graphics::TranslatedY(const int y) const
{
    return TruncateToInt(static_cast<float>(y) + mTransY);
}

Rect Graphics::DestClip() const
{
    // The clip is kept inside the destination, but the destination may have been given a
    // new size since, or the field set directly.
    return mClipRect.Intersection(WholeImage(mDestImage));
}

const Color& Graphics::ImageColor() const
{
    return mColorizeImages ? mColor : Color::White;
}

bool Graphics::ClipLine(double& x1, double& y1, double& x2, double& y2) const
{
    // A non-finite end (from a non-finite translation) has no pixel to stop on.
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return false;
    const Rect clip = DestClip();
    return ClipLineAxis(x1, y1, x2, y2, clip.mX, static_cast<double>(clip.mX) + clip.mWidth) &&
           ClipLineAxis(y1, x1, y2, x2, clip.mY, static_cast<double>(clip.mY) + clip.mHeight);
}

void Graphics::DrawClippedLine(const LineSlot slot, const int x1, const int y1, const int x2, const int y2)
{
    double fromX = static_cast<float>(x1) + mTransX;
    double fromY = static_cast<float>(y1) + mTransY;
    double toX = static_cast<float>(x2) + mTransX;
    double toY = static_cast<float>(y2) + mTransY;
    if (ClipLine(fromX, fromY, toX, toY))
        (mDestImage->*slot)(fromX, fromY, toX, toY, mColor, mDrawMode);
}

void Graphics::StretchTo(Image* image, const Rect& destRect, const Rect& srcRect, const bool mirror)
{
    // An empty or inverted destination has no pixel to draw, and the stretch's scale
    // factors would divide by its size.
    if (IsEmpty(destRect) || !IsInsideImage(srcRect, image))
        return;
    if (mirror)
        mDestImage->StretchBltMirror(image, destRect, srcRect, DestClip(), ImageColor(), mDrawMode, mFastStretch);
    else
        mDestImage->StretchBlt(image, destRect, srcRect, DestClip(), ImageColor(), mDrawMode, mFastStretch);
}

} // namespace Zest
