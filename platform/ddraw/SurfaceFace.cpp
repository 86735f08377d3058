#include "platform/ddraw/SurfaceFace.h"

#include "platform/ddraw/Descriptions.h"
#include "platform/ddraw/Surface.h"

namespace DDraw {
namespace {

template <typename Interface, typename Call>
HRESULT Run(const char* method, Call&& call)
{
    return RunMethod(SurfaceInterface<Interface>::kName, method, std::forward<Call>(call));
}

} // namespace

template <typename Interface>
HRESULT SurfaceFace<Interface>::QueryInterface(REFIID iid, void** object)
{
    return Run<Interface>("QueryInterface", [&] { return mSurface.QueryInterface(iid, object); });
}

template <typename Interface>
ULONG SurfaceFace<Interface>::AddRef()
{
    const std::lock_guard lock(ObjectLock());
    return mSurface.AddRef();
}

template <typename Interface>
ULONG SurfaceFace<Interface>::Release()
{
    const std::lock_guard lock(ObjectLock());
    return mSurface.Release();
}

template <typename Interface>
HRESULT SurfaceFace<Interface>::Blt(RECT* destinationRect, Interface* source, RECT* sourceRect, const DWORD flags,
                                    DDBLTFX* effects)
{
    return Run<Interface>("Blt", [&] {
        Surface* const sourceSurface = Surface::From(source);
        if (source != nullptr && sourceSurface == nullptr)
            return DDERR_INVALIDOBJECT;
        return mSurface.Blt(destinationRect, sourceSurface, sourceRect, flags, effects);
    });
}

template <typename Interface>
HRESULT SurfaceFace<Interface>::Flip(Interface* target, const DWORD flags)
{
    return Run<Interface>("Flip", [&] {
        const Surface* const targetSurface = Surface::From(target);
        if (target != nullptr && targetSurface == nullptr)
            return DDERR_INVALIDOBJECT;
        return mSurface.Flip(targetSurface, flags);
    });
}

template <typename Interface>
HRESULT SurfaceFace<Interface>::GetAttachedSurface(Caps* caps, Interface** attached)
{
    return Run<Interface>("GetAttachedSurface", [&] {
        if (caps == nullptr || attached == nullptr)
            return DDERR_INVALIDPARAMS;
        *attached = nullptr;
        Surface* found = nullptr;
        const HRESULT result = mSurface.GetAttachedSurface(caps->dwCaps, &found);
        if (SUCCEEDED(result))
            *attached = found->As<Interface>();
        return result;
    });
}

template <typename Interface>
HRESULT SurfaceFace<Interface>::GetSurfaceDesc(Description* description)
{
    return Run<Interface>("GetSurfaceDesc", [&] {
        if (description == nullptr)
            return DDERR_INVALIDPARAMS;
        DDSURFACEDESC2 wide{};
        const HRESULT result = mSurface.GetSurfaceDesc(&wide);
        if (SUCCEEDED(result))
            Deliver(wide, description);
        return result;
    });
}

template <typename Interface>
HRESULT SurfaceFace<Interface>::Lock(RECT* rect, Description* description, const DWORD flags, HANDLE event)
{
    return Run<Interface>("Lock", [&] {
        if (description == nullptr)
            return DDERR_INVALIDPARAMS;
        DDSURFACEDESC2 wide{};
        const HRESULT result = mSurface.Lock(rect, &wide, flags);
        if (SUCCEEDED(result))
            Deliver(wide, description);
        return result;
    });
}

template <typename Interface>
HRESULT SurfaceFace<Interface>::Unlock(UnlockRect rect)
{
    return Run<Interface>("Unlock", [&] { return mSurface.Unlock(); });
}

template <typename Interface>
HRESULT SurfaceFace<Interface>::SetClipper(IDirectDrawClipper* clipper)
{
    return Run<Interface>("SetClipper", [&] { return mSurface.SetClipper(clipper); });
}

template <typename Interface>
HRESULT SurfaceFace<Interface>::SetColorKey(const DWORD flags, DDCOLORKEY* key)
{
    return Run<Interface>("SetColorKey", [&] { return mSurface.SetColorKey(flags, key); });
}

template <typename Interface>
HRESULT SurfaceFace<Interface>::GetColorKey(const DWORD flags, DDCOLORKEY* key)
{
    return Run<Interface>("GetColorKey", [&] { return mSurface.GetColorKey(flags, key); });
}

template <typename Interface>
HRESULT SurfaceFace<Interface>::SetPalette(IDirectDrawPalette* palette)
{
    return Run<Interface>("SetPalette", [&] { return mSurface.SetPalette(palette); });
}

// Surfaces live in memory, which nothing takes away.
template <typename Interface>
HRESULT SurfaceFace<Interface>::IsLost()
{
    return Run<Interface>("IsLost", [] { return DD_OK; });
}

template <typename Interface>
HRESULT SurfaceFace<Interface>::Restore()
{
    return Run<Interface>("Restore", [] { return DD_OK; });
}

template class SurfaceFace<IDirectDrawSurface>;
template class SurfaceFace<IDirectDrawSurface7>;

} // namespace DDraw
