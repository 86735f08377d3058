// Screen modes and cursors: switching between windowed and full screen by making the main
// window and the display again, drawing to a back buffer, and the mouse cursor, which is
// one of the system's cursors, one of the two hand cursors, none, or a picture that the
// display draws as a software cursor.

#include "framework/app/ZestAppBase.h"

#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "framework/sound/SoundManager.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/win32/Clock.h"
#include "platform/win32/Input.h"
#include "platform/win32/Window.h"

namespace Zest {

void ZestAppBase::ChangeScreenMode(const bool windowed, const bool use3D, const bool force)
{
    const bool target = mFullScreenForced ? false : windowed;
    if (target == mWindowed && !force) {
        Set3DEnabled(use3D, true);
        return;
    }
    Set3DEnabled(use3D, false);
    mWindowed = target;
    CreateMainWindow();
    if (mOpeningURL) {
        Win32::ShowWindow(mMainWindow, Win32::SW_SHOWNOACTIVATE);
    } else {
        Win32::ShowWindow(mMainWindow, Win32::SW_SHOWNORMAL);
        Win32::SetForegroundWindow(mMainWindow);
    }
    if (mSoundManager != nullptr)
        mSoundManager->SetCooperativeWindow(mMainWindow, mWindowed);
    mDisplayResetTick = Win32::timeGetTime();
}

void ZestAppBase::SetWindowedMode(const bool windowed) { ChangeScreenMode(windowed, Is3DEnabled(), false); }

void ZestAppBase::ReapplyScreenMode() { ChangeScreenMode(mWindowed, Is3DEnabled(), true); }

void ZestAppBase::SetDrawToBackBuffer(const bool toBackBuffer)
{
    if (toBackBuffer == mDrawToBackBuffer)
        return;
    mDrawToBackBuffer = toBackBuffer;
    if (mDisplay == nullptr)
        return;
    mDisplay->SetDrawToBackBuffer(toBackBuffer);
    mWidgetManager->mScreenImage = mDisplay->GetScreenImage();
    mWidgetManager->MarkAllDirty();
}

void ZestAppBase::SetCursor(const int kind)
{
    mCursorKind = kind;
    ApplyCursor();
}

void ZestAppBase::SetCustomCursorsEnabled(const bool enabled)
{
    mCustomCursors = enabled;
    ApplyCursor();
}

void ZestAppBase::SetCustomCursorImage(const int kind, Image* image)
{
    if (kind < 0 || kind >= kCursorKindCount)
        return;
    mCursorImages[kind] = image;
    ApplyCursor();
}

// The system cursor that shows for a kind without a custom picture; null hides it.
Win32::HCURSOR ZestAppBase::SystemCursorFor(const int kind) const
{
    switch (kind) {
    case CURSOR_HAND: return mHandCursor;
    case CURSOR_DRAG: return mDragCursor;
    case CURSOR_TEXT: return Win32::LoadCursorA(nullptr, Win32::IDC_IBEAM);
    case 4: return Win32::LoadCursorA(nullptr, Win32::IDC_NO);
    case 5: return Win32::LoadCursorA(nullptr, Win32::IDC_SIZEALL);
    case 6: return Win32::LoadCursorA(nullptr, Win32::IDC_SIZENESW);
    case 7: return Win32::LoadCursorA(nullptr, Win32::IDC_SIZENS);
    case 8: return Win32::LoadCursorA(nullptr, Win32::IDC_SIZENWSE);
    case 9: return Win32::LoadCursorA(nullptr, Win32::IDC_SIZEWE);
    case 10: return Win32::LoadCursorA(nullptr, Win32::IDC_WAIT);
    case 11:
    case 12: return nullptr;
    default: return Win32::LoadCursorA(nullptr, Win32::IDC_ARROW);
    }
}

void ZestAppBase::ApplyCursor()
{
    if (mDisplay == nullptr)
        return;
    if (mCrashed || !mMouseInWindow) {
        Win32::SetCursor(Win32::LoadCursorA(nullptr, Win32::IDC_ARROW));
        if (mDisplay->SetCursorImage(nullptr))
            mForcePresent = true;
        return;
    }

    Image* const image = mCursorKind >= 0 && mCursorKind < kCursorKindCount ? mCursorImages[mCursorKind] : nullptr;
    if (image != nullptr && (mPlayingDemo || mCustomCursors || mCursorKind == 12)) {
        if (mDisplay->SetCursorImage(image))
            mForcePresent = true;
        if (!mPlayingDemo) {
            Win32::SetCursor(nullptr);
            return;
        }
        // During playback the replayed cursor is drawn; the real mouse shows as "no entry"
        // over the drawing area so that the two are told apart.
        Win32::POINT cursor{};
        Win32::GetCursorPos(&cursor);
        const bool overDrawing = cursor.x >= 0 && cursor.y >= 0 && cursor.x < mWidth && cursor.y < mHeight;
        Win32::SetCursor(Win32::LoadCursorA(nullptr, overDrawing ? Win32::IDC_NO : Win32::IDC_ARROW));
        return;
    }

    Win32::SetCursor(SystemCursorFor(mCursorKind));
    if (mDisplay->SetCursorImage(nullptr))
        mForcePresent = true;
}

} // namespace Zest
