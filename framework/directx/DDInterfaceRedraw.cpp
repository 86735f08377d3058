// Presenting a finished frame: the draw buffer (or the clip of it) goes to the primary
// surface with the software cursor, by a blit in a window and by flipping the back buffer
// in full screen.

#include "framework/directx/D3DInterface.h"
#include "framework/directx/DDInterface.h"
#include "framework/graphics/AppInterface.h"
#include "platform/win32/Window.h"

namespace Zest {

using namespace DDraw;

bool DDInterface::Redraw(Rect* clip)
{
    const CritLock lock(mCritSect);
    if (!mInitialized)
        return false;
    mInRedraw = true;
    if (mIs3D) {
        // A Direct3D step failed since the last frame: 3D goes off and the application
        // sets the display up again.
        if (!gD3DErrorString.empty()) {
            mInRedraw = false;
            mIs3D = false;
            return false;
        }
        mD3DInterface->Flush();
    }

    Rect source(0, 0, mWidth, mHeight);
    Rect dest = mPresentationRect;
    if (clip != nullptr && !mIsWidescreen) {
        source = *clip;
        dest = *clip;
    }
    DDBLTFX effects{};
    effects.dwSize = sizeof(effects);
    if (mIsWidescreen)
        effects.dwDDFX = DDBLTFX_ARITHSTRETCHY;
    Win32::POINT origin{0, 0};
    Win32::ClientToScreen(mHWnd, &origin);
    dest.mX += origin.x;
    dest.mY += origin.y;
    RECT destRect = ToRECT(dest);
    RECT sourceRect = ToRECT(source);

    // Waits until drawing into the draw buffer has finished.
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    if (mDrawSurface->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr) == DD_OK)
        mDrawSurface->Unlock(nullptr);

    bool failed = false;
    if (mIsWindowed) {
        // The cursor goes into the buffer for the blit and comes out again, so that later
        // frames drawn into the buffer show no old cursor; the saved area then holds what
        // the cursor covers on the primary surface. The back surface has the draw buffer's
        // coordinates, as the draw surface has.
        IDirectDrawSurface* const buffer = mDrawToBackBuffer ? mSecondarySurface : mDrawSurface;
        mCursorDrawnX = mCursorX.load();
        mCursorDrawnY = mCursorY.load();
        DrawCursorTo(buffer, false);
        const Win32::HRESULT result = mPrimarySurface->Blt(&destRect, buffer, &sourceRect, DDBLT_WAIT, &effects);
        if (mHasOldCursorArea) {
            RestoreOldCursorArea(buffer);
            mHasOldCursorArea = true;
        }
        failed = CheckDXError(result, "Redraw Windowed");
    } else if (!mApp->IsPopupShowing() && mApp->GetDisplaySettings().mAllowPageFlipping) {
        if (!mDrawToBackBuffer)
            mSecondarySurface->Blt(&destRect, mDrawSurface, &sourceRect, DDBLT_WAIT, &effects);
        mCursorDrawnX = mCursorX.load();
        mCursorDrawnY = mCursorY.load();
        DrawCursorTo(mSecondarySurface, true);
        failed = CheckDXError(mPrimarySurface->Flip(nullptr, DDFLIP_WAIT), "Redraw FullScreen Flip");
    } else {
        // This frame has no cursor: the next position report draws it again.
        mHasOldCursorArea = false;
        failed = CheckDXError(mPrimarySurface->Blt(&destRect, mDrawSurface, &sourceRect, DDBLT_WAIT, &effects),
                              "Redraw FullScreen Blt");
    }
    mInRedraw = false;
    return !failed;
}

} // namespace Zest
