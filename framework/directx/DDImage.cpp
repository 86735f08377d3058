#include "framework/directx/DDImage.h"

#include "framework/directx/DDInterface.h"
#include "framework/graphics/PictureArrays.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace Zest {

using namespace DDraw;

namespace {

// An ARGB word in the display's layout: the top bits of each channel, alpha dropped.
uint32_t ToSurface(const uint32_t argb, const NativeDisplay& display)
{
    return (((argb >> (24 - display.mRedBits)) << display.mRedShift) & display.mRedMask) |
           (((argb >> (16 - display.mGreenBits)) << display.mGreenShift) & display.mGreenMask) |
           (((argb >> (8 - display.mBlueBits)) << display.mBlueShift) & display.mBlueMask);
}

// A surface pixel as an opaque ARGB word: each field in the top bits of its byte.
uint32_t FromSurface(const uint32_t value, const NativeDisplay& display)
{
    const uint32_t red = ((value >> display.mRedShift) << (8 - display.mRedBits)) & 0xFF;
    const uint32_t green = ((value >> display.mGreenShift) << (8 - display.mGreenBits)) & 0xFF;
    const uint32_t blue = ((value >> display.mBlueShift) << (8 - display.mBlueBits)) & 0xFF;
    return 0xFF000000 | (red << 16) | (green << 8) | blue;
}

// The lowest value below `limit` that the map does not hold; `limit` when every value is
// taken.
uint32_t LowestFreeValue(const std::vector<bool>& taken)
{
    const auto free = std::find(taken.begin(), taken.end(), false);
    return static_cast<uint32_t>(free - taken.begin());
}

} // namespace

DDImage::DDImage(DDInterface* display) : MemoryImage(display->mApp), mDDInterface(display)
{
    mDDInterface->AddDDImage(this);
}

DDImage::~DDImage()
{
    ReleaseSurface();
    mDDInterface->RemoveDDImage(this);
}

void DDImage::ReleaseSurface()
{
    if (mSurface == nullptr)
        return;
    // A surface is never released locked, and a lock count never outlives its surface.
    if (mLockCount > 0)
        mSurface->Unlock(nullptr);
    mLockCount = 0;
    mSurface->Release();
    mSurface = nullptr;
}

bool DDImage::Check3D(const Image* image)
{
    const auto* display = dynamic_cast<const DDImage*>(image);
    return display != nullptr && display->Check3D();
}

bool DDImage::Check3D() const
{
    return mDDInterface->mIs3D && mSurface != nullptr && mSurface == mDDInterface->mDrawSurface;
}

IDirectDrawSurface* DDImage::GetSurface()
{
    if (mSurface == nullptr)
        GenerateDDSurface();
    return mSurface;
}

bool DDImage::GenerateDDSurface()
{
    if (mSurface != nullptr)
        return true;
    CommitBits();
    // Partly transparent pixels cannot be shown through a colour key.
    if (mHasAlpha)
        return false;
    mWantDDSurface = true;
    if (mColorTable != nullptr)
        GetBits();

    const CritLock lock(mDDInterface->mCritSect);
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = static_cast<DWORD>(mWidth);
    desc.dwHeight = static_cast<DWORD>(mHeight);
    desc.ddsCaps.dwCaps = mInVideoMemory ? DDSCAPS_VIDEOMEMORY : DDSCAPS_SYSTEMMEMORY;
    if (mDDInterface->CreateSurface(&desc, &mSurface) < 0 || mSurface == nullptr) {
        mSurface = nullptr;
        return false;
    }
    // A surface that cannot be filled is not kept: it would show an unwritten picture.
    if (!LockSurface()) {
        ReleaseSurface();
        return false;
    }
    const DWORD bitCount = mLockedDesc.ddpfPixelFormat.dwRGBBitCount;
    bool written = true;
    if (mLockedDesc.lpSurface == nullptr) {
        // Nothing to write into.
    } else if (!mHasTrans || mBits == nullptr) {
        WriteConvertedRows(mLockedDesc);
        // A 16-bit transparent picture without pixels is keyed as 0.
        if (mHasTrans && bitCount == 16)
            SetSourceColorKey(0);
    } else if (bitCount == 16) {
        written = WriteKeyedSurface16(mLockedDesc);
    } else if (bitCount == 32) {
        written = WriteKeyedSurface32(mLockedDesc);
    }
    UnlockSurface();
    if (!written) {
        ReleaseSurface();
        return false;
    }
    return true;
}

bool DDImage::WriteKeyedSurface16(const DDSURFACEDESC& desc)
{
    const NativeDisplay& display = *mDDInterface;
    const size_t count = PixelCount(*this);
    std::vector<uint16_t> converted(count);
    uint32_t key = 0;
    bool keyFound = false;
    for (size_t i = 0; i < count; ++i) {
        converted[i] = static_cast<uint16_t>(ToSurface(mBits[i], display));
        if (!keyFound && (mBits[i] >> 24) < 255) {
            key = converted[i];
            keyFound = true;
        }
    }
    bool collides = false;
    for (size_t i = 0; i < count && !collides; ++i)
        collides = (mBits[i] >> 24) == 255 && converted[i] == key;
    if (collides) {
        std::vector<bool> taken(65536, false);
        for (size_t i = 0; i < count; ++i)
            if ((mBits[i] >> 24) != 0)
                taken[converted[i]] = true;
        key = LowestFreeValue(taken);
        // Every value is shown by some pixel: no key can stand for transparency.
        if (key >= taken.size())
            return false;
    }
    auto* row = static_cast<uint8_t*>(desc.lpSurface);
    for (int y = 0; y < mHeight; ++y, row += desc.lPitch) {
        auto* pixels = reinterpret_cast<uint16_t*>(row);
        for (int x = 0; x < mWidth; ++x) {
            const size_t i = static_cast<size_t>(y) * mWidth + x;
            pixels[x] = (mBits[i] >> 24) == 255 ? converted[i] : static_cast<uint16_t>(key);
        }
    }
    SetSourceColorKey(key);
    return true;
}

bool DDImage::WriteKeyedSurface32(const DDSURFACEDESC& desc)
{
    const NativeDisplay& display = *mDDInterface;
    const size_t count = PixelCount(*this);
    auto* row = static_cast<uint8_t*>(desc.lpSurface);
    const uint32_t* const first =
        std::find_if(mBits, mBits + count, [](const uint32_t pixel) { return (pixel >> 24) < 255; });
    uint32_t key = first != mBits + count ? *first : 0;
    const bool collides = std::any_of(mBits, mBits + count, [key](const uint32_t pixel) {
        return (pixel >> 24) == 255 && (pixel & 0xFFFFFF) == (key & 0xFFFFFF);
    });
    if (collides) {
        std::vector<bool> taken(1u << 24, false);
        for (size_t i = 0; i < count; ++i)
            if ((mBits[i] >> 24) != 0)
                taken[mBits[i] & 0xFFFFFF] = true;
        key = LowestFreeValue(taken);
        if (key >= taken.size())
            return false;
    }
    for (int y = 0; y < mHeight; ++y, row += desc.lPitch) {
        auto* pixels = reinterpret_cast<uint32_t*>(row);
        for (int x = 0; x < mWidth; ++x) {
            const uint32_t pixel = mBits[static_cast<size_t>(y) * mWidth + x];
            pixels[x] = (pixel >> 24) < 255 ? key : ToSurface(pixel, display);
        }
    }
    SetSourceColorKey(key);
    return true;
}

void DDImage::SetSourceColorKey(const uint32_t key)
{
    DDCOLORKEY colorKey{key, key};
    mSurface->SetColorKey(DDCKEY_SRCBLT, &colorKey);
}

void DDImage::DeleteDDSurface()
{
    if (mSurface == nullptr)
        return;
    if (mColorTable == nullptr && mBits == nullptr && mTextureData == nullptr)
        GetBits();
    ReleaseSurface();
}

void DDImage::DeleteExtraBuffers()
{
    FreeArray(mBits);
    FreeArray(mNativeAlphaData);
    FreeArray(mRLAdditiveData);
    FreeArray(mRLAlphaData);
    FreeArray(mColorTable);
    FreeArray(mColorIndices);
}

uint32_t* DDImage::GetBits()
{
    if (mBits != nullptr)
        return mBits;
    if (mSurface == nullptr)
        return MemoryImage::GetBits();
    if (mLockDisabled || !LockSurface())
        return nullptr;

    const size_t count = PixelCount(*this);
    // Pixels the surface does not have (a surface of another depth, or one smaller than the
    // image) stay transparent black.
    mBits = new uint32_t[count + 1]();
    mBits[count] = kImageGuardWord;
    // A keyed surface keeps its transparent pixels as the key: they become transparent
    // again, so that the picture survives a round trip through the surface.
    DDCOLORKEY key{};
    const bool keyed = mHasTrans && mSurface->GetColorKey(DDCKEY_SRCBLT, &key) == DD_OK;
    const NativeDisplay& display = *mDDInterface;
    const DWORD bitCount = mLockedDesc.ddpfPixelFormat.dwRGBBitCount;
    const auto* row = static_cast<const uint8_t*>(mLockedDesc.lpSurface);
    const int width = std::min(mWidth, static_cast<int>(mLockedDesc.dwWidth));
    const int height = std::min(mHeight, static_cast<int>(mLockedDesc.dwHeight));
    for (int y = 0; y < height && row != nullptr && (bitCount == 16 || bitCount == 32);
         ++y, row += mLockedDesc.lPitch) {
        for (int x = 0; x < width; ++x) {
            const uint32_t value = bitCount == 16 ? reinterpret_cast<const uint16_t*>(row)[x]
                                                  : reinterpret_cast<const uint32_t*>(row)[x];
            uint32_t pixel = FromSurface(value, display);
            if (keyed && value >= key.dwColorSpaceLowValue && value <= key.dwColorSpaceHighValue)
                pixel &= 0x00FFFFFF;
            mBits[static_cast<size_t>(y) * mWidth + x] = pixel;
        }
    }
    UnlockSurface();
    return mBits;
}

bool DDImage::LockSurface()
{
    if (Check3D())
        return false;
    if (mLockCount == 0) {
        mLockedDesc = DDSURFACEDESC{};
        mLockedDesc.dwSize = sizeof(mLockedDesc);
        IDirectDrawSurface* const surface = GetSurface();
        if (surface == nullptr || surface->Lock(nullptr, &mLockedDesc, DDLOCK_WAIT, nullptr) != DD_OK)
            return false;
    }
    ++mLockCount;
    return true;
}

bool DDImage::UnlockSurface()
{
    // An unpaired unlock is ignored instead of driving the count below zero.
    if (Check3D() || mLockCount <= 0)
        return false;
    if (--mLockCount == 0 && mSurface != nullptr)
        mSurface->Unlock(nullptr);
    return true;
}

void DDImage::SetSurface(IDirectDrawSurface* surface)
{
    // The surface held before is released, not leaked.
    if (surface != nullptr)
        surface->AddRef();
    ReleaseSurface();
    mSurfaceSet = true;
    mSurface = surface;
    if (surface != nullptr) {
        DDSURFACEDESC desc{};
        desc.dwSize = sizeof(desc);
        desc.dwFlags = DDSD_WIDTH | DDSD_HEIGHT;
        surface->GetSurfaceDesc(&desc);
        mWidth = static_cast<int>(desc.dwWidth);
        mHeight = static_cast<int>(desc.dwHeight);
    }
    mLockDisabled = false;
}

void DDImage::SetVideoMemory(const bool videoMemory)
{
    if (videoMemory == mInVideoMemory)
        return;
    mInVideoMemory = videoMemory;
    GetBits();
    DeleteDDSurface();
}

bool DDImage::CreateColorKeySurface() { return GenerateDDSurface(); }

void DDImage::PurgeBits()
{
    if (mSurfaceSet)
        return;
    mPurgeBits = true;
    CommitBits();
    if (mApp != nullptr && mApp->Is3DEnabled()) {
        if (mSurface != nullptr) {
            GetBits();
            DeleteDDSurface();
        }
        MemoryImage::PurgeBits();
        return;
    }
    if (mWantDDSurface && GenerateDDSurface()) {
        // The surface is now the only copy of the picture.
        FreeArray(mBits);
        FreeArray(mColorIndices);
        FreeArray(mColorTable);
        return;
    }
    MemoryImage::PurgeBits();
}

void DDImage::DeleteCachedBuffers()
{
    if (mSurfaceSet)
        return;
    MemoryImage::DeleteCachedBuffers();
    DeleteDDSurface();
}

void DDImage::ReInit()
{
    MemoryImage::ReInit();
    if (mWantDDSurface)
        GenerateDDSurface();
}

void DDImage::BitsChanged()
{
    MemoryImage::BitsChanged();
    if (mSurface == nullptr)
        return;
    // The pixels are the newer picture. A handed-in surface is kept for life, since the
    // display presents from it: the pixels go into it instead.
    if (mSurfaceSet) {
        WriteBitsToSurface();
        return;
    }
    ReleaseSurface();
}

void DDImage::WriteBitsToSurface()
{
    if (mBits == nullptr || mLockDisabled || !LockSurface())
        return;
    WriteConvertedRows(mLockedDesc);
    UnlockSurface();
}

void DDImage::WriteConvertedRows(const DDSURFACEDESC& desc)
{
    const DWORD bitCount = desc.ddpfPixelFormat.dwRGBBitCount;
    if (mBits == nullptr || desc.lpSurface == nullptr || (bitCount != 16 && bitCount != 32))
        return;
    const NativeDisplay& display = *mDDInterface;
    auto* row = static_cast<uint8_t*>(desc.lpSurface);
    const int width = std::min(mWidth, static_cast<int>(desc.dwWidth));
    const int height = std::min(mHeight, static_cast<int>(desc.dwHeight));
    for (int y = 0; y < height; ++y, row += desc.lPitch) {
        for (int x = 0; x < width; ++x) {
            const uint32_t value = ToSurface(mBits[static_cast<size_t>(y) * mWidth + x], display);
            if (bitCount == 16)
                reinterpret_cast<uint16_t*>(row)[x] = static_cast<uint16_t>(value);
            else
                reinterpret_cast<uint32_t*>(row)[x] = value;
        }
    }
}

bool DDImage::HasSoftwarePixels() { return GetBits() != nullptr; }

bool DDImage::IsCursorArea() const
{
    return this == mDDInterface->mOldCursorAreaImage || this == mDDInterface->mNewCursorAreaImage;
}

void DDImage::CommitBits()
{
    if (mSurface == nullptr)
        MemoryImage::CommitBits();
}

void DDImage::DeleteNativeData()
{
    if (mSurfaceSet)
        return;
    MemoryImage::DeleteNativeData();
    DeleteDDSurface();
}

void DDImage::Create(const int width, const int height)
{
    FreeArray(mBits);
    mWidth = std::max(width, 0);
    mHeight = std::max(height, 0);
    BitsChanged();
}

bool DDImage::Palletize()
{
    const bool palettised = MemoryImage::Palletize();
    if (palettised)
        DeleteDDSurface();
    return palettised;
}

} // namespace Zest
