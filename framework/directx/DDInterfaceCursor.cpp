// The software cursor: drawn into each presented frame, and between frames moved on the
// primary surface by the cursor thread, restoring what it covered. Two 64 x 64 areas hold
// the pixels under the drawn cursor and compose the next one.

#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "framework/graphics/Graphics.h"
#include "platform/win32/Window.h"

namespace Zest {

using namespace DDraw;

namespace {

Rect Moved(const Rect& rect, const Point& by) { return Rect(rect.mX + by.mX, rect.mY + by.mY, rect.mWidth, rect.mHeight); }

Win32::HRESULT BltRect(IDirectDrawSurface* dest, const Rect& destRect, IDirectDrawSurface* source,
                       const Rect& sourceRect)
{
    if (destRect.mWidth <= 0 || destRect.mHeight <= 0)
        return DD_OK;
    DDBLTFX effects{};
    effects.dwSize = sizeof(effects);
    RECT destRECT = ToRECT(destRect);
    RECT sourceRECT = ToRECT(sourceRect);
    return dest->Blt(&destRECT, source, &sourceRECT, DDBLT_WAIT, &effects);
}

} // namespace

Rect DDInterface::CursorArea(const int x, const int y) const
{
    return Rect(x - mCursorWidth / 2, y - mCursorHeight / 2, mCursorWidth, mCursorHeight);
}

Point DDInterface::CursorPicturePosition() const
{
    return Point{(mCursorWidth - mCursorImage->GetWidth()) / 2, (mCursorHeight - mCursorImage->GetHeight()) / 2};
}

Rect DDInterface::PrimaryBounds()
{
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_WIDTH | DDSD_HEIGHT;
    mPrimarySurface->GetSurfaceDesc(&desc);
    return Rect(0, 0, static_cast<int>(desc.dwWidth), static_cast<int>(desc.dwHeight));
}

Point DDInterface::ClientOrigin() const
{
    Win32::POINT origin{0, 0};
    Win32::ClientToScreen(mHWnd, &origin);
    return Point{origin.x, origin.y};
}

bool DDInterface::SetCursorImage(Image* image)
{
    const CritLock lock(mCritSect);
    if (image == mCursorImage)
        return false;
    mCursorImage = image;
    return true;
}

void DDInterface::SetCursorPos(const int x, const int y)
{
    mCursorX = x;
    mCursorY = y;
    if (mInRedraw)
        return;
    const CritLock lock(mCritSect);
    if (!mInitialized)
        return;
    if (mHasOldCursorArea) {
        MoveCursorTo(mPrimarySurface, x, y);
    } else {
        mCursorDrawnX = x;
        mCursorDrawnY = y;
        DrawCursorTo(mPrimarySurface, true);
    }
}

void DDInterface::DrawCursorTo(IDirectDrawSurface* surface, const bool screenCoords)
{
    if (mCursorImage == nullptr || mPrimarySurface == nullptr) {
        mHasOldCursorArea = false;
        return;
    }
    const Rect primary = PrimaryBounds();
    const Rect area = CursorArea(mCursorDrawnX, mCursorDrawnY);
    Rect inside = area.Intersection(mPresentationRect);
    Rect local(inside.mX - area.mX, inside.mY - area.mY, inside.mWidth, inside.mHeight);
    if (screenCoords)
        inside = Moved(inside, ClientOrigin());

    Win32::HRESULT saved = BltRect(mOldCursorArea, local, surface, inside);
    if (saved != DD_OK) {
        // Cut to the primary surface and try once more.
        const Rect cut = inside.Intersection(primary);
        local = Rect(local.mX + cut.mX - inside.mX, local.mY + cut.mY - inside.mY, cut.mWidth, cut.mHeight);
        inside = cut;
        saved = BltRect(mOldCursorArea, local, surface, inside);
    }
    mHasOldCursorArea = saved == DD_OK;
    // A cursor whose background could not be saved could never be taken away again.
    if (!mHasOldCursorArea)
        return;

    const Point picture = CursorPicturePosition();
    if (surface == mDrawSurface && !mIs3D) {
        Graphics g(mScreenImage);
        g.DrawImage(mCursorImage, area.mX + picture.mX, area.mY + picture.mY);
        return;
    }
    BltRect(mNewCursorArea, local, mOldCursorArea, local);
    {
        Graphics g(mNewCursorAreaImage);
        g.DrawImage(mCursorImage, picture.mX, picture.mY);
    }
    BltRect(surface, inside, mNewCursorArea, local);
}

void DDInterface::RestoreOldCursorArea(IDirectDrawSurface* surface)
{
    if (!mHasOldCursorArea || mPrimarySurface == nullptr)
        return;
    const Rect area = CursorArea(mCursorDrawnX, mCursorDrawnY);
    const Rect inside = area.Intersection(Rect(0, 0, mWidth, mHeight));
    BltRect(surface, inside, mOldCursorArea, Rect(inside.mX - area.mX, inside.mY - area.mY, inside.mWidth, inside.mHeight));
    mHasOldCursorArea = false;
}

void DDInterface::MoveCursorTo(IDirectDrawSurface* surface, const int x, const int y)
{
    if (mCursorImage == nullptr || mPrimarySurface == nullptr) {
        mHasOldCursorArea = false;
        return;
    }
    const Rect primary = PrimaryBounds();
    const Point origin = ClientOrigin();
    const int drawnX = mCursorDrawnX;
    const int drawnY = mCursorDrawnY;

    const Rect oldArea = CursorArea(drawnX, drawnY);
    const Rect oldInside = oldArea.Intersection(mPresentationRect);
    const Rect oldLocal(oldInside.mX - oldArea.mX, oldInside.mY - oldArea.mY, oldInside.mWidth, oldInside.mHeight);
    const Rect oldScreen = Moved(oldInside, origin);

    const Rect newArea = CursorArea(x, y);
    const Rect newInside = newArea.Intersection(mPresentationRect);
    Rect newLocal(newInside.mX - newArea.mX, newInside.mY - newArea.mY, newInside.mWidth, newInside.mHeight);
    Rect newScreen = Moved(newInside, origin);

    // The background at the new place.
    if (BltRect(mNewCursorArea, newLocal, surface, newScreen) != DD_OK) {
        const Rect cut = newScreen.Intersection(primary);
        newLocal = Rect(newLocal.mX + cut.mX - newScreen.mX, newLocal.mY + cut.mY - newScreen.mY, cut.mWidth,
                        cut.mHeight);
        newScreen = cut;
        BltRect(mNewCursorArea, newLocal, surface, newScreen);
    }

    const Point picture = CursorPicturePosition();
    // Where the areas overlap, the new background still shows the old cursor: take that
    // part from the saved background, and draw the cursor at its new place into the saved
    // background, so that restoring the old place paints the overlap right.
    const Rect overlap =
        Rect(x - drawnX, y - drawnY, mCursorWidth, mCursorHeight).Intersection(Rect(0, 0, mCursorWidth, mCursorHeight));
    if (overlap.mWidth > 0 && overlap.mHeight > 0) {
        BltRect(mNewCursorArea, Moved(overlap, Point{drawnX - x, drawnY - y}), mOldCursorArea, overlap);
        Graphics g(mOldCursorAreaImage);
        g.DrawImage(mCursorImage, picture.mX + x - drawnX, picture.mY + y - drawnY);
    }

    BltRect(surface, oldScreen, mOldCursorArea, oldLocal);
    const Rect whole(0, 0, mCursorWidth, mCursorHeight);
    BltRect(mOldCursorArea, whole, mNewCursorArea, whole);
    {
        Graphics g(mNewCursorAreaImage);
        g.DrawImage(mCursorImage, picture.mX, picture.mY);
    }
    BltRect(surface, newScreen, mNewCursorArea, newLocal);
    mCursorDrawnX = x;
    mCursorDrawnY = y;
}

} // namespace Zest
