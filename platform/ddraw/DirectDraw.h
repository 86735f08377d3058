#pragma once
// The DirectDraw object: one object answering to IDirectDraw and IDirectDraw7 with one
// reference count. It makes surfaces, clippers and palettes, and keeps the display state
// (cooperative level, display mode, video memory) that its surfaces share.

#include "platform/ddraw/Display.h"
#include "platform/ddraw/Objects.h"

#include <memory>

namespace DDraw {

class Surface;

class DirectDraw final : public DualInterfaceObject {
public:
    DirectDraw();

    // The object in one of its interfaces, without adding a reference.
    template <typename Interface>
    Interface* As();

    HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer);
    HRESULT CreatePalette(DWORD flags, const PALETTEENTRY* entries, IDirectDrawPalette** palette, IUnknown* outer);
    HRESULT FlipToGDISurface();
    HRESULT GetMonitorFrequency(DWORD* frequency);
    HRESULT RestoreDisplayMode();
    HRESULT SetCooperativeLevel(HWND window, DWORD flags);
    HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate, DWORD flags);
    HRESULT GetAvailableVidMem(const DDSCAPS2* caps, DWORD* total, DWORD* free);
    HRESULT GetDeviceIdentifier(DDDEVICEIDENTIFIER2* identifier, DWORD flags);

private:
    template <typename Interface>
    class Face;
    class FirstFace;
    class SeventhFace;

    ~DirectDraw() override;

    void* Find(REFIID iid) override;

    // Both interfaces' surface calls: the surface in the interface the caller asked through.
    template <typename Description, typename Interface>
    HRESULT CreateSurface(const Description* description, Interface** surface, IUnknown* outer);
    template <typename Description>
    HRESULT GetDisplayMode(Description* description);
    HRESULT MakeSurface(const DDSURFACEDESC2& description, Surface** made, IUnknown* outer);

    std::unique_ptr<FirstFace> mFirst;
    std::unique_ptr<SeventhFace> mSeventh;
    std::shared_ptr<Display> mDisplay = std::make_shared<Display>();
};

template <>
IDirectDraw* DirectDraw::As<IDirectDraw>();
template <>
IDirectDraw7* DirectDraw::As<IDirectDraw7>();

// The identity GetDeviceIdentifier reports: this software display's own.
inline constexpr GUID kDeviceIdentifier{0x47410003, 0x4444, 0x0010, {'G', 'A', 'D', 'I', 'S', 'P', 0, 1}};

} // namespace DDraw
