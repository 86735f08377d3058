#include "platform/ddraw/Clipper.h"

#include "platform/win32/Window.h"
#include "platform/win32/WindowSystem.h"

namespace DDraw {

Clipper::Clipper()
    : SingleInterfaceObject("IDirectDrawClipper")
{
}

Clipper* Clipper::From(IDirectDrawClipper* clipper) { return dynamic_cast<Clipper*>(clipper); }

HRESULT Clipper::SetHWnd(const DWORD flags, HWND window)
{
    return RunMethod(InterfaceName(), "SetHWnd", [&] {
        if (flags != 0 || (window != nullptr && Win32::WindowSystem::Find(window) == nullptr))
            return DDERR_INVALIDPARAMS;
        mWindow = window;
        return DD_OK;
    });
}

HRESULT Clipper::GetHWnd(HWND* window)
{
    return RunMethod(InterfaceName(), "GetHWnd", [&] {
        if (window == nullptr)
            return DDERR_INVALIDPARAMS;
        *window = mWindow;
        return DD_OK;
    });
}

bool Clipper::ClientArea(RECT* area) const
{
    return mWindow != nullptr && Win32::GetClientRect(mWindow, area) != 0;
}

} // namespace DDraw
