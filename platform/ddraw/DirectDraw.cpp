#include "platform/ddraw/DirectDraw.h"

#include "platform/ddraw/Clipper.h"
#include "platform/ddraw/Descriptions.h"
#include "platform/ddraw/Palette.h"
#include "platform/ddraw/Surface.h"

#include <cstdio>

namespace DDraw {

namespace {

template <typename Interface>
struct DirectDrawInterface;

template <>
struct DirectDrawInterface<IDirectDraw> {
    using Description = DDSURFACEDESC;
    using Surface = IDirectDrawSurface;
    static constexpr const char* kName = "IDirectDraw";
};

template <>
struct DirectDrawInterface<IDirectDraw7> {
    using Description = DDSURFACEDESC2;
    using Surface = IDirectDrawSurface7;
    static constexpr const char* kName = "IDirectDraw7";
};

} // namespace

// The methods both interfaces share. Each names itself for the failures tests ask for
// ("IDirectDraw7::CreateSurface") and runs under the object lock.
template <typename Interface>
class DirectDraw::Face : public Interface {
public:
    using Description = typename DirectDrawInterface<Interface>::Description;
    using SurfaceInterface = typename DirectDrawInterface<Interface>::Surface;

    explicit Face(DirectDraw& object)
        : mObject(object)
    {
    }

    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        return Run("QueryInterface", [&] { return mObject.QueryInterface(iid, object); });
    }
    ULONG AddRef() override
    {
        const std::lock_guard lock(ObjectLock());
        return mObject.AddRef();
    }
    ULONG Release() override
    {
        const std::lock_guard lock(ObjectLock());
        return mObject.Release();
    }
    HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer) override
    {
        return Run("CreateClipper", [&] { return mObject.CreateClipper(flags, clipper, outer); });
    }
    HRESULT CreatePalette(DWORD flags, PALETTEENTRY* entries, IDirectDrawPalette** palette, IUnknown* outer) override
    {
        return Run("CreatePalette", [&] { return mObject.CreatePalette(flags, entries, palette, outer); });
    }
    HRESULT CreateSurface(Description* description, SurfaceInterface** surface, IUnknown* outer) override
    {
        return Run("CreateSurface", [&] { return mObject.CreateSurface(description, surface, outer); });
    }
    HRESULT FlipToGDISurface() override
    {
        return Run("FlipToGDISurface", [&] { return mObject.FlipToGDISurface(); });
    }
    HRESULT GetDisplayMode(Description* description) override
    {
        return Run("GetDisplayMode", [&] { return mObject.GetDisplayMode(description); });
    }
    HRESULT GetMonitorFrequency(DWORD* frequency) override
    {
        return Run("GetMonitorFrequency", [&] { return mObject.GetMonitorFrequency(frequency); });
    }
    HRESULT RestoreDisplayMode() override
    {
        return Run("RestoreDisplayMode", [&] { return mObject.RestoreDisplayMode(); });
    }
    HRESULT SetCooperativeLevel(HWND window, DWORD flags) override
    {
        return Run("SetCooperativeLevel", [&] { return mObject.SetCooperativeLevel(window, flags); });
    }

protected:
    ~Face() = default;

    template <typename Call>
    static HRESULT Run(const char* method, Call&& call)
    {
        return RunMethod(DirectDrawInterface<Interface>::kName, method, std::forward<Call>(call));
    }

    DirectDraw& mObject;
};

class DirectDraw::FirstFace final : public Face<IDirectDraw> {
public:
    using Face::Face;

    HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel) override
    {
        return Run("SetDisplayMode", [&] { return mObject.SetDisplayMode(width, height, bitsPerPixel, 0, 0); });
    }
};

class DirectDraw::SeventhFace final : public Face<IDirectDraw7> {
public:
    using Face::Face;

    HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate, DWORD flags) override
    {
        return Run("SetDisplayMode",
                   [&] { return mObject.SetDisplayMode(width, height, bitsPerPixel, refreshRate, flags); });
    }
    HRESULT GetAvailableVidMem(DDSCAPS2* caps, DWORD* total, DWORD* free) override
    {
        return Run("GetAvailableVidMem", [&] { return mObject.GetAvailableVidMem(caps, total, free); });
    }
    HRESULT GetDeviceIdentifier(DDDEVICEIDENTIFIER2* identifier, DWORD flags) override
    {
        return Run("GetDeviceIdentifier", [&] { return mObject.GetDeviceIdentifier(identifier, flags); });
    }
};

DirectDraw::DirectDraw()
    : mFirst(std::make_unique<FirstFace>(*this))
    , mSeventh(std::make_unique<SeventhFace>(*this))
{
}

DirectDraw::~DirectDraw() { mDisplay->Close(); }

template <>
IDirectDraw* DirectDraw::As<IDirectDraw>()
{
    return mFirst.get();
}

template <>
IDirectDraw7* DirectDraw::As<IDirectDraw7>()
{
    return mSeventh.get();
}

void* DirectDraw::Find(REFIID iid)
{
    if (iid == IID_IDirectDraw)
        return As<IDirectDraw>();
    if (iid == IID_IDirectDraw7)
        return As<IDirectDraw7>();
    return nullptr;
}

HRESULT DirectDraw::CreateClipper(const DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer)
{
    if (clipper == nullptr || flags != 0)
        return DDERR_INVALIDPARAMS;
    *clipper = nullptr;
    if (outer != nullptr)
        return CLASS_E_NOAGGREGATION;
    *clipper = new Clipper;
    return DD_OK;
}

HRESULT DirectDraw::CreatePalette(const DWORD flags, const PALETTEENTRY* entries, IDirectDrawPalette** palette,
                                  IUnknown* outer)
{
    constexpr DWORD kKnownFlags = DDPCAPS_8BIT | DDPCAPS_ALLOW256 | DDPCAPS_ALPHA;
    if (palette == nullptr || entries == nullptr || (flags & DDPCAPS_8BIT) == 0 || (flags & ~kKnownFlags) != 0)
        return DDERR_INVALIDPARAMS;
    *palette = nullptr;
    if (outer != nullptr)
        return CLASS_E_NOAGGREGATION;
    *palette = new Palette(entries);
    return DD_OK;
}

template <typename Description, typename Interface>
HRESULT DirectDraw::CreateSurface(const Description* description, Interface** surface, IUnknown* outer)
{
    if (description == nullptr || surface == nullptr)
        return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    Surface* made = nullptr;
    const HRESULT result = MakeSurface(ToDescription2(*description), &made, outer);
    if (SUCCEEDED(result))
        *surface = made->As<Interface>();
    return result;
}

HRESULT DirectDraw::MakeSurface(const DDSURFACEDESC2& description, Surface** made, IUnknown* outer)
{
    if (outer != nullptr)
        return CLASS_E_NOAGGREGATION;
    if (!mDisplay->HasCooperativeLevel())
        return DDERR_NOCOOPERATIVELEVELSET;
    return Surface::Create(mDisplay, description, made);
}

// The visible surface is always the one the desktop shows, so there is nothing to flip to.
HRESULT DirectDraw::FlipToGDISurface() { return DD_OK; }

template <typename Description>
HRESULT DirectDraw::GetDisplayMode(Description* description)
{
    if (description == nullptr)
        return DDERR_INVALIDPARAMS;
    DDSURFACEDESC2 mode{};
    const HRESULT result = mDisplay->DescribeMode(&mode);
    if (SUCCEEDED(result))
        Deliver(mode, description);
    return result;
}

HRESULT DirectDraw::GetMonitorFrequency(DWORD* frequency) { return mDisplay->MonitorFrequency(frequency); }

HRESULT DirectDraw::RestoreDisplayMode()
{
    mDisplay->RestoreDisplayMode();
    return DD_OK;
}

HRESULT DirectDraw::SetCooperativeLevel(HWND window, const DWORD flags)
{
    return mDisplay->SetCooperativeLevel(window, flags);
}

HRESULT DirectDraw::SetDisplayMode(const DWORD width, const DWORD height, const DWORD bitsPerPixel,
                                   const DWORD refreshRate, const DWORD flags)
{
    if (flags != 0)
        return DDERR_INVALIDPARAMS;
    constexpr DWORD kLargest = 0x7FFFFFFF;
    if (width > kLargest || height > kLargest || bitsPerPixel > kLargest)
        return DDERR_INVALIDMODE;
    return mDisplay->SetDisplayMode(static_cast<int>(width), static_cast<int>(height), static_cast<int>(bitsPerPixel));
}

HRESULT DirectDraw::GetAvailableVidMem(const DDSCAPS2* caps, DWORD* total, DWORD* free)
{
    if (caps == nullptr || (total == nullptr && free == nullptr))
        return DDERR_INVALIDPARAMS;
    if ((caps->dwCaps & DDSCAPS_SYSTEMMEMORY) != 0)
        return DDERR_INVALIDCAPS;
    const uint64_t all = Controls().totalVideoMemory;
    const uint64_t used = std::min(mDisplay->VideoMemoryUsed(), all);
    if (total != nullptr)
        *total = static_cast<DWORD>(all);
    if (free != nullptr)
        *free = static_cast<DWORD>(all - used);
    return DD_OK;
}

HRESULT DirectDraw::GetDeviceIdentifier(DDDEVICEIDENTIFIER2* identifier, const DWORD flags)
{
    if (identifier == nullptr || flags != 0)
        return DDERR_INVALIDPARAMS;
    *identifier = DDDEVICEIDENTIFIER2{};
    std::snprintf(identifier->szDriver, sizeof(identifier->szDriver), "%s", "ddraw.so");
    std::snprintf(identifier->szDescription, sizeof(identifier->szDescription), "%s",
                  "GreenAtlas software display");
    identifier->liDriverVersion = int64_t{1} << 48;
    identifier->dwVendorId = 0x4741;
    identifier->dwDeviceId = 0x0001;
    identifier->dwRevision = 1;
    identifier->guidDeviceIdentifier = kDeviceIdentifier;
    return DD_OK;
}

} // namespace DDraw
