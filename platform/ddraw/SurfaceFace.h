#pragma once
// A surface as one of its two interfaces. Each method names itself for the failures tests
// ask for ("IDirectDrawSurface7::Blt"), takes the object lock and hands the call to the
// surface in the seventh interface's terms.

#include "platform/ddraw/DDraw.h"

namespace DDraw {

class Surface;

template <typename Interface>
struct SurfaceInterface;

template <>
struct SurfaceInterface<IDirectDrawSurface> {
    using Description = DDSURFACEDESC;
    using Caps = DDSCAPS;
    using UnlockRect = void*;
    static constexpr const char* kName = "IDirectDrawSurface";
};

template <>
struct SurfaceInterface<IDirectDrawSurface7> {
    using Description = DDSURFACEDESC2;
    using Caps = DDSCAPS2;
    using UnlockRect = RECT*;
    static constexpr const char* kName = "IDirectDrawSurface7";
};

template <typename Interface>
class SurfaceFace final : public Interface {
public:
    using Description = typename SurfaceInterface<Interface>::Description;
    using Caps = typename SurfaceInterface<Interface>::Caps;
    using UnlockRect = typename SurfaceInterface<Interface>::UnlockRect;

    explicit SurfaceFace(Surface& surface)
        : mSurface(surface)
    {
    }

    Surface& Owner() const { return mSurface; }

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT Blt(RECT* destinationRect, Interface* source, RECT* sourceRect, DWORD flags, DDBLTFX* effects) override;
    HRESULT Flip(Interface* target, DWORD flags) override;
    HRESULT GetAttachedSurface(Caps* caps, Interface** attached) override;
    HRESULT GetSurfaceDesc(Description* description) override;
    HRESULT Lock(RECT* rect, Description* description, DWORD flags, HANDLE event) override;
    HRESULT Unlock(UnlockRect rect) override;
    HRESULT SetClipper(IDirectDrawClipper* clipper) override;
    HRESULT SetColorKey(DWORD flags, DDCOLORKEY* key) override;
    HRESULT GetColorKey(DWORD flags, DDCOLORKEY* key) override;
    HRESULT SetPalette(IDirectDrawPalette* palette) override;
    HRESULT IsLost() override;
    HRESULT Restore() override;

private:
    Surface& mSurface;
};

extern template class SurfaceFace<IDirectDrawSurface>;
extern template class SurfaceFace<IDirectDrawSurface7>;

} // namespace DDraw
