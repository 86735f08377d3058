// Services of the application to the rest of the program: the set of live images and
// the broadcasts to it around display changes, loading, copying and sharing pictures, 3D,
// sound effects, volumes and muting, and the clipboard.

#include "framework/app/ZestAppBase.h"

#include "framework/app/common/StringHelpers.h"
#include "framework/directx/D3DInterface.h"
#include "framework/directx/D3DTester.h"
#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "framework/graphics/Graphics.h"
#include "framework/resources/ImageLib.h"
#include "framework/sound/MusicInterface.h"
#include "framework/sound/SoundInstance.h"
#include "framework/sound/SoundManager.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/win32/Clipboard.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace Zest {

// Images.

void ZestAppBase::RegisterImage(MemoryImage* image)
{
    if (mDisplay == nullptr) {
        mImageSet.insert(image);
        return;
    }
    const CritLock lock(mDisplay->mCritSect);
    mImageSet.insert(image);
}

void ZestAppBase::UnregisterImage(MemoryImage* image)
{
    if (mDisplay == nullptr) {
        mImageSet.erase(image);
        return;
    }
    const CritLock lock(mDisplay->mCritSect);
    mImageSet.erase(image);
    Remove3DData(image);
}

void ZestAppBase::RebuildImageData()
{
    for (MemoryImage* image : mImageSet)
        image->ReInit();
}

void ZestAppBase::ReleaseImageExtraData()
{
    for (MemoryImage* image : mImageSet)
        image->DeleteNativeData();
}

void ZestAppBase::ReleaseImageNativeData()
{
    if (mDisplay == nullptr)
        return;
    const CritLock lock(mDisplay->mCritSect);
    for (MemoryImage* image : mImageSet)
        image->DeleteCachedBuffers();
}

void ZestAppBase::SetSharedImagesUnused() { mSharedImagesUnused = true; }

void ZestAppBase::ReleaseUnusedSharedImages()
{
    if (mDisplay == nullptr || !mSharedImagesUnused)
        return;
    const CritLock lock(mDisplay->mCritSect);
    for (auto entry = mSharedImages.begin(); entry != mSharedImages.end();) {
        if (entry->second.mRefCount.load() == 0) {
            delete entry->second.mImage;
            entry = mSharedImages.erase(entry);
        } else {
            ++entry;
        }
    }
    mSharedImagesUnused = false;
}

DDImage* ZestAppBase::LoadImageFile(const std::string& path, const bool commitBits)
{
    const std::unique_ptr<ImageLib::Image> picture(ImageLib::GetImage(path, true));
    if (picture == nullptr || mDisplay == nullptr)
        return nullptr;
    auto* image = new DDImage(mDisplay);
    image->mFilePath = path;
    // The decoded buffer becomes the image's picture as it is, without a copy.
    image->AdoptBits(picture->ReleaseBits(), picture->mWidth, picture->mHeight, commitBits);
    return image;
}

SharedImageRef ZestAppBase::AcquireSharedImage(const std::string& file, const std::string& variant, bool* created)
{
    const auto key = std::make_pair(StringToUpper(file), StringToUpper(variant));
    SharedImageRef reference;
    SharedImage* entry = nullptr;
    bool isNew = false;
    {
        std::unique_ptr<CritLock> lock;
        if (mDisplay != nullptr)
            lock = std::make_unique<CritLock>(mDisplay->mCritSect);
        isNew = mSharedImages.find(key) == mSharedImages.end();
        entry = &mSharedImages[key];
        reference = entry;
    }
    if (created != nullptr)
        *created = isNew;
    if (isNew && mDisplay != nullptr)
        entry->mImage = !file.empty() && file[0] == '!' ? new DDImage(mDisplay) : LoadImageFile(file, false);
    return reference;
}

void ZestAppBase::DiscardSharedImage(SharedImageRef& reference)
{
    SharedImage* const entry = reference.mSharedImage;
    reference.Release();
    if (entry == nullptr)
        return;
    // The table is guarded by the display's lock. An entry someone else took meanwhile
    // stays: that user holds the picture as it is.
    std::unique_ptr<CritLock> lock;
    if (mDisplay != nullptr)
        lock = std::make_unique<CritLock>(mDisplay->mCritSect);
    if (entry->mRefCount.load() != 0)
        return;
    const auto found = std::find_if(mSharedImages.begin(), mSharedImages.end(),
                                    [entry](const auto& item) { return &item.second == entry; });
    if (found == mSharedImages.end())
        return;
    delete entry->mImage;
    mSharedImages.erase(found);
}

DDImage* ZestAppBase::CopyImageRect(Image* image, const Rect& rect)
{
    if (image == nullptr || mDisplay == nullptr)
        return nullptr;
    auto* copy = new DDImage(mDisplay);
    copy->Create(rect.mWidth, rect.mHeight);
    Graphics g(copy);
    g.DrawImage(image, -rect.mX, -rect.mY);
    copy->CopyAttributes(image);
    return copy;
}

MemoryImage* ZestAppBase::CopyImage(Image* image)
{
    return image == nullptr ? nullptr : CopyImageRect(image, Rect(0, 0, image->mWidth, image->mHeight));
}

const uint8_t* ZestAppBase::GetSaturationTable() { return mSaturationTable.data(); }

const NativeDisplay* ZestAppBase::GetNativeDisplay() { return mDisplay; }

void ZestAppBase::Remove3DData(MemoryImage* image)
{
    if (mDisplay != nullptr)
        mDisplay->Remove3DData(image);
}

bool ZestAppBase::RecoverBits(MemoryImage* image)
{
    return mDisplay != nullptr && mDisplay->mD3DInterface->RecoverBits(image);
}

const DisplaySettings& ZestAppBase::GetDisplaySettings()
{
    mDisplaySettings.mWidth = mWidth;
    mDisplaySettings.mHeight = mHeight;
    mDisplaySettings.mColorDepth = mColorDepth;
    mDisplaySettings.mAutoEnable3D = mAutoEnable3D;
    mDisplaySettings.mTest3D = mTest3D;
    mDisplaySettings.mMinVidMemory3D = mMinVidMemory3D;
    mDisplaySettings.mRecVidMemory3D = mRecVidMemory3D;
    mDisplaySettings.mHackAspect = mAspect;
    mDisplaySettings.mAllowPageFlipping = !mIsTabletPC;
    return mDisplaySettings;
}

bool ZestAppBase::IsPopupShowing() { return mPopupShowing; }

void ZestAppBase::SetVSyncTimingBroken() { mVSyncTimingBroken = true; }

// 3D.

bool ZestAppBase::Is3DEnabled() { return mDisplay != nullptr && mDisplay->mIs3D; }

bool ZestAppBase::Is3DSupported()
{
    const D3DTester* tester = mDisplay != nullptr ? mDisplay->mD3DTester : nullptr;
    return tester != nullptr && tester->mFailureReason.empty();
}

bool ZestAppBase::Is3DRecommended()
{
    const D3DTester* tester = mDisplay != nullptr ? mDisplay->mD3DTester : nullptr;
    return tester != nullptr && tester->mFailureReason.empty() && tester->mWarning.empty();
}

void ZestAppBase::Set3DEnabled(const bool enabled, const bool reinitialize)
{
    if (mDisplay == nullptr || mDisplay->mIs3D == enabled)
        return;
    m3DSwitchedThisSession = true;
    mDisplay->mIs3D = enabled;
    if (!reinitialize)
        return;
    mWidgetManager->mScreenImage = nullptr;
    const int result = InitDisplay();
    if (result != DDInterface::RESULT_OK) {
        if (enabled) {
            Set3DEnabled(false, reinitialize);
            return;
        }
        ShowErrorPopup(GetString("FAILED_INIT_DIRECTDRAW", "Failed to initialize DirectDraw: ") +
                       DDInterface::ResultToString(result) + " " + mDisplay->mErrorString);
        TerminateApp(1);
    }
    RebuildImageData();
    mWidgetManager->mScreenImage = mDisplay->GetScreenImage();
    mWidgetManager->MarkAllDirty();
}

// Volumes. The music follows them now; sound effects once there is a sound manager.

double ZestAppBase::GetMusicVolume() { return mMusicVolume; }

double ZestAppBase::GetSfxVolume() { return mSfxVolume; }

bool ZestAppBase::IsMuted() { return mMuteCount > 0; }

void ZestAppBase::SetMusicVolume(const double volume)
{
    mMusicVolume = volume;
    if (mMusic != nullptr)
        mMusic->SetVolume(mMuteCount > 0 ? 0.0 : volume);
}

void ZestAppBase::SetSfxVolume(const double volume)
{
    mSfxVolume = volume;
    if (mSoundManager != nullptr)
        mSoundManager->SetVolume(mMuteCount > 0 ? 0.0 : volume);
}

SoundManager* ZestAppBase::GetSoundManager() { return mSoundManager; }

double ZestAppBase::GetMasterVolume() { return mSoundManager != nullptr ? mSoundManager->GetMasterVolume() : 0.0; }

void ZestAppBase::SetMasterVolume(const double volume)
{
    if (mSoundManager == nullptr)
        return;
    mSfxVolume = volume;
    mSoundManager->SetMasterVolume(volume);
}

void ZestAppBase::PlaySoundEffect(const int soundId)
{
    if (mSoundManager == nullptr)
        return;
    if (SoundInstance* const sound = mSoundManager->GetSoundInstance(soundId))
        sound->Play(false, true);
}

void ZestAppBase::PlaySoundEffectPanned(const int soundId, const int pan)
{
    if (mSoundManager == nullptr)
        return;
    if (SoundInstance* const sound = mSoundManager->GetSoundInstance(soundId)) {
        sound->SetPan(pan);
        sound->Play(false, true);
    }
}

void ZestAppBase::Mute(const bool automatic)
{
    ++mMuteCount;
    if (automatic)
        ++mAutoMuteCount;
    SetMusicVolume(mMusicVolume);
    SetSfxVolume(mSfxVolume);
}

void ZestAppBase::Unmute(const bool automatic)
{
    if (mMuteCount > 0) {
        --mMuteCount;
        if (automatic)
            --mAutoMuteCount;
    }
    SetMusicVolume(mMusicVolume);
    SetSfxVolume(mSfxVolume);
}

// Clipboard.

void ZestAppBase::CopyToClipboard(const std::string& text)
{
    if (mPlayingDemo || !Win32::OpenClipboard(mMainWindow))
        return;
    Win32::EmptyClipboard();
    const Win32::HGLOBAL narrow = Win32::GlobalAlloc(Win32::GMEM_MOVEABLE, text.size() + 1);
    if (narrow != nullptr) {
        std::memcpy(Win32::GlobalLock(narrow), text.c_str(), text.size() + 1);
        Win32::GlobalUnlock(narrow);
        Win32::SetClipboardData(Win32::CF_TEXT, narrow);
    }
    const std::wstring wide = StringToWString(text);
    const Win32::HGLOBAL unicode = Win32::GlobalAlloc(Win32::GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    if (unicode != nullptr) {
        std::memcpy(Win32::GlobalLock(unicode), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
        Win32::GlobalUnlock(unicode);
        Win32::SetClipboardData(Win32::CF_UNICODETEXT, unicode);
    }
    Win32::CloseClipboard();
}

std::string ZestAppBase::GetClipboardText()
{
    std::string text;
    if (mPlayingDemo || !Win32::OpenClipboard(mMainWindow))
        return text;
    const Win32::HANDLE data = Win32::GetClipboardData(Win32::CF_TEXT);
    if (data != nullptr) {
        const auto* chars = static_cast<const char*>(Win32::GlobalLock(data));
        if (chars != nullptr)
            text.assign(chars, strnlen(chars, Win32::GlobalSize(data)));
        Win32::GlobalUnlock(data);
    }
    Win32::CloseClipboard();
    return text;
}

} // namespace Zest
