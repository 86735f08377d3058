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

    virtual void SetVideoMemory(bool videoMemory);
    virtual bool CreateColorKeySurface();
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

private:
    bool WriteSurface16(const DDraw::DDSURFACEDESC& desc);
    bool WriteSurface32(const DDraw::DDSURFACEDESC& desc);
    void SetSourceColorKey(uint32_t key);
};

} // namespace Zest
