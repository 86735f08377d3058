#pragma once
// A surface: pixels in memory in a pixel format, with rows padded beyond their width.
// One object answers to both surface interfaces, with one reference count. A primary
// surface is what the window shows (its changes go to the screen), and a full-screen
// primary may have a flip chain with one back buffer. A surface holds a reference to its
// back buffer, its clipper and its palette.

#include "platform/ddraw/Blit.h"
#include "platform/ddraw/Objects.h"
#include "platform/ddraw/SurfaceFace.h"

#include <memory>
#include <optional>
#include <vector>

namespace DDraw {

class Clipper;
class Display;
class Palette;

class Surface final : public DualInterfaceObject {
public:
    // Makes a surface (and the back buffer of a flip chain) as the description asks, on a
    // display with a cooperative level set. Holds the display, not its DirectDraw object.
    static HRESULT Create(const std::shared_ptr<Display>& display, const DDSURFACEDESC2& description, Surface** made);

    // The surface in one of its interfaces, without adding a reference.
    template <typename Interface>
    Interface* As();
    // The surface behind an interface; null for null and for anything else.
    template <typename Interface>
    static Surface* From(Interface* surface);

    HRESULT Blt(const RECT* destinationRect, Surface* source, const RECT* sourceRect, DWORD flags,
                const DDBLTFX* effects);
    HRESULT Flip(const Surface* target, DWORD flags);
    // The attached surface whose caps include all of `caps`, with a reference added.
    HRESULT GetAttachedSurface(DWORD caps, Surface** attached);
    HRESULT GetSurfaceDesc(DDSURFACEDESC2* description) const;
    HRESULT Lock(const RECT* rect, DDSURFACEDESC2* description, DWORD flags);
    HRESULT Unlock();
    HRESULT SetClipper(IDirectDrawClipper* clipper);
    HRESULT SetColorKey(DWORD flags, const DDCOLORKEY* key);
    HRESULT GetColorKey(DWORD flags, DDCOLORKEY* key) const;
    HRESULT SetPalette(IDirectDrawPalette* palette);

    // The pixels, for the display's own drawing; they stay where they are until the
    // surface is destroyed, or flipped.
    PixelView Pixels();

private:
    Surface(std::shared_ptr<Display> display, DWORD caps, DWORD caps2, int width, int height,
            const PixelFormat& format);
    ~Surface() override;

    void* Find(REFIID iid) override;

    static HRESULT CheckCaps(const Display& display, const DDSURFACEDESC2& description);
    HRESULT Allocate(bool inVideoMemory, bool videoMemoryPreferred);
    DDSURFACEDESC2 Describe() const;
    bool IsVisible() const { return (mCaps & DDSCAPS_PRIMARYSURFACE) != 0; }
    // Shows a change of a visible surface.
    void Present(const RECT& changed);

    SurfaceFace<IDirectDrawSurface> mFirst{*this};
    SurfaceFace<IDirectDrawSurface7> mSeventh{*this};

    std::shared_ptr<Display> mDisplay;
    DWORD mCaps;
    DWORD mCaps2;
    int mWidth;
    int mHeight;
    PixelFormat mFormat;
    int mPitch = 0;
    std::vector<uint8_t> mBytes;
    // Bytes of video memory the surface took from the display.
    uint64_t mVideoMemory = 0;

    bool mLocked = false;
    // The locked rectangle, and whether the lock may have changed it.
    RECT mLockRect{};
    bool mLockWrites = false;

    std::optional<DDCOLORKEY> mColorKey;
    Surface* mBackBuffer = nullptr;
    Clipper* mClipper = nullptr;
    Palette* mPalette = nullptr;
};

template <>
inline IDirectDrawSurface* Surface::As<IDirectDrawSurface>()
{
    return &mFirst;
}

template <>
inline IDirectDrawSurface7* Surface::As<IDirectDrawSurface7>()
{
    return &mSeventh;
}

template <typename Interface>
Surface* Surface::From(Interface* surface)
{
    auto* face = dynamic_cast<SurfaceFace<Interface>*>(surface);
    return face != nullptr ? &face->Owner() : nullptr;
}

} // namespace DDraw
