#pragma once
// A clipper: blits onto a surface it is attached to are cut to its window's client area.

#include "platform/ddraw/Objects.h"

namespace DDraw {

class Clipper final : public SingleInterfaceObject<IDirectDrawClipper> {
public:
    Clipper();

    // The clipper behind an interface; null for null and for anything else.
    static Clipper* From(IDirectDrawClipper* clipper);

    HRESULT SetHWnd(DWORD flags, HWND window) override;
    HRESULT GetHWnd(HWND* window) override;

    HWND Window() const { return mWindow; }
    // Where blits may draw, in client (and so primary surface) coordinates; false when the
    // clipper has no live window, which leaves blits cut to their surface only.
    bool ClientArea(RECT* area) const;

private:
    HWND mWindow = nullptr;
};

} // namespace DDraw
