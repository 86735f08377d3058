// The free-form drawing of a MemoryImage: an image rectangle through a matrix and textured
// triangles, both rasterised in software by the triangle rasteriser.

#include "framework/graphics/Blend.h"
#include "framework/graphics/Matrix3.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/TriangleRasterizer.h"

#include <vector>

namespace Zest {

namespace {

uint32_t PackColor(const Color& color)
{
    return (Blend::ChannelOf(color.mAlpha) << 24) | (Blend::ChannelOf(color.mRed) << 16) |
           (Blend::ChannelOf(color.mGreen) << 8) | Blend::ChannelOf(color.mBlue);
}

// The pixels of a picture of the destination's size inside the clip rectangle.
RasterTarget MakeTarget(const MemoryImage& dest, const Rect& clip, void* bits, const int pitch, const int format)
{
    RasterTarget target;
    target.mClip = clip.Intersection(Rect(0, 0, dest.mWidth, dest.mHeight));
    target.mBits = static_cast<uint8_t*>(bits);
    target.mPitch = pitch;
    target.mFormat = format;
    return target;
}

// A destination whose flags say it has neither alpha nor transparency is drawn as opaque,
// as the ordinary blits draw it.
int SoftwareFormat(const MemoryImage& dest)
{
    return (!dest.mHasAlpha && !dest.mHasTrans) ? kFormat888 : kFormat8888;
}

bool IsEmpty(const Rect& rect)
{
    return rect.mWidth <= 0 || rect.mHeight <= 0;
}

// The texels of an image that a draw may read: the sample area within the picture. A
// palettised image is read through its palette into mExpanded, so that it stays palettised
// (GetBits would turn it back into ARGB pixels for good).
struct TextureSource {
    SpanTexture mTexture;
    std::vector<uint32_t> mExpanded;
};

void PrepareTexture(MemoryImage& image, const Rect& sampleArea, TextureSource& source)
{
    image.CommitBits();
    SpanTexture& texture = source.mTexture;
    texture.mWidth = image.mWidth;
    texture.mHeight = image.mHeight;
    texture.mSampleArea = sampleArea.Intersection(Rect(0, 0, image.mWidth, image.mHeight));
    const Rect& area = texture.mSampleArea;
    if (IsEmpty(area))
        return;
    if (image.mColorIndices != nullptr && image.mColorTable != nullptr) {
        source.mExpanded.resize(static_cast<size_t>(area.mWidth) * static_cast<size_t>(area.mHeight));
        for (int row = 0; row < area.mHeight; ++row) {
            const uint8_t* const indices = image.mColorIndices + static_cast<size_t>(area.mY + row) * image.mWidth;
            for (int column = 0; column < area.mWidth; ++column)
                source.mExpanded[static_cast<size_t>(row) * area.mWidth + column] =
                    image.mColorTable[indices[area.mX + column]];
        }
        texture.mBits = source.mExpanded.data();
        texture.mPitch = area.mWidth;
    } else {
        texture.mBits = image.GetBits() + static_cast<size_t>(area.mY) * image.mWidth + area.mX;
        texture.mPitch = image.mWidth;
    }
}

// Blending is needed only when some texel is not opaque: bilinear filtering inside the
// sample area mixes opaque texels into opaque results, so it needs none of its own.
bool HasTransparency(const MemoryImage& image)
{
    return image.mHasAlpha || image.mHasTrans;
}

bool IsDrawMode(const int drawMode)
{
    return drawMode == DRAWMODE_NORMAL || drawMode == DRAWMODE_ADDITIVE;
}

// The source rectangle as a quad centred on the origin, put through the matrix and moved so
// that its centre lands on (x - 0.5, y - 0.5): with pixel centres on whole coordinates, an
// identity matrix at (x0 + w / 2, y0 + h / 2) covers exactly the pixels a plain blit at
// (x0, y0) covers.
void RasterizeMatrixQuad(MemoryImage& source, const float x, const float y, const Matrix3& matrix,
                         const RasterStyle& style, const Rect& srcRect, const RasterTarget& target)
{
    const float halfWidth = static_cast<float>(srcRect.mWidth) * 0.5f;
    const float halfHeight = static_cast<float>(srcRect.mHeight) * 0.5f;
    const float width = static_cast<float>(source.mWidth);
    const float height = static_cast<float>(source.mHeight);
    const float left = static_cast<float>(srcRect.mX) / width;
    const float right = static_cast<float>(srcRect.mX + srcRect.mWidth) / width;
    const float top = static_cast<float>(srcRect.mY) / height;
    const float bottom = static_cast<float>(srcRect.mY + srcRect.mHeight) / height;
    TriVertex quad[4] = {{-halfWidth, -halfHeight, left, top, 0xFFFFFFFF},
                         {halfWidth, -halfHeight, right, top, 0xFFFFFFFF},
                         {-halfWidth, halfHeight, left, bottom, 0xFFFFFFFF},
                         {halfWidth, halfHeight, right, bottom, 0xFFFFFFFF}};
    for (TriVertex& vertex : quad) {
        const Vector3 position = matrix.TransformVector(vertex.mX, vertex.mY, 1.0f);
        vertex.mX = position.mX + x - 0.5f;
        vertex.mY = position.mY + y - 0.5f;
    }
    RasterizeTexturedPolygon(quad, 4, style, target);
}

} // namespace

void MemoryImage::BltMatrix(Image* src, const float x, const float y, const Matrix3& matrix, const Rect& clip,
                            const Color& color, const int drawMode, const Rect& srcRect, const bool linearBlend)
{
    if (src != nullptr)
        src->mDrawn = true;
    if (!IsDrawMode(drawMode))
        return;
    // The destination's pixels first, so that a source that is also the destination is
    // already held as ARGB pixels when it is read.
    uint32_t* const bits = GetBits();
    BltMatrixHelper(src, srcRect, x, y, matrix, clip, color, bits, mWidth * 4, SoftwareFormat(*this), linearBlend,
                    drawMode == DRAWMODE_ADDITIVE);
    BitsChanged();
}

void MemoryImage::BltMatrixHelper(Image* src, const Rect& srcRect, const float x, const float y,
                                  const Matrix3& matrix, const Rect& clip, const Color& color, void* bits,
                                  const int pitch, const int format, const bool linearBlend, const bool additive)
{
    auto* const source = dynamic_cast<MemoryImage*>(src);
    if (source == nullptr || bits == nullptr || source->mWidth <= 0 || source->mHeight <= 0)
        return;
    const RasterTarget target = MakeTarget(*this, clip, bits, pitch, format);
    TextureSource texture;
    PrepareTexture(*source, srcRect, texture);
    if (IsEmpty(texture.mTexture.mSampleArea) || IsEmpty(srcRect))
        return;
    RasterStyle style;
    style.mTexture = &texture.mTexture;
    style.mBlended = HasTransparency(*source);
    style.mColor = PackColor(color);
    style.mLinear = linearBlend;
    style.mAdditive = additive;
    RasterizeMatrixQuad(*source, x, y, matrix, style, srcRect, target);
}

void MemoryImage::BltTrianglesTex(Image* texture, const TriVertex (*triangles)[3], const int count, const Rect& clip,
                                  const Color& color, const int drawMode, const float tx, const float ty,
                                  const bool linearBlend)
{
    if (texture != nullptr)
        texture->mDrawn = true;
    if (!IsDrawMode(drawMode))
        return;
    uint32_t* const bits = GetBits();
    BltTrianglesTexHelper(texture, triangles, count, clip, color, bits, mWidth * 4, SoftwareFormat(*this), tx, ty,
                          linearBlend, drawMode == DRAWMODE_ADDITIVE);
    BitsChanged();
}

void MemoryImage::BltTrianglesTexHelper(Image* texture, const TriVertex (*triangles)[3], const int count,
                                        const Rect& clip, const Color& color, void* bits, const int pitch,
                                        const int format, const float tx, const float ty, const bool linearBlend,
                                        const bool additive)
{
    // A texture that is not a MemoryImage gives untextured triangles; an empty picture
    // gives nothing to sample and so nothing to draw.
    auto* const image = dynamic_cast<MemoryImage*>(texture);
    if (bits == nullptr || (image != nullptr && (image->mWidth <= 0 || image->mHeight <= 0)))
        return;
    const RasterTarget target = MakeTarget(*this, clip, bits, pitch, format);
    TextureSource textureSource;
    RasterStyle style;
    if (image != nullptr) {
        PrepareTexture(*image, Rect(0, 0, image->mWidth, image->mHeight), textureSource);
        style.mTexture = &textureSource.mTexture;
        style.mBlended = HasTransparency(*image);
    }
    style.mColor = PackColor(color);
    style.mLinear = linearBlend;
    style.mAdditive = additive;
    for (int i = 0; i < count; ++i) {
        TriVertex triangle[3] = {triangles[i][0], triangles[i][1], triangles[i][2]};
        style.mVertexColor = false;
        for (TriVertex& vertex : triangle) {
            vertex.mX += tx;
            vertex.mY += ty;
            style.mVertexColor = style.mVertexColor || vertex.mColor != 0;
        }
        RasterizeTexturedPolygon(triangle, 3, style, target);
    }
}

} // namespace Zest
