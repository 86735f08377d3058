#include "framework/directx/DDInterface.h"

#include "framework/app/common/Debug.h"
#include "framework/app/common/StringHelpers.h"
#include "framework/directx/D3DInterface.h"
#include "framework/directx/D3DTester.h"
#include "framework/directx/DDImage.h"
#include "framework/directx/DXErrors.h"
#include "framework/graphics/AppInterface.h"
#include "framework/graphics/Graphics.h"
#include "platform/win32/Library.h"
#include "platform/win32/Window.h"

#include <algorithm>
#include <cstring>

namespace Zest {

using namespace DDraw;

bool gDisplayRGBOrdered = false;

namespace {

// The entry points of the loaded DirectDraw library; Ex is null when it lacks it.
DirectDrawCreateFunc gDirectDrawCreate = nullptr;
DirectDrawCreateExFunc gDirectDrawCreateEx = nullptr;

template <typename T>
void ReleaseAndNull(T*& object)
{
    if (object != nullptr) {
        object->Release();
        object = nullptr;
    }
}

// The lowest set bit of a mask, and the width from it to the highest set bit.
int MaskShift(const uint32_t mask)
{
    for (int shift = 0; shift < 32; ++shift)
        if ((mask >> shift) & 1)
            return shift;
    return 0;
}

int MaskBits(const uint32_t mask, const int shift)
{
    int bits = 0;
    for (int n = 1; n <= 32 && shift + n - 1 < 32; ++n)
        if ((mask >> (shift + n - 1)) != 0)
            bits = n;
    return bits;
}

std::vector<int32_t> SaturationTable(const int bits)
{
    const int32_t maximum = static_cast<int32_t>((1u << bits) - 1);
    std::vector<int32_t> table(static_cast<size_t>(2 * maximum + 1));
    for (int32_t i = 0; i < static_cast<int32_t>(table.size()); ++i)
        table[static_cast<size_t>(i)] = std::min(i, maximum);
    return table;
}

void ConversionTable(uint32_t (&table)[256], const uint32_t mask)
{
    for (uint32_t i = 0; i < 256; ++i)
        table[i] = ((i * mask) / 255) & mask;
}

DDSURFACEDESC2 SurfaceDesc(const DWORD flags, const DWORD caps)
{
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = flags;
    desc.ddsCaps.dwCaps = caps;
    return desc;
}

} // namespace

DDInterface::DDInterface(AppInterface* app) : mApp(app), mD3DInterface(new D3DInterface)
{
    // Drawing contexts learn from the display which image is its 3D screen.
    SetCheck3D(&DDImage::Check3D);
    // The library stays loaded as long as the display: the entry points must stay valid.
    if (const Win32::HMODULE module = Win32::LoadLibraryA("ddraw.dll"); module != nullptr) {
        gDirectDrawCreate = reinterpret_cast<DirectDrawCreateFunc>(Win32::GetProcAddress(module, "DirectDrawCreate"));
        gDirectDrawCreateEx =
            reinterpret_cast<DirectDrawCreateExFunc>(Win32::GetProcAddress(module, "DirectDrawCreateEx"));
        mLibrary = module;
    } else {
        gDirectDrawCreate = nullptr;
        gDirectDrawCreateEx = nullptr;
    }
}

DDInterface::~DDInterface()
{
    Cleanup();
    delete mD3DInterface;
    delete mD3DTester;
    if (mLibrary != nullptr)
        Win32::FreeLibrary(mLibrary);
}

std::string DDInterface::ResultToString(const int result)
{
    switch (result) {
    case RESULT_OK: return "RESULT_OK";
    case RESULT_FAIL: return "RESULT_FAIL";
    case RESULT_DD_CREATE_FAIL: return "RESULT_DD_CREATE_FAIL";
    case RESULT_SURFACE_FAIL: return "RESULT_SURFACE_FAIL";
    case RESULT_EXCLUSIVE_FAIL: return "RESULT_EXCLUSIVE_FAIL";
    case RESULT_DISPCHANGE_FAIL: return "RESULT_DISPCHANGE_FAIL";
    case RESULT_INVALID_COLORDEPTH: return "RESULT_INVALID_COLORDEPTH";
    default: return "RESULT_UNKNOWN";
    }
}

bool DDInterface::CheckDXError(const Win32::HRESULT result, const char* step)
{
    if (result >= 0)
        return false;
    mErrorString = FormatString("%s: %s", step, GetDXErrorString(result).c_str());
    return true;
}

int DDInterface::CreateDirectDraw(Win32::HRESULT* createResult)
{
    *createResult = DD_OK;
    if (gDirectDrawCreateEx != nullptr) {
        void* directDraw7 = nullptr;
        if (CheckDXError(gDirectDrawCreateEx(nullptr, &directDraw7, IID_IDirectDraw7, nullptr), "DirectDrawCreateEx"))
            return RESULT_DD_CREATE_FAIL;
        mDD7 = static_cast<IDirectDraw7*>(directDraw7);
        void* directDraw = nullptr;
        if (CheckDXError(mDD7->QueryInterface(IID_IDirectDraw, &directDraw), "QueryrInterface IID_IDirectDraw"))
            return RESULT_DD_CREATE_FAIL;
        mDD = static_cast<IDirectDraw*>(directDraw);
    } else if (gDirectDrawCreate != nullptr) {
        *createResult = gDirectDrawCreate(nullptr, &mDD, nullptr);
    } else {
        // Without the library there is nothing to create DirectDraw with.
        *createResult = DDERR_NODIRECTDRAWSUPPORT;
    }
    return RESULT_OK;
}

int DDInterface::Init(const Win32::HWND window, const bool windowed)
{
    const CritLock lock(mCritSect);
    mInitialized = false;
    Cleanup();

    Win32::HRESULT createResult = DD_OK;
    if (const int result = CreateDirectDraw(&createResult); result != RESULT_OK)
        return result;

    if (Check3DSupport(window) && mD3DTester->mResultsNew)
        mApp->On3DTestFinished();

    const DisplaySettings& settings = mApp->GetDisplaySettings();
    mHWnd = window;
    mWidth = settings.mWidth;
    mHeight = settings.mHeight;
    mAspect.Set(mWidth, mHeight);
    mDesktopWidth = Win32::GetSystemMetrics(Win32::SM_CXSCREEN);
    mDesktopHeight = Win32::GetSystemMetrics(Win32::SM_CYSCREEN);
    mDesktopAspect.Set(mDesktopWidth, mDesktopHeight);
    mDisplayWidth = mWidth;
    mDisplayHeight = mHeight;
    mDisplayAspect = mAspect;
    mIsWidescreen = false;
    mPresentationRect = Rect(0, 0, mWidth, mHeight);
    mFullScreenBits = settings.mColorDepth;
    mIsWindowed = windowed;
    mHasOldCursorArea = false;

    OutputDebug("Application requests %4lu x %4lu [%2d:%2d]\n", static_cast<unsigned long>(mWidth),
                static_cast<unsigned long>(mHeight), mAspect.mNumerator, mAspect.mDenominator);

    if (mDD == nullptr && createResult >= 0)
        createResult = DDERR_NODIRECTDRAWSUPPORT;
    if (CheckDXError(createResult, "DirectDrawCreate"))
        return RESULT_DD_CREATE_FAIL;

    const int modeResult = windowed ? InitWindowed(window) : InitFullScreen(window);
    if (modeResult != RESULT_OK)
        return modeResult;

    OutputDebug("Draw buffer is       %4lu x %4lu [%2d:%2d]\n", static_cast<unsigned long>(mWidth),
                static_cast<unsigned long>(mHeight), mAspect.mNumerator, mAspect.mDenominator);

    ReadRefreshRate();
    if (const int result = CreateCursorAreas(); result != RESULT_OK)
        return result;
    if (const int result = ReadPixelFormat(); result != RESULT_OK)
        return result;
    SetDrawToBackBuffer(mDrawToBackBuffer);

    if (mIs3D && !mD3DInterface->InitFromDDInterface(this)) {
        mErrorString = "3D init error: " + gD3DErrorString;
        return RESULT_3D_FAIL;
    }
    ++mInitCount;
    mInitialized = true;
    return RESULT_OK;
}

int DDInterface::InitWindowed(const Win32::HWND window)
{
    const Ratio& hackAspect = mApp->GetDisplaySettings().mHackAspect;
    OutputDebug("Hack aspect is                   [%2d:%2d]\n", hackAspect.mNumerator, hackAspect.mDenominator);
    OutputDebug("Window is            %4lu x %4lu [%2d:%2d]\n", static_cast<unsigned long>(mDisplayWidth),
                static_cast<unsigned long>(mDisplayHeight), mDisplayAspect.mNumerator, mDisplayAspect.mDenominator);
    mDD->SetCooperativeLevel(window, DDSCL_NORMAL);

    DDSURFACEDESC2 primary = SurfaceDesc(DDSD_CAPS, DDSCAPS_PRIMARYSURFACE | (mIs3D ? DDSCAPS_3DDEVICE : 0));
    primary.dwBackBufferCount = 1;
    const Win32::HRESULT result = CreateSurface(&primary, &mPrimarySurface);
    if (result == DDERR_INVALIDPIXELFORMAT) {
        CheckDXError(result, "CreateSurface Windowed Primary");
        return RESULT_INVALID_COLORDEPTH;
    }
    if (CheckDXError(result, "CreateSurface Windowed Primary"))
        return RESULT_SURFACE_FAIL;
    if (const int drawResult = CreateDrawSurface("CreateSurface Windowed DrawSurface"); drawResult != RESULT_OK)
        return drawResult;
    return CreateClipper(window, "CreateClipper Windowed");
}

int DDInterface::InitFullScreen(const Win32::HWND window)
{
    OutputDebug("Desktop is           %4lu x %4lu [%2d:%2d]\n", static_cast<unsigned long>(mDesktopWidth),
                static_cast<unsigned long>(mDesktopHeight), mDesktopAspect.mNumerator, mDesktopAspect.mDenominator);
    if (mIs3D && mHeight > 0 && mDesktopAspect > mAspect) {
        mDisplayWidth = mDesktopWidth;
        mDisplayHeight = mDesktopHeight;
        mDisplayAspect = mDesktopAspect;
        mIsWidescreen = true;
        const int32_t width = mWidth * mDisplayHeight / mHeight;
        mPresentationRect = Rect((mDesktopWidth - width) / 2, 0, width, mDesktopHeight);
    }
    OutputDebug("Display is           %4lu x %4lu [%2d:%2d]\n", static_cast<unsigned long>(mDisplayWidth),
                static_cast<unsigned long>(mDisplayHeight), mDisplayAspect.mNumerator, mDisplayAspect.mDenominator);

    if (CheckDXError(mDD->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN),
                     "SetCooperativeLevel FullScreen"))
        return RESULT_EXCLUSIVE_FAIL;
    if (CheckDXError(mDD->SetDisplayMode(static_cast<DWORD>(mDisplayWidth), static_cast<DWORD>(mDisplayHeight),
                                         static_cast<DWORD>(mFullScreenBits)),
                     "SetDisplayMode FullScreen"))
        return RESULT_DISPCHANGE_FAIL;

    DDSURFACEDESC2 primary = SurfaceDesc(DDSD_CAPS | DDSD_BACKBUFFERCOUNT, DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP |
                                                                               DDSCAPS_COMPLEX |
                                                                               (mIs3D ? DDSCAPS_3DDEVICE : 0));
    primary.dwBackBufferCount = 1;
    if (CheckDXError(CreateSurface(&primary, &mPrimarySurface), "CreateSurface FullScreen Primary"))
        return RESULT_SURFACE_FAIL;
    DDSCAPS backBuffer{DDSCAPS_BACKBUFFER};
    if (CheckDXError(mPrimarySurface->GetAttachedSurface(&backBuffer, &mSecondarySurface), "GetAttachedSurface"))
        return RESULT_SURFACE_FAIL;
    if (mIsWidescreen) {
        ClearSurface(mPrimarySurface);
        ClearSurface(mSecondarySurface);
    }
    if (const int drawResult = CreateDrawSurface("CreateSurface FullScreen DrawSurface"); drawResult != RESULT_OK)
        return drawResult;
    if (const int clipperResult = CreateClipper(window, "CreateClipper FullScreen"); clipperResult != RESULT_OK)
        return clipperResult;
    if (!mApp->GetDisplaySettings().mAllowPageFlipping)
        mDD->FlipToGDISurface();
    return RESULT_OK;
}

int DDInterface::CreateDrawSurface(const char* step)
{
    DDSURFACEDESC2 desc = SurfaceDesc(DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT,
                                      mIs3D ? DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY | DDSCAPS_3DDEVICE
                                            : DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY);
    desc.dwWidth = static_cast<DWORD>(mWidth);
    desc.dwHeight = static_cast<DWORD>(mHeight);
    if (CheckDXError(CreateSurface(&desc, &mDrawSurface), step))
        return RESULT_SURFACE_FAIL;
    return RESULT_OK;
}

int DDInterface::CreateClipper(const Win32::HWND window, const char* step)
{
    IDirectDrawClipper* clipper = nullptr;
    if (CheckDXError(mDD->CreateClipper(0, &clipper, nullptr), step))
        return RESULT_FAIL;
    if (clipper->SetHWnd(0, window) >= 0)
        mPrimarySurface->SetClipper(clipper);
    clipper->Release();
    return RESULT_OK;
}

void DDInterface::ReadRefreshRate()
{
    DWORD frequency = 0;
    const Win32::HRESULT result = mDD->GetMonitorFrequency(&frequency);
    if (result < 0 || frequency < 60) {
        mRefreshRate = 60;
        mApp->SetVSyncTimingBroken();
    } else if (frequency > 100) {
        mRefreshRate = 100;
        mApp->SetVSyncTimingBroken();
    } else {
        mRefreshRate = frequency;
    }
    mMillisPerFrame = static_cast<int32_t>(1000 / mRefreshRate);
}

int DDInterface::CreateCursorAreas()
{
    const auto makeArea = [this](IDirectDrawSurface** area, const char* step) {
        DDSURFACEDESC2 desc =
            SurfaceDesc(DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY);
        desc.dwWidth = static_cast<DWORD>(mCursorWidth);
        desc.dwHeight = static_cast<DWORD>(mCursorHeight);
        return !CheckDXError(CreateSurface(&desc, area), step);
    };
    if (!makeArea(&mOldCursorArea, "CreateSurface OldCursorArea") ||
        !makeArea(&mNewCursorArea, "CreateSurface NewCursorArea"))
        return RESULT_SURFACE_FAIL;
    // Drawing into the areas goes to their locked surfaces, with 3D on as well.
    mOldCursorAreaImage = new DDImage(this);
    mOldCursorAreaImage->SetSurface(mOldCursorArea);
    mOldCursorAreaImage->SetImageMode(false, false);
    mNewCursorAreaImage = new DDImage(this);
    mNewCursorAreaImage->SetSurface(mNewCursorArea);
    mNewCursorAreaImage->SetImageMode(false, false);
    return RESULT_OK;
}

int DDInterface::ReadPixelFormat()
{
    if (mPrimarySurface == nullptr)
        return RESULT_OK;
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
    mPrimarySurface->GetSurfaceDesc(&desc);
    const DWORD bits = desc.ddpfPixelFormat.dwRGBBitCount;
    if (bits != 16 && bits != 32)
        return RESULT_INVALID_COLORDEPTH;
    mRGBBits = static_cast<int32_t>(bits);
    mRedMask = desc.ddpfPixelFormat.dwRBitMask;
    mGreenMask = desc.ddpfPixelFormat.dwGBitMask;
    mBlueMask = desc.ddpfPixelFormat.dwBBitMask;
    mRedShift = MaskShift(mRedMask);
    mGreenShift = MaskShift(mGreenMask);
    mBlueShift = MaskShift(mBlueMask);
    mRedBits = MaskBits(mRedMask, mRedShift);
    mGreenBits = MaskBits(mGreenMask, mGreenShift);
    mBlueBits = MaskBits(mBlueMask, mBlueShift);
    BuildTables();
    return RESULT_OK;
}

void DDInterface::BuildTables()
{
    mRedAddTable = SaturationTable(mRedBits);
    mGreenAddTable = SaturationTable(mGreenBits);
    mBlueAddTable = SaturationTable(mBlueBits);
    ConversionTable(mRedConvTable, mRedMask);
    ConversionTable(mGreenConvTable, mGreenMask);
    ConversionTable(mBlueConvTable, mBlueMask);
}

Win32::HRESULT DDInterface::CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface** surface)
{
    const CritLock lock(mCritSect);
    *surface = nullptr;
    // Without DirectDraw, or without the primary surface whose format every surface takes,
    // nothing can be made.
    const bool makingPrimary = (desc->ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE) != 0;
    if ((mDD7 == nullptr && mDD == nullptr) || (!makingPrimary && mPrimarySurface == nullptr))
        return DDERR_NOTINITIALIZED;

    Win32::HRESULT result = DD_OK;
    if (mDD7 != nullptr) {
        IDirectDrawSurface7* surface7 = nullptr;
        result = mDD7->CreateSurface(desc, &surface7, nullptr);
        if (result < 0)
            return result;
        void* first = nullptr;
        result = surface7->QueryInterface(IID_IDirectDrawSurface, &first);
        surface7->Release();
        if (result < 0)
            return result;
        *surface = static_cast<IDirectDrawSurface*>(first);
    } else {
        DDSURFACEDESC oldDesc{};
        oldDesc.dwSize = sizeof(oldDesc);
        oldDesc.dwFlags = desc->dwFlags;
        oldDesc.dwHeight = desc->dwHeight;
        oldDesc.dwWidth = desc->dwWidth;
        oldDesc.lPitch = desc->lPitch;
        oldDesc.dwBackBufferCount = desc->dwBackBufferCount;
        oldDesc.dwRefreshRate = desc->dwRefreshRate;
        oldDesc.dwAlphaBitDepth = desc->dwAlphaBitDepth;
        oldDesc.dwReserved = desc->dwReserved;
        oldDesc.lpSurface = desc->lpSurface;
        oldDesc.ddpfPixelFormat = desc->ddpfPixelFormat;
        oldDesc.ddsCaps.dwCaps = desc->ddsCaps.dwCaps;
        result = mDD->CreateSurface(&oldDesc, surface, nullptr);
        if (result < 0)
            return result;
    }

    IDirectDrawSurface* primary = makingPrimary ? *surface : mPrimarySurface;
    DDSURFACEDESC primaryDesc{};
    primaryDesc.dwSize = sizeof(primaryDesc);
    primaryDesc.dwFlags = DDSD_PIXELFORMAT;
    primary->GetSurfaceDesc(&primaryDesc);
    const DDPIXELFORMAT& format = primaryDesc.ddpfPixelFormat;
    gDisplayRGBOrdered = format.dwBBitMask < format.dwGBitMask && format.dwGBitMask < format.dwRBitMask;
    if (format.dwRGBBitCount != 16 && format.dwRGBBitCount != 32) {
        (*surface)->Release();
        *surface = nullptr;
        return DDERR_INVALIDPIXELFORMAT;
    }
    return result;
}

void DDInterface::ClearSurface(IDirectDrawSurface* surface)
{
    if (surface == nullptr)
        return;
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    if (surface->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr) != DD_OK)
        return;
    auto* row = static_cast<uint8_t*>(desc.lpSurface);
    const size_t rowBytes = static_cast<size_t>(desc.dwWidth) * (desc.ddpfPixelFormat.dwRGBBitCount / 8);
    for (DWORD y = 0; y < desc.dwHeight; ++y, row += desc.lPitch)
        std::memset(row, 0, rowBytes);
    surface->Unlock(nullptr);
}

bool DDInterface::Check3DSupport(const Win32::HWND window)
{
    const DisplaySettings& settings = mApp->GetDisplaySettings();
    if (mD3DTester != nullptr || (!settings.mAutoEnable3D && !settings.mTest3D))
        return false;
    mD3DTester = new D3DTester;
    mD3DTester->SetVidMemoryConstraints(settings.mMinVidMemory3D, settings.mRecVidMemory3D);
    mD3DTester->TestD3D(window, mDD7);
    const bool failed = !mD3DTester->mFailureReason.empty();
    const bool warned = !mD3DTester->mWarning.empty();
    if (settings.mAutoEnable3D && !failed && !warned)
        mIs3D = true;
    if (failed)
        mIs3D = false;
    if (mD3DTester->mResultsNew && (failed || warned))
        mIs3D = false;
    return true;
}

void DDInterface::SetDrawToBackBuffer(const bool toBackBuffer)
{
    const CritLock lock(mCritSect);
    mDrawToBackBuffer = toBackBuffer;
    if (mSecondarySurface == nullptr) {
        DDSURFACEDESC2 desc = SurfaceDesc(DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT, DDSCAPS_VIDEOMEMORY);
        desc.dwWidth = static_cast<DWORD>(mWidth);
        desc.dwHeight = static_cast<DWORD>(mHeight);
        if (CreateSurface(&desc, &mSecondarySurface) < 0)
            mDrawToBackBuffer = false;
    }
    delete mScreenImage;
    mScreenImage = new DDImage(this);
    mScreenImage->SetSurface(mDrawToBackBuffer ? mSecondarySurface : mDrawSurface);
    mScreenImage->mLockDisabled = mDrawToBackBuffer;
    mScreenImage->mInVideoMemory = mDrawToBackBuffer;
    mScreenImage->SetImageMode(false, false);
}

DDImage* DDInterface::GetScreenImage() { return mScreenImage; }

void DDInterface::AddDDImage(DDImage* image)
{
    const CritLock lock(mCritSect);
    mDDImageSet.insert(image);
}

void DDInterface::RemoveDDImage(DDImage* image)
{
    const CritLock lock(mCritSect);
    mDDImageSet.erase(image);
}

void DDInterface::Remove3DData(MemoryImage* image) { mD3DInterface->RemoveImage(image); }

void DDInterface::Cleanup()
{
    const CritLock lock(mCritSect);
    mInitialized = false;
    mD3DInterface->Cleanup();
    delete mOldCursorAreaImage;
    mOldCursorAreaImage = nullptr;
    delete mNewCursorAreaImage;
    mNewCursorAreaImage = nullptr;
    ReleaseAndNull(mOldCursorArea);
    ReleaseAndNull(mNewCursorArea);
    delete mScreenImage;
    mScreenImage = nullptr;
    ReleaseAndNull(mDrawSurface);
    ReleaseAndNull(mSecondarySurface);
    ReleaseAndNull(mPrimarySurface);
    if (mDD != nullptr) {
        mDD->SetCooperativeLevel(mHWnd, DDSCL_NORMAL);
        ReleaseAndNull(mDD);
    }
    ReleaseAndNull(mDD7);
}

} // namespace Zest
