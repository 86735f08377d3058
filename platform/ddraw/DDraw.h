#pragma once
// DirectDraw 7 as the display back end uses it: the DirectDraw object in its first and
// seventh interface, surfaces in their first and seventh interface, clippers and palettes,
// with the structures and flags their calls take. The library "ddraw.dll" (ddraw.so) exports
// DirectDrawCreate and DirectDrawCreateEx; the program looks both up by name.
//
// Surfaces keep their pixels in memory in the display's format (16-bit 5-6-5 or 5-5-5, or
// 32-bit X8R8G8B8) with rows padded beyond their width. The primary surface is what the
// window shows: the stand-in's presenter puts it on the screen. Flag values are this
// layer's own.

#include "platform/ddraw/DDrawResults.h"
#include "platform/win32/Com.h"
#include "platform/win32/Types.h"

#include <cstdint>

namespace DDraw {

using Win32::BYTE;
using Win32::DWORD;
using Win32::GUID;
using Win32::HANDLE;
using Win32::HWND;
using Win32::IID;
using Win32::IUnknown;
using Win32::LONG;
using Win32::RECT;
using Win32::REFIID;
using Win32::ULONG;
using Win32::WORD;

// Interface ids: this layer's own values, one per interface.
inline constexpr IID IID_IDirectDraw{0x47410001, 0x4444, 0x0001, {'G', 'A', 'D', 'D', 'R', 'A', 'W', 1}};
inline constexpr IID IID_IDirectDraw7{0x47410001, 0x4444, 0x0007, {'G', 'A', 'D', 'D', 'R', 'A', 'W', 7}};
inline constexpr IID IID_IDirectDrawSurface{0x47410002, 0x4444, 0x0001, {'G', 'A', 'S', 'U', 'R', 'F', 0, 1}};
inline constexpr IID IID_IDirectDrawSurface7{0x47410002, 0x4444, 0x0007, {'G', 'A', 'S', 'U', 'R', 'F', 0, 7}};

// Cooperative levels.
constexpr DWORD DDSCL_NORMAL = 0x0001;
constexpr DWORD DDSCL_EXCLUSIVE = 0x0002;
constexpr DWORD DDSCL_FULLSCREEN = 0x0004;

// Which fields of a surface description are valid.
constexpr DWORD DDSD_CAPS = 0x0001;
constexpr DWORD DDSD_HEIGHT = 0x0002;
constexpr DWORD DDSD_WIDTH = 0x0004;
constexpr DWORD DDSD_PITCH = 0x0008;
constexpr DWORD DDSD_BACKBUFFERCOUNT = 0x0010;
constexpr DWORD DDSD_LPSURFACE = 0x0020;
constexpr DWORD DDSD_PIXELFORMAT = 0x0040;
constexpr DWORD DDSD_CKSRCBLT = 0x0080;
constexpr DWORD DDSD_REFRESHRATE = 0x0100;

// Surface capabilities (dwCaps).
constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x0001;
constexpr DWORD DDSCAPS_BACKBUFFER = 0x0002;
constexpr DWORD DDSCAPS_FRONTBUFFER = 0x0004;
constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x0008;
constexpr DWORD DDSCAPS_FLIP = 0x0010;
constexpr DWORD DDSCAPS_COMPLEX = 0x0020;
constexpr DWORD DDSCAPS_SYSTEMMEMORY = 0x0040;
constexpr DWORD DDSCAPS_VIDEOMEMORY = 0x0080;
constexpr DWORD DDSCAPS_3DDEVICE = 0x0100;
constexpr DWORD DDSCAPS_TEXTURE = 0x0200;
constexpr DWORD DDSCAPS_PALETTE = 0x0400;
// dwCaps2.
constexpr DWORD DDSCAPS2_TEXTUREMANAGE = 0x0001;
constexpr DWORD DDSCAPS2_D3DTEXTUREMANAGE = 0x0002;

// Pixel format flags.
constexpr DWORD DDPF_ALPHAPIXELS = 0x0001;
constexpr DWORD DDPF_RGB = 0x0002;
constexpr DWORD DDPF_PALETTEINDEXED8 = 0x0004;

// Lock.
constexpr DWORD DDLOCK_WAIT = 0x0001;
constexpr DWORD DDLOCK_READONLY = 0x0002;
constexpr DWORD DDLOCK_WRITEONLY = 0x0004;

// Blt: dwFlags and the effects of DDBLTFX::dwDDFX.
constexpr DWORD DDBLT_WAIT = 0x0001;
constexpr DWORD DDBLT_KEYSRC = 0x0002;
constexpr DWORD DDBLT_DDFX = 0x0004;
constexpr DWORD DDBLT_COLORFILL = 0x0008;
constexpr DWORD DDBLTFX_ARITHSTRETCHY = 0x0001;

// Flip.
constexpr DWORD DDFLIP_WAIT = 0x0001;

// Colour keys.
constexpr DWORD DDCKEY_SRCBLT = 0x0001;

// Palettes.
constexpr DWORD DDPCAPS_8BIT = 0x0001;
constexpr DWORD DDPCAPS_ALLOW256 = 0x0002;
constexpr DWORD DDPCAPS_ALPHA = 0x0004;

struct DDCOLORKEY {
    DWORD dwColorSpaceLowValue;
    DWORD dwColorSpaceHighValue;
};

struct DDPIXELFORMAT {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwFourCC;
    DWORD dwRGBBitCount;
    DWORD dwRBitMask;
    DWORD dwGBitMask;
    DWORD dwBBitMask;
    DWORD dwRGBAlphaBitMask;
};

struct DDSCAPS {
    DWORD dwCaps;
};

struct DDSCAPS2 {
    DWORD dwCaps;
    DWORD dwCaps2;
    DWORD dwCaps3;
    DWORD dwCaps4;
};

// The description of the first interface.
struct DDSURFACEDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    // Bytes from one row to the next.
    LONG lPitch;
    DWORD dwBackBufferCount;
    DWORD dwRefreshRate;
    DWORD dwAlphaBitDepth;
    DWORD dwReserved;
    // The pixels while the surface is locked.
    void* lpSurface;
    DDCOLORKEY ddckCKDestOverlay;
    DDCOLORKEY ddckCKDestBlt;
    DDCOLORKEY ddckCKSrcOverlay;
    DDCOLORKEY ddckCKSrcBlt;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS ddsCaps;
};

// The description of the seventh interface.
struct DDSURFACEDESC2 {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    LONG lPitch;
    DWORD dwBackBufferCount;
    DWORD dwRefreshRate;
    DWORD dwAlphaBitDepth;
    DWORD dwReserved;
    void* lpSurface;
    DDCOLORKEY ddckCKDestOverlay;
    DDCOLORKEY ddckCKDestBlt;
    DDCOLORKEY ddckCKSrcOverlay;
    DDCOLORKEY ddckCKSrcBlt;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS2 ddsCaps;
    DWORD dwTextureStage;
};

struct DDBLTFX {
    DWORD dwSize;
    DWORD dwDDFX;
    DWORD dwFillColor;
    DDCOLORKEY ddckDestColorkey;
    DDCOLORKEY ddckSrcColorkey;
};

struct PALETTEENTRY {
    BYTE peRed;
    BYTE peGreen;
    BYTE peBlue;
    BYTE peFlags;
};

struct DDDEVICEIDENTIFIER2 {
    char szDriver[512];
    char szDescription[512];
    int64_t liDriverVersion;
    DWORD dwVendorId;
    DWORD dwDeviceId;
    DWORD dwSubSysId;
    DWORD dwRevision;
    GUID guidDeviceIdentifier;
    DWORD dwWHQLLevel;
};

class IDirectDrawClipper : public IUnknown {
public:
    // Clips blits onto the surfaces it is attached to to the window's client area.
    virtual HRESULT SetHWnd(DWORD flags, HWND window) = 0;
    virtual HRESULT GetHWnd(HWND* window) = 0;

protected:
    ~IDirectDrawClipper() = default;
};

class IDirectDrawPalette : public IUnknown {
public:
    virtual HRESULT GetEntries(DWORD flags, DWORD base, DWORD count, PALETTEENTRY* entries) = 0;
    virtual HRESULT SetEntries(DWORD flags, DWORD base, DWORD count, const PALETTEENTRY* entries) = 0;

protected:
    ~IDirectDrawPalette() = default;
};

// A surface in the first interface. Rectangles are (left, top, right, bottom); a null
// rectangle is the whole surface.
class IDirectDrawSurface : public IUnknown {
public:
    // Copies (and stretches) a rectangle of the source; DDBLT_KEYSRC skips the source's
    // colour-key pixels. Refused while either surface is locked.
    virtual HRESULT Blt(RECT* destRect, IDirectDrawSurface* source, RECT* sourceRect, DWORD flags,
                        DDBLTFX* effects) = 0;
    // Swaps the contents of the front buffer and its attached back buffer.
    virtual HRESULT Flip(IDirectDrawSurface* target, DWORD flags) = 0;
    virtual HRESULT GetAttachedSurface(DDSCAPS* caps, IDirectDrawSurface** attached) = 0;
    virtual HRESULT GetSurfaceDesc(DDSURFACEDESC* desc) = 0;
    // One lock at a time; a second is refused until Unlock.
    virtual HRESULT Lock(RECT* rect, DDSURFACEDESC* desc, DWORD flags, HANDLE event) = 0;
    virtual HRESULT Unlock(void* rect) = 0;
    virtual HRESULT SetClipper(IDirectDrawClipper* clipper) = 0;
    virtual HRESULT SetColorKey(DWORD flags, DDCOLORKEY* key) = 0;
    virtual HRESULT GetColorKey(DWORD flags, DDCOLORKEY* key) = 0;
    virtual HRESULT SetPalette(IDirectDrawPalette* palette) = 0;
    virtual HRESULT IsLost() = 0;
    virtual HRESULT Restore() = 0;

protected:
    ~IDirectDrawSurface() = default;
};

// The same surface in the seventh interface.
class IDirectDrawSurface7 : public IUnknown {
public:
    virtual HRESULT Blt(RECT* destRect, IDirectDrawSurface7* source, RECT* sourceRect, DWORD flags,
                        DDBLTFX* effects) = 0;
    virtual HRESULT Flip(IDirectDrawSurface7* target, DWORD flags) = 0;
    virtual HRESULT GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface7** attached) = 0;
    virtual HRESULT GetSurfaceDesc(DDSURFACEDESC2* desc) = 0;
    virtual HRESULT Lock(RECT* rect, DDSURFACEDESC2* desc, DWORD flags, HANDLE event) = 0;
    virtual HRESULT Unlock(RECT* rect) = 0;
    virtual HRESULT SetClipper(IDirectDrawClipper* clipper) = 0;
    virtual HRESULT SetColorKey(DWORD flags, DDCOLORKEY* key) = 0;
    virtual HRESULT GetColorKey(DWORD flags, DDCOLORKEY* key) = 0;
    virtual HRESULT SetPalette(IDirectDrawPalette* palette) = 0;
    virtual HRESULT IsLost() = 0;
    virtual HRESULT Restore() = 0;

protected:
    ~IDirectDrawSurface7() = default;
};

// The DirectDraw object in its first interface.
class IDirectDraw : public IUnknown {
public:
    virtual HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer) = 0;
    virtual HRESULT CreatePalette(DWORD flags, PALETTEENTRY* entries, IDirectDrawPalette** palette,
                                  IUnknown* outer) = 0;
    virtual HRESULT CreateSurface(DDSURFACEDESC* desc, IDirectDrawSurface** surface, IUnknown* outer) = 0;
    virtual HRESULT FlipToGDISurface() = 0;
    virtual HRESULT GetDisplayMode(DDSURFACEDESC* desc) = 0;
    virtual HRESULT GetMonitorFrequency(DWORD* frequency) = 0;
    virtual HRESULT RestoreDisplayMode() = 0;
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
    virtual HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel) = 0;

protected:
    ~IDirectDraw() = default;
};

// The DirectDraw object in its seventh interface.
class IDirectDraw7 : public IUnknown {
public:
    virtual HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer) = 0;
    virtual HRESULT CreatePalette(DWORD flags, PALETTEENTRY* entries, IDirectDrawPalette** palette,
                                  IUnknown* outer) = 0;
    virtual HRESULT CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface7** surface, IUnknown* outer) = 0;
    virtual HRESULT FlipToGDISurface() = 0;
    virtual HRESULT GetDisplayMode(DDSURFACEDESC2* desc) = 0;
    virtual HRESULT GetMonitorFrequency(DWORD* frequency) = 0;
    virtual HRESULT RestoreDisplayMode() = 0;
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
    virtual HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate,
                                   DWORD flags) = 0;
    // Total and free memory of the kind the caps ask for, in bytes.
    virtual HRESULT GetAvailableVidMem(DDSCAPS2* caps, DWORD* total, DWORD* free) = 0;
    virtual HRESULT GetDeviceIdentifier(DDDEVICEIDENTIFIER2* identifier, DWORD flags) = 0;

protected:
    ~IDirectDraw7() = default;
};

// The two entry points, as the program looks them up.
using DirectDrawCreateFunc = HRESULT (*)(GUID* driver, IDirectDraw** directDraw, IUnknown* outer);
using DirectDrawCreateExFunc = HRESULT (*)(GUID* driver, void** directDraw, REFIID iid, IUnknown* outer);

} // namespace DDraw

extern "C" {
DDraw::HRESULT DirectDrawCreate(Win32::GUID* driver, DDraw::IDirectDraw** directDraw, Win32::IUnknown* outer);
DDraw::HRESULT DirectDrawCreateEx(Win32::GUID* driver, void** directDraw, Win32::REFIID iid, Win32::IUnknown* outer);
}
