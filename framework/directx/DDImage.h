#pragma once
// The picture class of the display: a memory image whose picture may also, or only, live
// in a DirectDraw surface in the display's pixel format. The surface is made on demand from
// the pixels (transparency becomes a source colour key) and dropped when the pixels are
// newer; reading the pixels of a surface-only picture converts them back. Images that were
// handed a surface (the screen image and the cursor areas) keep it for life.

#include "framework/graphics/MemoryImage.h"
#include "platform/ddraw/DDraw.h"

#include <cstdint>

namespace Zest {

class DDInterface;

class DDImage : public MemoryImage {
public:
    explicit DDImage(DDInterface* display);
    ~DDImage() override;
    DDImage(const DDImage&) = delete;
    DDImage& operator=(const DDImage&) = delete;

    // Whether the image is a display image drawn through Direct3D (the 3D screen image).
    static bool Check3D(const Image* image);
    bool Check3D() const;

    // The surface, made from the pixels when missing; null when none can be made.
    DDraw::IDirectDrawSurface* GetSurface();
    // Makes the surface from the pixels; false for a picture with partial alpha, or when the
    // surface cannot be made, locked or given a free colour key.
    bool GenerateDDSurface();
    // Drops the surface after making sure the pixels hold the picture.
    void DeleteDDSurface();
    // Frees the memory-side copies, after drawing changed the surface.
    void DeleteExtraBuffers();

    void PurgeBits() override;
    void DeleteCachedBuffers() override;
    void ReInit() override;
    void BitsChanged() override;
    void CommitBits() override;
    void DeleteNativeData() override;
    void Create(int width, int height) override;
    uint32_t* GetBits() override;
    bool Palletize() override;

    // Drawing: the 3D screen goes to Direct3D, other display images to their locked surface
    // where it can take the operation, else to the memory image's software drawing.
    bool PolyFill3D(const Point* vertices, int count, const Rect* clip, const Color& color, int drawMode, int tx,
                    int ty, bool unused) override;
    void FillRect(const Rect& rect, const Color& color, int drawMode) override;
    void ClearRect(const Rect& rect) override;
    void DrawLine(double x1, double y1, double x2, double y2, const Color& color, int drawMode) override;
    void DrawLineAA(double x1, double y1, double x2, double y2, const Color& color, int drawMode) override;
    void FillScanLinesWithCoverage(Span* spans, int count, const Color& color, int drawMode, const uint8_t* coverage,
                                   int coverX, int coverY, int coverWidth, int coverHeight) override;
    void Blt(Image* src, int x, int y, const Rect& srcRect, const Color& color, int drawMode) override;
    void BltAtFloat(Image* src, float x, float y, const Rect& srcRect, const Rect& clip, const Color& color,
                    int drawMode) override;
    void BltRotated(Image* src, float x, float y, const Rect& srcRect, const Rect& clip, const Color& color,
                    int drawMode, double angle, float centreX, float centreY) override;
    void StretchBlt(Image* src, const Rect& destRect, const Rect& srcRect, const Rect& clip, const Color& color,
                    int drawMode, bool fastStretch) override;
    void BltMatrix(Image* src, float x, float y, const Matrix3& matrix, const Rect& clip, const Color& color,
                   int drawMode, const Rect& srcRect, bool linearBlend) override;
    void BltTrianglesTex(Image* texture, const TriVertex (*triangles)[3], int count, const Rect& clip,
                         const Color& color, int drawMode, float tx, float ty, bool linearBlend) override;
    void BltMirror(Image* src, int x, int y, const Rect& srcRect, const Color& color, int drawMode) override;
    void StretchBltMirror(Image* src, const Rect& destRect, const Rect& srcRect, const Rect& clip,
                          const Color& color, int drawMode, bool fastStretch) override;

    virtual void SetVideoMemory(bool videoMemory);
    virtual bool CreateColorKeySurface();

    // The surface routines: they draw straight into the locked surface in the display's
    // pixel format and do no clipping (the drawing context has clipped everything). The
    // slot is the draw mode.
    virtual void NormalFillRect(const Rect& rect, const Color& color);
    virtual void AdditiveFillRect(const Rect& rect, const Color& color);
    virtual void NormalBlt(Image* src, int x, int y, const Rect& srcRect, const Color& color);
    virtual void AdditiveBlt(Image* src, int x, int y, const Rect& srcRect, const Color& color);
    virtual void NormalDrawLine(double x1, double y1, double x2, double y2, const Color& color);
    virtual void AdditiveDrawLine(double x1, double y1, double x2, double y2, const Color& color);
    virtual void NormalDrawLineAA(double x1, double y1, double x2, double y2, const Color& color);
    // Draws nothing.
    virtual void AdditiveDrawLineAA(double x1, double y1, double x2, double y2, const Color& color);
    virtual void NormalMirrorBlt(Image* src, int x, int y, const Rect& srcRect, const Color& color);
    virtual void AdditiveMirrorBlt(Image* src, int x, int y, const Rect& srcRect, const Color& color);
    // Nested: only the outermost call locks the surface (making it first when missing).
    // False for the 3D screen image and when the lock fails.
    virtual bool LockSurface();
    virtual bool UnlockSurface();
    // Adopts a surface made elsewhere (with a reference of its own) and takes its size.
    virtual void SetSurface(DDraw::IDirectDrawSurface* surface);

    DDInterface* mDDInterface;
    DDraw::IDirectDrawSurface* mSurface = nullptr;
    bool mSurfaceSet = false;
    // The surface is never locked for software access (the screen on a video-memory back
    // surface).
    bool mLockDisabled = false;
    bool mInVideoMemory = false;
    bool mWantDDSurface = false;
    int32_t mLockCount = 0;
    // Filled by the outermost lock: the surface routines reach the pixels through it.
    DDraw::DDSURFACEDESC mLockedDesc{};

    // Whether software drawing has pixels to draw into: a lock-disabled image whose picture
    // lives only in its surface has none, and is then not drawn in software at all.
    bool HasSoftwarePixels();
    // After a surface routine: the surface holds the picture, so the memory copies go; an
    // image without a surface keeps its pixels.
    void DropMemoryCopies();
    // Whether drawing that needs the surface can go there: false for an image that cannot
    // have a surface but has pixels to draw into in software.
    bool TakesSurfaceDrawing();
    // Whether the image is one of the display's two cursor-area images.
    bool IsCursorArea() const;

    // The coverage spans on the locked surface (any destination flags).
    void SurfaceFillScanLinesWithCoverage(Span* spans, int count, const Color& color, int drawMode,
                                          const uint8_t* coverage, int coverX, int coverY, int coverWidth,
                                          int coverHeight);

private:
    // Unlocks the surface if it is locked, releases it and clears the lock count.
    void ReleaseSurface();
    // A transparent picture with its transparent pixels written as a free colour key;
    // false when every colour is taken.
    bool WriteKeyedSurface16(const DDraw::DDSURFACEDESC& desc);
    bool WriteKeyedSurface32(const DDraw::DDSURFACEDESC& desc);
    // The pixels converted into the locked surface, as far as both reach.
    void WriteConvertedRows(const DDraw::DDSURFACEDESC& desc);
    void SetSourceColorKey(uint32_t key);
    // Puts the pixels into a handed-in surface, which the display presents from.
    void WriteBitsToSurface();
};

} // namespace Zest
