// The library's exported entry points, as the program looks them up by name.

#include "platform/ddraw/Controls.h"
#include "platform/ddraw/DirectDraw.h"

namespace {

using namespace DDraw;

// The display to create: null for the default, which is the only one; this display's own
// identifier names it too.
bool IsKnownDriver(const GUID* driver) { return driver == nullptr || *driver == kDeviceIdentifier; }

// A new DirectDraw object in the interface asked for.
template <typename Interface>
HRESULT Create(const GUID* driver, Interface** directDraw, IUnknown* outer)
{
    if (directDraw == nullptr)
        return DDERR_INVALIDPARAMS;
    *directDraw = nullptr;
    if (outer != nullptr)
        return CLASS_E_NOAGGREGATION;
    if (!IsKnownDriver(driver))
        return DDERR_INVALIDDIRECTDRAWGUID;
    *directDraw = (new DirectDraw)->As<Interface>();
    return DD_OK;
}

} // namespace

extern "C" {

HRESULT DirectDrawCreate(GUID* driver, IDirectDraw** directDraw, IUnknown* outer)
{
    return RunMethod(nullptr, "DirectDrawCreate", [&] { return Create(driver, directDraw, outer); });
}

HRESULT DirectDrawCreateEx(GUID* driver, void** directDraw, REFIID iid, IUnknown* outer)
{
    return RunMethod(nullptr, "DirectDrawCreateEx", [&] {
        if (directDraw == nullptr)
            return DDERR_INVALIDPARAMS;
        *directDraw = nullptr;
        // The seventh interface comes this way; the first from DirectDrawCreate.
        if (!(iid == IID_IDirectDraw7))
            return DDERR_INVALIDPARAMS;
        IDirectDraw7* made = nullptr;
        const HRESULT result = Create(driver, &made, outer);
        *directDraw = made;
        return result;
    });
}

StandInControls* DDrawStandInControls() { return &Controls(); }

} // extern "C"
