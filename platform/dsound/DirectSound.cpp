#include "platform/dsound/DirectSound.h"

#include "platform/audio/AudioOutput.h"
#include "platform/dsound/Format.h"
#include "platform/dsound/Lock.h"
#include "platform/dsound/SoundBuffer.h"

#include <algorithm>
#include <new>

namespace DSound {

HRESULT DirectSound::Create(IDirectSound** made)
{
    auto* object = new DirectSound;
    // Registered outside the stand-in's lock: the output's lock is taken first when it mixes.
    if (!Audio::AddSource(&DirectSound::Mix, object) && !Controls().createWithoutDevice) {
        Audio::RemoveSource(&DirectSound::Mix, object);
        delete object;
        return DSERR_NODRIVER;
    }
    *made = object;
    return DS_OK;
}

void DirectSound::Forget(const SoundBuffer* buffer)
{
    if (buffer == mPrimary)
        mPrimary = nullptr;
    std::erase(mBuffers, buffer);
}

HRESULT DirectSound::QueryInterface(REFIID iid, void** object)
{
    return RunMethod("IDirectSound::QueryInterface", [&] {
        if (object == nullptr)
            return DSERR_INVALIDPARAM;
        if (!(iid == IID_IDirectSound)) {
            *object = nullptr;
            return DSERR_NOINTERFACE;
        }
        AddRef();
        *object = static_cast<IDirectSound*>(this);
        return DS_OK;
    });
}

ULONG DirectSound::AddRef() { return ++mReferences; }

ULONG DirectSound::Release()
{
    const ULONG left = --mReferences;
    if (left == 0) {
        // Once removed the source is never called again, so nothing mixes this object.
        Audio::RemoveSource(&DirectSound::Mix, this);
        delete this;
    }
    return left;
}

HRESULT DirectSound::CreateSoundBuffer(const DSBUFFERDESC* description, IDirectSoundBuffer** buffer,
                                       IUnknown* outer)
{
    return RunMethod("IDirectSound::CreateSoundBuffer", [&]() -> HRESULT {
        if (buffer == nullptr)
            return DSERR_INVALIDPARAM;
        *buffer = nullptr;
        if (description == nullptr || description->dwSize != sizeof(DSBUFFERDESC))
            return DSERR_INVALIDPARAM;
        if (outer != nullptr)
            return DSERR_NOAGGREGATION;
        if (mLevel == 0)
            return DSERR_PRIOLEVELNEEDED;
        if ((description->dwFlags & DSBCAPS_PRIMARYBUFFER) != 0) {
            if (description->dwBufferBytes != 0 || description->lpwfxFormat != nullptr)
                return DSERR_INVALIDPARAM;
            return CreatePrimary(description->dwFlags, buffer);
        }
        if (description->lpwfxFormat == nullptr || description->dwBufferBytes < DSBSIZE_MIN ||
            description->dwBufferBytes > DSBSIZE_MAX)
            return DSERR_INVALIDPARAM;
        if (!IsPlayableFormat(*description->lpwfxFormat))
            return DSERR_BADFORMAT;
        try {
            auto* made =
                new SoundBuffer(*this, description->dwFlags, *description->lpwfxFormat, description->dwBufferBytes);
            mBuffers.push_back(made);
            *buffer = made;
        } catch (const std::bad_alloc&) {
            return DSERR_OUTOFMEMORY;
        }
        return DS_OK;
    });
}

HRESULT DirectSound::CreatePrimary(const DWORD flags, IDirectSoundBuffer** buffer)
{
    // One primary buffer per object: asking again gives it with another reference.
    if (mPrimary != nullptr) {
        mPrimary->AddRef();
        *buffer = mPrimary;
        return DS_OK;
    }
    mPrimary = new SoundBuffer(*this, flags);
    *buffer = mPrimary;
    return DS_OK;
}

HRESULT DirectSound::DuplicateSoundBuffer(IDirectSoundBuffer* original, IDirectSoundBuffer** duplicate)
{
    return RunMethod("IDirectSound::DuplicateSoundBuffer", [&]() -> HRESULT {
        if (duplicate == nullptr)
            return DSERR_INVALIDPARAM;
        *duplicate = nullptr;
        if (original == nullptr)
            return DSERR_INVALIDPARAM;
        // Every buffer in the process is this stand-in's.
        const auto& source = static_cast<const SoundBuffer&>(*original);
        if (source.IsPrimary())
            return DSERR_INVALIDCALL;
        auto* made = new SoundBuffer(*this, source);
        mBuffers.push_back(made);
        *duplicate = made;
        return DS_OK;
    });
}

HRESULT DirectSound::SetCooperativeLevel(HWND window, const DWORD level)
{
    return RunMethod("IDirectSound::SetCooperativeLevel", [&] {
        if (window == nullptr || level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY)
            return DSERR_INVALIDPARAM;
        mLevel = level;
        return DS_OK;
    });
}

void DirectSound::Mix(void* context, float* mix, const int frames)
{
    const auto* object = static_cast<const DirectSound*>(context);
    const std::lock_guard lock(StandInLock());
    const StereoGain primaryGain = object->mPrimary != nullptr ? object->mPrimary->Gain() : StereoGain{};
    for (SoundBuffer* buffer : object->mBuffers)
        buffer->MixInto(mix, frames, primaryGain);
}

} // namespace DSound
