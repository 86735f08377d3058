#pragma once
// A picture held as 32-bit ARGB pixels in memory, drawn in software, with the derived forms
// that make drawing it fast: a premultiplied copy in the display's layout, two run-length
// tables and an optional 8-bit palettised form. Drawing works on the ARGB pixels (GetBits
// makes them) and ends with BitsChanged, which drops the caches; they are rebuilt by the
// next draw that wants them. Every operation reaches the pixels only through the virtual
// GetBits, BitsChanged, CommitBits and GetNativeAlphaData, so that a display image can keep
// its picture elsewhere.

#include "framework/graphics/AppInterface.h"
#include "framework/graphics/Image.h"
#include "framework/graphics/NativeDisplay.h"

#include <cstdint>

namespace Zest {

// The 3D renderer's data of an image; only its owner knows its content.
struct TextureData;

// The word written after the last pixel of every picture.
constexpr uint32_t kImageGuardWord = 0x4BEEFADE;

class MemoryImage : public Image {
public:
    // Registers in the process's application (GetAppInterface) or in the one given.
    MemoryImage();
    explicit MemoryImage(AppInterface* app);
    // Deep-copies every form of the picture the source holds.
    MemoryImage(const MemoryImage& other);
    MemoryImage& operator=(const MemoryImage&) = delete;
    ~MemoryImage() override;

    // Drawing in software (the fills, lines, blits, matrix blits and triangles).
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

    // The matrix blit and the textured triangles, rasterised into a picture of this image's
    // size at `bits` (rows `pitch` bytes apart) in a rasteriser format (kFormat8888 and so
    // on), clipped to clip and to this image's size. The display draws into its locked
    // surfaces through them.
    void BltMatrixHelper(Image* src, const Rect& srcRect, float x, float y, const Matrix3& matrix, const Rect& clip,
                         const Color& color, void* bits, int pitch, int format, bool linearBlend,
                         bool additive = false);
    void BltTrianglesTexHelper(Image* texture, const TriVertex (*triangles)[3], int count, const Rect& clip,
                               const Color& color, void* bits, int pitch, int format, float tx, float ty,
                               bool linearBlend, bool additive = false);

    // The picture premultiplied by alpha in the display's layout, built on first use.
    virtual uint32_t* GetNativeAlphaData(const NativeDisplay* display);
    // One byte per pixel: pixels left in its run of transparent, opaque or partly
    // transparent pixels along the row, capped at 255.
    virtual uint8_t* GetRLAlphaData();
    // The same with the runs of black and non-black pixels of the native data.
    virtual uint8_t* GetRLAdditiveData(const NativeDisplay* display);
    virtual void PurgeBits();
    virtual void DeleteSoftwareBuffers();
    virtual void Delete3DBuffers();
    virtual void DeleteCachedBuffers();
    virtual void ReInit();
    virtual void BitsChanged();
    virtual void CommitBits();
    virtual void DeleteNativeData();
    virtual void Clear();
    virtual void SetBits(const uint32_t* bits, int width, int height, bool commit);
    // Takes over `bits` as the picture instead of copying them: width x height pixels in a
    // new[] array with room for one more word, which becomes the guard word.
    void AdoptBits(uint32_t* bits, int width, int height, bool commit);
    virtual void Create(int width, int height);
    virtual uint32_t* GetBits();
    virtual void SetImageMode(bool hasTrans, bool hasAlpha);
    virtual void SetVolatile(bool isVolatile);
    virtual bool Palletize();

    // Clipping of rotated and stretched drawing, shared with the display image.
    static bool BltRotatedClipHelper(float x, float y, const Rect& srcRect, const Rect& clip, double angle,
                                     float centreX, float centreY, DoubleRect* destArea);
    static bool StretchBltClipHelper(const Rect& srcRect, const Rect& clip, const Rect& destRect, Rect* clippedDest,
                                     DoubleRect* srcArea);
    static bool StretchBltMirrorClipHelper(const Rect& srcRect, const Rect& clip, const Rect& destRect,
                                           Rect* clippedDest, DoubleRect* srcArea);

    uint32_t* mBits = nullptr;
    int32_t mBitsChangedCount = 0;
    TextureData* mTextureData = nullptr;
    int32_t mTextureFlags = 0;
    uint32_t* mColorTable = nullptr;
    uint8_t* mColorIndices = nullptr;
    bool mForcedMode = false;
    bool mHasTrans = false;
    bool mHasAlpha = false;
    bool mIsVolatile = false;
    bool mPurgeBits = false;
    bool mWantPalletize = false;
    uint32_t* mNativeAlphaData = nullptr;
    uint8_t* mRLAlphaData = nullptr;
    uint8_t* mRLAdditiveData = nullptr;
    bool mBitsChanged = false;
    AppInterface* mApp = nullptr;

protected:
    // The routines behind the blits; mirrored, the source is drawn flipped left-right.
    void NormalBlt(Image* src, int x, int y, const Rect& srcRect, const Color& color, bool mirror = false);
    void AdditiveBlt(Image* src, int x, int y, const Rect& srcRect, const Color& color, bool mirror = false);
    // Nearest-pixel and filtered stretches of srcArea onto clippedDest.
    void FastStretchBlt(Image* src, const Rect& clippedDest, const DoubleRect& srcArea, const Color& color,
                        int drawMode = DRAWMODE_NORMAL, bool mirror = false);
    void SlowStretchBlt(Image* src, const Rect& clippedDest, const DoubleRect& srcArea,
                        const Color& color = Color::White, int drawMode = DRAWMODE_NORMAL, bool mirror = false);
};

} // namespace Zest
