#pragma once
// The display of the application: DirectDraw in a window or full screen, with the primary,
// back and draw surfaces, the display's pixel format and the tables that drawing on its
// surfaces uses, the screen image the widgets draw into, and the presentation of each
// frame. It owns the display lock that the application, the images and the cursor thread
// share. Every DirectDraw step is checked; the first failure is kept as "step: name".

#include "framework/app/common/CritSection.h"
#include "framework/app/common/Ratio.h"
#include "framework/graphics/Geometry.h"
#include "framework/graphics/NativeDisplay.h"
#include "platform/ddraw/DDraw.h"
#include "platform/win32/Types.h"

#include <atomic>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace Zest {

class AppInterface;
class D3DInterface;
class D3DTester;
class DDImage;
class Image;
class MemoryImage;

// A rectangle as DirectDraw takes it: (left, top, right, bottom).
inline DDraw::RECT ToRECT(const Rect& rect)
{
    return DDraw::RECT{rect.mX, rect.mY, rect.mX + rect.mWidth, rect.mY + rect.mHeight};
}

// Whether the primary surface's masks run blue < green < red; the packed 16-bit surface
// routines depend on it. Written whenever a surface is made.
extern bool gDisplayRGBOrdered;

class DDInterface : public NativeDisplay {
public:
    enum Result {
        RESULT_OK = 0,
        RESULT_FAIL = 1,
        RESULT_DD_CREATE_FAIL = 2,
        RESULT_SURFACE_FAIL = 3,
        RESULT_EXCLUSIVE_FAIL = 4,
        RESULT_DISPCHANGE_FAIL = 5,
        RESULT_INVALID_COLORDEPTH = 6,
        // The Direct3D renderer could not start; it has no name of its own.
        RESULT_3D_FAIL = 7,
    };

    explicit DDInterface(AppInterface* app);
    ~DDInterface() override;
    DDInterface(const DDInterface&) = delete;
    DDInterface& operator=(const DDInterface&) = delete;

    // (Re)initialises the display for the window; a Result.
    int Init(Win32::HWND window, bool windowed);
    // Releases everything Init made.
    void Cleanup();
    // Makes one surface of the first interface, under the display lock.
    Win32::HRESULT CreateSurface(DDraw::DDSURFACEDESC2* desc, DDraw::IDirectDrawSurface** surface);
    // Sets every pixel of the surface to 0.
    void ClearSurface(DDraw::IDirectDrawSurface* surface);
    // Runs the 3D capability test once and sets mIs3D from it; true when it ran.
    bool Check3DSupport(Win32::HWND window);
    // Makes the screen image again, on the back surface or on the draw surface.
    void SetDrawToBackBuffer(bool toBackBuffer);
    DDImage* GetScreenImage();
    void AddDDImage(DDImage* image);
    void RemoveDDImage(DDImage* image);
    void Remove3DData(MemoryImage* image);
    // False for a success; otherwise keeps "step: name" in mErrorString and returns true.
    bool CheckDXError(Win32::HRESULT result, const char* step);
    static std::string ResultToString(int result);

    // Presents the draw buffer, or the clip of it, with the software cursor; false when
    // presentation failed.
    bool Redraw(Rect* clip = nullptr);

    // The software cursor: a picture drawn centred in a 64 x 64 area around the mouse, into
    // every presented frame and, between frames, moved on the primary surface itself.
    // Null means no software cursor; true when the picture changed.
    bool SetCursorImage(Image* image);
    // From the cursor thread: records the position and, unless a frame is being presented,
    // moves the drawn cursor there at once.
    void SetCursorPos(int x, int y);
    // Saves the area under the cursor at the drawn position from the surface and draws the
    // cursor onto it; screenCoords moves the area by the window's screen position.
    void DrawCursorTo(DDraw::IDirectDrawSurface* surface, bool screenCoords);
    // Puts the saved area back onto the surface (draw-buffer coordinates).
    void RestoreOldCursorArea(DDraw::IDirectDrawSurface* surface);
    // Moves the drawn cursor on the primary surface to (x, y).
    void MoveCursorTo(DDraw::IDirectDrawSurface* surface, int x, int y);

    AppInterface* mApp;
    D3DInterface* mD3DInterface;
    D3DTester* mD3DTester = nullptr;
    bool mIs3D = false;
    CritSection mCritSect;
    std::atomic<bool> mInRedraw = false;
    DDraw::IDirectDraw* mDD = nullptr;
    DDraw::IDirectDraw7* mDD7 = nullptr;
    DDraw::IDirectDrawSurface* mPrimarySurface = nullptr;
    // Full screen: the flip chain's back buffer; windowed: a video-memory surface of the draw
    // size made by SetDrawToBackBuffer.
    DDraw::IDirectDrawSurface* mSecondarySurface = nullptr;
    DDraw::IDirectDrawSurface* mDrawSurface = nullptr;
    int32_t mWidth = 0;
    int32_t mHeight = 0;
    Ratio mAspect;
    int32_t mDesktopWidth = 0;
    int32_t mDesktopHeight = 0;
    Ratio mDesktopAspect;
    // Full screen on a wider desktop: the picture is scaled to the desktop height between
    // black bars.
    bool mIsWidescreen = false;
    int32_t mDisplayWidth = 0;
    int32_t mDisplayHeight = 0;
    Ratio mDisplayAspect;
    // Where the draw buffer is shown on the display.
    Rect mPresentationRect;
    int32_t mFullScreenBits = 0;
    // 60 to 100 Hz.
    uint32_t mRefreshRate = 60;
    std::atomic<int32_t> mMillisPerFrame = 16;
    // Saturated sums of two channel values: entry i is min(i, channel maximum).
    std::vector<int32_t> mRedAddTable;
    std::vector<int32_t> mGreenAddTable;
    std::vector<int32_t> mBlueAddTable;
    // An 8-bit channel value placed in the display's field.
    uint32_t mRedConvTable[256] = {};
    uint32_t mGreenConvTable[256] = {};
    uint32_t mBlueConvTable[256] = {};
    bool mInitialized = false;
    Win32::HWND mHWnd = nullptr;
    bool mIsWindowed = true;
    DDImage* mScreenImage = nullptr;
    std::set<DDImage*> mDDImageSet;
    bool mDrawToBackBuffer = false;
    int32_t mInitCount = 0;
    int32_t mCursorWidth = 64;
    int32_t mCursorHeight = 64;
    std::atomic<int32_t> mCursorX = 0;
    std::atomic<int32_t> mCursorY = 0;
    std::atomic<int32_t> mCursorDrawnX = 0;
    std::atomic<int32_t> mCursorDrawnY = 0;
    Image* mCursorImage = nullptr;
    bool mHasOldCursorArea = false;
    DDraw::IDirectDrawSurface* mOldCursorArea = nullptr;
    DDraw::IDirectDrawSurface* mNewCursorArea = nullptr;
    DDImage* mOldCursorAreaImage = nullptr;
    DDImage* mNewCursorAreaImage = nullptr;
    std::string mErrorString;

private:
    // The loaded DirectDraw library, kept while the display lives.
    Win32::HMODULE mLibrary = nullptr;

    // The steps of Init, each returning a Result.
    int CreateDirectDraw(Win32::HRESULT* createResult);
    int InitWindowed(Win32::HWND window);
    int InitFullScreen(Win32::HWND window);
    int CreateDrawSurface(const char* step);
    int CreateClipper(Win32::HWND window, const char* step);
    void ReadRefreshRate();
    // The cursor area around (x, y), and where the picture goes in it.
    Rect CursorArea(int x, int y) const;
    Point CursorPicturePosition() const;
    // The primary surface's size, (0, 0, width, height).
    Rect PrimaryBounds();
    Point ClientOrigin() const;
    int CreateCursorAreas();
    int ReadPixelFormat();
    void BuildTables();
};

} // namespace Zest
