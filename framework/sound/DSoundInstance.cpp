#include "framework/sound/DSoundInstance.h"

#include "framework/app/common/Debug.h"
#include "framework/sound/DSoundManager.h"
#include "platform/dsound/DSound.h"

#include <algorithm>
#include <cmath>

namespace Zest {
namespace {

constexpr double kSemitoneRatio = 1.0594630943592953;
constexpr double kLowestFrequency = 100.0;
constexpr double kHighestFrequency = 100000.0;

const char* DuplicationErrorName(const DSound::HRESULT result)
{
    switch (result) {
    case DSound::DSERR_ALLOCATED:
        return "DSERR_ALLOCATED";
    case DSound::DSERR_INVALIDCALL:
        return "DSERR_INVALIDCALL";
    case DSound::DSERR_UNINITIALIZED:
        return "DSERR_UNINITIALIZED";
    case DSound::DSERR_INVALIDPARAM:
        return "DSERR_INVALIDPARAM";
    case DSound::DSERR_OUTOFMEMORY:
        return "DSERR_OUTOFMEMORY";
    default:
        return "an unnamed error";
    }
}

} // namespace

DSoundInstance::DSoundInstance(DSoundManager* soundManager, DSound::IDirectSoundBuffer* sourceSoundBuffer)
    : mSoundManager(soundManager), mSourceSoundBuffer(sourceSoundBuffer)
{
    if (mSourceSoundBuffer != nullptr) {
        const DSound::HRESULT result =
            mSoundManager->GetDirectSound()->DuplicateSoundBuffer(mSourceSoundBuffer, &mSoundBuffer);
        if (Win32::FAILED(result)) {
            // The effect is not played, as when every channel is busy.
            OutputDebug("Sound buffer duplication failed with %s\n", DuplicationErrorName(result));
            mSoundBuffer = nullptr;
            return;
        }
        DSound::DWORD frequency = 0;
        if (Win32::SUCCEEDED(mSoundBuffer->GetFrequency(&frequency)))
            mDefaultFrequency = frequency;
    }
    RehupVolume();
}

DSoundInstance::~DSoundInstance()
{
    if (mSoundBuffer != nullptr)
        mSoundBuffer->Release();
}

void DSoundInstance::RehupVolume()
{
    if (mSoundBuffer != nullptr)
        mSoundBuffer->SetVolume(DSoundManager::VolumeToDB(mVolume * mBaseVolume * mSoundManager->GetVolume()));
}

void DSoundInstance::RehupPan()
{
    if (mSoundBuffer != nullptr)
        mSoundBuffer->SetPan(mPan + mBasePan);
}

void DSoundInstance::SetVolume(const double volume)
{
    mVolume = volume;
    RehupVolume();
}

void DSoundInstance::SetBaseVolume(const double volume)
{
    mBaseVolume = volume;
    RehupVolume();
}

void DSoundInstance::SetPan(const int pan)
{
    mPan = pan;
    RehupPan();
}

void DSoundInstance::SetBasePan(const int pan)
{
    mBasePan = pan;
    RehupPan();
}

void DSoundInstance::AdjustPitch(const double steps)
{
    if (mSoundBuffer == nullptr)
        return;
    const double frequency =
        std::clamp(mDefaultFrequency * std::pow(kSemitoneRatio, steps), kLowestFrequency, kHighestFrequency);
    // NaN steps fail both bounds of the clamp; such a pitch leaves the frequency alone.
    if (std::isnan(frequency))
        return;
    mSoundBuffer->SetFrequency(static_cast<DSound::DWORD>(frequency));
}

bool DSoundInstance::Play(const bool looping, const bool autoRelease)
{
    Stop();
    mHasPlayed = true;
    mAutoRelease = autoRelease;
    if (mSoundBuffer == nullptr)
        return false;
    return Win32::SUCCEEDED(mSoundBuffer->Play(0, 0, looping ? DSound::DSBPLAY_LOOPING : 0));
}

void DSoundInstance::StopKeepingAutoRelease()
{
    if (mSoundBuffer == nullptr)
        return;
    mSoundBuffer->Stop();
    mSoundBuffer->SetCurrentPosition(0);
}

void DSoundInstance::Stop()
{
    if (mSoundBuffer == nullptr)
        return;
    StopKeepingAutoRelease();
    mAutoRelease = false;
}

void DSoundInstance::Release()
{
    Stop();
    mReleased = true;
}

bool DSoundInstance::IsPlaying()
{
    if (!mHasPlayed || mSoundBuffer == nullptr)
        return false;
    DSound::DWORD status = 0;
    return Win32::SUCCEEDED(mSoundBuffer->GetStatus(&status)) && (status & DSound::DSBSTATUS_PLAYING) != 0;
}

bool DSoundInstance::IsReleased()
{
    if (!mReleased && mAutoRelease && mHasPlayed && !IsPlaying())
        Release();
    return mReleased;
}

double DSoundInstance::GetVolume() { return mVolume; }

} // namespace Zest
