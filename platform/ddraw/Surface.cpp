#include "platform/ddraw/Surface.h"

#include "platform/ddraw/Clipper.h"
#include "platform/ddraw/Display.h"
#include "platform/ddraw/Palette.h"

#include <new>

namespace DDraw {
namespace {

// The largest surface side this layer makes, in pixels.
constexpr int kLargestSide = 8192;

constexpr DWORD kMemoryCaps = DDSCAPS_SYSTEMMEMORY | DDSCAPS_VIDEOMEMORY;
constexpr DWORD kLockFlags = DDLOCK_WAIT | DDLOCK_READONLY | DDLOCK_WRITEONLY;
constexpr DWORD kBltFlags = DDBLT_WAIT | DDBLT_KEYSRC | DDBLT_DDFX | DDBLT_COLORFILL;

bool IsValidKey(const DDCOLORKEY& key) { return key.dwColorSpaceLowValue <= key.dwColorSpaceHighValue; }

template <typename Object>
void Replace(Object** held, Object* replacement)
{
    if (replacement != nullptr)
        replacement->AddRef();
    if (*held != nullptr)
        (*held)->Release();
    *held = replacement;
}

} // namespace

Surface::Surface(std::shared_ptr<Display> display, const DWORD caps, const DWORD caps2, const int width,
                 const int height, const PixelFormat& format)
    : mDisplay(std::move(display))
    , mCaps(caps)
    , mCaps2(caps2)
    , mWidth(width)
    , mHeight(height)
    , mFormat(format)
{
}

Surface::~Surface()
{
    if (mBackBuffer != nullptr)
        mBackBuffer->Release();
    if (mClipper != nullptr)
        mClipper->Release();
    if (mPalette != nullptr)
        mPalette->Release();
    mDisplay->ReleaseVideoMemory(mVideoMemory);
    if (IsVisible())
        mDisplay->SetHasPrimary(false);
}

HRESULT Surface::CheckCaps(const Display& display, const DDSURFACEDESC2& description)
{
    const DWORD flags = description.dwFlags;
    const DWORD caps = description.ddsCaps.dwCaps;
    if ((flags & DDSD_CAPS) == 0)
        return DDERR_INVALIDPARAMS;
    if ((flags & DDSD_LPSURFACE) != 0)
        return DDERR_UNSUPPORTED;
    if ((caps & (DDSCAPS_BACKBUFFER | DDSCAPS_FRONTBUFFER)) != 0 || (caps & kMemoryCaps) == kMemoryCaps)
        return DDERR_INVALIDCAPS;
    const bool chain = (caps & DDSCAPS_FLIP) != 0;
    if ((caps & DDSCAPS_PRIMARYSURFACE) == 0) {
        if (chain || (caps & DDSCAPS_COMPLEX) != 0)
            return DDERR_INVALIDCAPS;
        if ((flags & DDSD_WIDTH) == 0 || (flags & DDSD_HEIGHT) == 0 || description.dwWidth == 0 ||
            description.dwHeight == 0)
            return DDERR_INVALIDPARAMS;
        if (description.dwWidth > kLargestSide)
            return DDERR_TOOBIGWIDTH;
        if (description.dwHeight > kLargestSide)
            return DDERR_TOOBIGHEIGHT;
        return DD_OK;
    }
    // The primary surface is the display's: its size and format are not the caller's.
    if ((flags & (DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT)) != 0)
        return DDERR_INVALIDPARAMS;
    if ((caps & (DDSCAPS_OFFSCREENPLAIN | DDSCAPS_TEXTURE | DDSCAPS_SYSTEMMEMORY)) != 0)
        return DDERR_INVALIDCAPS;
    if (chain != ((caps & DDSCAPS_COMPLEX) != 0) || chain != ((flags & DDSD_BACKBUFFERCOUNT) != 0))
        return DDERR_INVALIDPARAMS;
    if (chain && description.dwBackBufferCount != 1)
        return description.dwBackBufferCount == 0 ? DDERR_INVALIDPARAMS : DDERR_UNSUPPORTED;
    if (chain && !display.IsExclusive())
        return DDERR_NOEXCLUSIVEMODE;
    if (display.HasPrimary())
        return DDERR_PRIMARYSURFACEALREADYEXISTS;
    return DD_OK;
}

HRESULT Surface::Create(const std::shared_ptr<Display>& display, const DDSURFACEDESC2& description, Surface** made)
{
    if (const HRESULT result = CheckCaps(*display, description); FAILED(result))
        return result;
    if ((description.dwFlags & DDSD_CKSRCBLT) != 0 && !IsValidKey(description.ddckCKSrcBlt))
        return DDERR_INVALIDPARAMS;
    const DWORD caps = description.ddsCaps.dwCaps;
    const DWORD caps2 = description.ddsCaps.dwCaps2;
    const bool primary = (caps & DDSCAPS_PRIMARYSURFACE) != 0;

    std::optional<PixelFormat> format = (description.dwFlags & DDSD_PIXELFORMAT) != 0
                                            ? PixelFormat::FromDescription(description.ddpfPixelFormat)
                                            : display->SurfaceFormat();
    if (!format)
        return DDERR_INVALIDPIXELFORMAT;
    int width = static_cast<int>(description.dwWidth);
    int height = static_cast<int>(description.dwHeight);
    if (primary) {
        if (const HRESULT result = display->PrimarySize(&width, &height); FAILED(result))
            return result;
    }

    // Primary surfaces and flip chains live in video memory; managed textures in system
    // memory, from which the device would upload them; others where their caps say, and
    // when they do not say, in video memory while it lasts.
    const bool managed = (caps2 & (DDSCAPS2_TEXTUREMANAGE | DDSCAPS2_D3DTEXTUREMANAGE)) != 0;
    const bool videoMemory = primary || (caps & DDSCAPS_VIDEOMEMORY) != 0;
    const bool videoMemoryPreferred = (caps & kMemoryCaps) == 0 && !managed;
    const DWORD frontCaps = primary && (caps & DDSCAPS_FLIP) != 0 ? caps | DDSCAPS_FRONTBUFFER : caps;

    auto* surface = new Surface(display, frontCaps & ~kMemoryCaps, caps2, width, height, *format);
    if (const HRESULT result = surface->Allocate(videoMemory, videoMemoryPreferred); FAILED(result)) {
        surface->Release();
        return result;
    }
    if ((caps & DDSCAPS_FLIP) != 0) {
        const DWORD backCaps = (caps & ~(DDSCAPS_PRIMARYSURFACE | kMemoryCaps)) | DDSCAPS_BACKBUFFER;
        surface->mBackBuffer = new Surface(display, backCaps, caps2, width, height, *format);
        if (const HRESULT result = surface->mBackBuffer->Allocate(true, false); FAILED(result)) {
            surface->Release();
            return result;
        }
    }
    if ((description.dwFlags & DDSD_CKSRCBLT) != 0)
        surface->mColorKey = description.ddckCKSrcBlt;
    if (primary)
        display->SetHasPrimary(true);
    *made = surface;
    return DD_OK;
}

HRESULT Surface::Allocate(const bool inVideoMemory, const bool videoMemoryPreferred)
{
    mPitch = SurfacePitch(mWidth, mFormat.BytesPerPixel());
    const uint64_t bytes = static_cast<uint64_t>(mPitch) * static_cast<uint64_t>(mHeight);
    const bool videoMemory = (inVideoMemory || videoMemoryPreferred) && mDisplay->ReserveVideoMemory(bytes);
    if (inVideoMemory && !videoMemory)
        return DDERR_OUTOFVIDEOMEMORY;
    if (videoMemory)
        mVideoMemory = bytes;
    mCaps |= videoMemory ? DDSCAPS_VIDEOMEMORY : DDSCAPS_SYSTEMMEMORY;
    try {
        mBytes.assign(bytes, 0);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return DD_OK;
}

void* Surface::Find(REFIID iid)
{
    if (iid == IID_IDirectDrawSurface)
        return As<IDirectDrawSurface>();
    if (iid == IID_IDirectDrawSurface7)
        return As<IDirectDrawSurface7>();
    return nullptr;
}

PixelView Surface::Pixels()
{
    return {mBytes.data(), mPitch, mWidth, mHeight, &mFormat, mPalette != nullptr ? mPalette->Entries() : nullptr};
}

DDSURFACEDESC2 Surface::Describe() const
{
    DDSURFACEDESC2 description{};
    description.dwSize = sizeof(description);
    description.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    description.dwWidth = static_cast<DWORD>(mWidth);
    description.dwHeight = static_cast<DWORD>(mHeight);
    description.lPitch = mPitch;
    description.ddpfPixelFormat = mFormat.Describe();
    description.ddsCaps.dwCaps = mCaps;
    description.ddsCaps.dwCaps2 = mCaps2;
    if (mBackBuffer != nullptr) {
        description.dwFlags |= DDSD_BACKBUFFERCOUNT;
        description.dwBackBufferCount = 1;
    }
    if (mColorKey) {
        description.dwFlags |= DDSD_CKSRCBLT;
        description.ddckCKSrcBlt = *mColorKey;
    }
    return description;
}

HRESULT Surface::GetSurfaceDesc(DDSURFACEDESC2* description) const
{
    *description = Describe();
    return DD_OK;
}

HRESULT Surface::Lock(const RECT* rect, DDSURFACEDESC2* description, const DWORD flags)
{
    if ((flags & ~kLockFlags) != 0)
        return DDERR_INVALIDPARAMS;
    if (mLocked)
        return DDERR_SURFACEBUSY;
    const RECT area = rect != nullptr ? *rect : RECT{0, 0, mWidth, mHeight};
    if (!IsInside(area, mWidth, mHeight))
        return DDERR_INVALIDRECT;
    *description = Describe();
    description->dwFlags |= DDSD_LPSURFACE;
    description->lpSurface =
        mBytes.data() + static_cast<ptrdiff_t>(area.top) * mPitch + area.left * mFormat.BytesPerPixel();
    mLocked = true;
    mLockRect = area;
    mLockWrites = (flags & DDLOCK_READONLY) == 0;
    return DD_OK;
}

HRESULT Surface::Unlock()
{
    if (!mLocked)
        return DDERR_NOTLOCKED;
    mLocked = false;
    if (mLockWrites)
        Present(mLockRect);
    return DD_OK;
}

HRESULT Surface::Blt(const RECT* destinationRect, Surface* source, const RECT* sourceRect, const DWORD flags,
                     const DDBLTFX* effects)
{
    if ((flags & ~kBltFlags) != 0)
        return DDERR_INVALIDPARAMS;
    if ((flags & DDBLT_DDFX) != 0) {
        if (effects == nullptr)
            return DDERR_INVALIDPARAMS;
        // Arithmetic stretching is how every stretch is done here.
        if ((effects->dwDDFX & ~DDBLTFX_ARITHSTRETCHY) != 0)
            return DDERR_UNSUPPORTED;
    }
    const bool fill = (flags & DDBLT_COLORFILL) != 0;
    if (fill ? (effects == nullptr || source != nullptr) : source == nullptr)
        return DDERR_INVALIDPARAMS;
    if (mLocked || (source != nullptr && source->mLocked))
        return DDERR_SURFACEBUSY;

    const RECT destination = destinationRect != nullptr ? *destinationRect : RECT{0, 0, mWidth, mHeight};
    if (IsEmpty(destination))
        return DDERR_INVALIDRECT;
    // With a clipper the blit is cut to the window's client area; without one it must fit.
    RECT clip = destination;
    RECT client{};
    if (mClipper != nullptr && mClipper->ClientArea(&client))
        clip = Intersection(clip, client);
    if (mClipper != nullptr)
        clip = Intersection(clip, {0, 0, mWidth, mHeight});
    else if (!IsInside(destination, mWidth, mHeight))
        return DDERR_INVALIDRECT;

    if (fill) {
        if (!IsEmpty(clip))
            FillPixels(Pixels(), clip, effects->dwFillColor);
    } else {
        const RECT from = sourceRect != nullptr ? *sourceRect : RECT{0, 0, source->mWidth, source->mHeight};
        if (!IsInside(from, source->mWidth, source->mHeight))
            return DDERR_INVALIDRECT;
        const bool keyed = (flags & DDBLT_KEYSRC) != 0;
        if (keyed && !source->mColorKey)
            return DDERR_NOCOLORKEY;
        if (mFormat.IsPalettised() && !(mFormat == source->mFormat))
            return DDERR_UNSUPPORTED;
        CopyPixels(Pixels(), destination, clip, source->Pixels(), from, keyed ? &*source->mColorKey : nullptr);
    }
    if (!IsEmpty(clip))
        Present(clip);
    return DD_OK;
}

HRESULT Surface::Flip(const Surface* target, const DWORD flags)
{
    if ((flags & ~DDFLIP_WAIT) != 0)
        return DDERR_INVALIDPARAMS;
    if (mBackBuffer == nullptr)
        return DDERR_NOTFLIPPABLE;
    if (target != nullptr && target != mBackBuffer)
        return DDERR_INVALIDPARAMS;
    if (mLocked || mBackBuffer->mLocked)
        return DDERR_SURFACEBUSY;
    mBytes.swap(mBackBuffer->mBytes);
    Present({0, 0, mWidth, mHeight});
    return DD_OK;
}

HRESULT Surface::GetAttachedSurface(const DWORD caps, Surface** attached)
{
    if (mBackBuffer == nullptr || (mBackBuffer->mCaps & caps) != caps)
        return DDERR_NOTFOUND;
    mBackBuffer->AddRef();
    *attached = mBackBuffer;
    return DD_OK;
}

HRESULT Surface::SetClipper(IDirectDrawClipper* clipper)
{
    Clipper* const attached = Clipper::From(clipper);
    if (clipper != nullptr && attached == nullptr)
        return DDERR_INVALIDOBJECT;
    Replace(&mClipper, attached);
    return DD_OK;
}

HRESULT Surface::SetPalette(IDirectDrawPalette* palette)
{
    Palette* const attached = Palette::From(palette);
    if (palette != nullptr && attached == nullptr)
        return DDERR_INVALIDOBJECT;
    if (attached != nullptr && !mFormat.IsPalettised())
        return DDERR_NOTPALETTIZED;
    Replace(&mPalette, attached);
    return DD_OK;
}

HRESULT Surface::SetColorKey(const DWORD flags, const DDCOLORKEY* key)
{
    if (flags != DDCKEY_SRCBLT || (key != nullptr && !IsValidKey(*key)))
        return DDERR_INVALIDPARAMS;
    if (key != nullptr)
        mColorKey = *key;
    else
        mColorKey.reset();
    return DD_OK;
}

HRESULT Surface::GetColorKey(const DWORD flags, DDCOLORKEY* key) const
{
    if (flags != DDCKEY_SRCBLT || key == nullptr)
        return DDERR_INVALIDPARAMS;
    if (!mColorKey)
        return DDERR_NOCOLORKEY;
    *key = *mColorKey;
    return DD_OK;
}

void Surface::Present(const RECT& changed)
{
    if (!IsVisible())
        return;
    mDisplay->PresentPrimary(Pixels(), changed, mClipper != nullptr ? mClipper->Window() : nullptr);
}

} // namespace DDraw
