// Where each drawing call on a display image goes: to the 3D renderer for the 3D screen,
// onto the image's locked surface when the surface can take it, or to the memory image's
// software drawing. After a surface routine the surface holds the only picture, so the
// memory copies are dropped; after software drawing the pixels are the picture. An image
// that cannot have a surface (partly transparent pixels) keeps its pixels and is drawn in
// software even by the calls that otherwise draw only on surfaces.
//
// The 3D screen draws through the Direct3D renderer, which does not exist yet: until it
// does, nothing is drawn on it.

#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/TriangleRasterizer.h"

#include <algorithm>
#include <cmath>

namespace Zest {

using namespace DDraw;

namespace {

bool Is3DOn(const DDInterface& display) { return display.mIs3D; }

// The rasteriser's code for the locked surface's pixel layout; 0 for a layout it has no
// span routine for.
int FormatCode(const DDSURFACEDESC& desc)
{
    const DDPIXELFORMAT& format = desc.ddpfPixelFormat;
    if (format.dwRGBBitCount == 32)
        return kFormat888;
    if (format.dwRBitMask == 0xF800 && format.dwGBitMask == 0x07E0 && format.dwBBitMask == 0x001F)
        return kFormat565;
    if (format.dwRBitMask == 0x7C00 && format.dwGBitMask == 0x03E0 && format.dwBBitMask == 0x001F)
        return kFormat555;
    return 0;
}

// The matrix blit and the textured triangles: rasterised straight into the locked surface,
// always blending normally; in software for an image that cannot have a surface.
template <typename Software, typename Rasterise>
void DrawThroughRasteriser(DDImage& image, Software software, Rasterise rasterise)
{
    if (image.Check3D())
        return;
    if (!image.TakesSurfaceDrawing()) {
        software();
        return;
    }
    if (!image.LockSurface())
        return;
    const int format = FormatCode(image.mLockedDesc);
    if (format != 0)
        rasterise(image.mLockedDesc.lpSurface, static_cast<int>(image.mLockedDesc.lPitch), format);
    image.UnlockSurface();
    image.DropMemoryCopies();
}

void MarkDrawn(Image* source)
{
    if (source != nullptr)
        source->mDrawn = true;
}

} // namespace

void DDImage::DropMemoryCopies()
{
    // Without a surface the pixels are the only picture.
    if (mSurface != nullptr)
        DeleteExtraBuffers();
}

bool DDImage::TakesSurfaceDrawing() { return GetSurface() != nullptr || !HasSoftwarePixels(); }

bool DDImage::PolyFill3D(const Point*, int, const Rect*, const Color&, int, int, int, bool) { return false; }

void DDImage::FillRect(const Rect& rect, const Color& color, const int drawMode)
{
    if (Check3D())
        return;
    CommitBits();
    if (!mHasAlpha && !mHasTrans && !Is3DOn(*mDDInterface) && TakesSurfaceDrawing()) {
        if (drawMode == DRAWMODE_NORMAL)
            NormalFillRect(rect, color);
        else if (drawMode == DRAWMODE_ADDITIVE)
            AdditiveFillRect(rect, color);
        DropMemoryCopies();
        return;
    }
    if (HasSoftwarePixels())
        MemoryImage::FillRect(rect, color, drawMode);
}

void DDImage::ClearRect(const Rect& rect)
{
    if (HasSoftwarePixels())
        MemoryImage::ClearRect(rect);
}

void DDImage::DrawLine(const double x1, const double y1, const double x2, const double y2, const Color& color,
                       const int drawMode)
{
    if (Check3D())
        return;
    if (mHasAlpha || mHasTrans || Is3DOn(*mDDInterface) || !TakesSurfaceDrawing()) {
        if (HasSoftwarePixels())
            MemoryImage::DrawLine(x1, y1, x2, y2, color, drawMode);
        return;
    }
    if (y1 == y2) {
        const int left = static_cast<int>(std::min(x1, x2));
        const int right = static_cast<int>(std::max(x1, x2));
        FillRect(Rect(left, static_cast<int>(y1), right - left + 1, static_cast<int>(y2 - y1 + 1.0)), color,
                 drawMode);
        return;
    }
    if (x1 == x2) {
        const int top = static_cast<int>(std::min(y1, y2));
        const int bottom = static_cast<int>(std::max(y1, y2));
        FillRect(Rect(static_cast<int>(x1), top, static_cast<int>(x2 - x1 + 1.0), bottom - top + 1), color,
                 drawMode);
        return;
    }
    CommitBits();
    if (drawMode == DRAWMODE_NORMAL)
        NormalDrawLine(x1, y1, x2, y2, color);
    else if (drawMode == DRAWMODE_ADDITIVE)
        AdditiveDrawLine(x1, y1, x2, y2, color);
    DropMemoryCopies();
}

void DDImage::DrawLineAA(const double x1, const double y1, const double x2, const double y2, const Color& color,
                         const int drawMode)
{
    if (Check3D())
        return;
    if (mHasAlpha || mHasTrans || Is3DOn(*mDDInterface) || !TakesSurfaceDrawing()) {
        // The software case draws the plain line.
        if (HasSoftwarePixels())
            MemoryImage::DrawLine(x1, y1, x2, y2, color, drawMode);
        return;
    }
    if (y1 == y2 || x1 == x2) {
        DrawLine(x1, y1, x2, y2, color, drawMode);
        return;
    }
    CommitBits();
    if (drawMode == DRAWMODE_NORMAL)
        NormalDrawLineAA(x1, y1, x2, y2, color);
    else if (drawMode == DRAWMODE_ADDITIVE)
        AdditiveDrawLineAA(x1, y1, x2, y2, color);
    DropMemoryCopies();
}

void DDImage::FillScanLinesWithCoverage(Span* spans, const int count, const Color& color, const int drawMode,
                                        const uint8_t* coverage, const int coverX, const int coverY,
                                        const int coverWidth, const int coverHeight)
{
    if (count == 0 || Check3D())
        return;
    if (!TakesSurfaceDrawing()) {
        MemoryImage::FillScanLinesWithCoverage(spans, count, color, drawMode, coverage, coverX, coverY, coverWidth,
                                               coverHeight);
        return;
    }
    SurfaceFillScanLinesWithCoverage(spans, count, color, drawMode, coverage, coverX, coverY, coverWidth,
                                     coverHeight);
    DropMemoryCopies();
}

void DDImage::Blt(Image* src, const int x, const int y, const Rect& srcRect, const Color& color, const int drawMode)
{
    MarkDrawn(src);
    CommitBits();
    if (Check3D())
        return;
    if (!mHasAlpha && !mHasTrans && (!Is3DOn(*mDDInterface) || IsCursorArea()) && TakesSurfaceDrawing()) {
        if (drawMode == DRAWMODE_NORMAL)
            NormalBlt(src, x, y, srcRect, color);
        else if (drawMode == DRAWMODE_ADDITIVE)
            AdditiveBlt(src, x, y, srcRect, color);
        DropMemoryCopies();
        return;
    }
    if (HasSoftwarePixels())
        MemoryImage::Blt(src, x, y, srcRect, color, drawMode);
}

void DDImage::BltAtFloat(Image* src, const float x, const float y, const Rect& srcRect, const Rect& clip,
                         const Color& color, const int drawMode)
{
    MarkDrawn(src);
    if (Check3D())
        return;
    BltRotated(src, x, y, srcRect, clip, color, drawMode, 0.0, 0.0f, 0.0f);
}

void DDImage::BltMatrix(Image* src, const float x, const float y, const Matrix3& matrix, const Rect& clip,
                        const Color& color, const int drawMode, const Rect& srcRect, const bool linearBlend)
{
    MarkDrawn(src);
    DrawThroughRasteriser(
        *this, [&] { MemoryImage::BltMatrix(src, x, y, matrix, clip, color, drawMode, srcRect, linearBlend); },
        [&](void* bits, const int pitch, const int format) {
            BltMatrixHelper(src, srcRect, x, y, matrix, clip, color, bits, pitch, format, linearBlend);
        });
}

void DDImage::BltTrianglesTex(Image* texture, const TriVertex (*triangles)[3], const int count, const Rect& clip,
                              const Color& color, const int drawMode, const float tx, const float ty,
                              const bool linearBlend)
{
    MarkDrawn(texture);
    DrawThroughRasteriser(
        *this,
        [&] { MemoryImage::BltTrianglesTex(texture, triangles, count, clip, color, drawMode, tx, ty, linearBlend); },
        [&](void* bits, const int pitch, const int format) {
            BltTrianglesTexHelper(texture, triangles, count, clip, color, bits, pitch, format, tx, ty, linearBlend);
        });
}

void DDImage::BltMirror(Image* src, const int x, const int y, const Rect& srcRect, const Color& color,
                        const int drawMode)
{
    CommitBits();
    if (Check3D())
        return;
    if (!TakesSurfaceDrawing()) {
        MemoryImage::BltMirror(src, x, y, srcRect, color, drawMode);
        return;
    }
    if (drawMode == DRAWMODE_NORMAL)
        NormalMirrorBlt(src, x, y, srcRect, color);
    else if (drawMode == DRAWMODE_ADDITIVE)
        AdditiveMirrorBlt(src, x, y, srcRect, color);
    DropMemoryCopies();
}

} // namespace Zest
